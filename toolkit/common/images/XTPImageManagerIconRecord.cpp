// The archive record of one icon: its height, the record version, and per stored state an image
// record of two bitmap records (colour, then mask).
#include "toolkit/common/images/XTPImageManager.h"

#include "framework/Archive.h"
#include "toolkit/common/images/XTPImageManagerData.h"

#include <cstring>
#include <memory>

namespace
{
// Largest header record: a BITMAPINFOHEADER and 256 colours.
const DWORD_PTR kMaxHeaderBytes = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);
// Largest pixel record read.
const DWORD_PTR kMaxPixelBytes = 64u * 1024u * 1024u;

void WriteEmptyRecord(CArchive& ar)
{
    ar.WriteCount(0);
}

// The header (with its colour table) and the bottom-up pixels of a bitmap, as the system reports
// them; an unreadable bitmap is written as an empty record.
void WriteBitmapRecord(CArchive& ar, HBITMAP hBitmap)
{
    BITMAP bm;
    if (!hBitmap || ::GetObjectA(hBitmap, sizeof(bm), &bm) != sizeof(bm) || bm.bmWidth <= 0 || bm.bmHeight == 0)
    {
        WriteEmptyRecord(ar);
        return;
    }
    const int nHeight = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    const int nBits = bm.bmBitsPixel * bm.bmPlanes;
    const int nColors = nBits == 4 ? 16 : nBits == 8 ? 256 : 3;
    const DWORD nHeaderBytes = sizeof(BITMAPINFOHEADER) + nColors * sizeof(RGBQUAD);
    std::unique_ptr<BYTE[]> header(new BYTE[nHeaderBytes]());
    BITMAPINFOHEADER* pbih = reinterpret_cast<BITMAPINFOHEADER*>(header.get());
    pbih->biSize = sizeof(BITMAPINFOHEADER);
    pbih->biWidth = bm.bmWidth;
    pbih->biHeight = nHeight;
    pbih->biPlanes = 1;
    pbih->biBitCount = static_cast<WORD>(nBits);
    pbih->biCompression = BI_RGB;
    const ULONGLONG nStride = ((static_cast<ULONGLONG>(bm.bmWidth) * nBits + 31) / 32) * 4;
    const ULONGLONG nImage = nStride * nHeight;
    if (nImage == 0 || nImage > kMaxPixelBytes)
    {
        WriteEmptyRecord(ar);
        return;
    }
    pbih->biSizeImage = static_cast<DWORD>(nImage);
    std::unique_ptr<BYTE[]> pixels(new BYTE[static_cast<size_t>(nImage)]);
    HDC hdc = ::GetDC(nullptr);
    int nLines = ::GetDIBits(hdc, hBitmap, 0, static_cast<UINT>(nHeight), pixels.get(),
                             reinterpret_cast<BITMAPINFO*>(pbih), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdc);
    if (nLines != nHeight)
    {
        WriteEmptyRecord(ar);
        return;
    }
    DWORD nPixelBytes = pbih->biSizeImage ? pbih->biSizeImage : static_cast<DWORD>(bm.bmWidth * nHeight * 4);
    if (nPixelBytes > nImage)
        nPixelBytes = static_cast<DWORD>(nImage);
    ar.WriteCount(nHeaderBytes);
    ar.Write(header.get(), nHeaderBytes);
    ar.WriteCount(nPixelBytes);
    ar.Write(pixels.get(), nPixelBytes);
}

// Reads one bitmap record. The record is always consumed whole, so the archive stays in step even
// when the bitmap cannot be made; a header length outside 40 to 40 + 256 x 4 cannot be skipped
// safely and fails the load. Returns null for an empty or unusable record.
HBITMAP ReadBitmapRecord(CArchive& ar, LPBYTE* ppBits)
{
    if (ppBits)
        *ppBits = nullptr;
    DWORD_PTR nHeaderBytes = ar.ReadCount();
    if (nHeaderBytes == 0)
        return nullptr;
    if (nHeaderBytes < sizeof(BITMAPINFOHEADER) || nHeaderBytes > kMaxHeaderBytes)
        AfxThrowArchiveException(CArchiveException::badIndex);
    // Room for the largest header, so a short one still reads as a whole BITMAPINFO.
    std::unique_ptr<BYTE[]> header(new BYTE[kMaxHeaderBytes + 16]());
    ar.EnsureRead(header.get(), static_cast<UINT>(nHeaderBytes));

    DWORD_PTR nPixelBytes = ar.ReadCount();
    if (nPixelBytes > kMaxPixelBytes)
        AfxThrowArchiveException(CArchiveException::badIndex);
    std::unique_ptr<BYTE[]> pixels(new BYTE[nPixelBytes ? nPixelBytes : 1]);
    ar.EnsureRead(pixels.get(), static_cast<UINT>(nPixelBytes));
    if (nPixelBytes == 0)
        return nullptr;

    BITMAPINFOHEADER* pbih = reinterpret_cast<BITMAPINFOHEADER*>(header.get());
    if (pbih->biSizeImage == 0)
        pbih->biSizeImage = static_cast<DWORD>(nPixelBytes);
    XTP_DIB_LAYOUT layout;
    if (pbih->biSize != sizeof(BITMAPINFOHEADER) || !XTPGetDibLayout(*pbih, nHeaderBytes, layout))
        return nullptr;
    void* pvBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(pbih), DIB_RGB_COLORS, &pvBits,
                                         nullptr, 0);
    if (!hBitmap || !pvBits)
    {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        return nullptr;
    }
    // Never more than the section holds, whatever the header's image size says.
    size_t nCopy = layout.nImageBytes;
    if (nCopy > pbih->biSizeImage)
        nCopy = pbih->biSizeImage;
    if (nCopy > nPixelBytes)
        nCopy = static_cast<size_t>(nPixelBytes);
    std::memcpy(pvBits, pixels.get(), nCopy);
    if (ppBits)
        *ppBits = static_cast<LPBYTE>(pvBits);
    return hBitmap;
}

int BitCountOf(HBITMAP hBitmap)
{
    BITMAP bm;
    return hBitmap && ::GetObjectA(hBitmap, sizeof(bm), &bm) == sizeof(bm) ? bm.bmBitsPixel * bm.bmPlanes : 0;
}
} // namespace

void CXTPImageManagerIcon::SerializeImage(CXTPImageHandle& hImage, CArchive& ar, long nVersion)
{
    if (ar.IsStoring())
    {
        CXTPImageHandle handle;
        handle.Copy(hImage);
        if (handle.IsAlpha() && handle.PreMultiply())
        {
            WriteBitmapRecord(ar, handle.GetBitmap());
            WriteEmptyRecord(ar);
            return;
        }
        ICONINFO ii;
        if (handle.GetIcon() && ::GetIconInfo(handle.GetIcon(), &ii))
        {
            WriteBitmapRecord(ar, ii.hbmColor);
            WriteBitmapRecord(ar, ii.hbmMask);
            if (ii.hbmColor)
                ::DeleteObject(ii.hbmColor);
            if (ii.hbmMask)
                ::DeleteObject(ii.hbmMask);
            return;
        }
        WriteEmptyRecord(ar);
        WriteEmptyRecord(ar);
        return;
    }

    LPBYTE pBits = nullptr;
    HBITMAP hColor = ReadBitmapRecord(ar, &pBits);
    HBITMAP hMask = nullptr;
    try
    {
        hMask = ReadBitmapRecord(ar, nullptr);
    }
    catch (...)
    {
        if (hColor)
            ::DeleteObject(hColor);
        throw;
    }
    CXTPImageHandle handle;
    if (hColor && hMask)
    {
        BITMAP bm;
        ::GetObjectA(hColor, sizeof(bm), &bm);
        HIMAGELIST hList = ::ImageList_Create(bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight,
                                              ILC_COLOR24 | ILC_MASK, 1, 1);
        if (hList)
        {
            if (::ImageList_Add(hList, hColor, hMask) == 0)
            {
                HICON hIcon = ::ImageList_GetIcon(hList, 0, ILD_NORMAL);
                if (hIcon)
                    handle.SetIcon(hIcon, TRUE);
            }
            ::ImageList_Destroy(hList);
        }
        ::DeleteObject(hColor);
        ::DeleteObject(hMask);
    }
    else if (hColor && BitCountOf(hColor) == 32)
    {
        // From version 25 on the stored pixels are premultiplied.
        handle.SetBitmap(hColor, TRUE, nVersion >= 25 ? pBits : nullptr);
    }
    else
    {
        if (hColor)
            ::DeleteObject(hColor);
        if (hMask)
            ::DeleteObject(hMask);
    }
    hImage.Copy(handle);
}

void CXTPImageManagerIcon::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << static_cast<LONG>(m_nHeight);
        ar << static_cast<LONG>(nIconRecordVersion);
        SerializeImage(m_hImage, ar, nIconRecordVersion);
        SerializeImage(m_hDisabled, ar, nIconRecordVersion);
        SerializeImage(m_hHot, ar, nIconRecordVersion);
        SerializeImage(m_hChecked, ar, nIconRecordVersion);
        SerializeImage(m_hPressed, ar, nIconRecordVersion);
        return;
    }
    LONG nHeight = 0, nVersion = 0;
    ar >> nHeight;
    ar >> nVersion;
    Clear();
    m_nHeight = nHeight;
    SerializeImage(m_hImage, ar, nVersion);
    SerializeImage(m_hDisabled, ar, nVersion);
    SerializeImage(m_hHot, ar, nVersion);
    if (nVersion > 7)
        SerializeImage(m_hChecked, ar, nVersion);
    if (nVersion >= 17)
        SerializeImage(m_hPressed, ar, nVersion);
    if (!m_hImage.IsEmpty())
    {
        CSize sz = m_hImage.GetExtent();
        m_nWidth = sz.cx;
        m_nHeight = sz.cy;
    }
}
