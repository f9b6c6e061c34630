#include "Wnd.h"

#include "CmdUI.h"
#include "DC.h"
#include "Exceptions.h"
#include "GdiObject.h"
#include "HandleMap.h"
#include "Menu.h"
#include "SafeThis.h"
#include "StdControls.h"
#include "WinApp.h"
#include "WinThread.h"

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
// The message being processed by the innermost framework window procedure of this thread.
thread_local MSG t_lastMsg = {};

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
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (pWnd->Attach(hWnd))
        {
            pWnd->PreSubclassWindow();
            HookWindowProc(pWnd, hWnd);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct CreationHook
{
    HHOOK previous;
    CWnd* previousInit;
    explicit CreationHook(CWnd* pWnd) : previous(t_hHookCbt), previousInit(t_pWndInit)
    {
        t_hHookCbt = SetWindowsHookExA(WH_CBT, &CbtFilterHook, nullptr, GetCurrentThreadId());
        t_pWndInit = pWnd;
    }
    ~CreationHook()
    {
        if (t_hHookCbt)
            UnhookWindowsHookEx(t_hHookCbt);
        t_hHookCbt = previous;
        t_pWndInit = previousInit;
    }
    bool Installed() const { return t_hHookCbt != nullptr; }
};

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

HBRUSH ReflectCtlColor(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, BOOL* pHandled)
{
    LRESULT result = 0;
    *pHandled = CWnd::ReflectMessage(hWndChild, message, wParam, lParam, &result);
    return reinterpret_cast<HBRUSH>(result);
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

// ---------------------------------------------------------------- window procedure

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG previous = t_lastMsg;
    t_lastMsg.hwnd = hWnd;
    t_lastMsg.message = message;
    t_lastMsg.wParam = wParam;
    t_lastMsg.lParam = lParam;

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
        t_lastMsg = previous;
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
    t_lastMsg = previous;
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
    if (!hWndNew || m_hWnd)
        return FALSE;
    if (!WndMap().SetPermanent(hWndNew, this))
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd)
        WndMap().RemoveHandle(hWnd, this);
    m_hWnd = nullptr;
    return hWnd;
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
        CreationHook hook(this);
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
        if (!m_hWnd && Attach(hWnd))
        {
            PreSubclassWindow();
            HookWindowProc(this, hWnd);
        }
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
    t_lastMsg.time = GetMessageTime();
    DWORD pos = GetMessagePos();
    t_lastMsg.pt.x = static_cast<short>(LOWORD(pos));
    t_lastMsg.pt.y = static_cast<short>(HIWORD(pos));
    return &t_lastMsg;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_lastMsg.message, t_lastMsg.wParam, t_lastMsg.lParam);
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

BOOL CWnd::PreTranslateMessage(MSG*)
{
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

// ---------------------------------------------------------------- state and styles

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const
{
    return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE));
}

namespace
{
BOOL ModifyStyleImpl(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = static_cast<DWORD>(::GetWindowLongPtrA(hWnd, nStyleOffset));
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtrA(hWnd, nStyleOffset, static_cast<LONG_PTR>(dwNewStyle));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}
} // namespace

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleImpl(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleImpl(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleImpl(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleImpl(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int nID)
{
    return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID));
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

BOOL CWnd::IsZoomed() const
{
    return ::IsZoomed(m_hWnd);
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return ::IsChild(m_hWnd, pWnd->GetSafeHwnd());
}

int CWnd::GetClassName(LPSTR lpClassName, int nMaxCount) const
{
    return ::GetClassNameA(m_hWnd, lpClassName, nMaxCount);
}

// ---------------------------------------------------------------- text and font

void CWnd::SetWindowText(LPCSTR lpszString)
{
    ::SetWindowTextA(m_hWnd, lpszString ? lpszString : "");
}

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
    int n = ::GetWindowTextLengthA(m_hWnd);
    if (n <= 0)
    {
        rString.Empty();
        return;
    }
    std::string buffer(static_cast<size_t>(n) + 1, '\0');
    int got = ::GetWindowTextA(m_hWnd, &buffer[0], n + 1);
    buffer.resize(got > 0 ? static_cast<size_t>(got) : 0);
    rString = buffer.c_str();
}

int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthA(m_hWnd);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    return hFont ? CFont::FromHandle(hFont) : nullptr;
}

void CWnd::SetDlgItemText(int nID, LPCSTR lpszString)
{
    ::SetDlgItemTextA(m_hWnd, nID, lpszString ? lpszString : "");
}

int CWnd::GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const
{
    return static_cast<int>(::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount));
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    if (!hItem)
        return 0;
    CWnd item(hItem);
    item.GetWindowText(rString);
    item.m_hWnd = nullptr;
    return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}

// ---------------------------------------------------------------- relations

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd()));
}

CWnd* CWnd::GetOwner() const
{
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (!hOwner && (GetStyle() & WS_CHILD))
        hOwner = ::GetParent(m_hWnd);
    return FromHandle(hOwner);
}

void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(pOwnerWnd->GetSafeHwnd()));
}

CWnd* CWnd::GetParentOwner() const
{
    HWND hWnd = m_hWnd;
    while (hWnd && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
    {
        HWND hParent = ::GetParent(hWnd);
        if (!hParent)
            break;
        hWnd = hParent;
    }
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (!GetSafeHwnd())
        return nullptr;
    HWND hWnd = GetParentOwner()->GetSafeHwnd();
    // ::GetParent of a top-level window gives its owner: follow owners to the outermost one.
    for (HWND hNext = hWnd ? ::GetParent(hWnd) : nullptr; hNext; hNext = ::GetParent(hWnd))
    {
        hWnd = hNext;
        while (hWnd && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD) && ::GetParent(hWnd))
            hWnd = ::GetParent(hWnd);
    }
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (!GetSafeHwnd())
        return nullptr;
    HWND hWnd = m_hWnd;
    for (HWND hOwner; (hOwner = ::GetWindow(hWnd, GW_OWNER)) != nullptr;)
        hWnd = hOwner;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::GetDlgItem(int nID, HWND* phWnd) const
{
    *phWnd = ::GetDlgItem(m_hWnd, nID);
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}

CWnd* CWnd::GetNextWindow(UINT nFlag) const
{
    return FromHandle(::GetWindow(m_hWnd, nFlag));
}

CWnd* CWnd::GetTopWindow() const
{
    return FromHandle(::GetTopWindow(m_hWnd));
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

CWnd* CWnd::ChildWindowFromPoint(POINT point, UINT nFlags) const
{
    return FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
}

CWnd* PASCAL CWnd::WindowFromPoint(POINT point)
{
    return FromHandle(::WindowFromPoint(point));
}

CWnd* PASCAL CWnd::GetDesktopWindow()
{
    return FromHandle(::GetDesktopWindow());
}

CWnd* PASCAL CWnd::GetActiveWindow()
{
    return FromHandle(::GetActiveWindow());
}

CWnd* PASCAL CWnd::GetForegroundWindow()
{
    return FromHandle(::GetForegroundWindow());
}

CWnd* PASCAL CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}

CWnd* PASCAL CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWnd = pParent->GetSafeHwnd();
    if (!hWnd)
    {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = ::GetActiveWindow();
        if (!hWnd || (pMain && pMain->m_hWnd && !::IsWindowVisible(hWnd)))
            hWnd = pMain->GetSafeHwnd();
    }
    // The owner must be a top-level window.
    while (hWnd && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    if (pWndTop)
        *pWndTop = hWnd;
    return FromHandle(hWnd);
}

CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::SetActiveWindow()
{
    return FromHandle(::SetActiveWindow(m_hWnd));
}

BOOL CWnd::SetForegroundWindow()
{
    return ::SetForegroundWindow(m_hWnd);
}

void CWnd::BringWindowToTop()
{
    ::BringWindowToTop(m_hWnd);
}

CWnd* CWnd::SetCapture()
{
    return FromHandle(::SetCapture(m_hWnd));
}

// ---------------------------------------------------------------- geometry

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), reinterpret_cast<LPPOINT>(lpRect), 2);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    // The special positions (wndTop and friends) are objects holding the pseudo-handles.
    HWND hAfter = pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr;
    return ::SetWindowPos(m_hWnd, hAfter, x, y, cx, cy, nFlags);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
               bRepaint);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    const DWORD style = GetStyle();
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    if (!hWndCenter)
        hWndCenter = (style & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndCenter)
    {
        // Centring over a hidden or minimised owner would place the window somewhere unseen.
        DWORD centerStyle = static_cast<DWORD>(::GetWindowLongPtrA(hWndCenter, GWL_STYLE));
        if (!(style & WS_CHILD) && (!(centerStyle & WS_VISIBLE) || (centerStyle & WS_MINIMIZE)))
            hWndCenter = nullptr;
    }

    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea;
    CRect rcCenter;
    if (style & WS_CHILD)
    {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        if (hWndCenter)
        {
            ::GetClientRect(hWndCenter, &rcCenter);
            ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
        }
        else
            rcCenter = rcArea;
        ::MapWindowPoints(m_hWnd, hWndParent, reinterpret_cast<LPPOINT>(&rcDlg), 0);
    }
    else
    {
        MONITORINFO mi = {};
        mi.cbSize = sizeof mi;
        HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
        if (::GetMonitorInfoA(hMonitor, &mi))
            rcArea = mi.rcWork;
        else
            ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
        if (hWndCenter)
            ::GetWindowRect(hWndCenter, &rcCenter);
        else
            rcCenter = rcArea;
    }

    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    // Keep the window inside the available area.
    if (xLeft + rcDlg.Width() > rcArea.right)
        xLeft = rcArea.right - rcDlg.Width();
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + rcDlg.Height() > rcArea.bottom)
        yTop = rcArea.bottom - rcDlg.Height();
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    ::SetWindowPos(m_hWnd, nullptr, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw)
{
    return ::SetWindowRgn(m_hWnd, hRgn, bRedraw);
}

int CWnd::GetWindowRgn(HRGN hRgn) const
{
    return ::GetWindowRgn(m_hWnd, hRgn);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    WINDOWPLACEMENT wp = *lpwndpl;
    wp.length = sizeof wp;
    return ::SetWindowPlacement(m_hWnd, &wp);
}

// ---------------------------------------------------------------- painting

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    return CDC::FromHandle(
        ::GetDCEx(m_hWnd, static_cast<HRGN>(prgnClip ? prgnClip->GetSafeHandle() : nullptr), flags));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return pDC ? ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()) : 0;
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

void CWnd::EndPaint(LPPAINTSTRUCT lpPaint)
{
    ::EndPaint(m_hWnd, lpPaint);
}

void CWnd::Invalidate(BOOL bErase)
{
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, static_cast<HRGN>(pRgn->GetSafeHandle()), bErase);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
    ::ValidateRect(m_hWnd, lpRect);
}

void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate,
                          static_cast<HRGN>(prgnUpdate ? prgnUpdate->GetSafeHandle() : nullptr), flags);
}

void CWnd::SetRedraw(BOOL bRedraw)
{
    SendMessage(WM_SETREDRAW, bRedraw, 0);
}

BOOL CWnd::LockWindowUpdate()
{
    return ::LockWindowUpdate(m_hWnd);
}

void CWnd::UnlockWindowUpdate()
{
    ::LockWindowUpdate(nullptr);
}

void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}

// ---------------------------------------------------------------- scroll bars

int CWnd::GetScrollPos(int nBar) const
{
    return ::GetScrollPos(m_hWnd, nBar);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    ::ShowScrollBar(m_hWnd, static_cast<int>(nBar), bShow);
}

// ---------------------------------------------------------------- menus, timers, misc

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu ? pMenu->GetSafeHmenu() : nullptr);
}

void CWnd::DrawMenuBar()
{
    ::DrawMenuBar(m_hWnd);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return ::KillTimer(m_hWnd, nIDEvent);
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    if (!lpszCaption)
    {
        CWinApp* pApp = AfxGetApp();
        lpszCaption = (pApp && pApp->m_pszAppName) ? pApp->m_pszAppName : "";
    }
    return ::MessageBoxA(m_hWnd, lpszText ? lpszText : "", lpszCaption, nType);
}

BOOL CWnd::FlashWindow(BOOL bInvert)
{
    return ::FlashWindow(m_hWnd, bInvert);
}

// ---------------------------------------------------------------- default handlers

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}
void CWnd::OnDestroy()
{
    Default();
}
void CWnd::OnNcDestroy()
{
    Default();
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnPaint()
{
    Default();
}
void CWnd::OnNcPaint()
{
    Default();
}
void CWnd::OnSysColorChange()
{
    Default();
}
void CWnd::OnSettingChange(UINT, LPCSTR)
{
    Default();
}
void CWnd::OnMouseLeave()
{
    Default();
}
void CWnd::OnCancelMode()
{
    Default();
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnMove(int, int)
{
    Default();
}
void CWnd::OnTimer(UINT_PTR)
{
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSysKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnKillFocus(CWnd*)
{
    Default();
}
void CWnd::OnCaptureChanged(CWnd*)
{
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    const MSG& msg = t_lastMsg;
    BOOL handled = FALSE;
    HBRUSH brush = ReflectCtlColor(pWnd->GetSafeHwnd(), msg.message, msg.wParam, msg.lParam, &handled);
    if (handled)
        return brush;
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnGetMinMaxInfo(MINMAXINFO*)
{
    Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    LRESULT ignored = 0;
    if (pScrollBar && ReflectMessage(pScrollBar->GetSafeHwnd(), t_lastMsg.message, t_lastMsg.wParam,
                                     t_lastMsg.lParam, &ignored))
        return;
    Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    LRESULT ignored = 0;
    if (pScrollBar && ReflectMessage(pScrollBar->GetSafeHwnd(), t_lastMsg.message, t_lastMsg.wParam,
                                     t_lastMsg.lParam, &ignored))
        return;
    Default();
}
void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}
LRESULT CWnd::OnNcHitTest(CPoint)
{
    return Default();
}
void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    LRESULT ignored = 0;
    if (lpDrawItemStruct && lpDrawItemStruct->CtlType != ODT_MENU &&
        ReflectMessage(lpDrawItemStruct->hwndItem, WM_DRAWITEM, t_lastMsg.wParam, t_lastMsg.lParam, &ignored))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    LRESULT ignored = 0;
    if (lpMeasureItemStruct && lpMeasureItemStruct->CtlType != ODT_MENU &&
        ReflectMessage(::GetDlgItem(m_hWnd, nIDCtl), WM_MEASUREITEM, t_lastMsg.wParam, t_lastMsg.lParam,
                       &ignored))
        return;
    Default();
}

UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
}
void CWnd::OnActivate(UINT, CWnd*, BOOL)
{
    Default();
}
void CWnd::OnEnable(BOOL)
{
    Default();
}
int CWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return static_cast<int>(Default());
}
void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}
void CWnd::OnWindowPosChanging(WINDOWPOS*)
{
    Default();
}
void CWnd::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
}
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    Default();
}
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL)
{
    Default();
}

HBRUSH CWnd::CtlColor(CDC*, UINT)
{
    return nullptr;
}

void CWnd::DrawItem(LPDRAWITEMSTRUCT) {}

void CWnd::MeasureItem(LPMEASUREITEMSTRUCT) {}

// CWnd has no entries of its own: every message it does not handle goes to DefWindowProc.
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

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
