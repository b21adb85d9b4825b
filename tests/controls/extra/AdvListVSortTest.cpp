#include "AdvListV.h"
#include "ListViewFixture.h"

#include <QHeaderView>
#include <QLocale>
#include <QRandomGenerator>

class AdvListVSortTest : public ListViewFixture
{
protected:
    // Rows named by their captions, with one value each in column 1.
    void fill(const QStringList& captions, const QStringList& values)
    {
        list.Items().Clear();
        if (list.Columns().Count() == 0)
            addColumns({100, 100});
        for (int i = 0; i < captions.size(); ++i)
            addRow({captions[i], values.value(i)});
    }

    QStringList captions() const
    {
        QStringList result;
        for (int i = 0; i < list.Items().Count(); ++i)
            result.append(list.Items()[i]->GetCaption());
        return result;
    }

    void useFormat(TSortStyle style, const QString& prefix = QString(), const QString& suffix = QString())
    {
        list.OnGetFormat = [=](QObject*, int, TSortStyle& s, QString& p, QString& x) {
            s = style;
            p = prefix;
            x = suffix;
        };
    }
};

TEST_F(AdvListVSortTest, eachStyleOrdersItsColumn)
{
    struct Case
    {
        const char* name;
        TSortStyle style;
        const char* prefix;
        const char* suffix;
        QStringList values;
        QStringList sorted; // the captions afterwards; the captions are the values' positions
        TSortDirection direction = sdAscending;
    };
    const Case cases[] = {
        {"ordinal: upper case first", ssAlphabetic, "", "", {"a", "B", "c"}, {"1", "0", "2"}},
        {"no case: equal, then the captions", ssAlphaNoCase, "", "", {"abc", "ABC", "abd"}, {"0", "1", "2"}},
        {"numbers", ssNumeric, "", "", {"10", "9", "-1.5"}, {"2", "1", "0"}},
        {"empty is 0", ssNumeric, "", "", {"1", "", "-1"}, {"2", "1", "0"}},
        {"no number is equal to any", ssNumeric, "", "", {"5", "abc"}, {"0", "1"}},
        {"percentage cells", ssNumeric, "", "", {"{|57", "{|9"}, {"1", "0"}},
        {"prefix", ssNumeric, "$", "", {"$12", "$9", "x$10"}, {"1", "2", "0"}},
        {"suffix", ssNumeric, "", " kg", {"12 kg", "9 kg"}, {"1", "0"}},
        {"short EU dates",
         ssShortDateEU,
         "",
         "",
         {"01/01/08", "31/12/07", "31/12/2007", "1.2.99", "31.1.99"},
         {"4", "3", "1", "2", "0"}},
        {"short US dates", ssShortDateUS, "", "", {"12/31/07", "01/01/08", "2/1/99"}, {"2", "0", "1"}},
        {"impossible dates count as none", ssShortDateEU, "", "", {"01/01/08", "2008-01-01", ""}, {"1", "2", "0"}},
        {"descending inverts the tie-break too", ssAlphaNoCase, "", "", {"x", "X", "a"}, {"1", "0", "2"}, sdDescending},
    };
    for (const Case& c : cases) {
        QStringList captions;
        for (int i = 0; i < c.values.size(); ++i)
            captions.append(QString::number(i));
        fill(captions, c.values);
        useFormat(c.style, u(c.prefix), u(c.suffix));
        list.SetSortDirection(c.direction);
        list.SetSortColumn(1);
        EXPECT_EQ(this->captions(), c.sorted) << c.name;
    }
}

TEST_F(AdvListVSortTest, numbersFollowTheLocalesSeparators)
{
    const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    fill({u("a"), u("b"), u("c"), u("d")}, {u("1.234,5"), u("999"), u("1.300"), u("1.234,4")});
    useFormat(ssFinancial);
    list.SetSortColumn(1);
    EXPECT_EQ(captions(), QStringList({u("b"), u("d"), u("a"), u("c")}));
    fill({u("a"), u("b"), u("c")}, {u("10"), u("2,5"), u("1,5")});
    useFormat(ssNumeric);
    list.SetSortColumn(1);
    EXPECT_EQ(captions(), QStringList({u("c"), u("b"), u("a")}));
    fill({u("b"), u("a")}, {u("1.234,5"), u("999")});
    list.SetSortColumn(1);
    EXPECT_EQ(captions(), QStringList({u("a"), u("b")})) << "with thousands it is no number: equal, then the captions";
}

TEST_F(AdvListVSortTest, columnsWithoutAnOrderLeaveTheRowsAlone)
{
    const QStringList order{u("c"), u("a"), u("b"), u("a2")};
    for (const TSortStyle style : {ssAutomatic, ssCustom, ssRaw}) {
        fill(order, order);
        useFormat(style);
        list.SetSortColumn(1);
        EXPECT_EQ(captions(), order) << int(style);
    }

    fill(order, order);
    useFormat(ssCustom);
    list.OnCustomCompare = [](QObject*, int column, const QString& a, const QString& b, int& res) {
        EXPECT_EQ(column, 0);
        res = QString::compare(a, b);
    };
    list.SetSortColumn(1);
    EXPECT_EQ(captions(), QStringList({u("a"), u("a2"), u("b"), u("c")}));

    fill(order, order);
    useFormat(ssRaw);
    list.OnRawCompare = [&](QObject*, int, int row1, int row2, int& res) { res = row2 - row1; };
    list.SetSortColumn(1);
    EXPECT_EQ(captions(), QStringList({u("a2"), u("b"), u("a"), u("c")})) << "the rows' indexes, turned round";
}

TEST_F(AdvListVSortTest, wildComparisonsLoseNoRow)
{
    QStringList many;
    for (int i = 0; i < 200; ++i)
        many.append(QString::number(i));
    QRandomGenerator random(7);
    const std::function<int()> answers[] = {[] { return 1; }, [] { return -1; },
                                            [&] { return int(random.bounded(3)) - 1; }};
    for (const auto& answer : answers) {
        fill(many, many);
        useFormat(ssCustom);
        list.OnCustomCompare = [&](QObject*, int, const QString&, const QString&, int& res) { res = answer(); };
        list.SetSortColumn(1);
        QStringList after = captions();
        after.sort();
        QStringList expected = many;
        expected.sort();
        EXPECT_EQ(after, expected);
    }
}

TEST_F(AdvListVSortTest, headerClicksSortAndTurnTheDirectionOnTheSortedColumn)
{
    fill({u("b"), u("a"), u("c")}, {u("2"), u("3"), u("1")});
    list.SetSortShow(true);
    QStringList events;
    list.OnSortStart = [&](QObject*, int column, bool&) { events.append(u("start %1").arg(column)); };
    list.OnSortDone = [&](QObject*, int column) { events.append(u("done %1").arg(column)); };
    list.OnColumnClick = [&](QObject*, TListColumn* column) { events.append(u("click %1").arg(column->GetIndex())); };
    const auto click = [&](int column) {
        const QHeaderView* header = list.header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 30, header->height() / 2));
    };

    click(1);
    EXPECT_EQ(list.GetSortDirection(), sdAscending) << "a first click keeps the direction";
    EXPECT_EQ(captions(), QStringList({u("c"), u("b"), u("a")}));
    click(1);
    EXPECT_EQ(list.GetSortDirection(), sdDescending);
    EXPECT_EQ(captions(), QStringList({u("a"), u("b"), u("c")}));
    click(0);
    EXPECT_EQ(list.GetSortDirection(), sdDescending) << "another column keeps the direction";
    EXPECT_EQ(captions(), QStringList({u("c"), u("b"), u("a")}));
    EXPECT_EQ(events, QStringList({u("start 1"), u("done 1"), u("click 1"), u("start 1"), u("done 1"), u("click 1"),
                                   u("start 0"), u("done 0"), u("click 0")}));

    list.OnSortStart = [](QObject*, int, bool& enable) { enable = false; };
    click(1);
    EXPECT_EQ(captions(), QStringList({u("c"), u("b"), u("a")})) << "refused: nothing sorted";
    list.SetSortColumn(1);
    EXPECT_EQ(captions(), QStringList({u("c"), u("b"), u("a")}));

    list.OnSortStart = nullptr;
    list.SetSortShow(false);
    click(1);
    EXPECT_EQ(captions(), QStringList({u("c"), u("b"), u("a")})) << "without SortShow a click does not sort";
    EXPECT_EQ(list.GetSortColumn(), list.Columns().Count() + 1);
}

TEST_F(AdvListVSortTest, selectionAndFocusMoveWithTheirRows)
{
    list.SetMultiSelect(true);
    fill({u("c"), u("a"), u("b")}, {});
    list.Items()[0]->SetSelected(true);
    list.Items()[0]->SetFocused(true);
    list.Items()[2]->SetChecked(true);
    list.SetSortColumn(0);
    EXPECT_EQ(captions(), QStringList({u("a"), u("b"), u("c")}));
    EXPECT_TRUE(list.Items()[2]->GetSelected());
    EXPECT_TRUE(list.Items()[2]->GetFocused());
    EXPECT_FALSE(list.Items()[0]->GetSelected());
    EXPECT_TRUE(list.Items()[1]->GetChecked());
    EXPECT_EQ(list.Items()[1]->GetIndex(), 1);
}
