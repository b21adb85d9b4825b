#include "ListViewHeader.h"

#include "AdvListV.h"
#include "HeaderFilterBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

ListViewHeader::ListViewHeader(TAdvListView* list)
    : QHeaderView(Qt::Horizontal, list), list(list), filters(new HeaderFilterBar(this))
{
    const auto placeFilters = [this] { filters->layout(); };
    connect(this, &QHeaderView::sectionResized, this, placeFilters);
    connect(this, &QHeaderView::sectionMoved, this, placeFilters);
    connect(this, &QHeaderView::sectionCountChanged, this, placeFilters);
    connect(this, &QHeaderView::geometriesChanged, this, placeFilters);
}

QSize ListViewHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    if (list->GetHeaderOwnerDraw())
        size.setHeight(list->GetHeaderHeight());
    size.rheight() += filters->height();
    return size;
}

void ListViewHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    // The items keep their height above the filter bar.
    const QRect item = rect.adjusted(0, 0, 0, -filters->height());
    if (!(list->headerItem(logicalIndex).format & HDF_OWNERDRAW)) {
        QHeaderView::paintSection(painter, item, logicalIndex);
        return;
    }
    TCanvas canvas(*painter);
    list->DrawHeaderItem(canvas, logicalIndex, FromQRect(item));
}

void ListViewHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    const TAdvListView::HeaderItem& item = list->headerItem(logicalIndex);
    if (const TListColumn* column = list->Columns()[logicalIndex])
        option->textAlignment = QtAlignment(column->GetAlignment());
    if (!(item.format & HDF_STRING))
        option->text.clear();
    // The list shows its sort indicator as the item's bitmap or image.
    option->sortIndicator = QStyleOptionHeader::None;
    option->icon = QIcon();
    const TImageList* images = list->GetHeaderImages();
    if ((item.format & HDF_BITMAP) && item.bitmap && !item.bitmap->GetEmpty())
        option->icon = QIcon(QPixmap::fromImage(item.bitmap->DrawnImage()));
    else if ((item.format & HDF_IMAGE) && images && !images->GetImage(item.image).isNull())
        option->icon = QIcon(QPixmap::fromImage(images->GetImage(item.image)));
    option->iconAlignment = Qt::AlignVCenter | ((item.format & HDF_BITMAP_ON_RIGHT) ? Qt::AlignRight : Qt::AlignLeft);
}

void ListViewHeader::paintEvent(QPaintEvent* event)
{
    QHeaderView::paintEvent(event);
    const TColor color = list->GetHeaderColor();
    if (!list->GetHeaderOwnerDraw() || color == clNone)
        return;
    // The strip right of the last item takes the header's colour too.
    const int end = length() - offset();
    if (end < viewport()->width()) {
        QPainter painter(viewport());
        painter.fillRect(QRect(end, 0, viewport()->width() - end, viewport()->height() - filters->height()),
                         ToQColor(color));
    }
}

void ListViewHeader::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const int column = edgeAt(event->position().toPoint().x());
        if (column >= 0 && sectionResizeMode(column) == Interactive) {
            if (!list->columnTrackBegins(column)) {
                event->accept();
                return;
            }
            trackedColumn = column;
        }
    }
    QHeaderView::mousePressEvent(event);
}

void ListViewHeader::mouseReleaseEvent(QMouseEvent* event)
{
    QHeaderView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton) {
        list->columnRightClicked(logicalIndexAt(event->position().toPoint()));
    } else if (event->button() == Qt::LeftButton && trackedColumn >= 0) {
        const int column = trackedColumn;
        trackedColumn = -1;
        list->columnTrackEnded(column);
    }
}

void ListViewHeader::resizeEvent(QResizeEvent* event)
{
    QHeaderView::resizeEvent(event);
    filters->layout();
}

int ListViewHeader::edgeAt(int x) const
{
    const int visual = visualIndexAt(x);
    if (visual < 0)
        return -1;
    const int column = logicalIndex(visual);
    const int left = sectionViewportPosition(column);
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    // Near an item's left edge the edge is the one of the item before it.
    if (x < left + grip) {
        for (int v = visual - 1; v >= 0; --v)
            if (!isSectionHidden(logicalIndex(v)))
                return logicalIndex(v);
        return -1;
    }
    return x > left + sectionSize(column) - grip ? column : -1;
}
