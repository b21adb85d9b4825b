// The files one user action changes in the data folder reach the disk together, whole or not at all across a
// crash: each new content goes to a temporary file beside its target first, then a journal naming every step is
// written and flushed, then the files are replaced and removed, then the journal goes. A crash before the journal
// is complete leaves the old files (the next start drops the temporary files); a crash after it leaves a journal
// that the next start carries out to the end.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class FolderLock;

class ChangeJournal
{
public:
    // The journal's name in the data folder; no object file mask matches it.
    static const QString FileName;

    // folder ends with "/"; every file of the change lies directly in it.
    explicit ChangeJournal(const QString& folder);
    // What was not committed is dropped: the old files stay, the temporary files go.
    ~ChangeJournal();
    ChangeJournal(const ChangeJournal&) = delete;
    ChangeJournal& operator=(const ChangeJournal&) = delete;

    // path is to hold data once the change is committed: data goes to disk beside it now. A later write or
    // removal of the same path takes the place of this one. False with the reason when it cannot be written.
    bool write(const QString& path, const QByteArray& data, QString* error = nullptr);
    // path is to go once the change is committed.
    void remove(const QString& path);
    // Carries out every step written so far; true when all are on disk. A change of one file needs no journal.
    // On failure the journal stays, so the next start (or the next commit) finishes what could not be done.
    bool commit(QString* error = nullptr);

    // Points of a commit; a test may stop the process at one to see that a crash there is survived.
    enum class Point {
        // Every temporary file is on disk, the journal not yet.
        BeforeJournal,
        // The journal is on disk, no file is replaced yet.
        AfterJournal,
        // One more file was replaced or removed (the argument counts them).
        AfterStep,
    };
    // Called at each point of every commit; empty for none.
    static void SetObserver(std::function<void(Point, int)> observer);

    // One file of a change.
    struct Step
    {
        // The target's name in the folder.
        QString name;
        // The temporary file's name in the folder; empty for a removal.
        QString temporary;
    };

private:
    void replaceStep(Step step);
    void dropTemporaries();

    QString folder;
    std::vector<Step> steps;
};

// What the start found of a change cut off by a crash.
struct InterruptedChange
{
    // A journal was there.
    bool found = false;
    // It was complete and was carried out (else it was dropped with its temporary files).
    bool completed = false;
    // Files (or the journal) that could not be replaced or removed; the journal stays while any is left.
    QStringList notDone;

    // What the user is told when something could not be done; "" otherwise.
    QString message() const;
};

// Carries out or drops the change journal left in the locked data folder. Called at start, under the folder's lock,
// before the interrupted import is undone and the temporary files are swept.
InterruptedChange FinishInterruptedChange(const FolderLock& lock);
