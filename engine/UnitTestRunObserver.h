// What the engine tells the program's user interface about a run: the run's begin, each test's start and
// end (with the test's message counts), the run's end, and that log lines were shown. The executor (on its worker
// thread) and the sinks (any thread) tell them to the application (CUnitTestHost, an observer itself), which
// passes them on to its run observer; the engine knows nothing of who listens, and dialog mode's main window
// implements them.
#pragma once

// The messages a test reported through the callback interface.
struct CUnitTestCounts
{
    long errors = 0;
    long warnings = 0;
    long information = 0;

    bool IsClean() const { return errors == 0 && warnings == 0; }
};

class CUnitTestRunObserver
{
public:
    virtual ~CUnitTestRunObserver() = default;
    // A run of `selectedCount` tests begins (before its first test).
    virtual void OnRunBegun(long selectedCount) {}
    // Test number `index` of the run (from 1) has started.
    virtual void OnTestStarted(long index) {}
    // Test number `index` has finished with these counts.
    virtual void OnTestFinished(long index, const CUnitTestCounts& counts) {}
    // The run has ended (the executor's locks are free again).
    virtual void OnRunEnded() {}
    // A sink has shown log lines (any thread).
    virtual void OnLogUpdated() {}
};
