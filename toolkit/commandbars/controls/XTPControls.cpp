#include "toolkit/commandbars/controls/XTPControls.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/controls/XTPControlAction.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControlCheckBox.h"
#include "toolkit/commandbars/controls/XTPControlLabel.h"
#include "toolkit/commandbars/controls/XTPControlToolbars.h"
#include "toolkit/commandbars/controls/XTPControlWindowList.h"
#include "toolkit/commandbars/controls/XTPControlComboBox.h"
#include "toolkit/commandbars/controls/XTPControlCustom.h"
#include "toolkit/commandbars/controls/XTPControlEdit.h"
#include "toolkit/commandbars/controls/XTPControlPopup.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"

#include <map>

IMPLEMENT_DYNCREATE(CXTPControls, CCmdTarget)
IMPLEMENT_DYNCREATE(CXTPOriginalControls, CXTPControls)

namespace
{
std::map<int, CXTPControls::PFNCREATECONTROL>& ControlMakers()
{
    static std::map<int, CXTPControls::PFNCREATECONTROL> makers;
    return makers;
}

// Ids that never get an action: the toolkit's own commands.
BOOL IsActionId(int nId)
{
    if (nId < 1 || nId > 0xFFFFFFE)
        return FALSE;
    if (nId >= ID_TK_NOACTION_FIRST && nId <= ID_TK_NOACTION_LAST)
        return FALSE;
    return !(nId >= ID_TK_WINDOW_LIST && nId <= ID_TK_RECENT_FILE_LIST);
}
} // namespace

CXTPControls::PFNCREATECONTROL CXTPControls::RegisterControlType(int nType, PFNCREATECONTROL pfnCreate)
{
    PFNCREATECONTROL pfnOld = nullptr;
    auto it = ControlMakers().find(nType);
    if (it != ControlMakers().end())
        pfnOld = it->second;
    ControlMakers()[nType] = pfnCreate;
    return pfnOld;
}

CXTPControl* CXTPControls::CreateControlByType(int nType, int nId, BOOL bTemporary)
{
    if (nType < xtpControlButton || nType > xtpControlRadioButton)
        return nullptr;
    auto it = ControlMakers().find(nType);
    if (it != ControlMakers().end() && it->second)
    {
        if (CXTPControl* pControl = it->second(nType, nId, bTemporary))
            return pControl;
    }
    if (nType == xtpControlButton)
    {
        // The list placeholders are buttons of their own commands.
        if (nId == ID_TK_WINDOW_LIST)
            return new CXTPControlWindowList();
        if (nId == XTP_ID_TOOLBARLIST)
            return new CXTPControlToolbars();
        return new CXTPControlButton();
    }
    if (nType == xtpControlLabel)
        return new CXTPControlLabel();
    if (nType == xtpControlCheckBox)
        return new CXTPControlCheckBox();
    if (nType == xtpControlRadioButton)
        return new CXTPControlRadioButton();
    // The popup kinds (popup, button popup, split button popup).
    if (nType == xtpControlPopup || nType == xtpControlButtonPopup || nType == xtpControlSplitButtonPopup)
        return CXTPControlPopup::CreateControlPopup(nType);
    if (nType == xtpControlCustom)
        return new CXTPControlCustom();
    if (nType == xtpControlEdit)
        return new CXTPControlEdit();
    if (nType == xtpControlComboBox)
        return new CXTPControlComboBox();
    return nullptr; // the kind has not joined yet
}

CXTPControls::CXTPControls() = default;

CXTPControls::~CXTPControls()
{
    RemoveAll();
    if (m_pOriginalControls)
        m_pOriginalControls->InternalRelease();
}

CXTPControl* CXTPControls::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_arrControls.GetSize())
        return nullptr;
    return m_arrControls[nIndex];
}

CXTPCommandBars* CXTPControls::GetCommandBars() const
{
    if (m_pParent && m_pParent->GetCommandBars())
        return m_pParent->GetCommandBars();
    return m_pCommandBars;
}

void CXTPControls::SetParent(CXTPCommandBar* pParent)
{
    m_pParent = pParent;
    RefreshIndexes();
}

CXTPControl* CXTPControls::InsertAt(CXTPControl* pControl, int nIndex)
{
    if (!pControl)
        return nullptr;
    if (nIndex < 0 || nIndex >= m_arrControls.GetSize())
        nIndex = static_cast<int>(m_arrControls.GetSize());
    m_arrControls.InsertAt(nIndex, pControl);
    OnControlAdded(pControl);
    return pControl;
}

void CXTPControls::OnControlAdded(CXTPControl*)
{
    RefreshIndexes();
}

void CXTPControls::RefreshIndexes()
{
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); ++i)
    {
        CXTPControl* pControl = m_arrControls[i];
        pControl->m_nIndex = static_cast<int>(i);
        pControl->m_pControls = this;
        pControl->SetParent(m_pParent);
    }
    if (m_pParent)
        m_pParent->OnControlsChanged();
}

CXTPControl* CXTPControls::Add(CXTPControl* pControl, int nId, LPCSTR lpszParameter, int nBefore, BOOL bTemporary)
{
    if (!pControl)
        return nullptr;
    pControl->m_strParameter = lpszParameter ? lpszParameter : "";
    pControl->m_bTemporary = bTemporary;
    if (!pControl->m_pAction)
    {
        CXTPCommandBars* pCommandBars = GetCommandBars();
        CXTPControlAction* pAction =
            pCommandBars && pCommandBars->GetActions() ? pCommandBars->GetActions()->FindAction(nId) : nullptr;
        if (!pAction && pCommandBars && pCommandBars->GetActions() && IsActionId(nId))
            pAction = pCommandBars->CreateAction(nId);
        if (pAction)
            pControl->SetAction(pAction);
        else
            pControl->SetID(nId);
    }
    return InsertAt(pControl, nBefore);
}

CXTPControl* CXTPControls::AddByType(int nType, int nId, LPCSTR lpszParameter, int nBefore, BOOL bTemporary)
{
    CXTPControl* pControl = CreateControlByType(nType, nId, bTemporary);
    if (!pControl)
        return nullptr;
    // A popup kind opens a bar of its own, from the menu resource of its id when there is one.
    CString strCaption;
    CXTPControlPopup* pPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, pControl);
    if (pPopup && !pPopup->GetCommandBar() &&
        (nType == xtpControlPopup || nType == xtpControlButtonPopup || nType == xtpControlSplitButtonPopup))
        strCaption = AttachPopupBar(pPopup, nId);
    pControl->m_controlType = nType;
    Add(pControl, nId, lpszParameter, nBefore, bTemporary);
    if (!strCaption.IsEmpty())
        pControl->SetCaption(strCaption);
    return pControl;
}

CXTPControl* CXTPControls::SetControlType(CXTPControl* pControl, int nType)
{
    if (!pControl || pControl->m_pControls != this)
        return nullptr;
    auto isPopupType = [](int n) {
        return n == xtpControlPopup || n == xtpControlButtonPopup || n == xtpControlSplitButtonPopup;
    };
    const int nOldType = pControl->GetType();
    if (nOldType == nType)
        return pControl;
    if (isPopupType(nOldType) && isPopupType(nType))
    {
        pControl->SetType(nType);
        pControl->DelayLayoutParent();
        return pControl;
    }
    CXTPControl* pNew = AddByType(nType, pControl->GetID(), pControl->GetParameter(), pControl->GetIndex() + 1,
                                  pControl->IsTemporary());
    if (!pNew)
        return nullptr;
    pNew->Copy(pControl);
    pNew->SetType(nType);
    Remove(pControl);
    return pNew;
}

CXTPControl* CXTPControls::AddClone(CXTPControl* pSource, int nBefore, BOOL bRecursive)
{
    if (!pSource)
        return nullptr;
    CXTPControl* pControl = static_cast<CXTPControl*>(pSource->GetRuntimeClass()->CreateObject());
    if (!pControl)
        return nullptr;
    InsertAt(pControl, nBefore);
    pControl->Copy(pSource, bRecursive);
    return pControl;
}

void CXTPControls::Remove(CXTPControl* pControl)
{
    if (!pControl || pControl->m_pControls != this)
        return;
    INT_PTR nIndex = -1;
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); ++i)
    {
        if (m_arrControls[i] == pControl)
            nIndex = i;
    }
    if (nIndex < 0)
        return;
    if (m_pParent && m_pParent->GetSelected() == pControl->m_nIndex)
        m_pParent->SetSelected(-1);
    if (IsControlKept(pControl))
        return;
    m_arrControls.RemoveAt(nIndex);
    DetachControl(pControl);
    pControl->SetParent(nullptr);
    pControl->InternalRelease();
}

void CXTPControls::DetachControl(CXTPControl* pControl)
{
    pControl->m_pControls = nullptr;
    pControl->OnRemoved();
    pControl->SetParent(nullptr);
    RefreshIndexes();
}

void CXTPControls::RemoveAt(int nIndex)
{
    Remove(GetAt(nIndex));
}

void CXTPControls::RemoveAll()
{
    for (int i = GetCount() - 1; i >= 0; --i)
        Remove(GetAt(i));
}

CXTPControl* CXTPControls::FindControl(int nType, int nId, BOOL bVisible, BOOL bRecursive) const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        CXTPControl* pControl = GetAt(i);
        if ((nType == 0 || pControl->GetType() == nType) && (nId == -1 || pControl->GetID() == nId) &&
            (!bVisible || pControl->IsVisible()))
            return pControl;
        if (bRecursive && pControl->GetCommandBar() && pControl->GetCommandBar()->GetControls())
        {
            CXTPControl* pFound =
                pControl->GetCommandBar()->GetControls()->FindControl(nType, nId, bVisible, bRecursive);
            if (pFound)
                return pFound;
        }
    }
    return nullptr;
}

CXTPControl* CXTPControls::HitTest(CPoint point) const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        CXTPControl* pControl = GetAt(i);
        if (pControl->IsVisible() && pControl->GetRect().PtInRect(point))
            return pControl;
    }
    return nullptr;
}

int CXTPControls::GetVisibleCount(BOOL bStrict) const
{
    int nCount = 0;
    for (int i = 0; i < GetCount(); ++i)
        nCount += GetAt(i)->IsVisible(bStrict ? 0 : xtpHideWrap) ? 1 : 0;
    return nCount;
}

CXTPControl* CXTPControls::GetVisibleControl(int nIndex, BOOL bStrict) const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        if (GetAt(i)->IsVisible(bStrict ? 0 : xtpHideWrap) && nIndex-- == 0)
            return GetAt(i);
    }
    return nullptr;
}

int CXTPControls::FindNextIndex(int nStart, int nStep, BOOL bSkipNonNavigable, BOOL bSkipTemporary,
                                BOOL bMenuMode) const
{
    int nCount = GetCount();
    if (nCount == 0)
        return -1;
    int nIndex = nStart;
    if (nStart == -1 && nStep < 0)
        nIndex = nCount; // begins at the last control
    int nWraps = 0;
    for (;;)
    {
        nIndex += nStep;
        if (nIndex < 0 || nIndex >= nCount)
        {
            if (nStart == -1)
                return -1; // a walk that began at -1 does not wrap
            if (++nWraps > 1)
                return -1;
            nIndex = nIndex < 0 ? nCount - 1 : 0;
        }
        if (nIndex == nStart)
            return nStart;
        CXTPControl* pControl = GetAt(nIndex);
        if (!pControl->IsVisible(bMenuMode ? xtpHideScroll : (xtpHideScroll | xtpHideExpand)))
            continue;
        if (bSkipNonNavigable && (pControl->GetFlags() & xtpFlagSkipFocus))
            continue;
        if (bSkipTemporary && pControl->IsTemporary())
            continue;
        return nIndex;
    }
}

void CXTPControls::Copy(CXTPControls* pSource, BOOL bRecursive)
{
    if (!pSource || pSource == this)
        return; // copying from itself would empty the collection
    RemoveAll();
    for (int i = 0; i < pSource->GetCount(); ++i)
    {
        CXTPControl* pControl = pSource->GetAt(i);
        if (pControl->IsTemporary())
            continue;
        CXTPControl* pClone = pControl->Clone(bRecursive);
        if (pClone)
            InsertAt(pClone, -1);
    }
    CXTPOriginalControls* pOriginal = nullptr;
    if (pSource->m_pOriginalControls)
    {
        pOriginal = new CXTPOriginalControls();
        pOriginal->Copy(pSource->m_pOriginalControls, bRecursive);
    }
    SetOriginalControls(pOriginal);
}

void CXTPControls::CreateOriginalControls()
{
    CXTPOriginalControls* pOriginal = new CXTPOriginalControls();
    for (int i = 0; i < GetCount(); ++i)
    {
        if (GetAt(i)->IsTemporary())
            continue;
        CXTPControl* pClone = GetAt(i)->Clone(TRUE);
        if (pClone)
            pOriginal->InsertAt(pClone, -1);
    }
    SetOriginalControls(pOriginal);
}

void CXTPControls::SetOriginalControls(CXTPOriginalControls* pOriginal)
{
    if (m_pOriginalControls && m_pOriginalControls != pOriginal)
        m_pOriginalControls->InternalRelease();
    m_pOriginalControls = pOriginal;
}

BOOL CXTPControls::IsEqual(const CXTPControls* pOther) const
{
    if (!pOther)
        return FALSE;
    int i = 0, j = 0;
    for (;;)
    {
        while (i < GetCount() && GetAt(i)->IsTemporary())
            ++i;
        while (j < pOther->GetCount() && pOther->GetAt(j)->IsTemporary())
            ++j;
        if (i >= GetCount() || j >= pOther->GetCount())
            return i >= GetCount() && j >= pOther->GetCount();
        if (!GetAt(i)->Compare(pOther->GetAt(j)))
            return FALSE;
        ++i;
        ++j;
    }
}

BOOL CXTPControls::IsChanged() const
{
    return !m_pOriginalControls || !IsEqual(m_pOriginalControls);
}
