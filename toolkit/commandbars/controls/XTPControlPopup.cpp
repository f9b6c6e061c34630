// CXTPControlPopup: opening and closing its bar, clicks and hover, the split halves, copies,
// comparison and persistence.
#include "toolkit/commandbars/controls/XTPControlPopup.h"

#include "framework/Menu.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/bars/XTPCommandBarList.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/managers/XTPShadowManager.h"
#include "toolkit/common/persist/XTPPropExchange.h"

#include <map>
#include <vector>

IMPLEMENT_SERIAL(CXTPControlPopup, CXTPControlButton, XTP_CONTROL_CLASS_SCHEMA)

namespace
{
// Bars linked by popup controls may form a cycle (a sub-menu that opens one of its ancestors).
// Walks that follow the links keep the bars they are inside of here and do not enter one twice.
// UI thread only, like every bar.
std::vector<const CXTPCommandBar*>& BarsBeingCompared()
{
    static std::vector<const CXTPCommandBar*> s_bars;
    return s_bars;
}
std::map<const CXTPCommandBar*, CXTPCommandBar*>& BarsBeingCloned()
{
    static std::map<const CXTPCommandBar*, CXTPCommandBar*> s_bars;
    return s_bars;
}
BOOL Contains(const std::vector<const CXTPCommandBar*>& bars, const CXTPCommandBar* pBar)
{
    for (const CXTPCommandBar* p : bars)
    {
        if (p == pBar)
            return TRUE;
    }
    return FALSE;
}

// The bar reaches pTarget through the bars its popup controls open (itself included).
BOOL ReachesBar(const CXTPCommandBar* pBar, const CXTPCommandBar* pTarget, std::vector<const CXTPCommandBar*>& visited)
{
    if (!pBar)
        return FALSE;
    if (pBar == pTarget)
        return TRUE;
    if (Contains(visited, pBar))
        return FALSE;
    visited.push_back(pBar);
    CXTPControls* pControls = pBar->GetControls();
    for (int i = 0; pControls && i < pControls->GetCount(); ++i)
    {
        if (ReachesBar(pControls->GetAt(i)->GetCommandBar(), pTarget, visited))
            return TRUE;
    }
    return FALSE;
}

BOOL IsPopupType(int nType)
{
    return nType == xtpControlPopup || nType == xtpControlButtonPopup || nType == xtpControlSplitButtonPopup;
}
} // namespace

CXTPControlPopup::CXTPControlPopup()
{
    m_controlType = xtpControlPopup;
}

CXTPControlPopup::~CXTPControlPopup()
{
    if (m_pCommandBar)
    {
        CXTPCommandBar* pBar = m_pCommandBar;
        m_pCommandBar = nullptr;
        pBar->InternalRelease();
    }
}

CXTPControlPopup* CXTPControlPopup::CreateControlPopup(int nType)
{
    CXTPControlPopup* pControl = new CXTPControlPopup();
    pControl->m_controlType = IsPopupType(nType) ? nType : xtpControlPopup;
    return pControl;
}

void CXTPControlPopup::SetCommandBar(CXTPCommandBar* pBar)
{
    if (pBar)
        pBar->InternalAddRef();
    if (m_pCommandBar)
        m_pCommandBar->InternalRelease();
    m_pCommandBar = pBar;
}

void CXTPControlPopup::SetCommandBar(CMenu* pMenu)
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(GetCommandBars());
    if (!pPopup)
        return;
    if (pMenu)
        pPopup->LoadMenu(pMenu);
    SetCommandBar(pPopup);
    pPopup->InternalRelease();
}

// ---- opening and closing

BOOL CXTPControlPopup::SetPopup(BOOL bPopup)
{
    if (!m_pCommandBar)
        return FALSE;
    if (IsSplitButton() && m_bEnabled == xtpSplitCommandPart)
        return FALSE;
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return FALSE;

    m_bPopup = bPopup;
    if (!bPopup)
    {
        m_pCommandBar->SetTrackingMode(FALSE);
        RedrawParent();
        return TRUE;
    }

    RedrawParent(FALSE);
    if (CWnd* pSite = m_pParent->GetSite())
    {
        if (pSite->GetSafeHwnd())
            ::UpdateWindow(pSite->GetSafeHwnd());
    }
    ::UpdateWindow(m_pParent->GetSafeHwnd());

    if (!m_pCommandBar->IsTrackingMode())
    {
        const BOOL bKeyboard = m_bSelected == 2 || m_bSelected == 3;
        // The bar may go while it opens (its control leaves): keep it meanwhile.
        CXTPCommandBar* pBar = m_pCommandBar;
        pBar->InternalAddRef();
        const BOOL bOpened = pBar->Popup(this, bKeyboard);
        pBar->InternalRelease();
        if (!bOpened)
        {
            m_bPopup = FALSE;
            return FALSE;
        }
    }
    UpdateShadow();
    return TRUE;
}

void CXTPControlPopup::OnActivate()
{
    if (m_pCommandBar && m_pParent)
        m_pParent->SetPopupControl(m_nIndex, TRUE);
    else
        OnExecute();
}

int CXTPControlPopup::HitTestSplitPart(CPoint point) const
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CRect rcCommand = pPaintManager ? pPaintManager->GetSplitButtonCommandRect(const_cast<CXTPControlPopup*>(this))
                                    : m_rcControl;
    return rcCommand.PtInRect(point) ? xtpSplitCommandPart : xtpSplitDropDownPart;
}

void CXTPControlPopup::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (!GetEnabled() || !m_pParent)
        return;
    const BOOL bCustomize = IsCustomizeMode();
    if (bCustomize)
    {
        if (CXTPCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->SetDragControl(this);
    }
    if (m_bPopup && !m_pParent->IsPopupBar())
    {
        m_pParent->SetTrackingMode(FALSE);
    }
    else if (!bCustomize)
    {
        if (IsSplitButton())
        {
            if (bKeyboard)
            {
                if (m_bEnabled == xtpSplitDropDownPart)
                    m_pParent->SetPopupControl(m_nIndex, TRUE);
                else
                    OnExecute();
                return;
            }
            CXTPPaintManager* pPaintManager = GetPaintManager();
            CRect rcCommand = pPaintManager ? pPaintManager->GetSplitButtonCommandRect(this) : CRect();
            if (rcCommand.PtInRect(pt))
            {
                if (m_pParent->IsPopupType())
                {
                    ::KillTimer(m_pParent->GetSafeHwnd(), CXTPCommandBar::kTimerHover);
                    return;
                }
                if (m_bEnabled != xtpSplitDropDownPart)
                    TrackPushed(rcCommand);
                return;
            }
            if (m_bEnabled == xtpSplitCommandPart)
                return;
        }
        if (!m_pParent->SetPopupControl(m_nIndex, bKeyboard))
            return;
    }
    if (bCustomize)
        OnCustomizeMouseDown(pt);
}

void CXTPControlPopup::OnLButtonUp(CPoint point)
{
    if (!m_pCommandBar)
    {
        CXTPControlButton::OnLButtonUp(point);
        return;
    }
    if (IsSplitButton() && m_pParent && m_pParent->IsPopupType())
    {
        CXTPPaintManager* pPaintManager = GetPaintManager();
        const int nDropDown = pPaintManager ? pPaintManager->m_nSplitButtonDropDownWidth : 0;
        if (point.x < m_rcControl.right - nDropDown && m_bEnabled != xtpSplitDropDownPart && GetEnabled())
            OnExecute();
    }
}

BOOL CXTPControlPopup::OnLButtonDblClk(CPoint point)
{
    CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, m_pCommandBar);
    if (pPopup && (m_controlType == xtpControlPopup || m_controlType == xtpControlButtonPopup))
    {
        if (!m_bPopup)
        {
            OnClick(FALSE, point);
            return TRUE;
        }
        CXTPControls* pControls = pPopup->GetControls();
        for (int i = 0; i < pControls->GetCount(); ++i)
        {
            CXTPControl* pItem = pControls->GetAt(i);
            if (pItem->IsDefaultItem() && pItem->IsVisible() && pItem->GetEnabled())
            {
                pItem->OnExecute();
                return TRUE;
            }
        }
        if (pPopup->HasHiddenCommands() && !pPopup->IsExpanded())
            pPopup->ExpandBar();
        return TRUE;
    }
    return CXTPControlButton::OnLButtonDblClk(point);
}

void CXTPControlPopup::OnMouseMove(CPoint point)
{
    if (!IsSplitButton() || !m_pCommandBar || !GetEnabled() || !m_bSelected)
        return;
    const int nPart = HitTestSplitPart(point);
    if (nPart != m_bSelected)
    {
        m_bSelected = nPart;
        RedrawParent(FALSE);
    }
}

void CXTPControlPopup::OnMouseHover()
{
    if (GetEnabled() && m_pCommandBar && m_pParent &&
        (m_pParent->GetTrackingMode() == 2 || m_pParent->IsPopupBar()))
    {
        m_pParent->SetPopupControl(m_nIndex, FALSE);
        return;
    }
    CXTPControlButton::OnMouseHover();
}

BOOL CXTPControlPopup::OnSetSelected(int bSelected)
{
    if (!CXTPControlButton::OnSetSelected(bSelected))
        return FALSE;
    if (!m_pCommandBar || !m_pParent)
        return TRUE;

    if (bSelected == 1 && IsSplitButton() && m_pParent->GetSafeHwnd())
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_pParent->GetSafeHwnd(), &pt);
        if (m_rcControl.PtInRect(pt))
            OnMouseMove(pt);
    }

    if (m_controlType == xtpControlPopup || m_pParent->IsPopupType())
    {
        if (bSelected && GetEnabled() && m_pParent->GetTrackingMode() == 2 && !m_pParent->IsPopupBar())
            m_pParent->SetPopupControl(m_nIndex, bSelected == 2 || bSelected == 3);
        else if (!bSelected && m_bPopup && !m_pParent->IsPopupBar())
            m_pParent->SetPopupControl(-1);
    }
    else if ((bSelected == 2 || bSelected == 3) && GetEnabled() && m_pParent->GetTrackingMode() == 2)
    {
        m_pParent->SetPopupControl(m_nIndex, TRUE);
    }
    return TRUE;
}

BOOL CXTPControlPopup::IsRelatedPopup(const CXTPControlPopup* pOther) const
{
    if (!pOther)
        return FALSE;
    if (pOther == this)
        return TRUE;
    const CXTPCommandBar* pMine = m_pCommandBar;
    const CXTPCommandBar* pTheirs = pOther->m_pCommandBar;
    if (!pMine || !pTheirs)
        return FALSE;
    std::vector<const CXTPCommandBar*> visited;
    if (ReachesBar(pMine, pTheirs, visited))
        return TRUE;
    visited.clear();
    return ReachesBar(pTheirs, pMine, visited);
}

void CXTPControlPopup::OnCloseOtherPopups(CXTPControl* pOther)
{
    if (!m_pParent || !m_pCommandBar || !m_pCommandBar->IsVisible())
        return;
    CXTPControlPopup* pOtherPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, pOther);
    if (pOtherPopup && pOtherPopup != this && IsRelatedPopup(pOtherPopup))
    {
        m_pParent->SetPopupControl(-1);
        m_pParent->SetSelected(-1);
    }
}

BOOL CXTPControlPopup::CanDropInto(CXTPCommandBar* pBar) const
{
    if (!m_pCommandBar)
        return TRUE;
    // The parent chain is short; the bound only protects against a chain that loops.
    int nGuard = 0;
    for (CXTPCommandBar* p = pBar; p && nGuard < 256; p = p->GetParentCommandBar(), ++nGuard)
    {
        if (p == m_pCommandBar)
            return FALSE;
    }
    return TRUE;
}

// ---- comparison, copies, persistence

BOOL CXTPControlPopup::Compare(CXTPControl* pOther)
{
    if (!CXTPControlButton::Compare(pOther))
        return FALSE;
    CXTPControlPopup* pPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, pOther);
    if (!pPopup)
        return FALSE;
    if (!m_pCommandBar || !pPopup->m_pCommandBar)
        return TRUE;
    // A bar already being compared further up (a cycle) counts as equal here; the comparison
    // that entered it decides.
    std::vector<const CXTPCommandBar*>& inside = BarsBeingCompared();
    if (Contains(inside, m_pCommandBar))
        return TRUE;
    inside.push_back(m_pCommandBar);
    const BOOL bEqual = m_pCommandBar->GetControls()->IsEqual(pPopup->m_pCommandBar->GetControls());
    inside.pop_back();
    return bEqual;
}

void CXTPControlPopup::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControlButton::Copy(pControl, bRecursive);
    CXTPControlPopup* pSource = DYNAMIC_DOWNCAST(CXTPControlPopup, pControl);
    if (!pSource || pSource == this)
        return;
    m_bShowShadow = pSource->m_bShowShadow;
    CXTPCommandBar* pSourceBar = pSource->m_pCommandBar;
    if (!bRecursive || !pSourceBar)
    {
        SetCommandBar(pSourceBar);
        return;
    }
    // A bar already being cloned further up (a cycle) links to that clone, so the copy has the
    // same shape and the copying ends.
    std::map<const CXTPCommandBar*, CXTPCommandBar*>& cloning = BarsBeingCloned();
    auto it = cloning.find(pSourceBar);
    if (it != cloning.end())
    {
        SetCommandBar(it->second);
        return;
    }
    CXTPCommandBar* pClone = static_cast<CXTPCommandBar*>(pSourceBar->GetRuntimeClass()->CreateObject());
    if (!pClone)
        return;
    cloning[pSourceBar] = pClone;
    pClone->Copy(pSourceBar, TRUE);
    cloning.erase(pSourceBar);
    SetCommandBar(pClone);
    pClone->InternalRelease();
}

CXTPControl* CXTPControlPopup::Clone(BOOL bRecursive)
{
    return CXTPControlButton::Clone(bRecursive);
}

void CXTPControlPopup::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControlButton::DoPropExchange(pPX);
    UINT nBarId = (!pPX->IsLoading() && m_pCommandBar) ? m_pCommandBar->GetBarID() : 0;
    ExchangeIntProperty(pPX, "CommandBarId", nBarId, 0u);
    if (pPX->IsLoading())
        m_nPendingCommandBarId = nBarId;
    if (pPX->m_nSchema >= 5 && pPX->m_nSchema <= 17)
        ExchangeIntProperty(pPX, "Style", m_buttonStyle, 0);
}

void CXTPControlPopup::RestoreCommandBarList(CXTPCommandBarList* pBarList)
{
    CXTPCommandBarList* pList = pBarList;
    if (!pList || m_nPendingCommandBarId == 0)
        return;
    CXTPCommandBar* pBar = pList->FindCommandBar(m_nPendingCommandBarId);
    if (!pBar)
        return;
    SetCommandBar(pBar);
    m_nPendingCommandBarId = 0;
    // The bar's own popups resolve against the same list (each resolves once, so links that loop
    // end here).
    CXTPControls* pControls = pBar->GetControls();
    for (int i = 0; pControls && i < pControls->GetCount(); ++i)
        pControls->GetAt(i)->RestoreCommandBarList(pBarList);
}

// ---- exclusion and shadow

void CXTPControlPopup::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    if (CXTPPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->AdjustExcludeRect(rc, this, bVertical);
}

void CXTPControlPopup::UpdateShadow()
{
    if (!m_pCommandBar || !m_pParent || m_pParent->IsPopupBar())
        return;
    if (!IsPopupType(m_controlType))
        return;
    if (IsSplitButton() && m_pParent->IsPopupType())
        return;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, m_pCommandBar);
    if (!pPaintManager || !pPaintManager->m_bShowShadow || !pPopup || !pPopup->GetShowShadow() || !m_bShowShadow ||
        IsCustomizeMode())
        return;
    CXTPShadowManager* pShadows = pPaintManager->GetShadowManager();
    if (!pShadows || !m_pParent->GetSafeHwnd())
        return;
    CRect rc = m_rcControl;
    ::MapWindowPoints(m_pParent->GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&rc), 2);
    pShadows->SetControlShadow(rc.left, rc.top, rc.right, rc.bottom, m_pCommandBar);
}

void CXTPControlPopup::ExpandCommandBar()
{
    if (!m_bPopup || m_controlType != xtpControlPopup)
        return;
    if (CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, m_pCommandBar))
        pPopup->ExpandBar();
}
