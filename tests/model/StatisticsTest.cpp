#include "ModelFixture.h"

namespace {

using StatisticsTest = ModelFixture;

std::map<QString, int> frequencies(std::initializer_list<std::pair<const char*, int>> pairs)
{
    std::map<QString, int> map;
    for (const auto& [key, count] : pairs)
        map[u(key)] = count;
    return map;
}

} // namespace

TEST_F(StatisticsTest, surnameFormsMergeIntoOneKeyWhenTheSettingIsOn)
{
    const struct
    {
        const char* surname;
        const char* key;
    } keys[] = {
        {"Kowalska", "Kowalski/ska"},
        {"Kowalski", "Kowalski/ska"},
        {"KOWALSKA", "KOWALSKI/SKA"},
        {"KOWALSKI", "KOWALSKI/SKA"},
        {"Zawadzka", "Zawadzki/dzka"},
        {"Zawadzki", "Zawadzki/dzka"},
        {"Nowicka", "Nowicki/cka"},
        {"Nowak", "Nowak"},
        {"Ska", "Ska"},
        {"", ""},
    };
    for (const auto& k : keys)
        EXPECT_EQ(gDB.GetSurnameStatisticsKey(u(k.surname)), u(k.key)) << k.surname;

    for (const char* surname : {"Kowalski", "Kowalska", "KOWALSKA"})
        addPerson(u("X"), u(surname));
    gDB.GatherStatistics(1);
    EXPECT_EQ(gDB.Statistics.Frequencies, frequencies({{"Kowalski/ska", 2}, {"KOWALSKI/SKA", 1}}));
    gSettings.MergeSurnameForms = false;
    gDB.GatherStatistics(7);
    EXPECT_EQ(gDB.Statistics.Frequencies, frequencies({{"Kowalski", 1}, {"Kowalska", 1}, {"KOWALSKA", 1}}));
}

TEST_F(StatisticsTest, countersAndThePlaceKindsSkipPersonsWithoutAKey)
{
    KV_Person* woman = addPerson(u("Anna"), u("Nowak"), 0);
    addFact(woman, u("BIRT"), u("1900"), u("Łódź"));
    KV_Person* man = addPerson(u("Jan"), QString(), 1);
    man->SetDead(true);
    addFact(man, u("BIRT"), u("1890"), QString());
    addFact(man, u("DEAT"), u("1950"), u("Kraków"));
    KV_Person* unknown = addPerson(QString(), u("Nowak"), 2);
    addFact(unknown, u("BIRT"), QString(), u("Łódź"));
    addPerson(u("Anna"), u("Lis"), 9)->Dead = 3;

    const struct
    {
        int kind;
        std::map<QString, int> expected;
    } kinds[] = {
        {1, frequencies({{"Nowak", 2}, {"Lis", 1}})},
        {2, frequencies({{"Anna", 2}, {"Jan", 1}})},
        {3, frequencies({{"Łódź", 2}})},
        {4, frequencies({{"Kraków", 1}})},
    };
    for (const auto& k : kinds) {
        gDB.GatherStatistics(k.kind);
        EXPECT_EQ(gDB.Statistics.Frequencies, k.expected) << k.kind;
        const KV_Statistics& s = gDB.Statistics;
        EXPECT_EQ(std::vector<int>({s.CountAll, s.CountMen, s.CountWomen, s.CountLiving, s.CountDead}),
                  std::vector<int>({4, 1, 1, 3, 1}));
    }
}

TEST_F(StatisticsTest, deathPlacesOfLivingPersonsGiveNoRows)
{
    KV_Person* living = addPerson(u("Jan"), u("Nowak"));
    addFact(living, u("DEAT"), QString(), u("Kraków"));
    gDB.GatherStatistics(4);
    EXPECT_TRUE(gDB.Statistics.Frequencies.empty());
    EXPECT_EQ(gDB.Statistics.CountAll, 1);
    EXPECT_EQ(gDB.Statistics.BuildTopList(6), 0);
    EXPECT_TRUE(gDB.Statistics.RowLabels.isEmpty());
}

TEST_F(StatisticsTest, topListAlternatesKeysAndBlankRowsLargestCountFirst)
{
    KV_Statistics s;
    s.Frequencies = frequencies(
        {{"b", 3}, {"a", 3}, {"c", 5}, {"d", 1}, {"e", 1}, {"f", 1}, {"g", 1}, {"h", 1}, {"i", 1}, {"j", 1}});
    EXPECT_EQ(s.BuildTopList(6), 5);
    EXPECT_EQ(s.RowLabels, QStringList({"c", "", "a", "", "b", "", "d", "", "e", "", "f"}));
    EXPECT_EQ(s.RowValues, QList<int>({5, -1, 3, -1, 3, -1, 1, -1, 1, -1, 1}));

    s.Frequencies = frequencies({{"x", 2}});
    EXPECT_EQ(s.BuildTopList(6), 2);
    EXPECT_EQ(s.RowLabels, QStringList({"x"}));
    s.Frequencies.clear();
    EXPECT_EQ(s.BuildTopList(6), 0);
    EXPECT_TRUE(s.RowValues.isEmpty());
}

TEST_F(StatisticsTest, summaryRowsOfAnEmptyDatabase)
{
    gDB.GatherStatistics(1);
    KV_Statistics& s = gDB.Statistics;
    EXPECT_EQ(s.BuildSummaryRows(), 0);
    EXPECT_EQ(s.RowLabels, QStringList({u("Wszystkie osoby"), QString(), u("<span class=\"sublabel\">kobiety:</span>"),
                                        u("<span class=\"sublabel\">mężczyźni:</span>"),
                                        u("<span class=\"sublabel\">bez określonej płci:</span>"), QString(),
                                        u("<span class=\"sublabel\">żyjące:</span>"),
                                        u("<span class=\"sublabel\">zmarłe:</span>")}));
    EXPECT_EQ(s.RowValues, QList<int>({0, -1, 0, 0, 0, -1, 0, 0}));

    s.CountAll = 10;
    s.CountWomen = 4;
    s.CountMen = 5;
    s.BuildSummaryRows();
    EXPECT_EQ(s.RowValues[4], 1);
}
