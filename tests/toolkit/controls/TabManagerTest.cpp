// The tab manager's model, keys, click and drag loops, navigate buttons and tooltips. The loops
// run on a real window; their messages are posted before the call.
#include "TabTestSupport.h"

#include "toolkit/common/tooltips/XTPToolTipContext.h"

#include <gtest/gtest.h>

using tab_test::CLoopWindow;
using tab_test::CTestTabManager;

namespace
{
BOOL AlwaysActive(HWND)
{
    return TRUE;
}

DWORD g_dwFakeTicks = 0;
DWORD FakeTicks()
{
    g_dwFakeTicks += 21;
    return g_dwFakeTicks;
}

class TabManagerLoops : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CXTPTabManager::SetTopLevelActiveProvider(AlwaysActive);
        CXTPTabManagerNavigateButton::SetTickCountProvider(FakeTicks);
        CLoopWindow::Drain();
    }
    void TearDown() override
    {
        CXTPTabManager::SetTopLevelActiveProvider(nullptr);
        CXTPTabManagerNavigateButton::SetTickCountProvider(nullptr);
        ::ReleaseCapture();
        CLoopWindow::Drain();
    }
    CLoopWindow window;
};

CPoint Centre(const CXTPTabManagerItem* pItem)
{
    return pItem->GetRect().CenterPoint();
}
} // namespace

TEST(TabManagerModel, OutOfRangeIndexesAppend)
{
    CTestTabManager manager;
    manager.AddLengths({40, 40});
    CXTPTabManagerItem* pFirst = manager.AddItem(-5);
    CXTPTabManagerItem* pSecond = manager.AddItem(manager.GetItemCount() + 3);
    EXPECT_EQ(pFirst->GetIndex(), 2);
    EXPECT_EQ(pSecond->GetIndex(), 3);
    EXPECT_EQ(manager.GetItem(0)->GetCaption(), CString("A"));
    CXTPTabManagerItem* pFront = manager.AddItem(0);
    EXPECT_EQ(pFront->GetIndex(), 0);
    EXPECT_EQ(manager.GetItem(1)->GetIndex(), 1);
    EXPECT_EQ(manager.GetItem(7), nullptr);
    EXPECT_EQ(manager.GetItem(-1), nullptr);
    EXPECT_FALSE(manager.DeleteItem(9));
    EXPECT_FALSE(manager.DeleteItem(-1));
}

TEST(TabManagerModel, AutomaticColoursCycleThroughEight)
{
    const COLORREF expected[] = {RGB(138, 168, 228), RGB(255, 219, 117), RGB(189, 205, 159), RGB(240, 158, 159),
                                 RGB(186, 166, 225), RGB(154, 191, 180), RGB(247, 182, 131), RGB(216, 171, 192),
                                 RGB(138, 168, 228)};
    CTestTabManager manager;
    for (int i = 0; i < 9; i++)
    {
        CXTPTabManagerItem* pItem = manager.AddItem(-1);
        EXPECT_EQ(pItem->GetRawColor(), COLORREF(0x1000000 + i % 8)) << i;
        EXPECT_EQ(pItem->GetColor(), expected[i]) << i;
    }
    manager.GetItem(0)->SetColor(RGB(1, 2, 3));
    EXPECT_EQ(manager.GetItem(0)->GetColor(), RGB(1, 2, 3));
}

TEST(TabManagerModel, DeletingTheSelectedTabSelectsItsSuccessor)
{
    CTestTabManager manager;
    manager.AddLengths({40, 40, 40});
    manager.SetCurSel(1);
    ASSERT_TRUE(manager.DeleteItem(1));
    EXPECT_EQ(manager.GetCurSel(), 1) << "the successor";
    EXPECT_EQ(manager.Captions(), "AC");
    ASSERT_TRUE(manager.DeleteItem(1));
    EXPECT_EQ(manager.GetCurSel(), 0) << "the new last";
    ASSERT_TRUE(manager.DeleteItem(0));
    EXPECT_EQ(manager.GetSelectedItem(), nullptr) << "nothing left";
    EXPECT_EQ(manager.GetCurSel(), -1);
}

TEST(TabManagerModel, DeletingClearsTheHotAndThePressedTab)
{
    CTestTabManager manager;
    manager.AddLengths({40, 40});
    manager.m_pHighlighted = manager.GetItem(0);
    manager.m_pPressed = manager.GetItem(0);
    CXTPTabManagerItem* pItem = manager.GetItem(0);
    pItem->InternalAddRef();
    manager.DeleteItem(0);
    EXPECT_EQ(manager.GetHighlightedItem(), nullptr);
    EXPECT_EQ(manager.GetPressedItem(), nullptr);
    EXPECT_EQ(pItem->GetTabManager(), nullptr);
    pItem->InternalRelease();
}

TEST(TabManagerModel, HitTestSkipsHiddenAndDisabledTabsAndKeepsToTheHeader)
{
    CTestTabManager manager;
    manager.AddLengths({40, 40, 40});
    CXTPTabManagerItem* pB = manager.GetItem(1);
    EXPECT_EQ(manager.HitTest(Centre(pB)), pB);
    EXPECT_EQ(manager.HitTest(Centre(pB).x, Centre(pB).y), pB);
    pB->SetEnabled(FALSE);
    EXPECT_EQ(manager.HitTest(Centre(pB)), nullptr);
    pB->SetEnabled(TRUE);
    CPoint ptB = Centre(pB);
    pB->SetVisible(FALSE);
    EXPECT_NE(manager.HitTest(ptB), pB);
    pB->SetVisible(TRUE);
    // An item rectangle reaching beyond the header is hit only inside it.
    pB->m_rcItem.bottom = 60;
    EXPECT_EQ(manager.HitTest(CPoint(ptB.x, 50)), nullptr);
    EXPECT_EQ(manager.HitTest(CPoint(ptB.x, 10)), pB);
    EXPECT_EQ(manager.HitTest(CPoint(500, 10)), nullptr) << "outside the control";
}

TEST(TabManagerModel, FindNextFocusableSkipsHiddenAndDisabled)
{
    CTestTabManager manager;
    manager.AddLengths({40, 40, 40, 40});
    manager.GetItem(0)->SetEnabled(FALSE);
    manager.GetItem(1)->SetVisible(FALSE);
    EXPECT_EQ(manager.FindNextFocusable(-1, +1), manager.GetItem(2));
    EXPECT_EQ(manager.FindNextFocusable(4, -1), manager.GetItem(3));
    EXPECT_EQ(manager.FindNextFocusable(2, -1), nullptr);
}

TEST(TabManagerKeys, KeysByTable)
{
    struct Case
    {
        const char* name;
        int nPosition;
        BOOL bRtl;
        int nStart;
        UINT nKey;
        BOOL bResult;
        int nSelected;
    } cases[] = {
        {"home skips the disabled first", xtpTabPositionTop, FALSE, 3, VK_HOME, TRUE, 1},
        {"end", xtpTabPositionTop, FALSE, 1, VK_END, TRUE, 3},
        {"right", xtpTabPositionTop, FALSE, 1, VK_RIGHT, TRUE, 2},
        {"left stops at the disabled first", xtpTabPositionTop, FALSE, 1, VK_LEFT, TRUE, 1},
        {"right at the end", xtpTabPositionTop, FALSE, 3, VK_RIGHT, TRUE, 3},
        {"left in a vertical row: handled, no move", xtpTabPositionLeft, FALSE, 2, VK_LEFT, TRUE, 2},
        {"down in a vertical row", xtpTabPositionRight, FALSE, 2, VK_DOWN, TRUE, 3},
        {"up in a horizontal row: handled, no move", xtpTabPositionBottom, FALSE, 2, VK_UP, TRUE, 2},
        {"left under right-to-left goes right", xtpTabPositionTop, TRUE, 2, VK_LEFT, TRUE, 3},
        {"right under right-to-left goes left", xtpTabPositionTop, TRUE, 2, VK_RIGHT, TRUE, 1},
        {"another key", xtpTabPositionTop, FALSE, 2, VK_SPACE, FALSE, 2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        HWND hWnd = ::CreateWindowExA(c.bRtl ? WS_EX_LAYOUTRTL : 0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, nullptr, nullptr);
        CTestTabManager manager;
        manager.m_pPaintManager->m_nPosition = c.nPosition;
        manager.AddLengths({40, 40, 40, 40});
        manager.GetItem(0)->SetEnabled(FALSE);
        manager.SetCurSel(c.nStart);
        EXPECT_EQ(manager.PerformKeyDown(hWnd, c.nKey), c.bResult);
        EXPECT_EQ(manager.GetCurSel(), c.nSelected);
        ::DestroyWindow(hWnd);
    }
    CTestTabManager empty;
    EXPECT_FALSE(empty.PerformKeyDown(nullptr, VK_HOME)) << "no items";
}

TEST_F(TabManagerLoops, ClickReleasedInsideSelectsOutsideOrEscapeDoesNot)
{
    struct Case
    {
        const char* name;
        UINT nEnd;
        bool bInside;
        bool bClicked;
    } cases[] = {
        {"released inside", WM_LBUTTONUP, true, true},
        {"released outside", WM_LBUTTONUP, false, false},
        {"escape", WM_KEYDOWN, true, false},
        {"cancel mode", WM_CANCELMODE, true, false},
        {"right button", WM_RBUTTONUP, true, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager;
        manager.SetAllowReorder(FALSE);
        manager.m_pPaintManager->m_bSelectOnButtonDown = FALSE;
        manager.AddLengths({40, 40, 40});
        CPoint pt = Centre(manager.GetItem(1));
        CPoint ptEnd = c.bInside ? pt : CPoint(250, 60);
        window.Post(WM_MOUSEMOVE, ptEnd.x, ptEnd.y);
        if (c.nEnd == WM_KEYDOWN)
            window.Post(WM_KEYDOWN, 0, 0, VK_ESCAPE);
        else
            window.Post(c.nEnd, ptEnd.x, ptEnd.y);
        EXPECT_TRUE(manager.PerformClick(window.m_hWnd, pt));
        EXPECT_EQ(manager.GetCurSel(), c.bClicked ? 1 : -1);
        EXPECT_EQ(manager.GetPressedItem(), nullptr);
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

TEST_F(TabManagerLoops, DragMovesTheTabJudgedOnTheStartRectangles)
{
    CTestTabManager manager;
    manager.AddLengths({40, 40, 40, 40});
    manager.SetCurSel(3);
    CPoint ptA = Centre(manager.GetItem(0));
    CPoint ptC = Centre(manager.GetItem(2));
    window.Post(WM_MOUSEMOVE, ptC.x, ptC.y);
    window.Post(WM_LBUTTONUP, ptC.x, ptC.y);
    EXPECT_TRUE(manager.PerformClick(window.m_hWnd, ptA));
    EXPECT_EQ(manager.Captions(), "BCAD");
    EXPECT_EQ(manager.m_arrEvents, (std::vector<std::string>{"swap A<>B", "swap A<>C", "click 2", "moved 0->2"}));
    EXPECT_EQ(manager.GetSelectedItem()->GetCaption(), CString("A"));
}

TEST_F(TabManagerLoops, DragBackToTheStartClicksWithoutMoving)
{
    CTestTabManager manager;
    manager.AddLengths({40, 40, 40});
    CPoint ptA = Centre(manager.GetItem(0));
    CPoint ptB = Centre(manager.GetItem(1));
    window.Post(WM_MOUSEMOVE, ptB.x, ptB.y);
    window.Post(WM_MOUSEMOVE, ptA.x, ptA.y);
    window.Post(WM_LBUTTONUP, ptA.x, ptA.y);
    manager.PerformClick(window.m_hWnd, ptA);
    EXPECT_EQ(manager.Captions(), "ABC");
    EXPECT_EQ(manager.m_arrEvents, (std::vector<std::string>{"swap A<>B", "swap A<>B", "click 0"}));
}

TEST_F(TabManagerLoops, EscapeDuringADragKeepsThePlacesReached)
{
    CTestTabManager manager;
    manager.AddLengths({40, 40, 40});
    CPoint ptA = Centre(manager.GetItem(0));
    CPoint ptB = Centre(manager.GetItem(1));
    window.Post(WM_MOUSEMOVE, ptB.x, ptB.y);
    window.Post(WM_KEYDOWN, 0, 0, VK_ESCAPE);
    window.Post(WM_LBUTTONUP, ptB.x, ptB.y);
    manager.PerformClick(window.m_hWnd, ptA);
    EXPECT_EQ(manager.Captions(), "BAC");
    EXPECT_EQ(manager.m_arrEvents.back(), "moved 0->1");
    CLoopWindow::Drain();
}

TEST_F(TabManagerLoops, OwnerDeletingTheDraggedTabGetsNoCallbacksOnIt)
{
    CTestTabManager manager;
    manager.AddLengths({40, 40, 40});
    CPoint ptA = Centre(manager.GetItem(0));
    CPoint ptB = Centre(manager.GetItem(1));
    window.m_fnAction = [&]() { manager.DeleteItem(manager.FindIndex(manager.GetPressedItem() ? manager.GetPressedItem() : manager.GetSelectedItem())); };
    window.Post(WM_MOUSEMOVE, ptB.x, ptB.y);
    window.Post(WM_APP + 1);
    window.Post(WM_MOUSEMOVE, ptA.x, ptA.y);
    window.Post(WM_LBUTTONUP, ptA.x, ptA.y);
    manager.PerformClick(window.m_hWnd, ptA);
    EXPECT_EQ(manager.Captions(), "BC");
    EXPECT_EQ(manager.m_arrEvents, (std::vector<std::string>{"swap A<>B"}));
}

TEST_F(TabManagerLoops, OwnerDeletingTheClickedTabGetsNoClick)
{
    CTestTabManager manager;
    manager.SetAllowReorder(FALSE);
    manager.m_pPaintManager->m_bSelectOnButtonDown = FALSE;
    manager.AddLengths({40, 40, 40});
    CPoint pt = Centre(manager.GetItem(1));
    window.m_fnAction = [&]() { manager.DeleteItem(1); };
    window.Post(WM_APP + 1);
    window.Post(WM_LBUTTONUP, pt.x, pt.y);
    manager.PerformClick(window.m_hWnd, pt);
    EXPECT_EQ(manager.Captions(), "AC");
    EXPECT_TRUE(manager.m_arrEvents.empty());
    EXPECT_EQ(manager.GetPressedItem(), nullptr);
}

TEST_F(TabManagerLoops, QuitReachesTheOuterLoop)
{
    CTestTabManager manager;
    manager.AddLengths({40, 40});
    CPoint pt = Centre(manager.GetItem(0));
    ::PostQuitMessage(7);
    manager.PerformClick(window.m_hWnd, pt);
    EXPECT_EQ(::GetCapture(), nullptr);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, WPARAM(7));
}

TEST_F(TabManagerLoops, HeldLeftArrowScrollsUntilTheRowStarts)
{
    CTestTabManager manager;
    manager.AddLengths({200, 200});
    manager.SetHeaderOffset(-45);
    CXTPTabManagerNavigateButton* pLeft = manager.FindNavigateButton(xtpTabNavigateButtonLeft);
    ASSERT_FALSE(pLeft->GetRect().IsRectEmpty());
    ASSERT_TRUE(pLeft->IsEnabled());
    CPoint pt = pLeft->GetRect().CenterPoint();
    window.Post(WM_MOUSEMOVE, pt.x, pt.y);
    window.Post(WM_MOUSEMOVE, pt.x, pt.y);
    window.Post(WM_LBUTTONUP, pt.x, pt.y);
    EXPECT_TRUE(manager.PerformClick(window.m_hWnd, pt));
    EXPECT_EQ(manager.m_arrOffsets, (std::vector<int>{-25, -5, 0}));
    EXPECT_FALSE(pLeft->IsEnabled());
    EXPECT_FALSE(pLeft->IsPressed());
}

TEST_F(TabManagerLoops, CloseButtonClickAndEscape)
{
    CTestTabManager manager;
    manager.AddLengths({40, 40});
    manager.SetCurSel(0);
    CXTPTabManagerNavigateButton* pClose = manager.FindNavigateButton(xtpTabNavigateButtonClose);
    pClose->SetFlags(xtpTabNavigateButtonAlways);
    manager.Reposition();
    ASSERT_FALSE(pClose->GetRect().IsRectEmpty());
    CPoint pt = pClose->GetRect().CenterPoint();
    window.Post(WM_LBUTTONUP, pt.x, pt.y);
    manager.PerformClick(window.m_hWnd, pt);
    EXPECT_EQ(manager.m_arrEvents, (std::vector<std::string>{"button 2"}));

    manager.m_arrEvents.clear();
    window.Post(WM_KEYDOWN, 0, 0, VK_ESCAPE);
    window.Post(WM_LBUTTONUP, pt.x, pt.y);
    manager.PerformClick(window.m_hWnd, pt);
    EXPECT_TRUE(manager.m_arrEvents.empty());
    CLoopWindow::Drain();
}

TEST_F(TabManagerLoops, TabCloseButtonDeletedInItsOwnLoopStopsSafely)
{
    CTestTabManager manager;
    manager.SetCloseButtonMode(xtpTabNavigateButtonAlways);
    manager.AddLengths({80, 80});
    manager.SetCurSel(0);
    // Lay the buttons out as drawing does.
    {
        HDC hDC = ::CreateCompatibleDC(nullptr);
        HBITMAP hbm = ::CreateCompatibleBitmap(hDC, 300, 100);
        HGDIOBJ hOld = ::SelectObject(hDC, hbm);
        CDC dc;
        dc.Attach(hDC);
        manager.m_pPaintManager->DrawTabControl(&manager, &dc, CRect(0, 0, 300, 100));
        dc.Detach();
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hbm);
        ::DeleteDC(hDC);
    }
    CXTPTabManagerNavigateButton* pButton = manager.GetItem(0)->GetNavigateButtons()[0];
    ASSERT_NE(pButton, nullptr);
    ASSERT_FALSE(pButton->GetRect().IsRectEmpty());
    CPoint pt = pButton->GetRect().CenterPoint();
    window.m_fnAction = [&]() { manager.DeleteItem(0); };
    window.Post(WM_APP + 1);
    window.Post(WM_LBUTTONUP, pt.x, pt.y);
    EXPECT_TRUE(manager.PerformClick(window.m_hWnd, pt));
    EXPECT_EQ(manager.Captions(), "B");
    EXPECT_TRUE(manager.m_arrEvents.empty());
    EXPECT_EQ(::GetCapture(), nullptr);
    CLoopWindow::Drain();
}

TEST(TabNavigateButtons, ArrowsShowOnlyOnOverflowAndNeverInSeveralRows)
{
    struct Case
    {
        const char* name;
        std::vector<int> lengths;
        int nLayout;
        int nOffset;
        bool bShown;
    } cases[] = {
        {"fits", {100, 100}, xtpTabLayoutAutoSize, 0, false},
        {"overflows", {200, 200}, xtpTabLayoutAutoSize, 0, true},
        {"scrolled although it fits now", {150, 120}, xtpTabLayoutAutoSize, -20, true},
        {"several rows", {200, 200}, xtpTabLayoutMultiRow, 0, false},
        {"size to fit", {200, 200}, xtpTabLayoutSizeToFit, 0, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager;
        manager.m_pPaintManager->m_nLayout = c.nLayout;
        manager.AddLengths(c.lengths);
        manager.m_nHeaderOffset = c.nOffset;
        manager.Reposition();
        CXTPTabManagerNavigateButton* pLeft = manager.FindNavigateButton(0);
        CXTPTabManagerNavigateButton* pRight = manager.FindNavigateButton(1);
        EXPECT_EQ(!pLeft->GetRect().IsRectEmpty(), c.bShown);
        EXPECT_EQ(!pRight->GetRect().IsRectEmpty(), c.bShown);
        if (c.bShown)
        {
            // From the row's end inward: right arrow at 299 - 14, left arrow before it.
            EXPECT_EQ(pRight->GetRect(), CRect(285, 3, 299, 18));
            EXPECT_EQ(pLeft->GetRect(), CRect(271, 3, 285, 18));
            EXPECT_EQ(manager.GetHeaderRect().right, 271);
        }
    }
}

TEST(TabNavigateButtons, RightArrowFollowsTheTwentyEightPixelRule)
{
    // Row 299 long (header less one pixel), margins 2 + 6: enabled while 299 - 8 - 28 = 263 is less than
    // the items' length plus the offset.
    struct Case
    {
        int nTotal;
        bool bEnabled;
    } cases[] = {{263, false}, {264, true}};
    for (const Case& c : cases)
    {
        CTestTabManager manager;
        manager.AddLengths({c.nTotal});
        manager.FindNavigateButton(1)->SetFlags(xtpTabNavigateButtonAlways);
        manager.Reposition();
        EXPECT_EQ(manager.FindNavigateButton(1)->IsEnabled() != FALSE, c.bEnabled) << c.nTotal;
    }
}

TEST(TabNavigateButtons, TabCloseButtonShowsByMode)
{
    struct Case
    {
        const char* name;
        int nMode;
        BOOL bClosable;
        bool bOnSelected, bOnOther;
    } cases[] = {
        {"automatic: only on the selected tab", xtpTabNavigateButtonAutomatic, TRUE, true, false},
        {"always", xtpTabNavigateButtonAlways, TRUE, true, true},
        {"always but not closable", xtpTabNavigateButtonAlways, FALSE, false, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager;
        manager.SetCloseButtonMode(c.nMode);
        manager.AddLengths({80, 80});
        manager.GetItem(0)->SetClosable(c.bClosable);
        manager.GetItem(1)->SetClosable(c.bClosable);
        manager.SetCurSel(0);
        ASSERT_EQ(manager.GetItem(1)->GetNavigateButtons().GetSize(), 1);
        EXPECT_EQ(manager.IsNavigateButtonVisible(manager.GetItem(0)->GetNavigateButtons()[0]) != FALSE, c.bOnSelected);
        EXPECT_EQ(manager.IsNavigateButtonVisible(manager.GetItem(1)->GetNavigateButtons()[0]) != FALSE, c.bOnOther);
    }
    CTestTabManager manager;
    EXPECT_FALSE(manager.IsCloseButtonEnabled(manager.FindNavigateButton(2))) << "nothing selected";
    EXPECT_EQ(manager.FindNavigateButton(2)->GetTooltip(), CString("Close"));
}

TEST(TabManagerTooltips, ItemsShowTheirTipByModeAndButtonsTheirOwn)
{
    struct Case
    {
        const char* name;
        int nMode;
        bool bCut;
        INT_PTR expected;
    } cases[] = {
        {"never", 0, true, -1},
        {"always", 1, false, 1},
        {"only when cut: cut", 2, true, 1},
        {"only when cut: whole", 2, false, -1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager;
        manager.m_pPaintManager->m_nToolTipMode = c.nMode;
        manager.AddLengths({40, 40});
        CXTPTabManagerItem* pItem = manager.GetItem(1);
        pItem->SetTooltip("Second tab");
        if (c.bCut)
            pItem->m_nContentLength = pItem->m_nLength + 10;
        TOOLINFOA ti = {};
        ti.cbSize = XTP_TOOLINFO_V1_SIZE;
        EXPECT_EQ(manager.PerformToolHitTest(nullptr, Centre(pItem), &ti), c.expected);
        if (c.expected >= 0)
        {
            ASSERT_NE(ti.lpszText, nullptr);
            EXPECT_STREQ(ti.lpszText, "Second tab");
            EXPECT_EQ(CRect(ti.rect), pItem->GetRect());
        }
        CXTPToolTipContext::FreeToolInfo(&ti);
    }

    CTestTabManager manager;
    manager.AddLengths({200, 200});
    CXTPTabManagerNavigateButton* pRight = manager.FindNavigateButton(1);
    TOOLINFOA ti = {};
    ti.cbSize = XTP_TOOLINFO_V1_SIZE;
    EXPECT_EQ(manager.PerformToolHitTest(nullptr, pRight->GetRect().CenterPoint(), &ti), 1);
    ASSERT_NE(ti.lpszText, nullptr);
    EXPECT_STREQ(ti.lpszText, "Scroll Right");
    CXTPToolTipContext::FreeToolInfo(&ti);
}

TEST(TabManagerHotTracking, MouseMoveHighlightsAndMinusOneClears)
{
    CXTPTabManager::SetTopLevelActiveProvider(AlwaysActive);
    CTestTabManager manager;
    manager.m_pPaintManager->m_bHotTracking = TRUE;
    manager.AddLengths({40, 40});
    manager.PerformMouseMove(nullptr, Centre(manager.GetItem(1)));
    EXPECT_EQ(manager.GetHighlightedItem(), manager.GetItem(1));
    manager.PerformMouseMove(nullptr, -1, -1);
    EXPECT_EQ(manager.GetHighlightedItem(), nullptr);
    manager.PerformMouseMove(nullptr, Centre(manager.GetItem(0)));
    CXTPTabManager::SetTopLevelActiveProvider([](HWND) -> BOOL { return FALSE; });
    manager.PerformMouseMove(nullptr, Centre(manager.GetItem(0)));
    EXPECT_EQ(manager.GetHighlightedItem(), nullptr) << "an inactive window tracks nothing";
    CXTPTabManager::SetTopLevelActiveProvider(nullptr);
}

TEST(TabManagerModel, OffsetActiveAndClickWithoutItems)
{
    CTestTabManager manager;
    manager.SetAllowReorder(FALSE);
    manager.AddLengths({40, 40});
    const int nBefore = manager.m_nRepositions;
    manager.SetHeaderOffset(25);
    EXPECT_EQ(manager.GetHeaderOffset(), 0) << "never above 0";
    EXPECT_EQ(manager.m_nRepositions, nBefore) << "no change, no relayout";
    manager.SetActive(TRUE);
    EXPECT_EQ(manager.m_nRepositions, nBefore);
    manager.SetActive(FALSE);
    EXPECT_EQ(manager.m_nRepositions, nBefore + 1);
    EXPECT_FALSE(manager.PerformClick(nullptr, Centre(manager.GetItem(0)), TRUE)) << "items not clicked when asked";
    EXPECT_TRUE(manager.PerformClick(nullptr, Centre(manager.GetItem(1)))) << "selects on button down";
    EXPECT_EQ(manager.GetCurSel(), 1);
    EXPECT_FALSE(manager.PerformClick(nullptr, CPoint(290, 60)));
    // Without a window to capture for, a drag or a tracked click is a plain click.
    manager.SetAllowReorder(TRUE);
    EXPECT_TRUE(manager.PerformClick(nullptr, Centre(manager.GetItem(0))));
    EXPECT_EQ(manager.GetCurSel(), 0);
    CSize szFixed, szMin, szMax;
    manager.m_pPaintManager->m_nMinItemLength = 30;
    manager.m_pPaintManager->m_nMaxItemLength = 90;
    manager.GetItemMetrics(&szFixed, &szMin, &szMax);
    EXPECT_EQ(szFixed, CSize(70, 0));
    EXPECT_EQ(szMin, CSize(30, 0));
    EXPECT_EQ(szMax, CSize(90, 0));
}

TEST(TabManagerHotTracking, NavigateButtonUnderTheMouseBecomesHot)
{
    CXTPTabManager::SetTopLevelActiveProvider(AlwaysActive);
    CTestTabManager manager;
    manager.AddLengths({200, 200});
    CXTPTabManagerNavigateButton* pRight = manager.FindNavigateButton(1);
    ASSERT_FALSE(pRight->GetRect().IsRectEmpty());
    manager.m_arrRedraws.clear();
    manager.PerformMouseMove(nullptr, pRight->GetRect().CenterPoint());
    EXPECT_EQ(manager.GetHighlightedButton(), pRight);
    ASSERT_EQ(manager.m_arrRedraws.size(), 1u);
    EXPECT_EQ(manager.m_arrRedraws[0], pRight->GetRect());
    manager.PerformMouseMove(nullptr, -1, -1);
    EXPECT_EQ(manager.GetHighlightedButton(), nullptr);
    CXTPTabManager::SetTopLevelActiveProvider(nullptr);
}
