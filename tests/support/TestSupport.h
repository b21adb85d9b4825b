// Helpers shared by the tests.
#pragma once

#include "Prompter.h"
#include "UrlOpener.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <deque>

// Records every message box and answers from a script (Cancel when the script is empty).
class RecordingPrompter : public Prompter
{
public:
    RecordingPrompter() { setPrompter(this); }
    ~RecordingPrompter() override { setPrompter(nullptr); }

    Answer ask(const QString& text, const QString& caption, Buttons buttons, Icon) override
    {
        texts.append(text);
        captions.append(caption);
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        if (answers.empty())
            return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }

    QStringList texts;
    QStringList captions;
    std::deque<Answer> answers;
};

// Records every URL handed to the desktop instead of opening it.
class RecordingOpener : public UrlOpener
{
public:
    RecordingOpener() { setUrlOpener(this); }
    ~RecordingOpener() override { setUrlOpener(nullptr); }
    bool open(const QUrl& url) override
    {
        opened.append(url.toString());
        return true;
    }
    QStringList opened;
};

QByteArray readFileBytes(const QString& path);
void writeFileBytes(const QString& path, const QByteArray& data);
// Folder for what a person should look at after a run (screenshots), beside the test programs; made on demand.
QString testOutputFolder();
// Folder of shared, read-only data sets (GEDCOM files); empty when it is not beside the project.
QString sharedDataFolder();
