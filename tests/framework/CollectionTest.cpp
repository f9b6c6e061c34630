#include "framework/MapPtrToPtr.h"
#include "framework/MapStringToPtr.h"
#include "framework/MemFile.h"
#include "framework/PtrArray.h"
#include "framework/PtrList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <list>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace
{
template <typename T, typename A> void ExpectSame(const std::vector<T>& want, const CArray<T, A>& got)
{
    ASSERT_EQ(static_cast<INT_PTR>(want.size()), got.GetSize());
    for (size_t i = 0; i < want.size(); ++i)
        ASSERT_EQ(want[i], got[static_cast<INT_PTR>(i)]) << "index " << i;
}

template <typename T, typename A> void ExpectSame(const std::list<T>& want, const CList<T, A>& got)
{
    ASSERT_EQ(static_cast<INT_PTR>(want.size()), got.GetCount());
    POSITION pos = got.GetHeadPosition();
    for (const T& v : want)
    {
        ASSERT_NE(nullptr, pos);
        ASSERT_EQ(v, got.GetNext(pos));
    }
    EXPECT_EQ(nullptr, pos);
    pos = got.GetTailPosition();
    for (auto it = want.rbegin(); it != want.rend(); ++it)
        ASSERT_EQ(*it, got.GetPrev(pos));
    EXPECT_EQ(nullptr, pos);
}

// Expects the exception type and frees it.
template <typename E, typename F> void ExpectThrows(F f)
{
    try
    {
        f();
        ADD_FAILURE() << "no exception";
    }
    catch (CException* e)
    {
        EXPECT_NE(nullptr, dynamic_cast<E*>(e));
        e->Delete();
    }
}

template <typename F> std::vector<BYTE> StoreBytes(F write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
    }
    std::vector<BYTE> out(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(out.data(), static_cast<UINT>(out.size()));
    return out;
}

template <typename F> void LoadBytes(std::vector<BYTE> bytes, F read)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

class CCollTestItem : public CObject
{
    DECLARE_SERIAL(CCollTestItem)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_n;
        else
            ar >> m_n;
    }
    int m_n = 0;
};
IMPLEMENT_SERIAL(CCollTestItem, CObject, 1)

// Exposes the node blocks of a list.
class CBlockCountingList : public CList<int, int>
{
public:
    explicit CBlockCountingList(INT_PTR nBlockSize) : CList(nBlockSize) {}
    INT_PTR Blocks() const { return m_pool.GetBlockCount(); }
};
} // namespace

TEST(CollectionTest, ArrayMatchesVectorUnderRandomOperations)
{
    std::mt19937 rng(12345);
    CArray<int, int> arr;
    std::vector<int> ref;
    for (int step = 0; step < 3000; ++step)
    {
        int op = static_cast<int>(rng() % 7);
        int size = static_cast<int>(ref.size());
        int value = static_cast<int>(rng() % 1000);
        switch (op)
        {
        case 0:
            EXPECT_EQ(size, arr.Add(value));
            ref.push_back(value);
            break;
        case 1: {
            int idx = static_cast<int>(rng() % (size + 3)); // past the end fills the gap
            int count = 1 + static_cast<int>(rng() % 3);
            arr.InsertAt(idx, value, count);
            if (idx > size)
                ref.resize(static_cast<size_t>(idx), 0);
            ref.insert(ref.begin() + idx, static_cast<size_t>(count), value);
            break;
        }
        case 2:
            if (size > 0)
            {
                int idx = static_cast<int>(rng() % size);
                int count = 1 + static_cast<int>(rng() % std::min(3, size - idx));
                arr.RemoveAt(idx, count);
                ref.erase(ref.begin() + idx, ref.begin() + idx + count);
            }
            break;
        case 3: {
            int idx = static_cast<int>(rng() % (size + 4));
            arr.SetAtGrow(idx, value);
            if (idx >= size)
                ref.resize(static_cast<size_t>(idx) + 1, 0);
            ref[static_cast<size_t>(idx)] = value;
            break;
        }
        case 4:
            if (size > 0)
            {
                int idx = static_cast<int>(rng() % size);
                arr.SetAt(idx, value);
                ref[static_cast<size_t>(idx)] = value;
            }
            break;
        case 5:
            if (rng() % 20 == 0)
            {
                int n = static_cast<int>(rng() % 40);
                arr.SetSize(n, static_cast<int>(rng() % 3) - 1);
                ref.resize(static_cast<size_t>(n), 0);
            }
            break;
        case 6:
            if (rng() % 50 == 0)
                arr.FreeExtra();
            break;
        }
        ExpectSame(ref, arr);
        if (HasFatalFailure())
            return;
    }
}

TEST(CollectionTest, ArrayOfStringsHandlesArgumentsThatLiveInTheArray)
{
    CArray<CString, const CString&> arr;
    arr.Add(CString("zero"));
    for (int i = 0; i < 50; ++i)
        arr.Add(arr[0]); // reallocates while the argument points into the array
    EXPECT_EQ(51, arr.GetSize());
    EXPECT_STREQ("zero", arr[50]);
    arr.InsertAt(0, arr[50], 100);
    EXPECT_STREQ("zero", arr[99]);
    arr.SetAtGrow(500, arr[3]);
    EXPECT_STREQ("zero", arr[500]);
    EXPECT_TRUE(arr[400].IsEmpty());
    arr.Append(arr);
    EXPECT_EQ(1002, arr.GetSize());
    CArray<CString, const CString&> other;
    other.Copy(arr);
    other.InsertAt(1, &other);
    EXPECT_EQ(2004, other.GetSize());
}

TEST(CollectionTest, ArrayGrowsByAShareOfItsSize)
{
    CArray<int, int> arr;
    int moves = 0;
    const int* last = nullptr;
    for (int i = 0; i < 100000; ++i)
    {
        arr.Add(i);
        if (arr.GetData() != last)
        {
            ++moves;
            last = arr.GetData();
        }
    }
    EXPECT_LT(moves, 100); // not one move per thousand elements
    EXPECT_EQ(99999, arr[99999]);
    arr.SetSize(0, 10); // a fixed step when the caller asks for one
    for (int i = 0; i < 25; ++i)
        arr.Add(i);
    arr.FreeExtra();
    EXPECT_EQ(25, arr.GetSize());
}

TEST(CollectionTest, ArrayIndicesAreChecked)
{
    CArray<int, int> arr;
    arr.Add(1);
    ExpectThrows<CInvalidArgException>([&] { arr.GetAt(1); });
    ExpectThrows<CInvalidArgException>([&] { arr.SetAt(-1, 0); });
    ExpectThrows<CInvalidArgException>([&] { arr.RemoveAt(0, 2); });
    ExpectThrows<CInvalidArgException>([&] { arr.SetSize(-1); });
    EXPECT_EQ(1, arr.GetSize());
}

TEST(CollectionTest, ListMatchesStdListUnderRandomOperations)
{
    std::mt19937 rng(777);
    CList<int, int> list(7);
    std::list<int> ref;
    for (int step = 0; step < 3000; ++step)
    {
        int op = static_cast<int>(rng() % 8);
        int size = static_cast<int>(ref.size());
        int value = static_cast<int>(rng() % 100);
        switch (op)
        {
        case 0:
            list.AddHead(value);
            ref.push_front(value);
            break;
        case 1:
            list.AddTail(value);
            ref.push_back(value);
            break;
        case 2:
            if (size)
            {
                EXPECT_EQ(ref.front(), list.RemoveHead());
                ref.pop_front();
            }
            break;
        case 3:
            if (size)
            {
                EXPECT_EQ(ref.back(), list.RemoveTail());
                ref.pop_back();
            }
            break;
        case 4:
        case 5:
            if (size)
            {
                int idx = static_cast<int>(rng() % size);
                POSITION pos = list.FindIndex(idx);
                auto it = std::next(ref.begin(), idx);
                if (op == 4)
                {
                    list.InsertBefore(pos, value);
                    ref.insert(it, value);
                }
                else
                {
                    list.InsertAfter(pos, value);
                    ref.insert(std::next(it), value);
                }
            }
            break;
        case 6:
            if (size)
            {
                int idx = static_cast<int>(rng() % size);
                list.RemoveAt(list.FindIndex(idx));
                ref.erase(std::next(ref.begin(), idx));
            }
            break;
        case 7: {
            POSITION pos = list.Find(value);
            auto it = std::find(ref.begin(), ref.end(), value);
            if (it == ref.end())
                EXPECT_EQ(nullptr, pos);
            else
                EXPECT_EQ(list.FindIndex(std::distance(ref.begin(), it)), pos);
            break;
        }
        }
        ExpectSame(ref, list);
        if (HasFatalFailure())
            return;
    }
}

TEST(CollectionTest, ListAllocatesNodesInBlocksAndChecksPositions)
{
    CBlockCountingList list(10);
    for (int i = 0; i < 25; ++i)
        list.AddTail(i);
    EXPECT_EQ(3, list.Blocks());
    for (int i = 0; i < 10; ++i)
        list.RemoveHead();
    for (int i = 0; i < 10; ++i)
        list.AddTail(i); // reuses the freed nodes
    EXPECT_EQ(3, list.Blocks());
    list.RemoveAll();
    EXPECT_EQ(0, list.Blocks());
    ExpectThrows<CInvalidArgException>([&] { list.RemoveHead(); });
    ExpectThrows<CInvalidArgException>([&] { list.GetTail(); });
    ExpectThrows<CInvalidArgException>([&] { list.GetAt(nullptr); });
    EXPECT_EQ(nullptr, list.FindIndex(0));

    CPtrList ptrs;
    int a = 1, b = 2;
    ptrs.AddTail(&a);
    ptrs.AddTail(&b);
    ptrs.AddTail(&ptrs); // a list added to itself doubles once
    EXPECT_EQ(4, ptrs.GetCount());
    EXPECT_EQ(&b, ptrs.GetTail());
    CTypedPtrList<CPtrList, int*> typed;
    typed.AddTail(&a);
    EXPECT_EQ(1, *typed.GetHead());
}

TEST(CollectionTest, MapMatchesStdMapUnderRandomOperations)
{
    std::mt19937 rng(4242);
    CMap<int, int, int, int> map;
    map.InitHashTable(199);
    EXPECT_EQ(199u, map.GetHashTableSize());
    std::map<int, int> ref;
    for (int step = 0; step < 4000; ++step)
    {
        int key = static_cast<int>(rng() % 600) - 300;
        int value = static_cast<int>(rng());
        switch (rng() % 4)
        {
        case 0:
            map.SetAt(key, value);
            ref[key] = value;
            break;
        case 1:
            map[key] += 1;
            ref[key] += 1;
            break;
        case 2:
            EXPECT_EQ(ref.erase(key) == 1, map.RemoveKey(key) != FALSE);
            break;
        case 3: {
            int got = 0;
            BOOL found = map.Lookup(key, got);
            auto it = ref.find(key);
            ASSERT_EQ(it != ref.end(), found != FALSE);
            if (found)
            {
                ASSERT_EQ(it->second, got);
            }
            break;
        }
        }
        ASSERT_EQ(static_cast<INT_PTR>(ref.size()), map.GetCount());
    }
    std::map<int, int> seen;
    POSITION pos = map.GetStartPosition();
    while (pos)
    {
        int k, v;
        map.GetNextAssoc(pos, k, v);
        EXPECT_TRUE(seen.emplace(k, v).second) << "key visited twice: " << k;
    }
    EXPECT_EQ(ref, seen);
    // The table size is fixed once the map holds something.
    map.InitHashTable(7);
    EXPECT_EQ(199u, map.GetHashTableSize());
    map.RemoveAll();
    EXPECT_EQ(nullptr, map.GetStartPosition());
    map.InitHashTable(7);
    EXPECT_EQ(7u, map.GetHashTableSize());
}

TEST(CollectionTest, MapIteratesByBucketThenNewestFirst)
{
    CMap<UINT, UINT, int, int> map; // 17 buckets; the hash of an integer drops its low four bits
    EXPECT_EQ(17u, map.GetHashTableSize());
    const UINT keys[] = {0x10, 0x20, 0x110, 0x1};
    for (UINT k : keys)
        map[k] = 1;
    std::vector<UINT> order;
    POSITION pos = map.GetStartPosition();
    while (pos)
    {
        UINT k;
        int v;
        map.GetNextAssoc(pos, k, v);
        order.push_back(k);
    }
    // bucket 0: 0x1 (newer), 0x110; bucket 1: 0x10; bucket 2: 0x20
    EXPECT_EQ((std::vector<UINT>{0x1, 0x110, 0x10, 0x20}), order);
}

TEST(CollectionTest, StringAndPointerMapsMatchReferences)
{
    std::mt19937 rng(99);
    CMapStringToPtr smap;
    CMapPtrToPtr pmap;
    std::map<std::string, void*> sref;
    std::map<void*, void*> pref;
    static char storage[256];
    for (int step = 0; step < 2000; ++step)
    {
        std::string key = "k" + std::to_string(rng() % 150);
        void* pkey = storage + rng() % 256;
        void* value = storage + rng() % 256;
        if (rng() % 3)
        {
            smap.SetAt(key.c_str(), value);
            sref[key] = value;
            pmap[pkey] = value;
            pref[pkey] = value;
        }
        else
        {
            EXPECT_EQ(sref.erase(key) == 1, smap.RemoveKey(key.c_str()) != FALSE);
            EXPECT_EQ(pref.erase(pkey) == 1, pmap.RemoveKey(pkey) != FALSE);
        }
    }
    ASSERT_EQ(static_cast<INT_PTR>(sref.size()), smap.GetCount());
    for (const auto& kv : sref)
    {
        void* got = nullptr;
        ASSERT_TRUE(smap.Lookup(kv.first.c_str(), got));
        EXPECT_EQ(kv.second, got);
    }
    void* none = nullptr;
    smap.SetAt("k1", storage);
    EXPECT_FALSE(smap.Lookup("K1", none)) << "keys are case-sensitive";
    std::map<void*, void*> pseen;
    POSITION pos = pmap.GetStartPosition();
    while (pos)
    {
        void *k, *v;
        pmap.GetNextAssoc(pos, k, v);
        pseen[k] = v;
    }
    EXPECT_EQ(pref, pseen);
    CTypedPtrMap<CMapStringToPtr, CString, int*> typed;
    int x = 5;
    typed.SetAt("five", &x);
    int* got = nullptr;
    EXPECT_TRUE(typed.Lookup("five", got));
    EXPECT_EQ(&x, got);
}

TEST(CollectionTest, StringKeysAndElementsCompareByText)
{
    CMap<CString, const CString&, int, int> byString;
    CMap<CStringW, const CStringW&, int, int> byWide;
    CList<CString, const CString&> names;
    const char* words[] = {"alpha", "beta", "gamma", "alpha"};
    for (const char* w : words)
    {
        byString[CString(w)] += 1;
        byWide[CStringW(w)] += 1;
        names.AddTail(CString(w));
    }
    int n = 0;
    EXPECT_TRUE(byString.Lookup(CString("alpha"), n));
    EXPECT_EQ(2, n);
    EXPECT_TRUE(byWide.Lookup(CStringW(L"gamma"), n));
    EXPECT_EQ(1, n);
    EXPECT_FALSE(byString.Lookup(CString("ALPHA"), n));
    EXPECT_EQ(3, byString.GetCount());
    POSITION first = names.Find(CString("alpha"));
    EXPECT_EQ(names.GetHeadPosition(), first);
    EXPECT_EQ(names.FindIndex(3), names.Find(CString("alpha"), first));
    EXPECT_EQ(nullptr, names.Find(CString("delta")));
    // PLookup gives the stored pair.
    auto* pair = byString.PLookup(CString("beta"));
    ASSERT_NE(nullptr, pair);
    EXPECT_STREQ("beta", pair->key);
    pair->value = 7;
    EXPECT_EQ(7, byString[CString("beta")]);

    CTypedPtrArray<CPtrArray, CString*> typed;
    CString a("a"), b("b");
    typed.Add(&a);
    typed.InsertAt(0, &b);
    EXPECT_EQ(&b, typed[0]);
    EXPECT_STREQ("a", *typed.GetAt(1));
}

TEST(CollectionTest, CollectionsSerialiseInTheClassicLayout)
{
    CDWordArray dwords;
    dwords.Add(1);
    dwords.Add(0xA0B0C0D0);
    std::vector<BYTE> bytes = StoreBytes([&](CArchive& ar) { dwords.Serialize(ar); });
    EXPECT_EQ((std::vector<BYTE>{2, 0, 1, 0, 0, 0, 0xD0, 0xC0, 0xB0, 0xA0}), bytes);

    CStringArray strings;
    strings.Add("a");
    strings.Add(CString('b', 300));
    CMapStringToString smap;
    smap["key"] = "value";
    smap["other"] = "";
    CObList objects;
    auto* item = new CCollTestItem;
    item->m_n = 9;
    objects.AddTail(item);
    objects.AddTail(item); // the same object twice
    objects.AddTail(static_cast<CObject*>(nullptr));
    bytes = StoreBytes([&](CArchive& ar) {
        strings.Serialize(ar);
        smap.Serialize(ar);
        objects.Serialize(ar);
    });
    delete item;
    LoadBytes(bytes, [](CArchive& ar) {
        CStringArray s2;
        s2.Serialize(ar);
        ASSERT_EQ(2, s2.GetSize());
        EXPECT_EQ(300, s2[1].GetLength());
        CMapStringToString m2;
        m2.Serialize(ar);
        CString v;
        EXPECT_TRUE(m2.Lookup("key", v));
        EXPECT_STREQ("value", v);
        EXPECT_TRUE(m2.Lookup("other", v));
        EXPECT_TRUE(v.IsEmpty());
        CObList o2;
        o2.Serialize(ar);
        ASSERT_EQ(3, o2.GetCount());
        CObject* first = o2.GetHead();
        POSITION pos = o2.FindIndex(1);
        EXPECT_EQ(first, o2.GetAt(pos));
        EXPECT_EQ(nullptr, o2.GetTail());
        EXPECT_EQ(9, static_cast<CCollTestItem*>(first)->m_n);
        delete first;
    });
    // A damaged count larger than the data ends with endOfFile, not with a huge allocation.
    std::vector<BYTE> damaged = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 0, 0};
    ExpectThrows<CArchiveException>([&] {
        LoadBytes(damaged, [](CArchive& ar) {
            CDWordArray d;
            d.Serialize(ar);
        });
    });
    // Untyped pointers cannot be stored.
    CPtrArray ptrs;
    ptrs.Add(&ptrs);
    ExpectThrows<CNotSupportedException>([&] { StoreBytes([&](CArchive& ar) { ptrs.Serialize(ar); }); });
}
