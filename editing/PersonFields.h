// The fields of a person's basic data that the quick person form and the add-relative dialog share, stacked as rows
// on the dialog's white field panel: sex, the three names, birth, "Osoba zmarła" with the death fields, and the
// note that fills the rest. The dialogs derive from it, so the controls keep the names that the dialogs' code and
// their callers know them by; a dialog puts rows of its own between the shared ones.
#pragma once

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
    void addFieldPanel(QWidget* parent, int width);
    // A row of the dialog's own below the rows so far, for a word list or an edit with its label above it.
    TAdvComboBox* addOwnWordList(const char* name, const char* label);
    TAdvEdit* addOwnEdit(const char* name, const char* label);
    // "Płeć" (woman preselected) and the forenames, the family name and the surname below the rows so far.
    void addNameRows();
    // Below the rows so far: the birth group of the name given (returned), "Osoba zmarła", the death group (hidden
    // until the box is checked) and the note.
    TAdvGroupBox* addLifeRows(const char* birthGroupName);

private:
    // A strip for the next row, the given height high.
    QWidget* nextRow(int height);
    TAdvGroupBox* nextDateGroup(const char* name);

    int rowWidth = 0;
    int nextTop = 0;
};
