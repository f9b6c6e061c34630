// COptionsOwnedList: a CDravikList whose data pointers are heap objects of one type that the list owns.
// The options store keeps its users, entities and list elements in these.
#pragma once

#include <windows.h>

#include "foundation/DravikList.h"

template <class T> class COptionsOwnedList
{
public:
    COptionsOwnedList() {}
    ~COptionsOwnedList() { DeleteAll(); }

    int GetCount() const { return m_list.GetCount(); }

    // The item at index, or null outside 0..count-1.
    T* GetAt(int index)
    {
        CDravikListElement* element = m_list.GetAt(index);
        return element ? static_cast<T*>(element->GetData()) : nullptr;
    }

    // Appends item and takes it over; FALSE (item not taken) for null or when memory runs out.
    BOOL Add(T* item) { return item && m_list.AddTail(item) ? TRUE : FALSE; }

    // Removes item without deleting it; FALSE when the list does not hold it.
    BOOL Detach(T* item) { return item && m_list.Remove(item) ? TRUE : FALSE; }

    // Deletes every item.
    void DeleteAll()
    {
        while (T* item = static_cast<T*>(m_list.RemoveHead()))
            delete item;
    }

    // Deletes this list's items and moves other's items here in order, leaving other empty.
    // FALSE when memory ran out while moving; the items that could not be moved are deleted.
    BOOL TakeFrom(COptionsOwnedList& other)
    {
        if (&other == this)
            return TRUE;
        DeleteAll();
        BOOL complete = TRUE;
        while (T* item = static_cast<T*>(other.m_list.RemoveHead()))
        {
            if (!m_list.AddTail(item))
            {
                delete item;
                complete = FALSE;
            }
        }
        return complete;
    }

private:
    COptionsOwnedList(const COptionsOwnedList&) = delete;
    COptionsOwnedList& operator=(const COptionsOwnedList&) = delete;

    CDravikList m_list;
};
