#include "AlvUtil.h"

#include "Canvas.h"
#include "CodePage.h"

#include <QLocale>
#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr QChar CR = u'\r';
constexpr QChar LF = u'\n';
constexpr QChar TAB = u'\t';
constexpr QChar BS = u'\b';

// The operand of a comparison: what follows the first ">" (or "<") of the mask, after an "=" and blanks, up to
// the next blank, "&", "|" or the end.
struct Comparison
{
    bool present = false;
    bool orEqual = false;
    QStringView operand;
};

Comparison comparisonAfter(QStringView mask, QChar op)
{
    Comparison c;
    qsizetype p = mask.indexOf(op);
    if (p < 0)
        return c;
    c.present = true;
    ++p;
    if (p < mask.size() && mask[p] == u'=') {
        c.orEqual = true;
        ++p;
    }
    while (p < mask.size() && mask[p] == u' ')
        ++p;
    qsizetype end = p;
    while (end < mask.size() && mask[end] != u' ' && mask[end] != u'&' && mask[end] != u'|')
        ++end;
    c.operand = mask.mid(p, end - p);
    return c;
}

// The answer of the mask's comparisons, or nothing when the mask is to be matched as a pattern.
std::optional<bool> compareByOperators(QStringView mask, QStringView text)
{
    const Comparison greater = comparisonAfter(mask, u'>');
    const Comparison less = comparisonAfter(mask, u'<');
    const int toGreater = greater.present ? text.compare(greater.operand, Qt::CaseSensitive) : 0;
    const int toLess = less.present ? text.compare(less.operand, Qt::CaseSensitive) : 0;
    const bool isGreater = !greater.present || toGreater > 0 || (greater.orEqual && toGreater == 0);
    const bool isLess = !less.present || toLess < 0 || (less.orEqual && toLess == 0);
    // "!" lets a missing side count as given (and met) when sides are joined.
    const bool negation = mask.contains(u'!');
    const bool greaterCounts = greater.present || negation;
    const bool lessCounts = less.present || negation;
    if (mask.contains(u'^') && (greaterCounts || lessCounts))
        return isGreater || isLess;
    if (mask.contains(u'&') && greaterCounts && lessCounts)
        return isGreater && isLess;
    if ((greater.present && isGreater) || (less.present && isLess))
        return true;
    return std::nullopt;
}

// Matches a mask against a text. A "*" tries the rest of the mask against every ending of the text; each pair of a
// mask position after a "*" and a text position is decided once, so the time stays polynomial however many "*"
// the mask holds.
class MaskMatcher
{
public:
    MaskMatcher(QStringView mask, QStringView text) : mask(mask), text(text), endings(mask.size() + 1) {}

    bool matches() { return matchFrom(0, 0); }

private:
    // Whether the rest of the mask from maskPos matches at some ending of the text from textPos on. Kept per mask
    // position as a suffix: matchAt[k] tells whether any ending from k on matches.
    struct Endings
    {
        std::vector<bool> matchAt;
        qsizetype decidedFrom = -1;
    };

    // The whole matcher on the mask and the text from the given positions on.
    bool matchFrom(qsizetype maskPos, qsizetype textPos)
    {
        if (const std::optional<bool> decided = compareByOperators(mask.mid(maskPos), text.mid(textPos)))
            return *decided;
        bool negate = false;
        bool matching = true;
        qsizetype m = maskPos;
        qsizetype t = textPos;
        while (m < mask.size() && t < text.size() && matching) {
            const QChar c = mask[m];
            if (c == u'!') {
                negate = true;
                ++m;
            } else if (c == u'*') {
                while (m < mask.size() && mask[m] == u'*')
                    ++m;
                matching = anyEnding(m, t);
                if (matching) {
                    m = mask.size();
                    t = text.size();
                }
            } else if (c == u'?' || c == text[t]) {
                ++m;
                ++t;
            } else {
                matching = false;
            }
        }
        const bool matched = matching && m == mask.size() && t == text.size();
        return negate ? !matched : matched;
    }

    bool anyEnding(qsizetype maskPos, qsizetype textPos)
    {
        Endings& e = endings[maskPos];
        if (e.decidedFrom < 0) {
            e.matchAt.assign(text.size() + 2, false);
            e.decidedFrom = text.size() + 1;
        }
        // Longest endings last: decide from the shortest down to the one asked for.
        for (qsizetype k = e.decidedFrom - 1; k >= textPos; --k) {
            e.matchAt[k] = e.matchAt[k + 1] || matchFrom(maskPos, k);
            e.decidedFrom = k;
        }
        return e.matchAt[textPos];
    }

    QStringView mask;
    QStringView text;
    std::vector<Endings> endings;
};

// The 1-based position of the first single ch in s, 0 when there is none.
qsizetype singlePosIn(QChar ch, QStringView s)
{
    for (qsizetype p = 0; p < s.size(); ++p) {
        if (s[p] != ch)
            continue;
        if (p == s.size() - 1)
            return p + 1;
        if (s[p + 1] != ch && (p == 0 || s[p - 1] != ch))
            return p + 1;
    }
    return 0;
}

// Halves go to the even neighbour.
int roundHalfEven(double value)
{
    return int(std::nearbyint(value));
}

QDate encodeDate(qint64 year, int month, int day)
{
    constexpr int FirstYear = 1;
    constexpr int LastYear = 9999;
    if (year < FirstYear || year > LastYear || !QDate::isValid(int(year), month, day))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return QDate(int(year), month, day);
}

} // namespace

void StringToOem(QString& Text)
{
    Text = decodeCodePage(encodeCodePage(Text, CodePage::Ibm852), CodePage::Windows1250, UndefinedBytes::Keep);
}

void OemToString(QString& Text)
{
    Text = decodeCodePage(encodeCodePage(Text, CodePage::Windows1250), CodePage::Ibm852);
}

QString DoubleToSingleChar(QChar Ch, const QString& S)
{
    QString result;
    result.reserve(S.size());
    for (qsizetype p = 0; p < S.size(); ++p)
        if (p == 0 || S[p] != Ch || S[p - 1] != Ch)
            result.append(S[p]);
    return result;
}

void LineFeedsToCSV(QString& S)
{
    // Every CR that stands right before an LF goes, however many of them there are in a row.
    QString result;
    result.reserve(S.size() + 2);
    result.append(u'"');
    qsizetype p = 0;
    while (p < S.size()) {
        qsizetype run = p;
        while (run < S.size() && S[run] == CR)
            ++run;
        if (run > p) {
            if (run == S.size() || S[run] != LF)
                result.append(QStringView(S).mid(p, run - p));
            p = run;
            continue;
        }
        result.append(S[p++]);
    }
    result.append(u'"');
    S = result;
}

void CSVToLineFeeds(QString& S)
{
    S.replace(LF, QStringLiteral("\r\n"));
}

QString UpStr(const QString& S)
{
    QString result = S;
    for (QChar& c : result)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() & ~0x20);
    return result;
}

bool Matches(QStringView Mask, QStringView Text)
{
    return MaskMatcher(Mask, Text).matches();
}

bool Matchstr(const QString& Mask, const QString& Text)
{
    return Matches(Mask, Text);
}

QString LfToFile(const QString& S)
{
    QString result = S;
    for (QChar& c : result) {
        if (c == CR)
            c = TAB;
        else if (c == LF)
            c = BS;
    }
    return result;
}

QString FileToLf(const QString& S, bool MultiLine)
{
    QString result;
    result.reserve(S.size());
    for (qsizetype p = 0; p < S.size(); ++p) {
        if (S[p] == TAB && p + 1 < S.size() && S[p + 1] == BS) {
            result.append(QStringLiteral("\r\n"));
            ++p;
        } else {
            result.append(S[p] == BS ? LF : S[p]);
        }
    }
    if (!MultiLine)
        return GetNextLine(result, false);
    return result;
}

QString GetNextLine(QString& S, bool KeepRest)
{
    const qsizetype cr = S.indexOf(CR);
    if (cr < 0) {
        const QString line = S;
        S.clear();
        return line;
    }
    const QString line = S.left(cr);
    qsizetype restStart = cr + 1;
    if (restStart < S.size() && S[restStart] == LF)
        ++restStart;
    if (KeepRest)
        S.remove(0, restStart);
    else
        S.clear();
    return line;
}

int LinesInText(const QString& S, bool MultiLine)
{
    return 1 + (MultiLine ? int(S.count(CR)) : 0);
}

QString RectString(const TRect& R)
{
    return QStringLiteral("[%1:%2][%3:%4]").arg(R.Left).arg(R.Top).arg(R.Right).arg(R.Bottom);
}

QString FixDecimalSeparator(const QString& S)
{
    QString result = S;
    const qsizetype comma = result.indexOf(u',');
    if (QLocale().decimalPoint() == QStringLiteral(",") && comma >= 0)
        result[comma] = u'.';
    return result;
}

QDate GetNextDate(const QDate& D, int Years, int Months, int Days, int Step)
{
    if (Years == 0 && Months == 0 && Days != 0)
        return D.addDays(Days);
    if (Months == 0 && Years != 0 && Days == 0)
        return encodeDate(qint64(D.year()) + Years, D.month(), D.day());
    if (Months != 0 && Years == 0 && Days == 0) {
        // Months counted from January of year 0, so that whole years carry over in both directions.
        const qint64 monthCount = qint64(D.year()) * 12 + (D.month() - 1) + Months;
        const qint64 year = monthCount >= 0 ? monthCount / 12 : (monthCount - 11) / 12;
        return encodeDate(year, int(monthCount - year * 12) + 1, D.day());
    }
    return D.addDays(Step);
}

int SinglePos(QChar Ch, const QString& S)
{
    return int(singlePosIn(Ch, S));
}

int NumSingleChar(QChar Ch, const QString& S)
{
    // Each search starts right after the last single character found, which no longer counts as a neighbour.
    int count = 0;
    QStringView rest(S);
    while (const qsizetype p = singlePosIn(Ch, rest)) {
        ++count;
        rest = rest.mid(p);
    }
    return count;
}

void DrawProgress(TCanvas& Canvas, const TRect& R, TColor Color1, TColor FontColor1, TColor Color2, TColor FontColor2,
                  int Percentage)
{
    constexpr int BarInset = 2;
    TRect bar = Rect(R.Left + BarInset, R.Top + BarInset, R.Right - BarInset, R.Bottom - BarInset);
    bar.Right = qMax(bar.Right, bar.Left);
    bar.Bottom = qMax(bar.Bottom, bar.Top);
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = Color1;
    Canvas.Pen.Color = Color1;
    Canvas.Font.Color = FontColor1;

    const int filledRight = bar.Left + roundHalfEven(double(bar.Width()) * qBound(0, Percentage, 100) / 100.0);
    const QString label = QString::number(Percentage) + u'%';
    const int x = bar.Left + (bar.Width() - Canvas.TextWidth(label)) / 2;
    const int y = bar.Top + (bar.Height() - Canvas.TextHeight(label)) / 2;
    Canvas.TextRect(Rect(bar.Left, bar.Top, filledRight, bar.Bottom), x, y, label);

    Canvas.Brush.Color = Color2;
    Canvas.Pen.Color = Color2;
    Canvas.Font.Color = FontColor2;
    Canvas.TextRect(Rect(filledRight, bar.Top, bar.Right, bar.Bottom), x, y, label);

    Canvas.Pen.Color = clGray;
    Canvas.Brush.Color = clGray;
    Canvas.FrameRect(Rect(bar.Left - 1, bar.Top - 1, bar.Right + 1, bar.Bottom + 1));
}

void TFileStringList::Reset()
{
    readPosition = 0;
    pendingLine.clear();
}

void TFileStringList::ReadLn(QString& S)
{
    if (readPosition < 0 || readPosition >= Count())
        throw EListError::OutOfBounds(readPosition);
    S = Get(readPosition++);
}

void TFileStringList::Write(const QString& S)
{
    pendingLine += S;
}

void TFileStringList::WriteLn(const QString& S)
{
    Add(pendingLine + S);
    pendingLine.clear();
}
