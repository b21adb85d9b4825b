// The banded colour gradient that self-drawn controls fill their faces with.
#pragma once

#include "Canvas.h"

// Fills the rectangle with Steps bands of colour from FromColor to ToColor (left to right when Horizontal, else
// top to bottom). Each band reaches one pixel into the next, so no seam shows; the last band never takes ToColor.
void PaintBandGradient(TCanvas& Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& Rect,
                       bool Horizontal);
