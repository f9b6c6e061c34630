#include "engine/SuiteCallGuard.h"

#include "sdk/QuorvexSuite.h"

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
struct GuardFrame
{
#if !defined(_WIN64)
    GuardFrame* prevRecord;
    void* handler;
#endif
#if !defined(_WIN64)
    void* jump[5]; // __builtin_setjmp buffer
#endif
    GuardFrame* outer;
    DWORD code;
    char what[256];
};

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

#if defined(_WIN64)
extern "C" char qvx_guard_resume[];

// Called by the system's exception dispatcher for every exception that reaches qvx_guard_invoke's frame, i.e.
// one that the suite's own frames did not handle. Like an __except block it unwinds the suite's frames (their
// cleanups run) and resumes qvx_guard_invoke at qvx_guard_resume, which returns 1.
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

// int qvx_guard_invoke(body, data): calls body(data) under a frame whose exception handler is
// qvx_guard_handler64; returns 0 when body returned, 1 when an exception ended it.
extern "C" int qvx_guard_invoke(void (*body)(void*), void* data);
asm(R"(
    .text
    .p2align 4
    .globl qvx_guard_invoke
    .globl qvx_guard_resume
    .def qvx_guard_invoke; .scl 2; .type 32; .endef
    .seh_proc qvx_guard_invoke
qvx_guard_invoke:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_handler qvx_guard_handler64, @except
    .seh_endprologue
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    xorl %eax, %eax
    nop
    addq $40, %rsp
    retq
qvx_guard_resume:
    movl $1, %eax
    addq $40, %rsp
    retq
    .seh_endproc
)");
#else
// The handler of the registration record that Invoke pushes on fs:[0]. Inner frames (the suite's own) are
// unwound first so that their cleanups run, then control returns to the guard.
extern "C" EXCEPTION_DISPOSITION __cdecl qvx_guard_handler32(EXCEPTION_RECORD* record, void* establisher,
                                                             CONTEXT*, void*)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    GuardFrame* frame = static_cast<GuardFrame*>(establisher);
    RecordException(frame, record);
    RtlUnwind(establisher, nullptr, record, nullptr);
    __builtin_longjmp(frame->jump, 1);
}
#endif

namespace
{
// Separate, never inlined: the function that calls __builtin_setjmp must not be merged into its callers.
__attribute__((noinline)) bool InvokeFramed(void (*body)(void*), void* data, GuardFrame* frame)
{
#if defined(_WIN64)
    frame->outer = static_cast<GuardFrame*>(TlsGetValue(GuardSlot()));
    TlsSetValue(GuardSlot(), frame);
    int faulted = qvx_guard_invoke(body, data);
    TlsSetValue(GuardSlot(), frame->outer);
    return faulted == 0;
#else
    if (__builtin_setjmp(frame->jump) != 0)
    {
        // The handler unwound to this record; drop it from the chain.
        GuardFrame* prev = frame->prevRecord;
        asm volatile("movl %0, %%fs:0" : : "r"(prev) : "memory");
        return false;
    }
    GuardFrame* head;
    asm volatile("movl %%fs:0, %0" : "=r"(head));
    frame->prevRecord = head;
    frame->handler = reinterpret_cast<void*>(&qvx_guard_handler32);
    asm volatile("movl %0, %%fs:0" : : "r"(frame) : "memory");
    body(data);
    asm volatile("movl %0, %%fs:0" : : "r"(frame->prevRecord) : "memory");
    return true;
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

bool CSuiteCallGuard::Invoke(void (*body)(void*), void* data, CSuiteFault* fault)
{
    CSuiteFault local;
    if (!fault)
        fault = &local;
    *fault = CSuiteFault();
    // The thread may never have run suite code, or its guard page may lie too low (some systems place a
    // new thread's only guard page right above the stack's last page, with no room to handle an
    // overflow): first the reserve, then a guard page above it.
    ReserveOverflowStack();
    RestoreStackGuard();
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
    fault->stackGuarded = RestoreStackGuard();
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
