#include "toolkit/common/system/XTPSystemHelpers.h"

#include "framework/WinApp.h"
#include "framework/WinThread.h"
#include "framework/Wnd.h"

#include <type_traits>

// ---- CXTPOsVersion

CXTPOsVersion::CXTPOsVersion()
{
    ZeroMemory(static_cast<OSVERSIONINFOA*>(this), sizeof(OSVERSIONINFOA));
    dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
}

CXTPOsVersion::CXTPOsVersion(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor, DWORD dwBuild) : CXTPOsVersion()
{
    dwPlatformId = dwPlatform;
    dwMajorVersion = dwMajor;
    dwMinorVersion = dwMinor;
    dwBuildNumber = dwBuild;
}

void CXTPOsVersion::Read()
{
    ZeroMemory(static_cast<OSVERSIONINFOA*>(this), sizeof(OSVERSIONINFOA));
    dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExA(this);
#pragma GCC diagnostic pop
}

BOOL CXTPOsVersion::IsWin9x() const
{
    return dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

BOOL CXTPOsVersion::IsWin95() const
{
    return IsWin9x() && dwMajorVersion == 4 && dwMinorVersion < 10;
}

BOOL CXTPOsVersion::IsWin98() const
{
    return IsWin9x() && IsVersion(4, 10);
}

BOOL CXTPOsVersion::IsWinNT4() const
{
    return dwPlatformId == VER_PLATFORM_WIN32_NT && IsVersion(4, 0);
}

BOOL CXTPOsVersion::IsWin2000() const
{
    return dwPlatformId == VER_PLATFORM_WIN32_NT && IsVersion(5, 0);
}

BOOL CXTPOsVersion::IsWinXP() const
{
    return dwPlatformId == VER_PLATFORM_WIN32_NT && IsVersion(5, 1);
}

BOOL CXTPOsVersion::IsWin2000OrGreater() const
{
    return dwPlatformId >= VER_PLATFORM_WIN32_NT && dwMajorVersion >= 5;
}

BOOL CXTPOsVersion::IsWinXPOrGreater() const
{
    return dwPlatformId > VER_PLATFORM_WIN32_WINDOWS && IsVersionAtLeast(5, 1);
}

BOOL CXTPOsVersion::IsWinVistaOrGreater() const
{
    return dwPlatformId > VER_PLATFORM_WIN32_WINDOWS && IsVersionAtLeast(6, 0);
}

BOOL CXTPOsVersion::IsWin7OrGreater() const
{
    return dwPlatformId > VER_PLATFORM_WIN32_WINDOWS && IsVersionAtLeast(6, 1);
}

BOOL CXTPOsVersion::IsVersionAtLeast(DWORD dwMajor, DWORD dwMinor) const
{
    return dwMajorVersion > dwMajor || (dwMajorVersion == dwMajor && dwMinorVersion >= dwMinor);
}

BOOL CXTPOsVersion::IsVersion(DWORD dwMajor, DWORD dwMinor) const
{
    return dwMajorVersion == dwMajor && dwMinorVersion == dwMinor;
}

DWORD CXTPOsVersion::ReadComCtlVersion(LPCSTR lpszModule)
{
    CXTPModuleHandle module;
    if (!module.Init(lpszModule))
        return MAKELONG(0, 4);
    const DWORD dwVersion = module.GetVersion();
    return dwVersion ? dwVersion : MAKELONG(0, 4);
}

DWORD CXTPOsVersion::GetComCtlVersion()
{
    static DWORD s_dwVersion = ReadComCtlVersion("COMCTL32.DLL");
    return s_dwVersion;
}

CXTPOsVersion* GetOsVersion()
{
    static CXTPOsVersion* s_pVersion = [] {
        static CXTPOsVersion version;
        version.Read();
        return &version;
    }();
    return s_pVersion;
}

BOOL IsWinXPOrGreater()
{
    return GetOsVersion()->IsWinXPOrGreater();
}

BOOL IsWinXPOrGreater(const OSVERSIONINFOA& version)
{
    return version.dwPlatformId > VER_PLATFORM_WIN32_WINDOWS &&
           (version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1));
}

// ---- CXTPModuleHandle

CXTPModuleHandle::CXTPModuleHandle(LPCSTR lpszModuleName)
{
    Init(lpszModuleName);
}

CXTPModuleHandle::~CXTPModuleHandle()
{
    Release();
}

BOOL CXTPModuleHandle::Init(LPCSTR lpszModuleName)
{
    Release();
    if (!lpszModuleName || !*lpszModuleName)
        return FALSE;
    m_strName = lpszModuleName;
    m_hModule = ::GetModuleHandleA(lpszModuleName);
    if (m_hModule)
    {
        m_nKind = xtpModAttached;
        return TRUE;
    }
    m_hModule = ::LoadLibraryA(lpszModuleName);
    if (m_hModule)
    {
        m_nKind = xtpModLoaded;
        return TRUE;
    }
    return FALSE;
}

void CXTPModuleHandle::Release()
{
    if (m_nKind == xtpModLoaded && m_hModule)
        ::FreeLibrary(m_hModule);
    m_hModule = nullptr;
    m_nKind = xtpModNone;
    m_strName.Empty();
    ZeroMemory(&m_dvi, sizeof m_dvi);
}

DWORD CXTPModuleHandle::GetVersion()
{
    if (m_dvi.cbSize == 0 && m_hModule)
    {
        DLLGETVERSIONPROC pfn =
            reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(::GetProcAddress(m_hModule, "DllGetVersion")));
        if (pfn)
        {
            DLLVERSIONINFO dvi = {};
            dvi.cbSize = sizeof dvi;
            if (SUCCEEDED(pfn(&dvi)))
            {
                m_dvi = dvi;
                m_dvi.cbSize = sizeof m_dvi;
            }
        }
    }
    if (m_dvi.cbSize == 0)
        return 0;
    return (m_dvi.dwMajorVersion << 16) | (m_dvi.dwMinorVersion & 0xFFFF);
}

BOOL CXTPModuleHandle::GetProcAddressRaw(FARPROC* ppfn, LPCSTR lpszProcName, DWORD dwMinVer)
{
    *ppfn = nullptr;
    if (!m_hModule || !lpszProcName)
        return FALSE;
    if (dwMinVer != 0 && GetVersion() < dwMinVer)
        return FALSE;
    *ppfn = ::GetProcAddress(m_hModule, lpszProcName);
    return *ppfn != nullptr;
}

// ---- CXTPMonitorHelper

CXTPMonitorHelper::CXTPMonitorHelper()
{
    Bind(::GetModuleHandleA("user32.dll"));
}

CXTPMonitorHelper::CXTPMonitorHelper(HMODULE hUser32)
{
    Bind(hUser32);
}

void CXTPMonitorHelper::Bind(HMODULE hUser32)
{
    auto bind = [hUser32](auto& pfn, LPCSTR name) {
        pfn = hUser32 ? reinterpret_cast<typename std::remove_reference<decltype(pfn)>::type>(
                            reinterpret_cast<void*>(::GetProcAddress(hUser32, name)))
                      : nullptr;
        return pfn != nullptr;
    };
    bool all = bind(m_pfnGetSystemMetrics, "GetSystemMetrics");
    all = bind(m_pfnMonitorFromWindow, "MonitorFromWindow") && all;
    all = bind(m_pfnMonitorFromRect, "MonitorFromRect") && all;
    all = bind(m_pfnMonitorFromPoint, "MonitorFromPoint") && all;
    all = bind(m_pfnGetMonitorInfo, "GetMonitorInfoA") && all;
    if (!all)
    {
        m_pfnGetSystemMetrics = nullptr;
        m_pfnMonitorFromWindow = nullptr;
        m_pfnMonitorFromRect = nullptr;
        m_pfnMonitorFromPoint = nullptr;
        m_pfnGetMonitorInfo = nullptr;
    }
}

CRect CXTPMonitorHelper::GetSystemWorkArea()
{
    CRect rc(0, 0, 0, 0);
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

CRect CXTPMonitorHelper::GetPrimaryScreenArea()
{
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

CRect CXTPMonitorHelper::WorkAreaOf(HMONITOR hMonitor) const
{
    if (hMonitor && m_pfnGetMonitorInfo)
    {
        MONITORINFO info = {};
        info.cbSize = sizeof info;
        if (m_pfnGetMonitorInfo(hMonitor, &info))
            return CRect(info.rcWork);
    }
    return GetSystemWorkArea();
}

CRect CXTPMonitorHelper::ScreenAreaOf(HMONITOR hMonitor) const
{
    if (hMonitor && m_pfnGetMonitorInfo)
    {
        MONITORINFO info = {};
        info.cbSize = sizeof info;
        if (m_pfnGetMonitorInfo(hMonitor, &info))
            return CRect(info.rcMonitor);
    }
    return GetPrimaryScreenArea();
}

CRect CXTPMonitorHelper::GetWorkAreaFromPoint(POINT pt) const
{
    return WorkAreaOf(m_pfnMonitorFromPoint ? m_pfnMonitorFromPoint(pt, MONITOR_DEFAULTTONULL) : nullptr);
}

CRect CXTPMonitorHelper::GetWorkAreaFromRect(LPCRECT lpRect) const
{
    return WorkAreaOf(m_pfnMonitorFromRect && lpRect ? m_pfnMonitorFromRect(lpRect, MONITOR_DEFAULTTONULL)
                                                     : nullptr);
}

CRect CXTPMonitorHelper::GetWorkAreaFromHwnd(HWND hWnd) const
{
    return WorkAreaOf(m_pfnMonitorFromWindow && hWnd ? m_pfnMonitorFromWindow(hWnd, MONITOR_DEFAULTTONULL)
                                                     : nullptr);
}

CRect CXTPMonitorHelper::GetWorkAreaFromWnd(CWnd* pWnd) const
{
    return GetWorkAreaFromHwnd(pWnd ? pWnd->GetSafeHwnd() : nullptr);
}

CRect CXTPMonitorHelper::GetWorkAreaAtCursor() const
{
    POINT pt = {0, 0};
    ::GetCursorPos(&pt);
    return GetWorkAreaFromPoint(pt);
}

CRect CXTPMonitorHelper::GetScreenAreaFromPoint(POINT pt) const
{
    return ScreenAreaOf(m_pfnMonitorFromPoint ? m_pfnMonitorFromPoint(pt, MONITOR_DEFAULTTONULL) : nullptr);
}

CRect CXTPMonitorHelper::GetScreenAreaFromRect(LPCRECT lpRect) const
{
    return ScreenAreaOf(m_pfnMonitorFromRect && lpRect ? m_pfnMonitorFromRect(lpRect, MONITOR_DEFAULTTONULL)
                                                       : nullptr);
}

CXTPMonitorHelper* GetMonitorHelper()
{
    static CXTPMonitorHelper s_helper;
    return &s_helper;
}

// ---- CXTPDpiScaler

CXTPDpiScaler::CXTPDpiScaler(int nDpiX, int nDpiY) : m_bRead(TRUE), m_nDpiX(nDpiX), m_nDpiY(nDpiY)
{
}

void CXTPDpiScaler::ReadDpi()
{
    if (m_bRead)
        return;
    m_bRead = TRUE;
    HDC hDC = ::GetDC(nullptr);
    if (hDC)
    {
        m_nDpiX = ::GetDeviceCaps(hDC, LOGPIXELSX);
        m_nDpiY = ::GetDeviceCaps(hDC, LOGPIXELSY);
        ::ReleaseDC(nullptr, hDC);
    }
}

int CXTPDpiScaler::GetDpiX()
{
    ReadDpi();
    return m_nDpiX;
}

int CXTPDpiScaler::GetDpiY()
{
    ReadDpi();
    return m_nDpiY;
}

int CXTPDpiScaler::ScaleX(int x, int nThreshold)
{
    ReadDpi();
    return nThreshold < m_nDpiX ? ::MulDiv(x, m_nDpiX, nBaseDpi) : x;
}

int CXTPDpiScaler::ScaleY(int y, int nThreshold)
{
    ReadDpi();
    return nThreshold < m_nDpiY ? ::MulDiv(y, m_nDpiY, nBaseDpi) : y;
}

CXTPDpiScaler* GetDpiScaler()
{
    static CXTPDpiScaler s_scaler;
    return &s_scaler;
}

// ---- small queries

int GetVariantInteger(const VARIANT* pVariant)
{
    // A chain of by-reference variants is followed a bounded number of times.
    for (int depth = 0; pVariant && depth < 16; ++depth)
    {
        switch (pVariant->vt)
        {
        case VT_EMPTY:
            return 0;
        case VT_I2:
            return pVariant->iVal;
        case VT_I4:
            return static_cast<int>(pVariant->lVal);
        case VT_I2 | VT_BYREF:
            return pVariant->piVal ? *pVariant->piVal : -1;
        case VT_I4 | VT_BYREF:
            return pVariant->plVal ? static_cast<int>(*pVariant->plVal) : -1;
        case VT_VARIANT | VT_BYREF:
            pVariant = pVariant->pvarVal;
            continue;
        default:
            return -1;
        }
    }
    return -1;
}

int GetOemMaxCharSize()
{
    static int s_nSize = -1;
    if (s_nSize == -1)
    {
        CPINFO info = {};
        s_nSize = ::GetCPInfo(CP_OEMCP, &info) ? static_cast<int>(info.MaxCharSize) : 1;
    }
    return s_nSize;
}

CWinThread* GetCurrentThreadObject()
{
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread : AfxGetApp();
}
