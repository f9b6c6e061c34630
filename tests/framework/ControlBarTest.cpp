// CControlBar: the frame lays bars out at the side their alignment names, bars keep their bar
// style apart from the window style, and update their elements at idle time.
#include "framework/CmdUI.h"
#include "framework/ControlBar.h"
#include "framework/StdControls.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// A bar of a fixed thickness that records the layout requests it answers.
class CTestBar : public CControlBar
{
public:
    explicit CTestBar(int thickness = 20) : m_thickness(thickness) {}
    struct Request
    {
        BOOL stretch;
        BOOL horz;
    };
    std::vector<Request> requests;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        requests.push_back({bStretch, bHorz});
        return bHorz ? CSize(bStretch ? 32767 : 100, m_thickness) : CSize(m_thickness, bStretch ? 32767 : 100);
    }

private:
    int m_thickness;
};

CRect ChildRect(CWnd& parent, CWnd& child)
{
    CRect r;
    child.GetWindowRect(&r);
    parent.ScreenToClient(&r);
    return r;
}

class ControlBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
        ASSERT_TRUE(pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &frame, AFX_IDW_PANE_FIRST));
    }
    void TearDown() override { frame.DestroyWindow(); }
    CFrameWnd frame;
    CWnd pane;
};
} // namespace

TEST_F(ControlBarTest, BarsTakeTheirSideAndThePaneTheRest)
{
    struct Case
    {
        const char* name;
        DWORD align;
        CRect bar;
        CRect pane;
    };
    const Case cases[] = {
        {"top", CBRS_ALIGN_TOP, CRect(0, 0, 400, 20), CRect(0, 20, 400, 300)},
        {"bottom", CBRS_ALIGN_BOTTOM, CRect(0, 280, 400, 300), CRect(0, 0, 400, 280)},
        {"left", CBRS_ALIGN_LEFT, CRect(0, 0, 20, 300), CRect(20, 0, 400, 300)},
        {"right", CBRS_ALIGN_RIGHT, CRect(380, 0, 400, 300), CRect(0, 0, 380, 300)},
        {"floating", CBRS_ALIGN_TOP | CBRS_FLOATING, CRect(), CRect(0, 0, 400, 300)},
        {"not aligned", 0, CRect(), CRect(0, 0, 400, 300)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestBar bar;
        ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | c.align, CRect(0, 0, 0, 0), &frame,
                               AFX_IDW_CONTROLBAR_FIRST + 40));
        EXPECT_EQ(bar.GetBarStyle(), c.align); // taken out of the window style
        EXPECT_EQ(bar.GetStyle() & 0xFFFFu, 0u);
        frame.RecalcLayout();
        if (!c.bar.IsRectEmpty())
        {
            EXPECT_EQ(ChildRect(frame, bar), c.bar);
            ASSERT_FALSE(bar.requests.empty());
            EXPECT_TRUE(bar.requests.back().stretch);
            EXPECT_EQ(bar.requests.back().horz, (c.align & CBRS_ORIENT_HORZ) ? TRUE : FALSE);
        }
        EXPECT_EQ(ChildRect(frame, pane), c.pane);
        bar.DestroyWindow();
    }
}

TEST_F(ControlBarTest, HiddenBarsTakeNothingAndTwoBarsStack)
{
    CTestBar top(20), status(16), hidden(50);
    ASSERT_TRUE(top.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(), &frame, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(status.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, CRect(), &frame, AFX_IDW_STATUS_BAR));
    ASSERT_TRUE(hidden.Create(nullptr, nullptr, WS_CHILD | CBRS_TOP, CRect(), &frame, AFX_IDW_CONTROLBAR_FIRST + 41));
    frame.RecalcLayout();
    EXPECT_EQ(ChildRect(frame, top), CRect(0, 0, 400, 20));
    EXPECT_EQ(ChildRect(frame, status), CRect(0, 284, 400, 300));
    EXPECT_EQ(ChildRect(frame, pane), CRect(0, 20, 400, 284));
    EXPECT_TRUE(hidden.requests.empty());
    // A gripper bit never becomes the window's dialog frame.
    CTestBar gripper;
    ASSERT_TRUE(gripper.Create(nullptr, nullptr, WS_CHILD | CBRS_TOP | CBRS_GRIPPER, CRect(), &frame,
                               AFX_IDW_CONTROLBAR_FIRST + 42));
    EXPECT_TRUE(gripper.GetBarStyle() & CBRS_GRIPPER);
    EXPECT_FALSE(gripper.GetStyle() & WS_DLGFRAME);
}

TEST(ControlBarLayoutTest, DynamicLayoutAsksTheFixedLayoutByMode)
{
    struct Case
    {
        DWORD mode;
        BOOL stretch;
        BOOL horz;
    };
    const Case cases[] = {
        {LM_HORZ | LM_STRETCH, TRUE, TRUE},
        {LM_HORZ | LM_HORZDOCK | LM_COMMIT, FALSE, TRUE},
        {LM_VERTDOCK, FALSE, FALSE},
        {LM_STRETCH | LM_LENGTHY, TRUE, FALSE},
    };
    CTestBar bar(12);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.mode);
        bar.requests.clear();
        CSize size = bar.CalcDynamicLayout(-1, c.mode);
        ASSERT_EQ(bar.requests.size(), 1u);
        EXPECT_EQ(bar.requests[0].stretch, c.stretch);
        EXPECT_EQ(bar.requests[0].horz, c.horz);
        EXPECT_EQ(c.horz ? size.cy : size.cx, 12);
    }
    EXPECT_EQ(bar.m_pDockContext, nullptr);
}

namespace
{
class CUpdateFrame : public CFrameWnd
{
public:
    BOOL enable500 = FALSE;
    int updates = 0;

protected:
    afx_msg void OnUpdate500(CCmdUI* pCmdUI)
    {
        ++updates;
        pCmdUI->Enable(enable500);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateFrame, CFrameWnd)
ON_UPDATE_COMMAND_UI(500, OnUpdate500)
END_MESSAGE_MAP()
} // namespace

TEST(ControlBarIdleTest, VisibleBarUpdatesItsElementsAgainstItsFrame)
{
    CUpdateFrame frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    CTestBar bar;
    ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 300, 20), &frame,
                           AFX_IDW_TOOLBAR));
    CButton button;
    ASSERT_TRUE(button.Create("b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 20), &bar, 500));
    EXPECT_EQ(bar.GetDockingFrame(), &frame);

    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(frame.updates, 1);
    EXPECT_FALSE(button.IsWindowEnabled());
    frame.enable500 = TRUE;
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_TRUE(button.IsWindowEnabled());

    // A hidden bar is left alone.
    bar.ShowWindow(SW_HIDE);
    frame.enable500 = FALSE;
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(frame.updates, 2);
    EXPECT_TRUE(button.IsWindowEnabled());
    frame.DestroyWindow();
}
