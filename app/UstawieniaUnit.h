// The settings dialog: the user's start-up and display choices and the data folder. It is filled from gSettings at
// its first showing only; from then on its controls hold the user's last choices, also after "Zamknij", and a save
// applies whatever they show. Nothing is written to config.ini here: the main window saves the settings when it
// closes or restarts, and offers the restart when the data folder changed.
#pragma once

#include "Forms.h"

class QKeyEvent;
class QPushButton;
class TAdvComboBox;
class TAdvDirectoryEdit;
class TAdvGroupBox;
class TAdvOfficeCheckBox;
class TAdvPanel;

class TFormUstawienia : public TForm
{
    Q_OBJECT
public:
    explicit TFormUstawienia(QWidget* owner = nullptr);

    // Shows the dialog modally: its modal result, and whether the saved data folder differs from the one before.
    TModalResult ShowSettings(bool& folderChanged);
    // Set by a save whose data folder differs from the one before it.
    bool GetFolderChanged() const { return folderChanged; }

    // Runs at every activation; only the first fills the controls and places the dialog.
    void FormActivate();
    // F3 saves while "F3 - Zapisz" is enabled; every other key passes on.
    void FormShortCut(QKeyEvent* key, bool& handled);
    void ButtonZapiszClick();
    // Any change of a check box or combo box.
    void AdvOfficeCheckBoxNowaWersjaClick();
    // A folder picked in the folder dialog.
    void AdvDirectoryEditFolderChange();

    // Components.
    TAdvPanel* PanelTytul;
    TAdvOfficeCheckBox* AdvOfficeCheckBoxNowaWersja;
    TAdvOfficeCheckBox* AdvOfficeCheckBoxShowMax;
    TAdvOfficeCheckBox* AdvOfficeCheckBoxRoczniceUrDlaZyjacych;
    TAdvOfficeCheckBox* AdvOfficeCheckBoxOspisOsobyShowMiejsca;
    TAdvGroupBox* AdvGroupBoxDaty;
    TAdvComboBox* AdvComboBoxFormatDat;
    TAdvOfficeCheckBox* AdvOfficeCheckBoxRokDodajR;
    TAdvComboBox* AdvComboBoxPrefiksDataUr;
    TAdvComboBox* AdvComboBoxPrefiksDataZg;
    TAdvDirectoryEdit* AdvDirectoryEditFolder;
    TAdvPanel* PanelPrzyciski;
    QPushButton* ButtonZapisz;
    QPushButton* Button2;

private:
    void buildOptions();
    void buildDates();
    void buildFolder();
    void buildButtons();
    void connectHandlers();
    // Sets the folder edit's text without it counting as a pick.
    void showFolder(const QString& folder);

    bool firstShowing = true;
    bool folderChanged = false;
    bool folderGuard = false;
};

// The settings dialog, created ninth by the entry point.
extern TFormUstawienia* FormUstawienia;
