// TrackCommandBarsPopupMenu: shows a Windows menu as a popup of the command bars with the icons of
// a toolbar resource; the chosen command is sent to the owner window. Until the command bars draw
// their own popups, the body in XTPPopupMenuTrack.cpp shows the plain system popup (no icons).
#pragma once

#include "framework/Menu.h"
#include "framework/Wnd.h"

// pMenu: the popup to show; nFlags: TPM_* flags; x, y: screen point; pWndOwner: receives the
// chosen command as WM_COMMAND; nToolBarID: toolbar resource whose buttons give the icons;
// bSendCommand: 1 sends the command (0 only returns it). Returns the chosen command, 0 for none.
UINT TrackCommandBarsPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWndOwner, UINT nToolBarID,
                               BOOL bSendCommand);
