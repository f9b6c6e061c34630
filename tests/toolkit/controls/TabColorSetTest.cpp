// The tab colour sets: the factory, the values each set gives per system theme and setting, and
// their fills probed on 32-bit memory surfaces filled with a sentinel colour. Expected colours are
// typed here; colour-manager entries are read through the colour manager.
#include "HeaderTestSupport.h"
#include "TabTestSupport.h"

#include "tests/common/MemorySurface.h"
#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/resources/XTPResourceImages.h"
#include "toolkit/common/system/XTPSystemHelpers.h"
#include "toolkit/controls/tabs/XTPTabColorSetNative.h"
#include "toolkit/controls/tabs/XTPTabColorSetsVisualStudio.h"

#include <gtest/gtest.h>

#include <vssym32.h>

#include <cstdlib>
#include <typeinfo>
#include <vector>

using qvx_test::CMemorySurface;
using tab_test::CSurfaceDC;
using tab_test::CTestTabManager;
typedef CXTPTabPaintManager PM;

namespace
{
const COLORREF kSentinel = CMemorySurface::kInitialColour;
const COLORREF kNone = COLORREF(-1);

COLORREF Cm(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

::testing::AssertionResult Near(COLORREF actual, COLORREF expected, int nTolerance = 4)
{
    if (std::abs(GetRValue(actual) - GetRValue(expected)) <= nTolerance &&
        std::abs(GetGValue(actual) - GetGValue(expected)) <= nTolerance &&
        std::abs(GetBValue(actual) - GetBValue(expected)) <= nTolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "RGB(" << int(GetRValue(actual)) << ", " << int(GetGValue(actual)) << ", "
                                         << int(GetBValue(actual)) << ") is not near RGB(" << int(GetRValue(expected))
                                         << ", " << int(GetGValue(expected)) << ", " << int(GetBValue(expected)) << ")";
}

// The colour manager's theme settings and the theme store's table put back after each test.
class TabColorSetTest : public ::testing::Test
{
protected:
    void SetUp() override { manager.AddLengths({40, 40, 40}); }
    void TearDown() override
    {
        GetColorManager()->SetCurrentSystemTheme(xtpSystemThemeDefault);
        GetColorManager()->DisableThemeColors(FALSE);
        GetResourceImages()->SetResourceModule(nullptr);
    }
    PM* Pm() { return manager.m_pPaintManager; }
    // The set of an id made after choosing the system theme and the table switch.
    template <class T> T* Make(int nColor, int nTheme = xtpSystemThemeDefault, BOOL bDisableTables = FALSE)
    {
        GetColorManager()->SetCurrentSystemTheme(nTheme);
        Pm()->m_bDisableLunaColors = bDisableTables;
        Pm()->SetColor(nColor);
        T* pSet = dynamic_cast<T*>(Pm()->GetColorSet());
        EXPECT_NE(nullptr, pSet);
        return pSet;
    }
    CXTPTabManagerItem* Item(int n) { return manager.GetItem(n); }

    CTestTabManager manager;
};

struct TestTableOn
{
    TestTableOn() { GetResourceImages()->SetResourceModule(::GetModuleHandleA(nullptr), "TABTEST.INI"); }
};
struct NoTable
{
    NoTable() { GetResourceImages()->SetResourceModule(nullptr); }
};
} // namespace

// ---------------------------------------------------------------- factory

TEST_F(TabColorSetTest, FactoryMakesTheClassOfEveryId)
{
    struct Case
    {
        int nColor;
        const std::type_info& type;
    } cases[] = {
        {1, typeid(PM::CColorSetDefault)},
        {2, typeid(PM::CColorSetVisualStudio2003)},
        {4, typeid(PM::CColorSetOffice2003)},
        {8, typeid(PM::CColorSetWinNative)},
        {16, typeid(PM::CColorSetVisualStudio2005)},
        {32, typeid(PM::CColorSetOffice2007)},
        {64, typeid(PM::CColorSetVisualStudio2008)},
        {128, typeid(PM::CColorSetOffice2007Access)},
        {256, typeid(PM::CColorSetVisualStudio2010)},
        {0, typeid(PM::CColorSetDefault)},
        {3, typeid(PM::CColorSetDefault)},
        {512, typeid(PM::CColorSetDefault)},
    };
    for (const Case& c : cases)
    {
        CXTPTabPaintManagerColorSet* pSet = Pm()->SetColor(c.nColor);
        ASSERT_NE(nullptr, pSet);
        EXPECT_EQ(pSet, Pm()->GetColorSet());
        EXPECT_TRUE(typeid(*pSet) == c.type) << "id " << c.nColor << " made " << typeid(*pSet).name();
        EXPECT_EQ(c.nColor, Pm()->GetColor());
        EXPECT_EQ(Pm(), pSet->GetPaintManager());
    }
}

// ---------------------------------------------------------------- Office 2003

TEST_F(TabColorSetTest, Office2003ForcedThemesPickTheirTable)
{
    struct Case
    {
        int nTheme;
        COLORREF frame, darkShadow, shadow, navFrame, bg1, bg2, alt1, alt2, normal, hot;
    } cases[] = {
        {1, RGB(59, 97, 156), RGB(0, 53, 154), RGB(117, 166, 241), RGB(0, 0, 128), RGB(196, 218, 250),
         RGB(252, 253, 254), RGB(158, 190, 245), RGB(196, 218, 250), RGB(162, 192, 246), RGB(255, 240, 201)},
        {4, RGB(59, 97, 156), RGB(0, 53, 154), RGB(117, 166, 241), RGB(0, 0, 128), RGB(196, 218, 250),
         RGB(252, 253, 254), RGB(158, 190, 245), RGB(196, 218, 250), RGB(162, 192, 246), RGB(255, 240, 201)},
        {5, RGB(59, 97, 156), RGB(0, 53, 154), RGB(117, 166, 241), RGB(0, 0, 128), RGB(196, 218, 250),
         RGB(252, 253, 254), RGB(158, 190, 245), RGB(196, 218, 250), RGB(162, 192, 246), RGB(255, 240, 201)},
        {2, RGB(96, 128, 88), RGB(96, 119, 107), RGB(176, 194, 140), RGB(63, 93, 56), RGB(242, 241, 228),
         RGB(252, 254, 254), RGB(217, 217, 167), RGB(242, 241, 228), RGB(208, 222, 170), RGB(255, 240, 199)},
        {3, RGB(124, 124, 148), RGB(118, 116, 146), RGB(186, 185, 206), RGB(75, 75, 111), RGB(243, 243, 247),
         RGB(252, 254, 254), RGB(215, 215, 229), RGB(243, 243, 247), RGB(217, 217, 230), RGB(255, 238, 194)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nTheme);
        auto* p = Make<PM::CColorSetOffice2003>(4, c.nTheme);
        ASSERT_NE(nullptr, p);
        EXPECT_TRUE(p->m_useFixedTable);
        EXPECT_EQ(c.frame, p->m_frameBorder.GetColor());
        EXPECT_EQ(c.frame, p->m_frameBorder2.GetColor());
        EXPECT_EQ(c.darkShadow, p->m_pageDarkShadow.GetColor());
        EXPECT_EQ(c.darkShadow, p->m_pageDarkShadow2.GetColor());
        EXPECT_EQ(c.shadow, p->m_pageShadow.GetColor());
        EXPECT_EQ(c.shadow, p->m_pageShadow2.GetColor());
        EXPECT_EQ(RGB(255, 255, 255), p->m_pageLight.GetColor());
        EXPECT_EQ(RGB(255, 192, 111), p->m_gradSelectedButton.clrLight.GetColor());
        EXPECT_EQ(RGB(255, 192, 111), p->m_gradSelectedButton.clrDark.GetColor());
        EXPECT_EQ(c.navFrame, p->m_gradSelectedButtonBorder.clrLight.GetColor());
        EXPECT_EQ(c.navFrame, p->m_gradSelectedButtonBorder.clrDark.GetColor());
        EXPECT_EQ(c.navFrame, p->m_navButtonFrame.GetColor());
        EXPECT_EQ(c.bg1, p->m_gradBackground.clrLight.GetColor());
        EXPECT_EQ(c.bg2, p->m_gradBackground.clrDark.GetColor());
        EXPECT_EQ(c.alt1, p->m_gradBackgroundAlt.clrLight.GetColor());
        EXPECT_EQ(c.alt2, p->m_gradBackgroundAlt.clrDark.GetColor());
        EXPECT_EQ(c.normal, p->m_normalItemFace.GetColor());
        EXPECT_EQ(RGB(255, 194, 115), p->m_selectedItemFace.GetColor());
        EXPECT_EQ(c.hot, p->m_hotItemFace.GetColor());
        EXPECT_EQ(RGB(254, 142, 75), p->m_pressedItemFace.GetColor());
        // The group colours follow the frame; the second and fourth groups are none.
        EXPECT_EQ(c.frame, p->m_groupA1.GetColor());
        EXPECT_EQ(c.frame, p->m_groupC3.GetColor());
        EXPECT_EQ(kNone, p->m_groupB1.GetColor());
        EXPECT_EQ(kNone, p->m_groupD3.GetColor());
    }
}

TEST_F(TabColorSetTest, Office2003WithoutATableOrWithTablesDisabled)
{
    // Themes outside 1 to 5 set only the selected face (colour 36); disabled tables leave even
    // that at the base face. Either way the colour-manager colours 36, 37 and 33 stay.
    struct Case
    {
        const char* name;
        int nTheme;
        BOOL bDisableTables;
        BOOL bDisableThemeColors;
        COLORREF selected;
    } cases[] = {
        {"theme 0", 0, FALSE, FALSE, Cm(36)},
        {"theme 6 (detected, none under test)", 6, FALSE, FALSE, Cm(36)},
        {"theme 8", 8, FALSE, FALSE, Cm(36)},
        {"disabled by the paint manager", 1, TRUE, FALSE, Cm(COLOR_3DFACE)},
        {"disabled by the colour manager", 3, FALSE, TRUE, Cm(COLOR_3DFACE)},
    };
    ASSERT_EQ(0, GetColorManager()->GetDetectedSystemTheme()) << "a detected visual style changes theme 6";
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        GetColorManager()->DisableThemeColors(c.bDisableThemeColors);
        auto* p = Make<PM::CColorSetOffice2003>(4, c.nTheme, c.bDisableTables);
        ASSERT_NE(nullptr, p);
        EXPECT_FALSE(p->m_useFixedTable);
        EXPECT_EQ(c.selected, p->m_selectedItemFace.GetColor());
        EXPECT_EQ(Cm(36), p->m_hotItemFace.GetColor());
        EXPECT_EQ(Cm(33), p->m_pressedItemFace.GetColor());
        EXPECT_EQ(Cm(36), p->m_gradSelectedButton.clrLight.GetColor());
        EXPECT_EQ(Cm(37), p->m_gradSelectedButtonBorder.clrDark.GetColor());
        EXPECT_EQ(Cm(COLOR_3DSHADOW), p->m_frameBorder.GetColor());
        EXPECT_EQ(Cm(COLOR_3DFACE), p->m_normalItemFace.GetColor());
        EXPECT_EQ(Cm(COLOR_BTNTEXT), p->m_hotText.GetColor());
        EXPECT_EQ(Cm(COLOR_3DFACE), p->m_gradBackground.clrLight.GetColor());
        EXPECT_EQ(CXTPColorManager::MixColors(Cm(COLOR_3DFACE), Cm(COLOR_WINDOW), 205),
                  p->m_gradBackground.clrDark.GetColor());
        EXPECT_EQ(p->m_gradBackground.clrDark.GetColor(), p->m_gradBackgroundAlt.clrDark.GetColor());
        GetColorManager()->DisableThemeColors(FALSE);
    }
}

TEST_F(TabColorSetTest, Office2003StateButtonsHaveAPlainBackground)
{
    Pm()->m_nAppearance = 4;
    auto* p = Make<PM::CColorSetOffice2003>(4, xtpSystemThemeBlue);
    ASSERT_NE(nullptr, p);
    for (COLORREF clr : {p->m_gradBackground.clrLight.GetColor(), p->m_gradBackground.clrDark.GetColor(),
                         p->m_gradBackgroundAlt.clrLight.GetColor(), p->m_gradBackgroundAlt.clrDark.GetColor()})
        EXPECT_EQ(Cm(COLOR_3DFACE), clr);
}

TEST_F(TabColorSetTest, Office2003FillItemRunsFromTheWhiteMixToTheColour)
{
    // 30 % of the colour with 70 % white at the outer edge, the colour itself at the client side.
    struct Case
    {
        const char* name;
        int nPosition;
        int nState; // 0 normal, 1 hot, 2 pressed
        COLORREF outer, inner;
    } cases[] = {
        {"normal, top", xtpTabPositionTop, 0, RGB(227, 236, 252), RGB(162, 192, 246)},
        {"hot, top", xtpTabPositionTop, 1, RGB(255, 251, 239), RGB(255, 240, 201)},
        {"pressed, top", xtpTabPositionTop, 2, RGB(255, 221, 201), RGB(254, 142, 75)},
        {"normal, bottom", xtpTabPositionBottom, 0, RGB(227, 236, 252), RGB(162, 192, 246)},
        {"normal, left", xtpTabPositionLeft, 0, RGB(227, 236, 252), RGB(162, 192, 246)},
        {"hot, right", xtpTabPositionRight, 1, RGB(255, 251, 239), RGB(255, 240, 201)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Pm()->m_nPosition = c.nPosition;
        auto* p = Make<PM::CColorSetOffice2003>(4, xtpSystemThemeBlue);
        ASSERT_NE(nullptr, p);
        manager.m_pHighlighted = c.nState == 1 ? Item(1) : nullptr;
        manager.m_pPressed = c.nState == 2 ? Item(1) : nullptr;
        // Long enough across for the last row to lie within one small step of the end colour.
        CMemorySurface surface(100, 100);
        CSurfaceDC dc(surface);
        const CRect rc(10, 10, 90, 90);
        p->FillItem(&dc, rc, Item(1));
        CPoint ptOuter, ptInner;
        switch (c.nPosition)
        {
        case xtpTabPositionTop:
            ptOuter = CPoint(50, 10), ptInner = CPoint(50, 89);
            break;
        case xtpTabPositionBottom:
            ptOuter = CPoint(50, 89), ptInner = CPoint(50, 10);
            break;
        case xtpTabPositionLeft:
            ptOuter = CPoint(10, 50), ptInner = CPoint(89, 50);
            break;
        default:
            ptOuter = CPoint(89, 50), ptInner = CPoint(10, 50);
            break;
        }
        EXPECT_TRUE(Near(surface.Pixel(ptOuter.x, ptOuter.y), c.outer));
        EXPECT_TRUE(Near(surface.Pixel(ptInner.x, ptInner.y), c.inner));
        EXPECT_EQ(kSentinel, surface.Pixel(9, 50));
        EXPECT_EQ(kSentinel, surface.Pixel(90, 50));
        EXPECT_EQ(kSentinel, surface.Pixel(50, 90));
    }
    manager.m_pHighlighted = manager.m_pPressed = nullptr;
}

TEST_F(TabColorSetTest, Office2003NavigateButtonFacesWithAndWithoutATable)
{
    struct Case
    {
        const char* name;
        BOOL bTable;
        BOOL bHot, bPressed, bEnabled;
        COLORREF top, bottom, frame, text; // top -1: nothing painted
    } cases[] = {
        {"table, hot and pressed", TRUE, TRUE, TRUE, TRUE, RGB(254, 142, 75), RGB(255, 207, 139), RGB(0, 0, 128),
         Cm(COLOR_BTNTEXT)},
        {"table, hot", TRUE, TRUE, FALSE, TRUE, RGB(255, 242, 200), RGB(255, 212, 151), RGB(0, 0, 128),
         Cm(COLOR_BTNTEXT)},
        {"table, pressed", TRUE, FALSE, TRUE, TRUE, RGB(255, 242, 200), RGB(255, 212, 151), RGB(0, 0, 128),
         Cm(COLOR_BTNTEXT)},
        {"table, normal", TRUE, FALSE, FALSE, TRUE, kNone, kNone, kNone, Cm(COLOR_BTNTEXT)},
        {"table, disabled and hot", TRUE, TRUE, TRUE, FALSE, kNone, kNone, kNone, Cm(COLOR_BTNTEXT)},
        {"no table, hot and pressed", FALSE, TRUE, TRUE, TRUE, Cm(33), Cm(33), Cm(50), Cm(47)},
        {"no table, hot", FALSE, TRUE, FALSE, TRUE, Cm(31), Cm(31), Cm(32), Cm(45)},
        {"no table, pressed", FALSE, FALSE, TRUE, TRUE, Cm(31), Cm(31), Cm(32), Cm(45)},
        {"no table, normal", FALSE, FALSE, FALSE, TRUE, kNone, kNone, kNone, Cm(COLOR_BTNTEXT)},
    };
    CXTPTabManager::CNavigateButtonArrowLeft button(&manager, xtpTabNavigateButtonAlways);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        auto* p = Make<PM::CColorSetOffice2003>(4, xtpSystemThemeBlue, !c.bTable);
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(c.bTable, p->m_useFixedTable);
        button.m_bEnabled = c.bEnabled;
        button.m_bPressed = c.bPressed;
        manager.m_pHighlightedNavigateButton = c.bHot ? &button : nullptr;
        CMemorySurface surface(40, 100);
        CSurfaceDC dc(surface);
        dc.SetTextColor(RGB(9, 9, 9));
        CRect rc(10, 10, 24, 90);
        p->FillNavigateButton(&dc, &button, rc);
        EXPECT_EQ(c.text, dc.GetTextColor());
        EXPECT_EQ(CRect(10, 10, 24, 90), rc);
        if (c.top == kNone)
        {
            EXPECT_EQ(0, surface.CountOtherThan(kSentinel));
            continue;
        }
        EXPECT_EQ(c.frame, surface.Pixel(10, 10));
        EXPECT_EQ(c.frame, surface.Pixel(23, 89));
        EXPECT_TRUE(Near(surface.Pixel(16, 11), c.top));
        EXPECT_TRUE(Near(surface.Pixel(16, 88), c.bottom));
        EXPECT_EQ(kSentinel, surface.Pixel(9, 50));
        EXPECT_EQ(kSentinel, surface.Pixel(24, 50));
    }
    manager.m_pHighlightedNavigateButton = nullptr;
}

// ---------------------------------------------------------------- Visual Studio 2003

TEST_F(TabColorSetTest, VisualStudio2003BackgroundAndTextByAppearance)
{
    struct Case
    {
        int nAppearance;
        BOOL bLowResolution;
        COLORREF background, alt, normalText;
    } cases[] = {
        {0, FALSE, Cm(48), Cm(48), Cm(COLOR_BTNTEXT)},
        {5, FALSE, Cm(48), Cm(48), Cm(49)},
        {4, FALSE, Cm(COLOR_3DFACE), Cm(COLOR_3DFACE), Cm(COLOR_BTNTEXT)},
        {7, FALSE, Cm(COLOR_3DFACE), Cm(COLOR_3DFACE), Cm(COLOR_BTNTEXT)},
        {0, TRUE, Cm(48), Cm(COLOR_3DFACE), Cm(COLOR_BTNTEXT)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "appearance " << c.nAppearance << " low " << c.bLowResolution);
        if (c.bLowResolution)
            CXTPColorManager::SetBitsPerPixelProvider([](HDC) { return 8; });
        Pm()->m_nAppearance = c.nAppearance;
        auto* p = Make<PM::CColorSetVisualStudio2003>(2);
        CXTPColorManager::SetBitsPerPixelProvider(nullptr);
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(c.background, p->m_gradBackground.clrLight.GetColor());
        EXPECT_EQ(c.background, p->m_gradBackground.clrDark.GetColor());
        EXPECT_EQ(c.alt, p->m_gradBackgroundAlt.clrLight.GetColor());
        EXPECT_EQ(c.normalText, p->m_normalText.GetColor());
        EXPECT_EQ(c.normalText, p->m_inactiveText.GetColor());
    }
}

TEST_F(TabColorSetTest, VisualStudio2003NavigateButtons)
{
    struct Case
    {
        const char* name;
        int nAppearance;
        BOOL bPressed;
        COLORREF topLeft, bottomRight, text;
        CPoint offset;
    } cases[] = {
        {"pressed", 0, TRUE, Cm(COLOR_BTNTEXT), Cm(COLOR_3DFACE), Cm(49), CPoint(1, 1)},
        {"hot", 0, FALSE, Cm(COLOR_3DFACE), Cm(COLOR_BTNTEXT), Cm(49), CPoint(0, 0)},
        {"pressed, sheet tabs as default", 7, TRUE, Cm(COLOR_3DSHADOW), Cm(COLOR_3DHIGHLIGHT), Cm(COLOR_BTNTEXT),
         CPoint(1, 1)},
        {"hot, state buttons as default", 4, FALSE, Cm(COLOR_3DHIGHLIGHT), Cm(COLOR_3DSHADOW), Cm(COLOR_BTNTEXT),
         CPoint(0, 0)},
    };
    CXTPTabManager::CNavigateButtonArrowRight button(&manager, xtpTabNavigateButtonAlways);
    manager.m_pHighlightedNavigateButton = &button;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Pm()->m_nAppearance = c.nAppearance;
        auto* p = Make<PM::CColorSetVisualStudio2003>(2);
        ASSERT_NE(nullptr, p);
        button.m_bPressed = c.bPressed;
        CMemorySurface surface(40, 40);
        CSurfaceDC dc(surface);
        CRect rc(10, 10, 24, 30);
        p->FillNavigateButton(&dc, &button, rc);
        EXPECT_EQ(c.text, dc.GetTextColor());
        EXPECT_EQ(c.topLeft, surface.Pixel(10, 10));
        EXPECT_EQ(c.bottomRight, surface.Pixel(23, 29));
        EXPECT_EQ(kSentinel, surface.Pixel(16, 20));
        EXPECT_EQ(CPoint(10, 10) + c.offset, rc.TopLeft());
    }
    manager.m_pHighlightedNavigateButton = nullptr;
}

// ---------------------------------------------------------------- Visual Studio 2005 and 2008

TEST_F(TabColorSetTest, VisualStudio2005And2008PerThemeWithTablesDisabled)
{
    // normal/background -1: the system colour the set starts from (face).
    struct Case
    {
        int nColor;
        int nTheme;
        COLORREF selected, normal, hot, frame, background;
        BOOL bGradientItems;
    } cases[] = {
        {16, 1, Cm(COLOR_WINDOW), Cm(COLOR_3DFACE), Cm(36), Cm(57), RGB(228, 226, 213), TRUE},
        {16, 2, Cm(COLOR_WINDOW), Cm(COLOR_3DFACE), Cm(36), Cm(57), RGB(228, 226, 213), TRUE},
        {16, 3, Cm(COLOR_WINDOW), RGB(245, 245, 248), Cm(36), Cm(57), RGB(238, 238, 238), TRUE},
        {16, 0, Cm(COLOR_WINDOW), Cm(COLOR_3DFACE), Cm(36), Cm(57), Cm(COLOR_3DFACE), FALSE},
        {64, 1, RGB(193, 210, 238), Cm(COLOR_3DFACE), RGB(167, 191, 227), RGB(152, 181, 226), Cm(COLOR_3DFACE), TRUE},
        {64, 4, RGB(193, 210, 238), Cm(COLOR_3DFACE), RGB(167, 191, 227), RGB(152, 181, 226), Cm(COLOR_3DFACE), TRUE},
        {64, 2, RGB(182, 198, 141), Cm(COLOR_3DFACE), RGB(175, 175, 142), RGB(147, 160, 112), Cm(COLOR_3DFACE), TRUE},
        {64, 3, RGB(225, 226, 236), Cm(COLOR_3DFACE), RGB(255, 201, 128), RGB(147, 145, 176), Cm(COLOR_3DFACE), TRUE},
        {64, 5, RGB(210, 230, 250), RGB(152, 180, 210), RGB(129, 208, 241), RGB(105, 161, 191), Cm(COLOR_3DFACE),
         TRUE},
        {64, 0, Cm(COLOR_3DFACE), Cm(COLOR_3DFACE), Cm(COLOR_WINDOW), Cm(57), Cm(COLOR_3DFACE), FALSE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "id " << c.nColor << " theme " << c.nTheme);
        auto* p = Make<PM::CColorSetOffice2003>(c.nColor, c.nTheme, TRUE);
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(c.selected, p->m_selectedItemFace.GetColor());
        EXPECT_EQ(c.normal, p->m_normalItemFace.GetColor());
        EXPECT_EQ(c.hot, p->m_hotItemFace.GetColor());
        EXPECT_EQ(c.frame, p->m_frameBorder.GetColor());
        EXPECT_EQ(c.frame, p->m_frameBorder2.GetColor());
        EXPECT_EQ(c.background, p->m_gradBackground.clrLight.GetColor());
        EXPECT_EQ(c.background, p->m_gradBackground.clrDark.GetColor());
        EXPECT_EQ(Cm(COLOR_WINDOWTEXT), p->m_selectedText.GetColor());
        EXPECT_EQ(Cm(33), p->m_pressedItemFace.GetColor());
        EXPECT_EQ(Cm(COLOR_BTNTEXT), p->m_hotText.GetColor());
        EXPECT_FALSE(p->m_useFixedTable);
        const BOOL bGradient = c.nColor == 16 ? static_cast<PM::CColorSetVisualStudio2005*>(p)->m_gradientItems
                                              : static_cast<PM::CColorSetVisualStudio2008*>(p)->m_gradientItems;
        EXPECT_EQ(c.bGradientItems, bGradient);
    }
}

TEST_F(TabColorSetTest, VisualStudio2005And2008TakeTheOffice2003TablesWhenEnabled)
{
    for (int nColor : {16, 64})
    {
        SCOPED_TRACE(nColor);
        auto* p = Make<PM::CColorSetOffice2003>(nColor, xtpSystemThemeOlive);
        ASSERT_NE(nullptr, p);
        EXPECT_TRUE(p->m_useFixedTable);
        EXPECT_EQ(RGB(96, 128, 88), p->m_frameBorder.GetColor());
        EXPECT_EQ(RGB(208, 222, 170), p->m_normalItemFace.GetColor());
        EXPECT_EQ(RGB(254, 142, 75), p->m_pressedItemFace.GetColor());
    }
}

TEST_F(TabColorSetTest, VisualStudio2005And2008FillItem)
{
    // 2005: the hot tab in its hot face, gradient items from the white mix. 2008: the selected tab
    // always a gradient from RGB(253, 253, 253), others solid without gradient items.
    struct Case
    {
        const char* name;
        int nColor, nTheme, nItem; // item 0 selected, 1 hot, 2 plain
        COLORREF top, bottom;
    } cases[] = {
        {"2005 silver, plain", 16, 3, 2, RGB(252, 252, 253), RGB(245, 245, 248)},
        {"2005 silver, hot", 16, 3, 1, CXTPColorManager::MixColors(Cm(36), RGB(255, 255, 255), 300), Cm(36)},
        {"2005 none, plain", 16, 0, 2, Cm(COLOR_3DFACE), Cm(COLOR_3DFACE)},
        {"2008 none, selected", 64, 0, 0, RGB(253, 253, 253), Cm(COLOR_3DFACE)},
        {"2008 none, hot", 64, 0, 1, Cm(COLOR_WINDOW), Cm(COLOR_WINDOW)},
        {"2008 Aero, plain", 64, 5, 2, RGB(253, 253, 253), RGB(152, 180, 210)},
    };
    manager.SetSelectedItem(Item(0));
    manager.m_pHighlighted = Item(1);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        auto* p = Make<PM::CColorSetOffice2003>(c.nColor, c.nTheme, TRUE);
        ASSERT_NE(nullptr, p);
        CMemorySurface surface(40, 100);
        CSurfaceDC dc(surface);
        p->FillItem(&dc, CRect(10, 10, 30, 90), Item(c.nItem));
        EXPECT_TRUE(Near(surface.Pixel(20, 10), c.top));
        EXPECT_TRUE(Near(surface.Pixel(20, 89), c.bottom));
        EXPECT_EQ(kSentinel, surface.Pixel(20, 9));
    }
    manager.m_pHighlighted = nullptr;
}

// ---------------------------------------------------------------- Visual Studio 2010

namespace
{
// The Windows version record set for the length of a test.
class ScopedOsVersion
{
public:
    ScopedOsVersion(DWORD dwMajor, DWORD dwMinor) : m_saved(*GetOsVersion())
    {
        GetOsVersion()->dwPlatformId = VER_PLATFORM_WIN32_NT;
        GetOsVersion()->dwMajorVersion = dwMajor;
        GetOsVersion()->dwMinorVersion = dwMinor;
    }
    ~ScopedOsVersion() { *GetOsVersion() = m_saved; }

private:
    CXTPOsVersion m_saved;
};
} // namespace

TEST_F(TabColorSetTest, VisualStudio2010BeforeAndAfterVista)
{
    struct Case
    {
        const char* name;
        DWORD dwMajor, dwMinor;
        BOOL bPlain;
        COLORREF selected, normal, hot;
    } cases[] = {
        {"Vista", 6, 0, FALSE, RGB(255, 232, 166), RGB(74, 93, 128), RGB(95, 107, 117)},
        {"XP", 5, 1, FALSE, RGB(255, 243, 206), RGB(57, 81, 115), RGB(74, 93, 115)},
        {"Vista, plain selected", 6, 1, TRUE, RGB(255, 255, 255), RGB(74, 93, 128), RGB(95, 107, 117)},
        {"XP, plain selected", 5, 1, TRUE, RGB(255, 255, 255), RGB(57, 81, 115), RGB(74, 93, 115)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ScopedOsVersion version(c.dwMajor, c.dwMinor);
        Pm()->SetColorSet(new PM::CColorSetVisualStudio2010(c.bPlain));
        auto* p = dynamic_cast<PM::CColorSetVisualStudio2010*>(Pm()->GetColorSet());
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(c.dwMajor >= 6, !!p->m_useFixedTable);
        EXPECT_TRUE(p->m_vs2010Style);
        EXPECT_EQ(c.selected, p->m_selectedItemFace.GetColor());
        EXPECT_EQ(c.normal, p->m_normalItemFace.GetColor());
        EXPECT_EQ(c.hot, p->m_hotItemFace.GetColor());
        EXPECT_EQ(RGB(255, 232, 166), p->m_pressedItemFace.GetColor());
        EXPECT_EQ(RGB(229, 195, 101), p->m_navButtonFrame.GetCustomColor());
        EXPECT_EQ(RGB(47, 65, 95), p->m_frameBorder.GetColor());
        EXPECT_EQ(RGB(47, 65, 95), p->m_frameBorder2.GetColor());
        EXPECT_EQ(RGB(155, 167, 183), p->m_lastColor.GetColor());
        EXPECT_EQ(RGB(155, 167, 183), p->m_pageDarkShadow2.GetColor());
        EXPECT_EQ(RGB(41, 58, 86), p->m_pageShadow2.GetColor());
        EXPECT_EQ(RGB(41, 58, 86), p->m_pageLight.GetColor());
        EXPECT_EQ(RGB(45, 63, 92), p->m_gradBackground.clrLight.GetColor());
        EXPECT_EQ(RGB(45, 63, 92), p->m_gradBackgroundAlt.clrDark.GetColor());
        EXPECT_EQ(RGB(0, 0, 0), p->m_selectedText.GetColor());
        EXPECT_EQ(RGB(255, 255, 255), p->m_normalText.GetColor());
        EXPECT_EQ(RGB(255, 255, 255), p->m_hotText.GetColor());
        EXPECT_EQ(RGB(206, 212, 221), p->m_inactiveText.GetColor());
        EXPECT_EQ(RGB(206, 212, 221), p->m_disabledText.GetColor());
    }
}

TEST_F(TabColorSetTest, VisualStudio2010FillClientRepeatsTheFourByFourPattern)
{
    const COLORREF p = RGB(41, 57, 86), q = RGB(45, 63, 92), r = RGB(53, 73, 106);
    const COLORREF pattern[4][4] = {{p, q, q, q}, {r, q, q, q}, {q, q, p, q}, {q, q, r, q}};
    auto* pSet = Make<PM::CColorSetVisualStudio2010>(256);
    ASSERT_NE(nullptr, pSet);
    CMemorySurface surface(20, 20);
    CSurfaceDC dc(surface);
    const CRect rc(3, 2, 17, 15);
    pSet->FillClient(&dc, rc, &manager);
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 20; x++)
        {
            const COLORREF expected = rc.PtInRect(CPoint(x, y)) ? pattern[y % 4][x % 4] : kSentinel;
            ASSERT_EQ(expected, surface.Pixel(x, y)) << "(" << x << ", " << y << ")";
        }
}

TEST_F(TabColorSetTest, VisualStudio2010FillItem)
{
    // The selected tab's outer half gets the light gradient on Vista unless plain; the hot tab a
    // gradient from RGB(109, 117, 118) to its face; others a solid fill.
    struct Case
    {
        const char* name;
        BOOL bVista, bPlain;
        int nPosition, nItem;
        CPoint ptOuter, ptInner;
        COLORREF outer, inner;
    } cases[] = {
        {"selected, Vista, top", TRUE, FALSE, xtpTabPositionTop, 0, CPoint(20, 10), CPoint(20, 25),
         RGB(255, 252, 242), RGB(255, 232, 166)},
        {"selected, Vista, bottom", TRUE, FALSE, xtpTabPositionBottom, 0, CPoint(20, 29), CPoint(20, 14),
         RGB(255, 252, 242), RGB(255, 232, 166)},
        {"selected, Vista, left", TRUE, FALSE, xtpTabPositionLeft, 0, CPoint(10, 20), CPoint(25, 20),
         RGB(255, 252, 242), RGB(255, 232, 166)},
        {"selected, Vista, plain", TRUE, TRUE, xtpTabPositionTop, 0, CPoint(20, 10), CPoint(20, 25),
         RGB(255, 255, 255), RGB(255, 255, 255)},
        {"selected, XP", FALSE, FALSE, xtpTabPositionTop, 0, CPoint(20, 10), CPoint(20, 25), RGB(255, 243, 206),
         RGB(255, 243, 206)},
        {"hot, Vista", TRUE, FALSE, xtpTabPositionTop, 1, CPoint(20, 10), CPoint(20, 29), RGB(109, 117, 118),
         RGB(95, 107, 117)},
        {"plain, Vista", TRUE, FALSE, xtpTabPositionTop, 2, CPoint(20, 10), CPoint(20, 29), RGB(74, 93, 128),
         RGB(74, 93, 128)},
    };
    manager.SetSelectedItem(Item(0));
    manager.m_pHighlighted = Item(1);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ScopedOsVersion version(c.bVista ? 6 : 5, c.bVista ? 0 : 1);
        Pm()->m_nPosition = c.nPosition;
        Pm()->SetColorSet(new PM::CColorSetVisualStudio2010(c.bPlain));
        CMemorySurface surface(40, 40);
        CSurfaceDC dc(surface);
        Pm()->GetColorSet()->FillItem(&dc, CRect(10, 10, 30, 30), Item(c.nItem));
        EXPECT_TRUE(Near(surface.Pixel(c.ptOuter.x, c.ptOuter.y), c.outer));
        EXPECT_EQ(c.inner, surface.Pixel(c.ptInner.x, c.ptInner.y));
        EXPECT_EQ(kSentinel, surface.Pixel(9, 9));
        EXPECT_EQ(kSentinel, surface.Pixel(30, 30));
    }
    manager.m_pHighlighted = nullptr;
}

TEST_F(TabColorSetTest, VisualStudio2010TextIgnoresTheActiveStateAndButtonsFollowTheirTab)
{
    auto* p = Make<PM::CColorSetVisualStudio2010>(256);
    ASSERT_NE(nullptr, p);
    manager.SetSelectedItem(Item(0));
    manager.m_pHighlighted = Item(1);
    manager.SetActive(FALSE);
    CMemorySurface surface(40, 40);
    CSurfaceDC dc(surface);
    const COLORREF texts[3] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255)};
    for (int i = 0; i < 3; i++)
    {
        p->GetItemTextColor(&dc, Item(i));
        EXPECT_EQ(texts[i], dc.GetTextColor()) << i;
    }
    Item(2)->SetEnabled(FALSE);
    p->GetItemTextColor(&dc, Item(2));
    EXPECT_EQ(RGB(206, 212, 221), dc.GetTextColor());
    manager.SetActive(TRUE);

    // A tab's close button takes the colour of its tab, the manager's buttons their own; hot
    // buttons are filled and framed and draw in black.
    struct Case
    {
        const char* name;
        int nItem; // -1: the manager's button
        BOOL bHot, bPressed;
        COLORREF fill, text;
    } cases[] = {
        {"selected tab's", 0, FALSE, FALSE, kNone, RGB(117, 99, 61)},
        {"hot tab's", 1, FALSE, FALSE, kNone, RGB(206, 212, 221)},
        {"other tab's", 2, FALSE, FALSE, kNone, RGB(41, 56, 82)},
        {"manager's", -1, FALSE, FALSE, kNone, RGB(206, 212, 221)},
        {"manager's, hot", -1, TRUE, FALSE, RGB(255, 252, 244), RGB(0, 0, 0)},
        {"manager's, hot and pressed", -1, TRUE, TRUE, RGB(255, 232, 166), RGB(0, 0, 0)},
    };
    CXTPTabManager::CNavigateButtonClose button(&manager, xtpTabNavigateButtonAlways);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        button.m_pItem = c.nItem < 0 ? nullptr : Item(c.nItem);
        button.m_bPressed = c.bPressed;
        manager.m_pHighlightedNavigateButton = c.bHot ? &button : nullptr;
        surface.Clear(kSentinel);
        CRect rc(10, 10, 24, 30);
        p->FillNavigateButton(&dc, &button, rc);
        EXPECT_EQ(c.text, dc.GetTextColor());
        if (c.fill == kNone)
        {
            EXPECT_EQ(0, surface.CountOtherThan(kSentinel));
            continue;
        }
        EXPECT_EQ(c.fill, surface.Pixel(16, 20));
        EXPECT_EQ(RGB(229, 195, 101), surface.Pixel(10, 10));
        EXPECT_EQ(RGB(229, 195, 101), surface.Pixel(23, 29));
    }
    button.m_pItem = nullptr;
    manager.m_pHighlightedNavigateButton = nullptr;
}

// ---------------------------------------------------------------- Office 2007 and Access

TEST_F(TabColorSetTest, Office2007AndAccessFromTheThemeTable)
{
    TestTableOn table;
    ASSERT_TRUE(GetResourceImages()->IsLoaded());
    struct Case
    {
        int nColor;
        COLORREF frame, background, normalText, hotText, selectedText, navText;
    } cases[] = {
        {32, RGB(11, 12, 13), RGB(61, 62, 63), RGB(71, 72, 73), RGB(71, 72, 73), RGB(81, 82, 83), RGB(71, 72, 73)},
        {128, RGB(41, 42, 43), RGB(51, 52, 53), RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(71, 72, 73)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nColor);
        auto* p = Make<PM::CColorSetOffice2007>(c.nColor, xtpSystemThemeSilver);
        ASSERT_NE(nullptr, p);
        EXPECT_TRUE(p->m_useFixedTable);
        EXPECT_EQ(c.frame, p->m_frameBorder.GetColor());
        EXPECT_EQ(c.frame, p->m_frameBorder2.GetColor());
        EXPECT_EQ(RGB(21, 22, 23), p->m_pageDarkShadow.GetColor());
        EXPECT_EQ(RGB(21, 22, 23), p->m_pageDarkShadow2.GetColor());
        EXPECT_EQ(RGB(31, 32, 33), p->m_pageShadow.GetColor());
        EXPECT_EQ(RGB(31, 32, 33), p->m_pageShadow2.GetColor());
        EXPECT_EQ(RGB(255, 255, 255), p->m_pageLight.GetColor());
        EXPECT_EQ(c.background, p->m_gradBackground.clrLight.GetColor());
        EXPECT_EQ(c.background, p->m_gradBackground.clrDark.GetColor());
        EXPECT_EQ(c.background, p->m_gradBackgroundAlt.clrLight.GetColor());
        EXPECT_EQ(RGB(91, 92, 93), p->m_normalItemFace.GetColor());
        EXPECT_EQ(RGB(101, 102, 103), p->m_selectedItemFace.GetColor());
        EXPECT_EQ(RGB(111, 112, 113), p->m_hotItemFace.GetColor());
        EXPECT_EQ(RGB(121, 122, 123), p->m_navButtonFrame.GetColor());
        EXPECT_EQ(c.normalText, p->m_normalText.GetColor());
        EXPECT_EQ(c.hotText, p->m_hotText.GetColor());
        EXPECT_EQ(c.selectedText, p->m_selectedText.GetColor());
        EXPECT_EQ(c.navText, p->m_navButtonText.GetColor());
    }
}

TEST_F(TabColorSetTest, Office2007AndAccessWithoutImagesTakeTableOne)
{
    NoTable table;
    ASSERT_FALSE(GetResourceImages()->IsLoaded());
    for (int nColor : {32, 128})
    {
        SCOPED_TRACE(nColor);
        // Even with the tables disabled and the silver style forced, table 1 is used.
        auto* p = Make<PM::CColorSetOffice2007>(nColor, xtpSystemThemeSilver, TRUE);
        ASSERT_NE(nullptr, p);
        EXPECT_TRUE(p->m_useFixedTable);
        EXPECT_EQ(RGB(59, 97, 156), p->m_frameBorder.GetColor());
        EXPECT_EQ(RGB(0, 53, 154), p->m_pageDarkShadow2.GetColor());
        EXPECT_EQ(RGB(196, 218, 250), p->m_gradBackground.clrLight.GetColor());
        EXPECT_EQ(RGB(252, 253, 254), p->m_gradBackground.clrDark.GetColor());
        EXPECT_EQ(RGB(162, 192, 246), p->m_normalItemFace.GetColor());
        EXPECT_EQ(RGB(255, 194, 115), p->m_selectedItemFace.GetColor());
        EXPECT_EQ(RGB(255, 240, 201), p->m_hotItemFace.GetColor());
        EXPECT_EQ(RGB(0, 0, 128), p->m_navButtonFrame.GetColor());
        EXPECT_EQ(Cm(33), p->m_pressedItemFace.GetColor());
        EXPECT_EQ(Cm(COLOR_BTNTEXT), p->m_normalText.GetColor());
        EXPECT_EQ(p->m_normalText.GetColor(), p->m_navButtonText.GetColor());
    }
}

TEST_F(TabColorSetTest, Office2007NavigateButtonsDrawTheThemePicture)
{
    // Cell 0 of the test picture is RGB(200, 10, 10), cell 1 RGB(10, 200, 10).
    struct Case
    {
        const char* name;
        BOOL bImages, bHot, bPressed, bTabButton;
        COLORREF centre, corner, text;
    } cases[] = {
        {"hot", TRUE, TRUE, FALSE, FALSE, RGB(200, 10, 10), RGB(200, 10, 10), RGB(0, 0, 0)},
        {"pressed", TRUE, FALSE, TRUE, FALSE, RGB(10, 200, 10), RGB(10, 200, 10), RGB(0, 0, 0)},
        {"normal", TRUE, FALSE, FALSE, FALSE, kSentinel, kSentinel, RGB(71, 72, 73)},
        {"normal, a tab's button keeps the tab's colour", TRUE, FALSE, FALSE, TRUE, kSentinel, kSentinel,
         RGB(9, 9, 9)},
        {"no images, hot: as default", FALSE, TRUE, FALSE, FALSE, kSentinel, Cm(COLOR_3DHIGHLIGHT),
         Cm(COLOR_BTNTEXT)},
    };
    CXTPTabManager::CNavigateButtonClose button(&manager, xtpTabNavigateButtonAlways);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        if (c.bImages)
            GetResourceImages()->SetResourceModule(::GetModuleHandleA(nullptr), "TABTEST.INI");
        else
            GetResourceImages()->SetResourceModule(nullptr);
        auto* p = Make<PM::CColorSetOffice2007>(32);
        ASSERT_NE(nullptr, p);
        button.m_pItem = c.bTabButton ? Item(0) : nullptr;
        button.m_bPressed = c.bPressed;
        manager.m_pHighlightedNavigateButton = c.bHot ? &button : nullptr;
        CMemorySurface surface(40, 40);
        CSurfaceDC dc(surface);
        dc.SetTextColor(RGB(9, 9, 9));
        CRect rc(10, 10, 24, 30);
        p->FillNavigateButton(&dc, &button, rc);
        EXPECT_EQ(c.text, dc.GetTextColor());
        EXPECT_EQ(c.centre, surface.Pixel(16, 20));
        EXPECT_EQ(c.corner, surface.Pixel(10, 10));
        EXPECT_EQ(kSentinel, surface.Pixel(24, 20));
    }
    button.m_pItem = nullptr;
    manager.m_pHighlightedNavigateButton = nullptr;
}

// ---------------------------------------------------------------- native

TEST_F(TabColorSetTest, NativeWithoutVisualStylesPaintsLikeTheDefaultSet)
{
    hdr_test::NoVisualStyles noStyles;
    manager.SetSelectedItem(Item(1));
    manager.m_pHighlighted = Item(2);
    for (int nPosition : {xtpTabPositionTop, xtpTabPositionLeft, xtpTabPositionBottom, xtpTabPositionRight})
    {
        SCOPED_TRACE(nPosition);
        Pm()->SetPosition(nPosition);
        CMemorySurface surfaces[2] = {CMemorySurface(300, 100), CMemorySurface(300, 100)};
        const int ids[2] = {1, 8};
        for (int i = 0; i < 2; i++)
        {
            Pm()->SetColor(ids[i]);
            CSurfaceDC dc(surfaces[i]);
            Pm()->DrawTabControl(&manager, &dc, CRect(0, 0, 300, 100));
            CRect rc(5, 5, 25, 25);
            Pm()->GetColorSet()->FillSelectedItemFace(&dc, CRect(100, 60, 140, 80), Item(1));
            Pm()->GetColorSet()->FillItemFace(&dc, CRect(150, 60, 190, 80), &manager);
        }
        EXPECT_FALSE(Pm()->GetColorSet()->IsNativeThemeActive());
        int nDifferent = 0;
        for (int y = 0; y < 100; y++)
            for (int x = 0; x < 300; x++)
                nDifferent += surfaces[0].Pixel(x, y) != surfaces[1].Pixel(x, y);
        EXPECT_EQ(0, nDifferent);
        EXPECT_NE(0, surfaces[1].CountOtherThan(kSentinel));
    }
    manager.m_pHighlighted = nullptr;
}

TEST_F(TabColorSetTest, NativeWithVisualStylesTakesOnlyWhatTheStyleGives)
{
    auto* p = Make<PM::CColorSetWinNative>(8);
    ASSERT_NE(nullptr, p);
    CXTPWinThemeWrapper theme;
    theme.OpenThemeData(nullptr, L"TAB");
    ASSERT_TRUE(theme.HasTheme()) << "the tests run with visual styles";
    EXPECT_TRUE(p->IsNativeThemeActive());
    EXPECT_EQ(kNone, p->m_pageHighlight.GetColor());
    EXPECT_EQ(kNone, p->m_pageShadow.GetColor());
    EXPECT_EQ(kNone, p->m_pageDarkShadow.GetColor());
    // A property the style does not give leaves the default set's colour.
    auto Expected = [&theme](int nPart, int nState, int nProp, COLORREF clrDefault) {
        COLORREF clr = 0;
        return SUCCEEDED(theme.GetThemeColor(nPart, nState, nProp, &clr)) ? clr : clrDefault;
    };
    EXPECT_EQ(Expected(TABP_PANE, 0, TMT_FILLCOLORHINT, Cm(COLOR_3DFACE)), p->m_paneFace.GetColor());
    EXPECT_EQ(Expected(TABP_TOPTABITEM, TIS_NORMAL, TMT_TEXTCOLOR, Cm(COLOR_BTNTEXT)), p->m_normalText.GetColor());
    EXPECT_EQ(p->m_normalText.GetColor(), p->m_inactiveText.GetColor());
    EXPECT_EQ(Expected(TABP_TOPTABITEM, TIS_SELECTED, TMT_TEXTCOLOR, Cm(COLOR_BTNTEXT)), p->m_selectedText.GetColor());
    EXPECT_EQ(Expected(TABP_TOPTABITEM, TIS_HOT, TMT_TEXTCOLOR, RGB(0, 0, 128)), p->m_hotText.GetColor());

    // The page's corner pixel next to the row leaves the clip region.
    struct Case
    {
        int nPosition;
        CPoint pt;
    } cases[] = {{xtpTabPositionTop, CPoint(10, 10)},
                 {xtpTabPositionLeft, CPoint(10, 10)},
                 {xtpTabPositionBottom, CPoint(10, 28)},
                 {xtpTabPositionRight, CPoint(28, 10)}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nPosition);
        Pm()->m_nPosition = c.nPosition;
        CMemorySurface surface(40, 40);
        CSurfaceDC dc(surface);
        CRect rcClient(10, 10, 30, 30);
        p->AdjustClientClip(&dc, rcClient, &manager);
        dc.FillSolidRect(0, 0, 40, 40, RGB(255, 0, 0));
        EXPECT_EQ(kSentinel, surface.Pixel(c.pt.x, c.pt.y));
        EXPECT_EQ(1, surface.CountOtherThan(RGB(255, 0, 0)));
    }
}

TEST(TabColorSetNative, RowsAtTheSidesMapToTheUprightPicture)
{
    // A 6 x 4 rectangle (the row's picture is 4 x 6 for left and right rows).
    struct Case
    {
        int nPosition;
        CPoint pt, expected;
    } cases[] = {
        {xtpTabPositionTop, CPoint(5, 3), CPoint(5, 3)},
        {xtpTabPositionBottom, CPoint(5, 3), CPoint(5, 0)},
        {xtpTabPositionBottom, CPoint(1, 0), CPoint(1, 3)},
        {xtpTabPositionLeft, CPoint(0, 0), CPoint(0, 0)},
        {xtpTabPositionLeft, CPoint(5, 2), CPoint(2, 5)},
        {xtpTabPositionRight, CPoint(5, 0), CPoint(0, 0)},
        {xtpTabPositionRight, CPoint(0, 3), CPoint(3, 5)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, PM::CColorSetWinNative::MapToUpright(c.pt.x, c.pt.y, 6, 4, c.nPosition))
            << c.nPosition << " (" << c.pt.x << ", " << c.pt.y << ")";
}

// ---------------------------------------------------------------- every set

TEST_F(TabColorSetTest, EntriesOfNoneAreSkipped)
{
    for (int nColor : {1, 2, 4, 16, 32, 64, 128, 256})
    {
        SCOPED_TRACE(nColor);
        GetResourceImages()->SetResourceModule(nullptr);
        auto* p = Make<CXTPTabPaintManagerColorSet>(nColor, xtpSystemThemeBlue, TRUE);
        ASSERT_NE(nullptr, p);
        p->m_normalItemFace.SetStandardValue(kNone);
        p->m_normalItemFace.SetDefaultValue();
        CMemorySurface surface(40, 40);
        CSurfaceDC dc(surface);
        EXPECT_EQ(kNone, p->FillItem(&dc, CRect(10, 10, 30, 30), Item(2)));
        EXPECT_EQ(0, surface.CountOtherThan(kSentinel));
    }
}

TEST_F(TabColorSetTest, EverySetDrawsEveryPositionWithStates)
{
    manager.SetSelectedItem(Item(0));
    manager.m_pHighlighted = Item(1);
    Item(2)->SetEnabled(FALSE);
    for (BOOL bStyles : {TRUE, FALSE})
    {
        std::unique_ptr<hdr_test::NoVisualStyles> pNoStyles(bStyles ? nullptr : new hdr_test::NoVisualStyles());
        for (int nColor : {1, 2, 4, 8, 16, 32, 64, 128, 256})
            for (int nPosition : {xtpTabPositionTop, xtpTabPositionLeft, xtpTabPositionBottom, xtpTabPositionRight})
            {
                SCOPED_TRACE(testing::Message() << "id " << nColor << " position " << nPosition);
                Pm()->SetPosition(nPosition);
                Pm()->SetColor(nColor);
                CMemorySurface surface(300, 100);
                CSurfaceDC dc(surface);
                Pm()->DrawTabControl(&manager, &dc, CRect(0, 0, 300, 100));
                for (int i = 0; i < 3; i++)
                    Pm()->GetColorSet()->FillItem(&dc, CRect(10, 10, 50, 30), Item(i));
                EXPECT_NE(0, surface.CountOtherThan(kSentinel));
            }
    }
    manager.m_pHighlighted = nullptr;
}
