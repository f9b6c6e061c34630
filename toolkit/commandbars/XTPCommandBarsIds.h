// Ids of the command bars: private messages sent to a bar's site or owner window, timers and the
// notification codes of controls. Registered in docs/ids.md (toolkit block).
#pragma once

#include <windows.h>

// A control is about to be made from a menu item (lParam an XTP_COMMANDBARS_CREATECONTROL the site
// may change or fill with a finished control), and was made (the finished record).
constexpr UINT XTP_WM_CONTROL_CREATE = 0x285E;
constexpr UINT XTP_WM_CONTROL_CREATED = 0x285F;
// A control notifies its bar's owner window (wParam the command id, lParam an NMXTPCONTROL).
constexpr UINT XTP_WM_CONTROL_NOTIFY_MESSAGE = 0x2862;
// Notification code of a control that executes.
constexpr int XTP_CN_EXECUTE_CODE = 100;
// The mouse manager's mouse-leave timer (50 ms) on the tracked window.
constexpr UINT_PTR XTP_TID_MOUSELEAVE = 113341;

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
// Timers of a command bar: hover (300 ms), full menus after a delay (5000 ms), keyboard tips.
constexpr UINT_PTR XTP_TID_HOVER = 112223;
constexpr UINT_PTR XTP_TID_EXPAND = 112224;
constexpr UINT_PTR XTP_TID_SHOWKEYBOARDTIPS = 52426;
// A held button repeats its command on this timer (at its execute-on-press interval).
constexpr UINT_PTR XTP_TID_AUTOREPEAT = 4269;
// The control selected for customisation changed (sent to the customise dialog, else the site).
constexpr UINT XTP_WM_DRAG_CONTROL_CHANGED = 0x2857;

// Toolbars and docking.
// A toolbar was shown or hidden (the bar; the new state).
constexpr UINT XTP_WM_TOOLBARVISIBLECHANGED = 0x2855;
// A command bar is about to be made (0; an XTP_COMMANDBARS_CREATEBAR the site may fill): the
// expand popup of a toolbar and toolbars made by the user.
constexpr UINT XTP_WM_CREATECOMMANDBAR_REQUEST = 0x2861;
class CXTPCommandBar;
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
};
// A toolbar put its original controls back (the bar; 0).
constexpr UINT XTP_WM_TOOLBARRESET = 0x2864;
// Popup bars, the popup control and the manager's modal popups.
// The toolbars context menu is about to show (the popup bar; 0); the site may add to it.
constexpr UINT XTP_WM_TOOLBARCONTEXTMENU = 0x285C;
// A popup was torn off (the shown toolbar; the popup), sent to the site.
constexpr UINT XTP_WM_TEAROFFPOPUP = 0x2867;
// The expand button of a popup with hidden rarely used commands.
constexpr int XTP_ID_POPUPBAR_EXPAND = 9150;
// The list-of-toolbars placeholder of the toolbars context menu.
constexpr int XTP_ID_TOOLBARLIST = 0xE800;
// Timers of a popup bar: scroll down and up (80 ms), expand-area hover (80 ms), expand button held
// hot (900 ms).
constexpr UINT_PTR XTP_TID_POPUP_SCROLLDOWN = 5001;
constexpr UINT_PTR XTP_TID_POPUP_SCROLLUP = 5002;
constexpr UINT_PTR XTP_TID_POPUP_EXPANDHOVER = 5003;
constexpr UINT_PTR XTP_TID_POPUP_EXPANDDELAY = 5004;
