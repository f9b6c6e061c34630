#include "ui/controls/OffScreenDeviceContext.h"

#include <algorithm>

COffScreenDeviceContext::~COffScreenDeviceContext()
{
    Release();
}

bool COffScreenDeviceContext::Create()
{
    Release();
    if (!m_window || !::IsWindow(m_window))
        return false;
    ::GetClientRect(m_window, &m_area);
    HDC windowDC = ::GetDC(m_window);
    if (!windowDC)
        return false;
    m_memoryDC = ::CreateCompatibleDC(windowDC);
    if (m_memoryDC)
    {
        // A bitmap of at least one pixel, so that an empty window still gets a usable DC.
        const int width = std::max(1, GetWidth());
        const int height = std::max(1, GetHeight());
        m_bitmap = ::CreateCompatibleBitmap(windowDC, width, height);
        if (m_bitmap)
            m_previousBitmap = ::SelectObject(m_memoryDC, m_bitmap);
        else
        {
            ::DeleteDC(m_memoryDC);
            m_memoryDC = nullptr;
        }
    }
    ::ReleaseDC(m_window, windowDC);
    return m_memoryDC != nullptr;
}

HDC COffScreenDeviceContext::GetDC()
{
    if (!m_memoryDC)
        Create();
    return m_memoryDC;
}

bool COffScreenDeviceContext::Release()
{
    if (!m_memoryDC && !m_bitmap)
        return false;
    if (m_memoryDC && m_previousBitmap)
        ::SelectObject(m_memoryDC, m_previousBitmap);
    if (m_bitmap)
        ::DeleteObject(m_bitmap);
    if (m_memoryDC)
        ::DeleteDC(m_memoryDC);
    m_memoryDC = nullptr;
    m_bitmap = nullptr;
    m_previousBitmap = nullptr;
    return true;
}

void COffScreenDeviceContext::FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    if (!dc)
        return;
    HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
    HBRUSH brush = ::CreateSolidBrush(colour);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    HGDIOBJ oldBrush = ::SelectObject(dc, brush);
    ::Rectangle(dc, left, top, right, bottom);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(pen);
    ::DeleteObject(brush);
}

bool COffScreenDeviceContext::Fill(bool gradient)
{
    if (!m_memoryDC)
        return false;
    const int width = GetWidth();
    const int height = GetHeight();
    if (!gradient)
    {
        FillSolid(m_memoryDC, 0, 0, width, height, m_background);
        return true;
    }
    if (height < 1)
        return false;
    const int red = GetRValue(m_background), green = GetGValue(m_background), blue = GetBValue(m_background);
    const double step = (255 - std::min(red, std::min(green, blue))) / static_cast<double>(height);
    bool drawn = false;
    for (int i = 0; i < height; ++i)
    {
        const int d = static_cast<int>(i * step);
        HPEN pen = ::CreatePen(
            PS_SOLID, 1, RGB(std::min(red + d, 255), std::min(green + d, 255), std::min(blue + d, 255)));
        HGDIOBJ oldPen = ::SelectObject(m_memoryDC, pen);
        ::MoveToEx(m_memoryDC, 0, i, nullptr);
        ::LineTo(m_memoryDC, width, i);
        ::SelectObject(m_memoryDC, oldPen);
        ::DeleteObject(pen);
        drawn = true;
    }
    return drawn;
}
