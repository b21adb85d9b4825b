// The toolkit's draw grid: a table of cells that its owner paints, with column widths of their own and one row
// height, a current cell that the mouse and the arrow keys move, and scroll bars. Only the cells in view are
// painted, so a grid of a hundred thousand cells costs no more to show than one of ten.
#pragma once

#include "Canvas.h"

#include <QAbstractScrollArea>
#include <QVector>
#include <functional>

// How a cell is to be drawn: bits of TGridDrawState.
enum TGridDrawStateBit { gdSelected = 1, gdFocused = 2 };
using TGridDrawState = int;

class TDrawGrid : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit TDrawGrid(QWidget* parent = nullptr);

    // A grid keeps at least one column and one row.
    int GetColCount() const { return int(colWidths.size()); }
    void SetColCount(int value);
    int GetRowCount() const { return rowCount; }
    void SetRowCount(int value);
    int GetColWidth(int col) const;
    void SetColWidth(int col, int width);
    int GetDefaultRowHeight() const { return rowHeight; }
    void SetDefaultRowHeight(int value);
    void SetColor(TColor value);

    // The current cell. Moving it asks OnSelectCell first, then repaints both cells and scrolls the new one into
    // view; a cell outside the grid is refused.
    int GetCol() const { return col; }
    int GetRow() const { return row; }
    void SetCol(int value) { moveCurrent(value, row); }
    void SetRow(int value) { moveCurrent(col, value); }
    // The cell's rectangle in the grid's view, whether it is in view or not.
    TRect CellRect(int col, int row) const;
    // The cell under a point of the view; false when there is none.
    bool MouseToCell(const QPoint& point, int& col, int& row) const;

    std::function<void(TDrawGrid* sender, int col, int row, const TRect& rect, TGridDrawState state, TCanvas& canvas)>
        OnDrawCell;
    // Setting canSelect to false keeps the current cell.
    std::function<void(TDrawGrid* sender, int col, int row, bool& canSelect)> OnSelectCell;
    std::function<void(TDrawGrid* sender)> OnDblClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void moveCurrent(int newCol, int newRow);
    void scrollIntoView(int cellCol, int cellRow);
    void updateScrollBars();
    int columnLeft(int col) const;
    int contentWidth() const;
    int contentHeight() const { return rowCount * rowHeight; }
    int rowsPerPage() const;

    // The width of the initial columns and of columns added later.
    static constexpr int defaultColWidth = 64;
    QVector<int> colWidths;
    int rowCount = 1;
    int rowHeight = 24;
    int col = 0;
    int row = 0;
    TColor color = clWindow;
};
