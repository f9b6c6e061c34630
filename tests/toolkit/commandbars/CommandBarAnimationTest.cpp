// The bar animation on memory DCs: the cached picture, the six-step cross-fade and its byte rule, no
// step timer when a redraw changes nothing, and how later redraws treat running fades.
#include "framework/DC.h"
#include "toolkit/commandbars/bars/XTPCommandBarAnimation.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
const int kWidth = 40;
const int kHeight = 20;

// A 32-bit top-down picture in a memory DC.
struct Picture
{
    Picture()
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = kWidth;
        bmi.bmiHeader.biHeight = -kHeight;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* p = nullptr;
        hbm = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<BYTE*>(p);
        hdc = CreateCompatibleDC(nullptr);
        hOld = SelectObject(hdc, hbm);
        std::memset(bits, 0x11, kWidth * kHeight * 4);
    }
    ~Picture()
    {
        SelectObject(hdc, hOld);
        DeleteDC(hdc);
        DeleteObject(hbm);
    }
    // Blue, green, red of a pixel.
    void Pixel(int x, int y, BYTE* bgr) const
    {
        GdiFlush();
        const BYTE* p = bits + (y * kWidth + x) * 4;
        bgr[0] = p[0];
        bgr[1] = p[1];
        bgr[2] = p[2];
    }
    HBITMAP hbm = nullptr;
    BYTE* bits = nullptr;
    HDC hdc = nullptr;
    HGDIOBJ hOld = nullptr;
};

// The bar paints its whole client in one colour; frames go to a memory picture.
class TestAnimation : public CXTPCommandBarAnimation
{
public:
    TestAnimation() : CXTPCommandBarAnimation(nullptr)
    {
        m_hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr, nullptr,
                                 nullptr);
        EnableAnimation(TRUE);
    }
    ~TestAnimation() override
    {
        OnDestroy();
        DestroyWindow(m_hWnd);
    }
    // Paints the first picture into the cache.
    void Prime()
    {
        Picture screen;
        CDC dc;
        dc.Attach(screen.hdc);
        OnPaint(&dc, CRect(0, 0, kWidth, kHeight));
        dc.Detach();
    }

    COLORREF m_color = RGB(0, 0, 200);
    int m_nDraws = 0;
    HWND m_hWnd = nullptr;
    Picture m_frame;

protected:
    void DrawBar(CDC* pDC, const CRect&) override
    {
        ++m_nDraws;
        HBRUSH hBrush = CreateSolidBrush(m_color);
        RECT rc = {0, 0, kWidth, kHeight};
        FillRect(pDC->GetSafeHdc(), &rc, hBrush);
        DeleteObject(hBrush);
    }
    HWND GetBarWindow() const override { return m_hWnd; }
    CRect GetBarClientRect() const override { return CRect(0, 0, kWidth, kHeight); }
    HDC GetFrameDC() override { return m_frame.hdc; }
    void ReleaseFrameDC(HDC) override {}
};

BYTE Blend(BYTE n, BYTE o, int w)
{
    return static_cast<BYTE>((n * w + o * (255 - w)) >> 8);
}

TEST(CommandBarAnimation, BlendBytesTable)
{
    struct Case
    {
        BYTE n, o;
        int step;
        BYTE expected;
    } cases[] = {
        {255, 0, 1, 41},   {255, 0, 2, 84},    {255, 0, 3, 126},   {255, 0, 4, 169},  {255, 0, 5, 211},
        {0, 255, 1, 212},  {0, 255, 5, 42},    {200, 100, 3, 149}, {7, 7, 2, 6},      {0, 0, 4, 0},
    };
    for (const Case& c : cases)
    {
        BYTE out = 0xEE;
        CXTPCommandBarAnimation::BlendBytes(&out, &c.n, &c.o, 1, c.step);
        EXPECT_EQ(c.expected, out) << int(c.n) << " over " << int(c.o) << " step " << c.step;
    }
}

TEST(CommandBarAnimation, SixStepCrossFade)
{
    TestAnimation anim;
    anim.Prime();
    ASSERT_NE(nullptr, anim.GetCache());

    const CRect rc(10, 5, 20, 15);
    anim.m_color = RGB(250, 100, 0);
    anim.RedrawRect(&rc, TRUE);
    ASSERT_EQ(1, anim.GetAnimationCount());
    EXPECT_TRUE(anim.IsTimerRunning());
    EXPECT_EQ(rc, anim.GetAnimation(0)->m_rc);

    const int weights[] = {42, 85, 127, 170, 212};
    const BYTE oldBgr[3] = {200, 0, 0};
    const BYTE newBgr[3] = {0, 100, 250};
    for (int step = 1; step <= 6; ++step)
    {
        SCOPED_TRACE(step);
        if (step > 1)
            anim.OnAnimate();
        BYTE bgr[3];
        anim.m_frame.Pixel(12, 7, bgr);
        for (int k = 0; k < 3; ++k)
        {
            BYTE expected = step < 6 ? Blend(newBgr[k], oldBgr[k], weights[step - 1]) : newBgr[k];
            EXPECT_EQ(expected, bgr[k]) << "channel " << k;
        }
        // Outside the rectangle the frame draws nothing.
        anim.m_frame.Pixel(5, 2, bgr);
        EXPECT_EQ(0x11, bgr[0]);
    }
    EXPECT_EQ(0, anim.GetAnimationCount());
    EXPECT_FALSE(anim.IsTimerRunning());
    EXPECT_FALSE(KillTimer(anim.m_hWnd, XTP_TID_COMMANDBAR_ANIMATION)); // the window's timer is gone too
}

TEST(CommandBarAnimation, UnchangedRedrawStartsNoTimer)
{
    TestAnimation anim;
    anim.Prime();
    const CRect rc(0, 0, 10, 10);
    int nDraws = anim.m_nDraws;
    anim.RedrawRect(&rc, TRUE);
    EXPECT_EQ(nDraws + 1, anim.m_nDraws); // the bar was painted and compared
    EXPECT_EQ(0, anim.GetAnimationCount());
    EXPECT_FALSE(anim.IsTimerRunning());
    EXPECT_FALSE(KillTimer(anim.m_hWnd, XTP_TID_COMMANDBAR_ANIMATION));
    BYTE bgr[3];
    anim.m_frame.Pixel(2, 2, bgr);
    EXPECT_EQ(0x11, bgr[0]); // nothing drawn
}

TEST(CommandBarAnimation, LaterRedrawsReplaceOrExclude)
{
    TestAnimation anim;
    anim.Prime();
    anim.m_color = RGB(0, 200, 0);
    const CRect rcSmall(2, 2, 8, 8);
    anim.RedrawRect(&rcSmall, TRUE);
    ASSERT_EQ(1, anim.GetAnimationCount());

    // An animated redraw of a rectangle holding the running one replaces it.
    anim.m_color = RGB(200, 0, 0);
    const CRect rcBig(0, 0, 10, 10);
    anim.RedrawRect(&rcBig, TRUE);
    ASSERT_EQ(1, anim.GetAnimationCount());
    EXPECT_EQ(rcBig, anim.GetAnimation(0)->m_rc);

    // A plain redraw that overlaps part of it is kept out of its frames.
    anim.m_color = RGB(0, 0, 50);
    const CRect rcPart(5, 5, 15, 15);
    anim.RedrawRect(&rcPart, FALSE);
    ASSERT_EQ(1, anim.GetAnimationCount());
    ASSERT_EQ(1, anim.GetAnimation(0)->m_arrExclude.GetSize());
    EXPECT_EQ(rcPart, anim.GetAnimation(0)->m_arrExclude[0]);
    BYTE bgr[3];
    anim.m_frame.Pixel(12, 12, bgr); // the plain redraw went straight to the screen
    EXPECT_EQ(50, bgr[0]);
    anim.OnAnimate();
    anim.m_frame.Pixel(6, 6, bgr); // excluded: the fade did not draw over it
    EXPECT_EQ(50, bgr[0]);
    EXPECT_EQ(0, bgr[2]);

    // A plain redraw holding the record drops it.
    anim.RedrawRect(&rcBig, FALSE);
    EXPECT_EQ(0, anim.GetAnimationCount());
}

TEST(CommandBarAnimation, WithoutCacheOrAnimationTheBarIsInvalidated)
{
    TestAnimation anim;
    const CRect rc(0, 0, 10, 10);
    anim.RedrawRect(&rc, TRUE); // no cache yet
    EXPECT_TRUE(anim.IsDirty());
    EXPECT_EQ(0, anim.GetAnimationCount());

    anim.Prime();
    EXPECT_FALSE(anim.IsDirty());
    anim.EnableAnimation(FALSE);
    anim.m_color = RGB(1, 2, 3);
    anim.RedrawRect(&rc, TRUE);
    EXPECT_TRUE(anim.IsDirty());
    EXPECT_EQ(0, anim.GetAnimationCount());

    anim.RedrawRect(nullptr, TRUE); // the whole bar: the cache goes
    EXPECT_EQ(nullptr, anim.GetCache());
}

TEST(CommandBarAnimation, PaintUsesTheCacheUntilDirty)
{
    TestAnimation anim;
    anim.Prime();
    int nDraws = anim.m_nDraws;
    Picture screen;
    CDC dc;
    dc.Attach(screen.hdc);
    anim.OnPaint(&dc, CRect(0, 0, kWidth, kHeight));
    EXPECT_EQ(nDraws, anim.m_nDraws); // a clean cache is copied, the bar is not painted
    BYTE bgr[3];
    screen.Pixel(30, 10, bgr);
    EXPECT_EQ(200, bgr[0]);

    anim.EnableAnimation(FALSE);
    anim.EnableDoubleBuffer(FALSE);
    anim.OnPaint(&dc, CRect(0, 0, kWidth, kHeight));
    EXPECT_EQ(nDraws + 1, anim.m_nDraws);
    EXPECT_EQ(nullptr, anim.GetCache()); // painted through a buffer, no cache
    dc.Detach();
}
} // namespace
