#include "ui/QuorvexDlg.h"

#include "ui/AboutDialog.h"
#include "ui/BrowseForFile.h"
#include "ui/QuorvexRunIndividualDialog.h"
#include "framework/CmdUI.h"
#include "ui/UiResourceIds.h"
#include "framework/MessageMap.h"
#include "foundation/PathUtilities.h"
#include "ui/QuorvexDialogApp.h"
#include "engine/TestCaseExecutionContext.h"
#include "foundation/TimeUtilities.h"
#include "engine/EngineResourceIds.h"
#include "ui/UnitTestElapsedTimeTimer.h"
#include "ui/UnitTestUILogManager.h"

// The caption of the harness's run and load messages.
static const char kHarnessCaption[] = "Deva Vozi Vozadod";

BEGIN_MESSAGE_MAP(CQuorvexDlg, CUnitTestResizableDialog)
ON_WM_CLOSE()
ON_MESSAGE(WM_QVX_TEST_STARTED, OnTestStarted)
ON_MESSAGE(WM_QVX_TEST_FINISHED, OnTestFinished)
ON_MESSAGE(WM_QVX_LOG_UPDATED, OnLogUpdated)
ON_MESSAGE(WM_QVX_ELAPSED_TIME_TICK, OnElapsedTimeTick)
ON_COMMAND(ID_CANCEL_RUN, OnCancelRun)
ON_UPDATE_COMMAND_UI(ID_CANCEL_RUN, OnUpdateCancelRun)
ON_COMMAND(ID_EXPORT_RESULTS, OnExportResults)
ON_UPDATE_COMMAND_UI(ID_EXPORT_RESULTS, OnUpdateExportResults)
ON_COMMAND(ID_LOAD_TEST_SUITE, OnLoadTestSuite)
ON_UPDATE_COMMAND_UI(ID_LOAD_TEST_SUITE, OnUpdateLoadTestSuite)
ON_COMMAND(ID_RUN_ALL, OnRunAll)
ON_UPDATE_COMMAND_UI(ID_RUN_ALL, OnUpdateRun)
ON_COMMAND(ID_RUN_INDIVIDUAL, OnRunIndividual)
ON_UPDATE_COMMAND_UI(ID_RUN_INDIVIDUAL, OnUpdateRun)
ON_COMMAND(ID_ABOUT, OnAbout)
ON_UPDATE_COMMAND_UI(ID_ABOUT, OnUpdateAbout)
ON_COMMAND(ID_HELP_COMMAND, OnHelp)
END_MESSAGE_MAP()

CQuorvexDlg::CQuorvexDlg(CWnd* pParentWnd)
    : CUnitTestResizableDialog(pParentWnd, kTemplateId), m_runStart(GetCurrentFileTime()),
      m_runEnd(m_runStart)
{
    CreateElapsedTimeTimer();
}

CQuorvexDlg::~CQuorvexDlg()
{
    DisconnectRunObserver();
    delete m_pTimer;
    m_pTimer = nullptr;
}

bool CQuorvexDlg::CreateElapsedTimeTimer()
{
    delete m_pTimer;
    m_pTimer = new (std::nothrow) CUnitTestElapsedTimeTimer;
    if (!m_pTimer)
        return false;
    m_pTimer->SetTarget(this);
    return true;
}

void CQuorvexDlg::DoDataExchange(CDataExchange* pDX)
{
    CUnitTestResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS_LABEL, m_progressLabel);
    DDX_Control(pDX, IDC_SUITE_NAME, m_suiteName);
    DDX_Control(pDX, IDC_SUITE_NAME_LABEL, m_suiteNameLabel);
    DDX_Control(pDX, IDC_CURRENT_TEST, m_currentTest);
    DDX_Control(pDX, IDC_CURRENT_TEST_LABEL, m_currentTestLabel);
    DDX_Control(pDX, IDC_CURRENT_STATUS, m_status);
    DDX_Control(pDX, IDC_CURRENT_STATUS_LABEL, m_statusLabel);
    DDX_Control(pDX, IDC_ELAPSED_TIME, m_elapsed);
    DDX_Control(pDX, IDC_ELAPSED_TIME_LABEL, m_elapsedLabel);
    DDX_Control(pDX, IDC_PROGRESS_INDICATOR, m_progress);
}

BOOL CQuorvexDlg::ArrangeControls()
{
    if (!m_progress.m_hWnd)
        return FALSE;
    return LayoutControls() ? TRUE : FALSE;
}

CUnitTestExecutor* CQuorvexDlg::GetExecutor() const
{
    return m_pApp ? m_pApp->GetExecutor() : nullptr;
}

CUnitTestUILogManager* CQuorvexDlg::GetUILogManager() const
{
    return m_pApp ? m_pApp->GetUILogManager() : nullptr;
}

bool CQuorvexDlg::IsRunInProgress() const
{
    CUnitTestExecutor* executor = GetExecutor();
    return executor && executor->IsRunInProgress();
}

void CQuorvexDlg::ConnectRunObserver()
{
    if (!m_pApp || !m_hWnd)
        return;
    m_runObserver.Attach(this, m_hWnd);
    m_pApp->SetRunObserver(&m_runObserver);
}

void CQuorvexDlg::DisconnectRunObserver()
{
    if (m_pApp && m_pApp->GetRunObserver() == &m_runObserver)
        m_pApp->SetRunObserver(nullptr);
    m_runObserver.Detach();
}

void CQuorvexDlg::SnapshotTests()
{
    m_selectedNames.clear();
    m_testCount = 0;
    CUnitTestExecutor* executor = GetExecutor();
    if (!executor || executor->IsRunInProgress())
        return;
    for (CTestCaseExecutionContext* test = executor->FirstTest(); test; test = executor->NextTest())
    {
        ++m_testCount;
        if (test->m_bSelected)
            m_selectedNames.push_back(test->m_name);
    }
    executor->EndTestIteration();
}

// ---------------------------------------------------------------- fields

bool CQuorvexDlg::UpdateCurrentTestField()
{
    CUnitTestExecutor* executor = GetExecutor();
    if (!m_currentTest.m_hWnd || !executor)
        return false;
    CDravikString text;
    if (executor->IsRunInProgress())
    {
        CDravikString format;
        format.LoadString(IDS_CURRENT_TEST_FORMAT);
        // The name comes from the run's own list: asking the executor would wait for a lock that the worker
        // holds while it waits for this thread.
        CDravikString name("");
        if (m_currentTestNumber >= 1 && m_currentTestNumber <= static_cast<long>(m_selectedNames.size()))
            name = m_selectedNames[m_currentTestNumber - 1];
        text.Format(format.GetAnsi(), static_cast<long>(m_currentTestNumber),
                    static_cast<long>(m_selectedNames.size()), name.IsEmpty() ? "" : name.GetAnsi());
    }
    else
        text.LoadString(m_currentTestNumber != 0 ? IDS_ALL_TESTS_COMPLETED : IDS_NOT_RUNNING);
    m_currentTest.SetWindowText(text.GetAnsi());
    return true;
}

bool CQuorvexDlg::UpdateStatusField()
{
    if (!m_status.m_hWnd)
        return false;
    CDravikString format, text;
    format.LoadString(IDS_STATUS_FORMAT);
    const long errors = m_tree.m_hWnd ? m_tree.GetErrorCount() : 0;
    const long warnings = m_tree.m_hWnd ? m_tree.GetWarningCount() : 0;
    text.Format(format.GetAnsi(), errors, warnings);
    m_status.SetWindowText(text.GetAnsi());
    return true;
}

bool CQuorvexDlg::UpdateElapsedTimeField()
{
    CUnitTestExecutor* executor = GetExecutor();
    if (!m_elapsed.m_hWnd || !executor)
        return false;
    // Set by the run's start and end on this thread, so a tick that arrives late cannot blank the total.
    CDravikString text("");
    if (m_elapsedShown == ElapsedShown::Running)
        text = FormatElapsedTime(m_runStart, GetCurrentFileTime());
    else if (m_elapsedShown == ElapsedShown::Total)
        text = FormatElapsedTime(m_runStart, m_runEnd);
    m_elapsed.SetWindowText(text.IsEmpty() ? "" : text.GetAnsi());
    return true;
}

bool CQuorvexDlg::SetProgress(int position, int range)
{
    if (!m_progress.m_hWnd)
        return false;
    m_progress.m_minimum = 0;
    m_progress.m_maximum = range;
    COLORREF colour = kPassColour;
    if (m_tree.m_hWnd && m_tree.GetErrorCount() > 0)
        colour = kErrorColour;
    else if (m_tree.m_hWnd && m_tree.GetWarningCount() > 0)
        colour = kWarningColour;
    m_progress.SetColor(colour);
    m_progress.SetPos(position < range ? position : range);
    return true;
}

// ---------------------------------------------------------------- runs

void CQuorvexDlg::OnRunEnded()
{
    if (m_pTimer)
    {
        m_pTimer->Disarm();
        m_pTimer->WaitForCallback();
    }
    m_runEnd = GetCurrentFileTime();
    if (m_hWnd)
        ::PostMessageA(m_hWnd, WM_QVX_TEST_FINISHED, kRunEndedNotification,
                       static_cast<LPARAM>(m_selectedNames.size()));
}

bool CQuorvexDlg::StartRun()
{
    CUnitTestExecutor* executor = GetExecutor();
    if (!executor || !m_pTimer || executor->IsRunInProgress())
        return false;
    SnapshotTests();
    const long selected = static_cast<long>(m_selectedNames.size());
    if (selected < 1)
    {
        CDravikString text;
        text.LoadString(IDS_NO_TESTS_SELECTED);
        ShowMessageBox(text.GetAnsi(), kHarnessCaption, MB_OK | MB_ICONSTOP);
        return false;
    }
    m_currentTestNumber = 0;
    // The tree first: the status field and the bar's colour read its counts.
    if (m_pApp->GetLogManager())
        m_pApp->GetLogManager()->Clear();
    SetProgress(0, static_cast<int>(selected));
    UpdateCurrentTestField();
    UpdateStatusField();
    m_runStart = GetCurrentFileTime();
    m_elapsedShown = ElapsedShown::Running;
    UpdateElapsedTimeField();
    m_pTimer->Arm();
    if (executor->RunSelectedTests(false))
        return true;
    // No worker, no run: nothing else would disarm the timer, and there is no time to show.
    m_pTimer->Disarm();
    m_pTimer->WaitForCallback();
    m_elapsedShown = ElapsedShown::Nothing;
    UpdateElapsedTimeField();
    return false;
}

void CQuorvexDlg::OnRunAll()
{
    if (m_pickingTests)
        return;
    OnCancelRun();
    CUnitTestExecutor* executor = GetExecutor();
    // Selecting takes the executor's test lock, which a running worker holds.
    if (executor && !executor->IsRunInProgress())
    {
        executor->SelectAllTests(true);
        StartRun();
    }
}

void CQuorvexDlg::OnRunIndividual()
{
    // Not during a run (the list would wait for the executor's test lock, which the worker holds for the
    // whole run), not without tests, and not a second time from a command posted while the list is open.
    CUnitTestExecutor* executor = GetExecutor();
    if (m_pickingTests || !executor || executor->IsRunInProgress() || m_testCount < 1)
        return;
    m_pickingTests = true;
    int result = IDCANCEL;
    {
        CQuorvexRunIndividualDialog dialog(this);
        dialog.SetExecutor(executor);
        dialog.SetHelpOwner(this);
        result = static_cast<int>(dialog.DoModal());
    }
    m_pickingTests = false;
    if (result == IDOK)
        StartRun();
    else
        SnapshotTests();
    if (m_tree.m_hWnd)
        m_tree.SetFocus();
}

void CQuorvexDlg::OnCancelRun()
{
    if (m_pTimer)
    {
        m_pTimer->Disarm();
        m_pTimer->WaitForCallback();
    }
    CUnitTestExecutor* executor = GetExecutor();
    if (!executor || !m_pApp->GetLogManager())
        return;
    executor->RequestCancel();
}

void CQuorvexDlg::LogProcessingCancelled()
{
    CUnitTestExecutor* executor = GetExecutor();
    if (!executor || !executor->MarkCancelReported())
        return;
    if (CUnitTestBaseLogManager* log = m_pApp->GetLogManager())
    {
        CDravikString text;
        text.LoadString(IDS_PROCESSING_CANCELLED);
        log->LogError(text, -1);
    }
}

// ---------------------------------------------------------------- load and export

void CQuorvexDlg::OnLoadTestSuite()
{
    // While the test list is open its rows point into the suite's tests: no load then.
    if (!m_pApp || m_pickingTests)
        return;
    CDravikString folder;
    if (!ReadLastBrowsePath(folder) || folder.IsEmpty())
    {
        folder = GetFirstBrowseFolder();
        WriteLastBrowsePath(folder);
    }
    CBrowseForFile browser;
    browser.SetOwner(this);
    browser.SetInitialFolder(folder);
    CDravikString path = browser.BrowseForSuite();
    if (path.IsEmpty())
        return;
    WriteLastBrowsePath(GetFolderOfPath(path));
    LoadChosenSuite(path);
}

CDravikString CQuorvexDlg::GetFirstBrowseFolder() const
{
    // The suite held now came from the command line (a load through the browser remembers its folder):
    // its module's folder, whatever way the command line named it; else the module folder as the command
    // line names it, the program's when none is loaded.
    CUnitTestExecutor* executor = GetExecutor();
    if (executor && executor->GetModule())
    {
        CDravikString folder = executor->GetSuiteFolder();
        if (!folder.IsEmpty())
            return folder;
    }
    return GetModuleFolder();
}

void CQuorvexDlg::ShowPathMessage(UINT formatId, const CDravikString& path, const char* caption, UINT icon)
{
    CDravikString format, text, where(path);
    format.LoadString(static_cast<int>(formatId));
    text.Format(format.GetAnsi(), where.GetAnsi());
    ShowMessageBox(text.GetAnsi(), caption, MB_OK | icon);
}

int CQuorvexDlg::ShowMessageBox(const char* text, const char* caption, UINT type)
{
    return ::MessageBoxA(m_hWnd, text, caption, type);
}

int CQuorvexDlg::LoadChosenSuite(const CDravikString& path)
{
    if (!m_pApp)
        return QVX_LOAD_NO_EXECUTOR;
    m_pApp->UnloadTestSuite();
    const int result = m_pApp->LoadTestSuite(path);
    CUnitTestExecutor* executor = GetExecutor();
    if (result == QVX_LOAD_OK && executor)
    {
        // Loading recorded the module's folder as the folder of the runs.
        SnapshotTests();
        const long selected = static_cast<long>(m_selectedNames.size());
        m_currentTestNumber = 0;
        // The last run's results go first, so that no field shows them for the new suite; it has not run.
        if (m_pApp->GetLogManager())
            m_pApp->GetLogManager()->Clear();
        m_elapsedShown = ElapsedShown::Nothing;
        SetProgress(0, static_cast<int>(selected));
        UpdateCurrentTestField();
        UpdateStatusField();
        UpdateElapsedTimeField();
        CDravikString name = executor->GetSuiteName();
        m_suiteName.SetWindowText(name.GetAnsi() ? name.GetAnsi() : "");
        return result;
    }
    // The previous suite was unloaded before the attempt: the dialog no longer shows its name nor offers to
    // run its tests.
    SnapshotTests();
    m_currentTestNumber = 0;
    UpdateCurrentTestField();
    CDravikString none;
    none.LoadString(IDS_NO_SUITE_LOADED);
    m_suiteName.SetWindowText(none.GetAnsi());
    CDravikString text = CQuorvexApp::FormatLoadFailure(result, path, executor ? executor->GetSuiteMachine() : 0,
                                                        CQuorvexApp::LoadMessageForm::Dialog);
    ShowMessageBox(text.GetAnsi(), kHarnessCaption, MB_OK | MB_ICONSTOP);
    return result;
}

bool CQuorvexDlg::ExportTo(const CDravikString& path)
{
    CUnitTestExecutor* executor = GetExecutor();
    if (!executor)
        return false;
    CDravikString runTime = FormatElapsedTime(m_runStart, m_runEnd);
    HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    const bool written = m_tree.m_hWnd && m_tree.ExportToFile(path, executor->GetSuiteName(), runTime);
    ::SetCursor(previous);
    CDravikString caption;
    caption.LoadString(IDS_CAPTION);
    ShowPathMessage(written ? IDS_EXPORT_SUCCEEDED : IDS_EXPORT_FAILED, path, caption.GetAnsi(),
                    MB_ICONINFORMATION);
    return written;
}

void CQuorvexDlg::OnExportResults()
{
    if (!GetExecutor())
        return;
    CBrowseForFile browser;
    browser.SetOwner(this);
    browser.SetInitialFolder(GetModuleFolder());
    CDravikString path = browser.BrowseForResults();
    if (!path.IsEmpty())
        ExportTo(path);
}

void CQuorvexDlg::OnAbout()
{
    CAboutDialog about(this);
    about.SetOwnerDialog(this);
    about.DoModal();
}

void CQuorvexDlg::OnHelp()
{
    ShowHelpTopic(QVX_HELP_MAIN);
    Invalidate(TRUE);
}

// ---------------------------------------------------------------- command states

void CQuorvexDlg::OnUpdateRun(CCmdUI* pCmdUI)
{
    CUnitTestExecutor* executor = GetExecutor();
    pCmdUI->Enable(executor && !executor->IsRunInProgress() && m_testCount > 0 && !m_pickingTests);
}

void CQuorvexDlg::OnUpdateLoadTestSuite(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetExecutor() && !IsRunInProgress() && !m_pickingTests);
}

void CQuorvexDlg::OnUpdateCancelRun(CCmdUI* pCmdUI)
{
    CUnitTestExecutor* executor = GetExecutor();
    pCmdUI->Enable(executor && executor->IsRunInProgress() && executor->IsKeepRunning());
}

void CQuorvexDlg::OnUpdateExportResults(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetExecutor() && !IsRunInProgress() && m_tree.m_hWnd && m_tree.GetMessageCount() > 0);
}

void CQuorvexDlg::OnUpdateAbout(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsRunInProgress());
}

// ---------------------------------------------------------------- notifications

LRESULT CQuorvexDlg::OnTestStarted(WPARAM, LPARAM lParam)
{
    // The latest test that started (several may have started since this notification was posted).
    m_currentTestNumber = m_runObserver.TakeTestStarted();
    if (GetExecutor())
        UpdateCurrentTestField();
    UpdateStatusField();
    return 1;
}

LRESULT CQuorvexDlg::OnTestFinished(WPARAM wParam, LPARAM lParam)
{
    CUnitTestExecutor* executor = GetExecutor();
    if (!executor)
        return 1;
    // A test's end carries the latest finished test; the run's end (wParam kRunEndedNotification) the
    // number of tests selected.
    if (wParam != kRunEndedNotification)
        lParam = static_cast<LPARAM>(m_runObserver.TakeTestFinished());
    // Once the run is over, what the worker logged last is shown before the fields are read; during the
    // run the sink's slices keep the window answering.
    if (!executor->IsRunInProgress())
        if (CUnitTestUILogManager* sink = GetUILogManager())
            sink->DeliverPending();
    SetProgress(static_cast<int>(lParam), static_cast<int>(m_selectedNames.size()));
    UpdateCurrentTestField();
    UpdateStatusField();
    // The run's end: the field keeps the run's total time (the end time was stored before this was posted).
    if (wParam == kRunEndedNotification && !executor->IsRunInProgress() &&
        m_elapsedShown == ElapsedShown::Running)
    {
        m_elapsedShown = ElapsedShown::Total;
        UpdateElapsedTimeField();
    }
    if (!executor->IsKeepRunning() && executor->IsCancelRequested())
        LogProcessingCancelled();
    return 1;
}

LRESULT CQuorvexDlg::OnLogUpdated(WPARAM, LPARAM)
{
    UpdateStatusField();
    return 1;
}

LRESULT CQuorvexDlg::OnElapsedTimeTick(WPARAM, LPARAM)
{
    UpdateElapsedTimeField();
    return 1;
}

void CQuorvexDlg::OnClose()
{
    OnCancelRun();
    SaveLayout(1, IDS_TOOLBAR_TITLE);
    Default();
}

void CQuorvexDlg::OnOK()
{
    // The main dialog has no default action: Enter must not close it.
}

void CQuorvexDlg::OnCancel()
{
    if (m_closing)
        return;
    m_closing = true;
    OnCancelRun();
    if (CUnitTestExecutor* executor = GetExecutor())
    {
        // The worker logs into the tree until it ends: wait for it here, dispatching messages (the sink
        // sends to this thread), before anything it reaches goes away. A test that has not returned within
        // the stop bound never will: the program then ends at once, with its own exit code.
        if (executor->IsRunInProgress())
        {
            executor->StartStopBound();
            if (!executor->WaitForRunEnd(executor->GetStopBoundRemaining()))
                m_pApp->EndProcessForRunThatDoesNotStop();
            executor->Stop();
        }
    }
    if (CUnitTestUILogManager* sink = GetUILogManager())
        sink->SetTree(nullptr);
    DisconnectRunObserver();
    CUnitTestResizableDialog::OnCancel();
}

