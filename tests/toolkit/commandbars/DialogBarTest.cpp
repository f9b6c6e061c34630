// Dialog bars on a docking frame: the edges a resizable bar offers by position, resizing by the user
// (minimum size, docked and floating client sizes), the hosted child under the caption, the caption
// controls (hide button, caption popup and its text) and the caption-only mouse area.
#include "ToolBarSupport.h"

#include "toolkit/commandbars/bars/XTPDialogBar.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/common/XTPResourceIds.h"
#include "tests/common/MemorySurface.h"
#include "tests/common/MessagePump.h"
#include "framework/DC.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

using namespace tb_test;

namespace
{
class DialogBars : public DockingOnFrame
{
protected:
    CXTPDialogBar* AddDialogBar(int nPosition, LPCSTR lpszTitle = "Output")
    {
        CXTPDialogBar* pBar =
            dynamic_cast<CXTPDialogBar*>(bars->Add(lpszTitle, nPosition, RUNTIME_CLASS(CXTPDialogBar)));
        EXPECT_NE(nullptr, pBar);
        Layout();
        return pBar;
    }
    static LRESULT HitAt(CXTPDialogBar* pBar, int x, int y)
    {
        return ::SendMessageA(pBar->GetSafeHwnd(), WM_NCHITTEST, 0, MAKELPARAM(x, y));
    }
    static CRect WindowRect(CXTPCommandBar* pBar)
    {
        CRect rc;
        ::GetWindowRect(pBar->GetSafeHwnd(), &rc);
        return rc;
    }
};
} // namespace

TEST_F(DialogBars, EdgesByPosition)
{
    CXTPDialogBar* pBar = AddDialogBar(xtpBarTop);
    ASSERT_TRUE(pBar && pBar->GetSafeHwnd());
    struct Case
    {
        int nPosition;
        DWORD dwFlags;
        char where; // t, b, l, r edges (1 pixel inside the window), c corners top-left, m middle
        LRESULT nExpected;
        const char* what;
    } cases[] = {
        {xtpBarFloating, 0, 't', HTTOP, "floating: top"},
        {xtpBarFloating, 0, 'b', HTBOTTOM, "floating: bottom"},
        {xtpBarFloating, 0, 'l', HTLEFT, "floating: left"},
        {xtpBarFloating, 0, 'r', HTRIGHT, "floating: right"},
        {xtpBarFloating, 0, 'c', HTTOPLEFT, "floating: top-left corner"},
        {xtpBarFloating, 0, 'm', HTCLIENT, "floating: inside"},
        {xtpBarTop, 0, 'b', HTBOTTOM, "top: the bottom edge"},
        {xtpBarTop, 0, 'r', HTRIGHT, "top: the right edge"},
        {xtpBarTop, 0, 't', HTCLIENT, "top: no top edge"},
        {xtpBarTop, xtpFlagStretched, 'r', HTCLIENT, "top, stretched: no right edge"},
        {xtpBarBottom, 0, 't', HTTOP, "bottom: the top edge"},
        {xtpBarBottom, 0, 'b', HTCLIENT, "bottom: no bottom edge"},
        {xtpBarLeft, xtpFlagStretched, 'b', HTCLIENT, "left, stretched: no bottom edge"},
        {xtpBarLeft, xtpFlagStretched, 'r', HTRIGHT, "left, stretched: the right edge"},
        {xtpBarRight, 0, 'l', HTLEFT, "right: the left edge"},
        {xtpBarRight, 0, 'r', HTCLIENT, "right: no right edge"},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(pBar->SetPosition(c.nPosition)) << c.what;
        pBar->SetFlags((pBar->GetFlags() & ~xtpFlagStretched) | c.dwFlags);
        Layout();
        const CRect rc = WindowRect(pBar);
        const CPoint mid = rc.CenterPoint();
        CPoint pt = mid;
        switch (c.where)
        {
        case 't': pt.y = rc.top + 1; break;
        case 'b': pt.y = rc.bottom - 2; break;
        case 'l': pt.x = rc.left + 1; break;
        case 'r': pt.x = rc.right - 2; break;
        case 'c': pt = CPoint(rc.left + 1, rc.top + 1); break;
        default: break;
        }
        EXPECT_EQ(c.nExpected, HitAt(pBar, pt.x, pt.y)) << c.what;
    }
    // Not resizable: no edges at all, floating or docked.
    pBar->SetResizable(FALSE);
    for (int nPosition : {xtpBarFloating, xtpBarTop})
    {
        ASSERT_TRUE(pBar->SetPosition(nPosition));
        Layout();
        const CRect rc = WindowRect(pBar);
        EXPECT_EQ(HTCLIENT, HitAt(pBar, rc.left + 1, rc.top + 1)) << nPosition;
        EXPECT_EQ(HTCLIENT, HitAt(pBar, rc.right - 2, rc.bottom - 2)) << nPosition;
    }
}

TEST_F(DialogBars, ResizingKeepsTheMinimumAndStoresTheClientSize)
{
    CXTPDialogBar* pBar = AddDialogBar(xtpBarFloating);
    ASSERT_TRUE(pBar && pBar->GetSafeHwnd());
    const CRect rcBorders = pBar->GetClientBorders();
    EXPECT_GT(rcBorders.top, 3) << "the caption adds to the top margin";
    const CRect rcBefore = WindowRect(pBar);

    // Below the minimum width or height: nothing changes.
    for (const CRect& rc : {CRect(100, 100, 149, 300), CRect(100, 100, 300, 149)})
    {
        pBar->ResizeBar(rc, HTBOTTOMRIGHT);
        EXPECT_EQ(CSize(200, 200), pBar->GetFloatingClientSize());
        EXPECT_EQ(rcBefore, WindowRect(pBar));
    }
    const CRect rcNew(120, 110, 420, 360);
    pBar->ResizeBar(rcNew, HTBOTTOMRIGHT);
    EXPECT_EQ(CSize(300 - rcBorders.left - rcBorders.right, 250 - rcBorders.top - rcBorders.bottom),
              pBar->GetFloatingClientSize());
    EXPECT_EQ(rcNew, WindowRect(pBar));

    // Docked: the edge decides which client extent is kept.
    ASSERT_TRUE(pBar->SetPosition(xtpBarLeft));
    Layout();
    const CRect rcRight(0, 0, 180, 400);
    pBar->ResizeBar(rcRight, HTRIGHT);
    EXPECT_EQ(CSize(180 - rcBorders.left - rcBorders.right, 200), pBar->GetDockingClientSize());
    const CRect rcBottom(0, 0, 180, 120);
    pBar->ResizeBar(rcBottom, HTBOTTOM);
    EXPECT_EQ(CSize(180 - rcBorders.left - rcBorders.right, 120 - rcBorders.top - rcBorders.bottom),
              pBar->GetDockingClientSize());
}

TEST_F(DialogBars, TheChildSitsUnderTheCaption)
{
    CXTPDialogBar* pBar = AddDialogBar(xtpBarFloating);
    ASSERT_TRUE(pBar && pBar->GetSafeHwnd());
    HWND hWndEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, pBar->GetSafeHwnd(),
                                      nullptr, nullptr, nullptr);
    ASSERT_TRUE(hWndEdit);
    pBar->SetChildHandle(hWndEdit);
    CRect rcClient;
    ::GetClientRect(pBar->GetSafeHwnd(), &rcClient);
    ::SendMessageA(pBar->GetSafeHwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(rcClient.Width(), rcClient.Height()));
    const CRect rcBorders = pBar->GetClientBorders();
    EXPECT_EQ(CRect(rcBorders.left, rcBorders.top, rcClient.right - rcBorders.right, rcClient.bottom - rcBorders.bottom),
              RectIn(hWndEdit, pBar->GetSafeHwnd()));
    EXPECT_EQ(rcBorders.top, pBar->GetCaptionBottom()) << "the child begins where the caption ends";
}

TEST_F(DialogBars, CaptionControlsAndTheCaptionArea)
{
    CXTPDialogBar* pBar = AddDialogBar(xtpBarTop, "Watch");
    ASSERT_TRUE(pBar && pBar->GetSafeHwnd());
    CXTPControl* pHide = pBar->GetControls()->FindControlById(ID_TK_TOOLBAR_HIDE);
    CXTPControl* pCaption = pBar->GetControls()->FindControlById(ID_TK_DIALOGBAR_BUTTON);
    ASSERT_TRUE(pHide && pCaption);
    EXPECT_TRUE(pHide->IsVisible());
    EXPECT_EQ(16, pHide->GetRect().Width());
    EXPECT_EQ(pHide->GetRect().left, pCaption->GetRect().right) << "the caption popup ends at the hide button";
    EXPECT_EQ("Watch", std::string(pCaption->GetCaption())) << "an empty caption text shows the title";
    pBar->SetCaption("Locals");
    pBar->CalcDockingLayout(32000, LM_HORZ | LM_STRETCH);
    EXPECT_EQ("Locals", std::string(pCaption->GetCaption()));
    EXPECT_FALSE(pBar->IsCustomizable());

    // Only the caption strip belongs to the bar for the mouse.
    const CRect rc = WindowRect(pBar);
    EXPECT_EQ(1, pBar->OnMouseHitTest(CPoint(rc.left + 10, rc.top + 2)));
    EXPECT_EQ(-2, pBar->OnMouseHitTest(CPoint(rc.left + 10, rc.bottom - 4)));

    // Not closeable: the hide button goes and the caption popup reaches the right end.
    pBar->SetCloseable(FALSE);
    const CSize sz = pBar->CalcDockingLayout(32000, LM_HORZ | LM_STRETCH);
    EXPECT_FALSE(pHide->IsVisible());
    EXPECT_EQ(sz.cx - 3, pCaption->GetRect().right);

    // Without a caption: no caption area at all.
    pBar->ShowCaption(FALSE);
    pBar->CalcDockingLayout(32000, LM_HORZ | LM_STRETCH);
    EXPECT_EQ(0, pBar->GetCaptionBottom());
    EXPECT_EQ(3, pBar->GetClientBorders().top);
    for (int y = rc.top; y < rc.bottom; y += 5)
        EXPECT_EQ(-2, pBar->OnMouseHitTest(CPoint(rc.left + 10, y))) << y;
}

TEST_F(DialogBars, TheCaptionMenuOpensOnlyWithItems)
{
    CXTPDialogBar* pBar = AddDialogBar(xtpBarTop);
    ASSERT_TRUE(pBar && pBar->GetSafeHwnd());
    auto* pCaption =
        dynamic_cast<CXTPDialogBar::CControlCaptionPopup*>(pBar->GetControls()->FindControlById(ID_TK_DIALOGBAR_BUTTON));
    ASSERT_NE(nullptr, pCaption);
    EXPECT_FALSE(pCaption->m_bMenuEnabled) << "an empty caption menu";
    EXPECT_TRUE(pCaption->SetPopup(TRUE)) << "answers TRUE and opens nothing";
    EXPECT_FALSE(pBar->GetCaptionPopupBar()->GetSafeHwnd());

    pBar->GetCaptionPopupBar()->GetControls()->AddByType(xtpControlButton, 501);
    pBar->CalcDockingLayout(32000, LM_HORZ | LM_STRETCH);
    EXPECT_TRUE(pCaption->m_bMenuEnabled);
    pBar->SetCaptionMenu(FALSE);
    pBar->CalcDockingLayout(32000, LM_HORZ | LM_STRETCH);
    EXPECT_FALSE(pCaption->m_bMenuEnabled) << "the option turns the menu off";
}

TEST_F(DialogBars, TheCaptionReadsAcrossInEveryPosition)
{
    CXTPDialogBar* pBar = AddDialogBar(xtpBarTop, "Output");
    ASSERT_TRUE(pBar && pBar->GetSafeHwnd());
    for (int nPosition : {xtpBarTop, xtpBarRight, xtpBarLeft, xtpBarFloating})
    {
        ASSERT_TRUE(pBar->SetPosition(nPosition)) << nPosition;
        Layout();
        CXTPControl* pCaption = pBar->GetControls()->FindControlById(ID_TK_DIALOGBAR_BUTTON);
        ASSERT_NE(nullptr, pCaption);
        const CRect rc = pCaption->GetRect();
        ASSERT_FALSE(rc.IsRectEmpty()) << nPosition;
        qvx_test::CMemorySurface surface(rc.right + 4, rc.bottom + 40);
        surface.Clear(RGB(255, 255, 255));
        CDC dc;
        dc.Attach(surface.DC());
        pCaption->Draw(&dc);
        dc.Detach();
        // The text's ink: inside the caption's rectangle, wider than it is tall.
        CRect rcInk(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        int nOutside = 0;
        for (int y = 0; y < rc.bottom + 40; ++y)
            for (int x = 0; x < rc.right + 4; ++x)
            {
                if (surface.Pixel(x, y) == RGB(255, 255, 255))
                    continue;
                if (!rc.PtInRect(CPoint(x, y)))
                {
                    ++nOutside;
                    continue;
                }
                rcInk.left = std::min<int>(rcInk.left, x);
                rcInk.top = std::min<int>(rcInk.top, y);
                rcInk.right = std::max<int>(rcInk.right, x + 1);
                rcInk.bottom = std::max<int>(rcInk.bottom, y + 1);
            }
        EXPECT_EQ(0, nOutside) << nPosition;
        ASSERT_LT(rcInk.left, rcInk.right) << "no text drawn at position " << nPosition;
        EXPECT_GT(rcInk.Width(), rcInk.Height()) << nPosition;
    }
}
