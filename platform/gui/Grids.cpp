#include "Grids.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <algorithm>

TDrawGrid::TDrawGrid(QWidget* parent) : QAbstractScrollArea(parent), colWidths(5, defaultColWidth)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    updateScrollBars();
}

void TDrawGrid::SetColCount(int value)
{
    value = std::max(1, value);
    if (value == GetColCount())
        return;
    colWidths.resize(value, defaultColWidth);
    col = std::min(col, value - 1);
    updateScrollBars();
    viewport()->update();
}

void TDrawGrid::SetRowCount(int value)
{
    value = std::max(1, value);
    if (value == rowCount)
        return;
    rowCount = value;
    row = std::min(row, value - 1);
    updateScrollBars();
    viewport()->update();
}

int TDrawGrid::GetColWidth(int index) const
{
    return index >= 0 && index < GetColCount() ? colWidths[index] : defaultColWidth;
}

void TDrawGrid::SetColWidth(int index, int width)
{
    if (index < 0 || index >= GetColCount() || colWidths[index] == width)
        return;
    colWidths[index] = width;
    updateScrollBars();
    viewport()->update();
}

void TDrawGrid::SetDefaultRowHeight(int value)
{
    if (value < 1 || value == rowHeight)
        return;
    rowHeight = value;
    updateScrollBars();
    viewport()->update();
}

void TDrawGrid::SetColor(TColor value)
{
    color = value;
    viewport()->update();
}

int TDrawGrid::columnLeft(int index) const
{
    int left = 0;
    for (int c = 0; c < index && c < GetColCount(); ++c)
        left += colWidths[c];
    return left;
}

int TDrawGrid::contentWidth() const
{
    return columnLeft(GetColCount());
}

TRect TDrawGrid::CellRect(int cellCol, int cellRow) const
{
    const int left = columnLeft(cellCol) - horizontalScrollBar()->value();
    const int top = cellRow * rowHeight - verticalScrollBar()->value();
    return Rect(left, top, left + GetColWidth(cellCol), top + rowHeight);
}

bool TDrawGrid::MouseToCell(const QPoint& point, int& cellCol, int& cellRow) const
{
    const int x = point.x() + horizontalScrollBar()->value();
    const int y = point.y() + verticalScrollBar()->value();
    if (x < 0 || y < 0 || y >= contentHeight())
        return false;
    int left = 0;
    for (int c = 0; c < GetColCount(); ++c) {
        left += colWidths[c];
        if (x < left) {
            cellCol = c;
            cellRow = y / rowHeight;
            return true;
        }
    }
    return false;
}

int TDrawGrid::rowsPerPage() const
{
    return std::max(1, viewport()->height() / rowHeight);
}

void TDrawGrid::updateScrollBars()
{
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, contentWidth() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, contentHeight() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(rowHeight);
}

void TDrawGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TDrawGrid::paintEvent(QPaintEvent* event)
{
    TCanvas canvas(viewport());
    const QRect dirty = event->rect();
    canvas.Brush.Color = color;
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(FromQRect(dirty));
    if (!OnDrawCell)
        return;
    const int top = verticalScrollBar()->value();
    const int firstRow = std::max(0, (dirty.top() + top) / rowHeight);
    const int lastRow = std::min(rowCount - 1, (dirty.bottom() + top) / rowHeight);
    for (int r = firstRow; r <= lastRow; ++r) {
        for (int c = 0; c < GetColCount(); ++c) {
            const TRect cell = CellRect(c, r);
            if (cell.IsEmpty() || !dirty.intersects(ToQRect(cell)))
                continue;
            TGridDrawState state = 0;
            if (c == col && r == row) {
                state |= gdSelected;
                if (hasFocus())
                    state |= gdFocused;
            }
            canvas.Painter().save();
            canvas.Painter().setClipRect(ToQRect(cell));
            OnDrawCell(this, c, r, cell, state, canvas);
            canvas.Painter().restore();
        }
    }
}

void TDrawGrid::moveCurrent(int newCol, int newRow)
{
    if (newCol < 0 || newCol >= GetColCount() || newRow < 0 || newRow >= rowCount)
        return;
    bool canSelect = true;
    if (OnSelectCell)
        OnSelectCell(this, newCol, newRow, canSelect);
    if (!canSelect)
        return;
    viewport()->update(ToQRect(CellRect(col, row)));
    col = newCol;
    row = newRow;
    scrollIntoView(col, row);
    viewport()->update(ToQRect(CellRect(col, row)));
}

void TDrawGrid::scrollIntoView(int cellCol, int cellRow)
{
    const int top = cellRow * rowHeight;
    QScrollBar* vertical = verticalScrollBar();
    if (top < vertical->value())
        vertical->setValue(top);
    else if (top + rowHeight > vertical->value() + viewport()->height())
        vertical->setValue(top + rowHeight - viewport()->height());
    const int left = columnLeft(cellCol);
    QScrollBar* horizontal = horizontalScrollBar();
    if (left < horizontal->value())
        horizontal->setValue(left);
    else if (left + GetColWidth(cellCol) > horizontal->value() + viewport()->width())
        horizontal->setValue(left + GetColWidth(cellCol) - viewport()->width());
}

void TDrawGrid::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    int cellCol = 0;
    int cellRow = 0;
    if (event->button() == Qt::LeftButton && MouseToCell(event->position().toPoint(), cellCol, cellRow))
        moveCurrent(cellCol, cellRow);
}

void TDrawGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
}

void TDrawGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        moveCurrent(col - 1, row);
        break;
    case Qt::Key_Right:
        moveCurrent(col + 1, row);
        break;
    case Qt::Key_Up:
        moveCurrent(col, row - 1);
        break;
    case Qt::Key_Down:
        moveCurrent(col, row + 1);
        break;
    case Qt::Key_PageUp:
        moveCurrent(col, std::max(0, row - rowsPerPage()));
        break;
    case Qt::Key_PageDown:
        moveCurrent(col, std::min(rowCount - 1, row + rowsPerPage()));
        break;
    case Qt::Key_Home:
        moveCurrent(0, event->modifiers() & Qt::ControlModifier ? 0 : row);
        break;
    case Qt::Key_End:
        moveCurrent(GetColCount() - 1, event->modifiers() & Qt::ControlModifier ? rowCount - 1 : row);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TDrawGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update(ToQRect(CellRect(col, row)));
}

void TDrawGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update(ToQRect(CellRect(col, row)));
}
