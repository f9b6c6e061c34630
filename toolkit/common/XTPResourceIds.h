// The ids of the toolkit's common services, and the ids that the toolkit's resource scripts carry
// (XTPResources.rc and the theme resources drawn by tools/themegen): a static library drops its
// resources, so those scripts hold the strings, pictures and cursors of the libraries above too
// (the command bars' commands and prompts among them), and their ids live here. Only #defines and
// comments: the resource scripts include this header. Blocks: docs/ids.md; the "// ids: <kind>"
// lines mark the kind of the constants after them.
#ifndef QVX_TOOLKIT_RESOURCE_IDS_H
#define QVX_TOOLKIT_RESOURCE_IDS_H

// ids: resource
// Bitmap of the menu bar's MDI buttons (four 16 x 16 images, drawn by tools/themegen).
#define IDB_TK_MDI_BUTTONS 9102
// Cursors drawn by tools/themegen (make_theme.py writes the same numbers): dragging a control to
// copy it, to move it, or where it cannot go; the splitters; resizing a control's width while
// customising; the hand where the system has none.
#define IDC_TK_CURSOR_DRAG_MOVE 9308
#define IDC_TK_CURSOR_DRAG_NONE 9309
#define IDC_TK_CURSOR_DRAG_COPY 9310
#define IDC_TK_CURSOR_HSPLIT 9970
#define IDC_TK_CURSOR_VSPLIT 9971
#define IDC_TK_RESIZE_CONTROL 9972
#define IDC_TK_CURSOR_HAND 9973

// ids: type
// The resource type of toolbar layouts (16-bit words: version, button width, height, count, ids),
// read by the image manager and written by every script that carries a toolbar.
#define XTP_RT_TOOLBAR 241

// ids: command
// Commands for which no action is created (every command the toolkit's scripts carry).
#define ID_TK_NOACTION_FIRST 9100
#define ID_TK_NOACTION_LAST 9299
// Commands of the command bars and the tab groups (their strings carry the tooltip after the line
// break).
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

// ids: string
// Status descriptions of the system commands: string 0xEF00 + ((SC_xxx - 0xF000) >> 4).
#define IDS_TK_SYSCOMMAND_FIRST 0xEF00
#define IDS_TK_SYSCOMMAND_LAST 0xEF1F
// Prompts of the command bars.
#define IDS_TK_CONFIRM_RESET_TOOLBAR 9173
#define IDS_TK_CONFIRM_UPDATED_TOOLBAR 9177
#define IDS_TK_WAITING_FOR_CHORD 9187
// Tooltips of a tab row's navigate buttons.
#define XTP_IDS_TABNAVIGATEBUTTON_LEFT 9800
#define XTP_IDS_TABNAVIGATEBUTTON_RIGHT 9801
#define XTP_IDS_TABNAVIGATEBUTTON_CLOSE 9802
#define XTP_IDS_TABNAVIGATEBUTTON_UP 9803
#define XTP_IDS_TABNAVIGATEBUTTON_DOWN 9804

// ids: message
// Private messages of the tooltip windows. A window that answers WM_XTP_TOOLTIP_QUERY with 1 is a
// tooltip: the window under the cursor is then its parent. WM_XTP_TOOLTIP_SETICON carries the icon
// (CXTPImageManagerIcon*, null for none) of the current tool.
#define WM_XTP_TOOLTIP_QUERY 0x2A48
#define WM_XTP_TOOLTIP_SETICON 0x2A49

// ids: timer
// Timers of the tooltip window (on its own window): the initial delay and the auto-pop delay.
#define XTP_TID_TOOLTIP_INITIAL 1
#define XTP_TID_TOOLTIP_AUTOPOP 3

// ids: event
// Sent on the theme store's connection when the theme table was reloaded (both parameters 0).
#define XTP_NC_COMMON_RESOURCEIMAGES_CHANGED 10575

#endif
