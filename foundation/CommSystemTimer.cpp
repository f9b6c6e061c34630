#include "foundation/CommSystemTimer.h"

CCommSystemTimer::CCommSystemTimer()
    : m_interval(DefaultInterval), m_wakeEvent(CreateEventObject()), m_doneEvent(CreateEventObject()),
      m_armed(false), m_inTick(false)
{
    // The thread idles until the timer is armed.
    Start();
}

CCommSystemTimer::~CCommSystemTimer()
{
    EndThread();
    if (m_wakeEvent)
        CloseHandle(m_wakeEvent);
    if (m_doneEvent)
        CloseHandle(m_doneEvent);
    m_wakeEvent = nullptr;
    m_doneEvent = nullptr;
}

bool CCommSystemTimer::EndThread()
{
    m_armed.store(false);
    if (!m_wakeEvent)
        return false;
    SetKeepRunning(false);
    SetEvent(m_wakeEvent);
    return CCommThreadedExecutor::Stop();
}

bool CCommSystemTimer::Run()
{
    if (!m_wakeEvent || !m_doneEvent)
        return false;

    bool ticked = false;
    while (IsKeepRunning())
    {
        // The wake event is not reset before this wait: an Arm that came before the thread first got here
        // (right after construction) must still tick at once.
        WaitForSingleObject(m_wakeEvent, m_interval.load());
        if (!IsKeepRunning())
            break;
        // The armed flag is read under the lock that Disarm takes: once Disarm has returned, either this
        // tick is already marked in progress (and WaitForCallback waits for it) or it does not run.
        m_lock.Lock();
        if (!m_armed.load())
        {
            m_lock.Unlock();
            continue;
        }
        ResetEvent(m_doneEvent);
        m_inTick = true;
        m_lock.Unlock();

        try
        {
            OnTimer();
        }
        catch (...)
        {
            // A failing tick must not end the timer thread nor leave the in-tick flag set.
        }
        ticked = true;

        // An Arm that arrived during the tick is consumed here; the timer stays armed and ticks after the
        // interval. The reset happens before the tick is reported done, so an Arm made after WaitForCallback
        // has returned is never lost. A shutdown whose wake-up this consumes is seen by the loop condition.
        m_lock.Lock();
        ResetEvent(m_wakeEvent);
        m_inTick = false;
        SetEvent(m_doneEvent);
        m_lock.Unlock();
    }
    return ticked;
}

void CCommSystemTimer::OnTimer() {}

bool CCommSystemTimer::Arm()
{
    if (!m_wakeEvent)
        return false;
    m_armed.store(true);
    SetEvent(m_wakeEvent);
    return true;
}

bool CCommSystemTimer::Disarm()
{
    if (!m_wakeEvent)
        return false;
    m_lock.Lock();
    m_armed.store(false);
    m_lock.Unlock();
    return true;
}

bool CCommSystemTimer::Shutdown()
{
    Disarm();
    if (!m_wakeEvent)
        return false;
    return EndThread();
}

bool CCommSystemTimer::WaitForCallback()
{
    if (!m_doneEvent)
        return false;
    if (IsCurrentThread())
        return true; // called from inside the tick: waiting for ourselves would never end

    // The done event is auto-reset, so a second waiter could miss it; the in-tick flag is therefore read
    // again after every wake-up and the wait is re-armed in short steps.
    for (;;)
    {
        if (!IsInTick())
            return true;
        HANDLE thread = GetThreadHandle();
        HANDLE handles[2] = {m_doneEvent, thread};
        const DWORD result = WaitForMultipleObjects(thread ? 2 : 1, handles, FALSE, 50);
        if (result == WAIT_FAILED)
            return false;
    }
}

bool CCommSystemTimer::IsInTick()
{
    m_lock.Lock();
    const bool inTick = m_inTick;
    m_lock.Unlock();
    return inTick;
}
