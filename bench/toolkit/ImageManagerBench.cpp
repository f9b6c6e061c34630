// Loads 1,000 distinct 16 x 16 icons (alpha bitmaps, then icons with masks) into one image manager
// and prints the time each run took and the strip's final width. The alpha bitmaps are also added
// to a common-controls image list (32-bit colour, growing by 4), timed beside the manager in the
// same process; the alpha row reads as the ratio of the two times.
#include "toolkit/common/images/XTPImageManager.h"

#include <commctrl.h>

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

double Run(bool bIcons, int nCount, int& nStripWidth)
{
    CXTPImageManager manager;
    LARGE_INTEGER f, t0, t1;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t0);
    for (int n = 0; n < nCount; n++)
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

// The same alpha bitmaps added to an image list; nImages receives its final count.
double RunImageList(int nCount, int& nImages)
{
    LARGE_INTEGER f, t0, t1;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t0);
    HIMAGELIST hList = ::ImageList_Create(16, 16, ILC_COLOR32, 0, 4);
    for (int n = 0; n < nCount; n++)
    {
        HBITMAP hBitmap = MakeImage(n);
        ::ImageList_Add(hList, hBitmap, nullptr);
        ::DeleteObject(hBitmap);
    }
    ::QueryPerformanceCounter(&t1);
    nImages = ::ImageList_GetImageCount(hList);
    ::ImageList_Destroy(hList);
    return Seconds(t0, t1, f);
}
} // namespace

int main()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    // One small pass of each first, so neither timed run pays for first-use set-up.
    int nWarm = 0;
    RunImageList(8, nWarm);
    Run(false, 8, nWarm);

    int nImages = 0, nWidth = 0;
    double sList = RunImageList(kIcons, nImages);
    double sAlpha = Run(false, kIcons, nWidth);
    std::printf("image_manager_bench: %d alpha bitmaps: %.3f s (%.1f us each), strip %d px wide; image list %.3f s "
                "(%d images); ratio %.2f\n",
                kIcons, sAlpha, sAlpha * 1e6 / kIcons, nWidth, sList, nImages, sAlpha / sList);
    double sIcons = Run(true, kIcons, nWidth);
    std::printf("image_manager_bench: %d icons with masks: %.3f s (%.1f us each), strip %d px wide\n", kIcons, sIcons,
                sIcons * 1e6 / kIcons, nWidth);
    return 0;
}
