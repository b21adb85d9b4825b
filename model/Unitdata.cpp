#include "Unitdata.h"

#include "Toolkit.h"

#include <QLocale>
#include <cmath>

QString RMData::Pattern = QStringLiteral("dd-MMM-yyyy");
int RMData::PatternIndex = 1;
bool RMData::YearSuffix = true;
QChar RMData::DateSeparator = u'-';

namespace {

const QDate calendarEpoch(1899, 12, 30);

// Month names always come from Polish, whatever the machine's locale: the program's vocabulary is Polish.
const QLocale& polish()
{
    static const QLocale locale(QLocale::Polish, QLocale::Poland);
    return locale;
}

const QString aboutWord = QStringLiteral("około");
const QString fromAboutWord = QStringLiteral("od") + aboutWord;
const QString toAboutWord = QStringLiteral("do") + aboutWord;

struct QualifierWord
{
    QString word;
    char qualifier;
};

// The words that may open a typed or simple date, with the qualifier each one sets.
const QualifierWord qualifierWords[] = {
    {QStringLiteral("przed"), DateQualifier::Before},
    {QStringLiteral("before"), DateQualifier::Before},
    {QStringLiteral("<"), DateQualifier::Before},
    {QString(QChar(0x02C2)), DateQualifier::Before},
    {QStringLiteral("po"), DateQualifier::After},
    {QStringLiteral("after"), DateQualifier::After},
    {QStringLiteral(">"), DateQualifier::After},
    {QString(QChar(0x02C3)), DateQualifier::After},
    {QStringLiteral("od"), DateQualifier::From},
    {QStringLiteral("from"), DateQualifier::From},
    {QStringLiteral("do"), DateQualifier::To},
    {QStringLiteral("to"), DateQualifier::To},
    {aboutWord, DateQualifier::About},
    {QStringLiteral("about"), DateQualifier::About},
    {QStringLiteral("~"), DateQualifier::About},
    {fromAboutWord, DateQualifier::FromAbout},
    {toAboutWord, DateQualifier::ToAbout},
    {QStringLiteral("?"), DateQualifier::Uncertain},
};

char qualifierOfWord(const QString& word)
{
    for (const QualifierWord& q : qualifierWords) {
        if (q.word == word)
            return q.qualifier;
    }
    return 0;
}

QString displayWord(char qualifier)
{
    switch (qualifier) {
    case DateQualifier::Before:
        return QStringLiteral("przed");
    case DateQualifier::After:
        return QStringLiteral("po");
    case DateQualifier::From:
        return QStringLiteral("od");
    case DateQualifier::To:
        return QStringLiteral("do");
    case DateQualifier::AboutStored:
    case DateQualifier::About:
        return aboutWord;
    case DateQualifier::FromAbout:
    case DateQualifier::FromAboutTo:
        return QStringLiteral("od ") + aboutWord;
    case DateQualifier::ToAbout:
        return QStringLiteral("do ") + aboutWord;
    case DateQualifier::Uncertain:
        return QStringLiteral("?");
    default:
        return QString();
    }
}

QString rangeJoiner(char qualifier)
{
    if (qualifier == DateQualifier::FromAbout)
        return QStringLiteral(" do ") + aboutWord + u' ';
    return QStringLiteral(" do ");
}

bool isAsciiDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// A plain decimal number; -1 when the text is anything else.
int decimalValue(QStringView text)
{
    if (!isAsciiDigits(text) || text.size() > 9)
        return -1;
    // Nine digits at most cannot overflow; the locale-aware toInt costs more than the date it reads.
    int value = 0;
    for (QChar c : text)
        value = value * 10 + (c.unicode() - u'0');
    return value;
}

bool isDateYear(int year)
{
    return year >= FirstDateYear && year <= LastDateYear;
}

bool readYearToken(const QString& token, int& year)
{
    if (token.size() > 4)
        return false;
    const int value = decimalValue(token);
    if (!isDateYear(value))
        return false;
    year = value;
    return true;
}

// The first three letters of each month's Polish abbreviation, English abbreviation and Polish full name, upper
// case, for matching typed month words.
struct MonthPrefixes
{
    QString polishShort[12];
    QString english[12];
    QString polishLong[12];
};

const MonthPrefixes& monthPrefixes()
{
    static const MonthPrefixes prefixes = [] {
        static const char* const english[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                              "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
        MonthPrefixes p;
        for (int m = 0; m < 12; ++m) {
            p.polishShort[m] = polish().toUpper(polish().monthName(m + 1, QLocale::ShortFormat).left(3));
            p.english[m] = QString::fromLatin1(english[m]);
            p.polishLong[m] = polish().toUpper(polish().monthName(m + 1, QLocale::LongFormat).left(3));
        }
        return p;
    }();
    return prefixes;
}

bool readMonthToken(const QString& token, int& month)
{
    if (isAsciiDigits(token)) {
        const int value = decimalValue(token);
        if (value < 1 || value > 12)
            return false;
        month = value;
        return true;
    }
    const QString prefix = polish().toUpper(token.left(3));
    const MonthPrefixes& names = monthPrefixes();
    for (int m = 0; m < 12; ++m) {
        if (prefix == names.polishShort[m] || prefix == names.english[m] || prefix == names.polishLong[m]) {
            month = m + 1;
            return true;
        }
    }
    return false;
}

bool readDayToken(const QString& token, int month, int year, int& day)
{
    const int value = decimalValue(token);
    if (value < 1 || value > 31 || !QDate::isValid(year, month, value))
        return false;
    day = value;
    return true;
}

bool readDayMonthYear(const QString& d, const QString& m, const QString& y, RMDataPart& part)
{
    int day = 0;
    int month = 0;
    int year = 0;
    if (!readYearToken(y, year) || !readMonthToken(m, month) || !readDayToken(d, month, year, day))
        return false;
    part.Day = day;
    part.Month = month;
    part.Year = year;
    part.Value = ToCalendarValue(QDate(year, month, day));
    return true;
}

bool readMonthYear(const QString& m, const QString& y, RMDataPart& part)
{
    int month = 0;
    int year = 0;
    if (!readMonthToken(m, month) || !readYearToken(y, year))
        return false;
    part.Month = month;
    part.Year = year;
    return true;
}

QStringList typedTokens(const QString& text)
{
    QStringList tokens;
    QString token;
    for (QChar c : text) {
        if (c == u'-' || c == u'.' || c == u'/' || c == u',' || c == u' ') {
            if (!token.isEmpty())
                tokens.append(token);
            token.clear();
        } else {
            token += c;
        }
    }
    if (!token.isEmpty())
        tokens.append(token);
    return tokens;
}

// Index of the first token equal to word, ignoring case; -1 when none.
qsizetype indexOfWord(const QStringList& tokens, const QString& word)
{
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i].compare(word, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

// A stored "DDMMYYYY" run; false (part untouched) when it is malformed or no calendar date.
bool readStoredPart(QStringView text, RMDataPart& part)
{
    const int day = decimalValue(text.mid(0, 2));
    const int month = decimalValue(text.mid(2, 2));
    const int year = decimalValue(text.mid(4, 4));
    if (day < 0 || month < 0 || year < 0)
        return false;
    if (day != 0 && month != 0 && year != 0) {
        if (!QDate::isValid(year, month, day))
            return false;
        part.Value = ToCalendarValue(QDate(year, month, day));
    }
    part.Day = day;
    part.Month = month;
    part.Year = year;
    return true;
}

void readSimplePart(const QString& text, RMDataPart& part)
{
    if (text.size() == 10) {
        const int day = decimalValue(QStringView(text).mid(0, 2));
        const int month = decimalValue(QStringView(text).mid(3, 2));
        const int year = decimalValue(QStringView(text).mid(6, 4));
        if (QDate::isValid(year, month, day) && isDateYear(year)) {
            part.Day = day;
            part.Month = month;
            part.Year = year;
            part.Value = ToCalendarValue(QDate(year, month, day));
        }
    } else if (text.size() == 7) {
        const int month = decimalValue(QStringView(text).mid(0, 2));
        const int year = decimalValue(QStringView(text).mid(3, 4));
        if (QDate::isValid(year, month, 1) && isDateYear(year)) {
            part.Month = month;
            part.Year = year;
        }
    } else if (text.size() == 4) {
        const int year = decimalValue(text);
        if (isDateYear(year))
            part.Year = year;
    }
}

// Applies a date pattern: "d"/"dd" day, "M"/"MM" month number, "MMM" abbreviated and "MMMM" full month name,
// "yy"/"yyyy" year, "/" the date separator; every other character stands for itself.
QString formatDate(const QDate& date, const QString& pattern)
{
    QString text;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        if (c == u'd') {
            text += QStringLiteral("%1").arg(date.day(), run >= 2 ? 2 : 1, 10, QChar(u'0'));
        } else if (c == u'M') {
            if (run >= 4)
                text += polish().monthName(date.month(), QLocale::LongFormat);
            else if (run == 3)
                text += polish().monthName(date.month(), QLocale::ShortFormat);
            else
                text += QStringLiteral("%1").arg(date.month(), int(run), 10, QChar(u'0'));
        } else if (c == u'y') {
            if (run <= 2)
                text += QStringLiteral("%1").arg(date.year() % 100, 2, 10, QChar(u'0'));
            else
                text += QStringLiteral("%1").arg(date.year(), 4, 10, QChar(u'0'));
        } else if (c == u'/') {
            text += QString(RMData::DateSeparator).repeated(run);
        } else {
            text += QString(c).repeated(run);
        }
        i += run;
    }
    return text;
}

bool monthAsName()
{
    return RMData::PatternIndex == 3 || RMData::PatternIndex == 6;
}

QString monthText(int month)
{
    // A month outside 1..12 is written by no part of the program; show its number rather than nothing.
    if (monthAsName() && month >= 1 && month <= 12)
        return polish().monthName(month, QLocale::ShortFormat);
    return QStringLiteral("%1").arg(month, 2, 10, QChar(u'0'));
}

QString yearSeparator(int month)
{
    if (month == 0 || monthAsName())
        return QStringLiteral(" ");
    if (RMData::PatternIndex == 2 || RMData::PatternIndex == 5)
        return QStringLiteral("/");
    return QStringLiteral("-");
}

// One part as shown; lead goes in front of the date or the month (a blank for the first part of a range).
QString partDisplayText(const RMDataPart& part, const QString& lead, const QString& suffix)
{
    // Only a full part has a calendar value to format: a day without month or year is not shown, so a value
    // left from an earlier date can never appear.
    if (part.IsFull())
        return lead + formatDate(FromCalendarValue(part.Value), RMData::Pattern) + suffix;
    QString text;
    if (part.Month != 0)
        text = lead + monthText(part.Month);
    if (part.Year != 0) {
        const QString separator = part.Month == 0 && lead.isEmpty() ? QString() : yearSeparator(part.Month);
        text += separator + QString::number(part.Year) + suffix;
    }
    return text;
}

QString storedPartText(const RMDataPart& part)
{
    return QStringLiteral("%1%2%3")
        .arg(part.Day, 2, 10, QChar(u'0'))
        .arg(part.Month, 2, 10, QChar(u'0'))
        .arg(part.Year, 4, 10, QChar(u'0'));
}

int yearOnlySortOffset(char qualifier)
{
    switch (qualifier) {
    case DateQualifier::Exact:
        return -1;
    case DateQualifier::Before:
        return -2;
    case DateQualifier::After:
        return 417;
    default:
        return 416;
    }
}

} // namespace

double ToCalendarValue(const QDate& date)
{
    return double(calendarEpoch.daysTo(date));
}

double ToCalendarValue(const QDateTime& dateTime)
{
    return ToCalendarValue(dateTime.date(), dateTime.time());
}

double ToCalendarValue(const QDate& date, const QTime& time)
{
    const double fraction = time.msecsSinceStartOfDay() / 86400000.0;
    const double day = ToCalendarValue(date);
    // Before the epoch the fraction still counts forward from the day's start, as the toolkit keeps it.
    return day >= 0 ? day + fraction : day - fraction;
}

QDate FromCalendarValue(double value)
{
    return calendarEpoch.addDays(qint64(std::trunc(value)));
}

int RMData::FromText(const QString& typed)
{
    QString text = typed;
    text.replace(QStringLiteral("od ") + aboutWord, fromAboutWord);
    text.replace(QStringLiteral("od ~"), fromAboutWord);
    text.replace(QStringLiteral("do ") + aboutWord, toAboutWord);
    text.replace(QStringLiteral("do ~"), toAboutWord);

    Clear();
    Unknown = text == QStringLiteral("N.N.");
    if (Unknown)
        return 1;

    const QStringList tokens = typedTokens(text);
    if (tokens.isEmpty())
        return 1;

    char qualifier = qualifierOfWord(tokens.first());
    qsizetype rangeWord = -1;
    if (qualifier == DateQualifier::FromAbout) {
        rangeWord = indexOfWord(tokens, toAboutWord);
        if (rangeWord < 0) {
            rangeWord = indexOfWord(tokens, QStringLiteral("do"));
            if (rangeWord >= 0)
                qualifier = DateQualifier::FromAboutTo;
        }
    } else if (qualifier == DateQualifier::From) {
        rangeWord = indexOfWord(tokens, QStringLiteral("to"));
        if (rangeWord < 0)
            rangeWord = indexOfWord(tokens, QStringLiteral("do"));
    }
    if (qualifier != 0 && (tokens.size() == 1 || rangeWord == 1))
        return -1;

    Qualifier = qualifier != 0 ? qualifier : DateQualifier::Exact;
    const qsizetype firstBegin = qualifier != 0 ? 1 : 0;
    const qsizetype firstEnd = rangeWord >= 0 ? rangeWord : tokens.size();
    if (!ParsePartTokens(tokens.mid(firstBegin, firstEnd - firstBegin), First))
        return -1;
    if (rangeWord >= 0 && !ParsePartTokens(tokens.mid(rangeWord + 1), Second))
        return -1;

    if (!First.IsEmpty() && !Second.IsEmpty() && GetPartSortKey(First, Qualifier) > GetPartSortKey(Second, Qualifier))
        return -1;
    return 1;
}

bool RMData::ParsePartTokens(const QStringList& tokens, RMDataPart& part)
{
    part.Day = 0;
    part.Month = 0;
    part.Year = 0;
    switch (tokens.size()) {
    case 1:
        return readYearToken(tokens[0], part.Year);
    case 2:
        return readMonthYear(tokens[0], tokens[1], part) || readMonthYear(tokens[1], tokens[0], part);
    case 3:
        return readDayMonthYear(tokens[0], tokens[1], tokens[2], part) ||
               readDayMonthYear(tokens[1], tokens[0], tokens[2], part) ||
               readDayMonthYear(tokens[2], tokens[1], tokens[0], part);
    default:
        return false;
    }
}

bool IsValidDateText(const QString& text)
{
    if (text.isEmpty() || text == QStringLiteral("N.N."))
        return true;
    RMData scratch;
    return scratch.FromText(text) == 1;
}

void RMData::FromStorageText(const QString& text)
{
    Clear();
    Unknown = text == QStringLiteral("#NN#");
    if ((text.size() != 10 && text.size() != 19) || text[0] != u'#') {
        FromSimpleText(text);
        return;
    }
    // Keep any printable ASCII code as it is, so that a save writes back what was read.
    const char16_t code = text[1].unicode();
    Qualifier = code > u' ' && code < 0x7F ? char(code) : DateQualifier::Exact;
    // A date without its start is empty, as the writer and the rest of the program take it: a qualifier or the
    // end of a range kept beside it would show, yet be lost by the next save.
    if (!readStoredPart(QStringView(text).mid(2, 8), First) || First.IsEmpty()) {
        Clear();
        return;
    }
    // A malformed end of a range leaves the range's end empty and keeps its start.
    if (text.size() == 19)
        readStoredPart(QStringView(text).mid(11, 8), Second);
}

QString RMData::ToStorageText() const
{
    if (Unknown)
        return QStringLiteral("#NN#");
    if (First.IsEmpty())
        return QString();
    QString text = u'#' + QString(QChar::fromLatin1(Qualifier)) + storedPartText(First);
    if (!Second.IsEmpty())
        text += u'#' + storedPartText(Second);
    return text;
}

int RMData::FromSimpleText(const QString& text)
{
    Clear();
    if (text.isEmpty())
        return 1;
    // Foreign data may be long; a date never is.
    constexpr qsizetype considered = 100;
    const qsizetype rangeAt = text.indexOf(QStringLiteral(" - "));
    if (rangeAt >= 0) {
        Qualifier = DateQualifier::From;
        readSimplePart(TrimBlanks(text.left(rangeAt)), First);
        // A range without its start is an empty date (see FromStorageText).
        if (First.IsEmpty()) {
            Clear();
            return 1;
        }
        readSimplePart(TrimBlanks(text.mid(rangeAt + 3, considered)), Second);
        return 1;
    }
    const qsizetype blankAt = text.indexOf(u' ');
    if (blankAt >= 0) {
        if (const char qualifier = qualifierOfWord(TrimBlanks(text.left(blankAt))))
            Qualifier = qualifier;
        readSimplePart(TrimBlanks(text.mid(blankAt + 1, considered)), First);
        return 1;
    }
    readSimplePart(TrimBlanks(text), First);
    return 1;
}

QString RMData::ToDisplayText(bool yearOnly, bool withYearSuffix) const
{
    const QString suffix = withYearSuffix && YearSuffix ? QStringLiteral("\u00A0r.") : QString();
    if (Unknown)
        return QStringLiteral("N.N.");
    if (yearOnly) {
        if (First.Year == 0)
            return QString();
        return TrimBlanks(displayWord(Qualifier) + u' ' + QString::number(First.Year) + suffix);
    }
    QString text = displayWord(Qualifier) + partDisplayText(First, QStringLiteral(" "), suffix);
    const QString end = Second.IsEmpty() ? QString() : partDisplayText(Second, QString(), suffix);
    if (!end.isEmpty())
        text += rangeJoiner(Qualifier) + end;
    return TrimBlanks(text);
}

double RMData::GetSortKey() const
{
    if (Unknown)
        return -1;
    if (First.IsEmpty())
        return -2;
    return GetPartSortKey(First, Qualifier);
}

double RMData::GetPartSortKey(const RMDataPart& part, char qualifier)
{
    if (part.IsYearOnly())
        return part.Year * 440.0 + yearOnlySortOffset(qualifier);
    return part.Year * 440.0 + part.Month * 32 + part.Day;
}

bool RMData::FindAnniversary(double start, double end, double& anniversary, int& years) const
{
    if (!First.IsFull())
        return false;
    const QDate born = FromCalendarValue(First.Value);
    const QDate startDate = FromCalendarValue(start);
    const QDate endDate = FromCalendarValue(end);
    if (!born.isValid() || !startDate.isValid() || !endDate.isValid())
        return false;
    const int lastYear = std::max(startDate.year(), endDate.year());
    for (int year = startDate.year(); year <= lastYear; ++year) {
        int day = born.day();
        if (born.month() == 2 && day == 29 && !QDate::isLeapYear(year))
            day = 28;
        const QDate date(year, born.month(), day);
        if (!date.isValid())
            return false;
        const double value = ToCalendarValue(date);
        if (start < value && value <= end) {
            anniversary = value;
            years = year - born.year();
            return true;
        }
    }
    return false;
}

void RMData::Clear()
{
    First.Day = First.Month = First.Year = 0;
    Second.Day = Second.Month = Second.Year = 0;
    Qualifier = DateQualifier::Exact;
}
