#include "EditLook.h"

#include "Theme.h"

#include <QWidget>

TColor ParentBrushColor(const QWidget& control)
{
    const QWidget* parent = control.parentWidget();
    return parent ? FromQColor(parent->palette().color(QPalette::Window)) : clBtnFace;
}

void DrawFlatEditLine(TCanvas& canvas, TColor color, bool softBorder, const TRect& box, int lineLeft, int lineRight)
{
    canvas.Pen = TPen{color, 1, psSolid};
    if (softBorder) {
        canvas.Polyline({Point(box.Left, box.Bottom), Point(box.Right, box.Bottom), Point(box.Right, box.Top),
                         Point(box.Left, box.Top), Point(box.Left, box.Bottom)});
    } else {
        canvas.MoveTo(lineLeft, box.Bottom);
        canvas.LineTo(lineRight, box.Bottom);
    }
}

void DrawEditControlBorder(TCanvas& canvas, const QWidget& edit, bool disabledBorder, TColor focusBorderColor,
                           bool sunken)
{
    TRect r = Rect(0, 0, edit.width(), edit.height());
    if (!edit.isEnabled()) {
        if (disabledBorder && IsThemeActive(&edit)) {
            canvas.Brush = TBrush{clSilver, bsSolid};
            canvas.FrameRect(r);
        }
        return;
    }
    if (focusBorderColor != clNone) {
        if (edit.hasFocus()) {
            canvas.Brush = TBrush{focusBorderColor, bsSolid};
            canvas.FrameRect(r);
        }
        return;
    }
    canvas.Brush = TBrush{sunken ? clBtnFace : ParentBrushColor(edit), bsSolid};
    if (sunken) {
        DrawEdge(canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        canvas.FrameRect(r);
        return;
    }
    // Two rings of the parent's colour cover the standard border.
    canvas.FrameRect(r);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    canvas.FrameRect(r);
}
