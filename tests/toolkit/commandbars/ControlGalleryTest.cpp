// Galleries: rows and labels laid out from the items of the action, keyboard navigation by table,
// the wheel, live preview and drag notifications on a real toolbar (messages posted before the
// pump), persistence by schema, accessibility of the items called in process, and the gallery
// painter counted in pixels on a memory surface.
#include "FieldTestSupport.h"
#include "PopupBarSupport.h"
#include "TestBar.h"

#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/controls/XTPControlAction.h"
#include "toolkit/commandbars/controls/XTPControlGallery.h"
#include "toolkit/commandbars/controls/XTPControlGalleryItem.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPControlGalleryPaintManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/persist/XTPPropExchangeIniFile.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using cb_test::TestBar;
using field_test::PumpMessages;
using field_test::ScriptedClock;

namespace
{
const int kGalleryId = 700;

// A gallery on a window-less bar with the items of its own action: 40 x 40 items, no scroll bar,
// no borders, so the items area is the control's rectangle.
class GalleryRig
{
public:
    explicit GalleryRig(const char* pszLayout, CSize szControl = CSize(130, 200))
    {
        pAction->SetID(kGalleryId);
        pItems = new CXTPControlGalleryItems(pAction);
        pItems->SetItemSize(CSize(40, 40));
        AddItems(pszLayout);
        pGallery = new CXTPControlGallery();
        bar.GetControls()->Add(pGallery, kGalleryId);
        pGallery->ShowScrollBar(FALSE);
        pGallery->SetAction(pAction);
        pGallery->SetRect(CRect(CPoint(0, 0), szControl));
    }
    ~GalleryRig()
    {
        bar.GetControls()->RemoveAll();
        pAction->InternalRelease();
    }
    GalleryRig(const GalleryRig&) = delete;
    GalleryRig& operator=(const GalleryRig&) = delete;

    // 'i' an item (ids from 1), 'L' a label 20 high.
    void AddItems(const char* pszLayout)
    {
        int nId = 1;
        for (const char* p = pszLayout; *p; ++p)
        {
            if (*p == 'L')
                pItems->AddLabel("Group")->SetSize(CSize(0, 20));
            else
                pItems->AddItem(nId++, "Item");
        }
    }
    CRect Rect(int nIndex) const { return CRect(pGallery->GetPosition(nIndex).rcItem); }

    TestBar bar;
    CXTPControlAction* pAction = new CXTPControlAction();
    CXTPControlGalleryItems* pItems = nullptr;
    CXTPControlGallery* pGallery = nullptr;
};
} // namespace

TEST(GalleryLayout, ItemsWrapInRowsAndLabelsTakeAFullRow)
{
    struct Case
    {
        const char* name;
        const char* layout;
        BOOL bShowLabels;
        std::vector<CRect> rects;
        int nContentHeight;
    };
    const Case cases[] = {
        {"three 40-pixel items fill a 130-pixel row, the fourth wraps", "iiii", TRUE,
         {CRect(0, 0, 40, 40), CRect(40, 0, 80, 40), CRect(80, 0, 120, 40), CRect(0, 40, 40, 80)}, 80},
        {"a label closes the row and takes the full width", "iiLii", TRUE,
         {CRect(0, 0, 40, 40), CRect(40, 0, 80, 40), CRect(0, 40, 130, 60), CRect(0, 61, 40, 101),
          CRect(40, 61, 80, 101)},
         101},
        {"a label first begins the rows", "Lii", TRUE, {CRect(0, 0, 130, 20), CRect(0, 21, 40, 61), CRect(40, 21, 80, 61)},
         61},
        {"labels hidden take no space", "iiLii", FALSE,
         {CRect(0, 0, 40, 40), CRect(40, 0, 80, 40), CRect(0, 0, 0, 0), CRect(80, 0, 120, 40), CRect(0, 40, 40, 80)},
         80},
    };
    for (const Case& c : cases)
    {
        GalleryRig rig(c.layout);
        rig.pGallery->ShowLabels(c.bShowLabels);
        ASSERT_EQ(rig.pGallery->GetPositionCount(), static_cast<int>(c.rects.size())) << c.name;
        for (size_t i = 0; i < c.rects.size(); ++i)
            EXPECT_EQ(rig.Rect(static_cast<int>(i)), c.rects[i]) << c.name << " item " << i;
        EXPECT_EQ(rig.pGallery->GetContentHeight(), c.nContentHeight) << c.name;
    }
}

TEST(GalleryLayout, HiddenLabelsAreNeverHitNorHighlighted)
{
    GalleryRig rig("iLi");
    rig.pGallery->ShowLabels(FALSE);
    EXPECT_EQ(rig.pGallery->HitTestItem(CPoint(60, 20)), 1 + 1); // the item after the label, beside the first
    EXPECT_EQ(rig.pGallery->GetNext(0, 1), 2);
    rig.pGallery->ShowLabels(TRUE);
    EXPECT_EQ(rig.pGallery->HitTestItem(CPoint(60, 50)), -1); // on the label
    EXPECT_EQ(rig.pGallery->GetNext(0, 1), 2);
}

TEST(GalleryNavigation, KeysMoveTheHighlightByTheirRules)
{
    // Rows: 0 1 2 / 3 4 5 / 6, items area 130 x 80 (two rows in view), the gallery alone in its bar.
    struct Case
    {
        const char* name;
        int nStart;
        UINT nKey;
        BOOL bHandled;
        int nExpected;
    };
    const Case cases[] = {
        {"Tab from the last item leaves it to the bar", 6, VK_TAB, FALSE, 6},
        {"Tab moves on linearly", 2, VK_TAB, TRUE, 3},
        {"Right from a row's last goes to its first", 2, VK_RIGHT, TRUE, 0},
        {"Right within the row", 0, VK_RIGHT, TRUE, 1},
        {"Left from a row's first goes to its last", 3, VK_LEFT, TRUE, 5},
        {"Left within the row", 4, VK_LEFT, TRUE, 3},
        {"Down in the same column", 1, VK_DOWN, TRUE, 4},
        {"Down below the last row wraps to the first item", 4, VK_DOWN, TRUE, 0},
        {"Up from the top row wraps to the last item", 1, VK_UP, TRUE, 6},
        {"Home", 4, VK_HOME, TRUE, 0},
        {"End", 1, VK_END, TRUE, 6},
        {"Page Down stops before a page's height", 0, VK_NEXT, TRUE, 5},
        {"Page Up from the last row stops before a page's height", 6, VK_PRIOR, TRUE, 3},
    };
    for (const Case& c : cases)
    {
        GalleryRig rig("iiiiiii", CSize(130, 80));
        rig.pGallery->OnSetSelected(2); // focused as by the keyboard
        rig.pGallery->SetSelectedItem(c.nStart);
        EXPECT_EQ(rig.pGallery->OnHookKeyDown(c.nKey, 0), c.bHandled) << c.name;
        EXPECT_EQ(rig.pGallery->GetSelectedItem(), c.nExpected) << c.name;
    }
}

TEST(GalleryNavigation, KeyboardHighlightScrollsTheItemIntoView)
{
    GalleryRig rig("iiiiiiiii", CSize(130, 80)); // three rows of 40 in an 80-pixel view
    rig.pGallery->SetSelectedItem(7);
    EXPECT_EQ(rig.pGallery->GetScrollPos(), 40);
    rig.pGallery->SetSelectedItem(0);
    EXPECT_EQ(rig.pGallery->GetScrollPos(), 0);
}

TEST(GalleryScrolling, OneWheelNotchScrollsThreeItemHeightsClamped)
{
    struct Case
    {
        const char* name;
        int nFrom;
        short zDelta;
        int nExpected;
    };
    // Ten rows of 40 in a 100-pixel view: at most 300.
    const Case cases[] = {
        {"down one notch", 0, -WHEEL_DELTA, 120},
        {"down past the end stops at the bottom", 250, -WHEEL_DELTA, 300},
        {"up one notch", 200, WHEEL_DELTA, 80},
        {"up past the top stops at 0", 60, WHEEL_DELTA, 0},
        {"two notches at once", 0, -2 * WHEEL_DELTA, 240},
    };
    for (const Case& c : cases)
    {
        GalleryRig rig("iiiiiiiiiiiiiiiiiiiiiiiiiiiiii", CSize(130, 100));
        rig.pGallery->SetScrollPos(c.nFrom);
        ASSERT_EQ(rig.pGallery->GetScrollPos(), c.nFrom) << c.name;
        EXPECT_TRUE(rig.pGallery->OnMouseWheel(c.zDelta)) << c.name;
        EXPECT_EQ(rig.pGallery->GetScrollPos(), c.nExpected) << c.name;
    }
}

TEST(GalleryScrolling, ScrollButtonsFollowThePosition)
{
    GalleryRig rig("iiiiiiiii", CSize(130, 80));
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(nullptr);
    rig.pGallery->SetCommandBar(pPopup); // with a popup the strip buttons follow the content
    pPopup->InternalRelease();
    EXPECT_FALSE(rig.pGallery->IsScrollButtonEnabled(xtpGalleryHitUp));
    EXPECT_TRUE(rig.pGallery->IsScrollButtonEnabled(xtpGalleryHitDown));
    rig.pGallery->DoScroll(SB_BOTTOM, 0);
    EXPECT_EQ(rig.pGallery->GetScrollPos(), 40);
    EXPECT_TRUE(rig.pGallery->IsScrollButtonEnabled(xtpGalleryHitUp));
    EXPECT_FALSE(rig.pGallery->IsScrollButtonEnabled(xtpGalleryHitDown));
    int nMin = -1, nMax = -1, nPage = -1, nPos = -1;
    rig.pGallery->GetScrollInfo(nMin, nMax, nPage, nPos);
    EXPECT_EQ(nMin, 0);
    EXPECT_EQ(nMax, 119);
    EXPECT_EQ(nPage, 80);
    EXPECT_EQ(nPos, 40);
    rig.pGallery->SetEnabled(FALSE);
    EXPECT_FALSE(rig.pGallery->IsScrollButtonEnabled(xtpGalleryHitUp));
}

TEST(GalleryScrolling, WithoutAPopupAPlainScrollBarStandsAtTheRightEdge)
{
    const int cxScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    GalleryRig rig("iiiiiiiii", CSize(130 + cxScroll, 80));
    rig.pGallery->ShowScrollBar(TRUE);
    EXPECT_FALSE(rig.pGallery->IsStripStyle());
    EXPECT_EQ(rig.pGallery->GetItemsRect(), CRect(0, 0, 130, 80));
    EXPECT_EQ(rig.pGallery->GetScrollBarRect(), CRect(130, 0, 130 + cxScroll, 80));
    EXPECT_EQ(rig.pGallery->HitTestScrollBar(CPoint(131, 1)), xtpScrollPartUpArrow);
    EXPECT_EQ(rig.pGallery->HitTestScrollBar(CPoint(131, 78)), xtpScrollPartDownArrow);
    EXPECT_EQ(rig.pGallery->HitTestScrollBar(CPoint(10, 10)), xtpScrollPartNone);
    // The scroll block scrolls the gallery: a line is an item's height.
    rig.pGallery->DoScroll(SB_LINEDOWN, 0);
    EXPECT_EQ(rig.pGallery->GetScrollPos(), 40);
    rig.pGallery->DoScroll(SB_THUMBTRACK, 17);
    EXPECT_EQ(rig.pGallery->GetScrollPos(), 17);
}

TEST(GalleryPersistence, ResizableOnlyAboveSchema23)
{
    struct Case
    {
        const char* name;
        int nSchema;
        int nResizableLoaded;
    };
    const Case cases[] = {{"schema 23 neither writes nor reads it", 23, 0}, {"schema 24 keeps it", 24, 3}};
    char path[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, path);
    const std::string file = std::string(path) + "qvx_cb_gallery.ini";
    for (const Case& c : cases)
    {
        ::DeleteFileA(file.c_str());
        CXTPControlGallery* pSaved = new CXTPControlGallery();
        pSaved->SetResizable(3);
        pSaved->ShowLabels(FALSE);
        pSaved->SetGalleryMargin(CRect(1, 2, 3, 4));
        {
            CXTPPropExchangeIniFile px(FALSE, nullptr, "Gallery");
            px.AssignFile(file.c_str());
            px.m_nSchema = c.nSchema;
            pSaved->DoPropExchange(&px);
        }
        char szValue[32] = {};
        ::GetPrivateProfileStringA("Gallery", "Resizable", "absent", szValue, sizeof(szValue), file.c_str());
        EXPECT_EQ(std::string(szValue), c.nSchema > 23 ? "3" : "absent") << c.name;

        CXTPControlGallery* pLoaded = new CXTPControlGallery();
        {
            CXTPPropExchangeIniFile px(TRUE, nullptr, "Gallery");
            px.AssignFile(file.c_str());
            px.m_nSchema = c.nSchema;
            pLoaded->DoPropExchange(&px);
        }
        EXPECT_EQ(pLoaded->GetResizable(), c.nResizableLoaded) << c.name;
        EXPECT_FALSE(pLoaded->IsShowLabels()) << c.name;
        EXPECT_EQ(pLoaded->GetGalleryMargin(), CRect(1, 2, 3, 4)) << c.name;
        pLoaded->InternalRelease();

        CXTPControlGallery* pCopy = dynamic_cast<CXTPControlGallery*>(pSaved->Clone());
        ASSERT_NE(pCopy, nullptr);
        EXPECT_EQ(pCopy->GetResizable(), 3) << c.name;
        EXPECT_EQ(pCopy->GetGalleryMargin(), CRect(1, 2, 3, 4)) << c.name;
        pCopy->InternalRelease();
        pSaved->InternalRelease();
    }
    ::DeleteFileA(file.c_str());
}

TEST(GalleryAccessibility, ItemsAreChildrenOfTheGallery)
{
    GalleryRig rig("");
    rig.pItems->AddItem(1, "&Red");
    CXTPControlGalleryItem* pBlank = rig.pItems->AddItem(2, "");
    pBlank->SetDescription("Blank swatch");
    rig.pItems->AddItem(3, "Blue");
    rig.pGallery->SetCheckedItem(3);
    rig.pGallery->SetSelectedItem(0);

    long nChildren = -1;
    ASSERT_EQ(rig.pGallery->GetAccessibleChildCount(&nChildren), S_OK);
    EXPECT_EQ(nChildren, 3);

    VARIANT child;
    child.vt = VT_I4;
    struct Case
    {
        long nChild;
        const wchar_t* pszName;
        LONG lRole;
        LONG lState;
    };
    const LONG kItem = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    const Case cases[] = {
        {1, L"Red", ROLE_SYSTEM_LISTITEM, kItem | STATE_SYSTEM_FOCUSED},
        {2, L"Blank swatch", ROLE_SYSTEM_LISTITEM, kItem},
        {3, L"Blue", ROLE_SYSTEM_LISTITEM, kItem | STATE_SYSTEM_SELECTED},
    };
    for (const Case& c : cases)
    {
        child.lVal = c.nChild;
        BSTR bstrName = nullptr;
        ASSERT_EQ(rig.pGallery->GetAccessibleName(child, &bstrName), S_OK) << c.nChild;
        EXPECT_EQ(std::wstring(bstrName), std::wstring(c.pszName)) << c.nChild;
        ::SysFreeString(bstrName);
        VARIANT var;
        ASSERT_EQ(rig.pGallery->GetAccessibleRole(child, &var), S_OK) << c.nChild;
        EXPECT_EQ(var.lVal, c.lRole) << c.nChild;
        ASSERT_EQ(rig.pGallery->GetAccessibleState(child, &var), S_OK) << c.nChild;
        EXPECT_EQ(var.lVal, c.lState) << c.nChild;
    }
    child.lVal = CHILDID_SELF;
    VARIANT var;
    ASSERT_EQ(rig.pGallery->GetAccessibleRole(child, &var), S_OK);
    EXPECT_EQ(var.lVal, ROLE_SYSTEM_LIST);

    // Children that do not exist, and null outputs.
    BSTR bstr = nullptr;
    child.lVal = 4;
    EXPECT_EQ(rig.pGallery->GetAccessibleName(child, &bstr), E_INVALIDARG);
    EXPECT_EQ(rig.pGallery->GetAccessibleRole(child, &var), E_INVALIDARG);
    EXPECT_EQ(rig.pGallery->GetAccessibleState(child, &var), E_INVALIDARG);
    child.lVal = 1;
    EXPECT_EQ(rig.pGallery->GetAccessibleName(child, nullptr), E_INVALIDARG);
    EXPECT_EQ(rig.pGallery->GetAccessibleChildCount(nullptr), E_INVALIDARG);

    // Selecting a child highlights it.
    child.lVal = 3;
    EXPECT_EQ(rig.pGallery->AccessibleSelect(SELFLAG_TAKEFOCUS, child), S_OK);
    EXPECT_EQ(rig.pGallery->GetSelectedItem(), 2);
}

namespace
{
// Distinct colours for the numbers the gallery painter uses.
const COLORREF kFill41 = RGB(1, 2, 3);
const COLORREF kFrame52 = RGB(4, 5, 6);
const COLORREF kLine39 = RGB(7, 8, 9);
const COLORREF kLabel56 = RGB(10, 11, 12);
const COLORREF kStrip30 = RGB(13, 14, 15);

class PaintedSurface
{
public:
    PaintedSurface()
    {
        CClientDC screen(nullptr);
        dc.CreateCompatibleDC(&screen);
        bmp.CreateCompatibleBitmap(&screen, 200, 120);
        pOld = dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, 200, 120, RGB(250, 0, 250));
    }
    ~PaintedSurface() { dc.SelectObject(pOld); }
    COLORREF At(int x, int y) { return dc.GetPixel(x, y); }

    CDC dc;
    CBitmap bmp;
    CBitmap* pOld = nullptr;
};

// Gives a paint manager the colours above (after any refresh of its metrics).
void SetPainterColours(CXTPPaintManager* pPaintManager)
{
    const int indexes[] = {41, 52, 39, 56, 30};
    const COLORREF colors[] = {kFill41, kFrame52, kLine39, kLabel56, kStrip30};
    pPaintManager->SetColors(5, indexes, colors);
}

// A window-less bar drawn by a fresh default theme with the colours above.
void UsePainterTheme(CXTPCommandBar& bar)
{
    CXTPPaintManager* pPaintManager = CXTPPaintManager::CreateTheme(0);
    bar.SetPaintManager(pPaintManager);
    SetPainterColours(pPaintManager);
}
} // namespace

TEST(GalleryPainter, OwnedByThePaintManagerWithItsMetrics)
{
    CXTPPaintManager* pPaintManager = CXTPPaintManager::CreateTheme(0);
    CXTPControlGalleryPaintManager* pPainter = pPaintManager->GetGalleryPaintManager();
    ASSERT_NE(pPainter, nullptr);
    EXPECT_EQ(pPainter->m_pPaintManager, pPaintManager);
    EXPECT_EQ(pPainter->m_cyPopupUp, 19);
    EXPECT_EQ(pPainter->m_cyPopupDown, 19);
    EXPECT_EQ(pPainter->m_cxPopup, 16);
    pPaintManager->InternalRelease();
}

TEST(GalleryPainter, BackgroundBordersAndSeparatorInTheirColours)
{
    GalleryRig rig("ii", CSize(100, 60));
    rig.bar.SetPosition(xtpBarPopup);
    rig.bar.GetControls()->Add(new CXTPControlButton(), 1); // a control follows the gallery
    UsePainterTheme(rig.bar);
    rig.pGallery->ShowBorders(TRUE);
    ASSERT_TRUE(rig.pGallery->HasFollowingControl());
    EXPECT_EQ(rig.pGallery->GetBorders(), CRect(1, 1, 1, 2));

    PaintedSurface surface;
    rig.pGallery->DrawBackground(&surface.dc);
    EXPECT_EQ(surface.At(0, 0), kFrame52);
    EXPECT_EQ(surface.At(99, 30), kFrame52);
    EXPECT_EQ(surface.At(50, 30), kFill41);
    EXPECT_EQ(surface.At(50, 58), kLine39);
    EXPECT_EQ(surface.At(50, 57), kFill41);

    // Transparent: no fill, the frame stays.
    PaintedSurface clear;
    rig.pGallery->SetTransparent(TRUE);
    rig.pGallery->DrawBackground(&clear.dc);
    EXPECT_EQ(clear.At(50, 30), RGB(250, 0, 250));
    EXPECT_EQ(clear.At(0, 0), kFrame52);
}

TEST(GalleryPainter, LabelFillAndBottomLine)
{
    CXTPPaintManager* pPaintManager = CXTPPaintManager::CreateTheme(0);
    SetPainterColours(pPaintManager);
    PaintedSurface surface;
    pPaintManager->GetGalleryPaintManager()->DrawLabel(&surface.dc, "", CRect(0, 0, 100, 20));
    EXPECT_EQ(surface.At(50, 5), kLabel56);
    EXPECT_EQ(surface.At(50, 19), kFrame52);
    EXPECT_EQ(surface.At(50, 20), RGB(250, 0, 250));
    pPaintManager->InternalRelease();
}

TEST(GalleryPainter, StripHasNineteenPixelButtons)
{
    // An in-bar gallery with a popup: the strip (16 wide) at its right edge.
    GalleryRig rig("iiiiiiiiiiii", CSize(136, 80));
    UsePainterTheme(rig.bar);
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(nullptr);
    rig.pGallery->SetCommandBar(pPopup);
    pPopup->InternalRelease();
    rig.pGallery->ShowScrollBar(TRUE);
    ASSERT_TRUE(rig.pGallery->IsStripStyle());
    EXPECT_EQ(rig.pGallery->GetScrollBarRect(), CRect(120, 0, 136, 80));
    EXPECT_EQ(rig.pGallery->HitTestScrollBar(CPoint(128, 5)), xtpGalleryHitUp);
    EXPECT_EQ(rig.pGallery->HitTestScrollBar(CPoint(128, 19)), xtpGalleryHitDown);
    EXPECT_EQ(rig.pGallery->HitTestScrollBar(CPoint(128, 37)), xtpGalleryHitDown);
    EXPECT_EQ(rig.pGallery->HitTestScrollBar(CPoint(128, 38)), xtpGalleryHitPopup);

    rig.pGallery->OnMouseMove(CPoint(128, 25)); // the down button becomes hot: a raised face
    ASSERT_EQ(rig.pGallery->GetHotScrollPart(), xtpGalleryHitDown);
    PaintedSurface surface;
    rig.pGallery->Draw(&surface.dc);
    const COLORREF clrHighlight = ::GetSysColor(COLOR_3DHIGHLIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_3DSHADOW);
    EXPECT_EQ(surface.At(121, 18), kStrip30); // the up button (disabled) leaves the strip's fill
    EXPECT_EQ(surface.At(120, 19), clrHighlight);
    EXPECT_EQ(surface.At(135, 37), clrShadow);
    EXPECT_EQ(surface.At(121, 38), kStrip30);
    // The down glyph: an 8-pixel triangle in the text colour at the button's centre.
    EXPECT_NE(surface.At(128, 28), kStrip30);
}

namespace
{
// A real toolbar whose owner records the notifications, with a gallery of 40 x 40 items.
class GalleryOnFrame : public field_test::FieldOnFrame
{
protected:
    void SetUp() override
    {
        field_test::FieldOnFrame::SetUp();
        pGallery = dynamic_cast<CXTPControlGallery*>(AddField(xtpControlGallery, kGalleryId));
        ASSERT_NE(pGallery, nullptr);
        pAction->SetID(kGalleryId);
        pItems = new CXTPControlGalleryItems(pAction);
        pItems->SetItemSize(CSize(40, 40));
        for (int i = 1; i <= 6; ++i)
            pItems->AddItem(i, "Swatch");
        pGallery->ShowScrollBar(FALSE);
        pGallery->SetWidth(130);
        pGallery->SetHeight(80);
        pGallery->SetAction(pAction);
        Layout();
        Activate();
        recorder.m_log.clear();
    }
    void TearDown() override
    {
        if (pBar)
            pBar->GetControls()->RemoveAll();
        pAction->InternalRelease();
        field_test::FieldOnFrame::TearDown();
    }
    CPoint ItemCenter(int nIndex) const { return pGallery->GetItemDrawRect(nIndex).CenterPoint(); }

    CXTPControlGallery* pGallery = nullptr;
    CXTPControlAction* pAction = new CXTPControlAction();
    CXTPControlGalleryItems* pItems = nullptr;
};
} // namespace

TEST_F(GalleryOnFrame, KindJoinsAddByTypeWithItsDefaults)
{
    CXTPControls* pControls = new CXTPControls();
    CXTPControlGallery* pMade = dynamic_cast<CXTPControlGallery*>(pControls->AddByType(xtpControlGallery, 5));
    ASSERT_NE(pMade, nullptr);
    EXPECT_EQ(pMade->GetType(), xtpControlGallery);
    EXPECT_EQ(pMade->GetWidth(), 120);
    EXPECT_EQ(pMade->GetHeight(), 60);
    EXPECT_EQ(pMade->GetFlags(), xtpFlagShowPopupBarTip);
    EXPECT_EQ(pMade->GetSelectedItem(), -1);
    pControls->InternalRelease();
    EXPECT_EQ(pGallery->GetRect().Width(), 130);
}

TEST_F(GalleryOnFrame, HoverStartsThePreviewOnItsTimer)
{
    ScriptedClock clock({0});
    PostToBar(WM_MOUSEMOVE, 0, ItemCenter(0));
    PumpMessages();
    EXPECT_EQ(recorder.Codes(), (std::vector<int>{XTP_GN_SELCHANGE}));
    bool bPreviewTimer = false;
    for (const ScriptedClock::TimerCall& call : clock.m_timers)
        bPreviewTimer = bPreviewTimer || (call.nIDEvent == XTP_TID_HOVER && call.uElapse == 200u);
    EXPECT_TRUE(bPreviewTimer);

    recorder.m_log.clear();
    ::PostMessageA(pBar->GetSafeHwnd(), WM_TIMER, XTP_TID_HOVER, 0);
    PumpMessages();
    EXPECT_EQ(recorder.Codes(), (std::vector<int>{XTP_GN_PREVIEWSTART, XTP_GN_PREVIEWCHANGE}));
    EXPECT_TRUE(pGallery->IsPreviewActive());

    // Moving on to another item changes the preview.
    recorder.m_log.clear();
    PostToBar(WM_MOUSEMOVE, 0, ItemCenter(1));
    PumpMessages();
    EXPECT_EQ(recorder.Codes(), (std::vector<int>{XTP_GN_PREVIEWCHANGE, XTP_GN_SELCHANGE}));
    EXPECT_EQ(pGallery->GetSelectedItem(), 1);

    // Leaving the bar cancels it.
    recorder.m_log.clear();
    ::PostMessageA(pBar->GetSafeHwnd(), WM_MOUSELEAVE, 0, 0);
    PumpMessages();
    EXPECT_EQ(recorder.Count(XTP_GN_PREVIEWCANCEL), 1);
    EXPECT_FALSE(pGallery->IsPreviewActive());
    EXPECT_FALSE(pGallery->IsHighlightShown());
}

TEST_F(GalleryOnFrame, ExecutingDuringPreviewAppliesIt)
{
    PostToBar(WM_MOUSEMOVE, 0, ItemCenter(2));
    ::PostMessageA(pBar->GetSafeHwnd(), WM_TIMER, XTP_TID_HOVER, 0);
    PumpMessages();
    ASSERT_TRUE(pGallery->IsPreviewActive());
    recorder.m_log.clear();
    PostToBar(WM_LBUTTONDOWN, MK_LBUTTON, ItemCenter(2));
    PostToBar(WM_LBUTTONUP, 0, ItemCenter(2));
    PumpMessages();
    const std::vector<int> codes = recorder.Codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(recorder.Count(XTP_GN_PREVIEWAPPLY), 1);
    EXPECT_EQ(recorder.Count(XTP_GN_PREVIEWCANCEL), 0);
    EXPECT_EQ(recorder.Count(-1), 1); // the command
    EXPECT_FALSE(pGallery->IsPreviewActive());
}

TEST_F(GalleryOnFrame, PressedItemStartsADragOnlyPastTheThreshold)
{
    struct Case
    {
        const char* name;
        CSize move;
        int nDrags;
    };
    const Case cases[] = {
        {"4 pixels sideways is no drag", CSize(4, 0), 0},
        {"4 pixels down is no drag", CSize(0, 4), 0},
        {"5 pixels sideways drags", CSize(5, 0), 1},
        {"5 pixels down drags", CSize(0, 5), 1},
    };
    for (const Case& c : cases)
    {
        const CPoint pt = ItemCenter(4);
        PostToBar(WM_MOUSEMOVE, 0, pt);
        PostToBar(WM_LBUTTONDOWN, MK_LBUTTON, pt);
        PumpMessages();
        ASSERT_TRUE(pGallery->IsItemPressed()) << c.name;
        recorder.m_log.clear();
        PostToBar(WM_MOUSEMOVE, MK_LBUTTON, pt + c.move);
        PostToBar(WM_MOUSEMOVE, MK_LBUTTON, pt + c.move); // only the first crossing tells
        PumpMessages();
        EXPECT_EQ(recorder.Count(XTP_GN_STARTDRAG), c.nDrags) << c.name;
        // Release away from the gallery so that nothing runs.
        pGallery->OnSetSelected(FALSE);
        pBar->SetTrackingMode(FALSE);
        PumpMessages();
    }
}

namespace
{
// A popup (opened from a toolbar control) whose first control is a resizable gallery of 40 x 40
// items, above a plain button.
struct ResizableGalleryPopup
{
    explicit ResizableGalleryPopup(int nResizable)
    {
        pControl = fx.AddPopup(xtpControlPopup, {401});
        pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pControl->GetCommandBar());
        pAction->SetID(kGalleryId);
        CXTPControlGalleryItems* pItems = new CXTPControlGalleryItems(pAction);
        pItems->SetItemSize(CSize(40, 40));
        for (int i = 1; i <= 12; ++i)
            pItems->AddItem(i, "Swatch");
        pGallery = new CXTPControlGallery();
        pPopup->GetControls()->InsertAt(pGallery, 0);
        pGallery->SetAction(pAction);
        pGallery->SetWidth(130);
        pGallery->SetHeight(80);
        pGallery->SetResizable(nResizable);
    }
    ~ResizableGalleryPopup()
    {
        fx.bar.SetTrackingMode(FALSE);
        pPopup->GetControls()->RemoveAll();
        pAction->InternalRelease();
    }
    ResizableGalleryPopup(const ResizableGalleryPopup&) = delete;
    ResizableGalleryPopup& operator=(const ResizableGalleryPopup&) = delete;
    CSize WindowSize() const
    {
        CRect rc;
        ::GetWindowRect(pPopup->GetSafeHwnd(), &rc);
        return rc.Size();
    }
    void Post(UINT message, WPARAM wParam, CPoint pt) const
    {
        ::PostMessageA(pPopup->GetSafeHwnd(), message, wParam, MAKELPARAM(pt.x, pt.y));
    }

    cb_popup_test::PopupFixture fx;
    CXTPControlPopup* pControl = nullptr;
    CXTPPopupBar* pPopup = nullptr;
    CXTPControlGallery* pGallery = nullptr;
    CXTPControlAction* pAction = new CXTPControlAction();
};
} // namespace

TEST(GalleryResizeGripper, DraggingResizesTheGalleryAndEscapeRestoresIt)
{
    struct Case
    {
        const char* name;
        int nResizable;
        int nGripperHeight;
        bool bEscape;
        CSize szExpected;
    };
    const Case cases[] = {
        {"width and height follow the mouse", 3, 11, false, CSize(160, 100)},
        {"height only", 2, 8, false, CSize(130, 100)},
        {"Esc gives the old size back", 3, 11, true, CSize(130, 80)},
    };
    for (const Case& c : cases)
    {
        cb_popup_test::FixedQuery query;
        ResizableGalleryPopup rig(c.nResizable);
        ASSERT_TRUE(rig.fx.bar.SetPopupControl(rig.pControl->GetIndex())) << c.name;
        cb_popup_test::Pump();
        const CRect rcGripper = rig.pPopup->GetResizeGripperRect();
        ASSERT_EQ(rcGripper.Height(), c.nGripperHeight) << c.name;
        EXPECT_EQ(rig.pPopup->IsReservedQuery2(), c.nResizable) << c.name;
        const CSize szBefore = rig.WindowSize();

        const CPoint ptPress = rcGripper.CenterPoint();
        rig.Post(WM_LBUTTONDOWN, MK_LBUTTON, ptPress);
        rig.Post(WM_MOUSEMOVE, MK_LBUTTON, ptPress + CSize(30, 20));
        if (c.bEscape)
            rig.Post(WM_KEYDOWN, VK_ESCAPE, CPoint(0, 0));
        else
            rig.Post(WM_LBUTTONUP, 0, ptPress + CSize(30, 20));
        cb_popup_test::Pump();

        EXPECT_EQ(CSize(rig.pGallery->GetWidth(), rig.pGallery->GetHeight()), c.szExpected) << c.name;
        EXPECT_EQ(rig.WindowSize(), szBefore + (c.szExpected - CSize(130, 80))) << c.name;
        EXPECT_EQ(::GetCapture(), nullptr) << c.name;
    }
}

TEST(GalleryResizeGripper, NeverBelowTheGalleryMinimum)
{
    cb_popup_test::FixedQuery query;
    ResizableGalleryPopup rig(3);
    ASSERT_TRUE(rig.fx.bar.SetPopupControl(rig.pControl->GetIndex()));
    cb_popup_test::Pump();
    const CPoint ptPress = rig.pPopup->GetResizeGripperRect().CenterPoint();
    rig.Post(WM_LBUTTONDOWN, MK_LBUTTON, ptPress);
    rig.Post(WM_MOUSEMOVE, MK_LBUTTON, ptPress - CSize(500, 500));
    rig.Post(WM_LBUTTONUP, 0, ptPress - CSize(500, 500));
    cb_popup_test::Pump();
    EXPECT_EQ(rig.pGallery->GetWidth(), rig.pGallery->GetCustomizeMinWidth());
    EXPECT_EQ(rig.pGallery->GetHeight(), 40 + rig.pGallery->GetBorders().top + rig.pGallery->GetBorders().bottom);
}
