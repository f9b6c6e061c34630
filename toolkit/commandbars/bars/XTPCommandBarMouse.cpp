// CXTPCommandBar: mouse input, timers, hit tests (help mode, context help) and the messages that
// feed the tooltip context.
#include "toolkit/commandbars/bars/XTPCommandBar.h"

#include "framework/FrameWnd.h"
#include "toolkit/commandbars/bars/XTPCommandBarAnimation.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControlAction.h"
#include "toolkit/commandbars/controls/XTPControlGallery.h"
#include "toolkit/commandbars/controls/XTPControlPopup.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"

#include <windowsx.h>

namespace
{
// The bar's top-level window is the active one (or is owned by it).
BOOL IsUnderActiveTopLevel(HWND hWnd)
{
    HWND hTop = ::GetAncestor(hWnd, GA_ROOT);
    HWND hActive = ::GetActiveWindow();
    return hActive && (hActive == hTop || ::GetWindow(hTop, GW_OWNER) == hActive);
}
} // namespace

CXTPControl* CXTPCommandBar::HitTestControl(CPoint point) const
{
    CXTPControl* pControl = m_pControls->HitTest(point);
    return pControl && pControl->GetParent() == this ? pControl : nullptr;
}

int CXTPCommandBar::OnMouseHitTest(CPoint pt)
{
    if (!m_hWnd)
        return -2;
    return IsPointInBar(pt) ? 1 : -2;
}

void CXTPCommandBar::OnTrackedMouseMove(UINT nFlags, CPoint point)
{
    OnMouseMove(nFlags, point);
}

void CXTPCommandBar::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (!m_hWnd)
        return;
    if (!m_bLockExempt && XTPMouseManager()->IsMouseLocked(this))
        return;
    if (!IsPopupType() && !m_bTracking && !IsUnderActiveTopLevel(m_hWnd))
        return;
    HWND hWndCapture = ::GetCapture();
    if (hWndCapture && hWndCapture != m_hWnd)
        return; // another bar holds the mouse
    if (IsCustomizeMode())
        return; // moves in customisation start drags (customisation by drag and drop)
    if (m_nPopuped != -1 && !m_bSelectOnHover)
        return;

    CXTPControl* pControl = HitTestControl(point);
    int nHot = -1;
    if (pControl)
    {
        nHot = pControl->GetIndex();
        XTPMouseManager()->TrackMouseLeave(m_hWnd);
        pControl->OnMouseMove(point);
    }
    else if (m_bTracking && !(IsPopupType() && m_nPopuped == -1 && m_bEnteredByMouse))
    {
        nHot = m_nSelected;
    }
    SetSelected(nHot, FALSE);
}

void CXTPCommandBar::ProcessMouseLeave()
{
    if (!m_bLockExempt && XTPMouseManager()->IsMouseLocked(this))
        return;
    // A tracking bar keeps its selection unless it is a popup without an open sub-popup.
    if (m_bTracking && (!IsPopupType() || m_nPopuped != -1))
        return;
    if (m_nKeepSelection > 0)
        return;
    SetSelected(-1);
}

void CXTPCommandBar::OnMouseLeave()
{
    ProcessMouseLeave();
    CWnd::OnMouseLeave();
}

LRESULT CXTPCommandBar::OnNcMouseMoveMessage(WPARAM, LPARAM)
{
    ProcessMouseLeave();
    return Default();
}

void CXTPCommandBar::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    // On a popup tool bar a press outside the control whose popup is open closes that popup.
    if (m_barType == xtpBarTypeNormal && m_barPosition == xtpBarPopup && m_nPopuped != -1)
    {
        CXTPControl* pOpen = GetControl(m_nPopuped);
        if (pOpen && !pOpen->GetRect().PtInRect(point))
        {
            BOOL bWasHot = m_nSelected == m_nPopuped;
            SetPopupControl(-1);
            if (bWasHot)
                SetSelected(-1);
        }
    }
    CXTPControl* pControl = HitTestControl(point);
    if (!pControl)
    {
        Default();
        return;
    }
    // Alt with a press on a tool bar starts a customisation drag (customisation by drag and drop);
    // until that exists the press goes to the control.
    pControl->OnLButtonDown(point);
}

void CXTPCommandBar::OnLButtonDblClk(UINT /*nFlags*/, CPoint point)
{
    CXTPControl* pControl = IsCustomizeMode() ? nullptr : HitTestControl(point);
    if (pControl)
        pControl->OnLButtonDblClk(point);
    else
        Default();
}

void CXTPCommandBar::OnLButtonUp(UINT /*nFlags*/, CPoint point)
{
    if (IsCustomizeMode())
    {
        Default();
        return;
    }
    CXTPControl* pControl = HitTestControl(point);
    if (pControl)
        pControl->OnLButtonUp(point);
    else
        Default();
}

void CXTPCommandBar::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    CXTPControl* pControl = HitTestControl(point);
    if (pControl && pControl->OnRButtonDown(point))
        return;
    // In customisation the control becomes the pick and the customise context menu opens
    // (customisation by drag and drop); otherwise the press is the window's.
    Default();
}

void CXTPCommandBar::OnRButtonUp(UINT /*nFlags*/, CPoint point)
{
    if (IsCustomizeMode())
        return;
    CXTPControl* pControl = HitTestControl(point);
    if (pControl)
    {
        CWnd* pOwner = GetOwnerSite();
        CPoint pt = point;
        if (pOwner && pOwner->GetSafeHwnd() &&
            ::SendMessageA(pOwner->GetSafeHwnd(), XTP_WM_CONTROLRBUTTONUP, reinterpret_cast<WPARAM>(&pt),
                           reinterpret_cast<LPARAM>(pControl)) == 1)
            return;
        if (GetRootParent()->m_bExecOnRButton)
            pControl->OnLButtonUp(point);
        else
            pControl->OnRButtonUp(point);
        return;
    }
    CPoint ptScreen = point;
    ::ClientToScreen(m_hWnd, &ptScreen);
    GetRootParent()->OnContextMenuRequest(ptScreen);
}

LRESULT CXTPCommandBar::OnNcHitTest(CPoint point)
{
    if (!IsHelpMode())
        return CWnd::OnNcHitTest(point);
    CPoint ptClient = point;
    ::ScreenToClient(m_hWnd, &ptClient);
    CXTPControl* pControl = HitTestControl(ptClient);
    if (pControl && pControl->GetID() <= 0 && pControl->GetType() >= xtpControlPopup &&
        pControl->GetType() <= xtpControlSplitButtonPopup)
        return HTMENU;
    return HTCLIENT;
}

LRESULT CXTPCommandBar::OnNcLButtonDownMessage(WPARAM wParam, LPARAM lParam)
{
    if (!IsHelpMode())
        return Default();
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    ::ScreenToClient(m_hWnd, &point);
    OnLButtonDown(static_cast<UINT>(wParam), point);
    return 0;
}

LRESULT CXTPCommandBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    CXTPControl* pControl = HitTestControl(point);
    if (pControl)
    {
        int nHelpId = pControl->GetHelpId();
        if (nHelpId <= 0 && pControl->GetAction())
            nHelpId = pControl->GetAction()->GetHelpId();
        if (nHelpId <= 0)
            nHelpId = pControl->GetID();
        return 0x10000 + nHelpId;
    }
    int nId = ::GetDlgCtrlID(m_hWnd);
    return nId ? 0x50000 + nId : 0;
}

void CXTPCommandBar::OnTimer(UINT_PTR nIDEvent)
{
    CWnd::OnTimer(nIDEvent);
    switch (nIDEvent)
    {
    case kTimerHover:
        if (m_nKeepSelection == 0)
        {
            ::KillTimer(m_hWnd, kTimerHover);
            if (CXTPControl* pHot = GetControl(m_nSelected))
                pHot->OnMouseHover();
        }
        break;
    case kTimerFullMenus:
        // The open popup shows its rarely used commands while its control stays hot.
        if (m_nKeepSelection == 0)
        {
            ::KillTimer(m_hWnd, kTimerFullMenus);
            if (m_nPopuped != -1 && m_nPopuped == m_nSelected)
            {
                if (CXTPControlPopup* pOpen = DYNAMIC_DOWNCAST(CXTPControlPopup, GetControl(m_nPopuped)))
                    pOpen->ExpandCommandBar();
            }
        }
        break;
    case XTP_TID_COMMANDBAR_ANIMATION:
        m_pAnimation->OnAnimate();
        break;
    case XTP_TID_SCROLLBAR_ANIMATION:
    {
        // The galleries of the bar that scroll animated take a step; none left stops the timer.
        BOOL bAnimating = FALSE;
        for (int i = 0; i < GetControlCount(); ++i)
        {
            if (CXTPControlGallery* pGallery = DYNAMIC_DOWNCAST(CXTPControlGallery, GetControl(i)))
            {
                pGallery->OnAnimationTick();
                bAnimating = bAnimating || pGallery->IsScrollAnimating();
            }
        }
        if (!bAnimating && m_hWnd)
            ::KillTimer(m_hWnd, XTP_TID_SCROLLBAR_ANIMATION);
        break;
    }
    case kTimerKeyboardTips:
    {
        // Posted after a layout or a change of tracking: the innermost tracking bar shows its tips.
        ::KillTimer(m_hWnd, kTimerKeyboardTips);
        CXTPCommandBars* pCommandBars = GetCommandBars();
        const CXTPMouseManager::CTrackArray& tracked = XTPMouseManager()->GetTrackArray();
        if (pCommandBars && tracked.GetSize() > 0 && tracked[tracked.GetSize() - 1] == this &&
            GetKeyboardTipsLevel() == 0)
            pCommandBars->ShowKeyboardTips(this, 1);
        break;
    }
    default:
        break;
    }
}

// ---- tooltips and pre-translation

void CXTPCommandBar::FilterToolTipMessage(MSG* pMsg)
{
    CXTPToolTipContext* pContext = GetToolTipContext();
    if (pContext && pMsg)
        pContext->FilterToolTipMessage(this, pMsg);
}

BOOL CXTPCommandBar::PreTranslateInput(MSG* pMsg)
{
    // A bar that hosts dialog controls lets the dialog manager move the focus among them.
    if (!pMsg || !m_hWnd || !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

INT_PTR CXTPCommandBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    // No tips while a control has its popup open, nor over a bar that tracks by the keyboard
    // (popups excepted).
    if (m_nPopuped != -1)
        return -1;
    if (m_bTracking == 2 && m_barPosition != xtpBarPopup)
        return -1;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CXTPMouseManager* pMouseManager = pCommandBars ? pCommandBars->GetMouseManager() : XTPMouseManager();
    if (pMouseManager && (pMouseManager->m_nLock > 0 || pMouseManager->IsMouseLocked(this)))
        return -1;
    BOOL bAccelTips = FALSE;
    if (pCommandBars)
    {
        CXTPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
        if (!pOptions->bToolBarScreenTips)
            return -1;
        bAccelTips = pOptions->bToolBarAccelTips;
    }
    CXTPControl* pControl = m_pControls->HitTest(point);
    if (!pControl)
        return -1;
    if (m_barType == xtpBarTypePopup &&
        !(pCommandBars && (pCommandBars->GetCommandBarsOptions()->bShowPopupBarToolTips ||
                           (pControl->GetFlags() & xtpFlagShowPopupBarTip))))
        return -1;

    XTP_TOOLTIP_TOOLINFO_EX* pEx = nullptr;
    if (pTI && pTI->cbSize >= XTP_TOOLINFO_V2_SIZE && pTI->lParam)
        pEx = reinterpret_cast<XTP_TOOLTIP_TOOLINFO_EX*>(pTI->lParam);
    INT_PTR nHit = pControl->OnToolHitTest(point, pTI);
    if (nHit != -1)
    {
        if (pTI && pTI->hwnd != m_hWnd)
            return -1;
        if (pEx)
            pEx->pToolControl = pControl;
        return nHit;
    }

    nHit = pControl->GetIconId();
    CString strTip = pControl->GetTooltip();
    if (strTip.IsEmpty())
        return -1;
    if (bAccelTips)
    {
        const CString strShortcut = GetControlShortcut(pControl);
        if (!strShortcut.IsEmpty() && strTip[0] != '<')
            strTip += " (" + strShortcut + ")";
    }
    if (pTI)
    {
        CXTPToolTipContext::FillToolInfoEx(pTI, m_hWnd, pControl->GetRect(), nHit, strTip, strTip,
                                           pControl->GetDescription(), GetImageManager());
        if (pEx)
            pEx->pToolControl = pControl;
    }
    return nHit == 0 ? -1 : nHit;
}

LRESULT CXTPCommandBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The tooltip context sees the bar's mouse messages however they arrive (sent or posted).
    if (GetToolTipContext() && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
    {
        MSG msg = {};
        msg.hwnd = m_hWnd;
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        msg.time = ::GetMessageTime();
        // The context places the cursor by the message's screen point: the client point of the message
        // (the wheel's is already on the screen).
        msg.pt.x = GET_X_LPARAM(lParam);
        msg.pt.y = GET_Y_LPARAM(lParam);
        if (message != WM_MOUSEWHEEL && message != WM_MOUSEHWHEEL)
            ::ClientToScreen(m_hWnd, &msg.pt);
        FilterToolTipMessage(&msg);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
