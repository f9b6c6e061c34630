#include "toolkit/commandbars/bars/XTPCommandBarAnimation.h"

#include "framework/DC.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/drawing/XTPScopedDC.h"

#include <cstring>

// ---------------------------------------------------------------- records

CXTPCommandBarAnimation::CAnimateInfo::~CAnimateInfo()
{
    if (m_hbmNew)
        DeleteObject(m_hbmNew);
    if (m_hbmOld)
        DeleteObject(m_hbmOld);
}

BOOL CXTPCommandBarAnimation::CAnimateInfo::Create(const CRect& rc)
{
    m_rc = rc;
    m_hbmNew = CXTPCommandBarAnimation::CreateBitmap(rc.Width(), rc.Height(), &m_pBitsNew);
    m_hbmOld = CXTPCommandBarAnimation::CreateBitmap(rc.Width(), rc.Height(), &m_pBitsOld);
    return m_hbmNew && m_hbmOld;
}

size_t CXTPCommandBarAnimation::CAnimateInfo::GetByteCount() const
{
    return static_cast<size_t>(m_rc.Width()) * static_cast<size_t>(m_rc.Height()) * 4;
}

BOOL CXTPCommandBarAnimation::CAnimateInfo::IsSamePicture() const
{
    GdiFlush();
    return std::memcmp(m_pBitsNew, m_pBitsOld, GetByteCount()) == 0;
}

// ---------------------------------------------------------------- animation

CXTPCommandBarAnimation::CXTPCommandBarAnimation(CXTPCommandBar* pBar) : m_pBar(pBar) {}

CXTPCommandBarAnimation::~CXTPCommandBarAnimation()
{
    RemoveAnimations();
    KillAnimationTimer();
    if (m_hbmCache)
        DeleteObject(m_hbmCache);
}

BOOL CXTPCommandBarAnimation::IsAnimationActive() const
{
    if (m_bAnimation)
        return TRUE;
    CXTPPaintManager* pPaintManager = m_pBar ? m_pBar->GetPaintManager() : nullptr;
    return pPaintManager && pPaintManager->m_bEnableAnimation;
}

HBITMAP CXTPCommandBarAnimation::CreateBitmap(int cx, int cy, BYTE** ppBits)
{
    *ppBits = nullptr;
    if (cx <= 0 || cy <= 0)
        return nullptr;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy; // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hbm = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (!hbm || !pBits)
    {
        if (hbm)
            DeleteObject(hbm);
        return nullptr;
    }
    *ppBits = static_cast<BYTE*>(pBits);
    return hbm;
}

void CXTPCommandBarAnimation::BlendBytes(BYTE* pDest, const BYTE* pNew, const BYTE* pOld, size_t nBytes, int nStep)
{
    const unsigned w = static_cast<unsigned>(nStep * 255 / XTP_COMMANDBAR_ANIMATION_STEPS);
    for (size_t i = 0; i < nBytes; ++i)
        pDest[i] = static_cast<BYTE>((pNew[i] * w + pOld[i] * (255 - w)) >> 8);
}

void CXTPCommandBarAnimation::DrawBar(CDC* pDC, const CRect& /*rcClip*/)
{
    HWND hWnd = GetBarWindow();
    if (hWnd && pDC)
        SendMessageA(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()), PRF_CLIENT);
}

HWND CXTPCommandBarAnimation::GetBarWindow() const
{
    return m_pBar ? m_pBar->GetSafeHwnd() : nullptr;
}

CRect CXTPCommandBarAnimation::GetBarClientRect() const
{
    CRect rc(0, 0, 0, 0);
    HWND hWnd = GetBarWindow();
    if (hWnd)
        ::GetClientRect(hWnd, &rc);
    return rc;
}

HDC CXTPCommandBarAnimation::GetFrameDC()
{
    HWND hWnd = GetBarWindow();
    return hWnd ? ::GetDC(hWnd) : nullptr;
}

void CXTPCommandBarAnimation::ReleaseFrameDC(HDC hDC)
{
    HWND hWnd = GetBarWindow();
    if (hWnd && hDC)
        ::ReleaseDC(hWnd, hDC);
}

void CXTPCommandBarAnimation::PaintInto(HBITMAP hbm, const CRect& rcClip)
{
    HDC hMem = CreateCompatibleDC(nullptr);
    if (!hMem)
        return;
    HGDIOBJ hOld = SelectObject(hMem, hbm);
    IntersectClipRect(hMem, rcClip.left, rcClip.top, rcClip.right, rcClip.bottom);
    CDC dc;
    dc.Attach(hMem);
    DrawBar(&dc, rcClip);
    dc.Detach();
    SelectObject(hMem, hOld);
    DeleteDC(hMem);
    GdiFlush();
}

namespace
{
// Copies rcSrc of hbmSrc to hDest at (x, y).
void CopyBitmap(HDC hDest, int x, int y, HBITMAP hbmSrc, const CRect& rcSrc)
{
    HDC hMem = CreateCompatibleDC(nullptr);
    if (!hMem)
        return;
    HGDIOBJ hOld = SelectObject(hMem, hbmSrc);
    BitBlt(hDest, x, y, rcSrc.Width(), rcSrc.Height(), hMem, rcSrc.left, rcSrc.top, SRCCOPY);
    SelectObject(hMem, hOld);
    DeleteDC(hMem);
}

// Copies rcSrc of hbmSrc into hbmDest at (x, y).
void CopyBitmapToBitmap(HBITMAP hbmDest, int x, int y, HBITMAP hbmSrc, const CRect& rcSrc)
{
    HDC hMem = CreateCompatibleDC(nullptr);
    if (!hMem)
        return;
    HGDIOBJ hOld = SelectObject(hMem, hbmDest);
    CopyBitmap(hMem, x, y, hbmSrc, rcSrc);
    SelectObject(hMem, hOld);
    DeleteDC(hMem);
    GdiFlush();
}
} // namespace

void CXTPCommandBarAnimation::CopyFromCache(HDC hDC, const CRect& rc)
{
    if (m_hbmCache && hDC)
        CopyBitmap(hDC, rc.left, rc.top, m_hbmCache, rc);
}

void CXTPCommandBarAnimation::KillAnimationTimer()
{
    if (!m_nTimer)
        return;
    HWND hWnd = GetBarWindow();
    if (hWnd)
        ::KillTimer(hWnd, XTP_TID_COMMANDBAR_ANIMATION);
    m_nTimer = 0;
}

void CXTPCommandBarAnimation::RemoveAnimations()
{
    for (INT_PTR i = 0; i < m_arrAnimation.GetSize(); ++i)
        delete m_arrAnimation[i];
    m_arrAnimation.RemoveAll();
}

void CXTPCommandBarAnimation::RedrawRect(LPCRECT lpRect, BOOL bAnimate)
{
    if (!lpRect)
    {
        if (m_hbmCache)
            DeleteObject(m_hbmCache);
        m_hbmCache = nullptr;
    }
    else if (m_hbmCache && IsAnimationActive())
    {
        CRect rcClient = GetBarClientRect();
        CRect rc;
        if (!rc.IntersectRect(lpRect, &rcClient))
            return;
        BYTE* pBits = nullptr;
        HBITMAP hbmNew = CreateBitmap(rcClient.Width(), rcClient.Height(), &pBits);
        if (!hbmNew)
            return;
        PaintInto(hbmNew, rc);

        // Records the new picture replaces entirely are dropped; others keep out of it.
        for (INT_PTR i = m_arrAnimation.GetSize() - 1; i >= 0; --i)
        {
            CAnimateInfo* pInfo = m_arrAnimation[i];
            CRect rcBoth;
            if (rc.left <= pInfo->m_rc.left && rc.top <= pInfo->m_rc.top && rc.right >= pInfo->m_rc.right &&
                rc.bottom >= pInfo->m_rc.bottom)
            {
                if (!bAnimate)
                {
                    delete pInfo;
                    m_arrAnimation.RemoveAt(i);
                }
            }
            else if (!bAnimate && rcBoth.IntersectRect(&pInfo->m_rc, &rc))
                pInfo->m_arrExclude.Add(rc);
        }

        if (bAnimate)
        {
            CAnimateInfo* pInfo = new CAnimateInfo();
            if (pInfo->Create(rc))
            {
                CopyBitmapToBitmap(pInfo->m_hbmNew, 0, 0, hbmNew, rc);
                CopyBitmapToBitmap(pInfo->m_hbmOld, 0, 0, m_hbmCache, rc);
                CopyBitmapToBitmap(m_hbmCache, rc.left, rc.top, hbmNew, rc);
                if (!pInfo->IsSamePicture())
                {
                    for (INT_PTR i = m_arrAnimation.GetSize() - 1; i >= 0; --i)
                    {
                        const CRect& r = m_arrAnimation[i]->m_rc;
                        if (rc.left <= r.left && rc.top <= r.top && rc.right >= r.right && rc.bottom >= r.bottom)
                        {
                            delete m_arrAnimation[i];
                            m_arrAnimation.RemoveAt(i);
                        }
                    }
                    m_arrAnimation.Add(pInfo);
                    pInfo = nullptr;
                    HWND hWnd = GetBarWindow();
                    if (!m_nTimer && hWnd)
                        m_nTimer = ::SetTimer(hWnd, XTP_TID_COMMANDBAR_ANIMATION, XTP_COMMANDBAR_ANIMATION_ELAPSE,
                                              nullptr);
                    CAnimateInfo* pFirst = m_arrAnimation[m_arrAnimation.GetSize() - 1];
                    HDC hDC = GetFrameDC();
                    if (hDC)
                    {
                        DrawAnimationFrame(hDC, pFirst);
                        ReleaseFrameDC(hDC);
                    }
                    pFirst->m_nStep++;
                }
            }
            else
            {
                // No bitmaps for the fade: the new picture goes straight to the screen.
                CopyBitmapToBitmap(m_hbmCache, rc.left, rc.top, hbmNew, rc);
                HDC hDC = GetFrameDC();
                CopyFromCache(hDC, rc);
                ReleaseFrameDC(hDC);
            }
            delete pInfo;
        }
        else
        {
            CopyBitmapToBitmap(m_hbmCache, rc.left, rc.top, hbmNew, rc);
            HDC hDC = GetFrameDC();
            CopyFromCache(hDC, rc);
            ReleaseFrameDC(hDC);
        }
        DeleteObject(hbmNew);
        return;
    }
    m_bDirty = TRUE;
    HWND hWnd = GetBarWindow();
    if (hWnd)
        ::InvalidateRect(hWnd, lpRect, FALSE);
}

void CXTPCommandBarAnimation::DrawAnimationFrame(HDC hDC, CAnimateInfo* pInfo)
{
    if (!hDC || !pInfo)
        return;
    int nSaved = SaveDC(hDC);
    for (INT_PTR i = 0; i < pInfo->m_arrExclude.GetSize(); ++i)
    {
        const CRect& r = pInfo->m_arrExclude[i];
        ExcludeClipRect(hDC, r.left, r.top, r.right, r.bottom);
    }
    if (pInfo->m_nStep >= XTP_COMMANDBAR_ANIMATION_STEPS)
        CopyFromCache(hDC, pInfo->m_rc);
    else
    {
        BYTE* pBits = nullptr;
        HBITMAP hbmFrame = CreateBitmap(pInfo->m_rc.Width(), pInfo->m_rc.Height(), &pBits);
        if (hbmFrame)
        {
            GdiFlush();
            BlendBytes(pBits, pInfo->m_pBitsNew, pInfo->m_pBitsOld, pInfo->GetByteCount(), pInfo->m_nStep);
            CopyBitmap(hDC, pInfo->m_rc.left, pInfo->m_rc.top, hbmFrame,
                       CRect(0, 0, pInfo->m_rc.Width(), pInfo->m_rc.Height()));
            DeleteObject(hbmFrame);
        }
    }
    RestoreDC(hDC, nSaved);
}

void CXTPCommandBarAnimation::OnAnimate()
{
    HDC hDC = m_arrAnimation.GetSize() ? GetFrameDC() : nullptr;
    for (INT_PTR i = 0; i < m_arrAnimation.GetSize();)
    {
        CAnimateInfo* pInfo = m_arrAnimation[i];
        DrawAnimationFrame(hDC, pInfo);
        if (++pInfo->m_nStep > XTP_COMMANDBAR_ANIMATION_STEPS)
        {
            delete pInfo;
            m_arrAnimation.RemoveAt(i);
        }
        else
            ++i;
    }
    if (hDC)
        ReleaseFrameDC(hDC);
    if (m_arrAnimation.GetSize() == 0)
        KillAnimationTimer();
}

void CXTPCommandBarAnimation::OnPaint(CDC* pDC, const CRect& rcUpdate)
{
    if (!pDC)
        return;
    CRect rcClient = GetBarClientRect();
    if (m_hbmCache && m_szCache != rcClient.Size())
    {
        DeleteObject(m_hbmCache);
        m_hbmCache = nullptr;
    }
    if (!IsAnimationActive() && !m_bDoubleBuffer)
    {
        if (m_hbmCache)
            DeleteObject(m_hbmCache);
        m_hbmCache = nullptr;
        {
            CXTPBufferDC dc(pDC->GetSafeHdc(), rcUpdate);
            DrawBar(&dc, rcUpdate);
        }
        RemoveAnimations();
    }
    else if (m_bDirty || !m_hbmCache)
    {
        CRect rcPaint = rcUpdate;
        if (!m_hbmCache)
        {
            BYTE* pBits = nullptr;
            m_hbmCache = CreateBitmap(rcClient.Width(), rcClient.Height(), &pBits);
            m_szCache = rcClient.Size();
            rcPaint = rcClient;
        }
        if (m_hbmCache)
        {
            PaintInto(m_hbmCache, rcPaint);
            CopyFromCache(pDC->GetSafeHdc(), rcUpdate);
        }
        RemoveAnimations();
    }
    else
        CopyFromCache(pDC->GetSafeHdc(), rcUpdate);
    m_bDirty = FALSE;
}

void CXTPCommandBarAnimation::OnDestroy()
{
    RemoveAnimations();
    KillAnimationTimer();
}
