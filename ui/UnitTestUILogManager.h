// The log sink of dialog mode: turns the engine's log calls (from the executor's worker thread and from
// the suites' own threads) into entries of the results tree and tells the main dialog when messages were
// shown.
//
// Only the thread that owns the tree touches it. A call on any other thread records what it has to show
// (with the message's time stamp) and wakes the tree's thread with one posted message; that thread shows
// the records in slices of a few tens of milliseconds, so that it keeps answering the user however fast
// the suite logs, and it never waits for a thread that logs. A call on the tree's own thread first shows
// what is waiting, then its own message at once.
#pragma once

#include <windows.h>

#include "foundation/DravikString.h"
#include "ui/MessageAwareLock.h"
#include "ui/PendingResults.h"
#include "engine/UnitTestLogManager.h"
#include "ui/UiMessageIds.h"

class CUnitTestLogDisplay;

class CUnitTestUILogManager : public CUnitTestBaseLogManager
{
public:
    CUnitTestUILogManager();
    ~CUnitTestUILogManager() override;

    // The run's begin adds nothing; its end lets the tree repaint.
    void LogRunBegin(const char* suiteName, long selectedCount) override;
    void LogRunEnd(const char* suiteName) override;
    bool LogTestBegin(CDravikString testName, long index) override;
    // Folds the current test when no error and no warning line stands under it in the tree, then ends it.
    // The counts the engine passes with the test's end are not needed for that.
    bool LogTestEnd(CDravikString testName, const CUnitTestCounts& counts) override;
    // "%s" without a line (-1), else "[Line %ld] %s"; always marks the application's errors-reported flag.
    bool LogError(CDravikString text, long line) override;
    // Always "[Line %ld] %s", also with -1.
    bool LogWarning(CDravikString text, long line) override;
    bool LogInformation(CDravikString text) override;
    // Raw output is not shown in dialog mode.
    bool WriteText(CDravikString& text) override;
    // Clears the results tree: at once on the tree's thread (forgetting what waits to be shown), else in
    // its turn after what was logged before.
    bool Clear() override;

    // Posts the log-updated notification to the main dialog through the application.
    void NotifyLogUpdated();

    // The tree that receives the entries (set by the main dialog's initialisation; null before), handed
    // over on the thread that owns the tree's window. Messages that arrive without a tree are dropped;
    // taking the tree away forgets what waits to be shown.
    void SetTree(CUnitTestLogDisplay* tree);
    CUnitTestLogDisplay* GetTree() const { return m_pTree; }

    // ---- On the tree's thread ----
    // Whether logged records wait to be shown.
    bool HasPending();
    // Shows everything that waits, now (the dialog calls it when a run has ended).
    void DeliverPending();

    // Time one slice of showing may take before the thread answers its other messages.
    static constexpr DWORD kDeliverSliceMilliseconds = 40;
    // Private message and timer of the wake-up window.
    static constexpr UINT kDeliverMessage = WM_QVX_SINK_DELIVER;
    static constexpr UINT_PTR kDeliverTimer = QVX_TIMER_SINK_DELIVER;

private:
    // Every operation holds the sink for its whole length. The tree's thread answers sent messages while
    // it waits for the sink.
    class CSinkHold
    {
    public:
        explicit CSinkHold(CUnitTestUILogManager& sink);
        ~CSinkHold();
        CSinkHold(const CSinkHold&) = delete;
        CSinkHold& operator=(const CSinkHold&) = delete;

    private:
        CUnitTestUILogManager& m_sink;
    };
    bool IsTreeThread() const;

    // Records one log call for the tree's thread and wakes it when it is not awake already (any thread
    // but the tree's, holding the sink). False when there is no tree or no memory.
    bool Enqueue(int kind, long number, const char* text, bool stamped);
    // An error, warning or information line (as shown): recorded on other threads, shown at once on the
    // tree's thread. False for an empty line.
    bool ShowMessage(int kind, CDravikString& line);
    // Shows records until none waits or the budget (milliseconds, 0 for none) is spent; true when all
    // were shown. Counts the messages shown into *messages.
    bool Deliver(DWORD budget, long* messages);
    // Shows one record on the tree.
    bool Apply(const CPendingResults::Record& record, const char* text);
    // The wake-up window's work: a slice, then another one later when records remain.
    void OnWake();
    // Forgets every waiting record (tree's thread).
    void DiscardPending();
    bool CreateWakeWindow();
    void DestroyWakeWindow();
    static LRESULT CALLBACK WakeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    CUnitTestLogDisplay* m_pTree;
    // The thread that owns the tree (0 without a tree).
    volatile DWORD m_treeThreadId;
    CMessageAwareLock m_gate;
    CDravikString m_errorFormat;
    CDravikString m_errorLineFormat;
    CDravikString m_warningFormat;

    // Filled by the threads that log, under m_queueLock.
    CRITICAL_SECTION m_queueLock;
    CPendingResults m_pending;
    // A wake-up is posted or a slice is due: the threads that log need not post another.
    bool m_wakeArmed;
    // Being shown by the tree's thread (only that thread touches these).
    CPendingResults m_delivering;
    size_t m_nDeliverIndex;
    HWND m_hWake;
    // The last wake-up let a waiting paint of the tree go first.
    bool m_bYieldedToPaint;
};
