#include "AdvOfficeButtons.h"

#include "Graphics.h"
#include "HTMLText.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The dotted focus frame: every other pixel set, each line starting on a set pixel and leaving out its end point.
void alternateLine(QPainter& painter, QPoint from, const QPoint& to)
{
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()), (to.y() > from.y()) - (to.y() < from.y()));
    for (int i = 0; from != to; from += step, ++i) {
        if (i % 2 == 0)
            painter.drawPoint(from);
    }
}

void drawFocusFrame(TCanvas& canvas, const TRect& r)
{
    QPainter& painter = canvas.Painter();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 0));
    alternateLine(painter, {r.Left, r.Top}, {r.Right, r.Top});
    alternateLine(painter, {r.Right, r.Top}, {r.Right, r.Bottom});
    alternateLine(painter, {r.Right, r.Bottom}, {r.Left, r.Bottom});
    alternateLine(painter, {r.Left, r.Top}, {r.Left, r.Bottom});
    painter.restore();
}

bool inside(const QWidget* widget, const QPoint& p)
{
    return p.x() >= 0 && p.x() <= widget->width() && p.y() >= 0 && p.y() <= widget->height();
}

// Focus that comes and goes with the window's activation is not the user entering or leaving the control.
bool isWindowActivation(const QFocusEvent* event)
{
    return event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
}

} // namespace

// ---------------------------------------------------------------------------------------------------------------
// OfficeButtonBase

OfficeButtonBase::OfficeButtonBase(QWidget* Owner, int width)
    : QWidget(Owner), pictureCache(std::make_unique<THTMLPictureCache>()), savedCursor(Qt::ArrowCursor)
{
    resize(width, 20);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setFont(font.ToQFont());
}

OfficeButtonBase::~OfficeButtonBase() = default;

void OfficeButtonBase::SetCaption(const QString& Value)
{
    caption = Value;
    setAccessibleName(MarkupToPlainText(Value));
    if (shortcutId != 0)
        releaseShortcut(shortcutId);
    const QKeySequence accelerator = QKeySequence::mnemonic(Value);
    shortcutId = accelerator.isEmpty() ? 0 : grabShortcut(accelerator);
    update();
}

void OfficeButtonBase::SetFont(const TFont& Value)
{
    font = Value;
    setFont(font.ToQFont());
    update();
}

void OfficeButtonBase::SetTabStop(bool Value)
{
    // Focus by mouse is taken in the press handler, after the control has seen whether it had the focus already.
    setFocusPolicy(Value ? Qt::TabFocus : Qt::NoFocus);
}

void OfficeButtonBase::SetImages(TImageList* Value)
{
    images = Value;
    update();
}

void OfficeButtonBase::SetPictureContainer(TPictureContainer* Value)
{
    pictureContainer = Value;
    update();
}

void OfficeButtonBase::SetURLColor(TColor Value)
{
    if (Value == urlColor)
        return;
    urlColor = Value;
    update();
}

void OfficeButtonBase::SetButtonVertAlign(TTextLayout Value)
{
    if (Value == buttonVertAlign)
        return;
    buttonVertAlign = Value;
    update();
}

void OfficeButtonBase::SetAlignment(TLeftRight Value)
{
    if (Value == alignment)
        return;
    alignment = Value;
    update();
}

void OfficeButtonBase::SetEllipsis(bool Value)
{
    if (Value == ellipsis)
        return;
    ellipsis = Value;
    update();
}

void OfficeButtonBase::SetShadowColor(TColor Value)
{
    if (Value == shadowColor)
        return;
    shadowColor = Value;
    update();
}

void OfficeButtonBase::SetShadowOffset(int Value)
{
    if (Value == shadowOffset)
        return;
    shadowOffset = Value;
    update();
}

void OfficeButtonBase::Loaded()
{
    savedCursor = cursor();
}

bool OfficeButtonBase::isRightAligned() const
{
    return alignment == taRightJustify || layoutDirection() == Qt::RightToLeft;
}

void OfficeButtonBase::updateGlyphStrip(int stripWidth)
{
    update(isRightAligned() ? QRect(width() - stripWidth, 0, stripWidth, height()) : QRect(0, 0, stripWidth, height()));
}

OfficeButtonBase::MarkupResult OfficeButtonBase::renderCaption(TCanvas& canvas, const TRect& rect, int x, int y,
                                                               bool hitTest, bool measureOnly, TColor linkColor)
{
    MarkupResult result;
    QString plainText;
    QString focusedHref;
    int anchorCount = 0;
    int anchorNumber = -1;
    TRect hoverRect;
    result.onAnchor = MarkupRender(&canvas, caption, rect, images, x, y, -1, -1, shadowOffset, hitTest, measureOnly,
                                   false, false, false, false, !ellipsis, 1.0, linkColor, clNone, clNone, shadowColor,
                                   result.anchor, plainText, focusedHref, result.width, result.height, anchorCount,
                                   anchorNumber, hoverRect, pictureCache.get(), pictureContainer, 0);
    return result;
}

QString OfficeButtonBase::IsAnchor(int X, int Y)
{
    TCanvas canvas;
    canvas.Font = font;
    // The hit test starts a pixel further right than the painted caption of the check box, as it always did.
    TRect r = FromQRect(rect());
    r.Left += 17;
    r.Top += 4;
    const MarkupResult hit = renderCaption(canvas, r, X, Y, true, false, urlColor);
    return hit.onAnchor ? hit.anchor : QString();
}

void OfficeButtonBase::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    canvas.Font = font;
    drawGlyph(canvas);
    drawCaption(canvas);
}

void OfficeButtonBase::drawGlyph(TCanvas& canvas)
{
    TBitmap glyph;
    glyph.SetImage(QImage(QStringLiteral(":/glyphs/%1.bmp").arg(glyphName(down, hot))));
    glyph.SetTransparentMode(tmAuto);
    glyph.SetTransparent(true);
    const int x = isRightAligned() ? width() - glyph.GetWidth() - 1 : 0;
    int y = 4;
    if (buttonVertAlign == tlCenter)
        y = height() / 2 - glyph.GetHeight() / 2;
    else if (buttonVertAlign == tlBottom)
        y = bottomGlyphTop(glyph.GetHeight());
    canvas.Draw(x, y, &glyph);
}

void OfficeButtonBase::drawCaption(TCanvas& canvas)
{
    TRect r = FromQRect(rect());
    if (isRightAligned()) {
        r.Left = 0;
        r.Right -= captionIndent();
    } else {
        r.Left += captionIndent();
    }
    r.Top += 4;
    const MarkupResult size = renderCaption(canvas, r, 0, 0, true, false, urlColor);
    if (layoutDirection() == Qt::RightToLeft)
        r.Left = r.Right - size.width - 3;
    placeCaption(canvas, r);

    if (isEnabled()) {
        renderCaption(canvas, r, 0, 0, false, false, urlColor);
    } else {
        // Embossed: white one pixel down and right, grey on top.
        const TRect shifted = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
        canvas.Font.Color = clWhite;
        renderCaption(canvas, shifted, 0, 0, false, false, clWhite);
        canvas.Font.Color = clGray;
        renderCaption(canvas, r, 0, 0, false, false, clGray);
    }
    if (focusFlag)
        drawFocusFrame(canvas, Rect(r.Left, r.Top, r.Left + size.width + 3, r.Top + size.height));
}

bool OfficeButtonBase::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        if (isEnabled() && isVisible())
            acceleratorPressed();
        return true;
    }
    return QWidget::event(event);
}

void OfficeButtonBase::mousePressEvent(QMouseEvent* event)
{
    // Only the left button toggles: the right one belongs to the pop-up menu.
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    takeFocusForPress();
    pressed = true;
    const QPoint p = event->position().toPoint();
    QString anchor;
    if (focusFlag) {
        anchor = IsAnchor(p.x(), p.y());
        if (!anchor.isEmpty())
            followAnchor(this, anchor, OnAnchorClick);
    } else {
        // Links react only once the control has the focus: the first click focuses.
        setFocus(Qt::MouseFocusReason);
        focusFlag = true;
    }
    if (anchor.isEmpty()) {
        if (OnMouseDown)
            OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
        captured = true;
        down = true;
    }
    updateGlyphStrip(16);
}

void OfficeButtonBase::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (captured)
        down = inside(this, p);
    trackAnchor(focusFlag ? IsAnchor(p.x(), p.y()) : QString());
    if (OnMouseMove)
        OnMouseMove(this, event->modifiers(), p.x(), p.y());
}

void OfficeButtonBase::trackAnchor(const QString& anchor)
{
    if (!anchor.isEmpty()) {
        if (cursor().shape() == Qt::ArrowCursor || anchor != lastAnchor) {
            lastAnchor = anchor;
            setCursor(Qt::PointingHandCursor);
            if (OnAnchorEnter)
                OnAnchorEnter(this, anchor);
        }
    } else if (cursor().shape() == Qt::PointingHandCursor) {
        setCursor(savedCursor);
        if (OnAnchorExit)
            OnAnchorExit(this, QString());
    }
}

void OfficeButtonBase::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    captured = false;
    down = false;
    const QPoint p = event->position().toPoint();
    mouseReleased(inside(this, p));
    if (OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(), p.x(), p.y());
    afterMouseUp();
    updateGlyphStrip(16);
    pressed = false;
}

void OfficeButtonBase::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    bool handled = false;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && returnIsTab) {
        key = Qt::Key_Tab;
        focusNextChild();
        handled = true;
    } else if (key == Qt::Key_Space) {
        down = true;
        handled = true;
    }
    KeyDown(key, event->modifiers());
    if (!event->text().isEmpty()) {
        QChar character = event->text().front();
        KeyPress(character);
    }
    if (handled)
        event->accept();
    else
        event->ignore();
}

void OfficeButtonBase::KeyDown(int& Key, Qt::KeyboardModifiers Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void OfficeButtonBase::KeyPress(QChar& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void OfficeButtonBase::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space || event->isAutoRepeat()) {
        event->ignore();
        return;
    }
    down = false;
    spaceReleased();
    update();
}

void OfficeButtonBase::focusInEvent(QFocusEvent* event)
{
    if (isWindowActivation(event) && focusFlag)
        return;
    if (OnEnter)
        OnEnter(this);
    focusFlag = true;
    entered();
    repaint();
}

void OfficeButtonBase::focusOutEvent(QFocusEvent* event)
{
    if (isWindowActivation(event))
        return;
    if (OnExit)
        OnExit(this);
    focusFlag = false;
    repaint();
}

void OfficeButtonBase::enterEvent(QEnterEvent* event)
{
    hot = true;
    updateGlyphStrip(20);
    QWidget::enterEvent(event);
}

void OfficeButtonBase::leaveEvent(QEvent* event)
{
    hot = false;
    updateGlyphStrip(20);
    QWidget::leaveEvent(event);
}

void OfficeButtonBase::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

// ---------------------------------------------------------------------------------------------------------------
// TCustomAdvOfficeCheckBox

TCustomAdvOfficeCheckBox::TCustomAdvOfficeCheckBox(QWidget* Owner) : OfficeButtonBase(Owner, 120)
{
    SetCaption(QStringLiteral("TCustomAdvOfficeCheckBox"));
}

void TCustomAdvOfficeCheckBox::SetState(TCheckBoxState Value)
{
    if (Value == state)
        return;
    state = Value;
    if (parentWidget())
        updateGlyphStrip(20);
}

bool TCustomAdvOfficeCheckBox::GetChecked() const
{
    return state == cbChecked;
}

void TCustomAdvOfficeCheckBox::SetChecked(bool Value)
{
    SetState(Value ? cbChecked : cbUnchecked);
    update();
}

void TCustomAdvOfficeCheckBox::Toggle()
{
    if (!readOnly)
        SetChecked(!GetChecked());
}

void TCustomAdvOfficeCheckBox::Click()
{
    if (OnClick)
        OnClick(this);
}

QString TCustomAdvOfficeCheckBox::glyphName(bool pressed, bool hot) const
{
    const QString base = state == cbChecked ? QStringLiteral("QRBOFCC") : QStringLiteral("QRBOFCU");
    return base + (pressed ? QStringLiteral("D") : hot ? QStringLiteral("H") : QString());
}

int TCustomAdvOfficeCheckBox::bottomGlyphTop(int glyphHeight) const
{
    return height() - glyphHeight;
}

void TCustomAdvOfficeCheckBox::mouseReleased(bool inside)
{
    if (inside && hasFocusFlag() && isPressed()) {
        Toggle();
        Click();
    }
}

void TCustomAdvOfficeCheckBox::spaceReleased()
{
    Toggle();
    Click();
}

void TCustomAdvOfficeCheckBox::acceleratorPressed()
{
    Toggle();
    if (OnClick)
        OnClick(this);
    if (GetTabStop())
        setFocus(Qt::ShortcutFocusReason);
}

TAdvOfficeCheckBox::TAdvOfficeCheckBox(QWidget* Owner) : TCustomAdvOfficeCheckBox(Owner)
{
    SetCaption(QStringLiteral("TAdvOfficeCheckBox"));
}

// ---------------------------------------------------------------------------------------------------------------
// TAdvOfficeRadioButton

TAdvOfficeRadioButton::TAdvOfficeRadioButton(QWidget* Owner) : OfficeButtonBase(Owner, 135)
{
    SetCaption(QStringLiteral("TAdvOfficeRadioButton"));
}

void TAdvOfficeRadioButton::SetChecked(bool Value)
{
    if (Value == checked)
        return;
    SetTabStop(Value);
    checked = Value;
    if (Value) {
        TurnSiblingsOff();
        if (!focusingClick)
            DoClick();
    }
    if (parentWidget())
        updateGlyphStrip(16);
}

void TAdvOfficeRadioButton::DoClick()
{
    if (OnClick)
        OnClick(this);
}

void TAdvOfficeRadioButton::TurnSiblingsOff()
{
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    for (QObject* child : parent->children()) {
        auto* sibling = qobject_cast<TAdvOfficeRadioButton*>(child);
        if (sibling && sibling != this && sibling->groupIndex == groupIndex)
            sibling->SetChecked(false);
    }
}

QString TAdvOfficeRadioButton::glyphName(bool pressed, bool hot) const
{
    const QString base = checked ? QStringLiteral("QRBOFRC") : QStringLiteral("QRBOFRU");
    return base + (pressed ? QStringLiteral("D") : hot ? QStringLiteral("H") : QString());
}

int TAdvOfficeRadioButton::bottomGlyphTop(int glyphHeight) const
{
    return height() - glyphHeight - 2;
}

void TAdvOfficeRadioButton::placeCaption(TCanvas& canvas, TRect& rect)
{
    // The caption follows a glyph that is not at the top.
    if (GetButtonVertAlign() == tlTop)
        return;
    const int h = renderCaption(canvas, rect, 0, 0, false, true, GetURLColor()).height;
    if (GetButtonVertAlign() == tlCenter)
        rect.Top = rect.Top - 3 + (rect.Bottom - rect.Top - h) / 2;
    else
        rect.Top = rect.Bottom - h - 3;
}

void TAdvOfficeRadioButton::takeFocusForPress()
{
    // Entering checks the button; the click itself is reported once, on the release.
    focusingClick = true;
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    focusingClick = false;
}

void TAdvOfficeRadioButton::entered()
{
    SetChecked(true);
}

void TAdvOfficeRadioButton::mouseReleased(bool inside)
{
    if (inside && !checked && isPressed())
        SetChecked(true);
}

void TAdvOfficeRadioButton::afterMouseUp()
{
    DoClick();
}

void TAdvOfficeRadioButton::spaceReleased()
{
    if (!checked)
        SetChecked(true);
}

void TAdvOfficeRadioButton::acceleratorPressed()
{
    SetChecked(true);
    if (GetTabStop())
        setFocus(Qt::ShortcutFocusReason);
}
