// Helpers of the dialog tests: message pumping with deadlines and a 32-bit memory surface for pixel probes.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

namespace dialog_test
{
// Dispatches every waiting message of this thread.
inline void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Pumps until done() holds or the time is up; the result of done() at the end.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000)
{
    const DWORD start = ::GetTickCount();
    while (!done())
    {
        if (::GetTickCount() - start > timeoutMs)
            return done();
        PumpMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Pumps for a fixed time.
inline void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

// A top-down 32-bit DIB section selected into a memory DC; Pixel reads back as COLORREF.
class CMemorySurface
{
public:
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
        Clear(RGB(1, 2, 3));
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

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    DWORD* m_bits = nullptr;
};

// Waits on another thread for this process's file dialog, types a name into it and presses the button
// (IDOK) or cancels it (IDCANCEL).
class CFileDialogDriver
{
public:
    CFileDialogDriver(const char* name, int button) : m_name(name), m_button(button)
    {
        m_thread = std::thread([this] { Drive(); });
    }
    ~CFileDialogDriver() { m_thread.join(); }
    bool Found() const { return m_found.load(); }

private:
    static BOOL CALLBACK FindDialog(HWND window, LPARAM param)
    {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        char cls[64] = {};
        ::GetClassNameA(window, cls, sizeof cls);
        if (process == ::GetCurrentProcessId() && strcmp(cls, "#32770") == 0 && ::IsWindowVisible(window))
        {
            *reinterpret_cast<HWND*>(param) = window;
            return FALSE;
        }
        return TRUE;
    }
    void Drive()
    {
        HWND dialog = nullptr;
        const DWORD start = ::GetTickCount();
        while (!dialog && ::GetTickCount() - start < 20000)
        {
            ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&dialog));
            if (!dialog)
                ::Sleep(50);
        }
        if (!dialog)
            return;
        m_found = true;
        ::Sleep(300);
        // The file name box of the explorer-style dialog (a combo box 0x47C with an edit, or the edit 0x480).
        HWND name = ::GetDlgItem(dialog, 0x47C);
        if (!name)
            name = ::GetDlgItem(dialog, 0x480);
        if (name)
            ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_name.c_str()));
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(m_button, BN_CLICKED), 0);
    }

    std::string m_name;
    int m_button;
    std::atomic<bool> m_found{false};
    std::thread m_thread;
};

} // namespace dialog_test
