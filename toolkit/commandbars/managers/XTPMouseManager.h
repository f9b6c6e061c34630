// CXTPKeyboardManager and CXTPMouseManager: per-thread objects that watch the thread's keys and
// clicks through thread hooks while command bars track (menus open), end tracking on clicks
// outside the tracked bars and on switching applications, and emulate mouse-leave tracking.
#pragma once

#include "framework/Array.h"
#include "framework/Geometry.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/managers/XTPHookManager.h"

class CXTPCommandBar;

class CXTPKeyboardManager
{
public:
    CXTPKeyboardManager();
    virtual ~CXTPKeyboardManager();
    CXTPKeyboardManager(const CXTPKeyboardManager&) = delete;
    CXTPKeyboardManager& operator=(const CXTPKeyboardManager&) = delete;

    void HookKeyboard(CXTPHookManagerHookAble* pHook);
    void UnhookKeyboard(CXTPHookManagerHookAble* pHook);
    BOOL IsKeyboardHooked() const { return m_hHookKeyboard != nullptr; }
    BOOL IsReceiver(CXTPHookManagerHookAble* pHook) const;
    int GetReceiverCount() const { return static_cast<int>(m_arrReceivers.GetSize()); }

    // Offers a message to the receivers, last added first. The first non-zero answer decides:
    // TRUE unless it was 2. TRUE when nobody answers.
    BOOL OfferToReceivers(UINT nMessage, WPARAM wParam, LPARAM lParam);

    // The hook bodies (the hook procedures forward here): TRUE eats the key.
    BOOL ProcessKeyboardHook(WPARAM wParam, LPARAM lParam);
    void ProcessCallWndProcHook(UINT nMessage, WPARAM wParam);

private:
    static LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndProc(int nCode, WPARAM wParam, LPARAM lParam);
    void Unhook();

    HHOOK m_hHookKeyboard = nullptr;
    HHOOK m_hHookCallWndProc = nullptr;
    CArray<CXTPHookManagerHookAble*, CXTPHookManagerHookAble*> m_arrReceivers;
};

class CXTPMouseManager
{
public:
    class CTrackArray : public CArray<CXTPCommandBar*, CXTPCommandBar*>
    {
    public:
        INT_PTR Find(const CXTPCommandBar* pBar) const;
    };
    class CTrustedArray : public CArray<HWND, HWND>
    {
    public:
        INT_PTR Find(HWND hWnd) const;
    };

    CXTPMouseManager();
    virtual ~CXTPMouseManager();
    CXTPMouseManager(const CXTPMouseManager&) = delete;
    CXTPMouseManager& operator=(const CXTPMouseManager&) = delete;

    void SetTrackingBar(CXTPCommandBar* pBar);
    void RemoveTrackingBar(CXTPCommandBar* pBar);
    void SendTrackLostAll();
    void LockTrackingBars(BOOL bLock);
    BOOL IsMouseLocked(const CXTPCommandBar* pBar = nullptr) const;
    BOOL IsTrackedLock(const CXTPCommandBar* pBar = nullptr) const { return IsMouseLocked(pBar); }
    void AddTrustedWindow(HWND hWnd);
    void RemoveTrustedWindow(HWND hWnd);
    BOOL IsTrustedWindow(HWND hWnd) const { return m_arrTrusted.Find(hWnd) >= 0; }
    void TrackMouseLeave(HWND hWnd);
    BOOL IsClickOutsideTrackedBars(const CXTPCommandBar* pBar, UINT nMessage);
    // The tracked bar under a screen point, last added first; null when none.
    CXTPCommandBar* HitTestTrackedBar(POINT pt) const;

    const CTrackArray& GetTrackArray() const { return m_arrTracking; }
    BOOL IsTracking() const { return m_arrTracking.GetSize() > 0; }
    // The number of tracked popup bars (open menus and popups).
    int GetOpenPopupCount() const;
    // The bar whose hot control was set last (cleared when no bar tracks).
    CXTPCommandBar* GetSelected() const { return m_pSelected; }
    void SetSelected(CXTPCommandBar* pBar) { m_pSelected = pBar; }
    void SetIgnoreLButtonUp() { m_bIgnoreLButtonUp = TRUE; }
    void SetForceExpanded(BOOL bForce) { m_bForceExpanded = bForce; }
    HWND GetMouseLeaveWindow() const { return m_hwndLeave; }
    int m_nLock = 0; // clicks are not turned into track-lost while positive

    // The hook body (the hook procedure forwards here): TRUE eats the message.
    BOOL ProcessMouseHook(UINT nMessage, POINT pt);

    static const UINT_PTR kMouseLeaveTimer = XTP_TID_MOUSELEAVE;

private:
    static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK MouseLeaveTimerProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);
    BOOL IsTrustedPoint(POINT pt) const;
    static BOOL IsImeWindow(HWND hWnd);

    CTrackArray m_arrTracking;
    CTrustedArray m_arrTrusted;
    HHOOK m_hHookMouse = nullptr;
    BOOL m_bIgnoreLButtonUp = FALSE;
    BOOL m_bForceExpanded = FALSE;
    HWND m_hwndLeave = nullptr;
    CXTPCommandBar* m_pSelected = nullptr;
    POINT m_ptLast = {-1, -1};
};

// The calling thread's managers (built on first use, freed when the thread ends).
CXTPKeyboardManager* XTPKeyboardManager();
CXTPMouseManager* XTPMouseManager();
