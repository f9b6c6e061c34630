// CXTPWinThemeWrapper: the visual-styles functions of UXTHEME.DLL bound by name, so the toolkit
// runs where visual styles are missing; one wrapper holds one open theme. The desktop composition
// helpers bind dwmapi.dll the same way.
#pragma once

#include "framework/FrameworkString.h"

#include <uxtheme.h>
#include <windows.h>

// One process-wide table of bound theme functions. Two exist; a wrapper picks one by its selector.
struct CXTPThemeFunctionTable
{
    enum
    {
        nSlots = 52
    };
    HMODULE hModule = nullptr;
    DWORD dwComCtlVersion = 0;
    CString strModuleName;
    FARPROC slots[nSlots] = {};

    // Forgets every bound function.
    void ClearSlots();
};

class CXTPWinThemeWrapper
{
public:
    // nSelector 0 uses the first table and never re-checks the module; non-zero uses the second,
    // which follows UXTHEME being loaded or replaced later.
    explicit CXTPWinThemeWrapper(int nSelector = 0);
    virtual ~CXTPWinThemeWrapper();
    CXTPWinThemeWrapper(const CXTPWinThemeWrapper&) = delete;
    CXTPWinThemeWrapper& operator=(const CXTPWinThemeWrapper&) = delete;

    HTHEME OpenThemeData(HWND hWnd, LPCWSTR pszClassList);
    HRESULT CloseThemeData();
    BOOL HasTheme() const { return m_hTheme != nullptr; }
    HTHEME GetThemeHandle() const { return m_hTheme; }

    HRESULT DrawThemeBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect);
    HRESULT DrawThemeText(HDC hDC, int iPartId, int iStateId, LPCWSTR pszText, int iCharCount, DWORD dwTextFlags,
                          DWORD dwTextFlags2, const RECT* pRect);
    HRESULT DrawThemeTextEx(HDC hDC, int iPartId, int iStateId, LPCWSTR pszText, int iCharCount, DWORD dwFlags,
                            LPRECT pRect, const DTTOPTS* pOptions);
    HRESULT DrawThemeParentBackground(HWND hWnd, HDC hDC, const RECT* pRect);
    HRESULT GetThemeBackgroundContentRect(HDC hDC, int iPartId, int iStateId, const RECT* pBoundingRect,
                                          RECT* pContentRect);
    HRESULT GetThemePartSize(HDC hDC, int iPartId, int iStateId, const RECT* pRect, THEMESIZE eSize, SIZE* pSize);
    BOOL IsThemeBackgroundPartiallyTransparent(int iPartId, int iStateId);
    HRESULT GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor);
    HRESULT GetThemeInt(int iPartId, int iStateId, int iPropId, int* piVal);
    HRESULT GetThemeMargins(HDC hDC, int iPartId, int iStateId, int iPropId, const RECT* pRect, MARGINS* pMargins);
    COLORREF GetThemeSysColor(int iColorId);
    BOOL GetThemeSysBool(int iBoolId);
    HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars);
    BOOL IsAppThemed();
    BOOL IsThemeActive();
    // Visual styles active and COMCTL32 version 6 or later.
    BOOL IsModernThemeActive();
    HPAINTBUFFER BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                    BP_PAINTPARAMS* pPaintParams, HDC* phdc);
    void EndBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget);

    // The shared table of a selector (made on first use from "UXTHEME.DLL").
    static CXTPThemeFunctionTable* GetSharedTable(int nSelector);
    // Rebuilds a shared table from another module name (a name that does not exist leaves it
    // without a module) and the given COMCTL32 version (0: the system's). For tests and hosts that
    // bring their own theme library.
    static void ResetSharedTable(int nSelector, LPCSTR lpszModuleName, DWORD dwComCtlVersion = 0);

protected:
    // Compares the loaded module with the table's one (non-zero selectors only).
    void CheckModule();
    // The bound function of a slot, bound on first need; null when unavailable.
    FARPROC GetProc(int nSlot);
    CXTPThemeFunctionTable* Table() const { return GetSharedTable(m_nSelector); }

    HTHEME m_hTheme = nullptr;
    int m_nSelector;
};

// Desktop composition through dwmapi.dll (bound on first use); FALSE / E_FAIL when unavailable.
BOOL IsDwmCompositionEnabled();
// TRUE when the window manager handled the message (its result in *plResult); FALSE also when
// dwmapi is unavailable, so that callers never mistake a missing library for a handled message.
BOOL CallDwmDefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* plResult);
HRESULT CallDwmExtendFrameIntoClientArea(HWND hWnd, int cxLeftWidth, int cxRightWidth, int cyTopHeight,
                                         int cyBottomHeight);
