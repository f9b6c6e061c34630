#include "toolkit/commandbars/controls/XTPControlCheckBox.h"

IMPLEMENT_SERIAL(CXTPControlCheckBox, CXTPControlButton, XTP_CONTROL_CLASS_SCHEMA)
IMPLEMENT_SERIAL(CXTPControlRadioButton, CXTPControlButton, XTP_CONTROL_CLASS_SCHEMA)

namespace
{
BOOL ClickOnSpace(CXTPControl* pControl, UINT nChar)
{
    if (nChar != VK_SPACE)
        return FALSE;
    pControl->OnClick(TRUE);
    return TRUE;
}
} // namespace

CXTPControlCheckBox::CXTPControlCheckBox()
{
    m_controlType = xtpControlCheckBox;
}

BOOL CXTPControlCheckBox::OnKeyDown(UINT nChar, UINT /*nFlags*/)
{
    return ClickOnSpace(this, nChar);
}

CXTPControlRadioButton::CXTPControlRadioButton()
{
    m_controlType = xtpControlRadioButton;
}

BOOL CXTPControlRadioButton::OnKeyDown(UINT nChar, UINT /*nFlags*/)
{
    return ClickOnSpace(this, nChar);
}

BOOL CXTPControlCheckBox::OnHookKeyDown(UINT nChar, LPARAM /*lParam*/)
{
    return OnKeyDown(nChar, 0) ? 1 : 0;
}

BOOL CXTPControlRadioButton::OnHookKeyDown(UINT nChar, LPARAM /*lParam*/)
{
    return OnKeyDown(nChar, 0) ? 1 : 0;
}
