// The main dialog driven end to end: its start state and command states, the 12-pixel layout at the minimum
// size and after growing, loading suites (and the messages of failed loads), running all tests on the
// worker thread with the fields, progress colour and elapsed-time timer following, export, and the last
// browse folder in the configuration file.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/CmdUI.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "ui/UiResourceIds.h"
#include "tests/ui/DialogTestSupport.h"
#include "tests/ui/MainDialogTestSupport.h"
#include "foundation/PathUtilities.h"
#include "foundation/TimeUtilities.h"
#include "engine/app/QuorvexApp.h"
#include "engine/UnitTestCommandLineLogManager.h"
#include "ui/QuorvexDialogApp.h"
#include "ui/QuorvexDlg.h"
#include "ui/UnitTestElapsedTimeTimer.h"
#include "ui/UnitTestUILogManager.h"
#include "tests/common/TestText.h"

using dialog_test::FixturePath;
using dialog_test::PumpMessages;
using dialog_test::PumpUntil;
using dialog_test::Text;

namespace
{

// Records whether an update handler enabled the command.
class CEnableProbe : public CCmdUI
{
public:
    void Enable(BOOL on) override
    {
        enabled = on != FALSE;
        CCmdUI::Enable(on);
    }
    bool enabled = false;
};

bool IsEnabled(CQuorvexDlg& dialog, UINT command)
{
    CEnableProbe probe;
    probe.m_nID = command;
    probe.DoUpdate(&dialog, FALSE);
    return probe.enabled;
}

using MainDialogTest = dialog_test::CMainDialogFixture;

TEST_F(MainDialogTest, StartsWithNoSuiteAndOnlyLoadAboutAndHelpEnabled)
{
    EXPECT_EQ(Text(*m_dialog, IDC_SUITE_NAME), "<< No Test Suite Loaded >>");
    EXPECT_EQ(Text(*m_dialog, IDC_CURRENT_TEST), "Not Running");
    EXPECT_EQ(Text(*m_dialog, IDC_CURRENT_STATUS), "Errors: 0  Warnings: 0");
    EXPECT_EQ(Text(*m_dialog, IDC_ELAPSED_TIME), "");
    EXPECT_TRUE(IsEnabled(*m_dialog, ID_LOAD_TEST_SUITE));
    EXPECT_TRUE(IsEnabled(*m_dialog, ID_ABOUT));
    EXPECT_FALSE(IsEnabled(*m_dialog, ID_RUN_ALL));
    EXPECT_FALSE(IsEnabled(*m_dialog, ID_RUN_INDIVIDUAL));
    EXPECT_FALSE(IsEnabled(*m_dialog, ID_CANCEL_RUN));
    EXPECT_FALSE(IsEnabled(*m_dialog, ID_EXPORT_RESULTS));
    // The program's icon is the dialog's big and small icon.
    EXPECT_NE(m_dialog->SendMessage(WM_GETICON, ICON_BIG), 0);
    EXPECT_NE(m_dialog->SendMessage(WM_GETICON, ICON_SMALL), 0);
    // The results tree replaced the template's tree control under the same id.
    EXPECT_EQ(::GetDlgItem(m_dialog->m_hWnd, IDC_RESULTS_TREE), m_dialog->GetTree().m_hWnd);

    // The disabled Run All command is not carried out; a run started without tests says so and starts
    // nothing.
    m_dialog->SendMessage(WM_COMMAND, ID_RUN_ALL, 0);
    EXPECT_TRUE(m_dialog->messages.empty());
    EXPECT_FALSE(m_dialog->StartRun());
    ASSERT_EQ(m_dialog->messages.size(), 1u);
    EXPECT_EQ(m_dialog->messages[0].text, "There are no tests selected to run.");
    EXPECT_EQ(m_dialog->messages[0].caption, "Deva Vozi Vozadod");
    EXPECT_EQ(m_dialog->messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_FALSE(m_dialog->GetTimer()->IsArmed());
}

RECT Rect(CWnd& dialog, int id)
{
    RECT rect;
    ::GetWindowRect(::GetDlgItem(dialog.m_hWnd, id), &rect);
    ::MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectMainLayout(CQuorvexDlg& dialog, const char* when)
{
    SCOPED_TRACE(when);
    RECT client;
    dialog.GetClientRect(&client);
    // The free area starts below the tool bar.
    int freeTop = 0;
    CXTPToolBar* toolBar = dialog.GetToolBar();
    EXPECT_NE(toolBar, nullptr) << "the dialog has its tool bar";
    if (toolBar)
    {
        HWND bar = toolBar->GetSafeHwnd();
        RECT barRect;
        ::GetWindowRect(bar, &barRect);
        ::MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&barRect), 2);
        freeTop = barRect.bottom;
    }
    const RECT suiteLabel = Rect(dialog, IDC_SUITE_NAME_LABEL), suite = Rect(dialog, IDC_SUITE_NAME);
    EXPECT_EQ(suiteLabel.left, 12);
    EXPECT_EQ(suiteLabel.top, freeTop + 12);
    EXPECT_EQ(suite.left, (suiteLabel.right - suiteLabel.left) + 24);
    EXPECT_EQ(suite.right, client.right - 12);
    const RECT progressLabel = Rect(dialog, IDC_PROGRESS_LABEL),
               progress = Rect(dialog, IDC_PROGRESS_INDICATOR);
    EXPECT_EQ(progressLabel.left, 12);
    EXPECT_EQ(progressLabel.top, suite.bottom + 12);
    EXPECT_EQ(progress.left, 12);
    EXPECT_EQ(progress.top, progressLabel.bottom + 12);
    EXPECT_EQ(progress.right, client.right - 12);
    int previousBottom = progress.bottom;
    int fieldLeft = -1;
    const int rows[3][2] = {{IDC_CURRENT_TEST_LABEL, IDC_CURRENT_TEST},
                            {IDC_CURRENT_STATUS_LABEL, IDC_CURRENT_STATUS},
                            {IDC_ELAPSED_TIME_LABEL, IDC_ELAPSED_TIME}};
    for (const auto& row : rows)
    {
        const RECT label = Rect(dialog, row[0]), field = Rect(dialog, row[1]);
        EXPECT_EQ(label.left, 12);
        EXPECT_EQ(label.top, previousBottom + 12);
        EXPECT_EQ(field.top, label.top);
        EXPECT_EQ(field.right, client.right - 12);
        if (fieldLeft < 0)
            fieldLeft = field.left;
        EXPECT_EQ(field.left, fieldLeft) << "the three fields share one column";
        previousBottom = field.bottom;
    }
    const RECT tree = Rect(dialog, IDC_RESULTS_TREE);
    EXPECT_EQ(tree.left, 12);
    EXPECT_EQ(tree.top, previousBottom + 12);
    EXPECT_EQ(tree.right, client.right - 12);
    EXPECT_EQ(tree.bottom, client.bottom - 12);
}

TEST_F(MainDialogTest, LayoutKeeps12PixelMarginsAtTheMinimumSizeAndAfterGrowing)
{
    RECT start;
    m_dialog->GetWindowRect(&start);
    EXPECT_EQ(m_dialog->GetMinTrackSize()->cx, static_cast<int>(start.right - start.left - 1))
        << "the minimum is the template size (initialisation widens the window by one pixel afterwards)";
    // Down to the minimum, then grown by the grip.
    m_dialog->PostMessage(WM_QVX_GRIP_DRAG, static_cast<WPARAM>(-50), -50);
    PumpMessages();
    ExpectMainLayout(*m_dialog, "minimum size");
    m_dialog->PostMessage(WM_QVX_GRIP_DRAG, 180, 120);
    PumpMessages();
    ExpectMainLayout(*m_dialog, "grown");
}

TEST_F(MainDialogTest, FailedLoadsShowTheirMessageWithThePath)
{
    struct Case
    {
        std::string path;
        std::string message;
    };
    const std::string missing = FixturePath("no_such_suite.dll");
    const Case cases[] = {
        {missing, "The test suite DLL '" + missing + "' does not exist."},
    };
    for (const Case& c : cases)
    {
        m_dialog->messages.clear();
        EXPECT_NE(m_dialog->LoadChosenSuite(CDravikString(c.path.c_str())), 0);
        ASSERT_EQ(m_dialog->messages.size(), 1u) << c.path;
        EXPECT_EQ(m_dialog->messages[0].text, c.message);
        EXPECT_EQ(m_dialog->messages[0].caption, "Deva Vozi Vozadod");
        EXPECT_EQ(m_dialog->messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
        EXPECT_EQ(Text(*m_dialog, IDC_SUITE_NAME), "<< No Test Suite Loaded >>")
            << "the suite field keeps its text";
    }
}

TEST_F(MainDialogTest, RunAllFillsTheTreeAndTheFieldsAndExportsTheResults)
{
    ASSERT_EQ(m_dialog->LoadChosenSuite(CDravikString(FixturePath("fx_pass.dll").c_str())), 0)
        << (m_dialog->messages.empty() ? "" : m_dialog->messages[0].text);
    EXPECT_EQ(Text(*m_dialog, IDC_SUITE_NAME), "Fixture Pass");
    EXPECT_EQ(Text(*m_dialog, IDC_CURRENT_TEST), "Not Running");
    EXPECT_TRUE(IsEnabled(*m_dialog, ID_RUN_ALL));
    EXPECT_FALSE(IsEnabled(*m_dialog, ID_EXPORT_RESULTS)) << "nothing to export before a run";

    RunAllToTheEnd();
    const long selected = Executor()->CountSelectedTests();
    EXPECT_EQ(selected, 3);
    CQuorvexgressIndicator& progress = m_dialog->GetProgressIndicator();
    EXPECT_EQ(progress.m_maximum, selected);
    EXPECT_EQ(progress.GetPos(), selected);
    CUnitTestLogDisplay& tree = m_dialog->GetTree();
    EXPECT_GT(tree.GetMessageCount(), 0);
    EXPECT_EQ(tree.GetErrorCount(), 0);
    EXPECT_EQ(progress.GetColor(),
              tree.GetWarningCount() > 0 ? CQuorvexDlg::kWarningColour : CQuorvexDlg::kPassColour);
    char status[64];
    sprintf(status, "Errors: %ld  Warnings: %ld", tree.GetErrorCount(), tree.GetWarningCount());
    EXPECT_EQ(Text(*m_dialog, IDC_CURRENT_STATUS), status);
    EXPECT_FALSE(Text(*m_dialog, IDC_ELAPSED_TIME).empty()) << "the field keeps the run's last elapsed time";
    EXPECT_EQ(Text(*m_dialog, IDC_ELAPSED_TIME),
              FormatElapsedTime(m_dialog->GetRunStartTime(), m_dialog->GetRunEndTime()).GetAnsi())
        << "the run's whole time";
    EXPECT_FALSE(m_dialog->GetTimer()->IsArmed()) << "the end of the run disarms the timer";
    EXPECT_GE(m_dialog->GetRunEndTime(), m_dialog->GetRunStartTime());
    EXPECT_TRUE(IsEnabled(*m_dialog, ID_EXPORT_RESULTS));

    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string exported = std::string(temp) + "qvx-main-export.txt";
    ::DeleteFileA(exported.c_str());
    m_dialog->messages.clear();
    EXPECT_TRUE(m_dialog->ExportTo(CDravikString(exported.c_str())));
    ASSERT_EQ(m_dialog->messages.size(), 1u);
    EXPECT_EQ(m_dialog->messages[0].text, "The results were successfully exported to '" + exported + "'.");
    EXPECT_EQ(m_dialog->messages[0].caption, "Deva Vozi Vozadod");
    EXPECT_EQ(m_dialog->messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_NE(::GetFileAttributesA(exported.c_str()), INVALID_FILE_ATTRIBUTES);
    ::DeleteFileA(exported.c_str());

    // A file in the place of the folder: the file cannot be made, and the failure is reported with the path.
    const std::string blocker = std::string(temp) + "qvx-main-blocker";
    if (FILE* file = fopen(blocker.c_str(), "wb"))
        fclose(file);
    m_dialog->messages.clear();
    const std::string impossible = blocker + "\\out.txt";
    EXPECT_FALSE(m_dialog->ExportTo(CDravikString(impossible.c_str())));
    ASSERT_EQ(m_dialog->messages.size(), 1u);
    EXPECT_EQ(m_dialog->messages[0].text, "An error occurred exporting the results to '" + impossible + "'.");
    ::DeleteFileA(blocker.c_str());
}

TEST_F(MainDialogTest, AnErrorTurnsTheProgressRedAndTheNextLoadShowsNothingOfThatRun)
{
    ASSERT_EQ(m_dialog->LoadChosenSuite(CDravikString(FixturePath("fx_error.dll").c_str())), 0);
    RunAllToTheEnd();
    EXPECT_GT(m_dialog->GetTree().GetErrorCount(), 0);
    EXPECT_EQ(m_dialog->GetProgressIndicator().GetColor(), CQuorvexDlg::kErrorColour);
    char status[64];
    sprintf(status, "Errors: %ld  Warnings: %ld", m_dialog->GetTree().GetErrorCount(),
            m_dialog->GetTree().GetWarningCount());
    EXPECT_EQ(Text(*m_dialog, IDC_CURRENT_STATUS), status);
    ASSERT_FALSE(Text(*m_dialog, IDC_ELAPSED_TIME).empty());

    // The new suite has not run: empty tree, no counts, no elapsed time, an empty bar in the pass colour.
    ASSERT_EQ(m_dialog->LoadChosenSuite(CDravikString(FixturePath("fx_pass.dll").c_str())), 0);
    EXPECT_EQ(m_dialog->GetTree().GetCount(), 0u);
    EXPECT_EQ(Text(*m_dialog, IDC_CURRENT_STATUS), "Errors: 0  Warnings: 0");
    EXPECT_EQ(Text(*m_dialog, IDC_ELAPSED_TIME), "");
    EXPECT_EQ(Text(*m_dialog, IDC_CURRENT_TEST), "Not Running");
    EXPECT_EQ(m_dialog->GetProgressIndicator().GetColor(), CQuorvexDlg::kPassColour);
    EXPECT_EQ(m_dialog->GetProgressIndicator().GetPos(), 0);
    // A tick that comes late leaves the field empty.
    m_dialog->SendMessage(WM_QVX_ELAPSED_TIME_TICK, 0, 0);
    EXPECT_EQ(Text(*m_dialog, IDC_ELAPSED_TIME), "");
}

// The worker posts the run's end; a timer tick posted before it may be handled after the run has ended.
// Whatever the order, the field ends with the run's total, the text the export writes as its run time.
TEST_F(MainDialogTest, TheElapsedTimeAfterARunIsTheRunsTotalWhateverTheTickOrder)
{
    ASSERT_EQ(m_dialog->LoadChosenSuite(CDravikString(FixturePath("fx_pass.dll").c_str())), 0);
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string exported = std::string(temp) + "qvx-main-runtime.txt";
    long long previousStart = 0;
    for (int run = 1; run <= 5; ++run)
    {
        SCOPED_TRACE(run);
        m_dialog->SendMessage(WM_COMMAND, ID_RUN_ALL, 0);
        EXPECT_GT(m_dialog->GetRunStartTime(), previousStart) << "each run restarts the time";
        previousStart = m_dialog->GetRunStartTime();
        // The run ends while this thread answers nothing; a tick is then handled before the run's end.
        const DWORD start = ::GetTickCount();
        while (Executor()->IsRunInProgress() && ::GetTickCount() - start < 20000)
            ::Sleep(1);
        ASSERT_FALSE(Executor()->IsRunInProgress());
        m_dialog->SendMessage(WM_QVX_ELAPSED_TIME_TICK, 0, 0);
        EXPECT_FALSE(Text(*m_dialog, IDC_ELAPSED_TIME).empty());
        ASSERT_TRUE(PumpUntil([&] { return Text(*m_dialog, IDC_CURRENT_TEST) == "All Tests Completed"; }));
        PumpMessages();
        CDravikString total = FormatElapsedTime(m_dialog->GetRunStartTime(), m_dialog->GetRunEndTime());
        EXPECT_EQ(Text(*m_dialog, IDC_ELAPSED_TIME), total.GetAnsi());
        // A tick after the end changes nothing.
        m_dialog->PostMessage(WM_QVX_ELAPSED_TIME_TICK, 0, 0);
        PumpMessages();
        EXPECT_EQ(Text(*m_dialog, IDC_ELAPSED_TIME), total.GetAnsi());
        if (run == 5)
        {
            ASSERT_TRUE(m_dialog->ExportTo(CDravikString(exported.c_str())));
            const std::string written = qvx_test::ReadFileBytes(exported);
            EXPECT_NE(written.find(std::string("Total Run Time: ") + total.GetAnsi() + "\r\n"), std::string::npos)
                << written;
            ::DeleteFileA(exported.c_str());
        }
    }
}

// The executor's worker thread cannot be started.
class CRefusingExecutor : public CQuorvexExecutor
{
public:
    bool Start() override { return false; }
};

TEST_F(MainDialogTest, ARunWhoseWorkerCannotStartLeavesTheTimerDisarmed)
{
    m_app->SetExecutor(new CRefusingExecutor);
    ASSERT_EQ(m_dialog->LoadChosenSuite(CDravikString(FixturePath("fx_pass.dll").c_str())), 0);

    m_dialog->SendMessage(WM_COMMAND, ID_RUN_ALL, 0);
    EXPECT_FALSE(m_dialog->GetTimer()->IsArmed());
    EXPECT_FALSE(Executor()->IsRunInProgress());
    EXPECT_FALSE(m_dialog->StartRun());
    EXPECT_FALSE(m_dialog->GetTimer()->IsArmed());
    dialog_test::PumpFor(700);
    EXPECT_EQ(Text(*m_dialog, IDC_ELAPSED_TIME), "") << "no run, no elapsed time";
    EXPECT_EQ(Text(*m_dialog, IDC_CURRENT_TEST), "Not Running");
    EXPECT_TRUE(IsEnabled(*m_dialog, ID_RUN_ALL));
}

TEST_F(MainDialogTest, CancelStopsTheRunAndLogsProcessingCancelledOnce)
{
    ASSERT_EQ(m_dialog->LoadChosenSuite(CDravikString(FixturePath("fx_many.dll").c_str())), 0);
    const long selected = 10000;
    m_dialog->SendMessage(WM_COMMAND, ID_RUN_ALL, 0);
    // While the run goes: the current test counts up, the timer is armed and the elapsed time is shown.
    ASSERT_TRUE(PumpUntil([&] { return Text(*m_dialog, IDC_CURRENT_TEST).compare(0, 1, "(") == 0; }));
    EXPECT_NE(Text(*m_dialog, IDC_CURRENT_TEST).find(" of 10000) Empty"), std::string::npos)
        << Text(*m_dialog, IDC_CURRENT_TEST);
    EXPECT_TRUE(m_dialog->GetTimer()->IsArmed());
    ASSERT_TRUE(PumpUntil([&] { return !Text(*m_dialog, IDC_ELAPSED_TIME).empty(); }));
    EXPECT_TRUE(IsEnabled(*m_dialog, ID_CANCEL_RUN));
    EXPECT_FALSE(IsEnabled(*m_dialog, ID_RUN_ALL));
    EXPECT_FALSE(IsEnabled(*m_dialog, ID_LOAD_TEST_SUITE));
    EXPECT_FALSE(IsEnabled(*m_dialog, ID_ABOUT));

    m_dialog->SendMessage(WM_COMMAND, ID_CANCEL_RUN, 0);
    EXPECT_FALSE(m_dialog->GetTimer()->IsArmed());
    ASSERT_TRUE(PumpUntil([&] { return !Executor()->IsRunInProgress(); }, 30000));
    dialog_test::PumpFor(300);
    CUnitTestLogDisplay& tree = m_dialog->GetTree();
    EXPECT_EQ(tree.GetErrorCount(), 1) << "\"Processing Cancelled\" is logged once";
    EXPECT_LT(m_dialog->GetProgressIndicator().GetPos(), selected + 1);
    EXPECT_EQ(m_dialog->GetProgressIndicator().GetColor(), CQuorvexDlg::kErrorColour);
    EXPECT_TRUE(IsEnabled(*m_dialog, ID_RUN_ALL));
}

TEST_F(MainDialogTest, LoadCommandRemembersTheSuiteFolderAndACancelledBrowseChangesNothing)
{
    CDravikString value;
    EXPECT_FALSE(m_dialog->ReadLastBrowsePath(value));
    {
        dialog_test::CFileDialogDriver driver("", IDCANCEL);
        m_dialog->SendMessage(WM_COMMAND, ID_LOAD_TEST_SUITE, 0);
        ASSERT_TRUE(driver.Found());
    }
    // The first load ever stores the module folder before the browser opens; the cancel changes nothing more.
    ASSERT_TRUE(m_dialog->ReadLastBrowsePath(value));
    CDravikString moduleFolder = GetModuleFolder();
    EXPECT_STREQ(value.GetAnsi(), moduleFolder.GetAnsi());
    EXPECT_EQ(Text(*m_dialog, IDC_SUITE_NAME), "<< No Test Suite Loaded >>");

    const std::string suite = FixturePath("fx_pass.dll");
    {
        dialog_test::CFileDialogDriver driver(suite.c_str(), IDOK);
        m_dialog->SendMessage(WM_COMMAND, ID_LOAD_TEST_SUITE, 0);
        ASSERT_TRUE(driver.Found());
    }
    EXPECT_EQ(Text(*m_dialog, IDC_SUITE_NAME), "Fixture Pass");
    ASSERT_TRUE(m_dialog->ReadLastBrowsePath(value));
    EXPECT_EQ(_stricmp(value.GetAnsi(), FixturePath("").c_str()), 0) << value.GetAnsi();
}

// The first load ever with a suite held (the one the command line named): the browser starts in that
// suite's folder, which is remembered, however the command line wrote its name.
TEST_F(MainDialogTest, TheFirstLoadBrowsesFromTheFolderOfTheSuiteHeld)
{
    const std::string folder = FixturePath("");
    ASSERT_NE(_stricmp(folder.c_str(), GetModuleFolder().GetAnsi()), 0) << "the fixtures lie elsewhere";
    ASSERT_EQ(m_app->LoadTestSuite(CDravikString(FixturePath("fx_pass.dll").c_str())), 0);
    {
        dialog_test::CFileDialogDriver driver("", IDCANCEL);
        m_dialog->SendMessage(WM_COMMAND, ID_LOAD_TEST_SUITE, 0);
        ASSERT_TRUE(driver.Found());
        EXPECT_EQ(_stricmp(driver.Folder().c_str(), folder.c_str()), 0) << driver.Folder();
    }
    CDravikString value;
    ASSERT_TRUE(m_dialog->ReadLastBrowsePath(value));
    EXPECT_EQ(_stricmp(value.GetAnsi(), folder.c_str()), 0) << value.GetAnsi();

    // A remembered folder comes first, the suite held notwithstanding.
    ASSERT_TRUE(m_dialog->WriteLastBrowsePath(GetModuleFolder()));
    {
        dialog_test::CFileDialogDriver driver("", IDCANCEL);
        m_dialog->SendMessage(WM_COMMAND, ID_LOAD_TEST_SUITE, 0);
        ASSERT_TRUE(driver.Found());
        EXPECT_EQ(_stricmp(driver.Folder().c_str(), GetModuleFolder().GetAnsi()), 0) << driver.Folder();
    }
}
} // namespace

TEST_F(MainDialogTest, EnterDoesNothingAndClosingDuringARunWaitsForTheWorkerAndDetaches)
{
    ASSERT_EQ(m_dialog->LoadChosenSuite(CDravikString(FixturePath("fx_many.dll").c_str())), 0);
    m_dialog->SendMessage(WM_COMMAND, ID_RUN_ALL, 0);
    ASSERT_TRUE(PumpUntil([&] { return Text(*m_dialog, IDC_CURRENT_TEST).compare(0, 1, "(") == 0; }));
    ASSERT_TRUE(Executor()->IsRunInProgress());

    // Enter reaching the default button: no cancel, no close.
    m_dialog->SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Executor()->IsKeepRunning());
    EXPECT_EQ(m_app->GetRunObserver(), &m_dialog->GetRunObserver());

    // Escape / the close box: the run is cancelled and waited for before the dialog lets go of the tree.
    m_dialog->SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(Executor()->IsRunInProgress());
    auto* sink = dynamic_cast<CUnitTestUILogManager*>(m_app->GetLogManager());
    ASSERT_NE(sink, nullptr);
    EXPECT_EQ(sink->GetTree(), nullptr);
    EXPECT_EQ(m_app->GetRunObserver(), nullptr);
    EXPECT_FALSE(m_dialog->GetRunObserver().IsAttached());
}

// A run of many quick tests while the dialog answers nothing: each test's start and end wait in the
// dialog's queue at most once (the system limits a queue's length), and the dialog still ends with the
// run's final state.
TEST_F(MainDialogTest, ManyQuickTestsLeaveAtMostOneWaitingNotificationOfEachKind)
{
    ::SetEnvironmentVariableA("QVX_FX_EMPTY_SLEEP", nullptr);
    ASSERT_EQ(m_dialog->LoadChosenSuite(CDravikString(FixturePath("fx_many.dll").c_str())), 0);
    m_dialog->SendMessage(WM_COMMAND, ID_RUN_ALL, 0);
    // The worker never needs this thread: the run ends while nothing is answered.
    const DWORD start = ::GetTickCount();
    while (Executor()->IsRunInProgress() && ::GetTickCount() - start < 60000)
        ::Sleep(10);
    ASSERT_FALSE(Executor()->IsRunInProgress());
    long started = 0, finished = 0, runEnds = 0;
    MSG message;
    while (::PeekMessageA(&message, m_dialog->m_hWnd, WM_QVX_TEST_STARTED, WM_QVX_TEST_FINISHED, PM_REMOVE))
    {
        if (message.message == WM_QVX_TEST_STARTED)
            ++started;
        else if (message.wParam == CQuorvexDlg::kRunEndedNotification)
            ++runEnds;
        else
            ++finished;
        ::DispatchMessageA(&message);
    }
    EXPECT_LE(started, 1);
    EXPECT_LE(finished, 1);
    EXPECT_EQ(runEnds, 1);
    PumpMessages();
    EXPECT_EQ(Text(*m_dialog, IDC_CURRENT_TEST), "All Tests Completed");
    EXPECT_EQ(m_dialog->GetProgressIndicator().GetPos(), 10000);
    EXPECT_EQ(m_dialog->GetTree().CountTests(), 10000);
}

// The main dialog reaches the results tree's sink through the application: it gets the sink while that is
// the application's sink, and nothing once another sink replaced (and destroyed) it.
TEST(DialogAppTest, HandsOutTheResultsSinkOnlyWhileItIsTheApplicationsSink)
{
    CQuorvexDialogApp app;
    EXPECT_EQ(app.GetUILogManager(), nullptr);

    auto* first = new CUnitTestUILogManager;
    app.SetUILogManager(first);
    EXPECT_EQ(app.GetUILogManager(), first);
    EXPECT_EQ(app.GetLogManager(), first);
    EXPECT_EQ(first->GetApp(), static_cast<CUnitTestHost*>(&app));

    auto* second = new CUnitTestUILogManager;
    app.SetUILogManager(second);
    EXPECT_EQ(app.GetUILogManager(), second);

    app.SetLogManager(new CUnitTestCommandLineLogManager);
    EXPECT_EQ(app.GetUILogManager(), nullptr);
    app.SetLogManager(nullptr);
    EXPECT_EQ(app.GetUILogManager(), nullptr);
}
