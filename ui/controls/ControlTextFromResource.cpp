#include "ui/controls/ControlTextFromResource.h"

#include "framework/FrameworkString.h"
#include "toolkit/commandbars/controls/XTPControl.h"

BOOL SetControlTextFromResource(UINT stringId, CXTPControl* control)
{
    if (!control)
        return FALSE;
    control->SetStyle(xtpButtonIconAndCaption);
    CString text;
    if (!text.LoadString(stringId))
        return FALSE;
    CString caption = text, tooltip;
    const int feed = text.Find('\n');
    if (feed >= 0)
    {
        caption = text.Left(feed);
        tooltip = text.Mid(feed + 1);
    }
    if (!tooltip.IsEmpty())
        control->SetTooltip(tooltip);
    if (caption.IsEmpty())
        return FALSE;
    control->SetCaption(caption);
    return TRUE;
}
