#include "QuorvexDialogApp.h"

#include "QuorvexDlg.h"
#include "UnitTestUILogManager.h"

void CQuorvexDialogApp::OnRunEnded()
{
    // Called on the worker thread; the dialog's run-ended operation only touches its timer and posts.
    CQuorvexDlg* dialog = m_pMainDialog;
    if (dialog)
        dialog->OnRunEnded();
}

CUnitTestBaseLogManager* CQuorvexDialogApp::CreateDialogLogManager()
{
    return new CUnitTestUILogManager();
}

int CQuorvexDialogApp::RunDialogMode()
{
    // The outcome of this load is shown by the dialog (its suite field), not examined here.
    m_pExecutor->LoadSuite();

    CQuorvexDlg dialog;
    dialog.SetApplication(this);
    m_pMainDialog = &dialog;
    m_pMainWnd = &dialog;
    const INT_PTR result = dialog.DoModal();
    m_pMainWnd = nullptr;
    m_pMainDialog = nullptr;
    m_hMainDialogWnd = nullptr;
    if (auto* sink = dynamic_cast<CUnitTestUILogManager*>(m_pLogManager))
        sink->SetTree(nullptr);
    return result == -1 ? 1 : 0;
}
