#include "framework/MDIFrameWnd.h"

#include "framework/Menu.h"
#include "framework/ThreadState.h"
#include "framework/WinApp.h"
#include "framework/WinThread.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

namespace
{
// Window classes whose procedure is the framework's own: their default processing is then the
// frame's DefFrameProc or the child's DefMDIChildProc (DefWindowProc below), never the plain
// DefWindowProc a generic class would give.
LPCSTR RegisterFrameClass(LPCSTR lpszName)
{
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &AfxWndProc;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = lpszName;
    return AfxRegisterClass(&wc) ? lpszName : nullptr;
}

bool IsPlainDefWindowProc(WNDPROC proc)
{
    return !proc || proc == &::DefWindowProcA;
}
} // namespace

// ---------------------------------------------------------------- frame

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = RegisterFrameClass("QvxMDIFrame");
    cs.style |= WS_CLIPCHILDREN;
    return cs.lpszClass != nullptr;
}

HMENU PASCAL CMDIFrameWnd::FindWindowMenuPopup(HMENU hMenu)
{
    if (!hMenu || !::IsMenu(hMenu))
        return nullptr;
    int nCount = ::GetMenuItemCount(hMenu);
    for (int i = nCount - 1; i >= 0; --i)
    {
        HMENU hPopup = ::GetSubMenu(hMenu, i);
        if (!hPopup)
            continue;
        int nItems = ::GetMenuItemCount(hPopup);
        for (int j = 0; j < nItems; ++j)
        {
            UINT nID = ::GetMenuItemID(hPopup, j);
            if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST)
                return hPopup;
        }
    }
    return nullptr;
}

int CMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    HMENU hWindowMenu = FindWindowMenuPopup(::GetMenu(m_hWnd));
    return CreateClient(lpCreateStruct, CMenu::FromHandle(hWindowMenu)) ? 0 : -1;
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu)
{
    if (m_hWndMDIClient)
        return TRUE;
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    CRect rect;
    GetClientRect(&rect);
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL |
                                            WS_HSCROLL | MDIS_ALLCHILDSTYLES,
                                        0, 0, rect.Width(), rect.Height(), m_hWnd,
                                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                        AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

void CMDIFrameWnd::OnSize(UINT nType, int, int)
{
    // The bars and the MDI client are laid out by the frame (DefFrameProc would give the client
    // the whole client area).
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CMDIFrameWnd::OnDestroy()
{
    // Put the frame's own menu back before the window goes: Windows destroys the menu a window
    // shows, and a child's shared menu belongs to its template.
    if (m_hWnd)
    {
        HMENU hCurrent = ::GetMenu(m_hWnd);
        if (hCurrent && hCurrent != m_hMenuDefault)
            ::SetMenu(m_hWnd, m_hMenuDefault);
    }
    CFrameWnd::OnDestroy();
    m_hWndMDIClient = nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return 0;
    if (!IsPlainDefWindowProc(m_pfnSuper))
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

HWND CMDIFrameWnd::MDIGetActiveHwnd(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient
                    ? reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                            reinterpret_cast<LPARAM>(&bMaximized)))
                    : nullptr;
    if (pbMaximized)
        *pbMaximized = hWnd ? bMaximized : FALSE;
    return hWnd;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    return dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(MDIGetActiveHwnd(pbMaximized)));
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

HMENU CMDIFrameWnd::MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu)
{
    if (!m_hWndMDIClient)
        return nullptr;
    return reinterpret_cast<HMENU>(::SendMessageA(m_hWndMDIClient, WM_MDISETMENU,
                                                  reinterpret_cast<WPARAM>(hFrameMenu),
                                                  reinterpret_cast<LPARAM>(hWindowMenu)));
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    return CMenu::FromHandle(MDISetMenu(pFrameMenu->GetSafeHmenu(), pWindowMenu->GetSafeHmenu()));
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (CMDIChildWnd* pActive = MDIGetActive())
    {
        pActive->OnUpdateFrameMenu(TRUE, pActive, hMenuAlt);
        return;
    }
    HMENU hMenu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
    if (hMenu)
        MDISetMenu(hMenu, FindWindowMenuPopup(hMenu));
    DrawMenuBar();
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActive = MDIGetActive();
    return pActive ? static_cast<CFrameWnd*>(pActive) : this;
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        // The child's accelerators, then the client's (Ctrl+F4, Ctrl+F6), then the frame's.
        CMDIChildWnd* pActive = MDIGetActive();
        if (pActive && pActive->PreTranslateMessage(pMsg))
            return TRUE;
        if (m_hWndMDIClient && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
            return TRUE;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive && pActive->CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0 && !m_bHelpMode)
    {
        switch (LOWORD(wParam))
        {
        case ID_WINDOW_ARRANGE:
            MDIIconArrange();
            return TRUE;
        case ID_WINDOW_CASCADE:
            MDICascade();
            return TRUE;
        case ID_WINDOW_TILE_HORZ:
            MDITile(MDITILE_HORIZONTAL);
            return TRUE;
        case ID_WINDOW_TILE_VERT:
            MDITile(MDITILE_VERTICAL);
            return TRUE;
        default:
            break;
        }
    }
    // The client's window-menu items (AFX_IDM_FIRST_MDICHILD and up) fall through to
    // DefFrameProc, which activates the child.
    return CFrameWnd::OnCommand(wParam, lParam);
}

// ---------------------------------------------------------------- child

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivateMessage)
END_MESSAGE_MAP()

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = RegisterFrameClass("QvxMDIChild");
    return cs.lpszClass != nullptr;
}

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd)
{
    if (m_hWnd || !pParentWnd || !pParentWnd->m_hWndMDIClient)
        return FALSE;
    CREATESTRUCTA cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle | WS_CHILD;
    if (rect.left == CW_USEDEFAULT)
        cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    else
    {
        cs.x = rect.left;
        cs.y = rect.top;
        cs.cx = rect.right - rect.left;
        cs.cy = rect.bottom - rect.top;
    }
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    if (!PreCreateWindow(cs))
        return FALSE;

    MDICREATESTRUCTA mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = 0;

    // A child created while the active one is maximised is created maximised (the client's rule);
    // visibility comes after creation so the child's first activation sees the object.
    HWND hWnd;
    {
        AfxWindowCreationScope hook(this);
        if (!hook.Installed())
            return FALSE;
        hWnd = reinterpret_cast<HWND>(
            ::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    }
    if (!hWnd)
        return FALSE;
    if (m_hWnd != hWnd && !m_hWnd)
        SubclassWindow(hWnd);
    if (m_hWnd != hWnd)
        return FALSE;
    if (cs.style & WS_MAXIMIZE)
        pParentWnd->MDIMaximize(this);
    if (cs.style & WS_VISIBLE)
    {
        ::ShowWindow(m_hWnd, SW_SHOW);
        pParentWnd->MDIActivate(this);
        ::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd)
{
    CMDIFrameWnd* pFrame = dynamic_cast<CMDIFrameWnd*>(pParentWnd ? pParentWnd : AfxGetMainWnd());
    if (!pFrame || m_hWnd)
        return FALSE;
    CString strFull, strTitle;
    if (strFull.LoadString(nIDResource))
    {
        for (int nIndex = 0; nIndex < 2 && strTitle.IsEmpty(); ++nIndex)
        {
            int nStart = 0;
            if (nIndex == 1)
            {
                nStart = strFull.Find('\n') + 1;
                if (nStart == 0)
                    break;
            }
            int nEnd = strFull.Find('\n', nStart);
            strTitle = strFull.Mid(nStart, (nEnd < 0 ? strFull.GetLength() : nEnd) - nStart);
        }
    }
    m_nIDHelp = nIDResource;
    return Create(nullptr, strTitle, dwDefaultStyle | WS_CHILD, rectDefault, pFrame);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    if (!m_hWnd)
        return nullptr;
    HWND hWndClient = ::GetParent(m_hWnd);
    HWND hWndFrame = hWndClient ? ::GetParent(hWndClient) : nullptr;
    return dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(hWndFrame));
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    MDIDestroy();
    return TRUE;
}

void CMDIChildWnd::MDIDestroy()
{
    HWND hWnd = m_hWnd;
    HWND hWndClient = hWnd ? ::GetParent(hWnd) : nullptr;
    if (hWndClient)
        ::SendMessageA(hWndClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hWnd), 0);
    if (m_hWnd == hWnd && hWnd && !::IsWindow(hWnd))
        Detach();
}

void CMDIChildWnd::MDIActivate()
{
    if (m_hWnd)
        ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize()
{
    if (m_hWnd)
        ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore()
{
    if (m_hWnd)
        ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::SetHandles(HMENU hMenu, HACCEL hAccel)
{
    m_hMenuShared = hMenu;
    m_hAccelTable = hAccel;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return 0;
    if (!IsPlainDefWindowProc(m_pfnSuper))
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    // Only the child's own accelerators: the frame translates its own after the child's.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable)
    {
        CMDIFrameWnd* pFrame = GetMDIFrame();
        HWND hWndTarget = pFrame ? pFrame->m_hWnd : m_hWnd;
        return ::TranslateAcceleratorA(hWndTarget, m_hAccelTable, pMsg) != 0;
    }
    return FALSE;
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (!pFrame)
        return;
    if (bActive && pActivateWnd == this)
    {
        HMENU hMenu = hMenuAlt ? hMenuAlt : m_hMenuShared;
        if (!hMenu)
            hMenu = pFrame->m_hMenuDefault;
        if (hMenu)
            pFrame->MDISetMenu(hMenu, CMDIFrameWnd::FindWindowMenuPopup(hMenu));
    }
    else if (!bActive && !pActivateWnd)
    {
        // The last child lost activation: the frame's own menu returns.
        HMENU hMenu = hMenuAlt ? hMenuAlt : pFrame->m_hMenuDefault;
        if (hMenu)
            pFrame->MDISetMenu(hMenu, CMDIFrameWnd::FindWindowMenuPopup(hMenu));
    }
    pFrame->DrawMenuBar();
}

LRESULT CMDIChildWnd::OnMDIActivateMessage(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Default();
    HWND hWndDeactivate = reinterpret_cast<HWND>(wParam);
    HWND hWndActivate = reinterpret_cast<HWND>(lParam);
    BOOL bActive = hWndActivate == m_hWnd;
    // A child losing activation to another child leaves the menu to that child.
    if (bActive || (hWndDeactivate == m_hWnd && !hWndActivate))
        OnUpdateFrameMenu(bActive, bActive ? this : nullptr, nullptr);
    return result;
}
