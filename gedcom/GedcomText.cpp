#include "GedcomText.h"

#include <QStringDecoder>
#include <array>
#include <cstring>

namespace {

// The upper halves of the 8-bit code pages, bytes 0x80 to 0xFF; 0 marks a control code, which is dropped.
using HighHalf = std::array<char16_t, 128>;

constexpr HighHalf windows1250 = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021, 0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

constexpr HighHalf windows1252 = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152,
    0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122,
    0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178, 0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF, 0x00B0, 0x00B1, 0x00B2, 0x00B3,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF, 0x00C0,
    0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD,
    0x00CE, 0x00CF, 0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7, 0x00D8, 0x00D9, 0x00DA,
    0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF, 0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF, 0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4,
    0x00F5, 0x00F6, 0x00F7, 0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

constexpr HighHalf codePage437 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

// ISO-8859-1: the bytes 0x80 to 0x9F are its control codes.
constexpr HighHalf latin1 = [] {
    HighHalf half{};
    for (int i = 0x20; i < 0x80; ++i)
        half[i] = char16_t(0x80 + i);
    return half;
}();

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

QString decodeSingleByte(QByteArrayView bytes, const HighHalf& high)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = uchar(c);
        const char16_t u = b < 0x80 ? char16_t(b) : high[b - 0x80];
        if (u != 0)
            *out++ = QChar(u);
    }
    text.truncate(out - text.constData());
    return text;
}

char16_t anselMark(uchar b)
{
    return b >= 0xE0 && b <= 0xFE ? anselMarks[b - 0xE0] : 0;
}

// ANSEL writes a combining mark before its letter, Unicode after it; the marks wait for their letter and are
// then composed with it.
QString decodeAnsel(QByteArrayView bytes)
{
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
        return decodeSingleByte(bytes, latin1);
    case GedcomEncoding::Cp437:
        return decodeSingleByte(bytes, codePage437);
    case GedcomEncoding::Windows1250:
        return decodeSingleByte(bytes, windows1250);
    case GedcomEncoding::Windows1252:
        return decodeSingleByte(bytes, windows1252);
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
