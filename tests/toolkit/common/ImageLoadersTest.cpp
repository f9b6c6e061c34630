// The bitmap loaders (files, resources, pictures) and the bitmap and icon helpers.
#include "toolkit/common/images/XTPImageManager.h"

#include "ImageTestHelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace imgtest;

namespace
{
// A 1 x 1 GIF whose one pixel is red.
const std::vector<BYTE> kRedGif = {'G',  'I',  'F',  '8',  '9',  'a',  1,    0,    1,    0,    0x80, 0,
                                   0,    0xFF, 0,    0,    0,    0,    0,    0x2C, 0,    0,    0,    0,
                                   1,    0,    1,    0,    0,    2,    2,    0x44, 0x01, 0,    0x3B};
} // namespace

TEST(ImageLoaders, FilesByKind)
{
    struct Case
    {
        const char* resource;
        LPCSTR type;
        BOOL bAlpha;
        int cx, cy;
        DWORD topLeft;
    } cases[] = {
        {"RGBA_2X3", "PNG", TRUE, 2, 3, 0xFFFF0000},
        {"RGB2X2", "PNG", FALSE, 2, 2, 0x00FF0000},
        {"FILE_BMP32", RT_RCDATA, TRUE, 2, 2, 0xFFFF0000},
        {"FILE_BMP24", RT_RCDATA, FALSE, 2, 2, 0xFF0000},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.resource);
        TempFile file(ResourceBytes(c.resource, c.type), ".img");
        BOOL bAlpha = 7;
        HBITMAP hBitmap = LoadBitmapFromFile(file.Path(), &bAlpha);
        ASSERT_NE(nullptr, hBitmap);
        EXPECT_EQ(c.bAlpha, bAlpha);
        int cx = 0, cy = 0;
        std::vector<DWORD> pixels = ReadPixels(hBitmap, &cx, &cy);
        EXPECT_EQ(c.cx, cx);
        EXPECT_EQ(c.cy, cy);
        // Only 32-bit images keep their fourth byte.
        EXPECT_EQ(c.bAlpha ? c.topLeft : (c.topLeft & 0xFFFFFF), c.bAlpha ? pixels[0] : (pixels[0] & 0xFFFFFF));
        ::DeleteObject(hBitmap);
    }
    BOOL bAlpha = 7;
    EXPECT_EQ(nullptr, LoadBitmapFromFile("Z:\\no\\such.bmp", &bAlpha));
    EXPECT_EQ(7, bAlpha);
    // A 32-bit file whose pixels are missing is refused (not handed to the system).
    std::vector<BYTE> cut = ResourceBytes("FILE_BMP32", RT_RCDATA);
    cut.resize(cut.size() - 4);
    TempFile file(cut, ".bmp");
    EXPECT_EQ(nullptr, LoadBitmapFromFile(file.Path(), &bAlpha));
}

TEST(ImageLoaders, PictureFilesGoThroughThePictureObject)
{
    TempFile file(kRedGif, ".gif");
    ASSERT_EQ(nullptr, ::LoadImageA(nullptr, file.Path(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE))
        << "the system's bitmap loader must refuse the file for this test";
    BOOL bAlpha = 7;
    HBITMAP hBitmap = LoadBitmapFromFile(file.Path(), &bAlpha);
    if (!hBitmap)
        GTEST_SKIP() << "the picture object (OleLoadPicturePath) cannot read this GIF here";
    EXPECT_EQ(7, bAlpha) << "a picture leaves the alpha flag alone";
    std::vector<DWORD> pixels = ReadPixels(hBitmap);
    ASSERT_FALSE(pixels.empty());
    EXPECT_EQ(0xFF0000u, pixels[0] & 0xFFFFFF);
    ::DeleteObject(hBitmap);
}

TEST(ImageLoaders, Resources)
{
    HMODULE hModule = ::GetModuleHandleA(nullptr);
    const struct
    {
        const char* name;
        BOOL bPng;
        BOOL bAlpha;
        DWORD topLeft;
    } cases[] = {
        {"RGBA_2X3", TRUE, TRUE, 0xFFFF0000},
        {"BMP32_2X2", FALSE, TRUE, 0xFFFF0000},
        {"BMP24_2X2", FALSE, FALSE, 0xFF0000},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.bPng, IsPngResource(hModule, c.name));
        for (bool bApp : {false, true})
        {
            BOOL bAlpha = 7;
            HBITMAP hBitmap =
                bApp ? LoadBitmapFromAppResources(c.name, &bAlpha) : LoadBitmapFromResource(hModule, c.name, &bAlpha);
            ASSERT_NE(nullptr, hBitmap);
            EXPECT_EQ(c.bAlpha, bAlpha);
            DWORD pixel = ReadPixels(hBitmap)[0];
            EXPECT_EQ(c.bAlpha ? c.topLeft : c.topLeft & 0xFFFFFF, c.bAlpha ? pixel : pixel & 0xFFFFFF);
            ::DeleteObject(hBitmap);
        }
    }
    EXPECT_EQ(nullptr, LoadBitmapFromResource(hModule, "SHORT9", nullptr));
    EXPECT_EQ(nullptr, LoadBitmapFromResource(hModule, "NO_SUCH_BITMAP", nullptr));
    EXPECT_FALSE(IsPngResource(hModule, "NO_SUCH_BITMAP"));
}

TEST(ImageLoaders, PremultiplyingAndTheAlphaFlag)
{
    struct Case
    {
        const char* name;
        std::vector<DWORD> pixels;
        BOOL bPrimed;
        BOOL bFlag;
        DWORD first; // first pixel of the copy
    } cases[] = {
        {"opaque, primed 0: unchanged", {0xFF804020, 0xFF102030}, 0, 0, 0xFF804020},
        {"half alpha", {0x80804020, 0xFF102030}, 0, 1, 0x80402010},
        {"opaque, primed -1", {0xFF804020, 0xFF102030}, -1, 1, 0xFF804020},
        {"transparent then opaque", {0x00804020, 0xFF102030}, 0, 1, 0x00000000},
        {"all transparent, primed -1", {0x00804020, 0x00102030}, -1, -1, 0x00000000},
        {"all transparent, primed 0: unchanged", {0x00804020, 0x00102030}, 0, 0, 0x00804020},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        HBITMAP hBitmap = MakeBitmap(2, 1, [&](int x, int) { return c.pixels[x]; });
        BOOL bFlag = c.bPrimed;
        LPBYTE pBits = nullptr;
        HBITMAP hCopy = PreMultiplyAlphaBitmap(hBitmap, &bFlag, &pBits);
        ASSERT_NE(nullptr, hCopy);
        EXPECT_NE(nullptr, pBits);
        EXPECT_EQ(c.bFlag, bFlag);
        EXPECT_EQ(c.first, ReadPixels(hCopy)[0]) << std::hex << ReadPixels(hCopy)[0];
        ::DeleteObject(hCopy);
        ::DeleteObject(hBitmap);
    }
}

TEST(ImageLoaders, BitmapHelpers)
{
    // Bottom-up: the first bytes of the section are the bottom row.
    LPBYTE pBits = nullptr;
    HBITMAP hDib = CreateDIBSection32(nullptr, 3, 2, &pBits);
    ASSERT_NE(nullptr, hDib);
    reinterpret_cast<DWORD*>(pBits)[0] = 0x11223344;
    std::vector<DWORD> pixels = ReadPixels(hDib);
    EXPECT_EQ(0x11223344u, pixels[3]);
    EXPECT_EQ(nullptr, CreateDIBSection32(nullptr, 0, 2, nullptr));
    EXPECT_EQ(nullptr, CreateDIBSection32(nullptr, 100000, 100000, nullptr));

    // Header and bottom-up pixels in two blocks the caller frees.
    PBITMAPINFO pbmi = nullptr;
    LPVOID pv = nullptr;
    UINT nSize = 0;
    ASSERT_TRUE(GetBitmapBits32(nullptr, hDib, pbmi, pv, nSize));
    EXPECT_EQ(24u, nSize);
    EXPECT_EQ(3, pbmi->bmiHeader.biWidth);
    EXPECT_EQ(0x11223344u, static_cast<DWORD*>(pv)[0]);
    std::free(pbmi);
    std::free(pv);
    HBITMAP hMono = ::CreateBitmap(4, 4, 1, 1, nullptr);
    EXPECT_FALSE(GetBitmapBits32(nullptr, hMono, pbmi, pv, nSize));
    EXPECT_EQ(nullptr, pbmi);
    EXPECT_EQ(nullptr, pv);
    ::DeleteObject(hMono);

    HBITMAP hMirror = MirrorBitmap(hDib);
    EXPECT_EQ(0x11223344u, ReadPixels(hMirror)[5]);
    ::DeleteObject(hMirror);
    LPBYTE pCopyBits = nullptr;
    HBITMAP hCopy = CopyAlphaBitmap(hDib, &pCopyBits);
    EXPECT_EQ(pixels, ReadPixels(hCopy));
    EXPECT_EQ(0x11223344u, reinterpret_cast<DWORD*>(pCopyBits)[0]);
    ::DeleteObject(hCopy);
    ::DeleteObject(hDib);

    // Icon sizes and resizing.
    HICON hIcon = MakeIcon(16, 16, [](int, int) { return 0xFF00FF00u; });
    EXPECT_EQ(CSize(16, 16), GetIconSize(hIcon));
    HICON hLarge = ResizeIcon(hIcon, 16, 16, 32);
    EXPECT_EQ(CSize(32, 32), GetIconSize(hLarge));
    HICON hSame = ResizeIcon(hIcon, 16, 16, 16);
    EXPECT_EQ(CSize(16, 16), GetIconSize(hSame));
    EXPECT_EQ(nullptr, ResizeIcon(hIcon, 16, 16, 0));
    EXPECT_EQ(nullptr, ResizeIcon(hIcon, 0, 0, 16));
    ::DestroyIcon(hLarge);
    ::DestroyIcon(hSame);
    // The alpha test of icons: real alpha in the colour bitmap, or none.
    HICON hAlpha = MakeIcon(4, 4, [](int x, int) { return x ? 0xFF00FF00u : 0x40002000u; });
    HICON hPlain = MakeIcon(4, 4, [](int, int) { return 0x0000FF00u; });
    EXPECT_TRUE(IsAlphaIcon(hAlpha));
    EXPECT_FALSE(IsAlphaIcon(hPlain));
    EXPECT_FALSE(IsAlphaIcon(nullptr));
    ::DestroyIcon(hAlpha);
    ::DestroyIcon(hPlain);
    ::DestroyIcon(hIcon);
}
