// The bar operations that the command-bars manager calls: visibility on screen, composition,
// removal.
#include "toolkit/commandbars/XTPCommandBar.h"

#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPMouseManager.h"

BOOL CXTPCommandBar::IsVisibleOnScreen() const
{
    HWND hWnd = GetSafeHwnd();
    if (!hWnd || !IsVisible() || !::IsWindowVisible(hWnd))
        return FALSE;
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    return !::IsRectEmpty(&rc);
}

BOOL CXTPCommandBar::IsDwmEnabled() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return GetPosition() == xtpBarTop && pCommandBars && pCommandBars->IsDwmEnabled();
}

void CXTPCommandBar::SetVisible(BOOL bVisible)
{
    if (GetSafeHwnd())
        ShowWindow(bVisible ? SW_SHOWNA : SW_HIDE);
}

void CXTPCommandBar::OnRemoved()
{
    if (IsTrackingMode())
        SetTrackingMode(FALSE);
    XTPKeyboardManager()->UnhookKeyboard(this);
    GetHookManager()->RemoveAll(this);
    if (XTPMouseManager()->GetSelected() == this)
        XTPMouseManager()->SetSelected(nullptr);
    if (m_pControls)
        m_pControls->RemoveAll();
    if (GetSafeHwnd())
        DestroyWindow();
}
