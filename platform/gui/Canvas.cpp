#include "Canvas.h"

#include "Graphics.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainterPath>
#include <QPolygon>
#include <QTransform>
#include <QtMath>
#include <cmath>

namespace {

QPolygon toPolygon(const QVector<TPoint>& points)
{
    QPolygon polygon;
    polygon.reserve(points.size());
    for (const TPoint& p : points)
        polygon.append(QPoint(p.X, p.Y));
    return polygon;
}

TRect normalized(int left, int top, int right, int bottom)
{
    return Rect(qMin(left, right), qMin(top, bottom), qMax(left, right), qMax(top, bottom));
}

// One line of DrawText: its text after prefix handling and the index of the underlined character (-1 for none).
struct TextLine
{
    QString text;
    int underline = -1;
};

// Removes the '&' prefixes: "&&" stands for '&', any other '&' marks the next character as the underlined one.
TextLine stripPrefixes(const QString& text)
{
    TextLine line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            line.text += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == u'&') {
            line.text += u'&';
            ++i;
        } else if (line.underline < 0 && i + 1 < text.size()) {
            line.underline = int(line.text.size());
        }
    }
    return line;
}

QStringList splitParagraphs(const QString& text)
{
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    unified.replace(u'\r', u'\n');
    return unified.split(u'\n');
}

// Dash lengths in pixels, on and off in turn; empty for a continuous line.
QVector<int> dashPattern(TPenStyle style)
{
    switch (style) {
    case psDash:
        return {18, 6};
    case psDot:
        return {3, 3};
    case psDashDot:
        return {9, 6, 3, 6};
    case psDashDotDot:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

constexpr auto ellipsis = QLatin1String("...");

} // namespace

QColor ToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& color)
{
    return RGB(color.red(), color.green(), color.blue());
}

QRect ToQRect(const TRect& rect)
{
    return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

TRect FromQRect(const QRect& rect)
{
    return Rect(rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height());
}

int TFont::GetSize() const
{
    return -MulDiv(height, 72, 96);
}

void TFont::SetSize(int points)
{
    height = -MulDiv(points, 96, 72);
}

QFont TFont::ToQFont() const
{
    QFont font(Name);
    if (height < 0) {
        font.setPixelSize(-height);
    } else if (height > 0) {
        // A cell height: scale the character height so that ascent plus descent comes to it.
        font.setPixelSize(height);
        const int cell = QFontMetrics(font).height();
        if (cell > 0)
            font.setPixelSize(qMax(1, MulDiv(height, height, cell)));
    } else {
        font.setPixelSize(11);
    }
    font.setBold(Style & fsBold);
    font.setItalic(Style & fsItalic);
    font.setUnderline(Style & fsUnderline);
    font.setStrikeOut(Style & fsStrikeOut);
    return font;
}

TFont TFont::FromQFont(const QFont& font, TColor color)
{
    TFont result;
    result.Name = font.family();
    result.Color = color;
    if (font.pixelSize() > 0)
        result.height = -font.pixelSize();
    else
        result.height = -int(std::lround(font.pointSizeF() * 96.0 / 72.0));
    result.Style = (font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) | (font.underline() ? fsUnderline : 0) |
                   (font.strikeOut() ? fsStrikeOut : 0);
    return result;
}

TCanvas::TCanvas()
    : scratch(std::make_unique<QImage>(1, 1, QImage::Format_ARGB32_Premultiplied))
    , ownPainter(std::make_unique<QPainter>(scratch.get()))
    , painter(ownPainter.get())
{
    painter->setRenderHint(QPainter::Antialiasing, false);
}

TCanvas::TCanvas(QPaintDevice* device) : ownPainter(std::make_unique<QPainter>(device)), painter(ownPainter.get())
{
    painter->setRenderHint(QPainter::Antialiasing, false);
}

TCanvas::TCanvas(QPainter& painter) : painter(&painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
}

TCanvas::~TCanvas()
{
    if (!ownPainter)
        painter->restore();
}

void TCanvas::applyPen()
{
    if (Pen.Style == psClear) {
        painter->setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(Pen.Color), qMax(1, Pen.Width));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    const QVector<int> dashes = dashPattern(Pen.Style);
    if (!dashes.isEmpty())
        pen.setDashPattern(QVector<qreal>(dashes.begin(), dashes.end()));
    painter->setPen(pen);
}

void TCanvas::applyBrush()
{
    static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
                                            Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    painter->setBrush(QBrush(ToQColor(Brush.Color), styles[Brush.Style]));
}

void TCanvas::applyFill()
{
    if (Brush.Style == bsClear)
        painter->setBrush(Qt::NoBrush);
    else
        applyBrush();
}

void TCanvas::drawSegment(const TPoint& from, const TPoint& to)
{
    const int dx = to.X - from.X;
    const int dy = to.Y - from.Y;
    const int steps = qMax(std::abs(dx), std::abs(dy));
    if (steps == 0)
        return;
    if (Pen.Width > 1) {
        // A wide pen has round ends; there is no single end pixel to leave out.
        applyPen();
        QPen pen = painter->pen();
        pen.setCapStyle(Qt::RoundCap);
        painter->setPen(pen);
        painter->drawLine(QPoint(from.X, from.Y), QPoint(to.X, to.Y));
        return;
    }
    // A 1-pixel line is stepped out here, with its dash pattern, so that it covers exactly the pixels the platform
    // covers: from the start point up to, not including, the end point.
    const QColor color = ToQColor(Pen.Color);
    const QVector<int> pattern = dashPattern(Pen.Style);
    if (pattern.isEmpty() && (dx == 0 || dy == 0)) {
        const int x = dx < 0 ? to.X + 1 : from.X;
        const int y = dy < 0 ? to.Y + 1 : from.Y;
        painter->fillRect(QRect(x, y, dx == 0 ? 1 : std::abs(dx), dy == 0 ? 1 : std::abs(dy)), color);
        return;
    }
    int patternIndex = 0;
    int patternLeft = pattern.isEmpty() ? 0 : pattern[0];
    for (int i = 0; i < steps; ++i) {
        const bool on = pattern.isEmpty() || patternIndex % 2 == 0;
        if (on) {
            const int x = from.X + int(std::lround(double(dx) * i / steps));
            const int y = from.Y + int(std::lround(double(dy) * i / steps));
            painter->fillRect(QRect(x, y, 1, 1), color);
        }
        if (!pattern.isEmpty() && --patternLeft == 0) {
            patternIndex = (patternIndex + 1) % int(pattern.size());
            patternLeft = pattern[patternIndex];
        }
    }
}

void TCanvas::LineTo(int x, int y)
{
    const TPoint to{x, y};
    if (Pen.Style != psClear)
        drawSegment(penPos, to);
    penPos = to;
}

void TCanvas::Polyline(const QVector<TPoint>& points)
{
    if (points.isEmpty())
        return;
    const TPoint saved = penPos;
    MoveTo(points[0].X, points[0].Y);
    for (qsizetype i = 1; i < points.size(); ++i)
        LineTo(points[i].X, points[i].Y);
    penPos = saved;
}

void TCanvas::Polygon(const QVector<TPoint>& points)
{
    applyPen();
    applyFill();
    painter->drawPolygon(toPolygon(points));
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    const TRect r = normalized(left, top, right, bottom);
    if (r.IsEmpty())
        return;
    if (Pen.Style == psClear) {
        // Without a pen the platform fills one pixel less to the right and to the bottom.
        if (Brush.Style != bsClear)
            FillRect(Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1));
        return;
    }
    if (Brush.Style != bsClear)
        FillRect(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
    applyPen();
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    const TRect r = normalized(left, top, right, bottom);
    if (r.IsEmpty())
        return;
    applyPen();
    applyFill();
    painter->drawRoundedRect(QRectF(r.Left, r.Top, r.Width() - 1, r.Height() - 1), cornerWidth / 2.0,
                             cornerHeight / 2.0);
}

void TCanvas::FillRect(const TRect& rect)
{
    if (rect.IsEmpty() || Brush.Style == bsClear)
        return;
    applyBrush();
    painter->fillRect(ToQRect(rect), painter->brush());
}

void TCanvas::FrameRect(const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    const QColor color = ToQColor(Brush.Color);
    const QRect r = ToQRect(rect);
    painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
    painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
    painter->fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
    painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
}

void TCanvas::DrawFocusRect(const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    const QRect r = ToQRect(rect);
    painter->save();
    painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QBrush dots(Qt::white, Qt::Dense4Pattern);
    painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), dots);
    if (r.height() > 1)
        painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), dots);
    if (r.height() > 2) {
        painter->fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), dots);
        if (r.width() > 1)
            painter->fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), dots);
    }
    painter->restore();
}

const QFont& TCanvas::qFont() const
{
    metrics();
    return metricsQFont;
}

const QFontMetrics& TCanvas::metrics() const
{
    if (!fontMetrics || !(metricsFont == Font)) {
        metricsFont = Font;
        metricsQFont = Font.ToQFont();
        fontMetrics.emplace(metricsQFont);
    }
    return *fontMetrics;
}

int TCanvas::lineWidth(const QString& text, bool expandTabs) const
{
    const QFontMetrics& metrics = this->metrics();
    if (!expandTabs || !text.contains(u'\t'))
        return metrics.horizontalAdvance(text);
    const int tabWidth = qMax(1, 8 * metrics.averageCharWidth());
    int x = 0;
    const QStringList parts = text.split(u'\t');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            x = (x / tabWidth + 1) * tabWidth;
        x += metrics.horizontalAdvance(parts[i]);
    }
    return x;
}

void TCanvas::drawTextLine(int x, int y, const QString& text, int underlineIndex, bool expandTabs)
{
    const QFontMetrics& metrics = this->metrics();
    painter->setFont(qFont());
    painter->setPen(ToQColor(Font.Color));
    const int baseline = y + metrics.ascent();
    if (expandTabs && text.contains(u'\t')) {
        const int tabWidth = qMax(1, 8 * metrics.averageCharWidth());
        int offset = 0;
        const QStringList parts = text.split(u'\t');
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0)
                offset = (offset / tabWidth + 1) * tabWidth;
            painter->drawText(x + offset, baseline, parts[i]);
            offset += metrics.horizontalAdvance(parts[i]);
        }
    } else {
        painter->drawText(x, baseline, text);
    }
    if (underlineIndex >= 0 && underlineIndex < text.size()) {
        const int from = x + lineWidth(text.left(underlineIndex), expandTabs);
        const int to = x + lineWidth(text.left(underlineIndex + 1), expandTabs);
        painter->fillRect(QRect(from, baseline + qMax(1, metrics.underlinePos()), to - from, 1), ToQColor(Font.Color));
    }
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    const QFontMetrics& metrics = this->metrics();
    const int width = metrics.horizontalAdvance(text);
    painter->save();
    painter->translate(x, y);
    if (Font.Orientation != 0)
        painter->rotate(-Font.Orientation / 10.0);
    if (Brush.Style == bsSolid)
        painter->fillRect(QRect(0, 0, width, metrics.height()), ToQColor(Brush.Color));
    painter->setFont(qFont());
    painter->setPen(ToQColor(Font.Color));
    painter->drawText(0, metrics.ascent(), text);
    painter->restore();
    penPos = TPoint{x + width, y};
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const QString& text)
{
    painter->save();
    painter->setClipRect(ToQRect(rect), Qt::IntersectClip);
    if (Brush.Style == bsSolid)
        painter->fillRect(ToQRect(rect), ToQColor(Brush.Color));
    drawTextLine(x, y, text, -1, false);
    painter->restore();
}

int TCanvas::TextWidth(const QString& text) const
{
    return metrics().horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString&) const
{
    return metrics().height();
}

unsigned DrawTextAlignment(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        return DT_CENTER;
    case taLeftJustify:
        break;
    }
    return DT_LEFT;
}

Qt::Alignment QtAlignment(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case taLeftJustify:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

int TCanvas::DrawText(const QString& text, TRect& rect, unsigned flags)
{
    if (Font.Orientation % 3600 != 0 && !text.isEmpty())
        return drawTurnedText(text, rect, flags);
    if (text.isEmpty()) {
        if (flags & DT_CALCRECT) {
            rect.Right = rect.Left;
            rect.Bottom = rect.Top;
        }
        return 0;
    }
    const bool singleLine = flags & DT_SINGLELINE;
    const bool expandTabs = flags & DT_EXPANDTABS;
    const int width = rect.Width();
    const int lineHeight = metrics().height();

    QVector<TextLine> lines;
    const QStringList paragraphs =
        singleLine ? QStringList{QString(text).remove(u'\r').remove(u'\n')} : splitParagraphs(text);
    for (const QString& paragraphText : paragraphs) {
        const TextLine paragraph = (flags & DT_NOPREFIX) ? TextLine{paragraphText, -1} : stripPrefixes(paragraphText);
        if (singleLine || !(flags & DT_WORDBREAK)) {
            lines.append(paragraph);
            continue;
        }
        // Greedy wrapping at blanks; a word wider than the rectangle stands alone on its line, broken between
        // characters only in edit-control mode.
        const QString& p = paragraph.text;
        qsizetype start = 0;
        do {
            qsizetype end = start;
            qsizetype fitted = start;
            while (end < p.size()) {
                qsizetype wordEnd = end;
                while (wordEnd < p.size() && p[wordEnd] == u' ')
                    ++wordEnd;
                while (wordEnd < p.size() && p[wordEnd] != u' ')
                    ++wordEnd;
                if (lineWidth(p.mid(start, wordEnd - start), expandTabs) > width)
                    break;
                end = wordEnd;
                fitted = wordEnd;
            }
            if (fitted == start && start < p.size()) {
                qsizetype wordEnd = start;
                while (wordEnd < p.size() && p[wordEnd] == u' ')
                    ++wordEnd;
                while (wordEnd < p.size() && p[wordEnd] != u' ')
                    ++wordEnd;
                fitted = wordEnd;
                if (flags & DT_EDITCONTROL) {
                    fitted = start + 1;
                    while (fitted < wordEnd && lineWidth(p.mid(start, fitted + 1 - start), expandTabs) <= width)
                        ++fitted;
                }
            }
            QString lineText = p.mid(start, fitted - start);
            while (lineText.endsWith(u' '))
                lineText.chop(1);
            const int underline = paragraph.underline - int(start);
            lines.append(TextLine{lineText, underline >= 0 && underline < lineText.size() ? underline : -1});
            start = fitted;
            while (start < p.size() && p[start] == u' ')
                ++start;
        } while (start < p.size());
    }

    if (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) {
        for (TextLine& line : lines) {
            if (lineWidth(line.text, expandTabs) <= width)
                continue;
            QString head = line.text;
            QString tail;
            if (flags & DT_PATH_ELLIPSIS) {
                const qsizetype separator = qMax(head.lastIndexOf(u'\\'), head.lastIndexOf(u'/'));
                if (separator > 0) {
                    tail = head.mid(separator);
                    head.truncate(separator);
                }
            }
            // The longest head that fits, found by halving: chopping one character at a time would measure a
            // long line once per character.
            qsizetype fits = 0;
            qsizetype tooLong = head.size();
            while (tooLong - fits > 1) {
                const qsizetype middle = (fits + tooLong) / 2;
                if (lineWidth(head.left(middle) + ellipsis + tail, expandTabs) <= width)
                    fits = middle;
                else
                    tooLong = middle;
            }
            head.truncate(fits);
            if (line.underline >= head.size())
                line.underline = -1;
            line.text = head + ellipsis + tail;
        }
    }

    int top = rect.Top;
    if (singleLine && (flags & DT_VCENTER))
        top = (rect.Top + rect.Bottom - lineHeight) / 2;
    else if (singleLine && (flags & DT_BOTTOM))
        top = rect.Bottom - lineHeight;
    if ((flags & DT_EDITCONTROL) && !singleLine && !(flags & DT_CALCRECT)) {
        // An edit control shows no partly visible last line.
        while (lines.size() > 1 && top + lines.size() * lineHeight > rect.Bottom)
            lines.removeLast();
    }
    const int height = int(lines.size()) * lineHeight;
    const int result = singleLine && (flags & (DT_VCENTER | DT_BOTTOM)) ? top - rect.Top + height : height;

    if (flags & DT_CALCRECT) {
        int widest = 0;
        for (const TextLine& line : lines)
            widest = qMax(widest, lineWidth(line.text, expandTabs));
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + height;
        return result;
    }

    painter->save();
    if (!(flags & DT_NOCLIP))
        painter->setClipRect(ToQRect(rect), Qt::IntersectClip);
    int y = top;
    for (const TextLine& line : lines) {
        const int w = lineWidth(line.text, expandTabs);
        int x = rect.Left;
        if (flags & DT_CENTER)
            x = (rect.Left + rect.Right - w) / 2;
        else if (flags & DT_RIGHT)
            x = rect.Right - w;
        if (Brush.Style == bsSolid)
            painter->fillRect(QRect(x, y, w, lineHeight), ToQColor(Brush.Color));
        drawTextLine(x, y, line.text, (flags & DT_HIDEPREFIX) ? -1 : line.underline, expandTabs);
        y += lineHeight;
    }
    painter->restore();
    return result;
}

// The text is laid out upright, turned about its top-left corner, and moved so that the turned block's bounding
// box stands where an upright block of that size would. Measuring gives that box, so whoever places text by its
// measured size places turned text where it is drawn.
int TCanvas::drawTurnedText(const QString& text, TRect& rect, unsigned flags)
{
    const int orientation = Font.Orientation;
    // Ellipses and wrapping work along the baseline, which the rectangle's width no longer measures.
    const unsigned uprightFlags = flags & ~(DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_END_ELLIPSIS |
                                            DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS | DT_CALCRECT);
    Font.Orientation = 0;
    TRect upright = Rect(0, 0, rect.Width(), 0);
    DrawText(text, upright, uprightFlags | DT_CALCRECT);
    Font.Orientation = orientation;

    QTransform turn;
    turn.rotate(-orientation / 10.0);
    const QRectF box = turn.mapRect(QRectF(0, 0, upright.Width(), upright.Height()));
    const int width = qCeil(box.width() - 1e-6);
    const int height = qCeil(box.height() - 1e-6);
    if (flags & DT_CALCRECT) {
        rect.Right = rect.Left + width;
        rect.Bottom = rect.Top + height;
        return height;
    }

    int left = rect.Left;
    if (flags & DT_CENTER)
        left = (rect.Left + rect.Right - width) / 2;
    else if (flags & DT_RIGHT)
        left = rect.Right - width;
    int top = rect.Top;
    const bool singleLine = flags & DT_SINGLELINE;
    if (singleLine && (flags & DT_VCENTER))
        top = (rect.Top + rect.Bottom - height) / 2;
    else if (singleLine && (flags & DT_BOTTOM))
        top = rect.Bottom - height;

    painter->save();
    if (!(flags & DT_NOCLIP))
        painter->setClipRect(ToQRect(rect), Qt::IntersectClip);
    painter->translate(left - box.left(), top - box.top());
    painter->setTransform(turn, true);
    Font.Orientation = 0;
    DrawText(text, upright, uprightFlags | DT_NOCLIP);
    Font.Orientation = orientation;
    painter->restore();
    return singleLine && (flags & (DT_VCENTER | DT_BOTTOM)) ? top - rect.Top + height : height;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (!graphic || graphic->GetEmpty())
        return;
    graphic->Draw(*this, Rect(x, y, x + graphic->GetWidth(), y + graphic->GetHeight()));
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic)
{
    if (!graphic || graphic->GetEmpty())
        return;
    graphic->Draw(*this, rect);
}

QRect TCanvas::deviceRect() const
{
    return painter->window();
}

void TCanvas::SetClipRect(const TRect& rect)
{
    painter->setClipRect(ToQRect(rect), Qt::ReplaceClip);
}

void TCanvas::SetClipRegion(const QRegion& region)
{
    painter->setClipRegion(region, Qt::ReplaceClip);
}

void TCanvas::IntersectClipRect(const TRect& rect)
{
    painter->setClipRect(ToQRect(rect), Qt::IntersectClip);
}

void TCanvas::ExcludeClipRect(const TRect& rect)
{
    const QRegion current = painter->hasClipping() ? painter->clipRegion() : QRegion(deviceRect());
    painter->setClipRegion(current.subtracted(QRegion(ToQRect(rect))), Qt::ReplaceClip);
}

void TCanvas::ResetClip()
{
    painter->setClipping(false);
}

bool TCanvas::HasClip() const
{
    return painter->hasClipping();
}

QRegion TCanvas::GetClipRegion() const
{
    return painter->clipRegion();
}

void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width)
{
    canvas.Pen.Width = 1;
    canvas.Pen.Style = psSolid;
    --rect.Bottom;
    --rect.Right;
    for (; width > 0; --width) {
        // Each ring: left and top in the top colour, then right and bottom in the bottom colour, which also takes
        // the top-right and bottom-left corners.
        canvas.Pen.Color = topColor;
        canvas.Polyline({Point(rect.Left, rect.Bottom), Point(rect.Left, rect.Top), Point(rect.Right, rect.Top)});
        canvas.Pen.Color = bottomColor;
        canvas.Polyline(
            {Point(rect.Right, rect.Top), Point(rect.Right, rect.Bottom), Point(rect.Left - 1, rect.Bottom)});
        rect.Left += 1;
        rect.Top += 1;
        rect.Right -= 1;
        rect.Bottom -= 1;
    }
    ++rect.Bottom;
    ++rect.Right;
}

void DrawEdge(TCanvas& canvas, TRect& rect, unsigned edge, unsigned flags)
{
    struct Ring
    {
        bool present;
        TColor topLeft;
        TColor bottomRight;
    };
    Ring outer{false, clNone, clNone};
    Ring inner{false, clNone, clNone};
    if (edge & BDR_RAISEDOUTER)
        outer = {true, cl3DLight, cl3DDkShadow};
    else if (edge & BDR_SUNKENOUTER)
        outer = {true, clBtnShadow, clBtnHighlight};
    if (edge & BDR_RAISEDINNER)
        inner = {true, clBtnHighlight, clBtnShadow};
    else if (edge & BDR_SUNKENINNER)
        inner = {true, cl3DDkShadow, cl3DLight};
    if (flags & BF_FLAT) {
        outer.topLeft = outer.bottomRight = clBtnShadow;
        inner.topLeft = inner.bottomRight = clBtnFace;
    }

    QPainter& painter = canvas.Painter();
    TRect r = rect;
    for (const Ring& ring : {outer, inner}) {
        if (!ring.present || r.IsEmpty())
            continue;
        const QColor topLeft = ToQColor(ring.topLeft);
        const QColor bottomRight = ToQColor(ring.bottomRight);
        if (flags & BF_TOP)
            painter.fillRect(QRect(r.Left, r.Top, r.Width() - 1, 1), topLeft);
        if (flags & BF_LEFT)
            painter.fillRect(QRect(r.Left, r.Top, 1, r.Height() - 1), topLeft);
        if (flags & BF_RIGHT)
            painter.fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), bottomRight);
        if (flags & BF_BOTTOM)
            painter.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), bottomRight);
        if (flags & BF_LEFT)
            ++r.Left;
        if (flags & BF_TOP)
            ++r.Top;
        if (flags & BF_RIGHT)
            --r.Right;
        if (flags & BF_BOTTOM)
            --r.Bottom;
    }
    if ((flags & BF_MIDDLE) && !r.IsEmpty())
        painter.fillRect(ToQRect(r), ToQColor(clBtnFace));
    if (flags & BF_ADJUST)
        rect = r;
}

void DrawFrameControl(TCanvas& canvas, const TRect& rect, unsigned kind, unsigned state)
{
    QPainter& painter = canvas.Painter();
    const bool inactive = state & DFCS_INACTIVE;
    const QColor mark = ToQColor(inactive ? clGrayText : clBtnText);
    if (kind == DFC_BUTTON) {
        // The check box is the largest square that fits, centred in the rectangle.
        const int side = qMin(rect.Width(), rect.Height());
        const int left = rect.Left + (rect.Width() - side) / 2;
        const int top = rect.Top + (rect.Height() - side) / 2;
        TRect box = Rect(left, top, left + side, top + side);
        if (state & DFCS_FLAT) {
            painter.fillRect(ToQRect(box), ToQColor(clBtnShadow));
            box = Rect(box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1);
        } else {
            DrawEdge(canvas, box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        }
        painter.fillRect(ToQRect(box), ToQColor((inactive || (state & DFCS_PUSHED)) ? clBtnFace : clWindow));
        if (state & DFCS_CHECKED) {
            // A 7 by 7 tick, three pixels thick, in the middle of the box.
            const int x = box.Left + (box.Width() - 7) / 2;
            const int y = box.Top + (box.Height() - 7) / 2;
            for (int i = 0; i < 3; ++i) {
                painter.fillRect(QRect(x, y + 2 + i, 1, 1), mark);
                painter.fillRect(QRect(x + 1, y + 3 + i, 1, 1), mark);
                painter.fillRect(QRect(x + 2, y + 4 + i, 1, 1), mark);
                for (int k = 3; k < 7; ++k)
                    painter.fillRect(QRect(x + k, y + 6 - k + i, 1, 1), mark);
            }
        }
        return;
    }
    const unsigned arrow = state & 0xFF;
    if (kind != DFC_SCROLL || (arrow != DFCS_SCROLLCOMBOBOX && arrow != DFCS_SCROLLDOWN && arrow != DFCS_SCROLLUP))
        return;
    TRect face = rect;
    painter.fillRect(ToQRect(face), ToQColor(clBtnFace));
    if (state & DFCS_FLAT)
        DrawEdge(canvas, face, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_ADJUST);
    else
        DrawEdge(canvas, face, (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    // A triangle up to four rows high and seven pixels wide at its base, smaller in a small face.
    const int rows = qBound(1, (qMin(face.Width(), face.Height()) - 1) / 2, 4);
    const int x = face.Left + (face.Width() - (2 * rows - 1)) / 2 + ((state & DFCS_PUSHED) ? 1 : 0);
    const int y = face.Top + (face.Height() - rows) / 2 + ((state & DFCS_PUSHED) ? 1 : 0);
    for (int row = 0; row < rows; ++row) {
        const int fromBase = arrow == DFCS_SCROLLUP ? rows - 1 - row : row;
        painter.fillRect(QRect(x + fromBase, y + row, 2 * (rows - fromBase) - 1, 1), mark);
    }
}

QRegion CreateRoundRectRgn(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    const TRect r = normalized(left, top, right, bottom);
    QPainterPath path;
    path.addRoundedRect(QRectF(r.Left, r.Top, r.Width(), r.Height()), cornerWidth / 2.0, cornerHeight / 2.0);
    return QRegion(path.toFillPolygon().toPolygon());
}
