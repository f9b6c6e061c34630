// The framework's ids: its private window messages, the window ids of a frame's parts, the standard
// commands, the idle status text and the help-context bases. Only #defines and comments, so that a
// resource script may include it; MessageMap.h and FrameWnd.h include it for C++. Every block is
// listed in docs/ids.md; the "// ids: <kind>" lines mark the kind of the constants after them.
#ifndef QVX_FRAMEWORK_IDS_H
#define QVX_FRAMEWORK_IDS_H

// ids: message
// Private framework messages.
#define WM_SIZEPARENT 0x0361
// Status texts: wParam a string id (0: lParam the text); answers the previous id.
#define WM_SETMESSAGESTRING 0x0362
#define WM_IDLEUPDATECMDUI 0x0363
#define WM_INITIALUPDATE 0x0364
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368
#define WM_SIZECHILD 0x0369
#define WM_KICKIDLE 0x036A
#define WM_QUERYCENTERWND 0x036B
#define WM_FLOATSTATUS 0x036D
// Puts a text back after a menu or a tooltip; ignored while the frame holds WF_NOPOPMSG.
#define WM_POPMESSAGESTRING 0x0375
// Messages a parent reflects back to the child control that sent them arrive at the control as
// WM_REFLECT_BASE + the original message (0xBC4E for WM_NOTIFY, 0xBC11 for WM_COMMAND).
#define WM_REFLECT_BASE 0xBC00
// All WM_CTLCOLORxxx messages are routed to one map entry with the control type as parameter, under
// the retired 16-bit number of the message (never sent as such).
#define WM_CTLCOLOR 0x0019

// ids: control
// Window ids of the frame's parts.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_REBAR 0xE804
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_PANE_LAST 0xE9FF

// ids: string
// The status bar's idle text ("Ready" in the program's strings).
#define AFX_IDS_IDLEMESSAGE 0xE001

// ids: command
// Standard edit commands (the edit controls of the command bars carry them out).
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_PASTE 0xE125
// Commands the frames carry out themselves.
#define ID_HELP 0xE146
#define ID_CONTEXT_HELP 0xE145
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_WINDOW_SPLIT 0xE135
#define AFX_IDM_WINDOW_FIRST 0xE130
#define AFX_IDM_WINDOW_LAST 0xE13F
// The first of the OLE verbs of a menu (the command bars' placeholder item of the verbs).
#define ID_OLE_VERB_FIRST 0xE210
// The MDI client numbers its children's window-menu items from here.
#define AFX_IDM_FIRST_MDICHILD 0xFF00

// ids: help
// Help contexts: a command's is its id plus HID_BASE_COMMAND; a window's (WM_HELPHITTEST) its id
// plus HID_BASE_RESOURCE.
#define HID_BASE_COMMAND 0x00010000UL
#define HID_BASE_RESOURCE 0x00020000UL

#endif
