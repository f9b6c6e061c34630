#include "NonResizableDialog.h"

#include "MessageMap.h"

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
        dialog->PostMessage(WM_COMMAND, QVX_ID_HELP, 0);
        return TRUE;
    }
    if (dialog->CWnd::PreTranslateMessage(pMsg))
        return TRUE;
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

BEGIN_MESSAGE_MAP(CNonResizableDialog, CXTPDialog)
ON_MESSAGE(WM_QVX_CLOSE_DIALOG, OnCloseRequest)
END_MESSAGE_MAP()

CNonResizableDialog::CNonResizableDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CXTPDialog(nIDTemplate, pParentWnd)
{
}

BOOL CNonResizableDialog::PreTranslateMessage(MSG* pMsg)
{
    int decided = PreTranslateHarnessDialogMessage(this, pMsg);
    if (decided >= 0)
        return decided;
    return FilterDialogInput(pMsg);
}

BOOL CNonResizableDialog::PreTranslateInput(MSG* pMsg)
{
    return FilterDialogInput(pMsg);
}

BOOL CNonResizableDialog::CloseDialog()
{
    return CloseHarnessDialog(this);
}

BOOL CNonResizableDialog::HandleDialogKey(MSG* pMsg)
{
    if (!pMsg || pMsg->message != WM_KEYDOWN || !m_hWnd)
        return FALSE;
    if (pMsg->wParam != VK_TAB && pMsg->wParam != VK_RETURN && pMsg->wParam != VK_ESCAPE)
        return FALSE;
    if (pMsg->hwnd == m_hWnd)
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CNonResizableDialog::FilterDialogInput(MSG* pMsg)
{
    if (!IsHarnessDialogInput(pMsg))
        return FALSE;
    return HandleDialogKey(pMsg);
}

LRESULT CNonResizableDialog::OnCloseRequest(WPARAM, LPARAM)
{
    CloseDialog();
    return 0;
}
