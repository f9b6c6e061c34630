// CXTPCommandBarsFrameHook: the object through which a command-bars manager takes over the frame
// of its site window. This part holds what the manager relies on today: attaching to a manager
// (its site's window) and detaching, and whether the frame is left to desktop composition. The
// frame drawing (caption, borders, caption buttons, region) comes with the frame-drawing code; until
// then the hook passes every message on.
#pragma once

#include "toolkit/commandbars/managers/XTPHookManager.h"

class CXTPCommandBars;

class CXTPCommandBarsFrameHook : public CXTPHookManagerHookAble
{
public:
    CXTPCommandBarsFrameHook() = default;
    ~CXTPCommandBarsFrameHook() override;

    // Attaches to the manager's site window (null detaches). Composition is on for a frame that is
    // not a child window while desktop composition is enabled.
    void SetCommandBars(CXTPCommandBars* pCommandBars);
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    HWND GetSite() const { return m_hwndSite; }
    BOOL IsAttached() const { return m_pCommandBars != nullptr; }
    // The frame is drawn with desktop composition.
    BOOL IsDwmEnabled() const { return m_pCommandBars != nullptr && m_bDwmEnabled; }

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

protected:
    HWND m_hwndSite = nullptr;
    CXTPCommandBars* m_pCommandBars = nullptr;
    BOOL m_bActive = TRUE;
    BOOL m_bDwmEnabled = FALSE;
};
