// The font chooser: a face from the installed ones, a size and the bold and italic styles, with a preview; it
// reads and writes the one-line font description the report settings keep ("Tahoma, 10pt, pogrubienie").
#pragma once

#include "Forms.h"

class QLabel;
class QListWidget;
class QPushButton;
class TAdvComboBox;
class TAdvEdit;
class TAdvGroupBox;
class TAdvOfficeCheckBox;
class TAdvPanel;

class TFormSelectFont : public TForm
{
    Q_OBJECT
public:
    explicit TFormSelectFont(QWidget* owner = nullptr);

    // Shows the description in the controls. Without a size item the size and the styles stay as they were.
    void SetDescription(const QString& description);
    // The description of what the controls show; face and size as typed.
    QString GetDescription() const;

    // OK (modal result 1) and Cancel (2, also Esc).
    void AdvGlowButtonOKClick();
    void AdvGlowButtonAnulujClick();
    void ListBoxChcionkiClick();
    // The preview of the size box and the style boxes; hidden while the face is not an installed one.
    void AdvComboBoxFontSizeChange();
    // Up and down walk the list of faces.
    void AdvEditFontNameKeyDown(int key);
    // Typing finds the first face that begins with the text.
    void AdvEditFontNameKeyUp(int key);

    // Components.
    TAdvPanel* Panel1;
    TAdvEdit* AdvEditFontName;
    QListWidget* ListBoxChcionki;
    TAdvComboBox* AdvComboBoxFontSize;
    TAdvOfficeCheckBox* AdvOfficeCheckBoxPogrubienie;
    TAdvOfficeCheckBox* AdvOfficeCheckBoxPochylenie;
    TAdvOfficeCheckBox* AdvOfficeCheckBoxPodkreslenie;
    TAdvGroupBox* AdvGroupBox1;
    QLabel* LabelPodglad;
    QPushButton* ButtonZapisz;
    QPushButton* Button2;

private:
    void buildFaces();
    void buildStyles();
    void buildPreview();
    void buildButtons();
    void connectHandlers();
    // The row of the face (letter case ignored), -1 when it is not in the list.
    int rowOf(const QString& face) const;
    // The first row whose face begins with the text (letter case ignored), -1 when none does.
    int firstRowBeginning(const QString& text) const;
    void selectRow(int row);
};

// The font chooser, created at start-up with the other windows.
extern TFormSelectFont* FormSelectFont;
