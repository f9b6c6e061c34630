// CProcessEndWatch: notices the process ending while a run is in progress (a test or one of its helpers
// calls ExitProcess, or the C runtime's exit) and turns it into a failure that no script can read as a pass:
// an error line for the running test, and the exit code QVX_EXIT_PROCESS_ENDED instead of the one the suite
// asked for.
//
// It listens at three places, because none sees every way out:
// - ExitProcess called from the suite's own code (or from a C runtime linked into the suite) goes through
//   the suite module's import address table. When the suite is loaded, its entries for ExitProcess are
//   pointed at the watch (WatchModule); outside a run the watch passes the call on unchanged. Everything
//   is still whole there: the line, with the exit code asked for, goes through the run's sink.
// - The C runtime's exit (the runtime the program shares with GCC-built suites) first runs the handlers
//   registered with atexit, last registered first. The watch registers its handler when the first run
//   begins, after the program's static objects registered their destructors, so it runs before them (they
//   would unload the suite under the running test). The line goes through the run's sink.
// - Any other ExitProcess (a runtime DLL of the suite's own, an address looked up at run time): Windows
//   then calls the program's TLS callbacks with DLL_PROCESS_DETACH, after the other threads were ended and
//   the DLLs (the C runtime's too) had their detach notifications. Only the system is used there: the line
//   is written with WriteFile to the console sink's file handle (dialog mode has none to write to).
// Each way then ends the process with TerminateProcess, which runs nothing more. A TerminateProcess of the
// suite's own cannot be noticed.
#pragma once

#include <windows.h>

// The run being watched (the executor's): told the error line while everything is still whole.
class CWatchedRun
{
public:
    // Logs the line as an error of the run (not counted against a test).
    virtual void ReportHarnessError(const char* text) = 0;

protected:
    ~CWatchedRun() = default;
};

class CProcessEndWatch
{
public:
    // Points the module's imports of ExitProcess at the watch (the suite module, once loaded). False when
    // the module imports it nowhere or its table could not be changed.
    static bool WatchModule(HMODULE module);
    // The executor's run begins (on its worker thread, before the run setup): from now on the process
    // ending is a failure. rawOutput is the file handle that the run's sink writes to (the console sink's),
    // or null.
    static void RunBegins(CWatchedRun* executor, HANDLE rawOutput);
    // The run has ended (after the run teardown): the process may end again.
    static void RunEnds(CWatchedRun* executor);
    // Whether a run is being watched.
    static bool IsWatching();

    // The error lines' texts: after the C runtime's exit, and where nothing is known of how the process
    // ended. ExitProcess through the suite's imports gives "The test ended the process with exit code N".
    static const char* const kRuntimeExitText;
    static const char* const kEndedText;
};
