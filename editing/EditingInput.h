// The typing and colour rules that every editing dialog shares: a capital first letter in names, places and notes,
// Enter that moves on, Esc in a memo, the red invalid date, the sex colour of a panel and the word lists of the
// name and place fields. F3 for the save button is
// clickOnF3 of the dialog frame.
#pragma once

#include "Toolkit.h"

#include <QString>

class QPlainTextEdit;
class QWidget;
class TAdvComboBox;
class TAdvEdit;
class TCustomAdvPanel;

// A letter typed, or committed by an input method (Polish dead keys), into an empty field or over the field's
// whole text comes in as a capital; letters typed anywhere else keep their case. For edits, combo boxes and memos.
// A field whose rule depends on what it holds turns it off again with on false.
void CapitaliseFirstLetter(QWidget* field, bool on = true);
// Enter moves the focus on to the next control and goes no further; a memo that holds text takes it as a line
// break instead.
void EnterMovesOn(QWidget* field);
// Esc in the memo closes its window.
void EscapeCloses(QPlainTextEdit* memo);
// The date edit's text in the reference control's text colour while it is a date, in red while it is not.
void ShowDateValidity(TAdvEdit* date, const QWidget* reference);
// A note as a memo shows it: notes keep the program's CR LF line breaks, a memo breaks lines with LF.
QString NoteForMemo(const QString& note);
// The colour of the sex (0 woman, 1 man, 2 unspecified) at the panel's gradient end.
void ShowSexColor(TCustomAdvPanel* panel, int sex);

// The name and place fields of a person dialog.
struct PersonWordFields
{
    TAdvComboBox* forenames;
    TAdvComboBox* familyName;
    TAdvComboBox* surname;
    TAdvComboBox* birthPlace;
    TAdvComboBox* deathPlace;
};
// Fills the fields' lists from the dictionaries: names of the sex (none for an unspecified sex), places of all.
// What the fields show stays.
void FillWordLists(const PersonWordFields& fields, int sex);
