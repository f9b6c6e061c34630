// The command-bars manager without windows: the position tests, the bar list, what the manager holds
// from construction (an empty shortcut table, the actions, the keyboard-cue mode) and the menu-sound
// player it leaves running.
#include "ManagerTestSupport.h"

#include "toolkit/commandbars/bars/XTPCommandBarList.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControlAction.h"
#include "toolkit/commandbars/manager/XTPCustomizeDropSource.h"
#include "toolkit/commandbars/managers/XTPShortcutManager.h"
#include "toolkit/common/system/XTPMenuSoundPlayer.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"
#include "tests/common/MessagePump.h"

#include <gtest/gtest.h>

using mgr_test::FixedSystemQuery;
using mgr_test::RowBar;

TEST(CommandBarsPositions, VerticalDockAndVerticalLayoutPositions)
{
    struct Case
    {
        int nPosition;
        BOOL bVerticalDock;
        BOOL bVertical;
    } const cases[] = {{xtpBarTop, FALSE, FALSE},    {xtpBarBottom, FALSE, FALSE}, {xtpBarLeft, TRUE, TRUE},
                       {xtpBarRight, TRUE, TRUE},    {xtpBarFloating, FALSE, FALSE}, {xtpBarPopup, FALSE, TRUE},
                       {xtpBarListBox, FALSE, FALSE}, {xtpBarNone, FALSE, FALSE}};
    for (const Case& c : cases)
    {
        EXPECT_EQ(IsVerticalDockPosition(c.nPosition), c.bVerticalDock) << c.nPosition;
        EXPECT_EQ(IsVerticalPosition(c.nPosition), c.bVertical) << c.nPosition;
    }
}

TEST(CommandBarList, HoldsOneReferencePerBarAndReleasesThemAll)
{
    RowBar* pFirst = new RowBar();
    RowBar* pSecond = new RowBar();
    pFirst->SetBarID(7);
    pSecond->SetBarID(9);
    {
        CXTPCommandBarList list;
        EXPECT_EQ(list.Add(pFirst), pFirst);
        list.Add(pSecond);
        EXPECT_EQ(list.Add(nullptr), nullptr);
        EXPECT_EQ(list.GetCount(), 2);
        EXPECT_EQ(pFirst->m_dwRef, 2);
        EXPECT_TRUE(list.Contains(pSecond));
        RowBar other;
        EXPECT_FALSE(list.Contains(&other));
        EXPECT_EQ(list.FindCommandBar(9), pSecond);
        EXPECT_EQ(list.FindCommandBar(8), nullptr);
        EXPECT_EQ(list.GetAt(2), nullptr);
        EXPECT_EQ(list.GetAt(-1), nullptr);
    }
    EXPECT_EQ(pFirst->m_dwRef, 1);
    EXPECT_EQ(pSecond->m_dwRef, 1);
    pFirst->InternalRelease();
    pSecond->InternalRelease();
}

TEST(CommandBarsConstruction, HoldsItsPartsFromTheStart)
{
    FixedSystemQuery query;
    CXTPCommandBars* bars = new CXTPCommandBars();
    ASSERT_NE(bars->GetShortcutManager(), nullptr);
    EXPECT_EQ(bars->GetShortcutManager()->GetAccelCount(), 0);
    ASSERT_NE(bars->GetDropSource(), nullptr);
    EXPECT_EQ(bars->GetDropSource()->GetCommandBars(), bars);
    ASSERT_NE(bars->GetToolTipContext(), nullptr);
    EXPECT_EQ(bars->GetToolTipContext()->GetStyle(), xtpToolTipOffice);
    ASSERT_NE(bars->GetContextMenus(), nullptr);
    EXPECT_EQ(bars->GetCommandBarsOptions()->GetShowKeyboardCues(), 2);
    EXPECT_EQ(bars->GetCustomizeDialog(), nullptr);
    EXPECT_FALSE(bars->IsCustomizable());

    // The actions exist but controls see them only once enabled.
    EXPECT_FALSE(bars->IsActionsEnabled());
    EXPECT_EQ(bars->GetActions(), nullptr);
    EXPECT_EQ(bars->CreateAction(300), nullptr);
    bars->EnableActions();
    ASSERT_NE(bars->GetActions(), nullptr);
    CXTPControlAction* pAction = bars->CreateAction(300);
    ASSERT_NE(pAction, nullptr);
    EXPECT_EQ(bars->CreateAction(300), pAction);
    EXPECT_EQ(bars->FindAction(300), pAction);
    EXPECT_EQ(bars->FindAction(301), nullptr);
    bars->InternalRelease();
}

TEST(CommandBarsConstruction, AnEmptyShortcutTableTranslatesNoKey)
{
    CXTPCommandBars* bars = new CXTPCommandBars();
    const UINT messages[] = {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSCHAR};
    for (UINT message : messages)
    {
        MSG msg = {};
        msg.message = message;
        msg.wParam = 'S';
        EXPECT_FALSE(bars->GetShortcutManager()->TranslateAccelerator(&msg)) << message;
        EXPECT_FALSE(bars->PreTranslateFrameMessage(&msg)) << message;
    }
    bars->InternalRelease();
}

TEST(CommandBarsConstruction, TheKeyboardCueModeFollowsTheSystemAtConstruction)
{
    struct Case
    {
        BOOL bSystemShows;
        BOOL bInUse;
        BOOL bVisible;
    } const cases[] = {{TRUE, FALSE, TRUE}, {FALSE, TRUE, FALSE}};
    for (const Case& c : cases)
    {
        FixedSystemQuery query;
        query.m_bCuesShown = c.bSystemShows;
        CXTPCommandBars* bars = new CXTPCommandBars();
        EXPECT_EQ(bars->m_bKeyboardCuesInUse, c.bInUse) << c.bSystemShows;
        EXPECT_EQ(bars->m_bKeyboardCuesVisible, c.bVisible) << c.bSystemShows;
        bars->InternalRelease();
    }
}

namespace
{
volatile LONG g_nMenuSounds = 0;
BOOL WINAPI CountMenuSound(LPCSTR pszSound, HMODULE, DWORD)
{
    if (pszSound)
        ::InterlockedIncrement(&g_nMenuSounds);
    return TRUE;
}

bool SoundsReach(LONG nCount)
{
    return qvx_test::PumpUntil([nCount] { return g_nMenuSounds >= nCount; }, 5000);
}
} // namespace

TEST(CommandBarsMenuSound, ClosingOneManagerLeavesMenuSoundsOnForTheRestOfTheRun)
{
    CXTPMenuSoundPlayer* pPlayer = GetMenuSoundPlayer();
    pPlayer->SetPlaySoundFunction(&CountMenuSound);
    pPlayer->Enable(TRUE);
    pPlayer->EnableSystemSounds(TRUE);
    const LONG nStart = g_nMenuSounds;

    CXTPCommandBars* pDialogBars = new CXTPCommandBars();
    CXTPCommandBars* pMainBars = new CXTPCommandBars();
    pPlayer->Play(CXTPMenuSoundPlayer::xtpSoundMenuPopup);
    EXPECT_TRUE(SoundsReach(nStart + 1));
    pDialogBars->InternalRelease(); // one dialog closes
    EXPECT_TRUE(pPlayer->IsThreadRunning());
    pPlayer->Play(CXTPMenuSoundPlayer::xtpSoundMenuCommand);
    EXPECT_TRUE(SoundsReach(nStart + 2));
    pMainBars->InternalRelease();
    EXPECT_TRUE(pPlayer->IsThreadRunning());

    // A player that was stopped starts again with the next sound.
    EXPECT_EQ(pPlayer->Stop(), 1);
    pPlayer->Play(CXTPMenuSoundPlayer::xtpSoundMenuPopup);
    EXPECT_TRUE(pPlayer->IsThreadRunning());
    EXPECT_TRUE(SoundsReach(nStart + 3));
    pPlayer->SetPlaySoundFunction(nullptr);
}
