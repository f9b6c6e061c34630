// CReBar: the common rebar control as a frame's control bar. Each band holds one child window (a
// toolbar, a combo box ...), optionally with a text and a background bitmap.
//
// The control's own styles (RBS_...) and the bar's alignment (CBRS_...) share bit values, so they are
// passed apart to Create: the first become the window's style, the second the bar style. Every band
// record the class sends carries kReBarBandInfoSize (framework/RecordSizes.h), the size that every
// version of the control accepts on both architectures.
#pragma once

#include "framework/ControlBar.h"

#include <commctrl.h>

class CBitmap;

class CReBar : public CControlBar
{
    DECLARE_DYNAMIC(CReBar)

public:
    CReBar() = default;

    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);

    // Appends a band holding pBar (the control makes itself the window's parent). The band's smallest
    // and ideal child size are the window's current size; pszText and pbmp are optional (null: none).
    // FALSE when the control refuses the band.
    BOOL AddBar(CWnd* pBar, LPCSTR pszText = nullptr, CBitmap* pbmp = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);

    int GetBandCount() const;
    // The band record is filled as its fMask asks; cbSize is set here.
    BOOL GetBandInfo(int nBand, REBARBANDINFOA* prbbi) const;
    BOOL SetBandInfo(int nBand, REBARBANDINFOA* prbbi);
    BOOL DeleteBand(int nBand);

    // The frame's layout: the control's own height (all its rows) across the given length.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

protected:
    // The control's styles are not bar styles: none is moved into m_dwStyle here.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
};
