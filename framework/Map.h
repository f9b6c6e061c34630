// CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>: a hash map with chained buckets. The bucket table has 17
// entries unless InitHashTable sets another size (before the first insertion); associations come
// from blocks of nBlockSize. Iteration (GetStartPosition / GetNextAssoc) visits buckets in order and
// within a bucket the most recently added key first.
#pragma once

#include "framework/CollectionHelpers.h"

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE> class CMap : public CObject
{
public:
    // A key and its value, as PLookup returns them.
    struct CPair
    {
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

protected:
    struct CAssoc : CPair
    {
        explicit CAssoc(ARG_KEY keyval) : CPair(keyval) {}
        CAssoc* pNext = nullptr;
        UINT nHashValue = 0;
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10) : m_pool(nBlockSize) {}
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    const CPair* PLookup(ARG_KEY key) const { return GetAssocAt(key, nullptr); }
    CPair* PLookup(ARG_KEY key) { return GetAssocAt(key, nullptr); }
    // The value of key, added (value-initialised) when absent.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const;
    // Key and value at rNextPosition; rNextPosition moves on, null after the last association.
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the bucket count; only while the map is empty (else the map is left as it is).
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

    void Serialize(CArchive& ar) override;

protected:
    CAssoc* GetAssocAt(ARG_KEY key, UINT* pnHash) const;
    static POSITION Pos(CAssoc* p) { return reinterpret_cast<POSITION>(p); }

    std::vector<CAssoc*> m_pHashTable;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    CCollectionNodePool<CAssoc> m_pool;
};

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow)
{
    if (m_nCount != 0 || hashSize == 0)
        return;
    m_pHashTable.clear();
    m_nHashTableSize = hashSize;
    if (bAllocNow)
        m_pHashTable.assign(hashSize, nullptr);
}

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(
    ARG_KEY key, UINT* pnHash) const
{
    UINT nHash = HashKey<ARG_KEY>(key) % m_nHashTableSize;
    if (pnHash)
        *pnHash = nHash;
    if (m_pHashTable.empty())
        return nullptr;
    for (CAssoc* p = m_pHashTable[nHash]; p; p = p->pNext)
        if (p->nHashValue == nHash && CompareElements<KEY, ARG_KEY>(&p->key, &key))
            return p;
    return nullptr;
}

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    CAssoc* p = GetAssocAt(key, nullptr);
    if (!p)
        return FALSE;
    rValue = p->value;
    return TRUE;
}

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nHash;
    CAssoc* p = GetAssocAt(key, &nHash);
    if (p)
        return p->value;
    if (m_pHashTable.empty())
        m_pHashTable.assign(m_nHashTableSize, nullptr);
    void* mem = m_pool.Take();
    try
    {
        p = new (mem) CAssoc(key);
    }
    catch (...)
    {
        m_pool.Give(mem);
        throw;
    }
    p->nHashValue = nHash;
    p->pNext = m_pHashTable[nHash];
    m_pHashTable[nHash] = p;
    ++m_nCount;
    return p->value;
}

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable.empty())
        return FALSE;
    UINT nHash = HashKey<ARG_KEY>(key) % m_nHashTableSize;
    for (CAssoc** pp = &m_pHashTable[nHash]; *pp; pp = &(*pp)->pNext)
    {
        CAssoc* p = *pp;
        if (CompareElements<KEY, ARG_KEY>(&p->key, &key))
        {
            *pp = p->pNext;
            p->~CAssoc();
            m_pool.Give(p);
            if (--m_nCount == 0)
                RemoveAll(); // the last association: give the blocks back
            return TRUE;
        }
    }
    return FALSE;
}

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    for (CAssoc*& head : m_pHashTable)
    {
        for (CAssoc* p = head; p;)
        {
            CAssoc* next = p->pNext;
            p->~CAssoc();
            p = next;
        }
        head = nullptr;
    }
    m_pHashTable.clear();
    m_nCount = 0;
    m_pool.FreeAll();
}

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
POSITION CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetStartPosition() const
{
    for (CAssoc* head : m_pHashTable)
        if (head)
            return Pos(head);
    return nullptr;
}

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey,
                                                        VALUE& rValue) const
{
    if (!rNextPosition || rNextPosition == BEFORE_START_POSITION)
        AfxThrowInvalidArgException();
    CAssoc* p = reinterpret_cast<CAssoc*>(rNextPosition);
    rKey = p->key;
    rValue = p->value;
    CAssoc* next = p->pNext;
    for (UINT b = p->nHashValue + 1; !next && b < m_pHashTable.size(); ++b)
        next = m_pHashTable[b];
    rNextPosition = Pos(next);
}

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
        for (CAssoc* head : m_pHashTable)
        {
            for (CAssoc* p = head; p; p = p->pNext)
            {
                SerializeElements<KEY>(ar, const_cast<KEY*>(&p->key), 1);
                SerializeElements<VALUE>(ar, &p->value, 1);
            }
        }
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    for (DWORD_PTR i = 0; i < nCount; ++i)
    {
        KEY key{};
        VALUE value{};
        SerializeElements<KEY>(ar, &key, 1);
        SerializeElements<VALUE>(ar, &value, 1);
        SetAt(key, value);
    }
}
