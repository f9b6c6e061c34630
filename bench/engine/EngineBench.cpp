// Engine benchmarks, each side run as a child process with standard output into a file, best of seven:
//  1. harness time per empty test in command-line mode against GoogleTest's time per empty test;
//  2. 100,000 information messages from one test against printf + fflush of the same lines;
//  3. 100,000 information messages from 10 helper threads of one test against 10 threads that print the same
//     lines with printf + fflush under one critical section (wall and processor time).
// Per-item times subtract a one-item run (one item per thread) of the same program, so process start-up
// cancels out.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
std::string Folder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

struct Timing
{
    double wall = -1;
    double cpu = -1; // user and kernel time of the process
};

double Seconds(const FILETIME& time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 1e7;
}

// Wall and processor seconds that the command took (-1 on failure).
Timing Measure(const std::string& commandLine, const char* mode, long count)
{
    Timing timing;
    char value[32];
    std::snprintf(value, sizeof(value), "%ld", count);
    SetEnvironmentVariableA("QVX_BENCH_MODE", mode);
    SetEnvironmentVariableA("QVX_BENCH_COUNT", value);
    std::string outName = Folder() + "engine_bench_output.txt";
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE out =
        CreateFileA(outName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out;
    si.hStdError = out;
    PROCESS_INFORMATION pi{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    BOOL started =
        CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, Folder().c_str(), &si, &pi);
    CloseHandle(out);
    if (!started)
        return timing;
    WaitForSingleObject(pi.hProcess, INFINITE);
    QueryPerformanceCounter(&end);
    FILETIME created, exited, kernel, user;
    if (GetProcessTimes(pi.hProcess, &created, &exited, &kernel, &user))
        timing.cpu = Seconds(kernel) + Seconds(user);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    DeleteFileA(outName.c_str());
    timing.wall = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    return timing;
}

// The fastest of seven runs (by wall time).
Timing BestTiming(const std::string& commandLine, const char* mode, long count)
{
    Timing best;
    best.wall = 1e30;
    for (int i = 0; i < 7; ++i)
    {
        Timing t = Measure(commandLine, mode, count);
        if (t.wall >= 0 && t.wall < best.wall)
            best = t;
    }
    return best;
}

double Best(const std::string& commandLine, const char* mode, long count)
{
    return BestTiming(commandLine, mode, count).wall;
}
} // namespace

int main()
{
    std::string harness =
        "\"" + Folder() + "..\\bin\\Quorvex.exe\" -cmd \"" + Folder() + "engine\\engine_bench_suite.dll\"";
    std::string gtest = "\"" + Folder() + "engine\\engine_bench_gtest.exe\"";
    std::string baseline = "\"" + Folder() + "engine\\engine_bench_printf.exe\"";

    const long tests = 10000;
    double harnessMany = Best(harness, "empty", tests), harnessOne = Best(harness, "empty", 1);
    double gtestMany = Best(gtest, "", 0),
           gtestOne = Best(gtest + " --gtest_filter=Empty/EmptyTest.Nothing/0", "", 0);
    double harnessPerTest = (harnessMany - harnessOne) / (tests - 1);
    double gtestPerTest = (gtestMany - gtestOne) / (tests - 1);
    std::printf("empty tests: %ld\n", tests);
    std::printf("  harness -cmd: %.3f s (1 test %.3f s) -> %.2f us per test\n", harnessMany, harnessOne,
                harnessPerTest * 1e6);
    std::printf("  GoogleTest:   %.3f s (1 test %.3f s) -> %.2f us per test\n", gtestMany, gtestOne,
                gtestPerTest * 1e6);
    std::printf("  ratio harness / GoogleTest per test: %.2f\n", harnessPerTest / gtestPerTest);

    const long messages = 100000;
    double floodMany = Best(harness, "flood", messages), floodOne = Best(harness, "flood", 1);
    double printfMany = Best(baseline + " 100000", "", 0), printfOne = Best(baseline + " 1", "", 0);
    double floodPer = (floodMany - floodOne) / (messages - 1);
    double printfPer = (printfMany - printfOne) / (messages - 1);
    std::printf("information messages: %ld\n", messages);
    std::printf("  harness -cmd:    %.3f s -> %.2f us per message\n", floodMany, floodPer * 1e6);
    std::printf("  printf + fflush: %.3f s -> %.2f us per line\n", printfMany, printfPer * 1e6);
    std::printf("  ratio harness / printf per message: %.2f (aim: within 1.5)\n", floodPer / printfPer);

    const long threads = 10;
    SetEnvironmentVariableA("QVX_BENCH_THREADS", "10");
    Timing threadsMany = BestTiming(harness, "threads", messages), threadsOne = BestTiming(harness, "threads", threads);
    Timing lockedMany = BestTiming(baseline + " 100000 10", "", 0), lockedOne = BestTiming(baseline + " 10 10", "", 0);
    double threadsPer = (threadsMany.wall - threadsOne.wall) / (messages - threads);
    double lockedPer = (lockedMany.wall - lockedOne.wall) / (messages - threads);
    std::printf("information messages from %ld helper threads: %ld\n", threads, messages);
    std::printf("  harness -cmd:    %.3f s (cpu %.3f s) -> %.2f us per message\n", threadsMany.wall,
                threadsMany.cpu, threadsPer * 1e6);
    std::printf("  printf + fflush under one critical section: %.3f s (cpu %.3f s) -> %.2f us per line\n",
                lockedMany.wall, lockedMany.cpu, lockedPer * 1e6);
    std::printf("  ratio harness / printf per message: %.2f (aim: within 2)\n", threadsPer / lockedPer);
    return 0;
}
