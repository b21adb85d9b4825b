#include "Clock.h"
#include "TestSupport.h"
#include "UrlOpener.h"

#include <gtest/gtest.h>

TEST(UrlOpenerTest, onlyWebAndMailLinksReachTheDesktop)
{
    struct Case
    {
        const char* target;
        bool allowed;
    };
    const Case cases[] = {
        {"http://example.org", true},
        {"HTTPS://example.org/a?b=c", true},
        {"ftp://files.example.org", true},
        {"MailTo:jan@example.org", true},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"/usr/bin/xterm", false},
        {"person_edit_X", false},
        {"", false},
        {":http", false},
    };
    RecordingOpener opener;
    for (const Case& c : cases) {
        EXPECT_EQ(isAllowedLink(c.target), c.allowed) << c.target;
        EXPECT_EQ(openLink(c.target), c.allowed) << c.target;
    }
    EXPECT_EQ(opener.opened.size(), 4);
}

TEST(PrompterTest, confirmProceedsOnlyOnYes)
{
    RecordingPrompter p;
    p.answers = {Prompter::Answer::Yes, Prompter::Answer::No, Prompter::Answer::Cancel};
    EXPECT_TRUE(prompter().confirm("a", "Uwaga"));
    EXPECT_FALSE(prompter().confirm("b", "Uwaga"));
    EXPECT_FALSE(prompter().confirm("c", "Uwaga"));
    EXPECT_FALSE(prompter().confirm("d", "Uwaga"));
    EXPECT_EQ(p.texts, QStringList({"a", "b", "c", "d"}));
}

TEST(PrompterTest, aQuotedFileLineShowsControlsAsHexAndIsCutWithAnEllipsis)
{
    struct Case
    {
        QString line;
        QString quoted;
    };
    const Case cases[] = {
        {u("0 @I1@ INDI"), u("0 @I1@ INDI")},
        {u("1 NAME Jan\x01\x1B/Nowak/\x7F"), u("1 NAME Jan\\x01\\x1B/Nowak/\\x7F")},
        {QString(100, u'ż'), QString(100, u'ż')},
        {QString(101, u'ż'), QString(100, u'ż') + u("…")},
        // A character outside the basic plane is never cut in half.
        {QString(99, u'a') + u("😀b"), QString(99, u'a') + u("😀…")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuoteFileLine(c.line), c.quoted);
}

TEST(ClockTest, fixedNowOverridesTheSystemClock)
{
    Clock::setFixedNow(QDateTime(QDate(2024, 2, 29), QTime(12, 0)));
    EXPECT_EQ(Clock::today(), QDate(2024, 2, 29));
    Clock::setFixedNow(QDateTime());
    EXPECT_EQ(Clock::today(), QDate::currentDate());
}
