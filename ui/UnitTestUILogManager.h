// The log sink of dialog mode: turns the engine's log calls (from the executor's worker thread and from
// the suites' own threads) into entries of the results tree and tells the main dialog after each message.
#pragma once

#include <windows.h>

#include "DravikString.h"
#include "MessageAwareLock.h"
#include "UnitTestLogManager.h"

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
    // Folds the current test when the executor's record of it shows no error and no warning, then ends it.
    bool LogTestEnd(CDravikString testName) override;
    // "%s" without a line (-1), else "[Line %ld] %s"; always marks the application's errors-reported flag.
    bool LogError(CDravikString text, long line) override;
    // Always "[Line %ld] %s", also with -1.
    bool LogWarning(CDravikString text, long line) override;
    bool LogInformation(CDravikString text) override;
    // Raw output is not shown in dialog mode.
    bool WriteText(CDravikString& text) override;
    // Clears the results tree (user-interface thread).
    bool Clear() override;

    // Posts the log-updated notification to the main dialog through the application.
    void NotifyLogUpdated();

    // The tree that receives the entries (set by the main dialog's initialisation; null before). Messages
    // that arrive without a tree are dropped.
    void SetTree(CUnitTestLogDisplay* tree);
    CUnitTestLogDisplay* GetTree() const { return m_pTree; }

private:
    // Every operation holds the sink for its whole length. The thread that owns the tree's window answers
    // sent messages while it waits: the holder may be sending it tree-view messages.
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

    CUnitTestLogDisplay* m_pTree;
    // The thread that owns the tree's window (0 without a tree).
    volatile DWORD m_treeThreadId;
    CMessageAwareLock m_gate;
    CDravikString m_errorFormat;
    CDravikString m_errorLineFormat;
    CDravikString m_warningFormat;
};
