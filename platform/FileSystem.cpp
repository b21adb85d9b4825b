#include "FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace FileSystem {

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

QStringList listFiles(const QString& folder, const QString& mask)
{
    QDir dir(folder);
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    dir.setNameFilters({mask});
    dir.setSorting(QDir::Unsorted);
    QStringList names = dir.entryList();
    // QDir matches name filters ignoring case by default; the order must not depend on the locale.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.compare(b) < 0; });
    return names;
}

bool fileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool folderExists(const QString& path)
{
    return QFileInfo(path).isDir();
}

bool createFolders(const QString& path)
{
    return QDir().mkpath(path);
}

bool copyFile(const QString& source, const QString& target, bool failIfExists)
{
    if (QFileInfo::exists(target)) {
        if (failIfExists || !QFile::remove(target))
            return false;
    }
    return QFile::copy(source, target);
}

bool deleteFile(const QString& path)
{
    if (QFileInfo(path).isDir())
        return false;
    return QFile::remove(path);
}

bool atomicWrite(const QString& path, const QByteArray& data, QString* error)
{
    const QFileInfo target(path);
    QTemporaryFile temp(target.absolutePath() + u'/' + u'.' + target.fileName() + QStringLiteral(".XXXXXX.tmp"));
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (target.isDir())
        return fail(QStringLiteral("%1: is a folder").arg(path));
    if (!temp.open())
        return fail(temp.errorString());
    if (temp.write(data) != data.size() || !temp.flush())
        return fail(temp.errorString());
    if (::fdatasync(temp.handle()) != 0)
        return fail(systemError());
    // Give the new file the usual permissions; a temporary file is created private to its owner.
    temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    const QString tempName = temp.fileName();
    temp.close();
    if (std::rename(QFile::encodeName(tempName).constData(), QFile::encodeName(path).constData()) != 0)
        return fail(QStringLiteral("%1: %2").arg(path, systemError()));
    temp.setAutoRemove(false);
    return true;
}

NewFileBatch::NewFileBatch(const QString& folder) : folder(folder) {}

bool NewFileBatch::write(const QString& path, const QByteArray& data, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    file.close();
    ++written;
    return true;
}

bool NewFileBatch::finish(QString* error)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0 || ::syncfs(fd) != 0) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(folder, systemError());
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    ::close(fd);
    return true;
}

} // namespace FileSystem
