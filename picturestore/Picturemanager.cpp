#include "Picturemanager.h"

#include "FileSystem.h"

#include <QStringList>

namespace {

QString picturesFolder;

const QString storedPrefix = QStringLiteral("[#] ");

// The file-name part of a path: the text after its last "/".
QString fileNamePart(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// The extension of a file name from its last "." on, dot included; "" when the name has no dot.
QString extensionOf(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

// "photo.jpg" -> "photo (n).jpg", "scan" -> "scan (n)".
QString numberedName(const QString& name, int n)
{
    const QString extension = extensionOf(name);
    return name.left(name.size() - extension.size()) + QStringLiteral(" (%1)").arg(n) + extension;
}

// Names tried after the file's own name when that one is taken by a different file.
constexpr int maxNumberedNames = 30;

} // namespace

void SetPicturesFolder(const QString& path)
{
    picturesFolder = path;
    if (!picturesFolder.isEmpty() && !picturesFolder.endsWith(u'/'))
        picturesFolder += u'/';
}

QString GetPicturesFolder()
{
    return picturesFolder;
}

QString ResolvePicturePath(const QString& stored)
{
    // The character after "[#]" is skipped whatever it is: it is the blank of the prefix.
    if (stored.startsWith(QStringLiteral("[#]")))
        return picturesFolder + stored.mid(4);
    return stored;
}

QString CopyPictureToFolder(const QString& source, const std::function<bool(const QString&)>& beforeNewFile)
{
    // Without a folder a stored path could not be resolved, and without a source there is nothing to compare.
    if (picturesFolder.isEmpty() || !FileSystem::fileExists(source))
        return {};
    const QString name = fileNamePart(source);
    // A failure here shows up as a failed copy below.
    FileSystem::createFolders(picturesFolder);

    for (int n = 0; n <= maxNumberedNames; ++n) {
        const QString candidate = n == 0 ? name : numberedName(name, n);
        const QString target = picturesFolder + candidate;
        // A folder (or anything else that is no file) standing at the name takes it as much as a file does.
        if (!FileSystem::fileExists(target) && !FileSystem::folderExists(target)) {
            if (beforeNewFile && !beforeNewFile(target))
                return {};
            return FileSystem::atomicCopy(source, target) ? storedPrefix + candidate : QString();
        }
        // The same picture brought in again (or the source already being this file) keeps its name and file.
        if (FileSystem::sameContents(source, target))
            return storedPrefix + candidate;
    }
    return {};
}

bool IsPictureFile(const QString& fileName)
{
    static const QStringList pictureExtensions = {QStringLiteral(".BMP"), QStringLiteral(".GIF"),
                                                  QStringLiteral(".JPG"), QStringLiteral(".JPEG"),
                                                  QStringLiteral(".PNG")};
    return pictureExtensions.contains(extensionOf(fileNamePart(fileName)), Qt::CaseInsensitive);
}
