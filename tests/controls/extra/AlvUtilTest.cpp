#include "AlvUtil.h"
#include "Canvas.h"
#include "ListViewTestSupport.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(AlvUtilTest, cellFileMarkersKeepLineBreaksAndTabs)
{
    struct Case
    {
        const char* cell;
        const char* inFile;
    };
    const Case cases[] = {
        {"a\r\nb", "a\t\bb"},           {"a\tb", "a\tb"}, // a tab the cell holds stays a tab
        {"a\t\r\nb", "a\t\t\bb"},                         // a tab right before a line break too
        {"x\r\ny\r\nz", "x\t\by\t\bz"}, {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LfToFile(u(c.cell)), u(c.inFile)) << c.cell;
        EXPECT_EQ(FileToLf(u(c.inFile), true), u(c.cell)) << c.cell;
    }
    EXPECT_EQ(FileToLf(u("a\t\bb"), false), u("a"));
    EXPECT_EQ(FileToLf(u("a\bb"), true), u("a\nb")) << "a lone BS is an LF";
}

TEST(AlvUtilTest, linesComeOffATextOneByOne)
{
    struct Case
    {
        const char* text;
        bool keepRest;
        const char* line;
        const char* rest;
    };
    const Case cases[] = {
        {"x\r\ny", true, "x", "y"},         {"x\r\ny", false, "x", ""},     {"x", true, "x", ""},
        {"x\ry\r\nz", true, "x", "y\r\nz"}, {"\r\n\r\n", true, "", "\r\n"},
    };
    for (const Case& c : cases) {
        QString text = u(c.text);
        EXPECT_EQ(GetNextLine(text, c.keepRest), u(c.line)) << c.text;
        EXPECT_EQ(text, u(c.rest)) << c.text;
    }
    EXPECT_EQ(LinesInText(u("a\rb\rc"), true), 3);
    EXPECT_EQ(LinesInText(u("a\rb\rc"), false), 1);
    EXPECT_EQ(LinesInText(QString(), true), 1);
}

TEST(AlvUtilTest, csvHelpersCountSingleSeparatorsAndQuoteLineBreaks)
{
    struct Count
    {
        char ch;
        const char* text;
        int position;
        int count;
    };
    const Count counts[] = {
        {'"', "ab\"\"", 4, 1}, // a doubled quote at the very end counts with its second character
        {'"', "\"\"a", 0, 0},  {',', "a,b,,c", 2, 1}, {';', "a;b;c", 2, 2}, {',', "", 0, 0}, {',', ",", 1, 1},
    };
    for (const Count& c : counts) {
        EXPECT_EQ(SinglePos(QChar(c.ch), u(c.text)), c.position) << c.text;
        EXPECT_EQ(NumSingleChar(QChar(c.ch), u(c.text)), c.count) << c.text;
    }

    EXPECT_EQ(DoubleToSingleChar(u',', QString()), QString());
    EXPECT_EQ(DoubleToSingleChar(u',', u("a,,,b")), u("a,b"));
    EXPECT_EQ(DoubleToSingleChar(u',', u(",,a,,")), u(",a,"));

    QString text = u("a\r\nb");
    LineFeedsToCSV(text);
    EXPECT_EQ(text, u("\"a\nb\""));
    CSVToLineFeeds(text);
    EXPECT_EQ(text, u("\"a\r\nb\""));
    text = u("a\r\r\nb\rc");
    LineFeedsToCSV(text);
    EXPECT_EQ(text, u("\"a\nb\rc\"")) << "every CR before an LF goes; a lone CR stays";
}

TEST(AlvUtilTest, smallTextHelpers)
{
    EXPECT_EQ(UpStr(u("abc-é")), u("ABC-é"));
    EXPECT_EQ(UpStr(u("zażółć")), u("ZAżółć"));
    EXPECT_EQ(RectString(Rect(1, 2, 3, 4)), u("[1:2][3:4]"));
    EXPECT_EQ(RectString(Rect(-5, 0, 10, -1)), u("[-5:0][10:-1]"));

    {
        const LocaleScope polish(QLocale(QLocale::Polish, QLocale::Poland));
        EXPECT_EQ(FixDecimalSeparator(u("1,5")), u("1.5"));
        EXPECT_EQ(FixDecimalSeparator(u("1,5,6")), u("1.5,6"));
        EXPECT_EQ(FixDecimalSeparator(u("15")), u("15"));
    }
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(FixDecimalSeparator(u("1,5")), u("1,5"));
}

TEST(AlvUtilTest, nextDateOfASeries)
{
    struct Case
    {
        QDate from;
        int years;
        int months;
        int days;
        QDate next;
    };
    constexpr int step = 7;
    const Case cases[] = {
        {QDate(2024, 1, 15), 0, -1, 0, QDate(2023, 12, 15)},
        {QDate(2024, 11, 15), 0, 2, 0, QDate(2025, 1, 15)},
        {QDate(2024, 1, 15), 1, 1, 0, QDate(2024, 1, 22)}, // two of them given: the step
        {QDate(2024, 1, 15), 0, 0, 0, QDate(2024, 1, 22)},
        {QDate(2024, 1, 15), 0, 0, 20, QDate(2024, 2, 4)},
        {QDate(2024, 1, 15), 0, 0, -20, QDate(2023, 12, 26)},
        {QDate(2024, 2, 10), 2, 0, 0, QDate(2026, 2, 10)},
        // Whole years carry over, backwards and forwards.
        {QDate(2024, 1, 15), 0, -2, 0, QDate(2023, 11, 15)},
        {QDate(2024, 3, 15), 0, -14, 0, QDate(2023, 1, 15)},
        {QDate(2024, 1, 15), 0, 13, 0, QDate(2025, 2, 15)},
        {QDate(2024, 5, 15), 0, 24, 0, QDate(2026, 5, 15)},
        {QDate(2024, 1, 15), 0, -12, 0, QDate(2023, 1, 15)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetNextDate(c.from, c.years, c.months, c.days, step), c.next)
            << c.from.toString(Qt::ISODate).toStdString() << " " << c.years << "/" << c.months << "/" << c.days;

    // A day the month lacks is the date error.
    EXPECT_THROW(GetNextDate(QDate(2024, 1, 31), 0, 1, 0, step), EConvertError);
    EXPECT_THROW(GetNextDate(QDate(2024, 2, 29), 1, 0, 0, step), EConvertError);
    EXPECT_THROW(GetNextDate(QDate(2024, 3, 31), 0, -1, 0, step), EConvertError);
    EXPECT_THROW(GetNextDate(QDate(9999, 12, 1), 0, 1, 0, step), EConvertError) << "past the last year";
}

TEST(AlvUtilTest, matcherComparesAndMatchesPatterns)
{
    struct Case
    {
        const char* mask;
        const char* text;
        bool matches;
    };
    // The table points into these bytes, so they live as long as the table.
    const QByteArray longText = QByteArray(1000, 'a') + "z";
    const Case cases[] = {
        {"a*c", "abc", true},
        {"a*c", "ac", true},
        {"a*c", "ab", false},
        {"?b", "ab", true},
        {"?b", "b", false},
        {"abc", "abc", true},
        {"abc", "abC", false},
        {"!a*", "xyz", true},
        {"!a*", "abc", false},
        {"> m", "n", true},
        {"> m", "a", false},
        {">=b & <=d", "c", true},
        {">=b & <=d", "b", true},
        {">=b & <=d", "e", false},
        {"<b ^ >x", "a", true},
        {"<b ^ >x", "y", true},
        {"<b ^ >x", "m", false},
        {"*", "", false}, // an empty text ends the pattern before it started
        {"", "", true},
        // Far longer than a line of a file once was.
        {"*z", longText.constData(), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Matchstr(u(c.mask), u(c.text)), c.matches) << c.mask << " / " << c.text;
        EXPECT_EQ(Matches(u(c.mask), u(c.text)), c.matches) << c.mask << " / " << c.text;
    }
}

TEST(AlvUtilTest, matcherAnswersAPathologicalMaskAtOnce)
{
    // Each "*" once tried every ending again for every ending before it: 255 letters took for ever.
    const QString text(255, u'a');
    EXPECT_FALSE(Matchstr(u("*a*a*a*a*a*b"), text));
    EXPECT_TRUE(Matchstr(u("*a*a*a*a*a*a"), text));
    EXPECT_FALSE(Matchstr(QString(40, u'*') + u'b', QString(5000, u'a')));
}

TEST(AlvUtilTest, polishLettersSurviveTheConsoleCodePage)
{
    const QString polish = u("zażółć gęślą jaźń ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
    QString text = polish;
    StringToOem(text);
    EXPECT_NE(text, polish);
    EXPECT_EQ(text.size(), polish.size());
    OemToString(text);
    EXPECT_EQ(text, polish);

    // "ą" is byte 0xA5 on the console, which the "ANSI" code page shows as "Ą".
    text = u("ą");
    StringToOem(text);
    EXPECT_EQ(text, u("Ą"));
    text = u("a€b");
    StringToOem(text);
    OemToString(text);
    EXPECT_EQ(text, u("a?b")) << "the console has no euro sign";
}

TEST(AlvUtilTest, progressBarFillsItsPartAndFramesIt)
{
    // A 104 by 24 rectangle: the bar is the 100 by 20 inside it, framed one pixel further out.
    struct Case
    {
        int percentage;
        int filledRight; // the first column of the rest
    };
    const Case cases[] = {{0, 2}, {50, 52}, {100, 102}, {150, 102}, {-10, 2}};
    for (const Case& c : cases) {
        QImage image(104, 24, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        {
            TCanvas canvas(&image);
            DrawProgress(canvas, Rect(0, 0, 104, 24), clRed, clWhite, clLime, clBlue, c.percentage);
        }
        const std::string name = std::to_string(c.percentage) + "%";
        EXPECT_EQ(pixelAt(image, 1, 1), clGray) << name;
        EXPECT_EQ(pixelAt(image, 102, 22), clGray) << name;
        EXPECT_EQ(pixelAt(image, 0, 0), clBlack) << name << ": nothing outside the frame";
        // Just under the frame, where the label never reaches.
        if (c.filledRight > 2) {
            EXPECT_EQ(pixelAt(image, c.filledRight - 1, 2), clRed) << name;
        }
        if (c.filledRight < 102) {
            EXPECT_EQ(pixelAt(image, c.filledRight, 2), clLime) << name;
        }
    }

    // At 50 % the label crosses the edge: ink over the fill and over the rest, the label centred in the bar.
    QImage image(104, 24, QImage::Format_ARGB32_Premultiplied);
    {
        TCanvas canvas(&image);
        DrawProgress(canvas, Rect(0, 0, 104, 24), clRed, clWhite, clLime, clBlue, 50);
    }
    const QRect overFill = inkBounds(image, clRed, QRect(2, 2, 50, 20));
    const QRect overRest = inkBounds(image, clLime, QRect(52, 2, 50, 20));
    ASSERT_FALSE(overFill.isEmpty());
    ASSERT_FALSE(overRest.isEmpty());
    const QRect label = overFill | overRest;
    EXPECT_LE(qAbs((label.left() - 2) - (101 - label.right())), 2) << "the label is centred";
}

TEST(AlvUtilTest, fileStringListReadsAndWritesLineByLine)
{
    TFileStringList list;
    list.Write(u("a"));
    list.Write(u("b"));
    list.WriteLn(u("c"));
    list.WriteLn(u("d"));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0], u("abc"));
    EXPECT_EQ(list[1], u("d"));

    QString line;
    EXPECT_FALSE(list.GetEOF());
    list.ReadLn(line);
    EXPECT_EQ(line, u("abc"));
    list.ReadLn(line);
    EXPECT_EQ(line, u("d"));
    EXPECT_TRUE(list.GetEOF());
    EXPECT_THROW(list.ReadLn(line), EListError);

    list.Write(u("pending"));
    list.Reset();
    EXPECT_FALSE(list.GetEOF());
    list.WriteLn(u("e"));
    EXPECT_EQ(list[2], u("e")) << "Reset dropped the pending piece";
    list.ReadLn(line);
    EXPECT_EQ(line, u("abc"));
}
