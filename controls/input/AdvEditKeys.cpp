// The edit's keyboard: the filter of typed characters by edit type, the keys that keep the caret out of the prefix
// and suffix, the lookup list's keys, Return-as-Tab and the Esc undo. Characters committed by an input method (Polish
// letters from dead keys or compose) take the same filter as typed ones.
#include "AdvEdit.h"

#include "AdvEditFormat.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QLocale>

namespace {

bool isDigit(QChar ch)
{
    return ch >= u'0' && ch <= u'9';
}

bool isAsciiLetter(QChar ch)
{
    return (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z');
}

bool isRangeSeparator(QChar ch)
{
    return ch == u',' || ch == u'-' || ch == u';';
}

bool isNumberType(TAdvEditType type)
{
    return type == etNumeric || type == etFloat || type == etMoney;
}

// Keys that only move the caret or the selection, and so are harmless while typing is off.
bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
        return true;
    default:
        return key >= Qt::Key_F1 && key <= Qt::Key_F35;
    }
}

bool isTypedCharacter(const QKeyEvent* event)
{
    const QString text = event->text();
    return !text.isEmpty() && text.front().isPrint() &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

} // namespace

void TAdvEdit::keyPressEvent(QKeyEvent* event)
{
    // The clipboard keys take the routes that ask the vetoes and filter what is pasted.
    if (event->matches(QKeySequence::Paste)) {
        PasteFromClipboard();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        CutToClipboard();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        CopyToClipboard();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        handleReturn(event);
        return;
    case Qt::Key_Escape:
        handleEscape(event);
        return;
    case Qt::Key_Backspace:
        if (handleBackspace(event))
            return;
        break;
    default:
        break;
    }
    if (!editable() && !isNavigationKey(event->key()) && !event->matches(QKeySequence::SelectAll))
        return;
    if (!handleKeyDown(event))
        return;
    if (isTypedCharacter(event)) {
        if (!DoKeyDown(event))
            return;
        const bool keypad = event->modifiers() & Qt::KeypadModifier;
        for (const QChar ch : event->text())
            typeCharacter(ch, keypad);
        return;
    }
    if (!DoKeyDown(event))
        return;
    // OnKeyDown has run: the line edit's own handling follows, not the base's, which would raise it again.
    QLineEdit::keyPressEvent(event);
    if (event->key() == Qt::Key_Delete && editType == etMoney)
        AutoSeparators();
    if (cursorPosition() < prefix.size() && !hasSelectedText())
        setCursorPosition(int(prefix.size()));
}

void TAdvEdit::handleReturn(QKeyEvent* event)
{
    if (lookupVisible()) {
        DoneLookup();
        return;
    }
    // Ctrl+Return types nothing into a one-line edit.
    if (event->modifiers() & Qt::ControlModifier)
        return;
    if (!DoKeyDown(event))
        return;
    QChar key(u'\r');
    DoKeyPress(key);
    if (returnIsTab) {
        PostTab();
        return;
    }
    // The window's default button takes it.
    event->ignore();
}

void TAdvEdit::handleEscape(QKeyEvent* event)
{
    if (!DoKeyDown(event))
        return;
    if (SkipNextSpecialKey) {
        SkipNextSpecialKey = false;
        event->ignore();
        return;
    }
    const TForm* form = GetParentForm(this);
    if (canUndo && !(form && form->GetKeyPreview())) {
        SetText(valueAtFocus);
        if (focusFontColor != clNone)
            setFontColorShown(focusFontColor);
        SelectAll();
        SetModified(false);
    }
    // The window's cancel button takes it as well.
    event->ignore();
}

bool TAdvEdit::handleBackspace(QKeyEvent* event)
{
    if (!editable())
        return true;
    if (!DoKeyDown(event))
        return true;
    const int caret = cursorPosition();
    if (!prefix.isEmpty() && caret <= prefix.size() && !hasSelectedText())
        return true;
    QChar key(u'\b');
    if (!DoKeyPress(key))
        return true;
    const bool deletes = hasSelectedText() || caret > 0;
    QLineEdit::keyPressEvent(event);
    if (deletes)
        SetModified(true);
    return true;
}

bool TAdvEdit::handleKeyDown(QKeyEvent* event)
{
    const int key = event->key();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const int prefixEnd = int(prefix.size());
    const int end = valueEnd();
    const int selEnd = hasSelectedText() ? selectionEnd() : cursorPosition();
    if (lookupVisible()) {
        QListWidget* list = lookupWindow->GetListControl();
        const int count = list->count();
        const int current = list->currentRow();
        const int step = qMax(1, lookup.GetDisplayCount());
        switch (key) {
        case Qt::Key_Home:
            moveLookupSelection(0);
            return false;
        case Qt::Key_End:
            moveLookupSelection(count - 1);
            return false;
        case Qt::Key_PageDown:
            moveLookupSelection(qMin(current + step, count - 1));
            return false;
        case Qt::Key_PageUp:
            moveLookupSelection(current > step ? current - step : 0);
            return false;
        case Qt::Key_Up:
            moveLookupSelection(qMax(current - 1, 0));
            return false;
        case Qt::Key_Down:
            moveLookupSelection(qMin(current + 1, count - 1));
            return false;
        default:
            break;
        }
    }
    switch (key) {
    case Qt::Key_Right:
        return suffix.isEmpty() || selEnd < end;
    case Qt::Key_Delete: {
        if (!suffix.isEmpty() && selEnd >= end && !hasSelectedText())
            return false;
        if (cursorPosition() >= prefixEnd && lengthLimit > 0) {
            QString after = text();
            if (hasSelectedText())
                after.remove(selectionStart(), selectedText().size());
            else
                after.remove(cursorPosition(), 1);
            if (FixedLength(after) - 1 > lengthLimit)
                return false;
        }
        SetModified(true);
        return true;
    }
    case Qt::Key_Left:
        return prefix.isEmpty() || selEnd > prefixEnd;
    case Qt::Key_End:
        if (suffix.isEmpty())
            return true;
        if (shift)
            setSelection(cursorPosition(), end - cursorPosition());
        else
            setCursorPosition(end);
        return false;
    case Qt::Key_Home:
        if (prefix.isEmpty())
            return true;
        if (shift)
            setSelection(end, prefixEnd - end);
        else
            setCursorPosition(prefixEnd);
        return false;
    default:
        return true;
    }
}

void TAdvEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString committed = event->commitString();
    if (committed.isEmpty()) {
        TCustomEdit::inputMethodEvent(event);
        return;
    }
    // Let the edit show the composition still in progress, and type what was committed like keys.
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    composing.setCommitString(QString(), event->replacementStart(), event->replacementLength());
    TCustomEdit::inputMethodEvent(&composing);
    if (!editable())
        return;
    for (const QChar ch : committed) {
        if (ch.isPrint())
            typeCharacter(ch, false);
    }
}

void TAdvEdit::passCharacter(QChar ch)
{
    if (DoKeyPress(ch))
        TypeCharacter(ch);
}

void TAdvEdit::typeCharacter(QChar ch, bool keypad)
{
    const QChar decimal = localeDecimalSeparator();
    if (excelStyleDecimalSeparator && keypad && (ch == u'.' || ch == u','))
        ch = decimal;
    const int caret = cursorPosition();
    if (lengthLimit > 0 && FixedLength(GetText()) > lengthLimit && !hasSelectedText() && caret < DecimalPos() &&
        ch != decimal && !AllowMin(ch))
        return;
    if (isNumberType(editType) && ch == u'-' && !isSigned)
        return;
    switch (filterCharacter(ch)) {
    case Typed::Refuse:
    case Typed::Stop:
        return;
    case Typed::Pass:
        passCharacter(ch);
        break;
    case Typed::Tail:
        break;
    }
    afterTyping();
}

void TAdvEdit::afterTyping()
{
    if (tabOnFullLength && lengthLimit > 0 && FixedLength(GetText()) > lengthLimit && !hasSelectedText() &&
        cursorPosition() == lengthLimit)
        PostTab();
    if (isModified())
        SetModified(true);
    UpdateLookup();
}

TAdvEdit::Typed TAdvEdit::filterCharacter(QChar& ch)
{
    switch (editType) {
    case etString:
    case etPassword:
        SetModified(true);
        return Typed::Pass;
    case etUppercase:
        ch = QLocale().toUpper(QString(ch)).front();
        return Typed::Pass;
    case etLowerCase:
        ch = QLocale().toLower(QString(ch)).front();
        return Typed::Pass;
    case etMixedCase: {
        if (!DoKeyPress(ch))
            return Typed::Tail;
        // Typed and re-cased in one change of the text.
        const int start = GetSelStart();
        QString typed = text();
        typed.replace(start, GetSelLength(), QString(ch));
        if (GetMaxLength() > 0 && typed.size() > GetMaxLength())
            return Typed::Tail;
        showValue(MixedCase(valueOf(typed)));
        setCursorPosition(start + 1);
        SetModified(true);
        return Typed::Tail;
    }
    case etAlphaNumeric:
        if (!isDigit(ch) && !isAsciiLetter(ch))
            return Typed::Tail;
        SetModified(true);
        return Typed::Pass;
    case etValidChars:
        if (!validChars.contains(ch))
            return Typed::Tail;
        SetModified(true);
        return Typed::Pass;
    case etHex:
        if (!isDigit(ch) && ch != u'-' && !((ch >= u'A' && ch <= u'F') || (ch >= u'a' && ch <= u'f')))
            return Typed::Tail;
        SetModified(true);
        return Typed::Pass;
    case etRange:
        return filterRange(ch);
    case etNumeric:
        if (ch == u'-') {
            toggleSign();
            return Typed::Tail;
        }
        return isDigit(ch) ? Typed::Pass : Typed::Tail;
    case etFloat:
        return filterFloat(ch);
    case etMoney:
        return filterMoney(ch);
    }
    return Typed::Pass;
}

TAdvEdit::Typed TAdvEdit::filterRange(QChar ch)
{
    if (!isDigit(ch) && !isRangeSeparator(ch))
        return Typed::Tail;
    SetModified(true);
    if (!isRangeSeparator(ch))
        return Typed::Pass;
    const QString all = text();
    const int caret = cursorPosition();
    if (caret <= prefix.size())
        return Typed::Refuse;
    const bool before = caret > 0 && isRangeSeparator(all[caret - 1]);
    const bool after = caret < all.size() && isRangeSeparator(all[caret]);
    return before || after ? Typed::Refuse : Typed::Pass;
}

bool TAdvEdit::separatorPlacementRefuses() const
{
    const QChar thousand = localeThousandSeparator();
    const QString value = GetText();
    int position = cursorPosition() - int(prefix.size());
    QString copy = value;
    int smallest = int(value.size());
    while (copy.contains(thousand)) {
        const int p = int(copy.indexOf(thousand)) + 1;
        const int distance = qAbs(p - position);
        smallest = qMin(smallest, distance);
        if (distance < 3)
            return true;
        if (p < position)
            position -= p;
        copy.remove(0, p);
    }
    return smallest > 3;
}

bool TAdvEdit::fullDecimalsRefuse(QChar ch)
{
    const QChar decimal = localeDecimalSeparator();
    const QString value = GetText();
    const qsizetype separator = value.indexOf(decimal);
    const int caret = cursorPosition() - int(prefix.size());
    const int behind = int(value.size()) - caret;
    if (precision <= 0 || separator < 0 || behind > precision || caret <= separator ||
        value.size() - separator - 1 < precision || !(isDigit(ch) || ch == decimal) || hasSelectedText())
        return false;
    if (isDigit(ch) && behind > 0) {
        // The typed digit takes the place of the next one.
        setSelection(cursorPosition(), 1);
        return false;
    }
    return true;
}

// Shared by the number types: a decimal separator typed into an empty value starts it as "0,", and a minus turns
// the sign wherever the caret is.
TAdvEdit::Typed TAdvEdit::startDecimalOrTurnSign(QChar ch, QChar decimal)
{
    if (ch == decimal && GetText().isEmpty() && cursorPosition() <= prefix.size()) {
        rewriteValue(QStringLiteral("0") + decimal, int(prefix.size()) + 2);
        SetModified(true);
        return Typed::Stop;
    }
    if (ch == u'-' && !hasSelectedText()) {
        toggleSign();
        return Typed::Stop;
    }
    return Typed::Pass;
}

TAdvEdit::Typed TAdvEdit::filterFloat(QChar& ch)
{
    const QChar decimal = localeDecimalSeparator();
    const QChar thousand = localeThousandSeparator();
    const QString value = GetText();
    const QString selected = selectedText();
    if ((ch == u',' || ch == u'.') && ch != decimal && ch != thousand)
        return Typed::Refuse;
    if (!isDigit(ch) && ch != u',' && ch != u'-' && ch != u'.')
        return Typed::Tail;
    if (ch == decimal && !selected.contains(decimal)) {
        if (value.contains(decimal)) {
            if (precision > 0)
                SelectAfterDecimal();
            return Typed::Refuse;
        }
        if (precision == 0)
            return Typed::Refuse;
    }
    if (ch == u',' && value.contains(u',') && !selected.contains(u',') && thousand != u',')
        return Typed::Refuse;
    if ((ch == thousand || ch == decimal) && value.contains(thousand) && separatorPlacementRefuses())
        return Typed::Refuse;
    if (fullDecimalsRefuse(ch))
        return Typed::Refuse;
    if (const Typed started = startDecimalOrTurnSign(ch, decimal); started != Typed::Pass)
        return started;
    return Typed::Pass;
}

TAdvEdit::Typed TAdvEdit::filterMoney(QChar& ch)
{
    const QChar decimal = localeDecimalSeparator();
    const QString value = GetText();
    if (ch == decimal && (value.contains(decimal) || precision == 0)) {
        if (precision > 0 && GetSelLength() == value.size()) {
            SetText(QStringLiteral("0") + decimal + QStringLiteral("0"));
            SelectAfterDecimal();
        }
        return Typed::Refuse;
    }
    if (!isDigit(ch) && ch != u'-' && ch != decimal)
        return Typed::Tail;
    if ((ch == localeThousandSeparator() || ch == decimal) && value.contains(localeThousandSeparator()) &&
        separatorPlacementRefuses())
        return Typed::Refuse;
    if (fullDecimalsRefuse(ch))
        return Typed::Refuse;
    if (const Typed started = startDecimalOrTurnSign(ch, decimal); started != Typed::Pass)
        return started;
    passCharacter(ch);
    const QString typed = GetText();
    if (!typed.isEmpty() && typed != QLatin1String("-") && ch != decimal) {
        if (isModified())
            SetModified(true);
        AutoSeparators();
    }
    return Typed::Tail;
}

void TAdvEdit::toggleSign()
{
    QString value = GetText();
    const int prefixEnd = int(prefix.size());
    int caret = cursorPosition();
    if (editType == etNumeric && GetSelLength() == value.size()) {
        rewriteValue(QStringLiteral("-"), prefixEnd + 1);
        return;
    }
    if (value.contains(u'-')) {
        value.remove(value.indexOf(u'-'), 1);
        caret = caret > prefixEnd ? caret - 1 : prefixEnd;
        rewriteValue(value, caret);
        if (editType != etNumeric)
            SetModified(true);
        return;
    }
    rewriteValue(u'-' + value, caret + 1);
    SetModified(true);
}
