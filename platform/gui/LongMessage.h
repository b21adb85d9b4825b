// Messages too long for a plain message box (a list of problems, of skipped files, an import summary): a short
// summary above the rest of the text in a scrolled, selectable area, the buttons always in view, the whole window
// within two thirds of the screen. Also what every message, plain or long, shares: its buttons, icons and answers.
#pragma once

#include "Prompter.h"

#include <QDialog>
#include <QMessageBox>
#include <QSize>

#include <functional>

class QAbstractButton;
class QDialogButtonBox;
class QFont;
class QLabel;
class QPlainTextEdit;

QMessageBox::StandardButtons MessageButtons(Prompter::Buttons buttons);
QMessageBox::Icon MessageIcon(Prompter::Icon icon);
// The answer a pressed standard button gives; Cancel for anything else (the close box).
Prompter::Answer MessageAnswer(int pressed);
// Gives the standard buttons shown their Polish captions, also where Qt's own translations are not installed;
// buttonOf returns the shown button of a standard button, or null.
void SetPolishButtonTexts(const std::function<QAbstractButton*(QMessageBox::StandardButton)>& buttonOf);

// The summary above and the detail below.
struct LongMessageParts
{
    QString summary;
    QString detail;
};

// True when text needs the long form on a screen of the given available size: more than 15 lines, or wider or
// taller than two thirds of the screen once wrapped as a message box wraps it.
bool IsLongMessage(const QString& text, const QSize& screen, const QFont& font);
// The first paragraph is the summary when it is short, else the first line; a first line too long for a summary
// is cut with "…" and the detail then holds the whole text. Otherwise the detail is the rest.
LongMessageParts SplitLongMessage(const QString& text);

class LongMessageDialog : public QDialog
{
public:
    LongMessageDialog(QWidget* parent, const QString& text, const QString& caption, Prompter::Buttons buttons,
                      Prompter::Icon icon);

    // Shows the dialog modally and returns the button pressed.
    Prompter::Answer ask();

    QLabel* summaryLabel;
    QPlainTextEdit* detailView;
    QDialogButtonBox* buttonBox;

private:
    void fitToScreen();

    QLabel* iconLabel;
};
