// The panel collapsing to its caption bar and expanding again, the clicks on the caption bar and its buttons,
// moving the panel by its caption bar and sizing it at its right and bottom edges, and sizing it to its text.
#include "AdvPanel.h"

#include "AdvPanelGroup.h"

#include <QEventLoop>
#include <QMouseEvent>
#include <QTimer>

namespace {

// The band along the right and bottom edges in which a press sizes the panel.
constexpr int sizingFrame = 4;
// An edge moved this far out never limits the text.
constexpr int unlimited = 65535;

// Lets timers, paints and posted work run for a while, but no key or mouse input.
void waitWithoutInput(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(qMax(0, milliseconds), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

void TAutoSize::SetEnabled(bool Value)
{
    enabled = Value;
    if (Value)
        owner->DoAutoSize();
}

void TAutoSize::Assign(const TAutoSize& Source)
{
    SetEnabled(Source.enabled);
    height = Source.height;
    width = Source.width;
}

void TCustomAdvPanel::SetHeight(int Value)
{
    resize(width(), Value);
    if (!collaps && !collapsBusy && captionAtTop())
        fullHeight = Value;
}

void TCustomAdvPanel::SetWidth(int Value)
{
    resize(Value, height());
    if (!collaps && !collapsBusy && !captionAtTop())
        fullHeight = Value;
}

void TCustomAdvPanel::Synchronize()
{
    if (auto* group = qobject_cast<TAdvPanelGroup*>(parentWidget()))
        group->ChildPanelChanged(this);
}

void TCustomAdvPanel::ShowHideChildren(bool Show)
{
    for (QObject* object : children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow())
            continue;
        if (Show) {
            if (!hiddenBefore.contains(child))
                child->show();
        } else {
            if (child->isHidden())
                hiddenBefore.append(child);
            child->hide();
        }
    }
    if (Show)
        hiddenBefore.clear();
}

// A second call while the animation runs only reports itself through OnMinimize or OnMaximize.
void TCustomAdvPanel::SetCollaps(bool Value)
{
    if (collaps && !Value && OnMaximize)
        OnMaximize(this);
    if (!collaps && Value && OnMinimize)
        OnMinimize(this);
    if (collapsBusy)
        return;
    if (Value != collaps) {
        const QPointer<TCustomAdvPanel> self(this);
        collapsBusy = true;
        collaps = Value;
        if (Value)
            collapse();
        else
            expand();
        if (!self)
            return;
        Synchronize();
        collapsBusy = false;
    }
    StateChange();
    if (OnEndCollapsExpand)
        OnEndCollapsExpand(this);
}

// Repaints, tells the group, and waits; the panel may be destroyed by what runs meanwhile.
bool TCustomAdvPanel::animationStep()
{
    const QPointer<TCustomAdvPanel> self(this);
    repaint();
    Synchronize();
    waitWithoutInput(collapsDelay);
    return !self.isNull();
}

void TCustomAdvPanel::collapse()
{
    const int shadowRoom = borderWidth > 0 && borderShadow ? borderWidth + 4 : 0;
    const int ch = caption.GetHeight();
    const int sbh = statusBar.GetVisible() ? statusBar.GetHeight() : 0;
    const bool top = captionAtTop();
    fullHeight = top ? height() : width();
    if (autoHideChildren)
        ShowHideChildren(false);
    savedColor = color;
    if (collapsSteps > 0) {
        SetColor(collapsColor);
        collapsColorShown = true;
        const int step =
            top ? (height() - ch - sbh - 2 * borderWidth) / collapsSteps : (width() - ch - sbh) / collapsSteps;
        for (int i = 0; i < collapsSteps; ++i) {
            if (top)
                resize(width(), height() - step);
            else
                resize(width() - step, height());
            if (!animationStep())
                return;
        }
    }
    if (top)
        resize(width(), ch + sbh - 2 + shadowRoom);
    else
        resize(ch + sbh + shadowRoom, height());
}

void TCustomAdvPanel::expand()
{
    const int ch = caption.GetHeight();
    const int sbh = statusBar.GetVisible() ? statusBar.GetHeight() : 0;
    const bool top = captionAtTop();
    if (collapsColorShown) {
        collapsColorShown = false;
        SetColor(savedColor);
    }
    if (collapsSteps > 0) {
        const int step = (fullHeight - ch - sbh) / collapsSteps;
        for (int i = 0; i < collapsSteps; ++i) {
            if (top)
                resize(width(), height() + step);
            else
                resize(width() + step, height());
            if (!animationStep())
                return;
        }
    }
    if (top)
        resize(width(), fullHeight);
    else
        resize(fullHeight, height());
    if (autoHideChildren)
        ShowHideChildren(true);
}

// The part of the bar a click counts on; the close button's place is left out.
TRect TCustomAdvPanel::captionBarArea() const
{
    const TRect cr = clientPastCloseButton();
    if (captionAtTop())
        return Rect(cr.Left, cr.Top, cr.Right - 2, cr.Top + caption.GetHeight());
    return Rect(cr.Left, cr.Top, cr.Left + caption.GetHeight(), cr.Bottom);
}

// The close button hides the panel (and with FreeOnClose destroys it once the click is handled); the min/max
// button, or with MinMaxCaption the bar, collapses or expands it, once per click.
void TCustomAdvPanel::captionMouseUp(TPoint p)
{
    bool toggle = caption.GetMinMaxCaption();
    if (caption.GetCloseButton() && closeButtonBox().Contains(p)) {
        const QPointer<TCustomAdvPanel> self(this);
        hide();
        if (OnClose)
            OnClose(this);
        if (!self)
            return;
        Synchronize();
        if (freeOnClose)
            deleteLater();
        return;
    }
    const QPointer<TCustomAdvPanel> self(this);
    if (caption.GetMinMaxButton() && minMaxButtonBox().Contains(p)) {
        toggle = false;
        SetCollaps(!collaps);
        if (!self)
            return;
    }
    if (!captionBarArea().Contains(p))
        return;
    if (toggle) {
        SetCollaps(!collaps);
        if (!self)
            return;
    }
    if (OnCaptionClick)
        OnCaptionClick(this);
}

void TCustomAdvPanel::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    const bool dragged = drag.moved;
    if (drag.kind != Drag::None)
        endDrag();
    if (!dragged && caption.GetVisible()) {
        const QPoint p = event->position().toPoint();
        captionMouseUp(TPoint{p.x(), p.y()});
    }
}

void TCustomAdvPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    QWidget::mouseDoubleClickEvent(event);
    const QPoint p = event->position().toPoint();
    if (caption.GetVisible() && captionBarArea().Contains(TPoint{p.x(), p.y()}) && OnCaptionDBlClick)
        OnCaptionDBlClick(this);
}

// The bar outside its buttons and links moves the panel; the frame at the right and bottom edges sizes it.
TCustomAdvPanel::Drag TCustomAdvPanel::dragAt(TPoint p)
{
    if (caption.GetVisible() && canMove) {
        const int buttons = (caption.GetCloseButton() ? 1 : 0) + (caption.GetMinMaxButton() ? 1 : 0);
        const int room = buttons * captionButtonSize();
        const bool atStart = caption.GetButtonPosition() == cbpLeft;
        const int ch = caption.GetHeight();
        bool onBar;
        if (captionAtTop())
            onBar = p.Y < ch && (atStart ? room : 0) < p.X && p.X < width() - (atStart ? 0 : room);
        else
            onBar = p.X < ch && (atStart ? 0 : room) < p.Y && p.Y < height() - (atStart ? room : 0);
        TRect hoverRect;
        if (onBar && IsAnchor(p.X, p.Y, hoverRect).isEmpty())
            return Drag::Move;
    }
    if (!canSize || collaps)
        return Drag::None;
    if (!fixedHeight && !fixedWidth && p.Y > height() - sizingFrame - 2 && p.X > width() - sizingFrame - 2)
        return Drag::SizeBoth;
    if (!fixedHeight && p.Y > height() - sizingFrame)
        return Drag::SizeBottom;
    if (!fixedWidth && p.X > width() - sizingFrame)
        return Drag::SizeRight;
    return Drag::None;
}

void TCustomAdvPanel::startDrag(Drag kind, const QPointF& globalPos)
{
    drag = DragState{kind, globalPos, geometry(), false};
    raise();
    if (kind == Drag::Move && showMoveCursor)
        setCursor(Qt::SizeAllCursor);
}

// The Fixed options keep their edge or size whatever the mouse does.
void TCustomAdvPanel::dragTo(const QPointF& globalPos)
{
    const QPoint delta = (globalPos - drag.startMouse).toPoint();
    if (delta.isNull())
        return;
    drag.moved = true;
    const QRect start = drag.startGeometry;
    if (drag.kind == Drag::Move) {
        move(fixedLeft ? start.x() : start.x() + delta.x(), fixedTop ? start.y() : start.y() + delta.y());
        return;
    }
    const bool sizesWidth = drag.kind != Drag::SizeBottom && !fixedWidth;
    const bool sizesHeight = drag.kind != Drag::SizeRight && !fixedHeight;
    const int w = sizesWidth ? qMax(0, start.width() + delta.x()) : start.width();
    const int h = sizesHeight ? qMax(0, start.height() + delta.y()) : start.height();
    const bool widthChanged = w != width();
    resize(w, h);
    fullHeight = captionAtTop() ? h : w;
    if (widthChanged)
        ShadeHeader();
}

void TCustomAdvPanel::endDrag()
{
    const bool moveCursor = drag.kind == Drag::Move && showMoveCursor;
    drag = DragState{};
    if (moveCursor)
        setCursor(defaultCursor);
    if (OnEndMoveSize)
        OnEndMoveSize(this);
    Synchronize();
}

// Over the frame the pointer shows which way a press sizes; over the bar, with ShowMoveCursor, that it moves.
void TCustomAdvPanel::showDragCursor(TPoint p)
{
    Qt::CursorShape shape;
    switch (dragAt(p)) {
    case Drag::Move:
        if (!showMoveCursor)
            return;
        shape = Qt::SizeAllCursor;
        break;
    case Drag::SizeBoth:
        shape = Qt::SizeFDiagCursor;
        break;
    case Drag::SizeBottom:
        shape = Qt::SizeVerCursor;
        break;
    case Drag::SizeRight:
        shape = Qt::SizeHorCursor;
        break;
    default:
        if (dragCursorShown) {
            dragCursorShown = false;
            setCursor(defaultCursor);
        }
        return;
    }
    dragCursorShown = true;
    setCursor(shape);
}

// The size the text needs, with the bars and margins around it.
void TCustomAdvPanel::DoAutoSize()
{
    if (!autoSize.GetEnabled())
        return;
    const int bw = bevelWidth;
    const TRect room = Rect(0, 0, autoSize.GetWidth() ? unlimited : width() - 2 * bw,
                            autoSize.GetHeight() ? unlimited : height() - 2 * bw);
    TCanvas canvas;
    canvas.Font = font;
    const MarkupResult measured = renderMarkup(canvas, text, room, -1, -1, true, -1, shadowOffset, hover, true,
                                               urlColor, hoverColor, hoverFontColor, true);
    const int xs = measured.width + 2 * borderWidth;
    const int ys = measured.height + 2 * borderWidth;
    const bool top = captionAtTop();
    const int ch = caption.GetVisible() ? caption.GetHeight() : 0;
    const int sbh = statusBar.GetVisible() ? statusBar.GetHeight() : 0;
    if (autoSize.GetWidth())
        SetWidth(xs + 2 * bw + indent + (top ? 0 : ch + sbh));
    if (autoSize.GetHeight()) {
        const int bothBars = caption.GetVisible() && statusBar.GetVisible() ? 2 * borderWidth : 0;
        SetHeight(ys + 2 * bw + topIndent + (top ? ch + sbh + bothBars : 0));
    }
    Synchronize();
}
