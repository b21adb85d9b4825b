#include "UstawieniaUnit.h"

#include "AdvCombo.h"
#include "AdvDirectoryEdit.h"
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "Bazadanych.h"
#include "DataFolderLock.h"
#include "DialogFrame.h"
#include "FileSystem.h"
#include "Prompter.h"
#include "Settings.h"
#include "Vh_langmanager.h"

#include <QDir>
#include <QKeyEvent>
#include <QPushButton>

TFormUstawienia* FormUstawienia = nullptr;

namespace {

// A folder as the dialog stores and compares it: without "." and ".." steps or doubled separators, ending in one
// "/". Nothing is trimmed: the text comes from the folder dialog, and a folder name may end in a blank.
QString normalisedFolder(const QString& folder)
{
    if (folder.isEmpty())
        return folder;
    const QString clean = QDir::cleanPath(folder);
    return clean.endsWith(u'/') ? clean : clean + u'/';
}

TAdvComboBox* comboBox(QWidget* parent, const char* name, const QString& label, TComboBoxStyle style,
                       const QStringList& items, const QRect& geometry)
{
    TAdvComboBox* combo = addComboBox(parent, name, label, lpLeftCenter, style, items, geometry);
    // The layout selects no item: the first showing fills the combo from the settings.
    combo->SetItemIndex(-1);
    combo->SetDropDownCount(15);
    return combo;
}

} // namespace

TFormUstawienia::TFormUstawienia(QWidget* owner) : TForm(owner)
{
    setUpDialogFrame(this, "FormUstawienia", 645, 435);
    PanelTytul = addTitlePanel(this, "PanelTytul", QStringLiteral("Ustawienia"));
    buildOptions();
    buildDates();
    buildFolder();
    buildButtons();
    connectHandlers();

    for (auto* box : {AdvOfficeCheckBoxNowaWersja, AdvOfficeCheckBoxShowMax, AdvOfficeCheckBoxRoczniceUrDlaZyjacych,
                      AdvOfficeCheckBoxOspisOsobyShowMiejsca, AdvOfficeCheckBoxRokDodajR})
        box->Loaded();
    for (auto* combo : {AdvComboBoxFormatDat, AdvComboBoxPrefiksDataUr, AdvComboBoxPrefiksDataZg})
        combo->Loaded();
    AdvDirectoryEditFolder->Loaded();
}

void TFormUstawienia::buildOptions()
{
    AdvOfficeCheckBoxNowaWersja =
        addCheckBox(this, "AdvOfficeCheckBoxNowaWersja",
                    QStringLiteral("Sprawdź, czy jest nowa wersja programu przy uruchomieniu"), QRect(24, 72, 597, 20));
    AdvOfficeCheckBoxShowMax =
        addCheckBox(this, "AdvOfficeCheckBoxShowMax", QStringLiteral("Po uruchomieniu pokaż program na całym ekranie"),
                    QRect(24, 96, 597, 20));
    AdvOfficeCheckBoxRoczniceUrDlaZyjacych =
        addCheckBox(this, "AdvOfficeCheckBoxRoczniceUrDlaZyjacych",
                    QStringLiteral("Pokaż rocznice urodzin tylko dla żyjących osób"), QRect(24, 120, 597, 20));
    AdvOfficeCheckBoxOspisOsobyShowMiejsca = addCheckBox(
        this, "AdvOfficeCheckBoxOspisOsobyShowMiejsca",
        QStringLiteral("Pokaż w opsie osoby także miejsce urodzenia i miejsce śmierci"), QRect(24, 144, 597, 20));
}

void TFormUstawienia::buildDates()
{
    AdvGroupBoxDaty = addGroupBox(this, "AdvGroupBoxDaty", QStringLiteral(" Daty "), QRect(16, 176, 613, 124));

    AdvComboBoxFormatDat =
        comboBox(AdvGroupBoxDaty, "AdvComboBoxFormatDat", QStringLiteral("Format daty"), csDropDownList,
                 {"dd-MM-yyyy", "dd/MM/yyyy", "dd MMM yyyy", "MM-dd-yyyy", "MM/dd/yyyy", "MMM dd, yyyy", "yyyy-MM-dd",
                  "yyyy/MM/dd", "dd.MM.yyyy"},
                 QRect(150, 24, 160, 21));
    AdvOfficeCheckBoxRokDodajR = addCheckBox(AdvGroupBoxDaty, "AdvOfficeCheckBoxRokDodajR",
                                             QStringLiteral("Dodaj końcówkę [ r.] do roku"), QRect(150, 56, 300, 20));
    AdvComboBoxPrefiksDataUr =
        comboBox(AdvGroupBoxDaty, "AdvComboBoxPrefiksDataUr", QStringLiteral("Ideogram dla daty ur."), csDropDown,
                 {"", "*", "ur. "}, QRect(150, 86, 100, 21));
    AdvComboBoxPrefiksDataZg = comboBox(AdvGroupBoxDaty, "AdvComboBoxPrefiksDataZg", QStringLiteral("daty zg."),
                                        csDropDown, {"", "+", "zm. ", "| ", "| zm. ", "| +"}, QRect(330, 86, 100, 21));
}

void TFormUstawienia::buildFolder()
{
    AdvDirectoryEditFolder = new TAdvDirectoryEdit(this);
    AdvDirectoryEditFolder->setObjectName(QStringLiteral("AdvDirectoryEditFolder"));
    AdvDirectoryEditFolder->setGeometry(24, 336, 597, 21);
    AdvDirectoryEditFolder->SetLabelPosition(lpTopLeft);
    AdvDirectoryEditFolder->SetLabelCaption(QStringLiteral("Nazwa folderu do przechowywania danych"));
    AdvDirectoryEditFolder->SetBrowseDialogText(QStringLiteral("Wybierz folder do przechowywania danych"));
    // The folder comes from the folder dialog only.
    AdvDirectoryEditFolder->SetEditorEnabled(false);
}

void TFormUstawienia::buildButtons()
{
    PanelPrzyciski = addButtonPanel(this, "PanelPrzyciski");
    ButtonZapisz = new QPushButton(QStringLiteral("F3 - Zapisz"), PanelPrzyciski);
    ButtonZapisz->setObjectName(QStringLiteral("ButtonZapisz"));
    ButtonZapisz->setGeometry(401, 11, 112, 28);
    QFont bold = ButtonZapisz->font();
    bold.setBold(true);
    ButtonZapisz->setFont(bold);
    Button2 = addCloseButton(this, PanelPrzyciski);
}

void TFormUstawienia::connectHandlers()
{
    const auto changed = [this](QObject*) { AdvOfficeCheckBoxNowaWersjaClick(); };
    for (auto* box : {AdvOfficeCheckBoxNowaWersja, AdvOfficeCheckBoxShowMax, AdvOfficeCheckBoxRoczniceUrDlaZyjacych,
                      AdvOfficeCheckBoxOspisOsobyShowMiejsca, AdvOfficeCheckBoxRokDodajR})
        box->OnClick = changed;
    for (auto* combo : {AdvComboBoxFormatDat, AdvComboBoxPrefiksDataUr, AdvComboBoxPrefiksDataZg})
        combo->OnChange = changed;
    AdvDirectoryEditFolder->OnChange = [this](TCustomEdit*) { AdvDirectoryEditFolderChange(); };
    connect(ButtonZapisz, &QPushButton::clicked, this, &TFormUstawienia::ButtonZapiszClick);
    OnActivate = [this](QObject*) { FormActivate(); };
    OnShortCut = [this](QKeyEvent* key, bool& handled) { FormShortCut(key, handled); };
    // Placed before it is first on the screen as well, so the dialog does not jump when it is activated.
    OnShow = [this](QObject*) {
        if (firstShowing)
            placeDialogHigh(this);
    };
}

TModalResult TFormUstawienia::ShowSettings(bool& changed)
{
    const TModalResult result = ShowModal();
    changed = folderChanged;
    return result;
}

void TFormUstawienia::FormActivate()
{
    if (!firstShowing)
        return;
    AdvOfficeCheckBoxNowaWersja->SetChecked(gSettings.CheckUpdate);
    AdvOfficeCheckBoxShowMax->SetChecked(gSettings.MaxOnStartup);
    AdvOfficeCheckBoxRoczniceUrDlaZyjacych->SetChecked(gSettings.BirthdayForAlive);
    AdvOfficeCheckBoxOspisOsobyShowMiejsca->SetChecked(gSettings.ShowPlacesInPersonDescription);
    AdvComboBoxFormatDat->SetItemIndex(gSettings.DateFormatIndex - 1);
    AdvOfficeCheckBoxRokDodajR->SetChecked(gSettings.YearSuffix);
    AdvComboBoxPrefiksDataUr->SetText(gSettings.BirthPrefix);
    AdvComboBoxPrefiksDataZg->SetText(gSettings.DeathPrefix);
    // The change handler ignores this: the first showing is still under way.
    AdvDirectoryEditFolder->SetText(gSettings.Data_Folder);
    placeDialogHigh(this);
    ButtonZapisz->setEnabled(false);
    firstShowing = false;
}

void TFormUstawienia::FormShortCut(QKeyEvent* key, bool& handled)
{
    if (clickOnF3(key, ButtonZapisz))
        handled = true;
}

void TFormUstawienia::AdvOfficeCheckBoxNowaWersjaClick()
{
    ButtonZapisz->setEnabled(true);
}

void TFormUstawienia::showFolder(const QString& folder)
{
    folderGuard = true;
    AdvDirectoryEditFolder->SetText(folder);
    folderGuard = false;
}

void TFormUstawienia::AdvDirectoryEditFolderChange()
{
    if (firstShowing || folderGuard)
        return;
    const QString picked = normalisedFolder(AdvDirectoryEditFolder->GetText());
    // Linux folder names differ in letter case: a folder in other case is another folder and is asked about.
    if (picked == normalisedFolder(gSettings.Data_Folder))
        return;
    if (prompter().confirm(gLangM.Get(QStringLiteral("LABEL_FOLDER_ZMIANA")),
                           gLangM.Get(QStringLiteral("LABEL_UWAGA")))) {
        showFolder(picked);
        ButtonZapisz->setEnabled(true);
    } else {
        showFolder(gSettings.Data_Folder);
    }
}

void TFormUstawienia::ButtonZapiszClick()
{
    const QString folder = normalisedFolder(AdvDirectoryEditFolder->GetText());
    const bool newFolder = folder != normalisedFolder(gSettings.Data_Folder);
    // The new folder is this program's before the old one is let go (at the restart or the close), so that no
    // other program starts working in it meanwhile; one that does already keeps it.
    // A folder that is not there is never worked in: the start falls back to the default folder then.
    if (newFolder && FileSystem::folderExists(folder)) {
        QString refusal;
        if (!LockNextDataFolder(folder, refusal)) {
            prompter().message(refusal, gLangM.Get(QStringLiteral("LABEL_UWAGA")), Prompter::Icon::Warning);
            return;
        }
    }
    gSettings.CheckUpdate = AdvOfficeCheckBoxNowaWersja->GetChecked();
    gSettings.MaxOnStartup = AdvOfficeCheckBoxShowMax->GetChecked();
    // A changed display choice changes what the start page shows.
    bool displayChanged = gSettings.SetYearSuffix(AdvOfficeCheckBoxRokDodajR->GetChecked());
    displayChanged |= gSettings.SetBirthPrefix(AdvComboBoxPrefiksDataUr->GetText());
    displayChanged |= gSettings.SetDeathPrefix(AdvComboBoxPrefiksDataZg->GetText());
    displayChanged |=
        gSettings.SetDateFormat(AdvComboBoxFormatDat->GetItemIndex() + 1, AdvComboBoxFormatDat->GetText());
    displayChanged |= gSettings.SetBirthdayForAlive(AdvOfficeCheckBoxRoczniceUrDlaZyjacych->GetChecked());
    displayChanged |= gSettings.SetShowPlacesInPersonDescription(AdvOfficeCheckBoxOspisOsobyShowMiejsca->GetChecked());
    if (displayChanged)
        gDB.SetChanged(true);
    folderChanged = newFolder;
    gSettings.Data_Folder = folder;
    SetModalResult(mrOk);
}
