// What the program's dialogs share: a title panel along the top, a panel for the buttons along the bottom, their
// place on the screen, F3 for their main button, and the controls their layouts place most.
#pragma once

#include "AdvCombo.h"
#include "AttachedLabel.h"
#include "Forms.h"

#include <QStringList>

class QAbstractButton;
class QKeyEvent;
class QPushButton;
class QRect;
class QString;
class QWidget;
class TAdvEdit;
class TAdvGroupBox;
class TAdvOfficeCheckBox;
class TAdvPanel;

// Makes the window a fixed dialog frame of the given client size in the program's font, which the toolkit centres
// on the screen at its first showing.
void setUpDialogFrame(TForm* dialog, const char* name, int clientWidth, int clientHeight);
// A panel along the top of the dialog showing its title in large bold letters.
TAdvPanel* addTitlePanel(QWidget* dialog, const char* name, const QString& title);
// A taller title panel for a name, in larger plain letters; a long name ends in an ellipsis rather than running out
// of the panel.
TAdvPanel* addNameTitlePanel(QWidget* dialog, const char* name, const QString& title);
// A white panel without a bevel filling the rest of the parent, for a dialog's fields.
TAdvPanel* addFieldPanel(QWidget* parent, const char* name);
// An empty panel along the bottom of the dialog, for its buttons.
TAdvPanel* addButtonPanel(QWidget* dialog, const char* name);
// "Zamknij" at the right end of the button panel: the dialog's cancel button, so Esc presses it too. It ends a modal
// showing with the result given.
QPushButton* addCloseButton(TForm* dialog, TAdvPanel* buttons, TModalResult result = mrCancel);
// The dialog's main button in bold, left of "Zamknij" on the button panel ("F3 - Generuj" in the report dialogs).
QPushButton* addMainButton(TAdvPanel* buttons, const char* name, const QString& caption);
// "F3 - Zapisz", the main button of the editing dialogs: as the main button, a little wider to the left.
QPushButton* addSaveButton(TAdvPanel* buttons, const char* name);
// Ends the loading of every edit, combo box, check box and radio button the dialog holds, once its layout is built,
// so their stored values and looks apply as at the end of a form's loading.
void finishLoading(QWidget* dialog);

// Moves the window to the middle of the screen's available area across, with its top edge halfway down the free
// height but never below a fifth of the area's height, so it sits in the upper part of the screen.
void placeDialogHigh(QWidget* dialog);
// Moves the window to the middle of the screen's available area across, with its top edge a fifth of the area's
// height down, whatever the window's height.
void placeDialogAtFifth(QWidget* dialog);

// Presses the button when the key is F3 and the button is enabled; true when it did (the key is handled then).
bool clickOnF3(const QKeyEvent* key, QAbstractButton* button);

// Controls as the layouts place them: named, at their geometry, with their caption or attached label.
QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry);
TAdvOfficeCheckBox* addCheckBox(QWidget* parent, const char* name, const QString& caption, const QRect& geometry);
TAdvComboBox* addComboBox(QWidget* parent, const char* name, const QString& label, TLabelPosition labelPosition,
                          TComboBoxStyle style, const QStringList& items, const QRect& geometry);
TAdvEdit* addEdit(QWidget* parent, const char* name, const QString& label, TLabelPosition labelPosition,
                  const QRect& geometry);
TAdvGroupBox* addGroupBox(QWidget* parent, const char* name, const QString& caption, const QRect& geometry);
