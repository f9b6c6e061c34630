#include "framework/FrameWnd.h"

#include "framework/Menu.h"
#include "framework/ThreadState.h"
#include "framework/WinApp.h"
#include "framework/WinThread.h"

#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_SIZE()
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_MESSAGE(WM_NCACTIVATE, OnNcActivateMessage)
ON_WM_ENABLE()
ON_WM_SHOWWINDOW()
ON_WM_DESTROY()
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
ON_COMMAND(ID_CONTEXT_HELP, OnContextHelpCommand)
END_MESSAGE_MAP()

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || !m_hWnd)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~idleLayout;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, nullptr);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL)
{
    m_nIdleFlags |= idleLayout;
}

void CFrameWnd::OnIdleUpdate()
{
    if (m_nIdleFlags & idleLayout)
        RecalcLayout(m_nIdleFlags & idleNotify ? TRUE : FALSE);
    m_nIdleFlags &= ~(idleLayout | idleNotify);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    OnIdleUpdate();
    return 0;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    CString str;
    if (!str.LoadString(nID))
        return;
    int nNewLine = str.Find('\n');
    rMessage = nNewLine >= 0 ? str.Left(nNewLine) : str;
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    m_nIDLastMessage = static_cast<UINT>(wParam);
    CWnd* pStatus = GetDlgItem(AFX_IDW_STATUS_BAR);
    if (pStatus)
    {
        CString strMessage;
        if (wParam == 0)
            strMessage = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
        else
            GetMessageString(static_cast<UINT>(wParam), strMessage);
        pStatus->SetWindowText(strMessage);
        pStatus->UpdateWindow();
    }
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::SetMessageText(LPCSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID, 0);
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR lpszResourceName)
{
    if (m_hAccelTable)
        return FALSE; // one table per frame
    m_hAccelTable = ::LoadAcceleratorsA(::GetModuleHandleA(nullptr), lpszResourceName);
    return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable && m_hWnd)
        return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg) != 0;
    return FALSE;
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (!m_hWnd)
        return nullptr;
    for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h))
    {
        CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(h));
        if (pFrame)
            return pFrame;
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (!m_hWnd)
        return nullptr;
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(m_hWnd));
    if (!pFrame)
        pFrame = GetParentFrame();
    while (pFrame)
    {
        CFrameWnd* pOuter = pFrame->GetParentFrame();
        if (!pOuter)
            break;
        pFrame = pOuter;
    }
    return pFrame;
}

// ---------------------------------------------------------------- resources and routing

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd)
{
    if (m_hWnd)
        return FALSE;
    m_nIDHelp = nIDResource;
    HINSTANCE hInst = AfxGetInstanceHandle();
    LPCSTR lpszResource = MAKEINTRESOURCEA(nIDResource);

    CString strFull, strTitle;
    if (strFull.LoadString(nIDResource))
    {
        int nNewLine = strFull.Find('\n');
        strTitle = nNewLine >= 0 ? strFull.Left(nNewLine) : strFull;
    }

    HMENU hMenu = ::LoadMenuA(hInst, lpszResource);
    if (hMenu)
    {
        m_hMenuDefault = hMenu;
        m_nFrameFlags |= FS_MENULOADED;
    }
    if (!m_hAccelTable)
        LoadAccelTable(lpszResource);

    BOOL ok = CreateEx(0, nullptr, strTitle, dwDefaultStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                       CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), hMenu, nullptr);
    if (!ok)
    {
        if (hMenu && !::IsMenu(hMenu))
            hMenu = nullptr; // went with a window that was made and destroyed again
        if (hMenu)
            ::DestroyMenu(hMenu);
        m_hMenuDefault = nullptr;
        m_nFrameFlags &= ~FS_MENULOADED;
        return FALSE;
    }
    if (HICON hIcon = ::LoadIconA(hInst, lpszResource))
        SetIcon(hIcon, TRUE);
    return TRUE;
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CPushRoutingFrame push(this);
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return AfxRouteCmdToThreadAndApp(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CPushRoutingFrame push(this);
    // In help mode a menu or accelerator command names its help context instead of running.
    if (m_bHelpMode && lParam == 0 && LOWORD(wParam) != 0 && LOWORD(wParam) != ID_CONTEXT_HELP)
    {
        ExitHelpMode();
        SendMessage(WM_COMMANDHELP, 0, static_cast<LPARAM>(HID_BASE_COMMAND + LOWORD(wParam)));
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

// ---------------------------------------------------------------- activation and floating windows

namespace
{
struct OwnedCollect
{
    HWND hWndOwner;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectOwnedWindow(HWND hWnd, LPARAM lParam)
{
    auto* collect = reinterpret_cast<OwnedCollect*>(lParam);
    if (::GetWindow(hWnd, GW_OWNER) == collect->hWndOwner && CWnd::FromHandlePermanent(hWnd))
        collect->windows.push_back(hWnd);
    return TRUE;
}
} // namespace

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    if (!m_hWnd || (GetStyle() & WS_CHILD))
        return; // only a top-level frame owns floating windows
    OwnedCollect collect = {m_hWnd, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectOwnedWindow, reinterpret_cast<LPARAM>(&collect));
    // A window that an earlier one destroyed is skipped.
    for (HWND hWnd : collect.windows)
    {
        if (::IsWindow(hWnd))
            ::SendMessageA(hWnd, WM_FLOATSTATUS, dwFlags, 0);
    }
}

BOOL CFrameWnd::GetNcActiveState(BOOL bActive) const
{
    if (m_nFlags & WF_STAYACTIVE)
        bActive = TRUE;
    if (!::IsWindowEnabled(m_hWnd))
        bActive = FALSE;
    return bActive;
}

LRESULT CFrameWnd::OnNcActivateMessage(WPARAM wParam, LPARAM lParam)
{
    BOOL bActive = GetNcActiveState(static_cast<BOOL>(wParam));
    NotifyFloatingWindows(bActive ? FS_ACTIVATE : FS_DEACTIVATE);
    return DefWindowProc(WM_NCACTIVATE, static_cast<WPARAM>(bActive), lParam);
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

void CFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWnd::OnShowWindow(bShow, nStatus);
    // Only an explicit show or hide (nStatus 0), not a parent's minimise or restore.
    if (nStatus == 0)
        NotifyFloatingWindows(bShow ? FS_SHOW : FS_HIDE);
}

void CFrameWnd::OnDestroy()
{
    // Windows destroys the menu a window shows; a menu the frame loaded but does not show now
    // (an MDI child's menu or a menu bar took its place) is the frame's to destroy.
    if ((m_nFrameFlags & FS_MENULOADED) && m_hMenuDefault)
    {
        if (::GetMenu(m_hWnd) != m_hMenuDefault && ::IsMenu(m_hMenuDefault))
            ::DestroyMenu(m_hMenuDefault);
        m_hMenuDefault = nullptr;
        m_nFrameFlags &= ~FS_MENULOADED;
    }
    if (m_bHelpMode)
        ExitHelpMode();
    CWnd::OnDestroy();
}

// ---------------------------------------------------------------- context help

BOOL CFrameWnd::CanEnterHelpMode()
{
    return m_hWnd && !m_bHelpMode && ::GetCapture() == nullptr;
}

void CFrameWnd::ExitHelpMode()
{
    if (!m_bHelpMode)
        return;
    m_bHelpMode = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    PostMessage(WM_KICKIDLE); // wakes the pick loop so that it sees the end
}

DWORD_PTR CFrameWnd::HelpHitTest(POINT ptScreen)
{
    for (HWND hWnd = ::WindowFromPoint(ptScreen); hWnd; hWnd = ::GetParent(hWnd))
    {
        POINT pt = ptScreen;
        ::ScreenToClient(hWnd, &pt);
        LRESULT context = ::SendMessageA(hWnd, WM_HELPHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        if (context)
            return static_cast<DWORD_PTR>(context);
    }
    return 0;
}

void CFrameWnd::OnContextHelpCommand()
{
    OnContextHelp();
}

void CFrameWnd::OnContextHelp()
{
    if (!CanEnterHelpMode())
        return;
    m_bHelpMode = TRUE;
    SetCapture();
    ::SetCursor(::LoadCursor(nullptr, IDC_HELP));
    DWORD_PTR context = 0;
    while (m_bHelpMode && m_hWnd)
    {
        MSG msg;
        if (::GetMessageA(&msg, nullptr, 0, 0) <= 0)
        {
            if (msg.message == WM_QUIT)
                ::PostQuitMessage(static_cast<int>(msg.wParam)); // for the outer loop
            break;
        }
        if (!m_bHelpMode || ::GetCapture() != m_hWnd)
        {
            if (msg.message != WM_KICKIDLE)
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            break;
        }
        if (msg.message == WM_LBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN)
        {
            POINT pt = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
            if (msg.message == WM_LBUTTONDOWN)
                ::ClientToScreen(msg.hwnd, &pt);
            context = HelpHitTest(pt);
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            break;
        if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
            (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
            (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK))
            continue; // the pick eats input
        if (msg.message == WM_COMMAND && msg.hwnd == m_hWnd && msg.lParam == 0)
        {
            // A command chosen meanwhile (a menu, an accelerator) names its help context.
            context = HID_BASE_COMMAND + LOWORD(msg.wParam);
            break;
        }
        if (msg.message != WM_KICKIDLE)
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    ExitHelpMode();
    if (context && m_hWnd)
        WinHelp(context, HELP_CONTEXT);
}

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam)
{
    DWORD_PTR context = static_cast<DWORD_PTR>(lParam);
    if (context == 0 && m_nIDLastMessage != 0)
        context = HID_BASE_COMMAND + m_nIDLastMessage;
    if (context == 0)
        return FALSE;
    WinHelp(context, HELP_CONTEXT);
    return TRUE;
}

void CFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->WinHelp(dwData, nCmd);
}
