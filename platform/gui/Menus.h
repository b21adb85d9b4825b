// Popup menus built in code. Every menu, item, separator and submenu carries the name its window knows it by, so
// that tests and settings find it as they would a control of a designed form.
#pragma once

class QAction;
class QMenu;
class QWidget;

QMenu* newNamedMenu(QWidget* owner, const char* name);
// The caption is UTF-8.
QAction* addNamedItem(QMenu* menu, const char* name, const char* caption);
QAction* addNamedSeparator(QMenu* menu, const char* name);
QMenu* addNamedSubmenu(QMenu* menu, const char* name, const char* caption);

// Opens the menu with its top-left corner at the bottom-left corner of the button.
void popUpUnder(QMenu* menu, const QWidget* button);
