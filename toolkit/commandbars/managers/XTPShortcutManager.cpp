#include "toolkit/commandbars/managers/XTPShortcutManager.h"

CXTPShortcutManager::CXTPShortcutManager(CXTPCommandBars* pCommandBars) : m_pCommandBars(pCommandBars)
{
}

CXTPShortcutManager::~CXTPShortcutManager() = default;

BOOL CXTPShortcutManager::TranslateAccelerator(MSG* pMsg)
{
    if (!pMsg || m_nDisableShortcuts > 0)
        return FALSE;
    if (pMsg->message < WM_KEYDOWN || pMsg->message > WM_SYSDEADCHAR)
        return FALSE;
    // The table holds no shortcut yet, so no key matches one.
    return FALSE;
}

void CXTPShortcutManager::DisableShortcuts(BOOL bDisable)
{
    if (bDisable)
        ++m_nDisableShortcuts;
    else if (m_nDisableShortcuts > 0)
        --m_nDisableShortcuts;
}
