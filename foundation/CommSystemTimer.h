// Periodic timer on its own thread.
#pragma once

#include "foundation/CommThreadedExecutor.h"
#include "foundation/ThreadLock.h"

// A timer thread that starts with the object, wakes every interval (2000 ms unless set) and calls OnTimer
// while the timer is armed; Arm also causes an immediate tick. OnTimer runs on the timer thread: it must only
// post to windows or take locks of its own.
//
// Destruction: a subclass whose OnTimer uses its own members must end the timer thread before those members
// go, by calling Shutdown first thing in its destructor (or by being wrapped in CCommSystemTimerOwner below,
// which does exactly that). The base destructor alone cannot do it: by the time it runs the subclass part is
// already gone.
class CCommSystemTimer : public CCommThreadedExecutor
{
public:
    static constexpr DWORD DefaultInterval = 2000;

    CCommSystemTimer();
    ~CCommSystemTimer() override;

    // The timer loop; not meant to be replaced (subclasses implement OnTimer).
    bool Run() final;

    // The tick; does nothing in the base.
    virtual void OnTimer();
    // Arms the timer and wakes the thread for an immediate tick (an Arm that lands while a tick runs is taken
    // by that tick: the next one follows after the interval); false without a wake event.
    virtual bool Arm();
    // Disarms the timer; a tick in progress completes. False without a wake event.
    virtual bool Disarm();
    // Disarms and ends the timer thread, waiting for it; no tick runs after it returns. Safe to call again.
    virtual bool Shutdown();

    // Waits until a tick in progress has completed (returns at once when none runs); false without a done
    // event. Called by the owner after Disarm before it tears down what the tick uses. On the timer thread
    // itself it does not wait.
    bool WaitForCallback();

    DWORD GetInterval() const { return m_interval.load(); }
    // Takes effect from the next wait of the timer thread.
    void SetInterval(DWORD milliseconds) { m_interval.store(milliseconds); }
    bool IsArmed() const { return m_armed.load(); }
    bool IsInTick();

protected:
    std::atomic<DWORD> m_interval;
    HANDLE m_wakeEvent;
    HANDLE m_doneEvent;
    std::atomic<bool> m_armed;
    bool m_inTick; // guarded by m_lock
    CThreadLock m_lock;

private:
    bool EndThread();
};

// Wraps a timer subclass so that its thread is shut down before any part of the subclass is destroyed:
//   CCommSystemTimerOwner<CMyTimer> timer(arguments...);
template <class TTimer> class CCommSystemTimerOwner final : public TTimer
{
public:
    using TTimer::TTimer;
    ~CCommSystemTimerOwner() override { this->Shutdown(); }
};
