// Theme image draws, probed on 32-bit DIBs: the nine zones, margin rules, the size limit, frame
// sources, key transparency and right-to-left mirroring.
#include "toolkit/common/resources/XTPResourceImages.h"

#include "ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// 0xAARRGGBB as the DIB stores it (blue in the low byte).
DWORD Argb(BYTE a, BYTE r, BYTE g, BYTE b)
{
    return (static_cast<DWORD>(a) << 24) | (static_cast<DWORD>(r) << 16) | (static_cast<DWORD>(g) << 8) | b;
}

// An image from pixels given top row first (0xAARRGGBB).
CXTPResourceImage* MakeImage(int cx, int cy, const std::vector<DWORD>& pixels, BOOL bAlpha)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    memcpy(pBits, pixels.data(), pixels.size() * sizeof(DWORD));
    CXTPResourceImage* pImage = new CXTPResourceImage(GetResourceImages());
    EXPECT_TRUE(pImage->LoadFromBitmap(hBitmap, bAlpha));
    ::DeleteObject(hBitmap);
    return pImage;
}

// The 9 x 9 fixture: 3 x 3 blocks of 3 x 3 pixels, block (row r, column c) in colour kZone[r][c].
const COLORREF kZone[3][3] = {{RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)},
                              {RGB(200, 200, 0), RGB(0, 200, 200), RGB(200, 0, 200)},
                              {RGB(100, 50, 0), RGB(0, 100, 50), RGB(50, 0, 100)}};

CXTPResourceImage* MakeZones(BOOL bAlpha)
{
    std::vector<DWORD> pixels(81);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
        {
            COLORREF c = kZone[y / 3][x / 3];
            pixels[y * 9 + x] = Argb(255, GetRValue(c), GetGValue(c), GetBValue(c));
        }
    return MakeImage(9, 9, pixels, bAlpha);
}

struct ImageRef
{
    explicit ImageRef(CXTPResourceImage* p) : pImage(p) {}
    ~ImageRef() { pImage->InternalRelease(); }
    CXTPResourceImage* operator->() { return pImage; }
    CXTPResourceImage* pImage;
};
} // namespace

TEST(ResourceImagesDraw, NineZonesKeepCornersAndStretchEdges)
{
    for (BOOL bAlpha : {FALSE, TRUE})
    {
        ImageRef image(MakeZones(bAlpha));
        tk_test::DibCanvas surface(40, 40);
        image->DrawImage(surface.DC(), CRect(5, 5, 35, 35), image->GetSource(), CRect(3, 3, 3, 3));
        // Corners 3 px, edges and centre stretched over the 24 px between them.
        const int xs[3][2] = {{5, 7}, {8, 31}, {32, 34}};
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                for (int x : xs[col])
                    for (int y : xs[row])
                        EXPECT_EQ(kZone[row][col], surface.Pixel(x, y))
                            << "alpha " << bAlpha << " zone " << row << "," << col << " at " << x << "," << y;
        EXPECT_EQ(RGB(1, 2, 3), surface.Pixel(4, 4));
        EXPECT_EQ(RGB(1, 2, 3), surface.Pixel(35, 35));
    }
}

TEST(ResourceImagesDraw, EqualWidthDropsLeftAndRightMargins)
{
    // Margins of 5 on each side would overlap on a 9 px image; with the width unchanged they are
    // dropped and every column is copied as it is.
    ImageRef image(MakeZones(FALSE));
    tk_test::DibCanvas surface(9, 30);
    image->DrawImage(surface.DC(), CRect(0, 0, 9, 30), image->GetSource(), CRect(5, 3, 5, 3));
    for (int x = 0; x < 9; ++x)
    {
        EXPECT_EQ(kZone[0][x / 3], surface.Pixel(x, 0)) << x;
        EXPECT_EQ(kZone[1][x / 3], surface.Pixel(x, 15)) << x;
        EXPECT_EQ(kZone[2][x / 3], surface.Pixel(x, 29)) << x;
    }
}

TEST(ResourceImagesDraw, MarginsScaleDownWhenLargerThanTheDestination)
{
    ImageRef image(MakeZones(FALSE));
    tk_test::DibCanvas surface(4, 4);
    image->DrawImage(surface.DC(), CRect(0, 0, 4, 4), image->GetSource(), CRect(3, 3, 3, 3));
    // Horizontally 4 * 3 / 6 = 2 columns each side. Vertically MulDiv gives 2 and 2, and the
    // bottom grows to 3 (its parity follows the margin of 3): row 1 is the bottom's.
    EXPECT_EQ(kZone[0][0], surface.Pixel(0, 0));
    EXPECT_EQ(kZone[0][0], surface.Pixel(1, 0));
    EXPECT_EQ(kZone[0][2], surface.Pixel(2, 0));
    EXPECT_EQ(kZone[0][2], surface.Pixel(3, 0));
    EXPECT_EQ(kZone[2][0], surface.Pixel(0, 1));
    EXPECT_EQ(kZone[2][2], surface.Pixel(3, 3));
}

TEST(ResourceImagesDraw, EmptySourceOrDestinationDrawsNothing)
{
    ImageRef image(MakeZones(FALSE));
    tk_test::DibCanvas surface(20, 20);
    struct Case
    {
        CRect rcDest, rcSrc, rcMargins;
    } cases[] = {
        {CRect(0, 0, 20, 20), CRect(0, 0, 0, 0), CRect()},         // empty source
        {CRect(0, 0, 20, 20), CRect(0, 0, 9, 0), CRect()},         // no rows
        {CRect(0, 0, 0, 20), CRect(0, 0, 9, 9), CRect(3, 3, 3, 3)}, // no width
        {CRect(5, 5, 5, 5), CRect(0, 0, 9, 9), CRect(3, 3, 3, 3)},
        {CRect(0, 0, 20, 20), CRect(0, 0, 9, 4), CRect(0, 3, 0, 3)}, // shorter than its margins
    };
    for (const Case& c : cases)
    {
        image->DrawImage(surface.DC(), c.rcDest, c.rcSrc, c.rcMargins);
        image->DrawImageKeyed(surface.DC(), c.rcDest, c.rcSrc, c.rcMargins, RGB(255, 0, 255));
        image->DrawImageEx(surface.DC(), c.rcDest, c.rcSrc, c.rcMargins, RGB(255, 0, 255), XTP_DI_COMPOSITE);
    }
    for (int y = 0; y < 20; y += 3)
        for (int x = 0; x < 20; x += 3)
            EXPECT_EQ(RGB(1, 2, 3), surface.Pixel(x, y));

    // A resized axis with zero margins stretches the whole source.
    image->DrawImage(surface.DC(), CRect(0, 0, 18, 18), image->GetSource(), CRect(0, 0, 0, 0));
    EXPECT_EQ(kZone[0][0], surface.Pixel(0, 0));
    EXPECT_EQ(kZone[1][1], surface.Pixel(9, 9));
    EXPECT_EQ(kZone[2][2], surface.Pixel(17, 17));
}

TEST(ResourceImagesDraw, ImageWiderThanTheSurfaceIsNotDrawn)
{
    ImageRef image(MakeImage(600, 4, std::vector<DWORD>(2400, Argb(255, 9, 9, 9)), FALSE));
    tk_test::DibCanvas surface(30, 4);
    image->DrawImage(surface.DC(), CRect(0, 0, 30, 4), CRect(0, 0, 30, 4), CRect());
    image->DrawImageStretched(surface.DC(), CRect(0, 0, 30, 4), image->GetSource());
    EXPECT_EQ(RGB(1, 2, 3), surface.Pixel(0, 0));
    EXPECT_EQ(RGB(1, 2, 3), surface.Pixel(29, 3));

    ImageRef fits(MakeImage(512, 4, std::vector<DWORD>(2048, Argb(255, 9, 9, 9)), FALSE));
    fits->DrawImage(surface.DC(), CRect(0, 0, 30, 4), CRect(0, 0, 30, 4), CRect());
    EXPECT_EQ(RGB(9, 9, 9), surface.Pixel(0, 0));
}

TEST(ResourceImagesDraw, GetSourceCutsFramesVertically)
{
    ImageRef image(MakeImage(9, 20, std::vector<DWORD>(180, Argb(255, 1, 1, 1)), FALSE));
    EXPECT_EQ(CRect(0, 0, 9, 20), image->GetSource());
    EXPECT_EQ(CRect(0, 5, 9, 10), image->GetSource(1, 4));
    EXPECT_EQ(CRect(0, 12, 9, 18), image->GetSource(2, 3)); // 20 / 3 = 6 rows a frame
    CRect rc;
    image->GetSource(rc, 3, 4);
    EXPECT_EQ(CRect(0, 15, 9, 20), rc);
    EXPECT_EQ(CSize(9, 20), image->GetExtent());
    EXPECT_EQ(20, image->GetHeight());

    CXTPResourceImage empty(GetResourceImages());
    EXPECT_TRUE(empty.GetSource(1, 4).IsRectEmpty());
    EXPECT_TRUE(image->GetSource(0, 0).IsRectEmpty());
}

TEST(ResourceImagesDraw, KeyColourStaysTransparentInKeyedDraws)
{
    // Left column magenta, right column grey.
    std::vector<DWORD> pixels;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            pixels.push_back(x < 2 ? Argb(255, 255, 0, 255) : Argb(255, 90, 90, 90));
    ImageRef image(MakeImage(4, 4, pixels, FALSE));
    for (DWORD flags : {DWORD(0), DWORD(XTP_DI_COMPOSITE)})
    {
        tk_test::DibCanvas surface(8, 8, RGB(10, 20, 30));
        image->DrawImageEx(surface.DC(), CRect(0, 0, 8, 8), image->GetSource(), CRect(), RGB(255, 0, 255), flags);
        EXPECT_EQ(RGB(10, 20, 30), surface.Pixel(1, 1)) << flags;
        EXPECT_EQ(RGB(10, 20, 30), surface.Pixel(3, 7)) << flags;
        EXPECT_EQ(RGB(90, 90, 90), surface.Pixel(4, 0)) << flags;
        EXPECT_EQ(RGB(90, 90, 90), surface.Pixel(7, 7)) << flags;
    }
    // Without a key the magenta is drawn.
    tk_test::DibCanvas surface(8, 8, RGB(10, 20, 30));
    image->DrawImageKeyed(surface.DC(), CRect(0, 0, 8, 8), image->GetSource(), CRect(), (COLORREF)-1);
    EXPECT_EQ(RGB(255, 0, 255), surface.Pixel(1, 1));
}

TEST(ResourceImagesDraw, CompositeDrawComparesTheKeyAsAColour)
{
    // Key RGB(10, 20, 30): a DIB pixel of red 10, green 20, blue 30 is the key; the pixel whose
    // raw bytes equal the COLORREF (red 30, blue 10) is not.
    std::vector<DWORD> pixels = {Argb(255, 10, 20, 30), Argb(255, 30, 20, 10)};
    ImageRef image(MakeImage(2, 1, pixels, FALSE));
    tk_test::DibCanvas surface(2, 1, RGB(200, 200, 200));
    image->DrawImageEx(surface.DC(), CRect(0, 0, 2, 1), image->GetSource(), CRect(), RGB(10, 20, 30),
                       XTP_DI_COMPOSITE);
    EXPECT_EQ(RGB(200, 200, 200), surface.Pixel(0, 0));
    EXPECT_EQ(RGB(30, 20, 10), surface.Pixel(1, 0));
}

TEST(ResourceImagesDraw, PremultiplyAndMirror)
{
    std::vector<DWORD> pixels = {Argb(128, 255, 100, 0), Argb(255, 1, 2, 3)};
    ImageRef image(MakeImage(2, 1, pixels, TRUE));
    image->PremultiplyAlpha();
    EXPECT_TRUE(image->IsPremultiplied());
    EXPECT_EQ(Argb(128, 128, 50, 0), image->GetPixel(0, 0));
    image->PremultiplyAlpha(); // only once
    EXPECT_EQ(Argb(128, 128, 50, 0), image->GetPixel(0, 0));
    image->MirrorImage();
    EXPECT_TRUE(image->IsMirrored());
    EXPECT_EQ(Argb(255, 1, 2, 3), image->GetPixel(0, 0));

    ImageRef opaque(MakeImage(2, 1, pixels, FALSE));
    opaque->PremultiplyAlpha(); // no alpha: untouched
    EXPECT_FALSE(opaque->IsPremultiplied());
    EXPECT_EQ(Argb(128, 255, 100, 0), opaque->GetPixel(0, 0));
}

TEST(ResourceImagesDraw, MirroredAlphaImageOnRightToLeftDC)
{
    // Left half red, right half blue; margins of 2 so that the nine-part path runs.
    std::vector<DWORD> pixels;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            pixels.push_back(x < 3 ? Argb(255, 255, 0, 0) : Argb(255, 0, 0, 255));
    ImageRef image(MakeImage(6, 6, pixels, TRUE));
    image->SetMirrorForRightToLeft(TRUE);

    tk_test::DibCanvas ltr(12, 6);
    image->DrawImage(ltr.DC(), CRect(0, 0, 12, 6), image->GetSource(), CRect(2, 2, 2, 2));
    EXPECT_FALSE(image->IsMirrored());
    EXPECT_EQ(RGB(255, 0, 0), ltr.Pixel(0, 3));
    EXPECT_EQ(RGB(0, 0, 255), ltr.Pixel(11, 3));

    tk_test::DibCanvas rtl(12, 6);
    ::SetLayout(rtl.DC()->GetSafeHdc(), LAYOUT_RTL);
    image->DrawImage(rtl.DC(), CRect(0, 0, 12, 6), image->GetSource(), CRect(2, 2, 2, 2));
    // The image was mirrored for the right-to-left DC ...
    EXPECT_TRUE(image->IsMirrored());
    EXPECT_EQ(Argb(255, 0, 0, 255), image->GetPixel(0, 0));
    // ... and the user sees it mirrored: blue on the physical left, red on the right.
    EXPECT_EQ(RGB(0, 0, 255), rtl.Pixel(0, 3));
    EXPECT_EQ(RGB(0, 0, 255), rtl.Pixel(1, 1));
    EXPECT_EQ(RGB(255, 0, 0), rtl.Pixel(11, 3));
    EXPECT_EQ(RGB(255, 0, 0), rtl.Pixel(10, 4));

    // Back on a left-to-right DC it is mirrored back.
    image->DrawImage(ltr.DC(), CRect(0, 0, 12, 6), image->GetSource(), CRect(2, 2, 2, 2));
    EXPECT_FALSE(image->IsMirrored());
}
