#include "StdCtrls.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// QLineEdit's own upper bound, which stands for "no limit".
constexpr int unlimitedLength = 32767;

void setColorRole(QWidget* widget, QPalette::ColorRole role, TColor color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, ToQColor(color));
    widget->setPalette(palette);
}

} // namespace

TCustomEdit::TCustomEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
    applyPalette();
}

void TCustomEdit::SetColor(TColor value)
{
    color = value;
    applyPalette();
}

void TCustomEdit::SetFontColor(TColor value)
{
    fontColor = value;
    applyPalette();
}

void TCustomEdit::applyPalette()
{
    QPalette palette = this->palette();
    const QColor base = color == clNone ? QColor(Qt::transparent) : ToQColor(color);
    palette.setColor(QPalette::Base, base);
    // A disabled edit keeps the system's grey text, as the toolkit's did.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Text, ToQColor(fontColor));
    palette.setColor(QPalette::Disabled, QPalette::Text, ToQColor(clGrayText));
    setPalette(palette);
}

void TCustomEdit::SetMaxLength(int value)
{
    maxTextLength = qMax(0, value);
    setMaxLength(maxTextLength > 0 ? maxTextLength : unlimitedLength);
}

void TCustomEdit::SetTextAlignment(TAlignment value)
{
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (value == taRightJustify)
        horizontal = Qt::AlignRight;
    else if (value == taCenter)
        horizontal = Qt::AlignHCenter;
    setAlignment(horizontal | Qt::AlignVCenter);
}

int TCustomEdit::GetSelStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

int TCustomEdit::GetSelLength() const
{
    return hasSelectedText() ? int(selectedText().size()) : 0;
}

void TCustomEdit::SetSelStart(int value)
{
    setCursorPosition(value);
}

void TCustomEdit::SetSelLength(int value)
{
    const int start = GetSelStart();
    if (value > 0)
        setSelection(start, value);
    else
        setCursorPosition(start);
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

bool TCustomEdit::DoKeyDown(QKeyEvent* event)
{
    if (!OnKeyDown)
        return true;
    int key = event->key();
    OnKeyDown(this, key, event->modifiers());
    return key != 0;
}

bool TCustomEdit::DoKeyPress(QChar& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
    return !key.isNull();
}

void TCustomEdit::TypeCharacter(QChar key)
{
    insert(QString(key));
}

void TCustomEdit::PostTab()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus())
                focusNextChild();
        },
        Qt::QueuedConnection);
}

void TCustomEdit::keyPressEvent(QKeyEvent* event)
{
    if (!DoKeyDown(event))
        return;
    const QString text = event->text();
    if (text.size() == 1 && text[0].isPrint() && !(event->modifiers() & Qt::ControlModifier)) {
        QChar key = text[0];
        if (!DoKeyPress(key))
            return;
        if (key != text[0]) {
            TypeCharacter(key);
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TCustomEdit::keyReleaseEvent(QKeyEvent* event)
{
    if (OnKeyUp) {
        int key = event->key();
        OnKeyUp(this, key, event->modifiers());
        if (key == 0)
            return;
    }
    QLineEdit::keyReleaseEvent(event);
}

bool TCustomEdit::isPopupFocusChange(const QFocusEvent* event)
{
    return event->reason() == Qt::PopupFocusReason;
}

void TCustomEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!isPopupFocusChange(event) && OnEnter)
        OnEnter(this);
}

void TCustomEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (!isPopupFocusChange(event) && OnExit)
        OnExit(this);
}

void TCustomEdit::mousePressEvent(QMouseEvent* event)
{
    clickPending = event->button() == Qt::LeftButton;
    QLineEdit::mousePressEvent(event);
}

void TCustomEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    const bool click =
        clickPending && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    clickPending = false;
    if (click && OnClick)
        OnClick(this);
}

void TCustomEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
}

TLabel::TLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
}

void TLabel::SetCaption(const QString& value)
{
    setText(value);
    adjustToText();
}

TFont TLabel::GetFont() const
{
    return TFont::FromQFont(font(), fontColor);
}

void TLabel::SetFont(const TFont& value)
{
    fontColor = value.Color;
    setFont(value.ToQFont());
    setColorRole(this, QPalette::WindowText, value.Color);
    adjustToText();
}

void TLabel::SetAutoSize(bool value)
{
    autoSize = value;
    adjustToText();
}

void TLabel::SetFocusControl(QWidget* value)
{
    setBuddy(value);
    adjustToText();
}

void TLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        adjustToText();
}

int TLabel::TextWidth() const
{
    QString shown = text();
    if (buddy()) {
        // Drop the accelerator marks as the label does when it draws: "&&" is one '&'.
        shown.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        shown.remove(u'&');
        shown.replace(u'\x01', u'&');
    }
    return fontMetrics().horizontalAdvance(shown);
}

void TLabel::adjustToText()
{
    if (autoSize)
        resize(qMax(TextWidth(), 0), fontMetrics().height());
}

void TLabel::mousePressEvent(QMouseEvent* event)
{
    clickPending = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    const bool click =
        clickPending && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    clickPending = false;
    if (click && OnClick)
        OnClick(this);
}

void TLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
}
