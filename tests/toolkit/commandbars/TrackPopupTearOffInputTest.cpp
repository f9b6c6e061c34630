// Tearing a popup off: a press on its strip and a drag more than 10 pixels away show the toolbar of
// the tear-off id and tell the site (0x2867); coming back within 10 pixels hides it again; a release
// while it is shown ends all tracking.
#include "PopupBarSupport.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace cb_popup_test;

namespace
{
std::vector<std::function<void()>> g_steps;
size_t g_nStep = 0;
UINT_PTR g_nStepTimer = 0;

// A WM_TIMER already queued when the timer was killed still comes: only the live timer acts.
void CALLBACK RunStep(HWND, UINT, UINT_PTR nId, DWORD)
{
    if (nId != g_nStepTimer)
    {
        ::KillTimer(nullptr, nId);
        return;
    }
    try
    {
        if (g_nStep < g_steps.size())
            g_steps[g_nStep++]();
        else
            XTPMouseManager()->SendTrackLostAll(); // nothing more to do: never hang
    }
    catch (...)
    {
    }
}

void SendMouse(DWORD dwFlags, int x = 0, int y = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    if (dwFlags & MOUSEEVENTF_MOVE)
    {
        const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = static_cast<LONG>((x * 65536 + cx / 2) / cx);
        input.mi.dy = static_cast<LONG>((y * 65536 + cy / 2) / cy);
        dwFlags |= MOUSEEVENTF_ABSOLUTE;
    }
    input.mi.dwFlags = dwFlags;
    ::SendInput(1, &input, sizeof(INPUT));
}
} // namespace

TEST(TrackPopupTearOff, ShowsTheToolbarAwayFromThePopupAndHidesItCloseBy)
{
    for (bool bComeBack : {true, false})
    {
        FixedQuery query;
        cb_bar_test::RecordingFrame frame;
        frame.CreateAt(RECT{40, 40, 600, 400});
        frame.ShowWindow(SW_SHOW);
        cb_bar_test::Activate(frame.m_hWnd);
        CXTPCommandBars* pCommandBars = CXTPCommandBars::CreateCommandBars();
        pCommandBars->SetSite(&frame);
        cb_bar_test::RowBar* pToolBar = new cb_bar_test::RowBar();
        pToolBar->SetCommandBars(pCommandBars);
        pToolBar->SetBarID(1234);
        pToolBar->CreateIn(frame.m_hWnd, RECT{300, 200, 500, 230});
        pToolBar->ShowWindow(SW_HIDE);
        pCommandBars->AddCommandBar(pToolBar);
        frame.rec.m_log.clear();

        CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(pCommandBars);
        pPopup->GetControls()->Add(new CXTPControlButton(), 401)->SetCaption("Item");
        pPopup->SetTearOffPopup("Tools", 1234, 200);

        CPoint ptStrip;
        bool bShownAway = false, bShownBack = true;
        int nNotices = 0;
        g_nStep = 0;
        g_steps = {
            [&] {
                CRect rc = pPopup->GetTearOffGripperRect();
                ::MapWindowPoints(pPopup->GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&rc), 2);
                ptStrip = rc.CenterPoint();
                SendMouse(MOUSEEVENTF_MOVE, ptStrip.x, ptStrip.y);
            },
            [&] { SendMouse(MOUSEEVENTF_LEFTDOWN); },
            [&] { SendMouse(MOUSEEVENTF_MOVE, ptStrip.x + 250, ptStrip.y + 150); },
            [&] {
                bShownAway = ::IsWindowVisible(pToolBar->m_hWnd) != 0;
                nNotices = frame.rec.Count(XTP_WM_TEAROFFPOPUP);
                if (bComeBack)
                    SendMouse(MOUSEEVENTF_MOVE, ptStrip.x, ptStrip.y);
            },
            [&] {
                bShownBack = ::IsWindowVisible(pToolBar->m_hWnd) != 0;
                SendMouse(MOUSEEVENTF_LEFTUP);
            },
            [&] {
                if (bComeBack)
                    SendKey(VK_ESCAPE);
            },
        };
        g_nStepTimer = ::SetTimer(nullptr, 0, 150, RunStep);
        EXPECT_EQ(CXTPCommandBars::TrackPopupMenu(pPopup, TPM_RETURNCMD, 150, 150, &frame), 0u);
        ::KillTimer(nullptr, g_nStepTimer);
        g_nStepTimer = 0;

        EXPECT_TRUE(bShownAway) << bComeBack;
        EXPECT_EQ(nNotices, 1) << bComeBack;
        const cb_bar_test::SiteMessage* pNotice = frame.rec.Last(XTP_WM_TEAROFFPOPUP);
        ASSERT_NE(pNotice, nullptr);
        EXPECT_EQ(pNotice->wParam, reinterpret_cast<WPARAM>(static_cast<CXTPCommandBar*>(pToolBar)));
        EXPECT_EQ(pNotice->lParam, reinterpret_cast<LPARAM>(pPopup));
        EXPECT_EQ(bShownBack, !bComeBack);
        EXPECT_EQ(::IsWindowVisible(pToolBar->m_hWnd) != 0, !bComeBack);
        EXPECT_EQ(pPopup->GetTearOffBar(), pToolBar);
        EXPECT_FALSE(XTPMouseManager()->IsTracking());

        SendMouse(MOUSEEVENTF_MOVE, 5, 5);
        pPopup->InternalRelease();
        pCommandBars->RemoveAll();
        pCommandBars->InternalRelease();
        frame.DestroyWindow();
        Pump();
    }
}
