// CUnitTestElapsedTimeTimer: while armed, asks the main dialog twice a second (and at once on arming) to
// refresh its elapsed-time field by posting WM_QVX_ELAPSED_TIME_TICK to it.
#pragma once

#include "foundation/CommSystemTimer.h"
#include "ui/UiMessageIds.h"

class CWnd;

class CUnitTestElapsedTimeTimer : public CCommSystemTimer
{
public:
    static constexpr DWORD kInterval = 500;

    CUnitTestElapsedTimeTimer();
    // Ends the timer thread before the target member goes.
    ~CUnitTestElapsedTimeTimer() override;

    // Runs on the timer thread: posts the tick to the target's window when a target is set.
    void OnTimer() override;

    // The window to notify; null: ticks post nothing.
    void SetTarget(CWnd* target) { m_target.store(target); }
    CWnd* GetTarget() const { return m_target.load(); }

private:
    std::atomic<CWnd*> m_target;
};
