// Renders markup through the GDI drawing context and prints the times: 1,000 small rounded
// gradient borders, and one 100000 x 100000 gradient border clipped to a 50 x 50 surface (only the
// clipped part is computed and allocated).
#include <cstdio>
#include <string>

#include "toolkit/markup/context/XTPMarkupContext.h"
#include "toolkit/markup/context/XTPMarkupEngine.h"
#include "toolkit/markup/elements/XTPMarkupUIElement.h"

namespace
{
double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f)
{
    return (double)(b.QuadPart - a.QuadPart) / (double)f.QuadPart;
}

// Best of five renders of the element into a 32-bit bitmap of cx x cy, in milliseconds.
double TimeRender(CXTPMarkupUIElement* pRoot, int cx, int cy, const RECT& rc)
{
    HBITMAP hbm = CreateBitmap(cx, cy, 1, 32, nullptr);
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    double dBest = 1e9;
    for (int i = 0; i < 5; i++)
    {
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        XTPMarkupEngineRenderElement(pRoot, hdc, &rc);
        GdiFlush();
        QueryPerformanceCounter(&t1);
        double d = Seconds(t0, t1, f) * 1000;
        if (d < dBest)
            dBest = d;
    }
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    DeleteObject(hbm);
    return dBest;
}
} // namespace

// A window showing one Border and Canvas document drawn through GDI, for a look at the pixels.
const char kShowcase[] =
    "<Canvas Background='#F0F0F0'>"
    "<Border Canvas.Left='10' Canvas.Top='10' Width='180' Height='100' CornerRadius='12' BorderThickness='3' "
    "BorderBrush='#203060'><Border.Background><LinearGradientBrush StartPoint='0,0' EndPoint='0,1'>"
    "<GradientStop Color='#FFFFFF' Offset='0'/><GradientStop Color='#4070D0' Offset='1'/>"
    "</LinearGradientBrush></Border.Background></Border>"
    "<Border Canvas.Left='210' Canvas.Top='10' Width='120' Height='100' BorderThickness='2,8,2,2' "
    "BorderBrush='#C03020' Background='#80FF0000'/>"
    "<Border Canvas.Left='10' Canvas.Top='130' Width='320' Height='40'><Border.Background>"
    "<LinearGradientBrush StartPoint='0,0' EndPoint='1,0'><GradientStop Color='#FF0000' Offset='0'/>"
    "<GradientStop Color='#00FF00' Offset='0.5'/><GradientStop Color='#0000FF' Offset='1'/>"
    "</LinearGradientBrush></Border.Background></Border>"
    "</Canvas>";

LRESULT CALLBACK ShowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
    {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hWnd, &ps);
        CXTPMarkupUIElement* pRoot = (CXTPMarkupUIElement*)GetWindowLongPtrW(hWnd, GWLP_USERDATA);
        RECT rc;
        GetClientRect(hWnd, &rc);
        XTPMarkupEngineRenderElement(pRoot, hdc, &rc);
        EndPaint(hWnd, &ps);
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

int ShowWindowFor(DWORD dwMilliseconds)
{
    CXTPMarkupContext* pContext = XTPMarkupEngineCreateContext(nullptr);
    CXTPMarkupUIElement* pRoot = XTPMarkupEngineParseText(pContext, kShowcase);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ShowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QvxMarkupShowcase";
    RegisterClassW(&wc);
    HWND hWnd = CreateWindowExW(0, wc.lpszClassName, L"Markup through GDI", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                360, 230, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, (LONG_PTR)pRoot);
    InvalidateRect(hWnd, nullptr, TRUE);
    DWORD dwEnd = GetTickCount() + dwMilliseconds;
    MSG msg;
    while (GetTickCount() < dwEnd)
    {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(20);
    }
    DestroyWindow(hWnd);
    XTPMarkupEngineReleaseElement(pRoot);
    XTPMarkupEngineReleaseContext(pContext);
    return 0;
}

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--window")
        return ShowWindowFor(argc > 2 ? (DWORD)atoi(argv[2]) : 5000);
    CXTPMarkupContext* pContext = XTPMarkupEngineCreateContext(nullptr);
    std::string strSmall = "<Canvas>";
    for (int i = 0; i < 1000; i++)
    {
        char sz[400];
        std::snprintf(sz, sizeof(sz),
                      "<Border Canvas.Left='%d' Canvas.Top='%d' Width='24' Height='16' CornerRadius='4' "
                      "BorderThickness='1' BorderBrush='#404080'><Border.Background><LinearGradientBrush "
                      "StartPoint='0,0' EndPoint='0,1'><GradientStop Color='#FFFFFF' Offset='0'/>"
                      "<GradientStop Color='#6080C0' Offset='1'/></LinearGradientBrush></Border.Background>"
                      "</Border>",
                      (i % 40) * 25, (i / 40) * 17);
        strSmall += sz;
    }
    strSmall += "</Canvas>";
    CXTPMarkupUIElement* pSmall = XTPMarkupEngineParseText(pContext, strSmall.c_str());
    CXTPMarkupUIElement* pHuge = XTPMarkupEngineParseText(
        pContext, "<Border Width='100000' Height='100000' HorizontalAlignment='Left' VerticalAlignment='Top'>"
                  "<Border.Background><LinearGradientBrush StartPoint='0,0' EndPoint='1,1'>"
                  "<GradientStop Color='#FF0000' Offset='0'/><GradientStop Color='#0000FF' Offset='1'/>"
                  "</LinearGradientBrush></Border.Background></Border>");
    if (!pSmall || !pHuge)
    {
        std::printf("the documents did not build\n");
        return 1;
    }
    std::printf("1,000 rounded gradient borders (GDI): %.2f ms\n", TimeRender(pSmall, 1000, 425, {0, 0, 1000, 425}));
    std::printf("100000 x 100000 gradient clipped to 50 x 50 (GDI): %.3f ms\n",
                TimeRender(pHuge, 50, 50, {0, 0, 100000, 100000}));
    std::printf("GDI+: not built\n");
    XTPMarkupEngineReleaseElement(pSmall);
    XTPMarkupEngineReleaseElement(pHuge);
    XTPMarkupEngineReleaseContext(pContext);
    return 0;
}
