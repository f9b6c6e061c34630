#include "toolkit/commandbars/bars/XTPMessageBar.h"

#include "framework/DC.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

namespace
{
// The room the close button takes at the right of the message area.
const int kCloseButtonRoom = 18;
} // namespace

CXTPMessageBar::CXTPMessageBar() = default;

CXTPMessageBar::~CXTPMessageBar()
{
    RemoveButtons();
    DestroyWindow();
}

BOOL CXTPMessageBar::Create(CWnd* pParent, const RECT& rc, UINT nId)
{
    LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    return CWnd::Create(lpszClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rc, pParent, nId);
}

CXTPMessageBarButton* CXTPMessageBar::AddButton(UINT nId, LPCSTR lpszCaption, LPCSTR lpszToolTip)
{
    CXTPMessageBarButton* pButton = new CXTPMessageBarButton(nId, lpszCaption, lpszToolTip);
    pButton->m_pBar = this;
    m_arrButtons.Add(pButton);
    if (m_hWnd)
        Invalidate(FALSE);
    return pButton;
}

void CXTPMessageBar::RemoveButtons()
{
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); ++i)
        delete m_arrButtons[i];
    m_arrButtons.RemoveAll();
    if (m_hWnd)
        Invalidate(FALSE);
}

CXTPMessageBarButton* CXTPMessageBar::GetButton(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetButtonCount() ? m_arrButtons[nIndex] : nullptr;
}

CXTPMessageBarButton* CXTPMessageBar::FindButton(UINT nId) const
{
    for (int i = 0; i < GetButtonCount(); ++i)
    {
        if (m_arrButtons[i]->GetID() == nId)
            return m_arrButtons[i];
    }
    return nullptr;
}

CXTPPaintManager* CXTPMessageBar::GetPaintManager() const
{
    return m_pPaintManager ? m_pPaintManager : CXTPPaintManager::GetGlobal();
}

LRESULT CXTPMessageBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return TRUE; // the paint covers the whole client
    if (message == WM_PAINT)
    {
        CPaintDC dc(this);
        CXTPPaintManager* pPaintManager = GetPaintManager();
        pPaintManager->FillMessageBar(&dc, this);
        for (int i = 0; i < GetButtonCount(); ++i)
            pPaintManager->DrawMessageBarButton(&dc, m_arrButtons[i]);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void MessageBarGetMessageRect(CXTPMessageBar* pBar, RECT* pRect)
{
    if (!pRect)
        return;
    CRect rc(0, 0, 0, 0);
    if (!pBar)
    {
        *pRect = rc;
        return;
    }
    if (pBar->GetSafeHwnd())
        ::GetClientRect(pBar->GetSafeHwnd(), &rc);
    const CRect rcPadding = pBar->GetPaddings();
    rc.DeflateRect(rcPadding.left, rcPadding.top, rcPadding.right, rcPadding.bottom);
    if (pBar->FindButton(SC_CLOSE))
        rc.right -= kCloseButtonRoom;
    *pRect = rc;
}
