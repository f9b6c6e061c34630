// The suite-call guard on its own: a stack overflow is contained again and again on one thread, because the
// guard gives the stack its guard page back after each one, and the caller gets its registers back each time.
#include "engine/SuiteCallGuard.h"

#include "engine/CalleeSavedFrame.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace
{
volatile long g_depthLimit = 0x7FFFFFFF;

// Calls itself without end (the limit is never reached); each frame's buffer is read after the call, so the
// recursion stays a recursion.
__attribute__((noinline)) long Recurse(volatile char* outer, long depth)
{
    volatile char frame[200];
    frame[0] = static_cast<char>(depth);
    frame[199] = outer ? outer[0] : 0;
    if (depth >= g_depthLimit)
        return frame[199];
    return Recurse(frame, depth + 1) + frame[0];
}

void Overflow(void* result)
{
    *static_cast<long*>(result) = Recurse(nullptr, 0);
}

void Plain(void* result)
{
    *static_cast<long*>(result) = 42;
}

// Whether the calling thread's stack has a guard page below the caller's frame.
bool StackHasGuardPage()
{
    volatile char marker = 0;
    MEMORY_BASIC_INFORMATION info;
    if (!VirtualQuery(const_cast<char*>(&marker), &info, sizeof(info)))
        return false;
    const ULONG_PTR top = reinterpret_cast<ULONG_PTR>(&marker);
    for (ULONG_PTR at = reinterpret_cast<ULONG_PTR>(info.AllocationBase); at < top;)
    {
        if (!VirtualQuery(reinterpret_cast<void*>(at), &info, sizeof(info)) || info.RegionSize == 0)
            return false;
        if (info.State == MEM_COMMIT && (info.Protect & PAGE_GUARD))
            return true;
        at = reinterpret_cast<ULONG_PTR>(info.BaseAddress) + info.RegionSize;
    }
    return false;
}

struct OverflowLog
{
    std::vector<std::string> outcomes;
    long plainResult = 0;
};

DWORD WINAPI OverflowThreeTimes(LPVOID parameter)
{
    OverflowLog* log = static_cast<OverflowLog*>(parameter);
    for (int i = 0; i < 3; ++i)
    {
        long result = 0;
        CSuiteFault fault;
        const bool returned = CSuiteCallGuard::Invoke(&Overflow, &result, &fault);
        char text[200];
        fault.Describe(text, sizeof(text));
        log->outcomes.push_back(std::string(returned ? "returned" : "faulted") + " " + text +
                                (fault.stackGuarded ? " guarded" : " unguarded") +
                                (StackHasGuardPage() ? " guard-page" : " no-guard-page"));
    }
    CSuiteFault fault;
    if (CSuiteCallGuard::Invoke(&Plain, &log->plainResult, &fault))
        log->outcomes.push_back("plain returned");
    return 0;
}

// Runs routine(parameter) on a thread of its own with a small stack (each overflow is quick) and waits for
// it; fails when the thread does not come back or was ended by the system.
::testing::AssertionResult RunsToItsEndOnASmallStack(LPTHREAD_START_ROUTINE routine, void* parameter)
{
    HANDLE thread =
        CreateThread(nullptr, 512 * 1024, routine, parameter, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!thread)
        return ::testing::AssertionFailure() << "no thread";
    const DWORD waited = WaitForSingleObject(thread, 60000);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    if (waited != WAIT_OBJECT_0)
        return ::testing::AssertionFailure() << "the thread did not come back";
    if (code != 0)
        return ::testing::AssertionFailure()
               << "the thread was ended by the system (exit code " << code << ")";
    return ::testing::AssertionSuccess();
}
} // namespace

TEST(SuiteCallGuard, RepeatedStackOverflowsOnOneThreadAreEachContained)
{
    OverflowLog log;
    ASSERT_TRUE(RunsToItsEndOnASmallStack(&OverflowThreeTimes, &log));
    const std::string overflow =
        "faulted unhandled exception C00000FD (stack overflow) guarded guard-page";
    const std::vector<std::string> expected = {overflow, overflow, overflow, "plain returned"};
    EXPECT_EQ(log.outcomes, expected);
    EXPECT_EQ(log.plainResult, 42);
}

namespace
{
// The guard pages of the calling thread's stack below the caller's frame.
std::vector<ULONG_PTR> GuardPages()
{
    std::vector<ULONG_PTR> pages;
    volatile char marker = 0;
    MEMORY_BASIC_INFORMATION info;
    if (!VirtualQuery(const_cast<char*>(&marker), &info, sizeof(info)))
        return pages;
    const ULONG_PTR top = reinterpret_cast<ULONG_PTR>(&marker);
    for (ULONG_PTR at = reinterpret_cast<ULONG_PTR>(info.AllocationBase); at < top;)
    {
        if (!VirtualQuery(reinterpret_cast<void*>(at), &info, sizeof(info)) || info.RegionSize == 0)
            break;
        if (info.State == MEM_COMMIT && (info.Protect & PAGE_GUARD))
            pages.push_back(at);
        at = reinterpret_cast<ULONG_PTR>(info.BaseAddress) + info.RegionSize;
    }
    return pages;
}
} // namespace

// Once the thread has its guard page above the reserve, guarding again changes nothing.
TEST(SuiteCallGuard, AStackThatHasItsGuardPageIsLeftAlone)
{
    ASSERT_TRUE(CSuiteCallGuard::ReserveOverflowStack());
    ASSERT_TRUE(CSuiteCallGuard::RestoreStackGuard());
    const std::vector<ULONG_PTR> guarded = GuardPages();
    ASSERT_FALSE(guarded.empty());
    EXPECT_TRUE(CSuiteCallGuard::RestoreStackGuard());
    EXPECT_EQ(GuardPages(), guarded);
    long result = 0;
    EXPECT_TRUE(CSuiteCallGuard::Invoke(&Plain, &result, nullptr));
    EXPECT_EQ(result, 42);
    EXPECT_EQ(GuardPages(), guarded);
}

namespace
{
// What the caller of Invoke finds in the registers that a call must give back (and in the floating-point
// settings and the direction flag), written by qvx_test_call_marked right after the call returned.
struct CalleeSavedState
{
    ULONG_PTR registers[8];    // rbx rbp rdi rsi r12 r13 r14 r15 (i686: ebx ebp edi esi)
    unsigned char xmm[10][16]; // xmm6 .. xmm15 (x86-64 only)
    DWORD mxcsr;
    WORD fpuControl;
    WORD unused;
    unsigned char fpuEnvironment[28]; // as fnstenv writes it; the tag word at 8
    ULONG_PTR flags;
};
#if defined(_WIN64)
static_assert(offsetof(CalleeSavedState, xmm) == 64 && offsetof(CalleeSavedState, mxcsr) == 224 &&
                  offsetof(CalleeSavedState, fpuControl) == 228 &&
                  offsetof(CalleeSavedState, fpuEnvironment) == 232 &&
                  offsetof(CalleeSavedState, flags) == 264,
              "qvx_test_call_marked writes these offsets");
#else
static_assert(offsetof(CalleeSavedState, mxcsr) == 192 && offsetof(CalleeSavedState, fpuControl) == 196 &&
                  offsetof(CalleeSavedState, fpuEnvironment) == 200 &&
                  offsetof(CalleeSavedState, flags) == 228,
              "qvx_test_call_marked writes these offsets");
#endif

const ULONG_PTR kMarkedRegisters[8] = {
#if defined(_WIN64)
    0x1111111111111111ull, 0x2222222222222222ull, 0x3333333333333333ull, 0x4444444444444444ull,
    0x5555555555555555ull, 0x6666666666666666ull, 0x7777777777777777ull, 0x0888888888888888ull,
#else
    0x11111111u,
    0x22222222u,
    0x33333333u,
    0x44444444u,
#endif
};
#if defined(_WIN64)
const int kMarkedRegisterCount = 8;
const char* const kRegisterNames[8] = {"rbx", "rbp", "rdi", "rsi", "r12", "r13", "r14", "r15"};
#else
const int kMarkedRegisterCount = 4;
const char* const kRegisterNames[8] = {"ebx", "ebp", "edi", "esi"};
#endif
const DWORD kMarkedMxcsr = 0x3F80;     // rounding down, every exception masked
const WORD kMarkedFpuControl = 0x0C7F; // single precision, rounding toward zero, every exception masked
} // namespace

// void qvx_test_call_marked(call, argument, seen): gives every callee-saved register a marked value (xmm6-15
// each byte 0x60 + n), sets MXCSR and the x87 control word to the marked settings, calls call(argument) and
// writes what it finds afterwards to seen; then gives its own caller its registers and settings back.
//
// void qvx_test_bare_recurse(): calls itself without end through frames of 400 (i686: 320) bytes that
// carry no unwind data, and before each call fills every callee-saved register with all ones, sets other
// floating-point settings, pushes onto the x87 stack and sets the direction flag.
extern "C" void qvx_test_call_marked(void (*call)(void*), void* argument, CalleeSavedState* seen);
extern "C" void qvx_test_bare_recurse();
#if defined(_WIN64)
asm(R"(
    .text
    .p2align 4
    .globl qvx_test_call_marked
    .def qvx_test_call_marked; .scl 2; .type 32; .endef
    .seh_proc qvx_test_call_marked
qvx_test_call_marked:
)" QVX_X64_KEEPING_PROLOGUE(216) R"(
    .seh_endprologue
    stmxcsr 192(%rsp)
    fnstcw 196(%rsp)
    movq %r8, 200(%rsp)
    movq %rcx, %rax
    movq %rdx, %rcx
    movabsq $0x1111111111111111, %rbx
    movabsq $0x2222222222222222, %rbp
    movabsq $0x3333333333333333, %rdi
    movabsq $0x4444444444444444, %rsi
    movabsq $0x5555555555555555, %r12
    movabsq $0x6666666666666666, %r13
    movabsq $0x7777777777777777, %r14
    movabsq $0x0888888888888888, %r15
    movabsq $0x6666666666666666, %rdx
    movq %rdx, %xmm6
    punpcklqdq %xmm6, %xmm6
    movabsq $0x6767676767676767, %rdx
    movq %rdx, %xmm7
    punpcklqdq %xmm7, %xmm7
    movabsq $0x6868686868686868, %rdx
    movq %rdx, %xmm8
    punpcklqdq %xmm8, %xmm8
    movabsq $0x6969696969696969, %rdx
    movq %rdx, %xmm9
    punpcklqdq %xmm9, %xmm9
    movabsq $0x6a6a6a6a6a6a6a6a, %rdx
    movq %rdx, %xmm10
    punpcklqdq %xmm10, %xmm10
    movabsq $0x6b6b6b6b6b6b6b6b, %rdx
    movq %rdx, %xmm11
    punpcklqdq %xmm11, %xmm11
    movabsq $0x6c6c6c6c6c6c6c6c, %rdx
    movq %rdx, %xmm12
    punpcklqdq %xmm12, %xmm12
    movabsq $0x6d6d6d6d6d6d6d6d, %rdx
    movq %rdx, %xmm13
    punpcklqdq %xmm13, %xmm13
    movabsq $0x6e6e6e6e6e6e6e6e, %rdx
    movq %rdx, %xmm14
    punpcklqdq %xmm14, %xmm14
    movabsq $0x6f6f6f6f6f6f6f6f, %rdx
    movq %rdx, %xmm15
    punpcklqdq %xmm15, %xmm15
    movl $0x3F80, 208(%rsp)
    ldmxcsr 208(%rsp)
    movw $0x0C7F, 212(%rsp)
    fldcw 212(%rsp)
    callq *%rax
    movq 200(%rsp), %rax
    movq %rbx, 0(%rax)
    movq %rbp, 8(%rax)
    movq %rdi, 16(%rax)
    movq %rsi, 24(%rax)
    movq %r12, 32(%rax)
    movq %r13, 40(%rax)
    movq %r14, 48(%rax)
    movq %r15, 56(%rax)
    movups %xmm6, 64(%rax)
    movups %xmm7, 80(%rax)
    movups %xmm8, 96(%rax)
    movups %xmm9, 112(%rax)
    movups %xmm10, 128(%rax)
    movups %xmm11, 144(%rax)
    movups %xmm12, 160(%rax)
    movups %xmm13, 176(%rax)
    movups %xmm14, 192(%rax)
    movups %xmm15, 208(%rax)
    stmxcsr 224(%rax)
    fnstcw 228(%rax)
    fnstenv 232(%rax)
    pushfq
    popq %rdx
    movq %rdx, 264(%rax)
    cld
    fldcw 196(%rsp)
    ldmxcsr 192(%rsp)
)" QVX_X64_KEEPING_EPILOGUE(216) R"(
    .seh_endproc

    .p2align 4
    .globl qvx_test_bare_recurse
    .def qvx_test_bare_recurse; .scl 2; .type 32; .endef
qvx_test_bare_recurse:
    pushq %rbx
    pushq %rbp
    pushq %rdi
    pushq %rsi
    pushq %r12
    pushq %r13
    pushq %r14
    pushq %r15
    subq $328, %rsp
    movb $0, (%rsp)
    movq $-1, %rbx
    movq $-1, %rbp
    movq $-1, %rdi
    movq $-1, %rsi
    movq $-1, %r12
    movq $-1, %r13
    movq $-1, %r14
    movq $-1, %r15
    pcmpeqd %xmm6, %xmm6
    pcmpeqd %xmm7, %xmm7
    pcmpeqd %xmm8, %xmm8
    pcmpeqd %xmm9, %xmm9
    pcmpeqd %xmm10, %xmm10
    pcmpeqd %xmm11, %xmm11
    pcmpeqd %xmm12, %xmm12
    pcmpeqd %xmm13, %xmm13
    pcmpeqd %xmm14, %xmm14
    pcmpeqd %xmm15, %xmm15
    movl $0x5F80, 8(%rsp)
    ldmxcsr 8(%rsp)
    movw $0x0F7F, 12(%rsp)
    fldcw 12(%rsp)
    fld1
    std
    callq qvx_test_bare_recurse
    cld
    addq $328, %rsp
    popq %r15
    popq %r14
    popq %r13
    popq %r12
    popq %rsi
    popq %rdi
    popq %rbp
    popq %rbx
    retq
)");
#else
asm(R"(
    .text
    .p2align 4
    .globl _qvx_test_call_marked
    .def _qvx_test_call_marked; .scl 2; .type 32; .endef
_qvx_test_call_marked:
)" QVX_X86_KEEPING_PROLOGUE(24) R"(
    stmxcsr (%esp)
    fnstcw 4(%esp)
    movl 44(%esp), %eax
    movl 48(%esp), %ecx
    movl $0x11111111, %ebx
    movl $0x22222222, %ebp
    movl $0x33333333, %edi
    movl $0x44444444, %esi
    movl $0x3F80, 8(%esp)
    ldmxcsr 8(%esp)
    movw $0x0C7F, 12(%esp)
    fldcw 12(%esp)
    pushl %ecx
    calll *%eax
    addl $4, %esp
    movl 52(%esp), %eax
    movl %ebx, 0(%eax)
    movl %ebp, 4(%eax)
    movl %edi, 8(%eax)
    movl %esi, 12(%eax)
    stmxcsr 192(%eax)
    fnstcw 196(%eax)
    fnstenv 200(%eax)
    pushfl
    popl %edx
    movl %edx, 228(%eax)
    cld
    fldcw 4(%esp)
    ldmxcsr (%esp)
)" QVX_X86_KEEPING_EPILOGUE(24) R"(

    .p2align 4
    .globl _qvx_test_bare_recurse
    .def _qvx_test_bare_recurse; .scl 2; .type 32; .endef
_qvx_test_bare_recurse:
    pushl %ebx
    pushl %ebp
    pushl %edi
    pushl %esi
    subl $300, %esp
    movb $0, (%esp)
    movl $-1, %ebx
    movl $-1, %ebp
    movl $-1, %edi
    movl $-1, %esi
    movl $0x5F80, 8(%esp)
    ldmxcsr 8(%esp)
    movw $0x0F7F, 12(%esp)
    fldcw 12(%esp)
    fld1
    std
    calll _qvx_test_bare_recurse
    cld
    addl $300, %esp
    popl %esi
    popl %edi
    popl %ebp
    popl %ebx
    retl
)");
#endif

namespace
{
void BareOverflow(void*)
{
    qvx_test_bare_recurse();
}

struct BareOutcome
{
    bool returned = true;
    CSuiteFault fault;
};

void InvokeBareOverflow(void* outcome)
{
    BareOutcome* o = static_cast<BareOutcome*>(outcome);
    o->returned = CSuiteCallGuard::Invoke(&BareOverflow, nullptr, &o->fault);
}

struct BareLog
{
    std::vector<std::string> outcomes;
    std::vector<CalleeSavedState> seen;
};

DWORD WINAPI OverflowBareThreeTimes(LPVOID parameter)
{
    BareLog* log = static_cast<BareLog*>(parameter);
    for (int i = 0; i < 3; ++i)
    {
        BareOutcome outcome;
        CalleeSavedState seen = {};
        qvx_test_call_marked(&InvokeBareOverflow, &outcome, &seen);
        char text[200];
        outcome.fault.Describe(text, sizeof(text));
        log->outcomes.push_back(std::string(outcome.returned ? "returned" : "faulted") + " " + text +
                                (outcome.fault.stackGuarded ? " guarded" : " unguarded"));
        log->seen.push_back(seen);
    }
    return 0;
}
} // namespace

// A suite's frames may carry no unwind data (built with -fno-asynchronous-unwind-tables, or written by hand):
// then nothing but the guard can give its caller the callee-saved registers back after an overflow, and on
// x86-64 the system's dispatcher cannot even be trusted to find the guard's frame through them. Every
// overflow through such frames is contained, and each time the caller finds its registers, its
// floating-point settings, an empty x87 stack and a clear direction flag as they were before the call.
TEST(SuiteCallGuard, OverflowsThroughFramesWithoutUnwindDataGiveTheCallerItsRegistersBack)
{
    BareLog log;
    ASSERT_TRUE(RunsToItsEndOnASmallStack(&OverflowBareThreeTimes, &log));
    const std::string overflow = "faulted unhandled exception C00000FD (stack overflow) guarded";
    EXPECT_EQ(log.outcomes, std::vector<std::string>(3, overflow));
    ASSERT_EQ(log.seen.size(), 3u);
    for (size_t call = 0; call < log.seen.size(); ++call)
    {
        SCOPED_TRACE("overflow " + std::to_string(call + 1));
        const CalleeSavedState& s = log.seen[call];
        for (int r = 0; r < kMarkedRegisterCount; ++r)
            EXPECT_EQ(s.registers[r], kMarkedRegisters[r]) << kRegisterNames[r];
#if defined(_WIN64)
        for (int x = 0; x < 10; ++x)
        {
            unsigned char marked[16];
            std::memset(marked, 0x66 + x, sizeof(marked));
            EXPECT_EQ(std::memcmp(s.xmm[x], marked, sizeof(marked)), 0) << "xmm" << (6 + x);
        }
#endif
        EXPECT_EQ(s.mxcsr & 0xFFC0, kMarkedMxcsr) << "MXCSR control bits";
        EXPECT_EQ(s.fpuControl & 0x1F3F, kMarkedFpuControl & 0x1F3F) << "x87 control word";
        const WORD tags = static_cast<WORD>(s.fpuEnvironment[8] | (s.fpuEnvironment[9] << 8));
        EXPECT_EQ(tags, 0xFFFF) << "the x87 register stack is not empty";
        EXPECT_EQ(s.flags & 0x400, 0u) << "the direction flag is set";
    }
}

namespace
{
// A suite that takes its own stack overflow: a handler of its own, called before any other, resumes the
// suite's code above the overflow (as a longjmp would), and the guarded call returns normally. The guard
// never sees the overflow that used up the stack's guard page.
volatile DWORD g_takingThread = 0;
volatile ULONG_PTR g_takenResumeStack = 0;
void* g_takenJump[5];

__attribute__((noinline, noreturn)) void ResumeAfterTakenOverflow()
{
    __builtin_longjmp(g_takenJump, 1);
}

LONG CALLBACK TakeOverflow(EXCEPTION_POINTERS* info)
{
    if (info->ExceptionRecord->ExceptionCode != EXCEPTION_STACK_OVERFLOW ||
        GetCurrentThreadId() != g_takingThread)
        return EXCEPTION_CONTINUE_SEARCH;
    g_takingThread = 0;
#if defined(_WIN64)
    info->ContextRecord->Rsp = g_takenResumeStack;
    info->ContextRecord->Rip = reinterpret_cast<DWORD64>(&ResumeAfterTakenOverflow);
#else
    info->ContextRecord->Esp = g_takenResumeStack;
    info->ContextRecord->Eip = reinterpret_cast<DWORD>(&ResumeAfterTakenOverflow);
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

// Writes -1 to result when the overflow was taken and the code above it resumed.
__attribute__((noinline)) void OverflowThatTheSuiteTakes(void* result)
{
    if (__builtin_setjmp(g_takenJump) == 0)
    {
        ULONG_PTR stack;
#if defined(_WIN64)
        asm volatile("movq %%rsp, %0" : "=r"(stack));
#else
        asm volatile("movl %%esp, %0" : "=r"(stack));
#endif
        // Well below this frame, among the frames that the overflow abandons; aligned as at a function's
        // entry.
        g_takenResumeStack = ((stack - 4096) & ~static_cast<ULONG_PTR>(15)) - sizeof(void*);
        g_takingThread = GetCurrentThreadId();
        *static_cast<long*>(result) = Recurse(nullptr, 0);
        return;
    }
    *static_cast<long*>(result) = -1;
}

void TouchPage(void* page)
{
    volatile char value = *static_cast<volatile char*>(page);
    (void)value;
}

struct Touch
{
    void* page;
    std::string outcome;
};

// Reads the page (a guard page of another thread's stack) inside the guard.
DWORD WINAPI TouchFromAnotherThread(LPVOID parameter)
{
    Touch* touch = static_cast<Touch*>(parameter);
    CSuiteFault fault;
    const bool returned = CSuiteCallGuard::Invoke(&TouchPage, touch->page, &fault);
    char text[200];
    fault.Describe(text, sizeof(text));
    touch->outcome = std::string(returned ? "returned" : "faulted ") + (returned ? "" : text);
    return 0;
}

std::string Outcome(bool returned, const CSuiteFault& fault)
{
    char text[200];
    fault.Describe(text, sizeof(text));
    return returned ? "returned" : std::string("faulted ") + text + (fault.stackGuarded ? " guarded" : "");
}

std::string CallPlain(int times)
{
    long result = 0;
    bool returned = true;
    for (int i = 0; i < times; ++i)
        returned = CSuiteCallGuard::Invoke(&Plain, &result, nullptr) && result == 42 && returned;
    return returned ? "returned" : "faulted";
}

std::string CallOverflow()
{
    long result = 0;
    CSuiteFault fault;
    const bool returned = CSuiteCallGuard::Invoke(&Overflow, &result, &fault);
    return Outcome(returned, fault);
}

std::string CallOverflowThatTheSuiteTakes()
{
    long result = 0;
    CSuiteFault fault;
    PVOID handler = AddVectoredExceptionHandler(1, &TakeOverflow);
    const bool returned = CSuiteCallGuard::Invoke(&OverflowThatTheSuiteTakes, &result, &fault);
    RemoveVectoredExceptionHandler(handler);
    g_takingThread = 0;
    return Outcome(returned, fault) + (result == -1 ? " resumed" : "");
}

// Another thread reads this thread's highest guard page.
std::string TouchGuardPageFromAnotherThread()
{
    const std::vector<ULONG_PTR> pages = GuardPages();
    if (pages.empty())
        return "no guard page to touch";
    Touch touch{reinterpret_cast<void*>(pages.back()), ""};
    HANDLE thread = CreateThread(nullptr, 0, &TouchFromAnotherThread, &touch, 0, nullptr);
    if (!thread)
        return "no thread";
    WaitForSingleObject(thread, 60000);
    CloseHandle(thread);
    return touch.outcome;
}

struct CheckStep
{
    const char* what;
    std::string (*call)();
    const char* outcome;
    long checks;    // checks of a stack made during the step, on any thread
    bool guardPage; // whether this thread's stack has a guard page afterwards
};

const std::string kOverflowContained = "faulted unhandled exception C00000FD (stack overflow) guarded";

const CheckStep kCheckSteps[] = {
    {"first call on a new thread", [] { return CallPlain(1); }, "returned", 1, true},
    {"a hundred more calls", [] { return CallPlain(100); }, "returned", 0, true},
    {"an overflow", &CallOverflow, kOverflowContained.c_str(), 1, true},
    {"a hundred calls after it", [] { return CallPlain(100); }, "returned", 0, true},
    {"an overflow that the suite takes itself", &CallOverflowThatTheSuiteTakes, "returned resumed", 0, false},
    {"the next call", [] { return CallPlain(1); }, "returned", 1, true},
    {"an overflow after it", &CallOverflow, kOverflowContained.c_str(), 1, true},
    // The other thread's first call and the check after its fault.
    {"another thread touches the guard page", &TouchGuardPageFromAnotherThread,
     "faulted unhandled exception 80000001", 2, false},
    {"the next call after the touch", [] { return CallPlain(1); }, "returned", 1, true},
    {"an overflow after the touch", &CallOverflow, kOverflowContained.c_str(), 1, true},
    {"a hundred calls at the end", [] { return CallPlain(100); }, "returned", 0, true},
};

std::string Describe(const char* what, const std::string& outcome, long checks, bool guardPage)
{
    return std::string(what) + ": " + outcome + ", " + std::to_string(checks) + " checks, " +
           (guardPage ? "guard page" : "no guard page");
}

DWORD WINAPI RunCheckSteps(LPVOID parameter)
{
    std::vector<std::string>* seen = static_cast<std::vector<std::string>*>(parameter);
    for (const CheckStep& step : kCheckSteps)
    {
        const long before = CSuiteCallGuard::StackChecks();
        const std::string outcome = step.call();
        const long checks = CSuiteCallGuard::StackChecks() - before;
        seen->push_back(Describe(step.what, outcome, checks, !GuardPages().empty()));
    }
    return 0;
}
} // namespace

// The stack of a thread that calls into suite code is checked (its reserve asked for, its guard page found
// or placed) before the thread's first call and after every fault, and otherwise only when its guard page
// may have gone: after an overflow that the suite took itself, or when another thread touched the guard
// page. Each time the next overflow is contained; between faults no call looks at the stack.
TEST(SuiteCallGuard, AThreadsStackIsCheckedAgainOnlyWhenItsGuardPageMayHaveGone)
{
    std::vector<std::string> seen;
    ASSERT_TRUE(RunsToItsEndOnASmallStack(&RunCheckSteps, &seen));
    std::vector<std::string> expected;
    for (const CheckStep& step : kCheckSteps)
        expected.push_back(Describe(step.what, step.outcome, step.checks, step.guardPage));
    EXPECT_EQ(seen, expected);
}
