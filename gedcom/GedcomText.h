// How the bytes of a GEDCOM file become text: the encoding the file is read in (chosen from its byte-order mark,
// its zero bytes or its header's CHAR line) and the decoding of values in that encoding. Lines are split on the
// bytes themselves, so every encoding here is first brought into an ASCII-compatible form.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

enum class GedcomEncoding { Ascii, Utf8, Utf16LE, Utf16BE, Ansel, Latin1, Cp437, Windows1250, Windows1252 };

// The name the import summary shows for an encoding ("UTF-8", "Windows-1250", ...).
QString gedcomEncodingName(GedcomEncoding encoding);

// Removes a byte-order mark and turns UTF-16 into UTF-8, so that lines can be split on bytes whatever the
// file's form. Returns the encoding when the mark or the zero bytes of UTF-16 decide it, nothing otherwise.
std::optional<GedcomEncoding> takeUnicodeForm(QByteArray& bytes);

// The encoding of a file whose form did not decide it: from the value of its header's CHAR line (none when it has
// no such line), its bytes and whether they are valid UTF-8.
GedcomEncoding encodingForCharset(std::optional<QByteArrayView> charset, QByteArrayView fileBytes, bool validUtf8);

// Decodes bytes of a file read in the given encoding (UTF-16 files arrive here as UTF-8). Invalid UTF-8 becomes
// U+FFFD; ANSEL combining marks, which precede their letter, are composed with it.
QString decodeGedcomText(QByteArrayView bytes, GedcomEncoding encoding);

// Finds the bytes that are not valid UTF-8 in the values of a file, value by value. A character that a producer
// split between a value and the CONC line after it is whole again once the two are joined, so an incomplete
// character at the end of a value is held back until the next value shows whether it goes on.
class Utf8Checker
{
public:
    struct Fault
    {
        int line;
        QByteArray bytes;
    };

    // Checks the value of physical line `line`; `continues` tells that it continues the value before it.
    void check(int line, QByteArrayView value, bool continues);
    // Ends the file: bytes still held back are invalid.
    void finish();
    // True while the bytes of an incomplete character wait for the next value.
    bool holding() const { return !held.isEmpty(); }
    const QList<Fault>& faults() const { return found; }

private:
    void scan(int line, QByteArrayView bytes);
    void report(int line, QByteArrayView bytes);

    QList<Fault> found;
    QByteArray held;
    int heldLine = 0;
};
