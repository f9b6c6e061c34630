#include "toolkit/commandbars/bars/XTPMessageBarButton.h"

CXTPMessageBarButton::CXTPMessageBarButton(UINT nId, LPCSTR lpszCaption, LPCSTR lpszToolTip)
    : m_nId(nId), m_strCaption(lpszCaption ? lpszCaption : ""), m_strToolTip(lpszToolTip ? lpszToolTip : "")
{
}
