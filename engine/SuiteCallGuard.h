// Every call from the harness into suite code goes through CSuiteCallGuard: a C++ catch-all plus a
// structured-exception frame, so that a suite's access violation, division by zero or escaped C++ exception
// (Microsoft's code 0xE06D7363, or the SDK thunk's own code for GCC-built suites) ends the call instead of
// the process.
#pragma once

#include <windows.h>

// What went wrong inside a guarded call.
struct CSuiteFault
{
    enum Kind
    {
        None = 0,
        Structured = 1,  // a platform exception (code holds it)
        CppException = 2 // a C++ exception object escaped (from harness-side code or a same-runtime suite)
    };
    Kind kind = None;
    DWORD code = 0;
    // The text of a C++ exception reported by the SDK thunk (QVX_EXCEPTION_CPP), else empty.
    char what[256] = {};

    // After a platform fault: false when the thread's stack could not be given a guard page again (see
    // CSuiteCallGuard::RestoreStackGuard), so that another overflow on this thread could not be contained.
    bool stackGuarded = true;

    // One line describing the fault, e.g. "exception C0000005 (access violation)".
    void Describe(char* out, int size) const;
};

class CSuiteCallGuard
{
public:
    // Runs body(data) inside the guard. True when it returned normally; false with fault filled otherwise.
    // Before the first call on a thread, the thread is asked to keep kOverflowReserveBytes of stack for
    // handling an overflow and is given a guard page above it; this is done again before a call only when
    // the guard page may have gone since (the thread's stack limit moved, or a stack overflow or guard-page
    // violation was raised somewhere in the process), and after every platform fault of the call. However
    // the call ends, the caller gets back its callee-saved registers from the guard's own frame, and after a
    // fault also its floating-point settings, whatever unwind data the suite's frames carry (or lack).
    static bool Invoke(void (*body)(void*), void* data, CSuiteFault* fault);

    // How many times Invoke has checked a thread's stack (reserve and guard page) in this process, on any
    // thread: tests see by it that a thread whose guard is in place is not checked again.
    static long StackChecks();

    // Stack the system keeps back, on each thread that calls into suite code, for handling a stack overflow
    // (SetThreadStackGuarantee): room for the system's exception dispatch, the guard's handler and the
    // unwinding of the suite's frames, with a wide margin.
    static constexpr unsigned long kOverflowReserveBytes = 64 * 1024;
    // Asks the system to keep kOverflowReserveBytes for the calling thread; false when it refuses (an old
    // system without the request keeps its own smaller reserve).
    static bool ReserveOverflowStack();
    // Makes sure the calling thread's stack has a guard page above the reserve for handling an overflow
    // (and well below the current stack pointer), placing one where the system places its last one when
    // none is there. After a stack overflow the system has used up the guard page, and nothing would stop
    // (or report) the next overflow; and a new thread may have its only guard page right above the stack's
    // last page, leaving no room to handle an overflow. Nothing changes when a guard page above the
    // reserve is there. False when none could be placed.
    static bool RestoreStackGuard();

    // Typed calls into suite code. Each returns true when the suite code returned normally.
    // A test entry: thiscall (suite).
    static bool CallTestEntry(void* entry, void* suite, CSuiteFault* fault);
    // A helper entry: thiscall (suite, context).
    static bool CallHelperEntry(void* entry, void* suite, void* context, CSuiteFault* fault);
    // A virtual slot of the suite object without arguments (1 run setup, 2 run teardown, 3 register tests).
    static bool CallSuiteSlot(void* suite, int slot, CSuiteFault* fault);
    // Slot 0, the deleting destructor, with its flags.
    static bool CallDeletingDestructor(void* suite, unsigned int flags, CSuiteFault* fault);
    // The cdecl exports.
    static bool CallConstructorExport(FARPROC constructor, void** suite, CSuiteFault* fault);
    static bool CallDestructorExport(FARPROC destructor, void* suite, CSuiteFault* fault);
};
