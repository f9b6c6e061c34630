// Opens a window with a results tree, runs the bundled sample suite into it through the executor and the
// dialog's log sink, and keeps the window open (for a screenshot) until it is closed or the given number
// of seconds (first argument, default 30) has passed.
#include <cstdio>
#include <cstdlib>

#include "tests/ui/ResultsTreeTestSupport.h"
#include "ui/UnitTestUILogManager.h"

int main(int argc, char** argv)
{
    const DWORD seconds = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 30;
    CQuorvexApp app;
    CResultsTreeHost host(true);
    if (!host.IsReady())
    {
        std::printf("the window could not be made\n");
        return 1;
    }
    CUnitTestUILogManager* sink = new CUnitTestUILogManager;
    app.SetLogManager(sink);
    sink->SetTree(&host.Tree());
    int loaded = app.LoadTestSuite(CDravikString(BundledSamplePath().c_str()));
    if (loaded != 0)
    {
        std::printf("the sample suite did not load (%d)\n", loaded);
        return 1;
    }
    CUnitTestExecutor* executor = app.GetExecutor();
    executor->SelectAllTests(true);
    executor->RunSelectedTests(true);
    host.Tree().SelectFirstItem();
    std::printf("%ld tests, %ld errors, %ld warnings, %ld information messages\n", host.Tree().CountTests(),
                host.Tree().GetErrorCount(), host.Tree().GetWarningCount(),
                host.Tree().GetInformationCount());
    std::fflush(stdout);
    PumpMessages(seconds * 1000);
    sink->SetTree(nullptr);
    return 0;
}
