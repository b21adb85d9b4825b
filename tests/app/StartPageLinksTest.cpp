#include "StartPageLinks.h"
#include "AppFixture.h"
#include "TestSupport.h"

#include <QTemporaryDir>

namespace {

class StartPageLinksTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        gTempFolder = folder.path() + QStringLiteral("/Genealogia/temp/");
        commands.ShowStatistic = [this](int kind) { calls << QStringLiteral("statistic %1").arg(kind); };
        commands.EditPerson = [this](const QString& id) { calls << "edit " + id; };
        commands.ShowFamilyView = [this](const QString& id) { calls << "family " + id; };
        commands.AddPerson = [this](int sex) { calls << QStringLiteral("add %1").arg(sex); };
        commands.ImportGedcom = [this] { calls << QStringLiteral("import"); };
    }

    QUrl inTemp(const QString& name) const { return QUrl::fromLocalFile(gTempFolder + name); }

    QTemporaryDir folder;
    StartPageCommands commands;
    QStringList calls;
};

TEST_F(StartPageLinksTest, linksToTheTemporaryFolderAreCommands)
{
    struct Case
    {
        QString name;
        const char* call; // "" when nothing runs
        bool cancel;
    };
    const Case cases[] = {
        {"stat_surname", "statistic 1", true},
        {"stat_firstname", "statistic 2", true},
        {"stat_birth_place", "statistic 3", true},
        {"stat_death_place.html", "statistic 4", true},
        {"person_edit_person_0A1B", "edit person_0A1B", true},
        {"person_form_person_0A1B.html", "family person_0A1B", true},
        {"person_add_type_100", "add 0", true},
        {"person_add_type_101", "add 1", true},
        {"person_add_type_7", "", true},
        {"person_add_type_x1", "", true},
        {"person_add_type_", "", true},
        {"import_gedcom.html", "import", true},
        {"import_gedcom_now", "import", true},
        {"index.html", "", false},
        {"Stat_Surname", "", true},
        {"unknown.html", "", true},
    };
    for (const Case& c : cases) {
        RecordingOpener opener;
        calls.clear();
        const TCppWebBrowser::Decision decision = StartPageLinkDecision(inTemp(c.name), commands);
        EXPECT_EQ(decision.cancel, c.cancel) << c.name.toStdString();
        EXPECT_TRUE(calls.isEmpty()) << "commands run only after the browser's callback";
        if (decision.command)
            decision.command();
        EXPECT_EQ(calls.join(u';'), QLatin1String(c.call)) << c.name.toStdString();
        EXPECT_TRUE(opener.opened.isEmpty()) << "file addresses never reach the desktop: " << c.name.toStdString();
    }
}

TEST_F(StartPageLinksTest, otherAddressesGoToTheLinkPolicy)
{
    struct Case
    {
        QUrl url;
        bool opened;
    };
    const Case cases[] = {
        {QUrl("https://example.com/genealogy/person_edit_person_0A1B"), true},
        {QUrl("http://example.com/stat_surname"), true},
        {QUrl("mailto:kronvel@example.com"), true},
        {QUrl("ftp://example.com/index.html"), true},
        {QUrl::fromLocalFile("/tmp/elsewhere/person_edit_person_0A1B"), false},
        {QUrl::fromLocalFile(QString()), false},
        {QUrl("javascript:alert(1)"), false},
        {QUrl("about:blank"), false},
    };
    for (const Case& c : cases) {
        RecordingOpener opener;
        calls.clear();
        const TCppWebBrowser::Decision decision = StartPageLinkDecision(c.url, commands);
        EXPECT_TRUE(decision.cancel) << c.url.toString().toStdString();
        if (decision.command)
            decision.command();
        EXPECT_TRUE(calls.isEmpty()) << c.url.toString().toStdString();
        EXPECT_EQ(opener.opened, c.opened ? QStringList{c.url.toString()} : QStringList())
            << c.url.toString().toStdString();
    }
    // A sub-folder of the temporary folder holds no commands either.
    calls.clear();
    const TCppWebBrowser::Decision nested = StartPageLinkDecision(inTemp("thumbnails/stat_surname"), commands);
    if (nested.command)
        nested.command();
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(StartPageLinksTest, commandsWithoutTheirWindowDoNothing)
{
    for (const char* name : {"person_edit_person_0A1B", "person_form_person_0A1B", "person_add_type_100",
                             "import_gedcom.html", "stat_surname"}) {
        const TCppWebBrowser::Decision decision = StartPageLinkDecision(inTemp(name), StartPageCommands());
        EXPECT_TRUE(decision.cancel) << name;
        EXPECT_FALSE(decision.command) << name;
    }
}

} // namespace
