// The row layout of a bar's controls, measured with a paint manager that gives every control the
// size it is told (width and height set on the control), separators 6 by 6.
#include "TestBar.h"

#include "toolkit/commandbars/XTPControlButton.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPPaintManager.h"
#include "toolkit/commandbars/XTPSystemQuery.h"

#include <gtest/gtest.h>

#include <vector>

using cb_test::TestBar;

namespace
{
class FixedSizePaintManager : public CXTPDefaultTheme
{
public:
    CSize DrawToolBarControl(CDC*, CXTPControl* pControl, BOOL) override
    {
        return CSize(pControl->GetWidth(), pControl->GetHeight() ? pControl->GetHeight() : 22);
    }
    CSize DrawPopupBarControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw) override
    {
        return DrawToolBarControl(pDC, pControl, bDraw);
    }
};

struct Item
{
    int cx;
    BOOL bBeginGroup;
    int nFlags;
};

struct LayoutFixture
{
    explicit LayoutFixture(const std::vector<Item>& items)
    {
        bar.SetPaintManager(new FixedSizePaintManager());
        for (const Item& item : items)
        {
            CXTPControl* p = bar.GetControls()->Add(new CXTPControlButton(), 0);
            p->SetWidth(item.cx);
            p->SetBeginGroup(item.bBeginGroup);
            p->SetFlags(item.nFlags);
        }
        hDC = GetDC(nullptr);
        dc.Attach(hDC);
    }
    ~LayoutFixture()
    {
        dc.Detach();
        ReleaseDC(nullptr, hDC);
    }
    CSize Layout(int nLength, DWORD dwMode, int nMin = 0)
    {
        return bar.GetControls()->CalcDynamicSize(&dc, nLength, dwMode, CRect(2, 2, 2, 2), nMin);
    }
    CXTPControl* At(int i) { return bar.GetControls()->GetAt(i); }

    TestBar bar;
    HDC hDC;
    CDC dc;
};
} // namespace

TEST(ControlsLayout, EmptyBarAndMinimum)
{
    LayoutFixture f({});
    CSize sz = f.Layout(300, 8);
    EXPECT_EQ(sz.cx, 27);
    EXPECT_EQ(sz.cy, 26);
    sz = f.Layout(300, 2, 40);
    EXPECT_EQ(sz.cx, 40);
    sz = f.Layout(300, 8, 40);
    EXPECT_EQ(sz.cy, 40);
    EXPECT_EQ(sz.cx, 27);
}

TEST(ControlsLayout, SizesTable)
{
    const Item a{30, FALSE, 0}, g{30, TRUE, 0}, brk{30, FALSE, xtpFlagWrapRow};
    struct Case
    {
        const char* name;
        std::vector<Item> items;
        int nLength;
        DWORD dwMode;
        CSize expected;
    } cases[] = {
        {"one row", {a, a, a}, 100, 8 | 0x40, CSize(94, 26)},
        {"group gap fits exactly", {a, g, a}, 100, 8 | 0x40, CSize(100, 26)},
        {"break backs off to the group", {a, g, a, a}, 99, 8 | 0x40, CSize(99, 54)},
        {"forced row", {a, brk, a}, 300, 8 | 0x40, CSize(64, 48)},
        {"hide what does not fit", {a, a, a}, 70, 8 | 0x80 | 0x40, CSize(70, 26)},
        {"fitting wrap", {a, a, a}, 70, 0x40, CSize(70, 48)},
        {"vertical: stacked along the height", {a, a}, 300, 0x10 | 0x40, CSize(34, 48)},
    };
    for (const Case& c : cases)
    {
        LayoutFixture f(c.items);
        CSize sz = f.Layout(c.nLength, c.dwMode);
        EXPECT_EQ(sz.cx, c.expected.cx) << c.name;
        EXPECT_EQ(sz.cy, c.expected.cy) << c.name;
    }
}

TEST(ControlsLayout, PlacementOfRowsGroupsAndHidden)
{
    {
        LayoutFixture f({{30, FALSE, 0}, {30, TRUE, 0}, {30, FALSE, 0}, {30, FALSE, 0}});
        f.Layout(99, 8 | 0x40);
        EXPECT_EQ(f.At(0)->GetRect(), CRect(2, 2, 32, 24));
        EXPECT_TRUE(f.At(1)->GetWrap());
        EXPECT_EQ(f.At(1)->GetRect(), CRect(2, 30, 32, 52)); // after the row gap of a group
        EXPECT_EQ(f.At(3)->GetRect(), CRect(62, 30, 92, 52));
        EXPECT_EQ(f.At(1)->GetRowRect().top, 30);
    }
    {
        LayoutFixture f({{30, FALSE, 0}, {30, FALSE, 0}, {30, FALSE, 0}});
        f.Layout(70, 8 | 0x80 | 0x40);
        EXPECT_EQ(f.At(2)->GetHideFlags() & xtpHideWrap, xtpHideWrap);
        EXPECT_FALSE(f.At(2)->IsVisible());
        EXPECT_TRUE(f.At(2)->IsVisible(xtpHideWrap));
        f.Layout(300, 8 | 0x80 | 0x40); // room again: the mark is cleared
        EXPECT_EQ(f.At(2)->GetHideFlags() & xtpHideWrap, 0);
    }
}

TEST(ControlsLayout, FarEndAndStretchedControls)
{
    {
        LayoutFixture f({{30, FALSE, 0}, {30, FALSE, xtpFlagRightAlign}});
        f.Layout(200, 8 | 1 | 0x40);
        EXPECT_EQ(f.At(0)->GetRect().left, 2);
        EXPECT_EQ(f.At(1)->GetRect().right, 198);
        EXPECT_EQ(f.At(1)->GetRect().Width(), 30);
    }
    {
        LayoutFixture f({{30, FALSE, 0}, {30, FALSE, xtpFlagControlStretched}, {20, FALSE, 0}});
        f.Layout(200, 8 | 1 | 0x40);
        EXPECT_EQ(f.At(1)->GetRect().left, 32);
        EXPECT_EQ(f.At(2)->GetRect().right, 198); // the later control moved along
        EXPECT_EQ(f.At(1)->GetRect().Width(), 30 + 196 - 80);
    }
    {
        // Controls of different heights are centred across their row.
        LayoutFixture f({{30, FALSE, 0}, {30, FALSE, 0}});
        f.At(1)->SetHeight(30);
        f.Layout(200, 8 | 0x40);
        EXPECT_EQ(f.At(0)->GetRect().top, 2 + 4);
        EXPECT_EQ(f.At(1)->GetRect().top, 2);
    }
}

namespace
{
struct WorkArea300 : CXTPCommandBarsSystemQuery
{
    RECT GetWorkArea(HWND) override { return RECT{0, 0, 300, 200}; }
};
} // namespace

TEST(ControlsLayout, PopupColumnsTable)
{
    WorkArea300 query;
    SetCommandBarsSystemQuery(&query);
    const Item a{50, FALSE, 0}, g{50, TRUE, 0}, wide{150, FALSE, 0}, brk{50, FALSE, xtpFlagWrapRow};
    struct Case
    {
        const char* name;
        std::vector<Item> items;
        int nLimit;
        int nFixed;
        BOOL bNoCap;
        CSize expected;
    } cases[] = {
        {"empty", {}, 200, 0, FALSE, CSize(28, 26)},
        {"one column", {a, a, a}, 200, 0, FALSE, CSize(54, 70)},
        {"group adds the separator height", {a, g}, 200, 0, FALSE, CSize(54, 54)},
        {"new column past the limit", {a, a, a, a, a}, 100, 0, FALSE, CSize(104, 92)},
        {"forced column after a gap", {a, Item{50, TRUE, xtpFlagWrapRow}}, 200, 0, FALSE, CSize(110, 26)},
        {"forced column", {a, brk}, 200, 0, FALSE, CSize(104, 26)},
        {"width capped at a third of the work area", {wide}, 200, 0, FALSE, CSize(104, 26)},
        {"no cap", {wide}, 200, 0, TRUE, CSize(154, 26)},
        {"fixed width of the last column", {a}, 200, 80, FALSE, CSize(84, 26)},
    };
    for (const Case& c : cases)
    {
        LayoutFixture f(c.items);
        f.bar.SetType(xtpBarTypePopup);
        CSize sz = f.bar.GetControls()->WrapRows(&f.dc, c.nLimit, CRect(2, 2, 2, 2), c.nFixed, c.bNoCap);
        EXPECT_EQ(sz.cx, c.expected.cx) << c.name;
        EXPECT_EQ(sz.cy, c.expected.cy) << c.name;
    }
    {
        // Columns: the controls of a column share its width, rows span the tallest column.
        LayoutFixture f({{50, FALSE, 0}, {30, FALSE, 0}, {40, FALSE, xtpFlagWrapRow}});
        f.bar.SetType(xtpBarTypePopup);
        f.bar.GetControls()->WrapRows(&f.dc, 200, CRect(2, 2, 2, 2));
        EXPECT_EQ(f.At(1)->GetRect(), CRect(2, 24, 52, 46));
        EXPECT_EQ(f.At(2)->GetRect(), CRect(52, 2, 92, 24));
        EXPECT_TRUE(f.At(2)->GetWrap());
        EXPECT_EQ(f.At(2)->GetRowRect(), CRect(52, 2, 92, 46));
    }
    SetCommandBarsSystemQuery(nullptr);
}
