#include "FormularzOsobyUnit.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "BasicFacts.h"
#include "Bazadanych.h"
#include "DialogFrame.h"
#include "EditingInput.h"
#include "HtmlEscape.h"
#include "Prompter.h"
#include "Unitdata.h"
#include "Vh_langmanager.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

TFormDaneOsobyBasic* FormDaneOsobyBasic = nullptr;

namespace {

constexpr int clientWidth = 440;
constexpr int clientHeight = 620;

} // namespace

TFormDaneOsobyBasic::TFormDaneOsobyBasic(QWidget* owner) : TForm(owner)
{
    setUpDialogFrame(this, "FormDaneOsobyBasic", clientWidth, clientHeight);
    Panel1 = addNameTitlePanel(this, "Panel1", QStringLiteral("Nowa osoba"));
    buildButtons();
    buildFields();
    connectHandlers();
}

void TFormDaneOsobyBasic::buildFields()
{
    addPersonPanel(this, clientWidth);
    addNameRows();
    AdvEditFullName = addOwnEdit("AdvEditFullName", "Pełne imię i nazwisko");
    AdvGroupBoxUr = addLifeRows("AdvGroupBoxUr");
    finishLoading(this);
}

void TFormDaneOsobyBasic::buildButtons()
{
    PanelButtons = addButtonPanel(this, "PanelButtons");
    ButtonSave = addSaveButton(PanelButtons, "ButtonSave");
    Button4 = addButton(PanelButtons, "Button4", QStringLiteral("Zamknij"), QRect(clientWidth - 124, 11, 108, 28));
}

void TFormDaneOsobyBasic::connectHandlers()
{
    OnShow = [this](QObject*) { loadPending = true; };
    OnActivate = [this](QObject*) { FormActivate(); };
    OnShortCut = [this](QKeyEvent* key, bool& handled) { FormShortCut(key, handled); };
    connect(ButtonSave, &QPushButton::clicked, this, &TFormDaneOsobyBasic::ButtonSaveClick);
    connect(Button4, &QPushButton::clicked, this, &TFormDaneOsobyBasic::Button4Click);
    CheckBoxOsobaZmarla->OnClick = [this](QObject*) { CheckBoxOsobaZmarlaClick(); };
    AdvComboBoxPlec->OnChange = [this](TAdvCustomCombo*) { AdvComboBoxPlecChange(); };
    for (TAdvComboBox* name : {AdvComboBoxImie, AdvComboBoxRodowe, AdvComboBoxNazwisko})
        name->OnChange = [this](TAdvCustomCombo*) { AdvComboBoxImieChange(); };
    AdvComboBoxRodowe->OnExit = [this](TAdvCustomCombo*) { AdvComboBoxRodoweExit(); };
    AdvComboBoxDataUr->OnChange = [this](TCustomEdit*) { AdvComboBoxDataUrChange(); };
    AdvEditDataSmierci->OnChange = [this](TCustomEdit*) { AdvEditDataSmierciChange(); };
    AdvEditFullName->OnChange = [this](TCustomEdit*) { AdvEditDataSmierciChange(); };

    setUpTyping();
    EnterMovesOn(AdvEditFullName);
}

void TFormDaneOsobyBasic::SetupFor(const QString& id, int sex)
{
    PersonID = id;
    PersonSex = sex;
    IsNewPerson = id.isEmpty();
}

void TFormDaneOsobyBasic::FormActivate()
{
    // Coming back from another window, or from the form's own message, must not load the person again over what
    // was typed.
    if (!loadPending)
        return;
    loadPending = false;
    LoadFields();
    if (AdvComboBoxImie->isVisible() && AdvComboBoxImie->isEnabled())
        AdvComboBoxImie->setFocus(Qt::ActiveWindowFocusReason);
    if (PresetTop != -1)
        move(PresetLeft, PresetTop);
}

void TFormDaneOsobyBasic::LoadFields()
{
    if (const KV_Person* person = gDB.FindPerson(PersonID)) {
        Panel1->SetText(htmlEscape(person->GetDisplayName(DisplayNameMode::Plain, false, false)));
        showPerson(*person, person->Sex);
        AdvEditFullName->SetText(person->Displayname);
    } else {
        Panel1->SetText(htmlEscape(gLangM.Get(QStringLiteral("LABEL_NOWA_OSOBA"))));
        clearPerson();
        AdvEditFullName->SetText(QString());
        AdvComboBoxPlec->SetItemIndex(PersonSex);
    }
    CheckBoxOsobaZmarlaClick();
    AdvComboBoxPlecChange();
    AdvComboBoxImieChange();
}

void TFormDaneOsobyBasic::FillDictionaries()
{
    fillWordLists();
}

void TFormDaneOsobyBasic::CheckBoxOsobaZmarlaClick()
{
    showDeathFields();
}

void TFormDaneOsobyBasic::AdvComboBoxPlecChange()
{
    ShowSexColor(AdvPanel3, AdvComboBoxPlec->GetItemIndex());
    CheckBoxOsobaZmarla->update();
    FillDictionaries();
}

void TFormDaneOsobyBasic::AdvComboBoxImieChange()
{
    KV_Person named;
    named.Forename = AdvComboBoxImie->GetText();
    named.Surname = AdvComboBoxNazwisko->GetText();
    named.Familyname = AdvComboBoxRodowe->GetText();
    AdvEditFullName->SetEmptyText(named.GetDisplayName(DisplayNameMode::Plain, false, false));
}

void TFormDaneOsobyBasic::AdvComboBoxRodoweExit()
{
    fillEmptySurname();
}

void TFormDaneOsobyBasic::AdvComboBoxDataUrChange()
{
    ShowDateValidity(AdvComboBoxDataUr, AdvComboBoxImie);
}

void TFormDaneOsobyBasic::AdvEditDataSmierciChange()
{
    ShowDateValidity(AdvEditDataSmierci, AdvComboBoxImie);
}

void TFormDaneOsobyBasic::FormShortCut(QKeyEvent* key, bool& handled)
{
    if (key->key() == Qt::Key_Escape) {
        Button4Click();
        handled = true;
        return;
    }
    handled = clickOnF3(key, ButtonSave);
}

void TFormDaneOsobyBasic::Button4Click()
{
    SetModalResult(mrCancel);
}

void TFormDaneOsobyBasic::ButtonSaveClick()
{
    const char* message = nullptr;
    if (TAdvEdit* wrong = wrongDate(message)) {
        prompter().message(gLangM.Get(QLatin1String(message)), gProductName);
        wrong->setFocus(Qt::OtherFocusReason);
        return;
    }

    std::unique_ptr<KV_Person> made;
    KV_Person* person = nullptr;
    if (IsNewPerson) {
        made = std::make_unique<KV_Person>();
        person = made.get();
    } else {
        person = gDB.FindPerson(PersonID);
    }
    // The person may have been deleted meanwhile in another window: nothing is written for it.
    if (!person) {
        prompter().message(gLangM.FormatStr(QStringLiteral("LABEL_BRAK_DANYCH_OSOBY_O_ID:_%S"), PersonID),
                           gProductName);
        return;
    }

    takeBasicData(*person);
    person->Displayname = AdvEditFullName->GetText();
    if (made) {
        if (!gDB.AddPerson(person))
            return;
        made.release();
        PersonID = person->ID;
        IsNewPerson = false;
    }
    PersonSex = person->Sex;

    // Memory has changed whatever the disk does; what failed is told once the work is done, and the next save
    // writes it again.
    QStringList failures;
    KV_DB::FileChange change(gDB);
    writeLifeFacts(*person, EmptyBirth::IsDeleted, failures);
    if (!gDB.SavePerson(person, person->ID))
        failures.append(gDB.StorageError);
    if (!change.commit())
        failures.append(gDB.StorageError);
    ReportStorageFailures(failures);
    SetModalResult(mrOk);
}
