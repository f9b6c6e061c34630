#include "ui/controls/QuorvexgressIndicator.h"

#include <algorithm>

#include "framework/DC.h"
#include "framework/MessageMap.h"

BEGIN_MESSAGE_MAP(CQuorvexgressIndicator, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

COLORREF CQuorvexgressIndicator::LightColour(COLORREF base)
{
    return RGB(std::min(GetRValue(base) + 175, 255), std::min(GetGValue(base) + 175, 255),
               std::min(GetBValue(base) + 175, 255));
}

CQuorvexgressIndicator::CQuorvexgressIndicator()
    : m_lightColour(LightColour(kDefaultColour)), m_baseColour(kDefaultColour)
{
    Reset();
}

void CQuorvexgressIndicator::Refresh()
{
    if (m_hWnd)
    {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void CQuorvexgressIndicator::Reset()
{
    m_baseColour = kDefaultColour;
    m_lightColour = LightColour(m_baseColour);
    Refresh();
    m_minimum = 0;
    m_maximum = 0;
    m_position = 0;
    Refresh();
}

void CQuorvexgressIndicator::SetColor(COLORREF colour)
{
    m_baseColour = colour;
    m_lightColour = LightColour(colour);
    Refresh();
}

void CQuorvexgressIndicator::SetPos(int position)
{
    m_position = position;
    Refresh();
}

int CQuorvexgressIndicator::GetFilledWidth(int clientWidth) const
{
    if (m_position < m_minimum || m_maximum < m_position || m_maximum <= 0 || m_maximum < m_minimum)
        return 0;
    // The part of the range already covered (measured from the minimum, so that a range that does not start
    // at 0 still fills the bar exactly at its maximum). An empty range with the position on it is full.
    if (m_maximum == m_minimum)
        return clientWidth > 0 ? clientWidth : 0;
    const int width = static_cast<int>(static_cast<double>(m_position - m_minimum) /
                                       static_cast<double>(m_maximum - m_minimum) * clientWidth);
    return width < 0 ? 0 : width;
}

void CQuorvexgressIndicator::DrawBar(HDC dc, const RECT& client)
{
    if (!dc)
        return;
    m_clientRect = client;
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int innerHeight = client.bottom - (client.top + 1);
    const int innerWidth = client.right - (client.left + 1);
    const int filled = std::min(GetFilledWidth(width), innerWidth);

    // Background and frame.
    HPEN facePen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
    HBRUSH faceBrush = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    HGDIOBJ oldPen = ::SelectObject(dc, facePen);
    HGDIOBJ oldBrush = ::SelectObject(dc, faceBrush);
    ::Rectangle(dc, 0, 0, width, height);
    HPEN framePen = ::CreatePen(PS_SOLID, 1, kFrameColour);
    ::SelectObject(dc, framePen);
    ::SelectObject(dc, ::GetStockObject(HOLLOW_BRUSH));
    ::Rectangle(dc, 0, 0, width, height);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(facePen);
    ::DeleteObject(faceBrush);
    ::DeleteObject(framePen);

    if (filled <= 0 || innerHeight <= 1 || height <= 0)
        return;
    const int light[3] = {GetRValue(m_lightColour), GetGValue(m_lightColour), GetBValue(m_lightColour)};
    const int base[3] = {GetRValue(m_baseColour), GetGValue(m_baseColour), GetBValue(m_baseColour)};
    double step[3];
    for (int c = 0; c < 3; ++c)
        step[c] = (light[c] - base[c]) / static_cast<double>(height);
    for (int y = 1; y < innerHeight; ++y)
    {
        int channel[3];
        for (int c = 0; c < 3; ++c)
            channel[c] = std::min(light[c], base[c] + static_cast<int>((height - y) * step[c]));
        HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(channel[0], channel[1], channel[2]));
        HGDIOBJ previous = ::SelectObject(dc, pen);
        ::MoveToEx(dc, 1, y, nullptr);
        ::LineTo(dc, filled, y);
        ::SelectObject(dc, previous);
        ::DeleteObject(pen);
    }
}

void CQuorvexgressIndicator::OnPaint()
{
    RECT client;
    GetClientRect(&client);
    CDC* windowDC = GetDC();
    if (windowDC)
    {
        HDC target = windowDC->GetSafeHdc();
        const int width = std::max(1, static_cast<int>(client.right - client.left));
        const int height = std::max(1, static_cast<int>(client.bottom - client.top));
        HDC memory = ::CreateCompatibleDC(target);
        HBITMAP bitmap = memory ? ::CreateCompatibleBitmap(target, width, height) : nullptr;
        if (bitmap)
        {
            HGDIOBJ previous = ::SelectObject(memory, bitmap);
            DrawBar(memory, client);
            ::BitBlt(target, client.left, client.top, width, height, memory, 0, 0, SRCCOPY);
            ::SelectObject(memory, previous);
            ::DeleteObject(bitmap);
        }
        if (memory)
            ::DeleteDC(memory);
        ReleaseDC(windowDC);
    }
    ValidateRect(nullptr);
}
