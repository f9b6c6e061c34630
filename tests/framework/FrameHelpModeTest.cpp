// The frame's context-help mode: a pick names the help context of the window under it, a command
// names its own, Esc ends the mode without help; WM_COMMANDHELP passes contexts on.
#include "framework/FrameWnd.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
const UINT kChildId = 0x2A;

// A child that names its help context and notes whether the frame was in help mode meanwhile.
class CHelpChild : public CWnd
{
public:
    CFrameWnd* m_pFrame = nullptr;
    int asked = 0;
    BOOL frameInHelpMode = FALSE;

protected:
    afx_msg LRESULT OnHelpHitTest(WPARAM, LPARAM)
    {
        ++asked;
        frameInHelpMode = m_pFrame->m_bHelpMode;
        return HID_BASE_RESOURCE + kChildId;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpChild, CWnd)
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

class CHelpFrame : public CFrameWnd
{
public:
    std::vector<DWORD_PTR> helped;
    void WinHelp(DWORD_PTR dwData, UINT) override { helped.push_back(dwData); }
};

class FrameHelpModeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateEx(WS_EX_TOPMOST, nullptr, "help", WS_POPUP | WS_VISIBLE, 40, 40, 300, 200, nullptr,
                                   nullptr));
        child.m_pFrame = &frame;
        ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 60), &frame, kChildId));
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }
    void TearDown() override { frame.DestroyWindow(); }
    CHelpFrame frame;
    CHelpChild child;
};
} // namespace

TEST_F(FrameHelpModeTest, PickCommandOrEscapeEndsHelpMode)
{
    struct Case
    {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        DWORD_PTR expected; // 0: no help
    };
    const Case cases[] = {
        {"a click on the child", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 20), HID_BASE_RESOURCE + kChildId},
        {"a command", WM_COMMAND, 4321, 0, HID_BASE_COMMAND + 4321},
        {"escape", WM_KEYDOWN, VK_ESCAPE, 0, 0},
        {"a click where nothing answers", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 150), 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        frame.helped.clear();
        child.asked = 0;
        child.frameInHelpMode = FALSE;
        ASSERT_TRUE(frame.CanEnterHelpMode());
        // The pick loop takes the message from the queue (the frame has the capture meanwhile).
        ::PostMessageA(frame.m_hWnd, c.message, c.wParam, c.lParam);
        frame.SendMessage(WM_COMMAND, ID_CONTEXT_HELP, 0);
        EXPECT_FALSE(frame.m_bHelpMode);
        EXPECT_NE(::GetCapture(), frame.m_hWnd);
        if (c.expected)
        {
            ASSERT_EQ(frame.helped.size(), 1u);
            EXPECT_EQ(frame.helped[0], c.expected);
        }
        else
            EXPECT_TRUE(frame.helped.empty());
        if (c.expected == HID_BASE_RESOURCE + kChildId)
        {
            EXPECT_EQ(child.asked, 1);
            EXPECT_TRUE(child.frameInHelpMode);
        }
    }
}

TEST_F(FrameHelpModeTest, CommandHelpUsesTheGivenOrTheLastStatusContext)
{
    frame.SendMessage(WM_COMMANDHELP, 0, HID_BASE_COMMAND + 77);
    frame.SendMessage(WM_SETMESSAGESTRING, 88, 0); // the last text shown was command 88's
    EXPECT_EQ(frame.SendMessage(WM_COMMANDHELP, 0, 0), TRUE);
    ASSERT_EQ(frame.helped.size(), 2u);
    EXPECT_EQ(frame.helped[0], HID_BASE_COMMAND + 77);
    EXPECT_EQ(frame.helped[1], HID_BASE_COMMAND + 88);
    // While help mode is on, a menu command gives help instead of running.
    frame.m_bHelpMode = TRUE;
    frame.SendMessage(WM_COMMAND, 99, 0);
    EXPECT_FALSE(frame.m_bHelpMode);
    ASSERT_EQ(frame.helped.size(), 3u);
    EXPECT_EQ(frame.helped[2], HID_BASE_COMMAND + 99);
}
