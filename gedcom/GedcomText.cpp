#include "GedcomText.h"

#include "CodePage.h"

#include <QStringDecoder>
#include <array>
#include <cstring>

namespace {

// The upper half of ANSEL, bytes 0x80 to 0xFF; 0 marks a control code, which is dropped.
using HighHalf = std::array<char16_t, 128>;

// ANSEL spacing characters, with the extensions GEDCOM files use (LDS boxes, midline e and o, es zet, euro).
// Bytes 0xE0 and up that are combining marks are looked up in anselMarks instead.
constexpr HighHalf anselSpacing = [] {
    HighHalf half{};
    for (int i = 0x20; i < 0x80; ++i)
        half[i] = 0xFFFD;
    half[0x0D] = 0x200D; // zero width joiner
    half[0x0E] = 0x200C; // zero width non-joiner
    const char16_t fromA1[] = {0x0141, 0x00D8, 0x0110, 0x00DE, 0x00C6, 0x0152, 0x02B9, 0x00B7, 0x266D, 0x00AE,
                               0x00B1, 0x01A0, 0x01AF, 0x02BE, 0xFFFD, 0x02BF, 0x0142, 0x00F8, 0x0111, 0x00FE,
                               0x00E6, 0x0153, 0x02BA, 0x0131, 0x00A3, 0x00F0, 0xFFFD, 0x01A1, 0x01B0, 0x25A1,
                               0x25A0, 0x00B0, 0x2113, 0x2117, 0x00A9, 0x266F, 0x00BF, 0x00A1, 0x00DF, 0x20AC,
                               0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0x0065, 0x006F, 0x00DF};
    for (std::size_t i = 0; i < std::size(fromA1); ++i)
        half[0x21 + i] = fromA1[i];
    return half;
}();

// ANSEL combining marks, bytes 0xE0 to 0xFE; 0 where the byte is no mark.
constexpr std::array<char16_t, 31> anselMarks = {
    0x0309, 0x0300, 0x0301, 0x0302, 0x0303, 0x0304, 0x0306, 0x0307, 0x0308, 0x030C, 0x030A,
    0xFE20, 0xFE21, 0x0315, 0x030B, 0x0310, 0x0327, 0x0328, 0x0323, 0x0324, 0x0325, 0x0333,
    0x0332, 0x0326, 0x031C, 0x032E, 0xFE22, 0xFE23, 0x0000, 0x0000, 0x0313,
};

// ISO-8859-1 as GEDCOM files use it: its control codes 0x80 to 0x9F carry nothing and are dropped.
QString decodeLatin1(QByteArrayView bytes)
{
    QString text = QString::fromLatin1(bytes);
    text.removeIf([](QChar c) { return c.unicode() >= 0x80 && c.unicode() <= 0x9F; });
    return text;
}

char16_t anselMark(uchar b)
{
    return b >= 0xE0 && b <= 0xFE ? anselMarks[b - 0xE0] : 0;
}

// True for bytes that every single-byte encoding here reads as the same ASCII characters: no byte of the upper
// half and no zero byte.
bool isPlainAscii(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (uchar(c) == 0 || uchar(c) >= 0x80)
            return false;
    return true;
}

// ANSEL writes a combining mark before its letter, Unicode after it; the marks wait for their letter and are
// then composed with it.
QString decodeAnsel(QByteArrayView bytes)
{
    // Most values are plain ASCII, which ANSEL shares.
    if (!bytes.isEmpty() && isPlainAscii(bytes))
        return QString::fromLatin1(bytes);
    QString text;
    text.reserve(bytes.size());
    QString marks;
    bool composing = false;
    for (const char c : bytes) {
        const auto b = uchar(c);
        if (const char16_t mark = anselMark(b)) {
            marks.append(QChar(mark));
            continue;
        }
        const char16_t u = b < 0x80 ? char16_t(b) : b < 0xE0 ? anselSpacing[b - 0x80] : char16_t(0xFFFD);
        if (u != 0)
            text.append(QChar(u));
        if (!marks.isEmpty()) {
            text.append(marks);
            marks.clear();
            composing = true;
        }
    }
    text.append(marks);
    return composing ? text.normalized(QString::NormalizationForm_C) : text;
}

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

// Bytes that are letters only Polish text uses in Windows-1250 (Ą ą Ł ł Ś ś Ź ź Ż ż); Windows-1252 has signs
// such as £ and ¿ there.
bool isPolishOnlyLetter(uchar b)
{
    switch (b) {
    case 0xA5:
    case 0xB9:
    case 0xA3:
    case 0xB3:
    case 0x8C:
    case 0x9C:
    case 0x8F:
    case 0x9F:
    case 0xAF:
    case 0xBF:
        return true;
    default:
        return false;
    }
}

bool isLetterByte(uchar b)
{
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b >= 0xC0 || isPolishOnlyLetter(b);
}

// Such a byte counts only where it stands as a letter, beside another letter, so that a price in pounds ("£5")
// does not turn a Western file into Central European text.
bool holdsPolishLetters(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (!isPolishOnlyLetter(uchar(bytes[i])))
            continue;
        if ((i > 0 && isLetterByte(uchar(bytes[i - 1]))) || (i + 1 < bytes.size() && isLetterByte(uchar(bytes[i + 1]))))
            return true;
    }
    return false;
}

// Files from Windows programs name their code page loosely ("ANSI", "IBM WINDOWS") or not at all.
GedcomEncoding windowsCodePage(QByteArrayView fileBytes)
{
    return holdsPolishLetters(fileBytes) ? GedcomEncoding::Windows1250 : GedcomEncoding::Windows1252;
}

// Where the UTF-8 character that begins with `lead` needs its second byte to be, or {0, 0} for a byte that
// cannot begin one; the tight ranges refuse overlong forms, surrogates and code points above U+10FFFF.
struct Utf8Lead
{
    int length;
    uchar low;
    uchar high;
};

Utf8Lead utf8Lead(uchar lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2, 0x80, 0xBF};
    if (lead == 0xE0)
        return {3, 0xA0, 0xBF};
    if (lead == 0xED)
        return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF)
        return {3, 0x80, 0xBF};
    if (lead == 0xF0)
        return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3)
        return {4, 0x80, 0xBF};
    if (lead == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

} // namespace

QString gedcomEncodingName(GedcomEncoding encoding)
{
    switch (encoding) {
    case GedcomEncoding::Ascii:
        return QStringLiteral("ASCII");
    case GedcomEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case GedcomEncoding::Utf16LE:
        return QStringLiteral("UTF-16LE");
    case GedcomEncoding::Utf16BE:
        return QStringLiteral("UTF-16BE");
    case GedcomEncoding::Ansel:
        return QStringLiteral("ANSEL");
    case GedcomEncoding::Latin1:
        return QStringLiteral("ISO-8859-1");
    case GedcomEncoding::Cp437:
        return QStringLiteral("CP437");
    case GedcomEncoding::Windows1250:
        return QStringLiteral("Windows-1250");
    case GedcomEncoding::Windows1252:
        return QStringLiteral("Windows-1252");
    }
    return QString();
}

std::optional<GedcomEncoding> takeUnicodeForm(QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
        return GedcomEncoding::Utf8;
    }
    std::optional<GedcomEncoding> utf16;
    if (bytes.startsWith("\xFF\xFE")) {
        bytes.remove(0, 2);
        utf16 = GedcomEncoding::Utf16LE;
    } else if (bytes.startsWith("\xFE\xFF")) {
        bytes.remove(0, 2);
        utf16 = GedcomEncoding::Utf16BE;
    } else if (bytes.size() >= 2 && bytes[0] != 0 && bytes[1] == 0) {
        // Every GEDCOM file begins with the ASCII digit of a level, whose UTF-16 form holds a zero byte.
        utf16 = GedcomEncoding::Utf16LE;
    } else if (bytes.size() >= 2 && bytes[0] == 0 && bytes[1] != 0) {
        utf16 = GedcomEncoding::Utf16BE;
    }
    if (!utf16)
        return std::nullopt;
    QStringDecoder decoder(*utf16 == GedcomEncoding::Utf16LE ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    const QString text = decoder(bytes);
    bytes = text.toUtf8();
    return utf16;
}

GedcomEncoding encodingForCharset(std::optional<QByteArrayView> charset, QByteArrayView fileBytes, bool validUtf8)
{
    if (!charset)
        return validUtf8 ? GedcomEncoding::Utf8 : windowsCodePage(fileBytes);
    const QByteArray name = charset->trimmed().toByteArray().toUpper();
    if (name == "UTF-8" || name == "UNICODE")
        return GedcomEncoding::Utf8;
    if (name == "ANSEL")
        return GedcomEncoding::Ansel;
    if (name == "LATIN1")
        return GedcomEncoding::Latin1;
    if (name == "IBMPC")
        return GedcomEncoding::Cp437;
    if (name == "ASCII" && isAscii(fileBytes))
        return GedcomEncoding::Ascii;
    return windowsCodePage(fileBytes);
}

QString decodeGedcomText(QByteArrayView bytes, GedcomEncoding encoding)
{
    switch (encoding) {
    case GedcomEncoding::Ascii:
    case GedcomEncoding::Utf8:
    case GedcomEncoding::Utf16LE:
    case GedcomEncoding::Utf16BE:
        return QString::fromUtf8(bytes);
    case GedcomEncoding::Ansel:
        return decodeAnsel(bytes);
    case GedcomEncoding::Latin1:
        return decodeLatin1(bytes);
    case GedcomEncoding::Cp437:
        return decodeCodePage(bytes, CodePage::Ibm437);
    case GedcomEncoding::Windows1250:
        return decodeCodePage(bytes, CodePage::Windows1250);
    case GedcomEncoding::Windows1252:
        return decodeCodePage(bytes, CodePage::Windows1252);
    }
    return QString();
}

void Utf8Checker::check(int line, QByteArrayView value, bool continues)
{
    if (held.isEmpty()) {
        scan(line, value);
        return;
    }
    if (continues) {
        QByteArray joined = held;
        joined.append(value);
        held.clear();
        scan(line, joined);
        return;
    }
    report(heldLine, held);
    held.clear();
    scan(line, value);
}

void Utf8Checker::finish()
{
    if (!held.isEmpty())
        report(heldLine, held);
    held.clear();
}

void Utf8Checker::scan(int line, QByteArrayView bytes)
{
    QByteArray invalid;
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        // Most text is ASCII: pass it eight bytes at a time.
        quint64 eight = 0;
        while (i + 8 <= size && (std::memcpy(&eight, bytes.data() + i, 8), (eight & 0x8080808080808080ULL) == 0))
            i += 8;
        if (i == size)
            break;
        const auto lead = uchar(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const Utf8Lead form = utf8Lead(lead);
        if (form.length == 0) {
            invalid.append(char(lead));
            ++i;
            continue;
        }
        int k = 1;
        for (; k < form.length && i + k < size; ++k) {
            const auto b = uchar(bytes[i + k]);
            const bool fits = k == 1 ? (b >= form.low && b <= form.high) : (b >= 0x80 && b <= 0xBF);
            if (!fits)
                break;
        }
        if (k == form.length) {
            i += k;
        } else if (i + k == size) {
            // Cut short by the end of the value: the next value may carry the rest.
            held = bytes.sliced(i).toByteArray();
            heldLine = line;
            break;
        } else {
            invalid.append(bytes.sliced(i, k).toByteArray());
            i += k;
        }
    }
    if (!invalid.isEmpty())
        report(line, invalid);
}

void Utf8Checker::report(int line, QByteArrayView bytes)
{
    if (!found.isEmpty() && found.last().line == line)
        found.last().bytes.append(bytes);
    else
        found.append({line, bytes.toByteArray()});
}
