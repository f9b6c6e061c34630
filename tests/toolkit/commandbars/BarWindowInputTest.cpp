// A bar under an active site: hover selection and mouse leave, and clicks on its buttons (the
// press is held: the bar captures the mouse and pumps, and the command goes to the site when the
// release lands on the button). The cursor is put over the button first, so the moves the system
// reports during the capture lie on it. These tests take the foreground and move the cursor: this
// executable holds the desktop input lock.
#include "BarWindowSupport.h"

#include "tests/common/MessagePump.h"
#include "toolkit/commandbars/controls/XTPControls.h"

#include <gtest/gtest.h>

using cb_bar_test::RecordingFrame;

namespace
{
// The bar fixture with the cursor put on a button and the commands the site received.
struct ClickFixture : cb_bar_test::BarFixture
{
    ClickFixture() : BarFixture({"Open", "Save", "Print"}) { cb_bar_test::Activate(frame.m_hWnd); }
    CPoint Center(int i) const { return bar.GetControl(i)->GetRect().CenterPoint(); }
    void PutCursorOn(int i)
    {
        POINT pt = Center(i);
        ::ClientToScreen(bar.m_hWnd, &pt);
        ::SetCursorPos(pt.x, pt.y);
        qvx_test::PumpMessages(50);
    }
    int Commands(UINT nId) const
    {
        int n = 0;
        for (const auto& m : frame.rec.m_log)
            n += m.message == WM_COMMAND && LOWORD(m.wParam) == nId ? 1 : 0;
        return n;
    }
};

HWND g_hWndRelease = nullptr;
LPARAM g_lReleasePoint = 0;
void CALLBACK PostRelease(HWND hWnd, UINT, UINT_PTR nId, DWORD)
{
    ::KillTimer(hWnd, nId);
    ::PostMessageA(g_hWndRelease, WM_LBUTTONUP, 0, g_lReleasePoint);
}
} // namespace

TEST(BarWindowInput, ClickTable)
{
    struct Case
    {
        const char* name;
        int nButton;
        BOOL bEnabled;
        bool bMoveOffBeforeRelease;
        int nCommands;
    } cases[] = {
        {"press and release on the button", 1, TRUE, false, 1},
        {"released after moving off", 1, TRUE, true, 0},
        {"a disabled button", 2, FALSE, false, 0},
    };
    for (const Case& c : cases)
    {
        ClickFixture f;
        f.bar.GetControl(c.nButton)->SetEnabled(c.bEnabled);
        f.PutCursorOn(c.nButton);
        f.frame.rec.m_log.clear();
        // When the command goes out, the held press has ended: no hot control, no capture.
        int nSelectedAtCommand = -2;
        HWND hCaptureAtCommand = nullptr;
        f.frame.rec.m_onMessage = [&](const cb_bar_test::SiteMessage& m) {
            if (m.message == WM_COMMAND)
            {
                nSelectedAtCommand = f.bar.GetSelected();
                hCaptureAtCommand = ::GetCapture();
            }
        };
        CPoint pt = f.Center(c.nButton);
        ::PostMessageA(f.bar.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        if (c.bMoveOffBeforeRelease)
            ::PostMessageA(f.bar.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(370, 25));
        ::PostMessageA(f.bar.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        qvx_test::PumpMessages(100);
        EXPECT_EQ(f.Commands(static_cast<UINT>(101 + c.nButton)), c.nCommands) << c.name;
        EXPECT_NE(::GetCapture(), f.bar.m_hWnd) << c.name;
        EXPECT_EQ(f.bar.GetControl(c.nButton)->GetPressed(), 0) << c.name;
        if (c.nCommands)
        {
            EXPECT_EQ(nSelectedAtCommand, -1) << c.name;
            EXPECT_NE(hCaptureAtCommand, f.bar.m_hWnd) << c.name;
        }
        f.frame.rec.m_onMessage = nullptr;
    }
}

TEST(BarWindowInput, HeldRepeatingButtonSendsWhileHeld)
{
    ClickFixture f;
    CXTPControl* p = f.bar.GetControl(0);
    p->SetExecuteOnPressInterval(20);
    f.PutCursorOn(0);
    f.frame.rec.m_log.clear();
    CPoint pt = f.Center(0);
    g_hWndRelease = f.bar.m_hWnd;
    g_lReleasePoint = MAKELPARAM(pt.x, pt.y);
    ::SetTimer(nullptr, 0, 250, &PostRelease);
    ::PostMessageA(f.bar.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    qvx_test::PumpUntil([&] { return ::GetCapture() != f.bar.m_hWnd && f.Commands(101) > 0; }, 3000);
    qvx_test::PumpMessages(50);
    // Once at the press, then on the timer while held: several in 250 ms, and none after release.
    int n = f.Commands(101);
    EXPECT_GE(n, 3);
    qvx_test::PumpMessages(100);
    EXPECT_EQ(f.Commands(101), n);
}

// Every run of a button's command, a click or each repeat of a held repeating button, first asks the
// site with the execute notification; WM_COMMAND follows only when the site leaves it unanswered.
TEST(BarWindowInput, SiteNotificationTakesTheCommandOfClickAndRepeat)
{
    struct Case
    {
        const char* name;
        int nInterval; // execute-on-press interval; 0: a plain click
        bool bSiteAnswers;
    } cases[] = {
        {"click, site silent", 0, false},
        {"click, site answers", 0, true},
        {"held repeat, site silent", 20, false},
        {"held repeat, site answers", 20, true},
    };
    for (const Case& c : cases)
    {
        ClickFixture f;
        f.bar.GetControl(0)->SetExecuteOnPressInterval(c.nInterval);
        if (c.bSiteAnswers)
            f.frame.rec.m_answers[XTP_WM_CONTROL_NOTIFY] = 1;
        f.PutCursorOn(0);
        f.frame.rec.m_log.clear();
        int nNotifications = 0;
        int nCommandsAtLastNotification = -1;
        f.frame.rec.m_onMessage = [&](const cb_bar_test::SiteMessage& m) {
            if (m.message != XTP_WM_CONTROL_NOTIFY || m.wParam != 101)
                return;
            const NMXTPCONTROL* pNotify = reinterpret_cast<const NMXTPCONTROL*>(m.lParam);
            if (pNotify->hdr.code != static_cast<UINT>(XTP_CN_EXECUTE) ||
                pNotify->pControl != f.bar.GetControl(0))
                return;
            ++nNotifications;
            nCommandsAtLastNotification = f.Commands(101);
        };
        CPoint pt = f.Center(0);
        ::PostMessageA(f.bar.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        if (c.nInterval)
        {
            g_hWndRelease = f.bar.m_hWnd;
            g_lReleasePoint = MAKELPARAM(pt.x, pt.y);
            ::SetTimer(nullptr, 0, 150, &PostRelease);
            qvx_test::PumpUntil([&] { return ::GetCapture() != f.bar.m_hWnd && nNotifications > 0; }, 3000);
        }
        else
        {
            ::PostMessageA(f.bar.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        }
        qvx_test::PumpMessages(100);
        f.frame.rec.m_onMessage = nullptr;
        if (c.nInterval)
        {
            EXPECT_GE(nNotifications, 2) << c.name;
        }
        else
        {
            EXPECT_EQ(nNotifications, 1) << c.name;
        }
        // Silent: one WM_COMMAND after each notification, none before it.
        EXPECT_EQ(f.Commands(101), c.bSiteAnswers ? 0 : nNotifications) << c.name;
        EXPECT_EQ(nCommandsAtLastNotification, c.bSiteAnswers ? 0 : nNotifications - 1) << c.name;
    }
}

TEST(BarWindowInput, HoverSelectsOnlyUnderAnActiveFrameAndLeaveClears)
{
    cb_bar_test::BarFixture f;
    cb_bar_test::Activate(f.frame.m_hWnd);
    ASSERT_EQ(::GetActiveWindow(), f.frame.m_hWnd);
    ::SendMessageA(f.bar.m_hWnd, WM_MOUSEMOVE, 0, f.ClientPoint(2));
    EXPECT_EQ(f.bar.GetSelected(), 2);
    EXPECT_TRUE(f.Button(2)->GetSelected());
    // The hover timer tells the hot control.
    ::SendMessageA(f.bar.m_hWnd, WM_TIMER, CXTPCommandBar::kTimerHover, 0);
    EXPECT_EQ(f.Button(2)->m_nHover, 1);
    // Off the controls the selection goes (the bar does not track).
    ::SendMessageA(f.bar.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(370, 15));
    EXPECT_EQ(f.bar.GetSelected(), -1);
    ::SendMessageA(f.bar.m_hWnd, WM_MOUSEMOVE, 0, f.ClientPoint(0));
    EXPECT_EQ(f.bar.GetSelected(), 0);
    ::SendMessageA(f.bar.m_hWnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(f.bar.GetSelected(), -1);
    // A tracking tool bar keeps its selection when the mouse leaves or moves off the controls.
    f.bar.SetTrackingMode(1, FALSE, FALSE);
    ::SendMessageA(f.bar.m_hWnd, WM_MOUSEMOVE, 0, f.ClientPoint(1));
    ::SendMessageA(f.bar.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(370, 15));
    EXPECT_EQ(f.bar.GetSelected(), 1);
    ::SendMessageA(f.bar.m_hWnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(f.bar.GetSelected(), 1);
    f.bar.SetTrackingMode(0);
    EXPECT_EQ(f.bar.GetSelected(), -1);
    EXPECT_EQ(f.bar.GetTrackingMode(), 0);

    // Under an inactive top-level window the moves are ignored.
    RecordingFrame other;
    other.CreateAt(RECT{500, 60, 700, 200});
    cb_bar_test::Activate(other.m_hWnd);
    if (::GetActiveWindow() == other.m_hWnd)
    {
        ::SendMessageA(f.bar.m_hWnd, WM_MOUSEMOVE, 0, f.ClientPoint(1));
        EXPECT_EQ(f.bar.GetSelected(), -1);
    }
    other.DestroyWindow();
}
