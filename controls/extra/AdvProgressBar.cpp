#include "AdvProgressBar.h"

#include "HTMLText.h"
#include "Vh_langmanager.h"

#include <QImage>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

constexpr int roundedCorner = 6;        // width and height of the corner ellipse
constexpr int blockLength = 7;          // a block of the block look
constexpr int blockPitch = 9;           // a block and the gap after it
constexpr int infiniteStep = 4;         // percent of the length per animation step
constexpr int infiniteWindowBack = 10;  // the moving window reaches this far behind its position...
constexpr int infiniteWindowAhead = 12; // ... and this far ahead
constexpr int textOrientationUp = 900;  // tenths of a degree: text reading upward

// Rounds halves to the even neighbour, as the bar was designed with.
int roundEven(double value)
{
    return int(std::nearbyint(value));
}

struct LevelColors
{
    TColor color;
    TColor colorTo;
};

LevelColors levelColors(const TGaugeSettings& s, int level)
{
    switch (level) {
    case 0:
        return {s.Level0Color, s.Level0ColorTo};
    case 1:
        return {s.Level1Color, s.Level1ColorTo};
    case 2:
        return {s.Level2Color, s.Level2ColorTo};
    default:
        return {s.Level3Color, s.Level3ColorTo};
    }
}

void fillSolid(TCanvas& canvas, TColor color, const TRect& r)
{
    canvas.Brush.Style = bsSolid;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Color = color;
    canvas.Brush.Color = color;
    canvas.Rectangle(r);
}

// A part of the fill: with the gradient, split across the bar into two halves that mirror each other, the
// level's colour meeting in the middle.
void fillPart(TCanvas& canvas, const TGaugeSettings& s, const LevelColors& colors, const TRect& r)
{
    if (r.IsEmpty())
        return;
    if (!s.ShowGradient) {
        fillSolid(canvas, colors.color, r);
        return;
    }
    TRect first = r;
    TRect second = r;
    const bool horizontal = s.Orientation == goHorizontal;
    if (horizontal)
        first.Bottom = second.Top = r.Top + r.Height() / 2;
    else
        first.Right = second.Left = r.Left + r.Width() / 2;
    // A lying bar's halves are banded from top to bottom, a standing bar's from left to right.
    MarkupFillGradient(&canvas, colors.colorTo, colors.color, clNone, s.Steps, first, !horizontal);
    MarkupFillGradient(&canvas, colors.color, colors.colorTo, clNone, s.Steps, second, !horizontal);
}

// The length of the bar inside its frame.
int innerLength(const TGaugeSettings& s, const TRect& r)
{
    return (s.Orientation == goHorizontal ? r.Width() : r.Height()) - 2;
}

void drawLevelBackgrounds(TCanvas& canvas, const TGaugeSettings& s, const TRect& R)
{
    if (s.Level0BkColor == clNone && s.Level1BkColor == clNone && s.Level2BkColor == clNone)
        return;
    const int S = innerLength(s, R);
    const int a = roundEven(s.Level1Perc / 100.0 * S);
    const int b = roundEven(S * (s.Level2Perc - s.Level1Perc) / 100.0);
    const int c = S - a - b;
    TRect zones[3];
    if (s.Orientation == goHorizontal) {
        zones[0] = Rect(R.Left + 2, R.Top + 1, R.Left + a, R.Bottom - 1);
        zones[1] = Rect(zones[0].Right, R.Top + 1, zones[0].Right + b, R.Bottom - 1);
        zones[2] = Rect(zones[1].Right, R.Top + 1, zones[1].Right + c, R.Bottom - 1);
    } else {
        zones[0] = Rect(R.Left + 1, R.Bottom - a + 1, R.Right - 1, R.Bottom - 2);
        zones[1] = Rect(R.Left + 1, zones[0].Top - b, R.Right - 1, zones[0].Top);
        zones[2] = Rect(R.Left + 1, zones[1].Top - c - 1, R.Right - 1, zones[1].Top - 1);
    }
    const TColor colors[3] = {s.Level0BkColor, s.Level1BkColor, s.Level2BkColor};
    for (int i = 0; i < 3; ++i) {
        if (colors[i] != clNone)
            fillSolid(canvas, colors[i], zones[i]);
    }
}

// The three lower levels side by side, each as far as the percentage reaches into it.
void drawStacked(TCanvas& canvas, const TGaugeSettings& s, const TRect& R, int P)
{
    const int S = innerLength(s, R);
    const bool horizontal = s.Orientation == goHorizontal;
    const int w0 = roundEven(std::min(P, s.Level1Perc) / 100.0 * S);
    const TRect first = horizontal ? Rect(R.Left + 2, R.Top + 1, R.Left + w0, R.Bottom - 1)
                                   : Rect(R.Left + 1, R.Bottom - w0 + 1, R.Right - 1, R.Bottom - 2);
    fillPart(canvas, s, levelColors(s, 0), first);
    if (P < s.Level1Perc)
        return;
    const int w1 = roundEven(S * (std::min(P, s.Level2Perc) - s.Level1Perc) / 100.0);
    const TRect second = horizontal ? Rect(first.Right, R.Top + 1, first.Right + w1, R.Bottom - 1)
                                    : Rect(R.Left + 1, first.Top - w1, R.Right - 1, first.Top);
    fillPart(canvas, s, levelColors(s, 1), second);
    if (P < s.Level2Perc)
        return;
    const int w2 = P == 100 ? S - w0 - w1 : roundEven(S * (P - s.Level2Perc) / 100.0);
    const TRect third = horizontal ? Rect(second.Right, R.Top + 1, second.Right + w2, R.Bottom - 1)
                                   : Rect(R.Left + 1, second.Top - w2 - 1, R.Right - 1, second.Top - 1);
    fillPart(canvas, s, levelColors(s, 2), third);
}

// Blocks of 7 pixels with gaps of 2 from the start of the bar, and a last partial block.
void drawBlocks(TCanvas& canvas, const TGaugeSettings& s, const TRect& R, int P, const LevelColors& colors)
{
    const int length = roundEven(P * innerLength(s, R) / 100.0);
    const bool horizontal = s.Orientation == goHorizontal;
    if (length <= blockPitch) {
        if (length > 1)
            fillPart(canvas, s, colors,
                     horizontal ? Rect(R.Left + 2, R.Top + 2, R.Left + length + 1, R.Bottom - 2)
                                : Rect(R.Left + 2, R.Bottom - length - 1, R.Right - 2, R.Bottom - 2));
        return;
    }
    TRect block = horizontal ? Rect(R.Left + 2, R.Top + 2, R.Left + 2 + blockLength, R.Bottom - 2)
                             : Rect(R.Left + 2, R.Bottom - 2 - blockLength, R.Right - 2, R.Bottom - 2);
    for (int i = 0; i < length / blockPitch; ++i) {
        if (i > 0) {
            if (horizontal) {
                block.Left = block.Right + 2;
                block.Right = block.Left + blockLength;
            } else {
                block.Bottom = block.Top - 2;
                block.Top = block.Bottom - blockLength;
            }
        }
        fillPart(canvas, s, colors, block);
    }
    const int rest = length % blockPitch;
    if (rest <= 2)
        return;
    if (horizontal)
        fillPart(canvas, s, colors, Rect(block.Right + 2, R.Top + 2, block.Right + rest + 1, R.Bottom - 2));
    else
        fillPart(canvas, s, colors,
                 Rect(R.Left + 2, std::max(R.Top + 2, block.Top - 2 - (rest - 1)), R.Right - 2, block.Top - 2));
}

void drawFill(TCanvas& canvas, const TGaugeSettings& s, const TRect& R, int P)
{
    if (s.Stacked) {
        drawStacked(canvas, s, R, P);
        return;
    }
    const int level = P < s.Level1Perc ? 0 : P < s.Level2Perc ? 1 : P < 100 ? 2 : 3;
    const LevelColors colors = levelColors(s, level);
    if (!s.CompletionSmooth) {
        drawBlocks(canvas, s, R, P, colors);
        return;
    }
    const int w = roundEven(P / 100.0 * innerLength(s, R));
    fillPart(canvas, s, colors,
             s.Orientation == goHorizontal ? Rect(R.Left + 2, R.Top + 2, R.Left + w, R.Bottom - 2)
                                           : Rect(R.Left + 2, R.Bottom - w, R.Right - 2, R.Bottom - 2));
}

// Covers the bar outside the moving window with the background.
void drawInfiniteWindow(TCanvas& canvas, const TGaugeSettings& s, const TRect& R)
{
    const bool horizontal = s.Orientation == goHorizontal;
    const int extent = horizontal ? R.Width() : R.Height();
    const int at = extent <= 4 ? 0 : roundEven(s.InfinitePosition / 100.0 * (extent - 4));
    if (horizontal) {
        fillSolid(canvas, s.BackgroundColor,
                  Rect(R.Left + 2, R.Top + 1, std::max(R.Left + 2, R.Left + at - infiniteWindowBack), R.Bottom - 1));
        fillSolid(canvas, s.BackgroundColor,
                  Rect(std::min(R.Right - 2, R.Left + at + infiniteWindowAhead), R.Top + 2, R.Right - 2, R.Bottom - 2));
    } else {
        fillSolid(canvas, s.BackgroundColor,
                  Rect(R.Left + 2, R.Top + 2, R.Right - 2, std::max(R.Top + 2, R.Top + at - infiniteWindowBack)));
        fillSolid(
            canvas, s.BackgroundColor,
            Rect(R.Left + 2, std::min(R.Bottom - 2, R.Top + at + infiniteWindowAhead), R.Right - 2, R.Bottom - 2));
    }
}

void drawText(TCanvas& canvas, const TGaugeSettings& s, const TRect& R)
{
    const QString text = GaugeText(s);
    canvas.Brush.Style = bsClear;
    canvas.Font = s.Font;
    const int textWidth = canvas.TextWidth(text);
    const int textHeight = canvas.TextHeight(text);
    if (s.Orientation == goHorizontal) {
        canvas.TextOut(R.Left + R.Width() / 2 - textWidth / 2, R.Top + R.Height() / 2 - textHeight / 2, text);
        return;
    }
    canvas.Font.Orientation = textOrientationUp;
    canvas.TextOut(R.Left + R.Width() / 2 - textHeight / 2, R.Top + R.Height() / 2 + textWidth / 2, text);
}

} // namespace

void DrawGauge(TCanvas& canvas, const TRect& R, TGaugeSettings s)
{
    if (s.Rounded) {
        QPainter& painter = canvas.Painter();
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.fillRect(ToQRect(R), Qt::transparent);
        painter.restore();
    }
    if (s.Infinite) {
        // The whole bar in level-0 colours.
        s.Percentage = 100;
        s.Level1Perc = s.Level2Perc = 101;
    }
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = s.BackgroundColor;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Color = s.ShowBorder ? s.BorderColor : s.BackgroundColor;
    if (s.Rounded)
        canvas.RoundRect(R.Left, R.Top, R.Right, R.Bottom, roundedCorner, roundedCorner);
    else
        canvas.Rectangle(R);
    drawLevelBackgrounds(canvas, s, R);
    if (s.Percentage > 0)
        drawFill(canvas, s, R, s.Percentage);
    if (s.Infinite)
        drawInfiniteWindow(canvas, s, R);
    if (s.ShowPosition)
        drawText(canvas, s, R);
}

QString GaugeText(const TGaugeSettings& s)
{
    // Through the program's own formatter: a format text can never read more than the two numbers given.
    if (!s.Format.isEmpty())
        return FormatText(s.Format, {QString::number(s.Position), QString::number(s.Max)});
    if (s.ShowPercentage)
        return QString::number(s.Percentage) + QLatin1Char('%');
    return QString::number(s.Position);
}

TAdvProgressBar::TAdvProgressBar(QWidget* parent) : QWidget(parent), timer(new QTimer(this))
{
    resize(128, 18);
    props.Font.Name = QStringLiteral("Verdana");
    props.Font.SetSize(10);
    timer->setInterval(infiniteInterval);
    connect(timer, &QTimer::timeout, this, &TAdvProgressBar::TimerProc);
}

// A new bound takes the position along, so the bar never shows more than it holds.
void TAdvProgressBar::SetMin(int value)
{
    min = value;
    repaintStep = (props.Max - min) / 100;
    props.Position = boundedPosition(props.Position);
    update();
}

void TAdvProgressBar::SetMax(int value)
{
    props.Max = value;
    repaintStep = (props.Max - min) / 100;
    props.Position = boundedPosition(props.Position);
    update();
}

int TAdvProgressBar::boundedPosition(int value) const
{
    if (value < min)
        value = min;
    if (value > props.Max)
        value = props.Max;
    return value;
}

void TAdvProgressBar::SetPosition(int value)
{
    props.Position = boundedPosition(value);
    if (repaintStep == 0 || props.Position % repaintStep == 0 || props.Position / repaintStep != lastPaintedStep)
        repaint();
    if (repaintStep != 0)
        lastPaintedStep = props.Position / repaintStep;
}

void TAdvProgressBar::SetInfinite(bool value)
{
    props.Infinite = value;
    updateTimer();
    update();
}

void TAdvProgressBar::SetAnimated(bool value)
{
    animated = value;
    updateTimer();
    update();
}

void TAdvProgressBar::SetInfiniteInterval(int value)
{
    infiniteInterval = value;
    timer->setInterval(std::max(1, value));
}

void TAdvProgressBar::updateTimer()
{
    const bool wanted = props.Infinite && animated;
    if (wanted == timer->isActive())
        return;
    if (wanted) {
        props.InfinitePosition = 0;
        timer->start();
    } else {
        timer->stop();
    }
}

void TAdvProgressBar::TimerProc()
{
    if (movingUp) {
        props.InfinitePosition += infiniteStep;
        if (props.InfinitePosition >= 100) {
            props.InfinitePosition = 100;
            movingUp = false;
        }
    } else {
        props.InfinitePosition -= infiniteStep;
        if (props.InfinitePosition <= 0) {
            props.InfinitePosition = 0;
            movingUp = true;
        }
    }
    repaint();
}

// Relative to Min, so that a span not starting at 0 reads 0 % at its start.
int TAdvProgressBar::percentage() const
{
    if (min == props.Max)
        return 0;
    return roundEven(double(props.Position - min) / (props.Max - min) * 100);
}

TGaugeSettings TAdvProgressBar::GaugeSettings() const
{
    TGaugeSettings s = props;
    // No segment of negative length between the thresholds.
    s.Level2Perc = std::max(props.Level1Perc, props.Level2Perc);
    s.Percentage = percentage();
    return s;
}

// Drawn on a transparent picture first, so that the props.Rounded corners let the parent show through.
void TAdvProgressBar::paintEvent(QPaintEvent*)
{
    QImage bitmap(size(), QImage::Format_ARGB32_Premultiplied);
    bitmap.fill(Qt::transparent);
    {
        TCanvas canvas(&bitmap);
        DrawGauge(canvas, Rect(0, 0, width(), height()), GaugeSettings());
    }
    QPainter(this).drawImage(0, 0, bitmap);
}
