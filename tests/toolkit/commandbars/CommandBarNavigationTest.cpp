// Keyboard navigation of a tracking command bar, driven through the bar's hook receiver: the
// navigation code of each key on horizontal, vertical and right-to-left bars, the navigation codes
// themselves, the site's key message, access keys with their beeps, popups, rows and keyboard tips.
// Keys are handed to the receiver as the keyboard manager hands them; Shift and Ctrl come from the
// thread's keyboard state.
#include "CommandBarNavigationSupport.h"

#include "framework/FrameWnd.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/bars/XTPCommandBarKeyboardTip.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "tests/common/MessagePump.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using cb_nav::BeepCounter;
using cb_nav::ModifierState;
using cb_nav::NavBar;
using cb_nav::PopupControl;
using cb_nav::SiteWindow;

namespace
{
// Hands a key to the bar as the keyboard manager does; the receiver's answer.
int Key(CXTPCommandBar& bar, UINT nKey)
{
    WPARAM wParam = nKey;
    LPARAM lParam = 1;
    LRESULT lResult = 0;
    return bar.OnHookMessage(nullptr, WM_KEYDOWN, wParam, lParam, lResult);
}

// A manager released at the end of a test.
struct Manager
{
    Manager() : p(new CXTPCommandBars()) {}
    ~Manager() { p->InternalRelease(); }
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;
    CXTPCommandBars* p;
};

// A site with a bar of captioned buttons in a row, tracking by keyboard.
struct Fixture
{
    explicit Fixture(std::initializer_list<const char*> captions, DWORD dwBarExStyle = 0)
    {
        bar.AddButtons(captions);
        bar.LayOut();
        bar.CreateIn(site.Handle(), RECT{0, 0, 300, 24}, dwBarExStyle);
        bar.SetPosition(xtpBarTop);
        bar.SetTrackingMode(TRUE, FALSE, TRUE);
        site.Clear();
    }
    ~Fixture()
    {
        bar.SetTrackingMode(FALSE);
        bar.DestroyWindow();
    }
    SiteWindow site;
    NavBar bar;
};
} // namespace

TEST(CommandBarNavigation, KeyToCodeOnHorizontalVerticalAndRightToLeftBars)
{
    struct Bar
    {
        int nType;
        int nPosition;
        bool bRtl;
        const char* what;
    };
    const Bar bars[] = {
        {xtpBarTypeNormal, xtpBarTop, false, "top"},
        {xtpBarTypeNormal, xtpBarBottom, false, "bottom"},
        {xtpBarTypeNormal, xtpBarFloating, false, "floating"},
        {xtpBarTypeNormal, xtpBarPopup, false, "popup toolbar"},
        {xtpBarTypeNormal, xtpBarLeft, false, "left"},
        {xtpBarTypeNormal, xtpBarRight, false, "right"},
        {xtpBarTypeMenuBar, xtpBarTop, true, "top, right to left"},
        {xtpBarTypeNormal, xtpBarLeft, true, "left, right to left"},
    };
    struct Case
    {
        UINT nKey;
        bool bShift;
        int horizontal, horizontalRtl, vertical, verticalRtl;
    } cases[] = {
        {VK_LEFT, false, 8, 9, 2, 3},     {VK_RIGHT, false, 9, 8, 3, 2}, {VK_UP, false, 2, 2, 1, 1},
        {VK_DOWN, false, 3, 3, 0, 0},     {VK_HOME, false, 6, 6, 6, 6},  {VK_END, false, 7, 7, 7, 7},
        {VK_RETURN, false, 5, 5, 5, 5},   {VK_ESCAPE, false, 4, 4, 4, 4}, {VK_SPACE, false, 10, 10, 10, 10},
        {VK_TAB, false, 0, 0, 0, 0},      {VK_TAB, true, 1, 1, 1, 1},    {VK_LEFT, true, 8, 9, 2, 3},
    };
    for (const Bar& b : bars)
    {
        const bool bHorizontal = b.nPosition == xtpBarTop || b.nPosition == xtpBarBottom ||
                                 b.nPosition == xtpBarFloating || b.nPosition == xtpBarPopup;
        for (const Case& c : cases)
        {
            SCOPED_TRACE(testing::Message() << b.what << ", key 0x" << std::hex << c.nKey << (c.bShift ? " shift" : ""));
            Fixture f({"One", "Two", "Three"}, b.bRtl ? WS_EX_LAYOUTRTL : 0);
            f.bar.SetType(b.nType);
            f.bar.SetPosition(b.nPosition);
            f.bar.m_bRecordOnly = TRUE;
            ModifierState modifiers(c.bShift, false);
            EXPECT_EQ(1, Key(f.bar, c.nKey));
            const int nExpected =
                bHorizontal ? (b.bRtl ? c.horizontalRtl : c.horizontal) : (b.bRtl ? c.verticalRtl : c.vertical);
            ASSERT_EQ(1u, f.bar.m_codes.size());
            EXPECT_EQ(nExpected, f.bar.m_codes[0]);
            // The site hears of every key first: wParam points to the key, lParam is the bar.
            ASSERT_EQ(1, f.site.Count(XTP_WM_TRACKINGKEY));
            EXPECT_EQ(reinterpret_cast<LPARAM>(static_cast<CXTPCommandBar*>(&f.bar)),
                      f.site.Find(XTP_WM_TRACKINGKEY)->lParam);
        }
    }
}

TEST(CommandBarNavigation, OnlyATrackingBarTakesKeys)
{
    Fixture f({"One", "Two"});
    f.bar.SetTrackingMode(FALSE);
    f.site.Clear();
    EXPECT_EQ(0, Key(f.bar, VK_RIGHT));
    EXPECT_TRUE(f.bar.m_codes.empty());
    EXPECT_EQ(0, f.site.Count(XTP_WM_TRACKINGKEY));
    // Other messages are not the bar's while it tracks either.
    f.bar.SetTrackingMode(TRUE, FALSE, TRUE);
    WPARAM wParam = 'A';
    LPARAM lParam = 0;
    LRESULT lResult = 0;
    EXPECT_EQ(0, f.bar.OnHookMessage(nullptr, WM_CHAR, wParam, lParam, lResult));
    // The wheel is eaten when no child window of the bar has the focus.
    EXPECT_EQ(1, f.bar.OnHookMessage(nullptr, WM_MOUSEWHEEL, wParam, lParam, lResult));
}

namespace
{
// A button that records the wheel deltas it is offered and uses them when told to.
class WheelButton : public CXTPControlButton
{
public:
    BOOL OnMouseWheel(short zDelta) override
    {
        m_deltas.push_back(zDelta);
        return m_bTake;
    }
    std::vector<short> m_deltas;
    BOOL m_bTake = TRUE;
};
} // namespace

TEST(CommandBarNavigation, WheelGoesToTheHotControlFirst)
{
    Fixture f({"One"});
    WheelButton* pWheel = new WheelButton();
    f.bar.GetControls()->Add(pWheel, 150);
    f.bar.LayOut();
    ASSERT_TRUE(f.bar.SetSelected(1));
    WPARAM wParam = MAKEWPARAM(0, static_cast<WORD>(-120));
    LPARAM lParam = MAKELPARAM(10, 10);
    LRESULT lResult = 0;
    struct Case
    {
        const char* name;
        BOOL bTake;
        int nSelected;
        size_t nOffered;
    } const cases[] = {
        {"the hot control uses it", TRUE, 1, 1},
        {"the hot control refuses: still eaten without a focused child", FALSE, 1, 2},
        {"another control is hot: not offered", TRUE, 0, 2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        pWheel->m_bTake = c.bTake;
        f.bar.SetSelected(c.nSelected);
        EXPECT_EQ(1, f.bar.OnHookMessage(nullptr, WM_MOUSEWHEEL, wParam, lParam, lResult));
        EXPECT_EQ(pWheel->m_deltas.size(), c.nOffered);
    }
    EXPECT_EQ(pWheel->m_deltas.front(), -120);
}

TEST(CommandBarNavigation, SpecialKeyMovesTheSelection)
{
    // Two is hidden, Four skips the focus: both are stepped over.
    struct Case
    {
        int nFrom;
        int nCode;
        int nTo;
        const char* what;
    } cases[] = {
        {0, xtpKeyNext, 2, "next steps over the hidden control"},
        {2, xtpKeyNext, 4, "and over the one that skips the focus"},
        {4, xtpKeyNext, 0, "next wraps to the first"},
        {0, xtpKeyPrev, 4, "previous wraps to the last"},
        {4, xtpKeyPrev, 2, "previous"},
        {2, xtpKeyRight, 4, "right is next"},
        {2, xtpKeyLeft, 0, "left is previous"},
        {-1, xtpKeyNext, 0, "next without a hot control: the first"},
        {-1, xtpKeyPrev, 4, "previous without a hot control: the last"},
        {2, xtpKeyHome, 0, "home"},
        {0, xtpKeyEnd, 4, "end"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Fixture f({"One", "Two", "Three", "Four", "Five"});
        f.bar.GetControls()->GetAt(1)->SetVisible(FALSE);
        CXTPControl* pFour = f.bar.GetControls()->GetAt(3);
        pFour->SetFlags(pFour->GetFlags() | xtpFlagSkipFocus);
        f.bar.SetSelected(c.nFrom, TRUE);
        EXPECT_TRUE(f.bar.ProcessSpecialKey(c.nCode));
        EXPECT_EQ(c.nTo, f.bar.Selected());
        EXPECT_TRUE(f.bar.IsTrackingMode());
        EXPECT_EQ(0, f.site.Count(WM_COMMAND)) << "moving executes nothing";
    }
}

TEST(CommandBarNavigation, EnterExecutesTheHotControl)
{
    Fixture f({"One", "Two", "Three"});
    f.bar.SetSelected(1, TRUE);
    EXPECT_EQ(1, Key(f.bar, VK_RETURN));
    EXPECT_EQ(1, f.site.CommandCount(102));
    EXPECT_EQ(1, f.site.Count(WM_COMMAND));
    EXPECT_FALSE(f.bar.IsTrackingMode()) << "executing ends tracking";

    // Nothing hot: Enter is refused and nothing runs.
    Fixture g({"One"});
    EXPECT_FALSE(g.bar.ProcessSpecialKey(xtpKeyReturn));
    EXPECT_EQ(0, g.site.Count(WM_COMMAND));

    // A disabled hot control is not run.
    Fixture h({"One", "Two"});
    h.bar.GetControls()->GetAt(0)->SetEnabled(FALSE);
    h.bar.SetSelected(0, TRUE);
    Key(h.bar, VK_RETURN);
    EXPECT_EQ(0, h.site.Count(WM_COMMAND));
}

TEST(CommandBarNavigation, EscapeEndsTrackingOfTheTopBar)
{
    Fixture f({"One", "Two"});
    f.bar.SetSelected(1, TRUE);
    EXPECT_EQ(1, Key(f.bar, VK_ESCAPE));
    EXPECT_FALSE(f.bar.IsTrackingMode());
    EXPECT_EQ(-1, f.bar.Selected());
    EXPECT_FALSE(XTPMouseManager()->IsTracking());
    EXPECT_FALSE(XTPKeyboardManager()->IsReceiver(&f.bar));
}

TEST(CommandBarNavigation, EscapeInASubBarReturnsTheParentToTrackingModeOne)
{
    Fixture f({">File", "Edit"});
    PopupControl* pFile = static_cast<PopupControl*>(f.bar.GetControls()->GetAt(0));
    f.bar.SetSelected(0, TRUE);
    ASSERT_TRUE(f.bar.SetPopupControl(0, TRUE));
    ASSERT_EQ(2, f.bar.GetTrackingMode());

    NavBar sub;
    sub.AddButtons({"New", "Open"});
    sub.SetParentBar(&f.bar);
    sub.SetSiteWindow(f.site.Handle());
    sub.SetTrackingMode(TRUE, FALSE, TRUE);
    sub.SetSelected(1, TRUE);
    EXPECT_EQ(1, Key(sub, VK_ESCAPE));
    EXPECT_FALSE(sub.IsTrackingMode());
    EXPECT_EQ(1, f.bar.GetTrackingMode());
    EXPECT_EQ(-1, f.bar.Popped());
    EXPECT_EQ(0, f.bar.Selected()) << "the parent keeps its hot control";
    ASSERT_EQ(2u, pFile->m_requests.size());
    EXPECT_FALSE(pFile->m_requests[1]) << "the open popup was closed";
}

TEST(CommandBarNavigation, SpaceOnAMenuBarOpensTheSystemMenu)
{
    Fixture f({"File", "Edit"});
    f.bar.SetType(xtpBarTypeMenuBar);
    BeepCounter beeps;
    EXPECT_EQ(1, Key(f.bar, VK_SPACE));
    EXPECT_FALSE(f.bar.IsTrackingMode());
    EXPECT_FALSE(XTPMouseManager()->IsTracking());
    EXPECT_EQ(0, f.site.Count(WM_SYSCOMMAND)) << "posted, not sent";
    qvx_test::PumpMessages();
    ASSERT_EQ(1, f.site.Count(WM_SYSCOMMAND));
    const MSG* pMsg = f.site.Find(WM_SYSCOMMAND);
    EXPECT_EQ(static_cast<WPARAM>(SC_KEYMENU), pMsg->wParam);
    EXPECT_EQ(32, pMsg->lParam);
    EXPECT_EQ(0, beeps.Count());
}

TEST(CommandBarNavigation, SpaceOnAToolbarIsACharacter)
{
    BeepCounter beeps;
    {
        Fixture f({"File", "Edit"});
        EXPECT_EQ(1, Key(f.bar, VK_SPACE));
        qvx_test::PumpMessages();
        EXPECT_EQ(0, f.site.Count(WM_SYSCOMMAND));
        EXPECT_TRUE(f.bar.IsTrackingMode());
        EXPECT_EQ(1, beeps.Count()) << "no caption starts with a space";
    }
    {
        Fixture f({"File", " Blank"});
        Key(f.bar, VK_SPACE);
        EXPECT_EQ(1, f.site.CommandCount(102)) << "a caption's first character, alone: executed";
        EXPECT_FALSE(f.bar.IsTrackingMode());
        EXPECT_EQ(1, beeps.Count());
    }
}

TEST(CommandBarNavigation, LettersSelectExecuteOrBeep)
{
    struct Case
    {
        int nHot;
        UINT nKey;
        bool bShift, bCtrl;
        int nSelected;  // afterwards
        int nExecuted;  // command id sent, 0 for none
        int nBeeps;
        const char* what;
    } cases[] = {
        {-1, 'S', false, false, 0, 0, 0, "two captions start with S: the first, not run"},
        {0, 'S', false, false, 1, 0, 0, "again: the next one, not run"},
        {1, 'S', false, false, 0, 0, 0, "and round"},
        {-1, 'O', false, false, 3, 104, 0, "an explicit & match runs"},
        {-1, 'N', false, false, 4, 105, 0, "one caption starting with N: runs"},
        {-1, 'X', false, false, -1, 0, 1, "nothing matches: a beep"},
        {-1, 'P', false, false, -1, 0, 1, "the only P caption is disabled: a beep"},
        {-1, VK_SHIFT, true, false, -1, 0, 0, "Shift never beeps"},
        {-1, VK_CONTROL, false, true, -1, 0, 0, "Ctrl never beeps"},
        {-1, 'S', false, true, -1, 0, 1, "Ctrl+letter is no access key"},
        {-1, 'S', true, false, 0, 0, 0, "Shift+letter is"},
        {-1, VK_F5, false, false, -1, 0, 0, "a key without a character is eaten quietly"},
        {-1, VK_NUMPAD1, false, false, 2, 103, 0, "a keypad digit is its digit"},
        {-1, '1', false, false, 2, 103, 0, "and so is the digit key"},
    };
    // Wine's layout gives keypad keys no character: there they are eaten like F5.
    const bool bKeypadHasCharacter = MapVirtualKeyA(VK_NUMPAD1, 2) != 0;
    for (Case c : cases)
    {
        SCOPED_TRACE(c.what);
        if (c.nKey == VK_NUMPAD1 && !bKeypadHasCharacter)
        {
            c.nSelected = -1;
            c.nExecuted = 0;
        }
        Fixture f({"Save", "Send", "1 Recent", "&Open", "New", "Print"});
        f.bar.GetControls()->GetAt(5)->SetEnabled(FALSE);
        if (c.nHot >= 0)
            f.bar.SetSelected(c.nHot, TRUE);
        BeepCounter beeps;
        {
            ModifierState modifiers(c.bShift, c.bCtrl);
            EXPECT_EQ(1, Key(f.bar, c.nKey));
        }
        EXPECT_EQ(c.nBeeps, beeps.Count());
        if (c.nBeeps)
        {
            EXPECT_EQ(0u, beeps.m_types[0]);
        }
        EXPECT_EQ(c.nExecuted ? 1 : 0, f.site.Count(WM_COMMAND));
        if (c.nExecuted)
        {
            EXPECT_EQ(1, f.site.CommandCount(static_cast<WPARAM>(c.nExecuted)));
            EXPECT_FALSE(f.bar.IsTrackingMode());
        }
        else
        {
            EXPECT_EQ(c.nSelected, f.bar.Selected());
            EXPECT_TRUE(f.bar.IsTrackingMode());
        }
    }
}

TEST(CommandBarNavigation, AccessKeyOfAPopupOpensIt)
{
    Fixture f({"&File", ">&Edit", ">&View"});
    PopupControl* pView = static_cast<PopupControl*>(f.bar.GetControls()->GetAt(2));
    pView->m_bOpens = TRUE;
    EXPECT_EQ(1, Key(f.bar, 'V'));
    EXPECT_EQ(2, f.bar.Selected());
    EXPECT_EQ(2, f.bar.Popped());
    EXPECT_EQ(2, f.bar.GetTrackingMode());
    ASSERT_EQ(1u, pView->m_requests.size());
    EXPECT_TRUE(pView->m_requests[0]);
    EXPECT_EQ(0, f.site.Count(WM_COMMAND));

    // A popup that cannot open leaves nothing marked open.
    Fixture g({">&Edit"});
    static_cast<PopupControl*>(g.bar.GetControls()->GetAt(0))->m_bOpens = FALSE;
    Key(g.bar, 'E');
    EXPECT_EQ(-1, g.bar.Popped());
}

TEST(CommandBarNavigation, UpAndDownOpenAndCloseAPopupOfATopBar)
{
    struct Case
    {
        UINT nKey;
        bool bEnabled;
        bool bOpens;
        const char* what;
    } cases[] = {
        {VK_DOWN, true, true, "down opens"},
        {VK_UP, true, true, "up on a bar without parent opens as well"},
        {VK_DOWN, false, false, "a disabled popup does not open"},
        {VK_UP, false, false, "nor by up"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Fixture f({"One", ">Two"});
        PopupControl* pTwo = static_cast<PopupControl*>(f.bar.GetControls()->GetAt(1));
        pTwo->SetEnabled(c.bEnabled);
        f.bar.SetSelected(1, TRUE);
        Key(f.bar, c.nKey);
        EXPECT_EQ(c.bOpens ? 1 : -1, f.bar.Popped());
        EXPECT_EQ(c.bOpens ? 1u : 0u, pTwo->m_requests.size());
        EXPECT_EQ(c.bOpens ? 2 : 1, f.bar.GetTrackingMode());
    }
    // Back (code 2) with the popup open closes it and returns to tracking mode 1.
    Fixture f({">One"});
    PopupControl* pOne = static_cast<PopupControl*>(f.bar.GetControls()->GetAt(0));
    f.bar.SetSelected(0, TRUE);
    ASSERT_TRUE(f.bar.ProcessSpecialKey(xtpKeyPopup));
    EXPECT_TRUE(f.bar.ProcessSpecialKey(xtpKeyBack));
    EXPECT_EQ(-1, f.bar.Popped());
    EXPECT_EQ(1, f.bar.GetTrackingMode());
    ASSERT_EQ(2u, pOne->m_requests.size());
    EXPECT_FALSE(pOne->m_requests[1]);
    // A plain button has no popup to open.
    Fixture g({"One"});
    g.bar.SetSelected(0, TRUE);
    EXPECT_FALSE(g.bar.ProcessSpecialKey(xtpKeyPopup));
}

TEST(CommandBarNavigation, UpAndDownMoveBetweenRowsOfAFloatingBar)
{
    // Rows of three: 0 1 2 / 3 4 5 / 6 7.
    struct Case
    {
        int nFrom;
        UINT nKey;
        int nTo;
        const char* what;
    } cases[] = {
        {1, VK_DOWN, 4, "down: the control below"},
        {4, VK_DOWN, 7, "down again"},
        {4, VK_UP, 1, "up"},
        {2, VK_DOWN, 5, "right column"},
        {5, VK_DOWN, 7, "a short row: the nearest overlap wins"},
        {7, VK_DOWN, 7, "the last row stays"},
        {1, VK_UP, 1, "the first row stays"},
        {-1, VK_DOWN, 0, "nothing hot: down takes the first"},
        {-1, VK_UP, 7, "and up the last"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Fixture f({"A", "B", "C", "D", "E", "F", "G", "H"});
        f.bar.SetPosition(xtpBarFloating);
        f.bar.LayOut(3);
        if (c.nFrom >= 0)
            f.bar.SetSelected(c.nFrom, TRUE);
        Key(f.bar, c.nKey);
        EXPECT_EQ(c.nTo, f.bar.Selected());
    }
}

TEST(CommandBarNavigation, PopupToolBarWithAnOpenPopup)
{
    Fixture f({">One", "Two"});
    f.bar.SetPosition(xtpBarPopup);
    f.bar.SetSelected(0, TRUE);
    ASSERT_TRUE(f.bar.SetPopupControl(0, TRUE));
    EXPECT_FALSE(f.bar.ProcessSpecialKey(xtpKeyNext)) << "the open popup owns the next step";
    EXPECT_EQ(0, f.bar.Popped());
    EXPECT_TRUE(f.bar.ProcessSpecialKey(xtpKeyPrev)) << "previous closes it";
    EXPECT_EQ(-1, f.bar.Popped());
    EXPECT_EQ(0, f.bar.Selected());
    EXPECT_EQ(1, f.bar.GetTrackingMode());
}

TEST(CommandBarNavigation, SiteHearsTheKeyAndMayDestroyTheBar)
{
    BeepCounter beeps;
    Fixture f({"One"});
    UINT nHeard = 0;
    f.site.m_onBarKey = [&](UINT nKey) {
        nHeard = nKey;
        f.bar.DestroyWindow();
    };
    EXPECT_EQ(1, Key(f.bar, 'X')) << "a bar destroyed meanwhile eats the key";
    EXPECT_EQ(static_cast<UINT>('X'), nHeard);
    EXPECT_EQ(0, beeps.Count()) << "and does nothing more with it";
}

TEST(CommandBarNavigation, SiteMayReleaseTheBarWhileItsKeyIsHandled)
{
    // A bar on the heap whose last reference the site drops: it lives until the key is done.
    struct CountedBar : NavBar
    {
        ~CountedBar() override { *m_pDeleted = true; }
        bool* m_pDeleted = nullptr;
    };
    BeepCounter beeps;
    SiteWindow site;
    bool bDeleted = false;
    bool bDeletedInside = true;
    CountedBar* pBar = new CountedBar();
    pBar->m_pDeleted = &bDeleted;
    pBar->AddButtons({"One"});
    pBar->CreateIn(site.Handle(), RECT{0, 0, 200, 24});
    pBar->SetTrackingMode(TRUE, FALSE, TRUE);
    site.m_onBarKey = [&](UINT) {
        pBar->SetTrackingMode(FALSE);
        pBar->DestroyWindow();
        pBar->InternalRelease();
        bDeletedInside = bDeleted;
    };
    EXPECT_EQ(1, Key(*pBar, 'X'));
    EXPECT_FALSE(bDeletedInside) << "the bar's own reference kept it";
    EXPECT_TRUE(bDeleted) << "and let it go at the end";
    EXPECT_EQ(0, beeps.Count());
}

TEST(CommandBarNavigation, KeptSelectionCustomizationHelpModeAndHotControlKeepKeys)
{
    // While the keep-selection lock is held, keys are eaten unseen.
    {
        Fixture f({"One", "Two"});
        f.bar.SetSelected(0, TRUE);
        f.bar.SetKeepSelection(1);
        EXPECT_EQ(1, Key(f.bar, VK_RIGHT));
        EXPECT_EQ(0, f.bar.Selected());
        EXPECT_EQ(0, f.site.Count(XTP_WM_TRACKINGKEY));
    }
    // In customise mode keys pass on.
    {
        Manager bars;
        Fixture f({"One", "Two"});
        f.bar.SetCommandBars(bars.p);
        bars.p->SetCustomizeMode(TRUE);
        EXPECT_EQ(2, Key(f.bar, VK_RIGHT));
        EXPECT_TRUE(f.bar.m_codes.empty());
        f.bar.SetCommandBars(nullptr);
    }
    // In the frame's help mode keys pass on.
    {
        CFrameWnd frame;
        ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
        NavBar bar;
        bar.AddButtons({"One", "Two"});
        bar.SetSiteWindow(frame.GetSafeHwnd());
        bar.SetTrackingMode(TRUE, FALSE, TRUE);
        frame.m_bHelpMode = TRUE;
        EXPECT_EQ(2, Key(bar, VK_RIGHT));
        EXPECT_TRUE(bar.m_codes.empty());
        frame.m_bHelpMode = FALSE;
        EXPECT_EQ(1, Key(bar, VK_RIGHT));
        EXPECT_EQ(1u, bar.m_codes.size());
        bar.SetTrackingMode(FALSE);
        frame.DestroyWindow();
    }
    // A hot control that takes the key decides.
    struct KeyControl : CXTPControlButton
    {
        BOOL OnHookKeyDown(UINT nChar, LPARAM) override
        {
            m_keys.push_back(nChar);
            return m_nAnswer;
        }
        int m_nAnswer = 0;
        std::vector<UINT> m_keys;
    };
    for (int nAnswer : {1, 2})
    {
        Fixture f({"One"});
        KeyControl* pControl = static_cast<KeyControl*>(f.bar.GetControls()->Add(new KeyControl(), 7));
        pControl->m_nAnswer = nAnswer;
        f.bar.SetSelected(1, TRUE);
        EXPECT_EQ(nAnswer, Key(f.bar, VK_LEFT));
        EXPECT_EQ(1u, pControl->m_keys.size());
        EXPECT_TRUE(f.bar.m_codes.empty());
        EXPECT_EQ(1, f.bar.Selected());
    }
    {
        Fixture f({"One"});
        KeyControl* pControl = static_cast<KeyControl*>(f.bar.GetControls()->Add(new KeyControl(), 7));
        f.bar.SetSelected(1, TRUE);
        EXPECT_EQ(1, Key(f.bar, VK_LEFT)) << "a control that does not take the key leaves it to the bar";
        EXPECT_EQ(1u, pControl->m_keys.size());
        EXPECT_EQ(0, f.bar.Selected());
    }
}

TEST(CommandBarNavigation, TipFilterRule)
{
    // Tips as plain objects (no windows): the filter reads and changes only their records.
    struct Tips
    {
        Tips(std::initializer_list<const char*> keys)
        {
            for (const char* key : keys)
            {
                owned.emplace_back(new CXTPCommandBarKeyboardTip(nullptr, nullptr, "", CPoint(0, 0), 0, TRUE));
                owned.back()->m_strTip = key;
                tips.push_back(owned.back().get());
            }
        }
        std::vector<std::unique_ptr<CXTPCommandBarKeyboardTip>> owned;
        std::vector<CXTPCommandBarKeyboardTip*> tips;
    };
    struct Case
    {
        std::initializer_list<const char*> keys;
        int nTyped;
        UINT nKey;
        int nResult;
        int nTypedAfter;
        const char* visibleAfter; // one letter per tip: 1 shown, 0 hidden
        const char* what;
    } cases[] = {
        {{"FI", "FO", "E"}, 0, 'F', xtpTipFilterNarrowed, 1, "110", "F keeps both F tips"},
        {{"FI", "FO", "E"}, 1, 'O', 1, 2, "010", "O completes FO"},
        {{"FI", "FO", "E"}, 0, 'E', 2, 1, "001", "E completes at once"},
        {{"FI", "FO", "E"}, 0, 'X', xtpTipFilterNoMatch, 0, "111", "no tip takes X: nothing hidden"},
        {{"FI", "FO", "E"}, 1, 'E', xtpTipFilterNoMatch, 1, "111", "the second character counts now"},
        {{"A1", "A2"}, 1, VK_NUMPAD2, 1, 2, "01", "keypad digits"},
        {{"A1", "A2"}, 1, '2', 1, 2, "01", "digits"},
    };
    for (Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Tips t(c.keys);
        int nTyped = c.nTyped;
        EXPECT_EQ(c.nResult, XTPFilterKeyboardTips(t.tips.data(), static_cast<int>(t.tips.size()), nTyped, c.nKey));
        EXPECT_EQ(c.nTypedAfter, nTyped);
        std::string visible;
        for (const CXTPCommandBarKeyboardTip* tip : t.tips)
            visible += tip->m_bVisible ? '1' : '0';
        EXPECT_EQ(c.visibleAfter, visible);
    }
    // A hidden tip takes no more keys; a disabled tip is never chosen.
    Tips t({"E", "EX"});
    t.tips[0]->m_bEnabled = FALSE;
    int nTyped = 0;
    EXPECT_EQ(xtpTipFilterNarrowed, XTPFilterKeyboardTips(t.tips.data(), 2, nTyped, 'E'));
    t.tips[1]->m_bVisible = FALSE;
    nTyped = 0;
    EXPECT_EQ(xtpTipFilterNarrowed, XTPFilterKeyboardTips(t.tips.data(), 2, nTyped, 'E'));
    nTyped = 1;
    EXPECT_EQ(xtpTipFilterNoMatch, XTPFilterKeyboardTips(t.tips.data(), 2, nTyped, 'X'));
    EXPECT_EQ(xtpTipFilterNoMatch, XTPFilterKeyboardTips(nullptr, 0, nTyped, 'E'));
}

namespace
{
// A bar whose manager shows keyboard tips for its controls, keyed as given.
struct TipsFixture : Fixture
{
    TipsFixture(std::initializer_list<const char*> captions, std::initializer_list<const char*> keys, int nLevel = 1)
        : Fixture(captions)
    {
        bar.SetCommandBars(bars.p);
        int i = 0;
        for (const char* key : keys)
        {
            CXTPCommandBarKeyboardTip* pTip = new CXTPCommandBarKeyboardTip(
                bars.p, bar.GetControls()->GetAt(i++), key, CPoint(0, 0), 0, TRUE);
            pTip->m_strTip = key;
            pTip->CreateTipWindow(nullptr, CRect(0, 0, 20, 16), FALSE);
            pTip->ShowWindow(SW_SHOWNA);
            windows.push_back(pTip->GetSafeHwnd());
            bars.p->GetKeyboardTips().Add(pTip);
        }
        bars.p->SetKeyboardTipsOwner(&bar);
        bars.p->SetKeyboardTipsLevel(nLevel);
    }
    ~TipsFixture()
    {
        bars.p->HideKeyboardTips();
        bar.SetCommandBars(nullptr);
    }
    Manager bars;
    std::vector<HWND> windows; // the tips' windows (the manager destroys them)
};
} // namespace

TEST(CommandBarNavigation, TypingNarrowsTheTipsAndChoosesOne)
{
    BeepCounter beeps;
    TipsFixture f({"File", "Format", "Edit"}, {"FI", "FO", "E"});
    EXPECT_EQ(1, f.bar.GetKeyboardTipsLevel());
    EXPECT_EQ(1, Key(f.bar, 'F'));
    EXPECT_EQ(0, f.site.Count(WM_COMMAND));
    EXPECT_EQ(-1, f.bar.Selected()) << "tips shown: the letter is no access key";
    EXPECT_TRUE(IsWindowVisible(f.windows[0]));
    EXPECT_TRUE(IsWindowVisible(f.windows[1]));
    EXPECT_FALSE(IsWindowVisible(f.windows[2])) << "Edit's tip is ruled out";
    EXPECT_EQ(1, f.bars.p->GetKeyboardTipsPrefix());

    EXPECT_EQ(1, Key(f.bar, 'X'));
    EXPECT_EQ(1, beeps.Count()) << "no tip goes on with X";
    EXPECT_EQ(1, f.bars.p->GetKeyboardTipsPrefix());

    EXPECT_EQ(1, Key(f.bar, 'O'));
    EXPECT_EQ(1, f.site.CommandCount(102)) << "FO chose Format";
    EXPECT_EQ(0, f.bar.GetKeyboardTipsLevel()) << "the tips are gone";
    EXPECT_EQ(0, f.bars.p->GetKeyboardTips().GetSize());
    EXPECT_FALSE(IsWindowVisible(f.windows[0]));
}

TEST(CommandBarNavigation, TipsGoWithMovesAndEscape)
{
    {
        TipsFixture f({"File", "Edit"}, {"F", "E"});
        f.bar.SetSelected(0, TRUE);
        Key(f.bar, VK_RIGHT);
        EXPECT_EQ(1, f.bar.Selected());
        EXPECT_EQ(0, f.bar.GetKeyboardTipsLevel());
        EXPECT_FALSE(IsWindowVisible(f.windows[1]));
    }
    {
        // Tips of a deeper level: Esc goes one level back and the bar keeps tracking.
        TipsFixture f({"File", "Edit"}, {"F", "E"}, 2);
        Key(f.bar, VK_ESCAPE);
        EXPECT_TRUE(f.bar.IsTrackingMode());
        EXPECT_EQ(0, f.bar.GetKeyboardTipsLevel());
        Key(f.bar, VK_ESCAPE);
        EXPECT_FALSE(f.bar.IsTrackingMode());
    }
    {
        // Ctrl held: neither tips nor access keys.
        BeepCounter beeps;
        TipsFixture f({"File", "Edit"}, {"F", "E"});
        ModifierState modifiers(false, true);
        Key(f.bar, 'E');
        EXPECT_EQ(0, f.site.Count(WM_COMMAND));
        EXPECT_EQ(1, beeps.Count());
        EXPECT_EQ(1, f.bar.GetKeyboardTipsLevel());
        EXPECT_TRUE(IsWindowVisible(f.windows[0]));
    }
    {
        // Tips another bar owns do not filter this bar's keys.
        TipsFixture f({"File", "Edit"}, {"X", "Y"});
        NavBar other;
        f.bars.p->SetKeyboardTipsOwner(&other);
        Key(f.bar, 'E');
        EXPECT_EQ(1, f.site.CommandCount(102));
        f.bars.p->SetKeyboardTipsOwner(nullptr);
    }
}
