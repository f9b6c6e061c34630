#include "framework/CmdUI.h"

#include "framework/CmdTarget.h"
#include "framework/Menu.h"
#include "framework/Wnd.h"

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu && m_pMenu->m_hMenu)
    {
        if (!m_pSubMenu)
            ::EnableMenuItem(m_pMenu->m_hMenu, m_nIndex,
                             MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    }
    else if (m_pOther && m_pOther->m_hWnd)
    {
        HWND hWnd = m_pOther->m_hWnd;
        // A control that loses its enabled state while focused would leave the keyboard focus
        // on a dead window: move it to the next control of the dialog first.
        if (!bOn && ::GetFocus() == hWnd)
        {
            HWND hParent = ::GetParent(hWnd);
            if (hParent)
                ::SendMessageA(hParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        ::EnableWindow(hWnd, bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu && m_pMenu->m_hMenu)
    {
        if (!m_pSubMenu)
            ::CheckMenuItem(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    }
    else if (m_pOther && m_pOther->m_hWnd)
    {
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
            m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu && m_pMenu->m_hMenu && !m_pSubMenu)
    {
        ::CheckMenuRadioItem(m_pMenu->m_hMenu, m_nIndex, m_nIndex, bOn ? m_nIndex : static_cast<UINT>(-1),
                             MF_BYPOSITION);
        if (!bOn)
            ::CheckMenuItem(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText)
{
    if (!lpszText)
        lpszText = "";
    if (m_pMenu && m_pMenu->m_hMenu)
    {
        if (m_pSubMenu)
            return;
        UINT state = ::GetMenuState(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION);
        state &= ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP);
        ::ModifyMenuA(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, lpszText);
    }
    else if (m_pOther && m_pOther->m_hWnd)
    {
        // Setting the same text again would flicker.
        char current[512];
        ::GetWindowTextA(m_pOther->m_hWnd, current, sizeof current);
        if (lstrcmpA(current, lpszText) != 0)
            ::SetWindowTextA(m_pOther->m_hWnd, lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (!pTarget || m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE; // separators and unnamed controls are not updated
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged)
    {
        AFX_CMDHANDLERINFO info = {nullptr, nullptr};
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}
