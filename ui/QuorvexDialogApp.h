// The harness application with its user interface: dialog mode runs the main dialog with the results
// tree's log sink; the dialog hears of runs through its own run observer.
#pragma once

#include "engine/app/QuorvexApp.h"

class CQuorvexDlg;

class CQuorvexDialogApp : public CQuorvexApp
{
public:
    // The running main dialog (dialog mode); null otherwise.
    CQuorvexDlg* GetMainDialog() const { return m_pMainDialog; }

protected:
    CUnitTestBaseLogManager* CreateDialogLogManager() override;
    int RunDialogMode() override;

private:
    CQuorvexDlg* m_pMainDialog = nullptr;
};
