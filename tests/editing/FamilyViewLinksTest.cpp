#include "FamilyViewLinks.h"
#include "Bazadanych.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FamilyViewLinksTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gTempFolder = folder.path() + QStringLiteral("/Genealogia/temp/");
        commands.ShowPerson = [this](const QString& id) { calls << "show " + id; };
        commands.EditPerson = [this](const QString& id) { calls << "edit " + id; };
        commands.AddRelative = [this](int type) { calls << QStringLiteral("add %1").arg(type); };
        commands.DeleteRelation = [this](int kind, const QString& id) {
            calls << QStringLiteral("delete %1 %2").arg(kind).arg(id);
        };
    }
    void TearDown() override { gTempFolder.clear(); }

    QUrl inTemp(const QString& name) const { return QUrl::fromLocalFile(gTempFolder + name); }

    QTemporaryDir folder;
    FamilyViewCommands commands;
    QStringList calls;
};

TEST_F(FamilyViewLinksTest, linksToTheTemporaryFolderAreCommands)
{
    const QString id = QStringLiteral("person_0A1B2C3D-0000-4000-8000-00000000ABCD");
    struct Case
    {
        QString name;
        QString call; // "" when nothing runs
    };
    const Case cases[] = {
        {"person_form_" + id, "show " + id},
        {"person_form_" + id + ".html", "show " + id},
        {"person_edit_" + id, "edit " + id},
        {"person_add_type_1", "add 1"},
        {"person_add_type_21", "add 21"},
        {"person_add_type_100", "add 100"},
        {"person_delete_22x" + id, "delete 22 " + id},
        {"person_delete_04_" + id, "delete 4 " + id},
        {"person_delete_06", "delete 6 "},
        // A rest that is no decimal number cancels and does nothing.
        {"person_add_type_x", ""},
        {"person_add_type_", ""},
        {"person_add_type_-1", ""},
        {"person_add_type_+5", ""},
        {"person_add_type_2x", ""},
        {"person_add_type_99999999999", ""},
        {"person_delete_abx" + id, ""},
        {"person_delete_2", ""},
        {"person_delete_", ""},
        {"Person_form_" + id, ""},
    };
    for (const Case& c : cases) {
        RecordingOpener opener;
        calls.clear();
        const TCppWebBrowser::Decision decision = FamilyViewLinkDecision(inTemp(c.name), inTemp(".html"), commands);
        EXPECT_TRUE(decision.cancel) << c.name.toStdString();
        EXPECT_TRUE(calls.isEmpty()) << "commands run only after the browser's callback";
        if (decision.command)
            decision.command();
        EXPECT_EQ(calls.join(u';'), c.call) << c.name.toStdString();
        EXPECT_TRUE(opener.opened.isEmpty()) << c.name.toStdString();
    }
}

TEST_F(FamilyViewLinksTest, onlyThePagesOwnLoadGoesThroughAndOtherAddressesGoToTheLinkPolicy)
{
    const QUrl page = inTemp("person_0A1B2C3D-0000-4000-8000-00000000ABCD.html");
    struct Case
    {
        QUrl url;
        bool cancel;
        bool opened;
    };
    const Case cases[] = {
        {page, false, false},
        {inTemp(".html"), true, false},
        {inTemp("index.html"), true, false},
        {QUrl::fromLocalFile(folder.path() + "/person_form_person_X"), true, false},
        {QUrl("https://example.com/genealogy/person_form_person_X"), true, true},
        {QUrl("http://example.com/person_delete_22xperson_X"), true, true},
        {QUrl("mailto:kronvel@example.com"), true, true},
        {QUrl("javascript:alert(1)"), true, false},
        {QUrl("file:///bin/sh"), true, false},
    };
    for (const Case& c : cases) {
        RecordingOpener opener;
        calls.clear();
        const TCppWebBrowser::Decision decision = FamilyViewLinkDecision(c.url, page, commands);
        EXPECT_EQ(decision.cancel, c.cancel) << c.url.toString().toStdString();
        if (decision.command)
            decision.command();
        EXPECT_TRUE(calls.isEmpty()) << c.url.toString().toStdString();
        EXPECT_EQ(opener.opened, c.opened ? QStringList{c.url.toString()} : QStringList())
            << c.url.toString().toStdString();
    }
}

TEST_F(FamilyViewLinksTest, withoutAFilledCommandALinkIsCancelledAndDoesNothing)
{
    const FamilyViewCommands none;
    for (const char* name : {"person_form_x", "person_edit_x", "person_add_type_1", "person_delete_01xperson_x"}) {
        const TCppWebBrowser::Decision decision = FamilyViewLinkDecision(inTemp(name), QUrl(), none);
        EXPECT_TRUE(decision.cancel) << name;
        EXPECT_FALSE(decision.command) << name;
    }
}

} // namespace
