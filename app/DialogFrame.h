// What the settings dialog and the about box share: a title panel along the top, a panel for the buttons along the
// bottom, and their place on the screen.
#pragma once

class QPushButton;
class QString;
class QWidget;
class TAdvPanel;
class TForm;

// Makes the window a fixed dialog frame of the given client size in the program's font, which the toolkit centres
// on the screen at its first showing.
void setUpDialogFrame(TForm* dialog, const char* name, int clientWidth, int clientHeight);
// A panel along the top of the dialog showing its title in large bold letters.
TAdvPanel* addTitlePanel(QWidget* dialog, const char* name, const QString& title);
// An empty panel along the bottom of the dialog, for its buttons.
TAdvPanel* addButtonPanel(QWidget* dialog, const char* name);
// "Zamknij" at the right end of the button panel: the dialog's cancel button, so Esc presses it too.
QPushButton* addCloseButton(TForm* dialog, TAdvPanel* buttons);

// Moves the window to the middle of the screen's available area across, with its top edge halfway down the free
// height but never below a fifth of the area's height, so it sits in the upper part of the screen.
void placeDialogHigh(QWidget* dialog);
