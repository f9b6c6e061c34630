// The dialog bases with a command-bars manager: making and replacing the manager, the frame-message hook
// before the dialog's own handlers, keys for a command bar's edit box, the manager's options saved and
// loaded with the bar layout text, the tool bar's images, and the command text from the string table.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "framework/DC.h"
#include "framework/FrameWnd.h"
#include "framework/MessageMap.h"
#include "framework/WinApp.h"
#include "tests/ui/DialogTestSupport.h"
#include "toolkit/commandbars/controls/XTPCommandBarEditCtrl.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/docking/XTPDockBar.h"
#include "toolkit/commandbars/managers/XTPShortcutManager.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "ui/UiResourceIds.h"
#include "ui/controls/ControlTextFromResource.h"
#include "ui/dialogs/NonResizableDialog.h"
#include "ui/dialogs/UnitTestResizableDialog.h"

using dialog_test::CMemorySurface;
using dialog_test::PumpMessages;

namespace
{
// A manager class that counts its live instances.
class CCountedCommandBars : public CXTPCommandBars
{
    DECLARE_DYNCREATE(CCountedCommandBars)

public:
    CCountedCommandBars() { ++alive; }
    ~CCountedCommandBars() override { --alive; }
    static int alive;
};
int CCountedCommandBars::alive = 0;
IMPLEMENT_DYNCREATE(CCountedCommandBars, CXTPCommandBars)

// A class that is no command-bars manager.
class CNotCommandBars : public CCmdTarget
{
    DECLARE_DYNCREATE(CNotCommandBars)
};
IMPLEMENT_DYNCREATE(CNotCommandBars, CCmdTarget)

// A resizable dialog that counts the framework's help commands (ID_HELP) and the help requests that reach it.
class CHelpCountingDialog : public CUnitTestResizableDialog
{
public:
    CHelpCountingDialog() : CUnitTestResizableDialog(nullptr, IDD_RUN_INDIVIDUAL) {}
    int helpCommands = 0;
    int helpRequests = 0;
    LPARAM lastHelpContext = 0;

protected:
    afx_msg void OnHelpCommand() { ++helpCommands; }
    afx_msg LRESULT OnCommandHelp(WPARAM, LPARAM lParam)
    {
        ++helpRequests;
        lastHelpContext = lParam;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHelpCountingDialog, CUnitTestResizableDialog)
ON_COMMAND(ID_HELP, OnHelpCommand)
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

TEST(DialogCommandBarsTest, SetCommandBarsMakesAManagerSitedOnTheDialogAndReplacesTheOldOne)
{
    ASSERT_EQ(CCountedCommandBars::alive, 0);
    {
        CUnitTestResizableDialog dialog(nullptr, IDD_RUN_INDIVIDUAL);
        ASSERT_TRUE(dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
        EXPECT_EQ(dialog.GetCommandBars(), nullptr);

        ASSERT_TRUE(dialog.SetCommandBars(RUNTIME_CLASS(CCountedCommandBars)));
        CXTPCommandBars* first = dialog.GetCommandBars();
        ASSERT_NE(first, nullptr);
        EXPECT_TRUE(first->IsKindOf(RUNTIME_CLASS(CCountedCommandBars)));
        EXPECT_EQ(first->GetSite(), &dialog);
        EXPECT_EQ(CCountedCommandBars::alive, 1);

        // A second call releases the first manager.
        ASSERT_TRUE(dialog.SetCommandBars(RUNTIME_CLASS(CCountedCommandBars)));
        EXPECT_EQ(CCountedCommandBars::alive, 1);
        EXPECT_EQ(dialog.GetCommandBars()->GetSite(), &dialog);

        // A class that makes no manager leaves the dialog without one (and the old one released).
        EXPECT_FALSE(dialog.SetCommandBars(RUNTIME_CLASS(CNotCommandBars)));
        EXPECT_EQ(dialog.GetCommandBars(), nullptr);
        EXPECT_EQ(CCountedCommandBars::alive, 0);

        // No class: the toolkit's own manager.
        ASSERT_TRUE(dialog.SetCommandBars(nullptr));
        ASSERT_NE(dialog.GetCommandBars(), nullptr);
        EXPECT_TRUE(dialog.GetCommandBars()->IsKindOf(RUNTIME_CLASS(CXTPCommandBars)));

        ASSERT_TRUE(dialog.SetCommandBars(RUNTIME_CLASS(CCountedCommandBars)));
        EXPECT_EQ(CCountedCommandBars::alive, 1);
        dialog.DestroyWindow();
    }
    EXPECT_EQ(CCountedCommandBars::alive, 0) << "the dialog's end releases its manager";
}

TEST(DialogCommandBarsTest, TheManagersFrameHookRunsBeforeTheDialogsHandlers)
{
    CHelpCountingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
    // Without a manager the help command reaches the dialog's handler.
    dialog.SendMessage(WM_COMMAND, ID_HELP, 0);
    EXPECT_EQ(dialog.helpCommands, 1);
    EXPECT_EQ(dialog.helpRequests, 0);

    ASSERT_TRUE(dialog.SetCommandBars(nullptr));
    // With a manager and no menu item tracked, the manager lets the command through.
    dialog.SendMessage(WM_COMMAND, ID_HELP, 0);
    EXPECT_EQ(dialog.helpCommands, 2);
    // While a bar tracks an item with a help id, the manager answers the help command with a help request
    // for that id, and the dialog's own handler is not run.
    dialog.GetCommandBars()->m_nIDHelpTracking = 4005;
    EXPECT_EQ(dialog.SendMessage(WM_COMMAND, ID_HELP, 0), 1);
    EXPECT_EQ(dialog.helpCommands, 2);
    EXPECT_EQ(dialog.helpRequests, 1);
    EXPECT_EQ(dialog.lastHelpContext, 0x10000 + 4005);
    dialog.DestroyWindow();
}

// A fixed-size or resizable dialog with a command-bar edit box and a plain edit box.
class EditKeysTest : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        if (GetParam())
            m_dialog.reset(new CUnitTestResizableDialog(nullptr, IDD_RUN_INDIVIDUAL));
        else
            m_dialog.reset(new CNonResizableDialog(IDD_RUN_INDIVIDUAL, nullptr));
        ASSERT_TRUE(m_dialog->Create(IDD_RUN_INDIVIDUAL, nullptr));
        ASSERT_TRUE(m_barEdit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, m_dialog.get()));
        m_barEdit.MoveWindow(10, 10, 100, 20, FALSE);
        m_plainEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 40, 100, 20,
                                        m_dialog->m_hWnd, reinterpret_cast<HMENU>(3003), nullptr, nullptr);
        ASSERT_NE(m_plainEdit, nullptr);
        PumpMessages();
    }
    void TearDown() override
    {
        if (m_dialog && m_dialog->m_hWnd)
            m_dialog->DestroyWindow();
    }
    BOOL Key(HWND target, WPARAM key)
    {
        MSG msg = {};
        msg.hwnd = target;
        msg.message = WM_KEYDOWN;
        msg.wParam = key;
        msg.lParam = 1;
        return m_dialog->PreTranslateMessage(&msg);
    }
    bool HelpPosted()
    {
        MSG posted;
        return ::PeekMessageA(&posted, m_dialog->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE) &&
               posted.wParam == ID_HELP_COMMAND;
    }

    std::unique_ptr<CDialog> m_dialog;
    CXTPCommandBarEditCtrl m_barEdit;
    HWND m_plainEdit = nullptr;
};

TEST_P(EditKeysTest, KeysForACommandBarEditBoxAreNotTranslatedButTabEnterAndEscapeAre)
{
    ::SetFocus(m_barEdit.m_hWnd);
    if (::GetFocus() != m_barEdit.m_hWnd)
        GTEST_SKIP() << "the focus could not be given to the edit box";
    // F1 would ask for help anywhere else: in the bar's edit box it stays with the box.
    EXPECT_FALSE(Key(m_barEdit.m_hWnd, VK_F1));
    EXPECT_FALSE(HelpPosted());
    // Tab still moves the focus on.
    EXPECT_TRUE(Key(m_barEdit.m_hWnd, VK_TAB));
    EXPECT_NE(::GetFocus(), m_barEdit.m_hWnd);

    // The same F1 in a plain edit box asks for help.
    ::SetFocus(m_plainEdit);
    ASSERT_EQ(::GetFocus(), m_plainEdit);
    EXPECT_TRUE(Key(m_plainEdit, VK_F1));
    EXPECT_TRUE(HelpPosted());
}

INSTANTIATE_TEST_SUITE_P(Bases, EditKeysTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Resizable" : "NonResizable");
                         });

TEST(DialogCommandBarsTest, TheManagersOptionsTravelWithTheBarLayoutText)
{
    CWinApp app("QvxBarsTextTest");
    CUnitTestResizableDialog dialog(nullptr, IDD_RUN_INDIVIDUAL);
    ASSERT_TRUE(dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
    ASSERT_TRUE(dialog.SetCommandBars(nullptr));
    CXTPCommandBarsOptions* options = dialog.GetCommandBars()->GetCommandBarsOptions();
    const LPCSTR profileBefore = app.m_pszProfileName;

    options->bToolBarAccelTips = TRUE;
    options->animationType = 2;
    CDravikString text;
    ASSERT_TRUE(dialog.SaveBarsToText(text, IDS_TOOLBAR_TITLE));
    EXPECT_EQ(app.m_pszProfileName, profileBefore) << "the profile name is restored";
    const std::string saved = text.GetAnsi();
    EXPECT_NE(saved.find("[Quorvex Toolbar-Options]"), std::string::npos) << saved;

    options->bToolBarAccelTips = FALSE;
    options->animationType = 0;
    ASSERT_TRUE(dialog.LoadBarsFromText(text, IDS_TOOLBAR_TITLE));
    EXPECT_EQ(app.m_pszProfileName, profileBefore);
    EXPECT_TRUE(options->bToolBarAccelTips);
    EXPECT_EQ(options->animationType, 2);
    dialog.DestroyWindow();
}

TEST(DialogCommandBarsTest, TheShortcutsSurviveASaveAndLoadThroughTheProfile)
{
    CWinApp app("QvxDialogShortcuts");
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    const std::string ini = std::string(folder) + "qvx_dialog_keys_" + std::to_string(::GetCurrentProcessId()) + ".ini";
    ::DeleteFileA(ini.c_str());
    app.m_pszProfileName = ini.c_str();
    const ACCEL defaults[] = {{FVIRTKEY | FCONTROL, 'O', 57601}, {FVIRTKEY, VK_F5, 32771}};
    const XTP_SHORTCUTMANAGER_ACCEL chosen[] = {{57601, {{FVIRTKEY | FALT, 0, 'O'}, {0, 0, 0}}},
                                                {300, {{FVIRTKEY | FCONTROL, 0, 'K'}, {FVIRTKEY | FCONTROL, 0, 'C'}}}};
    auto makeDialog = [&](CUnitTestResizableDialog& dialog) {
        EXPECT_TRUE(dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
        EXPECT_TRUE(dialog.SetCommandBars(nullptr));
        CXTPShortcutManager* keys = dialog.GetCommandBars()->GetShortcutManager();
        keys->SetAccelerators(defaults, 2);
        keys->SetDefaultAccelerators();
        return keys;
    };
    {
        CUnitTestResizableDialog dialog(nullptr, IDD_RUN_INDIVIDUAL);
        CXTPShortcutManager* keys = makeDialog(dialog);
        keys->SetAccelerators(chosen, 2); // the user's own
        dialog.SaveCommandBars("QvxKeys");
        dialog.DestroyWindow();
    }
    CUnitTestResizableDialog dialog(nullptr, IDD_RUN_INDIVIDUAL);
    CXTPShortcutManager* keys = makeDialog(dialog);
    ASSERT_EQ(keys->GetAccelCount(), 2);
    EXPECT_EQ(keys->GetAccelerators()->GetAt(0)->cmd, 57601);
    dialog.LoadCommandBars("QvxKeys", TRUE);
    ASSERT_EQ(keys->GetAccelCount(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(std::memcmp(&keys->GetAccelerators()->GetAt(i)->Record(), &chosen[i], sizeof(chosen[i])), 0) << i;
    keys->Reset();
    EXPECT_EQ(keys->GetAccelerators()->GetAt(1)->key[0].key, VK_F5);
    dialog.DestroyWindow();
    app.m_pszProfileName = nullptr;
    ::DeleteFileA(ini.c_str());
}

TEST(DialogCommandBarsTest, TheBarLayoutTextCarriesWhereTheBarsAre)
{
    CWinApp app("QvxBarsLayoutText");
    CUnitTestResizableDialog dialog(nullptr, IDD_RUN_INDIVIDUAL);
    ASSERT_TRUE(dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
    ASSERT_TRUE(dialog.SetCommandBars(nullptr));
    CXTPCommandBars* bars = dialog.GetCommandBars();
    CXTPToolBar* first = dynamic_cast<CXTPToolBar*>(bars->Add("First", xtpBarTop));
    CXTPToolBar* second = dynamic_cast<CXTPToolBar*>(bars->Add("Second", xtpBarTop));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    first->SetBarID(300);
    second->SetBarID(301);
    second->SetVisible(FALSE);

    CDravikString text;
    ASSERT_TRUE(dialog.SaveBarsToText(text, IDS_TOOLBAR_TITLE));
    const std::string saved = text.GetAnsi();
    for (const char* part : {"[Quorvex Toolbar-Summary]", "Bars=2", "[Quorvex Toolbar-Bar0]", "BarID=300",
                             "[Quorvex Toolbar-Bar1]", "BarID=301", "Visible=0", "[Quorvex Toolbar-DockBar0]",
                             "Bar#1=300", "Bar#3=301"})
        EXPECT_NE(saved.find(part), std::string::npos) << part << "\n" << saved;

    // Moved about, then the text puts the bars back.
    second->SetVisible(TRUE);
    ASSERT_TRUE(bars->DockCommandBar(first, xtpBarBottom));
    ASSERT_TRUE(dialog.LoadBarsFromText(text, IDS_TOOLBAR_TITLE));
    EXPECT_FALSE(second->IsVisible());
    EXPECT_EQ(first->GetDockBar(), bars->GetDockBar(xtpBarTop));
    EXPECT_EQ(bars->GetDockBar(xtpBarBottom)->GetRows().GetSize(), 1);
    dialog.DestroyWindow();
}

// The icon's image of a state, drawn, against cell `cell` of the bitmap strip: every pixel of the cell that
// is not the white background must be drawn in its own colour (small rounding allowed).
::testing::AssertionResult IconShowsCell(CXTPImageManagerIcon* icon, int state, UINT bitmapId, int cell)
{
    HBITMAP strip = static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0,
                     LR_CREATEDIBSECTION));
    if (!strip)
        return ::testing::AssertionFailure() << "no bitmap " << bitmapId;
    CMemorySurface expected(20, 20), drawn(20, 20);
    HDC source = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(source, strip);
    ::BitBlt(expected.DC(), 0, 0, 20, 20, source, cell * 20, 0, SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
    ::DeleteObject(strip);

    drawn.Clear(RGB(255, 255, 255));
    CDC* dc = CDC::FromHandle(drawn.DC());
    icon->Draw(dc, 0, 0, icon->GetImageByState(state), 20, 20);
    int compared = 0, differing = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
        {
            const COLORREF want = expected.Pixel(x, y);
            if (want == RGB(255, 255, 255))
                continue;
            ++compared;
            const COLORREF got = drawn.Pixel(x, y);
            if (std::abs(GetRValue(got) - GetRValue(want)) > 3 || std::abs(GetGValue(got) - GetGValue(want)) > 3 ||
                std::abs(GetBValue(got) - GetBValue(want)) > 3)
                ++differing;
        }
    if (compared < 20)
        return ::testing::AssertionFailure() << "cell " << cell << " is nearly empty";
    if (differing > 0)
        return ::testing::AssertionFailure() << differing << " of " << compared << " pixels differ";
    return ::testing::AssertionSuccess();
}

TEST(DialogCommandBarsTest, ToolbarImagesAreGivenToTheImageManagerAsNormalDisabledAndHot)
{
    CUnitTestResizableDialog dialog(nullptr, IDD_RUN_INDIVIDUAL);
    ASSERT_TRUE(dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
    EXPECT_FALSE(dialog.SetToolbarImages(IDR_QUORVEX_TOOLBAR, IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_DISABLED,
                                         IDB_TOOLBAR_HOT))
        << "nothing without a manager";

    ASSERT_TRUE(dialog.SetCommandBars(nullptr));
    CXTPCommandBarsOptions* options = dialog.GetCommandBars()->GetCommandBarsOptions();
    options->bLargeIcons = TRUE;
    ASSERT_TRUE(dialog.SetToolbarImages(IDR_QUORVEX_TOOLBAR, IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_DISABLED,
                                        IDB_TOOLBAR_HOT));
    EXPECT_EQ(options->szIcons, CSize(20, 20));
    EXPECT_FALSE(options->bLargeIcons);

    // Each state's list holds one 20 x 20 image per button, and the manager's icon of each command in each
    // state shows that command's cell of the state's strip.
    const UINT commands[] = {ID_LOAD_TEST_SUITE, ID_RUN_ALL, ID_RUN_INDIVIDUAL, ID_CANCEL_RUN,
                             ID_EXPORT_RESULTS, ID_ABOUT, ID_HELP_COMMAND};
    const int states[] = {xtpImageNormal, xtpImageDisabled, xtpImageHot};
    const UINT strips[] = {IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_DISABLED, IDB_TOOLBAR_HOT};
    for (int s = 0; s < 3; ++s)
    {
        CImageList& list = dialog.GetToolbarImages(s);
        ASSERT_NE(list.GetSafeHandle(), nullptr);
        EXPECT_EQ(ImageList_GetImageCount(list.GetSafeHandle()), 7);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(list.GetSafeHandle(), &cx, &cy);
        EXPECT_EQ(cx, 20);
        EXPECT_EQ(cy, 20);
        for (int i = 0; i < 7; ++i)
        {
            SCOPED_TRACE("state " + std::to_string(s) + ", command " + std::to_string(commands[i]));
            CXTPImageManagerIcon* icon = XTPImageManager()->GetImage(commands[i], 20);
            ASSERT_NE(icon, nullptr);
            EXPECT_TRUE(IconShowsCell(icon, states[s], strips[s], i));
        }
    }
    dialog.DestroyWindow();
}

// The strips' white ground is left out: each command's icon, drawn in every state onto the dialog face, leaves
// the face showing at the corners of its 20 x 20 cell, while the white inside the About and Help pictures stays.
TEST(DialogCommandBarsTest, ToolbarIconsDrawWithoutTheirWhiteGroundInEveryState)
{
    CUnitTestResizableDialog dialog(nullptr, IDD_RUN_INDIVIDUAL);
    ASSERT_TRUE(dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
    ASSERT_TRUE(dialog.SetCommandBars(nullptr));
    const COLORREF face = RGB(212, 208, 200);
    const UINT commands[] = {ID_LOAD_TEST_SUITE, ID_RUN_ALL, ID_RUN_INDIVIDUAL, ID_CANCEL_RUN,
                             ID_EXPORT_RESULTS, ID_ABOUT, ID_HELP_COMMAND};
    const int states[] = {xtpImageNormal, xtpImageDisabled, xtpImageHot};
    const POINT corners[] = {{0, 0}, {19, 0}, {0, 19}, {19, 19}};
    // Common controls 5.81 (Wine without a manifest) and 6 (the alpha path of the image manager).
    for (DWORD version : {DWORD(MAKELONG(81, 5)), DWORD(MAKELONG(0, 6))})
    {
    SCOPED_TRACE("common controls " + std::to_string(HIWORD(version)) + "." + std::to_string(LOWORD(version)));
    CXTPImageManager::SetComCtlVersion(version);
    ASSERT_TRUE(dialog.SetToolbarImages(IDR_QUORVEX_TOOLBAR, IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_DISABLED,
                                        IDB_TOOLBAR_HOT));
    for (int state : states)
        for (UINT command : commands)
        {
            SCOPED_TRACE("state " + std::to_string(state) + ", command " + std::to_string(command));
            CXTPImageManagerIcon* icon = XTPImageManager()->GetImage(command, 20);
            ASSERT_NE(icon, nullptr);
            CMemorySurface drawn(20, 20);
            drawn.Clear(face);
            icon->Draw(CDC::FromHandle(drawn.DC()), 0, 0, icon->GetImageByState(state), 20, 20);
            for (const POINT& corner : corners)
                EXPECT_EQ(drawn.Pixel(corner.x, corner.y), face) << "corner " << corner.x << "," << corner.y;
            if (command == ID_ABOUT && state != xtpImageDisabled)
            {
                EXPECT_NE(drawn.Pixel(10, 6), face) << "the white of the i is drawn";
            }
        }
    }
    CXTPImageManager::SetComCtlVersion(0);
    dialog.DestroyWindow();
}

// A resizable dialog with command bars and toolbar 5001 in them, shown to the layout as its tool bar.
class ToolBarLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
        ASSERT_TRUE(m_dialog.SetCommandBars(nullptr));
        m_bar = dynamic_cast<CXTPToolBar*>(m_dialog.GetCommandBars()->Add("Bar", xtpBarTop));
        ASSERT_NE(m_bar, nullptr);
        ASSERT_TRUE(m_bar->LoadToolBar(IDR_QUORVEX_TOOLBAR, FALSE));
        m_dialog.SetToolBar(m_bar);
        Relayout();
    }
    void TearDown() override
    {
        if (m_dialog.m_hWnd)
            m_dialog.DestroyWindow();
    }
    void Relayout()
    {
        RECT client;
        m_dialog.GetClientRect(&client);
        m_dialog.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
        PumpMessages();
    }
    RECT BarRect()
    {
        RECT rect = {};
        m_dialog.GetControlRect(m_bar, &rect);
        return rect;
    }

    CUnitTestResizableDialog m_dialog{nullptr, IDD_RUN_INDIVIDUAL};
    CXTPToolBar* m_bar = nullptr;
};

TEST_F(ToolBarLayoutTest, TheLayoutRectangleLeavesTheBarsStripOnItsDockSide)
{
    RECT client;
    m_dialog.GetClientRect(&client);
    struct Case
    {
        int position;
        const char* name;
    };
    const Case cases[] = {{xtpBarTop, "top"}, {xtpBarLeft, "left"}, {xtpBarBottom, "bottom"}, {xtpBarRight, "right"}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(m_bar->SetPosition(c.position));
        Relayout();
        ASSERT_NE(m_bar->GetDockBar(), nullptr);
        const RECT bar = BarRect();
        const int width = bar.right - bar.left, height = bar.bottom - bar.top;
        ASSERT_GT(width, 0);
        ASSERT_GT(height, 0);
        RECT expected = client;
        if (c.position == xtpBarTop)
            expected.top += height;
        else if (c.position == xtpBarBottom)
            expected.bottom -= height;
        else if (c.position == xtpBarLeft)
            expected.left += width;
        else
            expected.right -= width;
        const RECT* layout = m_dialog.GetLayoutRect();
        EXPECT_EQ(layout->left, expected.left);
        EXPECT_EQ(layout->top, expected.top);
        EXPECT_EQ(layout->right, expected.right);
        EXPECT_EQ(layout->bottom, expected.bottom);
    }
    // A hidden bar leaves the whole client area.
    m_bar->SetVisible(FALSE);
    Relayout();
    const RECT* layout = m_dialog.GetLayoutRect();
    EXPECT_EQ(layout->left, client.left);
    EXPECT_EQ(layout->top, client.top);
    EXPECT_EQ(layout->right, client.right);
    EXPECT_EQ(layout->bottom, client.bottom);
}

TEST_F(ToolBarLayoutTest, PlaceBelowToolBarKeepsRememberedColumnsBesideABarDockedLeft)
{
    CWnd* ok = m_dialog.GetDlgItem(IDOK);
    ASSERT_NE(ok, nullptr);
    RECT before;
    ASSERT_TRUE(m_dialog.GetControlRect(ok, &before));
    ASSERT_TRUE(m_dialog.RememberControlRect(ok));

    // Docked at the top: the remembered columns, the top 12 pixels below y, the height kept.
    ASSERT_TRUE(m_dialog.PlaceBelowToolBar(ok, 30));
    RECT placed;
    m_dialog.GetControlRect(ok, &placed);
    EXPECT_EQ(placed.left, before.left);
    EXPECT_EQ(placed.right, before.right);
    EXPECT_EQ(placed.top, 42);
    EXPECT_EQ(placed.bottom - placed.top, before.bottom - before.top);

    // Docked left: the remembered columns move right by the bar's width.
    ASSERT_TRUE(m_bar->SetPosition(xtpBarLeft));
    Relayout();
    const RECT bar = BarRect();
    ASSERT_TRUE(m_dialog.PlaceBelowToolBar(ok, 30));
    m_dialog.GetControlRect(ok, &placed);
    EXPECT_EQ(placed.left, before.left + (bar.right - bar.left));
    EXPECT_EQ(placed.right, before.right + (bar.right - bar.left));
}

TEST_F(ToolBarLayoutTest, ButtonTextNeedsAVisibleButtonOfTheCommand)
{
    // The first button: it is never pushed out of the narrow bar.
    EXPECT_FALSE(m_dialog.SetToolbarButtonText(4999)) << "no such button";
    ASSERT_TRUE(m_dialog.SetToolbarButtonText(ID_LOAD_TEST_SUITE));
    CXTPControl* button = m_bar->GetControls()->FindControl(xtpControlButton, ID_LOAD_TEST_SUITE, TRUE, FALSE);
    ASSERT_NE(button, nullptr);
    EXPECT_STREQ(button->GetCaption().GetString(), "Load Test Suite");
    EXPECT_STREQ(button->GetTooltip().GetString(), "Load a test suite");
    EXPECT_EQ(button->GetStyle(), xtpButtonIconAndCaption);
    // A hidden button is not looked for.
    button->SetVisible(FALSE);
    EXPECT_FALSE(m_dialog.SetToolbarButtonText(ID_LOAD_TEST_SUITE));
}

struct TextCase
{
    UINT stringId;
    const char* caption;
    const char* tooltip;
    BOOL result;
};

TEST(ControlTextFromResourceTest, CaptionBeforeTheLineFeedTooltipAfterIt)
{
    EXPECT_FALSE(SetControlTextFromResource(ID_RUN_ALL, nullptr));
    const TextCase cases[] = {
        {ID_LOAD_TEST_SUITE, "Load Test Suite", "Load a test suite", TRUE},
        {ID_CANCEL_RUN, "Cancel", "Cancel the current test run", TRUE},
        {ID_HELP_COMMAND, "Help", "Quorvex help", TRUE},
        // A string without a line feed is all caption.
        {IDS_TOOLBAR_TITLE, "Quorvex Toolbar", "", TRUE},
        // No such string: no caption, nothing changes but the style.
        {4999, "old caption", "old tip", FALSE},
    };
    for (const TextCase& c : cases)
    {
        SCOPED_TRACE(c.stringId);
        std::unique_ptr<CXTPControl> control(new CXTPControl);
        control->SetCaption("old caption");
        control->SetTooltip(c.result ? "" : "old tip");
        EXPECT_EQ(SetControlTextFromResource(c.stringId, control.get()), c.result);
        EXPECT_EQ(control->GetStyle(), xtpButtonIconAndCaption);
        EXPECT_STREQ(control->GetCaption().GetString(), c.caption);
        EXPECT_STREQ(control->GetTooltip().GetString(), c.tooltip);
    }
}
} // namespace
