#include "PageFile.h"

#include "FileError.h"
#include "FileSystem.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace {

const char byteOrderMark[] = "\xEF\xBB\xBF";

QStringList lines(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList result = text.split(lineBreak);
    // The break that ends the last line leaves an empty piece behind it.
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

QString withLineEnds(const QStringList& lines)
{
    QString result;
    for (const QString& line : lines)
        result += line + QStringLiteral("\r\n");
    return result;
}

} // namespace

QString readPageTemplate(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(FileError::Operation::Read, path, file.errorString());
    QByteArray bytes = file.readAll();
    if (bytes.startsWith(byteOrderMark))
        bytes.remove(0, 3);
    return withLineEnds(lines(QString::fromUtf8(bytes)));
}

void writePageFile(const QString& path, const QString& page)
{
    QString error;
    if (!FileSystem::atomicWrite(path, byteOrderMark + withLineEnds(lines(page)).toUtf8(), &error))
        throw FileError(FileError::Operation::Write, path, error);
}

QString fileUrlText(const QString& path)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}
