// CXTPControlCheckBox (type 9) and CXTPControlRadioButton (type 11): buttons the paint manager draws
// with a check mark or a radio dot; the space key clicks them as the keyboard would.
#pragma once

#include "toolkit/commandbars/controls/XTPControlButton.h"

class CXTPControlCheckBox : public CXTPControlButton
{
    DECLARE_SERIAL(CXTPControlCheckBox)

public:
    CXTPControlCheckBox();

    // Only the space key: a keyboard click.
    BOOL OnKeyDown(UINT nChar, UINT nFlags) override;
    // A bar offers its hot control each key first: the space key is taken (1) through OnKeyDown.
    BOOL OnHookKeyDown(UINT nChar, LPARAM lParam) override;
};

class CXTPControlRadioButton : public CXTPControlButton
{
    DECLARE_SERIAL(CXTPControlRadioButton)

public:
    CXTPControlRadioButton();

    // Only the space key: a keyboard click.
    BOOL OnKeyDown(UINT nChar, UINT nFlags) override;
    // A bar offers its hot control each key first: the space key is taken (1) through OnKeyDown.
    BOOL OnHookKeyDown(UINT nChar, LPARAM lParam) override;
};
