// The start-up benchmark's baseline: the smallest GUI program built the way Quorvex.exe is (same compiler
// flags, WIN32 subsystem, runtime linked statically, debug information moved beside it).
//   startup_hello.exe         registers a class, shows a window that paints a line of text, and runs its
//                             message loop until the window is closed (the first-paint baseline);
//   startup_hello.exe -exit   registers the class, creates the window hidden, destroys it and ends (the
//                             start-to-exit baseline).
#include <windows.h>

#include <cstring>

namespace
{
const char kClassName[] = "QuorvexStartupHello";

LRESULT CALLBACK HelloProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
    {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
        DrawTextA(dc, "Hello", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    const bool exitAtOnce = commandLine && std::strstr(commandLine, "-exit") != nullptr;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HelloProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowExA(0, kClassName, "Hello", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  480, 320, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    if (exitAtOnce)
    {
        DestroyWindow(window);
        return 0;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
    {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
