// The person list window: the persons that match a search text and three filters, sorted by a chosen column, as
// a report list or as tiles with pictures. In browse mode (the main window's "Lista osób") it adds, edits,
// deletes and prints persons; in select mode it lets another window pick one person.
//
// Editing and the family view do not run inside the window: it closes with the action asked for, ShowPersonList
// runs the action through its hook and shows the window again, in the same mode, with the person selected.
#pragma once

#include "Bazadanych.h"
#include "Forms.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>

class KV_Person;
class PersonListModel;
class QLabel;
class QMenu;
class QAction;
class QPushButton;
class QTableView;
class QTimer;
class QToolButton;
class TAdvComboBox;
class TAdvEdit;
class TCanvas;
class TDrawGrid;
struct TRect;

// The two views of the list, as gSettings.PersonListStyle keeps them.
enum PersonListStyle { StyleTiles = 1, StyleList = 2 };

class TFormListaOsob : public TForm
{
    Q_OBJECT
public:
    explicit TFormListaOsob(QWidget* owner = nullptr);
    ~TFormListaOsob() override;

    // Hooks for the actions the window closes with; the entry point connects them.
    // Edits a person, or makes a new one of the sex (0 woman, 1 man) for an empty ID; returns the ID to select.
    std::function<QString(const QString& personID, int sex)> EditPerson;
    // Shows the family view of a person modally.
    std::function<void(const QString& personID)> ShowFamilyView;

    // Sets the search text and the sex filter for the next showing, which searches again.
    void PresetFilter(const QString& searchText, bool allowWomen, bool allowMen);
    // The next showing applies the stored view style, and searches again when the persons changed.
    void MarkForRefresh();
    // Shows the window modally in a mode and runs the actions it closes with, until it closes without one.
    void ShowPersonList(bool selectMode);
    // The person chosen with "Wybierz zaznaczoną osobę" in the last showing; "" when none.
    QString GetSelectedID() const;
    int GetSelectedCount() const { return int(chosenIDs.size()); }

    // Search, sort, rows, tiles, sort mark, title and the selection of the ID (the first row when it is not
    // listed).
    void Refill(const QString& id);
    void SelectID(const QString& id);
    // The person under the selection of the visible view; "" when none.
    QString GetCurrentID() const;
    void SetViewStyle(int style);
    // Column count and widths and row count of the tile grid, from its width.
    void LayoutTiles();
    // The last list column takes the rest of the list's width, at least 120 px.
    void FitLastColumn();
    // Closes to make a new person of the sex.
    void RequestNewPerson(int sex);

    // Handlers.
    void FormShow();
    void FormActivate();
    void FormResize();
    void FormShortCut(QKeyEvent* key, bool& handled);
    // A change of the search text, "w polu" or "Płeć", a choice in "Zmarła" or "Zdjęcia".
    void ZnajdzDane();
    // "Pokaż wszystkie" and F10.
    void wyczyscfiltr();
    // "Wybierz zaznaczoną osobę".
    void wybierzOsobe();
    // "Zamknij" and a click on the action panel.
    void Zamknij();
    // "Edytuj".
    void editPerson();
    // "Usuń".
    void deletePerson();
    // "Kobieta".
    void ButtonAddFemaleClick();
    // "Mężczyzna".
    void ButtonAddMaleClick();
    // "Formularz": the family view.
    void FormPerson();
    // "Drukuj": the print menu under the button.
    void ButtonDrukujClick();
    // The print menu's items: "Raport - Dane szczegółowe", "Raport - Lista osób", "Drzewo przodków",
    // "Drzewo potomków", "Drzewo przodków i potomków"; and its enabling as it opens.
    void RaportDaneosobyszczegy1Click();
    void Listaosb1Click();
    void Drzewoprzodkw1Click();
    void Drzewopotomkw1Click();
    void Drzewoprzodkwipotomkw1Click();
    void PopupMenuWydrukPopup();
    void ListViewOsobyColumnClick(int column);
    void ListViewOsobyDblClick();
    void ListViewOsobySelectItem();
    void EditSzukajKeyDown(int& key);
    // "Kafelki" and "Lista".
    void SBLVOsobyKafelkiClick();
    void SBLVOsobyListaClick();
    void DrawGridListaOsobDrawCell(int col, int row, const TRect& rect, int state, TCanvas& canvas);
    void DrawGridListaOsobSelectCell();
    void DrawGridListaOsobDblClick();
    // The buttons' enabling, once after a selection change.
    void TimerPokazZdjecieTimer();

    // Components.
    QLabel* PanelTitle;
    QPushButton* ButtonWyczysc;
    QWidget* PanelSearch;
    TAdvEdit* EditSzukaj;
    TAdvComboBox* AdvComboBoxSzukajW;
    TAdvComboBox* FiltrPlec;
    TAdvComboBox* FiltrStan;
    TAdvComboBox* FiltrZdjecia;
    QWidget* PanelView;
    QToolButton* SBLVOsobyKafelki;
    QToolButton* SBLVOsobyLista;
    QWidget* PanelContent;
    TDrawGrid* DrawGridListaOsob;
    QTableView* ListViewOsoby;
    PersonListModel* ListViewOsobyModel;
    QWidget* PanelActions;
    QPushButton* ButtonDrukuj;
    QPushButton* ButtonAddFemale;
    QPushButton* ButtonAddMale;
    QPushButton* ButtonPersonEdit;
    QPushButton* ButtonPersonFormularz;
    QPushButton* ButtonPersonUsun;
    QPushButton* ButtonPersonSelect;
    QPushButton* ButtonClose;
    QMenu* PopupMenuWydruk;
    QAction* RaportDaneosobyszczegy1;
    QAction* Listaosb1;
    // The separator between the reports and the trees.
    QAction* N1;
    QAction* Drzewoprzodkw1;
    QAction* Drzewopotomkw1;
    QAction* Drzewoprzodkwipotomkw1;
    QTimer* TimerPokazZdjecie;

private:
    enum class CloseAction { None = -1, EditPerson = 1, FamilyView = 10 };

    void buildTitle();
    void buildSearch();
    void buildViewBar();
    void buildContent();
    void buildActions();
    void buildPrintMenu();
    void connectHandlers();
    void applyMode(bool selectMode);
    // Closes with an action for a person, when its hook is connected.
    void requestAction(CloseAction action, const QString& personID);
    // The search text changed: one refill at the next turn of the event loop, whatever number of keys came.
    void scheduleRefill();
    int rowCount() const;
    // The row of the first selected list item; -1 when none.
    int selectedListRow() const;
    // The row of the tile grid's current cell, when it holds a person; -1 otherwise.
    int currentTileRow() const;
    // The sort column's arrow, in the direction of the sort.
    void showSortMark();

    PersonSortKey sortKey = PersonSortKey::Name;
    bool ascending = true;
    bool selectMode = false;
    QStringList chosenIDs;
    CloseAction closeAction = CloseAction::None;
    int newPersonSex = 0;
    QString actionID;
    bool rebuildOnShow = true;
    QString idAfterRebuild;
    QString currentID;
    bool reapplyStyle = false;
    bool presetGuard = false;
    bool selecting = false;
    bool refillPending = false;
};

// The one person list, created by the entry point right after the main window.
extern TFormListaOsob* FormListaOsob;

// The main window's "Lista osób": browse mode, searched again when the persons changed.
void BrowsePersonList();
// A person picked from the list in select mode, of the allowed sexes (both or neither: any); "" when none was
// chosen. The other windows reach it through PickPerson.
QString PickPersonFromList(bool allowWomen, bool allowMen);
// The placeholder picture of a person without one: the female one for sex 0, the male one for any other.
QString GetAvatarPath(int sex);
// What a person's tile shows: the cached thumbnail of the profile picture (its file while no thumbnail can be
// made), or the placeholder of the person's sex.
QString GetTilePicturePath(const KV_Person& person);
// A line of a tile's texts: which text it is of, its words, and its box in the tile.
struct TileTextLine
{
    int text = 0;
    QString shown;
    QRectF box;
};
// The texts (name, birth, death) laid out from the top of the area down, each in its font and each below the one
// before with the gap between them, so a name or place that wraps pushes the rest down. A text wraps into as many
// lines as leave one line for each later text; its last line takes the rest of it, to be trimmed where it is too
// wide. An empty text takes no room, and one that finds no room for a line is left out.
QVector<TileTextLine> LayoutTileTexts(const QStringList& texts, const QList<QFont>& fonts, const QRectF& area,
                                      qreal gap);
