// CXTPControlEdit: a single-line text field in a bar: an optional label (the caption), an optional
// edit icon, the text window (CXTPControlEditCtrl), and optionally spin buttons and a buddy button
// at the right edge. The control keeps its text while it has no window, shows a grey hint while the
// field is empty and unfocused, and tells the bar's site about focus, changes, spin steps and the
// buddy button (codes below).
#pragma once

#include "toolkit/commandbars/controls/XTPCommandBarEditCtrl.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControlFieldText.h"

class CXTPControlEdit;
class CXTPControlComboBoxAutoCompleteWnd;

// The record of a spin notification: the step (count x direction) the site may apply itself.
struct NMXTPUPDOWN
{
    NMXTPCONTROL hdr;
    int iDelta;
};

// Hot parts of an edit field.
enum XTPEditHotPart
{
    xtpEditHotNone = 1,
    xtpEditHotSpinUp = 4,
    xtpEditHotSpinDown = 5,
    xtpEditHotBuddy = 6
};

// The text window of an edit field.
class CXTPControlEditCtrl : public CXTPCommandBarEditCtrl
{
    DECLARE_DYNAMIC(CXTPControlEditCtrl)

public:
    CXTPControlEditCtrl() = default;

    CXTPControlEdit* m_pControl = nullptr;
};

class CXTPControlEdit : public CXTPControl, public CXTPControlFieldOwner
{
    DECLARE_SERIAL(CXTPControlEdit)

public:
    CXTPControlEdit();
    ~CXTPControlEdit() override;

    // ---- text and hint
    // The cache, read again from the window when it changed there (may be the hint while shown).
    CString GetEditText() const;
    // Sets the window's text without a change notification, and the cache.
    void SetEditText(const CString& strText);
    // The own hint, else empty.
    CString GetEditHint() const { return m_field.GetHint(); }
    void SetEditHint(LPCSTR lpszHint);
    // GetEditText, but empty while it equals the hint.
    CString GetEditTextWithoutHint() const;
    // An empty text becomes the hint, then SetEditText.
    void SetEditTextOrHint(const CString& strText);
    BOOL IsHintShown() const { return m_field.IsHintShown(m_bFocused); }

    void SetReadOnly(BOOL bReadOnly);
    BOOL GetReadOnly() const { return m_bReadOnly; }
    void ShowLabel(BOOL bShow) { m_bLabel = bShow; }
    BOOL IsLabeled() const { return m_bLabel; }
    int GetLabelWidth() const { return m_nLabelWidth; }
    // The paint manager stores the label width it measured; a change re-places the window.
    void SetLabelWidth(int nWidth);
    void SetEditStyle(DWORD dwStyle) { m_dwEditStyle = dwStyle; m_bRecreate = TRUE; }
    DWORD GetEditStyle() const { return m_dwEditStyle; }
    void ShowSpinButtons(BOOL bShow) { m_bShowSpinButtons = bShow; m_bForceLayout = TRUE; }
    BOOL IsSpinButtonsVisible() const { return m_bShowSpinButtons; }
    void SetEditIconId(int nId) { m_nEditIconId = nId; m_bForceLayout = TRUE; }
    int GetEditIconId() const { return m_nEditIconId; }
    void SetTextLimit(int nLimit);
    int GetTextLimit() const { return m_nTextLimit; }
    void SetBuddyButtonId(int nId) { m_nBuddyButtonId = nId; m_bForceLayout = TRUE; }
    int GetBuddyButtonId() const { return m_nBuddyButtonId; }
    // Shell completion: the flags are kept and saved and turn the shell's suggestions on for the
    // text window (now, or when it is made); FALSE when the shell refuses. 0 turns them off.
    BOOL EnableShellAutoComplete(DWORD dwFlags);
    DWORD GetShellAutoCompleteFlags() const { return m_dwShellAutoCompleteFlags; }

    CXTPControlEditCtrl* GetEditCtrl() const { return m_pEdit; }
    // The hot part (XTPEditHotPart) and the pressed spin half or buddy button (0 none).
    int GetHotPart() const { return m_nHotPart; }
    int GetPressedPart() const { return m_nPressedPart; }

    // Spin buttons: 18 pixels at the right edge less 1, inset 1 at top and bottom; empty without.
    CRect GetSpinButtonsRect() const;
    // Buddy button: 19 pixels at the right edge less 1 (17 further left beside spin buttons).
    CRect GetBuddyButtonRect() const;
    // Where the text window goes for the control's rectangle.
    CRect GetEditWindowRect() const;

    // ---- focus
    void SetFocused(BOOL bFocused);
    BOOL IsFocused() const override { return m_bFocused; }
    // The text window took the focus from pOldWnd, or lost it.
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus();

    // One spin step: the site hears 4104 or 4105 with count x direction first; unless it handles
    // it, the number in the text moves by the step to the next multiple of the count in the step's
    // direction and the site hears 100.
    virtual void OnSpinStep(int nCount, int nDirection);
    // The next value of a spin step on a text (pure rule): a count of 0 or less counts as 1; the
    // sum is taken in 64 bits and kept inside the int range.
    static int CalcSpinValue(const CString& strText, int nCount, int nDirection);

    // ---- what the text window tells
    void OnFieldSetFocus(CWnd* pOldWnd) override { OnSetFocus(pOldWnd); }
    void OnFieldKillFocus() override { OnKillFocus(); }
    // A user's change tells the site EN_CHANGE; the colours are set again.
    void OnFieldChanged(BOOL bByUser) override;
    void OnFieldContextMenu() override { SetFocused(TRUE); }

    // ---- the control's operations
    void OnEnabledChanged() override;
    void SetRect(CRect rcControl) override;
    BOOL IsCaptionVisible() const override;
    BOOL Compare(CXTPControl* pOther) override;
    void SetHideFlags(int dwFlags) override;
    void OnCalcDynamicSize(DWORD dwMode) override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void DoPropExchange(CXTPPropExchange* pPX) override;
    void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    BOOL OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    void SetParent(CXTPCommandBar* pParent) override;
    void OnMouseMove(CPoint point) override;
    BOOL OnSetSelected(int bSelected) override;
    int GetCustomizeMinWidth() const override { return m_nLabelWidth + 10; }
    void OnRemoved() override;
    void OnMouseHover() override;

    // The window may take the keyboard focus only while it exists.
    BOOL IsFocusable() const { return m_field.HasWindow(); }
    // Text colour (window text, or grey text for a hint or a disabled field) and background set
    // into the window; cbSize 84 for rich edit 2.0, 60 for 1.0.
    void ApplyCharFormat() { m_field.ApplyColors(m_bFocused); }
    // Shows or hides the window with the control (SWP_SHOWWINDOW / SWP_HIDEWINDOW).
    void RefreshVisibility() { m_field.RefreshVisibility(); }
    // The edit icon at the left of the text area (normal or disabled).
    void DrawEditIcon(CDC* pDC);

protected:
    virtual BOOL CreateEditWindow();
    int GetEditIconWidth() const;
    // Held spin button and buddy button (XTPControlEditSpin.cpp).
    void TrackSpinButton(CPoint point);
    void TrackBuddyButton();
    int HitTestPart(CPoint point) const;

    friend class CXTPControlEditCtrl;

    CXTPControlEditCtrl* m_pEdit = nullptr;
    CXTPControlFieldText m_field{this, this}; // text cache, hint, the window's colours and place
    BOOL m_bLabel = FALSE;
    BOOL m_bReadOnly = FALSE;
    int m_nLabelWidth = 0;
    BOOL m_bRecreate = FALSE;
    CString m_strFocusText;
    BOOL m_bFocused = FALSE;
    DWORD m_dwShellAutoCompleteFlags = 0;
    CXTPControlComboBoxAutoCompleteWnd* m_pAutoCompleteWnd = nullptr; // the shell's completion, when on
    DWORD m_dwEditStyle = 0;
    BOOL m_bShowSpinButtons = FALSE;
    int m_nEditIconId = 0;
    int m_nTextLimit = 0;
    int m_nBuddyButtonId = 0;
    BOOL m_bForceLayout = FALSE;
    int m_nHotPart = xtpEditHotNone;
    int m_nPressedPart = 0;
};
