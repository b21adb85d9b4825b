// The glow button's drawing: colour arithmetic, the borders of a button alone or in a group, the two glowing
// halves of its face, the drop-down arrow, and the face routine that measures or draws glyph, caption, notes and
// drop-down part in one of eight layouts.
#pragma once

#include "AdvGDIP.h"
#include "Canvas.h"

#include <QSize>
#include <QString>

class TBitmap;
class TGDIPPicture;
class TGraphic;
class TImageList;

// The fill of one half of the face.
enum TGDIPGradient { ggRadial, ggVertical, ggDiagonalForward, ggDiagonalBackward };
// Where glyph and text sit; the adjusted layouts push them to the side instead of centring them.
enum TButtonLayout {
    blGlyphLeft,
    blGlyphTop,
    blGlyphRight,
    blGlyphBottom,
    blGlyphLeftAdjusted,
    blGlyphRightAdjusted,
    blGlyphTopAdjusted,
    blGlyphBottomAdjusted
};
enum TDropDownPosition { dpRight, dpBottom };
// The border's shape by the button's place in a row of buttons.
enum TButtonPosition { bpStandalone, bpLeft, bpMiddle, bpRight };
// Which part of a button with a drop-down part the pointer is over.
enum TDropDownHoverPart { dhNone, dhMain, dhDropDown };

// Every channel scaled by (100 + percent) / 100, at most unchanged; a channel of 0 becomes max(percent, 0).
TColor DarkenColor(TColor color, int percent);
TColor DarkenColorRGB(TColor color, int redPercent, int greenPercent, int bluePercent);
// percent of a and the rest of b, channel by channel; at 100 or more a itself, at 0 or less b itself (a system
// colour stays one).
TColor BlendColor(TColor a, TColor b, int percent);

// Borders of width 1, drawn through GDI+ at (x, y) with the width and height given; radius 0 gives square corners.
void DrawRoundRect(TGPGraphics& graphics, TColor color, int x, int y, int width, int height, int radius);
// The same figure dotted, for the focus frame.
void DrawDottedRoundRect(TGPGraphics& graphics, TColor color, int x, int y, int width, int height, int radius);
// The first button of a row: rounded on the left, its right edge a little darker.
void DrawLeftBorder(TGPGraphics& graphics, TColor color, int x, int y, int width, int height, int radius);
// The last button of a row: rounded on the right; its left edge darker with edge, else a light separator.
void DrawRightBorder(TGPGraphics& graphics, TColor color, int x, int y, int width, int height, int radius, bool edge);
// A button inside a row: top and bottom lines, a darker right edge, the left edge as DrawRightBorder's.
void DrawMiddleBorder(TGPGraphics& graphics, TColor color, int x, int y, int width, int height, int radius, bool edge);

// One half of the face: a solid fill overlaid with a gradient from colour1 to colour2, radial (glowing from the
// top of the upper half or the bottom of the lower one) or linear. The rectangle's left, top, right and bottom are
// taken as x, y, width and height of the fills, so a half that does not start at the origin reaches past the
// control and is cut off there.
void FillGlowArea(TGPGraphics& graphics, const TRect& rect, TColor colour1, TColor colour2, TGDIPGradient kind,
                  bool upper);
// The 5-pixel drop-down arrow at (x, y) with its shadow pixels, pointing down or right.
void DrawDropArrow(TCanvas& canvas, int x, int y, TColor color, TColor shadow, bool down);
// Any graphic stretched into the rectangle: a bitmap transparent by its bottom-left pixel, other pictures through
// GDI+ with their own transparency.
void DrawGraphicViaStream(TGPGraphics& graphics, TCanvas& canvas, const TRect& rect, const TGraphic& graphic);

// The colours and gradients of one look of the button: upper half, lower (mirror) half and border.
struct TGlowLook
{
    TColor Color = clWhite;
    TColor ColorTo = clWhite;
    TColor ColorMirror = clWhite;
    TColor ColorMirrorTo = clWhite;
    TColor BorderColor = clGray;
    TGDIPGradient Gradient = ggVertical;
    TGDIPGradient GradientMirror = ggVertical;
    friend bool operator==(const TGlowLook&, const TGlowLook&) = default;
};

// Everything the face routine draws with, as the button takes it from its state for one paint or measure.
struct TGlowButtonFace
{
    TRect ClientRect;
    TGlowLook Look;
    QString Caption;
    // Drawn when Caption is empty.
    QString WideCaption;
    TFont Font;
    const TImageList* Images = nullptr;
    int ImageIndex = -1;
    bool ImageEnabled = true;
    TButtonLayout Layout = blGlyphLeft;
    bool DropDownButton = false;
    // The down or hot look (or the hot look of the focus) is in use.
    bool Highlighted = false;
    bool Enabled = true;
    bool FocusFrame = false;
    TDropDownPosition DropDownPosition = dpRight;
    TGDIPPicture* Picture = nullptr;
    // The glyph's size when it is forced (16 x 16 in the small size states); empty otherwise.
    QSize ForcedGlyphSize{0, 0};
    TAntiAlias AntiAlias = aaClearType;
    TBitmap* ToolImage = nullptr;
    TDropDownHoverPart DropDownHoverPart = dhNone;
    // No face and no border: the parent shows through.
    bool Transparent = false;
    bool MouseInControl = false;
    TButtonPosition Position = bpStandalone;
    bool DropDownSplit = true;
    bool CanDrawBorder = true;
    bool WordWrap = true;
    bool MeasureOnly = false;
    bool Rounded = true;
    bool ArrowDown = true;
    int Spacing = 2;
    StringTrimming Trimming = StringTrimmingNone;
    // Lines under the caption, in their own font; any notes force the left-adjusted layout.
    QString Notes;
    TFont NotesFont;
    bool Down = false;
};

// Draws the face into the canvas, or with MeasureOnly only measures it: the result is the size of glyph, spacing
// and text, without the button's margins and drop-down part.
TPoint DrawGlowButtonFace(TCanvas& canvas, const TGlowButtonFace& face);
