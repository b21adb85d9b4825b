// Entry point of Kronvel: creates the windows, the main window first, and runs the event loop until the main
// window closes.
#include "Application.h"
#include "AtrybutUnit.h"
#include "ColorDialogs.h"
#include "Dialogs.h"
#include "FactEdycjaUnit.h"
#include "FileDialogs.h"
#include "Fonts.h"
#include "FormularzOsobyUnit.h"
#include "FromularzUnit.h"
#include "GedcomImportUnit.h"
#include "ListaOsobForm.h"
#include "OProgramieUnit.h"
#include "OsobaFormUnit.h"
#include "PersonPicker.h"
#include "PowiekszeniePlikuGraficznego.h"
#include "ProcessControl.h"
#include "ProgramWindow.h"
#include "RaportDrzewo.h"
#include "RaportListaUnit.h"
#include "RaportOsobyUnit.h"
#include "RelacjaAddUnit.h"
#include "Shell.h"
#include "StartUnit.h"
#include "UnitFonSelect.h"
#include "UstawieniaUnit.h"
#include "WebBrowser.h"
#include "ZmianaKolejnosciUnit.h"

#include <memory>

int main(int argc, char* argv[])
{
    prepareWebEngine();
    TApplication app(argc, argv);
    loadQtTranslations();
    MessageBoxPrompter messageBoxes;
    setPrompter(&messageBoxes);
    DesktopUrlOpener desktop;
    setUrlOpener(&desktop);
    QtFileDialogs fileChoosers;
    setFileDialogs(&fileChoosers);
    QtColorDialogs colourChoosers;
    setColorDialogs(&colourChoosers);
    QtProcessControl processes;
    setProcessControl(&processes);
    Fonts::registerApplicationFonts();

    try {
        // The windows live until the program ends and go in the reverse order of their creation.
        const std::unique_ptr<TStartForm> startForm(StartForm = new TStartForm);
        // Each window created at start-up follows here in its order, and the main window is connected to them.
        const std::unique_ptr<TFormListaOsob> personList(FormListaOsob = new TFormListaOsob);
        const std::unique_ptr<TFormFormularz> familyView(FormFormularz = new TFormFormularz);
        const std::unique_ptr<TFormFaktEdycja> factEditor(FormFaktEdycja = new TFormFaktEdycja);
        const std::unique_ptr<TFormRelacjaAdd> addRelative(FormRelacjaAdd = new TFormRelacjaAdd);
        const std::unique_ptr<TFormDaneOsobyBasic> quickForm(FormDaneOsobyBasic = new TFormDaneOsobyBasic);
        const std::unique_ptr<TFormPwiekszenie> pictureViewer(FormPwiekszenie = new TFormPwiekszenie);
        const std::unique_ptr<TFormUstawienia> settings(FormUstawienia = new TFormUstawienia);
        const std::unique_ptr<TFormGedcomImport> gedcomImport(FormGedcomImport = new TFormGedcomImport);
        const std::unique_ptr<TFormOProgramie> about(FormOProgramie = new TFormOProgramie);
        const std::unique_ptr<TFormKolejnoscZmiana> reorder(FormKolejnoscZmiana = new TFormKolejnoscZmiana);
        const std::unique_ptr<TFormSelectFont> fontChooser(FormSelectFont = new TFormSelectFont);
        const std::unique_ptr<TFormRaportDrzewo> treeReport(FormRaportDrzewo = new TFormRaportDrzewo);
        const std::unique_ptr<TFormAtrybutEdycja> attributeEditor(FormAtrybutEdycja = new TFormAtrybutEdycja);
        const std::unique_ptr<TFormRaportLista> listReport(FormRaportLista = new TFormRaportLista);
        const std::unique_ptr<TFormRaportOsoby> personReport(FormRaportOsoby = new TFormRaportOsoby);
        SetProgramMainWindow(StartForm);
        TStartFormWindows windows;
        windows.EditPerson = EditPerson;
        windows.ShowFamilyView = ShowFamilyView;
        FormListaOsob->ShowFamilyView = ShowFamilyView;
        FormListaOsob->EditPerson = [](const QString& id, int sex) { return EditPerson(StartForm, id, sex); };
        windows.ShowPersonList = BrowsePersonList;
        SetPersonPicker(PickPersonFromList);
        windows.ShowSettings = [](bool& folderChanged) { return FormUstawienia->ShowSettings(folderChanged); };
        windows.ShowAbout = [] { FormOProgramie->ShowAbout(); };
        windows.ShowGedcomImport = [] {
            FormGedcomImport->Reset();
            FormGedcomImport->ShowModal();
        };
        StartForm->SetWindows(windows);
        StartForm->show();
        app.exec();
    } catch (...) {
        ShowException(std::current_exception());
    }
    StartForm = nullptr;
    FormFormularz = nullptr;
    FormFaktEdycja = nullptr;
    FormRelacjaAdd = nullptr;
    FormDaneOsobyBasic = nullptr;
    FormPwiekszenie = nullptr;
    FormUstawienia = nullptr;
    FormGedcomImport = nullptr;
    FormOProgramie = nullptr;
    FormSelectFont = nullptr;
    FormKolejnoscZmiana = nullptr;
    FormRaportDrzewo = nullptr;
    FormAtrybutEdycja = nullptr;
    FormRaportLista = nullptr;
    FormRaportOsoby = nullptr;
    return 0;
}
