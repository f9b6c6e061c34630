// CHarnessTest: the fixture of the end-to-end tests. Each test starts its own Quorvex.exe (Launch) and the
// fixture always ends it: closed through its dialog, terminated only as a last resort, which fails the test.
// It also gives each test a scratch folder of its own and reads the main dialog's fields and results tree.
#pragma once

#include "tests/common/TestText.h"
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/E2eHarnessProcess.h"
#include "tests/e2e/E2eRemoteTree.h"
#include "tests/e2e/E2eWindows.h"

namespace qvx_e2e
{
// Control and command ids of the main dialog.
enum : int
{
    kSuiteNameField = 2042,
    kCurrentTestField = 2030,
    kStatusField = 2028,
    kElapsedTimeField = 2032,
    kResultsTree = 2036,
    kProgressIndicator = 2037,
    kAboutVersionField = 2007,
    kCommandLoad = 4003,
    kCommandRunAll = 4004,
    kCommandCancel = 4001,
    kCommandExport = 4002,
    kCommandAbout = 4000
};

// Pictures of the results tree's entries that the tests tell apart.
enum : int
{
    kImageWarnedTest = 5,
    kImageFailedTest = 6
};

// The caption of the harness's message boxes.
extern const char kHarnessCaption[];
extern const char kNoSuiteText[];

// Replaces every tree time stamp "[hh:mm:ss:mmm]" by "[TS]".
using qvx_test::MaskStamps;
using qvx_test::ReadFileBytes;

class CHarnessTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program (in the program's folder unless another current folder is given); the test stops
    // when it does not come up.
    void Launch(const std::string& suitePath = std::string(),
                const std::string& emptyTestSleepMs = std::string(),
                const std::string& currentFolder = std::string());
    HWND Main() const { return m_process.MainWindow(); }
    DWORD ProcessId() const { return m_process.Id(); }
    std::string Field(int id) const { return ControlText(Main(), id); }
    // Waits until the field shows the text; false (the last text in the failure) after the time-out.
    ::testing::AssertionResult WaitForField(int id, const std::string& text, DWORD timeoutMs = 15000) const;
    // Runs all tests and waits for the end of the run as the dialog shows it.
    ::testing::AssertionResult RunAllToTheEnd(DWORD timeoutMs = 20000) const;
    // The results tree's items with time stamps masked, one line each: four blanks a level, "{image}" (with
    // "+" when a warned or failed test is unfolded) and the text.
    std::vector<std::string> TreeLines() const;
    // Waits for a message box of the program and reads it; the box stays open.
    ::testing::AssertionResult WaitForMessageBoxText(HWND& box, CMessageBoxText& text,
                                                     DWORD timeoutMs = 15000) const;
    // Loads the suite through the load command and the Open dialog.
    ::testing::AssertionResult LoadThroughOpenDialog(const std::string& path) const;
    // Opens the about box after what is queued: once it shows, every command posted before it has been
    // handled. Closes it again.
    ::testing::AssertionResult DrainCommandsThroughAbout() const;
    // Waits until the progress indicator shows about the colour (each channel within the tolerance) a few
    // rows above its bottom at the given share of its width, as the screen shows it.
    ::testing::AssertionResult WaitForProgressColour(double share, COLORREF expected, int tolerance,
                                                     DWORD timeoutMs = 5000) const;

    std::string m_scratch; // a folder of this test's own, with a trailing backslash
    // The exit code the program must end with (checked when it ended by itself).
    DWORD m_expectedExitCode = 0;
    CHarnessProcess m_process;
};
} // namespace qvx_e2e
