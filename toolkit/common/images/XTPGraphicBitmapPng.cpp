#include "toolkit/common/images/XTPGraphicBitmapPng.h"

#include "framework/MemFile.h"

#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

namespace
{
const int kSignatureSize = 8;

// Everything the decoder keeps lives here, not in locals of the function that calls setjmp: a
// longjmp back into it must find every pointer as it was last stored.
struct PngDecodeState
{
    CFile* pFile;
    bool bReadFailed;
    png_structp png;
    png_infop info;
    png_bytep pRows;      // all rows in one block
    png_bytepp ppRows;    // row pointers into pRows
    png_uint_32 nWidth;
    png_uint_32 nHeight;
    size_t nRowBytes;
    int nChannels;
};

// libpng reads through the file object. No C++ exception may unwind through libpng's frames, so a
// failed or short read is turned into png_error (a longjmp back to the decoder) outside any
// catch block.
void PNGCBAPI ReadFromFile(png_structp png, png_bytep pData, png_size_t nLength)
{
    PngDecodeState* pState = static_cast<PngDecodeState*>(png_get_io_ptr(png));
    bool bOk = false;
    try
    {
        UINT nRead = nLength > 0xFFFFFFFFu ? 0 : pState->pFile->Read(pData, static_cast<UINT>(nLength));
        bOk = nRead == nLength;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    if (!bOk)
    {
        pState->bReadFailed = true;
        png_error(png, "unexpected end of PNG data");
    }
}

void PNGCBAPI OnPngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void PNGCBAPI OnPngWarning(png_structp, png_const_charp)
{
}

// Decodes the rows after the signature (already read). Returns false on any libpng error; the
// structures and rows are released by the caller in every case.
bool DecodeRows(PngDecodeState* pState)
{
    pState->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, pState, OnPngError, OnPngWarning);
    if (!pState->png)
        return false;
    pState->info = png_create_info_struct(pState->png);
    if (!pState->info)
        return false;

    if (setjmp(png_jmpbuf(pState->png)))
        return false;

    png_structp png = pState->png;
    png_infop info = pState->info;
    png_set_read_fn(png, pState, ReadFromFile);
    png_set_user_limits(png, CXTPGraphicBitmapPng::nMaxDimension, CXTPGraphicBitmapPng::nMaxDimension);
    png_set_chunk_malloc_max(png, 8 * 1024 * 1024);
    png_set_sig_bytes(png, kSignatureSize);
    png_read_info(png, info);

    png_uint_32 nWidth = 0, nHeight = 0;
    int nBitDepth = 0, nColorType = 0;
    png_get_IHDR(png, info, &nWidth, &nHeight, &nBitDepth, &nColorType, nullptr, nullptr, nullptr);

    if (nBitDepth == 16)
        png_set_strip_16(png);
    if (nColorType == PNG_COLOR_TYPE_PALETTE || nBitDepth < 8 || png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_expand(png);
    if (nColorType == PNG_COLOR_TYPE_GRAY || nColorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_color_16p pBackground = nullptr;
    if (png_get_bKGD(png, info, &pBackground) && pBackground)
        png_set_background(png, pBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
    double dGamma = 0;
    if (png_get_gAMA(png, info, &dGamma) && dGamma > 0)
        png_set_gamma(png, 2.2, dGamma);
    png_set_interlace_handling(png);

    png_read_update_info(png, info);
    png_get_IHDR(png, info, &nWidth, &nHeight, &nBitDepth, &nColorType, nullptr, nullptr, nullptr);
    pState->nRowBytes = png_get_rowbytes(png, info);
    pState->nChannels = png_get_channels(png, info);
    pState->nWidth = nWidth;
    pState->nHeight = nHeight;

    // The header's size is checked against the limits before any pixel memory is taken.
    if (nWidth == 0 || nHeight == 0 || nWidth > static_cast<png_uint_32>(CXTPGraphicBitmapPng::nMaxDimension) ||
        nHeight > static_cast<png_uint_32>(CXTPGraphicBitmapPng::nMaxDimension) || nBitDepth != 8 ||
        (pState->nChannels != 3 && pState->nChannels != 4) ||
        pState->nRowBytes < static_cast<size_t>(nWidth) * pState->nChannels)
        png_error(png, "unsupported PNG layout");
    if (pState->nRowBytes > CXTPGraphicBitmapPng::nMaxImageBytes / nHeight ||
        static_cast<size_t>(nWidth) * 4 > CXTPGraphicBitmapPng::nMaxImageBytes / nHeight)
        png_error(png, "PNG image too large");

    pState->pRows = static_cast<png_bytep>(std::malloc(pState->nRowBytes * nHeight));
    pState->ppRows = static_cast<png_bytepp>(std::malloc(sizeof(png_bytep) * nHeight));
    if (!pState->pRows || !pState->ppRows)
        png_error(png, "out of memory");
    for (png_uint_32 y = 0; y < nHeight; y++)
        pState->ppRows[y] = pState->pRows + y * pState->nRowBytes;

    png_read_image(png, pState->ppRows);
    png_read_end(png, nullptr);
    return true;
}

// A top-down 32-bit DIB section from the decoded rows.
HBITMAP CreateTopDownDib(const PngDecodeState& state)
{
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = static_cast<LONG>(state.nWidth);
    bmi.bmiHeader.biHeight = -static_cast<LONG>(state.nHeight);
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pvBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pvBits, nullptr, 0);
    if (!hBitmap || !pvBits)
    {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        return nullptr;
    }
    BYTE* pDst = static_cast<BYTE*>(pvBits);
    const int nChannels = state.nChannels;
    for (png_uint_32 y = 0; y < state.nHeight; y++)
    {
        const BYTE* pSrc = state.ppRows[y];
        for (png_uint_32 x = 0; x < state.nWidth; x++, pSrc += nChannels, pDst += 4)
        {
            pDst[0] = pSrc[2];
            pDst[1] = pSrc[1];
            pDst[2] = pSrc[0];
            pDst[3] = nChannels == 4 ? pSrc[3] : 0;
        }
    }
    return hBitmap;
}
} // namespace

CXTPGraphicBitmapPng::CXTPGraphicBitmapPng() : m_bAlpha(FALSE)
{
}

BOOL CXTPGraphicBitmapPng::LoadFromFile(LPCSTR lpszFileName)
{
    CFile file;
    if (!lpszFileName || !file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    return LoadFromStream(&file);
}

BOOL CXTPGraphicBitmapPng::LoadFromResource(HMODULE hModule, HRSRC hResource)
{
    if (!hResource)
        return FALSE;
    DWORD nSize = ::SizeofResource(hModule, hResource);
    if (nSize <= 9)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hModule, hResource);
    BYTE* pData = hGlobal ? static_cast<BYTE*>(::LockResource(hGlobal)) : nullptr;
    if (!pData)
        return FALSE;
    // A file without growth never writes to the memory it reads.
    CMemFile file(pData, nSize, 0);
    return LoadFromStream(&file);
}

BOOL CXTPGraphicBitmapPng::LoadFromStream(CFile* pFile)
{
    DeleteObject();
    m_bAlpha = FALSE;
    if (!pFile)
        return FALSE;

    BYTE signature[kSignatureSize];
    try
    {
        if (pFile->Read(signature, kSignatureSize) != kSignatureSize)
            return FALSE;
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
    if (png_sig_cmp(signature, 0, kSignatureSize) != 0)
        return FALSE;

    PngDecodeState state;
    std::memset(&state, 0, sizeof(state));
    state.pFile = pFile;
    bool bDecoded = DecodeRows(&state);
    HBITMAP hBitmap = bDecoded ? CreateTopDownDib(state) : nullptr;

    if (state.png)
        png_destroy_read_struct(&state.png, state.info ? &state.info : nullptr, nullptr);
    std::free(state.ppRows);
    std::free(state.pRows);

    if (!hBitmap)
        return FALSE;
    Attach(hBitmap);
    m_bAlpha = state.nChannels == 4;
    return TRUE;
}
