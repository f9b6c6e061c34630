// A 32-bit memory drawing surface for pixel probes: a top-down DIB section selected into a memory DC.
#pragma once

#include <windows.h>

namespace qvx_test
{
// A top-down 32-bit DIB section selected into a memory DC; Pixel reads back as COLORREF.
class CMemorySurface
{
public:
    // What every pixel holds when the surface is made.
    static constexpr COLORREF kInitialColour = RGB(1, 2, 3);

    CMemorySurface(int width, int height) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = ::CreateCompatibleDC(nullptr);
        m_bitmap =
            ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_previous = ::SelectObject(m_dc, m_bitmap);
        Clear(kInitialColour);
    }
    ~CMemorySurface()
    {
        ::SelectObject(m_dc, m_previous);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    CMemorySurface(const CMemorySurface&) = delete;
    CMemorySurface& operator=(const CMemorySurface&) = delete;

    HDC DC() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    bool IsValid() const { return m_bits != nullptr; }
    void Clear(COLORREF colour)
    {
        ::GdiFlush();
        for (int i = 0; i < m_width * m_height; ++i)
            m_bits[i] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    }
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        const DWORD v = m_bits[y * m_width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // The alpha byte of a pixel (a plain GDI fill leaves it 0).
    BYTE Alpha(int x, int y) const
    {
        ::GdiFlush();
        return static_cast<BYTE>(m_bits[y * m_width + x] >> 24);
    }
    // The pixels of another colour than the one given.
    int CountOtherThan(COLORREF colour) const
    {
        int count = 0;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                count += Pixel(x, y) != colour;
        return count;
    }

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    DWORD* m_bits = nullptr;
};
} // namespace qvx_test
