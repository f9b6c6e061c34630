// The colours a tab row is painted with and the fills that depend on them. The tab paint manager
// owns one set; its appearance set reads the colours and calls the fills.
#pragma once

#include "framework/DC.h"
#include "framework/Geometry.h"
#include "toolkit/common/drawing/XTPColorManager.h"

#include <windows.h>

class CXTPTabManager;
class CXTPTabManagerItem;
class CXTPTabManagerNavigateButton;
class CXTPTabPaintManager;

// A gradient whose first colour is this value paints the 8 x 8 dither pattern.
#define XTP_TAB_COLOR_DITHER COLORREF(-2)

class CXTPTabPaintManagerColorSet
{
public:
    CXTPTabPaintManagerColorSet() = default;
    CXTPTabPaintManagerColorSet(const CXTPTabPaintManagerColorSet&) = delete;
    CXTPTabPaintManagerColorSet& operator=(const CXTPTabPaintManagerColorSet&) = delete;

    virtual ~CXTPTabPaintManagerColorSet() = default;
    virtual void RefreshMetrics();
    // Selects the item's text colour into the DC.
    virtual void GetItemTextColor(CDC* pDC, CXTPTabManagerItem* pItem);
    virtual void FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager);
    virtual void FillItemFace(CDC* pDC, CRect rc, CXTPTabManager* pTabManager);
    virtual void FillSelectedItemFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem);
    virtual COLORREF FillItem(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem);
    virtual void AdjustClientClip(CDC* pDC, CRect& rcClient, CXTPTabManager* pTabManager);
    // Paints the button's face and selects the glyph colour as the DC's text colour; may move rc.
    virtual void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) = 0;
    virtual COLORREF GetItemColorByState(CXTPTabManagerItem* pItem);
    virtual BOOL IsNativeThemeActive() const { return FALSE; }

    // The gradient across the row of the given position (see the source for the direction rule).
    void GradientFill(CDC* pDC, CRect rc, const CXTPPaintManagerColorGradient& grc, int nPosition);
    // The 8 x 8 two-colour dither pattern of system face and highlight.
    static void FillDither(CDC* pDC, CRect rc);
    CXTPTabPaintManager* GetPaintManager() const { return m_pPaintManager; }
    // The text colour of an item: disabled, (when bFollowActive) inactive manager, selected, hot,
    // normal, the first that applies.
    COLORREF GetItemTextColorByState(CXTPTabManagerItem* pItem, BOOL bFollowActive) const;

public:
    CXTPPaintManagerColorGradient m_gradBackground;
    CXTPPaintManagerColorGradient m_gradBackgroundAlt;
    CXTPPaintManagerColor m_frameBorder;
    CXTPPaintManagerColor m_controlFace;
    CXTPPaintManagerColor m_paneFace;
    CXTPPaintManagerColor m_frameHighlight;
    CXTPPaintManagerColor m_selectedItemFace;
    CXTPPaintManagerColor m_hotItemFace;
    CXTPPaintManagerColor m_pressedItemFace;
    CXTPPaintManagerColor m_normalItemFace;
    CXTPPaintManagerColor m_normalText;
    CXTPPaintManagerColor m_inactiveText;
    CXTPPaintManagerColor m_selectedText;
    CXTPPaintManagerColor m_hotText;
    CXTPPaintManagerColor m_disabledText;
    CXTPPaintManagerColorGradient m_gradSelectedButton;
    CXTPPaintManagerColorGradient m_gradSelectedButtonBorder;
    CXTPPaintManagerColor m_pageHighlight;
    CXTPPaintManagerColor m_pageShadow;
    CXTPPaintManagerColor m_pageDarkShadow;
    CXTPPaintManagerColor m_pageDarkShadow2;
    CXTPPaintManagerColor m_frameBorder2;
    CXTPPaintManagerColor m_pageShadow2;
    CXTPPaintManagerColor m_pageLight;
    CXTPPaintManagerColor m_groupA1, m_groupA2, m_groupA3;
    CXTPPaintManagerColor m_groupB1, m_groupB2, m_groupB3;
    CXTPPaintManagerColor m_groupC1, m_groupC2, m_groupC3;
    CXTPPaintManagerColor m_groupD1, m_groupD2, m_groupD3;
    CXTPPaintManagerColor m_lastColor;
    CXTPTabPaintManager* m_pPaintManager = nullptr;
};
