#include "Wildcard.h"

#include <gtest/gtest.h>

TEST(WildcardTest, wildcardMatchesTheWholeTextIgnoringCase)
{
    const struct
    {
        const char* text;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"Kowalski", "KOW*", true},
        {"Nowak-Kowalska", "KOW*", false},
        {"kowal", "KOWAL*", true},
        {"Kowal", "Kowal", true},
        {"Kowalski", "Kowal", false},
        {"", "*", true},
        {"", "", true},
        {"a", "", false},
        {"", "?", false},
        {"abc", "a?c", true},
        {"abc", "a??c", false},
        {"12-05-1950 r.", "*1950*", true},
        {"12-05-1951 r.", "*1950*", false},
        {"abcabd", "*abd", true},
        {"abcab", "a*b*b", true},
        {"abcab", "a*c*c", false},
        {"ŁUKASZ", "łuk*", true},
        {"żółw", "?ÓŁ?", true},
        {"x\U0001F600y", "x?y", true},
        {"a*b", "a*b", true},
        {"ab", "***", true},
        {"lukasz", "łuk*", false},
        {"PERSON_1.KVFILE", "person_*.kvfile", true},
        {"fact_1.kvfile", "person_*.kvfile", false},
        {"\U00010400x", "\U00010428?", true},
        {"\U00010400x", "??x", false},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const QString pattern = QString::fromUtf8(c.pattern);
        EXPECT_EQ(MatchesWildcard(text, pattern), c.matches) << c.text << " ~ " << c.pattern;
        EXPECT_EQ(WildcardPattern(pattern).MatchesFolded(WildcardPattern::Fold(text)), c.matches)
            << "folded once: " << c.text << " ~ " << c.pattern;
    }
    // A lone surrogate stays one character of its own.
    const QString lone = QString(QChar(0xD801)) + u'x';
    EXPECT_TRUE(WildcardPattern(QStringLiteral("?X")).MatchesFolded(WildcardPattern::Fold(lone)));
    EXPECT_TRUE(WildcardPattern(QStringLiteral("?X")).Matches(lone));
}

TEST(WildcardTest, wildcardNeverBacktracksIntoABlowUp)
{
    // A pattern that makes a backtracking matcher try every way of placing its stars.
    const QString text = QString(3000, u'a') + u'b';
    const QString pattern = QString(QStringLiteral("*a")).repeated(30) + QStringLiteral("*c");
    EXPECT_FALSE(MatchesWildcard(text, pattern));
    EXPECT_TRUE(MatchesWildcard(text, QString(QStringLiteral("*a")).repeated(30) + QStringLiteral("*b")));
}
