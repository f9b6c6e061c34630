// The results tree while a run goes on: a suite that logs steadily (3 tests, 120 lines each, one every
// 40 ms) keeps the tree scrolling for most of the run. At several moments after it has started to scroll,
// the screen must show the tree's rows whole, each with its own label, down to one of the newest messages.
//
// What the user sees is read from the screen (the tree's client area, copied from the screen DC), not
// printed by the tree on request: a tree asked to print itself paints afresh and would hide rows that it
// failed to paint on the screen. Each row the tree reports (its item, label and label rectangle, read across
// the process boundary) is compared with its label drawn here in the tree's font at the place the tree writes
// it; only the dark ("ink") pixels are compared, so the comparison does not depend on the exact shade of
// smoothed edges. A blank (white) row, a row drawn twice, a stale row or a row cut in half all differ.
#include <algorithm>
#include <cstdio>

#include "tests/common/MemorySurface.h"
#include "tests/e2e/E2eTestSupport.h"
#include "ui/controls/DrawingUtilities.h"

using namespace qvx_e2e;

namespace
{
const int kSamples = 6;
// Time between two samples, and how long one sample may take to find the tree at rest.
const DWORD kSampleSpacingMs = 400;
const DWORD kSampleTimeoutMs = 3000;
// A message shown on the screen is at most this many entries older than the tree's newest one (the tree
// shows new messages in slices of about 100 ms; the suite logs one every 40 ms).
const long kMostEntriesBehind = 15;

// The results tree's label font.
HFONT CreateLabelFont()
{
    const LOGFONTA description = HarnessDialogFontDescription();
    return ::CreateFontIndirectA(&description);
}

bool IsInk(COLORREF colour)
{
    return GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11 < 128 * 100;
}

// Copies the tree's client area from the screen; false when the tree is not what the screen shows there.
bool GrabClient(HWND tree, const RECT& client, qvx_test::CMemorySurface& surface)
{
    POINT origin = {0, 0};
    ::ClientToScreen(tree, &origin);
    const POINT corners[] = {{origin.x, origin.y},
                             {origin.x + client.right - 1, origin.y + client.bottom - 1}};
    for (const POINT& corner : corners)
    {
        if (::WindowFromPoint(corner) != tree)
        {
            ::SetWindowPos(::GetAncestor(tree, GA_ROOT), HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return false;
        }
    }
    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return false;
    const BOOL copied =
        ::BitBlt(surface.DC(), 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    return copied != FALSE;
}

// Compares every whole row of the capture (row i lies at i item heights from the top) with its label drawn
// in the tree's font where the tree writes it; the rows that differ go to problems.
void CompareRows(const std::vector<CRemoteTreeRow>& rows, int itemHeight, const RECT& client,
                 const qvx_test::CMemorySurface& captured, HFONT font, std::vector<std::string>& problems)
{
    qvx_test::CMemorySurface drawn(client.right, client.bottom);
    HGDIOBJ oldFont = ::SelectObject(drawn.DC(), font);
    ::SetTextColor(drawn.DC(), RGB(0, 0, 0));
    ::SetBkMode(drawn.DC(), TRANSPARENT);
    int wholeRows = 0;
    for (size_t i = 0; i < rows.size(); ++i)
    {
        const CRemoteTreeRow& row = rows[i];
        const int top = static_cast<int>(i) * itemHeight;
        if (top + itemHeight > client.bottom)
            break;
        ++wholeRows;
        if (::IsRectEmpty(&row.label))
        {
            problems.push_back("row " + std::to_string(i) + " has no rectangle: " + row.text);
            continue;
        }
        // The tree fills a band from just left of the label to the row's end and writes the label into it,
        // 2 pixels right of the label's left edge and 1 below the row's top. Only the label's left edge is
        // taken from the tree: it does not move when the tree scrolls.
        const int left = std::max(0, static_cast<int>(row.label.left) - 1);
        drawn.Clear(RGB(255, 255, 255));
        ::TextOutA(drawn.DC(), row.label.left + 2, top + 1, row.text.c_str(),
                   static_cast<int>(row.text.size()));
        int ink = 0, shownInk = 0, differing = 0;
        for (int y = top; y < top + itemHeight; ++y)
        {
            for (int x = left; x < client.right; ++x)
            {
                const bool want = IsInk(drawn.Pixel(x, y));
                const bool have = IsInk(captured.Pixel(x, y));
                ink += want;
                shownInk += have;
                differing += want != have;
            }
        }
        // A few pixels of leeway for the edges of smoothed letters.
        if (ink == 0 || differing * 20 > ink)
        {
            char line[160];
            std::snprintf(line, sizeof line, "row %d at y %d: %d ink pixels expected, %d shown, %d differ: ",
                          static_cast<int>(i), top, ink, shownInk, differing);
            problems.push_back(line + row.text);
        }
    }
    ::SelectObject(drawn.DC(), oldFont);
    if (wholeRows < 3)
        problems.push_back("only " + std::to_string(wholeRows) + " whole rows are shown");
}

struct CFontHolder
{
    HFONT font = CreateLabelFont();
    ~CFontHolder() { ::DeleteObject(font); }
};
} // namespace

class SteadyRunE2eTest : public CHarnessTest
{
};

TEST_F(SteadyRunE2eTest, TheTreeShowsItsNewestRowsWholeWhileItScrolls)
{
    Launch(CHarnessProcess::FixturePath("fx_steady.dll"));
    HWND treeWindow = ::GetDlgItem(Main(), kResultsTree);
    ASSERT_NE(treeWindow, nullptr);
    RECT client = {};
    ASSERT_TRUE(::GetClientRect(treeWindow, &client));
    ASSERT_GT(client.bottom, 100) << "the tree is too small to scroll";
    // The mouse away from the tree, so that no row is drawn hot.
    RECT main = {};
    ::GetWindowRect(Main(), &main);
    ::SetCursorPos(main.left + 2, main.top + 2);
    CFontHolder font;
    ASSERT_NE(font.font, nullptr);

    CRemoteTree tree(treeWindow);
    ASSERT_TRUE(tree.IsReady());
    PostCommand(Main(), kCommandRunAll);
    ASSERT_TRUE(WaitUntil([&] { return tree.FirstShown() && tree.FirstShown() != tree.Root(); }, 20000))
        << "the tree did not start to scroll";

    const int itemHeight = tree.ItemHeight();
    ASSERT_GT(itemHeight, 0);
    const int wholeRows = client.bottom / itemHeight;
    qvx_test::CMemorySurface captured(client.right, client.bottom);
    for (int sample = 0; sample < kSamples; ++sample)
    {
        ::Sleep(kSampleSpacingMs);
        // At rest: the same first row before and after the capture, and not the tree's first item (the tree
        // is scrolled; between two tests it may be short for a moment). Reading the rows takes longer than
        // the tree rests, so they are read afterwards: the tree only grows at its end meanwhile, unless a
        // test ended and was folded, which takes its rows away; then the sample is taken again.
        HTREEITEM first = nullptr, newest = nullptr;
        std::vector<CRemoteTreeRow> rows;
        bool atRest = false;
        WaitUntil(
            [&] {
                first = tree.FirstShown();
                if (!first || first == tree.Root())
                    return false;
                // The program answers at once but may put its last painting on the screen a moment later.
                ::Sleep(30);
                if (!GrabClient(treeWindow, client, captured))
                    return false;
                newest = tree.LastShowable();
                atRest = tree.FirstShown() == first;
                if (!atRest || !tree.ReadRows(first, wholeRows, rows))
                    return false;
                const bool folded = std::any_of(rows.begin(), rows.end(), [](const CRemoteTreeRow& row) {
                    return ::IsRectEmpty(&row.label);
                });
                return !folded || tree.FirstShown() == first;
            },
            kSampleTimeoutMs, 10);
        ASSERT_TRUE(atRest) << "sample " << sample
                            << ": the tree was never at rest and scrolled for a capture";
        ASSERT_EQ(Field(kCurrentTestField).find("All Tests Completed"), std::string::npos)
            << "the run ended before sample " << sample;

        std::vector<std::string> problems;
        CompareRows(rows, itemHeight, client, captured, font.font, problems);
        // The newest rows: the last whole row is one of the tree's newest entries when the capture was made.
        const long behind = rows.empty() ? -1 : tree.Distance(rows.back().item, newest, kMostEntriesBehind);
        if (behind < 0)
            problems.push_back("the last whole row is more than " + std::to_string(kMostEntriesBehind) +
                               " entries behind the newest");
        std::string shown;
        for (const std::string& problem : problems)
            shown += "\n  " + problem;
        EXPECT_TRUE(problems.empty())
            << "sample " << sample << " (" << rows.size() << " whole rows, the last \""
            << (rows.empty() ? std::string() : rows.back().text) << "\", " << behind
            << " entries behind the newest):" << shown;
    }
}
