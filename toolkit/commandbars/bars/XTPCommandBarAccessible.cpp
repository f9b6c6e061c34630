// CXTPCommandBar: the bar as an accessible object whose children are its controls (child ids are
// 1-based control indexes).
#include "toolkit/commandbars/bars/XTPCommandBar.h"

#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"

namespace
{
VARIANT SelfChild()
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}
} // namespace

LRESULT CXTPCommandBar::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT))
        return Default();
    LRESULT lResult = LresultFromObject(IID_IAccessible, wParam, GetAccessibleObject());
    return lResult ? lResult : Default();
}

HRESULT CXTPCommandBar::GetAccessibleParent(IDispatch** ppdispParent)
{
    if (!ppdispParent)
        return E_INVALIDARG;
    *ppdispParent = nullptr;
    if (!m_hWnd)
        return S_FALSE;
    return AccessibleObjectFromWindow(m_hWnd, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(ppdispParent));
}

HRESULT CXTPCommandBar::GetAccessibleChildCount(long* pcountChildren)
{
    if (!pcountChildren)
        return E_INVALIDARG;
    *pcountChildren = GetControlCount();
    return S_OK;
}

HRESULT CXTPCommandBar::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (!ppdispChild || varChild.vt != VT_I4)
        return E_INVALIDARG;
    *ppdispChild = nullptr;
    CXTPControl* pControl = GetControl(varChild.lVal - 1);
    if (!pControl)
        return E_INVALIDARG;
    IAccessible* pAccessible = pControl->GetAccessibleObject();
    pAccessible->AddRef();
    *ppdispChild = pAccessible;
    return S_OK;
}

HRESULT CXTPCommandBar::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    if (!pszName || varChild.vt != VT_I4)
        return E_INVALIDARG;
    if (varChild.lVal == CHILDID_SELF)
    {
        CStringW strName(m_strTitle);
        *pszName = ::SysAllocString(strName);
        return S_OK;
    }
    CXTPControl* pControl = GetControl(varChild.lVal - 1);
    if (!pControl)
        return E_INVALIDARG;
    // The control's caption, with a tab and the shortcut when it has one.
    return pControl->GetAccessibleName(SelfChild(), pszName);
}

HRESULT CXTPCommandBar::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (!pvarRole || varChild.vt != VT_I4)
        return E_INVALIDARG;
    if (varChild.lVal == CHILDID_SELF)
    {
        pvarRole->vt = VT_I4;
        pvarRole->lVal = m_barType == xtpBarTypeMenuBar ? ROLE_SYSTEM_MENUBAR
                         : IsPopupType()                 ? ROLE_SYSTEM_MENUPOPUP
                                                         : ROLE_SYSTEM_TOOLBAR;
        return S_OK;
    }
    CXTPControl* pControl = GetControl(varChild.lVal - 1);
    if (!pControl)
        return E_INVALIDARG;
    return pControl->GetAccessibleRole(SelfChild(), pvarRole);
}

HRESULT CXTPCommandBar::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    if (!pvarState || varChild.vt != VT_I4)
        return E_INVALIDARG;
    if (varChild.lVal == CHILDID_SELF)
    {
        pvarState->vt = VT_I4;
        pvarState->lVal = m_hWnd && ::IsWindowVisible(m_hWnd) ? 0 : STATE_SYSTEM_INVISIBLE;
        return S_OK;
    }
    CXTPControl* pControl = GetControl(varChild.lVal - 1);
    if (!pControl)
        return E_INVALIDARG;
    HRESULT hr = pControl->GetAccessibleState(SelfChild(), pvarState);
    if (SUCCEEDED(hr) && varChild.lVal - 1 == m_nSelected)
        pvarState->lVal |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
    return hr;
}

HRESULT CXTPCommandBar::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                           VARIANT varChild)
{
    if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight || varChild.vt != VT_I4 || !m_hWnd)
        return E_INVALIDARG;
    CRect rc;
    if (varChild.lVal == CHILDID_SELF)
    {
        ::GetWindowRect(m_hWnd, &rc);
    }
    else
    {
        CXTPControl* pControl = GetControl(varChild.lVal - 1);
        if (!pControl)
            return E_INVALIDARG;
        rc = pControl->GetRect();
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    }
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CXTPCommandBar::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (!pvarChild || !m_hWnd)
        return E_INVALIDARG;
    VariantInit(pvarChild);
    CPoint pt(xLeft, yTop);
    RECT rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    if (!::PtInRect(&rcWindow, pt))
        return S_FALSE;
    ::ScreenToClient(m_hWnd, &pt);
    CXTPControl* pControl = HitTestControl(pt);
    if (!pControl)
    {
        pvarChild->vt = VT_I4;
        pvarChild->lVal = CHILDID_SELF;
        return S_OK;
    }
    IAccessible* pAccessible = pControl->GetAccessibleObject();
    pAccessible->AddRef();
    pvarChild->vt = VT_DISPATCH;
    pvarChild->pdispVal = pAccessible;
    return S_OK;
}
