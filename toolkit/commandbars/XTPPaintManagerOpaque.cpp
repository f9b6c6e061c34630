// The paint manager's glass helper: plain drawing leaves alpha 0, which glass shows as clear.
#include "toolkit/commandbars/XTPPaintManager.h"

#include "framework/DC.h"

void CXTPPaintManager::MakeRectOpaque(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom)
{
    const int cx = nRight - nLeft;
    const int cy = nBottom - nTop;
    if (!pDC || !pDC->GetSafeHdc() || cx <= 0 || cy <= 0)
        return;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(pDC->GetSafeHdc(), &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (!hBitmap || !pBits)
    {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        return;
    }
    HDC hdcMem = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ hOld = ::SelectObject(hdcMem, hBitmap);
    ::BitBlt(hdcMem, 0, 0, cx, cy, pDC->GetSafeHdc(), nLeft, nTop, SRCCOPY);
    ::GdiFlush();
    BYTE* pPixel = static_cast<BYTE*>(pBits);
    for (int i = 0; i < cx * cy; ++i, pPixel += 4)
        pPixel[3] = 255;
    ::BitBlt(pDC->GetSafeHdc(), nLeft, nTop, cx, cy, hdcMem, 0, 0, SRCCOPY);
    ::SelectObject(hdcMem, hOld);
    ::DeleteDC(hdcMem);
    ::DeleteObject(hBitmap);
}
