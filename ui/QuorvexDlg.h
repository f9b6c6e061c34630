// CQuorvexDlg: the harness's main window in dialog mode (template 3006). It holds the suite, progress,
// current-test, status and elapsed-time fields and the results tree, turns the commands (load, run all,
// cancel, export, about, help) into calls on the application's executor, and turns the engine's posted
// notifications (through its run observer) into field updates on the user-interface thread.
#pragma once

#include "ui/ClientConfigFile.h"
#include "ui/dialogs/HarnessHelpHost.h"
#include "ui/MainDialogRunObserver.h"
#include "ui/controls/QuorvexgressIndicator.h"
#include "framework/StdControls.h"
#include "ui/UiResourceIds.h"
#include "ui/UnitTestLogDisplay.h"
#include "ui/dialogs/UnitTestResizableDialog.h"

#include <vector>

class CQuorvexDialogApp;
class CUnitTestElapsedTimeTimer;
class CUnitTestExecutor;
class CUnitTestUILogManager;

class CQuorvexDlg : public CUnitTestResizableDialog, public CHarnessHelpHost
{
public:
    static constexpr UINT kTemplateId = IDD_QUORVEX_MAIN;
    static constexpr COLORREF kPassColour = RGB(20, 220, 20);
    static constexpr COLORREF kWarningColour = RGB(250, 250, 0);
    static constexpr COLORREF kErrorColour = RGB(255, 0, 0);
    // wParam of WM_QVX_TEST_FINISHED when it announces the end of the run (0: a test's end).
    static constexpr WPARAM kRunEndedNotification = 1;

    explicit CQuorvexDlg(CWnd* pParentWnd = nullptr);
    ~CQuorvexDlg() override;

    // The application the dialog works for: it hands out the executor and the results tree's sink.
    void SetApplication(CQuorvexDialogApp* app) { m_pApp = app; }
    CQuorvexDialogApp* GetApplication() const { return m_pApp; }
    // What the engine tells about runs reaches this dialog through its observer, connected to the
    // application while the window exists (from its initialisation until it closes or is destroyed).
    CMainDialogRunObserver& GetRunObserver() { return m_runObserver; }
    // The configuration file (tests point it at a folder of their own).
    void SetConfigFile(const CClientConfigFile& config) { m_config = config; }
    const CClientConfigFile& GetConfigFile() const { return m_config; }

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL ArrangeControls() override;
    virtual void OnClose();

    // Called by the run observer on the worker thread when a run has ended: stops the timer, notes the end
    // time and posts the last WM_QVX_TEST_FINISHED with the selected-test count.
    void OnRunEnded();

    bool CreateElapsedTimeTimer();
    bool UpdateCurrentTestField();
    bool UpdateStatusField();
    bool UpdateElapsedTimeField();
    bool SetProgress(int position, int range);
    bool StartRun();
    void LogProcessingCancelled();

    // Set-up, layout and configuration.
    bool CreateToolbar(UINT titleId, UINT toolbarId, UINT bitmap0, UINT bitmap1, UINT bitmap2);
    bool SetupAppearance();
    // The paint theme of the command bars (6, the ribbon theme), the tooltips' width and initial delay.
    static constexpr int kToolbarTheme = 6;
    static constexpr int kToolTipWidth = 180;
    static constexpr int kToolTipDelay = 900;
    // The tool bar's flag word.
    static constexpr DWORD kToolbarFlags = 117;
    bool LayoutControls();
    CDravikString GetConfigFilePath() const { return m_config.GetConfigFilePath(); }
    bool ReadLastBrowsePath(CDravikString& out) const { return m_config.ReadLastBrowsePath(out); }
    bool WriteLastBrowsePath(const CDravikString& value) const { return m_config.WriteLastBrowsePath(value); }
    // Where the load browser starts when no folder is remembered yet: the folder of the suite loaded now
    // (the one named on the command line), else the module folder (the program's).
    CDravikString GetFirstBrowseFolder() const;
    static CDravikString GetProgramFolder();
    static CDravikString GetHelpFilePath();
    static CDravikString GetSkinModulePath();
    BOOL ShowHelpTopic(UINT contextId) override;

    // The load command with the path already chosen (the browser's part done): unload, load, report.
    int LoadChosenSuite(const CDravikString& path);
    // The export command with the path already chosen; true when the file was written.
    bool ExportTo(const CDravikString& path);

    // Every message box of the main dialog goes through here (MessageBoxA with this dialog as owner).
    virtual int ShowMessageBox(const char* text, const char* caption, UINT type);

    CQuorvexgressIndicator& GetProgressIndicator() { return m_progress; }
    CUnitTestLogDisplay& GetTree() { return m_tree; }
    CUnitTestElapsedTimeTimer* GetTimer() const { return m_pTimer; }
    // Whether the run-individual dialog is open.
    bool IsPickingTests() const { return m_pickingTests; }
    long long GetRunStartTime() const { return m_runStart; }
    long long GetRunEndTime() const { return m_runEnd; }

    afx_msg void OnCancelRun();
    // Enter reaching the default button does nothing; Escape, the close box and IDCANCEL cancel a run, wait
    // for the worker while messages keep flowing, detach the tree and the application, then close. A test
    // that has not returned within the executor's stop bound ends the program instead (exit code 4).
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnExportResults();
    afx_msg void OnLoadTestSuite();
    afx_msg void OnRunAll();
    afx_msg void OnRunIndividual();
    afx_msg void OnAbout();
    afx_msg void OnHelp();
    afx_msg void OnUpdateCancelRun(CCmdUI* pCmdUI);
    afx_msg void OnUpdateExportResults(CCmdUI* pCmdUI);
    afx_msg void OnUpdateLoadTestSuite(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRun(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAbout(CCmdUI* pCmdUI);

protected:
    afx_msg LRESULT OnTestStarted(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnTestFinished(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnLogUpdated(WPARAM, LPARAM);
    afx_msg LRESULT OnElapsedTimeTick(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    CUnitTestExecutor* GetExecutor() const;
    // The application's results tree sink; null without an application or such a sink.
    CUnitTestUILogManager* GetUILogManager() const;
    bool IsRunInProgress() const;
    // Copies the names of the selected tests and the test count from the executor. Only while no run is in
    // progress: the worker holds the executor's locks for the whole run and sends messages to this thread
    // while it holds them, so this thread must not wait for those locks then.
    void SnapshotTests();
    // Shows a stop-icon message box with a string-table format and the path put into it.
    void ShowPathMessage(UINT formatId, const CDravikString& path, const char* caption, UINT icon);
    // Connects the run observer to this window and the application, and disconnects it again.
    void ConnectRunObserver();
    void DisconnectRunObserver();
    // The command-bar options the harness keeps off: the expand button shown only when buttons do not fit,
    // and no Alt+drag customisation.
    void ApplyFixedBarOptions();
    // The tool bar members the harness keeps off: its gripper and its customisation.
    void ApplyFixedToolbarMembers();

    CQuorvexgressIndicator m_progress;
    CStatic m_progressLabel;
    CStatic m_suiteName;
    CStatic m_suiteNameLabel;
    CStatic m_currentTest;
    CStatic m_currentTestLabel;
    CStatic m_status;
    CStatic m_statusLabel;
    CStatic m_elapsed;
    CStatic m_elapsedLabel;
    CUnitTestLogDisplay m_tree;
    CQuorvexDialogApp* m_pApp = nullptr;
    bool m_closing = false;
    long long m_runStart;
    long long m_runEnd;
    // The number within the run of the test last reported started; 0 before the first test of a run.
    long m_currentTestNumber = 0;
    // What the elapsed-time field shows: nothing (the suite has not run since it was loaded), the time since
    // the run started, or the last run's total (start to end, the export's "Total Run Time").
    enum class ElapsedShown
    {
        Nothing,
        Running,
        Total
    };
    ElapsedShown m_elapsedShown = ElapsedShown::Nothing;
    // The selected tests of the suite (in run order) and the number of tests, as of the last load or run
    // start.
    std::vector<CDravikString> m_selectedNames;
    long m_testCount = 0;
    // The run-individual dialog is open (its rows point into the suite's tests).
    bool m_pickingTests = false;
    CUnitTestElapsedTimeTimer* m_pTimer = nullptr;
    CMainDialogRunObserver m_runObserver;
    CClientConfigFile m_config;
};
