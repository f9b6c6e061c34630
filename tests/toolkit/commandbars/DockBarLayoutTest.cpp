// The dock bar's row arithmetic over bars described by a table: each test bar has a docked place, a
// length (its natural size along the dock bar), a thickness, and optionally a smallest length when it
// may hide what does not fit. No windows: the bars are opaque pointers into the table.
#include "toolkit/commandbars/docking/XTPDockBarLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
struct FakeBar
{
    char chName;
    int nLead;          // docked place along the dock bar
    int nLength;        // natural length
    int nThickness;     // size across
    int nMin = 0;       // > 0: hides what does not fit down to this length
    BOOL bVisible = TRUE;
    BOOL bStretched = FALSE;
    BOOL bShare = FALSE;
    CRect rcWindow = CRect(0, 0, 0, 0); // window rectangle for the insertion rule
};

struct Placement
{
    char chName;
    CRect rc;
    DWORD dwMode;
};

class TableSite : public CXTPDockBarLayoutSite
{
public:
    explicit TableSite(std::vector<FakeBar> bars, BOOL bHorz = TRUE) : m_bars(std::move(bars)), m_bHorz(bHorz) {}

    CXTPToolBar* Bar(char chName)
    {
        for (FakeBar& bar : m_bars)
            if (bar.chName == chName)
                return reinterpret_cast<CXTPToolBar*>(&bar);
        return nullptr;
    }
    FakeBar& Of(CXTPToolBar* p) { return *reinterpret_cast<FakeBar*>(p); }

    CSize CalcBarLayout(CXTPToolBar* pBar, int nLength, DWORD dwMode, int nThickness) override
    {
        FakeBar& bar = Of(pBar);
        int nAlong = bar.nLength;
        if (dwMode & CXTPDockBarLayout::modeStretch)
            nAlong = nLength;
        else if ((dwMode & CXTPDockBarLayout::modeHideWrap) && nLength < bar.nLength)
            nAlong = std::max(bar.nMin, nLength);
        int nAcross = std::max(bar.nThickness, nThickness);
        if (nThickness == 0)
            nAcross = bar.nThickness;
        return m_bHorz ? CSize(nAlong, nAcross) : CSize(nAcross, nAlong);
    }
    DWORD GetBarMode(CXTPToolBar* pBar) override
    {
        return Of(pBar).nMin > 0 ? CXTPDockBarLayout::modeHideWrap : 0;
    }
    CRect GetDockedRect(CXTPToolBar* pBar) override
    {
        int nLead = Of(pBar).nLead;
        return m_bHorz ? CRect(nLead, 0, nLead + 1, 1) : CRect(0, nLead, 1, nLead + 1);
    }
    CRect GetBarRect(CXTPToolBar* pBar) override { return Of(pBar).rcWindow; }
    BOOL IsBarVisible(CXTPToolBar* pBar) override { return Of(pBar).bVisible; }
    BOOL IsBarStretched(CXTPToolBar* pBar) override { return Of(pBar).bStretched; }
    BOOL IsBarSharingRow(CXTPToolBar* pBar) override { return Of(pBar).bShare; }
    void PlaceBar(CXTPToolBar* pBar, const CRect& rc, DWORD dwMode) override
    {
        m_placed.push_back({Of(pBar).chName, rc, dwMode});
    }

    // The row array as text: bars by name, '|' for a separator.
    std::string Text(const CXTPDockBarRowArray& rows)
    {
        std::string s;
        for (INT_PTR i = 0; i < rows.GetSize(); ++i)
            s += rows[i] ? Of(rows[i]).chName : '|';
        return s;
    }
    void Fill(CXTPDockBarRowArray& rows, const std::string& text)
    {
        rows.RemoveAll();
        for (char ch : text)
            rows.Add(ch == '|' ? nullptr : Bar(ch));
    }

    std::vector<FakeBar> m_bars;
    BOOL m_bHorz;
    std::vector<Placement> m_placed;
};

// Lays the bars out as one row (in the given order) and returns "name:left-right" per bar in row
// order along the dock bar.
std::string LayoutText(TableSite& site, const std::string& order, int nLength, int* pnThickness = nullptr,
                       int* pnOverflow = nullptr)
{
    CXTPDockBarRowArray row;
    for (char ch : order)
        row.Add(site.Bar(ch));
    CXTPDockInfoArray info;
    int nOverflow = -2;
    int nThickness = CXTPDockBarLayout::LayoutRow(row, 0, nLength, site.m_bHorz, FALSE, site, &nOverflow, &info);
    if (pnThickness)
        *pnThickness = nThickness;
    if (pnOverflow)
        *pnOverflow = nOverflow;
    std::string s;
    for (INT_PTR i = 0; i < info.GetSize(); ++i)
    {
        const CRect& rc = info[i].rcBar;
        int a = site.m_bHorz ? rc.left : rc.top;
        int b = site.m_bHorz ? rc.right : rc.bottom;
        if (!s.empty())
            s += ' ';
        s += std::string(1, site.Of(info[i].pBar).chName) + ":" + std::to_string(a) + "-" + std::to_string(b);
    }
    return s;
}
} // namespace

TEST(DockBarRows, AppendFindAndRemoveKeepOneSeparatorBetweenRows)
{
    TableSite site({{'A', 0, 50, 22}, {'B', 0, 50, 22}, {'C', 0, 50, 22}});
    CXTPDockBarRowArray rows;
    rows.Add(nullptr); // a new dock bar holds one separator
    EXPECT_EQ(1, CXTPDockBarLayout::AppendRow(rows, site.Bar('A')));
    EXPECT_EQ("|A|", site.Text(rows));
    CXTPDockBarLayout::AppendRow(rows, site.Bar('B'));
    CXTPDockBarLayout::AppendRow(rows, site.Bar('C'));
    EXPECT_EQ("|A|B|C|", site.Text(rows));

    EXPECT_EQ(3, CXTPDockBarLayout::FindBar(rows, site.Bar('B')));
    EXPECT_EQ(-1, CXTPDockBarLayout::FindBar(rows, site.Bar('B'), 3));

    // The only bar of a middle row leaves one separator, not two.
    EXPECT_TRUE(CXTPDockBarLayout::RemoveBar(rows, site.Bar('B')));
    EXPECT_EQ("|A|C|", site.Text(rows));
    EXPECT_FALSE(CXTPDockBarLayout::RemoveBar(rows, site.Bar('B')));
    EXPECT_FALSE(CXTPDockBarLayout::RemoveBar(rows, nullptr));
    EXPECT_TRUE(CXTPDockBarLayout::RemoveBar(rows, site.Bar('A')));
    EXPECT_TRUE(CXTPDockBarLayout::RemoveBar(rows, site.Bar('C')));
    EXPECT_EQ("|", site.Text(rows));

    // A bar sharing its row with others: only its entry goes.
    site.Fill(rows, "|AB|C|");
    EXPECT_TRUE(CXTPDockBarLayout::RemoveBar(rows, site.Bar('A')));
    EXPECT_EQ("|B|C|", site.Text(rows));
}

TEST(DockBarRows, InsertionRuleChoosesRowByCentre)
{
    // Row 1 (A, B) spans y 0-22, row 2 (C) y 22-44.
    struct Case
    {
        int nCross;
        BOOL bFirstRowTakes;
        const char* pszExpected;
        int nIndex;
    } cases[] = {
        {-5, TRUE, "|X|AB|C|", 1},  // above the first row: a new first row
        {0, TRUE, "|X|AB|C|", 1},   // on the dock bar's edge: a new first row
        {10, TRUE, "|XAB|C|", 1},   // inside the first row: at its start
        {22, TRUE, "|AB|X|C|", 4},  // on the edge between rows: a new row between
        {30, TRUE, "|AB|XC|", 4},   // inside the second row
        {50, TRUE, "|AB|C|X|", 6},  // below every row: a new last row
        {10, FALSE, "|AB|XC|", 4},  // a ribbon holds the first row: the second row takes it
        {-5, FALSE, "|AB|XC|", 4},  // nor is a row opened above the ribbon
    };
    for (const Case& c : cases)
    {
        std::vector<FakeBar> bars = {{'A', 0, 50, 22}, {'B', 60, 50, 22}, {'C', 0, 50, 22}, {'X', 0, 50, 22}};
        bars[0].rcWindow = CRect(0, 0, 50, 22);
        bars[1].rcWindow = CRect(60, 0, 110, 22);
        bars[2].rcWindow = CRect(0, 22, 50, 44);
        TableSite site(bars);
        CXTPDockBarRowArray rows;
    site.Fill(rows, "|AB|C|");
        int nIndex = CXTPDockBarLayout::InsertBar(rows, site.Bar('X'), CPoint(20, c.nCross), TRUE,
                                                  c.bFirstRowTakes, site);
        EXPECT_EQ(c.pszExpected, site.Text(rows)) << "cross " << c.nCross;
        EXPECT_EQ(c.nIndex, nIndex) << "cross " << c.nCross;
    }
}

TEST(DockBarRows, InsertionRuleOnAVerticalDockBarUsesX)
{
    std::vector<FakeBar> bars = {{'A', 0, 50, 24}, {'X', 0, 50, 24}};
    bars[0].rcWindow = CRect(0, 0, 24, 50);
    TableSite site(bars, FALSE);
    CXTPDockBarRowArray rows;
    site.Fill(rows, "|A|");
    // y lies inside A's height, x beyond its right edge: a new row.
    EXPECT_EQ(3, CXTPDockBarLayout::InsertBar(rows, site.Bar('X'), CPoint(30, 10), FALSE, TRUE, site));
    EXPECT_EQ("|A|X|", site.Text(rows));
}

TEST(DockBarRows, StretchedBarsGetRowsOfTheirOwn)
{
    std::vector<FakeBar> bars = {{'A', 0, 50, 22}, {'S', 0, 50, 22}, {'B', 0, 50, 22}};
    bars[1].bStretched = TRUE;
    TableSite site(bars);
    CXTPDockBarRowArray rows;
    site.Fill(rows, "|ASB|S|");
    CXTPDockBarLayout::SeparateStretchedBars(rows, site);
    EXPECT_EQ("|A|S|B|S|", site.Text(rows));
}

TEST(DockBarRowLayout, HorizontalRowsTable)
{
    struct Case
    {
        const char* pszName;
        std::vector<FakeBar> bars; // in row order
        int nLength;
        const char* pszExpected;   // along the dock bar, left to right
        int nThickness;
    } cases[] = {
        {"bars at their places", {{'A', 0, 50, 22}, {'B', 100, 50, 26}}, 200, "A:0-50 B:100-150", 26},
        {"an overlap pushes the later bar", {{'A', 0, 50, 22}, {'B', 30, 50, 22}}, 200, "A:0-50 B:50-100", 22},
        {"the earlier bar keeps its place; the later yields, never before the row",
         {{'A', 30, 50, 22}, {'B', 0, 50, 22}}, 200, "B:0-50 A:50-100", 22},
        {"the last bar is pulled back inside", {{'A', 0, 50, 22}, {'B', 180, 50, 22}}, 200, "A:0-50 B:150-200", 22},
        {"a pulled bar pulls the one before", {{'A', 120, 50, 22}, {'B', 160, 50, 22}}, 200, "A:100-150 B:150-200",
         22},
        {"too short: bars that hide shrink from the last",
         {{'A', 0, 80, 22, 30}, {'B', 80, 80, 22, 30}, {'C', 160, 80, 22, 30}}, 200, "A:0-80 B:80-160 C:160-200",
         22},
        {"too short: shrinking reaches back", {{'A', 0, 80, 22, 30}, {'B', 80, 80, 22, 30}, {'C', 160, 80, 22, 30}},
         130, "A:0-70 B:70-100 C:100-130", 22},
        {"one bar longer than the row keeps its row", {{'A', 0, 300, 22}}, 200, "A:-100-200", 22},
    };
    for (const Case& c : cases)
    {
        TableSite site(c.bars);
        std::string order;
        for (const FakeBar& bar : c.bars)
            order += bar.chName;
        int nThickness = -1;
        int nOverflow = -2;
        EXPECT_EQ(c.pszExpected, LayoutText(site, order, c.nLength, &nThickness, &nOverflow)) << c.pszName;
        EXPECT_EQ(c.nThickness, nThickness) << c.pszName;
        EXPECT_EQ(-1, nOverflow) << c.pszName;
    }
}

TEST(DockBarRowLayout, ARowTooShortForItsMinimumsMovesItsLastBarToANewRow)
{
    TableSite site({{'A', 0, 80, 22}, {'B', 80, 80, 22}, {'C', 160, 80, 24}});
    int nThickness = -1;
    int nOverflow = -1;
    LayoutText(site, "ABC", 200, &nThickness, &nOverflow);
    EXPECT_EQ(0, nThickness);
    EXPECT_EQ(2, nOverflow);

    // With overflow: A and B in the first row (22), C in a second one below (24).
    CXTPDockBarRowArray row;
    site.Fill(row, "ABC");
    EXPECT_EQ(46, CXTPDockBarLayout::LayoutRowWithOverflow(row, 10, 200, TRUE, TRUE, site));
    ASSERT_EQ(3u, site.m_placed.size());
    EXPECT_EQ('A', site.m_placed[0].chName);
    EXPECT_EQ(CRect(0, 10, 80, 32), site.m_placed[0].rc);
    EXPECT_EQ(CRect(80, 10, 160, 32), site.m_placed[1].rc);
    EXPECT_EQ('C', site.m_placed[2].chName);
    EXPECT_EQ(CRect(120, 32, 200, 56), site.m_placed[2].rc); // pulled back inside its new row
    EXPECT_EQ(CXTPDockBarLayout::modeCommit, site.m_placed[2].dwMode);
}

TEST(DockBarRowLayout, VerticalRowsRunAlongY)
{
    TableSite site({{'A', 0, 60, 24}, {'B', 40, 60, 28}}, FALSE);
    int nThickness = 0;
    EXPECT_EQ("A:0-60 B:60-120", LayoutText(site, "AB", 300, &nThickness));
    EXPECT_EQ(28, nThickness);

    CXTPDockBarRowArray row;
    site.Fill(row, "AB");
    int nOverflow = 0;
    CXTPDockBarLayout::LayoutRow(row, 5, 300, FALSE, TRUE, site, &nOverflow);
    ASSERT_EQ(2u, site.m_placed.size());
    // Committed bars take the row's thickness across.
    EXPECT_EQ(CRect(5, 0, 33, 60), site.m_placed[0].rc);
    EXPECT_EQ(CRect(5, 60, 33, 120), site.m_placed[1].rc);
}

TEST(DockBarRowLayout, ABarSharingItsRowStretchesToItsNeighbours)
{
    std::vector<FakeBar> bars = {{'A', 10, 50, 22}, {'B', 120, 50, 22}, {'C', 150, 20, 22}};
    bars[0].bShare = TRUE;
    bars[2].bShare = TRUE;
    TableSite site(bars);
    CXTPDockBarRowArray row;
    site.Fill(row, "ABC");
    int nOverflow = 0;
    EXPECT_EQ(22, CXTPDockBarLayout::LayoutRow(row, 0, 200, TRUE, TRUE, site, &nOverflow));
    ASSERT_EQ(3u, site.m_placed.size());
    // A: from the row start to B's start; C: from B's end to the row's end.
    EXPECT_EQ(CRect(0, 0, 120, 22), site.m_placed[0].rc);
    EXPECT_EQ(CXTPDockBarLayout::modeCommit | CXTPDockBarLayout::modeStretch, site.m_placed[0].dwMode);
    EXPECT_EQ(CRect(120, 0, 170, 22), site.m_placed[1].rc);
    EXPECT_EQ(CXTPDockBarLayout::modeCommit, site.m_placed[1].dwMode);
    EXPECT_EQ(CRect(170, 0, 200, 22), site.m_placed[2].rc);
}

TEST(DockBarRowLayout, AllRowsStackAcrossTheDockBar)
{
    std::vector<FakeBar> bars = {{'A', 0, 50, 22}, {'B', 60, 50, 26}, {'C', 0, 50, 30}, {'D', 0, 50, 24}};
    bars[2].bVisible = FALSE;
    TableSite site(bars);
    CXTPDockBarRowArray rows;
    site.Fill(rows, "|AB|C|D|");
    // Row of A and B (26), the hidden C's row takes nothing, D (24).
    EXPECT_EQ(CSize(32767, 50), CXTPDockBarLayout::CalcRowsLayout(rows, 400, TRUE, TRUE, FALSE, site));
    EXPECT_EQ(CSize(0, 50), CXTPDockBarLayout::CalcRowsLayout(rows, 400, FALSE, TRUE, FALSE, site));
    EXPECT_TRUE(site.m_placed.empty());

    CXTPDockBarLayout::CalcRowsLayout(rows, 400, TRUE, TRUE, TRUE, site);
    ASSERT_EQ(3u, site.m_placed.size());
    EXPECT_EQ(CRect(0, 26, 50, 50), site.m_placed[2].rc);

    TableSite vertical(bars, FALSE);
    CXTPDockBarRowArray vrows;
    vertical.Fill(vrows, "|AB|C|D|");
    EXPECT_EQ(CSize(50, 32767), CXTPDockBarLayout::CalcRowsLayout(vrows, 400, TRUE, FALSE, FALSE, vertical));
}
