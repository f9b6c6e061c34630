#include "engine/UnitTestThreadedExecutor.h"

bool CUnitTestThreadedExecutor::Stop()
{
    SetKeepRunning(false);
    if (m_thread && IsCurrentThread())
        return false;
    bool waited = false;
    if (m_running.load())
        waited = WaitWithMessagePump();
    // The thread has finished (or never ran): the base lets its routine return and releases it.
    CCommThreadedExecutor::Stop();
    return waited;
}

bool CUnitTestThreadedExecutor::IsKeepRunning()
{
    return CCommThreadedExecutor::IsKeepRunning();
}

void CUnitTestThreadedExecutor::SetKeepRunning(bool keepRunning)
{
    CCommThreadedExecutor::SetKeepRunning(keepRunning);
}

bool CUnitTestThreadedExecutor::WaitWithMessagePump()
{
    return WaitWithMessagePumpFor(INFINITE);
}

bool CUnitTestThreadedExecutor::WaitWithMessagePumpFor(DWORD timeoutMs)
{
    if (!m_thread || IsCurrentThread())
        return false;
    // The thread handle is waited for too, so that a finished event already consumed by an earlier wait
    // cannot block this one for ever.
    HANDLE handles[2] = {m_finishedEvent, m_thread};
    const DWORD count = m_finishedEvent ? 2 : 1;
    HANDLE* waitFor = m_finishedEvent ? handles : handles + 1;
    const DWORD start = GetTickCount();
    for (;;)
    {
        DWORD step = 100;
        if (timeoutMs != INFINITE)
        {
            const DWORD spent = GetTickCount() - start;
            if (spent >= timeoutMs)
            {
                // One last look without waiting: the thread may have finished just now.
                if (WaitForMultipleObjects(count, waitFor, FALSE, 0) < WAIT_OBJECT_0 + count)
                    break;
                return false;
            }
            if (timeoutMs - spent < step)
                step = timeoutMs - spent;
        }
        const DWORD wait = MsgWaitForMultipleObjects(count, waitFor, FALSE, step, QS_ALLINPUT);
        if (wait < WAIT_OBJECT_0 + count)
            break;
        if (wait == WAIT_FAILED)
        {
            if (WaitForSingleObject(m_thread, timeoutMs == INFINITE ? INFINITE : 0) != WAIT_OBJECT_0)
                return false;
            break;
        }
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    m_keepRunning = false;
    m_running = false;
    return true;
}
