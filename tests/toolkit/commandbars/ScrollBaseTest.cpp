// Scroll bars and sliders: the layout rule by table (arrows, thumb, page equal to and above the
// range), hit codes, the thumb's position mapping, the tracking loop on posted messages (repeat
// delays from a 500 ms double-click time, leaving and re-entering the pressed arrow, dragging and
// straying), the paint manager's painters and the slider's fixed thumb.
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/controls/XTPScrollBase.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/paint/XTPScrollBarPaintManager.h"
#include "toolkit/commandbars/paint/XTPSliderPaintManager.h"

#include <vector>

#include <gtest/gtest.h>

namespace
{
struct ScrollCall
{
    int nCode;
    int nPos;
    bool operator==(const ScrollCall& other) const { return nCode == other.nCode && nPos == other.nPos; }
};

std::ostream& operator<<(std::ostream& os, const ScrollCall& call)
{
    return os << "{" << call.nCode << ", " << call.nPos << "}";
}

// A scroll block over 0..99 with a page of 10 that logs what it is asked to do and moves its
// position the way an owner would.
class ProbeScroll : public CXTPScrollBase
{
public:
    explicit ProbeScroll(CXTPScrollBarPaintManager* pPainter) : m_pPainter(pPainter) {}

    BOOL IsScrollBarEnabled() const override { return TRUE; }
    CWnd* GetParentWindow() const override { return nullptr; }
    CRect GetScrollBarRect() override { return m_rc; }
    void GetScrollInfo(SCROLLINFO* pScrollInfo) override
    {
        pScrollInfo->nMin = m_nMin;
        pScrollInfo->nMax = m_nMax;
        pScrollInfo->nPage = static_cast<UINT>(m_nPage);
        pScrollInfo->nPos = m_nPos;
    }
    void DoScroll(int nCode, int nPos) override
    {
        m_calls.push_back({nCode, nPos});
        switch (nCode)
        {
        case SB_LINEUP: --m_nPos; break;
        case SB_LINEDOWN: ++m_nPos; break;
        case SB_PAGEUP: m_nPos -= m_nPage; break;
        case SB_PAGEDOWN: m_nPos += m_nPage; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: m_nPos = nPos; break;
        default: break;
        }
        if (m_nPos < m_nMin)
            m_nPos = m_nMin;
        if (m_nPos > m_nMax - m_nPage + 1)
            m_nPos = m_nMax - m_nPage + 1;
    }
    void RedrawScrollBar() override { ++m_nRedraws; }
    CXTPScrollBarPaintManager* GetScrollBarPaintManager() const override { return m_pPainter; }

    CXTPScrollBarPaintManager* m_pPainter;
    CRect m_rc = CRect(0, 0, 16, 200);
    int m_nMin = 0, m_nMax = 99, m_nPage = 10, m_nPos = 0;
    std::vector<ScrollCall> m_calls;
    int m_nRedraws = 0;
};

// A painter with 16-pixel arrows whatever the system metrics say.
class FixedPainter : public CXTPScrollBarPaintManager
{
public:
    FixedPainter() : CXTPScrollBarPaintManager(nullptr)
    {
        m_cxHScroll = m_cyHScroll = m_cyVScroll = m_cxVScroll = 16;
    }
};

// A 500 ms double-click time and timers that are only recorded: the tests post WM_TIMER themselves.
class TimerQuery : public CXTPCommandBarsSystemQuery
{
public:
    UINT GetDoubleClickTime() override { return 500; }
    UINT_PTR SetTimer(HWND, UINT_PTR nIDEvent, UINT uElapse) override
    {
        if (nIDEvent == XTP_TID_SCROLLBAR_REPEAT)
            m_delays.push_back(uElapse);
        return nIDEvent;
    }
    std::vector<UINT> m_delays;
};

// A plain window of the thread to capture the mouse on, with the query installed.
class ScrollTracking : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pOldQuery = SetCommandBarsSystemQuery(&m_query);
        m_hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr,
                                   nullptr, nullptr, nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }
    void TearDown() override
    {
        ::DestroyWindow(m_hWnd);
        SetCommandBarsSystemQuery(m_pOldQuery);
    }
    void Post(UINT nMessage, WPARAM wParam, int x, int y)
    {
        ::PostMessageA(m_hWnd, nMessage, wParam, MAKELPARAM(x, y));
    }

    TimerQuery m_query;
    CXTPCommandBarsSystemQuery* m_pOldQuery = nullptr;
    HWND m_hWnd = nullptr;
    FixedPainter m_painter;
};
} // namespace

TEST(ScrollLayout, LayoutByTable)
{
    struct Case
    {
        const char* name;
        CRect rc;
        BOOL bVertical;
        int nMin, nMax, nPage, nPos, cxArrow, cxFixedThumb;
        int cxArrowOut, pxUpArrow, pxDownArrow, cxThumb, pxThumbTop, cpxTrack, nPageOut;
    } const cases[] = {
        // 168 pixels between the arrows: thumb MulDiv(168, 10, 100) = 17, travel 151.
        {"thumb at the start", CRect(0, 0, 16, 200), TRUE, 0, 99, 10, 0, 16, 0, 16, 16, 184, 17, 16, 151, 10},
        {"thumb at the last position", CRect(0, 0, 16, 200), TRUE, 0, 99, 10, 90, 16, 0, 16, 16, 184, 17, 167, 151,
         10},
        {"position above the maximum is clamped", CRect(0, 0, 16, 200), TRUE, 0, 99, 10, 500, 16, 0, 16, 16, 184, 17,
         182, 151, 10},
        {"arrows at most half the length", CRect(0, 0, 16, 20), TRUE, 0, 99, 10, 0, 16, 0, 10, 10, 10, 5, 10, 0, 10},
        {"thumb at least half an arrow", CRect(0, 0, 16, 200), TRUE, 0, 999, 1, 0, 16, 0, 16, 16, 184, 8, 16, 160, 1},
        {"page equal to the range: one pixel before the arrow's end", CRect(0, 0, 16, 200), TRUE, 0, 99, 100, 0, 16,
         0, 16, 16, 184, 168, 15, 0, 100},
        {"page above the range counts as the range", CRect(0, 0, 16, 200), TRUE, 0, 99, 500, 0, 16, 0, 16, 16, 184,
         168, 15, 0, 100},
        {"horizontal along x", CRect(10, 0, 210, 16), FALSE, 0, 99, 10, 0, 16, 0, 16, 26, 194, 17, 26, 151, 10},
        {"fixed thumb size replaces the page's", CRect(0, 0, 200, 16), FALSE, 0, 99, 50, 0, 16, 11, 16, 16, 184, 11,
         16, 157, 50},
        {"travel never below 0", CRect(0, 0, 16, 30), TRUE, 0, 99, 10, 50, 16, 0, 15, 15, 15, 7, 15, 0, 10},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        XTP_SCROLLBAR_LAYOUT layout;
        CXTPScrollBase::CalcLayout(layout, c.rc, c.bVertical, c.nMin, c.nMax, c.nPage, c.nPos, c.cxArrow,
                                   c.cxFixedThumb);
        EXPECT_EQ(layout.cxArrow, c.cxArrowOut);
        EXPECT_EQ(layout.pxUpArrow, c.pxUpArrow);
        EXPECT_EQ(layout.pxDownArrow, c.pxDownArrow);
        EXPECT_EQ(layout.cxThumb, c.cxThumb);
        EXPECT_EQ(layout.pxThumbTop, c.pxThumbTop);
        EXPECT_EQ(layout.pxThumbBottom, c.pxThumbTop + c.cxThumb);
        EXPECT_EQ(layout.cpxTrack, c.cpxTrack);
        EXPECT_EQ(layout.nPage, c.nPageOut);
        EXPECT_LE(layout.pxThumbBottom, layout.pxEnd) << "the thumb stays inside the bar";
    }
}

TEST(ScrollLayout, HitCodesByTable)
{
    XTP_SCROLLBAR_LAYOUT layout;
    // Thumb from 92 to 109 at position 45.
    CXTPScrollBase::CalcLayout(layout, CRect(0, 0, 16, 200), TRUE, 0, 99, 10, 45, 16, 0);
    ASSERT_EQ(layout.pxThumbTop, 92);
    XTP_SCROLLBAR_LAYOUT withPopup;
    CXTPScrollBase::CalcLayout(withPopup, CRect(0, 0, 16, 200), TRUE, 0, 99, 10, 45, 16, 0, 150);
    struct Case
    {
        const char* name;
        const XTP_SCROLLBAR_LAYOUT* pLayout;
        CPoint pt;
        int nPart;
    } const cases[] = {
        {"first arrow", &layout, CPoint(8, 5), xtpScrollPartUpArrow},
        {"second arrow", &layout, CPoint(8, 195), xtpScrollPartDownArrow},
        {"second arrow's first pixel", &layout, CPoint(8, 184), xtpScrollPartDownArrow},
        {"track before the thumb", &layout, CPoint(8, 50), xtpScrollPartPageUp},
        {"thumb", &layout, CPoint(8, 100), xtpScrollPartThumb},
        {"track after the thumb", &layout, CPoint(8, 150), xtpScrollPartPageDown},
        {"beside the bar", &layout, CPoint(20, 100), xtpScrollPartNone},
        {"below the bar", &layout, CPoint(8, 200), xtpScrollPartNone},
        {"owner's popup part", &withPopup, CPoint(8, 160), xtpScrollPartPopup},
        {"popup part wins over the second arrow", &withPopup, CPoint(8, 190), xtpScrollPartPopup},
        {"before the popup part", &withPopup, CPoint(8, 140), xtpScrollPartPageDown},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CXTPScrollBase::HitTest(*c.pLayout, c.pt), c.nPart);
    }
}

TEST(ScrollLayout, ThumbPositionMappingByTable)
{
    XTP_SCROLLBAR_LAYOUT paged; // track from 16, 151 pixels, positions 0..90
    CXTPScrollBase::CalcLayout(paged, CRect(0, 0, 16, 200), TRUE, 0, 99, 10, 0, 16, 0);
    XTP_SCROLLBAR_LAYOUT unpaged; // thumb of half an arrow, 160 pixels, positions 0..100
    CXTPScrollBase::CalcLayout(unpaged, CRect(0, 0, 16, 200), TRUE, 0, 100, 0, 0, 16, 0);
    struct Case
    {
        const char* name;
        const XTP_SCROLLBAR_LAYOUT* pLayout;
        int pxThumb, nPos;
    } const cases[] = {
        {"before the track", &paged, 3, 0},
        {"track start", &paged, 16, 0},
        {"middle rounds", &paged, 16 + 75, 45},
        {"track end: the last page", &paged, 16 + 151, 90},
        {"beyond the track", &paged, 400, 90},
        {"without a page the end is the maximum", &unpaged, 16 + 160, 100},
        {"without a page, a quarter", &unpaged, 16 + 40, 25},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CXTPScrollBase::PosFromThumb(*c.pLayout, c.pxThumb), c.nPos);
    }
}

TEST_F(ScrollTracking, HeldArrowRepeatsAfterFourFifthsThenATenthOfTheDoubleClickTime)
{
    ProbeScroll scroll(&m_painter);
    scroll.RecalcScrollBarLayout();
    Post(WM_TIMER, XTP_TID_SCROLLBAR_REPEAT, 0, 0);
    Post(WM_TIMER, XTP_TID_SCROLLBAR_REPEAT, 0, 0);
    Post(WM_TIMER, XTP_TID_SCROLLBAR_REPEAT, 0, 0);
    Post(WM_LBUTTONUP, 0, 8, 195);
    scroll.TrackScrollBar(m_hWnd, CPoint(8, 195), FALSE);

    EXPECT_EQ(m_query.m_delays, (std::vector<UINT>{400, 50}));
    EXPECT_EQ(scroll.m_calls, (std::vector<ScrollCall>{{SB_LINEDOWN, 0},
                                                        {SB_LINEDOWN, 0},
                                                        {SB_LINEDOWN, 0},
                                                        {SB_LINEDOWN, 0},
                                                        {SB_ENDSCROLL, 0}}));
    EXPECT_EQ(scroll.m_nPos, 4);
    EXPECT_FALSE(scroll.IsScrollBarTracking());
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(scroll.GetHotScrollPart(), xtpScrollPartDownArrow);
}

TEST_F(ScrollTracking, TicksOutsideThePressedArrowSendNothingAndReenteringSendsAtOnce)
{
    ProbeScroll scroll(&m_painter);
    scroll.RecalcScrollBarLayout();
    Post(WM_MOUSEMOVE, MK_LBUTTON, 8, 100); // off the arrow, onto the track
    Post(WM_TIMER, XTP_TID_SCROLLBAR_REPEAT, 0, 0);
    Post(WM_TIMER, XTP_TID_SCROLLBAR_REPEAT, 0, 0);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 8, 5); // back on the arrow
    Post(WM_LBUTTONUP, 0, 8, 5);
    scroll.m_nPos = 50;
    scroll.RecalcScrollBarLayout();
    scroll.TrackScrollBar(m_hWnd, CPoint(8, 5), FALSE);

    EXPECT_EQ(scroll.m_calls,
              (std::vector<ScrollCall>{{SB_LINEUP, 0}, {SB_LINEUP, 0}, {SB_ENDSCROLL, 0}}));
    // The first delay, the tick's switch to the short one, the restart on re-entering.
    EXPECT_EQ(m_query.m_delays, (std::vector<UINT>{400, 50, 50}));
}

TEST_F(ScrollTracking, PageRepeatStopsWhenTheThumbReachesTheCursor)
{
    ProbeScroll scroll(&m_painter);
    scroll.RecalcScrollBarLayout();
    for (int i = 0; i < 6; ++i)
        Post(WM_TIMER, XTP_TID_SCROLLBAR_REPEAT, 0, 0);
    Post(WM_LBUTTONUP, 0, 8, 60);
    // Thumb 16..33; the cursor at 60 is under the thumb after two pages (pos 20: 16 + 34 = 50..67).
    scroll.TrackScrollBar(m_hWnd, CPoint(8, 60), FALSE);

    EXPECT_EQ(scroll.m_calls,
              (std::vector<ScrollCall>{{SB_PAGEDOWN, 0}, {SB_PAGEDOWN, 0}, {SB_ENDSCROLL, 0}}));
    EXPECT_EQ(scroll.m_nPos, 20);
}

TEST_F(ScrollTracking, ThumbDragMapsTheCursorAndReturnsWhenItStrays)
{
    ProbeScroll scroll(&m_painter);
    scroll.RecalcScrollBarLayout(); // thumb 16..33
    Post(WM_MOUSEMOVE, MK_LBUTTON, 8, 20 + 75); // thumb start 16 + 75: position 45
    Post(WM_MOUSEMOVE, MK_LBUTTON, 250, 95);    // far beside the bar
    Post(WM_LBUTTONUP, 0, 250, 95);
    scroll.TrackScrollBar(m_hWnd, CPoint(8, 20), FALSE);

    EXPECT_EQ(scroll.m_calls, (std::vector<ScrollCall>{{SB_THUMBTRACK, 0},
                                                        {SB_THUMBTRACK, 45},
                                                        {SB_THUMBTRACK, 0},
                                                        {SB_THUMBPOSITION, 0},
                                                        {SB_ENDSCROLL, 0}}));
    EXPECT_EQ(scroll.GetScrollBarLayout().pxThumbTop, 16);
}

TEST_F(ScrollTracking, ThumbDragEndsAtTheLastMappedPosition)
{
    ProbeScroll scroll(&m_painter);
    scroll.RecalcScrollBarLayout();
    Post(WM_MOUSEMOVE, MK_LBUTTON, 8, 20 + 75);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 8, 199); // past the track's end, still on the bar
    Post(WM_LBUTTONUP, 0, 8, 199);
    scroll.TrackScrollBar(m_hWnd, CPoint(8, 20), FALSE);

    EXPECT_EQ(scroll.m_calls, (std::vector<ScrollCall>{{SB_THUMBTRACK, 0},
                                                        {SB_THUMBTRACK, 45},
                                                        {SB_THUMBTRACK, 90},
                                                        {SB_THUMBPOSITION, 90},
                                                        {SB_ENDSCROLL, 0}}));
    EXPECT_EQ(scroll.m_nPos, 90);
    EXPECT_EQ(scroll.GetScrollBarLayout().pxThumbTop, 167);
}

TEST_F(ScrollTracking, ShiftOnTheTrackDragsTheThumbFromThePoint)
{
    ProbeScroll scroll(&m_painter);
    scroll.RecalcScrollBarLayout();
    Post(WM_LBUTTONUP, 0, 8, 100);
    // The thumb's middle jumps under the cursor: start 100 - 8 = 92, position MulDiv(90, 76, 151).
    scroll.TrackScrollBar(m_hWnd, CPoint(8, 100), TRUE);

    ASSERT_GE(scroll.m_calls.size(), 2u);
    EXPECT_EQ(scroll.m_calls[0], (ScrollCall{SB_THUMBTRACK, 45}));
    EXPECT_EQ(scroll.m_calls[1], (ScrollCall{SB_THUMBPOSITION, 45}));
}

TEST(ScrollPainters, PaintManagerOwnsScrollBarAndSliderPainters)
{
    CXTPDefaultTheme paintManager;
    CXTPScrollBarPaintManager* pScrollBar = paintManager.GetScrollBarPaintManager();
    CXTPSliderPaintManager* pSlider = paintManager.GetSliderPaintManager();
    ASSERT_NE(pScrollBar, nullptr);
    ASSERT_NE(pSlider, nullptr);
    EXPECT_EQ(pScrollBar->m_pPaintManager, &paintManager);
    EXPECT_EQ(pSlider->m_pPaintManager, &paintManager);
    paintManager.RefreshMetrics();
    EXPECT_EQ(pScrollBar->m_cyVScroll, ::GetSystemMetrics(SM_CYVSCROLL));
    EXPECT_EQ(pScrollBar->m_cThumb, 0);
    EXPECT_EQ(pSlider->m_cxHScroll, 16);
    EXPECT_EQ(pSlider->m_cyHScroll, 16);
    EXPECT_EQ(pSlider->m_cThumb, 11);
}

TEST(ScrollPainters, SliderKeepsAnElevenPixelThumbWhateverThePage)
{
    CXTPDefaultTheme paintManager;
    ProbeScroll slider(paintManager.GetSliderPaintManager());
    slider.SetVerticalScrollBar(FALSE);
    slider.m_rc = CRect(0, 0, 200, 16);
    for (int nPage : {0, 1, 10, 50, 100})
    {
        slider.m_nPage = nPage;
        slider.RecalcScrollBarLayout();
        EXPECT_EQ(slider.GetScrollBarLayout().cxThumb, 11) << "page " << nPage;
        EXPECT_EQ(slider.GetScrollBarLayout().cxArrow, 16);
    }
}

TEST(ScrollPainters, StyleFollowsTheThemeUnlessSet)
{
    CXTPDefaultTheme paintManager; // theme 0
    ProbeScroll scroll(paintManager.GetScrollBarPaintManager());
    EXPECT_EQ(scroll.GetScrollBarStyle(), xtpScrollStyleFlat);
    scroll.SetScrollBarStyle(xtpScrollStyleGallery);
    EXPECT_EQ(scroll.GetScrollBarStyle(), xtpScrollStyleGallery);
    ProbeScroll unpainted(nullptr);
    EXPECT_EQ(unpainted.GetScrollBarStyle(), xtpScrollStyleFlat);
}

namespace
{
// A surface of a colour no system colour has, with a block drawn on it.
class ScrollSurface
{
public:
    ScrollSurface()
    {
        CClientDC screen(nullptr);
        dc.CreateCompatibleDC(&screen);
        bmp.CreateCompatibleBitmap(&screen, 220, 220);
        pOld = dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, 220, 220, kBackground);
    }
    ~ScrollSurface() { dc.SelectObject(pOld); }
    int Count(CRect rc, COLORREF clr)
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += dc.GetPixel(x, y) == clr ? 1 : 0;
        return n;
    }

    static constexpr COLORREF kBackground = RGB(1, 2, 3);
    CDC dc;
    CBitmap bmp;
    CBitmap* pOld = nullptr;
};
} // namespace

TEST(ScrollPainters, FlatBarDrawsEveryPixelOfItsRectangleAndNothingOutside)
{
    CXTPDefaultTheme paintManager;
    ProbeScroll scroll(paintManager.GetScrollBarPaintManager());
    scroll.m_rc = CRect(10, 10, 26, 210);
    scroll.RecalcScrollBarLayout();
    ScrollSurface surface;
    paintManager.GetScrollBarPaintManager()->DrawScrollBar(&surface.dc, &scroll);
    EXPECT_EQ(surface.Count(scroll.m_rc, ScrollSurface::kBackground), 0);
    EXPECT_EQ(surface.Count(CRect(0, 0, 220, 10), ScrollSurface::kBackground), 220 * 10);
    EXPECT_EQ(surface.Count(CRect(26, 10, 220, 210), ScrollSurface::kBackground), 194 * 200);
    // The thumb's face at its middle, framed by the highlight on its first row.
    const XTP_SCROLLBAR_LAYOUT& layout = scroll.GetScrollBarLayout();
    EXPECT_EQ(surface.dc.GetPixel(18, (layout.pxThumbTop + layout.pxThumbBottom) / 2), ::GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(surface.dc.GetPixel(18, layout.pxThumbTop), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST(ScrollPainters, SliderDrawsItsChannelAndNothingWhenVertical)
{
    CXTPDefaultTheme paintManager;
    CXTPSliderPaintManager* pSlider = paintManager.GetSliderPaintManager();
    ProbeScroll slider(pSlider);
    slider.SetVerticalScrollBar(FALSE);
    slider.m_rc = CRect(0, 0, 200, 16);
    slider.RecalcScrollBarLayout();
    ScrollSurface surface;
    pSlider->DrawScrollBar(&surface.dc, &slider);
    // Channel rows at (0 + 16 - 2) / 2 = 7 and 8, left of the thumb (which sits at 16..27).
    EXPECT_EQ(surface.dc.GetPixel(60, 7), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(surface.dc.GetPixel(60, 8), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_GT(surface.Count(CRect(0, 0, 16, 16), ::GetSysColor(COLOR_3DFACE)), 0) << "the minus button";

    ProbeScroll vertical(pSlider);
    vertical.RecalcScrollBarLayout();
    ScrollSurface untouched;
    pSlider->DrawScrollBar(&untouched.dc, &vertical);
    EXPECT_EQ(untouched.Count(CRect(0, 0, 220, 220), ScrollSurface::kBackground), 220 * 220);
}
