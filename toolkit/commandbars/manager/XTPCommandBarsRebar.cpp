// The manager's rebar host: toolbars of a site that holds a CXTPReBar live in its bands.
#include "toolkit/commandbars/manager/XTPCommandBars.h"

#include "framework/FrameworkIds.h"
#include "toolkit/commandbars/bars/XTPReBar.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"

namespace
{
// Each toolbar starts a row of its own and always shows the band's gripper.
const DWORD kRebarBandStyle = RBBS_BREAK | RBBS_GRIPPERALWAYS;
} // namespace

CXTPReBar* CXTPCommandBars::GetRebar() const
{
    CWnd* pSite = GetSite();
    if (!pSite || !pSite->GetSafeHwnd())
        return nullptr;
    HWND hWndRebar = ::GetDlgItem(pSite->GetSafeHwnd(), AFX_IDW_REBAR);
    return hWndRebar ? DYNAMIC_DOWNCAST(CXTPReBar, CWnd::FromHandlePermanent(hWndRebar)) : nullptr;
}

void CXTPCommandBars::AddRebarBand(CXTPCommandBar* pCommandBar)
{
    CXTPReBar* pRebar = GetRebar();
    CXTPToolBar* pToolBar = DYNAMIC_DOWNCAST(CXTPToolBar, pCommandBar);
    if (pRebar && pToolBar)
        pRebar->AddToolBar(pToolBar, kRebarBandStyle);
}

void CXTPCommandBars::RemoveRebarBand(CXTPCommandBar* pCommandBar)
{
    CXTPReBar* pRebar = GetRebar();
    CXTPToolBar* pToolBar = DYNAMIC_DOWNCAST(CXTPToolBar, pCommandBar);
    if (pRebar && pToolBar)
        pRebar->RemoveToolBar(pToolBar);
}
