// The executor: loads one test-suite module, keeps its test records, runs the selected tests on its worker
// thread and offers the suite the callback interface (its second base).
#pragma once

#include "sdk/QuorvexSuite.h"

#include "foundation/DravikString.h"
#include "engine/NestedIteration.h"
#include "engine/ProcessEndWatch.h"
#include "engine/TestCaseExecutionContext.h"
#include "foundation/ThreadLock.h"
#include "engine/UnitTestHelperExecutor.h"
#include "engine/UnitTestLogManager.h"
#include "engine/UnitTestRunObserver.h"
#include "engine/UnitTestThreadedExecutor.h"

#include <atomic>
#include <vector>

// Load results.
enum
{
    QVX_LOAD_OK = 0,
    QVX_LOAD_MISSING = 1,       // the suite file does not exist (or is a folder, or the path is empty)
    QVX_LOAD_INVALID = 2,       // the module could not be loaded (not a module, ...)
    QVX_LOAD_DEPENDENCIES = 3,  // the module exists but a module or function it needs is missing
    QVX_LOAD_WRONG_VERSION = 4, // no constructor export, no suite object, version not 1, or no tests
    QVX_LOAD_NO_EXECUTOR = 5,   // (application) there is no executor
    QVX_LOAD_UNEXPECTED = 6,    // the suite faulted or threw while it was constructed or registered its tests
    QVX_LOAD_WRONG_ARCHITECTURE = 7 // the module is built for another machine than the harness (GetSuiteMachine)
};

class CUnitTestExecutor : public CUnitTestThreadedExecutor,
                          public CUnitTestCaseExecutorAPI,
                          public CUnitTestHelperOwner,
                          public CWatchedRun
{
public:
    CUnitTestExecutor();
    ~CUnitTestExecutor() override;

    // ---- Loading (UI thread, no run in progress) ----
    // Unloads any suite held, then loads the one named by the suite path; a QVX_LOAD_* result.
    int LoadSuite();
    // Stops any run, destroys tests, helpers and the suite object and frees the module. True only when the
    // suite object was destroyed through the module's destructor export.
    bool UnloadSuite();
    // Tries a path that does not exist relative to the current directory against the program's folder.
    bool ResolveSuitePath();
    // Loads the module from the given absolute path (records the system error on failure).
    bool LoadModule(const CDravikString& absolutePath);
    // The folder of the loaded module (of the suite path without a module), with a trailing backslash; it
    // becomes the suite folder. Loading calls it: callers read the result with GetSuiteFolder.
    CDravikString ComputeSuiteFolder();
    bool ClearTests();
    // The suite path as given; a successful load replaces a path found beside the program by that path.
    void SetSuitePath(CDravikString path) { m_strSuitePath = path; }
    CDravikString GetSuitePath() const { return m_strSuitePath; }
    // The absolute path of the module loaded (empty without a suite).
    CDravikString GetModulePath() const { return m_strModulePath; }
    CDravikString GetSuiteName() const { return m_strSuiteName; }
    // The working folder of later runs (set by every successful load to the module's folder).
    void SetSuiteFolder(CDravikString folder);
    CDravikString GetSuiteFolder() const { return m_strSuiteFolder; }
    DWORD GetLastLoadError() const { return m_dwLastLoadError; }
    // The machine type in the header of the last file the executor tried to load (0 when it had none).
    WORD GetSuiteMachine() const { return m_wSuiteMachine; }
    HMODULE GetModule() const { return m_hModule; }
    void* GetSuiteObject() const { return m_pSuite; }
    void SetLogManager(CUnitTestLogManager* logManager) { m_pLogManager = logManager; }
    CUnitTestLogManager* GetLogManager() const { return m_pLogManager; }

    // ---- Runs ----
    // Starts a run of the selected tests on the worker thread; with wait, returns when it has ended (pumping
    // this thread's messages). False while a run is in progress, with nothing selected, or without a thread.
    bool RunSelectedTests(bool wait);
    bool SelectAllTests(bool selected);
    long CountSelectedTests();
    // Nested iteration over the test records in registration order (hold GetTestLock around it).
    CTestCaseExecutionContext* FirstTest();
    CTestCaseExecutionContext* NextTest();
    void EndTestIteration();
    long GetTestCount();
    CDravikString GetCurrentTestName();
    // The running test's counts (of the last test once the run is over; zero before any run).
    CUnitTestCounts GetCurrentTestCounts();
    CThreadLock& GetTestLock() { return m_testLock; }

    bool Run() override;

    // Outcome of the last run: tests executed, tests that failed (reported an error, threw or faulted), and
    // problems outside any test (errors logged with no current test, faulting setup, teardown or helpers).
    long GetTestsExecuted() const { return m_nTestsExecuted; }
    long GetTestsFailed() const { return m_nTestsFailed; }
    long GetRunProblems() const { return m_nRunProblems; }
    // True when the last run executed at least one test and nothing failed.
    bool LastRunSucceeded() const
    {
        return m_nTestsExecuted > 0 && m_nTestsFailed == 0 && m_nRunProblems == 0;
    }

    // Logs an error outside the callback interface (not counted against the test) and marks the run failed.
    void ReportHarnessError(const char* text) override;

    virtual void LogRunBegin(const char* suiteName, long selectedCount);
    virtual void LogRunEnd(const char* suiteName);
    virtual void OnTestStarted(CTestCaseExecutionContext* test, long index);
    virtual void OnTestFinished(CTestCaseExecutionContext* test, long index);
    virtual void OnRunBegun(long selectedCount);
    virtual void OnRunEnded();

    // ---- The callback interface ----
    void QVX_THISCALL SetSuiteNameW(const wchar_t* name) override;
    void QVX_THISCALL SetSuiteName(const char* name) override;
    void QVX_THISCALL AddTestW(QVX_TEST_ENTRY entry, const wchar_t* name) override;
    void QVX_THISCALL AddTest(QVX_TEST_ENTRY entry, const char* name) override;
    long QVX_THISCALL StartHelperThread(QVX_HELPER_ENTRY entry, void* context) override;
    bool QVX_THISCALL StopHelperThread(long id) override;
    bool QVX_THISCALL WaitForHelperThread(long id) override;
    bool QVX_THISCALL IsHelperKeepRunning(long id) override;
    bool QVX_THISCALL LogErrorW(const wchar_t* text, long line) override;
    bool QVX_THISCALL LogError(const char* text, long line) override;
    bool QVX_THISCALL LogWarningW(const wchar_t* text, long line) override;
    bool QVX_THISCALL LogWarning(const char* text, long line) override;
    bool QVX_THISCALL LogInformationW(const wchar_t* text) override;
    bool QVX_THISCALL LogInformation(const char* text) override;
    bool QVX_THISCALL IsRunning() override;
    long QVX_THISCALL GetErrorCount() override;
    long QVX_THISCALL GetWarningCount() override;
    long QVX_THISCALL GetInformationCount() override;
    void* QVX_THISCALL GetFirstHelperContext() override;
    void* QVX_THISCALL GetNextHelperContext() override;
    bool QVX_THISCALL EndHelperIteration() override;
    void* QVX_THISCALL GetHelperContext(long id) override;

    // The interface pointer handed to the suite.
    CUnitTestCaseExecutorAPI* GetInterface() { return static_cast<CUnitTestCaseExecutorAPI*>(this); }
    long GetHelperCount() const { return static_cast<long>(m_helpers.size()); }

    // ---- Run state for the user interface ----
    bool IsRunInProgress() const { return m_bRunInProgress != 0; }
    // The selected-test count of the last count (CountSelectedTests, SelectAllTests, a load).
    long GetSelectedCount() const { return m_nSelectedCount; }
    // The number within the run of the running test (stays at its last value after the run).
    long GetCurrentIndex() const { return m_nCurrentIndex; }
    // Cancel: while a run goes and keeps running, marks the cancel requested (not yet reported) and clears
    // keep-running, so that the run stops before its next test. False when there was nothing to cancel.
    bool RequestCancel();
    bool IsCancelRequested() const { return m_bCancelRequested != 0; }
    bool IsCancelReported() const { return m_bCancelReported != 0; }
    // Marks the cancel reported; true only for the first call after a request (the one that reports it).
    bool MarkCancelReported();

    // ---- A run told to stop ----
    // A run stops between tests: a test that never returns (and never asks IsRunning) cannot be stopped,
    // and the suite cannot be unloaded under it. How long the running test may take to return once the run
    // was told to stop: Windows itself calls a window that has not answered for 5 seconds not responding.
    static constexpr DWORD kStopBoundMilliseconds = 5000;
    // Starts the stop bound of the run in progress, once per run (a cancel starts it). When the run has
    // still not ended when it runs out, an error line says so (from a thread of the system's pool).
    void StartStopBound();
    // Milliseconds left of the started bound: 0 once it has run out, the whole bound when none started.
    DWORD GetStopBoundRemaining() const;
    // True once the bound has run out during the run (and its error line was logged).
    bool HasStopBoundPassed() const { return m_bStopBoundPassed.load(); }
    // Waits, dispatching this thread's messages, until the run has ended or the time is up; true when no
    // run is in progress any more.
    bool WaitForRunEnd(DWORD timeoutMs);
    // True while a test's outcome is open (its entry runs).
    bool IsTestRunning() const { return m_pOpenTest != nullptr; }

protected:
    enum class Message
    {
        Error,
        Warning,
        Information
    };
    // The run loop, under the test lock.
    bool RunUnderLock();
    bool ReportMessage(Message kind, CDravikString text, long line);
    CUnitTestHelperExecutor* FindHelper(long id, size_t* index = nullptr);
    // Ends the stop bound's timer (waiting for its callback when it is under way).
    void EndStopBound();
    static VOID CALLBACK OnStopBoundElapsed(PVOID executor, BOOLEAN timerFired);
    void DestroySuiteObject(bool* throughExport);
    // A fault in suite code outside a test: log it and mark the run failed.
    void ReportFault(const char* where, const CSuiteFault& fault);
    // A helper thread's fault: logged; it fails the helper's test while that test runs, else the run.
    void ReportHelperFault(CUnitTestHelperExecutor* helper, const CSuiteFault& fault) override;
    // The helpers ask the run's keep-running flag.
    bool IsOwnerKeepRunning() override { return IsKeepRunning(); }

    CDravikString m_strSuitePath;
    CDravikString m_strModulePath;
    CDravikString m_strSuiteFolder;
    CDravikString m_strSuiteName;
    HMODULE m_hModule = nullptr;
    void* m_pSuite = nullptr;
    DWORD m_dwLastLoadError = 0;
    WORD m_wSuiteMachine = 0;
    CUnitTestLogManager* m_pLogManager = nullptr;

    std::vector<CTestCaseExecutionContext*> m_tests;
    CNestedIteration<CTestCaseExecutionContext> m_testIteration;
    std::vector<CUnitTestHelperExecutor*> m_helpers;
    CNestedIteration<CUnitTestHelperExecutor> m_helperIteration;
    long m_nNextHelperId = 0;

    // Per-message and helper-map locks: taken for every logged line, so the uncontended path must be cheap.
    CThreadLock m_messageLock;
    CThreadLock m_testLock;
    CThreadLock m_helperLock;

    volatile BYTE m_bRunInProgress = 0;
    std::atomic<BYTE> m_bCancelRequested{0};
    std::atomic<BYTE> m_bCancelReported{0};
    long m_nSelectedCount = 0;
    long m_nCurrentIndex = 0;
    CTestCaseExecutionContext* m_pCurrentTest = nullptr;
    // The test whose outcome is still open: set while its entry runs, cleared (under the message lock) when
    // the run loop decides how it ended. A helper's fault counts against it only while it is open.
    CTestCaseExecutionContext* m_pOpenTest = nullptr;

    // The stop bound: its one-shot timer (user-interface thread only), whether and when it started (tick
    // count) and whether it ran out.
    HANDLE m_hStopBoundTimer = nullptr;
    std::atomic<bool> m_bStopBoundStarted{false};
    std::atomic<DWORD> m_dwStopBoundStart{0};
    std::atomic<bool> m_bStopBoundPassed{false};

    std::atomic<long> m_nTestsExecuted{0};
    std::atomic<long> m_nTestsFailed{0};
    std::atomic<long> m_nRunProblems{0};
};
