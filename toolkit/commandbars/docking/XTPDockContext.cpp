// CXTPDockContext: the drag and resize loops of a toolbar and the toggle between its places.
#include "toolkit/commandbars/docking/XTPDockContext.h"

#include <algorithm>

#include "framework/FrameWnd.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/commandbars/docking/XTPDockBar.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"

namespace
{
// The flag that lets a bar dock into the dock bar at a position (0 top .. 3 right).
DWORD SideFlag(int nPosition)
{
    switch (nPosition)
    {
    case xtpBarTop:
        return xtpFlagAlignTop;
    case xtpBarBottom:
        return xtpFlagAlignBottom;
    case xtpBarLeft:
        return xtpFlagAlignLeft;
    case xtpBarRight:
        return xtpFlagAlignRight;
    default:
        return 0;
    }
}

// The rectangles overlap or touch.
BOOL Meets(const CRect& rc, const CRect& rcWork)
{
    return rc.right >= rcWork.left && rc.left <= rcWork.right && rc.bottom >= rcWork.top &&
           rc.top <= rcWork.bottom;
}

// The screen point of a mouse message (its coordinates are in the client area of its window).
CPoint MessagePoint(const MSG& msg)
{
    CPoint pt(msg.lParam);
    if (msg.hwnd)
        ::ClientToScreen(msg.hwnd, &pt);
    return pt;
}

CRect WindowRect(HWND hWnd)
{
    CRect rc(0, 0, 0, 0);
    ::GetWindowRect(hWnd, &rc);
    return rc;
}
} // namespace

CXTPDockContext::CXTPDockContext(CXTPToolBar* pBar) : m_pBar(pBar), m_uMRUDockPosition(xtpBarTop) {}

CXTPDockContext::~CXTPDockContext()
{
    if (m_pbDestroyed)
        *m_pbDestroyed = TRUE;
}

// ---- geometry

CRect CXTPDockContext::MoveToContain(CRect rc, CPoint pt)
{
    if (pt.x < rc.left)
        rc.OffsetRect(pt.x - rc.left, 0);
    else if (pt.x >= rc.right)
        rc.OffsetRect(pt.x - rc.right + 1, 0);
    if (pt.y < rc.top)
        rc.OffsetRect(0, pt.y - rc.top);
    else if (pt.y >= rc.bottom)
        rc.OffsetRect(0, pt.y - rc.bottom + 1);
    return rc;
}

CRect CXTPDockContext::KeepOnWorkArea(CRect rc, const CRect& rcWork, int nKeep)
{
    if (rc.top > rcWork.bottom - nKeep)
        rc.OffsetRect(0, rcWork.bottom - nKeep - rc.top);
    if (rc.bottom < rcWork.top + nKeep)
        rc.OffsetRect(0, rcWork.top + nKeep - rc.bottom);
    if (rc.left > rcWork.right - nKeep)
        rc.OffsetRect(rcWork.right - nKeep - rc.left, 0);
    if (rc.right < rcWork.left + nKeep)
        rc.OffsetRect(rcWork.left + nKeep - rc.right, 0);
    return rc;
}

CRect CXTPDockContext::MoveEdges(CRect rc, int nHitTest, CSize szDelta)
{
    if (nHitTest == HTLEFT || nHitTest == HTTOPLEFT || nHitTest == HTBOTTOMLEFT)
        rc.left += szDelta.cx;
    if (nHitTest == HTRIGHT || nHitTest == HTTOPRIGHT || nHitTest == HTBOTTOMRIGHT)
        rc.right += szDelta.cx;
    if (nHitTest == HTTOP || nHitTest == HTTOPLEFT || nHitTest == HTTOPRIGHT)
        rc.top += szDelta.cy;
    if (nHitTest == HTBOTTOM || nHitTest == HTBOTTOMLEFT || nHitTest == HTBOTTOMRIGHT)
        rc.bottom += szDelta.cy;
    return rc;
}

CRect CXTPDockContext::PlaceResized(const CRect& rc, int nHitTest, CSize sz)
{
    const int x = nHitTest == HTLEFT ? rc.right - sz.cx : rc.left;
    const int y = nHitTest == HTTOP ? rc.bottom - sz.cy : rc.top;
    return CRect(x, y, x + sz.cx, y + sz.cy);
}

CRect CXTPDockContext::TouchWorkArea(CRect rc, const CRect& rcWork)
{
    if (rc.right < rcWork.left)
        rc.OffsetRect(rcWork.left - rc.right, 0);
    else if (rc.left > rcWork.right)
        rc.OffsetRect(rcWork.right - rc.left, 0);
    if (rc.bottom < rcWork.top)
        rc.OffsetRect(0, rcWork.top - rc.bottom);
    else if (rc.top > rcWork.bottom)
        rc.OffsetRect(0, rcWork.bottom - rc.top);
    return rc;
}

// ---- the loops

BOOL CXTPDockContext::RunTrack(int nMode, CPoint pt, const CRect& rcWindow)
{
    BOOL bDestroyed = FALSE;
    m_pbDestroyed = &bDestroyed;
    m_nDragMode = nMode;
    m_ptLast = pt;
    m_rectWindow = rcWindow;
    m_rectDragFrame = rcWindow;

    Track();

    if (bDestroyed)
        return FALSE; // the bar and this object are gone
    m_pbDestroyed = nullptr;
    m_nDragMode = 0;
    return TRUE;
}

void CXTPDockContext::StartDrag(CPoint pt)
{
    CXTPToolBar* pBar = m_pBar;
    HWND hWndBar = pBar ? pBar->GetSafeHwnd() : nullptr;
    if (!hWndBar)
        return;
    // Where the bar lay before, for a bar that ends floating.
    CXTPDockBar* pOldDockBar = pBar->GetDockBar();
    CRect rcOldDocked(0, 0, 0, 0);
    UINT nOldIndex = m_uMRUDockPosition;
    if (pOldDockBar && pOldDockBar->GetSafeHwnd())
    {
        rcOldDocked = WindowRect(hWndBar);
        pOldDockBar->ScreenToClient(&rcOldDocked);
        nOldIndex = static_cast<UINT>(pOldDockBar->GetPosition());
    }
    ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));

    if (!RunTrack(dragMove, pt, MoveToContain(WindowRect(hWndBar), pt)))
        return;
    if (!::IsWindow(hWndBar) || !pBar->IsFloating())
        return;
    m_ptMRUFloatPos = WindowRect(hWndBar).TopLeft();
    if (pOldDockBar)
    {
        m_rectMRUDockPos = rcOldDocked;
        m_uMRUDockPosition = nOldIndex;
    }
}

void CXTPDockContext::StartResize(int nHitTest, CPoint pt)
{
    CXTPToolBar* pBar = m_pBar;
    HWND hWndBar = pBar ? pBar->GetSafeHwnd() : nullptr;
    if (!hWndBar || !RunTrack(nHitTest, pt, WindowRect(hWndBar)))
        return;
    if (!::IsWindow(hWndBar))
        return;
    m_rectWindow = WindowRect(hWndBar);
    if (pBar->IsFloating())
        m_ptMRUFloatPos = m_rectWindow.TopLeft();
    pBar->SetWidthLimit(m_rectWindow.Width());
}

void CXTPDockContext::Track()
{
    CXTPToolBar* pBar = m_pBar;
    HWND hWndBar = pBar ? pBar->GetSafeHwnd() : nullptr;
    CXTPCommandBars* pCommandBars = pBar ? pBar->GetCommandBars() : nullptr;
    if (!hWndBar || !pCommandBars || ::GetCapture())
        return;

    // The guard of StartDrag or StartResize serves the loop as well.
    BOOL bDestroyed = FALSE;
    const BOOL bOwnGuard = m_pbDestroyed == nullptr;
    if (bOwnGuard)
        m_pbDestroyed = &bDestroyed;
    BOOL* pbDestroyed = m_pbDestroyed;

    CXTPMouseManager* pMouse = pCommandBars->GetMouseManager();
    ++pMouse->m_nLock;
    ::SetCapture(hWndBar);
    CXTPCommandBarsSystemQuery* pQuery = GetCommandBarsSystemQuery();
    while (::GetCapture() == hWndBar)
    {
        MSG msg = {};
        const int nResult = pQuery->GetNextMessage(&msg);
        if (nResult == 0)
        {
            // The program is ending: the loop that owns its life must see WM_QUIT too.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (nResult == -1)
            break;
        BOOL bEnd = FALSE;
        if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
        {
            bEnd = TRUE;
        }
        else if (msg.message == WM_MOUSEMOVE && MessagePoint(msg) != m_ptLast)
        {
            OnTrackMove(MessagePoint(msg));
        }
        else
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        // Whatever ran may have destroyed the bar, or taken it from its manager.
        if (*pbDestroyed)
            break;
        CXTPCommandBars* pNow = pBar->GetCommandBars();
        if (!pNow)
            break;
        pNow->PerformPendingLayout();
        if (bEnd || *pbDestroyed)
            break;
    }
    --pMouse->m_nLock;
    if (::GetCapture() == hWndBar)
        ::ReleaseCapture();
    if (*pbDestroyed)
        return;
    if (bOwnGuard)
        m_pbDestroyed = nullptr;
    if (CXTPCommandBars* pNow = pBar->GetCommandBars())
        pNow->GetCommandBarsOptions()->bDirtyState = TRUE;
}

void CXTPDockContext::OnTrackMove(CPoint pt)
{
    if (m_nDragMode == dragMove)
        MoveStep(pt);
    else if (m_nDragMode >= HTLEFT && m_nDragMode <= HTBOTTOMRIGHT)
    {
        // Bars that answer the first kind query (the dialog bar) take any rectangle themselves.
        if (m_pBar->IsKindQuery1())
            FreeResizeStep(pt);
        else
            ResizeStep(pt);
    }
    m_ptLast = pt;
}

void CXTPDockContext::MoveStep(CPoint pt)
{
    CXTPToolBar* pBar = m_pBar;
    CXTPCommandBars* pCommandBars = pBar->GetCommandBars();
    HWND hWndBar = pBar->GetSafeHwnd();
    const CSize szDelta(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
    m_rectDragFrame.OffsetRect(szDelta);
    m_rectWindow.OffsetRect(szDelta);

    const DWORD dwFlags = pBar->GetFlags();
    CXTPDockBar* pDockBar = pCommandBars->FindDockBarAtPoint(pt, pBar->GetDockBar());
    if (pDockBar && (dwFlags & SideFlag(pDockBar->GetPosition())))
    {
        const BOOL bNewPlace = pDockBar != pBar->GetDockBar() || pBar->IsFloating();
        pCommandBars->DockCommandBar(pBar, &m_rectDragFrame, pDockBar);
        if (bNewPlace)
        {
            pCommandBars->RecalcFrameLayout(FALSE);
            m_rectDragFrame = WindowRect(hWndBar);
        }
        m_rectWindow = WindowRect(hWndBar);
    }
    else if (dwFlags & xtpFlagFloating)
    {
        if (!pBar->IsFloating())
        {
            if (!pCommandBars->FloatCommandBar(pBar))
                return;
            const CSize sz = pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
            m_rectDragFrame = CRect(m_rectDragFrame.TopLeft(), sz);
        }
        // The drag rectangle follows the mouse; the window keeps a strip on the work area.
        m_rectDragFrame = MoveToContain(m_rectDragFrame, pt);
        const CRect rcWork(GetCommandBarsSystemQuery()->GetWorkArea(POINT{pt.x, pt.y}));
        m_rectWindow = KeepOnWorkArea(m_rectDragFrame, rcWork);
        ::SetWindowPos(hWndBar, nullptr, m_rectWindow.left, m_rectWindow.top, m_rectWindow.Width(),
                       m_rectWindow.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CXTPDockContext::ResizeStep(CPoint pt)
{
    CXTPToolBar* pBar = m_pBar;
    HWND hWndBar = pBar->GetSafeHwnd();
    // Left and right change the length along the row; top and every other code the height.
    const int nEdge =
        (m_nDragMode == HTLEFT || m_nDragMode == HTRIGHT || m_nDragMode == HTTOP) ? m_nDragMode : HTBOTTOM;
    const BOOL bWidth = nEdge == HTLEFT || nEdge == HTRIGHT;
    // The drag rectangle keeps the length asked for, so that small moves add up even while the
    // buttons do not yet wrap differently.
    m_rectDragFrame = MoveEdges(m_rectDragFrame, nEdge, CSize(pt.x - m_ptLast.x, pt.y - m_ptLast.y));
    const int nLength = std::max<int>(0, bWidth ? m_rectDragFrame.Width() : m_rectDragFrame.Height());
    const CSize sz =
        pBar->CalcDynamicLayout(nLength, bWidth ? (LM_HORZ | LM_COMMIT) : (LM_HORZ | LM_LENGTHY | LM_COMMIT));

    CRect rc = WindowRect(hWndBar);
    if (sz != rc.Size())
    {
        rc = PlaceResized(rc, nEdge, sz);
        const CRect rcWork(GetCommandBarsSystemQuery()->GetWorkArea(hWndBar));
        if (!Meets(rc, rcWork))
            rc = TouchWorkArea(rc, rcWork);
    }
    m_rectWindow = rc;
    ::SetWindowPos(hWndBar, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->Redraw();
}

void CXTPDockContext::FreeResizeStep(CPoint pt)
{
    CXTPToolBar* pBar = m_pBar;
    HWND hWndBar = pBar->GetSafeHwnd();
    m_rectDragFrame = MoveEdges(m_rectDragFrame, m_nDragMode, CSize(pt.x - m_ptLast.x, pt.y - m_ptLast.y));
    const CRect rcWork(GetCommandBarsSystemQuery()->GetWorkArea(hWndBar));
    if (m_rectDragFrame.Size() == m_rectWindow.Size() || !Meets(m_rectDragFrame, rcWork))
        return;
    pBar->ResizeBar(m_rectDragFrame, m_nDragMode);
    pBar->Redraw();
    m_rectWindow = WindowRect(hWndBar);
}

BOOL CXTPDockContext::ToggleDocking()
{
    CXTPCommandBars* pCommandBars = m_pBar ? m_pBar->GetCommandBars() : nullptr;
    if (!pCommandBars || !m_pBar->GetSafeHwnd())
        return FALSE;
    const DWORD dwFlags = m_pBar->GetFlags();
    if (m_pBar->IsFloating())
    {
        if (!(dwFlags & xtpFlagAlignAny))
            return FALSE;
        CXTPDockBar* pDockBar = pCommandBars->GetDockBar(static_cast<int>(m_uMRUDockPosition));
        if (!pDockBar)
            return FALSE;
        CRect rcDocked = m_rectMRUDockPos;
        if (rcDocked.IsRectEmpty())
        {
            pCommandBars->DockCommandBar(m_pBar, nullptr, pDockBar);
        }
        else
        {
            // The record is in the dock bar's client coordinates; docking takes screen ones.
            pDockBar->ClientToScreen(&rcDocked);
            pCommandBars->DockCommandBar(m_pBar, &rcDocked, pDockBar);
        }
        pCommandBars->RecalcFrameLayout(FALSE);
    }
    else
    {
        if (!(dwFlags & xtpFlagFloating) || !pCommandBars->GetCommandBarsOptions()->bDblClickFloat)
            return FALSE;
        CXTPDockBar* pDockBar = m_pBar->GetDockBar();
        if (pDockBar)
        {
            m_uMRUDockPosition = static_cast<UINT>(pDockBar->GetPosition());
            CRect rc;
            ::GetWindowRect(m_pBar->GetSafeHwnd(), &rc);
            m_rectMRUDockPos = rc;
            pDockBar->ScreenToClient(&m_rectMRUDockPos);
            if (!HasFloatingPos())
                m_ptMRUFloatPos = rc.TopLeft();
        }
        CPoint ptFloat = m_ptMRUFloatPos;
        if (!pCommandBars->FloatCommandBar(m_pBar))
            return FALSE;
        ::SetWindowPos(m_pBar->GetSafeHwnd(), nullptr, ptFloat.x, ptFloat.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pBar->OnRecalcLayout();
    }
    pCommandBars->GetCommandBarsOptions()->bDirtyState = TRUE;
    return TRUE;
}
