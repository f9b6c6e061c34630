// A thread for tests and benchmarks: runs any callable on a new Win32 thread through one real `WINAPI`
// thread procedure. A lambda handed to CreateThread directly compiles on x86_64 (one calling convention)
// but not on i686, where the thread procedure is stdcall and a lambda converts only to a cdecl pointer.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

namespace qvx_test
{
class CTestThread
{
public:
    // Starts the thread at once; Started() tells whether the system made it.
    explicit CTestThread(std::function<void()> body)
        : m_body(std::move(body))
    {
        m_hThread = ::CreateThread(nullptr, 0, &CTestThread::Procedure, this, 0, nullptr);
    }

    // Waits for the thread: the body refers to the object and must not outlive it.
    ~CTestThread()
    {
        if (m_hThread)
        {
            ::WaitForSingleObject(m_hThread, INFINITE);
            ::CloseHandle(m_hThread);
        }
    }

    CTestThread(const CTestThread&) = delete;
    CTestThread& operator=(const CTestThread&) = delete;

    bool Started() const { return m_hThread != nullptr; }
    HANDLE Handle() const { return m_hThread; }

    // True when the thread has ended within the time.
    bool Join(DWORD milliseconds = INFINITE) const
    {
        return m_hThread && ::WaitForSingleObject(m_hThread, milliseconds) == WAIT_OBJECT_0;
    }

private:
    static DWORD WINAPI Procedure(LPVOID parameter)
    {
        static_cast<CTestThread*>(parameter)->m_body();
        return 0;
    }

    std::function<void()> m_body;
    HANDLE m_hThread = nullptr;
};
} // namespace qvx_test
