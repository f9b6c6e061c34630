// The harness application with its user interface: dialog mode runs the main dialog with the results
// tree's log sink; the dialog hears of runs through its own run observer, and asks this application for the
// executor and the sink.
#pragma once

#include "engine/app/QuorvexApp.h"

class CQuorvexDlg;
class CUnitTestUILogManager;

class CQuorvexDialogApp : public CQuorvexApp
{
public:
    // The running main dialog (dialog mode); null otherwise.
    CQuorvexDlg* GetMainDialog() const { return m_pMainDialog; }
    // The results tree's sink while it is the application's sink (dialog mode); null otherwise.
    CUnitTestUILogManager* GetUILogManager() const { return m_pUILogManager; }
    // Hands the application a results tree's sink (owned from now on, as SetLogManager does).
    void SetUILogManager(CUnitTestUILogManager* logManager);

protected:
    CUnitTestBaseLogManager* CreateDialogLogManager() override;
    int RunDialogMode() override;
    // Forgets the results tree's sink once another sink replaced it.
    void OnLogManagerChanged(CUnitTestBaseLogManager* logManager) override;

private:
    CQuorvexDlg* m_pMainDialog = nullptr;
    CUnitTestUILogManager* m_pUILogManager = nullptr;
};
