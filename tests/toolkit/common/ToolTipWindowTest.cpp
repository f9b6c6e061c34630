// The owner-drawn tooltip window on real windows: its class and answers, the delays with two tools,
// clicks, keys and held buttons, TTN_SHOW, auto-pop, and the harness's configuration.
#include "ToolTipTestSupport.h"

#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/system/XTPSystemHelpers.h"

#include <algorithm>

using namespace tk_tooltip;

namespace
{
constexpr int kX = 760, kY = 560;

// A window with tools A (0-100) and B (100-200) and a gap (200-300) on the right.
struct TwoTools
{
    FakeCursorScope cursor;
    ToolWindow wnd;
    CXTPToolTipContext context;

    explicit TwoTools(int nInitial = 120, int nReshow = 150)
    {
        EXPECT_TRUE(wnd.CreateAt(kX, kY, 300, 60));
        wnd.tools.push_back({CRect(0, 0, 100, 60), 1, "Tool A"});
        wnd.tools.push_back({CRect(100, 0, 200, 60), 2, "Tool B"});
        context.SetStyle(xtpToolTipResource);
        if (nInitial >= 0)
            context.SetDelayTime(TTDT_INITIAL, nInitial);
        if (nReshow >= 0)
            context.SetDelayTime(TTDT_RESHOW, nReshow);
    }
    POINT Gap() const { return CPoint(kX + 250, kY + 30); }
    const CXTPToolTipContextToolTip::TOOLITEM* Shown() { return OwnerDrawn(context)->GetShownTool(); }
    // Moves onto the point and waits until the tip is visible; the milliseconds it took, or -1.
    int ShowAt(POINT pt, DWORD dwLimit = 3000)
    {
        DWORD dwStart = ::GetTickCount();
        MoveTo(context, wnd, pt);
        if (!qvx_test::PumpUntil([&] { return TipVisible(context); }, dwLimit))
            return -1;
        return static_cast<int>(::GetTickCount() - dwStart);
    }
};
} // namespace

TEST(ToolTipWindow, ClassStylesAndAnswers)
{
    ToolWindow owner;
    ASSERT_TRUE(owner.CreateAt(kX, kY, 100, 40));
    CXTPToolTipContext context;
    for (DWORD dwFlags : {0u, 0x2000u})
    {
        SCOPED_TRACE(dwFlags);
        CXTPToolTipContextToolTip tip(&context);
        ASSERT_TRUE(tip.Create(&owner, dwFlags | 3));
        UINT nClassStyle = static_cast<UINT>(::GetClassLongPtrA(tip.m_hWnd, GCL_STYLE));
        UINT nExpected = 0x820;
        if (!(dwFlags & 0x2000) && IsWinXPOrGreater())
            nExpected |= 0x20000;
        EXPECT_EQ(nClassStyle, nExpected);
        EXPECT_EQ(tip.GetOwnerHwnd(), owner.m_hWnd);
        EXPECT_EQ(::GetWindow(tip.m_hWnd, GW_OWNER), owner.m_hWnd);
        LONG style = ::GetWindowLongA(tip.m_hWnd, GWL_STYLE);
        EXPECT_TRUE(style & WS_POPUP);
        EXPECT_EQ(style & 0xFFFF, static_cast<LONG>(dwFlags | 3));
        EXPECT_TRUE(::GetWindowLongA(tip.m_hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        EXPECT_EQ(::GetClassLongPtrA(tip.m_hWnd, GCLP_HCURSOR), reinterpret_cast<LONG_PTR>(::LoadCursor(nullptr, IDC_ARROW)));

        EXPECT_EQ(::SendMessageA(tip.m_hWnd, WM_XTP_TOOLTIP_QUERY, 0, 0), 1);
        EXPECT_EQ(::SendMessageA(tip.m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(kX, kY)), HTTRANSPARENT);
        EXPECT_EQ(::SendMessageA(tip.m_hWnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(owner.m_hWnd),
                                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
                  MA_NOACTIVATE);
        HDC hDC = ::GetDC(tip.m_hWnd);
        EXPECT_EQ(::SendMessageA(tip.m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0), TRUE);
        ::ReleaseDC(tip.m_hWnd, hDC);
        EXPECT_EQ(::SendMessageA(tip.m_hWnd, TTM_SETTITLEA, TTI_WARNING, reinterpret_cast<LPARAM>("Title")), 0);
        EXPECT_STREQ(tip.GetTitle(), "Title");
        // The icon message carries a pointer; null clears it.
        EXPECT_EQ(::SendMessageA(tip.m_hWnd, WM_XTP_TOOLTIP_SETICON, 0, 0), 0);
        EXPECT_EQ(tip.GetIcon(), nullptr);
    }
}

TEST(ToolTipWindow, DelayMessagesAndDefaults)
{
    ToolWindow owner;
    ASSERT_TRUE(owner.CreateAt(kX, kY, 100, 40));
    CXTPToolTipContext context;
    CXTPToolTipContextToolTip tip(&context);
    ASSERT_TRUE(tip.Create(&owner, 3));
    EXPECT_EQ(tip.GetDelay(TTDT_INITIAL), 500u);
    EXPECT_EQ(tip.GetDelay(TTDT_RESHOW), 200u);
    EXPECT_EQ(tip.GetDelay(TTDT_AUTOPOP), 0u);
    tip.SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, 900);
    tip.SendMessage(TTM_SETDELAYTIME, TTDT_RESHOW, 50);
    tip.SendMessage(TTM_SETDELAYTIME, TTDT_AUTOPOP, 4000);
    EXPECT_EQ(tip.GetDelay(TTDT_INITIAL), 900u);
    EXPECT_EQ(tip.GetDelay(TTDT_RESHOW), 50u);
    EXPECT_EQ(tip.GetDelay(TTDT_AUTOPOP), 4000u);
    tip.SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, -1);
    EXPECT_EQ(tip.GetDelay(TTDT_INITIAL), 500u);
}

TEST(ToolTipWindow, DefaultDelaysWithTwoTools)
{
    TwoTools t(-1, -1); // the window's own 500 and 200 ms
    int nFirst = t.ShowAt(t.wnd.ScreenCentre(0));
    ASSERT_GE(nFirst, 0) << "no tip";
    EXPECT_GE(nFirst, 480) << "the initial delay";
    ASSERT_NE(t.Shown(), nullptr);
    EXPECT_EQ(t.Shown()->uId, 1u);
    EXPECT_TRUE(OwnerDrawn(t.context)->IsHookInstalled());
    CRect rc;
    ::GetWindowRect(t.context.GetToolTip()->GetSafeHwnd(), &rc);
    EXPECT_GT(rc.Width(), 20);
    EXPECT_GE(rc.top, kY + 30) << "below the cursor";

    // Next tool at once (within 200 ms of the hide on the gap).
    MoveTo(t.context, t.wnd, t.Gap());
    EXPECT_FALSE(TipVisible(t.context));
    EXPECT_FALSE(OwnerDrawn(t.context)->IsHookInstalled());
    MoveTo(t.context, t.wnd, t.wnd.ScreenCentre(1));
    EXPECT_TRUE(TipVisible(t.context)) << "within the reshow delay";
    ASSERT_NE(t.Shown(), nullptr);
    EXPECT_EQ(t.Shown()->uId, 2u);

    // After a pause it waits again.
    MoveTo(t.context, t.wnd, t.Gap());
    qvx_test::PumpFor(350);
    int nAgain = t.ShowAt(t.wnd.ScreenCentre(0));
    ASSERT_GE(nAgain, 0);
    EXPECT_GE(nAgain, 480);
}

TEST(ToolTipWindow, ShortDelaysReshowAndWait)
{
    TwoTools t(120, 150);
    int nFirst = t.ShowAt(t.wnd.ScreenCentre(0));
    ASSERT_GE(nFirst, 100);
    MoveTo(t.context, t.wnd, t.Gap());
    MoveTo(t.context, t.wnd, t.wnd.ScreenCentre(1));
    EXPECT_TRUE(TipVisible(t.context));
    MoveTo(t.context, t.wnd, t.Gap());
    qvx_test::PumpFor(250);
    MoveTo(t.context, t.wnd, t.wnd.ScreenCentre(0));
    EXPECT_FALSE(TipVisible(t.context)) << "waits after a pause";
    EXPECT_NE(OwnerDrawn(t.context)->GetPendingTool(), nullptr);
    EXPECT_GE(t.ShowAt(t.wnd.ScreenCentre(0)), 0);
}

TEST(ToolTipWindow, LeavingBeforeTheDelayShowsNothing)
{
    TwoTools t(200, 50);
    MoveTo(t.context, t.wnd, t.wnd.ScreenCentre(0));
    qvx_test::PumpFor(60);
    MoveTo(t.context, t.wnd, t.Gap());
    EXPECT_EQ(OwnerDrawn(t.context)->GetPendingTool(), nullptr);
    qvx_test::PumpFor(300);
    EXPECT_FALSE(TipVisible(t.context));
}

TEST(ToolTipWindow, ClickHidesAndTheTipStaysHidden)
{
    TwoTools t(80, 50);
    ASSERT_GE(t.ShowAt(t.wnd.ScreenCentre(0)), 0);
    t.context.RelayMessage(&t.wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 30));
    EXPECT_FALSE(TipVisible(t.context));
    t.context.RelayMessage(&t.wnd, WM_LBUTTONUP, 0, MAKELPARAM(50, 30));
    for (int i = 0; i < 6; i++)
    {
        MoveTo(t.context, t.wnd, t.wnd.ScreenCentre(0));
        qvx_test::PumpFor(60);
    }
    EXPECT_FALSE(TipVisible(t.context)) << "the clicked tool shows no tip while the cursor stays";
    // The tool is left and entered again: it shows.
    MoveTo(t.context, t.wnd, t.Gap());
    qvx_test::PumpFor(100);
    EXPECT_GE(t.ShowAt(t.wnd.ScreenCentre(0)), 0);
}

TEST(ToolTipWindow, ClickRelayedToTheWindowIsRemembered)
{
    TwoTools t(80, 50);
    ASSERT_GE(t.ShowAt(t.wnd.ScreenCentre(0)), 0);
    CXTPToolTipContextToolTip* pTip = OwnerDrawn(t.context);
    MSG msg = {t.wnd.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 30)};
    pTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    EXPECT_FALSE(TipVisible(t.context));
    msg.message = WM_MOUSEMOVE;
    msg.wParam = 0;
    pTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    qvx_test::PumpFor(200);
    EXPECT_FALSE(TipVisible(t.context));
    EXPECT_EQ(pTip->GetPendingTool(), nullptr);
}

TEST(ToolTipWindow, KeyHidesTheTip)
{
    TwoTools t(80, 50);
    ASSERT_GE(t.ShowAt(t.wnd.ScreenCentre(0)), 0);
    t.context.RelayMessage(&t.wnd, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_FALSE(TipVisible(t.context));
    EXPECT_FALSE(OwnerDrawn(t.context)->IsActive());
}

TEST(ToolTipWindow, MovingWithAButtonHeldShowsNothing)
{
    TwoTools t(60, 50);
    BYTE keys[256] = {};
    ASSERT_TRUE(::GetKeyboardState(keys));
    BYTE held[256];
    std::copy(keys, keys + 256, held);
    held[VK_LBUTTON] = 0x80;
    ASSERT_TRUE(::SetKeyboardState(held));
    if (!(::GetKeyState(VK_LBUTTON) & 0x8000))
    {
        ::SetKeyboardState(keys);
        GTEST_SKIP() << "the thread's key state cannot be set here";
    }
    for (int i = 0; i < 4; i++)
    {
        MoveTo(t.context, t.wnd, t.wnd.ScreenCentre(i % 2));
        qvx_test::PumpFor(60);
    }
    EXPECT_FALSE(TipVisible(t.context));
    EXPECT_EQ(t.context.GetToolTip(), nullptr) << "the moves were not considered at all";
    keys[VK_LBUTTON] = 0;
    ::SetKeyboardState(keys);
    EXPECT_GE(t.ShowAt(t.wnd.ScreenCentre(0)), 0);
}

TEST(ToolTipWindow, ShowNotifiesTheOwnerAndAutoPopHides)
{
    TwoTools t(40, 50);
    t.context.SetDelayTime(TTDT_AUTOPOP, 200);
    t.wnd.notifications.clear();
    ASSERT_GE(t.ShowAt(t.wnd.ScreenCentre(1)), 0);
    EXPECT_NE(std::find(t.wnd.notifications.begin(), t.wnd.notifications.end(), static_cast<UINT>(TTN_SHOW)),
              t.wnd.notifications.end());
    DWORD dwStart = ::GetTickCount();
    EXPECT_TRUE(qvx_test::PumpUntil([&] { return !TipVisible(t.context); }, 3000));
    EXPECT_GE(::GetTickCount() - dwStart, 150u);
    EXPECT_FALSE(OwnerDrawn(t.context)->IsActive());
}

TEST(ToolTipWindow, DeletingTheShownToolHidesIt)
{
    TwoTools t(40, 50);
    ASSERT_GE(t.ShowAt(t.wnd.ScreenCentre(0)), 0);
    TOOLINFOA ti = {};
    ti.cbSize = XTP_TOOLINFO_V1_SIZE;
    ti.hwnd = t.wnd.m_hWnd;
    ti.uId = 1;
    OwnerDrawn(t.context)->SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_FALSE(TipVisible(t.context));
    EXPECT_EQ(OwnerDrawn(t.context)->GetToolCount(), 0);
}

TEST(ToolTipWindow, ResourceStyleCutsTheCorners)
{
    TwoTools t(30, 50);
    ASSERT_GE(t.ShowAt(t.wnd.ScreenCentre(0)), 0);
    CXTPToolTipContextToolTip* pTip = OwnerDrawn(t.context);
    EXPECT_TRUE(pTip->HasRegion());
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(pTip->m_hWnd, hRgn), ERROR);
    CRect rc;
    pTip->GetClientRect(&rc);
    EXPECT_FALSE(::PtInRegion(hRgn, 0, 0));
    EXPECT_FALSE(::PtInRegion(hRgn, rc.right - 1, rc.bottom - 1));
    EXPECT_TRUE(::PtInRegion(hRgn, 1, 0));
    EXPECT_TRUE(::PtInRegion(hRgn, rc.right / 2, rc.bottom / 2));
    ::DeleteObject(hRgn);
}

TEST(ToolTipWindow, HarnessConfiguration)
{
    FakeCursorScope cursor;
    ToolWindow wnd;
    ASSERT_TRUE(wnd.CreateAt(kX, kY, 300, 60));
    CXTPImageManager images;
    // A 16 x 16 icon: the tip stays within the maximum width.
    BYTE andMask[16 * 2] = {};
    BYTE xorMask[16 * 2];
    std::fill(xorMask, xorMask + sizeof(xorMask), 0xAA);
    HICON hIcon = ::CreateIcon(::GetModuleHandleA(nullptr), 16, 16, 1, 1, andMask, xorMask);
    ASSERT_NE(hIcon, nullptr);
    ASSERT_TRUE(images.SetIcon(hIcon, 4001, 16, 16));
    ::DestroyIcon(hIcon);
    wnd.tools.push_back({CRect(0, 0, 100, 60), 4001, "Run all",
                         "Run all", "Runs every selected test of the loaded suite, one after another.", &images});

    CXTPToolTipContext context;
    context.SetStyle(xtpToolTipResource);
    context.SetShowTitleAndDescription(TRUE, TTI_INFO);
    context.SetShowImage(TRUE, 0, 1);
    context.SetMargin(CRect(2, 2, 2, 2));
    context.SetMaxTipWidth(180);
    CFont font;
    LOGFONTA lf = {};
    lf.lfHeight = -11;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    font.CreateFontIndirect(&lf);
    context.SetFont(&font);
    context.SetDelayTime(TTDT_INITIAL, 900);

    DWORD dwStart = ::GetTickCount();
    MoveTo(context, wnd, wnd.ScreenCentre(0));
    CXTPToolTipContextToolTip* pTip = OwnerDrawn(context);
    ASSERT_NE(pTip, nullptr);
    EXPECT_EQ(pTip->GetDelay(TTDT_INITIAL), 900u);
    EXPECT_TRUE(pTip->GetStyle() & XTP_TTS_OFFICE2007FRAME);
    EXPECT_STREQ(pTip->GetTitle(), "Run all");
    ASSERT_NE(pTip->GetIcon(), nullptr);
    EXPECT_EQ(pTip->GetIcon(), images.GetImage(4001, 1)) << "the largest image of the command";
    EXPECT_EQ(pTip->GetIcon()->GetWidth(), 16);
    EXPECT_STREQ(pTip->GetToolText(pTip->GetTool(0)), "Runs every selected test of the loaded suite, one after another.");
    ASSERT_TRUE(qvx_test::PumpUntil([&] { return TipVisible(context); }, 4000));
    EXPECT_GE(::GetTickCount() - dwStart, 850u);
    CRect rc;
    ::GetWindowRect(pTip->m_hWnd, &rc);
    EXPECT_LE(rc.Width(), 180) << "wrapped within the maximum width";
    EXPECT_GT(rc.Height(), 40) << "title and wrapped description";
    LOGFONTA lfTip = {};
    context.GetFont()->GetLogFont(&lfTip);
    EXPECT_STREQ(lfTip.lfFaceName, "Tahoma");
    LOGFONTA lfBold = {};
    context.GetBoldFont()->GetLogFont(&lfBold);
    EXPECT_EQ(lfBold.lfWeight, FW_BOLD);
}

TEST(ToolTipWindow, WindowUnderThePointSkipsTooltipChildren)
{
    ToolWindow owner;
    ASSERT_TRUE(owner.CreateAt(kX, kY, 200, 60));
    // A child that answers the tooltip query with 1, and one that does not.
    class QueryChild : public CWnd
    {
    public:
        BOOL bTooltip = TRUE;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_XTP_TOOLTIP_QUERY)
                return bTooltip ? 1 : 0;
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } tipChild, plainChild;
    plainChild.bTooltip = FALSE;
    ASSERT_TRUE(tipChild.CreateEx(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 60, owner.m_hWnd, nullptr));
    ASSERT_TRUE(plainChild.CreateEx(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 100, 0, 100, 60, owner.m_hWnd, nullptr));
    const POINT ptTip = {kX + 50, kY + 30}, ptPlain = {kX + 150, kY + 30};
    ASSERT_EQ(::WindowFromPoint(ptTip), tipChild.m_hWnd) << "another window covers the test window";
    EXPECT_EQ(CXTPToolTipContext::WindowFromPointEx(ptTip), owner.m_hWnd);
    EXPECT_EQ(CXTPToolTipContext::WindowFromPointEx(ptPlain), plainChild.m_hWnd);

    CXTPToolTipContext context;
    CXTPToolTipContextToolTip tip(&context);
    ASSERT_TRUE(tip.Create(&owner, 3));
    EXPECT_EQ(tip.SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&ptTip)),
              reinterpret_cast<LRESULT>(owner.m_hWnd));
    CXTPToolTipContext::CStandardToolTip standard;
    ASSERT_TRUE(standard.Create(&owner, TTS_ALWAYSTIP));
    EXPECT_EQ(standard.SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&ptTip)),
              reinterpret_cast<LRESULT>(owner.m_hWnd));
    EXPECT_EQ(standard.SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&ptPlain)),
              reinterpret_cast<LRESULT>(plainChild.m_hWnd));
}
