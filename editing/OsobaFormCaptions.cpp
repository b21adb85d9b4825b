// The person editor's caption keys. The editor is made for each edit, so it localises itself as it is made.
#include "OsobaFormUnit.h"

#include "StdCtrls.h"
#include "Vh_langmanager.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

void TOsobaEdycjaForm::Translate()
{
    for (const CaptionEntry& entry : OsobaEdycjaFormCaptions(this))
        ApplyCaption(entry, gLangM.Get(QLatin1String(entry.key)));
}

QList<CaptionEntry> OsobaEdycjaFormCaptions(TOsobaEdycjaForm* form)
{
    const auto column = [](QTreeWidget* list, int index, const char* key) {
        return CaptionEntry{list, key, -1, index};
    };
    const auto menu = [](QMenu* submenu, const char* key) { return CaptionEntry{submenu->menuAction(), key}; };
    // The group boxes have no caption, and the tab captions are set with their counts.
    return {
        {form->ButtonPersonFormularz, "OsobaEdycjaForm_ButtonPersonFormularz_Caption_Drukuj"},
        {form->ButtonFormularz, "OsobaEdycjaForm_ButtonFormularz_Caption_Formularz"},
        {form->ButtonPersonUsun, "OsobaEdycjaForm_ButtonPersonUsun_Caption_Usun"},
        {form->Button4, "OsobaEdycjaForm_Button4_Caption_Zamknij"},
        {form->PanelTitle, "OsobaEdycjaForm_PanelTitle_Caption_Imie_i_nazwisko"},
        {form->Label2, "OsobaEdycjaForm_Label2_Caption_*"},
        {form->LabelDataUr, "OsobaEdycjaForm_LabelDataUr_Caption_data_i_miejsce_urodzenia"},
        {form->LabelDataZgLabel, "OsobaEdycjaForm_LabelDataZgLabel_Caption_+"},
        {form->LabelDataZg, "OsobaEdycjaForm_LabelDataZg_Caption_data_i_miejsce_zgonu"},
        {form->SpeedButton1, "OsobaEdycjaForm_SpeedButton1_Caption_Edytuj"},
        {form->ButtonDodajZdjecie, "OsobaEdycjaForm_ButtonDodajZdjecie_Caption_Dodaj_zdjecie"},
        {form->ButtonUsunZdjecie, "OsobaEdycjaForm_ButtonUsunZdjecie_Caption_Zdjecia"},
        {form->ButtonKrewnyAdd, "OsobaEdycjaForm_ButtonKrewnyAdd_Caption_Dodaj"},
        {form->ButtonMenuKolejnosc, "OsobaEdycjaForm_ButtonMenuKolejnosc_Caption_Kolejnosc"},
        {form->ButtonKrewnyEditFakt, "OsobaEdycjaForm_ButtonKrewnyEditFakt_Caption_Edytuj"},
        {form->ButtonPokazDaneKrwenego, "OsobaEdycjaForm_ButtonPokazDaneKrwenego_Caption_Pokaz"},
        {form->ButtonKrewnyDelete, "OsobaEdycjaForm_ButtonKrewnyDelete_Caption_Usun"},
        column(form->ListViewFakty, 0, "OsobaEdycjaForm_ListViewFakty_Column_0__Caption_KOD"),
        column(form->ListViewFakty, 1, "OsobaEdycjaForm_ListViewFakty_Column_1__Caption_Fakt/Zdarzenie"),
        column(form->ListViewFakty, 2, "OsobaEdycjaForm_ListViewFakty_Column_2__Caption_Data"),
        column(form->ListViewFakty, 3, "OsobaEdycjaForm_ListViewFakty_Column_3__Caption_Miejsce"),
        column(form->ListViewFakty, 4, "OsobaEdycjaForm_ListViewFakty_Column_4__Caption_Opis_/_Dotyczy"),
        {form->ButtonFactAdd, "OsobaEdycjaForm_ButtonFactAdd_Caption_Dodaj"},
        {form->ButtonFactEdit, "OsobaEdycjaForm_ButtonFactEdit_Caption_Edytuj"},
        {form->ButtonFactDelete, "OsobaEdycjaForm_ButtonFactDelete_Caption_Usun"},
        {form->SpeedButtonGora, "OsobaEdycjaForm_SpeedButtonGora_Caption_W_gore"},
        {form->SpeedButtonDol, "OsobaEdycjaForm_SpeedButtonDol_Caption_W_dol"},
        {form->SpeedButtonSort, "OsobaEdycjaForm_SpeedButtonSort_Caption_Sortuj"},
        column(form->ListViewInformacjeDodatkowe, 0,
               "OsobaEdycjaForm_ListViewInformacjeDodatkowe_Column_0__Caption_KOD"),
        column(form->ListViewInformacjeDodatkowe, 1,
               "OsobaEdycjaForm_ListViewInformacjeDodatkowe_Column_1__Caption_Nazwa_atrybutu"),
        column(form->ListViewInformacjeDodatkowe, 2,
               "OsobaEdycjaForm_ListViewInformacjeDodatkowe_Column_2__Caption_Wartosc"),
        {form->ButtonInfoAdd, "OsobaEdycjaForm_ButtonInfoAdd_Caption_Dodaj"},
        {form->ButtonInfoEdytuj, "OsobaEdycjaForm_ButtonInfoEdytuj_Caption_Edytuj"},
        {form->ButtonInfoUsun, "OsobaEdycjaForm_ButtonInfoUsun_Caption_Usun"},
        {form->SpeedButtonAtrGora, "OsobaEdycjaForm_SpeedButtonAtrGora_Caption_W_gore"},
        {form->SpeedButtonAtrDol, "OsobaEdycjaForm_SpeedButtonAtrDol_Caption_W_dol"},
        {form->Label1, "OsobaEdycjaForm_Label1_Caption_Notatki"},
        {form->FactBirt, "OsobaEdycjaForm_FactBirt_Caption_Narodziny"},
        {form->Chrzest1, "OsobaEdycjaForm_Chrzest1_Caption_Chrzest"},
        {form->N1, "OsobaEdycjaForm_N1_Caption_-"},
        {form->Edukacja1, "OsobaEdycjaForm_Edukacja1_Caption_Wykszatalcenie"},
        {form->Edukacja2, "OsobaEdycjaForm_Edukacja2_Caption_Edukacja"},
        {form->N2, "OsobaEdycjaForm_N2_Caption_-"},
        menu(form->Faktydotyczcezwizkw1, "OsobaEdycjaForm_Faktydotyczcezwizkw1_Caption_Fakty_dotyczace_zwiazkow"),
        {form->Zarczyny2, "OsobaEdycjaForm_Zarczyny2_Caption_Zareczyny"},
        {form->N3, "OsobaEdycjaForm_N3_Caption_-"},
        {form->Zawarciezwizku2, "OsobaEdycjaForm_Zawarciezwizku2_Caption_Zawarcie_zwiazku"},
        {form->N4, "OsobaEdycjaForm_N4_Caption_-"},
        {form->Rozwd1, "OsobaEdycjaForm_Rozwd1_Caption_Rozwod"},
        {form->Uniewanienie1, "OsobaEdycjaForm_Uniewanienie1_Caption_Uniewaznienie"},
        {form->N5, "OsobaEdycjaForm_N5_Caption_-"},
        {form->Innyfaktdotyczcyzwizku1, "OsobaEdycjaForm_Innyfaktdotyczcyzwizku1_Caption_Inny_fakt_dotyczacy_zwiazku"},
        {form->N6, "OsobaEdycjaForm_N6_Caption_-"},
        {form->FactDeath, "OsobaEdycjaForm_FactDeath_Caption_Zgon"},
        {form->FactBuri, "OsobaEdycjaForm_FactBuri_Caption_Pochowek"},
        {form->N7, "OsobaEdycjaForm_N7_Caption_-"},
        menu(form->Wasnefacty1, "OsobaEdycjaForm_Wasnefacty1_Caption_Wlasne_fakty"),
        {form->N8, "OsobaEdycjaForm_N8_Caption_-"},
        {form->Wasnyfakt1, "OsobaEdycjaForm_Wasnyfakt1_Caption_Inny_fakt"},
        {form->KrewnyFather, "OsobaEdycjaForm_KrewnyFather_Caption_Ojciec"},
        {form->KrewnyMother, "OsobaEdycjaForm_KrewnyMother_Caption_Matka"},
        {form->N9, "OsobaEdycjaForm_N9_Caption_-"},
        {form->KrewnyBrother, "OsobaEdycjaForm_KrewnyBrother_Caption_Brat"},
        {form->KrewnySister, "OsobaEdycjaForm_KrewnySister_Caption_Siostra"},
        {form->N10, "OsobaEdycjaForm_N10_Caption_-"},
        {form->WspmaonkaPartnera1, "OsobaEdycjaForm_WspmaonkaPartnera1_Caption_Wspolmalzonek/Partner"},
        menu(form->Faktydotzwizkw1, "OsobaEdycjaForm_Faktydotzwizkw1_Caption_Fakty_dotyczace_zwiazkow"),
        {form->Zarczyny1, "OsobaEdycjaForm_Zarczyny1_Caption_Zareczyny"},
        {form->N11, "OsobaEdycjaForm_N11_Caption_-"},
        {form->Zawarciezwizku1, "OsobaEdycjaForm_Zawarciezwizku1_Caption_Zawarcie_zwiazku"},
        {form->N12, "OsobaEdycjaForm_N12_Caption_-"},
        {form->Zakoczeniezwizku1, "OsobaEdycjaForm_Zakoczeniezwizku1_Caption_Rozwod"},
        {form->Anulowaniezwizku1, "OsobaEdycjaForm_Anulowaniezwizku1_Caption_Uniewaznienie"},
        {form->N13, "OsobaEdycjaForm_N13_Caption_-"},
        {form->Innyfaktdotzawarciazwizku1,
         "OsobaEdycjaForm_Innyfaktdotzawarciazwizku1_Caption_Inny_fakt_dotyczacy_zwiazku"},
        {form->N14, "OsobaEdycjaForm_N14_Caption_-"},
        {form->MDzieckoAdd, "OsobaEdycjaForm_MDzieckoAdd_Caption_Syn"},
        {form->Crk1, "OsobaEdycjaForm_Crk1_Caption_Corka"},
        {form->ZamienKolejnoscZwiazkow, "OsobaEdycjaForm_ZamienKolejnoscZwiazkow_Caption_Zmien_kolejnosc_zwiazkow"},
        {form->Zmiekolejnodzieci1, "OsobaEdycjaForm_Zmiekolejnodzieci1_Caption_Zmien_kolejnosc_dzieci"},
        {form->RaportDaneszczegowe1, "OsobaEdycjaForm_RaportDaneszczegowe1_Caption_Raport:_Dane_szczegolowe"},
        {form->N15, "OsobaEdycjaForm_N15_Caption_-"},
        {form->Drzewoprzodkw1, "OsobaEdycjaForm_Drzewoprzodkw1_Caption_Drzewo_przodkow"},
        {form->Drzewopotomkw1, "OsobaEdycjaForm_Drzewopotomkw1_Caption_Drzewo_potomkow"},
        {form->Drzewoprzodkwipotomkw1, "OsobaEdycjaForm_Drzewoprzodkwipotomkw1_Caption_Drzewo_przodkow_i_potomkow"},
    };
}
