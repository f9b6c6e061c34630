// CXTPPopupBar: the popup menu window of the command bars (drop-down menus, sub-menus, context menus,
// tracked popups). It places itself against the control that opened it and the work area, flips at
// the screen's edges, animates, casts a shadow, hides rarely used commands behind an expand button,
// scrolls when it does not fit and can be torn off into a floating toolbar. CXTPPopupToolBar lays
// its controls out as a toolbar (the toolbar's overflow popup).
//
// Files: XTPPopupBar.cpp (creation, opening, tracking, copies, persistence, messages),
// XTPPopupBarLayout.cpp (layout, placement, scrolling, rarely used commands, painting),
// XTPPopupBarTearOff.cpp (tear-off and the expand button).
#pragma once

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"

#include <vector>

class CXTPCommandBars;
class CXTPControlPopup;

// Animation kinds of a popup (the paint manager draws 2 to 4).
enum XTPAnimationType
{
    xtpAnimateWindowsDefault = 0, // as the system's menu settings say
    xtpAnimateRandom = 1,
    xtpAnimateUnfold = 2,
    xtpAnimateSlide = 3,
    xtpAnimateFade = 4,
    xtpAnimateNone = 5
};

// The TPM alignment recorded on a tracked popup: right, bottom, top.
const DWORD xtpPopupAlignRight = 1;
const DWORD xtpPopupAlignTop = 2;
const DWORD xtpPopupAlignBottom = 4;

class CXTPPopupBar : public CXTPCommandBar
{
    DECLARE_SERIAL(CXTPPopupBar)

public:
    // The expand button at the bottom of a popup with hidden rarely used commands.
    class CControlExpandButton : public CXTPControlButton
    {
        DECLARE_DYNCREATE(CControlExpandButton)

    public:
        CControlExpandButton();
        CSize GetSize(CDC* pDC) override;
        void Draw(CDC* pDC) override;
        // Expands its popup.
        void OnExecute() override;
    };

    CXTPPopupBar();
    ~CXTPPopupBar() override;

    // Makes a popup bar of the registered class and stores the manager in it (the caller owns one
    // reference).
    static CXTPPopupBar* CreatePopupBar(CXTPCommandBars* pCommandBars);
    // The class CreatePopupBar makes (this class unless replaced).
    static CRuntimeClass* s_pPopupBarClass;
    // How long the expand button stays hot before the popup expands (milliseconds).
    static UINT s_nExpandButtonDelay;

    // ---- state
    CXTPControlPopup* GetControlPopup() const { return m_pControlPopup; }
    CPoint GetAnchorPoint() const { return m_ptPopup; }
    CRect GetExcludeRect() const { return m_rcExclude; }
    // Direction flags (xtpPopupDirectionLeft, Below, Upward) chosen for the last opening.
    DWORD GetDirection() const { return m_dwDirection; }
    // The alignment TrackPopupMenu records (xtpPopupAlignRight, Top, Bottom).
    DWORD GetPopupFlags() const { return m_popupFlags; }
    void SetPopupFlags(DWORD dwFlags) { m_popupFlags = dwFlags; }
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL HasHiddenCommands() const { return m_bCollapsed; }
    BOOL GetShowExpanded() const { return m_bShowExpanded; }
    // Shows the rarely used commands and lays out again (only with hidden commands, not expanded).
    void ExpandBar();
    BOOL IsExpandedByUser() const { return m_bExpandedByUser; }
    // While the layout after the user's expansion runs: the control was hidden as rarely used before.
    BOOL IsControlNewlyShown(const CXTPControl* pControl) const;

    void SetShowShadow(BOOL bShow) { m_bShowShadow = bShow; }
    BOOL GetShowShadow() const { return m_bShowShadow; }
    void SetDoubleGripper(BOOL bDouble = TRUE) { m_bDoubleGripper = bDouble; }
    BOOL IsDoubleGripper() const { return m_bDoubleGripper; }
    // 0: no limit; a taller popup scrolls.
    void SetMaxHeight(int nMaxHeight) { m_nMaxHeight = nMaxHeight; }
    int GetMaxHeight() const { return m_nMaxHeight; }
    // The popup may open beside its control when it fits neither below nor above it.
    void SetAllowFlip(BOOL bAllow) { m_bAllowFlip = bAllow; }
    BOOL GetAllowFlip() const { return m_bAllowFlip; }
    // Margins of a popup toolbar (left, top, right, bottom).
    void SetBorders(CRect rcBorders) { m_rcBorders = rcBorders; }

    // Tear-off: the popup can be dragged off as the floating toolbar nID (title, width).
    void SetTearOffPopup(LPCSTR lpszCaption, UINT nID, int nWidth = 400);
    BOOL IsTearOffPopup(CString& strCaption, UINT& nID, int& nWidth) const;
    BOOL IsTearOffPopup() const { return m_bTearOffPopup; }
    CRect GetTearOffGripperRect() const { return m_rcTearOffGripper; }
    CXTPCommandBar* GetTearOffBar() const { return m_pTearOffBar; }

    // Scrolling.
    BOOL IsScrolling() const { return m_bScrolling; }
    int GetFirstVisible() const { return m_nFirstVisible; }
    int GetLastVisible() const { return m_nLastVisible; }
    CRect GetScrollUpRect() const { return m_rcScrollUp; }
    CRect GetScrollDownRect() const { return m_rcScrollDown; }
    // Moves the scroll range by a control (nStep +1 down, -1 up); FALSE at the end.
    BOOL ScrollBy(int nStep);

    // The animation kind the popup shows with (5 none, 2 to 4 the paint manager's).
    int GetAnimationKind() const;
    // Places and sizes the window for a size (CalcPopupRect, then SetWindowPos).
    void UpdateLocation(CSize sz);
    // Opens the popup at a screen point avoiding an optional rectangle (TrackPopupMenu).
    BOOL Popup(int x, int y, LPCRECT rcExclude);

    // What TrackPopupMenu records: TPM_RIGHTBUTTON, TPM_NONOTIFY, TPM_RECURSE.
    BOOL m_bRightButton = FALSE;
    BOOL m_bNoNotify = FALSE;
    BOOL m_bRecurse = FALSE;

    // ---- virtual operations of the bar it overrides
    void DelayRedraw() override;
    BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    BOOL SetSelected(int nSelected, BOOL bKeyboard = FALSE) override;
    BOOL Popup(CXTPControl* pControl, BOOL bSelectFirst = FALSE) override;
    BOOL IsVisible() const override;
    void OnRecalcLayout() override;
    CXTPCommandBar* GetParentCommandBar() const override;
    BOOL IsPopupBar() const override { return TRUE; }
    void DoPropExchange(CXTPPropExchange* pPX) override;
    void DrawCommandBar(CDC* pDC, CRect rcClipBox) override;
    CRect GetBorders() override;
    // The resize gripper value, taken at layout from the first gallery (0 none, 1 width, 2 height,
    // 3 both).
    BOOL IsReservedQuery2() const override { return m_nResizeGripper; }
    CRect GetResizeGripperRect() const { return m_rcResizeGripper; }
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void DelayLayout() override;
    void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE) override;
    CXTPCommandBar* Clone(BOOL bRecursive = FALSE) override;
    int OnMouseHitTest(CPoint pt) override;

    // ---- appended operations
    virtual BOOL Create();
    virtual CRect CalcPopupRect(CPoint pt, CSize sz);
    virtual void UpdateExcludeRect();
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    virtual void AnimateShow();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    // Hides rarely used controls unless expanded (sets the hidden-commands flag).
    void UpdateRarelyUsed();
    // Moves the window to rc after the user expanded it: the screen under rc (with the collapsed
    // popup) is taken first, then the bands of the new picture grow over it.
    void AnimateExpansion(const CRect& rcOld, const CRect& rc);
    // Lays out the visible range of a scrolling popup between its scroll areas.
    void LayoutScrolled(CSize szPopup);
    // The expand button control, made on first need.
    CXTPControl* GetExpandButton(BOOL bCreate);
    void TrackTearOff();
    // Resizes the first gallery under capture from a press on the resize gripper (Esc restores).
    void TrackGalleryResize(CPoint ptStart);
    void CastShadow();
    // The start of an opening: holds the layout lock and a reference, tells the site, resets the
    // expansion and scrolling.
    void BeginOpening();
    // The end of an opening: tracking, animation, sound and shadow; releases the opening's layout lock.
    void ShowOpened(BOOL bSelectFirst, BOOL bKeyboard);

    CXTPControlPopup* m_pControlPopup = nullptr;
    CPoint m_ptPopup = CPoint(0, 0);
    CRect m_rcExclude;
    DWORD m_popupFlags = 0;
    DWORD m_dwDirection = 0;
    CRect m_rcExcludeBeside;
    BOOL m_bDynamicLayout = FALSE;
    BOOL m_bShowExpanded = FALSE;
    BOOL m_bExpanded = FALSE;
    BOOL m_bExpandedByUser = FALSE;
    BOOL m_bCollapsed = FALSE;
    std::vector<const CXTPControl*> m_newlyShown; // during the layout after the user's expansion
    BOOL m_bTearOffPopup = FALSE;
    CRect m_rcTearOffGripper;
    UINT m_nTearOffID = 0;
    CString m_strTearOffCaption;
    int m_nTearOffWidth = 0;
    BOOL m_bTearOffSelected = FALSE;
    CXTPCommandBar* m_pTearOffBar = nullptr;
    int m_nResizeGripper = 0;
    CRect m_rcResizeGripper;
    CRect m_rcGripperArea[2];
    CRect m_rcBorders = CRect(2, 4, 2, 4);
    int m_nMaxHeight = 0;
    BOOL m_bScrolling = FALSE;
    int m_nFirstVisible = 0;
    int m_nLastVisible = 0;
    CRect m_rcScrollDown;
    CRect m_rcScrollUp;
    BOOL m_bScrollDownArmed = FALSE;
    BOOL m_bScrollUpArmed = FALSE;
    BOOL m_bDoubleGripper = FALSE;
    BOOL m_bShowShadow = TRUE;
    UINT_PTR m_nExpandHoverTimer = 0;
    BOOL m_bExpandHoverArmed = FALSE;
    BOOL m_bAllowFlip = FALSE;
    int m_nLockCount = 0;
    BOOL m_bRedrawPending = FALSE;
    CSize m_szLast = CSize(0, 0);
    // The size a menu gets laid out in when it must fit a lower height (0: none).
    int m_nFitHeight = 0;
};

// A popup that lays its controls out as a toolbar (type 1 at the popup position).
class CXTPPopupToolBar : public CXTPPopupBar
{
    DECLARE_SERIAL(CXTPPopupToolBar)

public:
    CXTPPopupToolBar();

    static CXTPPopupToolBar* CreatePopupToolBar(CXTPCommandBars* pCommandBars);
    static CRuntimeClass* s_pPopupToolBarClass;
};
