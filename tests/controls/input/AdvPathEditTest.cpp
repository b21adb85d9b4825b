#include "AdvDirectoryEdit.h"
#include "AdvFileNameEdit.h"
#include "InputTestSupport.h"
#include "ScriptedFileDialogs.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

struct PathEditFixture : ::testing::Test
{
    void SetUp() override
    {
        file = folder.filePath(QStringLiteral("rodzina.ged"));
        ASSERT_TRUE(writeFileBytes(file, QByteArray()));
        ASSERT_TRUE(window.show());
    }

    QTemporaryDir folder;
    QString file;
    ShownForm window;
    ScriptedFileDialogs dialogs;
};

} // namespace

TEST_F(PathEditFixture, everyConfirmedFileRaisesOnChangeEvenTheSameOneAgain)
{
    auto* edit = new TAdvFileNameEdit(&window.form);
    edit->setGeometry(10, 10, 200, 21);
    edit->SetEditorEnabled(false);
    edit->SetFilter(QStringLiteral("Pliki GEDCOM|*.ged"));
    edit->SetFilterIndex(0);
    edit->SetDialogTitle(QStringLiteral("Import"));
    edit->SetInitialDir(folder.path());
    int changes = 0;
    QStringList events;
    edit->OnChange = [&](TCustomEdit*) {
        ++changes;
        events.append(QStringLiteral("change"));
    };
    edit->OnClickBtn = [&](TAdvEditBtn*) { events.append(QStringLiteral("button")); };
    edit->OnDialogExit = [&](TAdvFileNameEdit* sender, bool ok) {
        events.append(ok ? QStringLiteral("exit ok") : QStringLiteral("exit cancel"));
        // The text is in place before the exit is reported, the modified mark only after it.
        if (ok) {
            EXPECT_EQ(sender->GetFileName(), file);
            EXPECT_FALSE(sender->GetModified());
        }
    };
    dialogs.answers = {file, file, QString()};
    dialogs.answerFilterIndex = 1;

    edit->ClickButton();
    EXPECT_EQ(edit->GetFileName(), file);
    EXPECT_EQ(edit->GetFilterIndex(), 1);
    EXPECT_TRUE(edit->GetModified());
    edit->ClickButton();
    EXPECT_EQ(changes, 2);
    edit->ClickButton();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(edit->GetFileName(), file);
    EXPECT_EQ(events, (QStringList{QStringLiteral("button"), QStringLiteral("change"), QStringLiteral("exit ok"),
                                   QStringLiteral("button"), QStringLiteral("change"), QStringLiteral("exit ok"),
                                   QStringLiteral("button"), QStringLiteral("exit cancel")}));

    ASSERT_EQ(dialogs.fileRequests.size(), 3u);
    const TFileDialogRequest& first = dialogs.fileRequests[0];
    EXPECT_EQ(first.Kind, fdOpen);
    EXPECT_EQ(first.Filter, QStringLiteral("Pliki GEDCOM|*.ged"));
    EXPECT_EQ(first.FilterIndex, 0);
    EXPECT_EQ(first.InitialDir, folder.path());
    EXPECT_EQ(first.Title, QStringLiteral("Import"));
    EXPECT_EQ(first.Options, ofHideReadOnly | ofEnableSizing);
    EXPECT_EQ(dialogs.fileRequests[1].FileName, file);
}

TEST_F(PathEditFixture, f4OpensTheFileDialogOnceTheKeyIsHandled)
{
    auto* edit = new TAdvFileNameEdit(&window.form);
    edit->setGeometry(10, 10, 200, 21);
    edit->SetEditorEnabled(false);
    edit->setFocus();
    settle();
    dialogs.answers = {file};
    QTest::keyClick(edit, Qt::Key_F4);
    EXPECT_TRUE(dialogs.fileRequests.empty());
    settle();
    EXPECT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(edit->GetText(), file);
    QTest::keyClick(edit, Qt::Key_F4, Qt::AltModifier);
    settle();
    EXPECT_EQ(dialogs.fileRequests.size(), 1u);
}

TEST_F(PathEditFixture, aFileNameIsValidWhenTheFileExists)
{
    TAdvFileNameEdit edit;
    edit.SetShowError(true);
    edit.SetText(folder.filePath(QStringLiteral("brak.ged")));
    EXPECT_TRUE(edit.GetError());
    EXPECT_FALSE(edit.TestURL());
    edit.SetText(file);
    EXPECT_FALSE(edit.GetError());
    EXPECT_FALSE(edit.TestURL());
    edit.SetShowURL(true);
    EXPECT_TRUE(edit.TestURL());
    EXPECT_FALSE(edit.GetGlyph().GetEmpty());
    EXPECT_EQ(edit.GetButtonWidth(), 18);
}

TEST_F(PathEditFixture, theFolderDialogStartsAtTheTextAndAChosenFolderChangesIt)
{
    auto* edit = new TAdvDirectoryEdit(&window.form);
    edit->setGeometry(10, 10, 200, 21);
    int changes = 0;
    edit->OnChange = [&](TCustomEdit*) { ++changes; };
    QStringList closed;
    edit->OnDialogClose = [&](TAdvDirectoryEdit*, const QString& folderChosen, bool ok) {
        closed.append(folderChosen + (ok ? QStringLiteral(" ok") : QStringLiteral(" no")));
    };
    const QString data = folder.path();
    dialogs.answers = {data, data, QString()};

    edit->ClickButton();
    ASSERT_EQ(dialogs.folderRequests.size(), 1u);
    EXPECT_EQ(dialogs.folderRequests[0].StartFolder, QDir::currentPath());
    EXPECT_EQ(dialogs.folderRequests[0].Title, QStringLiteral("Select Directory"));
    EXPECT_TRUE(dialogs.folderRequests[0].AllowNewFolder);
    EXPECT_EQ(dialogs.folderRequests[0].Anchor, edit->mapToGlobal(QPoint(0, edit->height())));
    EXPECT_EQ(edit->GetText(), data);
    EXPECT_TRUE(edit->GetModified());
    EXPECT_EQ(changes, 1);

    // The folder already shown changes nothing.
    edit->SetText(data + u'/');
    edit->SetText(data);
    edit->SetModified(false);
    changes = 0;
    edit->SetAllowNewFolder(false);
    edit->ClickButton();
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(edit->GetModified());
    EXPECT_FALSE(dialogs.folderRequests[1].AllowNewFolder);

    edit->SetText(data + u'/');
    edit->ClickButton();
    EXPECT_EQ(dialogs.folderRequests[2].StartFolder, data);
    EXPECT_EQ(edit->GetText(), data + u'/');
    EXPECT_EQ(closed, (QStringList{data + QStringLiteral(" ok"), data + QStringLiteral(" ok")}));
}

TEST_F(PathEditFixture, aMissingFolderIsInvalid)
{
    TAdvDirectoryEdit edit;
    edit.SetText(folder.path());
    EXPECT_TRUE(edit.IsValidDirectory());
    EXPECT_FALSE(edit.GetError());
    edit.SetText(folder.filePath(QStringLiteral("brak")));
    EXPECT_FALSE(edit.IsValidDirectory());
    EXPECT_TRUE(edit.GetError());
    EXPECT_FALSE(edit.DoValidate(edit.GetText()));
    EXPECT_TRUE(edit.DoValidate(folder.path()));
}
