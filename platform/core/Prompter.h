// Message boxes behind a replaceable interface: the program installs one that shows real boxes, tests install
// one that records the texts and answers from a script.
#pragma once

#include <QString>
#include <QStringView>

class Prompter
{
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~Prompter() = default;
    // Shows text with the given caption and buttons and returns the button pressed.
    virtual Answer ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) = 0;

    // A plain message with an OK button.
    void message(const QString& text, const QString& caption, Icon icon = Icon::None)
    {
        ask(text, caption, Buttons::Ok, icon);
    }
    // The confirmation asked before every destructive step: only Yes proceeds.
    bool confirm(const QString& text, const QString& caption)
    {
        return ask(text, caption, Buttons::YesNoCancel, Icon::Question) == Answer::Yes;
    }
};

// The installed prompter. Until one is installed, a silent one answers Cancel (and OK to plain messages).
Prompter& prompter();
// Installs p (not owned); nullptr restores the silent one.
void setPrompter(Prompter* p);

// A line of a file as a message quotes it: control characters as \xNN, and a line longer than limit characters
// cut there with "…", so that a damaged file cannot fill the screen.
QString QuoteFileLine(QStringView line, qsizetype limit = 100);
