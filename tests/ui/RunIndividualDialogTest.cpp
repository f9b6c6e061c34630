// The run-individual dialog over a real executor: the list of a suite in name order, "&Run" following the
// selection, OK marking exactly the selected tests, Cancel (button, Escape, close box) selecting all tests,
// Help and F1 opening topic 1007, and the dialog growing until every row shows (at most 600 pixels).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/app/QuorvexApp.h"
#include "engine/TestCaseExecutionContext.h"
#include "engine/UnitTestExecutor.h"
#include "tests/ui/DialogTestSupport.h"
#include "tests/ui/MainDialogTestSupport.h"
#include "ui/QuorvexRunIndividualDialog.h"
#include "ui/UiMessageIds.h"

using dialog_test::FixturePath;

namespace
{
class RunIndividualDialogTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (m_dialog && m_dialog->m_hWnd)
            m_dialog->DestroyWindow();
        m_dialog.reset();
        if (m_app)
            m_app->UnloadTestSuite();
        m_app.reset();
        ::SetEnvironmentVariableA("QVX_FX_MANY_COUNT", nullptr);
    }

    void Open(const char* suite, const char* count = nullptr)
    {
        ::SetEnvironmentVariableA("QVX_FX_MANY_COUNT", count);
        m_app.reset(new CQuorvexApp);
        ASSERT_EQ(m_app->LoadTestSuite(CDravikString(FixturePath(suite).c_str())), 0);
        m_dialog.reset(new CQuorvexRunIndividualDialog);
        m_dialog->SetExecutor(m_app->GetExecutor());
        m_dialog->SetHelpOwner(&m_help);
        ASSERT_TRUE(m_dialog->Create(CQuorvexRunIndividualDialog::kTemplateId, nullptr));
        m_dialog->ShowWindow(SW_SHOW);
        qvx_test::PumpMessages();
    }

    CUnitTestExecutor* Executor() { return m_app->GetExecutor(); }
    bool RunEnabled() { return ::IsWindowEnabled(::GetDlgItem(m_dialog->m_hWnd, IDOK)) != FALSE; }
    std::vector<std::string> SelectedTests()
    {
        std::vector<std::string> names;
        for (CTestCaseExecutionContext* test = Executor()->FirstTest(); test; test = Executor()->NextTest())
            if (test->m_bSelected)
                names.push_back(test->m_name.GetAnsi());
        Executor()->EndTestIteration();
        return names;
    }
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        CRunIndividualDisplay& list = m_dialog->GetList();
        for (int i = 0; i < list.GetEntryCount(); ++i)
            rows.push_back(list.GetEntryAt(i)->GetText(0).GetAnsi());
        return rows;
    }

    std::unique_ptr<CQuorvexApp> m_app;
    std::unique_ptr<CQuorvexRunIndividualDialog> m_dialog;
    dialog_test::CHelpRecorder m_help;
};

TEST_F(RunIndividualDialogTest, ListsTheTestsByNameAndOkMarksExactlyTheSelectedOnes)
{
    Open("fx_pick.dll");
    CRunIndividualDisplay& list = m_dialog->GetList();
    EXPECT_EQ(list.GetDlgCtrlID(), 8888);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"alpha", "Beta", "step2", "Step9", "Step10"}));
    EXPECT_FALSE(RunEnabled());
    list.SendMessage(WM_QVX_LIST_SELECT_INDEX, 0, 1);
    EXPECT_TRUE(RunEnabled());
    list.SendMessage(WM_QVX_LIST_ADD_INDEX, 0, 3);
    EXPECT_EQ(list.GetSelectedCount(), 2);
    m_dialog->OnOK();
    EXPECT_EQ(SelectedTests(), (std::vector<std::string>{"Step9", "Beta"}));
    EXPECT_EQ(Executor()->CountSelectedTests(), 2);
    EXPECT_EQ(list.GetEntryCount(), 0) << "the list lets go of the tests";
}

struct CancelCase
{
    const char* name;
    int how; // 0 button, 1 Escape, 2 close box
};

TEST_F(RunIndividualDialogTest, CancelSelectsEveryTestAgain)
{
    const CancelCase cases[] = {{"button", 0}, {"Escape", 1}, {"close box", 2}};
    for (const CancelCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        Open("fx_pick.dll");
        Executor()->SelectAllTests(false);
        m_dialog->GetList().SendMessage(WM_QVX_LIST_SELECT_INDEX, 0, 2);
        if (c.how == 0)
            m_dialog->SendMessage(WM_COMMAND, IDCANCEL, 0);
        else if (c.how == 1)
        {
            MSG key = {m_dialog->GetList().m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1, 0, {0, 0}};
            if (!m_dialog->PreTranslateMessage(&key))
                ::DispatchMessageA(&key);
        }
        else
            m_dialog->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        qvx_test::PumpMessages();
        EXPECT_EQ(SelectedTests().size(), 5u);
        EXPECT_EQ(m_dialog->GetList().GetEntryCount(), 0);
        TearDown();
    }
}

TEST_F(RunIndividualDialogTest, HelpAndF1OpenTopic1007)
{
    Open("fx_pick.dll");
    m_dialog->SendMessage(WM_COMMAND, ID_HELP_COMMAND, 0);
    MSG key = {m_dialog->GetList().m_hWnd, WM_KEYDOWN, VK_F1, 1, 0, {0, 0}};
    if (!m_dialog->PreTranslateMessage(&key))
        ::DispatchMessageA(&key);
    qvx_test::PumpMessages();
    EXPECT_EQ(m_help.topics, (std::vector<UINT>{1007, 1007}));
}

TEST_F(RunIndividualDialogTest, GrowsUntilEveryRowFitsUpTo600Pixels)
{
    EXPECT_EQ(CQuorvexRunIndividualDialog::WantedListSize(40, 100, 18).cy, 600) << "(40 rows) capped";
    EXPECT_EQ(CQuorvexRunIndividualDialog::WantedListSize(20, 100, 18).cy, 20 + 5 + 20 * 18 + 1);
    EXPECT_EQ(CQuorvexRunIndividualDialog::WantedListSize(1, 900, 18).cx, 600);

    Open("fx_ordered.dll", "20");
    CRunIndividualDisplay& list = m_dialog->GetList();
    ASSERT_EQ(list.GetEntryCount(), 20);
    EXPECT_FALSE(list.IsVerticalBarEnabled()) << "20 tests show without a scroll bar";
    EXPECT_GE(list.VisibleRowCount(), 20);
    EXPECT_EQ(list.GetBottomIndex(), 19) << "the last row is drawn";
    TearDown();

    Open("fx_ordered.dll", "40");
    RECT client;
    m_dialog->GetList().GetClientRect(&client);
    EXPECT_EQ(client.bottom - client.top, 600);
    EXPECT_TRUE(m_dialog->GetList().IsVerticalBarEnabled());
}

// The list is where the keys go first: it has the focus when the dialog opens and comes first in the tab
// order, before "&Run" (while it is enabled), "Cancel" and "&Help".
TEST_F(RunIndividualDialogTest, OpensWithTheListFocusedAndFirstInTheTabOrder)
{
    Open("fx_pick.dll");
    HWND dialog = m_dialog->m_hWnd;
    HWND list = m_dialog->GetList().m_hWnd;
    HWND run = ::GetDlgItem(dialog, IDOK), cancel = ::GetDlgItem(dialog, IDCANCEL),
         help = ::GetDlgItem(dialog, ID_HELP_COMMAND);
    EXPECT_EQ(::GetFocus(), list);
    EXPECT_EQ(::GetNextDlgTabItem(dialog, nullptr, FALSE), list) << "first in the tab order";
    const auto order = [&] {
        std::vector<HWND> seen;
        HWND item = list;
        for (int i = 0; i < 4; ++i)
            seen.push_back(item = ::GetNextDlgTabItem(dialog, item, FALSE));
        return seen;
    };
    EXPECT_EQ(order(), (std::vector<HWND>{cancel, help, list, cancel})) << "\"&Run\" is disabled";
    m_dialog->GetList().SendMessage(WM_QVX_LIST_SELECT_INDEX, 0, 1);
    EXPECT_EQ(order(), (std::vector<HWND>{run, cancel, help, list}));
    EXPECT_EQ(::GetNextDlgTabItem(dialog, list, TRUE), help) << "Shift+Tab from the list";

    // Tab through the dialog's key filter walks the same way.
    MSG tab = {list, WM_KEYDOWN, VK_TAB, 1, 0, {0, 0}};
    EXPECT_TRUE(m_dialog->PreTranslateMessage(&tab));
    EXPECT_EQ(::GetFocus(), run);
}

// "&Run" and "&Help" keep their access keys: Alt+R from the list runs the selected tests; a plain R goes to
// the list (it takes characters), from a button it presses "&Run"; a plain H from a button opens help.
TEST_F(RunIndividualDialogTest, AccessKeysRunAndOpenHelp)
{
    const auto key = [&](HWND target, UINT message, WPARAM ch) {
        MSG msg = {target, message, ch, 1, 0, {0, 0}};
        if (!m_dialog->PreTranslateMessage(&msg))
            ::DispatchMessageA(&msg);
        qvx_test::PumpMessages();
    };
    Open("fx_pick.dll");
    CRunIndividualDisplay& list = m_dialog->GetList();
    list.SendMessage(WM_QVX_LIST_SELECT_INDEX, 0, 3);
    key(list.m_hWnd, WM_CHAR, 'r');
    EXPECT_EQ(list.GetEntryCount(), 5) << "a plain R in the list runs nothing";
    HWND cancel = ::GetDlgItem(m_dialog->m_hWnd, IDCANCEL);
    ::SetFocus(cancel);
    key(cancel, WM_CHAR, 'h');
    EXPECT_EQ(m_help.topics, (std::vector<UINT>{1007}));
    EXPECT_EQ(list.GetEntryCount(), 5);
    ::SetFocus(list.m_hWnd);
    key(list.m_hWnd, WM_SYSCHAR, 'r');
    EXPECT_EQ(list.GetEntryCount(), 0) << "Alt+R ran the selection";
    EXPECT_EQ(SelectedTests(), (std::vector<std::string>{"Step9"}));
    TearDown();

    Open("fx_pick.dll");
    m_dialog->GetList().SendMessage(WM_QVX_LIST_SELECT_INDEX, 0, 0);
    cancel = ::GetDlgItem(m_dialog->m_hWnd, IDCANCEL);
    ::SetFocus(cancel);
    key(cancel, WM_CHAR, 'R');
    EXPECT_EQ(SelectedTests(), (std::vector<std::string>{"alpha"})) << "R on a button presses \"&Run\"";
}

// The real modal loop: once the dialog shows, the focus is on the list; a row is picked and Alt+R pressed
// (the key-down as the system posts it, the character made by the loop); the dialog ends with IDOK and
// exactly that test is selected. A timer ends the dialog with IDCANCEL when the key does nothing.
class CModalRunIndividualProbe : public CQuorvexRunIndividualDialog
{
public:
    static constexpr UINT_PTR kPressTimer = 71;
    static constexpr UINT_PTR kGiveUpTimer = 72;
    BOOL OnInitDialog() override
    {
        const BOOL result = CQuorvexRunIndividualDialog::OnInitDialog();
        SetTimer(kPressTimer, 200, nullptr);
        SetTimer(kGiveUpTimer, 8000, nullptr);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == kPressTimer)
        {
            KillTimer(kPressTimer);
            shown = IsWindowVisible() != FALSE;
            focusAfterShow = ::GetFocus();
            listWindow = GetList().m_hWnd;
            GetList().SendMessage(WM_QVX_LIST_SELECT_INDEX, 0, 1);
            const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA('R', 0)) << 16;
            ::PostMessageA(::GetFocus(), WM_SYSKEYDOWN, 'R', 1 | scan | (1 << 29));
            return 0;
        }
        if (message == WM_TIMER && wParam == kGiveUpTimer)
        {
            KillTimer(kGiveUpTimer);
            EndDialog(IDCANCEL);
            return 0;
        }
        return CQuorvexRunIndividualDialog::WindowProc(message, wParam, lParam);
    }
    bool shown = false;
    HWND focusAfterShow = nullptr;
    HWND listWindow = nullptr;
};

TEST_F(RunIndividualDialogTest, InTheModalLoopTheListHasTheFocusAndAltRRuns)
{
    m_app.reset(new CQuorvexApp);
    ASSERT_EQ(m_app->LoadTestSuite(CDravikString(FixturePath("fx_pick.dll").c_str())), 0);
    CModalRunIndividualProbe probe;
    probe.SetExecutor(Executor());
    probe.SetHelpOwner(&m_help);
    EXPECT_EQ(probe.DoModal(), IDOK);
    EXPECT_TRUE(probe.shown);
    EXPECT_NE(probe.listWindow, nullptr);
    EXPECT_EQ(probe.focusAfterShow, probe.listWindow);
    EXPECT_EQ(SelectedTests(), (std::vector<std::string>{"Beta"}));
}

TEST_F(RunIndividualDialogTest, WithoutAnExecutorTheListStaysEmpty)
{
    m_dialog.reset(new CQuorvexRunIndividualDialog);
    ASSERT_TRUE(m_dialog->Create(CQuorvexRunIndividualDialog::kTemplateId, nullptr));
    EXPECT_EQ(m_dialog->GetList().GetEntryCount(), 0);
    RECT before, after;
    m_dialog->GetWindowRect(&before);
    m_dialog->GrowToFitTests();
    m_dialog->GetWindowRect(&after);
    EXPECT_TRUE(::EqualRect(&before, &after));
    m_dialog->SendMessage(WM_COMMAND, ID_HELP_COMMAND, 0);
    EXPECT_TRUE(m_help.topics.empty());
}
} // namespace
