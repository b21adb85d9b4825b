// Helpers shared by the tests.
#pragma once

#include "Prompter.h"
#include "UrlOpener.h"

#include <QBuffer>
#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <ostream>

// Lets GoogleTest print texts readably in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// A text from UTF-8 source, so Polish letters read as they are written.
inline QString u(const char* text)
{
    return QString::fromUtf8(text);
}

class QObject;
class QWidget;

// Records every message box with its buttons and answers from a script (Cancel when the script is empty).
class RecordingPrompter : public Prompter
{
public:
    RecordingPrompter() { setPrompter(this); }
    ~RecordingPrompter() override { setPrompter(nullptr); }

    Answer ask(const QString& text, const QString& caption, Buttons buttons, Icon) override
    {
        texts.append(text);
        captions.append(caption);
        buttonSets.append(buttons);
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
    QList<Buttons> buttonSets;
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
// Creates or replaces the file with the bytes; false when it could not be written whole.
bool writeFileBytes(const QString& path, const QByteArray& data);
bool setModificationTime(const QString& path, const QDateTime& time);
// The image encoded in the format ("PNG", "BMP", "JPG"...), as a file of that type would hold it.
QByteArray imageBytes(const QImage& image, const char* format = "PNG");
// A white canvas of that size to draw on.
QImage whiteImage(int width, int height);
// Folder for what a person should look at after a run (screenshots), beside the test programs; made on demand.
QString testOutputFolder();
// Folder of shared, read-only data sets (GEDCOM files): KV_SHARED_DATA when set, as for the fuzz script, else the
// one beside the project; empty when neither exists.
QString sharedDataFolder();
// The shared collection's GEDCOM folder, empty when there is none.
QString sharedGedcomFolder();

// Skips the test, saying why, when the shared GEDCOM collection is missing.
#define SKIP_WITHOUT_SHARED_GEDCOM()                                                                                   \
    if (sharedGedcomFolder().isEmpty())                                                                                \
    GTEST_SKIP() << "no shared GEDCOM data: set KV_SHARED_DATA or put shared/data beside the project"

// Loads a picture (any class with LoadFromStream(QIODevice*)) from bytes, as from a memory stream.
template <typename Picture>
void loadFromBytes(Picture& picture, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    picture.LoadFromStream(&buffer);
}

// What a picture writes with SaveToStream.
template <typename Picture>
QByteArray savedBytes(const Picture& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.SaveToStream(&buffer);
    return bytes;
}

// Types the text key by key as the keyboard would, letters QTest cannot spell (Polish ones) included.
void typeText(QObject* target, const QString& text);
// Hands the text over as an input method does when it has composed a letter (Polish dead keys).
void commitText(QObject* target, const QString& text);

// Every two visible controls of one parent under the window whose rectangles intersect, each pair told as
// "parent: first [x,y w×h] / second [x,y w×h]"; empty when no control lies over another.
QStringList overlappingSiblings(const QWidget* window);

// Handles events until the condition holds or the time is up; true when it holds. It sleeps no fixed slices: it
// wakes for each event, and every few milliseconds for conditions that no event of this process announces (a file
// another process writes).
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 20000);

// Runs the step once the window is on the screen, modal and active, from inside its modal showing. The offscreen
// platform activates a window only at its first showing (its focus window stays the same while it is hidden), so
// the helper activates the window itself.
void whenShownModal(QWidget* window, std::function<void()> step);
