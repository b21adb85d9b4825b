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
    buildTitle();
    buildButtons();
    buildFields();
    connectHandlers();
}

void TFormDaneOsobyBasic::buildTitle()
{
    Panel1 = addTitlePanel(this, "Panel1", QStringLiteral("Nowa osoba"));
    TFont big = Panel1->GetFont();
    big.SetHeight(29);
    big.Style = 0;
    Panel1->SetFont(big);
    // A long name ends in an ellipsis rather than running out of the panel.
    Panel1->SetEllipsis(true);
    Panel1->resize(clientWidth, 64);
}

void TFormDaneOsobyBasic::buildFields()
{
    addFieldPanel(this, clientWidth);
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

    for (QWidget* text : std::initializer_list<QWidget*>{AdvComboBoxImie, AdvComboBoxRodowe, AdvComboBoxNazwisko,
                                                         AdvComboBoxDataUrMiejsce, AdvEditDataSmierciMiejsce, MemoNote})
        CapitaliseFirstLetter(text);
    for (QWidget* field : std::initializer_list<QWidget*>{
             AdvComboBoxPlec, AdvComboBoxImie, AdvComboBoxRodowe, AdvComboBoxNazwisko, AdvEditFullName,
             AdvComboBoxDataUr, AdvComboBoxDataUrMiejsce, AdvEditDataSmierci, AdvEditDataSmierciMiejsce, MemoNote})
        EnterMovesOn(field);
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
        AdvComboBoxImie->SetText(person->Forename);
        AdvComboBoxNazwisko->SetText(person->Surname);
        AdvComboBoxRodowe->SetText(person->Familyname);
        AdvEditFullName->SetText(person->Displayname);
        ShowDateFact(*person, QStringLiteral("BIRT"), AdvComboBoxDataUr, AdvComboBoxDataUrMiejsce);
        ShowDateFact(*person, QStringLiteral("DEAT"), AdvEditDataSmierci, AdvEditDataSmierciMiejsce);
        AdvComboBoxPlec->SetItemIndex(person->Sex);
        CheckBoxOsobaZmarla->SetChecked(person->IsDead());
        MemoNote->setPlainText(NoteForMemo(person->Note));
    } else {
        Panel1->SetText(htmlEscape(gLangM.Get(QStringLiteral("LABEL_NOWA_OSOBA"))));
        for (TAdvComboBox* combo : {AdvComboBoxImie, AdvComboBoxNazwisko, AdvComboBoxRodowe, AdvComboBoxDataUrMiejsce,
                                    AdvEditDataSmierciMiejsce})
            combo->SetText(QString());
        for (TAdvEdit* edit : {AdvEditFullName, AdvComboBoxDataUr, AdvEditDataSmierci})
            edit->SetText(QString());
        AdvComboBoxPlec->SetItemIndex(PersonSex);
        CheckBoxOsobaZmarla->SetChecked(false);
        MemoNote->clear();
    }
    CheckBoxOsobaZmarlaClick();
    AdvComboBoxPlecChange();
    AdvComboBoxImieChange();
}

void TFormDaneOsobyBasic::FillDictionaries()
{
    FillWordLists(
        {AdvComboBoxImie, AdvComboBoxRodowe, AdvComboBoxNazwisko, AdvComboBoxDataUrMiejsce, AdvEditDataSmierciMiejsce},
        AdvComboBoxPlec->GetItemIndex());
}

void TFormDaneOsobyBasic::CheckBoxOsobaZmarlaClick()
{
    const bool dead = CheckBoxOsobaZmarla->GetChecked();
    // Just below the box: the top-aligned strips stack in the order of their tops.
    if (dead)
        AdvGroupBoxDataSmierci->move(AdvGroupBoxDataSmierci->x(), CheckBoxOsobaZmarla->y() + 4);
    AdvGroupBoxDataSmierci->setVisible(dead);
    if (dead && AdvEditDataSmierci->isVisible() && AdvEditDataSmierci->isEnabled())
        AdvEditDataSmierci->setFocus(Qt::OtherFocusReason);
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
    if (AdvComboBoxNazwisko->GetText().isEmpty())
        AdvComboBoxNazwisko->SetText(AdvComboBoxRodowe->GetText());
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

bool TFormDaneOsobyBasic::acceptsDate(TAdvEdit* date, const char* message)
{
    if (IsValidDateText(date->GetText()))
        return true;
    prompter().message(gLangM.Get(QLatin1String(message)), gProductName);
    date->setFocus(Qt::OtherFocusReason);
    return false;
}

void TFormDaneOsobyBasic::ButtonSaveClick()
{
    if (!acceptsDate(AdvComboBoxDataUr, "LABEL_WPISZ_POPRAWNA_WARTOSC_W_POLE_[DATA_URODZENIA]!"))
        return;
    const bool dead = CheckBoxOsobaZmarla->GetChecked();
    if (dead && !acceptsDate(AdvEditDataSmierci, "LABEL_WPISZ_POPRAWNA_WARTOSC_W_POLE_[DATA_ZGONU]!"))
        return;

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

    person->Forename = AdvComboBoxImie->GetText();
    person->Surname = AdvComboBoxNazwisko->GetText();
    person->Familyname = AdvComboBoxRodowe->GetText();
    person->Sex = AdvComboBoxPlec->GetItemIndex();
    person->SetDead(dead);
    person->Note = KV_DB::NormalizeLineBreaks(MemoNote->toPlainText());
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
    const QString birthDate = AdvComboBoxDataUr->GetText();
    const QString birthPlace = AdvComboBoxDataUrMiejsce->GetText();
    if (!birthDate.isEmpty() || !birthPlace.isEmpty())
        WriteDateFact(*person, QStringLiteral("BIRT"), birthDate, birthPlace, failures);
    else
        DeleteDateFact(*person, QStringLiteral("BIRT"), failures);
    if (dead) {
        WriteDateFact(*person, QStringLiteral("DEAT"), AdvEditDataSmierci->GetText(),
                      AdvEditDataSmierciMiejsce->GetText(), failures);
    } else {
        DeleteDateFact(*person, QStringLiteral("DEAT"), failures);
        DeleteDateFact(*person, QStringLiteral("BURI"), failures);
    }
    if (!gDB.SavePerson(person, person->ID))
        failures.append(gDB.StorageError);
    ReportStorageFailures(failures);
    SetModalResult(mrOk);
}
