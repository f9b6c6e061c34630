// CXTPMenuBar: the command bar that takes the place of a frame window's menu. It loads a menu
// resource into controls, takes the frame's own menu away while it lives, follows the menus an MDI
// frame switches to for each kind of document (keeping each one's customised controls), shows the
// maximised MDI child's system-menu icon and caption buttons, and starts keyboard navigation for
// the menu key.
//
// Files: XTPMenuBar.cpp (construction, loading, reset, copy, change test, messages),
// XTPMenuBarMDI.cpp (hooking the frame, the MDI client and the active child; document menus; the
// caption buttons), XTPSysMenuPopupBar.cpp (the child's system-menu popup).
#pragma once

#include "toolkit/commandbars/controls/XTPControlMDIButton.h"
#include "toolkit/commandbars/bars/XTPMenuBarMDIMenus.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"

class CMenu;
class CXTPControlMDISysMenuPopup;

class CXTPMenuBar : public CXTPToolBar
{
    DECLARE_SERIAL(CXTPMenuBar)

public:
    // A caption button of the maximised child (minimise, restore, close).
    typedef CXTPControlMDIButton CControlMDIButton;
    // The maximised child's icon, opening its system menu (XTPSysMenuPopupBar.h).
    typedef CXTPControlMDISysMenuPopup CControlMDISysMenuPopup;

    CXTPMenuBar();
    ~CXTPMenuBar() override;

    // ---- operations the menu bar adds, in their order
    // Loads menu resource nIDResource into the controls (0: keeps the controls) and hooks the frame.
    // FALSE when the resource is missing or no control could be made from it.
    virtual BOOL LoadMenuBar(UINT nIDResource);
    // Shows the menu of nIDMenu: its stored controls when it has them, else controls made from pMenu.
    virtual void SwitchMDIMenu(UINT nIDMenu, CMenu* pMenu = nullptr);
    // Puts the maximised child's system-menu popup and caption buttons on the bar (or takes them off).
    virtual void UpdateMDIButtons();
    // Two operations for the ribbon: nothing and FALSE here.
    virtual void OnMenuBarReserved1() {}
    virtual BOOL IsMenuBarReserved2() const { return FALSE; }

    // Hooks the active MDI child again and, when the bar is visible, updates the caption buttons.
    void RefreshMenuState();
    // Switches to the menu an MDI frame shows (the id of its document template, or the default id
    // for the frame's own menu).
    void SwitchMDIMenuByHandle(HMENU hMenu);
    // Hooks the site and its MDI client, adds the caption buttons' pictures and takes the frame's
    // menu away (the first time). Safe to call again; the window's creation calls it too.
    void HookFrame();

    // ---- toolbar operations the menu bar changes
    void Reset(BOOL bShowWarningMessage) override;
    void Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive = FALSE) override;
    BOOL IsChanged() const override;
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
    // The toolbar keys, "ResourceId", then the stored document menus that have controls
    // (persistence/XTPBarsPersist.cpp).
    void DoPropExchange(CXTPPropExchange* pPX) override;
    void GenerateCommandBarList(DWORD& nID, CXTPCommandBarList* pBarList,
                                XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam) override;
    void RestoreCommandBarList(CXTPCommandBarList* pBarList) override;

    // ---- state
    BOOL IsMDIFrame() const { return m_bMDIFrame; }
    HWND GetActiveMDIChild() const { return m_hWndActiveChild; }
    HMENU GetSavedFrameMenu() const { return m_hMenuSaved; }
    UINT GetDefaultMenuId() const { return m_nIDDefaultMenu; }
    UINT GetCurrentMenuId() const { return m_nIDCurrentMenu; }
    CXTPMenuBarMDIMenus* GetMDIMenus() const { return m_pMDIMenus; }
    BOOL HasMDIMenus() const { return m_bMDIMenusPresent; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // The frame, MDI client and active child messages the bar watches (1 eaten).
    int OnFrameHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);
    // Gives the saved frame menu back to the site (once).
    void RestoreFrameMenu();
    // Takes the system-menu popup and the caption buttons off the controls.
    void RemoveMDIControls(CXTPControls* pControls);
    // Builds the original set of pControls from pMenu.
    void CreateOriginalsFromMenu(CXTPControls* pControls, CMenu* pMenu);
    // The resource id of the document template that shows hMenu (0 when none does).
    UINT FindMenuTemplateId(HMENU hMenu) const;
    HWND GetMDIClient() const;

    BOOL m_bMDIFrame = FALSE;
    HWND m_hWndActiveChild = nullptr;
    HMENU m_hMenuSaved = nullptr;
    BOOL m_bMenuSaved = FALSE;
    UINT m_nIDDefaultMenu = 0;
    UINT m_nIDCurrentMenu = 0;
    CXTPMenuBarMDIMenus* m_pMDIMenus = nullptr;
    BOOL m_bMDIMenusPresent = FALSE;
    // The windows this bar has hooked (so hooking again changes nothing).
    HWND m_hWndHookedSite = nullptr;
    HWND m_hWndHookedClient = nullptr;
    BOOL m_bImagesAdded = FALSE;
};
