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

// A key reaches a tracking bar: sent to the bar's site before the bar acts on it (wParam points to
// a WPARAM holding the virtual-key code, lParam the bar).
constexpr UINT XTP_WM_TRACKINGKEY = 0x285A;
