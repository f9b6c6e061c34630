// CHarnessDialog: what the fixed-size and resizable harness dialog bases share. Its key pre-translation
// runs the command bars' steps, then the harness rules (F1 asks for help, Escape in a multi-line edit box
// cancels), then FilterDialogInput; WM_QVX_CLOSE_DIALOG (0x46B) closes the dialog through CloseDialog.
// Which keys reach the dialog manager is the derived base's HandleDialogKey.
#pragma once

#include "ui/dialogs/XTPDialogBase.h"
#include "ui/UiMessageIds.h"
#include "ui/dialogs/HarnessDialogKeys.h"

class CHarnessDialog : public CXTPDialog
{
public:
    CHarnessDialog(UINT nIDTemplate, CWnd* pParentWnd);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The modal loop offers input here as well; it follows the same rules.
    BOOL PreTranslateInput(MSG* pMsg) override;

    // Enables Cancel (2) and Close (8) where they exist, then posts WM_CLOSE.
    virtual BOOL CloseDialog();
    // The keys for the dialog manager, by the derived base's rules.
    virtual BOOL HandleDialogKey(MSG* pMsg) = 0;
    // Keyboard and mouse messages go to HandleDialogKey; anything else is not handled.
    virtual BOOL FilterDialogInput(MSG* pMsg);

protected:
    afx_msg LRESULT OnCloseRequest(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};
