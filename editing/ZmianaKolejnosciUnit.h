// The reorder dialog: the order of a person's children or of a person's unions. It works on a copy of the list and
// writes nothing; after a save its caller puts the new order into the person and writes the person.
#pragma once

#include "Forms.h"

#include <QString>
#include <QStringList>

class QKeyEvent;
class QPushButton;
class QToolButton;
class TAdvPanel;
class TListView;

class TFormKolejnoscZmiana : public TForm
{
    Q_OBJECT
public:
    // What the dialog reorders.
    enum Kind { Children = 1, Unions = 2 };

    explicit TFormKolejnoscZmiana(QWidget* owner = nullptr);

    // Prepares the next showing for the person's children or unions and titles the dialog by the kind; shows
    // nothing.
    void SetupFor(const QString& personID, int kind);
    // Whether the last showing ended with a save; OrderedIDs then holds the new order.
    bool IsSaved() const { return Saved; }

    QString PersonID;
    // Children (1) or unions (any other value).
    int ReorderKind = Children;
    // The working copy of the person's child or partner IDs, in the order shown.
    QStringList OrderedIDs;
    bool Saved = false;

    // With reload, copies the person's list afresh and disables the save; then shows one row per ID and selects
    // the row of the index, when there is one.
    void FillList(bool reload, int index);

    // Handlers.
    // The first activation of each showing loads the person's list; later ones (back from another program) change
    // nothing, so moves not yet saved stay.
    void FormActivate();
    void FormShortCut(QKeyEvent* key, bool& handled);
    // Up and down: the selected row changes places with its neighbour.
    void SpeedButtonAtrGoraClick();
    void SpeedButtonAtrDolClick();
    // The arrows follow the selection.
    void ListViewKolejnoscZmianaSelectItem();
    // "F3 - Zapisz".
    void ButtonZapiszClick();

    // Components.
    TAdvPanel* PanelTitle;
    TListView* ListViewKolejnoscZmiana;
    QToolButton* SpeedButtonAtrGora;
    QToolButton* SpeedButtonAtrDol;
    TAdvPanel* PanelButtons;
    QPushButton* ButtonZapisz;
    QPushButton* Button2;

private:
    void buildList();
    void buildButtons();
    void connectHandlers();
    // The selected row's index, -1 without one.
    int selectedRow() const;
    // Exchanges the selected row with the one the step away, when there is one.
    void moveSelected(int step);

    bool loadPending = false;
};

// The reorder dialog, created twelfth by the entry point.
extern TFormKolejnoscZmiana* FormKolejnoscZmiana;
