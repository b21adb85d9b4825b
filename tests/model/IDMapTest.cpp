#include "IDMap.h"
#include "TestSupport.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

QStringList keysInOrder(const KV_IDMap<int>& map)
{
    QStringList keys;
    for (const auto& entry : map)
        keys.append(entry.first);
    return keys;
}

} // namespace

TEST(IDMapTest, walksInOrdinalOrderWhateverTheInsertOrder)
{
    int a = 1, b = 2, c = 3, d = 4;
    KV_IDMap<int> map;
    EXPECT_TRUE(map.emplace(QStringLiteral("person_B"), &b).second); // appended
    EXPECT_TRUE(map.emplace(QStringLiteral("person_a"), &a).second); // appended
    EXPECT_TRUE(map.emplace(QStringLiteral("person_A"), &c).second); // inserted before
    EXPECT_TRUE(map.emplace(QStringLiteral("person_C"), &d).second); // inserted between
    EXPECT_EQ(keysInOrder(map), QStringList({"person_A", "person_B", "person_C", "person_a"}));
    EXPECT_EQ(map.rbegin()->first, QStringLiteral("person_a"));
    EXPECT_EQ(map.size(), 4u);
}

TEST(IDMapTest, lookupsAndRemovalsKeepTheIndexInStep)
{
    int first = 1, second = 2;
    KV_IDMap<int> map;
    map.emplace(QStringLiteral("fact_A"), &first);
    const auto again = map.emplace(QStringLiteral("fact_A"), &second);
    EXPECT_FALSE(again.second);
    EXPECT_EQ(again.first->second, &first);
    EXPECT_EQ(map.value(QStringLiteral("fact_A")), &first);
    EXPECT_EQ(map.value(QStringLiteral("fact_a")), nullptr);
    EXPECT_EQ(map.count(QStringLiteral("fact_A")), 1u);
    EXPECT_EQ(map.find(QStringLiteral("fact_X")), map.end());

    map.emplace(QStringLiteral("fact_B"), &second);
    map.erase(map.find(QStringLiteral("fact_A")));
    EXPECT_EQ(map.value(QStringLiteral("fact_A")), nullptr);
    EXPECT_EQ(map.erase(QStringLiteral("fact_A")), 0u);
    EXPECT_EQ(map.erase(QStringLiteral("fact_B")), 1u);
    EXPECT_TRUE(map.empty());

    map.emplace(QStringLiteral("fact_C"), &first);
    map.clear();
    EXPECT_EQ(map.value(QStringLiteral("fact_C")), nullptr);
    EXPECT_TRUE(map.emplace(QStringLiteral("fact_C"), &second).second);
    EXPECT_EQ(map.value(QStringLiteral("fact_C")), &second);
}

TEST(IDMapTest, idsInOrderGoInAfterTheLastOneWhereverThatIs)
{
    int objects[8] = {};
    KV_IDMap<int> map;
    for (const char* id : {"person_1", "person_5", "person_9"})
        map.emplace(QLatin1String(id), &objects[0]);
    // A run of increasing IDs between existing ones, as new IDs come after an older folder's.
    for (const char* id : {"person_2", "person_3", "person_4", "person_6", "person_A", "person_0"})
        EXPECT_TRUE(map.emplace(QLatin1String(id), &objects[1]).second) << id;
    EXPECT_EQ(keysInOrder(map), QStringList({"person_0", "person_1", "person_2", "person_3", "person_4", "person_5",
                                             "person_6", "person_9", "person_A"}));
    // The last one inserted gone, the next insertion finds its place all the same.
    EXPECT_EQ(map.erase(QStringLiteral("person_0")), 1u);
    EXPECT_TRUE(map.emplace(QStringLiteral("person_7"), &objects[2]).second);
    EXPECT_FALSE(map.emplace(QStringLiteral("person_7"), &objects[3]).second);
    map.clear();
    EXPECT_TRUE(map.emplace(QStringLiteral("person_8"), &objects[4]).second);
    EXPECT_EQ(keysInOrder(map), QStringList({"person_8"}));
    EXPECT_EQ(map.value(QStringLiteral("person_8")), &objects[4]);
    EXPECT_EQ(keysInOrder(map).size(), int(map.size()));
}

TEST(IDMapTest, aReservedMapTakesABulkInsertAndStillRefusesTakenIDs)
{
    int objects[3] = {};
    KV_IDMap<int> map;
    map.emplace(QStringLiteral("fact_0000"), &objects[0]);
    map.reserve(2001);
    EXPECT_EQ(map.size(), 1u);
    EXPECT_EQ(map.value(QStringLiteral("fact_0000")), &objects[0]);
    for (int i = 1; i <= 2000; ++i)
        ASSERT_TRUE(map.emplace(QStringLiteral("fact_%1").arg(i, 4, 10, QLatin1Char('0')), &objects[1]).second) << i;
    const auto taken = map.emplace(QStringLiteral("fact_0000"), &objects[2]);
    EXPECT_FALSE(taken.second);
    EXPECT_EQ(taken.first->second, &objects[0]);
    EXPECT_EQ(map.size(), 2001u);
    EXPECT_EQ(map.value(QStringLiteral("fact_1234")), &objects[1]);
    EXPECT_EQ(keysInOrder(map).size(), 2001);
    EXPECT_EQ(keysInOrder(map).last(), QStringLiteral("fact_2000"));
    // Reserving less than the map holds changes nothing.
    map.reserve(1);
    EXPECT_EQ(map.value(QStringLiteral("fact_2000")), &objects[1]);
}
