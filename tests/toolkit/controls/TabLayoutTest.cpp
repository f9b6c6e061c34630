// Layout of tab rows without windows: the rows are measured by given lengths on a memory DC.
#include "TabTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using tab_test::CTestTabManager;

namespace
{
// The property-page margins: 2 before the first tab, 3 outside, 6 after the last.
const CRect kMargin(2, 3, 6, 0);
const int kRow = 20; // max(16 + 0, 16 + 4) with icons counted
} // namespace

TEST(TabLayout, ShrinkToFitSharesWhatTheShortTabsLeave)
{
    struct Case
    {
        const char* name;
        int nAvailable;
        std::vector<int> lengths;
        std::vector<int> expected; // in item order
    } cases[] = {
        {"fits already", 400, {30, 100, 120, 150}, {30, 100, 120, 150}},
        {"150: three long share 120", 150, {30, 100, 120, 150}, {30, 40, 40, 40}},
        {"151: the last of the walk takes the odd pixel", 151, {30, 100, 120, 150}, {30, 40, 40, 41}},
        {"one item gets everything", 50, {80}, {50}},
        {"no space: no negative shares", 0, {30, 100}, {0, 0}},
        {"negative space: no negative shares", -40, {30, 100}, {0, 0}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager;
        manager.AddLengths(c.lengths);
        for (int i = 0; i < manager.GetItemCount(); i++)
            manager.GetItem(i)->m_nLength = c.lengths[i];
        manager.m_pPaintManager->ShrinkToFit(&manager, c.nAvailable);
        EXPECT_EQ(manager.Lengths(), c.expected);
    }
}

TEST(TabLayout, SizeToFitLayoutPlacesSharedLengthsInEveryPosition)
{
    // Row length 158 less the margins 2 and 6 leaves 150.
    struct Case
    {
        const char* name;
        int nPosition;
        CRect rcControl;
        CRect rcFirst; // the first item (length 30)
    } cases[] = {
        {"top", xtpTabPositionTop, CRect(0, 0, 158, 100), CRect(2, 3, 32, 3 + kRow)},
        {"bottom", xtpTabPositionBottom, CRect(0, 0, 158, 100), CRect(2, 100 - 3 - kRow, 32, 97)},
        {"left", xtpTabPositionLeft, CRect(0, 0, 100, 158), CRect(3, 2, 3 + kRow, 32)},
        {"right", xtpTabPositionRight, CRect(0, 0, 100, 158), CRect(100 - 3 - kRow, 2, 97, 32)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager(c.rcControl);
        manager.m_pPaintManager->m_nPosition = c.nPosition;
        manager.m_pPaintManager->m_nLayout = xtpTabLayoutSizeToFit;
        manager.AddLengths({30, 100, 120, 150});
        EXPECT_EQ(manager.Lengths(), (std::vector<int>{30, 40, 40, 40}));
        EXPECT_EQ(manager.GetItem(0)->GetRect(), c.rcFirst);
        // The items follow each other along the row.
        const BOOL bHorizontal = manager.IsHorizontalPosition();
        for (int i = 1; i < manager.GetItemCount(); i++)
        {
            CRect a = manager.GetItem(i - 1)->GetRect(), b = manager.GetItem(i)->GetRect();
            EXPECT_EQ(bHorizontal ? a.right : a.bottom, bHorizontal ? b.left : b.top) << i;
        }
        // No arrows in a row that fits by construction.
        EXPECT_TRUE(manager.FindNavigateButton(0)->GetRect().IsRectEmpty());
        EXPECT_TRUE(manager.FindNavigateButton(1)->GetRect().IsRectEmpty());
    }
}

TEST(TabLayout, FixedLengthTakesTheMaximumLast)
{
    struct Case
    {
        const char* name;
        int nFixed, nMin, nMax;
        int expected;
    } cases[] = {
        {"plain fixed", 70, 0, 0, 70},
        {"raised to the minimum", 70, 80, 0, 80},
        {"lowered to the maximum", 70, 0, 60, 60},
        {"maximum wins over minimum", 70, 80, 60, 60},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager;
        manager.m_pPaintManager->m_nLayout = xtpTabLayoutFixed;
        manager.m_pPaintManager->m_nFixedItemLength = c.nFixed;
        manager.m_pPaintManager->m_nMinItemLength = c.nMin;
        manager.m_pPaintManager->m_nMaxItemLength = c.nMax;
        manager.AddItem(-1)->m_strCaption = "A rather long caption for a fixed tab";
        manager.Reposition();
        EXPECT_EQ(manager.GetItem(0)->m_nLength, c.expected);
    }
}

TEST(TabLayout, MultipleRowsAreBalancedJustifiedAndTheSelectedRowMovesToTheClient)
{
    struct Case
    {
        const char* name;
        int nSelect;
        BOOL bKeepSelectedRow;
        BOOL bJustify;
        std::vector<std::pair<int, int>> rows;
    } cases[] = {
        {"balanced", -1, FALSE, TRUE, {{0, 0}, {1, 2}, {3, 4}}},
        {"selected row swapped to 0", 3, FALSE, TRUE, {{3, 4}, {1, 2}, {0, 0}}},
        {"selected row kept", 3, TRUE, TRUE, {{0, 0}, {1, 2}, {3, 4}}},
        {"greedy without justification", -1, FALSE, FALSE, {{0, 1}, {2, 3}, {4, 4}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager(CRect(0, 0, 158, 200));
        manager.m_pPaintManager->m_nLayout = xtpTabLayoutMultiRow;
        manager.m_pPaintManager->m_bKeepSelectedRow = c.bKeepSelectedRow;
        manager.m_pPaintManager->m_bJustifyRows = c.bJustify;
        manager.AddLengths({60, 60, 60, 60, 60});
        if (c.nSelect >= 0)
            manager.SetCurSel(c.nSelect);
        manager.Reposition();
        ASSERT_EQ(manager.GetRowCount(), 3);
        for (int r = 0; r < 3; r++)
        {
            const CXTPTabManager::ROW_ITEMS* pRow = manager.GetRowIndexer()->GetRow(r);
            EXPECT_EQ(std::make_pair(pRow->nFirstItem, pRow->nLastItem), c.rows[r]) << "row " << r;
            for (int i = pRow->nFirstItem; i <= pRow->nLastItem; i++)
                EXPECT_EQ(manager.GetItem(i)->m_nRow, r) << "item " << i;
        }
        if (c.bJustify)
        {
            // Every row ends at 2 + 150; the single tab is 150 long, the pairs 75 and 75.
            EXPECT_EQ(manager.Lengths(), (std::vector<int>{150, 75, 75, 75, 75}));
            for (int i : {0, 2, 4})
                EXPECT_EQ(manager.GetItem(i)->GetRect().right, 152) << i;
        }
        // Row 0 lies next to the client: rows overlap by 2 and stack outward from 3 + 2 x 18.
        const int nRow0 = manager.GetRowIndexer()->GetRow(0)->nFirstItem;
        EXPECT_EQ(manager.GetItem(nRow0)->GetRect().top, 3 + 2 * (kRow - 2));
        const int nRow2 = manager.GetRowIndexer()->GetRow(2)->nFirstItem;
        EXPECT_EQ(manager.GetItem(nRow2)->GetRect().top, 3);
        // Three rows: 3 x 20 - 2 x 2 plus the margins.
        EXPECT_EQ(manager.GetHeaderRect(), CRect(0, 0, 158, 3 + 3 * kRow - 4));
    }
}

TEST(TabLayout, MultipleRowsInNoSpaceKeepEveryItemInARow)
{
    CTestTabManager manager(CRect(0, 0, 8, 200));
    manager.m_pPaintManager->m_nLayout = xtpTabLayoutMultiRow;
    manager.AddLengths({60, 60, 60});
    ASSERT_EQ(manager.GetRowCount(), 3);
    for (int r = 0; r < 3; r++)
    {
        const CXTPTabManager::ROW_ITEMS* pRow = manager.GetRowIndexer()->GetRow(r);
        EXPECT_EQ(pRow->nFirstItem, r);
        EXPECT_EQ(pRow->nLastItem, r);
    }
    for (int nLength : manager.Lengths())
        EXPECT_GE(nLength, 0);
}

TEST(TabLayout, ManyRowsOfRandomLengthsCoverEveryItemOnce)
{
    CTestTabManager manager(CRect(0, 0, 208, 4000));
    manager.m_pPaintManager->m_nLayout = xtpTabLayoutMultiRow;
    std::vector<int> lengths;
    unsigned seed = 12345;
    for (int i = 0; i < 300; i++)
    {
        seed = seed * 1103515245u + 12345u;
        lengths.push_back(20 + int((seed >> 16) % 90));
    }
    const DWORD dwStart = ::GetTickCount();
    manager.AddLengths(lengths);
    const DWORD dwElapsed = ::GetTickCount() - dwStart;
    RecordProperty("layout_ms_300_tabs", int(dwElapsed));
    int nNext = 0;
    for (int r = 0; r < manager.GetRowCount(); r++)
    {
        const CXTPTabManager::ROW_ITEMS* pRow = manager.GetRowIndexer()->GetRow(r);
        EXPECT_EQ(pRow->nFirstItem, nNext) << r;
        EXPECT_GE(pRow->nLastItem, pRow->nFirstItem) << r;
        nNext = pRow->nLastItem + 1;
    }
    EXPECT_EQ(nNext, 300);
    // A row is never longer than the header's usable length (200).
    for (int r = 0; r < manager.GetRowCount(); r++)
    {
        const CXTPTabManager::ROW_ITEMS* pRow = manager.GetRowIndexer()->GetRow(r);
        EXPECT_LE(manager.GetItem(pRow->nLastItem)->GetRect().right, 202) << r;
    }
}

TEST(TabLayout, StrandedOffsetIsPulledBackButNeverPositive)
{
    struct Case
    {
        const char* name;
        std::vector<int> lengths;
        int nOffset;
        int expected;
    } cases[] = {
        // Row 300 wide: the header ends at 300 - 14 - 14 - 1 = 271 with both arrows, space 263.
        {"pulled back to end at the margin", {200, 200}, -300, 263 - 400},
        {"kept while the row still overflows", {200, 200}, -100, -100},
        {"never positive when everything fits", {50, 50}, -60, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager;
        manager.AddLengths(c.lengths);
        manager.m_nHeaderOffset = c.nOffset;
        manager.Reposition();
        EXPECT_EQ(manager.GetHeaderOffset(), c.expected);
        EXPECT_EQ(manager.GetItem(0)->GetRect().left, 2 + c.expected);
    }
}

TEST(TabLayout, EnsureVisibleScrollsTheItemIntoTheHeader)
{
    CTestTabManager manager;
    manager.AddLengths({200, 200, 200});
    // Both arrows show: the header ends at 271.
    ASSERT_EQ(manager.GetHeaderRect().right, 271);
    manager.SetCurSel(2);
    EXPECT_EQ(manager.GetItem(2)->GetRect().right, 271 - 2);
    EXPECT_EQ(manager.GetHeaderOffset(), -(602 - 269));
    manager.SetCurSel(0);
    EXPECT_EQ(manager.GetItem(0)->GetRect().left, 2);
    EXPECT_EQ(manager.GetHeaderOffset(), 0);

    // Nothing in the size-to-fit layout.
    manager.m_pPaintManager->m_nLayout = xtpTabLayoutSizeToFit;
    manager.m_nHeaderOffset = 0;
    manager.Reposition();
    manager.EnsureVisible(manager.GetItem(2));
    EXPECT_EQ(manager.GetHeaderOffset(), 0);
}

TEST(TabLayout, RotatedTabsHangFromTheClientSide)
{
    struct Case
    {
        const char* name;
        int nPosition;
        CRect rcFirst;
    } cases[] = {
        // Header: 3 + max(20, 50) + 0 = 53 high; items 20 along the row and their length across.
        {"top", xtpTabPositionTop, CRect(2, 3, 22, 53)},
        {"bottom", xtpTabPositionBottom, CRect(2, 100 - 53, 22, 100 - 3)},
        {"left", xtpTabPositionLeft, CRect(3, 2, 53, 22)},
        {"right", xtpTabPositionRight, CRect(100 - 53, 2, 100 - 3, 22)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager(CRect(0, 0, 100, 100));
        manager.m_pPaintManager->m_nPosition = c.nPosition;
        manager.m_pPaintManager->m_nLayout = xtpTabLayoutRotated;
        manager.AddLengths({50, 30});
        EXPECT_EQ(manager.GetItem(0)->GetRect(), c.rcFirst);
        EXPECT_EQ(manager.GetItemsLength(), 2 * kRow);
    }
}

TEST(TabLayout, HiddenTabsNoItemsAndAHiddenHeader)
{
    {
        SCOPED_TRACE("tabs hidden");
        CTestTabManager manager(CRect(0, 0, 200, 100));
        manager.m_pPaintManager->m_bShowTabs = FALSE;
        manager.AddLengths({50, 60});
        EXPECT_TRUE(manager.GetHeaderRect().IsRectEmpty());
        for (const CRect& rc : manager.Rects())
            EXPECT_TRUE(rc.IsRectEmpty());
        // Client: the control less the full frame (2 each side).
        EXPECT_EQ(manager.GetClientRect(), CRect(2, 2, 198, 98));
    }
    {
        SCOPED_TRACE("no items");
        CTestTabManager manager(CRect(0, 0, 200, 100));
        manager.Reposition();
        EXPECT_EQ(manager.GetHeaderRect(), CRect(0, 0, 200, 3 + kRow));
        EXPECT_EQ(manager.GetClientRect(), CRect(0, 0, 200, 100));
    }
    {
        SCOPED_TRACE("a hidden item takes no room");
        CTestTabManager manager;
        manager.AddLengths({50, 60, 70});
        manager.GetItem(1)->SetVisible(FALSE);
        EXPECT_EQ(manager.GetItem(1)->m_nLength, 0);
        EXPECT_EQ(manager.GetItem(2)->GetRect().left, 52);
    }
}

TEST(TabLayout, TextAndRowHeights)
{
    // A space of 14 pixels or less gives 18; a 20-pixel one gives 23 (any space above 15 gives its
    // height + 3). Font sizes are walked so that both sides are seen whatever the face's rounding
    // (under Wine no size of the face gives exactly 20).
    CXTPTabPaintManager pm;
    bool bSeenSmall = false, bSeenLarge = false;
    for (int nHeight = -32; nHeight <= 32; nHeight++)
    {
        if (nHeight > -8 && nHeight < 8)
            continue;
        LOGFONTA lf = {};
        lf.lfHeight = nHeight;
        lstrcpyA(lf.lfFaceName, "Tahoma");
        pm.SetFontIndirect(&lf, FALSE);
        pm.GetAppearanceSet()->RefreshMetrics();
        HDC hDC = ::GetDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hDC, pm.m_fontNormal.GetSafeHandle());
        SIZE sz;
        ::GetTextExtentPoint32A(hDC, " ", 1, &sz);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(nullptr, hDC);
        const int nText = pm.GetAppearanceSet()->m_nTextHeight;
        EXPECT_EQ(nText, std::max(18, int(sz.cy) + 3)) << nHeight;
        if (sz.cy <= 14)
        {
            bSeenSmall = true;
            EXPECT_EQ(nText, 18) << nHeight;
        }
        if (sz.cy >= 16)
        {
            bSeenLarge = true;
            EXPECT_EQ(nText, int(sz.cy) + 3) << nHeight;
        }
        if (sz.cy == 20)
        {
            EXPECT_EQ(nText, 23) << nHeight;
        }
    }
    EXPECT_TRUE(bSeenSmall);
    EXPECT_TRUE(bSeenLarge);

    CTestTabManager manager;
    manager.AddLengths({40});
    CXTPTabPaintManagerAppearanceSet* pSet = manager.m_pPaintManager->GetAppearanceSet();
    EXPECT_EQ(pSet->GetButtonHeight(&manager), 20) << "icons shown";
    manager.m_pPaintManager->m_bShowIcons = FALSE;
    EXPECT_EQ(pSet->GetButtonHeight(&manager), 16) << "text height alone";
    static_cast<tab_test::CFixedAppearance*>(pSet)->m_nTextHeight = 18;
    EXPECT_EQ(pSet->GetButtonHeight(&manager), 18);
    manager.m_pPaintManager->m_bShowIcons = TRUE;
    EXPECT_EQ(pSet->GetButtonHeight(&manager), 20);
}

TEST(TabLayout, ClientFramesAndMarginsByPosition)
{
    struct Case
    {
        const char* name;
        int nPosition;
        int nFrame;
        CRect rcClient;
    } cases[] = {
        // Header 23 high (3 + 20); the client overlaps it by one pixel.
        {"top, full frame", xtpTabPositionTop, xtpTabFrameBorder, CRect(2, 22 + 2, 198, 98)},
        {"top, single line", xtpTabPositionTop, xtpTabFrameSingleLine, CRect(0, 22 + 2, 200, 100)},
        {"top, none", xtpTabPositionTop, xtpTabFrameNone, CRect(0, 22, 200, 100)},
        {"bottom, single line", xtpTabPositionBottom, xtpTabFrameSingleLine, CRect(0, 0, 200, 78 - 2)},
        {"left, single line", xtpTabPositionLeft, xtpTabFrameSingleLine, CRect(22 + 2, 0, 200, 100)},
        {"right, full frame", xtpTabPositionRight, xtpTabFrameBorder, CRect(2, 2, 178 - 2, 98)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager(CRect(0, 0, 200, 100));
        manager.m_pPaintManager->m_nPosition = c.nPosition;
        manager.m_pPaintManager->m_nClientFrame = c.nFrame;
        manager.AddLengths({40});
        EXPECT_EQ(manager.GetClientRect(), c.rcClient);
    }
}

TEST(TabLayout, RectanglesGrowAndShrinkByPosition)
{
    struct Case
    {
        int nPosition;
        CRect expected;
    } cases[] = {
        {xtpTabPositionTop, CRect(10 - 1, 10 - 2, 20 + 3, 20 + 4)},
        {xtpTabPositionLeft, CRect(10 - 2, 10 - 1, 20 + 4, 20 + 3)},
        {xtpTabPositionBottom, CRect(10 - 1, 10 - 4, 20 + 3, 20 + 2)},
        {xtpTabPositionRight, CRect(10 - 4, 10 - 1, 20 + 2, 20 + 3)},
        {7, CRect(10, 10, 20, 20)},
    };
    for (const Case& c : cases)
    {
        CRect rc(10, 10, 20, 20);
        CXTPTabPaintManager::InflateRectByPosition(rc, 1, 2, 3, 4, c.nPosition);
        EXPECT_EQ(rc, c.expected) << c.nPosition;
        CXTPTabPaintManager::DeflateRectByPosition(rc, 1, 2, 3, 4, c.nPosition);
        EXPECT_EQ(rc, CRect(10, 10, 20, 20)) << c.nPosition;
    }
}

namespace
{
// Each byte is 10 pixels wide.
int TenPerByte(void*, LPCSTR, int nBytes)
{
    return nBytes * 10;
}
} // namespace

TEST(TabLayout, MiddleEllipsisSplitStaysInTheCaptionAndInWholeCharacters)
{
    struct Case
    {
        const char* name;
        const char* caption;
        int nAvail;
        UINT nCodePage;
        int nHead, nTail;
    } cases[] = {
        {"even split", "abcdefghij", 60, 1252, 3, 3},
        {"odd room rounds down", "abcdefghij", 55, 1252, 3, 2},
        {"nothing fits", "abcdefghij", 5, 1252, 0, 0},
        {"room beyond the caption stays inside it", "abcd", 500, 1252, 2, 2},
        // Shift-JIS: 0x82 leads a two-byte character; a half character is never taken.
        {"double-byte characters stay whole", "\x82\xa0\x82\xa2\x82\xa4\x82\xa6", 50, 932, 2, 2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        int nHead = -1, nTail = -1;
        CXTPTabPaintManager::SplitMiddleEllipsis(c.caption, c.nAvail, lstrlenA(c.caption) * 10, TenPerByte, nullptr,
                                                 c.nCodePage, nHead, nTail);
        EXPECT_EQ(nHead, c.nHead);
        EXPECT_EQ(nTail, c.nTail);
        EXPECT_LE((nHead + nTail) * 10, std::max(c.nAvail, 0));
        EXPECT_LE(nHead + nTail, lstrlenA(c.caption));
    }
}

TEST(TabLayout, MeasuringCountsTheTabsOwnButtonsAndTheExtraLength)
{
    struct Case
    {
        const char* name;
        int nLayout;
        int nCloseMode;
        int nExtra;
        int nSelected;
        std::vector<int> contentLengths;
        std::vector<int> lengths;
    } cases[] = {
        // Empty captions: insets 6 + 6; a visible close button adds its 14 and 3 more.
        {"plain", xtpTabLayoutAutoSize, 0, 0, 0, {12, 12}, {12, 12}},
        {"close buttons always", xtpTabLayoutAutoSize, xtpTabNavigateButtonAlways, 0, 0, {29, 29}, {29, 29}},
        {"close button on the selected only", xtpTabLayoutAutoSize, xtpTabNavigateButtonAutomatic, 0, 1, {12, 29}, {12, 29}},
        {"extra length on visible items", xtpTabLayoutAutoSize, 0, 21, 0, {12, 12}, {33, 33}},
        {"compressed: icon width + 8, no buttons", xtpTabLayoutCompressed, xtpTabNavigateButtonAlways, 0, 1, {24, 29}, {24, 29}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager;
        manager.m_pPaintManager->m_nLayout = c.nLayout;
        manager.m_pPaintManager->m_nItemExtraLength = c.nExtra;
        manager.SetCloseButtonMode(c.nCloseMode);
        manager.AddItem(-1);
        manager.AddItem(-1);
        manager.SetCurSel(c.nSelected);
        manager.Reposition();
        EXPECT_EQ(manager.GetItem(0)->m_nContentLength, c.contentLengths[0]);
        EXPECT_EQ(manager.GetItem(1)->m_nContentLength, c.contentLengths[1]);
        EXPECT_EQ(manager.Lengths(), c.lengths);
    }
}

TEST(TabLayout, StaticFrameAndMarginsTurnWithThePosition)
{
    struct Case
    {
        const char* name;
        int nPosition;
        BOOL bStaticFrame;
        CRect rcControlMargin, rcClientMargin;
        CRect rcHeader, rcClient;
    } cases[] = {
        // Static frame: (2, 1, 2, 2) by position; margins given for top tabs, turned to the position.
        {"top, static frame", xtpTabPositionTop, TRUE, CRect(), CRect(), CRect(2, 1, 198, 24),
         CRect(2 + 2, 24 - 1 + 2, 198 - 2, 98 - 2)},
        {"bottom, control margin", xtpTabPositionBottom, FALSE, CRect(1, 2, 3, 4), CRect(), CRect(1, 100 - 2 - 23, 197, 98),
         CRect(1 + 2, 4 + 2, 197 - 2, 98 - 23 + 1 - 2)},
        {"left, client margin", xtpTabPositionLeft, FALSE, CRect(), CRect(1, 2, 3, 4), CRect(0, 0, 23, 100),
         CRect(22 + 2 + 2, 1 + 2, 200 - 4 - 2, 100 - 3 - 2)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager(CRect(0, 0, 200, 100));
        CXTPTabPaintManager* pm = manager.m_pPaintManager;
        pm->m_nPosition = c.nPosition;
        pm->m_bStaticFrame = c.bStaticFrame;
        pm->m_rcControlMargin = c.rcControlMargin;
        pm->m_rcClientMargin = c.rcClientMargin;
        manager.AddLengths({40});
        EXPECT_EQ(manager.GetHeaderRect(), c.rcHeader);
        EXPECT_EQ(manager.GetClientRect(), c.rcClient);
    }
}
