// Drawing images on 32-bit DIBs: clipping at the top edge, the toolkit's own blend and
// transparent copy against the system's, magenta keying, mirroring and one-colour drawing.
#include "toolkit/common/images/XTPImageManager.h"

#include "ImageTestHelpers.h"
#include "toolkit/common/drawing/XTPDrawHelpers.h"

#include <gtest/gtest.h>

using namespace imgtest;

namespace
{
const UINT kId = 3000;

struct ComCtlVersion
{
    explicit ComCtlVersion(DWORD dw) { CXTPImageManager::SetComCtlVersion(dw); }
    ~ComCtlVersion() { CXTPImageManager::SetComCtlVersion(0); }
};

// Left half red, right half green, opaque.
DWORD HalvesPixel(int x, int)
{
    return x < 8 ? 0xFFFF0000u : 0xFF00FF00u;
}
} // namespace

TEST(ImageDraw, AnAlphaImageAboveTheTopEdgeShowsItsLowerRows)
{
    CXTPImageManager manager;
    // Row r has blue r + 1, opaque.
    HBITMAP hBitmap = MakeBitmap(16, 16, [](int, int y) { return 0xFF000000u | static_cast<DWORD>(y + 1); });
    CXTPImageHandle handle;
    handle.SetBitmap(hBitmap, TRUE);
    Canvas canvas(16, 16, 0xFFFFFFFF);
    handle.Draw(CDC::FromHandle(canvas.DC()), 0, -5, 16, 16, FALSE);
    for (int y = 0; y < 11; y++)
        EXPECT_EQ(static_cast<DWORD>(y + 6), canvas.Rgb(3, y)) << "row " << y;
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(3, 11));
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(3, 15));
    // Entirely above the edge: nothing.
    canvas.Fill(0xFFFFFFFF);
    handle.Draw(CDC::FromHandle(canvas.DC()), 0, -16, 16, 16, FALSE);
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(3, 0));
}

TEST(ImageDraw, TheOwnBlendIsWithinOneOfTheSystems)
{
    ASSERT_TRUE(GetDrawHelpers()->IsAlphaBlendAvailable());
    // A premultiplied source with every alpha step over a coloured destination, also stretched.
    Canvas source(16, 16, 0);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
        {
            int a = (y * 16 + x);
            source.Set(x, y, (static_cast<DWORD>(a) << 24) | ((a * 200 / 255) << 16) | ((a * 90 / 255) << 8) |
                                 (a * 30 / 255));
        }
    const CRect destinations[] = {CRect(2, 3, 18, 19), CRect(0, 0, 32, 24)};
    for (const CRect& rc : destinations)
    {
        Canvas system(40, 30, 0xFF3060A0), own(40, 30, 0xFF3060A0);
        ASSERT_TRUE(CXTPImageManager::AlphaBlend(system.DC(), rc, source.DC(), CRect(0, 0, 16, 16)));
        ASSERT_TRUE(CXTPImageManager::AlphaBlendFallback(own.DC(), rc, source.DC(), CRect(0, 0, 16, 16)));
        int nDiffering = 0;
        for (int y = 0; y < 30; y++)
            for (int x = 0; x < 40; x++)
                if (!Near(system.Rgb(x, y), own.Rgb(x, y), 1))
                    nDiffering++;
        EXPECT_EQ(0, nDiffering) << rc.Width();
        EXPECT_EQ(0x3060A0u, own.Rgb(39, 29)) << "outside the rectangle";
    }
    Canvas any(4, 4);
    EXPECT_FALSE(CXTPImageManager::AlphaBlendFallback(any.DC(), CRect(0, 0, 0, 4), source.DC(), CRect(0, 0, 4, 4)));
}

TEST(ImageDraw, TheTransparentCopyFallbackMatchesTheSystem)
{
    // As GDI draws them: the fourth byte 0.
    Canvas source(8, 8, 0x0000FF00);
    for (int i = 0; i < 8; i++)
        source.Set(i, i, 0x00FF00FF);
    source.Set(7, 0, 0x00000000);
    const struct
    {
        CRect rc;
        UINT clr;
    } cases[] = {{CRect(1, 1, 9, 9), RGB(255, 0, 255)}, {CRect(0, 0, 16, 16), RGB(255, 0, 255)},
                 {CRect(1, 1, 9, 9), RGB(0, 0, 0)}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.rc.Width() * 1000 + c.clr);
        Canvas system(20, 20, 0xFF102030), own(20, 20, 0xFF102030);
        EXPECT_TRUE(CXTPImageManager::TransparentBlt(system.DC(), c.rc, source.DC(), CRect(0, 0, 8, 8), c.clr));
        EXPECT_TRUE(
            CXTPImageManager::TransparentBltFallback(own.DC(), c.rc, source.DC(), CRect(0, 0, 8, 8), c.clr));
        for (int y = 0; y < 20; y++)
            for (int x = 0; x < 20; x++)
                ASSERT_EQ(system.Rgb(x, y), own.Rgb(x, y)) << x << "," << y;
        // The keyed colour shows the destination, the rest the source.
        const int nScale = c.rc.Width() / 8;
        EXPECT_EQ(c.clr == 0 ? 0xFF00FFu : 0x102030u, own.Rgb(c.rc.left, c.rc.top));
        EXPECT_EQ(0x00FF00u, own.Rgb(c.rc.left + nScale, c.rc.top));
        EXPECT_EQ(c.clr == 0 ? 0x102030u : 0x000000u, own.Rgb(c.rc.left + 7 * nScale, c.rc.top));
        // The destination's colours are restored.
        EXPECT_EQ(RGB(255, 255, 255), ::GetBkColor(own.DC()));
    }
}

TEST(ImageDraw, IconsDrawnAsAlphaBitmapsKeepTheirTransparentPixels)
{
    // The icon's transparent column shows what is below; an opaque one the icon.
    HICON hIcon = MakeIcon(16, 16, HalvesPixel, [](int x, int) { return x == 4; });
    Canvas canvas(16, 16, 0xFF123456);
    DrawIconAsAlphaBitmap(CDC::FromHandle(canvas.DC()), 0, 0, 16, 16, hIcon);
    EXPECT_EQ(0x123456u, canvas.Rgb(4, 5));
    EXPECT_EQ(0xFF0000u, canvas.Rgb(3, 5));
    EXPECT_EQ(0x00FF00u, canvas.Rgb(12, 5));
    // A negative width mirrors the icon into the rectangle left of x. (Wine draws a mirrored
    // icon one pixel to the right of where Windows does: the transparent column lands on 12
    // instead of 11.)
    canvas.Fill(0xFF123456);
    DrawIconAsAlphaBitmap(CDC::FromHandle(canvas.DC()), 16, 0, -16, 16, hIcon);
    EXPECT_EQ(0x00FF00u, canvas.Rgb(3, 5));
    EXPECT_EQ(0xFF0000u, canvas.Rgb(14, 5));
    EXPECT_TRUE(canvas.Rgb(11, 5) == 0x123456u || canvas.Rgb(12, 5) == 0x123456u);
    ::DestroyIcon(hIcon);
}

TEST(ImageDraw, IconCellsDrawPlainAndComposited)
{
    ComCtlVersion version(MAKELONG(81, 5));
    for (BOOL bComposited : {FALSE, TRUE})
    {
        SCOPED_TRACE(bComposited);
        CXTPImageManager manager;
        HICON hIcon = MakeIcon(16, 16, HalvesPixel, [](int x, int) { return x == 4; });
        ASSERT_TRUE(manager.SetIcon(hIcon, kId, 16, 16));
        ::DestroyIcon(hIcon);
        CXTPImageManagerIcon* pIcon = manager.GetImage(kId, 16);
        ASSERT_FALSE(pIcon->IsAlpha());
        pIcon->m_bDrawComposited = bComposited;
        Canvas canvas(32, 32, 0xFF123456);
        pIcon->DrawSized(CDC::FromHandle(canvas.DC()), 0, 0, 32, 32);
        EXPECT_EQ(0x123456u, canvas.Rgb(9, 9));
        EXPECT_EQ(0xFF0000u, canvas.Rgb(2, 9));
        EXPECT_EQ(0x00FF00u, canvas.Rgb(28, 9));
    }
}

TEST(ImageDraw, MirrorModes)
{
    ComCtlVersion version(MAKELONG(81, 5));
    // A free-standing icon handle uses its manager's mode; a strip cell too.
    HICON hIcon = MakeIcon(16, 16, HalvesPixel);
    const struct
    {
        int nMode;
        DWORD dwLayout;
        bool bMirrored;
    } cases[] = {{0, 0, false}, {1, 0, true}, {2, 0, false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nMode);
        CXTPImageManager manager;
        manager.SetMirrorMode(c.nMode);
        CXTPImageHandle handle;
        handle.SetImageManager(&manager);
        CXTPImageHandle icon;
        icon.SetIcon(hIcon, FALSE);
        handle.Copy(icon);
        CXTPImageHandle plain;
        plain.SetImageManager(nullptr);
        plain.SetIcon(::CopyIcon(hIcon), TRUE);
        for (CXTPImageHandle* pHandle : {&handle})
        {
            Canvas canvas(16, 16, 0xFF123456);
            pHandle->Draw(CDC::FromHandle(canvas.DC()), 0, 0, 16, 16, FALSE);
            EXPECT_EQ(c.bMirrored ? 0x00FF00u : 0xFF0000u, canvas.Rgb(2, 5));
            EXPECT_EQ(c.bMirrored ? 0xFF0000u : 0x00FF00u, canvas.Rgb(13, 5));
        }
        EXPECT_EQ(c.nMode == 1, !!manager.IsMirrored(nullptr));
    }
    // On a right-to-left DC the default mode mirrors, so the picture keeps its own orientation on
    // the device where never-mirror shows it reversed.
    Canvas rtlDefault(16, 16, 0xFF123456), rtlNever(16, 16, 0xFF123456);
    ::SetLayout(rtlDefault.DC(), LAYOUT_RTL);
    ::SetLayout(rtlNever.DC(), LAYOUT_RTL);
    CXTPImageManager manager;
    EXPECT_TRUE(manager.IsMirrored(rtlDefault.DC()));
    CXTPImageHandle handle;
    handle.SetImageManager(&manager);
    handle.SetIcon(::CopyIcon(hIcon), TRUE);
    handle.Draw(CDC::FromHandle(rtlDefault.DC()), 0, 0, 16, 16, FALSE);
    manager.SetMirrorMode(0);
    handle.Draw(CDC::FromHandle(rtlNever.DC()), 0, 0, 16, 16, FALSE);
    EXPECT_NE(rtlDefault.Rgb(2, 5), rtlNever.Rgb(2, 5));
    EXPECT_EQ(rtlDefault.Rgb(2, 5), rtlNever.Rgb(13, 5));
    ::DestroyIcon(hIcon);
}

TEST(ImageDraw, MonoDrawsIconsInOneColourAndSkipsAlphaImages)
{
    ComCtlVersion version(MAKELONG(81, 5));
    CXTPImageManager manager;
    HICON hIcon = MakeIcon(16, 16, HalvesPixel, [](int x, int) { return x >= 12; });
    ASSERT_TRUE(manager.SetIcon(hIcon, kId, 16, 16));
    ::DestroyIcon(hIcon);
    CXTPImageManagerIcon* pIcon = manager.GetImage(kId, 16);
    Canvas canvas(16, 16, 0xFFFFFFFF);
    pIcon->Draw(CDC::FromHandle(canvas.DC()), 0, 0, pIcon->GetImage(), 16, 16, RGB(0, 0, 255), xtpImageDrawMono);
    EXPECT_EQ(0x0000FFu, canvas.Rgb(3, 3));
    EXPECT_EQ(0x0000FFu, canvas.Rgb(10, 3));
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(14, 3));

    HBITMAP hBitmap = MakeSolidBitmap(16, 16, 0xFF00FF00);
    CXTPImageHandle alpha;
    alpha.SetBitmap(hBitmap, TRUE);
    ASSERT_TRUE(manager.SetIcon(alpha, kId + 1, 16, 16));
    canvas.Fill(0xFFFFFFFF);
    CXTPImageManagerIcon* pAlpha = manager.GetImage(kId + 1, 16);
    pAlpha->DrawMono(CDC::FromHandle(canvas.DC()), 0, 0, pAlpha->GetImage(), 16, 16, RGB(0, 0, 255));
    EXPECT_EQ(0xFFFFFFu, canvas.Rgb(3, 3));
    // The default flags draw as the plain form.
    pAlpha->Draw(CDC::FromHandle(canvas.DC()), 0, 0, pAlpha->GetImage(), 0, 0, (COLORREF)-1, xtpImageDrawDefault);
    EXPECT_EQ(0x00FF00u, canvas.Rgb(3, 3));
}

TEST(ImageDraw, AlphaBitmapWithASourceRectangle)
{
    HBITMAP hBitmap = MakeBitmap(8, 8, [](int x, int) { return x < 4 ? 0xFFFF0000u : 0xFF0000FFu; });
    Canvas canvas(8, 8, 0xFFFFFFFF);
    DrawAlphaBitmap(CDC::FromHandle(canvas.DC()), hBitmap, 0, 0, 8, 8, CRect(4, 0, 8, 8));
    EXPECT_EQ(0x0000FFu, canvas.Rgb(1, 1));
    EXPECT_EQ(0x0000FFu, canvas.Rgb(7, 7));
    DrawAlphaBitmap(CDC::FromHandle(canvas.DC()), hBitmap, 0, 0, 8, 8);
    EXPECT_EQ(0xFF0000u, canvas.Rgb(1, 1));
    ::DeleteObject(hBitmap);
}
