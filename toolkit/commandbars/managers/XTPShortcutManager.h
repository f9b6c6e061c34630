// CXTPShortcutManager: the keyboard shortcuts of one command-bars manager. The manager makes it
// with itself; the table starts empty, and an empty table translates nothing. The table itself,
// its key names, formatting and persistence belong to the shortcut code that fills it.
#pragma once

#include "framework/CmdTarget.h"

class CXTPCommandBars;

class CXTPShortcutManager : public CCmdTarget
{
public:
    explicit CXTPShortcutManager(CXTPCommandBars* pCommandBars);
    ~CXTPShortcutManager() override;
    CXTPShortcutManager(const CXTPShortcutManager&) = delete;
    CXTPShortcutManager& operator=(const CXTPShortcutManager&) = delete;

    // TRUE when the key message (WM_KEYDOWN .. WM_SYSDEADCHAR) was turned into a command. Nothing
    // while translation is disabled or the table is empty.
    virtual BOOL TranslateAccelerator(MSG* pMsg);
    // Number of shortcuts in the active table.
    virtual int GetAccelCount() const { return 0; }

    // Translation is off while the disable count is 1 or more.
    void DisableShortcuts(BOOL bDisable);
    int GetDisableCount() const { return m_nDisableShortcuts; }

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

protected:
    BOOL m_bAllowEscapeShortcut = FALSE;
    BOOL m_bUseSystemKeyNameText = FALSE;
    BOOL m_bFlag = TRUE;
    int m_nDisableShortcuts = 0;
    BOOL m_bIgnoreWhileCaptured = TRUE;
    CXTPCommandBars* m_pCommandBars;
};
