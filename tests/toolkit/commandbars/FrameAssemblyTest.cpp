// A whole frame as an application builds it: a top-level frame whose caption the frame hook draws,
// a toolbar docked at the top, a dialog bar docked on the right, a status bar at the bottom and the
// toolbar's keyboard tips shown. Checks that the pieces find their places together; with the
// environment variable QVX_FRAME_ASSEMBLY_HOLD_MS set, the frame stays on screen that long so that it
// can be looked at.
#include "ManagerTestSupport.h"

#include "toolkit/commandbars/bars/XTPCommandBarKeyboardTip.h"
#include "toolkit/commandbars/bars/XTPDialogBar.h"
#include "toolkit/commandbars/bars/XTPStatusBar.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCommandBarsFrameHook.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "tests/common/MessagePump.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace mgr_test;

namespace
{
class FrameAssembly : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateSite(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        frame.SetWindowText("Frame assembly");
        frame.MoveWindow(40, 40, 640, 420);
        bars = new CXTPCommandBars();
        bars->SetSite(&frame);
        bars->SetPaintManager(new CXTPDefaultTheme());
        // Made before the dock bars, as applications do: it is laid out first and spans the width.
        ASSERT_TRUE(status.Create(&frame));
        const UINT ids[] = {0, 1001, 1002};
        ASSERT_TRUE(status.SetIndicators(ids, 3));
        status.SetCommandBars(bars);
        status.GetPane(0)->SetStyle(SBPS_STRETCH);
        status.GetPane(1)->SetWidth(60);
        status.GetPane(2)->SetWidth(60);
        status.SetPaneText(0, "Ready");
        status.SetPaneText(1, "Ln 1");
        status.SetPaneText(2, "NUM");

        bars->EnableDocking();

        toolBar = dynamic_cast<CXTPToolBar*>(bars->Add("Standard", xtpBarTop));
        ASSERT_NE(nullptr, toolBar);
        const char* captions[] = {"File", "Format", "Edit", "View"};
        for (int i = 0; i < 4; ++i)
        {
            CXTPControl* pButton = toolBar->GetControls()->Add(new CXTPControlButton(), 301 + i);
            pButton->SetCaption(captions[i]);
            pButton->SetStyle(xtpButtonCaption);
        }

        dialogBar = dynamic_cast<CXTPDialogBar*>(bars->Add("Output", xtpBarRight, RUNTIME_CLASS(CXTPDialogBar)));
        ASSERT_NE(nullptr, dialogBar);
        hWndOutput = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "3 tests passed",
                                       WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 10, 10, dialogBar->GetSafeHwnd(),
                                       nullptr, nullptr, nullptr);
        ASSERT_TRUE(hWndOutput);
        dialogBar->SetChildHandle(hWndOutput);

        bars->EnableFrameTheme(TRUE);
        frame.RecalcLayout(FALSE);
        bars->GetCommandBarsOptions()->bKeyboardTipsEnabled = TRUE;
    }
    void TearDown() override
    {
        bars->HideKeyboardTips();
        XTPMouseManager()->SendTrackLostAll();
        bars->EnableFrameTheme(FALSE);
        status.DestroyWindow();
        bars->InternalRelease();
        frame.DestroyWindow();
    }
    CRect InClient(HWND hWnd) const
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(HWND_DESKTOP, frame.GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    RecordingFrame frame;
    CXTPCommandBars* bars = nullptr;
    CXTPToolBar* toolBar = nullptr;
    CXTPDialogBar* dialogBar = nullptr;
    HWND hWndOutput = nullptr;
    CXTPStatusBar status;
};
} // namespace

TEST_F(FrameAssembly, EveryPieceTakesItsPlace)
{
    CXTPCommandBarsFrameHook* pHook = bars->GetFrameHook();
    ASSERT_NE(nullptr, pHook);
    EXPECT_TRUE(pHook->IsAttached());

    // The caption is the hook's: its height, a caption hit in its middle, the close button at its end.
    CRect rcWindow, rcClient;
    frame.GetWindowRect(&rcWindow);
    frame.GetClientRect(&rcClient);
    CPoint ptClient(0, 0);
    frame.ClientToScreen(&ptClient);
    EXPECT_EQ(pHook->GetCaptionHeight(), ptClient.y - rcWindow.top);
    EXPECT_EQ(HTCAPTION, frame.SendMessage(WM_NCHITTEST, 0,
                                           MAKELPARAM(rcWindow.CenterPoint().x, rcWindow.top + pHook->GetCaptionHeight() / 2)));
    CXTPControl* pClose = pHook->GetCaptionButtons()->FindControlById(SC_CLOSE);
    ASSERT_NE(nullptr, pClose);
    const CPoint ptClose = pClose->GetRect().CenterPoint();
    EXPECT_EQ(HTCLOSE, frame.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWindow.left + ptClose.x, rcWindow.top + ptClose.y)));

    // Toolbar on top, status bar at the bottom, the dialog bar on the right between them.
    const CRect rcTool = InClient(toolBar->GetSafeHwnd());
    const CRect rcStatus = InClient(status.GetSafeHwnd());
    const CRect rcDialog = InClient(dialogBar->GetSafeHwnd());
    EXPECT_EQ(0, rcTool.top);
    EXPECT_EQ(rcClient.bottom, rcStatus.bottom);
    EXPECT_EQ(rcClient.Width(), rcStatus.Width());
    EXPECT_EQ(xtpBarRight, dialogBar->GetPosition());
    EXPECT_EQ(rcClient.right, rcDialog.right);
    EXPECT_GE(rcDialog.top, rcTool.bottom);
    EXPECT_LE(rcDialog.bottom, rcStatus.top);
    EXPECT_TRUE(::IsWindowVisible(hWndOutput));
    const CRect rcOutput = InClient(hWndOutput);
    EXPECT_TRUE(CRect().IntersectRect(rcOutput, rcDialog) && rcOutput.top > rcDialog.top)
        << "the hosted window sits under the caption strip";

    // Keyboard tips over the toolbar's buttons, the other bar labelled too.
    bars->ShowKeyboardTips(toolBar, 1);
    CXTPKeyboardTipArray& tips = bars->GetKeyboardTips();
    ASSERT_GE(tips.GetSize(), 4);
    int nShown = 0;
    for (INT_PTR i = 0; i < tips.GetSize(); ++i)
    {
        CXTPCommandBarKeyboardTip* pTip = tips[i];
        EXPECT_FALSE(pTip->m_strTip.IsEmpty());
        if (pTip->GetSafeHwnd() && ::IsWindowVisible(pTip->GetSafeHwnd()))
            ++nShown;
        CXTPControl* pControl = dynamic_cast<CXTPControl*>(pTip->m_pOwner);
        if (pControl && pControl->GetParent() == toolBar)
        {
            CRect rcTip;
            ::GetWindowRect(pTip->GetSafeHwnd(), &rcTip);
            CRect rcButton = pControl->GetRect();
            toolBar->ClientToScreen(&rcButton);
            // Anchored 12 pixels into the button, across its lower part.
            EXPECT_EQ(rcButton.left + 12, rcTip.left) << pControl->GetCaption().GetString();
            EXPECT_TRUE(rcTip.top < rcButton.bottom && rcTip.bottom > rcButton.top) << pControl->GetCaption().GetString();
        }
    }
    EXPECT_EQ(tips.GetSize(), nShown);

    if (const char* pszHold = std::getenv("QVX_FRAME_ASSEMBLY_HOLD_MS"))
        qvx_test::PumpMessages(static_cast<DWORD>(std::atoi(pszHold)));
}
