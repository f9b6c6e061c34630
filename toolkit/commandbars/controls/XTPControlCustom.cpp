#include "toolkit/commandbars/controls/XTPControlCustom.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/common/persist/XTPPropExchange.h"

#include <windowsx.h>

IMPLEMENT_SERIAL(CXTPControlCustom, CXTPControlButton, XTP_CONTROL_CLASS_SCHEMA)

CXTPControlCustom::CXTPControlCustom()
{
    m_controlType = xtpControlCustom;
    m_dwFlags = xtpFlagNoMovable;
}

CXTPControlCustom::~CXTPControlCustom()
{
    if (m_hwndControl)
        GetHookManager()->RemoveHook(m_hwndControl, this);
}

void CXTPControlCustom::SetControl(HWND hWnd)
{
    if (hWnd == m_hwndControl)
        return;
    if (m_hwndControl)
        GetHookManager()->RemoveHook(m_hwndControl, this);
    m_hwndControl = hWnd;
    if (m_hwndControl && ::IsWindow(m_hwndControl))
        GetHookManager()->SetHook(m_hwndControl, this);
}

void CXTPControlCustom::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_rcBorders.SetRect(cxLeft, cyTop, cxRight, cyBottom);
}

void CXTPControlCustom::SetRect(CRect rcControl)
{
    HWND hWndBar = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    const BOOL bLive = m_hwndControl && ::IsWindow(m_hwndControl);
    if (m_rcControl == rcControl && (!bLive || ::GetParent(m_hwndControl) == hWndBar))
        return;
    m_rcControl = rcControl;
    if (bLive && hWndBar)
    {
        if (::GetParent(m_hwndControl) != hWndBar)
        {
            LONG_PTR dwStyle = ::GetWindowLongPtrA(m_hwndControl, GWL_STYLE);
            ::SetWindowLongPtrA(m_hwndControl, GWL_STYLE, (dwStyle & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD);
            ::SetParent(m_hwndControl, hWndBar);
        }
        CRect rc = rcControl;
        rc.DeflateRect(m_rcBorders.left, m_rcBorders.top, m_rcBorders.right, m_rcBorders.bottom);
        ::MoveWindow(m_hwndControl, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
    }
    RefreshVisibility();
}

void CXTPControlCustom::RefreshVisibility()
{
    HWND hWndBar = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    if (!hWndBar || !m_hwndControl || !::IsWindow(m_hwndControl) || ::GetParent(m_hwndControl) != hWndBar)
        return;
    const BOOL bShow = m_bChildShown && IsVisible();
    ::SetWindowPos(m_hwndControl, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                       (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

BOOL CXTPControlCustom::HasVisibleChild() const
{
    return m_hwndControl && ::IsWindow(m_hwndControl) &&
           (::GetWindowLongPtrA(m_hwndControl, GWL_STYLE) & WS_VISIBLE) != 0;
}

CSize CXTPControlCustom::GetSize(CDC* pDC)
{
    if (m_hwndControl && m_bChildShown)
        return CSize(m_szControl.cx + m_rcBorders.left + m_rcBorders.right,
                     m_szControl.cy + m_rcBorders.top + m_rcBorders.bottom);
    return CXTPControlButton::GetSize(pDC);
}

void CXTPControlCustom::Draw(CDC* pDC)
{
    if (!HasVisibleChild())
        CXTPControlButton::Draw(pDC);
}

void CXTPControlCustom::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (!HasVisibleChild() || IsCustomizeMode())
        CXTPControlButton::OnClick(bKeyboard, pt);
}

void CXTPControlCustom::OnEnabledChanged()
{
    if (m_hwndControl && ::IsWindow(m_hwndControl))
        ::EnableWindow(m_hwndControl, GetEnabled());
}

void CXTPControlCustom::SetHideFlags(int dwFlags)
{
    if (dwFlags == m_dwHideFlags)
        return;
    CXTPControlButton::SetHideFlags(dwFlags);
    RefreshVisibility();
    RedrawParent();
}

void CXTPControlCustom::OnCalcDynamicSize(DWORD dwMode)
{
    const BOOL bVertical = (dwMode & 0x10) != 0;
    if (m_verticalOptions == xtpVerticalHide)
    {
        SetHideFlags(bVertical ? (m_dwHideFlags | xtpHideDockingPosition)
                               : (m_dwHideFlags & ~xtpHideDockingPosition));
    }
    else if (m_verticalOptions == xtpVerticalButton)
    {
        m_bChildShown = !bVertical;
        RefreshVisibility();
    }
}

BOOL CXTPControlCustom::OnSetSelected(int bSelected)
{
    const BOOL bChanged = CXTPControlButton::OnSetSelected(bSelected);
    if (bSelected == 2)
        RefreshVisibility();
    return bChanged;
}

void CXTPControlCustom::OnRemoved()
{
    m_bChildShown = FALSE;
    RefreshVisibility();
    CXTPControlButton::OnRemoved();
}

int CXTPControlCustom::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& /*lResult*/)
{
    if (nMessage != WM_MOUSEMOVE || hWnd != m_hwndControl || !m_pParent || !m_pParent->GetSafeHwnd())
        return 0;
    try
    {
        // Hot tracking goes on over the hosted window: the bar sees the move in its own
        // coordinates; the window still gets the message.
        POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::MapWindowPoints(hWnd, m_pParent->GetSafeHwnd(), &pt, 1);
        m_pParent->OnTrackedMouseMove(static_cast<UINT>(wParam), CPoint(pt));
    }
    catch (...)
    {
    }
    return 0;
}

void CXTPControlCustom::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControlButton::DoPropExchange(pPX);
    ExchangeRectProperty(pPX, "Borders", m_rcBorders, CRect(0, 0, 0, 0));
    ExchangeSizeProperty(pPX, "ControlSize", m_szControl, CSize(0, 0));
    ExchangeIntProperty(pPX, "VerticalOptions", m_verticalOptions, 0);
    if (pPX->m_nSchema > 5)
        ExchangeIntProperty(pPX, "ControlId", m_nControlId, 0);
    if (pPX->IsLoading() && m_nControlId != 0)
        FindControlById(pPX->GetCommandBars());
}

void CXTPControlCustom::FindControlById(CXTPCommandBars* pCommandBars)
{
    if (!pCommandBars)
        return;
    HWND hWnd = nullptr;
    if (CWnd* pSite = pCommandBars->GetSite())
        hWnd = ::GetDlgItem(pSite->GetSafeHwnd(), m_nControlId);
    for (int i = 0; !hWnd && i < pCommandBars->GetCount(); ++i)
    {
        CXTPCommandBar* pBar = pCommandBars->GetAt(i);
        if (pBar && pBar->GetSafeHwnd())
            hWnd = ::GetDlgItem(pBar->GetSafeHwnd(), m_nControlId);
    }
    if (hWnd)
        SetControl(hWnd);
}

void CXTPControlCustom::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    if (CXTPControlCustom* pSrc = dynamic_cast<CXTPControlCustom*>(pControl))
    {
        if (pSrc != this)
        {
            m_rcBorders = pSrc->m_rcBorders;
            m_szControl = pSrc->m_szControl;
            m_verticalOptions = pSrc->m_verticalOptions;
            SetControl(pSrc->m_hwndControl);
            m_nControlId = pSrc->m_nControlId;
        }
    }
    CXTPControlButton::Copy(pControl, bRecursive);
}
