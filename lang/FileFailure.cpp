#include "FileFailure.h"

#include "Vh_langmanager.h"

#include <QDir>

QString FileFailureText(FileError::Operation operation, const QString& path, const QString& reason)
{
    const char* key = "LABEL_NIE_MOZNA_ZAPISAC_PLIKU_[%S]";
    switch (operation) {
    case FileError::Operation::Read:
        key = "LABEL_NIE_MOZNA_ODCZYTAC_PLIKU_[%S]";
        break;
    case FileError::Operation::Write:
        break;
    case FileError::Operation::Delete:
        key = "LABEL_NIE_MOZNA_USUNAC_PLIKU_[%S]";
        break;
    }
    const QString shownPath = QDir::toNativeSeparators(path);
    QString why = reason.trimmed();
    for (const QString& prefix : {path + QStringLiteral(": "), shownPath + QStringLiteral(": ")}) {
        if (why.startsWith(prefix))
            why = why.mid(prefix.size());
    }
    const QString sentence = gLangM.FormatStr(QLatin1String(key), shownPath);
    return why.isEmpty() ? sentence : sentence + QStringLiteral(": ") + why;
}

QString FileFailureText(const FileError& error)
{
    return FileFailureText(error.operation(), error.path(), error.reason());
}
