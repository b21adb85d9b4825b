// A shown list view with rows made from lists of cell texts, and pictures of its rows' area.
#pragma once

#include "AdvListV.h"
#include "ListViewTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

class ListViewFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        list.resize(400, 240);
        list.Loaded();
        list.SetHideSelection(false);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }

    // Columns of the given widths.
    void addColumns(std::initializer_list<int> widths)
    {
        for (const int width : widths)
            list.Columns().Add()->SetWidth(width);
    }

    // A row: the caption first, then the sub-items.
    TListItem* addRow(const QStringList& cells)
    {
        TListItem* item = list.Items().Add();
        item->SetCaption(cells.value(0));
        for (int i = 1; i < cells.size(); ++i)
            item->SubItems().Add(cells[i]);
        return item;
    }

    // The rows' area as it is painted now.
    QImage rows()
    {
        QCoreApplication::processEvents();
        return list.viewport()->grab().toImage();
    }

    // Lets every pending layout and repaint happen, so that paintOnce paints each row once.
    void settle()
    {
        rows();
        QCoreApplication::processEvents();
    }
    QImage paintOnce() { return list.viewport()->grab().toImage(); }

    TAdvListView list;
};
