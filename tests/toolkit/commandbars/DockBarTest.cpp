// The dock bar window in a frame: its creation by the manager, rows shared by toolbars and wrapped
// when the frame is too narrow, bars moving between dock bars, and a toolbar placed directly in a
// frame.
#include "ToolBarSupport.h"

#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/docking/XTPDockContext.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

using tb_test::DockingOnFrame;

namespace
{
class DockBarOnFrame : public DockingOnFrame
{
protected:
    // The row array of a dock bar as text: '|' a separator, 'A'.. the bars by their title's letter.
    static std::string Rows(CXTPDockBar* pDockBar)
    {
        std::string s;
        const CXTPDockBarRowArray& rows = pDockBar->GetRows();
        for (INT_PTR i = 0; i < rows.GetSize(); ++i)
            s += rows[i] ? static_cast<LPCSTR>(rows[i]->GetTitle())[0] : '|';
        return s;
    }
    void ResizeFrame(int cx, int cy)
    {
        frame.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Layout();
    }
};
} // namespace

TEST_F(DockBarOnFrame, EnableDockingMakesFourDockBars)
{
    struct Case
    {
        int nPosition;
        int nID;
        const char* title;
        DWORD dwAlign;
        BOOL bHorz;
    } const cases[] = {
        {xtpBarTop, 0xE81B, "xtpBarTop", 0x2800, TRUE},
        {xtpBarBottom, 0xE81E, "xtpBarBottom", 0x8200, TRUE},
        {xtpBarLeft, 0xE81C, "xtpBarLeft", 0x1400, FALSE},
        {xtpBarRight, 0xE81D, "xtpBarRight", 0x4100, FALSE},
    };
    for (const Case& c : cases)
    {
        CXTPDockBar* pDockBar = bars->GetDockBar(c.nPosition);
        ASSERT_NE(pDockBar, nullptr) << c.title;
        HWND hWnd = pDockBar->GetSafeHwnd();
        ASSERT_NE(hWnd, nullptr) << c.title;
        char szText[64] = {};
        ::GetClassNameA(hWnd, szText, sizeof(szText));
        EXPECT_STREQ(szText, "XTPDockBar") << c.title;
        ::GetWindowTextA(hWnd, szText, sizeof(szText));
        EXPECT_STREQ(szText, c.title) << c.title;
        EXPECT_EQ(::GetDlgCtrlID(hWnd), c.nID) << c.title;
        EXPECT_EQ(::GetParent(hWnd), frame.GetSafeHwnd()) << c.title;
        const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongPtrA(hWnd, GWL_STYLE));
        EXPECT_EQ(dwStyle & 0xFFFF0000u, 0x56000000u) << c.title;
        EXPECT_EQ(pDockBar->GetDockStyle(), c.dwAlign) << c.title;
        EXPECT_EQ(pDockBar->GetPosition(), c.nPosition) << c.title;
        EXPECT_EQ(pDockBar->IsHorizontal(), c.bHorz) << c.title;
        EXPECT_EQ(Rows(pDockBar), "|") << c.title;
    }
    // Enabling again keeps the same dock bars.
    CXTPDockBar* pTop = bars->GetDockBar(xtpBarTop);
    bars->EnableDocking();
    EXPECT_EQ(bars->GetDockBar(xtpBarTop), pTop);
    EXPECT_EQ(bars->GetDockBar(4), nullptr);
    EXPECT_EQ(bars->GetDockBar(-1), nullptr);
}

TEST_F(DockBarOnFrame, TwoToolBarsShareARowThenWrapIntoTwoRows)
{
    CXTPToolBar* pA = AddToolBar("A", {100, 101, 102, 103});
    CXTPToolBar* pB = AddToolBar("B", {200, 201, 202, 203, 204, 205});
    ASSERT_NE(pA, nullptr);
    ASSERT_NE(pB, nullptr);
    // Bars that keep their whole length (no hiding of what does not fit): a row too short wraps.
    pA->ModifyFlags(0, xtpFlagHideWrap);
    pB->ModifyFlags(0, xtpFlagHideWrap);
    CXTPDockBar* pTop = bars->GetDockBar(xtpBarTop);
    EXPECT_EQ(Rows(pTop), "|A|B|");

    const DWORD dwMode = LM_HORZ | LM_HORZDOCK;
    const CSize szA = pA->CalcDockingLayout(32767, dwMode);
    const CSize szB = pB->CalcDockingLayout(32767, dwMode);
    ASSERT_EQ(szA.cy, szB.cy);
    const int h = szA.cy;
    ASSERT_LT(szA.cx + 10 + szB.cx, 400) << "the frame must hold both bars side by side";

    // Appended bars lie in rows of their own.
    Layout();
    EXPECT_EQ(RectIn(pA->GetSafeHwnd(), pTop->GetSafeHwnd()), CRect(0, 0, szA.cx, h));
    EXPECT_EQ(RectIn(pB->GetSafeHwnd(), pTop->GetSafeHwnd()), CRect(0, h, szB.cx, 2 * h));
    EXPECT_EQ(RectIn(pTop->GetSafeHwnd(), frame.GetSafeHwnd()), CRect(0, 0, 400, 2 * h));

    // Dropped into the first row, 10 pixels after A: B joins A's row at its start.
    CRect rcDrop(szA.cx + 10, 2, szA.cx + 10 + szB.cx, h - 2);
    pTop->ClientToScreen(&rcDrop);
    ASSERT_TRUE(bars->DockCommandBar(pB, &rcDrop, pTop));
    EXPECT_EQ(Rows(pTop), "|BA|");
    Layout();
    EXPECT_EQ(RectIn(pA->GetSafeHwnd(), pTop->GetSafeHwnd()), CRect(0, 0, szA.cx, h));
    EXPECT_EQ(RectIn(pB->GetSafeHwnd(), pTop->GetSafeHwnd()), CRect(szA.cx + 10, 0, szA.cx + 10 + szB.cx, h));
    EXPECT_EQ(RectIn(pTop->GetSafeHwnd(), frame.GetSafeHwnd()), CRect(0, 0, 400, h));

    // Too narrow for both: the row's last bar (A, in row order) goes to a row below; B is pulled
    // back to end at the frame's edge.
    const int nWidth = szA.cx + szB.cx - 10;
    ResizeFrame(nWidth, 200);
    EXPECT_EQ(RectIn(pB->GetSafeHwnd(), pTop->GetSafeHwnd()), CRect(nWidth - szB.cx, 0, nWidth, h));
    EXPECT_EQ(RectIn(pA->GetSafeHwnd(), pTop->GetSafeHwnd()), CRect(0, h, szA.cx, 2 * h));
    EXPECT_EQ(RectIn(pTop->GetSafeHwnd(), frame.GetSafeHwnd()), CRect(0, 0, nWidth, 2 * h));
    // The rows themselves are unchanged: wide enough again, they share the row once more.
    EXPECT_EQ(Rows(pTop), "|BA|");
    ResizeFrame(400, 200);
    EXPECT_EQ(RectIn(pB->GetSafeHwnd(), pTop->GetSafeHwnd()), CRect(szA.cx + 10, 0, szA.cx + 10 + szB.cx, h));
    EXPECT_EQ(RectIn(pA->GetSafeHwnd(), pTop->GetSafeHwnd()), CRect(0, 0, szA.cx, h));
}

TEST_F(DockBarOnFrame, BarsMoveBetweenDockBarsAndLeaveNoEmptyRows)
{
    CXTPToolBar* pA = AddToolBar("A", {100, 101});
    CXTPToolBar* pB = AddToolBar("B", {200});
    CXTPToolBar* pC = AddToolBar("C", {300});
    ASSERT_TRUE(pA && pB && pC);
    CXTPDockBar* pTop = bars->GetDockBar(xtpBarTop);
    CXTPDockBar* pLeft = bars->GetDockBar(xtpBarLeft);
    EXPECT_EQ(Rows(pTop), "|A|B|C|");

    // The middle row's only bar leaves: one separator stays.
    ASSERT_TRUE(bars->DockCommandBar(pB, xtpBarLeft));
    EXPECT_EQ(Rows(pTop), "|A|C|");
    EXPECT_EQ(Rows(pLeft), "|B|");
    EXPECT_EQ(pB->GetDockBar(), pLeft);
    EXPECT_EQ(pB->GetPosition(), xtpBarLeft);
    EXPECT_EQ(::GetParent(pB->GetSafeHwnd()), pLeft->GetSafeHwnd());

    // Docking where it already lies without a place changes nothing.
    ASSERT_TRUE(bars->DockCommandBar(pA, xtpBarTop));
    EXPECT_EQ(Rows(pTop), "|A|C|");

    // Dropped above the first row: a new first row.
    Layout();
    CRect rcA = RectIn(pA->GetSafeHwnd(), pTop->GetSafeHwnd());
    CRect rcDrop(0, -rcA.Height(), rcA.Width(), 0); // entirely above the dock bar
    pTop->ClientToScreen(&rcDrop);
    ASSERT_TRUE(bars->DockCommandBar(pC, &rcDrop, pTop));
    EXPECT_EQ(Rows(pTop), "|C|A|");
    EXPECT_EQ(pC->GetDockContext()->GetDockedRect().Width(), rcA.Width());

    // A vertical dock bar lays its bars out from top to bottom.
    Layout();
    const CRect rcB = RectIn(pB->GetSafeHwnd(), pLeft->GetSafeHwnd());
    EXPECT_EQ(rcB.TopLeft(), CPoint(0, 0));
    EXPECT_GT(rcB.Height(), rcB.Width());
    EXPECT_EQ(pB->GetDockContext()->GetDockBarIndex(), static_cast<UINT>(xtpBarLeft));

    // Removing a bar from the manager takes it out of its dock bar.
    bars->Remove(pC);
    EXPECT_EQ(Rows(pTop), "|A|");
}

TEST_F(DockBarOnFrame, HiddenBarsTakeNoRoom)
{
    CXTPToolBar* pA = AddToolBar("A", {100, 101});
    CXTPToolBar* pB = AddToolBar("B", {200});
    ASSERT_TRUE(pA && pB);
    CXTPDockBar* pTop = bars->GetDockBar(xtpBarTop);
    Layout();
    const int h = RectIn(pA->GetSafeHwnd(), pTop->GetSafeHwnd()).Height();
    EXPECT_EQ(RectIn(pTop->GetSafeHwnd(), frame.GetSafeHwnd()).Height(), 2 * h);
    pA->SetVisible(FALSE);
    Layout();
    EXPECT_EQ(RectIn(pTop->GetSafeHwnd(), frame.GetSafeHwnd()).Height(), h);
    EXPECT_EQ(RectIn(pB->GetSafeHwnd(), pTop->GetSafeHwnd()).top, 0);
}

TEST(ToolBarInFrame, TakesTheTopOfTheFreeRectangle)
{
    mgr_test::RecordingFrame frame;
    ASSERT_TRUE(frame.CreateSite());
    CXTPToolBar bar;
    ASSERT_TRUE(bar.CreateBarWindow(&frame, FALSE));
    const UINT ids[] = {100, 101, 102};
    bar.SetButtons(ids, 3);
    const CSize sz = bar.CalcDockingLayout(300, 74);

    AFX_SIZEPARENTPARAMS layout = {};
    layout.rect = CRect(10, 20, 310, 220);
    layout.hDWP = ::BeginDeferWindowPos(1);
    ::SendMessageA(bar.GetSafeHwnd(), WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    ::EndDeferWindowPos(layout.hDWP);
    EXPECT_EQ(CRect(layout.rect), CRect(10, 20 + sz.cy, 310, 220));
    EXPECT_EQ(layout.sizeTotal.cx, sz.cx);
    EXPECT_EQ(DockingOnFrame::RectIn(bar.GetSafeHwnd(), frame.GetSafeHwnd()),
              CRect(10, 20, 10 + sz.cx, 20 + sz.cy));

    // A hidden bar takes nothing.
    bar.SetVisible(FALSE);
    AFX_SIZEPARENTPARAMS hidden = {};
    hidden.rect = CRect(0, 0, 300, 200);
    ::SendMessageA(bar.GetSafeHwnd(), WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&hidden));
    EXPECT_EQ(CRect(hidden.rect), CRect(0, 0, 300, 200));
    bar.DestroyWindow();
    frame.DestroyWindow();
}

TEST_F(DockBarOnFrame, PrintClientFillsTheFaceAndSaysSo)
{
    ASSERT_NE(AddToolBar("A", {100}), nullptr);
    Layout();
    CXTPDockBar* pTop = bars->GetDockBar(xtpBarTop);
    CRect rc;
    pTop->GetClientRect(&rc);
    ASSERT_FALSE(rc.IsRectEmpty());
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rc.Width(), rc.Height());
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::PatBlt(hMem, 0, 0, rc.Width(), rc.Height(), BLACKNESS);
    EXPECT_EQ(::SendMessageA(pTop->GetSafeHwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hMem), PRF_CLIENT), 1);
    const COLORREF clrFace = bars->GetPaintManager()->GetColor(COLOR_3DFACE);
    EXPECT_EQ(::GetPixel(hMem, 0, 0), clrFace);
    EXPECT_EQ(::GetPixel(hMem, rc.Width() - 1, rc.Height() - 1), clrFace);
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
}

TEST(DockBarCreation, DockingWithoutASiteWindowThrowsTheResourceException)
{
    CXTPCommandBars* pLone = new CXTPCommandBars();
    BOOL bThrown = FALSE;
    try
    {
        pLone->EnableDocking();
    }
    catch (CResourceException* e)
    {
        bThrown = TRUE;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ(pLone->GetDockBar(xtpBarTop), nullptr);
    pLone->InternalRelease();
}
