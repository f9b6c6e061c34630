// Header themes by pixel probes: the header printed (WM_PRINTCLIENT) into a 32-bit canvas, per
// theme; layout heights; the resource theme without and with theme images.
#include "HeaderTestSupport.h"

#include "toolkit/common/resources/XTPResourceImages.h"

#include <algorithm>

using namespace hdr_test;

namespace
{
class HeaderThemeTest : public HeaderFixture
{
protected:
    void SetUp() override
    {
        HeaderFixture::SetUp();
        // No theme table: the resource theme draws its plain path unless a test loads one.
        GetResourceImages()->SetResourceModule(nullptr);
        CRect rc;
        header.GetClientRect(&rc);
        cx = rc.Width();
        cy = rc.Height();
    }
    void Print(Canvas& canvas) { header.SendMessage(WM_PRINTCLIENT, WPARAM(canvas.Hdc()), PRF_CLIENT); }
    CRect Item(int nCol)
    {
        CRect rc;
        header.GetItemRect(nCol, &rc);
        return rc;
    }
    // A header shadow colour that no other colour of the themes equals, so probes are unambiguous.
    CXTPHeaderCtrlTheme* Theme() { return header.GetTheme(); }
    int cx = 0, cy = 0;
};

COLORREF Blend(COLORREF a, COLORREF b, double f)
{
    auto ch = [f](int ca, int cb) { return int(ca - f * (ca - cb)); };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}
} // namespace

TEST_F(HeaderThemeTest, PrintClientPaintsEachThemesDividers)
{
    struct Case
    {
        int nTheme;
        int shadowX;      // offset from the column's right of the shadow divider
        int yBottomInset; // the divider's last row is bottom - inset - 1
    } cases[] = {{0, -2, 1}, {4, -2, 2}, {5, -2, 4}, {6, -2, 4}, {7, -2, 2}};
    for (const Case& c : cases)
    {
        header.SetTheme(c.nTheme);
        Canvas canvas(cx, cy);
        EXPECT_EQ(1, header.SendMessage(WM_PRINTCLIENT, WPARAM(canvas.Hdc()), PRF_CLIENT));
        CXTPHeaderCtrlTheme* t = Theme();
        CRect rc = Item(0);
        EXPECT_EQ(t->m_cr3DShadow, canvas.At(rc.right + c.shadowX, cy / 2)) << c.nTheme;
        EXPECT_EQ(t->m_cr3DShadow, canvas.At(rc.right + c.shadowX, cy - c.yBottomInset - 1)) << c.nTheme;
        EXPECT_NE(t->m_cr3DShadow, canvas.At(rc.right + c.shadowX, cy - c.yBottomInset)) << c.nTheme;
        // The face fills the column away from its edges and text.
        EXPECT_EQ(t->m_cr3DFace, canvas.At(rc.right - 6, 3)) << c.nTheme;
        // The top edge is the highlight.
        EXPECT_EQ(t->m_cr3DHighLight, canvas.At(rc.left + 40, 0)) << c.nTheme;
    }
}

TEST_F(HeaderThemeTest, ClassicAndOffice2003BackgroundsBlendTheirBottomEdges)
{
    header.SetTheme(0);
    Canvas classic(cx, cy);
    Print(classic);
    CXTPHeaderCtrlTheme* t = Theme();
    const int xFree = cx - 3; // right of every column: background only
    EXPECT_EQ(t->m_cr3DDkShadow, classic.At(xFree, cy - 1));
    EXPECT_EQ(t->m_cr3DShadow, classic.At(xFree, cy - 2));

    header.SetTheme(5);
    Canvas office(cx, cy);
    Print(office);
    t = Theme();
    EXPECT_EQ(Blend(t->m_cr3DFace, t->m_cr3DShadow, 0.6), office.At(xFree, cy - 1));
    EXPECT_EQ(Blend(t->m_cr3DFace, t->m_cr3DShadow, 0.4), office.At(xFree, cy - 2));
    EXPECT_EQ(Blend(t->m_cr3DFace, t->m_cr3DShadow, 0.25), office.At(xFree, cy - 3));
}

TEST_F(HeaderThemeTest, SortArrowIsAnOutlineOrFilledAndMissingWhenTooNarrow)
{
    list.SetColumnWidth(0, 120);
    struct Case
    {
        int nTheme;
        bool filled;
    } cases[] = {{0, false}, {4, false}, {5, false}, {6, true}, {7, false}};
    for (const Case& c : cases)
    {
        header.SetTheme(c.nTheme);
        CXTPHeaderCtrlTheme* t = Theme();
        header.SetSortImage(-1, TRUE);
        Canvas plain(cx, cy);
        Print(plain);
        for (BOOL bAscending : {TRUE, FALSE})
        {
            header.SetSortImage(0, bAscending);
            Canvas sorted(cx, cy);
            Print(sorted);
            std::vector<COLORREF> changed = sorted.Diff(plain, 0, 0, Item(0).right - 3, cy);
            ASSERT_GE(changed.size(), 6u) << c.nTheme;
            int nHigh = 0, nShadow = 0, nFill = 0;
            for (COLORREF clr : changed)
            {
                nHigh += clr == t->m_cr3DHighLight;
                nShadow += clr == t->m_cr3DShadow;
                nFill += clr == RGB(172, 168, 153);
            }
            if (c.filled)
                EXPECT_EQ(int(changed.size()), nFill) << c.nTheme;
            else
            {
                EXPECT_GE(nHigh, 3) << c.nTheme << " " << bAscending;
                EXPECT_GE(nShadow, 3) << c.nTheme << " " << bAscending;
                EXPECT_EQ(int(changed.size()), nHigh + nShadow) << c.nTheme;
            }
        }
    }
    // Descending flips the outline.
    header.SetTheme(0);
    Canvas up(cx, cy), down(cx, cy);
    header.SetSortImage(0, TRUE);
    Print(up);
    header.SetSortImage(0, FALSE);
    Print(down);
    EXPECT_FALSE(up.SameAs(down));

    // A column too narrow for the arrow shows none.
    header.SetTheme(6);
    list.SetColumnWidth(0, 8);
    header.SetSortImage(-1, TRUE);
    Canvas plain(cx, cy);
    Print(plain);
    header.SetSortImage(0, TRUE);
    Canvas narrow(cx, cy);
    Print(narrow);
    EXPECT_TRUE(narrow.SameAs(plain));
}

TEST_F(HeaderThemeTest, TextThatDoesNotFitEndsInAnEllipsis)
{
    list.SetColumnWidth(0, 30);
    header.SetTheme(4);
    HDITEMA item = {};
    char text[] = "A long column title";
    item.mask = HDI_TEXT;
    item.pszText = text;
    header.SetItem(0, &item);
    Canvas canvas(cx, cy);
    Print(canvas);
    CXTPHeaderCtrlTheme* t = Theme();
    CRect rc = Item(0);
    // Text pixels stay inside the text margins.
    EXPECT_GT(canvas.Count(rc.left + 6, 0, rc.right - 6, cy, t->m_crText), 0);
    EXPECT_EQ(0, canvas.Count(rc.right - 5, 2, rc.right - 2, cy - 2, t->m_crText));
    EXPECT_EQ(0, canvas.Count(rc.left, 2, rc.left + 6, cy - 2, t->m_crText));
}

TEST_F(HeaderThemeTest, Office2003AndExplorerSetTheirOwnHeight)
{
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, header.GetFont() ? header.GetFont()->GetSafeHandle() : ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    struct Case
    {
        int nTheme;
        int extra;
    } cases[] = {{5, 10}, {6, 6}};
    for (const Case& c : cases)
    {
        header.SetTheme(c.nTheme);
        RECT rc = {5, 7, 305, 200};
        WINDOWPOS wp = {};
        HDLAYOUT layout = {&rc, &wp};
        EXPECT_TRUE(header.SendMessage(HDM_LAYOUT, 0, LPARAM(&layout)));
        EXPECT_EQ(int(tm.tmHeight) + c.extra, wp.cy) << c.nTheme;
        EXPECT_EQ(5, wp.x);
        EXPECT_EQ(7, wp.y);
        EXPECT_EQ(300, wp.cx);
        EXPECT_EQ(UINT(SWP_NOZORDER | SWP_NOACTIVATE), wp.flags);
        EXPECT_EQ(7 + int(tm.tmHeight) + c.extra, rc.top);
    }
}

TEST_F(HeaderThemeTest, ResourceThemeWithoutImagesPaintsLikeOfficeXP)
{
    ASSERT_FALSE(GetResourceImages()->IsLoaded());
    list.SetColumnWidth(0, 120);
    // Background, dividers and text alike; the arrow is the outline one of the same colours
    // (checked with the arrows), only 4 pixels high as the class sets.
    header.SetTheme(4);
    Canvas xp(cx, cy);
    Print(xp);
    header.SetTheme(7);
    Canvas resource(cx, cy);
    Print(resource);
    EXPECT_TRUE(xp.SameAs(resource));
    EXPECT_EQ(4, Theme()->m_cyArrow);
}

TEST_F(HeaderThemeTest, ResourceThemeWithImagesTakesTheReportControlColours)
{
    CXTPResourceImages* pImages = GetResourceImages();
    pImages->SetResourceModule(::GetModuleHandleA(nullptr), "HDRTEST.INI");
    ASSERT_TRUE(pImages->IsLoaded());
    list.SetColumnWidth(0, 120);
    header.SetSortImage(0, TRUE);
    header.SetTheme(7);
    CXTPHeaderCtrlTheme* t = Theme();
    EXPECT_EQ(RGB(10, 20, 30), t->m_crText);
    EXPECT_EQ(RGB(200, 0, 0), t->m_cr3DShadow);   // column separator
    EXPECT_EQ(RGB(0, 0, 200), t->m_cr3DDkShadow); // column shadow

    Canvas canvas(cx, cy);
    Print(canvas);
    CRect rc = Item(1);
    EXPECT_EQ(RGB(0, 200, 0), canvas.At(rc.left + 30, 3));         // the normal gradient
    EXPECT_EQ(RGB(0, 0, 200), canvas.At(cx - 3, cy - 1));          // column shadow line
    EXPECT_EQ(RGB(200, 0, 0), canvas.At(rc.right, cy / 2));        // separator at the right
    // The filled arrow in the separator colour: the only change that sorting makes in column 0.
    header.SetSortImage(-1, TRUE);
    Canvas plain(cx, cy);
    Print(plain);
    std::vector<COLORREF> changed = canvas.Diff(plain, 0, 0, Item(0).right - 3, cy);
    ASSERT_GE(changed.size(), 8u);
    EXPECT_EQ(changed.size(), size_t(std::count(changed.begin(), changed.end(), RGB(200, 0, 0))));

    pImages->SetResourceModule(nullptr);
    header.SetTheme(7);
    EXPECT_FALSE(pImages->IsLoaded());
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), Theme()->m_cr3DShadow);
}

TEST_F(HeaderThemeTest, ItemBitmapKeepsTheFormatAndTheListStaysWithTheTheme)
{
    header.SetTheme(4);
    CXTPHeaderCtrlTheme* t = Theme();
    // A bitmap that does not exist: nothing stored, FALSE.
    EXPECT_FALSE(t->SetItemBitmap(1, 4242, FALSE, RGB(255, 0, 255), &header));
    EXPECT_EQ(nullptr, t->GetItemImageList(1));
    EXPECT_FALSE(t->SetItemBitmap(7, 4242, FALSE, RGB(255, 0, 255), &header)); // no such column

    // The toolkit's own column-menu bitmap serves as a column image.
    ASSERT_TRUE(t->SetItemBitmap(1, 9307, FALSE, RGB(255, 0, 255), &header));
    HIMAGELIST hList = t->GetItemImageList(1);
    ASSERT_NE(nullptr, hList);
    HDITEMA hdi = {};
    hdi.mask = HDI_FORMAT;
    header.GetItem(1, &hdi);
    EXPECT_TRUE(hdi.fmt & HDF_BITMAP);
    EXPECT_EQ(HDF_RIGHT, hdi.fmt & HDF_JUSTIFYMASK); // the alignment bits stay
    Canvas canvas(cx, cy);
    Print(canvas); // draws without touching the column's bitmap slot

    EXPECT_FALSE(t->SetItemBitmap(1, 0, TRUE, 0, &header));
    EXPECT_EQ(nullptr, t->GetItemImageList(1));
    header.GetItem(1, &hdi);
    EXPECT_FALSE(hdi.fmt & HDF_BITMAP);
    EXPECT_EQ(HDF_RIGHT, hdi.fmt & HDF_JUSTIFYMASK);
}

TEST_F(HeaderThemeTest, ColumnsAreDrawnInDisplayOrder)
{
    header.SetTheme(4);
    Canvas plain(cx, cy);
    Print(plain);
    // The identity order prints as before.
    int order[3] = {0, 1, 2};
    header.SetOrderArray(3, order);
    Canvas again(cx, cy);
    Print(again);
    EXPECT_TRUE(plain.SameAs(again));
    int swapped[3] = {2, 1, 0};
    header.SetOrderArray(3, swapped);
    Canvas other(cx, cy);
    Print(other);
    // Column 2 (60 wide) is drawn first now: its divider sits at x = 60.
    EXPECT_EQ(Theme()->m_cr3DShadow, other.At(60 - 2, cy / 2));
}
