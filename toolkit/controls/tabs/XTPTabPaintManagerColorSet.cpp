#include "toolkit/controls/tabs/XTPTabPaintManagerColorSet.h"

#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/controls/tabs/XTPTabPaintManagerSets.h"

#include <utility>

namespace
{
COLORREF SysColor(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

BOOL IsNone(COLORREF clr)
{
    return clr == COLORREF(-1);
}
} // namespace

// ---------------------------------------------------------------- base

void CXTPTabPaintManagerColorSet::RefreshMetrics()
{
    const int nAppearance = m_pPaintManager ? m_pPaintManager->GetAppearance() : 0;
    m_gradBackground.SetStandardValue(SysColor(COLOR_3DFACE));
    m_gradBackgroundAlt.SetStandardValueFrom(m_gradBackground);
    m_frameBorder.SetStandardValue(SysColor(COLOR_3DSHADOW));
    m_controlFace.SetStandardValue(SysColor(COLOR_3DFACE));
    m_paneFace.SetStandardValue(SysColor(COLOR_3DFACE));
    m_frameHighlight.SetStandardValue(SysColor(COLOR_3DHIGHLIGHT));
    m_selectedItemFace.SetStandardValue(SysColor(nAppearance == 7 ? COLOR_WINDOW : COLOR_3DFACE));
    m_hotItemFace.SetStandardValue(SysColor(COLOR_3DFACE));
    m_pressedItemFace.SetStandardValue(SysColor(COLOR_3DFACE));
    m_normalItemFace.SetStandardValue(SysColor(COLOR_3DFACE));
    m_normalText.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_inactiveText.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_selectedText.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_hotText.SetStandardValue(RGB(0, 0, 128));
    m_disabledText.SetStandardValue(SysColor(COLOR_GRAYTEXT));
    m_gradSelectedButton.SetStandardValue(SysColor(COLOR_WINDOW));
    m_gradSelectedButtonBorder.SetStandardValue(SysColor(COLOR_HIGHLIGHT));
    m_pageHighlight.SetStandardValue(SysColor(COLOR_3DHIGHLIGHT));
    m_pageShadow.SetStandardValue(SysColor(COLOR_3DSHADOW));
    m_pageDarkShadow.SetStandardValue(SysColor(COLOR_3DDKSHADOW));
    m_pageDarkShadow2.SetStandardValue(SysColor(COLOR_3DSHADOW));
    m_frameBorder2.SetStandardValue(SysColor(COLOR_3DSHADOW));
    m_pageShadow2.SetStandardValue(SysColor(COLOR_3DFACE));
    m_pageLight.SetStandardValue(SysColor(COLOR_3DFACE));
    m_groupA1.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_groupA2.SetStandardValue(SysColor(COLOR_3DSHADOW));
    m_groupA3.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_groupB1.SetStandardValue(COLORREF(-1));
    m_groupB2.SetStandardValue(COLORREF(-1));
    m_groupB3.SetStandardValue(COLORREF(-1));
    m_groupC1 = m_groupA1;
    m_groupC2 = m_groupA2;
    m_groupC3 = m_groupA3;
    m_groupD1.SetStandardValue(SysColor(COLOR_WINDOW));
    m_groupD2.SetStandardValue(SysColor(COLOR_3DSHADOW));
    m_groupD3.SetStandardValue(COLORREF(-1));
}

void CXTPTabPaintManagerColorSet::GetItemTextColor(CDC* pDC, CXTPTabManagerItem* pItem)
{
    pDC->SetTextColor(GetItemTextColorByState(pItem, TRUE));
}

COLORREF CXTPTabPaintManagerColorSet::GetItemTextColorByState(CXTPTabManagerItem* pItem, BOOL bFollowActive) const
{
    CXTPTabManager* pManager = pItem->GetTabManager();
    if (!pItem->IsEnabled())
        return m_disabledText;
    if (bFollowActive && pManager && !pManager->IsActive())
        return m_inactiveText;
    if (pItem->IsSelected())
        return m_selectedText;
    if (pItem->IsHighlighted())
        return m_hotText;
    return m_normalText;
}

void CXTPTabPaintManagerColorSet::FillDither(CDC* pDC, CRect rc)
{
    WORD bits[8];
    for (int i = 0; i < 8; i++)
        bits[i] = (i & 1) ? 0xAA : 0x55;
    HBITMAP hbm = ::CreateBitmap(8, 8, 1, 1, bits);
    HBRUSH hBrush = ::CreatePatternBrush(hbm);
    HDC hDC = pDC->GetSafeHdc();
    COLORREF clrOldBk = ::SetBkColor(hDC, SysColor(COLOR_3DFACE));
    COLORREF clrOldText = ::SetTextColor(hDC, SysColor(COLOR_3DHIGHLIGHT));
    HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
    ::PatBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    ::SelectObject(hDC, hOld);
    ::SetTextColor(hDC, clrOldText);
    ::SetBkColor(hDC, clrOldBk);
    ::DeleteObject(hBrush);
    ::DeleteObject(hbm);
}

void CXTPTabPaintManagerColorSet::GradientFill(CDC* pDC, CRect rc, const CXTPPaintManagerColorGradient& grc,
                                               int nPosition)
{
    if (rc.IsRectEmpty())
        return;
    COLORREF clrFirst = grc.clrLight;
    COLORREF clrSecond = grc.clrDark;
    if (clrFirst == XTP_TAB_COLOR_DITHER)
    {
        FillDither(pDC, rc);
        return;
    }
    if (IsNone(clrFirst))
        return;
    // Across the row; rows at the top or left run first to second, at the bottom or right the
    // other way; the paint manager's invert setting would swap once more.
    BOOL bHorz = nPosition == xtpTabPositionLeft || nPosition == xtpTabPositionRight;
    if (nPosition == xtpTabPositionBottom || nPosition == xtpTabPositionRight)
        std::swap(clrFirst, clrSecond);
    if (clrFirst == clrSecond)
        pDC->FillSolidRect(rc, clrFirst);
    else
        GetDrawHelpers()->GradientFill(pDC, rc, clrFirst, clrSecond, bHorz);
}

void CXTPTabPaintManagerColorSet::FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager)
{
    BOOL bPlainFace = m_gradBackground.clrLight.GetColor() == SysColor(COLOR_3DFACE) &&
                      m_gradBackground.clrDark.GetColor() == SysColor(COLOR_3DFACE);
    if (bPlainFace && pTabManager->DrawParentBackground(pDC, rc))
        return;
    GradientFill(pDC, rc, m_gradBackground, pTabManager->GetPosition());
}

void CXTPTabPaintManagerColorSet::FillItemFace(CDC* pDC, CRect rc, CXTPTabManager* pTabManager)
{
    CXTPTabManagerItem* pSelected = pTabManager->GetSelectedItem();
    COLORREF clr = pSelected ? GetItemColorByState(pSelected) : m_selectedItemFace.GetColor();
    if (!IsNone(clr))
        pDC->FillSolidRect(rc, clr);
}

void CXTPTabPaintManagerColorSet::FillSelectedItemFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    CXTPTabManager* pManager = pItem->GetTabManager();
    if (pItem->IsSelected())
    {
        if (m_pPaintManager && m_pPaintManager->m_bColorByItem)
            pDC->FillSolidRect(rc, pItem->GetColor());
        else
            GradientFill(pDC, rc, m_gradSelectedButton, pManager ? pManager->GetPosition() : 0);
        COLORREF clrTopLeft = m_gradSelectedButtonBorder.clrLight;
        COLORREF clrBottomRight = m_gradSelectedButtonBorder.clrDark;
        if (!IsNone(clrTopLeft) && !IsNone(clrBottomRight))
            pDC->Draw3dRect(rc, clrTopLeft, clrBottomRight);
        return;
    }
    if (pManager && pManager->IsHorizontalPosition())
        pDC->Draw3dRect(rc.right - 2, rc.top + 2, 2, rc.Height() - 4, SysColor(COLOR_3DSHADOW), SysColor(COLOR_3DHIGHLIGHT));
    else
        pDC->Draw3dRect(rc.left + 2, rc.bottom - 2, rc.Width() - 4, 2, SysColor(COLOR_3DSHADOW), SysColor(COLOR_3DHIGHLIGHT));
}

COLORREF CXTPTabPaintManagerColorSet::FillItem(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    COLORREF clr = GetItemColorByState(pItem);
    if (!IsNone(clr))
        pDC->FillSolidRect(rc, clr);
    return clr;
}

void CXTPTabPaintManagerColorSet::AdjustClientClip(CDC* /*pDC*/, CRect& /*rcClient*/, CXTPTabManager* /*pTabManager*/)
{
}

COLORREF CXTPTabPaintManagerColorSet::GetItemColorByState(CXTPTabManagerItem* pItem)
{
    if (m_pPaintManager && m_pPaintManager->m_bColorByItem)
        return pItem->GetColor();
    return pItem->IsSelected() ? m_selectedItemFace.GetColor() : m_normalItemFace.GetColor();
}

// ---------------------------------------------------------------- default set

void CXTPTabPaintManager::CColorSetDefault::RefreshMetrics()
{
    CXTPTabPaintManagerColorSet::RefreshMetrics();
    m_gradSelectedButton.SetStandardValue(XTP_TAB_COLOR_DITHER);
    m_gradSelectedButtonBorder.SetStandardValues(SysColor(COLOR_3DSHADOW), SysColor(COLOR_3DHIGHLIGHT));
    m_groupA1.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_groupA2.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_groupA3.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_groupB1.SetStandardValue(SysColor(COLOR_WINDOW));
    m_groupB2.SetStandardValue(SysColor(COLOR_3DSHADOW));
    m_groupB3.SetStandardValue(SysColor(COLOR_3DSHADOW));
    m_groupC1 = m_groupA1;
    m_groupC2 = m_groupA2;
    m_groupC3 = m_groupA3;
    m_groupD1.SetStandardValue(COLORREF(-1));
    m_groupD2.SetStandardValue(COLORREF(-1));
    m_groupD3.SetStandardValue(COLORREF(-1));
    if (m_pPaintManager && m_pPaintManager->GetAppearance() == 7)
    {
        m_selectedItemFace.SetStandardValue(SysColor(COLOR_3DFACE));
        m_normalItemFace.SetStandardValue(SysColor(COLOR_WINDOW));
        m_frameBorder.SetStandardValue(SysColor(COLOR_BTNTEXT));
    }
}

void CXTPTabPaintManager::CColorSetDefault::FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc)
{
    FillButtonEdges(pDC, pButton, rc, SysColor(COLOR_BTNTEXT), SysColor(COLOR_3DSHADOW), SysColor(COLOR_3DHIGHLIGHT));
}

void CXTPTabPaintManager::CColorSetDefault::FillButtonEdges(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc,
                                                            COLORREF clrText, COLORREF clrDark, COLORREF clrLight)
{
    pDC->SetTextColor(clrText);
    if (!pButton->IsEnabled())
        return;
    if (pButton->IsPressed())
    {
        pDC->Draw3dRect(rc, clrDark, clrLight);
        rc.OffsetRect(1, 1);
    }
    else if (pButton->IsHighlighted())
    {
        pDC->Draw3dRect(rc, clrLight, clrDark);
    }
}
