// Helpers of the menu bar tests.
#include "MenuBarTestSupport.h"

namespace menubar_test
{
bool OpenMDIFrame(CMDIFrameWnd& frame)
{
    if (!frame.LoadFrame(kFrameMenu, WS_OVERLAPPEDWINDOW | WS_VISIBLE))
        return false;
    frame.SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

HWND OpenMDIChild(CMDIFrameWnd& frame, CMDIChildWnd* pChild, LPCSTR lpszTitle, DWORD dwStyle, HMENU hMenuShared)
{
    if (hMenuShared)
        pChild->SetHandles(hMenuShared, nullptr);
    if (!pChild->Create(nullptr, lpszTitle, dwStyle, CRect(0, 0, 200, 150), &frame))
        return nullptr;
    return pChild->GetSafeHwnd();
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
} // namespace menubar_test
