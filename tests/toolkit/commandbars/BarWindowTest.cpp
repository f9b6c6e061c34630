// The command bar window on recording sites: site messages, the idle command-UI update, menus,
// context help, status texts, drop positions, size rules, copies and accessibility.
#include "BarWindowSupport.h"

#include "tests/common/MessagePump.h"
#include "toolkit/commandbars/bars/XTPCommandBarAnimation.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControlAction.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"

#include "framework/Menu.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using cb_bar_test::RecordingButton;
using cb_bar_test::RecordingDialog;
using cb_bar_test::RecordingFrame;
using cb_bar_test::RowBar;
using cb_bar_test::SiteRecorder;

namespace
{
std::string S(const CString& s)
{
    return std::string(static_cast<LPCSTR>(s));
}

} // namespace

TEST(BarWindow, RowLayoutPlacesTheButtonsSideBySide)
{
    cb_bar_test::BarFixture f;
    ASSERT_EQ(f.bar.GetControlCount(), 3);
    for (int i = 0; i < 3; ++i)
    {
        CRect rc = f.bar.GetControl(i)->GetRect();
        EXPECT_FALSE(rc.IsRectEmpty()) << i;
        EXPECT_EQ(rc.top, 2) << i;
        if (i > 0)
        {
            EXPECT_EQ(rc.left, f.bar.GetControl(i - 1)->GetRect().right) << i;
        }
    }
    EXPECT_EQ(f.bar.GetControl(0)->GetRect().left, 2);
}

TEST(BarWindow, SiteMessagesOfSelectionAndTracking)
{
    struct Step
    {
        const char* name;
        int nBarType;
        std::function<LRESULT(cb_bar_test::BarFixture&)> act;
        LRESULT expectedResult;
        UINT message;    // the one site message expected, 0 for none at all
        int nWParamCtl;  // the control (index) in wParam, -1 for 0, -2 for the bar
    };
    const Step steps[] = {
        {"selecting a control", 1, [](cb_bar_test::BarFixture& f) { return LRESULT(f.bar.SetSelected(1)); }, 1, XTP_WM_CONTROLSELECTED, 1},
        {"selecting the selected index", 1,
         [](cb_bar_test::BarFixture& f) {
             f.bar.SetSelected(1);
             f.frame.rec.m_log.clear();
             return LRESULT(f.bar.SetSelected(1));
         },
         0, 0, 0},
        {"clearing the selection", 1,
         [](cb_bar_test::BarFixture& f) {
             f.bar.SetSelected(2);
             f.frame.rec.m_log.clear();
             return LRESULT(f.bar.SetSelected(-1));
         },
         1, XTP_WM_CONTROLSELECTED, -1},
        {"selecting past the end", 1, [](cb_bar_test::BarFixture& f) { return LRESULT(f.bar.SetSelected(7)); }, 0, 0, 0},
        {"a menu bar enters tracking", 0, [](cb_bar_test::BarFixture& f) { return LRESULT(f.bar.SetTrackingMode(1, FALSE, FALSE)); }, 1, XTP_WM_TRACKINGSTARTED, -2},
        {"a tool bar enters tracking", 1, [](cb_bar_test::BarFixture& f) { return LRESULT(f.bar.SetTrackingMode(1, FALSE, FALSE)); }, 1, 0, 0},
        {"a mode change between tracking modes", 0,
         [](cb_bar_test::BarFixture& f) {
             f.bar.SetTrackingMode(1, FALSE, FALSE);
             f.frame.rec.m_log.clear();
             return LRESULT(f.bar.SetTrackingMode(2, FALSE, FALSE));
         },
         0, 0, 0},
    };
    for (const Step& s : steps)
    {
        cb_bar_test::BarFixture f({"One", "Two", "Three"}, s.nBarType);
        f.frame.rec.m_answers[WM_SETMESSAGESTRING] = 0; // status texts are checked elsewhere
        LRESULT r = s.act(f);
        EXPECT_EQ(r, s.expectedResult) << s.name;
        std::vector<cb_bar_test::SiteMessage> site;
        for (const auto& m : f.frame.rec.m_log)
        {
            if (m.message >= 0x2854 && m.message <= 0x2867)
                site.push_back(m);
        }
        if (s.message == 0)
        {
            EXPECT_TRUE(site.empty()) << s.name;
            continue;
        }
        ASSERT_EQ(site.size(), 1u) << s.name;
        EXPECT_EQ(site[0].message, s.message) << s.name;
        WPARAM expected = s.nWParamCtl == -1   ? 0
                          : s.nWParamCtl == -2 ? reinterpret_cast<WPARAM>(static_cast<CXTPCommandBar*>(&f.bar))
                                               : reinterpret_cast<WPARAM>(f.bar.GetControl(s.nWParamCtl));
        EXPECT_EQ(site[0].wParam, expected) << s.name;
        f.bar.SetTrackingMode(0);
    }
}

TEST(BarWindow, HotChangesSendTheControlThenZero)
{
    cb_bar_test::BarFixture f;
    f.bar.SetSelected(0);
    f.bar.SetSelected(2);
    f.bar.SetSelected(-1);
    std::vector<WPARAM> hot;
    for (const auto& m : f.frame.rec.m_log)
    {
        if (m.message == XTP_WM_CONTROLSELECTED)
            hot.push_back(m.wParam);
    }
    ASSERT_EQ(hot.size(), 3u);
    EXPECT_EQ(hot[0], reinterpret_cast<WPARAM>(f.bar.GetControl(0)));
    EXPECT_EQ(hot[1], reinterpret_cast<WPARAM>(f.bar.GetControl(2)));
    EXPECT_EQ(hot[2], 0u);
    EXPECT_FALSE(f.bar.GetControl(0)->GetSelected());
}

TEST(BarWindow, RightButtonUpAsksTheSiteFirst)
{
    struct Case
    {
        LRESULT answer;
        BOOL bExecOnRButton;
        int nExpectedControlCalls;
    } cases[] = {{1, FALSE, 0}, {0, FALSE, 1}, {2, FALSE, 1}, {1, TRUE, 0}};
    for (const Case& c : cases)
    {
        cb_bar_test::BarFixture f;
        f.frame.rec.m_answers[XTP_WM_CONTROLRBUTTONUP] = c.answer;
        f.bar.m_bExecOnRButton = c.bExecOnRButton;
        ::SendMessageA(f.bar.m_hWnd, WM_RBUTTONUP, 0, f.ClientPoint(1));
        const cb_bar_test::SiteMessage* m = f.frame.rec.Last(XTP_WM_CONTROLRBUTTONUP);
        ASSERT_NE(m, nullptr) << c.answer;
        EXPECT_EQ(m->lParam, reinterpret_cast<LPARAM>(f.bar.GetControl(1))) << c.answer;
        EXPECT_EQ(f.Button(1)->m_nRButtonUp, c.nExpectedControlCalls) << c.answer;
        // Elsewhere on the bar no control is asked and the site hears nothing.
        f.frame.rec.m_log.clear();
        ::SendMessageA(f.bar.m_hWnd, WM_RBUTTONUP, 0, MAKELPARAM(370, 15));
        EXPECT_EQ(f.frame.rec.Count(XTP_WM_CONTROLRBUTTONUP), 0);
    }
}

TEST(BarWindow, CommandUiOnFrameAndDialogSites)
{
    struct Case
    {
        const char* name;
        cb_bar_test::UpdateRule rule;
        bool bHandled;       // the site has a command handler
        int nFlags;          // the control's flags
        BOOL bStartChecked;
        BOOL bEnabled, bChecked;
        const char* caption;
    };
    const Case cases[] = {
        {"disable", {0, -1, nullptr}, false, 0, FALSE, FALSE, FALSE, "Cmd"},
        {"enable", {1, -1, nullptr}, false, 0, FALSE, TRUE, FALSE, "Cmd"},
        {"check", {1, 1, nullptr}, false, 0, FALSE, TRUE, TRUE, "Cmd"},
        {"rename", {1, -1, "Renamed"}, false, 0, FALSE, TRUE, FALSE, "Renamed"},
        {"disabling unchecks", {0, -1, nullptr}, false, 0, TRUE, FALSE, FALSE, "Cmd"},
        {"a check in the same update stays", {0, 1, nullptr}, false, 0, FALSE, FALSE, TRUE, "Cmd"},
        {"no update handler, a command handler", {-1, -1, nullptr}, true, 0, FALSE, TRUE, FALSE, "Cmd"},
        {"no handler at all", {-1, -1, nullptr}, false, 0, FALSE, FALSE, FALSE, "Cmd"},
        {"flag 8 skips the update", {0, 1, "Renamed"}, false, xtpFlagManualUpdate, FALSE, TRUE, FALSE, "Cmd"},
    };
    for (int nSite = 0; nSite < 2; ++nSite)
    {
        for (const Case& c : cases)
        {
            RecordingFrame frame;
            RecordingDialog dialog;
            SiteRecorder* pRec;
            HWND hSite;
            if (nSite == 0)
            {
                frame.CreateAt(RECT{60, 60, 460, 260});
                hSite = frame.m_hWnd;
                pRec = &frame.rec;
            }
            else
            {
                dialog.CreateAt(60, 60, 400, 200);
                hSite = dialog.m_hWnd;
                pRec = &dialog.rec;
            }
            const UINT nId = 4401;
            if (c.rule.nEnable != -1 || c.rule.nCheck != -1 || c.rule.pszText)
                pRec->m_rules[nId] = c.rule;
            if (c.bHandled)
                pRec->m_handled.insert(nId);
            RowBar bar;
            bar.CreateIn(hSite, RECT{0, 0, 300, 30});
            CXTPControl* p = bar.GetControls()->Add(new CXTPControlButton(), nId);
            p->SetCaption("Cmd");
            p->SetFlags(c.nFlags);
            p->SetChecked(c.bStartChecked);
            ::SendMessageA(bar.m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            const char* site = nSite == 0 ? " (frame)" : " (dialog)";
            EXPECT_EQ(p->GetEnabled(), c.bEnabled) << c.name << site;
            EXPECT_EQ(p->GetChecked(), c.bChecked) << c.name << site;
            EXPECT_EQ(S(p->GetCaption()), c.caption) << c.name << site;
            bar.DestroyWindow();
            if (nSite == 0)
                frame.DestroyWindow();
            else
                dialog.DestroyWindow();
        }
    }
}

TEST(BarWindow, IdleUpdateRunsOnlyForAVisibleBarAndDoesPendingWork)
{
    cb_bar_test::BarFixture f;
    f.frame.rec.m_rules[101] = cb_bar_test::UpdateRule{0, -1, nullptr};
    ::ShowWindow(f.bar.m_hWnd, SW_HIDE);
    ::SendMessageA(f.bar.m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_TRUE(f.bar.GetControl(0)->GetEnabled()); // hidden: nothing asked
    ::ShowWindow(f.bar.m_hWnd, SW_SHOWNA);
    f.bar.DelayLayout();
    f.bar.DelayRedraw();
    int nLayouts = f.bar.m_nLayouts;
    ::SendMessageA(f.bar.m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_FALSE(f.bar.GetControl(0)->GetEnabled());
    EXPECT_EQ(f.bar.m_nLayouts, nLayouts + 1);
    EXPECT_EQ(f.bar.GetPendingFlags() & (xtpDelayLayout | xtpDelayRedraw), 0u);
    // Nothing pending: no layout.
    ::SendMessageA(f.bar.m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(f.bar.m_nLayouts, nLayouts + 1);
    // WM_INITIALUPDATE runs the same update.
    f.frame.rec.m_rules[102] = cb_bar_test::UpdateRule{-1, 1, nullptr};
    ::SendMessageA(f.bar.m_hWnd, WM_INITIALUPDATE, 0, 0);
    EXPECT_TRUE(f.bar.GetControl(1)->GetChecked());
}

TEST(BarWindow, IdleUpdateInCustomizeModeEnablesOwnValues)
{
    CXTPCommandBars* pBars = new CXTPCommandBars();
    cb_bar_test::BarFixture f;
    f.bar.SetCommandBars(pBars);
    f.bar.GetControl(0)->SetEnabled(FALSE);
    pBars->SetCustomizeMode(TRUE);
    ::SendMessageA(f.bar.m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    pBars->SetCustomizeMode(FALSE);
    EXPECT_TRUE(f.bar.GetControl(0)->GetEnabled()); // own value set back to enabled
    EXPECT_EQ(f.bar.GetControl(0)->GetOwnEnabled(), TRUE);
    f.bar.SetCommandBars(nullptr);
    pBars->InternalRelease();
}

TEST(BarWindow, LoadMenuBuildsGroupsBreaksAndStates)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    HMENU h = menu.m_hMenu;
    AppendMenuA(h, MF_STRING, 201, "One");
    AppendMenuA(h, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(h, MF_STRING | MF_GRAYED, 202, "Two");
    AppendMenuA(h, MF_STRING | MF_MENUBREAK, 203, "Three");
    AppendMenuA(h, MF_STRING | MF_MENUBARBREAK | MF_CHECKED, 204, "Four");
    AppendMenuA(h, MF_STRING, 0, "No id");
    AppendMenuA(h, MF_STRING | MF_DISABLED, 205, "Five");

    cb_bar_test::BarFixture f(std::vector<const char*>{});
    EXPECT_TRUE(f.bar.LoadMenu(&menu));
    struct Expected
    {
        int nId;
        BOOL bBeginGroup, bEnabled, bChecked;
        int nFlags;
    } expected[] = {
        {201, FALSE, TRUE, FALSE, 0},   {202, TRUE, FALSE, FALSE, 0}, {203, FALSE, TRUE, FALSE, 0x80},
        {204, TRUE, TRUE, TRUE, 0x80}, {205, TRUE, FALSE, FALSE, 0},
    };
    ASSERT_EQ(f.bar.GetControlCount(), 5);
    for (int i = 0; i < 5; ++i)
    {
        CXTPControl* p = f.bar.GetControl(i);
        EXPECT_EQ(p->GetID(), expected[i].nId) << i;
        EXPECT_EQ(p->GetBeginGroup(), expected[i].bBeginGroup) << i;
        EXPECT_EQ(p->GetEnabled(), expected[i].bEnabled) << i;
        EXPECT_EQ(p->GetChecked(), expected[i].bChecked) << i;
        EXPECT_EQ(p->GetFlags() & 0x80, expected[i].nFlags) << i;
    }
    // The frame learns that a menu was loaded.
    EXPECT_EQ(f.frame.m_nFrameFlags & 0xC, 0xCu);
    // Appending keeps the old controls; failures change nothing.
    EXPECT_TRUE(f.bar.LoadMenu(&menu, FALSE));
    EXPECT_EQ(f.bar.GetControlCount(), 10);
    EXPECT_FALSE(f.bar.LoadMenu(nullptr));
    CMenu dead;
    dead.m_hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(0x7FF0));
    EXPECT_FALSE(f.bar.LoadMenu(&dead));
    dead.m_hMenu = nullptr;
    EXPECT_EQ(f.bar.GetControlCount(), 10);
}

TEST(BarWindow, HelpHitTestIds)
{
    CXTPCommandBars* pBars = new CXTPCommandBars();
    pBars->EnableActions();
    CXTPControlAction* pAction = pBars->CreateAction(302);
    pAction->SetHelpId(9302);
    cb_bar_test::BarFixture f(std::vector<const char*>{});
    f.bar.SetCommandBars(pBars);
    CXTPControl* pOwn = f.bar.GetControls()->Add(new CXTPControlButton(), 301);
    pOwn->SetHelpId(777);
    CXTPControl* pByAction = f.bar.GetControls()->Add(new CXTPControlButton(), 302);
    CXTPControl* pById = f.bar.GetControls()->Add(new CXTPControlButton(), 303);
    for (CXTPControl* p : {pOwn, pByAction, pById})
        p->SetCaption("Item");
    f.bar.OnRecalcLayout();
    ASSERT_EQ(pByAction->GetAction(), pAction);

    struct Case
    {
        const char* name;
        CPoint pt;
        UINT nBarId;
        LRESULT expected;
    } cases[] = {
        {"own help id", pOwn->GetRect().CenterPoint(), 0xE810, 0x10000 + 777},
        {"action help id", pByAction->GetRect().CenterPoint(), 0xE810, 0x10000 + 9302},
        {"control id", pById->GetRect().CenterPoint(), 0xE810, 0x10000 + 303},
        {"bar: dialog id", CPoint(370, 15), 0xE810, 0x50000 + 0xE810},
        {"bar without an id", CPoint(370, 15), 0, 0},
    };
    for (const Case& c : cases)
    {
        ::SetWindowLongPtrA(f.bar.m_hWnd, GWLP_ID, static_cast<LONG_PTR>(c.nBarId));
        LRESULT r = ::SendMessageA(f.bar.m_hWnd, WM_HELPHITTEST, 0, MAKELPARAM(c.pt.x, c.pt.y));
        EXPECT_EQ(r, c.expected) << c.name;
    }
    f.bar.GetControls()->RemoveAll();
    f.bar.SetCommandBars(nullptr);
    pBars->InternalRelease();
}

TEST(BarWindow, StatusTextFollowsTheHotControl)
{
    cb_bar_test::BarFixture f;
    f.bar.GetControl(0)->SetDescription("Opens a file");
    f.bar.GetControl(2)->SetDescription("Saves it");
    struct Step
    {
        int nSelect;
        UINT message; // 0: no status message
        const char* text;
    } steps[] = {
        {0, WM_SETMESSAGESTRING, "Opens a file"},
        {1, WM_POPMESSAGESTRING, nullptr}, // no description
        {2, WM_SETMESSAGESTRING, "Saves it"},
        {-1, WM_POPMESSAGESTRING, nullptr},
    };
    for (const Step& s : steps)
    {
        f.frame.rec.m_log.clear();
        ASSERT_TRUE(f.bar.SetSelected(s.nSelect)) << s.nSelect;
        // The frame turns a pop into a WM_SETMESSAGESTRING of the idle id itself: count the texts.
        int nSet = 0;
        for (const auto& m : f.frame.rec.m_log)
            nSet += m.message == WM_SETMESSAGESTRING && m.wParam == 0 ? 1 : 0;
        int nPop = f.frame.rec.Count(WM_POPMESSAGESTRING);
        EXPECT_EQ(nSet, s.message == WM_SETMESSAGESTRING ? 1 : 0) << s.nSelect;
        EXPECT_EQ(nPop, s.message == WM_POPMESSAGESTRING ? 1 : 0) << s.nSelect;
        if (s.text)
            EXPECT_EQ(f.frame.rec.Last(WM_SETMESSAGESTRING)->text, s.text);
        else
            EXPECT_EQ(f.frame.rec.Last(WM_POPMESSAGESTRING)->wParam, WPARAM(AFX_IDS_IDLEMESSAGE));
    }

    // With a manager whose option is off, no status text goes out.
    CXTPCommandBars* pBars = new CXTPCommandBars();
    pBars->GetCommandBarsOptions()->bUpdateStatusBar = FALSE;
    f.bar.SetCommandBars(pBars);
    f.frame.rec.m_log.clear();
    f.bar.SetSelected(0);
    EXPECT_EQ(f.frame.rec.Count(WM_SETMESSAGESTRING) + f.frame.rec.Count(WM_POPMESSAGESTRING), 0);
    EXPECT_EQ(f.frame.rec.Count(XTP_WM_CONTROLSELECTED), 1);
    f.bar.SetSelected(-1);
    f.bar.SetCommandBars(nullptr);
    pBars->InternalRelease();
}

namespace
{
// A bar whose controls sit at fixed rectangles (no layout).
struct DropFixture
{
    DropFixture(int nPosition, const std::vector<CRect>& rects, const std::vector<BOOL>& groups = {})
    {
        frame.CreateAt(RECT{60, 60, 460, 360});
        bar.SetPosition(nPosition);
        bar.CreateIn(frame.m_hWnd, RECT{0, 0, 200, 120});
        for (size_t i = 0; i < rects.size(); ++i)
        {
            CXTPControl* p = bar.GetControls()->Add(new CXTPControlButton(), 500 + static_cast<int>(i));
            p->SetRect(rects[i]);
            if (i < groups.size())
                p->SetBeginGroup(groups[i]);
        }
    }
    ~DropFixture()
    {
        bar.DestroyWindow();
        frame.DestroyWindow();
    }
    RecordingFrame frame;
    cb_bar_test::RowBar bar;
};
} // namespace

TEST(BarWindow, FindDropIndexTable)
{
    const std::vector<CRect> row = {CRect(2, 2, 25, 24), CRect(25, 2, 48, 24), CRect(48, 2, 71, 24)};
    const std::vector<CRect> column = {CRect(2, 2, 26, 24), CRect(2, 24, 26, 46), CRect(2, 46, 26, 68)};
    const std::vector<CRect> rows = {CRect(2, 2, 25, 24), CRect(25, 2, 48, 24), CRect(2, 24, 25, 46),
                                     CRect(25, 24, 48, 46)};
    struct Case
    {
        const char* name;
        int nPosition;
        const std::vector<CRect>* rects;
        std::vector<BOOL> groups;
        int nDragged; // index of the dragged control, -1 for a new one
        CPoint pt;
        int nIndex;
        BOOL bAfter;
        CRect marker;
        BOOL bVerticalMarker;
    };
    const Case cases[] = {
        {"horizontal: left half", xtpBarTop, &row, {}, -1, CPoint(28, 10), 1, FALSE, CRect(25, 2, 31, 24), TRUE},
        {"horizontal: right half, next follows", xtpBarTop, &row, {}, -1, CPoint(45, 10), 1, TRUE, CRect(48, 2, 54, 24), TRUE},
        {"horizontal: right of the last", xtpBarTop, &row, {}, -1, CPoint(90, 10), 2, TRUE, CRect(65, 2, 71, 24), TRUE},
        {"horizontal: next begins a group", xtpBarTop, &row, {FALSE, FALSE, TRUE}, -1, CPoint(45, 10), 1, TRUE, CRect(42, 2, 48, 24), TRUE},
        {"horizontal: nearest centre wins", xtpBarTop, &row, {}, -1, CPoint(3, 60), 0, FALSE, CRect(2, 2, 8, 24), TRUE},
        {"vertical: top half", xtpBarLeft, &column, {}, -1, CPoint(10, 27), 1, FALSE, CRect(2, 24, 26, 30), FALSE},
        {"vertical: bottom half", xtpBarLeft, &column, {}, -1, CPoint(10, 43), 1, TRUE, CRect(2, 46, 26, 52), FALSE},
        {"vertical: below the last", xtpBarRight, &column, {}, -1, CPoint(10, 100), 2, TRUE, CRect(2, 62, 26, 68), FALSE},
        {"vertical: next begins a group", xtpBarLeft, &column, {FALSE, FALSE, TRUE}, -1, CPoint(10, 43), 1, TRUE, CRect(2, 40, 26, 46), FALSE},
        {"rows: second row", xtpBarTop, &rows, {}, -1, CPoint(44, 40), 3, TRUE, CRect(42, 24, 48, 46), TRUE},
        {"rows: first row, second row not searched", xtpBarTop, &rows, {}, -1, CPoint(44, 10), 1, TRUE, CRect(42, 2, 48, 24), TRUE},
        {"own place", xtpBarTop, &row, {}, 1, CPoint(30, 10), 1, FALSE, CRect(0, 0, 0, 0), TRUE},
        {"next to its own place", xtpBarTop, &row, {}, 1, CPoint(52, 10), 2, FALSE, CRect(48, 2, 54, 24), TRUE},
    };
    for (const Case& c : cases)
    {
        DropFixture f(c.nPosition, *c.rects, c.groups);
        CXTPControl* pDragged = c.nDragged >= 0 ? f.bar.GetControl(c.nDragged) : nullptr;
        CRect rcMarker(-1, -1, -1, -1);
        int nIndex = -5;
        BOOL bAfter = -5;
        int r = f.bar.FindDropIndex(pDragged, c.pt, rcMarker, nIndex, bAfter);
        EXPECT_EQ(r, c.nIndex) << c.name;
        EXPECT_EQ(nIndex, c.nIndex) << c.name;
        EXPECT_EQ(bAfter, c.bAfter) << c.name;
        EXPECT_EQ(rcMarker, c.marker) << c.name << " got " << rcMarker.left << "," << rcMarker.top << ","
                                      << rcMarker.right << "," << rcMarker.bottom;
        EXPECT_EQ(f.bar.IsDropMarkerVertical(), c.bVerticalMarker) << c.name;
    }
}

TEST(BarWindow, EmptyBarMarkerIsABandAtTheLeftEdge)
{
    for (int nPosition : {xtpBarTop, xtpBarLeft})
    {
        DropFixture f(nPosition, {});
        CRect rcClient;
        ::GetClientRect(f.bar.m_hWnd, &rcClient);
        CRect rcMarker;
        int nIndex = 3;
        BOOL bAfter = TRUE;
        EXPECT_EQ(f.bar.FindDropIndex(nullptr, CPoint(100, 50), rcMarker, nIndex, bAfter), -1);
        EXPECT_EQ(nIndex, -1);
        EXPECT_FALSE(bAfter);
        EXPECT_EQ(rcMarker, CRect(rcClient.left + 2, rcClient.top + 2, rcClient.left + 8, rcClient.bottom - 2));
    }
}

TEST(BarWindow, CustomizeDropInsertsACloneAndTogglesGroupsInPlace)
{
    CXTPCommandBars* pBars = new CXTPCommandBars();
    const std::vector<CRect> row = {CRect(2, 2, 25, 24), CRect(25, 2, 48, 24), CRect(48, 2, 71, 24)};
    DropFixture f(xtpBarTop, row, {FALSE, TRUE, FALSE});
    f.bar.SetCommandBars(pBars);
    CXTPControlButton* pNew = new CXTPControlButton();
    pNew->SetID(900);

    // Drop before the control that began a group: the clone takes the group start over.
    DWORD dwEffect = DROPEFFECT_MOVE;
    f.bar.OnCustomizeDrop(pNew, dwEffect, CPoint(28, 10), CPoint(300, 300));
    ASSERT_EQ(f.bar.GetControlCount(), 4);
    EXPECT_EQ(f.bar.GetControl(1)->GetID(), 900);
    EXPECT_NE(f.bar.GetControl(1), pNew);
    EXPECT_TRUE(f.bar.GetControl(1)->GetBeginGroup());
    EXPECT_FALSE(f.bar.GetControl(2)->GetBeginGroup());
    EXPECT_TRUE(f.bar.GetDropMarker().IsRectEmpty());

    // Dropped on its own place after a move of more than 4 pixels: only the group start toggles.
    CXTPControl* pLast = f.bar.GetControl(3);
    pLast->SetRect(CRect(71, 2, 94, 24));
    dwEffect = DROPEFFECT_MOVE;
    f.bar.OnCustomizeDrop(pLast, dwEffect, CPoint(80, 10), CPoint(86, 10));
    EXPECT_EQ(f.bar.GetControlCount(), 4);
    EXPECT_TRUE(pLast->GetBeginGroup());
    EXPECT_EQ(dwEffect, 5u);
    // A move of 4 pixels or less changes nothing.
    dwEffect = DROPEFFECT_MOVE;
    f.bar.OnCustomizeDrop(pLast, dwEffect, CPoint(80, 10), CPoint(83, 12));
    EXPECT_TRUE(pLast->GetBeginGroup());
    EXPECT_EQ(dwEffect, DWORD(DROPEFFECT_MOVE));

    // Drag over stores the marker; leave clears it.
    dwEffect = 0;
    f.bar.OnCustomizeDragEnter(pNew, CPoint(28, 10), dwEffect);
    EXPECT_EQ(dwEffect, DWORD(DROPEFFECT_MOVE));
    EXPECT_FALSE(f.bar.GetDropMarker().IsRectEmpty());
    f.bar.OnCustomizeDragLeave();
    EXPECT_TRUE(f.bar.GetDropMarker().IsRectEmpty());

    pNew->InternalRelease();
    f.bar.GetControls()->RemoveAll();
    f.bar.SetCommandBars(nullptr);
    pBars->InternalRelease();
}

TEST(BarWindow, IconAndButtonSizeRules)
{
    struct Case
    {
        const char* name;
        bool bManager;
        int nBarType;
        CSize ownIcon, ownButton;
        CSize optIcons, optLarge, optPopup;
        BOOL bLargeIcons;
        CSize icon, button;
    };
    const CSize z(0, 0);
    const Case cases[] = {
        {"no manager", false, 1, z, z, z, z, z, FALSE, CSize(16, 16), CSize(22, 22)},
        {"no manager, own icon", false, 1, CSize(20, 18), z, z, z, z, FALSE, CSize(20, 18), CSize(26, 24)},
        {"own button wins", false, 1, z, CSize(40, 30), z, z, z, FALSE, CSize(16, 16), CSize(40, 30)},
        {"IconsSize", true, 1, z, z, CSize(24, 24), z, z, FALSE, CSize(24, 24), CSize(30, 30)},
        {"IconsSize 0,0: automatic", true, 1, z, z, z, z, z, FALSE, CSize(16, 16), CSize(22, 22)},
        {"own over IconsSize", true, 1, CSize(20, 20), z, CSize(24, 24), z, z, FALSE, CSize(20, 20), CSize(26, 26)},
        {"LargeIcons", true, 1, z, z, CSize(24, 24), CSize(40, 40), z, TRUE, CSize(40, 40), CSize(46, 46)},
        {"LargeIcons 0,0: automatic large", true, 1, z, z, z, z, z, TRUE, CSize(32, 32), CSize(38, 38)},
        {"LargeIcons with an own button size", true, 1, z, CSize(30, 30), CSize(24, 24), CSize(40, 40), z, TRUE,
         CSize(24, 24), CSize(30, 30)},
        {"popup: PopupIconsSize", true, 2, z, z, CSize(24, 24), CSize(40, 40), CSize(20, 20), TRUE, CSize(20, 20),
         CSize(26, 26)},
        {"popup: 0,0 automatic small", true, 2, z, z, CSize(24, 24), CSize(40, 40), z, TRUE, CSize(16, 16),
         CSize(22, 22)},
    };
    for (const Case& c : cases)
    {
        CXTPCommandBars* pBars = c.bManager ? new CXTPCommandBars() : nullptr;
        CXTPCommandBar bar;
        bar.SetType(c.nBarType);
        bar.SetIconSize(c.ownIcon);
        bar.SetButtonSize(c.ownButton);
        if (pBars)
        {
            CXTPCommandBarsOptions* pOptions = pBars->GetCommandBarsOptions();
            pOptions->szIcons = c.optIcons;
            pOptions->szLargeIcons = c.optLarge;
            pOptions->szPopupIcons = c.optPopup;
            pOptions->bLargeIcons = c.bLargeIcons;
            bar.SetCommandBars(pBars);
        }
        EXPECT_EQ(bar.GetIconSize(), c.icon) << c.name;
        EXPECT_EQ(bar.GetButtonSize(), c.button) << c.name;
        bar.SetCommandBars(nullptr);
        if (pBars)
            pBars->InternalRelease();
    }
}

TEST(BarWindow, LargeIconSizeRules)
{
    CXTPCommandBar bare;
    EXPECT_EQ(bare.GetLargeIconSize(FALSE), CSize(32, 32));
    bare.SetIconSize(CSize(20, 18));
    EXPECT_EQ(bare.GetLargeIconSize(FALSE), CSize(40, 36));
    bare.SetLargeIconSize(CSize(50, 50));
    EXPECT_EQ(bare.GetLargeIconSize(TRUE), CSize(50, 50));

    CXTPCommandBars* pBars = new CXTPCommandBars();
    CXTPCommandBar bar;
    bar.SetCommandBars(pBars);
    EXPECT_EQ(bar.GetLargeIconSize(TRUE), CSize(32, 32)); // the paint manager's automatic large size
    EXPECT_EQ(bar.GetLargeIconSize(FALSE), CSize(32, 32)); // twice 16 by 16
    pBars->GetCommandBarsOptions()->szIcons = CSize(24, 20);
    EXPECT_EQ(bar.GetLargeIconSize(FALSE), CSize(48, 40));
    pBars->GetCommandBarsOptions()->szLargeIcons = CSize(36, 36);
    EXPECT_EQ(bar.GetLargeIconSize(FALSE), CSize(36, 36));
    EXPECT_EQ(bar.GetAutoIconSize(FALSE), 16);
    bar.SetCommandBars(nullptr);
    pBars->InternalRelease();
}

TEST(BarWindow, CopyAndCloneTakeSettingsAndControls)
{
    CXTPCommandBar source;
    source.SetType(0);
    source.SetPosition(xtpBarLeft);
    source.SetBarID(0xE901);
    source.SetFlags(0x40);
    source.SetShowGripper(FALSE);
    source.SetTitle("Standard");
    source.EnableCustomization(FALSE);
    source.SetWidthLimit(321);
    source.SetIconSize(CSize(24, 24));
    source.SetButtonSize(CSize(30, 28));
    source.GetControls()->Add(new CXTPControlButton(), 11)->SetCaption("A");
    source.GetControls()->Add(new CXTPControlButton(), 12)->SetBeginGroup(TRUE);

    std::unique_ptr<CXTPCommandBar> clone(source.Clone(TRUE));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetType(), 0);
    EXPECT_EQ(clone->GetPosition(), xtpBarLeft);
    EXPECT_EQ(clone->GetBarID(), 0xE901u);
    EXPECT_EQ(clone->GetFlags(), 0x40u);
    EXPECT_FALSE(clone->HasGripper());
    EXPECT_EQ(S(clone->GetTitle()), "Standard");
    EXPECT_FALSE(clone->IsCustomizable());
    EXPECT_EQ(clone->GetWidthLimit(), 321);
    EXPECT_EQ(clone->GetIconSize(), CSize(24, 24));
    EXPECT_EQ(clone->GetButtonSize(), CSize(30, 28));
    ASSERT_EQ(clone->GetControlCount(), 2);
    EXPECT_NE(clone->GetControl(0), source.GetControl(0));
    EXPECT_EQ(clone->GetControl(0)->GetID(), 11);
    EXPECT_EQ(S(clone->GetControl(0)->GetCaption()), "A");
    EXPECT_TRUE(clone->GetControl(1)->GetBeginGroup());
    EXPECT_EQ(clone->GetControl(1)->GetParent(), clone.get());
}

TEST(BarWindow, RedrawWaitsWhileLockedAndOnlyForAVisibleBar)
{
    cb_bar_test::BarFixture f;
    f.bar.LockRedraw();
    EXPECT_FALSE(f.bar.Redraw());
    EXPECT_TRUE(f.bar.GetPendingFlags() & xtpDelayRedraw);
    int nBefore = f.bar.m_nRedrawCount;
    f.bar.UnlockRedraw(); // the pending redraw runs now
    EXPECT_EQ(f.bar.m_nRedrawCount, nBefore + 1);
    EXPECT_FALSE(f.bar.GetPendingFlags() & xtpDelayRedraw);
    // A redraw of the whole visible bar marks the painter dirty.
    ::UpdateWindow(f.bar.m_hWnd);
    EXPECT_TRUE(f.bar.Redraw());
    EXPECT_TRUE(f.bar.GetAnimation()->IsDirty());
    EXPECT_TRUE(::GetUpdateRect(f.bar.m_hWnd, nullptr, FALSE));
}

TEST(BarWindow, RemovalEndsTrackingAndDestroysTheWindow)
{
    cb_bar_test::BarFixture f;
    f.bar.SetTrackingMode(1, TRUE, TRUE);
    EXPECT_EQ(f.bar.GetSelected(), 0); // the first control by keyboard
    f.bar.OnRemoved();
    EXPECT_FALSE(f.bar.IsTrackingMode());
    EXPECT_EQ(f.bar.GetControlCount(), 0);
    EXPECT_EQ(f.bar.m_hWnd, nullptr);
}

TEST(BarWindow, AccessibleChildrenAreTheControls)
{
    cb_bar_test::BarFixture f;
    f.bar.GetControl(1)->SetCaption("&Save\tCtrl+S");
    f.bar.SetSelected(1);
    IAccessible* pAcc = f.bar.GetAccessibleObject();
    long nCount = 0;
    ASSERT_EQ(pAcc->get_accChildCount(&nCount), S_OK);
    EXPECT_EQ(nCount, 3);

    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = 2;
    BSTR name = nullptr;
    ASSERT_EQ(pAcc->get_accName(child, &name), S_OK);
    EXPECT_EQ(std::wstring(name), L"Save\tCtrl+S");
    SysFreeString(name);

    VARIANT state;
    VariantInit(&state);
    ASSERT_EQ(pAcc->get_accState(child, &state), S_OK);
    EXPECT_TRUE(state.lVal & STATE_SYSTEM_FOCUSED);
    EXPECT_TRUE(state.lVal & STATE_SYSTEM_SELECTED);

    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(pAcc->accLocation(&x, &y, &cx, &cy, child), S_OK);
    CRect rc = f.bar.GetControl(1)->GetRect();
    POINT origin = {0, 0};
    ::ClientToScreen(f.bar.m_hWnd, &origin);
    EXPECT_EQ(x, origin.x + rc.left);
    EXPECT_EQ(cx, rc.Width());

    VARIANT hit;
    ASSERT_EQ(pAcc->accHitTest(origin.x + rc.CenterPoint().x, origin.y + rc.CenterPoint().y, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_DISPATCH);
    EXPECT_EQ(hit.pdispVal, static_cast<IDispatch*>(f.bar.GetControl(1)->GetAccessibleObject()));
    VariantClear(&hit);

    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    ::ShowWindow(f.bar.m_hWnd, SW_HIDE);
    ASSERT_EQ(pAcc->get_accState(self, &state), S_OK);
    EXPECT_EQ(state.lVal, STATE_SYSTEM_INVISIBLE);
    child.lVal = 9;
    EXPECT_EQ(pAcc->get_accName(child, &name), E_INVALIDARG);
}

namespace
{
// The bar printed (WM_PRINTCLIENT) into a memory bitmap of its client size.
class PrintedBar
{
public:
    explicit PrintedBar(CXTPCommandBar& bar)
    {
        CRect rc;
        ::GetClientRect(bar.m_hWnd, &rc);
        m_hScreen = ::GetDC(nullptr);
        m_hMem = ::CreateCompatibleDC(m_hScreen);
        m_hbm = ::CreateCompatibleBitmap(m_hScreen, rc.Width(), rc.Height());
        m_hOld = ::SelectObject(m_hMem, m_hbm);
        ::SendMessageA(bar.m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_hMem), PRF_CLIENT);
    }
    ~PrintedBar()
    {
        ::SelectObject(m_hMem, m_hOld);
        ::DeleteObject(m_hbm);
        ::DeleteDC(m_hMem);
        ::ReleaseDC(nullptr, m_hScreen);
    }
    PrintedBar(const PrintedBar&) = delete;
    PrintedBar& operator=(const PrintedBar&) = delete;
    COLORREF Pixel(int x, int y) const { return ::GetPixel(m_hMem, x, y); }

private:
    HDC m_hScreen, m_hMem;
    HBITMAP m_hbm;
    HGDIOBJ m_hOld;
};
} // namespace

TEST(BarWindow, PaintedBarShowsTheHotButtonRaised)
{
    cb_bar_test::BarFixture f({"Open", "Save", "Print"});
    f.bar.SetShowGripper(FALSE);
    f.bar.SetSelected(1);
    {
        PrintedBar printed(f.bar);
        CRect rcHot = f.bar.GetControl(1)->GetRect();
        CRect rcCold = f.bar.GetControl(0)->GetRect();
        COLORREF clrFace = f.bar.GetPaintManager()->GetColor(COLOR_3DFACE);
        // The hot button has a raised frame: its top-left edge is lighter than the face, its
        // bottom-right edge darker; a cold button is plain face at the same places.
        COLORREF clrHotTop = printed.Pixel(rcHot.left, rcHot.top + 3);
        COLORREF clrHotBottom = printed.Pixel(rcHot.right - 1, rcHot.bottom - 3);
        EXPECT_EQ(printed.Pixel(rcCold.left, rcCold.top + 3), clrFace);
        EXPECT_EQ(printed.Pixel(rcCold.right - 1, rcCold.bottom - 3), clrFace);
        EXPECT_NE(clrHotTop, clrFace);
        EXPECT_NE(clrHotBottom, clrFace);
        EXPECT_NE(clrHotTop, clrHotBottom);
    }

    // Kept on screen for a look when asked (QVX_BAR_SHOT_MS milliseconds).
    char szWait[32] = {};
    if (::GetEnvironmentVariableA("QVX_BAR_SHOT_MS", szWait, sizeof szWait))
    {
        cb_bar_test::Activate(f.frame.m_hWnd);
        f.bar.SetSelected(-1);
        POINT ptCursor = f.bar.GetControl(1)->GetRect().CenterPoint();
        ::ClientToScreen(f.bar.m_hWnd, &ptCursor);
        ::SetCursorPos(ptCursor.x, ptCursor.y);
        ::SendMessageA(f.bar.m_hWnd, WM_MOUSEMOVE, 0, f.ClientPoint(1));
        ::RedrawWindow(f.frame.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        qvx_test::PumpMessages(static_cast<DWORD>(atoi(szWait)));
    }
}

TEST(BarWindow, WindowPaintGoesThroughTheCachedPicture)
{
    // WM_PAINT draws the bar into the animation's cached picture (a DC the painter holds in an
    // object of its own) and copies it to the screen: the picture shows the bar's face and the
    // hot button's raised frame.
    cb_bar_test::BarFixture f({"Open", "Save", "Print"});
    f.bar.SetShowGripper(FALSE);
    f.bar.SetSelected(1);
    f.bar.GetAnimation()->RedrawRect(nullptr, FALSE); // no picture yet
    ::InvalidateRect(f.bar.m_hWnd, nullptr, FALSE);
    ::UpdateWindow(f.bar.m_hWnd);
    HBITMAP hbmCache = f.bar.GetAnimation()->GetCache();
    ASSERT_NE(hbmCache, nullptr);
    HDC hMem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hMem, hbmCache);
    COLORREF clrFace = f.bar.GetPaintManager()->GetColor(COLOR_3DFACE);
    CRect rcHot = f.bar.GetControl(1)->GetRect();
    CRect rcCold = f.bar.GetControl(2)->GetRect();
    EXPECT_EQ(::GetPixel(hMem, 1, 1), clrFace);
    EXPECT_EQ(::GetPixel(hMem, rcCold.left, rcCold.top + 3), clrFace);
    EXPECT_NE(::GetPixel(hMem, rcHot.left, rcHot.top + 3), clrFace);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
}

namespace
{
// A control whose popup opens when asked (or refuses), recording the calls.
class PopupButton : public CXTPControlButton
{
public:
    BOOL SetPopup(BOOL bPopup) override
    {
        m_calls.push_back(bPopup);
        return bPopup ? m_bOpens : TRUE;
    }
    BOOL m_bOpens = TRUE;
    std::vector<BOOL> m_calls;
};
} // namespace

TEST(BarWindow, PopupControlTable)
{
    struct Case
    {
        const char* name;
        BOOL bEnabled, bOpens;
        BOOL bResult;
        int nPopped, nSelected, nTracking;
    } cases[] = {
        {"opens", TRUE, TRUE, TRUE, 1, 1, 2},
        {"refuses to open", TRUE, FALSE, FALSE, -1, 1, 2},
        {"disabled", FALSE, TRUE, FALSE, -1, -1, 0},
    };
    for (const Case& c : cases)
    {
        cb_bar_test::BarFixture f(std::vector<const char*>{});
        PopupButton* pFirst = new PopupButton();
        PopupButton* pSecond = new PopupButton();
        f.bar.GetControls()->Add(pFirst, 701);
        f.bar.GetControls()->Add(pSecond, 702);
        f.bar.OnRecalcLayout();
        pSecond->SetEnabled(c.bEnabled);
        pSecond->m_bOpens = c.bOpens;
        EXPECT_EQ(f.bar.SetPopupControl(1), c.bResult) << c.name;
        EXPECT_EQ(f.bar.GetPopped(), c.nPopped) << c.name;
        EXPECT_EQ(f.bar.GetSelected(), c.nSelected) << c.name;
        EXPECT_EQ(f.bar.GetTrackingMode(), c.nTracking) << c.name;
        EXPECT_EQ(pSecond->m_calls.size(), c.bEnabled ? 1u : 0u) << c.name;
        if (!c.bResult)
        {
            f.bar.SetTrackingMode(0);
            continue;
        }
        // The same index again changes nothing; another one closes the open popup first.
        EXPECT_FALSE(f.bar.SetPopupControl(1)) << c.name;
        EXPECT_TRUE(f.bar.SetPopupControl(0)) << c.name;
        ASSERT_EQ(pSecond->m_calls.size(), 2u) << c.name;
        EXPECT_FALSE(pSecond->m_calls[1]) << c.name;
        EXPECT_EQ(f.bar.GetPopped(), 0) << c.name;
        // Leaving tracking closes the open popup and clears the selection.
        EXPECT_TRUE(f.bar.SetTrackingMode(0)) << c.name;
        EXPECT_EQ(f.bar.GetPopped(), -1) << c.name;
        ASSERT_EQ(pFirst->m_calls.size(), 2u) << c.name;
        EXPECT_FALSE(pFirst->m_calls[1]) << c.name;
        EXPECT_EQ(f.bar.GetSelected(), -1) << c.name;
    }
}

TEST(BarWindow, ToolHitTestGivesTheControlsTip)
{
    cb_bar_test::BarFixture f;
    f.bar.GetControl(0)->SetTooltip("Open a file");
    struct Case
    {
        const char* name;
        CPoint pt;
        INT_PTR nHit;
        const char* text;
    } cases[] = {
        {"a control with a tip", f.bar.GetControl(0)->GetRect().CenterPoint(), 101, "Open a file"},
        {"a control without a tip", f.bar.GetControl(1)->GetRect().CenterPoint(), -1, nullptr},
        {"no control", CPoint(370, 15), -1, nullptr},
    };
    for (const Case& c : cases)
    {
        TOOLINFOA ti = {};
        ti.cbSize = sizeof(ti);
        INT_PTR nHit = f.bar.OnToolHitTest(c.pt, &ti);
        EXPECT_EQ(nHit, c.nHit) << c.name;
        if (c.text)
        {
            ASSERT_NE(ti.lpszText, nullptr) << c.name;
            EXPECT_STREQ(ti.lpszText, c.text) << c.name;
            EXPECT_EQ(CRect(ti.rect), f.bar.GetControl(0)->GetRect()) << c.name;
            EXPECT_EQ(ti.hwnd, f.bar.m_hWnd) << c.name;
        }
        CXTPToolTipContext::FreeToolInfo(&ti);
    }
}

TEST(BarWindow, HelpModeHitTestTable)
{
    cb_bar_test::BarFixture f;
    f.bar.GetControl(2)->SetType(xtpControlPopup);
    f.bar.GetControl(2)->SetID(0);
    auto HitAt = [&](int i) {
        POINT pt = i >= 0 ? POINT(f.bar.GetControl(i)->GetRect().CenterPoint()) : POINT{370, 15};
        ::ClientToScreen(f.bar.m_hWnd, &pt);
        return ::SendMessageA(f.bar.m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    };
    struct Case
    {
        BOOL bHelpMode;
        int nControl;
        LRESULT expected;
    } cases[] = {{TRUE, 0, HTCLIENT}, {TRUE, 2, HTMENU}, {TRUE, -1, HTCLIENT}, {FALSE, 2, HTCLIENT}};
    for (const Case& c : cases)
    {
        f.frame.m_bHelpMode = c.bHelpMode;
        EXPECT_EQ(HitAt(c.nControl), c.expected) << c.bHelpMode << " " << c.nControl;
    }
    f.frame.m_bHelpMode = FALSE;
}

TEST(BarWindow, CustomizeModeDrawsTheDropMarker)
{
    CXTPCommandBars* pBars = new CXTPCommandBars();
    cb_bar_test::BarFixture f;
    f.bar.SetShowGripper(FALSE);
    f.bar.SetCommandBars(pBars);
    CRect rcMarker(300, 4, 306, 26);
    f.bar.SetDropMarker(rcMarker, TRUE);
    auto PixelsAt = [&](BOOL bCustomize, std::vector<COLORREF>& out) {
        pBars->SetCustomizeMode(bCustomize);
        PrintedBar printed(f.bar);
        out = {printed.Pixel(302, 15), printed.Pixel(300, 4), printed.Pixel(305, 25), printed.Pixel(300, 15)};
        pBars->SetCustomizeMode(FALSE);
    };
    std::vector<COLORREF> plain, marked;
    PixelsAt(FALSE, plain);
    PixelsAt(TRUE, marked);
    // The stem and both bars of the I-beam change the picture; beside the stem it stays.
    EXPECT_NE(marked[0], plain[0]);
    EXPECT_NE(marked[1], plain[1]);
    EXPECT_NE(marked[2], plain[2]);
    EXPECT_EQ(marked[3], plain[3]);
    f.bar.SetCommandBars(nullptr);
    pBars->InternalRelease();
}

TEST(BarWindow, KeysOfATrackingBarAreOfferedToTheSite)
{
    struct Case
    {
        const char* name;
        BOOL bTracking;
        UINT message;
        LRESULT answer;
        int nResult;
        int nAsked;
    } cases[] = {
        // The site hears of every key the tracking bar gets; its answer is a notice only, and the
        // bar then moves on the arrow itself (eaten).
        {"site answers 1", TRUE, WM_KEYDOWN, 1, 1, 1},
        {"site answers 0", TRUE, WM_KEYDOWN, 0, 1, 1},
        {"key release", TRUE, WM_KEYUP, 1, 0, 0},
        {"not tracking", FALSE, WM_KEYDOWN, 1, 0, 0},
    };
    for (const Case& c : cases)
    {
        cb_bar_test::BarFixture f;
        f.frame.rec.m_answers[XTP_WM_TRACKINGKEY] = c.answer;
        if (c.bTracking)
            f.bar.SetTrackingMode(1, FALSE, TRUE);
        WPARAM wParam = VK_DOWN;
        LPARAM lParam = 0;
        LRESULT lResult = 0;
        EXPECT_EQ(f.bar.OnHookMessage(f.bar.m_hWnd, c.message, wParam, lParam, lResult), c.nResult) << c.name;
        EXPECT_EQ(f.frame.rec.Count(XTP_WM_TRACKINGKEY), c.nAsked) << c.name;
        if (c.nAsked)
        {
            EXPECT_EQ(f.frame.rec.Last(XTP_WM_TRACKINGKEY)->lParam,
                      reinterpret_cast<LPARAM>(static_cast<CXTPCommandBar*>(&f.bar)))
                << c.name;
        }
        f.bar.SetTrackingMode(0);
    }
}

TEST(BarWindow, LoadToolBarBuildsButtonsFromTheLayoutResource)
{
    struct Case
    {
        const char* name;
        UINT nId;
        BOOL bIcons;
        BOOL bResult;
        std::vector<int> ids;
        std::vector<BOOL> groups;
    } cases[] = {
        {"separator between two buttons", 7100, FALSE, TRUE, {100, 101}, {FALSE, TRUE}},
        {"leading separator and a group", 7102, FALSE, TRUE, {200, 201, 202}, {TRUE, FALSE, TRUE}},
        {"shorter than its count: refused", 7101, FALSE, FALSE, {}, {}},
        {"low word 0: refused", 0x10000, FALSE, FALSE, {}, {}},
        {"no such resource", 7199, FALSE, FALSE, {}, {}},
        // No bitmap 7100 exists: the buttons stay but the load reports the failure.
        {"icons missing", 7100, TRUE, FALSE, {100, 101}, {FALSE, TRUE}},
    };
    for (const Case& c : cases)
    {
        cb_bar_test::BarFixture f; // starts with three buttons, which every load removes first
        EXPECT_EQ(f.bar.LoadToolBar(c.nId, c.bIcons), c.bResult) << c.name;
        ASSERT_EQ(f.bar.GetControlCount(), static_cast<int>(c.ids.size())) << c.name;
        for (size_t i = 0; i < c.ids.size(); ++i)
        {
            CXTPControl* p = f.bar.GetControl(static_cast<int>(i));
            EXPECT_EQ(p->GetID(), c.ids[i]) << c.name << " #" << i;
            EXPECT_EQ(p->GetBeginGroup(), c.groups[i]) << c.name << " #" << i;
        }
        // The site hears of each button made, before and after.
        EXPECT_EQ(f.frame.rec.Count(XTP_WM_CONTROL_CREATE), static_cast<int>(c.ids.size())) << c.name;
        EXPECT_EQ(f.frame.rec.Count(XTP_WM_CONTROL_CREATED), static_cast<int>(c.ids.size())) << c.name;
    }
}

TEST(BarWindow, OnlyAStandaloneBarThatIsNoPopupEnablesTheFrameworkTooltips)
{
    struct Case
    {
        const char* name;
        bool bManager;
        int nType;
        int nPosition;
        bool bEnabled;
    } const cases[] = {
        {"toolbar on its own", false, xtpBarTypeNormal, xtpBarTop, true},
        {"menu bar on its own", false, xtpBarTypeMenuBar, xtpBarTop, true},
        {"popup type on its own", false, xtpBarTypePopup, xtpBarTop, false},
        {"popup position on its own", false, xtpBarTypeNormal, xtpBarPopup, false},
        {"toolbar of a manager", true, xtpBarTypeNormal, xtpBarTop, false},
    };
    for (const Case& c : cases)
    {
        RecordingFrame frame;
        ASSERT_TRUE(frame.CreateAt(RECT{60, 60, 460, 260})) << c.name;
        CXTPCommandBars* pManager = c.bManager ? new CXTPCommandBars() : nullptr;
        {
            RowBar bar;
            bar.SetCommandBars(pManager);
            bar.SetType(c.nType);
            bar.SetPosition(c.nPosition);
            EXPECT_EQ(bar.m_nFlags & WF_TOOLTIPS, 0u) << c.name;
            ASSERT_TRUE(bar.CreateIn(frame.m_hWnd, RECT{0, 0, 300, 24})) << c.name;
            EXPECT_EQ((bar.m_nFlags & WF_TOOLTIPS) != 0, c.bEnabled) << c.name;
            bar.DestroyWindow();
        }
        if (pManager)
            pManager->InternalRelease();
        frame.DestroyWindow();
    }
}
