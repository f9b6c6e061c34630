// The menu bar's caption buttons of the maximised MDI child.
#include "toolkit/commandbars/controls/XTPControlMDIButton.h"

#include "framework/MDIFrameWnd.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/resources/XTPResourceManager.h"

int XTPGetMDIButtonIds(BOOL bMaximized, DWORD dwChildStyle, DWORD dwBarFlags, int* pIds)
{
    if (!bMaximized || !(dwChildStyle & WS_SYSMENU))
        return 0;
    int nCount = 0;
    if ((dwChildStyle & WS_MINIMIZEBOX) && !(dwBarFlags & xtpFlagHideMinimizeBox))
        pIds[nCount++] = ID_TK_MDI_MINIMIZE;
    if ((dwChildStyle & WS_MAXIMIZEBOX) && !(dwBarFlags & xtpFlagHideMaximizeBox))
        pIds[nCount++] = ID_TK_MDI_RESTORE;
    if (!(dwBarFlags & xtpFlagHideClose))
        pIds[nCount++] = ID_TK_MDI_CLOSE;
    return nCount;
}

BOOL XTPWantsMDISysMenuPopup(BOOL bMaximized, BOOL bValidSysMenu, DWORD dwBarFlags)
{
    return bMaximized && bValidSysMenu && (dwBarFlags & xtpFlagAddMDISysPopup) != 0;
}

UINT XTPSysCommandDescriptionId(UINT nCommand)
{
    if (nCommand < 0xF000 || nCommand > 0xF1EF)
        return 0;
    return 0xEF00 + ((nCommand - 0xF000) >> 4);
}

UINT XTPMDIButtonSysCommand(int nId)
{
    switch (nId)
    {
    case ID_TK_MDI_MINIMIZE:
        return SC_MINIMIZE;
    case ID_TK_MDI_RESTORE:
        return SC_RESTORE;
    case ID_TK_MDI_CLOSE:
        return SC_CLOSE;
    default:
        return 0;
    }
}

LPCSTR XTPMDIButtonGlyph(int nId)
{
    switch (nId)
    {
    case ID_TK_MDI_MINIMIZE:
        return "0";
    case ID_TK_MDI_RESTORE:
        return "2";
    case ID_TK_MDI_CLOSE:
        return "r";
    default:
        return "";
    }
}

IMPLEMENT_DYNCREATE(CXTPControlMDIButton, CXTPControlButton)

CXTPControlMDIButton::CXTPControlMDIButton(int nId)
{
    SetID(nId); // the tooltip ("\nMinimize Window" ...) comes from the id's string
    SetCaption(XTPMDIButtonGlyph(nId));
    SetTemporary(TRUE);
    m_dwFlags |= xtpFlagRightAlign | xtpFlagSkipFocus | xtpFlagManualUpdate | xtpFlagNoMovable;
}

CSize CXTPControlMDIButton::GetSize(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager ? pPaintManager->DrawControlMDIButton(pDC, this, FALSE) : CSize(16, 16);
}

void CXTPControlMDIButton::Draw(CDC* pDC)
{
    if (CXTPPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->DrawControlMDIButton(pDC, this, TRUE);
}

HWND CXTPControlMDIButton::GetTargetChild() const
{
    CWnd* pSite = m_pParent ? m_pParent->GetSite() : nullptr;
    CMDIFrameWnd* pFrame = pSite ? DYNAMIC_DOWNCAST(CMDIFrameWnd, pSite) : nullptr;
    if (!pFrame || !pFrame->m_hWndMDIClient)
        return nullptr;
    return reinterpret_cast<HWND>(::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
}

void CXTPControlMDIButton::OnExecute()
{
    const UINT nCommand = XTPMDIButtonSysCommand(GetID());
    HWND hWndChild = GetTargetChild();
    // A tracking menu bar lets go first (the command may close or resize what it tracks).
    if (m_pParent && m_pParent->IsTrackingMode())
        m_pParent->SetTrackingMode(FALSE);
    if (nCommand && hWndChild)
        ::PostMessageA(hWndChild, WM_SYSCOMMAND, nCommand, 0);
}

// ---- the child's system menu

HICON XTPGetMDIChildIcon(HWND hWndChild)
{
    HICON hIcon = nullptr;
    if (hWndChild && ::IsWindow(hWndChild))
    {
        hIcon = reinterpret_cast<HICON>(::SendMessageA(hWndChild, XTP_WM_GETMDICHILDICON, 0, 0));
        if (!hIcon)
            hIcon = reinterpret_cast<HICON>(::SendMessageA(hWndChild, WM_GETICON, ICON_SMALL, 0));
        if (!hIcon)
            hIcon = reinterpret_cast<HICON>(::SendMessageA(hWndChild, WM_GETICON, ICON_BIG, 0));
        if (!hIcon)
            hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWndChild, GCLP_HICONSM));
    }
    if (!hIcon)
        hIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32517)); // IDI_WINLOGO
    return hIcon;
}

IMPLEMENT_DYNCREATE(CXTPControlSysCommand, CXTPControlButton)

void CXTPControlSysCommand::OnExecute()
{
    const UINT nCommand = static_cast<UINT>(GetID());
    HWND hWndTarget = m_hWndTarget;
    // The menus close first: the command may close the window they belong to.
    XTPMouseManager()->SendTrackLostAll();
    if (hWndTarget && ::IsWindow(hWndTarget))
        ::PostMessageA(hWndTarget, WM_SYSCOMMAND, nCommand, 0);
}

void CXTPControlSysCommand::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControlButton::Copy(pControl, bRecursive);
    if (CXTPControlSysCommand* pSource = DYNAMIC_DOWNCAST(CXTPControlSysCommand, pControl))
        m_hWndTarget = pSource->m_hWndTarget;
}

void XTPBuildSysMenuControls(CXTPCommandBar* pBar, HMENU hSysMenu, HWND hWndTarget)
{
    CXTPControls* pControls = pBar ? pBar->GetControls() : nullptr;
    if (!pControls)
        return;
    pControls->RemoveAll();
    if (!hSysMenu || !::IsMenu(hSysMenu))
        return;
    const UINT nDefault = ::GetMenuDefaultItem(hSysMenu, FALSE, 0);
    BOOL bBeginGroup = FALSE;
    const int nCount = ::GetMenuItemCount(hSysMenu);
    for (int i = 0; i < nCount; ++i)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        if (!::GetMenuItemInfoA(hSysMenu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if ((info.fType & MFT_SEPARATOR) || (info.wID == 0 && !info.hSubMenu))
        {
            bBeginGroup = TRUE;
            continue;
        }
        CXTPControl* pControl = nullptr;
        if (!info.hSubMenu && info.wID >= 0xF000 && info.wID <= 0xF1EF)
        {
            CXTPControlSysCommand* pCommand = new CXTPControlSysCommand();
            pCommand->m_hWndTarget = hWndTarget;
            pCommand->SetID(static_cast<int>(info.wID));
            char szText[256] = {};
            ::GetMenuStringA(hSysMenu, static_cast<UINT>(i), szText, static_cast<int>(sizeof szText) - 1, MF_BYPOSITION);
            pCommand->SetCaption(szText);
            CString strDescription;
            if (GetResourceManager()->LoadString(&strDescription, XTPSysCommandDescriptionId(info.wID)))
                pCommand->SetDescription(strDescription);
            pCommand->SetFlags(pCommand->GetFlags() | xtpFlagManualUpdate);
            if (info.wID == nDefault)
                pCommand->SetDefaultItem(TRUE);
            pCommand->SetEnabled((info.fState & MFS_GRAYED) == 0);
            pControl = pControls->InsertAt(pCommand, -1);
        }
        else
        {
            pControl = pControls->AddMenuItem(hSysMenu, i);
        }
        if (!pControl)
            continue;
        if (bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = FALSE;
    }
}
