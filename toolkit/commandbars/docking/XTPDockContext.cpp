#include "toolkit/commandbars/docking/XTPDockContext.h"

#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/docking/XTPDockBar.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"

CXTPDockContext::CXTPDockContext(CXTPToolBar* pBar) : m_pBar(pBar), m_uMRUDockPosition(xtpBarTop) {}

CXTPDockContext::~CXTPDockContext() = default;

void CXTPDockContext::StartDrag(CPoint pt)
{
    // The drag loop is not part of the library yet: the press only records where it began.
    m_nDragMode = dragMove;
    m_ptLast = pt;
    if (m_pBar && m_pBar->GetSafeHwnd())
        ::GetWindowRect(m_pBar->GetSafeHwnd(), &m_rectWindow);
    m_rectDragFrame = m_rectWindow;
    Track();
    m_nDragMode = 0;
}

void CXTPDockContext::StartResize(int nHitTest, CPoint pt)
{
    // The resize loop is not part of the library yet: the press only records where it began.
    m_nDragMode = nHitTest;
    m_ptLast = pt;
    if (m_pBar && m_pBar->GetSafeHwnd())
        ::GetWindowRect(m_pBar->GetSafeHwnd(), &m_rectWindow);
    Track();
    m_nDragMode = 0;
}

void CXTPDockContext::Track() {}

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
