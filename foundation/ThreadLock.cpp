#include "foundation/ThreadLock.h"

namespace
{
// Rounds of a spinning thread before it sleeps; none on a machine with one processor, where the holder
// cannot run while somebody spins.
long SpinRounds()
{
    static const long rounds = [] {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        return info.dwNumberOfProcessors > 1 ? 1000L : 0L;
    }();
    return rounds;
}
} // namespace

// A thread asleep in the queue; lives on that thread's stack while it waits.
struct CThreadLock::Waiter
{
    CONDITION_VARIABLE wake = CONDITION_VARIABLE_INIT;
    DWORD thread = 0;
    Waiter* next = nullptr;
    // A release found the lock's first waiter asleep and woke it to compete for the free lock.
    bool woken = false;
    // The lock was handed to this thread (owner and count are set already). Read while spinning too.
    std::atomic<bool> granted{false};
};

CThreadLock::CThreadLock()
    : m_locked(false), m_owner(0), m_count(0), m_first(nullptr), m_last(nullptr), m_waiters(0), m_waits(0),
      m_passes(0), m_firstAwake(false)
{
    InitializeCriticalSectionAndSpinCount(&m_guard, 4000);
}

CThreadLock::~CThreadLock()
{
    DeleteCriticalSection(&m_guard);
}

bool CThreadLock::TryTakeOutsideQueue(DWORD self)
{
    if (m_locked.load(std::memory_order_relaxed))
        return false;
    if (m_first)
    {
        // Past the queue only while its first thread has not been passed over too often.
        if (m_passes >= kMaxPasses)
            return false;
        ++m_passes;
    }
    m_locked.store(true, std::memory_order_relaxed);
    m_owner = self;
    m_count = 1;
    return true;
}

CThreadLock::Waiter* CThreadLock::PopFirstWaiter()
{
    Waiter* first = m_first;
    m_first = first->next;
    if (!m_first)
        m_last = nullptr;
    --m_waiters;
    m_passes = 0;
    m_firstAwake = false; // the next one sleeps until a release wakes it
    return first;
}

void CThreadLock::TakeAsFirstWaiter(DWORD self)
{
    PopFirstWaiter();
    m_locked.store(true, std::memory_order_relaxed);
    m_owner = self;
    m_count = 1;
}

bool CThreadLock::Spin(DWORD self, Waiter* waiter)
{
    const long rounds = SpinRounds();
    for (long i = 0; i < rounds; ++i)
    {
        if (waiter && waiter->granted.load(std::memory_order_acquire))
        {
            // Handed over; pass through the guard once so that everything the releaser wrote is seen.
            EnterCriticalSection(&m_guard);
            LeaveCriticalSection(&m_guard);
            return true;
        }
        if (!m_locked.load(std::memory_order_relaxed))
        {
            EnterCriticalSection(&m_guard);
            bool taken = false;
            if (waiter)
            {
                taken = waiter->granted.load(std::memory_order_relaxed);
                if (!taken && !m_locked.load(std::memory_order_relaxed))
                {
                    TakeAsFirstWaiter(self);
                    taken = true;
                }
            }
            else
                taken = TryTakeOutsideQueue(self);
            LeaveCriticalSection(&m_guard);
            if (taken)
                return true;
        }
        YieldProcessor();
    }
    return false;
}

void CThreadLock::Lock()
{
    const DWORD self = GetCurrentThreadId();
    EnterCriticalSection(&m_guard);
    if (m_locked.load(std::memory_order_relaxed) && m_owner == self)
    {
        ++m_count;
        LeaveCriticalSection(&m_guard);
        return;
    }
    bool taken = TryTakeOutsideQueue(self);
    LeaveCriticalSection(&m_guard);
    if (taken || Spin(self, nullptr))
        return;

    EnterCriticalSection(&m_guard);
    if (TryTakeOutsideQueue(self))
    {
        LeaveCriticalSection(&m_guard);
        return;
    }
    Waiter me;
    me.thread = self;
    if (m_last)
        m_last->next = &me;
    else
        m_first = &me;
    m_last = &me;
    ++m_waiters;
    ++m_waits;
    for (;;)
    {
        // The guard is left while asleep and held again on waking.
        while (!me.granted.load(std::memory_order_relaxed) && !me.woken)
            SleepConditionVariableCS(&me.wake, &m_guard, INFINITE);
        if (me.granted.load(std::memory_order_relaxed))
            break;
        // First in the queue and woken by a release: the lock was free a moment ago.
        me.woken = false;
        if (!m_locked.load(std::memory_order_relaxed))
        {
            TakeAsFirstWaiter(self);
            break;
        }
        LeaveCriticalSection(&m_guard);
        if (Spin(self, &me))
            return;
        EnterCriticalSection(&m_guard);
        if (me.granted.load(std::memory_order_relaxed))
            break;
        if (!m_locked.load(std::memory_order_relaxed))
        {
            TakeAsFirstWaiter(self);
            break;
        }
        m_firstAwake = false; // asleep again: the next release wakes it
    }
    LeaveCriticalSection(&m_guard);
}

void CThreadLock::Unlock()
{
    const DWORD self = GetCurrentThreadId();
    EnterCriticalSection(&m_guard);
    if (m_locked.load(std::memory_order_relaxed) && m_count > 0 && m_owner == self && --m_count == 0)
    {
        if (m_first && m_passes >= kMaxPasses)
        {
            // Passed over often enough: the first waiter gets the lock now, whoever else wants it.
            Waiter* next = PopFirstWaiter();
            m_owner = next->thread;
            m_count = 1;
            next->granted.store(true, std::memory_order_release);
            // Woken under the guard: the waiter cannot leave (and take its record with it) before this.
            WakeConditionVariable(&next->wake);
        }
        else
        {
            m_locked.store(false, std::memory_order_relaxed);
            m_owner = 0;
            if (m_first && !m_firstAwake)
            {
                m_firstAwake = true;
                m_first->woken = true;
                WakeConditionVariable(&m_first->wake);
            }
        }
    }
    LeaveCriticalSection(&m_guard);
}

DWORD CThreadLock::GetOwner()
{
    EnterCriticalSection(&m_guard);
    const DWORD owner = m_owner;
    LeaveCriticalSection(&m_guard);
    return owner;
}

long CThreadLock::GetCount()
{
    EnterCriticalSection(&m_guard);
    const long count = m_count;
    LeaveCriticalSection(&m_guard);
    return count;
}

bool CThreadLock::IsLocked()
{
    EnterCriticalSection(&m_guard);
    const bool locked = m_locked.load(std::memory_order_relaxed);
    LeaveCriticalSection(&m_guard);
    return locked;
}

long CThreadLock::GetWaiterCount()
{
    EnterCriticalSection(&m_guard);
    const long waiters = m_waiters;
    LeaveCriticalSection(&m_guard);
    return waiters;
}

long CThreadLock::GetWaitCount()
{
    EnterCriticalSection(&m_guard);
    const long waits = m_waits;
    LeaveCriticalSection(&m_guard);
    return waits;
}

HANDLE CreateEventObject()
{
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (event)
        ResetEvent(event);
    return event;
}

bool WaitForEvent(HANDLE event, DWORD milliseconds)
{
    if (!event)
        return false;
    return WaitForSingleObject(event, milliseconds) == WAIT_OBJECT_0;
}
