// Loads 1,000 distinct 16 x 16 icons (alpha bitmaps, then icons with masks) into one image manager
// and prints the time each run took and the strip's final width.
#include "toolkit/common/images/XTPImageManager.h"

#include <cstdio>
#include <cstring>

namespace
{
const int kIcons = 1000;

HBITMAP MakeImage(int n)
{
    LPBYTE pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection32(nullptr, 16, 16, &pBits);
    DWORD* p = reinterpret_cast<DWORD*>(pBits);
    for (int i = 0; i < 256; i++)
        p[i] = 0x80000000u | static_cast<DWORD>((n * 7919 + i) & 0x7F7F7F);
    return hBitmap;
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f)
{
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

double Run(bool bIcons, int& nStripWidth)
{
    CXTPImageManager manager;
    LARGE_INTEGER f, t0, t1;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t0);
    for (int n = 0; n < kIcons; n++)
    {
        HBITMAP hBitmap = MakeImage(n);
        CXTPImageHandle handle;
        if (bIcons)
        {
            HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, nullptr);
            ICONINFO ii = {TRUE, 0, 0, hMask, hBitmap};
            handle.SetIcon(::CreateIconIndirect(&ii), TRUE);
            ::DeleteObject(hMask);
            ::DeleteObject(hBitmap);
        }
        else
        {
            handle.SetBitmap(hBitmap, TRUE);
        }
        manager.SetIcon(handle, static_cast<UINT>(n + 1), 16, 16);
    }
    ::QueryPerformanceCounter(&t1);
    nStripWidth = manager.GetResource(CSize(16, 16))->GetStripWidth();
    return Seconds(t0, t1, f);
}
} // namespace

int main()
{
    for (bool bIcons : {false, true})
    {
        int nWidth = 0;
        double s = Run(bIcons, nWidth);
        std::printf("image_manager_bench: %d %s: %.3f s (%.1f us each), strip %d px wide\n", kIcons,
                    bIcons ? "icons with masks" : "alpha bitmaps", s, s * 1e6 / kIcons, nWidth);
    }
    return 0;
}
