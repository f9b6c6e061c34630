#include "toolkit/controls/tabs/XTPTabAppearanceSetsImages.h"

#include "toolkit/common/resources/XTPResourceImages.h"
#include "toolkit/controls/tabs/XTPTabAppearanceDraw.h"

#include <algorithm>

using namespace xtp_tab_draw;

namespace
{
const COLORREF kKeyColour = RGB(255, 0, 255);
} // namespace

// ---------------------------------------------------------------- Office 2007 (10)

BOOL CXTPTabPaintManager::CAppearanceSetPropertyPage2007::IsThemeLoaded()
{
    return GetResourceImages()->IsLoaded();
}

int CXTPTabPaintManager::CAppearanceSetPropertyPage2007::GetRibbonTabState(const CXTPTabManagerItem* pItem)
{
    CXTPTabManager* pManager = pItem->GetTabManager();
    if (pItem->IsSelected())
    {
        if (pManager && pManager->HasFocus())
            return 5;
        return pItem->IsHighlighted() ? 4 : 3;
    }
    if (pItem->IsPressed())
        return 2;
    return pItem->IsHighlighted() ? 1 : 0;
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage2007::DrawKeyedImage(CDC* pDC, CXTPResourceImage* pImage,
                                                                          const CRect& rc, int nState, int nCount,
                                                                          const CRect& rcMargins)
{
    if (pImage)
        pImage->DrawImageKeyed(pDC, rc, pImage->GetSource(nState, nCount), rcMargins, kKeyColour);
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPage2007::FillClient(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    if (!IsThemeLoaded())
        return CRect(0, 0, 0, 0);
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    CRect rcHeader = GetHeaderRect(rc, pTabManager);
    const COLORREF clrHeader = pColors->m_gradBackground.clrLight;
    if (!IsNone(clrHeader))
        pDC->FillSolidRect(rcHeader, clrHeader);

    CRect rcClient = GetFramedClientRect(this, pTabManager);
    if (m_pPaintManager->m_nClientFrame == xtpTabFrameBorder)
    {
        CXTPResourceImage* pPage = LoadResourceImage("TABCONTROLPAGE");
        if (!pPage)
            pPage = LoadResourceImage("RIBBONGROUPS");
        if (pPage)
            pPage->DrawImage(pDC, rcClient, pPage->GetSource(0, 1), CRect(8, 8, 8, 8));
    }
    else if (m_pPaintManager->m_nClientFrame == xtpTabFrameSingleLine)
    {
        const COLORREF clr = pColors->m_pageShadow;
        DrawTabSideLine(pDC, rcClient, m_pPaintManager->GetPosition(), clr, clr);
    }
    return rcHeader;
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage2007::DrawTabImage(CDC* pDC, CXTPTabManagerItem* pItem, CRect rc)
{
    DrawKeyedImage(pDC, LoadResourceImage("RIBBONTAB"), rc, GetRibbonTabState(pItem), 6, CRect(5, 5, 5, 5));
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage2007::DrawTurnedTabImage(CDC* pDC, CXTPTabManagerItem* pItem,
                                                                              const CRect& rc)
{
    DrawTurned(pDC, rc, m_pPaintManager->GetPosition(),
               [&](CDC* pCanvas, CRect rcCanvas) { DrawTabImage(pCanvas, pItem, rcCanvas); });
}

void CXTPTabPaintManager::CAppearanceSetPropertyPage2007::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    if (!IsThemeLoaded())
        return;
    if (pItem->IsSelected() || pItem->IsHighlighted())
        DrawTurnedTabImage(pDC, pItem, pItem->GetRect());
    DrawContent(m_pPaintManager, pDC, pItem, pItem->GetRect());
}

// ---------------------------------------------------------------- Access 2007 (11)

CXTPTabPaintManager::CAppearanceSetPropertyPageAccess2007::CAppearanceSetPropertyPageAccess2007()
{
    m_nTextHeight = std::max(m_nTextHeight, 24);
    m_rcHeaderMargin.SetRect(4, 1, m_nTextHeight / 2, 0);
}

void CXTPTabPaintManager::CAppearanceSetPropertyPageAccess2007::RefreshMetrics()
{
    CAppearanceSetPropertyPage2007::RefreshMetrics();
    m_nTextHeight = std::max(m_nTextHeight, 24);
    m_rcHeaderMargin.SetRect(4, 1, m_nTextHeight / 2, 0);
}

int CXTPTabPaintManager::CAppearanceSetPropertyPageAccess2007::GetAccessTabState(const CXTPTabManagerItem* pItem)
{
    if (pItem->IsSelected())
        return pItem->IsHighlighted() ? 3 : 2;
    return pItem->IsHighlighted() ? 1 : 0;
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPageAccess2007::GetButtonDrawRect(const CXTPTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    const int nPosition = m_pPaintManager->GetPosition();
    if (nPosition == xtpTabPositionTop || nPosition == xtpTabPositionBottom)
        rc.right += m_nTextHeight / 2;
    else
        rc.bottom += m_nTextHeight / 2;
    return rc;
}

CRect CXTPTabPaintManager::CAppearanceSetPropertyPageAccess2007::FillClient(CXTPTabManager* pTabManager, CDC* pDC,
                                                                             CRect rc)
{
    if (!IsThemeLoaded())
        return CRect(0, 0, 0, 0);
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    return FillFramedClient(this, pTabManager, pDC, rc, pColors->m_frameBorder, pColors->m_frameBorder,
                            pColors->m_gradBackground.clrLight);
}

void CXTPTabPaintManager::CAppearanceSetPropertyPageAccess2007::DrawTabImage(CDC* pDC, CXTPTabManagerItem* pItem,
                                                                              CRect rc)
{
    DrawKeyedImage(pDC, LoadResourceImage("ACCESSTAB"), rc, GetAccessTabState(pItem), 4, CRect(5, 10, 22, 10));
}

void CXTPTabPaintManager::CAppearanceSetPropertyPageAccess2007::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    if (!IsThemeLoaded())
        return;
    CRect rc = pItem->GetRect();
    const int nExtra = m_nTextHeight / 2 - 1;
    if (m_pPaintManager->GetPosition() == xtpTabPositionTop || m_pPaintManager->GetPosition() == xtpTabPositionBottom)
        rc.right += nExtra;
    else
        rc.bottom += nExtra;
    DrawTurnedTabImage(pDC, pItem, rc);
    DrawContent(m_pPaintManager, pDC, pItem, pItem->GetRect());
}
