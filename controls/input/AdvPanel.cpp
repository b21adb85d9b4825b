#include "AdvPanel.h"

#include "AdvPanelStyler.h"
#include "HTMLText.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <cmath>

namespace {

// Rounds halves to the even neighbour, as the gradients were designed with.
int roundEven(double value)
{
    return int(std::nearbyint(value));
}

TRect inflated(const TRect& r, int by)
{
    return Rect(r.Left - by, r.Top - by, r.Right + by, r.Bottom + by);
}

void frameBevel(TCanvas& canvas, TRect& r, TBevelCut bevel, int width)
{
    if (bevel == bvNone)
        return;
    const bool lowered = bevel == bvLowered;
    Frame3D(canvas, r, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow, width);
}

} // namespace

TColor TCustomAdvPanel::BlendColor(TColor Color1, TColor Color2, int Percent)
{
    if (Percent == 100)
        return Color1;
    const TColor c1 = ColorToRGB(Color1);
    const TColor c2 = ColorToRGB(Color2);
    const double p = Percent / 100.0;
    auto mix = [p](int a, int b) { return roundEven(p * a + (1 - p) * b) & 0xFF; };
    return TColor(mix(GetRValue(c1), GetRValue(c2)) + mix(GetGValue(c1), GetGValue(c2)) * 256 +
                  mix(GetBValue(c1), GetBValue(c2)) * 65536);
}

void TCustomAdvPanel::DrawGradient(TCanvas& Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R,
                                   bool Horizontal)
{
    Steps = qBound(1, Steps, 32);
    const TColor from = ColorToRGB(FromColor);
    const TColor to = ColorToRGB(ToColor);
    const double stepR = double(GetRValue(to) - GetRValue(from)) / Steps;
    const double stepG = double(GetGValue(to) - GetGValue(from)) / Steps;
    const double stepB = double(GetBValue(to) - GetBValue(from)) / Steps;
    const double band = double(Horizontal ? R.Width() : R.Height()) / Steps;
    const int bandSize = int(band) + 1;
    Canvas.Brush.Style = bsSolid;
    for (int i = 0; i < Steps; ++i) {
        const TColor colour =
            TColor((GetRValue(from) + roundEven(i * stepR)) + (GetGValue(from) + roundEven(i * stepG)) * 256 +
                   (GetBValue(from) + roundEven(i * stepB)) * 65536);
        Canvas.Pen.Color = colour;
        Canvas.Brush.Color = colour;
        const int p = quint16(roundEven(i * band));
        if (Horizontal)
            Canvas.Rectangle(R.Left + p, R.Top, qMin(R.Left + p + bandSize, R.Right), R.Bottom);
        else
            Canvas.Rectangle(R.Left, R.Top + p, R.Right, qMin(R.Top + p + bandSize, R.Bottom));
    }
}

void TCustomAdvPanel::DrawMirrorGradient(TCanvas& Canvas, const TRect& R, TColor FromColor, TColor ToColor,
                                         TColor MirrorFrom, TColor MirrorTo, TGradientDirection Direction,
                                         TColor FrameColor, bool Fill)
{
    const bool horizontal = Direction == gdHorizontal;
    if (Fill && FromColor != clNone) {
        TRect first = R;
        TRect second = R;
        if (horizontal) {
            first.Right = R.Left + R.Width() / 2;
            second.Left += R.Width() / 2;
        } else {
            first.Bottom = R.Top + R.Height() / 2;
            second.Top += R.Height() / 2;
        }
        DrawGradient(Canvas, FromColor, ToColor, 32, first, horizontal);
        DrawGradient(Canvas, MirrorFrom, MirrorTo, 32, second, horizontal);
    }
    if (FrameColor != clNone) {
        Canvas.Brush.Color = FrameColor;
        Canvas.FrameRect(R);
    }
}

// ---------------------------------------------------------------------------------------------------------------

TCustomAdvPanel::TCustomAdvPanel(QWidget* Owner)
    : QWidget(Owner)
    , TAlignHost(this)
    , pictureCache(std::make_unique<THTMLPictureCache>())
    , defaultCursor(Qt::ArrowCursor)
{
    resize(185, 41);
    setMouseTracking(true);
    setFont(font.ToQFont());
    background.OnChange = [this](TGraphic*) { update(); };
    caption.OnChange = [this](QObject*) { changed(); };
    caption.OnStateChange = [this](QObject*) { StateChange(); };
    caption.OnShadeChange = [this](QObject*) { ShadeHeader(); };
    caption.OnPositionChange = [this](QObject*) {
        DoAutoSize();
        ShadeHeader();
        changed();
    };
    statusBar.OnChange = [this](QObject*) { changed(); };
}

TCustomAdvPanel::~TCustomAdvPanel()
{
    if (position.GetSave())
        SavePosition();
}

void TCustomAdvPanel::changed()
{
    update();
    Realign();
}

void TCustomAdvPanel::SetColor(TColor Value)
{
    // While a collapse shows CollapsColor, the panel's own colour waits for the expand.
    if (collapsColorShown) {
        savedColor = Value;
        return;
    }
    if (Value == color)
        return;
    color = Value;
    update();
}

void TCustomAdvPanel::SetColorTo(TColor Value)
{
    if (Value == colorTo)
        return;
    colorTo = Value;
    update();
}

void TCustomAdvPanel::SetColorMirror(TColor Value)
{
    if (Value == colorMirror)
        return;
    colorMirror = Value;
    update();
}

void TCustomAdvPanel::SetColorMirrorTo(TColor Value)
{
    if (Value == colorMirrorTo)
        return;
    colorMirrorTo = Value;
    update();
}

void TCustomAdvPanel::SetGradientDirection(TGradientDirection Value)
{
    gradientDirection = Value;
    update();
}

void TCustomAdvPanel::SetBorderColor(TColor Value)
{
    borderColor = Value;
    update();
}

void TCustomAdvPanel::SetBorderShadow(bool Value)
{
    borderShadow = Value;
    update();
}

void TCustomAdvPanel::SetBorderWidth(int Value)
{
    if (Value == borderWidth)
        return;
    borderWidth = Value;
    changed();
}

void TCustomAdvPanel::SetBevelInner(TBevelCut Value)
{
    if (Value == bevelInner)
        return;
    bevelInner = Value;
    changed();
}

void TCustomAdvPanel::SetBevelOuter(TBevelCut Value)
{
    if (Value == bevelOuter)
        return;
    bevelOuter = Value;
    changed();
}

void TCustomAdvPanel::SetBevelWidth(int Value)
{
    if (Value == bevelWidth)
        return;
    bevelWidth = Value;
    changed();
}

void TCustomAdvPanel::SetBackground(const TGraphic* Value)
{
    background.Assign(Value);
    update();
}

void TCustomAdvPanel::SetBackgroundPosition(TBackGroundPosition Value)
{
    backgroundPosition = Value;
    update();
}

void TCustomAdvPanel::SetText(const QString& Value)
{
    text = Value;
    update();
    DoAutoSize();
}

QString TCustomAdvPanel::GetRawText() const
{
    return MarkupToPlainText(text);
}

void TCustomAdvPanel::SetTextVAlign(TTextVAlignment Value)
{
    textVAlign = Value;
    update();
}

void TCustomAdvPanel::SetIndent(int Value)
{
    indent = Value;
    update();
}

void TCustomAdvPanel::SetTopIndent(int Value)
{
    topIndent = Value;
    update();
}

void TCustomAdvPanel::SetLineSpacing(int Value)
{
    lineSpacing = Value;
    update();
}

void TCustomAdvPanel::SetEllipsis(bool Value)
{
    ellipsis = Value;
    update();
}

void TCustomAdvPanel::SetFont(const TFont& Value)
{
    font = Value;
    setFont(font.ToQFont());
    update();
}

void TCustomAdvPanel::SetURLColor(TColor Value)
{
    urlColor = Value;
    update();
}

void TCustomAdvPanel::SetHoverColor(TColor Value)
{
    hoverColor = Value;
    update();
}

void TCustomAdvPanel::SetHoverFontColor(TColor Value)
{
    hoverFontColor = Value;
    update();
}

void TCustomAdvPanel::SetShadowColor(TColor Value)
{
    shadowColor = Value;
    update();
}

void TCustomAdvPanel::SetShadowOffset(int Value)
{
    shadowOffset = Value;
    update();
}

void TCustomAdvPanel::SetImages(TImageList* Value)
{
    images = Value;
    update();
}

void TCustomAdvPanel::SetPictureContainer(TPictureContainer* Value)
{
    pictureContainer = Value;
    update();
}

void TCustomAdvPanel::SetCanSize(bool Value)
{
    canSize = Value;
    update();
}

void TCustomAdvPanel::Assign(const QObject* Source)
{
    const auto* source = qobject_cast<const TCustomAdvPanel*>(Source);
    if (!source)
        throw Exception(QStringLiteral("Invalid class typecast"));
    anchorHint = source->anchorHint;
    autoHideChildren = source->autoHideChildren;
    SetBackground(&source->background);
    SetBackgroundPosition(source->backgroundPosition);
    SetBevelInner(source->bevelInner);
    SetBevelOuter(source->bevelOuter);
    SetBevelWidth(source->bevelWidth);
    SetBorderColor(source->borderColor);
    SetBorderShadow(source->borderShadow);
    SetBorderStyle(source->borderStyle);
    canMove = source->canMove;
    SetCanSize(source->canSize);
    caption.Assign(source->caption);
    collapsColor = source->collapsColor;
    collapsDelay = source->collapsDelay;
    collapsSteps = source->collapsSteps;
    SetColor(source->color);
    SetColorTo(source->colorTo);
    SetColorMirror(source->colorMirror);
    SetColorMirrorTo(source->colorMirrorTo);
    setCursor(source->cursor());
    setEnabled(source->isEnabled());
    SetFont(source->font);
    fixedTop = source->fixedTop;
    fixedLeft = source->fixedLeft;
    fixedHeight = source->fixedHeight;
    fixedWidth = source->fixedWidth;
    freeOnClose = source->freeOnClose;
    SetHeight(source->height());
    setToolTip(source->toolTip());
    hover = source->hover;
    SetHoverColor(source->hoverColor);
    SetHoverFontColor(source->hoverFontColor);
    SetImages(source->images);
    SetPictureContainer(source->pictureContainer);
    position.Assign(source->position);
    statusBar.Assign(source->statusBar);
    SetShadowColor(source->shadowColor);
    SetShadowOffset(source->shadowOffset);
    showHint = source->showHint;
    showMoveCursor = source->showMoveCursor;
    setFocusPolicy(source->focusPolicy());
    SetText(source->text);
    SetTextVAlign(source->textVAlign);
    SetURLColor(source->urlColor);
    setVisible(!source->isHidden());
}

void TCustomAdvPanel::Loaded()
{
    if (position.GetSave())
        LoadPosition();
    defaultCursor = cursor();
    if (styler)
        AssignStyle(styler->GetSettings());
}

void TCustomAdvPanel::SetCursor(Qt::CursorShape Value)
{
    defaultCursor = QCursor(Value);
    setCursor(Value);
}

void TCustomAdvPanel::BeginUpdate()
{
    setUpdatesEnabled(false);
}

void TCustomAdvPanel::EndUpdate()
{
    setUpdatesEnabled(true);
    repaint();
}

void TCustomAdvPanel::AdjustClientRect(TRect& R)
{
    // The children stay inside the border and the bevels.
    int inset = borderWidth;
    if (bevelOuter != bvNone)
        inset += bevelWidth;
    if (bevelInner != bvNone)
        inset += bevelWidth;
    R = inflated(R, -inset);
}

void TCustomAdvPanel::AlignControls(QWidget* Control, TRect& R)
{
    if (caption.GetVisible()) {
        if (captionAtTop() && R.Top < caption.GetHeight())
            R.Top = caption.GetHeight() - 2;
        if (!captionAtTop() && R.Left < caption.GetHeight())
            R.Left = caption.GetHeight() - 2;
    }
    if (statusBar.GetVisible()) {
        if (captionAtTop())
            R.Bottom = qMin(R.Bottom, height() - statusBar.GetHeight());
        else
            R.Right = qMin(R.Right, width() - statusBar.GetHeight());
    }
    TAlignHost::AlignControls(Control, R);
}

TCustomAdvPanel::MarkupResult TCustomAdvPanel::renderMarkup(TCanvas& canvas, const QString& markup, const TRect& rect,
                                                            int x, int y, bool hitTest, int hoverLink, int shadow,
                                                            bool hoverEnabled, bool wordWrap, TColor linkColor,
                                                            TColor hoverBack, TColor hoverFont, bool measureOnly)
{
    MarkupResult result;
    QString plainText;
    QString focusedHref;
    int anchorCount = 0;
    result.onAnchor =
        MarkupRender(&canvas, markup, rect, images, x, y, -1, hoverLink, shadow, hitTest, measureOnly, false, false,
                     false, hoverEnabled, wordWrap, 1.0, linkColor, hoverBack, hoverFont, shadowColor, result.anchor,
                     plainText, focusedHref, result.width, result.height, anchorCount, result.anchorNumber,
                     result.hoverRect, pictureCache.get(), pictureContainer, lineSpacing);
    return result;
}

void TCustomAdvPanel::alignVertically(TCanvas& canvas, TRect& r)
{
    if (textVAlign == tvaTop)
        return;
    const int th = renderMarkup(canvas, text, r, 0, 0, true, bodyHoverLink, shadowOffset, hover, !ellipsis, urlColor,
                                hoverColor, hoverFontColor)
                       .height;
    if (r.Height() <= th)
        return;
    if (textVAlign == tvaCenter)
        r.Top += (r.Height() - th) / 2;
    else
        r.Top = r.Bottom - th;
}

void TCustomAdvPanel::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    paintBody(canvas);
    if (caption.GetVisible())
        paintCaption(canvas);
    if (statusBar.GetVisible())
        paintStatusBar(canvas);
    if (canSize && !collaps)
        paintSizeGrip(canvas);
    if (OnPaint)
        OnPaint(this, canvas, FromQRect(rect()));
}

void TCustomAdvPanel::paintBody(TCanvas& canvas)
{
    TRect r = FromQRect(rect());
    if (colorTo == clNone) {
        canvas.Brush.Color = color;
        canvas.Pen.Color = color;
        canvas.FillRect(r);
    } else if (colorMirror == clNone) {
        DrawGradient(canvas, color, colorTo, 64, r, gradientDirection == gdHorizontal);
    } else {
        DrawMirrorGradient(canvas, r, color, colorTo, colorMirror, colorMirrorTo, gradientDirection, clNone, true);
    }

    if (borderColor != clNone && borderWidth > 0) {
        canvas.Brush.Style = bsClear;
        canvas.Pen.Color = borderColor;
        if (borderShadow) {
            r.Right -= 2;
            r.Bottom -= 2;
        }
        canvas.Rectangle(r);
        if (borderShadow) {
            canvas.Pen.Color = BlendColor(borderColor, clBtnFace, 50);
            canvas.MoveTo(r.Right, r.Top);
            canvas.LineTo(r.Right, r.Bottom);
            canvas.LineTo(r.Left, r.Bottom);
            canvas.Pen.Color = BlendColor(borderColor, clBtnFace, 20);
            canvas.MoveTo(r.Right + 1, r.Top);
            canvas.LineTo(r.Right + 1, r.Bottom + 1);
            canvas.LineTo(r.Left, r.Bottom + 1);
        }
        canvas.Brush.Style = bsSolid;
    }
    frameBevel(canvas, r, bevelOuter, bevelWidth);
    if (borderColor == clNone)
        Frame3D(canvas, r, color, color, 1);
    frameBevel(canvas, r, bevelInner, bevelWidth);

    canvas.Brush.Color = color;
    canvas.Pen.Color = color;
    r = FromQRect(rect());
    if (caption.GetVisible()) {
        if (captionAtTop())
            r.Top += caption.GetHeight() - 2 * bevelWidth;
        else
            r.Left += caption.GetHeight() - 2 * bevelWidth + 2;
    }
    if (borderShadow) {
        r.Right -= 2;
        r.Bottom -= 3;
    }
    canvas.SetClipRect(r);
    paintBackground(canvas, r);
    paintText(canvas, r);
    canvas.ResetClip();
}

void TCustomAdvPanel::paintBackground(TCanvas& canvas, const TRect& r)
{
    if (background.GetEmpty())
        return;
    const int w = background.GetWidth();
    const int h = background.GetHeight();
    const int right = qMax(r.Left, r.Right - r.Left - w - bevelWidth);
    const int bottom = qMax(r.Top, height() - h - bevelWidth);
    switch (backgroundPosition) {
    case TBackGroundPosition::bpTopLeft:
        canvas.Draw(r.Left, r.Top, &background);
        break;
    case TBackGroundPosition::bpTopRight:
        canvas.Draw(right, r.Top, &background);
        break;
    case TBackGroundPosition::bpBottomLeft:
        canvas.Draw(r.Left, bottom, &background);
        break;
    case TBackGroundPosition::bpBottomRight:
        canvas.Draw(right, bottom, &background);
        break;
    case TBackGroundPosition::bpTiled:
        if (w <= 0 || h <= 0)
            break;
        for (int y = r.Top; y < height(); y += h) {
            for (int x = r.Left; x < width(); x += w)
                canvas.Draw(x, y, &background);
        }
        break;
    case TBackGroundPosition::bpStretched:
        canvas.StretchDraw(r, &background);
        break;
    case TBackGroundPosition::bpCenter:
        canvas.Draw(right / 2, bottom / 2, &background);
        break;
    }
}

void TCustomAdvPanel::paintText(TCanvas& canvas, TRect r)
{
    r = inflated(r, -(borderWidth + 1));
    r.Left += indent;
    r.Top += topIndent;
    if (statusBar.GetVisible()) {
        if (captionAtTop())
            r.Bottom -= statusBar.GetHeight();
        else
            r.Right -= statusBar.GetHeight();
    }
    canvas.Font = font;
    alignVertically(canvas, r);
    renderMarkup(canvas, text, r, -1, -1, false, bodyHoverLink, shadowOffset, hover, !ellipsis, urlColor, hoverColor,
                 hoverFontColor);
}

void TCustomAdvPanel::paintStatusBar(TCanvas& canvas)
{
    const int w = width();
    const int h = height();
    const int sbh = statusBar.GetHeight();
    const bool bottomStrip = captionAtTop();
    TRect sr = bottomStrip ? Rect(1, h - sbh - 1, w - 1, h - 1) : Rect(w - sbh - 1, 1, w - 1, h - 1);

    if (statusBar.GetColor() != clNone && statusBar.GetColorTo() != clNone) {
        DrawGradient(canvas, statusBar.GetColor(), statusBar.GetColorTo(), 40, sr,
                     statusBar.GetGradientDirection() == gdHorizontal);
    } else if (statusBar.GetColor() != clNone) {
        canvas.Pen.Color = statusBar.GetColor();
        canvas.Brush.Color = statusBar.GetColor();
        canvas.Rectangle(sr);
    }

    if (statusBar.GetImageIndex() >= 0 && images) {
        if (bottomStrip) {
            images->Draw(canvas, sr.Left + 1, sr.Top + 2, statusBar.GetImageIndex());
            sr.Left += images->GetWidth() + 2;
        } else {
            // Room for the size grip at the bottom.
            const int lift = canSize ? 12 : 1;
            images->Draw(canvas, sr.Left + 2, sr.Bottom - images->GetHeight() - lift, statusBar.GetImageIndex());
            sr.Bottom -= images->GetHeight() + 2;
        }
    }

    canvas.Font = statusBar.GetFont();
    if (bottomStrip) {
        sr.Left += 2;
        renderMarkup(canvas, statusBar.GetText(), sr, -1, -1, false, captionHoverLink, shadowOffset, hover, false,
                     urlColor, hoverColor, hoverFontColor);
        sr.Left -= 2;
    } else {
        canvas.Font.Orientation = -2700;
        canvas.TextOut(sr.Left + 2, sr.Bottom - (canSize ? 16 : 2), statusBar.GetText());
    }

    if (statusBar.GetBorderStyle() != bsNone && statusBar.GetBorderColor() != clNone) {
        canvas.Pen.Color = statusBar.GetBorderColor();
        canvas.Pen.Width = 1;
        canvas.Brush.Style = bsClear;
        if (bottomStrip)
            canvas.Rectangle(0, sr.Top, sr.Right + 1, sr.Bottom + 1);
        else
            canvas.Rectangle(sr.Left, sr.Top, sr.Right + 1, h);
        canvas.Brush.Style = bsSolid;
    }

    if (statusBar.GetBevelInner()) {
        canvas.Pen.Width = 1;
        const int bottomY = bottomStrip ? sr.Bottom - 1 : h;
        const int left = bottomStrip ? 0 : sr.Left;
        canvas.Pen.Color = clGray;
        canvas.MoveTo(left, bottomY);
        canvas.LineTo(left, sr.Top);
        canvas.LineTo(bottomStrip ? sr.Right : sr.Right - 1, sr.Top);
        canvas.Pen.Color = clWhite;
        canvas.MoveTo(left, bottomY);
        canvas.LineTo(sr.Right - 1, bottomY);
        canvas.LineTo(sr.Right - 1, sr.Top);
    }
}

void TCustomAdvPanel::paintSizeGrip(TCanvas& canvas)
{
    TRect r = FromQRect(rect());
    if (bevelInner != bvNone || bevelOuter != bvNone)
        r = inflated(r, -2 * bevelWidth);
    if (borderShadow) {
        r.Right -= 4;
        r.Bottom -= 4;
    }
    const int x = r.Right;
    const int y = r.Bottom;
    auto line = [&](int x1, int y1, int x2, int y2) {
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    canvas.Pen.Color = clGray;
    canvas.Pen.Width = 2;
    line(x, y - 11, x - 11, y);
    line(x, y - 6, x - 7, y);
    line(x, y - 3, x - 3, y);
    canvas.Pen.Color = clWhite;
    canvas.Pen.Width = 1;
    line(x, y - 12, x - 12, y);
    line(x, y - 8, x - 8, y);
    line(x, y - 4, x - 4, y);
}

TRect TCustomAdvPanel::textArea() const
{
    TRect r = FromQRect(rect());
    if (bevelInner != bvNone || bevelOuter != bvNone)
        r = inflated(r, -bevelWidth);
    if (borderShadow) {
        r.Right -= 2;
        r.Bottom -= 2;
    }
    r = inflated(r, -(borderWidth + 1));
    r.Left += indent;
    r.Top += topIndent;
    return r;
}

bool TCustomAdvPanel::inCaptionZone(int x, int y) const
{
    return caption.GetVisible() && (captionAtTop() ? y < caption.GetHeight() : x < caption.GetHeight());
}

// Only a top bar's text has links: a left bar shows plain text.
QString TCustomAdvPanel::IsAnchor(int X, int Y, TRect& HoverRect)
{
    TCanvas canvas;
    TRect r = textArea();
    if (inCaptionZone(X, Y)) {
        if (!captionAtTop())
            return QString();
        r.Bottom = r.Top + caption.GetHeight();
        canvas.Font = caption.GetFont();
        r.Left += caption.GetIndent();
        r.Top += caption.GetTopIndent();
        const MarkupResult hit =
            renderMarkup(canvas, caption.GetText(), r, X, Y, true, -1, 2, false, true, urlColor, clBlue, clRed);
        captionHoverLink = hit.anchorNumber;
        HoverRect = hit.hoverRect;
        return hit.onAnchor ? hit.anchor : QString();
    }
    canvas.Font = font;
    if (caption.GetVisible()) {
        if (captionAtTop())
            r.Top += caption.GetHeight();
        else
            r.Left += caption.GetHeight();
    }
    if (textVAlign != tvaTop) {
        const int th = renderMarkup(canvas, text, r, 0, 0, true, -1, 2, false, true, urlColor, clBlue, clRed).height;
        if (r.Height() > th)
            r.Top = textVAlign == tvaCenter ? r.Top + (r.Height() - th) / 2 : r.Bottom - th;
    }
    r.Bottom += 20;
    const MarkupResult hit = renderMarkup(canvas, text, r, X, Y, true, -1, 2, false, true, urlColor, clBlue, clRed);
    if (!hit.onAnchor)
        return QString();
    bodyHoverLink = hit.anchorNumber;
    HoverRect = hit.hoverRect;
    return hit.anchor;
}

void TCustomAdvPanel::invalidateHover(const TRect& r)
{
    if (hover)
        update(ToQRect(r));
}

void TCustomAdvPanel::enterAnchor(const QString& anchor, const TRect& hoverRect)
{
    if (cursor().shape() != defaultCursor.shape() && anchor == lastAnchor)
        return;
    if (anchorHint)
        QToolTip::hideText();
    setCursor(Qt::PointingHandCursor);
    if (OnAnchorEnter)
        OnAnchorEnter(this, anchor);
    invalidateHover(hoverRect);
}

void TCustomAdvPanel::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    TRect hoverRect;
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const Drag kind = dragAt(TPoint{p.x(), p.y()});
        if (kind != Drag::None) {
            startDrag(kind, event->globalPosition());
            return;
        }
    }
    const QString anchor = IsAnchor(p.x(), p.y(), hoverRect);
    if (!anchor.isEmpty())
        followAnchor(this, anchor, OnAnchorClick);
}

void TCustomAdvPanel::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    if (drag.kind != Drag::None) {
        dragTo(event->globalPosition());
        return;
    }
    const QPoint p = event->position().toPoint();
    TRect hoverRect;
    const QString anchor = IsAnchor(p.x(), p.y(), hoverRect);
    if (caption.GetVisible())
        updateButtonHover(TPoint{p.x(), p.y()});
    if (inCaptionZone(p.x(), p.y()))
        captionMouseMove(anchor, hoverRect);
    else
        bodyMouseMove(anchor, hoverRect);
    if (anchor.isEmpty())
        showDragCursor(TPoint{p.x(), p.y()});
}

void TCustomAdvPanel::bodyMouseMove(const QString& anchor, const TRect& hoverRect)
{
    if (captionHoverLink != -1) {
        captionHoverLink = -1;
        invalidateHover(captionHoverRect);
    }
    if (!anchor.isEmpty()) {
        if (anchor != lastAnchor || hoverRect != bodyHoverRect || bodyHoverLink == -1 ||
            bodyHoverLink != previousBodyHoverLink) {
            bodyHoverRect = inflated(bodyHoverRect, 1);
            invalidateHover(bodyHoverRect);
            invalidateHover(hoverRect);
        }
        enterAnchor(anchor, hoverRect);
        lastAnchor = anchor;
        bodyHoverRect = hoverRect;
        previousBodyHoverLink = bodyHoverLink;
    } else if (cursor().shape() == Qt::PointingHandCursor) {
        setCursor(defaultCursor);
        if (OnAnchorExit)
            OnAnchorExit(this, QString());
        bodyHoverRect = inflated(bodyHoverRect, 1);
        bodyHoverLink = -1;
        previousBodyHoverLink = -1;
        invalidateHover(bodyHoverRect);
    }
}

void TCustomAdvPanel::enterEvent(QEnterEvent* event)
{
    if (OnMouseEnter)
        OnMouseEnter(this);
    QWidget::enterEvent(event);
}

void TCustomAdvPanel::leaveEvent(QEvent* event)
{
    if (bodyHoverLink >= 0) {
        bodyHoverLink = -1;
        bodyHoverRect = inflated(bodyHoverRect, 1);
        invalidateHover(bodyHoverRect);
    }
    if (captionHoverLink >= 0) {
        captionHoverLink = -1;
        captionHoverRect = inflated(captionHoverRect, 1);
        invalidateHover(captionHoverRect);
    }
    if (OnMouseLeave)
        OnMouseLeave(this);
    if (closeHot || minMaxHot) {
        closeHot = minMaxHot = false;
        update();
    }
    QWidget::leaveEvent(event);
}

void TCustomAdvPanel::resizeEvent(QResizeEvent*)
{
    if (shadeBitmap.width() != width())
        ShadeHeader();
    update();
    if (OnResize)
        OnResize(this);
    DoAutoSize();
}

bool TCustomAdvPanel::event(QEvent* event)
{
    // With AnchorHint the link under the pointer is the hint, a little right of and above the pointer.
    if (event->type() == QEvent::ToolTip && anchorHint) {
        auto* help = static_cast<QHelpEvent*>(event);
        TRect hoverRect;
        QString anchor = IsAnchor(help->pos().x(), help->pos().y(), hoverRect);
        if (!anchor.isEmpty()) {
            if (OnAnchorHint)
                OnAnchorHint(this, anchor);
            QToolTip::showText(help->globalPos() + QPoint(10, -10), anchor, this);
            return true;
        }
    }
    return QWidget::event(event);
}

TAdvPanel::TAdvPanel(QWidget* Owner) : TCustomAdvPanel(Owner) {}
