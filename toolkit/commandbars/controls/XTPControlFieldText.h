// CXTPControlFieldText: what edit fields and editable combo boxes keep alike about their text
// window: the text cache (read again from the window after the user changed it), the grey hint
// shown while the field is empty and unfocused, the window's colours, its place and visibility,
// and the focus moves between the window and the bar.
#pragma once

#include "framework/DC.h"
#include "framework/FrameworkString.h"

#include <windows.h>

class CXTPCommandBar;
class CXTPCommandBarEditCtrl;
class CXTPControl;
class CWnd;

// What a field's text window tells the control it serves.
class CXTPControlFieldOwner
{
public:
    virtual ~CXTPControlFieldOwner() = default;
    virtual void OnFieldSetFocus(CWnd* pOldWnd) = 0;
    virtual void OnFieldKillFocus() = 0;
    // The window's text changed (EN_CHANGE); bByUser: typed while the window has the focus.
    virtual void OnFieldChanged(BOOL bByUser) = 0;
    // Before the Cut, Copy and Paste menu opens.
    virtual void OnFieldContextMenu() = 0;
};

class CXTPControlFieldText
{
public:
    CXTPControlFieldText(CXTPControl* pControl, CXTPControlFieldOwner* pOwner) : m_pControl(pControl), m_pOwner(pOwner)
    {
    }
    CXTPControl* GetControl() const { return m_pControl; }
    CXTPControlFieldOwner* GetOwner() const { return m_pOwner; }

    // The text window (not owned; null while the field has none).
    // Links both ways (the window tells this object's owner about itself).
    void SetWindow(CXTPCommandBarEditCtrl* pWnd);
    BOOL HasWindow() const;

    // The cache, read again from the window while stale (may be the hint while shown).
    CString GetText() const;
    // Sets the window's text without a change notification, and the cache.
    void SetText(const CString& strText);
    void MarkStale() { m_bStale = TRUE; }
    // The window goes: its text stays in the cache.
    void KeepWindowText();
    // Destroys the window, keeping its text.
    void DestroyFieldWindow();

    CString GetHint() const { return m_strHint; }
    void SetHint(const CString& strHint) { m_strHint = strHint; }
    BOOL IsHintShown(BOOL bFocused) const;
    // The text, empty while it equals the hint.
    CString GetTextWithoutHint() const;
    // An unfocused empty field shows the hint; a focused one loses a shown hint (colours follow).
    void ShowHintIfEmpty(BOOL bFocused);
    void RemoveShownHint(BOOL bFocused);

    // Window text colour (grey for a hint or a disabled control) and the paint manager's field
    // background.
    void ApplyColors(BOOL bFocused);
    // Creates the window in the control's bar (dwStyle | WS_CHILD | ES_AUTOHSCROLL), disabled with
    // the control, with a text limit when set.
    BOOL CreateFieldWindow(DWORD dwStyle, int nTextLimit);
    // Font, margins, the text or hint (unless the window has the focus), colours, glass; then the
    // window goes to rcWindow and shows with the control.
    void PlaceWindow(const CRect& rcWindow, BOOL bFocused);
    // Shown while the control sits in a collection of a bar with a window and is visible.
    void RefreshVisibility();
    // A window that has to go before the layout (recreation asked, right-to-left, another parent).
    BOOL IsWindowStale(BOOL bRecreate) const;

    // Focus: the window takes it, the bar tracks with the control selected, the mouse manager is
    // locked, the site hears nCode.
    void EnterFocus(UINT nCode);
    // The focus goes back to the bar's stored window, the lock is lowered, the site hears nCode.
    void LeaveFocus(UINT nCode);
    // The window took the focus from pOldWnd: the bar remembers where it came from (the site
    // when nothing had it) unless it already knows.
    void StoreFocusReturn(CWnd* pOldWnd);

    // Whether a field shows its caption as a label: always in popups, never without one, for the
    // caption styles, else bLabel.
    static BOOL IsCaptionVisible(const CXTPControl* pControl, BOOL bLabel);
    // Keys the text window takes itself: Ctrl+C, V, X, Z, Backspace and the navigation keys.
    static BOOL IsWindowKey(UINT nChar, BOOL bCtrl);
    // The hide bit of a vertically docked layout (mode 0x10).
    static int HideFlagsForLayout(int dwHideFlags, DWORD dwMode);

private:
    CXTPControl* m_pControl;
    CXTPControlFieldOwner* m_pOwner;
    CXTPCommandBarEditCtrl* m_pWnd = nullptr;
    mutable CString m_strText;
    mutable BOOL m_bStale = TRUE;
    CString m_strHint;
};
