// CXTPPopupBar: layout, direction and placement, scrolling, rarely used commands, painting, the
// mouse and the timers.
#include "toolkit/commandbars/bars/XTPPopupBar.h"

#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControlGallery.h"
#include "toolkit/commandbars/controls/XTPControlPopup.h"
#include "toolkit/commandbars/controls/XTPControlHyperlink.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/bars/XTPPopupPlacement.h"
#include "toolkit/commandbars/managers/XTPShadowManager.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/common/drawing/XTPScopedDC.h"
#include "toolkit/common/system/XTPMenuSoundPlayer.h"

#include <vector>

namespace
{
const int kScrollAreaHeight = 16;
const UINT kScrollInterval = 80;
const UINT kExpandHoverInterval = 80;
// A popup bar's layout is not limited by a length.
const int kNoLimit = 32000;

CRect MonitorRect(CPoint pt)
{
    HMONITOR hMonitor = ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (hMonitor && ::GetMonitorInfoA(hMonitor, &info))
        return CRect(info.rcMonitor);
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}
} // namespace

// ---- rarely used commands and the expand button

CXTPControl* CXTPPopupBar::GetExpandButton(BOOL bCreate)
{
    for (int i = 0; i < m_pControls->GetCount(); ++i)
    {
        CXTPControl* pControl = m_pControls->GetAt(i);
        if (pControl->GetID() == XTP_ID_POPUPBAR_EXPAND && pControl->IsKindOf(&CControlExpandButton::classCControlExpandButton))
            return pControl;
    }
    if (!bCreate)
        return nullptr;
    CXTPControl* pButton = m_pControls->Add(new CControlExpandButton(), XTP_ID_POPUPBAR_EXPAND, nullptr, -1, TRUE);
    if (pButton)
        pButton->SetBeginGroup(TRUE);
    return pButton;
}

void CXTPPopupBar::UpdateRarelyUsed()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CXTPControl* pExpand = GetExpandButton(FALSE);
    m_bCollapsed = FALSE;
    if (!pCommandBars || pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus)
    {
        for (int i = 0; i < m_pControls->GetCount(); ++i)
        {
            CXTPControl* pControl = m_pControls->GetAt(i);
            if (pControl != pExpand)
                pControl->SetHideFlags(pControl->GetHideFlags() & ~xtpHideExpand);
        }
        m_bExpanded = TRUE;
        return;
    }
    std::vector<BOOL> rare(static_cast<size_t>(m_pControls->GetCount()), FALSE);
    BOOL bAnyRare = FALSE, bAnyShown = FALSE;
    for (int i = 0; i < m_pControls->GetCount(); ++i)
    {
        CXTPControl* pControl = m_pControls->GetAt(i);
        if (pControl == pExpand)
            continue;
        pControl->SetHideFlags(pControl->GetHideFlags() & ~xtpHideExpand);
        if (!pControl->IsVisible())
            continue;
        if (pCommandBars->IsControlHidden(pControl))
        {
            rare[static_cast<size_t>(i)] = TRUE;
            bAnyRare = TRUE;
        }
        else
        {
            bAnyShown = TRUE;
        }
    }
    if (!bAnyRare || !bAnyShown)
        return;
    m_bCollapsed = !m_bExpanded;
    if (m_bExpanded)
        return;
    for (int i = 0; i < m_pControls->GetCount(); ++i)
    {
        if (rare[static_cast<size_t>(i)])
        {
            CXTPControl* pControl = m_pControls->GetAt(i);
            pControl->SetHideFlags(pControl->GetHideFlags() | xtpHideExpand);
        }
    }
}

// ---- layout

CSize CXTPPopupBar::CalcDynamicLayout(int nLength, DWORD /*dwMode*/)
{
    m_bDynamicLayout = TRUE;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    // The window's device context, or the screen's before the window exists.
    HDC hDC = ::GetDC(m_hWnd);
    CDC dc;
    dc.Attach(hDC);
    CFont* pOldFont = dc.SelectObject(pPaintManager->GetCommandBarFont(this));

    CRect rcBorder = GetBorders();
    const int nTop = rcBorder.top;
    if (m_bDoubleGripper || m_bTearOffPopup)
    {
        const int nStrip = pPaintManager->DrawTearOffGripper(&dc, CRect(), FALSE, FALSE).cy;
        rcBorder.top += nStrip;
    }
    CSize sz(0, 0);
    if (m_barType == xtpBarTypeNormal)
    {
        UpdateShortcuts();
        sz = m_pControls->CalcDynamicSize(&dc, nLength > 0 ? nLength : m_nMRUWidth, 0x142, rcBorder);
    }
    else
    {
        // Expanded once rarely used items were shown for this opening.
        if (m_bShowExpanded)
            m_bExpanded = TRUE;
        // List placeholders refresh their items first (last to first: they insert after themselves).
        for (int i = m_pControls->GetCount() - 1; i >= 0; --i)
        {
            if (CXTPControl* pControl = m_pControls->GetAt(i))
                pControl->OnCalcDynamicSize(0);
        }
        UpdateRarelyUsed();
        UpdateShortcuts();
        CXTPControl* pExpand = m_bCollapsed ? GetExpandButton(TRUE) : GetExpandButton(FALSE);
        if (pExpand)
            pExpand->SetHideFlags(xtpHideGeneric);

        int nLimit = kNoLimit;
        CXTPCommandBars* pCommandBars = GetCommandBars();
        if (!m_bScrolling && (!pCommandBars || pCommandBars->GetCommandBarsOptions()->bWrapLargePopups))
        {
            CRect rcWork(GetCommandBarsSystemQuery()->GetWorkArea(m_ptPopup));
            nLimit = m_nFitHeight > 0 ? m_nFitHeight : rcWork.Height();
        }
        // Every control takes its place first; a scrolling popup then shows its range of them.
        for (int i = 0; i < m_pControls->GetCount(); ++i)
        {
            CXTPControl* pControl = m_pControls->GetAt(i);
            pControl->SetHideFlags(pControl->GetHideFlags() & ~xtpHideScroll);
        }
        sz = m_pControls->WrapRows(&dc, nLimit, rcBorder, 0, FALSE);
        if (pExpand && m_bCollapsed)
        {
            pExpand->SetHideFlags(0);
            const int cy = pExpand->GetSize(&dc).cy;
            const int y = sz.cy - rcBorder.bottom;
            pExpand->SetRect(CRect(rcBorder.left, y, sz.cx - rcBorder.right, y + cy));
            pExpand->SetRowRect(pExpand->GetRect());
            sz.cy += cy;
        }
    }
    // The first gallery's resize setting gives the gripper row below the controls.
    m_nResizeGripper = 0;
    m_rcResizeGripper = CRect();
    if (m_barType != xtpBarTypeNormal)
    {
        for (int i = 0; i < m_pControls->GetCount(); ++i)
        {
            if (CXTPControlGallery* pGallery = DYNAMIC_DOWNCAST(CXTPControlGallery, m_pControls->GetAt(i)))
            {
                m_nResizeGripper = pGallery->GetResizable();
                break;
            }
        }
        if (m_nResizeGripper)
        {
            const int cyGripper = m_nResizeGripper == 2 ? 8 : 11;
            const int y = sz.cy - rcBorder.bottom;
            m_rcResizeGripper = CRect(rcBorder.left, y, sz.cx - rcBorder.right, y + cyGripper);
            sz.cy += cyGripper;
        }
    }
    m_rcTearOffGripper = m_bTearOffPopup ? CRect(rcBorder.left, nTop, sz.cx - rcBorder.right, rcBorder.top) : CRect();
    m_rcGripperArea[0] = m_bDoubleGripper ? CRect(rcBorder.left, nTop, sz.cx - rcBorder.right, rcBorder.top) : CRect();
    m_rcGripperArea[1] = CRect();
    if (m_bScrolling)
        LayoutScrolled(m_szLast.cy > 0 ? CSize(sz.cx, m_szLast.cy) : sz);
    dc.SelectObject(pOldFont);
    dc.Detach();
    ::ReleaseDC(m_hWnd, hDC);
    m_bDynamicLayout = FALSE;
    return sz;
}

void CXTPPopupBar::LayoutScrolled(CSize szPopup)
{
    const BOOL bBusy = m_bDynamicLayout;
    m_bDynamicLayout = TRUE;
    CRect rcBorder = GetBorders();
    if (!m_rcTearOffGripper.IsRectEmpty())
        rcBorder.top = m_rcTearOffGripper.bottom;

    // The controls that take part, in order.
    std::vector<CXTPControl*> items;
    for (int i = 0; i < m_pControls->GetCount(); ++i)
    {
        CXTPControl* pControl = m_pControls->GetAt(i);
        pControl->SetHideFlags(pControl->GetHideFlags() & ~xtpHideScroll);
        if (pControl->IsVisible(xtpHideWrap))
            items.push_back(pControl);
    }
    m_rcScrollUp.SetRectEmpty();
    m_rcScrollDown.SetRectEmpty();
    if (items.empty())
    {
        m_nFirstVisible = m_nLastVisible = 0;
        m_bDynamicLayout = bBusy;
        return;
    }
    // Heights with the gap before each control (a group separator).
    std::vector<int> heights(items.size());
    for (size_t k = 0; k < items.size(); ++k)
    {
        const CRect rc = items[k]->GetRect();
        const int nPrevBottom = k == 0 ? rc.top : static_cast<int>(items[k - 1]->GetRect().bottom);
        heights[k] = rc.Height() + (k == 0 ? 0 : rc.top - nPrevBottom);
    }
    const int nAvail = szPopup.cy - rcBorder.top - rcBorder.bottom;

    // The first shown item: the one holding the first visible index, kept in range.
    size_t nFirst = 0;
    while (nFirst + 1 < items.size() && items[nFirst]->GetIndex() < m_nFirstVisible)
        ++nFirst;
    auto fitFrom = [&](size_t nStart) {
        const int nTopArea = nStart > 0 ? kScrollAreaHeight : 0;
        int y = 0;
        size_t nLast = nStart;
        for (size_t k = nStart; k < items.size(); ++k)
        {
            const int h = k == nStart ? items[k]->GetRect().Height() : heights[k];
            const int nBottomArea = k + 1 < items.size() ? kScrollAreaHeight : 0;
            if (k != nStart && nTopArea + y + h > nAvail - nBottomArea)
                break;
            y += h;
            nLast = k;
        }
        return nLast;
    };
    size_t nLast = fitFrom(nFirst);
    // Do not leave room at the bottom while items above are hidden.
    while (nFirst > 0 && nLast + 1 == items.size() && fitFrom(nFirst - 1) == items.size() - 1)
        --nFirst;
    nLast = fitFrom(nFirst);

    const int nTopArea = nFirst > 0 ? kScrollAreaHeight : 0;
    const int dy = rcBorder.top + nTopArea - static_cast<int>(items[nFirst]->GetRect().top);
    for (size_t k = 0; k < items.size(); ++k)
    {
        CXTPControl* pControl = items[k];
        if (k < nFirst || k > nLast)
        {
            pControl->SetHideFlags(pControl->GetHideFlags() | xtpHideScroll);
            continue;
        }
        CRect rc = pControl->GetRect();
        rc.OffsetRect(0, dy);
        pControl->SetRect(rc);
        CRect rcRow = pControl->GetRowRect();
        rcRow.OffsetRect(0, dy);
        pControl->SetRowRect(rcRow);
    }
    m_nFirstVisible = items[nFirst]->GetIndex();
    m_nLastVisible = items[nLast]->GetIndex();
    if (nFirst > 0)
        m_rcScrollUp = CRect(rcBorder.left, rcBorder.top, szPopup.cx - rcBorder.right, rcBorder.top + kScrollAreaHeight);
    if (nLast + 1 < items.size())
        m_rcScrollDown = CRect(rcBorder.left, szPopup.cy - rcBorder.bottom - kScrollAreaHeight,
                               szPopup.cx - rcBorder.right, szPopup.cy - rcBorder.bottom);
    m_bDynamicLayout = bBusy;
}

BOOL CXTPPopupBar::ScrollBy(int nStep)
{
    if (!m_bScrolling)
        return FALSE;
    if ((nStep > 0 && m_rcScrollDown.IsRectEmpty()) || (nStep < 0 && m_rcScrollUp.IsRectEmpty()))
        return FALSE;
    // The next or previous control that takes part.
    int nIndex = m_nFirstVisible + nStep;
    while (nIndex >= 0 && nIndex < m_pControls->GetCount() && !m_pControls->GetAt(nIndex)->IsVisible(xtpHideWrap | xtpHideScroll))
        nIndex += nStep;
    if (nIndex < 0 || nIndex >= m_pControls->GetCount())
        return FALSE;
    m_nFirstVisible = nIndex;
    CSize sz = CalcDynamicLayout(0, 0);
    (void)sz;
    Redraw();
    return TRUE;
}

// ---- direction and placement

void CXTPPopupBar::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    if (m_pControlPopup)
        m_pControlPopup->AdjustExcludeRect(rc, bVertical);
}

void CXTPPopupBar::UpdateExcludeRect()
{
    CXTPCommandBar* pParent = GetParentCommandBar();
    if (!m_pControlPopup || !pParent)
        return;
    DWORD dwDirection = 0;
    if ((m_pControlPopup->GetFlags() & 4) || (m_hWnd && (::GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)))
        dwDirection |= xtpPopupDirectionLeft;

    const int nPosition = pParent->GetPosition();
    BOOL bBelow;
    if (pParent->IsPopupBar() && (pParent->GetFlags() & xtpFlagSmartLayout))
        bBelow = TRUE;
    else if (nPosition == xtpBarRight)
    {
        dwDirection |= xtpPopupDirectionLeft;
        bBelow = FALSE;
    }
    else if (nPosition == xtpBarLeft || nPosition == xtpBarPopup)
        bBelow = pParent->GetType() == xtpBarTypePopup && pParent->IsPopupBar() && (pParent->GetFlags() & 1);
    else
        bBelow = !(nPosition == xtpBarFloating && pParent->GetType() == xtpBarTypePopup);
    if (bBelow)
        dwDirection |= xtpPopupDirectionBelow;

    CRect rc = m_pControlPopup->GetRect();
    CRect rcBeside = rc;
    // Opening beside a bar that is not a popup keeps the control's own rectangle.
    const BOOL bSideOfBar = !bBelow && !pParent->IsPopupType();
    if (!bSideOfBar)
        AdjustExcludeRect(rc, !bBelow);
    AdjustExcludeRect(rcBeside, TRUE);
    HWND hWndParent = pParent->GetSafeHwnd();
    if (hWndParent)
    {
        ::MapWindowPoints(hWndParent, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        ::MapWindowPoints(hWndParent, nullptr, reinterpret_cast<POINT*>(&rcBeside), 2);
    }
    m_rcExclude = rc;
    m_rcExcludeBeside = rcBeside;
    m_dwDirection = dwDirection;
    m_ptPopup = bBelow ? CPoint(rc.left, rc.bottom) : CPoint(rc.right, rc.top);
}

CRect CXTPPopupBar::CalcPopupRect(CPoint pt, CSize sz)
{
    XTP_POPUP_PLACEMENT place;
    place.ptAnchor = pt;
    place.rcExclude = m_rcExclude;
    place.rcExcludeBeside = m_rcExcludeBeside;
    place.size = sz;
    place.dwDirection = m_dwDirection;
    CRect rcWork(GetCommandBarsSystemQuery()->GetWorkArea(pt));
    place.rcWork = XTPChoosePopupWorkArea(MonitorRect(pt), rcWork, pt, m_rcExclude);
    place.bFlip = m_bAllowFlip;
    place.nMaxHeight = m_nMaxHeight;
    place.bMenu = m_barType == xtpBarTypePopup;
    XTPCalcPopupRect(place);
    if (place.bRelayout && !m_bDynamicLayout && m_nFitHeight == 0)
    {
        m_nFitHeight = place.nAvailableHeight;
        place.size = CalcDynamicLayout(0, 0);
        m_nFitHeight = 0;
        XTPCalcPopupRect(place);
    }
    m_dwDirection = place.dwDirection;
    if (place.bScroll && m_barType == xtpBarTypePopup)
    {
        if (!m_bScrolling)
        {
            // A scrolling menu is one column: lay it out again without wrapping, same edge kept.
            m_nFirstVisible = 0;
            m_bScrolling = TRUE;
            if (!m_bDynamicLayout)
            {
                const int cx = CalcDynamicLayout(0, 0).cx;
                if (m_dwDirection & xtpPopupDirectionLeft)
                    place.rcPopup.left = place.rcPopup.right - cx;
                else
                    place.rcPopup.right = place.rcPopup.left + cx;
            }
        }
        m_szLast = place.rcPopup.Size();
        LayoutScrolled(place.rcPopup.Size());
    }
    else if (m_bScrolling)
    {
        m_bScrolling = FALSE;
        m_rcScrollUp.SetRectEmpty();
        m_rcScrollDown.SetRectEmpty();
        for (int i = 0; i < m_pControls->GetCount(); ++i)
        {
            CXTPControl* pControl = m_pControls->GetAt(i);
            pControl->SetHideFlags(pControl->GetHideFlags() & ~xtpHideScroll);
        }
    }
    return place.rcPopup;
}

void CXTPPopupBar::OnRecalcLayout()
{
    if (m_bDynamicLayout || !m_hWnd || !IsVisible())
        return;
    UpdateShortcuts();
    UpdateExcludeRect();
    CSize sz = CalcDynamicLayout(0, 0);
    CRect rcOld;
    ::GetWindowRect(m_hWnd, &rcOld);
    CRect rc = CalcPopupRect(m_ptPopup, sz);
    if (rc == rcOld && !m_bExpandedByUser)
    {
        Redraw();
        return;
    }
    const BOOL bTipsShown = GetKeyboardTipsLevel() > 0;
    HideKeyboardTips();
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CXTPShadowManager* pShadows = pPaintManager ? pPaintManager->GetShadowManager() : nullptr;
    if (pShadows)
        pShadows->RemoveShadows(this);
    const int nKind = m_bExpandedByUser ? GetAnimationKind() : xtpAnimateNone;
    if (nKind >= xtpAnimateUnfold && nKind <= xtpAnimateFade && pPaintManager)
    {
        AnimateExpansion(rcOld, rc);
    }
    else
    {
        ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), 0x254);
        m_szLast = rc.Size();
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        CastShadow();
    }
    if (m_bExpandedByUser)
        GetMenuSoundPlayer()->Play(CXTPMenuSoundPlayer::xtpSoundMenuPopup);
    // The tips were placed for the old layout: they come back for the new one.
    if (bTipsShown)
        ::PostMessageA(m_hWnd, WM_TIMER, kTimerKeyboardTips, 0);
}

void CXTPPopupBar::AnimateExpansion(const CRect& rcOld, const CRect& rc)
{
    // The screen under the new place, with the collapsed popup still on it.
    CWindowDC dcScreen(nullptr);
    CBitmap bmpUnder;
    bmpUnder.CreateCompatibleBitmap(&dcScreen, rc.Width(), rc.Height());
    CXTPCompatibleDC dcUnder(&dcScreen, &bmpUnder);
    dcUnder.BitBlt(0, 0, rc.Width(), rc.Height(), &dcScreen, rc.left, rc.top, SRCCOPY);

    ::ShowWindow(m_hWnd, SW_HIDE);
    if (CWnd* pSite = GetSite())
        pSite->UpdateWindow();
    ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), 0x25C);
    m_szLast = rc.Size();
    CastShadow();

    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    CWindowDC dcWindow(this);
    CBitmap bmpBuffer;
    bmpBuffer.CreateCompatibleBitmap(&dcWindow, rcClient.Width(), rcClient.Height());
    CXTPCompatibleDC dcBuffer(&dcWindow, &bmpBuffer);
    DrawCommandBar(&dcBuffer, rcClient);
    dcWindow.BitBlt(0, 0, rc.Width(), rc.Height(), &dcUnder, 0, 0, SRCCOPY);
    // Grown downwards when the top edge stayed (or went down).
    GetPaintManager()->AnimateExpanding(this, &dcWindow, &dcBuffer, rc.top >= rcOld.top);
    dcWindow.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcBuffer, 0, 0, SRCCOPY);
    ::ValidateRect(m_hWnd, nullptr);
}

// ---- painting

void CXTPPopupBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    CXTPCommandBar::DrawCommandBar(pDC, rcClipBox);
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (!pPaintManager)
        return;
    if (m_bScrolling)
    {
        const COLORREF clr = pPaintManager->GetColor(COLOR_BTNTEXT);
        auto drawArrow = [pDC, clr](const CRect& rc, BOOL bUp) {
            if (rc.IsRectEmpty())
                return;
            pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_MENU));
            const CPoint c = rc.CenterPoint();
            for (int k = 0; k < 4; ++k)
            {
                const int y = bUp ? c.y - 2 + k : c.y + 1 - k;
                pDC->FillSolidRect(c.x - k, y, 2 * k + 1, 1, clr);
            }
        };
        drawArrow(m_rcScrollUp, TRUE);
        drawArrow(m_rcScrollDown, FALSE);
    }
    if (!m_rcTearOffGripper.IsRectEmpty())
        pPaintManager->DrawTearOffGripper(pDC, m_rcTearOffGripper, m_bTearOffSelected, TRUE);
    else if (!m_rcGripperArea[0].IsRectEmpty())
        pPaintManager->DrawTearOffGripper(pDC, m_rcGripperArea[0], m_bExpandHoverArmed, TRUE);
    if (!m_rcResizeGripper.IsRectEmpty())
        pPaintManager->DrawResizeGripper(pDC, m_rcResizeGripper, m_nResizeGripper);
}

// ---- mouse and timers

void CXTPPopupBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (XTPMouseManager()->IsMouseLocked(this))
        return;
    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    CXTPCommandBar* pParent = GetParentCommandBar();
    if (rcClient.PtInRect(point) && pParent && m_pControlPopup && pParent->GetSelected() != m_pControlPopup->GetIndex())
        pParent->SetSelected(m_pControlPopup->GetIndex());

    if (m_bScrolling)
    {
        const BOOL bDown = m_rcScrollDown.PtInRect(point);
        const BOOL bUp = m_rcScrollUp.PtInRect(point);
        if (bDown || bUp)
        {
            if (m_nPopuped != -1)
                SetPopupControl(-1);
            ::SetTimer(m_hWnd, bDown ? XTP_TID_POPUP_SCROLLDOWN : XTP_TID_POPUP_SCROLLUP, kScrollInterval, nullptr);
            return;
        }
        ::KillTimer(m_hWnd, XTP_TID_POPUP_SCROLLDOWN);
        ::KillTimer(m_hWnd, XTP_TID_POPUP_SCROLLUP);
    }
    if (!m_rcGripperArea[0].IsRectEmpty() && m_rcGripperArea[0].PtInRect(point) && !IsCustomizeMode() &&
        !m_bExpandHoverArmed && !m_nExpandHoverTimer)
    {
        SetPopupControl(-1);
        SetSelected(-1);
        m_nExpandHoverTimer = ::SetTimer(m_hWnd, XTP_TID_POPUP_EXPANDHOVER, kExpandHoverInterval, nullptr);
    }
    CXTPCommandBar::OnMouseMove(nFlags, point);
}

void CXTPPopupBar::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent)
    {
    case XTP_TID_POPUP_SCROLLDOWN:
    case XTP_TID_POPUP_SCROLLUP:
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hWnd, &pt);
        const BOOL bDown = nIDEvent == XTP_TID_POPUP_SCROLLDOWN;
        const CRect& rcArea = bDown ? m_rcScrollDown : m_rcScrollUp;
        if (!rcArea.PtInRect(pt) || !ScrollBy(bDown ? +1 : -1))
            ::KillTimer(m_hWnd, nIDEvent);
        return;
    }
    case XTP_TID_POPUP_EXPANDHOVER:
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hWnd, &pt);
        const BOOL bInside = m_rcGripperArea[0].PtInRect(pt);
        if (!m_bExpandHoverArmed && bInside)
        {
            m_bExpandHoverArmed = TRUE;
            Redraw();
        }
        else if (m_bExpandHoverArmed && !bInside)
        {
            m_bExpandHoverArmed = FALSE;
            Redraw();
            ::KillTimer(m_hWnd, XTP_TID_POPUP_EXPANDHOVER);
            m_nExpandHoverTimer = 0;
        }
        return;
    }
    case XTP_TID_POPUP_EXPANDDELAY:
    {
        ::KillTimer(m_hWnd, XTP_TID_POPUP_EXPANDDELAY);
        CXTPControl* pHot = GetControl(m_nSelected);
        if (pHot && pHot->GetID() == XTP_ID_POPUPBAR_EXPAND)
            pHot->OnExecute();
        return;
    }
    default:
        break;
    }
    CXTPCommandBar::OnTimer(nIDEvent);
}

void CXTPPopupBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_rcTearOffGripper.IsRectEmpty() && m_rcTearOffGripper.PtInRect(point) && !IsCustomizeMode())
    {
        TrackTearOff();
        return;
    }
    if (!m_rcResizeGripper.IsRectEmpty() && m_rcResizeGripper.PtInRect(point))
    {
        TrackGalleryResize(point);
        return;
    }
    CXTPCommandBar::OnLButtonDown(nFlags, point);
}

BOOL CXTPPopupBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && XTPSetHyperlinkCursor(this))
        return TRUE;
    if (!m_rcResizeGripper.IsRectEmpty())
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hWnd, &pt);
        if (m_rcResizeGripper.PtInRect(pt))
        {
            const BOOL bRTL = (::GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
            LPCSTR idc = m_nResizeGripper == 2 ? IDC_SIZENS : (bRTL ? IDC_SIZENESW : IDC_SIZENWSE);
            ::SetCursor(::LoadCursor(nullptr, idc));
            return TRUE;
        }
    }
    return static_cast<BOOL>(::DefWindowProcA(m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(pWnd ? pWnd->GetSafeHwnd() : nullptr),
                                              MAKELPARAM(nHitTest, message)));
}
