// CXTPGraphicBitmapPng: a bitmap decoded from PNG data (a file, a resource or any readable file
// object) with libpng. The result is a top-down 32-bit DIB section, bytes blue, green, red, alpha
// per pixel, with straight (not premultiplied) alpha; images without an alpha channel get alpha 0.
#pragma once

#include "framework/File.h"
#include "framework/GdiObject.h"

class CXTPGraphicBitmapPng : public CBitmap
{
public:
    // Images wider or taller than this are refused before any pixel memory is taken.
    static const int nMaxDimension = 16384;
    // Upper bound of the decoded rows (rows x row bytes) and of the DIB, in bytes.
    static const size_t nMaxImageBytes = 64u * 1024u * 1024u;

    CXTPGraphicBitmapPng();

    // FALSE when the file cannot be opened or does not decode.
    BOOL LoadFromFile(LPCSTR lpszFileName);
    // The resource must exist and hold more than 9 bytes.
    BOOL LoadFromResource(HMODULE hModule, HRSRC hResource);
    // Decodes from the file's current position. The bitmap held before is deleted in every case;
    // on success the new one replaces it and IsAlpha tells whether the image had four channels.
    BOOL LoadFromStream(CFile* pFile);

    // The decoded image had an alpha channel.
    BOOL IsAlpha() const { return m_bAlpha; }

protected:
    BOOL m_bAlpha;
};
