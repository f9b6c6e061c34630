#include "toolkit/commandbars/bars/XTPStatusBar.h"

#include "framework/DC.h"
#include "framework/Exceptions.h"
#include "framework/WinApp.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/images/XTPImageManager.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

IMPLEMENT_DYNAMIC(CXTPStatusBarPane, CCmdTarget)
IMPLEMENT_DYNAMIC(CXTPStatusBarSwitchPane, CXTPStatusBarPane)
IMPLEMENT_DYNAMIC(CXTPStatusBar, CControlBar)

namespace
{
// Pixels between two panes and the least height of the bar.
const int kPaneGap = 2;
const int kMinBarHeight = 20;
} // namespace

// ---------------------------------------------------------------- pane

CXTPStatusBarPane::CXTPStatusBarPane() = default;
CXTPStatusBarPane::~CXTPStatusBarPane() = default;

void CXTPStatusBarPane::Redraw() const
{
    if (m_pStatusBar && m_pStatusBar->GetSafeHwnd())
        m_pStatusBar->Invalidate(FALSE);
}

void CXTPStatusBarPane::Changed()
{
    if (m_pStatusBar)
        m_pStatusBar->OnPaneChanged(this);
}

void CXTPStatusBarPane::SetText(LPCSTR lpszText)
{
    CString strText(lpszText ? lpszText : "");
    if (strText == m_strText)
        return;
    m_strText = strText;
    Changed();
}

void CXTPStatusBarPane::SetWidth(int nWidth)
{
    m_nWidth = nWidth;
    Changed();
}

void CXTPStatusBarPane::SetStyle(UINT nStyle)
{
    m_nStyle = nStyle;
    Changed();
}

void CXTPStatusBarPane::SetEnabled(BOOL bEnabled)
{
    SetStyle(bEnabled ? (m_nStyle & ~SBPS_DISABLED) : (m_nStyle | SBPS_DISABLED));
}

void CXTPStatusBarPane::SetVisible(BOOL bVisible)
{
    const DWORD dwFlags = bVisible ? (m_dwFlags & ~flagHidden) : (m_dwFlags | flagHidden);
    if (dwFlags == m_dwFlags)
        return;
    m_dwFlags = dwFlags;
    Changed();
}

void CXTPStatusBarPane::SetTextAlignment(int nAlignment)
{
    m_nAlignment = nAlignment;
    Redraw();
}

void CXTPStatusBarPane::SetPadding(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_rcPadding.SetRect(cxLeft, cyTop, cxRight, cyBottom);
    Changed();
}

void CXTPStatusBarPane::SetIconId(int nIconId)
{
    m_nIconId = nIconId;
    Changed();
}

int CXTPStatusBarPane::GetBestFit(CDC* pDC) const
{
    int nWidth = m_rcPadding.left + m_rcPadding.right;
    if (!m_strText.IsEmpty() && pDC)
        nWidth += pDC->GetTextExtent(m_strText).cx;
    if (m_nIconId && m_pStatusBar)
    {
        CXTPImageManager* pImageManager = m_pStatusBar->GetImageManager();
        if (CXTPImageManagerIcon* pIcon = pImageManager ? pImageManager->GetImage(m_nIconId) : nullptr)
            nWidth += pIcon->GetExtent().cx + 2;
    }
    return nWidth + 4;
}

void CXTPStatusBarPane::Draw(CDC* pDC, CRect rcItem)
{
    if (!m_pStatusBar)
        return;
    m_pStatusBar->GetPaintManager()->DrawStatusBarPane(pDC, rcItem, this);
}

// ---------------------------------------------------------------- switch pane

CXTPStatusBarSwitchPane::CXTPStatusBarSwitchPane() = default;

CXTPStatusBarSwitchPane::~CXTPStatusBarSwitchPane()
{
    for (INT_PTR i = 0; i < m_arrSwitches.GetSize(); ++i)
        delete m_arrSwitches[i];
}

BOOL CXTPStatusBarSwitchPane::SetSwitches(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || (!lpIDArray && nIDCount > 0))
        return FALSE;
    for (INT_PTR i = 0; i < m_arrSwitches.GetSize(); ++i)
        delete m_arrSwitches[i];
    m_arrSwitches.RemoveAll();
    for (int i = 0; i < nIDCount; ++i)
        AddSwitch(lpIDArray[i]);
    return TRUE;
}

CXTPStatusBarSwitchPane::SWITCH* CXTPStatusBarSwitchPane::AddSwitch(UINT nID, LPCSTR lpszToolTip)
{
    SWITCH* pSwitch = new SWITCH();
    pSwitch->nID = nID;
    pSwitch->strToolTip = lpszToolTip ? lpszToolTip : "";
    m_arrSwitches.Add(pSwitch);
    Changed();
    return pSwitch;
}

CXTPStatusBarSwitchPane::SWITCH* CXTPStatusBarSwitchPane::GetSwitch(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetSwitchCount())
        AfxThrowInvalidArgException();
    return m_arrSwitches[nIndex];
}

void CXTPStatusBarSwitchPane::SetChecked(UINT nID)
{
    for (int i = 0; i < GetSwitchCount(); ++i)
        m_arrSwitches[i]->bChecked = m_arrSwitches[i]->nID == nID;
    Redraw();
}

int CXTPStatusBarSwitchPane::GetBestFit(CDC*) const
{
    int nWidth = 0;
    for (int i = 0; i < GetSwitchCount(); ++i)
        nWidth += m_arrSwitches[i]->nWidth;
    return nWidth;
}

void CXTPStatusBarSwitchPane::Draw(CDC* pDC, CRect rcItem)
{
    if (!m_pStatusBar)
        return;
    m_pStatusBar->GetPaintManager()->DrawStatusBarSwitchPane(pDC, rcItem, this);
}

// ---------------------------------------------------------------- status bar

CXTPStatusBar::CXTPStatusBar()
{
    m_cxLeftBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
}

CXTPStatusBar::~CXTPStatusBar()
{
    RemoveAll();
    DestroyWindow();
}

BOOL CXTPStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    m_dwStyle = dwStyle & CBRS_ALL;
    CRect rc(0, 0, 0, 0);
    if (!CWnd::Create(lpszClass, "", (dwStyle & ~CBRS_ALL) | WS_CHILD, rc, pParentWnd, nID))
        return FALSE;
    PositionPanes();
    return TRUE;
}

void CXTPStatusBar::RefreshIndexes()
{
    for (int i = 0; i < GetPaneCount(); ++i)
        m_arrPanes[i]->m_nIndex = i;
}

BOOL CXTPStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || (!lpIDArray && nIDCount > 0))
        return FALSE;
    RemoveAll();
    for (int i = 0; i < nIDCount; ++i)
        AddIndicator(lpIDArray[i]);
    return TRUE;
}

CXTPStatusBarPane* CXTPStatusBar::AddIndicator(CXTPStatusBarPane* pPane, UINT nID, int nIndex)
{
    if (!pPane)
        return nullptr;
    pPane->m_nID = nID;
    pPane->m_pStatusBar = this;
    if (nID != 0 && pPane->m_strText.IsEmpty())
    {
        // The indicator's text is its string resource (when there is one).
        CString strText;
        if (strText.LoadString(nID))
            pPane->m_strText = strText;
    }
    if (nIndex < 0 || nIndex > GetPaneCount())
        nIndex = GetPaneCount();
    m_arrPanes.InsertAt(nIndex, pPane);
    RefreshIndexes();
    OnPaneChanged(pPane);
    return pPane;
}

CXTPStatusBarPane* CXTPStatusBar::AddIndicator(UINT nID, int nIndex)
{
    return AddIndicator(new CXTPStatusBarPane(), nID, nIndex);
}

BOOL CXTPStatusBar::RemoveIndicator(UINT nID)
{
    const int nIndex = CommandToIndex(nID);
    if (nIndex < 0)
        return FALSE;
    CXTPStatusBarPane* pPane = m_arrPanes[nIndex];
    m_arrPanes.RemoveAt(nIndex);
    pPane->m_pStatusBar = nullptr;
    pPane->m_nIndex = -1;
    pPane->InternalRelease();
    RefreshIndexes();
    OnPaneChanged(nullptr);
    return TRUE;
}

void CXTPStatusBar::RemoveAll()
{
    for (int i = 0; i < GetPaneCount(); ++i)
    {
        m_arrPanes[i]->m_pStatusBar = nullptr;
        m_arrPanes[i]->m_nIndex = -1;
        m_arrPanes[i]->InternalRelease();
    }
    m_arrPanes.RemoveAll();
}

CXTPStatusBarPane* CXTPStatusBar::GetPane(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetPaneCount() ? m_arrPanes[nIndex] : nullptr;
}

CXTPStatusBarPane* CXTPStatusBar::FindPane(UINT nID) const
{
    const int nIndex = CommandToIndex(nID);
    return nIndex >= 0 ? m_arrPanes[nIndex] : nullptr;
}

int CXTPStatusBar::CommandToIndex(UINT nID) const
{
    for (int i = 0; i < GetPaneCount(); ++i)
    {
        if (m_arrPanes[i]->GetID() == nID)
            return i;
    }
    return -1;
}

BOOL CXTPStatusBar::SetPaneText(int nIndex, LPCSTR lpszText)
{
    CXTPStatusBarPane* pPane = GetPane(nIndex);
    if (!pPane)
        return FALSE;
    pPane->SetText(lpszText);
    return TRUE;
}

CXTPImageManager* CXTPStatusBar::GetImageManager() const
{
    return m_pCommandBars ? m_pCommandBars->GetImageManager() : ::GetImageManager();
}

CXTPPaintManager* CXTPStatusBar::GetPaintManager() const
{
    return m_pCommandBars ? m_pCommandBars->GetPaintManager() : CXTPPaintManager::GetGlobal();
}

void CXTPStatusBar::OnPaneChanged(CXTPStatusBarPane*)
{
    if (!m_hWnd)
        return;
    PositionPanes();
    Invalidate(FALSE);
}

CSize CXTPStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    int nHeight = kMinBarHeight;
    if (m_hWnd)
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(GetPaintManager()->GetKeyboardTipFont());
        TEXTMETRICA tm = {};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOldFont);
        nHeight = std::max<int>(nHeight, tm.tmHeight + 6 + m_cyTopBorder + m_cyBottomBorder);
    }
    return CSize(32767, nHeight);
}

void CXTPStatusBar::PositionPanes()
{
    if (!m_hWnd)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcInside = rcClient;
    rcInside.DeflateRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);

    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetPaintManager()->GetKeyboardTipFont());
    // Widths first: fixed, measured, then the stretched panes share what is left.
    CArray<int, int> arrWidths;
    int nUsed = 0, nStretched = 0;
    for (int i = 0; i < GetPaneCount(); ++i)
    {
        CXTPStatusBarPane* pPane = m_arrPanes[i];
        int nWidth = 0;
        if (pPane->IsVisible())
        {
            if (pPane->GetStyle() & SBPS_STRETCH)
                ++nStretched;
            else
                nWidth = pPane->GetWidth() > 0 ? pPane->GetWidth() : pPane->GetBestFit(&dc);
            nUsed += nWidth + kPaneGap;
        }
        arrWidths.Add(nWidth);
    }
    dc.SelectObject(pOldFont);
    const int nFree = std::max<int>(0, rcInside.Width() - nUsed);
    int nStretchedLeft = nStretched;
    int nFreeLeft = nFree;
    int x = rcInside.left;
    for (int i = 0; i < GetPaneCount(); ++i)
    {
        CXTPStatusBarPane* pPane = m_arrPanes[i];
        if (!pPane->IsVisible())
        {
            pPane->m_rcPane.SetRect(0, 0, 0, 0);
            continue;
        }
        int nWidth = arrWidths[i];
        if (pPane->GetStyle() & SBPS_STRETCH)
        {
            nWidth = nFreeLeft / nStretchedLeft;
            nFreeLeft -= nWidth;
            --nStretchedLeft;
        }
        pPane->m_rcPane.SetRect(x, rcInside.top, x + nWidth, rcInside.bottom);
        x += nWidth + kPaneGap;
    }
}

void CXTPStatusBar::DrawBar(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    pPaintManager->FillStatusBar(pDC, this);
    int nLastVisible = -1;
    for (int i = 0; i < GetPaneCount(); ++i)
    {
        if (m_arrPanes[i]->IsVisible())
            nLastVisible = i;
    }
    for (int i = 0; i < GetPaneCount(); ++i)
    {
        CXTPStatusBarPane* pPane = m_arrPanes[i];
        if (!pPane->IsVisible() || pPane->GetRect().IsRectEmpty())
            continue;
        pPane->Draw(pDC, pPane->GetRect());
        pPaintManager->DrawStatusBarPaneBorder(pDC, pPane->GetRect(), pPane, i == nLastVisible);
    }
}

LRESULT CXTPStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_ERASEBKGND:
        return TRUE; // the paint covers the whole client
    case WM_PAINT:
    {
        CPaintDC dc(this);
        DrawBar(&dc);
        return 0;
    }
    case WM_PRINTCLIENT:
    {
        CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        DrawBar(pDC);
        return 0;
    }
    case WM_SIZE:
    {
        LRESULT lResult = CControlBar::WindowProc(message, wParam, lParam);
        PositionPanes();
        Invalidate(FALSE);
        return lResult;
    }
    default:
        break;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------- persistence

void CXTPStatusBar::SaveState(LPCSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !lpszProfileName)
        return;
    if (m_hWnd && !(GetStyle() & WS_VISIBLE))
        pApp->WriteProfileInt(lpszProfileName, "StatusBar", 0);
    else
        pApp->WriteProfileString(lpszProfileName, "StatusBar", nullptr);

    if (!m_bSavePanes || GetPaneCount() == 0)
    {
        pApp->WriteProfileString(lpszProfileName, "StatusBarPanes", nullptr);
        return;
    }
    CString strPanes;
    for (int i = 0; i < GetPaneCount(); ++i)
    {
        CString strPane;
        strPane.Format("%i=%i", static_cast<int>(m_arrPanes[i]->GetID()), m_arrPanes[i]->IsVisible() ? 1 : 0);
        if (i > 0)
            strPanes += ";";
        strPanes += strPane;
    }
    pApp->WriteProfileString(lpszProfileName, "StatusBarPanes", strPanes);
}

void CXTPStatusBar::LoadState(LPCSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !lpszProfileName)
        return;
    if (pApp->GetProfileInt(lpszProfileName, "StatusBar", 1) == 0 && m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    if (!m_bSavePanes)
        return;
    CString strPanes = pApp->GetProfileString(lpszProfileName, "StatusBarPanes", "");
    strPanes.Replace("\n", ";");
    int nStart = 0;
    while (nStart <= strPanes.GetLength())
    {
        int nEnd = strPanes.Find(';', nStart);
        if (nEnd < 0)
            nEnd = strPanes.GetLength();
        CString strPart = strPanes.Mid(nStart, nEnd - nStart);
        int nID = 0, nVisible = 0;
        if (std::sscanf(strPart, "%i=%i", &nID, &nVisible) == 2 && nID != 0)
        {
            if (CXTPStatusBarPane* pPane = FindPane(static_cast<UINT>(nID)))
                pPane->SetVisible(nVisible != 0);
        }
        nStart = nEnd + 1;
    }
}
