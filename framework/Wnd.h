// CWnd: a window object is its HWND plus message dispatch through the class's message map.
//
// Every window the framework creates or subclasses has AfxWndProc as its window procedure; that
// procedure finds the C++ object in the permanent handle map and calls WindowProc, which offers
// the message to the map (OnWndMsg) and otherwise to the original procedure (DefWindowProc).
// The object is attached before the window's first message, so WM_GETMINMAXINFO, WM_NCCREATE
// and WM_CREATE already reach the map.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/FrameworkString.h"
#include "framework/Geometry.h"

#include <commctrl.h>

// USER defines this as a macro, which would rename the member below.
#ifdef GetNextWindow
#undef GetNextWindow
#endif

class CDC;
class CFrameWnd;
class CFont;
class CMenu;
class CRgn;
class CScrollBar;
class CCmdUI;

// Layout exchange of WM_SIZEPARENT: each bar takes its strip off rect and moves itself with
// AfxRepositionWindow (deferred through hDWP unless the layout is only a query).
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;      // null during reposQuery
    RECT rect;      // the space still free, in the parent's client coordinates
    SIZE sizeTotal; // the sizes the bars took
    BOOL bStretch;  // bars stretch across the whole free width or height
};

// Moves a child window as part of a layout, deferred when lpLayout has a position handle.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// State flags of m_nFlags.
#define WF_TOOLTIPS 0x0001
#define WF_TEMPHIDE 0x0002
#define WF_STAYDISABLED 0x0004
#define WF_MODALLOOP 0x0008
#define WF_CONTINUEMODAL 0x0010
#define WF_OLECTLCONTAINER 0x0100
#define WF_NOPOPMSG 0x0200
#define WF_STAYACTIVE 0x0020

// RunModalLoop flags.
#define MLF_NOIDLEMSG 0x0001
#define MLF_NOKICKIDLE 0x0002
#define MLF_SHOWONIDLE 0x0004

class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)

public:
    CWnd();
    explicit CWnd(HWND hWnd); // a wrapper without attaching (used for temporary objects)
    // Destroys a window still attached to the object.
    ~CWnd() override;

    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    static const CWnd wndTop, wndBottom, wndTopMost, wndNoTopMost;

    // Both accept a null object (and then give a null handle), as callers rely on.
    operator HWND() const { return GetSafeHwnd(); }
    HWND GetSafeHwnd() const;
    bool operator==(const CWnd& wnd) const { return m_hWnd == wnd.m_hWnd; }
    bool operator!=(const CWnd& wnd) const { return m_hWnd != wnd.m_hWnd; }

    // ---- handle map
    static CWnd* PASCAL FromHandle(HWND hWnd);
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // ---- creation and destruction
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    // Called before the framework's procedure takes over a window (creation or subclassing).
    virtual void PreSubclassWindow();
    // Called after WM_NCDESTROY, when the object no longer has a window.
    virtual void PostNcDestroy();
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);
    enum AdjustType
    {
        adjustBorder = 0,
        adjustOutside = 1
    };

    // ---- subclassing existing windows
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // ---- message processing
    LRESULT Default();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Keyboard and mouse handling of dialogs (IsDialogMessage); FALSE for other windows.
    virtual BOOL PreTranslateInput(MSG* pMsg);
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A parent reflects a child's notification here first; TRUE when the child handled it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Offers a notification from child hWndChild to that child's own map.
    static BOOL PASCAL ReflectMessage(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT* pResult);
    // The tool under point for tooltips; -1 when none.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const;

    // ---- tooltips of the window's tools (WndToolTips.cpp)
    // With tooltips enabled (WF_TOOLTIPS), pre-translation shows the thread's tooltip for the tool
    // that OnToolHitTest names under the cursor; a tool whose text is LPSTR_TEXTCALLBACK is answered
    // by this window's TTN_NEEDTEXT (OnToolTipText). Answers the previous state.
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    // Hides the thread's tooltip (and forgets the last tool).
    static void PASCAL CancelToolTips(BOOL bKeys = FALSE);
    // Relays a mouse message to the thread's tooltip after refreshing the tool under the cursor.
    void FilterToolTipMessage(MSG* pMsg);
    // TTN_NEEDTEXTA/W for a callback tool: the text of the string resource of the tool's id (its
    // control id for a window tool) after the first line feed, else the whole string.
    virtual BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    // Calls PreTranslateMessage of each framework window from pMsg->hwnd up to hWndStop.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    // The message being processed by the innermost framework window procedure of this thread.
    static const MSG* PASCAL GetCurrentMessage();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Sends to all children (and their children with bDeep); bOnlyPerm limits the calls to
    // framework windows, which get the message directly through their WindowProc.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    static void PASCAL SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                BOOL bDeep, BOOL bOnlyPerm);

    // ---- command UI and layout
    // Updates every child control whose id has an update handler in pTarget.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    enum RepositionFlags
    {
        reposDefault = 0,
        reposQuery = 1,
        reposExtra = 2,
        reposNoPosLeftOver = 0x8000
    };
    // Lays out child bars with ids in [nIDFirst, nIDLast] via WM_SIZEPARENT, then gives the
    // remaining space to child nIDLeftOver. reposQuery only computes it into lpRectParam;
    // reposExtra shrinks the remaining space by the borders in lpRectParam.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);

    // ---- modal loops
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // ---- state and styles
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL IsChild(const CWnd* pWnd) const;
    int GetClassName(LPSTR lpClassName, int nMaxCount) const;

    // ---- text and font
    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    void SetDlgItemText(int nID, LPCSTR lpszString);
    int GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    // ---- relations
    CWnd* GetParent() const;
    // The nearest framework frame among the ancestors (FrameWnd.h), or null.
    CFrameWnd* GetParentFrame() const;
    // The outermost framework frame: this window when it is a frame, else its nearest frame ancestor, then
    // that frame's frame ancestors up to the last one; null when there is none.
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    // The nearest ancestor (parent or owner) that is not a child window.
    CWnd* GetParentOwner() const;
    // The top-level window containing this one (following parents and owners).
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
    CWnd* GetTopWindow() const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* ChildWindowFromPoint(POINT point, UINT nFlags = CWP_ALL) const;
    static CWnd* PASCAL WindowFromPoint(POINT point);
    static CWnd* PASCAL GetDesktopWindow();
    static CWnd* PASCAL GetActiveWindow();
    static CWnd* PASCAL GetForegroundWindow();
    static CWnd* PASCAL GetFocus();
    static CWnd* PASCAL GetCapture();
    // The window to own a message box or modal dialog: pParent's top-level window, else the
    // active window, else the application's main window.
    static CWnd* PASCAL GetSafeOwner(CWnd* pParent = nullptr, HWND* pWndTop = nullptr);
    CWnd* SetFocus();
    CWnd* SetActiveWindow();
    BOOL SetForegroundWindow();
    void BringWindowToTop();
    CWnd* SetCapture();

    // ---- geometry
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    // Centres over pAlternateOwner, else the owner (or parent for children), else the work area.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    // The window takes ownership of the region (as with ::SetWindowRgn).
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
    int GetWindowRgn(HRGN hRgn) const;
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);

    // ---- painting
    CDC* GetDC();
    CDC* GetWindowDC();
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
    int ReleaseDC(CDC* pDC);
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint);
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE);
    BOOL LockWindowUpdate();
    void UnlockWindowUpdate();
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);

    // ---- scroll bars
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);

    // ---- menus, timers, misc
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar();
    CMenu* GetSystemMenu(BOOL bRevert) const;
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);
    BOOL FlashWindow(BOOL bInvert);

    // ---- default handlers (each passes the message on to the window's original procedure)
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    afx_msg void OnMouseLeave();
    afx_msg void OnCancelMode();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // The default first lets the control colour itself (reflected WM_CTLCOLOR).
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
    // The defaults first let an owner-drawn control draw or measure itself.
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

    // Handlers of reflected messages (ON_WM_CTLCOLOR_REFLECT and friends); overridden by controls.
    virtual HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    UINT m_nFlags = 0;
    WNDPROC m_pfnSuper = nullptr; // the procedure the framework's procedure passes messages on to
    int m_nModalResult = 0;

protected:
    // The procedure used for windows whose class has none of its own (DefWindowProc).
    virtual WNDPROC* GetSuperWndProcAddr();
    // Calls a window-message handler of the given signature kind.
    BOOL DispatchWndMsg(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
};

// While it exists, the next window created on this thread is attached to pWnd (subclassed with
// the framework's procedure) before its first message. Used around CreateWindowEx and
// CreateDialogIndirectParam; scopes nest.
class AfxWindowCreationScope
{
public:
    explicit AfxWindowCreationScope(CWnd* pWnd);
    ~AfxWindowCreationScope();
    AfxWindowCreationScope(const AfxWindowCreationScope&) = delete;
    AfxWindowCreationScope& operator=(const AfxWindowCreationScope&) = delete;
    bool Installed() const;

private:
    void* m_hPreviousHook;
    CWnd* m_pPreviousInit;
};

// The framework's window procedure; usable as the class procedure of registered classes.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// The calling thread's current message (what CWnd::Default and GetCurrentMessage use). Window
// procedures outside the framework's own (a hook chain over a subclassed window) save it, set it
// to their message and restore it afterwards.
MSG* AfxGetThreadCurrentMessage();

// Calls pWnd->WindowProc with the current-message bookkeeping and the exception boundary.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Registers (once) a window class with DefWindowProc as its procedure; returns its name, valid
// for the life of the program. The same parameters give the same name.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);
// Registers a window class unless a class of that name is already registered for its instance;
// TRUE when the class exists afterwards (a null instance means the program's).
BOOL AfxRegisterClass(WNDCLASSA* lpWndClass);
// Registers the common-control classes the framework's controls and dialogs use.
void AfxInitCommonControls();
