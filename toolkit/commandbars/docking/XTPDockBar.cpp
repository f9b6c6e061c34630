#include "toolkit/commandbars/docking/XTPDockBar.h"

#include <algorithm>

#include "framework/DC.h"
#include "framework/FrameWnd.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsFrameHook.h"
#include "toolkit/commandbars/docking/XTPDockContext.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"

IMPLEMENT_DYNCREATE(CXTPDockBar, CWnd)

BEGIN_MESSAGE_MAP(CXTPDockBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_RBUTTONUP()
    ON_WM_NCHITTEST()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
const char kDockBarClass[] = "XTPDockBar";
const char* const kDockBarTitles[4] = {"xtpBarTop", "xtpBarBottom", "xtpBarLeft", "xtpBarRight"};
} // namespace

BOOL CXTPDockBar::RegisterWindowClass()
{
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (::GetClassInfoA(hInstance, kDockBarClass, &wc))
        return TRUE;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kDockBarClass;
    return ::RegisterClassA(&wc) != 0;
}

CXTPDockBar::CXTPDockBar()
{
    // The rows always begin with a separator.
    m_arrBars.Add(nullptr);
    RegisterWindowClass();
}

CXTPDockBar::~CXTPDockBar()
{
    // Bars still docked here lose their link (they outlive the dock bar only while being torn down).
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        if (m_arrBars[i] && m_arrBars[i]->GetDockBar() == this)
            m_arrBars[i]->SetDockBar(nullptr);
    }
    m_arrBars.RemoveAll();
    if (m_hWnd)
        DestroyWindow();
}

BOOL CXTPDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwDockStyle = dwStyle & XTP_DOCKBAR_STYLE_MASK;
    const DWORD dwWindowStyle = (dwStyle & ~XTP_DOCKBAR_STYLE_MASK) | WS_CLIPSIBLINGS;
    return CreateEx(0, kDockBarClass, kDockBarTitles[GetPosition()], dwWindowStyle, 0, 0, 0, 0,
                    pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

int CXTPDockBar::GetPosition() const
{
    if (m_dwDockStyle & 0x2800)
        return xtpBarTop;
    if (m_dwDockStyle & 0x8200)
        return xtpBarBottom;
    if (m_dwDockStyle & 0x1400)
        return xtpBarLeft;
    return xtpBarRight;
}

// ---- the rows

int CXTPDockBar::FindBar(const CXTPToolBar* pBar, int nSkip) const
{
    return CXTPDockBarLayout::FindBar(m_arrBars, pBar, nSkip);
}

BOOL CXTPDockBar::IsFirstRowOpen(const CXTPToolBar* pBar) const
{
    if (!m_pCommandBars || (pBar && pBar->IsRibbonBar()))
        return TRUE;
    CXTPToolBar* pMenuBar = dynamic_cast<CXTPToolBar*>(m_pCommandBars->GetMenuBar());
    return !(pMenuBar && pMenuBar->IsRibbonBar() && FindBar(pMenuBar) >= 0);
}

void CXTPDockBar::RecalcFrameLayout()
{
    if (m_pCommandBars)
        m_pCommandBars->RecalcFrameLayout(TRUE);
}

void CXTPDockBar::DockCommandBar(CXTPToolBar* pBar, LPCRECT lpRect)
{
    if (!pBar || !m_hWnd)
        return;
    CXTPDockBar* pOldDockBar = pBar->GetDockBar();
    if (pOldDockBar == this)
    {
        if (!lpRect)
            return;
        CRect rcWindow;
        if (pBar->GetSafeHwnd())
            ::GetWindowRect(pBar->GetSafeHwnd(), &rcWindow);
        if (rcWindow == CRect(*lpRect))
            return;
    }

    CLayoutSite site(this);
    int nIndex;
    if (lpRect)
    {
        CRect rc(*lpRect);
        ScreenToClient(&rc);
        nIndex = CXTPDockBarLayout::InsertBar(m_arrBars, pBar, rc.CenterPoint(), IsHorizontal(),
                                              IsFirstRowOpen(pBar), site);
        if (pBar->GetDockContext())
            pBar->GetDockContext()->SetDockedRect(rc);
    }
    else
    {
        nIndex = CXTPDockBarLayout::AppendRow(m_arrBars, pBar);
        if (pBar->GetDockContext())
            pBar->GetDockContext()->SetDockedRect(CRect(0, 0, 0, 0));
    }

    // The bar's window becomes our child (a floating window turns into a child first).
    pBar->CXTPCommandBar::SetPosition(GetPosition());
    if (!pBar->GetSafeHwnd() || ::GetParent(pBar->GetSafeHwnd()) != m_hWnd ||
        (::GetWindowLongPtrA(pBar->GetSafeHwnd(), GWL_STYLE) & WS_POPUP))
        pBar->CreateBarWindow(this, FALSE);

    if (pOldDockBar == this)
        CXTPDockBarLayout::RemoveBar(m_arrBars, pBar, nIndex);
    else if (pOldDockBar)
        pOldDockBar->RemoveCommandBar(pBar);

    pBar->SetDockBar(this);
    CXTPDockBarLayout::SeparateStretchedBars(m_arrBars, site);
    RecalcFrameLayout();
}

BOOL CXTPDockBar::RemoveCommandBar(CXTPToolBar* pBar, int nSkip)
{
    if (!CXTPDockBarLayout::RemoveBar(m_arrBars, pBar, nSkip))
        return FALSE;
    if (pBar->GetDockBar() == this)
        pBar->SetDockBar(nullptr);
    RecalcFrameLayout();
    return TRUE;
}

void CXTPDockBar::GetRowBarsInOrder(int nIndex, CArray<CXTPToolBar*, CXTPToolBar*>& arrBars) const
{
    const int nCount = static_cast<int>(m_arrBars.GetSize());
    if (nIndex < 0 || nIndex >= nCount)
        return;
    int nFirst = nIndex;
    while (nFirst > 0 && m_arrBars[nFirst - 1])
        --nFirst;
    if (!m_arrBars[nFirst])
        ++nFirst;
    CArray<CXTPToolBar*, CXTPToolBar*> row;
    for (int i = nFirst; i < nCount && m_arrBars[i]; ++i)
    {
        CXTPToolBar* pBar = m_arrBars[i];
        if (pBar->IsVisible() && pBar->GetSafeHwnd())
            row.Add(pBar);
    }
    const BOOL bHorz = IsHorizontal();
    auto lead = [bHorz](CXTPToolBar* pBar) {
        CRect rc;
        ::GetWindowRect(pBar->GetSafeHwnd(), &rc);
        return bHorz ? rc.left : rc.top;
    };
    std::stable_sort(row.GetData(), row.GetData() + row.GetSize(),
                     [&lead](CXTPToolBar* a, CXTPToolBar* b) { return lead(a) < lead(b); });
    for (INT_PTR i = 0; i < row.GetSize(); ++i)
        arrBars.Add(row[i]);
}

DWORD CXTPDockBar::GetBarLayoutMode(CXTPToolBar* pBar) const
{
    DWORD dwMode = IsHorizontal() ? (LM_HORZDOCK | LM_HORZ) : LM_VERTDOCK;
    const DWORD dwFlags = pBar->GetFlags();
    if (dwFlags & xtpFlagStretched)
        dwMode |= LM_STRETCH;
    // While the user customises, every control stays in sight.
    if ((dwFlags & xtpFlagHideWrap) && !(m_pCommandBars && m_pCommandBars->IsCustomizeMode()))
        dwMode |= CXTPDockBarLayout::modeHideWrap;
    return dwMode;
}

CSize CXTPDockBar::CalcFixedLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* lpLayout)
{
    CLayoutSite site(this);
    const BOOL bCommit = lpLayout && lpLayout->hDWP;
    if (bCommit)
        site.m_hDWP = ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    CSize sz = CXTPDockBarLayout::CalcRowsLayout(m_arrBars, nLength, (dwMode & LM_STRETCH) != 0, IsHorizontal(),
                                                 bCommit, site);
    if (site.m_hDWP)
        ::EndDeferWindowPos(site.m_hDWP);
    return sz;
}

// ---- the bars as the row arithmetic sees them

CSize CXTPDockBar::CLayoutSite::CalcBarLayout(CXTPToolBar* pBar, int nLength, DWORD dwMode, int nThickness)
{
    return pBar->CalcDockingLayout(nLength, dwMode, nThickness);
}

DWORD CXTPDockBar::CLayoutSite::GetBarMode(CXTPToolBar* pBar)
{
    return m_pDockBar->GetBarLayoutMode(pBar);
}

CRect CXTPDockBar::CLayoutSite::GetDockedRect(CXTPToolBar* pBar)
{
    return pBar->GetDockContext() ? pBar->GetDockContext()->GetDockedRect() : CRect(0, 0, 0, 0);
}

CRect CXTPDockBar::CLayoutSite::GetBarRect(CXTPToolBar* pBar)
{
    CRect rc(0, 0, 0, 0);
    if (pBar->GetSafeHwnd())
    {
        ::GetWindowRect(pBar->GetSafeHwnd(), &rc);
        m_pDockBar->ScreenToClient(&rc);
    }
    return rc;
}

BOOL CXTPDockBar::CLayoutSite::IsBarVisible(CXTPToolBar* pBar)
{
    return pBar->IsVisible() && pBar->GetSafeHwnd() != nullptr;
}

BOOL CXTPDockBar::CLayoutSite::IsBarStretched(CXTPToolBar* pBar)
{
    return (pBar->GetFlags() & xtpFlagStretched) != 0;
}

BOOL CXTPDockBar::CLayoutSite::IsBarSharingRow(CXTPToolBar* pBar)
{
    return (pBar->GetFlags() & xtpFlagStretchedShared) != 0;
}

void CXTPDockBar::CLayoutSite::PlaceBar(CXTPToolBar* pBar, const CRect& rc, DWORD)
{
    if (pBar->GetDockContext())
        pBar->GetDockContext()->SetDockBarIndex(static_cast<UINT>(m_pDockBar->GetPosition()));
    if (GetBarRect(pBar) == rc)
        return;
    if (m_hDWP)
        m_hDWP = ::DeferWindowPos(m_hDWP, pBar->GetSafeHwnd(), nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                                  SWP_NOZORDER | SWP_NOACTIVATE);
    else
        ::SetWindowPos(pBar->GetSafeHwnd(), nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->Redraw();
}

// ---- messages

LRESULT CXTPDockBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!lpLayout || !(GetStyle() & WS_VISIBLE))
        return 0;
    const BOOL bHorz = IsHorizontal();
    DWORD dwMode;
    if ((m_dwDockStyle & CBRS_SIZE_DYNAMIC) && (m_dwDockStyle & CBRS_FLOATING))
        dwMode = lpLayout->bStretch ? 7 : 6;
    else
        dwMode = (bHorz ? 10 : 16) + (lpLayout->bStretch ? 1 : 0);
    CRect rcAvail(lpLayout->rect);
    CSize sz = CalcFixedLayout(bHorz ? rcAvail.Width() : rcAvail.Height(), dwMode, lpLayout);
    sz.cx = std::min<int>(sz.cx, rcAvail.Width());
    sz.cy = std::min<int>(sz.cy, rcAvail.Height());
    CRect rc;
    switch (GetPosition())
    {
    case xtpBarTop:
        rc.SetRect(rcAvail.left, rcAvail.top, rcAvail.left + sz.cx, rcAvail.top + sz.cy);
        lpLayout->rect.top += sz.cy;
        break;
    case xtpBarBottom:
        rc.SetRect(rcAvail.left, rcAvail.bottom - sz.cy, rcAvail.left + sz.cx, rcAvail.bottom);
        lpLayout->rect.bottom -= sz.cy;
        break;
    case xtpBarLeft:
        rc.SetRect(rcAvail.left, rcAvail.top, rcAvail.left + sz.cx, rcAvail.top + sz.cy);
        lpLayout->rect.left += sz.cx;
        break;
    default:
        rc.SetRect(rcAvail.right - sz.cx, rcAvail.top, rcAvail.right, rcAvail.top + sz.cy);
        lpLayout->rect.right -= sz.cx;
        break;
    }
    if (bHorz)
    {
        lpLayout->sizeTotal.cy += sz.cy;
        lpLayout->sizeTotal.cx = std::max<LONG>(lpLayout->sizeTotal.cx, sz.cx);
    }
    else
    {
        lpLayout->sizeTotal.cx += sz.cx;
        lpLayout->sizeTotal.cy = std::max<LONG>(lpLayout->sizeTotal.cy, sz.cy);
    }
    if (lpLayout->hDWP)
        AfxRepositionWindow(lpLayout, m_hWnd, &rc);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return 0;
}

void CXTPDockBar::OnPaint()
{
    CPaintDC dc(this);
    if (m_pCommandBars)
        m_pCommandBars->GetPaintManager()->FillDockBar(&dc, this);
}

LRESULT CXTPDockBar::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if (pDC && m_pCommandBars)
        m_pCommandBars->GetPaintManager()->FillDockBar(pDC, this);
    return 1;
}

BOOL CXTPDockBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTPDockBar::OnRButtonUp(UINT, CPoint point)
{
    if (!m_pCommandBars)
        return;
    ClientToScreen(&point);
    m_pCommandBars->ContextMenu(0, point.x, point.y);
}

void CXTPDockBar::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    // The glass margin of a composed frame follows the top dock bar.
    CXTPCommandBarsFrameHook* pFrameHook = m_pCommandBars ? m_pCommandBars->GetFrameHook() : nullptr;
    if (GetPosition() == xtpBarTop && pFrameHook && pFrameHook->IsDwmEnabled())
        pFrameHook->ExtendFrameIntoClientArea();
}

LRESULT CXTPDockBar::OnNcHitTest(CPoint)
{
    if (GetPosition() == xtpBarTop && m_pCommandBars)
    {
        CXTPToolBar* pMenuBar = dynamic_cast<CXTPToolBar*>(m_pCommandBars->GetMenuBar());
        if (pMenuBar && pMenuBar->IsRibbonBar() && pMenuBar->GetDockBar() == this)
            return HTTRANSPARENT;
    }
    return Default();
}
