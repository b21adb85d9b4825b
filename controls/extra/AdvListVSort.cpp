// Sorting the rows by one column: the comparison each column's style asks for, a stable merge sort, and the
// header click that sorts.
#include "AdvListV.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <charconv>

namespace {

int sign(double difference)
{
    return difference > 0 ? 1 : difference < 0 ? -1 : 0;
}

int ordinalCompare(QStringView a, QStringView b)
{
    return sign(a.compare(b, Qt::CaseSensitive));
}

char16_t upperAscii(QChar c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c.unicode() & ~0x20) : c.unicode();
}

// The caption tie-break and the no-case style: letters a to z compared without case, all else as it is.
int compareText(QStringView a, QStringView b)
{
    const qsizetype common = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = upperAscii(a[i]);
        const char16_t y = upperAscii(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return sign(double(a.size() - b.size()));
}

// A decimal number with an optional sign and exponent, and nothing else: the ASCII characters are parsed in place
// (a sort reads two numbers for every pair it compares).
bool parseDecimal(QStringView text, double& value)
{
    constexpr qsizetype LongestNumber = 64;
    if (text.startsWith(u'+'))
        text = text.mid(1);
    if (text.isEmpty() || text.size() > LongestNumber)
        return false;
    char digits[LongestNumber];
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool allowed = (c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+' || c == u'e' || c == u'E';
        if (!allowed)
            return false;
        digits[i] = char(c);
    }
    const char* end = digits + text.size();
    const auto [last, error] = std::from_chars(digits, end, value);
    return error == std::errc() && last == end;
}

// Where a percentage cell's mark "{|" stands in the text, -1 when it holds none.
qsizetype progressMark(QStringView text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i] == u'{' && text[i + 1] == u'|')
            return i;
    return -1;
}

// A number as the column holds it; an empty text is 0. False when the text is no number. The text is copied
// only when a separator has to go.
bool readNumber(QStringView text, bool financial, const QString& group, const QString& decimal, double& value)
{
    if (progressMark(text) >= 0)
        text = text.mid(2);
    // The thousands go first, so that a separator the two share is not taken for the decimal one.
    QString edited;
    if (financial && text.contains(group)) {
        edited = text.toString().remove(group);
        text = edited;
    }
    const bool decimalPoint = decimal.size() == 1 && decimal[0] == u'.';
    if (const qsizetype at = decimalPoint ? -1 : text.indexOf(decimal); at >= 0) {
        edited = text.toString().replace(at, decimal.size(), u'.');
        text = edited;
    }
    // Blanks may lead the number, nothing may follow it.
    while (!text.isEmpty() && text.front() == u' ')
        text = text.mid(1);
    if (text.isEmpty()) {
        value = 0;
        return true;
    }
    return parseDecimal(text, value);
}

// A day as a number to compare; 0 for no date.
double dayNumber(const QDate& date)
{
    return date.isValid() ? double(date.toJulianDay()) : 0;
}

// A date and time in the locale's short formats; 0 when the text is none.
double localeDateValue(const QString& text)
{
    const QLocale locale;
    const QDateTime dateTime = locale.toDateTime(text, QLocale::ShortFormat);
    if (dateTime.isValid())
        return dayNumber(dateTime.date()) + dateTime.time().msecsSinceStartOfDay() / 86400000.0;
    return dayNumber(locale.toDate(text, QLocale::ShortFormat));
}

// The part of text up to its first "-", else "/", else "."; the rest goes on after that separator.
bool takeDatePart(QString& text, int& part)
{
    qsizetype at = text.indexOf(u'-');
    if (at < 0)
        at = text.indexOf(u'/');
    if (at < 0)
        at = text.indexOf(u'.');
    if (at < 0)
        return false;
    bool ok = false;
    part = QStringView(text).left(at).trimmed().toInt(&ok);
    text.remove(0, at + 1);
    return ok;
}

// Short dates with two-digit years: "07" is 2007, "85" is 1985; a year written with more digits stays as it is.
double shortDateValue(QString text, bool dayFirst)
{
    constexpr int LastYearOfThisCentury = 25;
    int first = 0;
    int second = 0;
    if (!takeDatePart(text, first) || !takeDatePart(text, second))
        return 0;
    bool ok = false;
    int year = text.trimmed().toInt(&ok);
    if (!ok || year < 0)
        return 0;
    if (year < 100)
        year += year <= LastYearOfThisCentury ? 2000 : 1900;
    return dayNumber(dayFirst ? QDate(year, second, first) : QDate(year, first, second));
}

} // namespace

// The locale's separators of numbers, read once for a whole sort.
struct TAdvListView::NumberSeparators
{
    QString group = QLocale().groupSeparator();
    QString decimal = QLocale().decimalPoint();
};

// What the sort reads of a row, taken out of the rows before it starts so that comparing stays in one array.
struct TAdvListView::SortKey
{
    QString text; // of the sort column
    QString caption;
    int row;
};

TAdvListView::SortKey TAdvListView::sortKey(const TListItem& item) const
{
    const int subItem = sortColumn - 1;
    return SortKey{subItem == -1 ? item.GetCaption() : item.SubItems().Get(subItem), item.GetCaption(),
                   item.GetIndex()};
}

void TAdvListView::SetSortColumn(int Column)
{
    sortColumn = Column;
    bool enable = true;
    if (OnSortStart)
        OnSortStart(this, Column, enable);
    if (enable) {
        DoSort(Column);
        if (OnSortDone)
            OnSortDone(this, sortColumn);
    }
    SetSortImage(Column);
}

void TAdvListView::SetSortShow(bool Value)
{
    sortShow = Value;
    if (Value)
        return;
    if (Columns()[sortColumn])
        SetColumnImage(sortColumn, -1);
    // A value no column has.
    sortColumn = Columns().Count() + 1;
}

void TAdvListView::DoSort(int Column)
{
    if (Column != lastSortedColumn && lastSortedColumn >= 0 && sortShow) {
        SetColumnImage(lastSortedColumn, -1);
        UpdateAlignment(lastSortedColumn);
    }
    if (Column >= 0 && Column < Columns().Count()) {
        UpdateHeaderOD(lastSortedColumn);
        lastSortedColumn = sortColumn = Column;
        Sort();
        SetSortImage(Column);
    }
    sortColumn = lastSortedColumn;
    if (sortShow)
        SetSortImage(sortColumn);
}

void TAdvListView::Sort()
{
    // A merge sort of the row indexes: stable, and every step stays inside the list whatever the comparison says.
    const int count = Items().Count();
    QVector<int> order(count);
    for (int i = 0; i < count; ++i)
        order[i] = i;
    QVector<int> merged(count);
    const NumberSeparators separators;
    QVector<SortKey> keys;
    keys.reserve(count);
    for (int i = 0; i < count; ++i)
        keys.append(sortKey(*Items()[i]));
    const auto before = [&](int a, int b) { return rowOrder(keys[a], keys[b], separators).value_or(0) <= 0; };
    for (int width = 1; width < count; width *= 2) {
        for (int left = 0; left < count; left += 2 * width) {
            const int middle = qMin(left + width, count);
            const int right = qMin(left + 2 * width, count);
            int a = left;
            int b = middle;
            int out = left;
            while (a < middle && b < right)
                merged[out++] = before(order[a], order[b]) ? order[a++] : order[b++];
            while (a < middle)
                merged[out++] = order[a++];
            while (b < right)
                merged[out++] = order[b++];
        }
        order.swap(merged);
    }
    Items().Reorder(order);
    header()->viewport()->update();
}

int TAdvListView::ListViewCompare(const TListItem* Item1, const TListItem* Item2)
{
    if (!Item1 || !Item2)
        return 0;
    const int direction = sortDirection == sdDescending ? -1 : 1;
    return rowOrder(sortKey(*Item1), sortKey(*Item2), NumberSeparators()).value_or(direction);
}

std::optional<int> TAdvListView::rowOrder(const SortKey& a, const SortKey& b, const NumberSeparators& separators)
{
    const int subItem = sortColumn - 1;
    const int direction = sortDirection == sdDescending ? -1 : 1;
    QStringView text1 = a.text;
    QStringView text2 = b.text;

    TSortStyle style = ssAlphabetic;
    QString prefix;
    QString suffix;
    GetFormat(subItem, style, prefix, suffix);
    for (QStringView* text : {&text1, &text2}) {
        if (!suffix.isEmpty() && text->contains(suffix))
            *text = text->left(text->indexOf(suffix));
        if (!prefix.isEmpty() && text->contains(prefix))
            *text = text->mid(text->indexOf(prefix) + prefix.size());
    }

    int result = 1;
    switch (style) {
    case ssAutomatic:
        return std::nullopt;
    case ssAlphabetic:
    case ssAlphaCase:
        result = ordinalCompare(text1, text2);
        break;
    case ssAlphaNoCase:
        result = compareText(text1, text2);
        break;
    case ssNumeric:
    case ssFinancial: {
        double value1 = 0;
        double value2 = 0;
        const bool financial = style == ssFinancial;
        result = readNumber(text1, financial, separators.group, separators.decimal, value1) &&
                         readNumber(text2, financial, separators.group, separators.decimal, value2)
                     ? sign(value1 - value2)
                     : 0;
        break;
    }
    case ssDate:
        result = sign(localeDateValue(text1.toString()) - localeDateValue(text2.toString()));
        break;
    case ssShortDateEU:
    case ssShortDateUS: {
        const bool dayFirst = style == ssShortDateEU;
        result = sign(shortDateValue(text1.toString(), dayFirst) - shortDateValue(text2.toString(), dayFirst));
        break;
    }
    case ssCustom:
        // Without its handler the column has no order of its own: the rows stay as they are.
        if (!OnCustomCompare)
            return std::nullopt;
        CustCompare(subItem, text1.toString(), text2.toString(), result);
        break;
    case ssRaw:
        if (!OnRawCompare)
            return std::nullopt;
        RawCompare(subItem, a.row, b.row, result);
        break;
    }
    if (result == 0 && subItem >= 0)
        result = compareText(a.caption, b.caption);
    return direction * result;
}

void TAdvListView::GetFormat(int, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix)
{
    if (OnGetFormat)
        OnGetFormat(this, sortColumn - 1, AStyle, aPrefix, aSuffix);
}

void TAdvListView::CustCompare(int ACol, const QString& str1, const QString& str2, int& res)
{
    res = 1;
    if (OnCustomCompare)
        OnCustomCompare(this, ACol, str1, str2, res);
}

void TAdvListView::RawCompare(int ACol, int Row1, int Row2, int& res)
{
    res = 1;
    if (OnRawCompare)
        OnRawCompare(this, ACol, Row1, Row2, res);
}

void TAdvListView::ColClick(TListColumn* Column)
{
    if (sortShow) {
        const int column = Column->GetIndex();
        if (column == lastSortedColumn)
            sortDirection = sortDirection == sdAscending ? sdDescending : sdAscending;
        bool enable = true;
        if (OnSortStart)
            OnSortStart(this, column, enable);
        if (enable) {
            DoSort(column);
            if (OnSortDone)
                OnSortDone(this, column);
        }
    }
    TListView::ColClick(Column);
}
