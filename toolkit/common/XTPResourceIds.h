// Numeric ids of the toolkit's commands and resources; included from C++ and from XTPResources.rc.
// The toolkit owns the ids 9100 to 9999 and 35000 upwards; programs keep their own ids outside.
#ifndef QVX_TOOLKIT_RESOURCE_IDS_H
#define QVX_TOOLKIT_RESOURCE_IDS_H

// The toolkit's blocks.
// Sub-ranges of the libraries with their own resource script: the controls (toolkit/controls,
// XTPControlsResourceIds.h, XTPControlsResources.rc) take 9300-9343, that is their toolbar 9307,
// menu 9317 and the whole string blocks 9312-9327 and 9328-9343 (strings 9325-9329).
#define ID_TK_CONTROLS_FIRST 9300
#define ID_TK_CONTROLS_LAST 9343
#define ID_TK_FIRST 9100
#define ID_TK_LAST 9999
#define ID_TK_COMMANDS_FIRST 35000
// Commands for which no action is created.
#define ID_TK_NOACTION_FIRST 9100
#define ID_TK_NOACTION_LAST 9299

// Bitmap of the menu bar's MDI buttons (four 16 x 16 images).
#define IDB_TK_MDI_BUTTONS 9102
// Cursors of customisation by drag and drop.
#define IDC_TK_DRAG_COPY 9105
#define IDC_TK_DRAG_MOVE 9106
#define IDC_TK_DRAG_NONE 9107
// Cursor of resizing a control's width while customising (generated with the theme resources).
#define IDC_TK_RESIZE_CONTROL 9972

// Commands (their strings carry the tooltip after the line break).
#define ID_TK_ADD_OR_REMOVE_BUTTONS 9122
#define ID_TK_RESET_TOOLBAR 9123
#define ID_TK_BAR_BUTTON_FIRST 9147
#define ID_TK_BAR_BUTTON_LAST 9149
#define ID_TK_DIALOGBAR_BUTTON 9147
#define ID_TK_TOOLBAR_EXPAND 9148
#define ID_TK_TOOLBAR_HIDE 9149
#define ID_TK_POPUP_EXPAND 9150
#define ID_TK_MDI_CLOSE 9151
#define ID_TK_MDI_RESTORE 9152
#define ID_TK_MDI_MINIMIZE 9153
#define ID_TK_MDI_SYSMENU 9154
#define ID_TK_TABGROUP_MOVE_PREVIOUS 9155
#define ID_TK_TABGROUP_MOVE_NEXT 9156
#define ID_TK_TABGROUP_NEW_HORIZONTAL 9157
#define ID_TK_TABGROUP_NEW_VERTICAL 9158
#define ID_TK_TABGROUP_CANCEL 9159
#define ID_TK_WINDOW_LIST 35000
#define ID_TK_CUSTOMIZE 35001
#define ID_TK_WORKSPACE_ACTIONS 35002
#define ID_TK_RECENT_FILE_LIST 35003

// Status descriptions of the system commands: string 0xEF00 + ((SC_xxx - 0xF000) >> 4).
#define IDS_TK_SYSCOMMAND_FIRST 0xEF00
#define IDS_TK_SYSCOMMAND_LAST 0xEF1F

// Prompts.
#define IDS_TK_CONFIRM_RESET_TOOLBAR 9173
#define IDS_TK_CONFIRM_UPDATED_TOOLBAR 9177
#define IDS_TK_WAITING_FOR_CHORD 9187

// Private messages of the tooltip windows (the toolkit's block 0x2A48-0x2A49). A window that
// answers WM_XTP_TOOLTIP_QUERY with 1 is a tooltip: the window under the cursor is then its parent.
// WM_XTP_TOOLTIP_SETICON carries the icon (CXTPImageManagerIcon*, null for none) of the current tool.
#define WM_XTP_TOOLTIP_QUERY 0x2A48
#define WM_XTP_TOOLTIP_SETICON 0x2A49

#endif
