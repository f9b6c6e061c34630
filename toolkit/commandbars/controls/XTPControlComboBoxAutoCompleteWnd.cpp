#include "toolkit/commandbars/controls/XTPControlComboBoxAutoCompleteWnd.h"

#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"

#include <cstring>

namespace
{
// The process's one watched text window: the hook and the object it serves.
struct AutoCompleteHook
{
    HHOOK hHook = nullptr;
    CXTPControlComboBoxAutoCompleteWnd* pActive = nullptr;
};

AutoCompleteHook g_hook;

BOOL IsDropDownClass(HWND hWnd)
{
    char szClass[64] = {};
    ::GetClassNameA(hWnd, szClass, static_cast<int>(sizeof(szClass)));
    return std::strcmp(szClass, CXTPControlComboBoxAutoCompleteWnd::kDropDownClass) == 0;
}
} // namespace

CXTPControlComboBoxAutoCompleteWnd* CXTPControlComboBoxAutoCompleteWnd::Attach(HWND hWndEdit, DWORD dwFlags)
{
    if (!hWndEdit || !::IsWindow(hWndEdit))
        return nullptr;
    if (FAILED(GetCommandBarsSystemQuery()->ShellAutoComplete(hWndEdit, dwFlags)))
        return nullptr;
    CXTPControlComboBoxAutoCompleteWnd* pWnd = new CXTPControlComboBoxAutoCompleteWnd();
    pWnd->m_hWndEdit = hWndEdit;
    if (::GetFocus() == hWndEdit)
        pWnd->SetupWindowHook(TRUE);
    return pWnd;
}

BOOL CXTPControlComboBoxAutoCompleteWnd::Reattach(CXTPControlComboBoxAutoCompleteWnd*& pWnd, HWND hWndEdit,
                                                  DWORD dwFlags)
{
    delete pWnd;
    pWnd = nullptr;
    if (!dwFlags || !hWndEdit)
        return TRUE;
    pWnd = Attach(hWndEdit, dwFlags);
    return pWnd != nullptr;
}

CXTPControlComboBoxAutoCompleteWnd::~CXTPControlComboBoxAutoCompleteWnd()
{
    SetupWindowHook(FALSE);
    ForgetDropDown();
}

BOOL CXTPControlComboBoxAutoCompleteWnd::IsWatching() const
{
    return g_hook.pActive == this && g_hook.hHook != nullptr;
}

void CXTPControlComboBoxAutoCompleteWnd::SetupWindowHook(BOOL bSetup)
{
    CXTPKeyboardManager* pKeyboardManager = XTPKeyboardManager();
    if (bSetup)
    {
        if (g_hook.pActive && g_hook.pActive != this)
            g_hook.pActive->SetupWindowHook(FALSE);
        if (!g_hook.hHook)
            g_hook.hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, &CallWndProc, nullptr, ::GetCurrentThreadId());
        g_hook.pActive = this;
        if (pKeyboardManager && !pKeyboardManager->IsReceiver(this))
            pKeyboardManager->HookKeyboard(this);
        return;
    }
    if (g_hook.pActive != this)
        return;
    if (g_hook.hHook)
        ::UnhookWindowsHookEx(g_hook.hHook);
    g_hook.hHook = nullptr;
    g_hook.pActive = nullptr;
    if (pKeyboardManager && pKeyboardManager->IsReceiver(this))
        pKeyboardManager->UnhookKeyboard(this);
}

LRESULT CALLBACK CXTPControlComboBoxAutoCompleteWnd::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const HHOOK hHook = g_hook.hHook;
    if (nCode == HC_ACTION && g_hook.pActive)
    {
        const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (pMsg && pMsg->message == WM_WINDOWPOSCHANGING && pMsg->lParam)
            g_hook.pActive->OnWindowPosChanging(pMsg->hwnd, reinterpret_cast<const WINDOWPOS*>(pMsg->lParam));
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

void CXTPControlComboBoxAutoCompleteWnd::OnWindowPosChanging(HWND hWnd, const WINDOWPOS* pPos)
{
    if (!hWnd || !pPos)
        return;
    if ((pPos->flags & SWP_SHOWWINDOW) && IsDropDownClass(hWnd))
    {
        m_hWndDropDown = hWnd;
        if (CXTPMouseManager* pMouseManager = XTPMouseManager())
            pMouseManager->AddTrustedWindow(hWnd);
        if (m_hWndEdit && ::IsWindow(m_hWndEdit))
            ::PostMessageA(m_hWndEdit, XTP_WM_COMBO_CLOSELIST, 0, 0);
        return;
    }
    if ((pPos->flags & SWP_HIDEWINDOW) && hWnd == m_hWndDropDown)
        ForgetDropDown();
}

void CXTPControlComboBoxAutoCompleteWnd::ForgetDropDown()
{
    if (!m_hWndDropDown)
        return;
    if (CXTPMouseManager* pMouseManager = XTPMouseManager())
        pMouseManager->RemoveTrustedWindow(m_hWndDropDown);
    m_hWndDropDown = nullptr;
}

void CXTPControlComboBoxAutoCompleteWnd::HideDropDown()
{
    if (m_hWndDropDown && ::IsWindow(m_hWndDropDown))
        ::ShowWindow(m_hWndDropDown, SW_HIDE);
}

int CXTPControlComboBoxAutoCompleteWnd::OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM& lParam,
                                                     LRESULT&)
{
    const BOOL bShown = m_hWndDropDown && ::IsWindow(m_hWndDropDown) && ::IsWindowVisible(m_hWndDropDown);
    if (!bShown)
        return 0;
    if (nMessage == WM_MOUSEWHEEL)
        return 2;
    if (nMessage != WM_KEYDOWN)
        return 0;
    const UINT nKey = static_cast<UINT>(wParam);
    if (nKey != VK_PRIOR && nKey != VK_NEXT && nKey != VK_UP && nKey != VK_DOWN)
        return 0;
    if (::GetKeyState(VK_MENU) < 0)
        return 0;
    // The drop-down's list is the last sibling of its first child.
    HWND hWndChild = ::GetWindow(m_hWndDropDown, GW_CHILD);
    HWND hWndList = hWndChild ? ::GetWindow(hWndChild, GW_HWNDLAST) : nullptr;
    if (!hWndList)
        return 0;
    MSG msg = {};
    msg.hwnd = hWndList;
    msg.message = WM_KEYDOWN;
    msg.wParam = wParam;
    msg.lParam = lParam;
    if (!::IsDialogMessageA(hWndList, &msg))
        ::SendMessageA(hWndList, WM_KEYDOWN, wParam, lParam);
    return 1;
}
