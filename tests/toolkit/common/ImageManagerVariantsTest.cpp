// The generated disabled, faded and shadow images of alpha images and icons.
#include "toolkit/common/images/XTPImageManager.h"

#include "ImageTestHelpers.h"
#include "toolkit/common/drawing/XTPColorManager.h"

#include <gtest/gtest.h>

using namespace imgtest;

namespace
{
const UINT kId = 2000;

// An icon whose normal image is a 2 x 1 alpha bitmap of two premultiplied pixels.
CXTPImageManagerIcon* SetPremultiplied(CXTPImageManager& manager, DWORD first, DWORD second)
{
    LPBYTE pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection32(nullptr, 2, 1, &pBits);
    reinterpret_cast<DWORD*>(pBits)[0] = first;
    reinterpret_cast<DWORD*>(pBits)[1] = second;
    CXTPImageHandle handle;
    handle.SetBitmap(hBitmap, TRUE, pBits);
    if (!manager.SetIcon(handle, kId, 2, 1))
        return nullptr;
    return manager.GetImage(kId, 2);
}

struct ComCtlVersion
{
    explicit ComCtlVersion(DWORD dw) { CXTPImageManager::SetComCtlVersion(dw); }
    ~ComCtlVersion() { CXTPImageManager::SetComCtlVersion(0); }
};

DWORD ShadowOf(int nAlpha)
{
    COLORREF clr = GetColorManager()->GetColor(31);
    int r = static_cast<int>(GetRValue(clr) * 0.75), g = static_cast<int>(GetGValue(clr) * 0.75),
        b = static_cast<int>(GetBValue(clr) * 0.75);
    return (static_cast<DWORD>(nAlpha) << 24) | ((r * nAlpha / 255) << 16) | ((g * nAlpha / 255) << 8) |
           (b * nAlpha / 255);
}
} // namespace

TEST(ImageVariants, LightenColorTruncates)
{
    EXPECT_EQ(0x4C4C4Cu, LightenColor(RGB(0, 0, 0), 0.3));
    EXPECT_EQ(0xFFFFFFu, LightenColor(RGB(255, 255, 255), 0.3));
    EXPECT_EQ(static_cast<COLORREF>(RGB(177, 127, 227)), LightenColor(RGB(100, 0, 200), 0.5));
    EXPECT_EQ(static_cast<COLORREF>(RGB(10, 20, 30)), LightenColor(RGB(10, 20, 30), 0.0));
}

TEST(ImageVariants, AlphaImagesPixelByPixel)
{
    struct Case
    {
        const char* name;
        DWORD pixel;  // premultiplied 0xAARRGGBB
        DWORD faded;
        DWORD disabled; // default look
        DWORD shadow;
    } cases[] = {
        // A transparent pixel stays transparent in all three.
        {"transparent", 0x00000000, 0x00000000, 0x00000000, ShadowOf(0)},
        // trunc(0.7 x 100 + 0.3 x 200) = 130.
        {"premultiplied 100 at alpha 200", 0xC8646464, 0xC8828282, 0, ShadowOf(200)},
        // Grey 64 has luminance 0.251; 255 x sqrt = 127.7, truncated.
        {"opaque grey 64", 0xFF404040, 0, 0xFF7F7F7F, ShadowOf(255)},
        {"opaque white", 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, ShadowOf(255)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CXTPImageManager manager;
        CXTPImageManagerIcon* pIcon = SetPremultiplied(manager, c.pixel, 0xFF000000);
        ASSERT_NE(nullptr, pIcon);
        ASSERT_TRUE(pIcon->IsAlpha());
        std::vector<DWORD> faded = HandlePixels(pIcon->GetFadedImage());
        std::vector<DWORD> disabled = HandlePixels(pIcon->GetDisabledImage());
        std::vector<DWORD> shadow = HandlePixels(pIcon->GetShadowImage());
        ASSERT_EQ(2u, faded.size());
        ASSERT_EQ(2u, disabled.size());
        ASSERT_EQ(2u, shadow.size());
        if (c.faded || c.pixel == 0)
        {
            EXPECT_EQ(c.faded, faded[0]) << std::hex << faded[0];
        }
        if (c.disabled || c.pixel == 0)
        {
            EXPECT_EQ(c.disabled, disabled[0]) << std::hex << disabled[0];
        }
        EXPECT_EQ(c.shadow, shadow[0]) << std::hex << shadow[0];
        // The variants are slots of the icon, generated once.
        EXPECT_NE(&pIcon->GetImage(), &pIcon->GetFadedImage());
        EXPECT_EQ(&pIcon->GetFadedImage(), &pIcon->GetFadedImage());
        EXPECT_TRUE(pIcon->HasDisabledImage());
    }
}

TEST(ImageVariants, TwoColourDisabledMapsWhiteToLightAndBlackToDark)
{
    CXTPImageManager manager;
    CXTPImageManagerIcon* pIcon = SetPremultiplied(manager, 0xFFFFFFFF, 0xFF000000);
    ASSERT_NE(nullptr, pIcon);
    pIcon->CreateDisabledImage(RGB(200, 210, 220), RGB(10, 20, 30));
    std::vector<DWORD> pixels = HandlePixels(pIcon->GetDisabledImage(FALSE));
    ASSERT_EQ(2u, pixels.size());
    EXPECT_EQ(0xFFC8D2DCu, pixels[0]) << std::hex << pixels[0];
    EXPECT_EQ(0xFF0A141Eu, pixels[1]) << std::hex << pixels[1];
    // A second call keeps the image made first.
    pIcon->CreateDisabledImage();
    EXPECT_EQ(0xFFC8D2DCu, HandlePixels(pIcon->GetDisabledImage(FALSE))[0]);
}

TEST(ImageVariants, TheShadowIsMadeFromTheHotImageElseTheNormalOne)
{
    CXTPImageManager manager;
    CXTPImageManagerIcon* pIcon = SetPremultiplied(manager, 0x80000000, 0xFF000000);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_EQ(ShadowOf(128), HandlePixels(pIcon->GetShadowImage())[0]);
    // A hot image with other alpha clears the derived images; the shadow follows it.
    LPBYTE pBits = nullptr;
    HBITMAP hHot = CreateDIBSection32(nullptr, 2, 1, &pBits);
    reinterpret_cast<DWORD*>(pBits)[0] = 0x40000000;
    reinterpret_cast<DWORD*>(pBits)[1] = 0x40000000;
    CXTPImageHandle hot;
    hot.SetBitmap(hHot, TRUE, pBits);
    ASSERT_TRUE(manager.SetIcon(hot, kId, 2, 1, xtpImageHot));
    EXPECT_EQ(ShadowOf(64), HandlePixels(pIcon->GetShadowImage())[0]);
}

TEST(ImageVariants, RefreshAllAndACallersDisabledImage)
{
    CXTPImageManager manager;
    CXTPImageManagerIcon* pIcon = SetPremultiplied(manager, 0xFF404040, 0xFF404040);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_EQ(0xFF7F7F7Fu, HandlePixels(pIcon->GetDisabledImage())[0]);
    manager.RefreshAll();
    EXPECT_TRUE(pIcon->GetDisabledImage(FALSE).IsEmpty());
    EXPECT_FALSE(pIcon->HasDisabledImage());
    // The caller's disabled image wins over a generated one.
    HBITMAP hBitmap = MakeSolidBitmap(2, 1, 0xFF112233);
    CXTPImageHandle disabled;
    disabled.SetBitmap(hBitmap, TRUE);
    ASSERT_TRUE(manager.SetIcon(disabled, kId, 2, 1, xtpImageDisabled));
    EXPECT_EQ(0xFF112233u, HandlePixels(pIcon->GetDisabledImage())[0]);
    EXPECT_EQ(0xFF112233u, HandlePixels(pIcon->GetImageByState(xtpImageDisabled))[0]);
}

TEST(ImageVariants, IconsChangeOnlyTheirOpaquePixels)
{
    // Icons without alpha (common controls before 6): opaque grey 64 everywhere but the
    // transparent top-left pixel.
    ComCtlVersion version(MAKELONG(81, 5));
    CXTPImageManager manager;
    HICON hIcon = MakeIcon(4, 4, [](int, int) { return 0x00404040u; }, [](int x, int y) { return x == 0 && y == 0; });
    ASSERT_TRUE(manager.SetIcon(hIcon, kId, 4, 4));
    ::DestroyIcon(hIcon);
    CXTPImageManagerIcon* pIcon = manager.GetImage(kId, 4);
    ASSERT_NE(nullptr, pIcon);
    ASSERT_FALSE(pIcon->IsAlpha());
    const struct
    {
        const char* name;
        CXTPImageHandle* pImage;
        DWORD rgb;
    } cases[] = {
        {"faded", &pIcon->GetFadedImage(), LightenColor(RGB(64, 64, 64), 0.3) & 0xFFFFFF},
        {"disabled", &pIcon->GetDisabledImage(), 0x7F7F7F},
        {"shadow", &pIcon->GetShadowImage(), ShadowOf(255) & 0xFFFFFF},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.pImage->IsEmpty());
        Canvas canvas(4, 4, 0xFF123456);
        c.pImage->Draw(CDC::FromHandle(canvas.DC()), 0, 0, 4, 4, FALSE);
        EXPECT_EQ(0x123456u, canvas.Rgb(0, 0));
        // LightenColor works on COLORREF (0x00BBGGRR); grey is the same either way.
        EXPECT_EQ(c.rgb, canvas.Rgb(2, 2)) << std::hex << canvas.Rgb(2, 2);
    }
}
