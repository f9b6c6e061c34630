// CXTPControlButton: the plain push button, base of most control kinds.
#pragma once

#include "toolkit/commandbars/controls/XTPControl.h"

class CXTPControlButton : public CXTPControl
{
    DECLARE_SERIAL(CXTPControlButton)

public:
    CXTPControlButton();

    void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    void OnLButtonUp(CPoint point) override;
    void DoPropExchange(CXTPPropExchange* pPX) override;
};
