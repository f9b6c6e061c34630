// CXTPControl::TrackPushed: the held press of a button kind. The parent bar captures the mouse and
// pumps messages until the button is released; the command runs when the release lands on the
// button, or repeats on a timer while held for controls with an execute-on-press interval.
#include "toolkit/commandbars/controls/XTPControl.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"

#include <windowsx.h>

void CXTPControl::TrackPushed(CRect rcButton)
{
    CXTPCommandBar* pParent = m_pParent;
    HWND hWndParent = pParent ? pParent->GetSafeHwnd() : nullptr;
    if (!hWndParent)
        return;
    if (rcButton.IsRectEmpty())
        rcButton = m_rcControl;

    pParent->SetPopupControl(-1);
    pParent->SetSelected(m_nIndex);
    m_bPressed = 1;
    RedrawParent(FALSE);
    InternalAddRef();

    const BOOL bAutoRepeat = m_nExecuteOnPressInterval > 0;
    if (bAutoRepeat)
    {
        ::SetTimer(hWndParent, XTP_TID_AUTOREPEAT, static_cast<UINT>(m_nExecuteOnPressInterval), nullptr);
        SendExecuteCommand(m_pParent, m_nId);
    }

    ::SetCapture(hWndParent);
    BOOL bFired = FALSE;
    BOOL bMoved = FALSE;
    BOOL bLastInside = TRUE;
    while (::GetCapture() == hWndParent)
    {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!::IsWindow(hWndParent))
            break;
        if (msg.message == WM_LBUTTONUP)
        {
            bFired = m_bSelected && (!bMoved || bLastInside);
            break;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            if (msg.hwnd != hWndParent)
                ::MapWindowPoints(msg.hwnd, hWndParent, &pt, 1);
            bMoved = TRUE;
            bLastInside = rcButton.PtInRect(pt);
            // The parent selects the control while the pointer is on it (and redraws it).
            if (bLastInside != (m_bSelected != 0) && m_pParent)
                m_pParent->SetSelected(bLastInside ? m_nIndex : -1);
            continue;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWndParent && msg.wParam == XTP_TID_AUTOREPEAT && m_bSelected)
            SendExecuteCommand(m_pParent, m_nId);
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }

    const BOOL bParentAlive = ::IsWindow(hWndParent);
    if (bParentAlive)
        ::KillTimer(hWndParent, XTP_TID_AUTOREPEAT);
    m_bPressed = bFired && !bAutoRepeat && m_pParent && !m_pParent->IsPopupType() ? 2 : 0;
    if (::GetCapture() == hWndParent)
        ::ReleaseCapture();
    if (!bAutoRepeat && m_bSelected)
    {
        if (bParentAlive && m_pParent && m_pParent->GetSelected() == m_nIndex)
            m_pParent->SetSelected(-1);
        m_bSelected = 0;
    }
    if (bFired)
    {
        if (!bAutoRepeat)
        {
            OnExecute();
            if (m_bPressed)
                m_bPressed = 0;
        }
        else if (m_pParent && m_pParent->IsPopupType() && m_bCloseSubMenuOnClick)
        {
            OnExecute();
        }
    }
    RedrawParent(FALSE);
    InternalRelease();
}
