// Pixel probes of tab rows drawn on 32-bit memory surfaces filled with a sentinel colour.
#include "TabTestSupport.h"

#include "tests/common/MemorySurface.h"
#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/text/XTPMarkupServices.h"

#include <gtest/gtest.h>

using qvx_test::CMemorySurface;
using tab_test::CSurfaceDC;
using tab_test::CTestTabManager;

namespace
{
const COLORREF kSentinel = CMemorySurface::kInitialColour;

COLORREF Sys(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

struct Probe
{
    int x, y;
    char kind; // H highlight, D dark shadow, S shadow, F face, X sentinel
};

COLORREF KindColour(char kind)
{
    switch (kind)
    {
    case 'H':
        return Sys(COLOR_3DHIGHLIGHT);
    case 'D':
        return Sys(COLOR_3DDKSHADOW);
    case 'S':
        return Sys(COLOR_3DSHADOW);
    case 'F':
        return Sys(COLOR_3DFACE);
    default:
        return kSentinel;
    }
}
} // namespace

TEST(TabDraw, PropertyPageOutlineOfTheSelectedTabPerPosition)
{
    // The item rectangle is (20, 20, 60, 40); the selected tab grows by 2 away from the client
    // (top tabs: left, top and right; left tabs: left, up and down; bottom and right: all sides).
    struct Case
    {
        const char* name;
        int nPosition;
        std::vector<Probe> probes;
    } cases[] = {
        {"top",
         xtpTabPositionTop,
         {{18, 30, 'H'}, {19, 19, 'H'}, {40, 18, 'H'}, {60, 19, 'D'}, {61, 30, 'D'}, {60, 30, 'S'}, {40, 30, 'F'},
          {40, 39, 'F'}, {40, 17, 'X'}, {17, 30, 'X'}, {62, 30, 'X'}}},
        {"left",
         xtpTabPositionLeft,
         {{40, 18, 'H'}, {19, 19, 'H'}, {18, 30, 'H'}, {19, 40, 'D'}, {40, 41, 'D'}, {40, 40, 'S'}, {30, 30, 'F'},
          {59, 30, 'F'}, {17, 30, 'X'}, {40, 17, 'X'}, {40, 42, 'X'}}},
        {"bottom",
         xtpTabPositionBottom,
         {{18, 30, 'H'}, {19, 40, 'H'}, {40, 41, 'D'}, {60, 40, 'D'}, {61, 30, 'D'}, {60, 30, 'S'}, {40, 30, 'F'},
          {40, 19, 'F'}, {40, 42, 'X'}, {17, 30, 'X'}}},
        {"right",
         xtpTabPositionRight,
         {{40, 18, 'H'}, {60, 19, 'H'}, {61, 30, 'D'}, {60, 40, 'D'}, {40, 41, 'D'}, {40, 40, 'S'}, {40, 30, 'F'},
          {19, 30, 'F'}, {62, 30, 'X'}, {40, 42, 'X'}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager;
        manager.m_pPaintManager->m_nPosition = c.nPosition;
        manager.AddItem(-1);
        manager.SetCurSel(0);
        CXTPTabManagerItem* pItem = manager.GetItem(0);
        pItem->SetRect(20, 20, 60, 40);
        pItem->m_nRow = 0;
        CMemorySurface surface(80, 60);
        CSurfaceDC dc(surface);
        manager.m_pPaintManager->GetAppearanceSet()->DrawSingleButton(&dc, pItem);
        for (const Probe& p : c.probes)
            EXPECT_EQ(surface.Pixel(p.x, p.y), KindColour(p.kind)) << "(" << p.x << ", " << p.y << ") " << p.kind;
    }
}

TEST(TabDraw, JoinLineOnlyForTheSelectedTabOfRowZero)
{
    struct Case
    {
        const char* name;
        bool bSelected;
        int nRow;
        char kind; // at (40, 39), the tab's client-side line
    } cases[] = {
        {"selected, row 0", true, 0, 'F'},
        {"selected, row 1", true, 1, 'X'},
        {"not selected", false, 0, 'X'},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager;
        manager.AddItem(-1);
        manager.AddItem(-1);
        manager.SetCurSel(c.bSelected ? 0 : 1);
        CXTPTabManagerItem* pItem = manager.GetItem(0);
        pItem->SetRect(20, 20, 60, 40);
        pItem->m_nRow = c.nRow;
        CMemorySurface surface(80, 60);
        CSurfaceDC dc(surface);
        manager.m_pPaintManager->GetAppearanceSet()->DrawSingleButton(&dc, pItem);
        EXPECT_EQ(surface.Pixel(40, 39), KindColour(c.kind));
    }
}

TEST(TabDraw, PropertyPageSelectedSetOutlinesOnlyTheSelectedAndHotTab)
{
    CTestTabManager manager;
    manager.m_pPaintManager->SetAppearance(1);
    manager.AddLengths({40, 40, 40});
    manager.SetCurSel(0);
    manager.m_pHighlighted = manager.GetItem(1);
    CMemorySurface surface(80, 60);
    CSurfaceDC dc(surface);
    CXTPTabPaintManagerAppearanceSet* pSet = manager.m_pPaintManager->GetAppearanceSet();
    for (int i = 0; i < 3; i++)
    {
        surface.Clear(kSentinel);
        CXTPTabManagerItem* pItem = manager.GetItem(i);
        pItem->SetRect(20, 20, 60, 40);
        pItem->m_strCaption.Empty();
        pSet->DrawSingleButton(&dc, pItem);
        const bool bOutlined = i != 2;
        EXPECT_EQ(surface.Pixel(40, 30) == Sys(COLOR_3DFACE), bOutlined) << i;
    }
}

TEST(TabDraw, ClientFrames)
{
    struct Case
    {
        const char* name;
        int nFrame;
        std::vector<Probe> probes;
    } cases[] = {
        // Header 0..23; client from 22; full frame: highlight top and left, dark bottom and right,
        // shadow one pixel inside.
        {"full", xtpTabFrameBorder, {{150, 22, 'H'}, {0, 60, 'H'}, {150, 99, 'D'}, {299, 60, 'D'}, {150, 98, 'S'}, {298, 60, 'S'}}},
        {"single line", xtpTabFrameSingleLine, {{150, 22, 'H'}, {0, 60, 'F'}, {150, 99, 'F'}, {299, 60, 'F'}}},
        {"none", xtpTabFrameNone, {{150, 22, 'F'}, {0, 60, 'F'}, {150, 99, 'F'}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager(CRect(0, 0, 300, 100));
        manager.m_pPaintManager->m_nClientFrame = c.nFrame;
        manager.AddLengths({40, 40});
        CMemorySurface surface(300, 100);
        CSurfaceDC dc(surface);
        manager.m_pPaintManager->DrawTabControl(&manager, &dc, CRect(0, 0, 300, 100));
        for (const Probe& p : c.probes)
            EXPECT_EQ(surface.Pixel(p.x, p.y), KindColour(p.kind)) << "(" << p.x << ", " << p.y << ") " << p.kind;
    }
}

TEST(TabDraw, CallersClipRegionSurvivesAndBoundsTheDrawing)
{
    CTestTabManager manager(CRect(0, 0, 300, 100));
    manager.AddLengths({40, 40});
    CMemorySurface surface(300, 100);
    CSurfaceDC dc(surface);
    HRGN hRgn = ::CreateRectRgn(0, 0, 100, 100);
    ::SelectClipRgn(surface.DC(), hRgn);
    ::DeleteObject(hRgn);
    manager.m_pPaintManager->DrawTabControl(&manager, &dc, CRect(0, 0, 300, 100));
    EXPECT_EQ(surface.Pixel(150, 60), kSentinel);
    EXPECT_NE(surface.Pixel(50, 60), kSentinel);
    CRect rcClip;
    ::GetClipBox(surface.DC(), &rcClip);
    EXPECT_EQ(rcClip, CRect(0, 0, 100, 100));
    // The tabs draw inside the header even so: the first tab's leading edge.
    surface.Clear(kSentinel);
    manager.m_pPaintManager->DrawTabControl(&manager, &dc, CRect(0, 0, 300, 100));
    EXPECT_EQ(surface.Pixel(2, 13), Sys(COLOR_3DHIGHLIGHT));
}

TEST(TabDraw, FocusRectangleThreePixelsInOnlyWithFocus)
{
    auto draw = [](BOOL bFocus, BOOL bShow, CMemorySurface& surface) {
        CTestTabManager manager;
        manager.m_bFocus = bFocus;
        manager.m_pPaintManager->m_bShowFocusRect = bShow;
        manager.AddItem(-1);
        manager.SetCurSel(0);
        CXTPTabManagerItem* pItem = manager.GetItem(0);
        pItem->SetRect(10, 10, 70, 40);
        CSurfaceDC dc(surface);
        surface.Clear(RGB(255, 255, 255));
        manager.m_pPaintManager->DrawSingleButton(&dc, pItem, TRUE);
    };
    CMemorySurface plain(80, 50), focused(80, 50), hidden(80, 50);
    draw(FALSE, TRUE, plain);
    draw(TRUE, TRUE, focused);
    draw(TRUE, FALSE, hidden);
    int nOnLine = 0, nOutside = 0, nHidden = 0;
    for (int x = 0; x < 80; x++)
        for (int y = 0; y < 50; y++)
        {
            bool bDiff = focused.Pixel(x, y) != plain.Pixel(x, y);
            bool bLine = (y == 13 || y == 36) && x >= 13 && x < 67;
            bool bSide = (x == 13 || x == 66) && y >= 13 && y < 37;
            if (bLine || bSide)
                nOnLine += bDiff;
            else
                nOutside += bDiff;
            nHidden += hidden.Pixel(x, y) != plain.Pixel(x, y);
        }
    EXPECT_GT(nOnLine, 20);
    EXPECT_EQ(nOutside, 0);
    EXPECT_EQ(nHidden, 0);
}

TEST(TabDraw, DisabledArrowGlyphIsHollow)
{
    CTestTabManager manager;
    CXTPTabManagerNavigateButton* pLeft = manager.FindNavigateButton(xtpTabNavigateButtonLeft);
    for (BOOL bEnabled : {TRUE, FALSE})
    {
        CMemorySurface surface(30, 30);
        CSurfaceDC dc(surface);
        pLeft->SetEnabled(bEnabled);
        CRect rc(5, 5, 19, 20);
        manager.m_pPaintManager->DrawNavigateButton(&dc, pLeft, rc);
        CPoint c = rc.CenterPoint();
        // A vertex is outlined either way; the inside is filled only when enabled.
        EXPECT_EQ(surface.Pixel(c.x - 2, c.y - 1), Sys(COLOR_BTNTEXT)) << bEnabled;
        EXPECT_EQ(surface.Pixel(c.x + 1, c.y - 1), bEnabled ? Sys(COLOR_BTNTEXT) : kSentinel) << bEnabled;
    }
}

TEST(TabDraw, DefaultColourSetDithersTheSelectedButtonFace)
{
    CTestTabManager manager;
    manager.AddItem(-1);
    manager.SetCurSel(0);
    CXTPTabPaintManagerColorSet* pColors = manager.m_pPaintManager->GetColorSet();
    EXPECT_EQ(pColors->m_gradSelectedButton.clrLight.GetColor(), COLORREF(-2));
    CMemorySurface surface(40, 40);
    CSurfaceDC dc(surface);
    pColors->FillSelectedItemFace(&dc, CRect(4, 4, 36, 36), manager.GetItem(0));
    // 3-D border: shadow at top-left, highlight at bottom-right.
    EXPECT_EQ(surface.Pixel(10, 4), Sys(COLOR_3DSHADOW));
    EXPECT_EQ(surface.Pixel(10, 35), Sys(COLOR_3DHIGHLIGHT));
    // Inside: alternate pixels of face and highlight.
    const COLORREF a = surface.Pixel(10, 10), b = surface.Pixel(11, 10);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == Sys(COLOR_3DFACE) && b == Sys(COLOR_3DHIGHLIGHT)) ||
                (b == Sys(COLOR_3DFACE) && a == Sys(COLOR_3DHIGHLIGHT)));
    EXPECT_EQ(surface.Pixel(11, 11), a);
    EXPECT_EQ(surface.Pixel(12, 10), a);
}

TEST(TabDraw, EdgesOfNoColourAreSkipped)
{
    CTestTabManager manager;
    manager.AddItem(-1);
    CXTPTabManagerItem* pItem = manager.GetItem(0);
    pItem->SetRect(20, 20, 60, 40);
    CXTPTabPaintManagerColorSet* pColors = manager.m_pPaintManager->GetColorSet();
    pColors->m_pageDarkShadow.SetStandardValue(COLORREF(-1));
    pColors->m_pageHighlight.SetStandardValue(COLORREF(-1));
    CMemorySurface surface(80, 60);
    CSurfaceDC dc(surface);
    manager.m_pPaintManager->GetAppearanceSet()->DrawSingleButton(&dc, pItem);
    EXPECT_EQ(surface.Pixel(59, 30), kSentinel) << "dark edge skipped";
    EXPECT_EQ(surface.Pixel(20, 30), kSentinel) << "highlight edge skipped";
    EXPECT_EQ(surface.Pixel(58, 30), Sys(COLOR_3DSHADOW)) << "shadow still drawn";
}

namespace
{
// A stand-in markup engine: texts starting with '<' parse; an element measures 37 x 10 and renders
// as a magenta block.
int g_nElement;
int g_nContext;
CXTPMarkupUIElement* FakeParse(CXTPMarkupContext*, LPCSTR lpsz)
{
    return lpsz && lpsz[0] == '<' ? reinterpret_cast<CXTPMarkupUIElement*>(&g_nElement) : nullptr;
}
void FakeMeasure(SIZE* pSize, CXTPMarkupUIElement* pElement, int, int)
{
    *pSize = pElement ? SIZE{37, 10} : SIZE{0, 0};
}
void FakeRender(CXTPMarkupUIElement* pElement, HDC hDC, LPCRECT lpRect)
{
    if (!pElement || !hDC || !lpRect)
        return;
    HBRUSH hBrush = ::CreateSolidBrush(RGB(255, 0, 255));
    RECT rc = {lpRect->left, lpRect->top, lpRect->left + 37, lpRect->top + 10};
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
}
void FakeRelease(CXTPMarkupUIElement*& pElement)
{
    pElement = nullptr;
}
void FakeSetFont(CXTPMarkupContext*, HFONT, COLORREF)
{
}
} // namespace

TEST(TabDraw, MarkupCaptionsDrawAsMarkupAndPlainCaptionsAsText)
{
    XTP_MARKUP_SERVICES services = {};
    services.pfnParseText = FakeParse;
    services.pfnMeasureElement = FakeMeasure;
    services.pfnRenderElement = FakeRender;
    services.pfnReleaseElement = FakeRelease;
    services.pfnSetDefaultFont = FakeSetFont;
    XTPSetMarkupServices(&services);
    {
        CTestTabManager manager;
        manager.SetMarkupContext(reinterpret_cast<CXTPMarkupContext*>(&g_nContext));
        manager.AddItem(-1)->SetCaption("<TextBlock>x</TextBlock>");
        manager.AddItem(-1)->SetCaption("Plain");
        CXTPTabManagerItem* pMarkup = manager.GetItem(0);
        CXTPTabManagerItem* pPlain = manager.GetItem(1);
        ASSERT_NE(pMarkup->GetMarkupUIElement(), nullptr);
        EXPECT_EQ(pPlain->GetMarkupUIElement(), nullptr);
        // Text inset 6 + 6 around the element's 37.
        EXPECT_EQ(pMarkup->m_nContentLength, 49);

        CMemorySurface surface(300, 100);
        CSurfaceDC dc(surface);
        surface.Clear(RGB(255, 255, 255));
        manager.m_pPaintManager->DrawSingleButton(&dc, pMarkup, TRUE);
        CRect rc = pMarkup->GetRect();
        int nMagenta = 0;
        for (int x = rc.left; x < rc.right; x++)
            for (int y = rc.top; y < rc.bottom; y++)
                nMagenta += surface.Pixel(x, y) == RGB(255, 0, 255);
        EXPECT_EQ(nMagenta, 370);

        surface.Clear(RGB(255, 255, 255));
        manager.m_pPaintManager->DrawSingleButton(&dc, pPlain, TRUE);
        rc = pPlain->GetRect();
        int nMagentaPlain = 0, nInk = 0;
        for (int x = rc.left; x < rc.right; x++)
            for (int y = rc.top; y < rc.bottom; y++)
            {
                nMagentaPlain += surface.Pixel(x, y) == RGB(255, 0, 255);
                nInk += surface.Pixel(x, y) != RGB(255, 255, 255);
            }
        EXPECT_EQ(nMagentaPlain, 0);
        EXPECT_GT(nInk, 0) << "the plain caption is drawn as text";
    }
    XTPSetMarkupServices(nullptr);
}

namespace
{
// A 16 x 16 icon, red in its top half and blue in its bottom half.
HICON MakeTwoToneIcon()
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColour = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hColour);
    RECT top = {0, 0, 16, 8}, bottom = {0, 8, 16, 16};
    HBRUSH hRed = ::CreateSolidBrush(RGB(255, 0, 0)), hBlue = ::CreateSolidBrush(RGB(0, 0, 255));
    ::FillRect(hDC, &top, hRed);
    ::FillRect(hDC, &bottom, hBlue);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreen);
    ::DeleteObject(hRed);
    ::DeleteObject(hBlue);
    WORD zeros[16] = {};
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, zeros);
    ICONINFO info = {TRUE, 0, 0, hMask, hColour};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hMask);
    ::DeleteObject(hColour);
    return hIcon;
}
} // namespace

TEST(TabDraw, ItemImageTurnsAQuarterOnSideRowsWhenAsked)
{
    struct Case
    {
        const char* name;
        int nPosition;
        BOOL bRotate;
        CRect rcIcon;
        // probes: the first should be red, the second blue
        CPoint ptRed, ptBlue;
    } cases[] = {
        {"upright on top", xtpTabPositionTop, TRUE, CRect(10, 10, 26, 26), CPoint(18, 12), CPoint(18, 23)},
        {"upright when not asked", xtpTabPositionLeft, FALSE, CRect(10, 10, 26, 26), CPoint(18, 12), CPoint(18, 23)},
        {"turned on the left", xtpTabPositionLeft, TRUE, CRect(10, 10, 26, 26), CPoint(12, 18), CPoint(23, 18)},
        {"upright when not square", xtpTabPositionRight, TRUE, CRect(10, 10, 26, 27), CPoint(18, 12), CPoint(18, 24)},
    };
    HICON hIcon = MakeTwoToneIcon();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager;
        manager.m_pPaintManager->m_nPosition = c.nPosition;
        manager.m_pPaintManager->m_bRotateImages = c.bRotate;
        CXTPTabManagerItem* pItem = manager.AddItem(-1);
        CXTPImageManagerIcon icon(1, 16, 16);
        CXTPImageHandle hImage;
        hImage.SetIcon(::CopyIcon(hIcon), TRUE);
        icon.SetNormalIcon(hImage);
        CMemorySurface surface(40, 40);
        CSurfaceDC dc(surface);
        pItem->DrawImage(&dc, c.rcIcon, &icon);
        EXPECT_EQ(surface.Pixel(c.ptRed.x, c.ptRed.y), RGB(255, 0, 0));
        EXPECT_EQ(surface.Pixel(c.ptBlue.x, c.ptBlue.y), RGB(0, 0, 255));
    }
    ::DestroyIcon(hIcon);
}
