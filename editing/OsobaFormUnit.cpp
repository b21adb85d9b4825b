#include "OsobaFormUnit.h"

#include "AdvGroupBox.h"
#include "AdvPageControl.h"
#include "AdvPanel.h"
#include "Bazadanych.h"
#include "DialogFrame.h"
#include "EditingInput.h"
#include "Fonts.h"
#include "FormularzOsobyUnit.h"
#include "FromularzUnit.h"
#include "Menus.h"
#include "Prompter.h"
#include "StdCtrls.h"
#include "Vh_langmanager.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <tuple>

namespace {

constexpr int clientWidth = 767;
constexpr int clientHeight = 649;
constexpr int buttonColumnWidth = 112;

// The picture box: paints the editor's picture image and reports a click.
class PictureBox : public QWidget
{
public:
    PictureBox(QWidget* parent, const QImage& picture) : QWidget(parent), picture(picture) {}

    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!picture.isNull())
            QPainter(this).drawImage(0, 0, picture);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
            OnClick();
    }

private:
    const QImage& picture;
};

// Takes the drags and drops of rows within the attributes list to the editor's handlers.
class AttributeDrop : public QObject
{
public:
    explicit AttributeDrop(TOsobaEdycjaForm* editor) : QObject(editor), editor(editor) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (drag->source() == editor->ListViewInformacjeDodatkowe &&
                editor->ListViewInformacjeDodatkoweDragOver(drag->position().toPoint())) {
                // A copy, so that the list does not take the dragged row out itself once the drop is done.
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->source() != editor->ListViewInformacjeDodatkowe) {
                drop->ignore();
                return true;
            }
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            editor->ListViewInformacjeDodatkoweDragDrop(drop->position().toPoint());
            return true;
        }
        default:
            return false;
        }
    }

private:
    TOsobaEdycjaForm* editor;
};

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, const QRect& geometry)
{
    return addButton(parent, name, QString::fromUtf8(caption), geometry);
}

QToolButton* makeFlatButton(QWidget* parent, const char* name, const char* caption, const QRect& geometry)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(QString::fromUtf8(caption));
    button->setAutoRaise(true);
    button->setGeometry(geometry);
    return button;
}

TLabel* makeLabel(QWidget* parent, const char* name, const char* caption, const QPoint& place)
{
    auto* label = new TLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->move(place);
    // Names are shown as they are written, never as markup; the header's colours show through.
    label->setTextFormat(Qt::PlainText);
    label->SetTransparent(true);
    label->SetCaption(QString::fromUtf8(caption));
    return label;
}

TAdvGroupBox* makeGroupBox(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* box = new TAdvGroupBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->SetTransparent(true);
    return box;
}

// A report list of the editor: whole rows selected, one at a time, the selection kept in sight without the focus,
// texts read only, 13 px Tahoma.
QTreeWidget* makeList(QWidget* parent, const char* name, const QStringList& columns)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setColumnCount(int(columns.size()));
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformRowHeights(true);
    QFont font(Fonts::familyFor(QStringLiteral("Tahoma")));
    font.setPixelSize(13);
    list->setFont(font);
    QPalette colours = list->palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    list->setPalette(colours);
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(true);
    SetAlign(list, alClient);
    return list;
}

// A column of command buttons along the right edge of a page.
QWidget* addButtonColumn(QWidget* page)
{
    auto* column = new QWidget(page);
    column->resize(buttonColumnWidth, page->height());
    SetAlign(column, alRight);
    return column;
}

QRect buttonPlace(int index)
{
    return QRect(8, 4 + index * 34, buttonColumnWidth - 12, 28);
}

// "W górę" and "W dół" below a page's commands: they move the selected row.
std::pair<QToolButton*, QToolButton*> addMoveButtons(QWidget* column, const char* upName, const char* downName)
{
    QToolButton* up = makeFlatButton(column, upName, "W górę", buttonPlace(4));
    up->setToolTip(QStringLiteral("Przesuń w górę"));
    QToolButton* down = makeFlatButton(column, downName, "W dół", buttonPlace(5));
    down->setToolTip(QStringLiteral("Przesuń w dół"));
    return {up, down};
}

} // namespace

TOsobaEdycjaForm::TOsobaEdycjaForm(QWidget* owner) : TForm(owner)
{
    setObjectName(QStringLiteral("OsobaEdycjaForm"));
    setFont(QFont(Fonts::familyFor(QStringLiteral("Tahoma")), 8));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    SetBorderStyle(bsDialog);
    SetClientSize(clientWidth, clientHeight);
    buildBottomBar();
    AdvPanelDane = new QWidget(this);
    AdvPanelDane->setObjectName(QStringLiteral("AdvPanelDane"));
    SetAlign(AdvPanelDane, alClient);
    buildHeader();
    buildPages();
    buildMenus();
    connectHandlers();
}

void TOsobaEdycjaForm::buildBottomBar()
{
    AdvPanel2 = new TAdvPanel(this);
    AdvPanel2->setObjectName(QStringLiteral("AdvPanel2"));
    AdvPanel2->setGeometry(0, clientHeight - 50, clientWidth, 50);
    AdvPanel2->SetBevelOuter(bvNone);
    SetAlign(AdvPanel2, alBottom);
    ButtonPersonFormularz = makeButton(AdvPanel2, "ButtonPersonFormularz", "Drukuj", QRect(10, 10, 100, 30));
    ButtonFormularz = makeButton(AdvPanel2, "ButtonFormularz", "Formularz", QRect(116, 10, 100, 30));
    ButtonPersonUsun = makeButton(AdvPanel2, "ButtonPersonUsun", "Usuń", QRect(222, 10, 100, 30));
    Button4 = makeButton(AdvPanel2, "Button4", "Zamknij", QRect(clientWidth - 118, 10, 108, 30));
    SetCancelButton(Button4);
    AdvPanel2->Loaded();
}

void TOsobaEdycjaForm::buildHeader()
{
    AdvPanelDaneOsoby = new TAdvPanel(AdvPanelDane);
    AdvPanelDaneOsoby->setObjectName(QStringLiteral("AdvPanelDaneOsoby"));
    AdvPanelDaneOsoby->setGeometry(0, 0, clientWidth, 214);
    AdvPanelDaneOsoby->SetBevelOuter(bvNone);
    AdvPanelDaneOsoby->SetColor(clWhite);
    SetAlign(AdvPanelDaneOsoby, alTop);

    AdvGroupBox1 = makeGroupBox(AdvPanelDaneOsoby, "AdvGroupBox1", QRect(4, 2, clientWidth - 8, 210));
    AdvGroupBoxPictureFrame = makeGroupBox(AdvGroupBox1, "AdvGroupBoxPictureFrame", QRect(8, 8, 176, 196));
    AdvGroupBoxPictureFrame->SetTransparent(false);
    auto* pictureBox = new PictureBox(AdvGroupBoxPictureFrame, PictureBitmap);
    pictureBox->OnClick = [this] { PaintBoxPictureClick(); };
    PaintBoxPicture = pictureBox;
    PaintBoxPicture->setObjectName(QStringLiteral("PaintBoxPicture"));
    PaintBoxPicture->setGeometry(9, 4, 158, 188);

    AdvGroupBox2 = makeGroupBox(AdvGroupBox1, "AdvGroupBox2", QRect(192, 8, clientWidth - 208, 196));
    PanelTitle = makeLabel(AdvGroupBox2, "PanelTitle", "Imię i nazwisko", QPoint(14, 14));
    TFont title = PanelTitle->GetFont();
    title.SetHeight(-24);
    title.Style = fsBold;
    PanelTitle->SetFont(title);
    Label2 = makeLabel(AdvGroupBox2, "Label2", "*", QPoint(16, 62));
    LabelDataUr = makeLabel(AdvGroupBox2, "LabelDataUr", "data i miejsce urodzenia", QPoint(34, 62));
    LabelDataZgLabel = makeLabel(AdvGroupBox2, "LabelDataZgLabel", "+", QPoint(16, 84));
    LabelDataZg = makeLabel(AdvGroupBox2, "LabelDataZg", "data i miejsce zgonu", QPoint(34, 84));
    for (TLabel* label : {Label2, LabelDataUr, LabelDataZgLabel, LabelDataZg}) {
        TFont dates = label->GetFont();
        dates.SetHeight(-13);
        label->SetFont(dates);
    }
    AdvGroupBox5 = makeGroupBox(AdvGroupBox2, "AdvGroupBox5", QRect(8, 144, 360, 44));
    SpeedButton1 = makeFlatButton(AdvGroupBox5, "SpeedButton1", "Edytuj", QRect(8, 8, 90, 28));
    ButtonDodajZdjecie = makeFlatButton(AdvGroupBox5, "ButtonDodajZdjecie", "Dodaj zdjęcie", QRect(104, 8, 120, 28));
    ButtonUsunZdjecie = makeFlatButton(AdvGroupBox5, "ButtonUsunZdjecie", "Zdjęcia", QRect(104, 8, 120, 28));
    AdvPanelDaneOsoby->Loaded();
}

void TOsobaEdycjaForm::buildPages()
{
    AdvPageControl1 = new TAdvPageControl(AdvPanelDane);
    AdvPageControl1->setObjectName(QStringLiteral("AdvPageControl1"));
    AdvPageControl1->SetTabBorder3D(true);
    SetAlign(AdvPageControl1, alClient);
    const auto page = [this](const char* name) {
        auto* sheet = new TAdvTabSheet(AdvPageControl1);
        sheet->setObjectName(QLatin1String(name));
        sheet->SetAdvPageControl(AdvPageControl1);
        sheet->SetColor(clWhite);
        return sheet;
    };
    AdvTabSheetKrewni = page("AdvTabSheetKrewni");
    AdvTabSheetFakty = page("AdvTabSheetFakty");
    AdvTabSheetInfoDodatkowe = page("AdvTabSheetInfoDodatkowe");
    AdvTabSheet4 = page("AdvTabSheet4");
    AdvTabSheet4->SetTabVisible(false);
    buildRelativesPage();
    buildFactsPage();
    buildAttributesPage();
    AdvPageControl1->Loaded();
}

void TOsobaEdycjaForm::buildRelativesPage()
{
    QWidget* buttons = addButtonColumn(AdvTabSheetKrewni);
    ButtonKrewnyAdd = makeButton(buttons, "ButtonKrewnyAdd", "Dodaj", buttonPlace(0));
    ButtonMenuKolejnosc = makeButton(buttons, "ButtonMenuKolejnosc", "Kolejność", buttonPlace(1));
    ButtonKrewnyEditFakt = makeButton(buttons, "ButtonKrewnyEditFakt", "Edytuj", buttonPlace(2));
    ButtonPokazDaneKrwenego = makeButton(buttons, "ButtonPokazDaneKrwenego", "Pokaż", buttonPlace(3));
    ButtonKrewnyDelete = makeButton(buttons, "ButtonKrewnyDelete", "Usuń", buttonPlace(4));
    ListViewRodzina = makeList(AdvTabSheetKrewni, "ListViewRodzina", {QString(), QString()});
    ListViewRodzina->setHeaderHidden(true);
    ListViewRodzina->setRootIsDecorated(true);
    // The labels keep their 140 px beside the small indent of the rows under their group.
    ListViewRodzina->setIndentation(12);
    ListViewRodzina->setColumnWidth(0, 152);
    ListViewRodzina->setItemDelegate(new EditorRowDelegate(EditorRowDelegate::Relatives, ListViewRodzina));
}

void TOsobaEdycjaForm::buildFactsPage()
{
    QWidget* buttons = addButtonColumn(AdvTabSheetFakty);
    ButtonFactAdd = makeButton(buttons, "ButtonFactAdd", "Dodaj", buttonPlace(0));
    ButtonFactEdit = makeButton(buttons, "ButtonFactEdit", "Edytuj", buttonPlace(1));
    ButtonFactDelete = makeButton(buttons, "ButtonFactDelete", "Usuń", buttonPlace(2));
    std::tie(SpeedButtonGora, SpeedButtonDol) = addMoveButtons(buttons, "SpeedButtonGora", "SpeedButtonDol");
    SpeedButtonSort = makeFlatButton(buttons, "SpeedButtonSort", "Sortuj", buttonPlace(6));
    SpeedButtonSort->setToolTip(QStringLiteral("Sortuj listę faktów według typu i daty"));
    ListViewFakty = makeList(AdvTabSheetFakty, "ListViewFakty",
                             {QStringLiteral("KOD"), QStringLiteral("Fakt/Zdarzenie"), QStringLiteral("Data"),
                              QStringLiteral("Miejsce"), QStringLiteral("Opis / Dotyczy")});
    ListViewFakty->setColumnHidden(0, true);
    for (const int column : {1, 2, 3})
        ListViewFakty->setColumnWidth(column, 150);
    ListViewFakty->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    ListViewFakty->setItemDelegate(new EditorRowDelegate(EditorRowDelegate::FactsOrAttributes, ListViewFakty));
}

void TOsobaEdycjaForm::buildAttributesPage()
{
    QWidget* buttons = addButtonColumn(AdvTabSheetInfoDodatkowe);
    ButtonInfoAdd = makeButton(buttons, "ButtonInfoAdd", "Dodaj", buttonPlace(0));
    ButtonInfoEdytuj = makeButton(buttons, "ButtonInfoEdytuj", "Edytuj", buttonPlace(1));
    ButtonInfoUsun = makeButton(buttons, "ButtonInfoUsun", "Usuń", buttonPlace(2));
    std::tie(SpeedButtonAtrGora, SpeedButtonAtrDol) =
        addMoveButtons(buttons, "SpeedButtonAtrGora", "SpeedButtonAtrDol");

    auto* note = new QWidget(AdvTabSheetInfoDodatkowe);
    note->resize(clientWidth, 96);
    note->setContentsMargins(4, 0, 4, 4);
    SetAlign(note, alBottom);
    auto* noteLabel = new QWidget(note);
    noteLabel->resize(clientWidth, 20);
    SetAlign(noteLabel, alTop);
    Label1 = makeLabel(noteLabel, "Label1", "Notatki", QPoint(0, 4));
    MemoNote = new QPlainTextEdit(note);
    MemoNote->setObjectName(QStringLiteral("MemoNote"));
    MemoNote->setReadOnly(true);
    SetAlign(MemoNote, alClient);

    ListViewInformacjeDodatkowe =
        makeList(AdvTabSheetInfoDodatkowe, "ListViewInformacjeDodatkowe",
                 {QStringLiteral("KOD"), QStringLiteral("Nazwa atrybutu"), QStringLiteral("Wartość")});
    ListViewInformacjeDodatkowe->setColumnHidden(0, true);
    ListViewInformacjeDodatkowe->setColumnWidth(1, 200);
    ListViewInformacjeDodatkowe->setColumnWidth(2, 380);
    ListViewInformacjeDodatkowe->setItemDelegate(
        new EditorRowDelegate(EditorRowDelegate::FactsOrAttributes, ListViewInformacjeDodatkowe));
    // The rows are dragged by the list, but dropped by the editor (eventFilter): a drop swaps two attributes of
    // the person, which the list's own insert-move could not say.
    ListViewInformacjeDodatkowe->setDragEnabled(true);
    ListViewInformacjeDodatkowe->setDragDropMode(QAbstractItemView::DragDrop);
    ListViewInformacjeDodatkowe->setDefaultDropAction(Qt::CopyAction);
    ListViewInformacjeDodatkowe->viewport()->installEventFilter(new AttributeDrop(this));
}

void TOsobaEdycjaForm::buildMenus()
{
    const auto menu = [this](const char* name) { return newNamedMenu(this, name); };
    // The Tag of an item rides as its data: the kind of fact or relative its command adds.
    const auto item = [](QMenu* into, const char* name, const char* caption, int tag = 0) {
        QAction* action = addNamedItem(into, name, caption);
        action->setData(tag);
        return action;
    };
    const auto separator = addNamedSeparator;
    const auto submenu = addNamedSubmenu;

    PopupMenuFactsList = menu("PopupMenuFactsList");
    FactBirt = item(PopupMenuFactsList, "FactBirt", "Narodziny", 1);
    Chrzest1 = item(PopupMenuFactsList, "Chrzest1", "Chrzest", 20);
    N1 = separator(PopupMenuFactsList, "N1");
    Edukacja1 = item(PopupMenuFactsList, "Edukacja1", "Wykształcenie", 21);
    Edukacja1->setVisible(false);
    Edukacja2 = item(PopupMenuFactsList, "Edukacja2", "Edukacja", 22);
    N2 = separator(PopupMenuFactsList, "N2");
    Faktydotyczcezwizkw1 = submenu(PopupMenuFactsList, "Faktydotyczcezwizkw1", "Fakty dotyczące związków");
    Zarczyny2 = item(Faktydotyczcezwizkw1, "Zarczyny2", "Zaręczyny", 500);
    N3 = separator(Faktydotyczcezwizkw1, "N3");
    Zawarciezwizku2 = item(Faktydotyczcezwizkw1, "Zawarciezwizku2", "Zawarcie związku", 510);
    N4 = separator(Faktydotyczcezwizkw1, "N4");
    Rozwd1 = item(Faktydotyczcezwizkw1, "Rozwd1", "Rozwód", 520);
    Uniewanienie1 = item(Faktydotyczcezwizkw1, "Uniewanienie1", "Unieważnienie", 530);
    N5 = separator(Faktydotyczcezwizkw1, "N5");
    Innyfaktdotyczcyzwizku1 = item(Faktydotyczcezwizkw1, "Innyfaktdotyczcyzwizku1", "Inny fakt dotyczący związku", 540);
    N6 = separator(PopupMenuFactsList, "N6");
    FactDeath = item(PopupMenuFactsList, "FactDeath", "Zgon", 2);
    FactBuri = item(PopupMenuFactsList, "FactBuri", "Pochówek", 3);
    N7 = separator(PopupMenuFactsList, "N7");
    Wasnefacty1 = submenu(PopupMenuFactsList, "Wasnefacty1", "Własne fakty");
    Wasnefacty1->menuAction()->setData(100);
    N8 = separator(PopupMenuFactsList, "N8");
    Wasnyfakt1 = item(PopupMenuFactsList, "Wasnyfakt1", "Inny fakt", 10);

    PopupMenuKrewniList = menu("PopupMenuKrewniList");
    KrewnyFather = item(PopupMenuKrewniList, "KrewnyFather", "Ojciec", 1);
    KrewnyMother = item(PopupMenuKrewniList, "KrewnyMother", "Matka", 2);
    N9 = separator(PopupMenuKrewniList, "N9");
    KrewnyBrother = item(PopupMenuKrewniList, "KrewnyBrother", "Brat", 6);
    KrewnySister = item(PopupMenuKrewniList, "KrewnySister", "Siostra", 7);
    N10 = separator(PopupMenuKrewniList, "N10");
    WspmaonkaPartnera1 = item(PopupMenuKrewniList, "WspmaonkaPartnera1", "Współmałżonek/Partner", 3);
    Faktydotzwizkw1 = submenu(PopupMenuKrewniList, "Faktydotzwizkw1", "Fakty dotyczące związków");
    Zarczyny1 = item(Faktydotzwizkw1, "Zarczyny1", "Zaręczyny", 500);
    N11 = separator(Faktydotzwizkw1, "N11");
    Zawarciezwizku1 = item(Faktydotzwizkw1, "Zawarciezwizku1", "Zawarcie związku", 510);
    N12 = separator(Faktydotzwizkw1, "N12");
    Zakoczeniezwizku1 = item(Faktydotzwizkw1, "Zakoczeniezwizku1", "Rozwód", 520);
    Anulowaniezwizku1 = item(Faktydotzwizkw1, "Anulowaniezwizku1", "Unieważnienie", 530);
    N13 = separator(Faktydotzwizkw1, "N13");
    Innyfaktdotzawarciazwizku1 =
        item(Faktydotzwizkw1, "Innyfaktdotzawarciazwizku1", "Inny fakt dotyczący związku", 540);
    N14 = separator(PopupMenuKrewniList, "N14");
    MDzieckoAdd = item(PopupMenuKrewniList, "MDzieckoAdd", "Syn", 4);
    Crk1 = item(PopupMenuKrewniList, "Crk1", "Córka", 5);

    // Its items come from the attribute-type table when it first opens.
    PopupMenuDodatkowePola = menu("PopupMenuDodatkowePola");

    PopupMenuAkcja = menu("PopupMenuAkcja");
    ZamienKolejnoscZwiazkow = item(PopupMenuAkcja, "ZamienKolejnoscZwiazkow", "Zmień kolejność związków");
    Zmiekolejnodzieci1 = item(PopupMenuAkcja, "Zmiekolejnodzieci1", "Zmień kolejność dzieci");

    PopupMenuWydruk = menu("PopupMenuWydruk");
    RaportDaneszczegowe1 = item(PopupMenuWydruk, "RaportDaneszczegowe1", "Raport: Dane szczegółowe");
    N15 = separator(PopupMenuWydruk, "N15");
    Drzewoprzodkw1 = item(PopupMenuWydruk, "Drzewoprzodkw1", "Drzewo przodków");
    Drzewopotomkw1 = item(PopupMenuWydruk, "Drzewopotomkw1", "Drzewo potomków");
    Drzewoprzodkwipotomkw1 = item(PopupMenuWydruk, "Drzewoprzodkwipotomkw1", "Drzewo przodków i potomków");
}

void TOsobaEdycjaForm::connectHandlers()
{
    OnActivate = [this](QObject*) { FormActivate(); };
    connect(Button4, &QPushButton::clicked, this, &TOsobaEdycjaForm::Button4Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TOsobaEdycjaForm::ButtonEditDaneClick);

    connect(ButtonFactAdd, &QPushButton::clicked, this, &TOsobaEdycjaForm::ButtonFactAddClick);
    connect(PopupMenuFactsList, &QMenu::aboutToShow, this, &TOsobaEdycjaForm::PopupMenuFactsListPopup);
    for (QAction* item : {FactBirt, Chrzest1, Edukacja1, Edukacja2, Zarczyny2, Zawarciezwizku2, Rozwd1, Uniewanienie1,
                          Innyfaktdotyczcyzwizku1, FactDeath, FactBuri, Wasnyfakt1, Zarczyny1, Zawarciezwizku1,
                          Zakoczeniezwizku1, Anulowaniezwizku1, Innyfaktdotzawarciazwizku1})
        connect(item, &QAction::triggered, this, [this, item] { Wasnyfakt1Click(item); });
    connect(ButtonFactEdit, &QPushButton::clicked, this, [this] { ButtonFactEditClick(FromFactsList); });
    connect(ButtonKrewnyEditFakt, &QPushButton::clicked, this, [this] { ButtonFactEditClick(FromRelatives); });
    connect(ListViewFakty, &QTreeWidget::itemDoubleClicked, this, &TOsobaEdycjaForm::ListViewFaktyDblClick);
    connect(ButtonFactDelete, &QPushButton::clicked, this, &TOsobaEdycjaForm::ButtonFactDeleteClick);
    connect(SpeedButtonSort, &QToolButton::clicked, this, &TOsobaEdycjaForm::SpeedButtonSortClick);
    connect(SpeedButtonGora, &QToolButton::clicked, this, &TOsobaEdycjaForm::SpeedButtonGoraClick);
    connect(SpeedButtonDol, &QToolButton::clicked, this, &TOsobaEdycjaForm::SpeedButtonDolClick);

    connect(ButtonInfoAdd, &QPushButton::clicked, this, &TOsobaEdycjaForm::ButtonInfoAddClick);
    connect(PopupMenuDodatkowePola, &QMenu::aboutToShow, this, &TOsobaEdycjaForm::PopupMenuDodatkowePolaPopup);
    connect(ButtonInfoEdytuj, &QPushButton::clicked, this, &TOsobaEdycjaForm::ButtonInfoEdytujClick);
    connect(ListViewInformacjeDodatkowe, &QTreeWidget::itemDoubleClicked, this,
            &TOsobaEdycjaForm::ListViewInformacjeDodatkoweDblClick);
    connect(ButtonInfoUsun, &QPushButton::clicked, this, &TOsobaEdycjaForm::ButtonInfoUsunClick);
    connect(SpeedButtonAtrGora, &QToolButton::clicked, this, &TOsobaEdycjaForm::Atrzmianagora);
    connect(SpeedButtonAtrDol, &QToolButton::clicked, this, &TOsobaEdycjaForm::SpeedButtonAtrDolClick);

    connect(ButtonKrewnyAdd, &QPushButton::clicked, this, &TOsobaEdycjaForm::ButtonKrewnyAddClick);
    connect(PopupMenuKrewniList, &QMenu::aboutToShow, this, &TOsobaEdycjaForm::PopupMenuKrewniListPopup);
    for (QAction* item :
         {KrewnyFather, KrewnyMother, KrewnyBrother, KrewnySister, WspmaonkaPartnera1, MDzieckoAdd, Crk1})
        connect(item, &QAction::triggered, this, [this, item] { DodajKrewnego(item); });
    connect(ButtonKrewnyDelete, &QPushButton::clicked, this, &TOsobaEdycjaForm::ButtonKrewnyDeleteClick);
    connect(ButtonPokazDaneKrwenego, &QPushButton::clicked, this, &TOsobaEdycjaForm::ButtonPokazDaneKrwenegoClick);
    connect(ListViewRodzina, &QTreeWidget::itemDoubleClicked, this, &TOsobaEdycjaForm::ListViewRodzinaDblClick);
    connect(ButtonMenuKolejnosc, &QPushButton::clicked, this, &TOsobaEdycjaForm::ButtonMenuKolejnoscClick);
    connect(ZamienKolejnoscZwiazkow, &QAction::triggered, this, &TOsobaEdycjaForm::ZmienKolejnoscZwiazkow);
    connect(Zmiekolejnodzieci1, &QAction::triggered, this, &TOsobaEdycjaForm::Zmiekolejnodzieci1Click);

    connect(ButtonDodajZdjecie, &QToolButton::clicked, this, &TOsobaEdycjaForm::WstawZdjecie);
    connect(ButtonUsunZdjecie, &QToolButton::clicked, this, &TOsobaEdycjaForm::ButtonUsunZdjecieClick);

    connect(ButtonPersonUsun, &QPushButton::clicked, this, &TOsobaEdycjaForm::ButtonPersonUsunClick);
    connect(ButtonFormularz, &QPushButton::clicked, this, &TOsobaEdycjaForm::ButtonFormularzClick);
    connect(ButtonPersonFormularz, &QPushButton::clicked, this, &TOsobaEdycjaForm::ButtonPersonFormularzClick);
    connect(PopupMenuWydruk, &QMenu::aboutToShow, this, &TOsobaEdycjaForm::PopupMenuWydrukPopup);
    connect(RaportDaneszczegowe1, &QAction::triggered, this, &TOsobaEdycjaForm::RaportDaneszczegowe1Click);
    connect(Drzewoprzodkw1, &QAction::triggered, this, &TOsobaEdycjaForm::Drzewoprzodkw1Click);
    connect(Drzewopotomkw1, &QAction::triggered, this, &TOsobaEdycjaForm::Drzewopotomkw1Click);
    connect(Drzewoprzodkwipotomkw1, &QAction::triggered, this, &TOsobaEdycjaForm::Drzewoprzodkwipotomkw1Click);

    for (QTreeWidget* list : {ListViewRodzina, ListViewFakty, ListViewInformacjeDodatkowe})
        connect(list, &QTreeWidget::itemSelectionChanged, this, &TOsobaEdycjaForm::UpdateButtons);
    // A new note shows the person's colours again, as every change of the note box does.
    connect(MemoNote, &QPlainTextEdit::textChanged, this, &TOsobaEdycjaForm::ApplySexColors);
    // The note box is read only; Esc in it closes the editor.
    EscapeCloses(MemoNote);
}

void TOsobaEdycjaForm::FormActivate()
{
    if (!FirstActivation)
        return;
    FirstActivation = false;
    AdvPageControl1->SetActivePage(AdvTabSheetKrewni);
    RefreshAll();
    if (const QScreen* desktop = screen()) {
        const int h = desktop->availableGeometry().height();
        move(x(), std::min((h - frameGeometry().height()) / 2, int(h * 0.1)));
    }
    if (PersonID.isEmpty()) {
        AdvPanelDane->hide();
        ButtonEditDaneClick();
        if (PersonID.isEmpty())
            QMetaObject::invokeMethod(this, &TForm::Close, Qt::QueuedConnection);
        AdvPanelDane->show();
    }
}

void TOsobaEdycjaForm::Button4Click()
{
    Close();
}

bool TOsobaEdycjaForm::savePerson(KV_Person* person)
{
    if (gDB.SavePerson(person, person->ID))
        return true;
    showStorageFailure(gDB.StorageError);
    return false;
}

void TOsobaEdycjaForm::showStorageFailure(const QString& failure)
{
    prompter().message(failure, gProductName, Prompter::Icon::Warning);
}

bool TOsobaEdycjaForm::HasBasicData()
{
    if (!PersonID.isEmpty())
        return true;
    prompter().message(gLangM.Get(QStringLiteral("LABEL_PODAJ_PODSTAWOWE_DANE_OSOBY!")), gProductName);
    return false;
}

void TOsobaEdycjaForm::ButtonEditDaneClick()
{
    TFormDaneOsobyBasic* form = FormDaneOsobyBasic;
    if (!form)
        return;
    form->PresetLeft = x() + (width() - form->width()) / 2;
    form->PresetTop = y() + 20;
    form->SetupFor(PersonID, PersonSex);
    if (form->ShowModal() != mrOk)
        return;
    PersonID = form->PersonID;
    PersonSex = form->PersonSex;
    ApplySexColors();
    RefreshHeader();
    FillFacts(QString(), true);
}

QString EditPerson(QWidget* owner, const QString& personID, int sex)
{
    QString id = personID;
    if (id.isEmpty()) {
        TFormDaneOsobyBasic* form = FormDaneOsobyBasic;
        if (!form)
            return QString();
        form->PresetTop = -1;
        form->PresetLeft = -1;
        form->SetupFor(QString(), sex);
        if (form->ShowModal() != mrOk)
            return QString();
        id = form->PersonID;
        sex = form->PersonSex;
    }
    const std::unique_ptr<TOsobaEdycjaForm> editor = std::make_unique<TOsobaEdycjaForm>(owner);
    editor->Translate();
    // An editor opened from the family view does not offer the family view again.
    editor->ButtonFormularz->setVisible(!(FormFormularz && FormFormularz->isVisible()));
    editor->PersonID = id;
    editor->PersonSex = sex;
    editor->FirstActivation = true;
    editor->ShowModal();
    return editor->PersonID;
}

QString MenuCaptionOfName(const QString& name)
{
    return QString(name).replace(u'&', QStringLiteral("&&"));
}

QString NameOfMenuCaption(const QString& caption)
{
    return QString(caption).replace(QStringLiteral("&&"), QStringLiteral("&"));
}
