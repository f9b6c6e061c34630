// The manager's bar layout in the profile: where each bar is, the rows of the four dock bars and
// the status bar (SaveBarState / LoadBarState and their steps).
#include "toolkit/commandbars/manager/XTPCommandBars.h"

#include "framework/WinApp.h"
#include "toolkit/commandbars/bars/XTPStatusBar.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "toolkit/commandbars/docking/XTPDockBar.h"
#include "toolkit/commandbars/docking/XTPDockContext.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/persistence/XTPBarLayoutState.h"

#include <set>
#include <vector>

namespace
{
CString DockBarSection(LPCSTR lpszProfileName, int nIndex)
{
    CString strSection;
    strSection.Format("%s-DockBar%d", lpszProfileName ? lpszProfileName : "", nIndex);
    return strSection;
}

// Appends a row separator unless the rows already end with one.
void AppendSeparator(CXTPDockBarRowArray& rows)
{
    if (rows.GetSize() == 0 || rows[rows.GetSize() - 1] != nullptr)
        rows.Add(nullptr);
}
} // namespace

// ---------------------------------------------------------------- records of the bars

void CXTPCommandBars::GetBarInfo(CXTPBarLayoutState* pState) const
{
    if (!pState)
        return;
    pState->RemoveAll();
    for (int i = 0; i < GetCount(); ++i)
    {
        CXTPToolBar* pBar = dynamic_cast<CXTPToolBar*>(GetAt(i));
        if (!pBar)
            continue;
        CXTPToolBar::CToolBarInfo* pInfo = new CXTPToolBar::CToolBarInfo();
        pInfo->m_pBar = pBar;
        pInfo->m_nBarID = pBar->GetBarID();
        pInfo->m_bVisible = pBar->IsVisible();
        pInfo->m_nMRUWidth = pBar->GetWidthLimit();
        pInfo->m_bFloating = pBar->GetPosition() == xtpBarFloating;
        if (pBar->GetSafeHwnd())
        {
            CRect rc;
            ::GetWindowRect(pBar->GetSafeHwnd(), &rc);
            CXTPDockBar* pDockBar = pBar->GetDockBar();
            if (!pInfo->m_bFloating && pDockBar && pDockBar->GetSafeHwnd())
                pDockBar->ScreenToClient(&rc);
            pInfo->m_pointPos = rc.TopLeft();
        }
        if (CXTPDockContext* pContext = pBar->GetDockContext())
        {
            pInfo->m_uMRUDockID = pContext->GetDockBarIndex();
            pInfo->m_rectMRUDockPos = pContext->GetDockedRect();
            pInfo->m_ptMRUFloatPos = pContext->GetFloatingPos();
        }
        pInfo->m_bDialogBar = pBar->GetDialogBarClientSizes(pInfo->m_szDockingClient, pInfo->m_szFloatingClient);
        pState->Add(pInfo);
    }
}

void CXTPCommandBars::SetBarInfo(CXTPBarLayoutState* pState)
{
    if (!pState)
        return;
    for (int i = 0; i < pState->GetCount(); ++i)
    {
        CXTPToolBar::CToolBarInfo* pInfo = pState->GetAt(i);
        CXTPToolBar* pBar = dynamic_cast<CXTPToolBar*>(GetToolBar(pInfo->m_nBarID));
        if (!pBar)
            continue;
        pInfo->m_pBar = pBar;
        if (pInfo->m_bFloating)
        {
            if (!FloatCommandBar(pBar))
                continue;
        }
        else if (!pBar->GetSafeHwnd() && !pBar->CreateBarWindow(GetSite(), FALSE))
        {
            continue;
        }

        pBar->SetWidthLimit(pInfo->m_nMRUWidth);
        if (pInfo->m_bDialogBar)
            pBar->SetDialogBarClientSizes(pInfo->m_szDockingClient, pInfo->m_szFloatingClient);
        if (CXTPDockContext* pContext = pBar->GetDockContext())
        {
            pContext->SetDockBarIndex(pInfo->m_uMRUDockID);
            pContext->SetDockedRect(pInfo->m_rectMRUDockPos);
            pContext->SetFloatingPos(pInfo->m_ptMRUFloatPos);
        }

        UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (!pInfo->m_bFloating)
            nFlags |= pBar->IsDocked() ? SWP_NOSIZE : (SWP_NOSIZE | SWP_NOMOVE);
        nFlags |= pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
        CRect rcWindow;
        ::GetWindowRect(pBar->GetSafeHwnd(), &rcWindow);
        ::SetWindowPos(pBar->GetSafeHwnd(), nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, rcWindow.Width(),
                       rcWindow.Height(), nFlags);

        pBar->SetVisible(pInfo->m_bVisible);
        if (pInfo->m_bFloating && pBar->GetSafeHwnd())
        {
            pBar->DelayLayout();
            pBar->OnRecalcLayout();
        }
    }
}

// ---------------------------------------------------------------- dock bar rows

void CXTPCommandBars::SaveDockBarState(LPCSTR lpszProfileName) const
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    for (int nDock = 0; nDock < 4; ++nDock)
    {
        const CString strSection = DockBarSection(lpszProfileName, nDock);
        pApp->WriteProfileString(strSection, nullptr, nullptr);
        CXTPDockBar* pDockBar = GetDockBar(nDock);
        if (!pDockBar || pDockBar->GetRows().GetSize() <= 1)
            continue;
        const CXTPDockBarRowArray& rows = pDockBar->GetRows();
        int nWritten = 0;
        for (INT_PTR i = 0; i < rows.GetSize(); ++i)
        {
            if (i > 0 && rows[i] == nullptr && rows[i - 1] == nullptr)
                continue;
            CString strEntry;
            strEntry.Format("Bar#%d", nWritten++);
            pApp->WriteProfileInt(strSection, strEntry, rows[i] ? static_cast<int>(rows[i]->GetBarID()) : 0);
        }
        pApp->WriteProfileInt(strSection, "Bars", nWritten);
    }
}

void CXTPCommandBars::LoadDockBarState(LPCSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    // The saved entries of every dock bar first; a damaged count loads nothing at all.
    std::vector<UINT> entries[4];
    std::set<CXTPToolBar*> mentioned;
    for (int nDock = 0; nDock < 4; ++nDock)
    {
        if (!GetDockBar(nDock))
            continue;
        const CString strSection = DockBarSection(lpszProfileName, nDock);
        const int nCount = static_cast<int>(pApp->GetProfileInt(strSection, "Bars", 0));
        if (nCount < 0 || nCount > 2 * XTP_BAR_LAYOUT_MAX_BARS + 1)
            return;
        if (nCount <= 1)
            continue;
        for (int i = 0; i < nCount; ++i)
        {
            CString strEntry;
            strEntry.Format("Bar#%d", i);
            const UINT nID = static_cast<UINT>(pApp->GetProfileInt(strSection, strEntry, 0));
            entries[nDock].push_back(nID);
            if (CXTPToolBar* pBar = dynamic_cast<CXTPToolBar*>(GetToolBar(nID)))
                mentioned.insert(pBar);
        }
    }

    // New rows: the saved entries (unknown and repeated ids skipped, separators never doubled),
    // then the rows of the bars the file does not mention, as they were.
    CXTPDockBarRowArray newRows[4];
    std::set<CXTPToolBar*> placed;
    for (int nDock = 0; nDock < 4; ++nDock)
    {
        CXTPDockBar* pDockBar = GetDockBar(nDock);
        if (!pDockBar)
            continue;
        CXTPDockBarRowArray& rows = newRows[nDock];
        rows.Add(nullptr);
        for (UINT nID : entries[nDock])
        {
            if (nID == 0)
            {
                AppendSeparator(rows);
                continue;
            }
            CXTPToolBar* pBar = dynamic_cast<CXTPToolBar*>(GetToolBar(nID));
            if (!pBar || placed.count(pBar))
                continue;
            placed.insert(pBar);
            rows.Add(pBar);
        }
        const CXTPDockBarRowArray& oldRows = pDockBar->GetRows();
        for (INT_PTR i = 0; i < oldRows.GetSize(); ++i)
        {
            CXTPToolBar* pBar = oldRows[i];
            if (!pBar)
            {
                AppendSeparator(rows);
                continue;
            }
            if (mentioned.count(pBar) || placed.count(pBar))
                continue;
            if (rows[rows.GetSize() - 1] != nullptr && (i == 0 || oldRows[i - 1] == nullptr))
                rows.Add(nullptr); // a row of its own, as it was
            placed.insert(pBar);
            rows.Add(pBar);
        }
        if (rows.GetSize() > 1)
            AppendSeparator(rows);
    }

    // Bars that leave a dock bar for another one (or come from floating) move their windows there.
    for (int nDock = 0; nDock < 4; ++nDock)
    {
        CXTPDockBar* pDockBar = GetDockBar(nDock);
        if (!pDockBar)
            continue;
        for (INT_PTR i = 0; i < newRows[nDock].GetSize(); ++i)
        {
            CXTPToolBar* pBar = newRows[nDock][i];
            if (!pBar)
                continue;
            if (!pBar->GetSafeHwnd() || ::GetParent(pBar->GetSafeHwnd()) != pDockBar->GetSafeHwnd() ||
                (::GetWindowLongPtrA(pBar->GetSafeHwnd(), GWL_STYLE) & WS_POPUP))
                pBar->CreateBarWindow(pDockBar, FALSE);
            pBar->SetDockBar(pDockBar);
            pBar->CXTPCommandBar::SetPosition(pDockBar->GetPosition());
        }
    }
    for (int nDock = 0; nDock < 4; ++nDock)
    {
        if (CXTPDockBar* pDockBar = GetDockBar(nDock))
            pDockBar->SetRows(newRows[nDock]);
    }
}

// ---------------------------------------------------------------- status bar

CXTPStatusBar* CXTPCommandBars::GetStatusBar() const
{
    CWnd* pSite = GetSite();
    if (!pSite || !pSite->GetSafeHwnd())
        return nullptr;
    HWND hWnd = ::GetDlgItem(pSite->GetSafeHwnd(), AFX_IDW_STATUS_BAR);
    return dynamic_cast<CXTPStatusBar*>(CWnd::FromHandlePermanent(hWnd));
}

// ---------------------------------------------------------------- save and load orders

void CXTPCommandBars::SaveBarState(LPCSTR lpszProfileName, BOOL bOnlyCustomized)
{
    SetTemporarilyHidden(nullptr);
    {
        CXTPBarLayoutState state;
        GetBarInfo(&state);
        state.SaveState(lpszProfileName);
    }
    SaveDockBarState(lpszProfileName);
    if (CXTPStatusBar* pStatusBar = GetStatusBar())
        pStatusBar->SaveState(lpszProfileName);
    else if (CWinApp* pApp = AfxGetApp())
        pApp->WriteProfileString(lpszProfileName, "StatusBar", nullptr);
    if (IsCustomizable())
        SaveControls(lpszProfileName, bOnlyCustomized);
    m_pOptions->bDirtyState = FALSE;
}

void CXTPCommandBars::LoadBarState(LPCSTR lpszProfileName, BOOL bSilent)
{
    if (IsCustomizable())
        LoadControls(lpszProfileName, bSilent);
    {
        CXTPBarLayoutState state;
        const BOOL bLoaded = state.LoadState(lpszProfileName);
        if (bLoaded)
            LoadDockBarState(lpszProfileName);
        SetBarInfo(&state);
    }
    if (CXTPStatusBar* pStatusBar = GetStatusBar())
        pStatusBar->LoadState(lpszProfileName);
    RecalcFrameLayout(TRUE);
    m_pOptions->bDirtyState = FALSE;
}
