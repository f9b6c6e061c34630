// CXTPControlComboBoxPopupBar, the popup bar kind of combo boxes, and CXTPControlComboBoxList, the
// list a combo box opens: a popup bar whose window is a real "LISTBOX" popup window. The list stays
// made (hidden while closed) for the combo's lifetime and holds the rows.
#pragma once

#include "toolkit/commandbars/bars/XTPPopupBar.h"

class CXTPControlComboBox;

// The popup bar kind of combo boxes (and of galleries shown as a combo's drop-down).
class CXTPControlComboBoxPopupBar : public CXTPPopupBar
{
    DECLARE_DYNCREATE(CXTPControlComboBoxPopupBar)

public:
    // The combo while the popup is open.
    CXTPControlComboBox* GetComboBox() const { return m_pComboBox; }

protected:
    CXTPControlComboBox* m_pComboBox = nullptr;
};

// The list of a combo: a popup bar whose window is a "LISTBOX" popup window.
class CXTPControlComboBoxList : public CXTPControlComboBoxPopupBar
{
    DECLARE_DYNCREATE(CXTPControlComboBoxList)

public:
    CXTPControlComboBoxList();
    ~CXTPControlComboBoxList() override;

    // Makes the list window (style bits from SetListStyle; owner-drawn lists always keep their
    // strings, so texts and item data stay apart). Made at once by the combo.
    virtual BOOL CreateListWindow();
    void SetListStyle(DWORD dwStyle) { m_dwListStyle = dwStyle; }
    DWORD GetListStyle() const { return m_dwListStyle; }
    // 0: the combo's width.
    void SetDropDownWidth(int nWidth) { m_nListWidth = nWidth; }
    int GetDropDownWidth() const { return m_nListWidth; }
    void SetListIconId(int nId) { m_nListIconId = nId; }
    int GetListIconId() const { return m_nListIconId; }

    // List-box operations (LB_...); -1 / nothing without a window.
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nIndex);
    int FindString(int nStartAfter, LPCSTR lpszText) const;
    int FindStringExact(int nStartAfter, LPCSTR lpszText) const;
    int SetTopIndex(int nIndex);
    int GetTopIndex() const;
    CString GetText(int nIndex) const;
    int AddString(LPCSTR lpszText);
    int GetItemHeight() const;
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwData);
    void ResetContent();

    // Keys for the list of pCombo (open or not): 1 when taken (see the combo's key handling).
    virtual int ProcessListKey(UINT nChar, CXTPControlComboBox* pCombo);
    // The size the open list takes: rows = the combo's drop-down item count capped by the rows
    // there are (at least 1); height = row height x rows + 4; width = the drop-down width or the
    // combo's.
    CSize CalcListSize() const;

    BOOL Create() override;
    BOOL Popup(CXTPControl* pControl, BOOL bSelectFirst = FALSE) override;
    BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    void DoPropExchange(CXTPPropExchange* pPX) override;
    void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE) override;
    BOOL IsVisible() const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The site reflects an owner-drawn list's WM_DRAWITEM and WM_MEASUREITEM: they go to the open
    // combo's row drawing and measuring.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    int m_nListWidth = 0;
    DWORD m_dwListStyle = 0;
    int m_nListIconId = -1;
};
