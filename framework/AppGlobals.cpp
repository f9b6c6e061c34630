#include "framework/AppGlobals.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include <cstring>

namespace
{
HMODULE ProgramModule()
{
    return ::GetModuleHandleA(nullptr);
}
} // namespace

HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    HINSTANCE candidates[] = {AfxGetResourceHandle(), AfxGetInstanceHandle(), ProgramModule()};
    for (HINSTANCE hInst : candidates)
    {
        if (hInst && ::FindResourceA(hInst, lpszName, lpszType))
            return hInst;
    }
    return AfxGetResourceHandle();
}

LPCSTR AfxGetAppName()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pszAppName && *pApp->m_pszAppName)
        return pApp->m_pszAppName;
    static char name[MAX_PATH];
    if (!name[0])
    {
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        const char* base = path;
        for (const char* p = path; *p; ++p)
            if (*p == '\\' || *p == '/')
                base = p + 1;
        lstrcpynA(name, base, MAX_PATH);
        if (char* dot = strrchr(name, '.'))
            *dot = '\0';
    }
    return name;
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    HWND hWndTop = nullptr;
    CWnd::GetSafeOwner(nullptr, &hWndTop);
    if ((nType & MB_ICONMASK) == 0)
    {
        switch (nType & MB_TYPEMASK)
        {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    return ::MessageBoxA(hWndTop, lpszText ? lpszText : "", AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    char text[1024] = {};
    ::LoadStringA(AfxGetResourceHandle(), nIDPrompt, text, sizeof text);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}
