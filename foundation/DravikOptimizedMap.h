// CDravikOptimizedMap: maps a pair of signed 32-bit integers to an untyped data pointer, in a growing
// hash table that also keeps insertion order (the order of iteration). Entries can be released onto a
// free list and re-used for a new filling.
#pragma once

class CDravikOptimizedMap
{
public:
    static constexpr int kDefaultBucketCount = 1009;

    CDravikOptimizedMap();
    virtual ~CDravikOptimizedMap();

    // Deletes every entry, live or released (not the data); the bucket array stays.
    virtual bool RemoveAll();
    // Store a heap copy of the value; DeleteValue and DeleteAllValues free such copies. Data blocks
    // that those two free must come from ::operator new.
    virtual bool SetIntValue(int key1, int key2, const int* value);
    virtual bool SetInt64Value(int key1, int key2, const long long* value);
    virtual bool DeleteAllValues();
    virtual bool DeleteValue(int key1, int key2);
    virtual bool Insert(int key1, int key2, void* data);
    virtual bool Remove(int key1, int key2);
    virtual void* Lookup(int key1, int key2) const;
    virtual bool GetCurrentKey(int& key1, int& key2) const;
    // Moves every live entry onto the free list; the entry count keeps them until FreeReleased.
    virtual bool ReleaseAll();
    // Insert that takes an entry from the free list when there is one.
    virtual bool InsertReusing(int key1, int key2, void* data);
    // Deletes the released entries that were not re-used and takes them off the entry count.
    virtual bool FreeReleased();
    virtual bool InitBuckets(int count);

    void* GetFirst();
    void* GetNext();
    bool EndIteration();

    // Live entries plus released entries not yet freed.
    int GetCount() const { return m_count; }
    int GetReleasedCount() const { return m_releasedCount; }
    int GetBucketCount() const { return m_bucketCount; }
    // 0 when the last value stored through the map was a 32-bit copy, 1 for a 64-bit copy.
    unsigned char GetValueKind() const { return m_valueKind; }

    // Bucket of a pair: the magnitude of key1 taken as signed, modulo the bucket count.
    static int BucketOf(int key1, int bucketCount);
    // The bucket count that follows count when the table grows: the next prime above twice count.
    static int NextBucketCount(int count);

private:
    struct Entry
    {
        int key1;
        int key2;
        void* data;
        Entry* bucketNext;
        Entry* orderPrev;
        Entry* orderNext;
    };

    CDravikOptimizedMap(const CDravikOptimizedMap&) = delete;
    CDravikOptimizedMap& operator=(const CDravikOptimizedMap&) = delete;

    Entry* FindEntry(int key1, int key2) const;
    void Link(Entry* entry, int key1, int key2, void* data);
    bool Grow();
    void FreeReleasedEntries();

    Entry** m_buckets;
    int m_bucketCount;
    int m_count;
    Entry* m_cursor;
    unsigned char m_valueKind;
    Entry* m_first;
    Entry* m_last;
    // The free list is kept apart from the cursor, so that iterating, removing or inserting between
    // ReleaseAll and FreeReleased neither loses released entries nor miscounts.
    Entry* m_released;
    int m_releasedCount;
};
