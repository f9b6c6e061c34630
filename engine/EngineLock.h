// A re-entrant lock for the engine's per-message paths. It keeps the owner rules of CThreadLock (re-entrant
// for the owner; an Unlock from any other thread is ignored) but costs no kernel call when uncontended,
// whereas CThreadLock resets and signals an event on every Lock and Unlock, which under Wine is a server
// round trip (about 100 us per pair measured here) and dominated the cost of every logged line.
#pragma once

#include <windows.h>

#include <atomic>

class CEngineLock
{
public:
    CEngineLock() { InitializeCriticalSection(&m_section); }
    ~CEngineLock() { DeleteCriticalSection(&m_section); }
    CEngineLock(const CEngineLock&) = delete;
    CEngineLock& operator=(const CEngineLock&) = delete;

    void Lock()
    {
        EnterCriticalSection(&m_section);
        m_owner.store(GetCurrentThreadId());
        ++m_count;
    }
    void Unlock()
    {
        if (m_owner.load() != GetCurrentThreadId() || m_count <= 0)
            return;
        if (--m_count == 0)
            m_owner.store(0);
        LeaveCriticalSection(&m_section);
    }

private:
    CRITICAL_SECTION m_section;
    std::atomic<DWORD> m_owner{0};
    long m_count = 0; // only touched by the owner
};

class CEngineLockGuard
{
public:
    explicit CEngineLockGuard(CEngineLock& lock) : m_lock(lock) { m_lock.Lock(); }
    ~CEngineLockGuard() { m_lock.Unlock(); }
    CEngineLockGuard(const CEngineLockGuard&) = delete;
    CEngineLockGuard& operator=(const CEngineLockGuard&) = delete;

private:
    CEngineLock& m_lock;
};
