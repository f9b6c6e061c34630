// CXTPMarkupCollection: items of one item type, each holding one reference, usually with the
// collection as their logical parent. Setters, triggers, inlines, UI elements, gradient stops and
// grid definitions are kept in its subclasses.
#pragma once

#include <vector>

#include "toolkit/markup/objects/XTPMarkupObject.h"

class CXTPMarkupCollection : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupCollection)
public:
    CXTPMarkupCollection();

    int GetCount() const { return (int)m_arrItems.size(); }
    // Null out of range.
    CXTPMarkupObject* GetItem(int nIndex) const;
    // Takes over the item's reference. A null item or one of another type is ignored (and released);
    // an index below 0 or past the count means the end.
    void Insert(int nIndex, CXTPMarkupObject* pItem);
    void Add(CXTPMarkupObject* pItem);
    void Remove(int nIndex);
    void RemoveAll();
    CXTPMarkupType* GetItemType() const { return m_pItemType; }

    int GetLogicalChildrenCount() const override;
    CXTPMarkupObject* GetLogicalChild(int nIndex) const override;
    BOOL HasContentObject() const override;
    // An item of the item type is added (one more reference); anything else is a builder error.
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;

    // Slots after the object's.
    virtual void OnItemAdded(CXTPMarkupObject* pItem, int nIndex);
    virtual void OnChanged();

protected:
    ~CXTPMarkupCollection() override;

    CXTPMarkupType* m_pItemType;
    BOOL m_bLogicalParent;
    std::vector<CXTPMarkupObject*> m_arrItems;
};
