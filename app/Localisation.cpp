#include "Localisation.h"

#include "AdvCombo.h"
#include "AdvDirectoryEdit.h"
#include "AdvFileNameEdit.h"
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPageControl.h"
#include "AtrybutUnit.h"
#include "FactEdycjaUnit.h"
#include "FormularzOsobyUnit.h"
#include "FromularzUnit.h"
#include "GedcomImportUnit.h"
#include "ListView.h"
#include "ListaOsobForm.h"
#include "OProgramieUnit.h"
#include "PowiekszeniePlikuGraficznego.h"
#include "RaportDrzewo.h"
#include "RaportListaUnit.h"
#include "RaportOsobyUnit.h"
#include "RelacjaAddUnit.h"
#include "StartUnit.h"
#include "UnitFonSelect.h"
#include "UstawieniaUnit.h"
#include "Vh_langmanager.h"
#include "ZmianaKolejnosciUnit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

QList<CaptionEntry> StartFormCaptions(TStartForm* form)
{
    // The window itself and its two footer labels show run-time texts and are never translated.
    return {
        {form->SpeedButton7, "StartForm_SpeedButton7_Caption_Kobieta"},
        {form->SpeedButton2, "StartForm_SpeedButton2_Caption_Mezczyzna"},
        {form->SpeedButton4, "StartForm_SpeedButton4_Caption_Formularz"},
        {form->SpeedButton5, "StartForm_SpeedButton5_Caption_Lista_osob"},
        {form->SpeedButton3, "StartForm_SpeedButton3_Caption_Ustawienia"},
        {form->SpeedButton1, "StartForm_SpeedButton1_Caption_Pomoc"},
        {form->SpeedButton8, "StartForm_SpeedButton8_Caption_Odswiez"},
        {form->Plik1, "StartForm_Plik1_Caption_&Plik"},
        {form->Importdanych1, "StartForm_Importdanych1_Caption_Import_danych"},
        {form->ZGedcomged1, "StartForm_ZGedcomged1_Caption_GEDCOM_(*.ged)"},
        {form->N1, "StartForm_N1_Caption_-"},
        {form->Usudane1, "StartForm_Usudane1_Caption_Usun_dane"},
        {form->Usuwszystkiewprowadzonedane1,
         "StartForm_Usuwszystkiewprowadzonedane1_Caption_Usun_wszystkie_wprowadzone_dane"},
        {form->N2, "StartForm_N2_Caption_-"},
        {form->Ustawienia1, "StartForm_Ustawienia1_Caption_Ustawienia..."},
        {form->N3, "StartForm_N3_Caption_-"},
        {form->Zamknij1, "StartForm_Zamknij1_Caption_Zakoncz"},
        {form->Pomoc1, "StartForm_Pomoc1_Caption_P&omoc"},
        {form->Pomoc2, "StartForm_Pomoc2_Caption_Pomoc"},
        {form->PomocPDF1, "StartForm_PomocPDF1_Caption_Pomoc_(PDF)"},
        {form->N4, "StartForm_N4_Caption_-"},
        {form->Sprawdczyjestnowawersjaprogramu1,
         "StartForm_Sprawdczyjestnowawersjaprogramu1_Caption_Sprawdz,_czy_jest_nowa_wersja_programu"},
        {form->N5, "StartForm_N5_Caption_-"},
        {form->Pokapulpitstartowy1, "StartForm_Pokapulpitstartowy1_Caption_Pokaz_pulpit_startowy"},
        {form->N6, "StartForm_N6_Caption_-"},
        {form->Oprogramie1, "StartForm_Oprogramie1_Caption_O_programie"},
        {form->Zapisz2, "StartForm_Zapisz2_Caption_Odswiez"},
    };
}

QList<CaptionEntry> FormFormularzCaptions(TFormFormularz* form)
{
    return {
        {form, "FormFormularz_Caption_Formularz:_Widok_najblizszej_rodziny"},
        {form->SpeedButton2, "FormFormularz_SpeedButton2_Caption_Pusty_formularz"},
        {form->SpeedButton5, "FormFormularz_SpeedButton5_Caption_Wybierz_osobe"},
        {form->SpeedButtonCofnij, "FormFormularz_SpeedButtonCofnij_Caption_Cofnij"},
        {form->SpeedButton4, "FormFormularz_SpeedButton4_Caption_Drukuj"},
        {form->SpeedButton1, "FormFormularz_SpeedButton1_Caption_Pomoc"},
        {form->SpeedButton3, "FormFormularz_SpeedButton3_Caption_Zamknij"},
        {form->RaportDaneszczegowe1, "FormFormularz_RaportDaneszczegowe1_Caption_Raport:_Dane_szczegolowe"},
        {form->N2, "FormFormularz_N2_Caption_-"},
        {form->Drzewoprzodkw1, "FormFormularz_Drzewoprzodkw1_Caption_Drzewo_przodkow"},
        {form->Drzewopotomkw1, "FormFormularz_Drzewopotomkw1_Caption_Drzewo_potomkow"},
        {form->Drzewoprzodkwipotomkw1, "FormFormularz_Drzewoprzodkwipotomkw1_Caption_Drzewo_przodkow_i_potomkow"},
    };
}

QList<CaptionEntry> ListaOsobFormCaptions(TFormListaOsob* form)
{
    const auto item = [](QObject* combo, int index, const char* key) { return CaptionEntry{combo, key, index}; };
    const auto column = [form](int index, const char* key) {
        return CaptionEntry{form->ListViewOsoby, key, -1, index};
    };
    // Column 0 has no caption and so no key.
    return {
        {form, "FormListaOsob_Caption_Lista_osob"},
        {form->ButtonWyczysc, "FormListaOsob_ButtonWyczysc_Caption_Pokaz_wszystkie"},
        {form->EditSzukaj, "FormListaOsob_EditSzukaj_LabelCaption_Wyszukaj"},
        {form->AdvComboBoxSzukajW, "FormListaOsob_AdvComboBoxSzukajW_LabelCaption_w_polu"},
        item(form->AdvComboBoxSzukajW, 0, "FormListaOsob_AdvComboBoxSzukajW_Items_Strings_0__dowolnym"),
        item(form->AdvComboBoxSzukajW, 1, "FormListaOsob_AdvComboBoxSzukajW_Items_Strings_1__imie_i_nazwisko"),
        item(form->AdvComboBoxSzukajW, 2, "FormListaOsob_AdvComboBoxSzukajW_Items_Strings_2__data_urodzenia"),
        item(form->AdvComboBoxSzukajW, 3, "FormListaOsob_AdvComboBoxSzukajW_Items_Strings_3__miejsce_urodzenia"),
        item(form->AdvComboBoxSzukajW, 4, "FormListaOsob_AdvComboBoxSzukajW_Items_Strings_4__data_zgonu"),
        item(form->AdvComboBoxSzukajW, 5, "FormListaOsob_AdvComboBoxSzukajW_Items_Strings_5__miejsce_zgonu"),
        {form->FiltrPlec, "FormListaOsob_FiltrPlec_LabelCaption_Plec"},
        item(form->FiltrPlec, 0, "FormListaOsob_FiltrPlec_Items_Strings_0__wybierz"),
        item(form->FiltrPlec, 1, "FormListaOsob_FiltrPlec_Items_Strings_1__kobiety"),
        item(form->FiltrPlec, 2, "FormListaOsob_FiltrPlec_Items_Strings_2__mezczyzni"),
        item(form->FiltrPlec, 3, "FormListaOsob_FiltrPlec_Items_Strings_3__nieokreslona"),
        {form->FiltrStan, "FormListaOsob_FiltrStan_LabelCaption_Zmarla"},
        item(form->FiltrStan, 0, "FormListaOsob_FiltrStan_Items_Strings_0__wybierz"),
        item(form->FiltrStan, 1, "FormListaOsob_FiltrStan_Items_Strings_1__tak"),
        item(form->FiltrStan, 2, "FormListaOsob_FiltrStan_Items_Strings_2__nie"),
        {form->FiltrZdjecia, "FormListaOsob_FiltrZdjecia_LabelCaption_Zdjecia"},
        item(form->FiltrZdjecia, 0, "FormListaOsob_FiltrZdjecia_Items_Strings_0__wybierz"),
        item(form->FiltrZdjecia, 1, "FormListaOsob_FiltrZdjecia_Items_Strings_1__tak"),
        item(form->FiltrZdjecia, 2, "FormListaOsob_FiltrZdjecia_Items_Strings_2__nie"),
        {form->SBLVOsobyKafelki, "FormListaOsob_SBLVOsobyKafelki_Caption_Kafelki"},
        {form->SBLVOsobyLista, "FormListaOsob_SBLVOsobyLista_Caption_Lista"},
        column(1, "FormListaOsob_ListViewOsoby_Column_1__Caption_LP"),
        column(2, "FormListaOsob_ListViewOsoby_Column_2__Caption_Nazwisko_i_imie"),
        column(3, "FormListaOsob_ListViewOsoby_Column_3__Caption_Rodowe"),
        column(4, "FormListaOsob_ListViewOsoby_Column_4__Caption_Plec"),
        column(5, "FormListaOsob_ListViewOsoby_Column_5__Caption_Data_ur."),
        column(6, "FormListaOsob_ListViewOsoby_Column_6__Caption_Miejsce_ur."),
        column(7, "FormListaOsob_ListViewOsoby_Column_7__Caption_Data_zg."),
        column(8, "FormListaOsob_ListViewOsoby_Column_8__Caption_Miejsce_zg."),
        {form->ButtonDrukuj, "FormListaOsob_ButtonDrukuj_Caption_Drukuj"},
        {form->ButtonAddFemale, "FormListaOsob_ButtonAddFemale_Caption_Kobieta"},
        {form->ButtonAddMale, "FormListaOsob_ButtonAddMale_Caption_Mezczyzna"},
        {form->ButtonPersonEdit, "FormListaOsob_ButtonPersonEdit_Caption_Edytuj"},
        {form->ButtonPersonFormularz, "FormListaOsob_ButtonPersonFormularz_Caption_Formularz"},
        {form->ButtonPersonUsun, "FormListaOsob_ButtonPersonUsun_Caption_Usun"},
        {form->ButtonPersonSelect, "FormListaOsob_ButtonPersonSelect_Caption_Wybierz_zaznaczona_osobe"},
        {form->ButtonClose, "FormListaOsob_ButtonClose_Caption_Zamknij"},
        {form->RaportDaneosobyszczegy1, "FormListaOsob_RaportDaneosobyszczegy1_Caption_Raport_-_Dane_szczegolowe"},
        {form->Listaosb1, "FormListaOsob_Listaosb1_Caption_Raport_-_Lista_osob"},
        {form->N1, "FormListaOsob_N1_Caption_-"},
        {form->Drzewoprzodkw1, "FormListaOsob_Drzewoprzodkw1_Caption_Drzewo_przodkow"},
        {form->Drzewopotomkw1, "FormListaOsob_Drzewopotomkw1_Caption_Drzewo_potomkow"},
        {form->Drzewoprzodkwipotomkw1, "FormListaOsob_Drzewoprzodkwipotomkw1_Caption_Drzewo_przodkow_i_potomkow"},
    };
}

QList<CaptionEntry> FormFaktEdycjaCaptions(TFormFaktEdycja* form)
{
    // The title panel shows the fact's name; the type label is set again whenever a fact is loaded.
    return {
        {form->AdvEditDotyczyPerson, "FormFaktEdycja_AdvEditDotyczyPerson_LabelCaption_Dotyczy_zwiazku_z"},
        {form->AdvComboBoxdotyczyLista, "FormFaktEdycja_AdvComboBoxdotyczyLista_LabelCaption_Dotyczy_zwiazku_z"},
        {form->AdvComboBoxNazwa, "FormFaktEdycja_AdvComboBoxNazwa_LabelCaption_Nazwa"},
        {form->AdvComboBoxData, "FormFaktEdycja_AdvComboBoxData_LabelCaption_Data"},
        {form->AdvComboBoxMiejsce, "FormFaktEdycja_AdvComboBoxMiejsce_LabelCaption_Miejsce"},
        {form->AdvComboBoxForma, "FormFaktEdycja_AdvComboBoxForma_LabelCaption_Forma_zawarcia_zwiazku"},
        {form->AdvComboBoxForma, "FormFaktEdycja_AdvComboBoxForma_Items_Strings_0__slub_cywilny", 0},
        {form->AdvComboBoxForma, "FormFaktEdycja_AdvComboBoxForma_Items_Strings_1__slub_koscielny", 1},
        {form->AdvComboBoxForma, "FormFaktEdycja_AdvComboBoxForma_Items_Strings_2__slub_konkordatowy", 2},
        {form->Label1, "FormFaktEdycja_Label1_Caption_Opis"},
        {form->CheckBoxPrivate, "FormFaktEdycja_CheckBoxPrivate_Caption_Informacja_poufna"},
        {form->LabelTypFakty, "FormFaktEdycja_LabelTypFakty_Caption_LabelTypFakty"},
        {form->ButtonZapisz, "FormFaktEdycja_ButtonZapisz_Caption_F3_-_Zapisz"},
        {form->ButtonZamknij, "FormFaktEdycja_ButtonZamknij_Caption_Zamknij"},
    };
}

QList<CaptionEntry> FormRelacjaAddCaptions(TFormRelacjaAdd* form)
{
    // The title panel shows the relation being added and has no key; the two group boxes have no caption.
    return {
        {form->AdvComboBoxZwiazki, "FormRelacjaAdd_AdvComboBoxZwiazki_LabelCaption_Dziecko_ze_zwiazku_z:"},
        {form->AdvComboBoxPlec, "FormRelacjaAdd_AdvComboBoxPlec_LabelCaption_Plec"},
        {form->AdvComboBoxPlec, "FormRelacjaAdd_AdvComboBoxPlec_Items_Strings_0__Kobieta", 0},
        {form->AdvComboBoxPlec, "FormRelacjaAdd_AdvComboBoxPlec_Items_Strings_1__Mezczyzna", 1},
        {form->AdvComboBoxPlec, "FormRelacjaAdd_AdvComboBoxPlec_Items_Strings_2__Nieokreslona", 2},
        {form->AdvComboBoxImie, "FormRelacjaAdd_AdvComboBoxImie_LabelCaption_Imiona"},
        {form->AdvComboBoxRodowe, "FormRelacjaAdd_AdvComboBoxRodowe_LabelCaption_Nazwisko_rodowe"},
        {form->AdvComboBoxNazwisko, "FormRelacjaAdd_AdvComboBoxNazwisko_LabelCaption_Nazwisko"},
        {form->AdvComboBoxDataUr, "FormRelacjaAdd_AdvComboBoxDataUr_LabelCaption_Data_urodzenia"},
        {form->AdvComboBoxDataUrMiejsce, "FormRelacjaAdd_AdvComboBoxDataUrMiejsce_LabelCaption_Miejsce"},
        {form->CheckBoxOsobaZmarla, "FormRelacjaAdd_CheckBoxOsobaZmarla_Caption_Osoba_zmarla"},
        {form->AdvEditDataSmierci, "FormRelacjaAdd_AdvEditDataSmierci_LabelCaption_Data_zgonu"},
        {form->AdvEditDataSmierciMiejsce, "FormRelacjaAdd_AdvEditDataSmierciMiejsce_LabelCaption_Miejsce"},
        {form->Label1, "FormRelacjaAdd_Label1_Caption_Notatki"},
        {form->Button2, "FormRelacjaAdd_Button2_Caption_Wybierz_z_listy"},
        {form->ButtonUsunWybor, "FormRelacjaAdd_ButtonUsunWybor_Caption_Usun_wybor_z_listy"},
        {form->ButtonZapisz, "FormRelacjaAdd_ButtonZapisz_Caption_F3_-_Zapisz"},
        {form->Button4, "FormRelacjaAdd_Button4_Caption_Zamknij"},
    };
}

QList<CaptionEntry> FormDaneOsobyBasicCaptions(TFormDaneOsobyBasic* form)
{
    // The title panel shows the person's name and has no key; the two group boxes have no caption.
    return {
        {form->AdvComboBoxPlec, "FormDaneOsobyBasic_AdvComboBoxPlec_LabelCaption_Plec"},
        {form->AdvComboBoxPlec, "FormDaneOsobyBasic_AdvComboBoxPlec_Items_Strings_0__Kobieta", 0},
        {form->AdvComboBoxPlec, "FormDaneOsobyBasic_AdvComboBoxPlec_Items_Strings_1__Mezczyzna", 1},
        {form->AdvComboBoxPlec, "FormDaneOsobyBasic_AdvComboBoxPlec_Items_Strings_2__Nieokreslona", 2},
        {form->AdvComboBoxImie, "FormDaneOsobyBasic_AdvComboBoxImie_LabelCaption_Imiona"},
        {form->AdvComboBoxRodowe, "FormDaneOsobyBasic_AdvComboBoxRodowe_LabelCaption_Nazwisko_rodowe"},
        {form->AdvComboBoxNazwisko, "FormDaneOsobyBasic_AdvComboBoxNazwisko_LabelCaption_Nazwisko"},
        {form->AdvEditFullName, "FormDaneOsobyBasic_AdvEditFullName_LabelCaption_Pelne_imie_i_nazwisko"},
        {form->AdvComboBoxDataUr, "FormDaneOsobyBasic_AdvComboBoxDataUr_LabelCaption_Data_urodzenia"},
        {form->AdvComboBoxDataUrMiejsce, "FormDaneOsobyBasic_AdvComboBoxDataUrMiejsce_LabelCaption_Miejsce"},
        {form->CheckBoxOsobaZmarla, "FormDaneOsobyBasic_CheckBoxOsobaZmarla_Caption_Osoba_zmarla"},
        {form->AdvEditDataSmierci, "FormDaneOsobyBasic_AdvEditDataSmierci_LabelCaption_Data_zgonu"},
        {form->AdvEditDataSmierciMiejsce, "FormDaneOsobyBasic_AdvEditDataSmierciMiejsce_LabelCaption_Miejsce"},
        {form->Label1, "FormDaneOsobyBasic_Label1_Caption_Notatki"},
        {form->ButtonSave, "FormDaneOsobyBasic_ButtonSave_Caption_F3_-_Zapisz"},
        {form->Button4, "FormDaneOsobyBasic_Button4_Caption_Zamknij"},
    };
}

QList<CaptionEntry> FormPwiekszenieCaptions(TFormPwiekszenie* form)
{
    // The title panel shows the person's name, set by the caller. The layout's zoom and context menus are not
    // built: the viewer always fits the picture, and the buttons carry every command.
    return {
        {form->AdvEditZdjecieNazwa, "FormPwiekszenie_AdvEditZdjecieNazwa_LabelCaption_Nazwa"},
        {form->AdvComboZdjecieData, "FormPwiekszenie_AdvComboZdjecieData_LabelCaption_Data"},
        {form->AdvComboBoxZdjecieMiejsce, "FormPwiekszenie_AdvComboBoxZdjecieMiejsce_LabelCaption_Miejsce"},
        {form->Label1, "FormPwiekszenie_Label1_Caption_Opis"},
        {form->SpeedButtonDodajZdjecie, "FormPwiekszenie_SpeedButtonDodajZdjecie_Caption_Dodaj_zdjecie"},
        {form->SpeedButtonUstawJakoProfilowe,
         "FormPwiekszenie_SpeedButtonUstawJakoProfilowe_Caption_Ustaw_jako_profilowe"},
        {form->SpeedButtonZapisz, "FormPwiekszenie_SpeedButtonZapisz_Caption_Zapisz"},
        {form->ButtonUsunZdjecie, "FormPwiekszenie_ButtonUsunZdjecie_Caption_Usun"},
    };
}

QList<CaptionEntry> FormUstawieniaCaptions(TFormUstawienia* form)
{
    // The empty first items of the two prefix combos have no key. "opsie" is kept in the key: keys never change.
    return {
        {form->AdvOfficeCheckBoxNowaWersja,
         "FormUstawienia_AdvOfficeCheckBoxNowaWersja_Caption_Sprawdz,_czy_jest_nowa_wersja_programu_przy_uruchomieniu"},
        {form->AdvOfficeCheckBoxShowMax,
         "FormUstawienia_AdvOfficeCheckBoxShowMax_Caption_Po_uruchomieniu_pokaz_program_na_calym_ekranie"},
        {form->AdvOfficeCheckBoxRoczniceUrDlaZyjacych, "FormUstawienia_AdvOfficeCheckBoxRoczniceUrDlaZyjacych_Caption_"
                                                       "Pokaz_rocznice_urodzin_tylko_dla_zyjacych_osob"},
        {form->AdvOfficeCheckBoxOspisOsobyShowMiejsca,
         "FormUstawienia_AdvOfficeCheckBoxOspisOsobyShowMiejsca_Caption_Pokaz_w_opsie_osoby_takze_miejsce_urodzenia_i_"
         "miejsce_smierci"},
        {form->AdvGroupBoxDaty, "FormUstawienia_AdvGroupBoxDaty_Caption__Daty_"},
        {form->AdvComboBoxFormatDat, "FormUstawienia_AdvComboBoxFormatDat_LabelCaption_Format_daty"},
        {form->AdvComboBoxFormatDat, "FormUstawienia_AdvComboBoxFormatDat_Items_Strings_0__dd-MM-yyyy", 0},
        {form->AdvComboBoxFormatDat, "FormUstawienia_AdvComboBoxFormatDat_Items_Strings_1__dd/MM/yyyy", 1},
        {form->AdvComboBoxFormatDat, "FormUstawienia_AdvComboBoxFormatDat_Items_Strings_2__dd_MMM_yyyy", 2},
        {form->AdvComboBoxFormatDat, "FormUstawienia_AdvComboBoxFormatDat_Items_Strings_3__MM-dd-yyyy", 3},
        {form->AdvComboBoxFormatDat, "FormUstawienia_AdvComboBoxFormatDat_Items_Strings_4__MM/dd/yyyy", 4},
        {form->AdvComboBoxFormatDat, "FormUstawienia_AdvComboBoxFormatDat_Items_Strings_5__MMM_dd,_yyyy", 5},
        {form->AdvComboBoxFormatDat, "FormUstawienia_AdvComboBoxFormatDat_Items_Strings_6__yyyy-MM-dd", 6},
        {form->AdvComboBoxFormatDat, "FormUstawienia_AdvComboBoxFormatDat_Items_Strings_7__yyyy/MM/dd", 7},
        {form->AdvComboBoxFormatDat, "FormUstawienia_AdvComboBoxFormatDat_Items_Strings_8__dd.MM.yyyy", 8},
        {form->AdvOfficeCheckBoxRokDodajR,
         "FormUstawienia_AdvOfficeCheckBoxRokDodajR_Caption_Dodaj_koncowke___r.__do_roku"},
        {form->AdvComboBoxPrefiksDataUr, "FormUstawienia_AdvComboBoxPrefiksDataUr_LabelCaption_Ideogram_dla_daty_ur."},
        {form->AdvComboBoxPrefiksDataUr, "FormUstawienia_AdvComboBoxPrefiksDataUr_Items_Strings_1__*", 1},
        {form->AdvComboBoxPrefiksDataUr, "FormUstawienia_AdvComboBoxPrefiksDataUr_Items_Strings_2__ur._", 2},
        {form->AdvComboBoxPrefiksDataZg, "FormUstawienia_AdvComboBoxPrefiksDataZg_LabelCaption_daty_zg."},
        {form->AdvComboBoxPrefiksDataZg, "FormUstawienia_AdvComboBoxPrefiksDataZg_Items_Strings_1__+", 1},
        {form->AdvComboBoxPrefiksDataZg, "FormUstawienia_AdvComboBoxPrefiksDataZg_Items_Strings_2__zm._", 2},
        {form->AdvComboBoxPrefiksDataZg, "FormUstawienia_AdvComboBoxPrefiksDataZg_Items_Strings_3__|_", 3},
        {form->AdvComboBoxPrefiksDataZg, "FormUstawienia_AdvComboBoxPrefiksDataZg_Items_Strings_4__|_zm._", 4},
        {form->AdvComboBoxPrefiksDataZg, "FormUstawienia_AdvComboBoxPrefiksDataZg_Items_Strings_5__|_+", 5},
        {form->AdvDirectoryEditFolder,
         "FormUstawienia_AdvDirectoryEditFolder_LabelCaption_Nazwa_folderu_do_przechowywania_danych"},
        {form->ButtonZapisz, "FormUstawienia_ButtonZapisz_Caption_F3_-_Zapisz"},
        {form->Button2, "FormUstawienia_Button2_Caption_Zamknij"},
    };
}

QList<CaptionEntry> FormGedcomImportCaptions(TFormGedcomImport* form)
{
    // The title panel and the counters are panels, which keep their texts.
    return {
        {form->AdvEditFileName, "FormGedcomImport_AdvEditFileName_LabelCaption_Plik_GEDCOM"},
        {form->AdvGroupBox1, "FormGedcomImport_AdvGroupBox1_Caption__Zawartosc_pliku_GEDCOM_"},
        {form->Label1, "FormGedcomImport_Label1_Caption_Osoby:"},
        {form->Label2, "FormGedcomImport_Label2_Caption_Rodziny:"},
        {form->Label4, "FormGedcomImport_Label4_Caption_Zdjecia:"},
        {form->Label3, "FormGedcomImport_Label3_Caption_Import_danych:"},
        {form->ButtonImport, "FormGedcomImport_ButtonImport_Caption_Importuj_dane"},
        {form->Button2, "FormGedcomImport_Button2_Caption_Zamknij"},
    };
}

QList<CaptionEntry> FormOProgramieCaptions(TFormOProgramie* form)
{
    // The window's caption is set before each showing; the title panel and the text label are never translated.
    return {
        {form->Button2, "FormOProgramie_Button2_Caption_Zamknij"},
    };
}

QList<CaptionEntry> FormKolejnoscZmianaCaptions(TFormKolejnoscZmiana* form)
{
    // The title is set with the kind of list; the arrows carry hints only.
    const auto column = [form](int index, const char* key) {
        return CaptionEntry{form->ListViewKolejnoscZmiana, key, -1, index};
    };
    return {
        column(0, "FormKolejnoscZmiana_ListViewKolejnoscZmiana_Column_0__Caption_KOD"),
        column(1, "FormKolejnoscZmiana_ListViewKolejnoscZmiana_Column_1__Caption_Imie_i_nazwisko"),
        column(2, "FormKolejnoscZmiana_ListViewKolejnoscZmiana_Column_2__Caption_Data_urodzenia"),
        column(3, "FormKolejnoscZmiana_ListViewKolejnoscZmiana_Column_3__Caption_Data_smierci"),
        {form->ButtonZapisz, "FormKolejnoscZmiana_ButtonZapisz_Caption_F3_-_Zapisz"},
        {form->Button2, "FormKolejnoscZmiana_Button2_Caption_Zamknij"},
    };
}

QList<CaptionEntry> FormRaportDrzewoCaptions(TFormRaportDrzewo* form)
{
    // The title panel and the window's caption show the kind of tree and are set at run time.
    return {
        {form->AdvComboBoxTytul, "FormRaportDrzewo_AdvComboBoxTytul_LabelCaption_Tytul_drzewa"},
        {form->AdvComboBoxTypDrzewa, "FormRaportDrzewo_AdvComboBoxTypDrzewa_LabelCaption_Typ_drzewa"},
        {form->AdvComboBoxTypDrzewa, "FormRaportDrzewo_AdvComboBoxTypDrzewa_Items_Strings_0__drzewo_przodkow", 0},
        {form->AdvComboBoxTypDrzewa, "FormRaportDrzewo_AdvComboBoxTypDrzewa_Items_Strings_1__drzewo_potomkow", 1},
        {form->AdvComboBoxTypDrzewa,
         "FormRaportDrzewo_AdvComboBoxTypDrzewa_Items_Strings_2__drzewo_przodkow_i_potomkow", 2},
        {form->AdvTabSheet1, "FormRaportDrzewo_AdvTabSheet1_Caption_Zakres_danych"},
        {form->AdvTabSheet2, "FormRaportDrzewo_AdvTabSheet2_Caption_Czcionki_i_kolory_tekstow"},
        {form->AdvTabSheet3, "FormRaportDrzewo_AdvTabSheet3_Caption_Parametry_graficzne"},
        {form->AdvTabSheet4, "FormRaportDrzewo_AdvTabSheet4_Caption_Uklad_strona"},
        {form->OptionShowPicture, "FormRaportDrzewo_OptionShowPicture_Caption_Pokaz_zdjecia_osob"},
        {form->OptionShowNameInTwoLines,
         "FormRaportDrzewo_OptionShowNameInTwoLines_Caption_Pokaz_w_naglowku_imie_i_nazwisko_w_jednym_wierszu"},
        {form->OptionShowPlaces, "FormRaportDrzewo_OptionShowPlaces_Caption_Pokaz_w_opisie_oprocz_dat_takze_miejsce_"
                                 "narodzenia_i_miejsce_smierci"},
        {form->OptionShowSpouses,
         "FormRaportDrzewo_OptionShowSpouses_Caption_Pokaz_dane_wspolmalzonkow__drzewo_potomkow_"},
        {form->AdvOfficeCheckBoxPrzodkiPokazRodowe, "FormRaportDrzewo_AdvOfficeCheckBoxPrzodkiPokazRodowe_Caption_"
                                                    "Zamiast_nazwiska_wyswietlaj_nazwisko_rodowe__drzewo_przodkow_"},
        {form->OptionShowInMenLines,
         "FormRaportDrzewo_OptionShowInMenLines_Caption_Pokaz_potomkow_tylko_z_linii_meskiej_(dziedziczenie_herbu)"},
        {form->AdvOfficeCheckBoxMirror,
         "FormRaportDrzewo_AdvOfficeCheckBoxMirror_Caption_Widok_odwrocony_(przodkowie_na_gorze)"},
        {form->AdvGroupBoxTytul, "FormRaportDrzewo_AdvGroupBoxTytul_Caption__Tytul_drzewa_"},
        {form->HeaderFont, "FormRaportDrzewo_HeaderFont_LabelCaption_Czcionka"},
        {form->SpeedButton1, "FormRaportDrzewo_SpeedButton1_Caption_..."},
        {form->AdvGroupBoxDane, "FormRaportDrzewo_AdvGroupBoxDane_Caption__Dane_potomkow_i_przodkow_"},
        {form->AdvEditNameFont, "FormRaportDrzewo_AdvEditNameFont_LabelCaption_Naglowek"},
        {form->SpeedButton3, "FormRaportDrzewo_SpeedButton3_Caption_..."},
        {form->AdvEditDatyFont, "FormRaportDrzewo_AdvEditDatyFont_LabelCaption_Opis"},
        {form->SpeedButton4, "FormRaportDrzewo_SpeedButton4_Caption_..."},
        {form->AdvGroupBoxWsp, "FormRaportDrzewo_AdvGroupBoxWsp_Caption__Dane_wspolmalzonkow_"},
        {form->AdvEditWspFont, "FormRaportDrzewo_AdvEditWspFont_LabelCaption_Naglowek_i_opis"},
        {form->SpeedButton6, "FormRaportDrzewo_SpeedButton6_Caption_..."},
        {form->AdvGroupBoxKobiety, "FormRaportDrzewo_AdvGroupBoxKobiety_Caption__Dla_kobiet_"},
        {form->KWS, "FormRaportDrzewo_KWS_LabelCaption_Wypelnienie"},
        {form->KWS, "FormRaportDrzewo_KWS_Items_Strings_0__brak", 0},
        {form->KWS, "FormRaportDrzewo_KWS_Items_Strings_1__domyslna_tekstura", 1},
        {form->KWS, "FormRaportDrzewo_KWS_Items_Strings_2__pelnym_kolorem", 2},
        {form->KWS, "FormRaportDrzewo_KWS_Items_Strings_3__gradientem", 3},
        {form->KBS, "FormRaportDrzewo_KBS_LabelCaption_Krawedz_ramki"},
        {form->KBS, "FormRaportDrzewo_KBS_Items_Strings_0__brak", 0},
        {form->KBS, "FormRaportDrzewo_KBS_Items_Strings_1__kolor", 1},
        {form->AdvGroupBoxMezczyzni, "FormRaportDrzewo_AdvGroupBoxMezczyzni_Caption__Dla_mezczyzn_"},
        {form->MWS, "FormRaportDrzewo_MWS_LabelCaption_Wypelnienie"},
        {form->MWS, "FormRaportDrzewo_MWS_Items_Strings_0__brak", 0},
        {form->MWS, "FormRaportDrzewo_MWS_Items_Strings_1__domyslna_tekstura", 1},
        {form->MWS, "FormRaportDrzewo_MWS_Items_Strings_2__pelnym_kolorem", 2},
        {form->MWS, "FormRaportDrzewo_MWS_Items_Strings_3__gradientem", 3},
        {form->MBS, "FormRaportDrzewo_MBS_LabelCaption_Krawedz_ramki"},
        {form->MBS, "FormRaportDrzewo_MBS_Items_Strings_0__brak", 0},
        {form->MBS, "FormRaportDrzewo_MBS_Items_Strings_1__kolor", 1},
        {form->AdvGroupBoxNieokreslona, "FormRaportDrzewo_AdvGroupBoxNieokreslona_Caption__Gdy_plec_nieokreslona_"},
        {form->NWS, "FormRaportDrzewo_NWS_LabelCaption_Wypelnienie"},
        {form->NWS, "FormRaportDrzewo_NWS_Items_Strings_0__brak", 0},
        {form->NWS, "FormRaportDrzewo_NWS_Items_Strings_1__domyslna_tekstura", 1},
        {form->NWS, "FormRaportDrzewo_NWS_Items_Strings_2__pelnym_kolorem", 2},
        {form->NWS, "FormRaportDrzewo_NWS_Items_Strings_3__gradientem", 3},
        {form->NBS, "FormRaportDrzewo_NBS_LabelCaption_Krawedz_ramki"},
        {form->NBS, "FormRaportDrzewo_NBS_Items_Strings_0__brak", 0},
        {form->NBS, "FormRaportDrzewo_NBS_Items_Strings_1__kolor", 1},
        {form->AdvGroupBoxLinia, "FormRaportDrzewo_AdvGroupBoxLinia_Caption_Kolor_linii"},
        {form->AdvGroupBoxOgolne, "FormRaportDrzewo_AdvGroupBoxOgolne_Caption__Ogolne_"},
        {form->AdvComboBoxTyp, "FormRaportDrzewo_AdvComboBoxTyp_LabelCaption_Format_wyjsciowy"},
        {form->AdvComboBoxTyp, "FormRaportDrzewo_AdvComboBoxTyp_Items_Strings_0__Plik_PDF", 0},
        {form->AdvComboBoxMarginesy, "FormRaportDrzewo_AdvComboBoxMarginesy_LabelCaption_Marginesy"},
        {form->AdvComboBoxMarginesy, "FormRaportDrzewo_AdvComboBoxMarginesy_Items_Strings_0__2.0_cm", 0},
        {form->AdvComboBoxMarginesy, "FormRaportDrzewo_AdvComboBoxMarginesy_Items_Strings_1__3.0_cm", 1},
        {form->AdvComboBoxMarginesy, "FormRaportDrzewo_AdvComboBoxMarginesy_Items_Strings_2__4.0_cm", 2},
        {form->Button1, "FormRaportDrzewo_Button1_Caption_Przywroc_wartosci_domyslne"},
        {form->ButtonZapisz, "FormRaportDrzewo_ButtonZapisz_Caption_F3_-_Generuj"},
        {form->Button2, "FormRaportDrzewo_Button2_Caption_Zamknij"},
    };
}

QList<CaptionEntry> FormAtrybutEdycjaCaptions(TFormAtrybutEdycja* form)
{
    // The title panel shows the attribute's name.
    return {
        {form->AdvComboBoxNazwaCustom, "FormAtrybutEdycja_AdvComboBoxNazwaCustom_LabelCaption_Nazwa"},
        {form->AdvComboBoxAtrKV, "FormAtrybutEdycja_AdvComboBoxAtrKV_LabelCaption_Nazwa"},
        {form->Label1, "FormAtrybutEdycja_Label1_Caption_Wartosc"},
        {form->CheckBoxPrivate, "FormAtrybutEdycja_CheckBoxPrivate_Caption_Informacja_poufna"},
        {form->ButtonZapisz, "FormAtrybutEdycja_ButtonZapisz_Caption_F3_-_Zapisz"},
        {form->Button2, "FormAtrybutEdycja_Button2_Caption_Zamknij"},
    };
}

QList<CaptionEntry> FormRaportListaCaptions(TFormRaportLista* form)
{
    // The title panel is never translated.
    return {
        {form->AdvComboBoxTytul, "FormRaportLista_AdvComboBoxTytul_LabelCaption_Tytul_raportu"},
        {form->AdvComboBoxZakresDanych, "FormRaportLista_AdvComboBoxZakresDanych_LabelCaption_Raport_dotyczy"},
        {form->AdvComboBoxZakresDanych,
         "FormRaportLista_AdvComboBoxZakresDanych_Items_Strings_0__wszystkich_osob_z_listy", 0},
        {form->AdvComboBoxZakresDanych,
         "FormRaportLista_AdvComboBoxZakresDanych_Items_Strings_1__wszystkich_osob_z_bazy_danych", 1},
        {form->AdvComboBoxTyp, "FormRaportLista_AdvComboBoxTyp_LabelCaption_Format_wyjsciowy"},
        {form->AdvComboBoxTyp, "FormRaportLista_AdvComboBoxTyp_Items_Strings_0__Plik_PDF", 0},
        {form->AdvComboBoxTyp, "FormRaportLista_AdvComboBoxTyp_Items_Strings_1__Plik_CSV", 1},
        {form->AdvComboBoxTyp, "FormRaportLista_AdvComboBoxTyp_Items_Strings_2__Plik_CSV_Excel", 2},
        {form->AdvGroupBox1, "FormRaportLista_AdvGroupBox1_Caption__Zakres_danych__"},
        {form->ZakresPDF1, "FormRaportLista_ZakresPDF1_Caption_Nazwisko,_imie_|_Data_urodzenia_|_Data_smierci"},
        {form->ZakresPDF2, "FormRaportLista_ZakresPDF2_Caption_Nazwisko,_imie_|_Data_i_miejsce_urodzenia__|_Data_i_"
                           "miejsce_smierci"},
        {form->ZakresPDF3, "FormRaportLista_ZakresPDF3_Caption_Nazwisko_|_Imie_|_Nazwisko_rodowe_|_Data_ur._|_"
                           "Miejsce_ur.__|_Data_smierci_|_Miejsce_smierci"},
        {form->AdvOfficeCheckBoxInnyKolor,
         "FormRaportLista_AdvOfficeCheckBoxInnyKolor_Caption_Wyroznij_wiersze_parzyste_innym_kolorem"},
        {form->AdvComboBoxMarginesy, "FormRaportLista_AdvComboBoxMarginesy_LabelCaption_Marginesy"},
        {form->AdvComboBoxMarginesy, "FormRaportLista_AdvComboBoxMarginesy_Items_Strings_0__1.5_cm_-_1.5_cm", 0},
        {form->AdvComboBoxMarginesy, "FormRaportLista_AdvComboBoxMarginesy_Items_Strings_1__2.0_cm_-_1.0_cm", 1},
        {form->AdvComboBoxMarginesy,
         "FormRaportLista_AdvComboBoxMarginesy_Items_Strings_2__2.0_cm_-_1.0_cm_-_lustrzane", 2},
        {form->ButtonZapisz, "FormRaportLista_ButtonZapisz_Caption_F3_-_Generuj"},
        {form->Button2, "FormRaportLista_Button2_Caption_Zamknij"},
    };
}

QList<CaptionEntry> FormRaportOsobyCaptions(TFormRaportOsoby* form)
{
    // The title panel is never translated.
    return {
        {form->AdvComboBoxZakresDanych, "FormRaportOsoby_AdvComboBoxZakresDanych_LabelCaption_Raport_dotyczy"},
        {form->AdvComboBoxZakresDanych, "FormRaportOsoby_AdvComboBoxZakresDanych_Items_Strings_0__wybranej_osoby", 0},
        {form->AdvComboBoxZakresDanych,
         "FormRaportOsoby_AdvComboBoxZakresDanych_Items_Strings_1__wszystkich_osob_z_listy", 1},
        {form->AdvComboBoxZakresDanych,
         "FormRaportOsoby_AdvComboBoxZakresDanych_Items_Strings_2__wszystkich_osob_z_bazy_danych", 2},
        {form->AdvGroupBox1, "FormRaportOsoby_AdvGroupBox1_Caption__Opcje_wydruku__"},
        {form->AdvComboBoxZwiazki, "FormRaportOsoby_AdvComboBoxZwiazki_LabelCaption_Zwiazki"},
        {form->AdvComboBoxZwiazki, "FormRaportOsoby_AdvComboBoxZwiazki_Items_Strings_0__nie", 0},
        {form->AdvComboBoxZwiazki, "FormRaportOsoby_AdvComboBoxZwiazki_Items_Strings_1__tak", 1},
        {form->AdvComboBoxRodzenstwo, "FormRaportOsoby_AdvComboBoxRodzenstwo_LabelCaption_Rodzenstwo"},
        {form->AdvComboBoxRodzenstwo, "FormRaportOsoby_AdvComboBoxRodzenstwo_Items_Strings_0__nie", 0},
        {form->AdvComboBoxRodzenstwo, "FormRaportOsoby_AdvComboBoxRodzenstwo_Items_Strings_1__tak", 1},
        {form->AdvComboBoxFakty, "FormRaportOsoby_AdvComboBoxFakty_LabelCaption_Fakty_/_zdarzenia"},
        {form->AdvComboBoxFakty, "FormRaportOsoby_AdvComboBoxFakty_Items_Strings_0__nie", 0},
        {form->AdvComboBoxFakty, "FormRaportOsoby_AdvComboBoxFakty_Items_Strings_1__wszystkie", 1},
        {form->AdvComboBoxFakty, "FormRaportOsoby_AdvComboBoxFakty_Items_Strings_2__wszystkie_bez_poufnych", 2},
        {form->AdvComboBoxFakty,
         "FormRaportOsoby_AdvComboBoxFakty_Items_Strings_3__bez_faktow_narodzin,_smierci_i_dot._zwiazkow", 3},
        {form->AdvComboBoxFakty,
         "FormRaportOsoby_AdvComboBoxFakty_Items_Strings_4__bez_faktow_narodzin,_smierci,_dot._zwiazkow_i_poufnych", 4},
        {form->AdvComboBoxAtr, "FormRaportOsoby_AdvComboBoxAtr_LabelCaption_Informacje_dodatkowe"},
        {form->AdvComboBoxAtr, "FormRaportOsoby_AdvComboBoxAtr_Items_Strings_0__nie", 0},
        {form->AdvComboBoxAtr, "FormRaportOsoby_AdvComboBoxAtr_Items_Strings_1__wszystkie", 1},
        {form->AdvComboBoxAtr, "FormRaportOsoby_AdvComboBoxAtr_Items_Strings_2__pomin_poufne", 2},
        {form->AdvComboBoxTyp, "FormRaportOsoby_AdvComboBoxTyp_LabelCaption_Format_wyjsciowy"},
        {form->AdvComboBoxTyp, "FormRaportOsoby_AdvComboBoxTyp_Items_Strings_0__Plik_PDF", 0},
        {form->AdvComboBoxMarginesy, "FormRaportOsoby_AdvComboBoxMarginesy_LabelCaption_Marginesy"},
        {form->AdvComboBoxMarginesy, "FormRaportOsoby_AdvComboBoxMarginesy_Items_Strings_0__1.5_cm_-_1.5_cm", 0},
        {form->AdvComboBoxMarginesy, "FormRaportOsoby_AdvComboBoxMarginesy_Items_Strings_1__2.0_cm_-_1.0_cm", 1},
        {form->AdvComboBoxMarginesy,
         "FormRaportOsoby_AdvComboBoxMarginesy_Items_Strings_2__2.0_cm_-_1.0_cm_-_lustrzane", 2},
        {form->LabelPostep, "FormRaportOsoby_LabelPostep_Caption_Postep"},
        {form->ButtonZapisz, "FormRaportOsoby_ButtonZapisz_Caption_F3_-_Generuj"},
        {form->Button2, "FormRaportOsoby_Button2_Caption_Zamknij"},
    };
}

QList<CaptionEntry> FormSelectFontCaptions(TFormSelectFont* form)
{
    return {
        {form, "FormSelectFont_Caption_Wybor_czcionki"},
        {form->AdvEditFontName, "FormSelectFont_AdvEditFontName_LabelCaption_Czcionka"},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_LabelCaption_Rozmiar"},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_0__6", 0},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_1__7", 1},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_2__8", 2},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_3__9", 3},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_4__10", 4},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_5__12", 5},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_6__14", 6},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_7__16", 7},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_8__18", 8},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_9__20", 9},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_10__24", 10},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_11__28", 11},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_12__32", 12},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_13__64", 13},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_14__80", 14},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_15__100", 15},
        {form->AdvComboBoxFontSize, "FormSelectFont_AdvComboBoxFontSize_Items_Strings_16__144", 16},
        {form->AdvOfficeCheckBoxPogrubienie, "FormSelectFont_AdvOfficeCheckBoxPogrubienie_Caption_Pogrubienie"},
        {form->AdvOfficeCheckBoxPochylenie, "FormSelectFont_AdvOfficeCheckBoxPochylenie_Caption_Pochylenie"},
        {form->AdvOfficeCheckBoxPodkreslenie, "FormSelectFont_AdvOfficeCheckBoxPodkreslenie_Caption_Podkreslenie"},
        {form->AdvGroupBox1, "FormSelectFont_AdvGroupBox1_Caption___Podglad__"},
        {form->LabelPodglad, "FormSelectFont_LabelPodglad_Caption_A_a_B_c_Y_z"},
        {form->ButtonZapisz, "FormSelectFont_ButtonZapisz_Caption_Zapisz"},
        {form->Button2, "FormSelectFont_Button2_Caption_Anuluj"},
    };
}

void TranslateForms(TStartForm* mainWindow)
{
    // Each window created at start-up adds its captions here, in the order the entry point creates the windows.
    QList<CaptionEntry> entries = StartFormCaptions(mainWindow);
    if (FormListaOsob)
        entries += ListaOsobFormCaptions(FormListaOsob);
    if (FormFormularz)
        entries += FormFormularzCaptions(FormFormularz);
    if (FormFaktEdycja)
        entries += FormFaktEdycjaCaptions(FormFaktEdycja);
    if (FormRelacjaAdd)
        entries += FormRelacjaAddCaptions(FormRelacjaAdd);
    if (FormDaneOsobyBasic)
        entries += FormDaneOsobyBasicCaptions(FormDaneOsobyBasic);
    if (FormPwiekszenie)
        entries += FormPwiekszenieCaptions(FormPwiekszenie);
    if (FormUstawienia)
        entries += FormUstawieniaCaptions(FormUstawienia);
    if (FormGedcomImport)
        entries += FormGedcomImportCaptions(FormGedcomImport);
    if (FormOProgramie)
        entries += FormOProgramieCaptions(FormOProgramie);
    if (FormKolejnoscZmiana)
        entries += FormKolejnoscZmianaCaptions(FormKolejnoscZmiana);
    if (FormSelectFont)
        entries += FormSelectFontCaptions(FormSelectFont);
    if (FormRaportDrzewo)
        entries += FormRaportDrzewoCaptions(FormRaportDrzewo);
    if (FormAtrybutEdycja)
        entries += FormAtrybutEdycjaCaptions(FormAtrybutEdycja);
    if (FormRaportLista)
        entries += FormRaportListaCaptions(FormRaportLista);
    if (FormRaportOsoby)
        entries += FormRaportOsobyCaptions(FormRaportOsoby);
    for (const CaptionEntry& entry : entries)
        ApplyCaption(entry, gLangM.Get(QLatin1String(entry.key)));
    if (FormRelacjaAdd)
        FormRelacjaAdd->AdvComboBoxPlec->SetItemIndex(0);
    if (FormDaneOsobyBasic)
        FormDaneOsobyBasic->AdvComboBoxPlec->SetItemIndex(0);
    // The person list's choices start at their first item again.
    if (FormListaOsob) {
        for (TAdvComboBox* combo : {FormListaOsob->AdvComboBoxSzukajW, FormListaOsob->FiltrPlec,
                                    FormListaOsob->FiltrStan, FormListaOsob->FiltrZdjecia})
            combo->SetItemIndex(0);
    }
}
