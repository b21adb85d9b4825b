#include "HtmlEscape.h"
#include "TestSupport.h"

#include <QWebEnginePage>
#include <gtest/gtest.h>

namespace {

TEST(HtmlEscapeTest, markupCharactersBecomeReferences)
{
    EXPECT_EQ(htmlEscape("<b>\"Kowalski\" & 'syn'</b>"), "&lt;b&gt;&quot;Kowalski&quot; &amp; &#39;syn&#39;&lt;/b&gt;");
    EXPECT_EQ(htmlEscape("Żółć <#FOOTER#>"), "Żółć &lt;#FOOTER#&gt;");
    EXPECT_EQ(htmlEscape(""), "");
}

TEST(HtmlEscapeTest, scriptStringsQuoteEverythingThatCouldEndThem)
{
    EXPECT_EQ(jsString("Jan"), "\"Jan\"");
    EXPECT_EQ(jsString("a\"b'c\\d"), "\"a\\u0022b\\u0027c\\u005cd\"");
    EXPECT_EQ(jsString("</script>\n"), "\"\\u003c/script\\u003e\\u000a\"");
}

// The engine reads every literal back as the text it was made from.
TEST(HtmlEscapeTest, scriptStringsReadBackUnchanged)
{
    const QString texts[] = {"Jan \"Kowal\" O'Brien", "a\\b</script><b>&amp;", "line\r\nbreak\ttab",
                             QString::fromUtf16(u"Łódź \u2028\u2029 \u0001"), ""};
    QWebEnginePage page;
    for (const QString& text : texts) {
        QVariant result;
        bool done = false;
        page.runJavaScript(jsString(text), [&](const QVariant& value) {
            result = value;
            done = true;
        });
        ASSERT_TRUE(waitUntil([&] { return done; }, 20000));
        EXPECT_EQ(result.toString(), text);
    }
}

} // namespace
