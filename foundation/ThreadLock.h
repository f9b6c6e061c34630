// Re-entrant lock that remembers its owner thread, and the unnamed auto-reset events used by the worker
// threads, timers and executors.
#pragma once

#include <windows.h>

// Re-entrant mutual-exclusion lock. The owning thread may lock it several times and must unlock it as often;
// an Unlock from any other thread (or on a free lock) is ignored.
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

private:
    CRITICAL_SECTION m_held;  // entered by the owner for as long as it holds the lock
    CRITICAL_SECTION m_guard; // protects the three fields below
    BYTE m_locked;
    DWORD m_owner;
    long m_count;
    HANDLE m_releaseEvent; // manual reset; signalled when the lock is released while threads wait for it
    // Guarded too: the threads waiting for the release event, and whether it is signalled. They let an
    // uncontended Lock/Unlock pair run without touching the event (a kernel call).
    long m_waiters;
    bool m_releaseSignalled;
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
