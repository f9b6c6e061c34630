// The program's exit codes. Command-line mode ends with one of them; 4 and 5 end dialog mode too (which
// otherwise ends with 0). The executor's stop bound names 4 in its error line, and the process-end watch ends
// the process with 5.
#pragma once

enum
{
    QVX_EXIT_PASSED = 0,             // at least one test ran and none failed
    QVX_EXIT_TESTS_FAILED = 1,       // a test reported an error, threw or faulted (or setup/teardown/helpers did)
    QVX_EXIT_LOAD_FAILED = 2,        // the suite could not be loaded (its message was printed)
    QVX_EXIT_NO_TESTS = 3,           // the suite loaded but no test was selected (no name matched)
    QVX_EXIT_TEST_NOT_RETURNING = 4, // closed while a test had not returned within the stop bound
    QVX_EXIT_PROCESS_ENDED = 5       // a test ended the process (ExitProcess, exit) during a run
};
