// The suite-call guard on its own: a stack overflow is contained again and again on one thread, because the
// guard gives the stack its guard page back after each one.
#include "engine/SuiteCallGuard.h"

#include <gtest/gtest.h>

#include <windows.h>

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
} // namespace

TEST(SuiteCallGuard, RepeatedStackOverflowsOnOneThreadAreEachContained)
{
    OverflowLog log;
    // A small stack: each overflow is quick.
    HANDLE thread = CreateThread(nullptr, 512 * 1024, &OverflowThreeTimes, &log,
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 60000), WAIT_OBJECT_0) << "the thread did not come back";
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    EXPECT_EQ(code, 0u) << "the thread was ended by the system";
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
