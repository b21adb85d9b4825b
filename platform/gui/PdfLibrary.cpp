#include "PdfLibrary.h"

#include "FileSystem.h"
#include "Fonts.h"
#include "PdfCharacterMaps.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QLinearGradient>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextLayout>
#include <QVector>

#include <algorithm>
#include <optional>
#include <utility>

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

    State state;
    QVector<State> savedStates;
    struct LoadedFont
    {
        QFont font;
        Fonts::LineExtents extents;
    };
    QVector<LoadedFont> fonts;
    mutable std::optional<LoadedFont> fallbackFont;
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

    // The painter of the current page, or nullptr once the document has been written.
    QPainter* page()
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

    LoadedFont loadFont(const QString& face, bool bold, bool italic) const
    {
        QFont font(Fonts::familyFor(face));
        font.setBold(bold);
        font.setItalic(italic);
        font.setPixelSize(referenceSize);
        // No ligatures: a glyph drawn for "fi" would read back as one character, and a name holding it could
        // not be found in the report any more.
        font.setStyleStrategy(QFont::PreferNoShaping);
        return {font, Fonts::lineExtents(font)};
    }

    // Until a font is selected, text is drawn in the substitute face.
    const LoadedFont& currentFont() const
    {
        if (state.font >= 0)
            return fonts[state.font];
        if (!fallbackFont)
            fallbackFont = loadFont(Fonts::substituteFamily(), false, false);
        return *fallbackFont;
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

    // Draws a laid-out text with the reference point of the layout at origin (points on paper).
    void drawLayout(QPainter& p, const QTextLayout& layout, QPointF origin, const QVector<double>& lineShifts = {})
    {
        p.save();
        p.setPen(state.textColour);
        p.translate(origin);
        p.scale(textFactor(), textFactor());
        for (int i = 0; i < layout.lineCount(); ++i)
            layout.lineAt(i).draw(&p, QPointF(i < lineShifts.size() ? -lineShifts[i] : 0, 0));
        p.restore();
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
    d->fonts.append(d->loadFont(style.face, style.bold, style.italic));
    return int(d->fonts.size()) - 1;
}

void PdfLibrary::SelectFont(int id)
{
    if (id >= 0 && id < d->fonts.size())
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
    QTextLayout layout(withLineSeparators(text), d->currentFont().font, &d->writer);
    d->layOut(layout, 0);
    double widest = 0;
    for (int i = 0; i < layout.lineCount(); ++i)
        widest = std::max(widest, double(layout.lineAt(i).naturalTextWidth()));
    return widest * d->textFactor() / d->scale;
}

int PdfLibrary::WrappedLineCount(const QString& text, double width) const
{
    QTextLayout layout(withLineSeparators(text), d->currentFont().font, &d->writer);
    d->layOut(layout, std::max(d->scaled(width), minimumBoxWidth));
    return layout.lineCount();
}

QStringList PdfLibrary::WrappedLines(const QString& text, double width) const
{
    const QString laidOut = withLineSeparators(text);
    QTextLayout layout(laidOut, d->currentFont().font, &d->writer);
    d->layOut(layout, std::max(d->scaled(width), minimumBoxWidth));
    QStringList lines;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        QString part = laidOut.mid(line.textStart(), line.textLength());
        // The break that ended a line is not part of the next box's text.
        if (part.endsWith(QChar::LineSeparator))
            part.chop(1);
        lines.append(part);
    }
    return lines;
}

void PdfLibrary::SetTextAlign(int align)
{
    d->state.align = align;
}

int PdfLibrary::DrawTextBox(double x, double y, double width, const QString& text)
{
    QPainter* p = d->page();
    if (!p)
        return 0;
    QTextLayout layout(withLineSeparators(text), d->currentFont().font, &d->writer);
    d->layOut(layout, std::max(d->scaled(width), minimumBoxWidth));
    d->drawLayout(*p, layout, d->scaled(x, y));
    return layout.lineCount();
}

void PdfLibrary::DrawText(double x, double baselineY, const QString& text)
{
    QPainter* p = d->page();
    if (!p)
        return;
    QTextLayout layout(withLineSeparators(text), d->currentFont().font, &d->writer);
    d->layOut(layout, 0);
    if (layout.lineCount() == 0)
        return;
    QVector<double> shifts;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const double width = layout.lineAt(i).naturalTextWidth();
        shifts.append(d->state.align == AlignCentre ? width / 2 : d->state.align == AlignRight ? width : 0);
    }
    const double ascent = d->currentFont().extents.ascent * d->state.textSize;
    d->drawLayout(*p, layout, d->scaled(x, baselineY) - QPointF(0, ascent), shifts);
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
    if (QPainter* p = d->page()) {
        p->setPen(d->linePen());
        p->drawLine(d->scaled(x1, y1), d->scaled(x2, y2));
    }
}

void PdfLibrary::DrawBox(double x, double y, double width, double height, Paint paint)
{
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
