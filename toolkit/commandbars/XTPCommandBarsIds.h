// Ids of the command bars: private messages sent to a bar's site or owner window, timers and the
// notification codes of controls. Registered in docs/ids.md (toolkit block).
#pragma once

#include <windows.h>

// A control notifies its bar's owner window (wParam the command id, lParam an NMXTPCONTROL).
constexpr UINT XTP_WM_CONTROL_NOTIFY_MESSAGE = 0x2862;
// Notification code of a control that executes.
constexpr int XTP_CN_EXECUTE_CODE = 100;
// The mouse manager's mouse-leave timer (50 ms) on the tracked window.
constexpr UINT_PTR XTP_TID_MOUSELEAVE = 113341;
