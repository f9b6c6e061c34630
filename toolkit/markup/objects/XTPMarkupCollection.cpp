#include "toolkit/markup/objects/XTPMarkupCollection.h"

#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/objects/XTPMarkupType.h"

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupCollection, CXTPMarkupObject, nullptr)

CXTPMarkupCollection::CXTPMarkupCollection() : m_pItemType(CXTPMarkupObject::GetMarkupType()), m_bLogicalParent(TRUE)
{
}

CXTPMarkupCollection::~CXTPMarkupCollection()
{
    RemoveAll();
}

CXTPMarkupObject* CXTPMarkupCollection::GetItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrItems[nIndex] : nullptr;
}

void CXTPMarkupCollection::Insert(int nIndex, CXTPMarkupObject* pItem)
{
    if (!pItem)
        return;
    if (!pItem->IsKindOf(m_pItemType))
    {
        pItem->Release();
        return;
    }
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    if (m_bLogicalParent)
        pItem->SetLogicalParent(this);
    m_arrItems.insert(m_arrItems.begin() + nIndex, pItem);
    OnItemAdded(pItem, nIndex);
    OnChanged();
}

void CXTPMarkupCollection::Add(CXTPMarkupObject* pItem)
{
    Insert(-1, pItem);
}

void CXTPMarkupCollection::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    CXTPMarkupObject* pItem = m_arrItems[nIndex];
    m_arrItems.erase(m_arrItems.begin() + nIndex);
    if (m_bLogicalParent)
        pItem->SetLogicalParent(nullptr);
    pItem->Release();
    OnChanged();
}

void CXTPMarkupCollection::RemoveAll()
{
    std::vector<CXTPMarkupObject*> arrItems;
    arrItems.swap(m_arrItems);
    for (CXTPMarkupObject* pItem : arrItems)
    {
        if (m_bLogicalParent)
            pItem->SetLogicalParent(nullptr);
        pItem->Release();
    }
}

int CXTPMarkupCollection::GetLogicalChildrenCount() const
{
    return GetCount();
}

CXTPMarkupObject* CXTPMarkupCollection::GetLogicalChild(int nIndex) const
{
    return GetItem(nIndex);
}

BOOL CXTPMarkupCollection::HasContentObject() const
{
    return GetCount() > 0;
}

void CXTPMarkupCollection::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (!pContent || !pContent->IsKindOf(m_pItemType))
    {
        pBuilder->ThrowBuilderError(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type '%ls'",
                                    pContent ? pContent->GetType()->GetClassName() : L"", GetType()->GetClassName(),
                                    m_pItemType->GetClassName());
    }
    pContent->AddRef();
    Add(pContent);
}

void CXTPMarkupCollection::OnItemAdded(CXTPMarkupObject* /*pItem*/, int /*nIndex*/) {}

void CXTPMarkupCollection::OnChanged() {}
