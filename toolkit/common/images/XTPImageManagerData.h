// Internal helpers of the image manager's readers: checked DIB layouts, PNG detection and
// decoding from memory, whole-file and resource reads. Not for use outside the image manager.
#pragma once

#include <windows.h>

#include <vector>

typedef std::vector<BYTE> CByteArrayBuffer;

// Images wider or taller than this, or larger in bytes, are refused by every reader.
const int XTP_MAX_IMAGE_DIMENSION = 16384;
const unsigned long long XTP_MAX_IMAGE_BYTES = 64ull * 1024 * 1024;

// The checked shape of a DIB: every size is computed without overflow.
struct XTP_DIB_LAYOUT
{
    int nWidth;
    int nHeight; // always positive
    BOOL bTopDown;
    int nBitCount;
    size_t nHeaderBytes; // header and colour table
    size_t nStride;
    size_t nImageBytes; // stride x height
};

// FALSE when the header (nAvail bytes readable from it) is not a DIB the readers take.
BOOL XTPGetDibLayout(const BITMAPINFOHEADER& bih, size_t nAvail, XTP_DIB_LAYOUT& layout);
// A DIB section from a header (with its colour table) and pixels; pPixels null: the pixels follow
// the colour table within nHeaderAvail bytes. *pbAlpha: 32 bits per pixel.
HBITMAP XTPCreateDibFromParts(const BYTE* pHeader, size_t nHeaderAvail, const BYTE* pPixels, size_t nPixelAvail,
                              BOOL* pbAlpha);
BOOL XTPIsPngData(const BYTE* pData, size_t nSize);
// A top-down 32-bit DIB with straight alpha, or null.
HBITMAP XTPDecodePngData(const BYTE* pData, size_t nSize, BOOL* pbAlpha);
// The whole file (at most 64 MB).
BOOL XTPReadFileBytes(LPCSTR lpszFileName, CByteArrayBuffer& data);
// The locked data of a resource.
BOOL XTPGetResourceData(HMODULE hModule, LPCSTR lpszName, LPCSTR lpszType, const BYTE*& pData, size_t& nSize);

class CXTPImageHandle;
// One icon image (a resource of type RT_ICON or a .ico entry): PNG data and 32-bit images become
// alpha bitmaps (the AND mask ignored), other depths icons made by the system at cx x cy. FALSE
// (handle left empty) for data that does not hold a whole image.
BOOL XTPHandleFromIconImage(const BYTE* pData, size_t nSize, int cx, int cy, CXTPImageHandle& handle);

// A group-icon directory entry.
struct XTP_GROUP_ICON_ENTRY
{
    int nWidth;
    int nHeight;
    WORD nID;
};
// The entries of a group-icon resource; FALSE when the directory does not fit the data.
BOOL XTPParseGroupIcon(const BYTE* pData, size_t nSize, std::vector<XTP_GROUP_ICON_ENTRY>& entries);
