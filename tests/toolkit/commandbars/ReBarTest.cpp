// The rebar host: toolbars as bands of a real rebar control on a frame, directly and through the
// command-bars manager, and the band record size the framework's rebar sends.
#include "ToolBarSupport.h"

#include "framework/FrameworkIds.h"
#include "framework/ReBar.h"
#include "framework/RecordSizes.h"
#include "framework/StdControls.h"
#include "toolkit/commandbars/bars/XTPReBar.h"

#include <gtest/gtest.h>

using tb_test::DockingOnFrame;

namespace
{
// A docking manager on a frame that also holds a rebar with the frame's rebar id.
class ReBarHost : public DockingOnFrame
{
protected:
    void SetUp() override
    {
        DockingOnFrame::SetUp();
        ASSERT_TRUE(rebar.Create(&frame));
        ASSERT_EQ(::GetDlgCtrlID(rebar.GetSafeHwnd()), AFX_IDW_REBAR);
    }

    CXTPToolBar* MakeToolBar(LPCSTR lpszTitle, UINT nBarID)
    {
        CXTPToolBar* pBar = AddToolBar(lpszTitle, {100, 101, 0, 102});
        if (pBar)
            pBar->SetBarID(nBarID);
        return pBar;
    }

    // The band's id and style as the control reports them (a record of the framework's size).
    UINT BandID(int nBand)
    {
        REBARBANDINFOA rbbi = {};
        rbbi.fMask = RBBIM_ID;
        EXPECT_TRUE(rebar.GetBandInfo(nBand, &rbbi)) << nBand;
        return rbbi.wID;
    }
    UINT BandStyle(int nBand)
    {
        REBARBANDINFOA rbbi = {};
        rbbi.fMask = RBBIM_STYLE;
        EXPECT_TRUE(rebar.GetBandInfo(nBand, &rbbi)) << nBand;
        return rbbi.fStyle;
    }

    CXTPReBar rebar;
};

const DWORD kManagerBandStyle = RBBS_BREAK | RBBS_GRIPPERALWAYS;
} // namespace

TEST(ReBarRecord, TheBandRecordEndsAtTheHeaderWidth)
{
    // The record of the controls before the chevron fields: 80 bytes in the 32-bit program, the
    // same fields with 8-byte pointers and handles on x86_64.
    EXPECT_EQ(kReBarBandInfoSize, offsetof(REBARBANDINFOA, cxHeader) + sizeof(UINT));
    EXPECT_EQ(kReBarBandInfoSize, sizeof(void*) == 4 ? 80u : 108u);
    EXPECT_LT(kReBarBandInfoSize, sizeof(REBARBANDINFOA));
}

TEST_F(ReBarHost, TwoToolBarsGiveTwoBandsWithTheBarIds)
{
    CXTPToolBar* pA = MakeToolBar("A", 401);
    CXTPToolBar* pB = MakeToolBar("B", 402);
    ASSERT_TRUE(pA && pB);
    ASSERT_NE(pA->GetDockBar(), nullptr);
    pA->SetFlags(pA->GetFlags() | xtpFlagAlignAny | xtpFlagFloating | xtpFlagHideWrap);

    ASSERT_TRUE(rebar.AddToolBar(pA, kManagerBandStyle));
    ASSERT_TRUE(rebar.AddToolBar(pB, RBBS_GRIPPERALWAYS));

    ASSERT_EQ(rebar.GetBandCount(), 2);
    struct Case
    {
        const char* name;
        int nBand;
        CXTPToolBar* pBar;
        UINT nID;
        UINT nStyle;
    } const cases[] = {
        {"first", 0, pA, 401, kManagerBandStyle},
        {"second", 1, pB, 402, RBBS_GRIPPERALWAYS},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(BandID(c.nBand), c.nID) << c.name;
        EXPECT_EQ(BandStyle(c.nBand) & (RBBS_BREAK | RBBS_GRIPPERALWAYS), c.nStyle) << c.name;
        EXPECT_EQ(rebar.GetToolBar(c.nBand), c.pBar) << c.name;
        EXPECT_EQ(rebar.FindBand(c.pBar), c.nBand) << c.name;
        // The band owns the window now: out of the dock bar, inside the rebar, no docking flags
        // and no gripper of its own.
        EXPECT_EQ(c.pBar->GetDockBar(), nullptr) << c.name;
        EXPECT_EQ(::GetParent(c.pBar->GetSafeHwnd()), rebar.GetSafeHwnd()) << c.name;
        EXPECT_EQ(c.pBar->GetFlags() & (xtpFlagAlignAny | xtpFlagFloating), 0u) << c.name;
        EXPECT_FALSE(c.pBar->HasGripper()) << c.name;
    }
    // Flags outside the docking sides and floating stay.
    EXPECT_NE(pA->GetFlags() & xtpFlagHideWrap, 0u);
    // Neither dock bar row holds them any more.
    EXPECT_EQ(bars->GetDockBar(xtpBarTop)->FindBar(pA), -1);
    EXPECT_EQ(bars->GetDockBar(xtpBarTop)->FindBar(pB), -1);
}

TEST_F(ReBarHost, RemovingTheFirstLeavesTheSecondAtIndexZero)
{
    CXTPToolBar* pA = MakeToolBar("A", 401);
    CXTPToolBar* pB = MakeToolBar("B", 402);
    ASSERT_TRUE(pA && pB);
    ASSERT_TRUE(rebar.AddToolBar(pA, kManagerBandStyle));
    ASSERT_TRUE(rebar.AddToolBar(pB, kManagerBandStyle));

    rebar.RemoveToolBar(pA);

    ASSERT_EQ(rebar.GetBandCount(), 1);
    EXPECT_EQ(rebar.FindBand(pB), 0);
    EXPECT_EQ(rebar.GetToolBar(0), pB);
    EXPECT_EQ(BandID(0), 402u);
    EXPECT_EQ(rebar.FindBand(pA), -1);
}

TEST_F(ReBarHost, BarsWithoutABandAreMinusOne)
{
    CXTPToolBar* pA = MakeToolBar("A", 401);
    CXTPToolBar* pOutside = MakeToolBar("Outside", 403);
    ASSERT_TRUE(pA && pOutside);
    ASSERT_TRUE(rebar.AddToolBar(pA, kManagerBandStyle));
    // A band whose child is no toolbar.
    CStatic label;
    ASSERT_TRUE(label.Create("label", WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 20), &frame, 500));
    ASSERT_TRUE(rebar.AddBar(&label));
    ASSERT_EQ(rebar.GetBandCount(), 2);

    EXPECT_EQ(rebar.FindBand(pOutside), -1);
    EXPECT_EQ(rebar.FindBand(nullptr), -1);
    EXPECT_EQ(rebar.GetToolBar(1), nullptr);  // the label's band
    EXPECT_EQ(rebar.GetToolBar(2), nullptr);  // past the last band
    EXPECT_EQ(rebar.GetToolBar(-1), nullptr);

    // Removing a toolbar without a band deletes nothing.
    rebar.RemoveToolBar(pOutside);
    EXPECT_EQ(rebar.GetBandCount(), 2);
    EXPECT_EQ(rebar.FindBand(pA), 0);
    EXPECT_EQ(pOutside->GetDockBar(), bars->GetDockBar(xtpBarTop));
}

TEST_F(ReBarHost, ARefusedBandLeavesTheToolBarOutOfTheRebar)
{
    CXTPToolBar* pA = MakeToolBar("A", 401);
    ASSERT_TRUE(pA);
    CXTPReBar unmade; // no control to take the band
    EXPECT_FALSE(unmade.AddToolBar(pA, kManagerBandStyle));
    EXPECT_NE(::GetParent(pA->GetSafeHwnd()), rebar.GetSafeHwnd());
    EXPECT_EQ(rebar.FindBand(pA), -1);
    EXPECT_EQ(rebar.GetBandCount(), 0);
}

TEST_F(ReBarHost, ABandRecordReachesTheFieldsAfterTheChildHeight)
{
    // lParam lies past the first 80 bytes on x86_64: a record of the 32-bit size would not carry it.
    CXTPToolBar* pA = MakeToolBar("A", 401);
    ASSERT_TRUE(pA);
    ASSERT_TRUE(rebar.AddToolBar(pA, kManagerBandStyle));
    REBARBANDINFOA set = {};
    set.fMask = RBBIM_LPARAM;
    set.lParam = static_cast<LPARAM>(0x5A5A1234);
    ASSERT_TRUE(rebar.SetBandInfo(0, &set));
    EXPECT_EQ(set.cbSize, kReBarBandInfoSize);
    REBARBANDINFOA got = {};
    got.fMask = RBBIM_LPARAM | RBBIM_ID;
    ASSERT_TRUE(rebar.GetBandInfo(0, &got));
    EXPECT_EQ(got.lParam, static_cast<LPARAM>(0x5A5A1234));
    EXPECT_EQ(got.wID, 401u);
}

TEST_F(ReBarHost, TheManagerAddsAndRemovesTheBandsOfItsToolBars)
{
    ASSERT_EQ(bars->GetRebar(), &rebar);

    CXTPToolBar* pCustom = bars->AddCustomBar("Custom", 410);
    CXTPToolBar* pSecond = bars->AddCustomBar("Second", 411);
    ASSERT_TRUE(pCustom && pSecond);
    ASSERT_EQ(rebar.GetBandCount(), 2);
    EXPECT_EQ(rebar.FindBand(pCustom), 0);
    EXPECT_EQ(BandID(0), 410u);
    EXPECT_EQ(BandStyle(0) & kManagerBandStyle, kManagerBandStyle);
    EXPECT_EQ(BandID(1), 411u);
    EXPECT_EQ(pCustom->GetDockBar(), nullptr);

    bars->Remove(pCustom);
    ASSERT_EQ(rebar.GetBandCount(), 1);
    EXPECT_EQ(rebar.FindBand(pSecond), 0);
    EXPECT_EQ(BandID(0), 411u);

    // Bars that are not toolbars have no band to add or remove.
    mgr_test::RowBar* pRow = AddBar(420);
    bars->AddRebarBand(pRow);
    bars->RemoveRebarBand(pRow);
    EXPECT_EQ(rebar.GetBandCount(), 1);
}

TEST_F(DockingOnFrame, WithoutAToolkitRebarTheManagerKeepsItsDockBars)
{
    struct Case
    {
        const char* name;
        bool bPlainRebar;
    } const cases[] = {
        {"no rebar", false},
        {"a framework rebar that is not the toolkit's", true},
    };
    UINT nID = 430;
    for (const Case& c : cases)
    {
        CReBar plain;
        if (c.bPlainRebar)
        {
            ASSERT_TRUE(plain.Create(&frame)) << c.name;
        }
        EXPECT_EQ(bars->GetRebar(), nullptr) << c.name;
        CXTPToolBar* pBar = bars->AddCustomBar(c.name, nID++);
        ASSERT_NE(pBar, nullptr) << c.name;
        EXPECT_EQ(pBar->GetDockBar(), bars->GetDockBar(xtpBarTop)) << c.name;
        if (c.bPlainRebar)
        {
            EXPECT_EQ(plain.GetBandCount(), 0) << c.name;
        }
        bars->Remove(pBar);
    }
}
