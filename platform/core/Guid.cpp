#include "Guid.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <algorithm>

namespace {

// The time part of the last GUID made, in milliseconds since 1970, and the counter that orders the GUIDs made
// within one millisecond.
quint64 lastMilliseconds = 0;
quint32 counter = 0;
constexpr quint32 counterMask = 0xFFF;

// A fresh counter leaves room for many increments before it overflows into the next millisecond.
quint32 freshCounter()
{
    return QRandomGenerator::global()->bounded(counterMask / 2);
}

// Writes the digits at out and returns the place after them.
char16_t* writeHex(char16_t* out, quint64 value, int digits)
{
    static const char16_t hex[] = u"0123456789ABCDEF";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        *out++ = hex[(value >> shift) & 0xF];
    return out;
}

constexpr qsizetype guidDigits = 36;

// Time-ordered GUIDs (the layout of RFC 9562's version 7): the milliseconds since 1970, a counter, then random bits.
// Each GUID sorts after the one made before it, so new IDs go in at the end of the database's ordered maps
// instead of at random places; 73 random bits keep them unique. Writes the 36 characters without braces at out.
void writeNewGuid(char16_t* out)
{
    const quint64 now = quint64(QDateTime::currentMSecsSinceEpoch());
    if (now > lastMilliseconds) {
        lastMilliseconds = now;
        counter = freshCounter();
    } else if (++counter > counterMask) {
        // More GUIDs in one millisecond than the counter holds, or a clock set back: borrow the next millisecond.
        ++lastMilliseconds;
        counter = freshCounter();
    }
    const quint64 random = QRandomGenerator::global()->generate64();
    out = writeHex(out, lastMilliseconds >> 16, 8);
    *out++ = u'-';
    out = writeHex(out, lastMilliseconds & 0xFFFF, 4);
    *out++ = u'-';
    out = writeHex(out, 0x7000 | counter, 4);
    *out++ = u'-';
    // The variant bits 10, then 62 random bits.
    out = writeHex(out, 0x8000 | ((random >> 48) & 0x3FFF), 4);
    *out++ = u'-';
    writeHex(out, random & 0xFFFFFFFFFFFFULL, 12);
}

} // namespace

QString NewGuidText()
{
    char16_t text[guidDigits + 2];
    text[0] = u'{';
    writeNewGuid(text + 1);
    text[guidDigits + 1] = u'}';
    return QString(reinterpret_cast<const QChar*>(text), guidDigits + 2);
}

// The digits are written straight into the string: building them elsewhere and appending cost more than the rest.
QString NewPrefixedGuid(QStringView prefix)
{
    QString name(prefix.size() + guidDigits, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(name.data());
    std::copy(prefix.utf16(), prefix.utf16() + prefix.size(), out);
    writeNewGuid(out + prefix.size());
    return name;
}
