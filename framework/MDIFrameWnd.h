// CMDIFrameWnd and CMDIChildWnd: the multiple-document frames over the system's MDI client.
//
// The frame's client area holds its bars and the MDI client window ("MDICLIENT", id
// AFX_IDW_PANE_FIRST, m_hWndMDIClient), which the frame's layout sizes like any pane window. The
// frame's default procedure is DefFrameProc, a child's DefMDIChildProc. Children are created and
// destroyed through the client (WM_MDICREATE, WM_MDIDESTROY); the client tells them about
// activation (WM_MDIACTIVATE), and each activation shows the active child's shared menu in the
// frame by WM_MDISETMENU to the client (the frame's own menu when no child is active), so a
// window that hooks the client sees every menu switch.
#pragma once

#include "framework/FrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)

public:
    CMDIFrameWnd() = default;

    HWND m_hWndMDIClient = nullptr;

    // Creates the MDI client; called from WM_CREATE with the frame's window menu (the popup of
    // the frame menu holding the window commands), to which the client adds its children.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The popup of a menu that holds the window commands (AFX_IDM_WINDOW_FIRST..LAST), or null.
    static HMENU PASCAL FindWindowMenuPopup(HMENU hMenu);

    // The active child (a framework child; null when none is active or it is not one).
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    HWND MDIGetActiveHwnd(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    void MDIPrev();
    void MDICascade();
    void MDITile(int nType = MDITILE_HORIZONTAL);
    void MDIIconArrange();
    // WM_MDISETMENU to the client; answers the menu shown before.
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);
    HMENU MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu);
    // Shows the active child's menu, else hMenuAlt, else the frame's own (m_hMenuDefault).
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);

    CFrameWnd* GetActiveFrame() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The active child gets commands first.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)

public:
    CMDIChildWnd() = default;

    // Creates the child through the frame's MDI client (WM_MDICREATE). The object is attached
    // before the child's first message.
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CMDIFrameWnd* pParentWnd = nullptr);
    // Creates the child in pParentWnd (an MDI frame; null: the main window) named by the text of
    // string nIDResource up to its first line feed (the next substring when that is empty); the id
    // stays in m_nIDHelp.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                   CWnd* pParentWnd = nullptr) override;
    // Destroys the child through the client (WM_MDIDESTROY), so the client activates another.
    BOOL DestroyWindow() override;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    // The MDI frame (the client's parent), or null.
    CMDIFrameWnd* GetMDIFrame() const;

    // The menu and accelerators this child's document kind shares (its template's); the frame
    // shows that menu while the child is active. The child does not own them.
    void SetHandles(HMENU hMenu, HACCEL hAccel);
    HMENU m_hMenuShared = nullptr;

    // Shows this child's menu in the frame when it becomes active (or hMenuAlt); the frame's own
    // menu when it loses activation to no child.
    virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
    afx_msg LRESULT OnMDIActivateMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
