// The frame hook on a real top-level frame: attaching and detaching, the hit test, the frame
// insets and minimums, the caption buttons and their press loop, the skipped paint after a resize,
// the z-order event, the theme-images event and the plain frame drawing.
#include "FrameHookTestSupport.h"

#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/docking/XTPDockBar.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/resources/XTPResourceImages.h"
#include "toolkit/common/system/XTPNotifyConnection.h"

#include <string>

using namespace frame_test;

namespace
{
UINT QueryStateMessage()
{
    return ::RegisterWindowMessageA("WM_SKINFRAMEWORK_QUERYSTATE");
}

BOOL HasRegion(HWND hWnd)
{
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    const int nKind = ::GetWindowRgn(hWnd, hRgn);
    ::DeleteObject(hRgn);
    return nKind != ERROR;
}

int BorderOf(HWND hWnd)
{
    CRect rc(0, 0, 100, 100);
    ::AdjustWindowRectEx(&rc, static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_EXSTYLE)));
    return -rc.left;
}

void SetStyle(CWnd& wnd, DWORD dwAdd, DWORD dwRemove)
{
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongA(wnd.m_hWnd, GWL_STYLE));
    ::SetWindowLongA(wnd.m_hWnd, GWL_STYLE, static_cast<LONG>((dwStyle | dwAdd) & ~dwRemove));
}
} // namespace

// ---- attaching

TEST_F(FrameHookTest, AttachingHooksTheFrameAndDetachingGivesItBack)
{
    MakeFrame();
    const int nRefs = CXTPCommandBarsFrameHook::GetSharedEventHookRefs();
    EXPECT_FALSE(HasRegion(frame.m_hWnd));
    Attach();
    EXPECT_TRUE(hook->IsAttached());
    EXPECT_FALSE(hook->IsDwmEnabled());
    EXPECT_FALSE(bars->IsDwmEnabled());
    EXPECT_NE(GetHookManager()->Lookup(frame.m_hWnd), nullptr);
    EXPECT_EQ(frame.SendMessage(CXTPCommandBarsFrameHook::GetFrameHookMessage()), reinterpret_cast<LRESULT>(hook));
    EXPECT_EQ(frame.SendMessage(QueryStateMessage()), 1);
    EXPECT_EQ(frame.Count(QueryStateMessage()), 0) << "the hook answers the query itself";
    EXPECT_TRUE(HasRegion(frame.m_hWnd));
    EXPECT_EQ(CXTPCommandBarsFrameHook::GetSharedEventHookRefs(), nRefs + 1);
    EXPECT_EQ(hook->GetFrameBorder(), BorderOf(frame.m_hWnd));
    EXPECT_EQ(hook->GetCaptionHeight(), BorderOf(frame.m_hWnd) + ::GetSystemMetrics(SM_CYCAPTION));

    // A second attach changes nothing.
    hook->SetCommandBars(bars);
    EXPECT_EQ(CXTPCommandBarsFrameHook::GetSharedEventHookRefs(), nRefs + 1);

    hook->SetCommandBars(nullptr);
    EXPECT_FALSE(hook->IsAttached());
    EXPECT_FALSE(HasRegion(frame.m_hWnd)) << "detaching removes the region";
    EXPECT_EQ(GetHookManager()->Lookup(frame.m_hWnd), nullptr);
    EXPECT_EQ(frame.SendMessage(CXTPCommandBarsFrameHook::GetFrameHookMessage()), 0);
    EXPECT_EQ(CXTPCommandBarsFrameHook::GetSharedEventHookRefs(), nRefs);
    // Turning the theme off deletes the hook.
    bars->EnableFrameTheme(FALSE);
    EXPECT_EQ(bars->GetFrameHook(), nullptr);
}

TEST_F(FrameHookTest, UnderCompositionTheSystemKeepsTheFrame)
{
    query.m_bComposition = TRUE;
    MakeFrame();
    bars->EnableDocking();
    Attach();
    EXPECT_TRUE(hook->IsDwmEnabled());
    EXPECT_TRUE(bars->IsDwmEnabled());
    EXPECT_FALSE(HasRegion(frame.m_hWnd));
    ASSERT_FALSE(query.m_extensions.empty());
    // The hook draws no caption under composition: nothing of the glass is taken from the client.
    EXPECT_EQ(query.m_extensions.back().top, 0);
    EXPECT_EQ(hook->GetFrameBorder(), 4);

    // Painting, minimums, printing and activation are the system's.
    const size_t nDrawings = theme->Frame()->m_drawings.size();
    const int nPaints = frame.Count(WM_NCPAINT);
    const int nActivates = frame.Count(WM_NCACTIVATE);
    frame.SendMessage(WM_NCPAINT, 1, 0);
    frame.SendMessage(WM_NCACTIVATE, FALSE, 0);
    MINMAXINFO info = {};
    frame.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 0);
    EXPECT_EQ(frame.Count(WM_NCPAINT), nPaints + 1);
    EXPECT_EQ(frame.Count(WM_NCACTIVATE), nActivates + 1);
    EXPECT_EQ(theme->Frame()->m_drawings.size(), nDrawings);
    EXPECT_TRUE(hook->IsFrameActive());

    // The insets are the system's.
    RECT rcSystem = {100, 100, 500, 400};
    ::DefWindowProcA(frame.m_hWnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rcSystem));
    RECT rc = {100, 100, 500, 400};
    frame.SendMessage(WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rc));
    EXPECT_TRUE(::EqualRect(&rc, &rcSystem));

    // The top dock bar's size asks for the glass margin again.
    const size_t nExtensions = query.m_extensions.size();
    CXTPDockBar* pTop = bars->GetDockBar(0);
    ASSERT_NE(pTop, nullptr);
    pTop->SetWindowPos(nullptr, 0, 0, 213, 31, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(query.m_extensions.size(), nExtensions + 1);
    bars->GetDockBar(1)->SetWindowPos(nullptr, 0, 200, 217, 33, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(query.m_extensions.size(), nExtensions + 1) << "only the top dock bar";

    // Detaching takes the extension back.
    bars->EnableFrameTheme(FALSE);
    const RECT& last = query.m_extensions.back();
    EXPECT_EQ(last.left + last.top + last.right + last.bottom, 0);
    EXPECT_FALSE(bars->IsDwmEnabled());
}

// ---- caption buttons

TEST_F(FrameHookTest, CaptionButtonsFollowTheStyle)
{
    struct Case
    {
        const char* name;
        DWORD dwAdd;
        DWORD dwRemove;
        DWORD dwExStyle;
        // Visible buttons from the right, and the restore button's hit code when shown.
        std::vector<int> visible;
        LRESULT nRestoreHit;
    } const cases[] = {
        {"normal", 0, 0, 0, {SC_CLOSE, SC_MAXIMIZE, SC_MINIMIZE}, 0},
        {"maximised", WS_MAXIMIZE, 0, 0, {SC_CLOSE, SC_RESTORE, SC_MINIMIZE}, HTMAXBUTTON},
        {"minimised", WS_MINIMIZE, 0, 0, {SC_CLOSE, SC_MAXIMIZE, SC_RESTORE}, HTMINBUTTON},
        {"no system menu", 0, WS_SYSMENU, 0, {}, 0},
        {"no boxes", 0, WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, {SC_CLOSE}, 0},
        {"tool window", 0, 0, WS_EX_TOOLWINDOW, {SC_CLOSE}, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        MakeFrame(WS_OVERLAPPEDWINDOW, c.dwExStyle);
        Attach();
        SetStyle(frame, c.dwAdd, c.dwRemove);
        hook->RefreshCaptionButtons();
        CRect rcWindow;
        frame.GetWindowRect(&rcWindow);
        const int nTop = hook->GetFrameBorder();
        const int nBottom = hook->GetCaptionHeight() - 3;
        int nRight = rcWindow.Width() - 4;
        std::vector<int> visible;
        CXTPControls* pButtons = hook->GetCaptionButtons();
        for (int i = 0; i < pButtons->GetCount(); ++i)
        {
            CXTPControl* pButton = pButtons->GetAt(i);
            if (!pButton->IsVisible())
                continue;
            visible.push_back(pButton->GetID());
            EXPECT_EQ(pButton->GetRect(), CRect(nRight - (nBottom - nTop), nTop, nRight, nBottom)) << pButton->GetID();
            nRight -= nBottom - nTop;
        }
        EXPECT_EQ(visible, c.visible);
        if (c.nRestoreHit)
        {
            EXPECT_EQ(Button(SC_RESTORE)->GetHelpId(), c.nRestoreHit);
        }
        TearDown();
        frame.m_log.clear();
    }
}

// ---- hit test

TEST_F(FrameHookTest, HitTestTable)
{
    MakeFrame();
    Attach();
    frame.m_bFixedHit = TRUE;
    const int nSmIcon = ::GetSystemMetrics(SM_CXSMICON);
    const int nCaptionY = hook->GetFrameBorder() + 3;
    const int nMiddle = 150;
    struct Case
    {
        const char* name;
        LRESULT nPrevious; // the frame's own answer
        CPoint pt;         // window coordinates
        LRESULT nExpected;
    } const cases[] = {
        {"close button", HTNOWHERE, Centre(SC_CLOSE), HTCLOSE},
        {"maximise button", HTCAPTION, Centre(SC_MAXIMIZE), HTMAXBUTTON},
        {"minimise button", HTNOWHERE, Centre(SC_MINIMIZE), HTMINBUTTON},
        {"system close away from the buttons", HTCLOSE, CPoint(nMiddle, nCaptionY), HTCAPTION},
        {"system maximise away from the buttons", HTMAXBUTTON, CPoint(nMiddle, nCaptionY), HTCAPTION},
        {"system help", HTHELP, CPoint(nMiddle, nCaptionY), HTCAPTION},
        {"nowhere in the caption", HTNOWHERE, CPoint(nMiddle, nCaptionY), HTCAPTION},
        {"icon area", HTNOWHERE, CPoint(2, nCaptionY), HTSYSMENU},
        {"last icon pixel", HTNOWHERE, CPoint(nSmIcon + 6, nCaptionY), HTSYSMENU},
        {"past the icon", HTNOWHERE, CPoint(nSmIcon + 7, nCaptionY), HTCAPTION},
        {"left border kept", HTLEFT, CPoint(1, 100), HTLEFT},
        {"nowhere below the caption", HTNOWHERE, CPoint(nMiddle, hook->GetCaptionHeight() + 5), HTNOWHERE},
        {"client", HTCLIENT, CPoint(nMiddle, 150), HTCLIENT},
    };
    for (const Case& c : cases)
    {
        frame.m_nHitAnswer = c.nPrevious;
        EXPECT_EQ(HitTest(c.pt), c.nExpected) << c.name;
    }

    // Without a system menu there is no icon and no button.
    SetStyle(frame, 0, WS_SYSMENU);
    frame.m_nHitAnswer = HTNOWHERE;
    EXPECT_EQ(HitTest(CPoint(2, nCaptionY)), HTCAPTION);
    EXPECT_FALSE(Button(SC_CLOSE)->IsVisible());
}

TEST_F(FrameHookTest, AGrayedCloseIsHitButNeverHotNorPressed)
{
    MakeFrame();
    ::EnableMenuItem(::GetSystemMenu(frame.m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    Attach();
    hook->RefreshCaptionButtons();
    CXTPControl* pClose = Button(SC_CLOSE);
    ASSERT_TRUE(pClose->IsVisible());
    EXPECT_FALSE(pClose->GetEnabled());
    frame.m_bFixedHit = TRUE;
    EXPECT_EQ(HitTest(Centre(SC_CLOSE)), HTCLOSE);

    frame.SendMessage(WM_NCMOUSEMOVE, HTCLOSE, frame.ScreenLParam(Centre(SC_CLOSE)));
    EXPECT_EQ(hook->GetHotButton(), nullptr);
    // An enabled button does become hot, and leaves when the mouse does.
    frame.SendMessage(WM_NCMOUSEMOVE, HTMINBUTTON, frame.ScreenLParam(Centre(SC_MINIMIZE)));
    EXPECT_EQ(hook->GetHotButton(), Button(SC_MINIMIZE));
    EXPECT_TRUE(Button(SC_MINIMIZE)->GetSelected());
    frame.SendMessage(WM_NCMOUSEMOVE, HTCAPTION, frame.ScreenLParam(CPoint(150, 8)));
    EXPECT_EQ(hook->GetHotButton(), nullptr);

    // Pressing the grayed close starts no loop: the click goes on to the frame, no command follows.
    ::PostMessageA(frame.m_hWnd, WM_LBUTTONUP, 0, frame.ClientLParam(Centre(SC_CLOSE)));
    frame.SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, frame.ScreenLParam(Centre(SC_CLOSE)));
    EXPECT_EQ(frame.Count(WM_NCLBUTTONDOWN), 1);
    EXPECT_EQ(frame.Count(WM_SYSCOMMAND), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    PumpFor(0);
}

// ---- press loop

TEST_F(FrameHookTest, PressLoopSendsTheCommandOnlyWhenReleasedOverTheButton)
{
    struct Case
    {
        const char* name;
        int nButton;
        std::vector<bool> moves; // inside or outside the button, in order; the release follows the last
        bool bCommand;
        std::vector<BOOL> pressedDrawings; // the press flag of each drawing during the loop
    } const cases[] = {
        {"released inside", SC_CLOSE, {true}, true, {TRUE, FALSE}},
        {"dragged out and released", SC_CLOSE, {false}, false, {TRUE, FALSE, FALSE}},
        {"out and back in", SC_CLOSE, {false, true}, true, {TRUE, FALSE, TRUE, FALSE}},
        {"minimise released inside", SC_MINIMIZE, {true, true}, true, {TRUE, FALSE}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        MakeFrame();
        Attach();
        const CRect rcButton = Button(c.nButton)->GetRect();
        const CPoint ptIn = rcButton.CenterPoint();
        const CPoint ptOut(rcButton.left - 30, rcButton.bottom + 40);
        CPoint ptLast = ptIn;
        for (bool bInside : c.moves)
        {
            ptLast = bInside ? ptIn : ptOut;
            ::PostMessageA(frame.m_hWnd, WM_MOUSEMOVE, 0, frame.ClientLParam(ptLast));
        }
        ::PostMessageA(frame.m_hWnd, WM_LBUTTONUP, 0, frame.ClientLParam(ptLast));
        theme->Frame()->m_drawings.clear();
        EXPECT_EQ(frame.SendMessage(WM_NCLBUTTONDOWN, Button(c.nButton)->GetHelpId(), frame.ScreenLParam(ptIn)), 0);

        EXPECT_EQ(frame.Count(WM_NCLBUTTONDOWN), 0) << "the hook took the click";
        EXPECT_EQ(frame.Count(WM_SYSCOMMAND), c.bCommand ? 1 : 0);
        if (c.bCommand && frame.Last(WM_SYSCOMMAND))
        {
            EXPECT_EQ(frame.Last(WM_SYSCOMMAND)->wParam, static_cast<WPARAM>(c.nButton));
            EXPECT_EQ(frame.Last(WM_SYSCOMMAND)->lParam, 0);
        }
        std::vector<BOOL> pressed;
        for (const FrameDrawing& d : theme->Frame()->m_drawings)
            pressed.push_back(d.bPressed);
        EXPECT_EQ(pressed, c.pressedDrawings);
        ASSERT_FALSE(theme->Frame()->m_drawings.empty());
        EXPECT_EQ(theme->Frame()->m_drawings.front().nHotId, c.nButton);
        EXPECT_EQ(theme->Frame()->m_drawings.back().nHotId, 0);
        EXPECT_EQ(::GetCapture(), nullptr);
        EXPECT_EQ(hook->GetHotButton(), nullptr);
        TearDown();
        frame.m_log.clear();
    }
}

// ---- insets and minimums

TEST_F(FrameHookTest, NcCalcSizeInsetsTheFrame)
{
    struct Case
    {
        const char* name;
        DWORD dwAdd;
        BOOL bAutoHide;
        int nBottomLift; // beyond the border
    } const cases[] = {
        {"normal", 0, FALSE, 0},
        {"normal, auto-hide taskbar", 0, TRUE, 0},
        {"maximised", WS_MAXIMIZE, FALSE, 0},
        // Under Wine the taskbar reports auto-hide: a maximised top-level frame loses its last row.
        {"maximised, auto-hide taskbar", WS_MAXIMIZE, TRUE, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        query.m_bAutoHide = c.bAutoHide;
        MakeFrame();
        Attach();
        SetStyle(frame, c.dwAdd, 0);
        const int nSeen = frame.Count(WM_NCCALCSIZE);
        const int b = hook->GetFrameBorder();
        RECT rc = {100, 100, 500, 400};
        EXPECT_EQ(frame.SendMessage(WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rc)), 0);
        EXPECT_EQ(rc.left, 100 + b);
        EXPECT_EQ(rc.top, 100 + hook->GetCaptionHeight());
        EXPECT_EQ(rc.right, 500 - b);
        EXPECT_EQ(rc.bottom, 400 - b - c.nBottomLift);
        EXPECT_EQ(frame.Count(WM_NCCALCSIZE), nSeen) << "the hook answers";
        TearDown();
        frame.m_log.clear();
    }
}

TEST_F(FrameHookTest, MinMaxInfoKeepsRoomForTheCaption)
{
    MakeFrame();
    Attach();
    const int nCaption = hook->GetCaptionHeight() + hook->GetFrameBorder();
    const int cxMin = 3 * nCaption + 2 * ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CYSIZE);
    struct Case
    {
        const char* name;
        POINT ptIn;
        POINT ptOut;
    } const cases[] = {
        {"smaller minimums grow", {0, 0}, {cxMin, nCaption}},
        {"larger minimums stay", {cxMin + 50, nCaption + 9}, {cxMin + 50, nCaption + 9}},
    };
    const int nSeen = frame.Count(WM_GETMINMAXINFO);
    for (const Case& c : cases)
    {
        MINMAXINFO info = {};
        info.ptMinTrackSize = c.ptIn;
        frame.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.ptMinTrackSize.x, c.ptOut.x) << c.name;
        EXPECT_EQ(info.ptMinTrackSize.y, c.ptOut.y) << c.name;
    }
    EXPECT_EQ(frame.Count(WM_GETMINMAXINFO), nSeen + 2) << "the frame's own procedure answers first";
}

// ---- painting and size changes

TEST_F(FrameHookTest, OneNcPaintIsSkippedAfterAResize)
{
    MakeFrame();
    Attach();
    MessageSpy spy;
    GetHookManager()->SetHook(frame.m_hWnd, &spy);
    const std::vector<FrameDrawing>& drawings = theme->Frame()->m_drawings;
    auto paintedByNcPaint = [&]() {
        int n = 0;
        for (const FrameDrawing& d : drawings)
            n += d.nMessage == WM_NCPAINT ? 1 : 0;
        return n;
    };
    struct Case
    {
        const char* name;
        CRect rc;
        UINT nFlags;
        int nSkipped;
    } const cases[] = {
        {"resized", CRect(60, 60, 510, 390), 0, 1},
        {"resized again", CRect(60, 60, 470, 350), 0, 1},
        {"moved", CRect(90, 80, 500, 370), SWP_NOSIZE, 0},
    };
    const int nFramePaints = frame.Count(WM_NCPAINT);
    for (const Case& c : cases)
    {
        const int nPaints = spy.Count(WM_NCPAINT);
        const int nDrawn = paintedByNcPaint();
        frame.SetWindowPos(nullptr, c.rc.left, c.rc.top, c.rc.Width(), c.rc.Height(),
                           c.nFlags | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        // However many paints the system sends meanwhile, two more follow.
        PumpFor(30);
        frame.SendMessage(WM_NCPAINT, 1, 0);
        frame.SendMessage(WM_NCPAINT, 1, 0);
        const int nReceived = spy.Count(WM_NCPAINT) - nPaints;
        EXPECT_EQ(paintedByNcPaint() - nDrawn, nReceived - c.nSkipped) << c.name;
    }
    EXPECT_EQ(frame.Count(WM_NCPAINT), nFramePaints) << "the hook paints the frame itself";
    GetHookManager()->RemoveHook(frame.m_hWnd, &spy);
}

TEST_F(FrameHookTest, MinimisingAMaximisedFrameClearsMaximise)
{
    MakeFrame();
    // Without the hook the style keeps the bit.
    SetStyle(frame, WS_MAXIMIZE, 0);
    frame.SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_NE(frame.GetStyle() & WS_MAXIMIZE, 0u);
    SetStyle(frame, 0, WS_MAXIMIZE);

    Attach();
    SetStyle(frame, WS_MAXIMIZE, 0);
    const int nSizes = frame.Count(WM_SIZE);
    frame.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    EXPECT_NE(frame.GetStyle() & WS_MAXIMIZE, 0u) << "only minimising clears it";
    frame.SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(frame.GetStyle() & WS_MAXIMIZE, 0u);
    EXPECT_EQ(frame.Count(WM_SIZE), nSizes + 2) << "the frame still sees its sizes";
}

TEST_F(FrameHookTest, ActivationIsDrawnByTheHook)
{
    MakeFrame();
    Attach();
    std::vector<FrameDrawing>& drawings = theme->Frame()->m_drawings;
    drawings.clear();
    frame.SendMessage(WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(hook->IsFrameActive());
    ASSERT_FALSE(drawings.empty());
    EXPECT_FALSE(drawings.back().bActive);
    const LoggedMessage* pActivate = frame.Last(WM_NCACTIVATE);
    ASSERT_NE(pActivate, nullptr);
    EXPECT_EQ(pActivate->dwStyle & WS_THICKFRAME, 0u) << "the system sees no sizing frame while it activates";
    EXPECT_NE(frame.GetStyle() & WS_THICKFRAME, 0u);

    // The same state again draws nothing.
    const size_t n = drawings.size();
    frame.SendMessage(WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(drawings.size(), n);
    frame.SendMessage(WM_NCACTIVATE, TRUE, 0);
    EXPECT_TRUE(hook->IsFrameActive());

    // A disabled frame is drawn inactive.
    frame.EnableWindow(FALSE);
    frame.SendMessage(WM_NCACTIVATE, TRUE, 0);
    EXPECT_FALSE(hook->IsFrameActive());
    frame.EnableWindow(TRUE);

    // A hidden frame only keeps the state; the frame's procedure handles the message.
    frame.ShowWindow(SW_HIDE);
    const int nSeen = frame.Count(WM_NCACTIVATE);
    frame.SendMessage(WM_NCACTIVATE, TRUE, 0);
    EXPECT_TRUE(hook->IsFrameActive());
    EXPECT_EQ(frame.Count(WM_NCACTIVATE), nSeen + 1);
    EXPECT_EQ(frame.Last(WM_NCACTIVATE)->wParam, static_cast<WPARAM>(TRUE));
}

TEST_F(FrameHookTest, TitleRightClickAndDelayedRecalculation)
{
    MakeFrame();
    Attach();
    std::vector<FrameDrawing>& drawings = theme->Frame()->m_drawings;

    // A new title reaches the frame and the hook draws the caption again.
    size_t n = drawings.size();
    frame.SetWindowText("Renamed frame");
    EXPECT_EQ(frame.Count(WM_SETTEXT), 1);
    EXPECT_EQ(drawings.size(), n + 1);
    CHAR szTitle[64] = {};
    ::GetWindowTextA(frame.m_hWnd, szTitle, sizeof(szTitle));
    EXPECT_STREQ(szTitle, "Renamed frame");

    // A right click on the caption opens the system menu through 0x313 (the frame keeps it here).
    frame.SendMessage(WM_NCMOUSEMOVE, HTMINBUTTON, frame.ScreenLParam(Centre(SC_MINIMIZE)));
    ASSERT_NE(hook->GetHotButton(), nullptr);
    const LPARAM lPoint = frame.ScreenLParam(CPoint(150, 8));
    frame.SendMessage(WM_NCRBUTTONUP, HTCAPTION, lPoint);
    EXPECT_EQ(hook->GetHotButton(), nullptr);
    ASSERT_NE(frame.Last(0x313), nullptr);
    EXPECT_EQ(frame.Last(0x313)->wParam, reinterpret_cast<WPARAM>(frame.m_hWnd));
    EXPECT_EQ(frame.Last(0x313)->lParam, lPoint);
    EXPECT_EQ(frame.Count(WM_NCRBUTTONUP), 0);
    // Elsewhere the click is the frame's.
    frame.SendMessage(WM_NCRBUTTONUP, HTLEFT, lPoint);
    EXPECT_EQ(frame.Count(WM_NCRBUTTONUP), 1);

    // A delayed recalculation waits for the idle message, then changes the frame once.
    frame.m_log.clear();
    hook->DelayRecalcFrame();
    EXPECT_EQ(frame.Count(WM_WINDOWPOSCHANGED), 0);
    PumpFor(20);
    EXPECT_EQ(frame.Count(WM_IDLEUPDATECMDUI), 1);
    ASSERT_NE(frame.Last(WM_WINDOWPOSCHANGED), nullptr);
    const int nChanged = frame.Count(WM_WINDOWPOSCHANGED);
    frame.SendMessage(WM_IDLEUPDATECMDUI, 0, 0);
    EXPECT_EQ(frame.Count(WM_WINDOWPOSCHANGED), nChanged) << "nothing pending any more";
}

TEST_F(FrameHookTest, CompositionChangesWhileAttached)
{
    MakeFrame();
    Attach();
    EXPECT_TRUE(HasRegion(frame.m_hWnd));
    query.m_bComposition = TRUE;
    frame.SendMessage(0x31E, 0, 0);
    EXPECT_TRUE(hook->IsDwmEnabled());
    EXPECT_FALSE(HasRegion(frame.m_hWnd));
    EXPECT_EQ(frame.Count(0x31E), 1) << "the frame hears it too";

    query.m_bComposition = FALSE;
    frame.SendMessage(0x31E, 0, 0);
    EXPECT_FALSE(hook->IsDwmEnabled());
    EXPECT_TRUE(HasRegion(frame.m_hWnd)) << "the frame's region comes back with the recalculated frame";
}

// ---- events

TEST_F(FrameHookTest, AReorderEventArmsTheFrameTimer)
{
    MakeFrame();
    Attach();
    LoggingFrame plain;
    ASSERT_TRUE(plain.CreateFrame());

    // Wine raises no EVENT_OBJECT_REORDER of its own: the test raises it.
    ::NotifyWinEvent(EVENT_OBJECT_REORDER, frame.m_hWnd, OBJID_WINDOW, CHILDID_SELF);
    ::NotifyWinEvent(EVENT_OBJECT_REORDER, plain.m_hWnd, OBJID_WINDOW, CHILDID_SELF);
    PumpFor(40);
    EXPECT_TRUE(::KillTimer(frame.m_hWnd, XTP_TID_FRAMEHOOK_REORDER)) << "armed on the hooked frame";
    EXPECT_FALSE(::KillTimer(plain.m_hWnd, XTP_TID_FRAMEHOOK_REORDER)) << "never on a frame without a hook";

    // A child object of the frame is not the frame.
    ::NotifyWinEvent(EVENT_OBJECT_REORDER, frame.m_hWnd, OBJID_CLIENT, CHILDID_SELF);
    PumpFor(40);
    EXPECT_FALSE(::KillTimer(frame.m_hWnd, XTP_TID_FRAMEHOOK_REORDER));

    // The timer recalculates the system frame without the caption bits and is consumed.
    frame.m_log.clear();
    ::SetTimer(frame.m_hWnd, XTP_TID_FRAMEHOOK_REORDER, 10000, nullptr);
    frame.SendMessage(WM_TIMER, XTP_TID_FRAMEHOOK_REORDER, 0);
    const LoggedMessage* pCalc = frame.Last(WM_NCCALCSIZE);
    ASSERT_NE(pCalc, nullptr);
    EXPECT_EQ(pCalc->dwStyle & WS_DLGFRAME, 0u);
    EXPECT_NE(frame.GetStyle() & WS_DLGFRAME, 0u) << "the style comes back";
    EXPECT_EQ(frame.Count(WM_TIMER), 0);
    EXPECT_EQ(frame.Count(WM_STYLECHANGED), 0) << "the system sees no style change";
    EXPECT_FALSE(::KillTimer(frame.m_hWnd, XTP_TID_FRAMEHOOK_REORDER)) << "the timer is killed";
    plain.DestroyWindow();
}

TEST_F(FrameHookTest, AReorderEventOnAComposedFrameArmsNothing)
{
    query.m_bComposition = TRUE;
    MakeFrame();
    Attach();
    ::NotifyWinEvent(EVENT_OBJECT_REORDER, frame.m_hWnd, OBJID_WINDOW, CHILDID_SELF);
    PumpFor(40);
    EXPECT_FALSE(::KillTimer(frame.m_hWnd, XTP_TID_FRAMEHOOK_REORDER));
}

TEST_F(FrameHookTest, ThemeImagesReloadedRefreshesOnlyALiveFrame)
{
    MakeFrame();
    Attach();
    CXTPNotifyConnection* pConnection = GetResourceImages()->GetConnection();
    int nRefreshes = theme->m_nRefreshes;
    size_t nDrawings = theme->Frame()->m_drawings.size();
    pConnection->SendEvent(XTP_NC_COMMON_RESOURCEIMAGES_CHANGED, 0, 0);
    EXPECT_EQ(theme->m_nRefreshes, nRefreshes + 1);
    EXPECT_EQ(theme->Frame()->m_drawings.size(), nDrawings + 1);

    // Another event id is not the hook's.
    hook->OnThemeImagesReloaded(XTP_NC_COMMON_RESOURCEIMAGES_CHANGED + 1, 0, 0, 0);
    EXPECT_EQ(theme->m_nRefreshes, nRefreshes + 1);

    // After the frame is gone the event does nothing.
    frame.DestroyWindow();
    nRefreshes = theme->m_nRefreshes;
    nDrawings = theme->Frame()->m_drawings.size();
    pConnection->SendEvent(XTP_NC_COMMON_RESOURCEIMAGES_CHANGED, 0, 0);
    EXPECT_EQ(theme->m_nRefreshes, nRefreshes);
    EXPECT_EQ(theme->Frame()->m_drawings.size(), nDrawings);
}

TEST_F(FrameHookTest, DeletingTheHookLeavesTheThemeImagesConnection)
{
    MakeFrame();
    CXTPNotifyConnection* pConnection = GetResourceImages()->GetConnection();
    const INT_PTR nConnections = pConnection->GetConnectionCount();
    Attach();
    EXPECT_EQ(pConnection->GetConnectionCount(), nConnections + 1);
    bars->EnableFrameTheme(FALSE);
    EXPECT_EQ(pConnection->GetConnectionCount(), nConnections);
}

// ---- drawing

TEST_F(FrameHookTest, PlainFrameDrawingUsesTheCaptionColoursAndLeavesTheClient)
{
    MakeFrame();
    Attach();
    CRect rcWindow;
    frame.GetWindowRect(&rcWindow);
    CRect rcClient;
    frame.GetClientRect(&rcClient);
    frame.ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    EXPECT_EQ(rcClient.top, hook->GetCaptionHeight());
    EXPECT_EQ(rcClient.left, hook->GetFrameBorder());

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = rcWindow.Width();
    bmi.bmiHeader.biHeight = -rcWindow.Height();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    ASSERT_NE(hBitmap, nullptr);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hBitmap);
    const COLORREF clrMarker = RGB(1, 2, 3);
    struct Case
    {
        const char* name;
        BOOL bActive;
        int nCaptionColor;
        int nTextColor;
    } const cases[] = {
        {"active", TRUE, COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT},
        {"inactive", FALSE, COLOR_INACTIVECAPTION, COLOR_INACTIVECAPTIONTEXT},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        frame.SendMessage(WM_NCACTIVATE, c.bActive, 0);
        dc.FillSolidRect(CRect(0, 0, rcWindow.Width(), rcWindow.Height()), clrMarker);
        theme->Frame()->CXTPFramePaintManager::DrawFrame(&dc, hook);
        // The caption between the title and the buttons, the client untouched, the border face.
        const int y = hook->GetFrameBorder() + 2;
        const int x = Button(SC_MINIMIZE)->GetRect().left - 6;
        EXPECT_EQ(dc.GetPixel(x, y), ::GetSysColor(c.nCaptionColor));
        EXPECT_EQ(dc.GetPixel(rcClient.CenterPoint().x, rcClient.CenterPoint().y), clrMarker);
        EXPECT_EQ(dc.GetPixel(rcClient.left + 1, rcClient.bottom - 1), clrMarker);
        EXPECT_EQ(dc.GetPixel(2, rcClient.top + 20), ::GetSysColor(COLOR_3DFACE));
        EXPECT_NE(dc.GetPixel(Centre(SC_CLOSE).x, Centre(SC_CLOSE).y), clrMarker) << "the close button is drawn";
        // The title shows in the caption text colour somewhere left of the buttons.
        bool bText = false;
        for (int tx = hook->GetFrameBorder() + 20; tx < x && !bText; ++tx)
        {
            for (int ty = hook->GetFrameBorder(); ty < hook->GetCaptionHeight() - 1 && !bText; ++ty)
                bText = dc.GetPixel(tx, ty) == ::GetSysColor(c.nTextColor);
        }
        EXPECT_TRUE(bText);
    }
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::DeleteObject(hBitmap);
}

TEST_F(FrameHookTest, PrintWithNonClientDrawsTheFrame)
{
    MakeFrame();
    Attach();
    size_t n = theme->Frame()->m_drawings.size();
    CClientDC dc(&frame);
    frame.SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
    EXPECT_EQ(theme->Frame()->m_drawings.size(), n);
    frame.SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_NONCLIENT);
    EXPECT_EQ(theme->Frame()->m_drawings.size(), n + 1);
    EXPECT_EQ(frame.Count(WM_PRINT), 2);
}
