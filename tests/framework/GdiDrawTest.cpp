// Device contexts and GDI objects, checked by pixel probes on memory DCs.
#include "framework/DC.h"
#include "framework/GdiObject.h"
#include "framework/HandleMap.h"

#include <gtest/gtest.h>

namespace
{
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

// A 32-bit memory surface of the given size, filled white.
class MemorySurface
{
public:
    MemorySurface(int cx, int cy)
    {
        CClientDC screen(nullptr);
        dc.CreateCompatibleDC(&screen);
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap.Attach(::CreateDIBSection(screen.m_hDC, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, cx, cy, kWhite);
    }
    ~MemorySurface() { dc.SelectObject(old); }
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};
} // namespace

TEST(GdiDrawTest, FillSolidRectFillsExactlyAndKeepsTheBackgroundColour)
{
    MemorySurface s(20, 20);
    s.dc.SetBkColor(kGreen);
    s.dc.FillSolidRect(CRect(5, 5, 10, 8), kRed);
    EXPECT_EQ(kGreen, s.dc.GetBkColor()); // restored
    struct Probe
    {
        int x, y;
        COLORREF colour;
    } probes[] = {{5, 5, kRed},   {9, 7, kRed},   {10, 7, kWhite},
                  {9, 8, kWhite}, {4, 5, kWhite}, {5, 4, kWhite}};
    for (const Probe& p : probes)
        EXPECT_EQ(p.colour, s.dc.GetPixel(p.x, p.y)) << p.x << "," << p.y;
}

TEST(GdiDrawTest, Draw3dRectDrawsAOnePixelFrameWithTheCornersAssigned)
{
    MemorySurface s(20, 20);
    s.dc.Draw3dRect(CRect(2, 2, 12, 10), kRed, kBlue);
    struct Probe
    {
        int x, y;
        COLORREF colour;
    } probes[] = {
        {2, 2, kRed},    {10, 2, kRed},   {2, 8, kRed},   // top and left edges
        {11, 2, kBlue},  {11, 9, kBlue},  {2, 9, kBlue},  // right and bottom edges, their corners
        {6, 9, kBlue},   {11, 5, kBlue},                  //
        {3, 3, kWhite},  {10, 8, kWhite},                 // inside untouched
        {12, 5, kWhite}, {5, 10, kWhite}, {1, 1, kWhite}, // outside untouched
    };
    for (const Probe& p : probes)
        EXPECT_EQ(p.colour, s.dc.GetPixel(p.x, p.y)) << p.x << "," << p.y;
}

TEST(GdiDrawTest, BrushesPensSelectionAndSavedStates)
{
    MemorySurface s(20, 20);
    CBrush blue(kBlue);
    s.dc.FillRect(CRect(0, 0, 4, 4), &blue);
    EXPECT_EQ(kBlue, s.dc.GetPixel(3, 3));
    EXPECT_EQ(kWhite, s.dc.GetPixel(4, 4));

    CPen red(PS_SOLID, 1, kRed);
    CPen* previous = s.dc.SelectObject(&red);
    ASSERT_NE(nullptr, previous);
    EXPECT_EQ(OBJ_PEN, static_cast<int>(previous->GetObjectType())); // a temporary of the right kind
    s.dc.MoveTo(0, 10);
    s.dc.LineTo(10, 10);
    EXPECT_EQ(kRed, s.dc.GetPixel(5, 10));
    EXPECT_EQ(&red, s.dc.GetCurrentPen());
    s.dc.SelectObject(previous);

    int saved = s.dc.SaveDC();
    s.dc.SetTextColor(kGreen);
    s.dc.IntersectClipRect(0, 0, 5, 5);
    s.dc.FillSolidRect(0, 0, 20, 20, kRed); // clipped
    EXPECT_TRUE(s.dc.RestoreDC(saved));
    EXPECT_NE(kGreen, s.dc.GetTextColor());
    EXPECT_EQ(kRed, s.dc.GetPixel(4, 4));
    EXPECT_EQ(kWhite, s.dc.GetPixel(6, 6)); // outside the clip
    s.dc.FillSolidRect(6, 6, 1, 1, kBlue);  // the clip went with RestoreDC
    EXPECT_EQ(kBlue, s.dc.GetPixel(6, 6));
}

TEST(GdiDrawTest, BlitsStretchAndRegions)
{
    MemorySurface src(8, 8);
    src.dc.FillSolidRect(0, 0, 4, 4, kRed);
    MemorySurface dst(16, 16);
    EXPECT_TRUE(dst.dc.BitBlt(1, 1, 8, 8, &src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(kRed, dst.dc.GetPixel(1, 1));
    EXPECT_EQ(kRed, dst.dc.GetPixel(4, 4));
    EXPECT_EQ(kWhite, dst.dc.GetPixel(5, 5));
    EXPECT_TRUE(dst.dc.StretchBlt(0, 0, 16, 16, &src.dc, 0, 0, 8, 8, SRCCOPY));
    EXPECT_EQ(kRed, dst.dc.GetPixel(7, 7));
    EXPECT_EQ(kWhite, dst.dc.GetPixel(8, 8));

    CRgn a, b, both;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    both.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(COMPLEXREGION, both.CombineRgn(&a, &b, RGN_OR));
    EXPECT_TRUE(both.PtInRegion(12, 12));
    EXPECT_FALSE(both.PtInRegion(12, 2));
    CRect box;
    both.GetRgnBox(&box);
    EXPECT_EQ(CRect(0, 0, 15, 15), box);
    CBrush green(kGreen);
    EXPECT_TRUE(dst.dc.FillRgn(&both, &green));
    EXPECT_EQ(kGreen, dst.dc.GetPixel(12, 12));
    EXPECT_NE(kGreen, dst.dc.GetPixel(12, 2));
}

TEST(GdiDrawTest, TextMeasuresAndDraws)
{
    MemorySurface s(200, 40);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Tahoma"));
    LOGFONTA lf = {};
    EXPECT_GT(font.GetLogFont(&lf), 0);
    EXPECT_LT(lf.lfHeight, 0); // a character height from the point size
    CFont* old = s.dc.SelectObject(&font);
    CSize one = s.dc.GetTextExtent("W", 1);
    CSize three = s.dc.GetTextExtent(CString("WWW"));
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(3 * one.cx, three.cx);
    s.dc.SetTextColor(RGB(0, 0, 0));
    s.dc.SetBkMode(TRANSPARENT);
    CRect r(0, 0, 200, 40);
    EXPECT_GT(s.dc.DrawText("WWWW", -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE), 0);
    int dark = 0;
    for (int x = 0; x < one.cx * 4; ++x)
        for (int y = 0; y < one.cy; ++y)
            dark += s.dc.GetPixel(x, y) != kWhite;
    EXPECT_GT(dark, 0); // something was drawn where the text goes
    EXPECT_EQ(kWhite, s.dc.GetPixel(199, 39));
    s.dc.SelectObject(old);
}

TEST(GdiDrawTest, AttachDetachAndTemporaryWrappers)
{
    HDC hDC = ::CreateCompatibleDC(nullptr);
    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(hDC));
        EXPECT_EQ(&dc, CDC::FromHandle(hDC)); // the permanent object wins
        EXPECT_EQ(hDC, dc.Detach());
    }
    EXPECT_NE(0, ::GetDeviceCaps(hDC, BITSPIXEL)); // a detached DC survives its object
    CDC* temp = CDC::FromHandle(hDC);
    EXPECT_EQ(hDC, temp->GetSafeHdc());
    AfxDeleteTempMaps();
    EXPECT_NE(0, ::GetDeviceCaps(hDC, BITSPIXEL)); // nor does the temporary delete it
    ::DeleteDC(hDC);

    HBRUSH hBrush = ::CreateSolidBrush(kRed);
    {
        CBrush owner;
        ASSERT_TRUE(owner.Attach(hBrush));
        CBrush second;
        EXPECT_FALSE(second.Attach(hBrush)); // one owner per handle
    }
    EXPECT_EQ(0, ::GetObjectType(hBrush)); // the owner deleted it
    CDC* nullDC = nullptr;
    EXPECT_EQ(nullptr, nullDC->GetSafeHdc());
}
