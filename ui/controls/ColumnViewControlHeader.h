// CColumnViewControlHeader: the themed header on top of a column view. A click on a column sorts the view
// by it (each click reverses the order), a size change lays the view out again, and its column menu sorts
// ascending or descending by the column under the right click. It scrolls sideways with the rows.
#pragma once

#include "toolkit/controls/XTPHeaderCtrl.h"

class CColumnViewControl;

class CColumnViewControlHeader : public CXTPHeaderCtrl
{
public:
    // The gap between a column's text and its sort arrow (the theme's is wider).
    static constexpr int kArrowGap = 5;

    CColumnViewControlHeader() = default;

    void SetView(CColumnViewControl* view) { m_view = view; }
    CColumnViewControl* GetView() const { return m_view; }
    // Creates the header (HDS_BUTTONS | HDS_HOTTRACK | HDS_FULLDRAG, id 8889) on the view with the sort
    // arrow, normal font, minimum width 20, the resource header theme and its arrow gap kArrowGap; false
    // without a view.
    bool CreateOnView(UINT id);
    // Takes the view's font (WM_GETFONT of the view, WM_SETFONT with redraw).
    virtual void ApplyViewFont();
    virtual LRESULT OnItemClick(const NMHEADERA* header);
    virtual LRESULT OnItemChanged(const NMHEADERA* header);
    // Places the header at x = -offset, width = remembered width + offset.
    virtual void Reposition();
    virtual void AssignPopupMenu(UINT menuId, int submenuIndex) { SetPopupMenu(menuId, submenuIndex); }
    void RememberRect(const RECT& rect) { m_rect = rect; }
    const RECT& GetRememberedRect() const { return m_rect; }
    UINT GetPopupMenuId() const { return m_popupMenuID; }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnItemClickNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnItemChangedNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSortAscending();
    afx_msg void OnSortDescending();
    afx_msg void OnUpdateSort(CCmdUI* pCmdUI);

private:
    void SortFromMenuCommand(bool ascending);

    CColumnViewControl* m_view = nullptr;
    RECT m_rect = {0, 0, 0, 0};
};
