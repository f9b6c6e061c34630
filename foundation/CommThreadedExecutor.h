// Base of every object that owns one worker thread.
#pragma once

#include <windows.h>
#include <atomic>

// Owns one worker thread. Start creates the thread suspended, resumes it and returns once the thread has
// begun; the thread runs Run, then OnRunComplete, and signals the finished event. The keep-running flag is
// polled by Run; Stop clears it and waits until the body has returned (it never terminates a thread).
class CCommThreadedExecutor
{
public:
    CCommThreadedExecutor();
    virtual ~CCommThreadedExecutor();

    CCommThreadedExecutor(const CCommThreadedExecutor&) = delete;
    CCommThreadedExecutor& operator=(const CCommThreadedExecutor&) = delete;

    // Ends any earlier thread, then starts a new one; true once the new thread has begun.
    virtual bool Start();
    // Clears keep-running, waits for a running thread and releases it; false when no thread was running.
    virtual bool Stop();
    // The thread body; returns false in the base.
    virtual bool Run();
    // Called on the thread after Run; does nothing and returns false in the base.
    virtual bool OnRunComplete();
    // Waits without time-out until the thread has finished; false when there is no thread.
    virtual bool WaitFinished();
    // Waits without time-out until the thread has begun; false when there is no thread.
    virtual bool WaitStarted();

    bool IsKeepRunning() const { return m_keepRunning.load(); }
    void SetKeepRunning(bool keepRunning) { m_keepRunning.store(keepRunning); }
    // True from the moment the thread begins until it has been waited for.
    bool IsRunning() const { return m_running.load(); }
    // What Run returned (false until a thread has finished).
    bool GetRunResult() const { return m_runResult.load(); }
    HANDLE GetThreadHandle() const { return m_thread; }
    DWORD GetThreadId() const { return m_threadId; }
    HANDLE GetStartedEvent() const { return m_startedEvent; }
    HANDLE GetFinishedEvent() const { return m_finishedEvent; }
    // True when called on this object's own worker thread.
    bool IsCurrentThread() const;

protected:
    // The thread routine shared by every thread of this family. C++ exceptions thrown by Run or
    // OnRunComplete are caught here and count as a false result; the finished event is signalled anyway.
    static DWORD WINAPI ThreadRoutine(LPVOID parameter);

    void ResetThreadState();

    HANDLE m_thread;
    DWORD m_threadId;
    HANDLE m_startedEvent;
    HANDLE m_finishedEvent;
    std::atomic<bool> m_keepRunning;
    std::atomic<bool> m_runResult;
    std::atomic<bool> m_running;
};
