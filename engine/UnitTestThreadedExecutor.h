// Thread base of the executors: one worker thread with started and finished events, a keep-running flag that
// the body polls, and a wait that keeps the calling thread's messages flowing.
#pragma once

#include <windows.h>

#include <atomic>

class CUnitTestThreadedExecutor
{
public:
    CUnitTestThreadedExecutor();
    virtual ~CUnitTestThreadedExecutor();

    CUnitTestThreadedExecutor(const CUnitTestThreadedExecutor&) = delete;
    CUnitTestThreadedExecutor& operator=(const CUnitTestThreadedExecutor&) = delete;

    // Ends any earlier thread, then starts a new one; true once the new thread has begun.
    virtual bool Start();
    // Clears keep-running, waits (pumping messages) for a running thread and releases it; false when no
    // thread was running.
    virtual bool Stop();
    // The thread body; false in the base.
    virtual bool Run();
    // Called on the thread after Run; nothing in the base.
    virtual bool OnRunComplete();
    virtual bool IsKeepRunning();
    virtual void SetKeepRunning(bool keepRunning);
    // Waits until the thread has finished, dispatching the calling thread's messages every 100 ms at most.
    // Returns at once (false) when no thread is running.
    virtual bool WaitWithMessagePump();
    // Waits without time-out for the started event.
    virtual bool WaitStarted();

    bool IsThreadRunning() const { return m_threadRunning.load(); }
    bool GetRunResult() const { return m_runResult.load(); }
    DWORD GetThreadId() const { return m_threadId; }

protected:
    static DWORD WINAPI ThreadRoutine(LPVOID parameter);

    HANDLE m_thread = nullptr;
    DWORD m_threadId = 0;
    HANDLE m_startedEvent = nullptr;
    HANDLE m_finishedEvent = nullptr;
    std::atomic<bool> m_keepRunning{true};
    std::atomic<bool> m_runResult{false};
    std::atomic<bool> m_threadRunning{false};
};
