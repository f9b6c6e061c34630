// The manager's docking operations: the dock bar under a point, floating, toolbars made by the
// user, and what an expand popup takes from the toolbar's row.
#include "ToolBarSupport.h"

#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"

#include <gtest/gtest.h>

using tb_test::DockingOnFrame;

namespace
{
class DockingOps : public DockingOnFrame
{
};

CRect ScreenRect(CWnd* pWnd)
{
    CRect rc;
    ::GetWindowRect(pWnd->GetSafeHwnd(), &rc);
    return rc;
}
} // namespace

TEST_F(DockingOps, FindDockBarAtPointDocksWithinTwentyPixels)
{
    ASSERT_NE(AddToolBar("A", {100, 101}), nullptr);
    Layout();
    CXTPDockBar* pTop = bars->GetDockBar(xtpBarTop);
    CXTPDockBar* pLeft = bars->GetDockBar(xtpBarLeft);
    const CRect rcTop = ScreenRect(pTop);
    ASSERT_FALSE(rcTop.IsRectEmpty());
    const int xMid = rcTop.CenterPoint().x;

    struct Case
    {
        const char* name;
        CPoint pt;
        CXTPDockBar* pCurrent;
        CXTPDockBar* pExpected;
    } const cases[] = {
        {"19 pixels above", CPoint(xMid, rcTop.top - 19), nullptr, pTop},
        {"20 pixels above", CPoint(xMid, rcTop.top - 20), nullptr, nullptr},
        {"inside", rcTop.CenterPoint(), nullptr, pTop},
        {"19 pixels below", CPoint(xMid, rcTop.bottom + 19), nullptr, pTop},
        {"19 pixels left of the end", CPoint(rcTop.left - 19, rcTop.top + 1), nullptr, pTop},
        {"20 pixels left of the end", CPoint(rcTop.left - 20, rcTop.top + 1), nullptr, nullptr},
        // Near the top-left corner both the top and the (empty) left dock bar are in reach: the
        // current one wins, else the top one (tried before the left one).
        {"corner, no current", CPoint(rcTop.left + 2, rcTop.bottom + 2), nullptr, pTop},
        {"corner, left current", CPoint(rcTop.left + 2, rcTop.bottom + 2), pLeft, pLeft},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bars->FindDockBarAtPoint(c.pt, c.pCurrent), c.pExpected) << c.name;
}

TEST_F(DockingOps, FloatingTakesTheBarOutAndDockingBringsItBack)
{
    CXTPToolBar* pA = AddToolBar("A", {100, 101});
    ASSERT_NE(pA, nullptr);
    CXTPDockBar* pTop = bars->GetDockBar(xtpBarTop);
    ASSERT_TRUE(bars->FloatCommandBar(pA));
    EXPECT_EQ(pA->GetPosition(), xtpBarFloating);
    EXPECT_EQ(pA->GetDockBar(), nullptr);
    EXPECT_EQ(pTop->FindBar(pA), -1);
    EXPECT_TRUE(::GetWindowLongPtrA(pA->GetSafeHwnd(), GWL_STYLE) & WS_POPUP);
    // The floating window was given the bar's floating size.
    const CSize szFloat = pA->CalcDynamicLayout(-1, LM_MRUWIDTH | LM_HORZ);
    EXPECT_EQ(ScreenRect(pA).Size(), szFloat);

    ASSERT_TRUE(bars->DockCommandBar(pA, xtpBarBottom));
    EXPECT_EQ(pA->GetPosition(), xtpBarBottom);
    EXPECT_EQ(pA->GetDockBar(), bars->GetDockBar(xtpBarBottom));
    EXPECT_TRUE(::GetWindowLongPtrA(pA->GetSafeHwnd(), GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(::GetWindowLongPtrA(pA->GetSafeHwnd(), GWL_STYLE) & WS_POPUP);
    // Positions beyond the four dock bars dock nothing.
    EXPECT_FALSE(bars->DockCommandBar(pA, xtpBarFloating));
    EXPECT_EQ(pA->GetDockBar(), bars->GetDockBar(xtpBarBottom));
}

TEST_F(DockingOps, AddCustomBarMakesAUserBar)
{
    const int nBefore = bars->GetCount();
    CXTPToolBar* pDocked = bars->AddCustomBar("Mine", 0x7001, FALSE);
    ASSERT_NE(pDocked, nullptr);
    EXPECT_EQ(frame.Count(XTP_WM_CREATECOMMANDBAR_REQUEST), 1);
    EXPECT_EQ(bars->GetCount(), nBefore + 1);
    EXPECT_EQ(bars->GetToolBar(0x7001), pDocked);
    EXPECT_FALSE(pDocked->IsBuiltIn());
    EXPECT_STREQ(pDocked->GetTitle(), "Mine");
    EXPECT_EQ(pDocked->GetDockBar(), bars->GetDockBar(xtpBarTop));

    CXTPToolBar* pFloating = bars->AddCustomBar("Floating one", 0x7002, TRUE);
    ASSERT_NE(pFloating, nullptr);
    EXPECT_EQ(frame.Count(XTP_WM_CREATECOMMANDBAR_REQUEST), 2);
    EXPECT_EQ(pFloating->GetPosition(), xtpBarFloating);
    EXPECT_EQ(pFloating->GetDockBar(), nullptr);
    EXPECT_FALSE(pFloating->IsBuiltIn());
}

TEST_F(DockingOps, HiddenControlsOfTheWholeRowAreCopiedInRowOrder)
{
    CXTPToolBar* pA = AddToolBar("A", {100, 101, 102});
    CXTPToolBar* pB = AddToolBar("B", {200, 201});
    CXTPToolBar* pOther = AddToolBar("C", {300});
    ASSERT_TRUE(pA && pB && pOther);
    ASSERT_TRUE(DockAfter(pB, pA));

    // Controls pushed out (exactly the wrap bit) are copied; other hide states are not.
    pA->GetControl(1)->SetHideFlags(xtpHideWrap);
    pA->GetControl(1)->SetFlags(xtpFlagNoMovable);
    pA->GetControl(2)->SetHideFlags(xtpHideWrap | xtpHideGeneric);
    pB->GetControl(0)->SetHideFlags(xtpHideWrap);
    pOther->GetControl(0)->SetHideFlags(xtpHideWrap);

    struct Case
    {
        const char* name;
        CXTPToolBar* pBar;
        std::vector<int> ids;
    } const cases[] = {
        {"from A: A then B", pA, {101, 200}},
        {"from B: the same row", pB, {101, 200}},
        {"alone in its row", pOther, {300}},
    };
    for (const Case& c : cases)
    {
        CXTPCommandBar popup;
        bars->GetHiddenControls(c.pBar, &popup);
        ASSERT_EQ(popup.GetControlCount(), static_cast<int>(c.ids.size())) << c.name;
        for (size_t i = 0; i < c.ids.size(); ++i)
        {
            CXTPControl* p = popup.GetControl(static_cast<int>(i));
            EXPECT_EQ(p->GetID(), c.ids[i]) << c.name;
            EXPECT_EQ(p->GetHideFlags(), 0) << c.name;
            EXPECT_EQ(p->GetFlags(), 0) << c.name;
        }
        popup.GetControls()->RemoveAll();
    }
    // The originals keep their state.
    EXPECT_EQ(pA->GetControl(1)->GetHideFlags(), xtpHideWrap);
    EXPECT_EQ(pA->GetControl(1)->GetFlags(), xtpFlagNoMovable);

    // A floating bar gives only its own.
    ASSERT_TRUE(bars->FloatCommandBar(pB));
    pB->GetControl(0)->SetHideFlags(xtpHideWrap);
    CXTPCommandBar popup;
    bars->GetHiddenControls(pB, &popup);
    ASSERT_EQ(popup.GetControlCount(), 1);
    EXPECT_EQ(popup.GetControl(0)->GetID(), 200);
    popup.GetControls()->RemoveAll();
}

TEST_F(DockingOps, TemporarilyHiddenToolbarsLeaveTheirRowsAndComeBackAsTheyWere)
{
    CXTPToolBar* pShown = AddToolBar("A", {100, 101});
    CXTPToolBar* pHidden = AddToolBar("B", {200});
    ASSERT_TRUE(pShown && pHidden);
    pHidden->SetVisible(FALSE);
    CXTPDockBar* pTop = bars->GetDockBar(xtpBarTop);
    Layout();
    const int h = DockingOnFrame::RectIn(pTop->GetSafeHwnd(), frame.GetSafeHwnd()).Height();
    ASSERT_GT(h, 0);

    int nToken = 0;
    bars->SetTemporarilyHidden(&nToken);
    Layout();
    EXPECT_FALSE(pShown->IsVisible());
    EXPECT_FALSE(::IsWindowVisible(pShown->GetSafeHwnd()));
    EXPECT_EQ(DockingOnFrame::RectIn(pTop->GetSafeHwnd(), frame.GetSafeHwnd()).Height(), 0);

    bars->SetTemporarilyHidden(nullptr);
    Layout();
    EXPECT_TRUE(pShown->IsVisible());
    EXPECT_TRUE(::IsWindowVisible(pShown->GetSafeHwnd()));
    EXPECT_FALSE(pHidden->IsVisible());
    EXPECT_EQ(DockingOnFrame::RectIn(pTop->GetSafeHwnd(), frame.GetSafeHwnd()).Height(), h);
}
