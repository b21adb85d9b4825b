// The main window: the toolbar, the menu and the start page in the embedded browser, with the program's
// top-level commands. Its constructor fixes the program's folders, texts and settings; its first activation
// decides the data folder, loads the database and shows the start page; closing it saves the settings.
#pragma once

#include "Forms.h"
#include "StartPageLinks.h"

#include <QString>
#include <functional>

class QAction;
class QIcon;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QToolButton;
class TCppWebBrowser;
class FooterProgress;

// The windows the main window opens that belong to other units. The entry point connects each once its window
// exists; until then the command's toolbar button and menu item are disabled and its page links do nothing.
struct TStartFormWindows
{
    // The person editor: (owner, person ID, sex preset) -> the ID it showed last, "" when no person was made.
    // An empty ID makes a new person of the preset sex (0 woman, 1 man) first.
    std::function<QString(QWidget* owner, const QString& personID, int sex)> EditPerson;
    // The family view of a person ("" lets the user choose), shown modally.
    std::function<void(const QString& personID)> ShowFamilyView;
    // The person list in browse mode, marked for a refresh first.
    std::function<void()> ShowPersonList;
    // The settings dialog: its modal result, and whether the data folder was changed in it.
    std::function<TModalResult(bool& folderChanged)> ShowSettings;
    // The about box, captioned with the product name and version.
    std::function<void()> ShowAbout;
    // The GEDCOM import window, reset and shown modally.
    std::function<void()> ShowGedcomImport;
};

class TStartForm : public TForm
{
    Q_OBJECT
public:
    explicit TStartForm(QWidget* owner = nullptr);
    ~TStartForm() override;

    void SetWindows(const TStartFormWindows& windows);
    // The statistic the start page shows: 1 surnames, 2 forenames, 3 places of birth, 4 places of death.
    int StatisticKind = 1;
    // The commands of the start page's links.
    StartPageCommands PageCommands();

    // Runs once, at the first activation: localises the windows, decides and prepares the data folder, loads it,
    // shows the start page and checks for a new version.
    void FormActivate();
    // Points the database at gDataFolder, locks it for this program and loads it with the footer's progress display,
    // after putting right what a crash left. False, with the user told, when another program works in the folder
    // or it cannot be locked: nothing is loaded then.
    bool LoadDatabase();
    // Loads (load true) or saves config.ini; false when it could not be saved (the user has been told).
    bool ExchangeSettings(bool load);
    // Builds and shows the start page; without forced only when the data changed since it was last built.
    void RenderStartDesktop(bool forced);

    // Commands, named after the designer's buttons and menu items they serve.
    // Tool bar "Kobieta" and "Mężczyzna": a new woman or man in the person editor.
    void SpeedButton7Click();
    void SpeedButton2Click();
    // Tool bar "Formularz": the family view.
    void SpeedButton4Click();
    // Tool bar "Lista osób": the person list.
    void SpeedButton5Click();
    // Menu Plik > "Ustawienia..." and tool bar "Ustawienia".
    void Ustawienia1Click();
    // Menu Pomoc > "Pomoc" and tool bar "Pomoc": the help page.
    void Pomoc2Click();
    // Menu Pomoc > "Pomoc (PDF)".
    void PomocPDF1Click();
    // Menu Pomoc > "Sprawdź, czy jest nowa wersja programu". With a sender (the menu item) opens the update page;
    // without one it is the automatic check.
    void Sprawdczyjestnowawersjaprogramu1Click(QObject* sender);
    // Menu Pomoc > "O programie".
    void Oprogramie1Click();
    // Menu Plik > Import danych > "GEDCOM (*.ged)".
    void ZGedcomged1Click();
    // Footer "Odśwież": the start page built anew.
    void SpeedButton8Click();
    // The start page's context menu "Odśwież": rebuilt only when the data changed.
    void Zapisz2Click();
    // Menu Pomoc > "Pokaż pulpit startowy".
    void Pokapulpitstartowy1Click();
    // Menu Plik > Usuń dane > "Usuń wszystkie wprowadzone dane".
    void Usuwszystkiewprowadzonedane1Click();
    // Menu Plik > "Zakończ".
    void Zamknij1Click();

    // Components.
    QWidget* PanelHeader;
    // The header's tool bar: "Kobieta", "Mężczyzna", "Formularz", "Lista osób", "Ustawienia", "Pomoc".
    QToolButton* SpeedButton7;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton4;
    QToolButton* SpeedButton5;
    QToolButton* SpeedButton3;
    QToolButton* SpeedButton1;
    QWidget* PanelContent;
    TCppWebBrowser* CppWebBrowserPulpit;
    // The start page's context menu with its one item, "Odśwież".
    QMenu* MenuPulipi;
    QAction* Zapisz2;
    QWidget* PanelFooter;
    QLabel* LabelFileName;
    QLabel* LabelActionName;
    QProgressBar* ProgressBarLoad;
    // The footer's "Odśwież".
    QToolButton* SpeedButton8;
    QMenuBar* MainMenu1;
    // Menu "Plik": Import danych > GEDCOM, Usuń dane > Usuń wszystkie wprowadzone dane, Ustawienia..., Zakończ;
    // N1 to N3 are its separators.
    QMenu* Plik1;
    QMenu* Importdanych1;
    QAction* ZGedcomged1;
    QAction* N1;
    QMenu* Usudane1;
    QAction* Usuwszystkiewprowadzonedane1;
    QAction* N2;
    QAction* Ustawienia1;
    QAction* N3;
    QAction* Zamknij1;
    // Menu "Pomoc": Pomoc, Pomoc (PDF), Sprawdź, czy jest nowa wersja programu, Pokaż pulpit startowy, O programie;
    // N4 to N6 are its separators.
    QMenu* Pomoc1;
    QAction* Pomoc2;
    QAction* PomocPDF1;
    QAction* N4;
    QAction* Sprawdczyjestnowawersjaprogramu1;
    QAction* N5;
    QAction* Pokapulpitstartowy1;
    QAction* N6;
    QAction* Oprogramie1;

private:
    void buildHeader();
    void buildContent();
    void buildFooter();
    void buildMenu();
    QToolButton* addToolButton(const char* name, const QString& caption, const QIcon& icon, int left);
    void connectCommands();
    // Enables the commands whose windows are connected.
    void updateCommandStates();
    // The data folder in effect for this run.
    void decideDataFolder();
    // One message naming the data files the load passed over, with their reasons, and the relations only one of
    // their two persons records.
    void reportSkippedFiles();
    // Saves the settings and starts the program anew once this process has left its event loop; false, with the
    // program left running, when the settings could not be saved.
    bool restart();

    bool firstActivation = true;
    TStartFormWindows windows;
    FooterProgress* progress;
};

// The main window, created first by the entry point.
extern TStartForm* StartForm;
