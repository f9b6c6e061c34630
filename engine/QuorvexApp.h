// The harness's application object: start-up, command line, the log sink for the chosen mode, the executor,
// and the notifications through which the executor reaches the main dialog.
#pragma once

#include <atomic>
#include "DravikString.h"
#include "QuorvexExecutor.h"
#include "UnitTestLogManager.h"
#include "WinApp.h"

#include <vector>

class CQuorvexDlg;

// Exit codes of command-line mode.
enum
{
    QVX_EXIT_PASSED = 0,       // at least one test ran and none failed
    QVX_EXIT_TESTS_FAILED = 1, // a test reported an error, threw or faulted (or setup/teardown/helpers did)
    QVX_EXIT_LOAD_FAILED = 2,  // the suite could not be loaded (its message was printed)
    QVX_EXIT_NO_TESTS = 3      // the suite loaded but no test was selected (no name matched)
};

class CQuorvexApp : public CWinApp
{
public:
    CQuorvexApp();
    ~CQuorvexApp() override;

    BOOL InitInstance() override;

    bool EvaluateCommandLine();
    void SetSuitePath(CDravikString path) { m_strSuitePath = path; }
    // Sets the suite path (application and executor) and loads it; a QVX_LOAD_* result, 5 without executor.
    int LoadTestSuite(CDravikString path);
    bool UnloadTestSuite();
    bool SelectNamedTests();

    // Notifications, called on the executor's worker thread; each does nothing without a main dialog.
    // A test's start and end are posted to the dialog at most once at a time each: while one waits in the
    // dialog's queue, later ones only update the index it will read (a run of many quick tests would
    // otherwise fill the queue, whose length the system limits).
    virtual void OnTestStarted(int index);
    virtual void OnTestFinished(int index);
    // The dialog's side of those notifications: the latest index, and the next one may be posted again.
    long TakeTestStarted();
    long TakeTestFinished();
    virtual void OnRunEnded();
    virtual void OnLogUpdated();

    // The shared data folder: common application data + "\Quorvex\"; empty when the query fails.
    static CDravikString GetDataFolder();

    // Runs command-line mode with the sink already set; returns the exit code.
    int RunCommandLine();
    // The message printed for a failed load (result 1..6), formatted with the path.
    static CDravikString FormatLoadFailure(int result, const CDravikString& path);

    CQuorvexExecutor* GetExecutor() const { return m_pExecutor; }
    CUnitTestBaseLogManager* GetLogManager() const { return m_pLogManager; }
    // Hands the application a sink (owned from now on); the previous one is destroyed.
    void SetLogManager(CUnitTestBaseLogManager* logManager);
    // The command line the framework passes; tests set it directly.
    void SetCommandLine(const char* commandLine);
    bool IsCommandLineMode() const { return m_bCommandLineMode != 0; }
    CDravikString GetSuitePath() const { return m_strSuitePath; }
    const std::vector<CDravikString>& GetTestNames() const { return m_testNames; }

    CDravikString m_strSuitePath;
    BYTE m_bCommandLineMode = 0;
    CUnitTestBaseLogManager* m_pLogManager = nullptr;
    CQuorvexExecutor* m_pExecutor = nullptr;
    // The running main dialog (dialog mode) and its window; null otherwise.
    CQuorvexDlg* m_pMainDialog = nullptr;
    HWND m_hMainDialogWnd = nullptr;
    std::atomic<long> m_nLatestStarted{0};
    std::atomic<long> m_nLatestFinished{0};
    std::atomic<bool> m_bStartedPosted{false};
    std::atomic<bool> m_bFinishedPosted{false};
    // Set by the dialog's log sink whenever an error is reported.
    volatile BYTE m_bErrorsReported = 0;

protected:
    // Gives the console output a destination when the program was started from a console without
    // redirection (a GUI program has no console of its own).
    static void AttachParentConsole();
    // Dialog mode: the program's user interface overrides these two (the dialog's log sink, and constructing
    // and running the main dialog). Until then the console sink is used and the suite is only loaded and
    // reported.
    virtual CUnitTestBaseLogManager* CreateDialogLogManager() { return nullptr; }
    virtual int RunDialogMode();

    std::vector<CDravikString> m_testNames;
    CDravikString m_strCommandLine;
    bool m_bCommandLineSet = false;
};
