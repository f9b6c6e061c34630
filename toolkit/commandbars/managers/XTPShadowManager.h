// CXTPShadowManager: drop shadows under popups and open controls, drawn by small layered popup
// windows that follow their owner through the hook manager.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/PtrList.h"
#include "framework/Wnd.h"
#include "toolkit/commandbars/managers/XTPHookManager.h"

class CXTPShadowManager : public CCmdTarget
{
public:
    typedef BOOL(WINAPI* PFNUPDATELAYEREDWINDOW)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                 DWORD);

    enum
    {
        shadowRight = 0,
        shadowBottom = 1,
        shadowCorner = 2
    };

    class CShadowWnd : public CWnd, public CXTPHookManagerHookAble
    {
    public:
        CShadowWnd(CXTPShadowManager* pManager, int nKind);
        ~CShadowWnd() override;

        BOOL Create(const RECT& rcShadow, HWND hWndOwner, BOOL bKeepPosition, BOOL bGroup);
        int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
        void PostNcDestroy() override;
        // Fills the layered window from the pixel rule (alpha shadows only).
        void UpdateLayered();

        int m_nKind;
        BOOL m_bRegionSet = FALSE;
        HWND m_hWndOwner = nullptr;
        BOOL m_bGroup = FALSE;
        BOOL m_bKeepPosition = FALSE;
        CXTPShadowManager* m_pManager;
    };

    class CShadowList : public CPtrList
    {
    public:
        CShadowList() : CPtrList(10) {}
    };

    CXTPShadowManager();
    ~CXTPShadowManager() override;

    // A bottom, then a right-hand shadow under a popup's window rectangle.
    void SetMenuShadow(CWnd* pPopup, const RECT* lpExclude = nullptr, BOOL bGroup = FALSE);
    void SetControlShadow(int nLeft, int nTop, int nRight, int nBottom, CWnd* pOwner);
    void OffsetShadows(CWnd* pOwner, int dx, int dy);
    void RemoveShadows(CWnd* pOwner);
    BOOL IsAlphaShadow() const;
    // Forgets the cached screen facts (the paint manager's metrics refresh calls it).
    void ResetCachedState();

    int GetShadowCount() const { return static_cast<int>(m_lstShadow.GetCount()); }
    CShadowWnd* GetShadowAt(int nIndex) const;

    // The window rectangle of a shadow of a kind for an owner rectangle, at a depth (4 with
    // alpha shadows, 2 without).
    static RECT GetShadowRect(int nKind, const RECT& rcOwner, int nDepth);
    // The pixels of a shadow window, top row first, premultiplied 0xAARRGGBB; k is 1 for the
    // light option and 2 otherwise.
    static void ComputeShadowPixels(int nKind, int cx, int cy, int k, COLORREF clrShadow, DWORD* pPixels);

    DWORD m_dwOptions = 0; // 0x1 light shadows shown always; 0x2 cut the exclusion rectangle
    BOOL m_bSaveBits = TRUE;
    COLORREF m_clrShadow = 0;
    PFNUPDATELAYEREDWINDOW m_pfnUpdateLayeredWindow = nullptr;
    CShadowList m_lstShadow;

private:
    CShadowWnd* CreateShadow(int nKind, const RECT& rcOwner, const RECT* lpExclude, CWnd* pOwner,
                             BOOL bKeepPosition, BOOL bGroup);
    void AdjustToNeighbours(int nKind, RECT& rc) const;
    int m_nCachedAlpha = -1; // -1 unknown
};
