// How the list's file formats meet the disk: lines ended by CR LF in the "ANSI" code page (Windows-1250) or in
// UTF-16LE after its byte-order mark, read back by their mark, and written whole through the atomic replace.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

QString cannotCreateFileMessage(const QString& fileName);
QString corruptFileMessage(const QString& fileName);

QByteArray utf16le(const QString& text);
QString fromUtf16le(QByteArrayView bytes);
// Each line followed by CR LF.
QByteArray encodeListLines(const QStringList& lines, bool unicode);
// The file's text: a UTF-16 or UTF-8 byte-order mark names its encoding, else it is Windows-1250. A file that
// cannot be read raises EAdvListViewError.
QString readListFileText(const QString& fileName);
// Split at CR, LF or CR LF.
QStringList readListFileLines(const QString& fileName);
// Replaces the file whole; EAdvListViewError "Cannot create file" when it cannot be written.
void writeListFile(const QString& fileName, const QByteArray& data);
