// The journal of an import in progress: a file in the data folder naming every file the import is about to
// create, on disk before any of them is. An import that is cut off (a crash, a kill, a power cut) leaves the
// journal behind, and the next start removes exactly the files it names, so the data folder is again what it
// was before the import. A finished import removes its journal.
#pragma once

#include <QString>
#include <QStringList>

class FolderLock;

class ImportJournal
{
public:
    // The journal's name in the data folder; no object file mask matches it.
    static const QString FileName;

    explicit ImportJournal(const QString& dataFolder);

    // Records files about to be created (absolute paths). They are in the journal on disk when this returns true;
    // the first call creates the journal, and refuses when one is there already (another import, or one cut off
    // that was not undone yet). False with the reason in error().
    bool add(const QStringList& paths);
    // The import finished or was undone: the journal goes. Does nothing when no file was recorded.
    bool close();
    const QString& error() const { return failure; }

private:
    QString folder;
    QString path;
    QString failure;
    bool started = false;
};

// What undoing a cut-off import did.
struct InterruptedImport
{
    // A journal was found: an import had been cut off.
    bool found = false;
    // Files the journal named that were there and are now removed.
    int removedFiles = 0;
    // Files (or the journal itself) that could not be removed; the journal stays while any is left.
    QStringList notRemoved;

    // What the user is told: that the import was undone and can be run again, or which files are left; "" when no
    // import was cut off.
    QString message() const;
};

// Removes the files a journal left in the locked data folder names, only those inside the folder, then the journal.
// Only the lock's holder may: a journal in a folder locked by another process belongs to an import still running.
// Called at start before the data folder is loaded, and by the command-line import before it imports.
InterruptedImport UndoInterruptedImport(const FolderLock& lock);
