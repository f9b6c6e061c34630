// CNonResizableDialog: the base of the harness's fixed-size dialogs, with the harness keyboard rules: F1 asks
// for help (ID_HELP_COMMAND), only Tab, Enter, Escape and access keys reach the dialog manager, and WM_QVX_CLOSE_DIALOG
// (0x46B) closes it (the key pre-translation and the close request are CHarnessDialog's).
#pragma once

#include "ui/dialogs/HarnessDialog.h"

class CNonResizableDialog : public CHarnessDialog
{
public:
    explicit CNonResizableDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Tab, Enter and Escape key-downs for a window other than the dialog, and access keys, go to
    // IsDialogMessage.
    BOOL HandleDialogKey(MSG* pMsg) override;
};
