#include "toolkit/controls/tabs/XTPTabAppearanceSetsSlanted.h"

#include "toolkit/controls/tabs/XTPTabAppearanceDraw.h"

#include <algorithm>

using namespace xtp_tab_draw;

namespace
{
std::vector<POINT> MapPoints(const CTabFrame& f, const std::vector<POINT>& pts)
{
    std::vector<POINT> arr;
    for (const POINT& pt : pts)
    {
        CPoint p = f.Map(pt.x, pt.y);
        arr.push_back({p.x, p.y});
    }
    return arr;
}

BOOL IsHorizontal(int nPosition)
{
    return nPosition == xtpTabPositionTop || nPosition == xtpTabPositionBottom;
}

// The item widened by nBefore before its start and nAfter past its end along the row.
CRect WidenAlongRow(CRect rc, int nPosition, int nBefore, int nAfter)
{
    if (IsHorizontal(nPosition))
    {
        rc.left -= nBefore;
        rc.right += nAfter;
    }
    else
    {
        rc.top -= nBefore;
        rc.bottom += nAfter;
    }
    return rc;
}
} // namespace

// ---------------------------------------------------------------- Office 2003 (3)

CXTPTabPaintManager::CAppearanceSetPropertyPage2003::CAppearanceSetPropertyPage2003()
{
    UpdateHeaderMargin();
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage2003::UpdateHeaderMargin()
{
    m_rcHeaderMargin.SetRect(2 + m_nTextHeight, 3, 6, 0);
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage2003::RefreshMetrics()
{
    CXTPTabPaintManagerAppearanceSet::RefreshMetrics();
    UpdateHeaderMargin();
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage2003::GetButtonDrawRect(const CXTPTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    if (IsHorizontal(m_pPaintManager->GetPosition()))
        return CRect(rc.left - rc.Height(), rc.top, rc.right + 2, rc.bottom);
    return CRect(rc.left, rc.top - rc.Width(), rc.right, rc.bottom + 2);
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage2003::FillClient(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    const COLORREF clrBorder = GetColorSet()->m_frameBorder2;
    return FillFramedClient(this, pTabManager, pDC, rc, clrBorder, clrBorder);
}

std::vector<POINT> CXTPTabPaintManager::CAppearanceSetPropertyPage2003::GetFacePolygon(int l, int t, int r, int b) const
{
    const int h = b - t;
    return {{r - 1, b - 1}, {r - 1, t + 2}, {l + 4, t + 2}, {l + 8 - h, b - 2}};
}

std::vector<POINT> CXTPTabPaintManager::CAppearanceSetPropertyPage2003::GetOutline(int l, int t, int r, int b) const
{
    const int h = b - t;
    return {{l + 7 - h, b - 1}, {l + 3, t + 3}, {l + 5, t + 1}, {r - 3, t + 1},
            {r - 2, t + 2},     {r - 1, t + 3}, {r - 1, b - 1}};
}

std::vector<POINT> CXTPTabPaintManager::CAppearanceSetPropertyPage2003::GetInnerShadow(int /*l*/, int t, int r, int b) const
{
    return {{r - 3, t + 2}, {r - 2, t + 3}, {r - 2, b - 1}};
}

std::vector<POINT> CXTPTabPaintManager::CAppearanceSetPropertyPage2003::GetInnerLight(int l, int t, int r, int b) const
{
    const int h = b - t;
    return {{l + 8 - h, b - 1}, {l + 4, t + 3}, {l + 5, t + 2}, {r - 4, t + 2}};
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage2003::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    const CTabFrame f(pItem->GetRect(), m_pPaintManager->GetPosition());
    const int l = f.L, t = f.T, r = f.R, b = f.B;
    const BOOL bSelected = pItem->IsSelected();
    const BOOL bHotOutline = m_bHighlightHot && !bSelected && pItem->IsHighlighted();

    std::vector<POINT> arrFace = GetFacePolygon(l, t, r, b);
    std::vector<POINT> arrDevice = MapPoints(f, arrFace);
    const COLORREF clrFace = FillPolygon(pDC, arrDevice.data(), int(arrDevice.size()),
                                         [&](CDC* pFillDC, CRect rcBox) { return pColors->FillItem(pFillDC, rcBox, pItem); });

    COLORREF clrOutline = bSelected ? pColors->m_frameBorder2.GetColor() : pColors->m_pageDarkShadow2.GetColor();
    COLORREF clrShadow = pColors->m_pageShadow2;
    COLORREF clrLight = bSelected ? RGB(255, 255, 255) : pColors->m_pageLight.GetColor();
    if (bHotOutline)
        clrOutline = clrShadow = clrLight = pColors->m_gradSelectedButtonBorder.clrDark;

    std::vector<POINT> arr = GetOutline(l, t, r, b);
    f.Polyline(pDC, arr.data(), int(arr.size()), clrOutline);
    arr = GetInnerShadow(l, t, r, b);
    f.Polyline(pDC, arr.data(), int(arr.size()), clrShadow);
    arr = GetInnerLight(l, t, r, b);
    f.Polyline(pDC, arr.data(), int(arr.size()), clrLight);

    if (bSelected && !arrFace.empty())
    {
        // Joins the client area: the face colour along the client-side edge, between the sides.
        int nMin = arrFace[0].x, nMax = arrFace[0].x;
        for (const POINT& pt : arrFace)
        {
            if (pt.y >= b - 2)
            {
                nMin = std::min<int>(nMin, pt.x);
                nMax = std::max<int>(nMax, pt.x);
            }
        }
        f.Line(pDC, nMin + 1, b - 1, nMax - 1, b - 1, clrFace);
    }
    DrawContent(m_pPaintManager, pDC, pItem, pItem->GetRect());
}

// ---------------------------------------------------------------- Visual Studio 2005 (9)

CXTPTabPaintManager::CAppearanceSetVisualStudio2005::CAppearanceSetVisualStudio2005()
{
    m_bDrawLeftToRight = TRUE;
    UpdateHeaderMargin();
}

void CXTPTabPaintManager::CAppearanceSetVisualStudio2005::UpdateHeaderMargin()
{
    m_rcHeaderMargin.SetRect(2 + m_nTextHeight / 2, 3, 6, 0);
}

CRect CXTPTabPaintManager::CAppearanceSetVisualStudio2005::GetButtonDrawRect(const CXTPTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    const int nPosition = m_pPaintManager->GetPosition();
    const int nHalf = IsHorizontal(nPosition) ? rc.Height() / 2 : rc.Width() / 2;
    return WidenAlongRow(rc, nPosition, nHalf, nHalf);
}

std::vector<POINT> CXTPTabPaintManager::CAppearanceSetVisualStudio2005::GetFacePolygon(int l, int t, int r, int b) const
{
    const int h2 = (b - t) / 2;
    const int steps[7][2] = {{3 - h2, 2 * (3 - h2)}, {-4, -4}, {-3, -1}, {l - r + 16, 0},
                             {-3, 1},                {-3, 3},  {2 - h2, 2 * h2 - 4}};
    std::vector<POINT> arr;
    POINT pt = {r + h2 - 4, b - 1};
    arr.push_back(pt);
    for (const auto& s : steps)
    {
        pt.x += s[0];
        pt.y += s[1];
        arr.push_back(pt);
    }
    return arr;
}

std::vector<POINT> CXTPTabPaintManager::CAppearanceSetVisualStudio2005::GetOutline(int l, int t, int r, int b) const
{
    return GetFacePolygon(l, t, r, b);
}

// ---------------------------------------------------------------- Excel sheets (7)

CXTPTabPaintManager::CAppearanceSetExcel::CAppearanceSetExcel()
{
    m_rcHeaderMargin.SetRect(2 + m_nTextHeight / 2, 3, 2 + m_nTextHeight / 2, 0);
}

void CXTPTabPaintManager::CAppearanceSetExcel::RefreshMetrics()
{
    CAppearanceSetFlat::RefreshMetrics();
    m_rcHeaderMargin.SetRect(2 + m_nTextHeight / 2, 3, 2 + m_nTextHeight / 2, 0);
}

CRect CXTPTabPaintManager::CAppearanceSetExcel::GetButtonDrawRect(const CXTPTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    const int nPosition = m_pPaintManager->GetPosition();
    const int nHalf = IsHorizontal(nPosition) ? rc.Height() / 2 : rc.Width() / 2;
    return WidenAlongRow(rc, nPosition, nHalf, nHalf);
}

void CXTPTabPaintManager::CAppearanceSetExcel::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    const CTabFrame f(pItem->GetRect(), m_pPaintManager->GetPosition());
    // One pixel off the client side, then a quarter of the height back along the row.
    const int t = f.T;
    const int b = f.B - 1;
    const int h = b - t;
    const int q = h / 4;
    const int l = f.L - q;
    const int r = f.R - q;
    const int fs = h / 2;
    const BOOL bSelected = pItem->IsSelected();

    const std::vector<POINT> arrFace = MapPoints(f, {{l, b}, {l + fs, t}, {r, t}, {r + fs, b}});
    const COLORREF clrFace = FillPolygon(pDC, arrFace.data(), int(arrFace.size()),
                                         [&](CDC* pFillDC, CRect rcBox) { return pColors->FillItem(pFillDC, rcBox, pItem); });

    const COLORREF clrOuter = bSelected ? pColors->m_groupA1.GetColor() : pColors->m_groupC1.GetColor();
    const COLORREF clrOuterTrail = bSelected ? pColors->m_groupA3.GetColor() : pColors->m_groupC3.GetColor();
    const COLORREF clrInner = bSelected ? pColors->m_groupB1.GetColor() : pColors->m_groupD1.GetColor();
    const COLORREF clrInnerTrail = bSelected ? pColors->m_groupB2.GetColor() : pColors->m_groupD2.GetColor();

    const POINT arrOuter[] = {{l, b - 1}, {l + fs, t}, {r, t}};
    f.Polyline(pDC, arrOuter, 3, clrOuter);
    f.Line(pDC, r, t, r + fs, b - 1, clrOuterTrail);
    const POINT arrInner[] = {{l + 1, b - 1}, {l + fs + 1, t + 1}, {r - 1, t + 1}};
    f.Polyline(pDC, arrInner, 3, clrInner);
    f.Line(pDC, r - 1, t + 1, r + fs - 1, b - 1, clrInnerTrail);
    if (bSelected)
        f.Line(pDC, l + 1, b, r + fs - 1, b, clrFace);
    DrawContent(m_pPaintManager, pDC, pItem, pItem->GetRect());
}
