#include "Localisation.h"
#include "AdvCombo.h"
#include "AdvDirectoryEdit.h"
#include "AdvFileNameEdit.h"
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPageControl.h"
#include "AdvPanel.h"
#include "AppFixture.h"
#include "AtrybutUnit.h"
#include "FactEdycjaUnit.h"
#include "FromularzUnit.h"
#include "GedcomImportUnit.h"
#include "ListView.h"
#include "OProgramieUnit.h"
#include "RaportDrzewo.h"
#include "RaportListaUnit.h"
#include "RaportOsobyUnit.h"
#include "RelacjaAddUnit.h"
#include "StartUnit.h"
#include "UnitFonSelect.h"
#include "UstawieniaUnit.h"
#include "ZmianaKolejnosciUnit.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

namespace {

TEST(LocalisationTest, captionKeysFoldPathAndDesignText)
{
    struct Case
    {
        const char* path;
        QString designText;
        QString key;
    };
    const Case cases[] = {
        {"FormListaOsob->Caption", "Lista osób", "FormListaOsob_Caption_Lista_osob"},
        {"FormFormularz->Caption", "Formularz: Widok najbliższej rodziny",
         "FormFormularz_Caption_Formularz:_Widok_najblizszej_rodziny"},
        {"StartForm->SpeedButton2->Caption", "Mężczyzna", "StartForm_SpeedButton2_Caption_Mezczyzna"},
        {"StartForm->N6->Caption", "-", "StartForm_N6_Caption_-"},
        {"StartForm->Plik1->Caption", "&Plik", "StartForm_Plik1_Caption_&Plik"},
        {"StartForm->Pomoc1->Caption", "P&omoc", "StartForm_Pomoc1_Caption_P&omoc"},
        {"FormListaOsob->FiltrStan->LabelCaption", "Zmarła", "FormListaOsob_FiltrStan_LabelCaption_Zmarla"},
        {"FormListaOsob->FiltrStan->Items->Strings[0]", "wybierz", "FormListaOsob_FiltrStan_Items_Strings_0__wybierz"},
        {"FormListaOsob->ListViewOsoby->Column[1]->Caption", "LP", "FormListaOsob_ListViewOsoby_Column_1__Caption_LP"},
        {"FormRaportOsoby->AdvGroupBox1->Caption", " Opcje wydruku  ",
         "FormRaportOsoby_AdvGroupBox1_Caption__Opcje_wydruku__"},
        {"FormUstawienia->AdvOfficeCheckBoxRokDodajR->Caption", "Dodaj końcówkę [ r.] do roku",
         "FormUstawienia_AdvOfficeCheckBoxRokDodajR_Caption_Dodaj_koncowke___r.__do_roku"},
        {"FormUstawienia->AdvComboBoxPrefiksDataUr->Items->Strings[2]", "ur. ",
         "FormUstawienia_AdvComboBoxPrefiksDataUr_Items_Strings_2__ur._"},
        {"FormUstawienia->AdvDirectoryEditFolder->LabelCaption", "Nazwa folderu do przechowywania danych",
         "FormUstawienia_AdvDirectoryEditFolder_LabelCaption_Nazwa_folderu_do_przechowywania_danych"},
        {"FormRaportDrzewo->OptionShowInMenLines->Caption",
         "Pokaż potomków tylko z linii męskiej (dziedziczenie herbu)",
         "FormRaportDrzewo_OptionShowInMenLines_Caption_Pokaz_potomkow_tylko_z_linii_meskiej_(dziedziczenie_herbu)"},
        {"FormPwiekszenie->N1501->Caption", "150 %", "FormPwiekszenie_N1501_Caption_150_%"},
        {"FormFaktEdycja->LabelTypFakty->Caption", "LabelTypFakty",
         "FormFaktEdycja_LabelTypFakty_Caption_LabelTypFakty"},
        {"FormSelectFont->LabelPodglad->Caption", "A ą B ć Y ź", "FormSelectFont_LabelPodglad_Caption_A_a_B_c_Y_z"},
        {"OsobaEdycjaForm->ListViewFakty->Column[1]->Caption", "Fakt/Zdarzenie",
         "OsobaEdycjaForm_ListViewFakty_Column_1__Caption_Fakt/Zdarzenie"},
        {"FormRaportLista->ZakresPDF1->Caption", "Nazwisko, imię | Data urodzenia | Data śmierci",
         "FormRaportLista_ZakresPDF1_Caption_Nazwisko,_imie_|_Data_urodzenia_|_Data_smierci"},
        {"F->X->Caption", "ĄĆĘŁŃÓŚŻŹ {a}='b';.,:()/&%*+|-!?", "F_X_Caption_ACELNOSZZ__a___b_;.,:()/&%*+|-!?"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaptionKey(QLatin1String(c.path), c.designText), c.key) << c.path;
}

class StartFormCaptionsTest : public AppFixture
{};

TEST_F(StartFormCaptionsTest, everyKeyFollowsFromItsDesignTextAndHasItsText)
{
    TStartForm form;
    const QList<CaptionEntry> entries = StartFormCaptions(&form);
    ASSERT_EQ(entries.size(), 27);
    for (const CaptionEntry& entry : entries) {
        QString designText;
        if (auto* menu = qobject_cast<QMenu*>(entry.component))
            designText = menu->title();
        else if (auto* action = qobject_cast<QAction*>(entry.component))
            designText = action->isSeparator() ? QStringLiteral("-") : action->text();
        else
            designText = qobject_cast<QToolButton*>(entry.component)->text();
        const QString name = entry.component->objectName();
        // The two main menus carry an accelerator in key and text that their layout captions lack.
        const QString keyText = name == "Plik1" ? "&Plik" : name == "Pomoc1" ? "P&omoc" : designText;
        EXPECT_EQ(QLatin1String(entry.key), CaptionKey("StartForm->" + name + "->Caption", keyText)) << entry.key;
        EXPECT_EQ(gLangM.Get(QLatin1String(entry.key)), keyText) << entry.key;
    }
}

TEST_F(StartFormCaptionsTest, translationSetsMenusButtonsAndLeavesRunTimeTextsAlone)
{
    TStartForm form;
    form.LabelFileName->setText(QStringLiteral("Folder z danymi: [x]"));
    const QString caption = form.GetCaption();
    TranslateForms(&form);
    EXPECT_EQ(form.Plik1->title(), "&Plik");
    EXPECT_EQ(form.Pomoc1->title(), "P&omoc");
    EXPECT_EQ(form.MainMenu1->actions()[0]->text(), "&Plik");
    EXPECT_EQ(form.SpeedButton5->text(), "Lista osób");
    EXPECT_EQ(form.Sprawdczyjestnowawersjaprogramu1->text(), "Sprawdź, czy jest nowa wersja programu");
    EXPECT_EQ(form.Zapisz2->text(), "Odśwież");
    EXPECT_TRUE(form.N6->isSeparator());
    EXPECT_EQ(form.GetCaption(), caption);
    EXPECT_EQ(form.LabelFileName->text(), "Folder z danymi: [x]");
    EXPECT_EQ(form.LabelActionName->text(), "Akcja");
}

// The path of an entry's property and the text its layout gives it.
std::pair<QString, QString> designedProperty(const QString& window, const CaptionEntry& entry)
{
    if (auto* form = qobject_cast<TForm*>(entry.component))
        return {window + "->Caption", form->GetCaption()};
    const QString path = window + "->" + entry.component->objectName() + "->";
    if (auto* list = qobject_cast<TListView*>(entry.component))
        return {path + QString("Column[%1]->Caption").arg(entry.column), list->Columns()[entry.column]->GetCaption()};
    if (auto* combo = qobject_cast<TAdvComboBox*>(entry.component)) {
        if (entry.item >= 0)
            return {path + QString("Items->Strings[%1]").arg(entry.item), combo->itemText(entry.item)};
        return {path + "LabelCaption", combo->GetLabelCaption()};
    }
    if (auto* edit = qobject_cast<TAdvEdit*>(entry.component))
        return {path + "LabelCaption", edit->GetLabelCaption()};
    if (auto* box = qobject_cast<OfficeButtonBase*>(entry.component))
        return {path + "Caption", box->GetCaption()};
    if (auto* group = qobject_cast<TAdvGroupBox*>(entry.component))
        return {path + "Caption", group->GetCaption()};
    if (auto* sheet = qobject_cast<TAdvTabSheet*>(entry.component))
        return {path + "Caption", sheet->GetCaption()};
    if (auto* label = qobject_cast<QLabel*>(entry.component))
        return {path + "Caption", label->text()};
    return {path + "Caption", qobject_cast<QAbstractButton*>(entry.component)->text()};
}

TEST_F(StartFormCaptionsTest, theFamilyViewsKeysFollowFromItsDesignTextsAndTranslationReachesIt)
{
    TStartForm form;
    TFormFormularz familyView;
    const QList<CaptionEntry> entries = FormFormularzCaptions(&familyView);
    ASSERT_EQ(entries.size(), 12);
    for (const CaptionEntry& entry : entries) {
        QString path = "FormFormularz->" + entry.component->objectName() + "->Caption";
        QString designText;
        if (entry.component == &familyView) {
            path = "FormFormularz->Caption";
            designText = familyView.GetCaption();
        } else if (auto* action = qobject_cast<QAction*>(entry.component)) {
            designText = action->isSeparator() ? QStringLiteral("-") : action->text();
        } else {
            designText = qobject_cast<QToolButton*>(entry.component)->text();
        }
        EXPECT_EQ(QLatin1String(entry.key), CaptionKey(path, designText)) << entry.key;
        EXPECT_EQ(gLangM.Get(QLatin1String(entry.key)), designText) << entry.key;
    }

    familyView.SetCaption("x");
    familyView.SpeedButtonCofnij->setText("x");
    familyView.Drzewoprzodkwipotomkw1->setText("x");
    FormFormularz = &familyView;
    TranslateForms(&form);
    FormFormularz = nullptr;
    EXPECT_EQ(familyView.GetCaption(), QStringLiteral("Formularz: Widok najbliższej rodziny"));
    EXPECT_EQ(familyView.SpeedButtonCofnij->text(), "Cofnij");
    EXPECT_EQ(familyView.Drzewoprzodkwipotomkw1->text(), QStringLiteral("Drzewo przodków i potomków"));
}

class DialogCaptionsTest : public AppFixture
{
protected:
    void TearDown() override
    {
        FormUstawienia = nullptr;
        FormOProgramie = nullptr;
        FormSelectFont = nullptr;
        FormRaportDrzewo = nullptr;
        FormGedcomImport = nullptr;
        FormRaportLista = nullptr;
        FormFaktEdycja = nullptr;
        FormKolejnoscZmiana = nullptr;
        FormAtrybutEdycja = nullptr;
        FormRaportOsoby = nullptr;
        FormRelacjaAdd = nullptr;
        AppFixture::TearDown();
    }
};

TEST_F(DialogCaptionsTest, everyKeyFollowsFromItsDesignTextAndGivesItWithoutTrailingBlanks)
{
    TFormUstawienia settings;
    TFormOProgramie about;
    TFormSelectFont fontChooser;
    TFormRaportDrzewo treeReport;
    TFormGedcomImport gedcomImport;
    TFormRaportLista listReport;
    TFormFaktEdycja factEditor;
    TFormKolejnoscZmiana reorder;
    TFormAtrybutEdycja attributeEditor;
    TFormRaportOsoby personReport;
    TFormRelacjaAdd addRelative;
    const std::pair<QString, QList<CaptionEntry>> windows[] = {
        {"FormUstawienia", FormUstawieniaCaptions(&settings)},
        {"FormOProgramie", FormOProgramieCaptions(&about)},
        {"FormSelectFont", FormSelectFontCaptions(&fontChooser)},
        {"FormRaportDrzewo", FormRaportDrzewoCaptions(&treeReport)},
        {"FormGedcomImport", FormGedcomImportCaptions(&gedcomImport)},
        {"FormRaportLista", FormRaportListaCaptions(&listReport)},
        {"FormFaktEdycja", FormFaktEdycjaCaptions(&factEditor)},
        {"FormKolejnoscZmiana", FormKolejnoscZmianaCaptions(&reorder)},
        {"FormAtrybutEdycja", FormAtrybutEdycjaCaptions(&attributeEditor)},
        {"FormRaportOsoby", FormRaportOsobyCaptions(&personReport)},
        {"FormRelacjaAdd", FormRelacjaAddCaptions(&addRelative)},
    };
    EXPECT_EQ(windows[0].second.size(), 28);
    EXPECT_EQ(windows[1].second.size(), 1);
    EXPECT_EQ(windows[2].second.size(), 27);
    EXPECT_EQ(windows[3].second.size(), 65);
    EXPECT_EQ(windows[4].second.size(), 8);
    EXPECT_EQ(windows[5].second.size(), 19);
    EXPECT_EQ(windows[6].second.size(), 14);
    EXPECT_EQ(windows[7].second.size(), 6);
    EXPECT_EQ(windows[8].second.size(), 6);
    EXPECT_EQ(windows[9].second.size(), 30);
    EXPECT_EQ(windows[10].second.size(), 18);
    for (const auto& [window, entries] : windows) {
        for (const CaptionEntry& entry : entries) {
            const auto [path, designText] = designedProperty(window, entry);
            EXPECT_EQ(QLatin1String(entry.key), CaptionKey(path, designText)) << entry.key;
            QString value = designText;
            while (value.endsWith(u' '))
                value.chop(1);
            value.replace("w opsie osoby", "w opisie osoby");
            EXPECT_EQ(gLangM.Get(QLatin1String(entry.key)), value) << entry.key;
        }
    }
}

TEST_F(DialogCaptionsTest, translationSetsTheDialogsTextsAndLeavesTheCombosWithoutASelection)
{
    TStartForm form;
    TFormUstawienia settings;
    TFormOProgramie about;
    TFormRelacjaAdd addRelative;
    FormUstawienia = &settings;
    FormOProgramie = &about;
    FormRelacjaAdd = &addRelative;
    addRelative.AdvComboBoxPlec->SetItemIndex(2);
    TranslateForms(&form);

    EXPECT_EQ(gLangM.Get("FormUstawienia_AdvOfficeCheckBoxRokDodajR_Caption_Dodaj_koncowke___r.__do_roku"),
              "Dodaj końcówkę [ r.] do roku");
    EXPECT_EQ(gLangM.Get("FormUstawienia_AdvComboBoxPrefiksDataUr_Items_Strings_2__ur._"), "ur.");
    EXPECT_EQ(settings.AdvOfficeCheckBoxRokDodajR->GetCaption(), "Dodaj końcówkę [ r.] do roku");
    EXPECT_EQ(settings.AdvOfficeCheckBoxOspisOsobyShowMiejsca->GetCaption(),
              "Pokaż w opisie osoby także miejsce urodzenia i miejsce śmierci");
    EXPECT_EQ(settings.AdvGroupBoxDaty->GetCaption(), " Daty");
    EXPECT_EQ(settings.AdvDirectoryEditFolder->GetLabelCaption(), "Nazwa folderu do przechowywania danych");
    EXPECT_EQ(settings.AdvComboBoxPrefiksDataUr->GetLabelCaption(), "Ideogram dla daty ur.");
    const auto items = [](const QComboBox* combo) {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    };
    EXPECT_EQ(items(settings.AdvComboBoxPrefiksDataUr), (QStringList{"", "*", "ur."}));
    EXPECT_EQ(items(settings.AdvComboBoxPrefiksDataZg), (QStringList{"", "+", "zm.", "|", "| zm.", "| +"}));
    EXPECT_EQ(items(settings.AdvComboBoxFormatDat).at(5), "MMM dd, yyyy");
    for (const TAdvComboBox* combo :
         {settings.AdvComboBoxFormatDat, settings.AdvComboBoxPrefiksDataUr, settings.AdvComboBoxPrefiksDataZg})
        EXPECT_EQ(combo->GetItemIndex(), -1) << combo->objectName().toStdString();
    EXPECT_EQ(settings.ButtonZapisz->text(), "F3 - Zapisz");
    EXPECT_EQ(about.Button2->text(), "Zamknij");
    EXPECT_EQ(addRelative.AdvComboBoxZwiazki->GetLabelCaption(), "Dziecko ze związku z:");
    EXPECT_EQ(addRelative.ButtonUsunWybor->text(), "Usuń wybór z listy");
    EXPECT_EQ(addRelative.AdvComboBoxPlec->itemText(1), "Mężczyzna");
    EXPECT_EQ(addRelative.AdvComboBoxPlec->GetItemIndex(), 0);
}

TEST_F(DialogCaptionsTest, translationReachesTheTreeReportAndTheFontChooser)
{
    TStartForm form;
    TFormSelectFont fontChooser;
    TFormRaportDrzewo treeReport;
    FormSelectFont = &fontChooser;
    FormRaportDrzewo = &treeReport;
    treeReport.KWS->SetItemIndex(2);
    TranslateForms(&form);

    EXPECT_EQ(fontChooser.GetCaption(), QString::fromUtf8("Wybór czcionki"));
    EXPECT_EQ(fontChooser.AdvGroupBox1->GetCaption(), QString::fromUtf8("  Podgląd"));
    EXPECT_EQ(fontChooser.LabelPodglad->text(), QString::fromUtf8("A ą B ć Y ź"));
    EXPECT_EQ(treeReport.AdvTabSheet2->GetCaption(), QString::fromUtf8("Czcionki i kolory tekstów"));
    EXPECT_EQ(treeReport.KWS->itemText(1), QString::fromUtf8("domyślna tekstura"));
    EXPECT_EQ(treeReport.KWS->GetItemIndex(), 2);
    EXPECT_EQ(treeReport.HeaderFont->GetLabelCaption(), "Czcionka");
    EXPECT_EQ(treeReport.ButtonZapisz->text(), "F3 - Generuj");
}

TEST_F(DialogCaptionsTest, translationReachesTheGedcomImportWindow)
{
    TStartForm form;
    TFormGedcomImport gedcomImport;
    FormGedcomImport = &gedcomImport;
    for (QLabel* label : {gedcomImport.Label1, gedcomImport.Label2, gedcomImport.Label3, gedcomImport.Label4})
        label->setText(QString());
    gedcomImport.AdvGroupBox1->SetCaption(QString());
    TranslateForms(&form);

    EXPECT_EQ(gedcomImport.AdvEditFileName->GetLabelCaption(), "Plik GEDCOM");
    EXPECT_EQ(gedcomImport.AdvGroupBox1->GetCaption(), QString::fromUtf8(" Zawartość pliku GEDCOM"));
    EXPECT_EQ((QStringList{gedcomImport.Label1->text(), gedcomImport.Label2->text(), gedcomImport.Label4->text(),
                           gedcomImport.Label3->text()}),
              (QStringList{"Osoby:", "Rodziny:", QString::fromUtf8("Zdjęcia:"), "Import danych:"}));
    EXPECT_EQ(gedcomImport.ButtonImport->text(), "Importuj dane");
    EXPECT_EQ(gedcomImport.Button2->text(), "Zamknij");
}

TEST_F(DialogCaptionsTest, translationReachesTheListReportAndKeepsItsChoices)
{
    TStartForm form;
    TFormRaportLista listReport;
    FormRaportLista = &listReport;
    listReport.AdvComboBoxTyp->SetItemIndex(2);
    TranslateForms(&form);

    EXPECT_EQ(listReport.AdvGroupBox1->GetCaption(), " Zakres danych");
    EXPECT_EQ(listReport.ZakresPDF2->GetCaption(),
              QString::fromUtf8("Nazwisko, imię | Data i miejsce urodzenia  | Data i miejsce śmierci"));
    EXPECT_EQ(listReport.AdvComboBoxZakresDanych->itemText(1), QString::fromUtf8("wszystkich osób z bazy danych"));
    EXPECT_EQ(listReport.AdvComboBoxTyp->GetItemIndex(), 2);
    EXPECT_EQ(listReport.PanelTitle->GetText(), QString::fromUtf8("Raport: Lista osób"));
}

TEST_F(DialogCaptionsTest, translationReachesTheFactAttributeAndReorderDialogs)
{
    TStartForm form;
    TFormFaktEdycja factEditor;
    TFormKolejnoscZmiana reorder;
    TFormAtrybutEdycja attributeEditor;
    FormFaktEdycja = &factEditor;
    FormKolejnoscZmiana = &reorder;
    FormAtrybutEdycja = &attributeEditor;
    // Texts the translation must replace.
    reorder.ListViewKolejnoscZmiana->Columns()[1]->SetCaption(QStringLiteral("?"));
    attributeEditor.Label1->setText(QStringLiteral("?"));
    TranslateForms(&form);

    EXPECT_EQ(factEditor.AdvComboBoxForma->GetLabelCaption(), QString::fromUtf8("Forma zawarcia związku"));
    EXPECT_EQ(factEditor.AdvComboBoxForma->itemText(1), QString::fromUtf8("ślub kościelny"));
    EXPECT_EQ(factEditor.AdvComboBoxForma->GetItemIndex(), -1) << "the form combo stays without a selection";
    EXPECT_EQ(factEditor.LabelTypFakty->text(), "LabelTypFakty");
    EXPECT_EQ(factEditor.ButtonZamknij->text(), "Zamknij");
    EXPECT_EQ(reorder.ListViewKolejnoscZmiana->Columns()[1]->GetCaption(), QString::fromUtf8("Imię i nazwisko"));
    EXPECT_EQ(attributeEditor.Label1->text(), QString::fromUtf8("Wartość"));
    EXPECT_EQ(attributeEditor.CheckBoxPrivate->GetCaption(), "Informacja poufna");
}

TEST_F(DialogCaptionsTest, translationReachesThePersonReportAndKeepsItsChoices)
{
    TStartForm form;
    TFormRaportOsoby personReport;
    FormRaportOsoby = &personReport;
    personReport.AdvComboBoxFakty->SetItemIndex(4);
    TranslateForms(&form);

    EXPECT_EQ(personReport.AdvGroupBox1->GetCaption(), " Opcje wydruku");
    EXPECT_EQ(personReport.AdvComboBoxFakty->GetLabelCaption(), "Fakty / zdarzenia");
    EXPECT_EQ(personReport.AdvComboBoxFakty->itemText(3),
              QString::fromUtf8("bez faktów narodzin, śmierci i dot. związków"));
    EXPECT_EQ(personReport.AdvComboBoxFakty->GetItemIndex(), 4);
    EXPECT_EQ(personReport.AdvComboBoxAtr->GetItemIndex(), 1);
    EXPECT_EQ(personReport.LabelPostep->text(), QString::fromUtf8("Postęp"));
    EXPECT_EQ(personReport.PanelTitle->GetText(), QString::fromUtf8("Raport: Dane szczegółowe"));
}

} // namespace
