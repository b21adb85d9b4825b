#include "EditingInput.h"
#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvPanel.h"
#include "EditingFixture.h"
#include "Forms.h"

#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

// A window with an edit, an editable combo box and a memo that follow the typing rules, and a save button.
class EditingInputTest : public EditingFixture
{
protected:
    void SetUp() override
    {
        EditingFixture::SetUp();
        window.SetClientSize(400, 300);
        edit = new TAdvEdit(&window);
        edit->setGeometry(10, 10, 200, 21);
        combo = new TAdvComboBox(&window);
        combo->setGeometry(10, 40, 200, 21);
        memo = new QPlainTextEdit(&window);
        memo->setGeometry(10, 70, 200, 80);
        save = new QPushButton(QStringLiteral("F3 - Zapisz"), &window);
        save->setGeometry(10, 160, 100, 28);
        for (QWidget* field : std::initializer_list<QWidget*>{edit, combo, memo}) {
            CapitaliseFirstLetter(field);
            EnterMovesOn(field);
        }
        EscapeCloses(memo);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    static QString textOf(QWidget* field)
    {
        if (auto* e = qobject_cast<TAdvEdit*>(field))
            return e->GetText();
        if (auto* c = qobject_cast<TAdvComboBox*>(field))
            return c->GetText();
        return qobject_cast<QPlainTextEdit*>(field)->toPlainText();
    }

    TForm window;
    TAdvEdit* edit = nullptr;
    TAdvComboBox* combo = nullptr;
    QPlainTextEdit* memo = nullptr;
    QPushButton* save = nullptr;
};

TEST_F(EditingInputTest, firstLetterComesInAsACapitalTypedOrCommitted)
{
    for (QWidget* field : std::initializer_list<QWidget*>{edit, combo, memo}) {
        field->setFocus();
        typeText(field, QStringLiteral("kraków"));
        EXPECT_EQ(textOf(field), "Kraków") << field->metaObject()->className();
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_Right);
        QTest::keyClicks(field, QStringLiteral("x"));
        EXPECT_EQ(textOf(field), "Kxraków") << "a letter in the middle keeps its case";
    }

    // Over the whole text selected, the letter replaces it as a capital.
    edit->setFocus();
    edit->selectAll();
    typeText(edit, QStringLiteral("łódź"));
    EXPECT_EQ(edit->GetText(), "Łódź");

    // Polish letters composed with dead keys arrive committed by the input method.
    edit->SetText(QString());
    combo->SetText(QString());
    memo->clear();
    for (QWidget* field : std::initializer_list<QWidget*>{edit, combo, memo}) {
        field->setFocus();
        commitText(field, QStringLiteral("ż"));
        commitText(field, QStringLiteral("ó"));
        EXPECT_EQ(textOf(field), "Żó") << field->metaObject()->className();
    }
}

TEST_F(EditingInputTest, enterMovesOnAndAMemoWithTextBreaksTheLine)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(combo->hasFocus());
    QTest::keyClick(combo, Qt::Key_Enter);
    EXPECT_TRUE(memo->hasFocus());
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_TRUE(save->hasFocus()) << "an empty memo moves on";

    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("Ala"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("ma kota"));
    EXPECT_TRUE(memo->hasFocus());
    EXPECT_EQ(memo->toPlainText(), "Ala\nma kota");
}

TEST_F(EditingInputTest, escapeInTheMemoClosesItsWindow)
{
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(EditingInputTest, anInvalidDateIsRedUntilItIsADate)
{
    const TColor reference = FromQColor(combo->palette().color(QPalette::Text));
    struct Case
    {
        const char* text;
        bool valid;
    };
    for (const Case& c : {Case{"12 maj 1901", true}, Case{"31-02-1900", false}, Case{"przed 1900", true},
                          Case{"N.N.", true}, Case{"", true}, Case{"wczoraj", false}}) {
        edit->SetText(QString::fromUtf8(c.text));
        ShowDateValidity(edit, combo);
        EXPECT_EQ(edit->GetFontColor(), c.valid ? reference : TColor(0x0000FF)) << c.text;
    }
}

TEST_F(EditingInputTest, panelShowsTheColourOfTheSex)
{
    TAdvPanel panel;
    for (const auto& [sex, colour] : {std::pair{0, 0xC4C4FF}, std::pair{1, 0xFFDBB7}, std::pair{2, 0xE6E6E6}}) {
        ShowSexColor(&panel, sex);
        EXPECT_EQ(panel.GetColorTo(), TColor(colour)) << sex;
    }
}

} // namespace
