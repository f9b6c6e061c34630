// The shared strips under many adds: the bitmaps grow ahead of the cells (so an add seldom copies
// the strip), yet every image reads back and draws as it was added, the strip's bitmaps are handed
// out exactly as wide as the cells, and saved records do not depend on the spare room.
#include "toolkit/common/images/XTPImageManager.h"

#include "ImageTestHelpers.h"
#include "framework/Archive.h"
#include "framework/MemFile.h"

#include <gtest/gtest.h>

using namespace imgtest;

namespace
{
const UINT kFirstId = 6000;
const int kCell = 16;

struct ComCtlVersion
{
    explicit ComCtlVersion(DWORD dw) { CXTPImageManager::SetComCtlVersion(dw); }
    ~ComCtlVersion() { CXTPImageManager::SetComCtlVersion(0); }
};

// Opaque (so premultiplying keeps it), and different in every image and every pixel.
DWORD AlphaPixel(int n, int x, int y)
{
    return 0xFF000000u | (static_cast<DWORD>(n) << 8) | static_cast<DWORD>(y * kCell + x);
}

BOOL AddAlpha(CXTPImageManager& manager, int n)
{
    CXTPImageHandle handle;
    handle.SetBitmap(MakeBitmap(kCell, kCell, [n](int x, int y) { return AlphaPixel(n, x, y); }), TRUE);
    return manager.SetIcon(handle, kFirstId + n, kCell, kCell);
}

std::vector<DWORD> ExpectedPixels(int n)
{
    std::vector<DWORD> pixels;
    for (int y = 0; y < kCell; y++)
        for (int x = 0; x < kCell; x++)
            pixels.push_back(AlphaPixel(n, x, y));
    return pixels;
}

// Image n has one transparent column, x = n % 16; the others are a colour of its own.
DWORD IconColour(int n)
{
    return 0xFF000000u | (static_cast<DWORD>(n * 3 + 1) << 16) | 0x40u;
}

BOOL AddIcon(CXTPImageManager& manager, int n)
{
    HICON hIcon = MakeIcon(kCell, kCell, [n](int, int) { return IconColour(n); },
                           [n](int x, int) { return x == n % kCell; });
    BOOL bSet = manager.SetIcon(hIcon, kFirstId + n, kCell, kCell);
    ::DestroyIcon(hIcon);
    return bSet;
}

int BitmapWidth(HBITMAP hBitmap)
{
    BITMAP bm;
    return hBitmap && ::GetObjectA(hBitmap, sizeof(bm), &bm) == sizeof(bm) ? bm.bmWidth : -1;
}
} // namespace

TEST(ImageStrip, ManyAddsCopyTheStripOnlyWhenItsRoomDoubles)
{
    CXTPImageManager manager;
    CXTPImageManagerResource* pStrip = manager.GetResource(CSize(kCell, kCell));
    const int kImages = 300;
    int nGrowths = 0, nCapacity = 0;
    for (int n = 0; n < kImages; n++)
    {
        ASSERT_TRUE(AddAlpha(manager, n)) << n;
        EXPECT_EQ((n + 1) * kCell, pStrip->GetStripWidth()) << n;
        if (pStrip->GetCapacityWidth() != nCapacity)
        {
            // The room only ever doubles, and only when the new cell did not fit.
            EXPECT_EQ(nCapacity ? 2 * nCapacity : kCell, pStrip->GetCapacityWidth()) << n;
            EXPECT_EQ(nCapacity, n * kCell) << n;
            nCapacity = pStrip->GetCapacityWidth();
            nGrowths++;
        }
    }
    // Room for 1, 2, 4, ..., 512 cells: 10 copies for 300 adds, where growing by one cell makes 300.
    EXPECT_EQ(10, nGrowths);
    EXPECT_EQ(512 * kCell, pStrip->GetCapacityWidth());
    EXPECT_EQ(kImages, pStrip->GetUsedCount());
    EXPECT_EQ(0, pStrip->GetFreeCount());
    for (int n = 0; n < kImages; n++)
    {
        CXTPImageManagerIcon* pIcon = manager.GetImage(kFirstId + n, kCell);
        ASSERT_NE(nullptr, pIcon) << n;
        ASSERT_EQ(ExpectedPixels(n), HandlePixels(pIcon->GetImage())) << n;
        Canvas canvas(kCell, kCell, 0xFF000000);
        pIcon->DrawNormal(CDC::FromHandle(canvas.DC()), 0, 0);
        EXPECT_EQ(AlphaPixel(n, 0, 0) & 0xFFFFFF, canvas.Rgb(0, 0)) << n;
        EXPECT_EQ(AlphaPixel(n, 15, 15) & 0xFFFFFF, canvas.Rgb(15, 15)) << n;
    }
}

TEST(ImageStrip, TheStripBitmapsHoldExactlyTheCellsHandedOut)
{
    CXTPImageManager manager;
    CXTPImageManagerResource* pStrip = manager.GetResource(CSize(kCell, kCell));
    const int kImages = 37; // room for 64
    for (int n = 0; n < kImages; n++)
        ASSERT_TRUE(AddAlpha(manager, n));
    ASSERT_GT(pStrip->GetCapacityWidth(), pStrip->GetStripWidth());

    HBITMAP hImage = pStrip->GetImageBitmap();
    HBITMAP hMask = pStrip->GetMaskBitmap();
    EXPECT_EQ(kImages * kCell, BitmapWidth(hImage));
    EXPECT_EQ(kImages * kCell, BitmapWidth(hMask));
    EXPECT_EQ(kImages * kCell, pStrip->GetCapacityWidth());
    // Asking again hands out the same bitmaps.
    EXPECT_EQ(hImage, pStrip->GetImageBitmap());
    EXPECT_EQ(hMask, pStrip->GetMaskBitmap());
    int cx = 0, cy = 0;
    std::vector<DWORD> strip = ReadPixels(hImage, &cx, &cy);
    ASSERT_EQ(kImages * kCell, cx);
    ASSERT_EQ(kCell, cy);
    for (int n = 0; n < kImages; n++)
        for (int y = 0; y < kCell; y++)
            for (int x = 0; x < kCell; x++)
                ASSERT_EQ(AlphaPixel(n, x, y), strip[static_cast<size_t>(y) * cx + n * kCell + x]) << n;

    // Adding after the room was given back grows it again and keeps every image.
    ASSERT_TRUE(AddAlpha(manager, kImages));
    EXPECT_EQ(2 * kImages * kCell, pStrip->GetCapacityWidth());
    EXPECT_EQ((kImages + 1) * kCell, BitmapWidth(pStrip->GetImageBitmap()));
    for (int n = 0; n <= kImages; n++)
        ASSERT_EQ(ExpectedPixels(n), HandlePixels(manager.GetImage(kFirstId + n, kCell)->GetImage())) << n;

    // Freed cells are taken again before the strip grows; the last one empties it.
    const int nWidth = pStrip->GetStripWidth();
    manager.GetIconSet(kFirstId + 5)->RemoveAll();
    EXPECT_EQ(1, pStrip->GetFreeCount());
    EXPECT_EQ(nWidth, pStrip->GetStripWidth());
    ASSERT_TRUE(AddAlpha(manager, 500));
    EXPECT_EQ(nWidth, pStrip->GetStripWidth());
    EXPECT_EQ(0, pStrip->GetFreeCount());
    EXPECT_EQ(ExpectedPixels(500), HandlePixels(manager.GetImage(kFirstId + 500, kCell)->GetImage()));
    manager.RemoveAll();
    pStrip = manager.GetResource(CSize(kCell, kCell));
    EXPECT_EQ(0, pStrip->GetStripWidth());
    EXPECT_EQ(0, pStrip->GetCapacityWidth());
    EXPECT_EQ(nullptr, pStrip->GetImageBitmap());
    EXPECT_EQ(nullptr, pStrip->GetMaskBitmap());
}

TEST(ImageStrip, IconCellsKeepTheirMasksAcrossGrowths)
{
    // Icons without alpha go into the colour and mask strips.
    ComCtlVersion version(MAKELONG(81, 5));
    CXTPImageManager manager;
    CXTPImageManagerResource* pStrip = manager.GetResource(CSize(kCell, kCell));
    const int kImages = 70;
    for (int n = 0; n < kImages; n++)
    {
        ASSERT_TRUE(AddIcon(manager, n)) << n;
        // Give the room back now and then, so growing starts from an exact strip too.
        if (n == 20)
            EXPECT_EQ((n + 1) * kCell, BitmapWidth(pStrip->GetMaskBitmap()));
    }
    EXPECT_EQ(kImages * kCell, pStrip->GetStripWidth());
    for (int n = 0; n < kImages; n++)
    {
        CXTPImageManagerIcon* pIcon = manager.GetImage(kFirstId + n, kCell);
        ASSERT_NE(nullptr, pIcon);
        ASSERT_FALSE(pIcon->IsAlpha());
        for (BOOL bComposited : {FALSE, TRUE})
        {
            pIcon->m_bDrawComposited = bComposited;
            Canvas canvas(kCell, kCell, 0xFF123456);
            pIcon->DrawNormal(CDC::FromHandle(canvas.DC()), 0, 0);
            for (int x = 0; x < kCell; x++)
            {
                ASSERT_EQ(x == n % kCell ? 0x123456u : IconColour(n) & 0xFFFFFF, canvas.Rgb(x, 7))
                    << "image " << n << " x " << x << " composited " << bComposited;
            }
        }
    }
}

TEST(ImageStrip, SavedRecordsDoNotDependOnTheSpareRoom)
{
    // Each image as the only one of its strip, and as one of 100 in a strip with room for 128.
    CXTPImageManager crowded;
    for (int n = 0; n < 100; n++)
        ASSERT_TRUE(AddAlpha(crowded, n));
    CXTPImageManagerResource* pStrip = crowded.GetResource(CSize(kCell, kCell));
    ASSERT_EQ(128 * kCell, pStrip->GetCapacityWidth());
    std::vector<std::vector<BYTE>> records;
    for (int n = 0; n < 100; n++)
    {
        CXTPImageManager alone;
        ASSERT_TRUE(AddAlpha(alone, n));
        ASSERT_EQ(kCell, alone.GetResource(CSize(kCell, kCell))->GetCapacityWidth());
        records.push_back(StoreObject(alone.GetImage(kFirstId + n, kCell)));
        ASSERT_EQ(records.back(), StoreObject(crowded.GetImage(kFirstId + n, kCell))) << n;
    }

    // The whole manager saves and loads with every image kept; saving does not touch the strip.
    std::vector<BYTE> saved = StoreObject(&crowded);
    EXPECT_EQ(128 * kCell, pStrip->GetCapacityWidth());
    CXTPImageManager loaded;
    {
        CMemFile file(saved.data(), static_cast<UINT>(saved.size()), 0);
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    for (int n = 0; n < 100; n++)
    {
        CXTPImageManagerIcon* pIcon = loaded.GetImage(kFirstId + n, kCell);
        ASSERT_NE(nullptr, pIcon) << n;
        EXPECT_EQ(ExpectedPixels(n), HandlePixels(pIcon->GetImage())) << n;
        EXPECT_EQ(records[n], StoreObject(pIcon)) << n;
    }
}
