#include "foundation/DravikList.h"

CDravikListIterator::CDravikListIterator() : m_list(nullptr), m_current(nullptr) {}

CDravikListIterator::CDravikListIterator(CDravikList* list) : m_list(nullptr), m_current(nullptr)
{
    Attach(list);
}

CDravikListIterator::~CDravikListIterator()
{
    if (m_list)
        m_list->DetachIterator(this);
    m_list = nullptr;
    m_current = nullptr;
}

CDravikList* CDravikListIterator::GetList() const
{
    return m_list;
}

bool CDravikListIterator::Attach(CDravikList* list)
{
    if (m_list)
        m_list->DetachIterator(this);
    m_list = nullptr;
    m_current = nullptr;
    if (list && !list->AttachIterator(this))
        return false;
    m_list = list;
    Reset();
    return true;
}

bool CDravikListIterator::Reset()
{
    if (!m_list)
        return false;
    m_current = m_list->GetFirst();
    return m_current != nullptr;
}

bool CDravikListIterator::ResetToLast()
{
    if (!m_list)
        return false;
    m_current = m_list->GetTail();
    return m_current != nullptr;
}

void* CDravikListIterator::MoveTo(int index)
{
    if (!m_list)
        return nullptr;
    CDravikListElement* element = m_list->GetAt(index);
    if (!element)
        return nullptr;
    m_current = element;
    return element->m_pData;
}

bool CDravikListIterator::MoveNext()
{
    if (!m_list)
        return false;
    if (!m_current)
        return Reset();
    m_current = m_current->m_pNext;
    return m_current != nullptr;
}

bool CDravikListIterator::Advance()
{
    return MoveNext();
}

bool CDravikListIterator::MovePrev()
{
    if (!m_list)
        return false;
    if (!m_current)
        return ResetToLast();
    m_current = m_current->m_pPrev;
    return m_current != nullptr;
}

bool CDravikListIterator::Retreat()
{
    return MovePrev();
}

void* CDravikListIterator::GetData() const
{
    return m_current ? m_current->m_pData : nullptr;
}

CDravikListElement* CDravikListIterator::GetCurrent() const
{
    return m_current;
}

bool CDravikListIterator::CopyFrom(const CDravikListIterator& other)
{
    if (&other == this)
        return false;
    CDravikListElement* current = other.m_current;
    if (!Attach(other.m_list))
        return false;
    m_current = current;
    return true;
}

int CDravikListIterator::GetCount() const
{
    return m_list ? m_list->GetCount() : 0;
}

bool CDravikListIterator::AddTail(void* data)
{
    return m_list ? m_list->AddTail(data) : false;
}

bool CDravikListIterator::AddHead(void* data)
{
    return m_list ? m_list->AddHead(data) : false;
}

bool CDravikListIterator::InsertAfterCurrent(void* data)
{
    if (!m_list)
        return false;
    if (!m_current)
        Reset();
    if (!m_current)
        return false;
    return m_list->InsertAfter(m_current, data);
}

void CDravikListIterator::MoveOffElementHolding(const void* data)
{
    if (!m_current || !data)
        return;
    CDravikListElement* element = m_list->Find(data);
    if (element && element == m_current)
        m_current = element->m_pNext ? element->m_pNext : element->m_pPrev;
}

bool CDravikListIterator::Remove(const void* data)
{
    if (!m_list)
        return false;
    MoveOffElementHolding(data);
    return m_list->Remove(data);
}

void* CDravikListIterator::RemoveHead()
{
    return m_list ? m_list->RemoveHead() : nullptr;
}

bool CDravikListIterator::RemoveAll()
{
    return m_list ? m_list->RemoveAll() : false;
}

bool CDravikListIterator::AddTailCopy(const void* value)
{
    return m_list ? m_list->AddTailCopy(value) : false;
}

bool CDravikListIterator::AddHeadCopy(const void* value)
{
    return m_list ? m_list->AddHeadCopy(value) : false;
}

bool CDravikListIterator::RemoveAndDestroy(const void* data)
{
    if (!m_list)
        return false;
    MoveOffElementHolding(data);
    return m_list->RemoveAndDestroy(data);
}

bool CDravikListIterator::DestroyAll()
{
    return m_list ? m_list->DestroyAll() : false;
}
