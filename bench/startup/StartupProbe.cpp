// The start-up benchmark's probe: starts one program and prints one line of what it measured.
//   startup_probe.exe exit  <program> [argument ...]
//       seconds from CreateProcess until the process has ended, and its exit code:
//       "seconds=<s> exit=<code>"
//   startup_probe.exe paint <program> [argument ...]
//       seconds from CreateProcess until the program's first window has painted, then the process's
//       private memory at that moment; the window is then closed (WM_CLOSE, ended after 10 s):
//       "seconds=<s> private_bytes=<n> closed=<1|0>"
//   startup_probe.exe hold
//       keeps Wine's desktop process running until the probe is ended (see HoldDesktop)
// "Painted" means: a visible top-level window without owner belongs to the process; neither it nor any
// of its child windows has an update region left; and its thread has since answered a sent WM_NULL (so
// it has returned to its message loop from the paint handlers, where Wine also hands the window's
// pixels to the display). The program's standard output and error go to startup_output.txt beside the
// probe. Exit code 0 when the measurement was made, 1 when not (the line then says why).
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{
const DWORD kWindowTimeoutMs = 60000;
const UINT kAnswerTimeoutMs = 10000;
const DWORD kCloseTimeoutMs = 10000;

std::string ProbeFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// The arguments joined into one command line, each quoted when it holds a space.
std::string CommandLine(int argc, char** argv, int first)
{
    std::string line;
    for (int i = first; i < argc; ++i)
    {
        if (!line.empty())
            line += ' ';
        if (std::strchr(argv[i], ' ') || std::strchr(argv[i], '\t') || !*argv[i])
            line += std::string("\"") + argv[i] + "\"";
        else
            line += argv[i];
    }
    return line;
}

double Seconds(const LARGE_INTEGER& start)
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

struct CTopWindowSearch
{
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindTopWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<CTopWindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER))
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FindChildToPaint(HWND window, LPARAM param)
{
    if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE))
    {
        *reinterpret_cast<bool*>(param) = true;
        return FALSE;
    }
    return TRUE;
}

bool PaintPending(HWND window)
{
    if (GetUpdateRect(window, nullptr, FALSE))
        return true;
    bool pending = false;
    EnumChildWindows(window, FindChildToPaint, reinterpret_cast<LPARAM>(&pending));
    return pending;
}

// Whether the window's thread answers a sent message within the time (it is back in its message loop).
bool Answers(HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &result) != 0;
}

// The process's private bytes, read through K32GetProcessMemoryInfo (kernel32) or, on systems that do
// not have it there, GetProcessMemoryInfo (psapi). Wine fills PagefileUsage where PrivateUsage is zero.
SIZE_T PrivateBytes(HANDLE process)
{
    using MemoryInfoFunction = BOOL(WINAPI*)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
    MemoryInfoFunction memoryInfo = nullptr;
    if (HMODULE kernel = GetModuleHandleA("kernel32.dll"))
        memoryInfo = reinterpret_cast<MemoryInfoFunction>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "K32GetProcessMemoryInfo")));
    if (!memoryInfo)
        if (HMODULE psapi = LoadLibraryA("psapi.dll"))
            memoryInfo = reinterpret_cast<MemoryInfoFunction>(
                reinterpret_cast<void*>(GetProcAddress(psapi, "GetProcessMemoryInfo")));
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (!memoryInfo ||
        !memoryInfo(process, reinterpret_cast<PPROCESS_MEMORY_COUNTERS>(&counters), sizeof(counters)))
        return 0;
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

int Fail(const char* why, PROCESS_INFORMATION* started)
{
    std::printf("failed: %s\n", why);
    if (started)
    {
        TerminateProcess(started->hProcess, 1);
        CloseHandle(started->hThread);
        CloseHandle(started->hProcess);
    }
    return 1;
}

int MeasureExit(PROCESS_INFORMATION& info, const LARGE_INTEGER& start)
{
    WaitForSingleObject(info.hProcess, INFINITE);
    const double seconds = Seconds(start);
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    std::printf("seconds=%.6f exit=%lu\n", seconds, static_cast<unsigned long>(code));
    return 0;
}

int MeasurePaint(PROCESS_INFORMATION& info, const LARGE_INTEGER& start)
{
    CTopWindowSearch search{info.dwProcessId, nullptr};
    for (;;)
    {
        EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            break;
        if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0)
            return Fail("the program ended without showing a window", &info);
        if (Seconds(start) * 1000 > kWindowTimeoutMs)
            return Fail("no window within 60 s", &info);
    }
    HWND window = search.found;
    for (;;)
    {
        if (!PaintPending(window))
        {
            if (!Answers(window))
                return Fail("the window's thread does not answer", &info);
            if (!PaintPending(window))
                break;
        }
        if (!IsWindow(window))
            return Fail("the window went away before it painted", &info);
        Sleep(1);
    }
    const double seconds = Seconds(start);
    const SIZE_T privateBytes = PrivateBytes(info.hProcess);
    PostMessageA(window, WM_CLOSE, 0, 0);
    const bool closed = WaitForSingleObject(info.hProcess, kCloseTimeoutMs) == WAIT_OBJECT_0;
    if (!closed)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (!privateBytes)
        return Fail("the process's memory counters could not be read", nullptr);
    std::printf("seconds=%.6f private_bytes=%llu closed=%d\n", seconds,
                static_cast<unsigned long long>(privateBytes), closed ? 1 : 0);
    return 0;
}
// Keeps Wine's desktop process alive between the measured runs (it ends about a second after the last
// process using the desktop, and the next program to open a window would start it again, beside its own
// start-up): a window of this process is on the desktop until the process is ended, or an hour has passed.
int HoldDesktop()
{
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!window)
        return Fail("cannot create a window on the desktop", nullptr);
    std::printf("holding the desktop\n");
    std::fflush(stdout);
    Sleep(3600 * 1000);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "hold") == 0)
        return HoldDesktop();
    if (argc < 3 || (std::strcmp(argv[1], "exit") != 0 && std::strcmp(argv[1], "paint") != 0))
    {
        std::fprintf(stderr, "usage: startup_probe exit|paint <program> [argument ...] | hold\n");
        return 2;
    }
    const bool paint = std::strcmp(argv[1], "paint") == 0;
    std::string line = CommandLine(argc, argv, 2);
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');

    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    const std::string outputName = ProbeFolder() + "startup_output.txt";
    // Shared for writing too: a process that inherited the last run's handle (Wine's desktop process, when a
    // measured program started it) may still hold the file.
    HANDLE output = CreateFileA(outputName.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                CREATE_ALWAYS, 0, nullptr);
    if (output == INVALID_HANDLE_VALUE)
        return Fail("cannot write startup_output.txt beside the probe", nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION info = {};

    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    const BOOL started = CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &info);
    CloseHandle(output);
    if (!started)
        return Fail("CreateProcess failed", nullptr);
    return paint ? MeasurePaint(info, start) : MeasureExit(info, start);
}
