#include "toolkit/themes/classic/XTPVisualStudio6Theme.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"

IMPLEMENT_DYNAMIC(CXTPVisualStudio6Theme, CXTPDefaultTheme)

CSize CXTPVisualStudio6Theme::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    if (!pBar || pBar->IsKindQuery1() || pBar->GetPosition() == xtpBarFloating)
        return CXTPDefaultTheme::DrawCommandBarGripper(pDC, pBar, bDraw);
    if (!pBar->HasGripper() || pBar->IsPopupType())
        return CSize(0, 0);
    const int nPosition = pBar->GetPosition();
    CRect rc;
    if (pBar->GetSafeHwnd())
        ::GetClientRect(pBar->GetSafeHwnd(), &rc);
    if (nPosition == xtpBarTop || nPosition == xtpBarBottom)
    {
        if (bDraw)
        {
            Draw3dRect(pDC, CRect(3, 3, 6, rc.bottom - 3), COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
            Draw3dRect(pDC, CRect(7, 3, 10, rc.bottom - 3), COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
        }
        return CSize(10, 0);
    }
    if (IsVerticalPosition(nPosition))
    {
        if (bDraw)
        {
            Draw3dRect(pDC, CRect(3, 3, rc.right - 3, 6), COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
            Draw3dRect(pDC, CRect(3, 7, rc.right - 3, 10), COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
        }
        return CSize(0, 10);
    }
    return CSize(0, 0);
}
