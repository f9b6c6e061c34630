// CXTPCommandBarEditCtrl: the field's Cut, Copy and Paste context menu, a popup bar run modally.
#include "toolkit/commandbars/controls/XTPCommandBarEditCtrl.h"

#include "framework/FrameworkIds.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/common/resources/XTPResourceManager.h"

BOOL CXTPCommandBarEditCtrl::ShowContextMenu(CXTPControl* pControl, CPoint point)
{
    if (!m_hWnd)
        return FALSE;
    CString strCut;
    if (!GetResourceManager()->LoadString(&strCut, ID_EDIT_CUT))
        return FALSE;

    CXTPCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    CXTPMouseManager* pMouse = XTPMouseManager();
    --pMouse->m_nLock;
    // A selection of the whole text still waiting in the queue happens now.
    MSG msg;
    if (::PeekMessageA(&msg, m_hWnd, EM_SETSEL, EM_SETSEL, PM_REMOVE))
        ::SendMessageA(m_hWnd, EM_SETSEL, 0, -1);

    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(pControl ? pControl->GetCommandBars() : nullptr);
    UINT nCommand = 0;
    if (pPopup)
    {
        struct Item
        {
            UINT nId;
            BOOL bEnabled;
        };
        const Item items[] = {
            {ID_EDIT_CUT, CanCut()}, {ID_EDIT_COPY, CanCopy()}, {ID_EDIT_PASTE, CanPaste()}};
        for (const Item& item : items)
        {
            CXTPControl* pItem = pPopup->GetControls()->AddByType(xtpControlButton, static_cast<int>(item.nId));
            if (!pItem)
                continue;
            if (pItem->GetCaption().IsEmpty())
            {
                // The command's text: "description\ntooltip\ncaption" gives its caption part,
                // "description\ntooltip" its tooltip part.
                CString str;
                if (GetResourceManager()->LoadString(&str, item.nId))
                {
                    CString parts[4];
                    const int nParts = XTPSplitCommandString(str, parts);
                    pItem->SetCaption(nParts >= 3 ? parts[2] : nParts == 2 ? parts[1] : parts[0]);
                }
            }
            pItem->SetEnabled(item.bEnabled);
        }
        UINT nFlags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_RECURSE;
        HWND hWndBar = pBar ? pBar->GetSafeHwnd() : nullptr;
        if (hWndBar && (::GetWindowLongA(hWndBar, GWL_EXSTYLE) & (WS_EX_LAYOUTRTL | WS_EX_RIGHT)))
            nFlags |= TPM_RIGHTALIGN;
        nCommand = CXTPCommandBars::TrackPopupMenu(pPopup, nFlags, point.x, point.y, this);
        if (nCommand)
            OnCommand(nCommand, 0);
        pPopup->InternalRelease();
    }
    ++pMouse->m_nLock;
    if (pBar && pBar->GetSafeHwnd())
    {
        pBar->Redraw();
        ::UpdateWindow(pBar->GetSafeHwnd());
    }
    return TRUE;
}
