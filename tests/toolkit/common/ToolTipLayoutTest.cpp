// Measuring and placing an owner-drawn tip, as functions of text sizes and rectangles.
#include "toolkit/common/tooltips/XTPToolTipContextToolTip.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
struct LayoutCase
{
    const char* name;
    CRect rcMargin;
    int nMaxWidth;
    BOOL bTitle;
    CSize szTitle;
    CSize szIcon;
    CSize szDescription; // the measured description at any width (its width capped by the wrap width)
    int nExpectWrap;
    CSize szExpect;
};

const LayoutCase kLayoutCases[] = {
    {"plain text: the frame adds 6", CRect(0, 0, 0, 0), 180, FALSE, CSize(), CSize(), CSize(100, 20), 174, CSize(106, 26)},
    {"margins add to the frame", CRect(2, 3, 4, 5), 180, FALSE, CSize(), CSize(), CSize(100, 20), 168, CSize(112, 34)},
    {"title: +4 and +20, indent 25", CRect(0, 0, 0, 0), 180, TRUE, CSize(50, 14), CSize(), CSize(100, 20), 149,
     CSize(131, 60)},
    {"a wide title sets the width", CRect(0, 0, 0, 0), 180, TRUE, CSize(300, 14), CSize(), CSize(100, 20), 279,
     CSize(304, 60)},
    {"small icon with a title widens the title", CRect(0, 0, 0, 0), 180, TRUE, CSize(50, 14), CSize(16, 16),
     CSize(100, 20), 149, CSize(131, 60)},
    {"small icon with a wide title", CRect(0, 0, 0, 0), 180, TRUE, CSize(200, 14), CSize(16, 16), CSize(100, 20),
     196, CSize(221, 60)},
    {"small icon without a title: +3 beside the text", CRect(0, 0, 0, 0), 180, FALSE, CSize(), CSize(16, 16),
     CSize(100, 12), 174, CSize(125, 22)},
    {"large icon: +5 and at least its height", CRect(0, 0, 0, 0), 180, FALSE, CSize(), CSize(32, 32),
     CSize(100, 20), 174, CSize(143, 38)},
    {"large icon with a title", CRect(1, 1, 1, 1), 180, TRUE, CSize(40, 14), CSize(32, 32), CSize(100, 20), 147,
     CSize(170, 74)},
    {"wrapping narrower than the text", CRect(0, 0, 0, 0), 60, FALSE, CSize(), CSize(), CSize(100, 20), 54,
     CSize(60, 26)},
};
} // namespace

TEST(ToolTipLayout, SizesByTable)
{
    for (const LayoutCase& lc : kLayoutCases)
    {
        SCOPED_TRACE(lc.name);
        XTP_TOOLTIP_LAYOUT layout;
        layout.rcMargin = lc.rcMargin;
        layout.nMaxTipWidth = lc.nMaxWidth;
        layout.bTitle = lc.bTitle;
        layout.szTitle = lc.szTitle;
        layout.szIcon = lc.szIcon;
        int nWrap = -1;
        CSize sz = CXTPToolTipContextToolTip::CalcLayoutSize(layout, [&](int nWidth) {
            nWrap = nWidth;
            return CSize(std::min(static_cast<int>(lc.szDescription.cx), nWidth), lc.szDescription.cy);
        });
        EXPECT_EQ(nWrap, lc.nExpectWrap);
        EXPECT_EQ(sz, lc.szExpect);
    }
}

namespace
{
struct PlacementCase
{
    const char* name;
    CSize szTip;
    CPoint ptCursor;
    int nBelow;
    BOOL bExclude;
    CRect rcExclude;
    BOOL bRtl;
    CRect rcWork;
    CRect rcExpect;
};

const CRect kScreen(0, 0, 1280, 1024);

const PlacementCase kPlacementCases[] = {
    {"below the cursor's visible bottom", CSize(50, 30), CPoint(100, 100), 20, FALSE, CRect(), FALSE, kScreen,
     CRect(100, 120, 150, 150)},
    {"below a given rectangle", CSize(50, 30), CPoint(100, 100), 20, TRUE, CRect(10, 10, 60, 40), FALSE, kScreen,
     CRect(10, 40, 60, 70)},
    {"right edge 4 pixels inside", CSize(50, 30), CPoint(1250, 100), 20, FALSE, CRect(), FALSE, kScreen,
     CRect(1226, 120, 1276, 150)},
    {"exactly at the limit stays", CSize(50, 30), CPoint(1226, 100), 20, FALSE, CRect(), FALSE, kScreen,
     CRect(1226, 120, 1276, 150)},
    {"above the cursor near the bottom", CSize(50, 30), CPoint(400, 1000), 20, FALSE, CRect(), FALSE, kScreen,
     CRect(400, 967, 450, 997)},
    {"bottom exactly 4 pixels above stays", CSize(50, 30), CPoint(400, 970), 20, FALSE, CRect(), FALSE, kScreen,
     CRect(400, 990, 450, 1020)},
    {"right-to-left owner: left of the cursor", CSize(50, 30), CPoint(100, 100), 20, FALSE, CRect(), TRUE, kScreen,
     CRect(50, 120, 100, 150)},
    {"not left of the work area", CSize(50, 30), CPoint(20, 100), 20, FALSE, CRect(), TRUE, kScreen,
     CRect(0, 120, 50, 150)},
    {"a second monitor's work area", CSize(80, 30), CPoint(2550, 500), 16, FALSE, CRect(), FALSE,
     CRect(1280, 0, 2560, 1000), CRect(2476, 516, 2556, 546)},
    {"a rectangle near the bottom goes above the cursor", CSize(50, 30), CPoint(300, 1010), 20, TRUE,
     CRect(290, 1000, 340, 1015), FALSE, kScreen, CRect(290, 977, 340, 1007)},
};
} // namespace

TEST(ToolTipLayout, PlacementByTable)
{
    for (const PlacementCase& pc : kPlacementCases)
    {
        SCOPED_TRACE(pc.name);
        XTP_TOOLTIP_PLACEMENT placement;
        placement.szTip = pc.szTip;
        placement.ptCursor = pc.ptCursor;
        placement.nCursorBelow = pc.nBelow;
        placement.bExclude = pc.bExclude;
        placement.rcExclude = pc.rcExclude;
        placement.bRightToLeft = pc.bRtl;
        placement.rcWork = pc.rcWork;
        EXPECT_EQ(CXTPToolTipContextToolTip::CalcTipRect(placement), pc.rcExpect);
    }
}

TEST(ToolTipLayout, CursorVisibleBottom)
{
    HCURSOR hArrow = ::LoadCursor(nullptr, IDC_ARROW);
    int nBelow = CXTPToolTipContextToolTip::GetCursorVisibleBottom(hArrow);
    EXPECT_GT(nBelow, 4);
    EXPECT_LE(nBelow, ::GetSystemMetrics(SM_CYCURSOR));

    // A made cursor: 32 x 32, hot spot (0, 2), visible rows 0 to 9 only.
    BYTE andMask[32 * 4];
    BYTE xorMask[32 * 4] = {};
    for (int y = 0; y < 32; y++)
        for (int b = 0; b < 4; b++)
            andMask[y * 4 + b] = y < 10 ? 0x00 : 0xFF;
    HCURSOR hMade = ::CreateCursor(::GetModuleHandleA(nullptr), 0, 2, 32, 32, andMask, xorMask);
    ASSERT_NE(hMade, nullptr);
    EXPECT_EQ(CXTPToolTipContextToolTip::GetCursorVisibleBottom(hMade), 8);
    ::DestroyCursor(hMade);
}
