// The bar layout in the profile: the record of one bar, the summary, the dock bars' rows and the
// status bar, written into a scratch INI file and read back; saved places scaled to another screen;
// damaged files (repeated and unknown ids, counts out of range) loading without doubled bars.
#include "ProfileTestSupport.h"
#include "ToolBarSupport.h"

#include "framework/DC.h"
#include "framework/Exceptions.h"
#include "tests/common/MemorySurface.h"
#include "toolkit/commandbars/bars/XTPStatusBar.h"
#include "toolkit/commandbars/docking/XTPDockContext.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/persistence/XTPBarLayoutState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

using profile_test::ScratchProfileApp;
using Lines = std::vector<std::string>;

namespace
{
// ---------------------------------------------------------------- one bar's record

struct RecordCase
{
    const char* name;
    CXTPToolBar::CToolBarInfo info;
    Lines expected;
};

CXTPToolBar::CToolBarInfo Record(UINT nID, BOOL bVisible, BOOL bFloating, CPoint pos, int nMRUWidth, BOOL bDialogBar)
{
    CXTPToolBar::CToolBarInfo info;
    info.m_nBarID = nID;
    info.m_bVisible = bVisible;
    info.m_bFloating = bFloating;
    info.m_pointPos = pos;
    info.m_nMRUWidth = nMRUWidth;
    info.m_uMRUDockID = 2;
    info.m_rectMRUDockPos = CRect(1, 2, 30, 40);
    info.m_ptMRUFloatPos = CPoint(50, 60);
    info.m_bDialogBar = bDialogBar;
    info.m_szDockingClient = CSize(210, 220);
    info.m_szFloatingClient = CSize(230, 240);
    return info;
}

const Lines kMRU = {"MRUDockID=2",     "MRUDockLeftPos=1", "MRUDockTopPos=2", "MRUDockRightPos=30",
                    "MRUDockBottomPos=40", "MRUFloatXPos=50", "MRUFloatYPos=60"};

Lines Concat(Lines a, const Lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(BarLayoutRecord, KeysWrittenOnlyWhenTheyDifferFromTheDefaults)
{
    const RecordCase cases[] = {
        {"visible docked: no Visible, Floating, places or width", Record(100, TRUE, FALSE, CPoint(-1, -1), 32767, FALSE),
         Concat(Concat({"BarID=100"}, kMRU), {"DialogBar=0"})},
        {"hidden floating with a place and a width", Record(7, FALSE, TRUE, CPoint(10, -20), 150, FALSE),
         Concat(Concat({"BarID=7", "Visible=0", "Floating=1", "XPos=10", "YPos=-20", "MRUWidth=150"}, kMRU),
                {"DialogBar=0"})},
        {"only x known", Record(8, TRUE, FALSE, CPoint(3, -1), 32767, FALSE),
         Concat(Concat({"BarID=8", "XPos=3"}, kMRU), {"DialogBar=0"})},
        {"dialog bar: the four client sizes", Record(9, TRUE, FALSE, CPoint(-1, -1), 32767, TRUE),
         Concat(Concat({"BarID=9"}, kMRU),
                {"DialogBar=1", "DialogBarDockingClientCx=210", "DialogBarDockingClientCy=220",
                 "DialogBarFloatingClientCx=230", "DialogBarFloatingClientCy=240"})},
    };
    for (const RecordCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        ScratchProfileApp app("qvx_layout_rec_");
        app.Write("Prof-Bar3", "Stale", "1"); // the section is emptied first
        ASSERT_TRUE(c.info.SaveState("Prof", 3));
        EXPECT_EQ(c.expected, app.Lines("Prof-Bar3"));

        CXTPToolBar::CToolBarInfo loaded;
        ASSERT_TRUE(loaded.LoadState("Prof", 3, nullptr));
        EXPECT_EQ(c.info.m_nBarID, loaded.m_nBarID);
        EXPECT_EQ(c.info.m_bVisible, loaded.m_bVisible);
        EXPECT_EQ(c.info.m_bFloating, loaded.m_bFloating);
        EXPECT_EQ(c.info.m_pointPos, loaded.m_pointPos);
        EXPECT_EQ(c.info.m_nMRUWidth, loaded.m_nMRUWidth);
        EXPECT_EQ(c.info.m_rectMRUDockPos, loaded.m_rectMRUDockPos);
        EXPECT_EQ(c.info.m_ptMRUFloatPos, loaded.m_ptMRUFloatPos);
        EXPECT_EQ(c.info.m_bDialogBar, loaded.m_bDialogBar);
        EXPECT_EQ(c.info.m_bDialogBar ? CSize(210, 220) : CSize(200, 200), loaded.m_szDockingClient);
        EXPECT_EQ(c.info.m_bDialogBar ? CSize(230, 240) : CSize(200, 200), loaded.m_szFloatingClient);
    }
}

TEST(BarLayoutRecord, AnEmptySectionReadsAsTheDefaults)
{
    ScratchProfileApp app("qvx_layout_def_");
    CXTPToolBar::CToolBarInfo loaded;
    loaded.m_bVisible = FALSE;
    loaded.m_szDockingClient = CSize(1, 1);
    ASSERT_TRUE(loaded.LoadState("Prof", 0, nullptr));
    EXPECT_EQ(0u, loaded.m_nBarID);
    EXPECT_TRUE(loaded.m_bVisible);
    EXPECT_EQ(CPoint(-1, -1), loaded.m_pointPos);
    EXPECT_EQ(32767, loaded.m_nMRUWidth);
    EXPECT_FALSE(loaded.m_bDialogBar);
    EXPECT_EQ(CSize(1, 1), loaded.m_szDockingClient) << "sizes are read only for a dialog bar";
}

// ---------------------------------------------------------------- scaling and clamping

TEST(BarLayoutScaling, SavedPlacesFollowTheScreenAndStayInsideTheWorkArea)
{
    const RECT rcWork = {0, 0, 800, 570};
    const CSize szIcon(32, 32);
    struct Case
    {
        const char* name;
        CPoint pt;
        BOOL bScale;
        CSize szSaved;
        CPoint expected;
    } cases[] = {
        {"halved from 1600x1200", CPoint(400, 300), TRUE, CSize(1600, 1200), CPoint(200, 150)},
        {"halved, then kept an icon inside the right edge", CPoint(1580, 100), TRUE, CSize(1600, 1200),
         CPoint(768, 50)},
        {"halved, then kept inside the bottom (work area, not screen)", CPoint(10, 1190), TRUE, CSize(1600, 1200),
         CPoint(5, 538)},
        {"no scaling: clamped only", CPoint(900, 20), FALSE, CSize(1600, 1200), CPoint(768, 20)},
        {"negative places stay", CPoint(-50, -10), TRUE, CSize(1600, 1200), CPoint(-25, -5)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, XTPAdaptSavedPoint(c.pt, c.bScale, c.szSaved, CSize(800, 600), rcWork, szIcon));
    }
    // A dock rectangle moves with its corner and keeps its size.
    EXPECT_EQ(CRect(100, 20, 150, 46),
              XTPAdaptSavedDockRect(CRect(200, 40, 250, 66), TRUE, CSize(1600, 1200), CSize(800, 600), rcWork));
    EXPECT_EQ(CRect(800, 570, 850, 596),
              XTPAdaptSavedDockRect(CRect(1900, 1500, 1950, 1526), TRUE, CSize(1600, 1200), CSize(800, 600), rcWork));
}

TEST(BarLayoutScaling, OnlyADifferentCompleteSavedScreenScales)
{
    struct Case
    {
        CSize saved;
        BOOL bScaling;
    } cases[] = {{CSize(1600, 1200), TRUE}, {CSize(0, 1200), FALSE}, {CSize(1600, 0), FALSE}, {CSize(0, 0), FALSE}};
    for (const Case& c : cases)
    {
        CXTPBarLayoutState state;
        state.m_szScreen = CSize(800, 600);
        state.SetSavedScreen(c.saved);
        EXPECT_EQ(c.bScaling, state.IsScaling()) << c.saved.cx << "x" << c.saved.cy;
    }
    CXTPBarLayoutState same;
    same.SetSavedScreen(same.m_szScreen);
    EXPECT_FALSE(same.IsScaling());
}

// ---------------------------------------------------------------- a manager's layout

// A screen of 800 x 600 with a work area of the same size.
class SmallScreenQuery : public mgr_test::FixedSystemQuery
{
public:
    SIZE GetScreenSize() override { return SIZE{800, 600}; }
    RECT GetWorkArea(POINT) override { return RECT{0, 0, 800, 600}; }
};

class BarLayoutOnFrame : public tb_test::DockingOnFrame
{
protected:
    void SetUp() override
    {
        tb_test::DockingOnFrame::SetUp();
        a = AddToolBar("A", {40001, 40002});
        b = AddToolBar("B", {40003});
        c = AddToolBar("C", {40004});
        a->SetBarID(100);
        b->SetBarID(101);
        c->SetBarID(102);
        ASSERT_TRUE(DockAfter(b, a));
    }
    std::vector<CXTPToolBar*> Rows(int nDock) const
    {
        const CXTPDockBarRowArray& rows = bars->GetDockBar(nDock)->GetRows();
        return std::vector<CXTPToolBar*>(rows.GetData(), rows.GetData() + rows.GetSize());
    }
    // Every toolbar lies in exactly one dock bar slot or floats, and its window agrees.
    void ExpectEachBarOnce()
    {
        std::map<CXTPToolBar*, int> seen;
        for (int nDock = 0; nDock < 4; ++nDock)
        {
            for (CXTPToolBar* pBar : Rows(nDock))
            {
                if (!pBar)
                    continue;
                ++seen[pBar];
                EXPECT_EQ(bars->GetDockBar(nDock), pBar->GetDockBar()) << pBar->GetTitle().GetString();
                EXPECT_EQ(bars->GetDockBar(nDock)->GetSafeHwnd(), ::GetParent(pBar->GetSafeHwnd()));
            }
        }
        for (const auto& entry : seen)
            EXPECT_EQ(1, entry.second) << entry.first->GetTitle().GetString();
    }

    CXTPToolBar* a = nullptr;
    CXTPToolBar* b = nullptr;
    CXTPToolBar* c = nullptr;
};

TEST_F(BarLayoutOnFrame, SavedSectionsHoldTheRowsTheSummaryAndEachBar)
{
    ScratchProfileApp app("qvx_layout_save_");
    c->SetVisible(FALSE);
    // b was dropped into a's row in front of it in the array (the row's order on screen is by place).
    ASSERT_EQ((std::vector<CXTPToolBar*>{nullptr, b, a, nullptr, c, nullptr}), Rows(xtpBarTop));
    app.Write("Prof-DockBar1", "Stale", "1");

    bars->SaveBarState("Prof");

    const SIZE szScreen = GetCommandBarsSystemQuery()->GetScreenSize();
    EXPECT_EQ((Lines{"Bars=3", "ScreenCX=" + std::to_string(szScreen.cx), "ScreenCY=" + std::to_string(szScreen.cy)}),
              app.Lines("Prof-Summary"));
    EXPECT_EQ((Lines{"Bar#0=0", "Bar#1=101", "Bar#2=100", "Bar#3=0", "Bar#4=102", "Bar#5=0", "Bars=6"}),
              app.Lines("Prof-DockBar0"));
    EXPECT_TRUE(app.Lines("Prof-DockBar1").empty()) << "a dock bar with its leading separator only writes nothing";
    // The records in the order of the manager's bars; the hidden one says so.
    const Lines bar2 = app.Lines("Prof-Bar2");
    ASSERT_GE(bar2.size(), 2u);
    EXPECT_EQ("BarID=102", bar2[0]);
    EXPECT_EQ("Visible=0", bar2[1]);
    const CRect rcB = RectIn(b->GetSafeHwnd(), bars->GetDockBar(xtpBarTop)->GetSafeHwnd());
    const Lines bar1 = app.Lines("Prof-Bar1");
    EXPECT_EQ("BarID=101", bar1[0]);
    EXPECT_NE(std::find(bar1.begin(), bar1.end(), "XPos=" + std::to_string(rcB.left)), bar1.end());
    EXPECT_NE(std::find(bar1.begin(), bar1.end(), "DialogBar=0"), bar1.end());
    for (const std::string& line : bar1)
        EXPECT_EQ(std::string::npos, line.find("Floating")) << "a docked bar writes no Floating";
}

TEST_F(BarLayoutOnFrame, RowSeparatorsAreNeverWrittenTwiceInARow)
{
    ScratchProfileApp app("qvx_layout_sep_");
    CXTPDockBarRowArray rows;
    for (CXTPToolBar* pBar : {static_cast<CXTPToolBar*>(nullptr), a, static_cast<CXTPToolBar*>(nullptr),
                              static_cast<CXTPToolBar*>(nullptr), b, c, static_cast<CXTPToolBar*>(nullptr)})
        rows.Add(pBar);
    bars->GetDockBar(xtpBarTop)->SetRows(rows);
    bars->SaveDockBarState("Prof");
    EXPECT_EQ((Lines{"Bar#0=0", "Bar#1=100", "Bar#2=0", "Bar#3=101", "Bar#4=102", "Bar#5=0", "Bars=6"}),
              app.Lines("Prof-DockBar0"));
}

TEST_F(BarLayoutOnFrame, LoadingPutsRowsVisibilityAndFloatingBack)
{
    ScratchProfileApp app("qvx_layout_load_");
    c->SetVisible(FALSE);
    bars->SaveBarState("Prof");

    // Everything moved: b floats, c shown on the left, a on the bottom.
    ASSERT_TRUE(bars->FloatCommandBar(b));
    c->SetVisible(TRUE);
    ASSERT_TRUE(bars->DockCommandBar(c, xtpBarLeft));
    ASSERT_TRUE(bars->DockCommandBar(a, xtpBarBottom));
    Layout();

    bars->LoadBarState("Prof");
    Layout();
    EXPECT_EQ((std::vector<CXTPToolBar*>{nullptr, b, a, nullptr, c, nullptr}), Rows(xtpBarTop));
    EXPECT_EQ((std::vector<CXTPToolBar*>{nullptr}), Rows(xtpBarBottom));
    EXPECT_EQ((std::vector<CXTPToolBar*>{nullptr}), Rows(xtpBarLeft));
    EXPECT_EQ(xtpBarTop, b->GetPosition());
    EXPECT_FALSE(::GetWindowLongPtrA(b->GetSafeHwnd(), GWL_STYLE) & WS_POPUP);
    EXPECT_FALSE(c->IsVisible());
    EXPECT_FALSE(::IsWindowVisible(c->GetSafeHwnd()));
    EXPECT_TRUE(a->IsVisible());
    ExpectEachBarOnce();
    // b is back in a's row, after it.
    const CRect rcA = RectIn(a->GetSafeHwnd(), bars->GetDockBar(xtpBarTop)->GetSafeHwnd());
    const CRect rcB = RectIn(b->GetSafeHwnd(), bars->GetDockBar(xtpBarTop)->GetSafeHwnd());
    EXPECT_EQ(rcA.top, rcB.top);
    EXPECT_GE(rcB.left, rcA.right);

    // And the other way round: a floating bar is floated again at its place.
    ASSERT_TRUE(bars->FloatCommandBar(b));
    ::SetWindowPos(b->GetSafeHwnd(), nullptr, 120, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    bars->SaveBarState("Prof");
    ASSERT_TRUE(bars->DockCommandBar(b, xtpBarTop));
    bars->LoadBarState("Prof");
    EXPECT_EQ(xtpBarFloating, b->GetPosition());
    CRect rcFloat;
    ::GetWindowRect(b->GetSafeHwnd(), &rcFloat);
    EXPECT_EQ(CPoint(120, 130), rcFloat.TopLeft());
    ExpectEachBarOnce();
}

TEST_F(BarLayoutOnFrame, SavedOnALargeScreenFloatingPlacesAreHalvedThenClamped)
{
    ScratchProfileApp app("qvx_layout_scale_");
    SmallScreenQuery small;
    app.WriteLines("Prof-Summary", {"Bars=1", "ScreenCX=1600", "ScreenCY=1200"});
    app.WriteLines("Prof-Bar0", {"BarID=101", "Floating=1", "XPos=400", "YPos=300", "MRUFloatXPos=1580",
                                 "MRUFloatYPos=200", "MRUDockID=1"});

    bars->LoadBarState("Prof");
    EXPECT_EQ(xtpBarFloating, b->GetPosition());
    CRect rc;
    ::GetWindowRect(b->GetSafeHwnd(), &rc);
    EXPECT_EQ(CPoint(200, 150), rc.TopLeft());
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    EXPECT_EQ(CPoint(800 - cxIcon, 100), b->GetDockContext()->GetFloatingPos());
    EXPECT_EQ(1u, b->GetDockContext()->GetDockBarIndex());
    ExpectEachBarOnce();
}

TEST_F(BarLayoutOnFrame, RepeatedAndUnknownIdsLoadWithoutDuplicates)
{
    ScratchProfileApp app("qvx_layout_dup_");
    ASSERT_TRUE(bars->DockCommandBar(c, xtpBarLeft));
    // Top: a twice, an unknown id, two separators in a row, then b; the left dock bar names b again.
    app.WriteLines("Prof-DockBar0", {"Bar#0=0", "Bar#1=100", "Bar#2=100", "Bar#3=999", "Bar#4=0", "Bar#5=0",
                                     "Bar#6=101", "Bar#7=0", "Bars=8"});
    app.WriteLines("Prof-DockBar2", {"Bar#0=0", "Bar#1=101", "Bar#2=0", "Bars=3"});

    bars->LoadDockBarState("Prof");
    EXPECT_EQ((std::vector<CXTPToolBar*>{nullptr, a, nullptr, b, nullptr}), Rows(xtpBarTop));
    // c is named nowhere: it keeps its own row where it was.
    EXPECT_EQ((std::vector<CXTPToolBar*>{nullptr, c, nullptr}), Rows(xtpBarLeft));
    ExpectEachBarOnce();
    Layout();
    ExpectEachBarOnce();
}

TEST_F(BarLayoutOnFrame, StoredCountsOutOfRangeLoadNothing)
{
    ScratchProfileApp app("qvx_layout_count_");
    const std::vector<CXTPToolBar*> before = Rows(xtpBarTop);
    app.WriteLines("Prof-DockBar0", {"Bar#0=0", "Bar#1=101", "Bars=100000"});
    app.WriteLines("Prof-Summary", {"Bars=100000"});
    app.WriteLines("Prof-Bar0", {"BarID=100", "Visible=0"});

    bars->LoadBarState("Prof");
    EXPECT_EQ(before, Rows(xtpBarTop));
    EXPECT_TRUE(a->IsVisible()) << "no record is applied";

    app.Write("Prof-Summary", "Bars", "-3");
    bars->LoadBarState("Prof");
    EXPECT_TRUE(a->IsVisible());
}

TEST_F(BarLayoutOnFrame, AFileThatNamesNoBarLeavesTheRowsAlone)
{
    ScratchProfileApp app("qvx_layout_empty_");
    const std::vector<CXTPToolBar*> before = Rows(xtpBarTop);
    bars->LoadBarState("Prof");
    EXPECT_EQ(before, Rows(xtpBarTop));
    EXPECT_TRUE(a->IsVisible());
    EXPECT_TRUE(c->IsVisible());
}

// A toolbar that keeps client sizes as a dialog bar does.
class SizedBar : public CXTPToolBar
{
    DECLARE_DYNCREATE(SizedBar)

public:
    BOOL GetDialogBarClientSizes(CSize& szDocking, CSize& szFloating) const override
    {
        szDocking = m_szDocking;
        szFloating = m_szFloating;
        return TRUE;
    }
    void SetDialogBarClientSizes(CSize szDocking, CSize szFloating) override
    {
        m_szDocking = szDocking;
        m_szFloating = szFloating;
    }
    CSize m_szDocking = CSize(200, 200);
    CSize m_szFloating = CSize(200, 200);
};
IMPLEMENT_DYNCREATE(SizedBar, CXTPToolBar)

TEST_F(BarLayoutOnFrame, ABarWithClientSizesSavesAndLoadsThem)
{
    ScratchProfileApp app("qvx_layout_dlgbar_");
    SizedBar* d = static_cast<SizedBar*>(AddToolBar("D", {40005}, xtpBarRight, RUNTIME_CLASS(SizedBar)));
    ASSERT_NE(d, nullptr);
    d->SetBarID(103);
    d->m_szDocking = CSize(150, 260);
    d->m_szFloating = CSize(310, 120);
    bars->SaveBarState("Prof");
    const Lines bar3 = app.Lines("Prof-Bar3");
    ASSERT_GE(bar3.size(), 5u);
    EXPECT_EQ((Lines{"DialogBar=1", "DialogBarDockingClientCx=150", "DialogBarDockingClientCy=260",
                     "DialogBarFloatingClientCx=310", "DialogBarFloatingClientCy=120"}),
              Lines(bar3.end() - 5, bar3.end()));

    d->m_szDocking = d->m_szFloating = CSize(1, 1);
    bars->LoadBarState("Prof");
    EXPECT_EQ(CSize(150, 260), d->m_szDocking);
    EXPECT_EQ(CSize(310, 120), d->m_szFloating);
}

// ---------------------------------------------------------------- status bar

// Answers the profile's "StatusBarPanes" with text of its own (line feeds cannot be written to an INI file).
class PanesTextApp : public ScratchProfileApp
{
public:
    PanesTextApp() : ScratchProfileApp("qvx_layout_panes_") {}
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault) override
    {
        if (lpszEntry && CString(lpszEntry) == "StatusBarPanes" && !m_strPanes.IsEmpty())
            return m_strPanes;
        return ScratchProfileApp::GetProfileString(lpszSection, lpszEntry, lpszDefault);
    }
    CString m_strPanes;
};

class StatusBarOnFrame : public mgr_test::ManagerOnFrame
{
protected:
    void SetUp() override
    {
        mgr_test::ManagerOnFrame::SetUp();
        ASSERT_TRUE(status.Create(&frame));
        const UINT ids[] = {0, 1001, 1002, 1003};
        ASSERT_TRUE(status.SetIndicators(ids, 4));
        status.SetCommandBars(bars);
    }
    void TearDown() override
    {
        status.DestroyWindow();
        mgr_test::ManagerOnFrame::TearDown();
    }
    CXTPStatusBar status;
};

TEST_F(StatusBarOnFrame, TheManagerFindsOnlyAStatusBarOfItsOwnClass)
{
    EXPECT_EQ(&status, bars->GetStatusBar());
    status.DestroyWindow();
    CWnd other;
    ASSERT_TRUE(other.Create(AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 10, 10), &frame, AFX_IDW_STATUS_BAR));
    EXPECT_EQ(nullptr, bars->GetStatusBar());
    other.DestroyWindow();
}

TEST_F(StatusBarOnFrame, VisibilityAndPanesAreSavedOnlyWhenTheyDiffer)
{
    ScratchProfileApp app("qvx_layout_status_");
    app.Write("Prof", "StatusBar", "0");
    app.Write("Prof", "StatusBarPanes", "stale");
    bars->SaveBarState("Prof");
    EXPECT_TRUE(app.Lines("Prof").empty()) << "a visible bar without the panes flag leaves nothing";

    status.SetSavePanes(TRUE);
    status.GetPane(2)->SetVisible(FALSE);
    status.ShowWindow(SW_HIDE);
    bars->SaveBarState("Prof");
    EXPECT_EQ((Lines{"StatusBar=0", "StatusBarPanes=0=1;1001=1;1002=0;1003=1"}), app.Lines("Prof"));

    status.ShowWindow(SW_SHOW);
    status.GetPane(2)->SetVisible(TRUE);
    status.GetPane(3)->SetVisible(FALSE);
    bars->LoadBarState("Prof");
    EXPECT_FALSE(status.GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(status.GetPane(1)->IsVisible());
    EXPECT_FALSE(status.GetPane(2)->IsVisible());
    EXPECT_TRUE(status.GetPane(3)->IsVisible());

    // Without a status bar the entry goes.
    status.DestroyWindow();
    bars->SaveBarState("Prof");
    EXPECT_EQ((Lines{"StatusBarPanes=0=1;1001=1;1002=0;1003=1"}), app.Lines("Prof"));
}

TEST_F(StatusBarOnFrame, PaneTextWithLineFeedsLoads)
{
    PanesTextApp app;
    app.m_strPanes = "1001=0\n1002=0\r\n1003=1;;garbage;0=0;4242=0";
    status.SetSavePanes(TRUE);
    status.GetPane(3)->SetVisible(FALSE);
    bars->LoadBarState("Prof");
    EXPECT_TRUE(status.GetPane(0)->IsVisible()) << "id 0 is never read";
    EXPECT_FALSE(status.GetPane(1)->IsVisible());
    EXPECT_FALSE(status.GetPane(2)->IsVisible());
    EXPECT_TRUE(status.GetPane(3)->IsVisible());
    EXPECT_TRUE(status.GetStyle() & WS_VISIBLE);
}

TEST_F(StatusBarOnFrame, PanesLieLeftToRightAndTheStretchedOneTakesTheRest)
{
    frame.MoveWindow(20, 20, 400, 200);
    status.MoveWindow(0, 170, 380, 24);
    status.GetPane(0)->SetStyle(SBPS_STRETCH);
    status.GetPane(1)->SetWidth(40);
    status.GetPane(2)->SetWidth(50);
    status.GetPane(3)->SetWidth(30);
    CRect rc[4];
    for (int i = 0; i < 4; ++i)
        rc[i] = status.GetPane(i)->GetRect();
    CRect rcClient;
    status.GetClientRect(&rcClient);
    EXPECT_EQ(0, rc[0].left);
    EXPECT_EQ(40, rc[1].Width());
    EXPECT_EQ(50, rc[2].Width());
    EXPECT_EQ(rcClient.right, rc[3].right + 2);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(rc[i - 1].right + 2, rc[i].left) << i;

    // A hidden pane gives its room to the stretched one.
    status.GetPane(2)->SetVisible(FALSE);
    EXPECT_TRUE(status.GetPane(2)->GetRect().IsRectEmpty());
    EXPECT_EQ(rc[0].Width() + 52, status.GetPane(0)->GetRect().Width());
    EXPECT_EQ(status.GetPane(1)->GetRect().right + 2, status.GetPane(3)->GetRect().left);
    EXPECT_EQ(rc[3], status.GetPane(3)->GetRect());
}

TEST_F(StatusBarOnFrame, EveryPixelIsDrawnThroughThePaintManager)
{
    status.MoveWindow(0, 0, 200, 24);
    status.GetPane(0)->SetWidth(40);
    status.GetPane(1)->SetWidth(40);
    status.GetPane(1)->SetBackgroundColor(RGB(255, 0, 0));
    status.GetPane(2)->SetWidth(40);
    status.GetPane(3)->SetWidth(40);
    qvx_test::CMemorySurface surface(200, 24);
    CDC dc;
    dc.Attach(surface.DC());
    status.DrawBar(&dc);
    const CRect rc1 = status.GetPane(1)->GetRect();
    EXPECT_EQ(RGB(255, 0, 0), surface.Pixel(rc1.CenterPoint().x, rc1.CenterPoint().y));
    EXPECT_EQ(bars->GetPaintManager()->GetColor(COLOR_3DFACE), surface.Pixel(199, 1)) << "the bar's face";

    status.GetPane(1)->SetVisible(FALSE);
    surface.Clear(qvx_test::CMemorySurface::kInitialColour);
    status.DrawBar(&dc);
    for (int x = 0; x < 200; ++x)
        ASSERT_NE(RGB(255, 0, 0), surface.Pixel(x, 12)) << "a hidden pane is not drawn, x " << x;
    dc.Detach();
}

TEST(StatusBarPanes, AccessorsOfPanesAndSwitches)
{
    CXTPStatusBar status;
    const UINT ids[] = {5, 6};
    ASSERT_TRUE(status.SetIndicators(ids, 2));
    EXPECT_FALSE(status.SetIndicators(nullptr, 1));
    EXPECT_EQ(nullptr, status.GetPane(-1));
    EXPECT_EQ(nullptr, status.GetPane(2));
    EXPECT_EQ(status.GetPane(1), status.FindPane(6));
    EXPECT_EQ(nullptr, status.FindPane(7));
    EXPECT_EQ(1, status.GetPane(1)->GetIndex());
    EXPECT_EQ(&status, status.GetPane(1)->GetStatusBar());

    CXTPStatusBarPane* pane = status.GetPane(0);
    EXPECT_TRUE(pane->HasNoFlags());
    pane->SetVisible(FALSE);
    EXPECT_FALSE(pane->HasNoFlags());
    EXPECT_EQ(0x10u, pane->GetFlags());
    pane->SetVisible(TRUE);
    EXPECT_TRUE(pane->HasNoFlags());
    pane->SetStyle(SBPS_DISABLED | SBPS_POPOUT);
    EXPECT_FALSE(pane->IsEnabled());
    EXPECT_TRUE(pane->HasPopoutStyle());

    CXTPStatusBarSwitchPane* sw =
        static_cast<CXTPStatusBarSwitchPane*>(status.AddIndicator(new CXTPStatusBarSwitchPane(), 9, 1));
    EXPECT_EQ(1, sw->GetIndex());
    EXPECT_EQ(2, status.GetPane(2)->GetIndex());
    const UINT switches[] = {31, 32, 33};
    ASSERT_TRUE(sw->SetSwitches(switches, 3));
    EXPECT_EQ(3, sw->GetSwitchCount());
    EXPECT_EQ(32u, sw->GetSwitch(1)->nID);
    sw->SetChecked(33);
    EXPECT_FALSE(sw->GetSwitch(0)->bChecked);
    EXPECT_TRUE(sw->GetSwitch(2)->bChecked);
    for (int bad : {-1, 3})
    {
        bool thrown = false;
        try
        {
            sw->GetSwitch(bad);
        }
        catch (CInvalidArgException* e)
        {
            thrown = true;
            e->Delete();
        }
        EXPECT_TRUE(thrown) << bad;
    }
    // The paint manager's switch slot answers the width it used.
    EXPECT_EQ(3 * 18, CXTPPaintManager::GetGlobal()->DrawStatusBarSwitchPane(nullptr, CRect(0, 0, 100, 20), sw));
}
} // namespace
