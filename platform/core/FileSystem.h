// File-system operations the program needs: listing a folder, copying, deleting, creating folders, and the two
// ways of writing a file (an atomic replace for single saves, a plain batch write for bulk imports).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace FileSystem {

// Names (not paths) of the files directly in folder whose names match mask ("*" and "?", case ignored), with
// their case kept, in ordinal order so that loads are deterministic. Sub-folders are not entered.
QStringList listFiles(const QString& folder, const QString& mask);
// The same for several masks in one reading of the folder: one list per mask, in the masks' order.
QList<QStringList> listFiles(const QString& folder, const QStringList& masks);

bool fileExists(const QString& path);
bool folderExists(const QString& path);
// Creates the folder and any missing parents; true when the folder exists afterwards.
bool createFolders(const QString& path);
// Copies source to target; with failIfExists an existing target is left alone and the copy fails.
bool copyFile(const QString& source, const QString& target, bool failIfExists);
// A folder is not deleted. error (when given) receives the system's reason of a failure.
bool deleteFile(const QString& path, QString* error = nullptr);
// True when both paths are readable files with the same bytes (sizes are compared first, so files of different
// sizes are never read).
bool sameContents(const QString& a, const QString& b);

// Replaces path with data so that a reader sees either the old or the new file, never a mix: the data goes into
// a temporary file in the same folder (its name ends in ".tmp", so it never matches a data-file mask), is
// flushed to disk, and is then renamed over the target. On failure the old file is untouched, the temporary
// file is removed, and error (when given) receives the reason.
bool atomicWrite(const QString& path, const QByteArray& data, QString* error = nullptr);
// Copies source to target the same way: the bytes go into a temporary file beside the target, which is renamed
// over it only once complete, so an interrupted copy never leaves a truncated file under the target's name.
bool atomicCopy(const QString& source, const QString& target, QString* error = nullptr);

// The first half of atomicWrite, for callers that replace several files together: data goes into a new temporary
// file beside path, named as atomicWrite names its own, not yet flushed (flushFile does, once for all of them is
// cheaper than one by one). The temporary file's path, or "" with the reason in error (and no temporary file left).
QString writeTemporaryBeside(const QString& path, const QByteArray& data, QString* error = nullptr);
// Returns once the file's data is on disk.
bool flushFile(const QString& path, QString* error = nullptr);
// Renames from over to (replacing it) in one step.
bool renameFile(const QString& from, const QString& to, QString* error = nullptr);
// A temporary file that atomicWrite, atomicCopy or writeTemporaryBeside leaves behind only when the process is cut
// off before its rename.
bool isAtomicWriteTemporary(const QString& name);
// Removes every such temporary file directly in folder; their names. Only while no other process can be writing
// in the folder, such as at start under the folder's lock.
QStringList removeAtomicWriteTemporaries(const QString& folder);

// Creates path with data, failing when anything of that name is there already, and returns only once the data and
// the new name in its folder are on disk. On failure nothing is left under the name.
bool createDurably(const QString& path, const QByteArray& data, QString* error = nullptr);
// Makes the renames, creations and deletions done in folder durable.
bool syncFolder(const QString& folder, QString* error = nullptr);
// Appends data to path, creating the file when it is missing, and returns only once the data (and a new file's
// name in its folder) is on disk. For logs that must survive a crash, such as a journal of files about to be made.
bool appendDurably(const QString& path, const QByteArray& data, QString* error = nullptr);
// Deletes the file and returns only once its removal from the folder is on disk; a missing file counts as deleted.
bool deleteFileDurably(const QString& path, QString* error = nullptr);

// Writes many new files quickly: each write is a plain write with no flush of its own, and finish() flushes
// the file system once. Used by bulk imports, where each file is new and a crash leaves only new files behind.
class NewFileBatch
{
public:
    explicit NewFileBatch(const QString& folder);
    bool write(const QString& path, const QByteArray& data, QString* error = nullptr);
    // Flushes everything written so far; true when the flush succeeded.
    bool finish(QString* error = nullptr);
    int writtenCount() const { return written; }
    // The reason of the latest failed write or flush, for callers that learn of a failure only from a result.
    const QString& lastError() const { return failure; }

private:
    QString folder;
    QString failure;
    int written = 0;
};

} // namespace FileSystem
