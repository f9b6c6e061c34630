#include "toolkit/commandbars/manager/XTPCommandBarsFrameHook.h"

#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"

CXTPCommandBarsFrameHook::~CXTPCommandBarsFrameHook()
{
    SetCommandBars(nullptr);
}

void CXTPCommandBarsFrameHook::SetCommandBars(CXTPCommandBars* pCommandBars)
{
    if (pCommandBars == m_pCommandBars)
        return;
    m_pCommandBars = pCommandBars;
    m_bActive = TRUE;
    m_bDwmEnabled = FALSE;
    CWnd* pSite = pCommandBars ? pCommandBars->GetSite() : nullptr;
    m_hwndSite = pSite ? pSite->GetSafeHwnd() : nullptr;
    if (m_hwndSite && ::IsWindow(m_hwndSite))
    {
        const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongA(m_hwndSite, GWL_STYLE));
        m_bDwmEnabled = (dwStyle & WS_CHILD) == 0 && GetCommandBarsSystemQuery()->IsCompositionEnabled();
    }
}

int CXTPCommandBarsFrameHook::OnHookMessage(HWND /*hWnd*/, UINT /*nMessage*/, WPARAM& /*wParam*/,
                                            LPARAM& /*lParam*/, LRESULT& /*lResult*/)
{
    return 0; // the frame is left to the system
}
