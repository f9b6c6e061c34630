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
    if (!m_thread || IsCurrentThread())
        return false;
    // The thread handle is waited for too, so that a finished event already consumed by an earlier wait
    // cannot block this one for ever.
    HANDLE handles[2] = {m_finishedEvent, m_thread};
    const DWORD count = m_finishedEvent ? 2 : 1;
    HANDLE* waitFor = m_finishedEvent ? handles : handles + 1;
    for (;;)
    {
        const DWORD wait = MsgWaitForMultipleObjects(count, waitFor, FALSE, 100, QS_ALLINPUT);
        if (wait < WAIT_OBJECT_0 + count)
            break;
        if (wait == WAIT_FAILED)
        {
            WaitForSingleObject(m_thread, INFINITE);
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
