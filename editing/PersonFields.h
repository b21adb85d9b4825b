// The fields of a person's basic data that the quick person form and the add-relative dialog share, stacked as rows
// on the dialog's white field panel: sex, the three names, birth, "Osoba zmarła" with the death fields, and the
// note that fills the rest, and what both dialogs do with them. The dialogs derive from it, so the controls keep the
// names that the dialogs' code and their callers know them by; a dialog puts rows of its own between the shared ones.
#pragma once

#include <QStringList>

class KV_Person;
class QPlainTextEdit;
class QWidget;
class TAdvComboBox;
class TAdvEdit;
class TAdvGroupBox;
class TAdvOfficeCheckBox;
class TAdvPanel;
class TLabel;

class PersonFields
{
public:
    TAdvPanel* AdvPanel3 = nullptr;
    TAdvComboBox* AdvComboBoxPlec = nullptr;
    TAdvComboBox* AdvComboBoxImie = nullptr;
    TAdvComboBox* AdvComboBoxRodowe = nullptr;
    TAdvComboBox* AdvComboBoxNazwisko = nullptr;
    TAdvEdit* AdvComboBoxDataUr = nullptr;
    TAdvComboBox* AdvComboBoxDataUrMiejsce = nullptr;
    TAdvOfficeCheckBox* CheckBoxOsobaZmarla = nullptr;
    TAdvGroupBox* AdvGroupBoxDataSmierci = nullptr;
    TAdvEdit* AdvEditDataSmierci = nullptr;
    TAdvComboBox* AdvEditDataSmierciMiejsce = nullptr;
    TLabel* Label1 = nullptr;
    QPlainTextEdit* MemoNote = nullptr;

protected:
    // The field panel "AdvPanel3", filling the parent's client area; the rows go across its width less its
    // margins, from its top down.
    void addPersonPanel(QWidget* parent, int width);
    // A row of the dialog's own below the rows so far, for a word list or an edit with its label above it.
    TAdvComboBox* addOwnWordList(const char* name, const char* label);
    TAdvEdit* addOwnEdit(const char* name, const char* label);
    // "Płeć" (woman preselected) and the forenames, the family name and the surname below the rows so far.
    void addNameRows();
    // Below the rows so far: the birth group of the name given (returned), "Osoba zmarła", the death group (hidden
    // until the box is checked) and the note.
    TAdvGroupBox* addLifeRows(const char* birthGroupName);

    // A capital first letter in the names, places and note, and Enter that moves on from each field of the rows.
    void setUpTyping();
    // Shows the person's names, birth, death and note, with the sex list at the index given.
    void showPerson(const KV_Person& person, int sexIndex);
    // Empties the names, dates, places and note, and clears "Osoba zmarła"; the sex stays.
    void clearPerson();
    // The name and place lists from the dictionaries of the chosen sex.
    void fillWordLists();
    // The death fields come and go with "Osoba zmarła"; checking it puts the focus in the death date.
    void showDeathFields();
    // An empty surname takes the family name.
    void fillEmptySurname();
    // The first date typed that is no date, with the key of the message that says so; null when both are dates. The
    // death date counts only for a dead person.
    TAdvEdit* wrongDate(const char*& messageKey) const;
    // The person takes the names, the sex, "Osoba zmarła" and the note.
    void takeBasicData(KV_Person& person) const;
    enum class EmptyBirth { StaysAsRecorded, IsDeleted };
    // The person's birth fact from the birth fields, and its death fact from the death fields while "Osoba zmarła" is
    // checked (otherwise its death and burial facts are deleted). Failures are added to the list.
    void writeLifeFacts(KV_Person& person, EmptyBirth emptyBirth, QStringList& failures) const;

private:
    // A strip for the next row, the given height high.
    QWidget* nextRow(int height);
    TAdvGroupBox* nextDateGroup(const char* name);

    int rowWidth = 0;
    int nextTop = 0;
};
