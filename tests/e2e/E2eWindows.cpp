#include "tests/e2e/E2eWindows.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace qvx_e2e
{
namespace
{
// The file name box of the explorer-style dialog: a combo box with an edit, or the plain edit.
const int kFileNameCombo = 0x47C;
const int kFileNameEdit = 0x480;
// The static control that holds a message box's text.
const int kMessageBoxText = 0xFFFF;
// The longest wait for the other process to answer a sent message.
const UINT kSendTimeoutMs = 5000;

struct CEnumState
{
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    auto* state = reinterpret_cast<CEnumState*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == state->processId && ::IsWindowVisible(window))
        state->windows.push_back(window);
    return TRUE;
}
} // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD stepMs)
{
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        if (condition())
            return true;
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(stepMs);
    }
}

std::vector<HWND> ProcessWindows(DWORD processId)
{
    CEnumState state{processId, {}};
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&state));
    return state.windows;
}

std::string ClassName(HWND window)
{
    char name[128] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WindowText(HWND window)
{
    if (!window || !::IsWindow(window))
        return std::string();
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 2, '\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXT, static_cast<WPARAM>(buffer.size()),
                               reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               &copied))
        return std::string();
    return std::string(buffer.data(), static_cast<size_t>(copied));
}

std::string ControlText(HWND dialog, int id)
{
    return WindowText(::GetDlgItem(dialog, id));
}

HWND FindProcessWindow(DWORD processId, const char* className, const char* caption, HWND exclude,
                       HWND exclude2)
{
    for (HWND window : ProcessWindows(processId))
    {
        if (window == exclude || window == exclude2)
            continue;
        if (className && ClassName(window) != className)
            continue;
        if (caption && WindowText(window) != caption)
            continue;
        return window;
    }
    return nullptr;
}

bool IsFileDialog(HWND window)
{
    return window && ClassName(window) == "#32770" &&
           (::GetDlgItem(window, kFileNameCombo) || ::GetDlgItem(window, kFileNameEdit));
}

HWND WaitForFileDialog(DWORD processId, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : ProcessWindows(processId))
            {
                if (IsFileDialog(window))
                {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : ProcessWindows(processId))
            {
                if (ClassName(window) == "#32770" && ::GetDlgItem(window, kMessageBoxText))
                {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

CMessageBoxText ReadMessageBox(HWND box)
{
    CMessageBoxText result;
    result.caption = WindowText(box);
    result.text = ControlText(box, kMessageBoxText);
    return result;
}

void PostCommand(HWND window, UINT id)
{
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void PressButton(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

bool DismissAndWait(HWND dialog, int id, DWORD timeoutMs)
{
    PressButton(dialog, id);
    return WaitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }, timeoutMs);
}

bool AnswerFileDialog(HWND dialog, const std::string& name, int button)
{
    if (!IsFileDialog(dialog))
        return false;
    HWND box = ::GetDlgItem(dialog, kFileNameCombo);
    if (!box)
        box = ::GetDlgItem(dialog, kFileNameEdit);
    DWORD_PTR ignored = 0;
    if (!::SendMessageTimeoutA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), SMTO_ABORTIFHUNG,
                               kSendTimeoutMs, &ignored))
        return false;
    // The dialog reads the name box when the button is pressed.
    if (button != IDCANCEL && WindowText(box) != name)
        return false;
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return true;
}

bool ReadClientPixel(HWND window, int x, int y, COLORREF& colour, DWORD timeoutMs)
{
    POINT point = {x, y};
    if (!::ClientToScreen(window, &point))
        return false;
    HWND top = ::GetAncestor(window, GA_ROOT);
    return WaitUntil(
        [&] {
            // Another program's window may lie over ours for a moment: raise ours and look again.
            if (::WindowFromPoint(point) != window)
            {
                ::SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                return false;
            }
            HDC screen = ::GetDC(nullptr);
            if (!screen)
                return false;
            colour = ::GetPixel(screen, point.x, point.y);
            ::ReleaseDC(nullptr, screen);
            return colour != CLR_INVALID;
        },
        timeoutMs, 50);
}

bool IsNearColour(COLORREF colour, COLORREF expected, int tolerance)
{
    return std::abs(GetRValue(colour) - GetRValue(expected)) <= tolerance &&
           std::abs(GetGValue(colour) - GetGValue(expected)) <= tolerance &&
           std::abs(GetBValue(colour) - GetBValue(expected)) <= tolerance;
}

std::string DescribeColour(COLORREF colour)
{
    char text[48];
    std::snprintf(text, sizeof text, "RGB(%d, %d, %d)", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}
} // namespace qvx_e2e
