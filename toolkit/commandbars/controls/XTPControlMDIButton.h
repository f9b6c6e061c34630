// CXTPControlMDIButton: a caption button of the maximised MDI child on the menu bar (minimise,
// restore, close), and the rules that say which of them the menu bar shows. CXTPControlSysCommand
// and XTPBuildSysMenuControls: the child's system menu as controls of a bar.
#pragma once

#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/common/XTPResourceIds.h"

// Menu-bar flag bits (the bar's flags word) about the MDI child's buttons and menus.
const DWORD xtpFlagHideMinimizeBox = 0x100;
const DWORD xtpFlagHideMaximizeBox = 0x200;
const DWORD xtpFlagIgnoreSetMenuMessage = 0x400;
const DWORD xtpFlagHideClose = 0x1000;
const DWORD xtpFlagAddMDISysPopup = 0x2000;

// The caption buttons' ids (ID_TK_MDI_CLOSE, ID_TK_MDI_RESTORE, ID_TK_MDI_MINIMIZE) and the system-menu
// popup's (ID_TK_MDI_SYSMENU) are in toolkit/common/XTPResourceIds.h, whose script carries their strings.

// The caption buttons that follow the bar's own controls, in their order (minimise, restore,
// close), for the active child's state: none without a maximised child or without WS_SYSMENU;
// minimise needs WS_MINIMIZEBOX and no xtpFlagHideMinimizeBox, restore WS_MAXIMIZEBOX and no
// xtpFlagHideMaximizeBox, close no xtpFlagHideClose. Writes up to three ids; answers the count.
int XTPGetMDIButtonIds(BOOL bMaximized, DWORD dwChildStyle, DWORD dwBarFlags, int* pIds);
// Whether the bar starts with the child's system-menu popup.
BOOL XTPWantsMDISysMenuPopup(BOOL bMaximized, BOOL bValidSysMenu, DWORD dwBarFlags);
// The status-text string of a system command (0xF000-0xF1EF): 0xEF00 + ((id - 0xF000) >> 4);
// 0 for any other id.
UINT XTPSysCommandDescriptionId(UINT nCommand);
// The system command a caption button posts to the child (SC_MINIMIZE, SC_RESTORE, SC_CLOSE); 0 for
// other ids.
UINT XTPMDIButtonSysCommand(int nId);
// The caption (a Marlett glyph) of a caption button: "0", "2", "r"; empty for other ids.
LPCSTR XTPMDIButtonGlyph(int nId);

class CXTPControlMDIButton : public CXTPControlButton
{
    DECLARE_DYNCREATE(CXTPControlMDIButton)

public:
    // A button of nId (ID_TK_MDI_MINIMIZE, _RESTORE or _CLOSE): temporary, flags 0x1B (right
    // aligned, skipped by focus, updated by the bar itself, fixed in place), 16 x 16, the tooltip of
    // the id's string and the glyph as caption.
    explicit CXTPControlMDIButton(int nId = ID_TK_MDI_CLOSE);

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    // Posts the button's system command to the active MDI child of the bar's site.
    void OnExecute() override;
    BOOL IsCustomizeMovable() const override { return FALSE; }

    // The MDI child the button acts on: the active child of the site's MDI client, or null.
    HWND GetTargetChild() const;
};

// The child's icon for its system-menu popup: its answer to XTP_WM_GETMDICHILDICON, else WM_GETICON
// ICON_SMALL, else ICON_BIG, else the class's small icon, else IDI_WINLOGO (shared handles, never a
// copy).
HICON XTPGetMDIChildIcon(HWND hWndChild);

// A system command of a window's system menu: executing closes the menus and posts WM_SYSCOMMAND with
// the id to the target window.
class CXTPControlSysCommand : public CXTPControlButton
{
    DECLARE_DYNCREATE(CXTPControlSysCommand)

public:
    CXTPControlSysCommand() = default;
    void OnExecute() override;
    void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE) override;

    HWND m_hWndTarget = nullptr;
};

// Fills pBar's controls (removing the old ones) from a system menu: a separator makes the next
// control begin a group; an item with an id from 0xF000 to 0xF1EF becomes a CXTPControlSysCommand for
// hWndTarget with flag 8, the menu's text as caption, the status text of its string as description,
// marked default when it is the menu's default item and enabled unless grayed; other items become
// controls as a menu bar loads them.
void XTPBuildSysMenuControls(CXTPCommandBar* pBar, HMENU hSysMenu, HWND hWndTarget);
