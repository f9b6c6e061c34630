// The thread's message loop: idle command-UI updates for bars, temporary objects deleted at idle
// time, and the WM_QUIT exit code.
#include "framework/HandleMap.h"
#include "framework/WinThread.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

namespace
{
class CIdleBar : public CWnd
{
public:
    int updates = 0;
    WPARAM lastDisableFlag = 99;

protected:
    afx_msg LRESULT OnIdleUpdate(WPARAM wParam, LPARAM)
    {
        ++updates;
        lastDisableFlag = wParam;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleBar, CWnd)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

int g_tempDeletions = 0;
void* CreateCounted(void*)
{
    return new int(0);
}
void DeleteCounted(void* object)
{
    ++g_tempDeletions;
    delete static_cast<int*>(object);
}

void CALLBACK QuitSoon(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::PostQuitMessage(5);
}
} // namespace

TEST(WndIdleTest, ThreadLoopUpdatesBarsDeletesTemporariesAndReturnsTheQuitCode)
{
    CWinThread thread;
    ASSERT_EQ(&thread, AfxGetThread());
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 200, 100),
                              nullptr, 0));
    CIdleBar bar;
    ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 20), &main, 0xE800));
    thread.m_pMainWnd = &main;
    EXPECT_EQ(&main, AfxGetMainWnd());

    static CHandleMap counted(&CreateCounted, &DeleteCounted); // registered for idle cleanup
    counted.FromHandle(reinterpret_cast<void*>(0x10));
    g_tempDeletions = 0;

    ASSERT_NE(0u, ::SetTimer(nullptr, 0, 200, &QuitSoon));
    EXPECT_EQ(5, thread.RunMessageLoop());
    EXPECT_GT(bar.updates, 0);
    EXPECT_EQ(TRUE, static_cast<BOOL>(bar.lastDisableFlag)); // disable commands without handlers
    EXPECT_EQ(1, g_tempDeletions);
    EXPECT_EQ(nullptr, counted.LookupTemporary(reinterpret_cast<void*>(0x10)));
    thread.m_pMainWnd = nullptr;
}
