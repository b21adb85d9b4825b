// The program's windows, made at start-up in their order with the main window first, and connected to each other
// and to the main window. They live as long as this object and go in the reverse order of their creation.
#pragma once

#include <memory>

class TStartForm;
class TFormListaOsob;
class TFormFormularz;
class TFormFaktEdycja;
class TFormRelacjaAdd;
class TFormDaneOsobyBasic;
class TFormPwiekszenie;
class TFormUstawienia;
class TFormGedcomImport;
class TFormOProgramie;
class TFormKolejnoscZmiana;
class TFormSelectFont;
class TFormRaportDrzewo;
class TFormAtrybutEdycja;
class TFormRaportLista;
class TFormRaportOsoby;

class ProgramWindows
{
public:
    // Makes every window, sets the global pointers to them and connects them; shows none.
    ProgramWindows();
    // Clears the global pointers before the windows go.
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

private:
    std::unique_ptr<TStartForm> startForm;
    std::unique_ptr<TFormListaOsob> personList;
    std::unique_ptr<TFormFormularz> familyView;
    std::unique_ptr<TFormFaktEdycja> factEditor;
    std::unique_ptr<TFormRelacjaAdd> addRelative;
    std::unique_ptr<TFormDaneOsobyBasic> quickForm;
    std::unique_ptr<TFormPwiekszenie> pictureViewer;
    std::unique_ptr<TFormUstawienia> settings;
    std::unique_ptr<TFormGedcomImport> gedcomImport;
    std::unique_ptr<TFormOProgramie> about;
    std::unique_ptr<TFormKolejnoscZmiana> reorder;
    std::unique_ptr<TFormSelectFont> fontChooser;
    std::unique_ptr<TFormRaportDrzewo> treeReport;
    std::unique_ptr<TFormAtrybutEdycja> attributeEditor;
    std::unique_ptr<TFormRaportLista> listReport;
    std::unique_ptr<TFormRaportOsoby> personReport;
};
