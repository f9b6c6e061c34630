// markup_fuzz [flips per seed] [inserts per seed] [seed]
// Runs the hostile-input mutations of the markup tokenizer and builder for longer than the tests do
// and prints the figures. Exit code 0 when every copy gave a tree or an error with a message and
// left nothing alive (a crash ends the program with the fault instead).
#include "tools/fuzz/MarkupMutation.h"

#include <cstdio>
#include <cstdlib>

#include "toolkit/markup/context/XTPMarkupContext.h"

int main(int argc, char** argv)
{
    int nFlips = argc > 1 ? std::atoi(argv[1]) : 20000;
    int nInserts = argc > 2 ? std::atoi(argv[2]) : 20000;
    unsigned nSeed = argc > 3 ? (unsigned)std::strtoul(argv[3], nullptr, 10) : 20261211u;
    CXTPMarkupContext* pContext = new CXTPMarkupContext(nullptr);
    markupmutation::Stats stats = markupmutation::Run(pContext, nSeed, nFlips, nInserts, true);
    pContext->Release();
    std::printf("markup: %u copies, %u trees, %u errors, %u without a message, %u leaking, %.1f s\n",
                (unsigned)stats.nParses, (unsigned)stats.nTrees, (unsigned)stats.nErrors,
                (unsigned)stats.nSilentFailures, (unsigned)stats.nLeaks, stats.dSeconds);
    return stats.nSilentFailures == 0 && stats.nLeaks == 0 ? 0 : 1;
}
