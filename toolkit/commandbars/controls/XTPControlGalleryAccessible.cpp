// CXTPControlGallery as an accessible list: child id 0 is the gallery, child id n is item n - 1.
#include "toolkit/commandbars/controls/XTPControlGallery.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControlGalleryItem.h"

namespace
{
// The item index of a child id: -1 for the gallery itself, -2 for an id that names nothing.
int ItemOfChild(const VARIANT& varChild, int nCount)
{
    if (varChild.vt != VT_I4)
        return -2;
    if (varChild.lVal == CHILDID_SELF)
        return -1;
    return varChild.lVal >= 1 && varChild.lVal <= nCount ? static_cast<int>(varChild.lVal - 1) : -2;
}
} // namespace

HRESULT CXTPControlGallery::GetAccessibleChildCount(long* pcountChildren)
{
    if (!pcountChildren)
        return E_INVALIDARG;
    *pcountChildren = GetItemCount();
    return S_OK;
}

HRESULT CXTPControlGallery::GetAccessibleChild(VARIANT /*varChild*/, IDispatch** ppdispChild)
{
    if (!ppdispChild)
        return E_INVALIDARG;
    *ppdispChild = nullptr;
    return S_FALSE; // items are simple elements
}

HRESULT CXTPControlGallery::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    const int nItem = ItemOfChild(varChild, GetItemCount());
    if (nItem == -1)
        return CXTPControlPopup::GetAccessibleName(varChild, pszName);
    if (nItem < 0 || !pszName)
        return E_INVALIDARG;
    CXTPControlGalleryItem* pItem = GetItem(nItem);
    CString strName = StripAccessKeys(pItem->GetCaption());
    if (strName.IsEmpty())
        strName = pItem->GetDescription();
    *pszName = AllocAccessibleString(strName);
    return S_OK;
}

HRESULT CXTPControlGallery::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    const int nItem = ItemOfChild(varChild, GetItemCount());
    if (nItem == -2 || !pvarRole)
        return E_INVALIDARG;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = nItem == -1 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
    return S_OK;
}

HRESULT CXTPControlGallery::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    const int nItem = ItemOfChild(varChild, GetItemCount());
    if (nItem == -1)
        return CXTPControlPopup::GetAccessibleState(varChild, pvarState);
    if (nItem < 0 || !pvarState)
        return E_INVALIDARG;
    LONG lState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (nItem == m_nSelected && !m_bHideSelection)
        lState |= STATE_SYSTEM_FOCUSED;
    if (IsItemChecked(GetItem(nItem)))
        lState |= STATE_SYSTEM_SELECTED;
    pvarState->vt = VT_I4;
    pvarState->lVal = lState;
    return S_OK;
}

HRESULT CXTPControlGallery::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    const int nItem = ItemOfChild(varChild, GetItemCount());
    if (nItem == -1)
        return CXTPControlPopup::GetAccessibleDefaultAction(varChild, pszDefaultAction);
    if (nItem < 0 || !pszDefaultAction)
        return E_INVALIDARG;
    *pszDefaultAction = AllocAccessibleString("Click");
    return S_OK;
}

HRESULT CXTPControlGallery::AccessibleSelect(long flagsSelect, VARIANT varChild)
{
    const int nItem = ItemOfChild(varChild, GetItemCount());
    if (nItem == -1)
        return CXTPControlPopup::AccessibleSelect(flagsSelect, varChild);
    if (nItem < 0)
        return E_INVALIDARG;
    SetSelectedItem(nItem);
    return S_OK;
}

HRESULT CXTPControlGallery::AccessibleDoDefaultAction(VARIANT varChild)
{
    const int nItem = ItemOfChild(varChild, GetItemCount());
    if (nItem == -1)
        return CXTPControlPopup::AccessibleDoDefaultAction(varChild);
    if (nItem < 0)
        return E_INVALIDARG;
    SetSelectedItem(nItem);
    return S_OK;
}

HRESULT CXTPControlGallery::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                               VARIANT varChild)
{
    const int nItem = ItemOfChild(varChild, GetItemCount());
    if (nItem == -2 || !pxLeft || !pyTop || !pcxWidth || !pcyHeight)
        return E_INVALIDARG;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    HWND hWndBar = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    if (!hWndBar || !IsVisible())
        return S_OK;
    CRect rc = m_rcControl;
    if (nItem >= 0)
    {
        CRect rcItem = GetItemDrawRect(nItem);
        rc.IntersectRect(&rcItem, GetItemsRect());
    }
    POINT pt = {rc.left, rc.top};
    ::ClientToScreen(hWndBar, &pt);
    *pxLeft = pt.x;
    *pyTop = pt.y;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CXTPControlGallery::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (!pvarChild)
        return E_INVALIDARG;
    pvarChild->vt = VT_EMPTY;
    HWND hWndBar = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    if (!hWndBar)
        return S_FALSE;
    POINT pt = {xLeft, yTop};
    ::ScreenToClient(hWndBar, &pt);
    CRect rcClient;
    ::GetClientRect(hWndBar, &rcClient);
    if (!rcClient.PtInRect(pt))
        return S_FALSE;
    pvarChild->vt = VT_I4;
    pvarChild->lVal = HitTestItem(pt) + 1;
    return S_OK;
}
