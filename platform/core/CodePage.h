// Single-byte code pages of older files and programs: the Windows code pages of Central and Western Europe and
// the DOS code pages of the console. Each is a table of its upper half; the lower half is ASCII.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

enum class CodePage {
    Windows1250, // Central European "ANSI", the Polish one
    Windows1252, // Western European "ANSI"
    Ibm437,      // the DOS console of the United States
    Ibm852,      // the DOS console of Central Europe, the Polish "OEM"
};

// What a byte that the code page leaves undefined decodes to.
enum class UndefinedBytes {
    // U+FFFD, the replacement character: a reader that shows text.
    Replace,
    // The control character of the same number (0x81 -> U+0081), as the desktop's own conversion does, so that
    // such bytes come back unchanged when the text is encoded again.
    Keep,
};

QString decodeCodePage(QByteArrayView bytes, CodePage page, UndefinedBytes undefined = UndefinedBytes::Replace);
// A character the code page lacks becomes "?". A control character U+0080 to U+009F becomes its own byte where
// the code page leaves that byte undefined.
QByteArray encodeCodePage(QStringView text, CodePage page);
