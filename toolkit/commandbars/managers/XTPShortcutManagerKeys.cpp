// CXTPShortcutManager: key names, the texts of shortcuts and their parsing.
#include "toolkit/commandbars/managers/XTPShortcutManager.h"

#include "toolkit/commandbars/managers/XTPSystemQuery.h"

#include <cstdio>

namespace
{
const WORD kCtrlBreak = 3;
const WORD kCharEscape = 27;
const WORD kCharTab = 9;
} // namespace

CString CXTPShortcutManager::GetLayoutKeyName(WORD nCode)
{
    if (nCode == kCtrlBreak)
        return CString();
    CXTPCommandBarsSystemQuery* pQuery = GetCommandBarsSystemQuery();
    LONG lParam = static_cast<LONG>(pQuery->MapVirtualKeyToScanCode(nCode) << 16) + 1;
    if (nCode >= VK_PRIOR && nCode <= VK_HELP)
        lParam |= 1L << 24; // the extended keys of the navigation block
    CHAR szName[50] = {};
    if (pQuery->GetKeyNameText(lParam, szName, static_cast<int>(sizeof(szName))) <= 0)
        return CString();
    szName[sizeof(szName) - 1] = 0;
    CString strName(szName);
    strName.MakeLower();
    for (int i = 0; i < strName.GetLength(); ++i)
    {
        const char ch = strName[i];
        if (ch >= 'a' && ch <= 'z')
        {
            strName.SetAt(i, static_cast<char>(ch - 'a' + 'A'));
            break;
        }
    }
    return strName;
}

CString CXTPShortcutManager::GetKeyName(WORD nCode) const
{
    CString strName;
    if (m_bUseSystemKeyNameText)
        strName = GetLayoutKeyName(nCode);
    if (strName.IsEmpty())
        m_pKeyNameMap->Lookup(nCode, strName);
    if (strName.IsEmpty() && !m_bUseSystemKeyNameText)
        strName = GetLayoutKeyName(nCode);
    return strName;
}

// ---- CKeyHelper ----

CString CXTPShortcutManager::CKeyHelper::KeyName(WORD nCode) const
{
    if (m_bManagerNames && m_pManager)
        return m_pManager->GetKeyName(nCode);
    CString strName;
    if (m_pManager)
        m_pManager->m_pKeyNameMap->Lookup(nCode, strName);
    if (strName.IsEmpty())
        strName.Format("0x%x", static_cast<unsigned>(nCode));
    return strName;
}

CString CXTPShortcutManager::CKeyHelper::FormatKey(int nKey) const
{
    const XTP_SHORTCUTMANAGER_ACCEL::KEY& key = m_record.key[nKey == 0 ? 0 : 1];
    CString strText;
    if (key.key != kCtrlBreak)
    {
        if (key.fVirt & FCONTROL)
            strText += "Ctrl+";
        if (key.fVirt & FSHIFT)
            strText += "Shift+";
        if (key.fVirt & FALT)
            strText += "Alt+";
        if (key.fVirt & XTP_ACCEL_FWINKEY)
            strText += "Win+";
    }
    if (key.key == 0)
    {
        if (!strText.IsEmpty() && strText[strText.GetLength() - 1] == '+')
            strText = strText.Left(strText.GetLength() - 1);
        return strText;
    }
    if (key.fVirt & FVIRTKEY)
    {
        strText += KeyName(key.key);
    }
    else if (key.key >= 1 && key.key <= 26 && key.fVirt == FNOINVERT)
    {
        // A control character typed as Ctrl and its letter.
        strText += "Ctrl+";
        strText += static_cast<char>(key.key + 64);
    }
    else if (key.key != kCharEscape && key.key != kCharTab)
    {
        strText += static_cast<char>(key.key);
    }
    return strText;
}

CString CXTPShortcutManager::CKeyHelper::Format() const
{
    CString strText = FormatKey(0);
    if (m_record.key[1].key != 0)
        strText += ", " + FormatKey(1);
    return strText;
}

int CXTPShortcutManager::CKeyHelper::GetPriority() const
{
    const BYTE fVirt = m_record.key[0].fVirt;
    if (fVirt & FCONTROL)
        return 3;
    if (fVirt & FALT)
        return 2;
    if (fVirt & FSHIFT)
        return 1;
    return 4;
}

CString CXTPShortcutManager::Format(const XTP_SHORTCUTMANAGER_ACCEL& record, int* pPriority)
{
    CKeyHelper helper(record, this);
    if (pPriority)
        *pPriority = helper.GetPriority();
    return helper.Format();
}

// ---- parsing ----

BOOL CXTPShortcutManager::ParseShortcut(CString strText, XTP_SHORTCUTMANAGER_ACCEL& record) const
{
    CString parts[2];
    const int nComma = strText.Find(", ");
    if (nComma >= 0)
    {
        parts[0] = strText.Left(nComma);
        parts[1] = strText.Mid(nComma + 2);
    }
    else
    {
        parts[0] = strText;
    }
    record.key[1].fVirt = 0;
    record.key[1].reserved = 0;
    record.key[1].key = 0;

    static const WORD kModifierKeys[] = {VK_CONTROL, VK_MENU, VK_SHIFT};
    static const BYTE kModifierFlags[] = {FCONTROL, FALT, FSHIFT};
    const int nParts = nComma >= 0 ? 2 : 1;
    for (int nPart = 0; nPart < nParts; ++nPart)
    {
        XTP_SHORTCUTMANAGER_ACCEL::KEY& key = record.key[nPart];
        key.fVirt = FVIRTKEY;
        key.reserved = 0;
        key.key = 0;
        CString strRest = parts[nPart];
        for (int m = 0; m < 3; ++m)
        {
            CString strModifier;
            m_pKeyNameMap->Lookup(kModifierKeys[m], strModifier);
            strModifier += "+";
            const int nAt = strRest.Find(strModifier);
            if (nAt >= 0)
            {
                strRest = strRest.Left(nAt) + strRest.Mid(nAt + strModifier.GetLength());
                key.fVirt |= kModifierFlags[m];
            }
        }
        // The lowest code with the name (the table names two keys "Win").
        POSITION pos = m_pKeyNameMap->GetStartPosition();
        while (pos)
        {
            WORD nCode = 0;
            CString strName;
            m_pKeyNameMap->GetNextAssoc(pos, nCode, strName);
            if (strName.CompareNoCase(strRest) == 0 && (key.key == 0 || nCode < key.key))
                key.key = nCode;
        }
        if (key.key == 0 && strRest.GetLength() > 3 && strRest.Left(2) == "0x")
        {
            unsigned short nCode = 0;
            if (sscanf(static_cast<LPCSTR>(strRest), "0x%hx", &nCode) == 1)
                key.key = nCode;
        }
        if (key.key == 0)
            return FALSE;
    }
    return TRUE;
}
