#include "Settings.h"
#include "Bazadanych.h"
#include "TestSupport.h"
#include "Unitdata.h"

#include <gtest/gtest.h>

namespace {

// The date type's display values and gDB's flag are program-wide; each test starts from the defaults.
class SettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        settings.Apply();
        gDB.SetChanged(false);
    }
    void TearDown() override { KV_Settings().Apply(); }

    KV_Settings settings;
};

} // namespace

TEST_F(SettingsTest, defaults)
{
    EXPECT_TRUE(settings.CheckUpdate);
    EXPECT_TRUE(settings.MaxOnStartup);
    EXPECT_EQ(settings.Data_Folder, QString());
    EXPECT_TRUE(settings.ChildSurnamePrefill);
    EXPECT_TRUE(settings.MergeSurnameForms);
    EXPECT_TRUE(settings.MarkPrivate);
    EXPECT_EQ(settings.PrivateColor, TColor(0x0000FF));
    EXPECT_EQ(settings.DateFormat, QStringLiteral("dd-MM-yyyy"));
    EXPECT_EQ(settings.DateFormatIndex, 1);
    EXPECT_TRUE(settings.YearSuffix);
    EXPECT_EQ(settings.BirthPrefix, QStringLiteral("ur. "));
    EXPECT_EQ(settings.DeathPrefix, QStringLiteral("zm. "));
    EXPECT_EQ(settings.PersonListStyle, 1);
    EXPECT_TRUE(settings.BirthdayForAlive);
    EXPECT_TRUE(settings.ShowPlacesInPersonDescription);
    EXPECT_EQ(settings.LastCheck, 0);
}

TEST_F(SettingsTest, sexColoursTreatEveryOtherValueAsUnspecified)
{
    EXPECT_EQ(settings.GetSexColor(0), TColor(0xC4C4FF));
    EXPECT_EQ(settings.GetSexColor(1), TColor(0xFFDBB7));
    EXPECT_EQ(settings.GetSexColor(2), TColor(0xE6E6E6));
    EXPECT_EQ(settings.GetSexColor(3), TColor(0xE6E6E6));
    EXPECT_EQ(settings.GetSexColor(-1), TColor(0xE6E6E6));
}

TEST_F(SettingsTest, applyHandsTheDateSettingsToTheDateType)
{
    struct Case
    {
        int index;
        const char* pattern;
        char16_t separator;
    };
    const Case cases[] = {
        {2, "dd/MM/yyyy", u'/'}, {3, "dd MMM yyyy", u'-'}, {5, "MM/dd/yyyy", u'/'}, {8, "yyyy/MM/dd", u'/'},
        {9, "dd.MM.yyyy", u'.'}, {7, "yyyy-MM-dd", u'-'},  {1, "dd-MM-yyyy", u'-'},
    };
    for (const Case& c : cases) {
        settings.SetDateFormat(c.index, QString::fromUtf8(c.pattern));
        EXPECT_EQ(RMData::PatternIndex, c.index);
        EXPECT_EQ(RMData::Pattern, QString::fromUtf8(c.pattern));
        EXPECT_EQ(RMData::DateSeparator, QChar(c.separator)) << c.index;
    }
    settings.SetYearSuffix(false);
    EXPECT_FALSE(RMData::YearSuffix);
}

TEST_F(SettingsTest, settersActOnlyOnAChange)
{
    EXPECT_TRUE(settings.SetDateFormat(9, QStringLiteral("dd.MM.yyyy")));
    EXPECT_EQ(RMData::DateSeparator, QChar(u'.'));

    EXPECT_FALSE(settings.SetDateFormat(9, QStringLiteral("yyyy")));
    EXPECT_FALSE(settings.SetBirthPrefix(QStringLiteral("ur. ")));
    EXPECT_FALSE(settings.SetDeathPrefix(QStringLiteral("zm. ")));
    EXPECT_FALSE(settings.SetYearSuffix(true));
    EXPECT_FALSE(settings.SetBirthdayForAlive(true));
    EXPECT_FALSE(settings.SetShowPlacesInPersonDescription(true));
    EXPECT_EQ(settings.DateFormat, QStringLiteral("dd.MM.yyyy"));

    EXPECT_TRUE(settings.SetBirthPrefix(QStringLiteral("urodz. ")));
    EXPECT_EQ(settings.BirthPrefix, QStringLiteral("urodz. "));
    EXPECT_TRUE(settings.SetBirthdayForAlive(false));
    EXPECT_TRUE(settings.SetShowPlacesInPersonDescription(false));
    // The settings belong to no database: marking one changed is the caller's part.
    EXPECT_FALSE(gDB.IsChanged());
}
