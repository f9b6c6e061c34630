// Appearance sets drawn from the theme images: the Office 2007 property page (id 10, "RIBBONTAB"
// behind the selected and the hot tab, "TABCONTROLPAGE" as page) and its Access variant (id 11,
// "ACCESSTAB" behind every tab). Without loaded theme images they draw nothing at all.
#pragma once

#include "toolkit/controls/tabs/XTPTabPaintManager.h"

class CXTPResourceImage;

class CXTPTabPaintManager::CAppearanceSetPropertyPage2007 : public CXTPTabPaintManagerAppearanceSet
{
public:
    CAppearanceSetPropertyPage2007() { m_rcHeaderMargin.SetRect(4, 1, 0, 0); }
    CRect FillClient(CXTPTabManager* pTabManager, CDC* pDC, CRect rc) override;
    void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 32; }
    int GetDefaultColorSet() override { return 32; }
    // The tab picture of a tab on top, in rc.
    virtual void DrawTabImage(CDC* pDC, CXTPTabManagerItem* pItem, CRect rc);

    // The cell of "RIBBONTAB" for the item: 5 selected with the focus, 4 selected and hot,
    // 3 selected, 2 pressed, 1 hot, 0 normal.
    static int GetRibbonTabState(const CXTPTabManagerItem* pItem);
    // Theme images are loaded.
    static BOOL IsThemeLoaded();

protected:
    // The picture that DrawTabImage draws, turned to the row's position, into rc.
    void DrawTurnedTabImage(CDC* pDC, CXTPTabManagerItem* pItem, const CRect& rc);
    // Draws state nState of nCount of the image keyed on magenta, stretched with the margins.
    static void DrawKeyedImage(CDC* pDC, CXTPResourceImage* pImage, const CRect& rc, int nState, int nCount,
                               const CRect& rcMargins);
};

class CXTPTabPaintManager::CAppearanceSetPropertyPageAccess2007 : public CXTPTabPaintManager::CAppearanceSetPropertyPage2007
{
public:
    CAppearanceSetPropertyPageAccess2007();
    // The text height is at least 24; half of it follows the last tab.
    void RefreshMetrics() override;
    CRect GetButtonDrawRect(const CXTPTabManagerItem* pItem) override;
    CRect FillClient(CXTPTabManager* pTabManager, CDC* pDC, CRect rc) override;
    void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 128; }
    int GetDefaultColorSet() override { return 128; }
    void DrawTabImage(CDC* pDC, CXTPTabManagerItem* pItem, CRect rc) override;

    // The cell of "ACCESSTAB": 3 selected and hot, 2 selected, 1 hot, 0 normal.
    static int GetAccessTabState(const CXTPTabManagerItem* pItem);
};
