#include "TreeView.h"

#include "Canvas.h"
#include "ImageList.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace {

// Every row is as high as the tree's item height.
class RowHeight : public QStyledItemDelegate
{
public:
    RowHeight(TTreeView* tree) : QStyledItemDelegate(tree), tree(tree) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), tree->GetItemHeight());
    }

private:
    TTreeView* tree;
};

} // namespace

int TTreeNode::GetLevel() const
{
    int level = 0;
    for (const QTreeWidgetItem* up = parent(); up; up = up->parent())
        ++level;
    return level;
}

TTreeView::TTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new RowHeight(this));
    SetColor(color);
}

TTreeNode* TTreeView::AddChild(TTreeNode* parent, const QString& text)
{
    auto* node = new TTreeNode;
    node->SetText(text);
    if (parent)
        parent->addChild(node);
    else
        addTopLevelItem(node);
    return node;
}

TTreeNode* TTreeView::NodeFromIndex(const QModelIndex& index) const
{
    return static_cast<TTreeNode*>(itemFromIndex(index));
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) const
{
    return static_cast<TTreeNode*>(itemAt(x, y));
}

void TTreeView::SetImages(TImageList* value)
{
    images = value;
    viewport()->update();
}

void TTreeView::SetItemHeight(int value)
{
    if (value <= 0 || value == itemHeight)
        return;
    itemHeight = value;
    // The rows are measured again.
    doItemsLayout();
}

TTreeNode* TTreeView::GetSelected() const
{
    return static_cast<TTreeNode*>(currentItem());
}

void TTreeView::SetSelected(TTreeNode* node)
{
    setCurrentItem(node);
}

void TTreeView::SetColor(TColor value)
{
    color = value;
    QPalette colours = palette();
    colours.setColor(QPalette::Base, ToQColor(value));
    setPalette(colours);
}

void TTreeView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        if (rightClickSelect) {
            if (TTreeNode* node = GetNodeAt(event->position().toPoint().x(), event->position().toPoint().y()))
                SetSelected(node);
        }
        event->ignore();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}
