#include "TestSupport.h"

#include <QDir>
#include <QFile>

QByteArray readFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFileBytes(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(data);
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
