#include "IniFile.h"

#include "FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

bool isHeader(const QString& line)
{
    const QString t = line.trimmed();
    return t.startsWith(u'[') && t.endsWith(u']');
}

QString headerName(const QString& line)
{
    const QString t = line.trimmed();
    return t.mid(1, t.size() - 2).trimmed();
}

} // namespace

TIniFile::TIniFile(const QString& fileName) : fileName(fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    lines = QString::fromUtf8(file.readAll()).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
}

int TIniFile::sectionLine(const QString& section) const
{
    for (int i = 0; i < lines.size(); ++i) {
        if (isHeader(lines[i]) && headerName(lines[i]).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int TIniFile::valueLine(int header, const QString& name) const
{
    for (int i = header + 1; i < lines.size() && !isHeader(lines[i]); ++i) {
        const qsizetype equals = lines[i].indexOf(u'=');
        if (equals > 0 && lines[i].left(equals).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString TIniFile::ReadString(const QString& section, const QString& name, const QString& defaultValue) const
{
    const int header = sectionLine(section);
    const int line = header < 0 ? -1 : valueLine(header, name);
    if (line < 0)
        return defaultValue;
    return lines[line].mid(lines[line].indexOf(u'=') + 1).trimmed();
}

int TIniFile::ReadInteger(const QString& section, const QString& name, int defaultValue) const
{
    bool ok = false;
    const int value = ReadString(section, name, QString()).toInt(&ok);
    return ok ? value : defaultValue;
}

void TIniFile::WriteString(const QString& section, const QString& name, const QString& value)
{
    const QString line = name + u'=' + value;
    int header = sectionLine(section);
    if (header < 0) {
        lines.append(u'[' + section + u']');
        lines.append(line);
        return;
    }
    const int existing = valueLine(header, name);
    if (existing >= 0) {
        lines[existing] = line;
        return;
    }
    // After the section's last value, before the blank lines that part it from the next one.
    int end = header + 1;
    while (end < lines.size() && !isHeader(lines[end]))
        ++end;
    while (end > header + 1 && lines[end - 1].trimmed().isEmpty())
        --end;
    lines.insert(end, line);
}

void TIniFile::WriteInteger(const QString& section, const QString& name, int value)
{
    WriteString(section, name, QString::number(value));
}

bool TIniFile::UpdateFile()
{
    const QString folder = QFileInfo(fileName).absolutePath();
    if (!FileSystem::folderExists(folder) && !FileSystem::createFolders(folder))
        return false;
    return FileSystem::atomicWrite(fileName, (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
}

QString PersistenceFile(const QString& key, bool registryKey)
{
    QString name = key;
    if (registryKey)
        name = name.replace(u'\\', u'_').replace(u'/', u'_') + QStringLiteral(".ini");
    if (QDir::isAbsolutePath(name))
        return name;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + u'/' + name;
}
