// The dialog's log sink fed by the engine's executor: the worker thread and the suites' helper threads
// fill the results tree through it; line prefixes, folding of clean tests, the failed and warned sets, the
// notifications, messages without a tree, and no deadlock while the user-interface thread clears the tree
// and cancels a run whose helper threads keep logging.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "tests/ui/ResultsTreeTestSupport.h"
#include "tests/common/TestThread.h"
#include "foundation/TimeUtilities.h"
#include "ui/UnitTestUILogManager.h"

namespace
{
// Counts the log-updated notifications instead of posting them to a dialog.
class CCountingApp : public CQuorvexApp
{
public:
    void OnLogUpdated() override { ++m_updates; }
    std::atomic<long> m_updates{0};
};

class LogSinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.IsReady());
        m_sink = new CUnitTestUILogManager;
        m_app.SetLogManager(m_sink);
        m_sink->SetTree(&m_host.Tree());
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("QVX_UI_FLOOD", nullptr);
        SetEnvironmentVariableA("QVX_UI_HELPERS", nullptr);
        if (m_app.GetExecutor())
            m_app.GetExecutor()->Stop();
        m_sink->SetTree(nullptr);
    }

    // Loads the fixture suite (or the given one) and runs the named tests (all when empty), waiting with
    // this thread's messages flowing.
    void Run(const std::vector<std::string>& names, const std::string& suite = ResultsFixturePath())
    {
        ASSERT_EQ(m_app.LoadTestSuite(CDravikString(suite.c_str())), 0) << suite;
        CUnitTestExecutor* executor = m_app.GetExecutor();
        if (names.empty())
            executor->SelectAllTests(true);
        else
            SelectOnly(executor, names);
        ASSERT_TRUE(executor->RunSelectedTests(true));
        PumpUntilShown();
    }

    // Answers this thread's messages until the sink has shown everything the run logged.
    void PumpUntilShown()
    {
        const DWORD start = GetTickCount();
        PumpMessages(0);
        while (m_sink->HasPending() && GetTickCount() - start < 60000)
            PumpMessages(10);
        EXPECT_FALSE(m_sink->HasPending());
    }

    CUnitTestLogDisplay& Tree() { return m_host.Tree(); }

    CCountingApp m_app;
    // Hidden: showing and destroying a top-level window costs about 2 s under Wine without a window manager.
    // The end-to-end tests run the program's visible window.
    CResultsTreeHost m_host{false};
    CUnitTestUILogManager* m_sink = nullptr;
};

struct Expected
{
    std::string text;
    int depth;
    int image;
};

void ExpectShown(const std::vector<ShownItem>& shown, const std::vector<Expected>& expected)
{
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(shown[i].text, expected[i].text);
        EXPECT_EQ(shown[i].depth, expected[i].depth);
        EXPECT_EQ(shown[i].image, expected[i].image);
    }
}

long CountMessageItems(const std::vector<ShownItem>& shown)
{
    long count = 0;
    for (const ShownItem& item : shown)
        if (item.image <= CUnitTestLogDisplay::ImageWarning)
            ++count;
    return count;
}
} // namespace

TEST_F(LogSinkTest, WorkerThreadFillsTheTreeWithPrefixesPicturesAndFolds)
{
    Run({"Clean", "WarnOnly", "Lines"});
    std::vector<ShownItem> shown = Snapshot(Tree());
    ExpectShown(shown, {
                           {"1. Clean", 0, 4},
                           {"[TS] clean one", 1, 0},
                           {"[TS] clean two", 1, 0},
                           {"[TS] Completed Successfully", 1, 0},
                           {"2. WarnOnly", 0, 5},
                           {"[TS] [Line 5] only a warning", 1, 2},
                           {"[TS] Completed Successfully", 1, 0},
                           {"3. Lines", 0, 6},
                           {"[TS] error without a line", 1, 1},
                           {"[TS] [Line 12] error with a line", 1, 1},
                           {"[TS] [Line -1] warning without a line", 1, 2},
                           {"[TS] [Line 7] warning with a line", 1, 2},
                           {"[TS] plain information", 1, 0},
                       });
    // The clean test was folded at its end; the warned one stays open; the failed one ended the run while
    // open.
    EXPECT_FALSE(shown[0].expanded);
    EXPECT_TRUE(shown[4].expanded);
    EXPECT_TRUE(shown[7].expanded);
    EXPECT_EQ(Tree().GetErrorCount(), 2);
    EXPECT_EQ(Tree().GetWarningCount(), 3);
    EXPECT_EQ(Tree().GetInformationCount(), 5);
    EXPECT_EQ(Tree().GetFailedTestCount(), 1);
    EXPECT_EQ(Tree().GetWarnedTestCount(), 1);
    EXPECT_TRUE(m_app.HasErrorsReported());
    // The dialog hears of the messages shown: at least once, at most once per message (the messages come
    // in batches).
    EXPECT_GE(m_app.m_updates.load(), 1);
    EXPECT_LE(m_app.m_updates.load(), 10);
}

// How a test ends decides whether it folds: only a test with no error and no warning line under it is
// folded, whoever logged the line (the engine logs a thrown or faulted test's error itself, without
// counting it against the test, so that the run goes on).
TEST_F(LogSinkTest, OnlyTestsWithoutErrorAndWarningLinesAreFoldedAtTheirEnd)
{
    const char* const fault = "[TS] The test ended with an unhandled exception C0000005 (access violation)";
    const struct
    {
        const char* test; // as the tree shows it
        bool folded;
        int image;
        const char* errorLine; // a line that must stand under the test, or null
    } endings[] = {
        {"1. Clean", true, CUnitTestLogDisplay::ImageTestClean, nullptr}, // information only
        {"2. WarnOnly", false, CUnitTestLogDisplay::ImageTestWarned, nullptr},
        {"3. Empty", true, CUnitTestLogDisplay::ImageTestClean, nullptr}, // only the success line
        {"4. Faults", false, CUnitTestLogDisplay::ImageTestFailed, fault},
        {"5. Throws", false, CUnitTestLogDisplay::ImageTestFailed,
         "[TS] The test ended with an unhandled exception E0515658 (C++ exception: thrown by the test)"},
        {"6. WarnThenFault", false, CUnitTestLogDisplay::ImageTestFailed, fault},
    };
    // Numbered in the suite's order of registration.
    Run({"Clean", "WarnOnly", "Empty", "Faults", "Throws", "WarnThenFault"});
    const std::vector<ShownItem> shown = Snapshot(Tree());
    for (const auto& ending : endings)
    {
        SCOPED_TRACE(ending.test);
        const ShownItem* test = FindShown(shown, ending.test);
        ASSERT_NE(test, nullptr);
        EXPECT_EQ(test->depth, 0);
        EXPECT_EQ(test->expanded, !ending.folded);
        EXPECT_EQ(test->image, ending.image);
        if (!ending.errorLine)
            continue;
        // The error line is the test's last child.
        const size_t at = static_cast<size_t>(test - shown.data()) + static_cast<size_t>(test->children);
        ASSERT_LT(at, shown.size());
        EXPECT_EQ(shown[at].text, ending.errorLine);
        EXPECT_EQ(shown[at].depth, 1);
        EXPECT_EQ(shown[at].image, CUnitTestLogDisplay::ImageError);
    }
    // Each fault line counts as an error; the warned test that then faulted is failed only.
    EXPECT_EQ(Tree().GetErrorCount(), 3);
    EXPECT_EQ(Tree().GetWarningCount(), 2);
    EXPECT_EQ(Tree().GetFailedTestCount(), 3);
    EXPECT_EQ(Tree().GetWarnedTestCount(), 1);
    EXPECT_EQ(Tree().CountTests(), 6);
}

TEST_F(LogSinkTest, AWarningThenAnErrorLeavesTheTestFailedOnly)
{
    for (const char* name : {"WarnThenError", "ErrorThenWarning"})
    {
        SCOPED_TRACE(name);
        m_sink->Clear();
        Run({name});
        std::vector<ShownItem> shown = Snapshot(Tree());
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown[0].image, CUnitTestLogDisplay::ImageTestFailed);
        EXPECT_EQ(Tree().GetFailedTestCount(), 1);
        EXPECT_EQ(Tree().GetWarnedTestCount(), 0);
        EXPECT_EQ(Tree().GetErrorCount(), 1);
        EXPECT_EQ(Tree().GetWarningCount(), 1);
        m_app.UnloadTestSuite();
    }
}

TEST_F(LogSinkTest, FloodOnTheWorkerThreadIsGrouped)
{
    Tree().SetGroupSize(5);
    SetEnvironmentVariableA("QVX_UI_FLOOD", "12");
    Run({"Flood"});
    std::vector<ShownItem> shown = Snapshot(Tree());
    // 12 flood lines and "Completed Successfully": groups 1-5, 6-10, 11-13; the test was folded.
    ASSERT_NE(FindShown(shown, "Log Result Group 1 (1 - 5)"), nullptr);
    ASSERT_NE(FindShown(shown, "Log Result Group 2 (6 - 10)"), nullptr);
    ASSERT_NE(FindShown(shown, "Log Result Group 3 (11 - 13)"), nullptr);
    EXPECT_EQ(FindShown(shown, "Log Result Group 3 (11 - 13)")->children, 3);
    EXPECT_FALSE(shown[0].expanded);
    EXPECT_EQ(Tree().GetInformationCount(), 13);
    EXPECT_EQ(CountMessageItems(shown), 13);
    // Painting was held back during the flood and is switched on again shortly after it.
    PumpMessages(3 * CUnitTestLogDisplay::kFlushRedrawMilliseconds);
    EXPECT_FALSE(Tree().IsRedrawDeferred());
}

TEST_F(LogSinkTest, WithoutATreeMessagesAreDroppedButErrorsStillCount)
{
    m_sink->SetTree(nullptr);
    EXPECT_FALSE(m_sink->LogTestBegin(CDravikString("Nowhere"), 1));
    EXPECT_TRUE(m_sink->LogError(CDravikString("dropped"), 3));
    EXPECT_TRUE(m_sink->LogWarning(CDravikString("dropped"), 3));
    EXPECT_FALSE(m_sink->LogInformation(CDravikString("dropped")));
    EXPECT_FALSE(m_sink->LogTestEnd(CDravikString("Nowhere"), CUnitTestCounts{}));
    EXPECT_FALSE(m_sink->Clear());
    EXPECT_TRUE(m_app.HasErrorsReported());
    // Only the error notifies without a tree.
    EXPECT_EQ(m_app.m_updates.load(), 1);
    EXPECT_EQ(Tree().GetCount(), 0u);
    CDravikString raw("raw");
    EXPECT_FALSE(m_sink->WriteText(raw));
}

TEST_F(LogSinkTest, WideTextsAreShownAsEightBitText)
{
    m_sink->LogTestBegin(CDravikString("Wide"), 1);
    EXPECT_TRUE(m_sink->LogInformation(CDravikString(L"wide\x07text")));
    std::vector<ShownItem> shown = Snapshot(Tree());
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "[TS] wide text");
}

TEST_F(LogSinkTest, BundledSampleRunsIntoTheTree)
{
    Run({}, BundledSamplePath());
    std::vector<ShownItem> shown = Snapshot(Tree());
    std::vector<std::string> tests;
    for (const ShownItem& item : shown)
        if (item.depth == 0)
            tests.push_back(item.text);
    std::vector<std::string> expected = {"1. AdditionWorks", "2. ReverseWorks", "3. LargeNumbers",
                                         "4. HelperThreadCounts", "5. KnownBug"};
    EXPECT_EQ(tests, expected);
    EXPECT_EQ(FindShown(shown, "1. AdditionWorks")->image, CUnitTestLogDisplay::ImageTestClean);
    EXPECT_FALSE(FindShown(shown, "1. AdditionWorks")->expanded);
    EXPECT_EQ(FindShown(shown, "3. LargeNumbers")->image, CUnitTestLogDisplay::ImageTestWarned);
    EXPECT_EQ(FindShown(shown, "5. KnownBug")->image, CUnitTestLogDisplay::ImageTestFailed);
    // The helper thread's own message reached the tree under its test.
    const ShownItem* helper = FindShown(shown, "[TS] helper thread finished counting");
    ASSERT_NE(helper, nullptr);
    EXPECT_EQ(helper->depth, 1);
    bool warningWithLine = false;
    static const std::regex warning(R"(\[TS\] \[Line \d+\] overflow above 2147483647 is not checked by Add)");
    for (const ShownItem& item : shown)
        warningWithLine = warningWithLine || std::regex_match(item.text, warning);
    EXPECT_TRUE(warningWithLine);
    EXPECT_EQ(Tree().GetFailedTestCount(), 1);
    EXPECT_EQ(Tree().GetWarnedTestCount(), 1);
}

// Helper threads log without pause while this (the tree's) thread clears the tree again and again and
// then cancels the run. Neither side may end up waiting for the other for good, and what is shown after
// the last clear must agree with the counts.
TEST_F(LogSinkTest, ClearingAndCancellingWhileHelperThreadsLogDoesNotDeadlock)
{
    SetEnvironmentVariableA("QVX_UI_HELPERS", "4");
    ASSERT_EQ(m_app.LoadTestSuite(CDravikString(ResultsFixturePath().c_str())), 0);
    CUnitTestExecutor* executor = m_app.GetExecutor();
    SelectOnly(executor, {"Chorus"});
    // A deadlock would stop this thread for good: a watchdog ends the program with a message instead.
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    qvx_test::CTestThread watchdog([done] {
        if (WaitForSingleObject(done, 120000) == WAIT_TIMEOUT)
        {
            std::fprintf(stderr, "DEADLOCK: the tree's thread did not come back within 120 s\n");
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    });
    ASSERT_TRUE(watchdog.Started());
    ASSERT_TRUE(executor->RunSelectedTests(false));
    const DWORD start = GetTickCount();
    int clears = 0;
    // At least 3 s and at least 15 clears: on a loaded machine one clear can take most of a second, and
    // the point is many clears racing the helpers, not a fixed time.
    while ((GetTickCount() - start < 3000 || clears < 15) && GetTickCount() - start < 60000)
    {
        // Clear without pumping in between: only the sink's own wait answers the helpers.
        for (int i = 0; i < 5; ++i)
        {
            EXPECT_TRUE(m_sink->Clear());
            ++clears;
        }
        Sleep(20);
        PumpMessages(0);
    }
    // Cancel as the dialog does, then wait for the run (answering the threads meanwhile).
    executor->RequestCancel();
    m_sink->Clear();
    executor->Stop();
    PumpMessages(0);
    SetEvent(done);
    watchdog.Join();
    CloseHandle(done);
    EXPECT_GT(clears, 10);
    EXPECT_GT(m_app.m_updates.load(), 0);
    // Whatever arrived after the last clear is consistent: the sets count exactly the messages shown.
    std::vector<ShownItem> shown = Snapshot(Tree());
    EXPECT_EQ(CountMessageItems(shown), Tree().GetMessageCount());
    EXPECT_EQ(static_cast<long>(Tree().GetCount()), static_cast<long>(Tree().GetItemCount()));
    EXPECT_FALSE(executor->IsThreadRunning());
}

namespace
{
// Logs a test with `count` information lines (and optionally a clear in front) on a thread of its own.
struct LoggingJob
{
    CUnitTestUILogManager* sink;
    long count;
    bool clearFirst;
    char stampBefore[32];
};

void LogFromThread(LoggingJob* job)
{
    if (job->clearFirst)
        job->sink->Clear();
    FormatCurrentTimestamp(job->stampBefore, sizeof(job->stampBefore));
    job->sink->LogTestBegin(CDravikString("Threaded"), 1);
    char text[32];
    for (long i = 1; i <= job->count; ++i)
    {
        std::snprintf(text, sizeof(text), "line %ld", i);
        job->sink->LogInformation(CDravikString(text));
    }
    job->sink->LogTestEnd(CDravikString("Threaded"), CUnitTestCounts{});
}

// Runs the job on a thread of its own; true when the thread ended within the time.
bool LogOnOtherThread(LoggingJob& job, DWORD milliseconds)
{
    qvx_test::CTestThread thread([&job] { LogFromThread(&job); });
    return thread.Started() && thread.Join(milliseconds);
}

// "HH:MM:SS" of a shown line "[HH:MM:SS:ms] ...".
std::string SecondsOf(const std::string& line)
{
    return line.size() > 9 && line[0] == '[' ? line.substr(1, 8) : std::string();
}
} // namespace

// A thread that logs never waits for the tree's thread: it finishes while this thread answers nothing, and
// what it logged is shown afterwards, in order, with the time stamps of when it was logged.
TEST_F(LogSinkTest, LoggingThreadsNeverWaitForTheTreesThread)
{
    LoggingJob job = {m_sink, 500, false, ""};
    // No messages are answered meanwhile.
    ASSERT_TRUE(LogOnOtherThread(job, 20000));
    EXPECT_EQ(Tree().GetCount(), 0u);
    EXPECT_TRUE(m_sink->HasPending());
    // Shown later than logged: the stamps still say when.
    Sleep(1100);
    PumpUntilShown();
    std::vector<ShownItem> shown = Snapshot(Tree());
    ASSERT_EQ(shown.size(), 501u);
    EXPECT_EQ(shown[0].text, "1. Threaded");
    EXPECT_EQ(shown[1].text, "[TS] line 1");
    EXPECT_EQ(shown[500].text, "[TS] line 500");
    HTREEITEM first = Tree().GetChildItem(Tree().GetRootItem());
    EXPECT_EQ(SecondsOf(std::string(Tree().GetItemText(first))),
              SecondsOf(std::string("[") + job.stampBefore));
    EXPECT_EQ(Tree().GetInformationCount(), 500);
    EXPECT_GE(m_app.m_updates.load(), 1);
}

// A call on the tree's thread first shows what other threads logged before it; a clear from another
// thread comes in its turn, a clear on the tree's thread forgets what waits.
TEST_F(LogSinkTest, OrderIsKeptBetweenThreadsAndClears)
{
    LoggingJob job = {m_sink, 3, false, ""};
    ASSERT_TRUE(LogOnOtherThread(job, 20000));
    // On this thread: the waiting records come first.
    EXPECT_TRUE(m_sink->LogTestBegin(CDravikString("Here"), 2));
    EXPECT_TRUE(m_sink->LogInformation(CDravikString("here")));
    EXPECT_FALSE(m_sink->HasPending());
    std::vector<ShownItem> shown = Snapshot(Tree());
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[0].text, "1. Threaded");
    EXPECT_EQ(shown[4].text, "2. Here");
    EXPECT_EQ(shown[5].text, "[TS] here");

    // A clear logged by another thread removes what was shown before it, not what came after it.
    LoggingJob clearing = {m_sink, 2, true, ""};
    ASSERT_TRUE(LogOnOtherThread(clearing, 20000));
    PumpUntilShown();
    shown = Snapshot(Tree());
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, "1. Threaded");
    EXPECT_EQ(Tree().GetInformationCount(), 2);

    // A clear on this thread forgets what waits to be shown.
    ASSERT_TRUE(LogOnOtherThread(job, 20000));
    EXPECT_TRUE(m_sink->Clear());
    EXPECT_FALSE(m_sink->HasPending());
    PumpMessages(50);
    EXPECT_EQ(Tree().GetCount(), 0u);
    EXPECT_EQ(Tree().GetMessageCount(), 0);

    // Taking the tree away forgets what waits, too; nothing reaches the old tree afterwards.
    ASSERT_TRUE(LogOnOtherThread(job, 20000));
    m_sink->SetTree(nullptr);
    EXPECT_FALSE(m_sink->HasPending());
    PumpMessages(50);
    EXPECT_EQ(Tree().GetCount(), 0u);
}

// A flood is shown in slices: the tree's thread answers a message posted to it between slices.
TEST_F(LogSinkTest, AFloodIsShownInSlicesThatLetTheThreadAnswer)
{
    LoggingJob job = {m_sink, 20000, false, ""};
    ASSERT_TRUE(LogOnOtherThread(job, 60000));
    // A message posted now is answered before everything is shown.
    HWND window = Tree().GetSafeHwnd();
    ASSERT_TRUE(PostMessageA(window, WM_NULL, 0x5157, 0));
    bool answeredEarly = false;
    const DWORD start = GetTickCount();
    MSG message;
    while (m_sink->HasPending() && GetTickCount() - start < 60000)
    {
        if (!GetMessageA(&message, nullptr, 0, 0))
            break;
        if (message.message == WM_NULL && message.wParam == 0x5157)
            answeredEarly = m_sink->HasPending();
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    EXPECT_TRUE(answeredEarly);
    EXPECT_FALSE(m_sink->HasPending());
    EXPECT_EQ(Tree().GetInformationCount(), 20000);
}

// The tree view lays out what a flood added in pieces between the sink's slices, never all of it at once
// when painting comes back: no dispatched message leaves more than one piece waiting, and the flood ends
// with painting back on.
TEST_F(LogSinkTest, AFloodIsLaidOutInPiecesBetweenSlices)
{
    LoggingJob job = {m_sink, 5 * CUnitTestLogDisplay::kCatchUpEntries, false, ""};
    ASSERT_TRUE(LogOnOtherThread(job, 60000));
    long mostWaiting = 0;
    const DWORD start = GetTickCount();
    MSG message;
    while (m_sink->HasPending() && GetTickCount() - start < 60000)
    {
        if (!GetMessageA(&message, nullptr, 0, 0))
            break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
        if (Tree().GetEntriesNotLaidOut() > mostWaiting)
            mostWaiting = Tree().GetEntriesNotLaidOut();
    }
    EXPECT_FALSE(m_sink->HasPending());
    EXPECT_EQ(Tree().GetInformationCount(), 5 * CUnitTestLogDisplay::kCatchUpEntries);
    EXPECT_GT(mostWaiting, 0);
    EXPECT_LE(mostWaiting, CUnitTestLogDisplay::kCatchUpEntries);
    PumpMessages(3 * CUnitTestLogDisplay::kFlushRedrawMilliseconds);
    EXPECT_FALSE(Tree().IsRedrawDeferred());
    EXPECT_EQ(Tree().GetEntriesNotLaidOut(), 0);
}
