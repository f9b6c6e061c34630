// The sets the paint manager makes by itself: the default colour set (system colours, the dither
// of button-like selected tabs) and the property-page appearance sets (ids 0 and 1).
#pragma once

#include "toolkit/controls/tabs/XTPTabPaintManager.h"

class CXTPTabPaintManager::CColorSetDefault : public CXTPTabPaintManagerColorSet
{
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;

protected:
    // The glyph in clrText; an enabled pressed button sunk (clrDark top-left, clrLight
    // bottom-right, rc moved by (1, 1)), a highlighted one raised.
    static void FillButtonEdges(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc, COLORREF clrText,
                                COLORREF clrDark, COLORREF clrLight);
};

class CXTPTabPaintManager::CAppearanceSetPropertyPage : public CXTPTabPaintManagerAppearanceSet
{
public:
    CAppearanceSetPropertyPage() { m_rcHeaderMargin.SetRect(2, 3, 6, 0); }
    CRect GetHeaderClipBox(CDC* pDC, CXTPTabManager* pTabManager) override;
    CRect GetClientMargin() override;
    CRect FillClient(CXTPTabManager* pTabManager, CDC* pDC, CRect rc) override;
    void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 1 | 4 | 8; }
    int GetDefaultColorSet() override { return 1; }

protected:
    // Whether the item gets its outline (every item here).
    virtual BOOL IsOutlined(const CXTPTabManagerItem* pItem) const;
    void DrawOutline(CDC* pDC, CXTPTabManagerItem* pItem, CRect& rc);
};

class CXTPTabPaintManager::CAppearanceSetPropertyPageSelected : public CXTPTabPaintManager::CAppearanceSetPropertyPage
{
protected:
    // Only the selected and the hot item.
    BOOL IsOutlined(const CXTPTabManagerItem* pItem) const override;
};
