// The static text's keys, mouse and hints: anchors take the keyboard focus in turn and are followed by Enter,
// Space or a click; the mouse shows the hand over an anchor and scrolls with the mini scroll arrows.
#include "HTMLStaticText.h"

#include "UrlOpener.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace {

// An anchor hint shows this far right of and above the mouse.
constexpr int hintOffset = 10;

TPoint toPoint(const QPointF& p)
{
    const QPoint q = p.toPoint();
    return TPoint{q.x(), q.y()};
}

} // namespace

QString THTMLStaticText::IsAnchor(int x, int y, TRect& hoverRect)
{
    hoverRect = Rect(-1, -1, -1, -1);
    TCanvas canvas;
    canvas.Font = font;
    EngineCall call;
    call.urlColor = urlColor;
    call.hoverColor = hoverColor;
    call.hoverFontColor = hoverFontColor;
    Layout l = layout(canvas, call);
    placeVertically(canvas, l.text, call);
    call.point = TPoint{x, y};
    call.hitTestOnly = true;
    call.urlColor = clWhite;
    call.hoverColor = call.hoverFontColor = clNone;
    const EngineResult hit = render(canvas, l.text, call);
    hoverAnchor = hit.anchorNumber;
    hoverRect = hit.hoverRect;
    if (hit.onAnchor)
        return hit.anchor;
    hoverAnchor = -1;
    return QString();
}

// Web and mail targets open through the platform's link policy; every other target is the owner's to handle.
void THTMLStaticText::followAnchor(const QString& anchor,
                                   const std::function<void(THTMLStaticText*, const QString&)>& other)
{
    if (isAllowedLink(anchor))
        openLink(anchor);
    else if (other)
        other(this, anchor);
}

// The focus goes round the anchors, the last one following the first.
void THTMLStaticText::moveFocusAnchor(bool forward)
{
    const int count = anchorState().anchorCount;
    if (forward)
        focusAnchor = focusAnchor < count - 1 ? focusAnchor + 1 : 0;
    else
        focusAnchor = focusAnchor <= 0 ? count - 1 : focusAnchor - 1;
    update();
}

void THTMLStaticText::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        moveFocusAnchor(false);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        moveFocusAnchor(true);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // Without anchors the owner still hears of the key, with an empty target.
        followAnchor(anchorState().focusedHref, OnAnchorKeypress);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void THTMLStaticText::focusInEvent(QFocusEvent*)
{
    if (focusAnchor < 0)
        focusAnchor = 0;
    update();
}

void THTMLStaticText::focusOutEvent(QFocusEvent*)
{
    update();
}

void THTMLStaticText::setHandCursor(bool on)
{
    handCursor = on;
    if (on)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

// The mouse came onto another anchor.
void THTMLStaticText::enterAnchor(const QString& anchor, const TRect& rect)
{
    lastAnchor = anchor;
    if (anchorHint)
        QToolTip::hideText();
    setHandCursor(true);
    if (OnAnchorEnter)
        OnAnchorEnter(this, anchor);
    if (hover)
        update();
    lastHoverAnchor = hoverAnchor;
    keptHoverRect = rect;
}

void THTMLStaticText::mouseMoveEvent(QMouseEvent* event)
{
    const TPoint p = toPoint(event->position());
    mousePos = p;
    TRect rect;
    const QString anchor = IsAnchor(p.X, p.Y, rect);
    if (!anchor.isEmpty()) {
        // The mouse takes over from the keyboard's focus.
        if (focusAnchor != -1) {
            focusAnchor = -1;
            update();
        }
        if (hover && (anchor != lastAnchor || rect != keptHoverRect || lastHoverAnchor != hoverAnchor))
            update();
        if (!handCursor || anchor != lastAnchor)
            enterAnchor(anchor, rect);
    } else if (handCursor) {
        setHandCursor(false);
        focusAnchor = -1;
        if (hover)
            update();
        hoverAnchor = -1;
        if (OnAnchorExit)
            OnAnchorExit(this, QString());
    }
    QWidget::mouseMoveEvent(event);
}

void THTMLStaticText::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    buttonDown = true;
    const TPoint p = toPoint(event->position());
    mousePos = p;
    if (miniScroll)
        scrollAtArrow(currentLayout(), p);
    TRect rect;
    const QString anchor = IsAnchor(p.X, p.Y, rect);
    if (!anchor.isEmpty())
        followAnchor(anchor, OnAnchorClick);
}

void THTMLStaticText::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    buttonDown = false;
}

void THTMLStaticText::enterEvent(QEnterEvent* event)
{
    const TPoint p = toPoint(event->position());
    mousePos = p;
    TRect rect;
    const QString anchor = IsAnchor(p.X, p.Y, rect);
    if (!anchor.isEmpty() && (!handCursor || anchor != lastAnchor))
        enterAnchor(anchor, rect);
    QWidget::enterEvent(event);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void THTMLStaticText::leaveEvent(QEvent* event)
{
    mousePos.reset();
    if (hoverAnchor >= 0) {
        hoverAnchor = -1;
        if (hover)
            update();
    }
    QWidget::leaveEvent(event);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

bool THTMLStaticText::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && anchorHint) {
        showHint(static_cast<QHelpEvent*>(event));
        return true;
    }
    return QWidget::event(event);
}

// The anchor under the mouse as hint, beside the mouse; elsewhere the control's own hint.
void THTMLStaticText::showHint(QHelpEvent* event)
{
    TRect rect;
    const QString anchor = IsAnchor(event->pos().x(), event->pos().y(), rect);
    if (!anchor.isEmpty())
        QToolTip::showText(event->globalPos() + QPoint(hintOffset, -hintOffset), anchor, this);
    else if (!toolTip().isEmpty())
        QToolTip::showText(event->globalPos(), toolTip(), this);
    else
        QToolTip::hideText();
}
