// The attribute editor: the name, value and private flag of one attribute of a person. A custom attribute takes its
// name in a combo box that offers the names used so far, any other kind in a plain edit preset with the kind's
// label. The dialog writes nothing: after a save its caller takes the values and stores them in the person.
#pragma once

#include "Forms.h"

#include <QString>

class QKeyEvent;
class QPlainTextEdit;
class QPushButton;
class TAdvComboBox;
class TAdvEdit;
class TAdvOfficeCheckBox;
class TAdvPanel;
class TLabel;

class TFormAtrybutEdycja : public TForm
{
    Q_OBJECT
public:
    explicit TFormAtrybutEdycja(QWidget* owner = nullptr);

    // Presets the next showing; shows nothing.
    void SetupFor(const QString& code, const QString& name, const QString& value, bool isPrivate);
    // Whether the last showing ended with a save.
    bool IsSaved() const { return Saved; }

    // The attribute's type code; the dialog never changes it.
    QString AttributeCode;
    // Preset by the caller; the name follows the typing, and a save takes the name and the value trimmed.
    QString AttributeName;
    QString AttributeValue;
    bool AttributePrivate = false;
    bool Saved = false;

    // The title: "Atrybut: " and the name, "?" for an empty one.
    void UpdateTitle(const QString& name);

    // Handlers.
    // The first activation of each showing loads the preset values; later ones (back from another program)
    // change nothing, so what was typed stays.
    void FormActivate();
    void FormShortCut(QKeyEvent* key, bool& handled);
    // "F3 - Zapisz".
    void ButtonZapiszClick();
    // "Zamknij", also Esc.
    void Button2Click();
    // Any change of the name, the value or the private flag.
    void AdvComboBoxNazwaCustomChange();
    // The custom names offered afresh each time the list drops down.
    void AdvComboBoxNazwaCustomDropDown();

    // Components.
    TAdvPanel* PanelTitle;
    TAdvPanel* PanelFields;
    TAdvComboBox* AdvComboBoxNazwaCustom;
    TAdvEdit* AdvComboBoxAtrKV;
    TLabel* Label1;
    QPlainTextEdit* AdvComboBoxOpis;
    TAdvOfficeCheckBox* CheckBoxPrivate;
    TAdvPanel* PanelButtons;
    QPushButton* ButtonZapisz;
    QPushButton* Button2;

private:
    void buildFields();
    void buildButtons();
    void connectHandlers();
    bool isCustom() const;
    // The trimmed text of the name field shown for the code.
    QString typedName() const;

    bool loadPending = false;
};

// The attribute editor, created fourteenth by the entry point.
extern TFormAtrybutEdycja* FormAtrybutEdycja;
