// The row layout of a bar's controls, measured with a paint manager that gives every control the
// size it is told (width and height set on the control), separators 6 by 6.
#include "TestBar.h"

#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/common/images/XTPImageManager.h"

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
    CSize DrawCommandBarSeparator(CDC*, CXTPCommandBar*, CXTPControl*, BOOL) override { return CSize(6, 6); }
};

struct Item
{
    int cx;
    BOOL bBeginGroup;
    int nFlags;
};

// A test bar whose remembered width a test can set.
struct LayoutBar : TestBar
{
    void SetRememberedWidth(int nWidth) { m_nMRUWidth = nWidth; }
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

    LayoutBar bar;
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

TEST(ControlsLayout, BalancedWrapOfATallFloatingBar)
{
    // Ten 23-pixel buttons, each beginning a group: a floating layout puts each on a row of its
    // own (274 high, 23 wide), more than three times as tall as wide. The balanced wrap lets groups
    // share rows: the narrowest width no smaller than its height is 110 (four buttons and three
    // gaps). A row that would overflow breaks at its last group, so full rows hold three and the
    // last row four: rows of 3, 3 and 4, three rows of 22 with two gaps = 78.
    std::vector<Item> items(10, Item{23, TRUE, 0});
    LayoutFixture f(items);
    CSize sz = f.Layout(0, 0x100 | 0x40);
    EXPECT_EQ(sz.cx, 110 + 4);
    EXPECT_EQ(sz.cy, 78 + 4);
    const int rowStarts[] = {0, 3, 6};
    for (int i = 0; i < 10; ++i)
    {
        const int nRow = i < 3 ? 0 : i < 6 ? 1 : 2;
        const int nColumn = i - rowStarts[nRow];
        EXPECT_EQ(f.At(i)->GetWrap(), i == 3 || i == 6) << i;
        const CRect rc = f.At(i)->GetRect();
        EXPECT_EQ(rc.left, 2 + 29 * nColumn) << i;
        EXPECT_EQ(rc.top, 2 + 28 * nRow) << i;
        EXPECT_EQ(rc.Width(), 23) << i;
    }

    // A bar that is not too tall keeps a row per group at its measured width.
    std::vector<Item> wide{{100, FALSE, 0}, {23, TRUE, 0}, {23, FALSE, 0}};
    LayoutFixture g(wide);
    sz = g.Layout(0, 0x100 | 0x40);
    EXPECT_EQ(sz.cx, 100 + 4);
    EXPECT_EQ(sz.cy, 22 + 6 + 22 + 4);
    EXPECT_TRUE(g.At(1)->GetWrap());

    // Asked for the whole length (a popup toolbar passes its limit), the group break still keeps
    // the bar at its own width rather than stretching it to the limit.
    LayoutFixture wideLimit(wide);
    sz = wideLimit.Layout(32767, 0x100 | 0x40 | 2);
    EXPECT_EQ(sz.cx, 100 + 4);
    EXPECT_EQ(sz.cy, 22 + 6 + 22 + 4);

    // With a remembered width the tall layout stays.
    std::vector<Item> tall(6, Item{23, TRUE, 0});
    LayoutFixture h(tall);
    h.bar.SetRememberedWidth(40);
    sz = h.Layout(0, 0x100 | 0x40);
    EXPECT_EQ(sz.cx, 23 + 4);
    EXPECT_EQ(sz.cy, 6 * 22 + 5 * 6 + 4);
}

namespace
{
// Sizes by style: large (4) 40 x 60, icon and caption (3) 70 x 22, icon (2) 24 x 22.
class StyleSizedPaintManager : public CXTPDefaultTheme
{
public:
    CSize DrawToolBarControl(CDC*, CXTPControl* pControl, BOOL) override
    {
        switch (pControl->GetStyle())
        {
        case xtpButtonIconAndCaptionBelow:
            return CSize(40, 60);
        case xtpButtonIconAndCaption:
            return CSize(70, 22);
        case xtpButtonIcon:
            return CSize(24, 22);
        default:
            return CSize(30, 22);
        }
    }
    CSize DrawCommandBarSeparator(CDC*, CXTPCommandBar*, CXTPControl*, BOOL) override { return CSize(6, 6); }
};

// A smart-layout bar of six buttons; those marked large have a 32-pixel icon, the others 16.
struct SmartFixture
{
    SmartFixture(const std::vector<BOOL>& large, const std::vector<BOOL>& groups)
    {
        bar.SetPaintManager(new StyleSizedPaintManager());
        bar.SetIconSize(CSize(16, 16));
        bar.SetFlags(xtpFlagSmartLayout);
        CXTPImageManager* pImages = new CXTPImageManager();
        HICON hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
        for (size_t i = 0; i < large.size(); ++i)
        {
            const UINT nId = 500 + static_cast<UINT>(i);
            pImages->SetIcon(hIcon, nId, large[i] ? 32 : 16, large[i] ? 32 : 16);
            CXTPControl* p = bar.GetControls()->Add(new CXTPControlButton(), static_cast<int>(nId));
            p->SetBeginGroup(i < groups.size() && groups[i]);
        }
        bar.SetImageManager(pImages);
        hDC = GetDC(nullptr);
        dc.Attach(hDC);
    }
    ~SmartFixture()
    {
        dc.Detach();
        ReleaseDC(nullptr, hDC);
    }
    std::vector<int> Styles()
    {
        std::vector<int> styles;
        for (int i = 0; i < bar.GetControls()->GetCount(); ++i)
            styles.push_back(bar.GetControls()->GetAt(i)->GetStyle());
        return styles;
    }
    TestBar bar;
    HDC hDC;
    CDC dc;
};
} // namespace

TEST(ControlsLayout, SmartLayoutReductionTable)
{
    const BOOL L = TRUE, S = FALSE;
    struct Case
    {
        const char* name;
        std::vector<BOOL> large;
        std::vector<BOOL> groups;
        int nLength; // the margins (2 each side) included
        DWORD dwMode;
        std::vector<int> styles;
        CSize size;
    };
    const Case cases[] = {
        {"room for all: large", {L, L, L}, {}, 400, 0x40, {4, 4, 4}, CSize(400, 64)},
        {"no large icon: stacked three to a column", {S, S, S, S}, {}, 400, 0x40, {3, 3, 3, 3}, CSize(400, 70)},
        {"the last three large become small", {L, L, L, L, L, L}, {}, 204, 0x40, {4, 4, 4, 3, 3, 3}, CSize(204, 70)},
        {"then icons only from the end", {L, L, L, L, L, L}, {}, 134, 0x40, {3, 3, 3, 2, 2, 2}, CSize(134, 70)},
        {"groups are not merged",
         {L, L, L, L, L, L},
         {FALSE, FALSE, FALSE, FALSE, TRUE, FALSE},
         204,
         0x40,
         {4, 3, 3, 3, 4, 4},
         CSize(204, 70)},
        {"a large one among three", {S, S, L, L}, {}, 144, 0x40, {3, 3, 3, 3}, CSize(144, 70)},
        {"just fits", {S, S, L, L}, {}, 154, 0x40, {3, 3, 4, 4}, CSize(154, 64)},
        {"nothing more to reduce", {L, L, L, L, L, L}, {}, 44, 0x40, {2, 2, 2, 2, 2, 2}, CSize(52, 70)},
    };
    for (const Case& c : cases)
    {
        SmartFixture f(c.large, c.groups);
        CSize sz = f.bar.GetControls()->CalcDynamicSize(&f.dc, c.nLength, c.dwMode, CRect(2, 2, 2, 2), 0);
        EXPECT_EQ(f.Styles(), c.styles) << c.name;
        EXPECT_EQ(sz, c.size) << c.name;
    }
}

TEST(ControlsLayout, SmartLayoutPlacementAndHiding)
{
    const BOOL L = TRUE;
    {
        SmartFixture f({L, L, L, L, L, L}, {});
        f.bar.GetControls()->CalcDynamicSize(&f.dc, 204, 0x40, CRect(2, 2, 2, 2), 0);
        CXTPControls* pControls = f.bar.GetControls();
        EXPECT_EQ(pControls->GetAt(0)->GetRect(), CRect(2, 2, 42, 62)); // not centred
        EXPECT_EQ(pControls->GetAt(3)->GetRect(), CRect(122, 2, 192, 24));
        EXPECT_EQ(pControls->GetAt(4)->GetRect(), CRect(122, 24, 192, 46));
        EXPECT_EQ(pControls->GetAt(5)->GetRect(), CRect(122, 46, 192, 68));
        EXPECT_EQ(pControls->GetAt(5)->GetRowRect(), CRect(2, 2, 202, 68));
    }
    {
        // Mode 0x80: what still lies beyond the length becomes an icon and is hidden.
        SmartFixture f({L, L, L, L, L, L}, {});
        f.bar.GetControls()->CalcDynamicSize(&f.dc, 44, 0x80 | 0x40, CRect(2, 2, 2, 2), 0);
        CXTPControls* pControls = f.bar.GetControls();
        for (int i = 0; i < 6; ++i)
        {
            EXPECT_EQ(pControls->GetAt(i)->GetStyle(), xtpButtonIcon) << i;
            EXPECT_EQ((pControls->GetAt(i)->GetHideFlags() & xtpHideWrap) != 0, i >= 3) << i;
        }
        // A user style stays; the reduction goes on around it and ends.
        SmartFixture g({L, L, L, L, L, L}, {});
        g.bar.GetControls()->GetAt(5)->SetCustomStyle(xtpButtonIconAndCaptionBelow);
        g.bar.GetControls()->CalcDynamicSize(&g.dc, 44, 0x40, CRect(2, 2, 2, 2), 0);
        EXPECT_EQ(g.Styles(), (std::vector<int>{2, 2, 2, 3, 3, 4}));

        // Room again: the marks go and the large look returns.
        f.bar.GetControls()->CalcDynamicSize(&f.dc, 400, 0x80 | 0x40, CRect(2, 2, 2, 2), 0);
        for (int i = 0; i < 6; ++i)
        {
            EXPECT_EQ(pControls->GetAt(i)->GetStyle(), xtpButtonIconAndCaptionBelow) << i;
            EXPECT_EQ(pControls->GetAt(i)->GetHideFlags() & xtpHideWrap, 0) << i;
        }
    }
}
