// Keyboard navigation of a tracking bar through the keyboard manager's real hook: keys are sent with
// SendInput to a foreground window (the thread hooks see hardware input only); Shift comes from the
// thread's keyboard state. Also the focus given back when Esc ends tracking. This executable holds
// the desktop input lock while it runs.
#include "CommandBarNavigationSupport.h"
#include "CommandBarsTestSupport.h"

#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"

#include <gtest/gtest.h>

#include <functional>

using cb_nav::BeepCounter;
using cb_nav::ModifierState;
using cb_nav::NavBar;
using cb_nav::SiteWindow;
using cb_test::RecordingWindow;
using qvx_test::PumpMessages;
using qvx_test::PumpUntil;

namespace
{
void SendKeyInput(WORD vk, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(INPUT));
}

int CountKey(const RecordingWindow& wnd, UINT message, WPARAM vk)
{
    int n = 0;
    for (const auto& m : wnd.m_withParams)
        n += (m.first == message && m.second == vk) ? 1 : 0;
    return n;
}

// A foreground site with a bar in its top row and a child window below it that has the focus.
struct Desk
{
    Desk()
        : site(RECT{80, 80, 480, 280}, WS_EX_TOPMOST, true),
          focus(WS_CHILD | WS_VISIBLE, RECT{10, 60, 200, 120}, site.Handle())
    {
        bar.AddButtons({"&Open", "Save", "Send", "Print"});
        bar.LayOut();
        bar.CreateIn(site.Handle(), RECT{0, 0, 400, 24});
        bar.SetPosition(xtpBarTop);
    }
    ~Desk()
    {
        bar.SetTrackingMode(FALSE);
        bar.DestroyWindow();
    }
    void MakeForeground()
    {
        SetForegroundWindow(site.Handle());
        SetActiveWindow(site.Handle());
        SetFocus(focus.Handle());
        PumpUntil([&] { return GetForegroundWindow() == site.Handle(); }, 2000);
        PumpMessages(30);
    }
    // Sends one key (down and up) after prepare() set the case up, again when another program took
    // the key on its way: the key's release always passes the bar, so its arrival at the window
    // with the focus at the end (the focus child unless told) shows the key came to this thread.
    bool Press(WORD vk, const std::function<void()>& prepare, RecordingWindow* pReleaseTo = nullptr)
    {
        RecordingWindow& release = pReleaseTo ? *pReleaseTo : focus;
        for (int nAttempt = 0; nAttempt < 3; ++nAttempt)
        {
            bar.SetTrackingMode(FALSE);
            MakeForeground();
            prepare();
            site.Clear();
            focus.Clear();
            release.Clear();
            SendKeyInput(vk, false);
            SendKeyInput(vk, true);
            PumpMessages(80);
            if (CountKey(release, WM_KEYUP, vk) > 0)
                return true;
        }
        return false;
    }

    SiteWindow site;
    RecordingWindow focus;
    NavBar bar;
};
} // namespace

TEST(CommandBarNavigationInput, ArrowsMoveAndAreEaten)
{
    Desk desk;
    struct Case
    {
        WORD vk;
        bool bShift;
        int nFrom, nTo;
    } cases[] = {
        {VK_RIGHT, false, 0, 1}, {VK_LEFT, false, 0, 3}, {VK_END, false, 1, 3},
        {VK_HOME, false, 2, 0},  {VK_TAB, false, 3, 0},  {VK_TAB, true, 0, 3},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "key 0x" << std::hex << c.vk << (c.bShift ? " shift" : ""));
        ModifierState modifiers(c.bShift, false);
        ASSERT_TRUE(desk.Press(c.vk, [&] {
            desk.bar.SetTrackingMode(TRUE, FALSE, TRUE);
            desk.bar.SetSelected(c.nFrom, TRUE);
        }));
        EXPECT_EQ(c.nTo, desk.bar.Selected());
        EXPECT_TRUE(desk.bar.IsTrackingMode());
        EXPECT_EQ(0, CountKey(desk.focus, WM_KEYDOWN, c.vk)) << "the tracking bar ate the key";
    }
}

TEST(CommandBarNavigationInput, LettersExecuteSelectOrBeep)
{
    Desk desk;
    BeepCounter beeps;
    auto track = [&] { desk.bar.SetTrackingMode(TRUE, FALSE, TRUE); };

    ASSERT_TRUE(desk.Press('O', track));
    EXPECT_EQ(1, desk.site.CommandCount(101)) << "&Open runs";
    EXPECT_FALSE(desk.bar.IsTrackingMode());
    EXPECT_EQ(0, CountKey(desk.focus, WM_KEYDOWN, 'O'));

    ASSERT_TRUE(desk.Press('S', track));
    EXPECT_EQ(1, desk.bar.Selected()) << "Save and Send: the first is selected";
    EXPECT_EQ(0, desk.site.Count(WM_COMMAND));
    EXPECT_TRUE(desk.bar.IsTrackingMode());

    const int nBeeps = beeps.Count();
    ASSERT_TRUE(desk.Press('Z', track));
    EXPECT_EQ(nBeeps + 1, beeps.Count());
    EXPECT_EQ(0, CountKey(desk.focus, WM_KEYDOWN, 'Z')) << "eaten all the same";
    EXPECT_EQ(0, desk.site.Count(WM_COMMAND));

    // Not tracking: the bar leaves the keys alone.
    ASSERT_TRUE(desk.Press('O', [] {}));
    EXPECT_EQ(1, CountKey(desk.focus, WM_KEYDOWN, 'O'));
    EXPECT_EQ(0, desk.site.Count(WM_COMMAND));
}

TEST(CommandBarNavigationInput, EscapeEndsTrackingAndGivesTheFocusBack)
{
    Desk desk;
    RecordingWindow other(WS_CHILD | WS_VISIBLE, RECT{210, 60, 390, 120}, desk.site.Handle());
    struct Case
    {
        bool bBarTakesFocus;
        const char* what;
    } cases[] = {
        {true, "the bar had the focus: it goes back to the window that had it before"},
        {false, "the focus moved elsewhere meanwhile: it stays there"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(desk.Press(
            VK_ESCAPE,
            [&] {
                desk.bar.SetTrackingMode(TRUE, FALSE, TRUE);
                SetFocus(c.bBarTakesFocus ? desk.bar.GetSafeHwnd() : other.Handle());
            },
            c.bBarTakesFocus ? &desk.focus : &other));
        EXPECT_FALSE(desk.bar.IsTrackingMode());
        EXPECT_FALSE(XTPKeyboardManager()->IsReceiver(&desk.bar));
        EXPECT_EQ(c.bBarTakesFocus ? desk.focus.Handle() : other.Handle(), GetFocus());
    }
}

TEST(CommandBarNavigationInput, KeysPassToAChildWindowOfTheBarWithTheFocus)
{
    Desk desk;
    // An edit field inside the bar, as a custom control's window would be.
    RecordingWindow field(WS_CHILD | WS_VISIBLE, RECT{200, 2, 300, 22}, desk.bar.GetSafeHwnd());
    struct Case
    {
        WORD vk;
        bool bArrives;
        const char* what;
    } cases[] = {
        {VK_RIGHT, true, "arrows pass on"},
        {VK_HOME, true, "so do Home and End"},
        {'S', true, "and letters"},
        {VK_ESCAPE, false, "Esc is the bar's"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(desk.Press(
            c.vk,
            [&] {
                desk.bar.SetTrackingMode(TRUE, FALSE, TRUE);
                desk.bar.SetSelected(0, TRUE);
                SetFocus(field.Handle());
            },
            &field));
        EXPECT_EQ(c.bArrives ? 1 : 0, CountKey(field, WM_KEYDOWN, c.vk));
        EXPECT_EQ(c.bArrives, desk.bar.IsTrackingMode() != FALSE);
        if (c.bArrives)
        {
            EXPECT_EQ(0, desk.bar.Selected()) << "the bar did not move";
        }
    }
    // The wheel goes to the child window as well.
    desk.bar.SetTrackingMode(TRUE, FALSE, TRUE);
    SetFocus(field.Handle());
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT lResult = 0;
    EXPECT_EQ(2, desk.bar.OnHookMessage(nullptr, WM_MOUSEWHEEL, wParam, lParam, lResult));
    SetFocus(desk.focus.Handle());
    EXPECT_EQ(1, desk.bar.OnHookMessage(nullptr, WM_MOUSEWHEEL, wParam, lParam, lResult));
}
