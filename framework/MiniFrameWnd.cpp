#include "framework/MiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
ON_MESSAGE(WM_NCACTIVATE, OnNcActivateMini)
END_MESSAGE_MAP()

BOOL CMiniFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT)
{
    // A top-level window owned by the parent's top-level window; the mini-frame style bits stay
    // in the style, where a popup leaves them unused.
    DWORD style = (dwStyle & ~WS_CHILD) | WS_POPUP | WS_CAPTION;
    HWND hWndOwner = pParentWnd ? pParentWnd->GetTopLevelParent()->GetSafeHwnd() : nullptr;
    if (!hWndOwner)
        hWndOwner = pParentWnd->GetSafeHwnd();
    // rectDefault (CW_USEDEFAULT) lets the system place and size the window.
    bool useDefault = rect.left == CW_USEDEFAULT;
    return CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpszClassName, lpszWindowName, style,
                          useDefault ? CW_USEDEFAULT : rect.left, useDefault ? CW_USEDEFAULT : rect.top,
                          useDefault ? CW_USEDEFAULT : rect.right - rect.left,
                          useDefault ? CW_USEDEFAULT : rect.bottom - rect.top, hWndOwner, nullptr);
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    DWORD dwFlags = static_cast<DWORD>(wParam);
    BOOL bSync = (GetStyle() & MFS_SYNCACTIVE) != 0;
    if (bSync && (dwFlags & (FS_ACTIVATE | FS_DEACTIVATE)))
    {
        // The caption follows the owner's (without activating this window).
        m_bActive = (dwFlags & FS_ACTIVATE) != 0;
        DefWindowProc(WM_NCACTIVATE, static_cast<WPARAM>(m_bActive), 0);
    }
    if (dwFlags & (FS_SHOW | FS_HIDE))
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     ((dwFlags & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOZORDER | SWP_NOMOVE |
                         SWP_NOSIZE | SWP_NOACTIVATE);
    if (dwFlags & (FS_ENABLE | FS_DISABLE))
        EnableWindow((dwFlags & FS_ENABLE) != 0);
    return bSync && (dwFlags & FS_SYNCACTIVE) ? TRUE : FALSE;
}

LRESULT CMiniFrameWnd::OnNcActivateMini(WPARAM wParam, LPARAM lParam)
{
    BOOL bActive = GetNcActiveState(static_cast<BOOL>(wParam));
    if ((GetStyle() & MFS_SYNCACTIVE) && !bActive)
    {
        // Stays drawn active while the owner is the active window.
        HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
        if (hWndOwner && ::GetActiveWindow() == hWndOwner)
            bActive = TRUE;
    }
    m_bActive = bActive;
    return DefWindowProc(WM_NCACTIVATE, static_cast<WPARAM>(bActive), lParam);
}
