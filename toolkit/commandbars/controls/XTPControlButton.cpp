#include "toolkit/commandbars/controls/XTPControlButton.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/common/persist/XTPPropExchange.h"

IMPLEMENT_SERIAL(CXTPControlButton, CXTPControl, XTP_CONTROL_CLASS_SCHEMA)

CXTPControlButton::CXTPControlButton()
{
    m_controlType = xtpControlButton;
}

void CXTPControlButton::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControl::Copy(pControl, bRecursive);
}

void CXTPControlButton::OnClick(BOOL bKeyboard, CPoint /*pt*/)
{
    if (!GetEnabled())
        return;
    if (IsCustomizeMode())
        return; // drag-and-drop customisation starts here (a later part)
    if (bKeyboard)
    {
        OnExecute();
        return;
    }
    if (m_pParent && m_pParent->IsPopupType())
        return; // executes on the button's release
    TrackPushed(); // a held press: executes when released over the button
}

void CXTPControlButton::OnLButtonUp(CPoint /*point*/)
{
    if (GetEnabled() && m_pParent && m_pParent->IsPopupType())
        OnExecute();
}

void CXTPControlButton::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    if (pPX->m_nSchema < 18)
        ExchangeIntProperty(pPX, "Style", m_buttonStyle, 0);
}
