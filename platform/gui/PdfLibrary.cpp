#include "PdfLibrary.h"

#include "FileSystem.h"
#include "Fonts.h"
#include "PdfCharacterMaps.h"

#include <QBuffer>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QLinearGradient>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRawFont>
#include <QTextLayout>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <memory>
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
// A run of glyphs is taken for one line without asking the layout engine only when it leaves this much of the line
// free (in reference units): the engine also counts the ink a last glyph puts past its advance.
constexpr int inkOverhang = referenceSize / 4;
// A whole text is taken for one line when its width and the ink its last glyph puts past its advance leave this much
// of the line free (in reference units), against the rounding of glyph boxes.
constexpr int inkRounding = 1;
// Once a font has shaped this many different texts in a document, they are shaped afresh.
constexpr qsizetype shapedTextLimit = 20000;
// Laid-out texts kept so that a text measured for a box is drawn from the same layout: enough for every cell of a
// table page, whose rows are all measured before any is drawn.
constexpr qsizetype layoutCacheLimit = 1024;
const QString ellipsis = QString(QChar(0x2026));

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
        QBrush fill = QBrush(Qt::black);
        double lineWidth = 1;
        double dash = 0;
        double gap = 0;
        int font = -1;
        double textSize = 10;
        int align = AlignLeft;
    };

    QByteArray bytes;
    QBuffer buffer{&bytes};
    // Measuring needs the writer as the device whose resolution the fonts are laid out for.
    mutable QPdfWriter writer{&buffer};
    QPainter painter;
    bool finished = false;
    int pageCount = 1;
    // A page asked for is started when something is drawn on it, so that the page size set right after asking
    // applies to it.
    bool pageStartPending = false;
    double scale = 1;

    // A text of one line shaped glyph by glyph in the current font: its glyphs at their positions along the
    // baseline, and its width, in reference units. Plain vectors: a document makes one for each text it draws.
    struct GlyphLine
    {
        QVector<quint32> indexes;
        QVector<QPointF> positions;
        int width = 0;   // fixed point
        int lastInk = 0; // fixed point: how far the last glyph's ink reaches past its advance, 0 when it does not
    };
    struct LoadedFont
    {
        QFont font;
        Fonts::LineExtents extents;
        QRawFont raw;
        // Kerning would move glyphs off their advances.
        bool kerned = false;
        struct Glyph
        {
            quint32 index = 0;
            int advance = 0; // fixed point
            int ink = 0;     // fixed point: how far the ink reaches past the advance, 0 when it does not
        };
        // Names, places and dates repeat: their glyphs and lines are looked up once per document.
        QHash<char16_t, Glyph> glyphs;
        QHash<QString, std::shared_ptr<const GlyphLine>> lines;
    };
    // The lines of a text laid out for a box or a line: glyph lines with their texts, or the layout engine's lines.
    struct TextLines
    {
        std::vector<std::shared_ptr<const GlyphLine>> glyphLines;
        QStringList texts;
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

    // Glyph lines drawn one after another in one font, size and colour wait to go to the page as one run: each
    // text the writer is given costs it more than the glyphs in it.
    struct PendingText
    {
        int font = -1;
        double textSize = 0;
        QColor colour;
        QPointF origin; // points on paper
        QRawFont raw;
        QVector<quint32> glyphs;
        QVector<QPointF> positions; // reference units from origin
    };

    // Solid lines drawn one after another with one pen wait likewise, to go to the page as one path.
    struct PendingLines
    {
        QPen pen;
        QVector<QLineF> lines; // points on paper
    };

    // And so do boxes filled one after another with one plain colour and no outline, such as the shading of rows.
    struct PendingFills
    {
        QColor colour;
        QVector<QRectF> boxes; // points on paper
    };

    State state;
    QVector<State> savedStates;
    // At most one of the three holds something: what waits goes to the page before anything else is drawn.
    PendingText pendingText;
    PendingLines pendingLines;
    PendingFills pendingFills;
    std::vector<std::unique_ptr<LoadedFont>> fonts;
    mutable std::unique_ptr<LoadedFont> fallbackFont;
    mutable std::unordered_map<LayoutKey, std::shared_ptr<QTextLayout>, LayoutKeyHash> layouts;
    QPainterPath path;
    QHash<QString, QLinearGradient> gradients;
    QHash<QString, int> imageIds;
    QVector<QImage> images;

    Private()
    {
        buffer.open(QIODevice::WriteOnly);
        writer.setResolution(72);
    }

    // The current path, used up: filled by the non-zero winding rule, as PDF fills.
    QPainterPath takePath()
    {
        QPainterPath taken = std::exchange(path, QPainterPath());
        taken.setFillRule(Qt::WindingFill);
        return taken;
    }

    // The painter of the current page, or nullptr once the document has been written. Text and lines waiting to be
    // drawn go to the page first, so that what is drawn next comes over them.
    QPainter* page()
    {
        QPainter* p = pageKeepingPending();
        if (p) {
            drawPendingText(*p);
            drawPendingLines(*p);
            drawPendingFills(*p);
        }
        return p;
    }

    QPainter* pageKeepingPending()
    {
        if (finished)
            return nullptr;
        if (!painter.isActive()) {
            painter.begin(&writer);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
        }
        if (pageStartPending) {
            writer.newPage();
            pageStartPending = false;
        }
        return &painter;
    }

    void drawPendingText(QPainter& p)
    {
        if (pendingText.glyphs.isEmpty())
            return;
        QGlyphRun run;
        run.setRawFont(pendingText.raw);
        run.setGlyphIndexes(pendingText.glyphs);
        run.setPositions(pendingText.positions);
        const double factor = pendingText.textSize / referenceSize;
        p.save();
        p.setPen(pendingText.colour);
        p.translate(pendingText.origin);
        p.scale(factor, factor);
        p.drawGlyphRun(QPointF(), run);
        p.restore();
        pendingText.glyphs.clear();
        pendingText.positions.clear();
    }

    void drawPendingLines(QPainter& p)
    {
        if (pendingLines.lines.isEmpty())
            return;
        p.setPen(pendingLines.pen);
        p.drawLines(pendingLines.lines);
        pendingLines.lines.clear();
    }

    void drawPendingFills(QPainter& p)
    {
        if (pendingFills.boxes.isEmpty())
            return;
        p.setPen(Qt::NoPen);
        p.setBrush(pendingFills.colour);
        p.drawRects(pendingFills.boxes);
        pendingFills.boxes.clear();
    }

    // Adds a box filled with colour to the boxes waiting to be drawn; a box of another colour starts a new path.
    void queueFill(QPainter& p, const QRectF& box, const QColor& colour)
    {
        drawPendingText(p);
        drawPendingLines(p);
        if (!pendingFills.boxes.isEmpty() && pendingFills.colour != colour)
            drawPendingFills(p);
        pendingFills.colour = colour;
        pendingFills.boxes.append(box);
    }

    // Adds a line to the lines waiting to be drawn; a line of another pen starts a new path.
    void queueLine(QPainter& p, QLineF line)
    {
        drawPendingText(p);
        drawPendingFills(p);
        const QPen pen = linePen();
        if (!pendingLines.lines.isEmpty() && pendingLines.pen != pen)
            drawPendingLines(p);
        pendingLines.pen = pen;
        pendingLines.lines.append(line);
    }

    // Adds a glyph line to the text waiting to be drawn, at (x, y) in reference units from origin (points on paper).
    // Lines of another font, size or colour start a new run.
    void queueGlyphLine(QPainter& p, const GlyphLine& line, QPointF origin, double x, double y)
    {
        drawPendingLines(p);
        drawPendingFills(p);
        const QColor colour = state.textColour;
        if (!pendingText.glyphs.isEmpty() &&
            (pendingText.font != state.font || pendingText.textSize != state.textSize || pendingText.colour != colour))
            drawPendingText(p);
        if (pendingText.glyphs.isEmpty()) {
            pendingText.font = state.font;
            pendingText.textSize = state.textSize;
            pendingText.colour = colour;
            pendingText.origin = origin;
            pendingText.raw = currentFont().raw;
        }
        const QPointF shift = (origin - pendingText.origin) / textFactor() + QPointF(x, y);
        pendingText.glyphs += line.indexes;
        for (const QPointF& position : line.positions)
            pendingText.positions.append(position + shift);
    }

    double scaled(double v) const { return v * scale; }
    QPointF scaled(double x, double y) const { return {x * scale, y * scale}; }
    QRectF scaled(double x, double y, double w, double h) const { return {x * scale, y * scale, w * scale, h * scale}; }

    QPen linePen() const
    {
        const double width = scaled(state.lineWidth);
        QPen pen(state.lineColour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        if (state.dash > 0 && state.gap > 0) {
            // The pen measures dashes in line widths.
            const double unit = width > 0 ? width : 1.0;
            pen.setDashPattern({scaled(state.dash) / unit, scaled(state.gap) / unit});
        }
        return pen;
    }

    void setPaint(QPainter& p, Paint paint) const
    {
        p.setPen(paint == Paint::Fill ? QPen(Qt::NoPen) : linePen());
        p.setBrush(paint == Paint::Outline ? QBrush(Qt::NoBrush) : state.fill);
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
        loaded->raw = QRawFont::fromFont(QFont(font, &writer));
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

    // The text as one glyph line of the current font, or nullptr when it needs the layout engine: characters
    // that are shaped, breaks, trailing spaces (which the engine leaves out of a line's width), a kerned face
    // or a character the face lacks.
    std::shared_ptr<const GlyphLine> glyphLine(const QString& text) const
    {
        LoadedFont& font = currentFont();
        if (text.isEmpty() || text.back() == u' ' || font.kerned || !font.raw.isValid())
            return nullptr;
        const auto known = font.lines.constFind(text);
        if (known != font.lines.constEnd())
            return *known;
        QVector<quint32> indexes;
        QVector<QPointF> positions;
        indexes.reserve(text.size());
        positions.reserve(text.size());
        int x = 0;
        int lastInk = 0;
        for (const QChar c : text) {
            if (!drawnGlyphByGlyph(c.unicode()))
                return nullptr;
            auto glyph = font.glyphs.constFind(c.unicode());
            if (glyph == font.glyphs.constEnd()) {
                LoadedFont::Glyph measured;
                const QVector<quint32> index = font.raw.glyphIndexesForString(QString(c));
                measured.index = index.size() == 1 ? index[0] : 0;
                if (measured.index != 0) {
                    const QVector<QPointF> advance =
                        font.raw.advancesForGlyphIndexes(index, QRawFont::UseDesignMetrics);
                    measured.advance = int(std::lround(advance.value(0).x() * fixedPointUnit));
                    const double inkRight = font.raw.boundingRect(measured.index).right();
                    measured.ink = std::max(0, int(std::ceil(inkRight * fixedPointUnit)) - measured.advance);
                }
                glyph = font.glyphs.insert(c.unicode(), measured);
            }
            if (glyph->index == 0)
                return nullptr;
            indexes.append(glyph->index);
            positions.append(QPointF(double(x) / fixedPointUnit, 0));
            x += glyph->advance;
            lastInk = glyph->ink;
        }
        auto line = std::make_shared<GlyphLine>();
        line->indexes = std::move(indexes);
        line->positions = std::move(positions);
        line->width = x;
        line->lastInk = lastInk;
        if (font.lines.size() >= shapedTextLimit)
            font.lines.clear();
        font.lines.insert(text, line);
        return line;
    }

    // The layout engine's lines of the text, laid out once for each font, width and alignment they are asked for.
    std::shared_ptr<QTextLayout> engineLayout(const QString& text, double width) const
    {
        const int lineWidth = width > 0 ? toFixedPoint(width / textFactor() + wrapTolerance) : 0;
        const LayoutKey key{state.font, lineWidth, width > 0 ? state.align : AlignLeft, text};
        const auto known = layouts.find(key);
        if (known != layouts.end())
            return known->second;
        auto layout = std::make_shared<QTextLayout>(withLineSeparators(text), currentFont().font, &writer);
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
        const std::shared_ptr<const GlyphLine> whole = glyphLine(text);
        if (whole && whole->width + whole->lastInk + inkRounding * fixedPointUnit <= lines.lineWidth) {
            lines.glyphLines.push_back(whole);
            lines.texts.append(text);
            return lines;
        }
        if (!whole || !wrapAtSpaces(*whole, text, lines))
            lines.layout = engineLayout(text, width);
        return lines;
    }

    // Wraps a glyph line at its spaces into lines of lines.lineWidth the way the layout engine does: as many words
    // as fit, a line's trailing spaces not counted. False, leaving lines as they were, for a text the engine could
    // also break elsewhere (at hyphens or inside a word) or where a word would fit so tightly that the ink of its
    // last glyph decides.
    bool wrapAtSpaces(const GlyphLine& whole, const QString& text, TextLines& lines) const
    {
        const auto wrappedOnlyAtSpaces = [](QChar c) {
            return c == u' ' || c == u',' || c == u'.' || c.isLetterOrNumber();
        };
        if (text.front() == u' ' || !std::all_of(text.cbegin(), text.cend(), wrappedOnlyAtSpaces))
            return false;
        const QVector<QPointF>& positions = whole.positions;
        const qsizetype n = text.size();
        const auto x = [&](qsizetype i) {
            return i < n ? int(std::lround(positions[i].x() * fixedPointUnit)) : whole.width;
        };
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
        const int sure = lines.lineWidth - inkOverhang * fixedPointUnit;
        std::vector<std::shared_ptr<const GlyphLine>> glyphLines;
        QStringList texts;
        for (qsizetype start = 0; start < n;) {
            qsizetype end = wordEnd(start);
            if (x(end) - x(start) > sure)
                return false;
            qsizetype next = spacesEnd(end);
            while (next < n) {
                const qsizetype nextEnd = wordEnd(next);
                const int width = x(nextEnd) - x(start);
                if (width > lines.lineWidth)
                    break;
                if (width > sure)
                    return false;
                end = nextEnd;
                next = spacesEnd(end);
            }
            auto line = std::make_shared<GlyphLine>();
            line->indexes = whole.indexes.mid(start, next - start);
            line->positions = positions.mid(start, next - start);
            for (QPointF& position : line->positions)
                position.rx() -= positions[start].x();
            line->width = x(end) - x(start);
            glyphLines.push_back(std::move(line));
            texts.append(text.mid(start, next - start));
            start = next;
        }
        lines.glyphLines = std::move(glyphLines);
        lines.texts = std::move(texts);
        return true;
    }

    // The text of each line, without the break that ended it.
    QStringList lineTexts(const TextLines& lines, const QString& text) const
    {
        if (!lines.layout)
            return lines.blank ? QStringList{text} : lines.texts;
        const QString laidOut = lines.layout->text();
        QStringList texts;
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
            QPainter* p = pageKeepingPending();
            if (!p)
                return;
            const Fonts::LineExtents extents = currentFont().extents;
            const double pitch = (extents.ascent + extents.descent) * referenceSize;
            for (size_t i = 0; i < lines.glyphLines.size(); ++i) {
                const GlyphLine& line = *lines.glyphLines[i];
                // Aligned and placed as the layout engine places a line in its box, in its fixed point.
                const int free = lines.lineWidth - line.width;
                const int offset = state.align == AlignCentre ? free / 2 : state.align == AlignRight ? free : 0;
                const double baseline =
                    std::floor((double(i) * pitch + extents.ascent * referenceSize) * fixedPointUnit) / fixedPointUnit;
                queueGlyphLine(*p, line, origin, double(offset) / fixedPointUnit, baseline);
            }
            return;
        }
        QPainter* p = page();
        if (!p)
            return;
        p->save();
        p->setPen(state.textColour);
        p->translate(origin);
        p->scale(textFactor(), textFactor());
        for (int i = 0; i < lines.layout->lineCount(); ++i) {
            double shift = 0;
            if (lines.lineWidth == 0) {
                const double width = lines.layout->lineAt(i).naturalTextWidth();
                shift = state.align == AlignCentre ? width / 2 : state.align == AlignRight ? width : 0;
            }
            lines.layout->lineAt(i).draw(p, QPointF(-shift, 0));
        }
        p->restore();
    }
};

PdfLibrary::PdfLibrary() : d(std::make_unique<Private>()) {}

PdfLibrary::~PdfLibrary()
{
    if (d->painter.isActive())
        d->painter.end();
}

bool PdfLibrary::SaveToFile(const QString& path, QString* error)
{
    QPainter* p = d->page();
    if (!p) {
        if (error)
            *error = QStringLiteral("the document has already been written");
        return false;
    }
    p->end();
    d->finished = true;
    d->buffer.close();
    mendSpaceInCharacterMaps(d->bytes);
    return FileSystem::atomicWrite(path, d->bytes, error);
}

void PdfLibrary::SetPageSize(double width, double height)
{
    const QPageSize size(QSizeF(width, height), QPageSize::Point, QString(), QPageSize::ExactMatch);
    if (size.isValid())
        d->writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
}

double PdfLibrary::PageWidth() const
{
    return d->writer.pageLayout().fullRectPoints().width();
}

double PdfLibrary::PageHeight() const
{
    return d->writer.pageLayout().fullRectPoints().height();
}

void PdfLibrary::SetScale(double scale)
{
    if (scale > 0)
        d->scale = scale;
}

void PdfLibrary::NewPage()
{
    // The page before must exist before the writer can move on from it.
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
    d->state.fill = QBrush(toColor(colour));
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
    const QLineF line(d->scaled(x1, y1), d->scaled(x2, y2));
    // Dashed lines are drawn one by one, so that each starts with a dash.
    if (d->state.dash > 0 && d->state.gap > 0) {
        if (QPainter* p = d->page()) {
            p->setPen(d->linePen());
            p->drawLine(line);
        }
    } else if (QPainter* p = d->pageKeepingPending()) {
        d->queueLine(*p, line);
    }
}

void PdfLibrary::DrawBox(double x, double y, double width, double height, Paint paint)
{
    if (paint == Paint::Fill && d->state.fill.style() == Qt::SolidPattern) {
        if (QPainter* p = d->pageKeepingPending())
            d->queueFill(*p, d->scaled(x, y, width, height), d->state.fill.color());
        return;
    }
    if (QPainter* p = d->page()) {
        d->setPaint(*p, paint);
        p->drawRect(d->scaled(x, y, width, height));
    }
}

void PdfLibrary::StartPath(double x, double y)
{
    d->path.moveTo(d->scaled(x, y));
}

void PdfLibrary::AddLineToPath(double x, double y)
{
    d->path.lineTo(d->scaled(x, y));
}

void PdfLibrary::AddCurveToPath(double c1x, double c1y, double c2x, double c2y, double x, double y)
{
    d->path.cubicTo(d->scaled(c1x, c1y), d->scaled(c2x, c2y), d->scaled(x, y));
}

void PdfLibrary::AddBoxToPath(double x, double y, double width, double height)
{
    d->path.addRect(d->scaled(x, y, width, height));
}

void PdfLibrary::ClosePath()
{
    d->path.closeSubpath();
}

void PdfLibrary::DrawPath(Paint paint)
{
    const QPainterPath path = d->takePath();
    if (QPainter* p = d->page()) {
        d->setPaint(*p, paint);
        p->drawPath(path);
    }
}

void PdfLibrary::SaveState()
{
    if (QPainter* p = d->page()) {
        p->save();
        d->savedStates.append(d->state);
    }
}

void PdfLibrary::SetClippingPath()
{
    const QPainterPath path = d->takePath();
    if (QPainter* p = d->page())
        p->setClipPath(path, p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void PdfLibrary::RestoreState()
{
    QPainter* p = d->page();
    if (!p || d->savedStates.isEmpty())
        return;
    p->restore();
    d->state = d->savedStates.takeLast();
}

bool PdfLibrary::NewLinearGradient(const QString& name, double x1, double y1, const PdfRgb& colour1, double x2,
                                   double y2, const PdfRgb& colour2)
{
    const QPointF start = d->scaled(x1, y1);
    const QPointF end = d->scaled(x2, y2);
    if (start == end)
        return false;
    QLinearGradient gradient(start, end);
    gradient.setColorAt(0, toColor(colour1));
    gradient.setColorAt(1, toColor(colour2));
    d->gradients.insert(name, gradient);
    return true;
}

void PdfLibrary::SetFillGradient(const QString& name)
{
    const auto found = d->gradients.constFind(name);
    if (found != d->gradients.constEnd())
        d->state.fill = QBrush(*found);
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
    if (QPainter* p = d->page())
        p->drawImage(d->scaled(x, y, width, height), d->images[id]);
}
