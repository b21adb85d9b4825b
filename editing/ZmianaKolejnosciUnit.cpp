#include "ZmianaKolejnosciUnit.h"

#include "AdvPanel.h"
#include "Bazadanych.h"
#include "DialogFrame.h"
#include "ListView.h"
#include "Person.h"
#include "Vh_langmanager.h"

#include <QItemSelectionModel>
#include <QPushButton>
#include <QToolButton>

TFormKolejnoscZmiana* FormKolejnoscZmiana = nullptr;

namespace {

constexpr int clientWidth = 645;
constexpr int clientHeight = 392;
constexpr int margin = 12;
constexpr int arrowSize = 26;

QToolButton* addArrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow, const QString& hint, int left)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    button->setToolTip(hint);
    button->setGeometry(left, 3, arrowSize, arrowSize);
    return button;
}

// The texts of a row: the name, the birth date, the death date ("+" for a dead person without a date). An ID
// that names no person keeps its row with "?" for its name.
QStringList rowTexts(const QString& id)
{
    KV_Person* person = gDB.FindPerson(id);
    if (!person)
        return {QStringLiteral("?"), QString(), QString()};
    return {person->GetDisplayName(DisplayNameMode::Plain, false, false),
            person->GetBirthText(false, false, false, QString()),
            person->GetDeathText(false, false, QStringLiteral("+"))};
}

} // namespace

TFormKolejnoscZmiana::TFormKolejnoscZmiana(QWidget* owner) : TForm(owner)
{
    setUpDialogFrame(this, "FormKolejnoscZmiana", clientWidth, clientHeight);
    PanelTitle = addTitlePanel(this, "PanelTitle", QStringLiteral("Zmiana kolejności"));
    buildButtons();
    buildList();
    connectHandlers();
}

void TFormKolejnoscZmiana::buildList()
{
    auto* area = new QWidget(this);
    area->setContentsMargins(margin, margin, margin, 0);
    SetAlign(area, alClient);

    // The arrows stand below the list, on the right.
    auto* arrows = new QWidget(area);
    arrows->resize(clientWidth - 2 * margin, arrowSize + 6);
    SetAlign(arrows, alBottom);
    const int right = clientWidth - 2 * margin;
    SpeedButtonAtrGora = addArrowButton(arrows, "SpeedButtonAtrGora", Qt::UpArrow, QStringLiteral("Przesuń w górę"),
                                        right - 2 * arrowSize - 4);
    SpeedButtonAtrDol =
        addArrowButton(arrows, "SpeedButtonAtrDol", Qt::DownArrow, QStringLiteral("Przesuń w dół"), right - arrowSize);
    SetAnchors(SpeedButtonAtrGora, akTop | akRight);
    SetAnchors(SpeedButtonAtrDol, akTop | akRight);

    ListViewKolejnoscZmiana = new TListView(area);
    ListViewKolejnoscZmiana->setObjectName(QStringLiteral("ListViewKolejnoscZmiana"));
    ListViewKolejnoscZmiana->SetViewStyle(vsReport);
    ListViewKolejnoscZmiana->SetRowSelect(true);
    ListViewKolejnoscZmiana->SetGridLines(true);
    ListViewKolejnoscZmiana->SetReadOnly(true);
    ListViewKolejnoscZmiana->SetHideSelection(false);
    const struct
    {
        const char* caption;
        int width;
        TAlignment alignment;
    } columns[] = {
        {"KOD", 0, taLeftJustify},
        {"Imię i nazwisko", 270, taLeftJustify},
        {"Data urodzenia", 150, taRightJustify},
        {"Data śmierci", 150, taRightJustify},
    };
    for (const auto& c : columns) {
        TListColumn* column = ListViewKolejnoscZmiana->Columns().Add();
        column->SetCaption(QString::fromUtf8(c.caption));
        column->SetWidth(c.width);
        column->SetAlignment(c.alignment);
    }
    SetAlign(ListViewKolejnoscZmiana, alClient);
}

void TFormKolejnoscZmiana::buildButtons()
{
    PanelButtons = addButtonPanel(this, "PanelButtons");
    ButtonZapisz = addSaveButton(PanelButtons, "ButtonZapisz");
    Button2 = addCloseButton(this, PanelButtons);
}

void TFormKolejnoscZmiana::connectHandlers()
{
    OnShow = [this](QObject*) { loadPending = true; };
    OnActivate = [this](QObject*) { FormActivate(); };
    OnShortCut = [this](QKeyEvent* key, bool& handled) { FormShortCut(key, handled); };
    connect(SpeedButtonAtrGora, &QToolButton::clicked, this, &TFormKolejnoscZmiana::SpeedButtonAtrGoraClick);
    connect(SpeedButtonAtrDol, &QToolButton::clicked, this, &TFormKolejnoscZmiana::SpeedButtonAtrDolClick);
    connect(ListViewKolejnoscZmiana->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFormKolejnoscZmiana::ListViewKolejnoscZmianaSelectItem);
    connect(ButtonZapisz, &QPushButton::clicked, this, &TFormKolejnoscZmiana::ButtonZapiszClick);
}

void TFormKolejnoscZmiana::SetupFor(const QString& personID, int kind)
{
    PersonID = personID;
    ReorderKind = kind;
    Saved = false;
    if (kind == Children)
        PanelTitle->SetText(gLangM.Get(QStringLiteral("LABEL_ZMIANA_KOLEJNOSCI_DZIECI")));
    else if (kind == Unions)
        PanelTitle->SetText(gLangM.Get(QStringLiteral("LABEL_ZMIANA_KOLEJNOSCI_ZWIAZKOW")));
}

void TFormKolejnoscZmiana::FormActivate()
{
    if (!loadPending)
        return;
    loadPending = false;
    FillList(true, 0);
    // The keys move the selection at once.
    ListViewKolejnoscZmiana->setFocus(Qt::ActiveWindowFocusReason);
}

void TFormKolejnoscZmiana::FillList(bool reload, int index)
{
    if (reload) {
        const KV_Person* person = gDB.FindPerson(PersonID);
        OrderedIDs = !person ? QStringList() : ReorderKind == Children ? person->CList : person->FList;
        ButtonZapisz->setEnabled(false);
    }
    TListItems& rows = ListViewKolejnoscZmiana->Items();
    rows.BeginUpdate();
    rows.Clear();
    for (const QString& id : OrderedIDs)
        rows.Add()->SubItems().SetTexts(rowTexts(id));
    rows.EndUpdate();
    if (TListItem* row = index >= 0 ? rows[index] : nullptr) {
        row->SetSelected(true);
        row->SetFocused(true);
        row->MakeVisible();
    }
    ListViewKolejnoscZmianaSelectItem();
}

int TFormKolejnoscZmiana::selectedRow() const
{
    const TListItem* row = ListViewKolejnoscZmiana->Selected();
    return row ? row->GetIndex() : -1;
}

void TFormKolejnoscZmiana::ListViewKolejnoscZmianaSelectItem()
{
    const int row = selectedRow();
    SpeedButtonAtrGora->setEnabled(row > 0);
    SpeedButtonAtrDol->setEnabled(row >= 0 && row < OrderedIDs.size() - 1);
}

void TFormKolejnoscZmiana::moveSelected(int step)
{
    const int row = selectedRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= OrderedIDs.size())
        return;
    OrderedIDs.swapItemsAt(row, target);
    FillList(false, target);
    ButtonZapisz->setEnabled(true);
}

void TFormKolejnoscZmiana::SpeedButtonAtrGoraClick()
{
    moveSelected(-1);
}

void TFormKolejnoscZmiana::SpeedButtonAtrDolClick()
{
    moveSelected(1);
}

void TFormKolejnoscZmiana::FormShortCut(QKeyEvent* key, bool& handled)
{
    handled = clickOnF3(key, ButtonZapisz);
}

void TFormKolejnoscZmiana::ButtonZapiszClick()
{
    Saved = true;
    SetModalResult(mrOk);
}
