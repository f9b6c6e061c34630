// CXTPDockBar: the window along one edge of the site's client area that holds docked toolbars in
// rows (window class "XTPDockBar", titles "xtpBarTop", "xtpBarBottom", "xtpBarLeft",
// "xtpBarRight"). It keeps the row array (a null entry ends a row; the array starts with one),
// inserts a dropped bar into the right row, takes its strip in the frame layout (WM_SIZEPARENT) and
// lays its rows out with the row arithmetic of XTPDockBarLayout.h.
#pragma once

#include "framework/Wnd.h"
#include "toolkit/commandbars/docking/XTPDockBarLayout.h"

class CXTPCommandBars;
class CXTPToolBar;

// The dock bar's style bits kept at creation (alignment, borders, CBRS_SIZE_DYNAMIC, CBRS_FLOATING).
const DWORD XTP_DOCKBAR_STYLE_MASK = 0x40FFFF;

class CXTPDockBar : public CWnd
{
    DECLARE_DYNCREATE(CXTPDockBar)

public:
    // One bar of a row during layout, and the records of one row.
    typedef XTP_DOCK_INFO DOCK_INFO;
    typedef CXTPDockInfoArray CDockInfoArray;

    CXTPDockBar();
    ~CXTPDockBar() override;

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

    // Keeps the style bits of XTP_DOCKBAR_STYLE_MASK and creates the child window (WS_CLIPSIBLINGS
    // added) with the title of its position.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    DWORD GetDockStyle() const { return m_dwDockStyle; }
    // 0 top, 1 bottom, 2 left, 3 right, from the alignment bits.
    int GetPosition() const;
    // Aligned at the top or the bottom.
    BOOL IsHorizontal() const { return (m_dwDockStyle & 0xA000) != 0; }

    // ---- the rows
    const CXTPDockBarRowArray& GetRows() const { return m_arrBars; }
    // Replaces the rows (a loaded layout); the bars must already be children of this dock bar.
    void SetRows(const CXTPDockBarRowArray& rows) { m_arrBars.Copy(rows); }
    // Index of the bar in the rows, ignoring the entry at nSkip; -1 when absent.
    int FindBar(const CXTPToolBar* pBar, int nSkip = -1) const;
    // Docks the bar at a screen rectangle (inserted by its centre) or, without one, as a new last
    // row; takes it out of its old dock bar; the frame lays out again (delayed).
    void DockCommandBar(CXTPToolBar* pBar, LPCRECT lpRect = nullptr);
    // Takes the bar out (ignoring nSkip); FALSE when absent.
    BOOL RemoveCommandBar(CXTPToolBar* pBar, int nSkip = -1);
    // The visible bars of the row holding nIndex, by their window position along the dock bar.
    void GetRowBarsInOrder(int nIndex, CArray<CXTPToolBar*, CXTPToolBar*>& arrBars) const;
    // The size for a length along the dock bar; commits the bars' places with a deferred-position
    // handle in lpLayout.
    CSize CalcFixedLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* lpLayout);
    // The layout mode of a bar in this dock bar (orientation, stretch, hide what does not fit).
    DWORD GetBarLayoutMode(CXTPToolBar* pBar) const;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    // The bars answer the row arithmetic through this.
    class CLayoutSite : public CXTPDockBarLayoutSite
    {
    public:
        explicit CLayoutSite(CXTPDockBar* pDockBar) : m_pDockBar(pDockBar) {}
        CSize CalcBarLayout(CXTPToolBar* pBar, int nLength, DWORD dwMode, int nThickness) override;
        DWORD GetBarMode(CXTPToolBar* pBar) override;
        CRect GetDockedRect(CXTPToolBar* pBar) override;
        CRect GetBarRect(CXTPToolBar* pBar) override;
        BOOL IsBarVisible(CXTPToolBar* pBar) override;
        BOOL IsBarStretched(CXTPToolBar* pBar) override;
        BOOL IsBarSharingRow(CXTPToolBar* pBar) override;
        void PlaceBar(CXTPToolBar* pBar, const CRect& rc, DWORD dwMode) override;

        CXTPDockBar* m_pDockBar;
        HDWP m_hDWP = nullptr;
    };

    // Registers the window class once.
    static BOOL RegisterWindowClass();
    // The first row may take a dropped bar (FALSE while a ribbon menu bar lies in it).
    BOOL IsFirstRowOpen(const CXTPToolBar* pBar) const;
    void RecalcFrameLayout();

    CXTPDockBarRowArray m_arrBars;
    CXTPCommandBars* m_pCommandBars = nullptr;
    DWORD m_dwDockStyle = 0;
};
