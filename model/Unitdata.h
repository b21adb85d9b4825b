// The genealogical date: exact, partial, qualified (about, before, after, from, to, uncertain), a range of two
// dates, or explicitly unknown ("N.N."). It reads and writes four text forms: what the user types, the stored
// form of the object files, the simple form of foreign data (GEDCOM), and the display form.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Calendar values count days since 30 December 1899, with the time of day as the fraction.
double ToCalendarValue(const QDate& date);
double ToCalendarValue(const QDateTime& dateTime);
double ToCalendarValue(const QDate& date, const QTime& time);
// The day of a calendar value (its fraction, the time of day, is dropped toward zero).
QDate FromCalendarValue(double value);

// The years of a date, the same for every reader (typed text, stored form, simple form): whatever one of them
// accepts, the others read back unchanged after a save. The stored form holds four digits.
constexpr int FirstDateYear = 1;
constexpr int LastDateYear = 9999;

// One day/month/year part of a date; 0 means "not given".
struct RMDataPart
{
    // The calendar value of the part; meaningful only while the part is full.
    double Value = 0;
    int Day = 0;
    int Month = 0;
    int Year = 0;

    bool IsEmpty() const { return Day == 0 && Month == 0 && Year == 0; }
    bool IsYearOnly() const { return Year != 0 && Month == 0 && Day == 0; }
    bool IsFull() const { return Day != 0 && Month != 0 && Year != 0; }
    bool operator==(const RMDataPart&) const = default;
};

// The qualifier codes of a date, as the stored form writes them. Only From, FromAbout and FromAboutTo carry the
// end of a range.
namespace DateQualifier {
constexpr char Exact = '1';
constexpr char Before = '2';
constexpr char After = '3';
constexpr char From = '4';
constexpr char To = '5';
// An about-date only stored files carry; typing "około" gives About.
constexpr char AboutStored = '6';
constexpr char About = '7';
constexpr char FromAbout = '8';
constexpr char ToAbout = '9';
constexpr char FromAboutTo = '0';
constexpr char Uncertain = 'A';
} // namespace DateQualifier

class RMData
{
public:
    RMDataPart First;
    // The end of a range; empty when the date is no range.
    RMDataPart Second;
    // One of DateQualifier, or any other printable code a stored date carried (kept so that a save writes it back).
    char Qualifier = DateQualifier::Exact;
    // The date exists but is not known: typed and shown as "N.N.".
    bool Unknown = false;

    // Display values shared by the whole program; KV_Settings::Apply sets them.
    static QString Pattern;
    static int PatternIndex;
    static bool YearSuffix;
    // What "/" in Pattern stands for.
    static QChar DateSeparator;

    // Reads what the user typed: 1 when it is a valid date, -1 when not.
    int FromText(const QString& text);
    void FromStorageText(const QString& text);
    QString ToStorageText() const;
    // Reads "yyyy", "MM-yyyy" or "dd-MM-yyyy", optionally after a qualifier word, or two of them joined by
    // " - "; an unreadable part stays empty. Always 1.
    int FromSimpleText(const QString& text);
    QString ToDisplayText(bool yearOnly, bool withYearSuffix) const;

    double GetSortKey() const;
    static double GetPartSortKey(const RMDataPart& part, char qualifier);
    // Reads a run of one to three tokens as one part; false when they make no date.
    static bool ParsePartTokens(const QStringList& tokens, RMDataPart& part);

    bool IsEmpty() const { return First.IsEmpty(); }
    bool HasFullDate() const { return First.IsFull(); }
    // The first anniversary of a full date with start < anniversary <= end, and how many years it marks.
    bool FindAnniversary(double start, double end, double& anniversary, int& years) const;
    // Empties both parts (their calendar values stay) and makes the date exact.
    void Clear();
    bool operator==(const RMData&) const = default;
};

// True for the empty text, "N.N." and every text RMData::FromText accepts.
bool IsValidDateText(const QString& text);

// The year-suffix switch under the name the reports use: the CSV list turns it off while it writes.
inline bool& gDateYearSuffix = RMData::YearSuffix;
