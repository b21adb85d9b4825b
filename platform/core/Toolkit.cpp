#include "Toolkit.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

// The classic default system colours, indexed by system colour number.
constexpr TColor systemColors[] = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240), RGB(192, 192, 192), RGB(49, 106, 197),
    RGB(236, 233, 216),
};

QCollator& polishCollator()
{
    static QCollator collator = [] {
        QCollator c{QLocale(QLocale::Polish, QLocale::Poland)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

bool needsQuotes(const QString& item)
{
    if (item.isEmpty())
        return true;
    return std::any_of(item.begin(), item.end(), [](QChar c) { return c.unicode() <= ' ' || c == u',' || c == u'"'; });
}

bool isBlankOrControl(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= ' ';
}

} // namespace

TColor ColorToRGB(TColor color)
{
    if ((color & 0xFF000000) == clSystemColor) {
        const TColor index = color & 0xFF;
        if (index < std::size(systemColors))
            return systemColors[index];
        return clBlack;
    }
    if (color == clNone || color == clDefault)
        return clBlack;
    return color & 0x00FFFFFF;
}

Exception::Exception(const QString& message) : message(message), utf8(message.toUtf8()) {}

EListError EListError::OutOfBounds(int index)
{
    return EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return 0;
    return int(std::lround(double(number) * numerator / denominator));
}

QString VersionNrText(quint32 versionNr)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(versionNr >> 24)
        .arg((versionNr >> 16) & 0xFF)
        .arg((versionNr >> 8) & 0xFF)
        .arg(versionNr & 0xFF);
}

int LocaleCompare(const QString& a, const QString& b)
{
    return polishCollator().compare(a, b);
}

QString TrimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= ' ')
        ++begin;
    while (end > begin && text[end - 1].unicode() <= ' ')
        --end;
    if (begin == 0 && end == text.size())
        return text;
    return text.mid(begin, end - begin);
}

QString ToCommaText(const QStringList& list)
{
    QString result;
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i > 0)
            result += u',';
        const QString& item = list[i];
        if (needsQuotes(item)) {
            QString quoted = item;
            quoted.replace(u'"', QStringLiteral("\"\""));
            result += u'"' + quoted + u'"';
        } else {
            result += item;
        }
    }
    return result;
}

QStringList FromCommaText(const QString& text)
{
    // Outside quotes, blanks and control characters end an item as a comma does.
    QStringList list;
    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n && isBlankOrControl(text[p]))
        ++p;
    while (p < n) {
        QString item;
        if (text[p] == u'"') {
            ++p;
            while (p < n) {
                if (text[p] == u'"') {
                    if (p + 1 < n && text[p + 1] == u'"') {
                        item += u'"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            const qsizetype start = p;
            while (p < n && text[p].unicode() > ' ' && text[p] != u',')
                ++p;
            item = text.mid(start, p - start);
        }
        list.append(item);
        while (p < n && isBlankOrControl(text[p]))
            ++p;
        if (p < n && text[p] == u',') {
            if (p + 1 == n)
                list.append(QString());
            do {
                ++p;
            } while (p < n && isBlankOrControl(text[p]));
        }
    }
    return list;
}

QString TStringList::Get(int index) const
{
    if (index < 0 || index >= Count())
        return QString();
    return items[index].text;
}

void* TStringList::GetObject(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return items[index].object;
}

int TStringList::Add(const QString& text)
{
    return AddObject(text, nullptr);
}

int TStringList::AddObject(const QString& text, void* object)
{
    int index = Count();
    if (sorted) {
        if (Find(text, index) && duplicates != TDuplicates::dupAccept)
            return index;
    }
    items.insert(index, Item{text, object});
    return index;
}

int TStringList::IndexOf(const QString& text) const
{
    if (sorted) {
        int index = 0;
        return Find(text, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i) {
        if (CompareStrings(items[i].text, text) == 0)
            return i;
    }
    return -1;
}

bool TStringList::Find(const QString& text, int& index) const
{
    int low = 0;
    int high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const int c = CompareStrings(items[mid].text, text);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0) {
                found = true;
                if (duplicates != TDuplicates::dupAccept)
                    low = mid;
            }
        }
    }
    index = low;
    return found;
}

void TStringList::Sort()
{
    std::stable_sort(items.begin(), items.end(),
                     [this](const Item& a, const Item& b) { return CompareStrings(a.text, b.text) < 0; });
}

void TStringList::SetSorted(bool value)
{
    if (value && !sorted)
        Sort();
    sorted = value;
}

QString TStringList::GetText() const
{
    QString text;
    for (const Item& item : items)
        text += item.text + QStringLiteral("\r\n");
    return text;
}

void TStringList::SetText(const QString& text)
{
    Clear();
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            Add(text.mid(start, i - start));
            if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        Add(text.mid(start));
}

QStringList TStringList::ToStringList() const
{
    QStringList list;
    list.reserve(Count());
    for (const Item& item : items)
        list.append(item.text);
    return list;
}

int TStringList::CompareStrings(const QString& a, const QString& b) const
{
    return LocaleCompare(a, b);
}
