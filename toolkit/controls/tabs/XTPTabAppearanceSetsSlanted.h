// Slanted appearance sets: Office 2003 tabs with a falling leading edge (id 3), Visual Studio 2005
// trapezoids drawn left to right up to the selected tab (id 9), and Excel's sheet tabs (id 7).
// Their faces are polygon fills through the DC's clipping, which they give back unchanged.
#pragma once

#include "toolkit/controls/tabs/XTPTabAppearanceSetsFlat.h"

#include <vector>

class CXTPTabPaintManager::CAppearanceSetPropertyPage2003 : public CXTPTabPaintManagerAppearanceSet
{
public:
    CAppearanceSetPropertyPage2003();
    // The text height is added before the first tab: the leading edge falls in front of the item.
    void RefreshMetrics() override;
    CRect GetButtonDrawRect(const CXTPTabManagerItem* pItem) override;
    CRect FillClient(CXTPTabManager* pTabManager, CDC* pDC, CRect rc) override;
    void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 1 | 4 | 16 | 64; }
    int GetDefaultColorSet() override { return 4; }

    // The face polygon and the outline of a tab on top with the rectangle (l, t, r, b), in the
    // coordinates of a tab on top.
    virtual std::vector<POINT> GetFacePolygon(int l, int t, int r, int b) const;
    virtual std::vector<POINT> GetOutline(int l, int t, int r, int b) const;
    // The two inner lines (three and four points) one pixel inside the outline; none when empty.
    virtual std::vector<POINT> GetInnerShadow(int l, int t, int r, int b) const;
    virtual std::vector<POINT> GetInnerLight(int l, int t, int r, int b) const;

public:
    // The hot tab is outlined in the second colour of m_gradSelectedButtonBorder.
    BOOL m_bHighlightHot = FALSE;

protected:
    virtual void UpdateHeaderMargin();
};

class CXTPTabPaintManager::CAppearanceSetVisualStudio2005 : public CXTPTabPaintManager::CAppearanceSetPropertyPage2003
{
public:
    CAppearanceSetVisualStudio2005();
    CRect GetButtonDrawRect(const CXTPTabManagerItem* pItem) override;
    std::vector<POINT> GetFacePolygon(int l, int t, int r, int b) const override;
    std::vector<POINT> GetOutline(int l, int t, int r, int b) const override;
    std::vector<POINT> GetInnerShadow(int, int, int, int) const override { return {}; }
    std::vector<POINT> GetInnerLight(int, int, int, int) const override { return {}; }

protected:
    void UpdateHeaderMargin() override;
};

class CXTPTabPaintManager::CAppearanceSetExcel : public CXTPTabPaintManager::CAppearanceSetFlat
{
public:
    CAppearanceSetExcel();
    // Half the text height more at both ends of the row.
    void RefreshMetrics() override;
    CRect GetButtonDrawRect(const CXTPTabManagerItem* pItem) override;
    void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 1 | 2 | 4 | 256; }
    int GetDefaultColorSet() override { return 2; }
};
