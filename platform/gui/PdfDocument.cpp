#include "PdfDocument.h"

#include "PdfFontSubset.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <QThreadPool>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

// Fonts are addressed by 2-byte glyph numbers.
constexpr quint32 glyphLimit = 0x10000;
// Page contents are compressed fast: a report of many pages waits for its compression, while the size it would
// save with more effort is small beside the fonts.
constexpr int contentCompression = 1;
constexpr int pictureCompression = 6;
// Photographs are embedded as JPEG at this quality: no visible loss at the sizes reports draw them.
constexpr int jpegQuality = 94;

quint16 tableWord(const QByteArray& table, int offset)
{
    if (offset + 2 > table.size())
        return 0;
    return qFromBigEndian<quint16>(table.constData() + offset);
}

qint16 tableShort(const QByteArray& table, int offset)
{
    return qint16(tableWord(table, offset));
}

// The style the face itself has, from its tables: what a bold or italic font asked of it must make up otherwise.
PdfDocument::Synthesis synthesisFor(const QRawFont& face, bool bold, bool italic)
{
    const QByteArray head = face.fontTable("head");
    const QByteArray os2 = face.fontTable("OS/2");
    const quint16 macStyle = tableWord(head, 44);
    constexpr int semiBoldWeight = 600;
    const bool faceBold = (macStyle & 1) != 0 || tableWord(os2, 4) >= semiBoldWeight;
    const bool faceItalic = (macStyle & 2) != 0 || (tableWord(os2, 62) & (1 | 0x200)) != 0;
    return {bold && !faceBold, italic && !faceItalic};
}

// zlib data as a FlateDecode stream holds it: qCompress puts the uncompressed length in front.
QByteArray deflated(const QByteArray& data, int level)
{
    return qCompress(data, level).mid(4);
}

// A name the way a PDF name must spell it: characters other than plain letters and digits as #xx.
QByteArray pdfName(const QString& text)
{
    QByteArray name;
    for (const char c : text.toUtf8()) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')
            name.append(c);
        else if (c != ' ')
            name.append('#').append(QByteArray::number(uchar(c), 16).rightJustified(2, '0'));
    }
    return name.isEmpty() ? QByteArray("Font") : name;
}

QByteArray colourArray(const QColor& colour)
{
    QByteArray out("[");
    appendPdfNumber(out, colour.redF());
    appendPdfNumber(out, colour.greenF());
    appendPdfNumber(out, colour.blueF());
    out.append(']');
    return out;
}

// Numbered objects written one after another, with where each one starts for the cross-reference table.
class ObjectWriter
{
public:
    explicit ObjectWriter(QByteArray& out) : out(out) {}

    // A number for an object written later.
    int reserve()
    {
        starts.push_back(-1);
        return int(starts.size());
    }

    void write(int number, const QByteArray& body)
    {
        starts[size_t(number - 1)] = out.size();
        out += QByteArray::number(number) + " 0 obj\n" + body + "\nendobj\n";
    }

    // A stream: dictionary entries (without the brackets) besides its length, then its data.
    void writeStream(int number, const QByteArray& entries, const QByteArray& data)
    {
        starts[size_t(number - 1)] = out.size();
        out += QByteArray::number(number) + " 0 obj\n<< " + entries + " /Length " + QByteArray::number(data.size()) +
               " >>\nstream\n" + data + "\nendstream\nendobj\n";
    }

    // The cross-reference table and the trailer naming the document's catalog.
    void finish(int catalog)
    {
        const qsizetype table = out.size();
        out += "xref\n0 " + QByteArray::number(starts.size() + 1) + "\n0000000000 65535 f \n";
        for (const qsizetype start : starts)
            out += QByteArray::number(start).rightJustified(10, '0') + " 00000 n \n";
        out += "trailer\n<< /Size " + QByteArray::number(starts.size() + 1) + " /Root " + reference(catalog) +
               " >>\nstartxref\n" + QByteArray::number(table) + "\n%%EOF\n";
    }

    static QByteArray reference(int number) { return QByteArray::number(number) + " 0 R"; }

private:
    QByteArray& out;
    std::vector<qsizetype> starts;
};

// The widths of the glyphs drawn, as a CIDFont's W array: runs of consecutive glyph numbers with their widths.
QByteArray widthArray(const std::vector<quint32>& glyphs, const std::function<double(quint32)>& width)
{
    QByteArray out("[");
    for (size_t i = 0; i < glyphs.size();) {
        out += QByteArray::number(glyphs[i]) + " [";
        size_t j = i;
        do {
            appendPdfNumber(out, width(glyphs[j]));
            ++j;
        } while (j < glyphs.size() && glyphs[j] == glyphs[j - 1] + 1);
        out += "] ";
        i = j;
    }
    out += ']';
    return out;
}

void appendUtf16Hex(QByteArray& out, char32_t c)
{
    const char32_t one[] = {c};
    for (const QChar unit : QString::fromUcs4(one, 1))
        appendPdfHex4(out, unit.unicode());
}

// The map from glyph numbers back to characters that lets readers search and copy the text.
QByteArray characterMap(const std::vector<quint32>& glyphs, const std::vector<char32_t>& characters)
{
    std::vector<quint32> mapped;
    for (const quint32 glyph : glyphs) {
        if (characters[glyph] != 0)
            mapped.push_back(glyph);
    }
    QByteArray out("/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                   "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                   "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                   "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n");
    // A map section holds at most 100 entries.
    constexpr size_t sectionSize = 100;
    for (size_t begin = 0; begin < mapped.size(); begin += sectionSize) {
        const size_t end = std::min(mapped.size(), begin + sectionSize);
        out += QByteArray::number(end - begin) + " beginbfchar\n";
        for (size_t i = begin; i < end; ++i) {
            out += '<';
            appendPdfHex4(out, mapped[i]);
            out += "> <";
            appendUtf16Hex(out, characters[mapped[i]]);
            out += ">\n";
        }
        out += "endbfchar\n";
    }
    out += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return out;
}

// Six capital letters that set one embedded subset apart from the others of the same face.
QByteArray subsetTag(int font)
{
    QByteArray tag(6, 'A');
    for (int i = 5; i >= 0 && font > 0; --i, font /= 26)
        tag[i] = char('A' + font % 26);
    return tag;
}

// The objects of one embedded font: the font the pages name, its glyphs' widths, its description, its subset of
// the face and its map back to characters. Returns the number of the font the pages name.
int writeFont(ObjectWriter& objects, const QRawFont& face, PdfDocument::Synthesis synthesis, int index,
              const std::vector<quint32>& glyphs, const std::vector<char32_t>& characters,
              const std::function<double(quint32)>& width)
{
    const QByteArray baseFont = '/' + subsetTag(index) + '+' + pdfName(face.familyName() + face.styleName());
    const QByteArray head = face.fontTable("head");
    const double perEm = face.unitsPerEm() > 0 ? 1000.0 / face.unitsPerEm() : 1;
    const double perPixel = face.pixelSize() > 0 ? 1000.0 / face.pixelSize() : 1;
    // Flags of a font description: glyphs outside the standard Latin set, and slanted ones.
    constexpr int symbolic = 4;
    constexpr int italic = 64;
    const bool slanted = synthesis.italic || face.style() != QFont::StyleNormal;
    QByteArray descriptor = "<< /Type /FontDescriptor /FontName " + baseFont + " /Flags " +
                            QByteArray::number(slanted ? symbolic | italic : symbolic) + " /FontBBox [";
    for (const int offset : {36, 38, 40, 42})
        appendPdfNumber(descriptor, tableShort(head, offset) * perEm);
    descriptor += "] /ItalicAngle 0 /Ascent ";
    appendPdfNumber(descriptor, face.ascent() * perPixel);
    descriptor += "/Descent ";
    appendPdfNumber(descriptor, -face.descent() * perPixel);
    descriptor += "/CapHeight ";
    appendPdfNumber(descriptor, face.capHeight() * perPixel);
    descriptor += "/StemV 80";
    // A face whose outlines cannot be read is named, not embedded: readers draw it with a face of their own.
    const QByteArray file = trueTypeSubset(face, glyphs);
    if (!file.isEmpty()) {
        const int fileObject = objects.reserve();
        objects.writeStream(fileObject, "/Length1 " + QByteArray::number(file.size()) + " /Filter /FlateDecode",
                            deflated(file, pictureCompression));
        descriptor += " /FontFile2 " + ObjectWriter::reference(fileObject);
    }
    descriptor += " >>";
    const int descriptorObject = objects.reserve();
    objects.write(descriptorObject, descriptor);

    const int glyphFont = objects.reserve();
    objects.write(glyphFont, "<< /Type /Font /Subtype /CIDFontType2 /BaseFont " + baseFont +
                                 " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
                                 " /FontDescriptor " +
                                 ObjectWriter::reference(descriptorObject) + " /CIDToGIDMap /Identity /W " +
                                 widthArray(glyphs, width) + " >>");
    const int map = objects.reserve();
    objects.writeStream(map, "/Filter /FlateDecode", deflated(characterMap(glyphs, characters), pictureCompression));
    const int font = objects.reserve();
    objects.write(font, "<< /Type /Font /Subtype /Type0 /BaseFont " + baseFont +
                            " /Encoding /Identity-H /DescendantFonts [" + ObjectWriter::reference(glyphFont) +
                            "] /ToUnicode " + ObjectWriter::reference(map) + " >>");
    return font;
}

} // namespace

void appendPdfHex4(QByteArray& out, quint32 code)
{
    static const char digits[] = "0123456789ABCDEF";
    const char text[] = {digits[(code >> 12) & 0xF], digits[(code >> 8) & 0xF], digits[(code >> 4) & 0xF],
                         digits[code & 0xF]};
    out.append(text, 4);
}

void appendPdfNumber(QByteArray& out, double value)
{
    // Beyond what readers take as a real number; far outside any page.
    constexpr double largest = 1.0e7;
    constexpr int decimals = 4;
    constexpr long long unit = 10000;
    value = std::isfinite(value) ? std::clamp(value, -largest, largest) : 0;
    const long long units = std::llround(value * unit);
    unsigned long long whole = static_cast<unsigned long long>(units < 0 ? -units : units);
    unsigned long long fraction = whole % unit;
    whole /= unit;
    // Written from the end backwards.
    char text[32];
    char* const end = text + sizeof text;
    char* at = end;
    *--at = ' ';
    if (fraction != 0) {
        int digits = decimals;
        for (; fraction % 10 == 0; fraction /= 10)
            --digits;
        for (; digits > 0; --digits, fraction /= 10)
            *--at = char('0' + fraction % 10);
        *--at = '.';
    }
    do {
        *--at = char('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (units < 0)
        *--at = '-';
    out.append(at, end - at);
}

struct PdfDocument::Private
{
    struct Page
    {
        double width = 0;
        double height = 0;
        QByteArray content;
        // Set by the worker that compresses the content.
        QByteArray compressed;
    };

    struct Font
    {
        QRawFont face;
        double pixelSize = 0;
        bool trueType = false;
        QString key;
        Synthesis synthesis;
        // Per glyph number: whether it is drawn, the character it reads back as (0: none known), its width (< 0:
        // not measured yet).
        std::vector<bool> used;
        std::vector<char32_t> characters;
        std::vector<double> widths;

        void grow(quint32 glyph)
        {
            if (glyph < used.size())
                return;
            const size_t size = std::min<size_t>(glyphLimit, std::max<size_t>(glyph + 1, used.size() * 2));
            used.resize(size, false);
            characters.resize(size, 0);
            widths.resize(size, -1);
        }

        // A glyph reads back as the first character it showed, but a glyph that also shows a space reads back as a
        // space: a face may draw a tab, a no-break space and a space alike. Control characters never.
        void noteCharacter(quint32 glyph, char32_t c)
        {
            if (c < 0x20 || c == 0x7F)
                return;
            char32_t& known = characters[glyph];
            if (known == 0 || c == u' ')
                known = c;
        }
    };

    struct Image
    {
        int width = 0;
        int height = 0;
        QByteArray colour; // compressed RGB samples
        QByteArray colourFilter;
        QByteArray alpha; // compressed alpha samples; empty for an opaque picture
    };

    std::vector<std::unique_ptr<Page>> pages;
    std::vector<Font> fonts;
    QHash<QString, int> fontIds;
    // Pictures by the caller's id: their stream objects, in order of first use.
    QHash<int, int> imageIndexes;
    std::vector<Image> images;
    QHash<QByteArray, int> shadingIndexes;
    std::vector<QByteArray> shadings;
    QThreadPool compressors;

    void compressCurrentPage()
    {
        if (pages.empty())
            return;
        Page* page = pages.back().get();
        compressors.start([page] {
            page->compressed = deflated(page->content, contentCompression);
            page->content = QByteArray();
        });
    }

    Font& fontAt(int font) { return fonts[size_t(font)]; }
};

PdfDocument::PdfDocument() : d(std::make_unique<Private>()) {}

PdfDocument::~PdfDocument()
{
    d->compressors.waitForDone();
}

void PdfDocument::startPage(double width, double height)
{
    d->compressCurrentPage();
    auto page = std::make_unique<Private::Page>();
    page->width = width;
    page->height = height;
    // The page's own coordinates turned so that the origin is at the top-left corner and y grows downward.
    page->content = "1 0 0 -1 0 ";
    appendPdfNumber(page->content, height);
    page->content.append("cm\n");
    d->pages.push_back(std::move(page));
}

bool PdfDocument::hasPage() const
{
    return !d->pages.empty();
}

QByteArray& PdfDocument::content()
{
    return d->pages.back()->content;
}

int PdfDocument::font(const QRawFont& face, bool bold, bool italic)
{
    const Synthesis synthesis = synthesisFor(face, bold, italic);
    const QString key = face.familyName() + u'\n' + face.styleName() + u'\n' + QString::number(face.weight()) + u'\n' +
                        QString::number(int(face.style())) + (synthesis.bold ? u'B' : u'-') +
                        (synthesis.italic ? u'I' : u'-');
    const auto known = d->fontIds.constFind(key);
    if (known != d->fontIds.constEnd())
        return *known;
    Private::Font font;
    font.face = face;
    font.pixelSize = face.pixelSize();
    font.trueType = !face.fontTable("glyf").isEmpty() && !face.fontTable("loca").isEmpty();
    font.key = key;
    font.synthesis = synthesis;
    d->fonts.push_back(std::move(font));
    const int id = int(d->fonts.size()) - 1;
    d->fontIds.insert(key, id);
    return id;
}

QByteArray PdfDocument::fontName(int font) const
{
    return "/F" + QByteArray::number(font);
}

PdfDocument::Synthesis PdfDocument::synthesis(int font) const
{
    return d->fonts[size_t(font)].synthesis;
}

double PdfDocument::pixelSize(int font) const
{
    return d->fonts[size_t(font)].pixelSize;
}

bool PdfDocument::embeddable(int font) const
{
    return d->fonts[size_t(font)].trueType;
}

void PdfDocument::useGlyphs(int font, const quint32* glyphs, qsizetype count, const QChar* characters)
{
    Private::Font& f = d->fontAt(font);
    for (qsizetype i = 0; i < count; ++i) {
        const quint32 glyph = glyphs[i];
        if (glyph >= glyphLimit)
            continue;
        f.grow(glyph);
        f.used[glyph] = true;
        if (characters)
            f.noteCharacter(glyph, characters[i].unicode());
    }
}

void PdfDocument::mapCharacters(int font, const QString& text)
{
    Private::Font& f = d->fontAt(font);
    for (const char32_t c : text.toUcs4()) {
        const char32_t one[] = {c};
        const QVector<quint32> glyph = f.face.glyphIndexesForString(QString::fromUcs4(one, 1));
        if (glyph.size() != 1 || glyph[0] == 0 || glyph[0] >= glyphLimit)
            continue;
        f.grow(glyph[0]);
        f.noteCharacter(glyph[0], c);
    }
}

double PdfDocument::glyphWidth(int font, quint32 glyph)
{
    Private::Font& f = d->fontAt(font);
    if (glyph >= glyphLimit)
        return 0;
    f.grow(glyph);
    double& width = f.widths[glyph];
    if (width < 0) {
        const QVector<QPointF> advance = f.face.advancesForGlyphIndexes({glyph}, QRawFont::UseDesignMetrics);
        // Advances in 1/64 of a pixel, as the layout engine places glyphs.
        const double pixels = std::round(advance.value(0).x() * 64) / 64;
        width = f.face.pixelSize() > 0 ? pixels * 1000 / f.face.pixelSize() : 0;
    }
    return width;
}

QByteArray PdfDocument::imageName(int id, const QImage& image)
{
    auto known = d->imageIndexes.constFind(id);
    if (known == d->imageIndexes.constEnd()) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
        QByteArray pixels;
        pixels.reserve(qsizetype(rgb.width()) * rgb.height() * 3);
        for (int y = 0; y < rgb.height(); ++y)
            pixels.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), qsizetype(rgb.width()) * 3);
        QByteArray alpha;
        if (image.hasAlphaChannel()) {
            const QImage mask = image.convertToFormat(QImage::Format_Alpha8);
            for (int y = 0; y < mask.height(); ++y)
                alpha.append(reinterpret_cast<const char*>(mask.constScanLine(y)), mask.width());
        }
        Private::Image embedded{rgb.width(), rgb.height(), deflated(pixels, pictureCompression), "/FlateDecode",
                                alpha.isEmpty() ? QByteArray() : deflated(alpha, pictureCompression)};
        // A photograph takes a fraction of the room as a JPEG; drawings and plain areas compress better losslessly.
        if (alpha.isEmpty()) {
            QByteArray jpeg;
            QBuffer buffer(&jpeg);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "jpeg");
            writer.setQuality(jpegQuality);
            if (writer.write(rgb) && jpeg.size() < embedded.colour.size()) {
                embedded.colour = jpeg;
                embedded.colourFilter = "/DCTDecode";
            }
        }
        d->images.push_back(std::move(embedded));
        known = d->imageIndexes.insert(id, int(d->images.size()) - 1);
    }
    return "/Im" + QByteArray::number(*known);
}

QByteArray PdfDocument::shadingName(QPointF start, const QColor& colour1, QPointF end, const QColor& colour2)
{
    QByteArray dictionary("<< /ShadingType 2 /ColorSpace /DeviceRGB /Coords [");
    appendPdfNumber(dictionary, start.x());
    appendPdfNumber(dictionary, start.y());
    appendPdfNumber(dictionary, end.x());
    appendPdfNumber(dictionary, end.y());
    dictionary += "] /Function << /FunctionType 2 /Domain [0 1] /C0 " + colourArray(colour1) + " /C1 " +
                  colourArray(colour2) + " /N 1 >> /Extend [true true] >>";
    auto known = d->shadingIndexes.constFind(dictionary);
    if (known == d->shadingIndexes.constEnd()) {
        d->shadings.push_back(dictionary);
        known = d->shadingIndexes.insert(dictionary, int(d->shadings.size()) - 1);
    }
    return "/Sh" + QByteArray::number(*known);
}

QByteArray PdfDocument::finish()
{
    if (d->pages.empty())
        startPage(595, 842); // a document has at least one page
    d->compressCurrentPage();
    d->compressors.waitForDone();

    QByteArray out("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    ObjectWriter objects(out);
    const int catalog = objects.reserve();
    const int pageTree = objects.reserve();
    const int resources = objects.reserve();
    objects.write(catalog, "<< /Type /Catalog /Pages " + ObjectWriter::reference(pageTree) + " >>");

    QByteArray fontEntries;
    for (size_t i = 0; i < d->fonts.size(); ++i) {
        Private::Font& font = d->fonts[i];
        std::vector<quint32> glyphs;
        for (quint32 glyph = 0; glyph < font.used.size(); ++glyph) {
            if (font.used[glyph])
                glyphs.push_back(glyph);
        }
        // A font no text was shown in is named by no page.
        if (glyphs.empty())
            continue;
        const int number = writeFont(objects, font.face, font.synthesis, int(i), glyphs, font.characters,
                                     [&](quint32 glyph) { return glyphWidth(int(i), glyph); });
        fontEntries += fontName(int(i)) + ' ' + ObjectWriter::reference(number) + ' ';
    }
    QByteArray imageEntries;
    for (size_t i = 0; i < d->images.size(); ++i) {
        const Private::Image& image = d->images[i];
        const QByteArray size = " /Width " + QByteArray::number(image.width) + " /Height " +
                                QByteArray::number(image.height) + " /BitsPerComponent 8 /Interpolate true";
        QByteArray mask;
        if (!image.alpha.isEmpty()) {
            const int alpha = objects.reserve();
            objects.writeStream(
                alpha, "/Type /XObject /Subtype /Image /ColorSpace /DeviceGray" + size + " /Filter /FlateDecode",
                image.alpha);
            mask = " /SMask " + ObjectWriter::reference(alpha);
        }
        const int colour = objects.reserve();
        objects.writeStream(colour,
                            "/Type /XObject /Subtype /Image /ColorSpace /DeviceRGB" + size + " /Filter " +
                                image.colourFilter + mask,
                            image.colour);
        imageEntries += "/Im" + QByteArray::number(qsizetype(i)) + ' ' + ObjectWriter::reference(colour) + ' ';
    }
    QByteArray shadingEntries;
    for (size_t i = 0; i < d->shadings.size(); ++i) {
        const int number = objects.reserve();
        objects.write(number, d->shadings[i]);
        shadingEntries += "/Sh" + QByteArray::number(qsizetype(i)) + ' ' + ObjectWriter::reference(number) + ' ';
    }
    objects.write(resources, "<< /ProcSet [/PDF /Text /ImageB /ImageC] /Font << " + fontEntries + ">> /XObject << " +
                                 imageEntries + ">> /Shading << " + shadingEntries + ">> >>");

    QByteArray kids;
    for (const auto& page : d->pages) {
        const int pageObject = objects.reserve();
        const int content = objects.reserve();
        QByteArray mediaBox("[0 0 ");
        appendPdfNumber(mediaBox, page->width);
        appendPdfNumber(mediaBox, page->height);
        mediaBox += ']';
        objects.write(pageObject, "<< /Type /Page /Parent " + ObjectWriter::reference(pageTree) + " /MediaBox " +
                                      mediaBox + " /Resources " + ObjectWriter::reference(resources) + " /Contents " +
                                      ObjectWriter::reference(content) + " >>");
        objects.writeStream(content, "/Filter /FlateDecode", page->compressed);
        page->compressed = QByteArray();
        kids += ObjectWriter::reference(pageObject) + ' ';
    }
    objects.write(pageTree,
                  "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(d->pages.size()) + " >>");
    objects.finish(catalog);
    return out;
}
