// The image manager: lookup by width, image states, shared strips, and adding images from
// bitmaps, image lists, toolbar resources, icon resources and .ico files.
#include "toolkit/common/images/XTPImageManager.h"

#include "ImageManagerTestResources.h"
#include "ImageTestHelpers.h"

#include <gtest/gtest.h>

using namespace imgtest;

namespace
{
const UINT kId = 1000;

// Sets an opaque alpha image of cx x cy in one colour.
BOOL SetSolid(CXTPImageManager& manager, UINT nId, int cx, int cy, DWORD argb, int nState = xtpImageNormal)
{
    HBITMAP hBitmap = MakeSolidBitmap(cx, cy, argb);
    CXTPImageHandle handle;
    handle.SetBitmap(hBitmap, TRUE);
    return manager.SetIcon(handle, nId, cx, cy, nState);
}

DWORD FirstPixel(const CXTPImageHandle& handle)
{
    std::vector<DWORD> pixels = HandlePixels(handle);
    return pixels.empty() ? 0xDEAD : pixels[0];
}

struct ComCtlVersion
{
    explicit ComCtlVersion(DWORD dw) { CXTPImageManager::SetComCtlVersion(dw); }
    ~ComCtlVersion() { CXTPImageManager::SetComCtlVersion(0); }
};
} // namespace

TEST(ImageManager, LooksUpTheNearestWidthAndSmallerOnATie)
{
    CXTPImageManager manager;
    ASSERT_TRUE(SetSolid(manager, kId, 32, 32, 0xFF0000FF));
    ASSERT_TRUE(SetSolid(manager, kId, 16, 16, 0xFFFF0000));
    const struct
    {
        int nAsked;
        int nFound;
    } cases[] = {{0, 16}, {1, 32}, {16, 16}, {20, 16}, {24, 16}, {25, 32}, {32, 32}, {100, 32}};
    for (const auto& c : cases)
    {
        CXTPImageManagerIcon* pIcon = manager.GetImage(kId, c.nAsked);
        ASSERT_NE(nullptr, pIcon) << c.nAsked;
        EXPECT_EQ(c.nFound, pIcon->GetWidth()) << c.nAsked;
    }
    EXPECT_FALSE(manager.IconExists(kId, 24));
    EXPECT_TRUE(manager.IconExists(kId, 16));
    EXPECT_TRUE(manager.IconExists(kId, 0));
    EXPECT_TRUE(manager.IconExists(kId, 1));
    EXPECT_EQ(nullptr, manager.GetImage(kId + 1, 16));
    EXPECT_FALSE(manager.IconExists(kId + 1, 0));
}

TEST(ImageManager, StateRulesOfSetIcon)
{
    CXTPImageManager manager;
    // A state other than normal needs an existing set.
    EXPECT_FALSE(SetSolid(manager, kId, 16, 16, 0xFF00FF00, xtpImageDisabled));
    EXPECT_EQ(nullptr, manager.GetImage(kId, 16));
    ASSERT_TRUE(SetSolid(manager, kId, 16, 16, 0xFF00FF00));
    CXTPImageManagerIcon* pIcon = manager.GetImage(kId, 16);
    // An unknown state succeeds and changes nothing.
    EXPECT_TRUE(SetSolid(manager, kId, 16, 16, 0xFFFF0000, 7));
    EXPECT_EQ(pIcon, manager.GetImage(kId, 16));
    EXPECT_EQ(0xFF00FF00u, FirstPixel(pIcon->GetImage()));
    EXPECT_FALSE(pIcon->HasDisabledImage());
    EXPECT_EQ(&pIcon->GetImage(), &pIcon->GetHotImage());
    // Each state goes to its own slot: 1 disabled, 2 hot, 3 checked, 4 pressed.
    EXPECT_TRUE(SetSolid(manager, kId, 16, 16, 0xFF000001, xtpImageDisabled));
    EXPECT_TRUE(SetSolid(manager, kId, 16, 16, 0xFF000002, xtpImageHot));
    EXPECT_TRUE(SetSolid(manager, kId, 16, 16, 0xFF000003, xtpImageChecked));
    EXPECT_TRUE(SetSolid(manager, kId, 16, 16, 0xFF000004, xtpImagePressed));
    EXPECT_EQ(0xFF000001u, FirstPixel(pIcon->GetImageByState(1)));
    EXPECT_EQ(0xFF000002u, FirstPixel(pIcon->GetImageByState(2)));
    EXPECT_EQ(0xFF000003u, FirstPixel(pIcon->GetImageByState(3)));
    EXPECT_EQ(0xFF000004u, FirstPixel(pIcon->GetImageByState(4)));
    EXPECT_EQ(0xFF00FF00u, FirstPixel(pIcon->GetImageByState(0)));
    // An empty handle, or no size at all, is refused.
    CXTPImageHandle empty;
    EXPECT_FALSE(manager.SetIcon(empty, kId, 16, 16));
}

TEST(ImageManager, SettingTheNormalImageClearsTheOtherStates)
{
    CXTPImageManager manager;
    ASSERT_TRUE(SetSolid(manager, kId, 16, 16, 0xFF00FF00));
    // The 32 icon gets a hot image first, then its normal image.
    ASSERT_TRUE(SetSolid(manager, kId, 32, 32, 0xFF0000FF, xtpImageHot));
    ASSERT_TRUE(SetSolid(manager, kId, 32, 32, 0xFFFF0000));
    CXTPImageManagerIcon* pIcon = manager.GetImage(kId, 32);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_EQ(&pIcon->GetImage(), &pIcon->GetHotImage());
    EXPECT_EQ(CSize(32, 32), pIcon->GetExtent());
}

TEST(ImageManager, StripsGrowByOneCellReuseFreedCellsAndEmptyWhenAllAreFreed)
{
    CXTPImageManager manager;
    for (UINT i = 0; i < 3; i++)
        ASSERT_TRUE(SetSolid(manager, kId + i, 16, 16, 0xFF000000 | (i + 1)));
    CXTPImageManagerResource* pStrip = manager.GetResource(CSize(16, 16));
    EXPECT_EQ(48, pStrip->GetStripWidth());
    EXPECT_EQ(3, pStrip->GetUsedCount());
    // Replacing an image frees its cell and takes it again.
    ASSERT_TRUE(SetSolid(manager, kId + 1, 16, 16, 0xFF0000AA));
    EXPECT_EQ(48, pStrip->GetStripWidth());
    EXPECT_EQ(0xFF0000AAu, FirstPixel(manager.GetImage(kId + 1, 16)->GetImage()));
    EXPECT_EQ(0xFF000001u, FirstPixel(manager.GetImage(kId, 16)->GetImage()));
    EXPECT_EQ(0xFF000003u, FirstPixel(manager.GetImage(kId + 2, 16)->GetImage()));
    for (UINT i = 0; i < 3; i++)
        manager.GetIconSet(kId + i)->RemoveAll();
    EXPECT_EQ(0, pStrip->GetStripWidth());
    EXPECT_EQ(nullptr, pStrip->GetImageBitmap());
    EXPECT_EQ(nullptr, pStrip->GetMaskBitmap());
}

TEST(ImageManager, AStripKeepsTheRowOrderOfTopDownAndBottomUpImages)
{
    CXTPImageManager manager;
    HBITMAP hBottomUp = MakeBitmap(2, 2, [](int, int y) { return y == 0 ? 0xFFFF0000 : 0xFF0000FF; });
    CXTPImageHandle handle;
    handle.SetBitmap(hBottomUp, TRUE);
    ASSERT_TRUE(manager.SetIcon(handle, kId, 2, 2));
    // A top-down image (as the PNG decoder makes them), premultiplied already.
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 2;
    bmi.bmiHeader.biHeight = -2;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pv = nullptr;
    HBITMAP hTopDown = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pv, nullptr, 0);
    static_cast<DWORD*>(pv)[0] = static_cast<DWORD*>(pv)[1] = 0xFFFF0000;
    static_cast<DWORD*>(pv)[2] = static_cast<DWORD*>(pv)[3] = 0xFF0000FF;
    handle.SetBitmap(hTopDown, TRUE, static_cast<LPBYTE>(pv));
    ASSERT_TRUE(manager.SetIcon(handle, kId + 1, 2, 2));
    for (UINT id : {kId, kId + 1})
    {
        std::vector<DWORD> pixels = HandlePixels(manager.GetImage(id, 2)->GetImage());
        ASSERT_EQ(4u, pixels.size());
        EXPECT_EQ(0xFFFF0000u, pixels[0]) << id;
        EXPECT_EQ(0xFF0000FFu, pixels[3]) << id;
    }
}

TEST(ImageManager, SkipIdsAreSkippedOnlyWhenTheCountDiffersFromTheImageCount)
{
    const UINT skip = XTP_IMAGE_SKIP_ID;
    struct Case
    {
        const char* name;
        BOOL bAlpha;
        std::vector<UINT> ids;
        std::vector<std::pair<UINT, DWORD>> expected; // id -> colour of its image
        std::vector<UINT> absent;
    } cases[] = {
        {"image list, count differs", FALSE, {1, skip, 0, 2}, {{1, 0xFF0000}, {2, 0x00FF00}}, {skip, 0}},
        {"image list, count equal", FALSE, {1, skip}, {{1, 0xFF0000}, {skip, 0x00FF00}}, {}},
        {"alpha, count differs", TRUE, {1, skip, 0, 2}, {{1, 0xFF0000}, {2, 0x00FF00}}, {skip, 0}},
        {"alpha, count equal", TRUE, {1, skip}, {{1, 0xFF0000}, {skip, 0x00FF00}}, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CXTPImageManager manager;
        // Two 4 x 4 images side by side: red, green (the top-left pixel a key colour for masking).
        HBITMAP hBitmap = MakeBitmap(8, 4, [](int x, int y) {
            if (x == 0 && y == 0)
                return 0xFFFF00FFu;
            return x < 4 ? 0xFFFF0000u : 0xFF00FF00u;
        });
        ASSERT_TRUE(manager.SetIconsFromBitmap(hBitmap, c.ids.data(), static_cast<int>(c.ids.size()), 4, 4,
                                               xtpImageNormal, c.bAlpha));
        ::DeleteObject(hBitmap);
        for (const auto& e : c.expected)
        {
            CXTPImageManagerIcon* pIcon = manager.GetImage(e.first, 4);
            ASSERT_NE(nullptr, pIcon) << e.first;
            std::vector<DWORD> pixels = HandlePixels(pIcon->GetImage());
            ASSERT_EQ(16u, pixels.size());
            EXPECT_EQ(e.second, pixels[5] & 0x00FFFFFF) << e.first;
        }
        for (UINT id : c.absent)
            EXPECT_EQ(nullptr, manager.GetImage(id, 4)) << id;
    }
}

TEST(ImageManager, BitmapSplittingRules)
{
    CXTPImageManager manager;
    HBITMAP hBitmap = MakeSolidBitmap(40, 16, 0xFF102030);
    // The alpha split needs a width that is a multiple of the cell width.
    EXPECT_FALSE(manager.SetIconsFromBitmap(hBitmap, nullptr, 0, 16, 16, xtpImageNormal, TRUE));
    EXPECT_EQ(nullptr, manager.GetImage(0, 16));
    // Without a cell width, the count decides it: 40 / 2 = 20.
    UINT ids[] = {7, 8};
    EXPECT_TRUE(manager.SetIconsFromBitmap(hBitmap, ids, 2, 0, 0, xtpImageNormal, TRUE));
    ASSERT_NE(nullptr, manager.GetImage(8, 20));
    EXPECT_EQ(CSize(20, 16), manager.GetImage(8, 20)->GetExtent());
    // Without ids, the ids are the positions.
    EXPECT_TRUE(manager.SetIconsFromBitmap(hBitmap, nullptr, 0, 8, 16, xtpImageNormal, TRUE));
    EXPECT_TRUE(manager.IconExists(4, 8));
    EXPECT_FALSE(manager.IconExists(5, 8));
    EXPECT_FALSE(manager.SetIconsFromBitmap(hBitmap, nullptr, 0, 0, 0, xtpImageNormal, TRUE));
    ::DeleteObject(hBitmap);
    EXPECT_FALSE(manager.SetIconsFromBitmap(nullptr, ids, 2, 16, 16));
    EXPECT_FALSE(manager.SetIconsFromImageList(nullptr, ids, 2, 16, 16));
}

TEST(ImageManager, ToolbarResourceGivesIdsAndButtonSize)
{
    UINT* pItems = nullptr;
    int nItems = 0;
    CSize szButton;
    ASSERT_TRUE(CXTPImageManager::LoadToolbar(IDR_TEST_TOOLBAR, pItems, nItems, szButton));
    ASSERT_EQ(3, nItems);
    EXPECT_EQ(100u, pItems[0]);
    EXPECT_EQ(101u, pItems[1]);
    EXPECT_EQ(102u, pItems[2]);
    EXPECT_EQ(CSize(16, 15), szButton);
    delete[] pItems;
    EXPECT_FALSE(CXTPImageManager::LoadToolbar(0x10000, pItems, nItems, szButton));
    EXPECT_FALSE(CXTPImageManager::LoadToolbar(999, pItems, nItems, szButton));
}

TEST(ImageManager, IconsFromAToolbarAndItsBitmapWithTheTopLeftColourTransparent)
{
    CXTPImageManager manager;
    ASSERT_TRUE(manager.SetIconsFromToolbar(IDR_TEST_TOOLBAR));
    const struct
    {
        UINT id;
        DWORD rgb;
    } cases[] = {{100, 0xFF0000}, {101, 0x00FF00}, {102, 0x0000FF}};
    for (const auto& c : cases)
    {
        CXTPImageManagerIcon* pIcon = manager.GetImage(c.id, 16);
        ASSERT_NE(nullptr, pIcon) << c.id;
        EXPECT_EQ(CSize(16, 15), pIcon->GetExtent());
        Canvas canvas(16, 15, 0xFF123456);
        CDC* pDC = CDC::FromHandle(canvas.DC());
        pIcon->DrawNormal(pDC, 0, 0);
        EXPECT_EQ(c.rgb, canvas.Rgb(5, 5)) << c.id;
        EXPECT_EQ(0x123456u, canvas.Rgb(0, 0)) << c.id << ": the magenta corner is transparent";
    }
    EXPECT_FALSE(manager.SetIconsFromToolbar(IDR_TEST_TOOLBAR_NO_BITMAP));
}

TEST(ImageManager, SetImageListIconsTakesHotAsTwoAndDisabledAsOne)
{
    const struct
    {
        int nState;
        bool bHot;
        bool bDisabled;
    } cases[] = {{xtpImageHot, true, false}, {xtpImageDisabled, false, true}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nState);
        CXTPImageManager manager;
        ASSERT_TRUE(manager.SetIconsFromToolbar(IDR_TEST_TOOLBAR));
        CImageList list;
        ASSERT_TRUE(list.Create(16, 15, ILC_COLOR24 | ILC_MASK, 3, 1));
        HBITMAP hBitmap = MakeSolidBitmap(48, 15, 0xFF808080);
        ::ImageList_AddMasked(list.GetSafeHandle(), hBitmap, RGB(255, 0, 255));
        ::DeleteObject(hBitmap);
        ASSERT_TRUE(manager.SetImageListIcons(IDR_TEST_TOOLBAR, &list, c.nState));
        CXTPImageManagerIcon* pIcon = manager.GetImage(101, 16);
        ASSERT_NE(nullptr, pIcon);
        EXPECT_EQ(c.bHot, &pIcon->GetHotImage() != &pIcon->GetImage());
        EXPECT_EQ(c.bDisabled, !!pIcon->HasDisabledImage());
    }
}

TEST(ImageManager, IcoFiles)
{
    struct Case
    {
        const char* file;
        int cx, cy;
        BOOL bResult;
        std::vector<int> widths;
        BOOL bAlpha;
    } cases[] = {
        {"FILE_ALPHA_ICO", 0, 0, TRUE, {16, 32}, TRUE},
        {"FILE_ALPHA_ICO", 32, 32, TRUE, {32}, TRUE},
        {"FILE_ALPHA_ICO", 24, 24, FALSE, {}, FALSE},
        {"FILE_CURSOR_ICO", 0, 0, FALSE, {}, FALSE},
        {"FILE_COLOUR24_ICO", 0, 0, TRUE, {16}, FALSE},
        {"FILE_PNG_ENTRY_ICO", 0, 0, TRUE, {16}, TRUE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.cx));
        TempFile file(ResourceBytes(c.file, RT_RCDATA), ".ico");
        CXTPImageManager manager;
        EXPECT_EQ(c.bResult, manager.SetIconFromIcoFile(file.Path(), kId, c.cx, c.cy));
        for (int w : c.widths)
        {
            ASSERT_TRUE(manager.IconExists(kId, w)) << w;
            EXPECT_EQ(c.bAlpha, manager.GetImage(kId, w)->IsAlpha()) << w;
        }
        if (c.widths.empty())
        {
            EXPECT_EQ(nullptr, manager.GetIconSet(kId));
        }
    }
    CXTPImageManager manager;
    EXPECT_FALSE(manager.SetIconFromIcoFile("Z:\\no\\such.ico", kId));
}

TEST(ImageManager, A32BitIconImageKeepsItsAlphaAndIgnoresItsMask)
{
    // The 32-bit images' masks mark every pixel transparent.
    TempFile file(ResourceBytes("FILE_ALPHA_ICO", RT_RCDATA), ".ico");
    CXTPImageManager manager;
    ASSERT_TRUE(manager.SetIconFromIcoFile(file.Path(), kId, 16, 16));
    std::vector<DWORD> pixels = HandlePixels(manager.GetImage(kId, 16)->GetImage());
    ASSERT_EQ(256u, pixels.size());
    // Top-left (r 10, g 20, b 30, a 128) premultiplied; the rest of the top row opaque red; the
    // bottom row opaque blue.
    EXPECT_EQ(0x80050A0Fu, pixels[0]);
    EXPECT_EQ(0xFFFF0000u, pixels[1]);
    EXPECT_EQ(0xFF0000FFu, pixels[255]);
}

TEST(ImageManager, IconResourcesGroupSingleAndBitmapFallback)
{
    CXTPImageManager manager;
    ASSERT_TRUE(manager.SetIconFromResource("ALPHA_ICON", kId, 0, 0));
    EXPECT_TRUE(manager.IconExists(kId, 16));
    EXPECT_TRUE(manager.IconExists(kId, 32));
    EXPECT_TRUE(manager.GetImage(kId, 16)->IsAlpha());
    EXPECT_EQ(0xFFFF0000u, HandlePixels(manager.GetImage(kId, 32)->GetImage())[1]);

    ASSERT_TRUE(manager.SetIconFromResource("COLOUR_ICON", kId + 1, 16, 16));
    ASSERT_TRUE(manager.IconExists(kId + 1, 16));
    EXPECT_FALSE(manager.GetImage(kId + 1, 16)->IsAlpha());
    Canvas canvas(16, 16, 0xFF123456);
    manager.GetImage(kId + 1, 16)->DrawNormal(CDC::FromHandle(canvas.DC()), 0, 0);
    EXPECT_EQ(0x123456u, canvas.Rgb(0, 0));
    EXPECT_EQ(0xFF0000u, canvas.Rgb(1, 0));
    EXPECT_EQ(0x0000FFu, canvas.Rgb(1, 15));

    // No icon of that name: the bitmap of that name.
    ASSERT_TRUE(manager.SetIconFromResource("BMP32_2X2", kId + 2));
    ASSERT_TRUE(manager.IconExists(kId + 2, 2));
    EXPECT_TRUE(manager.GetImage(kId + 2, 2)->IsAlpha());
    EXPECT_FALSE(manager.SetIconFromResource("NO_SUCH_RESOURCE", kId + 3));

    // A handle loads one entry of a group by its exact size.
    CXTPImageHandle handle;
    EXPECT_TRUE(handle.LoadIcon("ALPHA_ICON", 32, 32, TRUE));
    EXPECT_EQ(CSize(32, 32), handle.GetExtent());
    EXPECT_FALSE(handle.LoadIcon("ALPHA_ICON", 20, 20, TRUE));
    EXPECT_TRUE(handle.IsEmpty());
}

TEST(ImageManager, TheIconAlphaTestDependsOnTheCommonControlsVersion)
{
    // An icon whose colour bitmap has real alpha.
    HICON hIcon = MakeIcon(16, 16, [](int x, int) { return x < 8 ? 0x80400000u : 0xFF00FF00u; });
    const struct
    {
        DWORD dwVersion;
        BOOL bAlpha;
    } cases[] = {{MAKELONG(0, 6), TRUE}, {MAKELONG(81, 5), FALSE}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.dwVersion);
        ComCtlVersion version(c.dwVersion);
        CXTPImageManager manager;
        ASSERT_TRUE(manager.SetIcon(hIcon, kId, 16, 16));
        EXPECT_EQ(c.bAlpha, manager.GetImage(kId, 16)->IsAlpha());
        // Both kinds draw the opaque half.
        Canvas canvas(16, 16, 0xFFFFFFFF);
        manager.GetImage(kId, 16)->DrawNormal(CDC::FromHandle(canvas.DC()), 0, 0);
        EXPECT_EQ(0x00FF00u, canvas.Rgb(12, 3));
    }
    ::DestroyIcon(hIcon);
}

TEST(ImageManager, RemoveAllReleasesSetsButAReferencedIconStays)
{
    CXTPImageManager manager;
    ASSERT_TRUE(SetSolid(manager, kId, 16, 16, 0xFF00FF00));
    CXTPImageManagerIcon* pIcon = manager.GetImage(kId, 16);
    pIcon->InternalAddRef();
    manager.RemoveAll();
    EXPECT_EQ(nullptr, manager.GetImage(kId, 16));
    EXPECT_EQ(kId, pIcon->GetID());
    EXPECT_TRUE(pIcon->GetImage().IsEmpty());
    pIcon->InternalRelease();
    EXPECT_EQ(0, manager.GetResources()->GetCount());
}

TEST(ImageManager, TheProcessWideManagerIsOne)
{
    EXPECT_NE(nullptr, GetImageManager());
    EXPECT_EQ(GetImageManager(), XTPImageManager());
}

TEST(ImageManager, ClipboardFormatsAreRegisteredAtStartUp)
{
    char name[64];
    ASSERT_NE(0, CXTPImageManager::m_nImageClipFormat);
    ASSERT_NE(0, CXTPImageManager::m_nAlphaClipFormat);
    ASSERT_GT(::GetClipboardFormatNameA(CXTPImageManager::m_nImageClipFormat, name, sizeof(name)), 0);
    EXPECT_STREQ("Rododo ToolBar Image", name);
    ASSERT_GT(::GetClipboardFormatNameA(CXTPImageManager::m_nAlphaClipFormat, name, sizeof(name)), 0);
    EXPECT_STREQ("Alpha Bitmap Image", name);
}
