#include "FolderLock.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

const QString FolderLock::FileName = QStringLiteral(".kronvel.lock");

FolderLock::FolderLock(const QString& folder) : lockedFolder(folder)
{
    const QString path = QDir(folder).filePath(FileName);
    fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0) {
        int locked;
        do
            locked = ::flock(fd, LOCK_EX | LOCK_NB);
        while (locked != 0 && errno == EINTR);
        if (locked == 0) {
            lockState = State::Held;
            return;
        }
    }
    const int reason = errno;
    release();
    lockState = reason == EWOULDBLOCK ? State::InUse : State::Failed;
    failure = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(reason)));
}

FolderLock::~FolderLock()
{
    release();
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : lockedFolder(std::move(other.lockedFolder))
    , failure(std::move(other.failure))
    , lockState(other.lockState)
    , fd(std::exchange(other.fd, -1))
{
    other.lockState = State::Failed;
}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept
{
    if (this != &other) {
        release();
        lockedFolder = std::move(other.lockedFolder);
        failure = std::move(other.failure);
        lockState = std::exchange(other.lockState, State::Failed);
        fd = std::exchange(other.fd, -1);
    }
    return *this;
}

// Closing the only descriptor of the open file lets go of the lock.
void FolderLock::release()
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}
