#include "foundation/DravikList.h"

#include <cstddef>
#include <new>

CDravikList::CDravikList()
    : m_head(nullptr), m_tail(nullptr), m_cursor(nullptr), m_count(0), m_typeHandler(nullptr),
      m_attachedIterators(nullptr), m_iterationStack(nullptr), m_positionIndex(nullptr),
      m_elementRemovedHook(nullptr)
{
}

CDravikList::~CDravikList()
{
    // Elements go first (data is not ours unless a handler owns it, and then the owner destroys it).
    DeleteElements();
    // Close the open iterations; each iterator deregisters itself when deleted.
    if (m_iterationStack)
    {
        while (m_iterationStack->GetCount() > 0)
            delete static_cast<CDravikListIterator*>(m_iterationStack->RemoveHead());
        delete m_iterationStack;
        m_iterationStack = nullptr;
    }
    // Iterators that outlive the list are detached so that they can neither reach the list nor one
    // of its deleted elements.
    if (m_attachedIterators)
    {
        for (CDravikListElement* e = m_attachedIterators->m_head; e; e = e->m_pNext)
        {
            CDravikListIterator* iterator = static_cast<CDravikListIterator*>(e->m_pData);
            iterator->m_list = nullptr;
            iterator->m_current = nullptr;
        }
        delete m_attachedIterators;
        m_attachedIterators = nullptr;
    }
    DropPositionIndex();
}

void CDravikList::DeleteElements()
{
    CDravikListElement* element = m_head;
    while (element)
    {
        CDravikListElement* next = element->m_pNext;
        if (m_elementRemovedHook)
            m_elementRemovedHook(this, element);
        delete element;
        element = next;
    }
    m_head = m_tail = m_cursor = nullptr;
    m_count = 0;
    DropPositionIndex();
}

void CDravikList::DropPositionIndex()
{
    delete[] m_positionIndex;
    m_positionIndex = nullptr;
}

bool CDravikList::Contains(const CDravikListElement* element) const
{
    for (CDravikListElement* e = m_head; e; e = e->m_pNext)
    {
        if (e == element)
            return true;
    }
    return false;
}

void CDravikList::UnlinkElement(CDravikListElement* element)
{
    if (m_elementRemovedHook)
        m_elementRemovedHook(this, element);
    if (element->m_pPrev)
        element->m_pPrev->m_pNext = element->m_pNext;
    else
        m_head = element->m_pNext;
    if (element->m_pNext)
        element->m_pNext->m_pPrev = element->m_pPrev;
    else
        m_tail = element->m_pPrev;
    if (m_cursor == element)
        m_cursor = element->m_pPrev;
    --m_count;
    DropPositionIndex();
    delete element;
}

// Puts every attached iterator back on the head. The list's own cursor keeps its place: a caller that
// removes while walking with the cursor continues from the previous element.
void CDravikList::ResetAttachedIterators()
{
    if (!m_attachedIterators)
        return;
    CDravikListElement* cursor = m_cursor;
    for (CDravikListElement* e = m_attachedIterators->m_head; e; e = e->m_pNext)
        static_cast<CDravikListIterator*>(e->m_pData)->m_current = m_head;
    m_cursor = cursor;
}

// ---------------------------------------------------------------------------------------------
// Navigation and access

void* CDravikList::MoveTo(int index)
{
    CDravikListElement* element = GetAt(index);
    if (!element)
        return nullptr;
    m_cursor = element;
    return element->m_pData;
}

int CDravikList::GetCount() const
{
    return m_count;
}

CDravikListElement* CDravikList::GetFirst()
{
    m_cursor = m_head;
    return m_cursor;
}

CDravikListElement* CDravikList::GetTail() const
{
    return m_tail;
}

CDravikListElement* CDravikList::GetNext()
{
    m_cursor = m_cursor ? m_cursor->m_pNext : nullptr;
    return m_cursor;
}

CDravikListElement* CDravikList::GetPrev()
{
    m_cursor = m_cursor ? m_cursor->m_pPrev : nullptr;
    return m_cursor;
}

CDravikListElement* CDravikList::Find(const void* data)
{
    if (!data || !m_head)
        return nullptr;
    for (m_cursor = m_head; m_cursor; m_cursor = m_cursor->m_pNext)
    {
        if (m_cursor->m_pData == data)
            return m_cursor;
        if (m_typeHandler && m_typeHandler(kDravikItemEquals, &m_cursor->m_pData, data))
            return m_cursor;
    }
    return nullptr;
}

void* CDravikList::GetHeadData() const
{
    return m_head ? m_head->m_pData : nullptr;
}

void* CDravikList::GetTailData() const
{
    return m_tail ? m_tail->m_pData : nullptr;
}

void* CDravikList::GetPrevData(const void* data)
{
    CDravikListElement* element = Find(data);
    return (element && element->m_pPrev) ? element->m_pPrev->m_pData : nullptr;
}

void* CDravikList::GetNextData(const void* data)
{
    CDravikListElement* element = Find(data);
    return (element && element->m_pNext) ? element->m_pNext->m_pData : nullptr;
}

CDravikListElement* CDravikList::GetCurrent() const
{
    return m_cursor;
}

void CDravikList::SetCurrent(CDravikListElement* element)
{
    m_cursor = element;
}

// Position access through an index of element pointers, built on demand. The cursor is not moved.
CDravikListElement* CDravikList::GetAt(int index)
{
    if (index < 0 || index >= m_count)
        return nullptr;
    if (!m_positionIndex)
    {
        m_positionIndex = new (std::nothrow) CDravikListElement*[static_cast<size_t>(m_count)];
        if (!m_positionIndex)
        {
            // No memory for the index: walk instead.
            CDravikListElement* e = m_head;
            for (int i = 0; e && i < index; ++i)
                e = e->m_pNext;
            return e;
        }
        int i = 0;
        for (CDravikListElement* e = m_head; e && i < m_count; e = e->m_pNext)
            m_positionIndex[i++] = e;
    }
    return m_positionIndex[index];
}

bool CDravikList::SetAt(int index, void* data)
{
    if (!data)
        return false;
    CDravikListElement* element = GetAt(index);
    if (!element)
        return false;
    element->m_pData = data;
    return true;
}

bool CDravikList::Swap(const void* a, const void* b)
{
    if (!a || !b || a == b)
        return false;
    CDravikListElement* first = Find(a);
    if (!first)
        return false;
    CDravikListElement* second = Find(b);
    if (!second || second == first)
        return false;
    void* data = first->m_pData;
    first->m_pData = second->m_pData;
    second->m_pData = data;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Insertion

// Links a new element holding data between prev and next (either may be null at an end).
bool CDravikList::LinkNew(CDravikListElement* prev, CDravikListElement* next, void* data)
{
    if (!data)
        return false;
    CDravikListElement* element = new (std::nothrow) CDravikListElement;
    if (!element)
        return false;
    element->m_pData = data;
    element->m_pPrev = prev;
    element->m_pNext = next;
    if (prev)
        prev->m_pNext = element;
    else
        m_head = element;
    if (next)
        next->m_pPrev = element;
    else
        m_tail = element;
    ++m_count;
    DropPositionIndex();
    return true;
}

bool CDravikList::AddTail(void* data)
{
    return LinkNew(m_tail, nullptr, data);
}

bool CDravikList::AddHead(void* data)
{
    return LinkNew(nullptr, m_head, data);
}

bool CDravikList::InsertAfter(CDravikListElement* after, void* data)
{
    if (!after || !data || !Contains(after))
        return false;
    return LinkNew(after, after->m_pNext, data);
}

bool CDravikList::CreateItem(const void* value, void** item)
{
    *item = nullptr;
    if (!m_typeHandler || !value)
        return false;
    m_typeHandler(kDravikItemCreate, item, nullptr);
    if (!*item)
        return false;
    if (!m_typeHandler(kDravikItemCopy, item, value))
    {
        m_typeHandler(kDravikItemDestroy, item, nullptr);
        *item = nullptr;
        return false;
    }
    return true;
}

bool CDravikList::AddCopy(const void* value, bool atTail)
{
    void* item = nullptr;
    if (!CreateItem(value, &item))
        return false;
    if (atTail ? AddTail(item) : AddHead(item))
        return true;
    m_typeHandler(kDravikItemDestroy, &item, nullptr);
    return false;
}

bool CDravikList::AddTailCopy(const void* value)
{
    return AddCopy(value, true);
}

bool CDravikList::AddHeadCopy(const void* value)
{
    return AddCopy(value, false);
}

bool CDravikList::AddValue(void* value)
{
    if (AddTailCopy(value))
        return true;
    return AddTail(value);
}

// ---------------------------------------------------------------------------------------------
// Removal

bool CDravikList::Remove(const void* data)
{
    return RemoveElement(Find(data), false);
}

void* CDravikList::RemoveHead()
{
    if (!m_head)
        return nullptr;
    void* data = m_head->m_pData;
    UnlinkElement(m_head);
    ResetAttachedIterators();
    return data;
}

bool CDravikList::RemoveAll()
{
    if (!m_head)
        return false;
    DeleteElements();
    ResetAttachedIterators();
    return true;
}

bool CDravikList::RemoveElement(CDravikListElement* element, bool destroyItem)
{
    if (!element)
        return false;
    if (destroyItem && m_typeHandler)
    {
        void* item = element->m_pData;
        if (!m_typeHandler(kDravikItemDestroy, &item, nullptr))
            return false;
    }
    UnlinkElement(element);
    ResetAttachedIterators();
    return true;
}

bool CDravikList::RemoveAndDestroy(const void* data)
{
    if (!m_typeHandler)
        return false;
    return RemoveElement(Find(data), true);
}

bool CDravikList::DestroyAll()
{
    if (!m_typeHandler || !m_head)
        return false;
    bool any = false;
    for (CDravikListElement* e = m_head; e; e = e->m_pNext)
    {
        void* item = e->m_pData;
        if (m_typeHandler(kDravikItemDestroy, &item, nullptr))
            any = true;
    }
    RemoveAll();
    return any;
}

bool CDravikList::RemoveValue(const void* value)
{
    if (RemoveAndDestroy(value))
        return true;
    return Remove(value);
}

// ---------------------------------------------------------------------------------------------
// Type handler

bool CDravikList::HasTypeHandler() const
{
    return m_typeHandler != nullptr;
}

DravikTypeHandler CDravikList::GetTypeHandler() const
{
    return m_typeHandler;
}

bool CDravikList::SetTypeHandler(DravikTypeHandler handler)
{
    if (m_typeHandler)
        DestroyAll();
    else
        RemoveAll();
    m_typeHandler = handler;
    return true;
}

bool CDravikList::UseInt32Items()
{
    return SetTypeHandler(Int32ItemHandler);
}

bool CDravikList::UseInt64Items()
{
    return SetTypeHandler(Int64ItemHandler);
}

bool CDravikList::UseDoubleItems()
{
    return SetTypeHandler(DoubleItemHandler);
}

bool CDravikList::UseStringItems()
{
    return SetTypeHandler(StringItemHandler);
}

bool CDravikList::HoldsInt64Items() const
{
    return m_typeHandler == Int64ItemHandler;
}

// ---------------------------------------------------------------------------------------------
// Iterators and nested iteration

bool CDravikList::AttachIterator(CDravikListIterator* iterator)
{
    if (!iterator)
        return false;
    if (!m_attachedIterators)
    {
        m_attachedIterators = new (std::nothrow) CDravikList;
        if (!m_attachedIterators)
            return false;
    }
    return m_attachedIterators->AddTail(iterator);
}

bool CDravikList::DetachIterator(CDravikListIterator* iterator)
{
    if (!iterator || !m_attachedIterators)
        return false;
    return m_attachedIterators->Remove(iterator);
}

bool CDravikList::DetachAllIterators()
{
    if (!m_attachedIterators)
        return false;
    for (CDravikListElement* e = m_attachedIterators->m_head; e; e = e->m_pNext)
    {
        CDravikListIterator* iterator = static_cast<CDravikListIterator*>(e->m_pData);
        iterator->m_list = nullptr;
        iterator->m_current = nullptr;
    }
    m_attachedIterators->RemoveAll();
    return true;
}

int CDravikList::GetIteratorCount() const
{
    return m_attachedIterators ? m_attachedIterators->GetCount() : 0;
}

void* CDravikList::IterateFirst()
{
    if (!m_iterationStack)
    {
        m_iterationStack = new (std::nothrow) CDravikList;
        if (!m_iterationStack)
            return nullptr;
    }
    CDravikListIterator* iterator = new (std::nothrow) CDravikListIterator;
    if (!iterator)
        return nullptr;
    if (!m_iterationStack->AddHead(iterator))
    {
        delete iterator;
        return nullptr;
    }
    iterator->Attach(this);
    CDravikListElement* element = iterator->GetCurrent();
    if (!element)
        return nullptr;
    m_cursor = element;
    iterator->MoveNext();
    return element->m_pData;
}

void* CDravikList::IterateNext()
{
    if (!m_iterationStack || m_iterationStack->GetCount() == 0)
        return nullptr;
    CDravikListIterator* iterator = static_cast<CDravikListIterator*>(m_iterationStack->GetHeadData());
    CDravikListElement* element = iterator->GetCurrent();
    if (!element)
        return nullptr;
    m_cursor = element;
    iterator->MoveNext();
    return element->m_pData;
}

bool CDravikList::IterateEnd()
{
    if (!m_iterationStack || m_iterationStack->GetCount() == 0)
        return false;
    delete static_cast<CDravikListIterator*>(m_iterationStack->RemoveHead());
    return true;
}

int CDravikList::GetIterationDepth() const
{
    return m_iterationStack ? m_iterationStack->GetCount() : 0;
}
