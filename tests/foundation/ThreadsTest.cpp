// Tests of the worker-thread base and the periodic timer.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "foundation/CommSystemTimer.h"
#include "foundation/CommThreadedExecutor.h"

namespace
{
const DWORD kReactMs = 10000;

// Waits until a condition holds, polling; false after the time limit.
template <class TCondition> bool WaitUntil(TCondition condition, DWORD limitMs = kReactMs)
{
    const DWORD start = GetTickCount();
    while (!condition())
    {
        if (GetTickCount() - start > limitMs)
            return false;
        Sleep(5);
    }
    return true;
}

// A worker whose body runs until it is told to stop, or returns at once when asked to.
class CLoopingWorker : public CCommThreadedExecutor
{
public:
    std::atomic<bool> returnAtOnce{false};
    std::atomic<bool> throwInRun{false};
    std::atomic<bool> stopItself{false};
    std::atomic<bool> stopItselfResult{true};
    std::atomic<int> runs{0}, completes{0}, finishedRuns{0};
    std::atomic<DWORD> runThread{0}, completeThread{0};
    std::atomic<bool> completeSawRunResult{false};
    HANDLE gate = CreateEventObject(); // when set, a looping body returns

    ~CLoopingWorker() override
    {
        Stop();
        CloseHandle(gate);
    }

    bool Run() override
    {
        ++runs;
        runThread = ::GetCurrentThreadId();
        if (throwInRun)
            throw std::runtime_error("body failed");
        if (stopItself)
        {
            stopItselfResult = Stop();
            while (IsKeepRunning())
                Sleep(1);
            ++finishedRuns;
            return true;
        }
        if (!returnAtOnce)
            while (IsKeepRunning() && !WaitForEvent(gate, 1))
            {
            }
        ++finishedRuns;
        return true;
    }

    bool OnRunComplete() override
    {
        ++completes;
        completeThread = ::GetCurrentThreadId();
        completeSawRunResult = finishedRuns.load() == runs.load();
        return true;
    }
};
} // namespace

TEST(ThreadedExecutorTest, StopWithoutThreadIsFalseAndObjectStaysUsable)
{
    CLoopingWorker worker;
    EXPECT_FALSE(worker.Stop());
    EXPECT_FALSE(worker.WaitFinished()) << "no thread: nothing to wait for, and no hang";
    EXPECT_FALSE(worker.WaitStarted());
    EXPECT_TRUE(worker.IsKeepRunning());
    EXPECT_EQ(nullptr, worker.GetThreadHandle());

    ASSERT_TRUE(worker.Start());
    EXPECT_TRUE(worker.Stop());
    EXPECT_EQ(1, worker.runs.load());
}

TEST(ThreadedExecutorTest, StartRunsBodyOnItsOwnThreadAndStopWaitsForIt)
{
    CLoopingWorker worker;
    ASSERT_TRUE(worker.Start());
    // Start returns only once the thread has begun.
    EXPECT_TRUE(worker.IsRunning());
    EXPECT_NE(nullptr, worker.GetThreadHandle());
    EXPECT_NE(0u, worker.GetThreadId());
    ASSERT_TRUE(WaitUntil([&] { return worker.runs.load() == 1; }));
    EXPECT_EQ(worker.GetThreadId(), worker.runThread.load());
    EXPECT_NE(GetCurrentThreadId(), worker.runThread.load());
    EXPECT_EQ(0, worker.finishedRuns.load()) << "the body must keep running while keep-running is set";

    EXPECT_TRUE(worker.Stop());
    // Stop returned only after the body and the after-run hook ended, on the worker thread.
    EXPECT_EQ(1, worker.finishedRuns.load());
    EXPECT_EQ(1, worker.completes.load());
    EXPECT_EQ(worker.runThread.load(), worker.completeThread.load());
    EXPECT_TRUE(worker.completeSawRunResult.load()) << "the after-run hook must follow the body";
    // Stop leaves the object idle and ready again.
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_TRUE(worker.IsKeepRunning());
    EXPECT_EQ(nullptr, worker.GetThreadHandle());
    EXPECT_EQ(0u, worker.GetThreadId());
}

TEST(ThreadedExecutorTest, FinishedEventAndWaitFinishedReportTheEnd)
{
    CLoopingWorker worker;
    ASSERT_TRUE(worker.Start());
    EXPECT_FALSE(WaitForEvent(worker.GetFinishedEvent(), 100)) << "finished before the body returned";
    SetEvent(worker.gate);
    EXPECT_TRUE(worker.WaitFinished());
    EXPECT_TRUE(worker.GetRunResult());
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_FALSE(worker.IsKeepRunning());
    // A second wait does not hang although the event was consumed.
    EXPECT_TRUE(worker.WaitFinished());
    EXPECT_FALSE(worker.Stop()) << "nothing was running any more";
}

TEST(ThreadedExecutorTest, StartedEventIsSignalledOncePerStart)
{
    // Start itself consumes the started event; a body that returns at once still reports its start.
    CLoopingWorker worker;
    worker.returnAtOnce = true;
    ASSERT_TRUE(worker.Start());
    EXPECT_FALSE(WaitForEvent(worker.GetStartedEvent(), 0)) << "the started event must be consumed by Start";
    EXPECT_TRUE(worker.WaitFinished());
    EXPECT_EQ(1, worker.runs.load());
}

TEST(ThreadedExecutorTest, SecondStartEndsTheFirstThread)
{
    CLoopingWorker worker;
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(WaitUntil([&] { return worker.runs.load() == 1; }));
    ASSERT_TRUE(worker.Start());
    EXPECT_EQ(1, worker.finishedRuns.load()) << "the first body must have returned before the second start";
    ASSERT_TRUE(WaitUntil([&] { return worker.runs.load() == 2; }));
    EXPECT_NE(0u, worker.GetThreadId());
    EXPECT_EQ(worker.GetThreadId(), worker.runThread.load());
    EXPECT_TRUE(worker.Stop());
    EXPECT_EQ(2, worker.finishedRuns.load());
}

TEST(ThreadedExecutorTest, ExceptionInBodyIsCaughtAtTheThreadBoundary)
{
    CLoopingWorker worker;
    worker.throwInRun = true;
    ASSERT_TRUE(worker.Start());
    EXPECT_TRUE(worker.WaitFinished());
    EXPECT_FALSE(worker.GetRunResult());
    EXPECT_EQ(1, worker.completes.load()) << "the after-run hook still runs";
}

TEST(ThreadedExecutorTest, StopFromInsideTheBodyDoesNotDeadlock)
{
    CLoopingWorker worker;
    worker.stopItself = true;
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(WaitUntil([&] { return worker.finishedRuns.load() == 1; }));
    EXPECT_FALSE(worker.stopItselfResult.load());
    EXPECT_TRUE(worker.WaitFinished());
    worker.Stop();
    EXPECT_EQ(nullptr, worker.GetThreadHandle());
}

namespace
{
// Counts ticks and remembers where they ran; a tick may be held open by a gate.
class CCountingTimer : public CCommSystemTimer
{
public:
    std::atomic<int> ticks{0};
    std::atomic<DWORD> tickThread{0};
    std::atomic<bool> holdTick{false};
    std::atomic<bool> tickFinished{false};
    std::atomic<bool> throwInTick{false};
    std::vector<DWORD> tickTimes; // guarded by being written only on the timer thread before 'ticks' rises
    HANDLE tickStarted = CreateEventObject();
    HANDLE tickRelease = CreateEventObject();

    explicit CCountingTimer(DWORD interval = DefaultInterval)
    {
        SetInterval(interval);
        tickTimes.reserve(1024);
    }
    ~CCountingTimer() override
    {
        Shutdown();
        CloseHandle(tickStarted);
        CloseHandle(tickRelease);
    }

    void OnTimer() override
    {
        tickThread = ::GetCurrentThreadId();
        tickFinished = false;
        if (tickTimes.size() < tickTimes.capacity())
            tickTimes.push_back(GetTickCount());
        SetEvent(tickStarted);
        if (holdTick)
            WaitForEvent(tickRelease, kReactMs);
        ++ticks;
        tickFinished = true;
        if (throwInTick)
            throw std::runtime_error("tick failed");
    }
};
} // namespace

TEST(SystemTimerTest, ThreadStartsWithTheObjectButDoesNotTickUntilArmed)
{
    CCountingTimer timer(10);
    EXPECT_NE(nullptr, timer.GetThreadHandle());
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_FALSE(timer.IsArmed());
    Sleep(300);
    EXPECT_EQ(0, timer.ticks.load());
    EXPECT_EQ(CCommSystemTimer::DefaultInterval, CCountingTimer().GetInterval());
}

TEST(SystemTimerTest, ArmingTicksAtOnceOnTheTimerThread)
{
    // Arming straight after construction races with the timer thread reaching its first wait; the arming
    // tick must come at once all the same. The interval alone would not tick within the test.
    for (int round = 0; round < 10; ++round)
    {
        CCountingTimer timer(600000);
        ASSERT_TRUE(timer.Arm());
        ASSERT_TRUE(WaitForEvent(timer.tickStarted, kReactMs))
            << "arming must tick at once (round " << round << ")";
        EXPECT_EQ(timer.GetThreadId(), timer.tickThread.load());
        EXPECT_NE(GetCurrentThreadId(), timer.tickThread.load());
    }

    // Arming an idle timer that has been waiting for a while ticks at once too.
    CCountingTimer idle(600000);
    Sleep(100);
    ASSERT_TRUE(idle.Arm());
    EXPECT_TRUE(WaitForEvent(idle.tickStarted, kReactMs));
    // Disarmed and armed again: another immediate tick.
    idle.Disarm();
    idle.WaitForCallback();
    ASSERT_TRUE(idle.Arm());
    EXPECT_TRUE(WaitForEvent(idle.tickStarted, kReactMs));
    idle.Disarm();
    idle.WaitForCallback();
    EXPECT_EQ(2, idle.ticks.load());
}

TEST(SystemTimerTest, TicksRepeatWhileArmedAndStopAfterDisarm)
{
    CCountingTimer timer(20);
    ASSERT_TRUE(timer.Arm());
    ASSERT_TRUE(WaitUntil([&] { return timer.ticks.load() >= 3; }));
    ASSERT_TRUE(timer.Disarm());
    ASSERT_TRUE(timer.WaitForCallback());
    EXPECT_FALSE(timer.IsInTick());
    const int after = timer.ticks.load();
    Sleep(300);
    EXPECT_EQ(after, timer.ticks.load()) << "a disarmed timer must not tick";

    // Arming again resumes ticking.
    ASSERT_TRUE(timer.Arm());
    EXPECT_TRUE(WaitUntil([&] { return timer.ticks.load() > after; }));
}

TEST(SystemTimerTest, IntervalSetAfterConstructionIsUsed)
{
    CCountingTimer timer;
    EXPECT_EQ(CCommSystemTimer::DefaultInterval, CCountingTimer().GetInterval());
    timer.SetInterval(500);
    const DWORD start = GetTickCount();
    ASSERT_TRUE(timer.Arm());
    ASSERT_TRUE(WaitUntil([&] { return timer.ticks.load() >= 4; }));
    const DWORD elapsed = GetTickCount() - start;
    timer.Disarm();
    timer.WaitForCallback();
    // First tick at once, then one per 500 ms: four ticks take about 1.5 s, never less.
    EXPECT_GE(elapsed, 1400u);
    ASSERT_GE(timer.tickTimes.size(), 4u);
    for (size_t i = 1; i < 4; ++i)
        EXPECT_GE(timer.tickTimes[i] - timer.tickTimes[i - 1], 450u) << "tick " << i << " came early";
}

TEST(SystemTimerTest, ArmThenDisarmAtOnceRunsAtMostTheArmingTick)
{
    for (int round = 0; round < 5; ++round)
    {
        CCountingTimer timer(100000);
        ASSERT_TRUE(timer.Arm());
        ASSERT_TRUE(timer.Disarm());
        ASSERT_TRUE(timer.WaitForCallback());
        EXPECT_FALSE(timer.IsInTick());
        const int ticks = timer.ticks.load();
        EXPECT_LE(ticks, 1);
        Sleep(50);
        EXPECT_EQ(ticks, timer.ticks.load());
    }
}

TEST(SystemTimerTest, WaitForCallbackWaitsForTheTickInProgress)
{
    CCountingTimer timer(100000);
    timer.holdTick = true;
    ASSERT_TRUE(timer.Arm());
    ASSERT_TRUE(WaitForEvent(timer.tickStarted, kReactMs));
    EXPECT_TRUE(timer.IsInTick());
    ASSERT_TRUE(timer.Disarm());
    std::thread releaser([&timer] {
        Sleep(200);
        SetEvent(timer.tickRelease);
    });
    EXPECT_TRUE(timer.WaitForCallback());
    EXPECT_TRUE(timer.tickFinished.load()) << "WaitForCallback returned while the tick was still running";
    EXPECT_FALSE(timer.IsInTick());
    releaser.join();
}

TEST(SystemTimerTest, FailingTickDoesNotEndTheTimer)
{
    CCountingTimer timer(20);
    timer.throwInTick = true;
    ASSERT_TRUE(timer.Arm());
    EXPECT_TRUE(WaitUntil([&] { return timer.ticks.load() >= 3; }));
    timer.Disarm();
    EXPECT_TRUE(timer.WaitForCallback());
    EXPECT_FALSE(timer.IsInTick());
}

TEST(SystemTimerTest, ShutdownEndsTheThreadAndNoTickFollows)
{
    CCountingTimer timer(10);
    ASSERT_TRUE(timer.Arm());
    ASSERT_TRUE(WaitUntil([&] { return timer.ticks.load() >= 2; }));
    const DWORD start = GetTickCount();
    EXPECT_TRUE(timer.Shutdown());
    EXPECT_LT(GetTickCount() - start, 5000u) << "shutdown must wake the thread, not wait out an interval";
    EXPECT_EQ(nullptr, timer.GetThreadHandle());
    EXPECT_FALSE(timer.IsArmed());
    const int ticks = timer.ticks.load();
    Sleep(100);
    EXPECT_EQ(ticks, timer.ticks.load());
    EXPECT_FALSE(timer.Shutdown()) << "a second shutdown has no thread to end";
    // Without a thread, arming has nobody to tick.
    timer.Arm();
    Sleep(100);
    EXPECT_EQ(ticks, timer.ticks.load());
}

TEST(SystemTimerTest, ShutdownOfIdleTimerWithLongIntervalIsPrompt)
{
    CCountingTimer timer(600000);
    Sleep(50);
    const DWORD start = GetTickCount();
    EXPECT_TRUE(timer.Shutdown());
    EXPECT_LT(GetTickCount() - start, 5000u);
}

namespace
{
std::atomic<int> g_ticksOnDeadTimer(0);
std::atomic<int> g_liveTicks(0);

const unsigned kAlive = 0xA11CE5ED;
const unsigned kDead = 0xDEADBEEF;

// A timer whose tick works on its own members. The members are torn down by the destructor; a tick that ran
// during or after that would see the dead marker (or touch freed memory).
class CMemberTimer : public CCommSystemTimer
{
public:
    explicit CMemberTimer(bool shutDownInDestructor) : m_shutDownInDestructor(shutDownInDestructor)
    {
        SetInterval(1);
        m_name = "member timer with a name long enough to live on the heap";
    }
    ~CMemberTimer() override
    {
        if (m_shutDownInDestructor)
            Shutdown();
        m_marker = kDead;
        m_samples.clear();
        m_samples.shrink_to_fit();
        m_name.clear();
        m_name.shrink_to_fit();
        Sleep(2); // give a stray tick every chance to see the dead object
    }
    void OnTimer() override
    {
        if (m_marker != kAlive)
        {
            ++g_ticksOnDeadTimer;
            return;
        }
        m_samples.push_back(static_cast<int>(m_name.size()));
        if (m_samples.size() > 32)
            m_samples.erase(m_samples.begin(), m_samples.begin() + 16);
        ++g_liveTicks;
    }

private:
    bool m_shutDownInDestructor;
    volatile unsigned m_marker = kAlive;
    std::vector<int> m_samples;
    std::string m_name;
};

// The same, relying on the owner wrapper instead of its own destructor.
class CWrappedMemberTimer : public CMemberTimer
{
public:
    CWrappedMemberTimer() : CMemberTimer(false) {}
};
} // namespace

TEST(SystemTimerTest, DestroyingSubclassNeverTicksIntoItsDestroyedPart)
{
    g_ticksOnDeadTimer = 0;
    g_liveTicks = 0;
    for (int round = 0; round < 40; ++round)
    {
        CMemberTimer* timer = new CMemberTimer(true);
        ASSERT_TRUE(timer->Arm());
        const int before = g_liveTicks.load();
        ASSERT_TRUE(WaitUntil([&] { return g_liveTicks.load() > before; }));
        delete timer; // armed and ticking every millisecond
    }
    EXPECT_EQ(0, g_ticksOnDeadTimer.load());
    EXPECT_GE(g_liveTicks.load(), 40);
}

TEST(SystemTimerTest, OwnerWrapperShutsDownBeforeTheSubclassGoes)
{
    g_ticksOnDeadTimer = 0;
    g_liveTicks = 0;
    for (int round = 0; round < 40; ++round)
    {
        auto* timer = new CCommSystemTimerOwner<CWrappedMemberTimer>();
        ASSERT_TRUE(timer->Arm());
        const int before = g_liveTicks.load();
        ASSERT_TRUE(WaitUntil([&] { return g_liveTicks.load() > before; }));
        delete timer;
    }
    EXPECT_EQ(0, g_ticksOnDeadTimer.load());
}
