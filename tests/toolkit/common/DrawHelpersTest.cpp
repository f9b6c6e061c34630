// Drawing helpers: gradients probed pixel by pixel on 32-bit DIBs (the system fill and the manual
// fallback), the scoped device contexts, and the colour, text, font, window and layout helpers.
#include "toolkit/common/drawing/XTPDrawHelpers.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "toolkit/common/resources/XTPResourceManager.h"
#include "toolkit/common/system/XTPSystemHelpers.h"
#include "ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using tk_test::DibCanvas;

namespace
{
const COLORREF kBackground = RGB(1, 2, 3);
const COLORREF kStart = RGB(200, 100, 40);
const COLORREF kEnd = RGB(0, 20, 240);

// The blend the rules give, computed here on its own: ratio of the first colour, truncated.
COLORREF Expected(COLORREF a, COLORREF b, double ratio)
{
    auto ch = [ratio](int x, int y) { return std::min(static_cast<int>(ratio * x + (1 - ratio) * y), 255); };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Helpers bound to a module that does not exist: the manual gradient.
CXTPDrawHelpers& ManualHelpers()
{
    static CXTPDrawHelpers helpers("tk_fx_no_such_msimg.dll");
    return helpers;
}

int g_nBits = 32;
int InjectedBits(HDC)
{
    return g_nBits;
}

HWND CreatePlainWindow(DWORD dwExStyle = 0, HWND hParent = nullptr, DWORD dwStyle = WS_OVERLAPPEDWINDOW)
{
    RegisterDefaultWindowClass(nullptr, "TkTestPlainWindow", 0, nullptr, nullptr);
    return ::CreateWindowExA(dwExStyle, "TkTestPlainWindow", "plain", dwStyle, 10, 20, 200, 100, hParent, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}
} // namespace

TEST(Gradient, ManualFillFollowsTheRuleColumnByColumn)
{
    ASSERT_FALSE(ManualHelpers().IsFastFillAvailable());
    DibCanvas canvas(14, 3, kBackground);
    const CRect rc(2, 0, 12, 3);
    ManualHelpers().GradientFill(canvas.DC(), &rc, kStart, kEnd, TRUE);
    for (int x = 2; x < 12; ++x)
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(canvas.Pixel(x, y), Expected(kStart, kEnd, 1.0 - (x - 2) / 10.0)) << x << "," << y;
    EXPECT_EQ(canvas.Pixel(1, 1), kBackground);
    EXPECT_EQ(canvas.Pixel(12, 1), kBackground);

    DibCanvas vertical(2, 8, kBackground);
    const CRect rcV(0, 0, 2, 8);
    ManualHelpers().GradientFill(vertical.DC(), &rcV, kStart, kEnd, FALSE);
    for (int y = 0; y < 8; ++y)
        EXPECT_EQ(vertical.Pixel(1, y), Expected(kStart, kEnd, 1.0 - y / 8.0)) << y;
}

TEST(Gradient, ManualFillPaintsOnlyTheClipBoxPartWithTheWholeRectanglesColours)
{
    DibCanvas canvas(12, 1, kBackground);
    ::IntersectClipRect(canvas.Hdc(), 4, 0, 6, 1);
    const CRect rc(2, 0, 12, 1);
    ManualHelpers().GradientFill(canvas.DC(), &rc, kStart, kEnd, TRUE);
    EXPECT_EQ(canvas.Pixel(3, 0), kBackground);
    EXPECT_EQ(canvas.Pixel(4, 0), Expected(kStart, kEnd, 0.8));
    EXPECT_EQ(canvas.Pixel(5, 0), Expected(kStart, kEnd, 0.7));
    EXPECT_EQ(canvas.Pixel(6, 0), kBackground);
}

TEST(Gradient, FactorThreeQuartersOverFivePixelsSplitsThreeAndTwoAroundTheMiddle)
{
    CXTPPaintManagerColorGradient grc;
    grc.SetStandardValues(kStart, kEnd, 0.75f);
    const COLORREF middle = Expected(kStart, kEnd, 0.75f);
    ASSERT_EQ(middle, RGB(150, 80, 90));
    const CRect rc(0, 0, 5, 1);

    DibCanvas manual(5, 1, kBackground);
    ManualHelpers().GradientFillColorGradient(manual.DC(), &rc, grc, TRUE);
    // First part: 3 pixels from start towards the middle; second: 2 pixels from the middle to the end.
    EXPECT_EQ(manual.Pixel(0, 0), kStart);
    EXPECT_EQ(manual.Pixel(1, 0), Expected(kStart, middle, 1.0 - 1 / 3.0));
    EXPECT_EQ(manual.Pixel(2, 0), Expected(kStart, middle, 1.0 - 2 / 3.0));
    EXPECT_EQ(manual.Pixel(3, 0), middle);
    EXPECT_EQ(manual.Pixel(4, 0), Expected(middle, kEnd, 0.5));

    DibCanvas system(5, 1, kBackground);
    ASSERT_TRUE(GetDrawHelpers()->IsFastFillAvailable());
    GetDrawHelpers()->GradientFillColorGradient(system.DC(), &rc, grc, TRUE);
    EXPECT_TRUE(Near(system.Pixel(0, 0), kStart, 2));
    EXPECT_TRUE(Near(system.Pixel(3, 0), middle, 2)) << std::hex << system.Pixel(3, 0);
}

TEST(Gradient, ClipFromTheMiddleStartsWithTheHalfwayColour)
{
    const CRect rc(0, 0, 10, 4);
    const CRect clip(5, 1, 20, 3);
    DibCanvas canvas(10, 4, kBackground);
    ManualHelpers().GradientFillClipped(canvas.DC(), &rc, kStart, kEnd, TRUE, &clip);
    EXPECT_EQ(canvas.Pixel(4, 1), kBackground);
    EXPECT_EQ(canvas.Pixel(5, 1), Expected(kStart, kEnd, 0.5));
    EXPECT_EQ(canvas.Pixel(5, 0), kBackground) << "rows outside the clip stay";
    EXPECT_EQ(canvas.Pixel(5, 3), kBackground);
    EXPECT_EQ(canvas.Pixel(9, 2), Expected(Expected(kStart, kEnd, 0.5), kEnd, 1.0 - 4 / 5.0));

    // The clip's end cuts a vertical gradient: the drawn end colour is the colour at the cut.
    DibCanvas vertical(2, 10, kBackground);
    const CRect rcV(0, 0, 2, 10);
    const CRect clipV(0, 0, 2, 5);
    ManualHelpers().GradientFillClipped(vertical.DC(), &rcV, kStart, kEnd, FALSE, &clipV);
    EXPECT_EQ(vertical.Pixel(0, 0), kStart);
    EXPECT_EQ(vertical.Pixel(0, 5), kBackground);

    // A clip wholly beside the rectangle draws nothing.
    DibCanvas beside(10, 4, kBackground);
    const CRect away(10, 0, 20, 4);
    ManualHelpers().GradientFillClipped(beside.DC(), &rc, kStart, kEnd, TRUE, &away);
    EXPECT_EQ(beside.Pixel(9, 0), kBackground);
}

TEST(Gradient, EqualEndsLowColourAndEmptyRectangles)
{
    const CRect rc(0, 0, 6, 2);
    for (CXTPDrawHelpers* helpers : {GetDrawHelpers(), &ManualHelpers()})
    {
        DibCanvas equal(6, 2, kBackground);
        helpers->GradientFill(equal.DC(), &rc, kStart, kStart, TRUE);
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(equal.Pixel(x, 1), kStart);

        g_nBits = 8;
        CXTPColorManager::SetBitsPerPixelProvider(&InjectedBits);
        DibCanvas low(6, 2, kBackground);
        helpers->GradientFill(low.DC(), &rc, kStart, kEnd, TRUE);
        CXTPColorManager::SetBitsPerPixelProvider(nullptr);
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(low.Pixel(x, 0), kStart) << "a palette display gets one solid fill";

        DibCanvas empty(6, 2, kBackground);
        const CRect none(3, 0, 3, 2);
        helpers->GradientFill(empty.DC(), &none, kStart, kEnd, TRUE);
        helpers->GradientFill(empty.DC(), nullptr, kStart, kEnd, TRUE);
        EXPECT_EQ(empty.Pixel(3, 0), kBackground);
    }
}

TEST(Gradient, ExcludeCornersKeepsTheFourCornerPixels)
{
    DibCanvas canvas(6, 5, kBackground);
    GetDrawHelpers()->ExcludeCorners(canvas.DC(), CRect(0, 0, 6, 5));
    canvas.DC()->FillSolidRect(0, 0, 6, 5, kStart);
    for (POINT corner : {POINT{0, 0}, POINT{5, 0}, POINT{0, 4}, POINT{5, 4}})
        EXPECT_EQ(canvas.Pixel(corner.x, corner.y), kBackground);
    EXPECT_EQ(canvas.Pixel(1, 0), kStart);
    EXPECT_EQ(canvas.Pixel(0, 1), kStart);
}

TEST(ScopedDC, BufferCopiesItsRectangleOnceAndNothingAfterDiscard)
{
    DibCanvas target(8, 8, kBackground);
    {
        CXTPBufferDC buffer(target.Hdc(), CRect(2, 2, 6, 6));
        buffer.FillSolidRect(0, 0, 8, 8, kStart);
        EXPECT_EQ(target.Pixel(3, 3), kBackground) << "nothing reaches the target before the end";
    }
    EXPECT_EQ(target.Pixel(2, 2), kStart);
    EXPECT_EQ(target.Pixel(5, 5), kStart);
    EXPECT_EQ(target.Pixel(1, 1), kBackground);
    EXPECT_EQ(target.Pixel(6, 6), kBackground);

    DibCanvas discarded(8, 8, kBackground);
    {
        CXTPBufferDC buffer(discarded.Hdc(), CRect(0, 0, 8, 8));
        buffer.FillSolidRect(0, 0, 8, 8, kStart);
        buffer.Discard();
        EXPECT_EQ(buffer.GetDestDC(), nullptr);
    }
    EXPECT_EQ(discarded.Pixel(4, 4), kBackground);
}

TEST(ScopedDC, BufferOfAnEmptyPaintRectangleHasAOnePixelBitmap)
{
    HWND hWnd = CreatePlainWindow();
    ASSERT_NE(hWnd, nullptr);
    ::ValidateRect(hWnd, nullptr);
    {
        CPaintDC paintDC(CWnd::FromHandle(hWnd));
        CXTPBufferDC buffer(paintDC);
        EXPECT_TRUE(buffer.GetRect().IsRectEmpty());
        BITMAP bm = {};
        ASSERT_TRUE(::GetObjectA(::GetCurrentObject(buffer.m_hDC, OBJ_BITMAP), sizeof bm, &bm));
        EXPECT_EQ(bm.bmWidth, 1);
        EXPECT_EQ(bm.bmHeight, 1);
        EXPECT_GT(bm.bmBitsPixel, 1) << "a colour bitmap, not the stock monochrome one";
    }
    DibCanvas target(4, 4);
    {
        CXTPBufferDC buffer(target.Hdc(), CRect(0, 0, 0, 0));
        BITMAP bm = {};
        ASSERT_TRUE(::GetObjectA(::GetCurrentObject(buffer.m_hDC, OBJ_BITMAP), sizeof bm, &bm));
        EXPECT_EQ(bm.bmWidth, 1);
    }
    ::DestroyWindow(hWnd);
}

TEST(ScopedDC, BufferExUsesTargetCoordinatesAndCopiesTheWholeBitmap)
{
    DibCanvas target(10, 10, kBackground);
    {
        CXTPBufferDCEx buffer(target.Hdc(), CRect(3, 4, 7, 9));
        BITMAP bm = {};
        ::GetObjectA(::GetCurrentObject(buffer.m_hDC, OBJ_BITMAP), sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, 4);
        EXPECT_EQ(bm.bmHeight, 5);
        buffer.FillSolidRect(3, 4, 4, 5, kStart);
        buffer.FillSolidRect(3, 4, 1, 1, kEnd);
    }
    EXPECT_EQ(target.Pixel(3, 4), kEnd);
    EXPECT_EQ(target.Pixel(6, 8), kStart);
    EXPECT_EQ(target.Pixel(2, 4), kBackground);
    EXPECT_EQ(target.Pixel(7, 8), kBackground);
}

TEST(ScopedDC, FontPenBrushAndBitmapSelectionsAreRestored)
{
    DibCanvas canvas(4, 4);
    HDC hDC = canvas.Hdc();
    const HGDIOBJ fontBefore = ::GetCurrentObject(hDC, OBJ_FONT);
    const HGDIOBJ penBefore = ::GetCurrentObject(hDC, OBJ_PEN);
    const HGDIOBJ brushBefore = ::GetCurrentObject(hDC, OBJ_BRUSH);
    const COLORREF textBefore = ::GetTextColor(hDC);

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "Tahoma"));
    CFont other;
    ASSERT_TRUE(other.CreatePointFont(120, "Tahoma"));
    {
        CXTPFontDC fontDC(canvas.DC(), &font, RGB(9, 8, 7));
        EXPECT_EQ(::GetCurrentObject(hDC, OBJ_FONT), font.GetSafeHandle());
        EXPECT_EQ(::GetTextColor(hDC), RGB(9, 8, 7));
        fontDC.SetFont(&other);
        fontDC.SetColor(RGB(1, 1, 1));
        EXPECT_EQ(::GetCurrentObject(hDC, OBJ_FONT), other.GetSafeHandle());
    }
    EXPECT_EQ(::GetCurrentObject(hDC, OBJ_FONT), fontBefore) << "the first font, not the intermediate one";
    EXPECT_EQ(::GetTextColor(hDC), textBefore);
    {
        CXTPFontDC fontDC(canvas.DC(), &font);
        EXPECT_EQ(fontDC.ReleaseFont(), font.GetSafeHandle());
        EXPECT_EQ(fontDC.ReleaseFont(), nullptr);
    }

    HGDIOBJ createdPen = nullptr;
    {
        CXTPPenDC pen(hDC, RGB(10, 20, 30));
        LOGPEN lp = {};
        ::GetObjectA(::GetCurrentObject(hDC, OBJ_PEN), sizeof lp, &lp);
        EXPECT_EQ(lp.lopnColor, RGB(10, 20, 30));
        pen.SetColor(RGB(40, 50, 60));
        createdPen = ::GetCurrentObject(hDC, OBJ_PEN);
        ::GetObjectA(createdPen, sizeof lp, &lp);
        EXPECT_EQ(lp.lopnColor, RGB(40, 50, 60));
        EXPECT_EQ(pen.GetColor(), RGB(40, 50, 60));
    }
    EXPECT_EQ(::GetCurrentObject(hDC, OBJ_PEN), penBefore);
    EXPECT_EQ(::GetObjectType(createdPen), 0u) << "the pen it made is deleted";

    CPen existing(PS_SOLID, 2, RGB(1, 1, 1));
    {
        CXTPPenDC pen(canvas.DC(), &existing);
        EXPECT_EQ(::GetCurrentObject(hDC, OBJ_PEN), existing.GetSafeHandle());
    }
    EXPECT_EQ(::GetCurrentObject(hDC, OBJ_PEN), penBefore);
    EXPECT_NE(::GetObjectType(existing.GetSafeHandle()), 0u) << "a given pen is not deleted";

    HGDIOBJ createdBrush = nullptr;
    {
        CXTPBrushDC brush(hDC, RGB(70, 80, 90));
        createdBrush = ::GetCurrentObject(hDC, OBJ_BRUSH);
        LOGBRUSH lb = {};
        ::GetObjectA(createdBrush, sizeof lb, &lb);
        EXPECT_EQ(lb.lbColor, RGB(70, 80, 90));
    }
    EXPECT_EQ(::GetCurrentObject(hDC, OBJ_BRUSH), brushBefore);
    EXPECT_EQ(::GetObjectType(createdBrush), 0u);

    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(canvas.DC(), 3, 3));
    {
        CXTPCompatibleDC memDC(canvas.DC(), &bitmap);
        EXPECT_EQ(::GetCurrentObject(memDC.m_hDC, OBJ_BITMAP), bitmap.GetSafeHandle());
    }
    // Released by the scoped DC: it can be selected elsewhere again.
    HDC other2 = ::CreateCompatibleDC(hDC);
    EXPECT_NE(::SelectObject(other2, bitmap.GetSafeHandle()), nullptr);
    ::DeleteDC(other2);
}

TEST(Shapes, TrianglesFillWithTheirColourAndRestoreTheDC)
{
    DibCanvas canvas(12, 12, kBackground);
    const HGDIOBJ penBefore = ::GetCurrentObject(canvas.Hdc(), OBJ_PEN);
    DrawTriangle(canvas.DC(), 1, 1, 10, 1, 5, 10, kStart);
    EXPECT_EQ(canvas.Pixel(5, 3), kStart);
    EXPECT_EQ(canvas.Pixel(1, 1), kStart) << "outlined in the colour too";
    EXPECT_EQ(canvas.Pixel(1, 10), kBackground);
    EXPECT_EQ(::GetCurrentObject(canvas.Hdc(), OBJ_PEN), penBefore);

    CXTPPenDC pen(canvas.Hdc(), kEnd);
    CXTPBrushDC brush(canvas.Hdc(), kEnd);
    DrawTrianglePolygon(canvas.DC(), CPoint(1, 1), CPoint(10, 1), CPoint(5, 10));
    EXPECT_EQ(canvas.Pixel(5, 3), kEnd);
    DrawTrianglePolygon(nullptr, 0, 0, 1, 1, 2, 2); // no DC: nothing, no crash
}

TEST(ColorHelpers, BlendColorsTruncatesAndLimits)
{
    EXPECT_EQ(BlendColors(RGB(255, 255, 255), RGB(0, 0, 0), 0.5), RGB(127, 127, 127));
    EXPECT_EQ(BlendColors(kStart, kEnd, 1.0), kStart);
    EXPECT_EQ(BlendColors(kStart, kEnd, 0.0), kEnd);
    EXPECT_EQ(BlendColors(RGB(255, 0, 0), RGB(255, 0, 0), 1.5), RGB(255, 0, 0)) << "limited to 255";
}

TEST(ColorHelpers, HslOfGreysAndPrimaries)
{
    const struct
    {
        COLORREF clr;
        int hue;
        int saturation;
        int luminance;
    } cases[] = {
        {RGB(0, 0, 0), 239, 0, 0},         {RGB(255, 255, 255), 239, 0, 240}, {RGB(128, 128, 128), 239, 0, 120},
        {RGB(255, 0, 0), 0, 239, 120},      {RGB(0, 255, 0), 79, 239, 120},    {RGB(0, 0, 255), 159, 239, 120},
    };
    for (const auto& c : cases)
    {
        const DWORD hsl = RGBToHSL(c.clr);
        EXPECT_EQ(static_cast<int>(hsl & 0xFF), c.hue) << std::hex << c.clr;
        EXPECT_EQ(static_cast<int>((hsl >> 8) & 0xFF), c.saturation) << std::hex << c.clr;
        EXPECT_EQ(static_cast<int>((hsl >> 16) & 0xFF), c.luminance) << std::hex << c.clr;
    }
    EXPECT_EQ(HSLToRGB(120u << 16), RGB(128, 128, 128)) << "saturation 0: the grey of the luminance";
    EXPECT_EQ(HSLToRGB(240u << 16), RGB(255, 255, 255));
}

TEST(ColorHelpers, HslRoundTripStaysWithinThirteenLevelsPerChannel)
{
    // The packed scales lose precision: 240 hues, and a saturated colour's steep channel moves about
    // six levels per hue step, two steps of truncation at worst. A colour comes back within 13
    // levels per channel (fully saturated pinks and oranges are the worst cases).
    int worst = 0;
    for (int r = 0; r < 256; r += 17)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 17)
            {
                const COLORREF back = HSLToRGB(RGBToHSL(RGB(r, g, b)));
                worst = std::max({worst, std::abs(GetRValue(back) - r), std::abs(GetGValue(back) - g),
                                  std::abs(GetBValue(back) - b)});
            }
    EXPECT_LE(worst, 13);
    EXPECT_EQ(HSLToRGB(RGBToHSL(RGB(255, 0, 0))), RGB(255, 0, 0));
    EXPECT_EQ(HSLToRGB(RGBToHSL(RGB(0, 0, 255))), RGB(0, 0, 255));
}

TEST(TextHelpers, StripAmpersands)
{
    const struct
    {
        const char* in;
        const char* out;
    } cases[] = {{"a&&b", "a&b"}, {"&File", "File"}, {"&&", "&"}, {"", ""}, {"Save &As", "Save As"},
                 {"a&", "a"}, {"&&&x", "&x"}};
    for (const auto& c : cases)
    {
        CString s(c.in);
        StripAmpersands(s);
        EXPECT_STREQ(s, c.out) << c.in;
    }
}

TEST(TextHelpers, StripAmpersandsA)
{
    const struct
    {
        const char* in;
        const char* out;
    } cases[] = {{"&&", "&"}, {"&x", "x"}, {"a&&b", "a&b"}, {"E&xit", "Exit"}, {"end&", "end"}, {"", ""}};
    for (const auto& c : cases)
    {
        char buffer[32];
        lstrcpynA(buffer, c.in, sizeof buffer);
        StripAmpersandsA(buffer);
        EXPECT_STREQ(buffer, c.out) << c.in;
    }
    StripAmpersandsA(nullptr);
    StripAmpersandsA(reinterpret_cast<LPSTR>(-1));
}

TEST(TextHelpers, FormatStringAndWindowText)
{
    EXPECT_STREQ(FormatString("Image_%s.png", "Blue"), "Image_Blue.png");
    EXPECT_STREQ(FormatString("[%s]", nullptr), "[]");
    EXPECT_STREQ(FormatString(nullptr, "x"), "");

    HWND hWnd = CreatePlainWindow();
    ::SetWindowTextA(hWnd, "A window title that is longer than sixteen characters");
    CString text("stale");
    GetWindowTextString(hWnd, text);
    EXPECT_STREQ(text, "A window title that is longer than sixteen characters");
    ::DestroyWindow(hWnd);
    GetWindowTextString(nullptr, text);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(FontHelpers, FontsOfThePrefix)
{
    EXPECT_TRUE(FontExists("tahoma"));
    EXPECT_TRUE(FontExists("TAHOMA"));
    EXPECT_FALSE(FontExists("Arial")) << "the test prefix has no Arial";
    EXPECT_FALSE(FontExists(""));
    EXPECT_FALSE(FontExists(nullptr));
}

TEST(FontHelpers, DefaultFaceWithoutArialIsTheGuiFontsFace)
{
    LOGFONTA lf = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    const CXTPOsVersion saved = *GetOsVersion();
    // Also on a system before Windows 2000, which never takes the GUI font's face directly.
    for (const CXTPOsVersion& version : {saved, CXTPOsVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10)})
    {
        *GetOsVersion() = version;
        for (BOOL bTahoma : {FALSE, TRUE})
        {
            CString face;
            GetDefaultFaceName(face, bTahoma);
            EXPECT_STREQ(face, lf.lfFaceName);
        }
    }
    *GetOsVersion() = saved;
}

TEST(FontHelpers, IconTitleFontTakesTheResourceManagersCharacterSet)
{
    CXTPResourceManager* manager = GetResourceManager();
    LOGFONTA lf = {};
    EXPECT_TRUE(GetIconTitleLogFont(&lf));
    EXPECT_EQ(lf.lfCharSet, manager->GetFontCharset());
    EXPECT_NE(lf.lfFaceName[0], '\0');

    manager->SetResourceLanguage(1049);
    manager->EnableLanguageCharset(TRUE);
    EXPECT_TRUE(GetIconTitleLogFont(&lf));
    EXPECT_EQ(lf.lfCharSet, RUSSIAN_CHARSET);
    manager->EnableLanguageCharset(FALSE);
    manager->SetResourceLanguage(1033);
    EXPECT_FALSE(GetIconTitleLogFont(nullptr));
}

TEST(WindowHelpers, RectanglesOfLiveAndMissingWindows)
{
    HWND hWnd = CreatePlainWindow();
    ASSERT_NE(hWnd, nullptr);
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    EXPECT_EQ(GetHwndWindowRect(hWnd), rcWindow);
    CRect rcClient;
    ::GetClientRect(hWnd, &rcClient);
    EXPECT_EQ(GetHwndClientRect(hWnd), rcClient);
    EXPECT_EQ(GetWndWindowRect(CWnd::FromHandle(hWnd)), rcWindow);
    ::DestroyWindow(hWnd);

    EXPECT_TRUE(GetHwndWindowRect(hWnd).IsRectEmpty());
    EXPECT_TRUE(GetHwndClientRect(nullptr).IsRectEmpty());
    EXPECT_TRUE(GetWndClientRect(nullptr).IsRectEmpty());
    CWnd unattached;
    EXPECT_TRUE(GetWndWindowRect(&unattached).IsRectEmpty());

    CRect rc(1, 2, 3, 4);
    CRect& same = MakeEmptyRect(rc);
    EXPECT_EQ(&same, &rc);
    EXPECT_TRUE(rc.IsRectEmpty());
    EXPECT_EQ(MakeEmptyRect(), CRect(0, 0, 0, 0));
}

TEST(WindowHelpers, RegisterDefaultWindowClassUsesDefWindowProcAndTheArrow)
{
    EXPECT_TRUE(RegisterDefaultWindowClass(nullptr, "TkTestDefaultClass", CS_DBLCLKS, nullptr, nullptr));
    EXPECT_TRUE(RegisterDefaultWindowClass(nullptr, "TkTestDefaultClass", CS_DBLCLKS, nullptr, nullptr))
        << "registering again is fine";
    WNDCLASSA wc = {};
    ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), "TkTestDefaultClass", &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(wc.hCursor, ::LoadCursor(nullptr, IDC_ARROW));
    EXPECT_FALSE(RegisterDefaultWindowClass(nullptr, "", 0, nullptr, nullptr));
}

TEST(WindowHelpers, TopLevelParentActiveFollowsTheForegroundWindow)
{
    EXPECT_FALSE(IsTopLevelParentActive(nullptr));
    HWND hTop = CreatePlainWindow();
    HWND hChild = CreatePlainWindow(0, hTop, WS_CHILD | WS_VISIBLE);
    ::ShowWindow(hTop, SW_SHOW);
    ::SetForegroundWindow(hTop);
    if (::GetForegroundWindow() != hTop)
    {
        ::DestroyWindow(hTop);
        GTEST_SKIP() << "the display gives no foreground window";
    }
    EXPECT_TRUE(IsTopLevelParentActive(hChild));
    EXPECT_TRUE(IsTopLevelParentActive(hTop));
    HWND hOther = CreatePlainWindow();
    ::ShowWindow(hOther, SW_SHOW);
    ::SetForegroundWindow(hOther);
    if (::GetForegroundWindow() == hOther)
    {
        EXPECT_FALSE(IsTopLevelParentActive(hChild));
    }
    ::DestroyWindow(hOther);
    ::DestroyWindow(hTop);
}

TEST(LayoutHelpers, RightToLeftContextsArrowKeysAndWindowPoints)
{
    DibCanvas canvas(4, 4);
    EXPECT_FALSE(IsContextRightToLeft(canvas.DC()));
    SetContextLayout(canvas.DC(), LAYOUT_RTL);
    EXPECT_TRUE(IsContextRightToLeft(canvas.DC()));
    SetContextLayout(canvas.DC(), 0);
    EXPECT_FALSE(IsContextRightToLeft(canvas.DC()));
    EXPECT_FALSE(IsContextRightToLeft(static_cast<CDC*>(nullptr)));
    SetContextLayout(nullptr, LAYOUT_RTL);

    HWND hLtr = CreatePlainWindow();
    HWND hRtl = CreatePlainWindow(WS_EX_LAYOUTRTL);
    UINT key = VK_LEFT;
    SwapArrowKeyForLayout(hLtr, key);
    EXPECT_EQ(key, static_cast<UINT>(VK_LEFT));
    SwapArrowKeyForLayout(hRtl, key);
    EXPECT_EQ(key, static_cast<UINT>(VK_RIGHT));
    SwapArrowKeyForLayout(hRtl, key);
    EXPECT_EQ(key, static_cast<UINT>(VK_LEFT));
    key = VK_UP;
    SwapArrowKeyForLayout(hRtl, key);
    EXPECT_EQ(key, static_cast<UINT>(VK_UP));

    CRect rc;
    ::GetWindowRect(hLtr, &rc);
    POINT pt = {rc.left + 5, rc.top + 7};
    ScreenToWindowPoint(hLtr, pt);
    EXPECT_EQ(pt.x, 5);
    EXPECT_EQ(pt.y, 7);
    ::GetWindowRect(hRtl, &rc);
    pt = {rc.left + 5, rc.top + 7};
    ScreenToWindowPoint(hRtl, pt);
    EXPECT_EQ(pt.x, rc.Width() - 5);
    EXPECT_EQ(pt.y, 7);
    ::DestroyWindow(hLtr);
    ::DestroyWindow(hRtl);
}
