// CXTPCommandBar: the window base of every command bar. It owns the bar's controls, paints them
// through the paint manager and the bar's animation object, turns mouse input into selection,
// popup opening and command execution, runs tracking mode (the bar owns keyboard and mouse), asks
// its owner for the command states at idle time and takes customisation drops.
//
// Files: XTPCommandBar.cpp (data, lookups, creation, copy, removal, menus, sizes, message map),
// XTPCommandBarTracking.cpp (selection, popup control, tracking mode, status text),
// XTPCommandBarMouse.cpp (mouse, timers, hit tests), XTPCommandBarPaint.cpp (painting, drop
// marker and customisation drops), XTPCommandBarUpdate.cpp (idle update, shortcuts),
// XTPCommandBarAccessible.cpp (accessibility), XTPCommandBarNavigation.cpp (keyboard navigation).
#pragma once

#include "framework/CmdUI.h"
#include "framework/Wnd.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/bars/XTPCommandBarKeyboard.h"
#include "toolkit/commandbars/managers/XTPHookManager.h"
#include "toolkit/common/system/XTPAccessible.h"

class CMenu;
class CXTPCommandBarAnimation;
class CXTPCommandBars;
class CXTPControl;
class CXTPControls;
class CXTPImageManager;
class CXTPPaintManager;
class CXTPPropExchange;
class CXTPToolTipContext;
class CXTPCommandBarList;
struct XTP_COMMANDBARS_PROPEXCHANGE_PARAM;

// Run-time schema of the bar classes kept in saved archives.
#define XTP_COMMANDBAR_CLASS_SCHEMA (VERSIONABLE_SCHEMA | 38)

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

// Text orientation of a bar's captions.
const int xtpBarTextAuto = 0;
const int xtpBarTextVertical = 1;
const int xtpBarTextHorizontal = 2;

class CXTPCommandBar : public CWnd, public CXTPHookManagerHookAble, public CXTPAccessible
{
    DECLARE_SERIAL(CXTPCommandBar)

public:
    // The command UI of one control during the idle update (target: the bar's owner site).
    class CCommandBarCmdUI : public CCmdUI
    {
    public:
        void Enable(BOOL bOn = TRUE) override;
        void SetCheck(int nCheck = 1) override;
        void SetText(LPCSTR lpszText) override;

        CXTPControl* m_pControl = nullptr;
        BOOL m_bHandled = FALSE;        // an update operation was called
        BOOL m_bCheckChanged = FALSE;   // SetCheck was called in this update
    };

    CXTPCommandBar();
    ~CXTPCommandBar() override;

    // ---- lookup rules
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
    // The top-most bar of the parent chain (this bar when it has no parent).
    CXTPCommandBar* GetRootParent() const;

    // ---- data
    CXTPControls* GetControls() const { return m_pControls; }
    int GetControlCount() const;
    CXTPControl* GetControl(int nIndex) const; // null out of range
    int GetType() const { return m_barType; }
    void SetType(int nType) { m_barType = nType; }
    int GetPosition() const { return m_barPosition; }
    void SetPosition(int nPosition) { m_barPosition = nPosition; }
    BOOL IsPopupType() const { return m_barType == xtpBarTypePopup || m_barPosition == xtpBarPopup; }
    DWORD GetFlags() const { return m_dwFlags; }
    void ModifyFlags(DWORD dwAdd, DWORD dwRemove) { m_dwFlags = (m_dwFlags | dwAdd) & ~dwRemove; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    // The bar's control-bar style bits (not the window style).
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
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
    BOOL IsKeyboardMode() const { return m_bKeyboard; }
    BOOL IsEnteredByMouse() const { return m_bEnteredByMouse; }
    BOOL IsCustomizeMode() const;
    void EnableCustomization(BOOL bEnable) { m_bCustomizable = bEnable; }
    int GetWidthLimit() const { return m_nMRUWidth; }
    void SetWidthLimit(int nWidth) { m_nMRUWidth = nWidth; }
    DWORD GetPendingFlags() const { return m_dwPending; }
    void ClearPendingFlags(DWORD dwFlags) { m_dwPending &= ~dwFlags; }
    UINT GetBarID() const { return m_nBarID; }
    void SetBarID(UINT nID) { m_nBarID = nID; }
    void SetIconSize(CSize size) { m_szIcons = size; }
    void SetButtonSize(CSize size) { m_szButtons = size; }
    void SetLargeIconSize(CSize size) { m_szLargeIcons = size; }
    // 0 automatic, 1 vertical, anything else horizontal.
    int GetTextOrientation() const { return m_nTextOrientation; }
    void SetTextOrientation(int nOrientation) { m_nTextOrientation = nOrientation; }
    // 2: as the options say.
    void SetShowTextBelowIcons(int nShow) { m_nShowTextBelowIcons = nShow; }
    BOOL GetShowTextBelowIcons() const;
    void LockRedraw() { ++m_nLockRedraw; }
    void UnlockRedraw();
    void SetSelectOnHover(BOOL bSelect) { m_bSelectOnHover = bSelect; }
    void SetHideCaret(BOOL bHide) { m_bHideCaret = bHide; }
    int GetKeepSelection() const { return m_nKeepSelection; }
    void SetKeepSelection(int nLock) { m_nKeepSelection = nLock; }
    // The window the focus goes back to when tracking ends (a field that takes the focus stores
    // the window it came from before the bar starts tracking).
    HWND GetFocusReturnWindow() const { return m_hwndFocus; }
    void SetFocusReturnWindow(HWND hWnd) { m_hwndFocus = hWnd; }
    // Right clicks on controls execute them (set on the top-level bar).
    BOOL m_bExecOnRButton = FALSE;

    // ---- sizes (own values, else the options, else the paint manager)
    int GetAutoIconSize(BOOL bLarge) const;
    CSize GetLargeIconSize(BOOL bAutoSize) const;

    // ---- painting
    CXTPCommandBarAnimation* GetAnimation() const { return m_pAnimation; }
    void EnableAnimation(BOOL bEnable = TRUE);
    BOOL IsAnimationEnabled() const;
    void EnableDoubleBuffer(BOOL bEnable = TRUE);
    void DrawDropMarker(CDC* pDC);
    CRect GetDropMarker() const { return m_rcMarker; }
    BOOL IsDropMarkerVertical() const { return m_bVerticalMarker; }
    void SetDropMarker(const CRect& rcMarker, BOOL bVertical);
    BOOL IsVisibleOnScreen() const;
    // TRUE only for a bar at the top whose manager draws its frame with composition.
    BOOL IsDwmEnabled() const;

    // ---- popups and tracking
    BOOL SetPopupControl(int nIndex, BOOL bKeyboard = FALSE);
    void SetPopupControlClosed();
    // Keyboard tips are shown by the manager; the bar asks it to hide them.
    void HideKeyboardTips();
    // Mouse leave as the bar handles it (also called by hosted windows).
    void ProcessMouseLeave();
    // The command-UI update of every visible control against the owner site.
    void UpdateCmdUI();

    // ---- what the input managers use
    int m_nLockRecurse = 0;
    BOOL m_bIgnoreUpdateHandler = FALSE; // updates switched off (read on the top-level bar)
    // 1 inside, -2 outside, anything else: inside when the window under the point is a
    // descendant of the bar.
    virtual int OnMouseHitTest(CPoint pt);
    // The bar is told that tracking was lost (it leaves tracking mode).
    void OnTrackLost();
    // Mouse moves in client coordinates given by the mouse manager (the pointer is outside
    // every tracked bar): handled like the bar's own mouse moves.
    virtual void OnTrackedMouseMove(UINT nFlags, CPoint point);

    // ---- virtual operations of the bar, in their order
    virtual void DelayRedraw();
    virtual BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    virtual BOOL LoadMenu(CMenu* pMenu, BOOL bRemoveControls = TRUE);
    virtual BOOL SetSelected(int nSelected, BOOL bKeyboard = FALSE);
    virtual BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE);
    // Fills the bar with buttons for ids (0: the next one begins a group); the site may supply or
    // restyle each control through 0x285E and hears of it through 0x285F.
    BOOL SetButtons(const UINT* pButtons, int nCount);
    virtual CSize GetIconSize() const;
    virtual CSize GetButtonSize() const;
    virtual BOOL Popup(CXTPControl* /*pControl*/, BOOL /*bSelectFirst*/) { return FALSE; }
    virtual void SetVisible(BOOL bVisible);
    virtual BOOL IsVisible() const { return FALSE; }
    // Reserved queries and the first kind query: FALSE here; no caller relies on them.
    virtual BOOL IsReservedQuery1() const { return FALSE; }
    virtual void OnCustomizeDragEnter(CXTPControl* pDataObject, CPoint point, DWORD& dropEffect);
    virtual void OnCustomizeDragLeave();
    virtual void OnCustomizeDragOver(CXTPControl* pDataObject, CPoint point, DWORD& dropEffect);
    virtual void OnCustomizeDrop(CXTPControl* pDataObject, DWORD& dropEffect, CPoint ptDrop, CPoint ptDrag);
    virtual BOOL IsCustomizable() const { return m_bCustomizable; }
    virtual void OnRecalcLayout() {}
    virtual void EndTracking();
    virtual void Deselect();
    virtual void OnControlSelected(BOOL bSelected, CXTPControl* pControl);
    virtual CXTPCommandBar* GetParentCommandBar() const { return nullptr; }
    virtual BOOL IsKindQuery1() const { return FALSE; }
    virtual BOOL IsRibbonBar() const { return FALSE; } // the second kind query
    virtual BOOL IsPopupBar() const { return FALSE; }  // the third kind query
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual BOOL IsKeyboardCuesVisible() const;
    virtual BOOL Redraw(LPCRECT lpRect = nullptr, BOOL bAnimate = TRUE);
    virtual void DrawCommandBar(CDC* pDC, CRect rcClipBox);
    virtual void EnsureVisible(CXTPControl* /*pControl*/) {}
    virtual CRect GetBorders();
    virtual void DrawBackground(CDC* pDC);
    virtual BOOL IsReservedQuery2() const { return FALSE; }
    virtual CSize CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/) { return CSize(0, 0); }
    virtual void DelayLayout();
    virtual void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE);
    virtual BOOL IsPointInBar(CPoint point) const;
    virtual void UpdateShortcuts();
    // The shortcut a tip or a list entry shows for a control: its own (or its action's), else the
    // shortcut manager's for its id, started from its automatic text; empty without a shortcut.
    CString GetControlShortcut(CXTPControl* pControl) const;
    virtual void OnRemoved();
    virtual int IsControlEnabled(const CXTPControl* pControl) const;
    // The drop place for a point: marker rectangle, index and whether it goes after the control
    // at the index; the index (-1 on an empty bar).
    virtual int FindDropIndex(CXTPControl* pDragged, CPoint point, CRect& rcMarker, int& nDropIndex,
                              BOOL& bDropAfter);
    // WM_IDLEUPDATECMDUI (wParam: disable commands without a handler).
    virtual LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    virtual BOOL IsReservedQuery3() const { return FALSE; }
    virtual void OnContextMenuRequest(CPoint /*point*/) {}
    virtual CXTPCommandBar* Clone(BOOL bRecursive = FALSE);

    // Controls call this when the collection changes.
    virtual void OnControlsChanged() {}

    // Saving the bars: adds this bar to the list once (a bar that is not a toolbar and has id 0
    // or one above 0xFFFFFF takes nID, which then advances), then the bars of its controls.
    virtual void GenerateCommandBarList(DWORD& nID, CXTPCommandBarList* pBarList,
                                        XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam);
    // Loading the bars: the controls resolve their stored popup ids against the list.
    virtual void RestoreCommandBarList(CXTPCommandBarList* pBarList);

    // The hook receiver of the keyboard manager while tracking.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    // ---- messages
    // Feeds the tooltip context with the bar's mouse messages (an edit window of a control calls it
    // for its own messages too).
    void FilterToolTipMessage(MSG* pMsg);
    // The bar's own tooltip context, else its manager's.
    CXTPToolTipContext* GetToolTipContext() const;
    void SetToolTipContext(CXTPToolTipContext* pContext);
    // Dialog-style keyboard handling of a bar that hosts dialog controls.
    BOOL PreTranslateInput(MSG* pMsg) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- accessibility: the controls are the children
    HRESULT GetAccessibleParent(IDispatch** ppdispParent) override;
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    CCmdTarget* GetAccessible() override { return this; }

    // ---- Keyboard navigation while the bar tracks (XTPCommandBarNavigation.cpp).
    // A key the keyboard manager hands to the tracking bar: 1 eaten, 2 passed on.
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    // Carries out a navigation code (XTPSpecialKey); TRUE when the bar used it.
    virtual BOOL ProcessSpecialKey(int nKey);
    // Appends the bar's keyboard tips to its manager's list: one per visible control with a caption
    // that takes keyboard access (galleries have none), and, unless this is a popup, one per other
    // visible bar of the manager.
    virtual void CreateKeyboardTips();
    // A chosen keyboard tip: a control is executed, a bar is driven by the keyboard. Hiding the tips
    // deletes pTip: an override reads it before.
    virtual void OnKeyboardTipSelected(CXTPCommandBarKeyboardTip* pTip);
    // The level of the keyboard tips while this bar owns the shown ones, else 0.
    int GetKeyboardTipsLevel() const;
    // The control an access key selects, searching from after the hot one; -1 when none.
    int FindAccessKeyControl(UINT nChar, BOOL& bUnique) const;
    // Arrows move along a row (top, bottom, floating, popup toolbar) or down a column.
    BOOL IsHorizontalNavigation() const;
    BOOL IsLayoutRightToLeft() const;
    // A toolbar shown as a popup (type 1 at the popup position).
    BOOL IsPopupToolBar() const { return m_barType == xtpBarTypeNormal && m_barPosition == xtpBarPopup; }

protected:
    // The hot control of the neighbouring row (bDown: the row below) with the widest overlap.
    int FindNeighbourRowControl(BOOL bDown) const;
    // Types in a key over this bar's keyboard tips: TRUE when the tips took it.
    BOOL FilterKeyboardTips(UINT nChar);

public:
    // Set while the bar is opened to return a chosen command id instead of sending it.
    UINT* m_pReturnCmd = nullptr;
    // How often the bar was asked to redraw.
    int m_nRedrawCount = 0;

    // Timers of the bar.
    static const UINT_PTR kTimerHover = XTP_TID_HOVER;
    static const UINT_PTR kTimerFullMenus = XTP_TID_EXPAND;
    static const UINT_PTR kTimerKeyboardTips = XTP_TID_SHOWKEYBOARDTIPS;
    // Hover and full-menu delays (process-wide; milliseconds).
    static UINT s_nHoverDelay;
    static UINT s_nExpandDelay;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseLeave();
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnNcLButtonDownMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcMouseMoveMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The control under a client point (visible, parent this bar), or null.
    CXTPControl* HitTestControl(CPoint point) const;
    // The frame site's help mode.
    BOOL IsHelpMode() const;

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
    CRect m_rcMarker;
    BOOL m_bVerticalMarker = FALSE;
    BOOL m_bEnteredByMouse = FALSE;
    int m_nLockRedraw = 0;
    CXTPPaintManager* m_pPaintManager = nullptr;
    CXTPImageManager* m_pImageManager = nullptr;
    CXTPToolTipContext* m_pToolTipContext = nullptr;
    CXTPCommandBarAnimation* m_pAnimation = nullptr;
    int m_nStatusBarControlId = -1;

    int m_nDefaultButtonStyle = 0;
    HWND m_hWndOwner = nullptr;
    HWND m_hWndSite = nullptr;
    BOOL m_bKeyboard = FALSE;
    BOOL m_bCaretHidden = FALSE;
    CSize m_szLargeIcons = CSize(0, 0);
    int m_nTextOrientation = xtpBarTextAuto;
    int m_nShowTextBelowIcons = 2;

public:
    // What the command-bars manager calls on its bars besides the slots above. The ribbon's
    // mouse-wheel operation (argument TRUE when the wheel turns towards the user; non-zero when the
    // wheel was used); the base answers FALSE.
    virtual BOOL OnFrameMouseWheel(BOOL /*bForward*/) { return FALSE; }
    // The part of a ribbon drawn on composition glass (client coordinates); empty in the base.
    virtual CRect GetDwmGlassRect() const { return CRect(0, 0, 0, 0); }
    // Set on popup bars held as the manager's context menus.
    BOOL m_bContextMenu = FALSE;

    // Toolbars: clones into pTarget every control pushed out for lack of room (hide flags exactly
    // xtpHideWrap), with the clone's hide flags and flag word cleared.
    void CopyOverflowControls(CXTPCommandBar* pTarget) const;
    // Popup bars: a sub-popup animates only as the first of a tracking entered by mouse.
    void ClearEnteredByMouse() { m_bEnteredByMouse = FALSE; }
};
