// The main dialog of the real program without a run: its state with no suite, loading through the Open
// dialog (and the folder it remembers in the configuration file), the message of every failed load, the
// about box, and closing the dialog while a run is going.
#include "tests/e2e/E2eConfigBackup.h"
#include "tests/e2e/E2eTestSupport.h"
#include "tests/e2e/E2eToolbarPixels.h"

#include <commctrl.h>

#include <algorithm>
#include <fstream>

using namespace qvx_e2e;

namespace
{
bool SameFolder(const std::string& a, const std::string& b)
{
    return _stricmp(a.c_str(), b.c_str()) == 0;
}

std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.find_last_of('\\') + 1);
}

struct StartCase
{
    const char* name;
    std::string argument;
};

void PrintTo(const StartCase& c, std::ostream* out)
{
    *out << c.name;
}

class StartE2eTest : public CHarnessTest, public ::testing::WithParamInterface<StartCase>
{
};

// Without a suite (none named, or one that cannot be loaded) only Load, About and Help can be used.
TEST_P(StartE2eTest, ShowsNoSuiteAndIgnoresRunAll)
{
    Launch(GetParam().argument);
    EXPECT_EQ(Field(kSuiteNameField), kNoSuiteText);
    EXPECT_EQ(Field(kCurrentTestField), "Not Running");
    EXPECT_EQ(Field(kStatusField), "Errors: 0  Warnings: 0");
    EXPECT_EQ(Field(kElapsedTimeField), "");
    EXPECT_EQ(WaitForMessageBox(ProcessId(), 0), nullptr) << "a failed start-up load shows no message";

    // The tool bar's buttons follow the commands' states: each button's icon shows in the normal or the
    // disabled picture of its state.
    CToolbarPixels pixels;
    ASSERT_TRUE(pixels.Load(CHarnessProcess::ProgramPath()));
    HWND toolbar = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (toolbar = CToolbarPixels::FindToolBar(Main())) != nullptr; }, 5000));
    // The mouse away from the bar, so that no button is hot.
    ::SetCursorPos(0, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    const struct
    {
        int command;
        ButtonLook look;
    } states[] = {{kCommandLoad, ButtonLook::Normal},
                  {kCommandRunAll, ButtonLook::Disabled},
                  {kCommandCancel, ButtonLook::Disabled},
                  {kCommandExport, ButtonLook::Disabled},
                  {kCommandAbout, ButtonLook::Normal}};
    for (const auto& state : states)
    {
        ButtonLook seen = ButtonLook::Missing;
        EXPECT_TRUE(WaitUntil([&] { return (seen = pixels.Look(toolbar, state.command)) == state.look; }, 5000))
            << "command " << state.command << " should look " << DescribeLook(state.look) << ", looks "
            << DescribeLook(seen);
    }

    // The progress indicator draws no bar: inside its frame there is only the background.
    EXPECT_TRUE(WaitForProgressColour(0.5, ::GetSysColor(COLOR_BTNFACE), 6));

    // A Run All that reaches the dialog anyway does nothing: no message, no run.
    PostCommand(Main(), kCommandRunAll);
    ASSERT_TRUE(DrainCommandsThroughAbout());
    EXPECT_EQ(WaitForMessageBox(ProcessId(), 0), nullptr) << "Run All without a suite showed a message";
    EXPECT_EQ(Field(kCurrentTestField), "Not Running");
    EXPECT_EQ(Field(kSuiteNameField), kNoSuiteText);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, StartE2eTest,
    ::testing::Values(StartCase{"NoArgument", ""},
                      StartCase{"MissingSuite", CHarnessProcess::FixturePath("no_such_suite.dll")}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

class LoadE2eTest : public CHarnessTest
{
protected:
    CConfigBackup m_config; // only these tests use the program's configuration file
};

TEST_F(LoadE2eTest, TheOpenDialogLoadsTheSuiteAndTheFolderIsRememberedButACancelChangesNothing)
{
    Launch();
    std::string before;
    ASSERT_FALSE(CConfigBackup::ReadConfigFile(before)) << "the backup removed the file";

    // The first load ever stores the program's folder before the browser opens.
    PostCommand(Main(), kCommandLoad);
    HWND open = WaitForFileDialog(ProcessId(), 15000);
    ASSERT_NE(open, nullptr);
    ASSERT_TRUE(CConfigBackup::ReadConfigFile(before));
    EXPECT_TRUE(SameFolder(CConfigBackup::ReadLastBrowsePath(), CHarnessProcess::ProgramFolder()))
        << CConfigBackup::ReadLastBrowsePath();
    // Cancelled: nothing changes, not even the file.
    ASSERT_TRUE(AnswerFileDialog(open, "", IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(open); }, 10000));
    ASSERT_TRUE(DrainCommandsThroughAbout());
    std::string after;
    ASSERT_TRUE(CConfigBackup::ReadConfigFile(after));
    EXPECT_EQ(after, before);
    EXPECT_EQ(Field(kSuiteNameField), kNoSuiteText);
    EXPECT_EQ(WaitForMessageBox(ProcessId(), 0), nullptr);

    const std::string suite = CHarnessProcess::FixturePath("fx_pass.dll");
    ASSERT_TRUE(LoadThroughOpenDialog(suite));
    EXPECT_TRUE(WaitForField(kSuiteNameField, "Fixture Pass"));
    EXPECT_EQ(Field(kCurrentTestField), "Not Running");
    EXPECT_EQ(Field(kStatusField), "Errors: 0  Warnings: 0");
    EXPECT_TRUE(SameFolder(CConfigBackup::ReadLastBrowsePath(), FolderOf(suite)))
        << CConfigBackup::ReadLastBrowsePath();
    // The loaded suite runs.
    EXPECT_TRUE(RunAllToTheEnd());
}

// With a suite named on the command line, the first load ever browses from that suite's folder (and
// remembers it), not from the program's: however the suite is named.
struct NamedSuite
{
    const char* name;
    const char* copyAs; // null: the fixture itself; else a copy of it at this place in the scratch folder
    bool forwardSlashes;
};

void PrintTo(const NamedSuite& c, std::ostream* out)
{
    *out << c.name;
}

class FirstLoadE2eTest : public LoadE2eTest, public ::testing::WithParamInterface<NamedSuite>
{
};

TEST_P(FirstLoadE2eTest, BrowsesFromTheFolderOfTheSuiteNamedOnTheCommandLine)
{
    std::string suite = CHarnessProcess::FixturePath("fx_pass.dll");
    if (GetParam().copyAs)
    {
        const std::string copy = m_scratch + GetParam().copyAs;
        ::CreateDirectoryA(FolderOf(copy).c_str(), nullptr);
        ASSERT_TRUE(::CopyFileA(suite.c_str(), copy.c_str(), FALSE)) << copy;
        suite = copy;
    }
    ASSERT_FALSE(SameFolder(FolderOf(suite), CHarnessProcess::ProgramFolder()));
    std::string named = suite;
    if (GetParam().forwardSlashes)
        std::replace(named.begin(), named.end(), '\\', '/');
    Launch(named);
    ASSERT_TRUE(WaitForField(kSuiteNameField, "Fixture Pass"));
    PostCommand(Main(), kCommandLoad);
    HWND open = WaitForFileDialog(ProcessId(), 15000);
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(SameFolder(CConfigBackup::ReadLastBrowsePath(), FolderOf(suite)))
        << CConfigBackup::ReadLastBrowsePath();
    ASSERT_TRUE(AnswerFileDialog(open, "", IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(open); }, 10000));
}

INSTANTIATE_TEST_SUITE_P(
    Names, FirstLoadE2eTest,
    ::testing::Values(NamedSuite{"Plain", nullptr, false}, NamedSuite{"ForwardSlashes", nullptr, true},
                      NamedSuite{"BlankInTheFileName", "my suite.dll", false},
                      NamedSuite{"DotDllInAFolderName", "old.dll.d\\fx_pass.dll", false}),
    [](const ::testing::TestParamInfo<NamedSuite>& info) { return std::string(info.param.name); });

// A load after a run shows the new suite as not run: none of the old run's counts, no elapsed time.
TEST_F(LoadE2eTest, LoadingAfterARunWithErrorsShowsNothingOfThatRun)
{
    Launch(CHarnessProcess::FixturePath("fx_error.dll"));
    ASSERT_TRUE(RunAllToTheEnd());
    ASSERT_TRUE(WaitForField(kStatusField, "Errors: 2  Warnings: 0"));
    ASSERT_TRUE(WaitUntil([&] { return !Field(kElapsedTimeField).empty(); }, 5000));

    ASSERT_TRUE(LoadThroughOpenDialog(CHarnessProcess::FixturePath("fx_pass.dll")));
    ASSERT_TRUE(WaitForField(kSuiteNameField, "Fixture Pass"));
    EXPECT_EQ(Field(kStatusField), "Errors: 0  Warnings: 0");
    EXPECT_EQ(Field(kElapsedTimeField), "");
    EXPECT_EQ(Field(kCurrentTestField), "Not Running");
    EXPECT_TRUE(TreeLines().empty());
    // Still so once everything queued has been handled (a late timer tick included).
    ASSERT_TRUE(DrainCommandsThroughAbout());
    EXPECT_EQ(Field(kStatusField), "Errors: 0  Warnings: 0");
    EXPECT_EQ(Field(kElapsedTimeField), "");
}

struct LoadFailure
{
    const char* name;
    std::string path;   // relative paths lie in the test's scratch folder
    const char* format; // the message with %s for the path
};

TEST_F(LoadE2eTest, EveryFailedLoadShowsItsMessageAndLeavesNoSuite)
{
    const LoadFailure cases[] = {
        {"not a module", "not a suite.dll", "The file '%s' is not a valid test suite DLL."},
        {"missing dependency", CHarnessProcess::FixturePath("fx_dependency.dll"),
         "The file '%s' could not be loaded.\n\nCheck the dependencies for your DLL to make sure they are "
         "all "
         "accessible. Often this is due to debug or release runtimes not being installed on the computer."},
        {"suite version 2", CHarnessProcess::FixturePath("fx_version2.dll"),
         "The test suite DLL '%s' is for a different version of the Deva Vozi Vozadod."},
        {"no tests", CHarnessProcess::FixturePath("fx_notests.dll"),
         "The test suite DLL '%s' is for a different version of the Deva Vozi Vozadod."},
        {"constructor faults", CHarnessProcess::FixturePath("fx_ctorfault.dll"),
         "The file '%s' is not a valid test suite DLL."},
        {"registration faults", CHarnessProcess::FixturePath("fx_registerfault.dll"),
         "The file '%s' is not a valid test suite DLL."},
    };
    {
        std::ofstream text(m_scratch + "not a suite.dll", std::ios::binary);
        text << "this is not a module\r\n";
    }
    Launch();
    // The first failure follows a suite that loaded (the failed load has unloaded it), the others a failure.
    ASSERT_TRUE(LoadThroughOpenDialog(CHarnessProcess::FixturePath("fx_pass.dll")));
    ASSERT_TRUE(WaitForField(kSuiteNameField, "Fixture Pass"));
    bool first = true;
    for (const LoadFailure& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string path = c.path.find('\\') == std::string::npos ? m_scratch + c.path : c.path;
        ASSERT_TRUE(LoadThroughOpenDialog(path));
        HWND box = nullptr;
        CMessageBoxText shown;
        ASSERT_TRUE(WaitForMessageBoxText(box, shown));
        std::string expected(c.format);
        expected.replace(expected.find("%s"), 2, path);
        EXPECT_EQ(shown.caption, kHarnessCaption);
        EXPECT_EQ(shown.text, expected);
        ASSERT_TRUE(DismissAndWait(box, IDOK, 10000));
        EXPECT_TRUE(WaitForField(kSuiteNameField, kNoSuiteText, 5000));
        EXPECT_EQ(Field(kCurrentTestField), "Not Running");
        if (!first)
            continue;
        first = false;
        // Nothing is left to run: Run All shows no message and starts nothing.
        PostCommand(Main(), kCommandRunAll);
        ASSERT_TRUE(DrainCommandsThroughAbout());
        HWND stray = WaitForMessageBox(ProcessId(), 0);
        EXPECT_EQ(stray, nullptr) << "Run All after a failed load: " << ReadMessageBox(stray).text;
        if (stray)
            DismissAndWait(stray, IDOK, 5000);
        EXPECT_EQ(Field(kCurrentTestField), "Not Running");
    }
}

using DialogE2eTest = CHarnessTest;

TEST_F(DialogE2eTest, AboutShowsTheProgramVersionAndClosesWithOk)
{
    Launch();
    PostCommand(Main(), kCommandAbout);
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            about = FindProcessWindow(ProcessId(), "#32770", "About Quorvex");
            return about != nullptr;
        },
        15000));
    // The version field shows the program file's version.
    DWORD ignored = 0;
    const std::string program = CHarnessProcess::ProgramPath();
    std::vector<char> block(::GetFileVersionInfoSizeA(program.c_str(), &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(::GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    const std::string version = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(ControlText(about, kAboutVersionField), version);
    // Modal: the main dialog waits until the box is closed.
    EXPECT_FALSE(::IsWindowEnabled(Main()));
    ASSERT_TRUE(DismissAndWait(about, IDOK, 10000));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(Main()) != FALSE; }, 5000));
    EXPECT_TRUE(m_process.IsRunning());
}

TEST_F(DialogE2eTest, ClosingDuringARunEndsTheProgramCleanly)
{
    Launch(CHarnessProcess::FixturePath("fx_many.dll"), "200");
    PostCommand(Main(), kCommandRunAll);
    ASSERT_TRUE(WaitUntil([&] { return Field(kCurrentTestField).compare(0, 1, "(") == 0; }, 15000))
        << Field(kCurrentTestField);
    const DWORD start = ::GetTickCount();
    ::PostMessageA(Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(m_process.WaitForExit(5000)) << "the program still runs 5 s after WM_CLOSE during a run";
    EXPECT_EQ(m_process.ExitCode(), 0u);
    EXPECT_LT(::GetTickCount() - start, 5000u);
}
} // namespace

namespace
{
struct TipSearch
{
    DWORD process;
    const char* text;
    HWND found;
};

BOOL CALLBACK FindTipWindow(HWND window, LPARAM param)
{
    TipSearch* search = reinterpret_cast<TipSearch*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char text[512] = {};
    if (process == search->process && ::IsWindowVisible(window) && ::GetWindowTextA(window, text, sizeof text) > 0 &&
        strstr(text, search->text))
    {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
} // namespace

// Resting the pointer on a tool bar button shows its tip: a visible top-level window of the program that
// carries the tip's text, below the button.
TEST_F(DialogE2eTest, RestingThePointerOnRunAllShowsItsTip)
{
    Launch(CHarnessProcess::SamplePath());
    CToolbarPixels pixels;
    ASSERT_TRUE(pixels.Load(CHarnessProcess::ProgramPath()));
    HWND toolbar = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (toolbar = CToolbarPixels::FindToolBar(Main())) != nullptr; }, 5000));
    ::SetCursorPos(0, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    POINT at = {};
    ASSERT_TRUE(WaitUntil([&] { return pixels.Look(toolbar, kCommandRunAll, &at) == ButtonLook::Normal; }, 5000));
    ::SetForegroundWindow(Main());

    POINT button = {at.x + CToolbarPixels::kCell / 2, at.y + CToolbarPixels::kCell / 2};
    ::ClientToScreen(toolbar, &button);
    ::SetCursorPos(button.x - 4, button.y);
    ::Sleep(100);
    ::SetCursorPos(button.x, button.y);

    TipSearch search = {ProcessId(), "Run all the tests in the test suite", nullptr};
    EXPECT_TRUE(WaitUntil(
        [&] {
            search.found = nullptr;
            ::EnumWindows(FindTipWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        5000))
        << "no tip window after resting on Run All Tests";
    if (search.found)
    {
        RECT tip = {}, bar = {};
        ::GetWindowRect(search.found, &tip);
        ::GetWindowRect(toolbar, &bar);
        EXPECT_GT(tip.bottom, bar.top) << "the tip shows near the button";
        EXPECT_GT(tip.right - tip.left, 20);
    }
    ::SetCursorPos(0, ::GetSystemMetrics(SM_CYSCREEN) - 1);
}

// The icons show no white ground: in the normal, disabled and hot looks the corners of each picture are the
// button's face.
TEST_F(DialogE2eTest, ToolbarIconsShowTheFaceAroundThemInEveryLook)
{
    Launch();
    CToolbarPixels pixels;
    ASSERT_TRUE(pixels.Load(CHarnessProcess::ProgramPath()));
    HWND toolbar = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (toolbar = CToolbarPixels::FindToolBar(Main())) != nullptr; }, 5000));
    ::SetCursorPos(0, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    ::SetForegroundWindow(Main());
    const struct
    {
        int command;
        ButtonLook look;
        bool hover;
    } cases[] = {{kCommandLoad, ButtonLook::Normal, false},
                 {kCommandAbout, ButtonLook::Normal, false},
                 {kCommandRunAll, ButtonLook::Disabled, false},
                 {kCommandExport, ButtonLook::Disabled, false},
                 {kCommandLoad, ButtonLook::Hot, true}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.command) + " " + DescribeLook(c.look));
        POINT at = {};
        if (c.hover)
        {
            ASSERT_TRUE(WaitUntil([&] { return pixels.Look(toolbar, c.command, &at) != ButtonLook::Missing; }, 5000));
            POINT screen = {at.x + CToolbarPixels::kCell / 2, at.y + CToolbarPixels::kCell / 2};
            ::ClientToScreen(toolbar, &screen);
            ::SetCursorPos(screen.x - 3, screen.y);
            ::Sleep(50);
            ::SetCursorPos(screen.x, screen.y);
        }
        ASSERT_TRUE(WaitUntil([&] { return pixels.Look(toolbar, c.command, &at) == c.look; }, 5000));
        std::string why;
        EXPECT_TRUE(WaitUntil([&] { return pixels.FaceShowsAtCorners(toolbar, at, &why); }, 2000)) << why;
    }
    ::SetCursorPos(0, ::GetSystemMetrics(SM_CYSCREEN) - 1);
}
