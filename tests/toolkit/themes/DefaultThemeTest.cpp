// Probes of the classic default theme on 32-bit DIBs filled with a sentinel: the state faces, the
// text colours, separators, the embossed disabled icon, the edit border, the combo button and the
// spin buttons. Every colour entry gets a distinct custom value first, so a probe tells entries
// apart even where the system colours coincide.
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/themes/XTPThemes.h"

#include "ThemeTestSurface.h"

#include <gtest/gtest.h>

namespace
{
using Dib = themes_test::CProbeSurface;
const COLORREF kSentinel = Dib::kSentinel;

COLORREF Entry(int n)
{
    return RGB(4 * n, 100 + n, 250 - 3 * n);
}


class DefaultTheme : public ::testing::Test
{
protected:
    void SetUp() override
    {
        XTPRegisterThemes();
        m_pm = static_cast<CXTPDefaultTheme*>(CXTPPaintManager::CreateTheme(0));
        m_pm->RefreshMetrics();
        for (int i = 0; i < 63; ++i)
            m_pm->m_arrColor[i].SetCustomValue(Entry(i));
    }
    void TearDown() override { m_pm->InternalRelease(); }
    CXTPDefaultTheme* m_pm = nullptr;
};
} // namespace

TEST_F(DefaultTheme, StateFaces)
{
    enum Look
    {
        Nothing,
        Raised,
        Sunken,
        Highlight,
        CheckedSunken,
    };
    struct Case
    {
        const char* name;
        BOOL bSelected, bPressed, bEnabled, bChecked, bPopuped;
        int barType, barPosition;
        BOOL bMenuLook;
        Look look;
    } cases[] = {
        {"idle", 0, 0, 1, 0, 0, 1, 0, 0, Nothing},
        {"hot", 1, 0, 1, 0, 0, 1, 0, 0, Raised},
        {"hot and pressed", 1, 1, 1, 0, 0, 1, 0, 0, Sunken},
        {"pressed by keyboard", 0, 2, 1, 0, 0, 1, 0, 0, Sunken},
        {"pressed, not hot", 0, 1, 1, 0, 0, 1, 0, 0, Raised},
        {"popup open", 0, 0, 1, 0, 1, 1, 0, 0, Sunken},
        {"checked", 0, 0, 1, 1, 0, 1, 0, 0, CheckedSunken},
        {"checked and hot", 1, 0, 1, 1, 0, 1, 0, 0, Sunken},
        {"disabled", 1, 0, 0, 0, 0, 1, 0, 0, Nothing},
        {"disabled, keyboard focus", 2, 0, 0, 0, 0, 1, 0, 0, Sunken},
        {"disabled and checked", 0, 0, 0, 1, 0, 1, 0, 0, Sunken},
        {"menu item hot", 1, 0, 1, 0, 0, 2, 5, 0, Highlight},
        {"menu item idle", 0, 0, 1, 0, 0, 2, 5, 0, Nothing},
        {"menu item checked, menu look", 0, 0, 1, 1, 0, 2, 5, 1, CheckedSunken},
    };
    for (const Case& c : cases)
    {
        m_pm->m_bSelectImageInPopupBar = c.bMenuLook;
        Dib dib(40, 40);
        m_pm->DrawStateFace(dib.DC(), CRect(5, 5, 30, 27), c.bSelected, c.bPressed, c.bEnabled, c.bChecked,
                            c.bPopuped, c.barType, c.barPosition);
        const COLORREF left = dib.At(5, 10), right = dib.At(29, 10), top = dib.At(15, 5), bottom = dib.At(15, 26);
        const COLORREF inside = dib.At(15, 15), beside = dib.At(16, 15), below = dib.At(15, 16);
        switch (c.look)
        {
        case Nothing:
            EXPECT_EQ(dib.Count(kSentinel), 1600) << c.name;
            break;
        case Raised:
            EXPECT_EQ(left, Entry(20)) << c.name;
            EXPECT_EQ(top, Entry(20)) << c.name;
            EXPECT_EQ(right, Entry(16)) << c.name;
            EXPECT_EQ(bottom, Entry(16)) << c.name;
            EXPECT_EQ(inside, kSentinel) << c.name;
            break;
        case Sunken:
            EXPECT_EQ(left, Entry(16)) << c.name;
            EXPECT_EQ(top, Entry(16)) << c.name;
            EXPECT_EQ(right, Entry(20)) << c.name;
            EXPECT_EQ(bottom, Entry(20)) << c.name;
            EXPECT_EQ(inside, kSentinel) << c.name;
            break;
        case Highlight:
            EXPECT_EQ(left, Entry(13)) << c.name;
            EXPECT_EQ(inside, Entry(13)) << c.name;
            break;
        case CheckedSunken:
            EXPECT_EQ(left, Entry(16)) << c.name;
            EXPECT_EQ(right, Entry(20)) << c.name;
            // A one-pixel checkerboard of entries 15 and 20.
            EXPECT_TRUE(inside == Entry(15) || inside == Entry(20)) << c.name;
            EXPECT_TRUE(beside == Entry(15) || beside == Entry(20)) << c.name;
            EXPECT_NE(inside, beside) << c.name;
            EXPECT_NE(inside, below) << c.name;
            EXPECT_EQ(inside, dib.At(16, 16)) << c.name;
            break;
        }
    }
}

TEST_F(DefaultTheme, StateTextColours)
{
    m_pm->m_nPopupTextColor = 0x00ABCDEF; // a colour value, not an entry
    struct Case
    {
        const char* name;
        BOOL bSelected, bEnabled, bChecked;
        int barType, barPosition;
        COLORREF expected;
    } cases[] = {
        {"menu disabled", 1, 0, 0, 2, 5, Entry(17)},
        {"menu hot", 1, 1, 0, 2, 5, Entry(14)},
        {"menu hot and checked", 1, 1, 1, 2, 5, 0x00ABCDEF},
        {"menu idle", 0, 1, 0, 2, 5, 0x00ABCDEF},
        {"toolbar disabled", 0, 0, 0, 1, 0, Entry(17)},
        {"toolbar hot", 1, 1, 0, 1, 0, Entry(18)},
        {"toolbar at the popup position", 0, 1, 0, 1, 5, 0x00ABCDEF},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m_pm->GetStateTextColor(c.bSelected, FALSE, c.bEnabled, c.bChecked, FALSE, c.barType, c.barPosition),
                  c.expected)
            << c.name;
}

TEST_F(DefaultTheme, EditBorder)
{
    struct Case
    {
        const char* name;
        int nSelected;
        BOOL bEnabled;
        COLORREF outerLeft, outerRight, inner;
    } cases[] = {
        {"enabled idle", 0, TRUE, kSentinel, kSentinel, Entry(15)},
        {"enabled hot", 1, TRUE, Entry(16), Entry(20), Entry(15)},
        {"disabled", 0, FALSE, kSentinel, kSentinel, Entry(20)},
        {"disabled, keyboard focus", 2, FALSE, kSentinel, kSentinel, Entry(16)},
    };
    for (const Case& c : cases)
    {
        Dib dib(30, 20);
        m_pm->DrawEditBorder(dib.DC(), CRect(0, 0, 30, 20), c.nSelected, c.bEnabled);
        EXPECT_EQ(dib.At(0, 10), c.outerLeft) << c.name;
        EXPECT_EQ(dib.At(29, 10), c.outerRight) << c.name;
        EXPECT_EQ(dib.At(1, 10), c.inner) << c.name;
        EXPECT_EQ(dib.At(28, 10), c.inner) << c.name;
        EXPECT_EQ(dib.At(15, 10), kSentinel) << c.name;
    }
}

TEST_F(DefaultTheme, ComboDropDownButton)
{
    struct Case
    {
        const char* name;
        BOOL bEnabled, bDropped, bHot;
        COLORREF left, right;
        bool bFaceFilled;
    } cases[] = {
        {"idle", TRUE, FALSE, FALSE, Entry(20), Entry(20), false},
        {"hot", TRUE, FALSE, TRUE, Entry(20), Entry(16), true},
        {"dropped", TRUE, TRUE, FALSE, Entry(16), Entry(20), true},
        {"disabled", FALSE, FALSE, FALSE, Entry(20), Entry(20), false},
    };
    for (const Case& c : cases)
    {
        Dib dib(16, 20);
        m_pm->DrawComboDropDownButton(dib.DC(), CRect(0, 0, 16, 20), c.bEnabled, c.bDropped, c.bHot);
        // The button lies one pixel in from the left, two elsewhere.
        EXPECT_EQ(dib.At(0, 10), kSentinel) << c.name;
        EXPECT_EQ(dib.At(1, 4), c.left) << c.name;
        EXPECT_EQ(dib.At(13, 4), c.right) << c.name;
        EXPECT_EQ(dib.At(14, 4), kSentinel) << c.name;
        EXPECT_EQ(dib.At(3, 4) == Entry(15), c.bFaceFilled) << c.name;
        EXPECT_GT(dib.Count(Entry(18)), 3) << c.name; // the arrow
    }
}

TEST_F(DefaultTheme, SpinButtons)
{
    {
        Dib dib(10, 16);
        m_pm->DrawSpinButtons(dib.DC(), CRect(0, 0, 10, 16), TRUE, TRUE, 4);
        EXPECT_EQ(dib.At(0, 3), Entry(16)); // upper half pressed: sunken
        EXPECT_EQ(dib.At(9, 3), Entry(5));
        EXPECT_EQ(dib.At(0, 11), Entry(5)); // lower half raised
        EXPECT_EQ(dib.At(9, 11), Entry(16));
        EXPECT_EQ(dib.At(2, 2), Entry(15)); // face
        EXPECT_GT(dib.Count(Entry(18)), 4);
    }
    {
        Dib dib(10, 16);
        m_pm->DrawSpinButtons(dib.DC(), CRect(0, 0, 10, 16), TRUE, FALSE, 0);
        EXPECT_EQ(dib.At(0, 5), kSentinel);
        EXPECT_EQ(dib.At(1, 5), Entry(5)); // border one pixel in
        EXPECT_EQ(dib.At(3, 2), Entry(15));
    }
    {
        Dib dib(10, 16);
        m_pm->DrawSpinButtons(dib.DC(), CRect(0, 0, 10, 16), FALSE, TRUE, 4);
        EXPECT_EQ(dib.Count(Entry(18)), 0);
        EXPECT_GT(dib.Count(Entry(17)), 4); // grey arrows only
        EXPECT_EQ(dib.Count(kSentinel) + dib.Count(Entry(17)), 160);
    }
}

TEST_F(DefaultTheme, PopupSeparatorIsEtched)
{
    class PopupBar : public CXTPCommandBar
    {
    };
    PopupBar bar;
    bar.SetType(xtpBarTypePopup);
    bar.SetPosition(xtpBarPopup);
    CXTPControl* pControl = bar.GetControls()->Add(new CXTPControlButton(), 1);
    pControl->SetRect(CRect(0, 20, 60, 40));
    Dib dib(60, 40);
    EXPECT_EQ(m_pm->DrawCommandBarSeparator(dib.DC(), &bar, pControl, TRUE).cy, 8);
    EXPECT_EQ(dib.At(30, 15), Entry(16)); // 5 to 3 pixels above the control
    EXPECT_EQ(dib.At(30, 16), Entry(20));
    EXPECT_EQ(dib.At(10, 15), kSentinel); // starts 11 pixels in
    EXPECT_EQ(dib.At(11, 15), Entry(16));
    EXPECT_EQ(dib.At(49, 15), kSentinel);
}

TEST_F(DefaultTheme, DisabledIconIsEmbossed)
{
    // A 16 x 16 icon whose opaque part is the square (4, 4)-(8, 8).
    BYTE andBits[16 * 2], xorBits[16 * 16 * 4] = {};
    for (int y = 0; y < 16; ++y)
    {
        const WORD row = (y >= 4 && y < 8) ? static_cast<WORD>(~0x0F00) : 0xFFFF; // bits 4-7 of the row clear
        andBits[y * 2] = static_cast<BYTE>(row >> 8);
        andBits[y * 2 + 1] = static_cast<BYTE>(row & 0xFF);
    }
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, andBits);
    HBITMAP hColor = ::CreateBitmap(16, 16, 1, 32, xorBits);
    ICONINFO info = {TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hMask);
    ::DeleteObject(hColor);
    ASSERT_NE(hIcon, nullptr);
    CXTPImageManager images;
    ASSERT_TRUE(images.SetIcon(hIcon, 700, 16, 16));
    CXTPImageManagerIcon* pIcon = images.GetImage(700, 16);
    ASSERT_NE(pIcon, nullptr);

    Dib dib(30, 30);
    m_pm->DrawImage(dib.DC(), CPoint(10, 10), CSize(16, 16), pIcon, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE);
    EXPECT_EQ(dib.At(15, 15), Entry(16)); // the silhouette in the shadow entry
    EXPECT_EQ(dib.At(18, 18), Entry(20)); // its highlight copy one pixel down and right
    EXPECT_EQ(dib.At(12, 12), kSentinel);  // transparent outside
}
