#include "Miniaturyunit.h"

#include "FileSystem.h"
#include "Guid.h"
#include "Tmd5.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <cmath>

MiniaturyUnit gMiniaturyUnit;

namespace {

QString inFolder(const QString& folder, const QString& name)
{
    return folder.isEmpty() || folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// Pictures are read by their contents: report images are BMP data behind a ".jpg" name.
QImage readPicture(const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

// The factor that fits a picture into width x height keeping its shape; -1 for a side leaves that side free.
double fitFactor(const QSize& picture, int width, int height)
{
    const double fx = double(width) / picture.width();
    const double fy = double(height) / picture.height();
    double factor = fy >= fx ? fx : fy;
    if (width == -1)
        factor = fy;
    if (height == -1)
        factor = fx;
    return factor;
}

// Writes the whole picture drawn into a new width x height bitmap as a BMP file, replacing target atomically.
// Transparent parts come out white, as on the paper and panels the pictures are shown on.
bool writeBitmap(const QImage& picture, const QSize& size, const QString& target)
{
    if (size.width() < 1 || size.height() < 1)
        return false;
    QImage bitmap(size, QImage::Format_RGB32);
    if (bitmap.isNull())
        return false;
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), size), picture);
    painter.end();
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    return bitmap.save(&buffer, "BMP") && FileSystem::atomicWrite(target, data);
}

// A side of a scaled picture: truncated, and at least one pixel of a picture that is scaled at all.
int scaledSide(double side)
{
    return side > 0 ? std::max(1, int(side)) : 0;
}

} // namespace

MiniaturyUnit::~MiniaturyUnit()
{
    // A file that cannot be deleted stays behind; the others are deleted all the same.
    for (const QString& file : TempFiles)
        FileSystem::deleteFile(file);
}

void MiniaturyUnit::DeleteReportImages(const QStringList& files)
{
    for (const QString& file : files) {
        if (FileSystem::deleteFile(file))
            TempFiles.removeOne(file);
    }
}

QString MiniaturyUnit::GetThumbnail(const QString& picturePath)
{
    if (picturePath.isEmpty() || CacheFolder.isEmpty() || !FileSystem::fileExists(picturePath))
        return QString();
    TMD5 digest;
    digest.SetInputString(picturePath.toUtf8());
    digest.HashString();
    const QString cachePath = inFolder(CacheFolder, QString::fromLatin1(digest.DigestText) + QStringLiteral(".bmp"));

    // The thumbnail carries the modification time of the picture it was made from.
    const QDateTime pictureTime = QFileInfo(picturePath).lastModified();
    if (FileSystem::fileExists(cachePath) && QFileInfo(cachePath).lastModified() == pictureTime)
        return cachePath;
    const QString made = MakeScaledBitmap(picturePath, cachePath, CacheFolder, ThumbWidth, ThumbHeight);
    if (!made.isEmpty()) {
        QFile thumbnail(made);
        if (thumbnail.open(QIODevice::ReadWrite))
            thumbnail.setFileTime(pictureTime, QFileDevice::FileModificationTime);
    }
    return made;
}

QString MiniaturyUnit::MakeScaledBitmap(const QString& source, const QString& target, const QString& folder, int width,
                                        int height)
{
    TWaitCursorLok wait;
    const QString file = target.isEmpty() ? inFolder(folder, QStringLiteral("tempfile.jpg")) : target;
    const QImage picture = readPicture(source);
    if (picture.isNull())
        return QString();
    if (!folder.isEmpty() && !FileSystem::folderExists(folder))
        FileSystem::createFolders(folder);
    const double factor = fitFactor(picture.size(), width, height);
    const QSize size(scaledSide(picture.width() * factor), scaledSide(picture.height() * factor));
    return writeBitmap(picture, size, file) ? file : QString();
}

QString MiniaturyUnit::MakeReportImage(double, const QString& source, const QString& target, const QString& folder,
                                       int width, int height, double zoom)
{
    const QString file = target.isEmpty() ? inFolder(folder, UniqueTempJpgName()) : target;
    const auto imageSize = [&](const QSize& picture) {
        const double factor = fitFactor(picture, width, height);
        // Each side is truncated before and after the zoom.
        return QSize(scaledSide(scaledSide(picture.width() * factor) * zoom),
                     scaledSide(scaledSide(picture.height() * factor) * zoom));
    };
    QImageReader reader(source);
    reader.setDecideFormatFromContent(true);
    // A photograph larger than the image is read at the image's size: a JPEG is then decoded at a fraction of its
    // resolution, which saves most of what a report with many photographs costs.
    const QSize stored = reader.size();
    if (stored.isValid() && !stored.isEmpty()) {
        const QSize size = imageSize(stored);
        if (size.width() < stored.width() && size.height() < stored.height())
            reader.setScaledSize(size);
    }
    const QImage picture = reader.read();
    if (picture.isNull())
        return QString();
    if (!writeBitmap(picture, imageSize(stored.isValid() && !stored.isEmpty() ? stored : picture.size()), file))
        return QString();
    TempFiles.append(file);
    return file;
}

QString MiniaturyUnit::UniqueTempJpgName()
{
    return QStringLiteral("file_temp_unique_") + NewGuidText() + QStringLiteral(".jpg");
}

QString MiniaturyUnit::NewGuidText()
{
    return ::NewGuidText();
}
