#include "foundation/DravikOptimizedMap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <list>
#include <map>
#include <random>
#include <utility>
#include <vector>

namespace
{

void* FakeData(uintptr_t n)
{
    return reinterpret_cast<void*>((n + 1) * 16);
}

std::vector<void*> IterationOrder(CDravikOptimizedMap& map)
{
    std::vector<void*> order;
    for (void* data = map.GetFirst(); data; data = map.GetNext())
        order.push_back(data);
    return order;
}

} // namespace

TEST(DravikOptimizedMapTest, BucketCountsGrowThroughPrimes)
{
    const int expected[] = {2027, 4057, 8117, 16249};
    int count = CDravikOptimizedMap::kDefaultBucketCount;
    for (int next : expected)
    {
        count = CDravikOptimizedMap::NextBucketCount(count);
        EXPECT_EQ(next, count);
    }
    EXPECT_EQ(0, CDravikOptimizedMap::NextBucketCount(INT_MAX / 2));
}

TEST(DravikOptimizedMapTest, GrowsAtThe2019thInsertion)
{
    CDravikOptimizedMap map;
    EXPECT_EQ(1009, map.GetBucketCount());
    std::vector<void*> inserted;
    for (int i = 0; i < 2018; ++i)
    {
        inserted.push_back(FakeData(i));
        ASSERT_TRUE(map.Insert(i * 7 - 5000, i % 3, inserted.back()));
    }
    EXPECT_EQ(1009, map.GetBucketCount());
    inserted.push_back(FakeData(2018));
    ASSERT_TRUE(map.Insert(-1, -1, inserted.back()));
    EXPECT_EQ(2027, map.GetBucketCount());
    EXPECT_EQ(2019, map.GetCount());
    for (int i = 0; i < 2018; ++i)
        EXPECT_EQ(inserted[i], map.Lookup(i * 7 - 5000, i % 3)) << i;
    EXPECT_EQ(inserted.back(), map.Lookup(-1, -1));
    EXPECT_EQ(inserted, IterationOrder(map));
}

TEST(DravikOptimizedMapTest, PairsAndBuckets)
{
    EXPECT_EQ(CDravikOptimizedMap::BucketOf(5, 1009), CDravikOptimizedMap::BucketOf(-5, 1009));
    EXPECT_EQ(static_cast<int>(2147483648u % 1009u), CDravikOptimizedMap::BucketOf(INT_MIN, 1009));
    EXPECT_EQ(static_cast<int>(2147483647u % 1009u), CDravikOptimizedMap::BucketOf(INT_MAX, 1009));

    CDravikOptimizedMap map;
    int a = 1, b = 2, c = 3, d = 4, e = 5;
    EXPECT_TRUE(map.Insert(5, 1, &a));
    EXPECT_TRUE(map.Insert(5, 2, &b));
    EXPECT_TRUE(map.Insert(-5, 1, &c));
    EXPECT_TRUE(map.Insert(INT_MIN, INT_MIN, &d));
    EXPECT_TRUE(map.Insert(INT_MIN, 0, &e));
    EXPECT_EQ(&a, map.Lookup(5, 1));
    EXPECT_EQ(&b, map.Lookup(5, 2));
    EXPECT_EQ(&c, map.Lookup(-5, 1));
    EXPECT_EQ(&d, map.Lookup(INT_MIN, INT_MIN));
    EXPECT_EQ(&e, map.Lookup(INT_MIN, 0));
    EXPECT_EQ(nullptr, map.Lookup(5, 3));
    EXPECT_FALSE(map.Insert(1, 1, nullptr));
    EXPECT_TRUE(map.Remove(INT_MIN, INT_MIN));
    EXPECT_EQ(nullptr, map.Lookup(INT_MIN, INT_MIN));
    EXPECT_EQ(&e, map.Lookup(INT_MIN, 0));
}

TEST(DravikOptimizedMapTest, SamePairTwice)
{
    CDravikOptimizedMap map;
    int first = 1, second = 2;
    map.Insert(1, 1, &first);
    map.Insert(1, 1, &second);
    EXPECT_EQ(&second, map.Lookup(1, 1));
    EXPECT_TRUE(map.Remove(1, 1));
    EXPECT_EQ(&first, map.Lookup(1, 1));
    EXPECT_TRUE(map.Remove(1, 1));
    EXPECT_FALSE(map.Remove(1, 1));
    EXPECT_EQ(0, map.GetCount());
}

TEST(DravikOptimizedMapTest, IterationEndsAndClearsTheCursor)
{
    CDravikOptimizedMap map;
    int a = 1, b = 2;
    int k1 = 0, k2 = 0;
    EXPECT_EQ(nullptr, map.GetFirst());
    EXPECT_FALSE(map.GetCurrentKey(k1, k2));
    map.Insert(3, 4, &a);
    map.Insert(-3, 9, &b);
    EXPECT_EQ(&a, map.GetFirst());
    EXPECT_TRUE(map.GetCurrentKey(k1, k2));
    EXPECT_EQ(3, k1);
    EXPECT_EQ(4, k2);
    EXPECT_EQ(&b, map.GetNext());
    EXPECT_TRUE(map.GetCurrentKey(k1, k2));
    EXPECT_EQ(-3, k1);
    EXPECT_EQ(nullptr, map.GetNext());
    EXPECT_FALSE(map.GetCurrentKey(k1, k2));
    EXPECT_EQ(nullptr, map.GetNext());
    map.GetFirst();
    EXPECT_TRUE(map.EndIteration());
    EXPECT_FALSE(map.GetCurrentKey(k1, k2));
    // Remove clears the cursor; order is kept for what is left.
    map.GetFirst();
    EXPECT_TRUE(map.Remove(3, 4));
    EXPECT_FALSE(map.GetCurrentKey(k1, k2));
    EXPECT_EQ((std::vector<void*>{&b}), IterationOrder(map));
}

TEST(DravikOptimizedMapTest, ReleaseAndReuse)
{
    CDravikOptimizedMap map;
    int v[7] = {};
    EXPECT_FALSE(map.FreeReleased());
    for (int i = 0; i < 5; ++i)
        map.Insert(i, 0, &v[i]);
    EXPECT_TRUE(map.ReleaseAll());
    EXPECT_EQ(5, map.GetCount());
    EXPECT_EQ(nullptr, map.Lookup(0, 0));
    EXPECT_EQ(nullptr, map.GetFirst());
    EXPECT_TRUE(map.InsertReusing(10, 1, &v[5]));
    EXPECT_TRUE(map.InsertReusing(11, 1, &v[6]));
    EXPECT_EQ(5, map.GetCount());
    EXPECT_TRUE(map.FreeReleased());
    EXPECT_EQ(2, map.GetCount());
    EXPECT_EQ(0, map.GetReleasedCount());
    EXPECT_EQ(&v[5], map.Lookup(10, 1));
    EXPECT_EQ((std::vector<void*>{&v[5], &v[6]}), IterationOrder(map));
    // With nothing released, re-use is a plain insert.
    EXPECT_TRUE(map.InsertReusing(12, 1, &v[0]));
    EXPECT_EQ(3, map.GetCount());
}

// Between ReleaseAll and FreeReleased the free list used to share the cursor member: iterating,
// removing or inserting lost it, leaking its entries and leaving them counted.
TEST(DravikOptimizedMapTest, WorkBetweenReleaseAndFreeKeepsCountsRight)
{
    enum Step
    {
        Iterate,
        RemoveOne,
        InsertOne,
        EndIterating
    };
    const Step sequences[][3] = {
        {Iterate, Iterate, Iterate},
        {RemoveOne, Iterate, EndIterating},
        {InsertOne, Iterate, RemoveOne},
        {InsertOne, InsertOne, EndIterating},
    };
    for (const auto& sequence : sequences)
    {
        CDravikOptimizedMap map;
        int v[20] = {};
        for (int i = 0; i < 6; ++i)
            map.Insert(i, i, &v[i]);
        ASSERT_TRUE(map.ReleaseAll());
        ASSERT_TRUE(map.InsertReusing(100, 0, &v[10]));
        ASSERT_TRUE(map.InsertReusing(101, 0, &v[11]));
        std::vector<int> liveKeys = {100, 101};
        int extra = 0;
        for (Step step : sequence)
        {
            switch (step)
            {
            case Iterate:
                map.GetFirst();
                map.GetNext();
                break;
            case RemoveOne:
                ASSERT_TRUE(map.Remove(liveKeys.back(), 0));
                liveKeys.pop_back();
                break;
            case InsertOne:
                ASSERT_TRUE(map.Insert(200 + extra, 0, &v[12 + extra]));
                liveKeys.push_back(200 + extra);
                ++extra;
                break;
            case EndIterating:
                map.EndIteration();
                break;
            }
        }
        EXPECT_EQ(4, map.GetReleasedCount());
        ASSERT_TRUE(map.InsertReusing(300, 0, &v[19]));
        liveKeys.push_back(300);
        EXPECT_TRUE(map.FreeReleased());
        EXPECT_EQ(0, map.GetReleasedCount());
        EXPECT_EQ(static_cast<int>(liveKeys.size()), map.GetCount());
        EXPECT_EQ(liveKeys.size(), IterationOrder(map).size());
        for (int key : liveKeys)
            EXPECT_NE(nullptr, map.Lookup(key, 0)) << key;
    }
}

TEST(DravikOptimizedMapTest, OwnedValues)
{
    CDravikOptimizedMap map;
    EXPECT_FALSE(map.DeleteAllValues());
    EXPECT_FALSE(map.DeleteValue(1, 1));
    int i32 = -17;
    long long i64 = 0x123456789ALL;
    EXPECT_FALSE(map.SetIntValue(1, 1, nullptr));
    EXPECT_TRUE(map.SetIntValue(1, 1, &i32));
    EXPECT_EQ(0, map.GetValueKind());
    EXPECT_TRUE(map.SetInt64Value(2, 2, &i64));
    EXPECT_EQ(1, map.GetValueKind());
    ASSERT_NE(nullptr, map.Lookup(1, 1));
    EXPECT_NE(&i32, map.Lookup(1, 1));
    EXPECT_EQ(-17, *static_cast<int*>(map.Lookup(1, 1)));
    EXPECT_EQ(i64, *static_cast<long long*>(map.Lookup(2, 2)));
    EXPECT_FALSE(map.DeleteValue(3, 3));
    EXPECT_EQ(2, map.GetCount());
    EXPECT_TRUE(map.DeleteValue(1, 1));
    EXPECT_EQ(1, map.GetCount());
    EXPECT_TRUE(map.SetIntValue(3, 3, &i32));
    EXPECT_TRUE(map.DeleteAllValues());
    EXPECT_EQ(0, map.GetCount());
    EXPECT_EQ(nullptr, map.GetFirst());
}

TEST(DravikOptimizedMapTest, InitBucketsAndRemoveAll)
{
    CDravikOptimizedMap map;
    int v = 1;
    EXPECT_FALSE(map.InitBuckets(1));
    EXPECT_EQ(1009, map.GetBucketCount());
    map.Insert(1, 2, &v);
    EXPECT_TRUE(map.InitBuckets(7));
    EXPECT_EQ(7, map.GetBucketCount());
    EXPECT_EQ(0, map.GetCount());
    EXPECT_EQ(nullptr, map.Lookup(1, 2));
    for (int i = 0; i < 15; ++i)
        map.Insert(i, 0, &v);
    EXPECT_EQ(17, map.GetBucketCount()); // 15 > 2 * 7
    map.ReleaseAll();
    EXPECT_TRUE(map.RemoveAll());
    EXPECT_EQ(0, map.GetCount());
    EXPECT_EQ(0, map.GetReleasedCount());
    EXPECT_FALSE(map.FreeReleased());
}

// 100,000 seeded random operations against a reference of pairs in insertion order.
TEST(DravikOptimizedMapTest, RandomOperationsMatchReference)
{
    typedef std::pair<int, int> Pair;
    typedef std::list<std::pair<Pair, void*>> Order;
    std::mt19937 random(424242u);
    CDravikOptimizedMap map;
    Order order;
    std::map<Pair, std::vector<Order::iterator>> reference;
    uintptr_t next = 0;
    for (int step = 0; step < 100000; ++step)
    {
        int key1 = static_cast<int>(random() % 4000) - 2000;
        if (random() % 50 == 0)
            key1 = INT_MIN + static_cast<int>(random() % 3);
        int key2 = static_cast<int>(random() % 4);
        Pair pair(key1, key2);
        std::vector<Order::iterator>& entries = reference[pair];
        unsigned int op = random() % 10;
        if (op < 5)
        {
            void* data = FakeData(next++);
            ASSERT_TRUE(map.Insert(key1, key2, data));
            entries.push_back(order.insert(order.end(), std::make_pair(pair, data)));
        }
        else if (op < 7)
        {
            ASSERT_EQ(!entries.empty(), map.Remove(key1, key2)) << step;
            if (!entries.empty())
            {
                order.erase(entries.back());
                entries.pop_back();
            }
        }
        else
        {
            ASSERT_EQ(entries.empty() ? nullptr : entries.back()->second, map.Lookup(key1, key2)) << step;
        }
        if (step % 20000 == 19999)
        {
            std::vector<void*> expected;
            for (const auto& item : order)
                expected.push_back(item.second);
            ASSERT_EQ(expected, IterationOrder(map)) << step;
        }
    }
    EXPECT_EQ(static_cast<int>(order.size()), map.GetCount());
    EXPECT_GT(map.GetBucketCount(), 1009);
}

// Growing used to reverse each bucket's chain, so a repeated pair showed its older data afterwards.
TEST(DravikOptimizedMapTest, GrowingKeepsTheNewerOfARepeatedPairInFront)
{
    CDravikOptimizedMap map;
    ASSERT_TRUE(map.InitBuckets(3));
    int older = 1, newer = 2, filler = 3;
    map.Insert(9, 9, &older);
    map.Insert(9, 9, &newer);
    for (int i = 0; i < 5; ++i)
        map.Insert(i * 3, 0, &filler);
    EXPECT_EQ(7, map.GetBucketCount());
    EXPECT_EQ(&newer, map.Lookup(9, 9));
    EXPECT_TRUE(map.Remove(9, 9));
    EXPECT_EQ(&older, map.Lookup(9, 9));
}
