#include "toolkit/commandbars/bars/XTPReBar.h"

#include "framework/FrameWnd.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "toolkit/commandbars/docking/XTPDockBar.h"

IMPLEMENT_DYNAMIC(CXTPReBar, CReBar)

namespace
{
// One row as long as any frame gets, laid out for good.
const int kReBarRowLength = 32000;
const DWORD kReBarLayoutMode = LM_HORZ | LM_HORZDOCK | LM_COMMIT;
// A toolbar in a band neither docks elsewhere nor floats, and the band draws the gripper.
const DWORD kReBarClearedFlags = xtpFlagAlignAny | xtpFlagFloating;
} // namespace

BOOL CXTPReBar::AddToolBar(CXTPToolBar* pToolBar, DWORD dwStyle)
{
    if (!pToolBar || !pToolBar->GetSafeHwnd())
        return FALSE;
    const CSize size = pToolBar->CalcDynamicLayout(kReBarRowLength, kReBarLayoutMode);
    pToolBar->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    if (CXTPDockBar* pDockBar = pToolBar->GetDockBar())
        pDockBar->RemoveCommandBar(pToolBar);
    pToolBar->ModifyFlags(0, kReBarClearedFlags);
    pToolBar->SetShowGripper(FALSE);

    if (!AddBar(pToolBar, nullptr, nullptr, dwStyle))
        return FALSE;

    REBARBANDINFOA rbbi = {};
    rbbi.fMask = RBBIM_ID;
    rbbi.wID = pToolBar->GetBarID();
    SetBandInfo(GetBandCount() - 1, &rbbi);
    return TRUE;
}

CXTPToolBar* CXTPReBar::GetToolBar(int nBand) const
{
    REBARBANDINFOA rbbi = {};
    rbbi.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE;
    if (!GetBandInfo(nBand, &rbbi) || !rbbi.hwndChild)
        return nullptr;
    return DYNAMIC_DOWNCAST(CXTPToolBar, CWnd::FromHandlePermanent(rbbi.hwndChild));
}

int CXTPReBar::FindBand(CXTPToolBar* pToolBar) const
{
    if (!pToolBar)
        return -1;
    for (int nBand = GetBandCount() - 1; nBand >= 0; --nBand)
    {
        if (GetToolBar(nBand) == pToolBar)
            return nBand;
    }
    return -1;
}

void CXTPReBar::RemoveToolBar(CXTPToolBar* pToolBar)
{
    const int nBand = FindBand(pToolBar);
    if (nBand != -1)
        DeleteBand(nBand);
}
