#include "Tmd5.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QByteArray digestOf(const QByteArray& text)
{
    TMD5 md5;
    md5.SetInputString(text);
    md5.HashString();
    return md5.DigestText;
}

} // namespace

TEST(TMD5Test, publishedTestSuiteGivesItsDigestsInUpperCase)
{
    struct Case
    {
        const char* input;
        const char* digest;
    };
    const Case cases[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"},
        {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "D174AB98D277D9F5A5611C2C9F419D9F"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    const QRegularExpression shape(QStringLiteral("^[0-9A-F]{32}$"));
    for (const Case& c : cases) {
        const QByteArray digest = digestOf(c.input);
        EXPECT_EQ(digest, c.digest) << c.input;
        EXPECT_TRUE(shape.match(QString::fromLatin1(digest)).hasMatch()) << c.input;
    }
}

TEST(TMD5Test, lengthsAroundTheBlockBoundariesAndHighBytes)
{
    // 55, 56 and 64 bytes decide whether the length fits into the last block; bytes above 127 must count as
    // unsigned values.
    EXPECT_EQ(digestOf(QByteArray(55, 'a')), "EF1772B6DFF9A122358552954AD0DF65");
    EXPECT_EQ(digestOf(QByteArray(56, 'a')), "3B0C8AC703F828B04C6C197006D17218");
    EXPECT_EQ(digestOf(QByteArray(64, 'a')), "014842D480B571495A4A0363793F7367");
    EXPECT_EQ(digestOf(QByteArray(1000, 'a')), "CABE45DCC9AE5B66BA86600CCA6B8BA8");
    EXPECT_EQ(digestOf(QStringLiteral("Zażółć gęślą jaźń").toUtf8()), "25AF8716284FC8EFBAB13DBB3B517085");
}

TEST(TMD5Test, digestStopsAtZeroByteAndRepeatsIndependently)
{
    EXPECT_EQ(digestOf(QByteArray("abc\0def", 7)), "900150983CD24FB0D6963F7D28E17F72");

    TMD5 md5;
    EXPECT_TRUE(md5.DigestText.isEmpty());
    EXPECT_TRUE(md5.GetInputString().isEmpty());
    md5.MDString("abc");
    md5.MDString("abc");
    EXPECT_EQ(md5.DigestText, "900150983CD24FB0D6963F7D28E17F72");
    md5.MDString("a");
    EXPECT_EQ(md5.DigestText, "0CC175B9C0F1B6A831C399E269772661");
}
