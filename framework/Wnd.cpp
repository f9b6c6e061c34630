#include "framework/Wnd.h"

#include "framework/CmdUI.h"
#include "framework/DC.h"
#include "framework/Exceptions.h"
#include "framework/GdiObject.h"
#include "framework/HandleMap.h"
#include "framework/Menu.h"
#include "framework/SafeThis.h"
#include "framework/StdControls.h"
#include "framework/ThreadState.h"
#include "framework/WinApp.h"
#include "framework/WinThread.h"

#include <cstdio>
#include <exception>
#include <mutex>
#include <set>
#include <string>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace
{
void* CreateTempWnd(void* handle)
{
    return new CWnd(static_cast<HWND>(handle));
}

void DeleteTempWnd(void* object)
{
    CWnd* pWnd = static_cast<CWnd*>(object);
    pWnd->m_hWnd = nullptr; // a temporary object never owns its window
    delete pWnd;
}

CHandleMap& WndMap()
{
    static CHandleMap* map = new CHandleMap(&CreateTempWnd, &DeleteTempWnd); // lives for the program
    return *map;
}

// The object whose window CreateEx is creating on this thread; the CBT hook attaches it.
thread_local CWnd* t_pWndInit = nullptr;
thread_local HHOOK t_hHookCbt = nullptr;

void ReportCallbackException(const char* what)
{
    char text[256];
    std::snprintf(text, sizeof text, "Quorvex framework: exception stopped at window procedure: %s\n", what);
    OutputDebugStringA(text);
    std::fputs(text, stderr);
}

bool IsOwnWndProc(WNDPROC proc)
{
    return proc == &AfxWndProc;
}

// Makes the framework's procedure the window's procedure and remembers the original one.
void HookWindowProc(CWnd* pWnd, HWND hWnd)
{
    WNDPROC old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    if (!IsOwnWndProc(old))
    {
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
        pWnd->m_pfnSuper = old;
    }
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pWndInit)
    {
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        pWnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::mutex& ClassNameLock()
{
    static std::mutex* lock = new std::mutex;
    return *lock;
}

std::set<std::string>& ClassNames()
{
    static std::set<std::string>* names = new std::set<std::string>;
    return *names;
}

bool IsReflectable(UINT message)
{
    switch (message)
    {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
        return true;
    default:
        return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    }
}

// The control that a reflectable message is about, or null.
HWND ReflectTarget(HWND hWndParent, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_DRAWITEM:
        return lParam ? reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_MEASUREITEM: {
        // Carries only the control id.
        MEASUREITEMSTRUCT* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        return (mis && mis->CtlType != ODT_MENU) ? GetDlgItem(hWndParent, static_cast<int>(mis->CtlID))
                                                 : nullptr;
    }
    case WM_DELETEITEM:
        return lParam ? reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_COMPAREITEM:
        return lParam ? reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_PARENTNOTIFY:
        switch (LOWORD(wParam))
        {
        case WM_CREATE:
        case WM_DESTROY:
            return reinterpret_cast<HWND>(lParam);
        default:
            return nullptr;
        }
    default: // scroll bars, item keys and colours carry the control in lParam
        return reinterpret_cast<HWND>(lParam);
    }
}
} // namespace

AfxWindowCreationScope::AfxWindowCreationScope(CWnd* pWnd)
    : m_hPreviousHook(t_hHookCbt), m_pPreviousInit(t_pWndInit)
{
    t_hHookCbt = SetWindowsHookExA(WH_CBT, &CbtFilterHook, nullptr, GetCurrentThreadId());
    t_pWndInit = pWnd;
}

AfxWindowCreationScope::~AfxWindowCreationScope()
{
    if (t_hHookCbt)
        UnhookWindowsHookEx(t_hHookCbt);
    t_hHookCbt = static_cast<HHOOK>(m_hPreviousHook);
    t_pWndInit = m_pPreviousInit;
}

bool AfxWindowCreationScope::Installed() const
{
    return t_hHookCbt != nullptr;
}

// ---------------------------------------------------------------- window procedure

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The state is looked up once: it lives as long as the thread.
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    MSG previous = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = message;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    LRESULT result = 0;
    try
    {
        result = pWnd->WindowProc(message, wParam, lParam);
    }
    catch (CException* e)
    {
        ReportCallbackException(e->GetErrorText());
        e->Delete();
        result = (message == WM_CREATE) ? -1 : 0;
    }
    catch (const std::exception& e)
    {
        ReportCallbackException(e.what());
        result = (message == WM_CREATE || message == WM_NCCREATE) ? -1 : 0;
        if (message == WM_NCCREATE)
            result = FALSE;
    }
    catch (...)
    {
        ReportCallbackException("unknown exception");
        result = (message == WM_CREATE) ? -1 : 0;
        if (message == WM_NCCREATE)
            result = FALSE;
    }

    if (message == WM_NCDESTROY && pWnd->m_hWnd == hWnd)
    {
        // The window is gone: give back the original procedure (others may still call it),
        // drop the link and let the object decide about itself.
        WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
        if (IsOwnWndProc(current) && pWnd->m_pfnSuper)
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
        pWnd->Detach();
        pState->m_lastSentMsg = previous;
        try
        {
            pWnd->PostNcDestroy();
        }
        catch (...)
        {
            ReportCallbackException("exception in PostNcDestroy");
        }
        return result;
    }
    pState->m_lastSentMsg = previous;
    return result;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

// ---------------------------------------------------------------- construction and handle map

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
    {
        // The object is going away with its window still alive: destroy the window (which
        // detaches through WM_NCDESTROY); a window of another thread can only be let go.
        if (GetWindowThreadProcessId(m_hWnd, nullptr) == GetCurrentThreadId())
            ::DestroyWindow(m_hWnd);
        if (m_hWnd)
        {
            WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC));
            if (IsOwnWndProc(current) && m_pfnSuper)
                SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
            Detach();
        }
    }
}

HWND CWnd::GetSafeHwnd() const
{
    const CWnd* self = AfxSafeThis(this);
    return self ? self->m_hWnd : nullptr;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return static_cast<CWnd*>(WndMap().FromHandle(hWnd));
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? static_cast<CWnd*>(WndMap().LookupPermanent(hWnd)) : nullptr;
}

void PASCAL CWnd::DeleteTempMap()
{
    WndMap().DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    return AfxAttachHandle(WndMap(), m_hWnd, hWndNew, this);
}

HWND CWnd::Detach()
{
    return AfxDetachHandle(WndMap(), m_hWnd, this);
}

// ---------------------------------------------------------------- creation

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void*)
{
    // Child windows only: top-level windows use CreateEx.
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE; // one window per object
    AfxInitCommonControls();

    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    HWND hWnd;
    {
        AfxWindowCreationScope hook(this);
        if (!hook.Installed())
            return FALSE;
        hWnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                               cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    }
    if (!hWnd)
    {
        // Creation failed after the object was attached: WM_NCDESTROY has detached it already.
        return FALSE;
    }
    if (m_hWnd != hWnd)
    {
        // The hook did not see this window (it was created by another thread's class?): attach now.
        if (!m_hWnd)
            SubclassWindow(hWnd);
    }
    return m_hWnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
    {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    }
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND hWnd = m_hWnd;
    BOOL ok = ::DestroyWindow(hWnd);
    // A window that the framework does not see being destroyed (not subclassed any more) is
    // let go here so the object does not keep a dead handle.
    if (m_hWnd == hWnd && !::IsWindow(hWnd))
        Detach();
    return ok;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

// ---------------------------------------------------------------- subclassing

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    HookWindowProc(this, hWnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent || !pParent->m_hWnd)
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd)
        return nullptr;
    WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC));
    if (IsOwnWndProc(current) && m_pfnSuper)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

// ---------------------------------------------------------------- message processing

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    msg.time = GetMessageTime();
    DWORD pos = GetMessagePos();
    msg.pt.x = static_cast<short>(LOWORD(pos));
    msg.pt.y = static_cast<short>(HIWORD(pos));
    return &msg;
}

MSG* AfxGetThreadCurrentMessage()
{
    return &AfxGetThreadState()->m_lastSentMsg;
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return 0;
    if (m_pfnSuper)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (message == WM_COMMAND)
    {
        if (OnCommand(wParam, lParam))
        {
            if (pResult)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_NOTIFY)
    {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR && pNMHDR->hwndFrom && OnNotify(wParam, lParam, &result))
        {
            if (pResult)
                *pResult = result;
            return TRUE;
        }
        // The thread's tooltip asks the window that enabled tooltips for a callback tool's text.
        if (pNMHDR && (m_nFlags & WF_TOOLTIPS) && (pNMHDR->code == TTN_NEEDTEXTA || pNMHDR->code == TTN_NEEDTEXTW) &&
            OnToolTipText(0, pNMHDR, &result))
        {
            if (pResult)
                *pResult = result;
            return TRUE;
        }
        return FALSE;
    }

    // Windows tells only top-level windows about colour and setting changes; the children
    // (common controls and our own bars) need to know as well.
    if ((message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE) && !(GetStyle() & WS_CHILD))
        SendMessageToDescendants(message, wParam, lParam, TRUE, FALSE);

    UINT lookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        lookup = WM_CTLCOLOR;
    else if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC)
        lookup = WM_REFLECT_BASE + WM_CTLCOLOR;

    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), lookup);
    if (pEntry)
    {
        if (DispatchWndMsg(pEntry, message, wParam, lParam, &result))
        {
            if (pResult)
                *pResult = result;
            return TRUE;
        }
        return FALSE;
    }

    // No handler of its own: a control may handle the message it caused.
    if (IsReflectable(message))
    {
        HWND hWndChild = ReflectTarget(m_hWnd, message, wParam, lParam);
        if (hWndChild && hWndChild != m_hWnd && ReflectMessage(hWndChild, message, wParam, lParam, &result))
        {
            if (pResult)
                *pResult = result;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::DispatchWndMsg(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT* pResult)
{
    CCmdTarget* self = this;
    const AFX_PMSG pfn = pEntry->pfn;
#define QVX_CALL(type, ...) (self->*AfxMemberFunctionCast<type>(pfn))(__VA_ARGS__)
    LRESULT r = 0;
    switch (pEntry->nSig)
    {
    case AfxSig_vv:
        QVX_CALL(void(CCmdTarget::*)());
        break;
    case AfxSig_bv:
        r = QVX_CALL(BOOL(CCmdTarget::*)());
        break;
    case AfxSig_lwl:
        r = QVX_CALL(LRESULT(CCmdTarget::*)(WPARAM, LPARAM), wParam, lParam);
        break;
    case AfxSig_is:
        r = QVX_CALL(int(CCmdTarget::*)(LPCREATESTRUCT), reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_vwii:
        QVX_CALL(void(CCmdTarget::*)(UINT, int, int), static_cast<UINT>(wParam),
                 static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_vwp:
        QVX_CALL(void(CCmdTarget::*)(UINT, CPoint), static_cast<UINT>(wParam), CPoint(lParam));
        break;
    case AfxSig_vwww:
        QVX_CALL(void(CCmdTarget::*)(UINT, UINT, UINT), static_cast<UINT>(wParam), LOWORD(lParam),
                 HIWORD(lParam));
        break;
    case AfxSig_vW:
        QVX_CALL(void(CCmdTarget::*)(CWnd*),
                 CWnd::FromHandle(reinterpret_cast<HWND>(
                     message == WM_CAPTURECHANGED ? lParam : static_cast<LPARAM>(wParam))));
        break;
    case AfxSig_bD: {
        CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        r = QVX_CALL(BOOL(CCmdTarget::*)(CDC*), pDC);
        break;
    }
    case AfxSig_hDWw: {
        CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        CWnd* pCtl = CWnd::FromHandle(reinterpret_cast<HWND>(lParam));
        UINT type = message - WM_CTLCOLORMSGBOX;
        r = reinterpret_cast<LRESULT>(QVX_CALL(HBRUSH(CCmdTarget::*)(CDC*, CWnd*, UINT), pDC, pCtl, type));
        break;
    }
    case AfxSig_hDw: {
        CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        UINT type = message - (WM_REFLECT_BASE + WM_CTLCOLORMSGBOX);
        HBRUSH brush = QVX_CALL(HBRUSH(CCmdTarget::*)(CDC*, UINT), pDC, type);
        if (!brush)
            return FALSE; // not coloured by the control: the parent's default applies
        r = reinterpret_cast<LRESULT>(brush);
        break;
    }
    case AfxSig_vPOS:
        QVX_CALL(void(CCmdTarget::*)(MINMAXINFO*), reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case AfxSig_vt:
        QVX_CALL(void(CCmdTarget::*)(UINT_PTR), static_cast<UINT_PTR>(wParam));
        break;
    case AfxSig_vws:
        QVX_CALL(void(CCmdTarget::*)(UINT, LPCSTR), static_cast<UINT>(wParam),
                 reinterpret_cast<LPCSTR>(lParam));
        break;
    case AfxSig_bWww:
        r = QVX_CALL(BOOL(CCmdTarget::*)(CWnd*, UINT, UINT), CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                     LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_bwsp: {
        CPoint pt(lParam);
        r = QVX_CALL(BOOL(CCmdTarget::*)(UINT, short, CPoint), LOWORD(wParam),
                     static_cast<short>(HIWORD(wParam)), pt);
        break;
    }
    case AfxSig_vwwS:
        QVX_CALL(void(CCmdTarget::*)(UINT, UINT, CScrollBar*), LOWORD(wParam), HIWORD(wParam),
                 reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig_vWp:
        QVX_CALL(void(CCmdTarget::*)(CWnd*, CPoint), CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                 CPoint(lParam));
        break;
    case AfxSig_lp:
        r = QVX_CALL(LRESULT(CCmdTarget::*)(CPoint), CPoint(lParam));
        break;
    case AfxSig_vbw:
        QVX_CALL(void(CCmdTarget::*)(BOOL, UINT), static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        break;
    case AfxSig_bWCDS:
        r = QVX_CALL(BOOL(CCmdTarget::*)(CWnd*, COPYDATASTRUCT*),
                     CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                     reinterpret_cast<COPYDATASTRUCT*>(lParam));
        break;
    case AfxSig_vOWNER:
        QVX_CALL(void(CCmdTarget::*)(int, LPDRAWITEMSTRUCT), static_cast<int>(wParam),
                 reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        r = TRUE;
        break;
    case AfxSig_vMEASURE:
        QVX_CALL(void(CCmdTarget::*)(int, LPMEASUREITEMSTRUCT), static_cast<int>(wParam),
                 reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        r = TRUE;
        break;
    case AfxSig_vDRAW:
        QVX_CALL(void(CCmdTarget::*)(LPDRAWITEMSTRUCT), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        r = TRUE;
        break;
    case AfxSig_vMEASUREr:
        QVX_CALL(void(CCmdTarget::*)(LPMEASUREITEMSTRUCT), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        r = TRUE;
        break;
    case AfxSig_wv:
        r = QVX_CALL(UINT(CCmdTarget::*)());
        break;
    case AfxSig_vwWb:
        QVX_CALL(void(CCmdTarget::*)(UINT, CWnd*, BOOL), LOWORD(wParam),
                 CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), static_cast<BOOL>(HIWORD(wParam)));
        break;
    case AfxSig_vb:
        QVX_CALL(void(CCmdTarget::*)(BOOL), static_cast<BOOL>(wParam));
        break;
    case AfxSig_iWww:
        r = QVX_CALL(int(CCmdTarget::*)(CWnd*, UINT, UINT), CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                     LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vwl:
        QVX_CALL(void(CCmdTarget::*)(UINT, LPARAM), static_cast<UINT>(wParam), lParam);
        break;
    case AfxSig_vPOSCHANGE:
        QVX_CALL(void(CCmdTarget::*)(WINDOWPOS*), reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case AfxSig_vbNCCALC:
        QVX_CALL(void(CCmdTarget::*)(BOOL, NCCALCSIZE_PARAMS*), static_cast<BOOL>(wParam),
                 reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case AfxSig_vMwb:
        QVX_CALL(void(CCmdTarget::*)(CMenu*, UINT, BOOL), CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)),
                 LOWORD(lParam), static_cast<BOOL>(HIWORD(lParam)));
        break;
    default:
        return FALSE;
    }
#undef QVX_CALL
    *pResult = r;
    return TRUE;
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);

    if (!hWndCtrl)
    {
        // Menu (0) or accelerator (1): a command whose update handler disables it is not run,
        // so a disabled button or menu item cannot be reached through its shortcut.
        if (nID == 0)
            return FALSE;
        struct CTestCmdUI : CCmdUI
        {
            BOOL m_bEnabled = TRUE;
            void Enable(BOOL bOn) override
            {
                m_bEnabled = bOn;
                m_bEnableChanged = TRUE;
            }
            void SetCheck(int) override {}
            void SetRadio(BOOL) override {}
            void SetText(LPCSTR) override {}
        } state;
        state.m_nID = nID;
        OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE; // swallowed
        nCode = CN_COMMAND;
    }
    else
    {
        // The control that sent the notification gets the first chance at it.
        LRESULT ignored = 0;
        if (ReflectMessage(hWndCtrl, WM_COMMAND, wParam, lParam, &ignored))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = static_cast<UINT>(pNMHDR->idFrom);
    int nCode = static_cast<int>(pNMHDR->code);

    if (ReflectMessage(hWndCtrl, WM_NOTIFY, static_cast<WPARAM>(pNMHDR->idFrom), lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(nID, static_cast<int>(MAKELONG(static_cast<WORD>(nCode), WM_NOTIFY)), &notify, nullptr);
}

BOOL PASCAL CWnd::ReflectMessage(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (!pChild)
        return FALSE;
    return pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        BOOL handled =
            OnCmdMsg(0, static_cast<int>(MAKELONG(static_cast<WORD>(nCode), WM_REFLECT_BASE + WM_COMMAND)),
                     nullptr, nullptr);
        if (handled && pResult)
            *pResult = 1;
        return handled;
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        LRESULT dummy = 0;
        AFX_NOTIFY notify = {pResult ? pResult : &dummy, pNMHDR};
        return OnCmdMsg(
            0, static_cast<int>(MAKELONG(static_cast<WORD>(pNMHDR->code), WM_REFLECT_BASE + WM_NOTIFY)),
            &notify, nullptr);
    }
    default:
        if (IsReflectable(message))
        {
            LRESULT result = 0;
            BOOL handled = OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &result);
            if (handled && pResult)
                *pResult = result;
            return handled;
        }
        return FALSE;
    }
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    // The child control under the point, identified by its window handle.
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!hWndChild || hWndChild == m_hWnd)
        return -1;
    int nID = ::GetDlgCtrlID(hWndChild);
    if (pTI)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
        pTI->uFlags |= TTF_CENTERTIP;
    }
    return nID ? nID : -1;
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_nFlags & WF_TOOLTIPS)
        FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL CWnd::PreTranslateInput(MSG*)
{
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                           BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetTopWindow(hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (bOnlyPerm)
        {
            if (CWnd* pWnd = FromHandlePermanent(hChild))
                AfxCallWndProc(pWnd, hChild, message, wParam, lParam);
        }
        else
            ::SendMessageA(hChild, message, wParam, lParam);
        if (bDeep && ::IsWindow(hChild) && ::GetTopWindow(hChild))
            SendMessageToDescendants(hChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

// ---------------------------------------------------------------- class registration

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    char name[96];
    std::snprintf(name, sizeof name, "Qvx:%p:%x:%p:%p:%p", static_cast<void*>(hInst), nClassStyle,
                  static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));

    std::lock_guard<std::mutex> guard(ClassNameLock());
    auto& names = ClassNames();
    auto it = names.find(name);
    if (it != names.end())
        return it->c_str();

    WNDCLASSA wc = {};
    if (!::GetClassInfoA(hInst, name, &wc))
    {
        wc.style = nClassStyle;
        wc.lpfnWndProc = &DefWindowProcA;
        wc.hInstance = hInst;
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = name;
        if (!::RegisterClassA(&wc))
            return nullptr;
    }
    return names.insert(name).first->c_str();
}

BOOL AfxRegisterClass(WNDCLASSA* lpWndClass)
{
    if (!lpWndClass || !lpWndClass->lpszClassName || !*lpWndClass->lpszClassName)
        return FALSE;
    if (!lpWndClass->hInstance)
        lpWndClass->hInstance = AfxGetInstanceHandle();
    WNDCLASSA existing = {};
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    if (::RegisterClassA(lpWndClass))
        return TRUE;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void AfxInitCommonControls()
{
    static LONG done = 0;
    if (InterlockedCompareExchange(&done, 1, 0) != 0)
        return;
    INITCOMMONCONTROLSEX icc = {};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_TREEVIEW_CLASSES |
                ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS |
                ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&icc);
}
