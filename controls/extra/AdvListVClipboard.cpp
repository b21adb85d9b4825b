// The list on the clipboard: rows as lines of tab-separated cells, or the current cell alone.
#include "AdvListV.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>

namespace {

const QString LineEnd = QStringLiteral("\r\n");
constexpr QChar FieldSeparator = u'\t';

} // namespace

QString TAdvListView::copiedText(bool selectedOnly) const
{
    if (subItemSelect || subItemEdit) {
        const TListItem* item = Selected();
        return item ? GetTextAtColRow(qMax(0, currentColumn), item->GetIndex()) : QString();
    }
    QString text;
    for (int row = 0; row < Items().Count(); ++row) {
        const TListItem* item = Items()[row];
        if (selectedOnly && !item->GetSelected())
            continue;
        text += item->GetCaption();
        for (const QString& cell : item->SubItems().Texts())
            text += FieldSeparator + cell;
        text += LineEnd;
    }
    return text;
}

void TAdvListView::CopyToClipBoard()
{
    QGuiApplication::clipboard()->setText(copiedText(false));
}

void TAdvListView::CopySelectionToClipboard()
{
    QGuiApplication::clipboard()->setText(copiedText(true));
}

// Takes away exactly what went to the clipboard: with single cells selected that is the current cell, which is
// emptied while its row stays.
void TAdvListView::CutToClipboard()
{
    CopySelectionToClipboard();
    if (subItemSelect || subItemEdit) {
        if (const TListItem* item = Selected())
            SetTextAtColRow(qMax(0, currentColumn), item->GetIndex(), QString());
        return;
    }
    Items().DeleteIf([](const TListItem& item) { return item.GetSelected(); });
}

void TAdvListView::PasteFromClipboard()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    if (subItemSelect || subItemEdit) {
        if (const TListItem* item = Selected())
            SetTextAtColRow(qMax(0, currentColumn), item->GetIndex(), text);
        return;
    }
    // Programs end lines in CR LF, LF or CR, and often leave the last line without an end.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineBreak);
    if (lines.last().isEmpty())
        lines.removeLast();
    TListItem* last = nullptr;
    Items().BeginUpdate();
    for (const QString& line : lines) {
        const QStringList fields = line.split(FieldSeparator);
        while (Columns().Count() < fields.size())
            Columns().Add();
        last = Items().Add();
        last->SetImageIndex(-1);
        last->SetCaption(fields.first());
        last->SubItems().SetTexts(fields.mid(1));
        last->SetSelected(true);
    }
    Items().EndUpdate();
    if (last) {
        scrollToBottom();
        last->SetFocused(true);
    }
}
