// The body of every worker thread: mark the thread running, signal the started event, run the work and
// the after-run hook (neither lets an exception out of the thread), record the result, signal the finished
// event last. Nothing of the owning object is touched after the finished event: the owner may destroy it
// as soon as it is signalled.
#pragma once

#include <windows.h>

#include <atomic>

template <class TRun, class TAfterRun>
DWORD RunExecutorThreadBody(std::atomic<bool>& running, std::atomic<bool>& runResult, HANDLE startedEvent,
                            HANDLE finishedEvent, TRun run, TAfterRun afterRun)
{
    running.store(true);
    if (startedEvent)
        SetEvent(startedEvent);
    bool result = false;
    try
    {
        result = run();
    }
    catch (...)
    {
        result = false;
    }
    runResult.store(result);
    try
    {
        afterRun();
    }
    catch (...)
    {
    }
    if (finishedEvent)
        SetEvent(finishedEvent);
    return result ? 1 : 0;
}
