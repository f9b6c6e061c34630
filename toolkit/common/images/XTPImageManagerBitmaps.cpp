// Bitmap and icon helpers of the image manager: DIB sections, premultiplying, mirroring, icon
// sizes, and the bitmap loaders for files, memory and resources.
#include "toolkit/common/images/XTPImageManager.h"

#include "framework/AppGlobals.h"
#include "framework/MemFile.h"
#include "toolkit/common/images/XTPGraphicBitmapPng.h"
#include "toolkit/common/images/XTPImageManagerData.h"
#include "toolkit/common/system/XTPSystemHelpers.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstdlib>
#include <cstring>
#include <memory>

static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER is 40 bytes");
static_assert(sizeof(BITMAPFILEHEADER) == 14, "BITMAPFILEHEADER is 14 bytes");

namespace
{
const BYTE kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Files read whole into memory are refused above this size.
const size_t kMaxFileBytes = 64u * 1024u * 1024u;

struct ScreenDC
{
    HDC hDC;
    explicit ScreenDC(HDC hdcGiven) : hDC(hdcGiven ? nullptr : ::GetDC(nullptr)), hGiven(hdcGiven) {}
    ~ScreenDC()
    {
        if (hDC)
            ::ReleaseDC(nullptr, hDC);
    }
    HDC Get() const { return hGiven ? hGiven : hDC; }
    HDC hGiven;
};
} // namespace

BOOL XTPIsPngData(const BYTE* pData, size_t nSize)
{
    return pData && nSize >= sizeof(kPngSignature) && std::memcmp(pData, kPngSignature, sizeof(kPngSignature)) == 0;
}

HBITMAP XTPDecodePngData(const BYTE* pData, size_t nSize, BOOL* pbAlpha)
{
    if (!XTPIsPngData(pData, nSize) || nSize > 0xFFFFFFFFu)
        return nullptr;
    CMemFile file(const_cast<BYTE*>(pData), static_cast<UINT>(nSize), 0);
    CXTPGraphicBitmapPng png;
    if (!png.LoadFromStream(&file))
        return nullptr;
    if (pbAlpha)
        *pbAlpha = png.IsAlpha();
    return static_cast<HBITMAP>(png.Detach());
}

BOOL XTPReadFileBytes(LPCSTR lpszFileName, CByteArrayBuffer& data)
{
    if (!lpszFileName)
        return FALSE;
    HANDLE hFile = ::CreateFileA(lpszFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size;
    BOOL bOk = ::GetFileSizeEx(hFile, &size) && size.QuadPart >= 0 &&
               static_cast<ULONGLONG>(size.QuadPart) <= kMaxFileBytes;
    if (bOk)
    {
        data.assign(static_cast<size_t>(size.QuadPart), 0);
        DWORD nRead = 0;
        bOk = data.empty() || (::ReadFile(hFile, data.data(), static_cast<DWORD>(data.size()), &nRead, nullptr) &&
                               nRead == data.size());
    }
    ::CloseHandle(hFile);
    return bOk;
}

BOOL XTPGetDibLayout(const BITMAPINFOHEADER& bih, size_t nAvail, XTP_DIB_LAYOUT& layout)
{
    std::memset(&layout, 0, sizeof(layout));
    if (nAvail < sizeof(BITMAPINFOHEADER) || bih.biSize < sizeof(BITMAPINFOHEADER) || bih.biSize > nAvail)
        return FALSE;
    if (bih.biWidth <= 0 || bih.biHeight == 0 || bih.biHeight == LONG_MIN || bih.biPlanes != 1)
        return FALSE;
    LONGLONG nHeight = bih.biHeight < 0 ? -static_cast<LONGLONG>(bih.biHeight) : bih.biHeight;
    if (bih.biWidth > XTP_MAX_IMAGE_DIMENSION || nHeight > XTP_MAX_IMAGE_DIMENSION)
        return FALSE;
    int nBits = bih.biBitCount;
    if (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32)
        return FALSE;
    size_t nColors = 0;
    if (bih.biCompression == BI_RGB)
    {
        if (nBits <= 8)
        {
            size_t nMax = static_cast<size_t>(1) << nBits;
            nColors = bih.biClrUsed == 0 ? nMax : bih.biClrUsed;
            if (nColors > nMax)
                return FALSE;
        }
    }
    else if (bih.biCompression == BI_BITFIELDS && (nBits == 16 || nBits == 32))
    {
        nColors = bih.biSize == sizeof(BITMAPINFOHEADER) ? 3 : 0;
    }
    else
    {
        return FALSE;
    }
    layout.nWidth = bih.biWidth;
    layout.nHeight = static_cast<int>(nHeight);
    layout.bTopDown = bih.biHeight < 0;
    layout.nBitCount = nBits;
    layout.nHeaderBytes = bih.biSize + nColors * sizeof(RGBQUAD);
    ULONGLONG nStride = ((static_cast<ULONGLONG>(bih.biWidth) * nBits + 31) / 32) * 4;
    ULONGLONG nImage = nStride * static_cast<ULONGLONG>(nHeight);
    if (nImage > XTP_MAX_IMAGE_BYTES)
        return FALSE;
    layout.nStride = static_cast<size_t>(nStride);
    layout.nImageBytes = static_cast<size_t>(nImage);
    return layout.nHeaderBytes <= nAvail;
}

HBITMAP XTPCreateDibFromParts(const BYTE* pHeader, size_t nHeaderAvail, const BYTE* pPixels, size_t nPixelAvail,
                              BOOL* pbAlpha)
{
    if (!pHeader || nHeaderAvail < sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, pHeader, sizeof(bih));
    XTP_DIB_LAYOUT layout;
    if (!XTPGetDibLayout(bih, nHeaderAvail, layout))
        return nullptr;
    if (!pPixels)
        pPixels = pHeader + layout.nHeaderBytes, nPixelAvail = nHeaderAvail - layout.nHeaderBytes;
    if (layout.nImageBytes > nPixelAvail)
        return nullptr;
    // The header and colour table are copied into an aligned block of the largest size they
    // can take (a version-5 header and 256 colours).
    std::unique_ptr<BYTE[]> info(new BYTE[layout.nHeaderBytes + 16]());
    std::memcpy(info.get(), pHeader, layout.nHeaderBytes);
    BITMAPINFOHEADER* pInfo = reinterpret_cast<BITMAPINFOHEADER*>(info.get());
    pInfo->biSizeImage = static_cast<DWORD>(layout.nImageBytes);
    void* pvBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(pInfo), DIB_RGB_COLORS, &pvBits,
                                         nullptr, 0);
    if (!hBitmap || !pvBits)
    {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        return nullptr;
    }
    std::memcpy(pvBits, pPixels, layout.nImageBytes);
    if (pbAlpha)
        *pbAlpha = layout.nBitCount == 32;
    return hBitmap;
}

HBITMAP CreateBitmapFromPackedDib(const BYTE* pData, size_t nSize, BOOL* pbAlpha)
{
    return XTPCreateDibFromParts(pData, nSize, nullptr, 0, pbAlpha);
}

HBITMAP CreateDIBSection32(HDC hDC, int cx, int cy, LPBYTE* lpBits)
{
    if (lpBits)
        *lpBits = nullptr;
    if (cx <= 0 || cy <= 0 || cx > XTP_MAX_IMAGE_DIMENSION * 4 || cy > XTP_MAX_IMAGE_DIMENSION ||
        static_cast<ULONGLONG>(cx) * cy * 4 > XTP_MAX_IMAGE_BYTES)
        return nullptr;
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    bmi.bmiHeader.biSizeImage = static_cast<DWORD>(cx * cy * 4);
    void* pvBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pvBits, nullptr, 0);
    if (hBitmap && !pvBits)
    {
        ::DeleteObject(hBitmap);
        hBitmap = nullptr;
    }
    if (lpBits)
        *lpBits = static_cast<LPBYTE>(pvBits);
    return hBitmap;
}

BOOL GetBitmapBits32(HDC hDC, HBITMAP hBitmap, PBITMAPINFO& pBitmapInfo, LPVOID& pBits, UINT& nSize)
{
    pBitmapInfo = nullptr;
    pBits = nullptr;
    nSize = 0;
    BITMAP bm;
    if (!hBitmap || ::GetObjectA(hBitmap, sizeof(bm), &bm) != sizeof(bm) || bm.bmBitsPixel != 32 || bm.bmWidth <= 0 ||
        bm.bmHeight <= 0 || static_cast<ULONGLONG>(bm.bmWidth) * bm.bmHeight * 4 > XTP_MAX_IMAGE_BYTES)
        return FALSE;
    UINT nBytes = static_cast<UINT>(bm.bmWidth * bm.bmHeight * 4);
    PBITMAPINFO pbmi = static_cast<PBITMAPINFO>(std::calloc(1, sizeof(BITMAPINFO) + 3 * sizeof(RGBQUAD)));
    LPVOID pv = std::malloc(nBytes);
    if (!pbmi || !pv)
    {
        std::free(pbmi);
        std::free(pv);
        return FALSE;
    }
    pbmi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    pbmi->bmiHeader.biWidth = bm.bmWidth;
    pbmi->bmiHeader.biHeight = bm.bmHeight;
    pbmi->bmiHeader.biPlanes = 1;
    pbmi->bmiHeader.biBitCount = 32;
    pbmi->bmiHeader.biCompression = BI_RGB;
    pbmi->bmiHeader.biSizeImage = nBytes;
    ScreenDC dc(hDC);
    if (::GetDIBits(dc.Get(), hBitmap, 0, static_cast<UINT>(bm.bmHeight), pv, pbmi, DIB_RGB_COLORS) !=
        bm.bmHeight)
    {
        std::free(pbmi);
        std::free(pv);
        return FALSE;
    }
    pBitmapInfo = pbmi;
    pBits = pv;
    nSize = nBytes;
    return TRUE;
}

namespace
{
// A new bottom-up 32-bit DIB of the bitmap's size, filled by fnFill(destination, source pixels,
// width, height) from the bitmap's bottom-up pixels.
template <typename FILL> HBITMAP TransformBitmap32(HBITMAP hBitmap, LPBYTE* lpBits, FILL fnFill)
{
    if (lpBits)
        *lpBits = nullptr;
    PBITMAPINFO pbmi = nullptr;
    LPVOID pSrc = nullptr;
    UINT nSize = 0;
    if (!GetBitmapBits32(nullptr, hBitmap, pbmi, pSrc, nSize))
        return nullptr;
    int cx = pbmi->bmiHeader.biWidth, cy = pbmi->bmiHeader.biHeight;
    LPBYTE pDst = nullptr;
    HBITMAP hResult = CreateDIBSection32(nullptr, cx, cy, &pDst);
    if (hResult)
    {
        fnFill(pDst, static_cast<const BYTE*>(pSrc), cx, cy);
        if (lpBits)
            *lpBits = pDst;
    }
    std::free(pbmi);
    std::free(pSrc);
    return hResult;
}
} // namespace

HBITMAP PreMultiplyAlphaBitmap(HBITMAP hBitmap, BOOL* pbAlpha, LPBYTE* lpBits)
{
    return TransformBitmap32(hBitmap, lpBits, [pbAlpha](LPBYTE pDst, const BYTE* pSrc, int cx, int cy) {
        size_t nPixels = static_cast<size_t>(cx) * cy;
        bool bSeenZero = false;
        for (size_t i = 0; i < nPixels; i++)
        {
            const BYTE* s = pSrc + i * 4;
            BYTE* d = pDst + i * 4;
            BYTE a = s[3];
            d[0] = static_cast<BYTE>(s[0] * a / 255);
            d[1] = static_cast<BYTE>(s[1] * a / 255);
            d[2] = static_cast<BYTE>(s[2] * a / 255);
            d[3] = a;
            if (pbAlpha)
            {
                if (a == 0)
                    bSeenZero = true;
                else if (a < 255 || bSeenZero || *pbAlpha == -1)
                    *pbAlpha = 1;
            }
        }
        // An image without transparency keeps its plain pixels.
        if (pbAlpha && *pbAlpha == 0)
            std::memcpy(pDst, pSrc, nPixels * 4);
    });
}

HBITMAP CopyAlphaBitmap(HBITMAP hBitmap, LPBYTE* lpBits)
{
    return TransformBitmap32(hBitmap, lpBits, [](LPBYTE pDst, const BYTE* pSrc, int cx, int cy) {
        std::memcpy(pDst, pSrc, static_cast<size_t>(cx) * cy * 4);
    });
}

HBITMAP MirrorBitmap(HBITMAP hBitmap)
{
    return TransformBitmap32(hBitmap, nullptr, [](LPBYTE pDst, const BYTE* pSrc, int cx, int cy) {
        for (int y = 0; y < cy; y++)
        {
            const DWORD* s = reinterpret_cast<const DWORD*>(pSrc) + static_cast<size_t>(y) * cx;
            DWORD* d = reinterpret_cast<DWORD*>(pDst) + static_cast<size_t>(y) * cx;
            for (int x = 0; x < cx; x++)
                d[x] = s[cx - 1 - x];
        }
    });
}

CSize GetIconSize(HICON hIcon)
{
    ICONINFO ii;
    if (!hIcon || !::GetIconInfo(hIcon, &ii))
        return CSize(0, 0);
    CSize sz(0, 0);
    BITMAP bm;
    if (ii.hbmMask && ::GetObjectA(ii.hbmMask, sizeof(bm), &bm) == sizeof(bm))
        sz = CSize(bm.bmWidth, ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2);
    if (ii.hbmMask)
        ::DeleteObject(ii.hbmMask);
    if (ii.hbmColor)
        ::DeleteObject(ii.hbmColor);
    return sz;
}

BOOL IsAlphaIcon(HICON hIcon)
{
    if (!hIcon || (CXTPImageManager::GetComCtlVersion() < MAKELONG(0, 6) && !IsWinXPOrGreater()))
        return FALSE;
    ICONINFO ii;
    if (!::GetIconInfo(hIcon, &ii))
        return FALSE;
    BOOL bAlpha = FALSE;
    if (ii.hbmColor)
    {
        BOOL bFlag = -1;
        LPBYTE pBits = nullptr;
        HBITMAP hCopy = PreMultiplyAlphaBitmap(ii.hbmColor, &bFlag, &pBits);
        bAlpha = hCopy && bFlag == 1 && pBits;
        if (hCopy)
            ::DeleteObject(hCopy);
        ::DeleteObject(ii.hbmColor);
    }
    if (ii.hbmMask)
        ::DeleteObject(ii.hbmMask);
    return bAlpha;
}

HICON ResizeIcon(HICON hIcon, int cxOld, int cyOld, int nWidth)
{
    if (!hIcon || nWidth <= 0 || (cxOld == 0 && cyOld == 0) || cxOld <= 0 || cyOld < 0)
        return nullptr;
    if (nWidth == cxOld)
        return ::CopyIcon(hIcon);
    int nHeight = ::MulDiv(cyOld, nWidth, cxOld);
    if (nHeight <= 0 || nWidth > XTP_MAX_IMAGE_DIMENSION || nHeight > XTP_MAX_IMAGE_DIMENSION)
        return nullptr;
    HIMAGELIST hList = ::ImageList_Create(nWidth, nHeight, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (!hList)
        return nullptr;
    HICON hResult = nullptr;
    if (::ImageList_ReplaceIcon(hList, -1, hIcon) == 0)
        hResult = ::ImageList_GetIcon(hList, 0, ILD_NORMAL);
    ::ImageList_Destroy(hList);
    return hResult;
}

COLORREF LightenColor(COLORREF clr, double dFactor)
{
    auto channel = [dFactor](int c) {
        double v = c * (1.0 - dFactor) + 255.0 * dFactor;
        return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v));
    };
    return RGB(channel(GetRValue(clr)), channel(GetGValue(clr)), channel(GetBValue(clr)));
}

// ---- loaders

namespace
{
// A BMP file in memory: the 32-bit kind becomes a DIB section (alpha), other depths too when
// bAllDepths is set. *pnBitCount receives the header's depth when the headers are whole.
HBITMAP LoadBmpData(const BYTE* pData, size_t nSize, BOOL bAllDepths, BOOL* pbAlpha, int* pnBitCount)
{
    if (pnBitCount)
        *pnBitCount = 0;
    if (nSize < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || pData[0] != 'B' || pData[1] != 'M')
        return nullptr;
    BITMAPFILEHEADER bfh;
    BITMAPINFOHEADER bih;
    std::memcpy(&bfh, pData, sizeof(bfh));
    std::memcpy(&bih, pData + sizeof(bfh), sizeof(bih));
    if (pnBitCount)
        *pnBitCount = bih.biBitCount;
    if (bih.biBitCount != 32 && !bAllDepths)
        return nullptr;
    const BYTE* pDib = pData + sizeof(bfh);
    size_t nDib = nSize - sizeof(bfh);
    // The pixels start at the file header's offset when it names a place inside the file behind
    // the headers; otherwise directly behind the colour table.
    const BYTE* pPixels = nullptr;
    size_t nPixels = 0;
    XTP_DIB_LAYOUT layout;
    if (!XTPGetDibLayout(bih, nDib, layout))
        return nullptr;
    if (bfh.bfOffBits >= sizeof(bfh) + layout.nHeaderBytes && bfh.bfOffBits <= nSize)
    {
        pPixels = pData + bfh.bfOffBits;
        nPixels = nSize - bfh.bfOffBits;
    }
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = XTPCreateDibFromParts(pDib, nDib, pPixels, nPixels, &bAlpha);
    if (hBitmap && pbAlpha)
        *pbAlpha = bAlpha;
    return hBitmap;
}

// The file as a picture (any format the system's picture object reads), rendered upright onto
// a 32-bit DIB filled with the button face colour.
HBITMAP LoadPictureFile(LPCSTR lpszFileName)
{
    int nWide = ::MultiByteToWideChar(CP_ACP, 0, lpszFileName, -1, nullptr, 0);
    if (nWide <= 0)
        return nullptr;
    std::unique_ptr<WCHAR[]> wide(new WCHAR[nWide]);
    ::MultiByteToWideChar(CP_ACP, 0, lpszFileName, -1, wide.get(), nWide);
    IPicture* pPicture = nullptr;
    if (FAILED(::OleLoadPicturePath(wide.get(), nullptr, 0, 0, IID_IPicture, reinterpret_cast<void**>(&pPicture))) ||
        !pPicture)
        return nullptr;
    HBITMAP hResult = nullptr;
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (SUCCEEDED(pPicture->get_Width(&hmWidth)) && SUCCEEDED(pPicture->get_Height(&hmHeight)))
    {
        HDC hScreen = ::GetDC(nullptr);
        int cx = ::MulDiv(hmWidth, ::GetDeviceCaps(hScreen, LOGPIXELSX), 2540);
        int cy = ::MulDiv(hmHeight, ::GetDeviceCaps(hScreen, LOGPIXELSY), 2540);
        ::ReleaseDC(nullptr, hScreen);
        LPBYTE pBits = nullptr;
        HBITMAP hBitmap = CreateDIBSection32(nullptr, cx, cy, &pBits);
        HDC hMem = hBitmap ? ::CreateCompatibleDC(nullptr) : nullptr;
        if (hMem)
        {
            HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
            RECT rc = {0, 0, cx, cy};
            ::FillRect(hMem, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
            if (SUCCEEDED(pPicture->Render(hMem, 0, 0, cx, cy, 0, hmHeight, hmWidth, -hmHeight, nullptr)))
                hResult = hBitmap;
            ::SelectObject(hMem, hOld);
            ::DeleteDC(hMem);
        }
        if (!hResult && hBitmap)
            ::DeleteObject(hBitmap);
    }
    pPicture->Release();
    return hResult;
}
} // namespace

HBITMAP LoadBitmapFromMemory(const BYTE* pData, size_t nSize, BOOL* pbAlpha)
{
    if (!pData)
        return nullptr;
    if (XTPIsPngData(pData, nSize))
        return XTPDecodePngData(pData, nSize, pbAlpha);
    return LoadBmpData(pData, nSize, TRUE, pbAlpha, nullptr);
}

HBITMAP LoadBitmapFromFile(LPCSTR lpszFileName, BOOL* pbAlpha)
{
    CByteArrayBuffer data;
    if (!XTPReadFileBytes(lpszFileName, data))
        return nullptr;
    if (XTPIsPngData(data.data(), data.size()))
        return XTPDecodePngData(data.data(), data.size(), pbAlpha);
    int nBitCount = 0;
    HBITMAP hBitmap = LoadBmpData(data.data(), data.size(), FALSE, pbAlpha, &nBitCount);
    if (hBitmap)
        return hBitmap;
    if (nBitCount == 32)
        return nullptr; // a 32-bit file whose headers do not fit its data
    hBitmap = static_cast<HBITMAP>(::LoadImageA(nullptr, lpszFileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (hBitmap)
    {
        if (pbAlpha)
            *pbAlpha = FALSE;
        return hBitmap;
    }
    return LoadPictureFile(lpszFileName);
}

BOOL XTPGetResourceData(HMODULE hModule, LPCSTR lpszName, LPCSTR lpszType, const BYTE*& pData, size_t& nSize)
{
    pData = nullptr;
    nSize = 0;
    HRSRC hRes = lpszName ? ::FindResourceA(hModule, lpszName, lpszType) : nullptr;
    if (!hRes)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hModule, hRes);
    pData = hGlobal ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    nSize = ::SizeofResource(hModule, hRes);
    return pData != nullptr;
}

BOOL IsPngResource(HMODULE hModule, LPCSTR lpszResource)
{
    const BYTE* pData;
    size_t nSize;
    return XTPGetResourceData(hModule, lpszResource, "PNG", pData, nSize) && XTPIsPngData(pData, nSize);
}

HBITMAP LoadBitmapFromResource(HMODULE hModule, LPCSTR lpszResource, BOOL* pbAlpha)
{
    const BYTE* pData;
    size_t nSize;
    if (XTPGetResourceData(hModule, lpszResource, "PNG", pData, nSize) && XTPIsPngData(pData, nSize))
        return XTPDecodePngData(pData, nSize, pbAlpha);
    if (!XTPGetResourceData(hModule, lpszResource, RT_BITMAP, pData, nSize))
        return nullptr;
    if (nSize >= sizeof(BITMAPINFOHEADER))
    {
        BITMAPINFOHEADER bih;
        std::memcpy(&bih, pData, sizeof(bih));
        if (bih.biBitCount == 32)
        {
            BOOL bAlpha = FALSE;
            HBITMAP hBitmap = CreateBitmapFromPackedDib(pData, nSize, &bAlpha);
            if (hBitmap)
            {
                if (pbAlpha)
                    *pbAlpha = TRUE;
                return hBitmap;
            }
        }
    }
    if (pbAlpha)
        *pbAlpha = FALSE;
    return static_cast<HBITMAP>(::LoadImageA(hModule, lpszResource, IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE));
}

HBITMAP LoadBitmapFromAppResources(LPCSTR lpszResource, BOOL* pbAlpha)
{
    HMODULE hModule = AfxFindResourceHandle(lpszResource, "PNG");
    if (!IsPngResource(hModule, lpszResource))
        hModule = AfxFindResourceHandle(lpszResource, RT_BITMAP);
    return LoadBitmapFromResource(hModule, lpszResource, pbAlpha);
}
