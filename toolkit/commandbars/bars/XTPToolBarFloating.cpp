// CXTPToolBar: the window's own messages: the gripper cursor, clicks on empty space (drag, toggle),
// the floating window's sizing borders, activation and the frame's floating-status notices.
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "toolkit/commandbars/controls/XTPControlHyperlink.h"

#include <windowsx.h>

#include "framework/FrameWnd.h"
#include "framework/MiniFrameWnd.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/docking/XTPDockContext.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

namespace
{
// The bar's top-level parent, or null.
HWND TopParentOf(HWND hWnd)
{
    HWND hWndTop = hWnd;
    for (HWND hWndNext = hWnd; hWndNext; hWndNext = ::GetParent(hWndNext))
        hWndTop = hWndNext;
    return hWndTop != hWnd ? hWndTop : ::GetWindow(hWnd, GW_OWNER);
}
} // namespace

BOOL CXTPToolBar::OnSetCursor(CWnd*, UINT nHitTest, UINT)
{
    if (nHitTest == HTCLIENT && XTPSetHyperlinkCursor(this))
        return TRUE;
    if (m_pDockBar && m_pDockContext && (m_dwFlags & 0x1F) && nHitTest == HTCLIENT)
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        CRect rcBorders = GetBorders();
        const BOOL bVert = GetPosition() == xtpBarLeft || GetPosition() == xtpBarRight;
        const BOOL bOverGripper = bVert ? pt.y >= 0 && pt.y < rcBorders.top : pt.x >= 0 && pt.x < rcBorders.left;
        if (bOverGripper)
        {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
            return TRUE;
        }
    }
    return static_cast<BOOL>(Default());
}

void CXTPToolBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = HitTestControl(point);
    if (pControl && pControl->OnRButtonUp(point))
        return;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars || IsCustomizeMode())
    {
        CXTPCommandBar::OnRButtonUp(nFlags, point);
        return;
    }
    SetTrackingMode(FALSE);
    SetSelected(-1);
    Redraw();
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    pCommandBars->ContextMenu(0, ptScreen.x, ptScreen.y);
}

LRESULT CXTPToolBar::OnNcCreateMessage(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    if (!lResult)
        return lResult;
    if (::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & 0x100)
    {
        HWND hWndTop = TopParentOf(m_hWnd);
        HWND hWndForeground = ::GetForegroundWindow();
        BOOL bActive = hWndTop && hWndTop == hWndForeground;
        if (!bActive && hWndTop)
        {
            HWND hWndPopup = ::GetLastActivePopup(hWndTop);
            bActive = hWndPopup == hWndForeground && hWndPopup &&
                      ::SendMessageA(hWndPopup, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
        }
        ::SendMessageA(m_hWnd, WM_FLOATSTATUS, bActive ? FS_ACTIVATE : FS_DEACTIVATE, 0);
    }
    return lResult;
}

LRESULT CXTPToolBar::OnNcActivateMessage(WPARAM wParam, LPARAM)
{
    // The bar never shows itself active; the frame keeps the active caption.
    if (wParam)
        return 0;
    return Default();
}

LRESULT CXTPToolBar::OnFloatStatus(WPARAM wParam, LPARAM)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    const BOOL bSync = !pCommandBars || pCommandBars->GetCommandBarsOptions()->bSyncFloatingBars;
    if (IsFloating() && m_bVisible && bSync && m_hWnd)
    {
        HWND hWndTop = TopParentOf(m_hWnd);
        if (wParam & FS_DEACTIVATE)
        {
            if (hWndTop && ::GetActiveWindow() != hWndTop)
                ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (wParam & FS_ACTIVATE)
        {
            HWND hWndForeground = ::GetForegroundWindow();
            if (!::IsWindowVisible(m_hWnd) && hWndForeground && ::IsWindowVisible(hWndForeground) &&
                !::IsIconic(hWndForeground))
                ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                               SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (wParam & (FS_SHOW | FS_HIDE))
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           ((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE |
                               SWP_NOZORDER | SWP_NOACTIVATE);
        if (wParam & (FS_ENABLE | FS_DISABLE))
            ::EnableWindow(m_hWnd, (wParam & FS_ENABLE) != 0);
    }
    return ((::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & 0x100) && (wParam & FS_SYNCACTIVE)) ? TRUE : FALSE;
}

int CXTPToolBar::OnMouseActivate(CWnd*, UINT, UINT)
{
    if (IsFloating() || IsCustomizeMode())
        return MA_NOACTIVATE;
    // The focus in a mini frame under the active top parent stays there.
    HWND hWndFocus = ::GetFocus();
    for (HWND h = hWndFocus; h; h = ::GetParent(h))
    {
        if (dynamic_cast<CMiniFrameWnd*>(CWnd::FromHandlePermanent(h)))
            return MA_NOACTIVATE;
    }
    return static_cast<int>(Default());
}

void CXTPToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsFloating())
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (HitTestControl(point) || IsCustomizeMode())
    {
        CXTPCommandBar::OnLButtonDown(nFlags, point);
        return;
    }
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars)
        pCommandBars->EndAllTracking();
    else
        SetTrackingMode(FALSE);
    if (m_pDockContext && (m_dwFlags & 0x1F))
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        m_pDockContext->StartDrag(ptScreen);
    }
}

LRESULT CXTPToolBar::OnNcHitTest(CPoint point)
{
    if (IsFloating() && !IsPopupType())
    {
        CRect rc;
        GetWindowRect(&rc);
        if (point.y < rc.top + 3)
            return HTTOP;
        if (point.y >= rc.bottom - 3)
            return HTBOTTOM;
        if (point.x < rc.left + 3)
            return HTLEFT;
        if (point.x >= rc.right - 3)
            return HTRIGHT;
    }
    return CXTPCommandBar::OnNcHitTest(point);
}

LRESULT CXTPToolBar::OnNcLButtonDownMessage(WPARAM wParam, LPARAM lParam)
{
    if (m_pDockContext && wParam >= HTLEFT && wParam <= HTBOTTOMRIGHT)
    {
        HWND hWndTop = TopParentOf(m_hWnd);
        if (hWndTop)
            ::SetActiveWindow(hWndTop);
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetTrackingMode(FALSE);
        m_pDockContext->StartResize(static_cast<int>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return 0;
    }
    return CXTPCommandBar::OnNcLButtonDownMessage(wParam, lParam);
}

void CXTPToolBar::ResizeBar(const CRect& rcWindow, int)
{
    CRect rc = rcWindow;
    HWND hWndParent = ::GetParent(m_hWnd);
    if (hWndParent && (::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_CHILD))
        ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<POINT*>(&rc), 2);
    ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CXTPToolBar::OnSetFocus(CWnd* pOldWnd)
{
    m_hwndFocus = pOldWnd ? pOldWnd->GetSafeHwnd() : nullptr;
    Default();
    // A bar in a dialog (no dock context) takes the keyboard.
    if (!m_pDockContext && !IsTrackingMode())
        SetTrackingMode(TRUE, TRUE, TRUE);
}

void CXTPToolBar::OnClose()
{
    // A toolbar is never closed by the system: its close button hides it.
}

void CXTPToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (!HitTestControl(point) && m_pDockContext)
    {
        m_pDockContext->ToggleDocking();
        return;
    }
    CXTPCommandBar::OnLButtonDblClk(nFlags, point);
}
