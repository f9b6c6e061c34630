// The tooltip window (line cutting, opacity, show and hide, its font) and the static field (display text,
// shortening and keyboard scrolling, the copy on a double click, the tooltip only on a focused shortened
// field, the mouse timer through its clock seam, the bounded wait for the dialog's font).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/GdiObject.h"
#include "framework/Wnd.h"
#include "tests/common/MessagePump.h"
#include "ui/UiMessageIds.h"
#include "ui/controls/StaticField.h"
#include "ui/controls/TooltipWindow.h"

using qvx_test::PumpMessages;

namespace
{
std::vector<int> LineLengths(const CTooltipWindow& tip)
{
    std::vector<int> lengths;
    for (const CDravikString& line : tip.GetLines())
        lengths.push_back(line.GetLength());
    return lengths;
}

TEST(TooltipWindow, CutsTextsIntoLinesOf61Characters)
{
    const struct
    {
        int length;
        std::vector<int> lines;
    } cases[] = {{0, {}}, {60, {60}}, {61, {61}}, {122, {61, 61}}, {130, {61, 61, 8}}};
    for (const auto& c : cases)
    {
        CTooltipWindow tip;
        EXPECT_EQ(tip.AddText(CDravikString(std::string(static_cast<size_t>(c.length), 'x').c_str())), c.length > 0);
        EXPECT_EQ(LineLengths(tip), c.lines) << c.length << " characters";
    }
}

TEST(TooltipWindow, OpacityIsAPercentageOf255)
{
    EXPECT_EQ(CTooltipWindow::AlphaForPercent(10), 25);
    EXPECT_EQ(CTooltipWindow::AlphaForPercent(99), 252);
    CTooltipWindow unmade;
    EXPECT_FALSE(unmade.SetOpacity(50)) << "no window";
}

class TooltipWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RECT rect = {40, 40, 340, 240};
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "tooltip test", WS_POPUP | WS_VISIBLE, rect, nullptr,
                                      0));
        m_tip.SetParentWindow(&m_parent);
        ASSERT_TRUE(m_tip.Create());
        m_tip.EnableFade(false);
    }
    void TearDown() override
    {
        m_tip.DestroyWindow();
        m_parent.DestroyWindow();
    }
    CWnd m_parent;
    CTooltipWindow m_tip;
};

TEST_F(TooltipWindowTest, ShowsBelowOrAboveTheAnchorAndHidingForgetsIt)
{
    EXPECT_FALSE(m_tip.IsShown());
    EXPECT_EQ(m_tip.GetLastAlpha(), 252) << "made at 99 %";
    EXPECT_FALSE(m_tip.SetOpacity(9));
    EXPECT_FALSE(m_tip.SetOpacity(100));
    m_tip.AddText("a full text");
    ASSERT_TRUE(m_tip.ShowAt({100, 120}, false));
    PumpMessages();
    RECT below;
    m_tip.GetWindowRect(&below);
    EXPECT_EQ(below.left, 100);
    EXPECT_EQ(below.top, 120);
    EXPECT_TRUE(m_tip.IsShown());
    EXPECT_TRUE(m_tip.ShowAt({100, 120}, true)) << "the same anchor only repaints";
    RECT again;
    m_tip.GetWindowRect(&again);
    EXPECT_TRUE(::EqualRect(&below, &again));
    m_tip.Show(false);
    EXPECT_EQ(m_tip.GetAnchor().x, 0);
    ASSERT_TRUE(m_tip.ShowAt({100, 120}, true));
    RECT above;
    m_tip.GetWindowRect(&above);
    EXPECT_EQ(above.bottom, 120) << "after hiding the old point moves and shows again";
    EXPECT_STREQ(m_tip.FaceName(), "Tahoma");
    m_tip.AddText(CDravikString(L"\x65e5\x672c"));
    EXPECT_STREQ(m_tip.FaceName(), "MS Mincho");
}

TEST_F(TooltipWindowTest, FadingInEndsAt99Percent)
{
    m_tip.EnableFade(true);
    m_tip.SetFadeDuration(60);
    m_tip.AddText("text");
    ASSERT_TRUE(m_tip.ShowAt({50, 50}, false));
    EXPECT_EQ(m_tip.GetLastAlpha(), 252);
    m_tip.Show(false);
    EXPECT_EQ(m_tip.GetLastAlpha(), 25) << "fading out ends at 10 %";
}

TEST(StaticFieldText, ShowsLineBreaksAndRunsOfBlanksAsOneBlank)
{
    EXPECT_STREQ(CStaticField::DisplayTextOf("one\r\ntwo").GetAnsi(), "one two");
    EXPECT_STREQ(CStaticField::DisplayTextOf("one    two").GetAnsi(), "one two");
    EXPECT_STREQ(CStaticField::DisplayTextOf("a \r\n b").GetAnsi(), "a b");
}

// A field on a parent window whose font is set from outside.
class StaticFieldTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RECT rect = {40, 40, 440, 140};
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "field test", WS_POPUP | WS_VISIBLE, rect, nullptr, 0));
        RECT fieldRect = {10, 10, 160, 32};
        ASSERT_TRUE(m_field.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, fieldRect, &m_parent, 100));
        m_font.CreatePointFont(80, "Tahoma");
        m_field.SetFieldFont(&m_font);
        m_field.GetTooltip().EnableFade(false);
        PumpMessages();
    }
    void TearDown() override
    {
        m_field.DestroyWindow();
        m_parent.DestroyWindow();
    }
    std::string Shown()
    {
        char text[512] = {};
        ::GetWindowTextA(m_field.m_hWnd, text, sizeof text);
        return text;
    }
    void Paint()
    {
        m_field.Invalidate();
        m_field.UpdateWindow();
        PumpMessages();
    }
    CWnd m_parent;
    CStaticField m_field;
    CFont m_font;
};

TEST_F(StaticFieldTest, AFittingTextIsShownWholeAndGetsNoTooltip)
{
    m_field.SetText("short");
    Paint();
    EXPECT_EQ(Shown(), "short");
    EXPECT_FALSE(m_field.IsShortened());
    m_field.SetFocus();
    POINT inside = {20, 20};
    m_field.ClientToScreen(&inside);
    m_field.SendMessage(WM_QVX_FIELD_SHOW_TOOLTIP, 0, MAKELPARAM(inside.x, inside.y));
    EXPECT_FALSE(m_field.GetTooltip().IsShown());
}

TEST_F(StaticFieldTest, ALongTextIsShortenedScrolledByKeysAndShowsItsTooltipOnlyWithFocus)
{
    const std::string text = "a text far too long for this narrow field, ending in the word omega";
    m_field.SetText(text.c_str());
    Paint();
    std::string shown = Shown();
    ASSERT_GT(shown.size(), 3u);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_EQ(shown.substr(0, 6), "a text");
    EXPECT_TRUE(m_field.IsShortened());

    POINT inside = {20, 20};
    m_field.ClientToScreen(&inside);
    m_parent.SetFocus();
    m_field.SendMessage(WM_QVX_FIELD_SHOW_TOOLTIP, 0, MAKELPARAM(inside.x, inside.y));
    EXPECT_FALSE(m_field.GetTooltip().IsShown()) << "not on an unfocused field";
    m_field.SetFocus();
    m_field.SendMessage(WM_QVX_FIELD_SHOW_TOOLTIP, 0, MAKELPARAM(inside.x, inside.y));
    EXPECT_TRUE(m_field.GetTooltip().IsShown());
    RECT tip, field;
    m_field.GetTooltip().GetWindowRect(&tip);
    m_field.GetWindowRect(&field);
    EXPECT_EQ(tip.left, inside.x) << "at the mouse's x";
    EXPECT_GE(tip.top, field.top + 20) << "below the field";

    m_field.SendMessage(WM_KEYDOWN, VK_END, 0);
    Paint();
    shown = Shown();
    EXPECT_EQ(shown.substr(shown.size() - 5), "omega") << shown;
    EXPECT_GT(m_field.GetFirstVisible(), 0);
    m_field.SendMessage(WM_KEYDOWN, VK_HOME, 0);
    Paint();
    EXPECT_EQ(m_field.GetFirstVisible(), 0);
    EXPECT_EQ(Shown().substr(0, 6), "a text");
}

TEST_F(StaticFieldTest, ADoubleClickCopiesTheDisplayText)
{
    m_field.SetText("two\r\nlines  here");
    m_field.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE data = ::GetClipboardData(CF_TEXT);
    std::string copied = data ? static_cast<const char*>(::GlobalLock(data)) : "";
    if (data)
        ::GlobalUnlock(data);
    ::CloseClipboard();
    EXPECT_EQ(copied, "two lines here");
}

TEST(StaticFieldFont, WaitsForTheDialogFontOnlyABoundedNumberOfPaints)
{
    // A parent outside the framework reflects no WM_CTLCOLOR: the field never learns a font.
    HWND raw = ::CreateWindowExA(0, "STATIC", "field font", WS_POPUP | WS_VISIBLE, 40, 40, 300, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(raw, nullptr);
    {
        CStaticField field;
        RECT fieldRect = {10, 10, 160, 32};
        ASSERT_TRUE(field.Create(WS_CHILD | WS_VISIBLE, fieldRect, CWnd::FromHandle(raw), 100));
        field.SetText("text");
        // Each paint without the font asks for one more, up to the bound.
        for (int i = 0; i < 3 * CStaticField::kMaxFontRepaints; ++i)
            field.SendMessage(WM_PAINT);
        PumpMessages(100);
        EXPECT_FALSE(field.IsFontKnown());
        EXPECT_EQ(field.GetFontRepaints(), CStaticField::kMaxFontRepaints);
        field.DestroyWindow();
    }
    ::DestroyWindow(raw);
}

// The mouse timer with a clock and cursor of the test's own.
class CTestMouseTimer : public CStaticFieldMouseTimer
{
public:
    using CStaticFieldMouseTimer::CStaticFieldMouseTimer;
    ~CTestMouseTimer() override { Shutdown(); }
    long long Now() override { return now; }
    POINT CursorPosition() override { return cursor; }
    void Request(POINT) override { ++requests; }
    long long now = 0;
    POINT cursor = {5, 5};
    int requests = 0;
};

TEST(StaticFieldMouseTimer, AsksForTheTooltipAfterTheMouseRestedTwoSeconds)
{
    CStaticField field;
    CTestMouseTimer timer(&field);
    const long long ms = 10000; // FILETIME units per millisecond
    timer.OnTimer();
    EXPECT_TRUE(timer.IsTracking());
    timer.now += 1000 * ms;
    timer.OnTimer();
    EXPECT_EQ(timer.requests, 0) << "one second is not enough";
    timer.now += 1000 * ms;
    timer.OnTimer();
    EXPECT_EQ(timer.requests, 1);
    EXPECT_FALSE(timer.IsTracking()) << "a new measurement starts";
    timer.OnTimer();
    timer.cursor = {6, 5};
    timer.now += 3000 * ms;
    timer.OnTimer();
    EXPECT_EQ(timer.requests, 1) << "the mouse moved";
    field.EnableTooltip(false);
    timer.OnTimer();
    timer.now += 3000 * ms;
    timer.OnTimer();
    EXPECT_EQ(timer.requests, 1) << "no tooltip wanted";
}
} // namespace
