// CXTPCommandBarsSystemQuery: the system facts the command bars read (the drop-shadow setting,
// the screen's colour depth, work areas, the keyboard layout's key names). One process-wide object answers them from the system;
// tests install their own to fix the answers.
#pragma once

#include <windows.h>

class CXTPCommandBarsSystemQuery
{
public:
    virtual ~CXTPCommandBarsSystemQuery() = default;

    // SPI_GETDROPSHADOW.
    virtual BOOL IsDropShadowEnabled();
    // SPI_GETKEYBOARDCUES: FALSE when the call fails, else bShow is the system's setting.
    virtual BOOL GetKeyboardCues(BOOL& bShow);
    // Bits per pixel of the screen.
    virtual int GetScreenBitsPerPixel();
    // The primary screen's size (SM_CXSCREEN, SM_CYSCREEN): saved bar places are scaled by it.
    virtual SIZE GetScreenSize();
    // The work area of the monitor nearest to the point.
    virtual RECT GetWorkArea(POINT pt);
    // The work area of the monitor nearest to the window (the primary one for a null window).
    virtual RECT GetWorkArea(HWND hWnd);

    // What the command-bars manager reads. The name of the desktop that receives input: 1 when read,
    // 0 when the desktop cannot be opened, -1 when its name cannot be read.
    virtual int GetInputDesktopName(CHAR* pszName, int cchName);
    // Desktop composition is on (dwmapi; FALSE without it).
    virtual BOOL IsCompositionEnabled();
    // Sounds: a bar beeps for a key that selects nothing (MessageBeep).
    virtual BOOL MessageBeep(UINT uType);
    // Popup bars: SPI_GETMENUANIMATION and SPI_GETMENUFADE (FALSE when the call fails).
    virtual BOOL GetMenuAnimation(BOOL& bAnimation);
    virtual BOOL GetMenuFade(BOOL& bFade);
    // Popup bars: the random number that picks an animation (rand()).
    virtual int Random();
    // Modal mouse loops: the thread's next message as GetMessage answers it (0 for WM_QUIT, -1 when
    // the call fails).
    virtual int GetNextMessage(MSG* pMsg);
    // Key names of the keyboard layout (shortcuts): the scan code of a virtual key in the thread's
    // layout (MapVirtualKeyEx type 0), and GetKeyNameText for key data (scan code in bits 16-23,
    // extended bit 24).
    virtual UINT MapVirtualKeyToScanCode(UINT nVirtKey);
    virtual int GetKeyNameText(LONG lParam, CHAR* pszName, int cchName);
    // Edit fields: the clock of a held spin button's acceleration (GetTickCount).
    virtual DWORD GetTickCount();
    // Timers of modal loops (the held spin button): ::SetTimer.
    virtual UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse);
    // Scroll-bar tracking: the repeat delays follow the double-click time (::GetDoubleClickTime).
    virtual UINT GetDoubleClickTime();
    // The shell's auto-completion for an edit window: shlwapi's "SHAutoComplete", bound by name;
    // E_FAIL when the library or the function is missing.
    virtual HRESULT ShellAutoComplete(HWND hWndEdit, DWORD dwFlags);
    // The frame hook: the taskbar hides itself (SHAppBarMessage ABM_GETSTATE has ABS_AUTOHIDE).
    virtual BOOL IsTaskbarAutoHide();
    // The frame hook: the window manager's extension of the frame into the client area (dwmapi;
    // E_FAIL without it).
    virtual HRESULT ExtendFrameIntoClientArea(HWND hWnd, int cxLeft, int cxRight, int cyTop, int cyBottom);
    // Hyperlinks: a verb of the shell on a file or an address (ShellExecute without parameters or
    // folder); above 32 when it worked.
    virtual INT_PTR OpenWithShell(HWND hWnd, LPCSTR lpszVerb, LPCSTR lpszFile, int nShowCmd);

    // What the paint manager's fonts read: the non-client metrics (340-byte record), the icon
    // title font, whether the system is Windows XP or later (ClearType quality), whether a face is
    // installed, and the screen's pixels per inch (read once, then cached).
    virtual BOOL GetNonClientMetrics(NONCLIENTMETRICSA* pMetrics);
    virtual BOOL GetIconTitleFont(LOGFONTA* pLogFont);
    virtual BOOL IsWindowsXPOrLater();
    virtual BOOL IsFontInstalled(LPCSTR pszFaceName);
    virtual SIZE GetScreenDpi();
};

// The installed object (the system's when none was set).
CXTPCommandBarsSystemQuery* GetCommandBarsSystemQuery();
// Installs another object (not owned; null restores the system's); returns the previous one.
CXTPCommandBarsSystemQuery* SetCommandBarsSystemQuery(CXTPCommandBarsSystemQuery* pQuery);
