// The person editor: one person with the name, birth, death, note and picture in its header, and three views of
// its relatives, its facts and its attributes. Every other window reaches it through EditPerson, which makes an
// editor for the call, shows it modally and frees it. The editor has no save step: each command writes what it
// changes and rebuilds the views it touched.
#pragma once

#include "ControlCaptions.h"
#include "EditorRows.h"
#include "Forms.h"

#include <QImage>
#include <QString>

class KV_Person;
class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TAdvGroupBox;
class TAdvPageControl;
class TAdvPanel;
class TAdvTabSheet;
class TLabel;

class TOsobaEdycjaForm : public TForm
{
    Q_OBJECT
public:
    explicit TOsobaEdycjaForm(QWidget* owner = nullptr);

    // Sets the texts of the editor's controls from the language tables.
    void Translate();

    // The views load at the first activation after EditPerson has set this.
    bool FirstActivation = false;
    QString PersonID;
    // The sex the window's colours show.
    int PersonSex = 0;
    QString PersonName;
    QString PictureID;
    QString PictureFile;
    // The picture box's image, made on first use.
    QImage PictureBitmap;
    int UnionFactRows = 0;

    // The views.
    void RefreshAll();
    void RefreshPersonPanel();
    void RefreshHeader();
    void RefreshTitle();
    void ApplySexColors();
    void DrawProfilePicture(const KV_Person* person);
    void FillRelatives(bool updateCaptions);
    void FillFacts(const QString& selectID, bool updateCaptions);
    void FillAttributes(int selectIndex, bool updateCaptions);
    void UpdateTabCaptions();
    void UpdateButtons();
    // True with a person; otherwise asks for the basic data first.
    bool HasBasicData();

    // Handlers.
    void FormActivate();
    // "Zamknij".
    void Button4Click();
    // "Edytuj" in the header: the person's basic data in the quick person form.
    void ButtonEditDaneClick();

    // Facts (OsobaFormFacts.cpp).
    // Where an edit of a fact takes the fact from: the facts list or a union-fact row of the relatives view.
    enum FactEditSource { FromFactsList = 5, FromRelatives = 10 };
    void ButtonFactAddClick();
    // Enables the kinds the person may still get and offers the custom fact names used so far.
    void PopupMenuFactsListPopup();
    // An item of the fact menus: its Tag says the kind of fact to add.
    void Wasnyfakt1Click(QAction* item);
    // Makes a fact of the kind in the fact editor and adds it to the person; false when none was added.
    bool AddFact(const QString& type, const QString& name, bool oncePerPerson);
    void ButtonFactEditClick(FactEditSource source);
    void ListViewFaktyDblClick();
    void ButtonFactDeleteClick();
    void SpeedButtonSortClick();
    void SpeedButtonGoraClick();
    void SpeedButtonDolClick();

    // Attributes (OsobaFormAttributes.cpp).
    void ButtonInfoAddClick();
    // Builds the menu from the attribute-type table the first time, and the custom names every time.
    void PopupMenuDodatkowePolaPopup();
    // An item of the attribute menu: a row of the attribute-type table, or a custom name for a Tag below 0.
    void Wasnepole1Click(QAction* item);
    void ButtonInfoEdytujClick();
    void ListViewInformacjeDodatkoweDblClick();
    void ButtonInfoUsunClick();
    void Atrzmianagora();
    void SpeedButtonAtrDolClick();
    // A drag of the selected attribute over a point of the list's viewport: whether a drop there is taken.
    bool ListViewInformacjeDodatkoweDragOver(const QPoint& at);
    // The selected attribute dropped at a point of the list's viewport: swapped with the row there, or moved to
    // the end below the last row.
    void ListViewInformacjeDodatkoweDragDrop(const QPoint& at);

    // Relatives (OsobaFormRelatives.cpp).
    void ButtonKrewnyAddClick();
    void PopupMenuKrewniListPopup();
    // An item of the relatives menu: its Tag is the relation to add.
    void DodajKrewnego(QAction* item);
    // Removes the relation of the selected row, or the union fact it shows.
    void ButtonKrewnyDeleteClick();
    // Shows the selected relative in this editor.
    void ButtonPokazDaneKrwenegoClick();
    void ListViewRodzinaDblClick();
    void ButtonMenuKolejnoscClick();
    void ZmienKolejnoscZwiazkow();
    void Zmiekolejnodzieci1Click();

    // Pictures (OsobaFormPictures.cpp).
    // "Dodaj zdjęcie": a picture file chosen by the user, copied into the pictures folder and added.
    void WstawZdjecie();
    void ButtonUsunZdjecieClick();
    void PaintBoxPictureClick();
    // The picture viewer on the person's pictures, from the one in the picture box.
    void ShowPictures();

    // The person as a whole (OsobaFormPerson.cpp).
    void ButtonPersonUsunClick();
    // The family view on the person; every view is rebuilt afterwards, since the family view changes relatives.
    void ButtonFormularzClick();
    void ButtonPersonFormularzClick();
    // Enables the trees the person has relatives for.
    void PopupMenuWydrukPopup();
    void RaportDaneszczegowe1Click();
    void Drzewoprzodkw1Click();
    void Drzewopotomkw1Click();
    void Drzewoprzodkwipotomkw1Click();

    // Components.
    TAdvPanel* AdvPanel2;
    QPushButton* ButtonPersonFormularz;
    QPushButton* ButtonFormularz;
    QPushButton* ButtonPersonUsun;
    QPushButton* Button4;
    QWidget* AdvPanelDane;
    TAdvPanel* AdvPanelDaneOsoby;
    TAdvGroupBox* AdvGroupBox1;
    TAdvGroupBox* AdvGroupBoxPictureFrame;
    QWidget* PaintBoxPicture;
    TAdvGroupBox* AdvGroupBox2;
    TLabel* PanelTitle;
    TLabel* Label2;
    TLabel* LabelDataUr;
    TLabel* LabelDataZgLabel;
    TLabel* LabelDataZg;
    TAdvGroupBox* AdvGroupBox5;
    QToolButton* SpeedButton1;
    QToolButton* ButtonDodajZdjecie;
    QToolButton* ButtonUsunZdjecie;
    TAdvPageControl* AdvPageControl1;
    TAdvTabSheet* AdvTabSheetKrewni;
    TAdvTabSheet* AdvTabSheetFakty;
    TAdvTabSheet* AdvTabSheetInfoDodatkowe;
    TAdvTabSheet* AdvTabSheet4;
    QTreeWidget* ListViewRodzina;
    QPushButton* ButtonKrewnyAdd;
    QPushButton* ButtonMenuKolejnosc;
    QPushButton* ButtonKrewnyEditFakt;
    QPushButton* ButtonPokazDaneKrwenego;
    QPushButton* ButtonKrewnyDelete;
    QTreeWidget* ListViewFakty;
    QPushButton* ButtonFactAdd;
    QPushButton* ButtonFactEdit;
    QPushButton* ButtonFactDelete;
    QToolButton* SpeedButtonGora;
    QToolButton* SpeedButtonDol;
    QToolButton* SpeedButtonSort;
    QTreeWidget* ListViewInformacjeDodatkowe;
    QPushButton* ButtonInfoAdd;
    QPushButton* ButtonInfoEdytuj;
    QPushButton* ButtonInfoUsun;
    QToolButton* SpeedButtonAtrGora;
    QToolButton* SpeedButtonAtrDol;
    TLabel* Label1;
    QPlainTextEdit* MemoNote;

    // The menus, with every item their layout gives them.
    QMenu* PopupMenuFactsList;
    QAction* FactBirt;
    QAction* Chrzest1;
    QAction* N1;
    QAction* Edukacja1;
    QAction* Edukacja2;
    QAction* N2;
    QMenu* Faktydotyczcezwizkw1;
    QAction* Zarczyny2;
    QAction* N3;
    QAction* Zawarciezwizku2;
    QAction* N4;
    QAction* Rozwd1;
    QAction* Uniewanienie1;
    QAction* N5;
    QAction* Innyfaktdotyczcyzwizku1;
    QAction* N6;
    QAction* FactDeath;
    QAction* FactBuri;
    QAction* N7;
    QMenu* Wasnefacty1;
    QAction* N8;
    QAction* Wasnyfakt1;
    QMenu* PopupMenuKrewniList;
    QAction* KrewnyFather;
    QAction* KrewnyMother;
    QAction* N9;
    QAction* KrewnyBrother;
    QAction* KrewnySister;
    QAction* N10;
    QAction* WspmaonkaPartnera1;
    QMenu* Faktydotzwizkw1;
    QAction* Zarczyny1;
    QAction* N11;
    QAction* Zawarciezwizku1;
    QAction* N12;
    QAction* Zakoczeniezwizku1;
    QAction* Anulowaniezwizku1;
    QAction* N13;
    QAction* Innyfaktdotzawarciazwizku1;
    QAction* N14;
    QAction* MDzieckoAdd;
    QAction* Crk1;
    QMenu* PopupMenuDodatkowePola;
    // The attribute menu's holder of the custom attribute names; made with the menu's items.
    QMenu* CustomAttributesItem = nullptr;
    QMenu* PopupMenuAkcja;
    QAction* ZamienKolejnoscZwiazkow;
    QAction* Zmiekolejnodzieci1;
    QMenu* PopupMenuWydruk;
    QAction* RaportDaneszczegowe1;
    QAction* N15;
    QAction* Drzewoprzodkw1;
    QAction* Drzewopotomkw1;
    QAction* Drzewoprzodkwipotomkw1;

private:
    void buildBottomBar();
    void buildHeader();
    void buildPages();
    void buildRelativesPage();
    void buildFactsPage();
    void buildAttributesPage();
    void buildMenus();
    void connectHandlers();
    // A row of the relatives view: nothing for an empty ID unless it stands for a person that must be shown.
    void AddRelativeRow(QTreeWidgetItem* group, bool personRow, const QString& label, const QString& id,
                        RelativeRowKind kind);
    QTreeWidgetItem* addGroup(const QString& header);
    // Pops the menu up with its top-left corner at the button's bottom-left corner.
    // Writes the person; false after showing why it could not be written.
    bool savePerson(KV_Person* person);
    void showStorageFailure(const QString& failure);
    // The selected fact row's fact ID; "" without a selection.
    QString selectedFactID() const;
    // The selected attribute row's index; -1 without a selection.
    int selectedAttributeIndex() const;
    // The selected fact, or attribute, changes places with the row the step away, when there is one.
    void moveSelectedFact(int step);
    void moveSelectedAttribute(int step);
    // The reorder dialog on the person's children or unions, and the order saved there put into the person.
    void reorder(int kind);
    // The "Zdjęcia (n)" button for the person's pictures, shown instead of "Dodaj zdjęcie" when it has any.
    void showPictureButtons(const KV_Person* person);
};

// A menu caption that shows a name the user typed as it is: "&" would otherwise mark a shortcut letter.
QString MenuCaptionOfName(const QString& name);
QString NameOfMenuCaption(const QString& caption);

// The editor's texts in the order of its layout, for Translate.
QList<CaptionEntry> OsobaEdycjaFormCaptions(TOsobaEdycjaForm* form);

// Shows the person editor for the person (a new person of the sex made in the quick person form first when the
// ID is empty) and returns the ID it showed last; "" when no person was made.
QString EditPerson(QWidget* owner, const QString& personID, int sex);
