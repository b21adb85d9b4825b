#include "Kx_settings.h"
#include "Settings.h"
#include "TestSupport.h"
#include "TreeSetings.h"

#include <QDir>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray utf16File(const QString& text)
{
    return QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom).encode(text);
}

// Every line of a freshly written file, in order.
const QStringList defaultLines = {
    "Common_MaxOnStartup=1",
    "Common_CheckUpdate=1",
    "Common_BirthdayForAlive=1",
    "Common_ShowPlacesInPersonDescription=1",
    "Data_Folder=",
    "Update_LastCheck=0",
    "PersonList_PersonListStyle=1",
    "TreeSettings_MirrorWidok=0",
    "TreeSettings_PDFFontName=Tahoma, 10pt, pogrubienie",
    "TreeSettings_PDFFontDaty=Tahoma, 9pt",
    "TreeSettings_PDFFontWsp=Tahoma, 9pt",
    "TreeSettings_PDFFontDatyColor=0",
    "TreeSettings_PDFFontNameColor=0",
    "TreeSettings_PDFFontWspColor=8421504",
    "TreeSettings_TitleFont=Segoe Print, 36pt, pogrubienie",
    "TreeSettings_TitleColor=0",
    "TreeSettings_ColorToChild=8421504",
    "TreeSettings_ShowPicture=1",
    "TreeSettings_ShowNamesInOneLines=1",
    "TreeSettings_ShowPlaces=0",
    "TreeSettings_ShowSpouses=1",
    "TreeSettings_ShowOnlyManDescendents=0",
    "TreeSettings_ShowAncestorsFamilyName=1",
    "TreeSettings_Frame0fill=3",
    "TreeSettings_Frame0fill_color_from=12895487",
    "TreeSettings_Frame0fill_color_to=16777215",
    "TreeSettings_Frame0border=1",
    "TreeSettings_Frame0border_color=12895487",
    "TreeSettings_Frame1fill=3",
    "TreeSettings_Frame1fill_color_from=16767927",
    "TreeSettings_Frame1fill_color_to=16777215",
    "TreeSettings_Frame1border=1",
    "TreeSettings_Frame1border_color=16767927",
    "TreeSettings_Frame2fill=3",
    "TreeSettings_Frame2fill_color_from=15132390",
    "TreeSettings_Frame2fill_color_to=16777215",
    "TreeSettings_Frame2border=1",
    "TreeSettings_Frame2border_color=15132390",
};

// A temporary config.ini, with both settings objects at their defaults for each test and restored afterwards.
class SettingsFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gSettings = KV_Settings();
        gTreeSetings = KV_TreeSetings();
    }
    void TearDown() override
    {
        gSettings = savedSettings;
        gTreeSetings = savedTree;
    }

    KX_Settings::LoadResult load()
    {
        KX_Settings store;
        const KX_Settings::LoadResult result = store.Load(path);
        ExchangeSettings(store, true);
        return result;
    }
    bool save(QString* error = nullptr)
    {
        KX_Settings store;
        ExchangeSettings(store, false);
        return store.Save(path, error);
    }
    void loadLines(const QStringList& lines) { loadFile(utf16File(lines.join("\r\n") + "\r\n")); }
    void loadFile(const QByteArray& bytes)
    {
        writeFileBytes(path, bytes);
        ASSERT_EQ(load(), KX_Settings::LoadResult::Loaded);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("config.ini");
    const KV_Settings savedSettings = gSettings;
    const KV_TreeSetings savedTree = gTreeSetings;
};

} // namespace

TEST_F(SettingsFileTest, firstSaveWritesEveryKeyInOrderAsUtf16WithCrLf)
{
    EXPECT_EQ(load(), KX_Settings::LoadResult::Missing);
    QString error;
    ASSERT_TRUE(save(&error)) << error.toStdString();

    const QByteArray bytes = readFileBytes(path);
    ASSERT_TRUE(bytes.startsWith("\xFF\xFE"));
    EXPECT_EQ(bytes, utf16File(defaultLines.join("\r\n") + "\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"config.ini"}));
}

TEST_F(SettingsFileTest, everyStoredFieldReadsBackAsSaved)
{
    gSettings.MaxOnStartup = false;
    gSettings.CheckUpdate = false;
    gSettings.BirthdayForAlive = false;
    gSettings.ShowPlacesInPersonDescription = false;
    gSettings.Data_Folder = "/home/łucja/Dane=rodzina/";
    gSettings.LastCheck = 45123;
    gSettings.PersonListStyle = 2;
    gTreeSetings.MirrorWidok = true;
    gTreeSetings.PDFFontName = "DejaVu Sans, 11pt, pogrubienie, kursywa";
    gTreeSetings.PDFFontWspColor = 0xFF00000F; // a system colour keeps its top bit
    gTreeSetings.ShowPlaces = true;
    gTreeSetings.Frames[2].fill = 2;
    gTreeSetings.Frames[2].border_color = 0x123456;
    ASSERT_TRUE(save());
    const KV_Settings changed = gSettings;
    const KV_TreeSetings changedTree = gTreeSetings;

    gSettings = KV_Settings();
    gTreeSetings = KV_TreeSetings();
    ASSERT_EQ(load(), KX_Settings::LoadResult::Loaded);
    EXPECT_EQ(gSettings.MaxOnStartup, changed.MaxOnStartup);
    EXPECT_EQ(gSettings.CheckUpdate, changed.CheckUpdate);
    EXPECT_EQ(gSettings.BirthdayForAlive, changed.BirthdayForAlive);
    EXPECT_EQ(gSettings.ShowPlacesInPersonDescription, changed.ShowPlacesInPersonDescription);
    EXPECT_EQ(gSettings.Data_Folder, changed.Data_Folder);
    EXPECT_EQ(gSettings.LastCheck, changed.LastCheck);
    EXPECT_EQ(gSettings.PersonListStyle, changed.PersonListStyle);
    EXPECT_TRUE(gTreeSetings.MirrorWidok);
    EXPECT_EQ(gTreeSetings.PDFFontName, changedTree.PDFFontName);
    EXPECT_EQ(gTreeSetings.PDFFontWspColor, changedTree.PDFFontWspColor);
    EXPECT_TRUE(gTreeSetings.ShowPlaces);
    EXPECT_EQ(gTreeSetings.Frames[2].fill, 2);
    EXPECT_EQ(gTreeSetings.Frames[2].border_color, 0x123456u);
    EXPECT_EQ(gTreeSetings.Frames[2].fill_color_from, 0xE6E6E6u);
}

TEST_F(SettingsFileTest, namesMatchIgnoringCaseAndTheFirstOfTwoLinesCounts)
{
    loadLines({"common_checkupdate=0", "COMMON_MAXONSTARTUP=0", "Common_MaxOnStartup=1", "Common_Old=1",
               "Data_Folder=/dane/a=b/", " Common_BirthdayForAlive=0", "Common_ShowPlacesInPersonDescription"});
    EXPECT_FALSE(gSettings.CheckUpdate);
    EXPECT_FALSE(gSettings.MaxOnStartup);
    EXPECT_EQ(gSettings.Data_Folder, "/dane/a=b/");
    // A blank before the name, or a line without "=", matches nothing.
    EXPECT_TRUE(gSettings.BirthdayForAlive);
    EXPECT_TRUE(gSettings.ShowPlacesInPersonDescription);

    // The next save keeps one line per key and drops the unknown line.
    ASSERT_TRUE(save());
    KX_Settings store;
    ASSERT_EQ(store.Load(path), KX_Settings::LoadResult::Loaded);
    QStringList expected = defaultLines;
    expected[0] = "Common_MaxOnStartup=0";
    expected[1] = "Common_CheckUpdate=0";
    expected[4] = "Data_Folder=/dane/a=b/";
    EXPECT_EQ(readFileBytes(path), utf16File(expected.join("\r\n") + "\r\n"));
}

TEST_F(SettingsFileTest, malformedValuesKeepTheCurrentNumberAndReadAsFalse)
{
    struct Case
    {
        const char* line;
        int lastCheck; // LastCheck after loading, from 77
    };
    const Case numbers[] = {
        {"Update_LastCheck=", 77},    {"Update_LastCheck=abc", 77},         {"Update_LastCheck=12x", 77},
        {"Update_LastCheck=42 ", 77}, {"Update_LastCheck=99999999999", 77}, {"Update_LastCheck=0x10", 77},
        {"Update_LastCheck= 42", 42}, {"Update_LastCheck=+42", 42},         {"Update_LastCheck=-5", -5},
        {"Update_LastCheck=007", 7},
    };
    for (const Case& c : numbers) {
        gSettings.LastCheck = 77;
        loadLines({c.line});
        EXPECT_EQ(gSettings.LastCheck, c.lastCheck) << c.line;
    }

    for (const char* line : {"Common_CheckUpdate=true", "Common_CheckUpdate=yes", "Common_CheckUpdate= 1",
                             "Common_CheckUpdate=", "Common_CheckUpdate=11"}) {
        gSettings.CheckUpdate = true;
        loadLines({line});
        EXPECT_FALSE(gSettings.CheckUpdate) << line;
    }

    loadLines({"TreeSettings_ColorToChild=szary", "TreeSettings_Frame1fill=x"});
    EXPECT_EQ(gTreeSetings.ColorToChild, 0x808080u);
    EXPECT_EQ(gTreeSetings.Frames[1].fill, 3);
}

TEST_F(SettingsFileTest, utf8AndUnmarkedUtf16FilesAreReadAsWritten)
{
    const QString text = "Data_Folder=/home/łucja/Dane/\nCommon_CheckUpdate=0\n";
    struct Case
    {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + text.toUtf8()},
        {"UTF-8 without a mark, LF only", text.toUtf8()},
        {"UTF-16LE without a mark", QStringEncoder(QStringConverter::Utf16LE).encode(text)},
    };
    for (const Case& c : cases) {
        gSettings = KV_Settings();
        loadFile(c.bytes);
        EXPECT_EQ(gSettings.Data_Folder, "/home/łucja/Dane/") << c.name;
        EXPECT_FALSE(gSettings.CheckUpdate) << c.name;
    }
}

TEST_F(SettingsFileTest, undecodableFileIsKeptAsideBeforeAnythingIsWritten)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        // Windows-1250 "ł": neither UTF-8 nor (without zero bytes) UTF-16.
        {"8-bit code page", "Data_Folder=/home/\xB3ucja/\r\n"},
        {"UTF-16 mark with an odd byte count", QByteArray("\xFF\xFE") + "D\0a\0t"},
        {"UTF-8 mark with broken UTF-8", QByteArray("\xEF\xBB\xBF") + "Data_Folder=\xC3"},
    };
    for (const Case& c : cases) {
        gSettings = KV_Settings();
        writeFileBytes(path, c.bytes);
        KX_Settings store;
        QString error;
        EXPECT_EQ(store.Load(path, &error), KX_Settings::LoadResult::Unreadable) << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
        ExchangeSettings(store, true);
        EXPECT_EQ(gSettings.Data_Folder, "") << c.name;
        EXPECT_EQ(readFileBytes(path + ".bak"), c.bytes) << c.name;
        EXPECT_FALSE(QFileInfo::exists(path)) << c.name;

        // The next save writes a fresh file and leaves the kept copy alone.
        ASSERT_TRUE(save()) << c.name;
        EXPECT_EQ(readFileBytes(path + ".bak"), c.bytes) << c.name;
    }
}

TEST_F(SettingsFileTest, writeFailureIsReportedAndChangesNothing)
{
    QDir(dir.path()).mkpath("config.ini");
    // Loading a folder reads nothing and leaves it where it is.
    EXPECT_EQ(load(), KX_Settings::LoadResult::Unreadable);
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_FALSE(QFileInfo::exists(path + ".bak"));

    QString error;
    EXPECT_FALSE(save(&error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(SettingsFileTest, undecodableFileThatCannotBeKeptAsideIsNeverReplaced)
{
    const QByteArray bytes = "Data_Folder=/home/\xB3ucja/\r\n";
    writeFileBytes(path, bytes);
    // A folder where the kept copy should go makes the rename fail.
    QDir(dir.path()).mkpath("config.ini.bak");
    EXPECT_EQ(load(), KX_Settings::LoadResult::Unreadable);

    QString error;
    EXPECT_FALSE(save(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFileBytes(path), bytes);
}

TEST(SettingsFolderTest, liesInTheUsersConfigurationFolder)
{
    EXPECT_EQ(UserSettingsFolder(), qEnvironmentVariable("XDG_CONFIG_HOME") + "/Varnhold/Kronvel/");
}
