// CXTPCommandBar: selection (the hot control), the control whose popup is open, tracking mode
// and the status text of the hot control.
#include "toolkit/commandbars/bars/XTPCommandBar.h"

#include "framework/FrameWnd.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControlAction.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"

namespace
{
HWND SafeHwnd(const CWnd* pWnd)
{
    return pWnd ? pWnd->GetSafeHwnd() : nullptr;
}
} // namespace

BOOL CXTPCommandBar::SetSelected(int nSelected, BOOL bKeyboard)
{
    if (nSelected == m_nSelected || !m_hWnd)
        return FALSE;
    CXTPControl* pNew = nSelected == -1 ? nullptr : GetControl(nSelected);
    if (nSelected != -1 && !pNew)
        return FALSE;

    CXTPControl* pPrevious = GetControl(m_nSelected);
    m_nSelected = nSelected;
    if (pPrevious)
    {
        pPrevious->OnMouseMove(CPoint(-1, -1));
        pPrevious->OnSetSelected(FALSE);
    }
    if (!pNew)
    {
        ::KillTimer(m_hWnd, kTimerHover);
        OnControlSelected(FALSE, pPrevious);
        return TRUE;
    }
    if (bKeyboard)
        EnsureVisible(pNew);
    pNew->OnSetSelected(bKeyboard ? (bKeyboard > 1 ? bKeyboard : 2) : 1);
    if (m_bTracking)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, nSelected + 1);
    XTPMouseManager()->SetSelected(this);
    if (!bKeyboard && m_bSelectOnHover)
        ::SetTimer(m_hWnd, kTimerHover, s_nHoverDelay, nullptr);
    OnControlSelected(TRUE, pNew);
    return TRUE;
}

void CXTPCommandBar::Deselect()
{
    SetSelected(-1);
}

void CXTPCommandBar::OnControlSelected(BOOL bSelected, CXTPControl* pControl)
{
    CXTPControl* pHot = bSelected ? pControl : nullptr;
    HWND hWndSite = SafeHwnd(GetSite());
    if (hWndSite)
        ::SendMessageA(hWndSite, XTP_WM_CONTROLSELECTED, reinterpret_cast<WPARAM>(pHot), 0);

    // The status text follows the control's id (its help id, else its action's, else the id).
    int nId = 0;
    if (pHot)
    {
        nId = pHot->GetHelpId() > 0 ? pHot->GetHelpId()
              : pHot->GetAction() && pHot->GetAction()->GetHelpId() > 0 ? pHot->GetAction()->GetHelpId()
                                                                         : pHot->GetID();
    }
    // The manager answers the frame's F1 with the hot control's help id.
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars)
        pCommandBars->m_nIDHelpTracking = nId;
    if (pCommandBars && !pCommandBars->GetCommandBarsOptions()->bUpdateStatusBar)
        return;
    if (nId == m_nStatusBarControlId)
        return;
    m_nStatusBarControlId = nId;
    if (!hWndSite)
        return;
    CString strDescription = pHot ? pHot->GetDescription() : CString();
    if (!strDescription.IsEmpty())
        ::SendMessageA(hWndSite, WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(strDescription)));
    else
        ::SendMessageA(hWndSite, WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
}

BOOL CXTPCommandBar::SetPopupControl(int nIndex, BOOL bKeyboard)
{
    if (nIndex == m_nPopuped)
        return FALSE;
    if (m_nPopuped != -1)
    {
        CXTPControl* pOpen = GetControl(m_nPopuped);
        m_nPopuped = -1;
        if (pOpen)
            pOpen->SetPopup(FALSE);
    }
    if (nIndex == -1)
        return TRUE;

    CXTPControl* pControl = GetControl(nIndex);
    if (!pControl || !pControl->GetEnabled())
        return FALSE;
    SetTrackingMode(2, FALSE, bKeyboard);
    SetSelected(nIndex, bKeyboard);
    if (!m_bTracking)
    {
        SetSelected(-1);
        return FALSE;
    }
    m_nPopuped = nIndex;
    // Opening may end tracking of this bar and of the bars above it: stay alive meanwhile.
    InternalAddRef();
    BOOL bOpened = pControl->SetPopup(TRUE);
    if (!bOpened && m_nPopuped == nIndex)
        m_nPopuped = -1;
    InternalRelease();
    if (!bOpened)
        return FALSE;

    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && m_hWnd)
    {
        const CXTPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
        if (!pOptions->bAlwaysShowFullMenus && pOptions->bShowFullAfterDelay)
            ::SetTimer(m_hWnd, kTimerFullMenus, s_nExpandDelay, nullptr);
    }
    return TRUE;
}

void CXTPCommandBar::SetPopupControlClosed()
{
    m_nPopuped = -1;
}

BOOL CXTPCommandBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (bMode == m_bTracking)
        return FALSE;
    if (bMode && m_bTracking)
    {
        m_bTracking = bMode;
        return FALSE;
    }
    m_bTracking = bMode;
    if (bMode)
    {
        if (m_barType == xtpBarTypeMenuBar)
        {
            if (HWND hWndSite = SafeHwnd(GetSite()))
                ::SendMessageA(hWndSite, XTP_WM_TRACKINGSTARTED, reinterpret_cast<WPARAM>(this), 0);
        }
        m_bEnteredByMouse = !bSelectFirst && !bKeyboard;
        m_bKeyboard = bKeyboard;
        if (!m_hwndFocus)
            m_hwndFocus = ::GetFocus();
        if (!m_hwndFocus)
            m_hwndFocus = SafeHwnd(GetSite());
        if (m_bHideCaret && m_hwndFocus)
            m_bCaretHidden = ::HideCaret(m_hwndFocus);
        XTPMouseManager()->SetTrackingBar(this);
        XTPKeyboardManager()->HookKeyboard(this);
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        if (bSelectFirst)
        {
            int nFirst = m_pControls->FindNextIndex(-1, +1);
            if (nFirst != -1)
                SetSelected(nFirst, TRUE);
        }
    }
    else
    {
        m_bKeyboard = FALSE;
        m_bEnteredByMouse = FALSE;
        XTPMouseManager()->RemoveTrackingBar(this);
        XTPKeyboardManager()->UnhookKeyboard(this);
        SetPopupControl(-1);
        if (bSelectFirst)
            SetSelected(-1);
        if (m_bCaretHidden)
        {
            if (::IsWindow(m_hwndFocus))
                ::ShowCaret(m_hwndFocus);
            m_bCaretHidden = FALSE;
        }
        Redraw();
        if (!XTPMouseManager()->IsTracking() && XTPMouseManager()->GetSelected() == this)
            XTPMouseManager()->SetSelected(nullptr);
        if (m_hWnd && ::GetFocus() == m_hWnd && m_hwndFocus && m_hwndFocus != m_hWnd && ::IsWindow(m_hwndFocus))
            ::SetFocus(m_hwndFocus);
        m_hwndFocus = nullptr;
        m_nKeepSelection = 0;
        if (IsPopupBar())
        {
            if (HWND hWndSite = SafeHwnd(GetSite()))
                ::SendMessageA(hWndSite, XTP_WM_POPUPBAR_CLOSED, 0, reinterpret_cast<LPARAM>(this));
        }
    }
    // The manager hides cues and tips that no tracking bar needs any more.
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->OnTrackingModeChanged(this, bMode);
    return TRUE;
}

void CXTPCommandBar::EndTracking()
{
    SetTrackingMode(FALSE);
}

void CXTPCommandBar::OnTrackLost()
{
    SetTrackingMode(FALSE);
}
