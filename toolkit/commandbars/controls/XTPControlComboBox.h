// CXTPControlComboBox: the combo box of the command bars, a popup control whose popup is a list.
// A drop-down list paints the selected row's text itself; an editable combo has an edit part
// (CXTPControlComboBoxEditCtrl) whose typing completes from the list. The list is a popup bar
// (CXTPControlComboBoxList) whose window is a real list box. The bar's site hears the combo-box
// notification codes (CBN_SELCHANGE 1, CBN_SETFOCUS 3, CBN_KILLFOCUS 4, CBN_EDITCHANGE 5,
// CBN_DROPDOWN 7, CBN_CLOSEUP 8, CBN_SELENDOK 9, CBN_SELENDCANCEL 10).
#pragma once

#include "toolkit/commandbars/controls/XTPCommandBarEditCtrl.h"
#include "toolkit/commandbars/controls/XTPControlFieldText.h"
#include "toolkit/commandbars/controls/XTPControlPopup.h"

class CXTPCommandBars;
class CXTPControlComboBox;
class CXTPControlComboBoxList;
class CXTPControlComboBoxAutoCompleteWnd;

// The edit part of an editable combo.
class CXTPControlComboBoxEditCtrl : public CXTPCommandBarEditCtrl
{
    DECLARE_DYNAMIC(CXTPControlComboBoxEditCtrl)

public:
    CXTPControlComboBox* m_pComboBox = nullptr;

protected:
    afx_msg LRESULT OnCloseList(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CXTPControlComboBox : public CXTPControlPopup, public CXTPControlFieldOwner
{
    DECLARE_SERIAL(CXTPControlComboBox)

public:
    explicit CXTPControlComboBox(CXTPCommandBars* pCommandBars = nullptr);
    ~CXTPControlComboBox() override;

    // ---- the edit part
    void EnableEdit(BOOL bEnable);
    BOOL IsEditable() const { return m_bDropDown; }
    CXTPControlComboBoxEditCtrl* GetEditCtrl() const { return m_pEdit; }
    CString GetEditText() const;
    void SetEditText(const CString& strText);
    CString GetEditHint() const { return m_field.GetHint(); }
    void SetEditHint(LPCSTR lpszHint);
    CString GetEditTextWithoutHint() const;
    void SetAutoComplete(BOOL bAutoComplete) { m_bAutoComplete = bAutoComplete; }
    BOOL GetAutoComplete() const { return m_bAutoComplete; }
    // Shell completion: the flags are kept and saved and turn the shell's suggestions on for the
    // text window (now, or when it is made); FALSE when the shell refuses. 0 turns them off.
    BOOL EnableShellAutoComplete(DWORD dwFlags);
    DWORD GetShellAutoCompleteFlags() const { return m_dwShellAutoCompleteFlags; }
    void SetDropDownItemCount(int nCount) { m_nDropDownItemCount = nCount; }
    int GetDropDownItemCount() const { return m_nDropDownItemCount; }
    void SetComboStyle(int nStyle) { m_nComboStyle = nStyle; }
    int GetComboStyle() const { return m_nComboStyle; }
    void SetEditIconId(int nId) { m_nEditIconId = nId; }
    int GetEditIconId() const { return m_nEditIconId; }
    void SetTextLimit(int nLimit) { m_nTextLimit = nLimit; }
    int GetTextLimit() const { return m_nTextLimit; }
    void SetEditStyle(DWORD dwStyle) { m_dwEditStyle = dwStyle; m_bRecreate = TRUE; }
    int GetLabelWidth() const { return m_nLabelWidth; }
    int GetThumbWidth() const { return m_nThumbWidth; }
    // The paint manager stores what it measured; a change re-places the window.
    void SetMeasures(int nLabelWidth, int nDropDownWidth);

    // ---- the list
    CXTPControlComboBoxList* GetComboBoxList() const;
    int GetCount() const;
    int AddString(LPCSTR lpszText);
    CString GetListText(int nIndex) const;
    int GetCurSel() const;
    void SetCurSel(int nIndex);
    CString GetSelectedItemText() const;
    int GetListIconId() const;

    // ---- focus and notifications
    void SetFocused(BOOL bFocused);
    BOOL IsFocused() const override { return m_bFocused; }
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus();
    // The text follows the list's selection; the site hears CBN_SELCHANGE.
    virtual void OnSelChanged();
    // Completion from the list after the user typed; the site hears CBN_EDITCHANGE.
    virtual void OnEditChanged();
    // The row whose text equals the edit text becomes the selection; else the first row the text
    // begins is scrolled into view with nothing selected.
    void SynchronizeSelection();
    // Text colours into the edit part (grey for a hint or a disabled combo).
    void ApplyCharFormat() { m_field.ApplyColors(m_bFocused); }
    // The selected row's text (or the hint) in a drop-down list's own text area.
    void DrawComboText(CDC* pDC, CRect rcText);
    BOOL IsHintShown() const { return m_pEdit && m_field.IsHintShown(m_bFocused); }
    BOOL IsExecuted() const { return m_bExecuted; }
    // The list is open (opened by this combo).
    BOOL IsListOpen() const { return m_bPopup; }

    // ---- what the edit part's window tells
    void OnFieldSetFocus(CWnd* pOldWnd) override { OnSetFocus(pOldWnd); }
    void OnFieldKillFocus() override { OnKillFocus(); }
    // A user's change runs completion (OnEditChanged).
    void OnFieldChanged(BOOL bByUser) override;
    // The list closes, the combo takes the focus.
    void OnFieldContextMenu() override;

    // ---- the control's operations
    void OnEnabledChanged() override;
    void SetRect(CRect rcControl) override;
    BOOL IsCaptionVisible() const override;
    BOOL Compare(CXTPControl* pOther) override;
    void SetHideFlags(int dwFlags) override;
    void OnExecute() override;
    void DoPropExchange(CXTPPropExchange* pPX) override;
    void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    BOOL OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    void SetParent(CXTPCommandBar* pParent) override;
    BOOL SetPopup(BOOL bPopup) override;
    void OnMouseMove(CPoint point) override;
    BOOL OnSetSelected(int bSelected) override;
    int GetCustomizeMinWidth() const override { return m_nThumbWidth + m_nLabelWidth + 5; }
    void OnRemoved() override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnCalcDynamicSize(DWORD dwMode) override;
    // The wheel over a focused combo with a closed list moves the selection; TRUE when used.
    BOOL OnMouseWheel(short zDelta) override;
    // A row of an owner-drawn list: the paint manager's face for selected rows (colour 5 for the
    // others), the icon list icon id + row 2 pixels in, the text 3 pixels after it.
    virtual void DrawListItem(LPDRAWITEMSTRUCT lpDrawItem);
    // A row keeps the height the list gives it; kinds with taller rows set lpMeasureItem->itemHeight.
    virtual void MeasureListItem(LPMEASUREITEMSTRUCT /*lpMeasureItem*/) {}

    // The window of the edit part goes here for the control's rectangle.
    CRect GetEditWindowRect() const;

protected:
    virtual BOOL CreateEditWindow();

    friend class CXTPControlComboBoxEditCtrl;
    friend class CXTPControlComboBoxList;

    CXTPControlComboBoxEditCtrl* m_pEdit = nullptr;
    CXTPControlFieldText m_field{this, this}; // the edit part's text cache, hint, colours and place
    BOOL m_bDropDown = FALSE;
    int m_nComboStyle = 0;
    int m_nLastSel = -1;
    CString m_strFocusText;
    BOOL m_bRecreate = FALSE;
    BOOL m_bForceLayout = FALSE;
    int m_nLabelWidth = 0;
    int m_nThumbWidth = 0;
    BOOL m_bAutoComplete = FALSE;
    BOOL m_bIgnoreAutoComplete = FALSE;
    DWORD m_dwShellAutoCompleteFlags = 0;
    CXTPControlComboBoxAutoCompleteWnd* m_pAutoCompleteWnd = nullptr; // the shell's completion, when on
    BOOL m_bFocused = FALSE;
    int m_nEditIconId = 0;
    BOOL m_bExecuted = FALSE;
    int m_nDropDownItemCount = 12;
    int m_nTextLimit = 0;
    DWORD m_dwEditStyle = 0;
    int m_nCurSelNoList = -1;
    BOOL m_bUpdatingFromList = FALSE;
};
