#include "ui/QuorvexDialogApp.h"

#include "ui/QuorvexDlg.h"
#include "ui/UnitTestUILogManager.h"

void CQuorvexDialogApp::SetUILogManager(CUnitTestUILogManager* logManager)
{
    m_pUILogManager = logManager;
    SetLogManager(logManager);
}

void CQuorvexDialogApp::OnLogManagerChanged(CUnitTestBaseLogManager* logManager)
{
    if (logManager != m_pUILogManager)
        m_pUILogManager = nullptr;
}

CUnitTestBaseLogManager* CQuorvexDialogApp::CreateDialogLogManager()
{
    // Start-up hands the sink to SetLogManager right away.
    m_pUILogManager = new CUnitTestUILogManager();
    return m_pUILogManager;
}

int CQuorvexDialogApp::RunDialogMode()
{
    // The outcome of this load is shown by the dialog (its suite field), not examined here.
    GetExecutor()->LoadSuite();

    CQuorvexDlg dialog;
    dialog.SetApplication(this);
    m_pMainDialog = &dialog;
    m_pMainWnd = &dialog;
    const INT_PTR result = dialog.DoModal();
    m_pMainWnd = nullptr;
    m_pMainDialog = nullptr;
    if (CUnitTestUILogManager* sink = GetUILogManager())
        sink->SetTree(nullptr);
    return result == -1 ? 1 : 0;
}
