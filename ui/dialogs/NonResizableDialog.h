// CNonResizableDialog: the base of the harness's fixed-size dialogs, with the harness keyboard rules: F1 asks
// for help (ID_HELP_COMMAND), only Tab, Enter and Escape reach the dialog manager, and WM_QVX_CLOSE_DIALOG
// (0x46B) closes it.
#pragma once

#include "ui/dialogs/XTPDialogBase.h"
#include "ui/UiMessageIds.h"
#include "ui/dialogs/HarnessDialogKeys.h"

class CNonResizableDialog : public CXTPDialog
{
public:
    explicit CNonResizableDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The modal loop offers input here as well; it follows the same rules.
    BOOL PreTranslateInput(MSG* pMsg) override;

    // Enables Cancel (2) and Close (8) where they exist, then posts WM_CLOSE.
    virtual BOOL CloseDialog();
    // Tab, Enter and Escape key-downs for a window other than the dialog go to IsDialogMessage.
    virtual BOOL HandleDialogKey(MSG* pMsg);
    // Keyboard and mouse messages go to HandleDialogKey; anything else is not handled.
    virtual BOOL FilterDialogInput(MSG* pMsg);

protected:
    afx_msg LRESULT OnCloseRequest(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};
