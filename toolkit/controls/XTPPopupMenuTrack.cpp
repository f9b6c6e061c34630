// The plain system popup behind TrackCommandBarsPopupMenu: right button, no icons.
#include "toolkit/controls/XTPPopupMenuTrack.h"

UINT TrackCommandBarsPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWndOwner, UINT /*nToolBarID*/,
                               BOOL bSendCommand)
{
    if (!pMenu || !pMenu->GetSafeHmenu() || !pWndOwner || !pWndOwner->GetSafeHwnd())
        return 0;
    HWND hOwner = pWndOwner->GetSafeHwnd();
    UINT nCmd = UINT(::TrackPopupMenu(pMenu->GetSafeHmenu(), nFlags | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0,
                                      hOwner, nullptr));
    if (nCmd && bSendCommand && ::IsWindow(hOwner))
        ::SendMessageA(hOwner, WM_COMMAND, MAKEWPARAM(nCmd, 0), 0);
    return nCmd;
}
