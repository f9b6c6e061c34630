// CXTPCommandBarKeyboardTip: a small label over a control or a bar that shows which keys select it
// while the user drives the bars from the keyboard. The manager owns the shown tips (one array of
// these objects: the key handling reads the same records the windows paint), a bar creates the tips
// for its controls and for the other visible bars (CXTPCommandBar::CreateKeyboardTips), and
// CXTPCommandBars::ShowKeyboardTips gives them their keys, places and shows them.
//
// A tip is a plain object until its window is created, so the key rules below run without windows.
#pragma once

#include "framework/Array.h"
#include "framework/Wnd.h"

class CXTPCommandBars;
class CXTPCommandBar;
class CXTPControl;

// Alignment of a tip on its anchor: 0 puts the top-left corner there.
const int xtpKeyboardTipAlignCenterX = 1;
const int xtpKeyboardTipAlignRight = 2;
const int xtpKeyboardTipAlignCenterY = 4;
const int xtpKeyboardTipAlignBottom = 8;

class CXTPCommandBarKeyboardTip : public CWnd
{
public:
    // pObject is the control or the bar the tip labels; pt the anchor (a control's in its bar's
    // client coordinates, a bar's on the screen).
    CXTPCommandBarKeyboardTip(CXTPCommandBars* pCommandBars, CCmdTarget* pObject, LPCSTR lpszCaption, CPoint pt,
                              int nAlign, BOOL bEnabled);
    ~CXTPCommandBarKeyboardTip() override;
    CXTPCommandBarKeyboardTip(const CXTPCommandBarKeyboardTip&) = delete;
    CXTPCommandBarKeyboardTip& operator=(const CXTPCommandBarKeyboardTip&) = delete;

    // The labelled object as a control, or as a bar (null when it is the other kind).
    CXTPControl* GetControl() const;
    CXTPCommandBar* GetCommandBar() const;

    // Creates the popup tool window (owned by pOwner) at rc, layered when bLayered; hidden.
    BOOL CreateTipWindow(CWnd* pOwner, const CRect& rc, BOOL bLayered);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

public:
    CString m_strTip;      // the keys that select the tip (upper case)
    CString m_strCaption;  // the text of the control or the title of the bar
    CString m_strPrefix;   // a key chosen beforehand (the ribbon's), used instead of the caption's
    CCmdTarget* m_pOwner;  // the control or bar labelled
    CPoint m_pt;           // the anchor
    BOOL m_bEnabled;       // a disabled object's tip is drawn translucent and is never chosen
    BOOL m_bVisible = TRUE;
    CXTPCommandBars* m_pCommandBars;
    int m_nAlign;          // xtpKeyboardTipAlign* bits
    BOOL m_bExplicit = FALSE; // the key text came from the object's own keyboard-tip text
};

typedef CArray<CXTPCommandBarKeyboardTip*, CXTPCommandBarKeyboardTip*> CXTPKeyboardTipArray;

// Keys for the tips, from the last tip to the first: a tip with key text keeps it (explicit); a tip
// with neither key text nor caption is deleted and taken out; the others take the preset key, else
// the character after the caption's access-key ampersand, else its first character (the caption is
// upper-cased; a lead byte of a double-byte code page takes the next byte with it). Then tips that
// share a first character get a second one: the first unused character after a space in the
// caption, else the first unused character of the caption after its first one, else the next unused
// digit or letter. Keys of one group end up distinct.
void XTPAssignKeyboardTipKeys(CXTPKeyboardTipArray& arrTips);

// The screen rectangle of a tip whose key text measures szText, at the anchor (already on the
// screen) with the alignment; bRightToLeft puts the right edge at the anchor.
CRect XTPKeyboardTipRect(CPoint ptAnchor, CSize szText, int nAlign, BOOL bRightToLeft);
