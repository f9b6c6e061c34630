#include "toolkit/commandbars/managers/XTPMouseManager.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/common/drawing/XTPDrawHelpers.h"

#include "framework/ThreadState.h"

namespace
{
// The input managers of one thread, made on first use and freed when the thread ends, whoever
// started it (the framework's per-thread slot).
class CThreadInputManagers : public CNoTrackObject
{
public:
    ~CThreadInputManagers() override
    {
        delete pMouseManager;
        delete pKeyboardManager;
    }
    CXTPKeyboardManager* pKeyboardManager = nullptr;
    CXTPMouseManager* pMouseManager = nullptr;
};

CThreadLocal<CThreadInputManagers>& InputManagersSlot()
{
    static CThreadLocal<CThreadInputManagers>* slot = new CThreadLocal<CThreadInputManagers>; // lives for the program
    return *slot;
}

// This thread's managers as they are (null when none was made); hook procedures never make one.
CXTPKeyboardManager* CurrentKeyboardManager()
{
    CThreadInputManagers* pManagers = InputManagersSlot().GetDataNA();
    return pManagers ? pManagers->pKeyboardManager : nullptr;
}

CXTPMouseManager* CurrentMouseManager()
{
    CThreadInputManagers* pManagers = InputManagersSlot().GetDataNA();
    return pManagers ? pManagers->pMouseManager : nullptr;
}

HINSTANCE CodeModule()
{
    HMODULE hModule = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&CodeModule), &hModule);
    return hModule;
}

BOOL IsMouseMove(UINT nMessage)
{
    return nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE;
}

BOOL IsButtonDown(UINT nMessage)
{
    switch (nMessage)
    {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return TRUE;
    default:
        return FALSE;
    }
}
} // namespace

CXTPKeyboardManager* XTPKeyboardManager()
{
    CThreadInputManagers* pManagers = InputManagersSlot().GetData();
    if (!pManagers->pKeyboardManager)
        pManagers->pKeyboardManager = new CXTPKeyboardManager();
    return pManagers->pKeyboardManager;
}

CXTPMouseManager* XTPMouseManager()
{
    CThreadInputManagers* pManagers = InputManagersSlot().GetData();
    if (!pManagers->pMouseManager)
        pManagers->pMouseManager = new CXTPMouseManager();
    return pManagers->pMouseManager;
}

// ---------------------------------------------------------------- keyboard manager

CXTPKeyboardManager::CXTPKeyboardManager() = default;

CXTPKeyboardManager::~CXTPKeyboardManager()
{
    Unhook();
}

void CXTPKeyboardManager::Unhook()
{
    if (m_hHookKeyboard)
        UnhookWindowsHookEx(m_hHookKeyboard);
    if (m_hHookCallWndProc)
        UnhookWindowsHookEx(m_hHookCallWndProc);
    m_hHookKeyboard = m_hHookCallWndProc = nullptr;
}

BOOL CXTPKeyboardManager::IsReceiver(CXTPHookManagerHookAble* pHook) const
{
    for (INT_PTR i = 0; i < m_arrReceivers.GetSize(); ++i)
    {
        if (m_arrReceivers[i] == pHook)
            return TRUE;
    }
    return FALSE;
}

void CXTPKeyboardManager::HookKeyboard(CXTPHookManagerHookAble* pHook)
{
    if (!m_hHookKeyboard)
        m_hHookKeyboard = SetWindowsHookExA(WH_KEYBOARD, &KeyboardProc, CodeModule(), GetCurrentThreadId());
    if (!m_hHookCallWndProc)
        m_hHookCallWndProc = SetWindowsHookExA(WH_CALLWNDPROC, &CallWndProc, CodeModule(), GetCurrentThreadId());
    if (pHook && !IsReceiver(pHook))
        m_arrReceivers.Add(pHook);
}

void CXTPKeyboardManager::UnhookKeyboard(CXTPHookManagerHookAble* pHook)
{
    for (INT_PTR i = m_arrReceivers.GetSize() - 1; i >= 0; --i)
    {
        if (m_arrReceivers[i] == pHook)
            m_arrReceivers.RemoveAt(i);
    }
    if (m_arrReceivers.GetSize() == 0)
        Unhook();
}

BOOL CXTPKeyboardManager::OfferToReceivers(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // Receivers may leave (a popup closes) while asked: walk a copy, skip those gone.
    CArray<CXTPHookManagerHookAble*, CXTPHookManagerHookAble*> receivers;
    receivers.Copy(m_arrReceivers);
    for (INT_PTR i = receivers.GetSize() - 1; i >= 0; --i)
    {
        if (!IsReceiver(receivers[i]))
            continue;
        WPARAM wp = wParam;
        LPARAM lp = lParam;
        LRESULT lResult = 0;
        int nAnswer = receivers[i]->OnHookMessage(nullptr, nMessage, wp, lp, lResult);
        if (nAnswer != 0)
            return nAnswer != 2;
    }
    return TRUE;
}

BOOL CXTPKeyboardManager::ProcessKeyboardHook(WPARAM wParam, LPARAM lParam)
{
    // The transition bit (31) of the 32-bit key data: set while the key goes up. LPARAM is wider
    // than the key data on 64-bit Windows, so the sign of lParam does not tell.
    if (m_arrReceivers.GetSize() == 0 || (static_cast<DWORD>(lParam) & 0x80000000))
        return FALSE; // nobody listens, or the key is going up
    if (wParam == VK_MENU && (lParam & 0x20000000) && XTPMouseManager()->m_nLock <= 0)
    {
        if (lParam & 0x40000000)
            return FALSE; // a repeat passes on
        XTPMouseManager()->SendTrackLostAll();
        return TRUE;
    }
    return OfferToReceivers(WM_KEYDOWN, wParam, lParam);
}

void CXTPKeyboardManager::ProcessCallWndProcHook(UINT nMessage, WPARAM wParam)
{
    if (nMessage == WM_ACTIVATEAPP && wParam == 0)
        XTPMouseManager()->SendTrackLostAll();
}

LRESULT CALLBACK CXTPKeyboardManager::KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CXTPKeyboardManager* pManager = CurrentKeyboardManager();
    HHOOK hHook = pManager ? pManager->m_hHookKeyboard : nullptr;
    if (nCode == HC_ACTION && pManager)
    {
        try
        {
            if (pManager->ProcessKeyboardHook(wParam, lParam))
                return 1;
        }
        catch (...)
        {
            OutputDebugStringA("Quorvex toolkit: exception stopped at the keyboard hook\n");
        }
    }
    return CallNextHookEx(hHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CXTPKeyboardManager::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CXTPKeyboardManager* pManager = CurrentKeyboardManager();
    HHOOK hHook = pManager ? pManager->m_hHookCallWndProc : nullptr;
    if (nCode == HC_ACTION && pManager && lParam)
    {
        const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        try
        {
            pManager->ProcessCallWndProcHook(pMsg->message, pMsg->wParam);
        }
        catch (...)
        {
            OutputDebugStringA("Quorvex toolkit: exception stopped at the window-procedure hook\n");
        }
    }
    return CallNextHookEx(hHook, nCode, wParam, lParam);
}

// ---------------------------------------------------------------- mouse manager

INT_PTR CXTPMouseManager::CTrackArray::Find(const CXTPCommandBar* pBar) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (GetAt(i) == pBar)
            return i;
    }
    return -1;
}

INT_PTR CXTPMouseManager::CTrustedArray::Find(HWND hWnd) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (GetAt(i) == hWnd)
            return i;
    }
    return -1;
}

CXTPMouseManager::CXTPMouseManager()
{
    m_hHookMouse = SetWindowsHookExA(WH_MOUSE, &MouseProc, CodeModule(), GetCurrentThreadId());
}

CXTPMouseManager::~CXTPMouseManager()
{
    if (m_hHookMouse)
        UnhookWindowsHookEx(m_hHookMouse);
    if (m_hwndLeave && IsWindow(m_hwndLeave))
        KillTimer(m_hwndLeave, kMouseLeaveTimer);
}

void CXTPMouseManager::SetTrackingBar(CXTPCommandBar* pBar)
{
    if (m_arrTracking.GetSize() == 0 && m_pSelected && m_pSelected != pBar)
    {
        CXTPCommandBar* pRemembered = m_pSelected;
        m_pSelected = nullptr;
        pRemembered->OnTrackLost();
    }
    if (m_arrTracking.Find(pBar) < 0)
        m_arrTracking.Add(pBar);
}

void CXTPMouseManager::RemoveTrackingBar(CXTPCommandBar* pBar)
{
    INT_PTR nIndex = m_arrTracking.Find(pBar);
    if (nIndex >= 0)
        m_arrTracking.RemoveAt(nIndex);
    if (m_arrTracking.GetSize() == 0)
    {
        // The window under the cursor gets a fresh mouse move.
        m_ptLast.x = m_ptLast.y = -1;
        POINT pt;
        if (GetCursorPos(&pt))
            SetCursorPos(pt.x, pt.y);
    }
    m_bForceExpanded = FALSE;
}

void CXTPMouseManager::SendTrackLostAll()
{
    // Each bar is taken out before it is told, so a bar that does not leave by itself cannot
    // keep the loop going.
    while (m_arrTracking.GetSize() > 0)
    {
        CXTPCommandBar* pBar = m_arrTracking[0];
        RemoveTrackingBar(pBar);
        pBar->OnTrackLost();
    }
}

void CXTPMouseManager::LockTrackingBars(BOOL bLock)
{
    m_nLock += bLock ? 1 : -1;
    for (INT_PTR i = 0; i < m_arrTracking.GetSize(); ++i)
        m_arrTracking[i]->m_nLockRecurse += bLock ? 1 : -1;
}

BOOL CXTPMouseManager::IsMouseLocked(const CXTPCommandBar* pBar) const
{
    if (m_arrTracking.GetSize() == 0)
        return FALSE;
    if (!pBar || pBar->m_nLockRecurse > 0)
        return TRUE;
    return m_arrTracking.Find(pBar) < 0;
}

void CXTPMouseManager::AddTrustedWindow(HWND hWnd)
{
    if (m_arrTrusted.Find(hWnd) < 0)
        m_arrTrusted.Add(hWnd);
}

void CXTPMouseManager::RemoveTrustedWindow(HWND hWnd)
{
    INT_PTR nIndex = m_arrTrusted.Find(hWnd);
    if (nIndex >= 0)
        m_arrTrusted.RemoveAt(nIndex);
}

int CXTPMouseManager::GetOpenPopupCount() const
{
    int nCount = 0;
    for (INT_PTR i = 0; i < m_arrTracking.GetSize(); ++i)
    {
        if (m_arrTracking[i]->GetType() == xtpBarTypePopup)
            ++nCount;
    }
    return nCount;
}

void CXTPMouseManager::TrackMouseLeave(HWND hWnd)
{
    if (hWnd == m_hwndLeave)
        return;
    if (m_hwndLeave && IsWindow(m_hwndLeave))
    {
        KillTimer(m_hwndLeave, kMouseLeaveTimer);
        SendMessageA(m_hwndLeave, WM_MOUSELEAVE, 0, 0);
    }
    m_hwndLeave = hWnd;
    if (hWnd)
        SetTimer(hWnd, kMouseLeaveTimer, 50, &MouseLeaveTimerProc);
}

void CALLBACK CXTPMouseManager::MouseLeaveTimerProc(HWND hWnd, UINT /*nMsg*/, UINT_PTR nIDEvent, DWORD /*dwTime*/)
{
    CXTPMouseManager* pManager = CurrentMouseManager();
    if (!pManager)
    {
        KillTimer(hWnd, nIDEvent);
        return;
    }
    HWND hWndLeave = pManager->m_hwndLeave;
    if (hWndLeave != hWnd || !IsWindow(hWnd))
    {
        KillTimer(hWnd, nIDEvent);
        if (hWndLeave == hWnd)
            pManager->m_hwndLeave = nullptr;
        return;
    }
    POINT pt;
    GetCursorPos(&pt);
    RECT rc;
    GetWindowRect(hWnd, &rc);
    if (PtInRect(&rc, pt))
    {
        LONG lStyle = GetWindowLongA(hWnd, GWL_STYLE);
        if (!(lStyle & WS_CHILD) || (lStyle & WS_POPUP) || IsTopLevelParentActive(hWnd))
            return;
    }
    KillTimer(hWnd, nIDEvent);
    pManager->m_hwndLeave = nullptr;
    PostMessageA(hWnd, WM_MOUSELEAVE, 0, 0);
}

CXTPCommandBar* CXTPMouseManager::HitTestTrackedBar(POINT pt) const
{
    HWND hWndPoint = WindowFromPoint(pt);
    for (INT_PTR i = m_arrTracking.GetSize() - 1; i >= 0; --i)
    {
        CXTPCommandBar* pBar = m_arrTracking[i];
        int nHit = pBar->OnMouseHitTest(CPoint(pt));
        if (nHit == 1)
            return pBar;
        if (nHit == -2)
            continue;
        HWND hWndBar = pBar->GetSafeHwnd();
        if (hWndBar && hWndPoint && (hWndPoint == hWndBar || IsChild(hWndBar, hWndPoint)))
            return pBar;
    }
    return nullptr;
}

BOOL CXTPMouseManager::IsImeWindow(HWND hWnd)
{
    return hWnd && (GetClassLongPtrA(hWnd, GCL_STYLE) & CS_IME) != 0;
}

BOOL CXTPMouseManager::IsTrustedPoint(POINT pt) const
{
    for (INT_PTR i = 0; i < m_arrTrusted.GetSize(); ++i)
    {
        HWND hWnd = m_arrTrusted[i];
        RECT rc;
        if (IsWindow(hWnd) && IsWindowVisible(hWnd) && GetWindowRect(hWnd, &rc) && PtInRect(&rc, pt))
            return TRUE;
    }
    return FALSE;
}

BOOL CXTPMouseManager::IsClickOutsideTrackedBars(const CXTPCommandBar* pBar, UINT nMessage)
{
    switch (nMessage)
    {
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        break;
    default:
        return FALSE;
    }
    POINT pt;
    GetCursorPos(&pt);
    CXTPCommandBar* pHit = HitTestTrackedBar(pt);
    if (pHit && !(pHit->m_nLockRecurse > 0 && !(pBar && pBar->m_nLockRecurse > 0)))
        return FALSE;
    if (IsTrustedPoint(pt))
        return FALSE;
    return !IsImeWindow(WindowFromPoint(pt));
}

BOOL CXTPMouseManager::ProcessMouseHook(UINT nMessage, POINT pt)
{
    if (nMessage == WM_LBUTTONDOWN || nMessage == WM_RBUTTONDOWN)
        m_bIgnoreLButtonUp = FALSE;
    if ((nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP) && m_bIgnoreLButtonUp)
    {
        m_bIgnoreLButtonUp = FALSE;
        return TRUE;
    }
    if (m_arrTracking.GetSize() > 0 && IsMouseMove(nMessage) && pt.x == m_ptLast.x && pt.y == m_ptLast.y)
        return TRUE; // the same point again
    m_ptLast = pt;
    if (m_arrTracking.GetSize() == 0)
        return FALSE;

    CXTPCommandBar* pHit = HitTestTrackedBar(pt);
    if (!pHit)
    {
        if (IsTrustedPoint(pt) || IsImeWindow(WindowFromPoint(pt)))
            return FALSE;
        // Every tracked bar gets the message; bars may leave while told: walk a copy.
        CTrackArray bars;
        bars.Copy(m_arrTracking);
        for (INT_PTR i = 0; i < bars.GetSize(); ++i)
        {
            CXTPCommandBar* pBar = bars[i];
            if (m_arrTracking.Find(pBar) < 0)
                continue;
            if (IsMouseMove(nMessage))
            {
                if (pBar->m_nLockRecurse > 0 || !pBar->GetSafeHwnd())
                    continue;
                POINT ptClient = pt;
                ScreenToClient(pBar->GetSafeHwnd(), &ptClient);
                pBar->OnTrackedMouseMove(0, CPoint(ptClient));
            }
            else if (nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP)
            {
                if (m_nLock > 0)
                    break;
                SendTrackLostAll();
                break;
            }
            else if (IsButtonDown(nMessage))
            {
                SendTrackLostAll();
                break;
            }
        }
    }
    else if (pHit->m_nLockRecurse > 0 && !IsMouseMove(nMessage) && !m_bForceExpanded)
    {
        // A click on a locked bar (one that a modal step holds) ends the tracking of the others.
        CTrackArray bars;
        bars.Copy(m_arrTracking);
        for (INT_PTR i = 0; i < bars.GetSize(); ++i)
        {
            CXTPCommandBar* pBar = bars[i];
            if (m_arrTracking.Find(pBar) < 0 || pBar->m_nLockRecurse > 0)
                continue;
            RemoveTrackingBar(pBar);
            pBar->OnTrackLost();
        }
        m_ptLast.x = m_ptLast.y = 0;
    }
    return FALSE;
}

LRESULT CALLBACK CXTPMouseManager::MouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CXTPMouseManager* pManager = CurrentMouseManager();
    HHOOK hHook = pManager ? pManager->m_hHookMouse : nullptr;
    if (nCode == HC_ACTION && pManager && lParam)
    {
        const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        try
        {
            if (pManager->ProcessMouseHook(static_cast<UINT>(wParam), pInfo->pt))
                return 1;
        }
        catch (...)
        {
            OutputDebugStringA("Quorvex toolkit: exception stopped at the mouse hook\n");
        }
    }
    return CallNextHookEx(hHook, nCode, wParam, lParam);
}
