#include "FactEdycjaUnit.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "Bazadanych.h"
#include "DescriptionRows.h"
#include "DialogFrame.h"
#include "EditingInput.h"
#include "Fact.h"
#include "HtmlEscape.h"
#include "Person.h"
#include "Prompter.h"
#include "StdCtrls.h"
#include "Vh_langmanager.h"

#include <QPlainTextEdit>
#include <QPushButton>

TFormFaktEdycja* FormFaktEdycja = nullptr;

namespace {

constexpr int clientWidth = 645;
constexpr int clientHeight = 470;
constexpr int rowHeight = 30;
// The labels stand right-aligned in the column left of the fields.
constexpr int fieldLeft = 150;
constexpr int fieldRight = clientWidth - 20;
constexpr int fieldWidth = fieldRight - fieldLeft;
constexpr int fieldHeight = 21;

const QString marriageType = QStringLiteral("MARR");

QRect fieldPlace(int width = fieldWidth)
{
    return QRect(fieldLeft, (rowHeight - fieldHeight) / 2, width, fieldHeight);
}

} // namespace

TFormFaktEdycja::TFormFaktEdycja(QWidget* owner) : TForm(owner)
{
    setUpDialogFrame(this, "FormFaktEdycja", clientWidth, clientHeight);
    PanelTitle = addNameTitlePanel(this, "PanelTitle", QStringLiteral("Edycja faktu"));
    buildButtons();
    buildFields();
    connectHandlers();
}

void TFormFaktEdycja::buildFields()
{
    PanelFields = addFieldPanel(this, "PanelFields");
    PanelFields->setContentsMargins(0, 8, 0, 0);

    // The rows of the single-line fields, stacked by stackFields.
    FieldStack = new QWidget(PanelFields);
    FieldStack->resize(clientWidth, 5 * rowHeight);
    SetAlign(FieldStack, alTop);
    const auto addRow = [this] {
        auto* row = new QWidget(FieldStack);
        row->resize(clientWidth, rowHeight);
        fieldRows.append(row);
        return row;
    };
    // The partner of a union fact: shown in the edit when it is known, chosen in the list when not.
    QWidget* partnerRow = addRow();
    AdvEditDotyczyPerson =
        addEdit(partnerRow, "AdvEditDotyczyPerson", QStringLiteral("Dotyczy związku z"), lpLeftCenter, fieldPlace());
    AdvEditDotyczyPerson->SetReadOnly(true);
    AdvEditDotyczyPerson->SetBorderStyle(bsNone);
    AdvComboBoxdotyczyLista = addComboBox(partnerRow, "AdvComboBoxdotyczyLista", QStringLiteral("Dotyczy związku z"),
                                          lpLeftCenter, csDropDownList, {}, fieldPlace());
    AdvComboBoxNazwa = addEdit(addRow(), "AdvComboBoxNazwa", QStringLiteral("Nazwa"), lpLeftCenter, fieldPlace());
    AdvComboBoxData = addEdit(addRow(), "AdvComboBoxData", QStringLiteral("Data"), lpLeftCenter, fieldPlace(200));
    AdvComboBoxMiejsce = addComboBox(addRow(), "AdvComboBoxMiejsce", QStringLiteral("Miejsce"), lpLeftCenter,
                                     csDropDown, {}, fieldPlace());
    AdvComboBoxMiejsce->SetDropDownCount(15);
    AdvComboBoxForma = addComboBox(
        addRow(), "AdvComboBoxForma", QStringLiteral("Forma zawarcia związku"), lpLeftCenter, csDropDown,
        {QStringLiteral("ślub cywilny"), QStringLiteral("ślub kościelny"), QStringLiteral("ślub konkordatowy")},
        fieldPlace(250));
    AdvComboBoxForma->SetItemIndex(-1);
    stackFields();

    AdvComboBoxOpis = addDescription(PanelFields, QStringLiteral("Opis"), fieldLeft, clientWidth - fieldRight, Label1);
    CheckBoxPrivate = addPrivateRow(PanelFields, fieldLeft);

    finishLoading(this);
}

void TFormFaktEdycja::buildButtons()
{
    PanelButtons = addButtonPanel(this, "PanelButtons");
    LabelTypFakty = new TLabel(PanelButtons);
    LabelTypFakty->setObjectName(QStringLiteral("LabelTypFakty"));
    LabelTypFakty->move(16, 18);
    LabelTypFakty->SetCaption(QStringLiteral("LabelTypFakty"));
    ButtonZapisz = addSaveButton(PanelButtons, "ButtonZapisz");
    ButtonZamknij =
        addButton(PanelButtons, "ButtonZamknij", QStringLiteral("Zamknij"), QRect(clientWidth - 124, 11, 108, 28));
    SetCancelButton(ButtonZamknij);
}

void TFormFaktEdycja::connectHandlers()
{
    OnShow = [this](QObject*) {
        loadPending = true;
        Saved = false;
        placeDialogAtFifth(this);
    };
    OnActivate = [this](QObject*) { FormActivate(); };
    OnShortCut = [this](QKeyEvent* key, bool& handled) { FormShortCut(key, handled); };
    connect(ButtonZapisz, &QPushButton::clicked, this, &TFormFaktEdycja::ButtonZapiszClick);
    connect(ButtonZamknij, &QPushButton::clicked, this, &TFormFaktEdycja::ButtonZamknijClick);
    AdvComboBoxNazwa->OnChange = [this](TCustomEdit*) { AdvComboBoxNazwaChange(); };
    AdvComboBoxData->OnChange = [this](TCustomEdit*) { DataChange(); };
    for (TAdvComboBox* combo : {AdvComboBoxMiejsce, AdvComboBoxForma})
        combo->OnChange = [this](TAdvCustomCombo*) { AdvComboBoxNazwaCustomChange(); };
    connect(AdvComboBoxOpis, &QPlainTextEdit::textChanged, this, &TFormFaktEdycja::AdvComboBoxNazwaCustomChange);
    CheckBoxPrivate->OnClick = [this](QObject*) { CheckBoxPrivateClick(); };
    AdvComboBoxdotyczyLista->OnChange = [this](TAdvCustomCombo*) { AdvComboBoxdotyczyListaChange(); };

    for (QWidget* text : std::initializer_list<QWidget*>{AdvComboBoxNazwa, AdvComboBoxMiejsce, AdvComboBoxForma,
                                                         AdvComboBoxdotyczyLista, AdvComboBoxOpis})
        CapitaliseFirstLetter(text);
    for (QWidget* field :
         std::initializer_list<QWidget*>{AdvComboBoxNazwa, AdvComboBoxData, AdvComboBoxMiejsce, AdvComboBoxForma,
                                         AdvComboBoxdotyczyLista, AdvComboBoxOpis, CheckBoxPrivate})
        EnterMovesOn(field);
    EscapeCloses(AdvComboBoxOpis);
}

void TFormFaktEdycja::SetupFor(const QString& personID, bool isUnionFact, KV_Fact* fact, bool saveDisabledAtStart)
{
    PersonID = personID;
    IsUnionFact = isUnionFact;
    EditedFact = fact;
    EditedFactID = fact ? fact->ID : QString();
    SaveDisabledAtStart = saveDisabledAtStart;
    IsNewFact = fact && fact->ID.isEmpty();
}

void TFormFaktEdycja::FormActivate()
{
    if (!loadPending)
        return;
    loadPending = false;
    if (!EditedFact)
        return;
    LoadFields();
    QWidget* focus = firstEmptyField();
    if (focus->isVisible() && focus->isEnabled())
        focus->setFocus(Qt::ActiveWindowFocusReason);
    UpdateSaveButton();
    if (SaveDisabledAtStart)
        ButtonZapisz->setEnabled(false);
}

QWidget* TFormFaktEdycja::firstEmptyField() const
{
    if (EditedFact->Name.isEmpty())
        return AdvComboBoxNazwa;
    if (EditedFact->Date.IsEmpty())
        return AdvComboBoxData;
    if (EditedFact->Place.isEmpty())
        return AdvComboBoxMiejsce;
    if (EditedFact->Description.isEmpty())
        return AdvComboBoxOpis;
    return ButtonZamknij;
}

void TFormFaktEdycja::LoadFields()
{
    const KV_Fact& fact = *EditedFact;
    AdvComboBoxNazwa->SetText(fact.Name);
    AdvComboBoxMiejsce->SetText(fact.Place);
    AdvComboBoxData->SetText(fact.Date.ToDisplayText(false, false));
    AdvComboBoxOpis->setPlainText(NoteForMemo(fact.Description));
    LabelTypFakty->SetCaption(gLangM.FormatStr(QStringLiteral("LABEL_TYP_FAKTU:_%S"), fact.Type));
    loadPartner();
    // Every fact keeps its form; only a marriage shows it, right below the place.
    AdvComboBoxForma->SetText(fact.Form);
    AdvComboBoxForma->SetVisibleEx(fact.Type == marriageType);
    AdvComboBoxForma->parentWidget()->setVisible(fact.Type == marriageType);
    stackFields();
    CheckBoxPrivate->SetChecked(fact.Private);
    UpdateTitle(fact.Name);
    QStringList places;
    gDB.FillFromDictionary(places, DictionaryKind::Place, 0);
    AdvComboBoxMiejsce->SetItems(places);
}

void TFormFaktEdycja::stackFields()
{
    int top = 0;
    for (QWidget* row : fieldRows) {
        if (row->isHidden())
            continue;
        row->move(0, top);
        top += rowHeight;
    }
    FieldStack->resize(clientWidth, top);
}

void TFormFaktEdycja::loadPartner()
{
    const KV_Person* person = gDB.FindPerson(PersonID);
    const bool onePartner = person && person->GetPartnerCount() == 1;
    const bool editShown = IsUnionFact && (!IsNewFact || onePartner);
    const bool listShown = IsUnionFact && !editShown;
    AdvEditDotyczyPerson->setVisible(editShown);
    AdvComboBoxdotyczyLista->SetVisibleEx(listShown);
    AdvEditDotyczyPerson->parentWidget()->setVisible(IsUnionFact);
    AdvEditDotyczyPerson->SetText(QString());
    PartnerID.clear();
    if (!IsUnionFact)
        return;
    const auto showPartner = [this](const QString& id) {
        PartnerID = id;
        AdvEditDotyczyPerson->SetText(gDB.GetPersonDisplayName(id, DisplayNameMode::Plain, true, true, QString()));
    };
    if (!IsNewFact) {
        showPartner(EditedFact->GetOtherPersonID(PersonID));
    } else if (onePartner) {
        showPartner(person->GetPartnerID(0));
    } else {
        // Each item carries its partner's ID; nothing is chosen until the user chooses.
        AdvComboBoxdotyczyLista->clear();
        for (const QString& id : person ? person->FList : QStringList())
            AdvComboBoxdotyczyLista->addItem(
                gDB.GetPersonDisplayName(id, DisplayNameMode::Plain, true, true, QString()), id);
        AdvComboBoxdotyczyLista->SetItemIndex(-1);
    }
}

void TFormFaktEdycja::FormShortCut(QKeyEvent* key, bool& handled)
{
    handled = clickOnF3(key, ButtonZapisz);
}

void TFormFaktEdycja::UpdateTitle(const QString& name)
{
    const QString shown = name.isEmpty() ? QStringLiteral("?") : name;
    PanelTitle->SetText(htmlEscape(gLangM.FormatStr(QStringLiteral("LABEL_%S"), shown)));
}

void TFormFaktEdycja::UpdateSaveButton()
{
    ButtonZapisz->setEnabled(!TrimBlanks(AdvComboBoxNazwa->GetText()).isEmpty());
}

void TFormFaktEdycja::AdvComboBoxNazwaChange()
{
    UpdateTitle(AdvComboBoxNazwa->GetText());
    UpdateSaveButton();
}

void TFormFaktEdycja::DataChange()
{
    ShowDateValidity(AdvComboBoxData, AdvComboBoxNazwa);
    UpdateSaveButton();
}

void TFormFaktEdycja::AdvComboBoxNazwaCustomChange()
{
    UpdateSaveButton();
}

void TFormFaktEdycja::CheckBoxPrivateClick()
{
    UpdateSaveButton();
}

void TFormFaktEdycja::AdvComboBoxdotyczyListaChange()
{
    const int index = AdvComboBoxdotyczyLista->GetItemIndex();
    if (AdvComboBoxdotyczyLista->GetVisibleEx() && index >= 0)
        PartnerID = AdvComboBoxdotyczyLista->itemData(index).toString();
}

void TFormFaktEdycja::ButtonZapiszClick()
{
    StoreFact();
}

void TFormFaktEdycja::StoreFact()
{
    if (!EditedFact)
        return;
    if (!IsValidDateText(AdvComboBoxData->GetText())) {
        prompter().message(gLangM.Get(QStringLiteral("LABEL_WPISZ_POPRAWNA_WARTOSC_W_POLE_DATA!")), gProductName);
        AdvComboBoxData->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (IsUnionFact && IsNewFact && PartnerID.isEmpty()) {
        prompter().message(gLangM.Get(QStringLiteral("LABEL_WYBIERZ_Z_LISTY_OSOBE,_KTOREJ_MA_TAKZE_DOTYCZYC_TEN_FAKT")),
                           gProductName);
        return;
    }

    if (!IsNewFact && !(EditedFact = gDB.FindFact(EditedFactID))) {
        prompter().message(gLangM.Get(QStringLiteral("LABEL_TEN_FAKT_ZOSTAL_USUNIETY,_ZMIANY_NIE_ZOSTALY_ZAPISANE")),
                           gProductName);
        SetModalResult(mrCancel);
        return;
    }
    KV_Fact& fact = *EditedFact;
    fact.Name = AdvComboBoxNazwa->GetText();
    fact.Place = AdvComboBoxMiejsce->GetText();
    fact.Date.FromText(AdvComboBoxData->GetText());
    fact.Description = KV_DB::NormalizeLineBreaks(AdvComboBoxOpis->toPlainText());
    fact.Private = CheckBoxPrivate->GetChecked();
    fact.Form = AdvComboBoxForma->GetText();
    if (IsUnionFact && IsNewFact) {
        fact.PersonIDF = PersonID;
        fact.PersonIDS = PartnerID;
    }
    // A new fact has no file yet: its caller writes it once the database has taken it.
    const bool written = IsNewFact || gDB.SaveFact(EditedFact, fact.ID);
    ButtonZapisz->setEnabled(false);
    Saved = true;
    SetModalResult(mrOk);
    // The fact in memory has changed whatever the disk did, so the dialog ends as saved all the same.
    if (!written)
        prompter().message(gDB.StorageError, gProductName, Prompter::Icon::Information);
}

void TFormFaktEdycja::ButtonZamknijClick()
{
    Saved = false;
    SetModalResult(mrCancel);
}
