// The maximised MDI child's system-menu popup on the menu bar.
#include "toolkit/commandbars/bars/XTPSysMenuPopupBar.h"

#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/common/resources/XTPResourceManager.h"

IMPLEMENT_DYNCREATE(CXTPSysMenuPopupBar, CXTPPopupBar)

CXTPSysMenuPopupBar::CXTPSysMenuPopupBar()
{
    m_bCustomizable = FALSE;
}

IMPLEMENT_DYNCREATE(CXTPControlMDISysMenuPopup, CXTPControlPopup)

CXTPControlMDISysMenuPopup::CXTPControlMDISysMenuPopup(HWND hWndChild, HMENU hSysMenu)
{
    SetType(xtpControlPopup);
    m_nId = ID_TK_MDI_SYSMENU;
    SetCaption("-");
    SetTemporary(TRUE);
    m_dwFlags |= xtpFlagManualUpdate | xtpFlagNoMovable;
    CXTPSysMenuPopupBar* pBar = new CXTPSysMenuPopupBar();
    SetCommandBar(pBar);
    pBar->InternalRelease(); // the control holds the bar
    SetMDISysMenu(hWndChild, hSysMenu);
}

CXTPControlMDISysMenuPopup::~CXTPControlMDISysMenuPopup()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

void CXTPControlMDISysMenuPopup::SetMDISysMenu(HWND hWndChild, HMENU hSysMenu)
{
    m_hWndChild = hWndChild;
    m_hSysMenu = hSysMenu;
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
    m_hIcon = nullptr;
    if (hWndChild)
    {
        HICON hIcon = XTPGetMDIChildIcon(hWndChild);
        m_hIcon = hIcon ? static_cast<HICON>(::CopyImage(hIcon, IMAGE_ICON, 16, 16, 0)) : nullptr;
    }
    RebuildPopup();
    RedrawParent(FALSE);
}

void CXTPControlMDISysMenuPopup::RebuildPopup()
{
    CXTPCommandBar* pBar = GetCommandBar();
    if (!pBar)
        return;
    pBar->SetCommandBars(GetCommandBars());
    XTPBuildSysMenuControls(pBar, m_hSysMenu, m_hWndChild);
}

CSize CXTPControlMDISysMenuPopup::GetSize(CDC* /*pDC*/)
{
    return CSize(16, 16);
}

void CXTPControlMDISysMenuPopup::Draw(CDC* pDC)
{
    if (!m_hIcon)
        return;
    const CRect rc = GetRect();
    ::DrawStateA(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(m_hIcon), 0, rc.left, rc.top, 16, 16,
                 DST_ICON | DSS_NORMAL);
}

void CXTPControlMDISysMenuPopup::AdjustExcludeRect(CRect& rc, BOOL /*bVertical*/)
{
    rc.InflateRect(1, 1);
}
