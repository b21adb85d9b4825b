#include "CrashRecovery.h"

#include "FileSystem.h"
#include "FolderLock.h"
#include "Picturemanager.h"

CrashLeftovers ClearCrashLeftovers(const FolderLock& lock)
{
    CrashLeftovers found;
    if (!lock.held())
        return found;
    found.change = FinishInterruptedChange(lock);
    found.import = UndoInterruptedImport(lock);
    found.temporaries = FileSystem::removeAtomicWriteTemporaries(lock.folder());
    if (!GetPicturesFolder().isEmpty())
        found.temporaries += FileSystem::removeAtomicWriteTemporaries(GetPicturesFolder());
    return found;
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
