// The native colour set of tab rows: tabs, page and buttons drawn by the visual style ("TAB" and
// "TOOLBAR" classes); without visual styles it paints exactly as the default set.
#pragma once

#include "toolkit/common/system/XTPWinThemeWrapper.h"
#include "toolkit/controls/tabs/XTPTabPaintManagerSets.h"

// Colour id 8.
class CXTPTabPaintManager::CColorSetWinNative : public CXTPTabPaintManager::CColorSetDefault
{
public:
    ~CColorSetWinNative() override;

    void RefreshMetrics() override;
    void FillItemFace(CDC* pDC, CRect rc, CXTPTabManager* pTabManager) override;
    void FillSelectedItemFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem) override;
    COLORREF FillItem(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem) override;
    // Takes the page's corner pixel next to the row out of the clip region.
    void AdjustClientClip(CDC* pDC, CRect& rcClient, CXTPTabManager* pTabManager) override;
    void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;
    BOOL IsNativeThemeActive() const override { return m_themeTab.HasTheme(); }

    // Where pixel (x, y) of a rectangle of a row at nPosition comes from in the upright picture
    // (the picture of a top tab: u along the row, v from the outer edge; its size w x h).
    static CPoint MapToUpright(int x, int y, int nWidth, int nHeight, int nPosition);

protected:
    // Draws a part of the "TAB" class into rc as a top tab would show it, turned or mirrored for
    // rows at the left, bottom and right.
    void DrawTabPart(CDC* pDC, CRect rc, int nPart, int nState, int nPosition);

public:
    CXTPWinThemeWrapper m_themeTab;
    CXTPWinThemeWrapper m_themeToolbar;
};
