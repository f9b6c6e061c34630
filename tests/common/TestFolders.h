// Where the test executables find what they load: their own folder, the program's folder (build/bin), the
// engine's and the user interface's fixture suites beside the tests, and the bundled sample suite.
#pragma once

#include <windows.h>

#include <string>

namespace qvx_test
{
// The folder of the running test executable, with a trailing backslash.
inline std::string TestProgramFolder()
{
    char path[MAX_PATH * 2] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    const size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".\\") : folder.substr(0, slash + 1);
}

// The program's folder (build/bin beside build/tests), absolute, with a trailing backslash.
inline std::string ProgramFolder()
{
    const std::string relative = TestProgramFolder() + "..\\bin\\";
    char full[MAX_PATH * 2] = {};
    const DWORD n = ::GetFullPathNameA(relative.c_str(), sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? std::string(full) : relative;
}

inline std::string ProgramPath()
{
    return ProgramFolder() + "Quorvex.exe";
}

inline std::string SamplePath()
{
    return ProgramFolder() + "samples\\QuorvexSample.dll";
}

// The engine's fixture suites (engine_fixtures\fx_*.dll beside the tests).
inline std::string EngineFixtureFolder()
{
    return TestProgramFolder() + "engine_fixtures\\";
}

inline std::string EngineFixturePath(const std::string& name)
{
    return EngineFixtureFolder() + name;
}

// The user interface's fixture suites (ui_fixtures\ beside the tests).
inline std::string UiFixturePath(const std::string& name)
{
    return TestProgramFolder() + "ui_fixtures\\" + name;
}
} // namespace qvx_test
