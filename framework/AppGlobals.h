// Process-wide helpers of the window side: the module that resources come from, and message
// boxes captioned with the application's name.
#pragma once

#include <windows.h>

// AfxGetResourceHandle / AfxSetResourceHandle (the module resources are loaded from) live with
// the string class, which loads string-table entries through them.
#include "framework/FrameworkString.h"

// The module holding the resource: the resource module if it has it, else the program; the
// resource module when neither has it (so the caller's load fails there with a clear error).
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);

// MessageBoxA owned by the active window (or the main window), captioned with the app name.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The same with a string-table entry as text (an empty text when the entry is missing).
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// The caption of message boxes: the application's name, else the program's file name.
LPCSTR AfxGetAppName();
