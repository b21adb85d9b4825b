#include "LoMetricCanvas.h"

#include <cmath>

namespace {

// Tenths of a millimetre in an inch.
constexpr double unitsPerInch = 254.0;
constexpr double pointsPerInch = 72.0;

} // namespace

int MapFontHeight(int size)
{
    return int(std::lround(size * unitsPerInch / pointsPerInch));
}

int MapFontSize(int height)
{
    return int(std::lround(height * pointsPerInch / unitsPerInch));
}

LoMetricCanvas::LoMetricCanvas(TCanvas& canvas, double dpiX, double dpiY, const QPoint& origin)
    : canvas(canvas), dpiX(dpiX), dpiY(dpiY), origin(origin)
{}

int LoMetricCanvas::ToDeviceX(int x) const
{
    return origin.x() + int(std::lround(x * dpiX / unitsPerInch));
}

int LoMetricCanvas::ToDeviceY(int y) const
{
    return origin.y() + int(std::lround(-y * dpiY / unitsPerInch));
}

TRect LoMetricCanvas::ToDevice(const TRect& rect) const
{
    return Rect(ToDeviceX(rect.Left), ToDeviceY(rect.Top), ToDeviceX(rect.Right), ToDeviceY(rect.Bottom));
}

int LoMetricCanvas::FromDeviceWidth(int pixels) const
{
    return int(std::lround(pixels * unitsPerInch / dpiX));
}

int LoMetricCanvas::FromDeviceHeight(int pixels) const
{
    return int(std::lround(pixels * unitsPerInch / dpiY));
}

void LoMetricCanvas::SetFont(const TFont& font)
{
    const int size = font.GetSize();
    canvas.Font = font;
    // A negative height is the character height without the leading, as a point size means it.
    canvas.Font.SetHeight(-qMax(1, int(std::lround(MapFontHeight(size) * dpiY / unitsPerInch))));
}

int LoMetricCanvas::TextWidth(const QString& text) const
{
    return FromDeviceWidth(canvas.TextWidth(text));
}

int LoMetricCanvas::TextHeight(const QString& text) const
{
    return FromDeviceHeight(canvas.TextHeight(text));
}

void LoMetricCanvas::SetPen(TColor color, TPenStyle style, int width)
{
    canvas.Pen.Color = color;
    canvas.Pen.Style = style;
    canvas.Pen.Width = qMax(1, int(std::lround(width * dpiX / unitsPerInch)));
}

void LoMetricCanvas::Line(int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(ToDeviceX(x1), ToDeviceY(y1));
    canvas.LineTo(ToDeviceX(x2), ToDeviceY(y2));
}

void LoMetricCanvas::TextOut(int x, int y, const QString& text)
{
    canvas.TextOut(ToDeviceX(x), ToDeviceY(y), text);
}

void LoMetricCanvas::TextRect(const TRect& cell, int x, int top, const QString& text)
{
    canvas.TextRect(ToDevice(cell), ToDeviceX(x), ToDeviceY(top), text);
}
