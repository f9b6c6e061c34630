#include "tests/engine/EngineTestSupport.h"
#include "engine/app/QuorvexApp.h"
#include "engine/UnitTestCommandLineLogManager.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

namespace
{
// Loads a fixture into an executor with a recording sink.
struct Harness
{
    explicit Harness(const char* fixture)
    {
        executor.SetLogManager(&sink);
        sink.m_pExecutor = &executor;
        executor.SetSuitePath(CDravikString(FixturePath(fixture).c_str()));
        result = executor.LoadSuite();
    }
    ~Harness() { executor.UnloadSuite(); }
    std::vector<std::string> Run()
    {
        EXPECT_TRUE(executor.RunSelectedTests(true));
        return sink.Events();
    }
    CUnitTestExecutor executor;
    CRecordingLogManager sink;
    int result = -1;
};

// Drops the line number of "error <line> ..." entries, which depends on the fixture's source layout.
std::vector<std::string> WithoutLines(std::vector<std::string> events)
{
    static const std::regex numbered(R"(^(error|warning) \d+ )");
    for (std::string& e : events)
        e = std::regex_replace(e, numbered, "$1 <line> ");
    return events;
}
} // namespace

TEST(RunLoop, AnErrorStopsTheRunAfterTheFailingTest)
{
    Harness h("fx_error.dll");
    ASSERT_EQ(h.result, QVX_LOAD_OK);
    std::vector<std::string> expected = {"begin Fixture\tError Suite 3",
                                         "test 1 First",
                                         "info first test runs",
                                         "info Completed Successfully",
                                         "finished First",
                                         "test 2 Failing",
                                         "info about to fail",
                                         "error <line> this test reports an error",
                                         "error -1 and a second error without a line",
                                         "end Fixture\tError Suite"};
    EXPECT_EQ(WithoutLines(h.Run()), expected);
    EXPECT_EQ(h.executor.GetTestsExecuted(), 2);
    EXPECT_EQ(h.executor.GetTestsFailed(), 1);
    EXPECT_FALSE(h.executor.LastRunSucceeded());
    EXPECT_EQ(h.executor.GetCurrentIndex(), 2);
    EXPECT_STREQ(h.executor.GetCurrentTestName().GetAnsi(), "Failing");
    EXPECT_EQ(h.executor.GetCurrentTestCounts().errors, 2);
}

TEST(RunLoop, PassingRunWithSetupTeardownAndCounts)
{
    Harness h("fx_pass.dll");
    ASSERT_EQ(h.result, QVX_LOAD_OK);
    std::vector<std::string> events = WithoutLines(h.Run());
    std::vector<std::string> expected = {"begin Fixture Pass 3",
                                         "info setup runs before the first test",
                                         "test 1 First",
                                         "info first test runs",
                                         "info 100% of the text, %d and %s stay literal",
                                         "info wide information with a bell  and a tab\tinside",
                                         "info Completed Successfully",
                                         "finished First",
                                         "test 2 Second",
                                         "warning -1 a warning without a line",
                                         "warning <line> a warning with a line",
                                         "info Completed Successfully",
                                         "finished Second",
                                         "test 3 Third",
                                         "info third test runs",
                                         "info counts: errors 0, information 1",
                                         "info Completed Successfully",
                                         "finished Third",
                                         "info teardown runs after the last test",
                                         "end Fixture Pass"};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(h.executor.LastRunSucceeded());
}

// One loaded suite run again and again, as in dialog mode: each run starts every selected test with no
// errors, warnings or information messages, so a test that failed before neither stops the next run nor
// reads the earlier run's counts.
TEST(RunLoop, ATestThatFailedInAnEarlierRunStartsTheNextRunClean)
{
    Harness h("fx_failsonce.dll");
    ASSERT_EQ(h.result, QVX_LOAD_OK);
    const std::vector<std::string> first = {"begin Fixture Fails Once 2",      "test 1 FailsOnce",
                                            "info run 1, errors at the start 0", "error -1 fails on the first run only",
                                            "end Fixture Fails Once"};
    EXPECT_EQ(h.Run(), first);
    EXPECT_EQ(h.executor.GetTestsFailed(), 1);
    EXPECT_EQ(h.executor.GetCurrentTestCounts().errors, 1);

    const std::vector<std::string> second = {"begin Fixture Fails Once 2",
                                             "test 1 FailsOnce",
                                             "info run 2, errors at the start 0",
                                             "info Completed Successfully",
                                             "finished FailsOnce",
                                             "test 2 Third",
                                             "info third test runs",
                                             "info counts: errors 0, information 1",
                                             "info Completed Successfully",
                                             "finished Third",
                                             "end Fixture Fails Once"};
    std::vector<std::string> events = h.Run();
    ASSERT_GE(events.size(), first.size());
    events.erase(events.begin(), events.begin() + static_cast<long>(first.size()));
    EXPECT_EQ(events, second);
    EXPECT_TRUE(h.executor.LastRunSucceeded());
    // The records hold this run's counts only ("Completed Successfully" is not counted against a test).
    long errors = 0, information = 0;
    for (CTestCaseExecutionContext* t = h.executor.FirstTest(); t; t = h.executor.NextTest())
    {
        errors += t->m_nErrors;
        information += t->m_nInformation;
        EXPECT_FALSE(t->HasFaulted());
    }
    h.executor.EndTestIteration();
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(information, 3);
}

namespace
{
struct FaultCase
{
    const char* fixture;
    std::vector<std::string> expected;
    long failed;
};
class FaultTest : public ::testing::TestWithParam<FaultCase>
{
};
} // namespace

TEST_P(FaultTest, ThrowsAndFaultsFailTheTestAndTheRunGoesOn)
{
    Harness h(GetParam().fixture);
    ASSERT_EQ(h.result, QVX_LOAD_OK);
    EXPECT_EQ(h.Run(), GetParam().expected);
    EXPECT_EQ(h.executor.GetTestsFailed(), GetParam().failed);
    EXPECT_FALSE(h.executor.LastRunSucceeded());
}

static const std::vector<std::string> kFaultEvents = {
    "begin Fixture Fault 4",
    "test 1 First",
    "info first test runs",
    "info Completed Successfully",
    "finished First",
    "test 2 AccessViolation",
    "info about to write through a null pointer",
    "error -1 The test ended with an unhandled exception C0000005 (access violation)",
    "finished AccessViolation",
    "test 3 DivideByZero",
    "error -1 The test ended with an unhandled exception C0000094 (integer division by zero)",
    "finished DivideByZero",
    "test 4 Third",
    "info third test runs",
    "info counts: errors 0, information 1",
    "info Completed Successfully",
    "finished Third",
    "end Fixture Fault"};

INSTANTIATE_TEST_SUITE_P(
    RunLoop, FaultTest,
    ::testing::Values(
        FaultCase{"fx_throw.dll",
                  {"begin Fixture Throw 4", "test 1 First", "info first test runs",
                   "info Completed Successfully", "finished First", "test 2 Throws", "info about to throw",
                   "error -1 The test ended with an unhandled exception E0515658 (C++ exception: boom from "
                   "the test)",
                   "finished Throws", "test 3 ThrowsInt",
                   "error -1 The test ended with an unhandled exception E0515658 (C++ exception)",
                   "finished ThrowsInt", "test 4 Third", "info third test runs",
                   "info counts: errors 0, information 1", "info Completed Successfully", "finished Third",
                   "end Fixture Throw"},
                  2},
        FaultCase{"fx_fault.dll", kFaultEvents, 2}, FaultCase{"fx_msvc_fault.dll", kFaultEvents, 2}));

TEST(RunLoop, FaultsAndThrowsPastLocalsWithDestructorsAreContained)
{
    Harness h("fx_faultcleanup.dll");
    ASSERT_EQ(h.result, QVX_LOAD_OK);
    std::vector<std::string> events = h.Run();
    std::vector<std::string> expected = {
        "begin Fixture Fault Cleanup 3",
        "test 1 FaultWithCleanup",
        "info faulting with a string on the stack",
        "error -1 The test ended with an unhandled exception C0000005 (access violation)",
        "finished FaultWithCleanup",
        "test 2 ThrowWithCleanup",
        "info local destroyed", // the suite's own unwinding runs its destructors before the thunk reports
        "error -1 The test ended with an unhandled exception E0515658 (C++ exception: thrown past a local)",
        "finished ThrowWithCleanup",
        "test 3 Third",
        "info third test runs",
        "info counts: errors 0, information 1",
        "info Completed Successfully",
        "finished Third",
        "end Fixture Fault Cleanup"};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(h.executor.GetTestsFailed(), 2);
}

TEST(RunLoop, AFaultingSetupRunsNoTestAndFailsTheRun)
{
    Harness h("fx_setupfault.dll");
    ASSERT_EQ(h.result, QVX_LOAD_OK);
    std::vector<std::string> expected = {
        "begin Fixture Setup Teardown 1",
        "error -1 The run setup ended with an unhandled exception C0000005 (access violation)",
        "end Fixture Setup Teardown"};
    EXPECT_EQ(h.Run(), expected);
    EXPECT_EQ(h.executor.GetTestsExecuted(), 0);
    EXPECT_FALSE(h.executor.LastRunSucceeded());
}

TEST(RunLoop, AFaultingTeardownFailsTheRunAndAFaultingDestructorIsSurvived)
{
    Harness h("fx_teardownfault.dll");
    ASSERT_EQ(h.result, QVX_LOAD_OK);
    std::vector<std::string> expected = {
        "begin Fixture Setup Teardown 1",
        "test 1 First",
        "info first test runs",
        "info Completed Successfully",
        "finished First",
        "error -1 The run teardown ended with an unhandled exception C0000094 (integer division by zero)",
        "end Fixture Setup Teardown"};
    EXPECT_EQ(h.Run(), expected);
    EXPECT_EQ(h.executor.GetTestsFailed(), 0);
    EXPECT_FALSE(h.executor.LastRunSucceeded());
    // The suite's destructor faults too: the unload still completes and frees the module.
    EXPECT_TRUE(h.executor.UnloadSuite());
    EXPECT_EQ(h.executor.GetModule(), nullptr);
    EXPECT_EQ(GetModuleHandleA(FixturePath("fx_teardownfault.dll").c_str()), nullptr);
}

TEST(RunLoop, CancelDuringATestFinishesItWithoutSuccessLine)
{
    Harness h("fx_pass.dll");
    ASSERT_EQ(h.result, QVX_LOAD_OK);
    h.sink.m_onTestBegin = [](CRecordingLogManager* sink, long index) {
        if (index == 1)
        {
            // A second start while the run goes on is refused; then the dialog's Cancel.
            EXPECT_FALSE(sink->m_pExecutor->RunSelectedTests(false));
            sink->m_pExecutor->SetKeepRunning(false);
        }
    };
    std::vector<std::string> events = h.Run();
    std::vector<std::string> expected = {"begin Fixture Pass 3",
                                         "info setup runs before the first test",
                                         "test 1 First",
                                         "info first test runs",
                                         "info 100% of the text, %d and %s stay literal",
                                         "info wide information with a bell  and a tab\tinside",
                                         "finished First",
                                         "info teardown runs after the last test",
                                         "end Fixture Pass"};
    EXPECT_EQ(events, expected);
}

namespace
{
HANDLE g_dispatched = nullptr;
LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER + 100)
        SetEvent(g_dispatched);
    return DefWindowProcA(window, message, wParam, lParam);
}
} // namespace

TEST(RunLoop, WaitingForTheRunKeepsTheCallersMessagesFlowing)
{
    WNDCLASSA cls{};
    cls.lpfnWndProc = RecordingWindowProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "QvxEngineTestPump";
    RegisterClassA(&cls);
    HWND window =
        CreateWindowA("QvxEngineTestPump", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    g_dispatched = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    static HWND target;
    static bool seen;
    target = window;
    seen = false;
    Harness h("fx_pass.dll");
    ASSERT_EQ(h.result, QVX_LOAD_OK);
    // The worker posts to a window of the waiting thread and only goes on once the message was handled there.
    h.sink.m_onTestBegin = [](CRecordingLogManager*, long index) {
        if (index != 1)
            return;
        PostMessageA(target, WM_USER + 100, 0, index);
        seen = WaitForSingleObject(g_dispatched, 10000) == WAIT_OBJECT_0;
    };
    h.Run();
    EXPECT_TRUE(seen);
    DestroyWindow(window);
    CloseHandle(g_dispatched);
}

TEST(RunLoop, UnselectedTestsAreSkippedAndDoNotAdvanceTheIndex)
{
    Harness h("fx_pass.dll");
    ASSERT_EQ(h.result, QVX_LOAD_OK);
    EXPECT_TRUE(h.executor.SelectAllTests(false));
    EXPECT_EQ(h.executor.GetSelectedCount(), 0);
    EXPECT_FALSE(h.executor.RunSelectedTests(true));
    CTestCaseExecutionContext* third = nullptr;
    for (CTestCaseExecutionContext* t = h.executor.FirstTest(); t; t = h.executor.NextTest())
        if (CDravikString(t->m_name).Equals(CDravikString("Third")))
            third = t;
    h.executor.EndTestIteration();
    ASSERT_NE(third, nullptr);
    third->m_bSelected = 1;
    EXPECT_EQ(h.executor.CountSelectedTests(), 1);
    std::vector<std::string> events = h.Run();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], "begin Fixture Pass 1");
    EXPECT_EQ(events[2], "test 1 Third");
}

TEST(RunLoop, TestsRunInTheSuiteFolderAndTheFolderIsRestored)
{
    WriteTextFile(FixturePath("beside.txt"), "next to the suite\n");
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    Harness h("fx_cwd.dll");
    ASSERT_EQ(h.result, QVX_LOAD_OK);
    std::vector<std::string> events = h.Run();
    std::string folder = FixtureFolder();
    folder.pop_back();
    EXPECT_EQ(lstrcmpiA(h.sink.m_currentFolderAtTest.c_str(), folder.c_str()), 0)
        << h.sink.m_currentFolderAtTest;
    bool opened = false;
    for (const std::string& e : events)
        opened = opened || e == "info beside.txt opened by its relative name";
    EXPECT_TRUE(opened);
    EXPECT_TRUE(h.executor.LastRunSucceeded());
    char after[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(after, before);
}

TEST(RunLoop, HelperThreadsCountFromZeroAndAreStoppedWaitedAndEnumerated)
{
    Harness h("fx_helpers.dll");
    ASSERT_EQ(h.result, QVX_LOAD_OK);
    std::vector<std::string> events = h.Run();
    std::vector<std::string> infos;
    for (const std::string& e : events)
    {
        EXPECT_NE(e.rfind("error", 0), 0u) << e;
        if (e.rfind("info ", 0) == 0 && e.find("chorus line") == std::string::npos)
            infos.push_back(e);
    }
    std::vector<std::string> expected = {"info started helper 0 (context id 0)",
                                         "info started helper 1 (context id 1)",
                                         "info started helper 2 (context id 2)",
                                         "info enumerated helpers: 3",
                                         "info all helpers stopped",
                                         "info Completed Successfully",
                                         "info information count after the chorus: 3000",
                                         "info Completed Successfully"};
    EXPECT_EQ(infos, expected);
    EXPECT_EQ(h.executor.GetHelperCount(), 0);
    EXPECT_TRUE(h.executor.LastRunSucceeded());
}

// The helper's fault fails the test that started it, as the test's own fault would: no "Completed
// Successfully", the test is finished and counted failed, and the run goes on.
TEST(RunLoop, AFaultingHelperFailsTheTestThatStartedIt)
{
    Harness h("fx_helperfault.dll");
    ASSERT_EQ(h.result, QVX_LOAD_OK);
    std::vector<std::string> expected = {
        "begin Fixture Helper Fault 1",
        "test 1 StartsFaultingHelper",
        "error -1 Helper thread 0 ended with an unhandled exception C0000005 (access violation)",
        "info waited for the faulting helper",
        "finished StartsFaultingHelper",
        "end Fixture Helper Fault"};
    EXPECT_EQ(h.Run(), expected);
    EXPECT_EQ(h.executor.GetTestsFailed(), 1);
    EXPECT_EQ(h.executor.GetRunProblems(), 0);
    EXPECT_FALSE(h.executor.LastRunSucceeded());
    // A second run starts the test clean and fails it again.
    h.Run();
    EXPECT_EQ(h.executor.GetTestsFailed(), 1);
}

namespace
{
bool WaitForEvent(CRecordingLogManager& sink, const std::string& event, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs)
    {
        for (const std::string& e : sink.Events())
            if (e == event)
                return true;
        Sleep(10);
    }
    return false;
}
} // namespace

// After a cancel the running test has the stop bound to return. One that returns within it ends the run
// quietly; one that takes longer gets an error line when the bound runs out, and its run still ends when
// it returns.
TEST(RunLoop, ATestThatOutlivesTheStopBoundAfterACancelIsReported)
{
    struct Case
    {
        const char* sleepMs;
        bool reported;
    };
    const std::string line = "error -1 The test has not returned 5 seconds after the run was told to stop; "
                             "closing the program ends it (exit code 4)";
    for (const Case& c : {Case{"300", false}, Case{"7000", true}})
    {
        SCOPED_TRACE(c.sleepMs);
        SetEnvironmentVariableA("QVX_FX_EMPTY_SLEEP", c.sleepMs);
        Harness h("fx_many.dll");
        ASSERT_EQ(h.result, QVX_LOAD_OK);
        ASSERT_TRUE(h.executor.RunSelectedTests(false));
        ASSERT_TRUE(WaitForEvent(h.sink, "test 1 Empty", 10000));
        const DWORD cancelled = GetTickCount();
        ASSERT_TRUE(h.executor.RequestCancel());
        // The bound has just started: nearly all of it is left.
        EXPECT_GE(h.executor.GetStopBoundRemaining(), CUnitTestExecutor::kStopBoundMilliseconds - 1000);
        if (c.reported)
        {
            // The wait is bounded: the test is still sleeping.
            EXPECT_FALSE(h.executor.WaitForRunEnd(1000));
            EXPECT_GE(h.executor.GetStopBoundRemaining(), 3000u);
            ASSERT_TRUE(WaitForEvent(h.sink, line, 10000));
            EXPECT_GE(GetTickCount() - cancelled, 4500u) << "reported before the bound ran out";
            EXPECT_EQ(h.executor.GetStopBoundRemaining(), 0u);
        }
        ASSERT_TRUE(h.executor.WaitForRunEnd(15000));
        std::vector<std::string> events = h.sink.Events();
        std::vector<std::string> expected = {"begin Fixture Many 10000", "test 1 Empty"};
        if (c.reported)
            expected.push_back(line);
        expected.push_back("finished Empty");
        expected.push_back("end Fixture Many");
        EXPECT_EQ(events, expected);
        EXPECT_EQ(h.executor.HasStopBoundPassed(), c.reported);
    }
    SetEnvironmentVariableA("QVX_FX_EMPTY_SLEEP", nullptr);
}

TEST(RunLoop, TenHelpersFloodingTheConsoleLoseNothingAndKeepTheirOrder)
{
    const int helpers = 10;
    const long linesEach = 300;
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    lstrcatA(path, "qvx_chorus.txt");
    FILE* file = std::fopen(path, "w+b");
    ASSERT_NE(file, nullptr);
    CUnitTestCommandLineLogManager console;
    console.SetStream(file);
    CUnitTestExecutor executor;
    executor.SetLogManager(&console);
    executor.SetSuitePath(CDravikString(FixturePath("fx_helpers.dll").c_str()));
    ASSERT_EQ(executor.LoadSuite(), QVX_LOAD_OK);
    executor.SelectAllTests(false);
    CTestCaseExecutionContext* chorusTest = nullptr;
    for (CTestCaseExecutionContext* t = executor.FirstTest(); t; t = executor.NextTest())
    {
        t->m_bSelected = CDravikString(t->m_name).Equals(CDravikString("Chorus"));
        if (t->m_bSelected)
            chorusTest = t;
    }
    executor.EndTestIteration();
    ASSERT_NE(chorusTest, nullptr);
    executor.CountSelectedTests();
    ASSERT_TRUE(executor.RunSelectedTests(true));
    const long counted = chorusTest->m_nInformation;
    executor.UnloadSuite();
    std::fclose(file);
    std::string text = ReadFileBytes(path);
    DeleteFileA(path);
    std::regex chorus(
        R"(   \|--> \[\d{2}:\d{2}:\d{2}:\d{1,3}\] chorus line from helper (\d+) number (\d+) padded with a long tail of text to make interleaving visible)");
    // Per helper id, the next line number expected from it.
    std::map<long, long> next;
    long chorusLines = 0, infoLines = 0;
    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.rfind("   |--> ", 0) == 0 && line.find("<< ") == std::string::npos &&
            line.find("] Completed Successfully") == std::string::npos)
            ++infoLines;
        if (line.find("chorus line") == std::string::npos)
            continue;
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, chorus)) << "torn or interleaved: " << line;
        ++chorusLines;
        const long helper = std::stol(match[1].str());
        const long number = std::stol(match[2].str());
        EXPECT_EQ(next[helper], number) << "helper " << helper << " out of order";
        next[helper] = number + 1;
    }
    EXPECT_EQ(chorusLines, helpers * linesEach);
    ASSERT_EQ(next.size(), static_cast<size_t>(helpers));
    for (const auto& helper : next)
        EXPECT_EQ(helper.second, linesEach) << "helper " << helper.first;
    // The test's information count is every line it logged: the chorus and its own count line (the
    // harness's "Completed Successfully" is not the test's).
    EXPECT_EQ(counted, infoLines);
    EXPECT_NE(text.find("information count after the chorus: 3000"), std::string::npos);
}

namespace
{
// Writes down what the application passes on to the run observer, one line per event.
class CRecordingObserver : public CUnitTestRunObserver
{
public:
    void OnRunBegun(long selectedCount) override { Add("begun " + std::to_string(selectedCount)); }
    void OnTestStarted(long index) override { Add("started " + std::to_string(index)); }
    void OnTestFinished(long index, const CUnitTestCounts& counts) override
    {
        Add("finished " + std::to_string(index) + " errors " + std::to_string(counts.errors) + " warnings " +
            std::to_string(counts.warnings) + " information " + std::to_string(counts.information));
    }
    void OnRunEnded() override { Add("ended"); }
    void OnLogUpdated() override { Add("log"); }
    std::vector<std::string> Events()
    {
        CThreadLockGuard hold(m_lock);
        return m_events;
    }

private:
    void Add(const std::string& event)
    {
        CThreadLockGuard hold(m_lock);
        m_events.push_back(event);
    }
    CThreadLock m_lock;
    std::vector<std::string> m_events;
};
} // namespace

// The application passes the executor's run events to its observer with each test's counts; without an
// observer it passes nothing on, and the run is the same.
TEST(RunLoop, TheApplicationTellsItsObserverOfTheRunWithEachTestsCounts)
{
    struct Case
    {
        const char* fixture;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        // The failing test ends the run: it is not reported finished, and the third never starts.
        {"fx_error.dll",
         {"begun 3", "started 1", "finished 1 errors 0 warnings 0 information 1", "started 2", "ended"}},
        {"fx_pass.dll",
         {"begun 3", "started 1", "finished 1 errors 0 warnings 0 information 3", "started 2",
          "finished 2 errors 0 warnings 2 information 0", "started 3",
          "finished 3 errors 0 warnings 0 information 2", "ended"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.fixture);
        CQuorvexApp app;
        app.SetLogManager(new CRecordingLogManager);
        CRecordingObserver observer;
        app.SetRunObserver(&observer);
        ASSERT_EQ(app.LoadTestSuite(CDravikString(FixturePath(c.fixture).c_str())), QVX_LOAD_OK);
        ASSERT_TRUE(app.GetExecutor()->RunSelectedTests(true));
        EXPECT_EQ(observer.Events(), c.expected);
        app.OnLogUpdated();
        EXPECT_EQ(observer.Events().back(), "log");

        app.SetRunObserver(nullptr);
        ASSERT_TRUE(app.GetExecutor()->RunSelectedTests(true));
        EXPECT_EQ(observer.Events().size(), c.expected.size() + 1);
        app.UnloadTestSuite();
        EXPECT_TRUE(app.GetSuitePath().IsEmpty());
    }
}
