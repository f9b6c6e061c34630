// Drawing helpers of the toolkit: the process-wide CXTPDrawHelpers (gradients through msimg32 when
// it is there, alpha blends, transparent copies) and the free colour, font, text, window-rectangle,
// right-to-left and shape helpers. The scoped device contexts come with this header.
#pragma once

#include "framework/DC.h"
#include "framework/FrameworkString.h"
#include "framework/Geometry.h"
#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/drawing/XTPScopedDC.h"

#include <windows.h>

class CWnd;

class CXTPDrawHelpers
{
public:
    typedef BOOL(WINAPI* PFNGRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    typedef BOOL(WINAPI* PFNALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    typedef BOOL(WINAPI* PFNTRANSPARENTBLT)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

    // Loads "msimg32.dll" and binds GradientFill, AlphaBlend and TransparentBlt.
    CXTPDrawHelpers();
    // The same from another module; a name that does not exist leaves every function unbound
    // (the manual gradient is used then).
    explicit CXTPDrawHelpers(LPCSTR lpszMsImgModule);
    virtual ~CXTPDrawHelpers() = default;
    CXTPDrawHelpers(const CXTPDrawHelpers&) = delete;
    CXTPDrawHelpers& operator=(const CXTPDrawHelpers&) = delete;

    // A two-colour linear gradient over the rectangle; a solid fill in clrStart on a DC of 8 bits per
    // pixel or fewer, or when both colours are equal.
    void GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF clrStart, COLORREF clrEnd, BOOL bHorz);
    // The same clipped to lpRectClip, keeping the colours the whole rectangle has at the cut edges.
    void GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF clrStart, COLORREF clrEnd, BOOL bHorz,
                             LPCRECT lpRectClip);
    // Light to dark of a gradient value; a factor other than 0.5 splits the rectangle at its middle
    // with the blend at the factor there.
    void GradientFillColorGradient(CDC* pDC, LPCRECT lpRect, const CXTPPaintManagerColorGradient& grc, BOOL bHorz,
                                   LPCRECT lpRectClip = nullptr);
    // Excludes the four corner pixels of the rectangle from the clipping region.
    void ExcludeCorners(CDC* pDC, CRect rc);

    BOOL AlphaBlend(HDC hdcDest, int xDest, int yDest, int cxDest, int cyDest, HDC hdcSrc, int xSrc, int ySrc,
                    int cxSrc, int cySrc, BLENDFUNCTION blend);
    BOOL TransparentBlt(HDC hdcDest, int xDest, int yDest, int cxDest, int cyDest, HDC hdcSrc, int xSrc, int ySrc,
                        int cxSrc, int cySrc, UINT crTransparent);
    BOOL IsFastFillAvailable() const { return m_pfnFastGradientFill != nullptr; }
    BOOL IsAlphaBlendAvailable() const { return m_pfnAlphaBlend != nullptr; }

protected:
    void ManualGradientFill(CDC* pDC, const CRect& rc, COLORREF clrStart, COLORREF clrEnd, BOOL bHorz);
    void Bind(LPCSTR lpszModule);

    HMODULE m_hMsImgDll = nullptr;
    PFNGRADIENTFILL m_pfnFastGradientFill = nullptr;
    PFNALPHABLEND m_pfnAlphaBlend = nullptr;
    PFNTRANSPARENTBLT m_pfnTransparentBlt = nullptr;
};

CXTPDrawHelpers* GetDrawHelpers();

// ---- colours

// Per channel ratio × first + (1 − ratio) × second, truncated, at most 255.
COLORREF BlendColors(COLORREF clrFirst, COLORREF clrSecond, double dRatio);
// Hue 0..239 (bits 0-7), saturation 0..240 (bits 8-15), luminance 0..240 (bits 16-23).
DWORD RGBToHSL(COLORREF clr);
COLORREF HSLToRGB(DWORD dwHSL);
BOOL IsLowResolution(HDC hDC = nullptr);

// ---- fonts

// TRUE when a font family of that face (any case) is installed.
BOOL FontExists(LPCSTR lpszFaceName);
// The default face for the toolkit's fonts (see the definition for the rule).
void GetDefaultFaceName(CString& strFaceName, BOOL bPreferTahoma = FALSE);
// The icon-title font with the resource manager's character set; TRUE.
BOOL GetIconTitleLogFont(LOGFONTA* pLogFont);

// ---- text

// Deletes each '&'; the character moved into its place is kept, so "&&" leaves one '&'.
void StripAmpersands(CString& strText);
// Drops each '&' not followed by another one ("&&" -> "&", "&x" -> "x"); null and (LPSTR)-1 are
// left alone.
void StripAmpersandsA(LPSTR lpszText);
void GetWindowTextString(HWND hWnd, CString& strText);
// A new string formatted with one string argument.
CString FormatString(LPCSTR lpszFormat, LPCSTR lpszArgument);

// ---- windows and rectangles (empty for a window that does not exist)

CRect GetHwndWindowRect(HWND hWnd);
CRect GetWndWindowRect(const CWnd* pWnd);
CRect GetHwndClientRect(HWND hWnd);
CRect GetWndClientRect(const CWnd* pWnd);
CRect MakeEmptyRect();
CRect& MakeEmptyRect(CRect& rc);
// TRUE when the foreground window is the last active popup of the window's top-level parent or owner.
BOOL IsTopLevelParentActive(HWND hWnd);
// Registers a class with DefWindowProc and the arrow cursor (hInstance null: this module's).
BOOL RegisterDefaultWindowClass(HINSTANCE hInstance, LPCSTR lpszClassName, UINT nStyle, HICON hIcon = nullptr,
                                HBRUSH hbrBackground = nullptr);

// ---- right-to-left layout (GDI GetLayout and SetLayout bound by name)

BOOL IsContextRightToLeft(CDC* pDC);
BOOL IsContextRightToLeft(HDC hDC);
void SetContextLayout(CDC* pDC, DWORD dwLayout);
void SwapArrowKeyForLayout(HWND hWnd, UINT& nChar);
void ScreenToWindowPoint(HWND hWnd, POINT& pt);

// ---- shapes

// Polygon of three points with the DC's current pen and brush.
void DrawTrianglePolygon(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2);
void DrawTrianglePolygon(CDC* pDC, int x0, int y0, int x1, int y1, int x2, int y2);
// The same under a solid pen and brush of one colour.
void DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr);
void DrawTriangle(CDC* pDC, int x0, int y0, int x1, int y1, int x2, int y2, COLORREF clr);
