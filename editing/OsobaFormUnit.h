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
};

// The editor's texts in the order of its layout, for Translate.
QList<CaptionEntry> OsobaEdycjaFormCaptions(TOsobaEdycjaForm* form);

// Shows the person editor for the person (a new person of the sex made in the quick person form first when the
// ID is empty) and returns the ID it showed last; "" when no person was made.
QString EditPerson(QWidget* owner, const QString& personID, int sex);
