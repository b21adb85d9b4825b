#include "UstawieniaUnit.h"
#include "AdvCombo.h"
#include "AdvDirectoryEdit.h"
#include "AdvOfficeButtons.h"
#include "AppFixture.h"
#include "DataFolderLock.h"
#include "FolderHolder.h"
#include "ScriptedFileDialogs.h"
#include "TestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

const QString currentFolder = QStringLiteral("/home/jan/Genealogia/");

class SettingsDialogTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        gSettings.Data_Folder = currentFolder;
        dialog = std::make_unique<TFormUstawienia>();
    }
    void TearDown() override
    {
        // The date settings live on in the date type: the next test starts from the defaults.
        gSettings = KV_Settings();
        gSettings.Apply();
        AppFixture::TearDown();
    }

    // Shows the dialog as the main window does and runs act once it is active; a dialog that act leaves open is
    // closed with "Zamknij". The dialog's modal result; folderChanged holds what the dialog told.
    TModalResult showModal(const std::function<void()>& act)
    {
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
            act();
            if (dialog->GetModalResult() == mrNone)
                dialog->Button2->click();
        });
        return dialog->ShowSettings(folderChanged);
    }

    // Shows the dialog as the user first sees it, without waiting for it to close.
    void showFirstTime()
    {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        ASSERT_FALSE(dialog->ButtonZapisz->isEnabled());
    }

    void press(Qt::Key key) { QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog.get(), key); }

    QString folderText() const { return dialog->AdvDirectoryEditFolder->GetText(); }

    // Picks the folder in the folder dialog, answering its question (if it asks) with answer.
    void pickFolder(const QString& folder, Prompter::Answer answer = Prompter::Answer::Cancel)
    {
        folders.answers = {folder};
        prompts.answers = {answer};
        dialog->AdvDirectoryEditFolder->ClickButton();
    }

    std::unique_ptr<TFormUstawienia> dialog;
    bool folderChanged = false;
    RecordingPrompter prompts;
    ScriptedFileDialogs folders;
};

TEST_F(SettingsDialogTest, firstOpeningShowsTheSettingsAndF3DoesNothingUntilAChange)
{
    gSettings.CheckUpdate = false;
    gSettings.MaxOnStartup = true;
    gSettings.BirthdayForAlive = false;
    gSettings.ShowPlacesInPersonDescription = true;
    gSettings.SetDateFormat(9, QStringLiteral("dd.MM.yyyy"));
    gSettings.YearSuffix = false;
    gSettings.BirthPrefix = QStringLiteral("*");
    gSettings.DeathPrefix = QStringLiteral("| zm. ");
    const KV_Settings before = gSettings;

    const TModalResult result = showModal([&] {
        EXPECT_FALSE(dialog->AdvOfficeCheckBoxNowaWersja->GetChecked());
        EXPECT_TRUE(dialog->AdvOfficeCheckBoxShowMax->GetChecked());
        EXPECT_FALSE(dialog->AdvOfficeCheckBoxRoczniceUrDlaZyjacych->GetChecked());
        EXPECT_TRUE(dialog->AdvOfficeCheckBoxOspisOsobyShowMiejsca->GetChecked());
        EXPECT_EQ(dialog->AdvComboBoxFormatDat->GetText(), "dd.MM.yyyy");
        EXPECT_FALSE(dialog->AdvOfficeCheckBoxRokDodajR->GetChecked());
        EXPECT_EQ(dialog->AdvComboBoxPrefiksDataUr->GetText(), "*");
        EXPECT_EQ(dialog->AdvComboBoxPrefiksDataZg->GetText(), "| zm. ");
        EXPECT_EQ(folderText(), currentFolder);
        EXPECT_FALSE(dialog->ButtonZapisz->isEnabled());

        press(Qt::Key_F3);
        EXPECT_EQ(dialog->GetModalResult(), mrNone) << "F3 saves nothing while nothing changed";
        press(Qt::Key_Escape);
        EXPECT_EQ(dialog->GetModalResult(), mrCancel) << "Esc closes";
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(gSettings.CheckUpdate, before.CheckUpdate);
    EXPECT_EQ(gSettings.BirthdayForAlive, before.BirthdayForAlive);
    EXPECT_EQ(gSettings.Data_Folder, currentFolder);
    EXPECT_TRUE(prompts.texts.isEmpty());
    EXPECT_TRUE(dialog->grab().save(testOutputFolder() + "/settings_dialog.png"));
}

TEST_F(SettingsDialogTest, anyCheckBoxClickOrComboChangeEnablesSaving)
{
    struct Case
    {
        const char* what;
        std::function<void(TFormUstawienia&)> change;
    };
    const auto click = [](TAdvOfficeCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, 10)); };
    const Case cases[] = {
        {"update check", [&](TFormUstawienia& d) { click(d.AdvOfficeCheckBoxNowaWersja); }},
        {"maximised", [&](TFormUstawienia& d) { click(d.AdvOfficeCheckBoxShowMax); }},
        {"anniversaries", [&](TFormUstawienia& d) { click(d.AdvOfficeCheckBoxRoczniceUrDlaZyjacych); }},
        {"places", [&](TFormUstawienia& d) { click(d.AdvOfficeCheckBoxOspisOsobyShowMiejsca); }},
        {"year suffix", [&](TFormUstawienia& d) { click(d.AdvOfficeCheckBoxRokDodajR); }},
        {"date format", [](TFormUstawienia& d) { QTest::keyClick(d.AdvComboBoxFormatDat, Qt::Key_Down); }},
        {"birth prefix", [](TFormUstawienia& d) { QTest::keyClicks(d.AdvComboBoxPrefiksDataUr, "x"); }},
        {"death prefix", [](TFormUstawienia& d) { QTest::keyClicks(d.AdvComboBoxPrefiksDataZg, "x"); }},
    };
    for (const Case& c : cases) {
        dialog = std::make_unique<TFormUstawienia>();
        showFirstTime();
        c.change(*dialog);
        EXPECT_TRUE(dialog->ButtonZapisz->isEnabled()) << c.what;
    }
}

TEST_F(SettingsDialogTest, saveAppliesTheControlsToTheSettingsOnly)
{
    QTemporaryDir settingsFolder;
    gConfigFile = settingsFolder.filePath("config.ini");
    writeFileBytes(gConfigFile, "Common_CheckUpdate=1");
    gSettings.YearSuffix = false;
    gSettings.BirthPrefix.clear();
    gDB.SetChanged(false);

    const TModalResult result = showModal([&] {
        QTest::keyClick(dialog->AdvComboBoxFormatDat, Qt::Key_Down);
        QTest::keyClick(dialog->AdvComboBoxFormatDat, Qt::Key_Down);
        QTest::mouseClick(dialog->AdvOfficeCheckBoxRokDodajR, Qt::LeftButton, {}, QPoint(8, 10));
        QTest::keyClicks(dialog->AdvComboBoxPrefiksDataUr, "ur:");
        press(Qt::Key_F3);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(gSettings.DateFormatIndex, 3);
    EXPECT_EQ(gSettings.DateFormat, "dd MMM yyyy");
    EXPECT_TRUE(gSettings.YearSuffix);
    EXPECT_EQ(gSettings.BirthPrefix, "ur:");
    EXPECT_EQ(gSettings.DeathPrefix, KV_Settings().DeathPrefix);
    EXPECT_EQ(gSettings.Data_Folder, currentFolder);
    EXPECT_FALSE(folderChanged);
    EXPECT_TRUE(gDB.IsChanged()) << "the new date settings were applied";
    EXPECT_EQ(readFileBytes(gConfigFile), "Common_CheckUpdate=1") << "the main window saves the settings";
}

TEST_F(SettingsDialogTest, pickedFolderIsComparedWithTheCurrentOneExactly)
{
    struct Case
    {
        const char* what;
        QString picked;
        Prompter::Answer answer;
        bool asks;
        QString folderAfterSave; // empty: the pick was undone or asked nothing
    };
    const Case cases[] = {
        {"the same without a trailing /", "/home/jan/Genealogia", Prompter::Answer::Yes, false, ""},
        {"the same with a trailing /", "/home/jan/Genealogia/", Prompter::Answer::Yes, false, ""},
        {"the same with //", "/home//jan/Genealogia", Prompter::Answer::Yes, false, ""},
        {"the same with /./", "/home/jan/./Genealogia/", Prompter::Answer::Yes, false, ""},
        {"another one, No", "/home/jan/Rodzina", Prompter::Answer::No, true, ""},
        {"another one, Cancel", "/home/jan/Rodzina", Prompter::Answer::Cancel, true, ""},
        {"another one, Yes", "/home/jan/Rodzina", Prompter::Answer::Yes, true, "/home/jan/Rodzina/"},
        {"in other letter case", "/home/jan/GENEALOGIA", Prompter::Answer::Yes, true, "/home/jan/GENEALOGIA/"},
        {"ending in a blank", "/home/jan/Genealogia ", Prompter::Answer::Yes, true, "/home/jan/Genealogia /"},
    };
    for (const Case& c : cases) {
        gSettings.Data_Folder = currentFolder;
        prompts.texts.clear();
        dialog = std::make_unique<TFormUstawienia>();
        showFirstTime();
        pickFolder(c.picked, c.answer);

        ASSERT_EQ(prompts.texts.size(), c.asks ? 1 : 0) << c.what;
        if (c.asks) {
            EXPECT_EQ(prompts.texts[0], gLangM.Get("LABEL_FOLDER_ZMIANA")) << c.what;
            EXPECT_EQ(prompts.captions[0], "Uwaga") << c.what;
        }
        const bool taken = !c.folderAfterSave.isEmpty();
        if (c.asks) {
            EXPECT_EQ(folderText(), taken ? c.folderAfterSave : currentFolder) << c.what;
        }
        EXPECT_EQ(dialog->ButtonZapisz->isEnabled(), taken) << c.what;

        dialog->ButtonZapiszClick();
        EXPECT_EQ(gSettings.Data_Folder, taken ? c.folderAfterSave : currentFolder) << c.what;
        EXPECT_EQ(dialog->GetFolderChanged(), taken) << c.what;
    }
}

TEST_F(SettingsDialogTest, laterOpeningsKeepTheControlsAsTheUserLeftThem)
{
    const bool checkUpdate = gSettings.CheckUpdate;
    const TModalResult closed = showModal([&] {
        QTest::mouseClick(dialog->AdvOfficeCheckBoxNowaWersja, Qt::LeftButton, {}, QPoint(8, 10));
        pickFolder("/home/jan/Rodzina", Prompter::Answer::Yes);
    });
    EXPECT_EQ(closed, mrCancel);
    EXPECT_FALSE(folderChanged);
    EXPECT_EQ(gSettings.CheckUpdate, checkUpdate);
    EXPECT_EQ(gSettings.Data_Folder, currentFolder);

    const TModalResult saved = showModal([&] {
        EXPECT_EQ(dialog->AdvOfficeCheckBoxNowaWersja->GetChecked(), !checkUpdate);
        EXPECT_EQ(folderText(), "/home/jan/Rodzina/");
        EXPECT_TRUE(dialog->ButtonZapisz->isEnabled());
        dialog->ButtonZapisz->click();
    });
    EXPECT_EQ(saved, mrOk);
    EXPECT_EQ(gSettings.CheckUpdate, !checkUpdate) << "a later save applies what the controls show";
    EXPECT_EQ(gSettings.Data_Folder, "/home/jan/Rodzina/");
    EXPECT_TRUE(folderChanged);
}

TEST_F(SettingsDialogTest, standsInTheUpperPartOfTheScreenFromItsFirstShowing)
{
    showFirstTime();
    const QRect area = dialog->screen()->availableGeometry();
    const int height = dialog->frameGeometry().height();
    EXPECT_EQ(dialog->pos(), QPoint(area.left() + (area.width() - dialog->frameGeometry().width()) / 2,
                                    area.top() + qMin((area.height() - height) / 2, int(area.height() * 0.2))));
    dialog->hide();
    dialog->move(3, 4);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    EXPECT_EQ(dialog->pos(), QPoint(3, 4)) << "placed at the first showing only";
}

} // namespace

TEST_F(SettingsDialogTest, aNewDataFolderIsLockedBeforeTheOldIsLetGoAndOneInUseIsRefused)
{
    QTemporaryDir root;
    const QString working = root.filePath("dane") + '/';
    const QString busy = root.filePath("zajety") + '/';
    const QString next = root.filePath("nowy") + '/';
    const QString later = root.filePath("pozniejszy") + '/';
    for (const QString& folder : {working, busy, next, later})
        ASSERT_TRUE(QDir().mkpath(folder));
    QString message;
    ASSERT_TRUE(LockDataFolder(working, message)) << message.toStdString();
    FolderHolder other(busy);
    ASSERT_EQ(other.state(), "held");

    const auto save = [&](const QString& folder) {
        dialog = std::make_unique<TFormUstawienia>();
        showFirstTime();
        pickFolder(folder, Prompter::Answer::Yes);
        prompts.texts.clear();
        dialog->ButtonZapiszClick();
    };
    gSettings.Data_Folder = working;
    save(busy);
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts[0], "Folder z danymi [" + busy +
                                    "] jest już używany przez inną uruchomioną kopię programu.\r\n\r\n"
                                    "Wybierz inny folder.");
    EXPECT_EQ(dialog->GetModalResult(), mrNone) << "the dialog stays open for another folder";
    EXPECT_EQ(gSettings.Data_Folder, working);

    save(next);
    EXPECT_EQ(prompts.texts, QStringList());
    EXPECT_EQ(gSettings.Data_Folder, next);
    EXPECT_EQ(FolderHolder(next).state(), "in use") << "taken for the next start";
    EXPECT_EQ(FolderHolder(working).state(), "in use") << "still worked in";

    // Another change lets go of the folder picked before only once the new one is held.
    save(later);
    EXPECT_EQ(gSettings.Data_Folder, later);
    EXPECT_EQ(FolderHolder(next).state(), "held");
    EXPECT_EQ(FolderHolder(later).state(), "in use");
    EXPECT_EQ(FolderHolder(working).state(), "in use");
}
