// CWinThread: a thread's message pump with idle processing and message pre-translation; the
// application object is the main thread's CWinThread. AfxGetThread gives the calling thread's
// object (null on threads that have none).
#pragma once

#include "framework/CmdTarget.h"

class CWnd;

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)

public:
    // Becomes the current thread object of the constructing thread unless it already has one.
    CWinThread();
    ~CWinThread() override;

    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // The thread's main window: receives idle command-UI updates and stops pre-translation walks.
    CWnd* m_pMainWnd = nullptr;
    DWORD m_nThreadID;

    virtual CWnd* GetMainWnd();
    // Offers a message to the framework windows from its target up to the main window.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Idle work: count 0 updates the main window's bars and controls (WM_IDLEUPDATECMDUI);
    // count 1 deletes temporary handle objects. Returns TRUE while more idle work remains.
    virtual BOOL OnIdle(LONG lCount);
    // Takes and dispatches one message; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // Pumps until WM_QUIT and returns its exit code.
    virtual int RunMessageLoop();

    MSG m_msgCur = {};

protected:
    POINT m_ptCursorLast = {-1, -1};
    UINT m_nMsgLast = 0;
};

CWinThread* AfxGetThread();
// The current thread's main window, else the application's.
CWnd* AfxGetMainWnd();
// Pre-translation for loops the framework runs itself (modal loops): the thread object's, or a
// walk over the target's framework windows when the thread has none.
BOOL AfxPreTranslateMessage(MSG* pMsg);
void AfxPostQuitMessage(int nExitCode);
// The end of command routing in dialogs and frames: plain commands and their updates (not
// notifications) go on to the thread object, then to the application object.
BOOL AfxRouteCmdToThreadAndApp(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

// Counts the message loops running on this thread, so that only the outermost one deletes
// temporary objects (an inner loop runs inside a handler that may still hold such pointers).
class AfxMessageLoopScope
{
public:
    AfxMessageLoopScope();
    ~AfxMessageLoopScope();
    AfxMessageLoopScope(const AfxMessageLoopScope&) = delete;
    AfxMessageLoopScope& operator=(const AfxMessageLoopScope&) = delete;
    bool IsOutermost() const;
};
