// CXTPToolTipContextToolTip: the toolkit's owner-drawn tooltip window. It takes the tooltip
// control's messages (TTM_ADDTOOL, TTM_RELAYEVENT, ...) but measures, places and paints the tip
// itself: a bold title, the tool's icon and a word-wrapped description on the background that
// the context draws. The rich-edit, Luna, markup and HTML kinds derive from it.
#pragma once

#include "framework/Array.h"
#include "framework/Wnd.h"
#include "toolkit/common/XTPResourceIds.h"

#include <commctrl.h>
#include <windows.h>

#include <functional>

class CXTPToolTipContext;
class CXTPImageManagerIcon;

// Flag bit of a tool record: show the tip at once (the context clears it before TTM_ADDTOOL).
constexpr UINT XTP_TTF_SHOWNOW = 0x40000000;

// What the measuring of an owner-drawn tip depends on, apart from the description's own size.
struct XTP_TOOLTIP_LAYOUT
{
    CRect rcMargin;        // left, top, right, bottom margins
    int nMaxTipWidth = 0;  // already resolved (-1 replaced by the screen width)
    BOOL bTitle = FALSE;   // a title is shown
    CSize szTitle;         // the title in the bold font on one line
    CSize szIcon;          // (0, 0) without an icon
};

// Where a tip goes, given its size.
struct XTP_TOOLTIP_PLACEMENT
{
    CSize szTip;
    CPoint ptCursor;        // screen
    int nCursorBelow = 0;   // visible height of the cursor below its hot spot
    BOOL bExclude = FALSE;  // rcExclude holds the screen rectangle to appear below
    CRect rcExclude;
    BOOL bRightToLeft = FALSE;  // right-to-left owner
    CRect rcWork;               // the available screen area
};

class CXTPToolTipContextToolTip : public CWnd
{
    DECLARE_DYNAMIC(CXTPToolTipContextToolTip)

public:
    // One registered tool.
    struct TOOLITEM
    {
        CString strText;
        BOOL bTextCallback = FALSE;  // the text is asked of the owner (TTN_NEEDTEXT)
        HWND hWnd = nullptr;         // owner
        UINT_PTR uId = 0;
        UINT uFlags = 0;
        CRect rect;                  // owner's client coordinates
        BOOL bExclude = FALSE;       // rcExclude came with the extended record
        CRect rcExclude;             // owner's client coordinates
        HINSTANCE hInst = nullptr;   // for a string-table text
    };

    explicit CXTPToolTipContextToolTip(CXTPToolTipContext* pContext);
    ~CXTPToolTipContextToolTip() override;

    // A WS_POPUP tool window (plus the style flags) of the registered class, owned by pOwner.
    virtual BOOL Create(CWnd* pOwner, DWORD dwStyle);
    HWND GetOwnerHwnd() const { return m_hWndOwner; }

    // The window class name and its class styles: 0x820, plus CS_DROPSHADOW on Windows XP or later
    // unless style flag 0x2000 is given.
    static LPCSTR GetClassNameForStyle(DWORD dwStyle);
    static UINT GetClassStyle(DWORD dwStyle);

    // ---- measuring and placement (pure)
    // The tip's size; measureDescription answers the word-wrapped description's size within a width.
    static CSize CalcLayoutSize(const XTP_TOOLTIP_LAYOUT& layout, const std::function<CSize(int)>& measureDescription);
    static CRect CalcTipRect(const XTP_TOOLTIP_PLACEMENT& placement);
    // The visible height of a cursor below its hot spot (from its mask: the last row not transparent).
    static int GetCursorVisibleBottom(HCURSOR hCursor);

    // ---- state that tests and kinds read
    BOOL IsActive() const { return m_bActive; }
    int GetToolCount() const { return static_cast<int>(m_arrTools.GetSize()); }
    const TOOLITEM* GetTool(int nIndex) const { return m_arrTools[nIndex]; }
    const TOOLITEM* GetShownTool() const { return m_pShown; }
    const TOOLITEM* GetPendingTool() const { return m_pPending; }
    const CString& GetTitle() const { return m_strTitle; }
    CXTPImageManagerIcon* GetIcon() const { return m_pIcon; }
    UINT GetDelay(int nKind) const;
    BOOL IsHookInstalled() const;
    BOOL HasRegion() const { return m_bRegion; }
    CXTPToolTipContext* GetContext() const { return m_pContext; }

    // The text of a tool: its own, or the owner's TTN_NEEDTEXT answer; single ampersands dropped
    // unless style flag 2 is set.
    CString GetToolText(const TOOLITEM* pTool) const;
    // Shows a tool (null hides) as the delays decide it is time to.
    void ShowTool(TOOLITEM* pTool);
    void HideTip();

    // The window under a screen point; a tooltip window there stands for its parent.
    static HWND WindowFromPointEx(POINT pt);
    // The cursor position; tests may supply their own.
    static BOOL GetCursorPosition(POINT* pt);
    static void SetCursorPosProvider(BOOL (*pfn)(POINT*)) { s_pfnCursorPos = pfn; }

protected:
    // The kinds' virtual operations, in slot order.
    virtual CSize CalcTipSize(TOOLITEM* pTool, CDC* pDC);
    virtual void DrawTip(CDC* pDC, const CRect& rcClient, TOOLITEM* pTool);
    virtual void DrawBackground(CDC* pDC, const CRect& rcClient);
    virtual void OnVisibleChanged(BOOL bVisible);

    TOOLITEM* FindTool(HWND hWnd, UINT_PTR uId) const;
    TOOLITEM* ToolFromPoint(POINT pt, BOOL bButtonDown) const;
    void ProcessMouse(UINT message);
    void SetDelay(int nKind, int nDelay);
    CRect GetContentRect(const CRect& rcClient) const;
    BOOL IsOwnerRightToLeft(const TOOLITEM* pTool) const;
    void InstallHook();
    void RemoveHook();
    static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);

    LRESULT OnAddTool(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnDelTool(WPARAM wParam, LPARAM lParam);
    LRESULT OnRelayEvent(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetTitle(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateTipText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetDelayTime(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetIcon(WPARAM wParam, LPARAM lParam);
    LRESULT OnQueryToolTip(WPARAM wParam, LPARAM lParam);
    LRESULT OnWindowFromPoint(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnIgnoredSetting(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnNcHitTest(CPoint point);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

protected:
    CXTPToolTipContext* m_pContext;
    HWND m_hWndOwner = nullptr;
    CArray<TOOLITEM*, TOOLITEM*> m_arrTools;
    TOOLITEM* m_pShown = nullptr;    // the tool whose tip is visible
    TOOLITEM* m_pPending = nullptr;  // waiting for the initial delay
    TOOLITEM* m_pClicked = nullptr;  // clicked: no tip until the cursor leaves it
    CString m_strTitle;
    CXTPImageManagerIcon* m_pIcon = nullptr;
    UINT_PTR m_nTimer = 0;
    DWORD m_dwLastShowHide = 0;
    BOOL m_bEverShown = FALSE;
    UINT m_nDelayInitial = 500;
    UINT m_nDelayReshow = 200;
    UINT m_nDelayAutoPop = 0;
    BOOL m_bActive = FALSE;
    BOOL m_bRegion = FALSE;

    static BOOL (*s_pfnCursorPos)(POINT*);

public:
    static constexpr UINT_PTR kTimerInitial = XTP_TID_TOOLTIP_INITIAL;
    static constexpr UINT_PTR kTimerAutoPop = XTP_TID_TOOLTIP_AUTOPOP;
};
