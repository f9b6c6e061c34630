#include "engine/UnitTestExecutor.h"

#include "foundation/PathUtilities.h"
#include "foundation/TimeUtilities.h"
#include "engine/ExitCodes.h"
#include "engine/ModuleMachine.h"
#include "engine/ProcessEndWatch.h"
#include "engine/UnitTestHelperExecutor.h"

#include <cstddef>
#include <cstdio>

namespace
{
// The suite object's fields, as every suite lays them out: virtual table pointer, interface pointer, version.
struct SuiteFields
{
    void* table;
    CUnitTestCaseExecutorAPI* api;
    long version;
};

// A suite built by either compiler puts the version right after two pointers: at byte 8 of a 12-byte
// object head on 32-bit, at byte 16 on 64-bit.
#if QVX_ARCH_BITS == 32
static_assert(offsetof(SuiteFields, version) == 8 && sizeof(SuiteFields) == 12, "32-bit suite object head");
#else
static_assert(offsetof(SuiteFields, version) == 16 && sizeof(SuiteFields) == 24, "64-bit suite object head");
#endif

struct VersionProbe
{
    void* suite;
    CUnitTestCaseExecutorAPI* api;
    long version;
};

// Reads the version and writes the interface pointer; the object comes from suite code, so this is guarded.
bool BindSuiteObject(void* suite, CUnitTestCaseExecutorAPI* api, long* version)
{
    VersionProbe probe{suite, api, 0};
    CSuiteFault fault;
    bool ok = CSuiteCallGuard::Invoke(
        [](void* p) {
            VersionProbe* probe = static_cast<VersionProbe*>(p);
            SuiteFields* fields = static_cast<SuiteFields*>(probe->suite);
            probe->version = fields->version;
            if (probe->version == QVX_SUITE_VERSION)
                fields->api = probe->api;
        },
        &probe, &fault);
    *version = probe.version;
    return ok;
}

// Loading errors that mean "the file is there but something it needs is not".
bool IsDependencyError(DWORD error)
{
    return error == ERROR_MOD_NOT_FOUND || error == ERROR_PROC_NOT_FOUND ||
           error == ERROR_SXS_CANT_GEN_ACTCTX;
}
} // namespace

CUnitTestExecutor::CUnitTestExecutor() = default;

CUnitTestExecutor::~CUnitTestExecutor()
{
    UnloadSuite();
}

// ---------------------------------------------------------------------------------------------- loading

bool CUnitTestExecutor::ResolveSuitePath()
{
    if (m_strSuitePath.IsEmpty() || FileExists(m_strSuitePath))
        return false;
    CDravikString candidate = GetModuleFolder();
    if (candidate.IsEmpty())
        return false;
    candidate.EnsureTrailingBackslash();
    CDravikString path(m_strSuitePath);
    candidate += path;
    if (!FileExists(candidate))
        return false;
    m_strSuitePath = candidate;
    return true;
}

bool CUnitTestExecutor::LoadModule(const CDravikString& absolutePath)
{
    if (m_hModule)
    {
        FreeLibrary(m_hModule);
        m_hModule = nullptr;
    }
    m_dwLastLoadError = 0;
    CDravikString path(absolutePath);
    if (path.IsEmpty())
        return false;
    // No system message box for a missing dependency: the caller reports it.
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(path.GetAnsi());
    DWORD error = module ? 0 : GetLastError();
    SetErrorMode(oldMode);
    if (!module)
    {
        m_dwLastLoadError = error;
        return false;
    }
    m_hModule = module;
    return true;
}

int CUnitTestExecutor::LoadSuite()
{
    // A suite still held is released completely first (its tests, helpers, object and module).
    UnloadSuite();
    m_strSuiteName = "";
    m_wSuiteMachine = 0;
    ResolveSuitePath();
    if (!FileExists(m_strSuitePath))
    {
        UnloadSuite();
        return QVX_LOAD_MISSING;
    }
    // Load exactly the file that was found, by its absolute path: a bare name would make the loader search
    // the system folders and the PATH.
    CDravikString absolute;
    {
        char full[MAX_PATH * 2];
        CDravikString path(m_strSuitePath);
        DWORD n = GetFullPathNameA(path.GetAnsi(), sizeof(full), full, nullptr);
        if (n == 0 || n >= sizeof(full))
            absolute = path;
        else
            absolute = full;
    }
    // A module of another architecture cannot be loaded into this process (the loader only says "bad
    // format"): its header tells which one it is. A file without that header is left to the loader.
    if (ReadModuleMachine(absolute.GetAnsi(), &m_wSuiteMachine) && m_wSuiteMachine != GetHarnessMachine())
    {
        UnloadSuite();
        return QVX_LOAD_WRONG_ARCHITECTURE;
    }
    if (!LoadModule(absolute))
    {
        DWORD error = m_dwLastLoadError;
        UnloadSuite();
        m_dwLastLoadError = error;
        return IsDependencyError(error) ? QVX_LOAD_DEPENDENCIES : QVX_LOAD_INVALID;
    }
    // A test that ends the process through the suite's imports is noticed (and fails the run).
    CProcessEndWatch::WatchModule(m_hModule);
    FARPROC constructor = GetProcAddress(m_hModule, "UnitTestCaseSuiteConstructor");
    if (!constructor)
    {
        UnloadSuite();
        return QVX_LOAD_WRONG_VERSION;
    }
    void* suite = nullptr;
    CSuiteFault fault;
    if (!CSuiteCallGuard::CallConstructorExport(constructor, &suite, &fault))
    {
        UnloadSuite();
        return QVX_LOAD_UNEXPECTED;
    }
    if (!suite)
    {
        UnloadSuite();
        return QVX_LOAD_WRONG_VERSION;
    }
    m_pSuite = suite;
    long version = 0;
    if (!BindSuiteObject(suite, GetInterface(), &version))
    {
        // Not an object at all: nothing can be destroyed safely.
        m_pSuite = nullptr;
        UnloadSuite();
        return QVX_LOAD_UNEXPECTED;
    }
    if (version != QVX_SUITE_VERSION)
    {
        UnloadSuite();
        return QVX_LOAD_WRONG_VERSION;
    }
    bool registered;
    {
        // Held across the registration so that each AddTest only re-enters it.
        CThreadLockGuard hold(m_testLock);
        registered = CSuiteCallGuard::CallSuiteSlot(suite, 3, &fault);
    }
    if (!registered)
    {
        UnloadSuite();
        return QVX_LOAD_UNEXPECTED;
    }
    if (GetTestCount() == 0)
    {
        UnloadSuite();
        return QVX_LOAD_WRONG_VERSION;
    }
    CountSelectedTests();
    // The one place where the module's path and folder are recorded: runs take place in the folder of the
    // module actually loaded (the path may have been found beside the program).
    m_strModulePath = absolute;
    ComputeSuiteFolder();
    return QVX_LOAD_OK;
}

void CUnitTestExecutor::DestroySuiteObject(bool* throughExport)
{
    *throughExport = false;
    if (!m_pSuite)
        return;
    void* suite = m_pSuite;
    m_pSuite = nullptr;
    CSuiteFault fault;
    FARPROC destructor = m_hModule ? GetProcAddress(m_hModule, "UnitTestCaseSuiteDestructor") : nullptr;
    if (destructor)
    {
        CSuiteCallGuard::CallDestructorExport(destructor, suite, &fault);
        *throughExport = true;
    }
    else
    {
        CSuiteCallGuard::CallDeletingDestructor(suite, 1, &fault);
    }
}

bool CUnitTestExecutor::UnloadSuite()
{
    Stop();
    EndStopBound();
    ClearTests();
    m_strModulePath = "";
    bool throughExport = false;
    DestroySuiteObject(&throughExport);
    if (m_hModule)
    {
        FreeLibrary(m_hModule);
        m_hModule = nullptr;
    }
    return throughExport;
}

bool CUnitTestExecutor::ClearTests()
{
    bool had = false;
    {
        CThreadLockGuard hold(m_testLock);
        had = !m_tests.empty();
        for (CTestCaseExecutionContext* test : m_tests)
            delete test;
        m_tests.clear();
        m_testIteration.Clear();
        m_pCurrentTest = nullptr;
        m_nCurrentIndex = 0;
        m_nSelectedCount = 0;
    }
    std::vector<CUnitTestHelperExecutor*> helpers;
    {
        CThreadLockGuard hold(m_helperLock);
        helpers.swap(m_helpers);
        m_helperIteration.Clear();
    }
    // Each helper's destruction stops its thread (waiting for it).
    for (CUnitTestHelperExecutor* helper : helpers)
        delete helper;
    return had;
}

CDravikString CUnitTestExecutor::ComputeSuiteFolder()
{
    CDravikString folder;
    if (m_hModule)
    {
        char name[MAX_PATH + 1] = {};
        DWORD n = GetModuleFileNameA(m_hModule, name, 256);
        if (n > 0 && n < 256)
            folder = GetFolderOfPath(name);
    }
    else if (!m_strSuitePath.IsEmpty())
    {
        folder = GetFolderOfPath(m_strSuitePath);
        if (folder.IsEmpty())
        {
            char current[MAX_PATH + 1] = {};
            if (GetCurrentDirectoryA(MAX_PATH, current) > 0)
                folder = current;
        }
    }
    if (!folder.IsEmpty())
        folder.EnsureTrailingBackslash();
    m_strSuiteFolder = folder;
    return folder;
}

void CUnitTestExecutor::SetSuiteFolder(CDravikString folder)
{
    m_strSuiteFolder = folder;
}

// ---------------------------------------------------------------------------------------------- runs

bool CUnitTestExecutor::RunSelectedTests(bool wait)
{
    if (m_bRunInProgress)
        return false;
    m_bCancelRequested = 0;
    m_bCancelReported = 0;
    if (m_nSelectedCount <= 0)
        return false;
    // The previous run's bound is over; this run has none until it is told to stop.
    EndStopBound();
    m_bRunInProgress = 1;
    if (!Start())
    {
        m_bRunInProgress = 0;
        return false;
    }
    if (wait)
    {
        WaitWithMessagePump();
        Stop();
    }
    return true;
}

bool CUnitTestExecutor::SelectAllTests(bool selected)
{
    CThreadLockGuard hold(m_testLock);
    for (CTestCaseExecutionContext* test : m_tests)
        test->m_bSelected = selected ? 1 : 0;
    CountSelectedTests();
    return !m_tests.empty();
}

long CUnitTestExecutor::CountSelectedTests()
{
    CThreadLockGuard hold(m_testLock);
    long count = 0;
    for (CTestCaseExecutionContext* test : m_tests)
        if (test->m_bSelected)
            ++count;
    m_nSelectedCount = count;
    return count;
}

CTestCaseExecutionContext* CUnitTestExecutor::FirstTest()
{
    CThreadLockGuard hold(m_testLock);
    return m_testIteration.First(m_tests);
}

CTestCaseExecutionContext* CUnitTestExecutor::NextTest()
{
    CThreadLockGuard hold(m_testLock);
    return m_testIteration.Next(m_tests);
}

void CUnitTestExecutor::EndTestIteration()
{
    CThreadLockGuard hold(m_testLock);
    m_testIteration.End();
}

long CUnitTestExecutor::GetTestCount()
{
    CThreadLockGuard hold(m_testLock);
    return static_cast<long>(m_tests.size());
}

CDravikString CUnitTestExecutor::GetCurrentTestName()
{
    CThreadLockGuard hold(m_messageLock);
    if (!m_pCurrentTest)
        return CDravikString();
    return m_pCurrentTest->m_name;
}

CUnitTestCounts CUnitTestExecutor::GetCurrentTestCounts()
{
    CThreadLockGuard hold(m_messageLock);
    return m_pCurrentTest ? m_pCurrentTest->GetCounts() : CUnitTestCounts();
}

bool CUnitTestExecutor::RequestCancel()
{
    if (!m_bRunInProgress || !IsKeepRunning())
        return false;
    m_bCancelRequested = 1;
    m_bCancelReported = 0;
    SetKeepRunning(false);
    StartStopBound();
    return true;
}

void CUnitTestExecutor::StartStopBound()
{
    if (!m_bRunInProgress || m_bStopBoundStarted.load())
        return;
    m_dwStopBoundStart = GetTickCount();
    m_bStopBoundStarted = true;
    m_bStopBoundPassed = false;
    if (!CreateTimerQueueTimer(&m_hStopBoundTimer, nullptr, &CUnitTestExecutor::OnStopBoundElapsed, this,
                               kStopBoundMilliseconds, 0, WT_EXECUTEONLYONCE))
        m_hStopBoundTimer = nullptr;
}

DWORD CUnitTestExecutor::GetStopBoundRemaining() const
{
    if (!m_bStopBoundStarted.load())
        return kStopBoundMilliseconds;
    const DWORD spent = GetTickCount() - m_dwStopBoundStart.load();
    return spent >= kStopBoundMilliseconds ? 0 : kStopBoundMilliseconds - spent;
}

VOID CALLBACK CUnitTestExecutor::OnStopBoundElapsed(PVOID executor, BOOLEAN)
{
    CUnitTestExecutor* self = static_cast<CUnitTestExecutor*>(executor);
    try
    {
        if (!self->m_bRunInProgress)
            return;
        self->m_bStopBoundPassed = true;
        char text[240];
        std::snprintf(text, sizeof(text),
                      "The test has not returned %lu seconds after the run was told to stop; closing the "
                      "program ends it (exit code %d)",
                      static_cast<unsigned long>(kStopBoundMilliseconds / 1000), QVX_EXIT_TEST_NOT_RETURNING);
        self->ReportHarnessError(text);
    }
    catch (...)
    {
        // Nothing may leave a callback of the system.
    }
}

void CUnitTestExecutor::EndStopBound()
{
    if (m_hStopBoundTimer)
    {
        // INVALID_HANDLE_VALUE: returns once a callback under way has finished.
        DeleteTimerQueueTimer(nullptr, m_hStopBoundTimer, INVALID_HANDLE_VALUE);
        m_hStopBoundTimer = nullptr;
    }
    m_bStopBoundStarted = false;
    m_bStopBoundPassed = false;
}

bool CUnitTestExecutor::WaitForRunEnd(DWORD timeoutMs)
{
    if (!m_bRunInProgress && !IsThreadRunning())
        return true;
    if (IsCurrentThread())
        return false;
    return WaitWithMessagePumpFor(timeoutMs) || !m_bRunInProgress;
}

bool CUnitTestExecutor::MarkCancelReported()
{
    return m_bCancelReported.exchange(1) == 0;
}

void CUnitTestExecutor::ReportHarnessError(const char* text)
{
    ++m_nRunProblems;
    if (m_pLogManager)
        m_pLogManager->LogError(CDravikString(text), -1);
}

namespace
{
void FormatFault(char* text, int size, const char* where, const CSuiteFault& fault)
{
    char description[400];
    fault.Describe(description, sizeof(description));
    std::snprintf(text, size, "%s ended with an %s", where, description);
}
} // namespace

void CUnitTestExecutor::ReportFault(const char* where, const CSuiteFault& fault)
{
    char text[512];
    FormatFault(text, sizeof(text), where, fault);
    ReportHarnessError(text);
}

void CUnitTestExecutor::ReportHelperFault(CUnitTestHelperExecutor* helper, const CSuiteFault& fault)
{
    char where[64];
    std::snprintf(where, sizeof(where), "Helper thread %ld", helper->m_nId);
    char text[512];
    FormatFault(text, sizeof(text), where, fault);
    // Counted and logged under the message lock, so that the line stands under the test it fails: the run
    // loop closes the test's outcome under the same lock.
    CThreadLockGuard hold(m_messageLock);
    if (helper->m_pOwnerTest && helper->m_pOwnerTest == m_pOpenTest)
        ++m_pOpenTest->m_nHelperFaults;
    else
        ++m_nRunProblems;
    if (m_pLogManager)
        m_pLogManager->LogError(CDravikString(text), -1);
}

bool CUnitTestExecutor::Run()
{
    bool result = RunUnderLock();
    // The test lock is free again before the run's end is announced.
    m_bRunInProgress = 0;
    OnRunEnded();
    return result;
}

bool CUnitTestExecutor::RunUnderLock()
{
    CThreadLockGuard hold(m_testLock);
    m_nTestsExecuted = 0;
    m_nTestsFailed = 0;
    m_nRunProblems = 0;
    if (m_tests.empty() || !m_pLogManager || !m_pSuite)
        return false;
    if (m_nSelectedCount <= 0)
        return true;
    {
        // Counts belong to one run: a test that failed before starts this one clean, and a suite that
        // reads its own counts sees only this run's.
        CThreadLockGuard messages(m_messageLock);
        for (CTestCaseExecutionContext* test : m_tests)
            if (test->m_bSelected)
                test->ClearOutcome();
    }
    char previous[MAX_PATH + 1] = {};
    DWORD previousLength = GetCurrentDirectoryA(MAX_PATH, previous);
    if (!m_strSuiteFolder.IsEmpty())
    {
        CDravikString folder(m_strSuiteFolder);
        SetCurrentDirectoryA(folder.GetAnsi());
    }
    CDravikString suiteName(m_strSuiteName);
    OnRunBegun(m_nSelectedCount);
    LogRunBegin(suiteName.GetAnsi(), m_nSelectedCount);
    // From the run setup to the run teardown, suite code ending the process is a failure of the run.
    CProcessEndWatch::RunBegins(this, m_pLogManager ? m_pLogManager->GetRawOutput() : nullptr);

    CSuiteFault fault;
    bool setupOk = CSuiteCallGuard::CallSuiteSlot(m_pSuite, 1, &fault);
    if (!setupOk)
        ReportFault("The run setup", fault);

    long index = 1;
    for (size_t i = 0; setupOk && i < m_tests.size() && IsKeepRunning(); ++i)
    {
        CTestCaseExecutionContext* test = m_tests[i];
        if (!test->m_bSelected)
            continue;
        OnTestStarted(test, index);
        {
            CThreadLockGuard messages(m_messageLock);
            m_pCurrentTest = test;
            m_nCurrentIndex = index;
            m_pOpenTest = test;
        }
        ++m_nTestsExecuted;
        bool returned = test->Execute();
        long helperFaults;
        {
            // From here on a helper's fault no longer counts against this test.
            CThreadLockGuard messages(m_messageLock);
            m_pOpenTest = nullptr;
            helperFaults = test->m_nHelperFaults;
        }
        if (!returned && test->HasFaulted())
        {
            // Thrown or faulted: an error line for the test (not counted through the interface, so the run
            // goes on), no "Completed Successfully", but the test is finished and counts as failed.
            ++m_nTestsFailed;
            char text[512];
            FormatFault(text, sizeof(text), "The test", test->GetFault());
            if (m_pLogManager)
                m_pLogManager->LogError(CDravikString(text), -1);
            if (!test->GetFault().stackGuarded)
            {
                // Another overflow on this thread could not be contained: no more suite code runs on it.
                ReportHarnessError("The worker thread's stack could not be guarded again after the fault; the "
                                   "run stops");
                SetKeepRunning(false);
            }
            OnTestFinished(test, index);
            ++index;
            continue;
        }
        if (test->m_nErrors > 0)
        {
            ++m_nTestsFailed;
            SetKeepRunning(false);
            break;
        }
        if (helperFaults > 0)
        {
            // A helper of the test faulted (its error line stands under the test): failed like a test that
            // faulted itself, and the run goes on.
            ++m_nTestsFailed;
            OnTestFinished(test, index);
            ++index;
            continue;
        }
        if (IsKeepRunning())
            m_pLogManager->LogInformation(CDravikString("Completed Successfully"));
        OnTestFinished(test, index);
        ++index;
    }

    if (setupOk && !CSuiteCallGuard::CallSuiteSlot(m_pSuite, 2, &fault))
        ReportFault("The run teardown", fault);
    CProcessEndWatch::RunEnds(this);
    LogRunEnd(suiteName.GetAnsi());
    if (previousLength > 0 && previousLength < MAX_PATH)
        SetCurrentDirectoryA(previous);
    return true;
}

void CUnitTestExecutor::LogRunBegin(const char* suiteName, long selectedCount)
{
    if (suiteName && m_pLogManager)
        m_pLogManager->LogRunBegin(suiteName, selectedCount);
}

void CUnitTestExecutor::LogRunEnd(const char* suiteName)
{
    if (suiteName && m_pLogManager)
        m_pLogManager->LogRunEnd(suiteName);
}

void CUnitTestExecutor::OnTestStarted(CTestCaseExecutionContext* test, long index)
{
    if (test && m_pLogManager)
        m_pLogManager->LogTestBegin(test->m_name, index);
}

void CUnitTestExecutor::OnTestFinished(CTestCaseExecutionContext* test, long index)
{
    if (test && m_pLogManager)
        m_pLogManager->LogTestEnd(test->m_name, test->GetCounts());
}

void CUnitTestExecutor::OnRunBegun(long) {}

void CUnitTestExecutor::OnRunEnded() {}
