// CXTPCommandBarAnimation: the painter of one command bar. It keeps the bar's last picture in a
// cached bitmap; a redraw of a rectangle paints the new picture off screen and, when it differs in
// any byte from the cached one, cross-fades it in over six steps of 50 ms (timer 707907 on the bar).
#pragma once

#include "framework/Array.h"
#include "framework/Geometry.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"

#include <windows.h>

class CDC;
class CXTPCommandBar;

// Interval (ms) of the bar's animation timer XTP_TID_COMMANDBAR_ANIMATION (XTPCommandBarsIds.h).
constexpr UINT XTP_COMMANDBAR_ANIMATION_ELAPSE = 50;
// Steps of one cross-fade: 1-5 blend, 6 copies the final picture.
constexpr int XTP_COMMANDBAR_ANIMATION_STEPS = 6;

class CXTPCommandBarAnimation
{
public:
    // One running cross-fade: the new and the old picture of the rectangle (32-bit top-down DIB
    // sections), the step (1 to 6) and the rectangles later redraws excluded from it.
    class CAnimateInfo
    {
    public:
        CAnimateInfo() = default;
        ~CAnimateInfo();
        CAnimateInfo(const CAnimateInfo&) = delete;
        CAnimateInfo& operator=(const CAnimateInfo&) = delete;

        // Makes both pictures for rc; FALSE when a bitmap cannot be made.
        BOOL Create(const CRect& rc);
        // Bytes in one picture (width * height * 4).
        size_t GetByteCount() const;
        BOOL IsSamePicture() const;

        HBITMAP m_hbmNew = nullptr;
        BYTE* m_pBitsNew = nullptr;
        HBITMAP m_hbmOld = nullptr;
        BYTE* m_pBitsOld = nullptr;
        CRect m_rc;
        int m_nStep = 1;
        CArray<CRect, const CRect&> m_arrExclude;
    };

    explicit CXTPCommandBarAnimation(CXTPCommandBar* pBar);
    virtual ~CXTPCommandBarAnimation();
    CXTPCommandBarAnimation(const CXTPCommandBarAnimation&) = delete;
    CXTPCommandBarAnimation& operator=(const CXTPCommandBarAnimation&) = delete;

    // Active when enabled here or when the bar's paint manager animates.
    BOOL IsAnimationActive() const;
    void EnableAnimation(BOOL bEnable) { m_bAnimation = bEnable; }
    BOOL IsAnimationEnabled() const { return m_bAnimation; }
    void EnableDoubleBuffer(BOOL bEnable) { m_bDoubleBuffer = bEnable; }
    BOOL IsDoubleBufferEnabled() const { return m_bDoubleBuffer; }

    // The bar's Redraw: see the class comment. Without a rectangle the cache is dropped.
    void RedrawRect(LPCRECT lpRect, BOOL bAnimate);
    // One step of every running cross-fade (timer 707907); the timer stops with the last one.
    void OnAnimate();
    // WM_PAINT of the bar: pDC is the paint DC, rcUpdate the update rectangle.
    void OnPaint(CDC* pDC, const CRect& rcUpdate);
    // The bar's window is destroyed: the cross-fades end and the timer stops.
    void OnDestroy();

    // Draws the frame of the record's current step onto hDC at the record's rectangle.
    void DrawAnimationFrame(HDC hDC, CAnimateInfo* pInfo);
    // Steps 1-5: each byte is (new * w + old * (255 - w)) >> 8 with w = step * 255 / 6.
    static void BlendBytes(BYTE* pDest, const BYTE* pNew, const BYTE* pOld, size_t nBytes, int nStep);

    int GetAnimationCount() const { return static_cast<int>(m_arrAnimation.GetSize()); }
    CAnimateInfo* GetAnimation(int nIndex) const { return m_arrAnimation[nIndex]; }
    BOOL IsTimerRunning() const { return m_nTimer != 0; }
    HBITMAP GetCache() const { return m_hbmCache; }
    BOOL IsDirty() const { return m_bDirty; }
    void RemoveAnimations();

protected:
    // The bar paints the part rcClip of itself into pDC (client coordinates). By default the bar's
    // window is asked with WM_PRINTCLIENT.
    virtual void DrawBar(CDC* pDC, const CRect& rcClip);
    virtual HWND GetBarWindow() const;
    virtual CRect GetBarClientRect() const;
    // Where frames and direct copies go: the bar window's DC by default.
    virtual HDC GetFrameDC();
    virtual void ReleaseFrameDC(HDC hDC);

private:
    // A 32-bit top-down DIB section of the size; the bits through ppBits.
    static HBITMAP CreateBitmap(int cx, int cy, BYTE** ppBits);
    void PaintInto(HBITMAP hbm, const CRect& rcClip);
    void CopyFromCache(HDC hDC, const CRect& rc);
    void KillAnimationTimer();

    CXTPCommandBar* m_pBar;
    HBITMAP m_hbmCache = nullptr;
    CSize m_szCache = CSize(0, 0);
    CArray<CAnimateInfo*, CAnimateInfo*> m_arrAnimation;
    UINT_PTR m_nTimer = 0;
    BOOL m_bDirty = FALSE;
    BOOL m_bAnimation = FALSE;
    BOOL m_bDoubleBuffer = TRUE;
};
