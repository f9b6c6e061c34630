#include "tests/engine/EngineTestSupport.h"

#include <cstdio>
#include <fstream>

bool WriteTextFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

std::string GoldenPath(const std::string& name)
{
    std::string folder = QVX_ENGINE_GOLDEN_DIR;
    if (!folder.empty() && folder[0] == '/')
        folder = "Z:" + folder; // the build's own path, seen through Wine's root drive
    return folder + "/" + name;
}

int RunProgram(const std::string& arguments, const std::string& folder, std::string* output, DWORD timeoutMs)
{
    char outName[MAX_PATH];
    static int counter = 0;
    std::snprintf(outName, sizeof(outName), "%sprogram_output_%lu_%d.txt", FixtureFolder().c_str(),
                  GetCurrentProcessId(), ++counter);
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE out = CreateFileA(outName, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return -1;
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out;
    si.hStdError = out;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    std::string commandLine = "\"" + ProgramPath() + "\" " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    BOOL started = CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                  folder.empty() ? nullptr : folder.c_str(), &si, &pi);
    CloseHandle(out);
    if (!started)
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 99);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (output)
        *output = ReadFileBytes(outName);
    DeleteFileA(outName);
    return static_cast<int>(code);
}

void CRecordingLogManager::Add(const std::string& event)
{
    CThreadLockGuard hold(m_sinkLock);
    m_events.push_back(event);
}

std::vector<std::string> CRecordingLogManager::Events()
{
    CThreadLockGuard hold(m_sinkLock);
    return m_events;
}

void CRecordingLogManager::LogRunBegin(const char* suiteName, long selectedCount)
{
    Add("begin " + std::string(suiteName) + " " + std::to_string(selectedCount));
}

void CRecordingLogManager::LogRunEnd(const char* suiteName)
{
    Add("end " + std::string(suiteName));
}

bool CRecordingLogManager::LogTestBegin(CDravikString testName, long index)
{
    CThreadLockGuard hold(m_sinkLock);
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    m_currentFolderAtTest = folder;
    Add("test " + std::to_string(index) + " " + testName.GetAnsi());
    if (m_onTestBegin)
        m_onTestBegin(this, index);
    return true;
}

bool CRecordingLogManager::LogTestEnd(CDravikString testName, const CUnitTestCounts&)
{
    Add("finished " + std::string(testName.GetAnsi()));
    return true;
}

bool CRecordingLogManager::LogError(CDravikString text, long line)
{
    Add("error " + std::to_string(line) + " " + text.GetAnsi());
    return true;
}

bool CRecordingLogManager::LogWarning(CDravikString text, long line)
{
    Add("warning " + std::to_string(line) + " " + text.GetAnsi());
    return true;
}

bool CRecordingLogManager::LogInformation(CDravikString text)
{
    Add("info " + std::string(text.GetAnsi()));
    return true;
}
