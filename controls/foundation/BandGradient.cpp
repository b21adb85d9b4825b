#include "BandGradient.h"

#include <cmath>

void PaintBandGradient(TCanvas& Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& Rect, bool Horizontal)
{
    if (Steps == 0)
        Steps = 1;
    const TColor from = ColorToRGB(FromColor);
    const TColor to = ColorToRGB(ToColor);
    const double incR = double(GetRValue(to) - GetRValue(from)) / Steps;
    const double incG = double(GetGValue(to) - GetGValue(from)) / Steps;
    const double incB = double(GetBValue(to) - GetBValue(from)) / Steps;
    const double length = double(Horizontal ? Rect.Width() : Rect.Height()) / Steps;
    const int bandSize = int(std::nearbyint(length)) + 1;
    for (int i = 0; i < Steps; ++i) {
        const int r = GetRValue(from) + int(std::nearbyint(i * incR));
        const int g = GetGValue(from) + int(std::nearbyint(i * incG));
        const int b = GetBValue(from) + int(std::nearbyint(i * incB));
        const TColor color = TColor(r + g * 256 + b * 65536);
        Canvas.Pen.Color = color;
        Canvas.Brush.Color = color;
        Canvas.Brush.Style = bsSolid;
        const int offset = int(std::nearbyint(i * length));
        if (Horizontal)
            Canvas.Rectangle(Rect.Left + offset, Rect.Top, Rect.Left + offset + bandSize, Rect.Bottom);
        else
            Canvas.Rectangle(Rect.Left, Rect.Top + offset, Rect.Right, Rect.Top + offset + bandSize);
    }
}
