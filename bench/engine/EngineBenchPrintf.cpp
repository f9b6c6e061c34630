// Baseline of the message benchmark: prints the console sink's information line (local time stamp and
// text) with printf and flushes after every line, as many times as the first argument says.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    long count = argc > 1 ? std::atol(argv[1]) : 1;
    for (long i = 0; i < count; ++i)
    {
        SYSTEMTIME now;
        GetLocalTime(&now);
        std::printf("   |--> [%02d:%02d:%02d:%d] information message %ld\n", now.wHour, now.wMinute,
                    now.wSecond, now.wMilliseconds, i);
        std::fflush(stdout);
    }
    return 0;
}
