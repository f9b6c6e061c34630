// CXTPStatusBar: the frame's status bar (a CControlBar, child 0xE801, recognised by its run-time
// class "CXTPStatusBar"). Its panes (CXTPStatusBarPane, CXTPStatusBarSwitchPane) lie left to right;
// a pane with SBPS_STRETCH takes the room the others leave. Every pixel is drawn through the paint
// manager: FillStatusBar, then each visible pane's DrawStatusBarPane and DrawStatusBarPaneBorder.
// The bar saves whether it is shown and, with the save-panes flag, which panes are shown
// (SaveState / LoadState, in the section named by the profile name).
#pragma once

#include "framework/Array.h"
#include "framework/CmdTarget.h"
#include "framework/ControlBar.h"
#include "framework/FrameworkIds.h"
#include "framework/Geometry.h"

class CXTPCommandBars;
class CXTPImageManager;
class CXTPPaintManager;
class CXTPStatusBar;

#ifndef SBPS_NORMAL
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_OWNERDRAW 0x1000
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000
#endif

class CXTPStatusBarPane : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPStatusBarPane)

public:
    // Bit of the flag word: the pane is hidden.
    static const DWORD flagHidden = 0x10;

    CXTPStatusBarPane();
    ~CXTPStatusBarPane() override;

    UINT GetID() const { return m_nID; }
    // The pane's place in its status bar (-1 outside one).
    int GetIndex() const { return m_nIndex; }
    CXTPStatusBar* GetStatusBar() const { return m_pStatusBar; }
    CString GetText() const { return m_strText; }
    void SetText(LPCSTR lpszText);
    // Width of the pane; 0 measures the text.
    int GetWidth() const { return m_nWidth; }
    void SetWidth(int nWidth);
    UINT GetStyle() const { return m_nStyle; }
    void SetStyle(UINT nStyle);
    BOOL IsEnabled() const { return (m_nStyle & SBPS_DISABLED) == 0; }
    void SetEnabled(BOOL bEnabled);
    BOOL HasPopoutStyle() const { return (m_nStyle & SBPS_POPOUT) != 0; }
    BOOL IsVisible() const { return (m_dwFlags & flagHidden) == 0; }
    // Stores the flag word with bit 0x10 changed; only a change reaches the status bar.
    void SetVisible(BOOL bVisible);
    BOOL HasNoFlags() const { return m_dwFlags == 0; }
    DWORD GetFlags() const { return m_dwFlags; }
    COLORREF GetTextGrayColor() const { return m_clrTextGray; }
    void SetTextGrayColor(COLORREF clr) { m_clrTextGray = clr; }
    COLORREF GetTextColor() const { return m_clrText; }
    void SetTextColor(COLORREF clr) { m_clrText = clr; }
    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    void SetBackgroundColor(COLORREF clr) { m_clrBackground = clr; }
    CRect GetRect() const { return m_rcPane; }
    // 0 left, 1 centred, 2 right.
    int GetTextAlignment() const { return m_nAlignment; }
    void SetTextAlignment(int nAlignment);
    CRect GetPadding() const { return m_rcPadding; }
    void SetPadding(int cxLeft, int cyTop, int cxRight, int cyBottom);
    // Icon from the status bar's image manager (0: none).
    int GetIconId() const { return m_nIconId; }
    void SetIconId(int nIconId);
    // A pane that acts as a button (drawn hot and pressed by the paint manager).
    BOOL IsButton() const { return m_bButton; }
    void SetButton(BOOL bButton) { m_bButton = bButton; }

    // The width the pane wants for its content.
    virtual int GetBestFit(CDC* pDC) const;
    virtual void Draw(CDC* pDC, CRect rcItem);

protected:
    friend class CXTPStatusBar;
    void Redraw() const;
    // Tells the status bar (when there is one) that the pane changed.
    void Changed();

    UINT m_nID = 0;
    int m_nIndex = -1;
    CXTPStatusBar* m_pStatusBar = nullptr;
    CString m_strText;
    int m_nWidth = 0;
    UINT m_nStyle = SBPS_NORMAL;
    DWORD m_dwFlags = 0;
    COLORREF m_clrTextGray = COLORREF(-1);
    COLORREF m_clrText = COLORREF(-1);
    COLORREF m_clrBackground = COLORREF(-1);
    CRect m_rcPane = CRect(0, 0, 0, 0);
    int m_nAlignment = 0;
    CRect m_rcPadding = CRect(2, 0, 2, 0);
    int m_nIconId = 0;
    BOOL m_bButton = FALSE;
};

// A pane with a row of switch buttons (each an icon of a fixed width).
class CXTPStatusBarSwitchPane : public CXTPStatusBarPane
{
    DECLARE_DYNAMIC(CXTPStatusBarSwitchPane)

public:
    struct SWITCH
    {
        UINT nID = 0; // icon id in the status bar's image manager
        int nWidth = 18;
        CString strToolTip;
        BOOL bEnabled = TRUE;
        BOOL bHot = FALSE;
        BOOL bPressed = FALSE;
        BOOL bChecked = FALSE;
    };

    CXTPStatusBarSwitchPane();
    ~CXTPStatusBarSwitchPane() override;

    // Replaces the switches by one per id; FALSE for a null list with a count.
    BOOL SetSwitches(const UINT* lpIDArray, int nIDCount);
    SWITCH* AddSwitch(UINT nID, LPCSTR lpszToolTip = nullptr);
    int GetSwitchCount() const { return static_cast<int>(m_arrSwitches.GetSize()); }
    // Raises CInvalidArgException outside 0..count-1.
    SWITCH* GetSwitch(int nIndex) const;
    // Checks the switch with that id and unchecks the others.
    void SetChecked(UINT nID);

    int GetBestFit(CDC* pDC) const override;
    void Draw(CDC* pDC, CRect rcItem) override;

protected:
    CArray<SWITCH*, SWITCH*> m_arrSwitches;
};

class CXTPStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CXTPStatusBar)

public:
    CXTPStatusBar();
    ~CXTPStatusBar() override;

    // A child window at the bottom of the parent (CBRS_BOTTOM) with the frame's status-bar id.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);

    // ---- panes
    // Replaces every pane by one plain pane per id; FALSE for a null list with a count.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    // Inserts a pane (taking the caller's new object) at an index (-1 or past the end: last).
    CXTPStatusBarPane* AddIndicator(CXTPStatusBarPane* pPane, UINT nID, int nIndex = -1);
    CXTPStatusBarPane* AddIndicator(UINT nID, int nIndex = -1);
    BOOL RemoveIndicator(UINT nID);
    void RemoveAll();
    int GetPaneCount() const { return static_cast<int>(m_arrPanes.GetSize()); }
    // Null outside 0..count-1.
    CXTPStatusBarPane* GetPane(int nIndex) const;
    // The first pane with the id, or null.
    CXTPStatusBarPane* FindPane(UINT nID) const;
    int CommandToIndex(UINT nID) const;
    BOOL SetPaneText(int nIndex, LPCSTR lpszText);
    // The last pane of the light part (themes draw separators relative to it); -1 none.
    int GetDividerIndex() const { return m_nDividerIndex; }
    void SetDividerIndex(int nIndex) { m_nDividerIndex = nIndex; }

    // ---- where it draws from
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    // The manager's image manager when there is a manager, else the global one.
    CXTPImageManager* GetImageManager() const;
    // The manager's paint manager when there is a manager, else the global one.
    CXTPPaintManager* GetPaintManager() const;

    // ---- persistence
    BOOL IsSavePanes() const { return m_bSavePanes; }
    void SetSavePanes(BOOL bSave) { m_bSavePanes = bSave; }
    // "StatusBar" (0 only when hidden) and, with the save-panes flag, "StatusBarPanes".
    void SaveState(LPCSTR lpszProfileName);
    void LoadState(LPCSTR lpszProfileName);

    // A pane changed its visibility (or content): the panes are laid out again and redrawn.
    virtual void OnPaneChanged(CXTPStatusBarPane* pPane);
    // Places the panes left to right in the client area.
    void PositionPanes();
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // Draws the whole bar (background and panes) on a DC.
    void DrawBar(CDC* pDC);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void RefreshIndexes();

    CArray<CXTPStatusBarPane*, CXTPStatusBarPane*> m_arrPanes;
    CXTPCommandBars* m_pCommandBars = nullptr;
    BOOL m_bSavePanes = FALSE;
    int m_nDividerIndex = -1;
};
