#include "Picture.h"

#include "Picturemanager.h"

#include <QFileInfo>

bool KV_Picture::SetFile(const QString& storedPath)
{
    File = storedPath;
    return true;
}

QString KV_Picture::GetFullPath() const
{
    return ResolvePicturePath(File);
}

bool KV_Picture::ImportFile(const QString& sourcePath, const std::function<bool(const QString&)>& beforeNewFile)
{
    const QString stored = CopyPictureToFolder(sourcePath, beforeNewFile);
    if (stored.isEmpty())
        return false;
    File = stored;
    Name = QFileInfo(sourcePath).completeBaseName();
    return true;
}

KV_ListObject* NewListObject(const QString& id)
{
    return new KV_ListObject(id);
}
