// CXTPCommandBars: the command-bars manager of a frame or dialog. This part holds what controls
// and bars call: reference counting, the actions, the customise flag, the site window, the paint
// and image managers.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/Wnd.h"
#include "framework/Array.h"
#include "toolkit/commandbars/XTPCommandBarKeyboard.h"

class CXTPCommandBar;
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

    // ---- keyboard tips as the bars' key handling sees them: the shown tips, the bar that owns
    // them, the level (above 0 while shown) and how many characters were typed over them.
    int GetKeyboardTipsLevel() const { return m_nKeyboardTipsLevel; }
    void SetKeyboardTipsLevel(int nLevel) { m_nKeyboardTipsLevel = nLevel; }
    CXTPCommandBar* GetKeyboardTipsOwner() const { return m_pKeyboardTipsOwner; }
    void SetKeyboardTipsOwner(CXTPCommandBar* pOwner) { m_pKeyboardTipsOwner = pOwner; }
    BOOL IsKeyboardTipsShown() const { return m_nKeyboardTipsLevel > 0 && m_pKeyboardTipsOwner != nullptr; }
    int GetKeyboardTipsPrefix() const { return m_nKeyboardTipsPrefix; }
    void SetKeyboardTipsPrefix(int nTyped) { m_nKeyboardTipsPrefix = nTyped; }
    CArray<XTP_KEYBOARD_TIP_ENTRY, const XTP_KEYBOARD_TIP_ENTRY&>& GetKeyboardTips() { return m_arrKeyboardTips; }
    // Hides every tip window, empties the list, clears the owner, the level and the typed count.
    virtual void HideKeyboardTips();

private:
    CArray<XTP_KEYBOARD_TIP_ENTRY, const XTP_KEYBOARD_TIP_ENTRY&> m_arrKeyboardTips;
    CXTPCommandBar* m_pKeyboardTipsOwner = nullptr;
    int m_nKeyboardTipsLevel = 0;
    int m_nKeyboardTipsPrefix = 0;

private:
    CXTPControlActions* m_pActions = nullptr;
    BOOL m_bCustomizeMode = FALSE;
    HWND m_hWndSite = nullptr;
    CXTPPaintManager* m_pPaintManager = nullptr;
    CXTPImageManager* m_pImageManager = nullptr;
    int m_nUsedCount = 0;
    CXTPCommandBarsOptions* m_pOptions = nullptr;
};
