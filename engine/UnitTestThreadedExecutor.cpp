#include "UnitTestThreadedExecutor.h"

#include "ExecutorThreadBody.h"
#include "ThreadLock.h"

CUnitTestThreadedExecutor::CUnitTestThreadedExecutor()
{
    m_startedEvent = CreateEventObject();
    m_finishedEvent = CreateEventObject();
}

CUnitTestThreadedExecutor::~CUnitTestThreadedExecutor()
{
    // A derived destructor has stopped the thread already; this only covers the base used on its own.
    if (m_thread)
    {
        m_keepRunning = false;
        if (m_threadRunning)
            WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
    if (m_startedEvent)
        CloseHandle(m_startedEvent);
    if (m_finishedEvent)
        CloseHandle(m_finishedEvent);
}

DWORD WINAPI CUnitTestThreadedExecutor::ThreadRoutine(LPVOID parameter)
{
    CUnitTestThreadedExecutor* self = static_cast<CUnitTestThreadedExecutor*>(parameter);
    if (!self)
        return 0;
    return RunExecutorThreadBody(
        self->m_threadRunning, self->m_runResult, self->m_startedEvent, self->m_finishedEvent,
        [self] { return self->Run(); }, [self] { self->OnRunComplete(); });
}

bool CUnitTestThreadedExecutor::Start()
{
    Stop();
    m_thread = nullptr;
    m_threadId = 0;
    m_keepRunning = true;
    m_threadRunning = false;
    m_runResult = false;
    if (m_startedEvent)
        ResetEvent(m_startedEvent);
    if (m_finishedEvent)
        ResetEvent(m_finishedEvent);
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, &ThreadRoutine, this, CREATE_SUSPENDED, &id);
    if (!thread)
        return false;
    m_thread = thread;
    m_threadId = id;
    if (ResumeThread(thread) == static_cast<DWORD>(-1))
    {
        CloseHandle(thread);
        m_thread = nullptr;
        m_threadId = 0;
        return false;
    }
    return WaitStarted();
}

bool CUnitTestThreadedExecutor::Stop()
{
    m_keepRunning = false;
    bool waited = false;
    if (m_threadRunning)
        waited = WaitWithMessagePump();
    if (m_thread)
    {
        // The finished event has been signalled; let the routine return before the handle goes.
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
    }
    m_thread = nullptr;
    m_threadId = 0;
    m_keepRunning = true;
    m_threadRunning = false;
    if (m_startedEvent)
        ResetEvent(m_startedEvent);
    if (m_finishedEvent)
        ResetEvent(m_finishedEvent);
    return waited;
}

bool CUnitTestThreadedExecutor::Run()
{
    return false;
}

bool CUnitTestThreadedExecutor::OnRunComplete()
{
    return false;
}

bool CUnitTestThreadedExecutor::IsKeepRunning()
{
    return m_keepRunning.load();
}

void CUnitTestThreadedExecutor::SetKeepRunning(bool keepRunning)
{
    m_keepRunning = keepRunning;
}

bool CUnitTestThreadedExecutor::WaitWithMessagePump()
{
    if (!m_thread || !m_finishedEvent)
        return false;
    for (;;)
    {
        DWORD wait = MsgWaitForMultipleObjects(1, &m_finishedEvent, FALSE, 100, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0)
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
    m_threadRunning = false;
    return true;
}

bool CUnitTestThreadedExecutor::WaitStarted()
{
    return WaitForEvent(m_startedEvent, INFINITE);
}
