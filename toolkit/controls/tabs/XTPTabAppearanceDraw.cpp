#include "toolkit/controls/tabs/XTPTabAppearanceDraw.h"

#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/controls/tabs/XTPTabPaintManager.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace xtp_tab_draw
{
void HLine(CDC* pDC, int x, int y, int cx, COLORREF clr)
{
    if (!IsNone(clr) && cx > 0)
        pDC->FillSolidRect(x, y, cx, 1, clr);
}

void VLine(CDC* pDC, int x, int y, int cy, COLORREF clr)
{
    if (!IsNone(clr) && cy > 0)
        pDC->FillSolidRect(x, y, 1, cy, clr);
}

void Pixel(CDC* pDC, int x, int y, COLORREF clr)
{
    if (!IsNone(clr))
        pDC->SetPixelV(x, y, clr);
}

void Frame(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    HLine(pDC, rc.left, rc.top, rc.Width() - 1, clrTopLeft);
    VLine(pDC, rc.left, rc.top, rc.Height() - 1, clrTopLeft);
    HLine(pDC, rc.left, rc.bottom - 1, rc.Width(), clrBottomRight);
    VLine(pDC, rc.right - 1, rc.top, rc.Height(), clrBottomRight);
}

void BlendPixel(CDC* pDC, int x, int y, COLORREF clr, int nAlpha)
{
    if (IsNone(clr))
        return;
    COLORREF clrOld = pDC->GetPixel(x, y);
    if (clrOld == CLR_INVALID)
        return;
    pDC->SetPixelV(x, y, BlendColors(clr, clrOld, nAlpha / 255.0));
}

// ---------------------------------------------------------------- tab frame

CTabFrame::CTabFrame(const CRect& rc, int nPosition) : m_nPosition(nPosition), m_rc(rc)
{
    if (nPosition == xtpTabPositionLeft || nPosition == xtpTabPositionRight)
    {
        L = rc.top;
        R = rc.bottom;
        T = rc.left;
        B = rc.right;
    }
    else
    {
        L = rc.left;
        R = rc.right;
        T = rc.top;
        B = rc.bottom;
    }
}

CPoint CTabFrame::Map(int x, int y) const
{
    switch (m_nPosition)
    {
    case xtpTabPositionBottom:
        return CPoint(x, T + B - 1 - y);
    case xtpTabPositionLeft:
        return CPoint(y, x);
    case xtpTabPositionRight:
        return CPoint(T + B - 1 - y, x);
    default:
        return CPoint(x, y);
    }
}

CRect CTabFrame::MapRect(int l, int t, int r, int b) const
{
    CPoint a = Map(l, t);
    CPoint c = Map(r - 1, b - 1);
    return CRect(std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x) + 1, std::max(a.y, c.y) + 1);
}

void CTabFrame::Line(CDC* pDC, int x0, int y0, int x1, int y1, COLORREF clr) const
{
    if (IsNone(clr))
        return;
    CPoint a = Map(x0, y0);
    CPoint b = Map(x1, y1);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, clr);
    HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), hPen);
    ::MoveToEx(pDC->GetSafeHdc(), a.x, a.y, nullptr);
    ::LineTo(pDC->GetSafeHdc(), b.x, b.y);
    ::SelectObject(pDC->GetSafeHdc(), hOld);
    ::DeleteObject(hPen);
    pDC->SetPixelV(b.x, b.y, clr);
}

void CTabFrame::Polyline(CDC* pDC, const POINT* pts, int nCount, COLORREF clr) const
{
    for (int i = 0; i + 1 < nCount; i++)
        Line(pDC, pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y, clr);
}

// ---------------------------------------------------------------- polygon fill

COLORREF FillPolygon(CDC* pDC, const POINT* pts, int nCount, const std::function<COLORREF(CDC*, CRect)>& fnFill)
{
    HDC hDC = pDC->GetSafeHdc();
    std::vector<POINT> arrDevice(pts, pts + nCount);
    ::LPtoDP(hDC, arrDevice.data(), nCount);
    HRGN hPolygon = ::CreatePolygonRgn(arrDevice.data(), nCount, ALTERNATE);
    if (!hPolygon)
        return COLORREF(-1);
    CRect rcBox;
    ::GetRgnBox(hPolygon, &rcBox);
    ::DPtoLP(hDC, reinterpret_cast<POINT*>(&rcBox), 2);
    rcBox.NormalizeRect();

    // The caller's clipping comes back as it was (a missing region stays missing).
    const int nSaved = ::SaveDC(hDC);
    ::ExtSelectClipRgn(hDC, hPolygon, RGN_AND);
    ::DeleteObject(hPolygon);

    COLORREF clr = COLORREF(-1);
    if (!rcBox.IsRectEmpty())
    {
        HDC hMem = ::CreateCompatibleDC(hDC);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, rcBox.Width(), rcBox.Height());
        if (hMem && hBitmap)
        {
            HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
            ::SetWindowOrgEx(hMem, rcBox.left, rcBox.top, nullptr);
            CDC dcMem;
            dcMem.Attach(hMem);
            clr = fnFill(&dcMem, rcBox);
            dcMem.Detach();
            ::BitBlt(hDC, rcBox.left, rcBox.top, rcBox.Width(), rcBox.Height(), hMem, rcBox.left, rcBox.top, SRCCOPY);
            ::SelectObject(hMem, hOld);
        }
        if (hBitmap)
            ::DeleteObject(hBitmap);
        if (hMem)
            ::DeleteDC(hMem);
    }
    ::RestoreDC(hDC, nSaved);
    return clr;
}

// ---------------------------------------------------------------- soft corners

void SoftenOuterCorners(CDC* pDC, const CTabFrame& frame, int l, int t, int r, int b, COLORREF clrBack,
                        COLORREF clrOutline)
{
    (void)b;
    // (corner x, inward step along the row); the outer side is t, inward is +1 across.
    const int corners[2][2] = {{l, 1}, {r - 1, -1}};
    for (const auto& c : corners)
    {
        const int x = c[0];
        const int s = c[1];
        CPoint p;
        p = frame.Map(x + s, t);
        BlendPixel(pDC, p.x, p.y, clrBack, 120);
        p = frame.Map(x, t + 1);
        BlendPixel(pDC, p.x, p.y, clrBack, 120);
        p = frame.Map(x + s, t + 1);
        BlendPixel(pDC, p.x, p.y, clrOutline, 180);
        p = frame.Map(x + 2 * s, t + 1);
        BlendPixel(pDC, p.x, p.y, clrOutline, 60);
        p = frame.Map(x + s, t + 2);
        BlendPixel(pDC, p.x, p.y, clrOutline, 60);
    }
}

// ---------------------------------------------------------------- client frame

void DrawTabSideLine(CDC* pDC, const CRect& rcClient, int nPosition, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    switch (nPosition)
    {
    case xtpTabPositionLeft:
        VLine(pDC, rcClient.left, rcClient.top, rcClient.Height(), clrTopLeft);
        break;
    case xtpTabPositionBottom:
        HLine(pDC, rcClient.left, rcClient.bottom - 1, rcClient.Width(), clrBottomRight);
        break;
    case xtpTabPositionRight:
        VLine(pDC, rcClient.right - 1, rcClient.top, rcClient.Height(), clrBottomRight);
        break;
    default:
        HLine(pDC, rcClient.left, rcClient.top, rcClient.Width(), clrTopLeft);
        break;
    }
}

CRect GetFramedClientRect(CXTPTabPaintManagerAppearanceSet* pSet, CXTPTabManager* pTabManager)
{
    CXTPTabPaintManager* pPaintManager = pSet->GetPaintManager();
    CRect rcClient = pTabManager->GetClientRect();
    if (pPaintManager->m_nClientFrame == xtpTabFrameBorder)
        rcClient.InflateRect(2, 2);
    else if (pPaintManager->m_nClientFrame == xtpTabFrameSingleLine)
        CXTPTabPaintManager::InflateRectByPosition(rcClient, 0, 2, 0, 0, pPaintManager->GetPosition());
    return rcClient;
}

CRect FillFramedClient(CXTPTabPaintManagerAppearanceSet* pSet, CXTPTabManager* pTabManager, CDC* pDC, CRect rc,
                       COLORREF clrTopLeft, COLORREF clrBottomRight, COLORREF clrHeader)
{
    CXTPTabPaintManager* pPaintManager = pSet->GetPaintManager();
    CXTPTabPaintManagerColorSet* pColors = pSet->GetColorSet();
    const int nPosition = pPaintManager->GetPosition();
    CRect rcHeader = pSet->GetHeaderRect(rc, pTabManager);
    if (clrHeader == XTP_TAB_HEADER_BY_COLORSET)
        pColors->FillClient(pDC, rcHeader, pTabManager);
    else if (!IsNone(clrHeader))
        pDC->FillSolidRect(rcHeader, clrHeader);

    CRect rcClient = GetFramedClientRect(pSet, pTabManager);
    if (pPaintManager->m_nClientFrame == xtpTabFrameBorder)
    {
        pColors->FillItemFace(pDC, rcClient, pTabManager);
        Frame(pDC, rcClient, clrTopLeft, clrBottomRight);
    }
    else if (pPaintManager->m_nClientFrame == xtpTabFrameSingleLine)
    {
        DrawTabSideLine(pDC, rcClient, nPosition, clrTopLeft, clrBottomRight);
    }
    return rcHeader;
}

// ---------------------------------------------------------------- turned pictures

void DrawTurned(CDC* pDC, const CRect& rc, int nPosition, const std::function<void(CDC*, CRect)>& fnDraw)
{
    if (rc.IsRectEmpty())
        return;
    if (nPosition != xtpTabPositionLeft && nPosition != xtpTabPositionBottom && nPosition != xtpTabPositionRight)
    {
        fnDraw(pDC, rc);
        return;
    }
    const int W = rc.Width();
    const int H = rc.Height();
    const BOOL bVertical = nPosition != xtpTabPositionBottom;
    const int cw = bVertical ? H : W; // along the row
    const int ch = bVertical ? W : H; // across it
    HDC hDC = pDC->GetSafeHdc();
    LPBYTE pActualBytes = nullptr;
    LPBYTE pCanonicalBytes = nullptr;
    HBITMAP hActual = CreateDIBSection32(hDC, W, H, &pActualBytes);
    HBITMAP hCanonical = CreateDIBSection32(hDC, cw, ch, &pCanonicalBytes);
    // Both are bottom-up: row y of the picture is stored at (height - 1 - y).
    DWORD* pActual = reinterpret_cast<DWORD*>(pActualBytes);
    DWORD* pCanonical = reinterpret_cast<DWORD*>(pCanonicalBytes);
    HDC hMemActual = ::CreateCompatibleDC(hDC);
    HDC hMemCanonical = ::CreateCompatibleDC(hDC);
    if (pActual && pCanonical && hMemActual && hMemCanonical)
    {
        HGDIOBJ hOldA = ::SelectObject(hMemActual, hActual);
        HGDIOBJ hOldC = ::SelectObject(hMemCanonical, hCanonical);
        ::BitBlt(hMemActual, 0, 0, W, H, hDC, rc.left, rc.top, SRCCOPY);
        ::GdiFlush();
        // Canonical (u, v) with v from the outer side; the actual pixel it lands on.
        auto actualIndex = [&](int u, int v) {
            switch (nPosition)
            {
            case xtpTabPositionBottom:
                return v * W + u;
            case xtpTabPositionLeft:
                return (H - 1 - u) * W + v;
            default: // right
                return (H - 1 - u) * W + (W - 1 - v);
            }
        };
        auto canonicalIndex = [&](int u, int v) { return (ch - 1 - v) * cw + u; };
        for (int v = 0; v < ch; v++)
            for (int u = 0; u < cw; u++)
                pCanonical[canonicalIndex(u, v)] = pActual[actualIndex(u, v)];
        CDC dcCanonical;
        dcCanonical.Attach(hMemCanonical);
        fnDraw(&dcCanonical, CRect(0, 0, cw, ch));
        dcCanonical.Detach();
        ::GdiFlush();
        for (int v = 0; v < ch; v++)
            for (int u = 0; u < cw; u++)
                pActual[actualIndex(u, v)] = pCanonical[canonicalIndex(u, v)];
        ::BitBlt(hDC, rc.left, rc.top, W, H, hMemActual, 0, 0, SRCCOPY);
        ::SelectObject(hMemActual, hOldA);
        ::SelectObject(hMemCanonical, hOldC);
    }
    if (hMemActual)
        ::DeleteDC(hMemActual);
    if (hMemCanonical)
        ::DeleteDC(hMemCanonical);
    if (hActual)
        ::DeleteObject(hActual);
    if (hCanonical)
        ::DeleteObject(hCanonical);
}
} // namespace xtp_tab_draw

namespace xtp_tab_draw
{
void DrawContent(CXTPTabPaintManager* pPaintManager, CDC* pDC, CXTPTabManagerItem* pItem, const CRect& rc)
{
    const CRect rcSaved = pItem->m_rcItem;
    pItem->m_rcItem = rc;
    pPaintManager->DrawSingleButton(pDC, pItem, TRUE);
    pItem->m_rcItem = rcSaved;
}
} // namespace xtp_tab_draw
