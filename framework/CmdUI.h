// CCmdUI: the state of one command's user-interface element (menu item, button or other
// control) while its update handler runs (ON_UPDATE_COMMAND_UI).
#pragma once

#include <windows.h>

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI
{
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);
    // Lets the next command target in the route handle the update as well.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget to update this element. With bDisableIfNoHndler the element is disabled when
    // nothing enabled it and no command handler exists for m_nID. Returns whether a handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    UINT m_nIndexMax = 0;
    CMenu* m_pMenu = nullptr;    // the menu when the element is a menu item
    CMenu* m_pSubMenu = nullptr; // the popup when the item opens one
    CMenu* m_pParentMenu = nullptr;
    CWnd* m_pOther = nullptr;      // the window when the element is a control
    BOOL m_bEnableChanged = FALSE; // an update handler called Enable
    BOOL m_bContinueRouting = FALSE;
};
