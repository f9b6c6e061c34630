// Whether a control is drawn over desktop-composition glass (edit and combo text windows and
// hyperlinks draw differently there).
#include "toolkit/commandbars/controls/XTPControl.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"

BOOL CXTPControl::IsOnDwmGlass() const
{
    const CXTPCommandBar* pParent = GetParent();
    if (!pParent)
        return FALSE;
    if (pParent->IsRibbonBar())
    {
        CRect rcGlass = pParent->GetDwmGlassRect();
        CRect rcIntersect;
        if (!rcGlass.IsRectEmpty() && rcIntersect.IntersectRect(&rcGlass, &m_rcControl))
            return TRUE;
    }
    return pParent->IsDwmEnabled();
}
