// The list view's header: Qt's header that paints each column's item as its format says (drawn by the list, or
// Qt's look with the item's bitmap or image), is as high as the list says while the list draws it, tells the list
// when the user drags a column's edge or right-clicks an item, and holds the filter bar below the items.
#pragma once

#include <QHeaderView>

class HeaderFilterBar;
class TAdvListView;

class ListViewHeader : public QHeaderView
{
public:
    explicit ListViewHeader(TAdvListView* list);

    QSize sizeHint() const override;
    HeaderFilterBar* filterBar() const { return filters; }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The column whose right edge is under x, where a press starts sizing it; -1 elsewhere.
    int edgeAt(int x) const;

    TAdvListView* list;
    HeaderFilterBar* filters;
    int trackedColumn = -1;
};
