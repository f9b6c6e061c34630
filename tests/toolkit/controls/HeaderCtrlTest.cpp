// The header's behaviour in a real list: refused widths, sorting from the column menu, the menu
// itself, column fitting, frozen-column cursors and theme selection.
#include "HeaderTestSupport.h"

#include "toolkit/controls/XTPControlsResourceIds.h"
#include "framework/Menu.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"

#include <string>

using namespace hdr_test;

namespace
{
using HeaderCtrlTest = HeaderFixture;

// Sends an item-changing notification from the header to the list, as the header itself would.
LRESULT SendWidthChange(CXTPHeaderCtrl& header, HWND hList, UINT code, int nCol, int cxy, UINT mask = HDI_WIDTH)
{
    HDITEMA item = {};
    item.mask = mask;
    item.cxy = cxy;
    NMHEADERA nm = {};
    nm.hdr.hwndFrom = header.GetSafeHwnd();
    nm.hdr.idFrom = UINT_PTR(::GetDlgCtrlID(header.GetSafeHwnd()));
    nm.hdr.code = code;
    nm.iItem = nCol;
    nm.pitem = &item;
    return ::SendMessageA(hList, WM_NOTIFY, nm.hdr.idFrom, LPARAM(&nm));
}
} // namespace

TEST_F(HeaderCtrlTest, WidthChangesOfFrozenColumnsAndBelowTheMinimumAreRefusedInBothCharacterSets)
{
    header.SetMinColumnWidth(20);
    header.FreezeColumn(2);
    struct Case
    {
        int nCol;
        int cxy;
        UINT mask;
        LRESULT refused;
    } cases[] = {
        {0, 50, HDI_WIDTH, FALSE},  // a free column at a fair width
        {0, 20, HDI_WIDTH, FALSE},  // exactly the minimum
        {0, 19, HDI_WIDTH, TRUE},   // below it
        {2, 90, HDI_WIDTH, TRUE},   // frozen
        {2, 5, HDI_TEXT, FALSE},    // no width in the change
    };
    for (UINT code : {UINT(HDN_ITEMCHANGINGA), UINT(HDN_ITEMCHANGINGW)})
        for (const Case& c : cases)
            EXPECT_EQ(c.refused, SendWidthChange(header, list.GetSafeHwnd(), code, c.nCol, c.cxy, c.mask))
                << "code " << int(code) << " column " << c.nCol << " width " << c.cxy;

    // Through the control itself: the header asks its parent before it changes a width.
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    item.cxy = 10;
    header.SetItem(0, &item);
    EXPECT_EQ(100, Width(0));
    item.cxy = 140;
    header.SetItem(2, &item);
    EXPECT_EQ(60, Width(2));
    item.cxy = 70;
    header.SetItem(1, &item);
    EXPECT_EQ(70, Width(1));
}

TEST_F(HeaderCtrlTest, MenuSortNotifiesTheListAndItsDescendantsUnlessNothingChanges)
{
    header.SetClickPoint(ColumnPoint(1));
    header.SendMessage(WM_COMMAND, XTP_IDC_SORTASC, 0);
    BOOL bAscending = FALSE;
    EXPECT_EQ(1, header.GetSortedColumn(&bAscending));
    EXPECT_TRUE(bAscending);
    ASSERT_EQ(2u, recorder.clicks.size()); // the list, then its descendants (the probe among them)
    EXPECT_EQ(list.GetSafeHwnd(), recorder.clicks[0].hwndTo);
    EXPECT_EQ(child.GetSafeHwnd(), recorder.clicks[1].hwndTo);
    for (const auto& c : recorder.clicks)
    {
        EXPECT_EQ(1, c.nColumn);
        EXPECT_EQ(1, c.nButton);
    }

    recorder.clicks.clear();
    header.SendMessage(WM_COMMAND, XTP_IDC_SORTASC, 0); // the same direction again
    EXPECT_TRUE(recorder.clicks.empty());
    header.SendMessage(WM_COMMAND, XTP_IDC_SORTDSC, 0);
    EXPECT_EQ(2u, recorder.clicks.size());
    EXPECT_EQ(1, header.GetSortedColumn(&bAscending));
    EXPECT_FALSE(bAscending);

    recorder.clicks.clear();
    header.SetClickPoint(CPoint(390, 5)); // right of every column
    header.SendMessage(WM_COMMAND, XTP_IDC_SORTASC, 0);
    EXPECT_TRUE(recorder.clicks.empty());
    EXPECT_EQ(1, header.GetSortedColumn());
}

TEST_F(HeaderCtrlTest, AlignmentCommandsRewriteOnlyTheAlignmentBits)
{
    header.SetClickPoint(ColumnPoint(0));
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    struct Case
    {
        UINT nCmd;
        int fmt;
    } cases[] = {{XTP_IDC_ALIGNRIGHT, LVCFMT_RIGHT}, {XTP_IDC_ALIGNCENTER, LVCFMT_CENTER}, {XTP_IDC_ALIGNLEFT, LVCFMT_LEFT}};
    for (const Case& c : cases)
    {
        header.SendMessage(WM_COMMAND, c.nCmd, 0);
        ASSERT_TRUE(list.GetColumn(0, &column));
        EXPECT_EQ(c.fmt, column.fmt & LVCFMT_JUSTIFYMASK) << c.nCmd;
    }
}

TEST_F(HeaderCtrlTest, SetSortImageReturnsThePreviousColumnAndMinusOneRemovesTheArrow)
{
    EXPECT_EQ(-1, header.SetSortImage(2, FALSE));
    EXPECT_EQ(2, header.SetSortImage(-1, TRUE));
    EXPECT_EQ(-1, header.GetSortedColumn());
}

TEST_F(HeaderCtrlTest, FittingSharesTheWidthAmongFreeColumnsAboveTheMinimum)
{
    struct Case
    {
        int nWidth;
        int nMin;
        int frozen;     // -1 none
        int expected[3];
    } cases[] = {
        {300, 0, -1, {100, 100, 100}},
        {301, 0, -1, {100, 100, 100}},  // integer division
        {200, 0, 1, {100, 80, 100}},    // the frozen column keeps its width
        {90, 30, -1, {100, 80, 60}},    // a share of 30 is not above the minimum: nothing changes
        {93, 30, -1, {31, 31, 31}},
    };
    for (const Case& c : cases)
    {
        list.SetColumnWidth(0, 100);
        list.SetColumnWidth(1, 80);
        list.SetColumnWidth(2, 60);
        header.ThawAllColumns();
        if (c.frozen >= 0)
            header.FreezeColumn(c.frozen);
        header.SetMinColumnWidth(c.nMin);
        header.DistributeColumnWidth(c.nWidth);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(c.expected[i], Width(i)) << "width " << c.nWidth << " column " << i;
    }

    // Every column frozen: nothing to share.
    for (int i = 0; i < 3; ++i)
        header.FreezeColumn(i);
    header.DistributeColumnWidth(600);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(31, Width(i));

    // FitColumnsToClient takes the frozen widths off the given width.
    header.ThawAllColumns();
    header.SetMinColumnWidth(0);
    list.SetColumnWidth(1, 80);
    header.FreezeColumn(1);
    header.FitColumnsToClient(280);
    EXPECT_EQ(100, Width(0));
    EXPECT_EQ(100, Width(2));
}

TEST_F(HeaderCtrlTest, AutoFitRefitsWhenTheHeaderWidthChanges)
{
    header.SetAutoFit(TRUE);
    CRect rc;
    header.GetWindowRect(&rc);
    header.SetWindowPos(nullptr, 0, 0, 330, rc.Height(), SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(110, Width(0));
    EXPECT_EQ(110, Width(2));
}

TEST_F(HeaderCtrlTest, FrozenColumnsAndTheirResizeSideShowTheArrowCursor)
{
    header.FreezeColumn(0);
    CRect rc0, rc1;
    header.GetItemRect(0, &rc0);
    header.GetItemRect(1, &rc1);
    struct Case
    {
        CPoint pt;
        BOOL arrow;
    } cases[] = {
        {rc0.CenterPoint(), TRUE},                          // on the frozen column
        {CPoint(rc1.left + 2, rc1.top + 5), TRUE},          // the half of column 1 next to it
        {CPoint(rc1.left + rc1.Width() / 2, 5), TRUE},      // the middle counts to that half
        {CPoint(rc1.right - 20, rc1.top + 5), FALSE},       // the far half
    };
    for (const Case& c : cases)
    {
        CPoint screen = c.pt;
        header.ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        ::SetCursor(nullptr);
        LRESULT handled = header.SendMessage(WM_SETCURSOR, WPARAM(header.GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        if (c.arrow)
        {
            EXPECT_TRUE(handled) << c.pt.x;
            EXPECT_EQ(::LoadCursor(nullptr, IDC_ARROW), ::GetCursor()) << c.pt.x;
        }
        else
            EXPECT_NE(::LoadCursor(nullptr, IDC_ARROW), handled ? ::GetCursor() : nullptr) << c.pt.x;
    }
}

TEST_F(HeaderCtrlTest, ThemeNumbersMakeTheirThemesAndMessageSetsOne)
{
    struct Case
    {
        int nTheme;
        int nId;
    } cases[] = {{0, 0}, {1, 4}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 6}, {9, 6}, {10, 6}, {11, 0}, {-3, 0}};
    for (const Case& c : cases)
    {
        EXPECT_TRUE(header.SetTheme(c.nTheme));
        ASSERT_NE(nullptr, header.GetTheme());
        EXPECT_EQ(c.nId, header.GetTheme()->GetThemeId()) << c.nTheme;
    }
    EXPECT_EQ(0, header.SendMessage(WM_XTP_SETCONTROLTHEME, 5, 0));
    EXPECT_EQ(5, header.GetTheme()->GetThemeId());
    header.SetTheme(6);
    EXPECT_EQ(7, header.GetTheme()->GetDrawStyle());
    header.ShowSortArrow(FALSE);
    EXPECT_EQ(3, header.GetTheme()->GetDrawStyle());
}

namespace
{
// The popup bar the thread tracks now (the last one opened), or null.
CXTPCommandBar* TrackedPopup()
{
    const CXTPMouseManager::CTrackArray& bars = XTPMouseManager()->GetTrackArray();
    return bars.GetSize() ? bars[bars.GetSize() - 1] : nullptr;
}

// Sends a button message to a bar at the middle of one of its controls, as a click would.
void ClickControl(CXTPCommandBar* pBar, CXTPControl* pControl, UINT message)
{
    const CPoint pt = pControl->GetRect().CenterPoint();
    ::SendMessageA(pBar->GetSafeHwnd(), message, 0, MAKELPARAM(pt.x, pt.y));
}

// Reads the column menu (a command-bars popup) while it is open, then closes it with a click on the
// item with the chosen command (opening the sub-menu that holds it) or without a choice.
struct MenuProbe
{
    bool seen = false;
    BOOL checkedAsc = FALSE, checkedDsc = FALSE, checkedLeft = FALSE, checkedRight = FALSE;
    int count = 0;
    std::string first;
    BOOL thirdBeginsGroup = FALSE;
    UINT choose = 0;
    bool chosen = false;
};
MenuProbe* g_probe = nullptr;

BOOL IsChecked(CXTPControls* pControls, UINT nId)
{
    CXTPControl* pControl = pControls->FindControl(0, static_cast<int>(nId), FALSE, TRUE);
    return pControl ? pControl->GetChecked() : FALSE;
}

void CALLBACK ProbeMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    CXTPCommandBar* pBar = TrackedPopup();
    if (!pBar || !g_probe)
        return;
    ::KillTimer(nullptr, id);
    CXTPControls* pControls = pBar->GetControls();
    g_probe->seen = true;
    g_probe->count = pControls->GetCount();
    if (g_probe->count > 0)
        g_probe->first = static_cast<const char*>(pControls->GetAt(0)->GetCaption());
    if (g_probe->count > 2)
        g_probe->thirdBeginsGroup = pControls->GetAt(2)->GetBeginGroup();
    g_probe->checkedAsc = IsChecked(pControls, XTP_IDC_SORTASC);
    g_probe->checkedDsc = IsChecked(pControls, XTP_IDC_SORTDSC);
    g_probe->checkedLeft = IsChecked(pControls, XTP_IDC_ALIGNLEFT);
    g_probe->checkedRight = IsChecked(pControls, XTP_IDC_ALIGNRIGHT);
    if (g_probe->choose)
    {
        const int nId = static_cast<int>(g_probe->choose);
        CXTPControl* pItem = pControls->FindControl(0, nId, FALSE, FALSE);
        CXTPCommandBar* pItemBar = pBar;
        for (int i = 0; !pItem && i < pControls->GetCount(); ++i)
        {
            CXTPControl* pPopup = pControls->GetAt(i);
            CXTPCommandBar* pSub = pPopup->GetCommandBar();
            if (pSub && pSub->GetControls()->FindControl(0, nId, FALSE, FALSE))
            {
                ClickControl(pBar, pPopup, WM_LBUTTONDOWN); // opens the sub-menu
                pItemBar = pSub;
                pItem = pSub->GetControls()->FindControl(0, nId, FALSE, FALSE);
            }
        }
        if (pItem && pItemBar->GetSafeHwnd() && ::IsWindowVisible(pItemBar->GetSafeHwnd()))
        {
            g_probe->chosen = true;
            ClickControl(pItemBar, pItem, WM_LBUTTONUP);
        }
    }
    XTPMouseManager()->SendTrackLostAll();
}

void CALLBACK CloseAnyMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    XTPMouseManager()->SendTrackLostAll();
}

// Right-clicks the column with the probe reading (and maybe choosing from) the menu meanwhile.
void RightClickWithProbe(CTestHeader& header, CPoint pt, MenuProbe& probe)
{
    g_probe = &probe;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ProbeMenu);
    UINT_PTR safety = ::SetTimer(nullptr, 0, 3000, CloseAnyMenu);
    header.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    ::KillTimer(nullptr, timer);
    ::KillTimer(nullptr, safety);
    g_probe = nullptr;
}
} // namespace

TEST_F(HeaderCtrlTest, RightClickShowsTheColumnMenuWithSortAndAlignmentChecked)
{
    header.SetSortImage(1, TRUE);
    MenuProbe probe;
    RightClickWithProbe(header, ColumnPoint(1), probe);
    ASSERT_TRUE(probe.seen);
    // Sort Ascending, Sort Descending and the Alignment sub-menu after a group line.
    EXPECT_EQ(3, probe.count);
    EXPECT_EQ("Sort Ascending", probe.first);
    EXPECT_TRUE(probe.thirdBeginsGroup);
    EXPECT_TRUE(probe.checkedAsc);
    EXPECT_FALSE(probe.checkedDsc);
    EXPECT_TRUE(probe.checkedRight); // column 1 is right-aligned
    EXPECT_FALSE(probe.checkedLeft);
    EXPECT_TRUE(recorder.clicks.empty());
    EXPECT_TRUE(header.commands.empty());
}

TEST_F(HeaderCtrlTest, AChosenMenuCommandComesBackToTheHeader)
{
    header.SetSortImage(0, TRUE);
    MenuProbe probe;
    probe.choose = XTP_IDC_SORTDSC;
    RightClickWithProbe(header, ColumnPoint(0), probe);
    ASSERT_TRUE(probe.seen);
    ASSERT_TRUE(probe.chosen);
    BOOL bAscending = TRUE;
    EXPECT_EQ(0, header.GetSortedColumn(&bAscending));
    EXPECT_FALSE(bAscending);
    EXPECT_EQ(2u, recorder.clicks.size());
}

// Each item picked from the open menu (the alignments from its sub-menu) reaches the header as
// exactly one command, and that command does its work once.
TEST_F(HeaderCtrlTest, EachPickedMenuItemArrivesAsExactlyOneCommand)
{
    struct Case
    {
        UINT nCmd;
        size_t nClicks; // item-click notifications (list and probe child) the command causes
        int fmt;        // column 0's alignment afterwards
    } cases[] = {{XTP_IDC_SORTDSC, 2u, LVCFMT_LEFT},
                 {XTP_IDC_SORTASC, 2u, LVCFMT_LEFT},
                 {XTP_IDC_ALIGNCENTER, 0u, LVCFMT_CENTER},
                 {XTP_IDC_ALIGNRIGHT, 0u, LVCFMT_RIGHT}};
    for (const Case& c : cases)
    {
        header.commands.clear();
        recorder.clicks.clear();
        MenuProbe probe;
        probe.choose = c.nCmd;
        RightClickWithProbe(header, ColumnPoint(0), probe);
        ASSERT_TRUE(probe.chosen) << c.nCmd;
        // Anything posted late would still arrive: let it.
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ASSERT_EQ(1u, header.commands.size()) << c.nCmd;
        EXPECT_EQ(c.nCmd, header.commands[0]);
        EXPECT_EQ(c.nClicks, recorder.clicks.size()) << c.nCmd;
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT;
        ASSERT_TRUE(list.GetColumn(0, &column));
        EXPECT_EQ(c.fmt, column.fmt & LVCFMT_JUSTIFYMASK) << c.nCmd;
    }
}

TEST_F(HeaderCtrlTest, NoMenuOutsideColumnsOrWithNoSortHeaderStyle)
{
    MenuProbe probe;
    g_probe = &probe;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ProbeMenu);
    header.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(390, 5));
    list.ModifyStyle(0, LVS_NOSORTHEADER);
    CPoint pt = ColumnPoint(0);
    header.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    // Let the timer run once: no menu window exists to be found.
    MSG msg;
    DWORD until = ::GetTickCount() + 200;
    while (::GetTickCount() < until)
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    ::KillTimer(nullptr, timer);
    g_probe = nullptr;
    EXPECT_FALSE(probe.seen);
    EXPECT_EQ(pt, header.GetLastRClickPoint());
}

TEST(PopupMenuTrack, RefusesAMissingMenu)
{
    CMenu menu;
    EXPECT_EQ(0u, CXTPCommandBars::TrackCommandBarsPopupMenu(nullptr, 0, 0, 0, nullptr, 0, FALSE));
    EXPECT_EQ(0u, CXTPCommandBars::TrackCommandBarsPopupMenu(&menu, 0, 0, 0, nullptr, 0, FALSE));
}
