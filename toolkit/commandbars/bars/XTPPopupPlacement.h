// Where a popup bar goes on the screen, apart from any window: from the anchor point, the rectangle
// of the control that opened it (which the popup must not cover), the popup's size, the direction
// it opens in and the work area. The popup bar feeds it from its control, its options and the
// system query, and applies the answer.
#pragma once

#include "framework/Geometry.h"

// Direction flags of a popup.
const DWORD xtpPopupDirectionLeft = 1;   // opens towards the left
const DWORD xtpPopupDirectionBelow = 2;  // opens below the exclusion rectangle (else beside it)
const DWORD xtpPopupDirectionUpward = 4; // ends at a point anchor

struct XTP_POPUP_PLACEMENT
{
    // In.
    CPoint ptAnchor;
    CRect rcExclude;        // screen rectangle of the opening control; zero height for a point anchor
    CRect rcExcludeBeside;  // the exclusion as it is when the popup opens beside the control instead
    CSize size;             // the popup's laid-out size
    DWORD dwDirection = 0;
    CRect rcWork;           // work area chosen by XTPChoosePopupWorkArea
    BOOL bFlip = FALSE;     // the options or the popup allow flipping
    int nMaxHeight = 0;     // > 0: the height is clamped to it
    BOOL bMenu = FALSE;     // a menu popup (type 2) that may be laid out again for less height

    // Out.
    CRect rcPopup;
    BOOL bScroll = FALSE;     // the popup scrolls its controls
    BOOL bHeightClamped = FALSE;
    BOOL bRelayout = FALSE;   // lay the menu out again for nAvailableHeight and place it again
    int nAvailableHeight = 0;
};

// The work area of the monitor that holds the exclusion rectangle (or the anchor point when it is
// empty); the whole monitor when the anchor or the rectangle lies outside the work area (over a
// taskbar).
CRect XTPChoosePopupWorkArea(const CRect& rcMonitor, const CRect& rcWorkArea, CPoint ptAnchor, const CRect& rcExclude);

// Places the popup: fills rcPopup, the scroll and relayout answers, and updates dwDirection when the
// popup flips sides.
void XTPCalcPopupRect(XTP_POPUP_PLACEMENT& place);

// The usable bottom of a work area: a popup keeps 5 pixels clear of it.
inline int XTPPopupUsableBottom(const CRect& rcWork)
{
    return rcWork.bottom - 5;
}
