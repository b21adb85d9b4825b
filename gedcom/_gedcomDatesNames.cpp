// What the reader makes of GEDCOM dates and names: dates become the plain text RMData::FromSimpleText reads, and
// a full name "Jan Maria /Nowak/" gives the given names and the surname.
#include "_gedcom.h"

#include "Unitdata.h"

#include <limits>
#include <span>

namespace {

// The most tokens a date form has: "BET 1 JAN 1900 AND 2 FEB 1901".
constexpr qsizetype maxDateTokens = 8;
using Tokens = std::span<const QStringView>;

const char* const monthNames[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

bool isNumber(QStringView text, qsizetype maxDigits)
{
    return text.size() <= maxDigits && _Gedcom::IsInteger(text);
}

// GEDCOM keywords are ASCII; comparing them ignoring ASCII case needs no case tables.
bool isWord(QStringView token, const char* word)
{
    qsizetype i = 0;
    for (; word[i] != 0; ++i) {
        if (i == token.size())
            return false;
        const char16_t c = token[i].unicode();
        if ((c >= u'a' && c <= u'z' ? c - 32 : c) != char16_t(uchar(word[i])))
            return false;
    }
    return i == token.size();
}

qsizetype indexOfWord(Tokens tokens, const char* word)
{
    for (std::size_t i = 0; i < tokens.size(); ++i)
        if (isWord(tokens[i], word))
            return qsizetype(i);
    return -1;
}

// The plain text of a date as it is written: short enough to stay on the stack until it is whole.
class SimpleDate
{
public:
    enum class Form { Single, Qualified, Range };

    // Writes the GEDCOM date form the tokens make; false when RMData cannot hold it.
    bool write(Tokens tokens)
    {
        const QStringView word = tokens.front();
        if (isWord(word, "ABT") || isWord(word, "CAL") || isWord(word, "EST"))
            return writeQualified(u"około", tokens);
        if (isWord(word, "BEF"))
            return writeQualified(u"przed", tokens);
        if (isWord(word, "AFT"))
            return writeQualified(u"po", tokens);
        if (isWord(word, "TO"))
            return writeQualified(u"do", tokens);
        if (isWord(word, "FROM"))
            return indexOfWord(tokens, "TO") >= 0 ? writeRange(tokens, "TO") : writeQualified(u"od", tokens);
        if (isWord(word, "BET"))
            return writeRange(tokens, "AND");
        return writeDate(tokens);
    }

    Form form() const { return shape; }
    QString text() const { return QString(reinterpret_cast<const QChar*>(chars), size); }

private:
    void add(QStringView part)
    {
        for (const QChar c : part)
            chars[size++] = c.unicode();
    }
    void addPadded(QStringView digits, qsizetype width)
    {
        for (qsizetype i = digits.size(); i < width; ++i)
            chars[size++] = u'0';
        add(digits);
    }

    // One date, "[day] [month] year" in GEDCOM words, as "dd-MM-yyyy", "MM-yyyy" or "yyyy".
    bool writeDate(Tokens tokens)
    {
        const std::size_t count = tokens.size();
        if (count == 0 || count > 3 || !isNumber(tokens.back(), 4))
            return false;
        if (count == 3) {
            if (!isNumber(tokens[0], 2))
                return false;
            addPadded(tokens[0], 2);
            chars[size++] = u'-';
        }
        if (count >= 2) {
            int month = 0;
            while (month < 12 && !isWord(tokens[count - 2], monthNames[month]))
                ++month;
            if (month == 12)
                return false;
            chars[size++] = char16_t(u'0' + (month + 1) / 10);
            chars[size++] = char16_t(u'0' + (month + 1) % 10);
            chars[size++] = u'-';
        }
        addPadded(tokens.back(), 4);
        return true;
    }

    bool writeQualified(QStringView word, Tokens tokens)
    {
        shape = Form::Qualified;
        add(word);
        chars[size++] = u' ';
        return writeDate(tokens.subspan(1));
    }

    // Two dates joined by a word ("FROM a TO b", "BET a AND b"); a missing half makes no range.
    bool writeRange(Tokens tokens, const char* joiner)
    {
        shape = Form::Range;
        const qsizetype at = indexOfWord(tokens, joiner);
        if (at < 0 || !writeDate(tokens.subspan(1, at - 1)))
            return false;
        add(u" - ");
        return writeDate(tokens.subspan(at + 1));
    }

    // The longest text: two full dates of a range, "dd-MM-yyyy - dd-MM-yyyy".
    char16_t chars[24];
    qsizetype size = 0;
    Form shape = Form::Single;
};

// RMData reads what it can of a simple text and leaves the rest empty; a date counts only when RMData kept every
// part the text names, and the qualifier word in front of a single date.
bool heldWhole(const SimpleDate& date, const QString& text)
{
    RMData read;
    read.FromSimpleText(text);
    switch (date.form()) {
    case SimpleDate::Form::Range:
        return !read.First.IsEmpty() && !read.Second.IsEmpty();
    case SimpleDate::Form::Qualified:
        return read.Qualifier != DateQualifier::Exact && !read.First.IsEmpty();
    case SimpleDate::Form::Single:
        break;
    }
    return !read.First.IsEmpty();
}

// A name cut at its slashes: "Jan /Nowak/ Jr." gives "Jan", "Nowak" and "Jr."; the surname runs to the end when
// the second slash is missing.
struct SlashParts
{
    bool slashed = false;
    QStringView before;
    QStringView surname;
    QStringView after;
};

SlashParts cutAtSlashes(QStringView name)
{
    SlashParts parts;
    const qsizetype open = name.indexOf(QLatin1Char('/'));
    if (open < 0) {
        parts.before = name.trimmed();
        return parts;
    }
    const qsizetype close = name.indexOf(QLatin1Char('/'), open + 1);
    parts.slashed = true;
    parts.before = name.first(open).trimmed();
    parts.surname = name.sliced(open + 1, (close < 0 ? name.size() : close) - open - 1).trimmed();
    if (close >= 0)
        parts.after = name.sliced(close + 1).trimmed();
    return parts;
}

} // namespace

QString _Gedcom::ConvertDate(const QString& value)
{
    QStringView tokens[maxDateTokens];
    qsizetype count = 0;
    const qsizetype size = value.size();
    for (qsizetype at = 0; at < size;) {
        if (value[at] == QLatin1Char(' ')) {
            ++at;
            continue;
        }
        qsizetype end = at;
        while (end < size && value[end] != QLatin1Char(' '))
            ++end;
        const QStringView token = QStringView(value).sliced(at, end - at);
        at = end;
        // The Gregorian calendar is what RMData counts in; any other calendar's escape makes the text no date.
        if (isWord(token, "@#DGREGORIAN@"))
            continue;
        if (count == maxDateTokens)
            return QString();
        tokens[count++] = token;
    }
    SimpleDate date;
    if (count == 0 || !date.write(Tokens(tokens, std::size_t(count))))
        return QString();
    const QString text = date.text();
    return heldWhole(date, text) ? text : QString();
}

bool _Gedcom::IsInteger(QStringView text)
{
    if (text.isEmpty() || text.size() > 10)
        return false;
    // Ten digits fit in 64 bits.
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        value = value * 10 + (c.unicode() - '0');
    }
    return value <= std::numeric_limits<qint32>::max();
}

void SplitPersonName(_Osoba& individual)
{
    const SlashParts parts = cutAtSlashes(individual.fullName);
    // Name parts the file gave separately (GIVN, SURN) win over those taken from the full name.
    if (individual.givenNames.isEmpty()) {
        individual.givenNames = parts.before.toString();
        if (!parts.after.isEmpty()) {
            if (!individual.givenNames.isEmpty())
                individual.givenNames += QLatin1Char(' ');
            individual.givenNames += parts.after;
        }
    }
    if (individual.surname.isEmpty())
        individual.surname = parts.surname.toString();
    if (individual.familyName.isEmpty())
        individual.familyName = individual.surname;
}

QString _Gedcom::MaidenFamilyName(const QString& value)
{
    const SlashParts parts = cutAtSlashes(value);
    return parts.slashed ? parts.surname.toString() : value.trimmed();
}
