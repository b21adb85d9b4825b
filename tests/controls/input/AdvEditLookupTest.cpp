#include "AdvEdit.h"
#include "InputTestSupport.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

struct LookupFixture : ::testing::Test
{
    void SetUp() override
    {
        edit = new TAdvEdit(&window.form);
        edit->setGeometry(100, 20, 150, 21);
        other = new QLineEdit(&window.form);
        other->setGeometry(100, 60, 150, 21);
        TLookupSettings& lookup = edit->GetLookup();
        lookup.SetEnabled(true);
        for (const char* surname : {"Kowalski", "Nowak", "Kowalczyk"})
            lookup.GetDisplayList().Add(QString::fromUtf8(surname));
        ASSERT_TRUE(window.show());
        edit->setFocus();
        settle();
    }
    QListWidget* list() const { return edit->GetLookupWindow()->GetListControl(); }
    bool listShown() const { return edit->GetLookupWindow() && edit->GetLookupWindow()->isVisible(); }
    QStringList shownEntries() const
    {
        QStringList entries;
        for (int i = 0; i < list()->count(); ++i)
            entries.append(list()->item(i)->text());
        return entries;
    }

    ShownForm window;
    TAdvEdit* edit = nullptr;
    QLineEdit* other = nullptr;
};

} // namespace

TEST_F(LookupFixture, matchesAppearFromTheSecondCharacterSortedWithTheFirstChosen)
{
    QTest::keyClicks(edit, QStringLiteral("K"));
    EXPECT_FALSE(listShown());
    QTest::keyClicks(edit, QStringLiteral("OW"));
    ASSERT_TRUE(listShown());
    EXPECT_EQ(shownEntries(), (QStringList{QStringLiteral("Kowalczyk"), QStringLiteral("Kowalski")}));
    EXPECT_EQ(list()->currentRow(), 0);
    // The edit keeps the keyboard while the list is shown.
    EXPECT_TRUE(edit->hasFocus());

    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(listShown());
    EXPECT_EQ(edit->GetText(), QStringLiteral("Kowalski"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("Kowalski"));

    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, QStringLiteral("xx"));
    EXPECT_FALSE(listShown());
}

TEST_F(LookupFixture, caseSensitiveMatchingRespectsCase)
{
    edit->GetLookup().SetCaseSensitive(true);
    QTest::keyClicks(edit, QStringLiteral("KOW"));
    EXPECT_FALSE(listShown());
    edit->SetTextDirect(QString());
    QTest::keyClicks(edit, QStringLiteral("Now"));
    EXPECT_TRUE(listShown());
}

TEST_F(LookupFixture, valuesReplaceTheirEntriesAndHandlersHaveTheLastWord)
{
    TStringList codes;
    codes.Add(QStringLiteral("K1"));
    codes.Add(QStringLiteral("N1"));
    edit->GetLookup().SetValueList(codes);
    QStringList selected;
    edit->OnLookupIndexSelect = [&](TAdvEdit*, int index, QString& value) {
        selected.append(QString::number(index) + u'=' + value);
    };
    QTest::keyClicks(edit, QStringLiteral("Now"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->GetText(), QStringLiteral("N1"));

    // The third entry has no value: the entry itself is written.
    edit->SetTextDirect(QString());
    QTest::keyClicks(edit, QStringLiteral("Kowalc"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->GetText(), QStringLiteral("Kowalczyk"));
    EXPECT_EQ(selected, (QStringList{QStringLiteral("1=N1"), QStringLiteral("2=Kowalczyk")}));

    edit->OnLookupSelect = [](TAdvEdit*, QString& value) { value = value.toUpper(); };
    edit->SetTextDirect(QString());
    QTest::keyClicks(edit, QStringLiteral("No"));
    const QRect first = list()->visualItemRect(list()->item(0));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(edit->GetText(), QStringLiteral("N1"));
}

TEST_F(LookupFixture, multiModeCompletesTheLastEntry)
{
    TLookupSettings& lookup = edit->GetLookup();
    lookup.SetMulti(true);
    edit->SetTextDirect(QStringLiteral("Kowalski;Nowak;"));
    edit->setCursorPosition(15);
    QTest::keyClicks(edit, QStringLiteral("Kowalc"));
    ASSERT_TRUE(listShown());
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->GetText(), QStringLiteral("Kowalski;Nowak;Kowalczyk;"));
    EXPECT_EQ(edit->cursorPosition(), int(edit->text().size()));
}

TEST_F(LookupFixture, historyKeepsEachLeftValueOnceAndTheListClosesWithTheFocus)
{
    edit->GetLookup().SetHistory(true);
    edit->SetTextDirect(QStringLiteral("Wiśniewski "));
    other->setFocus();
    settle();
    edit->setFocus();
    settle();
    other->setFocus();
    settle();
    const TStringList& history = edit->GetLookup().GetDisplayList();
    EXPECT_EQ(history.Count(), 4);
    EXPECT_EQ(history[3], QStringLiteral("Wiśniewski"));

    edit->setFocus();
    edit->SetTextDirect(QString());
    QTest::keyClicks(edit, QStringLiteral("Ko"));
    ASSERT_TRUE(listShown());
    other->setFocus();
    settle();
    EXPECT_FALSE(listShown());
    EXPECT_EQ(edit->GetText(), QStringLiteral("Ko"));
}
