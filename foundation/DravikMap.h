// CDravikMap: a CDravikList whose values can also be found by a 64-bit key (the hash of a
// CDravikString, or two 32-bit words), through a bucket index of CDravikMapElement entries.
#pragma once

#include "foundation/DravikList.h"
#include "foundation/DravikString.h"

#include <cstddef>

class CDravikMapElement
{
public:
    CDravikMapElement() : m_pNext(nullptr), m_pElement(nullptr), m_keyLow(0), m_keyHigh(0) {}
    virtual ~CDravikMapElement() {}

    CDravikMapElement* m_pNext;     // next entry in the same bucket
    CDravikListElement* m_pElement; // the list element that holds the value
    unsigned int m_keyLow;
    unsigned int m_keyHigh;
};

class CDravikMap : public CDravikList
{
public:
    static constexpr int kDefaultBucketCount = 10009;

    CDravikMap();
    ~CDravikMap() override;

    bool RemoveAll() override;
    bool DestroyAll() override;
    bool Swap(const void* a, const void* b) override;

    using CDravikList::SetAt;
    // Adds value under the hash of key (upper-cased first when ignoreCase). An existing key is not
    // replaced: the newer value hides the older one until it is removed.
    virtual bool SetAt(CDravikString key, void* value, bool ignoreCase = false);
    virtual bool AddHashed(unsigned int keyLow, unsigned int keyHigh, void* value);
    virtual bool RemoveKey(CDravikString key, bool ignoreCase = false);
    virtual bool RemoveHashed(unsigned int keyLow, unsigned int keyHigh);
    virtual void* Lookup(CDravikString key, bool ignoreCase = false);
    virtual void* LookupHashed(unsigned int keyLow, unsigned int keyHigh) const;
    virtual int GetBucketCount() const;
    // Counts below 1 are refused. Once the bucket array exists, the index is rebuilt for the new count.
    virtual bool SetBucketCount(int count);

    // Bucket of a key: the magnitude of the low word taken as signed, modulo the bucket count.
    static int BucketOf(unsigned int keyLow, int bucketCount);
    // The 64-bit key of a string as SetAt, Lookup and RemoveKey compute it.
    static unsigned long long KeyOf(CDravikString key, bool ignoreCase);
    bool HasBucketArray() const { return m_buckets != nullptr; }

private:
    static void OnElementRemoved(CDravikList* list, CDravikListElement* element);
    bool CreateBuckets();
    void ClearIndex();
    void UnlinkEntry(CDravikMapElement* entry);
    CDravikMapElement* FindEntry(unsigned int keyLow, unsigned int keyHigh) const;

    CDravikMapElement** m_buckets;
    size_t m_bucketArrayBytes;
    int m_bucketCount;
};
