#include "toolkit/commandbars/managers/XTPShadowManager.h"

#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/common/drawing/XTPColorManager.h"

#include <vector>

namespace
{
DWORD ShadowPixel(COLORREF clr, int nAlpha, int nNum, int nDen)
{
    if (nAlpha > 255)
        nAlpha = 255;
    DWORD r = static_cast<DWORD>(GetRValue(clr) * nNum / nDen);
    DWORD g = static_cast<DWORD>(GetGValue(clr) * nNum / nDen);
    DWORD b = static_cast<DWORD>(GetBValue(clr) * nNum / nDen);
    return (static_cast<DWORD>(nAlpha) << 24) | (r << 16) | (g << 8) | b;
}
} // namespace

// ---------------------------------------------------------------- pixel and placement rules

RECT CXTPShadowManager::GetShadowRect(int nKind, const RECT& rcOwner, int nDepth)
{
    switch (nKind)
    {
    case shadowBottom:
        return RECT{rcOwner.left + nDepth, rcOwner.bottom, rcOwner.right + nDepth, rcOwner.bottom + nDepth};
    case shadowRight:
        return RECT{rcOwner.right, rcOwner.top + nDepth, rcOwner.right + nDepth, rcOwner.bottom};
    default:
        return RECT{rcOwner.right - 1, rcOwner.bottom - 1, rcOwner.right, rcOwner.bottom};
    }
}

void CXTPShadowManager::ComputeShadowPixels(int nKind, int cx, int cy, int k, COLORREF clrShadow, DWORD* pPixels)
{
    for (int y = 0; y < cy; ++y)
    {
        for (int x = 0; x < cx; ++x)
        {
            DWORD& px = pPixels[y * cx + x];
            if (nKind == shadowCorner)
            {
                px = ShadowPixel(clrShadow, 60 * k, 1, 1);
            }
            else if (nKind == shadowBottom)
            {
                int r = cy - y;                       // row from the lowest, 1 at the bottom
                int n = x + 1 < cx - x ? x + 1 : cx - x; // column from the nearer end
                if (n <= 4)
                    px = ShadowPixel(clrShadow, 3 * k * n * r, n * r, 20);
                else
                    px = ShadowPixel(clrShadow, 15 * k * r, r, 4);
            }
            else
            {
                int n = cx - x; // column from the outer edge
                int r = y + 1;  // row from the top
                if (r <= 4)
                    px = ShadowPixel(clrShadow, 3 * k * n * r, n * r, 20);
                else
                    px = ShadowPixel(clrShadow, 15 * k * n, n, 4);
            }
        }
    }
}

// ---------------------------------------------------------------- shadow window

CXTPShadowManager::CShadowWnd::CShadowWnd(CXTPShadowManager* pManager, int nKind)
    : m_nKind(nKind), m_pManager(pManager)
{
    m_pManager->InternalAddRef();
}

CXTPShadowManager::CShadowWnd::~CShadowWnd()
{
    if (m_hWnd)
        DestroyWindow();
    m_pManager->InternalRelease();
}

BOOL CXTPShadowManager::CShadowWnd::Create(const RECT& rc, HWND hWndOwner, BOOL bKeepPosition, BOOL bGroup)
{
    m_hWndOwner = hWndOwner;
    m_bKeepPosition = bKeepPosition;
    m_bGroup = bGroup;
    BOOL bAlpha = m_pManager->IsAlphaShadow();
    LPCSTR lpszClass =
        AfxRegisterWndClass(m_pManager->m_bSaveBits ? (CS_SAVEBITS | CS_OWNDC) : 0, LoadCursor(nullptr, IDC_ARROW));
    HWND hWndParent = hWndOwner ? ::GetParent(hWndOwner) : nullptr;
    return CreateEx(WS_EX_TOOLWINDOW | (bAlpha ? WS_EX_LAYERED : 0), lpszClass, "", WS_POPUP, rc.left, rc.top,
                    rc.right - rc.left, rc.bottom - rc.top, hWndParent, nullptr);
}

int CXTPShadowManager::CShadowWnd::OnHookMessage(HWND /*hWnd*/, UINT nMessage, WPARAM& wParam, LPARAM& /*lParam*/,
                                                 LRESULT& /*lResult*/)
{
    if (nMessage == WM_SHOWWINDOW && m_hWnd)
    {
        ::ShowWindow(m_hWnd, wParam ? SW_SHOWNA : SW_HIDE);
    }
    else if (nMessage == WM_DESTROY)
    {
        GetHookManager()->RemoveHook(m_hWndOwner, this);
        DestroyWindow(); // deletes the object (PostNcDestroy)
    }
    return 0;
}

LRESULT CXTPShadowManager::CShadowWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE)
    {
        LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if (LOWORD(lParam) && HIWORD(lParam) && m_hWndOwner && ::IsWindow(m_hWndOwner) &&
            m_pManager->m_pfnUpdateLayeredWindow && m_pManager->IsAlphaShadow())
            UpdateLayered();
        return lResult;
    }
    if (message == WM_PAINT && !m_pManager->IsAlphaShadow())
    {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(m_hWnd, &ps);
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        HBRUSH hBrush = ::CreateSolidBrush(GetColorManager()->GetColor(COLOR_BTNSHADOW));
        ::FillRect(hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    if (message == WM_NCHITTEST)
        return HTTRANSPARENT;
    return CWnd::WindowProc(message, wParam, lParam);
}

void CXTPShadowManager::CShadowWnd::UpdateLayered()
{
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0)
        return;
    std::vector<DWORD> pixels(static_cast<size_t>(cx) * cy);
    ComputeShadowPixels(m_nKind, cx, cy, (m_pManager->m_dwOptions & 1) ? 1 : 2, m_pManager->m_clrShadow,
                        pixels.data());

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy; // bottom-up
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hMem && hBitmap && pBits)
    {
        DWORD* pDest = static_cast<DWORD*>(pBits);
        for (int y = 0; y < cy; ++y)
            memcpy(pDest + static_cast<size_t>(cy - 1 - y) * cx, pixels.data() + static_cast<size_t>(y) * cx,
                   sizeof(DWORD) * cx);
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        POINT ptSrc = {0, 0};
        SIZE size = {cx, cy};
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        m_pManager->m_pfnUpdateLayeredWindow(m_hWnd, nullptr, nullptr, &size, hMem, &ptSrc, 0, &blend, ULW_ALPHA);
        ::SelectObject(hMem, hOld);
    }
    if (hBitmap)
        ::DeleteObject(hBitmap);
    if (hMem)
        ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
}

void CXTPShadowManager::CShadowWnd::PostNcDestroy()
{
    POSITION pos = m_pManager->m_lstShadow.Find(this);
    if (pos)
        m_pManager->m_lstShadow.RemoveAt(pos);
    GetHookManager()->RemoveAll(static_cast<CXTPHookManagerHookAble*>(this));
    delete this;
}

// ---------------------------------------------------------------- manager

CXTPShadowManager::CXTPShadowManager()
{
    HMODULE hUser32 = GetModuleHandleA("USER32");
    if (hUser32)
        m_pfnUpdateLayeredWindow =
            reinterpret_cast<PFNUPDATELAYEREDWINDOW>(GetProcAddress(hUser32, "UpdateLayeredWindow"));
}

CXTPShadowManager::~CXTPShadowManager()
{
    // Shadows hold a reference on the manager, so none is left here.
}

BOOL CXTPShadowManager::IsAlphaShadow() const
{
    if (!m_pfnUpdateLayeredWindow)
        return FALSE;
    int& nCached = const_cast<int&>(m_nCachedAlpha);
    if (nCached < 0)
        nCached = GetCommandBarsSystemQuery()->GetScreenBitsPerPixel() > 8 ? 1 : 0;
    return nCached == 1;
}

void CXTPShadowManager::ResetCachedState()
{
    m_nCachedAlpha = -1;
}

CXTPShadowManager::CShadowWnd* CXTPShadowManager::GetShadowAt(int nIndex) const
{
    POSITION pos = m_lstShadow.FindIndex(nIndex);
    return pos ? static_cast<CShadowWnd*>(m_lstShadow.GetAt(pos)) : nullptr;
}

void CXTPShadowManager::SetMenuShadow(CWnd* pPopup, const RECT* lpExclude, BOOL bGroup)
{
    if (!pPopup || !pPopup->GetSafeHwnd())
        return;
    if (!(m_dwOptions & 1) && (!IsAlphaShadow() || !GetCommandBarsSystemQuery()->IsDropShadowEnabled()))
        return;
    RECT rc;
    ::GetWindowRect(pPopup->GetSafeHwnd(), &rc);
    CreateShadow(shadowBottom, rc, lpExclude, pPopup, FALSE, bGroup);
    CreateShadow(shadowRight, rc, lpExclude, pPopup, FALSE, bGroup);
}

void CXTPShadowManager::SetControlShadow(int nLeft, int nTop, int nRight, int nBottom, CWnd* pOwner)
{
    if ((m_dwOptions & 3) != 3 || !pOwner || !pOwner->GetSafeHwnd())
        return;
    RECT rc = {nLeft, nTop, nRight, nBottom};
    CreateShadow(shadowBottom, rc, nullptr, pOwner, TRUE, FALSE);
    CreateShadow(shadowRight, rc, nullptr, pOwner, TRUE, FALSE);
}

void CXTPShadowManager::AdjustToNeighbours(int nKind, RECT& rc) const
{
    // A bottom shadow and a right-hand shadow of neighbouring owners meet without overlapping:
    // the new shadow gives way where it touches one of the other kind.
    POSITION pos = m_lstShadow.GetHeadPosition();
    while (pos)
    {
        const CShadowWnd* pShadow = static_cast<const CShadowWnd*>(m_lstShadow.GetNext(pos));
        if (pShadow->m_nKind == nKind || pShadow->m_nKind == shadowCorner || !pShadow->GetSafeHwnd())
            continue;
        RECT rcOther;
        ::GetWindowRect(pShadow->GetSafeHwnd(), &rcOther);
        RECT rcMeet;
        if (!::IntersectRect(&rcMeet, &rc, &rcOther))
            continue;
        if (nKind == shadowBottom)
        {
            if (rcOther.left >= rc.left && rcOther.left < rc.right)
                rc.right = rcOther.left;
        }
        else if (rcOther.top >= rc.top && rcOther.top < rc.bottom)
        {
            rc.bottom = rcOther.top;
        }
    }
}

CXTPShadowManager::CShadowWnd* CXTPShadowManager::CreateShadow(int nKind, const RECT& rcOwner, const RECT* lpExclude,
                                                               CWnd* pOwner, BOOL bKeepPosition, BOOL bGroup)
{
    int nDepth = IsAlphaShadow() ? 4 : 2;
    RECT rc = GetShadowRect(nKind, rcOwner, nDepth);
    AdjustToNeighbours(nKind, rc);
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return nullptr;

    CShadowWnd* pShadow = new CShadowWnd(this, nKind);
    HWND hWndOwner = pOwner->GetSafeHwnd();
    if (!pShadow->Create(rc, hWndOwner, bKeepPosition, bGroup))
    {
        delete pShadow;
        return nullptr;
    }
    m_lstShadow.AddTail(pShadow);

    // Window region: the exclusion rectangle and the other owners of the same group are cut out.
    HRGN hRgn = ::CreateRectRgn(0, 0, rc.right - rc.left, rc.bottom - rc.top);
    BOOL bCut = FALSE;
    if ((m_dwOptions & 2) && lpExclude)
    {
        HRGN hCut = ::CreateRectRgn(lpExclude->left - rc.left, lpExclude->top - rc.top, lpExclude->right - rc.left,
                                    lpExclude->bottom - rc.top);
        ::CombineRgn(hRgn, hRgn, hCut, RGN_DIFF);
        ::DeleteObject(hCut);
        bCut = TRUE;
    }
    POSITION pos = m_lstShadow.GetHeadPosition();
    while (pos)
    {
        CShadowWnd* pOther = static_cast<CShadowWnd*>(m_lstShadow.GetNext(pos));
        if (pOther == pShadow || pOther->m_bGroup != bGroup || !::IsWindow(pOther->m_hWndOwner))
            continue;
        if (nKind == shadowCorner && pOther->m_hWndOwner == hWndOwner)
            continue;
        RECT rcOther;
        ::GetWindowRect(pOther->m_hWndOwner, &rcOther);
        HRGN hCut = ::CreateRectRgn(rcOther.left - rc.left, rcOther.top - rc.top, rcOther.right - rc.left,
                                    rcOther.bottom - rc.top);
        ::CombineRgn(hRgn, hRgn, hCut, RGN_DIFF);
        ::DeleteObject(hCut);
        bCut = TRUE;
    }
    if (bCut)
    {
        ::SetWindowRgn(pShadow->GetSafeHwnd(), hRgn, FALSE); // the window owns the region now
        pShadow->m_bRegionSet = TRUE;
    }
    else
    {
        ::DeleteObject(hRgn);
    }

    // Just above the owner in the Z order.
    HWND hWndAfter = HWND_TOP;
    if (::GetWindowLongA(hWndOwner, GWL_EXSTYLE) & WS_EX_TOPMOST)
        hWndAfter = HWND_TOPMOST;
    else if (HWND hAbove = ::GetWindow(hWndOwner, GW_HWNDPREV))
        hWndAfter = hAbove;
    ::SetWindowPos(pShadow->GetSafeHwnd(), hWndAfter, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (IsAlphaShadow())
        pShadow->UpdateLayered();
    GetHookManager()->SetHook(hWndOwner, pShadow);
    return pShadow;
}

void CXTPShadowManager::OffsetShadows(CWnd* pOwner, int dx, int dy)
{
    HWND hWndOwner = pOwner->GetSafeHwnd();
    BOOL bRtl = hWndOwner && (::GetWindowLongA(hWndOwner, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
    POSITION pos = m_lstShadow.GetHeadPosition();
    while (pos)
    {
        CShadowWnd* pShadow = static_cast<CShadowWnd*>(m_lstShadow.GetNext(pos));
        if (pShadow->m_hWndOwner != hWndOwner || pShadow->m_bKeepPosition || !pShadow->GetSafeHwnd())
            continue;
        RECT rc;
        ::GetWindowRect(pShadow->GetSafeHwnd(), &rc);
        if (pShadow->m_bRegionSet)
        {
            ::SetWindowRgn(pShadow->GetSafeHwnd(), nullptr, FALSE);
            pShadow->m_bRegionSet = FALSE;
        }
        if (bRtl)
        {
            if (pShadow->m_nKind == shadowBottom)
                ::OffsetRect(&rc, -dx, dy);
            else
                rc.bottom += dy;
        }
        else if (pShadow->m_nKind == shadowBottom)
        {
            rc.right += dx;
            ::OffsetRect(&rc, 0, dy);
        }
        else if (pShadow->m_nKind == shadowCorner)
        {
            ::OffsetRect(&rc, 0, dy);
        }
        else
        {
            ::OffsetRect(&rc, dx, 0);
            rc.bottom += dy;
        }
        ::SetWindowPos(pShadow->GetSafeHwnd(), nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    }
}

void CXTPShadowManager::RemoveShadows(CWnd* pOwner)
{
    HWND hWndOwner = pOwner->GetSafeHwnd();
    CArray<CShadowWnd*, CShadowWnd*> shadows;
    POSITION pos = m_lstShadow.GetHeadPosition();
    while (pos)
    {
        CShadowWnd* pShadow = static_cast<CShadowWnd*>(m_lstShadow.GetNext(pos));
        if (pShadow->m_hWndOwner == hWndOwner)
            shadows.Add(pShadow);
    }
    for (INT_PTR i = 0; i < shadows.GetSize(); ++i)
    {
        GetHookManager()->RemoveHook(hWndOwner, shadows[i]);
        shadows[i]->DestroyWindow(); // deletes it
    }
}
