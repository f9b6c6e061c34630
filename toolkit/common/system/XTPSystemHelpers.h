// Small process-wide system services of the toolkit: the Windows version record and its tests,
// the COMCTL32 version, module handles that bind functions by name, the multi-monitor helper, the
// DPI scaler, a scoped critical-section lock and a few one-line queries.
#pragma once

#include "framework/Geometry.h"
#include "framework/FrameworkString.h"
#include "framework/RecordSizes.h"

#include <oaidl.h>
#include <shlwapi.h>
#include <windows.h>

class CWnd;
class CWinThread;

// OSVERSIONINFOA (148) and MONITORINFO (40) are checked with the framework's records; DLLVERSIONINFO
// has no pointer either and is 20 bytes on both architectures.
static_assert(sizeof(DLLVERSIONINFO) == 20, "DLLVERSIONINFO is 20 bytes");

// The Windows version record (platform 1: the 9x family, 2: NT) and the version tests.
class CXTPOsVersion : public OSVERSIONINFOA
{
public:
    // A zeroed record with its size field set; Read fills it from the system.
    CXTPOsVersion();
    // A record with the given values (platform, major, minor, build).
    CXTPOsVersion(DWORD dwPlatformId, DWORD dwMajor, DWORD dwMinor, DWORD dwBuild = 0);
    void Read();

    BOOL IsWin9x() const;
    BOOL IsWin95() const;
    BOOL IsWin98() const;
    BOOL IsWinNT4() const;
    BOOL IsWin2000() const;
    BOOL IsWinXP() const;
    BOOL IsWin2000OrGreater() const;
    BOOL IsWinXPOrGreater() const;
    BOOL IsWinVistaOrGreater() const;
    BOOL IsWin7OrGreater() const;
    BOOL IsVersionAtLeast(DWORD dwMajor, DWORD dwMinor) const;
    BOOL IsVersion(DWORD dwMajor, DWORD dwMinor) const;

    // COMCTL32.DLL's version as (major << 16) | minor, read once per process; 0x40000 when it
    // cannot be read.
    static DWORD GetComCtlVersion();
    // The version read from a module's DllGetVersion the same way (0x40000 when unreadable).
    static DWORD ReadComCtlVersion(LPCSTR lpszModule);
};

// The process-wide record, filled by GetVersionExA on first use. Tests may overwrite it.
CXTPOsVersion* GetOsVersion();
BOOL IsWinXPOrGreater();
BOOL IsWinXPOrGreater(const OSVERSIONINFOA& version);

// A module found already loaded (kind 1) or loaded by this object (kind 2), with its functions
// bound by name and an optional minimum DllGetVersion version.
class CXTPModuleHandle
{
public:
    enum
    {
        xtpModNone = 0,
        xtpModAttached = 1,
        xtpModLoaded = 2
    };

    CXTPModuleHandle() = default;
    explicit CXTPModuleHandle(LPCSTR lpszModuleName);
    virtual ~CXTPModuleHandle();
    CXTPModuleHandle(const CXTPModuleHandle&) = delete;
    CXTPModuleHandle& operator=(const CXTPModuleHandle&) = delete;

    BOOL Init(LPCSTR lpszModuleName);
    void Release();
    // (major << 16) | (minor & 0xFFFF) from the module's DllGetVersion, read once; 0 when the
    // module has none.
    DWORD GetVersion();
    // Binds a function; with dwMinVer, a module of a lower version gives null and FALSE.
    template <typename PFN> BOOL GetProcAddress(PFN* ppfn, LPCSTR lpszProcName, DWORD dwMinVer = 0)
    {
        FARPROC proc = nullptr;
        const BOOL bResult = GetProcAddressRaw(&proc, lpszProcName, dwMinVer);
        *ppfn = reinterpret_cast<PFN>(reinterpret_cast<void*>(proc));
        return bResult;
    }
    BOOL GetProcAddressRaw(FARPROC* ppfn, LPCSTR lpszProcName, DWORD dwMinVer = 0);

    HMODULE GetHandle() const { return m_hModule; }
    int GetHandleKind() const { return m_nKind; }
    CString GetName() const { return m_strName; }
    operator HMODULE() const { return m_hModule; }

protected:
    CString m_strName;
    HMODULE m_hModule = nullptr;
    int m_nKind = xtpModNone;
    DLLVERSIONINFO m_dvi = {};
};

// Work and screen areas of the monitor holding a point, rectangle or window.
class CXTPMonitorHelper
{
public:
    typedef int(WINAPI* PFNGETSYSTEMMETRICS)(int);
    typedef HMONITOR(WINAPI* PFNMONITORFROMWINDOW)(HWND, DWORD);
    typedef HMONITOR(WINAPI* PFNMONITORFROMRECT)(LPCRECT, DWORD);
    typedef HMONITOR(WINAPI* PFNMONITORFROMPOINT)(POINT, DWORD);
    typedef BOOL(WINAPI* PFNGETMONITORINFO)(HMONITOR, LPMONITORINFO);

    // Binds the five functions from user32; without any one of them none is used.
    CXTPMonitorHelper();
    // Binds them from another module (a module lacking them leaves the helper on its fallback).
    explicit CXTPMonitorHelper(HMODULE hUser32);

    CRect GetWorkAreaFromPoint(POINT pt) const;
    CRect GetWorkAreaFromRect(LPCRECT lpRect) const;
    CRect GetWorkAreaFromWnd(CWnd* pWnd) const;
    CRect GetWorkAreaFromHwnd(HWND hWnd) const;
    CRect GetWorkAreaAtCursor() const;
    CRect GetScreenAreaFromPoint(POINT pt) const;
    CRect GetScreenAreaFromRect(LPCRECT lpRect) const;
    BOOL HasMonitorFunctions() const { return m_pfnMonitorFromPoint != nullptr; }

    // The fallbacks: the system work area and the primary screen.
    static CRect GetSystemWorkArea();
    static CRect GetPrimaryScreenArea();

protected:
    void Bind(HMODULE hUser32);
    CRect WorkAreaOf(HMONITOR hMonitor) const;
    CRect ScreenAreaOf(HMONITOR hMonitor) const;

    PFNGETSYSTEMMETRICS m_pfnGetSystemMetrics = nullptr;
    PFNMONITORFROMWINDOW m_pfnMonitorFromWindow = nullptr;
    PFNMONITORFROMRECT m_pfnMonitorFromRect = nullptr;
    PFNMONITORFROMPOINT m_pfnMonitorFromPoint = nullptr;
    PFNGETMONITORINFO m_pfnGetMonitorInfo = nullptr;
};

CXTPMonitorHelper* GetMonitorHelper();

// Scales sizes designed at 96 DPI to the screen's DPI.
class CXTPDpiScaler
{
public:
    enum
    {
        nBaseDpi = 96
    };
    CXTPDpiScaler() = default;
    // A scaler with a fixed DPI (the screen is not read).
    CXTPDpiScaler(int nDpiX, int nDpiY);

    // MulDiv(value, dpi, 96) when nThreshold is below the axis's DPI, else the value.
    int ScaleX(int x, int nThreshold = 96);
    int ScaleY(int y, int nThreshold = 96);
    int GetDpiX();
    int GetDpiY();

protected:
    void ReadDpi();
    BOOL m_bRead = FALSE;
    int m_nDpiX = nBaseDpi;
    int m_nDpiY = nBaseDpi;
};

CXTPDpiScaler* GetDpiScaler();

// Enters a critical section for its lifetime.
class CXTPCriticalSectionLock
{
public:
    explicit CXTPCriticalSectionLock(CRITICAL_SECTION* pcs) : m_pcs(pcs) { ::EnterCriticalSection(m_pcs); }
    explicit CXTPCriticalSectionLock(CRITICAL_SECTION& cs) : CXTPCriticalSectionLock(&cs) {}
    ~CXTPCriticalSectionLock() { ::LeaveCriticalSection(m_pcs); }
    CXTPCriticalSectionLock(const CXTPCriticalSectionLock&) = delete;
    CXTPCriticalSectionLock& operator=(const CXTPCriticalSectionLock&) = delete;

private:
    CRITICAL_SECTION* m_pcs;
};

// The integer child id an accessibility VARIANT carries: empty 0; I2/I4 (also by reference) their
// value; a by-reference variant is followed; anything else, or null, -1.
int GetVariantInteger(const VARIANT* pVariant);
// The largest character size of the OEM code page (read once).
int GetOemMaxCharSize();
// The framework's thread object of the calling thread, else the application.
CWinThread* GetCurrentThreadObject();
