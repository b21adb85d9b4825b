#include "AdvEdit.h"
#include "InputTestSupport.h"

#include <QLineEdit>

namespace {

struct ValueFixture : ::testing::Test
{
    void SetUp() override
    {
        ASSERT_TRUE(window.show());
        edit = new TAdvEdit(&window.form);
        edit->setGeometry(100, 20, 150, 21);
        other = new QLineEdit(&window.form);
        other->setGeometry(100, 60, 150, 21);
        edit->show();
        other->show();
        edit->setFocus();
        settle();
    }

    ShownForm window;
    TAdvEdit* edit = nullptr;
    QLineEdit* other = nullptr;
};

} // namespace

TEST(AdvEditTest, theValueLiesBetweenPrefixAndSuffix)
{
    struct Case
    {
        const char* prefix;
        const char* suffix;
        const char* windowText;
        const char* value;
    };
    const Case cases[] = {
        {"", "", "12", "12"},
        {"$", "", "$12", "12"},
        // Another character before the '$': the prefix stays.
        {"$", "", "x$12", "x$12"},
        {"", "zł", "12zł", "12"},
        // A suffix is taken off only when the text ends with it (a two-digit value stays whole).
        {"", "zł", "12", "12"},
        {"<", ">", "<abc>", "abc"},
    };
    for (const Case& c : cases) {
        TAdvEdit edit;
        edit.SetPrefix(QString::fromUtf8(c.prefix));
        edit.SetSuffix(QString::fromUtf8(c.suffix));
        edit.SetTextDirect(QString::fromUtf8(c.windowText));
        EXPECT_EQ(edit.GetText(), QString::fromUtf8(c.value)) << c.windowText;
    }
}

TEST(AdvEditTest, setTextFormatsByEditType)
{
    struct Case
    {
        TAdvEditType type;
        int precision;
        TPrecisionDisplay display;
        bool allowNull;
        const char* value;
        QString shown;
    };
    const Case cases[] = {
        {etString, 0, pdNormal, false, "", QString()},
        {etNumeric, 0, pdNormal, false, "", QStringLiteral("0")},
        {etFloat, 0, pdNormal, false, "", QStringLiteral("0")},
        {etMoney, 0, pdNormal, false, "", QStringLiteral("0")},
        {etHex, 0, pdNormal, false, "", QStringLiteral("0")},
        {etNumeric, 0, pdNormal, true, "", QString()},
        {etFloat, 2, pdNormal, false, "3,14159", QStringLiteral("3,14")},
        {etMoney, 2, pdNormal, false, "1234,5", grouped("1 234,50")},
        {etFloat, 2, pdShortest, false, "3,14159", QStringLiteral("3,14159")},
        {etHex, 0, pdNormal, false, "ff", QStringLiteral("FF")},
        // Other types take any text.
        {etNumeric, 0, pdNormal, false, "abc", QStringLiteral("abc")},
    };
    for (const Case& c : cases) {
        TAdvEdit edit;
        edit.SetAllowNumericNullValue(c.allowNull);
        edit.SetEditType(c.type);
        edit.SetPrecision(c.precision);
        edit.SetPrecisionDisplay(c.display);
        edit.SetText(QString::fromUtf8(c.value));
        EXPECT_EQ(edit.text(), c.shown) << c.value;
        EXPECT_FALSE(edit.GetModified());
    }
}

TEST(AdvEditTest, setTextShowsPrefixAndSuffixAndRaisesOnChange)
{
    TAdvEdit edit;
    int changes = 0;
    edit.OnChange = [&](TCustomEdit*) { ++changes; };
    edit.SetPrefix(QStringLiteral("$"));
    edit.SetSuffix(QStringLiteral(" zł"));
    changes = 0;
    edit.SetText(QStringLiteral("12"));
    EXPECT_EQ(edit.text(), QStringLiteral("$12 zł"));
    EXPECT_EQ(edit.GetText(), QStringLiteral("12"));
    EXPECT_EQ(changes, 1);
    // A new prefix surrounds the same value.
    edit.SetPrefix(QStringLiteral("€"));
    EXPECT_EQ(edit.text(), QStringLiteral("€12 zł"));
}

TEST(AdvEditTest, numbersAreReadByEditTypeAndNeverFail)
{
    struct Case
    {
        TAdvEditType type;
        const char* value;
        double asFloat;
        int asInt;
    };
    const Case cases[] = {
        {etNumeric, "123", 123, 123},
        {etNumeric, "-", 0, 0},
        {etNumeric, "", 0, 0},
        {etFloat, "3,5", 3.5, 0},
        {etFloat, "3.5", 0, 0},
        {etMoney, "1 234,5", 1234.5, 0},
        {etMoney, "12,", 12, 0},
        {etHex, "FF", 255, 255},
        {etHex, "1G", 16, 16},
        // The plain text reads numbers with a point, whatever the locale.
        {etString, "2.5", 2.5, 0},
        {etString, "abc", 0, 0},
        {etNumeric, "99999999999", 99999999999.0, 0},
    };
    for (const Case& c : cases) {
        TAdvEdit edit;
        edit.SetAllowNumericNullValue(true);
        edit.SetEditType(c.type);
        edit.SetTextDirect(grouped(c.value));
        EXPECT_DOUBLE_EQ(edit.GetFloat(), c.asFloat) << c.value;
        EXPECT_EQ(edit.GetInt(), c.asInt) << c.value;
    }
    EXPECT_EQ(HexToInt(QStringLiteral("1G")), 16);
    EXPECT_EQ(HexToInt(QStringLiteral("FFFFFFFF")), -1);
    EXPECT_DOUBLE_EQ(TAdvEdit::EStrToFloat(QStringLiteral("nic")), 0);
}

TEST(AdvEditTest, numbersAreWrittenByEditType)
{
    TAdvEdit edit;
    edit.SetEditType(etFloat);
    edit.SetPrecision(2);
    edit.SetFloat(2.5);
    EXPECT_EQ(edit.GetText(), QStringLiteral("2,50"));
    EXPECT_TRUE(edit.GetModified());
    edit.SetInt(7);
    EXPECT_EQ(edit.GetText(), QStringLiteral("7,00"));

    edit.SetEditType(etMoney);
    edit.SetInt(1234567);
    EXPECT_EQ(edit.GetText(), grouped("1 234 567,00"));

    edit.SetEditType(etHex);
    edit.SetInt(255);
    EXPECT_EQ(edit.GetText(), QStringLiteral("FF"));
    edit.SetInt(-1);
    EXPECT_EQ(edit.GetText(), QStringLiteral("FFFFFFFF"));
    edit.SetFloat(1e30);
    EXPECT_EQ(edit.GetText(), QStringLiteral("7FFFFFFF"));
}

TEST(AdvEditTest, changingTypeOrPrecisionKeepsTheValueSensible)
{
    TAdvEdit edit;
    edit.SetText(QStringLiteral("abc"));
    edit.SetPrecision(2);
    EXPECT_EQ(edit.GetText(), QStringLiteral("0,00"));

    TAdvEdit numeric;
    numeric.SetEditType(etNumeric);
    numeric.SetPrecision(2);
    EXPECT_EQ(numeric.GetPrecision(), 0);

    TAdvEdit letters;
    letters.SetText(QStringLiteral("xyz"));
    letters.SetEditType(etNumeric);
    EXPECT_EQ(letters.GetText(), QStringLiteral("0"));
    letters.SetText(QStringLiteral("12"));
    letters.SetEditType(etHex);
    EXPECT_EQ(letters.GetText(), QStringLiteral("12"));
    letters.SetEditType(etPassword);
    EXPECT_EQ(letters.echoMode(), QLineEdit::Password);
    EXPECT_FALSE(letters.GetCanUndo());
    letters.SetCanUndo(true);
    EXPECT_FALSE(letters.GetCanUndo());
}

TEST(AdvEditTest, textIsClassifiedAndNamesAreMixedCase)
{
    struct Kind
    {
        const char* text;
        TextKind kind;
    };
    const Kind kinds[] = {
        {"", TextKind::Text},           {"-12", TextKind::Integer}, {"12,5", TextKind::Decimal},
        {"1 234,5", TextKind::Decimal}, {" 234", TextKind::Text},   {"1 23 4", TextKind::Text},
        {"1F", TextKind::Hexadecimal},  {"--1", TextKind::Text},    {"1,2,3", TextKind::Text},
        {"abc", TextKind::Hexadecimal}, {"xyz", TextKind::Text},
    };
    for (const Kind& k : kinds)
        EXPECT_EQ(ClassifyText(grouped(k.text)), k.kind) << k.text;

    const std::pair<const char*, const char*> names[] = {
        {"mcdonald", "McDonald"},
        {"jean-luc o'neil", "Jean-Luc O'Neil"},
        {"john smith iii", "John Smith III"},
        {"JAN KOWALSKI", "Jan Kowalski"},
        {"żółw łódź", "Żółw Łódź"},
    };
    for (const auto& [text, mixed] : names)
        EXPECT_EQ(MixedCase(QString::fromUtf8(text)), QString::fromUtf8(mixed));
}

TEST(AdvEditTest, versionIsShownByItsFourBytes)
{
    TAdvEdit edit;
    EXPECT_EQ(edit.GetVersion(), QStringLiteral("2.8.1.14"));
}

TEST_F(ValueFixture, leavingAFloatEditFormatsItWithoutMarkingItModified)
{
    edit->SetEditType(etFloat);
    edit->SetPrecision(2);
    edit->SetTextDirect(QStringLiteral("3"));
    edit->SetModified(false);
    other->setFocus();
    settle();
    EXPECT_EQ(edit->GetText(), QStringLiteral("3,00"));
    EXPECT_FALSE(edit->GetModified());

    edit->SetEditType(etNumeric);
    edit->setFocus();
    edit->SetTextDirect(QString());
    other->setFocus();
    settle();
    EXPECT_EQ(edit->GetText(), QStringLiteral("0"));
}

TEST_F(ValueFixture, validationRunsOnChangeAndShowsTheErrorColours)
{
    edit->SetShowError(true);
    QStringList validated;
    edit->OnValueValidate = [&](TAdvEdit*, const QString& value, bool& valid) {
        validated.append(value);
        valid = !value.contains(u'x');
    };
    QTest::keyClicks(edit, QStringLiteral("ax"));
    EXPECT_TRUE(edit->GetError());
    EXPECT_EQ(edit->GetColor(), edit->GetErrorColor());
    EXPECT_EQ(edit->GetFontColor(), edit->GetErrorFontColor());
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_FALSE(edit->GetError());
    EXPECT_EQ(edit->GetColor(), clWindow);
    EXPECT_EQ(edit->GetFontColor(), edit->GetFocusFontColor());
    EXPECT_EQ(validated, (QStringList{QStringLiteral("a"), QStringLiteral("ax"), QStringLiteral("a")}));

    // Leaving asks once more, and the focus moves whatever the verdict.
    validated.clear();
    QTest::keyClick(edit, Qt::Key_X);
    other->setFocus();
    settle();
    EXPECT_TRUE(other->hasFocus());
    EXPECT_EQ(validated.last(), QStringLiteral("ax"));
}
