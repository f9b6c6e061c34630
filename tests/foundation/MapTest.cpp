#include "foundation/DravikMap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <vector>

namespace
{

int g_liveStrings = 0;

bool CountingStringHandler(int code, void** item, const void* value)
{
    bool result = StringItemHandler(code, item, value);
    if (result && code == kDravikItemCreate && *item)
        ++g_liveStrings;
    if (result && code == kDravikItemDestroy)
        --g_liveStrings;
    return result;
}

void* FakeData(uintptr_t n)
{
    // Distinct, never dereferenced data pointers.
    return reinterpret_cast<void*>((n + 1) * 16);
}

} // namespace

TEST(DravikMapTest, LookupOnNewMapCreatesNothing)
{
    CDravikMap map;
    EXPECT_EQ(CDravikMap::kDefaultBucketCount, map.GetBucketCount());
    EXPECT_EQ(nullptr, map.Lookup(CDravikString("missing")));
    EXPECT_EQ(nullptr, map.LookupHashed(1, 2));
    EXPECT_FALSE(map.RemoveKey(CDravikString("missing")));
    EXPECT_FALSE(map.HasBucketArray());
    int value = 1;
    EXPECT_TRUE(map.SetAt(CDravikString("k"), &value));
    EXPECT_TRUE(map.HasBucketArray());
    EXPECT_FALSE(map.SetAt(CDravikString("k"), nullptr));
    EXPECT_EQ(1, map.GetCount());
}

TEST(DravikMapTest, IgnoreCaseKeys)
{
    CDravikMap map;
    int a = 1, b = 2;
    EXPECT_TRUE(map.SetAt(CDravikString("Name"), &a, true));
    EXPECT_EQ(&a, map.Lookup(CDravikString("NAME"), true));
    EXPECT_EQ(&a, map.Lookup(CDravikString("name"), true));
    EXPECT_EQ(nullptr, map.Lookup(CDravikString("name"), false));
    EXPECT_TRUE(map.SetAt(CDravikString("name"), &b));
    EXPECT_EQ(&b, map.Lookup(CDravikString("name")));
    EXPECT_EQ(nullptr, map.Lookup(CDravikString("Name")));
    // ANSI and wide texts hash differently.
    EXPECT_EQ(nullptr, map.Lookup(CDravikString(L"name")));
    EXPECT_TRUE(map.RemoveKey(CDravikString("nAmE"), true));
    EXPECT_EQ(nullptr, map.Lookup(CDravikString("NAME"), true));
    EXPECT_EQ(&b, map.Lookup(CDravikString("name")));
}

TEST(DravikMapTest, LowWordMagnitudeSelectsTheBucket)
{
    struct Case
    {
        unsigned int low;
        int buckets;
        int expected;
    } cases[] = {
        {0x80000000u, 10009, static_cast<int>(2147483648u % 10009u)},
        {0x80000000u, 7, static_cast<int>(2147483648u % 7u)},
        {static_cast<unsigned int>(-5), 7, 5},
        {5, 7, 5},
        {0xFFFFFFFFu, 10009, 1},
        {12345, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CDravikMap::BucketOf(c.low, c.buckets)) << c.low << " % " << c.buckets;

    CDravikMap map;
    int x = 1, y = 2;
    EXPECT_TRUE(map.AddHashed(0x80000000u, 9, &x));
    EXPECT_TRUE(map.AddHashed(0x80000000u, 10, &y));
    EXPECT_EQ(&x, map.LookupHashed(0x80000000u, 9));
    EXPECT_EQ(&y, map.LookupHashed(0x80000000u, 10));
    EXPECT_TRUE(map.RemoveHashed(0x80000000u, 9));
    EXPECT_EQ(nullptr, map.LookupHashed(0x80000000u, 9));
}

TEST(DravikMapTest, SameKeyTwiceShowsTheNewerFirst)
{
    CDravikMap map;
    int first = 1, second = 2;
    EXPECT_TRUE(map.SetAt(CDravikString("dup"), &first));
    EXPECT_TRUE(map.SetAt(CDravikString("dup"), &second));
    EXPECT_EQ(2, map.GetCount());
    EXPECT_EQ(&second, map.Lookup(CDravikString("dup")));
    EXPECT_TRUE(map.RemoveKey(CDravikString("dup")));
    EXPECT_EQ(&first, map.Lookup(CDravikString("dup")));
    EXPECT_TRUE(map.RemoveKey(CDravikString("dup")));
    EXPECT_FALSE(map.RemoveKey(CDravikString("dup")));
    EXPECT_EQ(0, map.GetCount());
}

TEST(DravikMapTest, RemoveAllKeepsBucketsForReuse)
{
    CDravikMap map;
    int v = 1;
    map.SetAt(CDravikString("a"), &v);
    map.SetAt(CDravikString("b"), &v);
    EXPECT_TRUE(map.RemoveAll());
    EXPECT_EQ(0, map.GetCount());
    EXPECT_EQ(nullptr, map.Lookup(CDravikString("a")));
    EXPECT_TRUE(map.HasBucketArray());
    EXPECT_TRUE(map.SetAt(CDravikString("c"), &v));
    EXPECT_EQ(&v, map.Lookup(CDravikString("c")));
    EXPECT_EQ(nullptr, map.Lookup(CDravikString("b")));
}

// Removals through the list's own operations used to leave index entries that pointed at deleted
// elements; each now unlinks the entry, and the other keys stay findable.
TEST(DravikMapTest, ListLevelRemovalsUnlinkTheIndexEntry)
{
    struct Case
    {
        const char* name;
        std::function<bool(CDravikMap&, void* victim)> remove;
    } cases[] = {
        {"Remove", [](CDravikMap& m, void* v) { return m.Remove(v); }},
        {"RemoveHead", [](CDravikMap& m, void* v) { return m.RemoveHead() == v; }},
        {"RemoveValue", [](CDravikMap& m, void* v) { return m.RemoveValue(v); }},
        {"IteratorRemove",
         [](CDravikMap& m, void* v) {
             CDravikListIterator it(&m);
             return it.Remove(v);
         }},
        {"IterateLoopRemove",
         [](CDravikMap& m, void* v) {
             bool removed = false;
             for (void* d = m.IterateFirst(); d; d = m.IterateNext())
                 if (d == v)
                     removed = m.Remove(d);
             m.IterateEnd();
             return removed;
         }},
    };
    for (const Case& c : cases)
    {
        CDravikMap map;
        int values[3] = {10, 11, 12};
        ASSERT_TRUE(map.AddHashed(1, 0, &values[0]));
        ASSERT_TRUE(map.AddHashed(1 + CDravikMap::kDefaultBucketCount, 0, &values[1])); // same bucket
        ASSERT_TRUE(map.AddHashed(3, 0, &values[2]));
        EXPECT_TRUE(c.remove(map, &values[0])) << c.name;
        EXPECT_EQ(nullptr, map.LookupHashed(1, 0)) << c.name;
        EXPECT_FALSE(map.RemoveHashed(1, 0)) << c.name;
        EXPECT_EQ(&values[1], map.LookupHashed(1 + CDravikMap::kDefaultBucketCount, 0)) << c.name;
        EXPECT_EQ(&values[2], map.LookupHashed(3, 0)) << c.name;
        EXPECT_EQ(2, map.GetCount()) << c.name;
    }
}

TEST(DravikMapTest, OwnedItemsAreCopiedAndDestroyed)
{
    g_liveStrings = 0;
    {
        CDravikMap map;
        map.SetTypeHandler(CountingStringHandler);
        CDravikString one("one"), two("two");
        EXPECT_TRUE(map.SetAt(CDravikString("k1"), &one));
        EXPECT_TRUE(map.SetAt(CDravikString("k2"), &two));
        EXPECT_TRUE(map.SetAt(CDravikString("k3"), &one)); // an equal value under another key
        EXPECT_EQ(3, g_liveStrings);
        CDravikString* stored = static_cast<CDravikString*>(map.Lookup(CDravikString("k1")));
        ASSERT_NE(nullptr, stored);
        EXPECT_NE(&one, stored);
        EXPECT_TRUE(stored->Equals(one));

        // RemoveHashed removes exactly the element of its key, not the first equal value.
        EXPECT_TRUE(map.RemoveKey(CDravikString("k3")));
        EXPECT_EQ(2, g_liveStrings);
        EXPECT_EQ(stored, map.Lookup(CDravikString("k1")));

        // RemoveAndDestroy through the list: the key goes with it.
        EXPECT_TRUE(map.RemoveAndDestroy(&two));
        EXPECT_EQ(1, g_liveStrings);
        EXPECT_EQ(nullptr, map.Lookup(CDravikString("k2")));

        EXPECT_TRUE(map.DestroyAll());
        EXPECT_EQ(0, g_liveStrings);
        EXPECT_EQ(nullptr, map.Lookup(CDravikString("k1")));
        EXPECT_TRUE(map.SetAt(CDravikString("k4"), &two));
    }
    EXPECT_EQ(1, g_liveStrings); // the destructor leaves owned items to their owner, as a list does
    g_liveStrings = 0;
}

TEST(DravikMapTest, DestroyAllWithoutHandlerKeepsTheIndex)
{
    CDravikMap map;
    int v = 5;
    map.SetAt(CDravikString("x"), &v);
    EXPECT_FALSE(map.DestroyAll());
    EXPECT_EQ(&v, map.Lookup(CDravikString("x")));
}

TEST(DravikMapTest, SetBucketCount)
{
    CDravikMap map;
    EXPECT_FALSE(map.SetBucketCount(0));
    EXPECT_FALSE(map.SetBucketCount(-7));
    EXPECT_EQ(CDravikMap::kDefaultBucketCount, map.GetBucketCount());
    EXPECT_TRUE(map.SetBucketCount(3));
    EXPECT_EQ(3, map.GetBucketCount());
    int v[6] = {0, 1, 2, 3, 4, 5};
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(map.AddHashed(static_cast<unsigned int>(i), 0, &v[i]));
    ASSERT_TRUE(map.AddHashed(2, 0, &v[5])); // hides the first value of key 2
    // Changing the count later re-indexes instead of indexing past the end of the old array.
    EXPECT_TRUE(map.SetBucketCount(101));
    EXPECT_EQ(101, map.GetBucketCount());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(i == 2 ? &v[5] : &v[i], map.LookupHashed(static_cast<unsigned int>(i), 0)) << i;
    EXPECT_TRUE(map.RemoveHashed(2, 0));
    EXPECT_EQ(&v[2], map.LookupHashed(2, 0));
}

TEST(DravikMapTest, SwapMovesKeysWithTheirValues)
{
    CDravikMap map;
    int a = 1, b = 2;
    map.SetAt(CDravikString("a"), &a);
    map.SetAt(CDravikString("b"), &b);
    EXPECT_TRUE(map.Swap(&a, &b));
    EXPECT_EQ(&b, map.GetHeadData());
    EXPECT_EQ(&a, map.Lookup(CDravikString("a")));
    EXPECT_EQ(&b, map.Lookup(CDravikString("b")));
    EXPECT_TRUE(map.RemoveKey(CDravikString("a")));
    EXPECT_EQ(&b, map.GetHeadData());
    EXPECT_EQ(1, map.GetCount());
}

// 100,000 seeded random operations against a reference: adds, removals by key and through the list,
// and look-ups; newest value first for repeated keys.
TEST(DravikMapTest, RandomOperationsMatchReference)
{
    std::mt19937 random(20261210u);
    CDravikMap map;
    map.SetBucketCount(97); // small, so that buckets hold many keys
    std::map<unsigned long long, std::vector<void*>> reference;
    size_t live = 0;
    uintptr_t next = 0;
    const unsigned int keySpace = 400;
    for (int step = 0; step < 100000; ++step)
    {
        unsigned int low = random() % keySpace;
        unsigned int high = random() % 3;
        if (random() % 2)
            low = 0u - low; // negative low words
        unsigned long long key = (static_cast<unsigned long long>(high) << 32) | low;
        unsigned int op = random() % 10;
        std::vector<void*>& values = reference[key];
        if (op < 4)
        {
            void* data = FakeData(next++);
            ASSERT_TRUE(map.AddHashed(low, high, data));
            values.push_back(data);
            ++live;
        }
        else if (op < 6)
        {
            ASSERT_EQ(!values.empty(), map.RemoveHashed(low, high)) << step;
            if (!values.empty())
            {
                values.pop_back();
                --live;
            }
        }
        else if (op < 8 && !values.empty())
        {
            // Remove the oldest value of this key through the list.
            ASSERT_TRUE(map.Remove(values.front())) << step;
            values.erase(values.begin());
            --live;
        }
        else
        {
            ASSERT_EQ(values.empty() ? nullptr : values.back(), map.LookupHashed(low, high)) << step;
        }
    }
    EXPECT_EQ(static_cast<int>(live), map.GetCount());
    for (const auto& entry : reference)
    {
        unsigned int low = static_cast<unsigned int>(entry.first);
        unsigned int high = static_cast<unsigned int>(entry.first >> 32);
        EXPECT_EQ(entry.second.empty() ? nullptr : entry.second.back(), map.LookupHashed(low, high));
    }
}
