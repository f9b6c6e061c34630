// The progress indicator's colours, filled width and rows (pixel probes on a memory DC), and the elapsed-time
// timer's ticks.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "tests/ui/DialogTestSupport.h"
#include "ui/controls/QuorvexgressIndicator.h"
#include "ui/UnitTestElapsedTimeTimer.h"
#include "framework/Wnd.h"

using dialog_test::CMemorySurface;
using dialog_test::PumpMessages;
using dialog_test::PumpUntil;

namespace
{
TEST(ProgressIndicatorTest, LightColourAdds175PerChannelUpTo255)
{
    struct Case
    {
        COLORREF base, light;
    };
    const Case cases[] = {
        {RGB(20, 220, 20), RGB(195, 255, 195)}, {RGB(255, 0, 0), RGB(255, 175, 175)},
        {RGB(250, 250, 0), RGB(255, 255, 175)}, {RGB(0, 255, 0), RGB(175, 255, 175)},
        {RGB(80, 81, 79), RGB(255, 255, 254)},  {RGB(0, 0, 0), RGB(175, 175, 175)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CQuorvexgressIndicator::LightColour(c.base), c.light) << std::hex << c.base;

    CQuorvexgressIndicator indicator;
    EXPECT_EQ(indicator.GetColor(), RGB(0, 255, 0));
    EXPECT_EQ(indicator.GetLightColor(), RGB(175, 255, 175));
    indicator.SetColor(RGB(255, 0, 0));
    EXPECT_EQ(indicator.GetLightColor(), RGB(255, 175, 175));
    indicator.m_maximum = 9;
    indicator.SetPos(4);
    indicator.Reset();
    EXPECT_EQ(indicator.GetColor(), RGB(0, 255, 0));
    EXPECT_EQ(indicator.m_maximum, 0);
    EXPECT_EQ(indicator.GetPos(), 0);
}

TEST(ProgressIndicatorTest, FilledWidthFollowsThePositionWithinTheRange)
{
    struct Case
    {
        int minimum, maximum, position, width, filled;
    };
    const Case cases[] = {
        {0, 0, 0, 200, 0}, // no run yet
        {0, 10, 0, 200, 0},    {0, 10, 5, 200, 100}, {0, 10, 10, 200, 200},
        {0, 3, 1, 200, 66},    {0, 10, 11, 200, 0}, // beyond the maximum
        {0, 10, -1, 200, 0},                        // below the minimum
        {5, 4, 4, 200, 0},                          // maximum below minimum
        {0, -5, -5, 200, 0},                        // maximum not above 0
        {5, 15, 15, 200, 200},                      // a range that does not start at 0 is full at its maximum
        {5, 15, 10, 200, 100}, {5, 5, 5, 200, 200}, // an empty range with the position on it is full
    };
    for (const Case& c : cases)
    {
        CQuorvexgressIndicator indicator;
        indicator.m_minimum = c.minimum;
        indicator.m_maximum = c.maximum;
        indicator.SetPos(c.position);
        EXPECT_EQ(indicator.GetFilledWidth(c.width), c.filled)
            << c.minimum << ".." << c.maximum << " at " << c.position;
    }
}

COLORREF Face()
{
    return ::GetSysColor(COLOR_BTNFACE);
}

// Every pixel of the frame is the frame colour.
void ExpectFrame(const CMemorySurface& surface, int width, int height)
{
    for (int x = 0; x < width; ++x)
    {
        EXPECT_EQ(surface.Pixel(x, 0), CQuorvexgressIndicator::kFrameColour) << x;
        EXPECT_EQ(surface.Pixel(x, height - 1), CQuorvexgressIndicator::kFrameColour) << x;
    }
    for (int y = 0; y < height; ++y)
    {
        EXPECT_EQ(surface.Pixel(0, y), CQuorvexgressIndicator::kFrameColour) << y;
        EXPECT_EQ(surface.Pixel(width - 1, y), CQuorvexgressIndicator::kFrameColour) << y;
    }
}

TEST(ProgressIndicatorTest, EmptyRangeDrawsOnlyBackgroundAndFrame)
{
    const int width = 120, height = 18;
    CMemorySurface surface(width, height);
    CQuorvexgressIndicator indicator;
    RECT client = {0, 0, width, height};
    indicator.DrawBar(surface.DC(), client);
    ExpectFrame(surface, width, height);
    for (int y = 1; y < height - 1; ++y)
        for (int x = 1; x < width - 1; ++x)
            ASSERT_EQ(surface.Pixel(x, y), Face()) << x << "," << y;
}

TEST(ProgressIndicatorTest, FullBarRowsRunFromTheLightColourDownToTheBaseColour)
{
    const int width = 120, height = 18;
    for (COLORREF base : {RGB(20, 220, 20), RGB(255, 0, 0), RGB(250, 250, 0)})
    {
        CMemorySurface surface(width, height);
        CQuorvexgressIndicator indicator;
        indicator.SetColor(base);
        indicator.m_maximum = 4;
        indicator.SetPos(4);
        RECT client = {0, 0, width, height};
        indicator.DrawBar(surface.DC(), client);
        const COLORREF light = CQuorvexgressIndicator::LightColour(base);
        // Row y has, per channel, min(light, base + (int)((height - y) * (light - base) / height)).
        for (int y = 1; y < height - 1; ++y)
        {
            int channel[3];
            const int b[3] = {GetRValue(base), GetGValue(base), GetBValue(base)};
            const int l[3] = {GetRValue(light), GetGValue(light), GetBValue(light)};
            for (int c = 0; c < 3; ++c)
                channel[c] =
                    std::min(l[c], b[c] + static_cast<int>((height - y) * ((l[c] - b[c]) / double(height))));
            const COLORREF row = RGB(channel[0], channel[1], channel[2]);
            // The line runs from x = 1 to the filled width (the end pixel excluded): the full inner width.
            EXPECT_EQ(surface.Pixel(1, y), row) << "row " << y;
            EXPECT_EQ(surface.Pixel(width / 2, y), row) << "row " << y;
            EXPECT_EQ(surface.Pixel(width - 2, y), row) << "row " << y;
        }
        // Nearly light at the top, nearly the base colour at the bottom.
        auto distance = [](COLORREF p, COLORREF q) {
            return abs(GetRValue(p) - GetRValue(q)) + abs(GetGValue(p) - GetGValue(q)) +
                   abs(GetBValue(p) - GetBValue(q));
        };
        EXPECT_LT(distance(surface.Pixel(5, 1), light), distance(surface.Pixel(5, 1), base));
        EXPECT_LT(distance(surface.Pixel(5, height - 2), base),
                  distance(surface.Pixel(5, height - 2), light));
        EXPECT_EQ(surface.Pixel(width - 1, 5), CQuorvexgressIndicator::kFrameColour);
        EXPECT_EQ(surface.Pixel(5, height - 1), CQuorvexgressIndicator::kFrameColour);
    }
}

TEST(ProgressIndicatorTest, PartialBarStopsAtTheFilledWidth)
{
    const int width = 101, height = 10;
    CMemorySurface surface(width, height);
    CQuorvexgressIndicator indicator;
    indicator.m_maximum = 4;
    indicator.SetPos(1); // 1/4 of 101 = 25: the line covers x = 1 .. 24
    RECT client = {0, 0, width, height};
    indicator.DrawBar(surface.DC(), client);
    for (int y = 1; y < height - 1; ++y)
    {
        EXPECT_NE(surface.Pixel(24, y), Face()) << y;
        EXPECT_EQ(surface.Pixel(25, y), Face()) << y;
        EXPECT_EQ(surface.Pixel(60, y), Face()) << y;
    }
}

TEST(ProgressIndicatorTest, TwoPixelHighControlDrawsNoRows)
{
    const int width = 50, height = 2;
    CMemorySurface surface(width, height);
    CQuorvexgressIndicator indicator;
    indicator.m_maximum = 1;
    indicator.SetPos(1);
    RECT client = {0, 0, width, height};
    indicator.DrawBar(surface.DC(), client);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            EXPECT_EQ(surface.Pixel(x, y), CQuorvexgressIndicator::kFrameColour) << x << "," << y;
}

// ---------------------------------------------------------------- elapsed-time timer

// A message-only window that counts the timer's ticks.
class CTickCounter : public CWnd
{
public:
    CTickCounter() { CreateEx(0, AfxRegisterWndClass(0), "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr); }
    ~CTickCounter() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_QVX_ELAPSED_TIME_TICK)
        {
            ++ticks;
            paramsZero = paramsZero && wParam == 0 && lParam == 0;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::atomic<int> ticks{0};
    bool paramsZero = true;
};

TEST(ElapsedTimeTimerTest, PostsTicksEvery500MsWhileArmedAndTheFirstAtOnce)
{
    CTickCounter counter;
    ASSERT_NE(counter.m_hWnd, nullptr);
    CUnitTestElapsedTimeTimer timer;
    EXPECT_EQ(timer.GetInterval(), 500u);
    timer.SetTarget(&counter);

    // Idle until armed.
    dialog_test::PumpFor(700);
    EXPECT_EQ(counter.ticks.load(), 0);

    const DWORD armed = ::GetTickCount();
    ASSERT_TRUE(timer.Arm());
    ASSERT_TRUE(PumpUntil([&] { return counter.ticks.load() >= 1; }));
    EXPECT_LT(::GetTickCount() - armed, 450u) << "the first tick comes at once";
    ASSERT_TRUE(PumpUntil([&] { return counter.ticks.load() >= 4; }));
    const DWORD took = ::GetTickCount() - armed;
    EXPECT_GE(took, 1400u) << "three intervals of 500 ms after the first tick";
    EXPECT_TRUE(counter.paramsZero);

    ASSERT_TRUE(timer.Disarm());
    ASSERT_TRUE(timer.WaitForCallback());
    PumpMessages();
    const int atDisarm = counter.ticks.load();
    dialog_test::PumpFor(1200);
    EXPECT_EQ(counter.ticks.load(), atDisarm) << "no tick after the disarm has returned";
}

TEST(ElapsedTimeTimerTest, WithoutTargetTicksPostNothing)
{
    CTickCounter counter;
    CUnitTestElapsedTimeTimer timer;
    ASSERT_TRUE(timer.Arm());
    dialog_test::PumpFor(700);
    timer.SetTarget(&counter);
    ASSERT_TRUE(PumpUntil([&] { return counter.ticks.load() >= 1; }));
    timer.SetTarget(nullptr);
    ASSERT_TRUE(timer.Disarm());
    timer.WaitForCallback();
    PumpMessages();
    const int seen = counter.ticks.load();
    ASSERT_TRUE(timer.Arm());
    dialog_test::PumpFor(800);
    EXPECT_EQ(counter.ticks.load(), seen);
}
} // namespace
