// Helpers of the dialog tests: the shared message pumping and memory surface under this namespace, and a
// driver that answers the system's file dialogs.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tests/common/MemorySurface.h"
#include "tests/common/MessagePump.h"
#include "ui/dialogs/HarnessHelpHost.h"

namespace dialog_test
{
using qvx_test::CMemorySurface;
using qvx_test::PumpFor;
using qvx_test::PumpMessages;
using qvx_test::PumpUntil;

// Records the help topics a dialog asks its help owner to open.
class CHelpRecorder : public CHarnessHelpHost
{
public:
    BOOL ShowHelpTopic(UINT contextId) override
    {
        topics.push_back(contextId);
        return TRUE;
    }
    std::vector<UINT> topics;
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
