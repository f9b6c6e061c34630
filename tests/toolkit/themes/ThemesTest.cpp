// The theme factory with the makers registered, the paint manager's colour table, fonts from
// injected system metrics, its metric tables, the -1 colour rule of the helpers, the classic
// grippers and the exit of a program that holds the global paint manager.
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/themes/XTPThemes.h"
#include "toolkit/themes/classic/XTPVisualStudio6Theme.h"

#include "ThemeTestSurface.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// System facts the paint manager's fonts read, fixed by the test.
class FakeQuery : public CXTPCommandBarsSystemQuery
{
public:
    BOOL GetNonClientMetrics(NONCLIENTMETRICSA* pMetrics) override
    {
        CXTPCommandBarsSystemQuery::GetNonClientMetrics(pMetrics);
        pMetrics->lfMenuFont.lfHeight = m_nMenuHeight;
        lstrcpynA(pMetrics->lfMenuFont.lfFaceName, m_strFace.c_str(), LF_FACESIZE);
        return TRUE;
    }
    BOOL IsWindowsXPOrLater() override { return m_bXP; }
    SIZE GetScreenDpi() override { return SIZE{m_nDpi, m_nDpi}; }

    LONG m_nMenuHeight = -11;
    std::string m_strFace = "Tahoma";
    BOOL m_bXP = TRUE;
    int m_nDpi = 96;
};

// Installs a fake query for one test.
class ScopedQuery
{
public:
    explicit ScopedQuery(CXTPCommandBarsSystemQuery* pQuery) : m_pOld(SetCommandBarsSystemQuery(pQuery)) {}
    ~ScopedQuery() { SetCommandBarsSystemQuery(m_pOld); }

private:
    CXTPCommandBarsSystemQuery* m_pOld;
};

LOGFONTA FontOf(CFont* pFont)
{
    LOGFONTA lf = {};
    ::GetObjectA(pFont->GetSafeHandle(), sizeof(lf), &lf);
    return lf;
}

// A default theme that counts its destructions.
int g_nDestroyed = 0;
class CountedTheme : public CXTPDefaultTheme
{
public:
    ~CountedTheme() override { ++g_nDestroyed; }
};


// A docked toolbar window with a gripper.
class GripperBar : public CXTPCommandBar
{
public:
    BOOL CreateAt(int cx, int cy)
    {
        LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                               reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        return CreateEx(WS_EX_TOOLWINDOW, lpszClass, "bar", WS_POPUP, 0, 0, cx, cy, nullptr, nullptr);
    }
};

class Themes : public ::testing::Test
{
protected:
    void SetUp() override { XTPRegisterThemes(); }
};
} // namespace

TEST_F(Themes, FactoryGivesEachNumberItsClass)
{
    struct Case
    {
        const char* name;
        int nTheme;
        bool bVisualStudio6;
        int nReported;
    } cases[] = {
        {"default", 0, false, 0},
        {"Visual Studio 6 reports 0", 8, true, 0},
        {"unknown number", 42, false, 0},
        {"theme not built yet", 3, false, 0},
        {"negative number", -1, false, 0},
    };
    for (const Case& c : cases)
    {
        CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(c.nTheme);
        ASSERT_NE(pm, nullptr) << c.name;
        EXPECT_EQ(pm->IsKindOf(RUNTIME_CLASS(CXTPVisualStudio6Theme)) != FALSE, c.bVisualStudio6) << c.name;
        EXPECT_TRUE(pm->IsKindOf(RUNTIME_CLASS(CXTPDefaultTheme))) << c.name;
        EXPECT_EQ(pm->GetCurrentTheme(), c.nReported) << c.name;
        EXPECT_EQ(pm->m_nTheme, c.nTheme) << c.name; // the number that made it
        pm->InternalRelease();
    }
}

TEST_F(Themes, GlobalPaintManagerLifecycle)
{
    CXTPPaintManager::ReleaseGlobal();
    EXPECT_EQ(CXTPPaintManager::GetGlobalIfAny(), nullptr);
    // The first request makes theme 0.
    CXTPPaintManager* pFirst = CXTPPaintManager::GetGlobal();
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pFirst->m_nTheme, 0);
    EXPECT_EQ(pFirst->GetCurrentTheme(), 0);

    CXTPPaintManager::SetTheme(8);
    EXPECT_EQ(CXTPPaintManager::GetGlobal()->m_nTheme, 8);
    EXPECT_TRUE(CXTPPaintManager::GetGlobal()->IsKindOf(RUNTIME_CLASS(CXTPVisualStudio6Theme)));
    EXPECT_EQ(CXTPPaintManager::GetGlobal()->GetCurrentTheme(), 0);

    // A custom theme replaces (releases) the old one, stores 10 and is refreshed.
    g_nDestroyed = 0;
    CountedTheme* pCustom = new CountedTheme();
    CXTPPaintManager::SetCustomTheme(pCustom);
    EXPECT_EQ(CXTPPaintManager::GetGlobal(), pCustom);
    EXPECT_EQ(pCustom->m_nTheme, 10);
    EXPECT_GE(pCustom->GetControlHeight(), 22);
    EXPECT_NE(pCustom->GetRegularFont()->GetSafeHandle(), nullptr); // refreshed
    CXTPPaintManager::SetTheme(42);
    EXPECT_EQ(g_nDestroyed, 1);
    EXPECT_EQ(CXTPPaintManager::GetGlobal()->m_nTheme, 42);
    CXTPPaintManager::SetTheme(0);
}

TEST_F(Themes, ColourTable)
{
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(0);
    pm->RefreshMetrics();
    // Numbers above 62 (compared unsigned) are colours themselves.
    for (int n : {63, 0x123456, -1})
        EXPECT_EQ(pm->GetColor(n), static_cast<COLORREF>(n)) << n;
    EXPECT_EQ(pm->GetColor(COLOR_3DFACE), GetColorManager()->GetColor(COLOR_3DFACE));

    pm->m_arrColor[COLOR_3DFACE].SetCustomValue(RGB(10, 20, 30));
    EXPECT_EQ(pm->GetColor(COLOR_3DFACE), RGB(10, 20, 30)); // custom over standard
    pm->RefreshStandardColors();
    EXPECT_EQ(pm->GetColor(COLOR_3DFACE), RGB(10, 20, 30)); // survives the refresh
    EXPECT_EQ(pm->m_arrColor[COLOR_3DFACE].GetStandardColor(), GetColorManager()->GetColor(COLOR_3DFACE));

    const int indexes[] = {COLOR_3DSHADOW, 40};
    const COLORREF colours[] = {RGB(7, 8, 9), RGB(70, 80, 90)};
    pm->SetColors(2, indexes, colours);
    EXPECT_EQ(pm->GetColor(COLOR_3DSHADOW), RGB(7, 8, 9));
    EXPECT_EQ(pm->GetColor(40), RGB(70, 80, 90));
    pm->InternalRelease();
}

TEST_F(Themes, FontsFromInjectedMetrics)
{
    FakeQuery query;
    ScopedQuery scoped(&query);
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(0);
    EXPECT_EQ(pm->GetControlHeight(), 22); // no font yet

    struct MenuCase
    {
        LONG nMenu;
        LONG nExpected;
    } menuCases[] = {{-8, -11}, {-1, -11}, {-10, -11}, {-12, -12}, {-11, -11}};
    for (const MenuCase& c : menuCases)
    {
        query.m_nMenuHeight = c.nMenu;
        pm->RefreshFonts();
        EXPECT_EQ(FontOf(pm->GetRegularFont()).lfHeight, c.nExpected) << "menu height " << c.nMenu;
    }

    struct SettingCase
    {
        int nSetting;
        LONG nExpected;
    } settingCases[] = {{12, 13}, {5, 13}, {13, 16}, {16, 20}};
    for (const SettingCase& c : settingCases)
    {
        pm->m_nFontHeight = c.nSetting;
        pm->RefreshFonts();
        EXPECT_EQ(FontOf(pm->GetRegularFont()).lfHeight, c.nExpected) << "setting " << c.nSetting;
    }
    pm->m_nFontHeight = 0;

    // ClearType quality only with the flag on Windows XP or later.
    struct QualityCase
    {
        BOOL bFlag, bXP;
        bool bClearType;
    } qualityCases[] = {{TRUE, TRUE, true}, {TRUE, FALSE, false}, {FALSE, TRUE, false}};
    for (const QualityCase& c : qualityCases)
    {
        pm->m_bClearTypeTextQuality = c.bFlag;
        query.m_bXP = c.bXP;
        pm->RefreshFonts();
        EXPECT_EQ(FontOf(pm->GetRegularFont()).lfQuality == 5, c.bClearType) << c.bFlag << c.bXP;
        EXPECT_EQ(FontOf(pm->GetIconFont()).lfQuality == 5, c.bClearType) << c.bFlag << c.bXP;
    }
    pm->m_bClearTypeTextQuality = FALSE;

    // The office face, compared without case.
    query.m_strFace = "tahoma";
    pm->RefreshFonts();
    EXPECT_TRUE(pm->m_bUseOfficeFont);
    query.m_strFace = "Courier New";
    pm->RefreshFonts();
    EXPECT_FALSE(pm->m_bUseOfficeFont);

    const LOGFONTA lfVert = FontOf(&pm->m_fntVerticalText);
    EXPECT_EQ(lfVert.lfEscapement, 2700);
    EXPECT_EQ(lfVert.lfOrientation, 900);
    EXPECT_EQ(FontOf(&pm->m_fntVerticalBoldText).lfWeight, FW_BOLD);
    EXPECT_EQ(FontOf(pm->GetRegularBoldFont()).lfWeight, FW_BOLD);

    // Setting a font keeps the icon title bold font usable at once.
    LOGFONTA lf = FontOf(pm->GetRegularFont());
    lf.lfHeight = -14;
    pm->SetCommandBarsFontIndirect(&lf, FALSE);
    ASSERT_NE(pm->m_fontIconBold.GetSafeHandle(), nullptr);
    EXPECT_EQ(FontOf(&pm->m_fontIconBold).lfWeight, FW_BOLD);
    EXPECT_FALSE(pm->m_bUseStandardFont);
    EXPECT_EQ(pm->m_nControlHeight, pm->m_nTextHeight + 6);
    // A null font changes nothing but the flag.
    HGDIOBJ hRegular = pm->GetRegularFont()->GetSafeHandle();
    pm->SetCommandBarsFontIndirect(nullptr, TRUE);
    EXPECT_TRUE(pm->m_bUseStandardFont);
    EXPECT_EQ(pm->GetRegularFont()->GetSafeHandle(), hRegular);
    pm->InternalRelease();
}

TEST_F(Themes, MetricTables)
{
    FakeQuery query;
    ScopedQuery scoped(&query);
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(0);

    // Split part: explicit size h gives 2h - 17; automatic uses the control height + 3.
    struct SplitCase
    {
        int nFixed, nControlHeight, nExpected;
    } splitCases[] = {{18, 0, 19}, {19, 0, 21}, {30, 0, 43}, {0, 0, 33}, {0, 30, 49}};
    for (const SplitCase& c : splitCases)
    {
        pm->m_nFixedControlHeight = c.nFixed;
        pm->m_nControlHeight = c.nControlHeight;
        EXPECT_EQ(pm->GetSplitButtonPartSize(nullptr), c.nExpected) << c.nFixed << "/" << c.nControlHeight;
    }
    pm->m_nFixedControlHeight = 0;

    // Auto icon size: multiples of 8 from the control height, at least 16.
    struct IconCase
    {
        BOOL bAuto;
        int nControlHeight;
        int nSmall, nLarge;
    } iconCases[] = {{FALSE, 40, 16, 32}, {TRUE, 0, 16, 32}, {TRUE, 30, 24, 48}, {TRUE, 44, 40, 80}};
    for (const IconCase& c : iconCases)
    {
        pm->m_bAutoResizeIcons = c.bAuto;
        pm->m_nControlHeight = c.nControlHeight;
        EXPECT_EQ(pm->GetAutoIconSize(FALSE), c.nSmall) << c.nControlHeight;
        EXPECT_EQ(pm->GetAutoIconSize(TRUE), c.nLarge) << c.nControlHeight;
    }
    pm->m_bAutoResizeIcons = FALSE;
    pm->m_nControlHeight = 0;

    // Image fit.
    EXPECT_EQ(CXTPPaintManager::FitImage(CSize(32, 16), 16, 16), CSize(16, 8));
    EXPECT_EQ(CXTPPaintManager::FitImage(CSize(16, 32), 16, 16), CSize(8, 16));
    EXPECT_EQ(CXTPPaintManager::FitImage(CSize(16, 17), 16, 16), CSize(16, 17)); // within one pixel
    EXPECT_EQ(CXTPPaintManager::FitImage(CSize(0, 0), 20, 12), CSize(20, 12));

    // DPI scaling at 120.
    query.m_nDpi = 120;
    EXPECT_EQ(CXTPPaintManager::ScaleX(16), 20);
    EXPECT_EQ(CXTPPaintManager::ScaleY(16), 20);
    EXPECT_EQ(CXTPPaintManager::ScaleX(16, 120), 16);
    query.m_nDpi = 96;
    EXPECT_EQ(CXTPPaintManager::ScaleX(16), 16);

    // Combo drop-down widths for heights 20, 21 and 27.
    EXPECT_EQ(CXTPPaintManager::GetComboDropDownWidth(20), 15);
    EXPECT_EQ(CXTPPaintManager::GetComboDropDownWidth(21), 15);
    EXPECT_EQ(CXTPPaintManager::GetComboDropDownWidth(27), 18);
    pm->InternalRelease();
}

TEST_F(Themes, CaptionSplitting)
{
    struct Case
    {
        const char* caption;
        const char* line1;
        const char* line2;
    } cases[] = {
        {"Save All Files", "Save All", "Files"},
        {"Open", "Open", ""},
        {"Print Preview", "Print", "Preview"},
        {" Leading", " Leading", ""},
        {"", "", ""},
    };
    for (const Case& c : cases)
    {
        CString line1, line2;
        CXTPPaintManager::SplitCaption(c.caption, line1, line2);
        EXPECT_STREQ(line1, c.line1) << c.caption;
        EXPECT_STREQ(line2, c.line2) << c.caption;
    }
}

TEST_F(Themes, HelpersSkipNoColour)
{
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(0);
    pm->RefreshMetrics();
    themes_test::CProbeSurface dib(20, 20);
    CDC* pDC = dib.DC();
    pDC->SetBkColor(RGB(200, 0, 0)); // what a fill of -1 would leave behind
    pm->Draw3dRect(pDC, CRect(2, 2, 12, 12), -1, COLOR_3DSHADOW);
    EXPECT_EQ(dib.At(2, 5), themes_test::CProbeSurface::kSentinel);       // left edge skipped
    EXPECT_EQ(dib.At(5, 2), themes_test::CProbeSurface::kSentinel);       // top edge skipped
    EXPECT_EQ(dib.At(11, 5), pm->GetColor(COLOR_3DSHADOW)); // right edge drawn
    EXPECT_EQ(dib.At(5, 11), pm->GetColor(COLOR_3DSHADOW));

    pm->Rectangle(pDC, CRect(14, 14, 19, 19), COLOR_3DHIGHLIGHT, -1);
    EXPECT_EQ(dib.At(16, 16), themes_test::CProbeSurface::kSentinel); // no fill
    EXPECT_EQ(dib.At(14, 16), pm->GetColor(COLOR_3DHIGHLIGHT));
    pm->HorizontalLine(pDC, 0, 0, 20, -1);
    pm->VerticalLine(pDC, 0, 0, 20, -1);
    pm->Line(pDC, 0, 19, 19, 13, -1);
    for (int i = 0; i < 20; ++i)
    {
        EXPECT_EQ(dib.At(i, 0), themes_test::CProbeSurface::kSentinel) << i;
        EXPECT_EQ(dib.At(0, i), themes_test::CProbeSurface::kSentinel) << i;
    }
    pm->InternalRelease();
}

TEST_F(Themes, OpaqueFillAndFade)
{
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(0);
    themes_test::CProbeSurface dib(4, 4);
    CXTPPaintManager::FillOpaqueRect(dib.DC(), CRect(1, 1, 3, 3), RGB(10, 20, 30));
    ::GdiFlush();
    const BYTE* p = dib.Bits() + (1 * 4 + 1) * 4;
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);
    EXPECT_EQ(p[3], 255);
    EXPECT_EQ(dib.At(0, 0), themes_test::CProbeSurface::kSentinel);
    CXTPPaintManager::FillOpaqueRect(dib.DC(), CRect(), RGB(0, 0, 0)); // nothing
    EXPECT_EQ(dib.At(0, 0), themes_test::CProbeSurface::kSentinel);

    // Fade on one pixel: the last step drawn is k = n - 1.
    pm->m_nAnimationTime = 0;
    struct Case
    {
        int n;
        BYTE src, dest;
    } cases[] = {{2, 200, 100}, {4, 255, 0}, {10, 0, 250}};
    for (const Case& c : cases)
    {
        themes_test::CProbeSurface src(1, 1), dest(1, 1);
        src.DC()->FillSolidRect(0, 0, 1, 1, RGB(c.src, c.src, c.src));
        dest.DC()->FillSolidRect(0, 0, 1, 1, RGB(c.dest, c.dest, c.dest));
        ::GdiFlush();
        dest.Bits()[3] = 77;
        pm->m_nAnimationSteps = c.n;
        pm->Animate(dest.DC(), src.DC(), CRect(0, 0, 1, 1), 4);
        ::GdiFlush();
        const int a = 255 * (c.n - 1) / c.n;
        const int expected = (c.src * a + c.dest * (255 - a)) >> 8;
        EXPECT_EQ(dest.Bits()[0], expected) << c.n;
        EXPECT_EQ(dest.Bits()[3], 77) << c.n; // alpha untouched
    }
    // Kinds 2 and 3 end on the source; kinds 0, 1 and no steps draw nothing.
    for (int nKind : {2, 3, 0, 1})
    {
        themes_test::CProbeSurface src(3, 3), dest(3, 3);
        src.DC()->FillSolidRect(0, 0, 3, 3, RGB(9, 9, 9));
        pm->m_nAnimationSteps = 3;
        pm->Animate(dest.DC(), src.DC(), CRect(0, 0, 3, 3), nKind);
        const COLORREF expected = nKind >= 2 ? RGB(9, 9, 9) : themes_test::CProbeSurface::kSentinel;
        EXPECT_EQ(dest.At(0, 0), expected) << nKind;
        EXPECT_EQ(dest.At(2, 2), expected) << nKind;
    }
    {
        themes_test::CProbeSurface src(2, 2), dest(2, 2);
        src.DC()->FillSolidRect(0, 0, 2, 2, RGB(9, 9, 9));
        pm->m_nAnimationSteps = 0;
        pm->Animate(dest.DC(), src.DC(), CRect(0, 0, 2, 2), 3);
        EXPECT_EQ(dest.At(0, 0), themes_test::CProbeSurface::kSentinel);
    }
    pm->InternalRelease();
}

TEST_F(Themes, GrippersOfTheClassicLooks)
{
    struct Case
    {
        const char* name;
        int nTheme;
        int nPosition;
        CSize size;
        int nSecondBar; // x (or y) of a second raised bar, 0 for none
    } cases[] = {
        {"default top", 0, xtpBarTop, CSize(6, 0), 0},
        {"default left", 0, xtpBarLeft, CSize(0, 8), 0},
        {"Visual Studio 6 top", 8, xtpBarTop, CSize(10, 0), 7},
        {"Visual Studio 6 right", 8, xtpBarRight, CSize(0, 10), 7},
    };
    for (const Case& c : cases)
    {
        CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(c.nTheme);
        pm->RefreshMetrics();
        GripperBar bar;
        ASSERT_TRUE(bar.CreateAt(40, 40)) << c.name;
        bar.SetType(xtpBarTypeNormal);
        bar.SetPosition(c.nPosition);
        themes_test::CProbeSurface dib(40, 40);
        EXPECT_EQ(pm->DrawCommandBarGripper(dib.DC(), &bar, FALSE), c.size) << c.name;
        EXPECT_EQ(pm->DrawCommandBarGripper(dib.DC(), &bar, TRUE), c.size) << c.name;
        const bool bHorizontal = c.nPosition == xtpBarTop;
        auto at = [&](int along, int across) { return bHorizontal ? dib.At(along, across) : dib.At(across, along); };
        EXPECT_EQ(at(3, 10), pm->GetColor(COLOR_3DHIGHLIGHT)) << c.name;
        EXPECT_EQ(at(5, 10), pm->GetColor(COLOR_3DSHADOW)) << c.name;
        EXPECT_EQ(at(7, 10), c.nSecondBar ? pm->GetColor(COLOR_3DHIGHLIGHT) : themes_test::CProbeSurface::kSentinel) << c.name;
        EXPECT_EQ(at(9, 10), c.nSecondBar ? pm->GetColor(COLOR_3DSHADOW) : themes_test::CProbeSurface::kSentinel) << c.name;
        bar.DestroyWindow();
        pm->InternalRelease();
    }
}

TEST_F(Themes, ProgramHoldingTheGlobalPaintManagerExitsCleanly)
{
    char szPath[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string path(szPath);
    path = path.substr(0, path.find_last_of("\\/") + 1) + "themes_exit_probe.exe";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(::CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        << path;
    ASSERT_EQ(::WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    DWORD dwExit = 1;
    ::GetExitCodeProcess(pi.hProcess, &dwExit);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    EXPECT_EQ(dwExit, 0u);
}

TEST_F(Themes, SystemThemeChoice)
{
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(0);
    CXTPColorManager* pColors = GetColorManager();
    const BOOL bWasDisabled = pColors->IsThemeColorsDisabled();
    struct Case
    {
        const char* name;
        int nChoice;
        BOOL bDisabled;
        int nExpected; // -1: the colour manager's current theme, -2: its detected theme
    } cases[] = {
        {"automatic, themed colours off", 7, TRUE, 0},
        {"automatic", 7, FALSE, -1},
        {"detected", 6, FALSE, -2},
        {"silver", 3, FALSE, 3},
        {"none", 0, TRUE, 0},
    };
    for (const Case& c : cases)
    {
        pColors->DisableThemeColors(c.bDisabled);
        pm->m_nSystemTheme = c.nChoice;
        const int nExpected = c.nExpected == -1   ? pColors->GetCurrentSystemTheme()
                              : c.nExpected == -2 ? pColors->GetDetectedSystemTheme()
                                                  : c.nExpected;
        EXPECT_EQ(pm->GetCurrentSystemTheme(), nExpected) << c.name;
    }
    pColors->DisableThemeColors(bWasDisabled);
    pm->InternalRelease();
}

TEST_F(Themes, PopupIconColumnWidth)
{
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(0);
    pm->RefreshMetrics();
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(nullptr);
    ASSERT_NE(pPopup, nullptr);
    const int cx = pm->GetButtonSizeForBar(pPopup).cx;
    EXPECT_EQ(pm->GetPopupBarGripperWidth(pPopup), cx + 1);
    pPopup->SetDoubleGripper(TRUE);
    EXPECT_EQ(pm->GetPopupBarGripperWidth(pPopup), 2 * cx + 1);
    pPopup->InternalRelease();
    pm->InternalRelease();
}
