// CDravikList: cursor-based doubly linked list of untyped data pointers, with its element record
// CDravikListElement, its iterator CDravikListIterator and the element-type handlers that let a list
// own typed items.
#pragma once

class CDravikList;
class CDravikListIterator;

// Element-type handler: (code, pointer to the item pointer, value) -> success.
typedef bool (*DravikTypeHandler)(int code, void** item, const void* value);

enum DravikTypeHandlerCode
{
    kDravikItemCreate = 0,  // store a new zero item in *item
    kDravikItemDestroy = 1, // delete *item and null it
    kDravikItemCopy = 2,    // copy the value into *item
    kDravikItemEquals = 3   // compare *item with the value
};

// Items: a heap int (32-bit), a heap 64-bit value, a heap double, a heap CDravikString.
bool Int32ItemHandler(int code, void** item, const void* value);
bool Int64ItemHandler(int code, void** item, const void* value);
bool DoubleItemHandler(int code, void** item, const void* value);
bool StringItemHandler(int code, void** item, const void* value);

class CDravikListElement
{
public:
    CDravikListElement() : m_pPrev(nullptr), m_pNext(nullptr), m_pData(nullptr), m_pIndexEntry(nullptr) {}
    virtual ~CDravikListElement() {}

    CDravikListElement* GetPrev() const { return m_pPrev; }
    CDravikListElement* GetNext() const { return m_pNext; }
    void* GetData() const { return m_pData; }

    CDravikListElement* m_pPrev;
    CDravikListElement* m_pNext;
    void* m_pData;
    // Owner-defined link to a secondary index entry (the hashed map's bucket entry); null otherwise.
    void* m_pIndexEntry;
};

class CDravikList
{
public:
    CDravikList();
    virtual ~CDravikList();

    // Navigation and access.
    virtual void* MoveTo(int index);
    virtual int GetCount() const;
    virtual CDravikListElement* GetFirst();
    virtual CDravikListElement* GetTail() const;
    virtual CDravikListElement* GetNext();
    virtual CDravikListElement* GetPrev();
    virtual CDravikListElement* Find(const void* data);
    // Insertion and removal.
    virtual bool AddTail(void* data);
    virtual bool AddHead(void* data);
    virtual bool InsertAfter(CDravikListElement* element, void* data);
    virtual bool Remove(const void* data);
    virtual void* RemoveHead();
    virtual bool RemoveAll();
    virtual void* GetHeadData() const;
    virtual void* GetTailData() const;
    virtual void* GetPrevData(const void* data);
    virtual void* GetNextData(const void* data);
    // Nested iteration.
    virtual void* IterateFirst();
    virtual void* IterateNext();
    virtual bool IterateEnd();
    virtual CDravikListElement* GetCurrent() const;
    virtual CDravikListElement* GetAt(int index);
    virtual int GetIteratorCount() const;
    // Typed items.
    virtual bool HasTypeHandler() const;
    virtual bool Swap(const void* a, const void* b);
    virtual bool SetAt(int index, void* data);
    virtual DravikTypeHandler GetTypeHandler() const;
    virtual bool SetTypeHandler(DravikTypeHandler handler);
    virtual bool AddTailCopy(const void* value);
    virtual bool AddHeadCopy(const void* value);
    virtual bool RemoveAndDestroy(const void* data);
    virtual bool DestroyAll();
    virtual bool AddValue(void* value);
    virtual bool RemoveValue(const void* value);
    virtual bool UseInt32Items();
    virtual bool UseInt64Items();
    virtual bool UseDoubleItems();
    virtual bool UseStringItems();
    virtual bool HoldsInt64Items() const;
    // Attached iterators.
    virtual bool AttachIterator(CDravikListIterator* iterator);
    virtual bool DetachIterator(CDravikListIterator* iterator);
    virtual bool DetachAllIterators();
    virtual void SetCurrent(CDravikListElement* element);
    virtual int GetIterationDepth() const;

protected:
    // Called for every element just before it is unlinked and deleted (the hashed map keeps its
    // bucket index in step through it).
    typedef void (*ElementRemovedHook)(CDravikList* list, CDravikListElement* element);
    void SetElementRemovedHook(ElementRemovedHook hook) { m_elementRemovedHook = hook; }
    CDravikListElement* GetHead() const { return m_head; }
    // Removes exactly this element, which must belong to this list (destroying its item through the
    // handler when destroyItem is set), then resets the attached iterators.
    bool RemoveElement(CDravikListElement* element, bool destroyItem);

private:
    CDravikList(const CDravikList&) = delete;
    CDravikList& operator=(const CDravikList&) = delete;

    bool LinkNew(CDravikListElement* prev, CDravikListElement* next, void* data);
    bool CreateItem(const void* value, void** item);
    bool AddCopy(const void* value, bool atTail);
    bool Contains(const CDravikListElement* element) const;
    void UnlinkElement(CDravikListElement* element);
    void ResetAttachedIterators();
    void DropPositionIndex();
    void DeleteElements();

    CDravikListElement* m_head;
    CDravikListElement* m_tail;
    CDravikListElement* m_cursor;
    int m_count;
    DravikTypeHandler m_typeHandler;
    CDravikList* m_attachedIterators;
    CDravikList* m_iterationStack;
    CDravikListElement** m_positionIndex;
    ElementRemovedHook m_elementRemovedHook;

    friend class CDravikListIterator;
};

class CDravikListIterator
{
public:
    CDravikListIterator();
    explicit CDravikListIterator(CDravikList* list);
    virtual ~CDravikListIterator();

    virtual CDravikList* GetList() const;
    virtual bool Attach(CDravikList* list);
    virtual void* MoveTo(int index);
    virtual bool MoveNext();
    virtual bool Advance();
    virtual bool MovePrev();
    virtual bool Retreat();
    virtual void* GetData() const;
    virtual bool CopyFrom(const CDravikListIterator& other);
    virtual int GetCount() const;
    virtual bool Reset();
    virtual bool ResetToLast();
    virtual bool AddTail(void* data);
    virtual bool AddHead(void* data);
    virtual bool InsertAfterCurrent(void* data);
    virtual bool Remove(const void* data);
    virtual void* RemoveHead();
    virtual bool RemoveAll();
    virtual bool AddTailCopy(const void* value);
    virtual bool AddHeadCopy(const void* value);
    virtual bool RemoveAndDestroy(const void* data);
    virtual bool DestroyAll();
    virtual CDravikListElement* GetCurrent() const;

private:
    CDravikListIterator(const CDravikListIterator&) = delete;
    CDravikListIterator& operator=(const CDravikListIterator&) = delete;

    void MoveOffElementHolding(const void* data);

    CDravikList* m_list;
    CDravikListElement* m_current;

    friend class CDravikList;
};
