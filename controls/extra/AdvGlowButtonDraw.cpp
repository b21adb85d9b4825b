#include "AdvGlowButtonDraw.h"

#include "Fonts.h"
#include "GDIPicture.h"
#include "Graphics.h"
#include "ImageList.h"

#include <QBuffer>
#include <QFontDatabase>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr int dropDownStrip = 13;      // the drop-down part at the right or bottom
constexpr int dropDownSplitStrip = 12; // its fill in the split look
constexpr int arrowWidth = 5;
constexpr int arrowHeight = 3;
constexpr int noCaptionDropDownRoom = 8; // kept clear of the arrow when a glyph alone is centred
constexpr int measureExtent = 4096;      // room given to text that is only measured
constexpr TColor focusFrameColor = 0xE4AD89;

// Rounds halves to the even neighbour, as the face was designed with.
int roundEven(double value)
{
    return int(std::nearbyint(value));
}

int darkenedChannel(int channel, int percent)
{
    if (channel == 0)
        return std::clamp(percent, 0, 255);
    return std::clamp(roundEven(channel * std::min(100 + percent, 100) / 100.0), 0, 255);
}

void drawPath(TGPGraphics& graphics, TColor color, const TGPGraphicsPath& path, DashStyle dash = DashStyleSolid)
{
    TGPPen pen(ColorToARGB(color));
    pen.SetDashStyle(dash);
    graphics.DrawPath(&pen, &path);
}

void drawLine(TGPGraphics& graphics, TColor color, float x1, float y1, float x2, float y2)
{
    TGPGraphicsPath path;
    path.AddLine(x1, y1, x2, y2);
    drawPath(graphics, color, path);
}

// The left edge of a button that follows another in a row: darker when it stands out, else a light separator.
void drawFollowingLeftEdge(TGPGraphics& graphics, TColor color, int x, int y, int h, bool edge)
{
    if (edge)
        drawLine(graphics, DarkenColor(color, -5), x, y, x, y + h);
    else
        drawLine(graphics, DarkenColor(clWhite, -10), x, y + 2, x, y + h - 2);
}

void fillSolid(TCanvas& canvas, TColor color, const TRect& rect)
{
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.FillRect(rect);
}

void line(TCanvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// A GDI+ font family by name, or the stand-in face when the name is not installed.
std::unique_ptr<TGPFontFamily> fontFamily(const QString& name)
{
    auto family = std::make_unique<TGPFontFamily>(name);
    const Status status = family->GetLastStatus();
    if (status == FontFamilyNotFound || status == FontStyleNotFound)
        family = std::make_unique<TGPFontFamily>(Fonts::familyFor(QStringLiteral("Arial")));
    return family;
}

int gdipStyle(const TFont& font)
{
    int style = FontStyleRegular;
    if (font.Style & fsBold)
        style |= FontStyleBold;
    if (font.Style & fsItalic)
        style |= FontStyleItalic;
    if (font.Style & fsUnderline)
        style |= FontStyleUnderline;
    return style;
}

bool isSideLayout(TButtonLayout layout)
{
    return layout == blGlyphLeft || layout == blGlyphRight || layout == blGlyphLeftAdjusted ||
           layout == blGlyphRightAdjusted;
}

// The body of a face with a drop-down part that reacts on its own: main part and drop-down part filled apart,
// the hovered one in the plain colours and the other darkened.
void fillSplitBody(TGPGraphics& graphics, const TGlowButtonFace& f, int h2)
{
    const TRect& R = f.ClientRect;
    TRect lower, upper, dropUpper, dropLower;
    const bool right = f.DropDownPosition == dpRight;
    if (right) {
        dropLower = Rect(R.Right - dropDownSplitStrip, R.Top + h2 - 1, R.Right, R.Bottom);
        dropUpper = Rect(R.Right - dropDownSplitStrip, R.Top, R.Right, R.Bottom - h2);
        lower = Rect(R.Left, R.Top + h2 - 1, R.Right - dropDownSplitStrip, R.Bottom);
        upper = Rect(R.Left, R.Top, R.Right - dropDownSplitStrip, R.Bottom - h2);
    } else {
        dropUpper = Rect(R.Left, R.Bottom - dropDownSplitStrip, R.Right, R.Bottom);
        const int m = (R.Bottom - R.Top - dropDownSplitStrip) / 2;
        lower = Rect(R.Left, R.Top + m - 1, R.Right, R.Bottom - dropDownSplitStrip);
        upper = Rect(R.Left, R.Top, R.Right, R.Bottom - dropDownSplitStrip - m);
    }
    const TGlowLook& c = f.Look;
    auto dark = [](TColor colour) { return DarkenColor(colour, -10); };
    if (f.DropDownHoverPart == dhDropDown) {
        FillGlowArea(graphics, lower, c.ColorMirrorTo, c.ColorMirror, c.GradientMirror, false);
        FillGlowArea(graphics, upper, c.Color, c.ColorTo, c.Gradient, true);
        FillGlowArea(graphics, dropUpper, dark(c.Color), dark(c.ColorTo), c.Gradient, true);
        if (right)
            FillGlowArea(graphics, dropLower, dark(c.ColorMirrorTo), dark(c.ColorMirror), c.GradientMirror, false);
    } else {
        FillGlowArea(graphics, lower, dark(c.ColorMirrorTo), dark(c.ColorMirror), c.GradientMirror, false);
        FillGlowArea(graphics, upper, dark(c.Color), dark(c.ColorTo), c.Gradient, true);
        FillGlowArea(graphics, dropUpper, c.Color, c.ColorTo, ggRadial, true);
        if (right)
            FillGlowArea(graphics, dropLower, c.ColorMirrorTo, c.ColorMirror, c.GradientMirror, false);
    }
}

void drawBorder(TGPGraphics& graphics, const TGlowButtonFace& f, int radius)
{
    const TRect& R = f.ClientRect;
    const int w = R.Right - 1;
    const int h = R.Bottom - 1;
    const bool edge = f.MouseInControl || f.Down;
    switch (f.Position) {
    case bpStandalone:
        DrawRoundRect(graphics, f.Look.BorderColor, R.Left, R.Top, w, h, radius);
        break;
    case bpLeft:
        DrawLeftBorder(graphics, f.Look.BorderColor, R.Left, R.Top, w, h, radius);
        break;
    case bpRight:
        DrawRightBorder(graphics, f.Look.BorderColor, R.Left, R.Top, w, h, radius, edge);
        break;
    case bpMiddle:
        DrawMiddleBorder(graphics, f.Look.BorderColor, R.Left, R.Top, w, h, radius, edge);
        break;
    }
}

// Measured text: the caption's box and the notes' size.
struct TextBox
{
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    double notesWidth = 0;
    double notesHeight = 0;
    int bottom = 0; // where the caption ends, for the arrow beside it
};

// Text through GDI+ (antialiased outline fonts) or GDI (the canvas), measured and drawn alike.
class FaceText
{
public:
    FaceText(TCanvas& canvas, TGPGraphics& graphics, const TGlowButtonFace& f, TButtonLayout layout,
             const QString& text)
        : canvas(canvas)
        , graphics(graphics)
        , f(f)
        , layout(layout)
        , text(text)
        , gdip(f.AntiAlias != aaNone && QFontDatabase::hasFamily(f.Font.Name))
        , family(fontFamily(f.Font.Name))
        , notesFamily(fontFamily(f.NotesFont.Name))
        , font(family.get(), float(f.Font.GetSize()), gdipStyle(f.Font), UnitPoint)
        , notesFont(notesFamily.get(), float(f.NotesFont.GetSize()), gdipStyle(f.NotesFont), UnitPoint)
        , format(f.WordWrap ? 0 : StringFormatFlagsNoWrap)
    {
        format.SetAlignment(layout == blGlyphLeftAdjusted    ? StringAlignmentNear
                            : layout == blGlyphRightAdjusted ? StringAlignmentFar
                                                             : StringAlignmentCenter);
        format.SetLineAlignment(layout == blGlyphTopAdjusted      ? StringAlignmentNear
                                : layout == blGlyphBottomAdjusted ? StringAlignmentFar
                                                                  : StringAlignmentCenter);
        format.SetHotkeyPrefix(HotkeyPrefixShow);
        format.SetTrimming(f.Trimming);
        if (f.AntiAlias == aaClearType)
            graphics.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
        else if (f.AntiAlias == aaAntiAlias)
            graphics.SetTextRenderingHint(TextRenderingHintAntiAlias);
    }

    bool viaGdip() const { return gdip; }

    TextBox measure(const TGPRectF& area)
    {
        TextBox box;
        if (gdip) {
            TGPRectF bounds;
            graphics.MeasureString(text, -1, &font, area, &format, bounds);
            box = {bounds.X, bounds.Y, bounds.Width, bounds.Height};
            box.bottom = roundEven(bounds.Y + bounds.Height);
            if (!f.Notes.isEmpty()) {
                graphics.MeasureString(f.Notes, -1, &notesFont, area, &format, bounds);
                box.notesWidth = bounds.Width;
                box.notesHeight = bounds.Height;
            }
            return box;
        }
        canvas.Font = f.Font;
        const int x = roundEven(area.X);
        const int y = roundEven(area.Y);
        TRect r = Rect(x, y, x + 2, y + roundEven(area.Height));
        unsigned flags = DT_CALCRECT;
        if (f.WordWrap) {
            flags |= DT_WORDBREAK;
            r.Right = x + measureExtent;
        } else {
            flags |= DT_SINGLELINE;
        }
        canvas.DrawText(text, r, flags);
        box = {double(r.Left), double(r.Top), double(r.Width()), double(r.Height())};
        box.bottom = (r.Height() + roundEven(area.Height)) / 2;
        if (!f.Notes.isEmpty()) {
            canvas.Font = f.NotesFont;
            TRect n = Rect(x, y, x + 2, y);
            canvas.DrawText(f.Notes, n, DT_CALCRECT | DT_WORDBREAK);
            box.notesWidth = n.Width();
            box.notesHeight = n.Height();
        }
        return box;
    }

    void draw(TGPRectF area, const TextBox& box, int glyphY, int glyphHeight)
    {
        const int th = roundEven(box.height);
        const int nh = roundEven(box.notesHeight);
        const bool notes = !f.Notes.isEmpty();
        if (gdip) {
            const TGPSolidBrush brush(ColorToARGB(f.Enabled ? f.Font.Color : clGray));
            if (notes) {
                format.SetLineAlignment(StringAlignmentNear);
                area.Y += (area.Height - th - nh) / 2;
            }
            graphics.DrawString(text, -1, &font, area, &format, &brush);
            if (notes) {
                area.Y += th;
                const TGPSolidBrush notesBrush(ColorToARGB(f.NotesFont.Color));
                graphics.DrawString(f.Notes, -1, &notesFont, area, &format, &notesBrush);
            }
            return;
        }
        TRect r = Rect(roundEven(area.X), roundEven(area.Y), roundEven(area.X) + roundEven(area.Width),
                       roundEven(area.Y) + roundEven(area.Height));
        unsigned flags = f.WordWrap ? DT_WORDBREAK : DT_SINGLELINE;
        switch (layout) {
        case blGlyphLeft:
            flags |= DT_VCENTER;
            break;
        case blGlyphLeftAdjusted:
            r.Left += 2;
            if (notes)
                r.Top = (r.Height() - th - nh) / 2;
            else
                flags |= DT_VCENTER;
            break;
        case blGlyphTop:
        case blGlyphRight:
        case blGlyphBottom:
            flags |= DT_CENTER | DT_VCENTER;
            break;
        case blGlyphTopAdjusted:
            flags |= DT_CENTER;
            break;
        case blGlyphRightAdjusted:
            flags |= DT_RIGHT | DT_VCENTER;
            break;
        case blGlyphBottomAdjusted:
            flags |= DT_BOTTOM | DT_CENTER;
            break;
        }
        canvas.Brush.Style = bsClear;
        canvas.Font = f.Font;
        if (!f.Enabled)
            canvas.Font.Color = clGray;
        // Wrapped text is placed by hand: the platform centres only single lines.
        if (f.WordWrap) {
            TRect measured = r;
            const int height = canvas.DrawText(text, measured, flags | DT_CALCRECT);
            if (layout == blGlyphTop)
                r.Top = glyphY + glyphHeight + (r.Bottom - (glyphY + glyphHeight) - height) / 2;
            else if (layout == blGlyphBottomAdjusted)
                r.Top = r.Bottom - height;
            else if (layout != blGlyphTopAdjusted)
                r.Top = (r.Bottom - r.Top - height) / 2;
        }
        canvas.DrawText(text, r, flags);
        if (notes) {
            TRect n = r;
            n.Top += th;
            n.Bottom = n.Top + nh;
            canvas.Font = f.NotesFont;
            canvas.DrawText(f.Notes, n, flags);
        }
    }

private:
    TCanvas& canvas;
    TGPGraphics& graphics;
    const TGlowButtonFace& f;
    TButtonLayout layout;
    QString text;
    bool gdip;
    std::unique_ptr<TGPFontFamily> family;
    std::unique_ptr<TGPFontFamily> notesFamily;
    TGPFont font;
    TGPFont notesFont;
    TGPStringFormat format;
};

// The glyph's size: a tool image, a picture or the image list's, the first two replaced by a forced size.
QSize glyphSize(const TGlowButtonFace& f)
{
    const bool forced = f.ForcedGlyphSize.width() > 0 && f.ForcedGlyphSize.height() > 0;
    if (f.ToolImage && !f.ToolImage->GetEmpty() && (f.ToolImage->GetWidth() > 1 || f.ToolImage->GetHeight() > 1))
        return forced ? f.ForcedGlyphSize : QSize(f.ToolImage->GetWidth(), f.ToolImage->GetHeight());
    if (f.Picture && !f.Picture->GetEmpty()) {
        f.Picture->GetImageSizes();
        return forced ? f.ForcedGlyphSize : QSize(f.Picture->GetWidth(), f.Picture->GetHeight());
    }
    if (f.ImageIndex > -1 && f.Images)
        return QSize(f.Images->GetWidth(), f.Images->GetHeight());
    return QSize(0, 0);
}

void drawGlyph(TGPGraphics& graphics, TCanvas& canvas, const TGlowButtonFace& f, int x, int y)
{
    const QSize forced = f.ForcedGlyphSize;
    const bool isForced = forced.width() > 0 && forced.height() > 0;
    const TRect forcedRect = Rect(x, y, x + forced.width(), y + forced.height());
    if (f.ToolImage && !f.ToolImage->GetEmpty() && (f.ToolImage->GetWidth() > 1 || f.ToolImage->GetHeight() > 1)) {
        if (isForced) {
            f.ToolImage->SetTransparent(true);
            canvas.StretchDraw(forcedRect, f.ToolImage);
        } else {
            canvas.Draw(x, y, f.ToolImage);
        }
    } else if (f.Picture && !f.Picture->GetEmpty()) {
        if (isForced)
            DrawGraphicViaStream(graphics, canvas, forcedRect, *f.Picture);
        else
            canvas.Draw(x, y, f.Picture);
    } else if (f.Images && f.ImageIndex != -1) {
        f.Images->Draw(canvas, x, y, f.ImageIndex, f.ImageEnabled);
    }
}

} // namespace

TColor DarkenColor(TColor color, int percent)
{
    return DarkenColorRGB(color, percent, percent, percent);
}

TColor DarkenColorRGB(TColor color, int redPercent, int greenPercent, int bluePercent)
{
    const TColor c = ColorToRGB(color);
    return RGB(darkenedChannel(GetRValue(c), redPercent), darkenedChannel(GetGValue(c), greenPercent),
               darkenedChannel(GetBValue(c), bluePercent));
}

TColor BlendColor(TColor a, TColor b, int percent)
{
    if (percent >= 100)
        return a;
    if (percent <= 0)
        return b;
    const TColor ca = ColorToRGB(a);
    const TColor cb = ColorToRGB(b);
    const double p = percent / 100.0;
    auto mix = [p](int x, int y) { return roundEven(p * x + (1 - p) * y); };
    return RGB(mix(GetRValue(ca), GetRValue(cb)), mix(GetGValue(ca), GetGValue(cb)), mix(GetBValue(ca), GetBValue(cb)));
}

void DrawRoundRect(TGPGraphics& graphics, TColor color, int x, int y, int width, int height, int radius)
{
    if (radius == 0) {
        const TGPPen pen(ColorToARGB(color));
        graphics.DrawRectangle(&pen, x, y, width, height);
        return;
    }
    TGPGraphicsPath path;
    AddRoundRectFigure(path, x, y, width, height, radius);
    drawPath(graphics, color, path);
}

void DrawDottedRoundRect(TGPGraphics& graphics, TColor color, int x, int y, int width, int height, int radius)
{
    TGPGraphicsPath path;
    AddRoundRectFigure(path, x, y, width, height, radius);
    drawPath(graphics, color, path, DashStyleDot);
}

void DrawLeftBorder(TGPGraphics& graphics, TColor color, int x, int y, int width, int height, int radius)
{
    const float d = 2.0f * radius;
    TGPGraphicsPath path;
    path.AddLine(x + width, y + height, x + radius, y + height);
    path.AddArc(x, y + height - d, d, d, 90, 90);
    path.AddLine(x, y + height - d, x, y + radius);
    path.AddArc(x, y, d, d, 180, 90);
    path.AddLine(x + radius, y, x + width, y);
    drawPath(graphics, color, path);
    drawLine(graphics, DarkenColor(color, -5), x + width, y, x + width, y + height);
}

void DrawRightBorder(TGPGraphics& graphics, TColor color, int x, int y, int width, int height, int radius, bool edge)
{
    const float d = 2.0f * radius;
    TGPGraphicsPath path;
    path.AddLine(x, y, x + width - d, y);
    path.AddArc(x + width - d, y, d, d, 270, 90);
    path.AddLine(x + width, y + radius, x + width, y + height - d);
    path.AddArc(x + width - d, y + height - d, d, d, 0, 90);
    path.AddLine(x + width, y + height, x, y + height);
    drawPath(graphics, color, path);
    drawFollowingLeftEdge(graphics, color, x, y, height, edge);
}

void DrawMiddleBorder(TGPGraphics& graphics, TColor color, int x, int y, int width, int height, int, bool edge)
{
    drawLine(graphics, color, x - 1, y + height, x + width, y + height);
    drawLine(graphics, color, x - 1, y, x + width, y);
    drawLine(graphics, DarkenColor(color, -5), x + width, y, x + width, y + height);
    drawFollowingLeftEdge(graphics, color, x, y, height, edge);
}

void FillGlowArea(TGPGraphics& graphics, const TRect& rect, TColor colour1, TColor colour2, TGDIPGradient kind,
                  bool upper)
{
    const int w = rect.Right - rect.Left;
    const int h = rect.Bottom - rect.Top;
    const TGPSolidBrush solid(ColorToARGB(upper ? colour1 : colour2));
    graphics.FillRectangle(&solid, rect.Left, rect.Top, rect.Right, rect.Bottom);

    TGPGraphicsPath ellipse;
    if (upper)
        ellipse.AddEllipse(rect.Left, rect.Top - h / 2 + 2, rect.Right, rect.Bottom);
    else
        ellipse.AddEllipse(rect.Left, rect.Top, rect.Right, rect.Bottom);
    std::unique_ptr<TGPBrush> brush;
    if (kind == ggRadial) {
        auto glow = std::make_unique<TGPPathGradientBrush>(&ellipse);
        glow->SetCenterPoint(TGPPoint{rect.Left + w / 2, upper ? rect.Top : rect.Bottom});
        glow->SetCenterColor(ColorToARGB(upper ? colour2 : colour1));
        const ARGB surround = ColorToARGB(upper ? colour1 : colour2);
        int count = 1;
        glow->SetSurroundColors(&surround, count);
        brush = std::move(glow);
    } else {
        const LinearGradientMode mode = kind == ggVertical          ? LinearGradientModeVertical
                                        : kind == ggDiagonalForward ? LinearGradientModeForwardDiagonal
                                                                    : LinearGradientModeBackwardDiagonal;
        brush = std::make_unique<TGPLinearGradientBrush>(TGPRect{rect.Left, rect.Top, w, h}, ColorToARGB(colour1),
                                                         ColorToARGB(colour2), mode);
    }
    graphics.FillRectangle(brush.get(), rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void DrawDropArrow(TCanvas& canvas, int x, int y, TColor color, TColor shadow, bool down)
{
    canvas.Pen.Style = psSolid;
    canvas.Pen.Color = color;
    auto pixel = [&](int px, int py, TColor c) { fillSolid(canvas, c, Rect(px, py, px + 1, py + 1)); };
    if (down) {
        line(canvas, x, y, x + 5, y);
        line(canvas, x + 1, y + 1, x + 4, y + 1);
        pixel(x + 2, y + 2, color);
        for (const TPoint p :
             {Point(x, y + 1), Point(x + 4, y + 1), Point(x + 1, y + 2), Point(x + 3, y + 2), Point(x + 2, y + 3)})
            pixel(p.X, p.Y, shadow);
    } else {
        line(canvas, x, y, x, y + 5);
        line(canvas, x + 1, y + 1, x + 1, y + 4);
        pixel(x + 2, y + 2, color);
        for (const TPoint p :
             {Point(x + 1, y), Point(x + 1, y + 4), Point(x + 2, y + 1), Point(x + 2, y + 3), Point(x + 3, y + 2)})
            pixel(p.X, p.Y, shadow);
    }
}

void DrawGraphicViaStream(TGPGraphics& graphics, TCanvas& canvas, const TRect& rect, const TGraphic& graphic)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    graphic.SaveToStream(&buffer);
    TGPImage image(buffer.data());
    if (image.GetFormat() == ifBMP) {
        TBitmap bitmap;
        bitmap.LoadFromStream(&buffer);
        bitmap.SetTransparentMode(tmAuto);
        bitmap.SetTransparent(true);
        canvas.StretchDraw(rect, &bitmap);
        return;
    }
    graphics.DrawImageRect(&image, rect.Left, rect.Top, rect.Width(), rect.Height());
}

namespace {

// The face's body (both halves, or the split body of a highlighted drop-down), its border and its focus frame.
void paintFaceBody(TGPGraphics& graphics, const TGlowButtonFace& f, bool split)
{
    const TRect& R = f.ClientRect;
    const int radius = f.Rounded ? 3 : 0;
    const int h2 = (R.Bottom - R.Top) / 2;
    if (!f.Transparent) {
        if (split) {
            fillSplitBody(graphics, f, h2);
        } else {
            // The lower half first: the upper one overlaps it by a row.
            FillGlowArea(graphics, Rect(R.Left, R.Top + h2 - 1, R.Right, R.Bottom), f.Look.ColorMirrorTo,
                         f.Look.ColorMirror, f.Look.GradientMirror, false);
            FillGlowArea(graphics, Rect(R.Left, R.Top, R.Right, R.Bottom - h2), f.Look.Color, f.Look.ColorTo,
                         f.Look.Gradient, true);
        }
    }
    graphics.SetSmoothingMode(SmoothingModeAntiAlias);
    if (!f.Transparent && f.CanDrawBorder)
        drawBorder(graphics, f, radius);
    if (f.FocusFrame) {
        DrawRoundRect(graphics, focusFrameColor, R.Left + 1, R.Top + 1, R.Right - 3, R.Bottom - 3, radius);
        DrawDottedRoundRect(graphics, clGray, R.Left + 2, R.Top + 2, R.Right - 5, R.Bottom - 5, radius);
    }
}

// Where the caption's text and the glyph go beside each other.
struct CaptionPlacement
{
    TGPRectF area;
    int glyphX;
    int glyphY;
};

// Moves the text area and the glyph for the layout; the text measures tw x th at tx, the glyph gw x gh, in a
// button body of w x h.
void placeBesideText(CaptionPlacement& p, TButtonLayout layout, const TGlowButtonFace& f, bool gdip, int w, int h,
                     double tx, int tw, int th, int gw, int gh)
{
    const TRect& R = f.ClientRect;
    switch (layout) {
    case blGlyphLeft:
        p.area.X = gdip ? R.Left + 2 + gw : tx + gw;
        p.area.Width = w - 2 - gw;
        p.glyphX = std::max(gdip ? roundEven(tx - gw / 2) : roundEven(tx), 2);
        break;
    case blGlyphLeftAdjusted:
        p.area.X = R.Left + 2 + gw;
        p.area.Width = w - 2 - gw;
        p.glyphX = std::max(roundEven(tx - gw / 2), 2);
        break;
    case blGlyphTop:
        p.area.Y = R.Top + gh;
        p.area.Height = h - 2 - gh;
        p.glyphY = roundEven(p.area.Y) - gh + std::max(roundEven(p.area.Height - th) / 2, 0) - (gdip ? 0 : 4);
        p.glyphY = std::max(p.glyphY, 2);
        break;
    case blGlyphTopAdjusted:
        p.area.Y = R.Top + gh;
        p.area.Height = h - 2 - gh;
        p.glyphY = std::max(roundEven(p.area.Y) - gh, 2);
        break;
    case blGlyphRight:
    case blGlyphRightAdjusted:
        p.area.X = 2;
        p.area.Width = w - 4 - gw;
        if (layout == blGlyphRightAdjusted) {
            p.glyphX = w - gw - 2;
        } else {
            p.glyphX = std::max(roundEven(p.area.Width - tw) / 2, 0) + tw + 4;
            if (p.glyphX > w - gw)
                p.glyphX = w - gw - 2;
        }
        p.glyphX += f.Spacing;
        break;
    case blGlyphBottom:
        p.area.Y = 2;
        p.area.Height = h - 2 - gh;
        p.glyphY = std::max(roundEven(p.area.Height - th) / 2, 0) + roundEven(th + (gdip ? 2 : 5));
        if (p.glyphY > h - gh)
            p.glyphY = h - gh - 2;
        break;
    case blGlyphBottomAdjusted:
        p.area.Y = 2;
        p.area.Height = h - (gdip ? 2 : 4) - gh;
        p.glyphY = gdip ? h / 2 + roundEven(th + 2) : h - gh - 2;
        if (p.glyphY > h - gh)
            p.glyphY = h - gh - 2;
        break;
    }
}

// The drop-down part: its dividing line when split, and its arrow beside the text or in its middle.
void drawDropDownPart(TCanvas& canvas, const TGlowButtonFace& f, const TRect& D, bool split, bool hasText,
                      int textBottom)
{
    canvas.Brush.Style = bsClear;
    if (split) {
        canvas.Pen.Style = psSolid;
        canvas.Pen.Color = f.Look.BorderColor;
        if (f.DropDownPosition == dpRight)
            line(canvas, D.Left, D.Top, D.Left, D.Bottom);
        else
            line(canvas, D.Left, D.Top, D.Right, D.Top);
    }
    const int ax = D.Left + (D.Width() - arrowWidth) / 2;
    const int ay =
        f.DropDownPosition == dpBottom || !hasText ? D.Top + (D.Height() - arrowHeight) / 2 + 1 : textBottom - 8;
    DrawDropArrow(canvas, ax, ay, f.Enabled ? clBlack : clGray, clWhite, f.ArrowDown);
}

} // namespace

TPoint DrawGlowButtonFace(TCanvas& canvas, const TGlowButtonFace& f)
{
    const TRect& R = f.ClientRect;
    TRect B = R;
    const TRect D = f.DropDownPosition == dpRight ? Rect(R.Right - dropDownStrip, R.Top, R.Right, R.Bottom)
                                                  : Rect(R.Left, R.Bottom - dropDownStrip, R.Right, R.Bottom);
    if (f.DropDownButton) {
        if (f.DropDownPosition == dpRight)
            B.Right = D.Left;
        else
            B.Bottom = D.Top;
    }
    const TButtonLayout layout = f.Notes.isEmpty() ? f.Layout : blGlyphLeftAdjusted;
    TGPGraphics graphics(canvas);
    const bool split = f.DropDownButton && f.Highlighted && f.DropDownSplit;
    if (f.MeasureOnly)
        graphics.SetSmoothingMode(SmoothingModeAntiAlias);
    else
        paintFaceBody(graphics, f, split);

    const QSize glyph = glyphSize(f);
    int gw = glyph.width();
    int gh = glyph.height();
    const bool hasText = !f.Caption.isEmpty() || !f.WideCaption.isEmpty();
    if (hasText) {
        if (isSideLayout(layout))
            gw += f.Spacing;
        else if (layout == blGlyphTop || layout == blGlyphTopAdjusted)
            gh += f.Spacing;
    }
    TPoint size{gw, gh};
    if (!hasText && f.MeasureOnly)
        return size;

    const int w = B.Width();
    const int h = B.Height();
    CaptionPlacement placed{{}, R.Left + std::max((w - gw) / 2, 0), R.Top + std::max((h - gh) / 2, 0)};
    int textBottom = 0;
    if (hasText) {
        // A written "\n" breaks the caption, unless the glyph is forced small and the caption must stay on one
        // line. Only a line feed is put in: a carriage return after it would be drawn as a character here.
        QString caption = f.Caption;
        const bool forced = f.ForcedGlyphSize.width() > 0 && f.ForcedGlyphSize.height() > 0;
        caption.replace(QLatin1String("\\n"), forced ? QStringLiteral(" ") : QStringLiteral("\n"), Qt::CaseInsensitive);
        const QString text = caption.isEmpty() ? f.WideCaption : caption;
        Fonts::registerApplicationFonts();
        FaceText faceText(canvas, graphics, f, layout, text);
        const bool gdip = faceText.viaGdip();
        placed.area = TGPRectF{float(R.Left), float(R.Top), float(w), float(h)};
        if (f.MeasureOnly)
            placed.area.Width = placed.area.Height = measureExtent;
        const TextBox box = faceText.measure(placed.area);
        textBottom = box.bottom;
        const int tw = roundEven(box.width);
        const int th = roundEven(box.height);
        const int nw = roundEven(box.notesWidth);
        const int nh = roundEven(box.notesHeight);
        if (isSideLayout(layout))
            size = TPoint{std::max(tw, nw) + gw + f.Spacing, std::max(gh + f.Spacing, th + f.Spacing + nh)};
        else
            size = TPoint{std::max(gw + f.Spacing, tw + f.Spacing), th + gh + f.Spacing};
        if (f.MeasureOnly)
            return size;

        const double tx = gdip || layout != blGlyphLeft ? box.x : (w - tw - gw) / 2;
        placeBesideText(placed, layout, f, gdip, w, h, tx, tw, th, gw, gh);
        faceText.draw(placed.area, box, placed.glyphY, gh);
    } else {
        // A glyph alone sits in the middle, clear of the drop-down arrow.
        int cw = w;
        int ch = h;
        if (f.DropDownButton && f.DropDownPosition == dpRight)
            cw -= noCaptionDropDownRoom;
        else if (f.DropDownButton)
            ch -= noCaptionDropDownRoom;
        placed.glyphX = B.Left + (cw - gw) / 2;
        placed.glyphY = B.Top + (ch - gh) / 2;
    }
    drawGlyph(graphics, canvas, f, placed.glyphX, placed.glyphY);
    if (f.DropDownButton)
        drawDropDownPart(canvas, f, D, split, hasText, textBottom);
    return size;
}
