// Progress: the fill rule by table (empty and reversed ranges fill nothing), the position kept in
// the range, the classic drawing counted in highlight pixels on a memory surface, the control's
// size, persistence and copies, and the paint manager owning its painter.
#include "toolkit/commandbars/controls/XTPProgressBase.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/paint/XTPProgressPaintManager.h"
#include "toolkit/common/persist/XTPPropExchangeIniFile.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

namespace
{
// A progress block that counts its redraws and draws where it is told.
class ProbeProgress : public CXTPProgressBase
{
public:
    CRect GetProgressRect() const override { return m_rc; }
    void RedrawProgress() override { ++m_nRedraws; }
    CXTPProgressPaintManager* GetProgressPaintManager() const override { return nullptr; }

    CRect m_rc = CRect(0, 0, 104, 16);
    int m_nRedraws = 0;
};

// A 120 x 20 memory surface filled with a colour no system colour has, with a progress bar drawn.
class DrawnSurface
{
public:
    DrawnSurface(CXTPProgressPaintManager* pPainter, ProbeProgress& progress)
    {
        CClientDC screen(nullptr);
        dc.CreateCompatibleDC(&screen);
        bmp.CreateCompatibleBitmap(&screen, 120, 20);
        pOld = dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, 120, 20, kBackground);
        pPainter->DrawProgress(&dc, &progress);
    }
    ~DrawnSurface() { dc.SelectObject(pOld); }
    // Highlight pixels on row y.
    int CountHighlight(int y)
    {
        int nCount = 0;
        for (int x = 0; x < 120; ++x)
            nCount += dc.GetPixel(x, y) == ::GetSysColor(COLOR_HIGHLIGHT) ? 1 : 0;
        return nCount;
    }

    static constexpr COLORREF kBackground = RGB(1, 2, 3);
    CDC dc;
    CBitmap bmp;
    CBitmap* pOld = nullptr;
};

int CountHighlightPixels(CXTPProgressPaintManager* pPainter, ProbeProgress& progress, int y)
{
    DrawnSurface surface(pPainter, progress);
    return surface.CountHighlight(y);
}
} // namespace

TEST(ProgressFill, FilledLengthByTable)
{
    struct Case
    {
        const char* name;
        int nWidth, nLower, nUpper, nPos, nExpected;
    } const cases[] = {
        {"half of 100", 100, 0, 100, 50, 50},
        {"full", 100, 0, 100, 100, 100},
        {"offset range", 90, 10, 40, 20, 30},
        {"equal bounds fill nothing", 100, 5, 5, 5, 0},
        {"reversed bounds fill nothing", 100, 100, 0, 50, 0},
        {"below the range", 100, 0, 100, -20, 0},
        {"above the range", 100, 0, 100, 300, 100},
        {"wide range, no overflow", 100, INT_MIN, INT_MAX, 0, 50},
        {"no width", 0, 0, 100, 50, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CXTPProgressBase::CalcFilledLength(c.nWidth, c.nLower, c.nUpper, c.nPos), c.nExpected) << c.name;
}

TEST(ProgressFill, PositionStaysInTheRangeAndRedrawsOnChangesOnly)
{
    ProbeProgress progress;
    progress.SetPos(50);
    EXPECT_EQ(progress.GetPos(), 50);
    EXPECT_EQ(progress.m_nRedraws, 1);
    progress.SetPos(50);
    EXPECT_EQ(progress.m_nRedraws, 1);
    progress.SetPos(500);
    EXPECT_EQ(progress.GetPos(), 100);
    progress.SetPos(-5);
    EXPECT_EQ(progress.GetPos(), 0);
    // Reversed bounds: kept between the smaller and the larger one.
    progress.SetRange(80, 20);
    int nLower = 0, nUpper = 0;
    progress.GetRange(nLower, nUpper);
    EXPECT_EQ(nLower, 80);
    EXPECT_EQ(nUpper, 20);
    progress.SetPos(10);
    EXPECT_EQ(progress.GetPos(), 20);
    progress.SetPos(90);
    EXPECT_EQ(progress.GetPos(), 80);
}

TEST(ProgressPaint, ClassicBarFillsItsShareInHighlightPixels)
{
    CXTPPaintManager* pPaintManager = CXTPPaintManager::GetGlobal();
    CXTPProgressPaintManager* pPainter = pPaintManager->GetProgressPaintManager();
    ASSERT_NE(pPainter, nullptr);
    EXPECT_EQ(pPainter->m_pPaintManager, pPaintManager);
    EXPECT_EQ(pPainter->m_cyProgress, 16);
    ASSERT_FALSE(pPainter->IsThemed()); // theme 0 draws classically

    struct Case
    {
        const char* name;
        int nLower, nUpper, nPos, nPixels;
    } const cases[] = {
        {"50 % of a 104-pixel bar", 0, 100, 50, 50},
        {"full", 0, 100, 100, 100},
        {"empty", 0, 100, 0, 0},
        {"equal bounds", 7, 7, 7, 0},
    };
    for (const Case& c : cases)
    {
        ProbeProgress progress;
        progress.SetRange(c.nLower, c.nUpper);
        progress.SetPos(c.nPos);
        EXPECT_EQ(CountHighlightPixels(pPainter, progress, 8), c.nPixels) << c.name;
    }
}

TEST(ProgressControl, SizePersistenceAndCopy)
{
    CXTPControlProgress* pProgress = new CXTPControlProgress();
    CClientDC screen(nullptr);
    EXPECT_EQ(pProgress->GetSize(&screen), CSize(100, 16));
    pProgress->SetHeight(9);
    EXPECT_EQ(pProgress->GetSize(&screen), CSize(100, 9));
    pProgress->SetRange(10, 60);
    pProgress->SetPos(35);

    char path[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, path);
    const std::string file = std::string(path) + "qvx_cb_progress.ini";
    ::DeleteFileA(file.c_str());
    {
        CXTPPropExchangeIniFile px(FALSE, nullptr, "Progress");
        px.AssignFile(file.c_str());
        px.m_nSchema = 38;
        pProgress->DoPropExchange(&px);
    }
    CXTPControlProgress* pLoaded = new CXTPControlProgress();
    {
        CXTPPropExchangeIniFile px(TRUE, nullptr, "Progress");
        px.AssignFile(file.c_str());
        px.m_nSchema = 38;
        pLoaded->DoPropExchange(&px);
    }
    int nLower = 0, nUpper = 0;
    pLoaded->GetRange(nLower, nUpper);
    EXPECT_EQ(nLower, 10);
    EXPECT_EQ(nUpper, 60);
    EXPECT_EQ(pLoaded->GetPos(), 35);

    CXTPControlProgress* pCopy = dynamic_cast<CXTPControlProgress*>(pProgress->Clone());
    ASSERT_NE(pCopy, nullptr);
    pCopy->GetRange(nLower, nUpper);
    EXPECT_EQ(nLower, 10);
    EXPECT_EQ(nUpper, 60);
    EXPECT_EQ(pCopy->GetPos(), 35);
    pCopy->InternalRelease();
    pLoaded->InternalRelease();
    pProgress->InternalRelease();
    ::DeleteFileA(file.c_str());
}

namespace
{
// A paint manager whose theme asks for visual styles.
class StyledTheme : public CXTPDefaultTheme
{
public:
    int GetCurrentTheme() const override { return 2; }
};
} // namespace

TEST(ProgressPaint, StyledThemeDrawsWithOrWithoutAnActiveStyle)
{
    // Wine runs without a visual style: the styled painter falls back to the classic bar. With a
    // style it draws the bar part; either way the bar is drawn inside its rectangle only.
    StyledTheme theme;
    CXTPProgressPaintManager painter(&theme);
    painter.RefreshMetrics();
    ProbeProgress progress;
    progress.SetPos(50);
    const int nHighlight = CountHighlightPixels(&painter, progress, 8);
    if (!painter.IsThemed())
    {
        EXPECT_EQ(nHighlight, 50);
    }
    DrawnSurface surface(&painter, progress);
    EXPECT_NE(surface.dc.GetPixel(50, 8), DrawnSurface::kBackground);
    EXPECT_EQ(surface.dc.GetPixel(110, 8), DrawnSurface::kBackground);
}
