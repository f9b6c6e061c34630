// Putting a text on the clipboard and opening the program's help file in a window sized to the desktop.
#pragma once

#include <windows.h>

#include "foundation/DravikString.h"

// Replaces the clipboard's content with the text: CF_UNICODETEXT for a wide string, CF_TEXT for an 8-bit
// one. FALSE for an empty text or when the clipboard cannot be opened or the memory had.
bool CopyTextToClipboard(HWND owner, CDravikString text);

// Where the help window goes on a desktop client area of desktopWidth x desktopHeight: width 1170 above
// 1369 pixels of desktop width, else desktop width - 200; height 800 above 999, else desktop height - 200;
// centred, never at a negative position. False (nothing to move) when the width or height is not above 0.
bool ComputeHelpWindowRect(int desktopWidth, int desktopHeight, RECT* placement);

// Opens the help file at the topic (context id; 0: the default topic) through HTML Help (hhctrl.ocx,
// loaded on first use) and sizes and centres its window. False for an empty file name, without HTML Help or
// when no window opened.
bool OpenHelpWindow(CDravikString helpFile, DWORD topic);
