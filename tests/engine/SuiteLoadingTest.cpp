#include "tests/engine/EngineTestSupport.h"
#include "engine/QuorvexExecutor.h"

#include <gtest/gtest.h>

namespace
{
struct LoadCase
{
    const char* file; // in the fixture folder; "" for an empty path
    int result;
};

class LoadResultTest : public ::testing::TestWithParam<LoadCase>
{
protected:
    static void SetUpTestSuite()
    {
        CreateDirectoryA(FixturePath("folder.dll").c_str(), nullptr);
        WriteTextFile(FixturePath("text.dll"), "this is not a module\r\n");
    }
};
} // namespace

TEST_P(LoadResultTest, GivesItsResultAndLeavesNothingLoaded)
{
    const LoadCase& c = GetParam();
    CUnitTestExecutor executor;
    CRecordingLogManager sink;
    executor.SetLogManager(&sink);
    executor.SetSuitePath(CDravikString(c.file[0] ? FixturePath(c.file).c_str() : ""));
    EXPECT_EQ(executor.LoadSuite(), c.result) << c.file;
    if (c.result == QVX_LOAD_OK)
    {
        EXPECT_NE(executor.GetModule(), nullptr);
        EXPECT_GT(executor.GetTestCount(), 0);
        EXPECT_EQ(executor.GetSelectedCount(), executor.GetTestCount());
    }
    else
    {
        EXPECT_EQ(executor.GetModule(), nullptr) << c.file;
        EXPECT_EQ(executor.GetSuiteObject(), nullptr) << c.file;
        EXPECT_EQ(executor.GetTestCount(), 0) << c.file;
        // Nothing of the fixture stays mapped in the process.
        if (c.file[0])
        {
            EXPECT_EQ(GetModuleHandleA(FixturePath(c.file).c_str()), nullptr) << c.file;
        }
    }
    executor.UnloadSuite();
}

INSTANTIATE_TEST_SUITE_P(
    Loading, LoadResultTest,
    ::testing::Values(LoadCase{"", QVX_LOAD_MISSING}, LoadCase{"no_such_suite.dll", QVX_LOAD_MISSING},
                      LoadCase{"folder.dll", QVX_LOAD_MISSING}, LoadCase{"text.dll", QVX_LOAD_INVALID},
                      LoadCase{"fx_dependency.dll", QVX_LOAD_DEPENDENCIES},
                      LoadCase{"fx_noctor.dll", QVX_LOAD_WRONG_VERSION},
                      LoadCase{"fx_version2.dll", QVX_LOAD_WRONG_VERSION},
                      LoadCase{"fx_notests.dll", QVX_LOAD_WRONG_VERSION},
                      LoadCase{"fx_ctorfault.dll", QVX_LOAD_UNEXPECTED},
                      LoadCase{"fx_registerfault.dll", QVX_LOAD_UNEXPECTED},
                      LoadCase{"fx_other_architecture.dll", QVX_LOAD_WRONG_ARCHITECTURE},
                      LoadCase{"fx_pass.dll", QVX_LOAD_OK}, LoadCase{"fx_msvc_pass.dll", QVX_LOAD_OK}));

TEST(SuiteLoading, MissingDependencyRecordsTheSystemError)
{
    CUnitTestExecutor executor;
    executor.SetSuitePath(CDravikString(FixturePath("fx_dependency.dll").c_str()));
    EXPECT_EQ(executor.LoadSuite(), QVX_LOAD_DEPENDENCIES);
    EXPECT_EQ(executor.GetLastLoadError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(SuiteLoading, RefusedVersionStillDestroysTheObject)
{
    SetEnvironmentVariableA("QVX_FIXTURE_DESTROYED", nullptr);
    CUnitTestExecutor executor;
    executor.SetSuitePath(CDravikString(FixturePath("fx_version2.dll").c_str()));
    EXPECT_EQ(executor.LoadSuite(), QVX_LOAD_WRONG_VERSION);
    char value[8] = {};
    EXPECT_GT(GetEnvironmentVariableA("QVX_FIXTURE_DESTROYED", value, sizeof(value)), 0u);
    EXPECT_STREQ(value, "1");
}

TEST(SuiteLoading, LoadingAgainUnloadsThePreviousSuiteCompletely)
{
    CUnitTestExecutor executor;
    executor.SetSuitePath(CDravikString(FixturePath("fx_pass.dll").c_str()));
    ASSERT_EQ(executor.LoadSuite(), QVX_LOAD_OK);
    ASSERT_NE(GetModuleHandleA(FixturePath("fx_pass.dll").c_str()), nullptr);
    EXPECT_EQ(executor.GetTestCount(), 3); // null name and null entry were refused
    executor.SetSuitePath(CDravikString(FixturePath("fx_error.dll").c_str()));
    ASSERT_EQ(executor.LoadSuite(), QVX_LOAD_OK);
    EXPECT_EQ(GetModuleHandleA(FixturePath("fx_pass.dll").c_str()), nullptr);
    EXPECT_EQ(executor.GetTestCount(), 3);
    // The wide name was made 8-bit: the tab stays, the bell became a blank.
    EXPECT_STREQ(executor.GetSuiteName().GetAnsi(), "Fixture\tError Suite");
    EXPECT_TRUE(executor.UnloadSuite()); // destroyed through the destructor export
    EXPECT_EQ(executor.GetTestCount(), 0);
    EXPECT_FALSE(executor.UnloadSuite());
}

TEST(SuiteLoading, RelativeNameIsLoadedByItsAbsolutePath)
{
    // The same bare name in the program's folder (searched first by the system loader) and in the current
    // folder (where the existence check finds it): the harness must load the one it found.
    std::string programFolder = TestProgramFolder();
    ASSERT_TRUE(
        CopyFileA(FixturePath("fx_error.dll").c_str(), (programFolder + "qvx_decoy.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(FixturePath("fx_pass.dll").c_str(), FixturePath("qvx_decoy.dll").c_str(), FALSE));
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(FixtureFolder().c_str()));
    {
        CUnitTestExecutor executor;
        executor.SetSuitePath(CDravikString("qvx_decoy.dll"));
        EXPECT_EQ(executor.LoadSuite(), QVX_LOAD_OK);
        char loaded[MAX_PATH] = {};
        GetModuleFileNameA(executor.GetModule(), loaded, MAX_PATH);
        EXPECT_EQ(lstrcmpiA(loaded, FixturePath("qvx_decoy.dll").c_str()), 0) << loaded;
        EXPECT_STREQ(executor.GetSuiteName().GetAnsi(), "Fixture Pass");
        executor.UnloadSuite();
    }
    SetCurrentDirectoryA(previous);
    DeleteFileA((programFolder + "qvx_decoy.dll").c_str());
    DeleteFileA(FixturePath("qvx_decoy.dll").c_str());
}

TEST(SuiteLoading, BareNameFoundOnlyInTheProgramFolderBecomesAFullPath)
{
    std::string programFolder = TestProgramFolder();
    ASSERT_TRUE(
        CopyFileA(FixturePath("fx_pass.dll").c_str(), (programFolder + "qvx_beside.dll").c_str(), FALSE));
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(FixtureFolder().c_str()));
    {
        CUnitTestExecutor executor;
        executor.SetSuitePath(CDravikString("qvx_beside.dll"));
        EXPECT_EQ(executor.LoadSuite(), QVX_LOAD_OK);
        EXPECT_EQ(lstrcmpiA(executor.GetSuitePath().GetAnsi(), (programFolder + "qvx_beside.dll").c_str()), 0)
            << executor.GetSuitePath().GetAnsi();
        executor.UnloadSuite();
    }
    SetCurrentDirectoryA(previous);
    DeleteFileA((programFolder + "qvx_beside.dll").c_str());
}

TEST(SuiteLoading, FolderFollowsTheLoadedModule)
{
    CUnitTestExecutor executor;
    executor.SetSuitePath(CDravikString("sub\\fx_pass.dll"));
    EXPECT_STREQ(executor.ComputeSuiteFolder().GetAnsi(), "sub\\");
    executor.SetSuitePath(CDravikString(FixturePath("fx_pass.dll").c_str()));
    ASSERT_EQ(executor.LoadSuite(), QVX_LOAD_OK);
    EXPECT_EQ(lstrcmpiA(executor.ComputeSuiteFolder().GetAnsi(), FixtureFolder().c_str()), 0);
}
