// The one way the program tells the user that a file could not be read, written or deleted: a sentence in the
// user's language naming the file, then the system's reason.
#pragma once

#include "FileError.h"

#include <QString>

// "Nie można zapisać pliku [path]: reason". A reason that starts with the path (as system texts often do) has the
// path taken off, so the file is named once; an empty reason leaves the sentence without one.
QString FileFailureText(FileError::Operation operation, const QString& path, const QString& reason);
QString FileFailureText(const FileError& error);
