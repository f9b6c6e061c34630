#include "foundation/DravikMap.h"

#include <cstdint>
#include <cstring>
#include <new>

CDravikMap::CDravikMap() : m_buckets(nullptr), m_bucketArrayBytes(0), m_bucketCount(kDefaultBucketCount)
{
    // List-level removals (Remove, RemoveHead, RemoveValue, iterators ...) unlink the index entry too.
    SetElementRemovedHook(&CDravikMap::OnElementRemoved);
}

CDravikMap::~CDravikMap()
{
    ClearIndex();
    CDravikList::RemoveAll();
    delete[] m_buckets;
    m_buckets = nullptr;
    m_bucketArrayBytes = 0;
    // The list's destructor runs after this object is gone: it must not call back into it.
    SetElementRemovedHook(nullptr);
}

int CDravikMap::BucketOf(unsigned int keyLow, int bucketCount)
{
    if (bucketCount < 1)
        return 0;
    // Unsigned magnitude: the low word -2147483648 counts as 2147483648 without overflow.
    unsigned int magnitude = (keyLow & 0x80000000u) ? 0u - keyLow : keyLow;
    return static_cast<int>(magnitude % static_cast<unsigned int>(bucketCount));
}

unsigned long long CDravikMap::KeyOf(CDravikString key, bool ignoreCase)
{
    if (ignoreCase)
        key.MakeUpper();
    return key.GetHash64();
}

void CDravikMap::OnElementRemoved(CDravikList* list, CDravikListElement* element)
{
    CDravikMapElement* entry = static_cast<CDravikMapElement*>(element->m_pIndexEntry);
    if (!entry)
        return;
    static_cast<CDravikMap*>(list)->UnlinkEntry(entry);
    element->m_pIndexEntry = nullptr;
    delete entry;
}

void CDravikMap::UnlinkEntry(CDravikMapElement* entry)
{
    if (!m_buckets)
        return;
    CDravikMapElement** link = &m_buckets[BucketOf(entry->m_keyLow, m_bucketCount)];
    while (*link)
    {
        if (*link == entry)
        {
            *link = entry->m_pNext;
            entry->m_pNext = nullptr;
            return;
        }
        link = &(*link)->m_pNext;
    }
}

void CDravikMap::ClearIndex()
{
    if (!m_buckets)
        return;
    for (int i = 0; i < m_bucketCount; ++i)
    {
        CDravikMapElement* entry = m_buckets[i];
        while (entry)
        {
            CDravikMapElement* next = entry->m_pNext;
            if (entry->m_pElement)
                entry->m_pElement->m_pIndexEntry = nullptr;
            delete entry;
            entry = next;
        }
        m_buckets[i] = nullptr;
    }
}

bool CDravikMap::CreateBuckets()
{
    if (m_buckets)
    {
        ClearIndex();
        delete[] m_buckets;
        m_buckets = nullptr;
        m_bucketArrayBytes = 0;
    }
    if (m_bucketCount < 1 || static_cast<size_t>(m_bucketCount) > SIZE_MAX / sizeof(CDravikMapElement*))
        return false;
    m_buckets = new (std::nothrow) CDravikMapElement*[static_cast<size_t>(m_bucketCount)];
    if (!m_buckets)
        return false;
    memset(m_buckets, 0, static_cast<size_t>(m_bucketCount) * sizeof(CDravikMapElement*));
    m_bucketArrayBytes = static_cast<size_t>(m_bucketCount) * sizeof(CDravikMapElement*);
    return true;
}

CDravikMapElement* CDravikMap::FindEntry(unsigned int keyLow, unsigned int keyHigh) const
{
    if (!m_buckets)
        return nullptr;
    for (CDravikMapElement* entry = m_buckets[BucketOf(keyLow, m_bucketCount)]; entry; entry = entry->m_pNext)
    {
        if (entry->m_keyLow == keyLow && entry->m_keyHigh == keyHigh)
            return entry;
    }
    return nullptr;
}

bool CDravikMap::AddHashed(unsigned int keyLow, unsigned int keyHigh, void* value)
{
    if (!m_buckets && !CreateBuckets())
        return false;
    CDravikMapElement* entry = new (std::nothrow) CDravikMapElement;
    if (!entry)
        return false;
    if (!AddValue(value))
    {
        delete entry;
        return false;
    }
    CDravikListElement* element = GetTail();
    int bucket = BucketOf(keyLow, m_bucketCount);
    entry->m_pElement = element;
    entry->m_keyLow = keyLow;
    entry->m_keyHigh = keyHigh;
    entry->m_pNext = m_buckets[bucket];
    m_buckets[bucket] = entry;
    element->m_pIndexEntry = entry;
    return true;
}

bool CDravikMap::SetAt(CDravikString key, void* value, bool ignoreCase)
{
    unsigned long long hash = KeyOf(key, ignoreCase);
    return AddHashed(static_cast<unsigned int>(hash), static_cast<unsigned int>(hash >> 32), value);
}

void* CDravikMap::LookupHashed(unsigned int keyLow, unsigned int keyHigh) const
{
    CDravikMapElement* entry = FindEntry(keyLow, keyHigh);
    return entry ? entry->m_pElement->m_pData : nullptr;
}

void* CDravikMap::Lookup(CDravikString key, bool ignoreCase)
{
    unsigned long long hash = KeyOf(key, ignoreCase);
    return LookupHashed(static_cast<unsigned int>(hash), static_cast<unsigned int>(hash >> 32));
}

bool CDravikMap::RemoveHashed(unsigned int keyLow, unsigned int keyHigh)
{
    CDravikMapElement* entry = FindEntry(keyLow, keyHigh);
    if (!entry)
        return false;
    // Removes exactly the element that the entry holds (not the first equal value); the removal hook
    // unlinks and deletes the entry.
    return RemoveElement(entry->m_pElement, true);
}

bool CDravikMap::RemoveKey(CDravikString key, bool ignoreCase)
{
    unsigned long long hash = KeyOf(key, ignoreCase);
    return RemoveHashed(static_cast<unsigned int>(hash), static_cast<unsigned int>(hash >> 32));
}

int CDravikMap::GetBucketCount() const
{
    return m_bucketCount;
}

bool CDravikMap::SetBucketCount(int count)
{
    if (count < 1)
        return false;
    if (!m_buckets)
    {
        m_bucketCount = count;
        return true;
    }
    if (static_cast<size_t>(count) > SIZE_MAX / sizeof(CDravikMapElement*))
        return false;
    CDravikMapElement** buckets = new (std::nothrow) CDravikMapElement*[static_cast<size_t>(count)];
    if (!buckets)
        return false;
    memset(buckets, 0, static_cast<size_t>(count) * sizeof(CDravikMapElement*));
    // Re-index oldest first so that, within a key, the newest entry ends up in front again.
    for (CDravikListElement* element = GetHead(); element; element = element->m_pNext)
    {
        CDravikMapElement* entry = static_cast<CDravikMapElement*>(element->m_pIndexEntry);
        if (!entry)
            continue;
        int bucket = BucketOf(entry->m_keyLow, count);
        entry->m_pNext = buckets[bucket];
        buckets[bucket] = entry;
    }
    delete[] m_buckets;
    m_buckets = buckets;
    m_bucketCount = count;
    m_bucketArrayBytes = static_cast<size_t>(count) * sizeof(CDravikMapElement*);
    return true;
}

bool CDravikMap::RemoveAll()
{
    ClearIndex();
    return CDravikList::RemoveAll();
}

bool CDravikMap::DestroyAll()
{
    // Without a handler nothing is destroyed, so the index must stay as it is.
    if (!HasTypeHandler() || GetCount() == 0)
        return false;
    ClearIndex();
    return CDravikList::DestroyAll();
}

bool CDravikMap::Swap(const void* a, const void* b)
{
    CDravikListElement* first = Find(a);
    CDravikListElement* second = Find(b);
    if (!CDravikList::Swap(a, b))
        return false;
    // The keys follow their values to the other element.
    void* entry = first->m_pIndexEntry;
    first->m_pIndexEntry = second->m_pIndexEntry;
    second->m_pIndexEntry = entry;
    if (first->m_pIndexEntry)
        static_cast<CDravikMapElement*>(first->m_pIndexEntry)->m_pElement = first;
    if (second->m_pIndexEntry)
        static_cast<CDravikMapElement*>(second->m_pIndexEntry)->m_pElement = second;
    return true;
}
