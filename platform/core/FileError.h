// A file that could not be read, written or deleted.
#pragma once

#include "Toolkit.h"

#include <QString>

// The parts stay apart, so that whoever tells the user can say in the user's language what failed on which file,
// followed by the system's reason; the message is "path: reason".
class FileError : public Exception
{
public:
    enum class Operation { Read, Write, Delete };

    FileError(Operation operation, const QString& path, const QString& reason)
        : Exception(path + QStringLiteral(": ") + reason), done(operation), file(path), why(reason)
    {}
    Operation operation() const { return done; }
    const QString& path() const { return file; }
    const QString& reason() const { return why; }

private:
    Operation done;
    QString file;
    QString why;
};
