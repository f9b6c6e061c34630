// The menu bar's store of per-document menus.
#include "toolkit/commandbars/bars/XTPMenuBarMDIMenus.h"

#include "framework/AppGlobals.h"
#include "framework/DocTemplate.h"
#include "framework/WinApp.h"
#include "toolkit/commandbars/controls/XTPControls.h"

namespace
{
// The application's document template of a resource id, or null.
CDocTemplate* FindDocTemplate(UINT nIDResource)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return nullptr;
    POSITION pos = pApp->GetFirstDocTemplatePosition();
    while (pos)
    {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        if (pTemplate && pTemplate->GetResourceId() == nIDResource)
            return pTemplate;
    }
    return nullptr;
}
} // namespace

CXTPMenuBarMDIMenuInfo::CXTPMenuBarMDIMenuInfo(CXTPCommandBars* pCommandBars, UINT nIDResource)
    : m_nIDResource(nIDResource)
{
    m_pControls = new CXTPControls();
    m_pControls->SetCommandBars(pCommandBars);
    if (CDocTemplate* pTemplate = FindDocTemplate(nIDResource))
    {
        pTemplate->GetDocString(m_strTitle, CDocTemplate::docName);
        pTemplate->GetDocString(m_strDescription, CDocTemplate::regFileTypeName);
    }
    HINSTANCE hInstance = AfxFindResourceHandle(MAKEINTRESOURCEA(nIDResource), RT_GROUP_ICON);
    if (!hInstance)
        hInstance = AfxGetResourceHandle();
    m_hIcon = ::LoadIconA(hInstance, MAKEINTRESOURCEA(nIDResource));
}

CXTPMenuBarMDIMenuInfo::~CXTPMenuBarMDIMenuInfo()
{
    SetControls(nullptr);
}

void CXTPMenuBarMDIMenuInfo::SetControls(CXTPControls* pControls)
{
    if (pControls == m_pControls)
        return;
    if (pControls)
        pControls->InternalAddRef();
    if (m_pControls)
        m_pControls->InternalRelease();
    m_pControls = pControls;
}

CXTPMenuBarMDIMenus::CXTPMenuBarMDIMenus(CXTPCommandBars* pCommandBars) : m_pCommandBars(pCommandBars)
{
    m_mapMenus.InitHashTable(10);
}

CXTPMenuBarMDIMenus::~CXTPMenuBarMDIMenus()
{
    RemoveAll();
}

CXTPMenuBarMDIMenuInfo* CXTPMenuBarMDIMenus::Lookup(UINT nIDMenu) const
{
    CXTPMenuBarMDIMenuInfo* pInfo = nullptr;
    return m_mapMenus.Lookup(nIDMenu, pInfo) ? pInfo : nullptr;
}

void CXTPMenuBarMDIMenus::SetAt(UINT nIDMenu, CXTPMenuBarMDIMenuInfo* pInfo)
{
    if (!pInfo)
    {
        Remove(nIDMenu);
        return;
    }
    CXTPMenuBarMDIMenuInfo* pOld = Lookup(nIDMenu);
    if (pOld == pInfo)
        return;
    pInfo->InternalAddRef();
    m_mapMenus.SetAt(nIDMenu, pInfo);
    if (pOld)
        pOld->InternalRelease();
}

BOOL CXTPMenuBarMDIMenus::Remove(UINT nIDMenu)
{
    CXTPMenuBarMDIMenuInfo* pInfo = Lookup(nIDMenu);
    if (!pInfo)
        return FALSE;
    m_mapMenus.RemoveKey(nIDMenu);
    pInfo->InternalRelease();
    return TRUE;
}

void CXTPMenuBarMDIMenus::RemoveAll()
{
    // Released after the map is empty: a release may run code that looks at the map.
    CArray<CXTPMenuBarMDIMenuInfo*, CXTPMenuBarMDIMenuInfo*> arrInfos;
    POSITION pos = m_mapMenus.GetStartPosition();
    while (pos)
    {
        UINT nID = 0;
        CXTPMenuBarMDIMenuInfo* pInfo = nullptr;
        m_mapMenus.GetNextAssoc(pos, nID, pInfo);
        arrInfos.Add(pInfo);
    }
    m_mapMenus.RemoveAll();
    for (INT_PTR i = 0; i < arrInfos.GetSize(); ++i)
        arrInfos[i]->InternalRelease();
}
