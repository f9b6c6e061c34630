#include "ui/UnitTestElapsedTimeTimer.h"

#include "framework/Wnd.h"

CUnitTestElapsedTimeTimer::CUnitTestElapsedTimeTimer() : m_target(nullptr)
{
    SetInterval(kInterval);
}

CUnitTestElapsedTimeTimer::~CUnitTestElapsedTimeTimer()
{
    Shutdown();
}

void CUnitTestElapsedTimeTimer::OnTimer()
{
    CWnd* target = m_target.load();
    if (!target)
        return;
    HWND window = target->m_hWnd;
    if (window)
        ::PostMessageA(window, WM_QVX_ELAPSED_TIME_TICK, 0, 0);
}
