// Helpers of the dialog tests: the shared message pumping and memory surface under this namespace, and a
// driver that answers the system's file dialogs.
#pragma once

#include <windows.h>

#include <commdlg.h>

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
    // The folder the dialog showed when it was found (read before it was answered), with a trailing
    // backslash; valid once the dialog has been answered.
    std::string Folder() const { return m_folder; }

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
        ::Sleep(300);
        char folder[MAX_PATH * 2] = {};
        if (::SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder)) > 0)
        {
            m_folder = folder;
            if (!m_folder.empty() && m_folder.back() != '\\')
                m_folder += '\\';
        }
        m_found = true;
        // The file name box of the explorer-style dialog (a combo box 0x47C with an edit, or the edit 0x480).
        HWND name = ::GetDlgItem(dialog, 0x47C);
        if (!name)
            name = ::GetDlgItem(dialog, 0x480);
        if (name)
            ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_name.c_str()));
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(m_button, BN_CLICKED), 0);
    }

    std::string m_name;
    std::string m_folder;
    int m_button;
    std::atomic<bool> m_found{false};
    std::thread m_thread;
};

} // namespace dialog_test
