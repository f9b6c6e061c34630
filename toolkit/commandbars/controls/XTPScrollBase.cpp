#include "toolkit/commandbars/controls/XTPScrollBase.h"

#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/paint/XTPScrollBarPaintManager.h"

#include <windowsx.h>

#include <cstring>

// What a tracking loop remembers while the mouse is captured.
struct CXTPScrollBase::TRACKING
{
    int nPart = 0;        // the pressed part (64 while dragging)
    int nCode = -1;       // the SB_ command of a line or page part
    BOOL bDrag = FALSE;   // dragging the thumb
    int nGrab = 0;        // thumb start minus the press point along the axis
    int pxThumbStart = 0; // where the thumb was when the drag began
    int nStartPos = 0;
    int nLastPos = 0;
    BOOL bInside = TRUE;  // the cursor is in the pressed area (line and page parts)
    BOOL bFirstDelay = TRUE;
    BOOL bFixedThumb = FALSE;
    UINT nDoubleClickTime = 0;
    CPoint ptLast;
};

namespace
{
int Clamp(int n, int nLow, int nHigh)
{
    return n < nLow ? nLow : (n > nHigh ? nHigh : n);
}

// a * b / c rounded to the nearest (halves away from zero), in 64 bits; c must not be 0.
long long MulDivRound(long long a, long long b, long long c)
{
    long long n = a * b;
    const bool bNegative = (n < 0) != (c < 0);
    n = n < 0 ? -n : n;
    const long long d = c < 0 ? -c : c;
    const long long q = (n + d / 2) / d;
    return bNegative ? -q : q;
}

int AxisOf(const XTP_SCROLLBAR_LAYOUT& layout, CPoint pt)
{
    return layout.bVertical ? pt.y : pt.x;
}

CPoint MessagePoint(const MSG& msg, HWND hWnd)
{
    POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.hwnd && msg.hwnd != hWnd)
        ::MapWindowPoints(msg.hwnd, hWnd, &pt, 1);
    return CPoint(pt);
}

// The next message of a tracking loop: FALSE for WM_QUIT (posted again for the loop outside) or a
// failed call.
BOOL NextLoopMessage(CXTPCommandBarsSystemQuery* pQuery, MSG& msg)
{
    const int nGot = pQuery->GetNextMessage(&msg);
    if (nGot == 0)
        ::PostQuitMessage(static_cast<int>(msg.wParam));
    return nGot > 0;
}

BOOL IsMouseMessage(UINT nMessage)
{
    return nMessage >= WM_MOUSEFIRST && nMessage <= WM_MOUSELAST;
}
} // namespace

CXTPScrollBase::CXTPScrollBase() = default;

CXTPScrollBase::~CXTPScrollBase()
{
    delete[] m_pTicks;
    delete m_pTracking;
}

void CXTPScrollBase::SetTickMarks(const double* pTicks, int nCount)
{
    delete[] m_pTicks;
    m_pTicks = nullptr;
    m_nTicks = 0;
    if (!pTicks || nCount <= 0)
        return;
    m_pTicks = new double[nCount];
    std::memcpy(m_pTicks, pTicks, sizeof(double) * static_cast<size_t>(nCount));
    m_nTicks = nCount;
}

int CXTPScrollBase::GetScrollBarStyle() const
{
    if (m_nScrollBarStyle != xtpScrollStyleDefault)
        return m_nScrollBarStyle;
    CXTPScrollBarPaintManager* pPainter = GetScrollBarPaintManager();
    const int nTheme =
        pPainter && pPainter->m_pPaintManager ? pPainter->m_pPaintManager->GetCurrentTheme() : 0;
    if (nTheme == 0)
        return xtpScrollStyleFlat;
    if (nTheme == 5 || nTheme == 6)
        return xtpScrollStyleOffice;
    return xtpScrollStyleSystem;
}

void CXTPScrollBase::CalcLayout(XTP_SCROLLBAR_LAYOUT& layout, const CRect& rcBar, BOOL bVertical, int nMin,
                                int nMax, int nPage, int nPos, int cxArrow, int cxFixedThumb, int pxPopup)
{
    layout = XTP_SCROLLBAR_LAYOUT();
    layout.rcBar = rcBar;
    layout.bVertical = bVertical;
    layout.pxPopup = pxPopup;
    if (nMax < nMin)
        nMax = nMin;
    layout.nMin = nMin;
    layout.nMax = nMax;
    layout.nPos = Clamp(nPos, nMin, nMax);
    // The range in 64 bits: a page that covers it counts as the range itself.
    const long long nRange = static_cast<long long>(nMax) - nMin + 1;
    long long nPageClamped = nPage < 0 ? 0 : nPage;
    if (nPageClamped > nRange)
        nPageClamped = nRange;
    layout.nPage = static_cast<int>(nPageClamped);

    layout.pxStart = bVertical ? rcBar.top : rcBar.left;
    layout.pxEnd = bVertical ? rcBar.bottom : rcBar.right;
    const int nLength = layout.pxEnd - layout.pxStart > 0 ? layout.pxEnd - layout.pxStart : 0;
    layout.cxArrow = Clamp(cxArrow, 0, nLength / 2);
    layout.pxUpArrow = layout.pxStart + layout.cxArrow;
    layout.pxDownArrow = layout.pxEnd - layout.cxArrow;

    const int nArea = nLength - 2 * layout.cxArrow;
    int cxThumb = 0;
    if (layout.nPage > 0)
        cxThumb = static_cast<int>(MulDivRound(nArea, layout.nPage, nRange));
    if (cxThumb < layout.cxArrow / 2)
        cxThumb = layout.cxArrow / 2;
    if (cxFixedThumb > 0)
        cxThumb = cxFixedThumb;
    layout.cxThumb = cxThumb;

    int nTravel = nArea - cxThumb;
    if (nTravel < 0)
        nTravel = 0;
    layout.pxTrack = layout.pxUpArrow;
    layout.cpxTrack = nTravel;
    const long long nSteps = nRange - layout.nPage;
    if (nSteps <= 0)
        layout.pxThumbTop = layout.pxUpArrow - 1;
    else
        layout.pxThumbTop = layout.pxUpArrow +
                            static_cast<int>(MulDivRound(static_cast<long long>(layout.nPos) - nMin, nTravel, nSteps));
    layout.pxThumbBottom = layout.pxThumbTop + cxThumb;
}

int CXTPScrollBase::HitTest(const XTP_SCROLLBAR_LAYOUT& layout, CPoint pt)
{
    if (!layout.rcBar.PtInRect(pt))
        return xtpScrollPartNone;
    const int px = AxisOf(layout, pt);
    if (px < layout.pxUpArrow)
        return xtpScrollPartUpArrow;
    if (layout.pxPopup != 0 && px >= layout.pxPopup)
        return xtpScrollPartPopup;
    if (px >= layout.pxDownArrow)
        return xtpScrollPartDownArrow;
    if (px < layout.pxThumbTop)
        return xtpScrollPartPageUp;
    if (px < layout.pxThumbBottom)
        return xtpScrollPartThumb;
    return xtpScrollPartPageDown;
}

int CXTPScrollBase::PosFromThumb(const XTP_SCROLLBAR_LAYOUT& layout, int pxThumb)
{
    const int nLastPos = layout.nPage > 0 ? layout.nMax - layout.nPage + 1 : layout.nMax;
    if (pxThumb < layout.pxTrack)
        return layout.nMin;
    if (pxThumb >= layout.pxTrack + layout.cpxTrack)
        return nLastPos < layout.nMin ? layout.nMin : nLastPos;
    const long long nSpan =
        static_cast<long long>(layout.nMax) - layout.nMin - (layout.nPage > 0 ? layout.nPage - 1 : 0);
    return layout.nMin + static_cast<int>(MulDivRound(nSpan, pxThumb - layout.pxTrack, layout.cpxTrack));
}

void CXTPScrollBase::CalcScrollBarLayout(const CRect& rcBar, const SCROLLINFO& si, XTP_SCROLLBAR_LAYOUT& layout)
{
    CXTPScrollBarPaintManager* pPainter = GetScrollBarPaintManager();
    int cxArrow = 0;
    int cxFixedThumb = 0;
    if (pPainter)
    {
        cxArrow = m_bVertical ? pPainter->m_cyVScroll : pPainter->m_cxHScroll;
        cxFixedThumb = pPainter->m_cThumb;
    }
    else
    {
        cxArrow = ::GetSystemMetrics(m_bVertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    }
    CalcLayout(layout, rcBar, m_bVertical, si.nMin, si.nMax, static_cast<int>(si.nPage), si.nPos, cxArrow,
               cxFixedThumb, layout.pxPopup);
}

void CXTPScrollBase::RecalcScrollBarLayout()
{
    SCROLLINFO si;
    std::memset(&si, 0, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(&si);
    const int pxThumbTop = m_layout.pxThumbTop;
    CalcScrollBarLayout(GetScrollBarRect(), si, m_layout);
    // A drag shows the thumb where the cursor put it, not where the position rounds to.
    if (m_pTracking && m_pTracking->bDrag)
        MoveThumbTo(pxThumbTop);
}

int CXTPScrollBase::GetPressedScrollPart() const
{
    if (!m_pTracking)
        return xtpScrollPartNone;
    if (m_pTracking->bDrag)
        return xtpScrollPartThumb;
    return m_pTracking->bInside ? m_pTracking->nPart : xtpScrollPartNone;
}

void CXTPScrollBase::MoveThumbTo(int pxThumb)
{
    m_layout.pxThumbTop = pxThumb;
    m_layout.pxThumbBottom = pxThumb + m_layout.cxThumb;
}

CRect CXTPScrollBase::AxisRect(const XTP_SCROLLBAR_LAYOUT& layout, int pxFrom, int pxTo)
{
    CRect rc = layout.rcBar;
    if (pxTo < pxFrom)
        pxTo = pxFrom;
    if (layout.bVertical)
    {
        rc.top = pxFrom;
        rc.bottom = pxTo;
    }
    else
    {
        rc.left = pxFrom;
        rc.right = pxTo;
    }
    return rc;
}

CRect CXTPScrollBase::GetPressedArea() const
{
    const int nPart = m_pTracking ? m_pTracking->nPart : 0;
    if (nPart < xtpScrollPartUpArrow || nPart > xtpScrollPartPageDown)
        return CRect(0, 0, 0, 0);
    // Arrows, then the track before and after the thumb, in part order.
    const XTP_SCROLLBAR_LAYOUT& l = m_layout;
    const int spans[4][2] = {
        {l.pxStart, l.pxUpArrow}, {l.pxDownArrow, l.pxEnd}, {l.pxUpArrow, l.pxThumbTop}, {l.pxThumbBottom, l.pxDownArrow}};
    const int* pSpan = spans[nPart - xtpScrollPartUpArrow];
    return AxisRect(l, pSpan[0], pSpan[1]);
}

BOOL CXTPScrollBase::IsInPressedArea(CPoint pt) const
{
    const CRect rc = GetPressedArea();
    return !rc.IsRectEmpty() && rc.PtInRect(pt);
}

void CXTPScrollBase::SetPressedInside(HWND hWnd, BOOL bInside, BOOL bRestartTimer)
{
    TRACKING& t = *m_pTracking;
    const BOOL bChanged = t.bInside != bInside;
    t.bInside = bInside;
    if (bInside && bRestartTimer)
    {
        DoScroll(t.nCode, 0);
        RecalcScrollBarLayout();
        m_nRepeatPeriod = NextRepeatDelay(t.nDoubleClickTime);
        t.bFirstDelay = FALSE;
        GetCommandBarsSystemQuery()->SetTimer(hWnd, XTP_TID_SCROLLBAR_REPEAT, m_nRepeatPeriod);
    }
    if (bChanged)
        RedrawScrollBar();
}

void CXTPScrollBase::OnTrackMouse(HWND, CPoint pt)
{
    TRACKING& t = *m_pTracking;
    t.ptLast = pt;
    if (!t.bDrag)
        return;
    if (!m_layout.rcBar.PtInRect(pt) && !t.bFixedThumb)
    {
        // Strayed: the thumb goes back to where the drag began.
        if (m_layout.pxThumbTop != t.pxThumbStart || t.nLastPos != t.nStartPos)
        {
            MoveThumbTo(t.pxThumbStart);
            if (t.nLastPos != t.nStartPos)
            {
                t.nLastPos = t.nStartPos;
                DoScroll(SB_THUMBTRACK, t.nLastPos);
                MoveThumbTo(t.pxThumbStart);
            }
            RedrawScrollBar();
        }
        return;
    }
    const int pxThumb = Clamp(AxisOf(m_layout, pt) + t.nGrab, m_layout.pxTrack, m_layout.pxTrack + m_layout.cpxTrack);
    const int nPos = PosFromThumb(m_layout, pxThumb);
    if (pxThumb == m_layout.pxThumbTop && nPos == t.nLastPos)
        return;
    if (nPos != t.nLastPos)
    {
        t.nLastPos = nPos;
        DoScroll(SB_THUMBTRACK, nPos);
    }
    MoveThumbTo(pxThumb);
    RedrawScrollBar();
}

void CXTPScrollBase::OnTrackTimer(HWND hWnd)
{
    TRACKING& t = *m_pTracking;
    if (t.bDrag)
        return;
    if (t.bFirstDelay)
    {
        t.bFirstDelay = FALSE;
        m_nRepeatPeriod = NextRepeatDelay(t.nDoubleClickTime);
        GetCommandBarsSystemQuery()->SetTimer(hWnd, XTP_TID_SCROLLBAR_REPEAT, m_nRepeatPeriod);
    }
    const BOOL bInside = IsInPressedArea(t.ptLast);
    if (bInside)
    {
        DoScroll(t.nCode, 0);
        RecalcScrollBarLayout();
    }
    if (bInside != t.bInside)
    {
        t.bInside = bInside;
        RedrawScrollBar();
    }
}

void CXTPScrollBase::TrackScrollBar(HWND hWnd, CPoint point, BOOL bShift)
{
    if (!hWnd || !::IsWindow(hWnd) || m_pTracking || !IsScrollBarEnabled())
        return;
    const int nHit = HitTest(m_layout, point);
    if (nHit == xtpScrollPartNone || nHit == xtpScrollPartPopup)
        return;
    CXTPScrollBarPaintManager* pPainter = GetScrollBarPaintManager();
    CXTPCommandBarsSystemQuery* pQuery = GetCommandBarsSystemQuery();

    TRACKING* pTracking = new TRACKING();
    TRACKING& t = *pTracking;
    t.nPart = nHit;
    t.ptLast = point;
    t.nDoubleClickTime = pQuery->GetDoubleClickTime();
    t.bFixedThumb = pPainter && pPainter->m_cThumb > 0;
    t.nStartPos = t.nLastPos = m_layout.nPos;
    t.pxThumbStart = m_layout.pxThumbTop;
    const int px = AxisOf(m_layout, point);
    switch (nHit)
    {
    case xtpScrollPartUpArrow:
        t.nCode = SB_LINEUP;
        break;
    case xtpScrollPartDownArrow:
        t.nCode = SB_LINEDOWN;
        break;
    case xtpScrollPartPageUp:
    case xtpScrollPartPageDown:
        if (bShift)
        {
            // Shift on the track: the thumb jumps under the cursor and follows it.
            t.nPart = xtpScrollPartThumb;
            t.bDrag = TRUE;
            t.nGrab = -(m_layout.cxThumb / 2);
        }
        else
        {
            t.nCode = nHit == xtpScrollPartPageUp ? SB_PAGEUP : SB_PAGEDOWN;
        }
        break;
    case xtpScrollPartThumb:
        t.bDrag = TRUE;
        t.nGrab = m_layout.pxThumbTop - px;
        break;
    default:
        break;
    }
    if (t.bDrag && m_layout.cpxTrack <= 0)
    {
        // A thumb as long as the track has nowhere to go.
        delete pTracking;
        return;
    }
    m_pTracking = pTracking;

    CXTPMouseManager* pMouseManager = XTPMouseManager();
    if (pMouseManager)
        pMouseManager->LockTrackingBars(TRUE);
    ::SetCapture(hWnd);

    if (t.bDrag)
    {
        if (bShift && nHit != xtpScrollPartThumb)
        {
            OnTrackMouse(hWnd, point);
            if (m_pTracking->nLastPos == m_pTracking->nStartPos)
                DoScroll(SB_THUMBTRACK, m_pTracking->nLastPos);
        }
        else
        {
            DoScroll(SB_THUMBTRACK, t.nLastPos);
        }
        RedrawScrollBar();
    }
    else
    {
        DoScroll(t.nCode, 0);
        RecalcScrollBarLayout();
        m_nRepeatPeriod = FirstRepeatDelay(t.nDoubleClickTime);
        pQuery->SetTimer(hWnd, XTP_TID_SCROLLBAR_REPEAT, m_nRepeatPeriod);
        RedrawScrollBar();
    }

    RunTrackingLoop(hWnd);
}

void CXTPScrollBase::RunTrackingLoop(HWND hWnd)
{
    CXTPCommandBarsSystemQuery* pQuery = GetCommandBarsSystemQuery();
    BOOL bWindowGone = FALSE;
    MSG msg;
    while (::GetCapture() == hWnd)
    {
        if (!NextLoopMessage(pQuery, msg))
            break;
        if (!::IsWindow(hWnd))
        {
            bWindowGone = TRUE;
            break;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            m_pTracking->ptLast = MessagePoint(msg, hWnd);
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == XTP_TID_SCROLLBAR_REPEAT)
        {
            OnTrackTimer(hWnd);
            continue;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == XTP_TID_SCROLLBAR_ANIMATION)
        {
            OnAnimationTick();
            continue;
        }
        if (IsMouseMessage(msg.message) && msg.message != WM_MOUSEWHEEL)
        {
            const CPoint pt = MessagePoint(msg, hWnd);
            if (m_pTracking->bDrag)
                OnTrackMouse(hWnd, pt);
            else
            {
                m_pTracking->ptLast = pt;
                const BOOL bInside = IsInPressedArea(pt);
                if (bInside != m_pTracking->bInside)
                    SetPressedInside(hWnd, bInside, bInside);
            }
            continue;
        }
        if (!::IsWindow(hWnd))
        {
            bWindowGone = TRUE;
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (!bWindowGone && !::IsWindow(hWnd))
        bWindowGone = TRUE;

    TRACKING* pTracking = m_pTracking;
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (!bWindowGone)
    {
        if (pTracking->bDrag)
        {
            DoScroll(SB_THUMBPOSITION, pTracking->nLastPos);
            RedrawScrollBar();
        }
        else
        {
            ::KillTimer(hWnd, XTP_TID_SCROLLBAR_REPEAT);
        }
        DoScroll(SB_ENDSCROLL, 0);
    }
    m_nRepeatPeriod = 0;
    if (CXTPMouseManager* pMouseManager = XTPMouseManager())
        pMouseManager->LockTrackingBars(FALSE);
    const CPoint ptLast = pTracking->ptLast;
    m_pTracking = nullptr;
    delete pTracking;
    if (bWindowGone)
        return;
    RecalcScrollBarLayout();
    m_nHotPart = HitTest(m_layout, ptLast);
    RedrawScrollBar();

    // An owner's animation (the gallery's smooth scroll) finishes before the loop returns.
    while (m_bAnimating && ::IsWindow(hWnd))
    {
        if (!NextLoopMessage(pQuery, msg))
            break;
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == XTP_TID_SCROLLBAR_ANIMATION)
        {
            OnAnimationTick();
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
