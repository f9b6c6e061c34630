// The Visual Studio colour sets of tab rows: 2003 (system colours and the toolkit's grey
// background), 2005 and 2008 (Office 2003 tables, or their own colours per visual style when the
// tables are disabled) and 2010 (dark blue with a patterned background).
#pragma once

#include "toolkit/controls/tabs/XTPTabColorSetsOffice.h"

// Colour id 2.
class CXTPTabPaintManager::CColorSetVisualStudio2003 : public CXTPTabPaintManager::CColorSetDefault
{
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;
};

// Colour id 16.
class CXTPTabPaintManager::CColorSetVisualStudio2005 : public CXTPTabPaintManager::CColorSetOffice2003
{
public:
    void RefreshMetrics() override;
    COLORREF FillItem(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem) override;

public:
    BOOL m_gradientItems = FALSE;
};

// Colour id 64.
class CXTPTabPaintManager::CColorSetVisualStudio2008 : public CXTPTabPaintManager::CColorSetOffice2003
{
public:
    void RefreshMetrics() override;
    COLORREF FillItem(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem) override;

public:
    BOOL m_gradientItems = FALSE;
};

// Colour id 256. m_useFixedTable holds here whether the system is Windows Vista or later.
class CXTPTabPaintManager::CColorSetVisualStudio2010 : public CXTPTabPaintManager::CColorSetVisualStudio2008
{
public:
    explicit CColorSetVisualStudio2010(BOOL bPlainSelected = FALSE);
    ~CColorSetVisualStudio2010() override;

    void RefreshMetrics() override;
    // Ignores whether the manager is active.
    void GetItemTextColor(CDC* pDC, CXTPTabManagerItem* pItem) override;
    void FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager) override;
    COLORREF FillItem(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem) override;
    void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;

    // The half of a tab away from the client (top half of top tabs, left half of left tabs, ...).
    static CRect GetOuterHalf(CRect rc, int nPosition);
    // The background pattern, row by row: p q q q / r q q q / q q p q / q q r q.
    static COLORREF GetPatternPixel(int x, int y);

public:
    BOOL m_vs2010Style = FALSE;
    BOOL m_plainSelected;
    HBRUSH m_hPatternBrush = nullptr;
};
