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

#include <cstdlib>

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
    CWnd* pOwner = pCommandBars ? pCommandBars->GetSite() : nullptr;
    if (!pOwner && m_pParent)
        pOwner = m_pParent->GetOwnerSite();
    HWND hWndOwner = pOwner ? pOwner->GetSafeHwnd() : nullptr;

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
            CMenu menu;
            menu.Attach(hSubMenu);
            CXTPPopupBar* pBar = CXTPPopupBar::CreatePopupBar(pCommandBars);
            if (pBar)
            {
                if (m_pParent && !pCommandBars)
                    pBar->SetSiteWindow(hWndOwner);
                pBar->LoadMenu(&menu);
                pPopup->SetCommandBar(pBar);
                pBar->InternalRelease();
            }
            menu.Detach();
        }
    }

    m_arrControls.Add(pControl);
    OnControlAdded(pControl);
    cs.pControl = pControl;
    if (hWndOwner)
        ::SendMessageA(hWndOwner, XTP_WM_CONTROL_CREATED, 0, reinterpret_cast<LPARAM>(&cs));
    return pControl;
}
