// Drives Quorvex.exe in command-line mode over the fixture suites and compares its console output, time
// stamps masked, byte for byte with the golden files; checks the exit code of each case.
// QVX_UPDATE_GOLDEN=1 in the environment rewrites the golden files from the actual output.
#include "tests/engine/EngineTestSupport.h"
#include "engine/ExitCodes.h"

#include <gtest/gtest.h>

namespace
{
struct GoldenCase
{
    const char* name;
    const char* arguments;
    int exitCode;
    const char* golden;
};

class ConsoleGoldenTest : public ::testing::TestWithParam<GoldenCase>
{
protected:
    static void SetUpTestSuite()
    {
        CreateDirectoryA(FixturePath("folder.dll").c_str(), nullptr);
        WriteTextFile(FixturePath("text.dll"), "this is not a module\r\n");
        CreateDirectoryA(FixturePath("with blanks").c_str(), nullptr);
        CopyFileA(FixturePath("fx_pass.dll").c_str(), FixturePath("with blanks\\fx pass.dll").c_str(), FALSE);
    }
};

std::string CaseName(const ::testing::TestParamInfo<GoldenCase>& info)
{
    return info.param.name;
}
} // namespace

TEST_P(ConsoleGoldenTest, PrintsTheGoldenOutputAndExitCode)
{
    const GoldenCase& c = GetParam();
    std::string output;
    int code = RunProgram(c.arguments, FixtureFolder(), &output);
    std::string actual = MaskStamps(output);
    char update[4] = {};
    if (GetEnvironmentVariableA("QVX_UPDATE_GOLDEN", update, sizeof(update)) && update[0] == '1')
        WriteTextFile(GoldenPath(c.golden), actual);
    EXPECT_EQ(code, c.exitCode) << c.arguments << "\n" << output;
    EXPECT_EQ(actual, ReadFileBytes(GoldenPath(c.golden))) << c.arguments;
}

INSTANTIATE_TEST_SUITE_P(
    Program, ConsoleGoldenTest,
    ::testing::Values(
        GoldenCase{"Passing", "-cmd fx_pass.dll", QVX_EXIT_PASSED, "pass.txt"},
        GoldenCase{"PassingMsvcAbi", "-cmd fx_msvc_pass.dll", QVX_EXIT_PASSED, "pass.txt"},
        GoldenCase{"ErrorStopsRun", "-cmd fx_error.dll", QVX_EXIT_TESTS_FAILED, "error.txt"},
        GoldenCase{"ErrorStopsRunMsvcAbi", "-cmd fx_msvc_error.dll", QVX_EXIT_TESTS_FAILED, "error.txt"},
        GoldenCase{"Throwing", "-cmd fx_throw.dll", QVX_EXIT_TESTS_FAILED, "throw.txt"},
        GoldenCase{"Faulting", "-cmd fx_fault.dll", QVX_EXIT_TESTS_FAILED, "fault.txt"},
        GoldenCase{"FaultingMsvcAbi", "-cmd fx_msvc_fault.dll", QVX_EXIT_TESTS_FAILED, "fault.txt"},
        GoldenCase{"Helpers", "-cmd fx_helpers.dll Helpers", QVX_EXIT_PASSED, "helpers.txt"},
        GoldenCase{"HelpersMsvcAbi", "-cmd fx_msvc_helpers.dll helpers", QVX_EXIT_PASSED, "helpers.txt"},
        // A helper's fault fails the test that started it: no "Completed Successfully".
        GoldenCase{"FaultingHelperFailsItsTest", "-cmd fx_helperfault.dll", QVX_EXIT_TESTS_FAILED,
                   "helper_fault.txt"},
        GoldenCase{"FaultingHelperFailsItsTestMsvcAbi", "-cmd fx_msvc_helperfault.dll", QVX_EXIT_TESTS_FAILED,
                   "helper_fault.txt"},
        // Two overflows on the worker thread, two in helper threads, then a plain test that runs.
        GoldenCase{"RepeatedStackOverflows", "-cmd fx_overflow.dll", QVX_EXIT_TESTS_FAILED, "overflow.txt"},
        GoldenCase{"RepeatedStackOverflowsMsvcAbi", "-cmd fx_msvc_overflow.dll", QVX_EXIT_TESTS_FAILED,
                   "overflow.txt"},
        // The same through frames without frame pointer or unwind data that leave all ones in the
        // callee-saved registers: nothing restores the harness's registers but the guard.
        GoldenCase{"RepeatedStackOverflowsThroughBareFrames", "-cmd fx_overflowbare.dll",
                   QVX_EXIT_TESTS_FAILED, "overflow.txt"},
        GoldenCase{"RepeatedStackOverflowsThroughBareFramesMsvcAbi", "-cmd fx_msvc_overflowbare.dll",
                   QVX_EXIT_TESTS_FAILED, "overflow.txt"},
        // A test that ends the process: the run is not over, whatever exit code the test asked for.
        GoldenCase{"TestCallsExitProcess", "-cmd fx_exitprocess.dll", QVX_EXIT_PROCESS_ENDED,
                   "exit_process.txt"},
        GoldenCase{"TestCallsExitProcessMsvcAbi", "-cmd fx_msvc_exitprocess.dll", QVX_EXIT_PROCESS_ENDED,
                   "exit_process.txt"},
        GoldenCase{"TestCallsRuntimeExit", "-cmd fx_crtexit.dll", QVX_EXIT_PROCESS_ENDED, "runtime_exit.txt"},
        GoldenCase{"NamedSubsetSuiteFirst", "fx_pass.dll -cmd third FIRST", QVX_EXIT_PASSED, "subset.txt"},
        // Names the suite does not have are named on one line; the others run.
        GoldenCase{"UnknownName", "-cmd fx_pass.dll nosuch", QVX_EXIT_NO_TESTS, "unknown_one.txt"},
        GoldenCase{"UnknownNames", "-CMD fx_pass.dll nosuch other", QVX_EXIT_NO_TESTS, "unknown.txt"},
        GoldenCase{"SomeNamesUnknown", "-cmd fx_pass.dll nosuch third other", QVX_EXIT_PASSED,
                   "unknown_some.txt"},
        GoldenCase{"QuotedPathWithBlanks", "-cmd \"with blanks\\fx pass.dll\" Second", QVX_EXIT_PASSED,
                   "quoted.txt"},
        GoldenCase{"LoadMissing", "-cmd no_such_suite.dll", QVX_EXIT_LOAD_FAILED, "load_missing.txt"},
        GoldenCase{"LoadFolder", "-cmd folder.dll", QVX_EXIT_LOAD_FAILED, "load_folder.txt"},
        GoldenCase{"LoadEmptyPath", "-cmd", QVX_EXIT_LOAD_FAILED, "load_empty.txt"},
        GoldenCase{"LoadNotAModule", "-cmd text.dll", QVX_EXIT_LOAD_FAILED, "load_invalid.txt"},
        GoldenCase{"LoadMissingDependency", "-cmd fx_dependency.dll", QVX_EXIT_LOAD_FAILED,
                   "load_dependency.txt"},
        // Built for the other architecture: the message names both.
        GoldenCase{"LoadOtherArchitecture", "-cmd fx_other_architecture.dll", QVX_EXIT_LOAD_FAILED,
#if QVX_ARCH_BITS == 32
                   "load_architecture_in_x86.txt"},
#else
                   "load_architecture_in_x86_64.txt"},
#endif
        GoldenCase{"LoadWrongVersion", "-cmd fx_version2.dll", QVX_EXIT_LOAD_FAILED, "load_version.txt"},
        GoldenCase{"LoadConstructorFaults", "-cmd fx_ctorfault.dll", QVX_EXIT_LOAD_FAILED,
                   "load_unexpected.txt"}),
    CaseName);
