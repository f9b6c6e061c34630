// Ids of the command bars: private messages sent to a bar's site or owner window, timers, the
// notification codes of controls, and the commands and cursors no resource script carries. The
// command bars' commands, prompts and pictures that the toolkit's resource scripts carry are in
// toolkit/common/XTPResourceIds.h (included here). Blocks: docs/ids.md; the "// ids: <kind>" lines
// mark the kind of the constants after them.
#pragma once

#include "toolkit/common/XTPResourceIds.h"

#include <windows.h>

// ids: message
// A control is about to be made from a menu item (lParam an XTP_COMMANDBARS_CREATECONTROL the site
// may change or fill with a finished control), and was made (the finished record).
constexpr UINT XTP_WM_CONTROL_CREATE = 0x285E;
constexpr UINT XTP_WM_CONTROL_CREATED = 0x285F;
// A control notifies its bar's owner window (wParam the command id, lParam an NMXTPCONTROL).
constexpr UINT XTP_WM_CONTROL_NOTIFY_MESSAGE = 0x2862;

// Messages a command bar sends to its site (wParam, lParam as noted).
// The hot control changed (the control, or 0 when none; 0).
constexpr UINT XTP_WM_CONTROLSELECTED = 0x2856;
// A menu bar entered tracking mode (the bar; 0).
constexpr UINT XTP_WM_TRACKINGSTARTED = 0x2858;
// The right button was released over a control (pointer to the client point; the control); an
// answer of 1 means the site handled it.
constexpr UINT XTP_WM_CONTROLRBUTTONUP = 0x2859;
// A key reached a tracking bar (pointer to the key's WPARAM; the bar); non-zero takes the key.
constexpr UINT XTP_WM_TRACKINGKEY = 0x285A;
// A popup bar is about to open (0; the popup) and left tracking mode (0; the popup).
constexpr UINT XTP_WM_POPUPBAR_OPENING = 0x285B;
constexpr UINT XTP_WM_POPUPBAR_CLOSED = 0x285D;
// The control selected for customisation changed (sent to the customise dialog, else the site).
constexpr UINT XTP_WM_DRAG_CONTROL_CHANGED = 0x2857;

// Toolbars and docking.
// A toolbar was shown or hidden (the bar; the new state).
constexpr UINT XTP_WM_TOOLBARVISIBLECHANGED = 0x2855;
// A command bar is about to be made (0; an XTP_COMMANDBARS_CREATEBAR the site may fill): the
// expand popup of a toolbar, toolbars made by the user and the popup bars of popup controls.
constexpr UINT XTP_WM_CREATECOMMANDBAR_REQUEST = 0x2861;
// A toolbar put its original controls back (the bar; 0). A menu bar reset to its menu resource
// sends it with wParam 0 and lParam the bar.
constexpr UINT XTP_WM_TOOLBARRESET = 0x2864;

// Menu bar: it asks an MDI child for the icon of its system-menu popup (answer an HICON, 0 for the
// window's own).
constexpr UINT XTP_WM_GETMDICHILDICON = 0x2860;

// Popup bars, the popup control and the manager's modal popups.
// The toolbars context menu is about to show (the popup bar; 0); the site may add to it.
constexpr UINT XTP_WM_TOOLBARCONTEXTMENU = 0x285C;
// A popup was torn off (the shown toolbar; the popup), sent to the site.
constexpr UINT XTP_WM_TEAROFFPOPUP = 0x2867;
// Posted to a combo's edit part when the shell's suggestion list shows: the combo's own list closes.
constexpr UINT XTP_WM_COMBO_CLOSELIST = 0x2872;

// ids: code
// Notification code of a control that executes.
constexpr int XTP_CN_EXECUTE_CODE = 100;
// Edit fields: a spin step up or down (with an NMXTPUPDOWN), the buddy button clicked.
constexpr int XTP_FN_SPINUP = 4104;
constexpr int XTP_FN_SPINDOWN = 4105;
constexpr int XTP_FN_BUDDYBUTTONCLICK = 4106;
// The command-UI code with which the bar first asks itself about an update (id 0).
constexpr int XTP_CN_UPDATE_BAR = static_cast<int>(0xBD11FFFF);

// ids: timer
// The mouse manager's mouse-leave timer (50 ms) on the tracked window.
constexpr UINT_PTR XTP_TID_MOUSELEAVE = 113341;
// Timers of a command bar: hover (300 ms), full menus after a delay (5000 ms), keyboard tips.
constexpr UINT_PTR XTP_TID_HOVER = 112223;
constexpr UINT_PTR XTP_TID_EXPAND = 112224;
constexpr UINT_PTR XTP_TID_SHOWKEYBOARDTIPS = 52426;
// A held button repeats its command on this timer (at its execute-on-press interval).
constexpr UINT_PTR XTP_TID_AUTOREPEAT = 4269;
// A held spin button of an edit field (first repeat after 530 ms, then every 100 ms).
constexpr UINT_PTR XTP_TID_EDIT_SPIN = 435;
// Scroll bars: the line and page repeat of a tracking loop, and the owner's animation tick.
constexpr UINT_PTR XTP_TID_SCROLLBAR_REPEAT = 23345;
constexpr UINT_PTR XTP_TID_SCROLLBAR_ANIMATION = 23346;
// Step timer of the bar's animations, on the bar (see XTPCommandBarAnimation.h).
constexpr UINT_PTR XTP_TID_COMMANDBAR_ANIMATION = 707907;
// Menu bar: the bar posts itself this WM_TIMER id to bring its MDI controls up to date after the
// frame's message is done.
constexpr UINT_PTR XTP_TID_MENUBAR_REFRESH = 12223;
// Frame hook, on the site frame: the system frame is recalculated 100 ms after a z-order change; the
// hot caption button is watched every 50 ms.
constexpr UINT_PTR XTP_TID_FRAMEHOOK_REORDER = 44241;
constexpr UINT_PTR XTP_TID_FRAMEHOOK_HOT = 44209;
// Timers of a popup bar: scroll down and up (80 ms), expand-area hover (80 ms), expand button held
// hot (900 ms).
constexpr UINT_PTR XTP_TID_POPUP_SCROLLDOWN = 5001;
constexpr UINT_PTR XTP_TID_POPUP_SCROLLUP = 5002;
constexpr UINT_PTR XTP_TID_POPUP_EXPANDHOVER = 5003;
constexpr UINT_PTR XTP_TID_POPUP_EXPANDDELAY = 5004;

// ids: command
// The expand button of a popup with hidden rarely used commands (a second name of the command
// whose string the toolkit's script carries).
constexpr int XTP_ID_POPUPBAR_EXPAND = ID_TK_POPUP_EXPAND;
// The list-of-toolbars placeholder of the toolbars context menu (the number of the framework's
// toolbar window, so that a program's toolbar item becomes the list).
constexpr int XTP_ID_TOOLBARLIST = 0xE800;
// Commands no action is created for: the window list, customise, the workspace actions and the
// recent-file list.
constexpr int ID_TK_WINDOW_LIST = 35000;
constexpr int ID_TK_CUSTOMIZE = 35001;
constexpr int ID_TK_WORKSPACE_ACTIONS = 35002;
constexpr int ID_TK_RECENT_FILE_LIST = 35003;

// ids: resource
// Cursors of customisation by drag and drop (no resource script carries them yet).
constexpr UINT IDC_TK_DRAG_COPY = 9105;
constexpr UINT IDC_TK_DRAG_MOVE = 9106;
constexpr UINT IDC_TK_DRAG_NONE = 9107;

class CXTPCommandBar;
struct CRuntimeClass;
// Filled by the site on XTP_WM_CREATECOMMANDBAR_REQUEST.
struct XTP_COMMANDBARS_CREATEBAR
{
    CXTPCommandBar* pCommandBar; // the bar being made; the site may adjust it (or, for the expand
                                 // popup, supply one)
    LPCSTR lpcstrCaption;
    UINT nID;
    BOOL bFloating;
    BOOL bExpandBar;             // the expand popup of a toolbar
    BOOL bCustomBar;             // a toolbar made by the user
    BOOL bPopup;
    CRuntimeClass* pRuntimeClass; // the class of bar asked for (popups of controls)
};
