// The harness's application object: start-up, command line, the log sink for the chosen mode, the executor,
// and the notifications through which the executor reaches whoever observes its runs (the main dialog in
// dialog mode, through CUnitTestRunObserver). It is the engine's host (CUnitTestHost): the executor and the
// sinks reach it through that interface. Its exit codes are in engine/ExitCodes.h.
#pragma once

#include <atomic>
#include "foundation/DravikString.h"
#include "engine/QuorvexExecutor.h"
#include "engine/UnitTestHost.h"
#include "engine/UnitTestLogManager.h"
#include "engine/UnitTestRunObserver.h"
#include "framework/WinApp.h"

#include <vector>

class CQuorvexApp : public CWinApp, public CUnitTestHost
{
public:
    CQuorvexApp();
    ~CQuorvexApp() override;

    BOOL InitInstance() override;

    bool EvaluateCommandLine();
    // The suite path lives in the executor; the application only hands it over.
    void SetSuitePath(CDravikString path);
    // Sets the suite path and loads it; a QVX_LOAD_* result, 5 without executor.
    int LoadTestSuite(CDravikString path);
    // Unloads the current suite and clears the suite path; false without an executor.
    bool UnloadTestSuite();
    bool SelectNamedTests();

    // Notifications, called on the executor's worker thread; each passes the event to the run observer and
    // does nothing without one.
    void OnRunBegun(long selectedCount) override;
    void OnTestStarted(long index) override;
    void OnTestFinished(long index, const CUnitTestCounts& counts) override;
    void OnRunEnded() override;
    // Called by the sinks (any thread) when they have shown log lines.
    void OnLogUpdated() override;
    // Who hears of runs (null: nobody). The observer must stay alive until it is replaced or removed.
    void SetRunObserver(CUnitTestRunObserver* observer) { m_pRunObserver = observer; }
    CUnitTestRunObserver* GetRunObserver() const { return m_pRunObserver.load(); }

    // The shared data folder: common application data + "\Quorvex\"; empty when the query fails.
    static CDravikString GetDataFolder();

    // Runs command-line mode with the sink already set; returns the exit code.
    int RunCommandLine();
    // For a run that does not end although it was told to stop (the test has not returned within the
    // executor's stop bound): the suite cannot be unloaded while its code runs, so this logs why and ends the
    // process at once with QVX_EXIT_TEST_NOT_RETURNING. Nothing of the program or the suite runs any more
    // (no destructors, no detach notifications). Returns only when the system refuses.
    void EndProcessForRunThatDoesNotStop();
    // The two forms of a failed load's message: a console line, or the text of the main dialog's box.
    enum class LoadMessageForm
    {
        Console,
        Dialog
    };
    // The string id of a failed load's message (result 1..7; any other result gives the unexpected one).
    static UINT GetLoadFailureStringId(int result, LoadMessageForm form);
    // The message of a failed load (result 1..7) in the given form, formatted with the path and, for a suite
    // of another architecture, the machine its header names (CUnitTestExecutor::GetSuiteMachine) and the
    // harness's own.
    static CDravikString FormatLoadFailure(int result, const CDravikString& path, WORD suiteMachine = 0,
                                           LoadMessageForm form = LoadMessageForm::Console);
    // The line printed for test names given on the command line that the suite does not have (empty when
    // every name matched): "No test named 'a' in the suite." / "No tests named 'a', 'b' in the suite."
    static CDravikString FormatUnmatchedNames(const std::vector<CDravikString>& names);
    // The names of the last SelectNamedTests that matched no test, in command-line order, each once.
    const std::vector<CDravikString>& GetUnmatchedNames() const { return m_unmatchedNames; }

    CQuorvexExecutor* GetExecutor() const { return m_pExecutor; }
    // Replaces the executor (owned from now on; the previous one is destroyed) and hands it this
    // application and the current sink.
    void SetExecutor(CQuorvexExecutor* executor);
    CUnitTestBaseLogManager* GetLogManager() const { return m_pLogManager; }
    // Hands the application a sink (owned from now on); the previous one is destroyed.
    void SetLogManager(CUnitTestBaseLogManager* logManager);
    // The command line the framework passes; tests set it directly.
    void SetCommandLine(const char* commandLine);
    bool IsCommandLineMode() const { return m_bCommandLineMode != 0; }
    CDravikString GetSuitePath() const;
    const std::vector<CDravikString>& GetTestNames() const { return m_testNames; }

    // Set by the dialog's log sink whenever an error is reported (under the sink's lock).
    void MarkErrorsReported() override { m_bErrorsReported = 1; }
    bool HasErrorsReported() const { return m_bErrorsReported != 0; }

protected:
    // Gives the console output a destination when the program was started from a console without
    // redirection (a GUI program has no console of its own).
    static void AttachParentConsole();
    // Dialog mode: the program's user interface overrides these two (the dialog's log sink, and constructing
    // and running the main dialog). Until then the console sink is used and the suite is only loaded and
    // reported.
    virtual CUnitTestBaseLogManager* CreateDialogLogManager() { return nullptr; }
    virtual int RunDialogMode();
    // Called by SetLogManager once the sink has changed (the new sink, or null). The application keeps no
    // typed view of its sink, so there is nothing to update here; the dialog application drops its own.
    virtual void OnLogManagerChanged(CUnitTestBaseLogManager* logManager) {}

    std::vector<CDravikString> m_testNames;
    std::vector<CDravikString> m_unmatchedNames;
    CDravikString m_strCommandLine;
    bool m_bCommandLineSet = false;

private:
    BYTE m_bCommandLineMode = 0;
    CUnitTestBaseLogManager* m_pLogManager = nullptr;
    CQuorvexExecutor* m_pExecutor = nullptr;
    std::atomic<CUnitTestRunObserver*> m_pRunObserver{nullptr};
    volatile BYTE m_bErrorsReported = 0;
};
