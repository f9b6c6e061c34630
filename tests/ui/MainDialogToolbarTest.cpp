// The main dialog's command bars: the tool bar built from toolbar resource 5001 (items, separators, captions
// and tooltips, images), its buttons following the dialog's update handlers at idle time, a click running
// the dialog's command, the fields and tree laid out below it, the buttons that do not fit hidden behind its
// expand button, and the look the dialog sets up (tooltips, paint theme, bar options).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/ui/MainDialogTestSupport.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/docking/XTPDockBar.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "ui/UiResourceIds.h"

using dialog_test::PumpMessages;
using dialog_test::PumpUntil;

namespace
{
class MainDialogToolbarTest : public dialog_test::CMainDialogFixture
{
protected:
    void SetUp() override
    {
        CMainDialogFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        m_bars = m_dialog->GetCommandBars();
        ASSERT_NE(m_bars, nullptr);
    }

    // The modal loop's idle time, as the dialog sees it.
    void Idle() { m_dialog->SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, 0); }
    CXTPToolBar* Bar() { return m_dialog->GetToolBar(); }
    CXTPControl* Button(UINT id)
    {
        return Bar() ? Bar()->GetControls()->FindControl(xtpControlButton, static_cast<int>(id), FALSE, FALSE)
                     : nullptr;
    }
    bool ButtonEnabled(UINT id)
    {
        CXTPControl* button = Button(id);
        return button && button->GetEnabled();
    }
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
    // Moves the mouse over the button, presses and releases the left button there.
    void Click(UINT id)
    {
        CXTPControl* button = Button(id);
        ASSERT_NE(button, nullptr);
        const CRect rect = button->GetRect();
        ASSERT_FALSE(rect.IsRectEmpty()) << "the button is laid out";
        const LPARAM at = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
        HWND bar = Bar()->GetSafeHwnd();
        ::SendMessageA(bar, WM_MOUSEMOVE, 0, at);
        // A pressed button holds the mouse until the release: the release waits in the queue for it.
        ::PostMessageA(bar, WM_LBUTTONUP, 0, at);
        ::SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    }
    RECT ChildRect(HWND child)
    {
        RECT rect;
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, m_dialog->m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    CXTPCommandBars* m_bars = nullptr;
};

TEST_F(MainDialogToolbarTest, TheBarHoldsToolbar5001sButtonsWithCaptionsTooltipsAndFiveSeparators)
{
    CXTPToolBar* bar = Bar();
    ASSERT_NE(bar, nullptr);
    EXPECT_STREQ(bar->GetTitle().GetString(), "Quorvex Toolbar");
    EXPECT_EQ(bar->GetPosition(), xtpBarTop);
    ASSERT_NE(bar->GetDockBar(), nullptr);
    EXPECT_EQ(bar->GetDockBar()->GetPosition(), 0) << "docked at the top";
    EXPECT_EQ(bar->GetFlags(), 117u);
    EXPECT_FALSE(bar->HasGripper());
    EXPECT_FALSE(bar->IsCustomizable());
    EXPECT_EQ(m_bars->GetCount(), 1);

    struct Item
    {
        UINT id;
        bool beginsGroup; // a separator lies before it
        const char* caption;
        const char* tooltip;
        int style;
    };
    const Item items[] = {
        {ID_LOAD_TEST_SUITE, false, "Load Test Suite", "Load a test suite", xtpButtonIconAndCaption},
        {ID_RUN_ALL, true, "Run All Tests", "Run all the tests in the test suite", xtpButtonIconAndCaption},
        {ID_RUN_INDIVIDUAL, false, "Run Individual Tests", "Run individual tests in the test suite",
         xtpButtonIconAndCaption},
        {ID_CANCEL_RUN, true, "Cancel", "Cancel the current test run", xtpButtonIconAndCaption},
        {ID_EXPORT_RESULTS, true, "Export Results", "Export the results", xtpButtonIconAndCaption},
        {ID_ABOUT, true, "About", "About Quorvex", xtpButtonIconAndCaption},
        // Help keeps the bar's own style: its icon only.
        {ID_HELP_COMMAND, true, nullptr, nullptr, xtpButtonAutomatic},
    };
    // The bar's own controls, leaving out its temporary expand button.
    CXTPControls* controls = bar->GetControls();
    std::vector<CXTPControl*> own;
    for (int i = 0; i < controls->GetCount(); ++i)
    {
        if (!controls->GetAt(i)->IsTemporary())
            own.push_back(controls->GetAt(i));
    }
    ASSERT_EQ(own.size(), sizeof items / sizeof items[0]);
    int separators = 0;
    for (size_t i = 0; i < own.size(); ++i)
    {
        SCOPED_TRACE("item " + std::to_string(i));
        CXTPControl* control = own[i];
        EXPECT_EQ(control->GetID(), static_cast<int>(items[i].id));
        EXPECT_EQ(control->GetType(), xtpControlButton);
        EXPECT_EQ(control->GetBeginGroup() != FALSE, items[i].beginsGroup);
        separators += control->GetBeginGroup() ? 1 : 0;
        EXPECT_EQ(control->GetStyle(), items[i].style == xtpButtonAutomatic ? bar->GetDefaultButtonStyle()
                                                                             : items[i].style);
        if (items[i].caption)
        {
            EXPECT_STREQ(control->GetCaption().GetString(), items[i].caption);
            EXPECT_STREQ(control->GetTooltip().GetString(), items[i].tooltip);
        }
        // Every button has its icon at 20 pixels.
        EXPECT_NE(control->GetImageManager()->GetImage(items[i].id, 20), nullptr);
    }
    EXPECT_EQ(separators, 5);
}

TEST_F(MainDialogToolbarTest, ButtonStatesFollowTheUpdateHandlersOnIdle)
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

TEST_F(MainDialogToolbarTest, AClickOnAButtonRunsTheDialogsCommand)
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

TEST_F(MainDialogToolbarTest, FieldsAndTreeLieBelowTheBarAtTheMinimumSizeAndAfterGrowing)
{
    for (int grow : {-400, 150})
    {
        SCOPED_TRACE("grown by " + std::to_string(grow));
        m_dialog->PostMessage(WM_QVX_GRIP_DRAG, static_cast<WPARAM>(grow), grow);
        PumpMessages();
        RECT client;
        m_dialog->GetClientRect(&client);
        const RECT bar = ChildRect(Bar()->GetSafeHwnd());
        EXPECT_EQ(bar.top, 0);
        EXPECT_GE(bar.bottom - bar.top, 20 + 4) << "room for the 20-pixel icons";
        EXPECT_TRUE(::GetWindowLongA(Bar()->GetSafeHwnd(), GWL_STYLE) & WS_VISIBLE);
        // The layout rectangle is the client area less the bar's strip.
        const RECT* layout = m_dialog->GetLayoutRect();
        EXPECT_EQ(layout->top, bar.bottom - bar.top);
        EXPECT_EQ(layout->bottom, client.bottom);
        EXPECT_EQ(layout->left, 0);
        EXPECT_EQ(layout->right, client.right);
        const RECT label = ChildRect(::GetDlgItem(m_dialog->m_hWnd, IDC_SUITE_NAME_LABEL));
        EXPECT_EQ(label.top, bar.bottom + 12);
        EXPECT_EQ(label.left, 12);
        const RECT tree = ChildRect(m_dialog->GetTree().m_hWnd);
        EXPECT_EQ(tree.bottom, client.bottom - 12);
        EXPECT_EQ(tree.right, client.right - 12);
    }
}

TEST_F(MainDialogToolbarTest, ButtonsThatDoNotFitAtTheMinimumWidthHideBehindTheExpandButton)
{
    // Grown wide, every button fits and nothing is pushed out.
    m_dialog->PostMessage(WM_QVX_GRIP_DRAG, 600, 0);
    PumpMessages();
    CXTPToolBar* bar = Bar();
    EXPECT_FALSE(bar->HasPushedOutControls());
    const RECT wide = ChildRect(bar->GetSafeHwnd());
    for (UINT id : {ID_LOAD_TEST_SUITE, ID_ABOUT, ID_HELP_COMMAND})
    {
        CXTPControl* button = Button(id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->GetHideFlags() & xtpHideWrap, 0) << id;
        EXPECT_LE(button->GetRect().right, wide.right - wide.left) << id;
    }

    // At the minimum width the last buttons do not fit: they are pushed out (hide flag "wrap") behind the
    // expand button at the bar's end.
    m_dialog->PostMessage(WM_QVX_GRIP_DRAG, static_cast<WPARAM>(-2000), 0);
    PumpMessages();
    const RECT narrow = ChildRect(bar->GetSafeHwnd());
    ASSERT_LT(narrow.right - narrow.left, wide.right - wide.left);
    ASSERT_TRUE(bar->HasPushedOutControls()) << "bar width " << narrow.right - narrow.left;
    CXTPControl* expand = bar->FindExpandControl();
    ASSERT_NE(expand, nullptr);
    EXPECT_TRUE(expand->IsVisible());
    EXPECT_LE(expand->GetRect().right, narrow.right - narrow.left);
    // What is pushed out is the tail of the row; every button still shown ends before the expand button.
    bool pushedOut = false;
    for (UINT id : {ID_LOAD_TEST_SUITE, ID_RUN_ALL, ID_RUN_INDIVIDUAL, ID_CANCEL_RUN, ID_EXPORT_RESULTS, ID_ABOUT,
                    ID_HELP_COMMAND})
    {
        SCOPED_TRACE(id);
        CXTPControl* button = Button(id);
        const bool hidden = (button->GetHideFlags() & xtpHideWrap) != 0;
        if (pushedOut)
            EXPECT_TRUE(hidden) << "only the tail of the row is pushed out";
        pushedOut = pushedOut || hidden;
        if (!hidden)
            EXPECT_LE(button->GetRect().right, expand->GetRect().left);
    }
    EXPECT_TRUE(pushedOut);
    EXPECT_EQ(Button(ID_LOAD_TEST_SUITE)->GetHideFlags() & xtpHideWrap, 0) << "the first button stays";
}

TEST_F(MainDialogToolbarTest, AppearanceSetsTheTooltipsThemeAndBarOptions)
{
    CXTPToolTipContext* tips = m_bars->GetToolTipContext();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(tips->GetStyle(), xtpToolTipResource);
    EXPECT_TRUE(tips->IsShowTitleAndDescription());
    EXPECT_EQ(tips->GetTitleIcon(), TTI_INFO);
    EXPECT_TRUE(tips->IsShowImage());
    EXPECT_EQ(tips->GetImageOffset(), 0);
    EXPECT_EQ(tips->GetImageWidth(), 1);
    EXPECT_EQ(tips->GetMargin(), CRect(2, 2, 2, 2));
    EXPECT_EQ(tips->GetMaxTipWidth(), 180);
    EXPECT_EQ(tips->GetDelayTime(TTDT_INITIAL), 900);
    // The tips' font is the paint manager's icon-title font.
    LOGFONTA tipFont = {}, iconFont = {};
    ASSERT_TRUE(tips->GetFont()->GetSafeHandle());
    tips->GetFont()->GetLogFont(&tipFont);
    m_bars->GetPaintManager()->GetIconFont()->GetLogFont(&iconFont);
    EXPECT_STREQ(tipFont.lfFaceName, iconFont.lfFaceName);
    EXPECT_EQ(tipFont.lfHeight, iconFont.lfHeight);

    // The process-wide theme and the bars' own are made by the factory for theme 6; no faded icons.
    CXTPPaintManager* global = CXTPPaintManager::GetGlobalIfAny();
    ASSERT_NE(global, nullptr);
    EXPECT_EQ(global->m_nTheme, 6);
    EXPECT_FALSE(*global->GetIconsInfo());
    EXPECT_NE(m_bars->GetPaintManager(), global) << "the bars hold a paint manager of their own";
    EXPECT_EQ(m_bars->GetPaintManager()->m_nTheme, 6);

    CXTPCommandBarsOptions* options = m_bars->GetCommandBarsOptions();
    EXPECT_FALSE(options->bShowExpandButtonAlways);
    EXPECT_FALSE(options->bAltDragCustomization);
    EXPECT_EQ(options->szIcons, CSize(20, 20));
    EXPECT_FALSE(options->bLargeIcons);
}

TEST(MainDialogAppearanceTest, WithoutCommandBarsNothingIsSetUp)
{
    dialog_test::CMainDialogProbe dialog;
    EXPECT_EQ(dialog.GetCommandBars(), nullptr);
    EXPECT_FALSE(dialog.SetupAppearance());
}
} // namespace
