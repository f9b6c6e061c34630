// Drawing of image handles, alpha bitmaps and icons, and the blend and transparent copy with the
// toolkit's own versions for systems that lack them.
#include "toolkit/common/images/XTPImageManager.h"

#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/images/XTPImageManagerData.h"
#include "toolkit/common/system/XTPSystemHelpers.h"

#include <cstring>

namespace
{
const DWORD kNoMirrorBitmapCopy = 0x80CC0020; // SRCCOPY | NOMIRRORBITMAP

// A memory DC with a bitmap selected for its lifetime.
class CMemBitmapDC
{
public:
    CMemBitmapDC(HDC hdcRef, HBITMAP hBitmap) : m_hDC(::CreateCompatibleDC(hdcRef)), m_hOld(nullptr)
    {
        if (m_hDC && hBitmap)
            m_hOld = ::SelectObject(m_hDC, hBitmap);
    }
    ~CMemBitmapDC()
    {
        if (m_hDC)
        {
            if (m_hOld)
                ::SelectObject(m_hDC, m_hOld);
            ::DeleteDC(m_hDC);
        }
    }
    CMemBitmapDC(const CMemBitmapDC&) = delete;
    CMemBitmapDC& operator=(const CMemBitmapDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// A 32-bit DIB with its pixels, deleted with the object.
struct CDib32
{
    HBITMAP hBitmap;
    LPBYTE pBits;
    CDib32(int cx, int cy) : hBitmap(CreateDIBSection32(nullptr, cx, cy, &pBits)) {}
    ~CDib32()
    {
        if (hBitmap)
            ::DeleteObject(hBitmap);
    }
    CDib32(const CDib32&) = delete;
    CDib32& operator=(const CDib32&) = delete;
};
} // namespace

// ---- CXTPImageHandle drawing

void CXTPImageHandle::Draw(CDC* pDC, int x, int y, int cx, int cy, BOOL bComposited)
{
    if (!pDC || !pDC->GetSafeHdc() || IsEmpty())
        return;
    if (m_pRInfo)
    {
        if (m_pRInfo->pResource)
            m_pRInfo->pResource->Draw(pDC, m_pRInfo, CPoint(x, y), CSize(cx, cy), bComposited);
        return;
    }
    if (m_hIcon)
    {
        CXTPImageManager* pManager = m_pImageManager ? m_pImageManager : XTPImageManager();
        if (pManager->IsMirrored(pDC->GetSafeHdc()))
        {
            x += cx;
            cx = -cx;
        }
        if (bComposited)
            DrawIconAsAlphaBitmap(pDC, x, y, cx, cy, m_hIcon);
        else
            ::DrawIconEx(pDC->GetSafeHdc(), x, y, m_hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        return;
    }
    if (!PreMultiply())
        return;
    const int nWidth = m_szIcon.cx, nHeight = m_szIcon.cy;
    if (y < 0 && cy == nHeight)
    {
        // Rows above the top edge are cut off.
        if (y + nHeight <= 0)
            return;
        DrawAlphaBitmap(pDC, m_hBitmap, x, 0, cx, y + nHeight, 0, -y, nWidth, y + nHeight);
        return;
    }
    DrawAlphaBitmap(pDC, m_hBitmap, x, y, cx, cy, 0, 0, nWidth, nHeight);
}

BOOL CXTPImageManager::IsMirrored(HDC hDC) const
{
    return m_nMirrorMode == 1 || (m_nMirrorMode == 2 && IsContextRightToLeft(hDC));
}

// ---- free drawing functions

void DrawAlphaBitmap(CDC* pDC, HBITMAP hBitmap, int x, int y, int cx, int cy, int xSrc, int ySrc, int cxSrc, int cySrc)
{
    if (!pDC || !pDC->GetSafeHdc() || !hBitmap)
        return;
    if (cxSrc == 0 && cySrc == 0)
    {
        cxSrc = cx;
        cySrc = cy;
    }
    CMemBitmapDC dc(pDC->GetSafeHdc(), hBitmap);
    if (!dc.Get())
        return;
    CXTPImageManager::AlphaBlend(pDC->GetSafeHdc(), CRect(x, y, x + cx, y + cy), dc.Get(),
                                 CRect(xSrc, ySrc, xSrc + cxSrc, ySrc + cySrc));
}

void DrawAlphaBitmap(CDC* pDC, HBITMAP hBitmap, int x, int y, int cx, int cy, const CRect& rcSrc)
{
    DrawAlphaBitmap(pDC, hBitmap, x, y, cx, cy, rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height());
}

void DrawIconAsAlphaBitmap(CDC* pDC, int x, int y, int cx, int cy, HICON hIcon)
{
    if (!pDC || !pDC->GetSafeHdc() || !hIcon || cx == 0 || cy <= 0)
        return;
    CRect rc = cx < 0 ? CRect(x + cx, y, x, y + cy) : CRect(x, y, x + cx, y + cy);
    const int nWidth = rc.Width();
    CDib32 dib(nWidth, cy);
    if (!dib.hBitmap)
        return;
    DWORD* pPixels = reinterpret_cast<DWORD*>(dib.pBits);
    const size_t nPixels = static_cast<size_t>(nWidth) * cy;
    for (size_t i = 0; i < nPixels; i++)
        pPixels[i] = 0x00FF00FF;
    {
        CMemBitmapDC dc(pDC->GetSafeHdc(), dib.hBitmap);
        if (!dc.Get())
            return;
        // A negative width draws the icon mirrored, from its right edge.
        ::DrawIconEx(dc.Get(), cx < 0 ? -cx : 0, 0, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
        for (size_t i = 0; i < nPixels; i++)
            pPixels[i] = (pPixels[i] & 0x00FFFFFF) == 0x00FF00FF ? 0 : (pPixels[i] | 0xFF000000);
        CXTPImageManager::AlphaBlend(pDC->GetSafeHdc(), rc, dc.Get(), CRect(0, 0, nWidth, cy));
    }
}

// ---- blends

BOOL CXTPImageManager::AlphaBlend(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc)
{
    if (!hdcDest || !hdcSrc)
        return FALSE;
    CXTPDrawHelpers* pHelpers = GetDrawHelpers();
    const CXTPOsVersion* pVersion = GetOsVersion();
    // The system's blend mirrors wrongly on Windows 9x and, before Windows 2000, takes neither a
    // source away from the origin nor a destination above the top edge.
    const BOOL bOwn = !pHelpers->IsAlphaBlendAvailable() || (pVersion->IsWin9x() && IsContextRightToLeft(hdcDest)) ||
                      (!pVersion->IsWin2000OrGreater() && (rcSrc.left != 0 || rcSrc.top != 0 || rcDest.top < 0));
    if (bOwn)
        return AlphaBlendFallback(hdcDest, rcDest, hdcSrc, rcSrc);
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return pHelpers->AlphaBlend(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hdcSrc, rcSrc.left,
                                rcSrc.top, rcSrc.Width(), rcSrc.Height(), bf);
}

BOOL CXTPImageManager::AlphaBlendFallback(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc)
{
    const int cx = rcDest.Width(), cy = rcDest.Height();
    if (!hdcDest || !hdcSrc || cx <= 0 || cy <= 0 || rcSrc.Width() <= 0 || rcSrc.Height() <= 0)
        return FALSE;
    CDib32 src(cx, cy), dst(cx, cy), result(cx, cy);
    if (!src.hBitmap || !dst.hBitmap || !result.hBitmap)
        return FALSE;
    BITMAP bmSrc, bmDst, bmResult;
    if (::GetObjectA(src.hBitmap, sizeof(bmSrc), &bmSrc) != sizeof(bmSrc) ||
        ::GetObjectA(dst.hBitmap, sizeof(bmDst), &bmDst) != sizeof(bmDst) ||
        ::GetObjectA(result.hBitmap, sizeof(bmResult), &bmResult) != sizeof(bmResult) ||
        bmSrc.bmWidth != bmDst.bmWidth || bmSrc.bmWidth != bmResult.bmWidth || bmSrc.bmHeight != bmDst.bmHeight ||
        bmSrc.bmHeight != bmResult.bmHeight || bmSrc.bmBitsPixel != 32 || bmDst.bmBitsPixel != 32 ||
        bmResult.bmBitsPixel != 32 || bmSrc.bmPlanes != 1 || bmDst.bmPlanes != 1 || bmResult.bmPlanes != 1)
        return FALSE;

    CMemBitmapDC dcSrc(hdcDest, src.hBitmap), dcDst(hdcDest, dst.hBitmap), dcResult(hdcDest, result.hBitmap);
    if (!dcSrc.Get() || !dcDst.Get() || !dcResult.Get())
        return FALSE;
    SetContextLayout(CDC::FromHandle(dcSrc.Get()), 0);
    SetContextLayout(CDC::FromHandle(dcDst.Get()), 0);
    SetContextLayout(CDC::FromHandle(dcResult.Get()), 0);
    const BOOL bSrcMirrored = IsContextRightToLeft(hdcSrc);
    const BOOL bDstMirrored = IsContextRightToLeft(hdcDest);

    ::SetStretchBltMode(dcSrc.Get(), COLORONCOLOR);
    ::StretchBlt(dcSrc.Get(), 0, 0, cx, cy, hdcSrc, rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height(), SRCCOPY);
    ::BitBlt(dcDst.Get(), 0, 0, cx, cy, hdcDest, rcDest.left, rcDest.top, SRCCOPY);
    ::GdiFlush();

    for (int y = 0; y < cy; y++)
    {
        const size_t nRow = static_cast<size_t>(y) * cx;
        for (int x = 0; x < cx; x++)
        {
            const BYTE* s = src.pBits + (nRow + (bSrcMirrored ? cx - 1 - x : x)) * 4;
            const BYTE* d = dst.pBits + (nRow + (bDstMirrored ? cx - 1 - x : x)) * 4;
            BYTE* r = result.pBits + (nRow + x) * 4;
            const int nInverse = 255 - s[3];
            for (int c = 0; c < 4; c++)
            {
                int v = s[c] + d[c] * nInverse / 255;
                r[c] = static_cast<BYTE>(v > 255 ? 255 : v);
            }
        }
    }
    return ::BitBlt(hdcDest, rcDest.left, rcDest.top, cx, cy, dcResult.Get(), 0, 0,
                    bDstMirrored ? kNoMirrorBitmapCopy : SRCCOPY);
}

BOOL CXTPImageManager::TransparentBlt(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc,
                                      UINT clrTransparent)
{
    if (!hdcDest || !hdcSrc)
        return FALSE;
    // The draw helpers answer FALSE when the system has no TransparentBlt (or it fails).
    if (GetOsVersion()->IsWin2000OrGreater() &&
        GetDrawHelpers()->TransparentBlt(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hdcSrc,
                                         rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height(), clrTransparent))
        return TRUE;
    return TransparentBltFallback(hdcDest, rcDest, hdcSrc, rcSrc, clrTransparent);
}

BOOL CXTPImageManager::TransparentBltFallback(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc,
                                              UINT clrTransparent)
{
    const int cxSrc = rcSrc.Width(), cySrc = rcSrc.Height();
    const int cx = rcDest.Width(), cy = rcDest.Height();
    if (!hdcDest || !hdcSrc || cxSrc <= 0 || cySrc <= 0 || cx <= 0 || cy <= 0)
        return FALSE;
    HBITMAP hCopy = ::CreateCompatibleBitmap(hdcDest, cxSrc, cySrc);
    HBITMAP hMask = ::CreateBitmap(cxSrc, cySrc, 1, 1, nullptr);
    BOOL bResult = FALSE;
    if (hCopy && hMask)
    {
        CMemBitmapDC dcCopy(hdcDest, hCopy), dcMask(hdcDest, hMask);
        ::BitBlt(dcCopy.Get(), 0, 0, cxSrc, cySrc, hdcSrc, rcSrc.left, rcSrc.top, SRCCOPY);
        // The mask is white where the copy has the transparent colour.
        ::SetBkColor(dcCopy.Get(), clrTransparent);
        ::BitBlt(dcMask.Get(), 0, 0, cxSrc, cySrc, dcCopy.Get(), 0, 0, SRCCOPY);
        if ((clrTransparent & 0x00FFFFFF) != 0)
        {
            // Transparent pixels of the copy become black.
            ::SetBkColor(dcCopy.Get(), RGB(0, 0, 0));
            ::SetTextColor(dcCopy.Get(), RGB(255, 255, 255));
            ::BitBlt(dcCopy.Get(), 0, 0, cxSrc, cySrc, dcMask.Get(), 0, 0, SRCAND);
        }
        COLORREF clrOldBk = ::SetBkColor(hdcDest, RGB(255, 255, 255));
        COLORREF clrOldText = ::SetTextColor(hdcDest, RGB(0, 0, 0));
        if (cx == cxSrc && cy == cySrc)
        {
            ::BitBlt(hdcDest, rcDest.left, rcDest.top, cx, cy, dcMask.Get(), 0, 0, SRCAND);
            bResult = ::BitBlt(hdcDest, rcDest.left, rcDest.top, cx, cy, dcCopy.Get(), 0, 0, SRCPAINT);
        }
        else
        {
            int nOldMode = ::SetStretchBltMode(hdcDest, COLORONCOLOR);
            ::StretchBlt(hdcDest, rcDest.left, rcDest.top, cx, cy, dcMask.Get(), 0, 0, cxSrc, cySrc, SRCAND);
            bResult = ::StretchBlt(hdcDest, rcDest.left, rcDest.top, cx, cy, dcCopy.Get(), 0, 0, cxSrc, cySrc,
                                   SRCPAINT);
            ::SetStretchBltMode(hdcDest, nOldMode);
        }
        ::SetBkColor(hdcDest, clrOldBk);
        ::SetTextColor(hdcDest, clrOldText);
    }
    if (hCopy)
        ::DeleteObject(hCopy);
    if (hMask)
        ::DeleteObject(hMask);
    return bResult;
}
