// Keyboard navigation of command bars as pure rules: access keys in captions, whether a key produces a
// character, the navigation code of a key on a horizontal, vertical or right-to-left bar, and the
// access-key search over a bar's controls.
#pragma once

#include "framework/CollectionHelpers.h"
#include "framework/FrameworkString.h"

#include <windows.h>

// Navigation codes a bar carries out (ProcessSpecialKey).
enum XTPSpecialKey
{
    xtpKeyNext = 0,
    xtpKeyPrev = 1,
    xtpKeyBack = 2,
    xtpKeyPopup = 3,
    xtpKeyEscape = 4,
    xtpKeyReturn = 5,
    xtpKeyHome = 6,
    xtpKeyEnd = 7,
    xtpKeyLeft = 8,
    xtpKeyRight = 9,
    xtpKeySpace = 10,
    xtpKeyNone = -1
};

// Index of the ampersand that marks the access key ("&&" is a literal ampersand; an ampersand at the
// end marks nothing), or -1.
int FindMnemonicAmpersand(const CString& strText);

// Whether virtual key nKey produces character ch: keypad digits give exactly '0'-'9'; a key without
// a character never matches; else the key code equals the character or its upper case, or some
// installed keyboard layout turns the key (as the keyboard stands, then with Shift) into it.
BOOL CompareAccessKey(TCHAR ch, UINT nKey);

// A bar lays its controls out in a row at the top, at the bottom, floating, or as a popup toolbar.
BOOL XTPIsHorizontalBarPosition(int nBarPosition, BOOL bPopupToolBar);

// The navigation code of a key, xtpKeyNone for keys that are not navigation keys.
int XTPKeyToSpecialCode(UINT nKey, BOOL bHorizontal, BOOL bRightToLeft, BOOL bShift);

// One control as the access-key search sees it.
struct XTP_MNEMONIC_CANDIDATE
{
    BOOL bVisible = TRUE;
    BOOL bEnabled = TRUE;
    CString strCaption;
};

// The control that key nKey selects, starting after nHot (-1: from the first) and visiting each
// control once. An explicit "&" match wins; a second one ends the search with the first marked not
// unique. Without any, the first control whose caption starts with the key's character, not unique
// when more do. -1 when nothing matches (bUnique is then FALSE).
int XTPFindMnemonicIndex(const XTP_MNEMONIC_CANDIDATE* pControls, int nCount, int nHot, UINT nKey, BOOL& bUnique,
                         BOOL (*pfnCompare)(TCHAR, UINT) = CompareAccessKey);

class CXTPCommandBarKeyboardTip;

// Typing over the shown keyboard tips: nTyped characters were typed so far. A tip stays when the key
// produces its next character; the others are hidden (m_bVisible cleared) and nTyped grows by one.
// Answers the tip whose text the key completes (the first enabled one), -1 when tips remain to
// choose from, -2 when no shown tip takes the key (nothing is hidden then).
const int xtpTipFilterNarrowed = -1;
const int xtpTipFilterNoMatch = -2;
int XTPFilterKeyboardTips(CXTPCommandBarKeyboardTip* const* pTips, int nCount, int& nTyped, UINT nKey,
                          BOOL (*pfnCompare)(TCHAR, UINT) = CompareAccessKey);
