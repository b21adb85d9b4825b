#include "PdfFontSubset.h"

#include <QByteArrayView>
#include <QtEndian>

#include <map>
#include <optional>

namespace {

// Offsets and sizes of the fields read or written.
constexpr qsizetype headCheckSumAdjustment = 8;
constexpr qsizetype headIndexToLocFormat = 50;
constexpr qsizetype headSize = 54;
constexpr qsizetype maxpNumGlyphs = 4;
constexpr qsizetype outlineHeaderSize = 10; // numberOfContours and the bounding box

// The flags of a composite outline's component record that say how long the record is.
constexpr quint16 argumentsAreWords = 0x0001;
constexpr quint16 hasScale = 0x0008;
constexpr quint16 hasMoreComponents = 0x0020;
constexpr quint16 hasXAndYScale = 0x0040;
constexpr quint16 hasTwoByTwo = 0x0080;

// The checksum of a whole font file: 'head' holds the difference between it and the sum of the other bytes.
constexpr quint32 fontFileChecksum = 0xB1B0AFBA;

// Tables copied unchanged when the face has them: its hinting programs, metrics, names and character map.
constexpr const char* optionalTables[] = {"cvt ", "fpgm", "prep", "OS/2", "name", "post", "cmap"};
// Tables copied unchanged that every font file needs.
constexpr const char* requiredTables[] = {"hhea", "maxp", "hmtx"};

// The big-endian number at offset, or nothing when it does not lie wholly inside data.
template <typename T>
std::optional<T> readBigEndian(QByteArrayView data, qsizetype offset)
{
    if (offset < 0 || offset > data.size() - qsizetype(sizeof(T)))
        return std::nullopt;
    return qFromBigEndian<T>(data.data() + offset);
}

template <typename T>
void appendBigEndian(QByteArray& data, T value)
{
    const qsizetype offset = data.size();
    data.resize(offset + qsizetype(sizeof(T)));
    qToBigEndian(value, data.data() + offset);
}

void padToFourBytes(QByteArray& data)
{
    data.append((4 - data.size() % 4) % 4, '\0');
}

// The sum of the data's big-endian 32-bit words, the last one filled up with zeros.
quint32 checksum(QByteArrayView data)
{
    quint32 sum = 0;
    for (qsizetype offset = 0; offset < data.size(); offset += 4) {
        quint32 word = 0;
        for (qsizetype i = offset; i < offset + 4; ++i)
            word = word << 8 | (i < data.size() ? quint8(data[i]) : 0u);
        sum += word;
    }
    return sum;
}

// The tables of a face that the subset rebuilds, checked to be long enough for the fields read from them.
struct Face
{
    QByteArray head;
    QByteArray loca;
    QByteArray glyf;
    quint32 glyphCount = 0;
    bool longOffsets = false;
};

std::optional<Face> readFace(const PdfFontSubsetDetail::FontTables& tables)
{
    Face face{tables("head"), tables("loca"), tables("glyf")};
    const std::optional<quint16> glyphCount = readBigEndian<quint16>(tables("maxp"), maxpNumGlyphs);
    const std::optional<qint16> locaFormat = readBigEndian<qint16>(face.head, headIndexToLocFormat);
    if (face.head.size() < headSize || face.loca.isEmpty() || face.glyf.isEmpty() || !glyphCount || !locaFormat ||
        (*locaFormat != 0 && *locaFormat != 1))
        return std::nullopt;
    face.glyphCount = *glyphCount;
    face.longOffsets = *locaFormat == 1;
    return face;
}

// Where the 'loca' table says the glyph's outline starts (and the previous one ends).
std::optional<quint32> outlineStart(const Face& face, quint32 glyph)
{
    if (face.longOffsets)
        return readBigEndian<quint32>(face.loca, qsizetype(glyph) * 4);
    // Short offsets are stored halved.
    const std::optional<quint16> half = readBigEndian<quint16>(face.loca, qsizetype(glyph) * 2);
    return half ? std::optional<quint32>(*half * 2u) : std::nullopt;
}

// The glyph's outline; empty when it has none, or when 'loca' does not place it wholly inside 'glyf'.
QByteArrayView outline(const Face& face, quint32 glyph)
{
    const std::optional<quint32> start = outlineStart(face, glyph);
    const std::optional<quint32> end = outlineStart(face, glyph + 1);
    if (!start || !end || *start > *end || *end > quint64(face.glyf.size()))
        return {};
    return QByteArrayView(face.glyf).sliced(*start, *end - *start);
}

qsizetype scaleSize(quint16 flags)
{
    if (flags & hasTwoByTwo)
        return 8;
    if (flags & hasXAndYScale)
        return 4;
    return flags & hasScale ? 2 : 0;
}

// The glyphs a composite outline is made of; none for a simple outline. A record cut short ends the list.
std::vector<quint32> components(QByteArrayView outline)
{
    std::vector<quint32> parts;
    const std::optional<qint16> contourCount = readBigEndian<qint16>(outline, 0);
    if (!contourCount || *contourCount >= 0)
        return parts;
    qsizetype offset = outlineHeaderSize;
    for (bool more = true; more;) {
        const std::optional<quint16> flags = readBigEndian<quint16>(outline, offset);
        const std::optional<quint16> glyph = readBigEndian<quint16>(outline, offset + 2);
        if (!flags || !glyph)
            break;
        parts.push_back(*glyph);
        offset += 4 + ((*flags & argumentsAreWords) ? 4 : 2) + scaleSize(*flags);
        more = *flags & hasMoreComponents;
    }
    return parts;
}

// Glyph 0, the glyphs drawn, and the parts of every kept composite, however deep; numbers beyond the face are
// left out, and a composite that names itself is followed once.
std::vector<bool> keptGlyphs(const Face& face, const std::vector<quint32>& drawn)
{
    std::vector<bool> kept(face.glyphCount, false);
    std::vector<quint32> pending = drawn;
    pending.push_back(0);
    while (!pending.empty()) {
        const quint32 glyph = pending.back();
        pending.pop_back();
        if (glyph >= face.glyphCount || kept[glyph])
            continue;
        kept[glyph] = true;
        const std::vector<quint32> parts = components(outline(face, glyph));
        pending.insert(pending.end(), parts.begin(), parts.end());
    }
    return kept;
}

struct Outlines
{
    QByteArray glyf;
    QByteArray loca;
};

// The kept outlines, each padded to four bytes, and their places in long offsets; every other glyph is empty.
Outlines keptOutlines(const Face& face, const std::vector<bool>& kept)
{
    Outlines outlines;
    outlines.loca.reserve((qsizetype(face.glyphCount) + 1) * 4);
    for (quint32 glyph = 0; glyph < face.glyphCount; ++glyph) {
        appendBigEndian(outlines.loca, quint32(outlines.glyf.size()));
        if (kept[glyph]) {
            outlines.glyf += outline(face, glyph);
            padToFourBytes(outlines.glyf);
        }
    }
    appendBigEndian(outlines.loca, quint32(outlines.glyf.size()));
    return outlines;
}

// The face's 'head' for the rebuilt 'loca', with the file's checksum left for fontFile to fill in.
QByteArray headWithLongOffsets(QByteArray head)
{
    qToBigEndian(qint16(1), head.data() + headIndexToLocFormat);
    qToBigEndian(quint32(0), head.data() + headCheckSumAdjustment);
    return head;
}

// The font file of the tables, by tag; a std::map lists them in the directory's required order of tags.
QByteArray fontFile(const std::map<QByteArray, QByteArray>& tables)
{
    const quint16 count = quint16(tables.size());
    quint16 entrySelector = 0;
    while ((2u << entrySelector) <= count)
        ++entrySelector;
    const quint16 searchRange = quint16(16u << entrySelector);

    QByteArray file;
    appendBigEndian(file, quint32(0x00010000));
    appendBigEndian(file, count);
    appendBigEndian(file, searchRange);
    appendBigEndian(file, entrySelector);
    appendBigEndian(file, quint16(count * 16 - searchRange));
    qsizetype offset = file.size() + count * 16;
    qsizetype headOffset = 0;
    for (const auto& [tag, data] : tables) {
        if (tag == "head")
            headOffset = offset;
        file += tag;
        appendBigEndian(file, checksum(data));
        appendBigEndian(file, quint32(offset));
        appendBigEndian(file, quint32(data.size()));
        offset += (data.size() + 3) / 4 * 4;
    }
    for (const auto& [tag, data] : tables) {
        file += data;
        padToFourBytes(file);
    }
    qToBigEndian(quint32(fontFileChecksum - checksum(file)), file.data() + headOffset + headCheckSumAdjustment);
    return file;
}

} // namespace

QByteArray PdfFontSubsetDetail::trueTypeSubset(const FontTables& tables, const std::vector<quint32>& glyphs)
{
    const std::optional<Face> face = readFace(tables);
    if (!face)
        return {};
    std::map<QByteArray, QByteArray> subset;
    for (const char* tag : requiredTables) {
        subset[tag] = tables(tag);
        if (subset[tag].isEmpty())
            return {};
    }
    for (const char* tag : optionalTables) {
        const QByteArray table = tables(tag);
        if (!table.isEmpty())
            subset[tag] = table;
    }
    Outlines outlines = keptOutlines(*face, keptGlyphs(*face, glyphs));
    subset["glyf"] = std::move(outlines.glyf);
    subset["loca"] = std::move(outlines.loca);
    subset["head"] = headWithLongOffsets(face->head);
    return fontFile(subset);
}

QByteArray trueTypeSubset(const QRawFont& font, const std::vector<quint32>& glyphs)
{
    return PdfFontSubsetDetail::trueTypeSubset([&font](const char* tag) { return font.fontTable(tag); }, glyphs);
}
