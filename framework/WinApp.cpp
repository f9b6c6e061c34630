#include "framework/WinApp.h"

#include <cstdio>

namespace
{
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(LPCSTR lpszAppName) : m_pszAppName(lpszAppName)
{
    g_app = this;
    m_hInstance = GetModuleHandleA(nullptr);
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    // The thread's pump: pre-translation, idle command-UI updates and temporary-object cleanup.
    int quitCode = RunMessageLoop();
    ExitInstance();
    return quitCode;
}

int CWinApp::ExitInstance()
{
    return m_nExitCode;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_app ? g_app->m_hInstance : GetModuleHandleA(nullptr);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = hInstance;
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;

    int code;
    try
    {
        if (app->InitInstance())
            code = app->Run();
        else
            code = app->ExitInstance();
    }
    catch (...)
    {
        std::fputs("Quorvex: unexpected exception during start-up\n", stderr);
        code = -1;
    }
    std::fflush(stdout);
    return code;
}
