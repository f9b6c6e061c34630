// CListCtrl and CListView.
#include "framework/ListCtrl.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListView, CListCtrl)

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_LISTVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | (nWidth >= 0 ? LVCF_WIDTH : 0u);
    column.fmt = nFormat;
    column.cx = nWidth;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading);
    return int(::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, WPARAM(nCol), LPARAM(&column)));
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMNA* pColumn) const
{
    return BOOL(::SendMessageA(m_hWnd, LVM_GETCOLUMNA, WPARAM(nCol), LPARAM(pColumn)));
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMNA* pColumn)
{
    return BOOL(::SendMessageA(m_hWnd, LVM_SETCOLUMNA, WPARAM(nCol), LPARAM(pColumn)));
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    return int(::SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, WPARAM(nCol), 0));
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    return BOOL(::SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, WPARAM(nCol), MAKELPARAM(cx, 0)));
}

HWND CListCtrl::GetHeaderCtrl() const
{
    return HWND(::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0));
}
