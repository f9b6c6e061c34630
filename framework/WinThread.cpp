#include "framework/WinThread.h"

#include "framework/HandleMap.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace
{
thread_local CWinThread* t_pThread = nullptr;
thread_local int t_loopDepth = 0;
} // namespace

CWinThread::CWinThread() : m_nThreadID(GetCurrentThreadId())
{
    if (!t_pThread)
        t_pThread = this;
}

CWinThread::~CWinThread()
{
    if (t_pThread == this)
        t_pThread = nullptr;
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg->hwnd)
        return FALSE; // thread messages are not translated
    CWnd* pMainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd ? pMainWnd->m_hWnd : nullptr, pMsg))
        return TRUE;
    // A message for a window outside the main window's tree (a popup it does not own) is still
    // shown to the main window, which may hold the accelerators.
    if (pMainWnd && pMainWnd->m_hWnd)
    {
        HWND hWnd = pMsg->hwnd;
        while (hWnd && hWnd != pMainWnd->m_hWnd)
            hWnd = ::GetParent(hWnd);
        if (!hWnd && pMainWnd->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        CWnd* pMainWnd = GetMainWnd();
        if (pMainWnd && pMainWnd->m_hWnd && ::IsWindowVisible(pMainWnd->m_hWnd))
        {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    AfxDeleteTempMaps();
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        bool same =
            pMsg->message == m_nMsgLast && pMsg->pt.x == m_ptCursorLast.x && pMsg->pt.y == m_ptCursorLast.y;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return !same;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118; // nor the caret-blink timer
}

BOOL CWinThread::PumpMessage()
{
    BOOL got = ::GetMessageA(&m_msgCur, nullptr, 0, 0);
    if (got == 0)
        return FALSE;
    if (got == -1)
        return TRUE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur))
    {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

int CWinThread::RunMessageLoop()
{
    AfxMessageLoopScope scope;
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    MSG peek;
    for (;;)
    {
        while (bIdle && !::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!PumpMessage())
                return static_cast<int>(m_msgCur.wParam);
            if (IsIdleMessage(&m_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

CWinThread* AfxGetThread()
{
    return t_pThread;
}

CWnd* AfxGetMainWnd()
{
    if (CWinThread* pThread = AfxGetThread())
    {
        if (CWnd* pWnd = pThread->GetMainWnd())
            return pWnd;
    }
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->m_pMainWnd : nullptr;
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PreTranslateMessage(pMsg);
    CWnd* pMainWnd = AfxGetMainWnd();
    return CWnd::WalkPreTranslateTree(pMainWnd ? pMainWnd->m_hWnd : nullptr, pMsg);
}

BOOL AfxRouteCmdToThreadAndApp(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode != CN_COMMAND && static_cast<UINT>(nCode) != CN_UPDATE_COMMAND_UI)
        return FALSE;
    CWinThread* pThread = AfxGetThread();
    if (pThread && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && static_cast<CWinThread*>(pApp) != pThread && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

AfxMessageLoopScope::AfxMessageLoopScope()
{
    ++t_loopDepth;
}

AfxMessageLoopScope::~AfxMessageLoopScope()
{
    --t_loopDepth;
}

bool AfxMessageLoopScope::IsOutermost() const
{
    return t_loopDepth == 1;
}
