// CXTPCommandBars: the four dock bars and the docking of toolbars (docking, floating, finding the
// dock bar under a point), toolbars made by the user, and what the expand popup of a toolbar shows
// of its row (the pushed-out controls and one check entry per toolbar).
#include "toolkit/commandbars/manager/XTPCommandBars.h"

#include "framework/Exceptions.h"
#include "framework/FrameworkIds.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControlPopup.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/docking/XTPDockBar.h"
#include "toolkit/commandbars/docking/XTPDockContext.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"

namespace
{
struct DockBarSpec
{
    UINT nID;
    DWORD dwAlign;
};
// Top, bottom, left, right: the frame's dock-bar ids and their alignment styles.
const DockBarSpec kDockBars[4] = {{AFX_IDW_DOCKBAR_TOP, 0x2800},
                                  {AFX_IDW_DOCKBAR_BOTTOM, 0x8200},
                                  {AFX_IDW_DOCKBAR_LEFT, 0x1400},
                                  {AFX_IDW_DOCKBAR_RIGHT, 0x4100}};
const DWORD kDockBarWindowStyle = 0x56000000;
// A point this close to a dock bar (pixels) docks into it.
const int kDockDistance = 20;

// The toolbars of the toolbar's dock row (the toolbar alone when it is not docked).
void RowToolBars(CXTPToolBar* pToolBar, CArray<CXTPToolBar*, CXTPToolBar*>& arrBars)
{
    CXTPDockBar* pDockBar = pToolBar->GetDockBar();
    const int nIndex = pDockBar ? pDockBar->FindBar(pToolBar) : -1;
    if (nIndex > 0)
        pDockBar->GetRowBarsInOrder(nIndex, arrBars);
    if (arrBars.GetSize() == 0)
        arrBars.Add(pToolBar);
}
} // namespace

void CXTPCommandBars::EnableDocking()
{
    CWnd* pSite = GetSite();
    for (int i = 0; i < 4; ++i)
    {
        if (m_pDocks[i])
            continue;
        CXTPDockBar* pDockBar = static_cast<CXTPDockBar*>(RUNTIME_CLASS(CXTPDockBar)->CreateObject());
        pDockBar->SetCommandBars(this);
        if (!pDockBar->Create(pSite, kDockBarWindowStyle | kDockBars[i].dwAlign, kDockBars[i].nID))
        {
            delete pDockBar;
            AfxThrowResourceException();
        }
        m_pDocks[i] = pDockBar;
    }
}

void CXTPCommandBars::DestroyDockBars()
{
    for (int i = 0; i < 4; ++i)
    {
        delete m_pDocks[i];
        m_pDocks[i] = nullptr;
    }
}

CXTPDockBar* CXTPCommandBars::GetDockBar(int nPosition) const
{
    return nPosition >= 0 && nPosition < 4 ? m_pDocks[nPosition] : nullptr;
}

BOOL CXTPCommandBars::DockCommandBar(CXTPToolBar* pBar, int nPosition)
{
    return DockCommandBar(pBar, nullptr, GetDockBar(nPosition));
}

BOOL CXTPCommandBars::DockCommandBar(CXTPToolBar* pBar, LPCRECT lpRect, CXTPDockBar* pDockBar)
{
    if (!pBar || !pDockBar || !pDockBar->GetSafeHwnd())
        return FALSE;
    if (!pBar->CreateBarWindow(pDockBar, FALSE))
        return FALSE;
    pDockBar->DockCommandBar(pBar, lpRect);
    pBar->CXTPCommandBar::SetPosition(pDockBar->GetPosition());
    return TRUE;
}

BOOL CXTPCommandBars::FloatCommandBar(CXTPToolBar* pBar)
{
    if (!pBar || !pBar->CreateBarWindow(GetSite(), TRUE))
        return FALSE;
    if (pBar->GetDockBar())
        pBar->GetDockBar()->RemoveCommandBar(pBar);
    pBar->CXTPCommandBar::SetPosition(xtpBarFloating);
    pBar->DelayLayout();
    pBar->OnRecalcLayout();
    return TRUE;
}

CXTPDockBar* CXTPCommandBars::FindDockBarAtPoint(CPoint ptScreen, CXTPDockBar* pCurrent) const
{
    CXTPDockBar* arrOrder[5] = {pCurrent, m_pDocks[0], m_pDocks[1], m_pDocks[2], m_pDocks[3]};
    for (CXTPDockBar* pDockBar : arrOrder)
    {
        if (!pDockBar || !pDockBar->GetSafeHwnd())
            continue;
        CRect rc;
        ::GetWindowRect(pDockBar->GetSafeHwnd(), &rc);
        rc.InflateRect(kDockDistance, kDockDistance);
        if (ptScreen.x > rc.left && ptScreen.x < rc.right && ptScreen.y > rc.top && ptScreen.y < rc.bottom)
            return pDockBar;
    }
    return nullptr;
}

CXTPToolBar* CXTPCommandBars::AddCustomBar(LPCSTR lpszTitle, UINT nID, BOOL bFloating)
{
    CXTPToolBar* pBar = new CXTPToolBar();
    pBar->SetCommandBars(this);
    XTP_COMMANDBARS_CREATEBAR cs = {};
    cs.pCommandBar = pBar;
    cs.lpcstrCaption = lpszTitle;
    cs.nID = nID;
    cs.bFloating = bFloating;
    cs.bCustomBar = TRUE;
    CWnd* pSite = GetSite();
    if (pSite && pSite->GetSafeHwnd())
        ::SendMessageA(pSite->GetSafeHwnd(), XTP_WM_CREATECOMMANDBAR_REQUEST, 0, reinterpret_cast<LPARAM>(&cs));
    pBar->SetTitle(lpszTitle ? lpszTitle : "");
    const BOOL bCreated = bFloating ? FloatCommandBar(pBar) : DockCommandBar(pBar, xtpBarTop);
    if (!bCreated)
    {
        pBar->OnRemoved();
        pBar->InternalRelease();
        return nullptr;
    }
    m_arrBars.Add(pBar);
    pBar->SetBarID(nID);
    pBar->SetBuiltIn(FALSE);
    if (!bFloating)
        RecalcFrameLayout(FALSE);
    AddRebarBand(pBar);
    return pBar;
}

void CXTPCommandBars::GetHiddenControls(CXTPToolBar* pToolBar, CXTPCommandBar* pExpandBar)
{
    if (!pToolBar || !pExpandBar)
        return;
    CArray<CXTPToolBar*, CXTPToolBar*> arrBars;
    RowToolBars(pToolBar, arrBars);
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i)
        arrBars[i]->CopyOverflowControls(pExpandBar);
}

void CXTPCommandBars::AddCustomizeEntries(CXTPToolBar* pToolBar, CXTPCommandBar* pExpandBar)
{
    if (!pToolBar || !pExpandBar)
        return;
    CArray<CXTPToolBar*, CXTPToolBar*> arrBars;
    RowToolBars(pToolBar, arrBars);
    CXTPControls* pControls = pExpandBar->GetControls();
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i)
    {
        CXTPToolBar* pBar = arrBars[i];
        CXTPControl* pEntry = pControls->AddByType(xtpControlPopup, 0, nullptr, -1, TRUE);
        if (!pEntry)
            continue;
        CString strCaption = pBar->GetTitle();
        strCaption.Replace("&", "&&");
        pEntry->SetCaption(strCaption);
        pEntry->SetFlags(xtpFlagManualUpdate);
        pEntry->SetChecked(pBar->IsVisible());
        if (m_bCustomizable && pBar->IsCustomizable() && pBar->IsExpandButtonVisible())
            AttachAddRemoveList(pBar, pEntry);
    }
    if (m_bCustomizable)
    {
        CXTPControl* pCustomize = pControls->Add(new CXTPControlButton(), ID_TK_CUSTOMIZE, nullptr, -1, TRUE);
        if (pCustomize)
            pCustomize->SetBeginGroup(TRUE);
    }
}

void CXTPCommandBars::AttachAddRemoveList(CXTPToolBar* pBar, CXTPControl* pEntry)
{
    // The row entry opens the bar's "Add or Remove Buttons" list.
    CXTPControlPopup* pPopupEntry = dynamic_cast<CXTPControlPopup*>(pEntry);
    if (!pPopupEntry)
        return;
    CXTPPopupBar* pList = CXTPPopupBar::CreatePopupBar(this);
    if (!pList)
        return;
    pBar->FillAddRemoveButtonsPopup(pList);
    pPopupEntry->SetCommandBar(pList);
    pList->InternalRelease();
}
