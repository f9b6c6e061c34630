// CXTPVisualStudio6Theme: the classic look with a double gripper (theme 8, which reports 0).
#pragma once

#include "toolkit/commandbars/paint/XTPPaintManager.h"

class CXTPVisualStudio6Theme : public CXTPDefaultTheme
{
    DECLARE_DYNAMIC(CXTPVisualStudio6Theme)

public:
    // Two raised bars (3 to 6 and 7 to 10 across the bar's start), gripper size 10; dialog bars and
    // floating bars as in the default theme.
    CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) override;
};
