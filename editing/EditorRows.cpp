#include "EditorRows.h"

#include "Canvas.h"
#include "Fonts.h"
#include "Settings.h"

#include <QPainter>
#include <QTreeWidget>
#include <algorithm>

namespace {

constexpr TColor partnerColor = 0x800000;
const QColor gridLineColor(224, 224, 224);

} // namespace

EditorRowDelegate::EditorRowDelegate(Kind kind, QObject* parent) : QStyledItemDelegate(parent), kind(kind) {}

void EditorRowDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QModelIndex first = index.siblingAtColumn(0);
    if (kind == Relatives) {
        const bool groupHeader = !index.parent().isValid();
        const bool partner = first.data(RowKindRole).toInt() == int(RelativeRowKind::Partner);
        if (partner)
            option->palette.setColor(QPalette::Text, ToQColor(partnerColor));
        option->font.setBold(groupHeader || partner);
        return;
    }
    if (gSettings.MarkPrivate && first.data(RowPrivateRole).toBool())
        option->palette.setColor(QPalette::Text, ToQColor(gSettings.PrivateColor));
    option->font.setBold(option->state & QStyle::State_Selected);
}

void EditorRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (kind == Relatives && !index.parent().isValid())
        return;
    painter->save();
    painter->setPen(gridLineColor);
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->restore();
}

QSize EditorRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    QStyleOptionViewItem styled = option;
    initStyleOption(&styled, index);
    // Bold rows come and go with the selection: every row is as high as a bold one.
    styled.font.setBold(true);
    size.setHeight(std::max(size.height(), Fonts::centredLineHeight(styled.font)));
    return size;
}

QTreeWidgetItem* SelectedRow(const QTreeWidget* list)
{
    return list->selectedItems().value(0);
}

void SelectRow(QTreeWidget* list, QTreeWidgetItem* row)
{
    list->setCurrentItem(row);
    row->setSelected(true);
    list->scrollToItem(row);
}
