// CXTPCommandBars: the command-bars manager of a frame or dialog. This part holds what controls
// and bars call: reference counting, the actions, the customise flag, the site window, the paint
// and image managers.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/Wnd.h"
#include "framework/Array.h"
#include "toolkit/commandbars/XTPCommandBarKeyboard.h"

class CXTPCommandBarsOptions;
class CXTPControlActions;
class CXTPControlAction;
class CXTPImageManager;
class CXTPPaintManager;

class CXTPCommandBars : public CCmdTarget
{
    DECLARE_DYNCREATE(CXTPCommandBars)

public:
    CXTPCommandBars();
    ~CXTPCommandBars() override;

    // Actions: none until EnableActions.
    void EnableActions(BOOL bEnable = TRUE);
    CXTPControlActions* GetActions() const { return m_pActions; }
    BOOL IsActionsEnabled() const { return m_pActions != nullptr; }
    CXTPControlAction* CreateAction(int nId);

    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL bMode) { m_bCustomizeMode = bMode; }
    // Every control may be moved in customisation (off by default).
    BOOL m_bCustomizeAvail = FALSE;
    BOOL m_bAllowMoveAllControls = FALSE;

    CWnd* GetSite() const { return m_hWndSite ? CWnd::FromHandle(m_hWndSite) : nullptr; }
    void SetSite(CWnd* pSite) { m_hWndSite = pSite ? pSite->GetSafeHwnd() : nullptr; }

    CXTPPaintManager* GetPaintManager() const;
    void SetPaintManager(CXTPPaintManager* pPaintManager);
    void SetTheme(int nTheme);
    CXTPImageManager* GetImageManager() const;
    void SetImageManager(CXTPImageManager* pImageManager);

    // The options (made with the manager, released with it) and their profile form: section
    // "<profile>-Options" of the application's registry key or INI file; saving empties it first.
    CXTPCommandBarsOptions* GetCommandBarsOptions() const { return m_pOptions; }
    void SaveOptions(LPCSTR lpszProfileName);
    void LoadOptions(LPCSTR lpszProfileName);
    // Keyboard cues: in use (Alt shows them) and visible now; set by the options' cue mode.
    BOOL m_bKeyboardCuesInUse = FALSE;
    BOOL m_bKeyboardCuesVisible = TRUE;

    // Command ids executed (intelligent menus).
    void SetCommandUsed(int nId);
    int GetCommandUsedCount() const { return m_nUsedCount; }

    // Keyboard tips as the bars' key handling sees them: the shown tips, the bar that owns them,
    // the level (above 0 while shown) and how many characters were typed over them.
    CArray<XTP_KEYBOARD_TIP_ENTRY, const XTP_KEYBOARD_TIP_ENTRY&> m_arrKeyboardTips;
    CXTPCommandBar* m_pKeyboardTipsOwner = nullptr;
    int m_nKeyboardTipsLevel = 0;
    int m_nKeyboardTipsTyped = 0;

private:
    CXTPControlActions* m_pActions = nullptr;
    BOOL m_bCustomizeMode = FALSE;
    HWND m_hWndSite = nullptr;
    CXTPPaintManager* m_pPaintManager = nullptr;
    CXTPImageManager* m_pImageManager = nullptr;
    int m_nUsedCount = 0;
    CXTPCommandBarsOptions* m_pOptions = nullptr;
};
