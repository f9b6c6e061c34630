// CXTPToolBar: the dockable command bar (window class "XTPToolBar"). It lies in a dock bar, floats
// in its own popup window or sits directly in a frame; it is filled from an RT_TOOLBAR resource or by
// code, keeps its original controls for reset, and adds its own auxiliary controls: the close button
// of a floating bar (9149), the expand button (9148) and the entries of the "Add or Remove Buttons"
// list.
//
// Files: XTPToolBar.cpp (data, creation, visibility, position, copies, reset, the message map),
// XTPToolBarLayout.cpp (docked, floating and in-frame layout), XTPToolBarFloating.cpp (the
// floating window's messages and activation), XTPToolBarControls.cpp (the auxiliary controls and
// the "Add or Remove Buttons" list).
#pragma once

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControlPopup.h"
#include "toolkit/common/XTPResourceIds.h"

class CXTPBarLayoutState;
class CXTPCommandBarList;
class CXTPDockBar;
class CXTPDockContext;

// Flags of a bar (its flag word): where it may go, and how it lies in a dock bar row.
const DWORD xtpFlagAlignTop = 0x01;
const DWORD xtpFlagAlignBottom = 0x02;
const DWORD xtpFlagAlignLeft = 0x04;
const DWORD xtpFlagAlignRight = 0x08;
const DWORD xtpFlagAlignAny = 0x0F;
const DWORD xtpFlagFloating = 0x10;
const DWORD xtpFlagHideWrap = 0x20;
const DWORD xtpFlagStretched = 0x40;
const DWORD xtpFlagStretchedShared = 0x100000;

// Pixels kept at the end of a docked bar for the expand button.
const int XTP_TOOLBAR_EXPAND_RESERVE = 11;

class CXTPToolBar : public CXTPCommandBar
{
    DECLARE_SERIAL(CXTPToolBar)

public:
    // The close button of a floating bar: executing hides the bar.
    class CControlButtonHide : public CXTPControlButton
    {
    public:
        CControlButtonHide();
        void OnExecute() override;
        void Draw(CDC* pDC) override;
    };

    // An entry of the "Add or Remove Buttons" list: it toggles one control of a bar (hide bit 0x10)
    // or, with no control, resets the bar.
    class CControlButtonCustomize : public CXTPControlButton
    {
    public:
        CControlButtonCustomize();
        void OnExecute() override;

        CXTPControl* m_pControl = nullptr;
        CXTPToolBar* m_pToolBar = nullptr;
    };

    // The expand button: a button popup at the end of the bar that opens a popup toolbar with the
    // controls that did not fit and the "Add or Remove Buttons" entry.
    class CControlButtonExpand : public CXTPControlPopup
    {
    public:
        CControlButtonExpand();
        void SetRect(CRect rcControl) override;
        void Draw(CDC* pDC) override;
        BOOL SetPopup(BOOL bPopup) override;
        // Some control of the bar was pushed out (recomputed whenever the rectangle is set).
        BOOL HasHiddenControls() const { return m_bHiddenExists; }

    protected:
        // Fills a new expand popup for the bar.
        void FillExpandPopup(CXTPToolBar* pToolBar, CXTPCommandBar* pPopup);

        BOOL m_bHiddenExists = FALSE;
    };

    // How the reset question is asked (text, MB_ flags) → IDOK or another answer. Tests set it.
    typedef int (*PFN_RESET_QUESTION)(HWND hWndOwner, LPCSTR lpszText, UINT nType);
    static PFN_RESET_QUESTION s_pfnResetQuestion;
    // How MergeToolBar asks whether a changed program toolbar replaces the user's (IDYES keeps the
    // program's). Tests set it.
    static PFN_RESET_QUESTION s_pfnMergeQuestion;

    // The saved place of one bar ("<profile>-Bar<n>"); bodies in persistence/XTPToolBarInfo.cpp.
    class CToolBarInfo
    {
    public:
        CToolBarInfo() = default;
        // Empties the section, then writes the keys that differ from their defaults (see the body).
        BOOL SaveState(LPCSTR lpszProfileName, int nIndex) const;
        // Reads the record, scaling and clamping positions for the state's screen.
        BOOL LoadState(LPCSTR lpszProfileName, int nIndex, const CXTPBarLayoutState* pState);

        UINT m_nBarID = 0;
        BOOL m_bVisible = FALSE;
        BOOL m_bFloating = FALSE;
        CPoint m_pointPos = CPoint(-1, -1);
        int m_nMRUWidth = 32767;
        UINT m_uMRUDockID = 0;
        CRect m_rectMRUDockPos = CRect(0, 0, 0, 0);
        CPoint m_ptMRUFloatPos = CPoint(0, 0);
        CXTPToolBar* m_pBar = nullptr;
        BOOL m_bDialogBar = FALSE;
        CSize m_szDockingClient = CSize(200, 200);
        CSize m_szFloatingClient = CSize(200, 200);
    };

    CXTPToolBar();
    ~CXTPToolBar() override;

    // ---- data
    CXTPDockBar* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CXTPDockBar* pDockBar) { m_pDockBar = pDockBar; }
    CXTPDockContext* GetDockContext() const { return m_pDockContext; }
    BOOL IsBuiltIn() const { return m_bBuiltIn; }
    void SetBuiltIn(BOOL bBuiltIn) { m_bBuiltIn = bBuiltIn; }
    BOOL IsRemovedWhenHidden() const { return m_bTearOff; }
    void SetRemovedWhenHidden(BOOL bRemove) { m_bTearOff = bRemove; }
    BOOL IsCloseable() const { return m_bCloseable; }
    void SetCloseable(BOOL bCloseable) { m_bCloseable = bCloseable; }
    BOOL IsExpandButtonVisible() const { return m_bShowExpandButton; }
    void ShowExpandButton(BOOL bShow) { m_bShowExpandButton = bShow; }
    // The bar is listed in the customise dialog (saved as "CustomizeDialogPresent").
    BOOL IsCustomizeDialogPresent() const { return m_bCustomizeDialogPresent; }
    void SetCustomizeDialogPresent(BOOL bPresent) { m_bCustomizeDialogPresent = bPresent; }
    BOOL IsShowInToolbarsList() const { return m_bContextMenuPresent; }
    void SetShowInToolbarsList(BOOL bShow) { m_bContextMenuPresent = bShow; }
    // A floating bar also shows its expand button (off by default).
    BOOL IsFloatingExpandEnabled() const { return m_bFloatingExpand; }
    void SetFloatingExpandEnabled(BOOL bEnable) { m_bFloatingExpand = bEnable; }
    BOOL IsTemporarilyHidden() const { return m_bTemporarilyHidden; }
    // The RT_TOOLBAR resource the bar was loaded from (0 when none).
    UINT GetResourceID() const { return m_nResourceID; }
    BOOL IsFloating() const { return GetPosition() == xtpBarFloating; }
    BOOL IsDocked() const { return m_pDockBar != nullptr; }

    // ---- operations
    BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE) override;
    void SetVisible(BOOL bVisible) override;
    BOOL IsVisible() const override { return m_bVisible; }
    // Hides the bar for a while (remembering whether it was shown) or shows it again.
    void SetTemporarilyHidden(BOOL bHide);
    // 0-3 dock into the manager's dock bar of that side, 4 floats; anything else (or no manager)
    // gives FALSE.
    BOOL SetPosition(int nPosition);
    void OnRecalcLayout() override;
    CRect GetBorders() override;
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    // The floating layout (and, in a popup, the column layout).
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE) override;
    CXTPCommandBar* Clone(BOOL bRecursive = FALSE) override;
    // The layout in a dock bar row (nWidth: the row's thickness when committed, else 0).
    virtual CSize CalcDockingLayout(int nLength, DWORD dwMode, int nWidth = 0);
    // A resize by the user for bars that size themselves freely (those answering the first kind
    // query): the new window rectangle in screen coordinates and the sizing hit code. The toolbar's
    // own answer moves its window there.
    virtual void ResizeBar(const CRect& rcWindow, int nHitTest);
    // Puts the original controls back (asking first with bShowWarningMessage); only for built-in
    // bars with a resource id that may be customised.
    virtual void Reset(BOOL bShowWarningMessage);
    // Creates the bar's window when it has none: a popup owned by the parent when floating, else a
    // child; an existing window changes parent and style.
    virtual BOOL CreateBarWindow(CWnd* pParentWnd, BOOL bFloating);
    // The bar may be customised and has no original controls or differs from them.
    virtual BOOL IsChanged() const;
    // Leaving the manager: the bar leaves its dock bar too.
    void OnRemoved() override;
    // Fills the "Add or Remove Buttons" list of this bar into a popup bar.
    void FillAddRemoveButtonsPopup(CXTPCommandBar* pPopupBar);

    // ---- persistence (persistence/XTPBarsPersist.cpp)
    // A bar hosting a child window under a caption keeps client sizes docked and floating; plain
    // toolbars answer FALSE and ignore the sizes.
    virtual BOOL GetDialogBarClientSizes(CSize& /*szDocking*/, CSize& /*szFloating*/) const { return FALSE; }
    virtual void SetDialogBarClientSizes(CSize /*szDocking*/, CSize /*szFloating*/) {}
    void DoPropExchange(CXTPPropExchange* pPX) override;
    // Takes the user's saved copy of this bar (see the body for when the user is asked).
    virtual void MergeToolBar(CXTPCommandBar* pLoaded, BOOL bSilent);

    // The expand control (id 9148) when present, else null.
    CXTPControl* FindExpandControl() const;
    // The close button (id 9149) when present, else null.
    CXTPControl* FindHideControl() const;
    // Some control of the bar was pushed out for lack of room (hide flags exactly xtpHideWrap).
    BOOL HasPushedOutControls() const;

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcCreateMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcActivateMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnNcLButtonDownMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnClose();
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    // Registers the window class once.
    static BOOL RegisterWindowClass();
    // A control of this bar with an id, made (temporary, with flags) when missing.
    CXTPControl* EnsureAuxControl(int nId, BOOL bExpand);
    // Makes the expand control (a popup control that opens the pushed-out controls).
    virtual CXTPControl* CreateExpandButton();
    // Tells the site or the manager that the frame must lay out again.
    void RecalcSiteLayout();

    CXTPDockBar* m_pDockBar = nullptr;
    CXTPDockContext* m_pDockContext = nullptr;
    BOOL m_bBuiltIn = TRUE;
    BOOL m_bTearOff = FALSE;
    BOOL m_bPreviewVisible = FALSE;
    BOOL m_bTemporarilyHidden = FALSE;
    BOOL m_bReserved1 = FALSE;
    BOOL m_bShowExpandButton = TRUE;
    BOOL m_bContextMenuPresent = TRUE;
    BOOL m_bReserved2 = FALSE;
    BOOL m_bVisible = TRUE;

    BOOL m_bCloseable = TRUE;
    BOOL m_bFloatingExpand = FALSE;
    UINT m_nResourceID = 0;
    BOOL m_bCustomizeDialogPresent = TRUE;
    // Set while the bar lays itself out (OnRecalcLayout does not run again).
    BOOL m_bInRecalcLayout = FALSE;
};
