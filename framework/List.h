// CList<TYPE, ARG_TYPE>: a doubly linked list iterated by POSITION. Nodes come from blocks of
// nBlockSize nodes. Taking the head or tail of an empty list, or using a null POSITION, raises
// CInvalidArgException (by pointer).
#pragma once

#include "framework/CollectionHelpers.h"

template <typename TYPE, typename ARG_TYPE = const TYPE&> class CList : public CObject
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) : m_pool(nBlockSize) {}
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
    TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }

    TYPE RemoveHead();
    TYPE RemoveTail();
    POSITION AddHead(ARG_TYPE newElement) { return InsertNode(nullptr, m_pNodeHead, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertNode(m_pNodeTail, nullptr, newElement); }
    // Copies of another list's elements (the list may be this one).
    void AddHead(const CList* pNewList);
    void AddTail(const CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return Pos(m_pNodeHead); }
    POSITION GetTailPosition() const { return Pos(m_pNodeTail); }
    // The element at rPosition; rPosition moves to the next (previous) node, null after the last.
    TYPE& GetNext(POSITION& rPosition)
    {
        return const_cast<TYPE&>(static_cast<const CList*>(this)->GetNext(rPosition));
    }
    const TYPE& GetNext(POSITION& rPosition) const;
    TYPE& GetPrev(POSITION& rPosition)
    {
        return const_cast<TYPE&>(static_cast<const CList*>(this)->GetPrev(rPosition));
    }
    const TYPE& GetPrev(POSITION& rPosition) const;

    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position);
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    // The first element equal to searchValue after startAfter (from the head when null).
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
    // The position of the nIndex-th element, null when out of range.
    POSITION FindIndex(INT_PTR nIndex) const;

    void Serialize(CArchive& ar) override;

protected:
    static POSITION Pos(CNode* p) { return reinterpret_cast<POSITION>(p); }
    static CNode* Node(POSITION pos)
    {
        if (!pos || pos == BEFORE_START_POSITION)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(pos);
    }
    static CNode* NonEmpty(CNode* p)
    {
        if (!p)
            AfxThrowInvalidArgException();
        return p;
    }
    POSITION InsertNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement);
    void FreeNode(CNode* pNode);

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    CCollectionNodePool<CNode> m_pool;
};

template <typename TYPE, typename ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
{
    void* mem = m_pool.Take();
    CNode* p;
    try
    {
        p = new (mem) CNode{pNext, pPrev, TYPE(newElement)};
    }
    catch (...)
    {
        m_pool.Give(mem);
        throw;
    }
    if (pPrev)
        pPrev->pNext = p;
    else
        m_pNodeHead = p;
    if (pNext)
        pNext->pPrev = p;
    else
        m_pNodeTail = p;
    ++m_nCount;
    return Pos(p);
}

template <typename TYPE, typename ARG_TYPE> void CList<TYPE, ARG_TYPE>::FreeNode(CNode* pNode)
{
    pNode->~CNode();
    m_pool.Give(pNode);
    if (--m_nCount == 0)
        RemoveAll(); // the last node: give the blocks back
}

template <typename TYPE, typename ARG_TYPE> void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    for (CNode* p = m_pNodeHead; p;)
    {
        CNode* next = p->pNext;
        p->~CNode();
        p = next;
    }
    m_pNodeHead = m_pNodeTail = nullptr;
    m_nCount = 0;
    m_pool.FreeAll();
}

template <typename TYPE, typename ARG_TYPE> TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    CNode* p = NonEmpty(m_pNodeHead);
    TYPE value(std::move(p->data));
    m_pNodeHead = p->pNext;
    if (m_pNodeHead)
        m_pNodeHead->pPrev = nullptr;
    else
        m_pNodeTail = nullptr;
    FreeNode(p);
    return value;
}

template <typename TYPE, typename ARG_TYPE> TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    CNode* p = NonEmpty(m_pNodeTail);
    TYPE value(std::move(p->data));
    m_pNodeTail = p->pPrev;
    if (m_pNodeTail)
        m_pNodeTail->pNext = nullptr;
    else
        m_pNodeHead = nullptr;
    FreeNode(p);
    return value;
}

template <typename TYPE, typename ARG_TYPE> void CList<TYPE, ARG_TYPE>::AddHead(const CList* pNewList)
{
    if (!pNewList)
        AfxThrowInvalidArgException();
    // Walk a snapshot of the tail end first so that adding a list to itself terminates.
    INT_PTR n = pNewList->GetCount();
    CNode* p = pNewList->m_pNodeTail;
    for (INT_PTR i = 0; i < n; ++i, p = p->pPrev)
        AddHead(p->data);
}

template <typename TYPE, typename ARG_TYPE> void CList<TYPE, ARG_TYPE>::AddTail(const CList* pNewList)
{
    if (!pNewList)
        AfxThrowInvalidArgException();
    INT_PTR n = pNewList->GetCount();
    CNode* p = pNewList->m_pNodeHead;
    for (INT_PTR i = 0; i < n; ++i, p = p->pNext)
        AddTail(p->data);
}

template <typename TYPE, typename ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition) const
{
    CNode* p = Node(rPosition);
    rPosition = Pos(p->pNext);
    return p->data;
}

template <typename TYPE, typename ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition) const
{
    CNode* p = Node(rPosition);
    rPosition = Pos(p->pPrev);
    return p->data;
}

template <typename TYPE, typename ARG_TYPE> void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* p = Node(position);
    if (p->pPrev)
        p->pPrev->pNext = p->pNext;
    else
        m_pNodeHead = p->pNext;
    if (p->pNext)
        p->pNext->pPrev = p->pPrev;
    else
        m_pNodeTail = p->pPrev;
    FreeNode(p);
}

template <typename TYPE, typename ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    if (!position)
        return AddHead(newElement);
    CNode* p = Node(position);
    return InsertNode(p->pPrev, p, newElement);
}

template <typename TYPE, typename ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    if (!position)
        return AddTail(newElement);
    CNode* p = Node(position);
    return InsertNode(p, p->pNext, newElement);
}

template <typename TYPE, typename ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* p = startAfter ? Node(startAfter)->pNext : m_pNodeHead;
    for (; p; p = p->pNext)
        if (CompareElements<TYPE, ARG_TYPE>(&p->data, &searchValue))
            return Pos(p);
    return nullptr;
}

template <typename TYPE, typename ARG_TYPE> POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    CNode* p = m_pNodeHead;
    while (nIndex--)
        p = p->pNext;
    return Pos(p);
}

template <typename TYPE, typename ARG_TYPE> void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
        for (CNode* p = m_pNodeHead; p; p = p->pNext)
            SerializeElements<TYPE>(ar, &p->data, 1);
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    for (DWORD_PTR i = 0; i < nCount; ++i)
    {
        TYPE value{};
        SerializeElements<TYPE>(ar, &value, 1);
        AddTail(value);
    }
}
