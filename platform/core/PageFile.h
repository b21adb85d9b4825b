// The program's HTML pages as files: a template read from the program folder and a page written for the
// embedded browser. Both pages of the program (the start page and the family view) are made this way.
#pragma once

#include <QString>

// The template's text as UTF-8 (a leading byte-order mark skipped), every line ended by CR LF. A template that
// cannot be read raises a FileError.
QString readPageTemplate(const QString& path);
// Writes the page as UTF-8 with a byte-order mark, every line ended by CR LF, replacing the file at once. A file
// that cannot be written raises a FileError, and the old file stays.
void writePageFile(const QString& path, const QString& page);
// A local file or folder as the fully encoded file URL a page refers to it by.
QString fileUrlText(const QString& path);
