#include "Search.h"

#include "Bazadanych.h"
#include "Fact.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <QVarLengthArray>

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <vector>

int gSortKey = 1;
bool gSortAscending = true;

// Polish collation keys of the texts persons are sorted by. A person's name keys are made once and kept until
// one of its names changes; places, which repeat a lot, are keyed by their text.
class PersonSortKeys
{
public:
    struct Names
    {
        QString surname;
        QString forename;
        QString familyname;
        // "surname, given names" with the maiden-name addition, as the lists show it.
        QString name2;
        std::optional<QCollatorSortKey> surnameKey;
        std::optional<QCollatorSortKey> forenameKey;
        std::optional<QCollatorSortKey> name2Key;
    };
    using Place = std::pair<const QString, QCollatorSortKey>;

    Names& namesOf(const KV_Person* person)
    {
        Names& names = persons[person];
        if (names.name2.isEmpty() || names.surname != person->Surname || names.forename != person->Forename ||
            names.familyname != person->Familyname) {
            names = Names{person->Surname,
                          person->Forename,
                          person->Familyname,
                          person->GetNameByLayout(2, true, false),
                          {},
                          {},
                          {}};
        }
        return names;
    }
    const QCollatorSortKey& key(std::optional<QCollatorSortKey>& slot, const QString& text)
    {
        if (!slot)
            slot.emplace(collator.sortKey(text));
        return *slot;
    }
    const Place& place(const QString& text)
    {
        auto found = places.find(text);
        if (found == places.end())
            found = places.emplace(text, collator.sortKey(text)).first;
        return *found;
    }
    // Entries of deleted persons are never asked for again; start afresh before they could pile up.
    void limitTo(size_t personCount)
    {
        if (persons.size() > 2 * personCount + 1000)
            persons.clear();
        if (places.size() > 2 * personCount + 1000)
            places.clear();
    }

private:
    QCollator collator{QLocale(QLocale::Polish, QLocale::Poland)};
    std::unordered_map<const KV_Person*, Names> persons;
    std::unordered_map<QString, QCollatorSortKey> places;
};

namespace {

using CodePoints = QVarLengthArray<char32_t, 64>;

// Case-folded code points, so that "?" stands for one character even outside the basic plane.
CodePoints foldedCodePoints(const QString& text)
{
    CodePoints result;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        result.append(QChar::toCaseFolded(c));
    }
    return result;
}

bool segmentMatchesAt(const char32_t* text, const char32_t* segment, qsizetype length)
{
    for (qsizetype i = 0; i < length; ++i) {
        if (segment[i] != U'?' && segment[i] != text[i])
            return false;
    }
    return true;
}

// A person with what the sort key compares, made once per person and sort instead of once per comparison.
struct SortItem
{
    KV_Person* person = nullptr;
    const PersonSortKeys::Names* names = nullptr;
    // The compared text (surname, given names, name or place) with its collation key, or the compared number.
    const QString* text = nullptr;
    const QCollatorSortKey* textKey = nullptr;
    double number = 0;
};

// Keys whose equal values keep the order the persons came in; every other key orders them by name.
bool keepsTiesInOrder(int key)
{
    return key == 1 || key == 2 || key == 30 || key == 100;
}

bool isTextKey(int key)
{
    return key == 1 || key == 2 || key == 11 || key == 21 || key == 30;
}

bool isNumberKey(int key)
{
    return key == 3 || key == 10 || key == 20 || key == 100;
}

double factDateKey(const KV_Person* person, const char* type, double fallback)
{
    const KV_Fact* fact = person->FindFactByType(QLatin1String(type));
    return fact && !fact->Date.IsEmpty() ? fact->Date.GetSortKey() : fallback;
}

QString factPlace(const KV_Person* person, const char* type)
{
    const KV_Fact* fact = person->FindFactByType(QLatin1String(type));
    return fact ? fact->Place : QString();
}

SortItem prepare(KV_Person* person, int key, PersonSortKeys& keys)
{
    SortItem item;
    item.person = person;
    PersonSortKeys::Names& names = keys.namesOf(person);
    item.names = &names;
    switch (key) {
    case 1:
        item.text = &names.surname;
        item.textKey = &keys.key(names.surnameKey, names.surname);
        break;
    case 2:
        item.text = &names.forename;
        item.textKey = &keys.key(names.forenameKey, names.forename);
        break;
    case 3:
        item.number = person->IsFemale() ? 0 : person->IsMale() ? 1 : 2;
        break;
    case 10:
        item.number = factDateKey(person, "BIRT", -99999.0);
        break;
    case 11:
    case 21: {
        const PersonSortKeys::Place& place = keys.place(factPlace(person, key == 11 ? "BIRT" : "DEAT"));
        item.text = &place.first;
        item.textKey = &place.second;
        break;
    }
    case 20:
        item.number = factDateKey(person, "DEAT", person->IsDead() ? -999.0 : -99999.0);
        break;
    case 30:
        item.text = &names.name2;
        item.textKey = &keys.key(names.name2Key, names.name2);
        break;
    case 100:
        item.number = ParseCreationTime(person->DateCreate);
        break;
    default:
        break;
    }
    if (!keepsTiesInOrder(key))
        keys.key(names.name2Key, names.name2);
    return item;
}

// Collation first; texts the collation finds equal ("Kowalski" and "KOWALSKI") by their code units, so the
// order is total.
int compareTexts(const QCollatorSortKey& aKey, const QString& a, const QCollatorSortKey& bKey, const QString& b)
{
    const int c = aKey.compare(bKey);
    return c != 0 ? c : QString::compare(a, b);
}

// -1, 0 or 1 as a's key value stands before, with or after b's.
int compareKeyValues(const SortItem& a, const SortItem& b, int key)
{
    if (isTextKey(key))
        return compareTexts(*a.textKey, *a.text, *b.textKey, *b.text);
    if (isNumberKey(key))
        return a.number < b.number ? -1 : b.number < a.number ? 1 : 0;
    return 0;
}

bool nameLess(const SortItem& a, const SortItem& b)
{
    return compareTexts(*a.names->name2Key, a.names->name2, *b.names->name2Key, b.names->name2) < 0;
}

// a before b: the key decides in the asked direction; persons equal under the key come by name, ascending,
// except under the keys whose ties keep their order.
bool sortsBefore(const SortItem& a, const SortItem& b, int key, bool ascending)
{
    const int c = compareKeyValues(a, b, key);
    if (c != 0)
        return ascending ? c < 0 : c > 0;
    return !keepsTiesInOrder(key) && nameLess(a, b);
}

// A word of the search text: a blank ends it, and a word that begins with a double quote runs to the next lone
// double quote (a doubled one stands for itself), so it may hold blanks.
QStringList searchWords(const QString& text)
{
    QStringList words;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (true) {
        if (i < n && text[i] == u'"') {
            QString word;
            for (++i; i < n; ++i) {
                if (text[i] != u'"') {
                    word += text[i];
                } else if (i + 1 < n && text[i + 1] == u'"') {
                    word += u'"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            words.append(word);
            if (i < n && text[i] == u' ')
                ++i;
            if (i >= n)
                break;
            continue;
        }
        const qsizetype blank = text.indexOf(u' ', i);
        words.append(text.mid(i, blank < 0 ? -1 : blank - i));
        if (blank < 0)
            break;
        i = blank + 1;
    }
    words.removeAll(QString());
    return words;
}

bool factMatches(const KV_Fact* fact, const QString& word, bool testDate, bool testPlace)
{
    if (!fact)
        return false;
    if (testDate && MatchesWildcard(fact->Date.ToDisplayText(false, true), u'*' + word + u'*'))
        return true;
    return testPlace && MatchesWildcard(fact->Place, word + u'*');
}

// Names and places match from their start, dates anywhere in their text.
bool wordMatches(const KV_Person* person, const QString& word, int mode)
{
    if (mode == 0 || mode == 1) {
        const QString pattern = word + u'*';
        if (MatchesWildcard(person->Surname, pattern) || MatchesWildcard(person->Forename, pattern) ||
            MatchesWildcard(person->Familyname, pattern)) {
            return true;
        }
    }
    if ((mode == 0 || mode == 2 || mode == 3) &&
        factMatches(person->FindFactByType(QStringLiteral("BIRT")), word, mode != 3, mode != 2)) {
        return true;
    }
    return (mode == 0 || mode == 4 || mode == 5) && person->IsDead() &&
           factMatches(person->FindFactByType(QStringLiteral("DEAT")), word, mode != 5, mode != 4);
}

bool passesFilters(const KV_Person* person, int sexFilter, int lifeFilter, int pictureFilter)
{
    if ((sexFilter == 1 && !person->IsFemale()) || (sexFilter == 2 && !person->IsMale()) ||
        (sexFilter == 3 && !person->IsSexUnspecified())) {
        return false;
    }
    if ((lifeFilter == 1 && !person->IsDead()) || (lifeFilter == 2 && person->IsDead()))
        return false;
    return !(pictureFilter == 1 && person->GetPictureCount() == 0) &&
           !(pictureFilter == 2 && person->GetPictureCount() > 0);
}

} // namespace

void KV_DB::SearchPersons(const QString& text, int fieldMode, int sexFilter, int lifeFilter, int pictureFilter)
{
    const QStringList words = searchWords(text);
    WorkList.clear();
    for (const auto& [id, person] : PersonMap) {
        const bool matches = std::all_of(words.begin(), words.end(),
                                         [&](const QString& word) { return wordMatches(person, word, fieldMode); });
        if (matches && passesFilters(person, sexFilter, lifeFilter, pictureFilter))
            WorkList.append(person);
    }
}

void KV_DB::SortPersons(int key, bool ascending, bool toReportList)
{
    gSortKey = key;
    gSortAscending = ascending;
    if (!SortKeys)
        SortKeys = std::make_shared<PersonSortKeys>();
    SortKeys->limitTo(PersonMap.size());

    std::vector<SortItem> items;
    items.reserve(WorkList.size());
    for (KV_Person* person : std::as_const(WorkList))
        items.push_back(prepare(person, key, *SortKeys));
    if (keepsTiesInOrder(key)) {
        // Descending is the ascending order turned round, so equal keys come out in reverse.
        std::stable_sort(items.begin(), items.end(),
                         [key](const SortItem& a, const SortItem& b) { return sortsBefore(a, b, key, true); });
        if (!ascending)
            std::reverse(items.begin(), items.end());
    } else {
        std::stable_sort(items.begin(), items.end(), [key, ascending](const SortItem& a, const SortItem& b) {
            return sortsBefore(a, b, key, ascending);
        });
    }

    QList<KV_Person*>& target = toReportList ? ReportList : ResultList;
    target.clear();
    for (qsizetype i = 0; i < qsizetype(items.size()); ++i)
        WorkList[i] = items[size_t(i)].person;
    target = WorkList;
}

void KV_DB::SortByName(bool keepWorkList)
{
    if (!keepWorkList) {
        WorkList.clear();
        WorkList.reserve(qsizetype(PersonMap.size()));
        for (const auto& entry : PersonMap)
            WorkList.append(entry.second);
    }
    SortPersons(30, true, true);
}

bool ComparePersons(const KV_Person* a, const KV_Person* b)
{
    static PersonSortKeys keys;
    keys.limitTo(gDB.PersonMap.size());
    const SortItem first = prepare(const_cast<KV_Person*>(a), gSortKey, keys);
    const SortItem second = prepare(const_cast<KV_Person*>(b), gSortKey, keys);
    return sortsBefore(first, second, gSortKey, gSortAscending);
}

// The pattern is cut at each "*" into segments. The first segment must match at the start of the text and the
// last one at its end; each middle segment is taken at its leftmost place after the one before, which is always
// the best choice since a later place can only leave less room. No step is ever undone, so the time stays
// bounded by the text's length times the pattern's, whatever the pattern.
bool MatchesWildcard(const QString& text, const QString& pattern)
{
    const CodePoints t = foldedCodePoints(text);
    const CodePoints p = foldedCodePoints(pattern);
    const char32_t* const pBegin = p.constData();
    const char32_t* const pEnd = pBegin + p.size();

    const char32_t* firstStar = std::find(pBegin, pEnd, U'*');
    if (firstStar == pEnd)
        return t.size() == p.size() && segmentMatchesAt(t.constData(), pBegin, p.size());

    const char32_t* lastStar = pEnd - 1;
    while (*lastStar != U'*')
        --lastStar;
    const qsizetype prefix = firstStar - pBegin;
    const qsizetype suffix = pEnd - lastStar - 1;
    if (prefix + suffix > t.size() || !segmentMatchesAt(t.constData(), pBegin, prefix) ||
        !segmentMatchesAt(t.constData() + t.size() - suffix, lastStar + 1, suffix)) {
        return false;
    }

    qsizetype from = prefix;
    const qsizetype to = t.size() - suffix;
    const char32_t* segment = firstStar + 1;
    while (segment < lastStar) {
        const char32_t* segmentEnd = std::find(segment, lastStar, U'*');
        const qsizetype length = segmentEnd - segment;
        while (from + length <= to && !segmentMatchesAt(t.constData() + from, segment, length))
            ++from;
        if (from + length > to)
            return false;
        from += length;
        segment = segmentEnd + 1;
    }
    return true;
}
