// Working with the list's cells and rows: the current cell, in-place editing of any cell, the keys, highlighting
// and marking text, and moving rows.
#include "AdvListV.h"

#include "HTMLText.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace {

const QString HighlightTag = QStringLiteral("hi");
const QString MarkTag = QStringLiteral("e");
constexpr int EditorInset = 2;

// Cells that hold text to search: rich text and bars hold none.
bool holdsText(const QString& cell)
{
    const TCellKind kind = CellKindOf(cell);
    return kind == TCellKind::Plain || kind == TCellKind::Markup;
}

} // namespace

void TAdvListView::SetColumnIndex(int Value)
{
    currentColumn = Value;
    // The current cell is drawn selected and framed.
    viewport()->update();
}

int TAdvListView::FocusRepaint()
{
    const TListItem* focused = ItemFocused();
    viewport()->update();
    return focused ? focused->GetIndex() : 0;
}

void TAdvListView::StartEdit(int Item, int SubItem)
{
    currentRow = Item;
    currentColumn = SubItem;
    EditCaption(Item);
}

void TAdvListView::SetEditText(const QString& Value)
{
    if (Editor())
        Editor()->setPlainText(Value);
}

bool TAdvListView::BeginLabelEdit(int row)
{
    if (!subItemEdit)
        return TListView::BeginLabelEdit(row);
    bool allow = true;
    if (OnCanEditCell)
        OnCanEditCell(this, currentRow, currentColumn, allow);
    return allow && Columns()[currentColumn];
}

QString TAdvListView::LabelEditText(int row) const
{
    return GetTextAtColRow(subItemEdit ? currentColumn : 0, row);
}

TRect TAdvListView::LabelEditRect(int row) const
{
    TRect cell = GetItemRect(row, subItemEdit ? currentColumn : 0);
    cell.Left -= EditorInset;
    return cell;
}

void TAdvListView::EndLabelEdit(int row, const QString& text)
{
    if (!subItemEdit) {
        TListView::EndLabelEdit(row, text);
        return;
    }
    // The whole text is kept, however long; the caption stays as it was when another cell was edited.
    QString edited = text;
    if (OnEdited)
        OnEdited(this, Items()[row], edited);
    SetTextAtColRow(currentColumn, row, edited);
}

void TAdvListView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (subItemSelect || subItemEdit) {
        if (key == Qt::Key_Left && currentColumn > 0)
            --currentColumn;
        else if (key == Qt::Key_Right && currentColumn + 1 < Columns().Count())
            ++currentColumn;
        if (key == Qt::Key_Space || key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_F2) {
            const int row = FocusRepaint();
            if (subItemEdit && (key == Qt::Key_Space || key == Qt::Key_F2)) {
                currentRow = row;
                EditCaption(row);
                event->accept();
                return;
            }
        }
    }
    if (key == Qt::Key_Space && GetCheckboxes() && !subItemEdit && OnCheckboxClick) {
        if (const TListItem* item = ItemFocused())
            OnCheckboxClick(this, item->GetIndex(), !item->GetChecked());
    }
    if (clipboardEnable) {
        const Qt::KeyboardModifiers modifiers = event->modifiers();
        const bool control = modifiers == Qt::ControlModifier;
        const bool shift = modifiers == Qt::ShiftModifier;
        if ((control && key == Qt::Key_X) || (shift && key == Qt::Key_Delete)) {
            CutToClipboard();
            event->accept();
            return;
        }
        if ((control && key == Qt::Key_V) || (shift && key == Qt::Key_Insert)) {
            PasteFromClipboard();
            event->accept();
            return;
        }
        if (control && (key == Qt::Key_C || key == Qt::Key_Insert)) {
            CopySelectionToClipboard();
            event->accept();
            return;
        }
    }
    TListView::keyPressEvent(event);
}

void TAdvListView::changeTextCells(int row, const std::function<QString(const QString&)>& change)
{
    TListItem* item = Items()[row];
    if (!item)
        return;
    if (holdsText(item->GetCaption()))
        item->SetCaption(change(item->GetCaption()));
    QStringList texts = item->SubItems().Texts();
    for (QString& text : texts)
        if (holdsText(text))
            text = change(text);
    if (texts != item->SubItems().Texts())
        item->SubItems().SetTexts(texts);
}

void TAdvListView::changeTextCellsOfEveryRow(const std::function<QString(const QString&)>& change)
{
    Items().BeginUpdate();
    for (int row = 0; row < Items().Count(); ++row)
        changeTextCells(row, change);
    Items().EndUpdate();
}

void TAdvListView::HilightInList(const QString& HiText, bool DoCase)
{
    changeTextCellsOfEveryRow(
        [&](const QString& cell) { return MarkupWrapMatches(cell, HiText, HighlightTag, DoCase); });
}

void TAdvListView::HilightInItem(int Index, const QString& HiText, bool DoCase)
{
    changeTextCells(Index, [&](const QString& cell) { return MarkupWrapMatches(cell, HiText, HighlightTag, DoCase); });
}

void TAdvListView::UnHilightInList()
{
    changeTextCellsOfEveryRow([](const QString& cell) { return MarkupUnwrapTag(cell, HighlightTag); });
}

void TAdvListView::UnHilightInItem(int Index)
{
    changeTextCells(Index, [](const QString& cell) { return MarkupUnwrapTag(cell, HighlightTag); });
}

void TAdvListView::MarkInList(const QString& HiText, bool DoCase)
{
    changeTextCellsOfEveryRow([&](const QString& cell) { return MarkupWrapMatches(cell, HiText, MarkTag, DoCase); });
}

void TAdvListView::MarkInItem(int Index, const QString& HiText, bool DoCase)
{
    changeTextCells(Index, [&](const QString& cell) { return MarkupWrapMatches(cell, HiText, MarkTag, DoCase); });
}

void TAdvListView::UnMarkInList()
{
    changeTextCellsOfEveryRow([](const QString& cell) { return MarkupUnwrapTag(cell, MarkTag); });
}

void TAdvListView::UnMarkInItem(int Index)
{
    changeTextCells(Index, [](const QString& cell) { return MarkupUnwrapTag(cell, MarkTag); });
}

void TAdvListView::SelectItem(int Index)
{
    TListItem* item = Items()[Index];
    if (!item)
        return;
    item->SetSelected(true);
    item->SetFocused(true);
    item->MakeVisible();
}

void TAdvListView::SwapItems(int A, int B)
{
    TListItem* a = Items()[A];
    TListItem* b = Items()[B];
    if (!a || !b || a == b)
        return;
    TListItem copy;
    copy.Assign(*a);
    a->Assign(*b);
    b->Assign(copy);
}

void TAdvListView::MoveItem(int From, int To)
{
    TListItem* from = Items()[From];
    if (From == To || !from || To < -1)
        return;
    const bool selected = from->GetSelected();
    const bool checked = from->GetChecked();
    from->SetSelected(false);
    TListItem copy;
    copy.Assign(*from);
    Items().Delete(From);
    TListItem* moved = To == -1 ? Items().Add() : Items().Insert(To);
    moved->Assign(copy);
    moved->SetChecked(checked);
    moved->SetSelected(selected);
    moved->SetFocused(true);
}

void TAdvListView::ScrollTimerTick()
{
    if (rearrangeSource < 0)
        return;
    const int y = lastMousePoint.y();
    if (y < itemHeight)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (y > viewport()->height() - itemHeight)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}
