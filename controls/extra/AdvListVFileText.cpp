#include "AdvListVFileText.h"
#include "AdvListV.h"
#include "CodePage.h"
#include "FileSystem.h"

#include <QFile>

namespace {

const QString LineEnd = QStringLiteral("\r\n");

} // namespace

QString cannotCreateFileMessage(const QString& fileName)
{
    return QStringLiteral("Cannot create file ") + fileName;
}

QString corruptFileMessage(const QString& fileName)
{
    return QStringLiteral("File contains no data or corrupt file ") + fileName;
}

QByteArray utf16le(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar ch : text) {
        bytes.append(char(ch.unicode() & 0xFF));
        bytes.append(char(ch.unicode() >> 8));
    }
    return bytes;
}

QString fromUtf16le(QByteArrayView bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(quint8(bytes[2 * i]) | (quint8(bytes[2 * i + 1]) << 8)));
    return text;
}

QByteArray encodeListLines(const QStringList& lines, bool unicode)
{
    QString text;
    for (const QString& line : lines)
        text += line + LineEnd;
    if (unicode)
        return QByteArrayLiteral("\xFF\xFE") + utf16le(text);
    return encodeCodePage(text, CodePage::Windows1250);
}

QString readListFileText(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EAdvListViewError(QStringLiteral("Cannot open file ") + fileName);
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xFF\xFE"))
        return fromUtf16le(QByteArrayView(bytes).sliced(2));
    if (bytes.startsWith("\xFE\xFF")) {
        QByteArray swapped = bytes.mid(2);
        for (qsizetype i = 0; i + 1 < swapped.size(); i += 2)
            std::swap(swapped[i], swapped[i + 1]);
        return fromUtf16le(swapped);
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(QByteArrayView(bytes).sliced(3));
    return decodeCodePage(bytes, CodePage::Windows1250, UndefinedBytes::Keep);
}

QStringList readListFileLines(const QString& fileName)
{
    TStringList list;
    list.SetText(readListFileText(fileName));
    return list.ToStringList();
}

void writeListFile(const QString& fileName, const QByteArray& data)
{
    if (!FileSystem::atomicWrite(fileName, data))
        throw EAdvListViewError(cannotCreateFileMessage(fileName));
}
