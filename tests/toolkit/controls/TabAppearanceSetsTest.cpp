// The appearance sets by id: the factory, a smoke draw of every set at every position and state,
// header margins and draw rectangles per set, and pixel probes of their outlines on 32-bit memory
// surfaces filled with a sentinel colour (polygons, softened corners, separators, bars, the
// caller's clipping, and the sets drawn from cell-coded theme pictures).
#include "TabTestSupport.h"

#include "tests/common/MemorySurface.h"
#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/resources/XTPResourceImages.h"
#include "toolkit/controls/tabs/XTPTabAppearanceSetsImages.h"
#include "toolkit/controls/tabs/XTPTabAppearanceSetsSlanted.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <typeinfo>
#include <vector>

using qvx_test::CMemorySurface;
using tab_test::CTestTabManager;

namespace
{
const COLORREF kSentinel = CMemorySurface::kInitialColour;
typedef CXTPTabPaintManager PM;

class CSurfaceDC : public CDC
{
public:
    explicit CSurfaceDC(const CMemorySurface& surface) { Attach(surface.DC()); }
    ~CSurfaceDC() override { Detach(); }
};

// ratio x a + (1 - ratio) x b per channel, ratio = alpha / 255.
COLORREF Blend(COLORREF a, COLORREF b, int nAlpha)
{
    auto ch = [&](int ca, int cb) { return int(nAlpha / 255.0 * ca + (1 - nAlpha / 255.0) * cb); };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}

bool Near(COLORREF a, COLORREF b, int nTolerance = 1)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= nTolerance && std::abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

// A manager whose paint manager has the set of the id and the default colour set (so that the
// probed colours do not depend on the colour sets of the id).
struct SetUnderTest
{
    explicit SetUnderTest(int nAppearance, int nItems = 1, CRect rcLayout = CRect(0, 0, 300, 100))
        : manager(rcLayout)
    {
        pm()->SetAppearance(nAppearance);
        pm()->SetColorSet(new PM::CColorSetDefault());
        for (int i = 0; i < nItems; i++)
            manager.AddItem(-1);
    }
    PM* pm() { return manager.m_pPaintManager; }
    CXTPTabPaintManagerAppearanceSet* set() { return pm()->GetAppearanceSet(); }
    CXTPTabPaintManagerColorSet* colors() { return pm()->GetColorSet(); }
    CXTPTabManagerItem* item(int i) { return manager.GetItem(i); }
    // Draws one item with rectangle rc at the position, directly through the set.
    void DrawItem(CDC* pDC, int i, CRect rc, int nPosition = xtpTabPositionTop)
    {
        pm()->m_nPosition = nPosition;
        item(i)->SetRect(rc);
        item(i)->m_nRow = 0;
        set()->DrawSingleButton(pDC, item(i));
    }
    CTestTabManager manager;
};

const int kPositions[] = {xtpTabPositionTop, xtpTabPositionLeft, xtpTabPositionBottom, xtpTabPositionRight};

// A window that keeps a copy of what is put on it and paints it back.
class CTabTestWindowForSheet
{
public:
    CTabTestWindowForSheet(int cx, int cy) : m_surface(cx, cy)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "QvxTabContactSheet";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowExA(0, wc.lpszClassName, "tab looks", WS_POPUP | WS_VISIBLE, 0, 0, cx, cy, nullptr,
                                   nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, LONG_PTR(this));
    }
    ~CTabTestWindowForSheet() { ::DestroyWindow(m_hWnd); }
    CTabTestWindowForSheet(const CTabTestWindowForSheet&) = delete;
    CTabTestWindowForSheet& operator=(const CTabTestWindowForSheet&) = delete;
    void Put(HDC hdcFrom, int x, int y, int cx, int cy)
    {
        ::BitBlt(m_surface.DC(), x, y, cx, cy, hdcFrom, 0, 0, SRCCOPY);
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    // Pumps messages for the given milliseconds (text of a number; nothing for null).
    void Hold(const char* pszMilliseconds)
    {
        const DWORD dwEnd = ::GetTickCount() + DWORD(pszMilliseconds ? atoi(pszMilliseconds) : 0);
        do
        {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&msg);
            ::Sleep(20);
        } while (int(dwEnd - ::GetTickCount()) > 0);
    }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* pThis = reinterpret_cast<CTabTestWindowForSheet*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (message == WM_PAINT && pThis)
        {
            PAINTSTRUCT ps;
            HDC hDC = ::BeginPaint(hWnd, &ps);
            RECT rc;
            ::GetClientRect(hWnd, &rc);
            ::BitBlt(hDC, 0, 0, rc.right, rc.bottom, pThis->m_surface.DC(), 0, 0, SRCCOPY);
            ::EndPaint(hWnd, &ps);
            return 0;
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    CMemorySurface m_surface;
    HWND m_hWnd = nullptr;
};
} // namespace

// ---------------------------------------------------------------- factory and smoke

TEST(TabAppearanceSets, FactoryMakesTheClassOfEveryIdWithItsMaskAndDefaultColours)
{
    struct Case
    {
        int nId;
        const std::type_info& type;
        int nMask;
        int nDefaultColor;
    } cases[] = {
        {0, typeid(PM::CAppearanceSetPropertyPage), 13, 1},
        {1, typeid(PM::CAppearanceSetPropertyPageSelected), 13, 1},
        {2, typeid(PM::CAppearanceSetPropertyPageFlat), 263, 1},
        {3, typeid(PM::CAppearanceSetPropertyPage2003), 85, 4},
        {4, typeid(PM::CAppearanceSetStateButtons), 95, 2},
        {5, typeid(PM::CAppearanceSetVisualStudio), 7, 2},
        {6, typeid(PM::CAppearanceSetFlat), 263, 2},
        {7, typeid(PM::CAppearanceSetExcel), 263, 2},
        {8, typeid(PM::CAppearanceSetVisio), 5, 1},
        {9, typeid(PM::CAppearanceSetVisualStudio2005), 85, 4},
        {10, typeid(PM::CAppearanceSetPropertyPage2007), 32, 32},
        {11, typeid(PM::CAppearanceSetPropertyPageAccess2007), 128, 128},
        {12, typeid(PM::CAppearanceSetVisualStudio2010), 263, 256},
        {13, typeid(PM::CAppearanceSetPropertyPage), 13, 1},
    };
    PM* pm = new PM();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nId);
        CXTPTabPaintManagerAppearanceSet* pSet = pm->SetAppearance(c.nId);
        ASSERT_NE(pSet, nullptr);
        EXPECT_TRUE(typeid(*pSet) == c.type) << typeid(*pSet).name();
        EXPECT_EQ(pSet->GetSupportedColorSets(), c.nMask);
        EXPECT_EQ(pSet->GetDefaultColorSet(), c.nDefaultColor);
        EXPECT_EQ(pm->GetColor(), c.nDefaultColor);
        EXPECT_EQ(pm->GetAppearance(), c.nId);
    }
    pm->InternalRelease();
}

TEST(TabAppearanceSets, EverySetLaysOutAndDrawsAtEveryPositionAndState)
{
    struct State
    {
        const char* name;
        std::function<void(CTestTabManager&)> apply;
    } states[] = {
        {"plain", [](CTestTabManager&) {}},
        {"selected, hot, disabled",
         [](CTestTabManager& m) {
             m.SetCurSel(1);
             m.m_pHighlighted = m.GetItem(2);
             m.GetItem(3)->SetEnabled(FALSE);
         }},
        {"hot and pressed first, focus", [](CTestTabManager& m) {
             m.SetCurSel(3);
             m.m_pHighlighted = m.m_pPressed = m.GetItem(0);
             m.m_bFocus = TRUE;
         }}};
    for (int nId = 0; nId <= 12; nId++)
    {
        for (int nPosition : kPositions)
        {
            PM* pProbe = new PM();
            const int nMask = pProbe->SetAppearance(nId)->GetSupportedColorSets();
            pProbe->InternalRelease();
            for (int nColor = 1; nColor <= 256; nColor <<= 1)
            {
                if (!(nMask & nColor))
                    continue;
                for (const State& s : states)
                {
                    SCOPED_TRACE(testing::Message() << "set " << nId << " position " << nPosition << " colour " << nColor
                                                    << " " << s.name);
                    CTestTabManager manager(CRect(0, 0, 240, 160));
                    manager.m_pPaintManager->SetAppearance(nId);
                    manager.m_pPaintManager->SetColor(nColor);
                    manager.m_pPaintManager->m_nPosition = nPosition;
                    for (int i = 0; i < 4; i++)
                        manager.AddItem(-1)->SetCaption(i % 2 ? "Tab" : "Longer tab");
                    s.apply(manager);
                    manager.Reposition();
                    for (int i = 0; i < 4; i++)
                        EXPECT_FALSE(manager.GetItem(i)->GetRect().IsRectEmpty()) << i;
                    CMemorySurface surface(240, 160);
                    CSurfaceDC dc(surface);
                    manager.m_pPaintManager->DrawTabControl(&manager, &dc, CRect(0, 0, 240, 160));
                    EXPECT_NE(surface.Pixel(120, 80), kSentinel);
                    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
                    EXPECT_EQ(::GetClipRgn(surface.DC(), hRgn), 0) << "the drawing leaves no clipping behind";
                    ::DeleteObject(hRgn);
                }
            }
        }
    }
}

// ---------------------------------------------------------------- geometry

TEST(TabAppearanceSets, HeaderMarginsPerSet)
{
    // (left, top, right, bottom) with H the set's text height.
    struct Case
    {
        int nId;
        std::function<CRect(int)> margin;
    } cases[] = {
        {2, [](int) { return CRect(2, 2, 4, 0); }},
        {3, [](int H) { return CRect(2 + H, 3, 6, 0); }},
        {4, [](int) { return CRect(2, 2, 4, 2); }},
        {5, [](int) { return CRect(4, 2, 4, 0); }},
        {6, [](int) { return CRect(2, 2, 4, 0); }},
        {7, [](int H) { return CRect(2 + H / 2, 3, 2 + H / 2, 0); }},
        {9, [](int H) { return CRect(2 + H / 2, 3, 6, 0); }},
        {10, [](int) { return CRect(4, 1, 0, 0); }},
        {11, [](int H) { return CRect(4, 1, H / 2, 0); }},
        {12, [](int) { return CRect(2, 2, 4, 0); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nId);
        SetUnderTest t(c.nId, 2);
        t.item(0)->SetCaption("A");
        t.item(1)->SetCaption("B");
        t.manager.Reposition();
        const int H = t.set()->m_nTextHeight;
        const CRect m = c.margin(H);
        EXPECT_EQ(t.set()->GetHeaderMargin(), m);
        // The first tab starts after the left margin and hangs the top margin below the edge.
        const CRect rcHeader = t.manager.GetHeaderRect();
        EXPECT_EQ(t.item(0)->GetRect().left, rcHeader.left + m.left);
        EXPECT_EQ(t.item(0)->GetRect().top, rcHeader.top + m.top);
        EXPECT_EQ(rcHeader.Height(), m.top + m.bottom + t.set()->GetButtonHeight(&t.manager));
    }
    SetUnderTest access(11);
    EXPECT_GE(access.set()->m_nTextHeight, 24);
    SetUnderTest stateButtons(4);
    EXPECT_EQ(stateButtons.set()->m_nRowSpacing, 0);
}

TEST(TabAppearanceSets, ButtonDrawRectPerSet)
{
    // Item (20, 10, 60, 30) in a horizontal row (height 20), (10, 20, 30, 60) in a vertical row
    // (width 20).
    struct Case
    {
        int nId;
        std::function<CRect(int)> horizontal; // H = the set's text height
        std::function<CRect(int)> vertical;
    } cases[] = {
        {2, [](int) { return CRect(18, 8, 62, 32); }, [](int) { return CRect(8, 18, 32, 62); }},
        {3, [](int) { return CRect(0, 10, 62, 30); }, [](int) { return CRect(10, 0, 30, 62); }},
        {5, [](int) { return CRect(18, 8, 62, 32); }, [](int) { return CRect(8, 18, 32, 62); }},
        {7, [](int) { return CRect(10, 10, 70, 30); }, [](int) { return CRect(10, 10, 30, 70); }},
        {9, [](int) { return CRect(10, 10, 70, 30); }, [](int) { return CRect(10, 10, 30, 70); }},
        {11, [](int H) { return CRect(20, 10, 60 + H / 2, 30); }, [](int H) { return CRect(10, 20, 30, 60 + H / 2); }},
        {12, [](int) { return CRect(18, 8, 62, 32); }, [](int) { return CRect(8, 18, 32, 62); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nId);
        SetUnderTest t(c.nId);
        const int H = t.set()->m_nTextHeight;
        t.pm()->m_nPosition = xtpTabPositionTop;
        t.item(0)->SetRect(20, 10, 60, 30);
        EXPECT_EQ(t.set()->GetButtonDrawRect(t.item(0)), c.horizontal(H));
        t.pm()->m_nPosition = xtpTabPositionLeft;
        t.item(0)->SetRect(10, 20, 30, 60);
        EXPECT_EQ(t.set()->GetButtonDrawRect(t.item(0)), c.vertical(H));
    }
}

// ---------------------------------------------------------------- outlines

TEST(TabAppearanceSets, Office2003PolygonIsFilledInsideOnly)
{
    SetUnderTest t(3, 2);
    t.manager.SetCurSel(1);
    t.colors()->m_normalItemFace.SetCustomValue(RGB(0, 180, 0));
    CMemorySurface surface(140, 50);
    CSurfaceDC dc(surface);
    // (40, 10, 100, 30): polygon (99, 29), (99, 12), (44, 12), (28, 28).
    t.DrawItem(&dc, 0, CRect(40, 10, 100, 30));
    for (CPoint pt : {CPoint(70, 20), CPoint(50, 16), CPoint(95, 25), CPoint(36, 24), CPoint(34, 26)})
        EXPECT_EQ(surface.Pixel(pt.x, pt.y), RGB(0, 180, 0)) << pt.x << ", " << pt.y;
    for (CPoint pt : {CPoint(70, 9), CPoint(30, 14), CPoint(101, 20), CPoint(20, 25), CPoint(45, 10)})
        EXPECT_EQ(surface.Pixel(pt.x, pt.y), kSentinel) << pt.x << ", " << pt.y;
    // The outline one pixel outside the face.
    EXPECT_EQ(surface.Pixel(70, 11), t.colors()->m_pageDarkShadow2.GetColor());
}

TEST(TabAppearanceSets, SoftCornersBlendAroundTheExcludedCornerPixels)
{
    const COLORREF clrOutline = RGB(0, 0, 200);
    const COLORREF clrBack = RGB(200, 0, 0);
    const COLORREF clrFace = RGB(0, 200, 0);
    for (bool bBackNone : {false, true})
    {
        SCOPED_TRACE(bBackNone ? "background none" : "background set");
        SetUnderTest t(2, 2);
        t.manager.SetCurSel(1);
        t.colors()->m_frameBorder.SetCustomValue(clrOutline);
        t.colors()->m_normalItemFace.SetCustomValue(clrFace);
        if (bBackNone)
            t.colors()->m_gradBackground.clrDark.SetStandardValue(COLORREF(-1));
        else
            t.colors()->m_gradBackground.clrDark.SetCustomValue(clrBack);
        CMemorySurface surface(80, 40);
        CSurfaceDC dc(surface);
        // The tab (19, 10, 61, 30): the item grown by one along the row.
        t.DrawItem(&dc, 0, CRect(20, 10, 60, 30));
        const COLORREF clrNeighbour = bBackNone ? clrOutline : Blend(clrBack, clrOutline, 120);
        struct Probe
        {
            int x, y;
            COLORREF clr;
        } probes[] = {
            {19, 10, kSentinel},   {60, 10, kSentinel},  // corners excluded
            {20, 10, clrNeighbour}, {19, 11, clrNeighbour}, {59, 10, clrNeighbour}, {60, 11, clrNeighbour},
            {20, 11, Blend(clrOutline, clrFace, 180)},   {59, 11, Blend(clrOutline, clrFace, 180)},
            {21, 11, Blend(clrOutline, clrFace, 60)},    {20, 12, Blend(clrOutline, clrFace, 60)},
            {58, 11, Blend(clrOutline, clrFace, 60)},    {59, 12, Blend(clrOutline, clrFace, 60)},
            {40, 10, clrOutline},  {19, 20, clrOutline},  {40, 20, clrFace},
        };
        for (const Probe& p : probes)
            EXPECT_TRUE(Near(surface.Pixel(p.x, p.y), p.clr))
                << "(" << p.x << ", " << p.y << ") got " << std::hex << surface.Pixel(p.x, p.y) << " want " << p.clr;
        // The corner exclusion ends with the tab.
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(::GetClipRgn(surface.DC(), hRgn), 0);
        ::DeleteObject(hRgn);
    }
}

TEST(TabAppearanceSets, FlatSeparatorsAreInsetThreeAndSkipTheLastTab)
{
    SetUnderTest t(2, 3);
    auto* pSet = static_cast<PM::CAppearanceSetPropertyPageFlat*>(t.set());
    pSet->m_bSeparatorsOnly = TRUE;
    t.manager.SetCurSel(1);
    t.colors()->m_frameBorder.SetCustomValue(RGB(0, 0, 200));
    CMemorySurface surface(80, 40);
    CSurfaceDC dc(surface);
    t.DrawItem(&dc, 0, CRect(20, 10, 60, 30));
    // Trailing edge x = 60, from top + 3 to bottom - 4.
    EXPECT_EQ(surface.Pixel(60, 13), RGB(0, 0, 200));
    EXPECT_EQ(surface.Pixel(60, 26), RGB(0, 0, 200));
    EXPECT_EQ(surface.Pixel(60, 12), kSentinel);
    EXPECT_EQ(surface.Pixel(60, 27), kSentinel);
    EXPECT_EQ(surface.Pixel(40, 20), kSentinel) << "unselected tabs are not filled";
    surface.Clear(kSentinel);
    t.DrawItem(&dc, 2, CRect(20, 10, 60, 30));
    EXPECT_EQ(surface.Pixel(60, 20), kSentinel) << "no separator after the last tab";
}

TEST(TabAppearanceSets, SelectedAndOtherTabOutlinesPerSet)
{
    // Item 0 is selected, item 1 is not; both drawn at the same rectangle.
    struct Probe
    {
        int x, y;
        COLORREF clr;
        const char* what;
    };
    struct Case
    {
        const char* name;
        int nId;
        CRect rc;
        std::function<void(CXTPTabPaintManagerColorSet*)> colours;
        std::vector<Probe> selected, other;
    } cases[] = {
        {"Visual Studio: highlight top and left, selected text bottom and right; separators inset 2",
         5,
         CRect(20, 10, 60, 30),
         [](CXTPTabPaintManagerColorSet* p) {
             p->m_frameHighlight.SetCustomValue(RGB(250, 0, 0));
             p->m_selectedText.SetCustomValue(RGB(0, 0, 250));
             p->m_frameBorder.SetCustomValue(RGB(0, 250, 0));
         },
         {{20, 20, RGB(250, 0, 0), "left"},
          {40, 10, RGB(250, 0, 0), "top"},
          {59, 20, RGB(0, 0, 250), "right"},
          {40, 30, RGB(0, 0, 250), "bottom, grown towards the client"}},
         {{60, 12, RGB(0, 250, 0), "separator start"},
          {60, 27, RGB(0, 250, 0), "separator end"},
          {60, 11, kSentinel, "above the separator"},
          {60, 28, kSentinel, "below the separator"},
          {40, 20, kSentinel, "no face"}}},
        // (20, 10, 60, 31): 20 high after the client-side pixel, moved back by 5, f = 10.
        {"sheet tabs: group colours, none skipped",
         7,
         CRect(20, 10, 60, 31),
         [](CXTPTabPaintManagerColorSet* p) {
             p->m_selectedItemFace.SetCustomValue(RGB(0, 150, 0));
             p->m_normalItemFace.SetCustomValue(RGB(0, 0, 150));
             p->m_groupA1.SetCustomValue(RGB(200, 0, 0));
             p->m_groupB1.SetCustomValue(RGB(200, 200, 0));
             p->m_groupC1.SetCustomValue(RGB(100, 0, 0));
             p->m_groupD1.SetStandardValue(COLORREF(-1));
         },
         {{40, 10, RGB(200, 0, 0), "outer line"},
          {40, 11, RGB(200, 200, 0), "inner line"},
          {40, 20, RGB(0, 150, 0), "face"},
          {40, 30, RGB(0, 150, 0), "joins the client"}},
         {{40, 10, RGB(100, 0, 0), "outer line"},
          {40, 11, RGB(0, 0, 150), "an inner line of none is not drawn"},
          {40, 30, kSentinel, "no join"}}},
        {"Visual Studio 2010: only the selected and the hot tab get face and outline",
         12,
         CRect(20, 10, 60, 30),
         [](CXTPTabPaintManagerColorSet* p) {
             p->m_frameBorder.SetCustomValue(RGB(0, 0, 200));
             p->m_selectedItemFace.SetCustomValue(RGB(0, 200, 0));
             p->m_normalItemFace.SetCustomValue(RGB(200, 0, 0));
         },
         {{40, 10, RGB(0, 0, 200), "outline"},
          {20, 20, RGB(0, 0, 200), "leading edge"},
          {40, 20, RGB(0, 200, 0), "face"},
          {20, 10, kSentinel, "corner left out"}},
         {{40, 20, kSentinel, "no face"}, {40, 10, kSentinel, "no outline"}}},
        {"Visual Studio 2010 with a last colour: the selected tab has no outline",
         12,
         CRect(20, 10, 60, 30),
         [](CXTPTabPaintManagerColorSet* p) {
             p->m_frameBorder.SetCustomValue(RGB(0, 0, 200));
             p->m_selectedItemFace.SetCustomValue(RGB(0, 200, 0));
             p->m_lastColor.SetCustomValue(RGB(90, 90, 0));
         },
         {{40, 10, RGB(0, 200, 0), "face instead of the outline"}, {20, 20, RGB(0, 200, 0), "face"}},
         {{40, 20, kSentinel, "no face"}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        SetUnderTest t(c.nId, 2);
        t.manager.SetCurSel(0);
        c.colours(t.colors());
        CMemorySurface surface(100, 40);
        CSurfaceDC dc(surface);
        for (int i = 0; i < 2; i++)
        {
            surface.Clear(kSentinel);
            t.DrawItem(&dc, i, c.rc);
            for (const Probe& p : i == 0 ? c.selected : c.other)
                EXPECT_EQ(surface.Pixel(p.x, p.y), p.clr) << (i == 0 ? "selected: " : "other: ") << p.what;
        }
    }
}

TEST(TabAppearanceSets, ClientFillPerSet)
{
    // The client interior takes FillItemFace (the selected tab's face) or, for state buttons,
    // nothing beyond the control face.
    struct Case
    {
        int nId;
        bool bFilled;
    } cases[] = {{4, false}, {5, true}, {6, true}, {3, true}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nId);
        SetUnderTest t(c.nId, 2, CRect(0, 0, 200, 120));
        t.manager.SetCurSel(0);
        t.colors()->m_selectedItemFace.SetCustomValue(RGB(10, 200, 200));
        t.colors()->m_controlFace.SetCustomValue(RGB(90, 90, 90));
        t.manager.Reposition();
        CMemorySurface surface(200, 120);
        CSurfaceDC dc(surface);
        t.pm()->DrawTabControl(&t.manager, &dc, CRect(0, 0, 200, 120));
        EXPECT_EQ(surface.Pixel(100, 100), c.bFilled ? RGB(10, 200, 200) : RGB(90, 90, 90));
    }
}

TEST(TabAppearanceSets, VisioBarsGatherAfterTheSelectedOne)
{
    SetUnderTest t(8, 4, CRect(0, 0, 200, 200));
    t.manager.SetCurSel(1);
    t.manager.Reposition();
    const int h = t.set()->GetButtonHeight(&t.manager);
    ASSERT_GT(h, 10);
    EXPECT_TRUE(t.manager.GetHeaderRect().IsRectEmpty());
    EXPECT_EQ(t.item(0)->GetRect(), CRect(1, 1, 200, 1 + h));
    EXPECT_EQ(t.item(1)->GetRect(), CRect(1, 1 + h, 200, 1 + 2 * h));
    const int y2 = std::min(std::max(200 - 2 * h, 1 + 3 * h), 199);
    EXPECT_EQ(t.item(2)->GetRect(), CRect(1, y2, 200, y2 + h));
    EXPECT_EQ(t.item(3)->GetRect(), CRect(1, y2 + h, 200, y2 + 2 * h));
    EXPECT_EQ(t.manager.GetClientRect(), CRect(1, 2 * h + 1, 199, std::max(200 - 2 * h, 3 * h + 1)));

    CMemorySurface surface(200, 200);
    CSurfaceDC dc(surface);
    t.pm()->DrawTabControl(&t.manager, &dc, CRect(0, 0, 200, 200));
    const COLORREF clrGrip = GetColorManager()->GetColor(38);
    const CRect rc = t.item(0)->GetRect();
    EXPECT_EQ(surface.Pixel(rc.right - 7, rc.top + 4), clrGrip);
    EXPECT_EQ(surface.Pixel(rc.right - 5, rc.top + 6), clrGrip);
    EXPECT_NE(surface.Pixel(rc.right - 7, rc.top + 5), clrGrip);
    EXPECT_EQ(surface.Pixel(rc.left, rc.top + 5), t.colors()->m_frameHighlight.GetColor());
    EXPECT_EQ(surface.Pixel(0, 100), t.colors()->m_frameBorder.GetColor());
}

namespace
{
// Visual Studio 2005 tabs that record the order in which they are drawn.
template <class TBase> class CRecordingSet : public TBase
{
public:
    int GetButtonLength(CDC*, CXTPTabManagerItem*) override { return 40; }
    void DrawSingleButton(CDC*, CXTPTabManagerItem* pItem) override { m_arrOrder.push_back(pItem->GetIndex()); }
    std::vector<int> m_arrOrder;
};

template <class TSet> std::vector<int> DrawOrder()
{
    CTestTabManager manager(CRect(0, 0, 400, 60));
    auto* pSet = new CRecordingSet<TSet>();
    manager.m_pPaintManager->SetAppearanceSet(pSet);
    manager.AddLengths({0, 0, 0, 0, 0});
    manager.SetCurSel(2);
    manager.Reposition();
    CMemorySurface surface(400, 60);
    CSurfaceDC dc(surface);
    manager.m_pPaintManager->DrawTabControl(&manager, &dc, CRect(0, 0, 400, 60));
    return pSet->m_arrOrder;
}
} // namespace

TEST(TabAppearanceSets, VisualStudio2005DrawsLeftToRightUpToTheSelectedTab)
{
    EXPECT_EQ(DrawOrder<PM::CAppearanceSetVisualStudio2005>(), (std::vector<int>{0, 1, 4, 3, 2}));
    EXPECT_EQ(DrawOrder<PM::CAppearanceSetPropertyPage2003>(), (std::vector<int>{4, 3, 1, 0, 2}));
}

TEST(TabAppearanceSets, CallersClipRegionSurvivesPolygonFills)
{
    for (int nId : {3, 7, 9})
    {
        for (int nPosition : kPositions)
        {
            SCOPED_TRACE(testing::Message() << "set " << nId << " position " << nPosition);
            SetUnderTest t(nId, 2);
            t.manager.SetCurSel(0);
            t.colors()->m_selectedItemFace.SetCustomValue(RGB(0, 160, 0));
            const bool bHorizontal = nPosition == xtpTabPositionTop || nPosition == xtpTabPositionBottom;
            const CRect rcItem = bHorizontal ? CRect(40, 20, 100, 40) : CRect(20, 40, 40, 100);
            const CPoint ptHole = rcItem.CenterPoint();
            CMemorySurface surface(140, 140);
            CSurfaceDC dc(surface);
            // The caller's region: all but a hole in the middle of the tab.
            HRGN hCaller = ::CreateRectRgn(0, 0, 140, 140);
            HRGN hHole = ::CreateRectRgn(ptHole.x - 3, ptHole.y - 3, ptHole.x + 3, ptHole.y + 3);
            ::CombineRgn(hCaller, hCaller, hHole, RGN_DIFF);
            ::SelectClipRgn(surface.DC(), hCaller);
            t.DrawItem(&dc, 0, rcItem, nPosition);
            HRGN hAfter = ::CreateRectRgn(0, 0, 0, 0);
            ASSERT_EQ(::GetClipRgn(surface.DC(), hAfter), 1);
            EXPECT_TRUE(::EqualRgn(hAfter, hCaller));
            // The join line and the content come after the fill: the hole stays untouched.
            EXPECT_EQ(surface.Pixel(ptHole.x, ptHole.y), kSentinel);
            EXPECT_EQ(surface.Pixel(ptHole.x + 5, ptHole.y), RGB(0, 160, 0));
            ::DeleteObject(hAfter);
            ::DeleteObject(hHole);
            ::DeleteObject(hCaller);
        }
    }
}

// ---------------------------------------------------------------- theme-image sets

namespace
{
COLORREF RibbonTabCell(int k)
{
    return RGB(200, 20 + 30 * k, 10);
}

COLORREF AccessTabCell(int k)
{
    return RGB(20 + 30 * k, 200, 40);
}

class TabThemeImages : public testing::Test
{
protected:
    void SetUp() override { Use("TABTHEME.INI"); }
    void TearDown() override { GetResourceImages()->SetResourceModule(::GetModuleHandleA(nullptr)); }
    static void Use(LPCSTR lpszTable)
    {
        GetResourceImages()->SetResourceModule(lpszTable ? ::GetModuleHandleA(nullptr) : nullptr, lpszTable);
    }
};
} // namespace

TEST_F(TabThemeImages, RibbonTabCellsPerStateOnlyBehindSelectedAndHotTabs)
{
    ASSERT_TRUE(GetResourceImages()->IsLoaded());
    struct Case
    {
        const char* name;
        bool bSelected, bHot, bPressed, bFocus;
        int nState; // -1: no picture
    } cases[] = {
        {"selected with focus", true, false, false, true, 5},
        {"selected and hot", true, true, false, false, 4},
        {"selected", true, false, false, false, 3},
        {"hot and pressed", false, true, true, false, 2},
        {"hot", false, true, false, false, 1},
        {"normal", false, false, false, false, -1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        SetUnderTest t(10, 2);
        t.manager.SetCurSel(c.bSelected ? 0 : 1);
        t.manager.m_pHighlighted = c.bHot ? t.item(0) : nullptr;
        t.manager.m_pPressed = c.bPressed ? t.item(0) : nullptr;
        t.manager.m_bFocus = c.bFocus;
        if (c.nState >= 0)
        {
            EXPECT_EQ(PM::CAppearanceSetPropertyPage2007::GetRibbonTabState(t.item(0)), c.nState);
        }
        CMemorySurface surface(80, 40);
        CSurfaceDC dc(surface);
        t.DrawItem(&dc, 0, CRect(20, 10, 60, 30));
        EXPECT_EQ(surface.Pixel(40, 20), c.nState < 0 ? kSentinel : RibbonTabCell(c.nState));
        EXPECT_EQ(surface.Pixel(21, 11), kSentinel) << "the magenta corner is keyed out";
    }
}

TEST_F(TabThemeImages, OtherPositionsShowTheTopPictureTurned)
{
    // The keyed corner marks the picture's outer leading corner.
    struct Case
    {
        int nPosition;
        CRect rc;
        CPoint ptKeyed, ptOpposite;
    } cases[] = {
        {xtpTabPositionTop, CRect(20, 10, 60, 30), CPoint(21, 11), CPoint(58, 28)},
        {xtpTabPositionLeft, CRect(10, 20, 30, 60), CPoint(11, 21), CPoint(28, 58)},
        {xtpTabPositionBottom, CRect(20, 10, 60, 30), CPoint(21, 28), CPoint(58, 11)},
        {xtpTabPositionRight, CRect(10, 20, 30, 60), CPoint(28, 21), CPoint(11, 58)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nPosition);
        SetUnderTest t(10, 2);
        t.manager.SetCurSel(1);
        t.manager.m_pHighlighted = t.item(0);
        CMemorySurface surface(80, 80);
        CSurfaceDC dc(surface);
        t.DrawItem(&dc, 0, c.rc, c.nPosition);
        EXPECT_EQ(surface.Pixel(c.ptKeyed.x, c.ptKeyed.y), kSentinel);
        EXPECT_EQ(surface.Pixel(c.ptOpposite.x, c.ptOpposite.y), RibbonTabCell(1));
        EXPECT_EQ(surface.Pixel(c.rc.CenterPoint().x, c.rc.CenterPoint().y), RibbonTabCell(1));
    }
}

TEST_F(TabThemeImages, AccessTabsDrawEveryTabExtendedPastItsEnd)
{
    struct Case
    {
        bool bSelected, bHot;
        int nState;
    } cases[] = {{true, true, 3}, {true, false, 2}, {false, true, 1}, {false, false, 0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nState);
        SetUnderTest t(11, 2);
        const int H = t.set()->m_nTextHeight;
        ASSERT_GE(H, 24);
        t.manager.SetCurSel(c.bSelected ? 0 : 1);
        t.manager.m_pHighlighted = c.bHot ? t.item(0) : nullptr;
        CMemorySurface surface(160, 50);
        CSurfaceDC dc(surface);
        t.DrawItem(&dc, 0, CRect(20, 10, 100, 40));
        EXPECT_EQ(surface.Pixel(60, 25), AccessTabCell(c.nState));
        EXPECT_EQ(surface.Pixel(100 + H / 2 - 2, 25), AccessTabCell(c.nState));
        EXPECT_EQ(surface.Pixel(100 + H / 2 - 1, 25), kSentinel);
    }
}

TEST_F(TabThemeImages, PageFallsBackToRibbonGroupsAndThenToNothing)
{
    struct Case
    {
        LPCSTR lpszTable;
        COLORREF clrPage;
    } cases[] = {{"TABTHEME.INI", RGB(30, 160, 90)}, {"TABTEST_NOPAGE.INI", RGB(160, 30, 90)}, {"TABTEST_EMPTY.INI", kSentinel}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.lpszTable);
        Use(c.lpszTable);
        ASSERT_TRUE(GetResourceImages()->IsLoaded());
        SetUnderTest t(10, 2, CRect(0, 0, 200, 120));
        t.colors()->m_gradBackground.clrLight.SetCustomValue(RGB(5, 6, 7));
        t.manager.Reposition();
        CMemorySurface surface(200, 120);
        CSurfaceDC dc(surface);
        CRect rcHeader = t.set()->FillClient(&t.manager, &dc, CRect(0, 0, 200, 120));
        EXPECT_FALSE(rcHeader.IsRectEmpty());
        EXPECT_EQ(surface.Pixel(100, 80), c.clrPage);
        EXPECT_EQ(surface.Pixel(100, rcHeader.top + 1), RGB(5, 6, 7));
    }
}

TEST_F(TabThemeImages, WithoutThemeImagesNothingIsDrawn)
{
    Use(nullptr);
    ASSERT_FALSE(GetResourceImages()->IsLoaded());
    for (int nId : {10, 11})
    {
        SCOPED_TRACE(nId);
        SetUnderTest t(nId, 2, CRect(0, 0, 200, 120));
        t.manager.SetCurSel(0);
        t.item(0)->SetCaption("Tab");
        t.manager.Reposition();
        CMemorySurface surface(200, 120);
        CSurfaceDC dc(surface);
        EXPECT_TRUE(t.set()->FillClient(&t.manager, &dc, CRect(0, 0, 200, 120)).IsRectEmpty());
        t.set()->DrawSingleButton(&dc, t.item(0));
        t.set()->DrawSingleButton(&dc, t.item(1));
        for (int y = 0; y < 120; y += 3)
            for (int x = 0; x < 200; x += 3)
                ASSERT_EQ(surface.Pixel(x, y), kSentinel) << x << ", " << y;
    }
}

// ---------------------------------------------------------------- all sets side by side

TEST(TabAppearanceSets, EverySetLooksDifferentInItsDefaultColours)
{
    // Thirteen panels of 300 x 90 on a window, three to a row; with QVX_TAB_CONTACT_SHEET_MS set
    // the window stays up that long (for a screenshot of all the looks).
    const char* apszNames[] = {"property page", "selected",  "flat page",  "2003",     "state buttons",
                               "Visual Studio", "flat",      "Excel",      "Visio",    "VS 2005",
                               "2007",          "Access",    "VS 2010"};
    const int cx = 300, cy = 90;
    // The theme pictures of this program's own module (other tests may have left none loaded):
    // without them the two sets drawn from pictures draw nothing and look alike.
    GetResourceImages()->SetResourceModule(::GetModuleHandleA(nullptr));
    std::vector<std::vector<COLORREF>> arrPanels;
    CTabTestWindowForSheet window(3 * cx, 5 * cy);
    for (int nId = 0; nId <= 12; nId++)
    {
        CTestTabManager manager(CRect(0, 0, cx, cy));
        manager.m_pPaintManager->SetAppearance(nId);
        manager.AddItem(-1)->SetCaption(CString("") + char('0' + nId / 10) + char('0' + nId % 10) + " " + apszNames[nId]);
        manager.AddItem(-1)->SetCaption("Selected");
        manager.AddItem(-1)->SetCaption("Hot");
        manager.AddItem(-1)->SetCaption("Last");
        manager.SetCurSel(1);
        manager.m_pHighlighted = manager.GetItem(2);
        manager.Reposition();
        CMemorySurface surface(cx, cy);
        CSurfaceDC dc(surface);
        manager.m_pPaintManager->DrawTabControl(&manager, &dc, CRect(0, 0, cx, cy));
        std::vector<COLORREF> arrPixels;
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
                arrPixels.push_back(surface.Pixel(x, y));
        arrPanels.push_back(arrPixels);
        window.Put(surface.DC(), (nId % 3) * cx, (nId / 3) * cy, cx, cy);
    }
    for (size_t i = 0; i < arrPanels.size(); i++)
        for (size_t j = i + 1; j < arrPanels.size(); j++)
            EXPECT_NE(arrPanels[i], arrPanels[j]) << "sets " << i << " and " << j << " draw alike";
    window.Hold(getenv("QVX_TAB_CONTACT_SHEET_MS"));
}
