// CMainDialogRunObserver: the main dialog's ear on the engine. It turns the run notifications that the
// engine gives on its worker thread into messages posted to the dialog's window, and calls the dialog's
// run-ended operation directly. A test's start and end are posted at most once at a time each: while one
// waits in the dialog's queue, later ones only update the number it will read (a run of many quick tests
// would otherwise fill the queue, whose length the system limits).
#pragma once

#include <windows.h>

#include <atomic>

#include "engine/UnitTestRunObserver.h"

class CQuorvexDlg;

class CMainDialogRunObserver : public CUnitTestRunObserver
{
public:
    // The dialog and its window receive the notifications from now on; nothing of an earlier window is
    // counted as waiting.
    void Attach(CQuorvexDlg* dialog, HWND window);
    // Nothing is posted or called any more.
    void Detach();
    bool IsAttached() const { return m_window.load() != nullptr; }

    void OnTestStarted(long index) override;
    void OnTestFinished(long index, const CUnitTestCounts& counts) override;
    void OnRunEnded() override;
    void OnLogUpdated() override;

    // The dialog's side: the latest number, and the next notification of that kind may be posted again.
    long TakeTestStarted();
    long TakeTestFinished();

private:
    std::atomic<CQuorvexDlg*> m_dialog{nullptr};
    std::atomic<HWND> m_window{nullptr};
    std::atomic<long> m_latestStarted{0};
    std::atomic<long> m_latestFinished{0};
    std::atomic<bool> m_startedPosted{false};
    std::atomic<bool> m_finishedPosted{false};
};
