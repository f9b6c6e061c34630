// CXTPHeaderCtrl: a subclassed header inside a list control or list view. Paints through an
// exchangeable header theme, shows a sort arrow, hot and pressed columns, refuses resizing of
// frozen columns and below a minimum width, fits columns to the client width and offers a
// right-click column menu (sort by the column, set its alignment).
#pragma once

#include "framework/HeaderCtrl.h"
#include "framework/PtrList.h"
#include "toolkit/controls/XTPControlsResourceIds.h"
#include "toolkit/controls/XTPHeaderCtrlTheme.h"

class CXTPImageManager;

class CXTPHeaderCtrl : public CHeaderCtrl
{
    DECLARE_DYNAMIC(CXTPHeaderCtrl)

public:
    CXTPHeaderCtrl();
    ~CXTPHeaderCtrl() override;

    void SetMinColumnWidth(int nMinWidth) { m_nMinWidth = nMinWidth; }
    int GetMinColumnWidth() const { return m_nMinWidth; }
    int SetSortImage(int nCol, BOOL bAsc);
    int GetSortedColumn(BOOL* pbAscending = nullptr) const;
    int HitTest(int x, int y, UINT* pFlags = nullptr) const;
    BOOL SetTheme(int nTheme);
    CXTPHeaderCtrlTheme* GetTheme() const { return m_pTheme; }

    // Frozen columns cannot be resized and take no part in fitting.
    void FreezeColumn(int nCol);
    void ThawColumn(int nCol);
    void ThawAllColumns();
    BOOL IsColFrozen(int nCol) const;

    void SetAutoFit(BOOL bAutoFit) { m_bAutoFit = bAutoFit ? 1 : 0; }
    BOOL GetAutoFit() const { return m_bAutoFit; }
    void EnableContextMenu(BOOL bEnable) { m_bEnableMenu = bEnable; }
    // Takes a reference; null removes the manager.
    void SetImageManager(CXTPImageManager* pImageManager);
    CXTPImageManager* GetImageManager() const { return m_pImageManager; }
    BOOL IsLButtonDown() const { return m_bLBtnDown; }
    CPoint GetLastRClickPoint() const { return m_pt; }

    virtual BOOL IsColumnPressed(int nCol);
    virtual BOOL RecalcLayout();
    virtual void SetFontBold(BOOL bBold = TRUE);
    virtual void SetPopupMenu(UINT nMenuID, int nPos = 0);
    virtual void ApplyFont(BOOL bBold);
    virtual void ShowSortArrow(BOOL bShow);
    virtual void SetColumnAlignment(int nFormat);
    virtual BOOL IsRightToLeftReading();
    virtual void DistributeColumnWidth(int nWidth);
    virtual void FitColumnsToClient(int nWidth = 0);
    virtual int GetFrozenColumnsWidth();
    virtual void RefreshMetrics();

    // The parent is a live list control or list view.
    BOOL IsListParent() const;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSortAsc();
    afx_msg void OnSortDsc();
    afx_msg void OnAlignLeft();
    afx_msg void OnAlignCenter();
    afx_msg void OnAlignRight();
    afx_msg LRESULT OnLayout(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTheme(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void SortFromMenu(BOOL bAscending);
    void SendItemClick(int nCol);
    void RedrawNow();

    int m_nMinWidth = 0;
    int m_nPos = 0;
    int m_iHotCol = -1;
    int m_nSortedCol = -1;
    BYTE m_bRTL = 0;
    BYTE m_bAutoFit = 0;
    BOOL m_bEnableMenu = TRUE;
    BOOL m_bAscending = TRUE;
    BOOL m_bLBtnDown = FALSE;
    BOOL m_bPainted = FALSE;
    UINT m_popupMenuID = 0;
    CPoint m_pt;
    CPtrList m_arFrozenCols;
    CXTPHeaderCtrlTheme* m_pTheme = nullptr;
    CXTPImageManager* m_pImageManager = nullptr;
};
