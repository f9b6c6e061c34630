// Baseline of the message benchmarks: prints the console sink's information line (local time stamp and
// text) with printf and flushes after every line, as many times as the first argument says. With a
// second argument above 1, that many threads share the lines and print them under one critical section,
// and the threads' own time is written to the file that QVX_BENCH_TIMES names.
#include "bench/engine/BenchTimes.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{
CRITICAL_SECTION g_print;

struct Share
{
    long thread;
    long lines;
};

void PrintLine(long thread, long number)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::printf("   |--> [%02d:%02d:%02d:%d] helper %ld message %ld\n", now.wHour, now.wMinute, now.wSecond,
                now.wMilliseconds, thread, number);
    std::fflush(stdout);
}

DWORD WINAPI PrintShare(LPVOID parameter)
{
    const Share* share = static_cast<const Share*>(parameter);
    for (long i = 0; i < share->lines; ++i)
    {
        EnterCriticalSection(&g_print);
        PrintLine(share->thread, i);
        LeaveCriticalSection(&g_print);
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    long count = argc > 1 ? std::atol(argv[1]) : 1;
    long threads = argc > 2 ? std::atol(argv[2]) : 1;
    if (threads <= 1)
    {
        for (long i = 0; i < count; ++i)
            PrintLine(0, i);
        return 0;
    }
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    InitializeCriticalSection(&g_print);
    std::vector<Share> shares(static_cast<size_t>(threads));
    std::vector<HANDLE> handles;
    for (long t = 0; t < threads; ++t)
    {
        shares[t] = {t, count / threads};
        HANDLE thread = CreateThread(nullptr, 0, PrintShare, &shares[t], 0, nullptr);
        if (thread)
            handles.push_back(thread);
    }
    for (HANDLE thread : handles)
    {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    DeleteCriticalSection(&g_print);
    WriteBenchSeconds(start);
    return 0;
}
