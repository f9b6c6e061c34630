#include "toolkit/commandbars/XTPCommandBar.h"

#include "framework/WinThread.h"
#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/commandbars/XTPPaintManager.h"
#include "toolkit/common/XTPImageManager.h"

IMPLEMENT_DYNCREATE(CXTPCommandBar, CWnd)

CXTPCommandBar::CXTPCommandBar()
{
    m_pControls = new CXTPControls();
    m_pControls->SetParent(this);
}

CXTPCommandBar::~CXTPCommandBar()
{
    if (XTPMouseManager()->GetTrackArray().Find(this) >= 0)
        XTPMouseManager()->RemoveTrackingBar(this);
    if (XTPMouseManager()->GetSelected() == this)
        XTPMouseManager()->SetSelected(nullptr);
    XTPKeyboardManager()->UnhookKeyboard(this);
    if (m_pControls)
    {
        m_pControls->RemoveAll();
        m_pControls->SetParent(nullptr);
        m_pControls->InternalRelease();
    }
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
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
        if (m_bHideCaret)
        {
            // The focus window (or the site) is given back its focus and caret at the end.
            m_hwndFocus = ::GetFocus();
            if (!m_hwndFocus && GetSite())
                m_hwndFocus = GetSite()->GetSafeHwnd();
            if (m_hwndFocus)
                ::HideCaret(m_hwndFocus);
        }
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
        HWND hWndFocus = m_hwndFocus;
        m_hwndFocus = nullptr;
        if (hWndFocus && ::IsWindow(hWndFocus))
        {
            ::ShowCaret(hWndFocus);
            if (GetSafeHwnd() && ::GetFocus() == GetSafeHwnd())
                ::SetFocus(hWndFocus);
        }
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
    if (m_szButtons.cx > 0)
        return m_szButtons;
    return GetPaintManager()->GetButtonSizeForBar(const_cast<CXTPCommandBar*>(this));
}

int CXTPCommandBar::IsControlEnabled(const CXTPControl* /*pControl*/) const
{
    return -1; // no opinion
}

BOOL CXTPCommandBar::IsCustomizeMode() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars && pCommandBars->IsCustomizeMode();
}

CXTPCommandBars* CXTPCommandBar::GetCommandBars() const
{
    for (const CXTPCommandBar* pBar = this; pBar; pBar = pBar->GetParentCommandBar())
    {
        if (pBar->m_pCommandBars)
            return pBar->m_pCommandBars;
    }
    return nullptr;
}

namespace
{
const CXTPCommandBar* TopMostParent(const CXTPCommandBar* pBar)
{
    while (pBar->GetParentCommandBar())
        pBar = pBar->GetParentCommandBar();
    return pBar;
}
} // namespace

CXTPPaintManager* CXTPCommandBar::GetPaintManager() const
{
    if (m_pPaintManager)
        return m_pPaintManager;
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetPaintManager();
    const CXTPCommandBar* pTop = TopMostParent(this);
    if (pTop != this && pTop->m_pPaintManager)
        return pTop->m_pPaintManager;
    return CXTPPaintManager::GetGlobal();
}

void CXTPCommandBar::SetPaintManager(CXTPPaintManager* pPaintManager)
{
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
    if (m_pPaintManager)
        m_pPaintManager->RefreshMetrics();
}

CXTPImageManager* CXTPCommandBar::GetImageManager() const
{
    if (m_pImageManager)
        return m_pImageManager;
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetImageManager();
    const CXTPCommandBar* pTop = TopMostParent(this);
    if (pTop != this && pTop->m_pImageManager)
        return pTop->m_pImageManager;
    return ::GetImageManager();
}

void CXTPCommandBar::SetImageManager(CXTPImageManager* pImageManager)
{
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

CWnd* CXTPCommandBar::GetSite() const
{
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
    {
        if (pCommandBars->GetSite())
            return pCommandBars->GetSite();
    }
    const CXTPCommandBar* pTop = TopMostParent(this);
    if (pTop->m_hWndSite)
        return CWnd::FromHandle(pTop->m_hWndSite);
    if (GetSafeHwnd())
    {
        HWND hOwner = ::GetWindow(GetSafeHwnd(), GW_OWNER);
        if (!hOwner)
            hOwner = ::GetParent(GetSafeHwnd());
        if (hOwner)
            return CWnd::FromHandle(hOwner);
    }
    return AfxGetMainWnd();
}

CWnd* CXTPCommandBar::GetOwnerSite() const
{
    for (const CXTPCommandBar* pBar = this; pBar; pBar = pBar->GetParentCommandBar())
    {
        if (pBar->m_hWndOwner)
            return CWnd::FromHandle(pBar->m_hWndOwner);
    }
    return GetSite();
}

CWnd* CXTPCommandBar::GetFrameSite() const
{
    return nullptr; // frame windows come with the frame layer
}
