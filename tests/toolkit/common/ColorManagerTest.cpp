// The colour manager: golden tables (computed by golden/colour_tables.py from the refresh rules),
// theme detection, the contrast metric, overrides and gradients, and the colour value types.
#include "toolkit/common/drawing/XTPColorManager.h"

#include "framework/Archive.h"
#include "framework/MemFile.h"
#include "ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
struct GoldenGradient
{
    COLORREF light;
    COLORREF dark;
    float factor;
};

struct ColorScenario
{
    const char* name;
    int style;
    BOOL bLowColour;
    COLORREF system[30];
    COLORREF table[63];
    COLORREF styleTable[63];
    GoldenGradient gradients[7];
};

const ColorScenario g_scenarios[] = {
#include "golden/ColorGolden.inc"
};

const ColorScenario* g_pScenario = nullptr;

COLORREF ScenarioColor(int nIndex)
{
    return g_pScenario->system[nIndex];
}

int g_nBitsPerPixel = 32;
int InjectedBitsPerPixel(HDC)
{
    return g_nBitsPerPixel;
}

// Sets the colour depth the manager sees for the life of the object.
class InjectedDepth
{
public:
    explicit InjectedDepth(int nBits)
    {
        g_nBitsPerPixel = nBits;
        CXTPColorManager::SetBitsPerPixelProvider(&InjectedBitsPerPixel);
    }
    ~InjectedDepth() { CXTPColorManager::SetBitsPerPixelProvider(nullptr); }
};

const wchar_t* const g_lunaFile = L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";

void SetScenarioStyle(tk_test::FixtureThemeLibrary& library, int style)
{
    switch (style)
    {
    case xtpSystemThemeBlue:
        library.SetStyle(g_lunaFile, L"NormalColor");
        break;
    case xtpSystemThemeOlive:
        library.SetStyle(g_lunaFile, L"HomeStead");
        break;
    case xtpSystemThemeSilver:
        library.SetStyle(g_lunaFile, L"Metallic");
        break;
    default:
        break;
    }
}
} // namespace

TEST(ColorManagerGolden, EveryScenarioMatchesTheIndependentComputation)
{
    tk_test::FixtureThemeLibrary library;
    ASSERT_NE(library.State(), nullptr);
    for (const ColorScenario& scenario : g_scenarios)
    {
        SCOPED_TRACE(scenario.name);
        library.Reset();
        SetScenarioStyle(library, scenario.style);
        InjectedDepth depth(scenario.bLowColour ? 8 : 32);
        g_pScenario = &scenario;

        CXTPColorManager manager;
        manager.SetSystemColorProvider(&ScenarioColor);
        manager.RefreshColors();

        EXPECT_EQ(manager.GetDetectedSystemTheme(), scenario.bLowColour ? 0 : scenario.style);
        for (int i = 0; i < 63; ++i)
        {
            EXPECT_EQ(manager.GetColor(i), scenario.table[i]) << "entry " << i;
            EXPECT_EQ(manager.GetStyleColor(i), scenario.styleTable[i]) << "style entry " << i;
        }
        for (int g = 0; g < 7; ++g)
        {
            const CXTPPaintManagerColorGradient* grc = manager.GetGradient(g + 1);
            EXPECT_EQ(grc->clrLight.GetColor(), scenario.gradients[g].light) << "gradient " << g + 1;
            EXPECT_EQ(grc->clrDark.GetColor(), scenario.gradients[g].dark) << "gradient " << g + 1;
            EXPECT_FLOAT_EQ(grc->fGradientFactor, scenario.gradients[g].factor) << "gradient " << g + 1;
        }
    }
    g_pScenario = nullptr;
}

TEST(ColorManagerGolden, TheLowColourScenarioSkipsBlendsAndPaintsGradientsTwoAndFourInButtonFace)
{
    // Guards the golden data itself: in the 256-colour record entry 30 is plain button face and
    // gradients 2 and 4 are button face at both ends.
    const ColorScenario* low = nullptr;
    for (const ColorScenario& s : g_scenarios)
        if (s.bLowColour)
            low = &s;
    ASSERT_NE(low, nullptr);
    EXPECT_EQ(low->table[30], low->system[COLOR_BTNFACE]);
    for (int g : {1, 3})
    {
        EXPECT_EQ(low->gradients[g].light, low->system[COLOR_BTNFACE]);
        EXPECT_EQ(low->gradients[g].dark, low->system[COLOR_BTNFACE]);
    }
}

TEST(ColorManager, GetColorPassesValuesAboveTheTableThrough)
{
    CXTPColorManager* manager = GetColorManager();
    EXPECT_EQ(manager->GetColor(0x00FF00), 0x00FF00u);
    EXPECT_EQ(manager->GetColor(-1), COLORREF(-1));
    EXPECT_EQ(manager->GetColor(63), 63u);
    EXPECT_EQ(manager->GetColor(0), 0u);
    EXPECT_EQ(manager->GetColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOW));
}

TEST(ColorManager, OverridesAndLaterGradientsSurviveRefreshes)
{
    tk_test::FixtureThemeLibrary library;
    CXTPColorManager manager;
    manager.SetColor(35, RGB(1, 2, 3));
    manager.SetColor(COLOR_BTNFACE, RGB(4, 5, 6));
    manager.GetGradient(3)->clrLight.SetCustomValue(RGB(7, 8, 9));
    manager.RefreshColors();
    SetScenarioStyle(library, xtpSystemThemeOlive);
    manager.RefreshColors();

    EXPECT_EQ(manager.GetDetectedSystemTheme(), xtpSystemThemeOlive);
    EXPECT_EQ(manager.GetColor(35), RGB(1, 2, 3));
    EXPECT_EQ(manager.GetColor(COLOR_BTNFACE), RGB(4, 5, 6));
    EXPECT_EQ(manager.GetGradient(3)->clrLight.GetColor(), RGB(7, 8, 9));
    EXPECT_EQ(manager.GetGradient(3)->clrLight.GetStandardColor(), 0x6F8E78u);
    const struct
    {
        int number;
        COLORREF light;
        COLORREF dark;
    } later[] = {{8, 0x8CD5FF, 0x55ADFF}, {9, 0x4B8EFE, 0x8BCFFF}, {10, 0xC8F2FF, 0x97D4FF}};
    for (const auto& g : later)
    {
        EXPECT_EQ(manager.GetGradient(g.number)->clrLight.GetColor(), g.light);
        EXPECT_EQ(manager.GetGradient(g.number)->clrDark.GetColor(), g.dark);
        EXPECT_FLOAT_EQ(manager.GetGradient(g.number)->fGradientFactor, 0.5f);
    }
    EXPECT_EQ(manager.GetGradient(0), nullptr);
    EXPECT_EQ(manager.GetGradient(11), nullptr);

    manager.SetColor(35, COLORREF(-1));
    EXPECT_EQ(manager.GetColor(35), manager.GetComputedColor(35));
}

TEST(ColorManager, TreeViewBorderColourReachesEntry57OnlyWhenTheApplicationIsThemed)
{
    tk_test::FixtureThemeLibrary library;
    library.State()->clrBorder = RGB(0x12, 0x34, 0x56);
    CXTPColorManager manager;
    EXPECT_NE(manager.GetColor(57), RGB(0x12, 0x34, 0x56));

    library.State()->bAppThemed = TRUE;
    manager.RefreshColors();
    EXPECT_EQ(manager.GetColor(57), RGB(0x12, 0x34, 0x56));
    EXPECT_STREQ(library.State()->szLastClass, L"TREEVIEW");
    EXPECT_EQ(library.State()->nOpen, library.State()->nClose) << "every theme opened is closed";
}

TEST(ColorManager, ThemeColoursCanBeDisabledAndTheSettingOverridesDetection)
{
    tk_test::FixtureThemeLibrary library;
    SetScenarioStyle(library, xtpSystemThemeSilver);
    CXTPColorManager manager;
    EXPECT_EQ(manager.GetCurrentSystemTheme(), xtpSystemThemeSilver);
    EXPECT_EQ(manager.GetStyleColor(38), 0x755454u);

    manager.DisableThemeColors(TRUE);
    manager.RefreshColors();
    EXPECT_TRUE(manager.IsThemeColorsDisabled());
    EXPECT_EQ(manager.GetStyleColor(38), COLORREF(-1));
    EXPECT_EQ(manager.GetGradient(1)->clrLight.GetColor(), manager.GetColor(COLOR_BTNSHADOW));

    manager.DisableThemeColors(FALSE);
    manager.SetCurrentSystemTheme(xtpSystemThemeAuto);
    EXPECT_EQ(manager.GetCurrentSystemTheme(), xtpSystemThemeSilver);
    manager.SetCurrentSystemTheme(xtpSystemThemeBlue);
    EXPECT_EQ(manager.GetCurrentSystemTheme(), xtpSystemThemeBlue);
    EXPECT_EQ(manager.GetDetectedSystemTheme(), xtpSystemThemeSilver);
}

TEST(ColorManager, DetectionFromThemeNames)
{
    const struct
    {
        BOOL active;
        const wchar_t* file;
        const wchar_t* color;
        BOOL low;
        BOOL royale;
        BOOL aero;
        int expected;
    } cases[] = {
        {TRUE, g_lunaFile, L"NormalColor", FALSE, TRUE, TRUE, 1},
        {TRUE, g_lunaFile, L"HomeStead", FALSE, TRUE, TRUE, 2},
        {TRUE, g_lunaFile, L"Metallic", FALSE, TRUE, TRUE, 3},
        {TRUE, g_lunaFile, L"Pink", FALSE, TRUE, TRUE, 0},
        {TRUE, L"c:\\x\\WINXP.LUNA.CJSTYLES", L"normalcolor", FALSE, TRUE, TRUE, 1},
        {TRUE, L"C:\\Themes\\Royale.msstyles", L"NormalColor", FALSE, TRUE, TRUE, 4},
        {TRUE, L"C:\\Themes\\Royale.msstyles", L"NormalColor", FALSE, FALSE, TRUE, 0},
        {TRUE, L"C:\\Themes\\winxp.royale.cjstyles", L"x", FALSE, TRUE, TRUE, 4},
        {TRUE, L"C:\\Windows\\Resources\\Themes\\Aero\\Aero.msstyles", L"NormalColor", FALSE, TRUE, TRUE, 5},
        {TRUE, L"C:\\Windows\\Resources\\Themes\\Aero\\Aero.msstyles", L"NormalColor", FALSE, TRUE, FALSE, 0},
        {TRUE, L"C:\\windows\\resources\\themes\\light\\light.msstyles", L"Blue", FALSE, TRUE, TRUE, 0},
        {FALSE, g_lunaFile, L"NormalColor", FALSE, TRUE, TRUE, 0},
        {TRUE, g_lunaFile, L"NormalColor", TRUE, TRUE, TRUE, 0},
        {TRUE, nullptr, nullptr, FALSE, TRUE, TRUE, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CXTPColorManager::DetectThemeFromNames(c.active, c.file, c.color, c.low, c.royale, c.aero),
                  c.expected)
            << (c.file ? "file" : "no file") << " expected " << c.expected;
}

TEST(ColorManager, DetectionGivesNoneWhenTheNameCannotBeReadOrTheDisplayHasFewColours)
{
    tk_test::FixtureThemeLibrary library;
    SetScenarioStyle(library, xtpSystemThemeBlue);
    CXTPColorManager manager;
    EXPECT_EQ(manager.GetDetectedSystemTheme(), xtpSystemThemeBlue);

    library.State()->hrThemeName = E_FAIL;
    manager.RefreshColors();
    EXPECT_EQ(manager.GetDetectedSystemTheme(), 0);

    library.State()->hrThemeName = S_OK;
    {
        InjectedDepth depth(8);
        manager.RefreshColors();
        EXPECT_EQ(manager.GetDetectedSystemTheme(), 0);
        EXPECT_TRUE(manager.IsLastRefreshLowResolution());
    }
    library.State()->bThemeActive = FALSE;
    manager.RefreshColors();
    EXPECT_EQ(manager.GetDetectedSystemTheme(), 0);
}

TEST(ColorManager, WineOwnThemeIsDetectedAsNone)
{
    // The system's visual-styles library of the test prefix (its own theme is active).
    CXTPColorManager manager;
    EXPECT_EQ(manager.GetDetectedSystemTheme(), 0);
}

TEST(ColorManager, MixColorsPerCentBelowOneHundredPerMilleAbove)
{
    const struct
    {
        COLORREF a;
        COLORREF b;
        int weight;
        COLORREF expected;
    } cases[] = {
        {0xFFFFFF, 0x000000, 99, 0xFCFCFC}, {0xFFFFFF, 0x000000, 100, 0x1A1A1A}, {0xFFFFFF, 0x000000, 0, 0x000000},
        {0xFFFFFF, 0x000000, 1000, 0xFFFFFF}, {0xFFFFFF, 0x000000, 50, 0x808080},
        // Channels independently: red 200/0, green 0/100, blue 10/250 at 30 %.
        {RGB(200, 0, 10), RGB(0, 100, 250), 30, RGB(60, 70, 178)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CXTPColorManager::MixColors(c.a, c.b, c.weight), c.expected) << "weight " << c.weight;
}

TEST(ColorManager, IsLowResolutionCountsOneToEightBitsPerPixel)
{
    for (int bits : {1, 4, 8, 15, 16, 24, 32, 0})
    {
        InjectedDepth depth(bits);
        const BOOL expected = bits >= 1 && bits <= 8;
        EXPECT_EQ(CXTPColorManager::IsLowResolution(nullptr), expected) << bits;
        tk_test::DibCanvas canvas(1, 1);
        EXPECT_EQ(CXTPColorManager::IsLowResolution(canvas.Hdc()), expected) << bits;
    }
    tk_test::DibCanvas canvas(1, 1);
    EXPECT_FALSE(CXTPColorManager::IsLowResolution(canvas.Hdc())) << "a 32-bit DIB";
}

TEST(ColorMetric, DistancesAndTheScaledThreshold)
{
    EXPECT_NEAR(CXTPColorManager::GetColorDistance(0xFFFFFF, 0), std::sqrt(195.0 * 195 + 390.0 * 390 + 65.0 * 65),
                1e-9);
    EXPECT_NEAR(CXTPColorManager::GetColorDistanceSquared(RGB(255, 0, 0), 0), 195.0 * 195, 1e-9);
    EXPECT_DOUBLE_EQ(CXTPColorManager::ScaleDistanceThreshold(0, 50), 100.0);
    EXPECT_DOUBLE_EQ(CXTPColorManager::ScaleDistanceThreshold(110.9, 50.7), 75.0);
    EXPECT_DOUBLE_EQ(CXTPColorManager::ScaleDistanceThreshold(400, 50), 50.0);
    // Against black the threshold doubles: 150 apart is not above 100 scaled (200).
    EXPECT_FALSE(CXTPColorManager::IsColorDistanceAbove(0, RGB(0, 98, 0), TRUE, 100));
    EXPECT_TRUE(CXTPColorManager::IsColorDistanceAbove(0, RGB(0, 98, 0), FALSE, 100));
}

TEST(ColorMetric, SeparateColorTakesTheNearestPointOnTheRayWhenTheCircleMissesIt)
{
    // Grey 200 lies about 342 from the blue ray, far beyond the threshold: the square root of
    // d^2 - p^2 has no real value; the result is the point of the ray nearest to the grey.
    EXPECT_EQ(CXTPColorManager::SeparateColor(RGB(200, 200, 200), RGB(0, 0, 255), 100), RGB(0, 0, 200));
    EXPECT_EQ(CXTPColorManager::SeparateColor(RGB(200, 200, 200), RGB(255, 0, 0), 50), RGB(200, 0, 0));
}

TEST(ColorMetric, SeparateColorMovesAlongTheRayToTheThreshold)
{
    // A light grey against a slightly lighter grey: the result stays grey (on the ray) and ends at
    // the threshold's distance within rounding.
    const COLORREF a = RGB(212, 208, 200);
    const COLORREF result = CXTPColorManager::SeparateColor(a, RGB(220, 216, 208), 50);
    const double d = CXTPColorManager::ScaleDistanceThreshold(CXTPColorManager::GetColorDistance(a, 0), 50);
    EXPECT_NEAR(CXTPColorManager::GetColorDistance(a, result), d, 2.0);
    EXPECT_LE(GetRValue(result), 255);
}

TEST(ColorMetric, ApproachColorEndsAtTheScaledThreshold)
{
    const COLORREF a = RGB(255, 255, 255);
    const COLORREF result = CXTPColorManager::ApproachColor(a, 0, 100);
    const double t = CXTPColorManager::ScaleDistanceThreshold(CXTPColorManager::GetColorDistance(a, 0), 100);
    EXPECT_NEAR(CXTPColorManager::GetColorDistance(a, result), t, 1.5);
    EXPECT_EQ(GetRValue(result), GetGValue(result)) << "a grey stays grey";
    EXPECT_EQ(CXTPColorManager::ApproachColor(a, a, 100), a) << "no distance: unchanged";
}

TEST(PaintManagerColor, ResolvesCustomBeforeStandardAndSerialisesBothInOrder)
{
    CXTPPaintManagerColor unset;
    EXPECT_EQ(unset.GetColor(), COLORREF(-1));
    EXPECT_TRUE(unset.IsDefaultValue());
    CXTPPaintManagerColor color(RGB(1, 2, 3));
    EXPECT_EQ(static_cast<COLORREF>(color), RGB(1, 2, 3));
    color.SetCustomValue(RGB(4, 5, 6));
    EXPECT_EQ(color.GetColor(), RGB(4, 5, 6));
    EXPECT_TRUE(color.IsCustomValue());

    CXTPPaintManagerColorGradient gradient;
    EXPECT_FLOAT_EQ(gradient.fGradientFactor, 0.5f);
    gradient.SetStandardValues(RGB(10, 10, 10), RGB(20, 20, 20), 0.25f);
    gradient.clrDark.SetCustomValue(RGB(30, 30, 30));

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        color.Serialize(ar);
        gradient.Serialize(ar);
    }
    EXPECT_EQ(file.GetLength(), 8u + 16u + 4u);
    file.SeekToBegin();
    DWORD first[2] = {};
    file.Read(first, sizeof first);
    EXPECT_EQ(first[0], RGB(1, 2, 3));
    EXPECT_EQ(first[1], RGB(4, 5, 6));

    file.SeekToBegin();
    CXTPPaintManagerColor colorBack;
    CXTPPaintManagerColorGradient gradientBack;
    {
        CArchive ar(&file, CArchive::load);
        colorBack.Serialize(ar);
        gradientBack.Serialize(ar);
    }
    EXPECT_EQ(colorBack.GetStandardColor(), RGB(1, 2, 3));
    EXPECT_EQ(colorBack.GetCustomColor(), RGB(4, 5, 6));
    EXPECT_EQ(gradientBack.clrLight.GetColor(), RGB(10, 10, 10));
    EXPECT_EQ(gradientBack.clrDark.GetColor(), RGB(30, 30, 30));
    EXPECT_FLOAT_EQ(gradientBack.fGradientFactor, 0.25f);

    CXTPPaintManagerColorGradient copy;
    copy.SetStandardValueFrom(gradientBack);
    EXPECT_EQ(copy.clrDark.GetStandardColor(), RGB(30, 30, 30)) << "the other's resolved colour";
    EXPECT_FLOAT_EQ(copy.fGradientFactor, 0.25f);
    copy.SetStandardValue(RGB(9, 9, 9));
    EXPECT_EQ(copy.clrLight.GetColor(), RGB(9, 9, 9));
    EXPECT_EQ(copy.clrDark.GetColor(), RGB(9, 9, 9));
    EXPECT_FLOAT_EQ(copy.fGradientFactor, 0.5f);
}
