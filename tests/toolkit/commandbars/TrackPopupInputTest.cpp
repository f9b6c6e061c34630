// The manager's modal popup: the chosen command comes back with TPM_RETURNCMD (keys sent through the
// system while the popup runs), 0 when dismissed by Esc or WM_CANCELMODE, the command goes to the
// owner without it, and a WM_QUIT posted meanwhile reaches the loop outside.
#include "PopupBarSupport.h"
#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/commandbars/XTPMouseManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace cb_popup_test;

namespace
{
// What runs inside the modal loop, once, on a thread timer.
std::function<void()> g_action;
UINT_PTR g_nTimer = 0;

void CALLBACK RunAction(HWND, UINT, UINT_PTR nId, DWORD)
{
    ::KillTimer(nullptr, nId);
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

void RunInsideTheLoop(std::function<void()> action)
{
    g_action = std::move(action);
    g_nTimer = ::SetTimer(nullptr, 0, 100, RunAction);
}

void SendKey(WORD vk)
{
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = vk;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
}

// The popup bar of the thread that tracks now (the last one).
CXTPCommandBar* TrackedPopup()
{
    const CXTPMouseManager::CTrackArray& bars = XTPMouseManager()->GetTrackArray();
    return bars.GetSize() ? bars[bars.GetSize() - 1] : nullptr;
}

struct TrackFixture
{
    TrackFixture()
    {
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
