#include "toolkit/commandbars/controls/XTPControlToolbars.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/controls/XTPControlWindowList.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"

IMPLEMENT_DYNCREATE(CXTPControlToolbars, CXTPControlButton)

const char* const CXTPControlToolbars::kItemParameter = "CXTPControlToolbar";


CXTPControlToolbars::CXTPControlToolbar::CXTPControlToolbar()
{
    m_dwFlags = xtpFlagManualUpdate;
}

void CXTPControlToolbars::CXTPControlToolbar::OnExecute()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    const int nIndex = static_cast<int>(GetTag());
    XTPMouseManager()->SendTrackLostAll();
    if (pCommandBars)
        pCommandBars->ToggleVisible(nIndex);
}

CXTPControl* CXTPControlToolbars::CXTPControlToolbar::Clone(BOOL bRecursive)
{
    CXTPControlToolbar* pClone = new CXTPControlToolbar();
    pClone->Copy(this, bRecursive);
    return pClone;
}

CXTPControlToolbars::CXTPControlToolbars()
{
    m_nId = XTP_ID_TOOLBARLIST;
}

void CXTPControlToolbars::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    // The items of the last layout, by their parameter.
    auto owns = [](const CXTPControl*, const CXTPControl* pItem) -> BOOL {
        return pItem->GetParameter() == kItemParameter;
    };
    if (!XTPPreparePlaceholderItems(this, owns))
        return;
    CXTPControls* pControls = GetControls();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return;
    int nInsert = GetIndex() + 1;
    BOOL bFirst = TRUE;
    for (int i = 0; i < pCommandBars->GetCount(); ++i)
    {
        CXTPCommandBar* pBar = pCommandBars->GetAt(i);
        // Toolbars are listed; the menu bar and popups are not, nor toolbars that cannot be closed or
        // keep out of the list.
        if (!pBar || pBar->GetType() != xtpBarTypeNormal || pBar->IsPopupType())
            continue;
        if (CXTPToolBar* pToolBar = DYNAMIC_DOWNCAST(CXTPToolBar, pBar))
        {
            if (!pToolBar->IsShowInToolbarsList() || !pToolBar->IsCloseable())
                continue;
        }
        CXTPControlToolbar* pItem = new CXTPControlToolbar();
        pControls->Add(pItem, m_nId, kItemParameter, nInsert++, TRUE);
        pItem->SetTag(static_cast<ULONG_PTR>(i));
        pItem->SetCaption(FormatNumberedCaption(pBar->GetTitle(), 0));
        pItem->SetFlags(pItem->GetFlags() | xtpFlagManualUpdate);
        pItem->SetChecked(pBar->IsVisible());
        if (bFirst)
            pItem->SetBeginGroup(GetBeginGroup());
        bFirst = FALSE;
    }
    if (m_bShowCustomizeItem && pCommandBars->IsCustomizable())
    {
        CXTPControl* pCustomize = pControls->AddByType(xtpControlButton, ID_TK_CUSTOMIZE, kItemParameter, nInsert++, TRUE);
        if (pCustomize)
        {
            pCustomize->SetBeginGroup(TRUE);
            pCustomize->SetCaptionFromResource(ID_TK_CUSTOMIZE);
        }
    }
}
