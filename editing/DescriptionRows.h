// The rows that the fact and attribute editors share below their own fields on the white field panel: a memo
// filling the space the other rows leave, with its label right-aligned in the label column left of it, and
// "Informacja poufna" in a row along the bottom.
#pragma once

class QPlainTextEdit;
class QString;
class QWidget;
class TAdvOfficeCheckBox;
class TLabel;

// The memo "AdvComboBoxOpis" with its label "Label1" (given back in label) in the label column, which ends at
// fieldLeft; the memo keeps rightMargin from the panel's right edge.
QPlainTextEdit* addDescription(QWidget* panel, const QString& caption, int fieldLeft, int rightMargin, TLabel*& label);
// The check box "CheckBoxPrivate" at fieldLeft in a row along the bottom of the panel.
TAdvOfficeCheckBox* addPrivateRow(QWidget* panel, int fieldLeft);
