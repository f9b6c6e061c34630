// Re-entrant lock that remembers its owner thread, and the unnamed auto-reset events used by the worker
// threads, timers and executors.
#pragma once

#include <windows.h>

#include <atomic>

// Re-entrant mutual-exclusion lock. The owning thread may lock it several times and must unlock it as often;
// an Unlock from any other thread (or on a free lock) is ignored.
//
// Under contention a thread first spins briefly, then sleeps in a first-come queue. A release wakes only the
// first thread in the queue (and none while that one is awake already); a thread that arrives while the lock
// is free may still take it, so one busy thread is not slowed to the pace of wake-ups. To keep that from
// starving anybody, once the first waiter has been passed over kMaxPasses times the lock is handed to it
// directly at the next release, and nobody may take it past the queue until then.
class CThreadLock
{
public:
    CThreadLock();
    ~CThreadLock();

    CThreadLock(const CThreadLock&) = delete;
    CThreadLock& operator=(const CThreadLock&) = delete;

    // Acquires the lock, waiting as long as another thread holds it.
    void Lock();
    // Releases one level when called by the owner; ignored otherwise.
    void Unlock();

    // Diagnostics: the current owner (0 when free) and its recursion count, read under the guard.
    DWORD GetOwner();
    long GetCount();
    bool IsLocked();
    // Threads asleep or spinning in the queue, and how often a thread has had to join it.
    long GetWaiterCount();
    long GetWaitCount();

    // How often the first waiter may be passed over by threads that take the lock past the queue.
    static const long kMaxPasses = 8;

private:
    struct Waiter;

    // Under the guard: takes the free lock for a thread that is not in the queue, when it may.
    bool TryTakeOutsideQueue(DWORD self);
    // Under the guard: removes the first waiter from the queue.
    Waiter* PopFirstWaiter();
    // Under the guard: the first waiter takes the free lock.
    void TakeAsFirstWaiter(DWORD self);
    // Spins for a while; true when the lock became this thread's (taken, or handed to waiter).
    bool Spin(DWORD self, Waiter* waiter);

    CRITICAL_SECTION m_guard; // protects every field below
    std::atomic<bool> m_locked; // also read without the guard, as a hint, while spinning
    DWORD m_owner;
    long m_count;
    Waiter* m_first; // the queue of sleeping threads, oldest first
    Waiter* m_last;
    long m_waiters;
    long m_waits;
    // Times the lock was taken past the current first waiter.
    long m_passes;
    // The first waiter is awake (woken by a release, or spinning): a release need not wake it again.
    bool m_firstAwake;
};

// Holds a CThreadLock for the lifetime of the guard.
class CThreadLockGuard
{
public:
    explicit CThreadLockGuard(CThreadLock& lock) : m_lock(lock) { m_lock.Lock(); }
    ~CThreadLockGuard() { m_lock.Unlock(); }
    CThreadLockGuard(const CThreadLockGuard&) = delete;
    CThreadLockGuard& operator=(const CThreadLockGuard&) = delete;

private:
    CThreadLock& m_lock;
};

// A new unnamed auto-reset event, not signalled; null on failure.
HANDLE CreateEventObject();

// Waits at most the given milliseconds (INFINITE: without limit) for the event. True only when the event was
// signalled; false for a null handle, a time-out or a failure.
bool WaitForEvent(HANDLE event, DWORD milliseconds);
