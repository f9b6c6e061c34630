// Colour tables of the selection bars, their expansion to a row height and the bar drawing, checked pixel
// by pixel on a 32-bit DIB section.
#include <gtest/gtest.h>

#include <vector>

#include "framework/GdiObject.h"
#include "ui/controls/DrawingUtilities.h"
#include "ui/controls/NativeDisplayControl.h"
#include "tests/common/GuardedBuffer.h"
#include "tests/common/MemorySurface.h"

namespace
{
// The three tables, filled once per test and freed afterwards.
class ColourTables : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(FillColourTables(&focused, &caret, &unfocused)); }
    void TearDown() override
    {
        FreeColourTable(&focused);
        FreeColourTable(&caret);
        FreeColourTable(&unfocused);
    }

    static const CColourRecord& Row(CDravikList& table, int index)
    {
        return *static_cast<CColourRecord*>(table.GetAt(index)->GetData());
    }

    static std::vector<COLORREF> Expanded(CDravikList& table, int height)
    {
        std::vector<COLORREF> colours(static_cast<size_t>(height), 0xFFFFFFFF);
        EXPECT_TRUE(ExpandColourTable(colours.data(), &table, height));
        return colours;
    }

    CDravikList focused;
    CDravikList caret;
    CDravikList unfocused;
};

TEST_F(ColourTables, HoldTwentyOneRowsWithBorderColoursAndSixDroppableRows)
{
    struct Expectation
    {
        CDravikList* table;
        COLORREF border;
        COLORREF lastInner;
        std::vector<int> droppable;
    };
    const Expectation expectations[] = {
        {&focused, RGB(132, 172, 221), RGB(222, 237, 254), {4, 6, 9, 12, 14, 17}},
        {&caret, RGB(184, 214, 251), RGB(242, 247, 253), {4, 7, 10, 12, 15, 18}},
        {&unfocused, RGB(165, 165, 165), RGB(234, 234, 234), {5, 7, 10, 14, 17, 18}},
    };
    for (const Expectation& e : expectations)
    {
        ASSERT_EQ(kColourTableRows, e.table->GetCount());
        EXPECT_EQ(e.border, Row(*e.table, 0).colour);
        EXPECT_EQ(e.border, Row(*e.table, 20).colour);
        EXPECT_EQ(e.lastInner, Row(*e.table, 19).colour);
        std::vector<int> droppable;
        for (int i = 0; i < kColourTableRows; ++i)
            if (Row(*e.table, i).droppable)
                droppable.push_back(i);
        EXPECT_EQ(e.droppable, droppable);
    }
    EXPECT_EQ(RGB(229, 241, 254), Row(focused, 6).colour);
    EXPECT_EQ(RGB(243, 247, 253), Row(caret, 10).colour);
    EXPECT_EQ(RGB(227, 227, 227), Row(unfocused, 15).colour);
}

TEST_F(ColourTables, FreeEmptiesAndReportsAnEmptyTable)
{
    EXPECT_TRUE(FreeColourTable(&caret));
    EXPECT_EQ(0, caret.GetCount());
    EXPECT_FALSE(FreeColourTable(&caret));
    EXPECT_FALSE(FreeColourTable(nullptr));
    EXPECT_FALSE(FillColourTables(&caret, nullptr, &caret));
}

TEST_F(ColourTables, ExpandKeepsStretchesOrDropsRows)
{
    // Height 21: the table as it is.
    const std::vector<COLORREF> same = Expanded(focused, 21);
    for (int i = 0; i < 21; ++i)
        EXPECT_EQ(Row(focused, i).colour, same[i]) << i;

    // Height 16: the first five droppable rows (4, 6, 9, 12, 14) are left out.
    const std::vector<int> kept16 = {0, 1, 2, 3, 5, 7, 8, 10, 11, 13, 15, 16, 17, 18, 19, 20};
    const std::vector<COLORREF> lower = Expanded(focused, 16);
    for (size_t i = 0; i < kept16.size(); ++i)
        EXPECT_EQ(Row(focused, kept16[i]).colour, lower[i]) << i;

    // Height 30: the middle row (10) is written nine extra times before itself: ten rows of it.
    const std::vector<COLORREF> taller = Expanded(caret, 30);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(Row(caret, i).colour, taller[i]) << i;
    for (int i = 10; i < 20; ++i)
        EXPECT_EQ(Row(caret, 10).colour, taller[i]) << i;
    for (int i = 20; i < 30; ++i)
        EXPECT_EQ(Row(caret, i - 9).colour, taller[i]) << i;
}

TEST_F(ColourTables, ExpandNeverWritesMoreThanTheHeight)
{
    // Six droppable rows bring 21 down to 15; a lower bar gets the first rows of those 15 and nothing more.
    for (int height = 1; height <= 15; ++height)
    {
        const std::vector<BYTE> zeros(sizeof(COLORREF) * static_cast<size_t>(height), 0);
        qvx_test::CGuardedBuffer guarded(zeros);
        ASSERT_TRUE(ExpandColourTable(reinterpret_cast<COLORREF*>(guarded.Data()), &unfocused, height));
        const COLORREF* out = reinterpret_cast<const COLORREF*>(guarded.Data());
        const int kept[] = {0, 1, 2, 3, 4, 6, 8, 9, 11, 12, 13, 15, 16, 19, 20};
        for (int i = 0; i < height; ++i)
            EXPECT_EQ(Row(unfocused, kept[i]).colour, out[i]) << "height " << height << " row " << i;
    }
    COLORREF one = 0;
    EXPECT_FALSE(ExpandColourTable(nullptr, &focused, 1));
    EXPECT_FALSE(ExpandColourTable(&one, &focused, 0));
    CDravikList empty;
    EXPECT_FALSE(ExpandColourTable(&one, &empty, 1));
}

// The shared memory surface, every pixel in its initial colour to begin with.
class CDibSurface : public qvx_test::CMemorySurface
{
public:
    static constexpr COLORREF kBackground = qvx_test::CMemorySurface::kInitialColour;
    using CMemorySurface::CMemorySurface;
    HDC Dc() const { return DC(); }
    int CountNotBackground() const { return CountOtherThan(kBackground); }
};

struct BarCase
{
    int width;
    int height;
};

class GradientBarTest : public ColourTables, public ::testing::WithParamInterface<BarCase>
{
};

TEST_P(GradientBarTest, RowsBordersAndCornersLandOnTheirPixels)
{
    const int w = GetParam().width;
    const int h = GetParam().height;
    const int left = 5;
    const int top = 7;
    CDibSurface surface(w + 10, h + 14);
    ASSERT_TRUE(surface.IsValid());
    ASSERT_TRUE(DrawGradientBar(surface.Dc(), left, top, left + w, top + h, &focused));

    const std::vector<COLORREF> rows = Expanded(focused, h);
    const COLORREF edge = Row(focused, 0).colour;
    const COLORREF white = RGB(255, 255, 255);
    for (int y = 0; y < h; ++y)
    {
        const bool topOrBottom = y == 0 || y == h - 1;
        // Side columns in the edge colour, white at the outer corners.
        EXPECT_EQ(topOrBottom ? white : edge, surface.Pixel(left, top + y)) << "row " << y;
        EXPECT_EQ(topOrBottom ? white : edge, surface.Pixel(left + w - 1, top + y)) << "row " << y;
        // Inner pixels carry the row colour, except the four pixels one in from the corners.
        for (int x = 1; x < w - 1; ++x)
        {
            const bool nearCorner = (x == 1 || x == w - 2) && (y == 1 || y == h - 2);
            EXPECT_EQ(nearCorner ? edge : rows[static_cast<size_t>(y)], surface.Pixel(left + x, top + y))
                << "x " << x << " row " << y;
        }
    }
    // Nothing outside the bar.
    for (int y = 0; y < h + 14; ++y)
    {
        EXPECT_EQ(CDibSurface::kBackground, surface.Pixel(left - 1, y));
        EXPECT_EQ(CDibSurface::kBackground, surface.Pixel(left + w, y));
    }
    for (int x = 0; x < w + 10; ++x)
    {
        EXPECT_EQ(CDibSurface::kBackground, surface.Pixel(x, top - 1));
        EXPECT_EQ(CDibSurface::kBackground, surface.Pixel(x, top + h));
    }
}

INSTANTIATE_TEST_SUITE_P(Heights, GradientBarTest,
                         ::testing::Values(BarCase{20, 21}, BarCase{12, 16}, BarCase{30, 30}, BarCase{8, 4}));

TEST_F(ColourTables, GradientBarRefusesWhatItCannotDrawAndDrawsNothing)
{
    CDibSurface surface(40, 1010);
    ASSERT_TRUE(surface.IsValid());
    CDravikList empty;
    EXPECT_FALSE(DrawGradientBar(surface.Dc(), 0, 0, 20, 1001, &focused)); // above 1000 rows
    EXPECT_FALSE(DrawGradientBar(surface.Dc(), 0, 5, 20, 5, &focused));    // no height
    EXPECT_FALSE(DrawGradientBar(surface.Dc(), 5, 0, 5, 20, &focused));    // no width
    EXPECT_FALSE(DrawGradientBar(surface.Dc(), 0, 0, 20, 20, &empty));
    EXPECT_FALSE(DrawGradientBar(surface.Dc(), 0, 0, 20, 20, nullptr));
    EXPECT_FALSE(DrawGradientBar(nullptr, 0, 0, 20, 20, &focused));
    EXPECT_EQ(0, surface.CountNotBackground());
    EXPECT_TRUE(DrawGradientBar(surface.Dc(), 0, 0, 20, 1000, &unfocused));
    EXPECT_EQ(Row(unfocused, 10).colour, surface.Pixel(10, 500));
}

struct GradientCase
{
    int steps;
    COLORREF limit;
    COLORREF base;
    int i;
    COLORREF from;
    COLORREF to;
    COLORREF expected;
};

class GradientColourTest : public ::testing::TestWithParam<GradientCase>
{
};

TEST_P(GradientColourTest, StepsFromTheBaseAndStopsAtTheLimit)
{
    const GradientCase& c = GetParam();
    double dr = 0, dg = 0, db = 0;
    ASSERT_TRUE(ColourStep(c.steps, c.from, c.to, &dr, &dg, &db));
    EXPECT_EQ(c.expected, GradientColourAt(c.steps, c.limit, c.base, c.i, dr, dg, db));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GradientColourTest,
    ::testing::Values(
        // Steps (10, 0, -5): at i = 4 the base moves by (60, 0, -30).
        GradientCase{10, RGB(255, 255, 0), RGB(100, 100, 50), 4, RGB(200, 100, 0), RGB(100, 100, 50),
                     RGB(160, 100, 20)},
        // The same with limits that stop red at 150 and blue at 30.
        GradientCase{10, RGB(150, 0, 30), RGB(100, 100, 50), 4, RGB(200, 100, 0), RGB(100, 100, 50),
                     RGB(150, 100, 30)},
        // At i = steps nothing moves.
        GradientCase{8, RGB(0, 0, 0), RGB(10, 20, 30), 8, RGB(255, 255, 255), RGB(0, 0, 0), RGB(10, 20, 30)},
        // Fractions are cut toward zero: 3 * (10 / 4) = 7.5 -> 7.
        GradientCase{4, RGB(255, 255, 255), RGB(0, 0, 0), 1, RGB(10, 10, 10), RGB(0, 0, 0), RGB(7, 7, 7)}));

TEST(GradientColour, StepNeedsAtLeastOneStep)
{
    double dr = 1, dg = 2, db = 3;
    EXPECT_FALSE(ColourStep(0, RGB(1, 1, 1), RGB(0, 0, 0), &dr, &dg, &db));
    EXPECT_FALSE(ColourStep(-3, RGB(1, 1, 1), RGB(0, 0, 0), &dr, &dg, &db));
    EXPECT_EQ(1, dr);
    EXPECT_FALSE(ColourStep(2, RGB(1, 1, 1), RGB(0, 0, 0), nullptr, &dg, &db));
}

// The harness's dialog font as its maker gives it and as a native display control takes it for its default
// font (made again on a second call).
TEST(HarnessDialogFont, MakerAndNativeDisplayDefaultGiveTheSameFont)
{
    CFont made;
    ASSERT_TRUE(CreateHarnessDialogFont(made));
    CNativeDisplayControl display;
    ASSERT_TRUE(display.CreateDefaultFont());
    ASSERT_TRUE(display.CreateDefaultFont());
    for (CFont* font : {&made, &display.GetControlFont()})
    {
        LOGFONTA info = {};
        ASSERT_NE(font->GetLogFont(&info), 0);
        EXPECT_STREQ(info.lfFaceName, "MS Shell Dlg");
        EXPECT_EQ(info.lfHeight, 14);
        EXPECT_EQ(info.lfWeight, FW_NORMAL);
        EXPECT_EQ(info.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(info.lfQuality, CLEARTYPE_QUALITY);
    }
}
} // namespace
