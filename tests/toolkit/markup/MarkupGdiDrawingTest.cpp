// The GDI device context and the drawing context on 32-bit DIB sections filled with a sentinel:
// solid and gradient fills (the clipped gradient allocates only what shows), frames, clip
// regions, and Border and Canvas documents rendered through them.
#include <gtest/gtest.h>

#include <vector>

#include "MarkupTestSupport.h"
#include "toolkit/markup/drawing/XTPMarkupDrawingContext.h"
#include "toolkit/markup/elements/XTPMarkupControls.h"
#include "toolkit/markup/values/XTPMarkupBrush.h"
#include "toolkit/markup/values/XTPMarkupThickness.h"

namespace
{
const DWORD kSentinel = 0x00A5C3E1;

// A top-down 32-bit DIB selected into a memory DC, filled with the sentinel.
class Surface
{
public:
    Surface(int cx, int cy) : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pv = nullptr;
        m_hbm = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pv, nullptr, 0);
        m_pBits = static_cast<DWORD*>(pv);
        m_hdc = CreateCompatibleDC(nullptr);
        m_hOld = SelectObject(m_hdc, m_hbm);
        for (int i = 0; i < cx * cy; i++)
            m_pBits[i] = kSentinel;
    }
    ~Surface()
    {
        SelectObject(m_hdc, m_hOld);
        DeleteDC(m_hdc);
        DeleteObject(m_hbm);
    }
    DWORD At(int x, int y) const
    {
        GdiFlush();
        return m_pBits[y * m_cx + x] & 0xFFFFFF;
    }
    int Count(DWORD dw) const { return m_cx * m_cy - CountNot(dw); }
    int CountNot(DWORD dw) const
    {
        GdiFlush();
        int n = 0;
        for (int i = 0; i < m_cx * m_cy; i++)
            n += (m_pBits[i] & 0xFFFFFF) != dw;
        return n;
    }
    HDC m_hdc;
    int m_cx, m_cy;

private:
    HBITMAP m_hbm;
    HGDIOBJ m_hOld;
    DWORD* m_pBits;
};

// 0x00RRGGBB as the DIB holds it.
DWORD Px(int r, int g, int b)
{
    return ((DWORD)r << 16) | ((DWORD)g << 8) | (DWORD)b;
}

class MarkupGdi : public MarkupTest
{
protected:
    // A gradient from markup; null and a failed test when it does not build.
    CXTPMarkupBrush* Gradient(const char* pszStartEnd, const char* pszStops)
    {
        std::string strText = std::string("<LinearGradientBrush ") + pszStartEnd + ">" + pszStops + "</LinearGradientBrush>";
        MarkupParse result = ParseObject(strText);
        EXPECT_TRUE(result.pRoot) << result.strError;
        CXTPMarkupBrush* pBrush = static_cast<CXTPMarkupBrush*>(result.pRoot);
        result.pRoot = nullptr;
        return pBrush;
    }
    CXTPMarkupBrush* BlackToWhiteDownwards()
    {
        return Gradient("StartPoint='0,0' EndPoint='0,1'",
                        "<GradientStop Color='Black' Offset='0'/><GradientStop Color='White' Offset='1'/>");
    }
};

TEST_F(MarkupGdi, SolidFillIsExactAndStaysInside)
{
    Surface s(20, 20);
    CXTPMarkupDeviceContext dc(s.m_hdc);
    CXTPMarkupSolidColorBrush* pBrush = new CXTPMarkupSolidColorBrush(RGB(0x12, 0x34, 0x56));
    dc.FillRectangle({2, 3, 10, 8}, pBrush);
    pBrush->Release();
    EXPECT_EQ(Px(0x12, 0x34, 0x56), s.At(2, 3));
    EXPECT_EQ(Px(0x12, 0x34, 0x56), s.At(9, 7));
    EXPECT_EQ(kSentinel, s.At(10, 7));
    EXPECT_EQ(kSentinel, s.At(9, 8));
    EXPECT_EQ(kSentinel, s.At(1, 3));
    EXPECT_EQ(20 * 20 - 8 * 5, s.CountNot(Px(0x12, 0x34, 0x56)));
    // A solid brush without a colour draws nothing.
    CXTPMarkupSolidColorBrush* pEmpty = new CXTPMarkupSolidColorBrush();
    dc.FillRectangle({0, 0, 20, 20}, pEmpty);
    pEmpty->Release();
    EXPECT_EQ(kSentinel, s.At(0, 0));
}

TEST_F(MarkupGdi, VerticalGradientRowsTruncate)
{
    Surface s(1, 256);
    CXTPMarkupDeviceContext dc(s.m_hdc);
    CXTPMarkupBrush* pBrush = BlackToWhiteDownwards();
    ASSERT_TRUE(pBrush);
    dc.FillRectangle({0, 0, 1, 256}, pBrush);
    pBrush->Release();
    for (int y = 0; y < 256; y++)
    {
        int v = y * 255 / 256;
        ASSERT_EQ(Px(v, v, v), s.At(0, y)) << "row " << y;
    }
}

TEST_F(MarkupGdi, EqualOffsetsKeepTheirDeclarationOrder)
{
    Surface s(1, 256);
    CXTPMarkupDeviceContext dc(s.m_hdc);
    // Written out of order: sorting puts red first, then green and blue (both at 0.5, as declared).
    CXTPMarkupBrush* pBrush = Gradient("StartPoint='0,0' EndPoint='0,1'",
                                       "<GradientStop Color='#0000FF' Offset='0.5'/>"
                                       "<GradientStop Color='#FF0000' Offset='0'/>"
                                       "<GradientStop Color='#00FF00' Offset='0.5'/>"
                                       "<GradientStop Color='#FFFFFF' Offset='1'/>");
    ASSERT_TRUE(pBrush);
    dc.FillRectangle({0, 0, 1, 256}, pBrush);
    pBrush->Release();
    EXPECT_EQ(Px(255, 0, 0), s.At(0, 0));
    // Just below the middle: between red and the first stop at 0.5 (blue, declared first).
    DWORD dwBelow = s.At(0, 127);
    EXPECT_GT((int)(dwBelow & 0xFF), 240) << std::hex << dwBelow;
    EXPECT_EQ(0u, (dwBelow >> 8) & 0xFF);
    // From the middle on: from the last stop at 0.5 (green) to white.
    DWORD dwAbove = s.At(0, 129);
    EXPECT_GT((int)((dwAbove >> 8) & 0xFF), 250) << std::hex << dwAbove;
    EXPECT_LT((int)(dwAbove & 0xFF), 10);
}

TEST_F(MarkupGdi, DegenerateGradients)
{
    const struct
    {
        const char* pszName;
        const char* pszStartEnd;
        const char* pszStops;
        DWORD dwExpected; // at (3, 3)
    } cases[] = {
        {"no stops", "", "", kSentinel},
        {"equal points", "StartPoint='0.5,0.5' EndPoint='0.5,0.5'",
         "<GradientStop Color='Red' Offset='0'/><GradientStop Color='Blue' Offset='1'/>", kSentinel},
        {"one stop fills solid", "", "<GradientStop Color='#102030' Offset='0.7'/>", Px(0x10, 0x20, 0x30)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        Surface s(8, 8);
        CXTPMarkupDeviceContext dc(s.m_hdc);
        CXTPMarkupBrush* pBrush = Gradient(c.pszStartEnd, c.pszStops);
        ASSERT_TRUE(pBrush);
        dc.FillRectangle({0, 0, 8, 8}, pBrush);
        pBrush->Release();
        EXPECT_EQ(c.dwExpected, s.At(3, 3));
        EXPECT_EQ(c.dwExpected == kSentinel ? 0 : 64, s.CountNot(kSentinel));
    }
}

TEST_F(MarkupGdi, ClippedGradientEqualsThoseRowsOfTheWholeOne)
{
    const char* arrDirections[] = {"StartPoint='0,0' EndPoint='1,1'", "StartPoint='0,0' EndPoint='1,0'",
                                   "StartPoint='0.2,1' EndPoint='0.2,0'"};
    for (const char* pszDirection : arrDirections)
    {
        SCOPED_TRACE(pszDirection);
        CXTPMarkupBrush* pBrush = Gradient(pszDirection, "<GradientStop Color='#FF8000' Offset='0.1'/>"
                                                         "<GradientStop Color='#0040C0' Offset='0.6'/>"
                                                         "<GradientStop Color='#20E020' Offset='0.9'/>");
        ASSERT_TRUE(pBrush);
        Surface whole(64, 48), clipped(64, 48);
        CXTPMarkupDeviceContext dcWhole(whole.m_hdc), dcClipped(clipped.m_hdc);
        dcWhole.FillRectangle({4, 2, 60, 46}, pBrush);
        dcClipped.IntersectClipRect({20, 10, 35, 30});
        dcClipped.FillRectangle({4, 2, 60, 46}, pBrush);
        pBrush->Release();
        for (int y = 0; y < 48; y++)
            for (int x = 0; x < 64; x++)
            {
                bool bInside = x >= 20 && x < 35 && y >= 10 && y < 30;
                ASSERT_EQ(bInside ? whole.At(x, y) : kSentinel, clipped.At(x, y)) << x << "," << y;
            }
    }
}

TEST_F(MarkupGdi, HugeGradientClippedToTheSurfaceDrawsWhatShows)
{
    // 100000 x 100000 pixels: a DIB of the whole would need 40 GB; only 50 x 50 is allocated.
    Surface s(50, 50);
    CXTPMarkupDeviceContext dc(s.m_hdc);
    CXTPMarkupBrush* pBrush = BlackToWhiteDownwards();
    ASSERT_TRUE(pBrush);
    // The surface shows the last 50 rows of the element.
    dc.FillRectangle({-99950, -99950, 50, 50}, pBrush);
    pBrush->Release();
    EXPECT_EQ(0, s.Count(kSentinel));
    for (int y = 0; y < 50; y++)
    {
        int v = (int)((1 - (100000.0 - (99950 + y)) / 100000.0) * 255);
        ASSERT_EQ(Px(v, v, v), s.At(0, y)) << "row " << y;
        ASSERT_EQ(s.At(0, y), s.At(49, y));
    }
}

TEST_F(MarkupGdi, LeftOnlyFrameDrawsOneBar)
{
    Surface s(10, 10);
    CXTPMarkupDeviceContext dc(s.m_hdc);
    CXTPMarkupSolidColorBrush* pBrush = new CXTPMarkupSolidColorBrush(RGB(255, 0, 0));
    CXTPMarkupThickness* pThickness = new CXTPMarkupThickness(1, 0, 0, 0);
    dc.DrawFrame({1, 1, 9, 9}, pBrush, pThickness);
    pThickness->Release();
    pBrush->Release();
    for (int y = 1; y < 9; y++)
        EXPECT_EQ(Px(255, 0, 0), s.At(1, y));
    EXPECT_EQ(8, s.CountNot(kSentinel));
}

TEST_F(MarkupGdi, SavedAbsentClipRestoresToNoClip)
{
    Surface s(10, 10);
    CXTPMarkupDrawingContext dc(m_pContext, s.m_hdc);
    HRGN hrgn = dc.SaveClip();
    EXPECT_EQ(XTP_MARKUP_NO_CLIP_REGION, hrgn);
    dc.IntersectClipRect({0, 0, 3, 3});
    EXPECT_EQ(3, dc.GetClipBox().right);
    dc.FillSolidRect({0, 0, 10, 10}, RGB(0, 0, 255));
    EXPECT_EQ(9, s.CountNot(kSentinel));
    dc.RestoreClip(hrgn);
    EXPECT_EQ(10, dc.GetClipBox().right);
    dc.FillSolidRect({0, 0, 10, 10}, RGB(0, 0, 255));
    EXPECT_EQ(100, s.CountNot(kSentinel));
    // A saved region comes back as it was.
    dc.IntersectClipRect({2, 2, 6, 6});
    HRGN hrgnSaved = dc.SaveClip();
    ASSERT_NE(XTP_MARKUP_NO_CLIP_REGION, hrgnSaved);
    dc.IntersectClipRect({2, 2, 3, 3});
    dc.RestoreClip(hrgnSaved);
    EXPECT_EQ(6, dc.GetClipBox().right);
}

TEST_F(MarkupGdi, ViewportOffsetMovesDrawingAndClipBox)
{
    Surface s(10, 10);
    CXTPMarkupDrawingContext dc(m_pContext, s.m_hdc);
    dc.OffsetViewport({4, 5});
    EXPECT_EQ(-4, dc.GetClipBox().left);
    dc.FillSolidRect({0, 0, 1, 1}, RGB(1, 2, 3));
    EXPECT_EQ(Px(1, 2, 3), s.At(4, 5));
    EXPECT_EQ(1, s.CountNot(kSentinel));
}

class MarkupGdiDocuments : public MarkupGdi
{
protected:
    // Lays the document out in the surface's size and renders it.
    void Render(CXTPMarkupUIElement* pRoot, Surface& s)
    {
        CXTPMarkupDrawingContext dc(m_pContext, s.m_hdc);
        pRoot->Measure(&dc, s.m_cx, s.m_cy);
        pRoot->Arrange({0, 0, s.m_cx, s.m_cy});
        pRoot->Render(&dc);
    }
    // Parses the document and renders it on the surface; false when it does not build.
    bool RenderDocument(const char* pszMarkup, Surface& s)
    {
        MarkupParse result = Parse(pszMarkup);
        EXPECT_TRUE(result.pRoot) << result.strError;
        if (!result.pRoot)
            return false;
        Render(static_cast<CXTPMarkupUIElement*>(result.pRoot), s);
        return true;
    }
};

TEST_F(MarkupGdiDocuments, BackgroundAloneFillsTheBorder)
{
    Surface s(30, 20);
    ASSERT_TRUE(RenderDocument("<Border Background='#FF0000' Width='20' Height='10' HorizontalAlignment='Left' "
                               "VerticalAlignment='Top' Margin='3,2,0,0'/>",
                               s));
    EXPECT_EQ(Px(255, 0, 0), s.At(3, 2));
    EXPECT_EQ(Px(255, 0, 0), s.At(22, 11));
    EXPECT_EQ(200, s.Count(Px(255, 0, 0)));
    EXPECT_EQ(30 * 20 - 200, s.Count(kSentinel));
}

TEST_F(MarkupGdiDocuments, RoundedBorderFrameAndBackground)
{
    Surface s(40, 30);
    ASSERT_TRUE(RenderDocument("<Border Background='#0000FF' BorderBrush='#FF0000' BorderThickness='2' "
                               "CornerRadius='6'/>", s));
    // The corners stay out; the frame runs along the edges, the background inside it.
    EXPECT_EQ(kSentinel, s.At(0, 0));
    EXPECT_EQ(kSentinel, s.At(39, 29));
    EXPECT_EQ(Px(255, 0, 0), s.At(20, 0));
    EXPECT_EQ(Px(255, 0, 0), s.At(20, 1));
    EXPECT_EQ(Px(255, 0, 0), s.At(0, 15));
    EXPECT_EQ(Px(0, 0, 255), s.At(20, 15));
    EXPECT_EQ(Px(0, 0, 255), s.At(20, 3));
}

TEST_F(MarkupGdiDocuments, ThickFrameLeavesNoRoomForTheBackground)
{
    Surface s(12, 12);
    ASSERT_TRUE(RenderDocument("<Border Background='#0000FF' BorderBrush='#FF0000' BorderThickness='6' "
                               "Width='10' Height='10' HorizontalAlignment='Left' VerticalAlignment='Top'/>", s));
    EXPECT_EQ(100, s.Count(Px(255, 0, 0)));
    EXPECT_EQ(0, s.Count(Px(0, 0, 255)));
    EXPECT_EQ(44, s.Count(kSentinel));
    EXPECT_EQ(Px(255, 0, 0), s.At(5, 5));
}

TEST_F(MarkupGdiDocuments, CanvasChildrenDrawWhereTheyArePlacedAndClipped)
{
    Surface s(60, 40);
    ASSERT_TRUE(RenderDocument("<Canvas Background='#FFFFFF'>"
                               "<Border Canvas.Left='2' Canvas.Top='3' Width='4' Height='4' Background='#00FF00'/>"
                               "<Border Canvas.Right='0' Canvas.Bottom='0' Width='30' Height='30' Background='#FF0000'>"
                               "<Border Width='40' Height='40' Background='#0000FF'/></Border>"
                               "</Canvas>", s));
    EXPECT_EQ(Px(255, 255, 255), s.At(0, 0));
    EXPECT_EQ(Px(0, 255, 0), s.At(2, 3));
    EXPECT_EQ(Px(0, 255, 0), s.At(5, 6));
    EXPECT_EQ(Px(255, 255, 255), s.At(6, 6));
    // The inner border is larger than its parent's 30 x 30: clipped to the parent's slot.
    EXPECT_EQ(Px(0, 0, 255), s.At(30, 10));
    EXPECT_EQ(Px(0, 0, 255), s.At(59, 39));
    EXPECT_EQ(Px(255, 255, 255), s.At(29, 10));
    EXPECT_EQ(Px(255, 255, 255), s.At(30, 9));
    EXPECT_EQ(0, s.Count(kSentinel));
}
} // namespace
