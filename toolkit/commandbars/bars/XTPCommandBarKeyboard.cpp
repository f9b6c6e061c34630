#include "toolkit/commandbars/bars/XTPCommandBarKeyboard.h"
#include "toolkit/commandbars/bars/XTPCommandBarKeyboardTip.h"

#include <vector>

int FindMnemonicAmpersand(const CString& strText)
{
    const int nLength = strText.GetLength();
    for (int i = 0; i + 1 < nLength; ++i)
    {
        if (strText[i] != '&')
            continue;
        if (strText[i + 1] == '&')
        {
            ++i; // a literal ampersand
            continue;
        }
        return i;
    }
    return -1;
}

namespace
{
TCHAR UpperChar(TCHAR ch)
{
    // CharUpperA takes a single character in the low word of the pointer.
    return static_cast<TCHAR>(reinterpret_cast<UINT_PTR>(
        CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<BYTE>(ch))))));
}

BOOL LayoutProduces(UINT nKey, BYTE* pState, HKL hkl, TCHAR ch, TCHAR chUpper)
{
    WORD wChars[2] = {};
    UINT nScan = MapVirtualKeyExA(nKey, 0 /* MAPVK_VK_TO_VSC */, hkl);
    if (ToAsciiEx(nKey, nScan, pState, wChars, 0, hkl) != 1)
        return FALSE;
    TCHAR chOut = static_cast<TCHAR>(wChars[0] & 0xFF);
    return chOut == ch || chOut == chUpper;
}
} // namespace

BOOL CompareAccessKey(TCHAR ch, UINT nKey)
{
    if (nKey >= VK_NUMPAD0 && nKey <= VK_NUMPAD9)
        return ch == static_cast<TCHAR>('0' + (nKey - VK_NUMPAD0));
    if (MapVirtualKeyA(nKey, 2 /* MAPVK_VK_TO_CHAR */) == 0)
        return FALSE;
    const TCHAR chUpper = UpperChar(ch);
    if (nKey == static_cast<BYTE>(ch) || nKey == static_cast<BYTE>(chUpper))
        return TRUE;

    int nLayouts = GetKeyboardLayoutList(0, nullptr);
    if (nLayouts <= 0)
        return FALSE;
    std::vector<HKL> layouts(static_cast<size_t>(nLayouts));
    nLayouts = GetKeyboardLayoutList(nLayouts, layouts.data());
    BYTE state[256] = {};
    if (!GetKeyboardState(state))
        return FALSE;
    for (int i = 0; i < nLayouts; ++i)
    {
        if (LayoutProduces(nKey, state, layouts[static_cast<size_t>(i)], ch, chUpper))
            return TRUE;
        BYTE shifted[256];
        CopyMemory(shifted, state, sizeof(shifted));
        shifted[VK_SHIFT] = 0x80;
        if (LayoutProduces(nKey, shifted, layouts[static_cast<size_t>(i)], ch, chUpper))
            return TRUE;
    }
    return FALSE;
}

BOOL XTPIsHorizontalBarPosition(int nBarPosition, BOOL bPopupToolBar)
{
    // Top 0, bottom 1, floating 4.
    return nBarPosition == 0 || nBarPosition == 1 || nBarPosition == 4 || bPopupToolBar;
}

int XTPKeyToSpecialCode(UINT nKey, BOOL bHorizontal, BOOL bRightToLeft, BOOL bShift)
{
    switch (nKey)
    {
    case VK_TAB:
        return bShift ? xtpKeyPrev : xtpKeyNext;
    case VK_RETURN:
        return xtpKeyReturn;
    case VK_ESCAPE:
        return xtpKeyEscape;
    case VK_SPACE:
        return xtpKeySpace;
    case VK_END:
        return xtpKeyEnd;
    case VK_HOME:
        return xtpKeyHome;
    case VK_LEFT:
        if (bHorizontal)
            return bRightToLeft ? xtpKeyRight : xtpKeyLeft;
        return bRightToLeft ? xtpKeyPopup : xtpKeyBack;
    case VK_RIGHT:
        if (bHorizontal)
            return bRightToLeft ? xtpKeyLeft : xtpKeyRight;
        return bRightToLeft ? xtpKeyBack : xtpKeyPopup;
    case VK_UP:
        return bHorizontal ? xtpKeyBack : xtpKeyPrev;
    case VK_DOWN:
        return bHorizontal ? xtpKeyPopup : xtpKeyNext;
    default:
        return xtpKeyNone;
    }
}

int XTPFindMnemonicIndex(const XTP_MNEMONIC_CANDIDATE* pControls, int nCount, int nHot, UINT nKey, BOOL& bUnique,
                         BOOL (*pfnCompare)(TCHAR, UINT))
{
    bUnique = FALSE;
    if (!pControls || nCount <= 0 || !pfnCompare)
        return -1;
    int nAmpersand = -1;
    int nFirstLetter = -1;
    BOOL bFirstLetterUnique = TRUE;
    const int nStart = nHot >= 0 && nHot < nCount ? nHot + 1 : 0;
    for (int n = 0; n < nCount; ++n)
    {
        const int i = (nStart + n) % nCount;
        const XTP_MNEMONIC_CANDIDATE& control = pControls[i];
        if (!control.bVisible || !control.bEnabled || control.strCaption.IsEmpty())
            continue;
        const int nPos = FindMnemonicAmpersand(control.strCaption);
        if (nPos >= 0)
        {
            if (!pfnCompare(control.strCaption[nPos + 1], nKey))
                continue;
            if (nAmpersand >= 0)
                return nAmpersand; // a second explicit match: the first, not unique
            nAmpersand = i;
            continue;
        }
        if (!pfnCompare(control.strCaption[0], nKey))
            continue;
        if (nFirstLetter < 0)
            nFirstLetter = i;
        else
            bFirstLetterUnique = FALSE;
    }
    if (nAmpersand >= 0)
    {
        bUnique = TRUE;
        return nAmpersand;
    }
    if (nFirstLetter >= 0)
        bUnique = bFirstLetterUnique;
    return nFirstLetter;
}

int XTPFilterKeyboardTips(CXTPCommandBarKeyboardTip* const* pTips, int nCount, int& nTyped, UINT nKey,
                          BOOL (*pfnCompare)(TCHAR, UINT))
{
    if (!pTips || nCount <= 0 || !pfnCompare || nTyped < 0)
        return xtpTipFilterNoMatch;
    std::vector<BOOL> takes(static_cast<size_t>(nCount), FALSE);
    BOOL bAny = FALSE;
    for (int i = 0; i < nCount; ++i)
    {
        const CXTPCommandBarKeyboardTip& tip = *pTips[i];
        if (tip.m_bVisible && tip.m_strTip.GetLength() > nTyped && pfnCompare(tip.m_strTip[nTyped], nKey))
            takes[static_cast<size_t>(i)] = bAny = TRUE;
    }
    if (!bAny)
        return xtpTipFilterNoMatch;
    ++nTyped;
    int nChosen = xtpTipFilterNarrowed;
    for (int i = 0; i < nCount; ++i)
    {
        CXTPCommandBarKeyboardTip& tip = *pTips[i];
        if (!takes[static_cast<size_t>(i)])
        {
            tip.m_bVisible = FALSE;
            continue;
        }
        if (nChosen < 0 && tip.m_bEnabled && tip.m_strTip.GetLength() == nTyped)
            nChosen = i;
    }
    return nChosen;
}
