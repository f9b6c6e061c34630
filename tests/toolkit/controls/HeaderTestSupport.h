// Helpers of the header tests: a list control with a themed header subclassed inside it, a
// recorder of the item-click notifications it and its descendants receive, 32-bit canvases read
// back pixel by pixel, and visual styles switched off through the theme wrapper.
#pragma once

#include "framework/DC.h"
#include "framework/ListCtrl.h"
#include "toolkit/common/system/XTPWinThemeWrapper.h"
#include "toolkit/controls/XTPHeaderCtrl.h"
#include "tests/common/MemorySurface.h"

#include <gtest/gtest.h>

#include <vector>
#include <windows.h>

namespace hdr_test
{
// Counts HDN_ITEMCLICKA notifications (column, button) that reach the window.
class CClickRecorder
{
public:
    struct Click
    {
        HWND hwndTo;
        int nColumn;
        int nButton;
    };
    std::vector<Click> clicks;
    void Note(HWND hWnd, LPARAM lParam)
    {
        const NMHEADERA* pnm = reinterpret_cast<const NMHEADERA*>(lParam);
        if (pnm && pnm->hdr.code == UINT(HDN_ITEMCLICKA))
            clicks.push_back({hWnd, pnm->iItem, pnm->iButton});
    }
};

class CRecordingList : public CListCtrl
{
public:
    CClickRecorder* pRecorder = nullptr;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_NOTIFY && pRecorder)
            pRecorder->Note(m_hWnd, lParam);
        return CListCtrl::OnWndMsg(message, wParam, lParam, pResult);
    }
};

class CRecordingChild : public CWnd
{
public:
    CClickRecorder* pRecorder = nullptr;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_NOTIFY && pRecorder)
            pRecorder->Note(m_hWnd, lParam);
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
};

// The header with its last right-click point settable, as a right click would set it; it notes the
// id of every WM_COMMAND it receives.
class CTestHeader : public CXTPHeaderCtrl
{
public:
    void SetClickPoint(CPoint pt) { m_pt = pt; }
    std::vector<UINT> commands;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_COMMAND)
            commands.push_back(LOWORD(wParam));
        return CXTPHeaderCtrl::OnWndMsg(message, wParam, lParam, pResult);
    }
};

// Visual styles off for the test's lifetime: the wrapper binds a module that does not exist.
class NoVisualStyles
{
public:
    NoVisualStyles() { CXTPWinThemeWrapper::ResetSharedTable(0, "qvx-no-visual-styles.dll"); }
    ~NoVisualStyles() { CXTPWinThemeWrapper::ResetSharedTable(0, "uxtheme.dll"); }
};

// A popup window holding a report-view list of three columns (100, 80, 60 pixels, the second
// right-aligned) whose header is a CTestHeader.
class HeaderFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateEx(0, nullptr, "header", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 200), nullptr, 0));
        list.pRecorder = &recorder;
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 360, 150), &frame, 100));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "Size", LVCFMT_RIGHT, 80);
        list.InsertColumn(2, "Date", LVCFMT_LEFT, 60);
        ASSERT_TRUE(header.SubclassWindow(list.GetHeaderCtrl()));
        child.pRecorder = &recorder;
        ASSERT_TRUE(child.CreateEx(0, nullptr, "probe", WS_CHILD, CRect(0, 0, 1, 1), &list, 101));
    }
    void TearDown() override
    {
        if (header.GetSafeHwnd())
            header.UnsubclassWindow();
        frame.DestroyWindow();
    }
    int Width(int nCol) const { return list.GetColumnWidth(nCol); }
    CPoint ColumnPoint(int nCol)
    {
        CRect rc;
        header.GetItemRect(nCol, &rc);
        return rc.CenterPoint();
    }

    NoVisualStyles noStyles;
    CWnd frame;
    CRecordingList list;
    CRecordingChild child;
    CTestHeader header;
    CClickRecorder recorder;
};

// A top-down 32-bit canvas to print a header into.
class Canvas
{
public:
    Canvas(int cx, int cy) : m_cx(cx), m_cy(cy), m_surface(cx, cy) {}
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Hdc() const { return m_surface.DC(); }
    COLORREF At(int x, int y) const { return m_surface.Pixel(x, y); }
    bool SameAs(const Canvas& other) const
    {
        for (int y = 0; y < m_cy; ++y)
            for (int x = 0; x < m_cx; ++x)
                if (At(x, y) != other.At(x, y))
                    return false;
        return true;
    }
    // Colours of this canvas where it differs from the other, inside the rectangle.
    std::vector<COLORREF> Diff(const Canvas& other, int x0, int y0, int x1, int y1) const
    {
        std::vector<COLORREF> out;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (At(x, y) != other.At(x, y))
                    out.push_back(At(x, y));
        return out;
    }
    int Count(int x0, int y0, int x1, int y1, COLORREF clr) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += At(x, y) == clr ? 1 : 0;
        return n;
    }

private:
    int m_cx, m_cy;
    qvx_test::CMemorySurface m_surface;
};
} // namespace hdr_test
