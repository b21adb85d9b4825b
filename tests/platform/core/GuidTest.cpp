#include "Guid.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(GuidTest, prefixedGuidIsThePrefixAndTheGuidWithoutBraces)
{
    const QRegularExpression digits("^[0-9A-F]{8}-[0-9A-F]{4}-7[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}$");
    for (const QString& prefix :
         {QString(), QStringLiteral("person_"), QStringLiteral("picture_"), QStringLiteral("zażółć_")}) {
        const QString name = NewPrefixedGuid(prefix);
        ASSERT_EQ(name.size(), prefix.size() + 36) << name.toStdString();
        EXPECT_TRUE(name.startsWith(prefix)) << name.toStdString();
        EXPECT_TRUE(digits.match(name.mid(prefix.size())).hasMatch()) << name.toStdString();
    }
}

TEST(GuidTest, prefixedAndBracedGuidsShareOneOrder)
{
    // Both forms come from one sequence: a name made after a GUID text sorts after it, and the other way round.
    QString previous = NewGuidText().mid(1, 36);
    for (int i = 0; i < 5000; ++i) {
        const QString named = NewPrefixedGuid(u"fact_").mid(5);
        ASSERT_LT(previous, named) << i;
        const QString text = NewGuidText();
        ASSERT_LT(named, text.mid(1, 36)) << i;
        previous = text.mid(1, 36);
    }
}
