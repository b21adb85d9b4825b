#include "PdfLibrary.h"

#include "FileSystem.h"
#include "Fonts.h"
#include "PdfDocument.h"

#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPageSize>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>
#include <QTransform>
#include <QVarLengthArray>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// Text is laid out and measured at one large reference size and drawn scaled down to the size asked for: small
// sizes get rounded metrics (and some faces bitmap strikes), which would make a text measured at 4.5 pt other than
// half of itself at 9 pt and would space the glyphs unevenly.
constexpr int referenceSize = 1000;
// Wrapping at a width that was itself measured must keep the text on one line, whatever rounding the width took
// on its way through the scales. In reference units.
constexpr double wrapTolerance = 0.5;
// The width of an unwrapped line is bounded only by this, in reference units.
constexpr double unboundedWidth = 1.0e9;
// A text box narrower than this (in points on paper) is taken as this wide.
constexpr double minimumBoxWidth = 0.01;
// Advances and widths of the layout engine are fixed-point numbers in 1/64 of a reference unit.
constexpr int fixedPointUnit = 64;
// Text drawn glyph by glyph is taken to fit on a line, or not to, only when its width with the ink its last glyph
// puts past its advance is this far (in reference units) from the line's width: the layout engine rounds glyph boxes
// its own way, and a text closer than that is laid out by the engine.
constexpr int inkRounding = 1;
// Laid-out texts kept so that a text measured for a box is drawn from the same layout: enough for every cell of a
// table page, whose rows are all measured before any is drawn.
constexpr qsizetype layoutCacheLimit = 1024;
const QString ellipsis = QString(QChar(0x2026));
// How far a face's upright glyphs lean when it stands in for its italic: the tangent of about 11 degrees.
constexpr double syntheticSlant = 0.2;
// How thick the outline is that a face's glyphs are drawn with when it stands in for its bold, in text sizes.
constexpr double syntheticBoldStroke = 0.03;
// Glyphs closer than this to where the one before them leaves off (in reference units) are taken to follow it.
constexpr double glyphPlacementTolerance = 0.001;
// The resolution a document's text is laid out for: points.
constexpr double pointsPerMetre = 72 / 0.0254;

QColor toColor(const PdfRgb& c)
{
    return QColor::fromRgbF(float(std::clamp(c.R, 0.0, 1.0)), float(std::clamp(c.G, 0.0, 1.0)),
                            float(std::clamp(c.B, 0.0, 1.0)));
}

// Hard line breaks of every convention become the layout's own line separator.
QString withLineSeparators(QString text)
{
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    text.replace(u'\n', QChar::LineSeparator);
    text.replace(u'\r', QChar::LineSeparator);
    return text;
}

struct FontStyle
{
    QString face;
    bool bold = false;
    bool italic = false;
};

// Characters that the layout engine draws one glyph each, at its advance, with no shaping, kerning, bidirectional
// reordering or font fallback: the Latin letters, digits and the punctuation of names, dates and places.
constexpr char16_t lastGlyphByGlyph = 0x2026;
bool drawnGlyphByGlyph(char16_t c)
{
    if (c >= 0x20 && c <= 0x7E)
        return true;
    if (c >= 0xA0 && c <= 0x24F)
        return c != 0xAD; // a soft hyphen may turn into a hyphen at a break
    return c == 0x2013 || c == 0x2014 || c == 0x2018 || c == 0x2019 || c == 0x201C || c == 0x201D || c == 0x201E ||
           c == 0x2026;
}

bool isBlank(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' '; });
}

// A value in reference units as the layout engine keeps it: cut to its fixed-point step.
int toFixedPoint(double value)
{
    return int(value * fixedPointUnit);
}

FontStyle parseFontName(const QString& name)
{
    struct Suffix
    {
        const char* text;
        bool bold;
        bool italic;
    };
    static const Suffix suffixes[] = {
        {" [BoldItalic]", true, true}, {" [Bold]", true, false}, {" [Italic]", false, true}};
    for (const Suffix& s : suffixes) {
        const QLatin1String suffix(s.text);
        if (name.endsWith(suffix, Qt::CaseInsensitive))
            return {name.chopped(suffix.size()), s.bold, s.italic};
    }
    return {name, false, false};
}

} // namespace

struct PdfLibrary::Private
{
    struct State
    {
        QColor lineColour = Qt::black;
        QColor textColour = Qt::black;
        QColor fillColour = Qt::black;
        // The gradient filled with instead of the plain colour; none when empty.
        QString fillGradient;
        double lineWidth = 1;
        double dash = 0;
        double gap = 0;
        int font = -1;
        double textSize = 10;
        int align = AlignLeft;
    };

    // What the page's content stream has set so far, so that only changes are written.
    struct Ink
    {
        QColor stroke = Qt::black;
        QColor fill = Qt::black;
        double lineWidth = 1;
        double dash = 0;
        double gap = 0;
        int font = -1;
        double fontSize = 0;
    };

    struct Gradient
    {
        QPointF start;
        QColor colour1;
        QPointF end;
        QColor colour2;
    };

    PdfDocument document;
    // Text is laid out for this device: points.
    QImage measuringDevice{1, 1, QImage::Format_RGB32};
    QSize pageSize{595, 842};
    bool finished = false;
    int pageCount = 1;
    // A page asked for is started when something is drawn on it, so that the page size set right after asking
    // applies to it.
    bool pageStartPending = true;
    double scale = 1;

    // A line of a text drawn glyph by glyph: where it lies in the text and how wide it is. Each glyph advances by
    // its width in the document's font.
    struct GlyphSpan
    {
        qsizetype start = 0;
        qsizetype length = 0;
        int width = 0; // fixed point
    };
    // A document font with what drawing its text needs to know of it.
    struct TextFace
    {
        int font = -1;
        double pixelSize = 0;
        PdfDocument::Synthesis synthesis;
        // False for a face the document cannot embed: its glyphs are drawn as outlines.
        bool embedded = true;
    };

    struct LoadedFont
    {
        QFont font;
        Fonts::LineExtents extents;
        QRawFont raw;
        // The document's font for the face.
        TextFace documentFace;
        // Kerning would move glyphs off their advances.
        bool kerned = false;
        struct Glyph
        {
            quint32 index = 0; // 0 when the face has no glyph for the character
            int advance = 0;   // fixed point
            int ink = 0;       // fixed point: how far the ink reaches past the advance, 0 when it does not
            bool measured = false;
        };
        // The glyphs of the characters drawn glyph by glyph, by character, measured when first met: every character
        // of a report's cells is looked up here, once to measure and once to draw.
        std::vector<Glyph> glyphs = std::vector<Glyph>(lastGlyphByGlyph + 1);

        const Glyph& glyph(char16_t c)
        {
            Glyph& glyph = glyphs[c];
            if (!glyph.measured)
                measure(glyph, c);
            return glyph;
        }

        void measure(Glyph& glyph, char16_t c) const
        {
            glyph.measured = true;
            const QVector<quint32> index = raw.glyphIndexesForString(QString(QChar(c)));
            glyph.index = index.size() == 1 ? index[0] : 0;
            if (glyph.index == 0)
                return;
            const QVector<QPointF> advance = raw.advancesForGlyphIndexes(index, QRawFont::UseDesignMetrics);
            glyph.advance = int(std::lround(advance.value(0).x() * fixedPointUnit));
            const double inkRight = raw.boundingRect(glyph.index).right();
            glyph.ink = std::max(0, int(std::ceil(inkRight * fixedPointUnit)) - glyph.advance);
        }
    };
    // How wide a text drawn glyph by glyph is, with the ink of its last glyph (fixed point).
    struct GlyphRunWidth
    {
        int width = 0;
        int lastInk = 0;
    };
    // The lines of a text laid out for a box or a line: spans of the text drawn glyph by glyph, or the layout
    // engine's lines.
    struct TextLines
    {
        QString text;
        QVarLengthArray<GlyphSpan, 2> glyphLines;
        std::shared_ptr<QTextLayout> layout;
        // Nothing but spaces: one line that shows nothing.
        bool blank = false;
        int lineWidth = 0; // fixed point; the box's width, 0 for a text laid out without wrapping

        int count() const { return blank ? 1 : !glyphLines.empty() ? int(glyphLines.size()) : layout->lineCount(); }
    };
    struct LayoutKey
    {
        int font;
        int lineWidth;
        int align;
        QString text;
        bool operator==(const LayoutKey&) const = default;
    };
    struct LayoutKeyHash
    {
        size_t operator()(const LayoutKey& k) const { return qHashMulti(0, k.font, k.lineWidth, k.align, k.text); }
    };

    State state;
    QVector<State> savedStates;
    Ink ink;
    QVector<Ink> savedInks;
    std::vector<std::unique_ptr<LoadedFont>> fonts;
    mutable std::unique_ptr<LoadedFont> fallbackFont;
    mutable std::unordered_map<LayoutKey, std::shared_ptr<QTextLayout>, LayoutKeyHash> layouts;
    // The current path, as content-stream operators.
    QByteArray path;
    QHash<QString, Gradient> gradients;
    QHash<QString, int> imageIds;
    QVector<QImage> images;

    Private()
    {
        measuringDevice.setDotsPerMeterX(int(std::lround(pointsPerMetre)));
        measuringDevice.setDotsPerMeterY(int(std::lround(pointsPerMetre)));
    }

    // The content stream of the current page, or nullptr once the document has been written.
    QByteArray* page()
    {
        if (finished)
            return nullptr;
        if (pageStartPending) {
            document.startPage(pageSize.width(), pageSize.height());
            ink = Ink();
            savedInks.clear();
            pageStartPending = false;
        }
        return &document.content();
    }

    double scaled(double v) const { return v * scale; }
    QPointF scaled(double x, double y) const { return {x * scale, y * scale}; }

    static void appendPoint(QByteArray& out, QPointF point)
    {
        appendPdfNumber(out, point.x());
        appendPdfNumber(out, point.y());
    }

    static void appendColour(QByteArray& out, const QColor& colour, const char* op)
    {
        appendPdfNumber(out, colour.redF());
        appendPdfNumber(out, colour.greenF());
        appendPdfNumber(out, colour.blueF());
        out += op;
    }

    void setFillInk(QByteArray& out, const QColor& colour)
    {
        if (ink.fill != colour) {
            appendColour(out, colour, "rg\n");
            ink.fill = colour;
        }
    }

    void setStrokeInk(QByteArray& out, const QColor& colour, double width)
    {
        if (ink.stroke != colour) {
            appendColour(out, colour, "RG\n");
            ink.stroke = colour;
        }
        if (ink.lineWidth != width) {
            appendPdfNumber(out, width);
            out += "w\n";
            ink.lineWidth = width;
        }
    }

    // The line colour, width and dashes of the state, for the strokes that follow.
    void setLineInk(QByteArray& out)
    {
        setStrokeInk(out, state.lineColour, scaled(state.lineWidth));
        const bool dashed = state.dash > 0 && state.gap > 0;
        const double dash = dashed ? scaled(state.dash) : 0;
        const double gap = dashed ? scaled(state.gap) : 0;
        if (ink.dash != dash || ink.gap != gap) {
            out += '[';
            if (dashed) {
                appendPdfNumber(out, dash);
                appendPdfNumber(out, gap);
            }
            out += "] 0 d\n";
            ink.dash = dash;
            ink.gap = gap;
        }
    }

    void saveInk(QByteArray& out)
    {
        out += "q\n";
        savedInks.append(ink);
    }

    void restoreInk(QByteArray& out)
    {
        if (savedInks.isEmpty())
            return;
        out += "Q\n";
        ink = savedInks.takeLast();
    }

    // Paints the path given as operators: filled by the non-zero winding rule, as the state's fill says, and
    // outlined with the state's line.
    void paintPath(const QByteArray& operators, Paint paint)
    {
        QByteArray* out = page();
        if (!out || operators.isEmpty())
            return;
        const bool fill = paint != Paint::Outline;
        const bool outline = paint != Paint::Fill;
        const auto gradient = gradients.constFind(state.fillGradient);
        if (fill && gradient != gradients.constEnd()) {
            const QByteArray shading =
                document.shadingName(gradient->start, gradient->colour1, gradient->end, gradient->colour2);
            saveInk(*out);
            *out += operators + "W n\n" + shading + " sh\n";
            restoreInk(*out);
            if (!outline)
                return;
            paint = Paint::Outline;
        }
        if (paint != Paint::Fill)
            setLineInk(*out);
        if (paint != Paint::Outline)
            setFillInk(*out, state.fillColour);
        *out += operators;
        *out += paint == Paint::Fill ? "f\n" : paint == Paint::Outline ? "S\n" : "B\n";
    }

    TextFace textFace(int font) const
    {
        return {font, document.pixelSize(font), document.synthesis(font), document.embeddable(font)};
    }

    // Starts a text object in the face at the size factor scales it to, in the text colour; a face that stands in
    // for a bold style has its glyphs outlined as well. Returns the page, nullptr when there is none.
    QByteArray* beginText(const TextFace& face, double factor)
    {
        QByteArray* out = page();
        if (!out)
            return nullptr;
        const double fontSize = factor * face.pixelSize;
        if (face.synthesis.bold) {
            saveInk(*out);
            setStrokeInk(*out, state.textColour, syntheticBoldStroke * fontSize);
            *out += "2 Tr\n";
        }
        setFillInk(*out, state.textColour);
        if (ink.font != face.font || ink.fontSize != fontSize) {
            *out += document.fontName(face.font) + ' ';
            appendPdfNumber(*out, fontSize);
            *out += "Tf\n";
            ink.font = face.font;
            ink.fontSize = fontSize;
        }
        *out += "BT\n";
        return out;
    }

    void endText(QByteArray& out, const TextFace& face)
    {
        out += "ET\n";
        if (face.synthesis.bold)
            restoreInk(out);
    }

    // Moves to the start of a line of text at position (points on paper), slanting a face that stands in for an
    // italic style.
    static void moveToLine(QByteArray& out, const TextFace& face, QPointF position)
    {
        out += "1 0 ";
        appendPdfNumber(out, face.synthesis.italic ? syntheticSlant : 0);
        out += "-1 ";
        appendPoint(out, position);
        out += "Tm ";
    }

    // Shows text drawn glyph by glyph in the font, its first glyph at origin (points on paper), scaled to the
    // text size by factor.
    void showGlyphLine(LoadedFont& font, QStringView text, QPointF origin, double factor)
    {
        if (text.isEmpty())
            return;
        QVarLengthArray<quint32, 64> glyphs;
        for (const QChar c : text)
            glyphs.append(font.glyph(c.unicode()).index);
        const TextFace& face = documentFace(font);
        if (!face.embedded) {
            QVarLengthArray<QPointF, 64> positions;
            int x = 0;
            for (const QChar c : text) {
                positions.append(QPointF(double(x) / fixedPointUnit, 0));
                x += font.glyph(c.unicode()).advance;
            }
            drawGlyphOutlines(font.raw, face, glyphs.constData(), positions.constData(), glyphs.size(), origin, factor);
            return;
        }
        document.useGlyphs(face.font, glyphs.constData(), glyphs.size(), text.data());
        QByteArray* out = beginText(face, factor);
        if (!out)
            return;
        moveToLine(*out, face, origin);
        *out += '<';
        for (const quint32 glyph : glyphs)
            appendPdfHex4(*out, glyph);
        *out += "> Tj\n";
        endText(*out, face);
    }

    // Draws glyphs of a face the document cannot embed as filled outlines, at their positions in pixels of the face
    // from origin (points on paper), scaled to the text size by factor: the text shows, though it cannot be searched.
    void drawGlyphOutlines(const QRawFont& raw, const TextFace& face, const quint32* glyphs, const QPointF* positions,
                           qsizetype count, QPointF origin, double factor)
    {
        QByteArray* out = page();
        if (!out || count == 0)
            return;
        // y grows downward: a glyph's top, at negative y, leans to the right.
        const QTransform slant = QTransform().shear(face.synthesis.italic ? -syntheticSlant : 0, 0);
        const QTransform toPage =
            QTransform::fromScale(factor, factor) * QTransform::fromTranslate(origin.x(), origin.y());
        QByteArray outlines;
        for (qsizetype i = 0; i < count; ++i) {
            const QTransform place = slant * QTransform::fromTranslate(positions[i].x(), positions[i].y()) * toPage;
            appendPath(outlines, place.map(raw.pathForGlyph(glyphs[i])));
        }
        if (outlines.isEmpty())
            return;
        setFillInk(*out, state.textColour);
        if (face.synthesis.bold) {
            setStrokeInk(*out, state.textColour, syntheticBoldStroke * factor * face.pixelSize);
            *out += outlines + "B\n";
        } else {
            *out += outlines + "f\n";
        }
    }

    static void appendPath(QByteArray& out, const QPainterPath& path)
    {
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element element = path.elementAt(i);
            appendPoint(out, element);
            if (element.isMoveTo()) {
                out += "m ";
            } else if (element.isLineTo()) {
                out += "l ";
            } else {
                // A curve's two control points are followed by its end point.
                appendPoint(out, path.elementAt(i + 1));
                appendPoint(out, path.elementAt(i + 2));
                out += "c ";
                i += 2;
            }
        }
    }

    // Shows glyphs of one face placed by the layout engine, at their positions in pixels of the face from origin
    // (points on paper), scaled to the text size by factor. The glyphs advance by the widths the document gives
    // them, adjusted where the positions say otherwise.
    void showGlyphs(const TextFace& face, const quint32* glyphs, const QPointF* positions, qsizetype count,
                    QPointF origin, double factor)
    {
        if (count == 0)
            return;
        QByteArray* out = beginText(face, factor);
        if (!out)
            return;
        const double pixelSize = face.pixelSize;
        for (qsizetype i = 0; i < count;) {
            const double baseline = positions[i].y();
            moveToLine(*out, face, origin + positions[i] * factor);
            *out += "[<";
            double next = positions[i].x();
            for (; i < count && positions[i].y() == baseline; ++i) {
                const double shift = positions[i].x() - next;
                if (std::abs(shift) > glyphPlacementTolerance) {
                    *out += "> ";
                    appendPdfNumber(*out, -shift * 1000 / pixelSize);
                    *out += '<';
                }
                appendPdfHex4(*out, glyphs[i]);
                next = positions[i].x() + document.glyphWidth(face.font, glyphs[i]) * pixelSize / 1000;
            }
            *out += ">] TJ\n";
        }
        endText(*out, face);
    }

    std::unique_ptr<LoadedFont> loadFont(const QString& face, bool bold, bool italic) const
    {
        auto loaded = std::make_unique<LoadedFont>();
        QFont& font = loaded->font;
        font = QFont(Fonts::familyFor(face));
        font.setBold(bold);
        font.setItalic(italic);
        font.setPixelSize(referenceSize);
        // No ligatures: a glyph drawn for "fi" would read back as one character, and a name holding it could
        // not be found in the report any more.
        font.setStyleStrategy(QFont::PreferNoShaping);
        loaded->extents = Fonts::lineExtents(font);
        loaded->raw = QRawFont::fromFont(QFont(font, &measuringDevice));
        loaded->kerned = !loaded->raw.fontTable("kern").isEmpty();
        return loaded;
    }

    // Until a font is selected, text is drawn in the substitute face.
    LoadedFont& currentFont() const
    {
        if (state.font >= 0)
            return *fonts[size_t(state.font)];
        if (!fallbackFont)
            fallbackFont = loadFont(Fonts::substituteFamily(), false, false);
        return *fallbackFont;
    }

    // The width of the text as one line drawn glyph by glyph in the current font, or nothing when it needs the
    // layout engine: characters that are shaped, breaks, trailing spaces (which the engine leaves out of a line's
    // width), a kerned face or a character the face lacks.
    std::optional<GlyphRunWidth> glyphRunWidth(const QString& text) const
    {
        LoadedFont& font = currentFont();
        if (text.isEmpty() || text.back() == u' ' || font.kerned || !font.raw.isValid())
            return std::nullopt;
        GlyphRunWidth run;
        for (const QChar c : text) {
            if (!drawnGlyphByGlyph(c.unicode()))
                return std::nullopt;
            const LoadedFont::Glyph& glyph = font.glyph(c.unicode());
            if (glyph.index == 0)
                return std::nullopt;
            run.width += glyph.advance;
            run.lastInk = glyph.ink;
        }
        return run;
    }

    // The layout engine's lines of the text, laid out once for each font, width and alignment they are asked for.
    std::shared_ptr<QTextLayout> engineLayout(const QString& text, double width) const
    {
        const int lineWidth = width > 0 ? toFixedPoint(width / textFactor() + wrapTolerance) : 0;
        const LayoutKey key{state.font, lineWidth, width > 0 ? state.align : AlignLeft, text};
        const auto known = layouts.find(key);
        if (known != layouts.end())
            return known->second;
        auto layout = std::make_shared<QTextLayout>(withLineSeparators(text), currentFont().font, &measuringDevice);
        layOut(*layout, width);
        if (qsizetype(layouts.size()) >= layoutCacheLimit)
            layouts.clear();
        layouts.emplace(key, layout);
        return layout;
    }

    // Lays out the text in a box of the given width (points on paper), or without wrapping for a width of 0. A line
    // laid out without wrapping is as wide as the layout engine says, with the ink of its last glyph: such lines
    // are always the engine's.
    TextLines textLines(const QString& text, double width) const
    {
        TextLines lines;
        if (width <= 0) {
            lines.layout = engineLayout(text, 0);
            return lines;
        }
        lines.lineWidth = toFixedPoint(width / textFactor() + wrapTolerance);
        if (!text.isEmpty() && isBlank(text)) {
            lines.blank = true;
            return lines;
        }
        const std::optional<GlyphRunWidth> whole = glyphRunWidth(text);
        if (whole && whole->width + whole->lastInk + inkRounding * fixedPointUnit <= lines.lineWidth) {
            lines.text = text;
            lines.glyphLines.append({0, text.size(), whole->width});
            return lines;
        }
        if (!whole || !wrapAtSpaces(text, lines))
            lines.layout = engineLayout(text, width);
        return lines;
    }

    // Wraps a text drawn glyph by glyph at its spaces into lines of lines.lineWidth the way the layout engine does: as
    // many words as fit, a line's trailing spaces not counted. False, leaving lines as they were, for a text the engine
    // could also break elsewhere (at hyphens or inside a word) or where a line would fit so tightly that the rounding
    // of its last glyph's ink could decide.
    bool wrapAtSpaces(const QString& text, TextLines& lines) const
    {
        const qsizetype n = text.size();
        // Neither a no-break space nor a hyphen followed by a digit, as in a date, is a place to break a line.
        const auto wrappedOnlyAtSpaces = [&](qsizetype i) {
            const QChar c = text[i];
            return c == u' ' || c == u',' || c == u'.' || c == QChar::Nbsp || c.isLetterOrNumber() ||
                   (c == u'-' && i + 1 < n && text[i + 1].isDigit());
        };
        if (text.front() == u' ')
            return false;
        for (qsizetype i = 0; i < n; ++i) {
            if (!wrappedOnlyAtSpaces(i))
                return false;
        }
        // Where each glyph starts, and where the last one ends.
        std::vector<int> starts(size_t(n) + 1, 0);
        LoadedFont& font = currentFont();
        for (qsizetype i = 0; i < n; ++i)
            starts[size_t(i) + 1] = starts[size_t(i)] + font.glyph(text[i].unicode()).advance;
        const auto x = [&](qsizetype i) { return starts[size_t(i)]; };
        const auto wordEnd = [&](qsizetype i) {
            while (i < n && text[i] != u' ')
                ++i;
            return i;
        };
        const auto spacesEnd = [&](qsizetype i) {
            while (i < n && text[i] == u' ')
                ++i;
            return i;
        };
        // Whether the words from start to end fit on a line: the engine counts the ink of the last glyph too.
        enum class Fit { Fits, DoesNotFit, Unsure };
        const auto fit = [&](qsizetype start, qsizetype end) {
            const int width = x(end) - x(start) + font.glyph(text[end - 1].unicode()).ink;
            const int slack = inkRounding * fixedPointUnit;
            return width + slack <= lines.lineWidth  ? Fit::Fits
                   : width - slack > lines.lineWidth ? Fit::DoesNotFit
                                                     : Fit::Unsure;
        };
        QVarLengthArray<GlyphSpan, 2> glyphLines;
        for (qsizetype start = 0; start < n;) {
            qsizetype end = wordEnd(start);
            // A word too wide for a line of its own is broken inside by the engine.
            if (fit(start, end) != Fit::Fits)
                return false;
            qsizetype next = spacesEnd(end);
            while (next < n) {
                const qsizetype nextEnd = wordEnd(next);
                const Fit longer = fit(start, nextEnd);
                if (longer == Fit::DoesNotFit)
                    break;
                if (longer == Fit::Unsure)
                    return false;
                end = nextEnd;
                next = spacesEnd(end);
            }
            glyphLines.append({start, next - start, x(end) - x(start)});
            start = next;
        }
        lines.text = text;
        lines.glyphLines = std::move(glyphLines);
        return true;
    }

    // The text of each line, without the break that ended it.
    QStringList lineTexts(const TextLines& lines, const QString& text) const
    {
        if (lines.blank)
            return {text};
        QStringList texts;
        if (!lines.layout) {
            for (const GlyphSpan& line : lines.glyphLines)
                texts.append(lines.text.mid(line.start, line.length));
            return texts;
        }
        const QString laidOut = lines.layout->text();
        for (int i = 0; i < lines.layout->lineCount(); ++i) {
            const QTextLine line = lines.layout->lineAt(i);
            QString part = laidOut.mid(line.textStart(), line.textLength());
            // The break that ended a line is not part of the next box's text.
            if (part.endsWith(QChar::LineSeparator))
                part.chop(1);
            texts.append(part);
        }
        return texts;
    }

    // The first count lines of a text laid out at width, the last of them ended by an ellipsis where it was cut.
    QString cutToLines(const TextLines& lines, const QString& text, int count, double width) const
    {
        QStringList shown = lineTexts(lines, text).mid(0, count);
        QString last = shown.takeLast();
        QString cut;
        for (;;) {
            while (last.endsWith(u' '))
                last.chop(1);
            cut = last + ellipsis;
            if (last.isEmpty() || textLines(cut, width).count() == 1)
                break;
            last.chop(last.size() >= 2 && last.back().isLowSurrogate() ? 2 : 1);
        }
        shown.append(cut);
        return shown.join(QChar::LineSeparator);
    }

    // Points on paper per reference unit of the current text size.
    double textFactor() const { return state.textSize / referenceSize; }

    // Lays text out at the reference size, one line under the other at the line height; a width (in points on
    // paper) of 0 leaves lines unwrapped, broken only where the text breaks them.
    void layOut(QTextLayout& layout, double width) const
    {
        QTextOption option;
        option.setUseDesignMetrics(true);
        if (width > 0) {
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            option.setAlignment(state.align == AlignCentre  ? Qt::AlignHCenter
                                : state.align == AlignRight ? Qt::AlignRight
                                                            : Qt::AlignLeft);
        } else {
            option.setWrapMode(QTextOption::NoWrap);
        }
        layout.setTextOption(option);
        const double lineWidth = width > 0 ? width / textFactor() + wrapTolerance : unboundedWidth;
        const Fonts::LineExtents extents = currentFont().extents;
        const double pitch = (extents.ascent + extents.descent) * referenceSize;
        layout.beginLayout();
        for (int i = 0;; ++i) {
            QTextLine line = layout.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(lineWidth);
            // Baselines one line height apart, the first one the face's ascent below the top.
            line.setPosition(QPointF(0, i * pitch + extents.ascent * referenceSize - line.ascent()));
        }
        layout.endLayout();
    }

    // Draws laid-out text with the top left of its box at origin (points on paper). A box's lines are aligned in
    // it; a text laid out without wrapping is aligned on origin, each line by its own width.
    void drawLines(const TextLines& lines, QPointF origin)
    {
        if (lines.blank)
            return;
        if (!lines.glyphLines.empty()) {
            LoadedFont& font = currentFont();
            const Fonts::LineExtents extents = font.extents;
            const double pitch = (extents.ascent + extents.descent) * referenceSize;
            for (qsizetype i = 0; i < lines.glyphLines.size(); ++i) {
                const GlyphSpan& line = lines.glyphLines[i];
                // Aligned and placed as the layout engine places a line in its box, in its fixed point.
                const int free = lines.lineWidth - line.width;
                const int offset = state.align == AlignCentre ? free / 2 : state.align == AlignRight ? free : 0;
                const double baseline =
                    std::floor((double(i) * pitch + extents.ascent * referenceSize) * fixedPointUnit) / fixedPointUnit;
                showGlyphLine(font, QStringView(lines.text).sliced(line.start, line.length),
                              origin + QPointF(double(offset) / fixedPointUnit, baseline) * textFactor(), textFactor());
            }
            return;
        }
        const QFont& requested = currentFont().font;
        const QString laidOut = lines.layout->text();
        for (int i = 0; i < lines.layout->lineCount(); ++i) {
            const QTextLine line = lines.layout->lineAt(i);
            double shift = 0;
            if (lines.lineWidth == 0) {
                const double width = line.naturalTextWidth();
                shift = state.align == AlignCentre ? width / 2 : state.align == AlignRight ? width : 0;
            }
            const QString text = laidOut.mid(line.textStart(), line.textLength());
            // Runs in their order along the line; a character the face lacks comes in a run of a fallback face.
            for (const QGlyphRun& run : line.glyphRuns()) {
                const QVector<quint32> glyphs = run.glyphIndexes();
                const TextFace face = textFace(document.font(run.rawFont(), requested.bold(), requested.italic()));
                const QPointF runOrigin = origin - QPointF(shift * textFactor(), 0);
                if (!face.embedded) {
                    drawGlyphOutlines(run.rawFont(), face, glyphs.constData(), run.positions().constData(),
                                      glyphs.size(), runOrigin, textFactor());
                    continue;
                }
                document.useGlyphs(face.font, glyphs.constData(), glyphs.size());
                document.mapCharacters(face.font, text);
                showGlyphs(face, glyphs.constData(), run.positions().constData(), glyphs.size(), runOrigin,
                           textFactor());
            }
        }
    }

    const TextFace& documentFace(LoadedFont& font)
    {
        if (font.documentFace.font < 0)
            font.documentFace = textFace(document.font(font.raw, font.font.bold(), font.font.italic()));
        return font.documentFace;
    }
};

PdfLibrary::PdfLibrary() : d(std::make_unique<Private>()) {}

PdfLibrary::~PdfLibrary() = default;

bool PdfLibrary::SaveToFile(const QString& path, QString* error)
{
    if (!d->page()) {
        if (error)
            *error = QStringLiteral("the document has already been written");
        return false;
    }
    d->finished = true;
    return FileSystem::atomicWrite(path, d->document.finish(), error);
}

void PdfLibrary::SetPageSize(double width, double height)
{
    const QPageSize size(QSizeF(width, height), QPageSize::Point, QString(), QPageSize::ExactMatch);
    if (size.isValid())
        d->pageSize = size.sizePoints();
}

double PdfLibrary::PageWidth() const
{
    return d->pageSize.width();
}

double PdfLibrary::PageHeight() const
{
    return d->pageSize.height();
}

void PdfLibrary::SetScale(double scale)
{
    if (scale > 0)
        d->scale = scale;
}

void PdfLibrary::NewPage()
{
    // The page before is in the document even when nothing was drawn on it.
    d->page();
    d->pageStartPending = true;
    ++d->pageCount;
}

int PdfLibrary::PageNumber() const
{
    return d->pageCount;
}

int PdfLibrary::AddTrueTypeFont(const QString& name)
{
    const FontStyle style = parseFontName(name);
    d->fonts.push_back(d->loadFont(style.face, style.bold, style.italic));
    return int(d->fonts.size()) - 1;
}

void PdfLibrary::SelectFont(int id)
{
    if (id >= 0 && size_t(id) < d->fonts.size())
        d->state.font = id;
}

void PdfLibrary::SetTextSize(double size)
{
    if (size > 0)
        d->state.textSize = size;
}

double PdfLibrary::TextHeight() const
{
    const Fonts::LineExtents extents = d->currentFont().extents;
    return (extents.ascent + extents.descent) * d->state.textSize / d->scale;
}

double PdfLibrary::TextAscent() const
{
    return d->currentFont().extents.ascent * d->state.textSize / d->scale;
}

double PdfLibrary::TextWidth(const QString& text) const
{
    const std::shared_ptr<QTextLayout> layout = d->engineLayout(text, 0);
    double widest = 0;
    for (int i = 0; i < layout->lineCount(); ++i)
        widest = std::max(widest, double(layout->lineAt(i).naturalTextWidth()));
    return widest * d->textFactor() / d->scale;
}

int PdfLibrary::WrappedLineCount(const QString& text, double width) const
{
    return d->textLines(text, std::max(d->scaled(width), minimumBoxWidth)).count();
}

QStringList PdfLibrary::WrappedLines(const QString& text, double width) const
{
    return d->lineTexts(d->textLines(text, std::max(d->scaled(width), minimumBoxWidth)), text);
}

void PdfLibrary::SetTextAlign(int align)
{
    d->state.align = align;
}

int PdfLibrary::DrawTextBox(double x, double y, double width, double height, const QString& text)
{
    if (d->finished)
        return 0;
    const double boxWidth = std::max(d->scaled(width), minimumBoxWidth);
    Private::TextLines lines = d->textLines(text, boxWidth);
    // A box shows its first line at least, however low it is.
    const int fitting = std::max(1, int(std::floor(height / TextHeight() + 1e-9)));
    if (lines.count() > fitting)
        lines = d->textLines(d->cutToLines(lines, text, fitting, boxWidth), boxWidth);
    d->drawLines(lines, d->scaled(x, y));
    return lines.count();
}

void PdfLibrary::DrawText(double x, double baselineY, const QString& text)
{
    if (d->finished)
        return;
    const double ascent = d->currentFont().extents.ascent * d->state.textSize;
    d->drawLines(d->textLines(text, 0), d->scaled(x, baselineY) - QPointF(0, ascent));
}

void PdfLibrary::SetLineColor(const PdfRgb& colour)
{
    d->state.lineColour = toColor(colour);
}

void PdfLibrary::SetTextColor(const PdfRgb& colour)
{
    d->state.textColour = toColor(colour);
}

void PdfLibrary::SetFillColor(const PdfRgb& colour)
{
    d->state.fillColour = toColor(colour);
    d->state.fillGradient.clear();
}

void PdfLibrary::SetLineWidth(double width)
{
    d->state.lineWidth = std::max(width, 0.0);
}

void PdfLibrary::SetLineDash(double dash, double gap)
{
    d->state.dash = dash;
    d->state.gap = gap;
}

void PdfLibrary::DrawLine(double x1, double y1, double x2, double y2)
{
    QByteArray* out = d->page();
    if (!out)
        return;
    d->setLineInk(*out);
    Private::appendPoint(*out, d->scaled(x1, y1));
    *out += "m ";
    Private::appendPoint(*out, d->scaled(x2, y2));
    *out += "l S\n";
}

void PdfLibrary::DrawBox(double x, double y, double width, double height, Paint paint)
{
    QByteArray box;
    Private::appendPoint(box, d->scaled(x, y));
    Private::appendPoint(box, d->scaled(width, height));
    box += "re ";
    d->paintPath(box, paint);
}

void PdfLibrary::StartPath(double x, double y)
{
    Private::appendPoint(d->path, d->scaled(x, y));
    d->path += "m ";
}

void PdfLibrary::AddLineToPath(double x, double y)
{
    Private::appendPoint(d->path, d->scaled(x, y));
    d->path += "l ";
}

void PdfLibrary::AddCurveToPath(double c1x, double c1y, double c2x, double c2y, double x, double y)
{
    Private::appendPoint(d->path, d->scaled(c1x, c1y));
    Private::appendPoint(d->path, d->scaled(c2x, c2y));
    Private::appendPoint(d->path, d->scaled(x, y));
    d->path += "c ";
}

void PdfLibrary::AddBoxToPath(double x, double y, double width, double height)
{
    Private::appendPoint(d->path, d->scaled(x, y));
    Private::appendPoint(d->path, d->scaled(width, height));
    d->path += "re ";
}

void PdfLibrary::ClosePath()
{
    d->path += "h ";
}

void PdfLibrary::DrawPath(Paint paint)
{
    d->paintPath(std::exchange(d->path, QByteArray()), paint);
}

void PdfLibrary::SaveState()
{
    if (QByteArray* out = d->page()) {
        d->saveInk(*out);
        d->savedStates.append(d->state);
    }
}

void PdfLibrary::SetClippingPath()
{
    const QByteArray path = std::exchange(d->path, QByteArray());
    // An empty path leaves nothing to draw in, as a path around nothing would.
    if (QByteArray* out = d->page())
        *out += (path.isEmpty() ? QByteArray("0 0 0 0 re ") : path) + "W n\n";
}

void PdfLibrary::RestoreState()
{
    QByteArray* out = d->page();
    if (!out || d->savedStates.isEmpty())
        return;
    d->restoreInk(*out);
    d->state = d->savedStates.takeLast();
}

bool PdfLibrary::NewLinearGradient(const QString& name, double x1, double y1, const PdfRgb& colour1, double x2,
                                   double y2, const PdfRgb& colour2)
{
    const QPointF start = d->scaled(x1, y1);
    const QPointF end = d->scaled(x2, y2);
    if (start == end)
        return false;
    d->gradients.insert(name, {start, toColor(colour1), end, toColor(colour2)});
    return true;
}

void PdfLibrary::SetFillGradient(const QString& name)
{
    if (d->gradients.contains(name))
        d->state.fillGradient = name;
}

int PdfLibrary::LoadImageFromFile(const QString& path)
{
    const auto known = d->imageIds.constFind(path);
    if (known != d->imageIds.constEnd())
        return *known;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull())
        return -1;
    d->images.append(image);
    const int id = int(d->images.size()) - 1;
    d->imageIds.insert(path, id);
    return id;
}

int PdfLibrary::ImageWidth(int id) const
{
    return id >= 0 && id < d->images.size() ? d->images[id].width() : 0;
}

int PdfLibrary::ImageHeight(int id) const
{
    return id >= 0 && id < d->images.size() ? d->images[id].height() : 0;
}

void PdfLibrary::DrawImage(int id, double x, double y, double width, double height)
{
    if (id < 0 || id >= d->images.size())
        return;
    QByteArray* out = d->page();
    if (!out)
        return;
    // A picture fills the unit square from its bottom row up: turned over into the box.
    const QPointF topLeft = d->scaled(x, y);
    const QPointF size = d->scaled(width, height);
    d->saveInk(*out);
    appendPdfNumber(*out, size.x());
    *out += "0 0 ";
    appendPdfNumber(*out, -size.y());
    Private::appendPoint(*out, topLeft + QPointF(0, size.y()));
    *out += "cm " + d->document.imageName(id, d->images[id]) + " Do\n";
    d->restoreInk(*out);
}
