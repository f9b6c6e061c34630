#include "toolkit/commandbars/paint/XTPSliderPaintManager.h"

#include "toolkit/commandbars/controls/XTPScrollBase.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

namespace
{
// The largest square centred in a rectangle.
CRect CentredSquare(const CRect& rc)
{
    const int nSide = rc.Width() < rc.Height() ? rc.Width() : rc.Height();
    const int x = rc.left + (rc.Width() - nSide) / 2;
    const int y = rc.top + (rc.Height() - nSide) / 2;
    return CRect(x, y, x + nSide, y + nSide);
}

// A tick: a 1 x 4 and a 1 x 2 shadow mark at x - 1, a 1 x 7 highlight mark at x, from yTop down.
void DrawTick(CDC* pDC, int x, int yTop, COLORREF clrShadow, COLORREF clrLight)
{
    pDC->FillSolidRect(x - 1, yTop, 1, 4, clrShadow);
    pDC->FillSolidRect(x - 1, yTop + 5, 1, 2, clrShadow);
    pDC->FillSolidRect(x, yTop, 1, 7, clrLight);
}

void DrawRoundButton(CDC* pDC, const CRect& rcPart, BOOL bPlus, BOOL bHot, BOOL bPressed)
{
    const CRect rc = CentredSquare(rcPart);
    if (rc.IsRectEmpty())
        return;
    const COLORREF clrFill = ::GetSysColor(bHot ? COLOR_BTNHIGHLIGHT : COLOR_3DFACE);
    CXTPPaintManager::DrawAntialiasedCircle(pDC, rc.left, rc.top, rc.right, rc.bottom,
                                            ::GetSysColor(COLOR_BTNSHADOW), clrFill);
    if (!bPressed)
        CXTPPaintManager::DrawAntialiasedCircle(pDC, rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1,
                                                ::GetSysColor(COLOR_BTNHIGHLIGHT), clrFill);
    const CPoint ptCentre = rc.CenterPoint();
    pDC->FillSolidRect(ptCentre.x - 4, ptCentre.y - 1, 8, 2, RGB(0, 0, 0));
    if (bPlus)
        pDC->FillSolidRect(ptCentre.x - 1, ptCentre.y - 4, 2, 8, RGB(0, 0, 0));
}

// The thumb: a 9 x 13 pointer (an 8-wide box narrowing to a point 4 pixels below it).
void DrawPointer(CDC* pDC, int xCentre, int yCentre, BOOL bHot, BOOL bPressed)
{
    const int l = xCentre - 4;
    const int t = yCentre - 6;
    const POINT pts[] = {{l, t}, {l + 8, t}, {l + 8, t + 8}, {l + 4, t + 12}, {l, t + 8}};
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    CBrush brush;
    brush.CreateSolidBrush(::GetSysColor(bHot ? COLOR_BTNHIGHLIGHT : COLOR_3DFACE));
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Polygon(pts, 5);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
    if (bPressed)
        return;
    CPen penLight;
    penLight.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    pOldPen = pDC->SelectObject(&penLight);
    pDC->MoveTo(l + 1, t + 8);
    pDC->LineTo(l + 1, t + 1);
    pDC->LineTo(l + 8, t + 1);
    pDC->SelectObject(pOldPen);
}
} // namespace

CXTPSliderPaintManager::CXTPSliderPaintManager(CXTPPaintManager* pPaintManager)
    : CXTPScrollBarPaintManager(pPaintManager)
{
    m_cxHScroll = 16;
    m_cyHScroll = 16;
    m_cThumb = 11;
}

void CXTPSliderPaintManager::RefreshMetrics()
{
    CXTPScrollBarPaintManager::RefreshMetrics();
    m_cxHScroll = 16;
    m_cyHScroll = 16;
    m_cThumb = 11;
}

void CXTPSliderPaintManager::DrawScrollBar(CDC* pDC, CXTPScrollBase* pScrollBar)
{
    const XTP_SCROLLBAR_LAYOUT& layout = pScrollBar->GetScrollBarLayout();
    if (layout.bVertical || layout.pxEnd - layout.pxStart <= 0)
        return;
    const CRect& rcBar = layout.rcBar;
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF clrLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const int nHot = pScrollBar->GetHotScrollPart();
    const int nPressed = pScrollBar->GetPressedScrollPart();

    // The channel between the buttons.
    const int yCentre = (rcBar.top + rcBar.bottom - 2) / 2;
    const int nChannel = layout.pxDownArrow - layout.pxUpArrow;
    if (nChannel > 0)
    {
        pDC->FillSolidRect(layout.pxUpArrow, yCentre, nChannel, 1, clrShadow);
        pDC->FillSolidRect(layout.pxUpArrow, yCentre + 1, nChannel, 1, clrLight);
    }

    // Ticks on the channel less 6 pixels at both ends.
    const int x0 = layout.pxUpArrow + 6;
    const int x1 = layout.pxDownArrow - 6;
    const int nWidth = x1 - x0;
    if (nWidth >= 0)
    {
        const int nTicks = pScrollBar->GetTickMarkCount();
        const double* pTicks = pScrollBar->GetTickMarks();
        if (nTicks > 0 && pTicks)
        {
            if (layout.nMin < layout.nMax)
            {
                for (int i = 0; i < nTicks; ++i)
                {
                    const double dOffset = nWidth * (pTicks[i] - layout.nMin) / (double(layout.nMax) - layout.nMin);
                    if (dOffset < 0 || dOffset > nWidth)
                        continue;
                    DrawTick(pDC, x0 + static_cast<int>(dOffset), yCentre - 8, clrShadow, clrLight);
                }
            }
        }
        else
        {
            DrawTick(pDC, x0 + nWidth / 2, yCentre - 8, clrShadow, clrLight);
        }
    }

    // Minus and plus buttons.
    const CRect rcMinus(layout.pxStart, rcBar.top, layout.pxUpArrow, rcBar.bottom);
    const CRect rcPlus(layout.pxDownArrow, rcBar.top, layout.pxEnd, rcBar.bottom);
    DrawRoundButton(pDC, rcMinus, FALSE, nHot == xtpScrollPartUpArrow, nPressed == xtpScrollPartUpArrow);
    DrawRoundButton(pDC, rcPlus, TRUE, nHot == xtpScrollPartDownArrow, nPressed == xtpScrollPartDownArrow);

    // The pointer.
    const BOOL bFits = layout.cxThumb > 0 && layout.pxThumbTop >= layout.pxUpArrow &&
                       layout.pxThumbBottom <= layout.pxDownArrow;
    if (!IsScrollBarDrawnEnabled(pScrollBar) || !bFits)
        return;
    DrawPointer(pDC, (layout.pxThumbTop + layout.pxThumbBottom) / 2, (rcBar.top + rcBar.bottom) / 2,
                nHot == xtpScrollPartThumb, nPressed == xtpScrollPartThumb);
}
