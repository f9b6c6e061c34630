#include "ui/controls/ColumnViewControlHeader.h"

#include "framework/CmdUI.h"
#include "framework/Menu.h"
#include "framework/MessageMap.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/controls/XTPControlsResourceIds.h"
#include "ui/controls/ColumnViewControl.h"

BEGIN_MESSAGE_MAP(CColumnViewControlHeader, CXTPHeaderCtrl)
ON_WM_RBUTTONDOWN()
ON_NOTIFY_REFLECT_EX(HDN_ITEMCLICKA, OnItemClickNotify)
ON_NOTIFY_REFLECT_EX(HDN_ITEMCLICKW, OnItemClickNotify)
ON_NOTIFY_REFLECT_EX(HDN_ITEMCHANGEDA, OnItemChangedNotify)
ON_NOTIFY_REFLECT_EX(HDN_ITEMCHANGEDW, OnItemChangedNotify)
ON_COMMAND(XTP_IDC_SORTASC, OnSortAscending)
ON_COMMAND(XTP_IDC_SORTDSC, OnSortDescending)
ON_UPDATE_COMMAND_UI(XTP_IDC_SORTASC, OnUpdateSort)
ON_UPDATE_COMMAND_UI(XTP_IDC_SORTDSC, OnUpdateSort)
END_MESSAGE_MAP()

bool CColumnViewControlHeader::CreateOnView(UINT id)
{
    if (!m_view || !m_view->m_hWnd)
        return false;
    RECT empty = {0, 0, 0, 0};
    if (!Create(WS_CHILD | HDS_BUTTONS | HDS_HOTTRACK | HDS_FULLDRAG, empty, m_view, id))
        return false;
    ApplyViewFont();
    ShowSortArrow(TRUE);
    SetFontBold(FALSE);
    SetMinColumnWidth(20);
    SetTheme(7);
    ApplyViewFont();
    if (CXTPHeaderCtrlTheme* theme = GetTheme())
        theme->m_iArrowPadding = kArrowGap;
    ShowWindow(SW_SHOW);
    return true;
}

void CColumnViewControlHeader::ApplyViewFont()
{
    if (!m_hWnd || !m_view || !m_view->m_hWnd)
        return;
    LRESULT font = ::SendMessageA(m_view->m_hWnd, WM_GETFONT, 0, 0);
    SendMessage(WM_SETFONT, static_cast<WPARAM>(font), TRUE);
}

LRESULT CColumnViewControlHeader::OnItemClick(const NMHEADERA* header)
{
    if (m_view && header)
        m_view->SortByColumnToggle(header->iItem);
    return 0;
}

LRESULT CColumnViewControlHeader::OnItemChanged(const NMHEADERA*)
{
    if (m_view)
        m_view->UpdateLayout();
    return 0;
}

BOOL CColumnViewControlHeader::OnItemClickNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The A and W forms carry the same NMHEADER; only the item's text differs, which is not read.
    *pResult = OnItemClick(reinterpret_cast<const NMHEADERA*>(pNMHDR));
    return TRUE;
}

BOOL CColumnViewControlHeader::OnItemChangedNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = OnItemChanged(reinterpret_cast<const NMHEADERA*>(pNMHDR));
    // The base also follows width changes (its fitting and hot column).
    return FALSE;
}

void CColumnViewControlHeader::Reposition()
{
    if (!m_hWnd || !m_view)
        return;
    const int offset = m_view->GetHorizontalOffset();
    ::SetWindowPos(m_hWnd, nullptr, -offset, 0, (m_rect.right - m_rect.left) + offset, m_rect.bottom - m_rect.top,
                   SWP_NOACTIVATE | SWP_NOZORDER);
}

void CColumnViewControlHeader::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    m_pt = point;
    CPoint screen = point;
    ClientToScreen(&screen);
    HWND parent = ::GetParent(m_hWnd);
    if ((parent && (::GetWindowLongA(parent, GWL_STYLE) & LVS_NOSORTHEADER)) || !m_bEnableMenu)
    {
        Default();
        return;
    }
    if (!m_popupMenuID)
        return; // the built-in column menu opens on the button's release
    CMenu menu;
    if (!menu.LoadMenu(m_popupMenuID))
        return;
    if (CMenu* popup = menu.GetSubMenu(m_nPos))
        CXTPCommandBars::TrackCommandBarsPopupMenu(popup, TPM_RIGHTBUTTON, screen.x, screen.y, this, XTP_IDR_TBAR_HDR,
                                                   FALSE);
    menu.DestroyMenu();
}

void CColumnViewControlHeader::SortFromMenuCommand(bool ascending)
{
    if (!m_view)
        return;
    const int column = HitTest(m_pt.x, m_pt.y);
    if (column >= 0)
        m_view->SortByColumn(column, ascending);
}

void CColumnViewControlHeader::OnSortAscending()
{
    SortFromMenuCommand(true);
}

void CColumnViewControlHeader::OnSortDescending()
{
    SortFromMenuCommand(false);
}

void CColumnViewControlHeader::OnUpdateSort(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}
