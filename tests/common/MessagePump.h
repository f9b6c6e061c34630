// Message pumping for tests that drive real windows: answer what waits, pump for a time, or pump until a
// condition holds or a deadline passes.
#pragma once

#include <windows.h>

#include <functional>

namespace qvx_test
{
// Answers every message waiting for this thread; with a time, keeps answering (waking at least every
// 10 ms) until that many milliseconds have passed.
inline void PumpMessages(DWORD milliseconds = 0)
{
    const DWORD start = ::GetTickCount();
    do
    {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        if (milliseconds)
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (::GetTickCount() - start < milliseconds);
}

// Pumps until done() holds or the time is up; the result of done() at the end.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000)
{
    const DWORD start = ::GetTickCount();
    while (!done())
    {
        if (::GetTickCount() - start > timeoutMs)
            return done();
        PumpMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Pumps for a fixed time.
inline void PumpFor(DWORD milliseconds)
{
    PumpMessages(milliseconds);
}
} // namespace qvx_test
