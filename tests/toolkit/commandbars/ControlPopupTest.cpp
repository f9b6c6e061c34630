// The popup control: refusals of SetPopup, the split halves, copies that share or clone the bar
// (and end on bars linked in a cycle), the saved bar id and drops into its own sub-menus.
#include "PopupBarSupport.h"
#include "PropExchangeTestSupport.h"
#include "toolkit/commandbars/bars/XTPCommandBarList.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "framework/Menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cb_popup_test;

namespace
{
CXTPControlPopup* Popup(CXTPCommandBar* pBar, int nIndex)
{
    return DYNAMIC_DOWNCAST(CXTPControlPopup, pBar->GetControl(nIndex));
}

// Reads the site's bar requests while they are sent and hands the site's answer back (a reference
// of its own each time; none while pAnswer is null).
struct BarRequests
{
    struct Seen
    {
        UINT nID;
        std::string caption;
        BOOL bPopup;
        CRuntimeClass* pClass;
    };
    explicit BarRequests(cb_bar_test::SiteRecorder& rec) : m_rec(rec)
    {
        rec.m_onMessage = [this](const cb_bar_test::SiteMessage& m) {
            if (m.message != XTP_WM_CREATECOMMANDBAR_REQUEST)
                return;
            auto* pcs = reinterpret_cast<XTP_COMMANDBARS_CREATEBAR*>(m.lParam);
            seen.push_back({pcs->nID, pcs->lpcstrCaption ? pcs->lpcstrCaption : "", pcs->bPopup, pcs->pRuntimeClass});
            if (pAnswer)
            {
                pAnswer->InternalAddRef();
                pcs->pCommandBar = pAnswer;
            }
        };
    }
    ~BarRequests() { m_rec.m_onMessage = nullptr; }
    BarRequests(const BarRequests&) = delete;
    BarRequests& operator=(const BarRequests&) = delete;

    std::vector<Seen> seen;
    CXTPCommandBar* pAnswer = nullptr;

private:
    cb_bar_test::SiteRecorder& m_rec;
};

// Ids, captions and group marks of a bar's controls, one line each.
std::vector<std::string> Items(CXTPCommandBar* pBar)
{
    std::vector<std::string> items;
    for (int i = 0; i < pBar->GetControlCount(); ++i)
    {
        CXTPControl* p = pBar->GetControl(i);
        items.push_back(std::to_string(p->GetID()) + " " + static_cast<LPCSTR>(p->GetCaption()) +
                        (p->GetBeginGroup() ? " |" : ""));
    }
    return items;
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

TEST(ControlPopup, AddedByTypeItOpensTheSubMenuOfItsMenuResource)
{
    FixedQuery query;
    PopupFixture fx;
    BarRequests requests(fx.frame.rec);
    CXTPControlPopup* pControl =
        DYNAMIC_DOWNCAST(CXTPControlPopup, fx.bar.GetControls()->AddByType(xtpControlPopup, 7300));
    ASSERT_NE(pControl, nullptr);
    EXPECT_EQ(pControl->GetType(), xtpControlPopup);
    EXPECT_STREQ(pControl->GetCaption(), "&Tools");
    // The site heard of the bar once, before it was made, with the menu's first item.
    EXPECT_EQ(fx.CountSite(XTP_WM_CREATECOMMANDBAR_REQUEST), 1);
    ASSERT_EQ(requests.seen.size(), 1u);
    EXPECT_EQ(requests.seen[0].nID, 7300u);
    EXPECT_EQ(requests.seen[0].caption, "&Tools");
    EXPECT_TRUE(requests.seen[0].bPopup);
    EXPECT_EQ(requests.seen[0].pClass, CXTPPopupBar::s_pPopupBarClass);

    pControl->SetStyle(xtpButtonCaption);
    fx.bar.OnRecalcLayout();
    ASSERT_TRUE(fx.bar.SetPopupControl(pControl->GetIndex()));
    CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pControl->GetCommandBar());
    ASSERT_NE(pPopup, nullptr);
    EXPECT_NE(pPopup->GetSafeHwnd(), nullptr);
    EXPECT_TRUE(pPopup->IsTrackingMode());
    EXPECT_EQ(Items(pPopup), (std::vector<std::string>{"7301 &Options", "7302 &Macros |"}));
    fx.bar.SetTrackingMode(FALSE);
    EXPECT_EQ(pPopup->GetSafeHwnd(), nullptr);
    EXPECT_EQ(fx.CountSite(XTP_WM_CREATECOMMANDBAR_REQUEST), 1); // opening asks nothing more
}

TEST(ControlPopup, AddedByTypeItTakesThePopupBarTheSiteHandsBack)
{
    struct Case
    {
        const char* name;
        int nType;
        int nId;
        int nAnswer; // 0 none, 1 a popup bar holding 501, 2 a bar that is no popup
        bool bAnswerUsed;
        const char* caption;
        std::vector<std::string> items;
    } const cases[] = {
        {"no menu resource", xtpControlButtonPopup, 7399, 0, false, "", {}},
        {"no id", xtpControlPopup, 0, 0, false, "", {}},
        {"site's popup bar", xtpControlSplitButtonPopup, 7300, 1, true, "&Tools", {"7301 &Options", "7302 &Macros |"}},
        {"site's bar is no popup", xtpControlPopup, 7300, 2, false, "&Tools", {"7301 &Options", "7302 &Macros |"}},
    };
    for (const Case& c : cases)
    {
        PopupFixture fx;
        BarRequests requests(fx.frame.rec);
        CXTPCommandBar* pAnswer = nullptr;
        if (c.nAnswer == 1)
            pAnswer = MakePopup({501});
        else if (c.nAnswer == 2)
            pAnswer = new cb_bar_test::RowBar();
        requests.pAnswer = pAnswer;

        CXTPControl* pControl = fx.bar.GetControls()->AddByType(c.nType, c.nId);
        ASSERT_NE(pControl, nullptr) << c.name;
        EXPECT_EQ(pControl->GetType(), c.nType) << c.name;
        EXPECT_STREQ(pControl->GetCaption(), c.caption) << c.name;
        ASSERT_EQ(requests.seen.size(), 1u) << c.name;
        EXPECT_EQ(requests.seen[0].nID, static_cast<UINT>(c.nId)) << c.name;
        EXPECT_EQ(requests.seen[0].caption, c.caption) << c.name;
        CXTPCommandBar* pBar = pControl->GetCommandBar();
        ASSERT_NE(pBar, nullptr) << c.name;
        EXPECT_TRUE(pBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar))) << c.name;
        EXPECT_EQ(pBar == pAnswer, c.bAnswerUsed) << c.name;
        EXPECT_EQ(Items(pBar), c.items) << c.name;
        if (pAnswer)
        {
            // The control holds a reference to a bar it uses; a refused one is given back.
            EXPECT_EQ(pAnswer->m_dwRef, c.bAnswerUsed ? 2 : 1) << c.name;
            requests.pAnswer = nullptr;
            fx.bar.GetControls()->Remove(pControl);
            pAnswer->InternalRelease();
        }
    }
}

TEST(ControlPopup, SubMenusOfALoadedMenuAskTheSiteAndAreTitled)
{
    PopupFixture fx;
    BarRequests requests(fx.frame.rec);
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(7310));
    ASSERT_TRUE(fx.bar.LoadMenu(&menu, TRUE));
    ASSERT_EQ(fx.bar.GetControlCount(), 3);

    // One request per sub-menu (the plain item makes none), each with the item's text.
    EXPECT_EQ(fx.CountSite(XTP_WM_CREATECOMMANDBAR_REQUEST), 2);
    ASSERT_EQ(requests.seen.size(), 2u);
    struct Expected
    {
        int nIndex;
        const char* caption;
        const char* title;
        std::vector<std::string> items;
    } const expected[] = {{0, "&View", "View", {"7311 &Grid"}}, {2, "He&lp", "Help", {"7313 &About"}}};
    for (size_t i = 0; i < 2; ++i)
    {
        const Expected& e = expected[i];
        EXPECT_EQ(requests.seen[i].caption, e.caption) << e.caption;
        EXPECT_TRUE(requests.seen[i].bPopup) << e.caption;
        CXTPControlPopup* pPopup = Popup(&fx.bar, e.nIndex);
        ASSERT_NE(pPopup, nullptr) << e.caption;
        ASSERT_NE(pPopup->GetCommandBar(), nullptr) << e.caption;
        EXPECT_STREQ(pPopup->GetCommandBar()->GetTitle(), e.title);
        EXPECT_EQ(Items(pPopup->GetCommandBar()), e.items) << e.caption;
    }
    EXPECT_EQ(Popup(&fx.bar, 1), nullptr); // "&Run" is a button
}
