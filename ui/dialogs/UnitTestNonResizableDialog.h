// CUnitTestNonResizableDialog: the harness's fixed-size dialog (the about box's base). It keeps a pointer to
// the main dialog that opened it, through which it opens help topics.
#pragma once

#include "ui/dialogs/HarnessHelpHost.h"
#include "ui/dialogs/NonResizableDialog.h"

class CUnitTestNonResizableDialog : public CNonResizableDialog
{
public:
    CUnitTestNonResizableDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : CNonResizableDialog(nIDTemplate, pParentWnd)
    {
    }

    // Set by the opener before the dialog runs; null: no help and no extras that need the main dialog.
    void SetOwnerDialog(CHarnessHelpHost* owner) { m_pOwnerDialog = owner; }
    CHarnessHelpHost* GetOwnerDialog() const { return m_pOwnerDialog; }

protected:
    CHarnessHelpHost* m_pOwnerDialog = nullptr;
};
