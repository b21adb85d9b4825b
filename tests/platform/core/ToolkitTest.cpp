#include "Toolkit.h"

#include <gtest/gtest.h>

TEST(ToolkitTest, systemColoursResolveFromTheFixedTable)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
    EXPECT_EQ(ColorToRGB(0xC4C4FF), TColor(0xC4C4FF));
    EXPECT_EQ(ColorToRGB(clNone), clBlack);
    EXPECT_EQ(ColorToRGB(clSystemColor | 200), clBlack);
    EXPECT_EQ(GetRValue(0x00332211), 0x11);
    EXPECT_EQ(GetBValue(0x00332211), 0x33);
}

TEST(ToolkitTest, commaTextQuotesWhatNeedsIt)
{
    struct Case
    {
        QStringList items;
        QString text;
    };
    const Case cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"person_A", "person_B"}, "person_A,person_B"},
        {{"a b", "c,d", "say \"hi\""}, "\"a b\",\"c,d\",\"say \"\"hi\"\"\""},
        {{"a", ""}, "a,\"\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToCommaText(c.items), c.text) << c.text.toStdString();
        EXPECT_EQ(FromCommaText(c.text), c.items) << c.text.toStdString();
    }
}

TEST(ToolkitTest, commaTextReadsBlanksAsSeparatorsOutsideQuotes)
{
    EXPECT_EQ(FromCommaText("a b"), QStringList({"a", "b"}));
    EXPECT_EQ(FromCommaText("  a , b  "), QStringList({"a", "b"}));
    EXPECT_EQ(FromCommaText("a,"), QStringList({"a", ""}));
    EXPECT_EQ(FromCommaText("\"unterminated"), QStringList({"unterminated"}));
}

TEST(ToolkitTest, sortedListIgnoresCaseAndDuplicatesWithPolishOrder)
{
    TStringList list;
    list.SetSorted(true);
    for (const char* name : {"Zenon", "Łukasz", "Lucyna", "anna", "Anna", "Ewa"})
        list.Add(QString::fromUtf8(name));
    EXPECT_EQ(list.ToStringList(), QStringList({"anna", "Ewa", "Lucyna", QString::fromUtf8("Łukasz"), "Zenon"}));
    int index = -1;
    EXPECT_TRUE(list.Find("EWA", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("Marek", index));
    EXPECT_EQ(index, 4);
    EXPECT_EQ(list.IndexOf("zenon"), 4);
}

TEST(ToolkitTest, unsortedListKeepsOrderAndObjects)
{
    TStringList list;
    int a = 1, b = 2;
    list.AddObject("b", &b);
    list.AddObject("a", &a);
    list.Add("b");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetObject(1), &a);
    EXPECT_EQ(list.IndexOf("B"), 0);
    EXPECT_EQ(list.Get(7), QString());
    EXPECT_EQ(list.GetObject(-1), nullptr);
}

TEST(ToolkitTest, textSplitsAtEveryKindOfLineBreak)
{
    TStringList list;
    list.SetText("a\r\nb\nc\rd");
    EXPECT_EQ(list.ToStringList(), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(list.GetText(), "a\r\nb\r\nc\r\nd\r\n");
}

TEST(ToolkitTest, trimBlanksKeepsNoBreakSpaces)
{
    EXPECT_EQ(TrimBlanks(QString::fromUtf8(" \t\r\nzm.\u00A0\n ")), QString::fromUtf8("zm.\u00A0"));
    EXPECT_EQ(TrimBlanks(QStringLiteral("   ")), QString());
    EXPECT_EQ(TrimBlanks(QStringLiteral("a b")), QStringLiteral("a b"));
}

TEST(ToolkitTest, versionTextReadsTheFourBytesFromTheHighest)
{
    EXPECT_EQ(VersionNrText(0x01060000), QStringLiteral("1.6.0.0"));
    EXPECT_EQ(VersionNrText(0x01010104), QStringLiteral("1.1.1.4"));
    EXPECT_EQ(VersionNrText(0xFF00FE01), QStringLiteral("255.0.254.1"));
}

TEST(ToolkitTest, exceptionsCarryTheirMessage)
{
    try {
        throw EListError(QStringLiteral("Zła pozycja"));
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Zła pozycja"));
        EXPECT_STREQ(e.what(), "Zła pozycja");
    }
}
