// The keyboard and mouse managers through the real thread hooks: hooks see hardware input only,
// so keys and clicks are sent with SendInput to a foreground window (modifiers would be set by
// SetKeyboardState, since the code reads GetKeyState). This executable holds the desktop input
// lock while it runs.
#include "CommandBarsTestSupport.h"
#include "TestBar.h"

#include "toolkit/commandbars/managers/XTPMouseManager.h"

#include <gtest/gtest.h>

#include <windowsx.h>

using cb_test::RecordingWindow;
using cb_test::TestBar;
using qvx_test::PumpMessages;
using qvx_test::PumpUntil;

namespace
{
void SendKey(WORD vk, bool bUp = false)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(INPUT));
}

void SendButton(DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    SendInput(1, &input, sizeof(INPUT));
}

void SendMoveTo(int x, int y)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = static_cast<LONG>((y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
}

// A foreground window with the keyboard focus.
void MakeForeground(HWND hWnd)
{
    SetForegroundWindow(hWnd);
    SetActiveWindow(hWnd);
    SetFocus(hWnd);
    PumpUntil([&] { return GetForegroundWindow() == hWnd; }, 2000);
    PumpMessages(30);
}

int CountKey(const RecordingWindow& wnd, UINT message, WPARAM vk)
{
    int n = 0;
    for (const auto& m : wnd.m_withParams)
        n += (m.first == message && m.second == vk) ? 1 : 0;
    return n;
}

struct Receiver : CXTPHookManagerHookAble
{
    int OnHookMessage(HWND, UINT, WPARAM&, LPARAM&, LRESULT&) override
    {
        ++m_nCalls;
        return m_nAnswer;
    }
    int m_nAnswer = 0;
    int m_nCalls = 0;
};
} // namespace

TEST(ManagersInput, KeyEatenOrPassedThroughRealHook)
{
    RecordingWindow wnd(WS_POPUP | WS_VISIBLE, RECT{100, 100, 300, 200}, nullptr, WS_EX_TOPMOST);
    MakeForeground(wnd.Handle());
    struct Case
    {
        bool bReceiver;
        int nAnswer;
        int nArrived;
    } cases[] = {
        {false, 0, 1}, // no receiver: no hook, the key arrives
        {true, 1, 0},  // eaten
        {true, 2, 1},  // passed on
        {true, 0, 0},  // nobody answers: eaten
    };
    for (const Case& c : cases)
    {
        Receiver receiver;
        receiver.m_nAnswer = c.nAnswer;
        if (c.bReceiver)
            XTPKeyboardManager()->HookKeyboard(&receiver);
        // Keys go to the foreground window: when another program on the display took it while
        // the key was on its way (its release did not arrive here), the case runs again.
        for (int nAttempt = 0; nAttempt < 3; ++nAttempt)
        {
            MakeForeground(wnd.Handle());
            wnd.Clear();
            receiver.m_nCalls = 0;
            SendKey('K');
            SendKey('K', true);
            PumpMessages(80);
            // The key's release always passes: when it arrived, the key came to this thread.
            if (CountKey(wnd, WM_KEYUP, 'K') > 0)
                break;
        }
        EXPECT_EQ(CountKey(wnd, WM_KEYDOWN, 'K'), c.nArrived) << "receiver " << c.bReceiver << " answer " << c.nAnswer;
        EXPECT_EQ(receiver.m_nCalls, c.bReceiver ? 1 : 0);
        XTPKeyboardManager()->UnhookKeyboard(&receiver);
    }
}

TEST(ManagersInput, FirstAltEndsTrackingAndIsEaten)
{
    RecordingWindow wnd(WS_POPUP | WS_VISIBLE, RECT{100, 100, 300, 200}, nullptr, WS_EX_TOPMOST);
    MakeForeground(wnd.Handle());
    TestBar bar;
    for (int nAttempt = 0; nAttempt < 3; ++nAttempt)
    {
        bar.SetTrackingMode(TRUE, FALSE, FALSE);
        MakeForeground(wnd.Handle());
        bar.m_nLost = 0;
        wnd.Clear();
        SendKey(VK_MENU);
        PumpMessages(60);
        SendKey(VK_MENU, true);
        PumpMessages(60);
        if (CountKey(wnd, WM_KEYUP, VK_MENU) + CountKey(wnd, WM_SYSKEYUP, VK_MENU) > 0)
            break; // else another program took the keys (and the activation): again
        if (bar.IsTrackingMode())
            bar.SetTrackingMode(FALSE);
    }
    EXPECT_EQ(bar.m_nLost, 1);
    EXPECT_FALSE(XTPMouseManager()->IsTracking());
    EXPECT_EQ(CountKey(wnd, WM_SYSKEYDOWN, VK_MENU) + CountKey(wnd, WM_KEYDOWN, VK_MENU), 0);
}

TEST(ManagersInput, ActivateAppOffThroughCallWndProcHook)
{
    RecordingWindow wnd;
    TestBar bar;
    bar.SetTrackingMode(TRUE, FALSE, FALSE); // the bar is a receiver: the hooks are in
    SendMessageA(wnd.Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(bar.m_nLost, 0);
    SendMessageA(wnd.Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(bar.m_nLost, 1);
    EXPECT_FALSE(bar.IsTrackingMode());
}

TEST(ManagersInput, ClickOutsideTrackedBarsEndsTracking)
{
    RecordingWindow wnd(WS_POPUP | WS_VISIBLE, RECT{100, 100, 300, 200}, nullptr, WS_EX_TOPMOST);
    MakeForeground(wnd.Handle());
    TestBar bar;
    ASSERT_TRUE(bar.CreateAt(RECT{400, 100, 500, 200}));
    PumpMessages(30);

    struct Case
    {
        bool bTrusted;
        POINT pt;
        int nLost;
        bool bReachesWindow;
    } cases[] = {
        {false, {150, 150}, 1, true},  // outside: tracking ends, the click still arrives
        {true, {150, 150}, 0, true},   // over a trusted window: tracking stays
        {false, {450, 150}, 0, false}, // inside the tracked bar
    };
    for (const Case& c : cases)
    {
        bar.m_nLost = 0;
        bar.SetTrackingMode(TRUE, FALSE, FALSE);
        // Only the mouse path here: without the keyboard hooks, another program taking the
        // activation (WM_ACTIVATEAPP) cannot end the tracking in the middle of a case.
        XTPKeyboardManager()->UnhookKeyboard(&bar);
        if (c.bTrusted)
            XTPMouseManager()->AddTrustedWindow(wnd.Handle());
        SetCursorPos(c.pt.x, c.pt.y);
        PumpMessages(30);
        wnd.Clear();
        EXPECT_EQ(XTPMouseManager()->IsClickOutsideTrackedBars(nullptr, WM_LBUTTONDOWN), c.nLost == 1);
        SendButton(MOUSEEVENTF_LEFTDOWN);
        SendButton(MOUSEEVENTF_LEFTUP);
        PumpMessages(80);
        EXPECT_EQ(bar.m_nLost, c.nLost) << c.pt.x << " trusted " << c.bTrusted;
        EXPECT_EQ(wnd.Count(WM_LBUTTONDOWN), c.bReachesWindow ? 1 : 0) << c.pt.x;
        XTPMouseManager()->RemoveTrustedWindow(wnd.Handle());
        bar.SetTrackingMode(FALSE);
    }
    bar.DestroyWindow();
}

TEST(ManagersInput, ClickOverImeClassWindowKeepsTracking)
{
    WNDCLASSA wc = {};
    wc.style = CS_IME;
    wc.lpfnWndProc = &DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QvxCbImeLike";
    RegisterClassA(&wc);
    HWND hIme = CreateWindowExA(WS_EX_TOPMOST, "QvxCbImeLike", "", WS_POPUP | WS_VISIBLE, 700, 300, 100, 60, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    TestBar bar;
    bar.SetTrackingMode(TRUE, FALSE, FALSE);
    XTPKeyboardManager()->UnhookKeyboard(&bar); // the mouse path only (see above)
    SetCursorPos(750, 330);
    PumpMessages(30);
    EXPECT_FALSE(XTPMouseManager()->IsClickOutsideTrackedBars(nullptr, WM_LBUTTONDOWN));
    EXPECT_FALSE(XTPMouseManager()->IsClickOutsideTrackedBars(nullptr, WM_LBUTTONUP));
    SendButton(MOUSEEVENTF_LEFTDOWN);
    SendButton(MOUSEEVENTF_LEFTUP);
    PumpMessages(60);
    EXPECT_EQ(bar.m_nLost, 0);
    bar.SetTrackingMode(FALSE);
    DestroyWindow(hIme);
}

TEST(ManagersInput, IdenticalMoveArrivesOnce)
{
    RecordingWindow wnd(WS_POPUP | WS_VISIBLE, RECT{100, 100, 300, 200}, nullptr, WS_EX_TOPMOST);
    MakeForeground(wnd.Handle());
    TestBar bar;
    bar.SetTrackingMode(TRUE, FALSE, FALSE);
    SetCursorPos(120, 120);
    PumpMessages(40);
    wnd.Clear();
    SendMoveTo(160, 150);
    PumpMessages(40);
    SendMoveTo(160, 150);
    PumpMessages(60);
    // Moves to the point sent (in client coordinates); a move made by anything else on the
    // display lands elsewhere and does not count.
    POINT ptClient = {160, 150};
    ScreenToClient(wnd.Handle(), &ptClient);
    int nAtPoint = 0;
    for (const MSG& m : wnd.m_moves)
        nAtPoint += (GET_X_LPARAM(m.lParam) == ptClient.x && GET_Y_LPARAM(m.lParam) == ptClient.y) ? 1 : 0;
    EXPECT_EQ(nAtPoint, 1);
    bar.SetTrackingMode(FALSE);
}

TEST(ManagersInput, MouseLeaveWithin100ms)
{
    RecordingWindow wnd(WS_POPUP | WS_VISIBLE, RECT{100, 100, 300, 200}, nullptr, WS_EX_TOPMOST);
    MakeForeground(wnd.Handle());
    SetCursorPos(150, 150);
    PumpMessages(30);
    XTPMouseManager()->TrackMouseLeave(wnd.Handle());
    wnd.Clear();
    PumpMessages(120);
    EXPECT_EQ(wnd.Count(WM_MOUSELEAVE), 0); // still inside
    SetCursorPos(600, 600);
    DWORD dwStart = GetTickCount();
    EXPECT_TRUE(PumpUntil([&] { return wnd.Count(WM_MOUSELEAVE) > 0; }, 1000));
    EXPECT_LE(GetTickCount() - dwStart, 100u + 20u); // one 50 ms tick, with slack for the pump
    EXPECT_EQ(XTPMouseManager()->GetMouseLeaveWindow(), nullptr);
}
