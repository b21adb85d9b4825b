#include "CodePage.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(CodePageTest, polishLettersOfEachCodePage)
{
    struct Case
    {
        CodePage page;
        const char* bytes;
        const char* text;
    };
    const Case cases[] = {
        {CodePage::Windows1250, "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF", "ĄĆĘŁŃÓŚŹŻ"},
        {CodePage::Windows1250, "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF", "ąćęłńóśźż"},
        {CodePage::Ibm852, "\xA4\x8F\xA8\x9D\xE3\xE0\x97\x8D\xBD", "ĄĆĘŁŃÓŚŹŻ"},
        {CodePage::Ibm852, "\xA5\x86\xA9\x88\xE4\xA2\x98\xAB\xBE", "ąćęłńóśźż"},
        {CodePage::Windows1252, "\xE9\x80\x9F", "é€Ÿ"},
        {CodePage::Ibm437, "\x82\xDB\xE1", "é█ß"},
        {CodePage::Windows1250, "plain ASCII", "plain ASCII"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decodeCodePage(c.bytes, c.page), u(c.text)) << c.text;
        EXPECT_EQ(encodeCodePage(u(c.text), c.page), QByteArray(c.bytes)) << c.text;
    }
}

TEST(CodePageTest, missingCharactersAndUndefinedBytes)
{
    EXPECT_EQ(encodeCodePage(u("a€ż😀b"), CodePage::Ibm852), QByteArray("a?\xBE?b"))
        << "one question mark for each character the code page lacks";
    EXPECT_EQ(decodeCodePage("a\x81z", CodePage::Windows1252), u("a\uFFFDz"));
    EXPECT_EQ(decodeCodePage("a\x81z", CodePage::Windows1250, UndefinedBytes::Keep), u("a\u0081z"));
    EXPECT_EQ(encodeCodePage(u("a\u0081z"), CodePage::Windows1250), QByteArray("a\x81z")) << "a kept byte comes back";
    EXPECT_EQ(encodeCodePage(u("\u0081"), CodePage::Ibm852), QByteArray("?"))
        << "the console code page uses that byte for a letter";
}
