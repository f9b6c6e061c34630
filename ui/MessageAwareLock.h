// A re-entrant lock whose waiting user-interface thread keeps answering the messages that other threads
// send to it. A thread that holds the lock may send a message to a window of the waiting thread and wait
// for the answer; if the waiter simply blocked, neither could go on.
#pragma once

#include <windows.h>

class CMessageAwareLock
{
public:
    CMessageAwareLock();
    ~CMessageAwareLock();
    CMessageAwareLock(const CMessageAwareLock&) = delete;
    CMessageAwareLock& operator=(const CMessageAwareLock&) = delete;

    // Takes the lock. With serviceSentMessages, the waiting thread answers messages sent to it by other
    // threads while it waits (it neither removes nor dispatches posted messages); otherwise it blocks.
    void Lock(bool serviceSentMessages);
    // Takes the lock only when it is free or already held by this thread.
    bool TryLock();
    void Unlock();

private:
    CRITICAL_SECTION m_section;
};

// Holds a CMessageAwareLock for the lifetime of the guard.
class CMessageAwareLockGuard
{
public:
    CMessageAwareLockGuard(CMessageAwareLock& lock, bool serviceSentMessages) : m_lock(lock)
    {
        m_lock.Lock(serviceSentMessages);
    }
    ~CMessageAwareLockGuard() { m_lock.Unlock(); }
    CMessageAwareLockGuard(const CMessageAwareLockGuard&) = delete;
    CMessageAwareLockGuard& operator=(const CMessageAwareLockGuard&) = delete;

private:
    CMessageAwareLock& m_lock;
};
