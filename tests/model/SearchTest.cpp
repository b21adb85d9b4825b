#include "Search.h"
#include "ModelFixture.h"

#include <QTemporaryDir>

#include <vector>

namespace {

// Persons with fixed IDs (person_01, person_02, ... in creation order), so map order is known.
class PersonSearchTest : public ModelFixture
{
protected:
    KV_Person* person(const char* forename, const char* surname, int sex = 1)
    {
        auto* p = new KV_Person;
        p->ID = u("person_%1").arg(++made, 2, 10, QLatin1Char('0'));
        p->Forename = u(forename);
        p->Surname = u(surname);
        p->Sex = sex;
        gDB.AddPerson(p);
        return p;
    }
    static QStringList forenames(const QList<KV_Person*>& list)
    {
        QStringList names;
        for (const KV_Person* p : list)
            names << p->Forename;
        return names;
    }
    static QStringList found(const char* text, int mode, int sex = 0, int life = 0, int pictures = 0)
    {
        gDB.SearchPersons(u(text), mode, sex, life, pictures);
        return forenames(gDB.WorkList);
    }

    int made = 0;
};

} // namespace

TEST_F(PersonSearchTest, namesMatchFromTheirStartAndEveryWordMustMatch)
{
    person("Jan", "Kowalski");
    person("Kowal", "Zieliński");
    KV_Person* anna = person("Anna", "Nowak-Kowalska", 0);
    anna->Displayname = u("Kowalówna");
    anna->Note = u("kowal");
    anna->Attributes = {{u("x"), u("kowal"), u("OCCU"), false}};
    person("Jan", "Nowak");
    person("Anna Maria", "Wiśniewska", 0);

    EXPECT_EQ(found("", 0), QStringList({u("Jan"), u("Kowal"), u("Anna"), u("Jan"), u("Anna Maria")}));
    EXPECT_EQ(found("   ", 0).size(), 5);
    EXPECT_EQ(found("kow", 1), QStringList({u("Jan"), u("Kowal")}));
    EXPECT_EQ(found("jan kowalski", 0), QStringList({u("Jan")}));
    EXPECT_EQ(found("jan  kowalski ", 0), QStringList({u("Jan")}));
    EXPECT_EQ(found("\"anna maria\"", 1), QStringList({u("Anna Maria")}));
    EXPECT_EQ(found("\"anna maria\"wiś", 1), QStringList({u("Anna Maria")}));
    EXPECT_EQ(found("wiś*ska", 1), QStringList({u("Anna Maria")}));
    EXPECT_EQ(found("kowalówna", 0), QStringList());
    EXPECT_EQ(found("nowak-k?walska", 1), QStringList({u("Anna")}));
}

TEST_F(PersonSearchTest, datesMatchAnywhereAndOnlyTheFirstBirthAndDeathFactsCount)
{
    KV_Person* born = person("Urodzony", "A");
    addFact(born, u("BIRT"), u("12 maja 1950"), u("Łódź"));
    KV_Person* died = person("Zmarły", "B");
    died->SetDead(true);
    addFact(died, u("BIRT"), u("1920"), u("Kraków"));
    addFact(died, u("DEAT"), u("1950"), u("Łomża"));
    KV_Person* living = person("Żyjący", "C");
    addFact(living, u("DEAT"), u("1950"), u("Łomża"));
    KV_Person* deadWithoutFact = person("Bez faktu", "D");
    deadWithoutFact->SetDead(true);
    KV_Person* other = person("Inne", "E");
    addFact(other, u("BAPM"), u("1950"), u("Łódź"));

    EXPECT_EQ(found("1950", 2), QStringList({u("Urodzony")}));
    EXPECT_EQ(found("1950", 0), QStringList({u("Urodzony"), u("Zmarły")}));
    EXPECT_EQ(found("1950", 4), QStringList({u("Zmarły")}));
    EXPECT_EQ(found("05-1950", 0), QStringList({u("Urodzony")}));
    EXPECT_EQ(found("łó", 3), QStringList({u("Urodzony")}));
    EXPECT_EQ(found("łom", 5), QStringList({u("Zmarły")}));
    EXPECT_EQ(found("łom", 3), QStringList());
    EXPECT_EQ(found("kraków łomża", 0), QStringList({u("Zmarły")}));
    EXPECT_EQ(found("nikt", 0), QStringList());
    gDB.SortPersons(PersonSortKey::Surname, true, false);
    EXPECT_TRUE(gDB.ResultList.isEmpty());
}

TEST_F(PersonSearchTest, aSearchSeesWhatChangedSinceTheLastOne)
{
    KV_Person* jan = person("Jan", "Kowalski");
    KV_Fact* birth = addFact(jan, u("BIRT"), u("12 maja 1950"), u("Łódź"));
    KV_Person* ewa = person("Ewa", "Nowak", 0);
    EXPECT_EQ(found("kow", 0), QStringList({u("Jan")}));

    jan->Surname = u("Zieliński");
    EXPECT_EQ(found("kow", 0), QStringList());
    EXPECT_EQ(found("zie", 1), QStringList({u("Jan")}));

    birth->Date.FromText(u("1961"));
    birth->Place = u("Gdańsk");
    EXPECT_EQ(found("1950", 0), QStringList());
    EXPECT_EQ(found("łó", 3), QStringList());
    EXPECT_EQ(found("1961 gda", 0), QStringList({u("Jan")}));

    // A birth fact put before the first one takes its place.
    KV_Fact* earlier = addFact(jan, u("BIRT"), u("1930"), u("Radom"));
    EXPECT_EQ(found("1961", 2), QStringList());
    EXPECT_EQ(found("1930 rad", 0), QStringList({u("Jan")}));

    // A fact that leaves the database no longer counts, though the person still lists it.
    gDB.FactMap.erase(earlier->ID);
    delete earlier;
    EXPECT_EQ(found("1930", 0), QStringList());
    EXPECT_EQ(found("1961", 2), QStringList({u("Jan")}));

    // A listed fact that enters the database later counts from then on.
    auto* death = new KV_Fact;
    death->ID = u("fact_later");
    death->Type = u("DEAT");
    death->Date.FromText(u("1999"));
    ewa->Facts.append(death->ID);
    ewa->SetDead(true);
    EXPECT_EQ(found("1999", 4), QStringList());
    ASSERT_TRUE(gDB.InsertFact(death));
    EXPECT_EQ(found("1999", 4), QStringList({u("Ewa")}));
    ewa->SetDead(false);
    EXPECT_EQ(found("1999", 4), QStringList());

    // Date texts follow the date display.
    birth->Date.FromText(u("3 marca 1961"));
    EXPECT_EQ(found("03-1961", 2), QStringList({u("Jan")}));
    gSettings.SetDateFormat(9, u("dd.MM.yyyy"));
    EXPECT_EQ(found("03-1961", 2), QStringList());
    EXPECT_EQ(found("03.1961", 2), QStringList({u("Jan")}));
}

// The persons' search keys are brought up to date a share of the persons at a time on worker threads: matches in
// every share are found, and a change anywhere is seen by the next search.
TEST_F(PersonSearchTest, aSearchOverManyPersonsFindsEveryMatchAndEveryChange)
{
    constexpr int count = 10000;
    std::vector<KV_Person*> persons;
    int expected = 0;
    for (int i = 0; i < count; ++i) {
        const bool lucja = i % 7 == 0;
        const bool kowalski = i % 2 == 1;
        persons.push_back(person(lucja ? "Łucja" : "Jan", kowalski ? "Kowalski" : "Nowak"));
        expected += lucja && kowalski;
    }
    addFact(persons.back(), u("BIRT"), u("1901"), u("Kraków"));

    EXPECT_EQ(found("łucja kow", 1).size(), expected);
    EXPECT_EQ(found("ŁUCJA KOW", 1).size(), expected) << "folded alike in every share";
    EXPECT_EQ(found("krak", 3), QStringList({u("Jan")}));
    persons[count / 2]->Surname = u("Zieliński");
    persons[count - 2]->Forename = u("Zofia");
    EXPECT_EQ(found("zie", 1), QStringList({persons[count / 2]->Forename}));
    EXPECT_EQ(found("zofia", 1), QStringList({u("Zofia")}));
}

TEST_F(PersonSearchTest, theFirstSortAfterALoadSeesNamesChangedSinceTheLoad)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    gDB.DataFolder = folder.path() + u'/';
    gDB.FileExtension = u(".kvfile");
    for (const char* surname : {"Zięba", "Ćwik", "Łęcki", "Adamczyk"}) {
        KV_Person* p = addPerson(u(surname), u(surname));
        ASSERT_TRUE(gDB.SavePerson(p, p->ID));
    }
    gDB.Clear();
    gDB.LoadAll(nullptr);
    for (const auto& [id, p] : gDB.PersonMap) {
        if (p->Surname == u("Ćwik"))
            p->Surname = u("Żak");
    }
    gDB.SortByName(false);
    EXPECT_EQ(forenames(gDB.ReportList), QStringList({u("Adamczyk"), u("Łęcki"), u("Zięba"), u("Ćwik")}));
    gDB.DataFolder.clear();
    gDB.FileExtension.clear();
}

TEST_F(PersonSearchTest, filtersKeepOnlyThePersonsTheyName)
{
    KV_Person* woman = person("Kobieta", "A", 0);
    woman->Pictures = {u("picture_1")};
    KV_Person* man = person("Mężczyzna", "B", 1);
    man->SetDead(true);
    person("Nieznana", "C", 2);
    KV_Person* odd = person("Dziwna", "D", 7);
    odd->Dead = 5;

    EXPECT_EQ(found("", 0, 1), QStringList({u("Kobieta")}));
    EXPECT_EQ(found("", 0, 2), QStringList({u("Mężczyzna")}));
    EXPECT_EQ(found("", 0, 3), QStringList({u("Nieznana"), u("Dziwna")}));
    EXPECT_EQ(found("", 0, 9), QStringList({u("Kobieta"), u("Mężczyzna"), u("Nieznana"), u("Dziwna")}));
    EXPECT_EQ(found("", 0, 0, 1), QStringList({u("Mężczyzna")}));
    EXPECT_EQ(found("", 0, 0, 2), QStringList({u("Kobieta"), u("Nieznana"), u("Dziwna")}));
    EXPECT_EQ(found("", 0, 0, 0, 1), QStringList({u("Kobieta")}));
    EXPECT_EQ(found("", 0, 0, 0, 2), QStringList({u("Mężczyzna"), u("Nieznana"), u("Dziwna")}));
}

TEST_F(PersonSearchTest, namesSortByPolishCollationWithTiesByCodeUnits)
{
    for (const char* name : {"Zenon", "Łukasz", "Lucyna", "anna", "Anna", "Ewa", "Łucja"})
        person(name, "X");
    gDB.SearchPersons(QString(), 0, 0, 0, 0);
    gDB.SortPersons(PersonSortKey::Forename, true, false);
    EXPECT_EQ(forenames(gDB.ResultList),
              QStringList({u("anna"), u("Anna"), u("Ewa"), u("Lucyna"), u("Łucja"), u("Łukasz"), u("Zenon")}));
    gDB.SortPersons(PersonSortKey::Forename, false, false);
    EXPECT_EQ(forenames(gDB.ResultList),
              QStringList({u("Zenon"), u("Łukasz"), u("Łucja"), u("Lucyna"), u("Ewa"), u("Anna"), u("anna")}));
    EXPECT_EQ(gSortKey, 2);
    EXPECT_FALSE(gSortAscending);
}

TEST_F(PersonSearchTest, equalKeysKeepTheirOrderAscendingAndTurnRoundDescending)
{
    person("Pierwszy", "Nowak");
    person("Drugi", "Nowak");
    person("Trzeci", "Adamczyk");
    gDB.SearchPersons(QString(), 0, 0, 0, 0);
    gDB.SortPersons(PersonSortKey::Surname, true, false);
    EXPECT_EQ(forenames(gDB.ResultList), QStringList({u("Trzeci"), u("Pierwszy"), u("Drugi")}));
    gDB.SearchPersons(QString(), 0, 0, 0, 0);
    gDB.SortPersons(PersonSortKey::Surname, false, false);
    EXPECT_EQ(forenames(gDB.ResultList), QStringList({u("Drugi"), u("Pierwszy"), u("Trzeci")}));
}

TEST_F(PersonSearchTest, theStartPageSortPutsTheNewestFirst)
{
    const char* times[] = {"2020-01-01 10:00", "2021-05-05 08:00", "2021-05-05 08:00", "", "bad"};
    for (const char* time : times)
        person(time, "X")->DateCreate = u(time);
    gDB.SearchPersons(QString(), 0, 0, 0, 0);
    gDB.SortPersons(PersonSortKey::CreationTime, false, false);
    QStringList ids;
    for (const KV_Person* p : gDB.ResultList)
        ids << p->ID;
    // Created in the same minute: the larger ID first.
    EXPECT_EQ(ids, QStringList({u("person_03"), u("person_02"), u("person_01"), u("person_05"), u("person_04")}));
}

TEST_F(PersonSearchTest, dateAndPlaceKeysOrderEqualValuesByNameInBothDirections)
{
    KV_Person* b = person("B", "Nowak");
    KV_Person* a = person("A", "Nowak");
    KV_Person* undated = person("C", "Nowak");
    KV_Person* earlier = person("D", "Nowak");
    addFact(b, u("BIRT"), u("1900"), u("Łódź"));
    addFact(a, u("BIRT"), u("1900"), u("Lublin"));
    addFact(earlier, u("BIRT"), u("1800"), u("Łódź"));
    addFact(undated, u("BIRT"), QString(), u("Zamość"));
    const struct
    {
        PersonSortKey key;
        bool ascending;
        QStringList order;
    } cases[] = {
        {PersonSortKey::BirthDate, true, {u("C"), u("D"), u("A"), u("B")}},
        {PersonSortKey::BirthDate, false, {u("A"), u("B"), u("D"), u("C")}},
        {PersonSortKey::BirthPlace, true, {u("A"), u("B"), u("D"), u("C")}},
        {PersonSortKey::BirthPlace, false, {u("C"), u("B"), u("D"), u("A")}},
        {PersonSortKey::Sex, false, {u("A"), u("B"), u("C"), u("D")}},
    };
    for (const auto& c : cases) {
        gDB.SearchPersons(QString(), 0, 0, 0, 0);
        gDB.SortPersons(c.key, c.ascending, true);
        EXPECT_EQ(forenames(gDB.ReportList), c.order) << int(c.key) << (c.ascending ? " up" : " down");
        EXPECT_TRUE(gDB.ResultList.isEmpty());
    }
}

TEST_F(PersonSearchTest, deathDateKeyPutsTheLivingFirstThenTheDeadWithoutADate)
{
    person("Żyje", "X");
    KV_Person* deadUndated = person("Zmarł bez daty", "X");
    deadUndated->SetDead(true);
    KV_Person* dead = person("Zmarł", "X");
    dead->SetDead(true);
    addFact(dead, u("DEAT"), u("1990"));
    gDB.SearchPersons(QString(), 0, 0, 0, 0);
    gDB.SortPersons(PersonSortKey::DeathDate, true, false);
    EXPECT_EQ(forenames(gDB.ResultList), QStringList({u("Żyje"), u("Zmarł bez daty"), u("Zmarł")}));
}

TEST_F(PersonSearchTest, sortByNameListsEveryoneOrOnlyTheLastSearchByName)
{
    person("Jan", "Zięba");
    KV_Person* maiden = person("Anna", "Nowak", 0);
    maiden->Familyname = u("Łęcka");
    person("Ewa", "Ćwik", 0);
    gDB.SearchPersons(u("jan"), 0, 0, 0, 0);
    gDB.SortByName(true);
    EXPECT_EQ(forenames(gDB.ReportList), QStringList({u("Jan")}));
    gDB.SortPersons(PersonSortKey::Surname, false, false);
    gDB.SortByName(false);
    EXPECT_EQ(forenames(gDB.ReportList), QStringList({u("Ewa"), u("Anna"), u("Jan")}));
    EXPECT_EQ(gSortKey, 30);
    EXPECT_TRUE(gSortAscending);
    EXPECT_TRUE(ComparePersons(gDB.ReportList[0], gDB.ReportList[1]));
    EXPECT_FALSE(ComparePersons(gDB.ReportList[1], gDB.ReportList[0]));
    EXPECT_FALSE(ComparePersons(gDB.ReportList[0], gDB.ReportList[0]));

    // A changed name takes effect in the next sort.
    gDB.ReportList[2]->Surname = u("Adamczyk");
    gDB.SortByName(false);
    EXPECT_EQ(forenames(gDB.ReportList), QStringList({u("Jan"), u("Ewa"), u("Anna")}));
}

TEST_F(PersonSearchTest, aReportOnEveryoneLeavesTheLastSearchForTheNextReportOnTheList)
{
    person("Jan", "Zięba");
    person("Ewa", "Ćwik", 0);
    person("Adam", "Zięba");
    gDB.SearchPersons(u("Zięba"), 0, 0, 0, 0);
    gDB.SortPersons(PersonSortKey::Forename, false, false);
    const QStringList searched = forenames(gDB.WorkList);

    gDB.SortByName(false);
    EXPECT_EQ(forenames(gDB.ReportList), QStringList({u("Ewa"), u("Adam"), u("Jan")}));
    EXPECT_EQ(forenames(gDB.WorkList), searched);
    EXPECT_EQ(forenames(gDB.ResultList), searched);
    EXPECT_EQ(gSortKey, 30);
    EXPECT_TRUE(gSortAscending);

    gDB.SortByName(true);
    EXPECT_EQ(forenames(gDB.ReportList), QStringList({u("Adam"), u("Jan")}));
}
