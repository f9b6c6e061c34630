#include "toolkit/common/drawing/XTPDrawHelpers.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "toolkit/common/resources/XTPResourceManager.h"
#include "toolkit/common/system/XTPSystemHelpers.h"

#include <algorithm>

// ---- CXTPDrawHelpers

CXTPDrawHelpers::CXTPDrawHelpers()
{
    Bind("msimg32.dll");
}

CXTPDrawHelpers::CXTPDrawHelpers(LPCSTR lpszMsImgModule)
{
    Bind(lpszMsImgModule);
}

void CXTPDrawHelpers::Bind(LPCSTR lpszModule)
{
    // The module stays loaded for the process (the functions may be used until exit).
    m_hMsImgDll = lpszModule ? ::LoadLibraryA(lpszModule) : nullptr;
    if (!m_hMsImgDll)
        return;
    m_pfnFastGradientFill = reinterpret_cast<PFNGRADIENTFILL>(
        reinterpret_cast<void*>(::GetProcAddress(m_hMsImgDll, "GradientFill")));
    m_pfnAlphaBlend =
        reinterpret_cast<PFNALPHABLEND>(reinterpret_cast<void*>(::GetProcAddress(m_hMsImgDll, "AlphaBlend")));
    m_pfnTransparentBlt = reinterpret_cast<PFNTRANSPARENTBLT>(
        reinterpret_cast<void*>(::GetProcAddress(m_hMsImgDll, "TransparentBlt")));
}

void CXTPDrawHelpers::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF clrStart, COLORREF clrEnd, BOOL bHorz)
{
    HDC hDC = pDC ? pDC->GetSafeHdc() : nullptr;
    if (!hDC || !lpRect || ::IsRectEmpty(lpRect))
        return;
    const CRect rc(*lpRect);
    if (::IsLowResolution(hDC) || clrStart == clrEnd)
    {
        pDC->FillSolidRect(rc, clrStart);
        return;
    }
    if (!m_pfnFastGradientFill || (IsContextRightToLeft(hDC) && GetOsVersion()->IsWin9x()))
    {
        ManualGradientFill(pDC, rc, clrStart, clrEnd, bHorz);
        return;
    }
    TRIVERTEX vertices[2] = {};
    vertices[0].x = rc.left;
    vertices[0].y = rc.top;
    vertices[0].Red = static_cast<COLOR16>(GetRValue(clrStart) << 8);
    vertices[0].Green = static_cast<COLOR16>(GetGValue(clrStart) << 8);
    vertices[0].Blue = static_cast<COLOR16>(GetBValue(clrStart) << 8);
    vertices[1].x = rc.right;
    vertices[1].y = rc.bottom;
    vertices[1].Red = static_cast<COLOR16>(GetRValue(clrEnd) << 8);
    vertices[1].Green = static_cast<COLOR16>(GetGValue(clrEnd) << 8);
    vertices[1].Blue = static_cast<COLOR16>(GetBValue(clrEnd) << 8);
    GRADIENT_RECT gradientRect = {0, 1};
    m_pfnFastGradientFill(hDC, vertices, 2, &gradientRect, 1, bHorz ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void CXTPDrawHelpers::ManualGradientFill(CDC* pDC, const CRect& rc, COLORREF clrStart, COLORREF clrEnd, BOOL bHorz)
{
    CRect rcClip;
    CRect rcArea;
    if (pDC->GetClipBox(&rcClip) == ERROR || rcClip.IsRectEmpty())
        rcArea = rc;
    else if (!rcArea.IntersectRect(&rcClip, &rc))
        return;

    if (bHorz)
    {
        const double width = std::max(rc.Width(), 1);
        for (int x = rcArea.left; x < rcArea.right; ++x)
            pDC->FillSolidRect(x, rcArea.top, 1, rcArea.Height(),
                               BlendColors(clrStart, clrEnd, 1.0 - (x - rc.left) / width));
    }
    else
    {
        const double height = std::max(rc.Height(), 1);
        for (int y = rcArea.top; y < rcArea.bottom; ++y)
            pDC->FillSolidRect(rcArea.left, y, rcArea.Width(), 1,
                               BlendColors(clrStart, clrEnd, 1.0 - (y - rc.top) / height));
    }
}

void CXTPDrawHelpers::GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF clrStart, COLORREF clrEnd, BOOL bHorz,
                                          LPCRECT lpRectClip)
{
    if (!lpRectClip)
    {
        GradientFill(pDC, lpRect, clrStart, clrEnd, bHorz);
        return;
    }
    if (!lpRect)
        return;
    CRect rc(*lpRect);
    const CRect& clip = *reinterpret_cast<const CRect*>(lpRectClip);
    COLORREF clrFrom = clrStart;
    COLORREF clrTo = clrEnd;
    if (bHorz)
    {
        rc.top = std::max(rc.top, clip.top);
        rc.bottom = std::min(rc.bottom, clip.bottom);
        if (clip.right <= lpRect->left || clip.left >= lpRect->right)
            return;
        const double width = std::max(static_cast<int>(lpRect->right - lpRect->left), 1);
        if (clip.left > lpRect->left)
        {
            clrFrom = BlendColors(clrStart, clrEnd, (lpRect->right - clip.left) / width);
            rc.left = clip.left;
        }
        if (clip.right < lpRect->right)
        {
            clrTo = BlendColors(clrStart, clrEnd, (lpRect->right - clip.right) / width);
            rc.right = clip.right;
        }
    }
    else
    {
        rc.left = std::max(rc.left, clip.left);
        rc.right = std::min(rc.right, clip.right);
        if (clip.bottom <= lpRect->top || clip.top >= lpRect->bottom)
            return;
        const double height = std::max(static_cast<int>(lpRect->bottom - lpRect->top), 1);
        if (clip.top > lpRect->top)
        {
            clrFrom = BlendColors(clrStart, clrEnd, (lpRect->bottom - clip.top) / height);
            rc.top = clip.top;
        }
        if (clip.bottom < lpRect->bottom)
        {
            clrTo = BlendColors(clrStart, clrEnd, (lpRect->bottom - clip.bottom) / height);
            rc.bottom = clip.bottom;
        }
    }
    GradientFill(pDC, &rc, clrFrom, clrTo, bHorz);
}

void CXTPDrawHelpers::GradientFillColorGradient(CDC* pDC, LPCRECT lpRect, const CXTPPaintManagerColorGradient& grc,
                                                BOOL bHorz, LPCRECT lpRectClip)
{
    if (!lpRect)
        return;
    const COLORREF clrStart = grc.clrLight.GetColor();
    const COLORREF clrEnd = grc.clrDark.GetColor();
    if (grc.fGradientFactor == 0.5f)
    {
        GradientFillClipped(pDC, lpRect, clrStart, clrEnd, bHorz, lpRectClip);
        return;
    }
    const COLORREF clrMiddle = BlendColors(clrStart, clrEnd, grc.fGradientFactor);
    CRect rcFirst(*lpRect);
    CRect rcSecond(*lpRect);
    if (bHorz)
    {
        rcFirst.right = lpRect->right - (lpRect->right - lpRect->left) / 2;
        rcSecond.left = rcFirst.right;
    }
    else
    {
        rcFirst.bottom = lpRect->bottom - (lpRect->bottom - lpRect->top) / 2;
        rcSecond.top = rcFirst.bottom;
    }
    GradientFillClipped(pDC, &rcFirst, clrStart, clrMiddle, bHorz, lpRectClip);
    GradientFillClipped(pDC, &rcSecond, clrMiddle, clrEnd, bHorz, lpRectClip);
}

void CXTPDrawHelpers::ExcludeCorners(CDC* pDC, CRect rc)
{
    HDC hDC = pDC ? pDC->GetSafeHdc() : nullptr;
    if (!hDC)
        return;
    ::ExcludeClipRect(hDC, rc.left, rc.top, rc.left + 1, rc.top + 1);
    ::ExcludeClipRect(hDC, rc.right - 1, rc.top, rc.right, rc.top + 1);
    ::ExcludeClipRect(hDC, rc.left, rc.bottom - 1, rc.left + 1, rc.bottom);
    ::ExcludeClipRect(hDC, rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
}

BOOL CXTPDrawHelpers::AlphaBlend(HDC hdcDest, int xDest, int yDest, int cxDest, int cyDest, HDC hdcSrc, int xSrc,
                                 int ySrc, int cxSrc, int cySrc, BLENDFUNCTION blend)
{
    if (!m_pfnAlphaBlend)
        return FALSE;
    return m_pfnAlphaBlend(hdcDest, xDest, yDest, cxDest, cyDest, hdcSrc, xSrc, ySrc, cxSrc, cySrc, blend);
}

BOOL CXTPDrawHelpers::TransparentBlt(HDC hdcDest, int xDest, int yDest, int cxDest, int cyDest, HDC hdcSrc, int xSrc,
                                     int ySrc, int cxSrc, int cySrc, UINT crTransparent)
{
    if (!m_pfnTransparentBlt)
        return FALSE;
    return m_pfnTransparentBlt(hdcDest, xDest, yDest, cxDest, cyDest, hdcSrc, xSrc, ySrc, cxSrc, cySrc,
                               crTransparent);
}

CXTPDrawHelpers* GetDrawHelpers()
{
    static CXTPDrawHelpers s_helpers;
    return &s_helpers;
}

// ---- colours

COLORREF BlendColors(COLORREF clrFirst, COLORREF clrSecond, double dRatio)
{
    auto blend = [dRatio](int first, int second) {
        return std::min(static_cast<int>(dRatio * first + (1.0 - dRatio) * second), 255);
    };
    return RGB(blend(GetRValue(clrFirst), GetRValue(clrSecond)), blend(GetGValue(clrFirst), GetGValue(clrSecond)),
               blend(GetBValue(clrFirst), GetBValue(clrSecond)));
}

DWORD RGBToHSL(COLORREF clr)
{
    const int r = GetRValue(clr);
    const int g = GetGValue(clr);
    const int b = GetBValue(clr);
    const int nMax = std::max({r, g, b});
    const int nMin = std::min({r, g, b});
    const int half = (nMax + nMin + 1) / 2;
    const int l = half * 240 / 255;
    int h = 239;
    int s = 0;
    if (nMax != nMin)
    {
        const int delta = nMax - nMin;
        if (half > 126)
            s = delta * 256 / (512 - (nMax + nMin));
        else
            s = (delta + 1) * 256 / (nMax + nMin);
        s = s * 240 / 255;

        if (r == nMax)
            h = (g - b) * 256 / delta;
        else if (g == nMax)
            h = (b - r) * 256 / delta + 512;
        else
            h = (r - g) * 256 / delta + 1024;
        h /= 6;
        if (h < 0)
            h += 256;
        h = h * 239 / 255;
    }
    return static_cast<DWORD>((h & 0xFF) | ((s & 0xFF) << 8) | ((l & 0xFF) << 16));
}

namespace
{
// One channel of the two-value construction; m1 and m2 are scaled by 255, the hue is 0 to 255.
int HueToRGB(int m1, int m2, int h)
{
    if (h < 0)
        h += 255;
    if (h > 255)
        h -= 255;
    int v;
    if (6 * h < 255)
        v = m1 + (m2 - m1) * h * 6 / 255;
    else if (2 * h < 255)
        v = m2;
    else if (3 * h < 510)
        v = m1 + (m2 - m1) * (170 - h) * 6 / 255;
    else
        v = m1;
    return std::min(std::max(v / 255, 0), 255);
}
} // namespace

COLORREF HSLToRGB(DWORD dwHSL)
{
    const int hPacked = static_cast<int>(dwHSL & 0xFF);
    const int sPacked = static_cast<int>((dwHSL >> 8) & 0xFF);
    const int lPacked = static_cast<int>((dwHSL >> 16) & 0xFF);
    // Each scale is rounded: the packed values have 240 steps, and a saturated colour's steep
    // channel moves about six levels per hue step.
    const int l = std::min((lPacked * 136 + 64) / 128, 255);
    const int s = std::min((sPacked * 136 + 64) / 128, 255);
    const int h = (hPacked * 255 + 119) / 239;
    if (s == 0)
        return RGB(l, l, l);
    const int m2 = lPacked <= 120 ? l * (s + 255) : (l + s - l * s / 255) * 255;
    const int m1 = 510 * l - m2;
    return RGB(HueToRGB(m1, m2, h + 85), HueToRGB(m1, m2, h), HueToRGB(m1, m2, h - 85));
}

BOOL IsLowResolution(HDC hDC)
{
    return CXTPColorManager::IsLowResolution(hDC);
}

// ---- fonts

namespace
{
struct FontSearch
{
    LPCSTR lpszFace;
    BOOL bFound;
};

int CALLBACK FindFontFamily(const LOGFONTA* pLogFont, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    FontSearch* search = reinterpret_cast<FontSearch*>(lParam);
    if (lstrcmpiA(pLogFont->lfFaceName, search->lpszFace) == 0)
    {
        search->bFound = TRUE;
        return 0;
    }
    return 1;
}
} // namespace

BOOL FontExists(LPCSTR lpszFaceName)
{
    if (!lpszFaceName || !*lpszFaceName)
        return FALSE;
    FontSearch search = {lpszFaceName, FALSE};
    HDC hDC = ::GetDC(nullptr);
    if (!hDC)
        return FALSE;
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExA(hDC, &lf, reinterpret_cast<FONTENUMPROCA>(&FindFontFamily),
                          reinterpret_cast<LPARAM>(&search), 0);
    ::ReleaseDC(nullptr, hDC);
    return search.bFound;
}

void GetDefaultFaceName(CString& strFaceName, BOOL bPreferTahoma)
{
    LOGFONTA lf = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    const CString strGuiFace(lf.lfFaceName);
    if (lf.lfCharSet > SYMBOL_CHARSET && GetOsVersion()->IsWin2000OrGreater() &&
        strGuiFace.CompareNoCase("MS Shell Dlg") != 0)
    {
        strFaceName = strGuiFace;
        return;
    }
    if (!FontExists("Arial"))
    {
        strFaceName = strGuiFace;
        return;
    }
    strFaceName = "Arial";
    if (bPreferTahoma && FontExists("Tahoma"))
        strFaceName = "Tahoma";
}

BOOL GetIconTitleLogFont(LOGFONTA* pLogFont)
{
    if (!pLogFont)
        return FALSE;
    ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTA), pLogFont, 0);
    pLogFont->lfCharSet = GetResourceManager()->GetFontCharset();
    return TRUE;
}

// ---- text

void StripAmpersands(CString& strText)
{
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        if (strText[i] == '&')
            strText.Delete(i); // the character moved into place i is kept (the loop steps past it)
    }
}

void StripAmpersandsA(LPSTR lpszText)
{
    if (!lpszText || lpszText == reinterpret_cast<LPSTR>(-1))
        return;
    char* out = lpszText;
    for (const char* in = lpszText; *in; ++in)
    {
        if (*in == '&' && in[1] != '&')
            continue;
        *out++ = *in;
    }
    *out = '\0';
}

void GetWindowTextString(HWND hWnd, CString& strText)
{
    strText.Empty();
    if (!hWnd)
        return;
    const int nLength = ::GetWindowTextLengthA(hWnd);
    if (nLength <= 0)
        return;
    const int nCopied = ::GetWindowTextA(hWnd, strText.GetBuffer(nLength + 1), nLength + 1);
    strText.ReleaseBuffer(std::max(nCopied, 0));
}

CString FormatString(LPCSTR lpszFormat, LPCSTR lpszArgument)
{
    CString strResult;
    if (lpszFormat)
        strResult.Format(lpszFormat, lpszArgument ? lpszArgument : "");
    return strResult;
}

// ---- windows and rectangles

CRect GetHwndWindowRect(HWND hWnd)
{
    CRect rc(0, 0, 0, 0);
    if (hWnd && ::IsWindow(hWnd))
        ::GetWindowRect(hWnd, &rc);
    return rc;
}

CRect GetWndWindowRect(const CWnd* pWnd)
{
    return GetHwndWindowRect(pWnd ? pWnd->GetSafeHwnd() : nullptr);
}

CRect GetHwndClientRect(HWND hWnd)
{
    CRect rc(0, 0, 0, 0);
    if (hWnd && ::IsWindow(hWnd))
        ::GetClientRect(hWnd, &rc);
    return rc;
}

CRect GetWndClientRect(const CWnd* pWnd)
{
    return GetHwndClientRect(pWnd ? pWnd->GetSafeHwnd() : nullptr);
}

CRect MakeEmptyRect()
{
    return CRect(0, 0, 0, 0);
}

CRect& MakeEmptyRect(CRect& rc)
{
    rc.SetRectEmpty();
    return rc;
}

BOOL IsTopLevelParentActive(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd))
        return FALSE;
    HWND hTop = hWnd;
    // GetParent gives the owner of a top-level window, so this climbs parents and owners.
    for (HWND hNext = ::GetParent(hTop); hNext; hNext = ::GetParent(hTop))
        hTop = hNext;
    HWND hForeground = ::GetForegroundWindow();
    return hForeground && hForeground == ::GetLastActivePopup(hTop);
}

BOOL RegisterDefaultWindowClass(HINSTANCE hInstance, LPCSTR lpszClassName, UINT nStyle, HICON hIcon,
                                HBRUSH hbrBackground)
{
    if (!lpszClassName || !*lpszClassName)
        return FALSE;
    WNDCLASSA wc = {};
    wc.style = nStyle;
    wc.lpfnWndProc = &DefWindowProcA;
    wc.hInstance = hInstance ? hInstance : AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = lpszClassName;
    return AfxRegisterClass(&wc);
}

// ---- right-to-left layout

namespace
{
typedef DWORD(WINAPI* PFNGETLAYOUT)(HDC);
typedef DWORD(WINAPI* PFNSETLAYOUT)(HDC, DWORD);

// -1: not looked up yet; null: unavailable.
FARPROC LookUpGdi(FARPROC& cached, LPCSTR lpszName)
{
    if (cached == reinterpret_cast<FARPROC>(-1))
    {
        HMODULE hGdi = ::GetModuleHandleA("GDI32.DLL");
        cached = hGdi ? ::GetProcAddress(hGdi, lpszName) : nullptr;
    }
    return cached;
}

FARPROC g_pfnGetLayout = reinterpret_cast<FARPROC>(-1);
FARPROC g_pfnSetLayout = reinterpret_cast<FARPROC>(-1);
} // namespace

BOOL IsContextRightToLeft(HDC hDC)
{
    if (!hDC)
        return FALSE;
    FARPROC proc = LookUpGdi(g_pfnGetLayout, "GetLayout");
    if (!proc)
        return FALSE;
    return reinterpret_cast<PFNGETLAYOUT>(reinterpret_cast<void*>(proc))(hDC) != 0;
}

BOOL IsContextRightToLeft(CDC* pDC)
{
    return IsContextRightToLeft(pDC ? pDC->GetSafeHdc() : nullptr);
}

void SetContextLayout(CDC* pDC, DWORD dwLayout)
{
    HDC hDC = pDC ? pDC->GetSafeHdc() : nullptr;
    if (!hDC)
        return;
    FARPROC proc = LookUpGdi(g_pfnSetLayout, "SetLayout");
    if (proc)
        reinterpret_cast<PFNSETLAYOUT>(reinterpret_cast<void*>(proc))(hDC, dwLayout);
}

void SwapArrowKeyForLayout(HWND hWnd, UINT& nChar)
{
    if (!hWnd || !(::GetWindowLongPtrA(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL))
        return;
    if (nChar == VK_LEFT)
        nChar = VK_RIGHT;
    else if (nChar == VK_RIGHT)
        nChar = VK_LEFT;
}

void ScreenToWindowPoint(HWND hWnd, POINT& pt)
{
    const CRect rc = GetHwndWindowRect(hWnd);
    pt.y -= rc.top;
    if (hWnd && (::GetWindowLongPtrA(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL))
        pt.x = rc.right - pt.x;
    else
        pt.x -= rc.left;
}

// ---- shapes

void DrawTrianglePolygon(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2)
{
    if (!pDC || !pDC->GetSafeHdc())
        return;
    const POINT points[3] = {pt0, pt1, pt2};
    ::Polygon(pDC->GetSafeHdc(), points, 3);
}

void DrawTrianglePolygon(CDC* pDC, int x0, int y0, int x1, int y1, int x2, int y2)
{
    DrawTrianglePolygon(pDC, CPoint(x0, y0), CPoint(x1, y1), CPoint(x2, y2));
}

void DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr)
{
    if (!pDC || !pDC->GetSafeHdc())
        return;
    CXTPPenDC pen(pDC->GetSafeHdc(), clr);
    CXTPBrushDC brush(pDC->GetSafeHdc(), clr);
    DrawTrianglePolygon(pDC, pt0, pt1, pt2);
}

void DrawTriangle(CDC* pDC, int x0, int y0, int x1, int y1, int x2, int y2, COLORREF clr)
{
    DrawTriangle(pDC, CPoint(x0, y0), CPoint(x1, y1), CPoint(x2, y2), clr);
}
