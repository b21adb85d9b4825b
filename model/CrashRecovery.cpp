#include "CrashRecovery.h"

#include "FileSystem.h"
#include "FolderLock.h"
#include "Picturemanager.h"

CrashLeftovers ClearCrashLeftovers(const FolderLock& lock)
{
    CrashLeftovers found = PutRightInterruptedWork(lock);
    found.temporaries = RemoveWriteTemporaries(lock, GetPicturesFolder());
    return found;
}

CrashLeftovers PutRightInterruptedWork(const FolderLock& lock)
{
    CrashLeftovers found;
    if (!lock.held())
        return found;
    found.change = FinishInterruptedChange(lock);
    found.import = UndoInterruptedImport(lock);
    return found;
}

QStringList RemoveWriteTemporaries(const FolderLock& lock, const QString& picturesFolder)
{
    if (!lock.held())
        return {};
    QStringList removed = FileSystem::removeAtomicWriteTemporaries(lock.folder());
    if (!picturesFolder.isEmpty())
        removed += FileSystem::removeAtomicWriteTemporaries(picturesFolder);
    return removed;
}

QString CrashLeftovers::message() const
{
    QStringList parts;
    for (const QString& part : {change.message(), import.message()}) {
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.join(QStringLiteral("\r\n\r\n"));
}
