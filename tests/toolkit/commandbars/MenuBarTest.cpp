// The menu bar on a real MDI frame: loading the menu and taking the frame's, the maximised child's
// controls, the menu key, document menus with their customisation, reset, copies and the manager's
// GetMenuBar.
#include "framework/DocTemplate.h"
#include "framework/Menu.h"
#include "framework/WinApp.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPHookManager.h"
#include "toolkit/commandbars/bars/XTPMenuBar.h"
#include "toolkit/commandbars/bars/XTPSysMenuPopupBar.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/XTPResourceIds.h"

#include "MenuBarTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace menubar_test;

namespace
{
// The MDI frame the tests put a menu bar on. It records what reaches its own procedure after the
// menu bar's hook: the menu key (eaten here, so that no test enters the system's menu loop), the
// toolbar-reset message, and the menu it shows when WM_DESTROY arrives.
class CMenuBarFrame : public CMDIFrameWnd
{
public:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (m_bCustomizable && nID == ID_TK_CUSTOMIZE && nCode == CN_COMMAND)
            return TRUE;
        return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU)
        {
            ++m_nKeyMenu;
            return 0;
        }
        if (message == WM_DESTROY)
            m_hMenuAtDestroy = ::GetMenu(m_hWnd);
        if (message == XTP_WM_TOOLBARRESET)
        {
            m_nResetWParam = wParam;
            m_nResetLParam = lParam;
            ++m_nResets;
        }
        return CMDIFrameWnd::WindowProc(message, wParam, lParam);
    }

    BOOL m_bCustomizable = FALSE;
    int m_nKeyMenu = 0;
    int m_nResets = 0;
    WPARAM m_nResetWParam = 0;
    LPARAM m_nResetLParam = 0;
    HMENU m_hMenuAtDestroy = reinterpret_cast<HMENU>(-1);
};

// The bar's control ids, without the toolbar's own expand button (9148), which a docked bar keeps.
std::vector<int> IdsOf(const CXTPCommandBar* pBar)
{
    std::vector<int> ids;
    for (int i = 0; i < pBar->GetControlCount(); ++i)
    {
        if (pBar->GetControl(i)->GetID() != ID_TK_TOOLBAR_EXPAND)
            ids.push_back(pBar->GetControl(i)->GetID());
    }
    return ids;
}

// The ids a menu resource gives: a sub-menu becomes a popup control with id 0.
std::vector<int> MenuIds(UINT nIDMenu)
{
    std::vector<int> ids;
    HMENU hMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nIDMenu));
    for (int i = 0; hMenu && i < ::GetMenuItemCount(hMenu); ++i)
        ids.push_back(::GetSubMenu(hMenu, i) ? 0 : static_cast<int>(::GetMenuItemID(hMenu, i)));
    if (hMenu)
        ::DestroyMenu(hMenu);
    return ids;
}

std::vector<int> Concat(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class MenuBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_app.reset(new CWinApp("QvxMenuBarTest"));
        m_pSheet = new CDocTemplate(kSheetMenu);
        m_pNote = new CDocTemplate(kNoteMenu);
        m_app->AddDocTemplate(m_pSheet);
        m_app->AddDocTemplate(m_pNote);
    }
    void TearDown() override
    {
        if (m_frame.m_hWnd)
            m_frame.DestroyWindow();
        if (m_pBars)
            m_pBars->InternalRelease();
        m_pBars = nullptr;
        m_app.reset();
    }
    // The frame with a docking manager and a menu bar loaded from 7200.
    void OpenFrame(BOOL bCustomizable = FALSE)
    {
        m_frame.m_bCustomizable = bCustomizable;
        ASSERT_TRUE(OpenMDIFrame(m_frame));
        m_hFrameMenu = ::GetMenu(m_frame.m_hWnd);
        ASSERT_NE(m_hFrameMenu, nullptr);
        m_pBars = new CXTPCommandBars();
        m_pBars->SetSite(&m_frame);
        m_pBars->EnableDocking();
        m_pMenuBar = DYNAMIC_DOWNCAST(CXTPMenuBar, m_pBars->Add("Menu Bar", xtpBarTop, RUNTIME_CLASS(CXTPMenuBar)));
        ASSERT_NE(m_pMenuBar, nullptr);
        ASSERT_TRUE(m_pMenuBar->LoadMenuBar(kFrameMenu));
        m_frame.RecalcLayout();
        Pump();
    }
    HWND OpenChild(DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, HMENU hMenu = nullptr)
    {
        HWND hWnd = OpenMDIChild(m_frame, new CMDIChildWnd(), "Child", dwStyle, hMenu);
        Pump();
        return hWnd;
    }

    std::unique_ptr<CWinApp> m_app;
    CDocTemplate* m_pSheet = nullptr;
    CDocTemplate* m_pNote = nullptr;
    CMenuBarFrame m_frame;
    HMENU m_hFrameMenu = nullptr;
    CXTPCommandBars* m_pBars = nullptr;
    CXTPMenuBar* m_pMenuBar = nullptr;
};
} // namespace

TEST_F(MenuBarTest, LoadsTheMenuAndTakesTheFramesMenu)
{
    OpenFrame();
    EXPECT_EQ(m_pMenuBar->GetType(), xtpBarTypeMenuBar);
    EXPECT_EQ(m_pMenuBar->GetBarID(), 1u);
    EXPECT_EQ(m_pMenuBar->GetFlags(), 0x5Fu);
    EXPECT_EQ(IdsOf(m_pMenuBar), MenuIds(kFrameMenu));
    EXPECT_EQ(m_pMenuBar->GetControl(0)->GetType(), xtpControlPopup);
    EXPECT_STREQ(m_pMenuBar->GetControl(1)->GetCaption(), "&Run");
    EXPECT_EQ(m_pMenuBar->GetDefaultMenuId(), kFrameMenu);
    EXPECT_EQ(m_pMenuBar->GetCurrentMenuId(), kFrameMenu);
    EXPECT_TRUE(m_pMenuBar->IsMDIFrame());
    EXPECT_EQ(::GetMenu(m_frame.m_hWnd), nullptr) << "the frame shows no menu of its own";
    EXPECT_EQ(m_pMenuBar->GetSavedFrameMenu(), m_hFrameMenu);
    EXPECT_EQ(m_pBars->GetMenuBar(), m_pMenuBar);
    // The caption buttons' pictures are in the image manager under the system commands.
    for (UINT nCommand : {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
        EXPECT_NE(m_pMenuBar->GetImageManager()->GetImage(nCommand, 16), nullptr) << std::hex << nCommand;
}

TEST_F(MenuBarTest, MissingMenuLeavesANewBarEmpty)
{
    OpenFrame();
    CXTPMenuBar* pOther = DYNAMIC_DOWNCAST(CXTPMenuBar, m_pBars->Add("Other", xtpBarTop, RUNTIME_CLASS(CXTPMenuBar)));
    ASSERT_NE(pOther, nullptr);
    EXPECT_FALSE(pOther->LoadMenuBar(7299));
    EXPECT_EQ(pOther->GetControlCount(), 0);
    EXPECT_EQ(pOther->GetDefaultMenuId(), 0u);
    // Id 0 keeps the controls and only hooks.
    EXPECT_TRUE(m_pMenuBar->LoadMenuBar(0));
    EXPECT_EQ(IdsOf(m_pMenuBar), MenuIds(kFrameMenu));
}

TEST_F(MenuBarTest, HookingAgainKeepsTheSavedMenuAndOneHook)
{
    OpenFrame();
    m_pMenuBar->HookFrame();
    EXPECT_TRUE(m_pMenuBar->LoadMenuBar(kFrameMenu));
    m_pMenuBar->HookFrame();
    EXPECT_EQ(m_pMenuBar->GetSavedFrameMenu(), m_hFrameMenu) << "a second hook must not save the (now empty) menu";
    for (HWND hWnd : {m_frame.m_hWnd, m_frame.m_hWndMDIClient})
    {
        CXTPHookManager::CHookSink* pSink = GetHookManager()->Lookup(hWnd);
        ASSERT_NE(pSink, nullptr);
        int nCount = 0;
        for (INT_PTR i = 0; i < pSink->GetSize(); ++i)
            nCount += pSink->GetAt(i) == static_cast<CXTPHookManagerHookAble*>(m_pMenuBar) ? 1 : 0;
        EXPECT_EQ(nCount, 1);
    }
}

TEST_F(MenuBarTest, DestroyingTheBarGivesTheMenuBack)
{
    OpenFrame();
    m_pMenuBar->DestroyWindow();
    EXPECT_EQ(::GetMenu(m_frame.m_hWnd), m_hFrameMenu);
}

TEST_F(MenuBarTest, DestroyingTheFrameGivesItsMenuBackFirst)
{
    OpenFrame();
    m_frame.DestroyWindow();
    EXPECT_EQ(m_frame.m_hMenuAtDestroy, m_hFrameMenu);
}

TEST_F(MenuBarTest, MaximisedChildGetsItsControlsAndRestoringRemovesThem)
{
    OpenFrame();
    const DWORD kAll = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    const std::vector<int> items = MenuIds(kFrameMenu);
    struct Case
    {
        const char* name;
        DWORD dwStyle;
        DWORD dwAddFlags;
        std::vector<int> head, tail;
    } cases[] = {
        {"system-menu popup asked for", kAll, 0x2000, {9154}, {9153, 9152, 9151}},
        {"default flags", kAll, 0, {}, {9153, 9152, 9151}},
        {"no minimise box", kAll & ~WS_MINIMIZEBOX, 0x2000, {9154}, {9152, 9151}},
        {"close hidden", kAll, 0x2000 | 0x1000, {9154}, {9153, 9152}},
    };
    for (const Case& c : cases)
    {
        m_pMenuBar->SetFlags(0x5F | c.dwAddFlags);
        HWND hChild = OpenChild(c.dwStyle);
        ASSERT_NE(hChild, nullptr) << c.name;
        EXPECT_EQ(IdsOf(m_pMenuBar), items) << c.name << ": a normal child adds nothing";
        ::SendMessageA(m_frame.m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hChild), 0);
        Pump();
        EXPECT_EQ(IdsOf(m_pMenuBar), Concat(Concat(c.head, items), c.tail)) << c.name;
        EXPECT_EQ(m_pMenuBar->GetActiveMDIChild(), hChild) << c.name;
        ::SendMessageA(m_frame.m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(hChild), 0);
        Pump();
        EXPECT_EQ(IdsOf(m_pMenuBar), items) << c.name << ": restored";
        ::SendMessageA(m_frame.m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hChild), 0);
        Pump();
    }
}

TEST_F(MenuBarTest, CaptionButtonsShowGlyphsAndCloseTheChild)
{
    OpenFrame();
    HWND hChild = OpenChild();
    ::SendMessageA(m_frame.m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hChild), 0);
    Pump();
    CXTPControls* pControls = m_pMenuBar->GetControls();
    const char* glyphs[] = {"0", "2", "r"};
    const int ids[] = {9153, 9152, 9151};
    for (int i = 0; i < 3; ++i)
    {
        CXTPControl* pButton = pControls->FindControlById(ids[i]);
        ASSERT_NE(pButton, nullptr) << ids[i];
        EXPECT_TRUE(pButton->IsKindOf(RUNTIME_CLASS(CXTPControlMDIButton)));
        EXPECT_STREQ(pButton->GetCaption(), glyphs[i]);
        EXPECT_TRUE(pButton->IsVisible());
        EXPECT_EQ(pButton->GetRect().Width(), 16) << ids[i];
    }
    pControls->FindControlById(9151)->OnExecute();
    Pump();
    EXPECT_FALSE(::IsWindow(hChild));
    EXPECT_EQ(IdsOf(m_pMenuBar), MenuIds(kFrameMenu)) << "no child: no buttons";
    EXPECT_EQ(m_pMenuBar->GetActiveMDIChild(), nullptr) << "the closed child is not kept";
}

TEST_F(MenuBarTest, SystemMenuPopupFollowsTheActiveChild)
{
    OpenFrame();
    m_pMenuBar->SetFlags(0x5F | 0x2000);
    HWND hFirst = OpenChild();
    ::SendMessageA(m_frame.m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hFirst), 0);
    Pump();
    auto* pPopup = DYNAMIC_DOWNCAST(CXTPControlMDISysMenuPopup, m_pMenuBar->GetControl(0));
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetID(), 9154);
    EXPECT_STREQ(pPopup->GetCaption(), "-");
    EXPECT_EQ(pPopup->GetChild(), hFirst);
    EXPECT_EQ(pPopup->GetSysMenu(), ::GetSystemMenu(hFirst, FALSE));
    EXPECT_NE(pPopup->GetIcon(), nullptr);
    CXTPCommandBar* pSysBar = pPopup->GetCommandBar();
    ASSERT_NE(pSysBar, nullptr);
    EXPECT_FALSE(pSysBar->IsCustomizable());
    CXTPControl* pClose = pSysBar->GetControls()->FindControlById(SC_CLOSE);
    ASSERT_NE(pClose, nullptr);
    EXPECT_TRUE(pClose->IsKindOf(RUNTIME_CLASS(CXTPControlSysCommand)));

    // A second maximised child takes the popup over.
    HWND hSecond = OpenChild();
    ::SendMessageA(m_frame.m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hSecond), 0);
    Pump();
    pPopup = DYNAMIC_DOWNCAST(CXTPControlMDISysMenuPopup, m_pMenuBar->GetControl(0));
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetChild(), hSecond);
    EXPECT_EQ(m_pMenuBar->GetControls()->FindControlById(9154), pPopup) << "one popup only";
}

TEST_F(MenuBarTest, MenuKeyAloneStartsKeyboardTracking)
{
    OpenFrame();
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    const BYTE nShift = keys[VK_SHIFT];
    struct Case
    {
        const char* name;
        LPARAM lParam;
        BOOL bShift;
        BOOL bVisible;
        BOOL bTracks;
    } cases[] = {
        {"Alt alone", 0, FALSE, TRUE, TRUE},
        {"Shift+Alt", 0, TRUE, TRUE, FALSE},
        {"Alt with a letter", 'f', FALSE, TRUE, FALSE},
        {"hidden bar", 0, FALSE, FALSE, FALSE},
    };
    for (const Case& c : cases)
    {
        m_pMenuBar->SetVisible(c.bVisible);
        keys[VK_SHIFT] = c.bShift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        const int nBefore = m_frame.m_nKeyMenu;
        ::SendMessageA(m_frame.m_hWnd, WM_SYSCOMMAND, SC_KEYMENU, c.lParam);
        EXPECT_EQ(m_pMenuBar->IsTrackingMode(), c.bTracks) << c.name;
        EXPECT_EQ(m_frame.m_nKeyMenu - nBefore, c.bTracks ? 0 : 1) << c.name << ": eaten only when it tracks";
        if (c.bTracks)
        {
            EXPECT_TRUE(m_pMenuBar->IsKeyboardMode()) << c.name;
        }
        m_pBars->EndAllTracking();
    }
    keys[VK_SHIFT] = nShift;
    ::SetKeyboardState(keys);
    m_pMenuBar->SetVisible(TRUE);
}

TEST_F(MenuBarTest, DocumentMenusKeepTheirCustomisedControls)
{
    OpenFrame(TRUE);
    ASSERT_TRUE(m_pBars->IsCustomizable());
    const std::vector<int> frameIds = MenuIds(kFrameMenu);

    HWND hSheet = OpenChild(WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, m_pSheet->m_hMenuShared);
    ASSERT_NE(hSheet, nullptr);
    EXPECT_EQ(m_pMenuBar->GetCurrentMenuId(), kSheetMenu);
    EXPECT_EQ(IdsOf(m_pMenuBar), MenuIds(kSheetMenu));
    EXPECT_EQ(::GetMenu(m_frame.m_hWnd), nullptr);
    // Customise the sheet menu: its "Edit" goes.
    m_pMenuBar->GetControls()->Remove(m_pMenuBar->GetControls()->FindControlById(7213));
    const std::vector<int> sheetIds = IdsOf(m_pMenuBar);

    HWND hNote = OpenChild(WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, m_pNote->m_hMenuShared);
    ASSERT_NE(hNote, nullptr);
    EXPECT_EQ(m_pMenuBar->GetCurrentMenuId(), kNoteMenu);
    EXPECT_EQ(IdsOf(m_pMenuBar), MenuIds(kNoteMenu));
    // Customise the note menu: a button is added.
    m_pMenuBar->GetControls()->Add(new CXTPControlButton(), 7216);
    const std::vector<int> noteIds = IdsOf(m_pMenuBar);
    EXPECT_TRUE(m_pMenuBar->IsChanged());

    // Back and forth: each document's controls come back as the user left them.
    for (int round = 0; round < 2; ++round)
    {
        ::SendMessageA(m_frame.m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hSheet), 0);
        Pump();
        EXPECT_EQ(m_pMenuBar->GetCurrentMenuId(), kSheetMenu) << round;
        EXPECT_EQ(IdsOf(m_pMenuBar), sheetIds) << round;
        ::SendMessageA(m_frame.m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hNote), 0);
        Pump();
        EXPECT_EQ(m_pMenuBar->GetCurrentMenuId(), kNoteMenu) << round;
        EXPECT_EQ(IdsOf(m_pMenuBar), noteIds) << round;
    }
    EXPECT_TRUE(m_pMenuBar->HasMDIMenus());
    ASSERT_NE(m_pMenuBar->GetMDIMenus()->Lookup(kSheetMenu), nullptr);
    EXPECT_STREQ(m_pMenuBar->GetMDIMenus()->Lookup(kSheetMenu)->m_strTitle, "Sheet");
    EXPECT_TRUE(m_pMenuBar->GetControls()->GetOriginalControls() != nullptr) << "originals made from the menu";

    // No child: the frame's own menu and its controls come back.
    ::SendMessageA(m_frame.m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hSheet), 0);
    ::SendMessageA(m_frame.m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hNote), 0);
    Pump();
    EXPECT_EQ(m_pMenuBar->GetCurrentMenuId(), kFrameMenu);
    EXPECT_EQ(IdsOf(m_pMenuBar), frameIds);
    EXPECT_EQ(m_pMenuBar->GetMDIMenus()->Lookup(kFrameMenu), nullptr) << "the shown default menu is not stored";
    EXPECT_EQ(::GetMenu(m_frame.m_hWnd), nullptr);
}

TEST_F(MenuBarTest, WithoutCustomisationDocumentMenusAreRebuilt)
{
    OpenFrame(FALSE);
    HWND hSheet = OpenChild(WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, m_pSheet->m_hMenuShared);
    ASSERT_NE(hSheet, nullptr);
    EXPECT_EQ(IdsOf(m_pMenuBar), MenuIds(kSheetMenu));
    m_pMenuBar->GetControls()->Remove(m_pMenuBar->GetControls()->FindControlById(7213));
    HWND hNote = OpenChild(WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, m_pNote->m_hMenuShared);
    ASSERT_NE(hNote, nullptr);
    ::SendMessageA(m_frame.m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hSheet), 0);
    Pump();
    EXPECT_EQ(IdsOf(m_pMenuBar), MenuIds(kSheetMenu)) << "rebuilt from the menu";
    EXPECT_FALSE(m_pMenuBar->HasMDIMenus());
    EXPECT_EQ(m_pMenuBar->GetMDIMenus()->GetCount(), 0);
}

TEST_F(MenuBarTest, IgnoringMenuSwitchesKeepsTheBarsMenu)
{
    OpenFrame(TRUE);
    m_pMenuBar->SetFlags(0x5F | 0x400);
    HWND hSheet = OpenChild(WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, m_pSheet->m_hMenuShared);
    ASSERT_NE(hSheet, nullptr);
    EXPECT_EQ(m_pMenuBar->GetCurrentMenuId(), kFrameMenu);
    EXPECT_EQ(IdsOf(m_pMenuBar), MenuIds(kFrameMenu));
    EXPECT_EQ(::GetMenu(m_frame.m_hWnd), nullptr) << "the frame still shows no menu";
}

namespace
{
int s_nQuestions = 0;
int s_nAnswer = IDOK;
std::string s_strQuestion;
int CALLBACK_Answer(HWND, LPCSTR lpszText, UINT nType)
{
    ++s_nQuestions;
    s_strQuestion = lpszText;
    EXPECT_EQ(nType, static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION));
    return s_nAnswer;
}
} // namespace

TEST_F(MenuBarTest, ResetLoadsTheMenuAgainAfterAskingAndTellsTheSite)
{
    OpenFrame();
    CXTPToolBar::PFN_RESET_QUESTION pfnOld = CXTPToolBar::s_pfnResetQuestion;
    CXTPToolBar::s_pfnResetQuestion = CALLBACK_Answer;
    m_pMenuBar->GetControls()->Remove(m_pMenuBar->GetControls()->FindControlById(7211));
    const std::vector<int> customised = IdsOf(m_pMenuBar);

    s_nQuestions = 0;
    s_nAnswer = IDCANCEL;
    m_pMenuBar->Reset(TRUE);
    EXPECT_EQ(s_nQuestions, 1);
    EXPECT_EQ(s_strQuestion, "Are you sure you want to reset the changes made to the 'Menu Bar' toolbar?");
    EXPECT_EQ(IdsOf(m_pMenuBar), customised) << "declined: nothing changes";
    EXPECT_EQ(m_frame.m_nResets, 0);

    s_nAnswer = IDOK;
    m_pMenuBar->Reset(TRUE);
    EXPECT_EQ(s_nQuestions, 2);
    EXPECT_EQ(IdsOf(m_pMenuBar), MenuIds(kFrameMenu));
    EXPECT_EQ(m_frame.m_nResets, 1);
    EXPECT_EQ(m_frame.m_nResetWParam, 0u);
    EXPECT_EQ(m_frame.m_nResetLParam, reinterpret_cast<LPARAM>(m_pMenuBar));

    m_pMenuBar->GetControls()->Remove(m_pMenuBar->GetControls()->FindControlById(7211));
    m_pMenuBar->Reset(FALSE);
    EXPECT_EQ(s_nQuestions, 2) << "no question without the warning";
    EXPECT_EQ(IdsOf(m_pMenuBar), MenuIds(kFrameMenu));
    CXTPToolBar::s_pfnResetQuestion = pfnOld;
}

TEST_F(MenuBarTest, CopyTakesTheDefaultMenuAndTheStoredMenus)
{
    OpenFrame(TRUE);
    HWND hSheet = OpenChild(WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, m_pSheet->m_hMenuShared);
    ASSERT_NE(hSheet, nullptr);
    ASSERT_EQ(m_pMenuBar->GetMDIMenus()->GetCount(), 2); // the frame's and the sheet's
    CXTPMenuBar* pCopy = DYNAMIC_DOWNCAST(CXTPMenuBar, m_pMenuBar->Clone(FALSE));
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(pCopy->GetDefaultMenuId(), kFrameMenu);
    EXPECT_EQ(pCopy->GetMDIMenus()->GetCount(), 2);
    EXPECT_EQ(pCopy->GetMDIMenus()->Lookup(kSheetMenu), m_pMenuBar->GetMDIMenus()->Lookup(kSheetMenu))
        << "a menu the copy did not have is shared";
    pCopy->InternalRelease();
}

TEST_F(MenuBarTest, ManagerFindsTheMenuBarByItsClass)
{
    OpenFrame();
    EXPECT_EQ(m_pBars->GetMenuBar(), m_pMenuBar);
    // A toolbar with id 1 is not the menu bar.
    CXTPCommandBars* pOther = new CXTPCommandBars();
    CXTPToolBar* pToolBar = new CXTPToolBar();
    pToolBar->SetBarID(1);
    pOther->AddCommandBar(pToolBar);
    EXPECT_EQ(pOther->GetMenuBar(), nullptr);
    pOther->InternalRelease();
}
