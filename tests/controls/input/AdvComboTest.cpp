#include "AdvCombo.h"
#include "InputTestSupport.h"

#include <QAbstractItemView>
#include <QLineEdit>

namespace {

struct ComboFixture : ::testing::Test
{
    void SetUp() override
    {
        other = new QLineEdit(&window.form);
        other->setGeometry(150, 10, 150, 21);
        combo = new TAdvComboBox(&window.form);
        combo->setGeometry(150, 50, 150, 21);
        combo->addItems({QStringLiteral("Kowalski"), QStringLiteral("Nowak"), QStringLiteral("Wiśniewski")});
        combo->SetItemIndex(0);
        combo->OnChange = [this](TAdvCustomCombo* sender) {
            EXPECT_EQ(sender, combo);
            ++changes;
        };
        combo->OnClick = [this](TAdvCustomCombo*) { ++clicks; };
        ASSERT_TRUE(window.show());
        combo->setFocus();
        settle();
    }

    ShownForm window;
    QLineEdit* other = nullptr;
    TAdvComboBox* combo = nullptr;
    int changes = 0;
    int clicks = 0;
};

} // namespace

TEST_F(ComboFixture, onChangeFollowsTheUserAndNeverTheCode)
{
    combo->SetStyle(csDropDownList);
    combo->SetItemIndex(2);
    combo->SelectItem(QStringLiteral("nowak"));
    combo->SetText(QStringLiteral("KOWALSKI"));
    EXPECT_EQ(combo->GetItemIndex(), 0);
    EXPECT_EQ(changes, 0);

    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->GetItemIndex(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1);

    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QRect third = list->visualRect(combo->model()->index(2, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
    settle();
    EXPECT_EQ(combo->GetText(), QStringLiteral("Wiśniewski"));
    EXPECT_EQ(changes, 2);
}

TEST_F(ComboFixture, typedTextRaisesOnChangeAndReturnAddsNoItem)
{
    combo->lineEdit()->clear();
    QTest::keyClicks(combo, QStringLiteral("Zie"));
    EXPECT_EQ(changes, 3);
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->GetText(), QStringLiteral("Zie"));

    // A typed text that names an item in another case finds it.
    combo->lineEdit()->clear();
    QTest::keyClicks(combo, QStringLiteral("nowak"));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->GetItemIndex(), 1);
}

TEST_F(ComboFixture, selectItemIgnoresCaseAndKeepsTheIndexForUnknownText)
{
    combo->SelectItem(QStringLiteral("WIŚNIEWSKI"));
    EXPECT_EQ(combo->GetItemIndex(), 2);
    combo->SelectItem(QStringLiteral("Zieliński"));
    EXPECT_EQ(combo->GetItemIndex(), 2);
    EXPECT_EQ(changes, 0);
}

TEST_F(ComboFixture, replacingTheItemsKeepsTheText)
{
    // An editable combo keeps what its edit part shows, an item of the new list or not.
    combo->SetText(QStringLiteral("Kowalczyk"));
    combo->SetItems({QStringLiteral("Dąbrowski"), QStringLiteral("Kamiński")});
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->GetText(), "Kowalczyk");
    combo->SetItems({});
    EXPECT_EQ(combo->count(), 0);
    EXPECT_EQ(combo->GetText(), "Kowalczyk");

    // A drop-down list keeps the item of the same text when the new list has one, and shows none otherwise.
    combo->SetStyle(csDropDownList);
    combo->SetItems({QStringLiteral("Nowak"), QStringLiteral("Wiśniewski")});
    combo->SetItemIndex(1);
    combo->SetItems({QStringLiteral("Adamski"), QStringLiteral("Wiśniewski"), QStringLiteral("Zieliński")});
    EXPECT_EQ(combo->GetText(), "Wiśniewski");
    EXPECT_EQ(combo->GetItemIndex(), 1);
    combo->SetItems({QStringLiteral("Adamski")});
    EXPECT_EQ(combo->GetItemIndex(), -1);
    EXPECT_EQ(changes, 0) << "no user action";
}

TEST_F(ComboFixture, theLabelFollowsVisibilityAndEnabledState)
{
    EXPECT_EQ(combo->GetLabelCaption(), QString());
    EXPECT_EQ(combo->GetLabel(), nullptr);
    combo->SetLabelPosition(lpLeftCenter);
    combo->SetLabelCaption(QStringLiteral("Nazwisko:"));
    TLabel* label = combo->GetLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry().right() + 1, 150 - 4);
    EXPECT_EQ(label->y(), 50 + (21 - label->height()) / 2);

    combo->SetVisibleEx(false);
    EXPECT_FALSE(combo->GetVisibleEx());
    EXPECT_FALSE(label->isVisible());
    combo->SetVisibleEx(true);
    EXPECT_TRUE(label->isVisible());

    combo->SetEnabledEx(false);
    EXPECT_FALSE(label->isEnabled());
    label->setEnabled(true);
    // The same state again leaves the label alone.
    combo->SetEnabledEx(false);
    EXPECT_TRUE(label->isEnabled());
    combo->SetEnabledEx(true);
    combo->SetLabelAlwaysEnabled(true);
    combo->SetEnabledEx(false);
    EXPECT_TRUE(label->isEnabled());
}

TEST(AdvComboTest, aLabelMadeOnAHiddenWindowAppearsWithIt)
{
    ShownForm window;
    auto* combo = new TAdvComboBox(&window.form);
    combo->setGeometry(150, 50, 150, 21);
    combo->SetLabelPosition(lpTopLeft);
    combo->SetLabelMargin(8);
    combo->SetLabelCaption(QStringLiteral("Płeć"));
    EXPECT_EQ(combo->GetLabel()->pos(), QPoint(150, 50 - combo->GetLabel()->height() - 8));
    ASSERT_TRUE(window.show());
    EXPECT_TRUE(combo->GetLabel()->isVisible());
}

TEST(AdvComboTest, buttonWidthsOutsideTheRangeAreIgnored)
{
    TAdvComboBox combo;
    EXPECT_EQ(combo.GetVersionEx(), QStringLiteral("1.2.5.2"));
    combo.SetButtonWidth(13);
    combo.SetButtonWidth(33);
    const int initial = combo.GetButtonWidth();
    combo.SetButtonWidth(14);
    EXPECT_EQ(combo.GetButtonWidth(), 14);
    combo.SetButtonWidth(32);
    EXPECT_EQ(combo.GetButtonWidth(), 32);
    combo.SetButtonWidth(33);
    EXPECT_EQ(combo.GetButtonWidth(), 32);
    EXPECT_NE(initial, 0);
}

TEST_F(ComboFixture, theFocusColourComesAndGoes)
{
    other->setFocus();
    settle();
    combo->SetColorEx(clWindow);
    combo->SetFocusColor(clYellow);
    combo->Loaded();
    combo->setFocus();
    settle();
    EXPECT_EQ(combo->GetColorEx(), clYellow);
    other->setFocus();
    settle();
    EXPECT_EQ(combo->GetColorEx(), clWindow);
}

TEST_F(ComboFixture, aFlatComboDrawsItsLineAndShowsItsParentsColourWhileDisabled)
{
    combo->SetStyle(csDropDownList);
    combo->SetFlatParentColor(false);
    combo->SetFlat(true);
    other->setFocus();
    settle();
    QImage shot = combo->grab().toImage();
    const int bottom = combo->height() - 1;
    EXPECT_EQ(shot.pixelColor(0, bottom), ToQColor(clBlack));
    EXPECT_EQ(shot.pixelColor(combo->width() - 21, bottom), ToQColor(clBlack));
    EXPECT_NE(shot.pixelColor(combo->width() - 19, bottom), ToQColor(clBlack));
    combo->SetFlatLineColor(clNone);
    EXPECT_NE(combo->grab().toImage().pixelColor(5, bottom), ToQColor(clBlack));

    const QColor parent = window.form.palette().color(QPalette::Window);
    combo->setEnabled(false);
    EXPECT_EQ(combo->palette().color(QPalette::Base), parent);
    combo->setEnabled(true);
    EXPECT_EQ(combo->GetColorEx(), clWindow);
}

TEST_F(ComboFixture, dropDownAndDropUpAreReported)
{
    QStringList seen;
    combo->OnDropDown = [&](TAdvCustomCombo*) { seen.append(QStringLiteral("down")); };
    combo->OnDropUp = [&](TAdvCustomCombo*) { seen.append(QStringLiteral("up")); };
    combo->showPopup();
    combo->hidePopup();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("down"), QStringLiteral("up")}));
}
