// CWnd: command-UI updates of child controls, bar layout (RepositionBars) and modal loops.
#include "framework/Wnd.h"

#include "framework/CmdUI.h"
#include "framework/HandleMap.h"
#include "framework/WinThread.h"

// ---------------------------------------------------------------- command UI and layout

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    CWnd wndTemp; // a stack wrapper for controls that have no object of their own
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        if (state.m_nID == 0 || LOWORD(state.m_nID) == 0xFFFF)
            continue;
        if (CWnd* pChild = FromHandlePermanent(hWndChild))
            state.m_pOther = pChild;
        else
        {
            wndTemp.m_hWnd = hWndChild;
            state.m_pOther = &wndTemp;
        }
        // Buttons that check themselves have no command of their own: never disable them
        // merely for lack of a handler.
        BOOL bAutoMenuEnable = bDisableIfNoHndler;
        if (::SendMessageA(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
        {
            UINT style = static_cast<UINT>(::GetWindowLongPtrA(hWndChild, GWL_STYLE)) & 0x0F;
            if (style == BS_AUTOCHECKBOX || style == BS_AUTO3STATE || style == BS_GROUPBOX ||
                style == BS_AUTORADIOBUTTON)
                bAutoMenuEnable = FALSE;
        }
        state.DoUpdate(pTarget, bAutoMenuEnable);
    }
    wndTemp.m_hWnd = nullptr;
}

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    HWND hWndParent = ::GetParent(hWnd);
    if (!hWndParent)
        return;
    CRect current;
    ::GetWindowRect(hWnd, &current);
    ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<LPPOINT>(&current), 2);
    if (current == *lpRect)
        return; // unchanged: no repaint
    if (lpLayout && lpLayout->hDWP)
    {
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top,
                                          lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    }
    else
    {
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                       lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
    }
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    if (!m_hWnd)
        return;
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    const UINT mode = nFlags & ~reposNoPosLeftOver;
    layout.hDWP = mode == reposQuery ? nullptr : ::BeginDeferWindowPos(8);

    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        UINT nIDC = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        if (nIDLeftOver != 0 && nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hWndChild))
            ::SendMessageA(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (mode == reposQuery)
    {
        if (lpRectParam)
        {
            if (bStretch)
                ::CopyRect(lpRectParam, &layout.rect);
            else
            {
                lpRectParam->left = lpRectParam->top = 0;
                lpRectParam->right = layout.sizeTotal.cx;
                lpRectParam->bottom = layout.sizeTotal.cy;
            }
        }
        return;
    }

    if (nIDLeftOver != 0 && hWndLeftOver)
    {
        CWnd* pLeftOver = FromHandle(hWndLeftOver);
        if (mode == reposExtra && lpRectParam)
        {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        if (!(nFlags & reposNoPosLeftOver))
        {
            pLeftOver->CalcWindowRect(&layout.rect);
            AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
        }
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

// ---------------------------------------------------------------- modal loops

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL); // wakes the loop
    }
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    if (!m_hWnd)
        return -1;
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    AfxMessageLoopScope scope;
    MSG msg = {};
    POINT lastMouse = {-1, -1};
    UINT lastMouseMsg = 0;

    for (;;)
    {
        if (!ContinueModal())
            break;
        // Idle time: the queue is empty.
        while (bIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (bShowIdle)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent && lIdleCount == 0)
                ::SendMessageA(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
            if (!m_hWnd || !ContinueModal())
                break;
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
            {
                bIdle = FALSE;
                if (scope.IsOutermost())
                    AfxDeleteTempMaps();
            }
        }
        if (!m_hWnd || !ContinueModal())
            break;

        // Messages until the queue is empty again.
        do
        {
            BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
            if (got == -1)
                continue;
            if (!got)
            {
                // WM_QUIT ends this loop and must reach the outer loop too.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            // The loop's own window gets the dialog keys even when an override of
            // PreTranslateMessage does not pass them on.
            if (!AfxPreTranslateMessage(&msg) && !PreTranslateInput(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            if (bShowIdle && (msg.message == WM_SYSKEYDOWN || msg.message == WM_KEYDOWN))
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!m_hWnd || !ContinueModal())
                goto ExitModal;
            // Repeated mouse moves at one point and paint or timer messages do not end idle time.
            bool idleMessage = true;
            if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE)
            {
                idleMessage =
                    !(msg.message == lastMouseMsg && msg.pt.x == lastMouse.x && msg.pt.y == lastMouse.y);
                lastMouse = msg.pt;
                lastMouseMsg = msg.message;
            }
            else if (msg.message == WM_PAINT || msg.message == 0x0118 /* system caret timer */)
                idleMessage = false;
            if (idleMessage)
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}
