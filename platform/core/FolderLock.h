// An exclusive lock of a folder for one process: a lock file in the folder, locked with the system's file lock.
// The system lets go of it when the process ends, however it ends, so a holder that was killed never blocks the
// next one. The lock belongs to the open file, not to the process: a second lock of the same folder fails even
// within the process that holds the first.
#pragma once

#include <QString>

class FolderLock
{
public:
    enum class State {
        Held,
        // Another holder has it.
        InUse,
        // The lock file could not be opened or locked (see error()).
        Failed,
    };

    // The lock file's name in the folder; no object file mask matches it. It stays when the lock is let go.
    static const QString FileName;

    // Tries once, without waiting, to lock folder (which must exist).
    explicit FolderLock(const QString& folder);
    ~FolderLock();
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    State state() const { return lockState; }
    bool held() const { return lockState == State::Held; }
    // The folder as given.
    const QString& folder() const { return lockedFolder; }
    // Why the lock is not held.
    const QString& error() const { return failure; }

private:
    void release();

    QString lockedFolder;
    QString failure;
    State lockState = State::Failed;
    int fd = -1;
};
