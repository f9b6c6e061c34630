// The menu bar's MDI parts that stand without the bar: which caption buttons a maximised child
// gets, the system commands' status texts, the store of per-document menus and the caption
// buttons themselves acting on a real MDI child.
#include "framework/DocTemplate.h"
#include "framework/MDIFrameWnd.h"
#include "framework/WinApp.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControlMDIButton.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/bars/XTPMenuBarMDIMenus.h"
#include "toolkit/common/resources/XTPResourceManager.h"

#include "MenuBarTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
std::vector<int> ButtonIds(BOOL bMaximized, DWORD dwStyle, DWORD dwFlags)
{
    int ids[3] = {-1, -1, -1};
    const int n = XTPGetMDIButtonIds(bMaximized, dwStyle, dwFlags, ids);
    return std::vector<int>(ids, ids + n);
}

using menubar_test::OpenMDIChild;
using menubar_test::OpenMDIFrame;
using menubar_test::Pump;
} // namespace

TEST(MenuBarMDIParts, CaptionButtonsFollowTheChildStyleAndTheBarFlags)
{
    const DWORD kAll = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    struct Case
    {
        const char* name;
        BOOL bMaximized;
        DWORD dwStyle;
        DWORD dwFlags;
        std::vector<int> expected;
    } cases[] = {
        {"maximised, all boxes", TRUE, kAll, 0x5F, {9153, 9152, 9151}},
        {"not maximised", FALSE, kAll, 0, {}},
        {"no system menu", TRUE, WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, {}},
        {"no minimise box", TRUE, WS_SYSMENU | WS_MAXIMIZEBOX, 0, {9152, 9151}},
        {"no maximise box", TRUE, WS_SYSMENU | WS_MINIMIZEBOX, 0, {9153, 9151}},
        {"system menu only", TRUE, WS_SYSMENU, 0, {9151}},
        {"minimise hidden by flag", TRUE, kAll, 0x100, {9152, 9151}},
        {"restore hidden by flag", TRUE, kAll, 0x200, {9153, 9151}},
        {"close hidden by flag", TRUE, kAll, 0x1000, {9153, 9152}},
        {"all hidden by flags", TRUE, kAll, 0x1300, {}},
        {"other flags change nothing", TRUE, kAll, 0x2400 | 0x5F, {9153, 9152, 9151}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ButtonIds(c.bMaximized, c.dwStyle, c.dwFlags), c.expected) << c.name;
}

TEST(MenuBarMDIParts, SystemMenuPopupNeedsAMaximisedChildItsMenuAndTheFlag)
{
    struct Case
    {
        BOOL bMaximized, bValidMenu;
        DWORD dwFlags;
        BOOL bExpected;
    } cases[] = {
        {TRUE, TRUE, 0x2000, TRUE},  {TRUE, TRUE, 0x5F, FALSE},   {FALSE, TRUE, 0x2000, FALSE},
        {TRUE, FALSE, 0x2000, FALSE}, {TRUE, TRUE, 0x205F, TRUE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(XTPWantsMDISysMenuPopup(c.bMaximized, c.bValidMenu, c.dwFlags), c.bExpected)
            << c.bMaximized << c.bValidMenu << std::hex << c.dwFlags;
}

TEST(MenuBarMDIParts, EverySystemCommandHasAStatusText)
{
    struct Case
    {
        UINT nCommand, nString;
    } cases[] = {
        {SC_SIZE, 0xEF00},   {SC_MOVE, 0xEF01},        {SC_MINIMIZE, 0xEF02}, {SC_CLOSE, 0xEF06},
        {SC_CLOSE | 3, 0xEF06}, {SC_KEYMENU, 0xEF10},  {SC_RESTORE, 0xEF12},  {SC_CONTEXTHELP, 0xEF18},
        {0xF190, 0xEF19},    {0xF1EF, 0xEF1E},         {0xEFFF, 0},           {0xF1F0, 0},
        {0, 0},              {9151, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(XTPSysCommandDescriptionId(c.nCommand), c.nString) << std::hex << c.nCommand;

    // Every id a system command can map to names a text (the standard commands' and the rest of the
    // block alike).
    const UINT standard[] = {SC_SIZE,     SC_MOVE,    SC_MINIMIZE,  SC_MAXIMIZE, SC_NEXTWINDOW,  SC_PREVWINDOW,
                             SC_CLOSE,    SC_VSCROLL, SC_HSCROLL,   SC_MOUSEMENU, SC_KEYMENU,    SC_ARRANGE,
                             SC_RESTORE,  SC_TASKLIST, SC_SCREENSAVE, SC_HOTKEY, SC_DEFAULT,     SC_MONITORPOWER,
                             SC_CONTEXTHELP, 0xF190, 0xF1A0, 0xF1B0, 0xF1C0, 0xF1D0, 0xF1E0};
    for (UINT nCommand : standard)
    {
        CString str;
        EXPECT_TRUE(GetResourceManager()->LoadString(&str, XTPSysCommandDescriptionId(nCommand)) && !str.IsEmpty())
            << std::hex << nCommand;
    }
    CString strLast;
    EXPECT_TRUE(GetResourceManager()->LoadString(&strLast, 0xEF1F) && !strLast.IsEmpty());
}

TEST(MenuBarMDIParts, CaptionButtonsCarryGlyphTooltipAndFlags)
{
    struct Case
    {
        int nId;
        const char* glyph;
        const char* tooltip;
        UINT nCommand;
    } cases[] = {
        {9153, "0", "Minimize Window", SC_MINIMIZE},
        {9152, "2", "Restore Window", SC_RESTORE},
        {9151, "r", "Close Window", SC_CLOSE},
    };
    for (const Case& c : cases)
    {
        CXTPControlMDIButton* pButton = new CXTPControlMDIButton(c.nId);
        EXPECT_EQ(pButton->GetID(), c.nId);
        EXPECT_STREQ(pButton->GetCaption(), c.glyph);
        EXPECT_STREQ(pButton->GetTooltip(), c.tooltip);
        EXPECT_EQ(XTPMDIButtonSysCommand(c.nId), c.nCommand);
        EXPECT_EQ(pButton->GetFlags() & 0x1B, 0x1B) << c.nId;
        EXPECT_EQ(pButton->GetHideFlags(), 0) << "the buttons are shown";
        EXPECT_TRUE(pButton->IsTemporary());
        EXPECT_FALSE(pButton->IsCustomizeMovable());
        EXPECT_EQ(pButton->GetSize(nullptr), CSize(16, 16));
        pButton->InternalRelease();
    }
    EXPECT_EQ(XTPMDIButtonSysCommand(9154), 0u);
    EXPECT_STREQ(XTPMDIButtonGlyph(100), "");
}

TEST(MenuBarMDIParts, StoredMenusHoldOneReferenceEach)
{
    CXTPMenuBarMDIMenus menus;
    CXTPMenuBarMDIMenuInfo* pFirst = new CXTPMenuBarMDIMenuInfo(nullptr, 7201);
    CXTPMenuBarMDIMenuInfo* pSecond = new CXTPMenuBarMDIMenuInfo(nullptr, 7202);
    // pFirst keeps the test's reference (from its creation), to watch the store's.
    menus.SetAt(7201, pFirst);
    menus.SetAt(7202, pSecond);
    pSecond->InternalRelease(); // the store holds the only reference now
    EXPECT_EQ(menus.GetCount(), 2);
    EXPECT_EQ(menus.Lookup(7201), pFirst);
    EXPECT_EQ(menus.Lookup(7202), pSecond);
    EXPECT_EQ(menus.Lookup(7299), nullptr);

    // Storing the same info again takes no second reference; removing drops the store's one.
    menus.SetAt(7201, pFirst);
    EXPECT_TRUE(menus.Remove(7201));
    EXPECT_FALSE(menus.Remove(7201));
    EXPECT_EQ(menus.Lookup(7201), nullptr);
    EXPECT_EQ(pFirst->InternalRelease(), 0u) << "the store kept a reference after the removal";

    // Replacing an entry releases the one it replaces.
    CXTPMenuBarMDIMenuInfo* pThird = new CXTPMenuBarMDIMenuInfo(nullptr, 7202);
    menus.SetAt(7202, pThird);
    EXPECT_EQ(menus.Lookup(7202), pThird);
    menus.RemoveAll();
    EXPECT_EQ(menus.GetCount(), 0);
    EXPECT_EQ(pThird->InternalRelease(), 0u);
}

TEST(MenuBarMDIParts, InfoTakesTheTemplateStringsAndTheControlsByReference)
{
    std::unique_ptr<CWinApp> app(new CWinApp("QvxMenuBarMDIParts"));
    CDocTemplate* pTemplate = new CDocTemplate(7201);
    app->AddDocTemplate(pTemplate);

    CXTPMenuBarMDIMenuInfo* pInfo = new CXTPMenuBarMDIMenuInfo(nullptr, 7201);
    EXPECT_EQ(pInfo->m_nIDResource, 7201u);
    EXPECT_STREQ(pInfo->m_strTitle, "Sheet");
    EXPECT_STREQ(pInfo->m_strDescription, "Qvx Sheet Document");
    EXPECT_FALSE(pInfo->m_bChanged);
    ASSERT_NE(pInfo->m_pControls, nullptr);
    EXPECT_EQ(pInfo->m_pControls->GetCount(), 0);

    CXTPControls* pControls = new CXTPControls();
    pInfo->SetControls(pControls);
    EXPECT_EQ(pInfo->m_pControls, pControls);
    pInfo->InternalRelease(); // the info gives its reference back
    EXPECT_EQ(pControls->InternalRelease(), 0u);

    CXTPMenuBarMDIMenuInfo* pPlain = new CXTPMenuBarMDIMenuInfo(nullptr, 7299);
    EXPECT_TRUE(pPlain->m_strTitle.IsEmpty());
    EXPECT_EQ(pPlain->m_hIcon, nullptr);
    pPlain->InternalRelease();
}

TEST(MenuBarMDIParts, CaptionButtonsActOnTheActiveChild)
{
    CMDIFrameWnd frame;
    ASSERT_TRUE(OpenMDIFrame(frame));
    HWND hChild = OpenMDIChild(frame, new CMDIChildWnd(), "Doc");
    ASSERT_NE(hChild, nullptr);
    Pump();

    CXTPCommandBar bar;
    bar.SetSiteWindow(frame.m_hWnd);
    CXTPControlMDIButton* pMinimize = new CXTPControlMDIButton(9153);
    CXTPControlMDIButton* pClose = new CXTPControlMDIButton(9151);
    bar.GetControls()->Append(pMinimize);
    bar.GetControls()->Append(pClose);
    EXPECT_EQ(pMinimize->GetTargetChild(), hChild);

    pMinimize->OnExecute();
    Pump();
    EXPECT_TRUE(::IsIconic(hChild));

    pClose->OnExecute();
    Pump();
    EXPECT_FALSE(::IsWindow(hChild)) << "SC_CLOSE closes the child";
    EXPECT_EQ(pClose->GetTargetChild(), nullptr);
    pClose->OnExecute(); // no child: nothing to do, nothing breaks
    Pump();
    bar.GetControls()->RemoveAll();
    frame.DestroyWindow();
}

namespace
{
// An MDI child that answers the menu bar's icon question with its own icon.
class CIconChild : public CMDIChildWnd
{
public:
    HICON m_hAnswer = nullptr;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == XTP_WM_GETMDICHILDICON)
            return reinterpret_cast<LRESULT>(m_hAnswer);
        return CMDIChildWnd::WindowProc(message, wParam, lParam);
    }
};
} // namespace

TEST(MenuBarMDIParts, SystemMenuBecomesControlsThatPostTheCommands)
{
    CMDIFrameWnd frame;
    ASSERT_TRUE(OpenMDIFrame(frame));
    HWND hChild = OpenMDIChild(frame, new CMDIChildWnd(), "Doc");
    ASSERT_NE(hChild, nullptr);

    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING | MF_GRAYED, SC_RESTORE, "&Restore");
    ::AppendMenuA(hMenu, MF_STRING, SC_MOVE, "&Move");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(hMenu, MF_STRING, SC_CLOSE, "&Close\tCtrl+F4");
    ::AppendMenuA(hMenu, MF_STRING, 7215, "&Extra");
    ::SetMenuDefaultItem(hMenu, SC_CLOSE, FALSE);

    CXTPCommandBar bar;
    bar.SetSiteWindow(frame.m_hWnd);
    bar.GetControls()->Add(new CXTPControlButton(), 100); // removed by the build
    XTPBuildSysMenuControls(&bar, hMenu, hChild);
    ::DestroyMenu(hMenu);

    CXTPControls* pControls = bar.GetControls();
    ASSERT_EQ(pControls->GetCount(), 4);
    struct Expected
    {
        int nId;
        const char* caption;
        BOOL bEnabled, bBeginGroup, bDefault, bSysCommand;
        UINT nDescription;
    } expected[] = {
        {SC_RESTORE, "&Restore", FALSE, FALSE, FALSE, TRUE, 0xEF12},
        {SC_MOVE, "&Move", TRUE, FALSE, FALSE, TRUE, 0xEF01},
        {SC_CLOSE, "&Close", TRUE, TRUE, TRUE, TRUE, 0xEF06},
        {7215, "&Extra", TRUE, FALSE, FALSE, FALSE, 0},
    };
    for (int i = 0; i < 4; ++i)
    {
        CXTPControl* pControl = pControls->GetAt(i);
        const Expected& e = expected[i];
        EXPECT_EQ(pControl->GetID(), e.nId) << i;
        EXPECT_STREQ(pControl->GetCaption(), e.caption) << i;
        EXPECT_EQ(pControl->GetEnabled(), e.bEnabled) << i;
        EXPECT_EQ(pControl->GetBeginGroup(), e.bBeginGroup) << i;
        EXPECT_EQ(pControl->IsDefaultItem(), e.bDefault) << i;
        EXPECT_EQ(pControl->IsKindOf(RUNTIME_CLASS(CXTPControlSysCommand)), e.bSysCommand) << i;
        if (e.bSysCommand)
        {
            CString strText;
            GetResourceManager()->LoadString(&strText, e.nDescription);
            EXPECT_STREQ(pControl->GetDescription(), strText) << i;
            EXPECT_TRUE(pControl->GetFlags() & xtpFlagManualUpdate) << i;
        }
    }
    EXPECT_STREQ(pControls->GetAt(2)->GetShortcutText(), "Ctrl+F4");

    // Executing a system command posts it to the child, not WM_COMMAND to the site.
    pControls->GetAt(2)->OnExecute();
    Pump();
    EXPECT_FALSE(::IsWindow(hChild));

    // A null or destroyed menu leaves no controls.
    XTPBuildSysMenuControls(&bar, nullptr, nullptr);
    EXPECT_EQ(pControls->GetCount(), 0);
    frame.DestroyWindow();
}

TEST(MenuBarMDIParts, ChildIconComesFromTheChildsAnswerThenItsWindowIcons)
{
    CMDIFrameWnd frame;
    ASSERT_TRUE(OpenMDIFrame(frame));
    CIconChild* pChild = new CIconChild();
    HWND hChild = OpenMDIChild(frame, pChild, "Doc");
    ASSERT_NE(hChild, nullptr);
    HICON hAnswer = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32516)); // IDI_INFORMATION
    HICON hSmall = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32515));  // IDI_WARNING
    HICON hBig = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32513));    // IDI_ERROR
    ::SetClassLongPtrA(hChild, GCLP_HICONSM, 0);
    ::SetClassLongPtrA(hChild, GCLP_HICON, 0);

    EXPECT_EQ(XTPGetMDIChildIcon(hChild), ::LoadIconA(nullptr, MAKEINTRESOURCEA(32517))) << "nothing: IDI_WINLOGO";
    ::SendMessageA(hChild, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hBig));
    EXPECT_EQ(XTPGetMDIChildIcon(hChild), hBig);
    ::SendMessageA(hChild, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hSmall));
    EXPECT_EQ(XTPGetMDIChildIcon(hChild), hSmall);
    pChild->m_hAnswer = hAnswer;
    EXPECT_EQ(XTPGetMDIChildIcon(hChild), hAnswer);
    EXPECT_EQ(XTPGetMDIChildIcon(nullptr), ::LoadIconA(nullptr, MAKEINTRESOURCEA(32517)));
    frame.DestroyWindow();
}
