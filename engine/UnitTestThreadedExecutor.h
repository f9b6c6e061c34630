// Thread base of the executors: the foundation's worker thread (started and finished events, keep-running
// flag, guarded start, stop and waits) with keep-running read and written through virtual operations, and
// waits that keep the calling thread's messages flowing (the worker and the suites' threads send messages
// to the user-interface thread while it waits for them).
#pragma once

#include <windows.h>

#include "foundation/CommThreadedExecutor.h"

class CUnitTestThreadedExecutor : public CCommThreadedExecutor
{
public:
    CUnitTestThreadedExecutor() = default;
    ~CUnitTestThreadedExecutor() override = default;

    // Clears keep-running, waits (pumping messages) for a running thread and releases it; false when no
    // thread was running. On the thread itself only the request stands.
    bool Stop() override;
    virtual bool IsKeepRunning();
    virtual void SetKeepRunning(bool keepRunning);
    // Waits until the thread has finished, dispatching the calling thread's messages every 100 ms at most.
    // Returns at once (false) when no thread is running or when called on the thread itself.
    virtual bool WaitWithMessagePump();
    // The same for at most timeoutMs milliseconds: true when the thread has finished, false when the time
    // ran out first (the thread goes on) or when there is no thread to wait for.
    bool WaitWithMessagePumpFor(DWORD timeoutMs);

    bool IsThreadRunning() const { return CCommThreadedExecutor::IsRunning(); }
};
