// CFrameWnd: bars and the pane window laid out, layout delayed to idle time, status texts shown
// in the status bar child by WM_SETMESSAGESTRING and WM_POPMESSAGESTRING.
#include "framework/FrameWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace
{
// A bar that takes a strip of `m_size` pixels off the top of the free space.
class CTopBar : public CWnd
{
public:
    explicit CTopBar(int size) : m_size(size) {}
    int calls = 0;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        ++calls;
        auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect mine(layout->rect);
        mine.bottom = mine.top + m_size;
        layout->rect.top += m_size;
        if (layout->hDWP)
            AfxRepositionWindow(layout, m_hWnd, &mine);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    int m_size;
};

BEGIN_MESSAGE_MAP(CTopBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

// Texts of the test's string ids without a resource script.
class CTestFrame : public CFrameWnd
{
public:
    UINT lastCommand = 0;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        lastCommand = LOWORD(wParam);
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    void GetMessageString(UINT nID, CString& rMessage) const override
    {
        if (nID == AFX_IDS_IDLEMESSAGE)
            rMessage = "Ready";
        else if (nID == 100)
            rMessage = "Opens a file";
        else
            rMessage.Empty();
    }
};

CRect ChildRect(CWnd& parent, CWnd& child)
{
    CRect r;
    child.GetWindowRect(&r);
    parent.ScreenToClient(&r);
    return r;
}

std::string Text(CWnd& wnd)
{
    CString str;
    wnd.GetWindowText(str);
    return std::string(str);
}

class FrameWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
        ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &frame, AFX_IDW_TOOLBAR));
        ASSERT_TRUE(pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &frame,
                                AFX_IDW_PANE_FIRST));
    }
    void TearDown() override { frame.DestroyWindow(); }
    CTestFrame frame;
    CTopBar bar{30};
    CWnd pane;
};
} // namespace

TEST_F(FrameWndTest, LaysOutBarAndPaneAndFollowsSize)
{
    frame.RecalcLayout();
    EXPECT_EQ(ChildRect(frame, bar), CRect(0, 0, 300, 30));
    EXPECT_EQ(ChildRect(frame, pane), CRect(0, 30, 300, 200));
    frame.SetWindowPos(nullptr, 0, 0, 200, 150, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    EXPECT_EQ(ChildRect(frame, bar), CRect(0, 0, 200, 30));
    EXPECT_EQ(ChildRect(frame, pane), CRect(0, 30, 200, 150));
    EXPECT_EQ(pane.GetParentFrame(), &frame);
    EXPECT_EQ(frame.GetParentFrame(), nullptr);
}

TEST_F(FrameWndTest, DelayedLayoutRunsOnceAtIdle)
{
    frame.RecalcLayout();
    int before = bar.calls;
    frame.DelayRecalcLayout();
    EXPECT_TRUE(frame.IsLayoutDelayed());
    EXPECT_EQ(frame.m_nIdleFlags & CFrameWnd::idleLayout, 8u);
    EXPECT_EQ(bar.calls, before); // nothing until idle time
    frame.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(bar.calls, before + 1);
    EXPECT_FALSE(frame.IsLayoutDelayed());
    frame.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(bar.calls, before + 1); // no second layout without a new request
}

TEST_F(FrameWndTest, StatusTextsGoToTheStatusBarChild)
{
    frame.SetMessageText("hello"); // no status bar yet: nothing happens, nothing fails
    CWnd status;
    ASSERT_TRUE(status.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &frame, AFX_IDW_STATUS_BAR));
    frame.SetMessageText("Free text");
    EXPECT_EQ(Text(status), "Free text");
    EXPECT_EQ(frame.SendMessage(WM_SETMESSAGESTRING, 100, 0), 0);
    EXPECT_EQ(Text(status), "Opens a file");
    EXPECT_EQ(frame.SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0), 100); // previous id
    EXPECT_EQ(Text(status), "Ready");
    frame.SendMessage(WM_POPMESSAGESTRING, 100, 0);
    EXPECT_EQ(Text(status), "Opens a file");
    // While the frame holds WF_NOPOPMSG a pop leaves the text alone.
    frame.m_nFlags |= WF_NOPOPMSG;
    frame.SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    EXPECT_EQ(Text(status), "Opens a file");
    frame.m_nFlags &= ~WF_NOPOPMSG;
    frame.SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    EXPECT_EQ(Text(status), "Ready");
    EXPECT_EQ(frame.GetLastMessageId(), static_cast<UINT>(AFX_IDS_IDLEMESSAGE));
    // The layout leaves a child that does not take part in it where it is.
    frame.RecalcLayout();
    EXPECT_EQ(ChildRect(frame, pane), CRect(0, 30, 300, 200));
}

TEST_F(FrameWndTest, AcceleratorsTranslateToCommands)
{
    ACCEL accel = {FVIRTKEY | FCONTROL, 'K', 4321};
    HACCEL hAccel = ::CreateAcceleratorTableA(&accel, 1);
    frame.SetAccelerators(hAccel);
    EXPECT_FALSE(frame.LoadAccelTable(MAKEINTRESOURCEA(1))); // one table per frame
    MSG msg = {};
    msg.hwnd = pane.m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = 'J';
    EXPECT_FALSE(frame.PreTranslateMessage(&msg));
    // Ctrl+K with the modifier down in this thread's key state becomes the command.
    BYTE saved[256], keys[256];
    ::GetKeyboardState(saved);
    std::copy(saved, saved + 256, keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    msg.wParam = 'K';
    EXPECT_TRUE(frame.PreTranslateMessage(&msg));
    EXPECT_EQ(frame.lastCommand, 4321u);
    ::SetKeyboardState(saved);
    ::DestroyAcceleratorTable(hAccel);
}
