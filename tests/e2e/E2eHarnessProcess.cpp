#include "tests/e2e/E2eHarnessProcess.h"

#include <vector>

#include "tests/e2e/E2eWindows.h"
#include "tests/common/TestFolders.h"

namespace
{
// Sets or clears an environment variable for the lifetime of the object, then puts the old value back.
class CScopedEnvironment
{
public:
    CScopedEnvironment(const char* name, const std::string& value) : m_name(name)
    {
        char old[256] = {};
        DWORD length = ::GetEnvironmentVariableA(name, old, sizeof old);
        m_had = length > 0 && length < sizeof old;
        m_old = m_had ? old : "";
        ::SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
    }
    ~CScopedEnvironment() { ::SetEnvironmentVariableA(m_name, m_had ? m_old.c_str() : nullptr); }

private:
    const char* m_name;
    bool m_had = false;
    std::string m_old;
};
} // namespace

CHarnessProcess::~CHarnessProcess()
{
    if (IsRunning())
        Terminate();
    if (m_info.hThread)
        ::CloseHandle(m_info.hThread);
    if (m_info.hProcess)
        ::CloseHandle(m_info.hProcess);
}

std::string CHarnessProcess::TestFolder()
{
    return qvx_test::TestProgramFolder();
}

std::string CHarnessProcess::ProgramFolder()
{
    return qvx_test::ProgramFolder();
}

std::string CHarnessProcess::ProgramPath()
{
    return qvx_test::ProgramPath();
}

std::string CHarnessProcess::FixturePath(const std::string& name)
{
    return qvx_test::EngineFixturePath(name);
}

std::string CHarnessProcess::SamplePath()
{
    return qvx_test::SamplePath();
}

bool CHarnessProcess::Start(const std::string& suitePath, const std::string& emptyTestSleepMs,
                            const std::string& currentFolder)
{
    if (m_info.hProcess)
    {
        m_error = "the process was started before";
        return false;
    }
    const std::string program = ProgramPath();
    std::string commandLine = "\"" + program + "\"";
    if (!suitePath.empty())
        commandLine += " \"" + suitePath + "\"";
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    BOOL created = FALSE;
    DWORD error = 0;
    {
        // The child inherits this process's environment.
        CScopedEnvironment sleep("QVX_FX_EMPTY_SLEEP", emptyTestSleepMs);
        // Wine can refuse a start for a moment right after a process of the program was ended from outside
        // (ERROR_INTERNAL_ERROR): a few tries, a quarter of a second apart.
        for (int attempt = 0; attempt < 5; ++attempt)
        {
            std::vector<char> commandLine = buffer; // CreateProcessA may write into it
            created = ::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                       currentFolder.empty() ? ProgramFolder().c_str() : currentFolder.c_str(),
                                       &startup, &m_info);
            error = created ? 0 : ::GetLastError();
            if (created || error != ERROR_INTERNAL_ERROR)
                break;
            ::Sleep(250);
        }
    }
    if (!created)
    {
        m_error = "CreateProcess failed for " + program + " (error " + std::to_string(error) + ")";
        return false;
    }
    // The dialog shows once its initialisation is done.
    const bool shown = qvx_e2e::WaitUntil(
        [&] {
            m_main = qvx_e2e::FindProcessWindow(m_info.dwProcessId, "#32770", "Quorvex");
            return m_main != nullptr || !IsRunning();
        },
        20000);
    if (!shown || !m_main)
    {
        m_error = IsRunning() ? "the main dialog did not show within 20 s"
                              : "the program ended before its dialog showed (exit code " +
                                    std::to_string(ExitCode()) + ")";
        return false;
    }
    return true;
}

bool CHarnessProcess::IsRunning() const
{
    return m_info.hProcess && ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD CHarnessProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_info.hProcess)
        ::GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

bool CHarnessProcess::WaitForExit(DWORD timeoutMs)
{
    return m_info.hProcess && ::WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool CHarnessProcess::Close(DWORD timeoutMs)
{
    if (!m_info.hProcess)
        return false;
    if (!IsRunning())
        return !m_terminated;
    // Message boxes, file dialogs and the about box end with IDCANCEL; then the main dialog closes.
    for (HWND window : qvx_e2e::ProcessWindows(m_info.dwProcessId))
    {
        if (window != m_main && qvx_e2e::ClassName(window) == "#32770")
            ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    qvx_e2e::WaitUntil(
        [&] {
            for (HWND window : qvx_e2e::ProcessWindows(m_info.dwProcessId))
                if (window != m_main && qvx_e2e::ClassName(window) == "#32770")
                    return false;
            return true;
        },
        timeoutMs / 2);
    if (m_main)
        ::PostMessageA(m_main, WM_CLOSE, 0, 0);
    if (WaitForExit(timeoutMs))
        return true;
    Terminate();
    return false;
}

void CHarnessProcess::Terminate()
{
    m_terminated = true;
    ::TerminateProcess(m_info.hProcess, 99);
    ::WaitForSingleObject(m_info.hProcess, 5000);
}
