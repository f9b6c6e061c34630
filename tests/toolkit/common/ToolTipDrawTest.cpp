// The tip backgrounds by pixel probes: the resource theme's gradient with its frame image or its
// border, the plain fill and frame of the other styles, and the Luna kind per theme.
#include "ToolkitTestSupport.h"

#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/resources/XTPResourceImages.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"

#include <cstdlib>

using tk_test::DibCanvas;

namespace
{
constexpr int kW = 60, kH = 40;

::testing::AssertionResult Near(COLORREF actual, COLORREF expected, int tolerance = 10)
{
    if (std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
        std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
        std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance)
        return ::testing::AssertionSuccess();
    char sz[64];
    wsprintfA(sz, "0x%06X is not near 0x%06X", static_cast<unsigned>(actual), static_cast<unsigned>(expected));
    return ::testing::AssertionFailure() << sz;
}

// The theme store on the program's own tables again when the test ends.
struct ThemeScope
{
    ~ThemeScope() { GetResourceImages()->SetResourceModule(::GetModuleHandleA(nullptr), nullptr, FALSE); }
};

class LunaProbe : public CXTPToolTipContext::CLunaToolTip
{
public:
    using CLunaToolTip::CLunaToolTip;
    void Draw(CDC* pDC, const CRect& rc) { DrawBackground(pDC, rc); }
};
} // namespace

TEST(ToolTipDraw, ResourceStyleWithoutThemeValuesUsesTheDefaults)
{
    ThemeScope scope;
    GetResourceImages()->SetResourceModule(nullptr); // no table, no images
    CXTPToolTipContext context;
    context.SetStyle(xtpToolTipResource);
    DibCanvas canvas(kW, kH);
    context.DrawBackground(canvas.DC(), CRect(0, 0, kW, kH));
    EXPECT_EQ(canvas.Pixel(0, kH / 2), 0x767676u);
    EXPECT_EQ(canvas.Pixel(kW - 1, kH / 2), 0x767676u);
    EXPECT_EQ(canvas.Pixel(kW / 2, 0), 0x767676u);
    EXPECT_EQ(canvas.Pixel(kW / 2, kH - 1), 0x767676u);
    EXPECT_TRUE(Near(canvas.Pixel(kW / 2, 1), 0xFFFFFF));
    EXPECT_TRUE(Near(canvas.Pixel(kW / 2, kH - 2), 0xEFD9C9));
    EXPECT_TRUE(Near(canvas.Pixel(kW / 2, kH / 2), BlendColors(0xFFFFFF, 0xEFD9C9, 0.5)));
}

TEST(ToolTipDraw, ResourceStyleDrawsTheThemeFrameImage)
{
    ThemeScope scope;
    CXTPResourceImages* pImages = GetResourceImages();
    pImages->SetResourceModule(::GetModuleHandleA(nullptr), nullptr, FALSE);
    CXTPResourceImage* pFrame = pImages->LoadImage("TOOLTIPFRAME");
    ASSERT_NE(pFrame, nullptr) << "the default theme has the tip frame";
    const COLORREF clrLight = pImages->GetImageColor("Window", "TooltipLight", 1);
    const COLORREF clrDark = pImages->GetImageColor("Window", "TooltipDark", 1);
    ASSERT_NE(clrLight, 1u);
    ASSERT_NE(clrDark, 1u);

    CXTPToolTipContext context;
    context.SetStyle(xtpToolTipResource);
    DibCanvas canvas(kW, kH);
    context.DrawBackground(canvas.DC(), CRect(0, 0, kW, kH));
    // The same drawn by hand: gradient, then the frame with margins 3 keyed on magenta.
    DibCanvas expected(kW, kH);
    GetDrawHelpers()->GradientFill(expected.DC(), CRect(0, 0, kW, kH), clrLight, clrDark, FALSE);
    pFrame->DrawImageKeyed(expected.DC(), CRect(0, 0, kW, kH), pFrame->GetSource(0, 1), CRect(3, 3, 3, 3),
                           RGB(0xFF, 0, 0xFF));
    const POINT probes[] = {{0, 0}, {0, kH / 2}, {kW - 1, kH / 2}, {kW / 2, 0}, {kW / 2, kH - 1},
                            {1, 1}, {kW / 2, 4}, {kW / 2, kH / 2}, {kW / 2, kH - 5}};
    for (const POINT& pt : probes)
        EXPECT_EQ(canvas.Pixel(pt.x, pt.y), expected.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    // Inside the frame the gradient shows, and no grey border was drawn.
    EXPECT_TRUE(Near(canvas.Pixel(kW / 2, 4), clrLight, 16));
    EXPECT_TRUE(Near(canvas.Pixel(kW / 2, kH - 5), clrDark, 16));
    EXPECT_NE(canvas.Pixel(0, kH / 2), 0x767676u);
}

TEST(ToolTipDraw, PlainStylesFillAndFrame)
{
    struct Case
    {
        int nStyle;
        COLORREF clrTopLeft;
    };
    const Case cases[] = {{xtpToolTipOffice, GetColorManager()->GetColor(COLOR_BTNFACE)}, {xtpToolTipStandard, 0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nStyle);
        CXTPToolTipContext context;
        context.SetStyle(c.nStyle);
        context.SetTipBkColor(RGB(200, 210, 220));
        context.SetTipTextColor(RGB(1, 2, 3));
        DibCanvas canvas(kW, kH);
        context.DrawBackground(canvas.DC(), CRect(0, 0, kW, kH));
        EXPECT_EQ(canvas.Pixel(kW / 2, kH / 2), RGB(200, 210, 220));
        EXPECT_EQ(canvas.Pixel(0, kH / 2), c.clrTopLeft);
        EXPECT_EQ(canvas.Pixel(kW / 2, 0), c.clrTopLeft);
        EXPECT_EQ(canvas.Pixel(kW - 1, kH / 2), 0u);
        EXPECT_EQ(canvas.Pixel(kW / 2, kH - 1), 0u);
        EXPECT_EQ(::GetTextColor(canvas.Hdc()), RGB(1, 2, 3));
    }
    // Without an own colour the fill is the colour manager's info background.
    CXTPToolTipContext context;
    context.SetStyle(xtpToolTipOffice);
    DibCanvas canvas(kW, kH);
    context.DrawBackground(canvas.DC(), CRect(0, 0, kW, kH));
    EXPECT_EQ(canvas.Pixel(kW / 2, kH / 2), GetColorManager()->GetColor(COLOR_INFOBK));
    EXPECT_EQ(::GetTextColor(canvas.Hdc()), GetColorManager()->GetColor(COLOR_INFOTEXT));
}

TEST(ToolTipDraw, LunaColoursForEachTheme)
{
    CXTPColorManager* pColors = GetColorManager();
    struct Restore
    {
        int nTheme;
        ~Restore() { GetColorManager()->SetCurrentSystemTheme(nTheme); }
    } restore{6};
    struct Case
    {
        int nTheme;
        COLORREF clrFrame;
        COLORREF clrTop;
        COLORREF clrBottom;
    };
    CXTPToolTipContext context;
    context.SetTipBkColor(RGB(100, 100, 100));
    const Case cases[] = {
        {1, 0x800000, 0x97D4FF, 0xC8F2FF}, {2, 0x385D3F, 0x97D4FF, 0xC8F2FF}, {3, 0x6F4B4B, 0x97D4FF, 0xC8F2FF},
        {4, 0x800000, 0x97D4FF, 0xC8F2FF}, {5, 0x800000, 0x97D4FF, 0xC8F2FF}, {0, 0, RGB(100, 100, 100), 0xFFFFFF},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nTheme);
        pColors->SetCurrentSystemTheme(c.nTheme);
        ASSERT_EQ(pColors->GetCurrentSystemTheme(), c.nTheme);
        LunaProbe tip(&context);
        DibCanvas canvas(kW, 100);
        tip.Draw(canvas.DC(), CRect(0, 0, kW, 100));
        EXPECT_EQ(canvas.Pixel(0, 50), c.clrFrame);
        EXPECT_EQ(canvas.Pixel(kW - 1, 50), c.clrFrame);
        EXPECT_EQ(canvas.Pixel(kW / 2, 0), c.clrFrame);
        EXPECT_TRUE(Near(canvas.Pixel(kW / 2, 1), c.clrTop, 8));
        EXPECT_TRUE(Near(canvas.Pixel(kW / 2, 98), c.clrBottom, 8));
    }
}
