// The popup control: refusals of SetPopup, the split halves, copies that share or clone the bar
// (and end on bars linked in a cycle), the saved bar id and drops into its own sub-menus.
#include "PopupBarSupport.h"
#include "PropExchangeTestSupport.h"
#include "toolkit/commandbars/bars/XTPCommandBarList.h"
#include "toolkit/commandbars/controls/XTPControls.h"

#include <gtest/gtest.h>

using namespace cb_popup_test;

namespace
{
CXTPControlPopup* Popup(CXTPCommandBar* pBar, int nIndex)
{
    return DYNAMIC_DOWNCAST(CXTPControlPopup, pBar->GetControl(nIndex));
}
} // namespace

TEST(ControlPopup, TypesMadeByTheControlsTable)
{
    for (int nType : {xtpControlPopup, xtpControlButtonPopup, xtpControlSplitButtonPopup})
    {
        CXTPControls* pControls = new CXTPControls();
        CXTPControl* pControl = pControls->AddByType(nType, 300);
        ASSERT_NE(pControl, nullptr) << nType;
        EXPECT_TRUE(pControl->IsKindOf(RUNTIME_CLASS(CXTPControlPopup))) << nType;
        EXPECT_EQ(pControl->GetType(), nType);
        pControls->InternalRelease();
    }
}

TEST(ControlPopup, RefusalsLeavePoppedUnchanged)
{
    PopupFixture fx;
    // No bar.
    CXTPControlPopup* pNoBar = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
    fx.bar.GetControls()->Add(pNoBar, 300);
    // A split control with only its command half enabled.
    CXTPControlPopup* pSplit = fx.AddPopup(xtpControlSplitButtonPopup, {401, 402});
    pSplit->SetSplitEnabled(xtpSplitCommandPart);
    // A control whose bar has no window.
    CXTPControlPopup* pDetached = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
    CXTPPopupBar* pBar = MakePopup({501});
    pDetached->SetCommandBar(pBar);
    pBar->InternalRelease();

    for (CXTPControlPopup* pControl : {pNoBar, pSplit, pDetached})
    {
        EXPECT_FALSE(pControl->SetPopup(TRUE));
        EXPECT_EQ(pControl->GetPopped(), 0);
    }
    EXPECT_EQ(fx.CountSite(XTP_WM_POPUPBAR_OPENING), 0);
    pDetached->InternalRelease();
}

TEST(ControlPopup, OpensItsBarAsAPopupBelowTheControl)
{
    FixedQuery query;
    PopupFixture fx;
    CXTPControlPopup* pControl = fx.AddPopup(xtpControlPopup, {401, 402, 403});
    ASSERT_TRUE(fx.bar.SetPopupControl(pControl->GetIndex()));
    CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pControl->GetCommandBar());
    ASSERT_NE(pPopup, nullptr);
    ASSERT_NE(pPopup->GetSafeHwnd(), nullptr);
    EXPECT_TRUE(pControl->GetPopped());
    EXPECT_TRUE(pPopup->IsTrackingMode());
    EXPECT_EQ(pPopup->GetParentCommandBar(), &fx.bar);

    CRect rcControl = pControl->GetRect();
    ::MapWindowPoints(fx.bar.m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcControl), 2);
    CRect rcPopup;
    ::GetWindowRect(pPopup->m_hWnd, &rcPopup);
    EXPECT_NEAR(rcPopup.top, rcControl.bottom, 2);
    EXPECT_NEAR(rcPopup.left, rcControl.left, 2);
    EXPECT_TRUE(pPopup->GetDirection() & 2); // below

    fx.bar.SetTrackingMode(FALSE);
    EXPECT_FALSE(pControl->GetPopped());
    EXPECT_EQ(pPopup->GetSafeHwnd(), nullptr);
}

TEST(ControlPopup, SplitHalvesDecideBetweenOpeningAndExecuting)
{
    FixedQuery query;
    struct Case
    {
        int nEnabled;
        BOOL bOpens;   // a keyboard click opens the popup
        BOOL bCommand; // a keyboard click executes
    };
    const Case cases[] = {{TRUE, FALSE, TRUE}, {xtpSplitCommandPart, FALSE, TRUE}, {xtpSplitDropDownPart, TRUE, FALSE}};
    for (const Case& c : cases)
    {
        PopupFixture fx;
        CXTPControlPopup* pSplit = fx.AddPopup(xtpControlSplitButtonPopup, {401});
        pSplit->SetSplitEnabled(c.nEnabled);
        fx.bar.SetTrackingMode(1, FALSE, TRUE);
        pSplit->OnClick(TRUE, CPoint(0, 0));
        EXPECT_EQ(pSplit->GetPopped() != 0, c.bOpens != 0) << c.nEnabled;
        EXPECT_EQ(fx.frame.rec.Count(WM_COMMAND) > 0, c.bCommand != 0) << c.nEnabled;
        fx.bar.SetTrackingMode(FALSE);

        // A mouse press on the drop-down half never opens with only the command half enabled.
        if (c.nEnabled == xtpSplitCommandPart)
        {
            CRect rc = pSplit->GetRect();
            pSplit->OnClick(FALSE, CPoint(rc.right - 2, rc.CenterPoint().y));
            EXPECT_FALSE(pSplit->GetPopped());
            EXPECT_FALSE(fx.bar.SetPopupControl(pSplit->GetIndex()) && pSplit->GetPopped());
        }
        Pump();
    }
}

TEST(ControlPopup, PlainCopySharesTheBarRecursiveCopyClonesIt)
{
    CXTPControlPopup* pSource = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
    CXTPPopupBar* pBar = MakePopup({401, 402});
    pSource->SetCommandBar(pBar);
    const LONG nRefs = pBar->m_dwRef;

    CXTPControl* pShared = pSource->Clone(FALSE);
    EXPECT_EQ(pShared->GetCommandBar(), pBar);
    EXPECT_EQ(pBar->m_dwRef, nRefs + 1);

    CXTPControl* pDeep = pSource->Clone(TRUE);
    ASSERT_NE(pDeep->GetCommandBar(), nullptr);
    EXPECT_NE(pDeep->GetCommandBar(), pBar);
    EXPECT_EQ(pBar->m_dwRef, nRefs + 1);
    EXPECT_TRUE(pDeep->GetCommandBar()->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)));
    EXPECT_TRUE(pDeep->GetCommandBar()->GetControls()->IsEqual(pBar->GetControls()));
    EXPECT_TRUE(pDeep->Compare(pSource));
    // The clone's bar is its own: changing it makes the two differ.
    pDeep->GetCommandBar()->GetControl(1)->SetCaption("Other");
    EXPECT_FALSE(pDeep->Compare(pSource));

    pShared->InternalRelease();
    EXPECT_EQ(pBar->m_dwRef, nRefs);
    pDeep->InternalRelease();
    pSource->InternalRelease();
    pBar->InternalRelease();
}

TEST(ControlPopup, CopyAndCompareEndWhenPopupsAreLinkedInACycle)
{
    // Bar A holds a popup opening bar B, and bar B holds a popup opening bar A.
    CXTPPopupBar* pA = MakePopup({401});
    CXTPPopupBar* pB = MakePopup({501});
    CXTPControlPopup* pToB = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
    pA->GetControls()->Add(pToB, 402);
    pToB->SetCommandBar(pB);
    CXTPControlPopup* pToA = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
    pB->GetControls()->Add(pToA, 502);
    pToA->SetCommandBar(pA);

    CXTPControlPopup* pTop = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
    pTop->SetCommandBar(pA);

    CXTPControlPopup* pClone = DYNAMIC_DOWNCAST(CXTPControlPopup, pTop->Clone(TRUE));
    ASSERT_NE(pClone, nullptr);
    CXTPCommandBar* pA2 = pClone->GetCommandBar();
    ASSERT_NE(pA2, nullptr);
    EXPECT_NE(pA2, pA);
    // The copy has the same shape: A' -> B' -> A'.
    CXTPCommandBar* pB2 = Popup(pA2, 1)->GetCommandBar();
    ASSERT_NE(pB2, nullptr);
    EXPECT_NE(pB2, pB);
    EXPECT_EQ(Popup(pB2, 1)->GetCommandBar(), pA2);
    EXPECT_TRUE(pClone->Compare(pTop));
    EXPECT_TRUE(pToB->IsRelatedPopup(pToA));

    // A difference deep in the cycle is still seen.
    pB2->GetControl(0)->SetCaption("Changed");
    EXPECT_FALSE(pClone->Compare(pTop));

    // Break the cycles so that every bar goes.
    Popup(pB2, 1)->SetCommandBar(static_cast<CXTPCommandBar*>(nullptr));
    pToA->SetCommandBar(static_cast<CXTPCommandBar*>(nullptr));
    pClone->InternalRelease();
    pTop->InternalRelease();
    pA->InternalRelease();
    pB->InternalRelease();
}

TEST(ControlPopup, SavedBarIdResolvesThroughTheBarList)
{
    pxtest::TestStore store(pxtest::StoreKind::Ini);
    {
        CXTPControlPopup* pSaved = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
        CXTPPopupBar* pBar = MakePopup({401});
        pBar->SetBarID(777);
        pSaved->SetCommandBar(pBar);
        pBar->InternalRelease();
        CXTPPropExchange* pPX = store.Open(false);
        pSaved->DoPropExchange(pPX);
        store.Close();
        pSaved->InternalRelease();
    }
    struct Case
    {
        UINT nListId;
        BOOL bFound;
    };
    for (const Case& c : {Case{777, TRUE}, Case{778, FALSE}})
    {
        CXTPControlPopup* pLoaded = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
        CXTPPropExchange* pPX = store.Open(true);
        pLoaded->DoPropExchange(pPX);
        store.Close();
        EXPECT_EQ(pLoaded->GetCommandBar(), nullptr);
        EXPECT_EQ(pLoaded->GetPendingCommandBarId(), 777u);

        CXTPCommandBarList list;
        CXTPPopupBar* pOther = MakePopup({1});
        pOther->SetBarID(5);
        CXTPPopupBar* pTarget = MakePopup({2});
        pTarget->SetBarID(c.nListId);
        list.Add(pOther);
        list.Add(pTarget);
        pLoaded->RestoreCommandBarList(&list);
        EXPECT_EQ(pLoaded->GetCommandBar(), c.bFound ? pTarget : nullptr) << c.nListId;
        EXPECT_EQ(pLoaded->GetPendingCommandBarId(), c.bFound ? 0u : 777u);
        pOther->InternalRelease();
        pTarget->InternalRelease();
        pLoaded->InternalRelease();
    }
}

TEST(ControlPopup, CannotDropIntoItsOwnSubMenus)
{
    FixedQuery query;
    PopupFixture fx;
    CXTPControlPopup* pMenu = fx.AddPopup(xtpControlPopup, {401});
    CXTPPopupBar* pMenuBar = DYNAMIC_DOWNCAST(CXTPPopupBar, pMenu->GetCommandBar());
    CXTPControlPopup* pSub = AddSubMenu(pMenuBar, {601});
    CXTPCommandBar* pSubBar = pSub->GetCommandBar();
    CXTPControlPopup* pOtherMenu = fx.AddPopup(xtpControlPopup, {701});

    ASSERT_TRUE(fx.bar.SetPopupControl(pMenu->GetIndex()));
    ASSERT_TRUE(pMenuBar->SetPopupControl(pSub->GetIndex()));
    ASSERT_EQ(pSubBar->GetParentCommandBar(), pMenuBar);

    EXPECT_FALSE(pMenu->CanDropInto(pMenuBar));
    EXPECT_FALSE(pMenu->CanDropInto(pSubBar));
    EXPECT_TRUE(pMenu->CanDropInto(&fx.bar));
    EXPECT_TRUE(pMenu->CanDropInto(pOtherMenu->GetCommandBar()));
    EXPECT_TRUE(pSub->CanDropInto(pMenuBar));
    fx.bar.SetTrackingMode(FALSE);
}

namespace
{
// A popup bar whose window cannot be made.
class NoWindowPopup : public CXTPPopupBar
{
public:
    BOOL Create() override { return FALSE; }
};
} // namespace

TEST(ControlPopup, PopupThatCannotOpenIsNotLeftPopped)
{
    FixedQuery query;
    PopupFixture fx;
    CXTPControlPopup* pControl = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
    fx.bar.GetControls()->Add(pControl, 300);
    pControl->SetCaption("Menu");
    NoWindowPopup* pBar = new NoWindowPopup();
    pControl->SetCommandBar(pBar);
    pBar->InternalRelease();
    fx.bar.OnRecalcLayout();

    EXPECT_FALSE(fx.bar.SetPopupControl(pControl->GetIndex()));
    EXPECT_EQ(pControl->GetPopped(), 0);
    EXPECT_EQ(fx.bar.GetPopped(), -1);
    EXPECT_FALSE(pBar->IsTrackingMode());
    fx.bar.SetTrackingMode(FALSE);
}
