// An MDI frame destroyed while a child shows its document's shared menu: the shared menu belongs
// to the document template and survives; the frame's own loaded menu goes with the frame.
#include "framework/MDIFrameWnd.h"

#include <gtest/gtest.h>

TEST(MDIFrameMenuOwnershipTest, SharedMenuSurvivesTheFrameShowingIt)
{
    HMENU hShared = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(3200));
    ASSERT_NE(hShared, nullptr);
    CMDIFrameWnd frame;
    ASSERT_TRUE(frame.LoadFrame(3100, WS_OVERLAPPEDWINDOW));
    HMENU hOwn = frame.m_hMenuDefault;
    CMDIChildWnd child;
    child.SetHandles(hShared, nullptr);
    ASSERT_TRUE(child.Create(nullptr, "doc", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 80), &frame));
    ASSERT_EQ(::GetMenu(frame.m_hWnd), hShared);

    frame.DestroyWindow();
    EXPECT_TRUE(::IsMenu(hShared));
    EXPECT_FALSE(::IsMenu(hOwn));
    EXPECT_EQ(child.m_hWnd, nullptr);
    ::DestroyMenu(hShared);
}
