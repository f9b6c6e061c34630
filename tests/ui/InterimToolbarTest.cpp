// The main dialog's plain tool bar: its buttons, images and strings from the resources, its enabled states
// following the dialog's update handlers on idle, a click reaching the dialog's command handler, and the
// fields laid out below it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ui/UiResourceIds.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/controls/InterimToolbar.h"
#include "tests/ui/MainDialogTestSupport.h"

using dialog_test::PumpMessages;
using dialog_test::PumpUntil;

namespace
{
RECT ChildRect(CWnd& dialog, HWND child)
{
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class InterimToolbarTest : public dialog_test::CMainDialogFixture
{
protected:
    void SetUp() override
    {
        CMainDialogFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        m_bar = m_dialog->GetInterimToolbar().m_hWnd;
        ASSERT_NE(m_bar, nullptr);
    }
    // The modal loop's idle time, as the dialog sees it.
    void Idle() { m_dialog->SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, 0); }
    bool ButtonEnabled(UINT id) { return ::SendMessageA(m_bar, TB_ISBUTTONENABLED, id, 0) != 0; }
    // Expects the enabled states of the six commands with their own update handlers (Help always on).
    void ExpectStates(const char* when, bool load, bool run, bool cancel, bool exportResults, bool about)
    {
        SCOPED_TRACE(when);
        EXPECT_EQ(ButtonEnabled(ID_LOAD_TEST_SUITE), load);
        EXPECT_EQ(ButtonEnabled(ID_RUN_ALL), run);
        EXPECT_EQ(ButtonEnabled(ID_RUN_INDIVIDUAL), run);
        EXPECT_EQ(ButtonEnabled(ID_CANCEL_RUN), cancel);
        EXPECT_EQ(ButtonEnabled(ID_EXPORT_RESULTS), exportResults);
        EXPECT_EQ(ButtonEnabled(ID_ABOUT), about);
        EXPECT_TRUE(ButtonEnabled(ID_HELP_COMMAND));
    }
    std::string CurrentTest() { return dialog_test::Text(*m_dialog, IDC_CURRENT_TEST); }
    // Presses and releases the left mouse button over the button with that id.
    void Click(UINT id)
    {
        RECT item = {};
        const LRESULT index = ::SendMessageA(m_bar, TB_COMMANDTOINDEX, id, 0);
        ASSERT_TRUE(::SendMessageA(m_bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)));
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        ::SendMessageA(m_bar, WM_MOUSEMOVE, 0, at);
        ::SendMessageA(m_bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageA(m_bar, WM_LBUTTONUP, 0, at);
    }

    HWND m_bar = nullptr;
};

TEST_F(InterimToolbarTest, ButtonsFollowTheResourceWithTheirImagesCaptionsAndTooltips)
{
    struct Item
    {
        UINT id; // 0: separator
        const char* caption;
        const char* tooltip;
        bool textShown;
    };
    const Item items[] = {
        {ID_LOAD_TEST_SUITE, "Load Test Suite", "Load a test suite", true},
        {0, nullptr, nullptr, false},
        {ID_RUN_ALL, "Run All Tests", "Run all the tests in the test suite", true},
        {ID_RUN_INDIVIDUAL, "Run Individual Tests", "Run individual tests in the test suite", true},
        {0, nullptr, nullptr, false},
        {ID_CANCEL_RUN, "Cancel", "Cancel the current test run", true},
        {0, nullptr, nullptr, false},
        {ID_EXPORT_RESULTS, "Export Results", "Export the results", true},
        {0, nullptr, nullptr, false},
        {ID_ABOUT, "About", "About Quorvex", true},
        {0, nullptr, nullptr, false},
        {ID_HELP_COMMAND, "Help", "Quorvex help", false},
    };
    const size_t count = sizeof items / sizeof items[0];
    ASSERT_EQ(static_cast<size_t>(::SendMessageA(m_bar, TB_BUTTONCOUNT, 0, 0)), count);
    int image = 0;
    for (size_t i = 0; i < count; ++i)
    {
        SCOPED_TRACE("item " + std::to_string(i));
        TBBUTTON button = {};
        ASSERT_TRUE(::SendMessageA(m_bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
        if (items[i].id == 0)
        {
            EXPECT_TRUE(button.fsStyle & BTNS_SEP);
            continue;
        }
        EXPECT_FALSE(button.fsStyle & BTNS_SEP);
        EXPECT_EQ(static_cast<UINT>(button.idCommand), items[i].id);
        EXPECT_EQ(button.iBitmap, image++) << "one image per button, in toolbar order";
        EXPECT_EQ((button.fsStyle & BTNS_SHOWTEXT) != 0, items[i].textShown);
        char caption[128] = {};
        ::SendMessageA(m_bar, TB_GETBUTTONTEXTA, items[i].id, reinterpret_cast<LPARAM>(caption));
        EXPECT_STREQ(caption, items[i].caption);

        // The tooltip is asked of the dialog, which hands the question to the tool bar.
        char tip[128] = {};
        NMTBGETINFOTIPA info = {};
        info.hdr.hwndFrom = m_bar;
        info.hdr.idFrom = CInterimToolbar::kDefaultBarId;
        info.hdr.code = TBN_GETINFOTIPA;
        info.pszText = tip;
        info.cchTextMax = sizeof tip;
        info.iItem = static_cast<int>(items[i].id);
        m_dialog->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(tip, items[i].tooltip);
    }
    // Normal, disabled and hot images: seven 20 x 20 images each.
    for (UINT get : {TB_GETIMAGELIST, TB_GETDISABLEDIMAGELIST, TB_GETHOTIMAGELIST})
    {
        HIMAGELIST images = reinterpret_cast<HIMAGELIST>(::SendMessageA(m_bar, get, 0, 0));
        ASSERT_NE(images, nullptr) << get;
        EXPECT_EQ(ImageList_GetImageCount(images), 7) << get;
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images, &cx, &cy);
        EXPECT_EQ(cx, 20);
        EXPECT_EQ(cy, 20);
    }
}

TEST_F(InterimToolbarTest, MalformedToolbarResourcesAreRefused)
{
    std::vector<UINT> items;
    SIZE size = {};
    EXPECT_TRUE(
        CInterimToolbar::ReadToolbarResource(AfxGetResourceHandle(), IDR_QUORVEX_TOOLBAR, items, size));
    EXPECT_EQ(items.size(), 12u);
    EXPECT_EQ(size.cx, 20);
    EXPECT_EQ(size.cy, 20);
    // An id without a toolbar resource: refused, nothing made.
    CInterimToolbar missing;
    EXPECT_FALSE(missing.Create(m_dialog.get(), 4999, IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_DISABLED,
                                IDB_TOOLBAR_HOT, 0xE801));
    EXPECT_EQ(missing.m_hWnd, nullptr);
}

TEST_F(InterimToolbarTest, ButtonStatesFollowTheUpdateHandlersOnIdle)
{
    Idle();
    ExpectStates("no suite", true, false, false, false, true);

    ASSERT_EQ(m_dialog->LoadChosenSuite(CDravikString(dialog_test::FixturePath("fx_many.dll").c_str())), 0);
    Idle();
    ExpectStates("suite loaded", true, true, false, false, true);

    m_dialog->SendMessage(WM_COMMAND, ID_RUN_ALL, 0);
    ASSERT_TRUE(PumpUntil([&] { return CurrentTest().compare(0, 1, "(") == 0; }));
    Idle();
    ExpectStates("running", false, false, true, false, false);

    m_dialog->SendMessage(WM_COMMAND, ID_CANCEL_RUN, 0);
    ASSERT_TRUE(PumpUntil([&] { return !m_app->GetExecutor()->IsRunInProgress(); }, 30000));
    PumpMessages();
    Idle();
    ExpectStates("after the cancelled run", true, true, false, true, true);
}

TEST_F(InterimToolbarTest, AClickOnAButtonRunsTheDialogsCommand)
{
    ASSERT_EQ(m_dialog->LoadChosenSuite(CDravikString(dialog_test::FixturePath("fx_pass.dll").c_str())), 0);
    Idle();
    ASSERT_TRUE(ButtonEnabled(ID_RUN_ALL));
    Click(ID_RUN_ALL);
    EXPECT_TRUE(PumpUntil(
        [&] { return !m_app->GetExecutor()->IsRunInProgress() && CurrentTest() == "All Tests Completed"; },
        20000))
        << CurrentTest();
    EXPECT_GT(m_dialog->GetTree().GetMessageCount(), 0);

    // A disabled button sends nothing: with the run over, Cancel stays off and a click changes nothing.
    Idle();
    ASSERT_FALSE(ButtonEnabled(ID_CANCEL_RUN));
    const long messages = m_dialog->GetTree().GetMessageCount();
    Click(ID_CANCEL_RUN);
    PumpMessages();
    EXPECT_EQ(m_dialog->GetTree().GetMessageCount(), messages);
}

TEST_F(InterimToolbarTest, FieldsAndTreeLieBelowTheToolbar)
{
    for (int grow : {0, 150, -400})
    {
        SCOPED_TRACE("grown by " + std::to_string(grow));
        if (grow)
        {
            m_dialog->PostMessage(WM_QVX_GRIP_DRAG, grow, grow);
            PumpMessages();
        }
        RECT client;
        m_dialog->GetClientRect(&client);
        const RECT bar = ChildRect(*m_dialog, m_bar);
        EXPECT_EQ(bar.left, 0);
        EXPECT_EQ(bar.top, 0);
        EXPECT_EQ(bar.right, client.right) << "the bar spans the client area";
        EXPECT_GE(bar.bottom - bar.top, 20 + 4);
        // Every button lies inside the bar (none is cut off at the right or the bottom).
        const int count = static_cast<int>(::SendMessageA(m_bar, TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
        {
            RECT item = {};
            ASSERT_TRUE(::SendMessageA(m_bar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)));
            EXPECT_LE(item.right, bar.right - bar.left) << "button " << i;
            EXPECT_LE(item.bottom, bar.bottom - bar.top) << "button " << i;
        }
        const RECT label = ChildRect(*m_dialog, ::GetDlgItem(m_dialog->m_hWnd, IDC_SUITE_NAME_LABEL));
        EXPECT_EQ(label.top, bar.bottom + 12);
        EXPECT_EQ(label.left, 12);
        const RECT tree = ChildRect(*m_dialog, m_dialog->GetTree().m_hWnd);
        EXPECT_EQ(tree.bottom, client.bottom - 12);
        EXPECT_EQ(tree.right, client.right - 12);
        EXPECT_TRUE(::GetWindowLongA(m_bar, GWL_STYLE) & WS_VISIBLE);
    }
}
} // namespace
