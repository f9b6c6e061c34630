// The paint-manager interface: colour resolution, the global paint manager and the theme
// factory, fonts and sizes, and the plain default theme's faces.
#include "TestBar.h"

#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

#include <gtest/gtest.h>

using cb_test::TestBar;

namespace
{
class MarkedTheme : public CXTPDefaultTheme
{
public:
    int GetCurrentTheme() const override { return 1; }
};

CXTPPaintManager* MakeMarked()
{
    return new MarkedTheme();
}

COLORREF Pixel(HDC hDC, int x, int y)
{
    return GetPixel(hDC, x, y);
}
} // namespace

TEST(PaintManager, GetColorResolution)
{
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(0);
    pm->RefreshMetrics();
    EXPECT_EQ(pm->GetColor(15), GetColorManager()->GetColor(15));
    pm->m_arrColor[15].SetCustomValue(RGB(1, 2, 3));
    EXPECT_EQ(pm->GetColor(15), RGB(1, 2, 3)); // the custom value wins
    pm->RefreshMetrics();
    EXPECT_EQ(pm->GetColor(15), RGB(1, 2, 3)); // and survives a refresh
    struct Case
    {
        int nIndex;
        COLORREF expected;
    } cases[] = {{63, 63}, {int(RGB(200, 10, 10)), RGB(200, 10, 10)}, {-5, COLORREF(-5)}};
    for (const Case& c : cases)
        EXPECT_EQ(pm->GetColor(c.nIndex), c.expected) << c.nIndex;
    int idx[] = {5, 30};
    COLORREF clr[] = {RGB(9, 9, 9), RGB(8, 8, 8)};
    pm->SetColors(2, idx, clr);
    EXPECT_EQ(pm->GetColor(5), RGB(9, 9, 9));
    EXPECT_EQ(pm->GetColor(30), RGB(8, 8, 8));
    pm->InternalRelease();
}

TEST(PaintManager, GlobalThemesAndFactory)
{
    CXTPPaintManager::ReleaseGlobal();
    EXPECT_EQ(CXTPPaintManager::GetGlobalIfAny(), nullptr);
    CXTPPaintManager* pGlobal = CXTPPaintManager::GetGlobal(); // theme 0 made on demand
    ASSERT_NE(pGlobal, nullptr);
    EXPECT_EQ(pGlobal->GetCurrentTheme(), 0);
    EXPECT_EQ(pGlobal->m_nTheme, 0);
    struct Case
    {
        int nTheme;
        int nCurrent;
    } cases[] = {{8, 0}, {42, 0}, {6, 0}};
    for (const Case& c : cases)
    {
        CXTPPaintManager::SetTheme(c.nTheme);
        EXPECT_EQ(CXTPPaintManager::GetGlobal()->m_nTheme, c.nTheme);
        EXPECT_EQ(CXTPPaintManager::GetGlobal()->GetCurrentTheme(), c.nCurrent);
    }
    // A theme library joins the factory.
    CXTPPaintManager::PFNCREATETHEME pfnOld = CXTPPaintManager::RegisterTheme(1, &MakeMarked);
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(1);
    EXPECT_EQ(pm->GetCurrentTheme(), 1);
    EXPECT_EQ(pm->m_nTheme, 1);
    pm->InternalRelease();
    CXTPPaintManager::RegisterTheme(1, pfnOld);
    pm = CXTPPaintManager::CreateTheme(1);
    EXPECT_EQ(pm->GetCurrentTheme(), 0);
    pm->InternalRelease();

    // Lookup: a bar without its own paint manager uses its manager's, else the global one.
    TestBar bar;
    EXPECT_EQ(bar.GetPaintManager(), CXTPPaintManager::GetGlobal());
    CXTPCommandBars* pBars = new CXTPCommandBars();
    EXPECT_EQ(pBars->GetPaintManager(), CXTPPaintManager::GetGlobal());
    pBars->SetTheme(3);
    bar.SetCommandBars(pBars);
    EXPECT_EQ(bar.GetPaintManager(), pBars->GetPaintManager());
    EXPECT_NE(bar.GetPaintManager(), CXTPPaintManager::GetGlobal());
    bar.SetCommandBars(nullptr);
    pBars->InternalRelease();
    CXTPPaintManager::SetTheme(0);
}

TEST(PaintManager, FontsSizesAndIcons)
{
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(0);
    EXPECT_EQ(pm->GetControlHeight(), 22); // no font yet
    pm->RefreshMetrics();
    EXPECT_GE(pm->GetControlHeight(), 22);
    EXPECT_NE(pm->GetRegularFont()->GetSafeHandle(), nullptr);
    EXPECT_NE(pm->GetRegularBoldFont()->GetSafeHandle(), nullptr);
    LOGFONTA lf = {};
    GetObjectA(pm->GetRegularFont()->GetSafeHandle(), sizeof lf, &lf);
    EXPECT_TRUE(lf.lfHeight <= -11 || lf.lfHeight > 0);

    pm->m_nFontHeight = 16;
    pm->RefreshFonts();
    GetObjectA(pm->GetRegularFont()->GetSafeHandle(), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, 20);
    pm->m_nFontHeight = 12;
    pm->RefreshFonts();
    GetObjectA(pm->GetRegularFont()->GetSafeHandle(), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, 13);

    BOOL* pIcons = pm->GetIconsInfo();
    pIcons[0] = TRUE;
    pIcons[2] = TRUE;
    EXPECT_TRUE(pm->m_bUseFadedIcons);
    EXPECT_TRUE(pm->m_bIconsWithShadow);
    EXPECT_EQ(pm->GetAutoIconSize(FALSE), 16);
    EXPECT_EQ(pm->GetAutoIconSize(TRUE), 32);
    EXPECT_NE(pm->GetShadowManager(), nullptr);

    TestBar bar;
    bar.SetIconSize(CSize(16, 16));
    CSize sz = pm->GetButtonSizeForBar(&bar);
    // The default theme: the icon size plus 4 each way, at least the control height.
    EXPECT_EQ(sz.cx, pm->GetControlHeight() > 20 ? pm->GetControlHeight() : 20);
    EXPECT_EQ(sz.cy, pm->GetControlHeight() > 20 ? pm->GetControlHeight() : 20);
    bar.SetIconSize(CSize(32, 24));
    sz = pm->GetButtonSizeForBar(&bar);
    EXPECT_EQ(sz.cx, pm->GetControlHeight() > 36 ? pm->GetControlHeight() : 36);
    EXPECT_EQ(sz.cy, pm->GetControlHeight() > 28 ? pm->GetControlHeight() : 28);
    bar.SetIconSize(CSize(16, 16));
    sz = pm->GetButtonSizeForBar(&bar);
    EXPECT_EQ(pm->GetPopupBarGripperWidth(&bar), 0);
    bar.SetType(xtpBarTypePopup);
    EXPECT_EQ(pm->GetPopupBarGripperWidth(&bar), sz.cx + 1);
    pm->InternalRelease();
}

TEST(PaintManager, DefaultThemeFaces)
{
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(0);
    pm->RefreshMetrics();
    HDC hScreen = GetDC(nullptr);
    HDC hMem = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, 40, 40);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    CDC dc;
    dc.Attach(hMem);
    const COLORREF clrLight = pm->GetColor(COLOR_3DHIGHLIGHT), clrShadow = pm->GetColor(COLOR_3DSHADOW);
    struct Case
    {
        BOOL bSelected, bPressed;
        COLORREF topLeft, bottomRight;
    } cases[] = {{TRUE, FALSE, clrLight, clrShadow}, {TRUE, TRUE, clrShadow, clrLight}};
    for (const Case& c : cases)
    {
        dc.FillSolidRect(0, 0, 40, 40, RGB(1, 2, 3));
        pm->DrawStateFace(&dc, CRect(5, 5, 30, 27), c.bSelected, c.bPressed, TRUE, FALSE, FALSE, 1, 0);
        EXPECT_EQ(Pixel(hMem, 5, 10), c.topLeft) << "pressed " << c.bPressed;   // left edge
        EXPECT_EQ(Pixel(hMem, 29, 10), c.bottomRight) << "pressed " << c.bPressed; // right edge
        EXPECT_EQ(Pixel(hMem, 15, 15), RGB(1, 2, 3));                            // face untouched
    }
    dc.FillSolidRect(0, 0, 40, 40, RGB(1, 2, 3));
    pm->DrawStateFace(&dc, CRect(5, 5, 30, 27), FALSE, FALSE, TRUE, FALSE, FALSE, 1, 0);
    EXPECT_EQ(Pixel(hMem, 5, 10), RGB(1, 2, 3)); // idle: flat
    EXPECT_EQ(pm->GetStateTextColor(FALSE, FALSE, FALSE, FALSE, FALSE, 1, 0), pm->GetColor(COLOR_GRAYTEXT));
    EXPECT_EQ(pm->GetStateTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, 1, 0), pm->GetColor(COLOR_BTNTEXT));

    // Etched separator before a control on a horizontal toolbar.
    TestBar bar;
    bar.SetPosition(xtpBarTop);
    CXTPControl* pControl = bar.GetControls()->Add(new CXTPControlButton(), 1);
    pControl->SetRect(CRect(20, 5, 35, 27));
    dc.FillSolidRect(0, 0, 40, 40, RGB(1, 2, 3));
    CSize sz = pm->DrawCommandBarSeparator(&dc, &bar, pControl, TRUE);
    EXPECT_EQ(sz.cx, 6);
    EXPECT_EQ(Pixel(hMem, 16, 10), clrShadow);
    EXPECT_EQ(Pixel(hMem, 17, 10), clrLight);
    dc.Detach();
    SelectObject(hMem, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMem);
    ReleaseDC(nullptr, hScreen);
    pm->InternalRelease();
}
