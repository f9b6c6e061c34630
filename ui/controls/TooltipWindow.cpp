#include "ui/controls/TooltipWindow.h"

#include <algorithm>

#include "foundation/TimeUtilities.h"
#include "framework/MessageMap.h"
#include "ui/controls/DrawingUtilities.h"

namespace
{
typedef BOOL(WINAPI* SetLayeredWindowAttributesProc)(HWND, COLORREF, BYTE, DWORD);

SetLayeredWindowAttributesProc LayeredAttributes()
{
    static SetLayeredWindowAttributesProc proc = reinterpret_cast<SetLayeredWindowAttributesProc>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "SetLayeredWindowAttributes")));
    return proc;
}
} // namespace

BEGIN_MESSAGE_MAP(CTooltipWindow, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

CTooltipWindow::CTooltipWindow() : m_textColour(::GetSysColor(COLOR_INFOTEXT)) {}

CTooltipWindow::~CTooltipWindow()
{
    m_lines.clear();
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
}

bool CTooltipWindow::Create()
{
    if (!m_parent || !m_parent->m_hWnd)
        return false;
    static const char kClass[] = "QuorvexTooltipWindow";
    WNDCLASSA wc = {};
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = kClass;
    WNDCLASSA existing;
    if (!::GetClassInfoA(wc.hInstance, kClass, &existing))
        ::RegisterClassA(&wc);
    if (!CreateEx(WS_EX_LAYERED, kClass, "", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0,
                  m_parent->m_hWnd, nullptr))
        return false;
    SetOpacity(99);
    m_offScreen.SetWindow(m_hWnd);
    Show(false);
    return true;
}

bool CTooltipWindow::AddText(CDravikString text)
{
    const int length = text.GetLength();
    if (length < 1)
        return false;
    for (int start = 0; start < length; start += kLineLength)
        m_lines.push_back(text.SubString(start, std::min(start + kLineLength, length) - 1));
    return true;
}

bool CTooltipWindow::SetOpacity(int percent)
{
    if (percent < 10 || percent > 99 || !m_hWnd)
        return false;
    m_lastAlpha = AlphaForPercent(percent);
    if (SetLayeredWindowAttributesProc proc = LayeredAttributes())
        proc(m_hWnd, 0, static_cast<BYTE>(m_lastAlpha), LWA_ALPHA);
    return true;
}

bool CTooltipWindow::Show(bool show)
{
    if (!m_hWnd)
        return false;
    if (show)
    {
        const bool wasVisible = m_visible;
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        m_visible = true;
        if (m_fadeEnabled && !wasVisible)
            Fade(true);
    }
    else
    {
        if (m_fadeEnabled)
            Fade(false);
        ::ShowWindow(m_hWnd, SW_HIDE);
        m_visible = false;
        m_anchor = {0, 0};
    }
    return true;
}

bool CTooltipWindow::Fade(bool fadeIn)
{
    if (!m_visible || !m_hWnd || m_fadeDuration < 1)
        return false;
    const long long start = GetCurrentFileTime();
    const DWORD step = static_cast<DWORD>(m_fadeDuration / 89);
    long long elapsed = ElapsedMilliseconds(start, GetCurrentFileTime());
    while (elapsed < m_fadeDuration)
    {
        const double fraction = static_cast<double>(elapsed) / m_fadeDuration;
        const int percent = fadeIn ? 10 + static_cast<int>(89 * fraction) : 99 - static_cast<int>(89 * fraction);
        SetOpacity(percent);
        if (m_visible)
        {
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
            ::UpdateWindow(m_hWnd);
        }
        ::Sleep(step);
        elapsed = ElapsedMilliseconds(start, GetCurrentFileTime());
    }
    SetOpacity(fadeIn ? 99 : 10);
    return true;
}

const char* CTooltipWindow::FaceName() const
{
    for (const CDravikString& line : m_lines)
        if (line.HasNonAscii())
            return "MS Mincho";
    return "Tahoma";
}

HFONT CTooltipWindow::CreateTooltipFont() const
{
    LOGFONTA font = {};
    font.lfHeight = -11;
    font.lfWeight = 500;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynA(font.lfFaceName, FaceName(), LF_FACESIZE);
    return ::CreateFontIndirectA(&font);
}

SIZE CTooltipWindow::MeasureLines(HDC dc)
{
    SIZE total = {0, 0};
    for (CDravikString& line : m_lines)
    {
        if (line.IsEmpty())
        {
            total.cy += kEmptyLineHeight;
            continue;
        }
        SIZE size = {0, 0};
        if (line.IsWide())
            ::GetTextExtentPoint32W(dc, line.GetWide(), line.GetLength(), &size);
        else
            ::GetTextExtentPoint32A(dc, line.GetAnsi(), line.GetLength(), &size);
        total.cx = std::max(total.cx, size.cx);
        total.cy += size.cy;
    }
    return total;
}

bool CTooltipWindow::ShowAt(POINT anchor, bool above)
{
    if (!m_hWnd)
        return false;
    if (anchor.x == m_anchor.x && anchor.y == m_anchor.y)
    {
        if (m_visible)
        {
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
            ::UpdateWindow(m_hWnd);
        }
        return true;
    }
    m_offScreen.SetWindow(m_hWnd);
    if (!m_offScreen.Create())
        return false;
    m_anchor = anchor;
    HDC dc = m_offScreen.GetDC();
    HFONT font = CreateTooltipFont();
    HGDIOBJ previous = ::SelectObject(dc, font);
    const SIZE text = MeasureLines(dc);
    ::SelectObject(dc, previous);
    ::DeleteObject(font);
    m_offScreen.Release();
    const int width = GetWindowWidth(text.cx), height = text.cy + 10;
    const int top = above ? anchor.y - height : anchor.y;
    ::SetWindowPos(m_hWnd, nullptr, anchor.x, top, width, height, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOREDRAW);
    Show(true);
    ::BringWindowToTop(m_hWnd);
    return true;
}

void CTooltipWindow::OnPaint()
{
    if (!m_lines.empty() && m_parent && m_visible && m_hWnd)
    {
        ::BringWindowToTop(m_hWnd);
        m_offScreen.SetWindow(m_hWnd);
        if (m_offScreen.Create())
        {
            HDC dc = m_offScreen.GetDC();
            const int width = m_offScreen.GetWidth(), height = m_offScreen.GetHeight();
            HFONT font = CreateTooltipFont();
            HGDIOBJ previousFont = ::SelectObject(dc, font);
            ::SetTextColor(dc, m_textColour);
            // Background: white at the top to lavender at the bottom.
            double dr = 0, dg = 0, db = 0;
            ColourStep(std::max(height, 1), kTopColour, kBottomColour, &dr, &dg, &db);
            for (int i = 0; i < height; ++i)
            {
                HPEN pen = ::CreatePen(PS_SOLID, 1,
                                       GradientColourAt(height, kTopColour, kBottomColour, i, dr, dg, db));
                HGDIOBJ old = ::SelectObject(dc, pen);
                ::MoveToEx(dc, 0, i, nullptr);
                ::LineTo(dc, width, i);
                ::SelectObject(dc, old);
                ::DeleteObject(pen);
            }
            HPEN border = ::CreatePen(PS_SOLID, 1, kBorderColour);
            LOGBRUSH hollow = {BS_NULL, kBorderColour, 0};
            HBRUSH brush = ::CreateBrushIndirect(&hollow);
            HGDIOBJ previousPen = ::SelectObject(dc, border);
            HGDIOBJ previousBrush = ::SelectObject(dc, brush);
            ::RoundRect(dc, 0, 0, width, height, 8, 8);
            // The corners outside the curve.
            const int r = width - 1, b = height - 1;
            const POINT corners[4][5] = {{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {0, 2}},
                                         {{r, 0}, {r - 1, 0}, {r - 2, 0}, {r, 1}, {r, 2}},
                                         {{0, b}, {1, b}, {2, b}, {0, b - 1}, {0, b - 2}},
                                         {{r, b}, {r - 1, b}, {r - 2, b}, {r, b - 1}, {r, b - 2}}};
            for (const auto& corner : corners)
                for (const POINT& p : corner)
                    ::SetPixel(dc, p.x, p.y, RGB(255, 255, 255));
            ::SetBkMode(dc, TRANSPARENT);
            int y = 5;
            for (CDravikString& line : m_lines)
            {
                if (line.IsEmpty())
                {
                    y += kEmptyLineHeight;
                    continue;
                }
                SIZE size = {0, 0};
                if (line.IsWide())
                {
                    ::GetTextExtentPoint32W(dc, line.GetWide(), line.GetLength(), &size);
                    ::TextOutW(dc, 5, y, line.GetWide(), line.GetLength());
                }
                else
                {
                    ::GetTextExtentPoint32A(dc, line.GetAnsi(), line.GetLength(), &size);
                    ::TextOutA(dc, 5, y, line.GetAnsi(), line.GetLength());
                }
                y += size.cy;
            }
            HDC windowDC = ::GetDC(m_hWnd);
            if (windowDC)
            {
                ::BitBlt(windowDC, 0, 0, width, height, dc, 0, 0, SRCCOPY);
                ::ReleaseDC(m_hWnd, windowDC);
            }
            ::SelectObject(dc, previousFont);
            ::SelectObject(dc, previousPen);
            ::SelectObject(dc, previousBrush);
            ::DeleteObject(font);
            ::DeleteObject(border);
            ::DeleteObject(brush);
            m_offScreen.Release();
        }
    }
    if (m_hWnd)
        ::ValidateRect(m_hWnd, nullptr);
}
