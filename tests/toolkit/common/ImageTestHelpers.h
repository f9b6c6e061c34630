// Helpers of the image tests: resource bytes, temporary files, 32-bit DIBs to draw on and
// probe, and bitmaps made from pixel functions. Pixels are DWORDs 0xAARRGGBB (bytes B, G, R, A).
#pragma once

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace imgtest
{
inline std::vector<BYTE> ResourceBytes(LPCSTR lpszName, LPCSTR lpszType)
{
    HMODULE hModule = ::GetModuleHandleA(nullptr);
    HRSRC hRes = ::FindResourceA(hModule, lpszName, lpszType);
    if (!hRes)
        return {};
    const BYTE* p = static_cast<const BYTE*>(::LockResource(::LoadResource(hModule, hRes)));
    return std::vector<BYTE>(p, p + ::SizeofResource(hModule, hRes));
}

// A file in the temporary folder holding the bytes; removed by the destructor.
class TempFile
{
public:
    TempFile(const std::vector<BYTE>& data, LPCSTR lpszSuffix)
    {
        char dir[MAX_PATH], name[MAX_PATH];
        ::GetTempPathA(MAX_PATH, dir);
        ::GetTempFileNameA(dir, "img", 0, name);
        ::DeleteFileA(name);
        m_path = std::string(name) + lpszSuffix;
        HANDLE h = ::CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        if (!data.empty())
            ::WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &n, nullptr);
        ::CloseHandle(h);
    }
    ~TempFile() { ::DeleteFileA(m_path.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    LPCSTR Path() const { return m_path.c_str(); }

private:
    std::string m_path;
};

// Every pixel of a bitmap, top row first, read as 32 bits per pixel.
inline std::vector<DWORD> ReadPixels(HBITMAP hBitmap, int* pcx = nullptr, int* pcy = nullptr)
{
    BITMAP bm;
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof(bm), &bm))
        return {};
    int cy = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(bm.bmWidth) * cy);
    HDC hdc = ::GetDC(nullptr);
    ::GetDIBits(hdc, hBitmap, 0, cy, pixels.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdc);
    if (pcx)
        *pcx = bm.bmWidth;
    if (pcy)
        *pcy = cy;
    return pixels;
}

// A bottom-up 32-bit DIB section whose pixel (x, y) (top-down coordinates) is fn(x, y).
inline HBITMAP MakeBitmap(int cx, int cy, const std::function<DWORD(int, int)>& fn)
{
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pv = nullptr;
    HBITMAP h = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pv, nullptr, 0);
    DWORD* p = static_cast<DWORD*>(pv);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            p[(cy - 1 - y) * cx + x] = fn(x, y);
    return h;
}

inline HBITMAP MakeSolidBitmap(int cx, int cy, DWORD argb)
{
    return MakeBitmap(cx, cy, [argb](int, int) { return argb; });
}

// An icon of cx x cy from colour pixels fn(x, y) (alpha byte kept) and a mask (TRUE: transparent).
inline HICON MakeIcon(int cx, int cy, const std::function<DWORD(int, int)>& fn,
                      const std::function<bool(int, int)>& transparent = nullptr)
{
    // Transparent pixels are black in the colour image, so they leave what is below unchanged.
    HBITMAP hColor = MakeBitmap(cx, cy, [&](int x, int y) { return transparent && transparent(x, y) ? 0u : fn(x, y); });
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, nullptr);
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, hMask);
    ::PatBlt(hdc, 0, 0, cx, cy, BLACKNESS);
    if (transparent)
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
                if (transparent(x, y))
                    ::SetPixelV(hdc, x, y, RGB(255, 255, 255));
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ICONINFO ii = {TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}

// A top-down 32-bit DIB selected into a memory DC, to draw on and probe.
class Canvas
{
public:
    Canvas(int cx, int cy, DWORD fill = 0xFFFFFFFF) : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO bmi;
        std::memset(&bmi, 0, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* pv = nullptr;
        m_hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pv, nullptr, 0);
        m_pBits = static_cast<DWORD*>(pv);
        m_hDC = ::CreateCompatibleDC(nullptr);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        Fill(fill);
    }
    ~Canvas()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteDC(m_hDC);
        ::DeleteObject(m_hBitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC DC() const { return m_hDC; }
    void Fill(DWORD argb)
    {
        ::GdiFlush();
        for (int i = 0; i < m_cx * m_cy; i++)
            m_pBits[i] = argb;
    }
    DWORD At(int x, int y) const
    {
        ::GdiFlush();
        return m_pBits[y * m_cx + x];
    }
    // Colour only (alpha byte dropped).
    DWORD Rgb(int x, int y) const { return At(x, y) & 0x00FFFFFF; }
    void Set(int x, int y, DWORD argb)
    {
        ::GdiFlush();
        m_pBits[y * m_cx + x] = argb;
    }

private:
    int m_cx, m_cy;
    HBITMAP m_hBitmap;
    DWORD* m_pBits;
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

inline int Channel(DWORD argb, int shift)
{
    return static_cast<int>((argb >> shift) & 0xFF);
}

// All four channels of two pixels differ by at most nTolerance.
inline bool Near(DWORD a, DWORD b, int nTolerance)
{
    for (int s = 0; s < 32; s += 8)
    {
        int d = Channel(a, s) - Channel(b, s);
        if (d < -nTolerance || d > nTolerance)
            return false;
    }
    return true;
}
} // namespace imgtest

#include "framework/Archive.h"
#include "framework/MemFile.h"
#include "toolkit/common/images/XTPImageManager.h"

#include <cstdlib>

namespace imgtest
{
// The pixels of an image, wherever it is held: an alpha image's premultiplied pixels, an icon's
// colour bitmap. Top row first.
inline std::vector<DWORD> HandlePixels(const CXTPImageHandle& handle)
{
    CXTPImageHandle copy;
    copy.Copy(handle);
    if (copy.GetBitmap())
        return ReadPixels(copy.GetBitmap());
    ICONINFO ii;
    if (!copy.GetIcon() || !::GetIconInfo(copy.GetIcon(), &ii))
        return {};
    std::vector<DWORD> pixels = ReadPixels(ii.hbmColor);
    if (ii.hbmColor)
        ::DeleteObject(ii.hbmColor);
    ::DeleteObject(ii.hbmMask);
    return pixels;
}

// The bytes an object writes to an archive (an icon record, a whole manager).
inline std::vector<BYTE> StoreObject(CObject* pObject)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pObject->Serialize(ar);
        ar.Close();
    }
    UINT nLength = static_cast<UINT>(file.GetLength());
    BYTE* p = file.Detach();
    std::vector<BYTE> data(p, p + nLength);
    std::free(p);
    return data;
}
} // namespace imgtest
