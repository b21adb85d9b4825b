// How the glow button answers the pointer and the keyboard: the hover and press fades, pressing and releasing with
// the drop-down part, check buttons and groups, auto-repeat, Return and Esc of the window, the accelerator.
#include "AdvGlowButton.h"

#include "Forms.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int fadeStep = 20;      // percent of a fade per tick
constexpr int dropDownPress = 13; // a press beyond this far from the right or bottom edge is on the drop-down part
constexpr int dropDownHover = 12; // the drop-down part looks hot beyond this far

bool isDialogKey(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape;
}

} // namespace

void TAdvCustomGlowButton::startFade()
{
    if (fadeTimer)
        return;
    fadeTimer = new QTimer(this);
    fadeTimer->setInterval(GlowSpeed);
    connect(fadeTimer, &QTimer::timeout, this, &TAdvCustomGlowButton::FadeTick);
    fadeTimer->start();
}

void TAdvCustomGlowButton::FadeTick()
{
    int* step = glowState == gsHover ? &hoverStep : glowState == gsPush ? &pressStep : nullptr;
    if (!step)
        return;
    *step += stepDelta;
    const bool ended = (stepDelta > 0 && *step > 100) || (stepDelta < 0 && *step < 0);
    if (!ended) {
        update();
        return;
    }
    *step = std::clamp(*step, 0, 100);
    if (glowState == gsPush && stepDelta < 0)
        pressed = resumePressed = false;
    glowState = gsNone;
    // The tick may come from this very timer: it goes once the tick is over.
    fadeTimer->stop();
    fadeTimer->deleteLater();
    fadeTimer = nullptr;
}

void TAdvCustomGlowButton::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
    if (mouseInControl)
        return;
    hot = true;
    if (resumePressed)
        pressed = true;
    startFade();
    if (!pressed && glowState != gsPush) {
        stepDelta = fadeStep;
        glowState = gsHover;
    }
    update();
    hover = mouseInControl = true;
}

void TAdvCustomGlowButton::MouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
    if (!mouseInControl)
        return;
    mouseInControl = hover = hot = dropPartHot = false;
    if (pressed && leftButtonHeld) {
        // Pressed again when the pointer comes back while still held.
        resumePressed = true;
    } else {
        hoverStep = 100;
    }
    pressed = false;
    stepDelta = -fadeStep;
    glowState = gsHover;
    update();
    startFade();
}

void TAdvCustomGlowButton::enterEvent(QEnterEvent*)
{
    MouseEnter();
}

void TAdvCustomGlowButton::leaveEvent(QEvent*)
{
    MouseLeave();
}

// A check button turns over; the face looks pressed unless it is a grouped button that is down already.
void TAdvCustomGlowButton::pressFace()
{
    if (style == bsCheck)
        SetDown(!down);
    if (!down || style == bsCheck) {
        state = absDown;
        update();
    }
}

bool TAdvCustomGlowButton::inDropDownPress(const QPoint& point) const
{
    return dropDownPosition == dpRight ? point.x() > width() - dropDownPress : point.y() > height() - dropDownPress;
}

bool TAdvCustomGlowButton::inside(const QPoint& point) const
{
    return point.x() >= 0 && point.x() < width() && point.y() >= 0 && point.y() <= height();
}

void TAdvCustomGlowButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pendingClick = true;
    if (repeatClick) {
        if (!repeatTimer) {
            repeatTimer = new QTimer(this);
            connect(repeatTimer, &QTimer::timeout, this, &TAdvCustomGlowButton::TimerExpired);
        }
        repeatTimer->setInterval(initRepeatPause);
        repeatTimer->start();
    }
    pressed = true;
    leftButtonHeld = true;
    if (GetTabStop())
        setFocus(Qt::MouseFocusReason);
    startFade();
    stepDelta = fadeStep;
    glowState = gsPush;

    const bool dropDownRoute = (!dropDownButton && IsMenuButton()) ||
                               (dropDownButton && inDropDownPress(event->position().toPoint()) && dropDownSplit) ||
                               (dropDownButton && !dropDownSplit && style == bsButton && groupIndex <= 0);
    if (dropDownRoute) {
        hover = false;
        PopupBtnDown();
        if (dropDownMenu) {
            pressed = hot = false;
            droppedDown = true;
            mouseInControl = true;
            repaint();
            showMenu();
            droppedDown = false;
            if (!rect().contains(mapFromGlobal(QCursor::pos())))
                mouseInControl = hover = hot = dropPartHot = false;
            repaint();
        }
        update();
        return;
    }
    pressFace();
    pressedOnFace = true;
}

void TAdvCustomGlowButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const bool overDropPart = dropDownButton && (dropDownPosition == dpRight ? point.x() > width() - dropDownHover
                                                                             : point.y() > height() - dropDownHover);
    if (overDropPart != dropPartHot) {
        dropPartHot = overDropPart;
        update();
    }
    if (pressedOnFace) {
        TAdvButtonState newState = down ? absExclusive : absUp;
        if (inside(point))
            newState = down ? absExclusive : absDown;
        if (style == bsCheck && down)
            newState = absDown;
        if (newState != state) {
            state = newState;
            update();
        }
    } else if (!hover) {
        UpdateTracking();
    }
}

void TAdvCustomGlowButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    stepDelta = -fadeStep;
    glowState = gsPush;
    leftButtonHeld = resumePressed = false;
    startFade();
    const bool over = inside(event->position().toPoint());
    if (repeatTimer)
        repeatTimer->stop();
    // The press becomes a click when the button is let go over it.
    const bool clicked = pendingClick && over;
    pendingClick = false;
    bool clickedFirst = false;
    if ((dropDownButton || !IsMenuButton()) && pressedOnFace) {
        pressedOnFace = false;
        if (groupIndex != 0) {
            // An action in step with the button turns it down or up when the click runs it.
            if (actionKeepsDown()) {
                if (clicked)
                    Click();
                return;
            }
            if (over)
                SetDown(!down);
            else if (down)
                state = absExclusive;
            update();
        } else {
            state = absUp;
            hover = false;
            if (style == bsCheck && GetAction()) {
                // The action runs first; when it decides about Down, the button leaves Down to it.
                clickedFirst = true;
                if (clicked)
                    Click();
                const auto* action = qobject_cast<TAction*>(GetAction());
                if (actionKeepsDown() || (action && action->GetAutoCheck()))
                    return;
            }
            if (style == bsCheck && !over && down)
                SetDown(false);
            update();
        }
        UpdateTracking();
    }
    update();
    if (clicked && !clickedFirst)
        Click();
}

void TAdvCustomGlowButton::TimerExpired()
{
    repeatTimer->setInterval(repeatPause);
    if (!pressed || !leftButtonHeld)
        return;
    try {
        Click();
    } catch (...) {
        repeatTimer->stop();
        throw;
    }
}

void TAdvCustomGlowButton::UpdateTracking()
{
    if (!isEnabled())
        return;
    const bool notOver = QApplication::widgetAt(QCursor::pos()) != this;
    if (notOver == hover)
        return;
    hover = notOver;
    if (notOver)
        MouseLeave();
    else
        MouseEnter();
}

void TAdvCustomGlowButton::Click()
{
    if (TForm* form = GetParentForm(this))
        form->SetModalResult(modalResult);
    if (OnInternalClick)
        OnInternalClick(this);
    if (OnClick)
        OnClick(this);
    else
        ExecuteAction();
}

void TAdvCustomGlowButton::InternalClick()
{
    const bool menuClick = (!dropDownButton && IsMenuButton()) ||
                           (dropDownButton && style == bsButton && groupIndex <= 0 && !dropDownSplit);
    if (menuClick) {
        if (dropDownMenu)
            DoDropDown();
        else
            Click();
        return;
    }
    pressFace();
    Click();
}

void TAdvCustomGlowButton::PopupBtnDown()
{
    if (OnDropDown)
        OnDropDown(this);
}

QPoint TAdvCustomGlowButton::menuPoint() const
{
    return dropDownDirection == ddDown ? QPoint(x(), y() + height()) : QPoint(x() + width(), y());
}

void TAdvCustomGlowButton::showMenu()
{
    const QPoint local = menuPoint();
    dropDownMenu->exec(parentWidget() ? parentWidget()->mapToGlobal(local) : local);
}

void TAdvCustomGlowButton::DoDropDown()
{
    if (!IsMenuButton() && !dropDownMenu)
        return;
    if (dropDownMenu) {
        state = absDown;
        if (OnDropDown)
            OnDropDown(this);
        repaint();
        showMenu();
        state = absUp;
        repaint();
    }
    update();
}

void TAdvCustomGlowButton::keyPressEvent(QKeyEvent* event)
{
    // Return and Esc belong to the window, which has its default and cancel buttons click.
    if (isDialogKey(event)) {
        event->ignore();
        return;
    }
    const int key = event->key();
    if (key == Qt::Key_Space) {
        pressed = true;
        state = absDown;
        update();
    } else if (key == Qt::Key_F4) {
        DoDropDown();
    }
    if (OnInternalKeyDown) {
        int internalKey = key;
        OnInternalKeyDown(this, internalKey, event->modifiers());
    } else if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) {
        event->ignore();
        return;
    }
    if (key == Qt::Key_Space) {
        if (TForm* form = GetParentForm(this))
            form->SetModalResult(modalResult);
        if (OnClick)
            OnClick(this);
    }
}

void TAdvCustomGlowButton::keyReleaseEvent(QKeyEvent* event)
{
    if (isDialogKey(event)) {
        event->ignore();
        return;
    }
    pressed = false;
    state = absUp;
    update();
}

void TAdvCustomGlowButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
    focused = true;
}

void TAdvCustomGlowButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    pressed = false;
    state = absUp;
    focused = false;
    update();
}

void TAdvCustomGlowButton::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Return and Esc reach the window when no control took them; the button watches for them there.
    if (keyWindow == window())
        return;
    if (keyWindow)
        keyWindow->removeEventFilter(this);
    keyWindow = window();
    if (keyWindow != this)
        keyWindow->installEventFilter(this);
}

bool TAdvCustomGlowButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == keyWindow && event->type() == QEvent::KeyPress && dialogKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool TAdvCustomGlowButton::dialogKey(QKeyEvent* key)
{
    if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
        return false;
    // The focused glow button answers Return; with the focus elsewhere, the default one.
    auto* focusedButton = qobject_cast<TAdvCustomGlowButton*>(QApplication::focusWidget());
    const bool defaultActive = focusedButton ? focusedButton == this : isDefault;
    const bool returnKey = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool clicks = (returnKey && defaultActive) || (key->key() == Qt::Key_Escape && cancel);
    if (!clicks || !canFocus())
        return false;
    InternalClick();
    state = absUp;
    update();
    return true;
}

bool TAdvCustomGlowButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(event)->shortcutId() == accelerator) {
        dialogChar();
        return true;
    }
    return QWidget::event(event);
}

void TAdvCustomGlowButton::dialogChar()
{
    if (!canFocus())
        return;
    if (IsMenuButton() || dropDownMenu)
        DoDropDown();
    else
        Click();
}
