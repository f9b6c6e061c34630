#include "toolkit/markup/drawing/XTPMarkupDeviceContext.h"

#include <stdlib.h>

#include <algorithm>
#include <new>
#include <vector>

#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/values/XTPMarkupBrush.h"
#include "toolkit/markup/values/XTPMarkupPathData.h"
#include "toolkit/markup/values/XTPMarkupThickness.h"

CXTPMarkupDeviceContext::CXTPMarkupDeviceContext(HDC hDC, HDC hAttribDC)
    : m_hDC(hDC), m_hAttribDC(hAttribDC ? hAttribDC : hDC), m_hOldFont(nullptr)
{
    m_szWindowExt.cx = m_szWindowExt.cy = 1;
    m_szViewportExt.cx = m_szViewportExt.cy = 1;
    if (hDC)
    {
        GetWindowExtEx(hDC, &m_szWindowExt);
        GetViewportExtEx(hDC, &m_szViewportExt);
    }
    if (!hDC || m_szWindowExt.cx == 0 || m_szWindowExt.cy == 0)
    {
        m_szWindowExt.cx = m_szWindowExt.cy = 1;
        m_szViewportExt.cx = m_szViewportExt.cy = 1;
    }
    m_szWindowExt.cx = abs(m_szWindowExt.cx);
    m_szWindowExt.cy = abs(m_szWindowExt.cy);
    m_szViewportExt.cx = abs(m_szViewportExt.cx);
    m_szViewportExt.cy = abs(m_szViewportExt.cy);
}

CXTPMarkupDeviceContext::~CXTPMarkupDeviceContext() {}

void CXTPMarkupDeviceContext::OffsetViewport(const POINT& ptViewportOrg)
{
    int dx = ptViewportOrg.x * m_szViewportExt.cx / m_szWindowExt.cx;
    int dy = ptViewportOrg.y * m_szViewportExt.cy / m_szWindowExt.cy;
    OffsetViewportOrgEx(m_hDC, dx, dy, nullptr);
}

HPEN CXTPMarkupDeviceContext::CreateStrokePen(const CXTPMarkupStrokeStyle* pStroke)
{
    if (!pStroke || pStroke->nStrokeThickness <= 0 || !pStroke->pStrokeBrush)
        return nullptr;
    return CreatePen(PS_SOLID, pStroke->nStrokeThickness, pStroke->pStrokeBrush->GetColor());
}

HBRUSH CXTPMarkupDeviceContext::CreateFillBrush(const CXTPMarkupBrush* pBrush)
{
    return pBrush ? CreateSolidBrush(pBrush->GetColor()) : nullptr;
}

namespace
{
// Selects a pen and a brush (or the stock null ones) and puts the previous ones back at the end.
class CPenBrushScope
{
public:
    CPenBrushScope(HDC hDC, HPEN hPen, HBRUSH hBrush) : m_hDC(hDC), m_hPen(hPen), m_hBrush(hBrush)
    {
        m_hOldPen = (HPEN)SelectObject(hDC, hPen ? (HGDIOBJ)hPen : GetStockObject(NULL_PEN));
        m_hOldBrush = (HBRUSH)SelectObject(hDC, hBrush ? (HGDIOBJ)hBrush : GetStockObject(NULL_BRUSH));
    }
    ~CPenBrushScope()
    {
        SelectObject(m_hDC, m_hOldPen);
        SelectObject(m_hDC, m_hOldBrush);
        if (m_hPen)
            DeleteObject(m_hPen);
        if (m_hBrush)
            DeleteObject(m_hBrush);
    }

private:
    HDC m_hDC;
    HPEN m_hPen;
    HBRUSH m_hBrush;
    HPEN m_hOldPen;
    HBRUSH m_hOldBrush;
};
} // namespace

void CXTPMarkupDeviceContext::DrawEllipse(const RECT& rc, CXTPMarkupStrokeStyle* pStroke, CXTPMarkupBrush* pFillBrush)
{
    CPenBrushScope scope(m_hDC, CreateStrokePen(pStroke), CreateFillBrush(pFillBrush));
    Ellipse(m_hDC, rc.left, rc.top, rc.right, rc.bottom);
}

void CXTPMarkupDeviceContext::DrawFrame(const RECT& rc, CXTPMarkupBrush* pBrush, const CXTPMarkupThickness* pThickness)
{
    if (!pThickness)
        return;
    if (pThickness->GetLeft() > 0)
        FillRectangle({rc.left, rc.top, rc.left + pThickness->GetLeft(), rc.bottom}, pBrush);
    if (pThickness->GetRight() > 0)
        FillRectangle({rc.right - pThickness->GetRight(), rc.top, rc.right, rc.bottom}, pBrush);
    if (pThickness->GetTop() > 0)
        FillRectangle({rc.left, rc.top, rc.right, rc.top + pThickness->GetTop()}, pBrush);
    if (pThickness->GetBottom() > 0)
        FillRectangle({rc.left, rc.bottom - pThickness->GetBottom(), rc.right, rc.bottom}, pBrush);
}

void CXTPMarkupDeviceContext::FillSolid(const RECT& rc, COLORREF clr)
{
    COLORREF clrOld = SetBkColor(m_hDC, clr & 0xFFFFFF);
    ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    SetBkColor(m_hDC, clrOld);
}

void CXTPMarkupDeviceContext::FillRectangle(const RECT& rc, CXTPMarkupBrush* pBrush)
{
    if (!pBrush)
        return;
    if (pBrush->IsKindOf(CXTPMarkupSolidColorBrush::GetMarkupType()))
    {
        if (pBrush->GetValue(CXTPMarkupSolidColorBrush::m_pColorProperty))
            FillSolid(rc, pBrush->GetColor());
        return;
    }
    if (pBrush->IsKindOf(CXTPMarkupLinearGradientBrush::GetMarkupType()))
        FillLinearGradient(rc, static_cast<CXTPMarkupLinearGradientBrush*>(pBrush));
}

namespace
{
struct GRADIENTSTOP
{
    DWORD dwPixel; // 0x00RRGGBB as a 32-bit DIB stores it
    double dOffset;
    double dDelta;
    int nIndex;
};

inline DWORD PixelFromColor(COLORREF clr)
{
    return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

DWORD GradientPixel(const std::vector<GRADIENTSTOP>& arrStops, double t)
{
    const GRADIENTSTOP& first = arrStops.front();
    const GRADIENTSTOP& last = arrStops.back();
    if (t <= first.dOffset)
        return first.dwPixel;
    if (t >= last.dOffset)
        return last.dwPixel;
    for (size_t i = 1; i < arrStops.size(); i++)
    {
        const GRADIENTSTOP& s = arrStops[i];
        if (t < s.dOffset && s.dDelta != 0)
        {
            const GRADIENTSTOP& prev = arrStops[i - 1];
            double f = (s.dOffset - t) / s.dDelta;
            DWORD dwPixel = 0;
            for (int nShift = 0; nShift <= 16; nShift += 8)
            {
                double a = (double)((prev.dwPixel >> nShift) & 0xFF);
                double b = (double)((s.dwPixel >> nShift) & 0xFF);
                int c = (int)(f * a + (1 - f) * b);
                dwPixel |= (DWORD)(c & 0xFF) << nShift;
            }
            return dwPixel;
        }
    }
    return last.dwPixel;
}
} // namespace

void CXTPMarkupDeviceContext::FillLinearGradient(const RECT& rc, const CXTPMarkupLinearGradientBrush* pBrush)
{
    CXTPMarkupGradientStops* pStops = pBrush->GetGradientStops();
    int nStops = pStops ? pStops->GetCount() : 0;
    int w = rc.right - rc.left;
    int h = rc.bottom - rc.top;
    if (nStops == 0 || w < 1 || h < 1)
        return;
    if (nStops == 1)
    {
        FillSolid(rc, pStops->GetStop(0)->GetColor());
        return;
    }
    CXTPMarkupPoint* pStart = static_cast<CXTPMarkupPoint*>(pBrush->GetValue(CXTPMarkupLinearGradientBrush::m_pStartPointProperty));
    CXTPMarkupPoint* pEnd = static_cast<CXTPMarkupPoint*>(pBrush->GetValue(CXTPMarkupLinearGradientBrush::m_pEndPointProperty));
    double sx = (pStart ? pStart->x : 0) * w, sy = (pStart ? pStart->y : 0) * h;
    double ex = (pEnd ? pEnd->x : 1) * w, ey = (pEnd ? pEnd->y : 1) * h;
    double dx = ex - sx, dy = ey - sy;
    double dLength2 = dx * dx + dy * dy;
    if (dLength2 == 0)
        return;

    // Only the part inside the clip box is computed and allocated: an element far larger than the
    // surface (a height of 100000, say) costs no more than what shows.
    RECT rcClip;
    if (::GetClipBox(m_hDC, &rcClip) == ERROR)
        return;
    OffsetRect(&rcClip, -rc.left, -rc.top);
    RECT rcAll = {0, 0, w, h};
    if (!::IntersectRect(&rcClip, &rcClip, &rcAll))
        return;
    int cw = rcClip.right - rcClip.left;
    int ch = rcClip.bottom - rcClip.top;

    std::vector<GRADIENTSTOP> arrStops;
    try
    {
        arrStops.reserve(nStops);
    }
    catch (const std::bad_alloc&)
    {
        return;
    }
    for (int i = 0; i < nStops; i++)
    {
        CXTPMarkupGradientStop* pStop = pStops->GetStop(i);
        arrStops.push_back({PixelFromColor(pStop->GetColor()), pStop->GetOffset(), 0, i});
    }
    std::stable_sort(arrStops.begin(), arrStops.end(),
                     [](const GRADIENTSTOP& a, const GRADIENTSTOP& b) { return a.dOffset < b.dOffset; });
    for (size_t i = 1; i < arrStops.size(); i++)
        arrStops[i].dDelta = arrStops[i].dOffset - arrStops[i - 1].dOffset;

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cw;
    bmi.bmiHeader.biHeight = -ch; // top-down: row 0 is the clip box's top row
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pvBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pvBits, nullptr, 0);
    if (!hBitmap || !pvBits)
    {
        if (hBitmap)
            DeleteObject(hBitmap);
        return;
    }
    DWORD* pBits = static_cast<DWORD*>(pvBits);
    auto T = [&](int x, int y) { return ((x - sx) * dx + (y - sy) * dy) / dLength2; };
    if (dx == 0)
    {
        for (int r = 0; r < ch; r++)
        {
            DWORD dwPixel = GradientPixel(arrStops, T(rcClip.left, rcClip.top + r));
            std::fill(pBits + (size_t)r * cw, pBits + (size_t)(r + 1) * cw, dwPixel);
        }
    }
    else if (dy == 0)
    {
        for (int c = 0; c < cw; c++)
            pBits[c] = GradientPixel(arrStops, T(rcClip.left + c, rcClip.top));
        for (int r = 1; r < ch; r++)
            std::copy(pBits, pBits + cw, pBits + (size_t)r * cw);
    }
    else
    {
        for (int r = 0; r < ch; r++)
            for (int c = 0; c < cw; c++)
                pBits[(size_t)r * cw + c] = GradientPixel(arrStops, T(rcClip.left + c, rcClip.top + r));
    }

    HDC hMemDC = CreateCompatibleDC(m_hDC);
    if (hMemDC)
    {
        HGDIOBJ hOld = SelectObject(hMemDC, hBitmap);
        BitBlt(m_hDC, rc.left + rcClip.left, rc.top + rcClip.top, cw, ch, hMemDC, 0, 0, SRCCOPY);
        SelectObject(hMemDC, hOld);
        DeleteDC(hMemDC);
    }
    DeleteObject(hBitmap);
}

void CXTPMarkupDeviceContext::DrawLine(int x1, int y1, int x2, int y2, CXTPMarkupStrokeStyle* pStroke)
{
    CPenBrushScope scope(m_hDC, CreateStrokePen(pStroke), nullptr);
    MoveToEx(m_hDC, x1, y1, nullptr);
    LineTo(m_hDC, x2, y2);
}

void CXTPMarkupDeviceContext::Polyline(const POINT* pPoints, int nCount, CXTPMarkupStrokeStyle* pStroke)
{
    if (!pPoints || nCount <= 0)
        return;
    CPenBrushScope scope(m_hDC, CreateStrokePen(pStroke), nullptr);
    ::Polyline(m_hDC, pPoints, nCount);
}

void CXTPMarkupDeviceContext::Polygon(const POINT* pPoints, int nCount, CXTPMarkupStrokeStyle* pStroke,
                                      CXTPMarkupBrush* pFillBrush)
{
    if (!pPoints || nCount <= 0)
        return;
    CPenBrushScope scope(m_hDC, CreateStrokePen(pStroke), CreateFillBrush(pFillBrush));
    ::Polygon(m_hDC, pPoints, nCount);
}

void CXTPMarkupDeviceContext::DrawPath(const CXTPMarkupPathData* pData, CXTPMarkupStrokeStyle* pStroke,
                                       CXTPMarkupBrush* pFillBrush)
{
    if (!pData || pData->GetCount() == 0)
        return;
    const MARKUP_POINTF* pPoints = pData->GetPoints();
    const BYTE* pTypes = pData->GetTypes();
    int nCount = pData->GetCount();
    BeginPath(m_hDC);
    for (int i = 0; i < nCount;)
    {
        BYTE bType = pTypes[i] & 0x7F;
        int nLast = i;
        if (bType == CXTPMarkupPathDataBuilder::typeBezier && i + 2 < nCount)
        {
            POINT pts[3];
            for (int k = 0; k < 3; k++)
                pts[k] = {(LONG)pPoints[i + k].x, (LONG)pPoints[i + k].y};
            PolyBezierTo(m_hDC, pts, 3);
            nLast = i + 2;
        }
        else if (bType == CXTPMarkupPathDataBuilder::typeStart)
            MoveToEx(m_hDC, (int)pPoints[i].x, (int)pPoints[i].y, nullptr);
        else
            LineTo(m_hDC, (int)pPoints[i].x, (int)pPoints[i].y);
        if (pTypes[nLast] & CXTPMarkupPathDataBuilder::flagCloseFigure)
            CloseFigure(m_hDC);
        i = nLast + 1;
    }
    EndPath(m_hDC);
    HPEN hPen = CreateStrokePen(pStroke);
    HBRUSH hBrush = CreateFillBrush(pFillBrush);
    CPenBrushScope scope(m_hDC, hPen, hBrush);
    if (hPen && hBrush)
        StrokeAndFillPath(m_hDC);
    else if (hBrush)
        FillPath(m_hDC);
    else if (hPen)
        StrokePath(m_hDC);
    else
        AbortPath(m_hDC);
}

CXTPMarkupPathData* CXTPMarkupDeviceContext::CreateRoundRectanglePath(const RECT& rc, const double* r)
{
    float l = (float)rc.left, t = (float)rc.top, rr = (float)rc.right, b = (float)rc.bottom;
    CXTPMarkupPathDataBuilder builder;
    builder.MoveTo(l, t + (float)r[0]);
    builder.CornerTo({l, t}, {l + (float)r[1], t});
    builder.LineTo(rr - (float)r[2], t);
    builder.CornerTo({rr, t}, {rr, t + (float)r[3]});
    builder.LineTo(rr, b - (float)r[4]);
    builder.CornerTo({rr, b}, {rr - (float)r[5], b});
    builder.LineTo(l + (float)r[6], b);
    builder.CornerTo({l, b}, {l, b - (float)r[7]});
    builder.CloseFigure();
    CXTPMarkupPathData* pData = builder.CreatePathData();
    pData->m_nPixelOffsetMode = 4; // half
    return pData;
}

void CXTPMarkupDeviceContext::FillRoundRectangle(const RECT& rc, CXTPMarkupBrush* pBrush, const double* pCornerRadius)
{
    if (!pCornerRadius)
    {
        FillRectangle(rc, pBrush);
        return;
    }
    CXTPMarkupPathData* pData = CreateRoundRectanglePath(rc, pCornerRadius);
    CXTPMarkupStrokeStyle stroke;
    DrawPath(pData, &stroke, pBrush);
    pData->Release();
}

void CXTPMarkupDeviceContext::DrawRoundFrame(const RECT& rc, CXTPMarkupBrush* pBrush,
                                             const CXTPMarkupThickness* pThickness, const double* pCornerRadius)
{
    if (!pCornerRadius)
    {
        DrawFrame(rc, pBrush, pThickness);
        return;
    }
    if (!pThickness)
        return;
    int w = pThickness->GetLeft();
    RECT rcPath = {rc.left + w / 2, rc.top + w / 2, rc.right - w / 2, rc.bottom - w / 2};
    CXTPMarkupPathData* pData = CreateRoundRectanglePath(rcPath, pCornerRadius);
    CXTPMarkupStrokeStyle stroke;
    stroke.nStrokeThickness = w;
    stroke.pStrokeBrush = pBrush;
    DrawPath(pData, &stroke, nullptr);
    pData->Release();
}

void CXTPMarkupDeviceContext::DrawString(LPCWSTR lpszString, UINT nCount, LPCRECT lpRect)
{
    if (!lpRect)
        return;
    if (m_hAttribDC == m_hDC || nCount == 0)
    {
        ExtTextOutW(m_hDC, lpRect->left, lpRect->top, 0, lpRect, lpszString, nCount, nullptr);
        return;
    }
    // A separate attribute DC (printing): each character advances by its width there, so that the
    // text takes on the output the place it was laid out in.
    std::vector<int> arrExtents(nCount), arrDx(nCount);
    SIZE sz;
    int nFit = 0;
    if (!GetTextExtentExPointW(m_hAttribDC, lpszString, (int)nCount, 0x7FFFFFFF, &nFit, arrExtents.data(), &sz))
    {
        ExtTextOutW(m_hDC, lpRect->left, lpRect->top, 0, lpRect, lpszString, nCount, nullptr);
        return;
    }
    for (UINT i = 0; i < nCount; i++)
        arrDx[i] = arrExtents[i] - (i ? arrExtents[i - 1] : 0);
    ExtTextOutW(m_hDC, lpRect->left, lpRect->top, 0, lpRect, lpszString, nCount, arrDx.data());
}

SIZE CXTPMarkupDeviceContext::GetTextExtent(LPCWSTR lpszString, int nCount) const
{
    SIZE sz = {0, 0};
    if (lpszString && nCount > 0)
        GetTextExtentPoint32W(m_hAttribDC, lpszString, nCount, &sz);
    return sz;
}

void CXTPMarkupDeviceContext::SetTextColor(CXTPMarkupBrush* pBrush)
{
    ::SetTextColor(m_hDC, pBrush ? pBrush->GetColor() : 0);
}

void CXTPMarkupDeviceContext::SetTextFont(HFONT hFont)
{
    if (!m_hDC)
        return;
    if (hFont)
    {
        HFONT hOld = (HFONT)SelectObject(m_hDC, hFont);
        if (m_hAttribDC != m_hDC)
            SelectObject(m_hAttribDC, hFont);
        if (!m_hOldFont)
            m_hOldFont = hOld;
    }
    else if (m_hOldFont)
    {
        SelectObject(m_hDC, m_hOldFont);
        if (m_hAttribDC != m_hDC)
            SelectObject(m_hAttribDC, m_hOldFont);
        m_hOldFont = nullptr;
    }
}

void CXTPMarkupDeviceContext::IntersectClipRect(const RECT& rc)
{
    ::IntersectClipRect(m_hDC, rc.left, rc.top, rc.right, rc.bottom);
}

void CXTPMarkupDeviceContext::GetClipBox(RECT* pRect) const
{
    ::GetClipBox(m_hDC, pRect);
}

HRGN CXTPMarkupDeviceContext::SaveClipRegion()
{
    HRGN hrgn = CreateRectRgn(0, 0, 0, 0);
    if (!hrgn)
        return nullptr;
    if (GetClipRgn(m_hDC, hrgn) == 1)
        return hrgn;
    DeleteObject(hrgn);
    return XTP_MARKUP_NO_CLIP_REGION;
}

void CXTPMarkupDeviceContext::RestoreClipRegion(HRGN hrgnClip)
{
    if (!hrgnClip)
        return;
    if (hrgnClip == XTP_MARKUP_NO_CLIP_REGION)
    {
        ExtSelectClipRgn(m_hDC, nullptr, RGN_COPY);
        return;
    }
    ExtSelectClipRgn(m_hDC, hrgnClip, RGN_COPY);
    DeleteObject(hrgnClip);
}

HDC CXTPMarkupDeviceContext::GetDC()
{
    return m_hDC;
}

// GetDC hands out the context's own DC, which the caller never owns: nothing to give back.
void CXTPMarkupDeviceContext::ReleaseDC(HDC /*hDC*/) {}
