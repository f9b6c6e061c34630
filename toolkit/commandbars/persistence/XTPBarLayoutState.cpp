#include "toolkit/commandbars/persistence/XTPBarLayoutState.h"

#include "framework/WinApp.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"

#include <algorithm>

namespace
{
CString BarSection(LPCSTR lpszProfileName, int nIndex)
{
    CString strSection;
    strSection.Format("%s-Bar%d", lpszProfileName ? lpszProfileName : "", nIndex);
    return strSection;
}

CString SummarySection(LPCSTR lpszProfileName)
{
    CString strSection;
    strSection.Format("%s-Summary", lpszProfileName ? lpszProfileName : "");
    return strSection;
}

int ReadInt(CWinApp* pApp, LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    return static_cast<int>(pApp->GetProfileInt(lpszSection, lpszEntry, nDefault));
}
} // namespace

// ---------------------------------------------------------------- one bar's record

BOOL CXTPToolBar::CToolBarInfo::SaveState(LPCSTR lpszProfileName, int nIndex) const
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    const CString strSection = BarSection(lpszProfileName, nIndex);
    pApp->WriteProfileString(strSection, nullptr, nullptr);
    if (!pApp->WriteProfileInt(strSection, "BarID", static_cast<int>(m_nBarID)))
        return FALSE;
    if (!m_bVisible)
        pApp->WriteProfileInt(strSection, "Visible", 0);
    if (m_bFloating)
        pApp->WriteProfileInt(strSection, "Floating", m_bFloating);
    if (m_pointPos.x != -1)
        pApp->WriteProfileInt(strSection, "XPos", m_pointPos.x);
    if (m_pointPos.y != -1)
        pApp->WriteProfileInt(strSection, "YPos", m_pointPos.y);
    if (m_nMRUWidth != 32767)
        pApp->WriteProfileInt(strSection, "MRUWidth", m_nMRUWidth);
    pApp->WriteProfileInt(strSection, "MRUDockID", static_cast<int>(m_uMRUDockID));
    pApp->WriteProfileInt(strSection, "MRUDockLeftPos", m_rectMRUDockPos.left);
    pApp->WriteProfileInt(strSection, "MRUDockTopPos", m_rectMRUDockPos.top);
    pApp->WriteProfileInt(strSection, "MRUDockRightPos", m_rectMRUDockPos.right);
    pApp->WriteProfileInt(strSection, "MRUDockBottomPos", m_rectMRUDockPos.bottom);
    pApp->WriteProfileInt(strSection, "MRUFloatXPos", m_ptMRUFloatPos.x);
    pApp->WriteProfileInt(strSection, "MRUFloatYPos", m_ptMRUFloatPos.y);
    pApp->WriteProfileInt(strSection, "DialogBar", m_bDialogBar);
    if (m_bDialogBar)
    {
        pApp->WriteProfileInt(strSection, "DialogBarDockingClientCx", m_szDockingClient.cx);
        pApp->WriteProfileInt(strSection, "DialogBarDockingClientCy", m_szDockingClient.cy);
        pApp->WriteProfileInt(strSection, "DialogBarFloatingClientCx", m_szFloatingClient.cx);
        pApp->WriteProfileInt(strSection, "DialogBarFloatingClientCy", m_szFloatingClient.cy);
    }
    return TRUE;
}

BOOL CXTPToolBar::CToolBarInfo::LoadState(LPCSTR lpszProfileName, int nIndex, const CXTPBarLayoutState* pState)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    const CString strSection = BarSection(lpszProfileName, nIndex);
    m_nBarID = static_cast<UINT>(ReadInt(pApp, strSection, "BarID", 0));
    m_bVisible = ReadInt(pApp, strSection, "Visible", 1);
    m_bFloating = ReadInt(pApp, strSection, "Floating", 0);
    m_pointPos.x = ReadInt(pApp, strSection, "XPos", -1);
    m_pointPos.y = ReadInt(pApp, strSection, "YPos", -1);
    m_nMRUWidth = ReadInt(pApp, strSection, "MRUWidth", 32767);
    m_uMRUDockID = static_cast<UINT>(ReadInt(pApp, strSection, "MRUDockID", 0));
    m_rectMRUDockPos.left = ReadInt(pApp, strSection, "MRUDockLeftPos", 0);
    m_rectMRUDockPos.top = ReadInt(pApp, strSection, "MRUDockTopPos", 0);
    m_rectMRUDockPos.right = ReadInt(pApp, strSection, "MRUDockRightPos", 0);
    m_rectMRUDockPos.bottom = ReadInt(pApp, strSection, "MRUDockBottomPos", 0);
    m_ptMRUFloatPos.x = ReadInt(pApp, strSection, "MRUFloatXPos", 0);
    m_ptMRUFloatPos.y = ReadInt(pApp, strSection, "MRUFloatYPos", 0);
    m_bDialogBar = ReadInt(pApp, strSection, "DialogBar", 0);
    if (m_bDialogBar)
    {
        m_szDockingClient.cx = ReadInt(pApp, strSection, "DialogBarDockingClientCx", 200);
        m_szDockingClient.cy = ReadInt(pApp, strSection, "DialogBarDockingClientCy", 200);
        m_szFloatingClient.cx = ReadInt(pApp, strSection, "DialogBarFloatingClientCx", 200);
        m_szFloatingClient.cy = ReadInt(pApp, strSection, "DialogBarFloatingClientCy", 200);
    }

    if (pState)
    {
        CXTPCommandBarsSystemQuery* pQuery = GetCommandBarsSystemQuery();
        const CSize szIcon(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
        const BOOL bScale = pState->IsScaling();
        // An unset position (-1, -1) stays unset.
        if (m_pointPos != CPoint(-1, -1))
            m_pointPos = XTPAdaptSavedPoint(m_pointPos, bScale, pState->m_szSavedScreen, pState->m_szScreen,
                                            pQuery->GetWorkArea(m_pointPos), szIcon);
        m_ptMRUFloatPos = XTPAdaptSavedPoint(m_ptMRUFloatPos, bScale, pState->m_szSavedScreen, pState->m_szScreen,
                                             pQuery->GetWorkArea(m_ptMRUFloatPos), szIcon);
        m_rectMRUDockPos =
            XTPAdaptSavedDockRect(m_rectMRUDockPos, bScale, pState->m_szSavedScreen, pState->m_szScreen,
                                  pQuery->GetWorkArea(m_rectMRUDockPos.TopLeft()));
    }
    return TRUE;
}

// ---------------------------------------------------------------- adapting saved places

CPoint XTPAdaptSavedPoint(CPoint pt, BOOL bScale, CSize szSaved, CSize szNow, const RECT& rcWork, CSize szIcon)
{
    if (bScale && szSaved.cx != 0 && szSaved.cy != 0)
    {
        pt.x = ::MulDiv(pt.x, szNow.cx, szSaved.cx);
        pt.y = ::MulDiv(pt.y, szNow.cy, szSaved.cy);
    }
    pt.x = std::min<int>(pt.x, rcWork.right - szIcon.cx);
    pt.y = std::min<int>(pt.y, rcWork.bottom - szIcon.cy);
    return pt;
}

CRect XTPAdaptSavedDockRect(const CRect& rcSaved, BOOL bScale, CSize szSaved, CSize szNow, const RECT& rcWork)
{
    CRect rc = rcSaved;
    if (bScale && szSaved.cx != 0 && szSaved.cy != 0)
    {
        const CPoint ptScaled(::MulDiv(rc.left, szNow.cx, szSaved.cx), ::MulDiv(rc.top, szNow.cy, szSaved.cy));
        rc.OffsetRect(ptScaled.x - rc.left, ptScaled.y - rc.top);
    }
    if (rc.left > rcWork.right)
        rc.OffsetRect(rcWork.right - rc.left, 0);
    if (rc.top > rcWork.bottom)
        rc.OffsetRect(0, rcWork.bottom - rc.top);
    return rc;
}

// ---------------------------------------------------------------- the state

CXTPBarLayoutState::CXTPBarLayoutState()
{
    const SIZE sz = GetCommandBarsSystemQuery()->GetScreenSize();
    m_szScreen = CSize(sz.cx, sz.cy);
}

CXTPBarLayoutState::~CXTPBarLayoutState()
{
    RemoveAll();
}

CXTPToolBar::CToolBarInfo* CXTPBarLayoutState::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrBarInfo[nIndex] : nullptr;
}

void CXTPBarLayoutState::RemoveAll()
{
    for (int i = 0; i < GetCount(); ++i)
        delete m_arrBarInfo[i];
    m_arrBarInfo.RemoveAll();
}

void CXTPBarLayoutState::SetSavedScreen(CSize szSaved)
{
    m_szSavedScreen = szSaved;
    m_bScaling = szSaved.cx != 0 && szSaved.cy != 0 && szSaved != m_szScreen;
}

void CXTPBarLayoutState::SaveState(LPCSTR lpszProfileName) const
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    int nWritten = 0;
    for (int i = 0; i < GetCount(); ++i)
    {
        if (m_arrBarInfo[i]->SaveState(lpszProfileName, nWritten))
            ++nWritten;
    }
    const CString strSection = SummarySection(lpszProfileName);
    pApp->WriteProfileInt(strSection, "Bars", nWritten);
    pApp->WriteProfileInt(strSection, "ScreenCX", m_szScreen.cx);
    pApp->WriteProfileInt(strSection, "ScreenCY", m_szScreen.cy);
}

BOOL CXTPBarLayoutState::LoadState(LPCSTR lpszProfileName)
{
    RemoveAll();
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    const CString strSection = SummarySection(lpszProfileName);
    const int nBars = ReadInt(pApp, strSection, "Bars", 0);
    SetSavedScreen(CSize(ReadInt(pApp, strSection, "ScreenCX", 0), ReadInt(pApp, strSection, "ScreenCY", 0)));
    if (nBars < 0 || nBars > XTP_BAR_LAYOUT_MAX_BARS)
        return FALSE;
    for (int i = 0; i < nBars; ++i)
    {
        CXTPToolBar::CToolBarInfo* pInfo = new CXTPToolBar::CToolBarInfo();
        pInfo->LoadState(lpszProfileName, i, this);
        Add(pInfo);
    }
    return TRUE;
}
