// RepositionBars and the WM_SIZEPARENT protocol: bars take strips, the left-over window gets
// the rest; reposQuery only measures; reposExtra keeps a border free.
#include "framework/Wnd.h"

#include <gtest/gtest.h>

namespace
{
// Takes `size` pixels from the given side of the free space.
class CSideBar : public CWnd
{
public:
    enum Side
    {
        top,
        left,
        bottom
    };
    CSideBar(Side side, int size) : m_side(side), m_size(size) {}
    int calls = 0;
    bool sawDeferHandle = false;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        ++calls;
        auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        sawDeferHandle = layout->hDWP != nullptr;
        CRect free(layout->rect);
        CRect mine = free;
        switch (m_side)
        {
        case top:
            mine.bottom = mine.top + m_size;
            layout->rect.top += m_size;
            layout->sizeTotal.cy += m_size;
            break;
        case left:
            mine.right = mine.left + m_size;
            layout->rect.left += m_size;
            layout->sizeTotal.cx += m_size;
            break;
        case bottom:
            mine.top = mine.bottom - m_size;
            layout->rect.bottom -= m_size;
            layout->sizeTotal.cy += m_size;
            break;
        }
        if (layout->hDWP)
            AfxRepositionWindow(layout, m_hWnd, &mine);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    Side m_side;
    int m_size;
};

BEGIN_MESSAGE_MAP(CSideBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CRect ChildRect(CWnd& parent, CWnd& child)
{
    CRect r;
    child.GetWindowRect(&r);
    parent.ScreenToClient(&r);
    return r;
}

class WndLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(
            parent.CreateEx(0, nullptr, "layout", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
        ASSERT_TRUE(
            topBar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &parent, 0xE800));
        ASSERT_TRUE(
            leftBar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &parent, 0xE801));
        ASSERT_TRUE(
            bottomBar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &parent, 0xE802));
        ASSERT_TRUE(
            outside.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &parent, 0xE900));
        ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &parent, 100));
    }
    CWnd parent;
    CSideBar topBar{CSideBar::top, 24};
    CSideBar leftBar{CSideBar::left, 30};
    CSideBar bottomBar{CSideBar::bottom, 20};
    CSideBar outside{CSideBar::top, 50}; // id outside the range: never asked
    CWnd view;
};
} // namespace

TEST_F(WndLayoutTest, BarsTakeTheirStripsAndTheLeftOverGetsTheRest)
{
    parent.RepositionBars(0xE800, 0xE8FF, 100);
    CRect client;
    parent.GetClientRect(&client);
    EXPECT_EQ(1, topBar.calls);
    EXPECT_TRUE(topBar.sawDeferHandle);
    EXPECT_EQ(0, outside.calls);
    // Bars are asked in z-order: top, then left, then bottom.
    EXPECT_EQ(CRect(0, 0, client.right, 24), ChildRect(parent, topBar));
    EXPECT_EQ(CRect(0, 24, 30, client.bottom), ChildRect(parent, leftBar));
    EXPECT_EQ(CRect(30, client.bottom - 20, client.right, client.bottom), ChildRect(parent, bottomBar));
    EXPECT_EQ(CRect(30, 24, client.right, client.bottom - 20), ChildRect(parent, view));
}

TEST_F(WndLayoutTest, QueryMeasuresWithoutMoving)
{
    CRect before = ChildRect(parent, view);
    CRect free;
    parent.RepositionBars(0xE800, 0xE8FF, 100, CWnd::reposQuery, &free);
    CRect client;
    parent.GetClientRect(&client);
    EXPECT_EQ(CRect(30, 24, client.right, client.bottom - 20), free);
    EXPECT_FALSE(topBar.sawDeferHandle);
    EXPECT_EQ(before, ChildRect(parent, view)); // nothing moved

    CRect total;
    parent.RepositionBars(0xE800, 0xE8FF, 100, CWnd::reposQuery, &total, nullptr, FALSE);
    EXPECT_EQ(CRect(0, 0, 30, 44), total); // the sizes the bars took
}

TEST_F(WndLayoutTest, ExtraBordersAndAGivenClientRectangle)
{
    CRect borders(5, 6, 7, 8);
    CRect area(10, 10, 210, 160);
    parent.RepositionBars(0xE800, 0xE8FF, 100, CWnd::reposExtra, &borders, &area);
    EXPECT_EQ(CRect(10, 10, 210, 34), ChildRect(parent, topBar));
    EXPECT_EQ(CRect(40 + 5, 34 + 6, 210 - 7, 140 - 8), ChildRect(parent, view));
}
