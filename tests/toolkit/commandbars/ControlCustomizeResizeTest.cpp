// Resizing a control's width in customisation: which edge a point grips, the resize cursor, and
// the modal drag driven by messages posted to the bar window before it starts.
#include "TestBar.h"

#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

#include <gtest/gtest.h>

#include <vector>

using cb_test::TestBar;

namespace
{
class ResizableButton : public CXTPControlButton
{
public:
    BOOL IsCustomizeResizeAllowed() const override { return m_bAllowed; }
    int GetCustomizeMinWidth() const override { return m_nMinWidth; }
    BOOL m_bAllowed = TRUE;
    int m_nMinWidth = 0;
};

struct Posted
{
    UINT message;
    int x;          // client x for mouse messages
    WPARAM wParam;  // the key for key messages
};

struct ResizeBar
{
    explicit ResizeBar(int nType = xtpBarTypeNormal)
    {
        bar.SetType(nType);
        bar.CreateAt(RECT{100, 300, 400, 330});
        p = new ResizableButton();
        bar.GetControls()->Add(p, 100);
        p->SetRect(CRect(10, 2, 60, 24));
    }
    ~ResizeBar()
    {
        bar.GetControls()->RemoveAll();
        bar.DestroyWindow();
    }
    BOOL Drag(CPoint start, const std::vector<Posted>& messages)
    {
        // Let what is pending (painting among it) run first.
        MSG msg;
        for (int i = 0; i < 1000 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
            ::DispatchMessageA(&msg);
        for (const Posted& m : messages)
        {
            LPARAM lParam = MAKELPARAM(m.x, 10);
            ::PostMessageA(bar.GetSafeHwnd(), m.message, m.wParam, m.message == WM_KEYDOWN ? 1 : lParam);
        }
        return p->CustomizeStartResize(start);
    }
    TestBar bar;
    ResizableButton* p = nullptr;
};
} // namespace

TEST(ControlCustomizeResize, EdgeGripTable)
{
    ResizeBar r;
    struct Case
    {
        int x, y, nEdge;
    };
    const Case cases[] = {
        {60, 10, 1}, {63, 10, 1}, {57, 10, 1},  {64, 10, 0}, {56, 10, 0}, {10, 10, -1},
        {7, 10, -1}, {13, 10, -1}, {14, 10, 0}, {30, 10, 0}, {60, 24, 0}, {60, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(r.p->HitTestCustomizeResizeEdge(CPoint(c.x, c.y)), c.nEdge) << c.x << "," << c.y;

    // A narrow control: the nearer edge wins.
    r.p->SetRect(CRect(10, 2, 14, 24));
    EXPECT_EQ(r.p->HitTestCustomizeResizeEdge(CPoint(11, 10)), -1);
    EXPECT_EQ(r.p->HitTestCustomizeResizeEdge(CPoint(13, 10)), 1);
}

TEST(ControlCustomizeResize, CursorOnlyWhereResizingIsAllowed)
{
    ResizeBar r;
    EXPECT_TRUE(r.p->UpdateCustomizeResizeCursor(CPoint(61, 10)));
    EXPECT_FALSE(r.p->UpdateCustomizeResizeCursor(CPoint(30, 10)));
    r.p->m_bAllowed = FALSE;
    EXPECT_FALSE(r.p->UpdateCustomizeResizeCursor(CPoint(61, 10)));
    CXTPControlButton plain; // the base allows no resizing
    plain.SetRect(CRect(10, 2, 60, 24));
    EXPECT_FALSE(plain.UpdateCustomizeResizeCursor(CPoint(60, 10)));
}

TEST(ControlCustomizeResize, DragTable)
{
    struct Case
    {
        const char* name;
        CPoint start;
        std::vector<Posted> messages;
        int nMinWidth;
        BOOL bStarted;
        int nWidth; // the control's width afterwards (0: unchanged)
    };
    const Case cases[] = {
        {"right edge out", CPoint(60, 10), {{WM_MOUSEMOVE, 70, 0}, {WM_MOUSEMOVE, 80, 0}, {WM_LBUTTONUP, 80, 0}}, 0,
         TRUE, 70},
        {"right edge in", CPoint(62, 10), {{WM_MOUSEMOVE, 40, 0}, {WM_LBUTTONUP, 40, 0}}, 0, TRUE, 30},
        {"left edge out", CPoint(9, 10), {{WM_MOUSEMOVE, 0, 0}, {WM_LBUTTONUP, 0, 0}}, 0, TRUE, 60},
        {"kept at the minimum width", CPoint(58, 10), {{WM_MOUSEMOVE, 15, 0}, {WM_LBUTTONUP, 15, 0}}, 20, TRUE,
         20},
        {"left edge kept at the minimum", CPoint(10, 10), {{WM_MOUSEMOVE, 55, 0}, {WM_LBUTTONUP, 55, 0}}, 25, TRUE,
         25},
        {"escape cancels", CPoint(61, 10), {{WM_MOUSEMOVE, 90, 0}, {WM_KEYDOWN, 0, VK_ESCAPE}}, 0, TRUE, 0},
        {"other keys do not", CPoint(61, 10),
         {{WM_MOUSEMOVE, 90, 0}, {WM_KEYDOWN, 0, 'A'}, {WM_LBUTTONUP, 90, 0}}, 0, TRUE, 80},
        {"right button cancels", CPoint(61, 10), {{WM_MOUSEMOVE, 90, 0}, {WM_RBUTTONDOWN, 90, 0}}, 0, TRUE, 0},
        {"no move, no change", CPoint(60, 10), {{WM_LBUTTONUP, 60, 0}}, 0, TRUE, 0},
        {"not on an edge", CPoint(30, 10), {}, 0, FALSE, 0},
    };
    for (const Case& c : cases)
    {
        ResizeBar r;
        r.p->m_nMinWidth = c.nMinWidth;
        r.bar.ClearPendingFlags(xtpDelayLayout);
        EXPECT_EQ(r.Drag(c.start, c.messages), c.bStarted) << c.name;
        EXPECT_EQ(r.p->GetWidth(), c.nWidth) << c.name;
        EXPECT_EQ((r.bar.GetPendingFlags() & xtpDelayLayout) != 0, c.nWidth != 0) << c.name;
        EXPECT_EQ(::GetCapture(), nullptr) << c.name;
    }
}

TEST(ControlCustomizeResize, PopupBarsLeaveOutTheIconColumn)
{
    ResizeBar r(xtpBarTypePopup);
    const int nColumn = r.bar.GetPaintManager()->GetPopupBarGripperWidth(&r.bar);
    ASSERT_GT(nColumn, 0);
    EXPECT_TRUE(r.Drag(CPoint(60, 10), {{WM_MOUSEMOVE, 150, 0}, {WM_LBUTTONUP, 150, 0}}));
    EXPECT_EQ(r.p->GetWidth(), 140 - nColumn);
}
