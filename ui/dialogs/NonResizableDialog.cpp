#include "ui/dialogs/NonResizableDialog.h"

#include "framework/MessageMap.h"

BEGIN_MESSAGE_MAP(CNonResizableDialog, CXTPDialog)
ON_MESSAGE(WM_QVX_CLOSE_DIALOG, OnCloseRequest)
END_MESSAGE_MAP()

CNonResizableDialog::CNonResizableDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CXTPDialog(nIDTemplate, pParentWnd)
{
}

BOOL CNonResizableDialog::PreTranslateMessage(MSG* pMsg)
{
    int decided = PreTranslateCommandBarsMessage(pMsg);
    if (decided >= 0)
        return decided;
    decided = PreTranslateHarnessDialogMessage(this, pMsg);
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
    return HandleHarnessDialogKey(m_hWnd, pMsg, CHarnessDialogKeyRules());
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
