#include "toolkit/commandbars/controls/XTPControlFieldText.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPCommandBarEditCtrl.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/drawing/XTPColorManager.h"

namespace
{
// The bar's tracking mode while a field holds the focus.
const int kTrackingByFocus = 1;
} // namespace

BOOL CXTPControlFieldText::HasWindow() const
{
    return m_pWnd && m_pWnd->GetSafeHwnd();
}

CString CXTPControlFieldText::GetText() const
{
    if (HasWindow() && m_bStale)
    {
        m_pWnd->GetWindowText(m_strText);
        m_bStale = FALSE;
    }
    return m_strText;
}

void CXTPControlFieldText::SetWindow(CXTPCommandBarEditCtrl* pWnd)
{
    if (m_pWnd && m_pWnd != pWnd)
        m_pWnd->m_pField = nullptr;
    m_pWnd = pWnd;
    if (m_pWnd)
        m_pWnd->m_pField = this;
}

void CXTPControlFieldText::SetText(const CString& strText)
{
    if (m_pWnd)
        m_pWnd->SetTextQuietly(strText);
    m_strText = strText;
    m_bStale = FALSE;
}

void CXTPControlFieldText::KeepWindowText()
{
    if (!HasWindow())
        return;
    m_pWnd->GetWindowText(m_strText);
    m_bStale = FALSE;
}

void CXTPControlFieldText::DestroyFieldWindow()
{
    if (!HasWindow())
        return;
    KeepWindowText();
    m_pWnd->DestroyWindow();
}

BOOL CXTPControlFieldText::IsHintShown(BOOL bFocused) const
{
    return !m_strHint.IsEmpty() && !bFocused && GetText() == m_strHint;
}

CString CXTPControlFieldText::GetTextWithoutHint() const
{
    const CString strText = GetText();
    if (!m_strHint.IsEmpty() && strText == m_strHint)
        return CString();
    return strText;
}

void CXTPControlFieldText::ShowHintIfEmpty(BOOL bFocused)
{
    if (bFocused || m_strHint.IsEmpty() || !GetText().IsEmpty())
        return;
    SetText(m_strHint);
    ApplyColors(bFocused);
}

void CXTPControlFieldText::RemoveShownHint(BOOL bFocused)
{
    if (m_strHint.IsEmpty() || GetText() != m_strHint)
        return;
    SetText("");
    ApplyColors(bFocused);
}

void CXTPControlFieldText::ApplyColors(BOOL bFocused)
{
    if (!HasWindow())
        return;
    const BOOL bGrey = !m_pControl->GetEnabled() || IsHintShown(bFocused);
    CXTPPaintManager* pPaintManager = m_pControl->GetPaintManager();
    const COLORREF clrBack =
        pPaintManager ? pPaintManager->GetEditFieldBackColor(m_pControl) : ::GetSysColor(COLOR_WINDOW);
    m_pWnd->SetFieldColors(GetColorManager()->GetColor(bGrey ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT), clrBack);
}

BOOL CXTPControlFieldText::CreateFieldWindow(DWORD dwStyle, int nTextLimit)
{
    if (!m_pWnd || !m_pWnd->Create(dwStyle | WS_CHILD | ES_AUTOHSCROLL, m_pControl->GetParent()))
        return FALSE;
    if (!m_pControl->GetEnabled())
        m_pWnd->EnableWindow(FALSE);
    if (nTextLimit)
        m_pWnd->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nTextLimit));
    return TRUE;
}

void CXTPControlFieldText::PlaceWindow(const CRect& rcWindow, BOOL bFocused)
{
    if (!HasWindow())
        return;
    CXTPPaintManager* pPaintManager = m_pControl->GetPaintManager();
    CFont* pFont = pPaintManager ? pPaintManager->GetControlFont(m_pControl) : nullptr;
    m_pWnd->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : nullptr), FALSE);
    m_pWnd->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    if (::GetFocus() != m_pWnd->GetSafeHwnd())
    {
        const CString strText = GetTextWithoutHint();
        SetText(strText.IsEmpty() && !bFocused ? m_strHint : strText);
    }
    ApplyColors(bFocused);
    m_pWnd->m_bComposited = m_pControl->IsOnDwmGlass();
    m_pWnd->MoveWindow(rcWindow.left, rcWindow.top, rcWindow.Width(), rcWindow.Height(), TRUE);
    RefreshVisibility();
}

void CXTPControlFieldText::RefreshVisibility()
{
    if (!HasWindow())
        return;
    CXTPCommandBar* pBar = m_pControl->GetParent();
    const BOOL bShow = m_pControl->GetControls() && pBar && m_pControl->IsVisible() && pBar->GetSafeHwnd();
    m_pWnd->SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                             (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

BOOL CXTPControlFieldText::IsWindowStale(BOOL bRecreate) const
{
    if (!HasWindow())
        return FALSE;
    CXTPCommandBar* pBar = m_pControl->GetParent();
    HWND hWndBar = pBar ? pBar->GetSafeHwnd() : nullptr;
    return bRecreate || (m_pWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0 || ::GetParent(m_pWnd->GetSafeHwnd()) != hWndBar;
}

void CXTPControlFieldText::EnterFocus(UINT nCode)
{
    HWND hWnd = HasWindow() ? m_pWnd->GetSafeHwnd() : nullptr;
    if (hWnd && ::GetFocus() != hWnd)
        ::SetFocus(hWnd);
    if (CXTPCommandBar* pBar = m_pControl->GetParent())
    {
        if (!pBar->IsTrackingMode())
            pBar->SetTrackingMode(kTrackingByFocus, FALSE, TRUE);
        pBar->SetSelected(m_pControl->GetIndex(), TRUE);
    }
    ++XTPMouseManager()->m_nLock;
    m_pControl->NotifySite(nCode);
}

void CXTPControlFieldText::LeaveFocus(UINT nCode)
{
    HWND hWnd = HasWindow() ? m_pWnd->GetSafeHwnd() : nullptr;
    CXTPCommandBar* pBar = m_pControl->GetParent();
    if (hWnd && ::GetFocus() == hWnd && pBar)
    {
        HWND hWndBack = pBar->GetFocusReturnWindow();
        if (hWndBack && ::IsWindow(hWndBack))
            ::SetFocus(hWndBack);
    }
    --XTPMouseManager()->m_nLock;
    m_pControl->NotifySite(nCode);
}

void CXTPControlFieldText::StoreFocusReturn(CWnd* pOldWnd)
{
    CXTPCommandBar* pBar = m_pControl->GetParent();
    if (!pBar || pBar->GetFocusReturnWindow())
        return;
    HWND hWndOld = pOldWnd ? pOldWnd->GetSafeHwnd() : nullptr;
    if (!hWndOld && pBar->GetSite())
        hWndOld = pBar->GetSite()->GetSafeHwnd();
    pBar->SetFocusReturnWindow(hWndOld);
}

BOOL CXTPControlFieldText::IsCaptionVisible(const CXTPControl* pControl, BOOL bLabel)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar && pBar->IsPopupType())
        return TRUE;
    if (pControl->GetCaption().IsEmpty())
        return FALSE;
    const int nStyle = pControl->GetStyle();
    if (nStyle == xtpButtonCaption || nStyle == xtpButtonIconAndCaption || nStyle == xtpButtonIconAndCaptionBelow)
        return TRUE;
    return bLabel;
}

BOOL CXTPControlFieldText::IsWindowKey(UINT nChar, BOOL bCtrl)
{
    return (bCtrl && (nChar == 'C' || nChar == 'V' || nChar == 'X' || nChar == 'Z')) || nChar == VK_BACK ||
           (nChar >= VK_PRIOR && nChar <= VK_DELETE);
}

int CXTPControlFieldText::HideFlagsForLayout(int dwHideFlags, DWORD dwMode)
{
    return (dwMode & 0x10) ? (dwHideFlags | xtpHideDockingPosition) : (dwHideFlags & ~xtpHideDockingPosition);
}
