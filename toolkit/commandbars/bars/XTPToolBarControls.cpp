// CXTPToolBar: the auxiliary controls (the close button of a floating bar, the entries of the
// "Add or Remove Buttons" list) and the filling of that list.
#include "toolkit/commandbars/bars/XTPToolBar.h"

#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControlAction.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/managers/XTPShortcutManager.h"
#include "toolkit/common/resources/XTPResourceManager.h"

namespace
{
// Hide bits that keep a control out of the "Add or Remove Buttons" list: hidden by code, by a
// document template and by the expand rule.
const int kHiddenForList = 0xC1;
// Entries of the list are not updated at idle time from the site.
const int kEntryFlags = xtpFlagManualUpdate;

BOOL SameControl(const CXTPControl* pA, const CXTPControl* pB)
{
    return pA->GetID() == pB->GetID() && pA->GetType() == pB->GetType();
}

// Index of a control like pControl in pControls at or after nFrom; -1 when none.
int FindLike(CXTPControls* pControls, const CXTPControl* pControl, int nFrom)
{
    for (int i = nFrom; i < pControls->GetCount(); ++i)
    {
        if (SameControl(pControls->GetAt(i), pControl))
            return i;
    }
    return -1;
}

void MarkLayoutChanged(CXTPCommandBars* pCommandBars)
{
    if (pCommandBars)
        pCommandBars->GetCommandBarsOptions()->bDirtyState = TRUE;
}

// The caption part (after the line break) of a command string.
CString CommandCaption(UINT nId)
{
    CString str;
    GetResourceManager()->LoadString(&str, nId);
    const int nBreak = str.Find('\n');
    return nBreak >= 0 ? str.Mid(nBreak + 1) : str;
}
} // namespace

// ---- the close button

CXTPToolBar::CControlButtonHide::CControlButtonHide()
{
    SetFlags(26);
}

void CXTPToolBar::CControlButtonHide::OnExecute()
{
    CXTPCommandBar* pBar = GetParent();
    if (!pBar)
        return;
    // Hiding may take the bar (and this button) out of the manager: nothing is touched after.
    pBar->InternalAddRef();
    pBar->SetVisible(FALSE);
    pBar->InternalRelease();
}

void CXTPToolBar::CControlButtonHide::Draw(CDC* pDC)
{
    GetPaintManager()->DrawSpecialButton(pDC, 2, this, GetParent(), TRUE, 0);
}

// ---- the list entries

CXTPToolBar::CControlButtonCustomize::CControlButtonCustomize()
{
    SetFlags(kEntryFlags);
}

void CXTPToolBar::CControlButtonCustomize::OnExecute()
{
    CXTPCommandBar* pParent = GetParent();
    CXTPCommandBars* pCommandBars = pParent ? pParent->GetCommandBars() : nullptr;
    if (!pCommandBars && m_pToolBar)
        pCommandBars = m_pToolBar->GetCommandBars();
    MarkLayoutChanged(pCommandBars);
    if (m_pControl)
    {
        const int nHide = m_pControl->GetHideFlags() ^ xtpHideCustomize;
        m_pControl->SetHideFlags(nHide);
        SetChecked((nHide & xtpHideCustomize) == 0);
        CXTPCommandBar* pBar = m_pControl->GetParent();
        if (pBar)
        {
            pBar->DelayLayout();
            pBar->OnRecalcLayout();
            pBar->Redraw();
        }
        return;
    }
    if (m_pToolBar)
    {
        CXTPToolBar* pToolBar = m_pToolBar;
        if (pCommandBars)
            pCommandBars->EndAllTracking();
        pToolBar->Reset(TRUE);
    }
}

void CXTPToolBar::FillAddRemoveButtonsPopup(CXTPCommandBar* pPopupBar)
{
    if (!pPopupBar)
        return;
    // 1. The originals, copied (an empty collection when there are none).
    CXTPControls* pCopy = new CXTPControls();
    CXTPControls* pOriginal = m_pControls->GetOriginalControls();
    if (pOriginal)
        pCopy->Copy(pOriginal, FALSE);

    // 2. Controls the user hid leave the bar for now; they come back below from the originals.
    for (int i = m_pControls->GetCount() - 1; i >= 0; --i)
    {
        CXTPControl* pControl = m_pControls->GetAt(i);
        if (!(pControl->GetHideFlags() & xtpHideCustomize))
            continue;
        // Removing deselects the control itself; the indexes after it move down.
        m_pControls->Remove(pControl);
        if (m_nSelected > i)
            --m_nSelected;
        if (m_nPopuped == i)
            m_nPopuped = -1;
        else if (m_nPopuped > i)
            --m_nPopuped;
    }

    // 3. Bar and originals merged in order: originals the bar lacks come back hidden by the user.
    int i = 0;
    int j = 0;
    while (j < pCopy->GetCount())
    {
        CXTPControl* pOrig = pCopy->GetAt(j);
        if (FindLike(m_pControls, pOrig, 0) < 0)
        {
            CXTPControl* pClone = m_pControls->AddClone(pOrig, i, TRUE);
            if (pClone)
            {
                pClone->SetHideFlags(pClone->GetHideFlags() | xtpHideCustomize);
                // The indexes from here on move up.
                if (m_nSelected >= i)
                    ++m_nSelected;
                if (m_nPopuped >= i)
                    ++m_nPopuped;
                ++i;
            }
            ++j;
            continue;
        }
        if (i >= m_pControls->GetCount())
        {
            ++j;
            continue;
        }
        CXTPControl* pControl = m_pControls->GetAt(i);
        if (SameControl(pControl, pOrig))
        {
            ++i;
            ++j;
            continue;
        }
        const int nLater = FindLike(pCopy, pControl, j + 1);
        if (nLater >= 0)
            pCopy->RemoveAt(nLater);
        ++i;
    }

    // 4. One check entry per control the user may show or hide.
    CXTPControls* pEntries = pPopupBar->GetControls();
    for (int k = 0; k < m_pControls->GetCount(); ++k)
    {
        CXTPControl* pControl = m_pControls->GetAt(k);
        const int nId = pControl->GetID();
        if (nId == ID_TK_TOOLBAR_EXPAND || nId == ID_TK_TOOLBAR_HIDE)
            continue;
        if (pControl->GetAction() && !pControl->GetAction()->IsVisible())
            continue;
        if ((pControl->GetHideFlags() & kHiddenForList) != 0 || !pControl->IsCustomizeMovable())
            continue;
        CControlButtonCustomize* pEntry = new CControlButtonCustomize();
        pEntries->Add(pEntry, nId, nullptr, -1, TRUE);
        pEntry->SetFlags(kEntryFlags);
        pEntry->SetCaption(pControl->GetCaption());
        const int nType = pControl->GetType();
        if (nType >= xtpControlButton && nType <= xtpControlSplitButtonPopup)
            pEntry->SetIconId(pControl->GetIconId());
        CString strShortcut = pControl->GetShortcutText();
        CXTPCommandBars* pManager = GetCommandBars();
        if (strShortcut.IsEmpty() && pManager && pManager->GetShortcutManager())
            pManager->GetShortcutManager()->FindDefaultAccelerator(nId, strShortcut);
        pEntry->SetShortcutText(strShortcut);
        pEntry->SetEnabled(FindLike(pCopy, pControl, 0) >= 0);
        pEntry->SetChecked((pControl->GetHideFlags() & xtpHideCustomize) == 0);
        pEntry->m_pControl = pControl;
        pEntry->m_pToolBar = this;
    }

    // 5. The reset entry of a built-in bar with originals.
    if (m_bBuiltIn && !m_bTearOff && pOriginal)
    {
        CControlButtonCustomize* pReset = new CControlButtonCustomize();
        pEntries->Add(pReset, ID_TK_RESET_TOOLBAR, nullptr, -1, TRUE);
        pReset->SetFlags(kEntryFlags);
        pReset->SetCaption(CommandCaption(ID_TK_RESET_TOOLBAR));
        pReset->SetBeginGroup(TRUE);
        pReset->m_pToolBar = this;
    }
    pCopy->InternalRelease();
    DelayLayout();
}

// ---- the expand button

CXTPToolBar::CControlButtonExpand::CControlButtonExpand()
{
    SetType(xtpControlButtonPopup);
    SetFlags(28);
}

void CXTPToolBar::CControlButtonExpand::SetRect(CRect rcControl)
{
    CXTPControlPopup::SetRect(rcControl);
    CXTPToolBar* pToolBar = dynamic_cast<CXTPToolBar*>(GetParent());
    m_bHiddenExists = pToolBar && pToolBar->HasPushedOutControls();
}

void CXTPToolBar::CControlButtonExpand::Draw(CDC* pDC)
{
    CXTPCommandBar* pBar = GetParent();
    const int nKind = pBar && pBar->GetPosition() == xtpBarFloating ? 3 : 0;
    GetPaintManager()->DrawSpecialButton(pDC, nKind, this, pBar, TRUE, m_bHiddenExists);
}

void CXTPToolBar::CControlButtonExpand::FillExpandPopup(CXTPToolBar* pToolBar, CXTPCommandBar* pPopup)
{
    CXTPCommandBars* pCommandBars = pToolBar->GetCommandBars();
    if (!pToolBar->GetDockContext() || !pCommandBars)
    {
        // A bar without docking (in a dialog) offers only what did not fit.
        pToolBar->CopyOverflowControls(pPopup);
        return;
    }
    pCommandBars->GetHiddenControls(pToolBar, pPopup);
    if (!pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways && !pCommandBars->IsCustomizable())
        return;
    CXTPControls* pControls = pPopup->GetControls();
    const BOOL bGroup = pControls->GetCount() > 0;
    CXTPControl* pAddRemove = pControls->AddByType(xtpControlPopup, ID_TK_ADD_OR_REMOVE_BUTTONS, nullptr, -1, TRUE);
    if (!pAddRemove)
        return;
    pAddRemove->SetCaption(CommandCaption(ID_TK_ADD_OR_REMOVE_BUTTONS));
    pAddRemove->SetFlags(xtpFlagManualUpdate);
    pAddRemove->SetBeginGroup(bGroup);
    CXTPPopupBar* pEntries = CXTPPopupBar::CreatePopupBar(pCommandBars);
    if (!pEntries)
        return;
    pCommandBars->AddCustomizeEntries(pToolBar, pEntries);
    static_cast<CXTPControlPopup*>(pAddRemove)->SetCommandBar(pEntries);
    pEntries->InternalRelease();
}

BOOL CXTPToolBar::CControlButtonExpand::SetPopup(BOOL bPopup)
{
    CXTPToolBar* pToolBar = dynamic_cast<CXTPToolBar*>(GetParent());
    if (!bPopup || !pToolBar)
        return CXTPControlPopup::SetPopup(bPopup);

    SetCommandBar(static_cast<CXTPCommandBar*>(nullptr));
    CXTPCommandBars* pCommandBars = pToolBar->GetCommandBars();
    // The site may supply the popup.
    XTP_COMMANDBARS_CREATEBAR cs = {};
    cs.bExpandBar = TRUE;
    cs.bPopup = TRUE;
    CWnd* pSite = pToolBar->GetSite();
    if (pSite && pSite->GetSafeHwnd())
        ::SendMessageA(pSite->GetSafeHwnd(), XTP_WM_CREATECOMMANDBAR_REQUEST, 0, reinterpret_cast<LPARAM>(&cs));
    CXTPCommandBar* pPopup = cs.pCommandBar;
    if (!pPopup)
        pPopup = CXTPPopupToolBar::CreatePopupToolBar(pCommandBars);
    if (!pPopup)
        return FALSE;
    FillExpandPopup(pToolBar, pPopup);
    SetCommandBar(pPopup);
    pPopup->InternalRelease();
    return CXTPControlPopup::SetPopup(TRUE);
}

CXTPControl* CXTPToolBar::CreateExpandButton()
{
    return new CControlButtonExpand();
}
