#include "StartUnit.h"

#include "Bazadanych.h"
#include "Canvas.h"
#include "CrashRecovery.h"
#include "DataFolderLock.h"
#include "DrawnIcon.h"
#include "FileFailure.h"
#include "FileSystem.h"
#include "FolderLock.h"
#include "Fonts.h"
#include "Kx_settings.h"
#include "Localisation.h"
#include "Miniaturyunit.h"
#include "Pdfmanager.h"
#include "Picturemanager.h"
#include "ProcessControl.h"
#include "ProgressDisplay.h"
#include "Prompter.h"
#include "Settings.h"
#include "StartPage.h"
#include "UpdateCheck.h"
#include "UrlOpener.h"
#include "Vh_langmanager.h"
#include "WebBrowser.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QStandardPaths>
#include <QThread>
#include <QToolButton>

#include <future>

TStartForm* StartForm = nullptr;

// The footer's progress bar and its label while the data folder is loaded or deleted. The window keeps painting
// during the work, but no user input gets in before it has ended.
class FooterProgress : public ProgressDisplay
{
public:
    FooterProgress(QProgressBar* bar, QLabel* label) : bar(bar), label(label) {}

    void begin(const QString& text, int maximum) override
    {
        label->setText(text);
        label->show();
        bar->setRange(0, maximum);
        bar->setValue(0);
        bar->show();
        paint();
    }
    void setPosition(int position) override
    {
        bar->setValue(position);
        // A hundred thousand steps must not cost a hundred thousand paintings.
        if (sincePainted.elapsed() >= 50)
            paint();
    }
    void end() override
    {
        bar->hide();
        label->hide();
    }

private:
    void paint()
    {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        sincePainted.start();
    }

    QProgressBar* bar;
    QLabel* label;
    QElapsedTimer sincePainted;
};

namespace {

const QString productName = QStringLiteral("Kronvel");
const QString productVersion = QStringLiteral("1.2.2.0");
const QString webAddress = QStringLiteral("https://www.varnhold.example/kronvel/");

enum class Glyph { Woman, Man, Family, List, Settings, Help, Refresh };

// The toolbar pictures, drawn rather than shipped: a figure in the colour of its sex, a small family tree, a
// list, a gear, a question mark and a circular arrow.
QIcon toolbarIcon(Glyph glyph)
{
    DrawnIcon drawn;
    QPainter& p = drawn.painter();
    switch (glyph) {
    case Glyph::Woman:
    case Glyph::Man: {
        p.setBrush(ToQColor(glyph == Glyph::Woman ? gSettings.FemaleColor : gSettings.MaleColor).darker(115));
        p.drawEllipse(QRectF(11, 3, 10, 10));
        QPainterPath body;
        if (glyph == Glyph::Woman) {
            body.moveTo(12, 15);
            body.lineTo(20, 15);
            body.lineTo(26, 29);
            body.lineTo(6, 29);
        } else {
            body.addRoundedRect(QRectF(8, 15, 16, 14), 4, 4);
        }
        body.closeSubpath();
        p.drawPath(body);
        break;
    }
    case Glyph::Family:
        p.setBrush(QColor(255, 230, 150));
        p.drawRect(QRectF(11, 3, 10, 8));
        p.drawLine(QPointF(16, 11), QPointF(16, 16));
        p.drawLine(QPointF(6, 16), QPointF(26, 16));
        for (const qreal x : {2.0, 12.0, 22.0}) {
            p.drawLine(QPointF(x + 4, 16), QPointF(x + 4, 20));
            p.setBrush(x == 22.0 ? QColor(255, 196, 196) : QColor(183, 219, 255));
            p.drawRect(QRectF(x, 20, 8, 8));
        }
        break;
    case Glyph::List:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 3, 24, 26));
        for (int row = 0; row < 4; ++row) {
            const qreal y = 9 + row * 5.5;
            p.drawEllipse(QPointF(9, y), 1.5, 1.5);
            p.drawLine(QPointF(13, y), QPointF(24, y));
        }
        break;
    case Glyph::Settings:
        p.setBrush(QColor(190, 200, 210));
        for (int tooth = 0; tooth < 8; ++tooth) {
            p.save();
            p.translate(16, 16);
            p.rotate(tooth * 45);
            p.drawRect(QRectF(-2.5, -14, 5, 6));
            p.restore();
        }
        p.drawEllipse(QPointF(16, 16), 9, 9);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 16), 3.5, 3.5);
        break;
    case Glyph::Help:
        drawn.paintHelp();
        break;
    case Glyph::Refresh:
        p.setPen(QPen(QColor(40, 120, 60), 3));
        p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 280 * 16);
        p.setBrush(QColor(40, 120, 60));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(19, 2), QPointF(27, 8), QPointF(18, 12)}));
        break;
    }
    return drawn.icon();
}

QFrame* separatorBevel(QWidget* parent, int left)
{
    auto* bevel = new QFrame(parent);
    bevel->setFrameShape(QFrame::VLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(left, 10, 2, 53);
    return bevel;
}

} // namespace

TStartForm::TStartForm(QWidget* owner) : TForm(owner)
{
    setObjectName(QStringLiteral("StartForm"));
    setFont(QFont(Fonts::familyFor(QStringLiteral("Tahoma")), 8));
    buildMenu();
    buildHeader();
    buildFooter();
    buildContent();
    progress = new FooterProgress(ProgressBarLoad, LabelActionName);
    const int menuHeight = MainMenu1->sizeHint().height();
    MainMenu1->setGeometry(0, 0, 1008, menuHeight);
    SetClientSize(1008, 559 + menuHeight);
    SetPosition(poScreenCenter);

    gAppFolder = QCoreApplication::applicationDirPath() + u'/';
    gProductName = productName;
    gProductVersion = productVersion;
    gWebAddress = webAddress;
    QCoreApplication::setApplicationName(gProductName);
    SetCaption(gProductName);
    StatisticKind = 1;

    gSettingsFolder = UserSettingsFolder();
    FileSystem::createFolders(gSettingsFolder);
    gConfigFile = gSettingsFolder + QStringLiteral("config.ini");
    static const bool textsLoaded = [] {
        gLangM.Load(KX_LangManager::MessageTable());
        gLangM.Load(KX_LangManager::CaptionTable());
        return true;
    }();
    (void)textsLoaded;
    gDB.InitAttributeTypes();
    ExchangeSettings(true);
    gDocumentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);

    connectCommands();
    updateCommandStates();
    firstActivation = true;
}

TStartForm::~TStartForm()
{
    delete progress;
}

void TStartForm::buildMenu()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    SetAlign(MainMenu1, alTop);
    const auto name = [](QObject* object, const char* objectName) { object->setObjectName(QLatin1String(objectName)); };

    Plik1 = MainMenu1->addMenu(QStringLiteral("Plik"));
    name(Plik1, "Plik1");
    Importdanych1 = Plik1->addMenu(QStringLiteral("Import danych"));
    name(Importdanych1, "Importdanych1");
    ZGedcomged1 = Importdanych1->addAction(QStringLiteral("GEDCOM (*.ged)"));
    name(ZGedcomged1, "ZGedcomged1");
    N1 = Plik1->addSeparator();
    name(N1, "N1");
    Usudane1 = Plik1->addMenu(QStringLiteral("Usuń dane"));
    name(Usudane1, "Usudane1");
    Usuwszystkiewprowadzonedane1 = Usudane1->addAction(QStringLiteral("Usuń wszystkie wprowadzone dane"));
    name(Usuwszystkiewprowadzonedane1, "Usuwszystkiewprowadzonedane1");
    N2 = Plik1->addSeparator();
    name(N2, "N2");
    Ustawienia1 = Plik1->addAction(QStringLiteral("Ustawienia..."));
    name(Ustawienia1, "Ustawienia1");
    N3 = Plik1->addSeparator();
    name(N3, "N3");
    Zamknij1 = Plik1->addAction(QStringLiteral("Zakończ"));
    name(Zamknij1, "Zamknij1");

    Pomoc1 = MainMenu1->addMenu(QStringLiteral("Pomoc"));
    name(Pomoc1, "Pomoc1");
    Pomoc2 = Pomoc1->addAction(QStringLiteral("Pomoc"));
    name(Pomoc2, "Pomoc2");
    PomocPDF1 = Pomoc1->addAction(QStringLiteral("Pomoc (PDF)"));
    name(PomocPDF1, "PomocPDF1");
    N4 = Pomoc1->addSeparator();
    name(N4, "N4");
    Sprawdczyjestnowawersjaprogramu1 = Pomoc1->addAction(QStringLiteral("Sprawdź, czy jest nowa wersja programu"));
    name(Sprawdczyjestnowawersjaprogramu1, "Sprawdczyjestnowawersjaprogramu1");
    N5 = Pomoc1->addSeparator();
    name(N5, "N5");
    Pokapulpitstartowy1 = Pomoc1->addAction(QStringLiteral("Pokaż pulpit startowy"));
    name(Pokapulpitstartowy1, "Pokapulpitstartowy1");
    N6 = Pomoc1->addSeparator();
    name(N6, "N6");
    Oprogramie1 = Pomoc1->addAction(QStringLiteral("O programie"));
    name(Oprogramie1, "Oprogramie1");
}

QToolButton* TStartForm::addToolButton(const char* name, const QString& caption, const QIcon& icon, int left)
{
    auto* button = new QToolButton(PanelHeader);
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setIcon(icon);
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setGeometry(left, 5, 78, 63);
    return button;
}

void TStartForm::buildHeader()
{
    PanelHeader = new QWidget(this);
    PanelHeader->setObjectName(QStringLiteral("PanelHeader"));
    PanelHeader->resize(1008, 73);
    SetAlign(PanelHeader, alTop);
    SpeedButton7 = addToolButton("SpeedButton7", QStringLiteral("Kobieta"), toolbarIcon(Glyph::Woman), 4);
    SpeedButton2 = addToolButton("SpeedButton2", QStringLiteral("Mężczyzna"), toolbarIcon(Glyph::Man), 82);
    separatorBevel(PanelHeader, 165);
    SpeedButton4 = addToolButton("SpeedButton4", QStringLiteral("Formularz"), toolbarIcon(Glyph::Family), 172);
    separatorBevel(PanelHeader, 255);
    SpeedButton5 = addToolButton("SpeedButton5", QStringLiteral("Lista osób"), toolbarIcon(Glyph::List), 262);
    separatorBevel(PanelHeader, 345);
    SpeedButton3 = addToolButton("SpeedButton3", QStringLiteral("Ustawienia"), toolbarIcon(Glyph::Settings), 352);
    separatorBevel(PanelHeader, 435);
    SpeedButton1 = addToolButton("SpeedButton1", QStringLiteral("Pomoc"), toolbarIcon(Glyph::Help), 442);
}

void TStartForm::buildContent()
{
    PanelContent = new QWidget(this);
    PanelContent->setObjectName(QStringLiteral("PanelContent"));
    SetAlign(PanelContent, alClient);
    CppWebBrowserPulpit = new TCppWebBrowser(PanelContent);
    CppWebBrowserPulpit->setObjectName(QStringLiteral("CppWebBrowserPulpit"));
    SetAlign(CppWebBrowserPulpit, alClient);
    MenuPulipi = new QMenu(this);
    MenuPulipi->setObjectName(QStringLiteral("MenuPulipi"));
    Zapisz2 = MenuPulipi->addAction(QStringLiteral("Odśwież"));
    Zapisz2->setObjectName(QStringLiteral("Zapisz2"));
}

void TStartForm::buildFooter()
{
    PanelFooter = new QWidget(this);
    PanelFooter->setObjectName(QStringLiteral("PanelFooter"));
    PanelFooter->resize(1008, 31);
    SetAlign(PanelFooter, alBottom);
    LabelFileName = new QLabel(PanelFooter);
    LabelFileName->setObjectName(QStringLiteral("LabelFileName"));
    LabelActionName = new QLabel(QStringLiteral("Akcja"), PanelFooter);
    LabelActionName->setObjectName(QStringLiteral("LabelActionName"));
    LabelActionName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelActionName->hide();
    ProgressBarLoad = new QProgressBar(PanelFooter);
    ProgressBarLoad->setObjectName(QStringLiteral("ProgressBarLoad"));
    ProgressBarLoad->setTextVisible(false);
    ProgressBarLoad->hide();
    SpeedButton8 = new QToolButton(PanelFooter);
    SpeedButton8->setObjectName(QStringLiteral("SpeedButton8"));
    SpeedButton8->setText(QStringLiteral("Odśwież"));
    SpeedButton8->setIcon(toolbarIcon(Glyph::Refresh));
    SpeedButton8->setIconSize(QSize(16, 16));
    SpeedButton8->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton8->setAutoRaise(true);
    SpeedButton8->setFixedSize(94, 27);

    auto* layout = new QHBoxLayout(PanelFooter);
    layout->setContentsMargins(6, 2, 2, 2);
    layout->addWidget(LabelFileName, 1);
    layout->addWidget(LabelActionName);
    layout->addWidget(ProgressBarLoad, 2);
    layout->addWidget(SpeedButton8);
}

void TStartForm::connectCommands()
{
    connect(SpeedButton7, &QToolButton::clicked, this, &TStartForm::SpeedButton7Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TStartForm::SpeedButton2Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TStartForm::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TStartForm::SpeedButton5Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TStartForm::Ustawienia1Click);
    connect(Ustawienia1, &QAction::triggered, this, &TStartForm::Ustawienia1Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TStartForm::Pomoc2Click);
    connect(Pomoc2, &QAction::triggered, this, &TStartForm::Pomoc2Click);
    connect(PomocPDF1, &QAction::triggered, this, &TStartForm::PomocPDF1Click);
    connect(Sprawdczyjestnowawersjaprogramu1, &QAction::triggered, this,
            [this] { Sprawdczyjestnowawersjaprogramu1Click(Sprawdczyjestnowawersjaprogramu1); });
    connect(Oprogramie1, &QAction::triggered, this, &TStartForm::Oprogramie1Click);
    connect(ZGedcomged1, &QAction::triggered, this, &TStartForm::ZGedcomged1Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TStartForm::SpeedButton8Click);
    connect(Zapisz2, &QAction::triggered, this, &TStartForm::Zapisz2Click);
    connect(Pokapulpitstartowy1, &QAction::triggered, this, &TStartForm::Pokapulpitstartowy1Click);
    connect(Usuwszystkiewprowadzonedane1, &QAction::triggered, this, &TStartForm::Usuwszystkiewprowadzonedane1Click);
    connect(Zamknij1, &QAction::triggered, this, &TStartForm::Zamknij1Click);

    CppWebBrowserPulpit->OnBeforeNavigate2 = [this](const QUrl& url) {
        return StartPageLinkDecision(url, PageCommands());
    };
    // Only the start page has a menu of its own; the engine's menu is never shown.
    CppWebBrowserPulpit->OnContextMenu = [this](const QPoint& globalPos) {
        if (isVisible() && isActiveWindow())
            MenuPulipi->popup(globalPos);
    };
    // The first activation runs once the window is on the screen, outside the activation's own event. A desktop
    // that does not activate new windows sends no activation at all, so being shown starts it as well; whichever
    // comes first does the work.
    const auto startFirstActivation = [this](QObject*) {
        if (firstActivation)
            QMetaObject::invokeMethod(this, &TStartForm::FormActivate, Qt::QueuedConnection);
    };
    OnActivate = startFirstActivation;
    OnShow = startFirstActivation;
    OnClose = [this](QObject*, TCloseAction&) { ExchangeSettings(false); };
}

void TStartForm::SetWindows(const TStartFormWindows& value)
{
    windows = value;
    updateCommandStates();
}

void TStartForm::updateCommandStates()
{
    SpeedButton7->setEnabled(bool(windows.EditPerson));
    SpeedButton2->setEnabled(bool(windows.EditPerson));
    SpeedButton4->setEnabled(bool(windows.ShowFamilyView));
    SpeedButton5->setEnabled(bool(windows.ShowPersonList));
    SpeedButton3->setEnabled(bool(windows.ShowSettings));
    Ustawienia1->setEnabled(bool(windows.ShowSettings));
    Oprogramie1->setEnabled(bool(windows.ShowAbout));
    Importdanych1->setEnabled(bool(windows.ShowGedcomImport));
}

StartPageCommands TStartForm::PageCommands()
{
    StartPageCommands commands;
    commands.ShowStatistic = [this](int kind) {
        gDB.SetChanged(true);
        StatisticKind = kind;
        RenderStartDesktop(false);
    };
    if (windows.EditPerson) {
        commands.EditPerson = [this](const QString& id) {
            windows.EditPerson(this, id, 0);
            RenderStartDesktop(false);
        };
        commands.AddPerson = [this](int sex) {
            if (!windows.EditPerson(this, QString(), sex).isEmpty())
                RenderStartDesktop(false);
        };
    }
    if (windows.ShowFamilyView) {
        commands.ShowFamilyView = [this](const QString& id) {
            windows.ShowFamilyView(id);
            RenderStartDesktop(false);
        };
    }
    if (windows.ShowGedcomImport)
        commands.ImportGedcom = [this] { ZGedcomged1Click(); };
    return commands;
}

void TStartForm::FormActivate()
{
    if (!firstActivation)
        return;
    firstActivation = false;
    TranslateForms(this);
    gPDFManager.PageText1 = gWebAddress + QStringLiteral(" | v.") + gProductVersion;
    gPDFManager.PageText2 = gLangM.Get(QStringLiteral("LABEL_STRONA:_#NR_STRONY#"));
    SetCaption(gProductName + QStringLiteral(" v.") + gProductVersion);

    decideDataFolder();
    gTempFolder = gDataFolder + QStringLiteral("temp/");
    gReportsFolder = gDataFolder + QStringLiteral("Raporty/");
    gMiniaturyUnit.CacheFolder = gTempFolder + QStringLiteral("thumbnails/");
    const QString picturesFolder = gDataFolder + QStringLiteral("multimedia");
    for (const QString& folder : {gDataFolder, gTempFolder, gReportsFolder, gMiniaturyUnit.CacheFolder, picturesFolder})
        FileSystem::createFolders(folder);
    SetPicturesFolder(picturesFolder);

    if (!LoadDatabase()) {
        processControl().quitEventLoop();
        return;
    }
    RenderStartDesktop(false);
    reportSkippedFiles();
    if (gSettings.MaxOnStartup)
        showMaximized();
    if (gSettings.CheckUpdate)
        Sprawdczyjestnowawersjaprogramu1Click(nullptr);
}

void TStartForm::decideDataFolder()
{
    const QString defaultFolder = gDocumentsFolder + QStringLiteral("/Genealogia/");
    gDataFolder = defaultFolder;
    if (gSettings.Data_Folder.isEmpty()) {
        gSettings.Data_Folder = gDataFolder;
        return;
    }
    QString configured = gSettings.Data_Folder + u'/';
    configured.replace(QStringLiteral("//"), QStringLiteral("/"));
    if (configured == defaultFolder || FileSystem::folderExists(configured)) {
        gDataFolder = configured;
        gSettings.Data_Folder = configured;
        return;
    }
    // The folder may lie on a drive that is not attached now: work in the default folder for this run and keep
    // the setting, so the next start looks for the folder again.
    prompter().message(
        gLangM.FormatStr2(QStringLiteral("LABEL_FOLDER_Z_DANYMI_[%S]_NIE_ISTNIEJE._PROGRAM_UZYWA_TERAZ_FOLDERU_[%S]."),
                          configured, defaultFolder),
        gLangM.Get(QStringLiteral("LABEL_UWAGA")), Prompter::Icon::Warning);
}

bool TStartForm::LoadDatabase()
{
    gDB.DataFolder = gDataFolder;
    gDB.FileExtension = QStringLiteral(".kvfile");
    LabelFileName->setText(gLangM.FormatStr(QStringLiteral("LABEL_FOLDER_Z_DANYMI:_[%S]"), gDataFolder));
    // One program per data folder: a second one would take the first one's unfinished work for crash debris.
    QString refusal;
    if (!LockDataFolder(gDataFolder, refusal)) {
        prompter().message(refusal, gProductName, Prompter::Icon::Error);
        return false;
    }
    // What a crash left of a change of several files or of an import is put right before the load, so that no
    // half of it is ever shown. Finding the temporary files of writes cut off takes a listing of the whole data
    // folder: it is made while the load runs, and nothing writes before it has ended.
    const FolderLock& lock = *WorkingFolderLock();
    const CrashLeftovers leftovers = PutRightInterruptedWork(lock);
    auto temporaries = std::async(std::launch::async, RemoveWriteTemporaries, std::cref(lock), GetPicturesFolder());
    if (const QString told = leftovers.message(); !told.isEmpty())
        prompter().message(told, gLangM.Get(QStringLiteral("LABEL_UWAGA")), Prompter::Icon::Warning);
    gDB.LoadAll(progress);
    temporaries.get();
    return true;
}

namespace {

// A one-sided link in words: who names whom as what, and that the other does not name the first back.
QString describeOneSidedLink(const KV_DB::OneSidedLink& link)
{
    using Kind = KV_DB::OneSidedLink::Kind;
    const char* key = nullptr;
    switch (link.kind) {
    case Kind::Father:
        key = "LABEL_OSOBA_[%S]_PODAJE_JAKO_OJCA_OSOBE_[%S],_KTORA_NIE_PODAJE_JEJ_JAKO_DZIECKA.";
        break;
    case Kind::Mother:
        key = "LABEL_OSOBA_[%S]_PODAJE_JAKO_MATKE_OSOBE_[%S],_KTORA_NIE_PODAJE_JEJ_JAKO_DZIECKA.";
        break;
    case Kind::Child:
        key = "LABEL_OSOBA_[%S]_PODAJE_JAKO_DZIECKO_OSOBE_[%S],_KTORA_NIE_PODAJE_JEJ_JAKO_RODZICA.";
        break;
    case Kind::Partner:
        key = "LABEL_OSOBA_[%S]_PODAJE_JAKO_PARTNERA_OSOBE_[%S],_KTORA_NIE_PODAJE_JEJ_JAKO_PARTNERA.";
        break;
    }
    const auto name = [](const QString& id) {
        return gDB.GetPersonDisplayName(id, DisplayNameMode::Plain, true, true, id);
    };
    return gLangM.FormatStr2(QLatin1String(key), name(link.personID), name(link.otherID));
}

} // namespace

void TStartForm::reportSkippedFiles()
{
    const QList<KV_DB::SkippedFile>& skipped = gDB.SkippedFiles;
    const QList<KV_DB::OneSidedLink>& oneSided = gDB.OneSidedLinks;
    if (skipped.isEmpty() && oneSided.isEmpty())
        return;
    // The message scrolls a long list; beyond this many files the count tells the extent.
    constexpr qsizetype listedFiles = 1000;
    constexpr qsizetype listedLinks = 10;
    QStringList lines;
    if (!skipped.isEmpty()) {
        lines << gLangM.FormatInt(QStringLiteral("LABEL_NIE_WCZYTANO_USZKODZONYCH_PLIKOW_Z_FOLDERU_DANYCH_(%D)"),
                                  int(skipped.size()))
              << QString();
        for (qsizetype i = 0; i < skipped.size() && i < listedFiles; ++i)
            lines << skipped[i].fileName + QStringLiteral(": ") + skipped[i].reason;
        if (skipped.size() > listedFiles) {
            lines << QString()
                  << gLangM.FormatInt(QStringLiteral("LABEL_POZOSTALE_POMINIETE_PLIKI:_%D"),
                                      int(skipped.size() - listedFiles));
        }
    }
    if (!oneSided.isEmpty()) {
        if (!lines.isEmpty())
            lines << QString();
        lines << gLangM.FormatInt(QStringLiteral("LABEL_RELACJE_ZAPISANE_TYLKO_U_JEDNEJ_Z_DWOCH_OSOB_(%D)"),
                                  int(oneSided.size()))
              << QString();
        for (qsizetype i = 0; i < oneSided.size() && i < listedLinks; ++i)
            lines << describeOneSidedLink(oneSided[i]);
        if (oneSided.size() > listedLinks) {
            lines << QString()
                  << gLangM.FormatInt(QStringLiteral("LABEL_POZOSTALE_JEDNOSTRONNE_RELACJE:_%D"),
                                      int(oneSided.size() - listedLinks));
        }
    }
    prompter().message(lines.join(u'\n'), gLangM.Get(QStringLiteral("LABEL_UWAGA")), Prompter::Icon::Warning);
}

bool TStartForm::ExchangeSettings(bool load)
{
    KX_Settings store;
    QString error;
    if (load) {
        if (store.Load(gConfigFile, &error) == KX_Settings::LoadResult::Unreadable)
            prompter().message(FileFailureText(FileError::Operation::Read, gConfigFile, error), gProductName,
                               Prompter::Icon::Warning);
        ::ExchangeSettings(store, true);
        gSettings.Apply();
        return true;
    }
    ::ExchangeSettings(store, false);
    if (store.Save(gConfigFile, &error))
        return true;
    prompter().message(FileFailureText(FileError::Operation::Write, gConfigFile, error), gProductName,
                       Prompter::Icon::Error);
    return false;
}

void TStartForm::RenderStartDesktop(bool forced)
{
    const QString page = BuildStartPage(forced, StatisticKind);
    if (!page.isEmpty())
        CppWebBrowserPulpit->Navigate(page);
}

void TStartForm::SpeedButton7Click()
{
    if (windows.EditPerson)
        windows.EditPerson(this, QString(), 0);
    RenderStartDesktop(false);
}

void TStartForm::SpeedButton2Click()
{
    if (windows.EditPerson)
        windows.EditPerson(this, QString(), 1);
    RenderStartDesktop(false);
}

void TStartForm::SpeedButton4Click()
{
    if (windows.ShowFamilyView)
        windows.ShowFamilyView(QString());
    RenderStartDesktop(false);
}

void TStartForm::SpeedButton5Click()
{
    if (windows.ShowPersonList)
        windows.ShowPersonList();
    RenderStartDesktop(false);
}

void TStartForm::Ustawienia1Click()
{
    if (!windows.ShowSettings)
        return;
    bool folderChanged = false;
    if (windows.ShowSettings(folderChanged) != mrOk)
        return;
    if (folderChanged &&
        prompter().confirm(gLangM.Get(QStringLiteral("LABEL_FOLDER_ZMINA_RERUN")),
                           gLangM.Get(QStringLiteral("LABEL_UWAGA"))) &&
        restart())
        return;
    RenderStartDesktop(false);
}

bool TStartForm::restart()
{
    // A new process would read the old folder from the file: without a saved file the program goes on, and the
    // folder is saved again at close.
    if (!ExchangeSettings(false))
        return false;
    // The event loop ends once this handler has returned; the window is not closed, so the settings are not
    // saved a second time.
    processControl().quitEventLoop();
    QThread::msleep(400);
    QApplication::beep();
    QThread::msleep(400);
    // The new process locks its folder itself; this one writes nothing more.
    UnlockDataFolders();
    processControl().startDetached(QCoreApplication::applicationFilePath(), {});
    return true;
}

void TStartForm::Pomoc2Click()
{
    openHelp(gAppFolder);
}

void TStartForm::PomocPDF1Click()
{
    openLocalFile(gAppFolder + QStringLiteral("help.pdf"));
}

void TStartForm::Sprawdczyjestnowawersjaprogramu1Click(QObject* sender)
{
    if (sender)
        OpenUpdatePage();
    else
        AutomaticUpdateCheck();
}

void TStartForm::Oprogramie1Click()
{
    if (windows.ShowAbout)
        windows.ShowAbout();
}

void TStartForm::ZGedcomged1Click()
{
    if (windows.ShowGedcomImport)
        windows.ShowGedcomImport();
    RenderStartDesktop(false);
    SetCaption(gProductName + QStringLiteral(" v.") + gProductVersion);
}

void TStartForm::SpeedButton8Click()
{
    gDB.SetChanged(true);
    RenderStartDesktop(false);
}

void TStartForm::Zapisz2Click()
{
    RenderStartDesktop(false);
}

void TStartForm::Pokapulpitstartowy1Click()
{
    RenderStartDesktop(true);
}

void TStartForm::Usuwszystkiewprowadzonedane1Click()
{
    if (!prompter().confirm(gLangM.Get(QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_WSZYSTKIE_WPROWADZONE_DANE?")),
                            gLangM.Get(QStringLiteral("LABEL_UWAGA"))))
        return;
    const bool deleted = gDB.DeleteAllData(progress);
    RenderStartDesktop(false);
    // Files that stayed are named in StorageError: saying the data was deleted would be untrue.
    if (deleted)
        prompter().message(gLangM.Get(QStringLiteral("LABEL_DANE_ZOSTALY_USUNIETE.")), gProductName,
                           Prompter::Icon::Information);
    else
        prompter().message(gDB.StorageError, gProductName, Prompter::Icon::Error);
}

void TStartForm::Zamknij1Click()
{
    close();
}
