// CControlBar: a child bar window that its frame lays out (status bars and the like).
//
// The bar's own style bits (CBRS_..., m_dwStyle) are kept apart from the window style. On the
// frame's layout (WM_SIZEPARENT) a visible bar asks CalcDynamicLayout (by default
// CalcFixedLayout) for its size and takes a strip off the free space at the side its alignment
// names: the top and bottom strips for CBRS_ALIGN_TOP / CBRS_ALIGN_BOTTOM, the left and right for
// CBRS_ALIGN_LEFT / CBRS_ALIGN_RIGHT. At idle time (WM_IDLEUPDATECMDUI) a visible bar updates its
// elements through OnUpdateCmdUI against its frame.
#pragma once

#include "framework/FrameWnd.h"

// The docking helper of a bar; bars keep only a pointer to it (m_pDockContext).
class CDockContext;

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)

public:
    CControlBar() = default;

    // Size of the bar for a stretched (whole side) or compact layout, horizontal or vertical.
    // The default is the window's current size, the stretched side taking the whole length.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Size for a layout request: nLength -1 asks for the natural size; dwMode is LM_ bits. The
    // default answers CalcFixedLayout(LM_STRETCH, LM_HORZ).
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // Shrinks a rectangle by the bar's borders (CBRS_BORDER_...).
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // Idle update of the bar's elements; the default updates child controls by their ids.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle);
    // Sides the bar may dock at (CBRS_ALIGN_... bits); 0 means none.
    void EnableDocking(DWORD dwDockStyle);
    BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    BOOL IsHorz() const;
    BOOL IsVisible() const;
    // The frame the bar belongs to: its dock site, else its parent frame.
    CFrameWnd* GetDockingFrame() const;

    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    CFrameWnd* m_pDockSite = nullptr;
    CDockContext* m_pDockContext = nullptr; // not owned here
    // Border widths inside the window (left/right and top/bottom).
    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 0;
    int m_cyTopBorder = 1;
    int m_cyBottomBorder = 1;
    // A bar made with new deletes itself after its window is gone.
    BOOL m_bAutoDelete = FALSE;

protected:
    // Moves the CBRS_ bits of the window style into m_dwStyle.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override;
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
