// CNonResizableDialog: the base of the harness's fixed-size dialogs, with the harness keyboard rules: F1 asks
// for help (command 9), only Tab, Enter and Escape reach the dialog manager, and message 0x46B closes it.
#pragma once

#include "XTPDialogBase.h"

// Posted to a harness dialog to have it closed from outside (no parameters).
#define WM_QVX_CLOSE_DIALOG (WM_USER + 107)
// The harness's help command.
#define QVX_ID_HELP 9

// The steps of the harness dialogs' key pre-translation that come before their own filter: TRUE or FALSE
// when the message is decided, -1 when the dialog's FilterDialogInput decides.
int PreTranslateHarnessDialogMessage(CWnd* dialog, MSG* pMsg);
// True for keyboard (0x100-0x109) and mouse (0x200-0x209) messages.
bool IsHarnessDialogInput(const MSG* pMsg);
// Enables Cancel (2) and Close (8) of the dialog where they exist, then posts WM_CLOSE to it.
BOOL CloseHarnessDialog(CWnd* dialog);

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
