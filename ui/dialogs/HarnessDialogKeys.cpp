#include "ui/dialogs/HarnessDialogKeys.h"

#include "framework/FrameWnd.h"
#include "framework/Wnd.h"
#include "ui/UiResourceIds.h"

bool IsHarnessDialogInput(const MSG* pMsg)
{
    if (!pMsg)
        return false;
    return (pMsg->message >= 0x100 && pMsg->message <= 0x109) ||
           (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MBUTTONDBLCLK);
}

int PreTranslateHarnessDialogMessage(CWnd* dialog, MSG* pMsg)
{
    if (!pMsg || !dialog || !dialog->m_hWnd)
        return FALSE;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1)
    {
        dialog->PostMessage(WM_COMMAND, ID_HELP_COMMAND, 0);
        return TRUE;
    }
    if (dialog->CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // While the frame picks a window for context help, its own loop has the keys.
    if (CFrameWnd* frame = dialog->GetTopLevelFrame(); frame && frame->m_bHelpMode)
        return FALSE;
    // Escape (or Cancel) in a multi-line edit box would otherwise stay in the box.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
        (::GetWindowLongA(pMsg->hwnd, GWL_STYLE) & ES_MULTILINE))
    {
        HWND cancel = ::GetDlgItem(dialog->m_hWnd, IDCANCEL);
        if (cancel && ::IsWindowEnabled(cancel))
        {
            dialog->SendMessage(WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        }
    }
    return -1;
}

BOOL CloseHarnessDialog(CWnd* dialog)
{
    if (!dialog || !dialog->m_hWnd)
        return FALSE;
    if (HWND cancel = ::GetDlgItem(dialog->m_hWnd, IDCANCEL))
        ::EnableWindow(cancel, TRUE);
    if (HWND close = ::GetDlgItem(dialog->m_hWnd, IDCLOSE))
        ::EnableWindow(close, TRUE);
    return dialog->PostMessage(WM_CLOSE);
}

BOOL HandleHarnessDialogKey(HWND dialog, MSG* pMsg, const CHarnessDialogKeyRules& rules)
{
    if (!rules.dialogKeys || !pMsg || !dialog)
        return FALSE;
    // Access keys: Alt+letter always, a plain letter when the control with the focus takes no characters
    // (the dialog manager asks it). Control characters (Tab, Enter, Escape, Ctrl+letter) are no access keys.
    if (pMsg->message == WM_SYSCHAR || pMsg->message == WM_CHAR)
    {
        if (pMsg->wParam < 0x20 || (pMsg->hwnd != dialog && !::IsChild(dialog, pMsg->hwnd)))
            return FALSE;
        return ::IsDialogMessageA(dialog, pMsg);
    }
    if (pMsg->message != WM_KEYDOWN)
        return FALSE;
    const bool toDialog = pMsg->hwnd == dialog;
    switch (pMsg->wParam)
    {
    case VK_TAB:
        if (rules.tabNavigation && !toDialog)
            return ::IsDialogMessageA(dialog, pMsg);
        return FALSE;
    case VK_RETURN:
        if (toDialog ||
            (rules.enterStaysInWantReturn && (::GetWindowLongA(pMsg->hwnd, GWL_STYLE) & ES_WANTRETURN)))
            return FALSE;
        return ::IsDialogMessageA(dialog, pMsg);
    case VK_ESCAPE:
        if (!toDialog)
            return ::IsDialogMessageA(dialog, pMsg);
        return FALSE;
    default:
        return FALSE;
    }
}
