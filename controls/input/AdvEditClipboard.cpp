// The edit's clipboard and text drag and drop. Copy and cut ask their vetoes; whatever text arrives by pasting
// (keys, the context menu, the middle button's selection paste) or by dropping takes one route: its first line only,
// the paste veto, the length limit and the filter of the edit type.
#include "AdvEdit.h"

#include "AdvEditFormat.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

namespace {

// A one-line edit takes the first line of a text of several.
QString firstLine(const QString& text)
{
    QString line = text;
    const qsizetype cr = line.indexOf(u'\r');
    if (cr >= 0)
        line.truncate(cr);
    const qsizetype lf = line.indexOf(u'\n');
    if (lf >= 0)
        line.truncate(lf);
    return line;
}

bool allOf(const QString& text, const std::function<bool(QChar)>& accepted)
{
    return std::all_of(text.begin(), text.end(), accepted);
}

} // namespace

// Takes drops for its edit.
class TAdvEdit::EditDropTarget : public TAEDropTarget
{
public:
    explicit EditDropTarget(TAdvEdit& edit) : edit(edit) {}

    void DragMouseMove(const TPoint& point, bool& allow) override
    {
        TAEDropTarget::DragMouseMove(point, allow);
        edit.setDropCaret(edit.mapFromGlobal(QPoint(point.X, point.Y)));
    }

    bool DropText(const TPoint& point, const QString& text) override
    {
        TAEDropTarget::DropText(point, text);
        return edit.dropText(edit.mapFromGlobal(QPoint(point.X, point.Y)), text,
                             DropShift().testFlag(Qt::ControlModifier));
    }

    void DragLeave() override { edit.eraseDropCaret(); }

private:
    TAdvEdit& edit;
};

void TAdvEdit::CopyToClipboard()
{
    if (!hasSelectedText())
        return;
    if (OnClipboardCopy) {
        bool allow = true;
        OnClipboardCopy(this, GetText().mid(qMax(0, selectionStart() - int(prefix.size())), selectedText().size()),
                        allow);
        if (!allow)
            return;
    }
    copy();
}

void TAdvEdit::CutToClipboard()
{
    if (!hasSelectedText() || !editable())
        return;
    if (OnClipboardCut) {
        bool allow = true;
        OnClipboardCut(this, GetText().mid(qMax(0, selectionStart() - int(prefix.size())), selectedText().size()),
                       allow);
        if (!allow)
            return;
    }
    cut();
    SetModified(true);
}

void TAdvEdit::PasteFromClipboard()
{
    if (!editable())
        return;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data && data->hasText()) {
        const int start = GetSelStart() - int(prefix.size());
        const bool replacing = hasSelectedText();
        if (insertFiltered(GetText(), start, GetSelLength(), data->text(), replacing) == Insertion::Vetoed)
            return;
    }
    afterPaste();
}

void TAdvEdit::afterPaste()
{
    UpdateLookup();
    if (tabOnFullLength && lengthLimit > 0 && GetText().size() == lengthLimit)
        PostTab();
}

TAdvEdit::Insertion TAdvEdit::insertFiltered(const QString& baseValue, int position, int replaced, QString text,
                                             bool selectInserted)
{
    text = firstLine(text);
    position = qBound(0, position, int(baseValue.size()));
    replaced = qBound(0, replaced, int(baseValue.size()) - position);
    QString candidate = baseValue;
    candidate.replace(position, replaced, text);
    if (OnClipboardPaste) {
        bool allow = true;
        OnClipboardPaste(this, candidate, allow);
        if (!allow)
            return Insertion::Vetoed;
    }
    if (GetMaxLength() > 0 && text.size() + baseValue.size() - replaced > GetMaxLength())
        return Insertion::Vetoed;
    const bool written = writeFiltered(candidate, text);
    const int caret = int(prefix.size()) + position;
    if (editType == etMoney && GetText().size() > 3)
        SelectAll();
    else if (selectInserted)
        setSelection(caret, int(text.size()));
    else
        setCursorPosition(caret + int(text.size()));
    switch (editType) {
    case etString:
    case etUppercase:
    case etMixedCase:
    case etLowerCase:
    case etPassword:
        SetModified(true);
        break;
    default:
        break;
    }
    return written ? Insertion::Written : Insertion::Refused;
}

bool TAdvEdit::writeFiltered(const QString& candidate, const QString& inserted)
{
    const QLocale locale;
    const TextKind kind = ClassifyText(candidate);
    const bool signAllowed = isSigned || !candidate.contains(u'-');
    switch (editType) {
    case etString:
    case etPassword:
        SetText(candidate);
        return true;
    case etNumeric:
        if (kind != TextKind::Integer || !signAllowed)
            return false;
        SetText(candidate);
        SetModified(true);
        return true;
    case etFloat:
    case etMoney:
        if (kind != TextKind::Integer && kind != TextKind::Decimal)
            return false;
        if (precision == 0 && inserted.contains(localeDecimalSeparator()))
            return false;
        if (!signAllowed)
            return false;
        SetText(candidate);
        SetFloat(GetFloat());
        SetModified(true);
        return true;
    case etUppercase:
        SetText(locale.toUpper(candidate));
        return true;
    case etLowerCase:
        SetText(locale.toLower(candidate));
        return true;
    case etMixedCase:
        SetText(MixedCase(candidate));
        return true;
    case etAlphaNumeric:
        if (!allOf(candidate, [](QChar ch) {
                return (ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z');
            }))
            return false;
        SetText(candidate);
        SetModified(true);
        return true;
    case etValidChars:
        if (!allOf(candidate, [this](QChar ch) { return validChars.contains(ch); }))
            return false;
        SetText(candidate);
        SetModified(true);
        return true;
    case etRange:
    case etHex:
        return false;
    }
    return false;
}

void TAdvEdit::SetOleDropTarget(bool value)
{
    oleDropTarget = value;
    if (value) {
        dropTarget = std::make_unique<EditDropTarget>(*this);
        RegisterDragDrop(this, dropTarget.get());
    } else {
        RevokeDragDrop(this);
        dropTarget.reset();
    }
}

bool TAdvEdit::dropText(const QPoint& point, const QString& text, bool copy)
{
    eraseDropCaret();
    if (!editable())
        return false;
    const int prefixEnd = int(prefix.size());
    int index = qBound(prefixEnd, CharFromPos(point), valueEnd());
    QString base = GetText();
    const bool fromHere = draggingOut && hasSelectedText();
    if (fromHere) {
        const int start = selectionStart();
        const int end = selectionEnd();
        // Dropped onto its own selection: nothing to do.
        if (index >= start && index <= end)
            return false;
        if (!copy) {
            base.remove(start - prefixEnd, end - start);
            if (index > end)
                index -= end - start;
        }
    }
    const bool written = insertFiltered(base, index - prefixEnd, 0, text, false) == Insertion::Written;
    if (written && fromHere && !copy)
        droppedOnSelf = true;
    update();
    return written;
}

void TAdvEdit::startDragOut()
{
    draggingOut = true;
    droppedOnSelf = false;
    int effect = DROPEFFECT_NONE;
    const long result = StartTextDoDragDrop(this, selectedText(), QString(), DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
    draggingOut = false;
    // A move into another place takes the text out of this edit; a move within it has done so already.
    if (result == DRAGDROP_S_DROP && effect == DROPEFFECT_MOVE && !droppedOnSelf && editable() && hasSelectedText()) {
        del();
        SetModified(true);
    }
    eraseDropCaret();
}

void TAdvEdit::setDropCaret(const QPoint& point)
{
    const QPoint caret = PosFromChar(qBound(int(prefix.size()), CharFromPos(point), valueEnd()));
    if (caret == dropCaret)
        return;
    dropCaret = caret;
    update();
}

void TAdvEdit::eraseDropCaret()
{
    if (dropCaret.x() < 0)
        return;
    dropCaret = QPoint(-1, -1);
    update();
}

void TAdvEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && urlLook && hasFocus() && showURL)
        followLink();
    if (event->button() == Qt::LeftButton && hasFocus() && hasSelectedText()) {
        const int index = CharFromPos(event->position().toPoint());
        if (index >= selectionStart() && index < selectionEnd()) {
            // Perhaps the start of a drag: the selection stays until the mouse moves or is released.
            dragPending = true;
            dragStart = event->position().toPoint();
            return;
        }
    }
    TCustomEdit::mousePressEvent(event);
}

void TAdvEdit::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragPending) {
        TCustomEdit::mouseMoveEvent(event);
        return;
    }
    if ((event->position().toPoint() - dragStart).manhattanLength() < QApplication::startDragDistance())
        return;
    dragPending = false;
    if (oleDropSource && (event->buttons() & Qt::LeftButton) && hasSelectedText())
        startDragOut();
}

void TAdvEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) {
        // The selection paste of the desktop takes the same route as any other paste.
        QClipboard* clipboard = QApplication::clipboard();
        if (clipboard->supportsSelection() && editable()) {
            const QString selection = clipboard->text(QClipboard::Selection);
            if (!selection.isEmpty() && insertFiltered(GetText(), cursorPosition() - int(prefix.size()), 0, selection,
                                                       false) != Insertion::Vetoed)
                afterPaste();
        }
        return;
    }
    if (dragPending && event->button() == Qt::LeftButton) {
        dragPending = false;
        setCursorPosition(CharFromPos(event->position().toPoint()));
    }
    TCustomEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        keepCaretOutOfAffixes();
}

void TAdvEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // The edit's own menu, in Qt's words, so that cut, copy and paste take the routes with the vetoes and filter.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool canEdit = editable();
    const bool shown = echoMode() == QLineEdit::Normal;
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    const auto add = [&](const char* name, const char* text, QKeySequence::StandardKey key, bool enabled,
                         std::function<void()> run) {
        QString caption = QCoreApplication::translate("QLineEdit", text);
        const QString keys = QKeySequence(key).toString(QKeySequence::NativeText);
        if (!keys.isEmpty())
            caption += u'\t' + keys;
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, std::move(run));
    };
    add("edit-undo", "&Undo", QKeySequence::Undo, canEdit && isUndoAvailable(), [this] { undo(); });
    add("edit-redo", "&Redo", QKeySequence::Redo, canEdit && isRedoAvailable(), [this] { redo(); });
    menu->addSeparator();
    add("edit-cut", "Cu&t", QKeySequence::Cut, canEdit && shown && hasSelectedText(), [this] { CutToClipboard(); });
    add("edit-copy", "&Copy", QKeySequence::Copy, shown && hasSelectedText(), [this] { CopyToClipboard(); });
    add("edit-paste", "&Paste", QKeySequence::Paste, canEdit && clipboard && clipboard->hasText(),
        [this] { PasteFromClipboard(); });
    add("edit-delete", "Delete", QKeySequence::UnknownKey, canEdit && hasSelectedText(), [this] {
        del();
        SetModified(true);
    });
    menu->addSeparator();
    add("select-all", "Select All", QKeySequence::SelectAll, !text().isEmpty(), [this] { SelectAll(); });
    menu->popup(event->globalPos());
}
