#include "GedcomImportUnit.h"

#include "../GedcomImportFixture.h"
#include "AdvEdBtn.h"
#include "AdvFileNameEdit.h"
#include "AdvPanel.h"
#include "FileDialogs.h"
#include "ProgressBar.h"
#include "ScriptedFileDialogs.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

// Three individuals, two of them with a picture link, and their family.
const QByteArray familyOfThree = "0 HEAD\n1 CHAR UTF-8\n"
                                 "0 @I1@ INDI\n1 NAME Jan /Kowalski/\n1 SEX M\n1 OBJE\n2 FILE jan.jpg\n"
                                 "0 @I2@ INDI\n1 NAME Anna /Nowak/\n1 SEX F\n1 OBJE\n2 FILE anna.jpg\n"
                                 "0 @I3@ INDI\n1 NAME Piotr /Kowalski/\n1 SEX M\n"
                                 "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n"
                                 "0 TRLR\n";

// The window over an empty data folder, with its message boxes and file dialog answered by the test.
class GedcomImportWindowTest : public GedcomImportFixture
{
protected:
    void SetUp() override
    {
        GedcomImportFixture::SetUp();
        window.Reset();
    }
    void TearDown() override
    {
        gGedcom.Clear();
        GedcomImportFixture::TearDown();
    }

    QString writeGedcom(const QString& name, const QByteArray& bytes)
    {
        const QString path = source.filePath(name);
        writeFileBytes(path, bytes);
        return path;
    }
    // Chooses the file in the window's open dialog.
    void choose(const QString& path)
    {
        dialogs.answers = {path};
        window.AdvEditFileName->ClickButton();
    }

    QStringList counters() const
    {
        return {window.PanelOsoby->GetText(), window.PanelRodziny->GetText(), window.PanelZdjecia->GetText()};
    }
    static QString bar(const TProgressBar* bar)
    {
        return QStringLiteral("%1/%2").arg(bar->GetPosition()).arg(bar->GetMax());
    }
    QStringList bars() const
    {
        return {bar(window.ProgressBarOsoby), bar(window.ProgressBarZwiazki), bar(window.ProgressBarZdjecia)};
    }
    bool importShown() const { return !window.ButtonImport->isHidden(); }
    void expectResetState() const
    {
        EXPECT_EQ(counters(), QStringList({"-", "-", "-"}));
        EXPECT_EQ(bars(), QStringList({"0/0", "0/0", "0/0"}));
        EXPECT_TRUE(window.ButtonImport->isHidden());
        EXPECT_TRUE(window.ProgressBarImport->isHidden());
        EXPECT_TRUE(window.Label3->isHidden());
        EXPECT_EQ(window.AdvEditFileName->GetText(), QString());
    }

    RecordingPrompter prompts;
    ScriptedFileDialogs dialogs;
    TFormGedcomImport window;
};

} // namespace

TEST_F(GedcomImportWindowTest, resetEmptiesTheWindowAndTheReaderAlsoAfterALoad)
{
    expectResetState();
    choose(writeGedcom("rodzina.ged", familyOfThree));
    ASSERT_TRUE(importShown());

    window.Reset();
    expectResetState();
    EXPECT_TRUE(gGedcom.individuals().isEmpty());
    EXPECT_TRUE(prompts.texts.isEmpty()) << "the emptied name loads nothing";
}

TEST_F(GedcomImportWindowTest, theFirstActivationAfterAResetPlacesTheWindowHigh)
{
    const QRect area = window.screen()->availableGeometry();
    const auto expectedTop = [&] {
        return area.top() + qMin((area.height() - window.frameGeometry().height()) / 2, int(area.height() * 0.2));
    };
    window.move(0, 0);
    window.FormActivate();
    EXPECT_EQ(window.frameGeometry().top(), expectedTop());

    window.move(0, 0);
    window.FormActivate();
    EXPECT_EQ(window.pos(), QPoint(0, 0)) << "later activations leave the window where it is";

    window.Reset();
    window.FormActivate();
    EXPECT_EQ(window.frameGeometry().top(), expectedTop()) << "placed anew at the next showing";
}

TEST_F(GedcomImportWindowTest, theFileComesFromAnOpenDialogForGedcomFiles)
{
    choose(QString());
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const TFileDialogRequest& request = dialogs.fileRequests[0];
    EXPECT_EQ(request.Kind, fdOpen);
    // The dialog matches the pattern in any letter case (the file dialogs' own test).
    EXPECT_EQ(ToNameFilters(request.Filter), QStringList{"Pliki GEDCOM (*.ged)"});
    EXPECT_FALSE(window.AdvEditFileName->GetEditorEnabled());
    EXPECT_TRUE(prompts.texts.isEmpty()) << "a cancelled dialog loads nothing";
}

TEST_F(GedcomImportWindowTest, aChosenFileIsReadWithItsCountersAndReadAgainWhenChosenAgain)
{
    const QString path = writeGedcom("rodzina.ged", familyOfThree);
    choose(path);
    EXPECT_EQ(window.AdvEditFileName->GetText(), path);
    EXPECT_EQ(counters(), QStringList({"3", "1", "2"}));
    const int lines = gGedcom.lineCount();
    // The pictures bar shows the families stage's final state.
    EXPECT_EQ(bars(), QStringList(3, QStringLiteral("%1/%1").arg(lines)));
    EXPECT_TRUE(importShown());
    EXPECT_TRUE(window.AdvEditFileName->isEnabled());
    EXPECT_FALSE(window.IsBusy());
    EXPECT_TRUE(prompts.texts.isEmpty());

    // The same name chosen again reads what the file holds now.
    writeFileBytes(path, QByteArray(familyOfThree).replace("0 TRLR\n", "0 @I4@ INDI\n1 NAME Maria /Kowalska/\n"));
    choose(path);
    EXPECT_EQ(counters(), QStringList({"4", "1", "2"}));
    EXPECT_EQ(gGedcom.individuals().size(), 4);
}

TEST_F(GedcomImportWindowTest, aPathThatHasDisappearedIsNamedAndChangesNothing)
{
    choose(writeGedcom("rodzina.ged", familyOfThree));
    const QString gone = source.filePath("usuniety.ged");
    choose(gone);
    EXPECT_EQ(prompts.texts, QStringList{"Brak pliku [" + gone + "]"});
    EXPECT_EQ(counters(), QStringList({"3", "1", "2"}));
    EXPECT_TRUE(importShown());
    EXPECT_EQ(gGedcom.individuals().size(), 3) << "the reader keeps the file read before";
}

TEST_F(GedcomImportWindowTest, aPathThatCannotBeReadOrHoldsNoRecordsLeavesNothingToImport)
{
    QTemporaryDir folder;
    const QString unreadable = folder.path() + QStringLiteral("/drzewo.ged");
    // A folder where the file should be cannot be read as a file, also by root.
    ASSERT_TRUE(QDir().mkpath(unreadable));
    const QString good = writeGedcom("rodzina.ged", familyOfThree);
    struct Case
    {
        const char* what;
        QString path;
        QStringList counters;
        QString message;
    };
    const QString noRecords = u("Plik nie zawiera osób ani rodzin");
    const Case cases[] = {
        {"a folder", unreadable, {"-", "-", "-"}, u("Nie można odczytać pliku [%1]: Is a directory").arg(unreadable)},
        {"no records",
         writeGedcom("pusty.ged", "0 HEAD\n1 CHAR UTF-8\n0 @S1@ SOUR\n1 TITL Księga\n0 TRLR\n"),
         {"0", "0", "0"},
         noRecords},
        {"an empty file", writeGedcom("zero.ged", QByteArray()), {"0", "0", "0"}, noRecords},
    };
    for (const Case& c : cases) {
        choose(good);
        ASSERT_TRUE(importShown()) << c.what;
        prompts.texts.clear();
        choose(c.path);
        EXPECT_EQ(prompts.texts, QStringList{c.message}) << c.what;
        EXPECT_FALSE(importShown()) << c.what;
        EXPECT_EQ(counters(), c.counters) << c.what;
        EXPECT_TRUE(gGedcom.individuals().isEmpty()) << c.what;
        EXPECT_FALSE(window.IsBusy()) << c.what;
        EXPECT_TRUE(window.AdvEditFileName->isEnabled()) << c.what;
    }
}

TEST_F(GedcomImportWindowTest, theReadersProblemsAreListedInOneMessage)
{
    QByteArray bytes = "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Jan /Kowalski/\nbez poziomu\n1 NOTE a\x01"
                       "b\n";
    choose(writeGedcom("bledy.ged", bytes + "0 TRLR\n"));
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts[0], u("Niektórych wierszy pliku GEDCOM nie udało się wczytać w całości:\n"
                                  "Wiersz 5: wiersz pominięty, bo jego poziom nie jest liczbą: bez poziomu\n"
                                  "Wiersz 6: usunięte znaki sterujące (0x01)")
                                    .replace(u'\n', QStringLiteral("\r\n")));
    EXPECT_TRUE(importShown()) << "the records read are there to import";

    // A thousand problems are listed, and the rest counted.
    for (int i = 0; i < 1003; ++i)
        bytes += "1\n";
    prompts.texts.clear();
    choose(writeGedcom("bledy.ged", bytes + "0 TRLR\n"));
    ASSERT_EQ(prompts.texts.size(), 1);
    const QStringList lines = prompts.texts[0].split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 1002);
    EXPECT_EQ(lines[1000], u("Wiersz 1004: wiersz pominięty, bo nie ma znacznika: 1"));
    EXPECT_EQ(lines[1001], u("... i jeszcze 5"));
}

TEST_F(GedcomImportWindowTest, repeatedCrossReferencesDeepLevelsAndLongLinesAreListedReadably)
{
    const QByteArray stray = "x" + QByteArray(300, 'y');
    choose(writeGedcom("bledy.ged", "0 HEAD\n"
                                    "0 @I1@ INDI\n1 NAME Jan /Kowalski/\n1 BIRT\n100 _X a\n101 DATE 1 JAN 1800\n"
                                    "0 @I1@ INDI\n1 NAME Jan /Nowak/\n" +
                                        stray + "\n0 TRLR\n"));
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts[0].split(QStringLiteral("\r\n")),
              QStringList({u("Niektórych wierszy pliku GEDCOM nie udało się wczytać w całości:"),
                           u("Wiersz 5: wiersz pominięty razem z wierszami podrzędnymi (1), bo jego poziom jest "
                             "większy niż 99: 100 _X a"),
                           u("Wiersz 7: identyfikator @I1@ powtarza się (pierwszy raz w wierszu 2); ten rekord też "
                             "jest wczytywany, ale odwołania do @I1@ prowadzą do rekordu z wiersza 2"),
                           u("Wiersz 9: wiersz pominięty, bo jego poziom nie jest liczbą: ") +
                               QString::fromLatin1(stray.left(100)) + u("…")}));
    EXPECT_EQ(counters(), QStringList({"2", "0", "0"}));
    EXPECT_TRUE(importShown());
}

TEST_F(GedcomImportWindowTest, duringAReadTheWindowRepaintsButRefusesClosingAndANewChoice)
{
    const QString path = writeGedcom("rodzina.ged", familyOfThree);
    bool checkedDuringRead = false;
    whenShownModal(&window, [&] {
        // Posted now, run by the progress display while the file is read.
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                checkedDuringRead = true;
                ASSERT_TRUE(window.IsBusy());
                EXPECT_EQ(window.PanelOsoby->GetText(), "0") << "the counters grow during the read";
                QTest::mouseClick(window.Button2, Qt::LeftButton);
                window.close();
                QTest::keyClick(&window, Qt::Key_Escape);
                EXPECT_FALSE(window.AdvEditFileName->isEnabled());
                EXPECT_FALSE(window.AdvEditFileName->ButtonHost()->isEnabled());
                QTest::mouseClick(window.AdvEditFileName->ButtonHost()->Button(), Qt::LeftButton);
                QCoreApplication::processEvents();
                EXPECT_TRUE(window.isVisible());
                EXPECT_EQ(window.GetModalResult(), mrNone);
            },
            Qt::QueuedConnection);
        choose(path);
        QCoreApplication::processEvents();
        EXPECT_TRUE(checkedDuringRead);
        EXPECT_EQ(dialogs.fileRequests.size(), 1u) << "the edit's button did nothing during the read";
        EXPECT_EQ(counters(), QStringList({"3", "1", "2"}));
        EXPECT_TRUE(importShown());
        EXPECT_TRUE(window.isVisible()) << "what was refused during the read does not act after it";
        window.Button2->click();
    });
    EXPECT_EQ(window.ShowModal(), mrCancel);
    EXPECT_TRUE(checkedDuringRead);
}

TEST_F(GedcomImportWindowTest, importingEndsTheDialogWithTheNewObjectsWritten)
{
    gDB.SetChanged(false);
    whenShownModal(&window, [&] {
        choose(writeGedcom("rodzina.ged", familyOfThree));
        ASSERT_TRUE(importShown());
        window.ButtonImport->click();
    });
    EXPECT_EQ(window.ShowModal(), mrOk);
    ASSERT_EQ(prompts.texts.size(), 1);
    const QStringList paragraphs = prompts.texts[0].split(QStringLiteral("\r\n\r\n"));
    EXPECT_EQ(paragraphs.value(0), u("Dane z pliku GEDCOM zostały wczytane"));
    EXPECT_EQ(paragraphs.value(1), u("Dodane osoby: 3, fakty: 0, zdjęcia: 2."));
    EXPECT_TRUE(paragraphs.value(2).contains("jan.jpg")) << paragraphs.value(2).toStdString();
    EXPECT_TRUE(gDB.IsChanged());
    EXPECT_TRUE(window.ProgressBarImport->isHidden());
    EXPECT_TRUE(window.Label3->isHidden());
    EXPECT_EQ(window.ProgressBarImport->GetPosition(), window.ProgressBarImport->GetMax());
    EXPECT_EQ(window.ProgressBarImport->GetMax(), 5) << "the saving phase: three persons and two pictures";

    EXPECT_EQ(filesInFolder().size(), 5);
    reload();
    EXPECT_EQ(gDB.GetPersonCount(), 3);
    EXPECT_TRUE(brokenLinks().isEmpty());
}

TEST_F(GedcomImportWindowTest, aFailedImportReportsWhyAndEndsWithTheCancelResult)
{
    choose(writeGedcom("rodzina.ged", familyOfThree));
    // The data folder's place is taken by a file: nothing can be written into it.
    const QString blocked = source.filePath("plik");
    writeFileBytes(blocked, "x");
    gDB.DataFolder = blocked + u'/';
    whenShownModal(&window, [&] { window.ButtonImport->click(); });
    EXPECT_EQ(window.ShowModal(), mrCancel);
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_TRUE(prompts.texts[0].startsWith(u("Import danych z pliku GEDCOM nie powiódł się i został wycofany")))
        << prompts.texts[0].toStdString();
    EXPECT_TRUE(prompts.texts[0].contains(u("\r\n\r\nNie można zapisać pliku [%1/").arg(blocked)))
        << prompts.texts[0].toStdString();
    EXPECT_EQ(gDB.GetPersonCount(), 0) << "the import kept nothing";
}

TEST_F(GedcomImportWindowTest, screenshotAfterALoad)
{
    choose(writeGedcom("rodzina.ged", familyOfThree));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QString file = testOutputFolder() + QStringLiteral("/gedcom-import-window.png");
    EXPECT_TRUE(window.grab().save(file)) << file.toStdString();
}
