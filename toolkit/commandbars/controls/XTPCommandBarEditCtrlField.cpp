// CXTPCommandBarEditCtrl: the messages of a window that serves a field control. Without a field
// control every message goes its default way.
#include "toolkit/commandbars/controls/XTPCommandBarEditCtrl.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControlFieldText.h"

CXTPControl* CXTPCommandBarEditCtrl::GetFieldControl() const
{
    return m_pField ? m_pField->GetControl() : nullptr;
}

BOOL CXTPCommandBarEditCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CXTPControl* pControl = GetFieldControl();
    CXTPCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    if (pBar && pBar->GetSafeHwnd())
    {
        MSG msg = {};
        msg.hwnd = m_hWnd;
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        pBar->FilterToolTipMessage(&msg);
    }
    return CEdit::OnWndMsg(message, wParam, lParam, pResult);
}

void CXTPCommandBarEditCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CXTPControl* pControl = GetFieldControl();
    if (!pControl)
    {
        Default();
        return;
    }
    if (pControl->IsCustomizeMode())
        return;
    m_pField->GetOwner()->OnFieldSetFocus(pOldWnd);
    Default();
    // The whole text ends up selected.
    SendMessage(EM_SETSEL, 0, 0);
    SendMessage(EM_SCROLLCARET);
    PostMessage(EM_SETSEL, 0, -1);
}

void CXTPCommandBarEditCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    Default();
    CXTPControl* pControl = GetFieldControl();
    CXTPCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    if (pBar && pBar->GetSafeHwnd())
    {
        MapWindowPoints(pBar, &point, 1);
        pBar->OnTrackedMouseMove(nFlags, point);
    }
}

void CXTPCommandBarEditCtrl::OnDestroy()
{
    if (m_pField)
        m_pField->KeepWindowText();
    Default();
}

void CXTPCommandBarEditCtrl::OnLButtonDown(UINT, CPoint point)
{
    CXTPControl* pControl = GetFieldControl();
    if (pControl && pControl->IsCustomizeMode())
    {
        if (pControl->IsCustomizeMovable())
            pControl->OnClick(FALSE, point);
        return;
    }
    Default();
}

void CXTPCommandBarEditCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = GetFieldControl();
    if (!pControl)
    {
        Default();
        return;
    }
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pControl->IsCustomizeMode())
    {
        if (pBar && pBar->GetSafeHwnd())
        {
            MapWindowPoints(pBar, &point, 1);
            pBar->SendMessage(WM_RBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
        }
        return;
    }
    m_pField->GetOwner()->OnFieldContextMenu();
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (!ShowContextMenu(pControl, ptScreen))
        Default();
}

void CXTPCommandBarEditCtrl::OnContextMenu(CWnd*, CPoint)
{
    // A field's menu opens on the right button; the system's own never shows.
    if (!GetFieldControl())
        Default();
}

void CXTPCommandBarEditCtrl::OnKeyDown(UINT nChar, UINT, UINT)
{
    CXTPControl* pControl = GetFieldControl();
    if (pControl && nChar == VK_RETURN && ::GetFocus() == m_hWnd)
    {
        pControl->OnExecute();
        return;
    }
    Default();
}

LRESULT CXTPCommandBarEditCtrl::OnTooltipQuery(WPARAM, LPARAM)
{
    return GetFieldControl() ? 1 : Default();
}

BOOL CXTPCommandBarEditCtrl::OnEditChange()
{
    if (!GetFieldControl())
        return FALSE;
    m_pField->MarkStale();
    m_pField->GetOwner()->OnFieldChanged(::GetFocus() == m_hWnd && !m_bIgnoreChange);
    return TRUE;
}
