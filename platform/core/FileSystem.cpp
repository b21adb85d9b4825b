#include "FileSystem.h"

#include "Wildcard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <numeric>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace FileSystem {

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// A regular file, or a link to one; folders, devices, pipes and sockets are no data files.
bool isRegularFile(const QByteArray& folder, const dirent* entry)
{
    if (entry->d_type == DT_REG)
        return true;
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
        return false;
    struct stat info
    {};
    return ::stat((folder + '/' + entry->d_name).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

// Chunk size for streaming copies and comparisons: large enough to keep system calls few, small enough that a
// picture is never held in memory whole.
constexpr qint64 chunkSize = 256 * 1024;

// Writes path through a temporary file in the same folder: fill writes the contents into the open temporary file
// and returns false (with a reason) when it cannot; the temporary file is then flushed to disk and renamed over
// path. On any failure the old file is untouched and the temporary file is removed.
// The name of the temporary file beside target: "." + the target's name + a unique part + ".tmp", the target's name
// cut at a whole character where the whole would pass the file system's limit of 255 bytes.
QString temporaryTemplate(const QFileInfo& target)
{
    const QString suffix = QStringLiteral(".XXXXXX.tmp");
    constexpr qsizetype longestName = 255;
    QString stem = u'.' + target.fileName();
    while (QFile::encodeName(stem).size() + suffix.size() > longestName)
        stem.chop(stem.size() >= 2 && stem.back().isLowSurrogate() ? 2 : 1);
    return target.absolutePath() + u'/' + stem + suffix;
}

// Makes the folder's entries (files created, renamed or deleted in it) durable.
bool syncFolderEntries(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// Writes all of data to the open file, going on after interruptions; false with errno set when it cannot.
bool writeAll(int fd, const QByteArray& data)
{
    for (qsizetype done = 0; done < data.size();) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += n;
    }
    return true;
}

// Writes a new temporary file beside path through fill (which returns false with a reason when it cannot), flushes
// it to disk when asked and closes it: its name, or "" with the reason in error and no temporary file left.
template <typename Fill>
QString writeTemporary(const QString& path, QString* error, bool flush, Fill fill)
{
    const QFileInfo target(path);
    QTemporaryFile temp(temporaryTemplate(target));
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return QString();
    };
    if (target.isDir())
        return fail(QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(EISDIR))));
    if (!temp.open())
        return fail(temp.errorString());
    QString reason;
    if (!fill(temp, reason))
        return fail(reason);
    if (!temp.flush())
        return fail(temp.errorString());
    if (flush && ::fdatasync(temp.handle()) != 0)
        return fail(systemError());
    // Give the new file the usual permissions; a temporary file is created private to its owner.
    temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    const QString tempName = temp.fileName();
    temp.close();
    temp.setAutoRemove(false);
    return tempName;
}

template <typename Fill>
bool replaceAtomically(const QString& path, QString* error, Fill fill)
{
    const QString temporary = writeTemporary(path, error, true, fill);
    if (temporary.isEmpty())
        return false;
    if (renameFile(temporary, path, error))
        return true;
    ::unlink(QFile::encodeName(temporary).constData());
    return false;
}

// The names a listing found for one mask, with their bytes as the folder gave them.
struct Listed
{
    QStringList names;
    std::string bytes;
    std::vector<size_t> starts;
    bool ascii = true;

    void add(const QString& name, const char* encoded)
    {
        names.append(name);
        starts.push_back(bytes.size());
        bytes.append(encoded).push_back('\0');
        ascii = ascii && std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x80; });
    }

    // Ordinal order of the UTF-16 code units, as QString::compare gives it: the order must not depend on the file
    // system or the locale. Names of ASCII characters only (every name the program writes) are in that order
    // when their bytes are, and comparing bytes costs a fraction of comparing strings.
    QStringList sorted()
    {
        if (!ascii) {
            std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.compare(b) < 0; });
            return names;
        }
        std::vector<qsizetype> order(size_t(names.size()));
        std::iota(order.begin(), order.end(), 0);
        const char* base = bytes.data();
        std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
            return std::strcmp(base + starts[size_t(a)], base + starts[size_t(b)]) < 0;
        });
        QStringList result;
        result.reserve(names.size());
        for (const qsizetype index : order)
            result.append(std::move(names[index]));
        return result;
    }
};

} // namespace

QStringList listFiles(const QString& folder, const QString& mask)
{
    return listFiles(folder, QStringList{mask}).front();
}

QList<QStringList> listFiles(const QString& folder, const QStringList& masks)
{
    // Read the folder entry by entry: a data folder holds hundreds of thousands of files, and building a file
    // information object for each of them (as a QDir listing does) costs seconds and hundreds of megabytes.
    QList<QStringList> lists(masks.size());
    std::vector<WildcardPattern> patterns(masks.cbegin(), masks.cend());
    std::vector<Listed> listed(patterns.size());
    const QByteArray encodedFolder = QFile::encodeName(folder);
    DIR* dir = ::opendir(encodedFolder.constData());
    if (!dir)
        return lists;
    while (const dirent* entry = ::readdir(dir)) {
        // Qt takes file names on this system as UTF-8; the direct conversion skips the locale's decoder.
        const QString name = QString::fromUtf8(entry->d_name);
        int regular = -1;
        for (size_t i = 0; i < patterns.size(); ++i) {
            if (!patterns[i].Matches(name))
                continue;
            if (regular < 0)
                regular = isRegularFile(encodedFolder, entry) ? 1 : 0;
            if (regular)
                listed[i].add(name, entry->d_name);
        }
    }
    ::closedir(dir);
    for (size_t i = 0; i < listed.size(); ++i)
        lists[qsizetype(i)] = listed[i].sorted();
    return lists;
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

bool deleteFile(const QString& path, QString* error)
{
    if (QFileInfo(path).isDir()) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(EISDIR));
        return false;
    }
    QFile file(path);
    if (file.remove())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

bool atomicWrite(const QString& path, const QByteArray& data, QString* error)
{
    return replaceAtomically(path, error, [&](QFile& temp, QString& reason) {
        if (temp.write(data) == data.size())
            return true;
        reason = temp.errorString();
        return false;
    });
}

bool atomicCopy(const QString& source, const QString& target, QString* error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(source, in.errorString());
        return false;
    }
    return replaceAtomically(target, error, [&](QFile& temp, QString& reason) {
        while (!in.atEnd()) {
            const QByteArray chunk = in.read(chunkSize);
            if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
                reason = QStringLiteral("%1: %2").arg(source, in.errorString());
                return false;
            }
            if (temp.write(chunk) != chunk.size()) {
                reason = temp.errorString();
                return false;
            }
        }
        return true;
    });
}

bool sameContents(const QString& a, const QString& b)
{
    QFile first(a);
    QFile second(b);
    if (first.size() != second.size() || !first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly))
        return false;
    while (!first.atEnd()) {
        const QByteArray chunk = first.read(chunkSize);
        if (chunk.isEmpty() || second.read(chunk.size()) != chunk)
            return false;
    }
    return second.atEnd();
}

bool appendDurably(const QString& path, const QByteArray& data, QString* error)
{
    const auto fail = [&] {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, systemError());
        return false;
    };
    const bool created = !QFileInfo::exists(path);
    const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_WRONLY | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return fail();
    const bool written = writeAll(fd, data) && ::fdatasync(fd) == 0;
    const int writeErrno = errno;
    if (::close(fd) != 0 || !written) {
        if (!written)
            errno = writeErrno;
        return fail();
    }
    if (created && !syncFolderEntries(QFileInfo(path).absolutePath()))
        return fail();
    return true;
}

bool deleteFileDurably(const QString& path, QString* error)
{
    const QByteArray encoded = QFile::encodeName(path);
    if ((::unlink(encoded.constData()) != 0 && errno != ENOENT) || !syncFolderEntries(QFileInfo(path).absolutePath())) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, systemError());
        return false;
    }
    return true;
}

QString writeTemporaryBeside(const QString& path, const QByteArray& data, QString* error)
{
    return writeTemporary(path, error, false, [&](QFile& temp, QString& reason) {
        if (temp.write(data) == data.size())
            return true;
        reason = temp.errorString();
        return false;
    });
}

bool flushFile(const QString& path, QString* error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    const bool flushed = fd >= 0 && ::fdatasync(fd) == 0;
    const int reason = errno;
    if (fd >= 0)
        ::close(fd);
    if (!flushed && error) {
        errno = reason;
        *error = QStringLiteral("%1: %2").arg(path, systemError());
    }
    return flushed;
}

bool renameFile(const QString& from, const QString& to, QString* error)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(to, systemError());
    return false;
}

bool createDurably(const QString& path, const QByteArray& data, QString* error)
{
    const QByteArray encoded = QFile::encodeName(path);
    const int fd = ::open(encoded.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, systemError());
        return false;
    }
    const bool written = writeAll(fd, data) && ::fdatasync(fd) == 0;
    const int writeErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || !syncFolderEntries(QFileInfo(path).absolutePath())) {
        if (!written)
            errno = writeErrno;
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, systemError());
        ::unlink(encoded.constData());
        return false;
    }
    return true;
}

bool syncFolder(const QString& folder, QString* error)
{
    if (syncFolderEntries(folder))
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(folder, systemError());
    return false;
}

bool isAtomicWriteTemporary(const QString& name)
{
    // "." + the target's name + "." + six letters or digits + ".tmp", as temporaryTemplate makes it.
    constexpr qsizetype tail = 11;
    if (name.size() < tail + 2 || !name.startsWith(u'.') || !name.endsWith(QLatin1String(".tmp")) ||
        name[name.size() - tail] != u'.')
        return false;
    for (qsizetype i = name.size() - tail + 1; i < name.size() - 4; ++i) {
        const char16_t c = name[i].unicode();
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return false;
    }
    return true;
}

QStringList removeAtomicWriteTemporaries(const QString& folder)
{
    QStringList removed;
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    for (const QString& name : listFiles(folder, QStringLiteral(".*.tmp"))) {
        if (isAtomicWriteTemporary(name) && deleteFile(prefix + name))
            removed.append(name);
    }
    return removed;
}

NewFileBatch::NewFileBatch(const QString& folder) : folder(folder) {}

// Plain system calls: an import writes hundreds of thousands of small files, and the file object's extra work
// per file (a status query among it) adds up.
bool NewFileBatch::write(const QString& path, const QByteArray& data, QString* error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0666);
    bool ok = fd >= 0 && writeAll(fd, data);
    if (!ok)
        failure = QStringLiteral("%1: %2").arg(path, systemError());
    if (fd >= 0 && ::close(fd) != 0 && ok) {
        ok = false;
        failure = QStringLiteral("%1: %2").arg(path, systemError());
    }
    if (!ok) {
        if (error)
            *error = failure;
        return false;
    }
    ++written;
    return true;
}

bool NewFileBatch::finish(QString* error)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0 || ::syncfs(fd) != 0) {
        failure = QStringLiteral("%1: %2").arg(folder, systemError());
        if (error)
            *error = failure;
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    ::close(fd);
    return true;
}

} // namespace FileSystem
