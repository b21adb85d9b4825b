// The panel's caption bar: its background (plain, gradient, themed, picture or shade), its close and min/max
// buttons, its text, and the buttons following the mouse.
#include "AdvPanel.h"

#include "Theme.h"

#include <QPainter>

namespace {

// The 3-D edge of a shaded bar.
constexpr TColor edgeLight = clWhite;
constexpr TColor edgeDark = clGray;
// Corner ellipse of the rounded shapes.
constexpr int cornerSize = 32;
// Room the text leaves for each button, and the buttons' sizes.
constexpr int buttonRoom = 20;
constexpr int crossButtonSize = 12;
constexpr int themedButtonSize = 16;
constexpr int themedButtonAdvance = 14;

// Where the buttons sit, as the bar and the button position put them.
enum class ButtonEnd { TopRight, TopLeft, LeftTop, LeftBottom };

ButtonEnd buttonEnd(bool topBar, TCaptionButtonPosition position)
{
    if (topBar)
        return position == cbpRight ? ButtonEnd::TopRight : ButtonEnd::TopLeft;
    return position == cbpRight ? ButtonEnd::LeftTop : ButtonEnd::LeftBottom;
}

// Moves the edge of r at the buttons' end past a button: across a top bar, along a left one.
void passButton(TRect& r, ButtonEnd end, int across, int along)
{
    switch (end) {
    case ButtonEnd::TopRight:
        r.Right -= across;
        break;
    case ButtonEnd::TopLeft:
        r.Left += across;
        break;
    case ButtonEnd::LeftTop:
        r.Top += along;
        break;
    case ButtonEnd::LeftBottom:
        r.Bottom -= along;
        break;
    }
}

// A glyph drawn without its transparent colour.
void drawTransparent(TCanvas& canvas, int x, int y, const TBitmap& picture)
{
    TBitmap glyph;
    glyph.Assign(&picture);
    glyph.SetTransparent(true);
    canvas.Draw(x, y, &glyph);
}

void line(TCanvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// Part of a picture stretched into a rectangle of the canvas.
void drawPart(TCanvas& canvas, const TBitmap& picture, const QRect& source, const TRect& target)
{
    if (target.IsEmpty())
        return;
    canvas.Painter().drawImage(ToQRect(target), picture.Image(), source);
}

} // namespace

bool TCustomAdvPanel::DoVisualStyles() const
{
    return IsThemeActive(this);
}

void TCustomAdvPanel::ShadeHeader()
{
    const bool top = captionAtTop();
    int w = top ? width() : caption.GetHeight();
    int h = top ? caption.GetHeight() : height();
    // A bar without size still gets a picture of the usual size.
    if (w == 0)
        w = top ? 100 : 20;
    if (h == 0)
        h = top ? 20 : 100;
    shadeBitmap =
        RenderShade(caption.GetShadeType(), caption.GetColor(), caption.GetShadeLight(), caption.GetShadeGrain(), w, h);
}

void TCustomAdvPanel::paintCaption(TCanvas& canvas)
{
    const int ch = caption.GetHeight();
    const int bw = bevelWidth;
    TRect r = FromQRect(rect());
    if (borderShadow) {
        r.Left = borderWidth;
        r.Top = borderWidth;
        r.Right -= 2 + borderWidth;
    }
    if (bevelInner != bvNone || bevelOuter != bvNone)
        r = Rect(r.Left + bw, r.Top + bw, r.Right - bw, r.Bottom - bw);

    const TColor barColor = collaps ? caption.GetCloseColor() : caption.GetColor();
    canvas.Pen = TPen{barColor, 1, psSolid};
    canvas.Brush = TBrush{barColor, bsSolid};
    const TShadeType type = caption.GetShadeType();
    if (type == stNormal || (type == stXPCaption && !DoVisualStyles())) {
        const TRect bar = captionAtTop() ? Rect(r.Left, r.Top, r.Right, r.Top + ch - 2 * bw)
                                         : Rect(r.Left, r.Top, r.Left + ch - 2 * bw, r.Bottom - (borderShadow ? 3 : 0));
        if (caption.GetColorTo() == clNone)
            canvas.Rectangle(bar);
        else
            DrawGradient(canvas, caption.GetColor(), caption.GetColorTo(), 64, bar,
                         caption.GetGradientDirection() == gdHorizontal);
    } else {
        DrawCaptionBkg(canvas, captionAtTop() ? Rect(r.Left, r.Top, r.Right, r.Top + ch - 2 * bw)
                                              : Rect(r.Left, r.Top, r.Left + ch - 2 * bw, r.Bottom));
    }
    paintCaptionButtons(canvas, r);
    paintCaptionText(canvas, r);
}

void TCustomAdvPanel::DrawCaptionBkg(TCanvas& canvas, const TRect& R)
{
    const TShadeType type = caption.GetShadeType();
    if (type == stXPCaption) {
        if (HTHEME theme = OpenThemeData(this, QStringLiteral("window"))) {
            DrawThemeBackground(theme, canvas, WP_CAPTION, 1, Rect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1));
            CloseThemeData(theme);
        }
        return;
    }
    if (type == stBitmap || type == stBitmapRStretch || type == stBitmapLStretch) {
        const TBitmap& picture = caption.GetBackground();
        if (picture.GetEmpty())
            return;
        const int pw = picture.GetWidth();
        const int ph = picture.GetHeight();
        const QImage& image = picture.Image();
        QPainter& painter = canvas.Painter();
        const bool top = captionAtTop();
        if (type == stBitmap) {
            painter.drawImage(ToQRect(R), image);
        } else if (type == stBitmapLStretch && top) {
            const int off = qMax(0, width() - pw);
            painter.drawImage(R.Left + off, R.Top, image);
            drawPart(canvas, picture, QRect(0, 0, 2, ph), Rect(0, R.Top, off, R.Bottom));
        } else if (type == stBitmapLStretch) {
            const int off = qMax(0, height() - ph);
            painter.drawImage(R.Left, R.Top, image);
            drawPart(canvas, picture, QRect(0, ph - 3, pw, 3), Rect(0, R.Bottom - off, R.Right, R.Bottom));
        } else if (top) {
            painter.drawImage(R.Left, R.Top, image);
            drawPart(canvas, picture, QRect(pw - 3, 0, 3, ph), Rect(pw, R.Top, R.Right, R.Bottom));
        } else {
            painter.drawImage(R.Left, R.Bottom - ph, image);
            drawPart(canvas, picture, QRect(0, 0, pw, 3), Rect(R.Left, R.Top, R.Right, R.Bottom - ph));
        }
        return;
    }

    int l = R.Left;
    int t = R.Top;
    int r = R.Right;
    int b = R.Bottom;
    const QRegion wholePanel(rect());
    // The rounded shapes: a dark lower half and a light upper half of one rounded outline.
    const auto roundedOutline = [&] {
        canvas.Brush.Style = bsClear;
        canvas.Pen.Color = edgeDark;
        canvas.SetClipRegion(CreateRoundRectRgn(l, t + (b - t) / 2, r, b, cornerSize, cornerSize));
        canvas.RoundRect(l, t, r, b, cornerSize, cornerSize);
        canvas.Pen.Color = edgeLight;
        canvas.SetClipRegion(CreateRoundRectRgn(l, t, r, b - (b - t) / 2, cornerSize, cornerSize));
        canvas.RoundRect(l, t, r, b, cornerSize, cornerSize);
        canvas.SetClipRegion(wholePanel);
    };
    QRegion clip;
    switch (caption.GetShape()) {
    case csRectangle:
        if (!caption.GetFlat()) {
            canvas.Pen.Color = edgeDark;
            canvas.MoveTo(l, b - 1);
            canvas.LineTo(r - 1, b - 1);
            canvas.LineTo(r - 1, t);
            canvas.Pen.Color = edgeLight;
            canvas.LineTo(l, t);
            canvas.LineTo(l, b - 1);
            ++l;
            ++t;
            --r;
            --b;
        }
        clip = QRegion(ToQRect(Rect(l, t, r, b)));
        break;
    case csRounded:
        roundedOutline();
        canvas.Pen.Color = edgeDark;
        line(canvas, l + cornerSize / 2, b - 1, r - cornerSize / 2, b - 1);
        ++t;
        clip = CreateRoundRectRgn(l, t, r, b, cornerSize, cornerSize);
        break;
    case csSemiRounded:
        roundedOutline();
        canvas.Pen.Color = edgeLight;
        canvas.MoveTo(l + (r - l) / 2, t);
        canvas.LineTo(l, t);
        canvas.LineTo(l, b - 1);
        canvas.Pen.Color = edgeDark;
        canvas.LineTo(r - cornerSize / 2, b - 1);
        ++t;
        ++l;
        clip = CreateRoundRectRgn(l, t, r, b, cornerSize, cornerSize) |
               QRegion(ToQRect(Rect(l, t, r - (r - l) / 2, b - 1)));
        break;
    }
    canvas.Brush.Style = bsSolid;
    canvas.SetClipRegion(clip);
    canvas.Painter().drawImage(l, t, shadeBitmap);
    canvas.ResetClip();
}

void TCustomAdvPanel::paintCaptionButtons(TCanvas& canvas, TRect& r)
{
    const ButtonEnd end = buttonEnd(captionAtTop(), caption.GetButtonPosition());
    const bool themed = caption.GetShadeType() == stXPCaption && DoVisualStyles();
    // The themed buttons share one place per end of the bar.
    const auto themedBox = [&] {
        switch (end) {
        case ButtonEnd::TopRight:
            return Rect(r.Right - 16, r.Top + 4, r.Right - 2, r.Top + 18);
        case ButtonEnd::TopLeft:
            return Rect(r.Left + 2, r.Top + 4, r.Left + 16, r.Top + 18);
        case ButtonEnd::LeftTop:
            return Rect(r.Left + 4, r.Top + 2, r.Left + 18, r.Top + 16);
        case ButtonEnd::LeftBottom:
            return Rect(r.Left + 4, r.Bottom - 16, r.Left + 18, r.Bottom - 2);
        }
        return TRect();
    };
    const auto drawThemed = [&](int part) {
        if (HTHEME theme = OpenThemeData(this, QStringLiteral("window"))) {
            DrawThemeBackground(theme, canvas, part, 1, themedBox());
            CloseThemeData(theme);
        }
    };
    // The glyphs of both buttons sit at the same place at their end of the bar.
    const auto glyphAt = [&](const TBitmap& glyph) {
        const int w = glyph.GetWidth();
        const int h = glyph.GetHeight();
        switch (end) {
        case ButtonEnd::TopRight:
            return TPoint{r.Right - w, r.Top + 2};
        case ButtonEnd::TopLeft:
            return TPoint{r.Left, r.Top + 2};
        case ButtonEnd::LeftTop:
            return TPoint{r.Left + 2, r.Top};
        case ButtonEnd::LeftBottom:
            return TPoint{r.Left + 2, r.Bottom - h};
        }
        return TPoint{};
    };

    if (caption.GetCloseButton()) {
        const TBitmap& glyph = collaps ? caption.GetCloseMinGlyph() : caption.GetCloseMaxGlyph();
        if (themed) {
            drawThemed(WP_CLOSEBUTTON);
            passButton(r, end, themedButtonAdvance, themedButtonAdvance);
        } else if (caption.GetCloseMinGlyph().GetEmpty() || caption.GetCloseMaxGlyph().GetEmpty()) {
            const TColor hoverColor = caption.GetCloseButtonHoverColor();
            canvas.Pen = TPen{closeHot && hoverColor != clNone ? hoverColor : caption.GetCloseButtonColor(), 2};
            switch (end) {
            case ButtonEnd::TopRight:
                line(canvas, r.Right - 10, r.Top + 4, r.Right - 4, r.Top + 10);
                line(canvas, r.Right - 4, r.Top + 4, r.Right - 10, r.Top + 10);
                break;
            case ButtonEnd::TopLeft:
            case ButtonEnd::LeftTop:
                line(canvas, r.Left + 4, r.Top + 4, r.Left + 10, r.Top + 10);
                line(canvas, r.Left + 10, r.Top + 4, r.Left + 4, r.Top + 10);
                break;
            case ButtonEnd::LeftBottom:
                line(canvas, r.Left + 4, r.Bottom - 4, r.Left + 10, r.Bottom - 10);
                line(canvas, r.Left + 10, r.Bottom - 4, r.Left + 4, r.Bottom - 10);
                break;
            }
            canvas.Pen.Width = 1;
            passButton(r, end, crossButtonSize, crossButtonSize);
        } else {
            const TPoint at = glyphAt(glyph);
            drawTransparent(canvas, at.X, at.Y, glyph);
            passButton(r, end, glyph.GetWidth(), glyph.GetHeight());
        }
    }

    if (!caption.GetMinMaxButton())
        return;
    const TBitmap& glyph = collaps ? caption.GetMaxGlyph() : caption.GetMinGlyph();
    if (themed) {
        drawThemed(collaps ? WP_MAXBUTTON : WP_MINBUTTON);
    } else if (glyph.GetEmpty()) {
        // Collapsed, the triangle points down (right on a left bar); expanded, up (left).
        const TColor hoverColor = caption.GetMinMaxButtonHoverColor();
        const TColor colour = minMaxHot && hoverColor != clNone ? hoverColor : caption.GetMinMaxButtonColor();
        canvas.Pen = TPen{colour, 1};
        canvas.Brush = TBrush{colour, bsSolid};
        const int base = collaps ? 5 : 8;
        const int tip = collaps ? 8 : 5;
        switch (end) {
        case ButtonEnd::TopRight:
            canvas.Polygon({{r.Right - 10, r.Top + base}, {r.Right - 4, r.Top + base}, {r.Right - 7, r.Top + tip}});
            break;
        case ButtonEnd::TopLeft:
            canvas.Polygon({{r.Left + 4, r.Top + base}, {r.Left + 10, r.Top + base}, {r.Left + 7, r.Top + tip}});
            break;
        case ButtonEnd::LeftTop:
            canvas.Polygon({{r.Left + base, r.Top + 10}, {r.Left + base, r.Top + 4}, {r.Left + tip, r.Top + 7}});
            break;
        case ButtonEnd::LeftBottom:
            canvas.Polygon(
                {{r.Left + base, r.Bottom - 4}, {r.Left + base, r.Bottom - 10}, {r.Left + tip, r.Bottom - 7}});
            break;
        }
    } else {
        const TPoint at = glyphAt(glyph);
        drawTransparent(canvas, at.X, at.Y, glyph);
    }
}

// A top bar's text is markup on one line; a left bar's is plain text reading upward.
void TCustomAdvPanel::paintCaptionText(TCanvas& canvas, TRect r)
{
    canvas.Font = caption.GetFont();
    const int buttons = (caption.GetCloseButton() ? 1 : 0) + (caption.GetMinMaxButton() ? 1 : 0);
    const bool atStart = caption.GetButtonPosition() == cbpLeft;
    if (captionAtTop()) {
        if (atStart)
            r.Left += buttons * buttonRoom;
        else
            r.Right -= buttons * buttonRoom;
        r.Bottom = r.Top + caption.GetHeight();
        r.Left += caption.GetIndent();
        r.Top += caption.GetTopIndent();
        renderMarkup(canvas, caption.GetText(), r, -1, -1, false, captionHoverLink, shadowOffset, hover, false,
                     urlColor, hoverColor, hoverFontColor);
        return;
    }
    if (atStart)
        r.Bottom -= buttons * buttonRoom;
    else
        r.Top += buttons * buttonRoom;
    r.Right = r.Left + caption.GetHeight();
    r.Bottom -= caption.GetIndent();
    r.Left += caption.GetTopIndent();
    canvas.Brush.Style = bsClear;
    canvas.Font.Orientation = -2700;
    canvas.SetClipRect(r);
    canvas.TextOut(r.Left, r.Bottom - canvas.TextHeight(caption.GetText()), caption.GetText());
    canvas.ResetClip();
    canvas.Brush.Style = bsSolid;
}

int TCustomAdvPanel::captionButtonSize() const
{
    int size = crossButtonSize;
    if (!caption.GetCloseMinGlyph().GetEmpty() && !caption.GetCloseMaxGlyph().GetEmpty())
        size = caption.GetCloseMinGlyph().GetWidth();
    if (!caption.GetMinGlyph().GetEmpty() && !caption.GetMaxGlyph().GetEmpty())
        size = caption.GetMaxGlyph().GetWidth();
    if (caption.GetShadeType() == stXPCaption && DoVisualStyles())
        size = themedButtonSize;
    return size;
}

namespace {

// The box of a caption button in the client rectangle cr.
TRect buttonBox(const TRect& cr, ButtonEnd end, int bw)
{
    switch (end) {
    case ButtonEnd::TopRight:
        return Rect(cr.Right - 2 - bw, cr.Top + 2, cr.Right - 2, cr.Top + 2 + bw);
    case ButtonEnd::TopLeft:
    case ButtonEnd::LeftTop:
        return Rect(cr.Left + 2, cr.Top + 2, cr.Left + 2 + bw, cr.Top + 2 + bw);
    case ButtonEnd::LeftBottom:
        return Rect(cr.Left + 2, cr.Bottom - 2 - bw, cr.Left + 2 + bw, cr.Bottom - 2);
    }
    return TRect();
}

} // namespace

TRect TCustomAdvPanel::closeButtonBox() const
{
    return buttonBox(FromQRect(rect()), buttonEnd(captionAtTop(), caption.GetButtonPosition()), captionButtonSize());
}

TRect TCustomAdvPanel::clientPastCloseButton() const
{
    TRect cr = FromQRect(rect());
    if (caption.GetCloseButton()) {
        const int bw = captionButtonSize();
        passButton(cr, buttonEnd(captionAtTop(), caption.GetButtonPosition()), bw, bw);
    }
    return cr;
}

TRect TCustomAdvPanel::minMaxButtonBox() const
{
    return buttonBox(clientPastCloseButton(), buttonEnd(captionAtTop(), caption.GetButtonPosition()),
                     captionButtonSize());
}

// A button follows the mouse only when it has a colour for that.
void TCustomAdvPanel::updateButtonHover(TPoint p)
{
    if (caption.GetCloseButtonHoverColor() != clNone) {
        const bool hot = caption.GetCloseButton() && closeButtonBox().Contains(p);
        if (hot != closeHot) {
            closeHot = hot;
            update();
        }
    }
    if (caption.GetMinMaxButtonHoverColor() != clNone) {
        const bool hot = caption.GetMinMaxButton() && minMaxButtonBox().Contains(p);
        if (hot != minMaxHot) {
            minMaxHot = hot;
            update();
        }
    }
}

void TCustomAdvPanel::captionMouseMove(const QString& anchor, const TRect& hoverRect)
{
    if (bodyHoverLink != -1) {
        invalidateHover(bodyHoverRect);
        bodyHoverLink = previousBodyHoverLink = -1;
    }
    if (!anchor.isEmpty()) {
        if (anchor != lastAnchor || hoverRect != captionHoverRect || captionHoverLink == -1) {
            if (!lastAnchor.isEmpty())
                invalidateHover(captionHoverRect);
            invalidateHover(hoverRect);
        }
        enterAnchor(anchor, hoverRect);
        lastAnchor = anchor;
        captionHoverRect = hoverRect;
    } else if (cursor().shape() == Qt::PointingHandCursor) {
        setCursor(defaultCursor);
        if (OnAnchorExit)
            OnAnchorExit(this, QString());
        captionHoverLink = -1;
        invalidateHover(captionHoverRect);
    }
}
