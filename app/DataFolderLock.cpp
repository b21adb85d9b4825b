#include "DataFolderLock.h"

#include "FolderLock.h"
#include "Vh_langmanager.h"

#include <QFileInfo>

#include <optional>

namespace {

std::optional<FolderLock> working;
std::optional<FolderLock> next;

bool holds(const std::optional<FolderLock>& lock, const QString& folder)
{
    return lock && lock->held() &&
           QFileInfo(lock->folder()).canonicalFilePath() == QFileInfo(folder).canonicalFilePath();
}

// Takes the lock of folder into slot, letting go of what slot held only once the new lock is held.
bool take(std::optional<FolderLock>& slot, const QString& folder, const char* inUseKey, QString& message)
{
    if (holds(working, folder) || holds(next, folder)) {
        // Back to the folder worked in: no other folder needs keeping for the next start.
        if (&slot == &next && holds(working, folder))
            next.reset();
        return true;
    }
    FolderLock lock(folder);
    switch (lock.state()) {
    case FolderLock::State::Held:
        slot = std::move(lock);
        return true;
    case FolderLock::State::InUse:
        message = gLangM.FormatStr(QLatin1String(inUseKey), folder);
        return false;
    case FolderLock::State::Failed:
        break;
    }
    message = gLangM.FormatStr2(QStringLiteral("LABEL_NIE_MOZNA_ZAREZERWOWAC_FOLDERU_Z_DANYMI_[%S]:_%S"), folder,
                                lock.error());
    return false;
}

} // namespace

bool LockDataFolder(const QString& folder, QString& message)
{
    return take(working, folder,
                "LABEL_FOLDER_Z_DANYMI_[%S]_JEST_UZYWANY_PRZEZ_INNA_KOPIE_PROGRAMU._PROGRAM_ZOSTANIE_ZAMKNIETY.",
                message);
}

bool LockNextDataFolder(const QString& folder, QString& message)
{
    return take(next, folder, "LABEL_FOLDER_Z_DANYMI_[%S]_JEST_UZYWANY_PRZEZ_INNA_KOPIE_PROGRAMU._WYBIERZ_INNY_FOLDER.",
                message);
}

const FolderLock* WorkingFolderLock()
{
    return working && working->held() ? &*working : nullptr;
}

void UnlockDataFolders()
{
    working.reset();
    next.reset();
}
