// CRunIndividualDisplay: the list of the run-individual dialog: a column view with one text column "Test
// Name", one row per test of the loaded suite, the row picture IDB_RUN_INDIVIDUAL_ROW and multiple selection.
#pragma once

#include "ui/controls/ColumnViewControl.h"
#include "ui/UiResourceIds.h"

class CQuorvexRunIndividualDialog;
class CTestCaseExecutionContext;

// One row: the test it stands for (owned by the executor's test list, not by the row).
class CRunIndividualDisplayEntry : public CColumnViewControlEntry
{
public:
    explicit CRunIndividualDisplayEntry(CTestCaseExecutionContext* test) : m_test(test) {}

    CTestCaseExecutionContext* m_test;
};

class CRunIndividualDisplay : public CColumnViewControl
{
public:
    static constexpr UINT kRowBitmapId = IDB_RUN_INDIVIDUAL_ROW;
    static constexpr int kRowImageWidth = 16;

    CRunIndividualDisplay();
    ~CRunIndividualDisplay() override;

    void SetDialog(CQuorvexRunIndividualDialog* dialog) { m_dialog = dialog; }
    CQuorvexRunIndividualDialog* GetDialog() const { return m_dialog; }

    bool AddColumns() override;
    bool LoadImages() override;
    void OnSelectionChanged() override;
    // A selection made by keys, or by pointing at a row, enables "&Run" too.
    void OnKeyboardMoved() override;
    void OnContextSelect() override;
    void OnActivate() override;
    // Adds a row for the test (picture 1, its name); false for null or a refused entry.
    virtual bool AddTestEntry(CTestCaseExecutionContext* test);

private:
    CQuorvexRunIndividualDialog* m_dialog = nullptr;
};
