// The dock context's drag and resize loops on real toolbars of a frame: the mouse messages are
// posted before the loop starts (screen points, through a pad window at the screen origin), then the
// toolbar's own press handlers, or the context, run the loop over them.
#include "ToolBarSupport.h"

#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/docking/XTPDockContext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <vector>

using tb_test::DockingOnFrame;

namespace
{
const UINT kPadAction = WM_APP + 1;
const UINT_PTR kPadTimer = 1;

// A hidden borderless popup at the screen origin: its client coordinates are screen coordinates, so
// the mouse messages posted to it carry screen points whatever the dragged bar does meanwhile.
// Actions posted to it run when the loop dispatches them; a timer runs one after a delay.
class ScreenPad
{
public:
    ScreenPad()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &ScreenPad::Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "QvxDockContextPad";
        ::RegisterClassA(&wc); // a second registration fails harmlessly
        m_hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr,
                                   nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~ScreenPad()
    {
        Drain();
        ::DestroyWindow(m_hWnd);
    }
    HWND Handle() const { return m_hWnd; }

    void Move(CPoint pt) { ::PostMessageA(m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, Pack(pt)); }
    void Up(CPoint pt) { ::PostMessageA(m_hWnd, WM_LBUTTONUP, 0, Pack(pt)); }
    void Key(UINT nKey) { ::PostMessageA(m_hWnd, WM_KEYDOWN, nKey, 1); }
    // Moves from one point to another in equal steps (the last one at the target).
    void Path(CPoint ptFrom, CPoint ptTo, int nSteps)
    {
        for (int i = 1; i <= nSteps; ++i)
            Move(CPoint(ptFrom.x + (ptTo.x - ptFrom.x) * i / nSteps,
                        ptFrom.y + (ptTo.y - ptFrom.y) * i / nSteps));
    }
    void Action(std::function<void()> fn)
    {
        m_actions.push_back(std::move(fn));
        ::PostMessageA(m_hWnd, kPadAction, m_actions.size() - 1, 0);
    }
    void Timer(UINT nElapse, std::function<void()> fn)
    {
        m_timer = std::move(fn);
        ::SetTimer(m_hWnd, kPadTimer, nElapse, nullptr);
    }
    // The pad's messages still queued, removed; returns how many there were.
    int Drain()
    {
        ::KillTimer(m_hWnd, kPadTimer);
        int n = 0;
        MSG msg;
        while (::PeekMessageA(&msg, m_hWnd, 0, 0, PM_REMOVE))
            n += msg.message == WM_TIMER ? 0 : 1;
        return n;
    }

private:
    static LPARAM Pack(CPoint pt) { return MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)); }
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        ScreenPad* pPad = reinterpret_cast<ScreenPad*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        try
        {
            if (pPad && message == kPadAction && wParam < pPad->m_actions.size())
            {
                pPad->m_actions[wParam]();
                return 0;
            }
            if (pPad && message == WM_TIMER && wParam == kPadTimer)
            {
                ::KillTimer(hWnd, kPadTimer);
                if (pPad->m_timer)
                    pPad->m_timer();
                return 0;
            }
        }
        catch (...)
        {
            ADD_FAILURE() << "an action of the pad threw";
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }

    HWND m_hWnd = nullptr;
    std::vector<std::function<void()>> m_actions;
    std::function<void()> m_timer;
};

// A fixed work area, and GetMessage answering -1 from a chosen call on.
class LoopQuery : public mgr_test::FixedSystemQuery
{
public:
    RECT GetWorkArea(POINT) override { return m_rcWork; }
    RECT GetWorkArea(HWND) override { return m_rcWork; }
    int GetNextMessage(MSG* pMsg) override
    {
        ++m_nCalls;
        if (m_nFailFrom > 0 && m_nCalls >= m_nFailFrom)
        {
            // A loop that does not stop on failures would spin: after a while it is given a
            // button release so that the test ends and reports it.
            if (m_nCalls - m_nFailFrom < 100)
                return -1;
            std::memset(pMsg, 0, sizeof(MSG));
            pMsg->message = WM_LBUTTONUP;
            return 1;
        }
        return CXTPCommandBarsSystemQuery::GetNextMessage(pMsg);
    }

    CRect m_rcWork = CRect(0, 0, 1200, 900);
    int m_nFailFrom = 0;
    int m_nCalls = 0;
};

// A bar that sizes itself freely and records what it was given.
class FreeSizingToolBar : public CXTPToolBar
{
    DECLARE_DYNCREATE(FreeSizingToolBar)

public:
    BOOL IsKindQuery1() const override { return TRUE; }
    void ResizeBar(const CRect& rcWindow, int nHitTest) override
    {
        m_resizes.push_back(rcWindow);
        m_nHitTest = nHitTest;
        CXTPToolBar::ResizeBar(rcWindow, nHitTest);
    }
    std::vector<CRect> m_resizes;
    int m_nHitTest = 0;
};
IMPLEMENT_DYNCREATE(FreeSizingToolBar, CXTPToolBar)

// A bar whose memory is filled with 0xDD when it is deleted and kept until the test frees it:
// whatever touches it afterwards reads garbage pointers.
class PoisonedToolBar : public CXTPToolBar
{
    DECLARE_DYNCREATE(PoisonedToolBar)

public:
    static void operator delete(void* p, std::size_t nSize) noexcept
    {
        std::memset(p, 0xDD, nSize);
        s_blocks.push_back(p);
    }
    static void FreeBlocks()
    {
        for (void* p : s_blocks)
            ::operator delete(p);
        s_blocks.clear();
    }
    static std::vector<void*> s_blocks;
};
IMPLEMENT_DYNCREATE(PoisonedToolBar, CXTPToolBar)
std::vector<void*> PoisonedToolBar::s_blocks;

CRect ScreenRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

// The controls' distinct row tops, auxiliary buttons left out.
std::set<int> RowTops(CXTPToolBar* pBar)
{
    std::set<int> tops;
    for (int i = 0; i < pBar->GetControlCount(); ++i)
    {
        CXTPControl* p = pBar->GetControl(i);
        if (p->IsVisible() && p->GetID() != ID_TK_TOOLBAR_EXPAND && p->GetID() != ID_TK_TOOLBAR_HIDE)
            tops.insert(p->GetRect().top);
    }
    return tops;
}

class DockContextOnFrame : public DockingOnFrame
{
protected:
    void SetUp() override
    {
        DockingOnFrame::SetUp();
        ::ReleaseCapture();
        m_nLockBefore = XTPMouseManager()->m_nLock;
    }
    void TearDown() override
    {
        pad.Drain();
        DockingOnFrame::TearDown();
    }
    // The point on the bar's gripper (or a floating bar's caption) that starts a drag.
    static CPoint GripClient() { return CPoint(4, 4); }
    static CPoint Grip(CXTPToolBar* pBar)
    {
        CPoint pt = GripClient();
        ::ClientToScreen(pBar->GetSafeHwnd(), &pt);
        return pt;
    }
    // The user presses the gripper: the toolbar's handler runs the loop over the posted messages.
    static void PressGripper(CXTPToolBar* pBar)
    {
        ::SendMessageA(pBar->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON,
                       MAKELPARAM(GripClient().x, GripClient().y));
    }
    // The loop left nothing behind: no capture, the mouse manager's lock as before.
    void ExpectLoopEnded(const char* pszCase)
    {
        EXPECT_EQ(::GetCapture(), nullptr) << pszCase;
        EXPECT_EQ(XTPMouseManager()->m_nLock, m_nLockBefore) << pszCase;
    }
    // A docked toolbar "A" with three buttons, the frame laid out.
    CXTPToolBar* AddDockedBar()
    {
        CXTPToolBar* pBar = AddToolBar("A", {100, 101, 102});
        Layout();
        return pBar;
    }
    // Posts the moves of a drag from the bar's gripper to the free point; answers where the bar's
    // top-left corner must end when it goes with the mouse.
    CPoint PostDragToFree(CXTPToolBar* pBar, int nSteps)
    {
        const CPoint ptStart = Grip(pBar);
        pad.Path(ptStart, m_ptFree, nSteps);
        return ScreenRect(pBar->GetSafeHwnd()).TopLeft() + (m_ptFree - ptStart);
    }
    // Handles what is queued for this thread now.
    static void PumpPending()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    // A floating bar at a screen point, with its floating layout.
    void FloatAt(CXTPToolBar* pBar, CPoint pt)
    {
        ASSERT_TRUE(bars->FloatCommandBar(pBar));
        ::SetWindowPos(pBar->GetSafeHwnd(), nullptr, pt.x, pt.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pBar->OnRecalcLayout();
    }

    LoopQuery loopQuery;
    ScreenPad pad;
    int m_nLockBefore = 0;
    // Far from every dock bar of the frame (20, 20, 420, 220), inside the work area.
    const CPoint m_ptFree = CPoint(760, 560);
};
} // namespace

// A named case of the geometry rules: what goes in, the rectangle that must come out.
template <class In> struct GeometryCase
{
    const char* name;
    In in;
    CRect expected;
};

TEST_F(DockContextOnFrame, GeometryOfTheSteps)
{
    const CRect rc(100, 100, 200, 150);
    const GeometryCase<CPoint> contain[] = {
        {"inside: no move", CPoint(150, 120), rc},
        {"left of it", CPoint(90, 120), CRect(90, 100, 190, 150)},
        {"on the right edge", CPoint(200, 120), CRect(101, 100, 201, 150)},
        {"below and right", CPoint(250, 170), CRect(151, 121, 251, 171)},
        {"above", CPoint(150, 40), CRect(100, 40, 200, 90)},
    };
    for (const auto& c : contain)
        EXPECT_EQ(CXTPDockContext::MoveToContain(rc, c.in), c.expected) << c.name;

    const CRect rcWork(0, 0, 1000, 800);
    const GeometryCase<CRect> keep[] = {
        {"on the work area", rc, rc},
        {"off the left", CRect(-500, 100, -400, 150), CRect(-90, 100, 10, 150)},
        {"off the right", CRect(1200, 100, 1300, 150), CRect(990, 100, 1090, 150)},
        {"off the top", CRect(100, -300, 200, -250), CRect(100, -40, 200, 10)},
        {"off the bottom", CRect(100, 900, 200, 950), CRect(100, 790, 200, 840)},
        {"exactly ten pixels in", CRect(-90, -40, 10, 10), CRect(-90, -40, 10, 10)},
    };
    for (const auto& c : keep)
        EXPECT_EQ(CXTPDockContext::KeepOnWorkArea(c.in, rcWork), c.expected) << c.name;

    struct EdgeCase
    {
        int nHit;
        CRect expected;
    } const edges[] = {
        {HTLEFT, CRect(105, 100, 200, 150)},       {HTRIGHT, CRect(100, 100, 205, 150)},
        {HTTOP, CRect(100, 107, 200, 150)},        {HTTOPLEFT, CRect(105, 107, 200, 150)},
        {HTTOPRIGHT, CRect(100, 107, 205, 150)},   {HTBOTTOM, CRect(100, 100, 200, 157)},
        {HTBOTTOMLEFT, CRect(105, 100, 200, 157)}, {HTBOTTOMRIGHT, CRect(100, 100, 205, 157)},
    };
    for (const EdgeCase& c : edges)
        EXPECT_EQ(CXTPDockContext::MoveEdges(rc, c.nHit, CSize(5, 7)), c.expected) << "hit code " << c.nHit;

    // A resized toolbar keeps the edge opposite the dragged one.
    EXPECT_EQ(CXTPDockContext::PlaceResized(rc, HTLEFT, CSize(60, 80)), CRect(140, 100, 200, 180));
    EXPECT_EQ(CXTPDockContext::PlaceResized(rc, HTRIGHT, CSize(60, 80)), CRect(100, 100, 160, 180));
    EXPECT_EQ(CXTPDockContext::PlaceResized(rc, HTTOP, CSize(160, 30)), CRect(100, 120, 260, 150));
    EXPECT_EQ(CXTPDockContext::PlaceResized(rc, HTBOTTOM, CSize(160, 30)), CRect(100, 100, 260, 130));
    // Off the work area it comes back to touch it.
    EXPECT_EQ(CXTPDockContext::TouchWorkArea(CRect(-300, 100, -200, 150), rcWork), CRect(-100, 100, 0, 150));
    EXPECT_EQ(CXTPDockContext::TouchWorkArea(CRect(100, 900, 200, 950), rcWork), CRect(100, 800, 200, 850));
    EXPECT_EQ(CXTPDockContext::TouchWorkArea(rc, rcWork), rc);
}

TEST_F(DockContextOnFrame, DragPlacesTheBarWhereItsFlagsAllow)
{
    CXTPToolBar* pA = AddToolBar("A", {100, 101, 102, 103});
    CXTPToolBar* pB = AddToolBar("B", {200, 201});
    ASSERT_TRUE(pA && pB);
    CXTPDockBar* pTop = bars->GetDockBar(xtpBarTop);
    CXTPDockBar* pLeft = bars->GetDockBar(xtpBarLeft);

    enum Target
    {
        kFree,
        kNearLeft
    };
    struct Case
    {
        const char* name;
        DWORD dwCleared;
        Target target;
        int nExpected;
    } const cases[] = {
        {"clear of every dock bar: floats", 0, kFree, xtpBarFloating},
        {"within reach of the left dock bar: docks there", 0, kNearLeft, xtpBarLeft},
        {"near the left dock bar without 0x4: floats", xtpFlagAlignLeft, kNearLeft, xtpBarFloating},
        {"clear of every dock bar without 0x10: stays", xtpFlagFloating, kFree, xtpBarTop},
        {"near the left dock bar without 0x4 and 0x10: stays", xtpFlagAlignLeft | xtpFlagFloating, kNearLeft,
         xtpBarTop},
    };
    for (const Case& c : cases)
    {
        pA->SetFlags(0x3F);
        ASSERT_TRUE(bars->DockCommandBar(pA, xtpBarTop)) << c.name;
        Layout();
        pA->ModifyFlags(0, c.dwCleared);
        bars->GetCommandBarsOptions()->bDirtyState = FALSE;
        const CRect rcBefore = ScreenRect(pA->GetSafeHwnd());
        CRect rcDockedBefore = rcBefore;
        pTop->ScreenToClient(&rcDockedBefore);
        const CPoint ptStart = Grip(pA);
        // Beside the left dock bar, halfway down, more than 20 pixels from the top and bottom ones.
        const CRect rcLeft = ScreenRect(pLeft->GetSafeHwnd());
        const CPoint ptTarget =
            c.target == kFree ? m_ptFree : CPoint(rcLeft.right + 12, rcLeft.CenterPoint().y);
        ASSERT_GT(ptTarget.y, ScreenRect(pTop->GetSafeHwnd()).bottom + 20) << c.name;

        pad.Path(ptStart, ptTarget, 4);
        pad.Up(ptTarget);
        PressGripper(pA);

        ExpectLoopEnded(c.name);
        EXPECT_EQ(pad.Drain(), 0) << c.name; // every posted message was taken by the loop
        EXPECT_EQ(pA->GetPosition(), c.nExpected) << c.name;
        EXPECT_TRUE(bars->GetCommandBarsOptions()->bDirtyState) << c.name;
        const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongPtrA(pA->GetSafeHwnd(), GWL_STYLE));
        const CRect rcAfter = ScreenRect(pA->GetSafeHwnd());
        if (c.nExpected == xtpBarFloating)
        {
            EXPECT_EQ(dwStyle & ~WS_VISIBLE, 0x86000100u) << c.name;
            EXPECT_EQ(pA->GetDockBar(), nullptr) << c.name;
            EXPECT_EQ(pTop->FindBar(pA), -1) << c.name;
            // It went with the mouse, at the floating size.
            EXPECT_EQ(rcAfter.TopLeft(), rcBefore.TopLeft() + (ptTarget - ptStart)) << c.name;
            EXPECT_EQ(rcAfter.Size(), pA->CalcDynamicLayout(-1, LM_MRUWIDTH | LM_HORZ)) << c.name;
            // The expand button of the docked bar stays out of the floating row.
            CXTPControl* pExpand = pA->FindExpandControl();
            EXPECT_TRUE(!pExpand || !pExpand->IsVisible()) << c.name;
            EXPECT_EQ(rcAfter.Width(), pA->GetControl(3)->GetRect().right + 3) << c.name;
            // It remembers the floating place and the docked place it came from.
            CXTPDockContext* pContext = pA->GetDockContext();
            EXPECT_EQ(pContext->GetFloatingPos(), rcAfter.TopLeft()) << c.name;
            EXPECT_EQ(pContext->GetDockBarIndex(), static_cast<UINT>(xtpBarTop)) << c.name;
            EXPECT_EQ(pContext->GetDockedRect(), rcDockedBefore) << c.name;
        }
        else
        {
            EXPECT_EQ(dwStyle & (WS_CHILD | WS_POPUP), static_cast<DWORD>(WS_CHILD)) << c.name;
            EXPECT_EQ(pA->GetDockBar(), bars->GetDockBar(c.nExpected)) << c.name;
            EXPECT_EQ(::GetParent(pA->GetSafeHwnd()), bars->GetDockBar(c.nExpected)->GetSafeHwnd()) << c.name;
        }
        if (c.nExpected == xtpBarLeft)
        {
            EXPECT_GT(rcAfter.Height(), rcAfter.Width()) << c.name; // laid out vertically
        }
        if (c.nExpected == xtpBarTop && c.target == kFree)
        {
            EXPECT_EQ(rcAfter, rcBefore) << c.name;
        }
    }
    // B never moved out of the top dock bar.
    EXPECT_EQ(pB->GetDockBar(), pTop);
}

TEST_F(DockContextOnFrame, FarOffScreenTenPixelsStayOnTheWorkArea)
{
    CXTPToolBar* pA = AddToolBar("A", {100, 101, 102});
    ASSERT_NE(pA, nullptr);
    const CRect& rcWork = loopQuery.m_rcWork;
    struct Case
    {
        const char* name;
        CPoint ptTarget;
    } const cases[] = {
        {"far left", CPoint(-3000, 450)},
        {"far right", CPoint(5000, 450)},
        {"far up", CPoint(600, -3000)},
        {"far down", CPoint(600, 5000)},
    };
    for (const Case& c : cases)
    {
        FloatAt(pA, CPoint(500, 400));
        const CSize szBar = ScreenRect(pA->GetSafeHwnd()).Size();
        pad.Path(Grip(pA), c.ptTarget, 3);
        pad.Up(c.ptTarget);
        PressGripper(pA);
        ExpectLoopEnded(c.name);

        const CRect rc = ScreenRect(pA->GetSafeHwnd());
        EXPECT_EQ(pA->GetPosition(), xtpBarFloating) << c.name;
        EXPECT_EQ(rc.Size(), szBar) << c.name;
        EXPECT_GE(rc.right, rcWork.left + 10) << c.name;
        EXPECT_LE(rc.left, rcWork.right - 10) << c.name;
        EXPECT_GE(rc.bottom, rcWork.top + 10) << c.name;
        EXPECT_LE(rc.top, rcWork.bottom - 10) << c.name;
        // On the side it went to, exactly ten pixels stay.
        const int nKept = c.ptTarget.x < 0              ? rc.right - rcWork.left
                          : c.ptTarget.x > rcWork.right ? rcWork.right - rc.left
                          : c.ptTarget.y < 0            ? rc.bottom - rcWork.top
                                                        : rcWork.bottom - rc.top;
        EXPECT_EQ(nKept, 10) << c.name;
    }
}

TEST_F(DockContextOnFrame, EscLeavesTheBarWhereItIs)
{
    CXTPToolBar* pA = AddDockedBar();
    ASSERT_NE(pA, nullptr);
    const CPoint ptCorner = PostDragToFree(pA, 2);
    pad.Key(VK_ESCAPE);
    pad.Move(CPoint(900, 650)); // after Esc: not the loop's any more
    PressGripper(pA);
    ExpectLoopEnded("Esc");

    EXPECT_EQ(pA->GetPosition(), xtpBarFloating);
    EXPECT_EQ(ScreenRect(pA->GetSafeHwnd()).TopLeft(), ptCorner);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, pad.Handle(), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(pad.Drain(), 0);

    // Esc at once: the docked bar stays as it was.
    ASSERT_TRUE(bars->DockCommandBar(pA, xtpBarTop));
    Layout();
    const CRect rcDocked = ScreenRect(pA->GetSafeHwnd());
    pad.Key(VK_ESCAPE);
    PressGripper(pA);
    ExpectLoopEnded("Esc at once");
    EXPECT_EQ(pA->GetPosition(), xtpBarTop);
    EXPECT_EQ(ScreenRect(pA->GetSafeHwnd()), rcDocked);
}

TEST_F(DockContextOnFrame, LoopHoldsTheMouseLockAndRunsPendingLayouts)
{
    CXTPToolBar* pA = AddDockedBar();
    ASSERT_NE(pA, nullptr);
    int nLockDuring = -1;
    HWND hWndCapture = nullptr;
    int nLayoutsBefore = 0, nLayoutsAfter = 0;
    BOOL bStillDelayed = TRUE;
    pad.Move(Grip(pA) + CSize(3, 0));
    pad.Action([&] {
        nLockDuring = XTPMouseManager()->m_nLock;
        hWndCapture = ::GetCapture();
        frame.DelayRecalcLayout(FALSE);
        nLayoutsBefore = frame.m_nLayouts;
    });
    pad.Action([&] {
        bStillDelayed = frame.IsLayoutDelayed();
        nLayoutsAfter = frame.m_nLayouts;
    });
    pad.Up(Grip(pA));
    PressGripper(pA);

    EXPECT_EQ(nLockDuring, m_nLockBefore + 1);
    EXPECT_EQ(hWndCapture, pA->GetSafeHwnd());
    EXPECT_FALSE(bStillDelayed);
    EXPECT_GT(nLayoutsAfter, nLayoutsBefore);
    ExpectLoopEnded("lock");

    // With another window holding the capture nothing starts.
    ::SetCapture(frame.GetSafeHwnd());
    pad.Move(m_ptFree);
    pad.Up(m_ptFree);
    pA->GetDockContext()->StartDrag(Grip(pA));
    EXPECT_EQ(pA->GetPosition(), xtpBarTop);
    EXPECT_EQ(pad.Drain(), 2);
    ::ReleaseCapture();
}

TEST_F(DockContextOnFrame, ResizeByAnEdgeReWrapsTheButtonsAndKeepsTheWidth)
{
    CXTPToolBar* pA = AddToolBar("A", {100, 101, 102, 103, 104, 105, 106, 107});
    ASSERT_NE(pA, nullptr);
    struct Case
    {
        const char* name;
        int nHit;
        int nSteps; // of 10 pixels each, inwards for the left and right edges, downwards for the bottom
    } const cases[] = {
        {"right edge", HTRIGHT, 0},
        {"left edge", HTLEFT, 0},
        {"bottom edge", HTBOTTOM, 4},
    };
    for (const Case& c : cases)
    {
        pA->SetWidthLimit(32767);
        FloatAt(pA, CPoint(300, 300));
        const CRect rc0 = ScreenRect(pA->GetSafeHwnd());
        ASSERT_EQ(RowTops(pA).size(), 1u) << c.name;
        // Left and right: half the width in steps of 10 pixels, each too small to wrap by itself.
        const int nSteps = c.nSteps ? c.nSteps : rc0.Width() / 2 / 10;
        CPoint pt = c.nHit == HTLEFT    ? CPoint(rc0.left, rc0.CenterPoint().y)
                    : c.nHit == HTRIGHT ? CPoint(rc0.right - 1, rc0.CenterPoint().y)
                                        : CPoint(rc0.CenterPoint().x, rc0.bottom - 1);
        const CPoint ptStart = pt;
        for (int i = 0; i < nSteps; ++i)
        {
            pt += c.nHit == HTLEFT ? CSize(10, 0) : c.nHit == HTRIGHT ? CSize(-10, 0) : CSize(0, 10);
            pad.Move(pt);
        }
        pad.Up(pt);
        // The floating bar's sizing border, pressed.
        ::SendMessageA(pA->GetSafeHwnd(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(c.nHit),
                       MAKELPARAM(ptStart.x, ptStart.y));
        ExpectLoopEnded(c.name);

        const CRect rc1 = ScreenRect(pA->GetSafeHwnd());
        EXPECT_GE(RowTops(pA).size(), 2u) << c.name; // the buttons wrapped into rows
        EXPECT_LT(rc1.Width(), rc0.Width()) << c.name;
        EXPECT_GT(rc1.Height(), rc0.Height()) << c.name;
        if (c.nHit != HTBOTTOM)
        {
            // The buttons wrap at the width asked for (the bar's 3-pixel borders come on top), and the
            // bar is not two buttons narrower than it.
            const int nAsked = rc0.Width() - 10 * nSteps;
            EXPECT_LE(rc1.Width(), nAsked + 6) << c.name;
            EXPECT_GT(rc1.Width(), nAsked - 2 * pA->GetControl(0)->GetRect().Width()) << c.name;
        }
        else
        {
            EXPECT_LE(rc1.Height(), rc0.Height() + 10 * nSteps) << c.name;
        }
        // The edge opposite the dragged one stays.
        if (c.nHit == HTLEFT)
        {
            EXPECT_EQ(rc1.right, rc0.right) << c.name;
        }
        else
        {
            EXPECT_EQ(rc1.left, rc0.left) << c.name;
        }
        EXPECT_EQ(rc1.top, rc0.top) << c.name;
        // The new width is the width limit, and later layouts keep it.
        EXPECT_EQ(pA->GetWidthLimit(), rc1.Width()) << c.name;
        EXPECT_EQ(pA->GetDockContext()->GetFloatingPos(), rc1.TopLeft()) << c.name;
        pA->OnRecalcLayout();
        EXPECT_EQ(ScreenRect(pA->GetSafeHwnd()), rc1) << c.name;
    }
}

TEST_F(DockContextOnFrame, FreeSizingBarIsGivenTheRectangleAndTheHitCode)
{
    FreeSizingToolBar* pBar = static_cast<FreeSizingToolBar*>(
        AddToolBar("Free", {100, 101}, xtpBarTop, RUNTIME_CLASS(FreeSizingToolBar)));
    ASSERT_NE(pBar, nullptr);
    FloatAt(pBar, CPoint(300, 300));
    const CRect rc0 = ScreenRect(pBar->GetSafeHwnd());
    CPoint pt(rc0.right - 1, rc0.bottom - 1);
    const CPoint ptStart = pt;
    for (int i = 0; i < 3; ++i)
    {
        pt += CSize(10, 5);
        pad.Move(pt);
    }
    pad.Move(pt); // the same point again: no step
    // Dragged so far that the rectangle would leave the work area: not given.
    pad.Move(CPoint(pt.x, -2000));
    pad.Up(pt);
    pBar->GetDockContext()->StartResize(HTBOTTOMRIGHT, ptStart);
    ExpectLoopEnded("free resize");

    ASSERT_EQ(pBar->m_resizes.size(), 3u);
    EXPECT_EQ(pBar->m_nHitTest, HTBOTTOMRIGHT);
    EXPECT_EQ(pBar->m_resizes[0], CRect(rc0.left, rc0.top, rc0.right + 10, rc0.bottom + 5));
    EXPECT_EQ(pBar->m_resizes[2], CRect(rc0.left, rc0.top, rc0.right + 30, rc0.bottom + 15));
    const CRect rc1 = ScreenRect(pBar->GetSafeHwnd());
    EXPECT_EQ(rc1, pBar->m_resizes[2]);
    EXPECT_EQ(pBar->GetWidthLimit(), rc1.Width());
}

TEST_F(DockContextOnFrame, QuitDuringTheLoopReachesTheOuterLoop)
{
    CXTPToolBar* pA = AddDockedBar();
    ASSERT_NE(pA, nullptr);
    const CPoint ptCorner = PostDragToFree(pA, 2);
    pad.Action([] { ::PostQuitMessage(7); });
    // A loop that lost the quit would wait on: a late button release ends it.
    pad.Timer(1500, [&] { pad.Up(m_ptFree); });
    PressGripper(pA);
    ExpectLoopEnded("quit");

    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was lost";
    EXPECT_EQ(msg.wParam, 7u);
    // The moves before it were done.
    EXPECT_EQ(pA->GetPosition(), xtpBarFloating);
    EXPECT_EQ(ScreenRect(pA->GetSafeHwnd()).TopLeft(), ptCorner);
}

TEST_F(DockContextOnFrame, FailingGetMessageEndsTheLoop)
{
    CXTPToolBar* pA = AddDockedBar();
    ASSERT_NE(pA, nullptr);
    PumpPending(); // the loop's first message is the move
    pad.Move(m_ptFree);
    loopQuery.m_nCalls = 0;
    loopQuery.m_nFailFrom = 2;
    PressGripper(pA);
    loopQuery.m_nFailFrom = 0;
    ExpectLoopEnded("GetMessage -1");
    EXPECT_EQ(loopQuery.m_nCalls, 2); // the move, then the failure ended it
    EXPECT_EQ(pA->GetPosition(), xtpBarFloating);
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)); // no quit was made up
}

TEST_F(DockContextOnFrame, BarDestroyedDuringTheLoopEndsItUntouched)
{
    CXTPToolBar* pA = AddToolBar("Doomed", {100, 101, 102}, xtpBarTop, RUNTIME_CLASS(PoisonedToolBar));
    CXTPToolBar* pB = AddToolBar("B", {200});
    ASSERT_TRUE(pA && pB);
    Layout();
    const int nBars = bars->GetCount();
    pad.Path(Grip(pA), m_ptFree, 2);
    // The owner closes the bar on a timer while the loop waits for more.
    pad.Timer(50, [&] { bars->Remove(pA); });
    // Called on the context directly: the bar's own handler would return into a deleted window.
    pA->GetDockContext()->StartDrag(Grip(pA));

    ExpectLoopEnded("destroyed");
    EXPECT_EQ(PoisonedToolBar::s_blocks.size(), 1u); // the bar was deleted during the loop
    EXPECT_EQ(bars->GetCount(), nBars - 1);
    EXPECT_EQ(pB->GetDockBar(), bars->GetDockBar(xtpBarTop));
    PoisonedToolBar::FreeBlocks();

    // Only its window destroyed: the loop ends with the capture, the bar object stays usable.
    HWND hWndB = pB->GetSafeHwnd();
    bars->GetCommandBarsOptions()->bDirtyState = FALSE;
    pad.Path(Grip(pB), m_ptFree, 2);
    pad.Timer(50, [&] { ::DestroyWindow(hWndB); });
    pB->GetDockContext()->StartDrag(Grip(pB));
    ExpectLoopEnded("window destroyed");
    EXPECT_FALSE(::IsWindow(hWndB));
    EXPECT_EQ(pB->GetSafeHwnd(), nullptr);
    EXPECT_EQ(pad.Drain(), 0);
    EXPECT_TRUE(bars->GetCommandBarsOptions()->bDirtyState);
}
