#include "toolkit/commandbars/paint/XTPControlGalleryPaintManager.h"

#include "toolkit/commandbars/controls/XTPControlGallery.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

namespace
{
// A filled triangle nWidth wide and nWidth / 2 high, centred on pt, pointing up or down.
void DrawTriangle(CDC* pDC, CPoint pt, int nWidth, BOOL bUp, COLORREF clr)
{
    const int nHeight = nWidth / 2;
    const int yTop = pt.y - nHeight / 2;
    for (int i = 0; i < nHeight; ++i)
    {
        const int nRow = bUp ? i : nHeight - 1 - i;
        const int cx = 2 * (nRow + 1);
        pDC->FillSolidRect(pt.x - cx / 2, yTop + i, cx, 1, clr);
    }
}
} // namespace

CXTPControlGalleryPaintManager::CXTPControlGalleryPaintManager(CXTPPaintManager* pPaintManager)
    : CXTPScrollBarPaintManager(pPaintManager)
{
    RefreshMetrics();
}

void CXTPControlGalleryPaintManager::RefreshMetrics()
{
    CXTPScrollBarPaintManager::RefreshMetrics();
    m_cyPopupUp = 19;
    m_cyPopupDown = 19;
    m_cxPopup = 16;
}

void CXTPControlGalleryPaintManager::DrawLabel(CDC* pDC, const CString& strCaption, CRect rc)
{
    pDC->FillSolidRect(&rc, m_pPaintManager->GetColor(56));
    m_pPaintManager->HorizontalLine(pDC, rc.left, rc.bottom - 1, rc.right, 52);
    CFont* pOldFont = pDC->SelectObject(m_pPaintManager->GetRegularBoldFont());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(m_pPaintManager->GetColor(44));
    CRect rcText(rc.left + 10, rc.top, rc.right - 10, rc.bottom - 1);
    pDC->DrawText(strCaption, &rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CXTPControlGalleryPaintManager::DrawBackground(CDC* pDC, CXTPControlGallery* pGallery, CRect rc)
{
    if (!pGallery->IsTransparentFill())
        pDC->FillSolidRect(&rc, m_pPaintManager->GetColor(41));
    if (pGallery->IsShowBorders())
        m_pPaintManager->Draw3dRect(pDC, rc, 52, 52);
    if (pGallery->HasFollowingControl())
        m_pPaintManager->HorizontalLine(pDC, rc.left, rc.bottom - 2, rc.right, 39);
}

CRect CXTPControlGalleryPaintManager::GetStripPartRect(CRect rcScroll, int nPart) const
{
    CRect rc = rcScroll;
    if (nPart == xtpGalleryHitUp)
        rc.bottom = rc.top + m_cyPopupUp;
    else if (nPart == xtpGalleryHitDown)
    {
        rc.top += m_cyPopupUp;
        rc.bottom = rc.top + m_cyPopupDown;
    }
    else if (nPart == xtpGalleryHitPopup)
        rc.top += m_cyPopupUp + m_cyPopupDown;
    else
        return CRect(0, 0, 0, 0);
    if (rc.bottom > rcScroll.bottom)
        rc.bottom = rcScroll.bottom;
    if (rc.top > rc.bottom)
        rc.top = rc.bottom;
    return rc;
}

void CXTPControlGalleryPaintManager::DrawScrollButtons(CDC* pDC, CXTPControlGallery* pGallery, CRect rcScroll)
{
    pDC->FillSolidRect(&rcScroll, m_pPaintManager->GetColor(30));
    CXTPCommandBar* pBar = pGallery->GetParent();
    const int nBarType = pBar ? pBar->GetType() : xtpBarTypeNormal;
    const int nBarPosition = pBar ? pBar->GetPosition() : xtpBarTop;
    static const int kParts[] = {xtpGalleryHitUp, xtpGalleryHitDown, xtpGalleryHitPopup};
    for (int nPart : kParts)
    {
        const CRect rc = GetStripPartRect(rcScroll, nPart);
        if (rc.IsRectEmpty())
            continue;
        const BOOL bEnabled = nPart == xtpGalleryHitPopup || pGallery->IsScrollButtonEnabled(nPart);
        const BOOL bPressed = bEnabled && pGallery->GetPressedScrollPart() == nPart;
        const BOOL bSelected = bEnabled && pGallery->GetHotScrollPart() == nPart;
        m_pPaintManager->DrawStateFace(pDC, rc, bSelected, bPressed, bEnabled, FALSE, FALSE, nBarType, nBarPosition);
        const COLORREF clr =
            m_pPaintManager->GetStateTextColor(bSelected, bPressed, bEnabled, FALSE, FALSE, nBarType, nBarPosition);
        const CPoint ptCenter = rc.CenterPoint();
        if (nPart == xtpGalleryHitPopup)
        {
            pDC->FillSolidRect(ptCenter.x - 4, ptCenter.y - 3, 9, 2, clr);
            DrawTriangle(pDC, CPoint(ptCenter.x, ptCenter.y + 2), 8, FALSE, clr);
        }
        else
        {
            DrawTriangle(pDC, ptCenter, 8, nPart == xtpGalleryHitUp, clr);
        }
    }
}
