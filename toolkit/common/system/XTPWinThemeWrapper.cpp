#include "toolkit/common/system/XTPWinThemeWrapper.h"

#include "toolkit/common/system/XTPSystemHelpers.h"

namespace
{
// The table's slots, one per UXTHEME function; the order is the table's layout.
enum ThemeSlot
{
    slotOpenThemeData,
    slotCloseThemeData,
    slotDrawThemeBackground,
    slotDrawThemeText,
    slotGetThemeBackgroundContentRect,
    slotGetThemeBackgroundExtent,
    slotGetThemePartSize,
    slotGetThemeTextExtent,
    slotGetThemeTextMetrics,
    slotGetThemeBackgroundRegion,
    slotHitTestThemeBackground,
    slotDrawThemeEdge,
    slotDrawThemeIcon,
    slotIsThemePartDefined,
    slotIsThemeBackgroundPartiallyTransparent,
    slotGetThemeColor,
    slotGetThemeMetric,
    slotGetThemeString,
    slotGetThemeBool,
    slotGetThemeInt,
    slotGetThemeEnumValue,
    slotGetThemePosition,
    slotGetThemeFont,
    slotGetThemeRect,
    slotGetThemeMargins,
    slotGetThemeIntList,
    slotGetThemePropertyOrigin,
    slotSetWindowTheme,
    slotGetThemeFilename,
    slotGetThemeSysColor,
    slotGetThemeSysColorBrush,
    slotGetThemeSysBool,
    slotGetThemeSysSize,
    slotGetThemeSysFont,
    slotGetThemeSysString,
    slotGetThemeSysInt,
    slotIsThemeActive,
    slotIsAppThemed,
    slotGetWindowTheme,
    slotEnableThemeDialogTexture,
    slotIsThemeDialogTextureEnabled,
    slotGetThemeAppProperties,
    slotSetThemeAppProperties,
    slotGetCurrentThemeName,
    slotGetThemeDocumentationProperty,
    slotDrawThemeParentBackground,
    slotEnableTheming,
    slotDrawThemeTextEx,
    slotBeginBufferedPaint,
    slotEndBufferedPaint,
    slotGetBufferedPaintBits,
    slotDrawThemeBackgroundEx,
    slotCount
};
static_assert(static_cast<int>(slotCount) == static_cast<int>(CXTPThemeFunctionTable::nSlots), "one slot per bound function");

const char* const g_slotNames[slotCount] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText", "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent", "GetThemePartSize", "GetThemeTextExtent", "GetThemeTextMetrics",
    "GetThemeBackgroundRegion", "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent", "GetThemeColor", "GetThemeMetric", "GetThemeString", "GetThemeBool",
    "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont", "GetThemeRect", "GetThemeMargins",
    "GetThemeIntList", "GetThemePropertyOrigin", "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor",
    "GetThemeSysColorBrush", "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString",
    "GetThemeSysInt", "IsThemeActive", "IsAppThemed", "GetWindowTheme", "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled", "GetThemeAppProperties", "SetThemeAppProperties", "GetCurrentThemeName",
    "GetThemeDocumentationProperty", "DrawThemeParentBackground", "EnableTheming", "DrawThemeTextEx",
    "BeginBufferedPaint", "EndBufferedPaint", "GetBufferedPaintBits", "DrawThemeBackgroundEx"};

void FillTable(CXTPThemeFunctionTable& table, LPCSTR lpszModuleName, DWORD dwComCtlVersion)
{
    table.ClearSlots();
    table.strModuleName = lpszModuleName;
    table.hModule = ::LoadLibraryA(lpszModuleName);
    table.dwComCtlVersion = dwComCtlVersion ? dwComCtlVersion : CXTPOsVersion::GetComCtlVersion();
}

CXTPThemeFunctionTable& TableOf(int nSelector)
{
    static CXTPThemeFunctionTable* s_tables[2] = {};
    CXTPThemeFunctionTable*& table = s_tables[nSelector ? 1 : 0];
    if (!table)
    {
        static CXTPThemeFunctionTable s_storage[2];
        table = &s_storage[nSelector ? 1 : 0];
        FillTable(*table, "UXTHEME.DLL", 0);
    }
    return *table;
}

// Calls a bound function inside a guard; the failure value when it is missing or raised.
template <typename PFN, typename R, typename... Args> R GuardedCall(FARPROC proc, R failure, Args... args)
{
    if (!proc)
        return failure;
    try
    {
        return reinterpret_cast<PFN>(reinterpret_cast<void*>(proc))(args...);
    }
    catch (...)
    {
        return failure;
    }
}

// The desktop window manager's functions, bound once.
struct DwmTable
{
    typedef HRESULT(WINAPI* PFNISCOMPOSITIONENABLED)(BOOL*);
    typedef BOOL(WINAPI* PFNDEFWINDOWPROC)(HWND, UINT, WPARAM, LPARAM, LRESULT*);
    typedef HRESULT(WINAPI* PFNEXTENDFRAME)(HWND, const MARGINS*);

    HMODULE hModule = nullptr;
    FARPROC pfnDefWindowProc = nullptr;
    FARPROC pfnIsCompositionEnabled = nullptr;
    FARPROC pfnExtendFrame = nullptr;

    DwmTable()
    {
        hModule = ::LoadLibraryA("dwmapi.dll");
        if (!hModule)
            return;
        pfnDefWindowProc = ::GetProcAddress(hModule, "DwmDefWindowProc");
        pfnIsCompositionEnabled = ::GetProcAddress(hModule, "DwmIsCompositionEnabled");
        pfnExtendFrame = ::GetProcAddress(hModule, "DwmExtendFrameIntoClientArea");
    }
};

DwmTable& Dwm()
{
    static DwmTable s_table;
    return s_table;
}
} // namespace

void CXTPThemeFunctionTable::ClearSlots()
{
    for (FARPROC& slot : slots)
        slot = nullptr;
}

CXTPThemeFunctionTable* CXTPWinThemeWrapper::GetSharedTable(int nSelector)
{
    return &TableOf(nSelector);
}

void CXTPWinThemeWrapper::ResetSharedTable(int nSelector, LPCSTR lpszModuleName, DWORD dwComCtlVersion)
{
    FillTable(TableOf(nSelector), lpszModuleName, dwComCtlVersion);
}

CXTPWinThemeWrapper::CXTPWinThemeWrapper(int nSelector) : m_nSelector(nSelector)
{
}

CXTPWinThemeWrapper::~CXTPWinThemeWrapper()
{
    CloseThemeData();
}

void CXTPWinThemeWrapper::CheckModule()
{
    if (m_nSelector == 0)
        return;
    CXTPThemeFunctionTable* table = Table();
    HMODULE hLoaded = ::GetModuleHandleA(table->strModuleName);
    if (hLoaded != table->hModule)
    {
        table->hModule = hLoaded;
        table->ClearSlots();
    }
}

FARPROC CXTPWinThemeWrapper::GetProc(int nSlot)
{
    CXTPThemeFunctionTable* table = Table();
    if (!table->slots[nSlot] && table->hModule)
        table->slots[nSlot] = ::GetProcAddress(table->hModule, g_slotNames[nSlot]);
    return table->slots[nSlot];
}

HTHEME CXTPWinThemeWrapper::OpenThemeData(HWND hWnd, LPCWSTR pszClassList)
{
    CheckModule();
    CloseThemeData();
    m_hTheme = GuardedCall<HTHEME(WINAPI*)(HWND, LPCWSTR)>(GetProc(slotOpenThemeData), HTHEME(nullptr), hWnd,
                                                           pszClassList);
    return m_hTheme;
}

HRESULT CXTPWinThemeWrapper::CloseThemeData()
{
    HRESULT hr = 0;
    if (m_hTheme)
        hr = GuardedCall<HRESULT(WINAPI*)(HTHEME)>(GetProc(slotCloseThemeData), HRESULT(0), m_hTheme);
    m_hTheme = nullptr;
    return hr;
}

HRESULT CXTPWinThemeWrapper::DrawThemeBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect,
                                                 const RECT* pClipRect)
{
    return GuardedCall<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*)>(
        GetProc(slotDrawThemeBackground), HRESULT(E_FAIL), m_hTheme, hDC, iPartId, iStateId, pRect, pClipRect);
}

HRESULT CXTPWinThemeWrapper::DrawThemeText(HDC hDC, int iPartId, int iStateId, LPCWSTR pszText, int iCharCount,
                                           DWORD dwTextFlags, DWORD dwTextFlags2, const RECT* pRect)
{
    return GuardedCall<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*)>(
        GetProc(slotDrawThemeText), HRESULT(E_FAIL), m_hTheme, hDC, iPartId, iStateId, pszText, iCharCount,
        dwTextFlags, dwTextFlags2, pRect);
}

HRESULT CXTPWinThemeWrapper::DrawThemeTextEx(HDC hDC, int iPartId, int iStateId, LPCWSTR pszText, int iCharCount,
                                             DWORD dwFlags, LPRECT pRect, const DTTOPTS* pOptions)
{
    return GuardedCall<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, LPRECT, const DTTOPTS*)>(
        GetProc(slotDrawThemeTextEx), HRESULT(E_FAIL), m_hTheme, hDC, iPartId, iStateId, pszText, iCharCount,
        dwFlags, pRect, pOptions);
}

HRESULT CXTPWinThemeWrapper::DrawThemeParentBackground(HWND hWnd, HDC hDC, const RECT* pRect)
{
    return GuardedCall<HRESULT(WINAPI*)(HWND, HDC, const RECT*)>(GetProc(slotDrawThemeParentBackground),
                                                                 HRESULT(E_FAIL), hWnd, hDC, pRect);
}

HRESULT CXTPWinThemeWrapper::GetThemeBackgroundContentRect(HDC hDC, int iPartId, int iStateId,
                                                           const RECT* pBoundingRect, RECT* pContentRect)
{
    return GuardedCall<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, RECT*)>(
        GetProc(slotGetThemeBackgroundContentRect), HRESULT(E_FAIL), m_hTheme, hDC, iPartId, iStateId,
        pBoundingRect, pContentRect);
}

HRESULT CXTPWinThemeWrapper::GetThemePartSize(HDC hDC, int iPartId, int iStateId, const RECT* pRect,
                                              THEMESIZE eSize, SIZE* pSize)
{
    return GuardedCall<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, THEMESIZE, SIZE*)>(
        GetProc(slotGetThemePartSize), HRESULT(E_FAIL), m_hTheme, hDC, iPartId, iStateId, pRect, eSize, pSize);
}

BOOL CXTPWinThemeWrapper::IsThemeBackgroundPartiallyTransparent(int iPartId, int iStateId)
{
    return GuardedCall<BOOL(WINAPI*)(HTHEME, int, int)>(GetProc(slotIsThemeBackgroundPartiallyTransparent),
                                                        BOOL(FALSE), m_hTheme, iPartId, iStateId);
}

HRESULT CXTPWinThemeWrapper::GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    return GuardedCall<HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*)>(
        GetProc(slotGetThemeColor), HRESULT(E_FAIL), m_hTheme, iPartId, iStateId, iPropId, pColor);
}

HRESULT CXTPWinThemeWrapper::GetThemeInt(int iPartId, int iStateId, int iPropId, int* piVal)
{
    return GuardedCall<HRESULT(WINAPI*)(HTHEME, int, int, int, int*)>(GetProc(slotGetThemeInt), HRESULT(E_FAIL),
                                                                      m_hTheme, iPartId, iStateId, iPropId, piVal);
}

HRESULT CXTPWinThemeWrapper::GetThemeMargins(HDC hDC, int iPartId, int iStateId, int iPropId, const RECT* pRect,
                                             MARGINS* pMargins)
{
    return GuardedCall<HRESULT(WINAPI*)(HTHEME, HDC, int, int, int, const RECT*, MARGINS*)>(
        GetProc(slotGetThemeMargins), HRESULT(E_FAIL), m_hTheme, hDC, iPartId, iStateId, iPropId, pRect, pMargins);
}

COLORREF CXTPWinThemeWrapper::GetThemeSysColor(int iColorId)
{
    return GuardedCall<COLORREF(WINAPI*)(HTHEME, int)>(GetProc(slotGetThemeSysColor), ::GetSysColor(iColorId),
                                                       m_hTheme, iColorId);
}

BOOL CXTPWinThemeWrapper::GetThemeSysBool(int iBoolId)
{
    return GuardedCall<BOOL(WINAPI*)(HTHEME, int)>(GetProc(slotGetThemeSysBool), BOOL(FALSE), m_hTheme, iBoolId);
}

HRESULT CXTPWinThemeWrapper::GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                                 int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars)
{
    CheckModule();
    return GuardedCall<HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int)>(
        GetProc(slotGetCurrentThemeName), HRESULT(E_FAIL), pszThemeFileName, cchMaxNameChars, pszColorBuff,
        cchMaxColorChars, pszSizeBuff, cchMaxSizeChars);
}

BOOL CXTPWinThemeWrapper::IsAppThemed()
{
    if (!m_hTheme)
        return FALSE;
    return GuardedCall<BOOL(WINAPI*)()>(GetProc(slotIsAppThemed), BOOL(FALSE));
}

BOOL CXTPWinThemeWrapper::IsThemeActive()
{
    if (!m_hTheme)
        CheckModule();
    return GuardedCall<BOOL(WINAPI*)()>(GetProc(slotIsThemeActive), BOOL(FALSE));
}

BOOL CXTPWinThemeWrapper::IsModernThemeActive()
{
    return IsThemeActive() && HIWORD(Table()->dwComCtlVersion) >= 6;
}

HPAINTBUFFER CXTPWinThemeWrapper::BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                                     BP_PAINTPARAMS* pPaintParams, HDC* phdc)
{
    return GuardedCall<HPAINTBUFFER(WINAPI*)(HDC, const RECT*, BP_BUFFERFORMAT, BP_PAINTPARAMS*, HDC*)>(
        GetProc(slotBeginBufferedPaint), HPAINTBUFFER(nullptr), hdcTarget, prcTarget, dwFormat, pPaintParams, phdc);
}

void CXTPWinThemeWrapper::EndBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget)
{
    GuardedCall<HRESULT(WINAPI*)(HPAINTBUFFER, BOOL)>(GetProc(slotEndBufferedPaint), HRESULT(E_FAIL),
                                                      hBufferedPaint, fUpdateTarget);
}

// ---- desktop composition

BOOL IsDwmCompositionEnabled()
{
    BOOL bEnabled = FALSE;
    const HRESULT hr = GuardedCall<DwmTable::PFNISCOMPOSITIONENABLED>(
        Dwm().pfnIsCompositionEnabled, HRESULT(E_FAIL), &bEnabled);
    return SUCCEEDED(hr) && bEnabled;
}

BOOL CallDwmDefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* plResult)
{
    return GuardedCall<DwmTable::PFNDEFWINDOWPROC>(Dwm().pfnDefWindowProc, BOOL(FALSE),
                                                   hWnd, message, wParam, lParam, plResult);
}

HRESULT CallDwmExtendFrameIntoClientArea(HWND hWnd, int cxLeftWidth, int cxRightWidth, int cyTopHeight,
                                         int cyBottomHeight)
{
    MARGINS margins = {cxLeftWidth, cxRightWidth, cyTopHeight, cyBottomHeight};
    return GuardedCall<DwmTable::PFNEXTENDFRAME>(Dwm().pfnExtendFrame, HRESULT(E_FAIL),
                                                 hWnd, static_cast<const MARGINS*>(&margins));
}
