// The command-bars manager on a recording frame and a recording dialog: its bar list and lookups,
// layout of its site, the frame messages it answers, the site's pre-translation (Alt and access
// keys only while the site is the active window, the wheel) and the frame theme's composition.
// These tests show and activate top-level windows, so they hold the desktop-input lock.
#include "ManagerTestSupport.h"

#include "toolkit/commandbars/manager/XTPCommandBarsFrameHook.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCustomizeDropSource.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/managers/XTPShortcutManager.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "toolkit/common/XTPResourceIds.h"

#include <gtest/gtest.h>

using mgr_test::FixedSystemQuery;
using mgr_test::ManagerOnFrame;
using mgr_test::RecordingDialog;
using mgr_test::RecordingFrame;
using mgr_test::RowBar;

TEST_F(ManagerOnFrame, AltShowsCuesOnlyWhenTheyAreInUse)
{
    struct Case
    {
        int nShowMode;
        BOOL bSystemShows;
        BOOL bBefore;
        BOOL bWhileAlt;
    } const cases[] = {
        {2, FALSE, FALSE, TRUE}, // the system hides cues: Alt toggles them
        {2, TRUE, TRUE, TRUE},   // the system shows them: always drawn
        {1, FALSE, FALSE, FALSE}, {0, FALSE, TRUE, TRUE},
    };
    frame.SetActiveWindow();
    for (const Case& c : cases)
    {
        query.m_bCuesShown = c.bSystemShows;
        bars->GetCommandBarsOptions()->SetShowKeyboardCues(c.nShowMode);
        EXPECT_EQ(bars->IsKeyboardCuesVisible(), c.bBefore) << c.nShowMode << c.bSystemShows;
        MSG down = SysKey(WM_SYSKEYDOWN, VK_MENU);
        EXPECT_FALSE(bars->PreTranslateFrameMessage(&down)); // Alt itself goes on to the system
        EXPECT_EQ(bars->IsKeyboardCuesVisible(), c.bWhileAlt) << c.nShowMode << c.bSystemShows;
        MSG up = SysKey(WM_SYSKEYUP, VK_MENU);
        EXPECT_FALSE(bars->PreTranslateFrameMessage(&up));
        EXPECT_EQ(bars->IsKeyboardCuesVisible(), c.bBefore) << c.nShowMode << c.bSystemShows;
    }
}

TEST_F(ManagerOnFrame, AltLetterExecutesTheAccessKeyControl)
{
    RowBar* pMenu = AddBar(1, 0, xtpBarTypeMenuBar);
    pMenu->AddButton(100, "&File");
    pMenu->AddButton(101, "&Edit");
    pMenu->AddButton(102, "Fo&rmat");
    frame.SetActiveWindow();
    ASSERT_EQ(::GetActiveWindow(), frame.GetSafeHwnd());
    struct Case
    {
        UINT nKey;
        BOOL bConsumed;
        int nCommand; // 0: none sent
    } const cases[] = {{'E', TRUE, 101}, {'R', TRUE, 102}, {'F', TRUE, 100}, {'Q', FALSE, 0}};
    for (const Case& c : cases)
    {
        frame.m_log.clear();
        MSG msg = SysKey(WM_SYSKEYDOWN, c.nKey);
        EXPECT_EQ(bars->PreTranslateFrameMessage(&msg), c.bConsumed) << char(c.nKey);
        const mgr_test::SiteMessage* pCommand = frame.Last(WM_COMMAND);
        if (c.nCommand)
        {
            ASSERT_NE(pCommand, nullptr) << char(c.nKey);
            EXPECT_EQ(LOWORD(pCommand->wParam), c.nCommand);
        }
        else
        {
            EXPECT_EQ(pCommand, nullptr) << char(c.nKey);
        }
        EXPECT_FALSE(pMenu->IsTrackingMode()); // executing ends tracking
    }

    // Another window is active: the keys are not the site's to take.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "other", WS_POPUP | WS_VISIBLE, CRect(500, 20, 600, 80), nullptr, 0));
    other.SetActiveWindow();
    ASSERT_EQ(::GetActiveWindow(), other.GetSafeHwnd());
    frame.m_log.clear();
    MSG msg = SysKey(WM_SYSKEYDOWN, 'E');
    EXPECT_FALSE(bars->PreTranslateFrameMessage(&msg));
    EXPECT_EQ(frame.Count(WM_COMMAND), 0);
    other.DestroyWindow();
}

TEST_F(ManagerOnFrame, AccessKeysRefusedOrLeftAlone)
{
    RowBar* pMenu = AddBar(1, 0, xtpBarTypeMenuBar);
    pMenu->AddButton(110, "&1 One");
    pMenu->AddButton(111, "&Tools");
    frame.SetActiveWindow();
    struct Case
    {
        int nCuesUse;
        BOOL bNumPad;
        UINT nKey;
        int nCommand;
    } const cases[] = {
        {2, FALSE, 'T', 0},         // access keys off
        {1, FALSE, VK_NUMPAD1, 0},  // keypad digits refused
        {1, TRUE, VK_NUMPAD1, 110}, // unless the options allow them
        {1, FALSE, '1', 110},       {1, FALSE, 'T', 111},
        {1, FALSE, VK_F5, 0}, // no character
    };
    for (const Case& c : cases)
    {
        frame.m_log.clear();
        bars->GetCommandBarsOptions()->keyboardCuesUse = c.nCuesUse;
        bars->GetCommandBarsOptions()->bUseAltNumPadKeys = c.bNumPad;
        MSG msg = SysKey(WM_SYSKEYDOWN, c.nKey);
        EXPECT_EQ(bars->PreTranslateFrameMessage(&msg) != FALSE, c.nCommand != 0) << c.nKey;
        const mgr_test::SiteMessage* pCommand = frame.Last(WM_COMMAND);
        EXPECT_EQ(pCommand ? static_cast<int>(LOWORD(pCommand->wParam)) : 0, c.nCommand) << c.nKey;
    }
}

TEST_F(ManagerOnFrame, AnAmbiguousFirstLetterSelectsWithoutExecuting)
{
    RowBar* pMenu = AddBar(1, 0, xtpBarTypeMenuBar);
    pMenu->AddButton(120, "Save");
    pMenu->AddButton(121, "Send");
    frame.SetActiveWindow();
    MSG msg = SysKey(WM_SYSKEYDOWN, 'S');
    EXPECT_TRUE(bars->PreTranslateFrameMessage(&msg));
    EXPECT_EQ(frame.Count(WM_COMMAND), 0);
    EXPECT_TRUE(pMenu->IsTrackingMode());
    EXPECT_EQ(pMenu->GetSelected(), 0);
    EXPECT_TRUE(bars->IsKeyboardCuesVisible());
    EXPECT_EQ(bars->GetKeyboardTipsLevel(), 1);
    bars->EndAllTracking();
    EXPECT_FALSE(pMenu->IsTrackingMode());

    // With explicit markers only, first letters count for nothing.
    bars->GetCommandBarsOptions()->keyboardCuesUse = 1 | 4;
    EXPECT_FALSE(bars->PreTranslateFrameMessage(&msg));
    EXPECT_FALSE(pMenu->IsTrackingMode());
}

TEST_F(ManagerOnFrame, AccessKeysReachOtherBarsInAllBarsModeOnly)
{
    RowBar* pMenu = AddBar(1, 0, xtpBarTypeMenuBar);
    pMenu->AddButton(130, "&View");
    RowBar* pTools = AddBar(2, 30);
    pTools->AddButton(131, "&Zoom");
    pTools->AddButton(132, "Quit"); // a first letter on a toolbar that is not tracking
    frame.SetActiveWindow();
    struct Case
    {
        int nCuesUse;
        UINT nKey;
        int nCommand;
    } const cases[] = {{1, 'Z', 131}, {0, 'Z', 0}, {1, 'Q', 0}, {0, 'V', 130}};
    for (const Case& c : cases)
    {
        frame.m_log.clear();
        bars->GetCommandBarsOptions()->keyboardCuesUse = c.nCuesUse;
        MSG msg = SysKey(WM_SYSKEYDOWN, c.nKey);
        bars->PreTranslateFrameMessage(&msg);
        const mgr_test::SiteMessage* pCommand = frame.Last(WM_COMMAND);
        EXPECT_EQ(pCommand ? static_cast<int>(LOWORD(pCommand->wParam)) : 0, c.nCommand)
            << c.nCuesUse << " " << char(c.nKey);
        bars->EndAllTracking();
    }
}

TEST_F(ManagerOnFrame, ASiteHandlingCustomizeMakesTheManagerCustomizable)
{
    EXPECT_FALSE(bars->IsCustomizable());
    frame.m_handled.insert(ID_TK_CUSTOMIZE);
    bars->SetSite(&frame);
    EXPECT_TRUE(bars->IsCustomizable());
    EXPECT_EQ(frame.Count(WM_COMMAND), 0); // asked, not executed
    frame.m_handled.clear();
    bars->SetSite(&frame);
    EXPECT_FALSE(bars->IsCustomizable());
}

TEST_F(ManagerOnFrame, LooksBarsUpByIdAndIndex)
{
    RowBar* pZero = AddBar(0);
    RowBar* pFive = AddBar(5, 30);
    EXPECT_EQ(bars->GetCount(), 2);
    EXPECT_EQ(bars->GetToolBar(0), nullptr); // even though a bar has id 0
    EXPECT_EQ(bars->FindCommandBar(0), pZero);
    EXPECT_EQ(bars->GetToolBar(5), pFive);
    EXPECT_EQ(bars->GetToolBar(6), nullptr);
    EXPECT_EQ(bars->IndexOf(pFive), 1);
    RowBar stranger;
    EXPECT_EQ(bars->IndexOf(&stranger), -1);
    EXPECT_EQ(bars->GetAt(2), nullptr);
    EXPECT_EQ(bars->GetAt(-1), nullptr);
    EXPECT_EQ(bars->GetMenuBar(), nullptr); // no bar with id 1
}

TEST_F(ManagerOnFrame, TheMenuBarIsTheBarWithIdOneOfAMenuKind)
{
    struct Case
    {
        int nType;
        bool bMenuBar;
    } const cases[] = {{xtpBarTypeMenuBar, true}, {3, true}, {xtpBarTypeNormal, false}, {xtpBarTypePopup, false}};
    for (const Case& c : cases)
    {
        bars->RemoveAll();
        RowBar* pBar = AddBar(1, 0, c.nType);
        EXPECT_EQ(bars->GetMenuBar() == pBar, c.bMenuBar) << c.nType;
    }
}

TEST_F(ManagerOnFrame, NextVisibleIndexWrapsOnce)
{
    EXPECT_EQ(bars->GetNextVisibleIndex(-1, 1), -1); // empty
    RowBar* pOnly = AddBar(10);
    EXPECT_EQ(bars->GetNextVisibleIndex(0, 1), 0); // one bar: back to itself after one wrap
    EXPECT_EQ(bars->GetNextVisibleIndex(0, -1), 0);
    EXPECT_EQ(bars->GetNextVisibleIndex(-1, -1), 0);
    RowBar* pHidden = AddBar(11, 30);
    RowBar* pThird = AddBar(12, 60);
    pHidden->m_bShown = FALSE; // its own visible flag is off
    struct Case
    {
        int nFrom;
        int nStep;
        int nExpected;
    } const cases[] = {{0, 1, 2}, {2, 1, 0}, {-1, 1, 0}, {-1, -1, 2}, {0, -1, 2}, {2, -1, 0}, {1, 1, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(bars->GetNextVisibleIndex(c.nFrom, c.nStep), c.nExpected) << c.nFrom << "," << c.nStep;
    // A window that is hidden or empty does not count either.
    pThird->ShowWindow(SW_HIDE);
    EXPECT_EQ(bars->GetNextVisibleIndex(0, 1), 0);
    pOnly->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(bars->GetNextVisibleIndex(0, 1), -1);
}

TEST_F(ManagerOnFrame, FrameLayoutAtOnceOrAtIdle)
{
    frame.m_log.clear();
    frame.m_nLayouts = 0;
    bars->RecalcFrameLayout(TRUE);
    EXPECT_EQ(frame.m_nIdleFlags & CFrameWnd::idleLayout, 8u);
    EXPECT_EQ(frame.m_nLayouts, 0);
    bars->PerformPendingLayout();
    EXPECT_EQ(frame.m_nLayouts, 1);
    EXPECT_EQ(frame.m_nIdleFlags & CFrameWnd::idleLayout, 0u);
    bars->PerformPendingLayout(); // nothing pending
    EXPECT_EQ(frame.m_nLayouts, 1);

    bars->RecalcFrameLayout(FALSE);
    EXPECT_EQ(frame.m_nLayouts, 2);
    bars->LockLayout(TRUE);
    bars->RecalcFrameLayout(FALSE);
    bars->RecalcFrameLayout(TRUE);
    EXPECT_EQ(frame.m_nLayouts, 2);
    EXPECT_EQ(frame.m_nIdleFlags & CFrameWnd::idleLayout, 0u);
    bars->LockLayout(FALSE);
    EXPECT_EQ(frame.Count(WM_SIZE), 0); // a frame is never sent WM_SIZE for its layout
}

TEST(CommandBarsDialogSite, LayoutSendsTheDialogItsClientSize)
{
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.CreateSite());
    CXTPCommandBars* bars = new CXTPCommandBars();
    bars->SetSite(&dialog);
    dialog.m_log.clear();
    bars->RecalcFrameLayout(FALSE);
    RECT rc;
    ::GetClientRect(dialog.GetSafeHwnd(), &rc);
    ASSERT_EQ(dialog.Count(WM_SIZE), 1);
    EXPECT_EQ(dialog.Last(WM_SIZE)->lParam, MAKELPARAM(rc.right, rc.bottom));
    EXPECT_GT(rc.right, 0);
    bars->RecalcFrameLayout(TRUE); // a dialog has no idle layout: at once
    EXPECT_EQ(dialog.Count(WM_SIZE), 2);

    // Without a site window nothing is sent.
    dialog.DestroyWindow();
    bars->RecalcFrameLayout(FALSE);
    EXPECT_EQ(dialog.Count(WM_SIZE), 2);
    bars->InternalRelease();
}

TEST(CommandBarsDialogSite, AManagerGoingAwayDoesNotLayTheSiteOut)
{
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.CreateSite());
    CXTPCommandBars* bars = new CXTPCommandBars();
    bars->SetSite(&dialog);
    RowBar* pBar = new RowBar();
    bars->AddCommandBar(pBar);
    ASSERT_TRUE(pBar->CreateOn(&dialog));
    HWND hWndBar = pBar->GetSafeHwnd();
    dialog.m_log.clear();
    bars->InternalRelease();
    EXPECT_EQ(dialog.Count(WM_SIZE), 0);
    EXPECT_FALSE(::IsWindow(hWndBar)); // its bars went with it
    dialog.DestroyWindow();
}

TEST(CommandBarsDialogSite, ASiteWithoutAWindowIsNeverAsked)
{
    CXTPCommandBars* bars = new CXTPCommandBars();
    RecordingDialog dialog; // never created
    bars->SetSite(&dialog);
    EXPECT_EQ(bars->GetSite(), nullptr);
    EXPECT_FALSE(bars->IsCustomizable());
    bars->RecalcFrameLayout(FALSE);
    EXPECT_EQ(dialog.Count(WM_SIZE), 0);
    bars->InternalRelease();
}

TEST_F(ManagerOnFrame, FrameMessagesThatEndTracking)
{
    RowBar* pBar = AddBar(20);
    struct Case
    {
        UINT message;
        WPARAM wParam;
        BOOL bCustomize;
        bool bEnds;
    } const cases[] = {
        {WM_ACTIVATEAPP, 0, FALSE, true},        {WM_ACTIVATEAPP, 1, FALSE, false},
        {WM_CANCELMODE, 0, FALSE, true},         {WM_SYSCOMMAND, SC_MOVE, FALSE, true},
        {WM_SYSCOMMAND, SC_KEYMENU, FALSE, false}, {WM_SYSCOMMAND, SC_KEYMENU | 2, FALSE, false},
        {WM_SYSCOMMAND, 0x10000, FALSE, false},  {WM_SYSCOMMAND, SC_MOVE, TRUE, false},
        {WM_SIZE, 0, FALSE, false},
    };
    for (const Case& c : cases)
    {
        bars->SetCustomizeMode(c.bCustomize);
        ASSERT_TRUE(pBar->SetTrackingMode(TRUE, FALSE, TRUE));
        LRESULT lResult = 77;
        EXPECT_FALSE(bars->OnFrameWndMsg(c.message, c.wParam, 0, &lResult)) << c.message << " " << c.wParam;
        EXPECT_EQ(lResult, 77);
        EXPECT_EQ(!pBar->IsTrackingMode(), c.bEnds) << c.message << " " << c.wParam;
        pBar->SetTrackingMode(FALSE);
    }
    bars->SetCustomizeMode(FALSE);
    EXPECT_FALSE(XTPMouseManager()->IsTracking());
}

TEST_F(ManagerOnFrame, CloseIsRefusedWhileTheCustomiseDialogIsOpen)
{
    LRESULT lResult = 5;
    EXPECT_FALSE(bars->OnFrameWndMsg(WM_CLOSE, 0, 0, &lResult));
    CWnd customize;
    ASSERT_TRUE(customize.CreateEx(0, nullptr, "customize", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    bars->GetDropSource()->SetCustomizeWnd(&customize);
    EXPECT_TRUE(bars->OnFrameWndMsg(WM_CLOSE, 0, 0, &lResult));
    EXPECT_EQ(lResult, 0);
    customize.DestroyWindow();
    EXPECT_FALSE(bars->OnFrameWndMsg(WM_CLOSE, 0, 0, &lResult)); // the dialog is gone
    bars->GetDropSource()->SetCustomizeWnd(nullptr);
}

TEST_F(ManagerOnFrame, HelpCommandSendsContextHelpWithTheTrackedHelpId)
{
    struct Case
    {
        int nHelpId;
        bool bSiteHandlesHelp;
        bool bHandled;
    } const cases[] = {{42, true, true}, {0, true, false}, {42, false, false}, {-3, true, false}};
    for (const Case& c : cases)
    {
        frame.m_log.clear();
        frame.m_handled.clear();
        if (c.bSiteHandlesHelp)
            frame.m_handled.insert(0xE146);
        bars->m_nIDHelpTracking = c.nHelpId;
        LRESULT lResult = 0;
        EXPECT_EQ(bars->OnFrameWndMsg(WM_COMMAND, 0xE146, 0, &lResult) != FALSE, c.bHandled) << c.nHelpId;
        ASSERT_EQ(frame.Count(WM_COMMANDHELP), c.bHandled ? 1 : 0) << c.nHelpId;
        if (c.bHandled)
        {
            EXPECT_EQ(frame.Last(WM_COMMANDHELP)->lParam, 0x1002A);
            EXPECT_EQ(lResult, 1);
        }
    }
    // Another command is never taken.
    frame.m_handled.insert(0xE146);
    bars->m_nIDHelpTracking = 42;
    LRESULT lResult = 0;
    EXPECT_FALSE(bars->OnFrameWndMsg(WM_COMMAND, 100, 0, &lResult));
}

TEST_F(ManagerOnFrame, SettingChangeRedrawsOnlyOnTheDefaultDesktop)
{
    RowBar* pBar = AddBar(30);
    struct Case
    {
        int nResult;
        const char* pszDesktop;
        bool bRedraws;
    } const cases[] = {{1, "Default", true},  {1, "default", true},  {1, "Winlogon", false},
                       {1, "Defaults", false}, {0, "", false},       {-1, "", true}};
    for (const Case& c : cases)
    {
        query.m_nDesktopResult = c.nResult;
        query.m_desktop = c.pszDesktop;
        const int nBefore = pBar->m_nRedrawCount;
        LRESULT lResult = 0;
        EXPECT_FALSE(bars->OnFrameWndMsg(WM_SETTINGCHANGE, 0, 0, &lResult));
        EXPECT_EQ(pBar->m_nRedrawCount > nBefore, c.bRedraws) << c.nResult << " " << c.pszDesktop;
        EXPECT_EQ(bars->IsInputDesktopNotDefault(), !c.bRedraws);
    }
}

TEST_F(ManagerOnFrame, IdleUpdateMessagesReachFloatingBarsOnlyWhileUpdateReachesAll)
{
    RowBar* pDocked = AddBar(40);
    RowBar* pFloating = AddBar(41, 30, xtpBarTypeNormal, xtpBarFloating);
    LRESULT lResult = 0;
    EXPECT_FALSE(bars->OnFrameWndMsg(WM_IDLEUPDATECMDUI, TRUE, 0, &lResult));
    EXPECT_EQ(pDocked->m_nIdleUpdates, 0);
    EXPECT_EQ(pFloating->m_nIdleUpdates, 1);
    bars->UpdateCommandBars();
    EXPECT_EQ(pDocked->m_nIdleUpdates, 1);
    EXPECT_EQ(pFloating->m_nIdleUpdates, 2);
}

TEST_F(ManagerOnFrame, TheWheelGoesToARibbonMenuBarOnly)
{
    struct Case
    {
        int nType;
        short nDelta;
        BOOL bAnswer;
        bool bAsked;
        BOOL bForward;
        BOOL bConsumed;
    } const cases[] = {{3, -120, TRUE, true, TRUE, TRUE},
                       {3, 120, TRUE, true, FALSE, TRUE},
                       {3, 120, FALSE, true, FALSE, FALSE},
                       {xtpBarTypeMenuBar, -120, TRUE, false, FALSE, FALSE}};
    for (const Case& c : cases)
    {
        bars->RemoveAll();
        RowBar* pBar = AddBar(1, 0, c.nType);
        pBar->m_bWheelAnswer = c.bAnswer;
        MSG msg = {};
        msg.message = WM_MOUSEWHEEL;
        msg.wParam = MAKEWPARAM(0, static_cast<WORD>(c.nDelta));
        EXPECT_EQ(bars->PreTranslateFrameMessage(&msg), c.bConsumed) << c.nType << " " << c.nDelta;
        ASSERT_EQ(pBar->m_wheel.size(), c.bAsked ? 1u : 0u);
        if (c.bAsked)
        {
            EXPECT_EQ(pBar->m_wheel[0], c.bForward);
        }
    }
}

TEST_F(ManagerOnFrame, ActivatingABarByKeyboardSelectsItsFirstControl)
{
    RowBar* pFirst = AddBar(50);
    pFirst->AddButton(140, "A")->SetEnabled(FALSE);
    pFirst->AddButton(141, "B");
    EXPECT_FALSE(bars->ActivateBarByKeyboard(pFirst, 1)); // a step needs two bars
    EXPECT_TRUE(bars->ActivateBarByKeyboard(pFirst, 0));
    EXPECT_TRUE(pFirst->IsTrackingMode());
    EXPECT_EQ(pFirst->GetSelected(), 1); // the disabled one is skipped on a toolbar
    RowBar* pSecond = AddBar(51, 30);
    pSecond->AddButton(142, "C");
    EXPECT_TRUE(bars->ActivateBarByKeyboard(pFirst, 1));
    EXPECT_FALSE(pFirst->IsTrackingMode());
    EXPECT_TRUE(pSecond->IsTrackingMode());
    EXPECT_EQ(pSecond->GetSelected(), 0);
    bars->EndAllTracking();
    EXPECT_FALSE(pSecond->IsTrackingMode());
}

TEST_F(ManagerOnFrame, RemovingABarReleasesItAndDestroysItsWindow)
{
    RowBar* pBar = AddBar(60);
    pBar->AddButton(150, "X");
    pBar->InternalAddRef(); // watch it after the manager lets go
    HWND hWnd = pBar->GetSafeHwnd();
    bars->Remove(pBar);
    EXPECT_EQ(bars->GetCount(), 0);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(pBar->m_dwRef, 1);
    EXPECT_EQ(pBar->GetControls()->GetCount(), 0);
    bars->Remove(pBar); // not in the list any more: nothing
    pBar->InternalRelease();
}

TEST_F(ManagerOnFrame, AddMakesABarOfTheClassOnTheSite)
{
    // Without a class the manager makes a toolbar; without dock bars it lies directly in the site.
    CXTPCommandBar* pDefault = bars->Add("none", xtpBarTop, nullptr);
    ASSERT_NE(pDefault, nullptr);
    EXPECT_NE(dynamic_cast<CXTPToolBar*>(pDefault), nullptr);
    EXPECT_EQ(::GetParent(pDefault->GetSafeHwnd()), frame.GetSafeHwnd());
    EXPECT_EQ(bars->GetCount(), 1);
    EXPECT_EQ(bars->Add("not a bar", xtpBarTop, RUNTIME_CLASS(CXTPCommandBars)), nullptr);
    CXTPCommandBar* pBar = bars->Add("Standard", xtpBarTop, RUNTIME_CLASS(RowBar));
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(bars->GetCount(), 2);
    EXPECT_EQ(pBar->GetTitle(), CString("Standard"));
    EXPECT_EQ(pBar->GetCommandBars(), bars);
    EXPECT_EQ(::GetParent(pBar->GetSafeHwnd()), frame.GetSafeHwnd());

    CXTPCommandBars* pLone = new CXTPCommandBars(); // no site: no window, no bar
    EXPECT_EQ(pLone->Add("lone", xtpBarTop, RUNTIME_CLASS(RowBar)), nullptr);
    EXPECT_EQ(pLone->GetCount(), 0);
    pLone->InternalRelease();
}

TEST_F(ManagerOnFrame, ContextMenusHoldAndMarkTheirPopups)
{
    RowBar* pPopup = new RowBar();
    pPopup->SetType(xtpBarTypePopup);
    EXPECT_EQ(bars->GetContextMenus()->Add(pPopup), pPopup);
    EXPECT_TRUE(pPopup->m_bContextMenu);
    EXPECT_EQ(pPopup->m_dwRef, 2);
    EXPECT_TRUE(bars->GetContextMenus()->Contains(pPopup));
    pPopup->InternalRelease(); // the list keeps it alive
    EXPECT_EQ(pPopup->m_dwRef, 1);
}

TEST_F(ManagerOnFrame, DragControlTellsTheSiteOncePerChange)
{
    RowBar* pBar = AddBar(70);
    CXTPControl* pControl = pBar->AddButton(160, "Drag");
    frame.m_log.clear();
    bars->SetDragControl(pControl);
    EXPECT_EQ(bars->GetDragControl(), pControl);
    EXPECT_EQ(frame.Count(0x2857), 1);
    bars->SetDragControl(pControl);
    EXPECT_EQ(frame.Count(0x2857), 1);
    bars->SetCustomizeMode(TRUE); // clears the drag control
    EXPECT_EQ(bars->GetDragControl(), nullptr);
    EXPECT_EQ(frame.Count(0x2857), 2);
    EXPECT_TRUE(bars->GetCommandBarsOptions()->bDirtyState);
    bars->SetCustomizeMode(FALSE);
}

TEST_F(ManagerOnFrame, RarelyUsedCommandsBecomeUsedWhenExecuted)
{
    CXTPCommandBarsOptions* pOptions = bars->GetCommandBarsOptions();
    pOptions->m_mapHiddenCommands.SetAt(200, TRUE);
    pOptions->m_mapHiddenCommands.SetAt(201, TRUE);
    pOptions->m_mapUsedCommands.SetAt(201, TRUE);
    struct Case
    {
        UINT nId;
        BOOL bRare;
    } const cases[] = {{200, TRUE}, {201, FALSE}, {202, FALSE}};
    for (const Case& c : cases)
        EXPECT_EQ(bars->IsRarelyUsedCommand(c.nId), c.bRare) << c.nId;
    pOptions->bDirtyState = FALSE;
    bars->MarkCommandUsed(202); // not rarely used: nothing
    EXPECT_FALSE(pOptions->bDirtyState);
    bars->SetCommandUsed(200);
    EXPECT_FALSE(bars->IsRarelyUsedCommand(200));
    EXPECT_TRUE(pOptions->bDirtyState);
    EXPECT_EQ(bars->GetCommandUsedCount(), 1);
}

TEST_F(ManagerOnFrame, FrameThemeComposesOnlyForATopLevelFrameWithComposition)
{
    RowBar* pTop = AddBar(80);
    RowBar* pBottom = AddBar(81, 30, xtpBarTypeNormal, xtpBarBottom);
    EXPECT_FALSE(bars->IsDwmEnabled()); // no frame hook
    query.m_bComposition = TRUE;
    EXPECT_FALSE(bars->IsDwmEnabled());
    frame.m_nLayouts = 0;
    bars->EnableFrameTheme(TRUE);
    ASSERT_NE(bars->GetFrameHook(), nullptr);
    EXPECT_EQ(frame.m_nLayouts, 1);
    EXPECT_TRUE(bars->IsDwmEnabled());
    EXPECT_TRUE(pTop->IsDwmEnabled());
    EXPECT_FALSE(pBottom->IsDwmEnabled());
    CXTPCommandBarsFrameHook* pHook = bars->GetFrameHook();
    bars->EnableFrameTheme(TRUE); // made once
    EXPECT_EQ(bars->GetFrameHook(), pHook);
    bars->EnableFrameTheme(FALSE);
    EXPECT_EQ(bars->GetFrameHook(), nullptr);
    EXPECT_FALSE(bars->IsDwmEnabled());

    query.m_bComposition = FALSE;
    bars->EnableFrameTheme(TRUE);
    EXPECT_FALSE(bars->IsDwmEnabled());
    bars->EnableFrameTheme(FALSE);
}

TEST(CommandBarsFrameTheme, AChildSiteIsNeverComposed)
{
    FixedSystemQuery query;
    query.m_bComposition = TRUE;
    RecordingFrame parent;
    ASSERT_TRUE(parent.CreateSite());
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &parent, 1));
    CXTPCommandBars* bars = new CXTPCommandBars();
    bars->SetSite(&child);
    bars->EnableFrameTheme(TRUE);
    EXPECT_FALSE(bars->IsDwmEnabled());
    bars->InternalRelease(); // deletes the hook
    parent.DestroyWindow();
}

TEST_F(ManagerOnFrame, RedrawReachesVisibleBarsAndRefreshesTheFrame)
{
    RowBar* pShown = AddBar(90);
    RowBar* pHidden = AddBar(91, 30);
    pHidden->m_bShown = FALSE;
    const int nShown = pShown->m_nRedrawCount;
    const int nHidden = pHidden->m_nRedrawCount;
    frame.m_nLayouts = 0;
    bars->RedrawCommandBars();
    EXPECT_EQ(pShown->m_nRedrawCount, nShown + 1);
    EXPECT_EQ(pHidden->m_nRedrawCount, nHidden);
    EXPECT_GE(frame.m_nLayouts, 1);
    EXPECT_FALSE(bars->IsLayoutLocked());
}

TEST_F(ManagerOnFrame, TemporarilyHiddenDisablesShortcutsAndHidesToolbars)
{
    RowBar* pToolBar = AddBar(95);
    int nToken = 0;
    bars->SetTemporarilyHidden(&nToken);
    EXPECT_EQ(bars->GetShortcutManager()->GetDisableCount(), 1);
    EXPECT_FALSE(pToolBar->IsWindowVisible());
    bars->SetTemporarilyHidden(&nToken); // no change
    EXPECT_EQ(bars->GetShortcutManager()->GetDisableCount(), 1);
    bars->SetTemporarilyHidden(nullptr);
    EXPECT_EQ(bars->GetShortcutManager()->GetDisableCount(), 0);
    EXPECT_TRUE(pToolBar->IsWindowVisible());
}

TEST_F(ManagerOnFrame, ControlsOnGlass)
{
    RowBar* pRibbon = AddBar(1, 0, 3);
    pRibbon->m_bRibbon = TRUE;
    pRibbon->m_rcGlass = CRect(0, 0, 300, 10);
    CXTPControl* pInGlass = pRibbon->AddButton(170, "In");
    CXTPControl* pBelow = pRibbon->AddButton(171, "Below");
    pBelow->SetRect(CRect(0, 12, 60, 30));
    RowBar* pToolBar = AddBar(2, 30, xtpBarTypeNormal, xtpBarBottom);
    CXTPControl* pPlain = pToolBar->AddButton(172, "Plain");
    CXTPControlButton loose;
    EXPECT_FALSE(loose.IsOnDwmGlass()); // no parent bar
    EXPECT_TRUE(pInGlass->IsOnDwmGlass());
    EXPECT_FALSE(pBelow->IsOnDwmGlass());
    EXPECT_FALSE(pPlain->IsOnDwmGlass());
    // A ribbon without a glass part puts nothing on glass.
    pRibbon->m_rcGlass = CRect(0, 0, 0, 0);
    EXPECT_FALSE(pInGlass->IsOnDwmGlass());
    // A bar at the top of a composed frame is on glass itself.
    query.m_bComposition = TRUE;
    bars->EnableFrameTheme(TRUE);
    EXPECT_TRUE(pBelow->IsOnDwmGlass());
    EXPECT_FALSE(pPlain->IsOnDwmGlass());
    bars->EnableFrameTheme(FALSE);
}

TEST_F(ManagerOnFrame, BarsTellTheManagerOfTheirHotControlTrackingAndTooltips)
{
    RowBar* pBar = AddBar(40);
    pBar->AddButton(101, "One");
    CXTPControl* pHelped = pBar->AddButton(102, "Two");
    pHelped->SetHelpId(77);
    bars->GetCommandBarsOptions()->bUpdateStatusBar = FALSE; // F1 follows the hot control anyway

    pBar->SetTrackingMode(TRUE, FALSE, TRUE);
    pBar->SetSelected(0, TRUE);
    EXPECT_EQ(bars->m_nIDHelpTracking, 101);
    pBar->SetSelected(1, TRUE);
    EXPECT_EQ(bars->m_nIDHelpTracking, 77);
    pBar->SetSelected(-1);
    EXPECT_EQ(bars->m_nIDHelpTracking, 0);

    // Cues shown while Alt navigation is in use go when the last bar leaves tracking.
    bars->m_bKeyboardCuesInUse = TRUE;
    bars->ShowKeyboardCues(TRUE);
    EXPECT_TRUE(bars->IsKeyboardCuesVisible());
    pBar->SetTrackingMode(FALSE);
    EXPECT_FALSE(bars->IsKeyboardCuesVisible());

    // A bar without a tooltip context of its own uses the manager's.
    ASSERT_NE(bars->GetToolTipContext(), nullptr);
    EXPECT_EQ(pBar->GetToolTipContext(), bars->GetToolTipContext());
}
