#include "AdvListV.h"
#include "ListViewFixture.h"

#include <QPlainTextEdit>
#include <QScrollBar>

class AdvListVEditTest : public ListViewFixture
{
protected:
    void SetUp() override
    {
        ListViewFixture::SetUp();
        addColumns({100, 100, 100});
        list.SetItemHeight(20);
        addRow({u("a0"), u("b0"), u("c0")});
        addRow({u("a1"), u("b1"), u("c1")});
        addRow({u("a2"), u("b2")});
        addRow({u("a3"), u("b3"), u("c3")});
    }

    QStringList captions() const
    {
        QStringList result;
        for (int i = 0; i < list.Items().Count(); ++i)
            result.append(list.Items()[i]->GetCaption());
        return result;
    }

    // Ends the running edit with Return.
    void commit(const QString& text)
    {
        ASSERT_TRUE(list.Editor());
        list.SetEditText(text);
        QTest::keyClick(list.Editor(), Qt::Key_Return);
    }
};

TEST_F(AdvListVEditTest, f2EditsTheCurrentCellOfTheFocusedRow)
{
    list.SetSubItemEdit(true);
    list.SetColumnIndex(2);
    list.Items()[1]->SetFocused(true);
    QStringList edited;
    list.OnEdited = [&](QObject*, TListItem* item, QString& s) {
        edited.append(item->GetCaption() + u(" ") + s);
        s += u("!");
    };
    QTest::keyClick(&list, Qt::Key_F2);
    ASSERT_TRUE(list.IsEditing());
    EXPECT_EQ(list.Editor()->toPlainText(), u("c1"));
    const QRect editor = list.Editor()->geometry();
    EXPECT_TRUE(editor.intersects(QRect(200, 20, 100, 20))) << "over the cell";
    EXPECT_LT(editor.left(), 210);
    commit(u("nowy"));
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(edited, QStringList({u("a1 nowy")}));
    EXPECT_EQ(list.GetTextAtColRow(2, 1), u("nowy!"));
    EXPECT_EQ(list.Items()[1]->GetCaption(), u("a1")) << "the caption stays";

    // A cell beyond the row's sub-items is added.
    list.StartEdit(2, 2);
    commit(u("c2"));
    EXPECT_EQ(list.GetTextAtColRow(2, 2), u("c2!"));
}

TEST_F(AdvListVEditTest, editsCanBeRefusedDroppedAndKeepTheirWholeText)
{
    list.SetSubItemEdit(true);
    QVector<QPair<int, int>> asked;
    bool allow = false;
    list.OnCanEditCell = [&](QObject*, int item, int subItem, bool& a) {
        asked.append({item, subItem});
        a = allow;
    };
    list.StartEdit(3, 1);
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(asked, (QVector<QPair<int, int>>{{3, 1}}));

    allow = true;
    list.StartEdit(3, 1);
    list.SetEditText(u("porzucony"));
    QTest::keyClick(list.Editor(), Qt::Key_Escape);
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.GetTextAtColRow(1, 3), u("b3"));

    const QString longText = QString(5000, QChar(0x017C)) + u("\r\nkoniec");
    list.StartEdit(3, 1);
    commit(longText);
    EXPECT_EQ(list.GetTextAtColRow(1, 3), longText) << "every character and the line break";
}

TEST_F(AdvListVEditTest, withoutSubItemEditF2EditsTheCaption)
{
    list.Items()[0]->SetFocused(true);
    QTest::keyClick(&list, Qt::Key_F2);
    ASSERT_TRUE(list.IsEditing());
    EXPECT_EQ(list.Editor()->toPlainText(), u("a0"));
    commit(u("nagłówek"));
    EXPECT_EQ(list.Items()[0]->GetCaption(), u("nagłówek"));

    list.SetReadOnly(true);
    QTest::keyClick(&list, Qt::Key_F2);
    EXPECT_FALSE(list.IsEditing());
}

TEST_F(AdvListVEditTest, arrowKeysMoveTheCurrentCell)
{
    list.SetSubItemSelect(true);
    list.Items()[0]->SetFocused(true);
    QTest::keyClick(&list, Qt::Key_Right);
    QTest::keyClick(&list, Qt::Key_Right);
    QTest::keyClick(&list, Qt::Key_Right);
    EXPECT_EQ(list.GetColumnIndex(), 2) << "not past the last column";
    QTest::keyClick(&list, Qt::Key_Left);
    EXPECT_EQ(list.GetColumnIndex(), 1);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&list, Qt::Key_Left);
    EXPECT_EQ(list.GetColumnIndex(), 0);
}

TEST_F(AdvListVEditTest, rowsMoveWithTheirCheckMarkAndSelection)
{
    list.SetMultiSelect(true);
    list.Items()[0]->SetChecked(true);
    list.Items()[0]->SetSelected(true);
    list.MoveItem(0, -1);
    EXPECT_EQ(captions(), QStringList({u("a1"), u("a2"), u("a3"), u("a0")}));
    EXPECT_TRUE(list.Items()[3]->GetChecked());
    EXPECT_TRUE(list.Items()[3]->GetSelected());
    EXPECT_TRUE(list.Items()[3]->GetFocused());
    EXPECT_EQ(list.Items()[3]->SubItems().Texts(), QStringList({u("b0"), u("c0")}));
    EXPECT_FALSE(list.Items()[0]->GetSelected());

    for (const auto& [from, to] : {std::pair{3, 3}, {-1, 0}, {7, 0}, {1, -2}})
        list.MoveItem(from, to);
    EXPECT_EQ(captions(), QStringList({u("a1"), u("a2"), u("a3"), u("a0")})) << "nothing moved";
    list.MoveItem(2, 0);
    EXPECT_EQ(captions(), QStringList({u("a3"), u("a1"), u("a2"), u("a0")}));

    list.SwapItems(0, 3);
    EXPECT_EQ(captions(), QStringList({u("a0"), u("a1"), u("a2"), u("a3")}));
    EXPECT_TRUE(list.Items()[3]->GetChecked()) << "a swap leaves the check marks in place";
    list.SwapItems(0, 9);
    EXPECT_EQ(list.Items()[0]->GetCaption(), u("a0"));

    list.SelectItem(2);
    EXPECT_TRUE(list.Items()[2]->GetSelected());
    EXPECT_TRUE(list.Items()[2]->GetFocused());
}

TEST_F(AdvListVEditTest, rowsAreDraggedToNewPlaces)
{
    list.SetReArrangeItems(true);
    QVector<QPair<int, int>> moves;
    list.OnRearrange = [&](QObject*, int from, int to) { moves.append({from, to}); };
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(150, 50));
    EXPECT_EQ(moves, (QVector<QPair<int, int>>{{2, 2}})) << "a click";
    EXPECT_FALSE(list.IsScrollTimerRunning());

    QTest::mousePress(list.viewport(), Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_TRUE(list.IsScrollTimerRunning()) << "only while a row is dragged";
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, QPoint(150, 70));
    EXPECT_EQ(moves.last(), qMakePair(0, 3));
    EXPECT_EQ(captions(), QStringList({u("a1"), u("a2"), u("a3"), u("a0")}));
    EXPECT_FALSE(list.IsScrollTimerRunning());

    // Leaving the list drops the drag.
    QTest::mousePress(list.viewport(), Qt::LeftButton, {}, QPoint(150, 10));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(list.viewport(), &leave);
    EXPECT_FALSE(list.IsScrollTimerRunning());
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, QPoint(150, 70));
    EXPECT_EQ(moves.size(), 2);
}

TEST_F(AdvListVEditTest, draggingNearTheBottomScrolls)
{
    for (int i = 0; i < 100; ++i)
        addRow({QString::number(i)});
    list.SetReArrangeItems(true);
    QTest::mousePress(list.viewport(), Qt::LeftButton, {}, QPoint(150, 10));
    const int bottom = list.viewport()->height() - 5;
    QMouseEvent move(QEvent::MouseMove, QPointF(150, bottom), list.viewport()->mapToGlobal(QPointF(150, bottom)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &move);
    EXPECT_EQ(list.viewport()->cursor().shape(), Qt::DragMoveCursor);
    const int before = list.verticalScrollBar()->value();
    list.ScrollTimerTick();
    list.ScrollTimerTick();
    EXPECT_GT(list.verticalScrollBar()->value(), before);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, QPoint(150, bottom));
    const int after = list.verticalScrollBar()->value();
    list.ScrollTimerTick();
    EXPECT_EQ(list.verticalScrollBar()->value(), after) << "no drag, no scrolling";
}

TEST_F(AdvListVEditTest, highlightsAndMarksWrapMatchesAndComeOut)
{
    list.Items()[0]->SetCaption(u("xAby"));
    list.SetProgress(1, 1, 15);
    list.SetTextAtColRow(2, 1, u("{\\rtf1 ab}"));
    list.HilightInList(u("ab"), false);
    EXPECT_EQ(list.Items()[0]->GetCaption(), u("x<hi>Ab</hi>y"));
    EXPECT_EQ(CellKindOf(list.Items()[0]->GetCaption()), TCellKind::Markup);
    EXPECT_EQ(list.GetTextAtColRow(1, 1), u("{|15")) << "bars and rich text hold no text to mark";
    EXPECT_EQ(list.GetTextAtColRow(2, 1), u("{\\rtf1 ab}"));
    list.UnHilightInList();
    EXPECT_EQ(list.Items()[0]->GetCaption(), u("xAby"));

    list.HilightInList(u("ab"), true);
    EXPECT_EQ(list.Items()[0]->GetCaption(), u("xAby")) << "with case";

    list.MarkInItem(3, u("3"), false);
    EXPECT_EQ(list.Items()[3]->SubItems().Texts(), QStringList({u("b<e>3</e>"), u("c<e>3</e>")}));
    EXPECT_EQ(list.Items()[3]->GetCaption(), u("a<e>3</e>"));
    EXPECT_EQ(list.Items()[2]->GetCaption(), u("a2"));
    list.MarkInList(u("a"), false);
    list.UnMarkInItem(3);
    EXPECT_EQ(list.Items()[3]->GetCaption(), u("a3"));
    EXPECT_EQ(list.Items()[2]->GetCaption(), u("<e>a</e>2"));
    list.UnMarkInList();
    EXPECT_EQ(list.Items()[2]->GetCaption(), u("a2"));
    list.HilightInItem(0, u("y"), false);
    list.UnHilightInItem(0);
    EXPECT_EQ(list.Items()[0]->GetCaption(), u("xAby"));
}
