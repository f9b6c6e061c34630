// Shared helpers of the engine tests: fixture paths, a recording log sink and running the program.
#pragma once

#include "tests/common/TestFolders.h"
#include "tests/common/TestText.h"
#include "engine/UnitTestExecutor.h"
#include "engine/UnitTestLogManager.h"

#include <string>
#include <vector>

// Folder of this test program (with a trailing backslash).
using qvx_test::TestProgramFolder;
// Folder of the fixture DLLs (with a trailing backslash) and the path of one of them.
inline std::string FixtureFolder()
{
    return qvx_test::EngineFixtureFolder();
}
inline std::string FixturePath(const std::string& name)
{
    return qvx_test::EngineFixturePath(name);
}
// build/bin/Quorvex.exe.
using qvx_test::ProgramPath;
// Replaces every "[hh:mm:ss:ms]" time stamp by "[TS]".
using qvx_test::MaskStamps;
using qvx_test::ReadFileBytes;
bool WriteTextFile(const std::string& path, const std::string& text);
std::string GoldenPath(const std::string& name);

// Runs Quorvex.exe with the given arguments in the given folder, standard output into a file; returns the
// exit code (-1 when it could not start or did not end within the time-out).
int RunProgram(const std::string& arguments, const std::string& folder, std::string* output,
               DWORD timeoutMs = 120000);

// A sink that records every event as one line of text ("begin Suite 3", "test 1 First", "info text", ...).
class CRecordingLogManager : public CUnitTestBaseLogManager
{
public:
    void LogRunBegin(const char* suiteName, long selectedCount) override;
    void LogRunEnd(const char* suiteName) override;
    bool LogTestBegin(CDravikString testName, long index) override;
    bool LogTestEnd(CDravikString testName, const CUnitTestCounts& counts) override;
    bool LogError(CDravikString text, long line) override;
    bool LogWarning(CDravikString text, long line) override;
    bool LogInformation(CDravikString text) override;

    std::vector<std::string> Events();
    // Called (under the sink lock) at each test begin; lets a test act during a run.
    void (*m_onTestBegin)(CRecordingLogManager* self, long index) = nullptr;
    CUnitTestExecutor* m_pExecutor = nullptr;
    std::string m_currentFolderAtTest;

private:
    void Add(const std::string& event);
    std::vector<std::string> m_events;
};
