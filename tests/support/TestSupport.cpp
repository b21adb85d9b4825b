#include "TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

QByteArray readFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFileBytes(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

bool setModificationTime(const QString& path, const QDateTime& time)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.setFileTime(time, QFileDevice::FileModificationTime);
}

QByteArray imageBytes(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage whiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

QString sharedDataFolder()
{
    const QString folder = QStringLiteral(KRONVEL_SOURCE_DIR "/../shared/data");
    return QDir(folder).exists() ? QDir(folder).canonicalPath() : QString();
}

QString testOutputFolder()
{
    const QString folder = QDir::current().filePath(QStringLiteral("test-output"));
    QDir().mkpath(folder);
    return folder;
}
