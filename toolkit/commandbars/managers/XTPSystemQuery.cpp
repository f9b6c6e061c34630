#include "toolkit/commandbars/managers/XTPSystemQuery.h"

#include "toolkit/common/system/XTPNcMetrics.h"

#include "toolkit/common/system/XTPSystemHelpers.h"
#include "toolkit/common/system/XTPWinThemeWrapper.h"

#include <shellapi.h>

#include <cstdlib>
#include <vector>

namespace
{
CXTPCommandBarsSystemQuery g_systemQuery;
CXTPCommandBarsSystemQuery* g_pQuery = nullptr;
} // namespace

BOOL CXTPCommandBarsSystemQuery::IsDropShadowEnabled()
{
    BOOL bEnabled = FALSE;
    if (!SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &bEnabled, 0))
        return FALSE;
    return bEnabled;
}

BOOL CXTPCommandBarsSystemQuery::GetKeyboardCues(BOOL& bShow)
{
    BOOL bValue = FALSE;
    if (!SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &bValue, 0))
        return FALSE;
    bShow = bValue;
    return TRUE;
}

int CXTPCommandBarsSystemQuery::GetScreenBitsPerPixel()
{
    HDC hDC = GetDC(nullptr);
    int nBits = hDC ? GetDeviceCaps(hDC, BITSPIXEL) * GetDeviceCaps(hDC, PLANES) : 0;
    if (hDC)
        ReleaseDC(nullptr, hDC);
    return nBits;
}

SIZE CXTPCommandBarsSystemQuery::GetScreenSize()
{
    return SIZE{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

RECT CXTPCommandBarsSystemQuery::GetWorkArea(POINT pt)
{
    // The monitor functions are bound by name; without them the system work area answers.
    return GetMonitorHelper()->GetWorkAreaFromPoint(pt);
}

RECT CXTPCommandBarsSystemQuery::GetWorkArea(HWND hWnd)
{
    if (!hWnd)
        return GetMonitorHelper()->GetWorkAreaFromPoint(POINT{0, 0});
    return GetMonitorHelper()->GetWorkAreaFromHwnd(hWnd);
}

int CXTPCommandBarsSystemQuery::GetInputDesktopName(CHAR* pszName, int cchName)
{
    if (!pszName || cchName <= 0)
        return -1;
    pszName[0] = 0;
    HDESK hDesk = ::OpenInputDesktop(0, FALSE, GENERIC_READ);
    if (!hDesk)
        return 0;
    // A 128-byte buffer first; a longer name is read again into a buffer of the reported length.
    std::vector<CHAR> buffer(128, 0);
    DWORD cbNeeded = 0;
    BOOL bRead = ::GetUserObjectInformationA(hDesk, UOI_NAME, buffer.data(), static_cast<DWORD>(buffer.size()),
                                             &cbNeeded);
    if (!bRead && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER)
    {
        buffer.assign(static_cast<size_t>(cbNeeded) + 1, 0);
        bRead = ::GetUserObjectInformationA(hDesk, UOI_NAME, buffer.data(), cbNeeded, &cbNeeded);
    }
    ::CloseDesktop(hDesk);
    if (!bRead)
        return -1;
    buffer.back() = 0;
    lstrcpynA(pszName, buffer.data(), cchName);
    return 1;
}

BOOL CXTPCommandBarsSystemQuery::IsCompositionEnabled()
{
    return IsDwmCompositionEnabled();
}

// Sounds.
BOOL CXTPCommandBarsSystemQuery::MessageBeep(UINT uType)
{
    return ::MessageBeep(uType);
}

BOOL CXTPCommandBarsSystemQuery::GetMenuAnimation(BOOL& bAnimation)
{
    bAnimation = FALSE;
    return ::SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &bAnimation, 0);
}

BOOL CXTPCommandBarsSystemQuery::GetMenuFade(BOOL& bFade)
{
    bFade = FALSE;
    return ::SystemParametersInfoA(SPI_GETMENUFADE, 0, &bFade, 0);
}

UINT CXTPCommandBarsSystemQuery::MapVirtualKeyToScanCode(UINT nVirtKey)
{
    return ::MapVirtualKeyExA(nVirtKey, 0, ::GetKeyboardLayout(0));
}

int CXTPCommandBarsSystemQuery::GetKeyNameText(LONG lParam, CHAR* pszName, int cchName)
{
    if (!pszName || cchName <= 0)
        return 0;
    pszName[0] = 0;
    return ::GetKeyNameTextA(lParam, pszName, cchName);
}

int CXTPCommandBarsSystemQuery::Random()
{
    return std::rand();
}

int CXTPCommandBarsSystemQuery::GetNextMessage(MSG* pMsg)
{
    return static_cast<int>(::GetMessageA(pMsg, nullptr, 0, 0));
}

DWORD CXTPCommandBarsSystemQuery::GetTickCount()
{
    return ::GetTickCount();
}

UINT_PTR CXTPCommandBarsSystemQuery::SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse)
{
    return ::SetTimer(hWnd, nIDEvent, uElapse, nullptr);
}

UINT CXTPCommandBarsSystemQuery::GetDoubleClickTime()
{
    return ::GetDoubleClickTime();
}

HRESULT CXTPCommandBarsSystemQuery::ShellAutoComplete(HWND hWndEdit, DWORD dwFlags)
{
    typedef HRESULT(WINAPI * PFNSHAUTOCOMPLETE)(HWND, DWORD);
    HMODULE hShlwapi = ::LoadLibraryA("shlwapi.dll");
    if (!hShlwapi)
        return E_FAIL;
    PFNSHAUTOCOMPLETE pfn =
        reinterpret_cast<PFNSHAUTOCOMPLETE>(reinterpret_cast<void*>(::GetProcAddress(hShlwapi, "SHAutoComplete")));
    const HRESULT hr = pfn ? pfn(hWndEdit, dwFlags) : E_FAIL;
    ::FreeLibrary(hShlwapi);
    return hr;
}

BOOL CXTPCommandBarsSystemQuery::IsTaskbarAutoHide()
{
    APPBARDATA data = {};
    data.cbSize = sizeof(APPBARDATA);
    return (::SHAppBarMessage(ABM_GETSTATE, &data) & ABS_AUTOHIDE) != 0;
}

HRESULT CXTPCommandBarsSystemQuery::ExtendFrameIntoClientArea(HWND hWnd, int cxLeft, int cxRight, int cyTop,
                                                              int cyBottom)
{
    return CallDwmExtendFrameIntoClientArea(hWnd, cxLeft, cxRight, cyTop, cyBottom);
}

INT_PTR CXTPCommandBarsSystemQuery::OpenWithShell(HWND hWnd, LPCSTR lpszVerb, LPCSTR lpszFile, int nShowCmd)
{
    return reinterpret_cast<INT_PTR>(::ShellExecuteA(hWnd, lpszVerb, lpszFile, nullptr, nullptr, nShowCmd));
}

CXTPCommandBarsSystemQuery* GetCommandBarsSystemQuery()
{
    return g_pQuery ? g_pQuery : &g_systemQuery;
}

CXTPCommandBarsSystemQuery* SetCommandBarsSystemQuery(CXTPCommandBarsSystemQuery* pQuery)
{
    CXTPCommandBarsSystemQuery* pOld = GetCommandBarsSystemQuery();
    g_pQuery = pQuery;
    return pOld;
}

BOOL CXTPCommandBarsSystemQuery::GetNonClientMetrics(NONCLIENTMETRICSA* pMetrics)
{
    CXTPNcMetrics metrics;
    *pMetrics = metrics;
    return TRUE;
}

BOOL CXTPCommandBarsSystemQuery::GetIconTitleFont(LOGFONTA* pLogFont)
{
    return ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTA), pLogFont, 0);
}

BOOL CXTPCommandBarsSystemQuery::IsWindowsXPOrLater()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!::GetVersionExA(&info))
        return FALSE;
    return info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1);
}

namespace
{
int CALLBACK FoundFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    *reinterpret_cast<BOOL*>(lParam) = TRUE;
    return 0;
}
} // namespace

BOOL CXTPCommandBarsSystemQuery::IsFontInstalled(LPCSTR pszFaceName)
{
    if (!pszFaceName || !*pszFaceName)
        return FALSE;
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, pszFaceName, LF_FACESIZE);
    BOOL bFound = FALSE;
    HDC hDC = ::GetDC(nullptr);
    ::EnumFontFamiliesExA(hDC, &lf, FoundFace, reinterpret_cast<LPARAM>(&bFound), 0);
    ::ReleaseDC(nullptr, hDC);
    return bFound;
}

SIZE CXTPCommandBarsSystemQuery::GetScreenDpi()
{
    static SIZE s_dpi = {0, 0};
    if (s_dpi.cx == 0)
    {
        HDC hDC = ::GetDC(nullptr);
        s_dpi.cx = ::GetDeviceCaps(hDC, LOGPIXELSX);
        s_dpi.cy = ::GetDeviceCaps(hDC, LOGPIXELSY);
        ::ReleaseDC(nullptr, hDC);
    }
    return s_dpi;
}
