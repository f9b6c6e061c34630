// The system functions and toolkit colours the image manager draws with, bound by name where the
// system may lack them.
#include "toolkit/common/XTPImageManagerData.h"

namespace
{
typedef BOOL(WINAPI* PFNALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
typedef BOOL(WINAPI* PFNTRANSPARENTBLT)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
typedef DWORD(WINAPI* PFNGETLAYOUT)(HDC);
typedef DWORD(WINAPI* PFNSETLAYOUT)(HDC, DWORD);

template <typename PFN> PFN Bind(LPCSTR lpszModule, LPCSTR lpszName, BOOL bLoad)
{
    HMODULE hModule = ::GetModuleHandleA(lpszModule);
    if (!hModule && bLoad)
        hModule = ::LoadLibraryA(lpszModule);
    return hModule ? reinterpret_cast<PFN>(reinterpret_cast<void*>(::GetProcAddress(hModule, lpszName))) : nullptr;
}

PFNALPHABLEND AlphaBlendProc()
{
    static PFNALPHABLEND s_pfn = Bind<PFNALPHABLEND>("msimg32.dll", "AlphaBlend", TRUE);
    return s_pfn;
}

PFNTRANSPARENTBLT TransparentBltProc()
{
    static PFNTRANSPARENTBLT s_pfn = Bind<PFNTRANSPARENTBLT>("msimg32.dll", "TransparentBlt", TRUE);
    return s_pfn;
}
} // namespace

BOOL XTPImageSystemHasAlphaBlend()
{
    return AlphaBlendProc() != nullptr;
}

BOOL XTPImageSystemAlphaBlend(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc, int cxSrc,
                              int cySrc)
{
    PFNALPHABLEND pfn = AlphaBlendProc();
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return pfn && pfn(hdcDest, x, y, cx, cy, hdcSrc, xSrc, ySrc, cxSrc, cySrc, bf);
}

BOOL XTPImageSystemHasTransparentBlt()
{
    return TransparentBltProc() != nullptr;
}

BOOL XTPImageSystemTransparentBlt(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc, int cxSrc,
                                  int cySrc, UINT clrTransparent)
{
    PFNTRANSPARENTBLT pfn = TransparentBltProc();
    return pfn && pfn(hdcDest, x, y, cx, cy, hdcSrc, xSrc, ySrc, cxSrc, cySrc, clrTransparent);
}

DWORD XTPImageGetLayout(HDC hDC)
{
    static PFNGETLAYOUT s_pfn = Bind<PFNGETLAYOUT>("gdi32.dll", "GetLayout", FALSE);
    DWORD dwLayout = s_pfn && hDC ? s_pfn(hDC) : 0;
    return dwLayout == GDI_ERROR ? 0 : dwLayout;
}

void XTPImageSetLayout(HDC hDC, DWORD dwLayout)
{
    static PFNSETLAYOUT s_pfn = Bind<PFNSETLAYOUT>("gdi32.dll", "SetLayout", FALSE);
    if (s_pfn && hDC)
        s_pfn(hDC, dwLayout);
}

COLORREF XTPImageShadowBaseColor()
{
    return ::GetSysColor(COLOR_3DSHADOW);
}

BOOL XTPImageIsLowResolution()
{
    HDC hdc = ::GetDC(nullptr);
    int nColors = ::GetDeviceCaps(hdc, BITSPIXEL) * ::GetDeviceCaps(hdc, PLANES);
    ::ReleaseDC(nullptr, hdc);
    return nColors <= 8;
}
