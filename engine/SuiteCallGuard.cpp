#include "engine/SuiteCallGuard.h"

#include "engine/CalleeSavedFrame.h"
#include "sdk/QuorvexSuite.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <exception>

namespace
{
#if defined(_WIN64)
typedef void (*TestProc)(void* suite);
typedef void (*HelperProc)(void* suite, void* context);
typedef void (*SlotProc)(void* suite);
typedef void (*DeleteProc)(void* suite, unsigned int flags);
#else
typedef void(__attribute__((thiscall)) * TestProc)(void* suite);
typedef void(__attribute__((thiscall)) * HelperProc)(void* suite, void* context);
typedef void(__attribute__((thiscall)) * SlotProc)(void* suite);
typedef void(__attribute__((thiscall)) * DeleteProc)(void* suite, unsigned int flags);
#endif
typedef void*(__cdecl* ConstructorProc)();
typedef void(__cdecl* DestructorProc)(void* suite);

// One active guard. On i686 the first two fields are the exception registration record on fs:[0].
// resumeStack is the stack pointer of qvx_guard_invoke's frame (after its prologue), written by
// qvx_guard_invoke itself: the way back after an exception starts from it.
struct GuardFrame
{
#if !defined(_WIN64)
    GuardFrame* prevRecord;
    void* handler;
#endif
    void* resumeStack;
    GuardFrame* outer;
    DWORD code;
    char what[256];
};
#if defined(_WIN64)
static_assert(offsetof(GuardFrame, resumeStack) == 0, "qvx_guard_invoke (x86-64) writes this field");
#else
static_assert(offsetof(GuardFrame, prevRecord) == 0 && offsetof(GuardFrame, handler) == 4 &&
                  offsetof(GuardFrame, resumeStack) == 8,
              "qvx_guard_invoke (i686) writes these fields");
#endif

// Called while the frames of the raising code are still intact: the text of an SDK thunk's C++ exception
// lives in the thunk's frame, which the unwinding abandons.
void RecordException(GuardFrame* frame, const EXCEPTION_RECORD* record)
{
    frame->code = record->ExceptionCode;
    frame->what[0] = 0;
    if (record->ExceptionCode == QVX_EXCEPTION_CPP && record->NumberParameters >= 1 &&
        record->ExceptionInformation[0])
    {
        const char* text = reinterpret_cast<const char*>(record->ExceptionInformation[0]);
        if (!IsBadStringPtrA(text, sizeof(frame->what)))
        {
            int i = 0;
            for (; i < static_cast<int>(sizeof(frame->what)) - 1 && text[i]; ++i)
                frame->what[i] = text[i];
            frame->what[i] = 0;
        }
    }
}

#if defined(_WIN64)
// The guard frames of the calling thread, innermost first.
DWORD GuardSlot()
{
    static DWORD slot = TlsAlloc();
    return slot;
}
#endif
} // namespace

// qvx_guard_invoke(body, data, frame) calls body(data) and returns 0 when it returned, 1 when an exception
// ended it.
//
// The way back from an exception (qvx_guard_resume) trusts nothing but the stack pointer, which is set to
// frame->resumeStack. Every register that the caller expects back (the callee-saved ones: rbx, rbp, rdi, rsi,
// r12-r15 and xmm6-xmm15 on x86-64; ebx, ebp, edi, esi on i686) is saved in qvx_guard_invoke's frame on the
// way in and reloaded from it by the one epilogue that both ways out share. What the system's unwinding
// would have left in them comes from the unwind data of the suite's frames, and a suite built without it
// (clang's or GCC's -fno-asynchronous-unwind-tables, hand-written code) leaves whatever its deepest frame
// held there: after a stack overflow through such frames the harness would go on with the suite's values in
// its own registers. The way back also gives the caller its floating-point settings again (MXCSR and the x87
// control word, with an empty x87 register stack) and a clear direction flag: the suite may have changed
// them and never come back to undo it.
extern "C" char qvx_guard_resume[];
#if defined(_WIN64)
// Called by the system's exception dispatcher for every exception that reaches qvx_guard_invoke's frame, i.e.
// one that the suite's own frames did not handle. Like an __except block it unwinds the suite's frames (their
// cleanups run) and resumes qvx_guard_invoke at qvx_guard_resume with the stack pointer of its frame.
extern "C" EXCEPTION_DISPOSITION qvx_guard_handler64(EXCEPTION_RECORD* record, void* establisher,
                                                     CONTEXT* context, void*)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    GuardFrame* frame = static_cast<GuardFrame*>(TlsGetValue(GuardSlot()));
    if (!frame)
        return ExceptionContinueSearch;
    RecordException(frame, record);
    UNWIND_HISTORY_TABLE history = {};
    RtlUnwindEx(establisher, qvx_guard_resume, record, reinterpret_cast<PVOID>(1), context, &history);
    return ExceptionContinueSearch; // not reached
}

// The frame (engine/CalleeSavedFrame.h) keeps MXCSR at 192 and the x87 control word at 196. The
// establisher frame that the handler unwinds to is the stack pointer after the prologue, the value written
// to frame->resumeStack.
extern "C" int qvx_guard_invoke(void (*body)(void*), void* data, GuardFrame* frame);
asm(R"(
    .text
    .p2align 4
    .globl qvx_guard_invoke
    .globl qvx_guard_resume
    .def qvx_guard_invoke; .scl 2; .type 32; .endef
    .seh_proc qvx_guard_invoke
qvx_guard_invoke:
)" QVX_X64_KEEPING_PROLOGUE(200) R"(
    .seh_handler qvx_guard_handler64, @except
    .seh_endprologue
    stmxcsr 192(%rsp)
    fnstcw 196(%rsp)
    movq %rsp, (%r8)
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    xorl %eax, %eax
1:
)" QVX_X64_KEEPING_EPILOGUE(200) R"(
qvx_guard_resume:
    cld
    fninit
    fldcw 196(%rsp)
    ldmxcsr 192(%rsp)
    movl $1, %eax
    jmp 1b
    .seh_endproc
)");

namespace
{
// Whether the system's exception dispatcher, walking the stack from start by each frame's unwind data,
// reaches the guard's frame, whose stack pointer is target. Only the innermost function may lack unwind data
// (a leaf function needs none); past a frame that called on without any, the dispatcher can only guess
// where the next frame starts (it takes the next word as a return address) and may step over the guard.
bool DispatcherReachesGuard(const CONTEXT& start, DWORD64 target)
{
    CONTEXT walk = start;
    for (bool innermost = true;; innermost = false)
    {
        const DWORD64 before = walk.Rsp;
        DWORD64 base = 0;
        PRUNTIME_FUNCTION function = RtlLookupFunctionEntry(walk.Rip, &base, nullptr);
        if (function)
        {
            PVOID handlerData = nullptr;
            DWORD64 establisher = 0;
            RtlVirtualUnwind(UNW_FLAG_NHANDLER, base, walk.Rip, function, &walk, &handlerData, &establisher,
                             nullptr);
        }
        else if (innermost)
        {
            walk.Rip = *reinterpret_cast<const DWORD64*>(walk.Rsp);
            walk.Rsp += sizeof(DWORD64);
        }
        else
            return false;
        if (walk.Rsp == target)
            return true;
        if (walk.Rsp <= before || walk.Rsp > target)
            return false;
    }
}

// Called before any frame's handler for every exception of the process. On a thread inside a guarded call,
// when the dispatcher could not find the guard's frame through the frames in between (a suite without
// unwind data), the guard takes the exception here and resumes at once, abandoning those frames without
// their cleanups: the ones without unwind data could not be unwound anyway, and the suite's own handlers
// above them could be reached only by chance. Every other exception goes on to the frames' handlers (the
// suite's first, then the guard's).
LONG CALLBACK TakeUnreachableException(EXCEPTION_POINTERS* info)
{
    const DWORD lastError = GetLastError();
    GuardFrame* frame = static_cast<GuardFrame*>(TlsGetValue(GuardSlot()));
    SetLastError(lastError);
    if (!frame || !frame->resumeStack)
        return EXCEPTION_CONTINUE_SEARCH;
    CONTEXT* context = info->ContextRecord;
    const DWORD64 target = reinterpret_cast<DWORD64>(frame->resumeStack);
    if (context->Rsp >= target || DispatcherReachesGuard(*context, target))
        return EXCEPTION_CONTINUE_SEARCH;
    RecordException(frame, info->ExceptionRecord);
    context->Rsp = target;
    context->Rip = reinterpret_cast<DWORD64>(qvx_guard_resume);
    return EXCEPTION_CONTINUE_EXECUTION;
}
} // namespace
#else
// The handler of the registration record that qvx_guard_invoke puts on fs:[0]. Inner frames (the suite's own)
// are unwound first so that their cleanups run, then qvx_guard_invoke resumes at qvx_guard_resume with the
// stack pointer of its frame. (The dispatcher finds this record through the chain of records, not by walking
// the frames, so frames of any kind lie safely in between.)
extern "C" EXCEPTION_DISPOSITION __cdecl qvx_guard_handler32(EXCEPTION_RECORD* record, void* establisher,
                                                             CONTEXT*, void*)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    GuardFrame* frame = static_cast<GuardFrame*>(establisher);
    RecordException(frame, record);
    RtlUnwind(establisher, nullptr, record, nullptr);
    asm volatile("movl %0, %%esp\n\tjmp *%1" : : "r"(frame->resumeStack), "r"(qvx_guard_resume) : "memory");
    __builtin_unreachable();
}

// cdecl. Links frame (its handler already set) as the innermost registration record for the call and
// unlinks it on both ways out. Its frame (engine/CalleeSavedFrame.h) keeps MXCSR at 0 and the x87 control
// word at 4; the arguments are body at 44, data at 48 and frame at 52.
extern "C" int qvx_guard_invoke(void (*body)(void*), void* data, GuardFrame* frame);
asm(R"(
    .text
    .p2align 4
    .globl _qvx_guard_invoke
    .globl _qvx_guard_resume
    .def _qvx_guard_invoke; .scl 2; .type 32; .endef
_qvx_guard_invoke:
)" QVX_X86_KEEPING_PROLOGUE(24) R"(
    stmxcsr (%esp)
    fnstcw 4(%esp)
    movl 52(%esp), %eax
    movl %esp, 8(%eax)
    movl %fs:0, %ecx
    movl %ecx, (%eax)
    movl %eax, %fs:0
    pushl 48(%esp)
    calll *48(%esp)
    addl $4, %esp
    xorl %eax, %eax
1:
    movl 52(%esp), %ecx
    movl (%ecx), %ecx
    movl %ecx, %fs:0
)" QVX_X86_KEEPING_EPILOGUE(24) R"(
_qvx_guard_resume:
    cld
    fninit
    fldcw 4(%esp)
    ldmxcsr (%esp)
    movl $1, %eax
    jmp 1b
)");
#endif

namespace
{
bool InvokeFramed(void (*body)(void*), void* data, GuardFrame* frame)
{
#if defined(_WIN64)
    static const PVOID fallback = AddVectoredExceptionHandler(0, &TakeUnreachableException);
    (void)fallback;
    frame->outer = static_cast<GuardFrame*>(TlsGetValue(GuardSlot()));
    TlsSetValue(GuardSlot(), frame);
    int faulted = qvx_guard_invoke(body, data, frame);
    TlsSetValue(GuardSlot(), frame->outer);
    return faulted == 0;
#else
    frame->handler = reinterpret_cast<void*>(&qvx_guard_handler32);
    return qvx_guard_invoke(body, data, frame) == 0;
#endif
}
} // namespace

void CSuiteFault::Describe(char* out, int size) const
{
    if (!out || size <= 0)
        return;
    if (kind == CppException)
    {
        std::snprintf(out, size, "unhandled C++ exception%s%s", what[0] ? ": " : "", what);
        return;
    }
    const char* name = nullptr;
    switch (code)
    {
    case EXCEPTION_ACCESS_VIOLATION:
        name = "access violation";
        break;
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
        name = "integer division by zero";
        break;
    case EXCEPTION_INT_OVERFLOW:
        name = "integer overflow";
        break;
    case EXCEPTION_ILLEGAL_INSTRUCTION:
        name = "illegal instruction";
        break;
    case EXCEPTION_PRIV_INSTRUCTION:
        name = "privileged instruction";
        break;
    case EXCEPTION_STACK_OVERFLOW:
        name = "stack overflow";
        break;
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        name = "array bounds exceeded";
        break;
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
        name = "floating-point division by zero";
        break;
    case EXCEPTION_FLT_INVALID_OPERATION:
        name = "invalid floating-point operation";
        break;
    case EXCEPTION_IN_PAGE_ERROR:
        name = "in-page error";
        break;
    case EXCEPTION_BREAKPOINT:
        name = "breakpoint";
        break;
    case QVX_EXCEPTION_MSVC_CPP:
        name = "C++ exception";
        break;
    case QVX_EXCEPTION_CPP:
        name = "C++ exception";
        break;
    default:
        break;
    }
    if (code == QVX_EXCEPTION_CPP && what[0])
        std::snprintf(out, size, "unhandled exception %08lX (C++ exception: %s)",
                      static_cast<unsigned long>(code), what);
    else if (name)
        std::snprintf(out, size, "unhandled exception %08lX (%s)", static_cast<unsigned long>(code), name);
    else
        std::snprintf(out, size, "unhandled exception %08lX", static_cast<unsigned long>(code));
}

namespace
{
typedef BOOL(WINAPI* StackGuaranteeProc)(PULONG size);

// SetThreadStackGuarantee, looked up once: systems before it keep a fixed reserve of their own.
StackGuaranteeProc StackGuarantee()
{
    static StackGuaranteeProc proc = reinterpret_cast<StackGuaranteeProc>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetThreadStackGuarantee")));
    return proc;
}

// The calling thread's information block, through its Self field (what NtCurrentTeb reads).
NT_TIB* CurrentThreadInformationBlock()
{
    NT_TIB* tib;
#if defined(_WIN64)
    asm("movq %%gs:0x30, %0" : "=r"(tib));
#else
    asm("movl %%fs:0x18, %0" : "=r"(tib));
#endif
    return tib;
}

ULONG_PTR PageSize()
{
    static ULONG_PTR size = [] {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        return static_cast<ULONG_PTR>(info.dwPageSize ? info.dwPageSize : 4096);
    }();
    return size;
}
} // namespace

bool CSuiteCallGuard::ReserveOverflowStack()
{
    StackGuaranteeProc proc = StackGuarantee();
    ULONG size = kOverflowReserveBytes;
    // Raises the reserve only: a larger one that the thread already has stays.
    return proc && proc(&size);
}

bool CSuiteCallGuard::RestoreStackGuard()
{
    const ULONG_PTR page = PageSize();
    volatile char marker = 0;
    MEMORY_BASIC_INFORMATION info;
    if (!VirtualQuery(const_cast<char*>(&marker), &info, sizeof(info)) || !info.AllocationBase)
        return false;
    // The whole stack is one reservation: its lowest page is never usable, the pages above it are the
    // reserve for handling an overflow, then comes the guard page, then the committed stack in use.
    const ULONG_PTR bottom = reinterpret_cast<ULONG_PTR>(info.AllocationBase);
    const ULONG_PTR inUse = reinterpret_cast<ULONG_PTR>(&marker) & ~(page - 1);
    ULONG reserve = 0;
    if (StackGuaranteeProc proc = StackGuarantee())
        proc(&reserve); // 0 asks for the current reserve without changing it
    const ULONG_PTR minimum = 2 * page;
    ULONG_PTR reserveBytes = reserve > minimum ? reserve : minimum;
    reserveBytes = (reserveBytes + page - 1) & ~(page - 1);
    // The lowest place for the guard page: touching it still leaves the whole reserve below.
    const ULONG_PTR lowestGuard = bottom + page + reserveBytes;
    ULONG_PTR lowestCommitted = 0;
    for (ULONG_PTR at = bottom; at < inUse;)
    {
        if (!VirtualQuery(reinterpret_cast<void*>(at), &info, sizeof(info)) || info.RegionSize == 0)
            return false;
        const ULONG_PTR regionEnd = reinterpret_cast<ULONG_PTR>(info.BaseAddress) + info.RegionSize;
        if (info.State == MEM_COMMIT)
        {
            // A guard page at or above the reserve: the stack can still grow and report its overflow.
            if ((info.Protect & PAGE_GUARD) && regionEnd > lowestGuard)
                return true;
            if (!lowestCommitted && !(info.Protect & (PAGE_GUARD | PAGE_NOACCESS)))
                lowestCommitted = at;
        }
        at = regionEnd;
    }
    if (!lowestCommitted)
        return false;
    // Where the system puts its last guard page before it reports an overflow; never below the committed
    // stack (pages that are only reserved are grown into by the system once the guard above them is
    // touched).
    ULONG_PTR guard = lowestGuard;
    if (guard < lowestCommitted)
        guard = lowestCommitted;
    // Keep a page between the guard and the page in use.
    if (guard + 2 * page > inUse)
        return false;
    DWORD previous = 0;
    if (!VirtualProtect(reinterpret_cast<void*>(guard), page, PAGE_READWRITE | PAGE_GUARD, &previous))
        return false;
    // The stack limit of the thread's information block is the lowest address known to be usable: code
    // that probes a large frame (Microsoft's stack check) only probes below it, so it must not lie under
    // the guard page, or a probe could step over it.
    NT_TIB* tib = CurrentThreadInformationBlock();
    if (reinterpret_cast<ULONG_PTR>(tib->StackLimit) < guard + page)
        tib->StackLimit = reinterpret_cast<void*>(guard + page);
    return true;
}

namespace
{
// Stack overflows and guard-page violations raised anywhere in the process (CountStackFaults).
volatile LONG g_stackFaults = 0;
// Checks of a thread's stack made by Invoke (CSuiteCallGuard::StackChecks).
volatile LONG g_stackChecks = 0;

// Called first for every exception of the process; changes nothing. A stack overflow used up a guard page,
// and a guard-page violation took one away (a thread touching another thread's guard page gets the
// violation, the owner loses its guard without being told): each makes every thread check its stack again
// before its next call into suite code.
LONG CALLBACK CountStackFaults(EXCEPTION_POINTERS* info)
{
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (code == EXCEPTION_STACK_OVERFLOW || code == EXCEPTION_GUARD_PAGE)
        InterlockedIncrement(&g_stackFaults);
    return EXCEPTION_CONTINUE_SEARCH;
}

// Per thread, as they were when the thread's stack was last found guarded: the stack limit of its
// information block (null: never checked, or no guard page could be placed) and the count of stack faults.
DWORD CheckedLimitSlot()
{
    static DWORD slot = TlsAlloc();
    return slot;
}

DWORD CheckedFaultsSlot()
{
    static DWORD slot = TlsAlloc();
    return slot;
}

// Whether the calling thread's guard page may have gone since its stack was last checked: never checked,
// its stack limit moved (the system moves it as the stack grows into new pages, and when an overflow hands
// over the reserve: also an overflow that the suite's own handlers took, which the guard never sees), or a
// stack fault was raised somewhere since. The stack limit only ever moves down by itself and the stack
// grows into each page once, so a thread that keeps calling suite code is checked again only after a fault.
bool StackCheckDue()
{
    const void* limit = CurrentThreadInformationBlock()->StackLimit;
    if (TlsGetValue(CheckedLimitSlot()) != limit)
        return true;
    return reinterpret_cast<ULONG_PTR>(TlsGetValue(CheckedFaultsSlot())) != static_cast<ULONG>(g_stackFaults);
}

// The reserve, then a guard page above it (CSuiteCallGuard::RestoreStackGuard); remembers how the thread
// stood when its stack was found guarded. False when no guard page could be placed.
bool CheckStack()
{
    static const PVOID watch = AddVectoredExceptionHandler(1, &CountStackFaults);
    (void)watch;
    InterlockedIncrement(&g_stackChecks);
    // Read first: a fault raised from here on makes the next call check again.
    const ULONG faults = static_cast<ULONG>(g_stackFaults);
    CSuiteCallGuard::ReserveOverflowStack();
    const bool guarded = CSuiteCallGuard::RestoreStackGuard();
    TlsSetValue(CheckedLimitSlot(), guarded ? CurrentThreadInformationBlock()->StackLimit : nullptr);
    TlsSetValue(CheckedFaultsSlot(), reinterpret_cast<void*>(static_cast<ULONG_PTR>(faults)));
    return guarded;
}
} // namespace

long CSuiteCallGuard::StackChecks()
{
    return g_stackChecks;
}

bool CSuiteCallGuard::Invoke(void (*body)(void*), void* data, CSuiteFault* fault)
{
    CSuiteFault local;
    if (!fault)
        fault = &local;
    *fault = CSuiteFault();
    // The thread may never have run suite code, or its guard page may lie too low (some systems place a
    // new thread's only guard page right above the stack's last page, with no room to handle an
    // overflow): first the reserve, then a guard page above it. Once there, the guard page stays until
    // a stack fault; until then the thread's stack is not looked at again.
    if (StackCheckDue())
        CheckStack();
    GuardFrame frame = {};
    bool returned = false;
    try
    {
        returned = InvokeFramed(body, data, &frame);
    }
    catch (const std::exception& e)
    {
        fault->kind = CSuiteFault::CppException;
        std::snprintf(fault->what, sizeof(fault->what), "%s", e.what());
        return false;
    }
    catch (...)
    {
        fault->kind = CSuiteFault::CppException;
        return false;
    }
    if (returned)
        return true;
    fault->kind = CSuiteFault::Structured;
    fault->code = frame.code;
    std::memcpy(fault->what, frame.what, sizeof(fault->what));
    // Back on the guard's own frame, far above where the fault happened: before any more suite code runs on
    // this thread, its stack must be able to stop (and report) an overflow again.
    fault->stackGuarded = CheckStack();
    return false;
}

namespace
{
struct CallArgs
{
    void* entry;
    void* suite;
    void* context;
    unsigned int flags;
    int slot;
    void* result;
};

void* VirtualSlot(void* object, int slot)
{
    void** table = *static_cast<void***>(object);
    return table[slot];
}
} // namespace

bool CSuiteCallGuard::CallTestEntry(void* entry, void* suite, CSuiteFault* fault)
{
    CallArgs args{entry, suite, nullptr, 0, 0, nullptr};
    return Invoke(
        [](void* p) {
            CallArgs* a = static_cast<CallArgs*>(p);
            reinterpret_cast<TestProc>(a->entry)(a->suite);
        },
        &args, fault);
}

bool CSuiteCallGuard::CallHelperEntry(void* entry, void* suite, void* context, CSuiteFault* fault)
{
    CallArgs args{entry, suite, context, 0, 0, nullptr};
    return Invoke(
        [](void* p) {
            CallArgs* a = static_cast<CallArgs*>(p);
            reinterpret_cast<HelperProc>(a->entry)(a->suite, a->context);
        },
        &args, fault);
}

bool CSuiteCallGuard::CallSuiteSlot(void* suite, int slot, CSuiteFault* fault)
{
    CallArgs args{nullptr, suite, nullptr, 0, slot, nullptr};
    return Invoke(
        [](void* p) {
            CallArgs* a = static_cast<CallArgs*>(p);
            reinterpret_cast<SlotProc>(VirtualSlot(a->suite, a->slot))(a->suite);
        },
        &args, fault);
}

bool CSuiteCallGuard::CallDeletingDestructor(void* suite, unsigned int flags, CSuiteFault* fault)
{
    CallArgs args{nullptr, suite, nullptr, flags, 0, nullptr};
    return Invoke(
        [](void* p) {
            CallArgs* a = static_cast<CallArgs*>(p);
            reinterpret_cast<DeleteProc>(VirtualSlot(a->suite, 0))(a->suite, a->flags);
        },
        &args, fault);
}

bool CSuiteCallGuard::CallConstructorExport(FARPROC constructor, void** suite, CSuiteFault* fault)
{
    CallArgs args{reinterpret_cast<void*>(constructor), nullptr, nullptr, 0, 0, nullptr};
    bool ok = Invoke(
        [](void* p) {
            CallArgs* a = static_cast<CallArgs*>(p);
            a->result = reinterpret_cast<ConstructorProc>(a->entry)();
        },
        &args, fault);
    if (suite)
        *suite = ok ? args.result : nullptr;
    return ok;
}

bool CSuiteCallGuard::CallDestructorExport(FARPROC destructor, void* suite, CSuiteFault* fault)
{
    CallArgs args{reinterpret_cast<void*>(destructor), suite, nullptr, 0, 0, nullptr};
    return Invoke(
        [](void* p) {
            CallArgs* a = static_cast<CallArgs*>(p);
            reinterpret_cast<DestructorProc>(a->entry)(a->suite);
        },
        &args, fault);
}
