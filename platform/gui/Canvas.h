// The toolkit canvas: pen, brush and font drawing over a QPainter with GDI's pixel rules, so every self-drawn
// control comes out pixel for pixel as it was designed:
// - no antialiasing; a rectangle (Left, Top, Right, Bottom) covers the pixels from Left to Right - 1 and from Top
//   to Bottom - 1: the right and bottom edges are excluded;
// - LineTo (and every segment of Polyline) leaves out its end point;
// - colours go through ColorToRGB, so system colours come from the fixed table of platform/Toolkit;
// - text is drawn on an opaque background in the brush colour while the brush is solid, transparently once the
//   brush style is bsClear.
//
// How a control paints (one rule for all controls):
// - Drawing happens only in paintEvent:
//       void TMyControl::paintEvent(QPaintEvent*) { TCanvas canvas(this); Paint(canvas); }
//   A native Qt control calls its base paintEvent first and then opens the canvas for its own additions.
// - Where a control would paint "at once" or from another handler (a mouse move, a timer, a setter), it calls
//   update() (or repaint() when the picture must be on screen before the handler goes on) and lets paintEvent draw.
// - Sizes that are found out while painting (a label sizing itself to its text) come from a measuring pass outside
//   paintEvent: run the same drawing code on a measuring canvas, TCanvas(), which draws into a scratch image and
//   measures text exactly as a paint canvas does, then resize and update().
#pragma once

#include "Toolkit.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <QVector>
#include <memory>
#include <optional>

class QImage;
class QPaintDevice;
class TGraphic;

QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
QRect ToQRect(const TRect& rect);
TRect FromQRect(const QRect& rect);

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
// A set of TFontStyle bits.
using TFontStyles = int;

struct TPen
{
    TColor Color = clBlack;
    // 0 draws as 1 pixel, as in GDI.
    int Width = 1;
    TPenStyle Style = psSolid;
    friend bool operator==(const TPen&, const TPen&) = default;
};

struct TBrush
{
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    friend bool operator==(const TBrush&, const TBrush&) = default;
};

// A font description. Sizes are counted as on a 96 dots-per-inch screen: Size in points, Height in pixels, a
// negative height being the character (em) height and a positive one the cell height.
class TFont
{
public:
    QString Name = QStringLiteral("Tahoma");
    TColor Color = clWindowText;
    TFontStyles Style = 0;
    // Angle of the text's baseline in tenths of a degree, counter-clockwise.
    int Orientation = 0;

    int GetSize() const;
    void SetSize(int points);
    int GetHeight() const { return height; }
    void SetHeight(int pixels) { height = pixels; }

    QFont ToQFont() const;
    static TFont FromQFont(const QFont& font, TColor color = clWindowText);
    friend bool operator==(const TFont&, const TFont&) = default;

private:
    int height = -11; // 8 points
};

// DrawText flags.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;

// The DrawText flag of a horizontal alignment: DT_LEFT, DT_RIGHT or DT_CENTER.
unsigned DrawTextAlignment(TAlignment alignment);
// The same alignment for Qt's own drawing, centred vertically.
Qt::Alignment QtAlignment(TAlignment alignment);

// DrawEdge borders and flags.
constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr unsigned BF_MIDDLE = 0x800;
constexpr unsigned BF_SOFT = 0x1000;
constexpr unsigned BF_ADJUST = 0x2000;
constexpr unsigned BF_FLAT = 0x4000;
constexpr unsigned BF_MONO = 0x8000;

// DrawFrameControl kinds and states.
constexpr unsigned DFC_SCROLL = 3;
constexpr unsigned DFC_BUTTON = 4;
constexpr unsigned DFCS_SCROLLUP = 0x0;
constexpr unsigned DFCS_SCROLLDOWN = 0x1;
constexpr unsigned DFCS_SCROLLCOMBOBOX = 0x5;
constexpr unsigned DFCS_BUTTONCHECK = 0x0;
constexpr unsigned DFCS_INACTIVE = 0x100;
constexpr unsigned DFCS_PUSHED = 0x200;
constexpr unsigned DFCS_CHECKED = 0x400;
constexpr unsigned DFCS_FLAT = 0x4000;

class TCanvas
{
public:
    // A measuring canvas: draws into a scratch image and measures text exactly as a paint canvas does.
    TCanvas();
    // Paints on the device for the canvas's lifetime (a widget only from its paintEvent).
    explicit TCanvas(QPaintDevice* device);
    // Draws through a painter that someone else owns; its state is given back as found.
    explicit TCanvas(QPainter& painter);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // For drawing the canvas does not offer (images, paths, transforms); pen and brush are set by each canvas call.
    QPainter& Painter() { return *painter; }

    TPen Pen;
    TBrush Brush;
    TFont Font;

    TPoint GetPenPos() const { return penPos; }
    void MoveTo(int x, int y) { penPos = TPoint{x, y}; }
    // Draws from the pen position to (x, y), leaving (x, y) itself out, and moves the pen there.
    void LineTo(int x, int y);
    void Polyline(const QVector<TPoint>& points);
    // Outlined with the pen and filled with the brush.
    void Polygon(const QVector<TPoint>& points);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    // Fills with the brush, no outline.
    void FillRect(const TRect& rect);
    // A 1-pixel frame inside the rectangle in the brush colour.
    void FrameRect(const TRect& rect);
    // The dotted focus frame, drawn by inverting pixels: drawing it twice takes it away.
    void DrawFocusRect(const TRect& rect);

    // Text at (x, y) as its top-left corner; the pen position moves to the text's end.
    void TextOut(int x, int y, const QString& text);
    // Text at (x, y), clipped to the rectangle, which is filled first while the brush is solid.
    void TextRect(const TRect& rect, int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    // Lays out and draws text in the rectangle with the DT_* flags; returns the text's height (with DT_VCENTER or
    // DT_BOTTOM, the distance from the rectangle's top to the text's bottom). DT_CALCRECT draws nothing and sets
    // the rectangle's right and bottom to the size the text needs. A font with an Orientation turns the laid-out
    // text; its box is then the turned text's bounding box, aligned in the rectangle as the upright text would be.
    int DrawText(const QString& text, TRect& rect, unsigned flags);

    // Draws a graphic at its own size, or stretched into a rectangle.
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& rect, TGraphic* graphic);

    // Clipping, in the canvas's co-ordinates.
    void SetClipRect(const TRect& rect);
    void SetClipRegion(const QRegion& region);
    void IntersectClipRect(const TRect& rect);
    void ExcludeClipRect(const TRect& rect);
    void ResetClip();
    bool HasClip() const;
    QRegion GetClipRegion() const;

private:
    void applyPen();
    void applyBrush();
    // The brush that fills a shape's inside; none for a clear brush.
    void applyFill();
    void drawSegment(const TPoint& from, const TPoint& to);
    void drawTextLine(int x, int y, const QString& text, int underlineIndex, bool expandTabs);
    int drawTurnedText(const QString& text, TRect& rect, unsigned flags);
    int lineWidth(const QString& text, bool expandTabs) const;
    QRect deviceRect() const;
    // The font as Qt draws it, and its metrics; made again only when Font changes, since markup measures many
    // runs in one font.
    const QFont& qFont() const;
    const QFontMetrics& metrics() const;

    std::unique_ptr<QImage> scratch;
    std::unique_ptr<QPainter> ownPainter;
    QPainter* painter = nullptr;
    TPoint penPos;
    mutable TFont metricsFont;
    mutable QFont metricsQFont;
    mutable std::optional<QFontMetrics> fontMetrics;
};

// The toolkit's 3-D frame: Width rings, top and left in TopColor, bottom and right in BottomColor; the rectangle
// comes back shrunk by Width on every side.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);
// The platform's edge drawing (BDR_*, EDGE_*, BF_*); with BF_ADJUST the rectangle comes back inside the edge.
void DrawEdge(TCanvas& canvas, TRect& rect, unsigned edge, unsigned flags);
// The flat or 3-D check box (DFC_BUTTON, DFCS_BUTTONCHECK), and the combo-box drop button and scroll arrows
// (DFC_SCROLL with DFCS_SCROLLCOMBOBOX, DFCS_SCROLLDOWN or DFCS_SCROLLUP) of the platform.
void DrawFrameControl(TCanvas& canvas, const TRect& rect, unsigned kind, unsigned state);
// The region of a rectangle with rounded corners (corner ellipse cornerWidth by cornerHeight), right and bottom
// edges excluded.
QRegion CreateRoundRectRgn(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
