// Runs through the real program: Run All to the end (fields, progress colour on the screen, the results
// tree with its images and expanded state), a run that an error stops, tests that fault or throw, a second
// run of a suite whose test failed only the first time, Cancel during a slow test, and the export through
// the Save dialog (golden files, the ".txt" the program adds, the success and failure boxes).
#include <algorithm>
#include <cstdlib>
#include <regex>

#include "tests/e2e/E2eTestSupport.h"

using namespace qvx_e2e;

namespace
{
// Tree lines as CHarnessTest::TreeLines writes them. The wide message's bell is shown as a blank.
// Images: 0 information, 1 error, 2 warning, 4 test with children, 5 warned test, 6 failed test.
struct RunCase
{
    const char* name;
    std::string suite;
    std::string status;
    COLORREF colour;
    bool rootsOnly; // the order of the messages under a test is not fixed (helper threads)
    std::vector<std::string> tree;
    int runs = 1; // Run All this often in one process; the last run is checked
};

// A faulting test stays unfolded with the engine's error line under it and the failed picture; the
// status counts each fault line as an error; the run goes on.
std::vector<std::string> FaultTree(const std::string& second, const std::vector<std::string>& secondLines,
                                   const std::string& third, const std::string& thirdError)
{
    std::vector<std::string> tree = {"{4} 1. First", "    {0} [TS] first test runs",
                                     "    {0} [TS] Completed Successfully", "{6+} 2. " + second};
    tree.insert(tree.end(), secondLines.begin(), secondLines.end());
    const std::vector<std::string> rest = {"{6+} 3. " + third,
                                           "    {1} [TS] The test ended with an unhandled exception " +
                                               thirdError,
                                           "{4} 4. Third",
                                           "    {0} [TS] third test runs",
                                           "    {0} [TS] counts: errors 0, information 1",
                                           "    {0} [TS] Completed Successfully"};
    tree.insert(tree.end(), rest.begin(), rest.end());
    return tree;
}

std::vector<RunCase> RunCases()
{
    const COLORREF red = RGB(255, 0, 0), yellow = RGB(250, 250, 0), green = RGB(20, 220, 20);
    const std::vector<std::string> faults =
        FaultTree("AccessViolation",
                  {"    {0} [TS] about to write through a null pointer",
                   "    {1} [TS] The test ended with an unhandled exception C0000005 (access violation)"},
                  "DivideByZero", "C0000094 (integer division by zero)");
    return {
        {"warnings",
         CHarnessProcess::FixturePath("fx_pass.dll"),
         "Errors: 0  Warnings: 2",
         yellow,
         false,
         {"{0} [TS] setup runs before the first test", "{4} 1. First", "    {0} [TS] first test runs",
          "    {0} [TS] 100% of the text, %d and %s stay literal",
          "    {0} [TS] wide information with a bell  and a tab\tinside",
          "    {0} [TS] Completed Successfully", "{5+} 2. Second",
          "    {2} [TS] [Line -1] a warning without a line", "    {2} [TS] [Line 503] a warning with a line",
          "    {0} [TS] Completed Successfully", "{4} 3. Third", "    {0} [TS] third test runs",
          "    {0} [TS] counts: errors 0, information 1", "    {0} [TS] Completed Successfully",
          "{0} [TS] teardown runs after the last test"}},
        // The failing test ends the run: no "Completed Successfully" for it, and the third test never starts.
        {"stopped by an error",
         CHarnessProcess::FixturePath("fx_error.dll"),
         "Errors: 2  Warnings: 0",
         red,
         false,
         {"{4} 1. First", "    {0} [TS] first test runs", "    {0} [TS] Completed Successfully",
          "{6+} 2. Failing", "    {0} [TS] about to fail",
          "    {1} [TS] [Line 603] this test reports an error",
          "    {1} [TS] and a second error without a line"}},
        {"clean",
         CHarnessProcess::FixturePath("fx_helpers.dll"),
         "Errors: 0  Warnings: 0",
         green,
         true,
         {"{4} 1. Helpers", "{4} 2. Chorus"}},
        {"faults", CHarnessProcess::FixturePath("fx_fault.dll"), "Errors: 2  Warnings: 0", red, false, faults},
        // A helper's fault fails the test that started it: open, failed, no "Completed Successfully".
        {"faulting helper",
         CHarnessProcess::FixturePath("fx_helperfault.dll"),
         "Errors: 1  Warnings: 0",
         red,
         false,
         {"{6+} 1. StartsFaultingHelper",
          "    {1} [TS] Helper thread 0 ended with an unhandled exception C0000005 (access violation)",
          "    {0} [TS] waited for the faulting helper"}},
        {"faults in a Microsoft ABI suite", CHarnessProcess::FixturePath("fx_msvc_fault.dll"),
         "Errors: 2  Warnings: 0", red, false, faults},
        {"throws",
         CHarnessProcess::FixturePath("fx_throw.dll"),
         "Errors: 2  Warnings: 0",
         red,
         false,
         FaultTree("Throws",
                   {"    {0} [TS] about to throw",
                    "    {1} [TS] The test ended with an unhandled exception E0515658 (C++ exception: boom "
                    "from the test)"},
                   "ThrowsInt", "E0515658 (C++ exception)")},
        // The first run fails (and stops after the failing test); the second starts every test clean, so
        // it passes and runs to the end.
        {"second run after a failed one",
         CHarnessProcess::FixturePath("fx_failsonce.dll"),
         "Errors: 0  Warnings: 0",
         green,
         false,
         {"{4} 1. FailsOnce", "    {0} [TS] run 2, errors at the start 0", "    {0} [TS] Completed Successfully",
          "{4} 2. Third", "    {0} [TS] third test runs", "    {0} [TS] counts: errors 0, information 1",
          "    {0} [TS] Completed Successfully"},
         2},
    };
}

void PrintTo(const RunCase& c, std::ostream* out)
{
    *out << c.name;
}

class RunAllE2eTest : public CHarnessTest, public ::testing::WithParamInterface<RunCase>
{
};

TEST_P(RunAllE2eTest, ShowsTheFieldsTheProgressColourAndTheTree)
{
    const RunCase& c = GetParam();
    Launch(c.suite);
    for (int run = 1; run < c.runs; ++run)
    {
        ASSERT_TRUE(RunAllToTheEnd());
        // About is refused during a run: once its box shows, the run is over and its notifications handled.
        ASSERT_TRUE(DrainCommandsThroughAbout());
    }
    // The current-test field reads "All Tests Completed" after every run: what follows waits for the last
    // run's own results.
    ASSERT_TRUE(RunAllToTheEnd());
    EXPECT_TRUE(WaitForField(kStatusField, c.status));

    // The bar is full and in the colour of the outcome, from its left end to its right end.
    for (double share : {0.02, 0.5, 0.98})
        EXPECT_TRUE(WaitForProgressColour(share, c.colour, 45));

    std::vector<std::string> lines;
    // The tree is filled when the run has ended; a moment's grace for the last repaint.
    WaitUntil(
        [&] {
            lines = TreeLines();
            if (c.rootsOnly)
                lines.erase(
                    std::remove_if(lines.begin(), lines.end(),
                                   [](const std::string& line) { return line.compare(0, 1, " ") == 0; }),
                    lines.end());
            return lines == c.tree;
        },
        5000);
    EXPECT_EQ(lines, c.tree);
}

INSTANTIATE_TEST_SUITE_P(Suites, RunAllE2eTest, ::testing::ValuesIn(RunCases()),
                         [](const ::testing::TestParamInfo<RunCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (ch == ' ')
                                     ch = '_';
                             return name;
                         });

class RunE2eTest : public CHarnessTest
{
protected:
    // The export command, answered in the Save dialog with the name; the success box is checked and closed.
    // The bytes of the file written (the program adds ".txt").
    ::testing::AssertionResult ExportAs(const std::string& typed, std::string& written) const
    {
        PostCommand(Main(), kCommandExport);
        HWND save = WaitForFileDialog(ProcessId(), 15000);
        if (!save)
            return ::testing::AssertionFailure() << "the Save dialog did not show";
        if (!AnswerFileDialog(save, typed, IDOK))
            return ::testing::AssertionFailure() << "the Save dialog could not be answered";
        HWND box = nullptr;
        CMessageBoxText shown;
        ::testing::AssertionResult boxShown = WaitForMessageBoxText(box, shown);
        if (!boxShown)
            return boxShown;
        const std::string path = typed + ".txt";
        const std::string expected = "The results were successfully exported to '" + path + "'.";
        // QVX_E2E_HOLD_EXPORT_BOX_MS keeps the box up for a screenshot.
        if (const char* hold = std::getenv("QVX_E2E_HOLD_EXPORT_BOX_MS"))
            ::Sleep(static_cast<DWORD>(std::atol(hold)));
        const bool dismissed = DismissAndWait(box, IDOK, 10000);
        if (shown.caption != kHarnessCaption || shown.text != expected)
            return ::testing::AssertionFailure() << shown.caption << ": " << shown.text;
        if (!dismissed)
            return ::testing::AssertionFailure() << "the success box did not close";
        written = ReadFileBytes(path);
        return ::testing::AssertionSuccess();
    }
};

// The summary's run time depends on the clock; everything else of the file is fixed.
std::string MaskExport(const std::string& text)
{
    static const std::regex runTime(R"(Total Run Time: \d{2}:\d{2}:\d{2}\r)");
    return std::regex_replace(MaskStamps(text), runTime, "Total Run Time: [RT]\r");
}

TEST_F(RunE2eTest, CancelDuringASlowTestLogsProcessingCancelledOnceAndStopsTheRun)
{
    // Each of the 10,000 tests sleeps 300 ms, so the run is certainly inside a test when Cancel arrives.
    Launch(CHarnessProcess::FixturePath("fx_many.dll"), "300");
    PostCommand(Main(), kCommandRunAll);
    ASSERT_TRUE(
        WaitUntil([&] { return Field(kCurrentTestField).compare(0, 13, "(3 of 10000) ") == 0; }, 15000))
        << Field(kCurrentTestField);
    PostCommand(Main(), kCommandCancel);
    ASSERT_TRUE(WaitForField(kCurrentTestField, "All Tests Completed", 15000));
    EXPECT_TRUE(WaitForField(kStatusField, "Errors: 1  Warnings: 0"));

    std::vector<std::string> lines;
    WaitUntil(
        [&] {
            lines = TreeLines();
            return !lines.empty() && lines.back().find("Processing Cancelled") != std::string::npos;
        },
        5000);
    int cancelled = 0, tests = 0, completed = 0;
    std::string lastTest;
    bool lastTestCompleted = false;
    for (const std::string& line : lines)
    {
        if (line.find("Processing Cancelled") != std::string::npos)
        {
            ++cancelled;
            EXPECT_EQ(line.substr(line.find('{')), "{1} [TS] Processing Cancelled") << "an error message";
        }
        else if (line.compare(0, 1, "{") == 0)
        {
            ++tests;
            lastTest = line;
            lastTestCompleted = false;
            EXPECT_NE(line.find(std::to_string(tests) + ". Empty"), std::string::npos) << line;
        }
        else if (line == "    {0} [TS] Completed Successfully")
        {
            ++completed;
            lastTestCompleted = true;
        }
    }
    EXPECT_EQ(cancelled, 1) << "\"Processing Cancelled\" is logged exactly once";
    // The run stops before the next test: the test running at the cancel is the last one that started.
    EXPECT_GE(tests, 3);
    EXPECT_LE(tests, 5) << "the run went on after the cancel";
    EXPECT_FALSE(lastTestCompleted) << "the test that was running when cancelled is not reported completed: "
                                    << lastTest;
    EXPECT_EQ(completed, tests - 1) << "every earlier test completed";

    // The bar stopped part-way and turned red.
    EXPECT_TRUE(WaitForProgressColour(0.0, RGB(255, 0, 0), 45));

    // Nothing more arrives: the worker has really stopped.
    ::Sleep(700);
    EXPECT_EQ(TreeLines().size(), lines.size());

    // The export counts the tests that started, not the "Processing Cancelled" line after them.
    std::string written;
    ASSERT_TRUE(ExportAs(m_scratch + "cancelled", written));
    const std::string masked = MaskStamps(written);
    EXPECT_NE(masked.find("\r\nNumber of Tests Run: " + std::to_string(tests) + "\r\n"), std::string::npos)
        << masked.substr(0, 400);
    EXPECT_NE(masked.find("\r\n[TS] Processing Cancelled\r\n\r\n"), std::string::npos)
        << "the line is still written as a block of its own";
}

struct ExportCase
{
    const char* name;
    std::string suite;
    const char* golden;
};

void PrintTo(const ExportCase& c, std::ostream* out)
{
    *out << c.name;
}

class ExportE2eTest : public RunE2eTest, public ::testing::WithParamInterface<ExportCase>
{
};

// "Number of Tests Run" counts the tests; messages of the run's setup and teardown are blocks of their own.
TEST_P(ExportE2eTest, WritesTheGoldenFileWithTheTxtExtensionAdded)
{
    Launch(GetParam().suite);
    ASSERT_TRUE(RunAllToTheEnd());
    const std::string typed = m_scratch + "sample results";
    std::string written;
    ASSERT_TRUE(ExportAs(typed, written));
    EXPECT_EQ(::GetFileAttributesA(typed.c_str()), INVALID_FILE_ATTRIBUTES)
        << "no file without the extension";
    ASSERT_FALSE(written.empty()) << "no file " << typed << ".txt";
    EXPECT_NE(written.substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark";
    for (size_t i = 0; i < written.size(); ++i)
    {
        if (written[i] == '\n')
        {
            ASSERT_TRUE(i > 0 && written[i - 1] == '\r') << "bare line feed at " << i;
        }
    }
    const std::string golden = ReadFileBytes(std::string(QVX_E2E_GOLDEN_DIR) + "/" + GetParam().golden);
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(MaskExport(written), golden);
}

INSTANTIATE_TEST_SUITE_P(Suites, ExportE2eTest,
                         ::testing::Values(ExportCase{"sample", CHarnessProcess::SamplePath(), "sample_export.txt"},
                                           ExportCase{"pass", CHarnessProcess::FixturePath("fx_pass.dll"),
                                                      "pass_export.txt"}),
                         [](const ::testing::TestParamInfo<ExportCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(RunE2eTest, ExportIsRefusedBeforeARunAndAFileThatCannotBeWrittenGivesTheErrorBox)
{
    Launch(CHarnessProcess::FixturePath("fx_pass.dll"));
    // Nothing to export yet: the command is disabled and opens no Save dialog.
    PostCommand(Main(), kCommandExport);
    ASSERT_TRUE(DrainCommandsThroughAbout());
    EXPECT_EQ(WaitForFileDialog(ProcessId(), 0), nullptr) << "export before any run opened the Save dialog";

    ASSERT_TRUE(RunAllToTheEnd());
    // A file that another process holds without sharing cannot be replaced.
    const std::string locked = m_scratch + "locked.txt";
    HANDLE holder = ::CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    PostCommand(Main(), kCommandExport);
    HWND save = WaitForFileDialog(ProcessId(), 15000);
    ASSERT_NE(save, nullptr);
    ASSERT_TRUE(AnswerFileDialog(save, locked, IDOK));

    HWND box = nullptr;
    CMessageBoxText shown;
    // The Save dialog first asks whether to replace the existing file: yes.
    for (int boxes = 0; boxes < 2; ++boxes)
    {
        ASSERT_TRUE(WaitForMessageBoxText(box, shown));
        if (shown.caption == kHarnessCaption)
            break;
        ASSERT_TRUE(DismissAndWait(box, IDYES, 10000)) << shown.caption << ": " << shown.text;
    }
    EXPECT_EQ(shown.caption, kHarnessCaption);
    EXPECT_EQ(shown.text, "An error occurred exporting the results to '" + locked + "'.");
    EXPECT_TRUE(DismissAndWait(box, IDOK, 10000));
    ::CloseHandle(holder);
    EXPECT_EQ(ReadFileBytes(locked), "") << "the held file was not written";
}
} // namespace

// Dialog mode started as "Quorvex.exe <suite>.dll" from another current folder, with the suite found beside
// the program: its tests run in the suite's folder (as in command-line mode), so that a file beside the
// suite opens by its relative name.
TEST_F(RunE2eTest, ASuiteFoundBesideTheProgramRunsInItsOwnFolderFromAnyCurrentFolder)
{
    const std::string name = "qvx_e2e_beside_folder.dll";
    const std::string programFolder = CHarnessProcess::ProgramFolder();
    const std::string suite = programFolder + name;
    const std::string beside = programFolder + "beside.txt";
    // Whatever happens, the program ends before the two files beside it go.
    struct CLeaveNothing
    {
        CHarnessProcess& process;
        std::string suite, beside;
        ~CLeaveNothing()
        {
            if (process.IsRunning())
                process.Close();
            ::DeleteFileA(suite.c_str());
            ::DeleteFileA(beside.c_str());
        }
    } cleanup{m_process, suite, beside};
    ASSERT_TRUE(::CopyFileA(CHarnessProcess::FixturePath("fx_cwd.dll").c_str(), suite.c_str(), FALSE));
    {
        HANDLE file = ::CreateFileA(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(file, "beside the suite\n", 17, &written, nullptr);
        ::CloseHandle(file);
    }
    // The current folder holds neither the suite nor the file.
    Launch(name, std::string(), m_scratch);
    EXPECT_TRUE(WaitForField(kSuiteNameField, "Fixture Folder"));
    ASSERT_TRUE(RunAllToTheEnd());
    EXPECT_TRUE(WaitForField(kStatusField, "Errors: 0  Warnings: 0"));
    std::vector<std::string> lines;
    WaitUntil(
        [&] {
            lines = TreeLines();
            return lines.size() >= 6;
        },
        5000);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "{4} 1. ShowFolder");
    const std::string prefix = "    {0} [TS] current folder: ";
    ASSERT_EQ(lines[1].compare(0, prefix.size(), prefix), 0) << lines[1];
    std::string folder = programFolder.substr(0, programFolder.size() - 1);
    EXPECT_EQ(_stricmp(lines[1].substr(prefix.size()).c_str(), folder.c_str()), 0) << lines[1];
    EXPECT_EQ(lines[3], "{4} 2. OpenBesideFile");
    EXPECT_EQ(lines[4], "    {0} [TS] beside.txt opened by its relative name");
    EXPECT_TRUE(m_process.Close());
}
