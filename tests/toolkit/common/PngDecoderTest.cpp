// The PNG decoder: pixel layout, transformations, and refusal of damaged or oversized data.
#include "toolkit/common/images/XTPGraphicBitmapPng.h"

#include "ImageTestHelpers.h"
#include "framework/MemFile.h"

#include <gtest/gtest.h>

using namespace imgtest;

namespace
{
struct PngCase
{
    const char* name;
    int cx, cy;
    BOOL bAlpha;
    std::vector<DWORD> pixels; // 0xAARRGGBB, top row first
    int nTolerance;
};

BOOL DecodeBytes(CXTPGraphicBitmapPng& png, std::vector<BYTE> data)
{
    CMemFile file(data.empty() ? nullptr : data.data(), static_cast<UINT>(data.size()), 0);
    return png.LoadFromStream(&file);
}
} // namespace

TEST(PngDecoder, DecodesEachKindToTopDown32BitStraightAlpha)
{
    // gAMA 1.0 shown on a 2.2 screen: 255 x (v / 255) ^ (1 / 2.2).
    const PngCase cases[] = {
        {"RGBA_2X3", 2, 3, TRUE, {0xFFFF0000, 0x8000FF00, 0x400000FF, 0x000A141E, 0xFFC86432, 0x04010203}, 0},
        {"RGB2X2", 2, 2, FALSE, {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00090807}, 0},
        {"PALETTE_TRNS", 2, 2, TRUE, {0x80FF0000, 0xFF0000FF, 0xFF0000FF, 0x80FF0000}, 0},
        {"GREY16", 2, 2, FALSE, {0x00ABABAB, 0x00010101, 0x00404040, 0x00FFFFFF}, 0},
        // A bKGD chunk composes the image onto it, which drops the alpha channel.
        {"BKGD", 2, 2, FALSE, {0x0000FF00, 0x000000FF, 0x000000FF, 0x0000FF00}, 0},
        {"GAMA", 1, 2, FALSE, {0x0088BAFF, 0x00000000}, 1},
    };
    for (const PngCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        HMODULE hModule = ::GetModuleHandleA(nullptr);
        CXTPGraphicBitmapPng png;
        ASSERT_TRUE(png.LoadFromResource(hModule, ::FindResourceA(hModule, c.name, "PNG")));
        EXPECT_EQ(c.bAlpha, png.IsAlpha());
        DIBSECTION ds;
        ASSERT_EQ(sizeof(ds), static_cast<size_t>(::GetObjectA(png.m_hObject, sizeof(ds), &ds)));
        EXPECT_EQ(32, ds.dsBm.bmBitsPixel);
        EXPECT_EQ(c.cx, ds.dsBm.bmWidth);
        EXPECT_EQ(c.cy, ds.dsBm.bmHeight);
        // The section's own memory holds the top row first (as the system reads the rows out):
        // the decoder writes B, G, R, A.
        const DWORD* p = static_cast<const DWORD*>(ds.dsBm.bmBits);
        std::vector<DWORD> rows = ReadPixels(static_cast<HBITMAP>(png.m_hObject));
        ASSERT_EQ(c.pixels.size(), rows.size());
        for (size_t i = 0; i < c.pixels.size(); i++)
        {
            EXPECT_TRUE(Near(c.pixels[i], p[i], c.nTolerance))
                << "pixel " << i << ": " << std::hex << p[i] << " expected " << c.pixels[i];
            EXPECT_EQ(p[i], rows[i]) << "pixel " << i;
        }
    }
}

TEST(PngDecoder, RefusesDamagedAndForeignData)
{
    std::vector<BYTE> good = ResourceBytes("RGBA_2X3", "PNG");
    ASSERT_FALSE(good.empty());
    struct Case
    {
        const char* name;
        std::vector<BYTE> data;
    } cases[] = {
        {"not PNG", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0}},
        {"empty", {}},
        {"signature only", std::vector<BYTE>(good.begin(), good.begin() + 8)},
        {"truncated in the header", std::vector<BYTE>(good.begin(), good.begin() + 20)},
        {"truncated in the data", std::vector<BYTE>(good.begin(), good.end() - 20)},
        {"huge header", ResourceBytes("HUGE", "PNG")},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CXTPGraphicBitmapPng png;
        // A bitmap held before is deleted in every case.
        png.Attach(MakeSolidBitmap(1, 1, 0));
        EXPECT_FALSE(DecodeBytes(png, c.data));
        EXPECT_EQ(nullptr, png.m_hObject);
        EXPECT_FALSE(png.IsAlpha());
    }
}

TEST(PngDecoder, AResourceOfNineBytesOrFewerIsRefused)
{
    HMODULE hModule = ::GetModuleHandleA(nullptr);
    CXTPGraphicBitmapPng png;
    EXPECT_FALSE(png.LoadFromResource(hModule, ::FindResourceA(hModule, "SHORT9", "PNG")));
    EXPECT_FALSE(png.LoadFromResource(hModule, nullptr));
}

TEST(PngDecoder, LoadsFromAFileAndFailsForAMissingOne)
{
    TempFile file(ResourceBytes("RGBA_2X3", "PNG"), ".png");
    CXTPGraphicBitmapPng png;
    ASSERT_TRUE(png.LoadFromFile(file.Path()));
    EXPECT_TRUE(png.IsAlpha());
    std::vector<DWORD> pixels = ReadPixels(static_cast<HBITMAP>(png.m_hObject));
    ASSERT_EQ(6u, pixels.size());
    EXPECT_EQ(0xFFFF0000u, pixels[0]);
    EXPECT_EQ(0x04010203u, pixels[5]);
    // A file that cannot be opened leaves the bitmap held before.
    EXPECT_FALSE(png.LoadFromFile("Z:\\no\\such\\file.png"));
    EXPECT_NE(nullptr, png.m_hObject);
}
