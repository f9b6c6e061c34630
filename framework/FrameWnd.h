// CFrameWnd: a top-level frame that lays out its control bars and its client (the pane window),
// delays layout to idle time, shows status texts in its status bar and translates accelerators.
#pragma once

#include "framework/FrameworkIds.h"
#include "framework/Wnd.h"

// The frame's window ids (AFX_IDW_), its commands (ID_WINDOW_, ID_HELP), the idle text and the
// help-context bases are in framework/FrameworkIds.h.

// Frame styles.
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L

// Frame state flags (m_nFrameFlags).
#define FS_MENULOADED 0x0001   // the frame's menu came from its resource: the frame destroys it
#define FS_STAYACTIVE 0x0002   // not read by the frame: the stay-active flag is WF_STAYACTIVE of m_nFlags

// WM_FLOATSTATUS (wParam): a frame tells its floating windows (owned framework popups) about its
// state; FS_SYNCACTIVE asks a window whether it keeps the frame's caption active (non-zero answer).
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40

// Control bar styles.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout modes of dynamic bars.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)

public:
    // Idle work the frame owes (m_nIdleFlags).
    enum
    {
        idleMenu = 1,
        idleTitle = 2,
        idleNotify = 4,
        idleLayout = 8
    };

    CFrameWnd() = default;

    // A rectangle that lets the system choose position and size (CW_USEDEFAULT).
    static const CRect rectDefault;

    // Lays out the control bars, then gives the rest to the pane window (AFX_IDW_PANE_FIRST).
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Marks the layout for the next idle time (flag 8); idle time lays out once.
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    BOOL IsLayoutDelayed() const { return (m_nIdleFlags & idleLayout) != 0; }
    // Idle work: a delayed layout (sent WM_IDLEUPDATECMDUI by the thread's idle loop).
    virtual void OnIdleUpdate();

    // The text shown for a string id: the string up to its first line feed.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    // Shows a text in the status bar (the child AFX_IDW_STATUS_BAR); no status bar shows nothing.
    void SetMessageText(LPCSTR lpszText);
    void SetMessageText(UINT nID);
    UINT GetLastMessageId() const { return m_nIDLastMessage; }

    // Accelerators translated before dispatch.
    BOOL LoadAccelTable(LPCSTR lpszResourceName);
    HACCEL GetDefaultAccelerator() const { return m_hAccelTable; }
    void SetAccelerators(HACCEL hAccel) { m_hAccelTable = hAccel; }
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Help mode (context help pick) and frame state flags. While m_bHelpMode is set the frame's
    // pick loop runs (OnContextHelp) and command bars pass keys on and answer hit tests for help.
    BOOL m_bHelpMode = FALSE;
    UINT m_nFrameFlags = 0;
    UINT m_nIdleFlags = 0;
    BOOL m_bAutoMenuEnable = TRUE;
    HMENU m_hMenuDefault = nullptr;

    // ---- frame resources, routing, activation and help
    // The resource id the frame was loaded from (LoadFrame): menu, accelerators, icon and title
    // (the string's text up to its first line feed) share it.
    UINT m_nIDHelp = 0;
    // Creates the frame from resource nIDResource (menu loaded: FS_MENULOADED, m_hMenuDefault).
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW, CWnd* pParentWnd = nullptr);
    // The frame that holds the active document: this one; an MDI frame gives its active child.
    virtual CFrameWnd* GetActiveFrame();
    // Routes commands: the frame is the thread's routing frame meanwhile; then the thread and the
    // application objects get plain commands and updates the frame does not handle.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Sends WM_FLOATSTATUS(dwFlags) to the framework popups this frame owns.
    void NotifyFloatingWindows(DWORD dwFlags);
    // The caption state WM_NCACTIVATE asked for after the frame's rules: shown active while the
    // frame keeps itself active (WF_STAYACTIVE), inactive while the frame is disabled.
    BOOL GetNcActiveState(BOOL bActive) const;

    // Context help: OnContextHelp (ID_CONTEXT_HELP) captures the mouse and lets the user pick a
    // window; the first window under the pick (or its parents) that answers WM_HELPHITTEST with
    // non-zero names the help context. A menu or accelerator command during help mode gives its
    // context (id + HID_BASE_COMMAND) instead of running. Esc or a lost capture ends help mode.
    virtual BOOL CanEnterHelpMode();
    void OnContextHelp();
    void ExitHelpMode();
    // Shows help for a context; the default passes it to the application's WinHelp.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcActivateMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnDestroy();
    // WM_COMMANDHELP: lParam the help context, 0 for the last status-text id's command context.
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextHelpCommand();
    DECLARE_MESSAGE_MAP()

    // The window under a screen point that names a help context (WM_HELPHITTEST up the parents).
    static DWORD_PTR HelpHitTest(POINT ptScreen);

    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDLastMessage = 0;
    BOOL m_bInRecalcLayout = FALSE;
};
