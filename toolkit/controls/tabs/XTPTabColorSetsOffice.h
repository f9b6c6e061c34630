// The Office colour sets of tab rows: Office 2003 with its three fixed tables for the blue, olive
// and silver visual styles, Office 2007 from the theme's colour table and images, and its Access
// variant.
#pragma once

#include "toolkit/controls/tabs/XTPTabPaintManagerSets.h"

// Colour id 4. The fixed tables apply unless the paint manager disables them.
class CXTPTabPaintManager::CColorSetOffice2003 : public CXTPTabPaintManager::CColorSetDefault
{
public:
    void RefreshMetrics() override;
    // A gradient from 30 % of the tab's colour mixed with white to the colour.
    COLORREF FillItem(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem) override;
    void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;

    // The fixed table of a current system theme: 0 for blue, Royale and Aero (1, 4, 5), 1 for
    // olive (2), 2 for silver (3), -1 for any other theme.
    static int GetFixedTableIndex(int nSystemTheme);
    // Sets the colours of fixed table nTable (0 to 2).
    void ApplyFixedTable(int nTable);
    // The start of the Visual Studio 2005 and 2008 refresh: this set's refresh while the fixed
    // tables are allowed (TRUE); else the base values with the colours both sets share (FALSE).
    BOOL RefreshTablesOrOwnColours();

public:
    CXTPPaintManagerColor m_navButtonFrame;
    BOOL m_useFixedTable = FALSE;
};

// Colour id 32.
class CXTPTabPaintManager::CColorSetOffice2007 : public CXTPTabPaintManager::CColorSetOffice2003
{
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;

public:
    CXTPPaintManagerColor m_navButtonText;
};

// Colour id 128.
class CXTPTabPaintManager::CColorSetOffice2007Access : public CXTPTabPaintManager::CColorSetOffice2007
{
public:
    void RefreshMetrics() override;
};
