// CXTPMenuBar and its frame: hooking the site, the MDI client and the active child, the menus an MDI
// frame switches to, and the maximised child's caption buttons and system-menu popup.
#include "toolkit/commandbars/bars/XTPMenuBar.h"

#include "framework/DocTemplate.h"
#include "framework/MDIFrameWnd.h"
#include "framework/Menu.h"
#include "framework/WinApp.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/bars/XTPSysMenuPopupBar.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/XTPResourceIds.h"

// ---- hooking

HWND CXTPMenuBar::GetMDIClient() const
{
    if (!m_bMDIFrame)
        return nullptr;
    CWnd* pSite = GetSite();
    CMDIFrameWnd* pFrame = pSite ? DYNAMIC_DOWNCAST(CMDIFrameWnd, pSite) : nullptr;
    return pFrame ? pFrame->m_hWndMDIClient : nullptr;
}

void CXTPMenuBar::HookFrame()
{
    CWnd* pSite = GetSite();
    HWND hWndSite = pSite ? pSite->GetSafeHwnd() : nullptr;
    if (!hWndSite)
        return;
    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pSite);
    m_bMDIFrame = pMDIFrame != nullptr && pMDIFrame->m_hWndMDIClient != nullptr;

    if (m_hWndHookedSite != hWndSite)
    {
        if (m_hWndHookedSite)
            GetHookManager()->RemoveHook(m_hWndHookedSite, this);
        GetHookManager()->SetHook(hWndSite, this);
        m_hWndHookedSite = hWndSite;
    }
    HWND hWndClient = GetMDIClient();
    if (m_hWndHookedClient != hWndClient)
    {
        if (m_hWndHookedClient)
            GetHookManager()->RemoveHook(m_hWndHookedClient, this);
        if (hWndClient)
            GetHookManager()->SetHook(hWndClient, this);
        m_hWndHookedClient = hWndClient;
    }

    if (!m_bImagesAdded)
    {
        // The caption buttons' pictures, for the image manager's users (the system menu's items).
        static const UINT kCommands[] = {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
        if (CXTPImageManager* pImageManager = GetImageManager())
            pImageManager->SetIconsFromResourceId(IDB_TK_MDI_BUTTONS, kCommands, 4, 16, 16, xtpImageNormal);
        m_bImagesAdded = TRUE;
    }

    if (!m_bMenuSaved)
    {
        m_hMenuSaved = ::GetMenu(hWndSite);
        if (m_hMenuSaved)
            ::SetMenu(hWndSite, nullptr);
        m_bMenuSaved = TRUE;
    }
}

void CXTPMenuBar::RestoreFrameMenu()
{
    if (!m_bMenuSaved)
        return;
    m_bMenuSaved = FALSE;
    HMENU hMenu = m_hMenuSaved;
    m_hMenuSaved = nullptr;
    HWND hWndSite = m_hWndHookedSite ? m_hWndHookedSite : (GetSite() ? GetSite()->GetSafeHwnd() : nullptr);
    if (hMenu && hWndSite && ::IsWindow(hWndSite) && ::IsMenu(hMenu))
        ::SetMenu(hWndSite, hMenu);
}

void CXTPMenuBar::RefreshMenuState()
{
    HWND hWndClient = GetMDIClient();
    HWND hWndChild = hWndClient ? reinterpret_cast<HWND>(::SendMessageA(hWndClient, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    if (hWndChild != m_hWndActiveChild)
    {
        if (m_hWndActiveChild)
            GetHookManager()->RemoveHook(m_hWndActiveChild, this);
        m_hWndActiveChild = hWndChild;
        // (A child showing an in-place active OLE document object would not be hooked; the framework
        // has no such documents.)
        if (hWndChild)
            GetHookManager()->SetHook(hWndChild, this);
    }
    if (IsVisible())
        UpdateMDIButtons();
}

int CXTPMenuBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    // The keyboard manager offers the tracking bar its keys without a window; the frame, client and
    // child come with theirs. A key that reaches the frame after the keyboard manager passed it on
    // is not handled a second time.
    if (!hWnd)
        return CXTPToolBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
    return OnFrameHookMessage(hWnd, nMessage, wParam, lParam, lResult);
}

int CXTPMenuBar::OnFrameHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    switch (nMessage)
    {
    case WM_DESTROY:
        if (hWnd == m_hWndHookedSite)
            RestoreFrameMenu();
        else if (hWnd == m_hWndActiveChild)
        {
            // The handle must not be unhooked later, when it may name another window.
            GetHookManager()->RemoveHook(hWnd, this);
            m_hWndActiveChild = nullptr;
            if (m_hWnd)
                ::PostMessageA(m_hWnd, WM_TIMER, XTP_TID_MENUBAR_REFRESH, 0);
        }
        return 0;

    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        if (hWnd == m_hWndActiveChild && m_hWnd)
            ::PostMessageA(m_hWnd, WM_TIMER, XTP_TID_MENUBAR_REFRESH, 0);
        return 0;

    case WM_MDICREATE:
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
        if (m_hWnd)
            ::PostMessageA(m_hWnd, WM_TIMER, XTP_TID_MENUBAR_REFRESH, 0);
        return 0;

    case WM_SYSCOMMAND:
    {
        // Alt or F10 alone (lParam 0): keyboard navigation of the menu bar instead of the system's.
        if ((wParam & 0xFFF0) != SC_KEYMENU || lParam != 0)
            return 0;
        CXTPCommandBars* pCommandBars = GetCommandBars();
        CXTPMouseManager* pMouseManager = pCommandBars ? pCommandBars->GetMouseManager() : XTPMouseManager();
        if (!IsVisible() || pMouseManager->IsMouseLocked() || (::GetKeyState(VK_SHIFT) & 0x8000) != 0 ||
            IsCustomizeMode())
            return 0;
        if (pCommandBars)
            pCommandBars->ActivateBarByKeyboard(this, 0);
        else
            SetTrackingMode(TRUE, TRUE, TRUE);
        lResult = 0;
        return 1;
    }

    case WM_MDISETMENU:
    {
        HWND hWndSite = m_hWndHookedSite;
        if (!IsVisible())
        {
            if (hWndSite && ::GetMenu(hWndSite))
                return 0;
            wParam = 0;
            lResult = 0;
            return 1;
        }
        CXTPCommandBars* pCommandBars = GetCommandBars();
        if (!(pCommandBars && pCommandBars->IsCustomizeMode()) && !(m_dwFlags & xtpFlagIgnoreSetMenuMessage))
        {
            HMENU hMenu = reinterpret_cast<HMENU>(wParam);
            SwitchMDIMenuByHandle(hMenu ? hMenu : m_hMenuSaved);
        }
        if (hWndSite && ::GetMenu(hWndSite))
            ::SetMenu(hWndSite, nullptr);
        if (!(pCommandBars && pCommandBars->IsCustomizeMode()))
            RefreshMenuState();
        wParam = 0;
        lResult = 0;
        return 1;
    }
    default:
        return 0;
    }
}

// ---- document menus

UINT CXTPMenuBar::FindMenuTemplateId(HMENU hMenu) const
{
    if (!hMenu)
        return 0;
    if (CWinApp* pApp = AfxGetApp())
    {
        POSITION pos = pApp->GetFirstDocTemplatePosition();
        while (pos)
        {
            CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
            if (pTemplate && pTemplate->m_hMenuShared == hMenu)
                return pTemplate->GetResourceId();
        }
    }
    // A child that shows the menu without a template: the resource it was loaded from.
    HWND hWndClient = GetMDIClient();
    HWND hWndChild = hWndClient ? reinterpret_cast<HWND>(::SendMessageA(hWndClient, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    CWnd* pChildWnd = hWndChild ? CWnd::FromHandlePermanent(hWndChild) : nullptr;
    CMDIChildWnd* pChild = pChildWnd ? DYNAMIC_DOWNCAST(CMDIChildWnd, pChildWnd) : nullptr;
    if (pChild && pChild->m_hMenuShared == hMenu)
        return pChild->m_nIDHelp;
    return 0;
}

void CXTPMenuBar::SwitchMDIMenuByHandle(HMENU hMenu)
{
    const UINT nID = (hMenu && hMenu == m_hMenuSaved) ? m_nIDDefaultMenu : FindMenuTemplateId(hMenu);
    if (!GetCommandBars() || m_nIDDefaultMenu == 0 || nID == 0 || nID == m_nIDCurrentMenu)
        return;
    if (!hMenu || !::IsMenu(hMenu) || ::GetMenuItemCount(hMenu) <= 0)
        return;
    CMenu menu;
    menu.Attach(hMenu);
    SwitchMDIMenu(nID, &menu);
    menu.Detach();
}

void CXTPMenuBar::RemoveMDIControls(CXTPControls* pControls)
{
    for (int i = pControls->GetCount() - 1; i >= 0; --i)
    {
        const int nId = pControls->GetAt(i)->GetID();
        if (nId >= ID_TK_MDI_CLOSE && nId <= ID_TK_MDI_SYSMENU && pControls->GetAt(i)->IsTemporary())
            pControls->RemoveAt(i);
    }
}

void CXTPMenuBar::CreateOriginalsFromMenu(CXTPControls* pControls, CMenu* pMenu)
{
    // The menu's controls are built in a scratch collection of this bar, whose original set
    // pControls takes over.
    CXTPControls* pSaved = m_pControls;
    CXTPControls* pScratch = new CXTPControls();
    pScratch->SetCommandBars(GetCommandBars());
    pScratch->SetParent(this);
    m_pControls = pScratch;
    LoadMenu(pMenu, TRUE);
    m_pControls = pSaved;
    pScratch->CreateOriginalControls();
    CXTPOriginalControls* pOriginal = pScratch->GetOriginalControls();
    if (pOriginal)
        pOriginal->InternalAddRef();
    pControls->SetOriginalControls(pOriginal);
    pScratch->RemoveAll();
    pScratch->SetParent(nullptr);
    pScratch->InternalRelease();
}

void CXTPMenuBar::SwitchMDIMenu(UINT nIDMenu, CMenu* pMenu)
{
    if (nIDMenu == 0 || m_nIDDefaultMenu == 0 || nIDMenu == m_nIDCurrentMenu)
        return;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    m_pMDIMenus->SetCommandBars(pCommandBars);
    if ((pCommandBars && pCommandBars->IsCustomizable()) || m_pMDIMenus->Lookup(nIDMenu))
    {
        // The controls change under the bar: no selection or open popup may point into them.
        if (IsTrackingMode())
            SetTrackingMode(FALSE);
        // The caption buttons belong to the bar, not to the menu: they follow to the next one.
        RemoveMDIControls(m_pControls);
        CXTPMenuBarMDIMenuInfo* pCurrent = m_pMDIMenus->Lookup(m_nIDCurrentMenu);
        if (!pCurrent)
        {
            pCurrent = new CXTPMenuBarMDIMenuInfo(pCommandBars, m_nIDCurrentMenu);
            m_pMDIMenus->SetAt(m_nIDCurrentMenu, pCurrent);
            pCurrent->InternalRelease(); // the store holds it
        }
        pCurrent->SetControls(m_pControls);
        m_pControls->SetParent(nullptr);
        m_pControls->InternalRelease(); // the bar gives its controls up

        CXTPMenuBarMDIMenuInfo* pNext = m_pMDIMenus->Lookup(nIDMenu);
        if (pNext)
        {
            m_pControls = pNext->m_pControls;
            m_pControls->InternalAddRef();
            m_pControls->SetParent(this);
            if (!m_pControls->GetOriginalControls() && pMenu)
                CreateOriginalsFromMenu(m_pControls, pMenu);
            if (nIDMenu == m_nIDDefaultMenu)
                m_pMDIMenus->Remove(nIDMenu);
        }
        else
        {
            pNext = new CXTPMenuBarMDIMenuInfo(pCommandBars, nIDMenu);
            m_pControls = pNext->m_pControls;
            m_pControls->InternalAddRef();
            m_pControls->SetParent(this);
            LoadMenu(pMenu, TRUE);
            m_pControls->CreateOriginalControls();
            m_pMDIMenus->SetAt(nIDMenu, pNext);
            pNext->InternalRelease();
        }
        m_bMDIMenusPresent = m_pMDIMenus->GetCount() > 0;
    }
    else
    {
        LoadMenu(pMenu, TRUE);
    }
    m_nIDCurrentMenu = nIDMenu;
    OnRecalcLayout();
}

// ---- the maximised child's controls

void CXTPMenuBar::UpdateMDIButtons()
{
    HWND hWndClient = GetMDIClient();
    BOOL bMaximized = FALSE;
    HWND hWndChild = hWndClient ? reinterpret_cast<HWND>(::SendMessageA(hWndClient, WM_MDIGETACTIVE, 0,
                                                                       reinterpret_cast<LPARAM>(&bMaximized)))
                                : nullptr;
    bMaximized = hWndChild && bMaximized;
    BOOL bChanged = FALSE;

    // The system-menu popup at the start.
    CXTPControl* pSysControl = m_pControls->FindControlById(ID_TK_MDI_SYSMENU);
    CControlMDISysMenuPopup* pSysPopup =
        pSysControl ? DYNAMIC_DOWNCAST(CXTPControlMDISysMenuPopup, pSysControl) : nullptr;
    HMENU hSysMenu = bMaximized ? ::GetSystemMenu(hWndChild, FALSE) : nullptr;
    const BOOL bValidMenu = hSysMenu && ::IsMenu(hSysMenu);
    if (XTPWantsMDISysMenuPopup(bMaximized, bValidMenu, m_dwFlags))
    {
        if (pSysPopup)
        {
            if (pSysPopup->GetSysMenu() != hSysMenu || pSysPopup->GetChild() != hWndChild)
            {
                pSysPopup->SetMDISysMenu(hWndChild, hSysMenu);
                bChanged = TRUE;
            }
        }
        else
        {
            if (pSysControl)
                m_pControls->Remove(pSysControl);
            m_pControls->InsertAt(new CControlMDISysMenuPopup(hWndChild, hSysMenu), 0);
            bChanged = TRUE;
        }
    }
    else if (pSysControl)
    {
        m_pControls->Remove(pSysControl);
        bChanged = TRUE;
    }

    // The caption buttons at the end, in their order.
    int arrWanted[3] = {0, 0, 0};
    const int nWanted = XTPGetMDIButtonIds(bMaximized, hWndChild ? static_cast<DWORD>(::GetWindowLongPtrA(hWndChild, GWL_STYLE)) : 0,
                                           m_dwFlags, arrWanted);
    CArray<CXTPControl*, CXTPControl*> arrHave;
    for (int i = 0; i < m_pControls->GetCount(); ++i)
    {
        CXTPControl* pControl = m_pControls->GetAt(i);
        if (pControl->IsTemporary() && pControl->GetID() >= ID_TK_MDI_CLOSE &&
            pControl->GetID() <= ID_TK_MDI_MINIMIZE)
            arrHave.Add(pControl);
    }
    BOOL bSame = arrHave.GetSize() == nWanted;
    for (int i = 0; bSame && i < nWanted; ++i)
        bSame = arrHave[i]->GetID() == arrWanted[i] && arrHave[i]->GetIndex() == m_pControls->GetCount() - nWanted + i;
    if (!bSame)
    {
        for (INT_PTR i = 0; i < arrHave.GetSize(); ++i)
            m_pControls->Remove(arrHave[i]);
        for (int i = 0; i < nWanted; ++i)
            m_pControls->InsertAt(new CControlMDIButton(arrWanted[i]), -1);
        bChanged = TRUE;
    }
    if (bChanged)
        OnRecalcLayout();
}
