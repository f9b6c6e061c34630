// CListCtrl and CListView: the list-view common control as a CWnd wrapper, and the view kind that
// hosts one. Controls living inside a list (its header) test their parent against these classes.
#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)

public:
    CListCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1);
    BOOL GetColumn(int nCol, LVCOLUMNA* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMNA* pColumn);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);
    HWND GetHeaderCtrl() const;
};

// A list hosted as a view: here a CListCtrl kind of its own, so kind checks can tell the two apart.
class CListView : public CListCtrl
{
    DECLARE_DYNAMIC(CListView)

public:
    CListView() = default;
    CListCtrl& GetListCtrl() { return *this; }
};
