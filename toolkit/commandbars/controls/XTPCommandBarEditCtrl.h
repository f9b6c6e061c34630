// CXTPCommandBarEditCtrl: the text window of the command bars' edit fields and of the combo box's
// edit part. It is a rich-edit window when the process has a rich-edit library (the class is chosen
// once: "RichEdit20A" from RICHED20.DLL, else "RICHEDIT" from RICHED32.DLL) and a plain edit
// otherwise. It answers the Cut, Copy and Paste commands for itself, keeps track of IME composition
// and, on glass, paints its client area opaque.
#pragma once

#include "framework/StdControls.h"

class CXTPControl;
class CXTPControlFieldText;

class CXTPCommandBarEditCtrl : public CEdit
{
    DECLARE_DYNAMIC(CXTPCommandBarEditCtrl)

public:
    // The rich-edit library of the process, loaded on first use and freed at process exit.
    struct RICHEDIT_CONTEXT
    {
        HMODULE hLibrary = nullptr;
        LPCSTR lpszClass = nullptr; // null: no rich edit, plain edit windows
        BOOL bRichEdit2 = FALSE;
    };
    static const RICHEDIT_CONTEXT& GetRichEditContext();

    CXTPCommandBarEditCtrl();
    ~CXTPCommandBarEditCtrl() override;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Creates the window (control id 0, empty rectangle) as a child of the bar. A rich-edit window
    // reports changes (ENM_CHANGE) and holds plain text with one level of undo.
    virtual BOOL Create(DWORD dwStyle, CWnd* pParentWnd);

    // Whether the edit commands may run now (the menu and the command UI ask).
    BOOL CanCopy() const;
    BOOL CanCut() const;
    BOOL CanPaste() const;

    BOOL IsImeComposing() const { return m_bImeMode; }

    // Sets the text as the owning control does: through empty to the text, with the change
    // notification suppressed; nothing when the window already shows it.
    void SetTextQuietly(const CString& strText);
    // Text and background colours of the whole text (EM_SETCHARFORMAT with 84 bytes for rich edit
    // 2.0, 60 for 1.0; EM_SETBKGNDCOLOR) and the margins (none).
    void SetFieldColors(COLORREF clrText, COLORREF clrBack);

    // The Cut, Copy and Paste menu of the field at a screen point, run as a popup bar of the control's
    // bar (body in XTPCommandBarEditCtrlMenu.cpp). FALSE when no menu was shown (the process has no
    // text for the Cut command). The chosen command runs through OnCommand.
    virtual BOOL ShowContextMenu(CXTPControl* pControl, CPoint point);

    // The field this window serves (edit fields and combo boxes; set by the field): the control's
    // bar gets the window's mouse moves and tooltip messages, Enter executes it, a right click
    // opens the Cut, Copy and Paste menu. Without one the window is one of its own, whose
    // messages all go their default way.
    CXTPControlFieldText* m_pField = nullptr;
    CXTPControl* GetFieldControl() const;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Set by the owning control while it lies on glass.
    BOOL m_bComposited = FALSE;
    // Raised while the owning control sets the text itself (no change notification then).
    BOOL m_bIgnoreChange = FALSE;

protected:
    // The field's messages (XTPCommandBarEditCtrlField.cpp).
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnTooltipQuery(WPARAM wParam, LPARAM lParam);
    // A window of its own leaves EN_CHANGE to its parent.
    afx_msg BOOL OnEditChange();

    afx_msg LRESULT OnImeStartComposition(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnImeEndComposition(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    BOOL m_bImeMode = FALSE;

private:
    BOOL HasSelection() const;
    BOOL IsWritable() const;
};
