#include "HTMLabel.h"

#include "HTMLText.h"
#include "UrlOpener.h"

#include <QCursor>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace {

// Room the engine's layout leaves around an auto-sized text.
constexpr int autoSizeMargin = 6;
// An edge moved this far out never limits the text.
constexpr int unlimited = 65535;
constexpr int measureExtent = 4096;

void shrink(TRect& r, int by)
{
    r.Left += by;
    r.Top += by;
    r.Right -= by;
    r.Bottom -= by;
}

} // namespace

AutoSizeDirections autoSizeDirections(const QWidget* control, TAutoSizeType type)
{
    const TAlign align = GetAlign(control);
    AutoSizeDirections d;
    d.horizontal = (align == alNone || align == alLeft || align == alRight) && (type == asHorizontal || type == asBoth);
    d.vertical = (align == alNone || align == alTop || align == alBottom) && (type == asVertical || type == asBoth);
    return d;
}

THTMLabel::THTMLabel(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void THTMLabel::SetHTMLText(const QString& value)
{
    const QString text = MarkupLineBreaksToTags(value, false);
    if (text == htmlText)
        return;
    htmlText = text;
    HTMLChanged();
}

QString THTMLabel::GetText() const
{
    return MarkupToPlainText(GetDisplText());
}

// A new text may name other pictures: the cache starts again.
void THTMLabel::HTMLChanged()
{
    pictureCache.ClearPictures();
    changed();
}

void THTMLabel::changed()
{
    updateAutoSize();
    if (!painting.IsHeld())
        update();
}

void THTMLabel::SetFont(const TFont& value)
{
    font = value;
    changed();
}

void THTMLabel::SetColor(TColor value)
{
    color = value;
    changed();
}

void THTMLabel::SetColorTo(TColor value)
{
    colorTo = value;
    changed();
}

void THTMLabel::SetGradientType(TGradientType value)
{
    gradientType = value;
    changed();
}

void THTMLabel::SetTransparent(bool value)
{
    transparent = value;
    changed();
}

void THTMLabel::SetBevelInner(TBevelCut value)
{
    bevelInner = value;
    changed();
}

void THTMLabel::SetBevelOuter(TBevelCut value)
{
    bevelOuter = value;
    changed();
}

void THTMLabel::SetBevelWidth(int value)
{
    bevelWidth = value;
    changed();
}

void THTMLabel::SetBorderWidth(int value)
{
    borderWidth = value;
    changed();
}

void THTMLabel::SetBorderStyle(TBorderStyle value)
{
    borderStyle = value;
    changed();
}

void THTMLabel::SetBorderColor(TColor value)
{
    borderColor = value;
    changed();
}

void THTMLabel::SetAutoSizing(bool value)
{
    autoSizing = value;
    changed();
}

void THTMLabel::SetAutoSizeType(TAutoSizeType value)
{
    autoSizeType = value;
    changed();
}

void THTMLabel::SetVAlignment(TVAlignment value)
{
    if (value == vAlignment)
        return;
    vAlignment = value;
    changed();
}

void THTMLabel::SetEllipsis(bool value)
{
    if (value == ellipsis)
        return;
    ellipsis = value;
    changed();
}

void THTMLabel::SetURLColor(TColor value)
{
    if (value == urlColor)
        return;
    urlColor = value;
    changed();
}

void THTMLabel::SetHover(bool value)
{
    hover = value;
    changed();
}

void THTMLabel::SetHoverColor(TColor value)
{
    hoverColor = value;
    changed();
}

void THTMLabel::SetHoverFontColor(TColor value)
{
    hoverFontColor = value;
    changed();
}

void THTMLabel::SetShadowColor(TColor value)
{
    shadowColor = value;
    changed();
}

void THTMLabel::SetShadowOffset(int value)
{
    shadowOffset = value;
    changed();
}

void THTMLabel::SetImages(TImageList* value)
{
    disconnect(imagesChange);
    images = value;
    if (value)
        imagesChange = connect(value, &TImageList::Change, this, &THTMLabel::changed);
    changed();
}

void THTMLabel::SetPictureContainer(TPictureContainer* value)
{
    pictureContainer = value;
    changed();
}

void THTMLabel::EndUpdate()
{
    if (painting.Release())
        update();
}

void THTMLabel::HilightText(const QString& text, bool caseSensitive)
{
    SetHTMLText(MarkupWrapMatches(htmlText, text, QStringLiteral("hi"), caseSensitive));
}

void THTMLabel::MarkText(const QString& text, bool caseSensitive)
{
    SetHTMLText(MarkupWrapMatches(htmlText, text, QStringLiteral("e"), caseSensitive));
}

void THTMLabel::UnHilightText()
{
    SetHTMLText(MarkupUnwrapTag(htmlText, QStringLiteral("hi")));
}

void THTMLabel::UnMarkText()
{
    SetHTMLText(MarkupUnwrapTag(htmlText, QStringLiteral("e")));
}

THTMLabel::MarkupCall THTMLabel::propertyCall() const
{
    MarkupCall call;
    call.hoverNumber = hoverAnchor;
    call.shadowOffset = shadowOffset;
    call.hoverEnabled = hover;
    call.urlColor = urlColor;
    call.hoverColor = hoverColor;
    call.hoverFontColor = hoverFontColor;
    call.shadowColor = shadowColor;
    return call;
}

THTMLabel::MarkupResult THTMLabel::HTMLPaint(TCanvas& canvas, const QString& markup, const TRect& bounds,
                                             const MarkupCall& call)
{
    MarkupResult r;
    QString plainText;
    QString focusedHref;
    int anchorCount = 0;
    // A label takes no keyboard focus, so no anchor is focused.
    r.onAnchor = MarkupRender(&canvas, markup, bounds, images, call.point.X, call.point.Y, -1, call.hoverNumber,
                              call.shadowOffset, call.hitTestOnly, call.measureOnly, call.scaleImages, false, false,
                              call.hoverEnabled, !ellipsis, 1.0, call.urlColor, call.hoverColor, call.hoverFontColor,
                              call.shadowColor, r.anchor, plainText, focusedHref, r.width, r.height, anchorCount,
                              r.anchorNumber, r.hoverRect, &pictureCache, pictureContainer, 0);
    return r;
}

QSize THTMLabel::GetSize()
{
    return GetSizeWithMaxWidth(measureExtent);
}

QSize THTMLabel::GetSizeWithMaxWidth(int maxWidth)
{
    TCanvas canvas;
    canvas.Font = font;
    MarkupCall call = propertyCall();
    call.hitTestOnly = true;
    const MarkupResult r = HTMLPaint(canvas, GetDisplText(), Rect(0, 0, maxWidth, measureExtent), call);
    return QSize(r.width, r.height);
}

void THTMLabel::HTMLPrint(TCanvas& canvas, const TRect& rect)
{
    MarkupCall call;
    call.shadowOffset = 1;
    call.scaleImages = true;
    call.urlColor = urlColor;
    HTMLPaint(canvas, GetDisplText(), rect, call);
}

// The client rectangle inside the bevels and borders.
TRect THTMLabel::textRect() const
{
    TRect r = Rect(0, 0, width(), height());
    const bool bevelled = bevelOuter != bvNone || bevelInner != bvNone;
    shrink(r, (bevelOuter != bvNone ? bevelWidth : 0) + borderWidth + (bevelInner != bvNone ? bevelWidth : 0));
    if (bevelled)
        shrink(r, bevelWidth);
    if (borderStyle == bsSingle)
        shrink(r, borderWidth);
    return r;
}

void THTMLabel::placeVertically(TCanvas& canvas, const QString& markup, TRect& rect, TPoint point, int hoverNumber)
{
    if (vAlignment == tvaTop)
        return;
    MarkupCall call = propertyCall();
    call.point = point;
    call.hoverNumber = hoverNumber;
    call.hitTestOnly = true;
    const MarkupResult measured = HTMLPaint(canvas, markup, rect, call);
    if (measured.height >= height())
        return;
    if (vAlignment == tvaCenter)
        rect.Top += (rect.Bottom - rect.Top - measured.height) / 2;
    else
        rect.Top = rect.Bottom - measured.height;
}

// The label's size follows its text: measured on a measuring canvas, never while painting.
void THTMLabel::updateAutoSize()
{
    if (!autoSizing)
        return;
    const AutoSizeDirections grows = autoSizeDirections(this, autoSizeType);
    if (!grows.horizontal && !grows.vertical)
        return;
    TRect r = textRect();
    if (grows.horizontal)
        r.Right += unlimited;
    if (grows.vertical)
        r.Bottom += unlimited;
    TCanvas canvas;
    canvas.Font = font;
    MarkupCall call = propertyCall();
    call.measureOnly = true;
    const MarkupResult measured = HTMLPaint(canvas, GetDisplText(), r, call);
    QSize size = this->size();
    if (grows.horizontal)
        size.setWidth(measured.width + autoSizeMargin);
    if (grows.vertical)
        size.setHeight(measured.height + autoSizeMargin);
    if (size != this->size())
        resize(size);
}

void THTMLabel::paintEvent(QPaintEvent*)
{
    painting.paint(this, [this](TCanvas& canvas) { Paint(canvas); });
}

void THTMLabel::Paint(TCanvas& canvas)
{
    if (!transparent)
        paintBackground(canvas);
    const TRect client = Rect(0, 0, width(), height());
    const int steps = client.Width() / 4;
    // The line styles draw a 2-pixel band, fading to white when no second colour is set.
    TRect band = client;
    switch (gradientType) {
    case gtBottomLine:
        band.Top = band.Bottom - 2;
        break;
    case gtCenterLine:
        band.Top += (band.Bottom - band.Top) / 2;
        band.Bottom = band.Top + 2;
        break;
    case gtTopLine:
        band.Bottom = band.Top + 2;
        break;
    default:
        break;
    }
    if (gradientType >= gtBottomLine)
        MarkupFillGradient(&canvas, color, colorTo == clNone ? clWhite : colorTo, clNone, steps, band, true);
    canvas.Font = font;

    paintFrame(canvas);
    TRect r = textRect();
    const QString markup = GetDisplText();
    canvas.Brush = TBrush{color, bsSolid};
    if (autoSizing) {
        if (vAlignment == tvaCenter)
            r.Top += 3;
        else if (vAlignment == tvaBottom)
            r.Top += 6;
    }
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    const TPoint point{cursor.x(), cursor.y()};
    if (!autoSizing)
        placeVertically(canvas, markup, r, point, hoverAnchor);
    MarkupCall call = propertyCall();
    call.point = point;
    HTMLPaint(canvas, markup, r, call);
}

void THTMLabel::paintBackground(TCanvas& canvas)
{
    const TRect client = Rect(0, 0, width(), height());
    if (colorTo == clNone || gradientType >= gtBottomLine) {
        canvas.Pen.Color = color;
        canvas.Brush.Color = color;
        canvas.Brush.Style = bsSolid;
        canvas.Rectangle(client);
        return;
    }
    MarkupFillGradient(&canvas, color, colorTo, clNone, client.Width() / 4, client, gradientType == gtFullHorizontal);
}

void THTMLabel::paintFrame(TCanvas& canvas)
{
    TRect r = Rect(0, 0, width(), height());
    const auto bevel = [&](TBevelCut cut) {
        if (cut == bvLowered)
            Frame3D(canvas, r, clBtnShadow, clBtnHighlight, bevelWidth);
        else
            Frame3D(canvas, r, clBtnHighlight, clBtnShadow, bevelWidth);
    };
    if (bevelOuter != bvNone)
        bevel(bevelOuter);
    Frame3D(canvas, r, color, color, borderWidth);
    if (bevelInner != bvNone)
        bevel(bevelInner);
    if (borderStyle != bsSingle || borderWidth <= 0 || borderColor == clNone)
        return;
    canvas.Pen.Width = borderWidth;
    canvas.Pen.Color = borderColor;
    canvas.Brush.Style = bsClear;
    const int a = (borderWidth + 1) / 2;
    const int b = borderWidth / 2;
    canvas.Polyline({{r.Left - a, r.Top - a},
                     {r.Right + b, r.Top - a},
                     {r.Right + b, r.Bottom + b},
                     {r.Left - a, r.Bottom + b},
                     {r.Left - a, r.Top - a}});
    canvas.Pen.Width = 1;
}

QString THTMLabel::IsAnchor(int x, int y, TRect& hoverRect)
{
    hoverRect = Rect(-1, -1, -1, -1);
    TRect r = textRect();
    const QString markup = GetDisplText();
    TCanvas canvas;
    canvas.Font = font;
    placeVertically(canvas, markup, r, TPoint{x, y}, -1);
    MarkupCall call = propertyCall();
    call.point = TPoint{x, y};
    call.hoverNumber = -1;
    call.hitTestOnly = true;
    call.urlColor = clWhite;
    call.hoverColor = call.hoverFontColor = call.shadowColor = clNone;
    const MarkupResult hit = HTMLPaint(canvas, markup, r, call);
    hoverAnchor = hit.anchorNumber;
    hoverRect = hit.hoverRect;
    if (hit.onAnchor)
        return hit.anchor;
    hoverAnchor = -1;
    return QString();
}

void THTMLabel::HoverInvalidate(const TRect& rect)
{
    update(ToQRect(rect));
}

void THTMLabel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateAutoSize();
}

void THTMLabel::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    const QPoint p = event->position().toPoint();
    TRect rect;
    const QString anchor = IsAnchor(p.x(), p.y(), rect);
    if (!anchor.isEmpty()) {
        if (hover && rect.Left != -1 && (anchor != lastAnchor || rect != keptHoverRect || hoverAnchor == -1))
            HoverInvalidate(keptHoverRect);
        if (!handCursor || anchor != lastAnchor || lastHoverAnchor != hoverAnchor) {
            if (anchorHint)
                QToolTip::hideText();
            setCursor(Qt::PointingHandCursor);
            handCursor = true;
            if (OnAnchorEnter)
                OnAnchorEnter(this, anchor);
            if (hover) {
                if (rect.Left == -1)
                    update();
                else
                    HoverInvalidate(keptHoverRect);
            }
        }
        lastAnchor = anchor;
        lastHoverAnchor = hoverAnchor;
        keptHoverRect = rect;
        if (hover)
            HoverInvalidate(keptHoverRect);
        return;
    }
    if (!handCursor)
        return;
    unsetCursor();
    handCursor = false;
    if (OnAnchorExit)
        OnAnchorExit(this, QString());
    if (hover) {
        if (keptHoverRect.Left == -1)
            update();
        else
            HoverInvalidate(keptHoverRect);
    }
    keptHoverRect = rect;
}

// Web and mail targets open through the platform's link policy; every other target is the owner's to handle.
void THTMLabel::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    const QPoint p = event->position().toPoint();
    TRect rect;
    const QString anchor = IsAnchor(p.x(), p.y(), rect);
    if (anchor.isEmpty())
        return;
    if (isAllowedLink(anchor))
        openLink(anchor);
    else if (OnAnchorClick)
        OnAnchorClick(this, anchor);
}

void THTMLabel::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void THTMLabel::leaveEvent(QEvent* event)
{
    if (hover && hoverAnchor != -1)
        HoverInvalidate(keptHoverRect);
    hoverAnchor = -1;
    QWidget::leaveEvent(event);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

bool THTMLabel::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    showHint(static_cast<QHelpEvent*>(event));
    return true;
}

// The anchor under the mouse as hint, or the whole text, or else the label's own hint.
void THTMLabel::showHint(QHelpEvent* event)
{
    QString anchor;
    QString text = toolTip();
    QPoint where = event->globalPos();
    if (anchorHint) {
        TRect rect;
        anchor = IsAnchor(event->pos().x(), event->pos().y(), rect);
        if (!anchor.isEmpty()) {
            if (OnAnchorHint)
                OnAnchorHint(this, anchor);
            where += QPoint(10, -10);
            text = anchor;
        }
    }
    if (hintShowFull && (anchor.isEmpty() || !anchorHint))
        text = htmlHint ? GetDisplText() : MarkupToPlainText(GetDisplText());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(where, text, this);
}
