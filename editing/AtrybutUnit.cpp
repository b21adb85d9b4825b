#include "AtrybutUnit.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "Bazadanych.h"
#include "DescriptionRows.h"
#include "DialogFrame.h"
#include "EditingInput.h"
#include "HtmlEscape.h"
#include "Person.h"
#include "StdCtrls.h"
#include "Vh_langmanager.h"

#include <QPlainTextEdit>
#include <QPushButton>

TFormAtrybutEdycja* FormAtrybutEdycja = nullptr;

namespace {

constexpr int clientWidth = 645;
constexpr int clientHeight = 328;
// The labels stand right-aligned in the column left of the fields.
constexpr int fieldLeft = 120;
constexpr int fieldRight = clientWidth - 20;
constexpr int fieldWidth = fieldRight - fieldLeft;

// Codes whose values are addresses, typed in the case they are written.
bool keepsValueCase(const QString& code)
{
    return code == QStringLiteral("EMAIL") || code == QStringLiteral("URL");
}

} // namespace

TFormAtrybutEdycja::TFormAtrybutEdycja(QWidget* owner) : TForm(owner)
{
    setUpDialogFrame(this, "FormAtrybutEdycja", clientWidth, clientHeight);
    PanelTitle = addTitlePanel(this, "PanelTitle", QStringLiteral("Edycja atrybutu"));
    PanelTitle->SetEllipsis(true);
    buildButtons();
    buildFields();
    connectHandlers();
}

void TFormAtrybutEdycja::buildFields()
{
    PanelFields = addFieldPanel(this, "PanelFields");
    PanelFields->setContentsMargins(0, 8, 0, 0);

    // The two name fields share one place: only the one for the attribute's code is shown.
    auto* nameRow = new QWidget(PanelFields);
    nameRow->setGeometry(0, 0, clientWidth, 30);
    SetAlign(nameRow, alTop);
    const QRect namePlace(fieldLeft, 4, fieldWidth, 21);
    AdvComboBoxNazwaCustom = addComboBox(nameRow, "AdvComboBoxNazwaCustom", QStringLiteral("Nazwa"), lpLeftCenter,
                                         csDropDown, {}, namePlace);
    AdvComboBoxNazwaCustom->SetDropDownCount(15);
    AdvComboBoxAtrKV = addEdit(nameRow, "AdvComboBoxAtrKV", QStringLiteral("Nazwa"), lpLeftCenter, namePlace);

    AdvComboBoxOpis =
        addDescription(PanelFields, QStringLiteral("Wartość"), fieldLeft, clientWidth - fieldRight, Label1);
    CheckBoxPrivate = addPrivateRow(PanelFields, fieldLeft);

    finishLoading(this);
}

void TFormAtrybutEdycja::buildButtons()
{
    PanelButtons = addButtonPanel(this, "PanelButtons");
    ButtonZapisz = addSaveButton(PanelButtons, "ButtonZapisz");
    Button2 = addCloseButton(this, PanelButtons);
}

void TFormAtrybutEdycja::connectHandlers()
{
    OnShow = [this](QObject*) {
        loadPending = true;
        Saved = false;
        placeDialogAtFifth(this);
    };
    OnActivate = [this](QObject*) { FormActivate(); };
    OnShortCut = [this](QKeyEvent* key, bool& handled) { FormShortCut(key, handled); };
    connect(ButtonZapisz, &QPushButton::clicked, this, &TFormAtrybutEdycja::ButtonZapiszClick);
    // The close button closes the dialog by itself; Button2Click keeps the result clear of an earlier save.
    connect(Button2, &QPushButton::clicked, this, &TFormAtrybutEdycja::Button2Click);
    AdvComboBoxNazwaCustom->OnChange = [this](TAdvCustomCombo*) { AdvComboBoxNazwaCustomChange(); };
    AdvComboBoxNazwaCustom->OnDropDown = [this](TAdvCustomCombo*) { AdvComboBoxNazwaCustomDropDown(); };
    AdvComboBoxAtrKV->OnChange = [this](TCustomEdit*) { AdvComboBoxNazwaCustomChange(); };
    connect(AdvComboBoxOpis, &QPlainTextEdit::textChanged, this, &TFormAtrybutEdycja::AdvComboBoxNazwaCustomChange);
    CheckBoxPrivate->OnClick = [this](QObject*) { AdvComboBoxNazwaCustomChange(); };

    for (QWidget* name : std::initializer_list<QWidget*>{AdvComboBoxNazwaCustom, AdvComboBoxAtrKV}) {
        CapitaliseFirstLetter(name);
        EnterMovesOn(name);
    }
    EnterMovesOn(CheckBoxPrivate);
    EscapeCloses(AdvComboBoxOpis);
}

void TFormAtrybutEdycja::SetupFor(const QString& code, const QString& name, const QString& value, bool isPrivate)
{
    AttributeCode = code;
    AttributeName = name;
    AttributeValue = value;
    AttributePrivate = isPrivate;
}

bool TFormAtrybutEdycja::isCustom() const
{
    return KV_Atribute::IsCustomCode(AttributeCode);
}

void TFormAtrybutEdycja::FormActivate()
{
    if (!loadPending)
        return;
    // The change handler waits until the preset is shown whole.
    AdvComboBoxNazwaCustom->SetText(AttributeName);
    AdvComboBoxAtrKV->SetText(AttributeName);
    CheckBoxPrivate->SetChecked(AttributePrivate);
    AdvComboBoxOpis->setPlainText(NoteForMemo(KV_DB::NormalizeLineBreaks(AttributeValue)));
    CapitaliseFirstLetter(AdvComboBoxOpis, !keepsValueCase(AttributeCode));
    AdvComboBoxAtrKV->SetVisible(!isCustom());
    AdvComboBoxNazwaCustom->SetVisibleEx(isCustom());
    loadPending = false;
    ButtonZapisz->setEnabled(false);
    UpdateTitle(AttributeName);
    if (isCustom() && AdvComboBoxNazwaCustom->GetText().isEmpty())
        AdvComboBoxNazwaCustom->setFocus(Qt::ActiveWindowFocusReason);
    else
        AdvComboBoxOpis->setFocus(Qt::ActiveWindowFocusReason);
}

void TFormAtrybutEdycja::UpdateTitle(const QString& name)
{
    const QString shown = name.isEmpty() ? QStringLiteral("?") : name;
    PanelTitle->SetText(htmlEscape(gLangM.FormatStr(QStringLiteral("LABEL_ATRYBUT:_%S"), shown)));
}

QString TFormAtrybutEdycja::typedName() const
{
    return TrimBlanks(isCustom() ? AdvComboBoxNazwaCustom->GetText() : AdvComboBoxAtrKV->GetText());
}

void TFormAtrybutEdycja::AdvComboBoxNazwaCustomChange()
{
    if (loadPending)
        return;
    AttributeName = typedName();
    ButtonZapisz->setEnabled(!AttributeName.isEmpty() && !TrimBlanks(AdvComboBoxOpis->toPlainText()).isEmpty());
    UpdateTitle(AttributeName);
}

void TFormAtrybutEdycja::AdvComboBoxNazwaCustomDropDown()
{
    AdvComboBoxNazwaCustom->SetItems(gDB.GetCustomAttributeNames().ToStringList());
}

void TFormAtrybutEdycja::FormShortCut(QKeyEvent* key, bool& handled)
{
    handled = clickOnF3(key, ButtonZapisz);
}

void TFormAtrybutEdycja::ButtonZapiszClick()
{
    AttributeName = typedName();
    // The program keeps CR LF line breaks in every stored text.
    AttributeValue = TrimBlanks(KV_DB::NormalizeLineBreaks(AdvComboBoxOpis->toPlainText()));
    AttributePrivate = CheckBoxPrivate->GetChecked();
    Saved = true;
    SetModalResult(mrOk);
}

void TFormAtrybutEdycja::Button2Click()
{
    Saved = false;
}
