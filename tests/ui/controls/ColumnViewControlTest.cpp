// The column view: Compare by column kind, the sort on ordered, reversed, equal and cyclic inputs, selection
// by mouse with Ctrl and Shift (through the key-state seam), SelectRange's bounds, keys and scrolling,
// column fitting, the ellipsis, and the selection and caret bars as painted.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/common/MessagePump.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "ui/UiMessageIds.h"
#include "ui/controls/ColumnViewControl.h"

using qvx_test::PumpMessages;

namespace
{
// A column view whose Ctrl and Shift states the test sets.
class CTestColumnView : public CColumnViewControl
{
public:
    bool IsControlDown() override { return control; }
    bool IsShiftDown() override { return shift; }
    void OnSelectionChanged() override { ++selectionChanges; }
    void OnActivate() override { ++activations; }
    void SortByColumn(int column, bool ascending) override
    {
        sorts.emplace_back(column, ascending);
        CColumnViewControl::SortByColumn(column, ascending);
    }
    std::vector<std::pair<int, bool>> sorts;
    bool control = false;
    bool shift = false;
    int selectionChanges = 0;
    int activations = 0;
};

CColumnViewControlEntry* Add(CColumnViewControl& view, const char* text)
{
    auto* entry = new CColumnViewControlEntry;
    EXPECT_TRUE(view.AddEntry(entry));
    view.SetEntryText(entry, 0, text);
    return entry;
}

std::vector<std::string> Order(CColumnViewControl& view)
{
    std::vector<std::string> names;
    for (int i = 0; i < view.GetEntryCount(); ++i)
    {
        CDravikString text = view.GetEntryAt(i)->GetText(0);
        names.push_back(text.GetAnsi());
        EXPECT_EQ(view.GetEntryAt(i)->m_index, i);
    }
    return names;
}

struct CompareCase
{
    int kind;
    const char* a;
    const char* b;
    int expected;
};

TEST(ColumnViewCompare, ComparesByTheColumnKind)
{
    const CompareCase cases[] = {
        {kColumnSortText, "Test 9", "Test 10", -1},    // equal rests: the numbers decide
        {kColumnSortText, "Test 10", "Test 9", 1},
        {kColumnSortText, "abc", "ABC", 0},            // case is ignored
        {kColumnSortText, "alpha", "Beta", -1},
        {kColumnSortText, "a1x", "a2", -1},            // different rests: the texts decide
        {kColumnSortText, "", "a", -1},                // an empty text sorts as a blank
        {kColumnSortNumber, "1,234", "1234", 0},       // only the digits count in a number column
        {kColumnSortNumber, "1,234", "999", 1},
        {kColumnSortNumber, "abc", "abd", -1},         // no digits: compared as text
        {kColumnSortDateTime, "2020-01-02 10:00", "2020-01-02 09:59", 1},
        {kColumnSortDateTime, "2020-01-02 10:00", "2020-01-02 10:00", 0},
        {7, "a", "b", 0},                              // an unknown kind compares equal
    };
    for (const CompareCase& c : cases)
    {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b + " kind " + std::to_string(c.kind));
        CColumnViewControl view;
        ASSERT_TRUE(view.AddColumn("Column", c.kind));
        CColumnViewControlEntry* a = Add(view, c.a);
        CColumnViewControlEntry* b = Add(view, c.b);
        a->PrepareSortKey();
        b->PrepareSortKey();
        EXPECT_EQ(view.Compare(a, b), c.expected);
        view.SortByColumn(0, false);
        a->PrepareSortKey();
        b->PrepareSortKey();
        EXPECT_EQ(view.Compare(a, b), -c.expected) << "descending negates";
        EXPECT_EQ(view.Compare(a, nullptr), 0);
    }
}

TEST(ColumnViewSort, SortsOrderedReversedEqualAndCyclicInputs)
{
    const struct
    {
        const char* name;
        std::vector<const char*> input;
        std::vector<std::string> ascending;
    } cases[] = {
        {"mixed", {"Step10", "alpha", "Step9", "Beta", "step2"}, {"alpha", "Beta", "step2", "Step9", "Step10"}},
        {"ordered", {"a1", "a2", "a3", "a4"}, {"a1", "a2", "a3", "a4"}},
        {"reversed", {"a4", "a3", "a2", "a1"}, {"a1", "a2", "a3", "a4"}},
        {"one", {"x"}, {"x"}},
        // Not an ordering (a2 < a10 < a1x < a2): any order of the three is acceptable, nothing is lost.
        {"cyclic", {"a1x", "a10", "a2", "a1x", "a2"}, {}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        CColumnViewControl view;
        view.AddColumn("Name", kColumnSortText);
        for (const char* name : c.input)
            Add(view, name);
        view.SortByColumn(0, true);
        std::vector<std::string> order = Order(view);
        if (!c.ascending.empty())
        {
            EXPECT_EQ(order, c.ascending);
            view.SortByColumn(0, false);
            std::vector<std::string> descending(c.ascending.rbegin(), c.ascending.rend());
            EXPECT_EQ(Order(view), descending);
        }
        std::vector<std::string> sortedInput(c.input.begin(), c.input.end()), sortedOrder = order;
        std::sort(sortedInput.begin(), sortedInput.end());
        std::sort(sortedOrder.begin(), sortedOrder.end());
        EXPECT_EQ(sortedOrder, sortedInput) << "every entry once";
    }
}

TEST(ColumnViewSort, EqualNamesKeepTheirRegistrationOrderBothWays)
{
    CColumnViewControl view;
    view.AddColumn("Name", kColumnSortText);
    std::vector<CColumnViewControlEntry*> equal;
    for (int i = 0; i < 6; ++i)
        equal.push_back(Add(view, i % 2 ? "same" : "SAME"));
    Add(view, "before");
    for (bool ascending : {true, false, true})
    {
        view.SortByColumn(0, ascending);
        std::vector<int> ids;
        for (int i = 0; i < view.GetEntryCount(); ++i)
            if (view.GetEntryAt(i)->m_id < 6)
                ids.push_back(view.GetEntryAt(i)->m_id);
        EXPECT_EQ(ids, (std::vector<int>{0, 1, 2, 3, 4, 5})) << "ascending " << ascending;
    }
}

TEST(ColumnViewSort, TenThousandReversedNamesSortQuickly)
{
    CColumnViewControl view;
    view.AddColumn("Name", kColumnSortText);
    for (int i = 10000; i >= 1; --i)
        Add(view, ("Test " + std::to_string(i)).c_str());
    const DWORD start = ::GetTickCount();
    view.SortByColumn(0, true);
    view.SortByColumn(0, false);
    view.SortByColumn(0, true);
    EXPECT_LT(::GetTickCount() - start, 3000u);
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(std::string(view.GetEntryAt(i)->GetText(0).GetAnsi()), "Test " + std::to_string(i + 1));
}

TEST(ColumnViewColumns, RefusesAnEmptyTitleAndStartsColumnsAt50Pixels)
{
    CColumnViewControl view;
    EXPECT_FALSE(view.AddColumn("", kColumnSortText));
    EXPECT_EQ(view.GetColumnCount(), 0);
}

// A view in a visible parent window, painted once so that rows have their rectangles.
class ColumnViewWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RECT rect = {40, 40, 340, 240};
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "column view test", WS_POPUP | WS_VISIBLE, rect,
                                      nullptr, 0));
        m_view.m_multipleSelection = true;
        ASSERT_TRUE(m_view.Create(&m_parent));
        m_view.AddColumn("Test Name", kColumnSortText);
        for (const char* name : {"alpha", "Beta", "step2", "Step9", "Step10", "zeta", "omega"})
            Add(m_view, name);
        m_view.SortByColumn(0, true);
        ::MoveWindow(m_view.m_hWnd, 0, 0, 300, 200, TRUE);
        m_view.UpdateLayout();
        m_view.UpdateWindow();
        PumpMessages();
    }
    void TearDown() override
    {
        m_view.DestroyWindow();
        m_parent.DestroyWindow();
    }
    void Click(int row, bool control = false, bool shift = false)
    {
        m_view.control = control;
        m_view.shift = shift;
        m_view.OnLButtonDown(0, CPoint(60, RowY(row)));
        PumpMessages();
    }
    int RowY(int row) { return CColumnViewControl::kHeaderHeight + CColumnViewControl::kRowsTopMargin + row * 18 + 9; }
    std::vector<int> Selected()
    {
        std::vector<int> rows;
        for (int i = 0; i < m_view.GetEntryCount(); ++i)
            if (m_view.GetEntryAt(i)->m_selected)
                rows.push_back(i);
        EXPECT_EQ(static_cast<int>(rows.size()), m_view.GetSelectedCount());
        return rows;
    }

    CWnd m_parent;
    CTestColumnView m_view;
};

TEST_F(ColumnViewWindowTest, ClickCtrlAndShiftSelect)
{
    Click(1);
    EXPECT_EQ(Selected(), (std::vector<int>{1}));
    Click(3, true);
    EXPECT_EQ(Selected(), (std::vector<int>{1, 3}));
    Click(1, true);
    EXPECT_EQ(Selected(), (std::vector<int>{3})) << "Ctrl toggles";
    Click(5, false, true);
    EXPECT_EQ(Selected(), (std::vector<int>{3, 4, 5})) << "Shift selects up to the nearest selected row";
    Click(0);
    EXPECT_EQ(Selected(), (std::vector<int>{0}));
    EXPECT_GE(m_view.selectionChanges, 5);
    m_view.OnLButtonDblClk(0, CPoint(60, RowY(2)));
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    EXPECT_EQ(m_view.activations, 1);
}

TEST_F(ColumnViewWindowTest, SelectRangeLooksBelowUpToTheLastRowOnly)
{
    m_view.DeselectAll();
    EXPECT_FALSE(m_view.SelectRange(m_view.GetEntryAt(2))) << "no other selected row";
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    m_view.DeselectAll();
    const int last = m_view.GetEntryCount() - 1;
    m_view.SelectIndex(last);
    EXPECT_TRUE(m_view.SelectRange(m_view.GetEntryAt(4)));
    EXPECT_EQ(Selected(), (std::vector<int>{4, 5, 6}));
}

TEST_F(ColumnViewWindowTest, KeysMoveTheCaretAndTheSelection)
{
    const int n = m_view.GetEntryCount();
    const struct
    {
        UINT key;
        int caret;
    } keys[] = {{VK_END, n - 1}, {VK_UP, n - 2}, {VK_HOME, 0}, {VK_DOWN, 1}, {VK_DOWN, 2}, {VK_UP, 1}};
    for (const auto& k : keys)
    {
        m_view.OnKeyDown(k.key, 1, 0);
        EXPECT_EQ(m_view.GetCaret(), k.caret) << "key " << k.key;
        EXPECT_EQ(Selected(), (std::vector<int>{k.caret}));
    }
    // alpha, Beta, omega, step2, Step9, Step10, zeta
    m_view.OnChar('S', 1, 0);
    EXPECT_EQ(Selected(), (std::vector<int>{3})) << "the first name with that letter, any case";
    m_view.OnChar(0xE9, 1, 0); // above 127: tested as unsigned, matches nothing
    EXPECT_EQ(Selected(), (std::vector<int>{3}));
}

TEST_F(ColumnViewWindowTest, ScrollsWithinTheRows)
{
    // 200 - 20 (header) - 2 (border) leaves 9 rows for 7 entries: no bar; shrink to 4 rows.
    EXPECT_FALSE(m_view.IsVerticalBarEnabled());
    ::MoveWindow(m_view.m_hWnd, 0, 0, 300, 20 + 2 + 4 * 18 + 5, TRUE);
    PumpMessages();
    EXPECT_TRUE(m_view.IsVerticalBarEnabled());
    const int visible = m_view.VisibleRowCount();
    ASSERT_GT(visible, 0);
    m_view.OnVScroll(SB_BOTTOM, 0, nullptr);
    EXPECT_EQ(m_view.GetTopIndex(), m_view.GetEntryCount() - visible) << "SB_BOTTOM is held at the bar's maximum";
    m_view.OnVScroll(SB_LINEDOWN, 0, nullptr);
    EXPECT_EQ(m_view.GetTopIndex(), m_view.GetEntryCount() - visible);
    m_view.OnVScroll(SB_TOP, 0, nullptr);
    EXPECT_EQ(m_view.GetTopIndex(), 0);
    m_view.OnMouseWheel(0, -120, CPoint(0, 0));
    EXPECT_EQ(m_view.GetTopIndex(), m_view.GetEntryCount() - visible);
    EXPECT_TRUE(m_view.EnsureVisible(0));
    EXPECT_EQ(m_view.GetTopIndex(), 0);
}

TEST_F(ColumnViewWindowTest, TheLastColumnTakesTheRemainingWidth)
{
    RECT rows;
    m_view.GetRowsRect(&rows);
    EXPECT_EQ(m_view.ColumnsTotalWidth(), rows.right - rows.left);
    EXPECT_EQ(m_view.TitleWidth(1), 0);
}

TEST_F(ColumnViewWindowTest, LongTextsAreShortenedWithDots)
{
    HDC dc = ::GetDC(m_view.m_hWnd);
    ::SelectObject(dc, m_view.GetControlFont().GetSafeHandle());
    CDravikString text("a rather long test name that cannot fit");
    ASSERT_TRUE(CColumnViewControl::EllipsizeText(dc, text, 80));
    std::string shortened = text.GetAnsi();
    EXPECT_EQ(shortened.substr(shortened.size() - 3), "...");
    SIZE size;
    ::GetTextExtentPoint32A(dc, shortened.c_str(), static_cast<int>(shortened.size()), &size);
    EXPECT_LE(size.cx, 80 - 4);
    CDravikString fits("ab");
    EXPECT_TRUE(CColumnViewControl::EllipsizeText(dc, fits, 80));
    EXPECT_STREQ(fits.GetAnsi(), "ab");
    CDravikString empty;
    EXPECT_FALSE(CColumnViewControl::EllipsizeText(dc, empty, 80));
    ::ReleaseDC(m_view.m_hWnd, dc);
}

TEST_F(ColumnViewWindowTest, PaintsBlueSelectionWithFocusGreyWithoutAndTheCaretOnlyWithFocus)
{
    m_view.SetFocus();
    m_view.SelectIndex(1);
    m_view.SetCaret(3);
    m_view.Redraw();
    PumpMessages();
    auto pixel = [&](int row) {
        HDC dc = ::GetDC(m_view.m_hWnd);
        COLORREF colour = ::GetPixel(dc, 120, RowY(row));
        ::ReleaseDC(m_view.m_hWnd, dc);
        return colour;
    };
    auto blueish = [](COLORREF c) { return GetBValue(c) > GetRValue(c) + 15; };
    auto grey = [](COLORREF c) {
        return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c) && GetRValue(c) < 250;
    };
    EXPECT_TRUE(blueish(pixel(1))) << std::hex << pixel(1);
    EXPECT_TRUE(blueish(pixel(3))) << "the caret bar with focus " << std::hex << pixel(3);
    EXPECT_EQ(pixel(5), RGB(255, 255, 255));
    m_parent.SetFocus();
    m_view.Redraw();
    PumpMessages();
    EXPECT_TRUE(grey(pixel(1))) << std::hex << pixel(1);
    EXPECT_EQ(pixel(3), RGB(255, 255, 255)) << "no caret bar without focus";
}

// A header click reverses the order each time; the column menu's commands sort by the column under the
// right click in the direction chosen.
TEST_F(ColumnViewWindowTest, HeaderClicksAndColumnMenuCommandsSort)
{
    HWND header = m_view.GetHeader().m_hWnd;
    ASSERT_NE(header, nullptr);
    NMHEADERA click = {};
    click.hdr.hwndFrom = header;
    click.hdr.idFrom = CColumnViewControl::kHeaderId;
    click.hdr.code = static_cast<UINT>(HDN_ITEMCLICKA);
    m_view.SendMessage(WM_NOTIFY, CColumnViewControl::kHeaderId, reinterpret_cast<LPARAM>(&click));
    EXPECT_TRUE(m_view.IsDescending());
    EXPECT_STREQ(m_view.GetEntryAt(0)->GetText(0).GetAnsi(), "zeta");
    BOOL ascending = TRUE;
    EXPECT_EQ(m_view.GetHeader().GetSortedColumn(&ascending), 0);
    EXPECT_FALSE(ascending) << "the arrow points down";
    click.hdr.code = static_cast<UINT>(HDN_ITEMCLICKW);
    m_view.SendMessage(WM_NOTIFY, CColumnViewControl::kHeaderId, reinterpret_cast<LPARAM>(&click));
    EXPECT_FALSE(m_view.IsDescending()) << "the wide notification too";

    ::SendMessageA(header, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 10));
    ::SendMessageA(header, WM_COMMAND, 9326, 0);
    EXPECT_TRUE(m_view.IsDescending());
    EXPECT_STREQ(m_view.GetEntryAt(0)->GetText(0).GetAnsi(), "zeta");
    ::SendMessageA(header, WM_COMMAND, 9325, 0);
    EXPECT_FALSE(m_view.IsDescending());
    EXPECT_STREQ(m_view.GetEntryAt(0)->GetText(0).GetAnsi(), "alpha");
}

// The header's column menu opens as a command-bars popup; the item picked there (a real button release
// on it) sorts the view exactly once, by the column under the right click.
UINT g_pick = 0;
bool g_picked = false;

void CALLBACK PickFromTrackedPopup(HWND, UINT, UINT_PTR id, DWORD)
{
    const CXTPMouseManager::CTrackArray& bars = XTPMouseManager()->GetTrackArray();
    if (bars.GetSize() == 0)
        return;
    ::KillTimer(nullptr, id);
    CXTPCommandBar* bar = bars[bars.GetSize() - 1];
    if (CXTPControl* item = bar->GetControls()->FindControl(0, static_cast<int>(g_pick), TRUE, FALSE))
    {
        g_picked = true;
        const CPoint pt = item->GetRect().CenterPoint();
        ::SendMessageA(bar->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    XTPMouseManager()->SendTrackLostAll();
}

void CALLBACK EndAllTracking(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    XTPMouseManager()->SendTrackLostAll();
}

TEST_F(ColumnViewWindowTest, AnItemPickedFromTheColumnMenuSortsExactlyOnce)
{
    HWND header = m_view.GetHeader().m_hWnd;
    ASSERT_NE(header, nullptr);
    struct Case
    {
        UINT command;
        bool ascending;
        const char* first;
    } cases[] = {{9326, false, "zeta"}, {9325, true, "alpha"}};
    for (const Case& c : cases)
    {
        m_view.sorts.clear();
        g_pick = c.command;
        g_picked = false;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 50, PickFromTrackedPopup);
        UINT_PTR safety = ::SetTimer(nullptr, 0, 3000, EndAllTracking);
        ::SendMessageA(header, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 10));
        ::SendMessageA(header, WM_RBUTTONUP, 0, MAKELPARAM(20, 10));
        ::KillTimer(nullptr, timer);
        ::KillTimer(nullptr, safety);
        PumpMessages();
        ASSERT_TRUE(g_picked) << c.command;
        ASSERT_EQ(m_view.sorts.size(), 1u) << c.command;
        EXPECT_EQ(m_view.sorts[0], std::make_pair(0, c.ascending));
        EXPECT_EQ(m_view.IsDescending(), !c.ascending);
        EXPECT_STREQ(m_view.GetEntryAt(0)->GetText(0).GetAnsi(), c.first);
    }
}

// The header keeps the sort arrow 5 pixels from the column's text, not the theme's 10.
TEST_F(ColumnViewWindowTest, TheHeaderKeepsTheArrowFivePixelsFromTheText)
{
    CXTPHeaderCtrlTheme* theme = m_view.GetHeader().GetTheme();
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(theme->GetThemeId(), 7);
    EXPECT_EQ(theme->m_iArrowPadding, 5);
}

TEST_F(ColumnViewWindowTest, FindMessagesUseTheCopiedText)
{
    const char name[] = "STEP9";
    COPYDATASTRUCT data = {0, sizeof(name), const_cast<char*>(name)};
    EXPECT_EQ(m_view.SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
    EXPECT_EQ(m_view.SendMessage(WM_QVX_LIST_SELECT_FOUND, 0, 0), 1);
    EXPECT_EQ(Selected(), (std::vector<int>{4}));
    COPYDATASTRUCT none = {0, 0, nullptr};
    EXPECT_EQ(m_view.SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&none)), 0);
    EXPECT_EQ(m_view.SendMessage(WM_QVX_LIST_SELECT_INDEX, 0, 99), 0) << "an index out of range";
}
} // namespace
