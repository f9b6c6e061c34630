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
