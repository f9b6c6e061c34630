// The application object: one static instance per program, entered from WinMain.
#pragma once

#include <windows.h>

#include "framework/FrameworkString.h"
#include "framework/PtrList.h"
#include "framework/WinThread.h"

class CDocTemplate;
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

    // Profile store (WinAppProfile.cpp): the INI file m_pszProfileName (default: the program's name
    // with ".INI"), or after SetRegistryKey the key HKEY_CURRENT_USER\Software\<key>\<profile name>,
    // one sub-key per section. A null entry in WriteProfileString removes the section, a null value
    // the entry. GetProfileBinary hands out memory the caller frees with delete[].
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // Open keys the caller closes with RegCloseKey; null without a registry key.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCSTR lpszSection);
    virtual UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    virtual CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    virtual BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    virtual BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    virtual BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    virtual BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);
    // The application may point these at its own strings (kept alive by it); SetRegistryKey points
    // them at copies held by the application object.
    LPCSTR m_pszRegistryKey = nullptr;
    LPCSTR m_pszProfileName = nullptr;

    // The INI file the profile functions use: m_pszProfileName, or the program's name with ".INI".
    // A name without a folder refers to the Windows folder (as for the platform's profile functions).
    CString GetProfileFileName() const;

    // ---- document templates (DocTemplate.h)
    // Adds a template to the application's list (loading its resources); templates made with
    // m_bAutoDelete set are deleted with the application object.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& rPosition) const;
    // Takes a template out of the list (not deleted); FALSE when it was not in it.
    BOOL RemoveDocTemplate(CDocTemplate* pTemplate);

    // Help for a context (HELP_CONTEXT) or a command; the harness has no help engine of this
    // kind, so the default does nothing. Frames pass context help here.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

private:
    CPtrList m_templateList;
    bool GetIniString(LPCSTR lpszSection, LPCSTR lpszEntry, CString& out) const;
    CString m_strRegistryKey;
    CString m_strProfileName;
};

// The one application object, or null before it is constructed.
CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();

// Runs the program: InitInstance, then Run or ExitInstance. Called by the entry point.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
