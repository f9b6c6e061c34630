// CHarnessProcess: one Quorvex.exe process in dialog mode, started by a test and always ended by it. The
// program lies in ..\bin beside the tests' folder, the fixture suites in engine_fixtures below it.
#pragma once

#include <windows.h>

#include <string>

class CHarnessProcess
{
public:
    CHarnessProcess() = default;
    ~CHarnessProcess();
    CHarnessProcess(const CHarnessProcess&) = delete;
    CHarnessProcess& operator=(const CHarnessProcess&) = delete;

    static std::string TestFolder();
    static std::string ProgramPath();
    static std::string ProgramFolder();
    static std::string FixturePath(const std::string& name);
    static std::string SamplePath();

    // Starts the program with an optional suite path argument; QVX_FX_EMPTY_SLEEP (milliseconds) goes into
    // its environment when not empty. It starts in the given current folder (the program's folder when
    // empty). Waits until the main dialog shows; false (with the reason in Error()) when it does not.
    bool Start(const std::string& suitePath = std::string(),
               const std::string& emptyTestSleepMs = std::string(),
               const std::string& currentFolder = std::string());

    // Closes every other window of the program, then the main dialog (WM_CLOSE), and waits for the process
    // to end. True when it ended by itself within the time; otherwise it is terminated and false returned.
    bool Close(DWORD timeoutMs = 10000);
    // Waits for the process to end by itself.
    bool WaitForExit(DWORD timeoutMs);
    bool IsRunning() const;
    // The exit code once the process has ended (STILL_ACTIVE before).
    DWORD ExitCode() const;
    bool WasTerminated() const { return m_terminated; }

    DWORD Id() const { return m_info.dwProcessId; }
    HANDLE Handle() const { return m_info.hProcess; }
    HWND MainWindow() const { return m_main; }
    const std::string& Error() const { return m_error; }

private:
    void Terminate();

    PROCESS_INFORMATION m_info = {};
    HWND m_main = nullptr;
    bool m_terminated = false;
    std::string m_error;
};
