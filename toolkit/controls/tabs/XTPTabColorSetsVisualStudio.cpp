#include "toolkit/controls/tabs/XTPTabColorSetsVisualStudio.h"

#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/system/XTPSystemHelpers.h"
#include "toolkit/controls/tabs/XTPTabManagerNavigateButton.h"

namespace
{
COLORREF SysColor(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

int ItemPosition(CXTPTabManagerItem* pItem)
{
    CXTPTabManager* pManager = pItem ? pItem->GetTabManager() : nullptr;
    return pManager ? pManager->GetPosition() : xtpTabPositionTop;
}

CXTPPaintManagerColorGradient MakeGradient(COLORREF clrFirst, COLORREF clrSecond)
{
    CXTPPaintManagerColorGradient grc;
    grc.SetStandardValues(clrFirst, clrSecond);
    return grc;
}

const COLORREF kPatternP = RGB(41, 57, 86);
const COLORREF kPatternQ = RGB(45, 63, 92);
const COLORREF kPatternR = RGB(53, 73, 106);
} // namespace

// ---------------------------------------------------------------- Visual Studio 2003

void CXTPTabPaintManager::CColorSetVisualStudio2003::RefreshMetrics()
{
    CXTPTabPaintManagerColorSet::RefreshMetrics();
    const int nAppearance = m_pPaintManager ? m_pPaintManager->GetAppearance() : 0;
    if (nAppearance != 7 && nAppearance != 4)
        m_gradBackground.SetStandardValue(SysColor(48));
    if (nAppearance == 5)
    {
        m_normalText.SetStandardValue(SysColor(49));
        m_inactiveText.SetStandardValue(SysColor(49));
    }
    if (CXTPColorManager::IsLowResolution())
        m_gradBackgroundAlt.SetStandardValue(SysColor(COLOR_3DFACE));
    else
        m_gradBackgroundAlt.SetStandardValue(m_gradBackground.clrDark);
}

void CXTPTabPaintManager::CColorSetVisualStudio2003::FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton,
                                                                        CRect& rc)
{
    const int nAppearance = m_pPaintManager ? m_pPaintManager->GetAppearance() : 0;
    if (nAppearance == 7 || nAppearance == 4)
    {
        CColorSetDefault::FillNavigateButton(pDC, pButton, rc);
        return;
    }
    FillButtonEdges(pDC, pButton, rc, SysColor(49), SysColor(COLOR_BTNTEXT), SysColor(COLOR_3DFACE));
}

// ---------------------------------------------------------------- Visual Studio 2005

void CXTPTabPaintManager::CColorSetVisualStudio2005::RefreshMetrics()
{
    m_gradientItems = FALSE;
    if (RefreshTablesOrOwnColours())
        return;
    m_selectedItemFace.SetStandardValue(SysColor(COLOR_WINDOW));
    m_hotItemFace.SetStandardValue(SysColor(36));
    switch (GetColorManager()->GetCurrentSystemTheme())
    {
    case xtpSystemThemeBlue:
    case xtpSystemThemeOlive:
        m_gradBackground.SetStandardValue(RGB(228, 226, 213));
        m_gradientItems = TRUE;
        break;
    case xtpSystemThemeSilver:
        m_normalItemFace.SetStandardValue(RGB(245, 245, 248));
        m_gradBackground.SetStandardValue(RGB(238, 238, 238));
        m_gradientItems = TRUE;
        break;
    default:
        break;
    }
}

COLORREF CXTPTabPaintManager::CColorSetVisualStudio2005::FillItem(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    COLORREF clr = pItem->IsHighlighted() ? m_hotItemFace.GetColor() : GetItemColorByState(pItem);
    if (clr == COLORREF(-1))
        return clr;
    if (m_gradientItems)
        GradientFill(pDC, rc, MakeGradient(CXTPColorManager::MixColors(clr, RGB(255, 255, 255), 300), clr),
                     ItemPosition(pItem));
    else
        pDC->FillSolidRect(rc, clr);
    return clr;
}

// ---------------------------------------------------------------- Visual Studio 2008

void CXTPTabPaintManager::CColorSetVisualStudio2008::RefreshMetrics()
{
    m_gradientItems = FALSE;
    if (RefreshTablesOrOwnColours())
        return;
    m_selectedItemFace.SetStandardValue(SysColor(COLOR_3DFACE));
    m_hotItemFace.SetStandardValue(SysColor(COLOR_WINDOW));
    m_normalItemFace.SetStandardValue(SysColor(COLOR_3DFACE));
    m_gradBackground.SetStandardValue(SysColor(COLOR_3DFACE));

    struct ThemeColours
    {
        int nTheme;
        COLORREF selected, normal, hot, frame; // normal -1: left as it is
    };
    static const ThemeColours kThemes[] = {
        {xtpSystemThemeOlive, RGB(182, 198, 141), COLORREF(-1), RGB(175, 175, 142), RGB(147, 160, 112)},
        {xtpSystemThemeSilver, RGB(225, 226, 236), COLORREF(-1), RGB(255, 201, 128), RGB(147, 145, 176)},
        {xtpSystemThemeAero, RGB(210, 230, 250), RGB(152, 180, 210), RGB(129, 208, 241), RGB(105, 161, 191)},
        {xtpSystemThemeBlue, RGB(193, 210, 238), COLORREF(-1), RGB(167, 191, 227), RGB(152, 181, 226)},
        {xtpSystemThemeRoyale, RGB(193, 210, 238), COLORREF(-1), RGB(167, 191, 227), RGB(152, 181, 226)},
    };
    const int nTheme = GetColorManager()->GetCurrentSystemTheme();
    for (const ThemeColours& t : kThemes)
    {
        if (t.nTheme != nTheme)
            continue;
        m_selectedItemFace.SetStandardValue(t.selected);
        if (t.normal != COLORREF(-1))
            m_normalItemFace.SetStandardValue(t.normal);
        m_hotItemFace.SetStandardValue(t.hot);
        m_frameBorder.SetStandardValue(t.frame);
        m_gradientItems = TRUE;
        m_frameBorder2.SetStandardValue(m_frameBorder);
    }
}

COLORREF CXTPTabPaintManager::CColorSetVisualStudio2008::FillItem(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    const BOOL bSelected = pItem->IsSelected();
    COLORREF clr = (pItem->IsHighlighted() && !bSelected) ? m_hotItemFace.GetColor() : GetItemColorByState(pItem);
    if (clr == COLORREF(-1))
        return clr;
    if (m_gradientItems || bSelected)
        GradientFill(pDC, rc, MakeGradient(RGB(253, 253, 253), clr), ItemPosition(pItem));
    else
        pDC->FillSolidRect(rc, clr);
    return clr;
}

// ---------------------------------------------------------------- Visual Studio 2010

COLORREF CXTPTabPaintManager::CColorSetVisualStudio2010::GetPatternPixel(int x, int y)
{
    static const COLORREF kRows[4][4] = {{kPatternP, kPatternQ, kPatternQ, kPatternQ},
                                         {kPatternR, kPatternQ, kPatternQ, kPatternQ},
                                         {kPatternQ, kPatternQ, kPatternP, kPatternQ},
                                         {kPatternQ, kPatternQ, kPatternR, kPatternQ}};
    return kRows[((y % 4) + 4) % 4][((x % 4) + 4) % 4];
}

CXTPTabPaintManager::CColorSetVisualStudio2010::CColorSetVisualStudio2010(BOOL bPlainSelected)
    : m_plainSelected(bPlainSelected)
{
    // A 32-bit bitmap holds blue, green, red and an unused byte per pixel, rows top-down.
    DWORD bits[16];
    for (int y = 0; y < 4; y++)
    {
        for (int x = 0; x < 4; x++)
        {
            const COLORREF clr = GetPatternPixel(x, y);
            bits[y * 4 + x] = (DWORD(GetRValue(clr)) << 16) | (DWORD(GetGValue(clr)) << 8) | GetBValue(clr);
        }
    }
    HBITMAP hBitmap = ::CreateBitmap(4, 4, 1, 32, bits);
    if (hBitmap)
    {
        m_hPatternBrush = ::CreatePatternBrush(hBitmap);
        ::DeleteObject(hBitmap);
    }
}

CXTPTabPaintManager::CColorSetVisualStudio2010::~CColorSetVisualStudio2010()
{
    if (m_hPatternBrush)
        ::DeleteObject(m_hPatternBrush);
}

CRect CXTPTabPaintManager::CColorSetVisualStudio2010::GetOuterHalf(CRect rc, int nPosition)
{
    switch (nPosition)
    {
    case xtpTabPositionLeft:
        rc.right = rc.left + rc.Width() / 2;
        break;
    case xtpTabPositionBottom:
        rc.top = rc.bottom - rc.Height() / 2;
        break;
    case xtpTabPositionRight:
        rc.left = rc.right - rc.Width() / 2;
        break;
    default:
        rc.bottom = rc.top + rc.Height() / 2;
        break;
    }
    return rc;
}

void CXTPTabPaintManager::CColorSetVisualStudio2010::RefreshMetrics()
{
    CXTPTabPaintManagerColorSet::RefreshMetrics();
    m_gradientItems = FALSE;
    m_useFixedTable = GetOsVersion()->IsWinVistaOrGreater();
    m_inactiveText.SetStandardValue(RGB(206, 212, 221));
    m_disabledText.SetStandardValue(RGB(206, 212, 221));
    m_vs2010Style = TRUE;
    m_selectedText.SetStandardValue(RGB(0, 0, 0));
    m_hotText.SetStandardValue(RGB(255, 255, 255));
    m_normalText.SetStandardValue(RGB(255, 255, 255));
    m_normalItemFace.SetStandardValue(RGB(74, 93, 128));
    m_selectedItemFace.SetStandardValue(RGB(255, 232, 166));
    m_pressedItemFace.SetStandardValue(RGB(255, 232, 166));
    m_hotItemFace.SetStandardValue(RGB(95, 107, 117));
    m_gradBackground.SetStandardValue(RGB(45, 63, 92));
    m_gradBackgroundAlt.SetStandardValue(RGB(45, 63, 92));
    m_navButtonFrame.SetCustomValue(RGB(229, 195, 101));
    m_frameBorder2.SetStandardValue(RGB(47, 65, 95));
    m_frameBorder.SetStandardValue(RGB(47, 65, 95));
    m_lastColor.SetStandardValue(RGB(155, 167, 183));
    m_pageDarkShadow2.SetStandardValue(RGB(155, 167, 183));
    m_pageShadow2.SetStandardValue(RGB(41, 58, 86));
    m_pageLight.SetStandardValue(RGB(41, 58, 86));
    if (!m_useFixedTable)
    {
        m_hotItemFace.SetStandardValue(RGB(74, 93, 115));
        m_normalItemFace.SetStandardValue(RGB(57, 81, 115));
        m_selectedItemFace.SetStandardValue(RGB(255, 243, 206));
    }
    if (m_plainSelected)
        m_selectedItemFace.SetStandardValue(RGB(255, 255, 255));
}

void CXTPTabPaintManager::CColorSetVisualStudio2010::GetItemTextColor(CDC* pDC, CXTPTabManagerItem* pItem)
{
    pDC->SetTextColor(GetItemTextColorByState(pItem, FALSE));
}

void CXTPTabPaintManager::CColorSetVisualStudio2010::FillClient(CDC* pDC, CRect rc, CXTPTabManager* /*pTabManager*/)
{
    if (m_hPatternBrush)
        ::FillRect(pDC->GetSafeHdc(), &rc, m_hPatternBrush);
    else if (!m_gradBackground.clrLight.IsNull())
        pDC->FillSolidRect(rc, m_gradBackground.clrLight);
}

COLORREF CXTPTabPaintManager::CColorSetVisualStudio2010::FillItem(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    const int nPosition = ItemPosition(pItem);
    if (pItem->IsSelected())
    {
        const COLORREF clr = GetItemColorByState(pItem);
        if (clr == COLORREF(-1))
            return clr;
        pDC->FillSolidRect(rc, clr);
        if (m_useFixedTable && !m_plainSelected)
            GradientFill(pDC, GetOuterHalf(rc, nPosition), MakeGradient(RGB(255, 252, 242), RGB(255, 243, 207)),
                         nPosition);
        return clr;
    }
    if (pItem->IsHighlighted())
    {
        GradientFill(pDC, rc, MakeGradient(RGB(109, 117, 118), m_hotItemFace), nPosition);
        return m_hotItemFace;
    }
    const COLORREF clr = GetItemColorByState(pItem);
    if (clr != COLORREF(-1))
        pDC->FillSolidRect(rc, clr);
    return clr;
}

void CXTPTabPaintManager::CColorSetVisualStudio2010::FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton,
                                                                        CRect& rc)
{
    CXTPTabManagerItem* pItem = pButton->GetItem();
    COLORREF clrText = RGB(206, 212, 221);
    if (pItem && pItem->IsSelected())
        clrText = RGB(117, 99, 61);
    else if (pItem && !pItem->IsHighlighted())
        clrText = RGB(41, 56, 82);
    pDC->SetTextColor(clrText);
    const BOOL bHot = pButton->IsHighlighted();
    const BOOL bPressed = pButton->IsPressed();
    if (!pButton->IsEnabled() || (!bHot && !bPressed))
        return;
    pDC->FillSolidRect(rc, (bHot && bPressed) ? RGB(255, 232, 166) : RGB(255, 252, 244));
    if (!m_navButtonFrame.IsNull())
        pDC->Draw3dRect(rc, m_navButtonFrame, m_navButtonFrame);
    pDC->SetTextColor(RGB(0, 0, 0));
}
