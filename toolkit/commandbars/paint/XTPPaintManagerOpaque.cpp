// The paint manager's glass helpers: plain drawing leaves alpha 0, which glass shows as clear.
#include "toolkit/commandbars/paint/XTPPaintManager.h"

#include "framework/DC.h"
#include "toolkit/common/images/XTPImageManager.h"

namespace
{
// Runs fnPixels over the 32-bit pixels of an area of pDC: the area is copied into a DIB section
// first when bRead, and the section is copied back at the area's place.
template <class Fn>
void EditArea32(CDC* pDC, int nLeft, int nTop, int cx, int cy, BOOL bRead, Fn fnPixels)
{
    if (!pDC || !pDC->GetSafeHdc() || cx <= 0 || cy <= 0)
        return;
    LPBYTE pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection32(pDC->GetSafeHdc(), cx, cy, &pBits);
    if (!hBitmap)
        return;
    HDC hdcMem = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ hOld = ::SelectObject(hdcMem, hBitmap);
    if (bRead)
        ::BitBlt(hdcMem, 0, 0, cx, cy, pDC->GetSafeHdc(), nLeft, nTop, SRCCOPY);
    ::GdiFlush();
    BYTE* pPixel = pBits;
    for (int i = 0; i < cx * cy; ++i, pPixel += 4)
        fnPixels(pPixel);
    ::BitBlt(pDC->GetSafeHdc(), nLeft, nTop, cx, cy, hdcMem, 0, 0, SRCCOPY);
    ::SelectObject(hdcMem, hOld);
    ::DeleteDC(hdcMem);
    ::DeleteObject(hBitmap);
}
} // namespace

void CXTPPaintManager::MakeRectOpaque(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom)
{
    EditArea32(pDC, nLeft, nTop, nRight - nLeft, nBottom - nTop, TRUE, [](BYTE* pPixel) { pPixel[3] = 255; });
}

void CXTPPaintManager::FillOpaqueRect(CDC* pDC, CRect rc, COLORREF clr)
{
    EditArea32(pDC, rc.left, rc.top, rc.Width(), rc.Height(), FALSE, [clr](BYTE* pPixel) {
        pPixel[0] = GetBValue(clr);
        pPixel[1] = GetGValue(clr);
        pPixel[2] = GetRValue(clr);
        pPixel[3] = 255;
    });
}
