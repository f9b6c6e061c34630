#include "ui/dialogs/NonResizableDialog.h"

CNonResizableDialog::CNonResizableDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CHarnessDialog(nIDTemplate, pParentWnd)
{
}

BOOL CNonResizableDialog::HandleDialogKey(MSG* pMsg)
{
    return HandleHarnessDialogKey(m_hWnd, pMsg, CHarnessDialogKeyRules());
}
