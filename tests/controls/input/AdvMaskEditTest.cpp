#include "AdvMaskEdit.h"
#include "InputTestSupport.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A shown window with the mask edit between two plain edits, and a cancel button.
struct MaskFixture : ::testing::Test
{
    void SetUp() override
    {
        before = new QLineEdit(&window.form);
        before->setGeometry(100, 10, 150, 21);
        edit = new TAdvMaskEdit(&window.form);
        edit->setGeometry(100, 40, 150, 21);
        after = new QLineEdit(&window.form);
        after->setGeometry(100, 70, 150, 21);
        cancel = new QPushButton(QStringLiteral("Anuluj"), &window.form);
        cancel->setGeometry(200, 200, 80, 25);
        window.form.SetCancelButton(cancel);
        QObject::connect(cancel, &QPushButton::clicked, [this] { ++cancelClicks; });
        edit->Loaded();
        ASSERT_TRUE(window.show());
    }

    void focusEdit()
    {
        edit->setFocus(Qt::OtherFocusReason);
        settle();
    }

    // A date of eight digits between two slashes, which the Polish locale shows as dots.
    void useDateMask()
    {
        edit->SetEditMask(QStringLiteral("!99/99/0000;1;_"));
        focusEdit();
        edit->home(false);
    }

    // Sends a character as the keyboard would, also one QTest cannot spell.
    void typeCharacter(QChar ch) { typeText(edit, QString(ch)); }

    ShownForm window;
    QLineEdit* before = nullptr;
    TAdvMaskEdit* edit = nullptr;
    QLineEdit* after = nullptr;
    QPushButton* cancel = nullptr;
    int cancelClicks = 0;
};

} // namespace

TEST(AdvMaskEditTest, masksTranslateCharacterByCharacter)
{
    struct Case
    {
        const char* editMask;
        const char* inputMask;
        bool saveLiterals;
    };
    const Case cases[] = {
        {"!99/99/0000;1;_", "00.00.9999;_", true},
        {"00:00", "99:99;_", true},
        {"(999) 000-0000;0; ", "(000) 999-9999; ", false},
        {">LL<ll", ">AA<aa;_", true},
        {"<>AaCc", "!NnXx;_", true},
        {"#999;1;*", "#000;*", true},
        // Letters that mean something to Qt only stand for themselves, escaped; '\' makes a mask character literal.
        {"H\\0-D_9", "\\H\\0-\\D 0;_", true},
        {"\\L\\;0", "L\\;9;_", true},
        {"", "", true},
    };
    for (const Case& c : cases) {
        const TranslatedEditMask mask = TranslateEditMask(QString::fromUtf8(c.editMask));
        EXPECT_EQ(mask.inputMask, QString::fromUtf8(c.inputMask)) << c.editMask;
        EXPECT_EQ(mask.saveLiterals, c.saveLiterals) << c.editMask;
    }
    const TranslatedEditMask phone = TranslateEditMask(QStringLiteral("(999)#0"));
    ASSERT_EQ(phone.positions.size(), 7);
    EXPECT_TRUE(phone.positions[0].literal);
    EXPECT_EQ(phone.positions[1].check, MaskCheck::Digit);
    EXPECT_EQ(phone.positions[5].check, MaskCheck::DigitOrSign);
}

TEST_F(MaskFixture, theEighthDigitOfADateMovesTheFocusOn)
{
    QString completed;
    edit->OnMaskComplete = [&](TAdvMaskEdit*, const QString& value, bool&) { completed = value; };
    useDateMask();
    QTest::keyClicks(edit, QStringLiteral("3112190"));
    settle();
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->GetEditText(), QStringLiteral("31.12.190_"));
    EXPECT_EQ(edit->GetText(), QStringLiteral("31.12.190 "));
    EXPECT_TRUE(completed.isEmpty());

    QTest::keyClicks(edit, QStringLiteral("1"));
    settle();
    EXPECT_EQ(completed, QStringLiteral("31.12.1901"));
    EXPECT_TRUE(after->hasFocus());
}

// Literal positions are filled from the start, also when they hold a space ("_" in a mask stands for one).
TEST_F(MaskFixture, literalSpacesDoNotKeepTheMaskFromCompleting)
{
    struct Case
    {
        const char* editMask;
        const char* typed;
        const char* completed;
    };
    const Case cases[] = {
        {"000 000;1;_", "123456", "123 456"},
        {"00_00;1;_", "1234", "12 34"},
        {"LL 00;1; ", "ab12", "ab 12"},
        {"00 00;0;_", "1234", "1234"},
    };
    for (const Case& c : cases) {
        QString completed;
        edit->OnMaskComplete = [&](TAdvMaskEdit*, const QString& value, bool&) { completed = value; };
        edit->SetEditMask(QString::fromUtf8(c.editMask));
        edit->SetText(QString());
        focusEdit();
        edit->home(false);
        QTest::keyClicks(edit, QString::fromUtf8(c.typed).chopped(1));
        settle();
        EXPECT_TRUE(completed.isEmpty()) << c.editMask;
        QTest::keyClicks(edit, QString::fromUtf8(c.typed).right(1));
        settle();
        EXPECT_EQ(completed, QString::fromUtf8(c.completed)) << c.editMask;
        EXPECT_TRUE(after->hasFocus()) << c.editMask;
    }
}

TEST_F(MaskFixture, maskCompleteAnsweringFalseKeepsTheFocus)
{
    edit->OnMaskComplete = [](TAdvMaskEdit*, const QString&, bool& accept) { accept = false; };
    useDateMask();
    QTest::keyClicks(edit, QStringLiteral("01021903"));
    settle();
    EXPECT_TRUE(edit->hasFocus());

    // Without AutoTab a complete mask leaves the focus where it is as well.
    edit->OnMaskComplete = nullptr;
    edit->SetAutoTab(false);
    edit->SetText(QString());
    edit->home(false);
    QTest::keyClicks(edit, QStringLiteral("01021903"));
    settle();
    EXPECT_TRUE(edit->hasFocus());
}

TEST_F(MaskFixture, returnMovesOnAndNeverReachesTheMask)
{
    int returns = 0;
    QObject::connect(edit, &QLineEdit::returnPressed, [&] { ++returns; });
    useDateMask();
    QTest::keyClicks(edit, QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Return);
    settle();
    EXPECT_TRUE(after->hasFocus());
    EXPECT_EQ(edit->GetEditText(), QStringLiteral("12.__.____"));
    EXPECT_EQ(returns, 0);

    edit->SetReturnIsTab(false);
    focusEdit();
    QTest::keyClick(edit, Qt::Key_Return);
    settle();
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(returns, 1);
}

TEST_F(MaskFixture, selectFirstCharSelectsTheFirstCharacterOnEntry)
{
    edit->SetEditMask(QStringLiteral("000;1;_"));
    edit->SetText(QStringLiteral("123"));
    edit->SetSelectFirstChar(true);
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    settle();
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->selectionStart(), 0);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("1"));

    // Without it the whole text is selected, as on any edit.
    edit->SetSelectFirstChar(false);
    QTest::keyClick(edit, Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(before, Qt::Key_Tab);
    settle();
    EXPECT_EQ(edit->selectedText(), QStringLiteral("123"));
}

TEST_F(MaskFixture, escWithCanUndoRestoresTheTextAtFocusAndReachesTheWindow)
{
    edit->SetEditMask(QStringLiteral("00-00;1;_"));
    edit->SetText(QStringLiteral("1234"));
    for (TAlignment alignment : {taLeftJustify, taRightJustify, taCenter}) {
        edit->SetAlignment(alignment);
        edit->SetCanUndo(true);
        focusEdit();
        edit->home(false);
        QTest::keyClicks(edit, QStringLiteral("98"));
        ASSERT_EQ(edit->GetText(), QStringLiteral("98-34"));
        QTest::keyClick(edit, Qt::Key_Escape);
        EXPECT_EQ(edit->GetText(), QStringLiteral("12-34")) << int(alignment);
        EXPECT_FALSE(edit->GetModified());
        before->setFocus();
        settle();
    }
    EXPECT_EQ(cancelClicks, 3);

    edit->SetCanUndo(false);
    focusEdit();
    edit->home(false);
    QTest::keyClicks(edit, QStringLiteral("98"));
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->GetText(), QStringLiteral("98-34"));
    EXPECT_EQ(cancelClicks, 4);
}

TEST_F(MaskFixture, digitPositionsTakeAsciiDigitsAndTheSignPositionASign)
{
    edit->SetEditMask(QStringLiteral("#00;1;_"));
    focusEdit();
    edit->home(false);
    typeCharacter(u'-');
    typeCharacter(QChar(0x00B2)); // superscript two: a number to Qt, no digit to the mask
    typeCharacter(u'x');
    typeCharacter(u'4');
    typeCharacter(u'2');
    EXPECT_EQ(edit->GetText(), QStringLiteral("-42"));
}

TEST_F(MaskFixture, focusColourLeftAtClWindowChangesNothingVisible)
{
    edit->SetText(QStringLiteral("Abc"));
    // A point of the background inside the frame, right of the text and far from the caret.
    const QPoint probe(edit->width() - 6, edit->height() / 2);
    const QColor unfocused = edit->grab().toImage().pixelColor(probe);
    focusEdit();
    EXPECT_EQ(edit->grab().toImage().pixelColor(probe), unfocused);
    EXPECT_EQ(edit->GetColor(), clWindow);

    // A colour of its own shows while focused and goes again with the focus.
    edit->SetFocusColor(clYellow);
    before->setFocus();
    focusEdit();
    EXPECT_EQ(edit->grab().toImage().pixelColor(probe), QColor(Qt::yellow));
    before->setFocus();
    settle();
    EXPECT_EQ(edit->grab().toImage().pixelColor(probe), unfocused);

    // clNone is not left out: it paints as its low three bytes.
    edit->SetFocusColor(clNone);
    focusEdit();
    EXPECT_EQ(edit->GetColor(), TColor(0xFFFFFF));
}

TEST_F(MaskFixture, showModifiedColoursTheTypedTextUntilModifiedIsCleared)
{
    edit->SetFontColor(clNavy);
    edit->SetShowModified(true);
    edit->SetFocusFontColor(clNone);
    focusEdit();
    QTest::keyClicks(edit, QStringLiteral("x"));
    EXPECT_TRUE(edit->GetModified());
    EXPECT_EQ(edit->GetFontColor(), clRed);
    edit->SetModified(false);
    EXPECT_EQ(edit->GetFontColor(), clNavy);
}

TEST_F(MaskFixture, theLabelHasTheEditsFontAndStaysPutCentredAboveOrBelow)
{
    const auto labelSize = [this] { return TFont::FromQFont(edit->GetLabel()->font()).GetSize(); };
    // The edit takes its window's font; LabelFont then stays out of the label until it is set.
    TFont windowFont = TFont::FromQFont(window.form.font());
    windowFont.SetSize(14);
    window.form.setFont(windowFont.ToQFont());
    edit->SetLabelCaption(QStringLiteral("Data:"));
    ASSERT_NE(edit->GetLabel(), nullptr);
    EXPECT_EQ(labelSize(), 14) << "made with the edit's font, not LabelFont";

    edit->SetLabelPosition(lpTopLeft);
    const QPoint above = edit->GetLabel()->pos();
    EXPECT_EQ(above.x(), edit->x());
    edit->SetLabelPosition(lpTopCenter);
    EXPECT_EQ(edit->GetLabel()->pos(), above);
    edit->move(120, 60);
    edit->SetLabelPosition(lpBottomCenter);
    EXPECT_EQ(edit->GetLabel()->pos(), above);
    edit->SetLabelPosition(lpLeftCenter);
    EXPECT_EQ(edit->GetLabel()->x(), 120 - edit->GetLabel()->TextWidth() - 4);

    // LabelFont reaches the label at once.
    TFont small = edit->GetLabelFont();
    small.SetSize(7);
    edit->SetLabelFont(small);
    EXPECT_EQ(labelSize(), 7);
}

TEST_F(MaskFixture, defaultsAndVersion)
{
    EXPECT_TRUE(edit->GetAutoTab());
    EXPECT_TRUE(edit->GetReturnIsTab());
    EXPECT_FALSE(edit->GetCanUndo());
    EXPECT_EQ(edit->GetFocusColor(), clWindow);
    EXPECT_EQ(edit->GetFocusBorderColor(), clNone);
    EXPECT_EQ(edit->GetDisabledColor(), clSilver);
    EXPECT_EQ(edit->GetLabelMargin(), 4);
    EXPECT_EQ(edit->GetVersion(), QStringLiteral("2.8.1.14"));
    edit->SetVersion(QStringLiteral("9.9.9.9"));
    EXPECT_EQ(edit->GetVersion(), QStringLiteral("2.8.1.14"));
}
