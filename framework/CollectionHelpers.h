// Shared pieces of the collection templates (CArray, CList, CMap): the iteration handle, element
// serialisation, key hashing and comparison, and the block allocator for list and map nodes.
#pragma once

#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/FrameworkString.h"
#include "framework/Object.h"

#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

// Opaque iteration handle of lists and maps; null means "no (more) elements".
struct __POSITION
{
};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

// Element serialisation: plain-data elements as their bytes (the classic collection format),
// strings as archive strings, CObject pointers as archive objects. Untyped pointers cannot be stored.
template <typename TYPE> void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    if constexpr (std::is_same<TYPE, CString>::value || std::is_same<TYPE, CStringW>::value)
    {
        for (INT_PTR i = 0; i < nCount; ++i)
        {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        }
    }
    else if constexpr (std::is_pointer<TYPE>::value &&
                       std::is_base_of<CObject, typename std::remove_pointer<TYPE>::type>::value)
    {
        for (INT_PTR i = 0; i < nCount; ++i)
        {
            if (ar.IsStoring())
                ar.WriteObject(pElements[i]);
            else
                pElements[i] = static_cast<TYPE>(ar.ReadObject(RUNTIME_CLASS(CObject)));
        }
    }
    else if constexpr (std::is_pointer<TYPE>::value)
    {
        AfxThrowNotSupportedException(); // a raw address means nothing in another process
    }
    else
    {
        static_assert(std::is_trivially_copyable<TYPE>::value,
                      "give this element type its own SerializeElements overload");
        // In pieces, so that a damaged count cannot overflow the byte count.
        const INT_PTR perChunk = static_cast<INT_PTR>(0x10000000 / sizeof(TYPE)) + 1;
        for (INT_PTR done = 0; done < nCount;)
        {
            INT_PTR n = nCount - done < perChunk ? nCount - done : perChunk;
            UINT bytes = static_cast<UINT>(static_cast<size_t>(n) * sizeof(TYPE));
            if (ar.IsStoring())
                ar.Write(pElements + done, bytes);
            else
                ar.EnsureRead(pElements + done, bytes);
            done += n;
        }
    }
}

template <typename TYPE, typename ARG_TYPE>
BOOL CompareElements(const TYPE* pElement1, const typename std::remove_reference<ARG_TYPE>::type* pElement2)
{
    return *pElement1 == *pElement2;
}

// Bucket hash of a key. Integers and pointers use their value without the low four bits (which are
// mostly zero for addresses); strings mix every character.
template <typename ARG_KEY> inline UINT HashKey(ARG_KEY key)
{
    if constexpr (std::is_pointer<ARG_KEY>::value)
        return static_cast<UINT>(reinterpret_cast<DWORD_PTR>(key) >> 4);
    else if constexpr (sizeof(ARG_KEY) > 4)
    {
        ULONGLONG v = static_cast<ULONGLONG>(key);
        return static_cast<UINT>(((v >> 32) ^ v) >> 4);
    }
    else
        return static_cast<UINT>(static_cast<DWORD_PTR>(key) >> 4);
}

inline UINT HashString(const char* key)
{
    UINT nHash = 0;
    if (key)
        while (*key)
            nHash = (nHash << 5) + nHash + static_cast<BYTE>(*key++);
    return nHash;
}

inline UINT HashString(const wchar_t* key)
{
    UINT nHash = 0;
    if (key)
        while (*key)
            nHash = (nHash << 5) + nHash + static_cast<UINT>(*key++);
    return nHash;
}

template <> inline UINT HashKey<LPCSTR>(LPCSTR key)
{
    return HashString(key);
}
template <> inline UINT HashKey<LPSTR>(LPSTR key)
{
    return HashString(key);
}
template <> inline UINT HashKey<LPCWSTR>(LPCWSTR key)
{
    return HashString(key);
}
template <> inline UINT HashKey<const CString&>(const CString& key)
{
    return HashString(key.GetString());
}
template <> inline UINT HashKey<CString>(CString key)
{
    return HashString(key.GetString());
}
template <> inline UINT HashKey<const CStringW&>(const CStringW& key)
{
    return HashString(key.GetString());
}
template <> inline UINT HashKey<CStringW>(CStringW key)
{
    return HashString(key.GetString());
}

// Allocates nodes in blocks of a fixed count and recycles freed nodes. Memory goes back to the
// system only in FreeAll (when the collection is emptied), as callers that size blocks expect.
template <typename NODE> class CCollectionNodePool
{
public:
    explicit CCollectionNodePool(INT_PTR nBlockSize) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CCollectionNodePool() { FreeAll(); }
    CCollectionNodePool(const CCollectionNodePool&) = delete;
    CCollectionNodePool& operator=(const CCollectionNodePool&) = delete;

    // Raw storage for one node (not constructed).
    void* Take()
    {
        if (!m_pFree)
        {
            void* block = std::malloc(sizeof(Slot) * static_cast<size_t>(m_nBlockSize));
            if (!block)
                AfxThrowMemoryException();
            try
            {
                m_blocks.push_back(block);
            }
            catch (...)
            {
                std::free(block);
                throw;
            }
            Slot* slots = static_cast<Slot*>(block);
            for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i)
            {
                slots[i].next = m_pFree;
                m_pFree = &slots[i];
            }
        }
        Slot* s = m_pFree;
        m_pFree = s->next;
        return s;
    }
    // Returns the storage of a destroyed node.
    void Give(void* p)
    {
        Slot* s = static_cast<Slot*>(p);
        s->next = m_pFree;
        m_pFree = s;
    }
    void FreeAll()
    {
        for (void* b : m_blocks)
            std::free(b);
        m_blocks.clear();
        m_pFree = nullptr;
    }
    INT_PTR GetBlockSize() const { return m_nBlockSize; }
    INT_PTR GetBlockCount() const { return static_cast<INT_PTR>(m_blocks.size()); }

private:
    union Slot {
        Slot* next;
        alignas(NODE) unsigned char storage[sizeof(NODE)];
    };
    INT_PTR m_nBlockSize;
    std::vector<void*> m_blocks;
    Slot* m_pFree = nullptr;
};
