#include "PdfFontSubset.h"

#include <QFont>
#include <QPainterPath>
#include <QtEndian>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>

namespace {

using Tables = std::map<QByteArray, QByteArray>;

QByteArray bigEndian16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray bigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// Reads past the end give zeros, so that a damaged file fails the checks rather than the test.
quint16 read16(const QByteArray& data, qsizetype offset)
{
    return qFromBigEndian<quint16>(data.mid(offset, 2).leftJustified(2, '\0').constData());
}

quint32 read32(const QByteArray& data, qsizetype offset)
{
    return qFromBigEndian<quint32>(data.mid(offset, 4).leftJustified(4, '\0').constData());
}

quint32 checksum(QByteArray data)
{
    data.append((4 - data.size() % 4) % 4, '\0');
    quint32 sum = 0;
    for (qsizetype offset = 0; offset < data.size(); offset += 4)
        sum += read32(data, offset);
    return sum;
}

// The tables of a font file, as its directory places them.
Tables tablesOf(const QByteArray& file)
{
    Tables tables;
    for (int i = 0; i < read16(file, 4); ++i) {
        const qsizetype entry = 12 + i * 16;
        tables[file.mid(entry, 4)] = file.mid(read32(file, entry + 8), read32(file, entry + 12));
    }
    return tables;
}

// What is wrong with a font file's structure, or "" when nothing is.
std::string fontFileFault(const QByteArray& file)
{
    const int count = read16(file, 4);
    int searchRange = 16;
    while (searchRange * 2 <= count * 16)
        searchRange *= 2;
    if (read32(file, 0) != 0x00010000 || read16(file, 6) != searchRange || 16 << read16(file, 8) != searchRange ||
        read16(file, 10) != count * 16 - searchRange)
        return "a wrong header";
    QByteArray previousTag;
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = 12 + i * 16;
        const QByteArray tag = file.mid(entry, 4);
        const quint32 offset = read32(file, entry + 8);
        QByteArray table = file.mid(offset, read32(file, entry + 12));
        if (tag <= previousTag)
            return "the directory out of order at " + tag.toStdString();
        if (offset % 4 != 0 || table.size() != read32(file, entry + 12))
            return "misplaced " + tag.toStdString();
        if (tag == "head")
            table.replace(8, 4, bigEndian32(0));
        if (checksum(table) != read32(file, entry + 4))
            return "a wrong checksum of " + tag.toStdString();
        previousTag = tag;
    }
    if (checksum(file) != 0xB1B0AFBA)
        return "a wrong checksum of the file";
    const Tables tables = tablesOf(file);
    const QByteArray& loca = tables.at("loca");
    if (read16(tables.at("head"), 50) != 1 || loca.size() != (read16(tables.at("maxp"), 4) + 1) * 4 ||
        read32(loca, loca.size() - 4) != quint32(tables.at("glyf").size()))
        return "a 'loca' that does not fit";
    for (qsizetype offset = 0; offset + 4 < loca.size(); offset += 4) {
        if (read32(loca, offset) % 4 != 0 || read32(loca, offset) > read32(loca, offset + 4))
            return "a misplaced outline";
    }
    return "";
}

// Every glyph's outline in a font file.
std::vector<QByteArray> outlinesOf(const QByteArray& file)
{
    const Tables tables = tablesOf(file);
    const QByteArray& loca = tables.at("loca");
    std::vector<QByteArray> outlines;
    for (qsizetype offset = 0; offset + 4 < loca.size(); offset += 4) {
        const quint32 start = read32(loca, offset);
        outlines.push_back(tables.at("glyf").mid(start, read32(loca, offset + 4) - start));
    }
    return outlines;
}

QByteArray simpleOutline(char mark)
{
    return bigEndian16(1) + QByteArray(10, mark);
}

struct Component
{
    quint16 glyph;
    quint16 flags = 0;
    // As many as the flags ask for: byte arguments and no scale unless told.
    int argumentAndScaleBytes = 2;
};

QByteArray compositeOutline(const std::vector<Component>& components)
{
    const quint16 moreComponents = 0x0020;
    QByteArray outline = bigEndian16(quint16(-1)) + QByteArray(8, '\0');
    for (size_t i = 0; i < components.size(); ++i) {
        const Component& component = components[i];
        outline += bigEndian16(component.flags | (i + 1 < components.size() ? moreComponents : 0)) +
                   bigEndian16(component.glyph) + QByteArray(component.argumentAndScaleBytes, '\xff');
    }
    return outline;
}

// Glyphs 0 to 4 and 7 are simple; 5 is made of 1 and 2, and 6 of 5.
std::vector<QByteArray> outlines()
{
    return {simpleOutline('0'), simpleOutline('1'),           simpleOutline('2'),      simpleOutline('3'),
            simpleOutline('4'), compositeOutline({{1}, {2}}), compositeOutline({{5}}), simpleOutline('7')};
}

std::vector<QByteArray> outlinesWith(quint32 glyph, const QByteArray& outline)
{
    std::vector<QByteArray> changed = outlines();
    changed[glyph] = outline;
    return changed;
}

// A face of the outlines with the other tables a subset needs, blank.
Tables face(const std::vector<QByteArray>& outlines, bool longOffsets = true)
{
    QByteArray glyf;
    QByteArray loca;
    const auto place = [&] { loca += longOffsets ? bigEndian32(glyf.size()) : bigEndian16(glyf.size() / 2); };
    for (const QByteArray& outline : outlines) {
        place();
        glyf += outline;
    }
    place();
    const quint16 count = quint16(outlines.size());
    QByteArray head(54, '\0');
    head[51] = longOffsets ? 1 : 0;
    return {{"head", head},
            {"hhea", QByteArray(34, '\0') + bigEndian16(count)},
            {"maxp", bigEndian32(0x5000) + bigEndian16(count)},
            {"hmtx", QByteArray(count * 4, '\0')},
            {"loca", loca},
            {"glyf", glyf}};
}

QByteArray subsetOf(const Tables& face, const std::vector<quint32>& drawn)
{
    const auto table = [&face](const char* tag) { return face.contains(tag) ? face.at(tag) : QByteArray(); };
    return PdfFontSubsetDetail::trueTypeSubset(table, drawn);
}

// The kept glyphs' outlines padded to four bytes, and nothing for the others.
std::vector<QByteArray> keptOutlines(const std::vector<QByteArray>& outlines, const std::set<quint32>& kept)
{
    std::vector<QByteArray> expected(outlines.size());
    for (const quint32 glyph : kept)
        expected[glyph] = outlines[glyph] + QByteArray((4 - outlines[glyph].size() % 4) % 4, '\0');
    return expected;
}

} // namespace

TEST(PdfFontSubsetTest, glyphZeroTheDrawnGlyphsAndThePartsOfCompositesAreKept)
{
    struct Case
    {
        const char* what;
        std::vector<quint32> drawn;
        std::set<quint32> kept;
    };
    const Case cases[] = {
        {"nothing drawn", {}, {0}},
        {"glyphs in any order, repeated", {4, 3, 4}, {0, 3, 4}},
        {"numbers beyond the face", {3, 8, 70000, 0xFFFFFFFF}, {0, 3}},
        {"a composite", {5}, {0, 1, 2, 5}},
        {"a composite within a composite", {6}, {0, 1, 2, 5, 6}},
    };
    for (const bool longOffsets : {false, true}) {
        for (const Case& c : cases) {
            const QByteArray subset = subsetOf(face(outlines(), longOffsets), c.drawn);
            const char* offsets = longOffsets ? "long offsets" : "short offsets";
            EXPECT_EQ(fontFileFault(subset), "") << c.what << ", " << offsets;
            EXPECT_EQ(outlinesOf(subset), keptOutlines(outlines(), c.kept)) << c.what << ", " << offsets;
        }
    }
}

TEST(PdfFontSubsetTest, everyKindOfComponentRecordIsSteppedOver)
{
    struct Case
    {
        const char* what;
        quint16 flags;
        int argumentAndScaleBytes;
    };
    const Case cases[] = {
        {"byte arguments", 0x0000, 2},
        {"word arguments", 0x0001, 4},
        {"one scale", 0x0008, 4},
        {"x and y scales", 0x0040, 6},
        {"a two by two matrix", 0x0080, 10},
        {"word arguments and a two by two matrix", 0x0081, 12},
    };
    for (const Case& c : cases) {
        const std::vector<QByteArray> changed =
            outlinesWith(5, compositeOutline({{1, c.flags, c.argumentAndScaleBytes}, {2}}));
        EXPECT_EQ(outlinesOf(subsetOf(face(changed), {5})), keptOutlines(changed, {0, 1, 2, 5})) << c.what;
    }
}

TEST(PdfFontSubsetTest, aDamagedFaceGivesAWellFormedSubsetOrNone)
{
    struct Case
    {
        const char* what;
        std::vector<QByteArray> outlines;
        std::function<void(Tables&)> damage;
        std::vector<quint32> drawn;
        // Nothing when the subset must be empty.
        std::optional<std::set<quint32>> kept;
    };
    const auto intact = [](Tables&) {};
    const Case cases[] = {
        {"a component beyond the face",
         outlinesWith(5, compositeOutline({{1}, {8}, {2}})),
         intact,
         {5},
         {{0, 1, 2, 5}}},
        {"composites made of each other", outlinesWith(5, compositeOutline({{6}, {1}})), intact, {6}, {{0, 1, 5, 6}}},
        {"a component record cut short",
         outlinesWith(5, compositeOutline({{1}, {2}}).chopped(3)),
         intact,
         {5},
         {{0, 1, 5}}},
        {"'loca' cut short", outlines(), [](Tables& t) { t["loca"].truncate(4 * 4); }, {2, 3, 5}, {{0, 2}}},
        {"'glyf' cut short", outlines(), [](Tables& t) { t["glyf"].chop(1); }, {3, 7}, {{0, 3}}},
        {"a 'loca' entry beyond 'glyf'",
         outlines(),
         [](Tables& t) { t["loca"].replace(4 * 4, 4, bigEndian32(0xFFFFFFFF)); },
         {3, 4},
         {{0}}},
        {"'head' cut short", outlines(), [](Tables& t) { t["head"].truncate(52); }, {3}, std::nullopt},
        {"an unknown 'loca' format", outlines(), [](Tables& t) { t["head"][51] = 2; }, {3}, std::nullopt},
        {"'maxp' cut short", outlines(), [](Tables& t) { t["maxp"].truncate(5); }, {3}, std::nullopt},
        {"no 'loca'", outlines(), [](Tables& t) { t.erase("loca"); }, {3}, std::nullopt},
        {"no 'glyf'", outlines(), [](Tables& t) { t.erase("glyf"); }, {3}, std::nullopt},
        {"no 'hmtx'", outlines(), [](Tables& t) { t.erase("hmtx"); }, {3}, std::nullopt},
    };
    for (const Case& c : cases) {
        Tables damaged = face(c.outlines);
        c.damage(damaged);
        const QByteArray subset = subsetOf(damaged, c.drawn);
        if (!c.kept) {
            EXPECT_TRUE(subset.isEmpty()) << c.what;
            continue;
        }
        EXPECT_EQ(fontFileFault(subset), "") << c.what;
        EXPECT_EQ(outlinesOf(subset), keptOutlines(c.outlines, *c.kept)) << c.what;
    }
}

TEST(PdfFontSubsetTest, aSubsetOfAnInstalledFaceDrawsTheKeptGlyphsAsTheFaceDoes)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(1000);
    const QRawFont face = QRawFont::fromFont(font);
    ASSERT_EQ(face.familyName(), QStringLiteral("DejaVu Sans"));
    const QList<quint32> drawn = face.glyphIndexesForString(QStringLiteral("Kronvel ą"));
    const QByteArray subset = trueTypeSubset(face, {drawn.begin(), drawn.end()});
    ASSERT_EQ(fontFileFault(subset), "");
    EXPECT_LT(tablesOf(subset).at("glyf").size(), face.fontTable("glyf").size() / 100);

    const QRawFont loaded(subset, 1000);
    ASSERT_TRUE(loaded.isValid());
    struct Case
    {
        const char* what;
        QString character;
        bool kept;
    };
    const Case cases[] = {
        {"a drawn letter", QStringLiteral("K"), true},          {"a drawn composite", QStringLiteral("ą"), true},
        {"a part of the composite", QStringLiteral("a"), true}, {"a letter not drawn", QStringLiteral("Z"), false},
        {"a composite not drawn", QStringLiteral("Ł"), false},
    };
    for (const Case& c : cases) {
        const quint32 glyph = face.glyphIndexesForString(c.character).value(0);
        ASSERT_NE(glyph, 0u) << c.what;
        EXPECT_EQ(loaded.pathForGlyph(glyph).isEmpty(), !c.kept) << c.what;
        if (c.kept) {
            EXPECT_EQ(loaded.pathForGlyph(glyph).boundingRect(), face.pathForGlyph(glyph).boundingRect()) << c.what;
        }
        EXPECT_EQ(loaded.advancesForGlyphIndexes({glyph}), face.advancesForGlyphIndexes({glyph})) << c.what;
    }
}
