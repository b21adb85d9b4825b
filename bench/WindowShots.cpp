// Screenshots of the program's windows as a window manager shows them, for a person to look at: the person list
// as a list and as tiles, the quick person form (new, and twice for a dead person), the add-relative dialog, the
// person editor on each tab, the picture viewer, the family view, the settings and the three report dialogs. Run
// it on a real X server with a window manager, once for each screen size to check:
//
//   xvfb-run -a -s "-screen 0 1024x768x24" sh -c 'openbox & sleep 1; window_shots DATA_FOLDER OUT_FOLDER'
//
// DATA_FOLDER holds an imported database (kv_import FILE.ged DATA_FOLDER); a picture is added to the person the
// windows are shown for, so use a copy. The screenshots are OUT_FOLDER/NN_name.png.
#include "AdvEdit.h"
#include "AdvPageControl.h"
#include "Bazadanych.h"
#include "FactEdycjaUnit.h"
#include "Fonts.h"
#include "FormularzOsobyUnit.h"
#include "FromularzUnit.h"
#include "ListaOsobForm.h"
#include "Miniaturyunit.h"
#include "OsobaFormUnit.h"
#include "PictureImport.h"
#include "Picturemanager.h"
#include "PowiekszeniePlikuGraficznego.h"
#include "ProgramWindows.h"
#include "RaportDrzewo.h"
#include "RaportListaUnit.h"
#include "RaportOsobyUnit.h"
#include "RelacjaAddUnit.h"
#include "ReportWindows.h"
#include "Settings.h"
#include "UstawieniaUnit.h"
#include "Vh_langmanager.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace {

QString outFolder;
int shotNumber = 0;

void saveScreen(const QString& name)
{
    const QString file = QStringLiteral("%1/%2_%3.png").arg(outFolder).arg(++shotNumber, 2, 10, QChar(u'0')).arg(name);
    QGuiApplication::primaryScreen()->grabWindow(0).save(file);
    std::printf("%s\n", qPrintable(file));
}

// Lets the window manager frame and place the window, and the window paint itself.
void settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 700)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// The window of the innermost modal showing: Qt's modal widget, or a form in its modal loop that Qt does not count
// as one (a form whose web view has a native window of its own).
QWidget* modalWindow()
{
    if (QWidget* window = QApplication::activeModalWidget())
        return window;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* form = qobject_cast<TForm*>(top); form && form->isVisible() && form->IsModal())
            return form;
    }
    return nullptr;
}

using Step = std::pair<QString, std::function<void(QWidget*)>>;

// Runs open, which shows a modal window; once the window is on the screen, each step runs on it and the screen is
// saved under the step's name, and the window is closed.
void shoot(const std::function<void()>& open, const std::vector<Step>& steps)
{
    QTimer poll;
    poll.setInterval(50);
    int waited = 0;
    QElapsedTimer sinceOpen;
    sinceOpen.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* window = modalWindow();
        if (!window || !window->windowHandle() || !window->windowHandle()->isExposed()) {
            // Whatever is on the screen instead, and what holds it, for a person to see.
            if (sinceOpen.elapsed() > 15000) {
                poll.stop();
                saveScreen(steps.front().first + QStringLiteral("_nie_pokazane"));
                for (QWidget* top : QApplication::topLevelWidgets()) {
                    if (!top->isVisible())
                        continue;
                    std::printf("  shown: %s %s\n", top->metaObject()->className(), qPrintable(top->objectName()));
                    if (auto* form = qobject_cast<TForm*>(top); form && form->IsModal())
                        form->SetModalResult(mrCancel);
                }
                std::fflush(stdout);
            }
            return;
        }
        // The windows fill their fields when they are activated; a window manager may keep the focus elsewhere.
        if (!window->isActiveWindow()) {
            if (++waited < 20)
                window->activateWindow();
            else
                QApplication::setActiveWindow(window);
            return;
        }
        poll.stop();
        for (const Step& step : steps) {
            if (step.second)
                step.second(window);
            settle();
            saveScreen(step.first);
            std::fflush(stdout);
        }
        if (auto* form = qobject_cast<TForm*>(window))
            form->SetModalResult(mrCancel);
        else
            window->close();
    });
    poll.start();
    std::printf("%s...\n", qPrintable(steps.front().first));
    std::fflush(stdout);
    open();
}

void shoot(const QString& name, const std::function<void()>& open)
{
    shoot(open, {{name, nullptr}});
}

// The person with the most relatives, whose windows have the most to show.
KV_Person* busiestPerson()
{
    KV_Person* best = nullptr;
    int bestCount = -1;
    for (const auto& [id, person] : gDB.PersonMap) {
        const int count = person->GetPartnerCount() + person->GetChildCount() + int(person->Facts.size()) +
                          (person->FID.isEmpty() ? 0 : 1) + (person->MID.isEmpty() ? 0 : 1);
        if (count > bestCount) {
            best = person;
            bestCount = count;
        }
    }
    return best;
}

KV_Person* firstDeadPerson()
{
    for (const auto& [id, person] : gDB.PersonMap) {
        if (person->IsDead())
            return person;
    }
    return nullptr;
}

QString writePortrait(const QString& folder)
{
    QImage portrait(600, 800, QImage::Format_RGB32);
    portrait.fill(QColor(150, 120, 90));
    QPainter painter(&portrait);
    painter.fillRect(QRect(150, 150, 300, 450), QColor(230, 200, 170));
    painter.end();
    const QString file = folder + QStringLiteral("/portret.png");
    portrait.save(file);
    return file;
}

void editorTab(QWidget* window, int index)
{
    if (auto* editor = qobject_cast<TOsobaEdycjaForm*>(window))
        editor->AdvPageControl1->SetActivePage(editor->AdvPageControl1->GetPage(index));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::printf("usage: window_shots DATA_FOLDER OUT_FOLDER\n");
        return 1;
    }
    // The program's own windows, made as at start; the folders below are set after them, since the main window
    // sets the program's folders when it is made.
    ProgramWindows windows;
    outFolder = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(outFolder);
    Fonts::registerApplicationFonts();
    gLangM.Load(KX_LangManager::MessageTable());
    gLangM.Load(KX_LangManager::CaptionTable());
    gSettings.Apply();
    gAppFolder = QStringLiteral(KRONVEL_SOURCE_DIR "/resources/");
    const QString data = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/';
    gDB.DataFolder = data;
    gDB.FileExtension = QStringLiteral(".kvfile");
    gDB.InitAttributeTypes();
    gDB.LoadAll(nullptr);
    // The family view writes its page into the temporary folder.
    gTempFolder = data + QStringLiteral("temp/");
    gMiniaturyUnit.CacheFolder = gTempFolder + QStringLiteral("thumbnails/");
    QDir().mkpath(gMiniaturyUnit.CacheFolder);
    SetPicturesFolder(data + QStringLiteral("multimedia"));
    QDir().mkpath(GetPicturesFolder());
    KV_Person* person = busiestPerson();
    if (!person) {
        std::printf("no persons in %s\n", qPrintable(data));
        return 1;
    }
    const QString id = person->ID;
    if (person->GetProfilePictureID().isEmpty())
        AddPictureFromFile(id, writePortrait(outFolder));

    FormListaOsob->EditPerson = [](const QString&, int) { return QString(); };

    shoot([] { BrowsePersonList(); },
          {{QStringLiteral("lista_osob"), nullptr},
           {QStringLiteral("lista_osob_kafelki"), [](QWidget*) { FormListaOsob->SBLVOsobyKafelki->click(); }},
           {QStringLiteral("lista_osob_kafelki_szukaj"), [](QWidget*) {
                FormListaOsob->EditSzukaj->SetText(QStringLiteral("Victoria"));
                FormListaOsob->Refill(QString());
            }}});
    shoot(QStringLiteral("nowa_osoba"), [] {
        FormDaneOsobyBasic->SetupFor(QString(), 0);
        FormDaneOsobyBasic->ShowModal();
    });
    if (const KV_Person* dead = firstDeadPerson()) {
        for (const char* name : {"osoba_zmarla", "osoba_zmarla_ponownie"}) {
            shoot(QLatin1String(name), [id = dead->ID] {
                FormDaneOsobyBasic->SetupFor(id, 0);
                FormDaneOsobyBasic->ShowModal();
            });
        }
    }
    shoot(QStringLiteral("dodaj_corke"), [id] {
        FormRelacjaAdd->AddRelative(id, id, QStringLiteral("-1"), RelationKind::Daughter);
        FormRelacjaAdd->ShowModal();
    });
    shoot([id] { EditPerson(nullptr, id, 0); },
          {{QStringLiteral("edytor_krewni"), [](QWidget* w) { editorTab(w, 0); }},
           {QStringLiteral("edytor_fakty"), [](QWidget* w) { editorTab(w, 1); }},
           {QStringLiteral("edytor_informacje"), [](QWidget* w) { editorTab(w, 2); }}});
    shoot(QStringLiteral("zdjecia"), [id] {
        FormPwiekszenie->LoadPictureList(id);
        FormPwiekszenie->ShowPicture(QString());
        FormPwiekszenie->ShowModal();
    });
    shoot(QStringLiteral("formularz"), [id] {
        FormFormularz->ShowFor(id);
        FormFormularz->ShowModal();
    });
    shoot(QStringLiteral("ustawienia"), [] {
        bool folderChanged = false;
        FormUstawienia->ShowSettings(folderChanged);
    });
    shoot(QStringLiteral("raport_osoby"), [id] { OpenPersonReport(id, false); });
    shoot(QStringLiteral("raport_lista"), [] { OpenListReport(); });
    shoot(QStringLiteral("raport_drzewo"), [id] { OpenTreeReport(TreeType::Ancestors, id); });
    return 0;
}
