// The keyboard and mouse managers through their bodies: offering keys to receivers, Alt, tracked
// bars leaving while walked, locks.
#include "CommandBarsTestSupport.h"
#include "TestBar.h"

#include "toolkit/commandbars/managers/XTPMouseManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using cb_test::TestBar;

namespace
{
struct Receiver : CXTPHookManagerHookAble
{
    int OnHookMessage(HWND, UINT, WPARAM&, LPARAM&, LRESULT&) override
    {
        ++m_nCalls;
        if (m_onCall)
            m_onCall();
        return m_nAnswer;
    }
    int m_nAnswer = 0;
    int m_nCalls = 0;
    std::function<void()> m_onCall;
};
} // namespace

TEST(KeyboardManager, OfferToReceiversTable)
{
    struct Case
    {
        std::vector<int> answers; // in the order added
        BOOL bExpected;
        std::vector<int> calls;
    } cases[] = {
        {{}, TRUE, {}},
        {{0}, TRUE, {1}},
        {{1}, TRUE, {1}},
        {{2}, FALSE, {1}},
        {{1, 2}, FALSE, {0, 1}}, // the last added decides first
        {{2, 0}, FALSE, {1, 1}},
        {{2, 1}, TRUE, {0, 1}},
        {{0, 0, 0}, TRUE, {1, 1, 1}},
    };
    CXTPKeyboardManager* pManager = XTPKeyboardManager();
    for (const Case& c : cases)
    {
        std::vector<Receiver> receivers(c.answers.size());
        for (size_t i = 0; i < receivers.size(); ++i)
        {
            receivers[i].m_nAnswer = c.answers[i];
            pManager->HookKeyboard(&receivers[i]);
        }
        EXPECT_EQ(pManager->OfferToReceivers(WM_KEYDOWN, 'A', 0), c.bExpected) << c.answers.size();
        for (size_t i = 0; i < receivers.size(); ++i)
            EXPECT_EQ(receivers[i].m_nCalls, c.calls[i]) << "receiver " << i;
        for (Receiver& r : receivers)
            pManager->UnhookKeyboard(&r);
        EXPECT_FALSE(pManager->IsKeyboardHooked());
    }
}

TEST(KeyboardManager, ReceiverLeavingWhileWalked)
{
    CXTPKeyboardManager* pManager = XTPKeyboardManager();
    Receiver first, second;
    pManager->HookKeyboard(&first);
    pManager->HookKeyboard(&second);
    second.m_onCall = [&] { pManager->UnhookKeyboard(&first); };
    EXPECT_TRUE(pManager->OfferToReceivers(WM_KEYDOWN, 'B', 0));
    EXPECT_EQ(second.m_nCalls, 1);
    EXPECT_EQ(first.m_nCalls, 0); // gone before its turn
    pManager->UnhookKeyboard(&second);
}

TEST(KeyboardManager, AltEndsTrackingOnFirstPressOnly)
{
    TestBar bar;
    bar.SetTrackingMode(TRUE, FALSE, FALSE);
    ASSERT_TRUE(XTPKeyboardManager()->IsReceiver(&bar));
    const LPARAM kAltDown = 0x20000000 | 1;
    const LPARAM kAltRepeat = 0x60000000 | 1;
    EXPECT_FALSE(XTPKeyboardManager()->ProcessKeyboardHook(VK_MENU, kAltRepeat)); // a repeat passes
    EXPECT_EQ(bar.m_nLost, 0);
    EXPECT_TRUE(XTPKeyboardManager()->ProcessKeyboardHook(VK_MENU, kAltDown)); // eaten
    EXPECT_EQ(bar.m_nLost, 1);
    EXPECT_FALSE(bar.IsTrackingMode());
    EXPECT_FALSE(XTPMouseManager()->IsTracking());

    // While the bars are locked, Alt is an ordinary key for the receivers.
    bar.SetTrackingMode(TRUE, FALSE, FALSE);
    XTPMouseManager()->LockTrackingBars(TRUE);
    bar.m_nKeyAnswer = 2;
    EXPECT_FALSE(XTPKeyboardManager()->ProcessKeyboardHook(VK_MENU, kAltDown));
    EXPECT_EQ(bar.m_keys, std::vector<UINT>{VK_MENU});
    EXPECT_TRUE(bar.IsTrackingMode());
    XTPMouseManager()->LockTrackingBars(FALSE);
    // Keys going up pass without being offered (the transition bit of the 32-bit key data).
    bar.m_keys.clear();
    bar.m_nKeyAnswer = 1;
    EXPECT_FALSE(XTPKeyboardManager()->ProcessKeyboardHook('A', static_cast<LPARAM>(static_cast<DWORD>(0xC0000001))));
    EXPECT_TRUE(bar.m_keys.empty());
    EXPECT_TRUE(XTPKeyboardManager()->ProcessKeyboardHook('A', 1));
    EXPECT_EQ(bar.m_keys, std::vector<UINT>{'A'});
    bar.SetTrackingMode(FALSE);
    // With no receiver keys pass.
    EXPECT_FALSE(XTPKeyboardManager()->ProcessKeyboardHook('A', 1));
}

TEST(KeyboardManager, ActivateAppOffEndsTracking)
{
    TestBar a, b;
    a.SetTrackingMode(TRUE, FALSE, FALSE);
    b.SetTrackingMode(TRUE, FALSE, FALSE);
    XTPKeyboardManager()->ProcessCallWndProcHook(WM_ACTIVATEAPP, 1);
    EXPECT_EQ(a.m_nLost + b.m_nLost, 0);
    XTPKeyboardManager()->ProcessCallWndProcHook(WM_ACTIVATEAPP, 0);
    EXPECT_EQ(a.m_nLost, 1);
    EXPECT_EQ(b.m_nLost, 1);
    EXPECT_FALSE(XTPMouseManager()->IsTracking());
}

TEST(MouseManager, SendTrackLostAllEndsWithBarsThatStay)
{
    TestBar stays, leaves;
    stays.SetTrackingMode(TRUE, FALSE, FALSE);
    leaves.SetTrackingMode(TRUE, FALSE, FALSE);
    stays.m_bStays = TRUE;
    XTPMouseManager()->SendTrackLostAll(); // never loops on a bar that does not leave
    EXPECT_FALSE(XTPMouseManager()->IsTracking());
    EXPECT_EQ(stays.m_nLost, 1);
    EXPECT_EQ(leaves.m_nLost, 1);
    stays.m_bStays = FALSE;
    stays.SetTrackingMode(FALSE);
}

TEST(MouseManager, LocksAndRememberedBar)
{
    CXTPMouseManager* pManager = XTPMouseManager();
    TestBar a, other;
    EXPECT_FALSE(pManager->IsMouseLocked(&a)); // nothing tracked
    a.SetTrackingMode(TRUE, FALSE, FALSE);
    EXPECT_FALSE(pManager->IsMouseLocked(&a));
    EXPECT_TRUE(pManager->IsMouseLocked(nullptr));
    EXPECT_TRUE(pManager->IsMouseLocked(&other)); // not tracked
    pManager->LockTrackingBars(TRUE);
    EXPECT_TRUE(pManager->IsMouseLocked(&a));
    EXPECT_EQ(a.m_nLockRecurse, 1);
    pManager->LockTrackingBars(FALSE);
    EXPECT_FALSE(pManager->IsMouseLocked(&a));
    a.SetTrackingMode(FALSE);

    // A remembered bar other than the new one is told when tracking starts afresh.
    pManager->SetSelected(&other);
    a.SetTrackingMode(TRUE, FALSE, FALSE);
    EXPECT_EQ(other.m_nLost, 1);
    a.SetTrackingMode(FALSE);
    EXPECT_EQ(pManager->GetOpenPopupCount(), 0);
    a.SetType(xtpBarTypePopup);
    a.SetTrackingMode(TRUE, FALSE, FALSE);
    EXPECT_EQ(pManager->GetOpenPopupCount(), 1);
    a.SetTrackingMode(FALSE);
}

TEST(MouseManager, IgnoredButtonUpAndRepeatedMoves)
{
    CXTPMouseManager* pManager = XTPMouseManager();
    pManager->SetIgnoreLButtonUp();
    EXPECT_TRUE(pManager->ProcessMouseHook(WM_LBUTTONUP, POINT{5, 5}));
    EXPECT_FALSE(pManager->ProcessMouseHook(WM_LBUTTONUP, POINT{5, 5}));
    pManager->SetIgnoreLButtonUp();
    EXPECT_FALSE(pManager->ProcessMouseHook(WM_LBUTTONDOWN, POINT{5, 5})); // a press clears it
    EXPECT_FALSE(pManager->ProcessMouseHook(WM_LBUTTONUP, POINT{5, 5}));

    TestBar bar;
    ASSERT_TRUE(bar.CreateAt(RECT{600, 600, 700, 640}));
    bar.SetTrackingMode(TRUE, FALSE, FALSE);
    EXPECT_FALSE(pManager->ProcessMouseHook(WM_MOUSEMOVE, POINT{900, 900}));
    EXPECT_TRUE(pManager->ProcessMouseHook(WM_MOUSEMOVE, POINT{900, 900}));
    EXPECT_FALSE(pManager->ProcessMouseHook(WM_MOUSEMOVE, POINT{901, 900}));
    ASSERT_EQ(bar.m_moves.size(), 2u); // in the bar's client coordinates
    EXPECT_EQ(bar.m_moves[0].x, 300);
    EXPECT_EQ(bar.m_moves[0].y, 300);
    bar.SetTrackingMode(FALSE);
    bar.DestroyWindow();
}
