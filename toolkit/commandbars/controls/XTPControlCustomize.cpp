// Resizing a control's width in customisation: the grip on either edge, the resize cursor and the
// modal drag with an inverted frame on the desktop.
#include "toolkit/commandbars/controls/XTPControl.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/resources/XTPResourceManager.h"

namespace
{
// The 2-pixel inverted frame of a rectangle (screen coordinates) on the desktop window.
void InvertFrame(HDC hDC, const RECT& rc)
{
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    ::PatBlt(hDC, rc.left, rc.top, cx, 2, DSTINVERT);
    ::PatBlt(hDC, rc.left, rc.bottom - 2, cx, 2, DSTINVERT);
    ::PatBlt(hDC, rc.left, rc.top + 2, 2, cy - 4, DSTINVERT);
    ::PatBlt(hDC, rc.right - 2, rc.top + 2, 2, cy - 4, DSTINVERT);
}

HCURSOR ResizeCursor()
{
    HCURSOR hCursor = GetResourceManager()->LoadCursor(IDC_TK_RESIZE_CONTROL);
    return hCursor ? hCursor : ::LoadCursor(nullptr, IDC_SIZEWE);
}
} // namespace

int CXTPControl::HitTestCustomizeResizeEdge(CPoint point) const
{
    if (point.y < m_rcControl.top || point.y >= m_rcControl.bottom)
        return 0;
    const int nLeft = point.x - m_rcControl.left, nRight = point.x - m_rcControl.right;
    const int dLeft = nLeft < 0 ? -nLeft : nLeft, dRight = nRight < 0 ? -nRight : nRight;
    if (dRight <= 3 && dRight <= dLeft)
        return 1;
    if (dLeft <= 3)
        return -1;
    return 0;
}

BOOL CXTPControl::UpdateCustomizeResizeCursor(CPoint point)
{
    if (!IsCustomizeResizeAllowed() || !HitTestCustomizeResizeEdge(point))
        return FALSE;
    ::SetCursor(ResizeCursor());
    return TRUE;
}

BOOL CXTPControl::CustomizeStartResize(CPoint point)
{
    const int nEdge = HitTestCustomizeResizeEdge(point);
    HWND hWnd = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    if (!nEdge || !hWnd)
        return FALSE;

    m_pParent->Redraw();
    ::UpdateWindow(hWnd);
    InternalAddRef();
    ::SetCapture(hWnd);
    ::SetCursor(ResizeCursor());

    const int nMinWidth = GetCustomizeMinWidth();
    CRect rc = m_rcControl;
    auto toScreen = [hWnd](CRect rcClient) {
        ::MapWindowPoints(hWnd, HWND_DESKTOP, reinterpret_cast<LPPOINT>(&rcClient), 2);
        return rcClient;
    };
    HWND hWndDesktop = ::GetDesktopWindow();
    const BOOL bLocked = ::LockWindowUpdate(hWndDesktop);
    HDC hDC = ::GetDCEx(hWndDesktop, nullptr, DCX_WINDOW | DCX_CACHE | (bLocked ? DCX_LOCKWINDOWUPDATE : 0));
    CRect rcFrame = toScreen(rc);
    if (hDC)
        InvertFrame(hDC, rcFrame);

    BOOL bCommit = FALSE;
    while (::GetCapture() == hWnd)
    {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hWnd)
        {
            // The dragged edge follows the mouse, at least the minimum width from the other edge.
            const int x = static_cast<short>(LOWORD(msg.lParam));
            CRect rcNew = m_rcControl;
            if (nEdge > 0)
                rcNew.right = x > rcNew.left + nMinWidth ? x : rcNew.left + nMinWidth;
            else
                rcNew.left = x < rcNew.right - nMinWidth ? x : rcNew.right - nMinWidth;
            if (rcNew != rc)
            {
                if (hDC)
                    InvertFrame(hDC, rcFrame);
                rc = rcNew;
                rcFrame = toScreen(rc);
                if (hDC)
                    InvertFrame(hDC, rcFrame);
            }
            continue;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            bCommit = TRUE;
            break;
        }
        if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN ||
            msg.message == WM_CANCELMODE)
            break;
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR)
            continue; // keys other than Escape do nothing while the frame moves
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }

    if (hDC)
    {
        InvertFrame(hDC, rcFrame);
        ::ReleaseDC(hWndDesktop, hDC);
    }
    if (bLocked)
        ::LockWindowUpdate(nullptr);
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();

    if (bCommit && rc.Width() != m_rcControl.Width() && m_pParent)
    {
        int nWidth = rc.Width();
        if (m_pParent->IsPopupType())
            nWidth -= GetPaintManager()->GetPopupBarGripperWidth(m_pParent);
        SetWidth(nWidth);
        m_pParent->DelayLayout();
    }
    InternalRelease();
    return TRUE;
}
