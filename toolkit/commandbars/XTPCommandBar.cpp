#include "toolkit/commandbars/XTPCommandBar.h"

#include "toolkit/commandbars/XTPMouseManager.h"

IMPLEMENT_DYNCREATE(CXTPCommandBar, CWnd)

CXTPCommandBar::CXTPCommandBar() = default;

CXTPCommandBar::~CXTPCommandBar()
{
    if (XTPMouseManager()->GetTrackArray().Find(this) >= 0)
        XTPMouseManager()->RemoveTrackingBar(this);
    if (XTPMouseManager()->GetSelected() == this)
        XTPMouseManager()->SetSelected(nullptr);
    XTPKeyboardManager()->UnhookKeyboard(this);
}

int CXTPCommandBar::OnMouseHitTest(CPoint pt)
{
    if (!GetSafeHwnd())
        return -2;
    RECT rc;
    ::GetWindowRect(GetSafeHwnd(), &rc);
    return ::PtInRect(&rc, pt) ? 1 : -2;
}

void CXTPCommandBar::OnTrackLost()
{
    SetTrackingMode(FALSE);
}

void CXTPCommandBar::OnTrackedMouseMove(UINT /*nFlags*/, CPoint /*point*/)
{
}

int CXTPCommandBar::OnHookMessage(HWND /*hWnd*/, UINT /*nMessage*/, WPARAM& /*wParam*/, LPARAM& /*lParam*/,
                                  LRESULT& /*lResult*/)
{
    // A tracking bar owns the keyboard: keys it does not use are eaten.
    return 0;
}

void CXTPCommandBar::DelayRedraw()
{
    m_dwPending |= xtpDelayRedraw;
}

void CXTPCommandBar::DelayLayout()
{
    m_dwPending |= xtpDelayLayout;
}

void CXTPCommandBar::UnlockRedraw()
{
    if (m_nLockRedraw > 0 && --m_nLockRedraw == 0 && (m_dwPending & xtpDelayRedraw))
        Redraw();
}

BOOL CXTPCommandBar::Redraw(LPCRECT lpRect, BOOL /*bAnimate*/)
{
    if (m_nLockRedraw > 0)
    {
        m_dwPending |= xtpDelayRedraw;
        return FALSE;
    }
    if (!lpRect)
        m_dwPending &= ~xtpDelayRedraw;
    ++m_nRedrawCount;
    if (GetSafeHwnd() && ::IsWindowVisible(GetSafeHwnd()))
        ::InvalidateRect(GetSafeHwnd(), lpRect, FALSE);
    return TRUE;
}

BOOL CXTPCommandBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (bMode == m_bTracking)
        return FALSE;
    if (bMode && m_bTracking)
    {
        m_bTracking = bMode;
        return FALSE;
    }
    m_bTracking = bMode;
    if (bMode)
    {
        m_bEnteredByMouse = !bSelectFirst && !bKeyboard;
        m_bKeyboard = bKeyboard;
        XTPMouseManager()->SetTrackingBar(this);
        XTPKeyboardManager()->HookKeyboard(this);
    }
    else
    {
        m_bKeyboard = FALSE;
        m_bEnteredByMouse = FALSE;
        XTPMouseManager()->RemoveTrackingBar(this);
        XTPKeyboardManager()->UnhookKeyboard(this);
        if (bSelectFirst)
            SetSelected(-1);
        if (!XTPMouseManager()->IsTracking() && XTPMouseManager()->GetSelected() == this)
            XTPMouseManager()->SetSelected(nullptr);
        m_nKeepSelection = 0;
    }
    return TRUE;
}

BOOL CXTPCommandBar::SetSelected(int nSelected, BOOL /*bKeyboard*/)
{
    if (nSelected == m_nSelected)
        return FALSE;
    m_nSelected = nSelected;
    if (nSelected >= 0)
        XTPMouseManager()->SetSelected(this);
    return TRUE;
}

void CXTPCommandBar::EndTracking()
{
    SetTrackingMode(FALSE);
}

CRect CXTPCommandBar::GetBorders()
{
    return CRect(2, 2, 2, 2);
}

void CXTPCommandBar::SetPopupControlClosed()
{
    m_nPopuped = -1;
}

CSize CXTPCommandBar::GetIconSize() const
{
    return m_szIcons.cx > 0 ? m_szIcons : CSize(16, 16);
}

CSize CXTPCommandBar::GetButtonSize() const
{
    return m_szButtons.cx > 0 ? m_szButtons : CSize(23, 22);
}

int CXTPCommandBar::IsControlEnabled(const CXTPControl* /*pControl*/) const
{
    return -1;
}

BOOL CXTPCommandBar::IsCustomizeMode() const
{
    return FALSE;
}
