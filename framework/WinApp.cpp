#include "framework/WinApp.h"

#include "framework/DocTemplate.h"

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
    while (!m_templateList.IsEmpty())
    {
        CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.RemoveHead());
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (!pTemplate || m_templateList.Find(pTemplate))
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& rPosition) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(rPosition));
}

BOOL CWinApp::RemoveDocTemplate(CDocTemplate* pTemplate)
{
    POSITION pos = m_templateList.Find(pTemplate);
    if (!pos)
        return FALSE;
    m_templateList.RemoveAt(pos);
    return TRUE;
}

void CWinApp::WinHelp(DWORD_PTR, UINT) {}

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
