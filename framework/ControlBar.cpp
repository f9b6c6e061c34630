#include "framework/ControlBar.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

BOOL CControlBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    m_dwStyle |= static_cast<DWORD>(cs.style) & CBRS_ALL;
    cs.style &= ~static_cast<LONG>(CBRS_ALL);
    cs.style |= WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
}

BOOL CControlBar::IsHorz() const
{
    return (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || (m_dwStyle & CBRS_ORIENT_ANY) == 0;
}

BOOL CControlBar::IsVisible() const
{
    return m_hWnd && (GetStyle() & WS_VISIBLE);
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    return m_pDockSite ? m_pDockSite : GetParentFrame();
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect rect;
    if (m_hWnd)
        GetWindowRect(&rect);
    CSize size(rect.Width(), rect.Height());
    if (bStretch)
    {
        // The stretched side takes the whole length (clipped to the free space by the layout).
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    DWORD dwStyle = m_dwStyle;
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += GetSystemMetrics(SM_CXBORDER);
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += GetSystemMetrics(SM_CYBORDER);
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= GetSystemMetrics(SM_CXBORDER);
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= GetSystemMetrics(SM_CYBORDER);
    // The inner margins run along the bar: left and right for a horizontal bar.
    if (bHorz)
    {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    }
    else
    {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

void CControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (pTarget)
        UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!pLayout || !IsVisible())
        return 0;
    DWORD dwAlign = m_dwStyle & CBRS_ALIGN_ANY;
    if (!dwAlign || IsFloating())
        return 0; // a bar that is not docked at a side takes no space
    BOOL bHorz = (dwAlign & CBRS_ORIENT_HORZ) != 0;
    DWORD dwMode = (pLayout->bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK);
    CRect free(pLayout->rect);
    CSize avail = free.Size();
    CSize size = CalcDynamicLayout(-1, dwMode);
    size.cx = std::min(size.cx, avail.cx);
    size.cy = std::min(size.cy, avail.cy);
    if (size.cx < 0)
        size.cx = 0;
    if (size.cy < 0)
        size.cy = 0;

    CRect rect = free;
    if (bHorz)
    {
        pLayout->sizeTotal.cy += size.cy;
        pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, size.cx);
        if (dwAlign & CBRS_ALIGN_TOP)
        {
            rect.bottom = rect.top + size.cy;
            pLayout->rect.top += size.cy;
        }
        else
        {
            rect.top = rect.bottom - size.cy;
            pLayout->rect.bottom -= size.cy;
        }
        rect.right = rect.left + size.cx;
    }
    else
    {
        pLayout->sizeTotal.cx += size.cx;
        pLayout->sizeTotal.cy = std::max(pLayout->sizeTotal.cy, size.cy);
        if (dwAlign & CBRS_ALIGN_LEFT)
        {
            rect.right = rect.left + size.cx;
            pLayout->rect.left += size.cx;
        }
        else
        {
            rect.left = rect.right - size.cx;
            pLayout->rect.right -= size.cx;
        }
        rect.bottom = rect.top + size.cy;
    }
    if (pLayout->hDWP)
        AfxRepositionWindow(pLayout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!IsVisible())
        return 0;
    CFrameWnd* pTarget = dynamic_cast<CFrameWnd*>(GetOwner());
    if (!pTarget)
        pTarget = GetDockingFrame();
    if (pTarget)
        OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    return 0;
}
