// The application object: one static instance per program, entered from WinMain.
#pragma once

#include <windows.h>

#include "WinThread.h"

class CWnd;

class CWinApp : public CWinThread
{
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    virtual ~CWinApp();

    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Called once by the entry point; returning FALSE ends the program after ExitInstance.
    virtual BOOL InitInstance();
    // The message loop for programs whose InitInstance returns TRUE.
    virtual int Run();
    virtual int ExitInstance();

    HINSTANCE m_hInstance = nullptr;
    // The text after the program name on the command line.
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCSTR m_pszAppName = nullptr;
    // Exit code returned from WinMain.
    int m_nExitCode = 0;
};

// The one application object, or null before it is constructed.
CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();

// Runs the program: InitInstance, then Run or ExitInstance. Called by the entry point.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
