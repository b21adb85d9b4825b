#include "TreeSetings.h"

KV_TreeSetings gTreeSetings;

KV_TreeSetings::KV_TreeSetings()
{
    SetDefaultFrames();
}

void KV_TreeSetings::SetDefaultFrames()
{
    // The boxes take the colours by sex of the rest of the program.
    const TColor sexColors[3] = {0xC4C4FF, 0xFFDBB7, 0xE6E6E6};
    for (int i = 0; i < 3; ++i) {
        KV_FrameStyle& frame = Frames[i];
        frame.fill = KV_FrameStyle::GradientFill;
        frame.border = KV_FrameStyle::ColouredBorder;
        frame.fill_color_to = 0xFFFFFF;
        frame.border_color = sexColors[i];
        frame.fill_color_from = frame.border_color;
    }
}

void KV_TreeSetings::SetMargins(double cm)
{
    TopMargin = LeftMargin = BottomMargin = cm;
}

void KV_TreeSetings::ReserveTitleBand(double titleHeightCm)
{
    SavedTopMargin = TopMargin;
    TopMargin = 2 * TopMargin + titleHeightCm;
}

void KV_TreeSetings::UseLayoutScale()
{
    LengthScale = 1.0;
}

void KV_TreeSetings::UseDrawingScale()
{
    LengthScale = PointsPerCm;
}
