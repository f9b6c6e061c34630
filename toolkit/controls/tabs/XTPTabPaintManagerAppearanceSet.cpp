#include "toolkit/controls/tabs/XTPTabPaintManagerAppearanceSet.h"

#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/controls/tabs/XTPTabAppearanceDraw.h"
#include "toolkit/controls/tabs/XTPTabPaintManagerSets.h"

#include <algorithm>

using namespace xtp_tab_draw;

// ---------------------------------------------------------------- base set

CXTPTabPaintManagerColorSet* CXTPTabPaintManagerAppearanceSet::GetColorSet() const
{
    return m_pPaintManager ? m_pPaintManager->GetColorSet() : nullptr;
}

void CXTPTabPaintManagerAppearanceSet::RefreshMetrics()
{
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, m_pPaintManager->m_fontNormal.GetSafeHandle());
    SIZE sz = {0, 0};
    ::GetTextExtentPoint32A(hDC, " ", 1, &sz);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    m_nTextHeight = std::max(18, int(sz.cy) + 3);
}

int CXTPTabPaintManagerAppearanceSet::GetHeaderHeight(const CXTPTabManager* pTabManager)
{
    if (!m_pPaintManager->m_bShowTabs)
        return 0;
    const int r = std::max(1, pTabManager->GetRowCount());
    int nInner = r * GetButtonHeight(pTabManager) + (r - 1) * m_nRowSpacing;
    if (m_pPaintManager->GetLayout() == xtpTabLayoutRotated)
    {
        for (int i = 0; i < pTabManager->GetItemCount(); i++)
            nInner = std::max(nInner, pTabManager->GetItem(i)->m_nLength);
    }
    return m_rcHeaderMargin.top + m_rcHeaderMargin.bottom + nInner;
}

CRect CXTPTabPaintManagerAppearanceSet::GetHeaderRect(CRect rc, CXTPTabManager* pTabManager)
{
    const int H = GetHeaderHeight(pTabManager);
    switch (m_pPaintManager->GetPosition())
    {
    case xtpTabPositionLeft:
        return CRect(rc.left, rc.top, rc.left + H, rc.bottom);
    case xtpTabPositionBottom:
        return CRect(rc.left, rc.bottom - H, rc.right, rc.bottom);
    case xtpTabPositionRight:
        return CRect(rc.right - H, rc.top, rc.right, rc.bottom);
    default:
        return CRect(rc.left, rc.top, rc.right, rc.top + H);
    }
}

CRect CXTPTabPaintManagerAppearanceSet::GetHeaderClipBox(CDC* pDC, CXTPTabManager* pTabManager)
{
    CRect rcClip;
    pDC->GetClipBox(rcClip);
    CRect rc;
    rc.IntersectRect(rcClip, pTabManager->GetHeaderRect());
    return rc;
}

CRect CXTPTabPaintManagerAppearanceSet::GetClientRect(CRect rc, CXTPTabManager* pTabManager)
{
    if (!m_pPaintManager->m_bShowTabs)
        return rc;
    CRect rcHeader = GetHeaderRect(rc, pTabManager);
    switch (m_pPaintManager->GetPosition())
    {
    case xtpTabPositionLeft:
        rc.left = rcHeader.right - 1;
        break;
    case xtpTabPositionBottom:
        rc.bottom = rcHeader.top + 1;
        break;
    case xtpTabPositionRight:
        rc.right = rcHeader.left + 1;
        break;
    default:
        rc.top = rcHeader.bottom - 1;
        break;
    }
    return rc;
}

CRect CXTPTabPaintManagerAppearanceSet::GetClientMargin()
{
    return m_pPaintManager->m_rcClientMargin;
}

int CXTPTabPaintManagerAppearanceSet::GetButtonLength(CDC* pDC, CXTPTabManagerItem* pItem)
{
    return m_pPaintManager->DrawSingleButton(pDC, pItem, FALSE);
}

int CXTPTabPaintManagerAppearanceSet::GetButtonHeight(const CXTPTabManager* pTabManager)
{
    const CRect& m = m_pPaintManager->m_rcButtonMargin;
    int nHeight = m.top + m.bottom + m_nTextHeight;
    CSize szMin(0, 0);
    pTabManager->GetItemMetrics(nullptr, &szMin, nullptr);
    nHeight = std::max<int>(nHeight, szMin.cy);
    if (m_pPaintManager->m_bShowIcons)
    {
        CSize szIcon = m_pPaintManager->m_szIcon;
        pTabManager->DrawIcon(nullptr, CPoint(0, 0), nullptr, FALSE, szIcon);
        nHeight = std::max<int>(nHeight, m.top + m.bottom + std::max(szIcon.cx, szIcon.cy) + 4);
    }
    return nHeight;
}

CRect CXTPTabPaintManagerAppearanceSet::GetButtonDrawRect(const CXTPTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    rc.InflateRect(2, 2);
    return rc;
}

void CXTPTabPaintManagerAppearanceSet::DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    m_pPaintManager->DefaultDrawTabControl(pTabManager, pDC, rcControl);
}

CRect CXTPTabPaintManagerAppearanceSet::FillClient(CXTPTabManager* /*pTabManager*/, CDC* /*pDC*/, CRect /*rc*/)
{
    return CRect(0, 0, 0, 0);
}

void CXTPTabPaintManagerAppearanceSet::RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient)
{
    m_pPaintManager->DefaultRepositionTabControl(pTabManager, pDC, rcClient);
}

void CXTPTabPaintManagerAppearanceSet::AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient)
{
    const int nPosition = m_pPaintManager->GetPosition();
    CXTPTabPaintManager::DeflateRectByPosition(rcClient, m_pPaintManager->m_rcControlMargin, nPosition);
    rcClient = GetClientRect(rcClient, pTabManager);
    CXTPTabPaintManager::DeflateRectByPosition(rcClient, GetClientMargin(), nPosition);
    if (m_pPaintManager->m_nClientFrame == xtpTabFrameBorder)
        rcClient.DeflateRect(2, 2);
    else if (m_pPaintManager->m_nClientFrame == xtpTabFrameSingleLine)
        CXTPTabPaintManager::DeflateRectByPosition(rcClient, 0, 2, 0, 0, nPosition);
}

void CXTPTabPaintManagerAppearanceSet::DrawSingleButton(CDC* /*pDC*/, CXTPTabManagerItem* /*pItem*/)
{
}

void CXTPTabPaintManagerAppearanceSet::DrawFocusOrFrame(CDC* pDC, CRect& rc, int nPart)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    if (!m_pPaintManager->m_bStaticFrame)
    {
        if (nPart == 1)
            rc.InflateRect(2, 2);
        else if (nPart == 2 || nPart == 3)
            pDC->FillSolidRect(rc, pColors->m_gradBackground.clrLight);
        return;
    }
    switch (nPart)
    {
    case 0:
    {
        COLORREF clrFace = GetColorManager()->GetColor(COLOR_3DFACE);
        pDC->Draw3dRect(1, 0, rc.Width() - 2, rc.Height() - 1, clrFace, clrFace);
        pDC->Draw3dRect(0, 0, rc.Width(), rc.Height(), pColors->m_frameBorder, pColors->m_frameBorder);
        break;
    }
    case 1:
        rc.top -= 1;
        break;
    case 2:
        pDC->FillSolidRect(rc, pColors->m_controlFace);
        VLine(pDC, rc.right - 1, rc.top, rc.Height(), pColors->m_frameBorder);
        break;
    case 3:
        pDC->FillSolidRect(rc, pColors->m_controlFace);
        HLine(pDC, rc.left, rc.bottom - 1, rc.Width(), pColors->m_frameBorder);
        break;
    default:
        break;
    }
}

void CXTPTabPaintManagerAppearanceSet::DrawText(CDC* pDC, CXTPTabManager* /*pManager*/, const CString& str,
                                                LPRECT lpRect, UINT nFormat)
{
    pDC->DrawText(str, lpRect, nFormat);
}

// ---------------------------------------------------------------- property page

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage::GetHeaderClipBox(CDC* pDC, CXTPTabManager* pTabManager)
{
    CRect rcHeader = pTabManager->GetHeaderRect();
    if (m_pPaintManager->GetPosition() == xtpTabPositionBottom)
        rcHeader.top -= 1;
    else if (m_pPaintManager->GetPosition() == xtpTabPositionRight)
        rcHeader.left -= 1;
    CRect rcClip;
    pDC->GetClipBox(rcClip);
    CRect rc;
    rc.IntersectRect(rcClip, rcHeader);
    return rc;
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage::GetClientMargin()
{
    CRect rc = m_pPaintManager->m_rcClientMargin;
    if (GetColorSet()->IsNativeThemeActive() && m_pPaintManager->m_nClientFrame == xtpTabFrameBorder)
    {
        rc.right += 2;
        int nPosition = m_pPaintManager->GetPosition();
        if (nPosition == xtpTabPositionTop || nPosition == xtpTabPositionLeft)
            rc.bottom += 2;
    }
    return rc;
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage::FillClient(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    const int nPosition = m_pPaintManager->GetPosition();
    CRect rcHeader = GetHeaderRect(rc, pTabManager);
    CXTPTabPaintManager::InflateRectByPosition(rcHeader, 0, 0, 0, 1, nPosition);
    pColors->FillClient(pDC, rcHeader, pTabManager);

    CRect rcClient = pTabManager->GetClientRect();
    // The frame lies around the client rectangle before its frame deflation.
    if (m_pPaintManager->m_nClientFrame == xtpTabFrameBorder)
        rcClient.InflateRect(2, 2);
    else if (m_pPaintManager->m_nClientFrame == xtpTabFrameSingleLine)
        CXTPTabPaintManager::InflateRectByPosition(rcClient, 0, 2, 0, 0, nPosition);

    const COLORREF clrHighlight = pColors->m_pageHighlight;
    const COLORREF clrShadow = pColors->m_pageShadow;
    const COLORREF clrDark = pColors->m_pageDarkShadow;
    if (m_pPaintManager->m_nClientFrame == xtpTabFrameBorder)
    {
        pColors->FillItemFace(pDC, rcClient, pTabManager);
        HLine(pDC, rcClient.left, rcClient.top, rcClient.Width(), clrHighlight);
        VLine(pDC, rcClient.left, rcClient.top, rcClient.Height(), clrHighlight);
        HLine(pDC, rcClient.left, rcClient.bottom - 1, rcClient.Width(), clrDark);
        VLine(pDC, rcClient.right - 1, rcClient.top, rcClient.Height(), clrDark);
        HLine(pDC, rcClient.left + 1, rcClient.bottom - 2, rcClient.Width() - 2, clrShadow);
        VLine(pDC, rcClient.right - 2, rcClient.top + 1, rcClient.Height() - 2, clrShadow);
    }
    else if (m_pPaintManager->m_nClientFrame == xtpTabFrameSingleLine)
    {
        switch (nPosition)
        {
        case xtpTabPositionLeft:
            VLine(pDC, rcClient.left, rcClient.top, rcClient.Height(), clrHighlight);
            break;
        case xtpTabPositionBottom:
            HLine(pDC, rcClient.left, rcClient.bottom - 1, rcClient.Width(), clrDark);
            HLine(pDC, rcClient.left, rcClient.bottom - 2, rcClient.Width(), clrShadow);
            break;
        case xtpTabPositionRight:
            VLine(pDC, rcClient.right - 1, rcClient.top, rcClient.Height(), clrDark);
            VLine(pDC, rcClient.right - 2, rcClient.top, rcClient.Height(), clrShadow);
            break;
        default:
            HLine(pDC, rcClient.left, rcClient.top, rcClient.Width(), clrHighlight);
            break;
        }
    }
    return rcHeader;
}

BOOL CXTPTabPaintManager::CAppearanceSetPropertyPage::IsOutlined(const CXTPTabManagerItem* /*pItem*/) const
{
    return TRUE;
}

BOOL CXTPTabPaintManager::CAppearanceSetPropertyPageSelected::IsOutlined(const CXTPTabManagerItem* pItem) const
{
    return pItem->IsSelected() || pItem->IsHighlighted();
}

// The outline of a top tab in coordinates along the row (x) and outward (y from the client side),
// then mapped to the position: for top tabs (x, y) is (x, y) itself.
void CXTPTabPaintManager::CAppearanceSetPropertyPage::DrawOutline(CDC* pDC, CXTPTabManagerItem* pItem, CRect& rc)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    const int nPosition = m_pPaintManager->GetPosition();
    const BOOL bSelected = pItem->IsSelected();
    const BOOL bRow0 = pItem->m_nRow == 0;
    const COLORREF clrHighlight = pColors->m_pageHighlight;
    const COLORREF clrShadow = pColors->m_pageShadow;
    const COLORREF clrDark = pColors->m_pageDarkShadow;

    switch (nPosition)
    {
    case xtpTabPositionTop:
    {
        if (bSelected)
            rc.InflateRect(2, 2, 2, 0);
        COLORREF clrFace = pColors->FillItem(pDC, CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1), pItem);
        VLine(pDC, rc.left, rc.top + 2, rc.bottom - rc.top - 2, clrHighlight);
        Pixel(pDC, rc.left + 1, rc.top + 1, clrHighlight);
        HLine(pDC, rc.left + 2, rc.top, rc.right - 2 - (rc.left + 2), clrHighlight);
        Pixel(pDC, rc.right - 2, rc.top + 1, clrDark);
        VLine(pDC, rc.right - 1, rc.top + 2, rc.bottom - rc.top - 3, clrDark);
        VLine(pDC, rc.right - 2, rc.top + 2, rc.bottom - rc.top - 3, clrShadow);
        if (bSelected && bRow0)
            HLine(pDC, rc.left + 1, rc.bottom - 1, rc.right - rc.left - 3, clrFace);
        break;
    }
    case xtpTabPositionLeft:
    {
        if (bSelected)
            rc.InflateRect(2, 2, 0, 2);
        COLORREF clrFace = pColors->FillItem(pDC, CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1), pItem);
        HLine(pDC, rc.left + 2, rc.top, rc.right - rc.left - 2, clrHighlight);
        Pixel(pDC, rc.left + 1, rc.top + 1, clrHighlight);
        VLine(pDC, rc.left, rc.top + 2, rc.bottom - 2 - (rc.top + 2), clrHighlight);
        Pixel(pDC, rc.left + 1, rc.bottom - 2, clrDark);
        HLine(pDC, rc.left + 2, rc.bottom - 1, rc.right - rc.left - 3, clrDark);
        HLine(pDC, rc.left + 2, rc.bottom - 2, rc.right - rc.left - 3, clrShadow);
        if (bSelected && bRow0)
            VLine(pDC, rc.right - 1, rc.top + 1, rc.bottom - rc.top - 3, clrFace);
        break;
    }
    case xtpTabPositionBottom:
    {
        if (bSelected)
            rc.InflateRect(2, 2, 2, 2);
        COLORREF clrFace = pColors->FillItem(pDC, CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1), pItem);
        VLine(pDC, rc.left, rc.top, rc.bottom - 2 - rc.top, clrHighlight);
        Pixel(pDC, rc.left + 1, rc.bottom - 2, clrHighlight);
        HLine(pDC, rc.left + 2, rc.bottom - 1, rc.right - 2 - (rc.left + 2), clrDark);
        Pixel(pDC, rc.right - 2, rc.bottom - 2, clrDark);
        VLine(pDC, rc.right - 1, rc.top + 1, rc.bottom - rc.top - 3, clrDark);
        VLine(pDC, rc.right - 2, rc.top + 1, rc.bottom - rc.top - 3, clrShadow);
        if (bSelected && bRow0)
        {
            HLine(pDC, rc.left + 1, rc.top + 1, rc.right - rc.left - 3, clrFace);
            rc.bottom += 2;
        }
        break;
    }
    default: // right
    {
        if (bSelected)
            rc.InflateRect(2, 2, 2, 2);
        COLORREF clrFace = pColors->FillItem(pDC, CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1), pItem);
        HLine(pDC, rc.left, rc.top, rc.right - 2 - rc.left, clrHighlight);
        Pixel(pDC, rc.right - 2, rc.top + 1, clrHighlight);
        VLine(pDC, rc.right - 1, rc.top + 2, rc.bottom - 2 - (rc.top + 2), clrDark);
        Pixel(pDC, rc.right - 2, rc.bottom - 2, clrDark);
        HLine(pDC, rc.left + 1, rc.bottom - 1, rc.right - rc.left - 3, clrDark);
        HLine(pDC, rc.left + 1, rc.bottom - 2, rc.right - rc.left - 3, clrShadow);
        if (bSelected && bRow0)
        {
            VLine(pDC, rc.left + 1, rc.top + 1, rc.bottom - rc.top - 3, clrFace);
            rc.right += 2;
        }
        break;
    }
    }
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    if (IsOutlined(pItem))
        DrawOutline(pDC, pItem, rc);
    CRect rcSaved = pItem->GetRect();
    // The content is drawn in the (possibly grown) rectangle.
    pItem->m_rcItem = rc;
    m_pPaintManager->DrawSingleButton(pDC, pItem, TRUE);
    pItem->m_rcItem = rcSaved;
}
