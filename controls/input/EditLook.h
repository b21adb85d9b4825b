// What the edits share of their look: the colour of the parent they sit on and the border drawn over the standard
// one (silver while disabled, a frame in the focus colour, a sunken edge under the mouse, or the parent's colour
// hiding the standard border).
#pragma once

#include "Canvas.h"

class QWidget;

// The colour the control's parent paints its background with; clBtnFace without a parent.
TColor ParentBrushColor(const QWidget& control);

// The flat look in a pen of the colour: a line along the box's bottom row from lineLeft to lineRight, or with
// softBorder the box itself.
void DrawFlatEditLine(TCanvas& canvas, TColor color, bool softBorder, const TRect& box, int lineLeft, int lineRight);

// The border of an edit over its whole rectangle. A disabled edit gets a silver frame with disabledBorder (while
// themes are active); a focus border colour frames the focused edit only; otherwise a sunken edge when sunken, or
// two rings of the parent's colour.
void DrawEditControlBorder(TCanvas& canvas, const QWidget& edit, bool disabledBorder, TColor focusBorderColor,
                           bool sunken);
