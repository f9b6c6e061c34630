// propexchange_fuzz [random copies per reader] [seed] [seconds per reader]
// Runs the hostile-input mutations of the property-exchange readers for longer than the tests do and
// prints the figures per reader. Exit code 0 when every copy loaded or was refused cleanly (a crash
// ends the program with the fault instead).
#include "tools/fuzz/PropExchangeMutation.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    size_t nRandom = argc > 1 ? static_cast<size_t>(std::strtoull(argv[1], nullptr, 10)) : 200000;
    unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 20261210u;
    double seconds = argc > 3 ? std::strtod(argv[3], nullptr) : 0;
    int failures = 0;
    for (const pxmutation::Reader& reader : pxmutation::Readers())
    {
        pxmutation::Stats stats = pxmutation::Run(reader, seed, nRandom, seconds);
        std::printf("%s\n", pxmutation::Describe(reader, stats).c_str());
        std::fflush(stdout);
        if (stats.copies != stats.loaded + stats.refused)
            ++failures;
    }
    return failures;
}
