#include "TestSupport.h"
#include "Unitdata.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

RMData typed(const char* text)
{
    RMData d;
    d.FromText(u(text));
    return d;
}

RMData stored(const char* text)
{
    RMData d;
    d.FromStorageText(u(text));
    return d;
}

// Display values are program-wide; every test that changes them gets them back.
class RMDataDisplay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        saved = {RMData::Pattern, RMData::PatternIndex, RMData::YearSuffix, RMData::DateSeparator};
        use(1, "dd-MM-yyyy", u'-');
    }
    void TearDown() override
    {
        RMData::Pattern = saved.pattern;
        RMData::PatternIndex = saved.index;
        RMData::YearSuffix = saved.suffix;
        RMData::DateSeparator = saved.separator;
    }
    static void use(int index, const char* pattern, QChar separator)
    {
        RMData::PatternIndex = index;
        RMData::Pattern = u(pattern);
        RMData::DateSeparator = separator;
    }

    struct
    {
        QString pattern;
        int index;
        bool suffix;
        QChar separator;
    } saved;
};

} // namespace

TEST(RMDataTest, typedTextIsValidatedAndStored)
{
    struct Case
    {
        const char* typed;
        bool valid;
        const char* stored;
    };
    const Case cases[] = {
        {"N.N.", true, "#NN#"},
        {"", true, ""},
        {"   ", true, ""},
        {"12 maj 1901", true, "#112051901"},
        {"12.05.1901", true, "#112051901"},
        {"12/05/1901", true, "#112051901"},
        {"12-05-1901", true, "#112051901"},
        {"31-02-1900", false, ""},
        {"29-02-1900", false, ""},
        {"29-02-1904", true, "#129021904"},
        // Month names: Polish abbreviation, English abbreviation, Polish full name (any case).
        {"maj 1900", true, "#100051900"},
        {"May 1900", true, "#100051900"},
        {"05 1900", true, "#100051900"},
        {"1900 05", true, "#100051900"},
        {"stycznia 1900", true, "#100011900"},
        {"PAŹDZIERNIK 1900", true, "#100101900"},
        {"Oct 1900", true, "#100101900"},
        {"wrzesień, 1900", true, "#100091900"},
        // The three orders of a full date.
        {"31 12 1900", true, "#131121900"},
        {"12 31 1900", true, "#131121900"},
        {"1900 12 31", true, "#131121900"},
        // Qualifier words, Polish and English.
        {"przed 1900", true, "#200001900"},
        {"before 1900", true, "#200001900"},
        {"< 1900", true, "#200001900"},
        {"\u02C2 1900", true, "#200001900"},
        {"po 5 maja 1900", true, "#305051900"},
        {"after 1900", true, "#300001900"},
        {"> 1900", true, "#300001900"},
        {"do 1900", true, "#500001900"},
        {"to 1900", true, "#500001900"},
        {"około 05-1900", true, "#700051900"},
        {"about May 1900", true, "#700051900"},
        {"~ 1900", true, "#700001900"},
        {"do około 1900", true, "#900001900"},
        {"do ~ 1900", true, "#900001900"},
        {"? 1900", true, "#A00001900"},
        // Ranges.
        {"od 1900", true, "#400001900"},
        {"od 1900 do 1910", true, "#400001900#00001910"},
        {"from 1900 to 1910", true, "#400001900#00001910"},
        {"od 1900 DO 1910", true, "#400001900#00001910"},
        {"od 1900 do 1900", true, "#400001900#00001900"},
        {"od 1910 do 1900", false, ""},
        {"od 05 1900 do 1900", true, "#400051900#00001900"},
        {"od 1900 do 05 1900", false, ""},
        {"od około 1900 do 1910", true, "#000001900#00001910"},
        {"od około 1900 do około 1910", true, "#800001900#00001910"},
        {"odokoło 1900 dookoło 1910", true, "#800001900#00001910"},
        {"od ~ 1900", true, "#800001900"},
        {"od 12 maj 1900 do 3 cze 1901", true, "#412051900#03061901"},
        // Refused texts.
        {"około", false, ""},
        {"od do 1900", false, ""},
        {"od 1900 do", false, ""},
        {"Około 1900", false, ""},
        {"3000", true, "#100003000"},
        {"9999", true, "#100009999"},
        {"10000", false, ""},
        {"12345", false, ""},
        {"0", false, ""},
        {"13 1900", false, ""},
        {"1900 - 1910", false, ""},
        {"1 2 3 4", false, ""},
        {"n.n.", false, ""},
        {"przed 1900 do 1910", false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidDateText(u(c.typed)), c.valid) << c.typed;
        RMData d;
        EXPECT_EQ(d.FromText(u(c.typed)), c.valid ? 1 : -1) << c.typed;
        if (c.valid) {
            EXPECT_EQ(d.ToStorageText(), u(c.stored)) << c.typed;
        }
    }
}

TEST(RMDataTest, typedFullDateCarriesItsCalendarValue)
{
    const RMData d = typed("1900 12 31");
    EXPECT_TRUE(d.HasFullDate());
    EXPECT_EQ(FromCalendarValue(d.First.Value), QDate(1900, 12, 31));
    EXPECT_EQ(ToCalendarValue(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(ToCalendarValue(QDate(1900, 1, 1)), 2.0);
    EXPECT_EQ(ToCalendarValue(QDateTime(QDate(1900, 1, 1), QTime(6, 0))), 2.25);
}

TEST(RMDataTest, monthWordsArePolishWhateverTheMachineLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(typed("maj 1900").ToStorageText(), u("#100051900"));
    EXPECT_EQ(typed("Dec 1900").ToStorageText(), u("#100121900"));
    EXPECT_FALSE(IsValidDateText(u("Dez 1900")));
    QLocale::setDefault(before);
}

TEST(RMDataTest, storedTextRoundTrips)
{
    const char* const texts[] = {
        "#NN#",
        "",
        "#100051900",
        "#700001900",
        "#112051901",
        "#400001900#00001910",
        "#800001900#00001910",
        "#000001900#01021910",
        "#A00001900",
        "#300000001",
        "#112050000",
        "#100009999",
        "#129023600",
    };
    for (const char* text : texts)
        EXPECT_EQ(stored(text).ToStorageText(), u(text)) << text;
}

TEST(RMDataTest, storedTextReadingRepairsWhatIsMalformed)
{
    struct Case
    {
        const char* text;
        const char* stored;
    };
    const Case cases[] = {
        {"#1ab051900", ""},                    // malformed number: all gone
        {"#131021900", ""},                    // impossible day: all gone
        {"#1-1051900", ""},                    // a sign is no digit
        {"#400001900#xx001910", "#400001900"}, // malformed end: only the end goes
        {"#400001900#31021910", "#400001900"},
        {"1900", "#100001900"}, // no stored form: read as simple text
        {"05-1900", "#100051900"},
        {"#NN", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(stored(c.text).ToStorageText(), u(c.stored)) << c.text;

    EXPECT_TRUE(stored("#NN#").Unknown);
    EXPECT_TRUE(stored("#NN#").IsEmpty());
    EXPECT_FALSE(stored("#100051900").Unknown);
}

TEST(RMDataTest, simpleTextReadsPlainDatesQualifiersAndRanges)
{
    struct Case
    {
        const char* simple;
        const char* stored;
    };
    const Case cases[] = {
        {"", ""},
        {"1900", "#100001900"},
        {"05-1900", "#100051900"},
        {"12-05-1900", "#112051900"},
        {"12.05.1900", "#112051900"}, // separators are not examined
        {"1900 - 1910", "#400001900#00001910"},
        {"12-05-1900 - 05-1910", "#412051900#00051910"},
        {"około 1900", "#700001900"},
        {"przed 12-05-1900", "#212051900"},
        {"ABT 1900", "#100001900"}, // an unknown first word is skipped
        {"31-02-1900", ""},
        {"13-1900", ""},
        {"0000", ""},
        {"19000", ""},
        {"1900 - ", "#400001900"},
    };
    for (const Case& c : cases) {
        RMData d;
        EXPECT_EQ(d.FromSimpleText(u(c.simple)), 1) << c.simple;
        EXPECT_EQ(d.ToStorageText(), u(c.stored)) << c.simple;
    }
    RMData d = typed("12-05-1900");
    d.FromSimpleText(u("05-1900"));
    EXPECT_FALSE(d.HasFullDate());
    EXPECT_EQ(d.First.Day, 0);
}

// A range whose start cannot be read is an empty date in memory too, not an end that shows but is never saved.
TEST(RMDataTest, aRangeWithoutItsStartIsAnEmptyDate)
{
    struct Case
    {
        const char* text;
        bool storedForm;
    };
    const Case cases[] = {
        {"#1000000000#01011900", true},
        {"#400000000#00001910", true},
        {"#400000000", true},              // a qualifier without a date
        {"1912- 05-1900 - 05-1910", true}, // no stored form: read as simple text
        {" - 1910", false},
        {"x - 05-1910", false},
        {"0000 - 12-05-1910", false},
    };
    for (const Case& c : cases) {
        RMData d;
        if (c.storedForm)
            d.FromStorageText(u(c.text));
        else
            d.FromSimpleText(u(c.text));
        EXPECT_TRUE(d.IsEmpty()) << c.text;
        EXPECT_TRUE(d.Second.IsEmpty()) << c.text;
        EXPECT_EQ(d.Qualifier, DateQualifier::Exact) << c.text;
        EXPECT_EQ(d.ToDisplayText(false, true), QString()) << c.text;
        EXPECT_EQ(d.ToStorageText(), QString()) << c.text;
    }
}

TEST(RMDataTest, sortKeysOrderYearOnlyDatesAroundTheDaysOfTheirYear)
{
    const double year = 1900 * 440.0;
    struct Case
    {
        const char* typed;
        double key;
    };
    const Case cases[] = {
        {"N.N.", -1},
        {"", -2},
        {"przed 1900", year - 2},
        {"1900", year - 1},
        {"01-01-1900", year + 32 + 1},
        {"31-12-1900", year + 12 * 32 + 31},
        {"05 1900", year + 5 * 32},
        {"około 1900", year + 416},
        {"od 1900 do 1910", year + 416},
        {"po 1900", year + 417},
        {"przed 05-05-1900", year + 5 * 32 + 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(typed(c.typed).GetSortKey(), c.key) << c.typed;
}

TEST_F(RMDataDisplay, displayTextsFollowThePattern)
{
    RMData::YearSuffix = true;
    struct Case
    {
        int index;
        const char* pattern;
        char16_t separator;
        const char* typed;
        bool suffix;
        const char* shown;
    };
    const Case cases[] = {
        {1, "dd-MM-yyyy", u'-', "05-05-1900", false, "05-05-1900"},
        {1, "dd-MM-yyyy", u'-', "około 1900", false, "około 1900"},
        {1, "dd-MM-yyyy", u'-', "przed 05-1900", false, "przed 05-1900"},
        {1, "dd-MM-yyyy", u'-', "od 1900 do 1910", false, "od 1900 do 1910"},
        {1, "dd-MM-yyyy", u'-', "N.N.", true, "N.N."},
        {1, "dd-MM-yyyy", u'-', "", true, ""},
        {1, "dd-MM-yyyy", u'-', "05-05-1900", true, "05-05-1900\u00A0r."},
        {1, "dd-MM-yyyy", u'-', "1900", true, "1900\u00A0r."},
        {1, "dd-MM-yyyy", u'-', "od 05 1900 do 1910", true, "od 05-1900\u00A0r. do 1910\u00A0r."},
        {1, "dd-MM-yyyy", u'-', "od około 1900 do około 1910", false, "od około 1900 do około 1910"},
        {1, "dd-MM-yyyy", u'-', "od około 1900 do 1910", false, "od około 1900 do 1910"},
        {1, "dd-MM-yyyy", u'-', "do około 1900", false, "do około 1900"},
        {1, "dd-MM-yyyy", u'-', "? 1900", false, "? 1900"},
        {1, "dd-MM-yyyy", u'-', "od 1 2 1900 do 3 4 1901", false, "od 01-02-1900 do 03-04-1901"},
        {2, "dd/MM/yyyy", u'/', "05-05-1900", false, "05/05/1900"},
        {2, "dd/MM/yyyy", u'/', "przed 05-1900", false, "przed 05/1900"},
        {3, "dd MMM yyyy", u'-', "od sty 1900 do lut 1901", false, "od sty 1900 do lut 1901"},
        {3, "dd MMM yyyy", u'-', "05-10-1900", false, "05 paź 1900"},
        {6, "MMM dd, yyyy", u'-', "05-10-1900", true, "paź 05, 1900\u00A0r."},
        {7, "yyyy-MM-dd", u'-', "05-10-1900", false, "1900-10-05"},
        {9, "dd.MM.yyyy", u'.', "05-10-1900", false, "05.10.1900"},
        {9, "dd.MM.yyyy", u'.', "10 1900", false, "10-1900"},
    };
    for (const Case& c : cases) {
        use(c.index, c.pattern, QChar(c.separator));
        EXPECT_EQ(typed(c.typed).ToDisplayText(false, c.suffix), u(c.shown)) << c.index << " " << c.typed;
    }
}

TEST_F(RMDataDisplay, yearOnlyDisplayAndTheSuffixSwitch)
{
    EXPECT_EQ(typed("około 05-05-1900").ToDisplayText(true, false), u("około 1900"));
    EXPECT_EQ(typed("od 1900 do 1910").ToDisplayText(true, false), u("od 1900"));
    EXPECT_EQ(typed("12 05 1900").ToDisplayText(true, true), u("1900\u00A0r."));
    RMData yearless;
    yearless.Qualifier = DateQualifier::About;
    yearless.First.Month = 5;
    EXPECT_EQ(yearless.ToDisplayText(true, true), QString());

    RMData::YearSuffix = false;
    EXPECT_EQ(typed("1900").ToDisplayText(false, true), u("1900"));
}

TEST_F(RMDataDisplay, aDayWithoutMonthOrYearNeverShowsAnEarlierValue)
{
    RMData d = typed("05-05-1950");
    d.FromStorageText(u("#115001900"));
    EXPECT_EQ(d.ToDisplayText(false, false), u("1900"));
    d.FromStorageText(u("#115000000"));
    EXPECT_EQ(d.ToDisplayText(false, false), QString());
    d.FromStorageText(u("#400001900#15000000"));
    EXPECT_EQ(d.ToDisplayText(false, false), u("od 1900"));
}

TEST(RMDataTest, anniversariesAcrossYearEndAndOnTwentyNinthFebruary)
{
    auto value = [](int y, int m, int d) { return ToCalendarValue(QDate(y, m, d)); };
    struct Case
    {
        const char* born;
        double start;
        double end;
        bool found;
        double anniversary;
        int years;
    };
    const Case cases[] = {
        {"29-02-1904", value(2023, 2, 20), value(2023, 3, 10), true, value(2023, 2, 28), 119},
        {"29-02-1904", value(2024, 2, 20), value(2024, 3, 10), true, value(2024, 2, 29), 120},
        {"02-01-1950", value(2023, 12, 20), value(2024, 1, 10), true, value(2024, 1, 2), 74},
        {"28-12-1950", value(2023, 12, 20), value(2024, 1, 10), true, value(2023, 12, 28), 73},
        {"15-06-1980", value(2024, 6, 15), value(2024, 6, 20), false, 0, 0}, // start itself is excluded
        {"15-06-1980", value(2024, 6, 14), value(2024, 6, 15), true, value(2024, 6, 15), 44},
        {"15-06-1980", value(2024, 6, 14), value(2024, 6, 14), false, 0, 0},
        {"15-06-1980", value(2024, 7, 1), value(2024, 6, 1), false, 0, 0},
        {"1980", value(2024, 1, 1), value(2024, 12, 31), false, 0, 0},
        {"", value(2024, 1, 1), value(2024, 12, 31), false, 0, 0},
    };
    for (const Case& c : cases) {
        double anniversary = 0;
        int years = 0;
        EXPECT_EQ(typed(c.born).FindAnniversary(c.start, c.end, anniversary, years), c.found) << c.born;
        if (c.found) {
            EXPECT_EQ(anniversary, c.anniversary) << c.born;
            EXPECT_EQ(years, c.years) << c.born;
        }
    }
}

TEST(RMDataTest, newAndClearedDatesAreEmptyAndExact)
{
    RMData d;
    EXPECT_TRUE(d.IsEmpty());
    EXPECT_EQ(d.Qualifier, '1');
    EXPECT_FALSE(d.Unknown);
    EXPECT_EQ(d.First.Value, 0.0);

    d = typed("od 12-05-1900 do 1910");
    const double value = d.First.Value;
    d.Clear();
    EXPECT_TRUE(d.IsEmpty());
    EXPECT_TRUE(d.Second.IsEmpty());
    EXPECT_EQ(d.Qualifier, '1');
    EXPECT_EQ(d.First.Value, value);
}
