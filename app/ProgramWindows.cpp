#include "ProgramWindows.h"

#include "AtrybutUnit.h"
#include "FactEdycjaUnit.h"
#include "FormularzOsobyUnit.h"
#include "FromularzUnit.h"
#include "GedcomImportUnit.h"
#include "ListaOsobForm.h"
#include "OProgramieUnit.h"
#include "OsobaFormUnit.h"
#include "PersonPicker.h"
#include "PowiekszeniePlikuGraficznego.h"
#include "ProgramWindow.h"
#include "RaportDrzewo.h"
#include "RaportListaUnit.h"
#include "RaportOsobyUnit.h"
#include "RelacjaAddUnit.h"
#include "StartUnit.h"
#include "UnitFonSelect.h"
#include "UstawieniaUnit.h"
#include "ZmianaKolejnosciUnit.h"

ProgramWindows::ProgramWindows()
{
    startForm.reset(StartForm = new TStartForm);
    personList.reset(FormListaOsob = new TFormListaOsob);
    familyView.reset(FormFormularz = new TFormFormularz);
    factEditor.reset(FormFaktEdycja = new TFormFaktEdycja);
    addRelative.reset(FormRelacjaAdd = new TFormRelacjaAdd);
    quickForm.reset(FormDaneOsobyBasic = new TFormDaneOsobyBasic);
    pictureViewer.reset(FormPwiekszenie = new TFormPwiekszenie);
    settings.reset(FormUstawienia = new TFormUstawienia);
    gedcomImport.reset(FormGedcomImport = new TFormGedcomImport);
    about.reset(FormOProgramie = new TFormOProgramie);
    reorder.reset(FormKolejnoscZmiana = new TFormKolejnoscZmiana);
    fontChooser.reset(FormSelectFont = new TFormSelectFont);
    treeReport.reset(FormRaportDrzewo = new TFormRaportDrzewo);
    attributeEditor.reset(FormAtrybutEdycja = new TFormAtrybutEdycja);
    listReport.reset(FormRaportLista = new TFormRaportLista);
    personReport.reset(FormRaportOsoby = new TFormRaportOsoby);
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
}

ProgramWindows::~ProgramWindows()
{
    StartForm = nullptr;
    FormListaOsob = nullptr;
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
}
