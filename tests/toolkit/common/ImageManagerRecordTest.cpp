// The archive record of an icon: its exact layout, round trips, older versions, damaged records.
#include "toolkit/common/images/XTPImageManager.h"

#include "ImageTestHelpers.h"
#include "framework/Archive.h"
#include "framework/MemFile.h"

#include <gtest/gtest.h>

using namespace imgtest;

namespace
{
const UINT kId = 4000;

// Loads the record into the icon and reads the DWORD that follows it (the archive must be in
// step); FALSE when loading throws.
BOOL LoadIcon(CXTPImageManagerIcon* pIcon, std::vector<BYTE> data, DWORD* pNext = nullptr)
{
    CMemFile file(data.data(), static_cast<UINT>(data.size()), 0);
    CArchive ar(&file, CArchive::load);
    try
    {
        pIcon->Serialize(ar);
        if (pNext)
            ar >> *pNext;
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
}

void PutDword(std::vector<BYTE>& data, size_t nOffset, DWORD dw)
{
    std::memcpy(data.data() + nOffset, &dw, 4);
}

void AppendDword(std::vector<BYTE>& data, DWORD dw)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(&dw);
    data.insert(data.end(), p, p + 4);
}

// A 16 x 16 alpha image (straight alpha): row y has red y x 16, column x blue x; alpha 255 on
// the top half and 128 below.
HBITMAP MakeTestImage()
{
    return MakeBitmap(16, 16, [](int x, int y) {
        DWORD a = y < 8 ? 255 : 128;
        return (a << 24) | (static_cast<DWORD>(y * 16) << 16) | static_cast<DWORD>(x);
    });
}

CXTPImageManagerIcon* SetTestImage(CXTPImageManager& manager, UINT nId, int nState = xtpImageNormal)
{
    HBITMAP hBitmap = MakeTestImage();
    CXTPImageHandle handle;
    handle.SetBitmap(hBitmap, TRUE, nullptr);
    manager.SetIcon(handle, nId, 16, 16, nState);
    return manager.GetImage(nId, 16);
}

const size_t kColourRecord = 2 + 52 + 2 + 1024;
} // namespace

TEST(ImageRecord, AnAlphaIconWithoutOtherStatesHasThisLayout)
{
    CXTPImageManager manager;
    CXTPImageManagerIcon* pIcon = SetTestImage(manager, kId);
    ASSERT_NE(nullptr, pIcon);
    std::vector<BYTE> data = StoreObject(pIcon);
    ASSERT_EQ(8 + kColourRecord + 18, data.size());
    const BYTE prefix[] = {0x10, 0, 0, 0, 0x26, 0, 0, 0, 0x34, 0};
    EXPECT_EQ(0, std::memcmp(prefix, data.data(), sizeof(prefix)));
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, data.data() + 10, sizeof(bih));
    EXPECT_EQ(40u, bih.biSize);
    EXPECT_EQ(16, bih.biWidth);
    EXPECT_EQ(16, bih.biHeight);
    EXPECT_EQ(32, bih.biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), bih.biCompression);
    EXPECT_EQ(1024u, bih.biSizeImage);
    EXPECT_EQ(0x00, data[62]);
    EXPECT_EQ(0x04, data[63]);
    // Bottom-up premultiplied pixels: the first stored row is the image's bottom row (alpha 128).
    DWORD first, last;
    std::memcpy(&first, data.data() + 64, 4);
    std::memcpy(&last, data.data() + 64 + 1020, 4);
    EXPECT_EQ(0x80000000u | ((15 * 16 * 128 / 255) << 16), first) << std::hex << first;
    // The last stored row is the top row.
    EXPECT_EQ(0xFF000000u | 15u, last) << std::hex << last;
    for (size_t i = 8 + kColourRecord; i < data.size(); i++)
        EXPECT_EQ(0, data[i]) << i;
}

TEST(ImageRecord, SaveAndLoadGiveTheSamePixelsInEveryState)
{
    struct ComCtl
    {
        ComCtl() { CXTPImageManager::SetComCtlVersion(MAKELONG(81, 5)); }
        ~ComCtl() { CXTPImageManager::SetComCtlVersion(0); }
    } comctl;
    CXTPImageManager source;
    ASSERT_NE(nullptr, SetTestImage(source, kId));
    // An icon with a mask as the hot image, alpha images for the other states.
    HICON hIcon = MakeIcon(16, 16, [](int x, int y) { return static_cast<DWORD>(x * 10 + y); },
                           [](int x, int) { return x == 3; });
    ASSERT_TRUE(source.SetIcon(hIcon, kId, 16, 16, xtpImageHot));
    ::DestroyIcon(hIcon);
    for (int nState : {xtpImageDisabled, xtpImageChecked, xtpImagePressed})
        SetTestImage(source, kId, nState);
    CXTPImageManagerIcon* pSource = source.GetImage(kId, 16);
    std::vector<BYTE> data = StoreObject(pSource);

    CXTPImageManager target;
    CXTPImageManagerIconSet set(kId, &target);
    CXTPImageManagerIcon* pTarget = set.GetIconByWidth(16);
    DWORD dwNext = 0;
    AppendDword(data, 0xCAFEF00D);
    ASSERT_TRUE(LoadIcon(pTarget, data, &dwNext));
    EXPECT_EQ(0xCAFEF00Du, dwNext);
    EXPECT_EQ(16, pTarget->GetHeight());
    EXPECT_TRUE(pTarget->IsAlpha());
    EXPECT_EQ(HandlePixels(pSource->GetImage()), HandlePixels(pTarget->GetImage()));
    for (int nState : {xtpImageDisabled, xtpImageChecked, xtpImagePressed})
        EXPECT_EQ(HandlePixels(pSource->GetImageByState(nState)), HandlePixels(pTarget->GetImageByState(nState)))
            << nState;
    // The icon with its mask: same picture over any background.
    ASSERT_FALSE(pTarget->GetHotImage().IsAlpha());
    Canvas a(16, 16, 0xFF445566), b(16, 16, 0xFF445566);
    pSource->GetHotImage().Draw(CDC::FromHandle(a.DC()), 0, 0, 16, 16, FALSE);
    pTarget->GetHotImage().Draw(CDC::FromHandle(b.DC()), 0, 0, 16, 16, FALSE);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            ASSERT_EQ(a.Rgb(x, y), b.Rgb(x, y)) << x << "," << y;
    EXPECT_EQ(0x445566u, b.Rgb(3, 3));
}

TEST(ImageRecord, OlderVersionsHaveFewerStates)
{
    CXTPImageManager manager;
    std::vector<BYTE> full = StoreObject(SetTestImage(manager, kId));
    std::vector<BYTE> colour(full.begin() + 8, full.begin() + 8 + kColourRecord);
    const struct
    {
        LONG nVersion;
        int nEmptyRecords; // after the normal colour record
    } cases[] = {{7, 1 + 2 + 2}, {16, 1 + 2 + 2 + 2}, {17, 1 + 2 + 2 + 2 + 2}, {24, 9}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nVersion);
        std::vector<BYTE> data;
        AppendDword(data, 16);
        AppendDword(data, static_cast<DWORD>(c.nVersion));
        data.insert(data.end(), colour.begin(), colour.end());
        data.insert(data.end(), static_cast<size_t>(c.nEmptyRecords) * 2, 0);
        AppendDword(data, 0x12345678);
        CXTPImageManagerIconSet set(kId, &manager);
        DWORD dwNext = 0;
        ASSERT_TRUE(LoadIcon(set.GetIconByWidth(16), data, &dwNext));
        EXPECT_EQ(0x12345678u, dwNext);
        EXPECT_FALSE(set.GetIconByWidth(16)->GetImage().IsEmpty());
    }
    // Before version 25 the stored pixels are premultiplied on first use: the image's pixels
    // come out multiplied once more.
    std::vector<BYTE> old = full;
    PutDword(old, 4, 24);
    CXTPImageManagerIconSet set(kId, &manager);
    ASSERT_TRUE(LoadIcon(set.GetIconByWidth(16), old));
    std::vector<DWORD> pixels = HandlePixels(set.GetIconByWidth(16)->GetImage());
    ASSERT_EQ(256u, pixels.size());
    DWORD stored;
    std::memcpy(&stored, full.data() + 64, 4);
    const BYTE red = static_cast<BYTE>((stored >> 16) & 0xFF);
    EXPECT_EQ(static_cast<DWORD>(red * 128 / 255), (pixels[255 - 15] >> 16) & 0xFF);
}

TEST(ImageRecord, DamagedRecordsAreRefusedOrSkippedInStep)
{
    CXTPImageManager manager;
    const std::vector<BYTE> full = StoreObject(SetTestImage(manager, kId));
    struct Case
    {
        const char* name;
        std::function<void(std::vector<BYTE>&)> damage;
        BOOL bLoads;
        BOOL bImage;
    } cases[] = {
        {"header shorter than 40", [](std::vector<BYTE>& d) { d[8] = 39; }, FALSE, FALSE},
        {"header longer than 40 + 1024", [](std::vector<BYTE>& d) { d[8] = 0x29; d[9] = 0x04; }, FALSE, FALSE},
        // The stored image size must not decide how much is copied into the section.
        {"image size far larger than the pixels", [](std::vector<BYTE>& d) { PutDword(d, 10 + 20, 0x7FFFFFFF); },
         TRUE, TRUE},
        {"section larger than the pixels",
         [](std::vector<BYTE>& d) {
             PutDword(d, 10 + 4, 1000);
             PutDword(d, 10 + 8, 1000);
         },
         TRUE, TRUE},
        {"8 bits per pixel without its colour table", [](std::vector<BYTE>& d) { d[10 + 14] = 8; }, TRUE, FALSE},
        {"negative width", [](std::vector<BYTE>& d) { PutDword(d, 10 + 4, 0xFFFFFFF0); }, TRUE, FALSE},
        {"zero pixels", [](std::vector<BYTE>& d) {
             d[62] = 0;
             d[63] = 0;
             d.erase(d.begin() + 64, d.begin() + 64 + 1024);
         },
         TRUE, FALSE},
        {"pixels cut short", [](std::vector<BYTE>& d) { d.resize(64 + 100); }, FALSE, FALSE},
        {"huge pixel count", [](std::vector<BYTE>& d) {
             d[62] = 0xFF;
             d[63] = 0xFF;
             d.insert(d.begin() + 64, {0xFF, 0xFF, 0xFF, 0x7F});
         },
         FALSE, FALSE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> data = full;
        c.damage(data);
        bool bCut = data.size() < full.size() - 1024;
        if (!bCut)
            AppendDword(data, 0xABCDEF01);
        CXTPImageManagerIconSet set(kId, &manager);
        DWORD dwNext = 0;
        EXPECT_EQ(c.bLoads, LoadIcon(set.GetIconByWidth(16), data, bCut ? nullptr : &dwNext));
        if (c.bLoads)
        {
            EXPECT_EQ(0xABCDEF01u, dwNext);
            EXPECT_EQ(c.bImage, !set.GetIconByWidth(16)->GetImage().IsEmpty());
        }
    }
}
