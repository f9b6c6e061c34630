// The menu key through the system: Alt pressed and released alone on a foreground MDI frame with a
// menu bar starts the bar's keyboard tracking; with Shift held it does not. Keys go in with
// SendInput (this executable holds the desktop input lock).
#include "framework/Menu.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/bars/XTPMenuBar.h"

#include "CommandBarsTestSupport.h"
#include "MenuBarTestSupport.h"

#include <gtest/gtest.h>

using qvx_test::PumpMessages;
using qvx_test::PumpUntil;

namespace
{
// Counts the menu key that reaches the frame's own procedure (after the menu bar's hook); eats it so
// that no test enters the system's menu loop.
class CKeyFrame : public CMDIFrameWnd
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU)
        {
            ++m_nKeyMenu;
            return 0;
        }

        return CMDIFrameWnd::WindowProc(message, wParam, lParam);
    }
    int m_nKeyMenu = 0;
};

// Alt releases the thread takes from its queue, whichever window has the focus.
int s_nAltUps = 0;
LRESULT CALLBACK CountAltUps(int nCode, WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (nCode == HC_ACTION && wParam == PM_REMOVE && (pMsg->message == WM_SYSKEYUP || pMsg->message == WM_KEYUP) &&
        pMsg->wParam == VK_MENU)
        ++s_nAltUps;
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void SendKey(WORD vk, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
}
} // namespace

TEST(MenuBarInput, AltAloneStartsTrackingAndShiftAltDoesNot)
{
    CKeyFrame frame;
    ASSERT_TRUE(menubar_test::OpenMDIFrame(frame));
    frame.SetWindowPos(&CWnd::wndTopMost, 60, 60, 500, 300, 0);
    CXTPCommandBars* pBars = new CXTPCommandBars();
    pBars->SetSite(&frame);
    pBars->EnableDocking();
    CXTPMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CXTPMenuBar, pBars->Add("Menu Bar", xtpBarTop, RUNTIME_CLASS(CXTPMenuBar)));
    ASSERT_NE(pMenuBar, nullptr);
    // This executable carries no menu resources: the bar's menu is made here, then the frame hooked.
    CMenu menu;
    menu.Attach(::CreateMenu());
    ::AppendMenuA(menu.GetSafeHmenu(), MF_STRING, 7211, "&Run");
    ::AppendMenuA(menu.GetSafeHmenu(), MF_STRING, 7212, "&Stop");
    ASSERT_TRUE(pMenuBar->LoadMenu(&menu));
    menu.DestroyMenu();
    ASSERT_TRUE(pMenuBar->LoadMenuBar(0));
    frame.RecalcLayout();

    HHOOK hHook = ::SetWindowsHookExA(WH_GETMESSAGE, CountAltUps, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hHook, nullptr);
    struct Case
    {
        const char* name;
        bool bShift;
        BOOL bTracks;
    } cases[] = {{"Alt alone", false, TRUE}, {"Shift+Alt", true, FALSE}, {"Alt alone again", false, TRUE}};
    for (const Case& c : cases)
    {
        bool bArrived = false;
        for (int nAttempt = 0; nAttempt < 3 && !bArrived; ++nAttempt)
        {
            pBars->EndAllTracking();
            ::SetForegroundWindow(frame.m_hWnd);
            ::SetActiveWindow(frame.m_hWnd);
            ::SetFocus(frame.m_hWnd);
            PumpUntil([&] { return ::GetForegroundWindow() == frame.m_hWnd; }, 2000);
            PumpMessages(30);
            s_nAltUps = 0;
            frame.m_nKeyMenu = 0;
            if (c.bShift)
                SendKey(VK_SHIFT, false);
            SendKey(VK_MENU, false);
            SendKey(VK_MENU, true);
            if (c.bShift)
                SendKey(VK_SHIFT, true);
            PumpMessages(120);
            bArrived = s_nAltUps > 0 || pMenuBar->IsTrackingMode();
        }
        ASSERT_TRUE(bArrived) << c.name << ": the keys never reached the frame";
        EXPECT_EQ(pMenuBar->IsTrackingMode(), c.bTracks) << c.name;
        if (c.bTracks)
        {
            EXPECT_TRUE(pMenuBar->IsKeyboardMode()) << c.name;
            EXPECT_EQ(frame.m_nKeyMenu, 0) << c.name << ": the menu key was eaten by the menu bar";
        }
    }
    ::UnhookWindowsHookEx(hHook);
    pBars->EndAllTracking();
    frame.DestroyWindow();
    pBars->InternalRelease();
}
