#include "AdvEdBtn.h"
#include "InputTestSupport.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMenu>

namespace {

struct ButtonEditFixture : ::testing::Test
{
    void SetUp() override
    {
        other = new QLineEdit(&window.form);
        other->setGeometry(100, 10, 150, 21);
        edit = new TAdvEditBtn(&window.form);
        edit->setGeometry(100, 40, 150, 21);
        edit->OnClickBtn = [this](TAdvEditBtn* sender) {
            EXPECT_EQ(sender, edit);
            ++clicks;
            focusedAtClick = edit->hasFocus();
        };
        ASSERT_TRUE(window.show());
        other->setFocus();
        settle();
    }

    ShownForm window;
    QLineEdit* other = nullptr;
    TAdvEditBtn* edit = nullptr;
    int clicks = 0;
    bool focusedAtClick = false;
};

} // namespace

TEST_F(ButtonEditFixture, theButtonSitsInsideTheRightEdgeAndTextStaysClearOfIt)
{
    EXPECT_EQ(edit->GetButtonWidth(), 16);
    edit->SetButtonWidth(18);
    const QRect button = edit->ButtonHost()->geometry();
    EXPECT_EQ(button.width(), 18);
    EXPECT_LE(button.right(), edit->width() - 1);
    EXPECT_GE(edit->textMargins().right(), 18);
    EXPECT_EQ(edit->GetVersion(), QStringLiteral("1.3.2.3"));

    // Never lower than its text needs.
    edit->resize(150, 5);
    EXPECT_GE(edit->height(), edit->fontMetrics().height());
}

TEST_F(ButtonEditFixture, aPressRunsTheActionOnceThePressIsHandledWithTheEditFocused)
{
    QTest::mousePress(edit->ButtonHost()->Button(), Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    settle();
    QTest::mouseRelease(edit->ButtonHost()->Button(), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(focusedAtClick);
}

TEST_F(ButtonEditFixture, f4RunsTheActionButNotWithCtrlOrAlt)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_F4, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_F4, Qt::AltModifier);
    settle();
    EXPECT_EQ(clicks, 0);
    QTest::keyClick(edit, Qt::Key_F4);
    EXPECT_EQ(clicks, 0);
    settle();
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonEditFixture, withTheEditorDisabledOnlyTheButtonAndCopyingWork)
{
    edit->SetText(QStringLiteral("plik.ged"));
    edit->SetEditorEnabled(false);
    edit->setFocus();
    settle();
    edit->setCursorPosition(4);
    QTest::keyClicks(edit, QStringLiteral("xy"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Delete);
    QApplication::clipboard()->setText(QStringLiteral("inny"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    edit->setSelection(0, 4);
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->GetText(), QStringLiteral("plik.ged"));

    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("plik"));
    QTest::keyClick(edit, Qt::Key_F4);
    settle();
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonEditFixture, aReadOnlyEditDisablesItsButton)
{
    edit->SetReadOnlyEx(true);
    EXPECT_FALSE(edit->ButtonHost()->isEnabled());
    edit->SetReadOnlyEx(false);
    EXPECT_TRUE(edit->ButtonHost()->isEnabled());
    edit->setEnabled(false);
    EXPECT_FALSE(edit->ButtonHost()->isEnabled());
}

TEST(UnitEditTest, theButtonOffersTheUnitsInAMenu)
{
    ShownForm window;
    auto* edit = new TUnitAdvEditBtn(&window.form);
    edit->setGeometry(10, 10, 150, 21);
    ASSERT_TRUE(window.show());
    QStringList changed;
    edit->OnUnitChanged = [&](TUnitAdvEditBtn*, const QString& unit) { changed.append(unit); };
    EXPECT_EQ(edit->GetUnitSize(), 20);

    edit->ClickButton();
    QMenu* empty = edit->findChild<QMenu*>();
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->actions().isEmpty());
    empty->close();
    settle();

    TStringList units;
    for (const char* unit : {"cm", "m", "km"})
        units.Add(QString::fromLatin1(unit));
    edit->SetUnits(&units);
    edit->SetUnits(nullptr);
    edit->ClickButton();
    QMenu* menu = nullptr;
    for (QMenu* candidate : edit->findChildren<QMenu*>())
        if (!candidate->actions().isEmpty())
            menu = candidate;
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 3);
    menu->actions()[1]->trigger();
    EXPECT_EQ(edit->GetUnitID(), QStringLiteral("m"));
    EXPECT_EQ(changed, QStringList{QStringLiteral("m")});
}
