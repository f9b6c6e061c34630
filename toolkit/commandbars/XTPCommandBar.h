// CXTPCommandBar: the window base of every command bar. This part holds the bar's data, the
// lookup rules (command bars, paint and image managers, site windows), delayed layout and redraw,
// tracking mode as the input managers see it, and the bar-level calls its controls make.
#pragma once

#include "framework/Wnd.h"
#include "toolkit/commandbars/XTPCommandBarKeyboard.h"
#include "toolkit/commandbars/XTPHookManager.h"
#include "toolkit/common/XTPAccessible.h"

class CXTPCommandBars;
class CXTPControl;
class CXTPControls;
class CXTPImageManager;
class CXTPPaintManager;
class CXTPPropExchange;

// Bar types and positions.
enum XTPBarType
{
    xtpBarTypeMenuBar = 0,
    xtpBarTypeNormal = 1,
    xtpBarTypePopup = 2
};
enum XTPBarPosition
{
    xtpBarTop = 0,
    xtpBarBottom = 1,
    xtpBarLeft = 2,
    xtpBarRight = 3,
    xtpBarFloating = 4,
    xtpBarPopup = 5,
    xtpBarListBox = 6,
    xtpBarNone = 7
};

// Pending-work bits of the bar.
const DWORD xtpDelayLayout = 1;
const DWORD xtpDelayRedraw = 2;
// The bar lays out with the reduction of large buttons (smart layout).
const DWORD xtpFlagSmartLayout = 0x200000;
// Gripper style of the bar.
const DWORD CBRS_GRIPPER_STYLE = 0x00400000;

class CXTPCommandBar : public CWnd, public CXTPHookManagerHookAble, public CXTPAccessible
{
    DECLARE_DYNCREATE(CXTPCommandBar)

public:
    CXTPCommandBar();
    ~CXTPCommandBar() override;

    // Lookup rules.
    CXTPCommandBars* GetCommandBars() const;
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CXTPPaintManager* GetPaintManager() const;
    void SetPaintManager(CXTPPaintManager* pPaintManager);
    CXTPImageManager* GetImageManager() const;
    void SetImageManager(CXTPImageManager* pImageManager);
    CWnd* GetSite() const;
    CWnd* GetOwnerSite() const;
    CWnd* GetFrameSite() const;
    void SetOwnerWindow(HWND hWndOwner) { m_hWndOwner = hWndOwner; }
    void SetSiteWindow(HWND hWndSite) { m_hWndSite = hWndSite; }

    CXTPControls* GetControls() const { return m_pControls; }
    int GetType() const { return m_barType; }
    void SetType(int nType) { m_barType = nType; }
    int GetPosition() const { return m_barPosition; }
    void SetPosition(int nPosition) { m_barPosition = nPosition; }
    BOOL IsPopupType() const { return m_barType == xtpBarTypePopup || m_barPosition == xtpBarPopup; }
    DWORD GetFlags() const { return m_dwFlags; }
    void ModifyFlags(DWORD dwAdd, DWORD dwRemove) { m_dwFlags = (m_dwFlags | dwAdd) & ~dwRemove; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    BOOL HasGripper() const { return (m_dwStyle & CBRS_GRIPPER_STYLE) != 0; }
    void SetShowGripper(BOOL bShow) { m_dwStyle = bShow ? (m_dwStyle | CBRS_GRIPPER_STYLE) : (m_dwStyle & ~CBRS_GRIPPER_STYLE); }
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }
    int GetDefaultButtonStyle() const { return m_nDefaultButtonStyle; }
    void SetDefaultButtonStyle(int nStyle) { m_nDefaultButtonStyle = nStyle; }
    int GetSelected() const { return m_nSelected; }
    int GetPopped() const { return m_nPopuped; }
    int GetTrackingMode() const { return m_bTracking; }
    BOOL IsTrackingMode() const { return m_bTracking != 0; }
    BOOL IsCustomizeMode() const;
    BOOL IsCustomizable() const { return m_bCustomizable; }
    void EnableCustomization(BOOL bEnable) { m_bCustomizable = bEnable; }
    int GetWidthLimit() const { return m_nMRUWidth; }
    DWORD GetPendingFlags() const { return m_dwPending; }
    void ClearPendingFlags(DWORD dwFlags) { m_dwPending &= ~dwFlags; }
    UINT GetBarID() const { return m_nBarID; }
    void SetBarID(UINT nID) { m_nBarID = nID; }
    void SetIconSize(CSize size) { m_szIcons = size; }
    void SetButtonSize(CSize size) { m_szButtons = size; }
    void LockRedraw() { ++m_nLockRedraw; }
    void UnlockRedraw();

    // What the input managers use: the lock count, the lock exemption, the hit test and the
    // mouse-move handling in client coordinates, and the end of tracking.
    int m_nLockRecurse = 0;
    BOOL m_bIgnoreUpdateHandler = FALSE;
    // 1 inside, -2 outside, anything else: inside when the window under the point is a
    // descendant of the bar.
    virtual int OnMouseHitTest(CPoint pt);
    // The bar is told that tracking was lost (it leaves tracking mode).
    void OnTrackLost();
    // Mouse moves in client coordinates given by the mouse manager.
    virtual void OnTrackedMouseMove(UINT nFlags, CPoint point);

    // Virtual operations of the bar (in their order).
    virtual void DelayRedraw();
    virtual BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    virtual BOOL SetSelected(int nSelected, BOOL bKeyboard = FALSE);
    virtual CSize GetIconSize() const;
    virtual CSize GetButtonSize() const;
    virtual BOOL IsVisible() const { return FALSE; }
    virtual void OnRecalcLayout() {}
    virtual void EndTracking();
    virtual CXTPCommandBar* GetParentCommandBar() const { return nullptr; }
    virtual BOOL Redraw(LPCRECT lpRect = nullptr, BOOL bAnimate = TRUE);
    virtual CRect GetBorders();
    virtual void DelayLayout();
    virtual int IsControlEnabled(const CXTPControl* pControl) const;
    virtual void OnControlsChanged() {}

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    // Controls call these.
    void SetPopupControlClosed();
    BOOL IsKeyboardCuesVisible() const { return TRUE; }

    // ---- Keyboard navigation while the bar tracks (XTPCommandBarNavigation.cpp).
    // A key the keyboard manager hands to the tracking bar: 1 eaten, 2 passed on.
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    // Carries out a navigation code (XTPSpecialKey); TRUE when the bar used it.
    virtual BOOL ProcessSpecialKey(int nKey);
    // A chosen keyboard tip: a control is executed, a bar is driven by the keyboard.
    virtual void OnKeyboardTipSelected(const XTP_KEYBOARD_TIP_ENTRY& tip);
    // The level of the keyboard tips while this bar owns the shown ones, else 0.
    int GetKeyboardTipsLevel() const;
    // The control an access key selects, searching from after the hot one; -1 when none.
    int FindAccessKeyControl(UINT nChar, BOOL& bUnique) const;
    // Arrows move along a row (top, bottom, floating, popup toolbar) or down a column.
    BOOL IsHorizontalNavigation() const;
    BOOL IsLayoutRightToLeft() const;
    // A toolbar shown as a popup (type 1 at the popup position).
    BOOL IsPopupToolBar() const { return m_barType == xtpBarTypeNormal && m_barPosition == xtpBarPopup; }
    // Opens the popup of a control (-1 closes the open one); FALSE when it cannot open.
    BOOL SetPopupControl(int nPopuped, BOOL bKeyboard = FALSE);

protected:
    // The hot control of the neighbouring row (bDown: the row below) with the widest overlap.
    int FindNeighbourRowControl(BOOL bDown) const;
    // Types in a key over this bar's keyboard tips: TRUE when the tips took it.
    BOOL FilterKeyboardTips(UINT nChar);

public:
    // Set while the bar is opened to return a chosen command id instead of sending it.
    UINT* m_pReturnCmd = nullptr;
    // Records of what the bar was asked to redraw (rectangles; the whole bar as an empty one).
    int m_nRedrawCount = 0;

protected:
    BOOL m_bLockExempt = FALSE;
    BOOL m_bSelectOnHover = TRUE;
    BOOL m_bHideCaret = TRUE;
    int m_nMRUWidth = 32767;
    int m_nSelected = -1;
    int m_nPopuped = -1;
    HWND m_hwndFocus = nullptr;
    UINT m_nBarID = 0;
    int m_bTracking = 0;
    DWORD m_dwPending = 0;
    DWORD m_dwFlags = 0;
    DWORD m_dwStyle = CBRS_GRIPPER_STYLE;
    CString m_strTitle;
    int m_barType = xtpBarTypeNormal;
    CXTPControls* m_pControls = nullptr;
    int m_barPosition = xtpBarNone;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CSize m_szIcons = CSize(0, 0);
    CSize m_szButtons = CSize(0, 0);
    int m_nKeepSelection = 0;
    BOOL m_bCustomizable = TRUE;
    BOOL m_bEnteredByMouse = FALSE;
    int m_nLockRedraw = 0;
    CXTPPaintManager* m_pPaintManager = nullptr;
    CXTPImageManager* m_pImageManager = nullptr;
    int m_nStatusBarControlId = -1;
    int m_nDefaultButtonStyle = 0;
    HWND m_hWndOwner = nullptr;
    HWND m_hWndSite = nullptr;
    BOOL m_bKeyboard = FALSE;
};
