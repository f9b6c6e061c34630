// The theme wrapper: failure values without a visual-styles library, lazy binding, the held theme,
// the COMCTL32 version rule and the module re-check of the second table, against the fixture
// library that counts its calls.
#include "toolkit/common/system/XTPWinThemeWrapper.h"

#include "ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include <vsstyle.h>

namespace
{
// Both tables bound to a library name that does not exist, for the life of the object.
class MissingThemeLibrary
{
public:
    MissingThemeLibrary()
    {
        CXTPWinThemeWrapper::ResetSharedTable(0, "tk_fx_no_such_uxtheme.dll");
        CXTPWinThemeWrapper::ResetSharedTable(1, "tk_fx_no_such_uxtheme.dll");
    }
    ~MissingThemeLibrary()
    {
        CXTPWinThemeWrapper::ResetSharedTable(0, "UXTHEME.DLL");
        CXTPWinThemeWrapper::ResetSharedTable(1, "UXTHEME.DLL");
    }
};
} // namespace

TEST(ThemeWrapper, WithoutTheLibraryEveryCallGivesItsFailureValue)
{
    MissingThemeLibrary missing;
    for (int selector : {0, 1})
    {
        SCOPED_TRACE(selector);
        CXTPWinThemeWrapper wrapper(selector);
        EXPECT_EQ(wrapper.OpenThemeData(nullptr, L"BUTTON"), nullptr);
        EXPECT_FALSE(wrapper.HasTheme());
        tk_test::DibCanvas canvas(4, 4);
        RECT rc = {0, 0, 4, 4};
        EXPECT_EQ(wrapper.DrawThemeBackground(canvas.Hdc(), 1, 1, &rc, nullptr), E_FAIL);
        EXPECT_EQ(wrapper.DrawThemeTextEx(canvas.Hdc(), 1, 1, L"x", 1, 0, &rc, nullptr), E_FAIL);
        COLORREF clr = 0x123456;
        EXPECT_EQ(wrapper.GetThemeColor(1, 1, 3801, &clr), E_FAIL);
        EXPECT_EQ(clr, 0x123456u);
        int value = 7;
        EXPECT_EQ(wrapper.GetThemeInt(1, 1, 1, &value), E_FAIL);
        EXPECT_FALSE(wrapper.GetThemeSysBool(1));
        WCHAR name[MAX_PATH] = {};
        EXPECT_EQ(wrapper.GetCurrentThemeName(name, MAX_PATH, name, MAX_PATH, name, MAX_PATH), E_FAIL);
        EXPECT_FALSE(wrapper.IsAppThemed());
        EXPECT_FALSE(wrapper.IsThemeActive());
        EXPECT_FALSE(wrapper.IsModernThemeActive());
        HDC hPaint = nullptr;
        EXPECT_EQ(wrapper.BeginBufferedPaint(canvas.Hdc(), &rc, BPBF_DIB, nullptr, &hPaint), nullptr);
        wrapper.EndBufferedPaint(nullptr, FALSE);
        EXPECT_EQ(wrapper.CloseThemeData(), 0);
        EXPECT_FALSE(wrapper.HasTheme());
    }
}

TEST(ThemeWrapper, IsAppThemedWithoutAnOpenThemeCallsNothing)
{
    tk_test::FixtureThemeLibrary library;
    library.State()->bAppThemed = TRUE;
    CXTPWinThemeWrapper wrapper;
    EXPECT_FALSE(wrapper.IsAppThemed());
    EXPECT_EQ(library.State()->nIsAppThemed, 0);
    ASSERT_NE(wrapper.OpenThemeData(nullptr, L"TOOLBAR"), nullptr);
    EXPECT_TRUE(wrapper.IsAppThemed());
    EXPECT_EQ(library.State()->nIsAppThemed, 1);
}

TEST(ThemeWrapper, OpeningAgainClosesTheHeldThemeAndTheDestructorClosesTheLast)
{
    tk_test::FixtureThemeLibrary library;
    TkFxThemeState* state = library.State();
    {
        CXTPWinThemeWrapper wrapper;
        EXPECT_EQ(wrapper.CloseThemeData(), 0);
        EXPECT_EQ(state->nClose, 0) << "nothing held: nothing closed";
        HTHEME first = wrapper.OpenThemeData(nullptr, L"HEADER");
        EXPECT_EQ(first, reinterpret_cast<HTHEME>(0x100));
        HTHEME second = wrapper.OpenThemeData(nullptr, L"TAB");
        EXPECT_EQ(second, reinterpret_cast<HTHEME>(0x101));
        EXPECT_EQ(wrapper.GetThemeHandle(), second);
        EXPECT_EQ(state->nClose, 1);
        EXPECT_STREQ(state->szLastClass, L"TAB");

        tk_test::DibCanvas canvas(2, 2);
        RECT rc = {0, 0, 2, 2};
        EXPECT_EQ(wrapper.DrawThemeBackground(canvas.Hdc(), 1, 1, &rc, nullptr), S_OK);
        EXPECT_EQ(state->nDrawBackground, 1);

        // A failed open leaves no handle (and the previous one closed).
        state->nNextTheme = 0;
        EXPECT_EQ(wrapper.OpenThemeData(nullptr, L"BUTTON"), nullptr);
        EXPECT_FALSE(wrapper.HasTheme());
        EXPECT_EQ(state->nClose, 2);
        state->nNextTheme = 0x200;
        wrapper.OpenThemeData(nullptr, L"BUTTON");
    }
    EXPECT_EQ(state->nClose, 3);
}

TEST(ThemeWrapper, ModernThemeNeedsComCtlSix)
{
    tk_test::FixtureThemeLibrary library;
    library.State()->bThemeActive = TRUE;
    CXTPWinThemeWrapper::ResetSharedTable(0, tk_test::FixturePath("tk_fx_theme.dll").c_str(), MAKELONG(82, 5));
    CXTPWinThemeWrapper wrapper;
    EXPECT_TRUE(wrapper.IsThemeActive());
    EXPECT_FALSE(wrapper.IsModernThemeActive());
    CXTPWinThemeWrapper::ResetSharedTable(0, tk_test::FixturePath("tk_fx_theme.dll").c_str(), MAKELONG(0, 6));
    EXPECT_TRUE(wrapper.IsModernThemeActive());
    library.State()->bThemeActive = FALSE;
    EXPECT_FALSE(wrapper.IsModernThemeActive());
}

TEST(ThemeWrapper, OnlyANonZeroSelectorFollowsTheLibraryLoadedLater)
{
    tk_test::FixtureThemeLibrary library;
    library.State()->bThemeActive = TRUE;
    // Both tables as if the library had not been loaded when they were made.
    for (int selector : {0, 1})
    {
        CXTPThemeFunctionTable* table = CXTPWinThemeWrapper::GetSharedTable(selector);
        table->hModule = nullptr;
        table->ClearSlots();
    }
    CXTPWinThemeWrapper fixed(0);
    CXTPWinThemeWrapper following(1);
    EXPECT_FALSE(fixed.IsThemeActive()) << "selector 0 keeps what it had";
    EXPECT_TRUE(following.IsThemeActive()) << "selector 1 takes the loaded library";
    EXPECT_NE(CXTPWinThemeWrapper::GetSharedTable(1)->hModule, nullptr);
    EXPECT_EQ(CXTPWinThemeWrapper::GetSharedTable(0)->hModule, nullptr);
    EXPECT_EQ(library.State()->nIsThemeActive, 1);
}

TEST(ThemeWrapper, TheSystemLibraryOfThePrefix)
{
    CXTPWinThemeWrapper wrapper;
    if (!wrapper.OpenThemeData(nullptr, L"BUTTON"))
        GTEST_SKIP() << "no visual style active";
    EXPECT_TRUE(wrapper.HasTheme());
    tk_test::DibCanvas canvas(20, 20, RGB(1, 2, 3));
    RECT rc = {0, 0, 20, 20};
    EXPECT_EQ(wrapper.DrawThemeBackground(canvas.Hdc(), BP_PUSHBUTTON, PBS_NORMAL, &rc, nullptr), S_OK);
    EXPECT_NE(canvas.Pixel(10, 10), RGB(1, 2, 3)) << "the button face was painted";
}

TEST(DesktopComposition, OffUnderThePrefixAndNeverReportedAsHandled)
{
    EXPECT_FALSE(IsDwmCompositionEnabled());
    LRESULT result = 12345;
    EXPECT_FALSE(CallDwmDefWindowProc(::GetDesktopWindow(), WM_NCHITTEST, 0, 0, &result));
}
