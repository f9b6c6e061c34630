// CXTPMenuBar: construction, loading the menu resource, reset, copy, change test and the bar's
// own messages. The frame, MDI client and child side is in XTPMenuBarMDI.cpp.
#include "toolkit/commandbars/bars/XTPMenuBar.h"

#include "framework/AppGlobals.h"
#include "framework/FrameworkString.h"
#include "framework/Menu.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/resources/XTPResourceManager.h"

IMPLEMENT_SERIAL(CXTPMenuBar, CXTPToolBar, XTP_COMMANDBAR_CLASS_SCHEMA)

BEGIN_MESSAGE_MAP(CXTPMenuBar, CXTPToolBar)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
// Loads a menu resource; null when it is missing.
HMENU LoadMenuResource(UINT nIDResource)
{
    HINSTANCE hInstance = AfxFindResourceHandle(MAKEINTRESOURCEA(nIDResource), RT_MENU);
    HMENU hMenu = hInstance ? ::LoadMenuA(hInstance, MAKEINTRESOURCEA(nIDResource)) : nullptr;
    if (!hMenu)
        hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
    return hMenu;
}
} // namespace

CXTPMenuBar::CXTPMenuBar()
{
    m_barType = xtpBarTypeMenuBar;
    m_nBarID = 1; // the manager finds its menu bar by this id
    m_dwFlags = 0x5F;
    m_pMDIMenus = new CXTPMenuBarMDIMenus();
}

CXTPMenuBar::~CXTPMenuBar()
{
    // The window goes first (its WM_DESTROY gives the frame its menu back).
    if (m_hWnd)
        DestroyWindow();
    GetHookManager()->RemoveAll(this);
    if (m_pMDIMenus)
        m_pMDIMenus->InternalRelease();
    m_pMDIMenus = nullptr;
}

BOOL CXTPMenuBar::LoadMenuBar(UINT nIDResource)
{
    if (nIDResource != 0)
    {
        HMENU hMenu = LoadMenuResource(nIDResource);
        if (!hMenu)
            return FALSE;
        CMenu menu;
        menu.Attach(hMenu);
        const BOOL bLoaded = LoadMenu(&menu, TRUE);
        menu.DestroyMenu();
        if (!bLoaded)
            return FALSE;
        m_nIDDefaultMenu = nIDResource;
        m_nIDCurrentMenu = nIDResource;
    }
    HookFrame();
    return TRUE;
}

void CXTPMenuBar::Reset(BOOL bShowWarningMessage)
{
    if (m_pControls->GetOriginalControls())
    {
        CXTPToolBar::Reset(bShowWarningMessage);
        return;
    }

    if (m_nIDDefaultMenu != 0)
    {
        if (bShowWarningMessage)
        {
            CString strQuestion;
            strQuestion.Format(GetResourceManager()->LoadString(IDS_TK_CONFIRM_RESET_TOOLBAR), static_cast<LPCSTR>(GetTitle()));
            CWnd* pFrame = GetFrameSite();
            if (s_pfnResetQuestion(pFrame ? pFrame->GetSafeHwnd() : nullptr, strQuestion, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
                return; // declined: everything stays
        }
        const UINT nID = m_nIDCurrentMenu ? m_nIDCurrentMenu : m_nIDDefaultMenu;
        if (HMENU hMenu = LoadMenuResource(nID))
        {
            CMenu menu;
            menu.Attach(hMenu);
            LoadMenu(&menu, TRUE);
            menu.DestroyMenu();
        }
        if (CWnd* pSite = GetSite())
            ::SendMessageA(pSite->GetSafeHwnd(), XTP_WM_TOOLBARRESET, 0, reinterpret_cast<LPARAM>(this));
    }
    RefreshMenuState();
    OnIdleUpdateCmdUI(TRUE, 0);
    OnRecalcLayout();
}

void CXTPMenuBar::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    CXTPToolBar::Copy(pCommandBar, bRecursive);
    CXTPMenuBar* pSource = DYNAMIC_DOWNCAST(CXTPMenuBar, pCommandBar);
    if (!pSource || pSource == this)
        return;
    m_nIDDefaultMenu = pSource->m_nIDDefaultMenu;
    POSITION pos = pSource->m_pMDIMenus->GetStartPosition();
    while (pos)
    {
        UINT nID = 0;
        CXTPMenuBarMDIMenuInfo* pInfo = nullptr;
        pSource->m_pMDIMenus->GetNextMenu(pos, nID, pInfo);
        CXTPMenuBarMDIMenuInfo* pOwn = m_pMDIMenus->Lookup(nID);
        if (!pOwn)
        {
            m_pMDIMenus->SetAt(nID, pInfo);
            continue;
        }
        // The entry takes the source's controls; its own originals stay when the source has none.
        CXTPOriginalControls* pKeep = nullptr;
        if (!pInfo->m_pControls->GetOriginalControls() && pOwn->m_pControls->GetOriginalControls())
        {
            pKeep = pOwn->m_pControls->GetOriginalControls();
            pKeep->InternalAddRef();
        }
        pOwn->m_pControls->Copy(pInfo->m_pControls, bRecursive);
        if (pKeep)
            pOwn->m_pControls->SetOriginalControls(pKeep);
    }
    m_bMDIMenusPresent = m_pMDIMenus->GetCount() > 0;
}

BOOL CXTPMenuBar::IsChanged() const
{
    if (!IsCustomizable())
        return FALSE;
    POSITION pos = m_pMDIMenus->GetStartPosition();
    while (pos)
    {
        UINT nID = 0;
        CXTPMenuBarMDIMenuInfo* pInfo = nullptr;
        m_pMDIMenus->GetNextMenu(pos, nID, pInfo);
        if (pInfo->m_pControls != m_pControls && pInfo->m_pControls->IsChanged())
            return TRUE;
    }
    return m_pControls->IsChanged();
}

int CXTPMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CXTPToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    HookFrame();
    return 0;
}

void CXTPMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == XTP_TID_MENUBAR_REFRESH)
        RefreshMenuState();
    CXTPToolBar::OnTimer(nIDEvent);
}

void CXTPMenuBar::OnDestroy()
{
    RestoreFrameMenu();
    // The frame, client and child stop talking to a bar without a window.
    GetHookManager()->RemoveAll(this);
    m_hWndHookedSite = nullptr;
    m_hWndHookedClient = nullptr;
    m_hWndActiveChild = nullptr;
    CXTPToolBar::OnDestroy();
}
