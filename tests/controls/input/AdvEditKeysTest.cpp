#include "AdvEdit.h"
#include "InputTestSupport.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A shown window with the edit under test between two other edits, and a default and a cancel button.
struct KeysFixture : ::testing::Test
{
    void SetUp() override
    {
        before = new QLineEdit(&window.form);
        before->setGeometry(100, 10, 150, 21);
        edit = new TAdvEdit(&window.form);
        edit->setGeometry(100, 40, 150, 21);
        after = new QLineEdit(&window.form);
        after->setGeometry(100, 70, 150, 21);
        ok = new QPushButton(QStringLiteral("OK"), &window.form);
        ok->setGeometry(100, 200, 80, 25);
        cancel = new QPushButton(QStringLiteral("Anuluj"), &window.form);
        cancel->setGeometry(200, 200, 80, 25);
        window.form.SetDefaultButton(ok);
        window.form.SetCancelButton(cancel);
        QObject::connect(ok, &QPushButton::clicked, [this] { ++okClicks; });
        QObject::connect(cancel, &QPushButton::clicked, [this] { ++cancelClicks; });
        edit->OnChange = [this](TCustomEdit*) { ++changes; };
        ASSERT_TRUE(window.show());
        focusEdit();
    }

    void focusEdit()
    {
        edit->setFocus(Qt::OtherFocusReason);
        settle();
    }

    void type(const QString& text) { QTest::keyClicks(edit, text); }

    void commit(const QString& text) { commitText(edit, text); }

    ShownForm window;
    QLineEdit* before = nullptr;
    TAdvEdit* edit = nullptr;
    QLineEdit* after = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    int changes = 0;
    int okClicks = 0;
    int cancelClicks = 0;
};

struct TypingCase
{
    TAdvEditType type;
    int precision;
    bool isSigned;
    const char* typed;
    QString value;
};

} // namespace

TEST_F(KeysFixture, everyKeyRaisesOnKeyDownOnce)
{
    type("Kowalski");
    QList<int> keys;
    edit->OnKeyDown = [&](TCustomEdit*, int& key, Qt::KeyboardModifiers) { keys << key; };
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Left, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_Delete,
                        Qt::Key_Backspace, Qt::Key_End, Qt::Key_Escape})
        QTest::keyClick(edit, key);
    EXPECT_EQ(keys, QList<int>({Qt::Key_A, Qt::Key_Left, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_Delete,
                                Qt::Key_Backspace, Qt::Key_End, Qt::Key_Escape}));
}

TEST_F(KeysFixture, typedCharactersPassTheFilterOfTheEditType)
{
    const TypingCase cases[] = {
        {etString, 0, false, "Abc 1", QStringLiteral("Abc 1")},
        {etNumeric, 0, false, "12a3", QStringLiteral("123")},
        {etNumeric, 0, false, "-5", QStringLiteral("5")},
        {etNumeric, 0, true, "12-", QStringLiteral("-12")},
        {etFloat, 2, false, "3,14159", QStringLiteral("3,14")},
        {etFloat, 0, false, "3,5", QStringLiteral("35")},
        {etFloat, 2, false, ",5", QStringLiteral("0,5")},
        {etFloat, 2, false, "1.5", QStringLiteral("15")},
        // A second separator sends the caret behind the first.
        {etFloat, 2, false, "1,2,3", QStringLiteral("1,32")},
        {etMoney, 2, false, "1234,5", grouped("1 234,5")},
        {etMoney, 2, true, "12-", QStringLiteral("-12")},
        {etUppercase, 0, false, "abc", QStringLiteral("ABC")},
        {etLowerCase, 0, false, "ABC", QStringLiteral("abc")},
        {etMixedCase, 0, false, "jean-luc o'neil", QStringLiteral("Jean-Luc O'Neil")},
        {etHex, 0, false, "1fz", QStringLiteral("1f")},
        {etAlphaNumeric, 0, false, "a b-1", QStringLiteral("ab1")},
        {etRange, 0, false, "1-5,7;9", QStringLiteral("1-5,7;9")},
        // A separator cannot start the value nor stand next to another.
        {etRange, 0, false, ",1,,2", QStringLiteral("1,2")},
        {etPassword, 0, false, "tajne", QStringLiteral("tajne")},
    };
    for (const TypingCase& c : cases) {
        edit->SetAllowNumericNullValue(true);
        edit->SetEditType(c.type);
        edit->SetPrecision(c.precision);
        edit->SetSigned(c.isSigned);
        edit->SetTextDirect(QString());
        type(QString::fromUtf8(c.typed));
        EXPECT_EQ(edit->GetText(), c.value) << c.typed;
        edit->SetEditType(etString);
    }
}

TEST_F(KeysFixture, validCharsAcceptOnlyTheirCharacters)
{
    edit->SetEditType(etValidChars);
    edit->SetValidChars(QStringLiteral("xz"));
    type(QStringLiteral("xyz"));
    EXPECT_EQ(edit->GetText(), QStringLiteral("xz"));
}

TEST_F(KeysFixture, typingOverAWhollySelectedValueRaisesOnChange)
{
    edit->SetText(QStringLiteral("Nowak"));
    edit->SelectAll();
    changes = 0;
    type(QStringLiteral("K"));
    EXPECT_EQ(edit->GetText(), QStringLiteral("K"));
    EXPECT_EQ(changes, 1);
    type(QStringLiteral("o"));
    EXPECT_EQ(changes, 2);

    edit->SelectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->GetText(), QString());
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(edit->GetModified());
}

TEST_F(KeysFixture, returnAsTabMovesTheFocusAndOtherwiseReachesTheDefaultButton)
{
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(okClicks, 1);
    EXPECT_TRUE(edit->hasFocus());

    edit->SetReturnIsTab(true);
    QChar pressed;
    edit->OnKeyPress = [&](TCustomEdit*, QChar& key) { pressed = key; };
    QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Return);
    settle();
    EXPECT_TRUE(after->hasFocus());
    EXPECT_EQ(pressed, QChar(u'\r'));
    EXPECT_EQ(okClicks, 1);
}

TEST_F(KeysFixture, escapeRestoresTheValueAtFocusAndReachesTheCancelButton)
{
    edit->SetText(QStringLiteral("Nowak"));
    after->setFocus();
    focusEdit();
    edit->setCursorPosition(5);
    type(QStringLiteral("owa"));
    ASSERT_TRUE(edit->GetModified());
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->GetText(), QStringLiteral("Nowak"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("Nowak"));
    EXPECT_FALSE(edit->GetModified());
    EXPECT_EQ(cancelClicks, 1);

    // Without undo, Esc only reaches the window.
    edit->SetCanUndo(false);
    type(QStringLiteral("x"));
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->GetText(), QStringLiteral("x"));
    EXPECT_EQ(cancelClicks, 2);
}

TEST_F(KeysFixture, theCaretStaysOutOfPrefixAndSuffix)
{
    edit->SetPrefix(QStringLiteral("$"));
    edit->SetSuffix(QStringLiteral("zł"));
    edit->SetText(QStringLiteral("12"));
    edit->setCursorPosition(1);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Left);
    EXPECT_EQ(edit->text(), QStringLiteral("$12zł"));
    EXPECT_EQ(edit->cursorPosition(), 1);

    QTest::keyClick(edit, Qt::Key_End);
    EXPECT_EQ(edit->cursorPosition(), 3);
    QTest::keyClick(edit, Qt::Key_Right);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->cursorPosition(), 3);
    EXPECT_EQ(edit->text(), QStringLiteral("$12zł"));

    QTest::keyClick(edit, Qt::Key_Home);
    EXPECT_EQ(edit->cursorPosition(), 1);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("12"));
    EXPECT_EQ(edit->cursorPosition(), 1);
}

TEST_F(KeysFixture, aFloatWithFullDecimalsOverwritesOrRefusesDigits)
{
    edit->SetEditType(etFloat);
    edit->SetPrecision(2);
    edit->SetText(QStringLiteral("1,25"));
    edit->setCursorPosition(4);
    type(QStringLiteral("7"));
    EXPECT_EQ(edit->GetText(), QStringLiteral("1,25"));
    edit->setCursorPosition(3);
    type(QStringLiteral("7"));
    EXPECT_EQ(edit->GetText(), QStringLiteral("1,27"));
    // A second separator sends the caret behind the first.
    edit->setCursorPosition(0);
    type(QStringLiteral(","));
    EXPECT_EQ(edit->GetText(), QStringLiteral("1,27"));
    EXPECT_EQ(edit->cursorPosition(), 2);
}

TEST_F(KeysFixture, minusTogglesTheSign)
{
    edit->SetEditType(etNumeric);
    edit->SetSigned(true);
    edit->SetText(QStringLiteral("12"));
    edit->setCursorPosition(2);
    type(QStringLiteral("-"));
    EXPECT_EQ(edit->GetText(), QStringLiteral("-12"));
    EXPECT_EQ(edit->cursorPosition(), 3);
    type(QStringLiteral("-"));
    EXPECT_EQ(edit->GetText(), QStringLiteral("12"));
    EXPECT_EQ(edit->cursorPosition(), 2);
}

TEST_F(KeysFixture, theLengthLimitHoldsTheIntegerPartAndMayMoveTheFocusOn)
{
    edit->SetEditType(etFloat);
    edit->SetPrecision(2);
    edit->SetLengthLimit(3);
    edit->SetTextDirect(QStringLiteral("123,4"));
    edit->setCursorPosition(3);
    type(QStringLiteral("9"));
    EXPECT_EQ(edit->GetText(), QStringLiteral("123,4"));
    edit->setCursorPosition(5);
    type(QStringLiteral("9"));
    EXPECT_EQ(edit->GetText(), QStringLiteral("123,49"));

    edit->SetTabOnFullLength(true);
    edit->SetAllowNumericNullValue(true);
    edit->SetTextDirect(QString());
    type(QStringLiteral("12"));
    settle();
    EXPECT_TRUE(edit->hasFocus());
    type(QStringLiteral("3"));
    settle();
    EXPECT_TRUE(after->hasFocus());
}

TEST_F(KeysFixture, textFromTheInputMethodTakesTheSameFilter)
{
    edit->SetEditType(etUppercase);
    commit(QStringLiteral("ą"));
    EXPECT_EQ(edit->GetText(), QStringLiteral("Ą"));
    edit->SetEditType(etAlphaNumeric);
    commit(QStringLiteral("ł"));
    commit(QStringLiteral("b"));
    EXPECT_EQ(edit->GetText(), QStringLiteral("Ąb"));
}

TEST_F(KeysFixture, theKeypadSeparatorTypesTheLocalesDecimalSeparator)
{
    edit->SetEditType(etFloat);
    edit->SetPrecision(2);
    edit->SetExcelStyleDecimalSeparator(true);
    edit->SetTextDirect(QStringLiteral("1"));
    edit->setCursorPosition(1);
    QTest::keyClick(edit, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(edit->GetText(), QStringLiteral("1,"));
}

TEST_F(KeysFixture, aReadOnlyEditTakesNoTypingButLetsTheCaretMove)
{
    edit->SetText(QStringLiteral("Nowak"));
    edit->SetReadOnly(true);
    edit->setCursorPosition(5);
    type(QStringLiteral("x"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    commit(QStringLiteral("y"));
    QTest::keyClick(edit, Qt::Key_Left);
    EXPECT_EQ(edit->GetText(), QStringLiteral("Nowak"));
    EXPECT_EQ(edit->cursorPosition(), 4);
    EXPECT_FALSE(edit->GetModified());
}
