// The manager's modal popup: the chosen command comes back with TPM_RETURNCMD (keys sent through the
// system while the popup runs), 0 when dismissed by Esc or WM_CANCELMODE, the command goes to the
// owner without it, and a WM_QUIT posted meanwhile reaches the loop outside.
#include "PopupBarSupport.h"
#include "framework/Menu.h"
#include "tests/common/MessagePump.h"
#include "toolkit/commandbars/controls/XTPCommandBarEditCtrl.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace cb_popup_test;

namespace
{
// What runs inside the modal loop, once, on a thread timer.
std::function<void()> g_action;
UINT_PTR g_nTimer = 0;

// A WM_TIMER already queued when its timer was killed still comes: only the live timer acts.
void CALLBACK RunAction(HWND, UINT, UINT_PTR nId, DWORD)
{
    ::KillTimer(nullptr, nId);
    if (nId != g_nTimer)
        return;
    g_nTimer = 0;
    try
    {
        if (g_action)
            g_action();
    }
    catch (...)
    {
    }
}

// Ends every tracking bar: a popup still open after 3 seconds fails the test instead of hanging it.
UINT_PTR g_nGuard = 0;
bool g_bGuardFired = false;
void CALLBACK EndTracking(HWND, UINT, UINT_PTR nId, DWORD)
{
    ::KillTimer(nullptr, nId);
    if (nId != g_nGuard)
        return;
    g_nGuard = 0;
    g_bGuardFired = true;
    XTPMouseManager()->SendTrackLostAll();
}

void RunInsideTheLoop(std::function<void()> action)
{
    g_action = std::move(action);
    g_nTimer = ::SetTimer(nullptr, 0, 100, RunAction);
    g_bGuardFired = false;
    if (g_nGuard)
        ::KillTimer(nullptr, g_nGuard);
    g_nGuard = ::SetTimer(nullptr, 0, 3000, EndTracking);
}

// The popup bar of the thread that tracks now (the last one).
CXTPCommandBar* TrackedPopup()
{
    const CXTPMouseManager::CTrackArray& bars = XTPMouseManager()->GetTrackArray();
    return bars.GetSize() ? bars[bars.GetSize() - 1] : nullptr;
}

// The captions and enabled states of the open popup's items.
void RecordItems(std::vector<std::pair<std::string, BOOL>>& items)
{
    if (CXTPCommandBar* pBar = TrackedPopup())
    {
        for (int i = 0; i < pBar->GetControlCount(); ++i)
            items.emplace_back(std::string(pBar->GetControl(i)->GetCaption()), pBar->GetControl(i)->GetEnabled());
    }
}

struct TrackFixture
{
    TrackFixture()
    {
        // The pointer stays off the popups: a popup opening under it would take the hot item.
        ::SetCursorPos(5, 5);
        frame.CreateAt(RECT{80, 80, 480, 380});
        frame.ShowWindow(SW_SHOW);
        cb_bar_test::Activate(frame.m_hWnd);
        frame.rec.m_log.clear();
    }
    ~TrackFixture()
    {
        if (g_nTimer)
            ::KillTimer(nullptr, g_nTimer);
        g_nTimer = 0;
        if (g_nGuard)
            ::KillTimer(nullptr, g_nGuard);
        g_nGuard = 0;
        EXPECT_FALSE(g_bGuardFired) << "the popup stayed open";
        g_action = nullptr;
        frame.DestroyWindow();
    }
    UINT Track(UINT nFlags)
    {
        CXTPPopupBar* pPopup = MakePopup({401, 402, 403});
        UINT nResult = CXTPCommandBars::TrackPopupMenu(pPopup, nFlags, 150, 150, &frame);
        EXPECT_EQ(pPopup->GetSafeHwnd(), nullptr);
        EXPECT_FALSE(pPopup->IsTrackingMode());
        pPopup->InternalRelease();
        return nResult;
    }
    cb_bar_test::RecordingFrame frame;
    FixedQuery query;
};
} // namespace

TEST(TrackPopup, ReturnsTheChosenCommandOrZeroWhenDismissed)
{
    struct Case
    {
        std::vector<WORD> keys;
        UINT nResult;
    };
    const Case cases[] = {{{VK_DOWN, VK_RETURN}, 401u},
                          {{VK_DOWN, VK_DOWN, VK_RETURN}, 402u},
                          {{VK_DOWN, VK_ESCAPE}, 0u},
                          {{VK_ESCAPE}, 0u}};
    for (const Case& c : cases)
    {
        TrackFixture fx;
        RunInsideTheLoop([&] {
            for (WORD vk : c.keys)
                SendKey(vk);
        });
        EXPECT_EQ(fx.Track(TPM_RETURNCMD), c.nResult) << c.keys.size();
        // The command is returned, not sent.
        EXPECT_EQ(fx.frame.rec.Count(WM_COMMAND), 0);
    }
}

TEST(TrackPopup, WithoutReturnCmdTheOwnerGetsTheCommand)
{
    TrackFixture fx;
    RunInsideTheLoop([] {
        for (WORD vk : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})
            SendKey(vk);
    });
    EXPECT_EQ(fx.Track(0), 1u);
    cb_popup_test::Pump();
    const cb_bar_test::SiteMessage* pCommand = fx.frame.rec.Last(WM_COMMAND);
    ASSERT_NE(pCommand, nullptr);
    EXPECT_EQ(LOWORD(pCommand->wParam), 403);
}

TEST(TrackPopup, CancelModeEndsItWithZero)
{
    TrackFixture fx;
    HWND hPopup = nullptr;
    RunInsideTheLoop([&] {
        CXTPCommandBar* pBar = TrackedPopup();
        hPopup = pBar ? pBar->GetSafeHwnd() : nullptr;
        if (hPopup)
            ::PostMessageA(hPopup, WM_CANCELMODE, 0, 0);
    });
    EXPECT_EQ(fx.Track(TPM_RETURNCMD), 0u);
    EXPECT_NE(hPopup, nullptr);
}

TEST(TrackPopup, QuitPostedDuringItReachesTheOuterLoop)
{
    TrackFixture fx;
    RunInsideTheLoop([] { ::PostQuitMessage(7); });
    EXPECT_EQ(fx.Track(TPM_RETURNCMD), 0u);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(TrackPopup, EditFieldMenuCutsCopiesAndPastesByTheChosenCommand)
{
    TrackFixture fx;
    CXTPCommandBarEditCtrl edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, &fx.frame));
    edit.MoveWindow(10, 10, 200, 24);
    edit.SetWindowText("hello world");
    edit.SetSel(0, 5);

    // The items and their states while the menu is open, then Down, Down (Copy) and Enter.
    std::vector<std::pair<std::string, BOOL>> items;
    RunInsideTheLoop([&] {
        RecordItems(items);
        for (WORD vk : {VK_DOWN, VK_DOWN, VK_RETURN})
            SendKey(vk);
    });
    EXPECT_TRUE(edit.ShowContextMenu(nullptr, CPoint(120, 120)));
    EXPECT_FALSE(g_bGuardFired);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], std::make_pair(std::string("Cut"), TRUE));
    EXPECT_EQ(items[1], std::make_pair(std::string("Copy"), TRUE));
    EXPECT_EQ(items[2].first, "Paste");
    // Copy ran: the clipboard holds the selection and the field is unchanged.
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE hData = ::GetClipboardData(CF_TEXT);
    std::string strClip = hData ? static_cast<const char*>(::GlobalLock(hData)) : "";
    if (hData)
        ::GlobalUnlock(hData);
    ::CloseClipboard();
    EXPECT_EQ(strClip, "hello");
    char szText[64] = {};
    edit.GetWindowText(szText, sizeof(szText));
    EXPECT_STREQ(szText, "hello world");

    // Without a selection Cut and Copy are disabled (Enter on them would do nothing); the third Down
    // reaches Paste, which inserts the clipboard at the caret.
    edit.SetFocus();
    edit.SetSel(11, 11);
    items.clear();
    DWORD dwSel = 0;
    RunInsideTheLoop([&] {
        dwSel = static_cast<DWORD>(::SendMessageA(edit.m_hWnd, EM_GETSEL, 0, 0));
        RecordItems(items);
        for (WORD vk : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})
            SendKey(vk);
    });
    EXPECT_TRUE(edit.ShowContextMenu(nullptr, CPoint(120, 120)));
    EXPECT_FALSE(g_bGuardFired);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_FALSE(items[0].second);
    EXPECT_FALSE(items[1].second);
    EXPECT_TRUE(items[2].second);
    EXPECT_EQ(dwSel, static_cast<DWORD>(MAKELONG(11, 11)));
    // Paste ran. (Where it lands depends on the selection the rich edit keeps when the focus comes
    // back from the popup: Wine's selects the whole text.)
    edit.GetWindowText(szText, sizeof(szText));
    const std::string strText(szText);
    EXPECT_NE(strText, "hello world");
    EXPECT_TRUE(strText == "hello worldhello" || strText == "hello") << strText;
    edit.DestroyWindow();
}

TEST(TrackPopup, WindowsMenuShownAsAPopupBarReturnsItsCommand)
{
    TrackFixture fx;
    CMenu menu;
    menu.CreatePopupMenu();
    ::AppendMenuA(menu.GetSafeHmenu(), MF_STRING, 701, "&Open");
    ::AppendMenuA(menu.GetSafeHmenu(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu.GetSafeHmenu(), MF_STRING, 702, "&Save");
    std::vector<std::pair<std::string, BOOL>> items;
    RunInsideTheLoop([&] {
        RecordItems(items);
        for (WORD vk : {VK_DOWN, VK_DOWN, VK_RETURN})
            SendKey(vk);
    });
    EXPECT_EQ(CXTPCommandBars::TrackCommandBarsPopupMenu(&menu, TPM_RETURNCMD, 150, 150, &fx.frame, 0, TRUE), 702u);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].first, "&Open");
    EXPECT_EQ(items[1].first, "&Save");
    EXPECT_EQ(fx.frame.rec.Count(WM_COMMAND), 0);
}

TEST(TrackPopup, HoveringTheScrollAreasScrollsATallPopup)
{
    TrackFixture fx;
    std::vector<int> ids;
    for (int i = 0; i < 30; ++i)
        ids.push_back(500 + i);
    CXTPPopupBar* pPopup = MakePopup(ids);
    pPopup->SetMaxHeight(200);
    int nFirstAfterDown = -1, nFirstAfterUp = -1;
    auto pointIn = [pPopup](const CRect& rcArea) {
        CRect rc = rcArea;
        ::MapWindowPoints(pPopup->GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&rc), 2);
        return rc.CenterPoint();
    };
    // Into the bottom area for a while, then into the top area until it disappears, then Esc.
    RunInsideTheLoop([&] {
        const CPoint ptDown = pointIn(pPopup->GetScrollDownRect());
        ::SetCursorPos(ptDown.x, ptDown.y);
        ::SendMessageA(pPopup->GetSafeHwnd(), WM_MOUSEMOVE, 0,
                       MAKELPARAM(pPopup->GetScrollDownRect().CenterPoint().x, pPopup->GetScrollDownRect().CenterPoint().y));
        qvx_test::PumpUntil([&] { return pPopup->GetFirstVisible() >= 3; }, 2000);
        nFirstAfterDown = pPopup->GetFirstVisible();
        const CPoint ptUp = pointIn(pPopup->GetScrollUpRect());
        ::SetCursorPos(ptUp.x, ptUp.y);
        ::SendMessageA(pPopup->GetSafeHwnd(), WM_MOUSEMOVE, 0,
                       MAKELPARAM(pPopup->GetScrollUpRect().CenterPoint().x, pPopup->GetScrollUpRect().CenterPoint().y));
        qvx_test::PumpUntil([&] { return pPopup->GetFirstVisible() == 0; }, 2000);
        nFirstAfterUp = pPopup->GetFirstVisible();
        ::SetCursorPos(5, 5);
        SendKey(VK_ESCAPE);
    });
    EXPECT_EQ(CXTPCommandBars::TrackPopupMenu(pPopup, TPM_RETURNCMD, 150, 150, &fx.frame), 0u);
    EXPECT_GE(nFirstAfterDown, 3);
    EXPECT_EQ(nFirstAfterUp, 0);
    pPopup->InternalRelease();
}
