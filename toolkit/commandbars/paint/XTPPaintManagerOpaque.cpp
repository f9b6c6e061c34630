// The paint manager's glass helper: plain drawing leaves alpha 0, which glass shows as clear.
#include "toolkit/commandbars/paint/XTPPaintManager.h"

#include "framework/DC.h"
#include "toolkit/common/images/XTPImageManager.h"

void CXTPPaintManager::MakeRectOpaque(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom)
{
    const int cx = nRight - nLeft;
    const int cy = nBottom - nTop;
    if (!pDC || !pDC->GetSafeHdc() || cx <= 0 || cy <= 0)
        return;
    LPBYTE pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection32(pDC->GetSafeHdc(), cx, cy, &pBits);
    if (!hBitmap)
        return;
    HDC hdcMem = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ hOld = ::SelectObject(hdcMem, hBitmap);
    ::BitBlt(hdcMem, 0, 0, cx, cy, pDC->GetSafeHdc(), nLeft, nTop, SRCCOPY);
    ::GdiFlush();
    BYTE* pPixel = pBits;
    for (int i = 0; i < cx * cy; ++i, pPixel += 4)
        pPixel[3] = 255;
    ::BitBlt(pDC->GetSafeHdc(), nLeft, nTop, cx, cy, hdcMem, 0, 0, SRCCOPY);
    ::SelectObject(hdcMem, hOld);
    ::DeleteDC(hdcMem);
    ::DeleteObject(hBitmap);
}

void CXTPPaintManager::FillOpaqueRect(CDC* pDC, CRect rc, COLORREF clr)
{
    const int cx = rc.Width();
    const int cy = rc.Height();
    if (!pDC || !pDC->GetSafeHdc() || cx <= 0 || cy <= 0)
        return;
    LPBYTE pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection32(pDC->GetSafeHdc(), cx, cy, &pBits);
    if (!hBitmap)
        return;
    HDC hdcMem = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ hOld = ::SelectObject(hdcMem, hBitmap);
    ::GdiFlush();
    BYTE* pPixel = pBits;
    for (int i = 0; i < cx * cy; ++i, pPixel += 4)
    {
        pPixel[0] = GetBValue(clr);
        pPixel[1] = GetGValue(clr);
        pPixel[2] = GetRValue(clr);
        pPixel[3] = 255;
    }
    ::BitBlt(pDC->GetSafeHdc(), rc.left, rc.top, cx, cy, hdcMem, 0, 0, SRCCOPY);
    ::SelectObject(hdcMem, hOld);
    ::DeleteDC(hdcMem);
    ::DeleteObject(hBitmap);
}
