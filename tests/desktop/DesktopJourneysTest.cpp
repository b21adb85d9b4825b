// The program's own windows on a real X server with a window manager, driven by input through the X server. Each
// step waits until the window it works in is active, on top of the window manager's stack and, for a modal one,
// the application's modal window; a step that does not come in time fails the journey (RealDesktop::run).
#include "RealDesktop.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvFileNameEdit.h"
#include "AdvPageControl.h"
#include "Bazadanych.h"
#include "Canvas.h"
#include "ColorDialogs.h"
#include "ColourPanel.h"
#include "Dialogs.h"
#include "FromularzUnit.h"
#include "GedcomImportUnit.h"
#include "HtmlEscape.h"
#include "ListaOsobForm.h"
#include "OsobaFormUnit.h"
#include "PdfTools.h"
#include "ProgramWindows.h"
#include "RaportDrzewo.h"
#include "RaportOsobyUnit.h"
#include "RelacjaAddUnit.h"
#include "ReportWindows.h"
#include "ScriptedFileDialogs.h"
#include "StartUnit.h"
#include "TestSupport.h"
#include "TreeSetings.h"
#include "UnitFonSelect.h"
#include "WebBrowser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWebEnginePage>
#include <gtest/gtest.h>
#include <memory>

using namespace RealDesktop;

namespace {

// A family of three with plain names, so that they can be typed on any keyboard layout.
const char* const familyGedcom = "0 HEAD\n1 CHAR UTF-8\n1 GEDC\n2 VERS 5.5.1\n"
                                 "0 @I1@ INDI\n1 NAME Jan /Kowalski/\n1 SEX M\n1 BIRT\n2 DATE 1 JAN 1950\n"
                                 "0 @I2@ INDI\n1 NAME Anna /Nowak/\n1 SEX F\n"
                                 "0 @I3@ INDI\n1 NAME Ewa /Kowalska/\n1 SEX F\n"
                                 "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n0 TRLR\n";

// The program as main() makes it, with real message boxes and colour dialogs; the file chooser answers from a
// script and the desktop opens no viewer. The main window is shown and has loaded its data folder.
class DesktopJourneys : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty());
        ASSERT_TRUE(windowManagerRuns());
        // No update check from the network.
        const QString settings =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Varnhold/Kronvel/";
        ASSERT_TRUE(QDir().mkpath(settings));
        ASSERT_TRUE(writeFileBytes(settings + "config.ini", "[Common]\nCheckUpdate=0\n"));
        setPrompter(&boxes);
        setColorDialogs(&colours);
        windows = std::make_unique<ProgramWindows>();
        gAppFolder = QStringLiteral(KV_PROGRAM_FOLDER);
        StartForm->show();
        ASSERT_TRUE(QTest::qWaitFor([] { return !gDB.DataFolder.isEmpty() && activeOnTop(StartForm); }, 30000));
    }
    void TearDown() override
    {
        windows.reset();
        gDB.Clear();
        setColorDialogs(nullptr);
        setPrompter(nullptr);
    }

    // The family's GEDCOM file in a scratch folder.
    QString gedcomFile()
    {
        const QString path = scratch.filePath("rodzina.ged");
        EXPECT_TRUE(writeFileBytes(path, familyGedcom));
        return path;
    }
    // The ID of the person the person list has current when it is the one of that forename, else "".
    static QString currentInList(const char* forename)
    {
        const KV_Person* person = gDB.FindPerson(FormListaOsob->GetCurrentID());
        return person && person->Forename == QLatin1String(forename) ? person->ID : QString();
    }
    // The steps that import the family through the GEDCOM window, from the main window's menu.
    std::vector<Step> importSteps()
    {
        files.answers.push_back(gedcomFile());
        return {
            {"the main window answers its menu", [] { return activeOnTop(StartForm); },
             [] {
                 click(StartForm->MainMenu1,
                       StartForm->MainMenu1->actionGeometry(StartForm->Plik1->menuAction()).center());
             }},
            {"the file menu is open", [] { return StartForm->Plik1->isVisible(); },
             [] {
                 click(StartForm->Plik1,
                       StartForm->Plik1->actionGeometry(StartForm->Importdanych1->menuAction()).center());
             }},
            {"the import menu is open", [] { return StartForm->Importdanych1->isVisible(); },
             [] {
                 click(StartForm->Importdanych1,
                       StartForm->Importdanych1->actionGeometry(StartForm->ZGedcomged1).center());
             }},
            {"the import window is on top", [] { return modalOnTop(FormGedcomImport); },
             [] { click(FormGedcomImport->AdvEditFileName->findChild<QAbstractButton*>()); }},
            {"the file is read", [] { return FormGedcomImport->ButtonImport->isVisible(); },
             [] { click(FormGedcomImport->ButtonImport); }},
            {"the summary box is above the import window",
             [] {
                 auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                 return box && box->parentWidget() == FormGedcomImport && modalOnTop(box);
             },
             [] { key("Return"); }},
        };
    }

    // The main window is on top with no modal window left.
    static bool mainWindowAnswers() { return activeOnTop(StartForm) && !QGuiApplication::modalWindow(); }
    // After the import: the main window opens the person list from its button.
    static Step openPersonList()
    {
        return {"the main window is on top after the import",
                [] { return mainWindowAnswers() && gDB.GetPersonCount() == 3; },
                [] { click(StartForm->SpeedButton5); }};
    }
    static bool personListReady() { return modalOnTop(FormListaOsob) && FormListaOsob->EditSzukaj->hasFocus(); }
    // After the import: the person list from the main window's button, searched for the text, the first person
    // found current, and its print menu open.
    static std::vector<Step> personListSteps(const QString& search)
    {
        return {
            openPersonList(),
            {"the person list is on top", personListReady,
             [search] {
                 type(search);
                 key("Down");
             }},
            {"a person is current", [] { return !FormListaOsob->GetCurrentID().isEmpty(); },
             [] { click(FormListaOsob->ButtonDrukuj); }},
        };
    }
    // A menu item of the open menu, pointed at until the menu shows it under the pointer, then clicked.
    static std::vector<Step> chooseItem(QMenu* menu, QAction* item)
    {
        return {
            {"the menu is on the screen", [menu] { return menu->isVisible() && menu->windowHandle()->isExposed(); },
             [menu, item] { hover(menu, menu->actionGeometry(item).center()); }},
            {"the item is under the pointer", [menu, item] { return menu->activeAction() == item; },
             [menu, item] { click(menu, menu->actionGeometry(item).center()); }},
        };
    }
    // Another program takes the desktop and goes again: the window that was active is activated once more.
    static std::vector<Step> leaveAndComeBack(QWidget* window, std::shared_ptr<QProcess> other)
    {
        return {
            {"another program is started", [] { return true; },
             [other] {
                 other->start(QStringLiteral("xmessage"), {QStringLiteral("-center"), QStringLiteral("Inny program")});
             }},
            {"the other program has the desktop", [] { return !QApplication::activeWindow(); },
             [other] {
                 other->terminate();
                 other->waitForFinished(5000);
             }},
            {"the window is on top again after the other program", [window] { return modalOnTop(window); }, [] {}},
        };
    }
    static void append(std::vector<Step>& steps, const std::vector<Step>& more)
    {
        steps.insert(steps.end(), more.begin(), more.end());
    }

    QTemporaryDir scratch;
    MessageBoxPrompter boxes;
    QtColorDialogs colours;
    ScriptedFileDialogs files;
    RecordingOpener opener;
    std::unique_ptr<ProgramWindows> windows;
};

// The engine's answer to a request, kept alive for a callback that comes after the wait gave up.
template <class T>
struct Answer
{
    T value{};
    bool given = false;
};

// The centre of the innermost element of the page that shows exactly the text, as the user sees it; (-1, -1)
// when there is none or the page does not answer.
QPoint textCentre(TCppWebBrowser* browser, const QString& text)
{
    const auto centre = std::make_shared<Answer<QPoint>>();
    centre->value = QPoint(-1, -1);
    browser->page()->runJavaScript(
        QStringLiteral("(function(){const e=[...document.querySelectorAll('body *')].filter(e=>"
                       "e.getBoundingClientRect().width>0&&e.textContent.trim()===%1).pop();"
                       "if(!e)return null;const r=e.getBoundingClientRect();"
                       "return [r.left+r.width/2,r.top+r.height/2];})()")
            .arg(jsString(text)),
        [centre](const QVariant& value) {
            const QVariantList xy = value.toList();
            if (xy.size() == 2)
                centre->value = QPoint(int(xy[0].toDouble()), int(xy[1].toDouble()));
            centre->given = true;
        });
    return QTest::qWaitFor([centre] { return centre->given; }, 5000) ? centre->value : QPoint(-1, -1);
}

bool pageShows(TCppWebBrowser* browser, const QString& text)
{
    const auto found = std::make_shared<Answer<bool>>();
    browser->page()->toPlainText([found, text](const QString& page) {
        found->value = page.contains(text);
        found->given = true;
    });
    return QTest::qWaitFor([found] { return found->given; }, 5000) && found->value;
}

} // namespace

// Import through the GEDCOM window, search the person list, open the editor, its family view, add a father from
// the family page, and close everything back to the main window.
TEST_F(DesktopJourneys, importEditFamilyViewAndAddAFather)
{
    std::vector<Step> steps = importSteps();
    TFormFormularz* family = FormFormularz;
    QString janID;
    append(
        steps,
        {
            openPersonList(),
            {"the person list is on top", personListReady, [] { type("Jan"); }},
            {"the search found Jan", [&janID] { return !(janID = currentInList("Jan")).isEmpty(); },
             [] { click(FormListaOsob->ButtonPersonEdit); }},
            {"the person editor is on top", [] { return modalOnTop(shownWindowOf("TOsobaEdycjaForm")); },
             [] {
                 auto* editor = static_cast<TOsobaEdycjaForm*>(shownWindowOf("TOsobaEdycjaForm"));
                 click(editor->ButtonFormularz);
             }},
            {"the family view is on top of the editor, with its page",
             [family] {
                 return modalOnTop(family) && pageShows(family->CppWebBrowserFormularz, QStringLiteral("Kowalski"));
             },
             [family] {
                 TCppWebBrowser* browser = family->CppWebBrowserFormularz;
                 click(browser, textCentre(browser, QStringLiteral("+ Ojciec")));
             }},
            {"the add-relative dialog is on top of the family view",
             [] { return modalOnTop(FormRelacjaAdd) && FormRelacjaAdd->AdvComboBoxImie->hasFocus(); },
             [] {
                 type("Piotr");
                 click(FormRelacjaAdd->ButtonZapisz);
             }},
            {"the family view is on top again and shows the father",
             [family] {
                 return modalOnTop(family) && pageShows(family->CppWebBrowserFormularz, QStringLiteral("Piotr"));
             },
             [family] { click(family->SpeedButton3); }},
            {"the editor is on top again", [] { return modalOnTop(shownWindowOf("TOsobaEdycjaForm")); },
             [] { key("Escape"); }},
            {"the person list is on top again", [] { return modalOnTop(FormListaOsob); },
             [] { click(FormListaOsob->ButtonClose); }},
            {"the main window is on top, answers and shows the father",
             [] { return mainWindowAnswers() && pageShows(StartForm->CppWebBrowserPulpit, QStringLiteral("Piotr")); },
             [] {}},
        });
    run(QStringLiteral("family-view"), steps);

    const KV_Person* jan = gDB.FindPerson(janID);
    ASSERT_TRUE(jan);
    const KV_Person* father = gDB.FindPerson(jan->FID);
    ASSERT_TRUE(father);
    EXPECT_EQ(father->Forename, "Piotr");
}

// The tree report dialog keeps a chosen font, a chosen colour, restored defaults of another tab and a typed title
// through its child dialogs and the user's visit to another program, and the PDF uses them.
TEST_F(DesktopJourneys, treeReportKeepsTheUsersChoices)
{
    TFormRaportDrzewo* dialog = FormRaportDrzewo;
    const QString face = QStringLiteral("DejaVu Serif");
    const QColor colour(0x12, 0x34, 0x56);
    const QString title = QStringLiteral("Moje drzewo");
    auto other = std::make_shared<QProcess>();
    std::vector<Step> steps = importSteps();
    append(steps, personListSteps(QStringLiteral("Jan")));
    append(steps, chooseItem(FormListaOsob->PopupMenuWydruk, FormListaOsob->Drzewopotomkw1));
    append(
        steps,
        {
            {"the tree dialog is on top of the list", [dialog] { return modalOnTop(dialog); },
             [dialog] {
                 TAdvPageControl* pages = dialog->AdvPageControl1;
                 click(pages, ToQRect(pages->TabRectEx(1)).center());
             }},
            {"the fonts tab is shown", [dialog] { return dialog->AdvPageControl1->GetActivePageIndex() == 1; },
             [dialog] { click(dialog->SpeedButton1); }},
            {"the font chooser is on top of the dialog", [] { return modalOnTop(FormSelectFont); },
             [face] {
                 QListWidget* faces = FormSelectFont->ListBoxChcionki;
                 QListWidgetItem* item = faces->findItems(face, Qt::MatchExactly).value(0);
                 faces->scrollToItem(item);
                 click(faces->viewport(), faces->visualItemRect(item).center());
             }},
            {"the face is chosen", [face] { return FormSelectFont->GetDescription().startsWith(face); },
             [] { click(FormSelectFont->ButtonZapisz); }},
            {"the dialog is on top again with the chosen face",
             [dialog, face] { return modalOnTop(dialog) && dialog->HeaderFont->GetText().startsWith(face); },
             [dialog] { click(dialog->HeaderFontColor); }},
            {"the colour dialog is on top of the tree dialog", [] { return modalOnTop(shownWindowOf("QColorDialog")); },
             [colour] {
                 auto* chooser = static_cast<QColorDialog*>(shownWindowOf("QColorDialog"));
                 chooser->setCurrentColor(colour);
                 click(chooser->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
             }},
            {"the dialog is on top again with the chosen colour",
             [dialog, colour] {
                 return modalOnTop(dialog) && dialog->HeaderFontColor->GetColor() == FromQColor(colour);
             },
             [dialog] {
                 TAdvPageControl* pages = dialog->AdvPageControl1;
                 click(pages, ToQRect(pages->TabRectEx(2)).center());
             }},
            {"the frames tab is shown", [dialog] { return dialog->AdvPageControl1->GetActivePageIndex() == 2; },
             [dialog] { click(dialog->Button1); }},
            {"the question is on top of the dialog",
             [dialog] {
                 auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                 return box && box->parentWidget() == dialog && modalOnTop(box);
             },
             [] { click(static_cast<QMessageBox*>(QApplication::activeModalWidget())->button(QMessageBox::Yes)); }},
            {"the dialog is on top again and the fonts tab kept its choices",
             [dialog, face, colour] {
                 return modalOnTop(dialog) && dialog->HeaderFont->GetText().startsWith(face) &&
                        dialog->HeaderFontColor->GetColor() == FromQColor(colour);
             },
             [dialog] {
                 click(dialog->AdvComboBoxTytul);
                 key("ctrl+a");
                 type(QStringLiteral("Moje drzewo"));
             }},
            {"the title is typed", [dialog, title] { return dialog->AdvComboBoxTytul->GetText() == title; },
             [] { key("F3"); }},
            {"the report is made and opened", [this] { return opener.opened.size() == 1; }, [] {}},
        });
    append(steps, leaveAndComeBack(dialog, other));
    append(steps, {
                      {"the dialog kept the title and the choices",
                       [dialog, face, title] {
                           return dialog->AdvComboBoxTytul->GetText() == title &&
                                  dialog->HeaderFont->GetText().startsWith(face);
                       },
                       [dialog] { click(dialog->Button2); }},
                      {"the list is on top again", [] { return modalOnTop(FormListaOsob); },
                       [] { click(FormListaOsob->ButtonClose); }},
                      {"the main window is on top and answers", mainWindowAnswers, [] {}},
                  });
    run(QStringLiteral("tree-report"), steps);

    const QString pdf = gReportsFolder + TreeReportFileName(title);
    SKIP_WITHOUT_TOOL("pdffonts");
    EXPECT_TRUE(QString::fromUtf8(PdfTools::run("pdffonts", {pdf})).contains(QStringLiteral("DejaVuSerif")));
    EXPECT_TRUE(PdfTools::text(pdf).contains(title));
}

// The person details report keeps the scope the user chose when the user comes back from another program.
TEST_F(DesktopJourneys, personReportKeepsItsScope)
{
    TFormRaportOsoby* dialog = FormRaportOsoby;
    auto other = std::make_shared<QProcess>();
    std::vector<Step> steps = importSteps();
    append(steps, personListSteps(QString()));
    append(steps, chooseItem(FormListaOsob->PopupMenuWydruk, FormListaOsob->RaportDaneosobyszczegy1));
    append(steps, {
                      {"the report dialog is on top of the list, for the current person",
                       [dialog] {
                           return modalOnTop(dialog) &&
                                  dialog->AdvComboBoxZakresDanych->GetItemIndex() == TFormRaportOsoby::SelectedPerson;
                       },
                       [dialog] {
                           click(dialog->AdvComboBoxZakresDanych);
                           key("Down");
                           key("Return");
                       }},
                      {"the whole list is chosen",
                       [dialog] {
                           return modalOnTop(dialog) &&
                                  dialog->AdvComboBoxZakresDanych->GetItemIndex() == TFormRaportOsoby::PersonsOfTheList;
                       },
                       [] { key("F3"); }},
                      {"the report is made and opened", [this] { return opener.opened.size() == 1; }, [] {}},
                  });
    append(steps, leaveAndComeBack(dialog, other));
    append(steps, {
                      {"the dialog kept the scope",
                       [dialog] {
                           return dialog->AdvComboBoxZakresDanych->GetItemIndex() == TFormRaportOsoby::PersonsOfTheList;
                       },
                       [] { key("F3"); }},
                      {"the second report is made", [this] { return opener.opened.size() == 2; },
                       [dialog] { click(dialog->Button2); }},
                      {"the list is on top again", [] { return modalOnTop(FormListaOsob); },
                       [] { click(FormListaOsob->ButtonClose); }},
                      {"the main window is on top and answers", mainWindowAnswers, [] {}},
                  });
    run(QStringLiteral("person-report"), steps);

    SKIP_WITHOUT_TOOL("pdftotext");
    const QString text = PdfTools::text(gReportsFolder + QStringLiteral("RaportDane.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("Kowalski")));
    EXPECT_TRUE(text.contains(QStringLiteral("Nowak")));
}
