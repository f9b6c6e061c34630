// Popup bars: the window, the site's notices, placement against the work area (flipping above and
// to the left, scrolling), the animation kind, rarely used commands behind the expand button, the
// popup toolbar, copies, the tear-off settings and menus loaded with sub-menus.
#include "PopupBarSupport.h"
#include "PropExchangeTestSupport.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPExpandingBands.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "framework/Menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cb_popup_test;

namespace
{
CRect ScreenRect(CXTPControl* pControl)
{
    CRect rc = pControl->GetRect();
    ::MapWindowPoints(pControl->GetParent()->GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}
CRect WindowRect(CWnd* pWnd)
{
    CRect rc;
    ::GetWindowRect(pWnd->GetSafeHwnd(), &rc);
    return rc;
}
std::vector<int> Ids(int nFirst, int nCount)
{
    std::vector<int> ids;
    for (int i = 0; i < nCount; ++i)
        ids.push_back(nFirst + i);
    return ids;
}
} // namespace

TEST(PopupBar, WindowClassStylesAndSiteNotices)
{
    FixedQuery query;
    PopupFixture fx;
    CXTPControlPopup* pControl = fx.AddPopup(xtpControlPopup, {401, 402});
    CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pControl->GetCommandBar());
    std::vector<std::pair<UINT, bool>> notices; // message, popup window present when it came
    fx.frame.rec.m_onMessage = [&](const cb_bar_test::SiteMessage& m) {
        if (m.message == XTP_WM_POPUPBAR_OPENING || m.message == XTP_WM_POPUPBAR_CLOSED)
        {
            EXPECT_EQ(m.lParam, reinterpret_cast<LPARAM>(pPopup));
            notices.emplace_back(m.message, ::IsWindowVisible(pPopup->GetSafeHwnd()) != 0);
        }
    };
    ASSERT_TRUE(fx.bar.SetPopupControl(pControl->GetIndex()));
    HWND hWnd = pPopup->GetSafeHwnd();
    ASSERT_NE(hWnd, nullptr);
    char szClass[64] = {};
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ(szClass, "XTPPopupBar");
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE));
    EXPECT_EQ(dwStyle & ~WS_VISIBLE, 0x86000100u);
    EXPECT_TRUE(::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(::GetParent(hWnd) ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER), fx.frame.m_hWnd);
    EXPECT_EQ(::SendMessageA(hWnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(fx.frame.m_hWnd),
                             MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    EXPECT_EQ(::SendMessageA(hWnd, WM_FLOATSTATUS, FS_SYNCACTIVE, 0), 1);
    EXPECT_EQ(::SendMessageA(hWnd, WM_FLOATSTATUS, FS_ACTIVATE, 0), 0);

    fx.bar.SetTrackingMode(FALSE);
    EXPECT_FALSE(::IsWindow(hWnd));
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].first, XTP_WM_POPUPBAR_OPENING);
    EXPECT_FALSE(notices[0].second); // before it shows
    EXPECT_EQ(notices[1].first, XTP_WM_POPUPBAR_CLOSED);
    fx.frame.rec.m_onMessage = nullptr;
}

TEST(PopupBar, DropDownNearTheBottomOpensAboveItsControl)
{
    FixedQuery query;
    PopupFixture fx;
    CXTPControlPopup* pControl = fx.AddPopup(xtpControlPopup, Ids(401, 2));
    const CRect rcControl = ScreenRect(pControl);
    CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pControl->GetCommandBar());

    // Room below: it opens below. The work area ends just under the control: above.
    struct Case
    {
        int nWorkBottom;
        bool bAbove;
    };
    for (const Case& c : {Case{800, false}, Case{rcControl.bottom + 20, true}})
    {
        query.m_rcWork = RECT{0, 0, 1000, c.nWorkBottom};
        ASSERT_TRUE(fx.bar.SetPopupControl(pControl->GetIndex()));
        const CRect rc = WindowRect(pPopup);
        ASSERT_LT(rc.Height(), rcControl.top) << "the fixture leaves room above the control";
        if (c.bAbove)
            EXPECT_NEAR(rc.bottom, rcControl.top, 2);
        else
            EXPECT_NEAR(rc.top, rcControl.bottom, 2);
        EXPECT_FALSE(pPopup->IsScrolling());
        fx.bar.SetTrackingMode(FALSE);
    }
}

TEST(PopupBar, SubMenuThatDoesNotFitOnTheRightOpensToTheLeft)
{
    FixedQuery query;
    PopupFixture fx;
    CXTPControlPopup* pMenu = fx.AddPopup(xtpControlPopup, {401});
    CXTPPopupBar* pMenuBar = DYNAMIC_DOWNCAST(CXTPPopupBar, pMenu->GetCommandBar());
    CXTPControlPopup* pSub = AddSubMenu(pMenuBar, {601, 602});
    CXTPPopupBar* pSubBar = DYNAMIC_DOWNCAST(CXTPPopupBar, pSub->GetCommandBar());

    ASSERT_TRUE(fx.bar.SetPopupControl(pMenu->GetIndex()));
    const CRect rcMenu = WindowRect(pMenuBar);
    for (bool bNarrow : {false, true})
    {
        // A work area that ends a few pixels right of the menu leaves no room for the sub-menu.
        query.m_rcWork = RECT{0, 0, bNarrow ? rcMenu.right + 10 : 1200, 800};
        ASSERT_TRUE(pMenuBar->SetPopupControl(pSub->GetIndex()));
        const CRect rcItem = ScreenRect(pSub);
        const CRect rcSub = WindowRect(pSubBar);
        if (bNarrow)
        {
            EXPECT_LE(rcSub.right, rcItem.left + 2);
            EXPECT_TRUE(pSubBar->GetDirection() & 1);
        }
        else
        {
            EXPECT_GE(rcSub.left, rcItem.right - 2);
            EXPECT_FALSE(pSubBar->GetDirection() & 1);
        }
        EXPECT_NEAR(rcSub.top, rcItem.top, 3);
        pMenuBar->SetPopupControl(-1);
    }
    fx.bar.SetTrackingMode(FALSE);
}

TEST(PopupBar, TallMenuScrollsAndFollowsTheSelection)
{
    FixedQuery query;
    PopupFixture fx;
    CXTPControlPopup* pControl = fx.AddPopup(xtpControlPopup, Ids(401, 30));
    CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pControl->GetCommandBar());
    pPopup->SetMaxHeight(200);
    ASSERT_TRUE(fx.bar.SetPopupControl(pControl->GetIndex()));
    EXPECT_EQ(WindowRect(pPopup).Height(), 200);
    ASSERT_TRUE(pPopup->IsScrolling());
    EXPECT_EQ(pPopup->GetFirstVisible(), 0);
    EXPECT_TRUE(pPopup->GetScrollUpRect().IsRectEmpty());
    EXPECT_EQ(pPopup->GetScrollDownRect().Height(), 16);
    const int nLast = pPopup->GetLastVisible();
    EXPECT_GT(nLast, 2);
    EXPECT_LT(nLast, 29);
    // Shown controls lie above the scroll-down area; the rest are hidden by the scroll bit.
    for (int i = 0; i < 30; ++i)
    {
        CXTPControl* p = pPopup->GetControl(i);
        EXPECT_EQ((p->GetHideFlags() & xtpHideScroll) != 0, i > nLast) << i;
        if (i <= nLast)
            EXPECT_LE(p->GetRect().bottom, pPopup->GetScrollDownRect().top) << i;
    }

    // One column across the window, before and after scrolling.
    CRect rcClient;
    ::GetClientRect(pPopup->GetSafeHwnd(), &rcClient);
    const CRect rcDown = pPopup->GetScrollDownRect();
    EXPECT_GE(rcDown.Width(), rcClient.Width() - 8);
    for (int i = 1; i <= nLast; ++i)
        EXPECT_EQ(pPopup->GetControl(i)->GetRect().left, pPopup->GetControl(0)->GetRect().left) << i;

    ASSERT_TRUE(pPopup->ScrollBy(+1));
    EXPECT_EQ(pPopup->GetScrollDownRect(), rcDown);
    EXPECT_EQ(pPopup->GetFirstVisible(), 1);
    EXPECT_EQ(pPopup->GetScrollUpRect().Height(), 16);
    EXPECT_GE(pPopup->GetControl(1)->GetRect().top, pPopup->GetScrollUpRect().bottom);

    // Selecting the last control by keyboard scrolls it into view.
    ASSERT_TRUE(pPopup->SetSelected(29, TRUE));
    EXPECT_EQ(pPopup->GetLastVisible(), 29);
    EXPECT_FALSE(pPopup->GetControl(29)->GetHideFlags() & xtpHideScroll);
    EXPECT_TRUE(pPopup->GetScrollDownRect().IsRectEmpty());
    EXPECT_FALSE(pPopup->ScrollBy(+1));
    fx.bar.SetTrackingMode(FALSE);
}

TEST(PopupBar, AnimationKindFromTheSystemAndTheOptions)
{
    FixedQuery query;
    CXTPCommandBars* pCommandBars = CXTPCommandBars::CreateCommandBars();
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(pCommandBars);
    struct Case
    {
        int nOption;
        BOOL bAnimation, bAnimationOk, bFade, bFadeOk;
        int nRandom;
        int nKind;
    };
    const Case cases[] = {
        {0, FALSE, TRUE, TRUE, TRUE, 0, xtpAnimateNone},  {0, TRUE, FALSE, TRUE, TRUE, 0, xtpAnimateNone},
        {0, TRUE, TRUE, TRUE, TRUE, 0, xtpAnimateFade},   {0, TRUE, TRUE, FALSE, TRUE, 0, xtpAnimateSlide},
        {0, TRUE, TRUE, TRUE, FALSE, 0, xtpAnimateSlide}, {1, FALSE, TRUE, FALSE, TRUE, 0, xtpAnimateFade},
        {1, FALSE, TRUE, FALSE, TRUE, 4, xtpAnimateSlide}, {1, FALSE, TRUE, FALSE, TRUE, 8, xtpAnimateUnfold},
        {2, FALSE, TRUE, FALSE, TRUE, 0, xtpAnimateUnfold}, {5, TRUE, TRUE, TRUE, TRUE, 0, xtpAnimateNone},
    };
    for (const Case& c : cases)
    {
        pCommandBars->GetCommandBarsOptions()->animationType = c.nOption;
        query.m_bAnimation = c.bAnimation;
        query.m_bAnimationOk = c.bAnimationOk;
        query.m_bFade = c.bFade;
        query.m_bFadeOk = c.bFadeOk;
        query.m_nRandom = c.nRandom;
        EXPECT_EQ(pPopup->GetAnimationKind(), c.nKind) << c.nOption << " " << c.bAnimation << c.bFade << " " << c.nRandom;
    }
    // Without a manager there is no animation.
    CXTPPopupBar* pLone = CXTPPopupBar::CreatePopupBar(nullptr);
    query.m_bAnimation = TRUE;
    EXPECT_EQ(pLone->GetAnimationKind(), xtpAnimateNone);
    pLone->InternalRelease();
    pPopup->InternalRelease();
    pCommandBars->InternalRelease();
}

TEST(PopupBar, RarelyUsedCommandsHideBehindTheExpandButton)
{
    FixedQuery query;
    PopupFixture fx;
    CXTPCommandBars* pCommandBars = CXTPCommandBars::CreateCommandBars();
    CXTPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    pOptions->bAlwaysShowFullMenus = FALSE;
    pOptions->m_mapHiddenCommands.SetAt(402, TRUE);
    pOptions->m_mapHiddenCommands.SetAt(404, TRUE);
    CXTPControlPopup* pControl = fx.AddPopup(xtpControlPopup, {401, 402, 403, 404});
    CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pControl->GetCommandBar());
    pPopup->SetCommandBars(pCommandBars);

    enum Way
    {
        kCtrlDown,
        kDownOnLast,
        kExpandTimer,
        kDoubleClick,
        kParentTimer
    };
    for (Way way : {kCtrlDown, kDownOnLast, kExpandTimer, kDoubleClick, kParentTimer})
    {
        ASSERT_TRUE(fx.bar.SetPopupControl(pControl->GetIndex(), TRUE)) << way;
        ASSERT_TRUE(pPopup->HasHiddenCommands()) << way;
        EXPECT_FALSE(pPopup->IsExpanded());
        EXPECT_TRUE(pPopup->GetControl(1)->GetHideFlags() & xtpHideExpand);
        EXPECT_TRUE(pPopup->GetControl(3)->GetHideFlags() & xtpHideExpand);
        EXPECT_FALSE(pPopup->GetControl(0)->GetHideFlags() & xtpHideExpand);
        CXTPControl* pExpand = pPopup->GetControls()->FindControlById(XTP_ID_POPUPBAR_EXPAND);
        ASSERT_NE(pExpand, nullptr);
        EXPECT_TRUE(pExpand->IsVisible());
        const int nHeightCollapsed = WindowRect(pPopup).Height();

        BYTE keys[256] = {};
        switch (way)
        {
        case kCtrlDown:
            ::GetKeyboardState(keys);
            keys[VK_CONTROL] = 0x80;
            ::SetKeyboardState(keys);
            EXPECT_EQ(pPopup->OnHookKeyDown(VK_DOWN, 0), 1);
            keys[VK_CONTROL] = 0;
            ::SetKeyboardState(keys);
            break;
        case kDownOnLast:
            // Down moves on while a next control exists; from the last one it expands.
            pPopup->SetSelected(pExpand->GetIndex(), TRUE);
            EXPECT_EQ(pPopup->OnHookKeyDown(VK_DOWN, 0), 1);
            break;
        case kExpandTimer:
            pPopup->SetSelected(pExpand->GetIndex(), FALSE);
            ::SendMessageA(pPopup->GetSafeHwnd(), WM_TIMER, XTP_TID_POPUP_EXPANDDELAY, 0);
            break;
        case kDoubleClick:
            pControl->OnLButtonDblClk(pControl->GetRect().CenterPoint());
            break;
        case kParentTimer:
            // The opening control stays hot on the parent bar until its full-menus timer.
            ASSERT_EQ(fx.bar.GetSelected(), pControl->GetIndex());
            ::SendMessageA(fx.bar.m_hWnd, WM_TIMER, CXTPCommandBar::kTimerFullMenus, 0);
            break;
        }
        EXPECT_TRUE(pPopup->IsExpanded()) << way;
        EXPECT_FALSE(pPopup->HasHiddenCommands()) << way;
        for (int i = 0; i < 4; ++i)
            EXPECT_FALSE(pPopup->GetControl(i)->GetHideFlags() & xtpHideExpand) << way << " " << i;
        EXPECT_FALSE(pExpand->IsVisible()) << way;
        EXPECT_GT(WindowRect(pPopup).Height(), nHeightCollapsed) << way;
        fx.bar.SetTrackingMode(FALSE);
        Pump();
        // The next menus of the same tracking open expanded; a new tracking starts collapsed.
    }
    // Full menus always: nothing hides.
    pOptions->bAlwaysShowFullMenus = TRUE;
    ASSERT_TRUE(fx.bar.SetPopupControl(pControl->GetIndex()));
    EXPECT_FALSE(pPopup->HasHiddenCommands());
    EXPECT_EQ(pPopup->GetControls()->FindControlById(XTP_ID_POPUPBAR_EXPAND) &&
                  pPopup->GetControls()->FindControlById(XTP_ID_POPUPBAR_EXPAND)->IsVisible(),
              FALSE);
    fx.bar.SetTrackingMode(FALSE);
    pPopup->SetCommandBars(nullptr);
    pCommandBars->InternalRelease();
}

TEST(PopupBar, PopupToolBarLaysItsButtonsOutInARow)
{
    FixedQuery query;
    PopupFixture fx;
    CXTPControlPopup* pControl = CXTPControlPopup::CreateControlPopup(xtpControlButtonPopup);
    fx.bar.GetControls()->Add(pControl, 300);
    pControl->SetCaption("Tools");
    pControl->SetStyle(xtpButtonCaption);
    CXTPPopupToolBar* pToolBar = CXTPPopupToolBar::CreatePopupToolBar(nullptr);
    for (int nId : {701, 702, 703})
    {
        CXTPControl* p = pToolBar->GetControls()->Add(new CXTPControlButton(), nId);
        p->SetCaption("B");
        p->SetStyle(xtpButtonCaption);
    }
    pControl->SetCommandBar(pToolBar);
    pToolBar->InternalRelease();
    fx.bar.OnRecalcLayout();

    EXPECT_EQ(pToolBar->GetType(), xtpBarTypeNormal);
    EXPECT_EQ(pToolBar->GetPosition(), xtpBarPopup);
    EXPECT_TRUE(pToolBar->IsPopupToolBar());
    EXPECT_EQ(pToolBar->GetBorders(), CRect(2, 4, 2, 4));
    ASSERT_TRUE(fx.bar.SetPopupControl(pControl->GetIndex()));
    const CRect rc0 = pToolBar->GetControl(0)->GetRect();
    const CRect rc1 = pToolBar->GetControl(1)->GetRect();
    EXPECT_EQ(rc0.top, rc1.top);
    EXPECT_GE(rc1.left, rc0.right);
    EXPECT_EQ(rc0.left, 2);
    EXPECT_EQ(rc0.top, 4);
    fx.bar.SetTrackingMode(FALSE);
}

TEST(PopupBar, CopyTakesTheTearOffAndLayoutSettings)
{
    CXTPPopupBar* pSource = MakePopup({401, 402});
    pSource->SetTearOffPopup("Tools", 1234, 300);
    pSource->SetTitle("Title");
    pSource->SetMaxHeight(150);
    pSource->SetShowShadow(FALSE);
    pSource->SetDoubleGripper(TRUE);
    CXTPPopupBar* pClone = DYNAMIC_DOWNCAST(CXTPPopupBar, pSource->Clone(FALSE));
    ASSERT_NE(pClone, nullptr);
    CString strCaption;
    UINT nId = 0;
    int nWidth = 0;
    EXPECT_TRUE(pClone->IsTearOffPopup(strCaption, nId, nWidth));
    EXPECT_EQ(std::string(strCaption), "Tools");
    EXPECT_EQ(nId, 1234u);
    EXPECT_EQ(nWidth, 300);
    EXPECT_EQ(std::string(pClone->GetTitle()), "Title");
    EXPECT_EQ(pClone->GetMaxHeight(), 150);
    EXPECT_FALSE(pClone->GetShowShadow());
    EXPECT_TRUE(pClone->IsDoubleGripper());
    EXPECT_EQ(pClone->GetControlCount(), 2);
    EXPECT_EQ(pClone->GetType(), xtpBarTypePopup);
    pClone->InternalRelease();
    pSource->InternalRelease();
}

TEST(PopupBar, LoadedSubMenusOpenPopupBars)
{
    FixedQuery query;
    PopupFixture fx;
    CMenu sub;
    sub.CreatePopupMenu();
    ::AppendMenuA(sub.GetSafeHmenu(), MF_STRING, 601, "&Deep");
    CMenu menu;
    menu.CreatePopupMenu();
    ::AppendMenuA(menu.GetSafeHmenu(), MF_STRING, 401, "&First");
    ::AppendMenuA(menu.GetSafeHmenu(), MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), "&More");
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(nullptr);
    ASSERT_TRUE(pPopup->LoadMenu(&menu));
    ASSERT_EQ(pPopup->GetControlCount(), 2);
    CXTPControlPopup* pMore = DYNAMIC_DOWNCAST(CXTPControlPopup, pPopup->GetControl(1));
    ASSERT_NE(pMore, nullptr);
    CXTPPopupBar* pSubBar = DYNAMIC_DOWNCAST(CXTPPopupBar, pMore->GetCommandBar());
    ASSERT_NE(pSubBar, nullptr);
    ASSERT_EQ(pSubBar->GetControlCount(), 1);
    EXPECT_EQ(pSubBar->GetControl(0)->GetID(), 601);
    pPopup->InternalRelease();
}

TEST(PopupBar, SettingsSurviveASavedLayout)
{
    for (pxtest::StoreKind kind : {pxtest::StoreKind::Ini, pxtest::StoreKind::Archive})
    {
        pxtest::TestStore store(kind);
        CXTPPopupBar* pSaved = MakePopup({});
        pSaved->SetTearOffPopup("Tools", 1234, 300);
        pSaved->SetShowShadow(FALSE);
        pSaved->SetDoubleGripper(TRUE);
        pSaved->SetBorders(CRect(1, 2, 3, 5));
        pSaved->m_bContextMenu = TRUE;
        pSaved->DoPropExchange(store.Open(false));
        store.Close();

        CXTPPopupBar* pLoaded = MakePopup({});
        pLoaded->DoPropExchange(store.Open(true));
        store.Close();
        CString strCaption;
        UINT nId = 0;
        int nWidth = 0;
        EXPECT_TRUE(pLoaded->IsTearOffPopup(strCaption, nId, nWidth)) << pxtest::StoreName(kind);
        EXPECT_EQ(std::string(strCaption), "Tools");
        EXPECT_EQ(nId, 1234u);
        EXPECT_EQ(nWidth, 300);
        EXPECT_FALSE(pLoaded->GetShowShadow());
        EXPECT_TRUE(pLoaded->IsDoubleGripper());
        EXPECT_TRUE(pLoaded->m_bContextMenu);
        pLoaded->SetType(xtpBarTypeNormal); // a popup toolbar answers its own borders
        EXPECT_EQ(pLoaded->GetBorders(), CRect(1, 2, 3, 5));
        pLoaded->InternalRelease();
        pSaved->InternalRelease();
    }
}

// A popup toolbar (a toolbar's overflow) measures its buttons as toolbar buttons: the icon, then the
// caption beside it, never the caption drawn over the icon as in a menu without an icon column.
TEST(PopupBar, PopupToolBarButtonsShowIconAndCaptionSideBySide)
{
    CXTPPopupToolBar* pToolBar = CXTPPopupToolBar::CreatePopupToolBar(nullptr);
    CXTPImageManager* pImages = new CXTPImageManager();
    pImages->SetIcon(::LoadIcon(nullptr, IDI_APPLICATION), 710, 20, 20);
    pToolBar->SetImageManager(pImages);
    pToolBar->SetIconSize(CSize(20, 20));
    CXTPControl* pButton = pToolBar->GetControls()->Add(new CXTPControlButton(), 710);
    pButton->SetCaption("Help");
    EXPECT_TRUE(pButton->IsImageVisible());
    EXPECT_TRUE(pButton->IsCaptionVisible());

    HDC hDC = ::GetDC(nullptr);
    CDC* pDC = CDC::FromHandle(hDC);
    CFont* pOld = pDC->SelectObject(pToolBar->GetPaintManager()->GetControlFont(pButton));
    const CSize szText = pDC->GetTextExtent("Help", 4);
    pDC->SelectObject(pOld);
    EXPECT_EQ(pButton->GetSize(pDC).cx, 20 + 7 + szText.cx + 6);
    ::ReleaseDC(nullptr, hDC);
    pToolBar->InternalRelease();
}

TEST(PopupBar, ExpandingBandsStretchOnlyTheNewlyShownControls)
{
    // A picture 100 high: controls at 0 (old), 20 (new), 40 (new), 60 (old), 80 (new).
    const std::vector<XTP_EXPANDING_CONTROL> controls = {{0, false}, {20, true}, {40, true}, {60, false}, {80, true}};
    std::vector<XTP_EXPANDING_BAND> bands = XTPCutExpandingBands(controls, 100);
    ASSERT_EQ(4u, bands.size());
    struct Band
    {
        int nTop, nHeight;
        bool bNew;
    } const cut[] = {{0, 20, false}, {20, 40, true}, {60, 20, false}, {80, 20, true}};
    for (size_t i = 0; i < 4; ++i)
    {
        EXPECT_EQ(cut[i].nTop, bands[i].nSrcTop) << i;
        EXPECT_EQ(cut[i].nHeight, bands[i].nSrcHeight) << i;
        EXPECT_EQ(cut[i].bNew, bands[i].bNew) << i;
    }
    struct Step
    {
        int k, n;
        bool bDown;
        int tops[4];
        int heights[4];
        const char* what;
    } const steps[] = {
        {1, 4, true, {0, 20, 30, 50}, {20, 10, 20, 5}, "a quarter, stacked from the top"},
        {4, 4, true, {0, 20, 60, 80}, {20, 40, 20, 20}, "the last step is the whole picture"},
        {1, 4, false, {45, 65, 75, 95}, {20, 10, 20, 5}, "a quarter, stacked from the bottom"},
        {2, 4, false, {30, 50, 70, 90}, {20, 20, 20, 10}, "half, from the bottom"},
    };
    for (const Step& s : steps)
    {
        XTPPlaceExpandingBands(bands, s.k, s.n, s.bDown, 100);
        for (size_t i = 0; i < 4; ++i)
        {
            EXPECT_EQ(s.tops[i], bands[i].nDestTop) << s.what << " band " << i;
            EXPECT_EQ(s.heights[i], bands[i].nDestHeight) << s.what << " band " << i;
        }
    }
    EXPECT_TRUE(XTPCutExpandingBands(controls, 0).empty());
    const std::vector<XTP_EXPANDING_BAND> whole = XTPCutExpandingBands({}, 50);
    ASSERT_EQ(1u, whole.size());
    EXPECT_EQ(50, whole[0].nSrcHeight);
    EXPECT_FALSE(whole[0].bNew);
}

namespace
{
// Records each expansion animation and draws it into a memory picture instead of the screen.
class RecordingExpansionTheme : public CXTPDefaultTheme
{
public:
    void AnimateExpanding(CXTPPopupBar* pPopup, CDC* pDestDC, CDC* pSrcDC, BOOL bExpandDown) override
    {
        ++m_nCalls;
        m_bDown = bExpandDown;
        m_newly.clear();
        for (int i = 0; i < pPopup->GetControls()->GetCount(); ++i)
            m_newly.push_back(pPopup->IsControlNewlyShown(pPopup->GetControl(i)) != FALSE);
        CRect rc;
        ::GetClientRect(pPopup->GetSafeHwnd(), &rc);
        CDC dc;
        dc.CreateCompatibleDC(pDestDC);
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(pDestDC, rc.Width(), rc.Height());
        CBitmap* pOld = dc.SelectObject(&bmp);
        dc.FillSolidRect(&rc, RGB(1, 2, 3));
        CXTPDefaultTheme::AnimateExpanding(pPopup, &dc, pSrcDC, bExpandDown);
        // After the last step the whole expanded picture is there.
        m_nDifferent = 0;
        for (int y = 0; y < rc.Height(); y += 3)
        {
            for (int x = 0; x < rc.Width(); x += 3)
                m_nDifferent += dc.GetPixel(x, y) != pSrcDC->GetPixel(x, y) ? 1 : 0;
        }
        dc.SelectObject(pOld);
    }
    int m_nCalls = 0;
    BOOL m_bDown = FALSE;
    std::vector<bool> m_newly;
    int m_nDifferent = -1;
};
} // namespace

TEST(PopupBar, ExpandingByTheUserAnimatesTheRevealedControls)
{
    FixedQuery query;
    PopupFixture fx;
    CXTPCommandBars* pCommandBars = CXTPCommandBars::CreateCommandBars();
    CXTPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    pOptions->bAlwaysShowFullMenus = FALSE;
    pOptions->animationType = xtpAnimateSlide;
    pOptions->m_mapHiddenCommands.SetAt(402, TRUE);
    pOptions->m_mapHiddenCommands.SetAt(404, TRUE);
    CXTPControlPopup* pControl = fx.AddPopup(xtpControlPopup, {401, 402, 403, 404});
    CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pControl->GetCommandBar());
    pPopup->SetCommandBars(pCommandBars);
    RecordingExpansionTheme* pTheme = new RecordingExpansionTheme();
    pTheme->m_nAnimationSteps = 3;
    pTheme->m_nAnimationTime = 0;
    pTheme->InternalAddRef(); // one reference stays with the test
    pPopup->SetPaintManager(pTheme);

    ASSERT_TRUE(fx.bar.SetPopupControl(pControl->GetIndex(), FALSE));
    ASSERT_TRUE(pPopup->HasHiddenCommands());
    const CRect rcCollapsed = WindowRect(pPopup);
    EXPECT_EQ(0, pTheme->m_nCalls) << "opening is no expansion";

    pPopup->ExpandBar();
    EXPECT_EQ(1, pTheme->m_nCalls);
    EXPECT_TRUE(pTheme->m_bDown) << "the popup below its control grows downwards";
    ASSERT_EQ(5u, pTheme->m_newly.size()) << "four items and the expand button";
    EXPECT_EQ((std::vector<bool>{false, true, false, true, false}), pTheme->m_newly);
    EXPECT_EQ(0, pTheme->m_nDifferent) << "the last step shows the whole expanded picture";
    EXPECT_FALSE(pPopup->IsControlNewlyShown(pPopup->GetControl(1))) << "only during the expansion";
    const CRect rcExpanded = WindowRect(pPopup);
    EXPECT_EQ(rcCollapsed.top, rcExpanded.top);
    EXPECT_GT(rcExpanded.Height(), rcCollapsed.Height());
    EXPECT_TRUE(::IsWindowVisible(pPopup->GetSafeHwnd()));

    // Without an animation kind the popup only moves.
    fx.bar.SetTrackingMode(FALSE);
    Pump();
    pOptions->animationType = xtpAnimateNone;
    ASSERT_TRUE(fx.bar.SetPopupControl(pControl->GetIndex(), FALSE));
    if (pPopup->HasHiddenCommands())
        pPopup->ExpandBar();
    EXPECT_EQ(1, pTheme->m_nCalls);
    fx.bar.SetTrackingMode(FALSE);
    Pump();
    pPopup->SetPaintManager(nullptr);
    pTheme->InternalRelease();
    pPopup->SetCommandBars(nullptr);
    pCommandBars->InternalRelease();
}
