#include "ui/dialogs/HarnessDialog.h"

#include "framework/MessageMap.h"

BEGIN_MESSAGE_MAP(CHarnessDialog, CXTPDialog)
ON_MESSAGE(WM_QVX_CLOSE_DIALOG, OnCloseRequest)
END_MESSAGE_MAP()

CHarnessDialog::CHarnessDialog(UINT nIDTemplate, CWnd* pParentWnd) : CXTPDialog(nIDTemplate, pParentWnd)
{
}

BOOL CHarnessDialog::PreTranslateMessage(MSG* pMsg)
{
    int decided = PreTranslateCommandBarsMessage(pMsg);
    if (decided >= 0)
        return decided;
    decided = PreTranslateHarnessDialogMessage(this, pMsg);
    if (decided >= 0)
        return decided;
    return FilterDialogInput(pMsg);
}

BOOL CHarnessDialog::PreTranslateInput(MSG* pMsg)
{
    if (IsCommandBarEditKey(pMsg))
        return FALSE;
    return FilterDialogInput(pMsg);
}

BOOL CHarnessDialog::CloseDialog()
{
    return CloseHarnessDialog(this);
}

BOOL CHarnessDialog::FilterDialogInput(MSG* pMsg)
{
    if (!IsHarnessDialogInput(pMsg))
        return FALSE;
    return HandleDialogKey(pMsg);
}

LRESULT CHarnessDialog::OnCloseRequest(WPARAM, LPARAM)
{
    CloseDialog();
    return 0;
}
