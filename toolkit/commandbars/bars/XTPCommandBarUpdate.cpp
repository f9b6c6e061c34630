// CXTPCommandBar: the idle update (command states asked of the owner site), CCommandBarCmdUI and
// the shortcut texts.
#include "toolkit/commandbars/bars/XTPCommandBar.h"

#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPShortcutManager.h"

void CXTPCommandBar::CCommandBarCmdUI::Enable(BOOL bOn)
{
    m_bHandled = TRUE;
    m_bEnableChanged = TRUE;
    if (!m_pControl)
        return;
    // A control with an action follows the action when enabled.
    if (m_pControl->GetAction())
        m_pControl->SetEnabled(bOn ? -1 : FALSE);
    else
        m_pControl->SetEnabled(bOn ? TRUE : FALSE);
    if (!bOn && !m_bCheckChanged)
        m_pControl->SetChecked(FALSE);
}

void CXTPCommandBar::CCommandBarCmdUI::SetCheck(int nCheck)
{
    m_bHandled = TRUE;
    m_bCheckChanged = TRUE;
    if (m_pControl)
        m_pControl->SetChecked(nCheck);
}

void CXTPCommandBar::CCommandBarCmdUI::SetText(LPCSTR lpszText)
{
    m_bHandled = TRUE;
    if (m_pControl)
        m_pControl->SetCaption(lpszText);
}

void CXTPCommandBar::UpdateCmdUI()
{
    CWnd* pTarget = GetOwnerSite();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    const BOOL bDisableIfNoHandler =
        pCommandBars ? pCommandBars->GetCommandBarsOptions()->bDisableCommandIfNoHandler : TRUE;
    const BOOL bCustomize = IsCustomizeMode();
    const BOOL bUpdatesOff = GetRootParent()->m_bIgnoreUpdateHandler;

    CCommandBarCmdUI state;
    state.m_nIndexMax = static_cast<UINT>(GetControlCount());
    // Handlers may change the collection: walk by index and look each control up again.
    for (int i = 0; i < GetControlCount(); ++i)
    {
        CXTPControl* pControl = GetControl(i);
        if (!pControl->IsVisible(xtpHideWrap))
            continue;
        if (bUpdatesOff || (pControl->GetFlags() & xtpFlagManualUpdate))
            continue;
        state.m_pControl = pControl;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = static_cast<UINT>(pControl->GetID());
        state.m_bHandled = FALSE;
        state.m_bCheckChanged = FALSE;
        state.m_bEnableChanged = FALSE;

        pControl->InternalAddRef();
        BOOL bHandled = OnCmdMsg(0, XTP_CN_UPDATE_BAR, &state, nullptr) ||
                        OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
        if (!bHandled)
        {
            if (!bCustomize)
            {
                if (pTarget)
                    state.DoUpdate(pTarget, bDisableIfNoHandler);
            }
            else if (pControl->GetOwnEnabled() != -1)
            {
                pControl->SetEnabled(TRUE);
            }
        }
        pControl->InternalRelease();
    }
    if (m_hWnd && pTarget)
        UpdateDialogControls(pTarget, bDisableIfNoHandler);
}

LRESULT CXTPCommandBar::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (!m_hWnd || !(::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_VISIBLE))
        return 0;
    UpdateCmdUI();
    if (m_dwPending & xtpDelayRedraw)
        Redraw();
    if (m_dwPending & xtpDelayLayout)
    {
        m_dwPending &= ~xtpDelayLayout;
        OnRecalcLayout();
    }
    return 0;
}

LRESULT CXTPCommandBar::OnInitialUpdate(WPARAM, LPARAM)
{
    return OnIdleUpdateCmdUI(TRUE, 0);
}

void CXTPCommandBar::UpdateShortcuts()
{
    // Menus always show shortcuts; other bars only in their tips, when the options ask for them.
    // A control whose command has no shortcut in the table keeps the text of its caption.
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars || !pCommandBars->GetShortcutManager())
        return;
    if (!IsPopupType() && !pCommandBars->GetCommandBarsOptions()->bToolBarAccelTips)
        return;
    CXTPShortcutManager* pShortcuts = pCommandBars->GetShortcutManager();
    for (int i = 0; i < m_pControls->GetCount(); ++i)
    {
        CXTPControl* pControl = m_pControls->GetAt(i);
        if (!pControl->IsVisible() || pControl->GetID() <= 0 || !pControl->GetOwnShortcutText().IsEmpty())
            continue;
        CString strText = pControl->GetShortcutTextAuto();
        if (pShortcuts->FindDefaultAccelerator(pControl->GetID(), strText))
            pControl->SetShortcutTextAuto(strText);
    }
}

CString CXTPCommandBar::GetControlShortcut(CXTPControl* pControl) const
{
    if (!pControl)
        return CString();
    CString strText = pControl->GetOwnShortcutText();
    if (!strText.IsEmpty())
        return strText;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars || !pCommandBars->GetShortcutManager())
        return pControl->GetShortcutTextAuto();
    strText = pControl->GetShortcutTextAuto();
    if (!pCommandBars->GetShortcutManager()->FindDefaultAccelerator(pControl->GetID(), strText))
        return CString();
    return strText;
}
