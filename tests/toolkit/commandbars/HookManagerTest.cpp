// The hook manager on plain test windows: order of the objects, the answers 1 and 2, the
// hand-over when a later subclasser exists, destruction, and objects that leave mid-dispatch.
#include "CommandBarsTestSupport.h"

#include "toolkit/commandbars/managers/XTPHookManager.h"

#include <gtest/gtest.h>

using cb_test::RecordingHook;
using cb_test::RecordingWindow;

namespace
{
const UINT kTest = RecordingWindow::kTestMessage;

// A subclasser of a window that is not the hook manager; the cooperating kind takes over the
// procedure it called when the hook manager's sink leaves.
struct LaterSubclasser
{
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        LaterSubclasser* self = s_pCurrent;
        if (message == CXTPHookManager::GetSinkRemovedMessage() && self->m_bCooperates &&
            reinterpret_cast<WNDPROC>(wParam) == self->m_pfnPrevious)
        {
            self->m_pfnPrevious = reinterpret_cast<WNDPROC>(lParam);
            return 1;
        }
        if (message == kTest)
            ++self->m_nSeen;
        return CallWindowProcA(self->m_pfnPrevious, hWnd, message, wParam, lParam);
    }
    void Attach(HWND hWnd)
    {
        s_pCurrent = this;
        m_pfnPrevious =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    WNDPROC m_pfnPrevious = nullptr;
    BOOL m_bCooperates = FALSE;
    int m_nSeen = 0;
    static LaterSubclasser* s_pCurrent;
};
LaterSubclasser* LaterSubclasser::s_pCurrent = nullptr;

struct DeleteWatch : RecordingHook
{
    explicit DeleteWatch(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~DeleteWatch() override { *m_pDeleted = true; }
    bool* m_pDeleted;
};
} // namespace

TEST(HookManager, LaterObjectFirstAndAnswers)
{
    RecordingWindow wnd;
    std::vector<int> order;
    RecordingHook first, second;
    first.m_nTag = 1;
    second.m_nTag = 2;
    first.m_pOrder = second.m_pOrder = &order;
    GetHookManager()->SetHook(wnd.Handle(), &first);
    GetHookManager()->SetHook(wnd.Handle(), &second);
    GetHookManager()->SetHook(wnd.Handle(), &second); // not twice
    ASSERT_NE(GetHookManager()->Lookup(wnd.Handle()), nullptr);
    EXPECT_EQ(GetHookManager()->Lookup(wnd.Handle())->GetSize(), 2);

    struct Case
    {
        int nSecond;
        std::vector<int> order;
        int nWindowCalls;
        LRESULT lExpected;
    } cases[] = {
        {0, {2, 1}, 1, 7},  // nobody handles: both asked, then the window (answers 7)
        {1, {2}, 0, 55},    // handled: its result, nobody else, not the window
        {2, {2}, 1, 7},     // stop asking: the earlier object is skipped, the window still gets it
    };
    wnd.m_nAnswer = 7;
    for (const Case& c : cases)
    {
        order.clear();
        wnd.Clear();
        second.m_nAnswer = c.nSecond;
        second.m_lResult = 55;
        LRESULT lResult = SendMessageA(wnd.Handle(), kTest, 0, 0);
        EXPECT_EQ(order, c.order) << "answer " << c.nSecond;
        EXPECT_EQ(wnd.Count(kTest), c.nWindowCalls) << "answer " << c.nSecond;
        EXPECT_EQ(lResult, c.lExpected) << "answer " << c.nSecond;
    }
    GetHookManager()->RemoveHook(wnd.Handle(), &second);
    GetHookManager()->RemoveHook(wnd.Handle(), &first);
    EXPECT_EQ(GetHookManager()->Lookup(wnd.Handle()), nullptr);
    EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd.Handle(), GWLP_WNDPROC)),
              CXTPHookManager::GetHookWndProc());
}

TEST(HookManager, DefaultReachesPreviousProcedure)
{
    RecordingWindow wnd;
    wnd.m_nAnswer = 31;
    RecordingHook hook;
    LRESULT lFromDefault = 0;
    hook.m_onTestMessage = [&] { lFromDefault = GetHookManager()->Default(); };
    hook.m_nAnswer = 1;
    hook.m_lResult = 5;
    GetHookManager()->SetHook(wnd.Handle(), &hook);
    EXPECT_EQ(SendMessageA(wnd.Handle(), kTest, 0, 0), 5);
    EXPECT_EQ(lFromDefault, 31);
    EXPECT_EQ(wnd.Count(kTest), 1); // only through Default
    GetHookManager()->RemoveHook(wnd.Handle(), &hook);
}

TEST(HookManager, CooperatingLaterSubclasserTakesOver)
{
    RecordingWindow wnd;
    RecordingHook hook;
    GetHookManager()->SetHook(wnd.Handle(), &hook);
    LaterSubclasser later;
    later.m_bCooperates = TRUE;
    later.Attach(wnd.Handle());
    ASSERT_EQ(later.m_pfnPrevious, CXTPHookManager::GetHookWndProc());

    GetHookManager()->RemoveHook(wnd.Handle(), &hook);
    EXPECT_FALSE(GetHookManager()->IsPassingThrough(wnd.Handle()));
    EXPECT_NE(later.m_pfnPrevious, CXTPHookManager::GetHookWndProc()); // took the saved procedure
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd.Handle(), GWLP_WNDPROC)), &LaterSubclasser::Proc);
    wnd.m_nAnswer = 9;
    EXPECT_EQ(SendMessageA(wnd.Handle(), kTest, 0, 0), 9);
    EXPECT_EQ(later.m_nSeen, 1);
    EXPECT_EQ(hook.Count(kTest), 0);
}

TEST(HookManager, RawLaterSubclasserIsNotCutOut)
{
    // Unhooking must not set GWL_WNDPROC back over a later subclasser that did not take part;
    // until the window dies, messages pass through to the saved procedure.
    RecordingWindow wnd;
    RecordingHook hook;
    GetHookManager()->SetHook(wnd.Handle(), &hook);
    LaterSubclasser later;
    later.Attach(wnd.Handle());
    GetHookManager()->RemoveHook(wnd.Handle(), &hook);

    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd.Handle(), GWLP_WNDPROC)), &LaterSubclasser::Proc);
    EXPECT_TRUE(GetHookManager()->IsPassingThrough(wnd.Handle()));
    wnd.m_nAnswer = 12;
    EXPECT_EQ(SendMessageA(wnd.Handle(), kTest, 0, 0), 12); // not 0: the window still answers
    EXPECT_EQ(later.m_nSeen, 1);
    EXPECT_EQ(wnd.Count(kTest), 1);

    // Hooked again while our procedure sits below the later one: no second subclassing.
    GetHookManager()->SetHook(wnd.Handle(), &hook);
    EXPECT_FALSE(GetHookManager()->IsPassingThrough(wnd.Handle()));
    EXPECT_EQ(SendMessageA(wnd.Handle(), kTest, 0, 0), 12);
    EXPECT_EQ(hook.Count(kTest), 1);
    EXPECT_EQ(wnd.Count(kTest), 2);
    GetHookManager()->RemoveHook(wnd.Handle(), &hook);

    GetHookManager()->SetHook(wnd.Handle(), &hook);
    GetHookManager()->RemoveHook(wnd.Handle(), &hook);
    HWND hWnd = wnd.Handle();
    EXPECT_TRUE(GetHookManager()->IsPassingThrough(hWnd));
    wnd.Destroy(); // WM_NCDESTROY ends the pass-through
    EXPECT_FALSE(GetHookManager()->IsPassingThrough(hWnd));
}

TEST(HookManager, DestroyedWindowLeavesNoSink)
{
    int nBefore = GetHookManager()->GetSinkCount();
    bool bDeleted = false;
    HWND hWnd = nullptr;
    {
        RecordingWindow wnd;
        hWnd = wnd.Handle();
        DeleteWatch* pHook = new DeleteWatch(&bDeleted);
        pHook->m_bAutoDestroy = TRUE;
        GetHookManager()->SetHook(hWnd, pHook);
        EXPECT_EQ(GetHookManager()->GetSinkCount(), nBefore + 1);
    }
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(GetHookManager()->GetSinkCount(), nBefore);
    EXPECT_EQ(GetHookManager()->Lookup(hWnd), nullptr);
    EXPECT_TRUE(bDeleted); // the sink deleted its auto-delete object
}

TEST(HookManager, ObjectsLeavingMidDispatch)
{
    RecordingWindow wnd;
    wnd.m_nAnswer = 4;
    bool bSelfDeleted = false;
    RecordingHook first;
    DeleteWatch* pSelf = new DeleteWatch(&bSelfDeleted);
    pSelf->m_bAutoDestroy = TRUE;
    RecordingHook last;
    GetHookManager()->SetHook(wnd.Handle(), &first);
    GetHookManager()->SetHook(wnd.Handle(), pSelf);
    GetHookManager()->SetHook(wnd.Handle(), &last);

    // The middle object removes itself, the last one empties the whole sink while asked.
    pSelf->m_onTestMessage = [&] { GetHookManager()->RemoveHook(wnd.Handle(), pSelf); };
    last.m_onTestMessage = [&] { GetHookManager()->RemoveAll(wnd.Handle()); };
    last.m_nAnswer = 0;
    EXPECT_EQ(SendMessageA(wnd.Handle(), kTest, 0, 0), 4); // the window still answers
    EXPECT_EQ(last.Count(kTest), 1);
    EXPECT_EQ(first.Count(kTest), 0); // removed before its turn
    EXPECT_TRUE(bSelfDeleted);         // auto-delete happened once the dispatch ended
    EXPECT_EQ(GetHookManager()->Lookup(wnd.Handle()), nullptr);
    EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd.Handle(), GWLP_WNDPROC)),
              CXTPHookManager::GetHookWndProc());
}

TEST(HookManager, SelfRemovalDefersDeletion)
{
    RecordingWindow wnd;
    bool bDeleted = false;
    DeleteWatch* pHook = new DeleteWatch(&bDeleted);
    pHook->m_bAutoDestroy = TRUE;
    RecordingHook other;
    GetHookManager()->SetHook(wnd.Handle(), &other);
    GetHookManager()->SetHook(wnd.Handle(), pHook);
    bool bAliveAfterRemove = false;
    pHook->m_onTestMessage = [&] {
        GetHookManager()->RemoveHook(wnd.Handle(), pHook);
        bAliveAfterRemove = !bDeleted; // still running: not deleted under its own feet
    };
    SendMessageA(wnd.Handle(), kTest, 0, 0);
    EXPECT_TRUE(bAliveAfterRemove);
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(other.Count(kTest), 1);
    GetHookManager()->RemoveHook(wnd.Handle(), &other);
}
