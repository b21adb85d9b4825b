#include "Grids.h"

#include <QImage>
#include <QKeyEvent>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct GridFixture
{
    GridFixture()
    {
        grid.SetColCount(4);
        grid.SetDefaultRowHeight(50);
        for (int col = 0; col < 4; ++col)
            grid.SetColWidth(col, 100);
        grid.SetRowCount(100000);
        grid.resize(300 + 2 * grid.frameWidth() + 20, 170);
        grid.OnDrawCell = [this](TDrawGrid*, int col, int row, const TRect&, TGridDrawState state, TCanvas&) {
            drawn.insert(QPoint(col, row));
            if (state & gdSelected)
                selectedDrawn = QPoint(col, row);
        };
    }

    TDrawGrid grid;
    QSet<QPoint> drawn;
    QPoint selectedDrawn{-1, -1};
};

TEST(GridsTest, paintsOnlyTheCellsInView)
{
    GridFixture f;
    f.grid.grab();
    EXPECT_FALSE(f.drawn.isEmpty());
    for (const QPoint& cell : std::as_const(f.drawn))
        EXPECT_TRUE(cell.y() < 4 && cell.x() < 4) << cell.x() << "," << cell.y();
    EXPECT_EQ(f.selectedDrawn, QPoint(0, 0));

    f.drawn.clear();
    f.grid.SetRow(99999);
    f.grid.grab();
    EXPECT_TRUE(f.drawn.contains(QPoint(0, 99999))) << "the current cell is scrolled into view";
    for (const QPoint& cell : std::as_const(f.drawn))
        EXPECT_GE(cell.y(), 99995);
}

TEST(GridsTest, currentCellMovesByKeysAndClicksUnlessRefused)
{
    GridFixture f;
    QList<QPoint> asked;
    bool allow = true;
    f.grid.OnSelectCell = [&](TDrawGrid*, int col, int row, bool& canSelect) {
        asked << QPoint(col, row);
        canSelect = allow;
    };
    QTest::keyClick(&f.grid, Qt::Key_Right);
    QTest::keyClick(&f.grid, Qt::Key_Down);
    EXPECT_EQ(f.grid.GetCol(), 1);
    EXPECT_EQ(f.grid.GetRow(), 1);
    QTest::keyClick(&f.grid, Qt::Key_Up);
    QTest::keyClick(&f.grid, Qt::Key_Up);
    EXPECT_EQ(f.grid.GetRow(), 0) << "no row above the first";

    QTest::mouseClick(f.grid.viewport(), Qt::LeftButton, {}, QPoint(250, 60));
    EXPECT_EQ(QPoint(f.grid.GetCol(), f.grid.GetRow()), QPoint(2, 1));
    allow = false;
    QTest::keyClick(&f.grid, Qt::Key_Left);
    EXPECT_EQ(QPoint(f.grid.GetCol(), f.grid.GetRow()), QPoint(2, 1));
    EXPECT_EQ(asked, QList<QPoint>({{1, 0}, {1, 1}, {1, 0}, {2, 1}, {1, 1}}));

    int doubleClicks = 0;
    f.grid.OnDblClick = [&](TDrawGrid*) { ++doubleClicks; };
    QTest::mouseDClick(f.grid.viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(doubleClicks, 1);
}

TEST(GridsTest, keepsOneRowAndOneColumnAndTheCurrentCellInside)
{
    GridFixture f;
    f.grid.SetRow(50);
    f.grid.SetCol(3);
    f.grid.SetRowCount(0);
    f.grid.SetColCount(0);
    EXPECT_EQ(f.grid.GetRowCount(), 1);
    EXPECT_EQ(f.grid.GetColCount(), 1);
    EXPECT_EQ(f.grid.GetRow(), 0);
    EXPECT_EQ(f.grid.GetCol(), 0);
    f.grid.SetRow(5);
    EXPECT_EQ(f.grid.GetRow(), 0) << "a cell outside the grid is refused";
}

} // namespace
