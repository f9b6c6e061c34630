#include "tests/e2e/E2eToolbarPixels.h"

#include "tests/common/MemorySurface.h"

#include <cstdlib>
#include <cstring>

namespace qvx_e2e
{
namespace
{
// The buttons of toolbar 5001 in order (separators left out): one strip cell each.
const int kCommandsInOrder[] = {4003, 4004, 4005, 4001, 4002, 4000, 9};
const UINT kStripIds[3] = {1002, 1003, 1004};
const COLORREF kWhite = RGB(255, 255, 255);

// Copies a width x height picture from a DC into pixels, row by row.
void CopyPixels(HDC source, int x, int y, int width, int height, std::vector<COLORREF>& pixels)
{
    qvx_test::CMemorySurface surface(width, height);
    ::BitBlt(surface.DC(), 0, 0, width, height, source, x, y, SRCCOPY);
    pixels.resize(static_cast<size_t>(width) * height);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            pixels[static_cast<size_t>(row) * width + column] = surface.Pixel(column, row);
}

bool Near(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= 4 && std::abs(GetGValue(a) - GetGValue(b)) <= 4 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 4;
}
} // namespace

const char* DescribeLook(ButtonLook look)
{
    switch (look)
    {
    case ButtonLook::Normal:
        return "normal";
    case ButtonLook::Disabled:
        return "disabled";
    case ButtonLook::Hot:
        return "hot";
    default:
        return "missing";
    }
}

bool CToolbarPixels::Load(const std::string& programPath)
{
    HMODULE program = ::LoadLibraryExA(programPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!program)
        return false;
    bool ok = true;
    for (int s = 0; s < 3 && ok; ++s)
    {
        HBITMAP strip = static_cast<HBITMAP>(
            ::LoadImageA(program, MAKEINTRESOURCEA(kStripIds[s]), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        BITMAP info = {};
        ok = strip && ::GetObjectA(strip, sizeof info, &info) && info.bmHeight == kCell &&
             info.bmWidth >= kCell * static_cast<int>(sizeof kCommandsInOrder / sizeof kCommandsInOrder[0]);
        if (ok)
        {
            HDC memory = ::CreateCompatibleDC(nullptr);
            HGDIOBJ old = ::SelectObject(memory, strip);
            CopyPixels(memory, 0, 0, info.bmWidth, info.bmHeight, m_strips[s]);
            ::SelectObject(memory, old);
            ::DeleteDC(memory);
            m_stripWidth = info.bmWidth;
        }
        if (strip)
            ::DeleteObject(strip);
    }
    ::FreeLibrary(program);
    return ok;
}

namespace
{
BOOL CALLBACK FindToolBarChild(HWND child, LPARAM param)
{
    char name[64] = {};
    ::GetClassNameA(child, name, sizeof name);
    if (strcmp(name, "XTPToolBar") == 0 && ::IsWindowVisible(child))
    {
        *reinterpret_cast<HWND*>(param) = child;
        return FALSE;
    }
    return TRUE;
}
} // namespace

HWND CToolbarPixels::FindToolBar(HWND mainDialog)
{
    HWND found = nullptr;
    ::EnumChildWindows(mainDialog, FindToolBarChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

int CToolbarPixels::CellOf(int command)
{
    for (int i = 0; i < static_cast<int>(sizeof kCommandsInOrder / sizeof kCommandsInOrder[0]); ++i)
    {
        if (kCommandsInOrder[i] == command)
            return i;
    }
    return -1;
}

bool CToolbarPixels::CaptureBar(HWND bar, std::vector<COLORREF>& pixels, int& width, int& height) const
{
    RECT client;
    if (!::GetClientRect(bar, &client) || client.right < kCell || client.bottom < kCell)
        return false;
    width = client.right;
    height = client.bottom;
    POINT origin = {0, 0};
    ::ClientToScreen(bar, &origin);
    // Another program's window may lie over ours: raise ours and make sure the bar is what the screen shows
    // at its corners.
    ::SetWindowPos(::GetAncestor(bar, GA_ROOT), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const POINT corners[] = {{origin.x + 1, origin.y + 1}, {origin.x + width - 2, origin.y + height - 2}};
    for (const POINT& corner : corners)
    {
        if (::WindowFromPoint(corner) != bar)
            return false;
    }
    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return false;
    CopyPixels(screen, origin.x, origin.y, width, height, pixels);
    ::ReleaseDC(nullptr, screen);
    return true;
}

bool CToolbarPixels::Matches(const std::vector<COLORREF>& pixels, int width, int x, int y, int state,
                             int cell) const
{
    // The white background of a cell may be drawn transparent: only the icon's own pixels count.
    int compared = 0;
    for (int cy = 0; cy < kCell; ++cy)
    {
        for (int cx = 0; cx < kCell; ++cx)
        {
            const COLORREF want = m_strips[state][static_cast<size_t>(cy) * m_stripWidth + cell * kCell + cx];
            if (want == kWhite)
                continue;
            if (!Near(pixels[static_cast<size_t>(y + cy) * width + x + cx], want))
                return false;
            ++compared;
        }
    }
    return compared > 0;
}

ButtonLook CToolbarPixels::Look(HWND bar, int command, POINT* at) const
{
    const int cell = CellOf(command);
    if (cell < 0 || m_stripWidth == 0 || !bar)
        return ButtonLook::Missing;
    std::vector<COLORREF> pixels;
    int width = 0, height = 0;
    if (!CaptureBar(bar, pixels, width, height))
        return ButtonLook::Missing;
    const ButtonLook looks[3] = {ButtonLook::Normal, ButtonLook::Disabled, ButtonLook::Hot};
    for (int y = 0; y + kCell <= height; ++y)
    {
        for (int x = 0; x + kCell <= width; ++x)
        {
            for (int state = 0; state < 3; ++state)
            {
                if (Matches(pixels, width, x, y, state, cell))
                {
                    if (at)
                        *at = {x, y};
                    return looks[state];
                }
            }
        }
    }
    return ButtonLook::Missing;
}
bool CToolbarPixels::FaceShowsAtCorners(HWND bar, POINT at, std::string* why) const
{
    std::vector<COLORREF> pixels;
    int width = 0, height = 0;
    if (!CaptureBar(bar, pixels, width, height) || at.x < 1 || at.y < 1 || at.x + kCell >= width ||
        at.y + kCell >= height)
    {
        if (why)
            *why = "the bar cannot be seen around the icon";
        return false;
    }
    auto pixel = [&](int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; };
    // Each corner of the picture area and the face pixel diagonally outside it.
    const struct
    {
        int x, y, outX, outY;
    } corners[] = {{0, 0, -1, -1}, {kCell - 1, 0, kCell, -1}, {0, kCell - 1, -1, kCell}, {kCell - 1, kCell - 1, kCell, kCell}};
    for (const auto& c : corners)
    {
        const COLORREF inside = pixel(at.x + c.x, at.y + c.y);
        const COLORREF face = pixel(at.x + c.outX, at.y + c.outY);
        if (inside == kWhite || inside != face)
        {
            if (why)
            {
                char text[160];
                snprintf(text, sizeof text, "corner (%d,%d) is %06lX, the face beside it %06lX", c.x, c.y,
                         static_cast<unsigned long>(inside), static_cast<unsigned long>(face));
                *why = text;
            }
            return false;
        }
    }
    return true;
}
} // namespace qvx_e2e
