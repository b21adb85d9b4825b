// What a crash can leave in the data folder, put right at start under the folder's lock and before the load: a
// change of several files is carried out or dropped whole, an import cut off is undone, and the temporary files of
// writes cut off are removed.
#pragma once

#include "ChangeJournal.h"
#include "ImportJournal.h"

class FolderLock;

struct CrashLeftovers
{
    InterruptedChange change;
    InterruptedImport import;
    // Temporary files removed from the data folder and the pictures folder.
    QStringList temporaries;

    // What the user is told; "" when there is nothing to tell.
    QString message() const;
};

// In this order, since the change journal names temporary files that are still to be renamed.
CrashLeftovers ClearCrashLeftovers(const FolderLock& lock);

// The two steps of ClearCrashLeftovers, for a start that removes the temporary files while it loads: the change
// and the import cut off, put right (no temporaries in what it returns), then the temporary files of the data
// folder and of picturesFolder ("" for none), which are none of the files a load reads.
CrashLeftovers PutRightInterruptedWork(const FolderLock& lock);
QStringList RemoveWriteTemporaries(const FolderLock& lock, const QString& picturesFolder);
