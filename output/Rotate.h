// Pictures drawn through GDI+ for the person list, the person editor and the picture viewer: a picture file fitted
// into a cell with margin, background, drop shadow, white frame and highlight veil, and the translucent rounded
// frame that marks a selected or focused cell. Both draw on the graphics object given, or on one made on the
// canvas (antialiased, in pixels) for the length of the call. IsPictureFile, of the same family, is in
// Picturemanager.h.
#pragma once

#include "GdiPlus.h"
#include "Picturemanager.h"

class TCanvas;

// A GDI+ colour of a toolkit colour at an opacity (only its low byte counts); -1 (0xFFFFFFFF) stands for white.
ARGB ColorWithAlpha(TColor color, int alpha);

// alpha 0 to 255: the rounded box filled in the colour at that opacity, outlined in light grey; -1: only outlined,
// in the colour; -2: the same, 2 pixels wide.
void DrawRoundedFrame(TGPGraphics* graphics, TCanvas* canvas, const TRect& rect, TColor color, int alpha);

// Draws the picture file fitted into rect less margin on every side. background -1 (0xFFFFFFFF) fills nothing.
// wholeImage false draws a thumbnail made at the fitted size. The outputs, when given, receive (0, 0, width,
// height) of the picture, the scale used and the picture's offset from the rectangle's top-left corner. alignTop
// keeps a picture that the width limits at the top of the inner area. sourcePath and lastFlag are not read.
// A file that gives no picture draws the placeholder box and returns false; nothing is raised.
// Decoded pictures are kept in a small cache by path and modification time, so repainting a list decodes nothing.
bool DrawPictureInRect(TGPGraphics* graphics, TCanvas* canvas, const TRect& rect, int margin, bool shadow,
                       const QString& sourcePath, const QString& picturePath, TColor background, bool wholeImage,
                       TRect* imageSize, double* scaleOut, TPoint* offsetOut, bool highlight, bool alignTop,
                       bool framed, bool lastFlag);
