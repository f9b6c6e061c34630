// One theme image: its pixels, premultiplying and mirroring, and the nine-part draws through the
// store's shared 512 x 512 surface.
#include "toolkit/common/resources/XTPResourceImages.h"

#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/images/XTPImageManager.h"

#include <algorithm>
#include <new>

namespace
{
// The store's critical section for the length of a scope.
class CSurfaceLock
{
public:
    explicit CSurfaceLock(CRITICAL_SECTION* pcs) : m_pcs(pcs) { ::EnterCriticalSection(m_pcs); }
    ~CSurfaceLock() { ::LeaveCriticalSection(m_pcs); }
    CSurfaceLock(const CSurfaceLock&) = delete;
    CSurfaceLock& operator=(const CSurfaceLock&) = delete;

private:
    CRITICAL_SECTION* m_pcs;
};

// Three spans along one axis: [a0, a1), [a1, a2), [a2, a3).
struct Spans
{
    int edge[4];
    int Start(int i) const { return edge[i]; }
    int Size(int i) const { return edge[i + 1] - edge[i]; }
};

Spans MakeSpans(int nStart, int nEnd, int nFirst, int nLast)
{
    Spans s = {{nStart, nStart + nFirst, nEnd - nLast, nEnd}};
    return s;
}
} // namespace

CXTPResourceImage::CXTPResourceImage(CXTPResourceImages* pImages) : m_pImages(pImages)
{
}

CXTPResourceImage::~CXTPResourceImage()
{
    Free();
}

void CXTPResourceImage::Free()
{
    delete[] m_pBits;
    m_pBits = nullptr;
    m_nWidth = m_nHeight = 0;
    m_bAlpha = m_bPremultiplied = m_bMirrored = FALSE;
}

BOOL CXTPResourceImage::LoadFromResource(HMODULE hModule, LPCSTR lpszName)
{
    Free();
    if (!hModule || !lpszName)
        return FALSE;
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapFromResource(hModule, lpszName, &bAlpha);
    if (!hBitmap)
        return FALSE;
    BOOL bResult = LoadFromBitmap(hBitmap, bAlpha);
    ::DeleteObject(hBitmap);
    return bResult;
}

BOOL CXTPResourceImage::LoadFromBitmap(HBITMAP hBitmap, BOOL bAlpha)
{
    Free();
    BITMAP bm = {};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof(bm), &bm))
        return FALSE;
    int cy = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    if (bm.bmWidth <= 0 || cy <= 0 || bm.bmWidth > 0x7FFF || cy > 0x7FFF)
        return FALSE;
    DWORD* pBits = new (std::nothrow) DWORD[static_cast<size_t>(bm.bmWidth) * cy];
    if (!pBits)
        return FALSE;

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = cy; // rows bottom-up
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC hdcScreen = ::GetDC(nullptr);
    int nLines = ::GetDIBits(hdcScreen, hBitmap, 0, static_cast<UINT>(cy), pBits, &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdcScreen);
    if (nLines != cy)
    {
        delete[] pBits;
        return FALSE;
    }
    m_pBits = pBits;
    m_nWidth = bm.bmWidth;
    m_nHeight = cy;
    m_bAlpha = bAlpha;
    return TRUE;
}

void CXTPResourceImage::PremultiplyAlpha()
{
    if (!m_pBits || !m_bAlpha || m_bPremultiplied)
        return;
    const size_t nCount = static_cast<size_t>(m_nWidth) * m_nHeight;
    for (size_t i = 0; i < nCount; ++i)
    {
        DWORD px = m_pBits[i];
        DWORD a = px >> 24;
        DWORD b = (px & 0xFF) * a / 255;
        DWORD g = ((px >> 8) & 0xFF) * a / 255;
        DWORD r = ((px >> 16) & 0xFF) * a / 255;
        m_pBits[i] = (a << 24) | (r << 16) | (g << 8) | b;
    }
    m_bPremultiplied = TRUE;
}

void CXTPResourceImage::MirrorImage()
{
    if (!m_pBits)
        return;
    for (int y = 0; y < m_nHeight; ++y)
    {
        DWORD* pRow = m_pBits + static_cast<size_t>(y) * m_nWidth;
        std::reverse(pRow, pRow + m_nWidth);
    }
    m_bMirrored = !m_bMirrored;
}

DWORD CXTPResourceImage::GetPixel(int x, int y) const
{
    if (!m_pBits || x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return 0;
    return m_pBits[static_cast<size_t>(m_nHeight - 1 - y) * m_nWidth + x];
}

CRect CXTPResourceImage::GetSource(int nState, int nCount) const
{
    if (!m_pBits || nCount <= 0)
        return CRect();
    CRect rc(0, 0, m_nWidth, m_nHeight / nCount);
    rc.OffsetRect(0, rc.Height() * nState);
    return rc;
}

void CXTPResourceImage::DrawPart(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc) const
{
    if (rcDest.IsRectEmpty() || rcSrc.IsRectEmpty())
        return;
    if (m_bAlpha)
        CXTPImageManager::AlphaBlend(hdcDest, rcDest, hdcSrc, rcSrc);
    else if (rcDest.Width() == rcSrc.Width() && rcDest.Height() == rcSrc.Height())
        ::BitBlt(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hdcSrc, rcSrc.left, rcSrc.top,
                 SRCCOPY);
    else
        ::StretchBlt(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hdcSrc, rcSrc.left,
                     rcSrc.top, rcSrc.Width(), rcSrc.Height(), SRCCOPY);
}

void CXTPResourceImage::DrawImage(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins)
{
    if (!m_pBits || !m_pImages || !pDC || !pDC->GetSafeHdc())
        return;
    int nLeft = rcSizingMargins.left, nTop = rcSizingMargins.top;
    int nRight = rcSizingMargins.right, nBottom = rcSizingMargins.bottom;
    if (rcSrc.Height() < nTop + nBottom)
        return;
    // Nothing to copy from or to: also keeps the margin scaling below from dividing by zero.
    if (rcSrc.IsRectEmpty() || rcDest.IsRectEmpty())
        return;

    CSurfaceLock lock(&m_pImages->m_cs);
    if (rcDest.Width() == rcSrc.Width())
        nLeft = nRight = 0;
    if (rcDest.Height() == rcSrc.Height())
        nTop = nBottom = 0;
    pDC->SetStretchBltMode(COLORONCOLOR);

    const BOOL bRTL = IsContextRightToLeft(pDC);
    if (m_bMirrorRTL && m_bMirrored != bRTL)
        MirrorImage();

    if (m_nWidth > XTP_RESOURCEIMAGES_SURFACE || m_nHeight > XTP_RESOURCEIMAGES_SURFACE ||
        !m_pImages->m_pSurfaceBits || !m_pImages->m_hdcSurface)
        return;

    // The source rows go to the surface with the source rectangle's top at the surface's top row.
    const int nSurface = XTP_RESOURCEIMAGES_SURFACE;
    for (int row = 0; row < rcSrc.Height() && row < nSurface; ++row)
    {
        int y = rcSrc.top + row;
        if (y < 0 || y >= m_nHeight)
            continue;
        const DWORD* pFrom = m_pBits + static_cast<size_t>(m_nHeight - 1 - y) * m_nWidth;
        DWORD* pTo = m_pImages->m_pSurfaceBits + static_cast<size_t>(nSurface - 1 - row) * nSurface;
        memcpy(pTo, pFrom, static_cast<size_t>(m_nWidth) * sizeof(DWORD));
    }
    ::GdiFlush();
    HDC hdcSurface = m_pImages->m_hdcSurface;
    HGDIOBJ hOld = ::SelectObject(hdcSurface, m_pImages->m_hbmSurface);
    const CRect rcFrom(rcSrc.left, 0, rcSrc.right, rcSrc.Height());
    HDC hdcDest = pDC->GetSafeHdc();

    // An alpha image on a right-to-left DC: the blend does not reflect the picture, so its
    // left column is laid out at the destination's right and the reverse.
    const BOOL bSwap = bRTL && m_bAlpha;
    if (bSwap)
        std::swap(nLeft, nRight);

    // Margins for the destination: scaled down when they do not fit (or cover the whole source).
    const int cxDest = rcDest.Width(), cyDest = rcDest.Height();
    int nTopDest = nTop, nBottomDest = nBottom, nLeftDest = nLeft, nRightDest = nRight;
    if (nTop + nBottom > 0 && (nTop + nBottom >= cyDest || nTop + nBottom == rcSrc.Height()))
    {
        nTopDest = ::MulDiv(cyDest, nTop, nTop + nBottom);
        nBottomDest = cyDest - nTopDest;
        if (nBottomDest > 0 && (nBottomDest & 1) != (nBottom & 1))
            nBottomDest += 1;
    }
    if (nLeft + nRight > 0 && (nLeft + nRight >= cxDest || nLeft + nRight == rcSrc.Width()))
    {
        nLeftDest = cxDest * nLeft / (nLeft + nRight);
        nRightDest = cxDest - nLeftDest;
    }

    if (nLeft == 0 && nTop == 0 && nRight == 0 && nBottom == 0)
    {
        DrawPart(hdcDest, rcDest, hdcSurface, rcFrom);
    }
    else
    {
        Spans colsDest = MakeSpans(rcDest.left, rcDest.right, nLeftDest, nRightDest);
        Spans rowsDest = MakeSpans(rcDest.top, rcDest.bottom, nTopDest, nBottomDest);
        Spans colsSrc = MakeSpans(rcFrom.left, rcFrom.right, bSwap ? nRight : nLeft, bSwap ? nLeft : nRight);
        Spans rowsSrc = MakeSpans(rcFrom.top, rcFrom.bottom, nTop, nBottom);
        for (int row = 0; row < 3; ++row)
        {
            for (int col = 0; col < 3; ++col)
            {
                int colSrc = bSwap ? 2 - col : col;
                CRect rcPartDest(colsDest.Start(col), rowsDest.Start(row), colsDest.Start(col) + colsDest.Size(col),
                                 rowsDest.Start(row) + rowsDest.Size(row));
                CRect rcPartSrc(colsSrc.Start(colSrc), rowsSrc.Start(row),
                                colsSrc.Start(colSrc) + colsSrc.Size(colSrc), rowsSrc.Start(row) + rowsSrc.Size(row));
                DrawPart(hdcDest, rcPartDest, hdcSurface, rcPartSrc);
            }
        }
    }
    ::SelectObject(hdcSurface, hOld);
}

void CXTPResourceImage::DrawImageStretched(CDC* pDC, const CRect& rcDest, const CRect& rcSrc)
{
    DrawImage(pDC, rcDest, rcSrc, CRect());
}

HBITMAP CXTPResourceImage::DrawIntoBitmap(CDC* pDC, const CRect& rcDest, const CRect& rcSrc,
                                          const CRect& rcSizingMargins, COLORREF clrKey, DWORD** ppBits)
{
    LPBYTE pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection32(pDC->GetSafeHdc(), rcDest.Width(), rcDest.Height(), &pBits);
    if (!hBitmap || !pBits)
    {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        return nullptr;
    }
    CDC dc;
    dc.CreateCompatibleDC(pDC);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hBitmap);
    const CRect rcBitmap(0, 0, rcDest.Width(), rcDest.Height());
    if (clrKey != (COLORREF)-1)
    {
        HBRUSH hBrush = ::CreateSolidBrush(clrKey);
        ::FillRect(dc.GetSafeHdc(), &rcBitmap, hBrush);
        ::DeleteObject(hBrush);
    }
    DrawImage(&dc, rcBitmap, rcSrc, rcSizingMargins);
    ::GdiFlush();
    // Colour only: the fourth byte of an image without alpha is not part of its colour, and a
    // transparent copy must not see it.
    const size_t nCount = static_cast<size_t>(rcDest.Width()) * rcDest.Height();
    DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
    for (size_t i = 0; i < nCount; ++i)
        pPixels[i] &= 0x00FFFFFF;
    ::SelectObject(dc.GetSafeHdc(), hOld);
    *ppBits = reinterpret_cast<DWORD*>(pBits);
    return hBitmap;
}

void CXTPResourceImage::DrawImageKeyed(CDC* pDC, const CRect& rcDest, const CRect& rcSrc,
                                       const CRect& rcSizingMargins, COLORREF clrKey)
{
    if (clrKey == (COLORREF)-1 || m_bAlpha)
    {
        DrawImage(pDC, rcDest, rcSrc, rcSizingMargins);
        return;
    }
    if (!m_pBits || !pDC || !pDC->GetSafeHdc() || rcDest.IsRectEmpty() || rcSrc.IsRectEmpty())
        return;
    DWORD* pBits = nullptr;
    HBITMAP hBitmap = DrawIntoBitmap(pDC, rcDest, rcSrc, rcSizingMargins, clrKey, &pBits);
    if (!hBitmap)
        return;
    CDC dc;
    dc.CreateCompatibleDC(pDC);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hBitmap);
    CXTPImageManager::TransparentBlt(pDC->GetSafeHdc(), rcDest, dc.GetSafeHdc(),
                                     CRect(0, 0, rcDest.Width(), rcDest.Height()), clrKey);
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::DeleteObject(hBitmap);
}

void CXTPResourceImage::DrawImageEx(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins,
                                    COLORREF clrKey, DWORD dwFlags)
{
    if (!(dwFlags & XTP_DI_COMPOSITE))
    {
        DrawImageKeyed(pDC, rcDest, rcSrc, rcSizingMargins, clrKey);
        return;
    }
    if (m_bAlpha)
    {
        DrawImage(pDC, rcDest, rcSrc, rcSizingMargins);
        return;
    }
    if (!m_pBits || !pDC || !pDC->GetSafeHdc() || rcDest.IsRectEmpty() || rcSrc.IsRectEmpty())
        return;
    DWORD* pBits = nullptr;
    HBITMAP hBitmap = DrawIntoBitmap(pDC, rcDest, rcSrc, rcSizingMargins, clrKey, &pBits);
    if (!hBitmap)
        return;
    // The key is compared as a colour: the DIB holds blue in its low byte, a COLORREF red.
    const DWORD dwKey = clrKey == (COLORREF)-1
                            ? 0xFFFFFFFF
                            : (static_cast<DWORD>(GetRValue(clrKey)) << 16) |
                                  (static_cast<DWORD>(GetGValue(clrKey)) << 8) | GetBValue(clrKey);
    const size_t nCount = static_cast<size_t>(rcDest.Width()) * rcDest.Height();
    for (size_t i = 0; i < nCount; ++i)
    {
        DWORD rgb = pBits[i] & 0x00FFFFFF;
        pBits[i] = rgb == dwKey ? 0 : (rgb | 0xFF000000);
    }
    CDC dc;
    dc.CreateCompatibleDC(pDC);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hBitmap);
    CXTPImageManager::AlphaBlend(pDC->GetSafeHdc(), rcDest, dc.GetSafeHdc(),
                                 CRect(0, 0, rcDest.Width(), rcDest.Height()));
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::DeleteObject(hBitmap);
}
