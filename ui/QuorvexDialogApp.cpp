#include "ui/QuorvexDialogApp.h"

#include "ui/QuorvexDlg.h"
#include "ui/UnitTestUILogManager.h"

CUnitTestBaseLogManager* CQuorvexDialogApp::CreateDialogLogManager()
{
    return new CUnitTestUILogManager();
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
    if (auto* sink = dynamic_cast<CUnitTestUILogManager*>(GetLogManager()))
        sink->SetTree(nullptr);
    return result == -1 ? 1 : 0;
}
