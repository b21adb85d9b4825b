#include "ImportJournal.h"

#include "FileSystem.h"
#include "FolderLock.h"
#include "Vh_langmanager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The first line of every journal: a file of that name that does not begin with it is not ours to act on.
const QByteArray header = QByteArrayLiteral("Kronvel import journal 1\n");

QString journalPath(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(ImportJournal::FileName);
}

// The path of a journal line inside the data folder, or "" when the line would lead out of it.
QString pathInside(const QDir& dataFolder, const QString& relative)
{
    if (relative.isEmpty() || QDir::isAbsolutePath(relative))
        return QString();
    const QString clean = QDir::cleanPath(relative);
    if (clean == QStringLiteral("..") || clean.startsWith(QStringLiteral("../")) || clean == QStringLiteral("."))
        return QString();
    return dataFolder.filePath(clean);
}

// The recorded files of a journal's bytes: every complete line after the header. A line cut off by the crash was
// being written before its file was made, so that file does not exist.
QStringList recordedFiles(const QByteArray& journal)
{
    QStringList files;
    if (!journal.startsWith(header))
        return files;
    qsizetype start = header.size();
    for (qsizetype end = journal.indexOf('\n', start); end >= 0; end = journal.indexOf('\n', start)) {
        files.append(QString::fromUtf8(journal.mid(start, end - start)));
        start = end + 1;
    }
    return files;
}

// Longer lists of files left are cut to this many names in the message.
constexpr qsizetype listedFiles = 20;

} // namespace

const QString ImportJournal::FileName = QStringLiteral("import-journal.txt");

ImportJournal::ImportJournal(const QString& dataFolder) : folder(dataFolder), path(journalPath(dataFolder)) {}

bool ImportJournal::add(const QStringList& paths)
{
    QByteArray lines;
    if (!started)
        lines = header;
    const QDir dataFolder(folder);
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    for (const QString& file : paths) {
        // Nearly every file is an object file named directly in the data folder: its line is its bare name, and
        // the general relative path, which cleans and compares both paths, costs more than writing the file.
        const bool bareName = file.startsWith(prefix) && file.indexOf(u'/', prefix.size()) < 0 &&
                              file.size() > prefix.size() && !file.endsWith(u'.');
        lines +=
            (bareName ? QStringView(file).mid(prefix.size()).toUtf8() : dataFolder.relativeFilePath(file).toUtf8()) +
            '\n';
    }
    // The journal is made exclusively: one that is there already belongs to an import cut off or still running.
    if (!(started ? FileSystem::appendDurably(path, lines, &failure)
                  : FileSystem::createDurably(path, lines, &failure))) {
        if (!started && QFileInfo::exists(path))
            failure =
                path + QStringLiteral(": ") + gLangM.Get(QStringLiteral("LABEL_POPRZEDNI_IMPORT_NIE_ZOSTAL_COFNIETY"));
        return false;
    }
    started = true;
    return true;
}

bool ImportJournal::close()
{
    if (!started)
        return true;
    if (!FileSystem::deleteFileDurably(path, &failure))
        return false;
    started = false;
    return true;
}

InterruptedImport UndoInterruptedImport(const FolderLock& lock)
{
    InterruptedImport undone;
    const QString dataFolder = lock.folder();
    const QString path = journalPath(dataFolder);
    QFile journal(path);
    if (!lock.held() || !journal.exists())
        return undone;
    undone.found = true;
    if (!journal.open(QIODevice::ReadOnly)) {
        undone.notRemoved.append(path);
        return undone;
    }
    const QStringList files = recordedFiles(journal.readAll());
    journal.close();

    const QDir folder(dataFolder);
    for (const QString& relative : files) {
        const QString file = pathInside(folder, relative);
        // Only files the import made: a folder standing under a recorded name is not its own.
        if (file.isEmpty() || !FileSystem::fileExists(file))
            continue;
        if (FileSystem::deleteFile(file))
            ++undone.removedFiles;
        else
            undone.notRemoved.append(file);
    }
    if (undone.notRemoved.isEmpty() && !FileSystem::deleteFileDurably(path))
        undone.notRemoved.append(path);
    return undone;
}

QString InterruptedImport::message() const
{
    if (!found)
        return QString();
    if (notRemoved.isEmpty())
        return gLangM.Get(QStringLiteral("LABEL_PRZERWANY_IMPORT_DANYCH_ZOSTAL_COFNIETY"));
    QStringList listed = notRemoved.mid(0, listedFiles);
    if (notRemoved.size() > listedFiles)
        listed.append(gLangM.FormatInt(QStringLiteral("LABEL_I_%D_INNYCH"), int(notRemoved.size() - listedFiles)));
    return gLangM.FormatStr(QStringLiteral("LABEL_PRZERWANY_IMPORT_DANYCH_NIE_USUNIETO_[%S]"),
                            listed.join(QStringLiteral("\r\n")));
}
