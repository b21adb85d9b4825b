#include "AdvOfficeGroups.h"
#include "InputTestSupport.h"

#include <QLineEdit>

namespace {

QStringList names(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(QStringLiteral("Pozycja %1").arg(i + 1));
    return list;
}

// A shown window with an edit before a radio group and a check group, and counters of the groups' clicks.
struct GroupsFixture : ::testing::Test
{
    void SetUp() override
    {
        before = new QLineEdit(&window.form);
        before->setGeometry(10, 10, 150, 21);
        radios = new TAdvOfficeRadioGroup(&window.form);
        radios->setGeometry(10, 40, 300, 120);
        radios->SetCaption(QStringLiteral("Płeć"));
        radios->OnClick = [this](QObject*) { ++radioClicks; };
        checks = new TAdvOfficeCheckGroup(&window.form);
        checks->setGeometry(10, 170, 300, 120);
        checks->OnClick = [this](QObject*) { ++checkClicks; };
        ASSERT_TRUE(window.show());
    }

    template <class Item>
    static QList<Item*> itemsOf(QWidget* group)
    {
        return group->findChildren<Item*>(Qt::FindDirectChildrenOnly);
    }
    QList<TAdvGroupButton*> radioItems() const { return itemsOf<TAdvGroupButton>(radios); }
    QList<TGroupCheck*> checkItems() const { return itemsOf<TGroupCheck>(checks); }
    // Items of a crowded group are only a few pixels high: the click goes to the middle of the row.
    static void click(QWidget* item) { QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(30, item->height() / 2)); }

    ShownForm window;
    QLineEdit* before = nullptr;
    TAdvOfficeRadioGroup* radios = nullptr;
    TAdvOfficeCheckGroup* checks = nullptr;
    int radioClicks = 0;
    int checkClicks = 0;
};

} // namespace

TEST_F(GroupsFixture, itemsFillTheColumnsTopToBottom)
{
    radios->SetColumns(2);
    radios->SetItems(names(5));
    const QList<TAdvGroupButton*> items = radioItems();
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items[3]->GetCaption(), QStringLiteral("Pozycja 4"));

    // Three rows in columns (300 - 10) / 2 wide, in the height left below the caption.
    const int tm = QFontMetrics(radios->GetFont().ToQFont()).height();
    const int h = 120 - tm - 5;
    const int rowHeight = h / 3;
    const int top = (h % 3) / 2 + tm + 1;
    for (int i = 0; i < 5; ++i) {
        const QRect expected((i / 3) * 145 + 8, (i % 3) * rowHeight + top, 145, rowHeight);
        EXPECT_EQ(items[i]->geometry(), expected) << i;
        EXPECT_TRUE(items[i]->isVisible()) << i;
    }

    // Without a caption the rows start half a line higher; a new size arranges again.
    radios->SetCaption(QString());
    radios->resize(300, 150);
    const int h2 = 150 - tm - 5;
    EXPECT_EQ(items[4]->y(), (h2 / 3) + (h2 % 3) / 2 + tm + 1 - tm / 2);
}

TEST_F(GroupsFixture, columnsAreHeldWithinOneToSixteen)
{
    struct Case
    {
        int set;
        int held;
    };
    const Case cases[] = {{0, 1}, {-3, 1}, {5, 5}, {16, 16}, {20, 16}};
    for (const Case& c : cases) {
        radios->SetColumns(c.set);
        EXPECT_EQ(radios->GetColumns(), c.held) << c.set;
        checks->SetColumns(c.set);
        EXPECT_EQ(checks->GetColumns(), c.held) << c.set;
    }
}

TEST_F(GroupsFixture, itemIndexFollowsTheItemsAndIsHeldInRange)
{
    radios->SetItems(names(5));
    radios->SetItemIndex(4);
    EXPECT_EQ(radioClicks, 1) << "checking the item is a click";
    EXPECT_TRUE(radioItems()[4]->GetChecked());

    radios->SetItems(names(3));
    EXPECT_EQ(radios->GetItemIndex(), 2);
    EXPECT_TRUE(radioItems()[2]->GetChecked());
    EXPECT_EQ(radioClicks, 1) << "the group checking an item itself is no click";

    radios->SetItemIndex(-5);
    EXPECT_EQ(radios->GetItemIndex(), -1);
    EXPECT_FALSE(radioItems()[2]->GetChecked());
    EXPECT_EQ(radioClicks, 1);

    radios->SetItemIndex(7);
    EXPECT_EQ(radios->GetItemIndex(), 2);
    radios->SetItems({});
    EXPECT_EQ(radios->GetItemIndex(), -1);
    EXPECT_TRUE(radioItems().isEmpty());
}

TEST_F(GroupsFixture, aClickOnAnItemChoosesItAndClicksTheGroupAlsoWhenChosen)
{
    radios->SetItems(names(3));
    click(radioItems()[1]);
    EXPECT_EQ(radios->GetItemIndex(), 1);
    EXPECT_EQ(radioClicks, 1);
    click(radioItems()[1]);
    EXPECT_EQ(radios->GetItemIndex(), 1);
    EXPECT_EQ(radioClicks, 2);
    click(radioItems()[2]);
    EXPECT_EQ(radios->GetItemIndex(), 2);
    EXPECT_FALSE(radioItems()[1]->GetChecked());
    EXPECT_EQ(radioClicks, 3);
}

TEST_F(GroupsFixture, valueMirrorsTheFirstThirtyTwoChecks)
{
    checks->SetItems(names(40));
    checks->SetValue(0b101);
    const QList<TGroupCheck*> items = checkItems();
    EXPECT_TRUE(items[0]->GetChecked());
    EXPECT_FALSE(items[1]->GetChecked());
    EXPECT_TRUE(items[2]->GetChecked());

    checks->SetChecked(35, true);
    checks->SetValue(0xFFFFFFFF);
    EXPECT_TRUE(items[31]->GetChecked());
    EXPECT_FALSE(items[32]->GetChecked()) << "items past 31 have no bit";
    EXPECT_TRUE(items[35]->GetChecked());

    // Checking from code leaves Value alone; a user's toggle rebuilds it from the items.
    checks->SetChecked(0, false);
    EXPECT_EQ(checks->GetValue(), 0xFFFFFFFFu);
    checks->SetValue(0);
    click(items[1]);
    EXPECT_EQ(checks->GetValue(), 0b10u);
    EXPECT_EQ(checkClicks, 1);
}

TEST_F(GroupsFixture, aBadIndexRaisesOnReadingAndIsIgnoredOnWriting)
{
    checks->SetItems(names(3));
    for (int index : {-1, 3}) {
        try {
            checks->GetChecked(index);
            ADD_FAILURE() << "no exception for " << index;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Invalid checkbox index"));
        }
        EXPECT_THROW(checks->GetReadOnly(index), Exception);
        checks->SetChecked(index, true);
        checks->SetReadOnly(index, true);
    }
    for (TGroupCheck* item : checkItems()) {
        EXPECT_FALSE(item->GetChecked());
        EXPECT_TRUE(item->isEnabled());
    }
}

TEST_F(GroupsFixture, readOnlyHoldsUntilTheNextArrangementUnlessOnIsEnabledSays)
{
    checks->SetItems(names(4));
    checks->SetReadOnly(2, true);
    EXPECT_TRUE(checks->GetReadOnly(2));
    EXPECT_FALSE(checkItems()[2]->isEnabled());
    checks->SetColumns(2);
    EXPECT_FALSE(checks->GetReadOnly(2));

    checks->OnIsEnabled = [](QObject*, int index, bool& enabled) { enabled = index != 2; };
    checks->ArrangeButtons();
    EXPECT_TRUE(checks->GetReadOnly(2));
    checks->setEnabled(false);
    checks->setEnabled(true);
    checks->ArrangeButtons();
    EXPECT_TRUE(checks->GetReadOnly(2));
    EXPECT_FALSE(checks->GetReadOnly(1));
}

TEST_F(GroupsFixture, tabbingIntoTheCheckGroupFocusesTheItemThatHadTheFocusLast)
{
    checks->SetItems(names(4));
    checks->SetTabStop(true);
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    settle();
    EXPECT_TRUE(checkItems()[0]->hasFocus()) << "item 0 at first";

    click(checkItems()[2]);
    before->setFocus();
    settle();
    QTest::keyClick(before, Qt::Key_Tab);
    settle();
    EXPECT_TRUE(checkItems()[2]->hasFocus());

    // Shift+Tab leaves the group instead of coming back into it.
    QTest::keyClick(checkItems()[2], Qt::Key_Tab, Qt::ShiftModifier);
    settle();
    EXPECT_FALSE(checks->isAncestorOf(QApplication::focusWidget()));
    EXPECT_NE(QApplication::focusWidget(), checks);
}

TEST_F(GroupsFixture, itemsPassTheirKeysOnToTheGroup)
{
    checks->SetItems(names(2));
    QList<int> keys;
    QString typed;
    checks->OnKeyDown = [&](QObject* sender, int& key, Qt::KeyboardModifiers) {
        EXPECT_EQ(sender, checks);
        keys.append(key);
    };
    checks->OnKeyPress = [&](QObject*, QChar& key) { typed += key; };
    click(checkItems()[1]);
    QTest::keyClick(checkItems()[1], Qt::Key_A);
    EXPECT_EQ(keys, QList<int>{Qt::Key_A});
    EXPECT_EQ(typed, QStringLiteral("a"));
}

TEST_F(GroupsFixture, itemsTakeTheGroupsSettingsAndVersion)
{
    radios->SetItems(names(2));
    radios->SetAlignment(taRightJustify);
    radios->SetShadowColor(clRed);
    radios->SetEllipsis(true);
    for (TAdvGroupButton* item : radioItems()) {
        EXPECT_EQ(item->GetAlignment(), taRightJustify);
        EXPECT_EQ(item->GetShadowColor(), clRed);
        EXPECT_TRUE(item->GetEllipsis());
    }
    radios->setEnabled(false);
    EXPECT_FALSE(radioItems()[0]->isEnabled());
    EXPECT_EQ(radios->GetVersion(), QStringLiteral("1.1.1.4"));
    EXPECT_EQ(checks->GetVersion(), QStringLiteral("1.1.1.4"));
    EXPECT_EQ(radios->GetShadowOffset(), 1);
    EXPECT_EQ(checks->GetShadowColor(), clSilver);
}
