// Building controls from a Windows menu (CXTPControls::AddMenuItem).
#include "toolkit/commandbars/controls/XTPControls.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/controls/XTPControlAction.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControlPopup.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "framework/FrameworkIds.h"
#include "framework/Menu.h"

#include "toolkit/common/drawing/XTPDrawHelpers.h"

#include <cstdlib>

HWND CXTPControls::GetSiteWindow() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CWnd* pOwner = pCommandBars ? pCommandBars->GetSite() : nullptr;
    if (!pOwner && m_pParent)
        pOwner = m_pParent->GetOwnerSite();
    return pOwner ? pOwner->GetSafeHwnd() : nullptr;
}

CXTPCommandBar* CXTPControls::RequestPopupBar(int nId, LPCSTR lpszCaption) const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    const HWND hWndSite = GetSiteWindow();
    XTP_COMMANDBARS_CREATEBAR cs = {};
    cs.pRuntimeClass = CXTPPopupBar::s_pPopupBarClass;
    cs.lpcstrCaption = lpszCaption;
    cs.nID = static_cast<UINT>(nId);
    cs.bPopup = TRUE;
    if (hWndSite)
        ::SendMessageA(hWndSite, XTP_WM_CREATECOMMANDBAR_REQUEST, 0, reinterpret_cast<LPARAM>(&cs));
    CXTPCommandBar* pBar = cs.pCommandBar;
    if (pBar && !pBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)))
    {
        pBar->InternalRelease(); // not a popup: the site's bar is not used
        pBar = nullptr;
    }
    if (!pBar)
    {
        pBar = CXTPPopupBar::CreatePopupBar(pCommandBars);
        if (pBar && m_pParent && !pCommandBars)
            pBar->SetSiteWindow(hWndSite);
    }
    return pBar;
}

CString CXTPControls::AttachPopupBar(CXTPControlPopup* pPopup, int nId) const
{
    CMenu menu;
    if (nId > 0 && nId <= 0xFFFF)
        menu.LoadMenu(static_cast<UINT>(nId));
    CString strCaption;
    HMENU hSubMenu = nullptr;
    if (menu.GetSafeHmenu() && ::GetMenuItemCount(menu.GetSafeHmenu()) > 0)
    {
        menu.GetMenuString(0, strCaption, MF_BYPOSITION);
        hSubMenu = ::GetSubMenu(menu.GetSafeHmenu(), 0);
    }
    CXTPCommandBar* pBar = RequestPopupBar(nId, strCaption);
    if (!pBar)
        return strCaption;
    if (hSubMenu)
    {
        CMenu subMenu;
        subMenu.Attach(hSubMenu);
        pBar->LoadMenu(&subMenu);
        subMenu.Detach(); // destroyed with its menu
    }
    pPopup->SetCommandBar(pBar);
    pBar->InternalRelease();
    return strCaption;
}

CXTPControl* CXTPControls::AddMenuItem(HMENU hMenu, int nIndex)
{
    if (!hMenu || !::IsMenu(hMenu))
        return nullptr;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    if (!::GetMenuItemInfoA(hMenu, static_cast<UINT>(nIndex), TRUE, &info))
        return nullptr;
    if (info.fType & MFT_SEPARATOR)
        return nullptr;
    HMENU hSubMenu = info.hSubMenu;
    int nId = hSubMenu ? 0 : static_cast<int>(info.wID);
    if (nId == 0xFF00)
        return nullptr;
    BOOL bDefault = ::GetMenuDefaultItem(hMenu, TRUE, 0) == static_cast<UINT>(nIndex);

    char szText[1025] = {};
    ::GetMenuStringA(hMenu, static_cast<UINT>(nIndex), szText, 1024, MF_BYPOSITION);
    CString strText(szText);
    if (hSubMenu)
    {
        int nTab = strText.Find('\t');
        if (nTab > 0)
        {
            int nTabId = std::atoi(strText.Mid(nTab + 1));
            if (nTabId != 0)
            {
                nId = nTabId;
                strText = strText.Left(nTab);
            }
        }
    }

    CXTPCommandBars* pCommandBars = GetCommandBars();
    const HWND hWndOwner = GetSiteWindow();

    XTP_COMMANDBARS_CREATECONTROL cs;
    cs.nID = nId;
    cs.pControl = nullptr;
    cs.strCaption = strText;
    cs.controlType = hSubMenu ? xtpControlPopup : xtpControlButton;
    cs.buttonStyle = 0;
    cs.pCommandBar = m_pParent;
    cs.hMenu = hMenu;
    cs.nIndex = nIndex;
    if (hWndOwner)
        ::SendMessageA(hWndOwner, XTP_WM_CONTROL_CREATE, 0, reinterpret_cast<LPARAM>(&cs));

    CXTPControl* pControl = cs.pControl;
    if (!pControl)
    {
        if (cs.controlType == xtpControlButton && cs.nID == ID_OLE_VERB_FIRST &&
            cs.strCaption != XTP_OLE_VERBS_PLACEHOLDER)
            pControl = new CXTPControlButton(); // the OLE verbs kind only for its placeholder
        else if (cs.controlType >= xtpControlButton && cs.controlType <= xtpControlRadioButton &&
                 cs.controlType != xtpControlCustom)
            pControl = CreateControlByType(cs.controlType, cs.nID, FALSE);
        if (!pControl)
            return nullptr;
        pControl->m_controlType = cs.controlType;
        pControl->m_buttonStyle = cs.buttonStyle;
        pControl->m_nTag = info.dwItemData;
    }

    if (!pControl->m_pAction)
    {
        CXTPControlAction* pAction =
            pCommandBars && pCommandBars->GetActions() ? pCommandBars->GetActions()->FindAction(cs.nID) : nullptr;
        if (!pAction && pCommandBars && pCommandBars->GetActions() && cs.nID >= 1 && cs.nID <= 0xFFFFFFE)
            pAction = pCommandBars->CreateAction(cs.nID);
        if (pAction)
        {
            pControl->SetAction(pAction);
            if (pAction->GetCaption().IsEmpty())
                pAction->SetCaption(cs.strCaption);
        }
        else
        {
            pControl->SetID(cs.nID);
            pControl->SetCaption(cs.strCaption);
        }
    }
    if (bDefault)
        pControl->m_bDefaultItem = TRUE;
    // A sub-menu opens a popup bar built from it (unless the site gave the control its own bar).
    if (hSubMenu && !pControl->GetCommandBar())
    {
        if (CXTPControlPopup* pPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, pControl))
        {
            CString strTitle = strText;
            StripAmpersands(strTitle);
            CXTPCommandBar* pBar = RequestPopupBar(cs.nID, strText);
            if (pBar)
            {
                CMenu menu;
                menu.Attach(hSubMenu);
                pBar->SetTitle(strTitle);
                pBar->LoadMenu(&menu);
                menu.Detach(); // the sub-menu stays with its menu
                pPopup->SetCommandBar(pBar);
                pBar->InternalRelease();
            }
        }
    }

    m_arrControls.Add(pControl);
    OnControlAdded(pControl);
    cs.pControl = pControl;
    if (hWndOwner)
        ::SendMessageA(hWndOwner, XTP_WM_CONTROL_CREATED, 0, reinterpret_cast<LPARAM>(&cs));
    return pControl;
}
