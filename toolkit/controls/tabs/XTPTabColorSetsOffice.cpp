#include "toolkit/controls/tabs/XTPTabColorSetsOffice.h"

#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/resources/XTPResourceImages.h"
#include "toolkit/controls/tabs/XTPTabManagerNavigateButton.h"

namespace
{
COLORREF SysColor(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

// One column of the Office 2003 tables: the colours of one visual style.
struct Office2003Table
{
    COLORREF frameBorder;        // and the second frame border
    COLORREF pageDarkShadow;     // and the second dark shadow
    COLORREF pageShadow;         // and the second shadow
    COLORREF pageLight;
    COLORREF selectedButton;     // both ends of the selected button's face
    COLORREF selectedButtonEdge; // its border, and the frame of hot navigate buttons
    COLORREF backgroundFirst, backgroundSecond;
    COLORREF backgroundAltFirst, backgroundAltSecond;
    COLORREF normalItemFace;
    COLORREF selectedItemFace;
    COLORREF hotItemFace;
};

const Office2003Table kOffice2003Tables[3] = {
    // blue, Royale and Aero
    {RGB(59, 97, 156), RGB(0, 53, 154), RGB(117, 166, 241), RGB(255, 255, 255), RGB(255, 192, 111), RGB(0, 0, 128),
     RGB(196, 218, 250), RGB(252, 253, 254), RGB(158, 190, 245), RGB(196, 218, 250), RGB(162, 192, 246),
     RGB(255, 194, 115), RGB(255, 240, 201)},
    // olive
    {RGB(96, 128, 88), RGB(96, 119, 107), RGB(176, 194, 140), RGB(255, 255, 255), RGB(255, 192, 111),
     RGB(63, 93, 56), RGB(242, 241, 228), RGB(252, 254, 254), RGB(217, 217, 167), RGB(242, 241, 228),
     RGB(208, 222, 170), RGB(255, 194, 115), RGB(255, 240, 199)},
    // silver
    {RGB(124, 124, 148), RGB(118, 116, 146), RGB(186, 185, 206), RGB(255, 255, 255), RGB(255, 192, 111),
     RGB(75, 75, 111), RGB(243, 243, 247), RGB(252, 254, 254), RGB(215, 215, 229), RGB(243, 243, 247),
     RGB(217, 217, 230), RGB(255, 194, 115), RGB(255, 238, 194)},
};

const COLORREF kPressedTableFace = RGB(254, 142, 75);

int ItemPosition(CXTPTabManagerItem* pItem)
{
    CXTPTabManager* pManager = pItem ? pItem->GetTabManager() : nullptr;
    return pManager ? pManager->GetPosition() : xtpTabPositionTop;
}
} // namespace

// ---------------------------------------------------------------- Office 2003

int CXTPTabPaintManager::CColorSetOffice2003::GetFixedTableIndex(int nSystemTheme)
{
    return CXTPColorManager::GetStyleColumn(nSystemTheme);
}

void CXTPTabPaintManager::CColorSetOffice2003::ApplyFixedTable(int nTable)
{
    const Office2003Table& t = kOffice2003Tables[nTable];
    m_frameBorder.SetStandardValue(t.frameBorder);
    m_frameBorder2.SetStandardValue(t.frameBorder);
    m_pageDarkShadow.SetStandardValue(t.pageDarkShadow);
    m_pageDarkShadow2.SetStandardValue(t.pageDarkShadow);
    m_pageShadow.SetStandardValue(t.pageShadow);
    m_pageShadow2.SetStandardValue(t.pageShadow);
    m_pageLight.SetStandardValue(t.pageLight);
    m_gradSelectedButton.SetStandardValue(t.selectedButton);
    m_gradSelectedButtonBorder.SetStandardValue(t.selectedButtonEdge);
    m_navButtonFrame.SetStandardValue(t.selectedButtonEdge);
    m_gradBackground.SetStandardValues(t.backgroundFirst, t.backgroundSecond);
    m_gradBackgroundAlt.SetStandardValues(t.backgroundAltFirst, t.backgroundAltSecond);
    m_normalItemFace.SetStandardValue(t.normalItemFace);
    m_selectedItemFace.SetStandardValue(t.selectedItemFace);
    m_hotItemFace.SetStandardValue(t.hotItemFace);
}

void CXTPTabPaintManager::CColorSetOffice2003::RefreshMetrics()
{
    CXTPTabPaintManagerColorSet::RefreshMetrics();
    m_gradBackground.SetStandardValues(SysColor(COLOR_3DFACE),
                                       CXTPColorManager::MixColors(SysColor(COLOR_3DFACE), SysColor(COLOR_WINDOW), 205));
    m_gradSelectedButton.SetStandardValue(SysColor(36));
    m_gradSelectedButtonBorder.SetStandardValue(SysColor(37));
    m_hotItemFace.SetStandardValue(SysColor(36));
    m_pressedItemFace.SetStandardValue(SysColor(33));
    m_hotText.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_gradBackgroundAlt.SetStandardValueFrom(m_gradBackground);
    m_navButtonFrame.SetStandardValue(COLORREF(-1));
    m_useFixedTable = FALSE;

    if (!m_pPaintManager || !m_pPaintManager->IsLunaColorsDisabled())
    {
        const int nTable = GetFixedTableIndex(GetColorManager()->GetCurrentSystemTheme());
        if (nTable < 0)
        {
            m_selectedItemFace.SetStandardValue(SysColor(36));
        }
        else
        {
            ApplyFixedTable(nTable);
            m_useFixedTable = TRUE;
            m_pressedItemFace.SetStandardValue(kPressedTableFace);
        }
    }

    m_groupA1.SetStandardValue(m_frameBorder);
    m_groupA2.SetStandardValue(m_frameBorder);
    m_groupA3.SetStandardValue(m_frameBorder);
    for (CXTPPaintManagerColor* pNone : {&m_groupB1, &m_groupB2, &m_groupB3, &m_groupD1, &m_groupD2, &m_groupD3})
        pNone->SetStandardValue(COLORREF(-1));
    m_groupC1 = m_groupA1;
    m_groupC2 = m_groupA2;
    m_groupC3 = m_groupA3;

    if (m_pPaintManager && m_pPaintManager->GetAppearance() == 4)
    {
        m_gradBackground.SetStandardValue(SysColor(COLOR_3DFACE));
        m_gradBackgroundAlt.SetStandardValue(SysColor(COLOR_3DFACE));
    }
}

BOOL CXTPTabPaintManager::CColorSetOffice2003::RefreshTablesOrOwnColours()
{
    if (!m_pPaintManager || !m_pPaintManager->IsLunaColorsDisabled())
    {
        CColorSetOffice2003::RefreshMetrics();
        return TRUE;
    }
    CXTPTabPaintManagerColorSet::RefreshMetrics();
    m_useFixedTable = FALSE;
    m_navButtonFrame.SetStandardValue(COLORREF(-1));
    m_selectedText.SetStandardValue(SysColor(COLOR_WINDOWTEXT));
    m_pressedItemFace.SetStandardValue(SysColor(33));
    m_hotText.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_frameBorder2.SetStandardValue(SysColor(57));
    m_frameBorder.SetStandardValue(SysColor(57));
    return FALSE;
}

COLORREF CXTPTabPaintManager::CColorSetOffice2003::FillItem(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    COLORREF clr = GetItemColorByState(pItem);
    if (pItem->IsPressed())
        clr = m_pressedItemFace;
    else if (pItem->IsHighlighted())
        clr = m_hotItemFace;
    if (clr == COLORREF(-1))
        return clr;
    CXTPPaintManagerColorGradient grc;
    grc.SetStandardValues(CXTPColorManager::MixColors(clr, RGB(255, 255, 255), 300), clr);
    GradientFill(pDC, rc, grc, ItemPosition(pItem));
    return clr;
}

void CXTPTabPaintManager::CColorSetOffice2003::FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton,
                                                                  CRect& rc)
{
    pDC->SetTextColor(SysColor(COLOR_BTNTEXT));
    if (!pButton->IsEnabled())
        return;
    const BOOL bHot = pButton->IsHighlighted();
    const BOOL bPressed = pButton->IsPressed();
    if (!bHot && !bPressed)
        return;
    const BOOL bBoth = bHot && bPressed;
    if (m_useFixedTable)
    {
        if (bBoth)
            GetDrawHelpers()->GradientFill(pDC, rc, kPressedTableFace, RGB(255, 207, 139), FALSE);
        else
            GetDrawHelpers()->GradientFill(pDC, rc, RGB(255, 242, 200), RGB(255, 212, 151), FALSE);
        if (!m_navButtonFrame.IsNull())
            pDC->Draw3dRect(rc, m_navButtonFrame, m_navButtonFrame);
        return;
    }
    pDC->FillSolidRect(rc, SysColor(bBoth ? 33 : 31));
    const COLORREF clrFrame = SysColor(bBoth ? 50 : 32);
    pDC->Draw3dRect(rc, clrFrame, clrFrame);
    pDC->SetTextColor(SysColor(bBoth ? 47 : 45));
}

// ---------------------------------------------------------------- Office 2007

void CXTPTabPaintManager::CColorSetOffice2007::RefreshMetrics()
{
    CColorSetOffice2003::RefreshMetrics();
    CXTPResourceImages* pImages = GetResourceImages();
    if (pImages->IsLoaded())
    {
        m_frameBorder.SetStandardValue(pImages->GetImageColor("TabManager", "FrameBorder"));
        m_frameBorder2.SetStandardValue(m_frameBorder);
        m_pageDarkShadow.SetStandardValue(pImages->GetImageColor("TabManager", "DarkShadow"));
        m_pageDarkShadow2.SetStandardValue(m_pageDarkShadow);
        m_pageShadow.SetStandardValue(pImages->GetImageColor("TabManager", "LightShadow"));
        m_pageShadow2.SetStandardValue(m_pageShadow);
        m_pageLight.SetStandardValue(RGB(255, 255, 255));
        m_gradBackground.SetStandardValue(pImages->GetImageColor("Ribbon", "RibbonFace"));
        m_gradBackgroundAlt.SetStandardValue(pImages->GetImageColor("Ribbon", "RibbonFace"));
        m_normalItemFace.SetStandardValue(pImages->GetImageColor("Window", "ButtonFace"));
        m_selectedItemFace.SetStandardValue(pImages->GetImageColor("Window", "HighlightChecked"));
        m_hotItemFace.SetStandardValue(pImages->GetImageColor("Window", "HighlightSelected"));
        m_navButtonFrame.SetStandardValue(pImages->GetImageColor("Window", "WindowFrame"));
        m_hotText.SetStandardValue(pImages->GetImageColor("Ribbon", "TabNormalText"));
        m_normalText.SetStandardValue(pImages->GetImageColor("Ribbon", "TabNormalText"));
        m_selectedText.SetStandardValue(pImages->GetImageColor("Ribbon", "TabSelectedText"));
    }
    else
    {
        ApplyFixedTable(0);
        m_pressedItemFace.SetStandardValue(SysColor(33));
    }
    m_useFixedTable = TRUE;
    m_navButtonText.SetStandardValue(m_normalText);
}

void CXTPTabPaintManager::CColorSetOffice2007::FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton,
                                                                  CRect& rc)
{
    if (!GetResourceImages()->IsLoaded())
    {
        CColorSetDefault::FillNavigateButton(pDC, pButton, rc);
        return;
    }
    if (!pButton->GetItem())
        pDC->SetTextColor(m_navButtonText);
    if (!pButton->IsEnabled() || (!pButton->IsPressed() && !pButton->IsHighlighted()))
        return;
    CXTPResourceImage* pImage = GetResourceImages()->LoadImage("TOOLBARBUTTONS22");
    if (!pImage)
        return;
    pImage->DrawImage(pDC, rc, pImage->GetSource(pButton->IsPressed() ? 1 : 0, 4), CRect(8, 8, 8, 8));
    pDC->SetTextColor(RGB(0, 0, 0));
}

// ---------------------------------------------------------------- Office 2007, Access

void CXTPTabPaintManager::CColorSetOffice2007Access::RefreshMetrics()
{
    CColorSetOffice2007::RefreshMetrics();
    CXTPResourceImages* pImages = GetResourceImages();
    if (!pImages->IsLoaded())
        return;
    m_selectedText.SetStandardValue(RGB(0, 0, 0));
    m_normalText.SetStandardValue(RGB(0, 0, 0));
    m_hotText.SetStandardValue(RGB(0, 0, 0));
    m_frameBorder.SetStandardValue(pImages->GetImageColor("TabManager", "AccessBorder"));
    m_frameBorder2.SetStandardValue(m_frameBorder);
    m_gradBackground.SetStandardValue(pImages->GetImageColor("TabManager", "AccessHeader"));
    m_gradBackgroundAlt.SetStandardValue(pImages->GetImageColor("TabManager", "AccessHeader"));
    m_navButtonText.SetStandardValue(pImages->GetImageColor("Ribbon", "TabNormalText"));
}
