// The toolbar: loading from layout resources, its position, the floating and docked layouts with
// the close button and the expand reservation, tooltips, the "Add or Remove Buttons" entries and
// reset.
#include "ToolBarSupport.h"
#include "CommandBarNavigationSupport.h"

#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/docking/XTPDockContext.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"
#include "toolkit/common/tooltips/XTPToolTipContextToolTip.h"

#include <gtest/gtest.h>

#include <algorithm>

using tb_test::DockingOnFrame;
using tb_test::ProbeToolBar;
using tb_test::ResetQuestionProbe;

namespace
{
class ToolBarOnFrame : public DockingOnFrame
{
};

// The largest right edge of the visible controls other than the auxiliary ones.
int VisibleControlsRight(CXTPToolBar* pBar)
{
    int nRight = 0;
    for (int i = 0; i < pBar->GetControlCount(); ++i)
    {
        CXTPControl* p = pBar->GetControl(i);
        if (p->IsVisible() && p->GetID() != ID_TK_TOOLBAR_EXPAND && p->GetID() != ID_TK_TOOLBAR_HIDE)
            nRight = std::max<int>(nRight, p->GetRect().right);
    }
    return nRight;
}

// A button whose popup always opens.
class OpeningButton : public CXTPControlButton
{
public:
    BOOL SetPopup(BOOL) override { return TRUE; }
};
} // namespace

TEST_F(ToolBarOnFrame, WindowClassAndDefaults)
{
    CXTPToolBar* pBar = AddToolBar("Standard", {100, 101});
    ASSERT_NE(pBar, nullptr);
    char szClass[64] = {};
    ::GetClassNameA(pBar->GetSafeHwnd(), szClass, sizeof(szClass));
    EXPECT_STREQ(szClass, "XTPToolBar");
    EXPECT_TRUE(::GetClassLongA(pBar->GetSafeHwnd(), GCL_STYLE) & CS_DBLCLKS);
    EXPECT_EQ(pBar->GetFlags(), 0x3Fu);
    EXPECT_TRUE(pBar->IsBuiltIn());
    EXPECT_TRUE(pBar->IsCloseable());
    EXPECT_TRUE(pBar->IsVisible());
    EXPECT_NE(pBar->GetDockContext(), nullptr);
    // Docked at the top as a child of the top dock bar.
    EXPECT_EQ(pBar->GetDockBar(), bars->GetDockBar(xtpBarTop));
    EXPECT_EQ(::GetParent(pBar->GetSafeHwnd()), bars->GetDockBar(xtpBarTop)->GetSafeHwnd());
    EXPECT_EQ(pBar->GetPosition(), xtpBarTop);
}

TEST_F(ToolBarOnFrame, LoadToolBarBuildsGroupsAndKeepsTheOriginals)
{
    CXTPToolBar* pBar = AddToolBar("Standard", {});
    ASSERT_NE(pBar, nullptr);
    // Layout 7100: ids 100, 0, 101 (no bitmap: loaded without icons).
    EXPECT_TRUE(pBar->LoadToolBar(7100, FALSE));
    ASSERT_EQ(pBar->GetControlCount(), 2);
    EXPECT_EQ(pBar->GetControl(0)->GetID(), 100);
    EXPECT_FALSE(pBar->GetControl(0)->GetBeginGroup());
    EXPECT_EQ(pBar->GetControl(1)->GetID(), 101);
    EXPECT_TRUE(pBar->GetControl(1)->GetBeginGroup());
    EXPECT_EQ(pBar->GetResourceID(), 7100u);
    ASSERT_NE(pBar->GetControls()->GetOriginalControls(), nullptr);
    EXPECT_EQ(pBar->GetControls()->GetOriginalControls()->GetCount(), 2);
    EXPECT_FALSE(pBar->IsChanged());
    pBar->GetControls()->Remove(pBar->GetControl(0));
    EXPECT_TRUE(pBar->IsChanged());
}

TEST_F(ToolBarOnFrame, LoadedIconWidthDecidesTheOwnIconSize)
{
    struct Case
    {
        const char* name;
        UINT nId;
        BOOL bIcons;
        CSize szOwn;
    } const cases[] = {
        {"24-pixel bitmap", 7103, TRUE, CSize(24, 24)},
        {"16-pixel bitmap", 7104, TRUE, CSize(0, 0)},
        {"24-pixel layout without icons", 7103, FALSE, CSize(0, 0)},
    };
    for (const Case& c : cases)
    {
        ProbeToolBar* pBar =
            static_cast<ProbeToolBar*>(AddToolBar(c.name, {}, xtpBarTop, RUNTIME_CLASS(ProbeToolBar)));
        ASSERT_NE(pBar, nullptr) << c.name;
        EXPECT_TRUE(pBar->LoadToolBar(c.nId, c.bIcons)) << c.name;
        EXPECT_EQ(pBar->GetControlCount(), 2) << c.name;
        EXPECT_EQ(pBar->OwnIconSize(), c.szOwn) << c.name;
    }
}

TEST_F(ToolBarOnFrame, SetPositionDocksFloatsOrRefuses)
{
    CXTPToolBar* pBar = AddToolBar("Standard", {100, 101});
    ASSERT_NE(pBar, nullptr);
    struct Case
    {
        int nPosition;
        BOOL bResult;
        int nExpected; // the bar's position afterwards
    } const cases[] = {
        {xtpBarLeft, TRUE, xtpBarLeft},         {xtpBarBottom, TRUE, xtpBarBottom}, {xtpBarFloating, TRUE, xtpBarFloating},
        {xtpBarPopup, FALSE, xtpBarFloating},   {7, FALSE, xtpBarFloating},         {xtpBarRight, TRUE, xtpBarRight},
        {xtpBarTop, TRUE, xtpBarTop},           {-1, FALSE, xtpBarTop},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(pBar->SetPosition(c.nPosition), c.bResult) << c.nPosition;
        EXPECT_EQ(pBar->GetPosition(), c.nExpected) << c.nPosition;
        const BOOL bFloating = c.nExpected == xtpBarFloating;
        EXPECT_EQ(pBar->GetDockBar(), bFloating ? nullptr : bars->GetDockBar(c.nExpected)) << c.nPosition;
        const LONG_PTR style = ::GetWindowLongPtrA(pBar->GetSafeHwnd(), GWL_STYLE);
        EXPECT_EQ((style & WS_POPUP) != 0, bFloating) << c.nPosition;
        if (bFloating)
        {
            EXPECT_EQ(::GetWindow(pBar->GetSafeHwnd(), GW_OWNER), frame.GetSafeHwnd()) << c.nPosition;
        }
        // A bar lies in one dock bar at most.
        int nHolders = 0;
        for (int i = 0; i < 4; ++i)
            nHolders += bars->GetDockBar(i)->FindBar(pBar) >= 0 ? 1 : 0;
        EXPECT_EQ(nHolders, bFloating ? 0 : 1) << c.nPosition;
    }
    // Without a manager nothing moves.
    ProbeToolBar loose;
    EXPECT_FALSE(loose.SetPosition(xtpBarTop));
    EXPECT_FALSE(loose.SetPosition(xtpBarFloating));
}

TEST_F(ToolBarOnFrame, FloatingBarKeepsItsCloseButtonInTheTopRightCorner)
{
    CXTPToolBar* pBar = AddToolBar("Floating", {100, 101, 102}, xtpBarFloating);
    ASSERT_NE(pBar, nullptr);
    pBar->OnRecalcLayout(); // the buttons came after the window: size it again
    const CSize sz = pBar->CalcDynamicLayout(-1, LM_COMMIT | LM_MRUWIDTH | LM_HORZ);
    CXTPControl* pHide = pBar->FindHideControl();
    ASSERT_NE(pHide, nullptr);
    EXPECT_TRUE(pHide->IsTemporary());
    EXPECT_TRUE(pHide->IsVisible());
    EXPECT_STREQ(pHide->GetTooltip(), "Close Toolbar");
    EXPECT_EQ(pHide->GetFlags(), 26);
    const CRect rc = pHide->GetRect();
    const int h = rc.Height();
    EXPECT_GE(h, 15); // the caption is at least 15 pixels high
    EXPECT_EQ(rc, CRect(sz.cx - 3 - h, 3, sz.cx - 3, h + 3));
    // The buttons lie below the caption strip.
    for (int i = 0; i < 3; ++i)
        EXPECT_GE(pBar->GetControl(i)->GetRect().top, h + 4) << i;
    // The window took the size (the floating bar laid itself out).
    CRect rcWindow;
    ::GetWindowRect(pBar->GetSafeHwnd(), &rcWindow);
    EXPECT_EQ(rcWindow.Size(), sz);

    // A bar that may not be closed has no close button.
    pBar->SetCloseable(FALSE);
    pBar->GetControls()->Remove(pHide);
    pBar->CalcDynamicLayout(-1, LM_COMMIT | LM_MRUWIDTH | LM_HORZ);
    EXPECT_EQ(pBar->FindHideControl(), nullptr);
}

TEST_F(ToolBarOnFrame, DockedBarReservesExpandRoomOnlyWhenAskedOrNeeded)
{
    CXTPToolBar* pBar = AddToolBar("Standard", {100, 101, 102, 103});
    ASSERT_NE(pBar, nullptr);
    CXTPCommandBarsOptions* pOptions = bars->GetCommandBarsOptions();
    const DWORD dwHorz = LM_HORZ | LM_HORZDOCK;
    pBar->ShowExpandButton(FALSE);
    const int nPlain = pBar->CalcDockingLayout(32767, dwHorz).cx;
    const int nPlainVert = pBar->CalcDockingLayout(32767, LM_VERTDOCK).cy;
    pBar->ShowExpandButton(TRUE);

    struct Case
    {
        const char* name;
        BOOL bAlways;
        DWORD dwMode;
        int nExtraAlong;
    } const cases[] = {
        {"always shown, measured", TRUE, dwHorz, 11},
        {"always shown, committed", TRUE, dwHorz | LM_COMMIT, 11},
        {"not always, all fit, measured", FALSE, dwHorz, 0},
        {"not always, all fit, committed", FALSE, dwHorz | LM_COMMIT, 0},
    };
    for (const Case& c : cases)
    {
        pOptions->bShowExpandButtonAlways = c.bAlways;
        EXPECT_EQ(pBar->CalcDockingLayout(32767, c.dwMode).cx, nPlain + c.nExtraAlong) << c.name;
    }
    // A vertical bar keeps its room at the bottom.
    pOptions->bShowExpandButtonAlways = TRUE;
    EXPECT_EQ(pBar->CalcDockingLayout(32767, LM_VERTDOCK).cy, nPlainVert + 11);

    // Not always shown, but controls pushed out on commit: the room is kept after the controls.
    pOptions->bShowExpandButtonAlways = FALSE;
    const int nShort = nPlain / 2;
    const CSize sz = pBar->CalcDockingLayout(nShort, dwHorz | LM_COMMIT | 0x80);
    EXPECT_TRUE(pBar->HasPushedOutControls());
    EXPECT_LE(VisibleControlsRight(pBar) + 11, sz.cx);
}

TEST_F(ToolBarOnFrame, TooltipsTakeTheShortcutUnlessMarkupAndNeverOverAnOpenPopup)
{
    CXTPToolBar* pBar = AddToolBar("Standard", {100, 101, 102});
    ASSERT_NE(pBar, nullptr);
    Layout();
    pBar->GetControl(0)->SetTooltip("Save");
    pBar->GetControl(0)->SetShortcutText("Ctrl+S");
    pBar->GetControl(1)->SetTooltip("<b>Bold</b>");
    pBar->GetControl(1)->SetShortcutText("Ctrl+B");
    pBar->GetControl(2)->SetTooltip("");
    CXTPCommandBarsOptions* pOptions = bars->GetCommandBarsOptions();

    struct Case
    {
        const char* name;
        BOOL bAccel;
        BOOL bScreenTips;
        int nControl;
        INT_PTR nHit;
        const char* text;
    } const cases[] = {
        {"shortcut appended", TRUE, TRUE, 0, 100, "Save (Ctrl+S)"},
        {"shortcuts off", FALSE, TRUE, 0, 100, "Save"},
        {"markup keeps its text", TRUE, TRUE, 1, 101, "<b>Bold</b>"},
        {"empty tip", TRUE, TRUE, 2, -1, nullptr},
        {"screen tips off", TRUE, FALSE, 0, -1, nullptr},
    };
    for (const Case& c : cases)
    {
        pOptions->bToolBarAccelTips = c.bAccel;
        pOptions->bToolBarScreenTips = c.bScreenTips;
        TOOLINFOA ti = {};
        ti.cbSize = sizeof(ti);
        const CPoint pt = pBar->GetControl(c.nControl)->GetRect().CenterPoint();
        EXPECT_EQ(pBar->OnToolHitTest(pt, &ti), c.nHit) << c.name;
        if (c.text)
        {
            ASSERT_NE(ti.lpszText, nullptr) << c.name;
            EXPECT_STREQ(ti.lpszText, c.text) << c.name;
            EXPECT_EQ(ti.hwnd, pBar->GetSafeHwnd()) << c.name;
        }
        CXTPToolTipContext::FreeToolInfo(&ti);
    }

    // While a control of the bar has its popup open, no control gives a tip.
    pOptions->bToolBarAccelTips = TRUE;
    pOptions->bToolBarScreenTips = TRUE;
    CXTPControl* pOpener = pBar->GetControls()->Add(new OpeningButton(), 200);
    pOpener->SetTooltip("Opens");
    Layout();
    const CPoint ptSave = pBar->GetControl(0)->GetRect().CenterPoint();
    ASSERT_TRUE(pBar->SetPopupControl(pOpener->GetIndex()));
    ASSERT_EQ(pBar->GetPopped(), pOpener->GetIndex());
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(pBar->OnToolHitTest(ptSave, &ti), -1);
    CXTPToolTipContext::FreeToolInfo(&ti);
    pBar->SetTrackingMode(FALSE);
    ASSERT_EQ(pBar->GetPopped(), -1);
    EXPECT_EQ(pBar->OnToolHitTest(ptSave, &ti), 100);
    CXTPToolTipContext::FreeToolInfo(&ti);
}

namespace
{
POINT g_tipCursor = {};
BOOL TipCursor(POINT* pt)
{
    *pt = g_tipCursor;
    return TRUE;
}
} // namespace

// A mouse move that reaches the bar window (sent, as a relay would) registers the control under it with the
// manager's tooltip window, which shows the tip once the pointer has rested there for the initial delay.
TEST_F(ToolBarOnFrame, AMouseMoveOverAButtonShowsItsTipAfterTheDelay)
{
    CXTPToolBar* pBar = AddToolBar("Standard", {100, 101, 102});
    ASSERT_NE(pBar, nullptr);
    Layout();
    pBar->GetControl(1)->SetTooltip("Bold");
    CXTPToolTipContext* pContext = bars->GetToolTipContext();
    ASSERT_NE(pContext, nullptr);
    pContext->SetStyle(xtpToolTipResource);
    pContext->SetDelayTime(TTDT_INITIAL, 20);
    frame.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(frame.GetSafeHwnd());
    ::SetActiveWindow(frame.GetSafeHwnd());
    ASSERT_EQ(::GetActiveWindow(), frame.GetSafeHwnd());

    const CPoint pt = pBar->GetControl(1)->GetRect().CenterPoint();
    g_tipCursor = pt;
    ::ClientToScreen(pBar->GetSafeHwnd(), &g_tipCursor);
    CXTPToolTipContextToolTip::SetCursorPosProvider(TipCursor);
    pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));

    CXTPToolTipContextToolTip* pTip = dynamic_cast<CXTPToolTipContextToolTip*>(pContext->GetToolTip());
    ASSERT_NE(pTip, nullptr) << "no tooltip window";
    ASSERT_EQ(pTip->GetToolCount(), 1);
    EXPECT_EQ(pTip->GetTool(0)->uId, 101u);
    EXPECT_EQ(pTip->GetTool(0)->hWnd, pBar->GetSafeHwnd());
    EXPECT_TRUE(pTip->IsActive());
    const DWORD dwEnd = ::GetTickCount() + 3000;
    while (!pTip->GetShownTool() && ::GetTickCount() < dwEnd)
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::Sleep(5);
    }
    EXPECT_NE(pTip->GetShownTool(), nullptr) << "the tip did not show";
    EXPECT_TRUE(::IsWindowVisible(pTip->GetSafeHwnd()));
    char text[64] = {};
    ::GetWindowTextA(pTip->GetSafeHwnd(), text, sizeof text);
    EXPECT_NE(strstr(text, "Bold"), nullptr) << text;
    CXTPToolTipContextToolTip::SetCursorPosProvider(nullptr);
}

TEST_F(ToolBarOnFrame, AddOrRemoveEntriesToggleTheUserHideBit)
{
    CXTPToolBar* pBar = AddToolBar("Standard", {});
    ASSERT_NE(pBar, nullptr);
    ASSERT_TRUE(pBar->LoadToolBar(7100, FALSE)); // originals 100, 101
    // The user took 101 off earlier; a control that is not an original was added.
    pBar->GetControls()->Remove(pBar->GetControl(1));
    pBar->GetControls()->Add(new CXTPControlButton(), 555);

    CXTPCommandBar list;
    pBar->FillAddRemoveButtonsPopup(&list);
    // 101 is back in the bar, after 100, hidden by the user.
    ASSERT_EQ(pBar->GetControlCount(), 3);
    EXPECT_EQ(pBar->GetControl(1)->GetID(), 101);
    EXPECT_EQ(pBar->GetControl(1)->GetHideFlags(), xtpHideCustomize);
    EXPECT_EQ(pBar->GetControl(2)->GetID(), 555);

    struct Entry
    {
        int nId;
        BOOL bEnabled;
        BOOL bChecked;
    } const expected[] = {{100, TRUE, TRUE}, {101, TRUE, FALSE}, {555, FALSE, TRUE}, {ID_TK_RESET_TOOLBAR, TRUE, FALSE}};
    ASSERT_EQ(list.GetControlCount(), 4);
    for (int i = 0; i < 4; ++i)
    {
        CXTPControl* p = list.GetControl(i);
        EXPECT_EQ(p->GetID(), expected[i].nId) << i;
        EXPECT_EQ(p->GetEnabled(), expected[i].bEnabled) << i;
        EXPECT_EQ(p->GetChecked(), expected[i].bChecked) << i;
        EXPECT_TRUE(p->IsTemporary()) << i;
    }
    EXPECT_TRUE(list.GetControl(3)->GetBeginGroup());

    // Executing an entry flips the control's bit 0x10 and its own check, and marks the layout.
    bars->GetCommandBarsOptions()->bDirtyState = FALSE;
    list.GetControl(0)->OnExecute();
    EXPECT_EQ(pBar->GetControl(0)->GetHideFlags() & xtpHideCustomize, xtpHideCustomize);
    EXPECT_FALSE(list.GetControl(0)->GetChecked());
    EXPECT_TRUE(bars->GetCommandBarsOptions()->bDirtyState);
    list.GetControl(1)->OnExecute();
    EXPECT_EQ(pBar->GetControl(1)->GetHideFlags(), 0);
    EXPECT_TRUE(list.GetControl(1)->GetChecked());
    list.GetControls()->RemoveAll();

    // A bar made by the user gets no reset entry.
    pBar->SetBuiltIn(FALSE);
    CXTPCommandBar list2;
    pBar->FillAddRemoveButtonsPopup(&list2);
    for (int i = 0; i < list2.GetControlCount(); ++i)
        EXPECT_NE(list2.GetControl(i)->GetID(), ID_TK_RESET_TOOLBAR) << i;
    list2.GetControls()->RemoveAll();
}

TEST_F(ToolBarOnFrame, ResetAsksOnlyForBuiltInBarsWithAResource)
{
    struct Case
    {
        const char* name;
        BOOL bBuiltIn;
        BOOL bFromResource;
        int nAnswer;
        int nAsked;
        BOOL bRestored;
    } const cases[] = {
        {"built-in, answered OK", TRUE, TRUE, IDOK, 1, TRUE},
        {"built-in, cancelled", TRUE, TRUE, IDCANCEL, 1, FALSE},
        {"made by the user", FALSE, TRUE, IDOK, 0, FALSE},
        {"no resource id", TRUE, FALSE, IDOK, 0, FALSE},
    };
    for (const Case& c : cases)
    {
        CXTPToolBar* pBar = AddToolBar("Formatting", {});
        ASSERT_NE(pBar, nullptr) << c.name;
        if (c.bFromResource)
            ASSERT_TRUE(pBar->LoadToolBar(7100, FALSE)) << c.name;
        else
        {
            const UINT ids[] = {100, 0, 101};
            pBar->SetButtons(ids, 3);
            pBar->GetControls()->CreateOriginalControls();
        }
        pBar->SetBuiltIn(c.bBuiltIn);
        pBar->GetControls()->Remove(pBar->GetControl(0)); // a change to undo
        const int nResets = frame.Count(XTP_WM_TOOLBARRESET);
        ResetQuestionProbe probe(c.nAnswer);
        pBar->Reset(TRUE);
        EXPECT_EQ(ResetQuestionProbe::s_nAsked, c.nAsked) << c.name;
        if (c.nAsked)
        {
            EXPECT_STREQ(ResetQuestionProbe::s_strText,
                         "Are you sure you want to reset the changes made to the 'Formatting' toolbar?")
                << c.name;
            EXPECT_EQ(ResetQuestionProbe::s_nType, static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION)) << c.name;
        }
        int nOwn = 0; // the bar's own controls, without its expand button
        for (int i = 0; i < pBar->GetControlCount(); ++i)
            nOwn += pBar->GetControl(i)->IsTemporary() ? 0 : 1;
        EXPECT_EQ(nOwn, c.bRestored ? 2 : 1) << c.name;
        EXPECT_EQ(frame.Count(XTP_WM_TOOLBARRESET) - nResets, c.bRestored ? 1 : 0) << c.name;
        if (c.bRestored)
        {
            EXPECT_EQ(pBar->GetControl(0)->GetID(), 100) << c.name;
            EXPECT_TRUE(pBar->GetControl(1)->GetBeginGroup()) << c.name;
            EXPECT_FALSE(pBar->IsChanged()) << c.name;
        }
    }
}

TEST_F(ToolBarOnFrame, HidingTellsTheSiteAndRemovesBarsMadeToGo)
{
    CXTPToolBar* pBar = AddToolBar("Standard", {100});
    ASSERT_NE(pBar, nullptr);
    pBar->SetVisible(FALSE);
    EXPECT_FALSE(pBar->IsVisible());
    EXPECT_FALSE(::IsWindowVisible(pBar->GetSafeHwnd()));
    const mgr_test::SiteMessage* pMsg = frame.Last(XTP_WM_TOOLBARVISIBLECHANGED);
    ASSERT_NE(pMsg, nullptr);
    EXPECT_EQ(pMsg->wParam, reinterpret_cast<WPARAM>(pBar));
    EXPECT_EQ(pMsg->lParam, 0);
    // Unchanged: nothing is sent.
    const int nSent = frame.Count(XTP_WM_TOOLBARVISIBLECHANGED);
    pBar->SetVisible(FALSE);
    EXPECT_EQ(frame.Count(XTP_WM_TOOLBARVISIBLECHANGED), nSent);
    pBar->SetVisible(TRUE);
    EXPECT_TRUE(::IsWindowVisible(pBar->GetSafeHwnd()));

    // The close button of a bar that goes when hidden takes it out of the manager.
    CXTPToolBar* pCustom = bars->AddCustomBar("Mine", 0x7001, TRUE);
    ASSERT_NE(pCustom, nullptr);
    pCustom->SetRemovedWhenHidden(TRUE);
    const int nCount = bars->GetCount();
    pCustom->CalcDynamicLayout(-1, LM_COMMIT | LM_MRUWIDTH | LM_HORZ);
    ASSERT_NE(pCustom->FindHideControl(), nullptr);
    pCustom->FindHideControl()->OnExecute();
    EXPECT_EQ(bars->GetCount(), nCount - 1);
    EXPECT_EQ(bars->IndexOf(pCustom), -1);
}

TEST_F(ToolBarOnFrame, ExpandButtonOpensThePushedOutControlsAndTheRowEntries)
{
    std::vector<UINT> ids;
    for (UINT id = 100; id < 130; ++id)
        ids.push_back(id);
    CXTPToolBar* pBar = AddToolBar("Standard", ids);
    ASSERT_NE(pBar, nullptr);
    Layout(); // 30 buttons do not fit in 400 pixels

    CXTPControl* pExpand = pBar->FindExpandControl();
    ASSERT_NE(pExpand, nullptr);
    EXPECT_EQ(pExpand->GetType(), xtpControlButtonPopup);
    EXPECT_STREQ(pExpand->GetTooltip(), "Toolbar Options");
    EXPECT_EQ(pExpand->GetFlags(), 28);
    EXPECT_TRUE(pExpand->IsTemporary());
    EXPECT_TRUE(pExpand->IsVisible());
    auto* pExpandButton = dynamic_cast<CXTPToolBar::CControlButtonExpand*>(pExpand);
    ASSERT_NE(pExpandButton, nullptr);
    EXPECT_TRUE(pExpandButton->HasHiddenControls());
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    EXPECT_EQ(pExpand->GetRect().right, rcClient.right - 2);
    EXPECT_EQ(pExpand->GetRect().Width(), 11);

    std::vector<int> pushedOut;
    for (int i = 0; i < pBar->GetControlCount(); ++i)
    {
        if (pBar->GetControl(i)->GetHideFlags() == xtpHideWrap)
            pushedOut.push_back(pBar->GetControl(i)->GetID());
    }
    ASSERT_FALSE(pushedOut.empty());

    ASSERT_TRUE(pBar->SetPopupControl(pExpand->GetIndex()));
    CXTPCommandBar* pPopup = pExpand->GetCommandBar();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_NE(dynamic_cast<CXTPPopupToolBar*>(pPopup), nullptr);
    EXPECT_TRUE(::IsWindowVisible(pPopup->GetSafeHwnd()));
    ASSERT_EQ(pPopup->GetControlCount(), static_cast<int>(pushedOut.size()) + 1);
    for (size_t i = 0; i < pushedOut.size(); ++i)
    {
        EXPECT_EQ(pPopup->GetControl(static_cast<int>(i))->GetID(), pushedOut[i]) << i;
        EXPECT_EQ(pPopup->GetControl(static_cast<int>(i))->GetHideFlags(), 0) << i;
    }
    CXTPControl* pAddRemove = pPopup->GetControl(static_cast<int>(pushedOut.size()));
    EXPECT_EQ(pAddRemove->GetID(), ID_TK_ADD_OR_REMOVE_BUTTONS);
    EXPECT_STREQ(pAddRemove->GetCaption(), "&Add or Remove Buttons");
    EXPECT_TRUE(pAddRemove->GetBeginGroup());
    CXTPCommandBar* pEntries = pAddRemove->GetCommandBar();
    ASSERT_NE(pEntries, nullptr);
    // One check entry for the only toolbar of the row; the manager is not customisable here.
    ASSERT_EQ(pEntries->GetControlCount(), 1);
    EXPECT_STREQ(pEntries->GetControl(0)->GetCaption(), "Standard");
    EXPECT_TRUE(pEntries->GetControl(0)->GetChecked());
    EXPECT_EQ(pEntries->GetControl(0)->GetType(), xtpControlPopup);

    pBar->SetTrackingMode(FALSE);
    EXPECT_FALSE(::IsWindowVisible(pPopup->GetSafeHwnd()));
}

TEST_F(ToolBarOnFrame, FloatingWindowAnswersItsEdgesAndTheFramesNotices)
{
    CXTPToolBar* pBar = AddToolBar("Floating", {100, 101, 102}, xtpBarFloating);
    ASSERT_NE(pBar, nullptr);
    pBar->OnRecalcLayout();
    HWND hWnd = pBar->GetSafeHwnd();
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    const CPoint mid = rc.CenterPoint();
    auto HitAt = [hWnd](int x, int y) { return ::SendMessageA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    struct Case
    {
        const char* name;
        CPoint pt;
        LRESULT nHit;
    } const cases[] = {
        {"top edge", CPoint(mid.x, rc.top + 2), HTTOP},
        {"bottom edge", CPoint(mid.x, rc.bottom - 3), HTBOTTOM},
        {"left edge", CPoint(rc.left + 2, mid.y), HTLEFT},
        {"right edge", CPoint(rc.right - 3, mid.y), HTRIGHT},
        {"top-left corner: top first", CPoint(rc.left, rc.top), HTTOP},
        {"inside the border", CPoint(rc.left + 3, mid.y), HTCLIENT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HitAt(c.pt.x, c.pt.y), c.nHit) << c.name;

    // The frame's floating-status notices.
    EXPECT_NE(::SendMessageA(hWnd, WM_FLOATSTATUS, FS_SYNCACTIVE, 0), 0);
    EXPECT_EQ(::SendMessageA(hWnd, WM_FLOATSTATUS, FS_SHOW, 0), 0);
    ::SendMessageA(hWnd, WM_FLOATSTATUS, FS_HIDE, 0);
    EXPECT_FALSE(::IsWindowVisible(hWnd));
    ::SendMessageA(hWnd, WM_FLOATSTATUS, FS_SHOW, 0);
    EXPECT_TRUE(::IsWindowVisible(hWnd));
    ::SendMessageA(hWnd, WM_FLOATSTATUS, FS_DISABLE, 0);
    EXPECT_FALSE(::IsWindowEnabled(hWnd));
    ::SendMessageA(hWnd, WM_FLOATSTATUS, FS_ENABLE, 0);
    EXPECT_TRUE(::IsWindowEnabled(hWnd));
    // Not synchronised: the notices leave the bar alone.
    bars->GetCommandBarsOptions()->bSyncFloatingBars = FALSE;
    ::SendMessageA(hWnd, WM_FLOATSTATUS, FS_HIDE, 0);
    EXPECT_TRUE(::IsWindowVisible(hWnd));
    bars->GetCommandBarsOptions()->bSyncFloatingBars = TRUE;

    // A floating bar is never activated by a click; the system cannot close it.
    EXPECT_EQ(::SendMessageA(hWnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(frame.GetSafeHwnd()),
                             MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    ::SendMessageA(hWnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(hWnd));

    // A docked bar has no sizing edges.
    ASSERT_TRUE(pBar->SetPosition(xtpBarTop));
    Layout();
    ::GetWindowRect(hWnd, &rc);
    EXPECT_NE(HitAt(rc.left + 1, rc.CenterPoint().y), HTLEFT);
}

TEST_F(ToolBarOnFrame, ToggleDockingFloatsOnlyWhenAllowedAndDocksBackInPlace)
{
    CXTPToolBar* pA = AddToolBar("A", {100, 101});
    CXTPToolBar* pB = AddToolBar("B", {200, 201});
    ASSERT_TRUE(pA && pB);
    CXTPDockBar* pTop = bars->GetDockBar(xtpBarTop);
    Layout();
    const CRect rcDocked = DockingOnFrame::RectIn(pB->GetSafeHwnd(), pTop->GetSafeHwnd());
    CRect rcScreen;
    ::GetWindowRect(pB->GetSafeHwnd(), &rcScreen);

    // Double-click floating is off by default.
    EXPECT_FALSE(pB->GetDockContext()->ToggleDocking());
    EXPECT_EQ(pB->GetDockBar(), pTop);

    bars->GetCommandBarsOptions()->bDblClickFloat = TRUE;
    bars->GetCommandBarsOptions()->bDirtyState = FALSE;
    // A double click on empty space (the gripper strip) toggles.
    ::SendMessageA(pB->GetSafeHwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(pB->GetPosition(), xtpBarFloating);
    EXPECT_EQ(pB->GetDockBar(), nullptr);
    EXPECT_TRUE(bars->GetCommandBarsOptions()->bDirtyState);
    CXTPDockContext* pContext = pB->GetDockContext();
    EXPECT_EQ(pContext->GetDockBarIndex(), static_cast<UINT>(xtpBarTop));
    EXPECT_EQ(pContext->GetDockedRect(), rcDocked);
    EXPECT_EQ(pContext->GetFloatingPos(), rcScreen.TopLeft());
    CRect rcFloat;
    ::GetWindowRect(pB->GetSafeHwnd(), &rcFloat);
    EXPECT_EQ(rcFloat.TopLeft(), rcScreen.TopLeft());

    // Back into the top dock bar, at its old place (its own row below A).
    EXPECT_TRUE(pContext->ToggleDocking());
    EXPECT_EQ(pB->GetDockBar(), pTop);
    EXPECT_EQ(pB->GetPosition(), xtpBarTop);
    Layout();
    EXPECT_EQ(DockingOnFrame::RectIn(pB->GetSafeHwnd(), pTop->GetSafeHwnd()), rcDocked);

    // A bar that may not float stays.
    pB->ModifyFlags(0, xtpFlagFloating);
    EXPECT_FALSE(pContext->ToggleDocking());
    EXPECT_EQ(pB->GetDockBar(), pTop);
}

TEST_F(ToolBarOnFrame, CopyTakesTheToolbarStateAndTemporaryHidingRemembersIt)
{
    ProbeToolBar* pSource =
        static_cast<ProbeToolBar*>(AddToolBar("Source", {100, 0, 101}, xtpBarTop, RUNTIME_CLASS(ProbeToolBar)));
    ASSERT_NE(pSource, nullptr);
    pSource->SetBuiltIn(FALSE);
    pSource->SetRemovedWhenHidden(TRUE);
    pSource->SetCloseable(FALSE);
    CXTPCommandBar* pClone = pSource->Clone(FALSE);
    ASSERT_NE(pClone, nullptr);
    ProbeToolBar* pCopy = dynamic_cast<ProbeToolBar*>(pClone);
    ASSERT_NE(pCopy, nullptr); // the run-time class is kept
    EXPECT_FALSE(pCopy->IsBuiltIn());
    EXPECT_TRUE(pCopy->IsRemovedWhenHidden());
    EXPECT_FALSE(pCopy->IsCloseable());
    EXPECT_EQ(pCopy->GetControlCount(), 2);
    EXPECT_TRUE(pCopy->GetControl(1)->GetBeginGroup());
    pClone->InternalRelease();

    CXTPToolBar* pShown = AddToolBar("Shown", {100});
    CXTPToolBar* pHidden = AddToolBar("Hidden", {200});
    ASSERT_TRUE(pShown && pHidden);
    pHidden->SetVisible(FALSE);
    pShown->SetTemporarilyHidden(TRUE);
    pHidden->SetTemporarilyHidden(TRUE);
    EXPECT_FALSE(pShown->IsVisible());
    EXPECT_TRUE(pShown->IsTemporarilyHidden());
    pShown->SetTemporarilyHidden(FALSE);
    pHidden->SetTemporarilyHidden(FALSE);
    EXPECT_TRUE(pShown->IsVisible());
    EXPECT_FALSE(pHidden->IsVisible());
}

TEST_F(ToolBarOnFrame, RowEntriesOpenEachBarsListWhenTheManagerIsCustomisable)
{
    frame.m_handled.insert(35001); // the site offers the customise command
    bars->SetSite(&frame);
    ASSERT_TRUE(bars->IsCustomizable());
    CXTPToolBar* pA = AddToolBar("Bold & Italic", {});
    CXTPToolBar* pB = AddToolBar("Tables", {200, 201});
    ASSERT_TRUE(pA && pB);
    ASSERT_TRUE(pA->LoadToolBar(7100, FALSE));
    ASSERT_TRUE(DockAfter(pB, pA));

    CXTPCommandBar popup;
    bars->AddCustomizeEntries(pB, &popup);
    ASSERT_EQ(popup.GetControlCount(), 3);
    struct Entry
    {
        const char* caption;
        int nListCount; // controls of the bar's list: its controls and, with originals, the reset entry
    } const expected[] = {{"Bold && Italic", 3}, {"Tables", 2}};
    for (int i = 0; i < 2; ++i)
    {
        CXTPControl* p = popup.GetControl(i);
        EXPECT_EQ(p->GetType(), xtpControlPopup) << i;
        EXPECT_STREQ(p->GetCaption(), expected[i].caption) << i;
        EXPECT_TRUE(p->GetChecked()) << i;
        ASSERT_NE(p->GetCommandBar(), nullptr) << i;
        EXPECT_EQ(p->GetCommandBar()->GetControlCount(), expected[i].nListCount) << i;
    }
    EXPECT_EQ(popup.GetControl(2)->GetID(), ID_TK_CUSTOMIZE);
    EXPECT_TRUE(popup.GetControl(2)->GetBeginGroup());
    popup.GetControls()->RemoveAll();
}

TEST_F(ToolBarOnFrame, AddOrRemoveListKeepsTheSelectionOnItsControl)
{
    CXTPToolBar* pBar = AddToolBar("Standard", {});
    ASSERT_NE(pBar, nullptr);
    ASSERT_TRUE(pBar->LoadToolBar(7102, FALSE)); // 200, 201, 202
    pBar->GetControl(1)->SetHideFlags(xtpHideCustomize);
    pBar->SetSelected(2);
    ASSERT_EQ(pBar->GetSelected(), 2);
    CXTPCommandBar list;
    // 201 leaves the bar and comes back at its place: 202 stays the selected control.
    pBar->FillAddRemoveButtonsPopup(&list);
    ASSERT_EQ(pBar->GetControl(1)->GetID(), 201);
    EXPECT_EQ(pBar->GetSelected(), 2);
    EXPECT_EQ(pBar->GetControl(2)->GetID(), 202);
    list.GetControls()->RemoveAll();
    pBar->SetSelected(-1);
}

TEST_F(ToolBarOnFrame, CtrlTabTakesTheKeyboardToTheNextVisibleToolBar)
{
    CXTPToolBar* pFirst = AddToolBar("First", {100, 101});
    CXTPToolBar* pMiddle = AddToolBar("Middle", {200});
    CXTPToolBar* pThird = AddToolBar("Third", {300});
    ASSERT_TRUE(pFirst && pMiddle && pThird);
    pMiddle->SetVisible(FALSE);
    Layout();
    ASSERT_TRUE(pFirst->IsVisibleOnScreen());
    ASSERT_FALSE(pMiddle->IsVisibleOnScreen());
    ASSERT_TRUE(pThird->IsVisibleOnScreen());
    ASSERT_TRUE(bars->ActivateBarByKeyboard(pFirst, 0));

    struct Step
    {
        const char* name;
        bool bShift;
        bool bCtrl;
        CXTPToolBar* pTracking; // the bar tracking afterwards
        int nSelected;          // its hot control
    } const steps[] = {
        {"Tab moves along the bar", false, false, pFirst, 1},
        {"Ctrl+Tab passes the hidden bar", false, true, pThird, 0},
        {"Ctrl+Shift+Tab goes back past it", true, true, pFirst, 0},
        {"Ctrl+Shift+Tab wraps to the last", true, true, pThird, 0},
        {"Ctrl+Tab wraps to the first", false, true, pFirst, 0},
    };
    CXTPToolBar* pFrom = pFirst;
    for (const Step& step : steps)
    {
        cb_nav::ModifierState modifiers(step.bShift, step.bCtrl);
        WPARAM wParam = VK_TAB;
        LPARAM lParam = 1;
        LRESULT lResult = 0;
        EXPECT_EQ(pFrom->OnHookMessage(nullptr, WM_KEYDOWN, wParam, lParam, lResult), 1) << step.name;
        for (CXTPToolBar* pBar : {pFirst, pMiddle, pThird})
            EXPECT_EQ(pBar->IsTrackingMode(), pBar == step.pTracking) << step.name << ": " << pBar->GetTitle();
        EXPECT_EQ(step.pTracking->GetSelected(), step.nSelected) << step.name;
        pFrom = step.pTracking;
    }
    bars->EndAllTracking();
    EXPECT_FALSE(pFirst->IsTrackingMode());
}
