// The manager's toolbars popup: one checked item per toolbar, executing an item shows or hides its
// toolbar, and the context menu lets the site add to the popup before it runs.
#include "PopupBarSupport.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/controls/XTPControlToolbars.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"

#include <gtest/gtest.h>

#include <string>

using namespace cb_popup_test;

namespace
{
struct ToolbarsFixture
{
    ToolbarsFixture()
    {
        frame.CreateAt(RECT{60, 60, 560, 360});
        frame.ShowWindow(SW_SHOWNA);
        pCommandBars = CXTPCommandBars::CreateCommandBars();
        pCommandBars->SetSite(&frame);
        const char* titles[] = {"Standard", "Fo&rmat"};
        for (int i = 0; i < 2; ++i)
        {
            bars[i] = new cb_bar_test::RowBar();
            bars[i]->SetCommandBars(pCommandBars);
            bars[i]->SetTitle(titles[i]);
            bars[i]->CreateIn(frame.m_hWnd, RECT{0, 30 * i, 300, 30 * i + 28}, 0xE820 + i);
            pCommandBars->AddCommandBar(bars[i]);
        }
        frame.rec.m_log.clear();
    }
    ~ToolbarsFixture()
    {
        pCommandBars->RemoveAll();
        pCommandBars->InternalRelease();
        frame.DestroyWindow();
    }
    cb_bar_test::RecordingFrame frame;
    CXTPCommandBars* pCommandBars = nullptr;
    cb_bar_test::RowBar* bars[2] = {};
    FixedQuery query;
};
} // namespace

TEST(PopupBarToolbars, ListsEveryToolbarCheckedWhenVisibleAndToggles)
{
    ToolbarsFixture fx;
    fx.bars[1]->ShowWindow(SW_HIDE);
    CXTPPopupBar* pPopup = fx.pCommandBars->GetToolbarsPopup();
    ASSERT_NE(pPopup, nullptr);
    ASSERT_EQ(pPopup->GetControlCount(), 1);
    EXPECT_EQ(pPopup->GetControl(0)->GetID(), 0xE800);
    EXPECT_EQ(pPopup->GetCommandBars(), fx.pCommandBars);

    // Each layout replaces the items of the last one.
    for (int nPass = 0; nPass < 2; ++nPass)
    {
        pPopup->CalcDynamicLayout(0, 0);
        ASSERT_EQ(pPopup->GetControlCount(), 3) << nPass;
    }
    EXPECT_FALSE(pPopup->GetControl(0)->IsVisible());
    struct Expected
    {
        const char* caption;
        BOOL bChecked;
    };
    const Expected expected[] = {{"Standard", TRUE}, {"Fo&&rmat", FALSE}};
    for (int i = 0; i < 2; ++i)
    {
        CXTPControl* pItem = pPopup->GetControl(i + 1);
        EXPECT_EQ(std::string(pItem->GetCaption()), expected[i].caption);
        EXPECT_EQ(pItem->GetChecked(), expected[i].bChecked) << i;
        EXPECT_EQ(static_cast<int>(pItem->GetTag()), i);
        EXPECT_TRUE(pItem->IsTemporary());
    }
    pPopup->GetControl(2)->OnExecute();
    EXPECT_TRUE(::IsWindowVisible(fx.bars[1]->m_hWnd));
    pPopup->GetControl(1)->OnExecute();
    EXPECT_FALSE(::IsWindowVisible(fx.bars[0]->m_hWnd));
    pPopup->InternalRelease();
}

TEST(PopupBarToolbars, ContextMenuLetsTheSiteAddAndIsIgnoredInCustomizeMode)
{
    ToolbarsFixture fx;
    CXTPPopupBar* pSeen = nullptr;
    int nControlsSeen = -1;
    fx.frame.rec.m_onMessage = [&](const cb_bar_test::SiteMessage& m) {
        if (m.message == XTP_WM_TOOLBARCONTEXTMENU)
        {
            pSeen = reinterpret_cast<CXTPPopupBar*>(m.wParam);
            nControlsSeen = pSeen ? pSeen->GetControlCount() : -1;
        }
        // The popup is open: end it as a click elsewhere would.
        if (m.message == XTP_WM_POPUPBAR_OPENING)
            ::PostMessageA(reinterpret_cast<CXTPPopupBar*>(m.lParam)->GetSafeHwnd(), WM_CANCELMODE, 0, 0);
    };
    EXPECT_EQ(fx.pCommandBars->ContextMenu(0, 200, 200), 1u);
    EXPECT_NE(pSeen, nullptr);
    EXPECT_EQ(nControlsSeen, 1);
    EXPECT_EQ(fx.frame.rec.Count(XTP_WM_POPUPBAR_OPENING), 1);
    EXPECT_FALSE(XTPMouseManager()->IsTracking());

    fx.frame.rec.m_log.clear();
    fx.pCommandBars->SetCustomizeMode(TRUE);
    EXPECT_EQ(fx.pCommandBars->ContextMenu(0, 200, 200), 0u);
    EXPECT_EQ(fx.frame.rec.Count(XTP_WM_TOOLBARCONTEXTMENU), 0);
    fx.pCommandBars->SetCustomizeMode(FALSE);
    fx.frame.rec.m_onMessage = nullptr;
}

TEST(PopupBarToolbars, OnlyCloseableToolbarsShownInTheListAndTheCustomizeCommandWhenAsked)
{
    ToolbarsFixture fx;
    const char* titles[] = {"Listed", "Not closeable", "Kept out"};
    for (int i = 0; i < 3; ++i)
    {
        CXTPToolBar* pToolBar = new CXTPToolBar();
        pToolBar->SetTitle(titles[i]);
        pToolBar->SetCloseable(i != 1);
        pToolBar->SetShowInToolbarsList(i != 2);
        fx.pCommandBars->AddCommandBar(pToolBar);
    }
    CXTPPopupBar* pPopup = fx.pCommandBars->GetToolbarsPopup();
    ASSERT_NE(pPopup, nullptr);
    auto* pList = dynamic_cast<CXTPControlToolbars*>(pPopup->GetControl(0));
    ASSERT_NE(pList, nullptr);
    auto captions = [&] {
        std::string s;
        for (int i = 1; i < pPopup->GetControlCount(); ++i)
            s += std::string(pPopup->GetControl(i)->GetCaption()) + "|";
        return s;
    };
    pPopup->CalcDynamicLayout(0, 0);
    EXPECT_EQ("Standard|Fo&&rmat|Listed|", captions());

    // Asked for, the customise command follows, but only when the manager may be customised.
    pList->m_bShowCustomizeItem = TRUE;
    pPopup->CalcDynamicLayout(0, 0);
    EXPECT_EQ("Standard|Fo&&rmat|Listed|", captions()) << "the manager may not be customised";
    fx.frame.rec.m_handled.insert(ID_TK_CUSTOMIZE); // a site that handles the command
    fx.pCommandBars->SetSite(&fx.frame);
    ASSERT_TRUE(fx.pCommandBars->IsCustomizable());
    for (int nPass = 0; nPass < 2; ++nPass)
    {
        pPopup->CalcDynamicLayout(0, 0);
        EXPECT_EQ("Standard|Fo&&rmat|Listed|&Customize...|", captions()) << nPass;
    }
    CXTPControl* pCustomize = pPopup->GetControl(pPopup->GetControlCount() - 1);
    EXPECT_EQ(ID_TK_CUSTOMIZE, pCustomize->GetID());
    EXPECT_TRUE(pCustomize->GetBeginGroup());
    pPopup->InternalRelease();
}
