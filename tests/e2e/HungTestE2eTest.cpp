// A test that never returns (it spins without asking whether the run goes on): Cancel cannot stop it, so
// once the stop bound (5 s) has run out the tree says so and the window goes on answering; closing the
// window ends the program within the bound, with exit code 4.
#include "tests/e2e/E2eTestSupport.h"

#include <cstdlib>

using namespace qvx_e2e;

namespace
{
const DWORD kStopBoundMs = 5000;
// What Wine may add to a bound on a loaded machine.
const DWORD kSlackMs = 4000;
const char kNotReturnedLine[] =
    "    {1} [TS] The test has not returned 5 seconds after the run was told to stop; closing the program "
    "ends it (exit code 4)";

class HungTestE2eTest : public CHarnessTest
{
protected:
    // Runs fx_hang (First passes, NeverReturns never returns, Third never runs) until the second test spins.
    void RunUntilTheTestHangs()
    {
        Launch(CHarnessProcess::FixturePath("fx_hang.dll"));
        PostCommand(Main(), kCommandRunAll);
        ASSERT_TRUE(WaitUntil([&] { return Field(kCurrentTestField) == "(2 of 3) NeverReturns"; }, 15000))
            << Field(kCurrentTestField);
        // The program ends itself with this code when it is closed.
        m_expectedExitCode = 4;
    }

    // Closes the main dialog and returns how long the program took to end (MAXDWORD when it did not end by
    // itself).
    DWORD CloseAndTime()
    {
        const DWORD start = ::GetTickCount();
        if (!m_process.Close(kStopBoundMs + kSlackMs))
            return MAXDWORD;
        return ::GetTickCount() - start;
    }
};

TEST_F(HungTestE2eTest, CloseEndsTheProgramWithinTheStopBoundWithExitCode4)
{
    RunUntilTheTestHangs();
    const DWORD took = CloseAndTime();
    ASSERT_NE(took, MAXDWORD) << "the program did not end by itself";
    EXPECT_EQ(m_process.ExitCode(), 4u);
    // The test had the whole bound to return, and the program did not wait much longer.
    EXPECT_GE(took, kStopBoundMs - 500);
    EXPECT_LE(took, kStopBoundMs + kSlackMs);
}

TEST_F(HungTestE2eTest, CancelSaysTheTestDoesNotReturnAndTheWindowKeepsAnswering)
{
    RunUntilTheTestHangs();
    const DWORD cancelled = ::GetTickCount();
    PostCommand(Main(), kCommandCancel);
    std::vector<std::string> lines;
    ASSERT_TRUE(WaitUntil(
        [&] {
            lines = TreeLines();
            return !lines.empty() && lines.back().find("has not returned") != std::string::npos;
        },
        kStopBoundMs + kSlackMs + 5000))
        << (lines.empty() ? std::string("empty tree") : lines.back());
    EXPECT_GE(::GetTickCount() - cancelled, kStopBoundMs - 500) << "said before the bound ran out";
    const std::vector<std::string> expected = {"{4} 1. First",
                                               "    {0} [TS] first test runs",
                                               "    {0} [TS] Completed Successfully",
                                               "{6+} 2. NeverReturns",
                                               "    {0} [TS] spinning without asking whether the run goes on",
                                               kNotReturnedLine};
    // The test's picture turns to failed just after the line shows.
    WaitUntil(
        [&] {
            lines = TreeLines();
            return lines == expected;
        },
        5000);
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(WaitForField(kStatusField, "Errors: 1  Warnings: 0"));
    EXPECT_EQ(Field(kCurrentTestField), "(2 of 3) NeverReturns") << "the run is still going";

    // The window answers at once and can be resized.
    DWORD_PTR answer = 0;
    EXPECT_NE(::SendMessageTimeoutA(Main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
    RECT before = {};
    ::GetWindowRect(Main(), &before);
    const int width = before.right - before.left + 40, height = before.bottom - before.top + 30;
    ::SetWindowPos(Main(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitUntil(
        [&] {
            RECT now = {};
            ::GetWindowRect(Main(), &now);
            return now.right - now.left == width && now.bottom - now.top == height;
        },
        5000));
    EXPECT_EQ(TreeLines(), expected);
    // QVX_E2E_HOLD_HUNG_MS keeps the window up for a screenshot.
    if (const char* hold = std::getenv("QVX_E2E_HOLD_HUNG_MS"))
        ::Sleep(static_cast<DWORD>(std::atol(hold)));

    // The bound has run out already: closing ends the program at once.
    const DWORD took = CloseAndTime();
    ASSERT_NE(took, MAXDWORD) << "the program did not end by itself";
    EXPECT_EQ(m_process.ExitCode(), 4u);
    EXPECT_LE(took, kSlackMs);
}
} // namespace
