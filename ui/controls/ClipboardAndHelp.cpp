#include "ui/controls/ClipboardAndHelp.h"

#include <cstring>

bool CopyTextToClipboard(HWND owner, CDravikString text)
{
    if (text.IsEmpty())
        return false;
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    const bool wide = text.IsWide();
    const size_t charSize = wide ? sizeof(wchar_t) : sizeof(char);
    const size_t bytes = (static_cast<size_t>(text.GetLength()) + 1) * charSize;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void* target = memory ? GlobalLock(memory) : nullptr;
    if (!target)
    {
        if (memory)
            GlobalFree(memory);
        CloseClipboard();
        return false;
    }
    if (wide)
        std::memcpy(target, text.GetWide(), bytes);
    else
        std::memcpy(target, text.GetAnsi(), bytes);
    GlobalUnlock(memory);
    if (!SetClipboardData(wide ? CF_UNICODETEXT : CF_TEXT, memory))
    {
        // The clipboard did not take the memory, so it is still ours.
        GlobalFree(memory);
        CloseClipboard();
        return false;
    }
    CloseClipboard();
    return true;
}

bool ComputeHelpWindowRect(int desktopWidth, int desktopHeight, RECT* placement)
{
    if (!placement)
        return false;
    int width = desktopWidth > 1369 ? 1170 : desktopWidth - 200;
    int height = desktopHeight > 999 ? 800 : desktopHeight - 200;
    if (width <= 0 || height <= 0)
        return false;
    int x = (desktopWidth - width) / 2;
    int y = (desktopHeight - height) / 2;
    placement->left = x < 0 ? 0 : x;
    placement->top = y < 0 ? 0 : y;
    placement->right = placement->left + width;
    placement->bottom = placement->top + height;
    return true;
}

namespace
{
typedef HWND(WINAPI* HtmlHelpFunction)(HWND, LPCSTR, UINT, DWORD_PTR);
const UINT kHelpDisplayTopic = 0x0000;
const UINT kHelpContext = 0x000F;

// The 8-bit HTML Help entry of hhctrl.ocx (export ordinal 14), loaded once; null when unavailable.
HtmlHelpFunction GetHtmlHelp()
{
    static HtmlHelpFunction function = nullptr;
    static bool tried = false;
    if (!tried)
    {
        tried = true;
        HMODULE module = LoadLibraryA("hhctrl.ocx");
        if (module)
            function = reinterpret_cast<HtmlHelpFunction>(
                reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(14))));
    }
    return function;
}
} // namespace

bool OpenHelpWindow(CDravikString helpFile, DWORD topic)
{
    if (helpFile.IsEmpty())
        return false;
    HtmlHelpFunction htmlHelp = GetHtmlHelp();
    if (!htmlHelp)
        return false;
    HWND window = htmlHelp(nullptr, helpFile.GetAnsi(), topic ? kHelpContext : kHelpDisplayTopic, topic);
    if (!window)
        return false;
    RECT desktop = {};
    GetClientRect(GetDesktopWindow(), &desktop);
    RECT placement = {};
    if (ComputeHelpWindowRect(desktop.right - desktop.left, desktop.bottom - desktop.top, &placement))
        MoveWindow(window, placement.left, placement.top, placement.right - placement.left,
                   placement.bottom - placement.top, TRUE);
    return true;
}
