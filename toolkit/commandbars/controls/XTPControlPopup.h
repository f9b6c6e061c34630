// CXTPControlPopup: the control that opens a command bar (normally a popup bar): a sub-menu item, a
// drop-down button, a button popup or a split button whose one half executes and whose other half
// opens. It holds a reference to its bar, opens and closes it as the user hovers, clicks or uses the
// keyboard, casts the open control's shadow, saves the bar by id and copies and compares itself
// together with its bar.
#pragma once

#include "toolkit/commandbars/controls/XTPControlButton.h"

class CXTPCommandBar;
class CXTPCommandBarList;
class CMenu;

// The values of a split control's enabled state and of its selection (besides 0 and 1):
// only / over the command half, only / over the drop-down half.
const int xtpSplitCommandPart = 4;
const int xtpSplitDropDownPart = 5;

class CXTPControlPopup : public CXTPControlButton
{
    DECLARE_SERIAL(CXTPControlPopup)

public:
    CXTPControlPopup();
    ~CXTPControlPopup() override;

    // A new popup control of a type (2, 3 or 4); the type table of CXTPControls makes these.
    static CXTPControlPopup* CreateControlPopup(int nType = xtpControlPopup);

    // Releases the old bar, stores the new one and takes a reference on it (null allowed).
    void SetCommandBar(CXTPCommandBar* pBar);
    // Makes a popup bar (through the popup bar's run-time class) from a Windows menu and sets it.
    void SetCommandBar(CMenu* pMenu);
    CXTPCommandBar* GetCommandBar() const override { return m_pCommandBar; }

    // The id read from a saved layout, resolved by RestoreCommandBarList (0: none pending).
    UINT GetPendingCommandBarId() const { return m_nPendingCommandBarId; }
    BOOL GetShowShadow() const { return m_bShowShadow; }
    void SetShowShadow(BOOL bShow) { m_bShowShadow = bShow; }
    BOOL IsSplitButton() const { return m_controlType == xtpControlSplitButtonPopup; }
    // A split control: which half is enabled (1 both, 0 none, 4 the command half, 5 the drop-down).
    int GetSplitEnabled() const { return m_bEnabled; }
    void SetSplitEnabled(int nEnabled) { m_bEnabled = nEnabled; }
    // When popped, of type 2, with a popup bar: that bar shows its rarely used commands.
    void ExpandCommandBar();

    // ---- virtual operations of the control it overrides
    BOOL Compare(CXTPControl* pOther) override;
    void DoPropExchange(CXTPPropExchange* pPX) override;
    void OnActivate() override;
    int GetPopped() const override { return m_bPopup; }
    void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    BOOL SetPopup(BOOL bPopup) override;
    void OnLButtonUp(CPoint point) override;
    BOOL OnLButtonDblClk(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnMouseHover() override;
    BOOL OnSetSelected(int bSelected) override;
    void OnCloseOtherPopups() override {}
    // What the bar calls when another control opens: closes this one when they are related.
    virtual void OnCloseOtherPopups(CXTPControl* pOther);
    BOOL CanDropInto() const override { return TRUE; }
    // FALSE when the bar is this popup's own bar or lies in that bar's parent chain seen from it.
    virtual BOOL CanDropInto(CXTPCommandBar* pBar) const;
    // Resolves the pending bar id against the bars being restored.
    void RestoreCommandBarList(CXTPCommandBarList* pBarList) override;
    CXTPControl* Clone(BOOL bRecursive = FALSE) override;

    // ---- added operations
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    virtual void UpdateShadow();

    // The same bar, or a popup control inside either bar related to the other (recursively).
    BOOL IsRelatedPopup(const CXTPControlPopup* pOther) const;
    // The selection of a split control by a point: 4 over the command half, 5 elsewhere.
    int HitTestSplitPart(CPoint point) const;

protected:
    BOOL m_bPopup = FALSE;
    CXTPCommandBar* m_pCommandBar = nullptr;
    UINT m_nPendingCommandBarId = 0;
    BOOL m_bShowShadow = TRUE;
};
