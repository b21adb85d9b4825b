// The column of labelled fields that the person dialogs stack on their field panel: each row is a strip along the
// top of the panel, and the strips stack in the order of their tops, so a row that is hidden closes its gap.
#pragma once

class QRect;
class QWidget;
class TAdvComboBox;
class TAdvEdit;
class TAdvGroupBox;

// A strip along the top of the panel at the geometry's top; the geometry's left and width keep it off the sides.
QWidget* addFieldRow(QWidget* panel, const QRect& geometry);
// An edit with its label above it.
TAdvEdit* addLabelledEdit(QWidget* parent, const char* name, const char* label, const QRect& geometry);
// An editable combo box of names or places with its label above it.
TAdvComboBox* addWordList(QWidget* parent, const char* name, const char* label, const QRect& geometry);
// A group for a date and its place, stacked like a row; the geometry's height is the group's own.
TAdvGroupBox* addDateGroup(QWidget* panel, const char* name, const QRect& geometry);
