#include "toolkit/commandbars/controls/XTPControlAction.h"

#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/common/resources/XTPResourceManager.h"

IMPLEMENT_DYNAMIC(CXTPControlAction, CCmdTarget)
IMPLEMENT_DYNAMIC(CXTPControlActions, CCmdTarget)

CXTPControlAction::CXTPControlAction(CXTPControlActions* pActions) : m_pActions(pActions)
{
}

CXTPControlAction::~CXTPControlAction()
{
    RemoveAllControls();
    if (m_pTarget)
        m_pTarget->InternalRelease();
}

void CXTPControlAction::SetTarget(CCmdTarget* pTarget)
{
    if (pTarget == m_pTarget)
        return;
    if (m_pTarget)
        m_pTarget->InternalRelease();
    m_pTarget = pTarget;
}

CXTPCommandBars* CXTPControlAction::GetCommandBars() const
{
    return m_pActions ? m_pActions->GetCommandBars() : nullptr;
}

CXTPControl* CXTPControlAction::GetControl(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrControls.GetSize() ? m_arrControls[nIndex] : nullptr;
}

BOOL CXTPControlAction::GetEnabled() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->IsCustomizeMode())
        return TRUE;
    return m_bEnabled;
}

void CXTPControlAction::NotifyChanged(int nProperty, BOOL bLayout)
{
    CArray<CXTPControl*, CXTPControl*> controls;
    controls.Copy(m_arrControls);
    for (INT_PTR i = 0; i < controls.GetSize(); ++i)
    {
        controls[i]->OnActionChanged(nProperty);
        if (bLayout)
            controls[i]->DelayLayoutParent();
        else
            controls[i]->RedrawParent();
    }
}

void CXTPControlAction::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled != bEnabled)
    {
        m_bEnabled = bEnabled;
        NotifyChanged(xtpActionPropertyEnabled, FALSE);
    }
}

void CXTPControlAction::SetChecked(BOOL bChecked)
{
    if (m_bChecked != bChecked)
    {
        m_bChecked = bChecked;
        NotifyChanged(xtpActionPropertyChecked, FALSE);
    }
}

void CXTPControlAction::SetVisible(BOOL bVisible)
{
    if (m_bVisible != bVisible)
    {
        m_bVisible = bVisible;
        NotifyChanged(xtpActionPropertyVisible, TRUE);
    }
}

void CXTPControlAction::SetCaption(LPCSTR lpszCaption)
{
    CString str(lpszCaption ? lpszCaption : "");
    int nTab = str.Find('\t');
    if (nTab >= 0)
        str = str.Left(nTab);
    if (str == m_strCaption)
        return;
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); ++i)
        m_arrControls[i]->OnActionChanging(xtpActionPropertyCaption);
    m_strCaption = str;
    NotifyChanged(xtpActionPropertyCaption, TRUE);
}

void CXTPControlAction::SetPrompt(LPCSTR lpszPrompt)
{
    // Without a caption part the caption stays empty: GetCaption answers the tooltip.
    CString strCaptionPart;
    if (XTPApplyCommandPrompt(lpszPrompt, m_strDescriptionText, m_strTooltipText, m_strKeyboardTip,
                              strCaptionPart) &&
        m_strCaption.IsEmpty())
        m_strCaption = strCaptionPart;
}

void CXTPControlAction::AttachControl(CXTPControl* pControl)
{
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); ++i)
    {
        if (m_arrControls[i] == pControl)
            return;
    }
    m_arrControls.Add(pControl);
    pControl->m_pAction = this;
    pControl->m_bEnabled = -1;
    pControl->m_bChecked = -1;
    pControl->m_nId = m_nId;
    pControl->m_strCaption.Empty();
    pControl->m_strTooltipText.Empty();
    pControl->m_strDescriptionText.Empty();
    pControl->m_strCategory.Empty();
    pControl->m_strShortcutText.Empty();
    pControl->m_strKeyboardTip.Empty();
}

void CXTPControlAction::DetachControl(CXTPControl* pControl)
{
    for (INT_PTR i = m_arrControls.GetSize() - 1; i >= 0; --i)
    {
        if (m_arrControls[i] == pControl)
            m_arrControls.RemoveAt(i);
    }
    if (pControl->m_pAction == this)
    {
        pControl->m_pAction = nullptr;
        pControl->m_bEnabled = 1;
        pControl->m_bChecked = 0;
    }
}

void CXTPControlAction::RemoveAllControls()
{
    while (m_arrControls.GetSize() > 0)
    {
        CXTPControl* pControl = m_arrControls[m_arrControls.GetSize() - 1];
        pControl->SetAction(nullptr);
        if (m_arrControls.GetSize() > 0 && m_arrControls[m_arrControls.GetSize() - 1] == pControl)
            m_arrControls.RemoveAt(m_arrControls.GetSize() - 1); // never loop on a control that stays
    }
}

// ---------------------------------------------------------------- collection

CXTPControlActions::CXTPControlActions(CXTPCommandBars* pCommandBars) : m_pCommandBars(pCommandBars)
{
}

CXTPControlActions::~CXTPControlActions()
{
    RemoveAll();
}

CXTPControlAction* CXTPControlActions::FindAction(int nId) const
{
    if (nId < 1 || nId > 0xFFFFFFE)
        return nullptr;
    INT_PTR nLow = 0, nHigh = m_arrActions.GetSize() - 1;
    while (nLow <= nHigh)
    {
        INT_PTR nMid = (nLow + nHigh) / 2;
        int nMidId = m_arrActions[nMid]->GetID();
        if (nMidId == nId)
            return m_arrActions[nMid];
        if (nMidId < nId)
            nLow = nMid + 1;
        else
            nHigh = nMid - 1;
    }
    return nullptr;
}

CXTPControlAction* CXTPControlActions::Add(int nId)
{
    if (CXTPControlAction* pExisting = FindAction(nId))
        return pExisting;
    CXTPControlAction* pAction = new CXTPControlAction(this);
    pAction->SetID(nId);
    CString str;
    if (nId > 0 && GetResourceManager()->LoadString(&str, static_cast<UINT>(nId)) && !str.IsEmpty())
        pAction->SetPrompt(str);
    INT_PTR nIndex = 0;
    while (nIndex < m_arrActions.GetSize() && m_arrActions[nIndex]->GetID() <= nId)
        ++nIndex;
    m_arrActions.InsertAt(nIndex, pAction);
    return pAction;
}

CXTPControlAction* CXTPControlActions::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_arrActions.GetSize())
        return nullptr;
    return m_arrActions[nIndex];
}

void CXTPControlActions::RemoveAll()
{
    for (INT_PTR i = 0; i < m_arrActions.GetSize(); ++i)
    {
        m_arrActions[i]->RemoveAllControls();
        m_arrActions[i]->InternalRelease();
    }
    m_arrActions.RemoveAll();
}
