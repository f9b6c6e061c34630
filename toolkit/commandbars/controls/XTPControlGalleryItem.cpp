#include "toolkit/commandbars/controls/XTPControlGalleryItem.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControlAction.h"
#include "toolkit/commandbars/controls/XTPControlGallery.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

IMPLEMENT_DYNAMIC(CXTPControlGalleryItem, CCmdTarget)
IMPLEMENT_DYNAMIC(CXTPControlGalleryItems, CCmdTarget)

CSize CXTPControlGalleryItem::GetSize() const
{
    if (m_szItem != CSize(0, 0))
        return m_szItem;
    if (!m_pItems)
        return CSize(0, 0);
    CSize sz = m_pItems->GetItemSize();
    if (m_bLabel)
        sz.cx = 0; // a label takes the full row
    return sz;
}

void CXTPControlGalleryItem::Draw(CDC* pDC, CXTPControlGallery* pGallery, CRect rcItem, BOOL bEnabled,
                                  BOOL bSelected, BOOL bPressed, BOOL bChecked)
{
    CXTPPaintManager* pPaintManager = pGallery->GetPaintManager();
    if (!pPaintManager)
        return;
    CXTPCommandBar* pBar = pGallery->GetParent();
    const int nBarType = pBar ? pBar->GetType() : xtpBarTypeNormal;
    const int nBarPosition = pBar ? pBar->GetPosition() : xtpBarTop;
    pPaintManager->DrawStateFace(pDC, rcItem, bSelected, bPressed, bEnabled, bChecked, FALSE, nBarType,
                                 nBarPosition);
    if (m_strCaption.IsEmpty())
        return;
    CFont* pOldFont = pDC->SelectObject(pPaintManager->GetRegularFont());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(
        pPaintManager->GetStateTextColor(bSelected, bPressed, bEnabled, bChecked, FALSE, nBarType, nBarPosition));
    CRect rcText = rcItem;
    pDC->DrawText(m_strCaption, &rcText, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

CXTPControlGalleryItems::CXTPControlGalleryItems(CXTPControlAction* pAction) : m_pAction(pAction)
{
    if (pAction)
        pAction->SetTarget(this);
}

CXTPControlGalleryItems::~CXTPControlGalleryItems()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i)
        m_arrItems[i]->InternalRelease();
    m_arrItems.RemoveAll();
}

CXTPControlGalleryItems* CXTPControlGalleryItems::FromAction(const CXTPControlAction* pAction)
{
    return pAction ? DYNAMIC_DOWNCAST(CXTPControlGalleryItems, pAction->GetTarget()) : nullptr;
}

CXTPControlGalleryItem* CXTPControlGalleryItems::GetItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrItems.GetSize() ? m_arrItems[nIndex] : nullptr;
}

CXTPControlGalleryItem* CXTPControlGalleryItems::AddItem(CXTPControlGalleryItem* pItem)
{
    if (!pItem)
        return nullptr;
    pItem->m_pItems = this;
    pItem->m_nIndex = static_cast<int>(m_arrItems.Add(pItem));
    OnItemsChanged();
    return pItem;
}

CXTPControlGalleryItem* CXTPControlGalleryItems::AddItem(int nId, LPCSTR lpszCaption)
{
    CXTPControlGalleryItem* pItem = new CXTPControlGalleryItem();
    pItem->SetID(nId);
    pItem->SetCaption(lpszCaption);
    return AddItem(pItem);
}

CXTPControlGalleryItem* CXTPControlGalleryItems::AddLabel(LPCSTR lpszCaption)
{
    CXTPControlGalleryItem* pItem = new CXTPControlGalleryItem();
    pItem->SetCaption(lpszCaption);
    pItem->SetLabel(TRUE);
    return AddItem(pItem);
}

void CXTPControlGalleryItems::Remove(int nIndex)
{
    CXTPControlGalleryItem* pItem = GetItem(nIndex);
    if (!pItem)
        return;
    m_arrItems.RemoveAt(nIndex);
    pItem->InternalRelease();
    for (INT_PTR i = nIndex; i < m_arrItems.GetSize(); ++i)
        m_arrItems[i]->m_nIndex = static_cast<int>(i);
    OnItemsChanged();
}

void CXTPControlGalleryItems::RemoveAll()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i)
        m_arrItems[i]->InternalRelease();
    m_arrItems.RemoveAll();
    OnItemsChanged();
}

void CXTPControlGalleryItems::SetItemSize(CSize sz)
{
    m_szItem = sz;
    OnItemsChanged();
}

void CXTPControlGalleryItems::OnItemsChanged()
{
    if (!m_pAction)
        return;
    for (int i = 0; i < m_pAction->GetControlCount(); ++i)
    {
        if (CXTPControlGallery* pGallery = DYNAMIC_DOWNCAST(CXTPControlGallery, m_pAction->GetControl(i)))
            pGallery->OnItemsChanged();
    }
}
