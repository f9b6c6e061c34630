// CXTPScrollBase: the scrolling block that controls mix in. It keeps a scroll bar's geometry (the
// layout record), hit-tests it, tracks the mouse on it (line and page repeat, thumb drag) and asks
// its owner to scroll; the paint manager's scroll-bar or slider painter draws it.
#pragma once

#include "framework/Wnd.h"

class CXTPScrollBarPaintManager;

// Scroll-bar parts, also the hit codes (0: outside).
enum XTPScrollBarPart
{
    xtpScrollPartNone = 0,
    xtpScrollPartUpArrow = 60,   // the first arrow (up or left)
    xtpScrollPartDownArrow = 61, // the second arrow (down or right)
    xtpScrollPartPageUp = 62,    // the track before the thumb
    xtpScrollPartPageDown = 63,  // the track after the thumb
    xtpScrollPartThumb = 64,
    xtpScrollPartPopup = 65 // the owner's extra part at the end of the bar
};

// Scroll-bar styles: 0 follows the paint manager's theme; 2 flat, 3 themed, 5 and 6 for themes
// that draw their own; any other draws with DrawFrameControl.
enum XTPScrollBarStyle
{
    xtpScrollStyleDefault = 0,
    xtpScrollStyleStandard = 1,
    xtpScrollStyleFlat = 2,
    xtpScrollStyleSystem = 3,
    xtpScrollStyleOffice = 5,
    xtpScrollStyleGallery = 6
};

// The layout record: what calculating the layout leaves for hit tests, tracking and painters.
// Coordinates along the bar's axis (y for a vertical bar, x for a horizontal one) are client
// coordinates of the owner's window.
struct XTP_SCROLLBAR_LAYOUT
{
    int nMin = 0;
    int nMax = 0;
    int nPage = 0; // never above the range (maximum - minimum + 1)
    int nPos = 0;  // kept within minimum ... maximum
    CRect rcBar;
    int pxStart = 0;     // the bar's start along the axis
    int pxEnd = 0;       // its end
    int cxArrow = 0;     // arrow size, at most half the length
    int pxUpArrow = 0;   // end of the first arrow
    int pxDownArrow = 0; // start of the second arrow
    int pxThumbTop = 0;
    int pxThumbBottom = 0;
    int cxThumb = 0;
    int pxTrack = 0;  // where the thumb's travel starts (the first arrow's end)
    int cpxTrack = 0; // the thumb's travel, never below 0
    BOOL bVertical = TRUE;
    int pxPopup = 0; // start of the owner's popup part; 0 none
};

class CXTPScrollBase
{
public:
    CXTPScrollBase();
    virtual ~CXTPScrollBase();
    CXTPScrollBase(const CXTPScrollBase&) = delete;
    CXTPScrollBase& operator=(const CXTPScrollBase&) = delete;

    // Virtual operations, in their order.
    virtual BOOL IsScrollBarEnabled() const = 0;
    virtual CWnd* GetParentWindow() const = 0;
    // Timer 23346 during and after a tracking loop; nothing in the base.
    virtual void OnAnimationTick() {}
    virtual CRect GetScrollBarRect() = 0;
    // Minimum, maximum, page and position (nMin, nMax, nPage, nPos of the record).
    virtual void GetScrollInfo(SCROLLINFO* pScrollInfo) = 0;
    // A Windows SB_ code with the position for SB_THUMBTRACK and SB_THUMBPOSITION.
    virtual void DoScroll(int nCode, int nPos) = 0;
    virtual void RedrawScrollBar() = 0;
    // Fills the layout record from the rectangle and the scroll information with the painter's
    // metrics (CalcLayout below).
    virtual void CalcScrollBarLayout(const CRect& rcBar, const SCROLLINFO& si, XTP_SCROLLBAR_LAYOUT& layout);
    virtual CXTPScrollBarPaintManager* GetScrollBarPaintManager() const = 0;

    // The layout rule (pure). cxArrow is the arrow metric along the axis; cxFixedThumb replaces the
    // proportional thumb when above 0; pxPopup (0 none) is kept in the record.
    static void CalcLayout(XTP_SCROLLBAR_LAYOUT& layout, const CRect& rcBar, BOOL bVertical, int nMin, int nMax,
                           int nPage, int nPos, int cxArrow, int cxFixedThumb, int pxPopup = 0);
    // The part at a point of a calculated record (0 outside the rectangle).
    static int HitTest(const XTP_SCROLLBAR_LAYOUT& layout, CPoint pt);
    // The position a thumb starting at pxThumb stands for (pure): the minimum before the track,
    // the last position a page can show after it.
    static int PosFromThumb(const XTP_SCROLLBAR_LAYOUT& layout, int pxThumb);
    // The bar's rectangle cut to pxFrom ... pxTo along its axis (empty when reversed).
    static CRect AxisRect(const XTP_SCROLLBAR_LAYOUT& layout, int pxFrom, int pxTo);
    // Four fifths and one tenth of a double-click time: the first and the later repeat delays.
    static UINT FirstRepeatDelay(UINT nDoubleClickTime) { return nDoubleClickTime * 4 / 5; }
    static UINT NextRepeatDelay(UINT nDoubleClickTime) { return nDoubleClickTime / 10; }

    // The explicit style when set, else 2 under theme 0, 5 under themes 5 and 6, else 3.
    int GetScrollBarStyle() const;
    void SetScrollBarStyle(int nStyle) { m_nScrollBarStyle = nStyle; }

    // Asks the owner for its rectangle and scroll information and recalculates the record.
    void RecalcScrollBarLayout();
    const XTP_SCROLLBAR_LAYOUT& GetScrollBarLayout() const { return m_layout; }
    int HitTestScrollBar(CPoint pt) const { return HitTest(m_layout, pt); }

    // The mouse tracking loop for a left press at a point of the window (client coordinates of
    // hWnd); bShift makes a press on the track drag the thumb from the point. Returns after the
    // release, a lost capture, WM_QUIT (posted again) or the window's end.
    void TrackScrollBar(HWND hWnd, CPoint point, BOOL bShift);

    BOOL IsVerticalScrollBar() const { return m_bVertical; }
    void SetVerticalScrollBar(BOOL bVertical) { m_bVertical = bVertical; }
    int GetHotScrollPart() const { return m_nHotPart; }
    void SetHotScrollPart(int nPart) { m_nHotPart = nPart; }
    // The part drawn pressed: during tracking the pressed part while the cursor is in its area
    // (the thumb during a drag); 0 otherwise.
    int GetPressedScrollPart() const;
    BOOL IsScrollBarTracking() const { return m_pTracking != nullptr; }
    // The delay the repeat timer runs with now (0 when not repeating).
    UINT GetRepeatPeriod() const { return m_nRepeatPeriod; }
    BOOL IsScrollAnimating() const { return m_bAnimating; }
    void SetScrollAnimating(BOOL bAnimating) { m_bAnimating = bAnimating; }

    // The slider's tick values; none by default.
    void SetTickMarks(const double* pTicks, int nCount);
    int GetTickMarkCount() const { return m_nTicks; }
    const double* GetTickMarks() const { return m_pTicks; }

protected:
    struct TRACKING;

    XTP_SCROLLBAR_LAYOUT m_layout;
    int m_nHotPart = 0;
    BOOL m_bVertical = TRUE;
    TRACKING* m_pTracking = nullptr;
    UINT m_nRepeatPeriod = 0;
    BOOL m_bAnimating = FALSE;
    int m_nTicks = 0;
    double* m_pTicks = nullptr;
    int m_nScrollBarStyle = xtpScrollStyleDefault;

private:
    void RunTrackingLoop(HWND hWnd);
    void OnTrackMouse(HWND hWnd, CPoint pt);
    void OnTrackTimer(HWND hWnd);
    void SetPressedInside(HWND hWnd, BOOL bInside, BOOL bRestartTimer);
    CRect GetPressedArea() const;
    BOOL IsInPressedArea(CPoint pt) const;
    void MoveThumbTo(int pxThumb);
};
