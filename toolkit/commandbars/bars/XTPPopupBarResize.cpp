// CXTPPopupBar: the gallery resize gripper's loop. A press on the gripper resizes the popup's first
// gallery under capture; the popup follows in place (its top-left corner kept, the top-right one
// right-to-left); Esc gives the gallery its old size back.
#include "toolkit/commandbars/bars/XTPPopupBar.h"

#include "toolkit/commandbars/controls/XTPControlGallery.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"

#include <algorithm>

#include <windowsx.h>

namespace
{
CXTPControlGallery* FirstGallery(CXTPControls* pControls)
{
    for (int i = 0; i < pControls->GetCount(); ++i)
    {
        if (CXTPControlGallery* pGallery = DYNAMIC_DOWNCAST(CXTPControlGallery, pControls->GetAt(i)))
            return pGallery;
    }
    return nullptr;
}
} // namespace

void CXTPPopupBar::TrackGalleryResize(CPoint ptStart)
{
    CXTPControlGallery* pGallery = FirstGallery(m_pControls);
    if (!pGallery || !m_hWnd || !m_nResizeGripper)
        return;
    const BOOL bRTL = (::GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    const BOOL bWidth = m_nResizeGripper != 2;
    const BOOL bHeight = (m_nResizeGripper & 2) != 0;
    const CSize szOld(pGallery->GetWidth(), pGallery->GetHeight());

    // Gives the gallery a size and the popup the size that follows from it, in place.
    auto applySize = [&](CSize szGallery) {
        if (szGallery == CSize(pGallery->GetWidth(), pGallery->GetHeight()))
            return;
        pGallery->SetWidth(szGallery.cx);
        pGallery->SetHeight(szGallery.cy);
        CRect rcWindow;
        ::GetWindowRect(m_hWnd, &rcWindow);
        const CSize sz = CalcDynamicLayout(0, 0);
        const int x = bRTL ? rcWindow.right - sz.cx : rcWindow.left;
        ::SetWindowRgn(m_hWnd, nullptr, FALSE);
        ::SetWindowPos(m_hWnd, nullptr, x, rcWindow.top, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        HideKeyboardTips();
        Redraw();
    };

    CXTPMouseManager* pMouse = XTPMouseManager();
    ++pMouse->m_nLock;
    InternalAddRef();
    ::SetCapture(m_hWnd);
    BOOL bDone = FALSE;
    while (!bDone && m_hWnd && ::GetCapture() == m_hWnd)
    {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            if (msg.hwnd != m_hWnd)
                ::MapWindowPoints(msg.hwnd, m_hWnd, &pt, 1);
            const int dx = bRTL ? ptStart.x - pt.x : pt.x - ptStart.x;
            const int dy = pt.y - ptStart.y;
            CSize sz = szOld;
            if (bWidth)
                sz.cx = std::max(static_cast<int>(szOld.cx) + dx, pGallery->GetCustomizeMinWidth());
            if (bHeight)
                sz.cy = std::max(static_cast<int>(szOld.cy) + dy, pGallery->GetCustomizeMinHeight());
            applySize(sz);
        }
        else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
        {
            applySize(szOld); // the old size back
            bDone = TRUE;
        }
        else if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONDOWN || msg.message == WM_CANCELMODE)
        {
            bDone = TRUE;
        }
        else if (msg.message != WM_KEYDOWN)
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (m_hWnd && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    --pMouse->m_nLock;
    InternalRelease();
}
