// The results tree of the main dialog: one root entry per test that started, its error, warning and
// information messages below it with a time stamp, five sets that classify entries (failed tests, warned
// tests, error, warning and information messages), grouping of very long logs into "Log Result Group"
// entries, and the export of what it shows to a text file.
#pragma once

#include <atomic>
#include <vector>

#include "ui/controls/BaseTreeControl.h"
#include "foundation/DravikMap.h"
#include "foundation/DravikString.h"
#include "ui/UiMessageIds.h"

class CFileInterface;
class CUnitTestLogDisplay;

class CUnitTestLogDisplayEntry : public CBaseTreeControlEntry
{
public:
    enum Kind
    {
        KindTest = 0,
        KindGroup = 1,
        KindMessage = 2
    };

    CUnitTestLogDisplayEntry() = default;

    // One picture for both states: tests and groups 6 failed, 5 warned, 3 without and 4 with children;
    // messages 1 error, 2 warning, 0 information. Outputs unchanged for another kind or without a tree.
    void GetImages(int* image, int* selectedImage) override;

    int GetKind() const { return m_nKind; }
    void SetKind(int kind) { m_nKind = kind; }

private:
    int m_nKind = KindMessage;
};

class CUnitTestLogDisplay : public CBaseTreeControl
{
public:
    // Messages per "Log Result Group".
    static constexpr int kDefaultGroupSize = 30000;
    // Picture indexes of the strip.
    enum Image
    {
        ImageInformation = 0,
        ImageError = 1,
        ImageWarning = 2,
        ImageTestEmpty = 3,
        ImageTestClean = 4,
        ImageTestWarned = 5,
        ImageTestFailed = 6
    };

    CUnitTestLogDisplay();
    ~CUnitTestLogDisplay() override;

    BOOL SetupImageList() override;
    CBaseTreeControlEntry* CreateEntry() override;

    // ---- Used by the dialog's log sink, under its lock ----
    // A root entry "%ld. %s" that becomes the current test; false for an empty name.
    bool AddTest(CDravikString name, long number);
    bool CollapseCurrentTest();
    // True when there is a current test and no error or warning line stands under it.
    bool IsCurrentTestClean() const;
    // Closes the open group and the current test.
    bool EndTest();
    // A message under the current test (or its open group). stamp is the time it was logged, when that
    // was earlier than now.
    bool AddError(CDravikString text, const char* stamp = nullptr);
    bool AddWarning(CDravikString text, const char* stamp = nullptr);
    bool AddInformation(CDravikString text, const char* stamp = nullptr);
    // Deletes every entry, empties the five sets and forgets the current test and group.
    bool ClearResults();

    // ---- Counts (read by the dialog) ----
    // Messages being moved by a regrouping in steps count as what they were.
    long GetErrorCount() const { return m_errorMessages.GetCount() + m_regroupMoving[0]; }
    long GetWarningCount() const { return m_warningMessages.GetCount() + m_regroupMoving[1]; }
    long GetInformationCount() const { return m_infoMessages.GetCount() + m_regroupMoving[2]; }
    long GetMessageCount() const { return GetErrorCount() + GetWarningCount() + GetInformationCount(); }
    long GetFailedTestCount() const { return m_failedTests.GetCount(); }
    long GetWarnedTestCount() const { return m_warnedTests.GetCount(); }
    // Number of test entries among the root items of the tree view (the tests that started).
    long CountTests();

    // ---- Results export ----
    // Writes the summary and one block per root entry to path (replacing the file). False, with no file
    // touched, for an empty tree; false when the file cannot be made or any write fails (the file is
    // closed in every case).
    bool ExportToFile(CDravikString path, CDravikString suiteName, CDravikString runTime);
    bool WriteSummary(CFileInterface* file, CDravikString suiteName, CDravikString runTime);
    bool WriteTestBlock(CFileInterface* file, CUnitTestLogDisplayEntry* entry);
    // The lines of a group's messages; true when any line was written and none failed.
    bool WriteGroupMessages(CFileInterface* file, CUnitTestLogDisplayEntry* group);
    bool WriteMessageLine(CFileInterface* file, CUnitTestLogDisplayEntry* entry);
    // The text and CR LF as 8-bit bytes; false when the file is not open or the write fails.
    virtual bool WriteLine(CFileInterface* file, CDravikString text);

    // ---- Classification ----
    bool IsErrorEntry(const CBaseTreeControlEntry* entry) const;
    bool IsWarningEntry(const CBaseTreeControlEntry* entry) const;

    // Regrouping in steps: when a test first outgrows a group, its messages move into group 1 a few at a
    // time with each message that follows and in slices of the window's thread between messages (all at
    // once when the results are exported or another test outgrows its group), instead of in one go that
    // keeps the window's thread busy for a long time. Off by default; the dialog's log sink, which feeds the
    // tree in time slices, switches it on. Regroupings of fewer than kRegroupStepThreshold messages are
    // always done at once.
    void SetRegroupInSteps(bool inSteps) { m_bRegroupInSteps = inSteps; }
    bool IsRegrouping() const { return m_pRegroupGroup != nullptr; }
    // Completes a regrouping in progress now.
    void FinishRegroup();
    static constexpr size_t kRegroupStepThreshold = 1000;
    // Messages deleted or copied per message added while a regrouping is in progress.
    static constexpr size_t kRegroupStepsPerMessage = 8;
    // Private message that asks for the next slice of a regrouping, and the slice's length.
    static constexpr UINT kContinueRegroupMessage = WM_QVX_TREE_CONTINUE_REGROUP;
    static constexpr UINT_PTR kContinueRegroupTimer = QVX_TIMER_TREE_CONTINUE_REGROUP;
    static constexpr DWORD kRegroupSliceMilliseconds = 25;

    // Messages per group; tests use small groups. Values below 1 are refused.
    bool SetGroupSize(int size);
    int GetGroupSize() const { return m_nGroupSize; }
    CUnitTestLogDisplayEntry* GetCurrentTest() const { return m_pCurrentTest; }
    CUnitTestLogDisplayEntry* GetCurrentGroup() const { return m_pCurrentGroup; }
    long GetGroupCount() const { return m_nGroupCount; }
    long GetMessagesInCurrentGroup() const { return m_nMessagesInGroup; }
    // Whether painting is held back because messages are arriving (see DeferRedraw).
    bool IsRedrawDeferred() const { return m_redrawDeferred.load(); }
    // While painting is held back, whether the tree should catch up before more entries arrive: the
    // flush period is over, or kCatchUpEntries entries were added since the tree view last laid its
    // items out. The tree view measures every item added while its redrawing was off when it is switched
    // back on, so the entries between two catch-ups bound how long one keeps the window's thread.
    bool IsCatchUpDue() const;
    // Catches up when due: the flush when the period is over, otherwise the tree view lays out what was
    // added, with the screen left as it is (on the window's thread). A feeder that works in slices ends
    // its slice and calls this when IsCatchUpDue says so; entries added in a loop catch up by themselves.
    void CatchUp();
    // Whether part of the tree waits to be painted.
    bool IsPaintWaiting() const;
    // Entries added since the tree view last laid its items out (0 while painting is not held back).
    long GetEntriesNotLaidOut() const { return m_nNotLaidOut; }
    static constexpr long kCatchUpEntries = 1000;

    // Private messages and timer of the coalesced painting.
    static constexpr UINT kFlushRedrawMessage = WM_QVX_TREE_FLUSH_REDRAW;
    static constexpr UINT_PTR kFlushRedrawTimer = QVX_TIMER_TREE_FLUSH_REDRAW;
    static constexpr UINT kFlushRedrawMilliseconds = 100;

protected:
    // Painting while entries arrive: every insertion into an open (visible) part of a tree view costs a
    // repaint and a scroll-bar update, which makes a flood of messages slow and keeps the window's thread
    // busy. The first entry of a burst paints what is waiting, switches the tree view's redrawing off and
    // posts a flush request; the window's thread answers it with a timer, and the timer switches redrawing
    // back on, scrolls the newest entry into view and has the whole tree painted. So the tree is
    // repainted at most every 100 ms while messages flood in, and within 100 ms after the last one; in
    // between, the screen keeps the rows it showed (a tree view asked to paint while its redrawing is off
    // only erases them).
    void DeferRedraw();
    afx_msg LRESULT OnFlushRedrawRequest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR id);
    // While painting is held back: the area to paint is left as the screen shows it (the flush paints the
    // whole tree), and the background is not erased.
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg LRESULT OnContinueRegroup(WPARAM wParam, LPARAM lParam);
    // A slice of the regrouping in progress; asks for the next one while any is left.
    void RegroupSlice();
    // Switches redrawing back on, scrolls the newest entry into view and has the whole tree painted (on
    // the window's thread).
    void FlushRedraw();
    // The tree view lays out the entries added while its redrawing was off, and with scrollToNewest
    // scrolls the newest into view and keeps redrawing on; the screen is left as it is.
    void LayOutUnseen(bool scrollToNewest);
    // Whether the flush period has passed since painting was last held back.
    bool IsFlushPeriodOver() const;

    CUnitTestLogDisplayEntry* InsertLogEntry(CDravikString text, int kind, CUnitTestLogDisplayEntry* parent);
    CUnitTestLogDisplayEntry* AddMessage(CDravikString text, const char* stamp);
    bool StartNewGroup();
    void UpdateGroupCaption();
    bool RegroupCurrentTest();
    // Deletes old messages, then copies them into group 1, up to steps at a time; ends the regrouping when
    // everything has moved.
    void ContinueRegroup(size_t steps);
    void EndRegroup();
    // Forgets a regrouping in progress (the entries go with the tree).
    void AbandonRegroup();
    bool MarkTestFailed();
    bool MarkTestWarned();
    bool UnmarkTestWarned();
    // The entry into the set, then its picture.
    bool MarkMessage(CDravikMap& set, CUnitTestLogDisplayEntry* entry);
    bool MarkErrorMessage(CUnitTestLogDisplayEntry* entry);
    bool MarkWarningMessage(CUnitTestLogDisplayEntry* entry);
    bool MarkInfoMessage(CUnitTestLogDisplayEntry* entry);
    bool MoveMapMembership(CDravikMap* set, CBaseTreeControlEntry* oldEntry, CBaseTreeControlEntry* newEntry);
    static bool SetContains(const CDravikMap& set, const CBaseTreeControlEntry* entry);
    static bool AddToSet(CDravikMap& set, CBaseTreeControlEntry* entry);
    static bool RemoveFromSet(CDravikMap& set, CBaseTreeControlEntry* entry);
    // A string-table format, loaded once.
    const CDravikString& Format(int id);
    CDravikString FormatGroupCaption(long group, long first, long last);

    CDravikMap m_failedTests;
    CDravikMap m_warnedTests;
    CDravikMap m_errorMessages;
    CDravikMap m_warningMessages;
    CDravikMap m_infoMessages;
    CUnitTestLogDisplayEntry* m_pCurrentTest;
    CUnitTestLogDisplayEntry* m_pCurrentGroup;
    long m_nGroupCount;
    long m_nMessagesInGroup;
    int m_nGroupSize;

    // A regrouping in progress: the old message entries (deleted oldest first), what each said and which
    // set it was in (0 error, 1 warning, 2 information, -1 none), and how many of each set are on the move.
    struct RegroupMessage
    {
        CDravikString text;
        int set;
    };
    std::vector<CUnitTestLogDisplayEntry*> m_regroupOld;
    std::vector<RegroupMessage> m_regroupMessages;
    size_t m_nRegroupDeleted = 0;
    size_t m_nRegroupCopied = 0;
    CUnitTestLogDisplayEntry* m_pRegroupGroup = nullptr;
    CUnitTestLogDisplayEntry* m_pRegroupTest = nullptr;
    // The regrouped test was folded meanwhile (it stays folded when the regrouping ends).
    bool m_bRegroupTestFolded = false;
    long m_regroupMoving[3] = {0, 0, 0};
    bool m_bRegroupInSteps = false;

    std::atomic<bool> m_redrawDeferred{false};
    // The tree view's redrawing is off until the next flush: paints leave the screen as it is.
    bool m_bPaintHeldBack = false;
    // When painting was last held back.
    DWORD m_deferredSince = 0;
    // Entries added since the tree view last laid its items out.
    long m_nNotLaidOut = 0;
    std::atomic<HTREEITEM> m_lastShownItem{nullptr};
    // Above 0 while a long change (regrouping) needs redrawing off: flushes wait for its end.
    std::atomic<int> m_redrawHolds{0};

    DECLARE_MESSAGE_MAP()

private:
    static const int kFormatCount = 9;
    CDravikString m_formats[kFormatCount];
    int m_formatIds[kFormatCount];
};
