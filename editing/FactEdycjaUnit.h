// The fact editor: one fact or event of a person (its name, date, place, description, private flag, the form of a
// marriage) and, for a new fact of a couple, the partner it concerns. It changes the fact in place. An existing fact
// is written at once; a new one is only filled in, and its caller attaches it to the database and writes it.
#pragma once

#include "Forms.h"

#include <QList>
#include <QString>

class KV_Fact;
class QKeyEvent;
class QPlainTextEdit;
class QPushButton;
class TAdvComboBox;
class TAdvEdit;
class TAdvOfficeCheckBox;
class TAdvPanel;
class TLabel;

class TFormFaktEdycja : public TForm
{
    Q_OBJECT
public:
    explicit TFormFaktEdycja(QWidget* owner = nullptr);

    // Prepares the next showing for the person's fact; a fact without an ID is a new one. With
    // saveDisabledAtStart the save button waits for the first change.
    void SetupFor(const QString& personID, bool isUnionFact, KV_Fact* fact, bool saveDisabledAtStart);

    // A new fact, owned by the caller until the database takes it; an existing one is found again by
    // EditedFactID when it is stored, since it may have been deleted while the dialog was open.
    KV_Fact* EditedFact = nullptr;
    QString EditedFactID;
    QString PersonID;
    bool IsUnionFact = false;
    bool IsNewFact = false;
    // The other person of a union fact: taken from the fact, or chosen in the partner list.
    QString PartnerID;
    // Set by a save; callers read it once the dialog has closed.
    bool Saved = false;
    bool SaveDisabledAtStart = false;

    // Fills the controls from the fact.
    void LoadFields();
    // The title: the name, "?" for an empty one.
    void UpdateTitle(const QString& name);
    // The save button is enabled while the name holds more than blanks.
    void UpdateSaveButton();
    // Checks the date and the partner, then puts the controls' values into the fact and writes an existing fact.
    void StoreFact();

    // Handlers.
    // The first activation of each showing loads the fact, places the window and sets the focus; later ones (after
    // the dialog's own messages, or back from another program) change nothing, so what was typed stays.
    void FormActivate();
    void FormShortCut(QKeyEvent* key, bool& handled);
    // "F3 - Zapisz".
    void ButtonZapiszClick();
    // "Zamknij", also Esc.
    void ButtonZamknijClick();
    // "Nazwa".
    void AdvComboBoxNazwaChange();
    // "Data": red while the text is no date.
    void DataChange();
    // "Miejsce", "Opis" and "Forma zawarcia związku".
    void AdvComboBoxNazwaCustomChange();
    // "Informacja poufna".
    void CheckBoxPrivateClick();
    // The partner chosen for a new union fact.
    void AdvComboBoxdotyczyListaChange();

    // Components.
    TAdvPanel* PanelTitle;
    TAdvPanel* PanelFields;
    // The single-line fields, one row each: the partner on top, then name, date, place and the form of a marriage.
    QWidget* FieldStack;
    TAdvEdit* AdvEditDotyczyPerson;
    TAdvComboBox* AdvComboBoxdotyczyLista;
    TAdvEdit* AdvComboBoxNazwa;
    TAdvEdit* AdvComboBoxData;
    TAdvComboBox* AdvComboBoxMiejsce;
    TAdvComboBox* AdvComboBoxForma;
    TLabel* Label1;
    QPlainTextEdit* AdvComboBoxOpis;
    TAdvOfficeCheckBox* CheckBoxPrivate;
    TAdvPanel* PanelButtons;
    TLabel* LabelTypFakty;
    QPushButton* ButtonZapisz;
    QPushButton* ButtonZamknij;

private:
    void buildFields();
    void buildButtons();
    void connectHandlers();
    // Shows the partner edit or the partner list of a union fact, and which person it concerns.
    void loadPartner();
    // Puts the shown rows of the single-line fields one below the other, from the top.
    void stackFields();
    // The control that takes the focus when the fact is loaded: the first empty field, else "Zamknij".
    QWidget* firstEmptyField() const;

    QList<QWidget*> fieldRows;
    bool loadPending = false;
};

// The fact editor, created fourth by the entry point.
extern TFormFaktEdycja* FormFaktEdycja;
