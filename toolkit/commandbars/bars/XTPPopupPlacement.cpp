#include "toolkit/commandbars/bars/XTPPopupPlacement.h"

CRect XTPChoosePopupWorkArea(const CRect& rcMonitor, const CRect& rcWorkArea, CPoint ptAnchor, const CRect& rcExclude)
{
    // Over a taskbar (on the monitor, outside its work area) the popup may use the whole monitor.
    BOOL bEmpty = rcExclude.IsRectEmpty();
    BOOL bOnMonitor = bEmpty ? rcMonitor.PtInRect(ptAnchor) : CRect().IntersectRect(&rcMonitor, &rcExclude);
    BOOL bInWork = bEmpty ? rcWorkArea.PtInRect(ptAnchor) : CRect().IntersectRect(&rcWorkArea, &rcExclude);
    if (bOnMonitor && !bInWork)
        return rcMonitor;
    return rcWorkArea;
}

void XTPCalcPopupRect(XTP_POPUP_PLACEMENT& place)
{
    const CRect& rcWork = place.rcWork;
    const int nBottom = XTPPopupUsableBottom(rcWork);
    place.bScroll = FALSE;
    place.bHeightClamped = FALSE;
    place.bRelayout = FALSE;
    place.nAvailableHeight = 0;

    CSize size = place.size;
    if (place.nMaxHeight > 0 && size.cy > place.nMaxHeight)
    {
        size.cy = place.nMaxHeight;
        place.bScroll = TRUE;
        place.bHeightClamped = TRUE;
    }

    CRect rcExclude = place.rcExclude;
    CRect rc(place.ptAnchor, size);

    if (rcExclude.Height() == 0)
    {
        // A point anchor: below it, or ending at it.
        if ((place.dwDirection & xtpPopupDirectionUpward) || place.ptAnchor.y > nBottom)
            rc.MoveToY(place.ptAnchor.y - size.cy);
        else if (rc.bottom > nBottom)
        {
            BOOL bUpperHalf = place.ptAnchor.y - rcWork.top < rcWork.Height() / 2;
            rc.MoveToY(bUpperHalf ? nBottom - size.cy : place.ptAnchor.y - size.cy);
        }
    }
    else if (rc.bottom > nBottom)
    {
        if (!(place.dwDirection & xtpPopupDirectionBelow))
            rc.MoveToY(nBottom - size.cy);
        else
        {
            rc.MoveToY(rcExclude.top - size.cy);
            if (rc.top < rcWork.top)
            {
                if (place.bFlip)
                {
                    // Beside the control instead, ending at the usable bottom.
                    place.dwDirection &= ~xtpPopupDirectionBelow;
                    if (!place.rcExcludeBeside.IsRectEmpty())
                        rcExclude = place.rcExcludeBeside;
                    rc.MoveToY(nBottom - size.cy);
                    if (!(place.dwDirection & xtpPopupDirectionLeft))
                        rc.MoveToX(rcExclude.right);
                }
                else
                {
                    // No room above or below: scroll on the larger side of the control.
                    place.bScroll = TRUE;
                    place.bHeightClamped = TRUE;
                    if (rcExclude.CenterPoint().y - rcWork.top > rcWork.Height() / 2)
                        rc = CRect(rc.left, rcWork.top, rc.right, rcExclude.top);
                    else
                        rc = CRect(rc.left, rcExclude.bottom, rc.right, nBottom);
                }
            }
        }
    }

    // Never above the work area.
    if (rc.top < rcWork.top)
    {
        rc.MoveToY(rcWork.top);
        if (rc.bottom > nBottom)
        {
            if (!place.bFlip)
            {
                rc.bottom = nBottom;
                place.bScroll = TRUE;
                place.bHeightClamped = TRUE;
            }
            else if (place.bMenu)
            {
                place.bRelayout = TRUE;
                place.nAvailableHeight = nBottom - rcWork.top;
            }
        }
    }

    // Horizontally.
    const BOOL bPoint = rcExclude.IsRectEmpty();
    const int nLeftEdge = bPoint ? place.ptAnchor.x : static_cast<int>(rcExclude.left);
    const int nRightEdge = bPoint ? place.ptAnchor.x : static_cast<int>(rcExclude.right);
    const BOOL bBeside = !(place.dwDirection & xtpPopupDirectionBelow);
    if (place.dwDirection & xtpPopupDirectionLeft)
        rc.MoveToX(nLeftEdge - rc.Width());
    if (rc.right > rcWork.right)
    {
        if (bBeside)
        {
            rc.MoveToX(nLeftEdge - rc.Width());
            place.dwDirection |= xtpPopupDirectionLeft;
        }
        else
            rc.MoveToX(rcWork.right - rc.Width());
    }
    if (rc.left < rcWork.left)
    {
        if (bBeside && (place.dwDirection & xtpPopupDirectionLeft))
        {
            rc.MoveToX(nRightEdge);
            place.dwDirection &= ~xtpPopupDirectionLeft;
        }
        else
            rc.MoveToX(rcWork.left);
    }
    if (rc.left < rcWork.left)
        rc.MoveToX(rcWork.left);

    place.rcPopup = rc;
}
