// The keyboard and close rules every harness dialog base follows: F1 asks for help, Escape in a multi-line
// edit box cancels, only Tab, Enter, Escape and access keys reach the dialog manager, and a close request
// enables Cancel and Close before it posts WM_CLOSE. The fixed-size and resizable bases differ only in the
// rules they pass (whether dialog keys are on, whether Tab moves the focus, whether Enter stays in a box
// that wants it).
#pragma once

#include <windows.h>

class CWnd;

struct CHarnessDialogKeyRules
{
    bool dialogKeys = true;              // false: no key reaches the dialog manager
    bool tabNavigation = true;           // Tab moves the focus between controls
    bool enterStaysInWantReturn = false; // Enter stays in a control with ES_WANTRETURN
};

// The steps of the harness dialogs' key pre-translation that come before their own filter: TRUE or FALSE
// when the message is decided, -1 when the dialog's FilterDialogInput decides.
int PreTranslateHarnessDialogMessage(CWnd* dialog, MSG* pMsg);
// True for keyboard (0x100-0x109) and mouse (0x200-0x209) messages.
bool IsHarnessDialogInput(const MSG* pMsg);
// Tab, Enter and Escape key-downs for a window other than the dialog go to IsDialogMessage, as the rules
// allow, and so do the characters of access keys (WM_SYSCHAR, WM_CHAR); FALSE for everything else, so that
// arrows and all other keys reach the controls untranslated.
BOOL HandleHarnessDialogKey(HWND dialog, MSG* pMsg, const CHarnessDialogKeyRules& rules);
// Enables Cancel (2) and Close (8) of the dialog where they exist, then posts WM_CLOSE to it.
BOOL CloseHarnessDialog(CWnd* dialog);
