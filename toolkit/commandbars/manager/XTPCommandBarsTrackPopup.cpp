// CXTPCommandBars: popups run modally (TrackPopupMenu, TrackCommandBarsPopupMenu), the toolbars
// popup and the manager's context menu.
#include "toolkit/commandbars/manager/XTPCommandBars.h"

#include "framework/Menu.h"
#include "framework/WinThread.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControlToolbars.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/common/images/XTPImageManager.h"

#include <vector>

namespace
{
// The modal loop of a tracking popup; FALSE when it ended on WM_QUIT (posted again for the
// loop outside).
void RunPopupLoop(CXTPPopupBar* pPopup)
{
    CXTPMouseManager* pMouse = XTPMouseManager();
    while (pPopup->IsTrackingMode())
    {
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            ::WaitMessage();
            continue;
        }
        if (pMouse->IsClickOutsideTrackedBars(pPopup, msg.message))
        {
            pPopup->SetTrackingMode(FALSE);
            break;
        }
        if (!::GetMessageA(&msg, nullptr, 0, 0))
        {
            // The program is ending: the loop that owns the program's life must see WM_QUIT too.
            pPopup->SetTrackingMode(FALSE);
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!pPopup->IsTrackingMode())
        {
            ::PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            break;
        }
        if (msg.message == WM_KICKIDLE)
            continue;
        if (!AfxPreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}
} // namespace

UINT CXTPCommandBars::TrackPopupMenu(CXTPPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pWndOwner,
                                     LPCRECT lprcExclude)
{
    if (!pPopup)
        return 0;
    const MSG* pCurrent = AfxGetThreadCurrentMessage();
    if (pCurrent && pCurrent->message == WM_CONTEXTMENU && pCurrent->lParam == -1 && pPopup->GetCommandBars())
        pPopup->GetCommandBars()->ShowKeyboardCues(TRUE);

    HWND hWndOwner = pWndOwner ? pWndOwner->GetSafeHwnd() : nullptr;
    if (!hWndOwner)
    {
        CWnd* pSite = pPopup->GetOwnerSite();
        hWndOwner = pSite ? pSite->GetSafeHwnd() : nullptr;
    }
    if (hWndOwner && (::GetWindowLongA(hWndOwner, GWL_EXSTYLE) & (WS_EX_LAYOUTRTL | WS_EX_RIGHT)))
        nFlags |= TPM_RIGHTALIGN;
    if (pWndOwner && pWndOwner->GetSafeHwnd())
        pPopup->SetOwnerWindow(pWndOwner->GetSafeHwnd());
    if (!pPopup->GetCommandBars() && !pPopup->GetSite() && hWndOwner)
        pPopup->SetSiteWindow(hWndOwner);

    // The popup lives until the loop is over whatever its owner does meanwhile.
    pPopup->InternalAddRef();
    UINT nReturn = 0;
    UINT nResult = 1;
    pPopup->m_pReturnCmd = (nFlags & TPM_RETURNCMD) ? &nReturn : nullptr;
    pPopup->m_bRightButton = (nFlags & TPM_RIGHTBUTTON) != 0;
    pPopup->m_bNoNotify = (nFlags & TPM_NONOTIFY) != 0;
    pPopup->m_bRecurse = (nFlags & TPM_RECURSE) != 0;
    DWORD dwAlign = (nFlags & TPM_RIGHTALIGN) ? xtpPopupAlignRight : 0;
    dwAlign |= (nFlags & TPM_BOTTOMALIGN) ? xtpPopupAlignBottom : xtpPopupAlignTop;
    pPopup->SetPopupFlags(dwAlign);

    CXTPMouseManager* pMouse = XTPMouseManager();
    std::vector<CXTPCommandBar*> locked;
    if (nFlags & TPM_RECURSE)
    {
        const CXTPMouseManager::CTrackArray& tracked = pMouse->GetTrackArray();
        for (INT_PTR i = 0; i < tracked.GetSize(); ++i)
        {
            CXTPCommandBar* pBar = tracked[i];
            pBar->InternalAddRef();
            ++pBar->m_nLockRecurse;
            locked.push_back(pBar);
        }
    }
    else
    {
        pMouse->SendTrackLostAll();
        ::ReleaseCapture();
    }

    if (!pPopup->Popup(x, y, lprcExclude))
        nResult = 0;
    else
        RunPopupLoop(pPopup);

    for (CXTPCommandBar* pBar : locked)
    {
        --pBar->m_nLockRecurse;
        pBar->InternalRelease();
    }
    pPopup->m_pReturnCmd = nullptr;
    pPopup->InternalRelease();
    if (!nResult)
        return 0;
    return (nFlags & TPM_RETURNCMD) ? nReturn : 1;
}

UINT CXTPCommandBars::TrackCommandBarsPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWndOwner,
                                                UINT nToolBarID, BOOL bNoNotify)
{
    if (!pMenu || !pMenu->GetSafeHmenu())
        return 0;
    CXTPPaintManager* pPaintManager = CXTPPaintManager::GetGlobal();
    if (!pPaintManager)
    {
        HWND hOwner = pWndOwner ? pWndOwner->GetSafeHwnd() : nullptr;
        return static_cast<UINT>(::TrackPopupMenu(pMenu->GetSafeHmenu(), nFlags | (bNoNotify ? TPM_NONOTIFY : 0), x,
                                                  y, 0, hOwner, nullptr));
    }
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(nullptr);
    if (!pPopup)
        return 0;
    if (static_cast<int>(nToolBarID) > 0)
    {
        CXTPImageManager* pImageManager = new CXTPImageManager();
        UINT* pItems = nullptr;
        int nItems = 0;
        CSize szButton(0, 0);
        if (CXTPImageManager::LoadToolbar(nToolBarID, pItems, nItems, szButton, TRUE))
        {
            std::vector<UINT> commands;
            for (int i = 0; i < nItems; ++i)
            {
                if (pItems[i] != 0)
                    commands.push_back(pItems[i]);
            }
            if (!commands.empty())
                pImageManager->SetIconsFromResourceId(nToolBarID, commands.data(), static_cast<int>(commands.size()),
                                                      szButton.cx, szButton.cy, xtpImageNormal);
            delete[] pItems;
        }
        pPopup->SetImageManager(pImageManager);
    }
    if (pWndOwner && pWndOwner->GetSafeHwnd())
        pPopup->SetSiteWindow(pWndOwner->GetSafeHwnd());
    UINT nResult = 0;
    if (pPopup->LoadMenu(pMenu))
        nResult = TrackPopupMenu(pPopup, nFlags | (bNoNotify ? TPM_NONOTIFY : 0), x, y, pWndOwner);
    pPopup->InternalRelease();
    return nResult;
}

CXTPPopupBar* CXTPCommandBars::GetToolbarsPopup()
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(this);
    if (!pPopup)
        return nullptr;
    pPopup->GetControls()->Add(new CXTPControlToolbars(), XTP_ID_TOOLBARLIST);
    return pPopup;
}

UINT CXTPCommandBars::ContextMenu(WPARAM /*wParam*/, int x, int y)
{
    if (IsCustomizeMode())
        return 0;
    CXTPPopupBar* pPopup = GetToolbarsPopup();
    if (!pPopup)
        return 0;
    // The context menu offers the customise command after the toolbars.
    if (CXTPControlToolbars* pList = DYNAMIC_DOWNCAST(CXTPControlToolbars, pPopup->GetControls()->GetFirst()))
        pList->m_bShowCustomizeItem = TRUE;
    CWnd* pSite = GetSite();
    if (pSite && pSite->GetSafeHwnd())
        ::SendMessageA(pSite->GetSafeHwnd(), XTP_WM_TOOLBARCONTEXTMENU, reinterpret_cast<WPARAM>(pPopup), 0);
    UINT nResult = 0;
    if (pPopup->GetControls()->GetCount() > 0)
    {
        EndAllTracking();
        nResult = TrackPopupMenu(pPopup, IsLayoutRTL() ? TPM_RIGHTALIGN : 0, x, y, pSite);
    }
    pPopup->InternalRelease();
    return nResult;
}
