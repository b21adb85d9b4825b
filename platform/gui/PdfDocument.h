// The file side of a PDF document: its pages with their content streams, and the fonts, pictures and shadings the
// pages use, written out as numbered objects with a table of where each one starts. A page's content is
// compressed on a worker thread as soon as the next page starts, while the caller goes on drawing.
//
// Fonts are embedded as subsets of the glyphs drawn with them, addressed by glyph number, with widths and a map from
// each glyph back to the character it shows, so that the text of the document can be searched and copied.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRawFont>

#include <memory>

// Appends a number the way a content stream writes it: at most four decimals, no exponent, a space after it.
void appendPdfNumber(QByteArray& out, double value);
// Appends a 2-byte code (a glyph number, a UTF-16 unit) as the four hexadecimal digits a PDF string holds it in.
void appendPdfHex4(QByteArray& out, quint32 code);

class PdfDocument
{
public:
    // How a face stands in for a style it does not have: thickened by outlining its glyphs, or slanted.
    struct Synthesis
    {
        bool bold = false;
        bool italic = false;
    };

    PdfDocument();
    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    // Ends the current page, if any, and starts one of the given size in points.
    void startPage(double width, double height);
    bool hasPage() const;
    // The content stream of the current page. Its coordinates have their origin at the page's top-left corner, y
    // growing downward.
    QByteArray& content();

    // The document's font for a face, the same one each time the face is asked for with the same style. bold and
    // italic are the style asked for: a face that lacks it has it made up when its text is drawn.
    int font(const QRawFont& face, bool bold, bool italic);
    // The name the pages use for a font.
    QByteArray fontName(int font) const;
    Synthesis synthesis(int font) const;
    // The pixel size of the font's face: a text size in points is the face's size scaled by size / pixelSize.
    double pixelSize(int font) const;
    // Whether the document can embed the font's face: only TrueType outlines can be. Text in another face must be
    // drawn as filled outlines; such a font is left out of the document when no glyph of it is noted as used.
    bool embeddable(int font) const;
    // Notes glyphs drawn with the font, each showing the character of the same position in characters (which may
    // be null when the characters are not known): their outlines go into the document and each reads back as its
    // character. A glyph already known keeps the character it first had.
    void useGlyphs(int font, const quint32* glyphs, qsizetype count, const QChar* characters = nullptr);
    // Notes what each character of text reads back as when the font's face draws it with its own glyph: for
    // glyphs placed by the layout engine, whose characters are not known one by one.
    void mapCharacters(int font, const QString& text);
    // Width of a glyph in thousandths of the text size, as the document's readers advance after it.
    double glyphWidth(int font, quint32 glyph);

    // The name the pages use for a picture; the same picture id is embedded once.
    QByteArray imageName(int id, const QImage& image);
    // The name the pages use for a linear shading from colour1 at start to colour2 at end, in page coordinates,
    // extended beyond both ends.
    QByteArray shadingName(QPointF start, const QColor& colour1, QPointF end, const QColor& colour2);

    // The whole document. Nothing can be added afterwards.
    QByteArray finish();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
