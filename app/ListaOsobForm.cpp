#include "ListaOsobForm.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "Bazadanych.h"
#include "DialogFrame.h"
#include "Fonts.h"
#include "Grids.h"
#include "Menus.h"
#include "PersonListModel.h"
#include "Prompter.h"
#include "ReportWindows.h"
#include "Settings.h"
#include "Vh_langmanager.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

TFormListaOsob* FormListaOsob = nullptr;

namespace {

constexpr int designWidth = 944;
constexpr int designHeight = 616;
constexpr int buttonHeight = 35;

// The action panel: a click on the panel itself, between the buttons, closes the window.
class ActionPanel : public QWidget
{
public:
    using QWidget::QWidget;
    std::function<void()> OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
            OnClick();
    }
};

// The buttons stand in a row that arranges them: their size is fixed.
QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, int width)
{
    QPushButton* button = addButton(parent, name, QString::fromUtf8(caption), QRect(0, 0, width, buttonHeight));
    button->setFixedSize(width, buttonHeight);
    return button;
}

TAdvComboBox* makeChoice(QWidget* parent, const char* name, const char* label, const QStringList& items, int left,
                         int width)
{
    auto* combo = new TAdvComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->SetStyle(csDropDownList);
    combo->SetDropDownCount(15);
    combo->addItems(items);
    combo->SetItemIndex(0);
    combo->setGeometry(left, 34, width, 21);
    combo->SetLabelPosition(lpTopLeft);
    combo->SetLabelCaption(QString::fromUtf8(label));
    return combo;
}

// The pictures of the two view buttons: four tiles, and lines of a list.
QIcon viewIcon(PersonListStyle style)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const QColor ink(90, 90, 90);
    if (style == StyleTiles) {
        for (const QPoint& corner : {QPoint(1, 1), QPoint(9, 1), QPoint(1, 9), QPoint(9, 9)})
            p.fillRect(QRect(corner, QSize(6, 6)), ink);
    } else {
        for (int line = 0; line < 4; ++line) {
            p.fillRect(QRect(1, 2 + line * 4, 2, 2), ink);
            p.fillRect(QRect(5, 2 + line * 4, 10, 2), ink);
        }
    }
    return QIcon(pixmap);
}

QToolButton* makeViewButton(QWidget* parent, const char* name, const char* caption, PersonListStyle style, int left)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(QString::fromUtf8(caption));
    button->setIcon(viewIcon(style));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setCheckable(true);
    button->setAutoExclusive(true);
    button->setAutoRaise(true);
    button->setGeometry(left, 4, 90, 26);
    SetAnchors(button, akTop | akRight);
    return button;
}

} // namespace

TFormListaOsob::TFormListaOsob(QWidget* owner) : TForm(owner)
{
    setObjectName(QStringLiteral("FormListaOsob"));
    SetCaption(QStringLiteral("Lista osób"));
    setFont(QFont(Fonts::familyFor(QStringLiteral("Tahoma")), 8));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    resize(designWidth, designHeight);
    buildTitle();
    buildSearch();
    buildViewBar();
    buildActions();
    buildContent();
    buildPrintMenu();
    TimerPokazZdjecie = new QTimer(this);
    TimerPokazZdjecie->setObjectName(QStringLiteral("TimerPokazZdjecie"));
    TimerPokazZdjecie->setInterval(250);
    SetClientSize(designWidth, designHeight);
    SetPosition(poScreenCenter);
    connectHandlers();
    AdvComboBoxSzukajW->SetItemIndex(0);
    applyMode(false);
}

TFormListaOsob::~TFormListaOsob()
{
    if (FormListaOsob == this)
        FormListaOsob = nullptr;
}

void TFormListaOsob::buildTitle()
{
    PanelTitle = new QLabel(this);
    PanelTitle->setObjectName(QStringLiteral("PanelTitle"));
    PanelTitle->setGeometry(0, 0, designWidth, 73);
    PanelTitle->setIndent(15);
    QFont big = font();
    big.setPointSize(16);
    PanelTitle->setFont(big);
    SetAlign(PanelTitle, alTop);
    ButtonWyczysc = new QPushButton(QStringLiteral("Pokaż wszystkie"), PanelTitle);
    ButtonWyczysc->setObjectName(QStringLiteral("ButtonWyczysc"));
    ButtonWyczysc->setFont(font());
    ButtonWyczysc->setGeometry(designWidth - 15 - 190, 16, 190, 41);
    ButtonWyczysc->setAutoDefault(false);
    SetAnchors(ButtonWyczysc, akTop | akRight);
    ButtonWyczysc->hide();
}

void TFormListaOsob::buildSearch()
{
    PanelSearch = new QWidget(this);
    PanelSearch->setObjectName(QStringLiteral("PanelSearch"));
    PanelSearch->setGeometry(0, 73, designWidth, 70);
    SetAlign(PanelSearch, alTop);
    EditSzukaj = new TAdvEdit(PanelSearch);
    EditSzukaj->setObjectName(QStringLiteral("EditSzukaj"));
    EditSzukaj->setGeometry(15, 34, 300, 21);
    EditSzukaj->SetLabelPosition(lpTopLeft);
    EditSzukaj->SetLabelCaption(QStringLiteral("Wyszukaj"));
    EditSzukaj->Loaded();
    AdvComboBoxSzukajW =
        makeChoice(PanelSearch, "AdvComboBoxSzukajW", "w polu",
                   {QStringLiteral("dowolnym"), QStringLiteral("imię i nazwisko"), QStringLiteral("data urodzenia"),
                    QStringLiteral("miejsce urodzenia"), QStringLiteral("data zgonu"), QStringLiteral("miejsce zgonu")},
                   330, 150);
    FiltrPlec = makeChoice(PanelSearch, "FiltrPlec", "Płeć",
                           {QStringLiteral("wybierz"), QStringLiteral("kobiety"), QStringLiteral("mężczyźni"),
                            QStringLiteral("nieokreślona")},
                           495, 120);
    const QStringList yesNo = {QStringLiteral("wybierz"), QStringLiteral("tak"), QStringLiteral("nie")};
    FiltrStan = makeChoice(PanelSearch, "FiltrStan", "Zmarła", yesNo, 630, 90);
    FiltrZdjecia = makeChoice(PanelSearch, "FiltrZdjecia", "Zdjęcia", yesNo, 735, 90);
    for (TAdvComboBox* combo : {AdvComboBoxSzukajW, FiltrPlec, FiltrStan, FiltrZdjecia})
        combo->Loaded();
}

void TFormListaOsob::buildViewBar()
{
    PanelView = new QWidget(this);
    PanelView->setObjectName(QStringLiteral("PanelView"));
    PanelView->setGeometry(0, 143, designWidth, 34);
    SetAlign(PanelView, alTop);
    SBLVOsobyKafelki = makeViewButton(PanelView, "SBLVOsobyKafelki", "Kafelki", StyleTiles, designWidth - 15 - 180);
    SBLVOsobyLista = makeViewButton(PanelView, "SBLVOsobyLista", "Lista", StyleList, designWidth - 15 - 90);
    SBLVOsobyLista->setChecked(true);
}

void TFormListaOsob::buildContent()
{
    PanelContent = new QWidget(this);
    PanelContent->setObjectName(QStringLiteral("PanelContent"));
    SetAlign(PanelContent, alClient);

    DrawGridListaOsob = new TDrawGrid(PanelContent);
    DrawGridListaOsob->setObjectName(QStringLiteral("DrawGridListaOsob"));
    DrawGridListaOsob->SetDefaultRowHeight(100);
    DrawGridListaOsob->SetColor(clWhite);
    SetAlign(DrawGridListaOsob, alClient);
    DrawGridListaOsob->hide();

    ListViewOsoby = new QTableView(PanelContent);
    ListViewOsoby->setObjectName(QStringLiteral("ListViewOsoby"));
    ListViewOsobyModel = new PersonListModel(ListViewOsoby);
    ListViewOsoby->setModel(ListViewOsobyModel);
    ListViewOsoby->setItemDelegate(new SelectedRowDelegate(ListViewOsoby));
    ListViewOsoby->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListViewOsoby->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListViewOsoby->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewOsoby->setShowGrid(false);
    ListViewOsoby->setWordWrap(false);
    ListViewOsoby->setCornerButtonEnabled(false);
    ListViewOsoby->verticalHeader()->hide();
    // 18 px, or more where the font needs it to keep the accents of capitals (a desktop scaled up); the selected
    // row is bold.
    QFont boldRow = ListViewOsoby->font();
    boldRow.setBold(true);
    ListViewOsoby->verticalHeader()->setDefaultSectionSize(std::max(18, Fonts::centredLineHeight(boldRow)));
    ListViewOsoby->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The selection stays in the highlight colour when the list loses the focus.
    QPalette colours = ListViewOsoby->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Highlight, ToQColor(clHighlight));
        colours.setColor(group, QPalette::HighlightedText, ToQColor(clHighlightText));
    }
    ListViewOsoby->setPalette(colours);
    QHeaderView* header = ListViewOsoby->horizontalHeader();
    header->setMinimumSectionSize(0);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setHighlightSections(false);
    for (int column = 0; column < PersonListModel::ColumnCount; ++column)
        header->resizeSection(column, PersonListModel::Columns[column].width);
    ListViewOsoby->setColumnHidden(0, true);
    SetAlign(ListViewOsoby, alClient);
}

void TFormListaOsob::buildActions()
{
    auto* panel = new ActionPanel(this);
    panel->OnClick = [this] { Zamknij(); };
    PanelActions = panel;
    PanelActions->setObjectName(QStringLiteral("PanelActions"));
    PanelActions->setGeometry(0, designHeight - 51, designWidth, 51);
    SetAlign(PanelActions, alBottom);
    ButtonDrukuj = makeButton(PanelActions, "ButtonDrukuj", "Drukuj", 100);
    ButtonAddFemale = makeButton(PanelActions, "ButtonAddFemale", "Kobieta", 100);
    ButtonAddMale = makeButton(PanelActions, "ButtonAddMale", "Mężczyzna", 100);
    ButtonPersonEdit = makeButton(PanelActions, "ButtonPersonEdit", "Edytuj", 100);
    ButtonPersonFormularz = makeButton(PanelActions, "ButtonPersonFormularz", "Formularz", 100);
    ButtonPersonUsun = makeButton(PanelActions, "ButtonPersonUsun", "Usuń", 100);
    ButtonPersonSelect = makeButton(PanelActions, "ButtonPersonSelect", "Wybierz zaznaczoną osobę", 225);
    ButtonClose = makeButton(PanelActions, "ButtonClose", "Zamknij", 124);
    // Hidden buttons leave no gap: the rest keep their order from the left.
    auto* row = new QHBoxLayout(PanelActions);
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(6);
    for (QPushButton* button :
         {ButtonDrukuj, ButtonAddFemale, ButtonAddMale, ButtonPersonEdit, ButtonPersonFormularz, ButtonPersonUsun})
        row->addWidget(button);
    row->addStretch();
    row->addWidget(ButtonPersonSelect);
    row->addWidget(ButtonClose);
}

void TFormListaOsob::buildPrintMenu()
{
    PopupMenuWydruk = newNamedMenu(this, "PopupMenuWydruk");
    const auto item = [this](const char* name, const char* caption) {
        return addNamedItem(PopupMenuWydruk, name, caption);
    };
    RaportDaneosobyszczegy1 = item("RaportDaneosobyszczegy1", "Raport - Dane szczegółowe");
    Listaosb1 = item("Listaosb1", "Raport - Lista osób");
    N1 = addNamedSeparator(PopupMenuWydruk, "N1");
    Drzewoprzodkw1 = item("Drzewoprzodkw1", "Drzewo przodków");
    Drzewopotomkw1 = item("Drzewopotomkw1", "Drzewo potomków");
    Drzewoprzodkwipotomkw1 = item("Drzewoprzodkwipotomkw1", "Drzewo przodków i potomków");
}

void TFormListaOsob::connectHandlers()
{
    OnShow = [this](QObject*) { FormShow(); };
    OnActivate = [this](QObject*) { FormActivate(); };
    OnResize = [this](QObject*) { FormResize(); };
    OnShortCut = [this](QKeyEvent* key, bool& handled) { FormShortCut(key, handled); };

    EditSzukaj->OnChange = [this](TCustomEdit*) { scheduleRefill(); };
    EditSzukaj->OnKeyDown = [this](TCustomEdit*, int& key, Qt::KeyboardModifiers) { EditSzukajKeyDown(key); };
    AdvComboBoxSzukajW->OnChange = [this](TAdvCustomCombo*) { ZnajdzDane(); };
    FiltrPlec->OnChange = [this](TAdvCustomCombo*) { ZnajdzDane(); };
    FiltrStan->OnClick = [this](TAdvCustomCombo*) { ZnajdzDane(); };
    FiltrZdjecia->OnClick = [this](TAdvCustomCombo*) { ZnajdzDane(); };

    connect(ButtonWyczysc, &QPushButton::clicked, this, &TFormListaOsob::wyczyscfiltr);
    connect(SBLVOsobyKafelki, &QToolButton::clicked, this, &TFormListaOsob::SBLVOsobyKafelkiClick);
    connect(SBLVOsobyLista, &QToolButton::clicked, this, &TFormListaOsob::SBLVOsobyListaClick);
    connect(ButtonDrukuj, &QPushButton::clicked, this, &TFormListaOsob::ButtonDrukujClick);
    connect(ButtonAddFemale, &QPushButton::clicked, this, &TFormListaOsob::ButtonAddFemaleClick);
    connect(ButtonAddMale, &QPushButton::clicked, this, &TFormListaOsob::ButtonAddMaleClick);
    connect(ButtonPersonEdit, &QPushButton::clicked, this, &TFormListaOsob::editPerson);
    connect(ButtonPersonFormularz, &QPushButton::clicked, this, &TFormListaOsob::FormPerson);
    connect(ButtonPersonUsun, &QPushButton::clicked, this, &TFormListaOsob::deletePerson);
    connect(ButtonPersonSelect, &QPushButton::clicked, this, &TFormListaOsob::wybierzOsobe);
    connect(ButtonClose, &QPushButton::clicked, this, &TFormListaOsob::Zamknij);

    connect(PopupMenuWydruk, &QMenu::aboutToShow, this, &TFormListaOsob::PopupMenuWydrukPopup);
    connect(RaportDaneosobyszczegy1, &QAction::triggered, this, &TFormListaOsob::RaportDaneosobyszczegy1Click);
    connect(Listaosb1, &QAction::triggered, this, &TFormListaOsob::Listaosb1Click);
    connect(Drzewoprzodkw1, &QAction::triggered, this, &TFormListaOsob::Drzewoprzodkw1Click);
    connect(Drzewopotomkw1, &QAction::triggered, this, &TFormListaOsob::Drzewopotomkw1Click);
    connect(Drzewoprzodkwipotomkw1, &QAction::triggered, this, &TFormListaOsob::Drzewoprzodkwipotomkw1Click);

    QHeaderView* header = ListViewOsoby->horizontalHeader();
    connect(header, &QHeaderView::sectionClicked, this, &TFormListaOsob::ListViewOsobyColumnClick);
    // Dragging a column divider refits the last column.
    connect(header, &QHeaderView::sectionResized, this, [this](int column) {
        if (column != PersonListModel::ColumnCount - 1)
            FitLastColumn();
    });
    connect(ListViewOsoby, &QTableView::doubleClicked, this, &TFormListaOsob::ListViewOsobyDblClick);
    connect(ListViewOsoby->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFormListaOsob::ListViewOsobySelectItem);

    DrawGridListaOsob->OnDrawCell = [this](TDrawGrid*, int col, int row, const TRect& rect, TGridDrawState state,
                                           TCanvas& canvas) {
        DrawGridListaOsobDrawCell(col, row, rect, state, canvas);
    };
    DrawGridListaOsob->OnSelectCell = [this](TDrawGrid*, int, int, bool&) { DrawGridListaOsobSelectCell(); };
    DrawGridListaOsob->OnDblClick = [this](TDrawGrid*) { DrawGridListaOsobDblClick(); };
    connect(TimerPokazZdjecie, &QTimer::timeout, this, &TFormListaOsob::TimerPokazZdjecieTimer);
}

// ---- The picker protocol and the modal run --------------------------------------------------------------------

void TFormListaOsob::PresetFilter(const QString& searchText, bool allowWomen, bool allowMen)
{
    presetGuard = true;
    EditSzukaj->SetText(searchText);
    int sex = 0;
    if (allowWomen && !allowMen)
        sex = 1;
    else if (allowMen && !allowWomen)
        sex = 2;
    FiltrPlec->SetItemIndex(sex);
    presetGuard = false;
    rebuildOnShow = true;
}

void TFormListaOsob::MarkForRefresh()
{
    reapplyStyle = true;
    if (gDB.PersonListDirty)
        rebuildOnShow = true;
}

QString TFormListaOsob::GetSelectedID() const
{
    return chosenIDs.value(0);
}

void TFormListaOsob::applyMode(bool select)
{
    selectMode = select;
    ButtonPersonSelect->setVisible(select);
    for (QPushButton* button :
         {ButtonAddFemale, ButtonAddMale, ButtonPersonEdit, ButtonPersonUsun, ButtonPersonFormularz})
        button->setVisible(!select);
}

void TFormListaOsob::ShowPersonList(bool select)
{
    // The actions run here, one after another, rather than each showing calling the next: the window comes back
    // in the same mode after any number of edits without the call stack growing. A picker opened from an edit
    // runs its own showing in select mode in between.
    for (;;) {
        applyMode(select);
        ShowModal();
        const CloseAction action = closeAction;
        closeAction = CloseAction::None;
        const QString personID = actionID;
        QString selectAfter;
        if (action == CloseAction::EditPerson && EditPerson) {
            selectAfter = EditPerson(personID, newPersonSex);
        } else if (action == CloseAction::FamilyView && ShowFamilyView) {
            ShowFamilyView(personID);
            selectAfter = personID;
        } else {
            return;
        }
        rebuildOnShow = true;
        idAfterRebuild = selectAfter;
    }
}

void TFormListaOsob::requestAction(CloseAction action, const QString& personID)
{
    if ((action == CloseAction::EditPerson && !EditPerson) || (action == CloseAction::FamilyView && !ShowFamilyView))
        return;
    closeAction = action;
    actionID = personID;
    SetModalResult(mrOk);
}

void TFormListaOsob::RequestNewPerson(int sex)
{
    newPersonSex = sex;
    requestAction(CloseAction::EditPerson, QString());
}

// ---- Rows and selection ----------------------------------------------------------------------------------------

int TFormListaOsob::rowCount() const
{
    return ListViewOsobyModel->rowCount();
}

void TFormListaOsob::Refill(const QString& id)
{
    refillPending = false;
    currentID = id;
    gDB.SearchPersons(EditSzukaj->GetText(), AdvComboBoxSzukajW->GetItemIndex(), FiltrPlec->GetItemIndex(),
                      FiltrStan->GetItemIndex(), FiltrZdjecia->GetItemIndex());
    gDB.SortPersons(sortKey, ascending, false);
    ListViewOsobyModel->SetRowCount(gDB.GetResultCount());
    LayoutTiles();
    // A new result may need as many tile rows as the last one: the grid does not repaint by itself then.
    DrawGridListaOsob->viewport()->update();
    showSortMark();
    const int rows = rowCount();
    const int total = gDB.GetPersonCount();
    PanelTitle->setText(rows == total ? gLangM.FormatInt(QStringLiteral("LABEL_LISTA_OSOB:_%S"), total)
                                      : gLangM.FormatInt2(QStringLiteral("LABEL_LISTA_OSOB:_%S_Z_%S"), rows, total));
    SelectID(currentID);
    ButtonWyczysc->setVisible(rows != total);
    gDB.PersonListDirty = false;
}

void TFormListaOsob::showSortMark()
{
    QHeaderView* header = ListViewOsoby->horizontalHeader();
    for (int column = 1; column < PersonListModel::ColumnCount; ++column) {
        if (PersonListModel::Columns[column].sortKey == sortKey) {
            header->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
            return;
        }
    }
    header->setSortIndicator(-1, Qt::AscendingOrder);
}

void TFormListaOsob::SelectID(const QString& id)
{
    int row = -1;
    if (!id.isEmpty()) {
        for (int i = 0; i < rowCount() && i < gDB.GetResultCount(); ++i) {
            if (gDB.ResultList[i]->ID == id) {
                row = i;
                break;
            }
        }
    }
    QItemSelectionModel* selection = ListViewOsoby->selectionModel();
    selection->clearSelection();
    if (row < 0 && rowCount() == 0) {
        ListViewOsobySelectItem();
        return;
    }
    row = std::max(row, 0);
    const QModelIndex index = ListViewOsobyModel->index(row, 1);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ListViewOsoby->scrollTo(index);
    selecting = true;
    const int columns = DrawGridListaOsob->GetColCount();
    DrawGridListaOsob->SetRow(row / columns);
    DrawGridListaOsob->SetCol(row % columns);
    selecting = false;
}

int TFormListaOsob::selectedListRow() const
{
    int first = -1;
    for (const QModelIndex& index : ListViewOsoby->selectionModel()->selectedRows()) {
        if (first < 0 || index.row() < first)
            first = index.row();
    }
    return first;
}

int TFormListaOsob::currentTileRow() const
{
    const int row = DrawGridListaOsob->GetRow() * DrawGridListaOsob->GetColCount() + DrawGridListaOsob->GetCol();
    return row < rowCount() ? row : -1;
}

QString TFormListaOsob::GetCurrentID() const
{
    int row = -1;
    if (!ListViewOsoby->isHidden())
        row = selectedListRow();
    if (row < 0 && !DrawGridListaOsob->isHidden())
        row = currentTileRow();
    const KV_Person* person = gDB.GetResultPerson(row);
    return person ? person->ID : QString();
}

void TFormListaOsob::SetViewStyle(int style)
{
    const QString id = GetCurrentID();
    if (style == StyleTiles) {
        ListViewOsoby->hide();
        DrawGridListaOsob->show();
        TAlignHost::Of(PanelContent)->Realign();
        LayoutTiles();
    } else if (style == StyleList) {
        DrawGridListaOsob->hide();
        ListViewOsoby->show();
        TAlignHost::Of(PanelContent)->Realign();
        FitLastColumn();
    }
    gSettings.PersonListStyle = style;
    SelectID(id);
}

void TFormListaOsob::FitLastColumn()
{
    constexpr int last = PersonListModel::ColumnCount - 1;
    QHeaderView* header = ListViewOsoby->horizontalHeader();
    int width = ListViewOsoby->width() - 30;
    for (int column = 0; column < last; ++column)
        width -= header->isSectionHidden(column) ? 0 : header->sectionSize(column);
    header->resizeSection(last, std::max(width, 120));
}

// ---- Showing, keys and the search -------------------------------------------------------------------------------

void TFormListaOsob::FormShow()
{
    if (rebuildOnShow) {
        Refill(idAfterRebuild);
        rebuildOnShow = false;
    }
    chosenIDs.clear();
    ButtonAddFemale->setEnabled(bool(EditPerson));
    ButtonAddMale->setEnabled(bool(EditPerson));
}

void TFormListaOsob::FormActivate()
{
    if (reapplyStyle) {
        reapplyStyle = false;
        SBLVOsobyKafelki->setChecked(gSettings.PersonListStyle == StyleTiles);
        SBLVOsobyLista->setChecked(gSettings.PersonListStyle == StyleList);
        SetViewStyle(gSettings.PersonListStyle);
    }
    if (EditSzukaj->isVisible() && EditSzukaj->isEnabled())
        EditSzukaj->setFocus(Qt::ActiveWindowFocusReason);
}

void TFormListaOsob::FormResize()
{
    const QString id = GetCurrentID();
    LayoutTiles();
    SelectID(id);
    FitLastColumn();
}

void TFormListaOsob::FormShortCut(QKeyEvent* key, bool& handled)
{
    switch (key->key()) {
    case Qt::Key_F10:
        wyczyscfiltr();
        handled = true;
        break;
    case Qt::Key_Escape:
        // "Zamknij" does not close on Esc: a user clearing the search with Esc would lose the window.
        handled = true;
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (EditSzukaj->hasFocus() && rowCount() > 0) {
            handled = true;
            if (!ListViewOsoby->isHidden())
                ListViewOsoby->setFocus(Qt::OtherFocusReason);
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (rowCount() > 0 && ListViewOsoby->hasFocus() && selectedListRow() >= 0) {
            ListViewOsobyDblClick();
            handled = true;
        }
        break;
    default:
        break;
    }
}

void TFormListaOsob::EditSzukajKeyDown(int& key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        key = 0;
}

void TFormListaOsob::scheduleRefill()
{
    if (refillPending)
        return;
    refillPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            // A refill that ran meanwhile (a filter, F10) has already searched with this text.
            if (refillPending)
                ZnajdzDane();
        },
        Qt::QueuedConnection);
}

void TFormListaOsob::ZnajdzDane()
{
    currentID.clear();
    Refill(QString());
}

void TFormListaOsob::wyczyscfiltr()
{
    for (TAdvComboBox* combo : {AdvComboBoxSzukajW, FiltrPlec, FiltrStan, FiltrZdjecia})
        combo->SetItemIndex(0);
    EditSzukaj->SetText(QString());
    if (!presetGuard)
        Refill(QString());
}

void TFormListaOsob::ListViewOsobyColumnClick(int column)
{
    const std::optional<PersonSortKey> key = PersonListModel::Columns[column].sortKey;
    if (!key) {
        // The header has flipped its mark on its own; the order did not change.
        showSortMark();
        return;
    }
    if (key == sortKey) {
        ascending = !ascending;
    } else {
        sortKey = *key;
        ascending = true;
    }
    Refill(GetCurrentID());
}

void TFormListaOsob::ListViewOsobySelectItem()
{
    TimerPokazZdjecie->start();
}

void TFormListaOsob::DrawGridListaOsobSelectCell()
{
    if (!selecting)
        TimerPokazZdjecie->start();
}

void TFormListaOsob::TimerPokazZdjecieTimer()
{
    TimerPokazZdjecie->stop();
    bool selected = !ListViewOsoby->isHidden() && selectedListRow() >= 0;
    if (!DrawGridListaOsob->isHidden())
        selected = currentTileRow() >= 0;
    ButtonPersonEdit->setEnabled(selected && EditPerson);
    ButtonPersonUsun->setEnabled(selected);
    ButtonPersonSelect->setEnabled(selected);
    ButtonPersonFormularz->setEnabled(selected && ShowFamilyView);
    ButtonDrukuj->setEnabled(rowCount() > 0);
}

void TFormListaOsob::SBLVOsobyKafelkiClick()
{
    SetViewStyle(StyleTiles);
}

void TFormListaOsob::SBLVOsobyListaClick()
{
    SetViewStyle(StyleList);
}

// ---- Commands -----------------------------------------------------------------------------------------------------

void TFormListaOsob::wybierzOsobe()
{
    chosenIDs.clear();
    const QString id = GetCurrentID();
    if (id.isEmpty())
        return;
    chosenIDs.append(id);
    closeAction = CloseAction::None;
    SetModalResult(mrOk);
}

void TFormListaOsob::Zamknij()
{
    closeAction = CloseAction::None;
    Close();
}

void TFormListaOsob::editPerson()
{
    const QString id = GetCurrentID();
    if (gDB.FindPerson(id))
        requestAction(CloseAction::EditPerson, id);
}

void TFormListaOsob::FormPerson()
{
    const QString id = GetCurrentID();
    if (gDB.FindPerson(id))
        requestAction(CloseAction::FamilyView, id);
}

void TFormListaOsob::ButtonAddFemaleClick()
{
    RequestNewPerson(0);
}

void TFormListaOsob::ButtonAddMaleClick()
{
    RequestNewPerson(1);
}

void TFormListaOsob::ListViewOsobyDblClick()
{
    if (selectMode)
        wybierzOsobe();
    else
        editPerson();
}

void TFormListaOsob::DrawGridListaOsobDblClick()
{
    ListViewOsobyDblClick();
}

void TFormListaOsob::deletePerson()
{
    const QString id = GetCurrentID();
    if (!gDB.FindPerson(id))
        return;
    if (!prompter().confirm(gLangM.Get(QStringLiteral(
                                "LABEL_CZY_CHCESZ_USUNAC_WYBRANA_OSOBE_ORAZ_WSZYSTKIE_JEJ_ODWOLANIA_DO_INNYCH_OSOB?")),
                            gLangM.Get(QStringLiteral("LABEL_UWAGA"))))
        return;
    // Only the ID is kept across the question: the person may have been deleted meanwhile.
    KV_Person* person = gDB.FindPerson(id);
    if (!person)
        return;
    // The row is taken before the delete takes the person out of the rows.
    const int row = int(gDB.ResultList.indexOf(person));
    if (!gDB.DeletePerson(person)) {
        prompter().message(gDB.StorageError, gProductName, Prompter::Icon::Information);
        return;
    }
    Refill(gDB.GetResultNeighbourID(row));
}

void TFormListaOsob::ButtonDrukujClick()
{
    popUpUnder(PopupMenuWydruk, ButtonDrukuj);
}

void TFormListaOsob::PopupMenuWydrukPopup()
{
    const KV_Person* person = gDB.FindPerson(GetCurrentID());
    const bool ancestors = person && person->HasKnownParents(false);
    const bool descendants = person && person->GetChildCount() > 0;
    Drzewoprzodkw1->setEnabled(ancestors);
    Drzewopotomkw1->setEnabled(descendants);
    Drzewoprzodkwipotomkw1->setEnabled(ancestors && descendants);
}

void TFormListaOsob::RaportDaneosobyszczegy1Click()
{
    // The range stays choosable here, unlike in the person editor.
    OpenPersonReport(GetCurrentID(), false);
}

void TFormListaOsob::Listaosb1Click()
{
    OpenListReport();
}

void TFormListaOsob::Drzewoprzodkw1Click()
{
    OpenTreeReport(TreeType::Ancestors, GetCurrentID());
}

void TFormListaOsob::Drzewopotomkw1Click()
{
    OpenTreeReport(TreeType::Descendants, GetCurrentID());
}

void TFormListaOsob::Drzewoprzodkwipotomkw1Click()
{
    OpenTreeReport(TreeType::AncestorsAndDescendants, GetCurrentID());
}

// ---- The other windows' ways in ----------------------------------------------------------------------------------

void BrowsePersonList()
{
    if (!FormListaOsob)
        return;
    FormListaOsob->MarkForRefresh();
    FormListaOsob->ShowPersonList(false);
}

QString PickPersonFromList(bool allowWomen, bool allowMen)
{
    if (!FormListaOsob)
        return QString();
    FormListaOsob->PresetFilter(QString(), allowWomen, allowMen);
    FormListaOsob->MarkForRefresh();
    FormListaOsob->ShowPersonList(true);
    return FormListaOsob->GetSelectedID();
}
