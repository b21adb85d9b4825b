#include "AdvCombo.h"
#include "AdvDirectoryEdit.h"
#include "AdvFileNameEdit.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "Application.h"
#include "Clock.h"
#include "FakeWebServer.h"
#include "FileSystem.h"
#include "FolderHolder.h"
#include "FormularzOsobyUnit.h"
#include "GedcomImportUnit.h"
#include "ImportJournal.h"
#include "Kx_settings.h"
#include "ListaOsobForm.h"
#include "Miniaturyunit.h"
#include "OProgramieUnit.h"
#include "OsobaFormUnit.h"
#include "Pdfmanager.h"
#include "Picturemanager.h"
#include "ProcessControl.h"
#include "ScriptedFileDialogs.h"
#include "StartPageFixture.h"
#include "StartPageLinks.h"
#include "StartUnit.h"
#include "TestSupport.h"
#include "UpdateCheck.h"
#include "UstawieniaUnit.h"
#include "WebPageDriver.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace {

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString defaultDataFolder()
{
    return documentsFolder() + QStringLiteral("/Genealogia/");
}

// Records the restart's requests instead of ending the test's event loop or starting a program, with the data
// folder that config.ini holds when the loop is asked to end.
class RecordingProcessControl : public ProcessControl
{
public:
    RecordingProcessControl() { setProcessControl(this); }
    ~RecordingProcessControl() override { setProcessControl(nullptr); }
    void quitEventLoop() override
    {
        KX_Settings saved;
        saved.Load(gConfigFile);
        calls << "quit";
        folderAtQuit = saved.GetString("Data", "Folder", "(none)");
    }
    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        calls << QStringLiteral("start %1 (%2)").arg(program, arguments.join(u' '));
        return true;
    }
    QStringList calls;
    QString folderAtQuit;
};

class StartFormTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        QDir(documentsFolder()).removeRecursively();
        QFile::remove(UserSettingsFolder() + "config.ini");
        UpdateService::SetBaseUrl(server.baseUrl());
        UpdateService::SetTimeout(2000);
        server.reply(200, "OK:1.2.2.0");
        writeSettings({"Common_CheckUpdate=0", "Common_MaxOnStartup=0"});
    }
    void TearDown() override
    {
        Clock::setFixedNow(QDateTime());
        AppFixture::TearDown();
    }

    static void writeSettings(const QStringList& lines)
    {
        KX_Settings store;
        for (const QString& line : lines) {
            const qsizetype eq = line.indexOf(u'=');
            const qsizetype underscore = line.indexOf(u'_');
            QString value = line.mid(eq + 1);
            store.ExchangeString(false, line.left(underscore), line.mid(underscore + 1, eq - underscore - 1), value);
        }
        QDir().mkpath(UserSettingsFolder());
        ASSERT_TRUE(store.Save(UserSettingsFolder() + "config.ini"));
    }

    // The constructed main window, pointed at the templates of the source tree.
    std::unique_ptr<TStartForm> makeForm()
    {
        auto form = std::make_unique<TStartForm>();
        gAppFolder = QStringLiteral(KRONVEL_SOURCE_DIR "/resources/");
        web = std::make_unique<WebPageDriver>(form->CppWebBrowserPulpit);
        return form;
    }

    // Persons written into the default data folder, as a data folder the program finds at its start.
    static void writePersons(int count)
    {
        QDir().mkpath(defaultDataFolder());
        gDB.DataFolder = defaultDataFolder();
        gDB.FileExtension = QStringLiteral(".kvfile");
        const QStringList surnames = {"Nowak", "Kowalski", "Wiśniewski", "Wójcik", "Kowalczyk", "Kamiński"};
        const QStringList forenames = {"Jan", "Anna", "Piotr", "Maria", "Andrzej", "Katarzyna", "Józef"};
        for (int i = 0; i < count; ++i) {
            auto* person = new KV_Person;
            person->Forename = forenames[i % forenames.size()];
            person->Surname = surnames[(i * 7 / 3) % surnames.size()];
            person->Sex = i % 2;
            person->DateCreate =
                QDateTime(QDate(2024, 1, 1), QTime(8, 0)).addSecs(i * 3600L).toString("yyyy-MM-dd hh:mm");
            gDB.AddPerson(person);
            auto* birth = new KV_Fact;
            birth->Type = QStringLiteral("BIRT");
            birth->Place = i % 3 ? QStringLiteral("Kraków") : QStringLiteral("Poznań");
            birth->Date.FromStorageText(QStringLiteral("#1%1%2%3")
                                            .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                                            .arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                                            .arg(1900 + i));
            gDB.AddFactToPerson(person->ID, birth);
            ASSERT_TRUE(gDB.SaveFact(birth, birth->ID));
            ASSERT_TRUE(gDB.SavePerson(person, person->ID));
        }
        gDB.Clear();
    }

    // Runs the settings command with a new settings dialog, on which act runs once it is shown; a dialog that act
    // leaves open is closed with "Zamknij".
    static void runSettingsCommand(TStartForm& form, const std::function<void(TFormUstawienia&)>& act)
    {
        TFormUstawienia dialog;
        TStartFormWindows windows;
        windows.ShowSettings = [&](bool& folderChanged) { return dialog.ShowSettings(folderChanged); };
        form.SetWindows(windows);
        QTimer::singleShot(0, [&] {
            // Qt counts a window active while its owner has the focus: wait for the dialog's own activation.
            EXPECT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &dialog; }));
            act(dialog);
            if (dialog.GetModalResult() == mrNone)
                dialog.Button2->click();
        });
        form.Ustawienia1->trigger();
    }

    // Picks the folder in the settings dialog, answering Yes to its question, and saves.
    void pickFolderAndSave(TFormUstawienia& dialog, const QString& folder)
    {
        folders.answers = {folder};
        dialog.AdvDirectoryEditFolder->ClickButton();
        dialog.ButtonZapisz->click();
    }

    // The page's Tahoma text is drawn in the evenly spaced face that stands in for it in the web view.
    bool usesEvenlySpacedFace()
    {
        return web
            ->evaluate("Array.from(document.fonts).some(f => f.family.replace(/\"/g, '') === 'Tahoma' "
                       "&& f.status === 'loaded')")
            .toBool();
    }

    bool waitForPage(int count = 1) { return web->waitForPages(count); }

    QString pageText() const { return QString::fromUtf8(readFileBytes(gTempFolder + "index.html")); }

    FakeWebServer server;
    RecordingPrompter prompts;
    RecordingOpener opener;
    ScriptedFileDialogs folders;
    RecordingProcessControl processes;
    // The page driver of the last form made.
    std::unique_ptr<WebPageDriver> web;
};

TEST_F(StartFormTest, constructionSetsTheProgramTextsAndSettingsFolder)
{
    auto form = makeForm();
    EXPECT_EQ(gProductName, "Kronvel");
    EXPECT_EQ(gProductVersion, "1.2.2.0");
    EXPECT_EQ(form->StatisticKind, 1);
    EXPECT_EQ(gSettingsFolder, UserSettingsFolder());
    EXPECT_EQ(gConfigFile, UserSettingsFolder() + "config.ini");
    EXPECT_EQ(gDocumentsFolder, documentsFolder());
    EXPECT_FALSE(gSettings.CheckUpdate) << "read from config.ini";
    EXPECT_GT(gDB.GetAttributeTypeCount(), 0);
    EXPECT_FALSE(form->SpeedButton7->isEnabled()) << "no person editor connected yet";
}

TEST_F(StartFormTest, firstActivationPreparesTheDataFolderAndShowsTheWelcomePage)
{
    auto form = makeForm();
    form->resize(1008, 700);
    form->show();
    form->FormActivate();
    const QString data = defaultDataFolder();
    EXPECT_EQ(gDataFolder, data);
    EXPECT_EQ(gTempFolder, data + "temp/");
    EXPECT_EQ(gReportsFolder, data + "Raporty/");
    for (const char* sub : {"", "temp", "Raporty", "multimedia", "temp/thumbnails"})
        EXPECT_TRUE(QFileInfo(data + sub).isDir()) << sub;
    EXPECT_EQ(QDir::cleanPath(GetPicturesFolder()), QDir::cleanPath(data + "multimedia"));
    EXPECT_EQ(gMiniaturyUnit.CacheFolder, data + "temp/thumbnails/");
    EXPECT_EQ(form->GetCaption(), "Kronvel v.1.2.2.0");
    EXPECT_EQ(form->LabelFileName->text(), "Folder z danymi: [" + data + "]");
    EXPECT_EQ(gPDFManager.PageText1, "https://www.varnhold.example/kronvel/ | v.1.2.2.0");
    EXPECT_EQ(gPDFManager.PageText2, "Strona: #NR_STRONY#");
    EXPECT_EQ(gSettings.Data_Folder, data);
    EXPECT_EQ(form->Plik1->title(), "&Plik");
    EXPECT_TRUE(prompts.texts.isEmpty());
    EXPECT_TRUE(server.requests.isEmpty()) << "update check switched off";

    ASSERT_TRUE(waitForPage());
    EXPECT_EQ(form->CppWebBrowserPulpit->url(), QUrl::fromLocalFile(data + "temp/index.html"));
    EXPECT_TRUE(pageText().contains("Witaj w programie Kronvel"));
    EXPECT_TRUE(usesEvenlySpacedFace());
    EXPECT_TRUE(web->waitForFrame());
    EXPECT_TRUE(form->grab().save(testOutputFolder() + "/welcome_page.png"));
    EXPECT_TRUE(form->CppWebBrowserPulpit->grab().save(testOutputFolder() + "/welcome_page_view.png"));

    form->FormActivate();
    EXPECT_EQ(form->Plik1->title(), "&Plik") << "later activations do nothing";
}

TEST_F(StartFormTest, anImportCutOffEarlierIsUndoneBeforeTheLoadAndTheUserIsTold)
{
    writePersons(2);
    const QString data = defaultDataFolder();
    const QStringList kept = QDir(data).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(kept.size(), 4);
    // What a killed import leaves: its journal, a person written in full, a fact cut off at 0 bytes, a copied
    // picture, and a name it did not get to write.
    const QString person = KV_DB::NewPersonID() + ".kvfile";
    const QString fact = KV_DB::NewFactID() + ".kvfile";
    writeFileBytes(data + person, "<?xml version=\"1.0\"?>\n<Person Surname=\"Przerwany\"/>\n");
    writeFileBytes(data + fact, "");
    QDir().mkpath(data + "multimedia");
    writeFileBytes(data + "multimedia/kopia.jpg", "jpg");
    writeFileBytes(data + ImportJournal::FileName, "Kronvel import journal 1\nmultimedia/kopia.jpg\n" +
                                                       person.toUtf8() + "\n" + fact.toUtf8() + "\n" +
                                                       KV_DB::NewPictureID().toUtf8() + ".kvfile\n");

    auto form = makeForm();
    form->FormActivate();
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts[0], "Poprzedni import danych z pliku GEDCOM został przerwany przed końcem. Pliki, które "
                                "zdążył zapisać, zostały usunięte, więc dane są takie jak przed importem.\r\n\r\n"
                                "Import można uruchomić ponownie.");
    EXPECT_EQ(prompts.captions[0], gLangM.Get("LABEL_UWAGA"));
    EXPECT_EQ(QDir(data).entryList(QDir::Files, QDir::Name), kept);
    EXPECT_EQ(QDir(data + "multimedia").entryList(QDir::Files), QStringList());
    EXPECT_EQ(gDB.GetPersonCount(), 2);
    EXPECT_EQ(gDB.GetFactCount(), 2);
}

TEST_F(StartFormTest, aSecondProgramOnAFolderInUseIsToldAndQuitsAndADeadHolderBlocksNothing)
{
    writePersons(2);
    const QString data = defaultDataFolder();
    FolderHolder other(data);
    ASSERT_EQ(other.state(), "held");
    {
        auto form = makeForm();
        form->FormActivate();
        ASSERT_EQ(prompts.texts.size(), 1);
        EXPECT_EQ(prompts.texts[0], "Folder z danymi [" + data +
                                        "] jest już używany przez inną uruchomioną kopię programu.\r\n\r\n"
                                        "Ten program zostanie zamknięty.");
        EXPECT_EQ(processes.calls, QStringList({"quit"}));
        EXPECT_EQ(gDB.GetPersonCount(), 0) << "nothing is loaded from a folder another program works in";
    }

    // A holder killed without cleaning up: the next start works in the folder and holds it.
    other.kill();
    prompts.texts.clear();
    processes.calls.clear();
    auto form = makeForm();
    form->FormActivate();
    EXPECT_EQ(prompts.texts, QStringList());
    EXPECT_EQ(processes.calls, QStringList());
    EXPECT_EQ(gDB.GetPersonCount(), 2);
    EXPECT_EQ(FolderHolder(data).state(), "in use");
}

TEST_F(StartFormTest, relationsOnlyOnePersonRecordsAreNamedInTheLoadWarningAndLeftAsTheyAre)
{
    writePersons(3);
    const QString data = defaultDataFolder();
    gDB.LoadAll(nullptr);
    QList<KV_Person*> persons;
    for (const auto& entry : gDB.PersonMap)
        persons.append(entry.second);
    // The first lists the second as a child who names no parent; the third names the first as a partner alone.
    persons[0]->AddChild(persons[1]->ID);
    persons[2]->AddPartner(persons[0]->ID);
    ASSERT_TRUE(gDB.SavePersons(persons[0], persons[2]));
    const QByteArray parentFile = readFileBytes(data + persons[0]->ID + ".kvfile");
    const QString parentID = persons[0]->ID;
    const QString childID = persons[1]->ID;
    gDB.Clear();

    auto form = makeForm();
    form->FormActivate();
    ASSERT_EQ(prompts.texts.size(), 1);
    const QString message = prompts.texts[0];
    // The names as the program shows them, with the dates in the settings' format.
    const auto name = [](const QString& id) {
        return gDB.GetPersonDisplayName(id, DisplayNameMode::Plain, true, true, id);
    };
    const QString parentName = name(parentID);
    const QString childName = name(childID);
    EXPECT_TRUE(message.startsWith("Relacje zapisane tylko u jednej z dwóch osób (2). Dane nie zostały zmienione:"))
        << message.toStdString();
    EXPECT_TRUE(message.contains("Osoba [" + parentName + "] podaje jako dziecko osobę [" + childName +
                                 "], która nie podaje jej jako rodzica."))
        << message.toStdString();
    EXPECT_EQ(prompts.captions[0], "Uwaga");
    EXPECT_EQ(readFileBytes(data + parentID + ".kvfile"), parentFile);
}

// Eats every activation of the window it watches, as a desktop without a window manager would never send one.
class ActivationSuppressor : public QObject
{
public:
    int eaten = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::WindowActivate)
            return false;
        ++eaten;
        return true;
    }
};

TEST_F(StartFormTest, aWindowShownButNeverActivatedStillBuildsItsStartPage)
{
    auto form = makeForm();
    ActivationSuppressor suppressor;
    form->installEventFilter(&suppressor);
    form->setAttribute(Qt::WA_ShowWithoutActivating);
    form->resize(1008, 700);
    form->show();
    ASSERT_TRUE(waitForPage());
    EXPECT_EQ(gDataFolder, defaultDataFolder());
    EXPECT_EQ(form->GetCaption(), "Kronvel v.1.2.2.0");
    EXPECT_TRUE(pageText().contains("Witaj w programie Kronvel"));

    // A later activation does the work no second time: the page, which an activation would write again at once,
    // is the one loaded.
    const QDateTime written = QFileInfo(gTempFolder + "index.html").lastModified();
    form->removeEventFilter(&suppressor);
    form->activateWindow();
    EXPECT_TRUE(waitUntil([&] { return form->isActiveWindow(); }));
    EXPECT_EQ(QFileInfo(gTempFolder + "index.html").lastModified(), written);
    EXPECT_EQ(web->pagesLoaded(), 1);
}

TEST_F(StartFormTest, menusShowTheirSeparatorsWithoutText)
{
    auto form = makeForm();
    form->show();
    form->FormActivate();
    int separators = 0;
    std::function<void(QMenu*)> check = [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) {
                ++separators;
                EXPECT_EQ(action->text(), QString()) << action->objectName().toStdString();
            }
            if (action->menu())
                check(action->menu());
        }
    };
    for (QAction* action : form->MainMenu1->actions())
        check(action->menu());
    check(form->MenuPulipi);
    EXPECT_EQ(separators, 6);

    form->MainMenu1->setActiveAction(form->Plik1->menuAction());
    ASSERT_TRUE(waitUntil([&] { return form->Plik1->isVisible(); }, 5000));
    EXPECT_TRUE(form->Plik1->grab().save(testOutputFolder() + "/menu_plik.png"));
    form->Plik1->hide();
}

TEST_F(StartFormTest, damagedDataFilesAreNamedInOneMessageAndLeftAsTheyAre)
{
    writePersons(10);
    const QString data = defaultDataFolder();
    const QString takenID = QDir(data).entryList({"person_*.kvfile"}, QDir::Files, QDir::Name).first().chopped(7);
    const QString id = "00000000-0000-0000-0000-0000000000%1";
    const struct
    {
        QString file;
        QByteArray bytes;
        QString reason;
    } damaged[] = {
        {"person_" + id.arg(11) + ".kvfile", "<Person Sex=\"kobieta\"/>", "wartość Sex nie jest liczbą: [kobieta]"},
        {"person_" + id.arg(12) + ".kvfile", "<Person Dead=\"tak\"/>", "wartość Dead nie jest liczbą: [tak]"},
        {"fact_" + id.arg(13) + ".kvfile", "<Fact Private=\"może\"/>",
         "wartość Private nie jest wartością logiczną (true lub false): [może]"},
        {"person_" + id.arg(14) + ".kvfile", "<Person ID=\"person_../../etc\"/>",
         "nieprawidłowy identyfikator [person_../../etc]"},
        {"person_" + id.arg(15) + ".kvfile", "<Person ID=\"" + takenID.toUtf8() + "\"/>",
         "identyfikator " + takenID + " ma już plik " + takenID + ".kvfile"},
        {"picture_" + id.arg(16) + ".kvfile", "<Person/>", "brak elementu Picture"},
    };
    for (const auto& d : damaged)
        writeFileBytes(data + d.file, d.bytes);

    auto form = makeForm();
    form->show();
    form->FormActivate();
    EXPECT_EQ(gDB.GetPersonCount(), 10);
    EXPECT_EQ(gDB.GetFactCount(), 10);
    ASSERT_EQ(prompts.texts.size(), 1);
    const QString message = prompts.texts.first();
    EXPECT_TRUE(message.startsWith("Nie wczytano uszkodzonych plików z folderu danych (6).")) << message.toStdString();
    for (const auto& d : damaged) {
        EXPECT_TRUE(message.contains(d.file + ": " + d.reason)) << d.file.toStdString() << "\n"
                                                                << message.toStdString();
        EXPECT_EQ(readFileBytes(data + d.file), d.bytes) << "left untouched: " << d.file.toStdString();
    }
    EXPECT_EQ(prompts.captions.first(), "Uwaga");
}

TEST_F(StartFormTest, aLongListOfDamagedFilesNamesTheFirstThousandAndCountsTheRest)
{
    QDir().mkpath(defaultDataFolder());
    for (int i = 0; i < 1005; ++i)
        writeFileBytes(defaultDataFolder() + QString("person_%1.kvfile").arg(i, 4, 10, QChar('0')), "<Fakt/>");
    auto form = makeForm();
    form->show();
    form->FormActivate();
    ASSERT_EQ(prompts.texts.size(), 1);
    const QString message = prompts.texts.first();
    EXPECT_TRUE(message.contains("person_0999.kvfile: brak elementu Person"));
    EXPECT_FALSE(message.contains("person_1000.kvfile"));
    EXPECT_TRUE(message.endsWith("Pozostałe pominięte pliki: 5")) << message.toStdString();
}

TEST_F(StartFormTest, configuredDataFolderIsUsedOnlyWhileItExists)
{
    const QString configured =
        QDir::tempPath() + "/kronvel-configured-" + QString::number(QCoreApplication::applicationPid());
    QDir(configured).removeRecursively();
    struct Case
    {
        const char* what;
        QString stored;
        bool create;
        QString expected;
        bool told;
    };
    const Case cases[] = {
        {"no trailing separator", configured, true, configured + "/", false},
        {"trailing separator", configured + "/", true, configured + "/", false},
        {"missing folder", configured + "/", false, defaultDataFolder(), true},
    };
    for (const Case& c : cases) {
        if (c.create)
            QDir().mkpath(configured);
        else
            QDir(configured).removeRecursively();
        writeSettings({"Common_CheckUpdate=0", "Common_MaxOnStartup=0", "Data_Folder=" + c.stored});
        prompts.texts.clear();
        auto form = makeForm();
        form->FormActivate();
        EXPECT_EQ(gDataFolder, c.expected) << c.what;
        EXPECT_TRUE(QFileInfo(c.expected + "temp/thumbnails").isDir()) << c.what;
        ASSERT_EQ(prompts.texts.size(), c.told ? 1 : 0) << c.what;
        if (c.told) {
            EXPECT_EQ(prompts.texts[0], "Folder z danymi [" + c.stored +
                                            "] nie istnieje.\r\n\r\nProgram używa teraz "
                                            "folderu [" +
                                            defaultDataFolder() + "].");
            EXPECT_EQ(gSettings.Data_Folder, c.stored) << "the stored setting is kept";
        } else {
            EXPECT_EQ(gSettings.Data_Folder, c.expected) << c.what;
        }
        form->close();
        KX_Settings saved;
        saved.Load(UserSettingsFolder() + "config.ini");
        EXPECT_EQ(saved.GetString("Data", "Folder", "?"), c.told ? c.stored : c.expected) << c.what;
    }
    QDir(configured).removeRecursively();
}

TEST_F(StartFormTest, closingWritesEveryKnownSetting)
{
    writeSettings({"Common_CheckUpdate=0", "Common_MaxOnStartup=0", "Unknown_Line=1"});
    auto form = makeForm();
    form->show();
    form->FormActivate();
    form->Zamknij1->trigger();
    EXPECT_FALSE(form->isVisible());
    const QStringList lines =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(readFileBytes(gConfigFile).constData() + 2),
                           (readFileBytes(gConfigFile).size() - 2) / 2)
            .split("\r\n", Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 38);
    EXPECT_TRUE(lines.contains("Data_Folder=" + defaultDataFolder()));
    EXPECT_TRUE(lines.contains("Common_CheckUpdate=0"));
    EXPECT_FALSE(lines.contains("Unknown_Line=1"));
}

TEST_F(StartFormTest, firstActivationChecksForANewVersionWhenDue)
{
    Clock::setFixedNow(QDateTime(QDate(2024, 5, 17), QTime(10, 0)));
    writeSettings({"Common_CheckUpdate=1", "Common_MaxOnStartup=0"});
    server.reply(200, "OK:1.3");
    prompts.answers = {Prompter::Answer::Yes};
    auto form = makeForm();
    form->FormActivate();
    EXPECT_EQ(server.requests.size(), 1);
    EXPECT_EQ(gSettings.LastCheck, DayNumber(Clock::now()));
    ASSERT_EQ(prompts.captions, QStringList{"Uwaga"});
    EXPECT_EQ(opener.opened, QStringList{server.baseUrl() + "update.php?id=KV&ver=1.2.2.0"});
}

TEST_F(StartFormTest, menuItemOpensTheUpdatePageWithoutAsking)
{
    auto form = makeForm();
    form->FormActivate();
    gSettings.LastCheck = 5;
    form->Sprawdczyjestnowawersjaprogramu1->trigger();
    EXPECT_EQ(opener.opened, QStringList{server.baseUrl() + "update.php?id=KV&ver=1.2.2.0"});
    EXPECT_TRUE(server.requests.isEmpty());
    EXPECT_EQ(gSettings.LastCheck, 5);
    EXPECT_TRUE(prompts.texts.isEmpty());
}

TEST_F(StartFormTest, helpOpensTheCompiledHelpWhenItIsThereElseThePdf)
{
    QTemporaryDir program;
    auto form = makeForm();
    gAppFolder = program.path() + u'/';
    form->Pomoc2->trigger();
    form->PomocPDF1->trigger();
    writeFileBytes(gAppFolder + "help.chm", "chm");
    form->SpeedButton1->click();
    const QString pdf = QUrl::fromLocalFile(gAppFolder + "help.pdf").toString();
    EXPECT_EQ(opener.opened, (QStringList{pdf, pdf, QUrl::fromLocalFile(gAppFolder + "help.chm").toString()}));
}

TEST_F(StartFormTest, deletingAllDataAsksFirst)
{
    writePersons(3);
    auto form = makeForm();
    form->FormActivate();
    ASSERT_EQ(gDB.GetPersonCount(), 3);
    const auto dataFiles = [] { return FileSystem::listFiles(gDataFolder, "*.kvfile").size(); };
    ASSERT_EQ(dataFiles(), 6);

    for (const Prompter::Answer answer : {Prompter::Answer::No, Prompter::Answer::Cancel}) {
        prompts.texts.clear();
        prompts.answers = {answer};
        form->Usuwszystkiewprowadzonedane1->trigger();
        EXPECT_EQ(prompts.texts, QStringList{"Czy chcesz usunąć wszystkie wprowadzone dane?"});
        EXPECT_EQ(prompts.captions.last(), "Uwaga");
        EXPECT_EQ(gDB.GetPersonCount(), 3);
        EXPECT_EQ(dataFiles(), 6);
    }

    prompts.texts.clear();
    prompts.answers = {Prompter::Answer::Yes};
    form->Usuwszystkiewprowadzonedane1->trigger();
    EXPECT_EQ(gDB.GetPersonCount(), 0);
    EXPECT_EQ(dataFiles(), 0);
    EXPECT_EQ(prompts.texts.last(), "Dane zostały usunięte.");
    EXPECT_TRUE(pageText().contains("Witaj w programie Kronvel"));
    EXPECT_TRUE(form->ProgressBarLoad->isHidden());
}

TEST_F(StartFormTest, refreshCommandsRebuildThePage)
{
    writePersons(2);
    auto form = makeForm();
    form->FormActivate();
    const QString page = gTempFolder + "index.html";
    ASSERT_TRUE(pageText().contains("stat_table"));
    ASSERT_FALSE(gDB.IsChanged());

    QFile::remove(page);
    form->Zapisz2->trigger();
    EXPECT_FALSE(QFileInfo::exists(page)) << "the pop-up's refresh rebuilds only after a change";
    form->SpeedButton8->click();
    EXPECT_TRUE(QFileInfo::exists(page)) << "the footer's refresh always rebuilds";

    form->Pokapulpitstartowy1->trigger();
    EXPECT_TRUE(pageText().contains("Witaj w programie Kronvel"));
    form->Zapisz2->trigger();
    EXPECT_TRUE(pageText().contains("Witaj w programie Kronvel")) << "nothing changed since the full build";
}

TEST_F(StartFormTest, connectedWindowsRunAndRebuildThePage)
{
    writePersons(2);
    auto form = makeForm();
    form->FormActivate();
    QStringList calls;
    TStartFormWindows windows;
    windows.EditPerson = [&](QWidget* owner, const QString& id, int sex) {
        calls << QStringLiteral("edit '%1' %2 %3").arg(id).arg(sex).arg(owner == form.get());
        return QString();
    };
    windows.ShowSettings = [&](bool& folderChanged) {
        calls << QStringLiteral("settings");
        folderChanged = true;
        return mrOk;
    };
    form->SetWindows(windows);
    EXPECT_TRUE(form->SpeedButton7->isEnabled());
    EXPECT_FALSE(form->SpeedButton5->isEnabled());

    form->SpeedButton2->click();
    EXPECT_EQ(calls, QStringList{"edit '' 1 1"});

    prompts.answers = {Prompter::Answer::No};
    const QString page = gTempFolder + "index.html";
    QFile::remove(page);
    gDB.SetChanged(true);
    form->SpeedButton3->click();
    EXPECT_EQ(prompts.texts.last(), gLangM.Get("LABEL_FOLDER_ZMINA_RERUN"));
    EXPECT_TRUE(QFileInfo::exists(page)) << "a declined restart still rebuilds the page";

    // A new person from the page's link rebuilds the page only when one was made.
    QString madeID;
    windows.EditPerson = [&](QWidget*, const QString&, int) { return madeID; };
    form->SetWindows(windows);
    QFile::remove(page);
    gDB.SetChanged(true);
    form->PageCommands().AddPerson(0);
    EXPECT_FALSE(QFileInfo::exists(page));
    madeID = QStringLiteral("person_1");
    form->PageCommands().AddPerson(1);
    EXPECT_TRUE(QFileInfo::exists(page));
    EXPECT_FALSE(form->PageCommands().ShowFamilyView) << "no family view connected";
}

TEST_F(StartFormTest, settingsCommandRendersOnlyAfterASave)
{
    writePersons(2);
    auto form = makeForm();
    form->FormActivate();
    EXPECT_FALSE(form->SpeedButton3->isEnabled()) << "no settings dialog connected yet";
    const QString page = gTempFolder + "index.html";
    struct Case
    {
        const char* what;
        std::function<void(TFormUstawienia&)> act;
        bool rendered;
    };
    const Case cases[] = {
        {"cancelled", [](TFormUstawienia& d) { d.Button2->click(); }, false},
        {"saved",
         [](TFormUstawienia& d) {
             QTest::mouseClick(d.AdvOfficeCheckBoxShowMax, Qt::LeftButton, {}, QPoint(8, 10));
             d.ButtonZapisz->click();
         },
         true},
    };
    for (const Case& c : cases) {
        QFile::remove(page);
        gDB.SetChanged(true);
        runSettingsCommand(*form, c.act);
        EXPECT_EQ(QFileInfo::exists(page), c.rendered) << c.what;
        EXPECT_TRUE(prompts.texts.isEmpty()) << c.what;
        EXPECT_TRUE(processes.calls.isEmpty()) << c.what;
    }
    EXPECT_TRUE(form->SpeedButton3->isEnabled());
    EXPECT_TRUE(form->Ustawienia1->isEnabled());
}

TEST_F(StartFormTest, changedFolderRestartsTheProgramWhenTheUserAgrees)
{
    writePersons(2);
    auto form = makeForm();
    form->show();
    form->FormActivate();
    const QString newFolder = documentsFolder() + "/Rodzina/";
    QFile::remove(gConfigFile);
    const QString page = gTempFolder + "index.html";
    QFile::remove(page);
    gDB.SetChanged(true);

    prompts.answers = {Prompter::Answer::Yes, Prompter::Answer::Yes};
    runSettingsCommand(*form, [&](TFormUstawienia& d) { pickFolderAndSave(d, newFolder); });
    EXPECT_EQ(prompts.texts, (QStringList{gLangM.Get("LABEL_FOLDER_ZMIANA"), gLangM.Get("LABEL_FOLDER_ZMINA_RERUN")}));
    EXPECT_EQ(processes.calls,
              (QStringList{"quit", QStringLiteral("start %1 ()").arg(QCoreApplication::applicationFilePath())}));
    EXPECT_EQ(processes.folderAtQuit, newFolder) << "config.ini is saved before the loop ends";
    EXPECT_FALSE(QFileInfo::exists(page)) << "a restarting program builds no page";

    QFile::remove(gConfigFile);
    QCoreApplication::processEvents();
    EXPECT_FALSE(QFileInfo::exists(gConfigFile)) << "the settings are saved once";
    EXPECT_TRUE(form->isVisible()) << "the window is not closed";
}

TEST_F(StartFormTest, declinedRestartKeepsTheNewFolderForTheNextStart)
{
    writePersons(2);
    auto form = makeForm();
    form->show();
    form->FormActivate();
    const QString dataFolder = gDataFolder;
    const QString newFolder = documentsFolder() + "/Rodzina/";
    const QString page = gTempFolder + "index.html";
    QFile::remove(page);
    gDB.SetChanged(true);

    prompts.answers = {Prompter::Answer::Yes, Prompter::Answer::No};
    runSettingsCommand(*form, [&](TFormUstawienia& d) { pickFolderAndSave(d, newFolder); });
    EXPECT_EQ(prompts.texts.size(), 2);
    EXPECT_TRUE(processes.calls.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(page)) << "the page is rebuilt";
    EXPECT_EQ(gSettings.Data_Folder, newFolder);
    EXPECT_EQ(gDataFolder, dataFolder) << "this run goes on in the old folder";

    form->close();
    KX_Settings saved;
    saved.Load(gConfigFile);
    EXPECT_EQ(saved.GetString("Data", "Folder", "(none)"), newFolder);
}

TEST_F(StartFormTest, noRestartWithoutSavedSettings)
{
    writePersons(2);
    auto form = makeForm();
    form->FormActivate();
    // A file where the settings folder should be: config.ini cannot be written.
    QTemporaryDir blocked;
    writeFileBytes(blocked.filePath("file"), "x");
    gConfigFile = blocked.filePath("file") + "/config.ini";
    const QString page = gTempFolder + "index.html";
    QFile::remove(page);
    gDB.SetChanged(true);

    prompts.answers = {Prompter::Answer::Yes, Prompter::Answer::Yes};
    runSettingsCommand(*form, [&](TFormUstawienia& d) { pickFolderAndSave(d, documentsFolder() + "/Rodzina/"); });
    ASSERT_EQ(prompts.texts.size(), 3);
    EXPECT_EQ(prompts.captions[2], "Kronvel") << "the failed save is told";
    EXPECT_TRUE(processes.calls.isEmpty()) << "a new process would open the old folder";
    EXPECT_TRUE(QFileInfo::exists(page)) << "the program goes on";
}

TEST_F(StartFormTest, aboutCommandShowsTheAboutBoxCaptionedWithTheVersion)
{
    auto form = makeForm();
    EXPECT_FALSE(form->Oprogramie1->isEnabled()) << "no about box connected yet";
    TFormOProgramie about;
    about.SetCaption("O programie");
    TStartFormWindows windows;
    windows.ShowAbout = [&] { about.ShowAbout(); };
    form->SetWindows(windows);
    ASSERT_TRUE(form->Oprogramie1->isEnabled());
    QString caption;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&about));
        caption = about.GetCaption();
        QTest::keyClick(about.focusWidget() ? about.focusWidget() : &about, Qt::Key_Escape);
    });
    form->Oprogramie1->trigger();
    EXPECT_EQ(caption, "Kronvel v.1.2.2.0");
    EXPECT_FALSE(about.isVisible());
}

TEST_F(StartFormTest, gedcomImportAddsThePersonsThatThePageThenLists)
{
    auto form = makeForm();
    form->FormActivate();
    EXPECT_FALSE(form->Importdanych1->isEnabled()) << "no import window connected yet";
    QTemporaryDir source;
    const QString path = source.filePath("rodzina.ged");
    writeFileBytes(path, "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Bogumil /Wierzbicki/\n1 SEX M\n"
                         "0 @I2@ INDI\n1 NAME Jadwiga /Wierzbicka/\n1 SEX F\n0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n"
                         "0 TRLR\n");
    TFormGedcomImport dialog;
    TStartFormWindows windows;
    windows.ShowGedcomImport = [&] {
        dialog.Reset();
        dialog.ShowModal();
    };
    form->SetWindows(windows);
    ASSERT_TRUE(form->Importdanych1->isEnabled());

    whenShownModal(&dialog, [&] {
        folders.answers = {path};
        dialog.AdvEditFileName->ClickButton();
        dialog.ButtonImport->click();
    });
    form->ZGedcomged1->trigger();
    EXPECT_EQ(prompts.texts.value(0).section("\r\n", 0, 0), u("Dane z pliku GEDCOM zostały wczytane"));
    EXPECT_EQ(gDB.GetPersonCount(), 2);
    EXPECT_EQ(FileSystem::listFiles(gDataFolder, "*.kvfile").size(), 2);
    EXPECT_TRUE(pageText().contains("Bogumil")) << "the page lists the new persons";
    EXPECT_TRUE(pageText().contains("Wierzbicka"));

    // The page's link opens the window emptied again.
    QStringList counters;
    whenShownModal(&dialog, [&] {
        counters << dialog.PanelOsoby->GetText() << dialog.AdvEditFileName->GetText();
        dialog.Button2->click();
    });
    form->PageCommands().ImportGedcom();
    EXPECT_EQ(counters, (QStringList{"-", ""}));
}

TEST_F(StartFormTest, personListButtonBrowsesTheListAndRebuildsThePage)
{
    writePersons(2);
    auto form = makeForm();
    form->FormActivate();
    TFormListaOsob list;
    FormListaOsob = &list;
    TStartFormWindows windows;
    windows.ShowPersonList = BrowsePersonList;
    form->SetWindows(windows);
    ASSERT_TRUE(form->SpeedButton5->isEnabled());

    const QString page = gTempFolder + "index.html";
    QFile::remove(page);
    gDB.SetChanged(true);
    QString title;
    bool browsing = false;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(waitUntil([&] { return list.IsModal(); }));
        title = list.PanelTitle->text();
        browsing = !list.ButtonAddFemale->isHidden() && list.ButtonPersonSelect->isHidden();
        list.Zamknij();
    });
    form->SpeedButton5->click();
    FormListaOsob = nullptr;
    EXPECT_EQ(title, "Liczba osób: 2");
    EXPECT_TRUE(browsing);
    EXPECT_TRUE(QFileInfo::exists(page)) << "the page is rebuilt after the list";
}

TEST_F(StartFormTest, newPersonCommandsOpenTheQuickFormPresetToTheirSex)
{
    writePersons(2);
    auto form = makeForm();
    form->FormActivate();
    TFormDaneOsobyBasic quickForm;
    FormDaneOsobyBasic = &quickForm;
    TStartFormWindows windows;
    windows.EditPerson = EditPerson;
    form->SetWindows(windows);
    ASSERT_TRUE(form->SpeedButton7->isEnabled());
    ASSERT_TRUE(form->SpeedButton2->isEnabled());

    for (QToolButton* button : {form->SpeedButton7, form->SpeedButton2}) {
        QString sex;
        whenShownModal(&quickForm, [&] {
            sex = quickForm.AdvComboBoxPlec->currentText();
            quickForm.Button4->click();
        });
        button->click();
        EXPECT_EQ(sex, button == form->SpeedButton7 ? "Kobieta" : "Mężczyzna");
    }

    // A new person asked for by the page but not made leaves the page as it is.
    const QString page = gTempFolder + "index.html";
    QFile::remove(page);
    gDB.SetChanged(true);
    whenShownModal(&quickForm, [&] { quickForm.Button4->click(); });
    const TCppWebBrowser::Decision link =
        StartPageLinkDecision(QUrl::fromLocalFile(gTempFolder + "person_add_type_100.html"), form->PageCommands());
    ASSERT_TRUE(link.command);
    link.command();
    EXPECT_FALSE(QFileInfo::exists(page));
    EXPECT_EQ(gDB.GetPersonCount(), 2);
    FormDaneOsobyBasic = nullptr;
}

TEST_F(StartFormTest, statisticLinkInThePageSwitchesTheStatistic)
{
    writePersons(4);
    auto form = makeForm();
    form->resize(1008, 700);
    form->show();
    form->FormActivate();
    ASSERT_TRUE(waitForPage());
    const QString menuShown = "getComputedStyle(document.querySelector('.dropdown-menu')).display != 'none'";
    EXPECT_FALSE(web->evaluate(menuShown).toBool());
    web->evaluate("document.getElementById('dropdownMenuButton').click()");
    EXPECT_TRUE(web->evaluate(menuShown).toBool()) << "the title opens the menu";
    web->evaluate("document.querySelector('a[href=\"stat_birth_place\"]').click()");
    ASSERT_TRUE(waitForPage(2));
    EXPECT_EQ(form->StatisticKind, 3);
    EXPECT_TRUE(pageText().contains("Najczęściej występujące miejsca urodzenia <img"));
    EXPECT_TRUE(pageText().contains("Kraków"));
}

TEST_F(StartFormTest, anEndlessNameWrapsInsideItsCardAndPushesNothingOutOfView)
{
    writePersons(4);
    auto* person = new KV_Person;
    person->Forename = QStringLiteral("Jan");
    person->Surname = QString(20000, u'Ż');
    person->Sex = 1;
    person->DateCreate = QStringLiteral("2024-02-01 08:00");
    gDB.AddPerson(person);
    ASSERT_TRUE(gDB.SavePerson(person, person->ID));
    gDB.Clear();
    auto form = makeForm();
    form->resize(1008, 700);
    form->show();
    form->FormActivate();
    ASSERT_TRUE(waitForPage());
    EXPECT_TRUE(web->evaluate("document.documentElement.scrollWidth <= window.innerWidth").toBool());
    EXPECT_TRUE(web->evaluate("Array.from(document.querySelectorAll('.stat_bar')).every("
                              "b => b.getBoundingClientRect().right <= window.innerWidth)")
                    .toBool())
        << "the surname bars stay in view";
}

TEST_F(StartFormTest, footerLinkOpensTheProductPageOutsideTheProgram)
{
    writePersons(3);
    auto form = makeForm();
    form->resize(1008, 700);
    form->show();
    form->FormActivate();
    ASSERT_TRUE(waitForPage());
    const QVariantList rect =
        web->evaluate("(function(){var a=document.querySelector('.footer a');a.scrollIntoView();"
                      "var r=a.getBoundingClientRect();return [r.left+r.width/2, r.top+r.height/2];})()")
            .toList();
    ASSERT_EQ(rect.size(), 2);
    QWidget* target = form->CppWebBrowserPulpit->focusProxy();
    ASSERT_NE(target, nullptr);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(rect[0].toInt(), rect[1].toInt()));
    ASSERT_TRUE(waitUntil([&] { return !opener.opened.isEmpty(); }, 20000));
    EXPECT_EQ(opener.opened, QStringList{"https://www.varnhold.example/kronvel/"});
    EXPECT_EQ(form->CppWebBrowserPulpit->url(), QUrl::fromLocalFile(gTempFolder + "index.html"));
}

TEST_F(StartFormTest, screenshotOfTheStartPageWithFiftyPersons)
{
    Clock::setFixedNow(QDateTime(QDate(2024, 3, 4), QTime(12, 0)));
    writePersons(50);
    auto form = makeForm();
    form->resize(1008, 700);
    form->show();
    form->FormActivate();
    ASSERT_TRUE(waitForPage());
    EXPECT_EQ(web->evaluate("document.querySelectorAll('.persons_table tr').length").toInt(), 6);
    // The bars have grown once their width is no longer 0.
    ASSERT_TRUE(waitUntil(
        [&] {
            return web->evaluate("document.querySelector('.stat_bar').getBoundingClientRect().width").toDouble() > 20;
        },
        10000));
    // The bars grow in a transition: the picture is taken once it has ended.
    ASSERT_TRUE(waitUntil([&] { return web->evaluate("document.getAnimations().length").toInt() == 0; }));
    EXPECT_TRUE(web->waitForFrame());

    const auto colourCount = [](const QImage& picture) {
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 4)
            for (int x = 0; x < picture.width(); x += 4)
                colours.insert(picture.pixel(x, y));
        return colours.size();
    };
    const QImage page = web->pictureWhen([&](const QImage& picture) { return colourCount(picture) > 50; });
    const QImage shot = form->grab().toImage();
    const QString path = testOutputFolder() + "/start_page_50_persons.png";
    ASSERT_TRUE(shot.save(path));
    EXPECT_TRUE(usesEvenlySpacedFace());
    EXPECT_TRUE(page.save(testOutputFolder() + "/start_page_50_persons_view.png"));
    EXPECT_GT(colourCount(page), 50) << "the view shows the page, not a blank area: " << path.toStdString();
}

TEST_F(StartFormTest, rightClickOverThePageOpensTheWindowsMenu)
{
    auto form = makeForm();
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->FormActivate();
    ASSERT_TRUE(waitForPage());
    QTest::mouseClick(form->CppWebBrowserPulpit->focusProxy(), Qt::RightButton, {}, QPoint(50, 50));
    ASSERT_TRUE(waitUntil([&] { return form->MenuPulipi->isVisible(); }, 20000));
    form->MenuPulipi->hide();
}

TEST(ExceptionBoxTest, escapedExceptionsAreShownCaptionedWithTheProductName)
{
    gProductName = "Kronvel";
    RecordingPrompter prompts;
    ShowException(std::make_exception_ptr(Exception("Brak pliku")));
    ShowException(std::make_exception_ptr(std::runtime_error("disk full")));
    ShowException(std::make_exception_ptr(42));
    EXPECT_EQ(prompts.texts, (QStringList{"Brak pliku", "disk full", ""}));
    EXPECT_EQ(prompts.captions, (QStringList{"Kronvel", "Kronvel", "Kronvel"}));
}

} // namespace
