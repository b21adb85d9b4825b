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
