// Where a popup goes: a table over anchors, exclusion rectangles, sizes and directions on an
// 800 x 600 work area (usable bottom 595).
#include "toolkit/commandbars/bars/XTPPopupPlacement.h"

#include <gtest/gtest.h>

namespace
{
const DWORD L = xtpPopupDirectionLeft;
const DWORD B = xtpPopupDirectionBelow;
const DWORD U = xtpPopupDirectionUpward;

struct Case
{
    const char* pszName;
    CPoint ptAnchor;
    CRect rcExclude;
    CSize size;
    DWORD dwDirection;
    BOOL bFlip;
    int nMaxHeight;
    BOOL bMenu;
    CRect rcExpected;
    DWORD dwDirectionAfter;
    BOOL bScroll;
    BOOL bRelayout;
};

const CRect kNone(0, 0, 0, 0);
} // namespace

TEST(PopupPlacement, Table)
{
    const Case cases[] = {
        {"drop-down below its control", {100, 20}, {100, 0, 150, 20}, {120, 200}, B, FALSE, 0, TRUE,
         {100, 20, 220, 220}, B, FALSE, FALSE},
        {"drop-down with no room below goes above", {100, 520}, {100, 500, 150, 520}, {120, 200}, B, FALSE, 0, TRUE,
         {100, 300, 220, 500}, B, FALSE, FALSE},
        {"too tall either way, control high: scrolls below it", {100, 120}, {100, 100, 150, 120}, {120, 580}, B,
         FALSE, 0, TRUE, {100, 120, 220, 595}, B, TRUE, FALSE},
        {"too tall either way, control low: scrolls above it", {100, 500}, {100, 480, 150, 500}, {120, 580}, B,
         FALSE, 0, TRUE, {100, 0, 220, 480}, B, TRUE, FALSE},
        {"too tall with flipping: beside the control, ending at the usable bottom", {100, 120}, {100, 100, 150, 120},
         {120, 580}, B, TRUE, 0, TRUE, {150, 15, 270, 595}, 0, FALSE, FALSE},
        {"sub-menu beside its item", {400, 100}, {200, 100, 400, 120}, {150, 100}, 0, FALSE, 0, TRUE,
         {400, 100, 550, 200}, 0, FALSE, FALSE},
        {"sub-menu at the right edge flips left", {780, 100}, {600, 100, 780, 120}, {150, 100}, 0, FALSE, 0, TRUE,
         {450, 100, 600, 200}, L, FALSE, FALSE},
        {"sub-menu near the bottom moves up", {400, 550}, {200, 550, 400, 570}, {150, 100}, 0, FALSE, 0, TRUE,
         {400, 495, 550, 595}, 0, FALSE, FALSE},
        {"sub-menu asked to open left", {300, 100}, {300, 100, 400, 120}, {150, 100}, L, FALSE, 0, TRUE,
         {150, 100, 300, 200}, L, FALSE, FALSE},
        {"opening left past the left edge flips back right", {50, 100}, {50, 100, 150, 120}, {150, 100}, L, FALSE, 0,
         TRUE, {150, 100, 300, 200}, 0, FALSE, FALSE},
        {"drop-down at the right edge ends at it", {750, 20}, {750, 0, 790, 20}, {120, 100}, B, FALSE, 0, TRUE,
         {680, 20, 800, 120}, B, FALSE, FALSE},
        {"context menu at the right edge flips left of the point", {700, 300}, kNone, {150, 100}, 0, FALSE, 0, TRUE,
         {550, 300, 700, 400}, L, FALSE, FALSE},
        {"point in the lower half: ends at the point", {100, 550}, kNone, {150, 100}, 0, FALSE, 0, TRUE,
         {100, 450, 250, 550}, 0, FALSE, FALSE},
        {"point in the upper half: ends at the usable bottom", {100, 200}, kNone, {150, 450}, 0, FALSE, 0, TRUE,
         {100, 145, 250, 595}, 0, FALSE, FALSE},
        {"upward point anchor ends at it", {100, 300}, kNone, {150, 100}, U, FALSE, 0, TRUE, {100, 200, 250, 300}, U,
         FALSE, FALSE},
        {"point below the usable bottom ends at it", {100, 598}, kNone, {150, 100}, 0, FALSE, 0, TRUE,
         {100, 498, 250, 598}, 0, FALSE, FALSE},
        {"never above the work area", {100, 50}, kNone, {150, 100}, U, FALSE, 0, TRUE, {100, 0, 250, 100}, U, FALSE,
         FALSE},
        {"taller than the work area: clamped and scrolled", {100, 300}, kNone, {150, 700}, U, FALSE, 0, TRUE,
         {100, 0, 250, 595}, U, TRUE, FALSE},
        {"taller than the work area with flipping: a menu is laid out again", {100, 300}, kNone, {150, 700}, U, TRUE,
         0, TRUE, {100, 0, 250, 700}, U, FALSE, TRUE},
        {"taller with flipping, not a menu: left as it is", {100, 300}, kNone, {150, 700}, U, TRUE, 0, FALSE,
         {100, 0, 250, 700}, U, FALSE, FALSE},
        {"a maximum height clamps and scrolls", {100, 20}, {100, 0, 150, 20}, {120, 300}, B, FALSE, 100, TRUE,
         {100, 20, 220, 120}, B, TRUE, FALSE},
        {"a maximum height above the size changes nothing", {100, 20}, {100, 0, 150, 20}, {120, 300}, B, FALSE, 400,
         TRUE, {100, 20, 220, 320}, B, FALSE, FALSE},
    };
    for (const Case& c : cases)
    {
        XTP_POPUP_PLACEMENT place;
        place.ptAnchor = c.ptAnchor;
        place.rcExclude = c.rcExclude;
        place.rcExcludeBeside = c.rcExclude;
        place.size = c.size;
        place.dwDirection = c.dwDirection;
        place.rcWork = CRect(0, 0, 800, 600);
        place.bFlip = c.bFlip;
        place.nMaxHeight = c.nMaxHeight;
        place.bMenu = c.bMenu;
        XTPCalcPopupRect(place);
        EXPECT_EQ(c.rcExpected, place.rcPopup) << c.pszName << ": got " << place.rcPopup.left << ","
                                              << place.rcPopup.top << "," << place.rcPopup.right << ","
                                              << place.rcPopup.bottom;
        EXPECT_EQ(c.dwDirectionAfter, place.dwDirection) << c.pszName;
        EXPECT_EQ(c.bScroll, place.bScroll) << c.pszName;
        EXPECT_EQ(c.bRelayout, place.bRelayout) << c.pszName;
        if (c.bRelayout)
            EXPECT_EQ(595, place.nAvailableHeight) << c.pszName;
    }
}

TEST(PopupPlacement, WorkAreaIsTheWholeMonitorOverATaskbar)
{
    const CRect rcMonitor(0, 0, 800, 600);
    const CRect rcWork(0, 0, 800, 560);
    struct
    {
        CPoint ptAnchor;
        CRect rcExclude;
        CRect rcExpected;
    } cases[] = {
        {{10, 580}, kNone, rcMonitor},               // anchor over the taskbar
        {{10, 100}, kNone, rcWork},                  // anchor in the work area
        {{0, 0}, {0, 570, 50, 590}, rcMonitor},      // control on the taskbar
        {{0, 0}, {0, 100, 50, 120}, rcWork},         // control in the work area
        {{900, 100}, kNone, rcWork},                 // anchor off this monitor
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.rcExpected, XTPChoosePopupWorkArea(rcMonitor, rcWork, c.ptAnchor, c.rcExclude))
            << c.ptAnchor.x << "," << c.ptAnchor.y;
}
