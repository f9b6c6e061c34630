// Tests of the re-entrant owner lock and of the event helpers.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "foundation/ThreadLock.h"

namespace
{
// Generous: Wine runs under emulation here.
const DWORD kReactMs = 10000;

// Runs a function on a separate thread and joins it.
void RunOnOtherThread(const std::function<void()>& body)
{
    std::thread worker(body);
    worker.join();
}
} // namespace

TEST(ThreadLockTest, ReentryIsCountedAndOwnerKeepsLockUntilLastUnlock)
{
    CThreadLock lock;
    const DWORD self = GetCurrentThreadId();
    lock.Lock();
    lock.Lock();
    lock.Lock();
    EXPECT_EQ(self, lock.GetOwner());
    EXPECT_EQ(3, lock.GetCount());

    HANDLE acquired = CreateEventObject();
    HANDLE release = CreateEventObject();
    std::thread contender([&] {
        lock.Lock();
        SetEvent(acquired);
        WaitForEvent(release, kReactMs);
        lock.Unlock();
    });

    lock.Unlock();
    lock.Unlock();
    EXPECT_EQ(1, lock.GetCount());
    EXPECT_EQ(self, lock.GetOwner());
    EXPECT_FALSE(WaitForEvent(acquired, 200)) << "another thread got the lock while it was still held once";

    lock.Unlock();
    EXPECT_TRUE(WaitForEvent(acquired, kReactMs)) << "the lock was not handed over after the last Unlock";
    SetEvent(release);
    contender.join();
    EXPECT_FALSE(lock.IsLocked());
    EXPECT_EQ(0u, lock.GetOwner());
    CloseHandle(acquired);
    CloseHandle(release);
}

TEST(ThreadLockTest, UnlockFromForeignThreadIsIgnored)
{
    CThreadLock lock;
    lock.Lock();
    RunOnOtherThread([&] {
        lock.Unlock();
        lock.Unlock();
    });
    EXPECT_TRUE(lock.IsLocked());
    EXPECT_EQ(GetCurrentThreadId(), lock.GetOwner());
    EXPECT_EQ(1, lock.GetCount());

    // The lock is still exclusive: another thread cannot take it before the owner lets go.
    std::atomic<bool> got(false);
    std::thread contender([&] {
        lock.Lock();
        got = true;
        lock.Unlock();
    });
    Sleep(200);
    EXPECT_FALSE(got.load());
    lock.Unlock();
    contender.join();
    EXPECT_TRUE(got.load());
}

TEST(ThreadLockTest, UnlockOfFreeLockChangesNothing)
{
    CThreadLock lock;
    lock.Unlock();
    EXPECT_FALSE(lock.IsLocked());
    EXPECT_EQ(0, lock.GetCount());
    lock.Lock();
    EXPECT_EQ(1, lock.GetCount());
    lock.Unlock();
    EXPECT_FALSE(lock.IsLocked());
    // Further unlocks by the former owner do not drive the count below zero.
    lock.Unlock();
    EXPECT_EQ(0, lock.GetCount());
    lock.Lock();
    EXPECT_EQ(1, lock.GetCount());
    lock.Unlock();
}

TEST(ThreadLockTest, WaitersBothWakeAndTakeTheLockOneAtATime)
{
    CThreadLock lock;
    std::atomic<int> inside(0), maxInside(0), done(0);
    lock.Lock();
    std::vector<std::thread> waiters;
    for (int i = 0; i < 2; ++i)
        waiters.emplace_back([&] {
            lock.Lock();
            const int now = ++inside;
            int seen = maxInside.load();
            while (now > seen && !maxInside.compare_exchange_weak(seen, now))
            {
            }
            Sleep(50);
            --inside;
            ++done;
            lock.Unlock();
        });
    Sleep(100);
    EXPECT_EQ(0, done.load());
    lock.Unlock();
    for (auto& waiter : waiters)
        waiter.join();
    EXPECT_EQ(2, done.load());
    EXPECT_EQ(1, maxInside.load());
}

TEST(ThreadLockTest, ExcludesConcurrentIncrements)
{
    CThreadLock lock;
    long counter = 0; // deliberately plain: only the lock protects it
    const int threads = 4, rounds = 2000;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&] {
            for (int i = 0; i < rounds; ++i)
            {
                CThreadLockGuard outer(lock);
                CThreadLockGuard inner(lock); // re-entry inside the same critical region
                const long seen = counter;
                if (i % 64 == 0)
                    Sleep(0);
                counter = seen + 1;
            }
        });
    for (auto& worker : workers)
        worker.join();
    EXPECT_EQ(threads * rounds, counter);
    EXPECT_FALSE(lock.IsLocked());
}

// Two threads take the lock in turn without pause, each holding it for a while (long enough that a
// newcomer has stopped spinning and sleeps in the queue before the lock is free again). A third thread that
// asks for the lock must get it within a bounded number of their turns, every time.
TEST(ThreadLockTest, AWaiterIsNotPassedOverWhileTwoThreadsHandTheLockBackAndForth)
{
    CThreadLock lock;
    std::atomic<long> turns(0);
    std::atomic<bool> stop(false);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const LONGLONG holdTicks = frequency.QuadPart / 20000; // 50 microseconds
    std::vector<std::thread> busy;
    for (int i = 0; i < 2; ++i)
        busy.emplace_back([&] {
            while (!stop.load())
            {
                CThreadLockGuard hold(lock);
                ++turns;
                LARGE_INTEGER begin, now;
                QueryPerformanceCounter(&begin);
                do
                    QueryPerformanceCounter(&now);
                while (now.QuadPart - begin.QuadPart < holdTicks);
            }
        });
    while (turns.load() < 20)
        Sleep(1);

    // At most: the turn under way when it asks, the one in which it joins the queue, and for itself and
    // the busy thread that may be ahead of it in the queue, the passes allowed plus the turn handed over.
    const long bound = 3 + 2 * (CThreadLock::kMaxPasses + 1);
    long worst = 0;
    for (int round = 0; round < 20; ++round)
    {
        const long before = turns.load();
        lock.Lock();
        const long passed = turns.load() - before;
        lock.Unlock();
        if (passed > worst)
            worst = passed;
        Sleep(2);
    }
    stop = true;
    for (auto& thread : busy)
        thread.join();
    EXPECT_LE(worst, bound) << "the waiter was passed over " << worst << " times";
    EXPECT_FALSE(lock.IsLocked());
}

TEST(ThreadLockTest, DiagnosticsCountTheThreadsThatSleepInTheQueue)
{
    CThreadLock lock;
    EXPECT_EQ(0, lock.GetWaiterCount());
    EXPECT_EQ(0, lock.GetWaitCount());
    lock.Lock();
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i)
        waiters.emplace_back([&] {
            lock.Lock();
            lock.Unlock();
        });
    const DWORD start = GetTickCount();
    while (lock.GetWaiterCount() < 3 && GetTickCount() - start < kReactMs)
        Sleep(5);
    EXPECT_EQ(3, lock.GetWaiterCount());
    EXPECT_EQ(3, lock.GetWaitCount());
    lock.Unlock();
    for (auto& waiter : waiters)
        waiter.join();
    EXPECT_EQ(0, lock.GetWaiterCount());
    EXPECT_EQ(3, lock.GetWaitCount());
    EXPECT_FALSE(lock.IsLocked());
}

TEST(EventTest, NewEventIsUnsignalledAndAutoReset)
{
    HANDLE event = CreateEventObject();
    ASSERT_NE(nullptr, event);
    EXPECT_FALSE(WaitForEvent(event, 0));
    SetEvent(event);
    EXPECT_TRUE(WaitForEvent(event, 0));
    EXPECT_FALSE(WaitForEvent(event, 0)) << "the one wait that it released must reset the event";
    CloseHandle(event);
}

TEST(EventTest, BoundedWaitIsTrueOnlyWhenSignalled)
{
    EXPECT_FALSE(WaitForEvent(nullptr, 0));
    EXPECT_FALSE(WaitForEvent(nullptr, INFINITE)) << "a null handle must return at once";

    HANDLE event = CreateEventObject();
    ASSERT_NE(nullptr, event);
    const DWORD start = GetTickCount();
    EXPECT_FALSE(WaitForEvent(event, 150));
    EXPECT_GE(GetTickCount() - start, 100u) << "a time-out must wait about the given time";

    std::thread signaller([&] {
        Sleep(100);
        SetEvent(event);
    });
    EXPECT_TRUE(WaitForEvent(event, kReactMs));
    signaller.join();
    CloseHandle(event);

    // A closed handle is a failure, not a signal.
    EXPECT_FALSE(WaitForEvent(event, 0));
}
