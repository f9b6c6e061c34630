// The menu bar's caption buttons of the maximised MDI child.
#include "toolkit/commandbars/XTPControlMDIButton.h"

#include "framework/MDIFrameWnd.h"
#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/commandbars/XTPPaintManager.h"

int XTPGetMDIButtonIds(BOOL bMaximized, DWORD dwChildStyle, DWORD dwBarFlags, int* pIds)
{
    if (!bMaximized || !(dwChildStyle & WS_SYSMENU))
        return 0;
    int nCount = 0;
    if ((dwChildStyle & WS_MINIMIZEBOX) && !(dwBarFlags & xtpFlagHideMinimizeBox))
        pIds[nCount++] = XTP_ID_MDI_MINIMIZE;
    if ((dwChildStyle & WS_MAXIMIZEBOX) && !(dwBarFlags & xtpFlagHideMaximizeBox))
        pIds[nCount++] = XTP_ID_MDI_RESTORE;
    if (!(dwBarFlags & xtpFlagHideClose))
        pIds[nCount++] = XTP_ID_MDI_CLOSE;
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
    case XTP_ID_MDI_MINIMIZE:
        return SC_MINIMIZE;
    case XTP_ID_MDI_RESTORE:
        return SC_RESTORE;
    case XTP_ID_MDI_CLOSE:
        return SC_CLOSE;
    default:
        return 0;
    }
}

LPCSTR XTPMDIButtonGlyph(int nId)
{
    switch (nId)
    {
    case XTP_ID_MDI_MINIMIZE:
        return "0";
    case XTP_ID_MDI_RESTORE:
        return "2";
    case XTP_ID_MDI_CLOSE:
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
