// CWnd: tooltips for the tools a window names through OnToolHitTest, shown by one tooltip window
// per thread.
#include "framework/Wnd.h"

#include "framework/ThreadState.h"
#include "framework/ToolTipCtrl.h"

#include <climits>
#include <iterator>

namespace
{
bool IsMouseMoveOrUp(UINT message)
{
    switch (message)
    {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        return true;
    default:
        return false;
    }
}

bool IsPressOrKey(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || message == WM_LBUTTONDOWN ||
           message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN || message == WM_NCLBUTTONDOWN ||
           message == WM_NCRBUTTONDOWN || message == WM_NCMBUTTONDOWN || message == WM_LBUTTONDBLCLK ||
           message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

void RemoveLastTool(AFX_THREAD_STATE* pState)
{
    if (pState->m_nLastHit != -1 && pState->m_pToolTip && pState->m_pToolTip->m_hWnd &&
        pState->m_lastInfo.cbSize != 0)
        pState->m_pToolTip->SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&pState->m_lastInfo));
    pState->m_hWndLastHit = nullptr;
    pState->m_nLastHit = -1;
    ZeroMemory(&pState->m_lastInfo, sizeof pState->m_lastInfo);
}

CToolTipCtrl* ThreadToolTip(AFX_THREAD_STATE* pState)
{
    if (pState->m_pToolTip && pState->m_pToolTip->m_hWnd)
        return pState->m_pToolTip;
    // None yet, or its window went (the owner of an earlier one was destroyed).
    delete pState->m_pToolTip;
    pState->m_pToolTip = nullptr;
    pState->m_hWndLastHit = nullptr;
    pState->m_nLastHit = -1;
    ZeroMemory(&pState->m_lastInfo, sizeof pState->m_lastInfo);
    CToolTipCtrl* pToolTip = new CToolTipCtrl;
    if (!pToolTip->Create(nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX))
    {
        delete pToolTip;
        return nullptr;
    }
    pToolTip->SetMaxTipWidth(SHRT_MAX);
    pToolTip->Activate(TRUE);
    pState->m_pToolTip = pToolTip;
    return pToolTip;
}
} // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    BOOL bOld = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable)
    {
        m_nFlags |= WF_TOOLTIPS;
        ThreadToolTip(AfxGetThreadState());
    }
    else
    {
        m_nFlags &= ~WF_TOOLTIPS;
        AFX_THREAD_STATE* pState = AfxGetThreadStateNA();
        if (pState && pState->m_hWndLastHit == m_hWnd)
        {
            CancelToolTips();
            RemoveLastTool(pState);
        }
    }
    return bOld;
}

void PASCAL CWnd::CancelToolTips(BOOL)
{
    AFX_THREAD_STATE* pState = AfxGetThreadStateNA();
    if (pState && pState->m_pToolTip && pState->m_pToolTip->m_hWnd)
        pState->m_pToolTip->Pop();
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    if (!pMsg || !m_hWnd)
        return;
    UINT message = pMsg->message;
    if (IsPressOrKey(message))
    {
        CancelToolTips(message >= WM_KEYFIRST && message <= WM_KEYLAST);
        return;
    }
    if (!IsMouseMoveOrUp(message))
        return;

    AFX_THREAD_STATE* pState = AfxGetThreadState();
    CToolTipCtrl* pToolTip = ThreadToolTip(pState);
    if (!pToolTip)
        return;

    // The point in this window's client coordinates: client mouse messages carry it relative to
    // their window, non-client ones in screen coordinates.
    POINT pt = {static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam))};
    if (message != WM_NCMOUSEMOVE && pMsg->hwnd)
        ::ClientToScreen(pMsg->hwnd, &pt);
    ::ScreenToClient(m_hWnd, &pt);

    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    INT_PTR nHit = OnToolHitTest(CPoint(pt), &ti);
    if (pState->m_hWndLastHit != m_hWnd || pState->m_nLastHit != nHit)
    {
        pToolTip->Pop();
        RemoveLastTool(pState);
        if (nHit != -1)
        {
            if (!ti.hwnd)
                ti.hwnd = m_hWnd;
            if (!(ti.uFlags & TTF_IDISHWND) && ti.uId == 0)
                ti.uId = static_cast<UINT_PTR>(nHit);
            if (!ti.lpszText)
                ti.lpszText = LPSTR_TEXTCALLBACKA;
            ti.cbSize = TTTOOLINFOA_V2_SIZE;
            ti.uFlags &= ~TTF_SUBCLASS; // relayed here
            if (pToolTip->SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)))
            {
                pState->m_lastInfo = ti;
                pState->m_lastInfo.lpszText = nullptr; // only hwnd and id are needed to remove it
            }
            pState->m_hWndLastHit = m_hWnd;
            pState->m_nLastHit = nHit;
            pToolTip->Activate(TRUE);
        }
    }
    if (nHit == -1)
        return;

    MSG relay = *pMsg;
    relay.hwnd = m_hWnd;
    relay.message = message == WM_NCMOUSEMOVE ? WM_MOUSEMOVE : message;
    relay.lParam = MAKELPARAM(pt.x, pt.y);
    pToolTip->RelayEvent(&relay);
}

BOOL CWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    if (!pNMHDR)
        return FALSE;
    bool bWide = pNMHDR->code == TTN_NEEDTEXTW;
    UINT uFlags = bWide ? reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR)->uFlags
                        : reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR)->uFlags;
    UINT_PTR nID = pNMHDR->idFrom;
    if (uFlags & TTF_IDISHWND)
        nID = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)));
    if (nID == 0 || nID > 0xFFFF)
        return FALSE;

    CString strFull;
    CString strTip;
    if (strFull.LoadString(static_cast<UINT>(nID)))
    {
        int nNewLine = strFull.Find('\n');
        strTip = nNewLine >= 0 ? strFull.Mid(nNewLine + 1) : strFull;
    }
    if (bWide)
    {
        TOOLTIPTEXTW* pTTT = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
        int n = ::MultiByteToWideChar(CP_ACP, 0, strTip, -1, pTTT->szText, static_cast<int>(std::size(pTTT->szText)));
        if (n == 0)
            pTTT->szText[std::size(pTTT->szText) - 1] = L'\0';
        pTTT->lpszText = pTTT->szText;
        pTTT->hinst = nullptr;
    }
    else
    {
        TOOLTIPTEXTA* pTTT = reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR);
        ::lstrcpynA(pTTT->szText, strTip, static_cast<int>(std::size(pTTT->szText)));
        pTTT->lpszText = pTTT->szText;
        pTTT->hinst = nullptr;
    }
    if (pResult)
        *pResult = 0;
    // The tip may cover a window that changes below it: keep it on top.
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
    return TRUE;
}
