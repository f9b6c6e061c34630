// CQuorvexRunIndividualDialog: the modal dialog (template 3007) in which the user picks the tests of the
// loaded suite that the next run executes. One row per test, sorted by name (numbers inside names by
// value); "&Run" is enabled while a row is selected and marks exactly the selected tests; Cancel, Escape
// and the close box select every test again. The list holds pointers into the executor's test list only
// while the dialog is open.
#pragma once

#include "framework/StdControls.h"
#include "ui/RunIndividualDisplay.h"
#include "ui/UiResourceIds.h"
#include "ui/dialogs/HarnessHelpHost.h"
#include "ui/dialogs/UnitTestResizableDialog.h"

class CUnitTestExecutor;

class CQuorvexRunIndividualDialog : public CUnitTestResizableDialog
{
public:
    static constexpr UINT kTemplateId = IDD_RUN_INDIVIDUAL;
    static constexpr UINT kHelpContext = QVX_HELP_RUN_INDIVIDUAL;
    // The list's height per test and its upper bounds when the dialog grows to show every test.
    static constexpr int kMaxWantedHeight = 600;
    static constexpr int kMaxWantedWidth = 600;

    explicit CQuorvexRunIndividualDialog(CWnd* pParentWnd = nullptr);
    ~CQuorvexRunIndividualDialog() override;

    // Set by the opener before DoModal; null: the dialog works without tests, resp. without help.
    void SetExecutor(CUnitTestExecutor* executor) { m_executor = executor; }
    CUnitTestExecutor* GetExecutor() const { return m_executor; }
    void SetHelpOwner(CHarnessHelpHost* owner) { m_helpOwner = owner; }

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL ArrangeControls() override;
    // "&Run": marks exactly the selected tests, empties the list and ends the dialog with IDOK.
    void OnOK() override;
    // Selects every test again, empties the list and ends the dialog with IDCANCEL.
    void OnCancel() override;

    // One row per test of the executor, in name order.
    void FillTestList();
    // Grows the dialog so that every row (at most 600 pixels of them) and the widest name fit.
    void GrowToFitTests();
    // The list client size GrowToFitTests wants for count rows whose widest name is nameWidth pixels.
    static SIZE WantedListSize(int count, int nameWidth, int lineHeight);
    void UpdateButtons();

    CRunIndividualDisplay& GetList() { return m_list; }
    CButton& GetRunButton() { return m_run; }
    CButton& GetCancelButton() { return m_cancel; }
    CButton& GetHelpButton() { return m_help; }

protected:
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()

private:
    CButton m_run;
    CButton m_cancel;
    CButton m_help;
    CStatic m_label;
    CRunIndividualDisplay m_list;
    CUnitTestExecutor* m_executor = nullptr;
    CHarnessHelpHost* m_helpOwner = nullptr;
};
