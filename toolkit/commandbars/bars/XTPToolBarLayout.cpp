// CXTPToolBar: the docked layout (a dock bar row asks it), the floating layout (its own window) and
// the layout of a toolbar placed directly in a frame (WM_SIZEPARENT).
#include "toolkit/commandbars/bars/XTPToolBar.h"

#include <algorithm>

#include "framework/DC.h"
#include "framework/FrameWnd.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

namespace
{
// The flags of the close and expand buttons: no customise moves, skipped by the keyboard.
const int kAuxButtonFlags = 26;
const int kExpandButtonFlags = 28;

// A client DC with the bar's font for the time of a layout.
class CBarLayoutDC
{
public:
    explicit CBarLayoutDC(CXTPCommandBar* pBar) : m_dc(pBar->GetSafeHwnd() ? pBar : nullptr)
    {
        m_pOldFont = m_dc.SelectObject(pBar->GetPaintManager()->GetCommandBarFont(pBar));
    }
    ~CBarLayoutDC() { m_dc.SelectObject(m_pOldFont); }
    CDC* Get() { return &m_dc; }

private:
    CClientDC m_dc;
    CFont* m_pOldFont = nullptr;
};

void HideControl(CXTPControl* pControl)
{
    if (pControl)
        pControl->SetHideFlags(pControl->GetHideFlags() | xtpHideGeneric);
}

// The row layout may have marked a hidden control at the end as pushed out too: both bits go.
void ShowControl(CXTPControl* pControl)
{
    if (pControl)
        pControl->SetHideFlags(pControl->GetHideFlags() & ~(xtpHideGeneric | xtpHideWrap));
}
} // namespace

CXTPControl* CXTPToolBar::FindExpandControl() const
{
    return m_pControls->FindControlById(ID_TK_TOOLBAR_EXPAND);
}

CXTPControl* CXTPToolBar::FindHideControl() const
{
    return m_pControls->FindControlById(ID_TK_TOOLBAR_HIDE);
}

BOOL CXTPToolBar::HasPushedOutControls() const
{
    for (int i = 0; i < m_pControls->GetCount(); ++i)
    {
        if (m_pControls->GetAt(i)->GetHideFlags() == xtpHideWrap)
            return TRUE;
    }
    return FALSE;
}

CXTPControl* CXTPToolBar::EnsureAuxControl(int nId, BOOL bExpand)
{
    CXTPControl* pControl = m_pControls->FindControlById(nId);
    if (pControl)
        return pControl;
    pControl = bExpand ? CreateExpandButton() : new CControlButtonHide();
    if (!pControl)
        return nullptr;
    m_pControls->Add(pControl, nId, nullptr, -1, TRUE);
    pControl->SetFlags(bExpand ? kExpandButtonFlags : kAuxButtonFlags);
    return pControl;
}

CSize CXTPToolBar::CalcDockingLayout(int nLength, DWORD dwMode, int nWidth)
{
    CBarLayoutDC layoutDC(this);
    CDC* pDC = layoutDC.Get();
    CRect rcBorder = GetBorders();
    const BOOL bHorz = (dwMode & LM_HORZ) != 0;
    const BOOL bCommit = (dwMode & LM_COMMIT) != 0;

    HideControl(FindHideControl());

    CXTPControl* pExpand = nullptr;
    if (m_bShowExpandButton)
    {
        pExpand = EnsureAuxControl(ID_TK_TOOLBAR_EXPAND, TRUE);
        HideControl(pExpand);
        CXTPCommandBars* pCommandBars = GetCommandBars();
        const BOOL bAlways = !pCommandBars || pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways;
        if (!bAlways && !bCommit)
        {
            CSize sz = m_pControls->CalcDynamicSize(pDC, nLength, dwMode, rcBorder);
            CSize szMin = m_pControls->CalcDynamicSize(pDC, 1, dwMode, rcBorder);
            if (m_pControls->GetVisibleCount() > 1)
            {
                // Room for the expand button once controls are pushed out.
                if (bHorz)
                    sz.cx = std::max<int>(sz.cx, szMin.cx + XTP_TOOLBAR_EXPAND_RESERVE);
                else
                    sz.cy = std::max<int>(sz.cy, szMin.cy + XTP_TOOLBAR_EXPAND_RESERVE);
            }
            return sz;
        }
        if (!bAlways && bCommit)
        {
            CSize sz = m_pControls->CalcDynamicSize(pDC, nLength, dwMode, rcBorder);
            if (!HasPushedOutControls())
            {
                pExpand = nullptr;
                if (m_dwPending & xtpDelayLayout)
                {
                    m_dwPending &= ~xtpDelayLayout;
                    Redraw();
                }
                return sz;
            }
        }
        if (bHorz)
            rcBorder.right += XTP_TOOLBAR_EXPAND_RESERVE;
        else
            rcBorder.bottom += XTP_TOOLBAR_EXPAND_RESERVE;
    }

    CSize sz = m_pControls->CalcDynamicSize(pDC, nLength, dwMode, rcBorder);
    if (nWidth > 0)
    {
        // Committed in a row: the bar takes the row's thickness.
        if (bHorz)
            sz.cy = std::max<int>(sz.cy, nWidth);
        else
            sz.cx = std::max<int>(sz.cx, nWidth);
    }
    if (pExpand)
    {
        // At the end of the bar, in the strip kept for it.
        ShowControl(pExpand);
        if (bHorz)
            pExpand->SetRect(CRect(sz.cx - 2 - XTP_TOOLBAR_EXPAND_RESERVE, 2, sz.cx - 2, sz.cy - 2));
        else
            pExpand->SetRect(CRect(2, sz.cy - 2 - XTP_TOOLBAR_EXPAND_RESERVE, sz.cx - 2, sz.cy - 2));
    }
    if (bCommit && (m_dwPending & xtpDelayLayout))
    {
        m_dwPending &= ~xtpDelayLayout;
        Redraw();
    }
    return sz;
}

CSize CXTPToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    CBarLayoutDC layoutDC(this);
    CDC* pDC = layoutDC.Get();
    const int h = GetPaintManager()->DrawCommandBarGripper(pDC, this, FALSE).cy;
    CRect rcBorder(3, 3 + h + 1, 3, 3);

    CXTPControl* pHide = nullptr;
    if (m_bCloseable)
    {
        pHide = EnsureAuxControl(ID_TK_TOOLBAR_HIDE, FALSE);
        HideControl(pHide);
    }
    CXTPControl* pExpand = nullptr;
    if (m_bShowExpandButton && m_bFloatingExpand)
    {
        pExpand = EnsureAuxControl(ID_TK_TOOLBAR_EXPAND, TRUE);
        HideControl(pExpand);
    }
    else
    {
        // The expand button a docked layout showed does not join the floating rows.
        HideControl(FindExpandControl());
    }

    CSize sz = IsPopupType() ? m_pControls->WrapRows(pDC, nLength, rcBorder)
                             : m_pControls->CalcDynamicSize(pDC, nLength, dwMode, rcBorder);

    int nRight = sz.cx - 3;
    if (pHide)
    {
        ShowControl(pHide);
        pHide->SetRect(CRect(nRight - h, 3, nRight, h + 3));
        pHide->SetWrap(TRUE);
        nRight -= h;
    }
    if (pExpand)
    {
        CXTPCommandBars* pCommandBars = GetCommandBars();
        const BOOL bAlways = !pCommandBars || pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways;
        if (bAlways && nRight - h > 3)
        {
            ShowControl(pExpand);
            pExpand->SetRect(CRect(nRight - h, 3, nRight, h + 3));
            pExpand->SetWrap(TRUE);
        }
    }
    if ((dwMode & LM_COMMIT) && (m_dwPending & xtpDelayLayout))
    {
        m_dwPending &= ~xtpDelayLayout;
        Redraw();
    }
    return sz;
}

LRESULT CXTPToolBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!lpLayout || !m_bVisible || !::IsWindowVisible(m_hWnd))
        return 0;
    DWORD dwMode = (m_dwFlags & xtpFlagStretched) ? 75 : 74;
    if (m_dwFlags & xtpFlagHideWrap)
        dwMode |= 0x80;
    if (!lpLayout->hDWP)
        dwMode &= ~LM_COMMIT;
    CRect rcAvail(lpLayout->rect);
    CSize sz = CalcDockingLayout(rcAvail.Width(), dwMode);
    sz.cx = std::min<int>(sz.cx, rcAvail.Width());
    sz.cy = std::min<int>(sz.cy, rcAvail.Height());
    CRect rc(rcAvail.left, rcAvail.top, rcAvail.left + sz.cx, rcAvail.top + sz.cy);
    lpLayout->rect.top += sz.cy;
    lpLayout->sizeTotal.cx = std::max<LONG>(lpLayout->sizeTotal.cx, sz.cx);
    lpLayout->sizeTotal.cy += sz.cy;
    if (lpLayout->hDWP)
    {
        AfxRepositionWindow(lpLayout, m_hWnd, &rc);
        Redraw();
    }
    return 0;
}
