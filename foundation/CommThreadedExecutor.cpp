#include "foundation/CommThreadedExecutor.h"
#include "foundation/ExecutorThreadBody.h"
#include "foundation/ThreadLock.h"

CCommThreadedExecutor::CCommThreadedExecutor()
    : m_thread(nullptr), m_threadId(0), m_startedEvent(CreateEventObject()),
      m_finishedEvent(CreateEventObject()), m_keepRunning(true), m_runResult(false), m_running(false)
{
}

CCommThreadedExecutor::~CCommThreadedExecutor()
{
    // Virtual calls resolve to this class here: a subclass whose body uses its own members must stop the
    // thread in its own destructor.
    CCommThreadedExecutor::Stop();
    if (m_startedEvent)
        CloseHandle(m_startedEvent);
    if (m_finishedEvent)
        CloseHandle(m_finishedEvent);
    m_startedEvent = nullptr;
    m_finishedEvent = nullptr;
}

DWORD WINAPI CCommThreadedExecutor::ThreadRoutine(LPVOID parameter)
{
    CCommThreadedExecutor* self = static_cast<CCommThreadedExecutor*>(parameter);
    if (!self)
        return 0;
    return RunExecutorThreadBody(
        self->m_running, self->m_runResult, self->m_startedEvent, self->m_finishedEvent,
        [self] { return self->Run(); }, [self] { self->OnRunComplete(); });
}

bool CCommThreadedExecutor::IsCurrentThread() const
{
    return m_thread && m_threadId == ::GetCurrentThreadId();
}

void CCommThreadedExecutor::ResetThreadState()
{
    m_thread = nullptr;
    m_threadId = 0;
    m_keepRunning.store(true);
    m_running.store(false);
    m_runResult.store(false);
    if (m_startedEvent)
        ResetEvent(m_startedEvent);
    if (m_finishedEvent)
        ResetEvent(m_finishedEvent);
}

bool CCommThreadedExecutor::Start()
{
    Stop();
    ResetThreadState();

    DWORD id = 0;
    HANDLE thread =
        CreateThread(nullptr, 0, &CCommThreadedExecutor::ThreadRoutine, this, CREATE_SUSPENDED, &id);
    if (!thread)
        return false;

    m_thread = thread;
    m_threadId = id;
    if (ResumeThread(thread) == static_cast<DWORD>(-1))
    {
        // The thread never ran: it can be ended without harm.
        TerminateThread(thread, 0);
        CloseHandle(thread);
        m_thread = nullptr;
        m_threadId = 0;
        return false;
    }
    return WaitStarted();
}

bool CCommThreadedExecutor::Stop()
{
    m_keepRunning.store(false);
    if (m_thread && IsCurrentThread())
    {
        // The body asked to stop itself: waiting for our own end would never return. Only the request
        // stands; the owner's later Stop waits for the thread and releases it.
        return false;
    }

    bool waited = false;
    if (m_thread)
    {
        if (m_running.load())
            waited = WaitFinished();
        // The finished event comes just before the routine returns; let it return fully.
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
    }
    ResetThreadState();
    return waited;
}

bool CCommThreadedExecutor::Run()
{
    return false;
}

bool CCommThreadedExecutor::OnRunComplete()
{
    return false;
}

bool CCommThreadedExecutor::WaitFinished()
{
    // Without a thread there is nothing to wait for; on the thread itself the wait could never end.
    if (!m_thread || IsCurrentThread())
        return false;

    // The thread handle is waited for too, so that a finished event already consumed by an earlier wait
    // cannot block this one for ever.
    HANDLE handles[2] = {m_finishedEvent, m_thread};
    const DWORD result = m_finishedEvent ? WaitForMultipleObjects(2, handles, FALSE, INFINITE)
                                         : WaitForSingleObject(m_thread, INFINITE);
    const bool finished = result == WAIT_OBJECT_0 || (m_finishedEvent && result == WAIT_OBJECT_0 + 1);
    m_keepRunning.store(false);
    m_running.store(false);
    return finished;
}

bool CCommThreadedExecutor::WaitStarted()
{
    if (!m_thread)
        return false;
    if (IsCurrentThread())
        return true;
    HANDLE handles[2] = {m_startedEvent, m_thread};
    if (!m_startedEvent)
        return m_running.load();
    const DWORD result = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    if (result == WAIT_OBJECT_0)
        return true;
    // The thread ended before the started event could be seen; it began when the running flag was set.
    return result == WAIT_OBJECT_0 + 1 && WaitForEvent(m_startedEvent, 0);
}
