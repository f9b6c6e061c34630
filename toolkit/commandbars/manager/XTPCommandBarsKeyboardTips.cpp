// The manager's keyboard tips: it owns the shown tip windows, the bar they belong to and the level.
#include "toolkit/commandbars/manager/XTPCommandBars.h"

#include "framework/DC.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/bars/XTPCommandBarKeyboardTip.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"

namespace
{
const BYTE kDisabledTipAlpha = 150;
}

void CXTPCommandBars::HideKeyboardTips()
{
    // Take the list first: destroying a window may bring a caller back here.
    CXTPKeyboardTipArray tips;
    tips.Copy(m_arrKeyboardTips);
    m_arrKeyboardTips.RemoveAll();
    m_pKeyboardTipsOwner = nullptr;
    m_nKeyboardTipsLevel = 0;
    m_nKeyboardTipsPrefix = 0;
    for (INT_PTR i = 0; i < tips.GetSize(); ++i)
        delete tips[i]; // destroys the window
}

void CXTPCommandBars::CreateKeyboardTips(CXTPCommandBar* pCommandBar)
{
    if (pCommandBar)
        pCommandBar->CreateKeyboardTips();
}

void CXTPCommandBars::ShowKeyboardTips(CXTPCommandBar* pCommandBar, int nLevel)
{
    HideKeyboardTips();
    if (!m_pOptions->bKeyboardTipsEnabled || !pCommandBar || !pCommandBar->GetSafeHwnd())
        return;
    if (m_pToolTipContext)
        m_pToolTipContext->DeactivateToolTip();
    pCommandBar->UpdateWindow();

    m_nKeyboardTipsLevel = nLevel;
    m_pKeyboardTipsOwner = pCommandBar;
    m_nKeyboardTipsPrefix = 0;
    CreateKeyboardTips(pCommandBar);
    if (m_arrKeyboardTips.GetSize() == 0)
    {
        m_pKeyboardTipsOwner = nullptr;
        return;
    }
    XTPAssignKeyboardTipKeys(m_arrKeyboardTips);

    CXTPPaintManager* pPaintManager = GetPaintManager();
    const BOOL bRightToLeft = (pCommandBar->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    CClientDC dc(pCommandBar);
    CFont* pOldFont = pPaintManager ? dc.SelectObject(pPaintManager->GetKeyboardTipFont()) : nullptr;
    for (INT_PTR i = 0; i < m_arrKeyboardTips.GetSize(); ++i)
    {
        CXTPCommandBarKeyboardTip* pTip = m_arrKeyboardTips[i];
        if (!pTip->m_bVisible)
            continue;
        CPoint pt = pTip->m_pt;
        if (CXTPControl* pControl = pTip->GetControl())
        {
            // A control's anchor lies in its bar's client area.
            CXTPCommandBar* pBar = pControl->GetParent();
            if (pBar && pBar->GetSafeHwnd())
                ::ClientToScreen(pBar->GetSafeHwnd(), &pt);
        }
        const CSize szText = dc.GetTextExtent(pTip->m_strTip);
        const CRect rc = XTPKeyboardTipRect(pt, szText, pTip->m_nAlign, bRightToLeft);
        const BOOL bLayered =
            !pTip->m_bEnabled && pPaintManager && pPaintManager->m_pfnSetLayeredWindowAttributes != nullptr;
        if (!pTip->CreateTipWindow(pCommandBar, rc, bLayered))
        {
            pTip->m_bVisible = FALSE;
            continue;
        }
        ::SetWindowPos(pTip->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        if (pPaintManager)
        {
            CClientDC dcTip(pTip);
            pPaintManager->DrawKeyboardTip(&dcTip, pTip, TRUE);
        }
        if (bLayered)
            pPaintManager->m_pfnSetLayeredWindowAttributes(pTip->GetSafeHwnd(), 0, kDisabledTipAlpha, LWA_ALPHA);
    }
    if (pOldFont)
        dc.SelectObject(pOldFont);
    for (INT_PTR i = 0; i < m_arrKeyboardTips.GetSize(); ++i)
    {
        CXTPCommandBarKeyboardTip* pTip = m_arrKeyboardTips[i];
        if (pTip->m_bVisible && pTip->GetSafeHwnd())
            ::SetWindowPos(pTip->GetSafeHwnd(), nullptr, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW |
                               SWP_NOOWNERZORDER);
    }
}
