// CArray<TYPE, ARG_TYPE>: a growable array of constructed elements. Indices are checked: an index
// outside the array raises CInvalidArgException (by pointer) instead of touching memory.
#pragma once

#include "framework/CollectionHelpers.h"

#include <cstring>

template <typename TYPE, typename ARG_TYPE = const TYPE&> class CArray : public CObject
{
public:
    CArray() = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    ~CArray() override { RemoveAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    // New elements are value-initialised; nGrowBy (when not -1) sets how many extra slots a
    // reallocation adds (0 = a size-dependent amount).
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_pData[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_pData[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[Checked(nIndex)] = newElement; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_pData[Checked(nIndex)]; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_pData[Checked(nIndex)]; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    // Sets the element, growing the array when nIndex is past the end.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    // Appends a copy of src's elements; returns the index of the first one.
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);

    // Inserts nCount copies at nIndex (past the end: the gap is filled with default elements).
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    // Stored as the element count (archive count) followed by the elements.
    void Serialize(CArchive& ar) override;

protected:
    INT_PTR Checked(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
        return nIndex;
    }
    // Moves the elements into storage for nNewMax elements.
    void Reallocate(INT_PTR nNewMax);

    TYPE* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0;
};

template <typename TYPE, typename ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax)
{
    if (nNewMax < 0 || static_cast<size_t>(nNewMax) > static_cast<size_t>(-1) / 2 / sizeof(TYPE))
        AfxThrowMemoryException();
    TYPE* p = nullptr;
    if (nNewMax > 0)
    {
        p = static_cast<TYPE*>(::operator new(static_cast<size_t>(nNewMax) * sizeof(TYPE), std::nothrow));
        if (!p)
            AfxThrowMemoryException();
    }
    for (INT_PTR i = 0; i < m_nSize; ++i)
    {
        new (p + i) TYPE(std::move(m_pData[i]));
        m_pData[i].~TYPE();
    }
    ::operator delete(m_pData);
    m_pData = p;
    m_nMaxSize = nNewMax;
}

template <typename TYPE, typename ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize == 0)
    {
        for (INT_PTR i = 0; i < m_nSize; ++i)
            m_pData[i].~TYPE();
        ::operator delete(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (nNewSize > m_nMaxSize)
    {
        INT_PTR grow = m_nGrowBy;
        if (grow == 0)
        {
            // An eighth of the current size (at least 4), so that appending stays linear overall.
            grow = m_nSize / 8;
            grow = grow < 4 ? 4 : grow;
        }
        INT_PTR newMax = m_nMaxSize + grow;
        if (newMax < nNewSize)
            newMax = nNewSize;
        Reallocate(newMax);
    }
    for (INT_PTR i = m_nSize; i < nNewSize; ++i)
        new (m_pData + i) TYPE();
    for (INT_PTR i = nNewSize; i < m_nSize; ++i)
        m_pData[i].~TYPE();
    m_nSize = nNewSize;
}

template <typename TYPE, typename ARG_TYPE> void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize != m_nMaxSize)
        Reallocate(m_nSize);
}

template <typename TYPE, typename ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    if (nIndex >= m_nSize)
    {
        TYPE copy(newElement); // the argument may live in this array
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = std::move(copy);
        return;
    }
    m_pData[nIndex] = newElement;
}

template <typename TYPE, typename ARG_TYPE> INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

template <typename TYPE, typename ARG_TYPE> INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    INT_PTR nOldSize = m_nSize;
    INT_PTR n = src.m_nSize; // src may be this array
    SetSize(m_nSize + n);
    for (INT_PTR i = 0; i < n; ++i)
        m_pData[nOldSize + i] = src.m_pData[i];
    return nOldSize;
}

template <typename TYPE, typename ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize);
    for (INT_PTR i = 0; i < m_nSize; ++i)
        m_pData[i] = src.m_pData[i];
}

template <typename TYPE, typename ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
    {
        if (nIndex < 0 || nCount < 0)
            AfxThrowInvalidArgException();
        return;
    }
    TYPE copy(newElement); // the argument may live in this array
    if (nIndex >= m_nSize)
    {
        SetSize(nIndex + nCount, -1);
    }
    else
    {
        INT_PTR nOldSize = m_nSize;
        SetSize(m_nSize + nCount, -1);
        for (INT_PTR i = nOldSize - 1; i >= nIndex; --i)
            m_pData[i + nCount] = std::move(m_pData[i]);
    }
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nIndex + i] = copy;
}

template <typename TYPE, typename ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
{
    if (!pNewArray || nStartIndex < 0)
        AfxThrowInvalidArgException();
    INT_PTR n = pNewArray->GetSize();
    if (n == 0)
        return;
    CArray copy; // the source may be this array
    copy.Copy(*pNewArray);
    InsertAt(nStartIndex, copy.GetAt(0), n);
    for (INT_PTR i = 0; i < n; ++i)
        SetAt(nStartIndex + i, copy.GetAt(i));
}

template <typename TYPE, typename ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex + nCount > m_nSize)
        AfxThrowInvalidArgException();
    for (INT_PTR i = nIndex + nCount; i < m_nSize; ++i)
        m_pData[i - nCount] = std::move(m_pData[i]);
    for (INT_PTR i = m_nSize - nCount; i < m_nSize; ++i)
        m_pData[i].~TYPE();
    m_nSize -= nCount;
}

template <typename TYPE, typename ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nSize));
        SerializeElements<TYPE>(ar, m_pData, m_nSize);
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    RemoveAll();
    // Grown piece by piece as the data arrives, so a damaged count cannot claim a huge block first.
    const INT_PTR piece = 0x10000;
    INT_PTR done = 0;
    while (static_cast<DWORD_PTR>(done) < nCount)
    {
        DWORD_PTR left = nCount - static_cast<DWORD_PTR>(done);
        INT_PTR n = left < static_cast<DWORD_PTR>(piece) ? static_cast<INT_PTR>(left) : piece;
        SetSize(done + n, -1);
        SerializeElements<TYPE>(ar, m_pData + done, n);
        done += n;
    }
}
