#include "Search.h"

#include "Bazadanych.h"
#include "Fact.h"
#include "OrderedWork.h"
#include "Wildcard.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <utility>
#include <vector>

int gSortKey = int(PersonSortKey::Surname);
bool gSortAscending = true;

// The Polish collation order of the texts persons are sorted by (names and places). Each distinct text gets
// its collation key once; a sort then ranks every text seen so far, so that it compares two persons by two
// integers. A person's texts are found again without being built anew while its names stay the same.
class PersonSortKeys
{
public:
    struct Text
    {
        QString text;
        QCollatorSortKey key;
        // The text's place among all ranked texts; -1 until the next ranking.
        int rank = -1;
    };
    struct Names
    {
        // The names the texts below were made from.
        QString surname;
        QString forename;
        QString familyname;
        const Text* surnameText = nullptr;
        const Text* forenameText = nullptr;
        // "surname, given names" with the maiden-name addition, as the lists show it.
        const Text* name2Text = nullptr;
    };

    const Text& surnameOf(const KV_Person* person)
    {
        Names& names = namesOf(person);
        if (!names.surnameText)
            names.surnameText = &text(person->Surname);
        return *names.surnameText;
    }
    const Text& forenameOf(const KV_Person* person)
    {
        Names& names = namesOf(person);
        if (!names.forenameText)
            names.forenameText = &text(person->Forename);
        return *names.forenameText;
    }
    const Text& name2Of(const KV_Person* person)
    {
        Names& names = namesOf(person);
        if (!names.name2Text)
            names.name2Text = &text(person->GetNameByLayout(2, true, false));
        return *names.name2Text;
    }
    const Text& text(const QString& value)
    {
        auto found = texts.find(value);
        if (found == texts.end()) {
            found = texts.emplace(value, Text{value, collator.sortKey(value)}).first;
            unranked.push_back(&found->second);
        }
        return found->second;
    }

    // Gives the texts made since the last ranking their places; the others keep their order.
    void rank()
    {
        if (unranked.empty())
            return;
        const auto less = [](const Text* a, const Text* b) { return compare(*a, *b) < 0; };
        std::sort(unranked.begin(), unranked.end(), less);
        std::vector<Text*> merged;
        merged.reserve(ranked.size() + unranked.size());
        std::merge(ranked.begin(), ranked.end(), unranked.begin(), unranked.end(), std::back_inserter(merged), less);
        ranked.swap(merged);
        unranked.clear();
        for (size_t i = 0; i < ranked.size(); ++i)
            ranked[i]->rank = int(i);
    }

    // Collation first; texts the collation finds equal ("Kowalski" and "KOWALSKI") by their code units, so the
    // order is total.
    static int compare(const Text& a, const Text& b)
    {
        if (&a == &b)
            return 0;
        if (a.rank >= 0 && b.rank >= 0)
            return a.rank < b.rank ? -1 : 1;
        const int c = a.key.compare(b.key);
        return c != 0 ? c : QString::compare(a.text, b.text);
    }

    // The names of one person as they were when the keys were asked for.
    struct Source
    {
        const KV_Person* person;
        Names names;
        QString name2;
    };
    // Makes the texts of the given persons' names and ranks them. The persons themselves are not read, so this
    // may run on another thread while they change: a person whose names have changed since gets new texts when
    // it is sorted.
    void prepare(const std::vector<Source>& sources)
    {
        persons.reserve(sources.size());
        for (const Source& source : sources) {
            Names& names = persons[source.person];
            names = source.names;
            names.surnameText = &text(names.surname);
            names.forenameText = &text(names.forename);
            names.name2Text = &text(source.name2);
        }
        rank();
    }

    // Texts of deleted persons and of old names are never asked for again; start afresh before they pile up.
    void limitTo(size_t personCount)
    {
        if (persons.size() > 2 * personCount + 1000 || texts.size() > 4 * personCount + 1000) {
            persons.clear();
            texts.clear();
            ranked.clear();
            unranked.clear();
        }
    }

private:
    Names& namesOf(const KV_Person* person)
    {
        Names& names = persons[person];
        if (names.surname != person->Surname || names.forename != person->Forename ||
            names.familyname != person->Familyname) {
            names = Names{person->Surname, person->Forename, person->Familyname};
        }
        return names;
    }

    QCollator collator{QLocale(QLocale::Polish, QLocale::Poland)};
    std::unordered_map<const KV_Person*, Names> persons;
    std::unordered_map<QString, Text> texts;
    std::vector<Text*> ranked;
    std::vector<Text*> unranked;
};

namespace {

// A person with what the sort key compares, found once per person and sort instead of once per comparison.
struct SortItem
{
    KV_Person* person = nullptr;
    // The compared text (surname, given names, name or place), or the compared number.
    const PersonSortKeys::Text* text = nullptr;
    double number = 0;
    // The name that orders persons whose keys are equal.
    const PersonSortKeys::Text* name = nullptr;
};

// Keys whose equal values keep the order the persons came in; every other key orders them by name.
bool keepsTiesInOrder(PersonSortKey key)
{
    return key == PersonSortKey::Surname || key == PersonSortKey::Forename || key == PersonSortKey::Name ||
           key == PersonSortKey::CreationTime;
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

SortItem prepare(KV_Person* person, PersonSortKey key, PersonSortKeys& keys)
{
    SortItem item;
    item.person = person;
    switch (key) {
    case PersonSortKey::Surname:
        item.text = &keys.surnameOf(person);
        break;
    case PersonSortKey::Forename:
        item.text = &keys.forenameOf(person);
        break;
    case PersonSortKey::Sex:
        item.number = person->IsFemale() ? 0 : person->IsMale() ? 1 : 2;
        break;
    case PersonSortKey::BirthDate:
        item.number = factDateKey(person, "BIRT", -99999.0);
        break;
    case PersonSortKey::BirthPlace:
        item.text = &keys.text(factPlace(person, "BIRT"));
        break;
    case PersonSortKey::DeathDate:
        item.number = factDateKey(person, "DEAT", person->IsDead() ? -999.0 : -99999.0);
        break;
    case PersonSortKey::DeathPlace:
        item.text = &keys.text(factPlace(person, "DEAT"));
        break;
    case PersonSortKey::Name:
        item.text = &keys.name2Of(person);
        break;
    case PersonSortKey::CreationTime:
        item.number = ParseCreationTime(person->DateCreate);
        break;
    }
    if (!keepsTiesInOrder(key))
        item.name = &keys.name2Of(person);
    return item;
}

// -1, 0 or 1 as a's key value stands before, with or after b's.
int compareKeyValues(const SortItem& a, const SortItem& b)
{
    if (a.text)
        return PersonSortKeys::compare(*a.text, *b.text);
    return a.number < b.number ? -1 : b.number < a.number ? 1 : 0;
}

// a before b: the key decides in the asked direction; persons equal under the key come by name, ascending,
// except under the keys whose ties keep their order.
bool sortsBefore(const SortItem& a, const SortItem& b, bool ascending)
{
    const int c = compareKeyValues(a, b);
    if (c != 0)
        return ascending ? c < 0 : c > 0;
    return a.name && PersonSortKeys::compare(*a.name, *b.name) < 0;
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

// The patterns of one search word, made once for all persons: names and places match from their start, dates
// anywhere in their text.
struct WordPatterns
{
    explicit WordPatterns(const QString& word) : fromStart(word + u'*'), anywhere(u'*' + word + u'*') {}
    WildcardPattern fromStart;
    WildcardPattern anywhere;
};

// Equal texts or lists; a copy is recognised as equal without reading its contents.
bool sameText(const QString& a, const QString& b)
{
    return a.size() == b.size() && (a.constData() == b.constData() || a == b);
}

bool sameList(const QStringList& a, const QStringList& b)
{
    return a.size() == b.size() && (a.constData() == b.constData() || a == b);
}

// What the display text of a date depends on besides the date.
struct DateDisplay
{
    QString pattern = RMData::Pattern;
    int patternIndex = RMData::PatternIndex;
    bool yearSuffix = RMData::YearSuffix;
    QChar separator = RMData::DateSeparator;
    bool operator==(const DateDisplay&) const = default;
};

// Counts the changes of the date display seen by searches, so that date texts made before one are made again.
int dateDisplayGeneration()
{
    static DateDisplay seen;
    static int generation = 0;
    const DateDisplay now;
    if (!(now == seen)) {
        seen = now;
        ++generation;
    }
    return generation;
}

// The folded texts of one search, shared between the persons whose fields hold equal texts.
class FoldedTexts
{
public:
    QString fold(const QString& text)
    {
        auto found = folded.constFind(text);
        if (found == folded.constEnd())
            found = folded.insert(text, WildcardPattern::Fold(text));
        return found.value();
    }

private:
    QHash<QString, QString> folded;
};

// A field's text folded, made again only when the field's text has changed.
struct FoldedField
{
    QString source;
    QString folded;

    void update(const QString& text, FoldedTexts& folding)
    {
        if (!sameText(source, text)) {
            source = text;
            folded = folding.fold(text);
        }
    }
};

// A person's first birth or death fact with its date text and its place, folded.
struct FactField
{
    const KV_Fact* fact = nullptr;
    // The date the date text was made from, and the display generation it was made under.
    RMData date;
    int displayGeneration = -1;
    QString foldedDate;
    FoldedField place;

    void update(int generation, FoldedTexts& folding)
    {
        if (!fact)
            return;
        if (displayGeneration != generation || !(date == fact->Date)) {
            date = fact->Date;
            displayGeneration = generation;
            foldedDate = folding.fold(fact->Date.ToDisplayText(false, true));
        }
        place.update(fact->Place, folding);
    }
};

} // namespace

// What the search matches a person against: the folded names, and the first birth and death facts with their
// folded date texts and places. The facts are looked up by ID again only when the person's fact list has changed
// or facts have left the database since.
class PersonSearchKeys
{
public:
    FoldedField surname;
    FoldedField forename;
    FoldedField familyname;
    FactField birth;
    FactField death;

    void update(const KV_Person& person, int displayGeneration, FoldedTexts& folding)
    {
        surname.update(person.Surname, folding);
        forename.update(person.Forename, folding);
        familyname.update(person.Familyname, folding);
        const KV_DB* database = person.Database;
        const quint64 removals = database ? database->FactMap.removals() : 0;
        if (!factsFound || database != factsDatabase || removals != factRemovals || !sameList(facts, person.Facts))
            findFirstFacts(person, database, removals);
        birth.update(displayGeneration, folding);
        death.update(displayGeneration, folding);
    }

private:
    void findFirstFacts(const KV_Person& person, const KV_DB* database, quint64 removals)
    {
        birth.fact = nullptr;
        death.fact = nullptr;
        bool everyFactFound = true;
        for (const QString& id : person.Facts) {
            const KV_Fact* fact = person.LookupFact(id);
            if (!fact)
                everyFactFound = false;
            else if (!birth.fact && fact->Type == u"BIRT")
                birth.fact = fact;
            else if (!death.fact && fact->Type == u"DEAT")
                death.fact = fact;
            if (birth.fact && death.fact)
                break;
        }
        // A fact listed but not in the database may enter it later and be the first of its kind: such a
        // person's facts are looked up at every search.
        factsFound = everyFactFound;
        facts = person.Facts;
        factsDatabase = database;
        factRemovals = removals;
    }

    // The fact list and the state of the database the facts below were found in.
    QStringList facts;
    const KV_DB* factsDatabase = nullptr;
    quint64 factRemovals = 0;
    bool factsFound = false;
};

namespace {

void updateSearchKeys(KV_Person& person, int displayGeneration, FoldedTexts& folding)
{
    if (!person.SearchKeys)
        person.SearchKeys = std::make_shared<PersonSearchKeys>();
    person.SearchKeys->update(person, displayGeneration, folding);
}

// Brings every person's search keys up to date, a share of the persons on each worker thread: the first search with
// a word makes the keys of everyone. Each person's keys are its own, and the persons and their facts are only read.
void updateSearchKeys(const KV_DB::PersonMapType& persons, int displayGeneration)
{
    std::vector<KV_Person*> all;
    all.reserve(persons.size());
    for (const auto& [id, person] : persons)
        all.push_back(person);
    constexpr int share = 4096;
    const int shares = int((all.size() + share - 1) / share);
    OrderedWork::run(
        shares, std::max(shares, 1),
        [&](int piece) {
            // Equal texts share one folded copy within a share.
            FoldedTexts folding;
            const size_t end = std::min(all.size(), size_t(piece + 1) * share);
            for (size_t i = size_t(piece) * share; i < end; ++i)
                updateSearchKeys(*all[i], displayGeneration, folding);
        },
        [](int) {});
}

bool factMatches(const FactField& field, const WordPatterns& word, bool testDate, bool testPlace)
{
    if (!field.fact)
        return false;
    if (testPlace && word.fromStart.MatchesFolded(field.place.folded))
        return true;
    return testDate && word.anywhere.MatchesFolded(field.foldedDate);
}

bool wordMatches(const KV_Person& person, const PersonSearchKeys& keys, const WordPatterns& word, int mode)
{
    if ((mode == 0 || mode == 1) &&
        (word.fromStart.MatchesFolded(keys.surname.folded) || word.fromStart.MatchesFolded(keys.forename.folded) ||
         word.fromStart.MatchesFolded(keys.familyname.folded))) {
        return true;
    }
    if ((mode == 0 || mode == 2 || mode == 3) && factMatches(keys.birth, word, mode != 3, mode != 2))
        return true;
    return (mode == 0 || mode == 4 || mode == 5) && person.IsDead() &&
           factMatches(keys.death, word, mode != 5, mode != 4);
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
    std::vector<WordPatterns> words;
    for (const QString& word : searchWords(text))
        words.emplace_back(word);
    WorkList.clear();
    if (!words.empty())
        updateSearchKeys(PersonMap, dateDisplayGeneration());
    for (const auto& [id, person] : PersonMap) {
        // The filters cost nothing; the words need the person's search keys.
        if (!passesFilters(person, sexFilter, lifeFilter, pictureFilter))
            continue;
        if (!words.empty()) {
            const PersonSearchKeys& keys = *person->SearchKeys;
            // The structured binding is captured as an explicit copy: clang before version 16 cannot capture one.
            if (!std::all_of(words.begin(), words.end(), [&keys, fieldMode, person = person](const WordPatterns& word) {
                    return wordMatches(*person, keys, word, fieldMode);
                }))
                continue;
        }
        WorkList.append(person);
    }
}

void KV_DB::prepareSortKeys()
{
    std::vector<PersonSortKeys::Source> sources;
    sources.reserve(PersonMap.size());
    for (const auto& [id, person] : PersonMap) {
        sources.push_back(
            {person, {person->Surname, person->Forename, person->Familyname}, person->GetNameByLayout(2, true, false)});
    }
    SortKeysBeingMade = std::async(std::launch::async, [sources = std::move(sources)]() mutable {
        auto keys = std::make_shared<PersonSortKeys>();
        // The task keeps what it captured until the first sort takes its result; the names go once they are
        // prepared.
        keys->prepare(std::exchange(sources, {}));
        return keys;
    });
}

QList<KV_Person*> KV_DB::SortedPersons(const QList<KV_Person*>& persons, PersonSortKey key, bool ascending)
{
    gSortKey = int(key);
    gSortAscending = ascending;
    if (SortKeysBeingMade.valid())
        SortKeys = SortKeysBeingMade.get();
    if (!SortKeys)
        SortKeys = std::make_shared<PersonSortKeys>();
    SortKeys->limitTo(PersonMap.size());

    std::vector<SortItem> items;
    items.reserve(persons.size());
    for (KV_Person* person : persons)
        items.push_back(prepare(person, key, *SortKeys));
    SortKeys->rank();
    if (keepsTiesInOrder(key)) {
        // Descending is the ascending order turned round, so equal keys come out in reverse.
        std::stable_sort(items.begin(), items.end(),
                         [](const SortItem& a, const SortItem& b) { return sortsBefore(a, b, true); });
        if (!ascending)
            std::reverse(items.begin(), items.end());
    } else {
        std::stable_sort(items.begin(), items.end(),
                         [ascending](const SortItem& a, const SortItem& b) { return sortsBefore(a, b, ascending); });
    }

    QList<KV_Person*> sorted;
    sorted.reserve(qsizetype(items.size()));
    for (const SortItem& item : items)
        sorted.append(item.person);
    return sorted;
}

void KV_DB::SortPersons(PersonSortKey key, bool ascending, bool toReportList)
{
    WorkList = SortedPersons(WorkList, key, ascending);
    (toReportList ? ReportList : ResultList) = WorkList;
}

void KV_DB::SortByName(bool keepWorkList)
{
    if (keepWorkList) {
        SortPersons(PersonSortKey::Name, true, true);
        return;
    }
    // Everyone is sorted apart from WorkList: it keeps the person list's last search, which a later report on
    // the persons of the list reads.
    QList<KV_Person*> everyone;
    everyone.reserve(qsizetype(PersonMap.size()));
    for (const auto& entry : PersonMap)
        everyone.append(entry.second);
    ReportList = SortedPersons(everyone, PersonSortKey::Name, true);
}

bool ComparePersons(const KV_Person* a, const KV_Person* b)
{
    // Keys of about a thousand persons stay cached between calls; the comparison knows no database to size it by.
    static PersonSortKeys keys;
    keys.limitTo(0);
    const SortItem first = prepare(const_cast<KV_Person*>(a), PersonSortKey(gSortKey), keys);
    const SortItem second = prepare(const_cast<KV_Person*>(b), PersonSortKey(gSortKey), keys);
    return sortsBefore(first, second, gSortAscending);
}
