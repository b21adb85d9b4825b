#include "AdvListV.h"
#include "ListViewFixture.h"

#include <QClipboard>

class AdvListVClipboardTest : public ListViewFixture
{
protected:
    void SetUp() override
    {
        ListViewFixture::SetUp();
        list.SetMultiSelect(true);
        addColumns({100, 100, 100});
        QGuiApplication::clipboard()->clear();
    }

    static QString clipboard() { return QGuiApplication::clipboard()->text(); }
    static void setClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }

    QStringList rowTexts() const
    {
        QStringList result;
        for (int i = 0; i < list.Items().Count(); ++i)
            result.append(
                (QStringList{list.Items()[i]->GetCaption()} + list.Items()[i]->SubItems().Texts()).join(u'|'));
        return result;
    }
};

TEST_F(AdvListVClipboardTest, selectedRowsCopyAsTabbedLinesAndPasteBack)
{
    addRow({u("a"), u("b"), u("c")})->SetSelected(true);
    addRow({u("x")});
    addRow({u("d")})->SetSelected(true);
    list.CopySelectionToClipboard();
    EXPECT_EQ(clipboard(), u("a\tb\tc\r\nd\r\n"));
    list.CopyToClipBoard();
    EXPECT_EQ(clipboard(), u("a\tb\tc\r\nx\r\nd\r\n"));

    TAdvListView other;
    other.Columns().Add();
    other.Items().Add()->SetCaption(u("old"));
    setClipboard(u("a\tb\tc\r\nd\r\n"));
    other.PasteFromClipboard();
    ASSERT_EQ(other.Items().Count(), 3);
    EXPECT_GE(other.Columns().Count(), 3);
    EXPECT_EQ(other.Items()[1]->GetCaption(), u("a"));
    EXPECT_EQ(other.Items()[1]->SubItems().Texts(), QStringList({u("b"), u("c")}));
    EXPECT_EQ(other.Items()[2]->GetCaption(), u("d"));
    EXPECT_TRUE(other.Items()[1]->GetSelected());
    EXPECT_TRUE(other.Items()[2]->GetSelected());
    EXPECT_TRUE(other.Items()[2]->GetFocused());
    EXPECT_FALSE(other.Items()[0]->GetSelected());
}

TEST_F(AdvListVClipboardTest, linesEndInAnyWayAndTheLastNeedsNoEnd)
{
    struct Case
    {
        const char* text;
        QStringList rows;
    };
    const Case cases[] = {
        {"x\ty", {"x|y"}},    {"p\nq\n", {"p", "q"}},      {"r\rs\r\nt", {"r", "s", "t"}},
        {"\r\nu", {"", "u"}}, {"v\tw\tx\ty", {"v|w|x|y"}},
    };
    for (const Case& c : cases) {
        list.Items().Clear();
        setClipboard(u(c.text));
        list.PasteFromClipboard();
        QStringList expected;
        for (const QString& row : c.rows)
            expected.append(row);
        EXPECT_EQ(rowTexts(), expected) << c.text;
    }
    EXPECT_EQ(list.Columns().Count(), 4) << "columns added for the longest line";
}

TEST_F(AdvListVClipboardTest, theCurrentCellAloneWithSubItemSelect)
{
    addRow({u("a"), u("b"), u("c")})->SetSelected(true);
    list.SetSubItemSelect(true);
    list.SetColumnIndex(2);
    list.CopySelectionToClipboard();
    EXPECT_EQ(clipboard(), u("c")) << "the second sub-item, without a line end";

    setClipboard(u("nowy\ttekst"));
    list.SetColumnIndex(1);
    list.PasteFromClipboard();
    EXPECT_EQ(list.GetTextAtColRow(1, 0), u("nowy\ttekst"));
    EXPECT_EQ(list.Items().Count(), 1);

    list.Items()[0]->SetSelected(false);
    list.PasteFromClipboard();
    list.CopySelectionToClipboard();
    EXPECT_EQ(clipboard(), QString()) << "no selected row";
}

TEST_F(AdvListVClipboardTest, cutRemovesTheSelectedRows)
{
    for (int i = 0; i < 4; ++i)
        addRow({QString::number(i)});
    list.Items()[1]->SetSelected(true);
    list.Items()[2]->SetSelected(true);
    list.CutToClipboard();
    EXPECT_EQ(rowTexts(), QStringList({u("0"), u("3")}));
    EXPECT_EQ(clipboard(), u("1\r\n2\r\n"));
}

// What a cut puts on the clipboard is exactly what it takes from the list: with single cells selected, the
// current cell is emptied and every row stays.
TEST_F(AdvListVClipboardTest, cutWithSingleCellsEmptiesOnlyTheCopiedCell)
{
    struct Case
    {
        bool subItemEdit;
        int column;
        const char* copied;
        QStringList rows;
    };
    const Case cases[] = {
        {false, 1, "born1", {"name1||place1", "name2|born2|place2"}},
        {true, 0, "name1", {"|born1|place1", "name2|born2|place2"}},
        {false, 2, "place1", {"name1|born1|", "name2|born2|place2"}},
    };
    for (const Case& c : cases) {
        list.Items().Clear();
        addRow({u("name1"), u("born1"), u("place1")})->SetSelected(true);
        addRow({u("name2"), u("born2"), u("place2")})->SetSelected(true);
        list.SetSubItemSelect(!c.subItemEdit);
        list.SetSubItemEdit(c.subItemEdit);
        list.SetColumnIndex(c.column);
        list.CutToClipboard();
        EXPECT_EQ(clipboard(), u(c.copied)) << c.copied;
        ASSERT_EQ(rowTexts(), c.rows) << c.copied;
    }
    list.Items()[0]->SetSelected(false);
    list.Items()[1]->SetSelected(false);
    list.CutToClipboard();
    EXPECT_EQ(list.Items().Count(), 2) << "nothing selected, nothing cut";
}

TEST_F(AdvListVClipboardTest, clipboardKeysOnlyWhenEnabled)
{
    addRow({u("a")})->SetSelected(true);
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), QString());
    list.SetClipboardEnable(true);
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), u("a\r\n"));
    QTest::keyClick(&list, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(list.Items().Count(), 2);
    QTest::keyClick(&list, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(list.Items().Count(), 0) << "both selected rows cut";
}
