// Helpers of the menu bar tests: an MDI frame made from the test resource 7200 and its children.
#pragma once

#include "framework/MDIFrameWnd.h"

namespace menubar_test
{
// The test menus: the frame's (7200) and two documents' (7201, 7202).
const UINT kFrameMenu = 7200;
const UINT kSheetMenu = 7201;
const UINT kNoteMenu = 7202;

// Loads frame from 7200, visible, at (0, 0) 640 x 480. FALSE when it could not be made.
bool OpenMDIFrame(CMDIFrameWnd& frame);
// Creates pChild (deleted with its window) in frame with the style and the shared menu; the child's
// window, or null.
HWND OpenMDIChild(CMDIFrameWnd& frame, CMDIChildWnd* pChild, LPCSTR lpszTitle,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, HMENU hMenuShared = nullptr);
// Dispatches the thread's waiting messages.
void Pump();
} // namespace menubar_test
