// CXTPCommandBarsSystemQuery: the system facts the command bars read (the drop-shadow setting,
// the screen's colour depth, work areas). One process-wide object answers them from the system;
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
};

// The installed object (the system's when none was set).
CXTPCommandBarsSystemQuery* GetCommandBarsSystemQuery();
// Installs another object (not owned; null restores the system's); returns the previous one.
CXTPCommandBarsSystemQuery* SetCommandBarsSystemQuery(CXTPCommandBarsSystemQuery* pQuery);
