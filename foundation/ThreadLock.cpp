#include "foundation/ThreadLock.h"

CThreadLock::CThreadLock()
    : m_locked(0), m_owner(0), m_count(0), m_releaseEvent(nullptr), m_waiters(0), m_releaseSignalled(false)
{
    InitializeCriticalSection(&m_held);
    InitializeCriticalSection(&m_guard);
    m_releaseEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (m_releaseEvent)
        ResetEvent(m_releaseEvent);
}

CThreadLock::~CThreadLock()
{
    DeleteCriticalSection(&m_held);
    DeleteCriticalSection(&m_guard);
    if (m_releaseEvent)
    {
        SetEvent(m_releaseEvent);
        CloseHandle(m_releaseEvent);
        m_releaseEvent = nullptr;
    }
}

void CThreadLock::Lock()
{
    const DWORD self = GetCurrentThreadId();
    bool waiting = false;
    for (;;)
    {
        bool acquired = false;
        EnterCriticalSection(&m_guard);
        if (m_locked)
        {
            if (m_owner == self)
            {
                ++m_count;
                acquired = true;
            }
            else if (!waiting)
            {
                ++m_waiters;
                waiting = true;
            }
        }
        else
        {
            // A releasing thread leaves the held section without taking the guard, so entering it here
            // while holding the guard cannot deadlock.
            EnterCriticalSection(&m_held);
            m_locked = 1;
            m_owner = self;
            if (m_releaseSignalled)
            {
                ResetEvent(m_releaseEvent);
                m_releaseSignalled = false;
            }
            ++m_count;
            if (waiting)
                --m_waiters;
            acquired = true;
        }
        LeaveCriticalSection(&m_guard);
        if (acquired)
            return;

        if (m_releaseEvent)
            WaitForSingleObject(m_releaseEvent, INFINITE);
        else
            Sleep(1); // no event could be made: poll instead of spinning hard
    }
}

void CThreadLock::Unlock()
{
    const DWORD self = GetCurrentThreadId();
    bool released = false;

    EnterCriticalSection(&m_guard);
    if (m_locked && m_count > 0 && m_owner == self)
    {
        if (--m_count == 0)
        {
            m_locked = 0;
            m_owner = 0;
            released = true;
            // Every waiter wakes and competes again; the first one to take the lock resets the event.
            // Signalled under the guard, so that it cannot land after the next owner's reset.
            if (m_waiters > 0 && m_releaseEvent && !m_releaseSignalled)
            {
                SetEvent(m_releaseEvent);
                m_releaseSignalled = true;
            }
        }
    }
    LeaveCriticalSection(&m_guard);

    if (released)
        LeaveCriticalSection(&m_held);
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
    const bool locked = m_locked != 0;
    LeaveCriticalSection(&m_guard);
    return locked;
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
