#include "toolkit/controls/tabs/XTPTabAppearanceSetsFlat.h"

#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/controls/tabs/XTPTabAppearanceDraw.h"

#include <algorithm>

using namespace xtp_tab_draw;

// ---------------------------------------------------------------- flat tabs (6)

CRect CXTPTabPaintManager::CAppearanceSetFlat::FillClient(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    const COLORREF clrBorder = GetColorSet()->m_frameBorder;
    return FillFramedClient(this, pTabManager, pDC, rc, clrBorder, clrBorder);
}

void CXTPTabPaintManager::CAppearanceSetFlat::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    const CTabFrame f(pItem->GetRect(), m_pPaintManager->GetPosition());
    const COLORREF clrBorder = pColors->m_frameBorder;
    // The tab reaches one pixel past the item at both ends of the row.
    const int l = f.L - 1;
    const int r = f.R + 1;
    pColors->FillItem(pDC, f.MapRect(l, f.T, r, f.B), pItem);
    f.Line(pDC, l, f.T, r - 1, f.T, clrBorder);
    if (pItem->IsSelected())
    {
        // Open towards the client and one pixel longer, so that it joins the client area.
        f.Line(pDC, l, f.T, l, f.B, clrBorder);
        f.Line(pDC, r - 1, f.T, r - 1, f.B, clrBorder);
    }
    else
    {
        f.Line(pDC, l, f.T, l, f.B - 1, clrBorder);
        f.Line(pDC, r - 1, f.T, r - 1, f.B - 1, clrBorder);
        f.Line(pDC, l, f.B - 1, r - 1, f.B - 1, clrBorder);
    }
    DrawContent(m_pPaintManager, pDC, pItem, pItem->GetRect());
}

// ---------------------------------------------------------------- flat property page (2)

COLORREF CXTPTabPaintManager::CAppearanceSetPropertyPageFlat::GetOutlineColor(const CXTPTabManagerItem* pItem) const
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    if (pItem->IsHighlighted() && !pItem->IsSelected() && !IsNone(pColors->m_lastColor))
        return pColors->m_lastColor;
    return pColors->m_frameBorder;
}

BOOL CXTPTabPaintManager::CAppearanceSetPropertyPageFlat::DrawContentOnly(CDC* pDC, CXTPTabManagerItem* pItem)
{
    if (m_bOutlineAllTabs || pItem->IsSelected() || pItem->IsHighlighted())
        return FALSE;
    DrawContent(m_pPaintManager, pDC, pItem, pItem->GetRect());
    return TRUE;
}

void CXTPTabPaintManager::CAppearanceSetPropertyPageFlat::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    if (DrawContentOnly(pDC, pItem))
        return;
    const BOOL bSelected = pItem->IsSelected();
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    const CTabFrame f(pItem->GetRect(), m_pPaintManager->GetPosition());
    const COLORREF clrOutline = GetOutlineColor(pItem);
    const COLORREF clrBack = pColors->m_gradBackground.clrDark;
    const int l = f.L - 1;
    const int r = f.R + 1;

    const int nSaved = pDC->SaveDC();
    GetDrawHelpers()->ExcludeCorners(pDC, f.MapRect(l, f.T, r, f.B + 1));
    if (m_bSeparatorsOnly)
    {
        if (bSelected)
        {
            pColors->FillItem(pDC, f.MapRect(l, f.T, r, f.B), pItem);
            const POINT pts[] = {{l, f.B}, {l, f.T}, {r - 1, f.T}, {r - 1, f.B}};
            f.Polyline(pDC, pts, 4, clrOutline);
            if (m_bSoftCorners)
                SoftenOuterCorners(pDC, f, l, f.T, r, f.B + 1, clrBack, clrOutline);
        }
        else
        {
            CXTPTabManager* pManager = pItem->GetTabManager();
            if (!pManager || pItem->GetIndex() != pManager->GetItemCount() - 1)
                f.Line(pDC, r - 1, f.T + 3, r - 1, f.B - 4, pColors->m_frameBorder);
        }
    }
    else
    {
        pColors->FillItem(pDC, f.MapRect(l + 1, f.T + 1, r - 1, f.B), pItem);
        if (m_bSoftCorners)
        {
            const int b = bSelected ? f.B + 1 : f.B;
            const POINT pts[] = {{l, b - 1}, {l, f.T}, {r - 1, f.T}, {r - 1, b - 1}, {l, b - 1}};
            f.Polyline(pDC, pts, 5, clrOutline);
            SoftenOuterCorners(pDC, f, l, f.T, r, b, clrBack, clrOutline);
        }
        else if (!IsNone(clrOutline))
        {
            HPEN hPen = ::CreatePen(PS_SOLID, 1, clrOutline);
            HGDIOBJ hOldPen = ::SelectObject(pDC->GetSafeHdc(), hPen);
            HGDIOBJ hOldBrush = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(NULL_BRUSH));
            CRect rcRound = f.MapRect(l, f.T, r, f.B + 2);
            pDC->RoundRect(rcRound.left, rcRound.top, rcRound.right, rcRound.bottom, 6, 6);
            ::SelectObject(pDC->GetSafeHdc(), hOldBrush);
            ::SelectObject(pDC->GetSafeHdc(), hOldPen);
            ::DeleteObject(hPen);
            if (!bSelected && m_pPaintManager->m_nClientFrame != xtpTabFrameNone)
                f.Line(pDC, l, f.B - 1, r - 1, f.B - 1, clrOutline);
        }
    }
    pDC->RestoreDC(nSaved);
    DrawContent(m_pPaintManager, pDC, pItem, pItem->GetRect());
}

// ---------------------------------------------------------------- Visual Studio 2010 (12)

void CXTPTabPaintManager::CAppearanceSetVisualStudio2010::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    if (DrawContentOnly(pDC, pItem))
        return;
    // The outline rectangle: the item grown by one pixel towards the client.
    const CTabFrame f(pItem->GetRect(), m_pPaintManager->GetPosition());
    int l = f.L, t = f.T, r = f.R, b = f.B + 1;
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    const COLORREF clrOutline = GetOutlineColor(pItem);
    // The corners stay out of the clipping for the rest of the header drawing.
    GetDrawHelpers()->ExcludeCorners(pDC, f.MapRect(l, t, r, b));
    pColors->FillItem(pDC, pItem->GetRect(), pItem);
    if (pItem->IsSelected() && !IsNone(pColors->m_lastColor))
    {
        l -= 1;
        t -= 1;
        r += 1;
    }
    else
    {
        const POINT pts[] = {{l, b - 1}, {l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}};
        f.Polyline(pDC, pts, 5, clrOutline);
    }
    if (m_bSoftCorners)
        SoftenOuterCorners(pDC, f, l, t, r, b, pColors->m_gradBackground.clrDark, clrOutline);
    DrawContent(m_pPaintManager, pDC, pItem, pItem->GetRect());
}

// ---------------------------------------------------------------- state buttons (4)

CRect CXTPTabPaintManager::CAppearanceSetStateButtons::FillClient(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    CRect rcHeader = GetHeaderRect(rc, pTabManager);
    GetColorSet()->FillClient(pDC, rcHeader, pTabManager);
    return rcHeader;
}

void CXTPTabPaintManager::CAppearanceSetStateButtons::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    GetColorSet()->FillSelectedItemFace(pDC, pItem->GetRect(), pItem);
    DrawContent(m_pPaintManager, pDC, pItem, pItem->GetRect());
}

// ---------------------------------------------------------------- Visual Studio (5)

CRect CXTPTabPaintManager::CAppearanceSetVisualStudio::FillClient(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    return FillFramedClient(this, pTabManager, pDC, rc, pColors->m_frameHighlight, pColors->m_selectedText);
}

void CXTPTabPaintManager::CAppearanceSetVisualStudio::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    CRect rc = pItem->GetRect();
    if (pItem->IsSelected())
    {
        pColors->FillItem(pDC, rc, pItem);
        CRect rcOutline = rc;
        InflateRectByPosition(rcOutline, 0, 0, 0, 1, m_pPaintManager->GetPosition());
        Frame(pDC, rcOutline, pColors->m_frameHighlight, pColors->m_selectedText);
    }
    else if (m_pPaintManager->GetPosition() == xtpTabPositionTop || m_pPaintManager->GetPosition() == xtpTabPositionBottom)
    {
        VLine(pDC, rc.right, rc.top + 2, rc.Height() - 4, pColors->m_frameBorder);
    }
    else
    {
        HLine(pDC, rc.left + 2, rc.bottom, rc.Width() - 4, pColors->m_frameBorder);
    }
    DrawContent(m_pPaintManager, pDC, pItem, rc);
}

// ---------------------------------------------------------------- Visio bars (8)

CRect CXTPTabPaintManager::CAppearanceSetVisio::GetHeaderRect(CRect /*rcControl*/, CXTPTabManager* /*pTabManager*/)
{
    return CRect(0, 0, 0, 0);
}

CRect CXTPTabPaintManager::CAppearanceSetVisio::GetClientRect(CRect rc, CXTPTabManager* pTabManager)
{
    CXTPTabManagerItem* pSelected = pTabManager->GetSelectedItem();
    if (!pSelected)
        return rc;
    const int h = GetButtonHeight(pTabManager);
    const int n = pTabManager->GetItemCount();
    const int s = pSelected->GetIndex();
    const BOOL bFrame = m_pPaintManager->m_nClientFrame != xtpTabFrameNone;
    const int nTop = rc.top + h * (s + 1) + 1;
    int nBottom = std::max<int>(rc.bottom - (n - s - 1) * h, nTop + h);
    if (s == n - 1 && bFrame)
        nBottom -= 1;
    rc.top = nTop;
    rc.bottom = nBottom;
    if (bFrame)
        rc.DeflateRect(1, 0);
    return rc;
}

void CXTPTabPaintManager::CAppearanceSetVisio::RepositionTabControl(CXTPTabManager* pTabManager, CDC* /*pDC*/,
                                                                     CRect rc)
{
    DeflateRectByPosition(rc, m_pPaintManager->m_rcControlMargin, m_pPaintManager->GetPosition());
    const int h = GetButtonHeight(pTabManager);
    const int n = pTabManager->GetItemCount();
    CXTPTabManagerItem* pSelected = pTabManager->GetSelectedItem();
    const int s = pSelected ? pSelected->GetIndex() : -1;
    const int x = rc.left + (m_pPaintManager->m_nClientFrame != xtpTabFrameNone ? 1 : 0);
    int y = rc.top + 1;
    for (int i = 0; i < n; i++)
    {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        pItem->SetRect(x, y, rc.right, y + h);
        const int e = y + h;
        y = e;
        if (i == s)
        {
            // The bars after the selected one gather at the bottom.
            const int nNext = std::min<int>(std::max<int>(rc.bottom - (n - s - 1) * h, e + h), rc.bottom - 1);
            if (nNext >= e)
                y = nNext;
        }
    }
}

void CXTPTabPaintManager::CAppearanceSetVisio::AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient)
{
    const int nPosition = m_pPaintManager->GetPosition();
    DeflateRectByPosition(rcClient, m_pPaintManager->m_rcControlMargin, nPosition);
    rcClient = GetClientRect(rcClient, pTabManager);
    DeflateRectByPosition(rcClient, GetClientMargin(), nPosition);
}

void CXTPTabPaintManager::CAppearanceSetVisio::DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    if (!IsNone(pColors->m_controlFace))
        pDC->FillSolidRect(rc, pColors->m_controlFace);
    DeflateRectByPosition(rc, m_pPaintManager->m_rcControlMargin, m_pPaintManager->GetPosition());
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rc);
    const int n = pTabManager->GetItemCount();
    if (m_pPaintManager->m_nClientFrame != xtpTabFrameNone)
        Frame(pDC, rc, pColors->m_frameBorder, pColors->m_frameBorder);
    else if (n > 0)
        HLine(pDC, rc.left, rc.top, rc.Width(), pColors->m_frameBorder);
    pDC->SetBkMode(TRANSPARENT);
    for (int i = n - 1; i >= 0; i--)
    {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        CRect rcBar = pItem->GetRect();
        CRect rcTest;
        if (rcBar.IsRectEmpty() || !rcTest.IntersectRect(rcBar, rc))
            continue;
        DrawSingleButton(pDC, pItem);
    }
    pDC->RestoreDC(nSaved);
}

void CXTPTabPaintManager::CAppearanceSetVisio::DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManagerColorSet* pColors = GetColorSet();
    CRect rc = pItem->GetRect();
    pColors->FillItem(pDC, rc, pItem);
    Frame(pDC, rc, pColors->m_frameHighlight, pColors->m_frameBorder);
    const COLORREF clrGrip = GetColorManager()->GetColor(38);
    for (int y = rc.top + 4; y < rc.bottom - 3; y += 2)
        HLine(pDC, rc.right - 7, y, 3, clrGrip);
    DrawContent(m_pPaintManager, pDC, pItem, CRect(rc.left, rc.top, rc.right - 7, rc.bottom));
}
