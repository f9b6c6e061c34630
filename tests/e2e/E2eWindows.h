// Window helpers of the end-to-end tests: finding the windows of another process, reading their texts,
// answering its common file dialogs and message boxes, and reading pixels of its windows from the screen.
// Everything waits by polling with a time-out; nothing here blocks on the other process for long.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qvx_e2e
{
// Polls the condition every step until it holds or the time is up; true when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD stepMs = 20);

// A visible top-level window of the process with the class and (when not null) the caption; excluded
// windows are skipped. Null when there is none.
HWND FindProcessWindow(DWORD processId, const char* className, const char* caption, HWND exclude = nullptr,
                       HWND exclude2 = nullptr);
// Whether the window is a common open or save dialog (it has the file name box).
bool IsFileDialog(HWND window);
// A visible common file dialog of the process, waited for; null after the time-out.
HWND WaitForFileDialog(DWORD processId, DWORD timeoutMs);
// A visible message box of the process (a "#32770" window with the message static 0xFFFF), waited for.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs);
// Every visible top-level window of the process, in z-order.
std::vector<HWND> ProcessWindows(DWORD processId);

// Window text through WM_GETTEXT (answered by the owning thread; bounded wait).
std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
std::string ClassName(HWND window);

struct CMessageBoxText
{
    std::string caption;
    std::string text;
};
CMessageBoxText ReadMessageBox(HWND box);

// Posts a command as a menu or accelerator would (no control window).
void PostCommand(HWND window, UINT id);
// Presses a button of a dialog: WM_COMMAND with BN_CLICKED from the button's window.
void PressButton(HWND dialog, int id);
// Closes the window by a button and waits until it is gone; false when it stays.
bool DismissAndWait(HWND dialog, int id, DWORD timeoutMs);

// Types the name into the file name box of a common file dialog and presses the button (IDOK or
// IDCANCEL).
bool AnswerFileDialog(HWND dialog, const std::string& name, int button);

// The colour of a pixel of the window's client area as the screen shows it. The window is raised first and
// the point must belong to it on the screen (no other window above it there); false when it does not
// within the time-out.
bool ReadClientPixel(HWND window, int x, int y, COLORREF& colour, DWORD timeoutMs = 5000);
// Whether each channel of the colour lies within the tolerance of the expected colour's.
bool IsNearColour(COLORREF colour, COLORREF expected, int tolerance);
std::string DescribeColour(COLORREF colour);
} // namespace qvx_e2e
