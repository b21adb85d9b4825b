// The add-relative dialog: gives a person a father, a mother, a partner, a son, a daughter, a brother or a sister,
// either a new person typed in or an existing one picked from the person list, and links and writes everyone it
// touches. The same window object removes relations (RelationRemoval.cpp), after asking the user.
#pragma once

#include "Bazadanych.h"
#include "Forms.h"
#include "PersonFields.h"

#include <QString>
#include <QStringList>

class KV_Person;
class QKeyEvent;
class QPushButton;
class TAdvComboBox;
class TAdvEdit;
class TAdvGroupBox;
class TAdvPanel;

class TFormRelacjaAdd : public TForm, public PersonFields
{
    Q_OBJECT
public:
    explicit TFormRelacjaAdd(QWidget* owner = nullptr);

    // Prepares the next showing. The anchor receives the relative: the subject itself for a father, mother,
    // partner, son or daughter, the subject's father for a brother or sister (with the subject's mother as the
    // second parent; other types ignore it). After the dialog has closed, Saved tells whether data changed.
    void AddRelative(const QString& subjectID, const QString& anchorID, const QString& secondParentID,
                     RelationKind type);

    // Removes one relation after asking: what other is to the person. True when a link was removed; false with
    // LastError empty when the user declined everything, else with the reason in LastError.
    bool DeleteRelation(const QString& personID, const QString& otherID, RelationKind kind);
    // True for a person; otherwise LastError names the ID.
    bool CheckPersonFound(const QString& id, const KV_Person* person);

    // May the chosen person become the relative? Otherwise false with the reason in gDB.LastError.
    bool CanSelectPerson(const QString& chosenID);

    QString SubjectID;
    QString AnchorID;
    QString SecondParentID;
    RelationKind RelationType = RelationKind::Father;
    // The existing person picked from the list; "" while the relative is a new person.
    QString ChosenID;
    // Why the last save or removal was refused.
    QString LastError;
    bool Saved = false;
    // Set by AddRelative: the next showing loads the controls afresh.
    bool SetupPending = false;

    // Fills the controls for the chosen person, or with a new relative's presets; the union list selects the
    // given index when it has one (-1 for its default).
    void LoadFields(int unionIndex);
    // The name and place lists from the dictionaries of the chosen sex.
    void FillDictionaries();
    // Writes the relative and links it; false, with nothing changed and the reason in LastError, when refused.
    bool SaveRelative();
    // Asks whether the child's father and mother form a union, when they do not yet on both sides, and makes it
    // on Yes, when both are still there after the answer. The caller writes all three.
    void AskUnionOfParents(const QString& fatherID, const QString& motherID, const QString& childID);

    // Handlers.
    // The first activation of each showing; later ones (back from a message or the list) change nothing.
    void FormActivate();
    void FormShortCut(QKeyEvent* key, bool& handled);
    // "F3 - Zapisz".
    void ButtonZapiszClick();
    // "Zamknij".
    void Button4Click();
    // "Wybierz z listy".
    void WybierzOsobeZListy();
    // "Usuń wybór z listy".
    void ButtonUsunWyborClick();
    // "Osoba zmarła": the death fields come and go.
    void CheckBoxOsobaZmarlaClick();
    // "Płeć": colours and word lists of the sex.
    void AdvComboBoxPlecChange();
    // Leaving "Nazwisko rodowe" fills an empty surname.
    void AdvComboBoxRodoweExit();
    // The two dates: red while they are no date.
    void AdvComboBoxDataUrChange();
    void AdvEditDataSmierciChange();

    // Components; the person fields are in PersonFields.
    TAdvPanel* PanelTitle;
    TAdvPanel* AdvPanelDane;
    TAdvComboBox* AdvComboBoxZwiazki;
    TAdvGroupBox* AdvGroupBox2;
    QPushButton* Button2;
    QPushButton* ButtonUsunWybor;
    TAdvPanel* PanelButtons;
    QPushButton* ButtonZapisz;
    QPushButton* Button4;

private:
    void buildButtons();
    void buildFields();
    void buildChoiceColumn();
    void connectHandlers();

    // The fields of a new relative.
    void presetNewRelative(const KV_Person* anchor, const KV_Person* secondParent);
    // The partner ID the selected union item holds; "" for the one-parent family.
    QString selectedPartnerID() const;
    // Refuses a chosen son or daughter whose recorded parent would be overwritten by another.
    bool keepsRecordedParents(const KV_Person& chosen, const QString& partnerID);
    // The links of the relative by type, and the persons they touched written.
    void linkRelative(KV_Person* relative, KV_Person* anchor, KV_Person* second, QStringList& failures);

    // Removal by kind (RelationRemoval.cpp); each writes what it changed and adds failures to the list.
    // The person is known to exist when one is called; records are looked up again after every question.
    bool removeParent(const QString& personID, const QString& parentID, RelationKind kind, QStringList& failures);
    bool removePartner(const QString& personID, const QString& partnerID, QStringList& failures);
    bool removeChild(const QString& personID, const QString& childID, QStringList& failures);
    bool removeSibling(const QString& personID, const QString& siblingID, QStringList& failures);

    bool activationPending = false;
};

// The add-relative dialog, created fifth by the entry point.
extern TFormRelacjaAdd* FormRelacjaAdd;
