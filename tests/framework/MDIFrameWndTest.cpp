// CMDIFrameWnd and CMDIChildWnd over the system's MDI client: creation from resources, children
// and their activation, menu switches through the client, window commands, destruction; the
// mini frame that follows its owner's activation.
#include "framework/ControlBar.h"
#include "framework/MDIFrameWnd.h"
#include "framework/Menu.h"
#include "framework/MiniFrameWnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const UINT kFrameResource = 3100;
const UINT kSheetResource = 3200;

std::string ClassOf(HWND hWnd)
{
    char name[64] = {};
    ::GetClassNameA(hWnd, name, static_cast<int>(sizeof name));
    return name;
}

std::string TextOf(HWND hWnd)
{
    char text[128] = {};
    ::GetWindowTextA(hWnd, text, static_cast<int>(sizeof text));
    return text;
}

// Records the MDI messages that reach the client (as a window that hooks the client would).
class CClientSpy : public CWnd
{
public:
    struct Entry
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Entry> entries;
    UINT Count(UINT message) const
    {
        UINT n = 0;
        for (const Entry& e : entries)
            n += e.message == message ? 1 : 0;
        return n;
    }
    const Entry* Last(UINT message) const
    {
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        {
            if (it->message == message)
                return &*it;
        }
        return nullptr;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_MDICREATE && message <= WM_MDIREFRESHMENU)
            entries.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class MDIFrameWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.LoadFrame(kFrameResource, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        frame.SetWindowPos(nullptr, 0, 0, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE);
        sheetMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kSheetResource));
        ASSERT_NE(sheetMenu, nullptr);
        ASSERT_NE(frame.m_hWndMDIClient, nullptr);
        ASSERT_TRUE(spy.SubclassWindow(frame.m_hWndMDIClient));
    }
    void TearDown() override
    {
        if (frame.m_hWnd)
            frame.DestroyWindow();
        if (::IsMenu(sheetMenu))
            ::DestroyMenu(sheetMenu);
    }
    // Creates a child showing the sheet menu.
    bool MakeChild(CMDIChildWnd& child, LPCSTR title)
    {
        child.SetHandles(sheetMenu, nullptr);
        return child.Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150),
                            &frame) != FALSE;
    }

    CMDIFrameWnd frame;
    CClientSpy spy;
    HMENU sheetMenu = nullptr;
};
} // namespace

TEST_F(MDIFrameWndTest, LoadFrameMakesTheClientFromTheResource)
{
    EXPECT_EQ(ClassOf(frame.m_hWndMDIClient), "MDIClient");
    EXPECT_EQ(::GetDlgCtrlID(frame.m_hWndMDIClient), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(frame.m_nIDHelp, kFrameResource);
    EXPECT_EQ(TextOf(frame.m_hWnd), "Test Frame");
    EXPECT_TRUE(frame.m_nFrameFlags & FS_MENULOADED);
    EXPECT_EQ(::GetMenu(frame.m_hWnd), frame.m_hMenuDefault);
    // The popup holding the window commands is the client's window menu.
    HMENU hWindowMenu = CMDIFrameWnd::FindWindowMenuPopup(frame.m_hMenuDefault);
    EXPECT_EQ(hWindowMenu, ::GetSubMenu(frame.m_hMenuDefault, 1));
    EXPECT_EQ(CMDIFrameWnd::FindWindowMenuPopup(nullptr), nullptr);
    EXPECT_EQ(frame.MDIGetActive(), nullptr);
    EXPECT_EQ(frame.GetActiveFrame(), &frame);
}

TEST_F(MDIFrameWndTest, ActivationAndMenusFollowTwoChildren)
{
    CMDIChildWnd first, second;
    ASSERT_TRUE(MakeChild(first, "first"));
    EXPECT_EQ(ClassOf(first.m_hWnd), "QvxMDIChild");
    EXPECT_EQ(::GetParent(first.m_hWnd), frame.m_hWndMDIClient);
    EXPECT_EQ(first.GetMDIFrame(), &frame);
    EXPECT_EQ(first.GetParentFrame(), &frame);
    EXPECT_EQ(frame.MDIGetActive(), &first);
    EXPECT_EQ(::GetMenu(frame.m_hWnd), sheetMenu); // the child's menu is shown ...
    const CClientSpy::Entry* pSetMenu = spy.Last(WM_MDISETMENU);
    ASSERT_NE(pSetMenu, nullptr); // ... through the client
    EXPECT_EQ(reinterpret_cast<HMENU>(pSetMenu->wParam), sheetMenu);
    EXPECT_EQ(reinterpret_cast<HMENU>(pSetMenu->lParam), CMDIFrameWnd::FindWindowMenuPopup(sheetMenu));

    ASSERT_TRUE(MakeChild(second, "second"));
    EXPECT_EQ(frame.MDIGetActive(), &second);
    EXPECT_EQ(frame.GetActiveFrame(), &second);

    struct Step
    {
        const char* name;
        CMDIChildWnd* activate;
        CMDIChildWnd* expected;
    };
    const Step steps[] = {
        {"first by the frame", &first, &first},
        {"second by the frame", &second, &second},
        {"first again", &first, &first},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.name);
        frame.MDIActivate(step.activate);
        EXPECT_EQ(frame.MDIGetActive(), step.expected);
        EXPECT_EQ(::GetMenu(frame.m_hWnd), sheetMenu);
    }
    second.MDIActivate();
    EXPECT_EQ(frame.MDIGetActive(), &second);

    // Maximised state is reported with the active child.
    BOOL bMaximized = TRUE;
    frame.MDIGetActive(&bMaximized);
    EXPECT_FALSE(bMaximized);
    frame.MDIMaximize(&second);
    EXPECT_EQ(frame.MDIGetActive(&bMaximized), &second);
    EXPECT_TRUE(bMaximized);
    frame.MDIRestore(&second);
    frame.MDIGetActive(&bMaximized);
    EXPECT_FALSE(bMaximized);
}

TEST_F(MDIFrameWndTest, DestroyingChildrenActivatesTheOtherAndGivesTheFrameMenuBack)
{
    CMDIChildWnd first, second;
    ASSERT_TRUE(MakeChild(first, "first"));
    ASSERT_TRUE(MakeChild(second, "second"));
    HWND hWndSecond = second.m_hWnd;
    EXPECT_TRUE(second.DestroyWindow());
    EXPECT_FALSE(::IsWindow(hWndSecond));
    EXPECT_EQ(second.m_hWnd, nullptr);
    EXPECT_GE(spy.Count(WM_MDIDESTROY), 1u); // through the client
    EXPECT_EQ(frame.MDIGetActive(), &first);

    first.DestroyWindow();
    EXPECT_EQ(frame.MDIGetActive(), nullptr);
    EXPECT_EQ(::GetMenu(frame.m_hWnd), frame.m_hMenuDefault);
    EXPECT_TRUE(::IsMenu(sheetMenu)); // the shared menu is not the frame's to destroy
}

TEST_F(MDIFrameWndTest, ChildLoadedFromAResourceKeepsItsIdAndName)
{
    struct Case
    {
        UINT id;
        const char* title;
    };
    // 3200 starts with an empty substring: the document name follows it.
    const Case cases[] = {{kSheetResource, "Sheet"}, {3201, "Notes window"}, {3999, ""}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.id);
        CMDIChildWnd child;
        ASSERT_TRUE(child.LoadFrame(c.id, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, &frame));
        EXPECT_EQ(child.m_nIDHelp, c.id);
        EXPECT_EQ(TextOf(child.m_hWnd), c.title);
        EXPECT_EQ(frame.MDIGetActive(), &child);
        child.DestroyWindow();
    }
    CMDIChildWnd orphan;
    CFrameWnd plain;
    EXPECT_FALSE(orphan.LoadFrame(kSheetResource, WS_CHILD, &plain)); // not an MDI frame
}

TEST_F(MDIFrameWndTest, WindowCommandsGoToTheClient)
{
    CMDIChildWnd child;
    ASSERT_TRUE(MakeChild(child, "child"));
    struct Case
    {
        UINT command;
        UINT message;
        WPARAM wParam;
    };
    const Case cases[] = {
        {ID_WINDOW_CASCADE, WM_MDICASCADE, 0},
        {ID_WINDOW_TILE_HORZ, WM_MDITILE, MDITILE_HORIZONTAL},
        {ID_WINDOW_TILE_VERT, WM_MDITILE, MDITILE_VERTICAL},
        {ID_WINDOW_ARRANGE, WM_MDIICONARRANGE, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.command);
        spy.entries.clear();
        frame.SendMessage(WM_COMMAND, c.command, 0);
        const CClientSpy::Entry* pEntry = spy.Last(c.message);
        ASSERT_NE(pEntry, nullptr);
        EXPECT_EQ(pEntry->wParam, c.wParam);
    }
    // The client's window-menu item of a child (first child id 0xFF00) activates it.
    CMDIChildWnd other;
    ASSERT_TRUE(MakeChild(other, "other"));
    EXPECT_EQ(frame.MDIGetActive(), &other);
    frame.SendMessage(WM_COMMAND, ::GetDlgCtrlID(child.m_hWnd), 0);
    EXPECT_EQ(frame.MDIGetActive(), &child);
    EXPECT_GE(::GetDlgCtrlID(child.m_hWnd), AFX_IDM_FIRST_MDICHILD);
}

namespace
{
class CCommandChild : public CMDIChildWnd
{
public:
    int runs = 0;

protected:
    afx_msg void OnSheetCommand() { ++runs; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandChild, CMDIChildWnd)
ON_COMMAND(4400, OnSheetCommand)
END_MESSAGE_MAP()

class CFixedBar : public CControlBar
{
public:
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? CSize(32767, 26) : CSize(40, 32767); }
};
} // namespace

TEST_F(MDIFrameWndTest, ActiveChildGetsCommandsFirstAndTheClientIsLaidOutBelowBars)
{
    CCommandChild child;
    child.SetHandles(sheetMenu, nullptr);
    ASSERT_TRUE(child.Create(nullptr, "cmd", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100), &frame));
    frame.SendMessage(WM_COMMAND, 4400, 0);
    EXPECT_EQ(child.runs, 1);

    CFixedBar bar;
    ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 1, 1), &frame, AFX_IDW_TOOLBAR));
    frame.RecalcLayout();
    CRect client, clientArea;
    ::GetWindowRect(frame.m_hWndMDIClient, &client);
    frame.ScreenToClient(&client);
    frame.GetClientRect(&clientArea);
    EXPECT_EQ(client.top, 26);
    EXPECT_EQ(client.bottom, clientArea.bottom);
    EXPECT_EQ(client.Width(), clientArea.Width());
    // A size change keeps the bar's strip (the client is not given the whole area).
    frame.SetWindowPos(nullptr, 0, 0, 500, 300, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    ::GetWindowRect(frame.m_hWndMDIClient, &client);
    frame.ScreenToClient(&client);
    EXPECT_EQ(client.top, 26);
}

TEST(MDIFrameMenuTest, FrameDestroysTheMenuItLoadedWhateverItShowsLast)
{
    struct Case
    {
        const char* name;
        int shown; // 0 its own menu, 1 none (a menu bar took it), 2 another menu
    };
    const Case cases[] = {{"own menu shown", 0}, {"menu removed", 1}, {"other menu shown", 2}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CFrameWnd frame;
        ASSERT_TRUE(frame.LoadFrame(kFrameResource, WS_OVERLAPPEDWINDOW));
        HMENU hLoaded = frame.m_hMenuDefault;
        ASSERT_TRUE(::IsMenu(hLoaded));
        HMENU hOther = ::CreateMenu();
        if (c.shown == 1)
            ::SetMenu(frame.m_hWnd, nullptr);
        else if (c.shown == 2)
            ::SetMenu(frame.m_hWnd, hOther);
        frame.DestroyWindow();
        EXPECT_FALSE(::IsMenu(hLoaded));
        EXPECT_EQ(frame.m_hMenuDefault, nullptr);
        if (c.shown != 2)
            ::DestroyMenu(hOther);
    }
}

TEST(MiniFrameWndTest, FollowsTheFrameThatOwnsIt)
{
    CFrameWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    CMiniFrameWnd synced, plain;
    ASSERT_TRUE(synced.Create(nullptr, "palette", WS_VISIBLE | WS_SYSMENU | MFS_SYNCACTIVE, CRect(10, 10, 110, 80), &frame));
    ASSERT_TRUE(plain.Create(nullptr, "plain", WS_VISIBLE | WS_SYSMENU, CRect(120, 10, 220, 80), &frame));
    EXPECT_TRUE(synced.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(synced.GetStyle() & WS_CHILD);
    EXPECT_EQ(::GetWindow(synced.m_hWnd, GW_OWNER), frame.m_hWnd);
    EXPECT_TRUE(synced.IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)));
    EXPECT_EQ(synced.SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), 1);
    EXPECT_EQ(plain.SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), 0);
    CMiniFrameWnd placed;
    // The system's place (for a popup: the origin, no size) rather than a size computed from
    // CW_USEDEFAULT coordinates.
    ASSERT_TRUE(placed.Create(nullptr, "placed", WS_SYSMENU, CFrameWnd::rectDefault, &frame));
    CRect placedRect;
    placed.GetWindowRect(&placedRect);
    EXPECT_GE(placedRect.Width(), 0);
    EXPECT_LE(placedRect.Width(), ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_GE(placedRect.left, ::GetSystemMetrics(SM_XVIRTUALSCREEN));
    placed.DestroyWindow();

    // The frame's caption state after its rules, and what its floating windows hear.
    struct Case
    {
        const char* name;
        bool stayActive;
        bool enabled;
        BOOL requested;
        bool expectActive;
    };
    const Case cases[] = {
        {"activated", false, true, TRUE, true},
        {"deactivated", false, true, FALSE, false},
        {"deactivated but staying active", true, true, FALSE, true},
        {"activated while disabled", false, false, TRUE, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        frame.m_nFlags = c.stayActive ? (frame.m_nFlags | WF_STAYACTIVE) : (frame.m_nFlags & ~WF_STAYACTIVE);
        ::EnableWindow(frame.m_hWnd, c.enabled);
        EXPECT_EQ(frame.GetNcActiveState(c.requested) != FALSE, c.expectActive);
        frame.SendMessage(WM_NCACTIVATE, static_cast<WPARAM>(c.requested), 0);
        EXPECT_EQ(synced.IsCaptionActive() != FALSE, c.expectActive);
        ::EnableWindow(frame.m_hWnd, TRUE);
    }
    frame.m_nFlags &= ~WF_STAYACTIVE;

    // Hiding and disabling the frame reach the floating windows too.
    frame.ShowWindow(SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(synced.m_hWnd));
    frame.ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(::IsWindowVisible(synced.m_hWnd));
    frame.EnableWindow(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(synced.m_hWnd));
    frame.EnableWindow(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(synced.m_hWnd));
    frame.DestroyWindow();
    EXPECT_EQ(synced.m_hWnd, nullptr); // owned windows go with their owner
}
