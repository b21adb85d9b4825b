// INI files as the controls keep their settings in them: [Section] headers and Name=Value lines, names compared
// ignoring case. Values read from a file that a person may have edited come back as the default when they are not
// what was asked for. Writing keeps the file's lines in their order, puts new names at the end of their section
// and replaces the file atomically.
#pragma once

#include <QString>
#include <QStringList>

class TIniFile
{
public:
    // Reads the file when it exists; a missing or unreadable file reads as empty.
    explicit TIniFile(const QString& fileName);

    QString ReadString(const QString& section, const QString& name, const QString& defaultValue) const;
    // The default for a missing value or one that is not a whole number.
    int ReadInteger(const QString& section, const QString& name, int defaultValue) const;
    void WriteString(const QString& section, const QString& name, const QString& value);
    void WriteInteger(const QString& section, const QString& name, int value);
    // Writes the values to the file (its folder is made when missing); false when that failed.
    bool UpdateFile();

private:
    // The line of the section header, or -1.
    int sectionLine(const QString& section) const;
    // The line of name within the section starting after line header, or -1.
    int valueLine(int header, const QString& name) const;

    QString fileName;
    QStringList lines;
};

// The INI file a control keeps its values in, for a key: with registryKey the key names a registry path, which
// becomes a file name (separators turned into "_", ".ini" added); a relative name lies in the user's configuration
// folder, an absolute one is kept.
QString PersistenceFile(const QString& key, bool registryKey);
