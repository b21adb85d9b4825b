// The quick person form: a person's sex, names, display name, birth and death and note in one dialog, which writes
// the person and its birth and death facts straight into the database. It makes new persons for the person editor
// and edits the basic data of an existing one.
#pragma once

#include "Forms.h"
#include "PersonFields.h"

#include <QStringList>

class QKeyEvent;
class QPushButton;
class TAdvEdit;
class TAdvGroupBox;
class TAdvPanel;
class KV_Person;

class TFormDaneOsobyBasic : public TForm, public PersonFields
{
    Q_OBJECT
public:
    explicit TFormDaneOsobyBasic(QWidget* owner = nullptr);

    // Prepares a showing for the person of the ID, or for a new person of the sex when the ID is empty.
    void SetupFor(const QString& id, int sex);

    // The edited person; after a new person was saved, its new ID.
    QString PersonID;
    // The sex preselected for a new person (0 woman, 1 man, 2 unspecified); after a save, the sex saved.
    int PersonSex = 0;
    bool IsNewPerson = true;
    // Where the next showing puts the window; -1 keeps its place centred on the screen.
    int PresetTop = -1;
    int PresetLeft = -1;

    // Fills the controls from the person, or empties them for a new one.
    void LoadFields();
    // The name and place lists from the dictionaries of the chosen sex.
    void FillDictionaries();

    // Handlers.
    // The first activation of each showing loads the person; later ones change nothing.
    void FormActivate();
    void FormShortCut(QKeyEvent* key, bool& handled);
    // "F3 - Zapisz".
    void ButtonSaveClick();
    // "Zamknij".
    void Button4Click();
    // "Osoba zmarła": the death fields come and go.
    void CheckBoxOsobaZmarlaClick();
    // "Płeć": colour and dictionaries of the sex.
    void AdvComboBoxPlecChange();
    // Any of the three names: the display name the person gets without an override.
    void AdvComboBoxImieChange();
    // Leaving "Nazwisko rodowe" fills an empty surname.
    void AdvComboBoxRodoweExit();
    // The two dates: red while they are no date.
    void AdvComboBoxDataUrChange();
    void AdvEditDataSmierciChange();

    // Components; the person fields are in PersonFields.
    TAdvPanel* Panel1;
    TAdvEdit* AdvEditFullName;
    TAdvGroupBox* AdvGroupBoxUr;
    TAdvPanel* PanelButtons;
    QPushButton* ButtonSave;
    QPushButton* Button4;

private:
    void buildFields();
    void buildButtons();
    void connectHandlers();

    bool loadPending = false;
};

// The quick person form, created seventh by the entry point.
extern TFormDaneOsobyBasic* FormDaneOsobyBasic;
