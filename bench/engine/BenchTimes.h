// The engine benchmark's side channel: a program that times its own threads writes the seconds to the file
// that QVX_BENCH_TIMES names, so that the benchmark need not subtract the program's start-up.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>

// Seconds from start (a QueryPerformanceCounter value) until now, written when QVX_BENCH_TIMES is set.
inline void WriteBenchSeconds(const LARGE_INTEGER& start)
{
    LARGE_INTEGER frequency, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&end);
    const char* times = std::getenv("QVX_BENCH_TIMES");
    FILE* file = times ? std::fopen(times, "w") : nullptr;
    if (!file)
        return;
    std::fprintf(file, "%.6f\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    std::fclose(file);
}
