// The text services of the markup engine: plain text, search highlighting, escaping, colours, numbers, and the
// reading of tags and entities.
#include "HTMLText.h"
#include "HTMLTextSyntax.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct TextCase
{
    const char* input;
    const char* expected;
};

} // namespace

TEST(MarkupPlainTextTest, tagsGoHiddenBlocksGoWithTheirTextEntitiesStay)
{
    const TextCase cases[] = {
        {"a <b>bold</b> word", "a bold word"},
        {"x<z>hidden <b>part</b></z>y", "xy"},
        {"x<Z>hidden</Z>y", "xy"},
        {"x<z>hidden</Z>y", "xy"},
        {"<Z>a</Z>b<z>c", "bc"},
        {"one<br>two<BR>three<Hr>four", "one\r\ntwo\r\nthree\r\nfour"},
        {"<br/>", ""},
        {"a&amp;b &lt;c&gt;", "a&amp;b &lt;c&gt;"},
        {"line\r\nnext", "line\r\nnext"},
        {"a < b", "a < b"},
        {"<b>x</b> < y", "x < y"},
        {"", ""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(MarkupToPlainText(c.input), QString(c.expected)) << c.input;
}

TEST(MarkupPlainTextTest, visibleTextEndsAtAStrayOpeningBracket)
{
    EXPECT_EQ(MarkupRemoveTags("ab<i>c</i>d<e"), "abcd");
    EXPECT_EQ(MarkupRemoveTags("a>b"), "a>b");
}

TEST(MarkupPlainTextTest, positionOfAVisibleCharacterIsInFrontOfItsTags)
{
    const QString markup = "a<b>c";
    EXPECT_EQ(MarkupPosOfVisibleChar(markup, 1), 1);
    EXPECT_EQ(MarkupPosOfVisibleChar(markup, 2), 2);
    EXPECT_EQ(MarkupPosOfVisibleChar(markup, 3), 6);
    EXPECT_EQ(MarkupPosOfVisibleChar(markup, 4), 0);
    EXPECT_EQ(MarkupPosOfVisibleChar("ab<c", 3), 3);
    EXPECT_EQ(MarkupPosOfVisibleChar("ab<c", 4), 0);
}

TEST(MarkupPlainTextTest, nextMatchIsCountedFromTheOffset)
{
    int position = -1;
    EXPECT_EQ(MarkupFindNextMatch("ab", "xxabxab", 0, position, true), 3);
    EXPECT_EQ(position, 3);
    EXPECT_EQ(MarkupFindNextMatch("ab", "xxabxab", 4, position, true), 6);
    EXPECT_EQ(MarkupFindNextMatch("AB", "xxabxab", 0, position, true), 0);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(MarkupFindNextMatch("AB", "xxabxab", 0, position, false), 3);
    EXPECT_EQ(MarkupFindNextMatch("", "xxabxab", 0, position, false), 0);
}

TEST(MarkupHighlightTest, matchesAreWrappedInTheTag)
{
    struct Case
    {
        const char* markup;
        const char* search;
        bool caseSensitive;
        const char* expected;
    };
    const Case cases[] = {
        {"a cat and a cat", "cat", true, "a <hi>cat</hi> and a <hi>cat</hi>"},
        {"x <b>word</b>", "word", true, "x <hi><b>word</hi></b>"},
        {"wo<b>rd</b> here", "word", true, "<hi>wo<b>rd</hi></b> here"},
        {"Cat", "cat", false, "<hi>Cat</hi>"},
        {"Cat", "cat", true, "Cat"},
        {"aaa", "a", true, "<hi>a</hi><hi>a</hi><hi>a</hi>"},
        {"a&amp;b", "&", true, "a<hi>&</hi>amp;b"},
        {"ab<cd", "cd", true, "ab<cd"},
        {"text", "", false, "text"},
        {"<b>Żółw</b>", "ŻÓŁW", false, "<hi><b>Żółw</hi></b>"},
    };
    for (const Case& c : cases) {
        const QString wrapped = MarkupWrapMatches(c.markup, c.search, "hi", c.caseSensitive);
        EXPECT_EQ(wrapped, QString(c.expected)) << c.markup;
        EXPECT_EQ(MarkupUnwrapTag(wrapped, "hi"), QString(c.markup)) << c.markup;
        EXPECT_EQ(MarkupRemoveTags(wrapped), MarkupRemoveTags(c.markup)) << c.markup;
    }
}

TEST(MarkupHighlightTest, unwrapRemovesTheTagInAnyCaseAndNothingElse)
{
    EXPECT_EQ(MarkupUnwrapTag("<HI>x</Hi> <hip>y</hip> <e>z</E>", "hi"), "x <hip>y</hip> <e>z</E>");
    EXPECT_EQ(MarkupUnwrapTag("<e>x</e>", "E"), "x");
    EXPECT_EQ(MarkupUnwrapTag("<h<hi>i>x", "hi"), "x");
}

TEST(MarkupEscapeTest, bracketsAndAmpersandsBecomeEntities)
{
    EXPECT_EQ(MarkupEscape("<b>Kowalski & syn</b>"), "&lt;b&gt;Kowalski &amp; syn&lt;/b&gt;");
    EXPECT_EQ(MarkupEscape("Zażółć"), "Zażółć");
}

TEST(MarkupColorTest, namesAndHexadecimalValues)
{
    struct Case
    {
        const char* text;
        TColor expected;
    };
    const Case names[] = {
        {"clred", 0x0000FF},        {"clbtnface", 0xFF00000F}, {"cl3ddkshadow", 0xFF000015},
        {"clgraytext", 0xFF000011}, {"clinfobk", 0xFF000018},  {"clnavy", 0x800000},
        {"clBtnFace", 0},           {"nocolour", 0},
    };
    for (const Case& c : names)
        EXPECT_EQ(MarkupColorFromName(c.text), c.expected) << c.text;
    const Case hex[] = {
        {"#FF0000", 0x0000FF}, {"#00ff00", 0x00FF00}, {"#0000Fe", 0xFE0000}, {"#102030", 0x302010}, {"#F", 0},
    };
    for (const Case& c : hex)
        EXPECT_EQ(MarkupColorFromHex(c.text), c.expected) << c.text;
    EXPECT_EQ(MarkupHexByte(u"7f"), 0x7F);
    EXPECT_EQ(MarkupHexByte(u"7"), 0);
    // Colour attribute values compare ignoring case, names and digits alike.
    EXPECT_EQ(markup::colorFromValue("clBtnFace"), clBtnFace);
    EXPECT_EQ(markup::colorFromValue("#ff0000"), clRed);
}

TEST(MarkupParseIntTest, leadingNumberInDecimalOrHexadecimal)
{
    struct Case
    {
        const char16_t* text;
        int expected;
    };
    const Case cases[] = {
        {u"12", 12}, {u"  7px", 7}, {u"-5", -5},  {u"-5px", 5},
        {u"+3", 3},  {u"$1F", 31},  {u"x1f", 31}, {u"0x10", 16},
        {u"abc", 0}, {u"", 0},      {u"1.5", 1},  {u"99999999999", std::numeric_limits<int>::max()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MarkupParseInt(c.text), c.expected) << QString::fromUtf16(c.text).toStdString();
}

TEST(MarkupSourceTextTest, placeholdersAndLineBreaks)
{
    EXPECT_EQ(MarkupUnwrapHashTag("Dear <#name>, see <#date>"), "Dear #name, see <#date>");
    EXPECT_EQ(MarkupUnwrapHashTag("no placeholder"), "no placeholder");
    EXPECT_EQ(MarkupLineBreaksToTags("a\r\nb\nc\rd", true), "a<BR>bc<BR>d");
    EXPECT_EQ(MarkupLineBreaksToTags("a\r\nb\nc\rd", false), "abcd");
}

TEST(MarkupSyntaxTest, attributesByWholeNameWithTheirValuesAsWritten)
{
    const markup::Tag img(u"<img Src=\"FILE:///home/Ala/Width.png\" WIDTH=\"16\" align=\"Middle\">rest");
    EXPECT_TRUE(img.isClosed());
    EXPECT_TRUE(img.text().endsWith(u"\">"));
    EXPECT_EQ(img.quotedValue(u"SRC"), "FILE:///home/Ala/Width.png");
    EXPECT_EQ(img.quotedValue(u"width"), "16");
    EXPECT_EQ(img.quotedValue(u"HEIGHT"), "");
    EXPECT_EQ(img.quotedValue(u"align"), "Middle");
    EXPECT_FALSE(img.hasAttribute(u"png"));

    const markup::Tag font(u"<FONT bgcolor=\"#ff0000\" color=\"clRed\" size=3 face=\"DejaVu Sans\">");
    EXPECT_EQ(font.quotedValue(u"COLOR"), "clRed");
    EXPECT_EQ(font.quotedValue(u"BGCOLOR"), "#ff0000");
    EXPECT_EQ(font.quotedValue(u"size"), "");
    EXPECT_EQ(font.anyValue(u"size"), "3");
    EXPECT_EQ(font.quotedValue(u"face"), "DejaVu Sans");

    const markup::Tag anchor(u"<a title=\"T\" href=\"H\">");
    EXPECT_EQ(anchor.firstQuotedValue(), "T");
    EXPECT_EQ(markup::Tag(u"<A \"bare\">").firstQuotedValue(), "bare");

    const markup::Tag open(u"<b");
    EXPECT_FALSE(open.isClosed());
    EXPECT_EQ(open.letter(1), u'B');
    EXPECT_EQ(open.letter(5), QChar());
    EXPECT_TRUE(markup::Tag(u"<sub>").is(u"SUB"));
    EXPECT_FALSE(markup::Tag(u"<sub x>").is(u"SUB"));
    EXPECT_TRUE(markup::Tag(u"</b>").isClosing());
    EXPECT_FALSE(markup::Tag(u"</>").isClosing());
}

TEST(MarkupSyntaxTest, entitiesAreDecodedOnceAndADecodedAmpersandIsNoAccelerator)
{
    struct Case
    {
        const char16_t* written;
        bool prefixes;
        const char16_t* visible;
        const char16_t* drawn;
    };
    const Case cases[] = {
        {u"a&amp;b", true, u"a&b", u"a&&b"},
        {u"a&amp;b", false, u"a&b", u"a&b"},
        {u"&amp;amp;", true, u"&amp;", u"&&amp;"},
        {u"&amp;lt;b&gt;", false, u"&lt;b>", u"&lt;b>"},
        {u"&LT;x&Gt;", false, u"<x>", u"<x>"},
        {u"&Permil;&euro;&nbsp;&copy;", false, u"\u2030\u20AC \u00A9", u"\u2030\u20AC \u00A9"},
        {u"&File", true, u"&File", u"&File"},
        {u"&unknown; &", true, u"&unknown; &", u"&unknown; &"},
    };
    for (const Case& c : cases) {
        const markup::DecodedRun run = markup::decodeRun(c.written, c.prefixes);
        EXPECT_EQ(run.visible, QString::fromUtf16(c.visible)) << QString::fromUtf16(c.written).toStdString();
        EXPECT_EQ(run.drawn, QString::fromUtf16(c.drawn)) << QString::fromUtf16(c.written).toStdString();
    }
}
