#include "foundation/DravikOptimizedMap.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <new>

CDravikOptimizedMap::CDravikOptimizedMap()
    : m_buckets(nullptr), m_bucketCount(0), m_count(0), m_cursor(nullptr), m_valueKind(0), m_first(nullptr),
      m_last(nullptr), m_released(nullptr), m_releasedCount(0)
{
    InitBuckets(kDefaultBucketCount);
}

CDravikOptimizedMap::~CDravikOptimizedMap()
{
    RemoveAll();
    FreeReleasedEntries();
    delete[] m_buckets;
    m_buckets = nullptr;
}

int CDravikOptimizedMap::BucketOf(int key1, int bucketCount)
{
    if (bucketCount < 1)
        return 0;
    // Unsigned magnitude: INT_MIN counts as 2147483648 without signed overflow.
    unsigned int magnitude =
        key1 < 0 ? 0u - static_cast<unsigned int>(key1) : static_cast<unsigned int>(key1);
    return static_cast<int>(magnitude % static_cast<unsigned int>(bucketCount));
}

int CDravikOptimizedMap::NextBucketCount(int count)
{
    if (count < 1 || count > (INT_MAX - 3) / 2)
        return 0;
    for (int candidate = 2 * count + 1; candidate > 0 && candidate < INT_MAX; candidate += 2)
    {
        bool prime = true;
        for (int divisor = 3; static_cast<long long>(divisor) * divisor <= candidate; divisor += 2)
        {
            if (candidate % divisor == 0)
            {
                prime = false;
                break;
            }
        }
        if (prime)
            return candidate;
    }
    return 0;
}

void CDravikOptimizedMap::FreeReleasedEntries()
{
    while (m_released)
    {
        Entry* next = m_released->bucketNext;
        delete m_released;
        m_released = next;
    }
    m_releasedCount = 0;
}

bool CDravikOptimizedMap::InitBuckets(int count)
{
    if (count < 2)
        return false;
    RemoveAll();
    FreeReleasedEntries();
    delete[] m_buckets;
    m_buckets = nullptr;
    m_bucketCount = count;
    m_count = 0;
    m_cursor = nullptr;
    if (static_cast<size_t>(count) > SIZE_MAX / sizeof(Entry*))
        return false;
    m_buckets = new (std::nothrow) Entry*[static_cast<size_t>(count)];
    if (!m_buckets)
        return false;
    memset(m_buckets, 0, static_cast<size_t>(count) * sizeof(Entry*));
    return true;
}

bool CDravikOptimizedMap::RemoveAll()
{
    if (!m_buckets || m_bucketCount < 1)
        return false;
    Entry* entry = m_first;
    while (entry)
    {
        Entry* next = entry->orderNext;
        delete entry;
        entry = next;
    }
    FreeReleasedEntries();
    memset(m_buckets, 0, static_cast<size_t>(m_bucketCount) * sizeof(Entry*));
    m_count = 0;
    m_first = m_last = m_cursor = nullptr;
    return true;
}

CDravikOptimizedMap::Entry* CDravikOptimizedMap::FindEntry(int key1, int key2) const
{
    if (!m_buckets)
        return nullptr;
    for (Entry* entry = m_buckets[BucketOf(key1, m_bucketCount)]; entry; entry = entry->bucketNext)
    {
        if (entry->key1 == key1 && entry->key2 == key2)
            return entry;
    }
    return nullptr;
}

void CDravikOptimizedMap::Link(Entry* entry, int key1, int key2, void* data)
{
    entry->key1 = key1;
    entry->key2 = key2;
    entry->data = data;
    int bucket = BucketOf(key1, m_bucketCount);
    entry->bucketNext = m_buckets[bucket];
    m_buckets[bucket] = entry;
    entry->orderPrev = m_last;
    entry->orderNext = nullptr;
    if (m_last)
        m_last->orderNext = entry;
    else
        m_first = entry;
    m_last = entry;
}

bool CDravikOptimizedMap::Insert(int key1, int key2, void* data)
{
    if (!data || !m_buckets)
        return false;
    Entry* entry = new (std::nothrow) Entry;
    if (!entry)
        return false;
    Link(entry, key1, key2, data);
    ++m_count;
    // Released entries are not in the table: only live ones count towards growing.
    if (m_count - m_releasedCount > 2 * m_bucketCount)
        Grow();
    return true;
}

bool CDravikOptimizedMap::InsertReusing(int key1, int key2, void* data)
{
    if (!m_released)
        return Insert(key1, key2, data);
    if (!data || !m_buckets)
        return false;
    Entry* entry = m_released;
    m_released = entry->bucketNext;
    --m_releasedCount;
    Link(entry, key1, key2, data);
    return true;
}

bool CDravikOptimizedMap::Grow()
{
    m_cursor = nullptr;
    int count = NextBucketCount(m_bucketCount);
    if (count <= 0 || static_cast<size_t>(count) > SIZE_MAX / sizeof(Entry*))
        return false;
    Entry** buckets = new (std::nothrow) Entry*[static_cast<size_t>(count)];
    if (!buckets)
        return false;
    memset(buckets, 0, static_cast<size_t>(count) * sizeof(Entry*));
    // Re-link in insertion order, each to the front of its new bucket, so that within a bucket the
    // newest entry stays in front and a repeated pair keeps hiding the older one.
    for (Entry* entry = m_first; entry; entry = entry->orderNext)
    {
        int bucket = BucketOf(entry->key1, count);
        entry->bucketNext = buckets[bucket];
        buckets[bucket] = entry;
    }
    delete[] m_buckets;
    m_buckets = buckets;
    m_bucketCount = count;
    return true;
}

void* CDravikOptimizedMap::Lookup(int key1, int key2) const
{
    Entry* entry = FindEntry(key1, key2);
    return entry ? entry->data : nullptr;
}

bool CDravikOptimizedMap::Remove(int key1, int key2)
{
    if (!m_buckets)
        return false;
    Entry** link = &m_buckets[BucketOf(key1, m_bucketCount)];
    while (*link && !((*link)->key1 == key1 && (*link)->key2 == key2))
        link = &(*link)->bucketNext;
    Entry* entry = *link;
    if (!entry)
        return false;
    *link = entry->bucketNext;
    if (entry->orderPrev)
        entry->orderPrev->orderNext = entry->orderNext;
    else
        m_first = entry->orderNext;
    if (entry->orderNext)
        entry->orderNext->orderPrev = entry->orderPrev;
    else
        m_last = entry->orderPrev;
    delete entry;
    --m_count;
    m_cursor = nullptr;
    return true;
}

bool CDravikOptimizedMap::DeleteValue(int key1, int key2)
{
    void* data = Lookup(key1, key2);
    if (!data)
        return false;
    Remove(key1, key2);
    ::operator delete(data);
    return true;
}

bool CDravikOptimizedMap::SetIntValue(int key1, int key2, const int* value)
{
    if (!value)
        return false;
    int* copy = static_cast<int*>(::operator new(sizeof(int), std::nothrow));
    if (!copy)
        return false;
    *copy = *value;
    if (!Insert(key1, key2, copy))
    {
        ::operator delete(copy);
        return false;
    }
    m_valueKind = 0;
    return true;
}

bool CDravikOptimizedMap::SetInt64Value(int key1, int key2, const long long* value)
{
    if (!value)
        return false;
    long long* copy = static_cast<long long*>(::operator new(sizeof(long long), std::nothrow));
    if (!copy)
        return false;
    *copy = *value;
    if (!Insert(key1, key2, copy))
    {
        ::operator delete(copy);
        return false;
    }
    m_valueKind = 1;
    return true;
}

bool CDravikOptimizedMap::DeleteAllValues()
{
    if (!m_first)
        return false;
    for (Entry* entry = m_first; entry && entry->data; entry = entry->orderNext)
    {
        ::operator delete(entry->data);
        entry->data = nullptr;
    }
    return RemoveAll();
}

void* CDravikOptimizedMap::GetFirst()
{
    m_cursor = m_first;
    return m_cursor ? m_cursor->data : nullptr;
}

void* CDravikOptimizedMap::GetNext()
{
    m_cursor = m_cursor ? m_cursor->orderNext : nullptr;
    return m_cursor ? m_cursor->data : nullptr;
}

bool CDravikOptimizedMap::EndIteration()
{
    m_cursor = nullptr;
    return true;
}

bool CDravikOptimizedMap::GetCurrentKey(int& key1, int& key2) const
{
    if (!m_cursor)
        return false;
    key1 = m_cursor->key1;
    key2 = m_cursor->key2;
    return true;
}

bool CDravikOptimizedMap::ReleaseAll()
{
    if (!m_buckets)
        return false;
    // Oldest entry first on the free list.
    Entry* entry = m_last;
    while (entry)
    {
        Entry* prev = entry->orderPrev;
        entry->bucketNext = m_released;
        entry->orderPrev = entry->orderNext = nullptr;
        entry->data = nullptr;
        m_released = entry;
        ++m_releasedCount;
        entry = prev;
    }
    memset(m_buckets, 0, static_cast<size_t>(m_bucketCount) * sizeof(Entry*));
    m_first = m_last = nullptr;
    m_cursor = nullptr;
    return true;
}

bool CDravikOptimizedMap::FreeReleased()
{
    if (m_count < 1 && !m_released)
        return false;
    int freed = m_releasedCount;
    FreeReleasedEntries();
    m_count -= freed;
    if (m_count < 0)
        m_count = 0;
    return true;
}
